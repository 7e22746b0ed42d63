#include "pages_fixture.h"

void CPageTestHost::ReleaseSlider(IControlOwner& owner, int id, int pos) {
  m_slider[id].pos = pos;
  NMUPDOWN nm;
  nm.hdr.idFrom = id;
  nm.hdr.code = NM_RELEASEDCAPTURE;
  owner.OnNotify(id, nm);
}

void PagesTest::SetUp() {
  g_bModified = 0;
  doc = std::make_unique<CKorvaneDoc>();
  doc->SetMainFrame(&frame);
  ASSERT_TRUE(doc->OnNewDocument());
  doc->AddView(&canvas);
  formHost.doc = doc.get();
  CPageHelper::SetFormHost(&formHost);
}

void PagesTest::TearDown() {
  CPageHelper::SetFormHost(nullptr);
  doc->RemoveView(&canvas);
  doc.reset();
  g_bModified = 0;
}

int PagesTest::Add(int kind) {
  EXPECT_EQ(doc->AddNewObject(kind), kind);
  const int index = List().GetCount() - 1;
  Select(index);
  return index;
}
