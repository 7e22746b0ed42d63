// Glyphs painted on a window surface through the path cache: a glyph drawn again, at any size,
// angle and sub-pixel position, clipped or not, shows the pixels of a fresh conversion and those
// the memory-DC rasteriser gives for the same path; and the cache keeps to its memory bound
// however many sizes pass through it.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QRegion>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "platform/gdi/font_text.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/painter_backend.h"
#include "platform/gdi/path_cells_cache.h"

namespace {

constexpr int kW = 360, kH = 260;
constexpr COLORREF kInk = RGB(0x20, 0x40, 0x90);
constexpr COLORREF kEdge = RGB(0xC0, 0x10, 0x10);

struct Glyphs {
  const char* text;
  int height;    // em height, 0.01 mm
  double angle;  // degrees, about the reference point
  int x, y;      // reference point, 0.01 mm
  bool edgeOwnColour;  // the pen in another colour than the brush (the pen's cells cut out)
};

// Draws a text's glyphs as text is painted: captured as a path in the font, turned about the
// reference point, then filled and outlined with a 1-pixel pen (or only filled, as text is without
// its outline stroke).
void Draw(CDC& dc, const Glyphs& g, bool withPen = true) {
  LOGFONT lf;
  lf.lfHeight = -g.height;
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = SHIFTJIS_CHARSET;
  std::strcpy(lf.lfFaceName, "Arial");
  CFont font;
  font.CreateFontIndirect(&lf);
  CFont* oldFont = dc.SelectObject(&font);
  dc.BeginPath();
  gditext::TextOut(dc, g.x, g.y, g.text, static_cast<int>(std::strlen(g.text)));
  dc.EndPath();
  dc.SelectObject(oldFont);
  const int n = dc.GetPath(nullptr, nullptr, 0);
  ASSERT_GT(n, 0) << g.text;
  std::vector<POINT> pts(static_cast<size_t>(n));
  std::vector<BYTE> types(static_cast<size_t>(n));
  dc.GetPath(pts.data(), types.data(), n);
  dc.AbortPath();
  const double a = g.angle * 3.14159265358979323846 / 180;
  for (POINT& p : pts) {
    const double dx = p.x - g.x, dy = p.y - g.y;
    p.x = static_cast<LONG>(std::lround(g.x + dx * std::cos(a) - dy * std::sin(a)));
    p.y = static_cast<LONG>(std::lround(g.y + dx * std::sin(a) + dy * std::cos(a)));
  }
  CBrush brush;
  brush.CreateSolidBrush(kInk);
  CPen pen;
  pen.CreatePen(PS_SOLID, 1, g.edgeOwnColour ? kEdge : kInk);
  CBrush* oldBrush = dc.SelectObject(&brush);
  CPen* oldPen = dc.SelectObject(&pen);
  dc.SetPolyFillMode(WINDING);
  dc.BeginPath();
  dc.PolyDraw(pts.data(), types.data(), n);
  dc.EndPath();
  if (withPen)
    dc.StrokeAndFillPath();
  else
    dc.FillPath();
  dc.SelectObject(oldPen);
  dc.SelectObject(oldBrush);
}

// Sizes from 2 to 24 mm, upright, turned a little and a lot, each at positions a fraction of a
// pixel apart.
std::vector<Glyphs> Mix() {
  std::vector<Glyphs> all;
  const int heights[] = {200, 457, 1000, 2400};
  const double angles[] = {0, 30, 90, 137.5};
  int k = 0;
  for (int h : heights)
    for (double a : angles)
      for (int phase : {0, 7, 19}) {
        const int x = 300 + (k % 6) * 1500 + phase;
        const int y = -1200 - (k / 6) * 800 - phase;
        all.push_back(Glyphs{k % 2 ? "Ag&8" : "W@%e", h, a, x, y, k % 5 == 0});
        ++k;
      }
  return all;
}

void Prepare(CDC& dc, POINT origin) {
  dc.SetMapMode(MM_HIMETRIC);
  dc.SetViewportOrg(origin.x, origin.y);
}

QImage Surface(const std::vector<Glyphs>& glyphs, POINT origin, const QRegion& clip = QRegion(),
               bool withPen = true) {
  QImage surface(kW, kH, QImage::Format_RGB32);
  surface.setDotsPerMeterX(SCREEN_PIXELS_PER_METRE);
  surface.setDotsPerMeterY(SCREEN_PIXELS_PER_METRE);
  surface.fill(Qt::white);
  QPainter p(&surface);
  if (!clip.isEmpty()) p.setClipRegion(clip);
  CPainterDC dc(p, &surface);
  Prepare(dc, origin);
  for (const Glyphs& g : glyphs) Draw(dc, g, withPen);
  return surface;
}

// The same glyphs from the memory-DC rasteriser, as the surface's colours.
QImage Rasterised(const std::vector<Glyphs>& glyphs, POINT origin, bool withPen = true) {
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  CBitmap bmp;
  bmp.CreateBitmap(kW, kH, 1, 32, nullptr);
  CBitmap* old = dc.SelectObject(&bmp);
  dc.PatBlt(0, 0, kW, kH, WHITENESS);
  Prepare(dc, origin);
  for (const Glyphs& g : glyphs) Draw(dc, g, withPen);
  QImage out(kW, kH, QImage::Format_RGB32);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      const COLORREF c = bmp.PixelColour(x, y);
      out.setPixel(x, y, qRgb(GetRValue(c), GetGValue(c), GetBValue(c)));
    }
  dc.SelectObject(old);
  return out;
}

long Differences(const QImage& a, const QImage& b) {
  long n = 0;
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) n += (a.pixel(x, y) & 0xFFFFFF) != (b.pixel(x, y) & 0xFFFFFF);
  return n;
}

long InkPixels(const QImage& a) {
  long n = 0;
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) n += (a.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
  return n;
}

struct CacheState {
  gdi::PathCellsCache& cache = gdi::PathCellsCache::Instance();
  CacheState() { cache.Clear(); }
  ~CacheState() {
    cache.SetEnabled(true);
    cache.SetBudget(gdi::PathCellsCache::kDefaultBudget);
    cache.Clear();
  }
};

TEST(GlyphCellsCache, GlyphsDrawnAgainShowTheCellsOfAFreshConversion) {
  CacheState state;
  const std::vector<Glyphs> glyphs = Mix();
  const POINT origins[] = {{0, 0}, {1, 0}, {-3, 2}};
  for (const POINT& origin : origins) {
    state.cache.SetEnabled(false);
    const QImage fresh = Surface(glyphs, origin);
    state.cache.SetEnabled(true);
    const QImage first = Surface(glyphs, origin);
    const size_t stored = state.cache.Count();
    const size_t hits = state.cache.Hits();
    const QImage again = Surface(glyphs, origin);
    EXPECT_GT(InkPixels(fresh), 5000);
    EXPECT_EQ(Differences(fresh, Rasterised(glyphs, origin)), 0) << origin.x << "," << origin.y;
    EXPECT_EQ(Differences(first, fresh), 0) << origin.x << "," << origin.y;
    EXPECT_EQ(Differences(again, fresh), 0) << origin.x << "," << origin.y;
    // The second paint took every glyph from the cache: nothing new was stored. A moved view is
    // another mapping, so its glyphs are new entries.
    EXPECT_EQ(state.cache.Count(), stored);
    EXPECT_EQ(state.cache.Hits() - hits, glyphs.size());
    EXPECT_GE(stored, glyphs.size());
  }

  // Cells kept whole from a full paint, shown through a clip of two rectangles that cut glyphs.
  const QRegion clip = QRegion(40, 30, 131, 97) + QRegion(150, 120, 170, 111);
  state.cache.SetEnabled(false);
  const QImage freshClipped = Surface(glyphs, POINT{0, 0}, clip);
  state.cache.SetEnabled(true);
  Surface(glyphs, POINT{0, 0});
  const QImage cachedClipped = Surface(glyphs, POINT{0, 0}, clip);
  EXPECT_EQ(Differences(cachedClipped, freshClipped), 0);
  const QImage whole = Surface(glyphs, POINT{0, 0});
  long outside = 0, inside = 0;
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      const QRgb c = cachedClipped.pixel(x, y) & 0xFFFFFF;
      if (clip.contains(QPoint(x, y)))
        inside += c != (whole.pixel(x, y) & 0xFFFFFF);
      else
        outside += c != 0xFFFFFF;
    }
  EXPECT_EQ(inside, 0);
  EXPECT_EQ(outside, 0);
}

TEST(GlyphCellsCache, StaysWithinItsBudgetWhateverTheSizes) {
  CacheState state;
  constexpr size_t kBudget = 512 * 1024;
  state.cache.SetBudget(kBudget);
  QImage surface(kW, kH, QImage::Format_RGB32);
  surface.fill(Qt::white);
  QPainter p(&surface);
  CPainterDC dc(p, &surface);
  Prepare(dc, POINT{0, 0});
  size_t most = 0;
  constexpr int kSizes = 300;
  for (int k = 0; k < kSizes; ++k) {
    Draw(dc, Glyphs{"Ag&8", 150 + 9 * k, 0, 200, -5000, false});
    EXPECT_LE(state.cache.Bytes(), kBudget) << k;
    most = std::max(most, state.cache.Count());
  }
  // Large sizes pushed the small ones out; the latest is kept and drawn from the cache again.
  EXPECT_GT(most, 5u);
  EXPECT_LT(state.cache.Count(), static_cast<size_t>(kSizes));
  const size_t count = state.cache.Count(), hits = state.cache.Hits();
  EXPECT_EQ(hits, 0u);
  Draw(dc, Glyphs{"Ag&8", 150 + 9 * (kSizes - 1), 0, 200, -5000, false});
  EXPECT_EQ(state.cache.Count(), count);
  EXPECT_EQ(state.cache.Hits(), hits + 1);
  // A smaller budget drops the oldest entries at once.
  state.cache.SetBudget(kBudget / 4);
  EXPECT_LE(state.cache.Bytes(), kBudget / 4);
}

// Glyphs of a few pixels, as a whole page of small text shows them, are converted afresh rather
// than kept: they show the pixels of the memory-DC rasteriser and of a paint without the cache,
// at sub-pixel positions, turned or not, and through a clip.
TEST(GlyphCellsCache, GlyphsOfAFewPixelsShowTheSamePixelsWithoutBeingKept) {
  CacheState state;
  std::vector<Glyphs> upright, all;
  int k = 0;
  for (int h : {30, 48, 70})
    for (double a : {0.0, 30.0, 137.5})
      for (int phase : {0, 3, 11, 17}) {
        // One character a path, as text is painted.
        static const char* const kChars[] = {"A", "g", "&", "8", "W", "@", "%", "e"};
        const Glyphs g{kChars[k % 8], h, a, 200 + (k % 8) * 1100 + phase,
                       -700 - (k / 8) * 450 - phase, k % 3 == 0};
        // Upright and below 2.5 pixels, pen included: never kept.
        if (a == 0 && h < 70) upright.push_back(g);
        all.push_back(g);
        ++k;
      }
  for (const POINT& origin : {POINT{0, 0}, POINT{1, -2}}) {
    state.cache.SetEnabled(false);
    const QImage fresh = Surface(all, origin);
    state.cache.SetEnabled(true);
    EXPECT_GT(InkPixels(fresh), 100);
    EXPECT_EQ(Differences(fresh, Rasterised(all, origin)), 0) << origin.x << "," << origin.y;
    EXPECT_EQ(Differences(Surface(all, origin), fresh), 0) << origin.x << "," << origin.y;
    EXPECT_EQ(Differences(Surface(all, origin), fresh), 0) << origin.x << "," << origin.y;
  }
  state.cache.Clear();
  Surface(upright, POINT{0, 0});
  EXPECT_EQ(state.cache.Count(), 0u);
  const QRegion clip = QRegion(30, 20, 97, 61) + QRegion(140, 70, 101, 53);
  state.cache.SetEnabled(false);
  const QImage freshClipped = Surface(all, POINT{0, 0}, clip);
  state.cache.SetEnabled(true);
  EXPECT_EQ(Differences(Surface(all, POINT{0, 0}, clip), freshClipped), 0);
}

// Glyphs smaller than a pixel, as a page of thousands of texts shows them: most paint nothing
// at all, some a cell or two of fill or pen. Placed at every sub-pixel step across a pixel, they
// show the pixels of the memory-DC rasteriser, filled only, and with the pen in the brush's colour
// or its own.
TEST(GlyphCellsCache, GlyphsSmallerThanAPixelShowTheRasterisersPixels) {
  CacheState state;
  std::vector<Glyphs> all;
  static const char* const kChars[] = {"N", "0", "8", "g", "W", "@", "%", "1", ".", "i"};
  int k = 0;
  for (int h : {4, 9, 15, 22})
    for (double a : {0.0, 90.0, 30.0})
      for (int dx = 0; dx < 27; dx += 2)
        for (int dy = 0; dy < 27; dy += 3) {
          const Glyphs g{kChars[k % 10], h, a, 150 + (k % 40) * 220 + dx, -150 - (k / 40) * 110 - dy, k % 3 == 0};
          all.push_back(g);
          ++k;
        }
  for (const POINT& origin : {POINT{0, 0}, POINT{1, -2}})
    for (bool withPen : {true, false}) {
      const QImage surface = Surface(all, origin, QRegion(), withPen);
      EXPECT_GT(InkPixels(surface), withPen ? 300 : 30);
      EXPECT_EQ(Differences(surface, Rasterised(all, origin, withPen)), 0)
          << origin.x << "," << origin.y << (withPen ? " with the pen" : " filled only");
    }
  const QRegion clip = QRegion(30, 20, 97, 61) + QRegion(140, 70, 101, 53);
  QImage clipped = Surface(all, POINT{0, 0}, clip);
  const QImage whole = Surface(all, POINT{0, 0});
  long differ = 0;
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x)
      differ += (clipped.pixel(x, y) & 0xFFFFFF) !=
                (clip.contains(QPoint(x, y)) ? whole.pixel(x, y) & 0xFFFFFF : 0xFFFFFFu);
  EXPECT_EQ(differ, 0);
}

}  // namespace
