// The rasteriser behind memory DCs: pixel-exact shapes on 1-bit and 32-bit bitmaps.
#include <gtest/gtest.h>

#include <cmath>

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

}  // namespace
