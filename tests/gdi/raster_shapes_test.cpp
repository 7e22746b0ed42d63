// The rasteriser behind memory DCs: pixel-exact shapes on 1-bit and 32-bit bitmaps.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "gdi_test_util.h"

using gditest::Canvas;
using gditest::Join;

namespace {

CPoint P(int x, int y) { return CPoint(x, y); }

TEST(GdiRaster, RectangleLeavesOutRightAndBottomEdge) {
  for (int bpp : {1, 32}) {
    Canvas c(6, 6, bpp);
    c.dc.Rectangle(0, 0, 4, 4);
    EXPECT_EQ(c.Picture(), Join({"####..", "#..#..", "#..#..", "####..", "......", "......"}))
        << bpp;
    // A filled one covers exactly 16 pixels: the area of the rectangle.
    Canvas f(6, 6, bpp);
    f.dc.SelectStockObject(BLACK_BRUSH);
    f.dc.SelectStockObject(NULL_PEN);
    f.dc.Rectangle(1, 1, 5, 5);
    EXPECT_EQ(f.CountBlack(), 16);
    EXPECT_EQ(f.Picture(), Join({"......", ".####.", ".####.", ".####.", ".####.", "......"}));
  }
}

TEST(GdiRaster, TrianglesFollowTheTopLeftRule) {
  // Two triangles sharing the diagonal of a 4x4 square: centres on the diagonal belong to the
  // triangle for which it is a left edge, so together they tile the square exactly.
  Canvas a(4, 4), b(4, 4);
  for (Canvas* c : {&a, &b}) {
    c->dc.SelectStockObject(BLACK_BRUSH);
    c->dc.SelectStockObject(NULL_PEN);
  }
  POINT t1[3] = {P(0, 0), P(4, 0), P(0, 4)};
  POINT t2[3] = {P(4, 0), P(4, 4), P(0, 4)};
  a.dc.Polygon(t1, 3);
  b.dc.Polygon(t2, 3);
  EXPECT_EQ(a.Picture(), Join({"###.", "##..", "#...", "...."}));
  EXPECT_EQ(b.Picture(), Join({"...#", "..##", ".###", "####"}));
  int both = 0, none = 0;
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) {
      bool ia = a.bmp.PixelColour(x, y) == 0, ib = b.bmp.PixelColour(x, y) == 0;
      both += ia && ib;
      none += !ia && !ib;
    }
  EXPECT_EQ(both, 0);
  EXPECT_EQ(none, 0);
}

// Distance from (x, y) to the ellipse with centre (cx, cy) and radii a, b, by dense sampling.
double DistanceToEllipse(double x, double y, double cx, double cy, double a, double b) {
  double best = 1e300;
  for (int i = 0; i < 20000; ++i) {
    double t = 2 * M_PI * i / 20000;
    best = std::min(best, std::hypot(cx + a * std::cos(t) - x, cy + b * std::sin(t) - y));
  }
  return best;
}

TEST(GdiRaster, EllipseInsideItsBoxAgainstTheTrueCurve) {
  Canvas c(10, 8);
  c.dc.Ellipse(0, 0, 8, 6);
  EXPECT_EQ(c.Picture(), Join({"..####....", ".#....#...", "#......#..", "#......#..", ".#....#...",
                               "..####....", "..........", ".........."}));
  // Larger: every outline pixel lies within one pixel of the true ellipse, every point of the
  // curve has an outline pixel within one pixel, and the inside is exactly the pixels whose
  // centres lie inside.
  Canvas big(70, 44, 32);
  big.dc.SelectStockObject(GRAY_BRUSH);
  big.dc.Ellipse(3, 2, 67, 42);
  const double cx = 35, cy = 22, a = 32, b = 20;
  std::vector<CPoint> ring;
  for (int y = 0; y < big.h; ++y)
    for (int x = 0; x < big.w; ++x) {
      COLORREF px = big.bmp.PixelColour(x, y);
      double u = (x + 0.5 - cx) / a, v = (y + 0.5 - cy) / b;
      double f = u * u + v * v;
      if (px == 0) {
        ring.push_back(CPoint(x, y));
        EXPECT_LE(DistanceToEllipse(x + 0.5, y + 0.5, cx, cy, a, b), 1.0) << x << "," << y;
      } else if (px == 0xFFFFFF) {
        EXPECT_GE(f, 1.0) << x << "," << y;
      } else {
        EXPECT_LT(f, 1.0) << x << "," << y;
      }
    }
  for (int i = 0; i < 720; ++i) {
    double t = 2 * M_PI * i / 720, px = cx + a * std::cos(t), py = cy + b * std::sin(t);
    double best = 1e300;
    for (const CPoint& p : ring) best = std::min(best, std::hypot(p.x + 0.5 - px, p.y + 0.5 - py));
    EXPECT_LE(best, 1.0) << i;
  }
}

TEST(GdiRaster, WideAndInsideFramePensOnEllipses) {
  Canvas c(12, 12);
  CPen p(PS_INSIDEFRAME, 3, 0);
  CPen* old = c.dc.SelectObject(&p);
  c.dc.Ellipse(0, 0, 12, 10);
  c.dc.SelectObject(old);
  EXPECT_EQ(c.Picture(), Join({"...#####....", "..########..", ".##########.", "####....####",
                               "###......###", "###......###", "####....####", ".##########.",
                               "..########..", "...#####....", "............", "............"}));
}

TEST(GdiRaster, PolygonWithAHoleUnderBothFillModes) {
  // The inner square runs the same way round as the outer one: ALTERNATE leaves a hole, WINDING
  // counts it twice and fills it.
  POINT p[8] = {P(0, 0), P(10, 0), P(10, 10), P(0, 10), P(2, 2), P(8, 2), P(8, 8), P(2, 8)};
  INT n[2] = {4, 4};
  for (int mode : {ALTERNATE, WINDING}) {
    Canvas c(12, 12);
    c.dc.SelectStockObject(BLACK_BRUSH);
    c.dc.SelectStockObject(NULL_PEN);
    EXPECT_EQ(c.dc.SetPolyFillMode(mode), ALTERNATE);
    c.dc.PolyPolygon(p, n, 2);
    EXPECT_EQ(c.CountBlack(), mode == ALTERNATE ? 100 - 36 : 100);
    EXPECT_EQ(c.bmp.PixelColour(5, 5), mode == ALTERNATE ? 0xFFFFFFu : 0u);
  }
  // Turned the other way round, the inner square is a hole under both modes.
  POINT q[8] = {P(0, 0), P(10, 0), P(10, 10), P(0, 10), P(2, 2), P(2, 8), P(8, 8), P(8, 2)};
  Canvas w(12, 12);
  w.dc.SelectStockObject(BLACK_BRUSH);
  w.dc.SelectStockObject(NULL_PEN);
  w.dc.SetPolyFillMode(WINDING);
  w.dc.PolyPolygon(q, n, 2);
  EXPECT_EQ(w.Picture(), Join({"##########..", "##########..", "##......##..", "##......##..",
                               "##......##..", "##......##..", "##......##..", "##......##..",
                               "##########..", "##########..", "............", "............"}));
}

TEST(GdiRaster, FilledPolygonAreaMatchesGeometry) {
  // A concave polygon with slanted edges: the pixel count follows the area closely.
  POINT p[6] = {P(5, 3), P(180, 20), P(120, 90), P(190, 170), P(20, 150), P(60, 80)};
  double area = 0;
  for (int i = 0; i < 6; ++i) {
    const POINT& a = p[i];
    const POINT& b = p[(i + 1) % 6];
    area += double(a.x) * b.y - double(b.x) * a.y;
  }
  area = std::fabs(area) / 2;
  Canvas c(200, 180);
  c.dc.SelectStockObject(BLACK_BRUSH);
  c.dc.SelectStockObject(NULL_PEN);
  c.dc.Polygon(p, 6);
  EXPECT_NEAR(c.CountBlack(), area, area * 0.01);
  // With a pen the outline is added on top.
  Canvas d(200, 180);
  d.dc.SelectStockObject(BLACK_BRUSH);
  d.dc.Polygon(p, 6);
  EXPECT_GE(d.CountBlack(), c.CountBlack());
  for (int y = 0; y < 180; ++y)
    for (int x = 0; x < 200; ++x)
      if (c.bmp.PixelColour(x, y) == 0) {
        ASSERT_EQ(d.bmp.PixelColour(x, y), 0u);
      }
}

TEST(GdiRaster, ThinLinesLeaveOutTheirLastPixel) {
  Canvas c(12, 6);
  c.dc.MoveTo(1, 1);
  c.dc.LineTo(9, 4);
  EXPECT_EQ(c.Picture(), Join({"............", ".##.........", "...##.......", ".....###....",
                               "........#...", "............"}));
  EXPECT_EQ(c.dc.GetCurrentPosition(), CPoint(9, 4));
  // Geometric truth: one pixel per column from 1 to 8, each within half a pixel of the line.
  Canvas l(60, 30);
  l.dc.MoveTo(2, 3);
  l.dc.LineTo(55, 25);
  for (int x = 0; x < 60; ++x) {
    int n = 0;
    for (int y = 0; y < 30; ++y)
      if (l.bmp.PixelColour(x, y) == 0) {
        ++n;
        EXPECT_LE(std::fabs(y - (3 + (x - 2) * 22.0 / 53)), 0.5) << x << "," << y;
      }
    EXPECT_EQ(n, x >= 2 && x < 55 ? 1 : 0) << x;
  }
  // A closed polygon outline draws every vertex once: R2_XORPEN shows no double pixels.
  Canvas x(8, 8);
  x.dc.SetROP2(R2_XORPEN);
  x.dc.SelectStockObject(NULL_BRUSH);
  x.dc.SelectStockObject(WHITE_PEN);
  POINT tri[3] = {P(1, 1), P(6, 1), P(1, 6)};
  x.dc.Polygon(tri, 3);
  EXPECT_EQ(x.Picture(), Join({"........", ".######.", ".#...#..", ".#..#...", ".#.#....", ".##.....",
                               ".#......", "........"}));
}

TEST(GdiRaster, FarOffLinesAreClippedNotWalked) {
  Canvas c(8, 8);
  c.dc.MoveTo(-1000000000, -999999997);
  c.dc.LineTo(1000000000, 1000000003);  // the diagonal y = x + 3
  EXPECT_EQ(c.Picture(), Join({"........", "........", "........", "#.......", ".#......", "..#.....",
                               "...#....", "....#..."}));
}

TEST(GdiRaster, HugeShapesAreClippedToTheBitmap) {
  Canvas c(10, 10);
  c.dc.SelectStockObject(BLACK_BRUSH);
  c.dc.Ellipse(-100000000, -100000000, 100000000, 100000000);
  EXPECT_EQ(c.CountBlack(), 100);
  c.dc.SelectStockObject(WHITE_BRUSH);
  CRect far(-100000000, -100000000, 100000000, 100000000);
  c.dc.DrawFocusRect(&far);
  EXPECT_EQ(c.CountBlack(), 100);
  // Regions are built row by row; absurd heights are refused instead of exhausting memory.
  CRgn r;
  EXPECT_FALSE(r.CreateEllipticRgn(0, 0, 10, 100000000));
  POINT tall[3] = {P(0, 0), P(5, 100000000), P(9, 0)};
  EXPECT_FALSE(r.CreatePolygonRgn(tall, 3, ALTERNATE));
  EXPECT_TRUE(r.CreateEllipticRgn(0, 0, 10, 1000000));
}

TEST(GdiRaster, DragRectFramesInvertAndTakeTheLastAway) {
  Canvas c(8, 6);
  CRect a(1, 1, 6, 5), b(2, 0, 8, 3);
  c.dc.DrawDragRect(&a, CSize(1, 1), nullptr, CSize(1, 1));
  EXPECT_EQ(c.Picture(), Join({"........", ".#####..", ".#...#..", ".#...#..", ".#####..", "........"}));
  c.dc.DrawDragRect(&b, CSize(1, 1), &a, CSize(1, 1));
  EXPECT_EQ(c.Picture(), Join({"..######", "..#....#", "..######", "........", "........", "........"}));
  c.dc.DrawDragRect(nullptr, CSize(1, 1), &b, CSize(1, 1));
  EXPECT_EQ(c.CountBlack(), 0);
}

TEST(GdiRaster, FivePixelLineHasRoundCaps) {
  Canvas c(16, 10);
  CPen pen(PS_SOLID, 5, RGB(0, 0, 0));
  CPen* old = c.dc.SelectObject(&pen);
  c.dc.MoveTo(4, 4);
  c.dc.LineTo(11, 4);
  c.dc.SelectObject(old);
  EXPECT_EQ(c.Picture(), Join({"................", "................", "...##########...",
                               "..############..", "..############..", "..############..",
                               "...##########...", "................", "................",
                               "................"}));
  // Geometric truth: the pixels are those whose centres lie within 2.5 of the segment between
  // the two pixel centres.
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 16; ++x) {
      double px = x + 0.5, py = y + 0.5;
      double qx = std::clamp(px, 4.5, 11.5);
      double d = std::hypot(px - qx, py - 4.5);
      if (std::fabs(d - 2.5) > 1e-9) {
        EXPECT_EQ(c.bmp.PixelColour(x, y) == 0, d < 2.5) << x << "," << y;
      }
    }
  // A zero-length stroke of a wide pen is a dot; of a thin pen, nothing.
  Canvas dot(8, 8);
  CPen three(PS_SOLID, 3, RGB(0, 0, 0));
  old = dot.dc.SelectObject(&three);
  dot.dc.MoveTo(3, 3);
  dot.dc.LineTo(3, 3);
  dot.dc.SelectObject(old);
  dot.dc.MoveTo(6, 6);
  dot.dc.LineTo(6, 6);
  EXPECT_EQ(dot.Picture(), Join({"........", "........", "..###...", "..###...", "..###...", "........",
                                 "........", "........"}));
}

TEST(GdiRaster, PenWidthIsInLogicalUnits) {
  Canvas c(40, 40);
  c.dc.SetMapMode(MM_HIMETRIC);
  // 529 hundredths of a millimetre are 20 pixels at 96 dpi; the line is 4 pixels wide.
  CPen pen(PS_SOLID, 106, RGB(0, 0, 0));
  CPen* old = c.dc.SelectObject(&pen);
  c.dc.MoveTo(0, -529);
  c.dc.LineTo(1000, -529);
  c.dc.SelectObject(old);
  int rows = 0;
  for (int y = 0; y < 40; ++y) rows += c.bmp.PixelColour(20, y) == 0;
  EXPECT_EQ(rows, 4);
  EXPECT_EQ(c.bmp.PixelColour(20, 19), 0u);
}

TEST(GdiRaster, FloodFillStopsAtADiagonalAndFailsWhereItShould) {
  Canvas c(8, 8);
  for (int i = 0; i < 8; ++i) c.dc.SetPixel(i, 7 - i, RGB(0, 0, 0));
  CBrush black(RGB(0, 0, 0));
  CBrush* old = c.dc.SelectObject(&black);
  EXPECT_FALSE(c.dc.FloodFill(3, 4, RGB(0, 0, 0)));   // on the border colour
  EXPECT_FALSE(c.dc.FloodFill(-1, 0, RGB(0, 0, 0)));  // outside
  EXPECT_FALSE(c.dc.FloodFill(8, 0, RGB(0, 0, 0)));
  EXPECT_EQ(c.CountBlack(), 8);
  EXPECT_TRUE(c.dc.FloodFill(0, 0, RGB(0, 0, 0)));
  c.dc.SelectObject(old);
  // 4-connected: the fill does not leak through the 8-connected diagonal.
  EXPECT_EQ(c.Picture(), Join({"########", "#######.", "######..", "#####...", "####....", "###.....",
                               "##......", "#......."}));
}

TEST(GdiRaster, FloodFillOnColourBitmapAndSurfaceKind) {
  Canvas c(6, 4, 32);
  CBrush red(RGB(255, 0, 0));
  c.dc.SelectObject(&red);
  c.dc.SelectStockObject(NULL_PEN);
  c.dc.Rectangle(0, 0, 3, 4);
  CBrush blue(RGB(0, 0, 255));
  c.dc.SelectObject(&blue);
  EXPECT_TRUE(c.dc.ExtFloodFill(0, 0, RGB(255, 0, 0), FLOODFILLSURFACE));
  EXPECT_EQ(c.dc.GetPixel(2, 3), RGB(0, 0, 255));
  EXPECT_EQ(c.dc.GetPixel(3, 0), RGB(255, 255, 255));
  EXPECT_FALSE(c.dc.ExtFloodFill(0, 0, RGB(255, 0, 0), FLOODFILLSURFACE));
  c.dc.SelectStockObject(WHITE_BRUSH);
}

TEST(GdiRaster, RasterOperationsOfPens) {
  Canvas c(8, 2);
  c.dc.PatBlt(0, 0, 4, 2, BLACKNESS);
  c.dc.SelectStockObject(NULL_PEN);
  // R2_MERGEPENNOT with a black brush inverts; with a white brush it whitens everything.
  EXPECT_EQ(c.dc.SetROP2(R2_MERGEPENNOT), R2_COPYPEN);
  c.dc.SelectStockObject(BLACK_BRUSH);
  c.dc.Rectangle(2, 0, 6, 1);
  c.dc.SelectStockObject(WHITE_BRUSH);
  c.dc.Rectangle(2, 1, 6, 2);
  EXPECT_EQ(c.Picture(), Join({"##..##..", "##......"}));
  c.dc.SetROP2(R2_NOP);
  c.dc.SelectStockObject(BLACK_BRUSH);
  c.dc.Rectangle(0, 0, 8, 2);
  EXPECT_EQ(c.Picture(), Join({"##..##..", "##......"}));
  c.dc.SetROP2(R2_COPYPEN);
  c.dc.SelectStockObject(WHITE_BRUSH);

  // XOR twice gives the picture back, on colour too.
  Canvas k(6, 6, 32);
  k.dc.SetPixel(2, 2, RGB(10, 20, 30));
  k.dc.SetROP2(R2_XORPEN);
  CPen pen(PS_SOLID, 1, RGB(0x55, 0xAA, 0x0F));
  CPen* old = k.dc.SelectObject(&pen);
  for (int i = 0; i < 2; ++i) {
    k.dc.MoveTo(0, 2);
    k.dc.LineTo(6, 2);
    if (i == 0) {
      EXPECT_EQ(k.dc.GetPixel(2, 2), RGB(10 ^ 0x55, 20 ^ 0xAA, 30 ^ 0x0F));
    }
  }
  k.dc.SelectObject(old);
  EXPECT_EQ(k.dc.GetPixel(2, 2), RGB(10, 20, 30));
  EXPECT_EQ(k.dc.GetPixel(3, 2), RGB(255, 255, 255));
}

TEST(GdiRaster, ColoursOnOneBitTakeTheNearestEntry) {
  Canvas c(4, 1);
  EXPECT_EQ(c.dc.SetPixel(0, 0, RGB(255, 0, 0)), 0u);  // red is nearer black
  EXPECT_EQ(c.dc.SetPixel(1, 0, RGB(200, 200, 200)), 0xFFFFFFu);
  EXPECT_EQ(c.dc.SetPixel(2, 0, RGB(128, 128, 127)), 0xFFFFFFu);
  EXPECT_EQ(c.dc.SetPixel(3, 0, RGB(127, 127, 128)), 0u);
  EXPECT_EQ(c.dc.SetPixel(4, 0, 0), CLR_INVALID);
  EXPECT_EQ(c.dc.GetPixel(4, 0), CLR_INVALID);
  EXPECT_EQ(c.dc.GetPixel(0, -1), CLR_INVALID);
  // Layer colours drawn into the engraving bitmap come out black.
  Canvas e(4, 4);
  CBrush blue(RGB(0, 0, 255));
  e.dc.SelectObject(&blue);
  e.dc.SelectStockObject(NULL_PEN);
  e.dc.Rectangle(0, 0, 4, 4);
  e.dc.SelectStockObject(WHITE_BRUSH);
  EXPECT_EQ(e.CountBlack(), 16);
}

TEST(GdiRaster, RoundRectAndFocusRect) {
  Canvas c(12, 12);
  c.dc.RoundRect(0, 0, 12, 10, 6, 6);
  EXPECT_EQ(c.Picture(), Join({".##########.", "#..........#", "#..........#", "#..........#",
                               "#..........#", "#..........#", "#..........#", "#..........#",
                               "#..........#", ".##########.", "............", "............"}));
  // A zero corner is a plain rectangle.
  Canvas r(6, 6);
  r.dc.RoundRect(0, 0, 4, 4, 0, 3);
  EXPECT_EQ(r.Picture(), Join({"####..", "#..#..", "#..#..", "####..", "......", "......"}));
  // The focus rectangle is a dotted frame drawn by inversion: twice leaves nothing.
  Canvas f(6, 5);
  CRect fr(0, 0, 6, 5);
  f.dc.DrawFocusRect(&fr);
  EXPECT_EQ(f.Picture(), Join({"#.#.#.", ".....#", "#.....", ".....#", "#.#.#."}));
  f.dc.DrawFocusRect(&fr);
  EXPECT_EQ(f.CountBlack(), 0);
}

TEST(GdiRaster, PathsFillAndStroke) {
  Canvas c(10, 10);
  c.dc.BeginPath();
  c.dc.MoveTo(1, 1);
  c.dc.LineTo(9, 1);
  c.dc.LineTo(9, 9);
  c.dc.LineTo(1, 9);
  c.dc.CloseFigure();
  c.dc.EndPath();
  c.dc.SelectStockObject(BLACK_BRUSH);
  EXPECT_TRUE(c.dc.FillPath());
  EXPECT_EQ(c.CountBlack(), 64);
  EXPECT_EQ(c.dc.GetPath(nullptr, nullptr, 0), -1);  // the path is used up
  EXPECT_FALSE(c.dc.StrokePath());
  c.dc.SelectStockObject(WHITE_BRUSH);

  Canvas s(10, 10);
  s.dc.BeginPath();
  s.dc.Rectangle(1, 1, 9, 9);
  s.dc.EndPath();
  EXPECT_TRUE(s.dc.StrokePath());
  // The path keeps the rectangle's true corners, so its outline reaches column and row 9.
  EXPECT_EQ(s.Picture(), Join({"..........", ".#########", ".#.......#", ".#.......#", ".#.......#",
                               ".#.......#", ".#.......#", ".#.......#", ".#.......#", ".#########"}));

  // Figures filled from outside a path, as text is painted: Beziers flattened, winding rule.
  Canvas t(20, 20);
  POINT pts[7] = {P(10, 2), P(16, 2), P(18, 8), P(10, 18), P(2, 8), P(4, 2), P(10, 2)};
  BYTE types[7] = {PT_MOVETO, PT_BEZIERTO, PT_BEZIERTO, PT_BEZIERTO, PT_BEZIERTO, PT_BEZIERTO,
                   PT_BEZIERTO | PT_CLOSEFIGURE};
  EXPECT_TRUE(t.dc.FillFigures(pts, types, 7, RGB(0, 0, 0)));
  EXPECT_EQ(t.bmp.PixelColour(10, 8), 0u);
  EXPECT_EQ(t.bmp.PixelColour(1, 1), 0xFFFFFFu);
  EXPECT_GT(t.CountBlack(), 60);
  BYTE bad[2] = {PT_MOVETO, PT_BEZIERTO};
  EXPECT_FALSE(t.dc.FillFigures(pts, bad, 2, 0));
}

}  // namespace
