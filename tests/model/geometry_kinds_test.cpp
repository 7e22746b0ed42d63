#include <cstring>
#include <gtest/gtest.h>

#include "model/geometry.h"
#include "model/kinds.h"

namespace {

TEST(Geometry, IntegerConversionTruncatesTowardZero) {
  CRect r = CDoubleRect(-0.5, 0.5, 10.99, -10.99);
  EXPECT_EQ(r, CRect(0, 0, 10, -10));
  CPoint p = CDoublePoint(-2.9, 2.9);
  EXPECT_EQ(p, CPoint(-2, 2));
  CSize s = CDoubleSize(1e30, -1e30);  // saturates instead of wrapping
  EXPECT_EQ(s, CSize(2147483647, -2147483647 - 1));
}

TEST(Geometry, NullIsAllZeroAndNothingIsNormalised) {
  EXPECT_FALSE(CDoubleRect(5, 5, 5, 5).IsRectNull());
  EXPECT_TRUE(CDoubleRect().IsRectNull());
  CDoubleRect inverted(10, 0, 0, 10);
  EXPECT_DOUBLE_EQ(inverted.Width(), -10);
  inverted.OffsetRect(1, 1);
  EXPECT_EQ(inverted, CDoubleRect(11, 1, 1, 11));
  inverted.SetRectEmpty();
  EXPECT_TRUE(inverted.IsRectNull());
}

TEST(Geometry, CornerReferencesAliasTheRectangle) {
  CDoubleRect r(1, 2, 3, 4);
  r.BottomRight() = CDoublePoint(30, 40);
  r.TopLeft().x = -1;
  EXPECT_EQ(r, CDoubleRect(-1, 2, 30, 40));
}

TEST(Geometry, PtInRectIncludesLeftTopOnly) {
  CDoubleRect r(0, 0, 10, 10);
  EXPECT_TRUE(r.PtInRect(CDoublePoint(0, 0)));
  EXPECT_FALSE(r.PtInRect(CDoublePoint(10, 5)));
  EXPECT_FALSE(r.PtInRect(CDoublePoint(5, 10)));
}

TEST(Geometry, PackedConstructorAndArithmetic) {
  CDoubleSize s(static_cast<DWORD>(0xFFFF0001u));
  EXPECT_EQ(s, CDoubleSize(1, -1));
  EXPECT_EQ(CDoubleSize(static_cast<DWORD>(0)), CDoubleSize(0, 0));
  CDoublePoint a(1, 2), b(4, 6);
  EXPECT_EQ(b - a, CDoubleSize(3, 4));
  EXPECT_EQ(a + CDoubleSize(1, 1), CDoublePoint(2, 3));
  // A size with a point gives a point, as with the integer types.
  EXPECT_EQ(CDoubleSize(1, 1) + a, CDoublePoint(2, 3));
  EXPECT_EQ(CDoubleSize(5, 5) - a, CDoublePoint(4, 3));
  CDoubleRect r(CDoublePoint(1, 1), CDoubleSize(2, 3));
  EXPECT_EQ(r, CDoubleRect(1, 1, 3, 4));
  EXPECT_EQ(r.CenterPoint(), CDoublePoint(2, 2.5));
  r.InflateRect(1, 1);
  EXPECT_EQ(r, CDoubleRect(0, 0, 4, 5));
  r.SwapLeftRight();
  EXPECT_EQ(r, CDoubleRect(4, 0, 0, 5));
  EXPECT_EQ(CDoubleRect(0, 0, 1, 1) + CDoubleSize(2, 3), CDoubleRect(2, 3, 3, 4));
}

TEST(Kinds, NumbersAndConstantsAreStable) {
  EXPECT_EQ(TYPE_LINE, 0);
  EXPECT_EQ(TYPE_TEXT1, 6);
  EXPECT_EQ(TYPE_BMP, 8);
  EXPECT_EQ(TYPE_BARCODE, 9);
  EXPECT_EQ(TYPE_MULTI, 12);
  EXPECT_EQ(TYPE_DRAWING, 14);
  EXPECT_EQ(TYPE_DRAWING_FIELD, 17);
  EXPECT_EQ(TYPE_ENDMARK, 21);
  EXPECT_EQ(std::strlen(MRK_BINARY_HEADER), 32u);
  EXPECT_STREQ(DEFAULT_FACE_NAME, "\x82\x6C\x82\x72\x20\x96\xBE\x92\xA9");
}

}  // namespace
