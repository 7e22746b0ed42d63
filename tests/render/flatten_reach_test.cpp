// Flattening a path is bounded by where the device can show it: glyphs whose outlines lie near
// the ends of the int range (a character size no design holds) flatten into a few points per
// curve instead of a hundred thousand, while every curve a design can place keeps the fine
// tolerance.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <vector>

#include "outside_tool.h"
#include "platform/gdi/font_text.h"
#include "platform/gdi/gdi.h"

namespace {

struct Flattened {
  int points = 0;
  int curves = 0;
  double worst = 0.0;  // largest distance of a point from its curve's exact point, logical units
};

// Records an ellipse (four Bezier arcs) in `dc`, flattens it and measures the result against
// the ellipse itself.
Flattened FlattenEllipse(CDC& dc, int left, int top, int right, int bottom) {
  dc.BeginPath();
  dc.Ellipse(left, top, right, bottom);
  dc.EndPath();
  Flattened f;
  f.curves = 4;
  EXPECT_TRUE(dc.FlattenPath());
  f.points = dc.GetPath(nullptr, nullptr, 0);
  std::vector<POINT> pts(static_cast<size_t>(std::max(f.points, 0)));
  std::vector<BYTE> types(pts.size());
  dc.GetPath(pts.data(), types.data(), f.points);
  dc.AbortPath();
  const double cx = (left + static_cast<double>(right)) / 2, cy = (top + static_cast<double>(bottom)) / 2;
  const double rx = (right - static_cast<double>(left)) / 2, ry = (bottom - static_cast<double>(top)) / 2;
  for (const POINT& p : pts) {
    // Distance from the ellipse along the ray from its centre, in logical units.
    const double dx = (p.x - cx) / rx, dy = (p.y - cy) / ry;
    const double r = std::sqrt(dx * dx + dy * dy);
    f.worst = std::max(f.worst, std::fabs(r - 1.0) * std::max(rx, ry));
  }
  return f;
}

class FlattenReach : public ::testing::Test {
 protected:
  void SetUp() override {
    dc.CreateCompatibleDC(nullptr);
    ASSERT_TRUE(bitmap.CreateBitmap(320, 240, 1, 32, nullptr));
    old = dc.SelectObject(&bitmap);
  }
  void TearDown() override { dc.SelectObject(old); }
  CDC dc;
  CBitmap bitmap;
  CBitmap* old = nullptr;
};

TEST_F(FlattenReach, CurvesFarBeyondTheDeviceFlattenCoarselyAndCurvesADesignReachesStayFine) {
  // Far out, where only a size no design holds puts them: a few points per curve.
  const int far = INT_MAX - 1000;
  for (const int sign : {1, -1}) {
    const Flattened f = FlattenEllipse(dc, sign * (far - 400000000), sign * (far - 300000000), sign * far,
                                       sign * (far - 1000));
    EXPECT_LE(f.points, 1 + f.curves * 8);
  }
  // A curve spanning the whole int range meets the device: it keeps the fine tolerance up to
  // the step bound of each curve.
  const Flattened across = FlattenEllipse(dc, -far, -far, far, far);
  EXPECT_GT(across.points, 4 * 1000);
  // In reach of a design (4 million logical units from the device): as fine there as at the
  // origin, within the Bezier arcs' own error from the ellipse (2.7e-4 of the radius) and the
  // tolerance with its rounding.
  const Flattened home = FlattenEllipse(dc, 0, 0, 200000, 120000);
  EXPECT_GT(home.points, 4 * 50);
  EXPECT_LT(home.worst, 2.8e-4 * 100000 + 1.0);
  for (const int at : {4000000, -4000000}) {
    const Flattened f = FlattenEllipse(dc, at, at, at + 200000, at + 120000);
    EXPECT_EQ(f.points, home.points) << at;
    EXPECT_LT(f.worst, 2.8e-4 * 100000 + 1.0) << at;
  }
}

TEST_F(FlattenReach, AGlyphOfAHugeSizeFlattensIntoABoundedPath) {
  // A character of a size no design holds, placed where only such sizes reach.
  dc.SetMapMode(MM_HIMETRIC);
  LOGFONT lf;
  lf.lfHeight = -400000000;
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = SHIFTJIS_CHARSET;
  std::strcpy(lf.lfFaceName, "Arial");
  CFont font;
  font.CreateFontIndirect(&lf);
  CFont* oldFont = dc.SelectObject(&font);
  dc.BeginPath();
  gditext::TextOut(dc, 1500000000, -1500000000, "@8", 2);
  dc.EndPath();
  dc.SelectObject(oldFont);
  const int before = dc.GetPath(nullptr, nullptr, 0);
  REQUIRE_OUTSIDE_TOOL(before > 0, "a font with an outline at this size (fonts-liberation2)");
  ASSERT_TRUE(dc.FlattenPath());
  const int after = dc.GetPath(nullptr, nullptr, 0);
  // Each curve (three points before) at most eight points after.
  EXPECT_LE(after, before * 8);
  dc.AbortPath();
}

}  // namespace
