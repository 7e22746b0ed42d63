// Pictures for the developer to look at (only with KORVANE_SCREENSHOT_DIR set, best under
// xvfb-run with the xcb platform): the form view with every object page filled from a real
// object, and barcodes drawn on the canvas.
#include <QApplication>
#include <cstdlib>

#include "app/korvane_view.h"
#include "canvas/leftview.h"
#include "imaging/monobmp.h"
#include "model/bmpobject.h"
#include "pages_fixture.h"
#include "outside_tool.h"

namespace {

class Screenshots : public PagesTest {
 protected:
  void SetUp() override {
    REQUIRE_SCREENSHOT_DIR(out);
    PagesTest::SetUp();
    RegisterObjectPages();
  }
  void TearDown() override {
    if (out) PagesTest::TearDown();
  }
  void Save(QWidget& w, const char* name) {
    QApplication::processEvents();
    EXPECT_TRUE(w.grab().save(QString(out) + "/" + name + ".png"));
  }
  const char* out = nullptr;
};

TEST_F(Screenshots, EveryObjectPage) {
  CKorvaneView view(doc.get());
  view.resize(460, 760);
  view.show();
  view.OnInitialUpdate();
  struct Shot {
    int kind;
    const char* name;
  };
  const Shot shots[] = {{TYPE_LINE, "page_line"},         {TYPE_RECTANGLE, "page_rectangle"},
                        {TYPE_CIRCLE, "page_circle"},     {TYPE_TRIANGLE, "page_triangle"},
                        {TYPE_RHOMBIC, "page_rhombic"},   {TYPE_POLYGON, "page_polygon"},
                        {TYPE_TEXT1, "page_text1"},       {TYPE_TEXT2, "page_text2"},
                        {TYPE_BARCODE, "page_qr"},        {TYPE_BMP, "page_bmp"}};
  for (const Shot& s : shots) {
    int i = 0;
    if (s.kind == TYPE_BMP) {
      ASSERT_NE(List().AddBmpFromImage(MonoBmpFile::Create(400, 200)), nullptr);
      i = List().GetCount() - 1;
      Select(i);
    } else {
      i = Add(s.kind);
    }
    if (s.kind == TYPE_TEXT1) At<CText1Object>(i)->SetText(CString::FromUtf8("刻印テキスト\r\n2行目"));
    if (s.kind == TYPE_TEXT2) At<CText2Object>(i)->SetText(CString::FromUtf8("回し文字サンプル"));
    view.ShowCurrentTypePages(i, TRUE);
    Save(view, s.name);
    if (s.kind == TYPE_TEXT1 || s.kind == TYPE_TEXT2) {
      view.Sheet().SetActivePage(1);
      Save(view, s.kind == TYPE_TEXT1 ? "page_text1_char" : "page_text2_char");
      view.Sheet().SetActivePage(0);
    }
  }
  // The multiple selection.
  std::vector<int> flags(List().GetCount() - 1, 0);
  flags[0] = flags[1] = 1;
  doc->SetMultiSelection(flags.data(), static_cast<int>(flags.size()));
  view.ShowCurrentTypePages(1, FALSE);
  Save(view, "page_objects");
}

TEST_F(Screenshots, BarcodesOnTheCanvas) {
  CLeftView canvasView(doc.get());
  canvasView.resize(900, 700);
  canvasView.show();
  QApplication::processEvents();
  CBarcodeObject* a = List().AddBarcode(nullptr, TRUE, TRUE);
  a->m_strText = CString::FromUtf8("品質検査 QR-2026");
  a->m_dSizeX = a->m_dSizeY = 20;
  a->m_nRows = a->m_nColumns = 2;
  a->m_dPosX = -30;
  CBarcodeObject* b = List().AddBarcode(nullptr, TRUE, TRUE);
  b->m_strText = CString("https://example.com/lot/4711");
  b->m_dSizeX = 40;
  b->m_dSizeY = 25;
  b->m_dPosX = 35;
  b->m_nLayer = 1;
  b->m_nRows = b->m_nColumns = 1;
  CBarcodeObject* c = List().AddBarcode(nullptr, TRUE, TRUE);
  c->m_strText = CString(std::string(3000, 'x'));  // no symbol holds it: only its frame
  c->m_dSizeX = c->m_dSizeY = 15;
  c->m_dPosY = -40;
  c->m_nRows = c->m_nColumns = 1;
  doc->SetZoomQuiet(12);
  canvasView.SetScrollSizesForZoom();
  canvasView.UpdateWindow();
  Save(canvasView, "canvas_barcodes");
}

}  // namespace
