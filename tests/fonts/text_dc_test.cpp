// Text through a device context: glyphs into paths, placement by the text alignment, metrics of
// the selected font and painted text on the raster back end.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "platform/cstring.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/font.h"
#include "platform/gdi/font_engine.h"
#include "platform/gdi/font_text.h"

namespace {

LOGFONT Mincho(LONG height, LONG width = 0) {
  LOGFONT lf;
  lf.lfHeight = height;
  lf.lfWidth = width;
  lf.lfCharSet = SHIFTJIS_CHARSET;
  std::string face = CString::FromUtf8("ＭＳ 明朝").str();
  std::memcpy(lf.lfFaceName, face.data(), face.size());
  return lf;
}

std::string Sjis(const char* utf8) { return CString::FromUtf8(utf8).str(); }

struct PathData {
  std::vector<POINT> pts;
  std::vector<BYTE> types;
  RECT Bounds() const {
    RECT r{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (POINT p : pts) {
      r.left = std::min(r.left, p.x);
      r.right = std::max(r.right, p.x);
      r.top = std::min(r.top, p.y);
      r.bottom = std::max(r.bottom, p.y);
    }
    return r;
  }
};

PathData ReadPath(const CDC& dc) {
  PathData d;
  int n = dc.GetPath(nullptr, nullptr, 0);
  if (n <= 0) return d;
  d.pts.resize(n);
  d.types.resize(n);
  EXPECT_EQ(dc.GetPath(d.pts.data(), d.types.data(), n), n);
  return d;
}

PathData TextPath(CDC& dc, int x, int y, const std::string& text, bool flatten = false) {
  dc.BeginPath();
  gditext::TextOut(dc, x, y, text.data(), static_cast<int>(text.size()));
  dc.EndPath();
  if (flatten) dc.FlattenPath();
  return ReadPath(dc);
}

class TextOnDc : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    dc.SetMapMode(MM_HIMETRIC);
    LOGFONT lf = Mincho(-1000);
    font.CreateFontIndirect(&lf);
    old = dc.SelectObject(&font);
  }
  void TearDown() override { dc.SelectObject(old); }
  CFont font;
  CDC dc;
  CFont* old = nullptr;
};

}  // namespace

TEST_F(TextOnDc, GlyphsInAPathAreClosedFiguresThatFlattenToMovesAndLines) {
  const std::string text = Sjis("明A");
  PathData curves = TextPath(dc, 0, 0, text);
  ASSERT_FALSE(curves.pts.empty());
  EXPECT_EQ(curves.types.front(), PT_MOVETO);
  EXPECT_TRUE(curves.types.back() & PT_CLOSEFIGURE);
  int figures = 0;
  bool bezier = false;
  for (size_t i = 0; i < curves.types.size(); ++i) {
    if (curves.types[i] == PT_MOVETO) {
      ++figures;
      if (i > 0) {
        EXPECT_TRUE(curves.types[i - 1] & PT_CLOSEFIGURE) << "every figure is closed";
      }
    }
    if ((curves.types[i] & ~PT_CLOSEFIGURE) == PT_BEZIERTO) bezier = true;
  }
  EXPECT_TRUE(bezier);

  PathData flat = TextPath(dc, 0, 0, text, true);
  int moves = 0;
  for (size_t i = 0; i < flat.types.size(); ++i) {
    const BYTE t = flat.types[i];
    ASSERT_TRUE(t == PT_MOVETO || t == PT_LINETO || t == (PT_LINETO | PT_CLOSEFIGURE)) << int(t);
    if (t == PT_MOVETO) {
      ++moves;
      if (i > 0) {
        EXPECT_EQ(flat.types[i - 1], PT_LINETO | PT_CLOSEFIGURE);
      }
    }
  }
  EXPECT_EQ(flat.types.back(), PT_LINETO | PT_CLOSEFIGURE);
  EXPECT_EQ(moves, figures);
  // Flattening keeps the outline where it was.
  RECT a = curves.Bounds(), b = flat.Bounds();
  EXPECT_NEAR(a.left, b.left, 3);
  EXPECT_NEAR(a.right, b.right, 3);
  EXPECT_NEAR(a.top, b.top, 3);
  EXPECT_NEAR(a.bottom, b.bottom, 3);
}

TEST_F(TextOnDc, TextAlignmentPlacesTheGlyphsAsGdiDoes) {
  TEXTMETRIC tm;
  ASSERT_TRUE(gditext::GetTextMetrics(dc, &tm));
  const std::string text = "H";
  // Default TA_TOP | TA_LEFT in MM_HIMETRIC (y up): the cell hangs below the point.
  RECT top = TextPath(dc, 1000, 5000, text).Bounds();
  EXPECT_LE(top.bottom, 5000 - tm.tmInternalLeading + 2);
  EXPECT_GE(top.top, 5000 - tm.tmAscent - 2);
  EXPECT_GE(top.left, 1000);

  dc.SetTextAlign(TA_BASELINE | TA_LEFT);
  RECT base = TextPath(dc, 1000, 5000, text).Bounds();
  // The glyph's own height above its baseline, as the font engine gives it.
  struct Lowest : fontengine::OutlineSink {
    int y = INT_MAX;
    void MoveTo(POINT p) override { y = std::min<int>(y, p.y); }
    void LineTo(POINT p) override { y = std::min<int>(y, p.y); }
    void BezierTo(POINT a, POINT b, POINT c) override { y = std::min<int>({y, a.y, b.y, c.y}); }
    void CloseFigure() override {}
  } lowest;
  font.Instance()->Outline(text.data(), 1, 0, 0, fontengine::HAlign::Left, fontengine::VAlign::Baseline,
                           {1, 1}, lowest);
  EXPECT_EQ(base.top, 5000 + lowest.y) << "the reference point is on the baseline";
  EXPECT_EQ(base.top - top.top, tm.tmAscent);

  dc.SetTextAlign(TA_BOTTOM | TA_RIGHT);
  RECT right = TextPath(dc, 1000, 5000, text).Bounds();
  SIZE ext;
  ASSERT_TRUE(gditext::GetTextExtentPoint32(dc, text.data(), 1, &ext));
  EXPECT_EQ(right.top, base.top + tm.tmDescent);
  EXPECT_EQ(right.left, base.left - ext.cx);

  dc.SetTextAlign(TA_TOP | TA_CENTER);
  RECT centre = TextPath(dc, 1000, 5000, text).Bounds();
  EXPECT_NEAR(centre.left, base.left - ext.cx / 2.0, 1);

  // MM_TEXT (y down): the cell lies below the point on the device, so at larger y.
  dc.SetMapMode(MM_TEXT);
  dc.SetTextAlign(TA_TOP | TA_LEFT);
  RECT down = TextPath(dc, 0, 0, text).Bounds();
  EXPECT_GT(down.top, 0);
  EXPECT_LE(down.bottom, tm.tmAscent);
}

TEST_F(TextOnDc, UpdateCpStartsAtAndMovesTheCurrentPosition) {
  dc.SetTextAlign(TA_UPDATECP | TA_BASELINE);
  dc.MoveTo(300, 700);
  const std::string text = Sjis("明明");
  SIZE ext;
  gditext::GetTextExtentPoint32(dc, text.data(), 4, &ext);
  RECT r = TextPath(dc, 0, 0, text).Bounds();
  EXPECT_GE(r.left, 300);
  EXPECT_LT(r.left, 300 + 200);
  EXPECT_EQ(dc.GetCurrentPosition().x, 300 + ext.cx);
  EXPECT_EQ(dc.GetCurrentPosition().y, 700);
}

TEST_F(TextOnDc, MetricsOfTheSelectedFont) {
  TEXTMETRIC tm;
  ASSERT_TRUE(gditext::GetTextMetrics(dc, &tm));
  EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 1000);
  ABC abc[3];
  ASSERT_TRUE(gditext::GetCharABCWidths(dc, 'A', 'C', abc));
  ABCFLOAT abcf[1];
  const UINT mei = 0x96BE;  // 明
  ASSERT_TRUE(gditext::GetCharABCWidthsFloat(dc, mei, mei, abcf));
  EXPECT_NEAR(abcf[0].abcfA + abcf[0].abcfB + abcf[0].abcfC, 1000, 0.5);
  const std::string abcText = "ABC";
  CSize ext = gditext::GetTextExtent(dc, abcText.data(), 3);
  int sum = 0;
  for (const ABC& w : abc) sum += w.abcA + static_cast<int>(w.abcB) + w.abcC;
  EXPECT_EQ(ext.cx, sum);
  EXPECT_EQ(ext.cy, tm.tmHeight);
  EXPECT_FALSE(gditext::GetCharABCWidths(dc, 'C', 'A', abc));
  EXPECT_FALSE(gditext::GetTextMetrics(dc, nullptr));
}

TEST(TextDefaults, WithoutASelectedFontTheStockFontHasASixteenPixelCell) {
  CDC dc;
  ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
  TEXTMETRIC tm;
  ASSERT_TRUE(gditext::GetTextMetrics(dc, &tm));
  EXPECT_EQ(tm.tmHeight, 16);
  dc.SetMapMode(MM_HIMETRIC);
  ASSERT_TRUE(gditext::GetTextMetrics(dc, &tm));
  EXPECT_NEAR(tm.tmHeight, 16 * 100000.0 / SCREEN_PIXELS_PER_METRE, 2);
  LOGFONT lf;
  EXPECT_GT(gditext::StockSystemFont()->GetLogFont(&lf), 0);
  EXPECT_EQ(lf.lfCharSet, SHIFTJIS_CHARSET);
}

TEST(TextPainting, OutsideAPathTheGlyphsArePaintedInTheTextColour) {
  CBitmap bmp;
  CFont font;
  CDC dc;
  ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
  ASSERT_TRUE(bmp.CreateBitmap(200, 100, 1, 32, nullptr));
  dc.SelectObject(&bmp);
  dc.PatBlt(0, 0, 200, 100, WHITENESS);
  LOGFONT lf = Mincho(-60);
  font.CreateFontIndirect(&lf);
  dc.SelectObject(&font);
  dc.SetTextColor(RGB(255, 0, 0));
  dc.SetBkMode(TRANSPARENT);
  const std::string mei = Sjis("明");
  gditext::TextOut(dc, 10, 10, mei.data(), 2);
  int red = 0, other = 0;
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 200; ++x) {
      COLORREF c = dc.GetPixel(x, y);
      if (c == RGB(255, 0, 0)) ++red;
      else if (c != RGB(255, 255, 255)) ++other;
    }
  EXPECT_GT(red, 300);
  EXPECT_EQ(other, 0);
  EXPECT_EQ(dc.GetPixel(5, 5), RGB(255, 255, 255));

  // An opaque background fills the text's cell.
  dc.SetBkMode(OPAQUE);
  dc.SetBkColor(RGB(0, 0, 255));
  dc.SetTextAlign(TA_TOP | TA_LEFT);
  gditext::TextOut(dc, 100, 10, mei.data(), 2);
  EXPECT_EQ(dc.GetPixel(101, 11), RGB(0, 0, 255));
  EXPECT_EQ(dc.GetPixel(99, 11), RGB(255, 255, 255));
}
