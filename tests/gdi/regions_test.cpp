// Regions: shapes, combination, point tests and filling.
#include <gtest/gtest.h>

#include <cmath>
#include <thread>
#include <vector>

#include "gdi_test_util.h"
#include "platform/gdi/raster_backend.h"
#include "platform/gdi/span_region.h"

using gditest::Canvas;
using gditest::Join;

namespace {

CPoint P(int x, int y) { return CPoint(x, y); }

TEST(GdiRegion, PtInRegionMinimumEdgesInsideMaximumOutside) {
  CRgn r;
  ASSERT_TRUE(r.CreateRectRgn(0, 0, 10, 10));
  EXPECT_TRUE(r.PtInRegion(0, 0));
  EXPECT_TRUE(r.PtInRegion(9, 9));
  EXPECT_FALSE(r.PtInRegion(10, 5));
  EXPECT_FALSE(r.PtInRegion(5, 10));
  EXPECT_FALSE(r.PtInRegion(-1, 0));
  // Given the other way round (y up), the same cells.
  CRgn up;
  up.CreateRectRgn(10, 10, 0, 0);
  EXPECT_TRUE(up.EqualRgn(&r));
  RECT box;
  EXPECT_EQ(r.GetRgnBox(&box), SIMPLEREGION);
  EXPECT_EQ(CRect(box), CRect(0, 0, 10, 10));
  CRgn empty;
  empty.CreateRectRgn(5, 5, 5, 9);
  EXPECT_EQ(empty.GetRgnBox(&box), NULLREGION);
  EXPECT_FALSE(empty.PtInRegion(5, 5));
  CRgn none;
  EXPECT_EQ(none.GetRgnBox(&box), ERROR);
  EXPECT_FALSE(none.PtInRegion(0, 0));
}

TEST(GdiRegion, CombineModes) {
  CRgn a, b, out;
  a.CreateRectRgn(0, 0, 10, 10);
  b.CreateRectRgn(5, 5, 15, 15);
  out.CreateRectRgn(0, 0, 0, 0);
  RECT box;
  EXPECT_EQ(out.CombineRgn(&a, &b, RGN_AND), SIMPLEREGION);
  out.GetRgnBox(&box);
  EXPECT_EQ(CRect(box), CRect(5, 5, 10, 10));
  EXPECT_EQ(out.CombineRgn(&a, &b, RGN_OR), COMPLEXREGION);
  EXPECT_EQ(out.Spans().CellCount(), 175);
  out.GetRgnBox(&box);
  EXPECT_EQ(CRect(box), CRect(0, 0, 15, 15));
  EXPECT_EQ(out.CombineRgn(&a, &b, RGN_XOR), COMPLEXREGION);
  EXPECT_EQ(out.Spans().CellCount(), 150);
  EXPECT_FALSE(out.PtInRegion(7, 7));
  EXPECT_TRUE(out.PtInRegion(12, 12));
  EXPECT_EQ(out.CombineRgn(&a, &b, RGN_DIFF), COMPLEXREGION);
  EXPECT_EQ(out.Spans().CellCount(), 75);
  EXPECT_TRUE(out.PtInRegion(4, 9));
  EXPECT_FALSE(out.PtInRegion(5, 5));
  EXPECT_EQ(out.CombineRgn(&a, nullptr, RGN_COPY), SIMPLEREGION);
  EXPECT_TRUE(out.EqualRgn(&a));
  // Disjoint AND is empty; the destination may be one of the sources.
  CRgn far;
  far.CreateRectRgn(20, 20, 30, 30);
  EXPECT_EQ(a.CombineRgn(&a, &far, RGN_AND), NULLREGION);
  EXPECT_FALSE(a.PtInRegion(0, 0));
  // A destination that was never created, or a missing source, is an error.
  CRgn fresh;
  EXPECT_EQ(fresh.CombineRgn(&b, &far, RGN_OR), ERROR);
  EXPECT_EQ(out.CombineRgn(&b, nullptr, RGN_OR), ERROR);
}

TEST(GdiRegion, FrameBandIsOuterMinusInner) {
  // The work-area frame: a rectangle band 2 cells wide.
  CRgn outer, inner, band;
  outer.CreateRectRgn(0, 0, 20, 12);
  inner.CreateRectRgn(2, 2, 18, 10);
  band.CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(band.CombineRgn(&outer, &inner, RGN_DIFF), COMPLEXREGION);
  EXPECT_EQ(band.Spans().CellCount(), 20 * 12 - 16 * 8);
  Canvas c(20, 12);
  CBrush black(RGB(0, 0, 0));
  EXPECT_TRUE(c.dc.FillRgn(&band, &black));
  EXPECT_EQ(c.CountBlack(), 20 * 12 - 16 * 8);
  EXPECT_EQ(c.bmp.PixelColour(1, 5), 0u);
  EXPECT_EQ(c.bmp.PixelColour(2, 5), 0xFFFFFFu);
  EXPECT_EQ(c.bmp.PixelColour(17, 5), 0xFFFFFFu);
  EXPECT_EQ(c.bmp.PixelColour(18, 5), 0u);
}

TEST(GdiRegion, EllipticAndRoundRectRegions) {
  CRgn e;
  e.CreateEllipticRgn(0, 0, 8, 6);
  Canvas c(10, 8);
  CBrush black(RGB(0, 0, 0));
  c.dc.FillRgn(&e, &black);
  EXPECT_EQ(c.Picture(), Join({"..####....", ".######...", "########..", "########..", ".######...",
                               "..####....", "..........", ".........."}));
  // A large one has the area of the ellipse.
  CRgn big;
  big.CreateEllipticRgn(-300, -200, 300, 200);
  EXPECT_NEAR(static_cast<double>(big.Spans().CellCount()), M_PI * 300 * 200, 300);
  EXPECT_TRUE(big.PtInRegion(0, 0));
  EXPECT_TRUE(big.PtInRegion(-300, 0));
  EXPECT_FALSE(big.PtInRegion(299, 199));
  CRgn rr;
  rr.CreateRoundRectRgn(0, 0, 100, 60, 40, 20);
  EXPECT_FALSE(rr.PtInRegion(0, 0));
  EXPECT_TRUE(rr.PtInRegion(50, 0));
  EXPECT_TRUE(rr.PtInRegion(0, 30));
  EXPECT_TRUE(rr.PtInRegion(20, 10));
  EXPECT_FALSE(rr.PtInRegion(99, 59));
  double area = 100.0 * 60 - (40.0 * 20 - M_PI * 20 * 10);
  EXPECT_NEAR(static_cast<double>(rr.Spans().CellCount()), area, 40);
  // Corners larger than the rectangle are cut to it; a zero corner is the rectangle.
  CRgn whole, rect;
  whole.CreateRoundRectRgn(0, 0, 10, 10, 0, 4);
  rect.CreateRectRgn(0, 0, 10, 10);
  EXPECT_TRUE(whole.EqualRgn(&rect));
  CRgn ell, capped;
  ell.CreateEllipticRgn(0, 0, 10, 10);
  capped.CreateRoundRectRgn(0, 0, 10, 10, 50, 50);
  EXPECT_TRUE(capped.EqualRgn(&ell));
}

TEST(GdiRegion, PolygonRegionsAlternateAndWinding) {
  // A pentagram: its centre is wound twice.
  POINT star[5] = {P(50, 0), P(79, 90), P(2, 35), P(98, 35), P(21, 90)};
  CRgn alt, wind;
  alt.CreatePolygonRgn(star, 5, ALTERNATE);
  wind.CreatePolygonRgn(star, 5, WINDING);
  EXPECT_FALSE(alt.PtInRegion(50, 50));
  EXPECT_TRUE(wind.PtInRegion(50, 50));
  EXPECT_TRUE(alt.PtInRegion(50, 10));
  EXPECT_TRUE(wind.PtInRegion(50, 10));
  EXPECT_LT(alt.Spans().CellCount(), wind.Spans().CellCount());
  // The rectangle polygon of the raster scan region includes its maximum edges by one.
  POINT box[4] = {P(10, 20), P(10, 41), P(31, 41), P(31, 20)};
  CRgn scan;
  scan.CreatePolygonRgn(box, 4, WINDING);
  EXPECT_TRUE(scan.PtInRegion(30, 40));
  EXPECT_FALSE(scan.PtInRegion(31, 40));
  EXPECT_TRUE(scan.PtInRegion(10, 20));
  EXPECT_FALSE(scan.PtInRegion(9, 20));
  // Area of a triangle region against geometry.
  POINT tri[3] = {P(0, 0), P(1000, 100), P(300, 700)};
  CRgn t;
  t.CreatePolygonRgn(tri, 3, ALTERNATE);
  EXPECT_NEAR(static_cast<double>(t.Spans().CellCount()), 0.5 * (1000.0 * 700 - 100.0 * 300), 1200);
  CRgn bad;
  EXPECT_FALSE(bad.CreatePolygonRgn(tri, 3, 7));
}

TEST(GdiRegion, OffsetRectInRegionAndData) {
  CRgn r;
  r.CreateRectRgn(0, 0, 4, 4);
  EXPECT_EQ(r.OffsetRgn(10, -2), SIMPLEREGION);
  EXPECT_TRUE(r.PtInRegion(10, -2));
  EXPECT_FALSE(r.PtInRegion(0, 0));
  CRect in(12, 0, 20, 9), out(0, 0, 10, 10);
  EXPECT_TRUE(r.RectInRegion(&in));
  EXPECT_FALSE(r.RectInRegion(&out));

  // Rectangles out and back in: the same region.
  CRgn a, b, u;
  a.CreateRectRgn(0, 0, 10, 10);
  b.CreateEllipticRgn(5, 5, 25, 15);
  u.CreateRectRgn(0, 0, 0, 0);
  u.CombineRgn(&a, &b, RGN_OR);
  int need = u.GetRegionData(nullptr, 0);
  ASSERT_GT(need, 32);
  std::vector<char> buf(static_cast<size_t>(need));
  EXPECT_EQ(u.GetRegionData(reinterpret_cast<RGNDATA*>(buf.data()), need), need);
  CRgn back;
  ASSERT_TRUE(back.CreateFromData(nullptr, need, reinterpret_cast<RGNDATA*>(buf.data())));
  EXPECT_TRUE(back.EqualRgn(&u));
  // A block that claims more rectangles than it holds is refused.
  EXPECT_FALSE(back.CreateFromData(nullptr, need - 16, reinterpret_cast<RGNDATA*>(buf.data())));
}

TEST(GdiRegion, FillRgnInHimetricFollowsTheMapping) {
  Canvas c(120, 120);
  c.dc.SetMapMode(MM_HIMETRIC);
  // 2646 hundredths of a millimetre are 100.02 pixels at 96 dpi; y is up.
  CRgn r;
  r.CreateRectRgn(0, 0, 2646, -2646);
  CBrush black(RGB(0, 0, 0));
  EXPECT_TRUE(c.dc.FillRgn(&r, &black));
  EXPECT_EQ(c.CountBlack(), 100 * 100);
  EXPECT_EQ(c.bmp.PixelColour(0, 0), 0u);
  EXPECT_EQ(c.bmp.PixelColour(99, 99), 0u);
  EXPECT_EQ(c.bmp.PixelColour(100, 50), 0xFFFFFFu);
  // An ellipse band in logical units comes out as a ring of the right size.
  Canvas e(120, 120);
  e.dc.SetMapMode(MM_HIMETRIC);
  CRgn outer, inner, band;
  outer.CreateEllipticRgn(0, 0, 2646, -2646);
  inner.CreateEllipticRgn(529, -529, 2117, -2117);
  band.CreateRectRgn(0, 0, 0, 0);
  band.CombineRgn(&outer, &inner, RGN_DIFF);
  e.dc.FillRgn(&band, &black);
  EXPECT_NEAR(e.CountBlack(), M_PI * (50.0 * 50 - 30.0 * 30), 120);
  EXPECT_EQ(e.bmp.PixelColour(50, 50), 0xFFFFFFu);
  EXPECT_EQ(e.bmp.PixelColour(50, 5), 0u);
  // A hollow brush fills nothing.
  CBrush hollow;
  LOGBRUSH lb;
  lb.lbStyle = BS_HOLLOW;
  hollow.CreateBrushIndirect(&lb);
  Canvas h(10, 10);
  CRgn all;
  all.CreateRectRgn(0, 0, 10, 10);
  EXPECT_TRUE(h.dc.FillRgn(&all, &hollow));
  EXPECT_EQ(h.CountBlack(), 0);
}

}  // namespace

// Shapes made over a region and scratch buffers that an earlier, larger shape used on the same
// thread give exactly the cells a fresh thread (nothing kept) gives.
namespace reuse {

std::vector<std::vector<gdi::FixPoint>> Star(double cx, double cy, double r, int points) {
  std::vector<gdi::FixPoint> ring;
  for (int k = 0; k < 2 * points; ++k) {
    const double a = k * 3.14159265358979323846 / points, rr = k % 2 ? r / 3 : r;
    ring.push_back(gdi::ToFix(cx + rr * std::cos(a), cy + rr * std::sin(a)));
  }
  return {ring};
}

DeviceFigure Outline(const std::vector<gdi::FixPoint>& ring, bool closed) {
  DeviceFigure f;
  f.closed = closed;
  for (const gdi::FixPoint& p : ring) f.points.push_back(DPOINT{p.x / 256.0, p.y / 256.0});
  return f;
}

}  // namespace reuse

TEST(GdiRegion, ShapesOverUsedBuffersEqualShapesMadeAfresh) {
  const auto big = reuse::Star(300.4, 250.7, 240, 90);
  const auto small = reuse::Star(20.3, 30.6, 3.2, 5);
  const std::vector<DeviceFigure> bigFigures{reuse::Outline(big[0], true), reuse::Outline(big[0], false)};
  const std::vector<DeviceFigure> smallFigures{reuse::Outline(small[0], true)};
  gdi::Clip clip;
  clip.left = 0;
  clip.top = 0;
  clip.right = 640;
  clip.bottom = 480;

  gdi::SpanRegion freshFill, freshAlternate, freshPen;
  std::thread([&] {
    freshFill = gdi::SpanRegion::Polygon(small, WINDING, clip);
    freshAlternate = gdi::SpanRegion::Polygon(small, ALTERNATE, clip);
    freshPen = CRasterBackend::StrokeCoverage(smallFigures, 1, clip);
  }).join();
  ASSERT_FALSE(freshFill.IsEmpty());
  ASSERT_FALSE(freshPen.IsEmpty());

  gdi::SpanRegion area, pen;
  gdi::SpanRegion::PolygonInto(big, WINDING, clip, area);
  CRasterBackend::StrokeCoverageInto(bigFigures, 1, clip, pen);
  ASSERT_GT(area.bands.size(), freshFill.bands.size());
  gdi::SpanRegion::PolygonInto(small, WINDING, clip, area);
  CRasterBackend::StrokeCoverageInto(smallFigures, 1, clip, pen);
  EXPECT_TRUE(area == freshFill);
  EXPECT_EQ(area.CellCount(), freshFill.CellCount());
  EXPECT_TRUE(pen == freshPen);
  EXPECT_EQ(pen.CellCount(), freshPen.CellCount());
  gdi::SpanRegion::PolygonInto(small, ALTERNATE, clip, area);
  EXPECT_TRUE(area == freshAlternate);

  // A shape that leaves nothing within the clip leaves the region empty, not as it was.
  gdi::Clip away = clip;
  away.left = 1000;
  away.right = 1100;
  gdi::SpanRegion::PolygonInto(small, WINDING, away, area);
  CRasterBackend::StrokeCoverageInto(smallFigures, 1, away, pen);
  EXPECT_TRUE(area.IsEmpty());
  EXPECT_TRUE(pen.IsEmpty());

  // Two span lists alive at once on a thread keep their own spans.
  gdi::RowSpans outer(0, 10), inner(0, 10);
  outer.Add(2, 5, 8);
  inner.Add(2, 1, 3);
  outer.Add(2, 0, 6);
  inner.Add(4, 7, 9);
  const gdi::SpanRegion o = inner.ToRegion(), p = outer.ToRegion();
  EXPECT_EQ(o.CellCount(), 4);
  EXPECT_EQ(p.CellCount(), 8);
  EXPECT_TRUE(p.Contains(0, 2) && p.Contains(7, 2) && !p.Contains(8, 2) && !p.Contains(1, 4));
}

