#include "seal_fixture.h"

void SealTest::SetUp() {
  g_bModified = 0;
  doc = std::make_unique<CKorvaneDoc>();
  doc->SetMainFrame(&frame);
  ASSERT_TRUE(doc->OnNewDocument());
  view = std::make_unique<CLeftView>(doc.get());
  doc->AddView(&form);
  g_bModified = 0;
}

void SealTest::TearDown() {
  doc->RemoveView(&form);
  view.reset();
  doc.reset();
  g_bModified = 0;
}

std::vector<CDrawObject*> SealTest::Live() {
  std::vector<CDrawObject*> out;
  for (int i = 1; i < List().GetCount(); ++i)
    if (!List().GetObject(i)->m_bDeleted) out.push_back(List().GetObject(i));
  return out;
}

std::vector<CDrawObject*> SealTest::LivePart(int part, int kind) {
  std::vector<CDrawObject*> out;
  for (CDrawObject* o : Live())
    if (o->m_nGroupId == part && (kind < 0 || o->m_nType == kind)) out.push_back(o);
  return out;
}

void SealTest::BuildPersonal(int shape, double w, double h, int style, std::vector<CString> lines, double radius) {
  dialogs.editPersonal = [=](PersonalSealDialogData& d) {
    d.shape = shape;
    d.width = w;
    d.height = h;
    d.round = radius;
    d.frame = 0.5;
    d.style = style;
    d.fontHist[0] = "IPAMincho";
    d.lines = lines;
  };
  doc->BuildPersonalSeal();
}

void SealTest::BuildCorporate(const CString& ring, const CString& inner, int uchiwaku, int tenmaru) {
  dialogs.editCorporate = [=](CorporateSealDialogData& d) {
    d.width = d.height = 24.0;
    d.kaibunSize = 25.0;
    d.sotoSize = 0.5;
    d.uchiSize = 0.3;
    d.uchiwaku = uchiwaku;
    d.tenmaru = tenmaru;
    d.uchiImage = 0;
    d.sameFont = 0;
    d.style = 2;
    d.ringText = ring;
    d.sotoFont[0] = "RingFace";
    d.uchiFont[0] = "InnerFace";
    d.uchiText.insert(d.uchiText.begin(), inner);
  };
  doc->BuildCorporateSeal();
}
