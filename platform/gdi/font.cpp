#include "platform/gdi/font.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstring>
#include <functional>
#include <list>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/cp932.h"
#include "platform/gdi/font_engine.h"
#include "platform/gdi/font_face.h"

namespace fontengine {
namespace {

// Metrics are whole logical units, rounded half away from zero.
int Round(double v) { return DoubleToInt(v < 0 ? v - 0.5 : v + 0.5); }

// Sums of metrics of a font of any size: saturated at the int range instead of overflowing.
int Saturate(long long v) {
  if (v > 2147483647LL) return 2147483647;
  if (v < -2147483648LL) return -2147483647 - 1;
  return static_cast<int>(v);
}

// Slant of synthetic italic: x moves by this much per unit of height (about 12 degrees).
constexpr double kSlant = 0.2126;

// Default cell height when a LOGFONT gives none.
constexpr double kDefaultCellHeight = 16;

// Visits the characters of code-page bytes: a lead byte and its trail byte are one character
// under code page 932; a lead byte without a trail stands alone.
template <typename F>
void ForEachChar(bool dbcs, const char* bytes, int len, F&& visit) {
  if (!bytes || len <= 0) return;
  for (int i = 0; i < len;) {
    unsigned char b = static_cast<unsigned char>(bytes[i]);
    TextChar c;
    c.offset = i;
    if (dbcs && cp932::IsLeadByte(b) && i + 1 < len && bytes[i + 1] != '\0') {
      c.code = (static_cast<UINT>(b) << 8) | static_cast<unsigned char>(bytes[i + 1]);
      c.length = 2;
    } else {
      c.code = b;
      c.length = 1;
    }
    visit(c);
    i += c.length;
  }
}

// Scaled glyph points kept by all fonts together; past this the points are computed each time.
constexpr long long kMaxScaledPoints = 4LL << 20;
std::atomic<long long> g_scaledPoints{0};
std::atomic<bool> g_keepScaled{true};

// Offsets and pens within these bounds keep every sum far inside the int range, and the rounding
// error of each double addition under 2^-23 of a unit.
constexpr double kOffsetLimit = 0x1p28;
constexpr double kPenLimit = 0x1p29;
// How far from a half unit an offset's fraction must be for pen + offset to round as the offset
// does on its own, whatever the integral pen.
constexpr double kHalfMargin = 1e-5;

// The whole number nearest to t, when t is bounded and not near a half.
bool NearestWhole(double t, LONG& out) {
  if (!(std::fabs(t) < kOffsetLimit)) return false;
  const double whole = std::floor(t);
  const double frac = t - whole;
  if (std::fabs(frac - 0.5) < kHalfMargin) return false;
  out = static_cast<LONG>(whole) + (frac > 0.5 ? 1 : 0);
  return true;
}

bool WholePen(double v) { return v == std::floor(v) && std::fabs(v) <= kPenLimit; }

std::string FaceBytes(const LOGFONT& lf) {
  size_t n = 0;
  while (n < LF_FACESIZE - 1 && lf.lfFaceName[n] != '\0') ++n;
  return std::string(lf.lfFaceName, n);
}

}  // namespace

FontInstance::FontInstance(const LOGFONT& lf, std::shared_ptr<Face> face) : m_lf(lf), m_face(std::move(face)) {
  for (std::atomic<std::uint32_t>& g : m_byteGlyphs) g.store(kUnknownGlyph, std::memory_order_relaxed);
  m_lf.lfFaceName[LF_FACESIZE - 1] = '\0';
  m_dbcs = lf.lfCharSet == SHIFTJIS_CHARSET || lf.lfCharSet == DEFAULT_CHARSET;
  const int weight = lf.lfWeight <= 0 ? FW_NORMAL : std::min<LONG>(lf.lfWeight, 1000);
  m_bold = weight >= FW_SEMIBOLD && !m_face->IsBold();
  m_italic = lf.lfItalic != 0 && !m_face->IsItalic();

  const double upm = m_face->UnitsPerEm();
  const double cell = m_face->WinAscent() + m_face->WinDescent();
  if (lf.lfHeight > 0)
    m_em = lf.lfHeight * upm / cell;
  else if (lf.lfHeight < 0)
    m_em = -static_cast<double>(lf.lfHeight);
  else
    m_em = kDefaultCellHeight * upm / cell;
  m_scale = m_em / upm;
  m_boldExtra = m_bold ? m_face->BoldStrength() : 0;
  if (lf.lfWidth != 0) {
    const double natural = m_face->AverageWidth() * m_scale;
    m_sx = std::fabs(static_cast<double>(lf.lfWidth)) / natural;
  }

  TEXTMETRIC& tm = m_tm;
  tm.tmAscent = Round(m_face->WinAscent() * m_scale);
  tm.tmDescent = Round(m_face->WinDescent() * m_scale);
  tm.tmHeight = Saturate(static_cast<long long>(tm.tmAscent) + tm.tmDescent);
  tm.tmInternalLeading = std::max(0, Saturate(static_cast<long long>(tm.tmHeight) - Round(m_em)));
  tm.tmExternalLeading = Round(m_face->ExternalLeading() * m_scale);
  tm.tmAveCharWidth = Round(m_face->AverageWidth() * m_scale * m_sx);
  tm.tmMaxCharWidth = Round((m_face->MaxAdvance(m_dbcs) + m_boldExtra) * m_scale * m_sx);
  tm.tmWeight = m_bold ? FW_BOLD : m_face->WeightClass();
  tm.tmOverhang = 0;
  tm.tmDigitizedAspectX = 96;
  tm.tmDigitizedAspectY = 96;
  tm.tmFirstChar = 0x20;
  tm.tmLastChar = 0xFF;
  tm.tmDefaultChar = m_dbcs ? 0x81 : 0x1F;
  tm.tmBreakChar = 0x20;
  tm.tmItalic = lf.lfItalic ? 1 : 0;
  tm.tmUnderlined = lf.lfUnderline ? 1 : 0;
  tm.tmStruckOut = lf.lfStrikeOut ? 1 : 0;
  tm.tmPitchAndFamily = static_cast<BYTE>(TMPF_TRUETYPE | TMPF_VECTOR |
                                          (m_face->IsFixedPitch() ? 0 : TMPF_FIXED_PITCH) |
                                          (lf.lfPitchAndFamily & 0xF0));
  tm.tmCharSet = m_dbcs ? SHIFTJIS_CHARSET : lf.lfCharSet;
}

QString FontInstance::FamilyName() const { return m_face->Family(); }

std::vector<TextChar> FontInstance::Split(const char* bytes, int len) const {
  std::vector<TextChar> chars;
  if (!bytes || len <= 0) return chars;
  chars.reserve(static_cast<size_t>(len));
  ForEachChar(m_dbcs, bytes, len, [&](const TextChar& c) { chars.push_back(c); });
  return chars;
}

std::uint32_t FontInstance::GlyphOf(UINT code) const {
  if (code > 0xFF) return m_face->GlyphOf(CodeToUnicode(code, true));
  // The face gives one glyph for a code point, whichever thread asks first.
  std::atomic<std::uint32_t>& kept = m_byteGlyphs[code];
  std::uint32_t glyph = kept.load(std::memory_order_relaxed);
  if (glyph == kUnknownGlyph) {
    glyph = m_face->GlyphOf(CodeToUnicode(code, m_dbcs));
    kept.store(glyph, std::memory_order_relaxed);
  }
  return glyph;
}

double FontInstance::AdvanceOfGlyph(std::uint32_t glyph) const {
  return (m_face->Advance(glyph) + m_boldExtra) * m_scale * m_sx;
}

const GlyphOutline& FontInstance::OutlineOfGlyph(std::uint32_t glyph) const {
  return m_face->Outline(glyph, m_bold);
}

ABCFLOAT FontInstance::CharABCFloat(UINT code) const {
  const std::uint32_t glyph = GlyphOf(code);
  const double advance = AdvanceOfGlyph(glyph);
  const GlyphOutline& g = OutlineOfGlyph(glyph);
  ABCFLOAT abc;
  if (g.empty) {
    abc.abcfC = static_cast<float>(advance);
    return abc;
  }
  double left = g.xMin * m_sx, right = g.xMax * m_sx;
  if (m_italic) {
    // The black box of the slanted outline itself.
    GlyphOutline slanted = g;
    for (size_t i = 0; i + 1 < slanted.xy.size(); i += 2)
      slanted.xy[i] = static_cast<float>(slanted.xy[i] * m_sx + slanted.xy[i + 1] * kSlant);
    ComputeBounds(slanted);
    left = slanted.xMin;
    right = slanted.xMax;
  }
  abc.abcfA = static_cast<float>(left * m_scale);
  abc.abcfB = static_cast<float>((right - left) * m_scale);
  abc.abcfC = static_cast<float>(advance - abc.abcfA - abc.abcfB);
  return abc;
}

ABC FontInstance::CharABC(UINT code) const {
  ABCFLOAT f = CharABCFloat(code);
  const int advance = CharAdvance(code);
  ABC abc;
  if (f.abcfB <= 0) {
    abc.abcC = advance;
    return abc;
  }
  const int left = DoubleToInt(std::floor(f.abcfA));
  const int right = DoubleToInt(std::ceil(static_cast<double>(f.abcfA) + f.abcfB));
  abc.abcA = left;
  abc.abcB = static_cast<UINT>(std::max(0, Saturate(static_cast<long long>(right) - left)));
  abc.abcC = Saturate(static_cast<long long>(advance) - abc.abcA - static_cast<long long>(abc.abcB));
  return abc;
}

int FontInstance::CharAdvance(UINT code) const { return Round(AdvanceOfGlyph(GlyphOf(code))); }

SIZE FontInstance::TextExtent(const char* bytes, int len) const {
  SIZE size;
  size.cy = m_tm.tmHeight;
  long long cx = 0;
  ForEachChar(m_dbcs, bytes, len, [&](const TextChar& c) { cx += CharAdvance(c.code); });
  size.cx = Saturate(cx);
  return size;
}

// A glyph's points as whole offsets from the pen and baseline, for one font and orientation: an
// integral pen plus the offset is exactly what rounding pen + scaled point gives. Glyphs with a
// point too near a half unit keep no offsets and are computed point by point.
struct FontInstance::ScaledGlyph {
  const GlyphOutline* outline = nullptr;
  std::vector<POINT> offsets;
  bool exact = false;
};

FontInstance::~FontInstance() { g_scaledPoints -= m_scaledPoints; }

const FontInstance::ScaledGlyph* FontInstance::ScaledOf(std::uint32_t glyph, Orientation o) const {
  if (!g_keepScaled.load(std::memory_order_relaxed)) return nullptr;
  const std::uint64_t key =
      glyph | (static_cast<std::uint64_t>(o.right < 0) << 32) | (static_cast<std::uint64_t>(o.up < 0) << 33);
  std::lock_guard<std::mutex> hold(m_scaledLock);
  if (auto it = m_scaled.find(key); it != m_scaled.end()) return it->second.get();
  const GlyphOutline& g = OutlineOfGlyph(glyph);
  const long long points = static_cast<long long>(g.xy.size() / 2) + 1;
  if (g_scaledPoints.load() + points > kMaxScaledPoints) return nullptr;
  auto s = std::make_unique<ScaledGlyph>();
  s->outline = &g;
  const double kx = m_sx * m_scale * o.right;
  const double ky = m_scale * o.up;
  const double shear = m_italic ? kSlant * m_scale * o.right : 0;
  s->exact = true;
  s->offsets.resize(g.xy.size() / 2);
  for (size_t k = 0; k < s->offsets.size() && s->exact; ++k) {
    const double fx = g.xy[2 * k], fy = g.xy[2 * k + 1];
    const double a = fx * kx, b = fy * shear;
    s->exact = std::fabs(a) < kOffsetLimit && std::fabs(b) < kOffsetLimit &&
               NearestWhole(a + b, s->offsets[k].x) && NearestWhole(fy * ky, s->offsets[k].y);
  }
  if (!s->exact) s->offsets.clear();
  const long long kept = static_cast<long long>(s->offsets.size()) + 1;
  m_scaledPoints += kept;
  g_scaledPoints += kept;
  return m_scaled.emplace(key, std::move(s)).first->second.get();
}

void KeepScaledGlyphs(bool keep) { g_keepScaled = keep; }

long long ScaledGlyphPoints() { return g_scaledPoints.load(); }

void FontInstance::Outline(const char* bytes, int len, int x, int y, HAlign h, VAlign v, Orientation o,
                           OutlineSink& sink) const {
  double pen = x;
  if (h != HAlign::Left) {
    long long extent = 0;
    ForEachChar(m_dbcs, bytes, len, [&](const TextChar& c) { extent += Round(AdvanceOfGlyph(GlyphOf(c.code))); });
    if (h == HAlign::Right) pen = x - o.right * static_cast<double>(extent);
    if (h == HAlign::Center) pen = x - o.right * static_cast<double>(extent) / 2;
  }
  double baseline = y;
  if (v == VAlign::Top) baseline = y - o.up * static_cast<double>(m_tm.tmAscent);
  if (v == VAlign::Bottom) baseline = y + o.up * static_cast<double>(m_tm.tmDescent);

  const double kx = m_sx * m_scale * o.right;
  const double ky = m_scale * o.up;
  const double shear = m_italic ? kSlant * m_scale * o.right : 0;
  const bool wholeBaseline = WholePen(baseline);
  ForEachChar(m_dbcs, bytes, len, [&](const TextChar& c) {
    const std::uint32_t glyph = GlyphOf(c.code);
    const int advance = Round(AdvanceOfGlyph(glyph));
    const ScaledGlyph* scaled = ScaledOf(glyph, o);
    const GlyphOutline& g = scaled ? *scaled->outline : OutlineOfGlyph(glyph);
    const bool fast = scaled && scaled->exact && wholeBaseline && WholePen(pen);
    const LONG px = fast ? static_cast<LONG>(pen) : 0, py = fast ? static_cast<LONG>(baseline) : 0;
    auto at = [&](size_t k) {
      POINT p;
      if (fast) {
        p.x = px + scaled->offsets[k].x;
        p.y = py + scaled->offsets[k].y;
        return p;
      }
      const double fx = g.xy[2 * k], fy = g.xy[2 * k + 1];
      p.x = Round(pen + fx * kx + fy * shear);
      p.y = Round(baseline + fy * ky);
      return p;
    };
    size_t k = 0;
    for (size_t i = 0; i < g.ops.size(); ++i) {
      switch (g.ops[i]) {
        case 0:
          sink.MoveTo(at(k++));
          break;
        case 1:
          sink.LineTo(at(k++));
          break;
        case 2:
          sink.BezierTo(at(k), at(k + 1), at(k + 2));
          k += 3;
          i += 2;
          break;
        default:
          sink.CloseFigure();
          break;
      }
    }
    pen += o.right * advance;
  });
}

namespace {

std::shared_ptr<const FontInstance> MakeFont(const LOGFONT& lf) {
  const std::string faceBytes = FaceBytes(lf);
  QString family = MapFaceName(faceBytes);
  const bool mapped = !family.isEmpty();
  if (!mapped) family = cp932::ToQString(faceBytes).trimmed();
  const bool dbcs = lf.lfCharSet == SHIFTJIS_CHARSET || lf.lfCharSet == DEFAULT_CHARSET;
  const int weight = lf.lfWeight <= 0 ? FW_NORMAL : std::min<LONG>(lf.lfWeight, 1000);
  std::shared_ptr<Face> face = Face::Resolve(family, weight, lf.lfItalic != 0, dbcs && !mapped);
  return std::make_shared<const FontInstance>(lf, std::move(face));
}

// Text is laid out and drawn character by character, each with its font made afresh: equal
// LOGFONTs (compared byte for byte) share one instance. The most recent ones are kept.
static_assert(sizeof(LOGFONT) == 5 * sizeof(LONG) + 8 + LF_FACESIZE, "LOGFONT has no padding");
using FontKey = std::array<char, sizeof(LOGFONT)>;

struct FontKeyHash {
  size_t operator()(const FontKey& k) const {
    return std::hash<std::string_view>()(std::string_view(k.data(), k.size()));
  }
};

struct FontCache {
  static constexpr size_t kMaxFonts = 1024;
  std::mutex lock;
  std::list<std::pair<FontKey, std::shared_ptr<const FontInstance>>> lru;  // most recent first
  std::unordered_map<FontKey, decltype(lru)::iterator, FontKeyHash> index;
};

FontCache& Fonts() {
  static FontCache* cache = new FontCache;
  return *cache;
}

}  // namespace

std::shared_ptr<const FontInstance> CreateFont(const LOGFONT& lf) {
  FontKey key;
  std::memcpy(key.data(), &lf, sizeof(LOGFONT));
  FontCache& cache = Fonts();
  {
    std::lock_guard<std::mutex> hold(cache.lock);
    if (auto it = cache.index.find(key); it != cache.index.end()) {
      cache.lru.splice(cache.lru.begin(), cache.lru, it->second);
      return it->second->second;
    }
  }
  std::shared_ptr<const FontInstance> font = MakeFont(lf);
  std::lock_guard<std::mutex> hold(cache.lock);
  if (cache.index.count(key) == 0) {
    cache.lru.emplace_front(key, font);
    cache.index.emplace(key, cache.lru.begin());
    if (cache.lru.size() > FontCache::kMaxFonts) {
      cache.index.erase(cache.lru.back().first);
      cache.lru.pop_back();
    }
  }
  return font;
}

}  // namespace fontengine

BOOL CFont::CreateFontIndirect(const LOGFONT* lf) {
  if (!lf) return FALSE;
  m_font = fontengine::CreateFont(*lf);
  return TRUE;
}

int CFont::GetLogFont(LOGFONT* lf) const {
  if (!m_font || !lf) return 0;
  *lf = m_font->LogFont();
  return static_cast<int>(sizeof(LOGFONT));
}

BOOL CFont::DeleteObject() {
  if (!m_font) return FALSE;
  m_font.reset();
  return TRUE;
}
