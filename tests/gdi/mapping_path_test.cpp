// Coordinate mapping and the path recorder.
#include <gtest/gtest.h>

#include <cmath>

#include "gdi_test_util.h"

using gditest::PathText;
using gditest::ReadPath;

namespace {

CPoint P(int x, int y) { return CPoint(x, y); }

TEST(GdiMapping, MulDivRoundsHalfAwayFromZero) {
  EXPECT_EQ(MulDiv(5, 1, 2), 3);
  EXPECT_EQ(MulDiv(-5, 1, 2), -3);
  EXPECT_EQ(MulDiv(4, 1, 3), 1);
  EXPECT_EQ(MulDiv(7, 1, -2), -4);
  EXPECT_EQ(MulDiv(1, 1, 0), -1);
  EXPECT_EQ(MulDiv(2000000000, 3, 2), -1);  // does not fit
}

TEST(GdiMapping, HimetricUsesScreenResolutionYUp) {
  CDC dc;
  ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
  EXPECT_EQ(dc.SetMapMode(MM_HIMETRIC), MM_TEXT);
  POINT p[2] = {P(100000, -100000), P(-2000, 1000)};
  dc.LPtoDP(p, 2);
  EXPECT_EQ(p[0].x, 3780);
  EXPECT_EQ(p[0].y, 3780);
  EXPECT_EQ(p[1].x, -76);  // -75.6
  EXPECT_EQ(p[1].y, -38);  // -37.8
  dc.DPtoLP(p, 1);
  EXPECT_EQ(p[0].x, 100000);
  EXPECT_EQ(p[0].y, -100000);

  // Origins: the window origin is subtracted in logical units, the viewport origin added in pixels.
  dc.SetWindowOrg(1000, -1000);
  dc.SetViewportOrg(10, 20);
  POINT q = P(1000, -1000);
  dc.LPtoDP(&q);
  EXPECT_EQ(q.x, 10);
  EXPECT_EQ(q.y, 20);
  DPOINT e = dc.LPtoDPExact(1100, -1100);
  EXPECT_NEAR(e.x, 13.78, 1e-9);
  EXPECT_NEAR(e.y, 23.78, 1e-9);
}

TEST(GdiMapping, SizeConversionsKeepSignAndRound) {
  CDC dc;
  ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
  CSize one(1, 1);
  dc.DPtoHIMETRIC(&one);
  EXPECT_EQ(one, CSize(26, 26));  // 26.455
  CSize metre(100000, 100000);
  dc.HIMETRICtoDP(&metre);
  EXPECT_EQ(metre, CSize(3780, 3780));
  CSize neg(-1323, 1323);  // 50.0094 pixels
  dc.HIMETRICtoDP(&neg);
  EXPECT_EQ(neg, CSize(-50, 50));
  // Independent of the mapping mode, and sizes are never mirrored.
  dc.SetMapMode(MM_HIMETRIC);
  CSize s(1000, 1000);
  dc.LPtoDP(&s);
  EXPECT_EQ(s, CSize(38, 38));
  CSize h(1000, 1000);
  dc.HIMETRICtoDP(&h);
  EXPECT_EQ(h, CSize(38, 38));
  dc.SetMapMode(MM_TEXT);
  CSize t(7, -7);
  dc.LPtoDP(&t);
  EXPECT_EQ(t, CSize(7, -7));
}

TEST(GdiMapping, DeviceCapsOfMemoryDc) {
  CDC dc;
  ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
  EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSX), 96);
  EXPECT_EQ(dc.GetDeviceCaps(BITSPIXEL), 1);  // the 1x1 monochrome bitmap of a new memory DC
  CBitmap bmp;
  ASSERT_TRUE(bmp.CreateCompatibleBitmap(&dc, 20, 10));
  BITMAP bm;
  bmp.GetBitmap(&bm);
  EXPECT_EQ(bm.bmBitsPixel, 1);
  dc.SelectObject(&bmp);
  EXPECT_EQ(dc.GetDeviceCaps(HORZRES), 20);
  EXPECT_EQ(dc.GetDeviceCaps(VERTRES), 10);
}

TEST(GdiMapping, PageFillInHimetricCoversThePixelRectangle) {
  // The page bitmap is cleared from (0, 0) to (extent, -extent) in 0.01 mm, y up.
  gditest::Canvas c(110, 110);
  c.dc.PatBlt(0, 0, 110, 110, BLACKNESS);
  c.dc.SetMapMode(MM_HIMETRIC);
  CRect page(0, 0, 2646, -2646);  // 100.02 pixels
  c.dc.FillSolidRect(&page, RGB(255, 255, 255));
  EXPECT_EQ(c.CountBlack(), 110 * 110 - 100 * 100);
  EXPECT_EQ(c.bmp.PixelColour(99, 99), 0xFFFFFFu);
  EXPECT_EQ(c.bmp.PixelColour(100, 99), 0u);
  // Logical reads and writes go through the same mapping.
  EXPECT_EQ(c.dc.GetPixel(1323, -1323), 0xFFFFFFu);
  EXPECT_EQ(c.dc.SetPixel(1323, -1323, 0), 0u);
  EXPECT_EQ(c.bmp.PixelColour(50, 50), 0u);
  EXPECT_EQ(c.dc.GetPixel(0, 100), CLR_INVALID);  // four pixels above the page
}

TEST(GdiPath, RectangleFigureInBothAxisDirections) {
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  dc.BeginPath();
  dc.Rectangle(10, 20, 110, 70);
  dc.EndPath();
  EXPECT_EQ(PathText(ReadPath(dc)), "110,20:6 10,20:2 10,70:2 110,70:3");

  dc.SetMapMode(MM_HIMETRIC);
  for (auto r : {CRect(10, 70, 110, 20), CRect(110, 20, 10, 70)}) {
    dc.BeginPath();
    dc.Rectangle(&r);
    dc.EndPath();
    // y is up: the top is the larger y.
    EXPECT_EQ(PathText(ReadPath(dc)), "110,70:6 10,70:2 10,20:2 110,20:3");
  }
}

TEST(GdiPath, LinesPolylinesAndPolygons) {
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  dc.BeginPath();
  POINT pl[4] = {P(0, 0), P(10, 0), P(10, 10), P(10, 10)};
  dc.Polyline(pl, 4);
  POINT pg[3] = {P(0, 0), P(10, 0), P(0, 10)};
  dc.Polygon(pg, 3);
  POINT pp[7] = {P(0, 0), P(9, 0), P(0, 9), P(1, 1), P(2, 1), P(1, 2), P(1, 3)};
  INT counts[2] = {3, 4};
  dc.PolyPolygon(pp, counts, 2);
  EXPECT_TRUE(dc.IsPathOpen());
  dc.EndPath();
  EXPECT_FALSE(dc.IsPathOpen());
  EXPECT_EQ(PathText(ReadPath(dc)),
            "0,0:6 10,0:2 10,10:2 10,10:2 "    // open, repeated end kept
            "0,0:6 10,0:2 0,10:3 "             // closed, first point not repeated
            "0,0:6 9,0:2 0,9:3 1,1:6 2,1:2 1,2:2 1,3:3");

  dc.BeginPath();
  dc.MoveTo(0, 0);
  dc.LineTo(10, 0);
  dc.LineTo(10, 10);
  dc.CloseFigure();
  dc.LineTo(20, 20);  // a new figure from the current position
  dc.MoveTo(5, 5);
  dc.LineTo(6, 6);
  dc.EndPath();
  EXPECT_EQ(PathText(ReadPath(dc)), "0,0:6 10,0:2 10,10:3 10,10:6 20,20:2 5,5:6 6,6:2");
  EXPECT_EQ(dc.GetCurrentPosition(), CPoint(6, 6));
}

TEST(GdiPath, EllipseAndRoundRectAreFourCounterClockwiseArcs) {
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  dc.BeginPath();
  dc.Ellipse(0, 0, 100, 50);
  dc.EndPath();
  EXPECT_EQ(PathText(ReadPath(dc)),
            "100,25:6 100,11:4 78,0:4 50,0:4 22,0:4 0,11:4 0,25:4 0,39:4 22,50:4 50,50:4 "
            "78,50:4 100,39:4 100,25:5");

  dc.BeginPath();
  dc.RoundRect(0, 0, 100, 60, 20, 30);
  dc.EndPath();
  EXPECT_EQ(PathText(ReadPath(dc)),
            "100,15:6 100,7:4 96,0:4 90,0:4 10,0:2 4,0:4 0,7:4 0,15:4 0,45:2 0,53:4 4,60:4 "
            "10,60:4 90,60:2 96,60:4 100,53:4 100,45:5");

  dc.BeginPath();
  dc.RoundRect(0, 0, 100, 60, 0, 30);
  dc.EndPath();
  EXPECT_EQ(PathText(ReadPath(dc)), "100,0:6 0,0:2 0,60:2 100,60:3");

  // In MM_HIMETRIC the top is above: the same turn on the device, starting on the right.
  dc.SetMapMode(MM_HIMETRIC);
  dc.BeginPath();
  dc.Ellipse(0, 50, 100, 0);
  dc.EndPath();
  EXPECT_EQ(PathText(ReadPath(dc)),
            "100,25:6 100,39:4 78,50:4 50,50:4 22,50:4 0,39:4 0,25:4 0,11:4 22,0:4 50,0:4 "
            "78,0:4 100,11:4 100,25:5");
}

TEST(GdiPath, ArcRunsCounterClockwiseOnTheDevice) {
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  dc.BeginPath();
  dc.Arc(0, 0, 100, 100, 100, 50, 50, 0);  // right to top on the screen
  dc.EndPath();
  EXPECT_EQ(PathText(ReadPath(dc)), "100,50:6 100,22:4 78,0:4 50,0:4");

  dc.BeginPath();
  dc.Arc(0, 0, 100, 100, 50, 0, 100, 50);  // top round the left and bottom back to the right
  dc.EndPath();
  gditest::PathData d = ReadPath(dc);
  ASSERT_EQ(d.pts.size(), 10u);
  EXPECT_EQ(PathText(d).substr(0, 5), "50,0:");
  EXPECT_EQ(d.pts[3].x, 0);   // left after the first quarter
  EXPECT_EQ(d.pts[6].y, 100);  // bottom after the second
  EXPECT_EQ(d.pts[9].x, 100);
  EXPECT_EQ(d.types[9], PT_BEZIERTO);  // open figure

  dc.SetMapMode(MM_HIMETRIC);
  dc.BeginPath();
  dc.Arc(0, 100, 100, 0, 100, 50, 50, 100);  // right to top, y up
  dc.EndPath();
  EXPECT_EQ(PathText(ReadPath(dc)), "100,50:6 100,78:4 78,100:4 50,100:4");
}

// Distance from p to a cubic Bezier, by dense sampling.
double DistanceToBezier(DPOINT p, const POINT* c) {
  double best = 1e300;
  for (int i = 0; i <= 4000; ++i) {
    double t = i / 4000.0, u = 1 - t;
    double x = u * u * u * c[0].x + 3 * u * u * t * c[1].x + 3 * u * t * t * c[2].x + t * t * t * c[3].x;
    double y = u * u * u * c[0].y + 3 * u * u * t * c[1].y + 3 * u * t * t * c[2].y + t * t * t * c[3].y;
    best = std::min(best, std::hypot(x - p.x, y - p.y));
  }
  return best;
}

TEST(GdiPath, FlattenStaysWithinOneUnitAndKeepsTheCloseFlag) {
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  dc.SetMapMode(MM_HIMETRIC);
  dc.BeginPath();
  dc.Ellipse(-1000, 600, 1000, -600);
  dc.EndPath();
  gditest::PathData curve = ReadPath(dc);
  ASSERT_EQ(curve.pts.size(), 13u);
  ASSERT_TRUE(dc.FlattenPath());
  gditest::PathData flat = ReadPath(dc);
  ASSERT_GT(flat.pts.size(), 40u);
  EXPECT_EQ(flat.types.front(), PT_MOVETO);
  EXPECT_EQ(flat.types.back(), PT_LINETO | PT_CLOSEFIGURE);
  for (size_t i = 1; i + 1 < flat.types.size(); ++i) ASSERT_EQ(flat.types[i], PT_LINETO);
  EXPECT_EQ(flat.pts.back().x, 1000);
  EXPECT_EQ(flat.pts.back().y, 0);
  // Every point and every segment midpoint near one of the four arcs.
  for (size_t i = 0; i < flat.pts.size(); ++i) {
    const POINT a = flat.pts[i], b = flat.pts[(i + 1) % flat.pts.size()];
    for (DPOINT p : {DPOINT{double(a.x), double(a.y)}, DPOINT{(a.x + b.x) / 2.0, (a.y + b.y) / 2.0}}) {
      double d = 1e300;
      for (int k = 0; k < 4; ++k) d = std::min(d, DistanceToBezier(p, &curve.pts[3 * k]));
      ASSERT_LE(d, 1.0) << "point " << i;
    }
  }
  // Points and lines pass through unchanged.
  dc.BeginPath();
  POINT pg[3] = {P(0, 0), P(10, 0), P(0, 10)};
  dc.Polygon(pg, 3);
  dc.EndPath();
  dc.FlattenPath();
  EXPECT_EQ(PathText(ReadPath(dc)), "0,0:6 10,0:2 0,10:3");
}

TEST(GdiPath, GetPathNeedsAFinishedPathAndRoom) {
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  EXPECT_EQ(dc.GetPath(nullptr, nullptr, 0), -1);
  EXPECT_FALSE(dc.FlattenPath());
  dc.BeginPath();
  dc.Rectangle(0, 0, 5, 5);
  EXPECT_EQ(dc.GetPath(nullptr, nullptr, 0), -1);  // still open
  dc.EndPath();
  EXPECT_EQ(dc.GetPath(nullptr, nullptr, 0), 4);
  POINT pts[3];
  BYTE types[3];
  EXPECT_EQ(dc.GetPath(pts, types, 3), -1);
  // Beginning a path again discards the old one.
  dc.BeginPath();
  dc.EndPath();
  EXPECT_EQ(dc.GetPath(nullptr, nullptr, 0), 0);
}

TEST(GdiPath, PolyDrawAndTheOutsideRecorder) {
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  dc.BeginPath();
  POINT pts[5] = {P(0, 0), P(10, 0), P(10, 10), P(0, 10), P(0, 5)};
  BYTE bad[5] = {PT_MOVETO, PT_BEZIERTO, PT_BEZIERTO, PT_LINETO, PT_LINETO};
  EXPECT_FALSE(dc.PolyDraw(pts, bad, 5));
  BYTE good[5] = {PT_MOVETO, PT_BEZIERTO, PT_BEZIERTO, PT_BEZIERTO | PT_CLOSEFIGURE, PT_LINETO};
  EXPECT_TRUE(dc.PolyDraw(pts, good, 5));
  EXPECT_TRUE(dc.PathMoveTo(P(100, 100)));
  EXPECT_TRUE(dc.PathBezierTo(P(110, 100), P(120, 110), P(120, 120)));
  EXPECT_TRUE(dc.PathLineTo(P(100, 120)));
  EXPECT_TRUE(dc.PathCloseFigure());
  dc.EndPath();
  EXPECT_EQ(PathText(ReadPath(dc)),
            "0,0:6 10,0:4 10,10:4 0,10:5 0,10:6 0,5:2 "
            "100,100:6 110,100:4 120,110:4 120,120:4 100,120:3");
  EXPECT_FALSE(dc.PathLineTo(P(1, 1)));  // no open path
}

}  // namespace
