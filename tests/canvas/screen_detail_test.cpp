// The canvas on screen in detail: the surface against the same paint on the raster back end,
// layer colours, mask order and the inner-frame rule, what each update invalidates, a paste,
// wheel and key scrolling, and printed sizes measured on paper and on a 600-dpi image.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QProcess>
#include <QScrollBar>
#include <QStandardPaths>
#include <QWheelEvent>
#include <cstdlib>

#include "canvas/object_tracker.h"
#include "canvas_fixture.h"
#include "platform/gdi/painter_backend.h"
#include "seal/seal_parts.h"
#include "outside_tool.h"

namespace {

class CanvasDetail : public CanvasTest {
 protected:
  void SetUp() override {
    CanvasTest::SetUp();
    ShowView();
  }
  QRgb Pixel(int x, int y) { return view->SurfaceImage().pixel(x, y) & 0xFFFFFF; }
  // The pending region's bounding box (empty: nothing invalidated).
  QRect Pending() { return view->Surface().Pending().boundingRect(); }
  // A point in millimetres to a client pixel.
  QPoint MmToClient(double x, double y) {
    CDoubleRect r;
    view->GetRenderer()->MmRectToLogical(0, 0, x, y, &r);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    POINT p;
    view->GetRenderer()->LogicalToDevice(&p, &dc, r.left, r.top);
    return QPoint(p.x - view->GetScrollPos(SB_HORZ), p.y - view->GetScrollPos(SB_VERT));
  }
  // A mixed design: every shape kind, a straight text, an arc text and a bitmap.
  void AddMixedDesign() {
    AddShape(TYPE_RECTANGLE, 30, 20, -60, 40);
    AddShape(TYPE_CIRCLE, 25, 25, -20, 40);
    AddShape(TYPE_TRIANGLE, 25, 20, 20, 40);
    AddShape(TYPE_RHOMBIC, 20, 20, 60, 40);
    AddShape(TYPE_POLYGON, 20, 20, -60, 0);
    AddShape(TYPE_LINE, 30, 0, -20, 0);
    const int t = AddShape(TYPE_TEXT1, 40, 12, 25, 0);
    At<CText1Object>(t)->m_dCharWidth = 8;
    At<CText1Object>(t)->m_dCharHeight = 10;
    AddShape(TYPE_TEXT2, 40, 40, -30, -45);
    AddBitmap(MakeImage(40, 40, [](int x, int y) { return (x / 5 + y / 5) % 2 == 0; }), 20, 20, 30, -45);
  }
};

// Pixels that differ where neither image changes colour within one pixel.
long DifferencesAwayFromEdges(const QImage& a, const QImage& b) {
  auto edge = [](const QImage& img, int x, int y) {
    const QRgb v = img.pixel(x, y);
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx) {
        const int xx = x + dx, yy = y + dy;
        if (xx < 0 || yy < 0 || xx >= img.width() || yy >= img.height()) continue;
        if (img.pixel(xx, yy) != v) return true;
      }
    return false;
  };
  long n = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y) && !edge(a, x, y) && !edge(b, x, y)) ++n;
  return n;
}

TEST_F(CanvasDetail, TheRasterBackEndPaintsTheSamePixelsAsTheSurface) {
  AddMixedDesign();
  doc->m_Settings.System.GridShow = 1;
  doc->m_Settings.DrawingData.GridSize = 10;
  Repaint(ZOOM_STEP_DEFAULT);
  view->ChangeTracker(1);
  view->Invalidate(TRUE);
  view->UpdateWindow();
  const QImage surface = view->SurfaceImage().convertToFormat(QImage::Format_RGB32);

  CDC mem;
  mem.CreateCompatibleDC(nullptr);
  CBitmap bitmap;
  ASSERT_TRUE(bitmap.CreateBitmap(surface.width(), surface.height(), 1, 32, nullptr));
  CBitmap* old = mem.SelectObject(&bitmap);
  view->OnEraseBkgnd(&mem);
  view->OnPrepareDC(&mem);
  view->OnDraw(&mem);
  QImage raster(surface.size(), QImage::Format_RGB32);
  long total = 0, same = 0;
  for (int y = 0; y < raster.height(); ++y)
    for (int x = 0; x < raster.width(); ++x) {
      const COLORREF c = bitmap.PixelColour(x, y);
      raster.setPixel(x, y, qRgb(GetRValue(c), GetGValue(c), GetBValue(c)));
      ++total;
      if ((surface.pixel(x, y) & 0xFFFFFF) == (raster.pixel(x, y) & 0xFFFFFF)) ++same;
    }
  mem.SelectObject(old);
  EXPECT_GT(same, total * 995 / 1000);
  EXPECT_EQ(DifferencesAwayFromEdges(surface, raster), 0);
}

TEST_F(CanvasDetail, ObjectsTakeTheirLayerColourAndTextsTheirSize) {
  const int green = AddShape(TYPE_RECTANGLE, 20, 20, -30, 0);
  const int blue = AddShape(TYPE_CIRCLE, 20, 20, 30, 0);
  List().SetObjectLayer(green, 2);
  List().SetObjectLayer(blue, 3);
  doc->m_Settings.System.GridShow = 0;
  Repaint(ZOOM_STEP_DEFAULT);
  const CRect g = ClientRectOf(green), b = ClientRectOf(blue);
  // The frame's left band, one pixel inside.
  EXPECT_EQ(Pixel(g.left + 1, (g.top + g.bottom) / 2), 0x00FF00u);
  EXPECT_EQ(Pixel(b.left + 1, (b.top + b.bottom) / 2), 0x0000FFu);
  EXPECT_EQ(Pixel((g.left + g.right) / 2, (g.top + g.bottom) / 2), 0xFFFFFFu);

  // A straight text of 10 mm characters: the character height is the font's cell height, so
  // the capital H stands about two thirds of it on the screen at zoom 1.0.
  const int t = AddShape(TYPE_TEXT1, 60, 15, 0, -50);
  At<CText1Object>(t)->SetText("HH");
  At<CText1Object>(t)->m_dCharWidth = 8;
  At<CText1Object>(t)->m_dCharHeight = 10;
  Repaint(ZOOM_STEP_DEFAULT);
  const QPoint c = MmToClient(0, -50);
  int top = 10000, bottom = -1;
  for (int y = std::max(0, c.y() - 80); y < std::min(view->SurfaceImage().height(), c.y() + 80); ++y)
    for (int x = std::max(0, c.x() - 150); x < c.x() + 150; ++x)
      if (Pixel(x, y) == 0) {
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
  const double mmPerPixel = 1000.0 / CWindowSurface::kDotsPerMetre;
  EXPECT_NEAR((bottom - top + 1) * mmPerPixel, 6.8, 1.0);
}

TEST_F(CanvasDetail, TheMaskCoversObjectsOrLiesUnderThemByOrderAndInnerFrame) {
  // The scanning area in the middle; an object reaching outside it on the right.
  doc->m_Settings.DrawingArea.OutlineIndex = 0;
  doc->m_Settings.System.GridShow = 0;
  const double areaRight = doc->m_Settings.DrawingArea.Width / 2 + doc->m_Settings.DrawingArea.OffsetX;
  const int a = AddShape(TYPE_RECTANGLE, 40, 10, areaRight, 0);
  At<CRectangleObject>(a)->m_dEdgeSize = 5;
  doc->m_bMaskFlag = 1;
  doc->m_Settings.Mask.Color = 0x00FFFF;  // yellow
  const QRgb yellow = 0xFFFF00;
  doc->m_Settings.Mask.Order = 0;
  Repaint(ZOOM_STEP_DEFAULT);
  const CRect r = ClientRectOf(a);
  const QPoint outside(r.right - 3, (r.top + r.bottom) / 2), inside(r.left + 3, (r.top + r.bottom) / 2);
  EXPECT_EQ(Pixel(outside.x(), outside.y()), yellow);  // covered
  EXPECT_EQ(Pixel(inside.x(), inside.y()), 0u);
  doc->m_Settings.Mask.Order = 1;
  Repaint(ZOOM_STEP_DEFAULT);
  EXPECT_EQ(Pixel(outside.x(), outside.y()), 0u);  // over the mask
  EXPECT_EQ(Pixel(r.right + 20, (r.top + r.bottom) / 2), yellow);

  // The inner-frame mask without a circle masks with the area rectangle, by order.
  doc->m_Settings.Mask.Order = 0;
  doc->m_bInnerMaskFlag = 1;
  Repaint(ZOOM_STEP_DEFAULT);
  EXPECT_EQ(Pixel(outside.x(), outside.y()), yellow);
  // With an inner-frame circle the mask goes under the objects whatever the order, and the
  // circle is the hole.
  const int circle = AddShape(TYPE_CIRCLE, 30, 30, 0, 0);
  List().GetObject(circle)->m_nGroupId = SEAL_PART_INNER_FRAME;
  Repaint(ZOOM_STEP_DEFAULT);
  EXPECT_EQ(Pixel(outside.x(), outside.y()), 0u);
  const QPoint centre = MmToClient(-7, 0), beside = MmToClient(0, 17);
  EXPECT_EQ(Pixel(centre.x(), centre.y()), 0xFFFFFFu);
  EXPECT_EQ(Pixel(beside.x(), beside.y()), yellow);
}

TEST_F(CanvasDetail, EachUpdateInvalidatesItsOwnRegion) {
  const int a = AddShape(TYPE_RECTANGLE, 20, 10, -30, 0);
  const int b = AddShape(TYPE_RECTANGLE, 20, 10, 30, 20);
  Repaint(ZOOM_STEP_DEFAULT);
  auto drain = [&] { view->UpdateWindow(); ASSERT_TRUE(Pending().isEmpty()); };
  drain();
  view->OnUpdate(nullptr, HINT_REINIT_RENDERER, doc.get());
  EXPECT_TRUE(Pending().isEmpty());
  view->OnUpdate(nullptr, HINT_OUTPUT_MODE_CHANGED, doc.get());
  EXPECT_EQ(Pending(), view->viewport()->rect());
  drain();
  // Deleting a multi-selection repaints the old union and drops the tracker.
  const int flags[3] = {1, 1, 0};
  doc->SetMultiSelection(flags, 3);
  view->InitTracker(-1, RECT{0, 0, 10, 10}, TRUE);
  drain();
  const CRect ra = ClientRectOf(a), rb = ClientRectOf(b);
  doc->m_nLastAction = HINT_OBJECTS_DELETED;
  view->OnUpdate(nullptr, -1, doc.get());
  const QRect p = Pending();
  EXPECT_TRUE(p.contains(QRect(ra.left, ra.top, ra.Width(), ra.Height())));
  EXPECT_TRUE(p.contains(QRect(rb.left, rb.top, rb.Width(), rb.Height())));
  EXPECT_EQ(view->GetTrackObject(), -2);
  drain();
  // An unknown action during a band repaints nothing.
  view->m_bDragging = 1;
  doc->m_nLastAction = HINT_SELECTION_NUDGED + 100;
  view->OnUpdate(nullptr, 5, doc.get());
  EXPECT_TRUE(Pending().isEmpty());
  view->m_bDragging = 0;
  // Dropping the band selection removes the tracker.
  view->ChangeTracker(a);
  EXPECT_EQ(view->GetTrackObject(), a);
  view->ChangeTracker(a);  // twice: nothing changes
  EXPECT_EQ(view->GetTrackObject(), a);
  doc->m_nLastAction = HINT_DROP_BAND_SELECTION;
  view->OnUpdate(nullptr, 0, doc.get());
  EXPECT_EQ(view->GetTrackObject(), -2);
}

TEST_F(CanvasDetail, APasteOfThreeObjectsEndsWithTheMultiTrackerAroundThem) {
  AddShape(TYPE_RECTANGLE, 10, 10, -20, 0);
  AddShape(TYPE_CIRCLE, 10, 10, 0, 0);
  AddShape(TYPE_TRIANGLE, 10, 10, 20, 0);
  Repaint(ZOOM_STEP_DEFAULT);
  ObjectClipboardBlock block;
  block.indices = {1, 2, 3};
  doc->PasteObjects(block, 1);
  view->UpdateWindow();
  ASSERT_EQ(List().GetCount(), 7);
  EXPECT_EQ(view->GetTrackObject(), -1);
  EXPECT_EQ(doc->m_nCurrentKind, TYPE_MULTI);
  EXPECT_EQ(doc->GetSelectedCount(), 3);
  const CRect t(view->GetTracker()->GetTrackRect());
  const CRect first = ClientRectOf(4), last = ClientRectOf(6);
  EXPECT_NEAR(t.left, first.left, 2);
  EXPECT_NEAR(t.right, last.right, 2);
  EXPECT_NEAR(t.top, std::min(first.top, last.top), 2);
}

TEST_F(CanvasDetail, BarsWheelAndKeysMoveRendererOffsetAndTrackerAlike) {
  const int a = AddShape(TYPE_RECTANGLE, 20, 10, 0, 0);
  Repaint(15);
  view->ChangeTracker(a);
  view->UpdateWindow();
  const CRect start(view->GetTracker()->GetTrackRect());
  const int h0 = view->GetScrollPos(SB_HORZ), v0 = view->GetScrollPos(SB_VERT);
  auto check = [&](const char* what) {
    SCOPED_TRACE(what);
    const int h = view->GetScrollPos(SB_HORZ), v = view->GetScrollPos(SB_VERT);
    // The renderer's scroll offset is the bars' position: it takes the same size away.
    CDC sdc;
    sdc.CreateCompatibleDC(nullptr);
    CDoubleSize rest;
    view->GetRenderer()->DeviceSizeToMm(&rest, &sdc, h, v);
    EXPECT_EQ(rest.cx, 0.0);
    EXPECT_EQ(rest.cy, 0.0);
    const CRect now(view->GetTracker()->GetTrackRect());
    EXPECT_EQ(now.left, start.left - (h - h0));
    EXPECT_EQ(now.top, start.top - (v - v0));
    // The page centre stays (0, 0) mm within a pixel.
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    const QPoint c = MmToClient(0, 0);
    CDoublePoint mm;
    view->GetRenderer()->DeviceToMm(&mm, &dc, c.x(), c.y());
    EXPECT_NEAR(mm.x, 0, 0.3);
    EXPECT_NEAR(mm.y, 0, 0.3);
  };
  view->horizontalScrollBar()->setValue(h0 + 37);
  check("bar");
  EXPECT_EQ(view->GetScrollPos(SB_HORZ), h0 + 37);
  QWheelEvent wheel(QPointF(100, 100), view->viewport()->mapToGlobal(QPointF(100, 100)), QPoint(), QPoint(0, -120),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(view->viewport(), &wheel);
  EXPECT_GT(view->GetScrollPos(SB_VERT), v0);
  check("wheel");
  QKeyEvent left(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
  QApplication::sendEvent(view.get(), &left);
  EXPECT_LT(view->GetScrollPos(SB_HORZ), h0 + 37);
  check("key");
}

// ---- Printing -----------------------------------------------------------------------------------

// The bounding box of the dark, not red, pixels of an image.
QRect InkBox(const QImage& image) {
  int l = image.width(), t = image.height(), r = -1, b = -1;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c.red() < 100 && c.green() < 100 && c.blue() < 100) {
        l = std::min(l, x);
        t = std::min(t, y);
        r = std::max(r, x);
        b = std::max(b, y);
      }
    }
  return r < 0 ? QRect() : QRect(QPoint(l, t), QPoint(r, b));
}

TEST_F(CanvasDetail, ATenMillimetreSquareMeasuresTenMillimetresOnPaper) {
  AddShape(TYPE_RECTANGLE, 10, 10, 0, 0);
  Repaint(3);
  // The print paint on a 600-dpi image: 10 mm = 236.2 pixels.
  QImage page(4000, 3000, QImage::Format_RGB32);
  page.fill(Qt::white);
  page.setDotsPerMeterX(23622);
  page.setDotsPerMeterY(23622);
  {
    QPainter painter(&page);
    CPainterDC dc(painter, &page);
    CPrintInfo info;
    info.m_bDirect = TRUE;
    view->OnPrepareDC(&dc, &info);
    POINT corner{page.width(), page.height()};
    dc.DPtoLP(&corner, 1);
    info.m_rectDraw = CRect(0, 0, corner.x, corner.y);
    view->OnPrint(&dc, &info);
    dc.DeleteDC();
  }
  const QRect box = InkBox(page);
  EXPECT_NEAR(box.width(), 236, 1);
  EXPECT_NEAR(box.height(), 236, 1);
  EXPECT_NEAR(box.center().x(), 2000, 2);
  EXPECT_EQ(doc->m_Settings.System.ZoomStep, 3);

  // On paper, read back by an independent program.
  const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
  REQUIRE_OUTSIDE_TOOL(!pdftoppm.isEmpty(), "pdftoppm (poppler-utils)");
  const QString pdf = QString::fromStdString(dir.Path() + "/square.pdf");
  prompter.ExpectPrint(true, CString(pdf.toStdString().c_str()));
  view->FilePrint();
  ASSERT_TRUE(QFile::exists(pdf));
  const QString prefix = QString::fromStdString(dir.Path() + "/square");
  ASSERT_EQ(QProcess::execute(pdftoppm, {"-r", "254", "-png", "-singlefile", pdf, prefix}), 0);
  const QImage paper(prefix + ".png");
  ASSERT_FALSE(paper.isNull());
  const QRect ink = InkBox(paper);
  EXPECT_NEAR(ink.width(), 100, 1);  // 10 mm at 254 dpi, +-0.1 mm
  EXPECT_NEAR(ink.height(), 100, 1);
}

TEST_F(CanvasDetail, ZoomAndRendererStayAsTheyWereAfterEveryKindOfPrint) {
  AddShape(TYPE_RECTANGLE, 10, 10, 0, 0);
  const int broken = AddShape(TYPE_CIRCLE, 10, 10, 20, 0);
  Repaint(15);
  // Zoom, extent, mode, and where two client points land in millimetres (origin, scale, scroll).
  auto state = [&] {
    int extent[2];
    view->GetRenderer()->GetExtent(extent);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CDoublePoint a, b;
    view->GetRenderer()->DeviceToMm(&a, &dc, 0, 0);
    view->GetRenderer()->DeviceToMm(&b, &dc, 500, 400);
    return std::vector<double>{static_cast<double>(doc->m_Settings.System.ZoomStep), static_cast<double>(extent[0]),
                               static_cast<double>(extent[1]), static_cast<double>(view->GetRenderMode()),
                               a.x, a.y, b.x, b.y};
  };
  const std::vector<double> before = state();
  const QString pdf = QString::fromStdString(dir.Path() + "/p.pdf");
  prompter.ExpectPrint(true, CString(pdf.toStdString().c_str()));
  view->FilePrint();
  EXPECT_EQ(state(), before);
  prompter.ExpectPrint(false);
  view->FilePrint();
  EXPECT_EQ(state(), before);
  prompter.ExpectPreview(3);
  view->FilePrintPreview();
  EXPECT_EQ(state(), before);
  // A copy that cannot be made ends the print paint; the state is still restored.
  const int kind = List().GetObject(broken)->m_nType;
  List().GetObject(broken)->m_nType = TYPE_IMAGE;
  prompter.ExpectPrint(true, CString(pdf.toStdString().c_str()));
  view->FilePrint();
  List().GetObject(broken)->m_nType = kind;
  EXPECT_EQ(state(), before);
  // The whole canvas is repainted after a print.
  EXPECT_EQ(view->Surface().Pending().boundingRect(), view->viewport()->rect());
  prompter.VerifyAllUsed();
}

}  // namespace
