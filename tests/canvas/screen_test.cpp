// The canvas on screen: what a paint leaves on the view's surface, trackers, the guide-line
// text, printing to a PDF file, and a screenshot for the developer to look at.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <cmath>
#include <cstdlib>
#include <random>

#include "canvas/guide_line_text.h"
#include "canvas/object_tracker.h"
#include "canvas_fixture.h"
#include "imaging/paint_editor.h"
#include "model/bmpobject.h"
#include "platform/gdi/painter_backend.h"
#include "outside_tool.h"
#include <QPainter>

namespace {

class CanvasScreen : public CanvasTest {
 protected:
  void SetUp() override {
    CanvasTest::SetUp();
    ShowView();
  }
  const QImage& Surface() { return view->SurfaceImage(); }
  // Columns of the surface's middle row that hold the colour.
  int CountColumns(QRgb colour, int row) {
    int n = 0;
    for (int x = 0; x < Surface().width(); ++x)
      if ((Surface().pixel(x, row) & 0xFFFFFF) == (colour & 0xFFFFFF)) ++n;
    return n;
  }
  int CountPixels(QRgb colour) {
    int n = 0;
    for (int y = 0; y < Surface().height(); ++y)
      for (int x = 0; x < Surface().width(); ++x)
        if ((Surface().pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF)) ++n;
    return n;
  }
};

constexpr QRgb kGrey = 0xC0C0C0;
constexpr QRgb kRed = 0xFF0000;  // COLORREF 0x0000FF on the surface

TEST_F(CanvasScreen, PageSquareAndGridLinesAndNoGridWhenOffOrTooFine) {
  doc->m_Settings.DrawingData.Area = 100;
  doc->m_Settings.DrawingData.GridSize = 10;
  doc->m_Settings.System.GridShow = 1;
  Repaint(ZOOM_STEP_DEFAULT);
  // A row just under the square's top edge crosses the nine vertical grid lines.
  CDoubleRect sq;
  view->GetRenderer()->GetCenteredSquare(100, &sq);
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  POINT tl;
  view->GetRenderer()->LogicalToDevice(&tl, &dc, sq.left, sq.top);
  const int row = tl.y - view->GetScrollPos(SB_VERT) + 5;
  ASSERT_GT(row, 0);
  EXPECT_EQ(CountColumns(kGrey, row), 9);
  EXPECT_GT(CountPixels(0x000000), 4 * 370);

  doc->m_Settings.System.GridShow = 0;
  Repaint(ZOOM_STEP_DEFAULT);
  EXPECT_EQ(CountPixels(kGrey), 0);
  doc->m_Settings.System.GridShow = 1;
  doc->m_Settings.DrawingData.GridSize = 0;
  Repaint(ZOOM_STEP_DEFAULT);
  EXPECT_EQ(CountPixels(kGrey), 0);

  // A step of a quarter logical unit once never ended (the test would hang); now it draws no
  // grid.
  doc->m_Settings.DrawingData.GridSize = 0.025;
  Repaint(0);
  EXPECT_EQ(CountPixels(kGrey), 0);
}

TEST_F(CanvasScreen, AreaOutlineIsRedForEveryShapeAndTheBandStateLeavesTheSurfaceAlone) {
  for (int shape = 0; shape <= 5; ++shape) {
    doc->m_Settings.DrawingArea.OutlineIndex = shape;
    Repaint(ZOOM_STEP_DEFAULT);
    EXPECT_GT(CountPixels(kRed), 100) << "shape " << shape;
  }
  const QImage before = Surface().copy();
  view->m_nBandState = 1;
  view->Invalidate(TRUE);
  view->UpdateWindow();
  EXPECT_EQ(Surface(), before);
  view->m_nBandState = 0;
}

TEST_F(CanvasScreen, HiddenAndDeletedEntriesAreNotDrawnAndDrawnBoundsAreWrittenBack) {
  const int a = AddShape(TYPE_RECTANGLE, 20, 20, 0, 0);
  Repaint(ZOOM_STEP_DEFAULT);
  const long withObject = CountPixels(0x000000);
  const CDoubleRect bounds = List().GetObject(a)->m_rcBounds;
  EXPECT_GT(bounds.right - bounds.left, 1000);
  List().GetObject(a)->m_bDeleted = 1;
  List().GetObject(a)->m_rcBounds = CDoubleRect(1, 2, 3, 4);
  Repaint(ZOOM_STEP_DEFAULT);
  EXPECT_LT(CountPixels(0x000000), withObject);
  EXPECT_DOUBLE_EQ(List().GetObject(a)->m_rcBounds.left, 1);
}

TEST_F(CanvasScreen, ZoomedInCentresTheBarsAndZoomedOutPutsThemAtZero) {
  Repaint(15);
  EXPECT_GT(view->GetScrollLimit(SB_HORZ), 0);
  EXPECT_EQ(view->GetScrollPos(SB_HORZ), view->GetScrollLimit(SB_HORZ) / 2);
  EXPECT_EQ(view->GetScrollPos(SB_VERT), view->GetScrollLimit(SB_VERT) / 2);
  // The page centre is (0, 0) mm in the middle of the page's device extent.
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  CDoublePoint centre;
  int extent[2];
  view->GetRenderer()->GetExtent(extent);
  SIZE dev{extent[0], extent[1]};
  dc.SetMapMode(MM_HIMETRIC);
  dc.HIMETRICtoDP(&dev);
  view->GetRenderer()->DeviceToMm(&centre, &dc, dev.cx / 2 - view->GetScrollPos(SB_HORZ),
                                  dev.cy / 2 - view->GetScrollPos(SB_VERT));
  EXPECT_NEAR(centre.x, 0, 0.1);
  EXPECT_NEAR(centre.y, 0, 0.1);
  Repaint(0);
  EXPECT_EQ(view->GetScrollPos(SB_HORZ), 0);
  EXPECT_EQ(view->GetScrollPos(SB_VERT), 0);
}

TEST_F(CanvasScreen, TrackerFollowsTheSelectionAndStaysPutWhenReselected) {
  EXPECT_EQ(view->GetTrackObject(), -2);
  int tracked = 0;
  EXPECT_FALSE(view->GetTrackerIndex(tracked));
  AddShape(TYPE_RECTANGLE, 10, 10);
  AddShape(TYPE_RECTANGLE, 10, 10, 20, 0);
  Repaint(ZOOM_STEP_DEFAULT);
  view->ChangeTracker(2);
  ASSERT_NE(view->GetTracker(), nullptr);
  const RECT r = view->GetTracker()->GetTrackRect();
  CObjectTracker* same = view->GetTracker();
  view->ChangeTracker(2);
  EXPECT_EQ(view->GetTracker(), same);
  EXPECT_TRUE(CRect(view->GetTracker()->GetTrackRect()) == r);
  EXPECT_TRUE(view->GetTrackerIndex(tracked));
  EXPECT_EQ(tracked, 2);
  // Handles outside: the hit codes around the frame.
  CRect f(r);
  EXPECT_EQ(view->GetTracker()->HitTest(f.CenterPoint()), 8);
  EXPECT_EQ(view->GetTracker()->HitTest(POINT{f.left - 4, f.top - 4}), 0);
  EXPECT_EQ(view->GetTracker()->HitTest(POINT{f.right + 4, f.bottom + 4}), 2);
  EXPECT_EQ(view->GetTracker()->HitTest(POINT{f.right + 40, f.bottom + 40}), -1);
  view->ChangeTracker(0);
  EXPECT_EQ(view->GetTrackObject(), -2);
}

TEST_F(CanvasScreen, ChangeCodesClassifyMovesEdgesAndCorners) {
  int out[4];
  EXPECT_EQ(CLeftView::GetRectChange(RECT{0, 0, 100, 50}, RECT{0, 0, 100, 50}, out), 14);
  EXPECT_EQ(CLeftView::GetRectChange(RECT{0, 0, 100, 50}, RECT{5, 7, 105, 57}, out), 0);
  EXPECT_EQ(out[2], 5);
  EXPECT_EQ(CLeftView::GetRectChange(RECT{0, 0, 100, 50}, RECT{0, 0, 100, 80}, out), 3);
  EXPECT_EQ(CLeftView::GetRectChange(RECT{0, 0, 100, 50}, RECT{0, 0, 120, 50}, out), 4);
  EXPECT_EQ(CLeftView::GetRectChange(RECT{0, 0, 100, 50}, RECT{0, 0, 160, 80}, out), 8);
  EXPECT_EQ(out[0], 60);
  EXPECT_EQ(out[1], 30);
}

TEST_F(CanvasScreen, RotatePointRoundsAsTheDocumentsRotation) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> coord(-20000, 20000), angle(-359, 359);
  for (int i = 0; i < 1000; ++i) {
    const int cx = coord(rng), cy = coord(rng), x = coord(rng), y = coord(rng), a = angle(rng);
    doc->m_Settings.DrawingData.ScanAngle = -a;
    const CPoint expected = doc->RotateAbout(x, y, cx, cy);
    int out[2];
    view->RotatePoint(out, cx, cy, x, y, a);
    ASSERT_EQ(out[0], expected.x) << i;
    ASSERT_EQ(out[1], expected.y) << i;
  }
}

TEST(LineDdaTest, LeavesOutTheEndPoint) {
  int n = 0;
  LineDDA(0, 0, 500, 0, [](int, int, void* d) { ++*static_cast<int*>(d); }, &n);
  EXPECT_EQ(n, 500);
  n = 0;
  LineDDA(3, 3, 3, 3, [](int, int, void* d) { ++*static_cast<int*>(d); }, &n);
  EXPECT_EQ(n, 0);
}

TEST_F(CanvasScreen, GuideLineTextDensifiesCapturesAndRefusesSafely) {
  CGuideLineText& g = *view->GetGuideLineText();
  EXPECT_EQ(g.QuickTest(), 1);
  EXPECT_EQ(g.m_nGuide1, 500);
  EXPECT_EQ(g.m_nGuide2, 500);

  // Fewer than two points: the message, count 0; the warp then draws nothing and reads nothing.
  prompter.ExpectMessage(IDOK, "at least two points");
  POINT* one = new POINT[1]{{5, 5}};
  int count = 1;
  EXPECT_EQ(g.DensifyGuide(one, count), 0);
  EXPECT_EQ(count, 0);
  delete[] g.m_pGuide2;
  g.m_pGuide2 = one;
  g.m_nGuide2 = count;
  EXPECT_FALSE(g.BothGuides());
  QImage img(200, 200, QImage::Format_RGB32);
  img.fill(Qt::white);
  {
    QPainter p(&img);
    CPainterDC dc(p, &img);
    EXPECT_EQ(g.WarpText(&dc, g.m_pGuide1, g.m_pGuide2, g.m_nGuide1, g.m_nGuide2, "This is a test", 0), 0);
  }
  QImage white(200, 200, QImage::Format_RGB32);
  white.fill(Qt::white);
  EXPECT_EQ(img, white);

  // Too long: the message and count 0, the points kept.
  prompter.ExpectMessage(IDOK, "shorter");
  POINT* longGuide = new POINT[2]{{0, 0}, {64001, 0}};
  count = 2;
  EXPECT_EQ(g.DensifyGuide(longGuide, count), 0);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(longGuide[1].x, 64001);
  delete[] longGuide;

  // A capture keeps 1000 points inside the client area and ignores the others.
  int step = 0;
  g.SetEventSource([&step](CGuideLineText::GuideEvent& e) {
    if (step > 1500) return false;
    e.x = step % 2 ? 950 : step % 800;
    e.y = 10;
    e.buttonUp = step == 1500;
    ++step;
    return true;
  });
  POINT* captured = nullptr;
  count = 0;
  g.CaptureGuide(nullptr, RECT{0, 0, 900, 700}, captured, count);
  EXPECT_EQ(count, 751);
  delete[] captured;
  prompter.VerifyAllUsed();
}

TEST_F(CanvasScreen, PaintModeShowsOnlyTheEditorAndScrollingReachesIt) {
  struct Recording : CPaintEditor {
    int draws = 0, hscroll = -1;
    bool accept = false;
    BOOL BeginEdit(CKorvaneDoc*, CBmpObject*, SIZE* canvas) override {
      if (!accept) return FALSE;
      *canvas = SIZE{3000, 2000};
      return TRUE;
    }
    void Draw(CDC*) override { ++draws; }
    void OnHScroll(int pos) override { hscroll = pos; }
  };
  auto* editor = new Recording;
  view->SetPaintEditor(editor);
  Repaint(ZOOM_STEP_DEFAULT);
  const SIZE before = view->GetTotalDeviceSize();
  CBmpObject bmp(nullptr);
  EXPECT_FALSE(view->BeginImageEditView(nullptr, &bmp));
  EXPECT_FALSE(view->BeginImageEditView(doc.get(), &bmp));
  EXPECT_EQ(view->GetTotalDeviceSize().cx, before.cx);
  editor->accept = true;
  ASSERT_TRUE(view->BeginImageEditView(doc.get(), &bmp));
  EXPECT_EQ(view->GetMapMode(), MM_TEXT);
  EXPECT_EQ(view->GetScrollPos(SB_HORZ), view->GetScrollLimit(SB_HORZ) / 2);
  doc->m_bPaintMode = 1;
  view->Invalidate(TRUE);
  view->UpdateWindow();
  EXPECT_EQ(editor->draws, 1);
  view->ScrollToPosition(POINT{10, 0});
  EXPECT_EQ(editor->hscroll, 10);
  doc->m_bPaintMode = 0;
  view->EndImageEditView(doc.get());
  EXPECT_EQ(view->GetMapMode(), MM_HIMETRIC);
}

TEST_F(CanvasScreen, PrintingWritesAPdfAndLeavesZoomAndRendererAsTheyWere) {
  AddShape(TYPE_RECTANGLE, 10, 10);
  Repaint(3);
  int extent[2];
  view->GetRenderer()->GetExtent(extent);
  const QString pdf = QString::fromStdString(dir.Path() + "/print.pdf");
  prompter.ExpectPrint(true, CString(pdf.toStdString().c_str()));
  doc->PrintOrPreview(1);
  EXPECT_TRUE(QFile::exists(pdf));
  int after[2];
  view->GetRenderer()->GetExtent(after);
  EXPECT_EQ(doc->m_Settings.System.ZoomStep, 3);
  EXPECT_EQ(after[0], extent[0]);
  // A cancelled dialog prints nothing; a preview repaints three times.
  prompter.ExpectPrint(false);
  view->FilePrint();
  prompter.ExpectPreview(3);
  doc->PrintOrPreview(0);
  EXPECT_EQ(doc->m_Settings.System.ZoomStep, 3);
  prompter.VerifyAllUsed();
}

TEST_F(CanvasScreen, Screenshot) {
  const char* out = nullptr;
  REQUIRE_SCREENSHOT_DIR(out);
  AddShape(TYPE_RECTANGLE, 30, 20, -30, 20);
  AddShape(TYPE_CIRCLE, 25, 25, 30, 20);
  AddShape(TYPE_TRIANGLE, 25, 20, -30, -25);
  AddShape(TYPE_TEXT1, 40, 10, 25, -25);
  const int r = AddShape(TYPE_RHOMBIC, 15, 15, 0, 0);
  List().SetObjectLayer(r, 1);
  const int c = AddShape(TYPE_CIRCLE, 12, 12, 0, -30);
  List().SetObjectLayer(c, 3);
  Repaint(3);
  view->ChangeTracker(1);
  view->Invalidate(TRUE);
  view->UpdateWindow();
  QApplication::processEvents();
  const QString path = QString(out) + "/canvas_view.png";
  EXPECT_TRUE(view->grab().save(path));
}

}  // namespace
