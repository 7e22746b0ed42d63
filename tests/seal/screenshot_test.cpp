// Pictures for a look by eye (KORVANE_SCREENSHOT_DIR set, best under xvfb-run with the xcb
// platform): the three seal dialogs as the program shows them, and a personal and a corporate seal
// on the canvas with the mask on.
#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <cstdlib>
#include <functional>

#include "app/qt_modal_dialogs.h"
#include "platform/gdi/dc.h"
#include "seal/seal_parts.h"
#include "seal_fixture.h"
#include "modal_driver.h"
#include "outside_tool.h"

namespace {

using modal::Click;
using modal::WhenShown;

class SealScreenshots : public SealTest {
 protected:
  void SetUp() override {
    REQUIRE_SCREENSHOT_DIR(out);
    SealTest::SetUp();
  }
  void TearDown() override {
    if (out) SealTest::TearDown();
  }
  void Save(QWidget& w, const char* name) {
    QApplication::processEvents();
    const QImage image = w.grab().toImage();
    EXPECT_TRUE(image.save(QString(out) + "/" + name + ".png"));
    // Something was drawn: not one flat colour.
    bool varied = false;
    for (int y = 0; y < image.height() && !varied; y += 3)
      for (int x = 0; x < image.width() && !varied; x += 3) varied = image.pixel(x, y) != image.pixel(0, 0);
    EXPECT_TRUE(varied) << name;
  }
  // The canvas shown large enough for the whole seal.
  void ShootCanvas(const char* name) {
    view->resize(640, 560);
    view->show();
    QApplication::processEvents();  // the window is mapped and sized before it is painted
    doc->SetZoomQuiet(16);
    view->SetScrollSizesForZoom();
    view->UpdateWindow();
    // The seal lies at the page's origin: scroll its outer frame into the middle.
    const auto frames = LivePart(SEAL_PART_OUTER_FRAME);
    ASSERT_FALSE(frames.empty());
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    dc.SetMapMode(MM_HIMETRIC);
    RECT r;
    view->GetRenderer()->LogicalRectToDevice(&dc, frames[0]->m_rcBounds, &r);
    CRect box(r);
    box.NormalizeRect();
    RECT client;
    view->GetClientRect(&client);
    view->ScrollToPosition(POINT{box.CenterPoint().x - (client.right - client.left) / 2,
                                 box.CenterPoint().y - (client.bottom - client.top) / 2});
    view->Invalidate(TRUE);
    view->UpdateWindow();
    Save(*view, name);
    view->hide();
  }

  const char* out = nullptr;
  CQtModalDialogs service;
};

TEST_F(SealScreenshots, TheThreeDialogs) {
  SealKindDialogData kind;
  WhenShown([&](QDialog& d) {
    Click(d, 1627);
    Save(d, "seal_kind_dialog");
    Click(d, IDOK);
  });
  ASSERT_TRUE(service.SealKindDialog(kind));
  EXPECT_EQ(kind.kind, 1);

  PersonalSealDialogData personal;
  personal.shape = 0;
  personal.width = personal.height = 15;
  personal.round = 1.5;
  personal.frame = 0.8;
  personal.style = 2;
  personal.font = U("IPAMincho");
  personal.fontHist[0] = U("IPAMincho");
  personal.lines = {U("山田"), U("太郎")};
  WhenShown([&](QDialog& d) {
    Click(d, 1613);  // the square shape shows the corner radius
    Save(d, "seal_personal_dialog");
    d.reject();
  });
  EXPECT_FALSE(service.PersonalSealDialog(personal));

  for (int image : {0, 1}) {
    CorporateSealDialogData corporate;
    corporate.width = corporate.height = 21;
    corporate.kaibunSize = 25;
    corporate.sotoSize = 0.8;
    corporate.uchiSize = 0.5;
    corporate.uchiwaku = 1;
    corporate.tenmaru = 1;
    corporate.uchiImage = image;
    corporate.style = 2;
    corporate.sotoFont[0] = U("IPAMincho");
    corporate.uchiFont[0] = U("IPAGothic");
    corporate.uchiText = {U("代表取締役之印")};
    corporate.uchiImageFile = {CString(dir.File("no-such-face.bmp").c_str())};
    WhenShown([&, image](QDialog& d) {
      Save(d, image ? "seal_corporate_dialog_image" : "seal_corporate_dialog_text");
      d.reject();
    });
    EXPECT_FALSE(service.CorporateSealDialog(corporate));
  }
}

TEST_F(SealScreenshots, TheFontChoice) {
  FontDialogData font;
  font.faceName = U("IPAGothic");
  font.faceOnly = true;
  WhenShown([&](QDialog& d) {
    Save(d, "seal_font_choice");
    d.reject();
  });
  EXPECT_FALSE(service.FontDialog(font));
}

TEST_F(SealScreenshots, SealsWithTheMaskOn) {
  BuildPersonal(0, 18, 18, 2, {U("山田"), U("太郎")});
  ASSERT_EQ(doc->m_nSealMode, SEAL_MODE_PERSONAL);
  // As the personal mask button does it.
  doc->SetMaskFlag(0, 1);
  doc->ToggleLayerVisible(2);
  ShootCanvas("seal_personal_masked");

  g_bModified = 0;  // no save question between the two seals
  BuildCorporate(U("株式会社ドラヴェンティス東京"), U("代表取締役　之印"), 1, 1);
  ASSERT_EQ(doc->m_nSealMode, SEAL_MODE_CORPORATE);
  doc->SetMaskFlag(0, 1);
  doc->ToggleLayerVisible(4);
  ShootCanvas("seal_corporate_masked");
  doc->SetMaskFlag(1, 1);
  doc->ToggleLayerVisible(5);
  ShootCanvas("seal_corporate_masked_inner");
}

}  // namespace
