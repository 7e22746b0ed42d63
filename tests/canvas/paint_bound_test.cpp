// Screen paints bounded by what can be seen: a huge grid and a huge line with its tracker are
// drawn with work that follows the window, a repaint of a part equals the same part of a full
// paint, unseen copies still keep their figures for hit tests, and the tracker's frame keeps its
// dots where it is clipped. The QR symbol cache keeps serving past many symbols.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <memory>
#include <string>

#include "canvas/barcode_symbols.h"
#include "canvas/object_tracker.h"
#include "canvas_fixture.h"
#include "platform/gdi/painter_backend.h"
#include "platform/gdi/raster_backend.h"

namespace {

class PaintBound : public CanvasTest {
 protected:
  void SetUp() override {
    CanvasTest::SetUp();
    ShowView();
  }
  QImage Surface() { return view->SurfaceImage().convertToFormat(QImage::Format_RGB32); }
  long long Paint() {
    const long long before = view->GetCopiesDrawn();
    view->Invalidate(TRUE);
    view->UpdateWindow();
    return view->GetCopiesDrawn() - before;
  }
};

long Differences(const QImage& a, const QImage& b, const QRect& within) {
  long n = 0;
  for (int y = within.top(); y <= within.bottom(); ++y)
    for (int x = within.left(); x <= within.right(); ++x)
      if ((a.pixel(x, y) & 0xFFFFFF) != (b.pixel(x, y) & 0xFFFFFF)) ++n;
  return n;
}

TEST_F(PaintBound, AGridOf999By999ArcTextsDrawsOnlyTheCopiesInTheWindow) {
  const int t = AddShape(TYPE_TEXT2, 20, 20);
  SetGrid(t, 999, 999, 2, 2);
  Repaint(3);
  const long long drawn = Paint();
  // The window shows a few hundred copies at most, not 998,001.
  EXPECT_GT(drawn, 0);
  EXPECT_LT(drawn, 2000);
  const CDoubleRect want = FullWalkBounds(t);
  const CDoubleRect& got = List().GetObject(t)->m_rcBounds;
  EXPECT_DOUBLE_EQ(got.left, want.left);
  EXPECT_DOUBLE_EQ(got.top, want.top);
  EXPECT_DOUBLE_EQ(got.right, want.right);
  EXPECT_DOUBLE_EQ(got.bottom, want.bottom);
}

TEST_F(PaintBound, ALineOf1e9MillimetresWithItsTrackerPaintsOneCopyAndShowsTheLine) {
  const int line = AddShape(TYPE_LINE, 1e9, 2);
  Repaint(3);
  view->ChangeTracker(line);
  EXPECT_EQ(Paint(), 1);
  const QImage img = Surface();
  // The line runs through the page centre across the whole window.
  const CRect r = ClientRectOf(line);
  const int y = std::clamp((r.top + r.bottom) / 2, 0, img.height() - 1);
  EXPECT_NE(img.pixel(5, y) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_NE(img.pixel(img.width() - 5, y) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(PaintBound, RepaintingAPartGivesThePixelsOfTheFullPaintWithFewerCopies) {
  // Grids of every kind that run past the window's edges.
  const int kinds[] = {TYPE_RECTANGLE, TYPE_CIRCLE, TYPE_TRIANGLE, TYPE_RHOMBIC, TYPE_POLYGON,
                       TYPE_LINE,      TYPE_TEXT1,  TYPE_TEXT2,    TYPE_BARCODE};
  double y = -100;
  for (int kind : kinds) {
    const int e = AddShape(kind, 9, kind == TYPE_LINE ? 1 : 6, -30, y);
    if (kind == TYPE_LINE) At<CLineObject>(e)->m_dAngle = 30;
    if (kind == TYPE_BARCODE) At<CBarcodeObject>(e)->m_strText = CString("PAINT");
    SetGrid(e, 2, 60, 1, 1.5);
    y += 22;
  }
  const int image = AddBitmap(MakeImage(30, 20, [](int x, int yy) { return (x / 3 + yy / 4) % 2 == 0; }), 8, 6,
                              -40, 100);
  SetGrid(image, 1, 60, 1, 2);
  Repaint(9);
  const long long full = Paint();
  const QImage whole = Surface();
  const int w = whole.width(), h = whole.height();
  const QRect parts[] = {QRect(0, 0, 120, h), QRect(w - 120, 0, 120, h), QRect(300, 250, 200, 150),
                         QRect(0, h - 50, w, 50)};
  for (const QRect& part : parts) {
    const long long before = view->GetCopiesDrawn();
    RECT r{part.left(), part.top(), part.right() + 1, part.bottom() + 1};
    view->InvalidateRect(&r, TRUE);
    view->UpdateWindow();
    EXPECT_LT(view->GetCopiesDrawn() - before, full);
    EXPECT_EQ(Differences(Surface(), whole, whole.rect()), 0) << part.x() << "," << part.y();
  }
  // Every copy keeps its figures, seen or not: a hit test may ask for any of them.
  EXPECT_EQ(List().GetObject(1)->m_nCapturedCount, 120);
}

TEST_F(PaintBound, TheGridOfAPageOfAnyAreaDrawsOnlyItsLinesInTheWindow) {
  doc->m_Settings.System.GridShow = 1;
  // 1.16 mm is a hair under 116 logical units: the sums of the steps round up to whole units.
  for (const double size : {3.7, 1.16}) {
    doc->m_Settings.DrawingData.GridSize = size;
    Repaint(9);
    Paint();
    const QImage whole = Surface();
    // Repainted in parts, the grid's lines stand where the whole page's steps put them.
    const int w = whole.width(), h = whole.height();
    for (const QRect& part : {QRect(w - 150, 0, 150, h), QRect(200, h - 90, 300, 90), QRect(w / 2, h / 3, 29, 9)}) {
      RECT r{part.left(), part.top(), part.right() + 1, part.bottom() + 1};
      view->InvalidateRect(&r, TRUE);
      view->UpdateWindow();
      EXPECT_EQ(Differences(Surface(), whole, whole.rect()), 0) << size << " mm, " << part.x() << "," << part.y();
    }
  }
  // A page of 1e300 mm (read from a file) paints its grid in the window and ends.
  doc->m_Settings.DrawingData.Area = 1e300;
  doc->m_Settings.DrawingData.GridSize = 1;
  Repaint(3);
  Paint();
  const QImage huge = Surface();
  long grey = 0;
  for (int x = 0; x < huge.width(); ++x)
    if ((huge.pixel(x, huge.height() / 2) & 0xFFFFFF) != 0xFFFFFFu) ++grey;
  EXPECT_GT(grey, 0);
}

// Counts the pixel fills of a raster DC.
class CountingBackend : public CRasterBackend {
 public:
  using CRasterBackend::CRasterBackend;
  void PatBlt(const RECT& r, DWORD rop, const GdiDrawState& st) override {
    ++fills;
    CRasterBackend::PatBlt(r, rop, st);
  }
  long long fills = 0;
};

struct CountingDC {
  CDC dc;
  CBitmap bitmap;
  CountingBackend* backend = nullptr;
  CountingDC(int w, int h) {
    auto b = std::make_unique<CountingBackend>(&dc, 3780, 3780);
    backend = b.get();
    dc.AttachBackend(std::move(b));
    bitmap.CreateBitmap(w, h, 1, 32, nullptr);
    dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, w, h, 0xFFFFFF);
    backend->fills = 0;
  }
};

TEST(TrackerFrame, AHugeFrameFillsOnlyThePixelsWithinTheDevice) {
  CountingDC c(200, 100);
  const RECT huge{-(1 << 28), -(1 << 28), 1 << 28, 1 << 28};
  CRectTracker t(&huge, CRectTracker::dottedLine | CRectTracker::resizeOutside);
  t.Draw(&c.dc);
  // The frame and the handles lie off the device: at most the device's border is touched.
  EXPECT_LE(c.backend->fills, 2 * (200 + 100) + 8);
  const RECT across{-(1 << 28), 40, 1 << 28, 60};
  CRectTracker band(&across, CRectTracker::dottedLine);
  c.backend->fills = 0;
  band.Draw(&c.dc);
  EXPECT_LE(c.backend->fills, 200);
  EXPECT_GT(c.backend->fills, 50);
}

TEST(TrackerFrame, ClippedDotsStandWhereTheWholeFrameWouldPutThem) {
  // The frame walked pixel by pixel from the top-left, clockwise; every other one set.
  auto reference = [](const CRect& r, int w, int h) {
    std::vector<int> px(static_cast<size_t>(w * h), 0);
    int i = 0;
    auto dot = [&](int x, int y) {
      if ((i++ & 1) == 0 && x >= 0 && y >= 0 && x < w && y < h) px[static_cast<size_t>(y * w + x)] = 1;
    };
    for (int x = r.left; x < r.right; ++x) dot(x, r.top);
    for (int y = r.top + 1; y < r.bottom; ++y) dot(r.right - 1, y);
    for (int x = r.right - 2; x >= r.left; --x) dot(x, r.bottom - 1);
    for (int y = r.bottom - 2; y > r.top; --y) dot(r.left, y);
    return px;
  };
  const CRect frames[] = {CRect(10, 10, 60, 40), CRect(-33, -7, 75, 31), CRect(150, 80, 261, 177),
                          CRect(5, 5, 6, 9), CRect(20, 20, 27, 21)};
  for (const CRect& f : frames) {
    CountingDC c(200, 100);
    CRectTracker t(&f, CRectTracker::dottedLine);
    t.Draw(&c.dc);
    const std::vector<int> want = reference(f, 200, 100);
    long wrong = 0;
    for (int y = 0; y < 100; ++y)
      for (int x = 0; x < 200; ++x)
        if ((c.bitmap.PixelColour(x, y) == 0) != (want[static_cast<size_t>(y * 200 + x)] == 1)) ++wrong;
    EXPECT_EQ(wrong, 0) << f.left << "," << f.top;
  }
}

TEST(TrackerFrame, AFocusFrameOnTheSurfaceKeepsItsDotsWhereItIsClipped) {
  auto draw = [](const RECT& r, const QRect& clip) {
    QImage img(200, 100, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setClipRect(clip);
    CPainterDC dc(p, &img);
    dc.DrawFocusRect(&r);
    return img;
  };
  const RECT frames[] = {{11, 13, 150, 80}, {-1001, -7, 1 << 29, 61}, {-(1 << 29), -(1 << 29), 1 << 29, 1 << 29}};
  const QRect clip(37, 21, 101, 55);
  for (const RECT& f : frames) {
    const QImage whole = draw(f, QRect(0, 0, 200, 100)), part = draw(f, clip);
    long wrong = 0;
    for (int y = 0; y < 100; ++y)
      for (int x = 0; x < 200; ++x) {
        const QRgb want = clip.contains(x, y) ? whole.pixel(x, y) : qRgb(255, 255, 255);
        if ((part.pixel(x, y) & 0xFFFFFF) != (want & 0xFFFFFF)) ++wrong;
      }
    EXPECT_EQ(wrong, 0) << f.left << "," << f.top;
  }
}

TEST(BarcodeSymbolCache, KeepsServingPastManySymbolsWithoutEncodingAgain) {
  CBarcodeSymbolCache cache;
  auto text = [](int k) { return CString(("SYMBOL-" + std::to_string(k)).c_str()); };
  for (int round = 0; round < 3; ++round)
    for (int k = 0; k < 600; ++k) ASSERT_EQ(cache.Get(text(k), 1, -1).ok, 1);
  EXPECT_EQ(cache.GetEncodeCount(), 600);
  EXPECT_EQ(cache.GetSize(), 600);
  const BarcodeSymbol* first = &cache.Get(text(0), 1, -1);
  for (int k = 1; k < 600; ++k) cache.Get(text(k), 1, -1);
  EXPECT_EQ(&cache.Get(text(0), 1, -1), first);
}

}  // namespace
