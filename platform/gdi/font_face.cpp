#include "platform/gdi/font_face.h"

#include <QByteArray>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <map>
#include <string>

#include "platform/ascii_case.h"
#include "platform/cp932.h"

namespace fontengine {
namespace {

int U16(const QByteArray& t, int off) {
  if (off < 0 || off + 2 > t.size()) return 0;
  return (static_cast<unsigned char>(t[off]) << 8) | static_cast<unsigned char>(t[off + 1]);
}
int S16(const QByteArray& t, int off) { return static_cast<std::int16_t>(U16(t, off)); }

// The Windows-1252 characters of bytes 0x80-0x9F (0 where the code page has none).
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0, 0x017D, 0, 0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};

struct FaceKey {
  QString family;
  int weight;
  bool italic;
  bool japanese;
  bool operator<(const FaceKey& o) const {
    if (family != o.family) return family < o.family;
    if (weight != o.weight) return weight < o.weight;
    if (italic != o.italic) return italic < o.italic;
    return japanese < o.japanese;
  }
};

struct FaceCache {
  std::mutex lock;
  std::map<FaceKey, std::shared_ptr<Face>> faces;
};

// Held for the life of the process: faces keep Qt font engines, which must not be released after
// the application object is gone.
FaceCache& Cache() {
  static FaceCache* cache = new FaceCache;
  return *cache;
}

QRawFont RawFontFor(const QString& family, int weight, bool italic, bool japanese) {
  QFont font;
  if (!family.isEmpty()) font.setFamilies({family});
  font.setPixelSize(64);
  font.setWeight(static_cast<QFont::Weight>(std::clamp(weight, 1, 1000)));
  font.setItalic(italic);
  font.setHintingPreference(QFont::PreferNoHinting);
  return QRawFont::fromFont(font, japanese ? QFontDatabase::Japanese : QFontDatabase::Any);
}

void Extend(GlyphOutline& g, double x, double y) {
  if (g.empty) {
    g.xMin = g.xMax = x;
    g.yMin = g.yMax = y;
    g.empty = false;
    return;
  }
  g.xMin = std::min(g.xMin, x);
  g.xMax = std::max(g.xMax, x);
  g.yMin = std::min(g.yMin, y);
  g.yMax = std::max(g.yMax, y);
}

// Extremes of one coordinate of a cubic Bezier inside (0, 1).
void CubicExtremes(double p0, double p1, double p2, double p3, double* ts, int* n) {
  double a = -p0 + 3 * p1 - 3 * p2 + p3;
  double b = 2 * (p0 - 2 * p1 + p2);
  double c = p1 - p0;
  *n = 0;
  if (std::fabs(a) < 1e-12) {
    if (std::fabs(b) > 1e-12) {
      double t = -c / b;
      if (t > 0 && t < 1) ts[(*n)++] = t;
    }
    return;
  }
  double d = b * b - 4 * a * c;
  if (d < 0) return;
  double s = std::sqrt(d);
  for (double t : {(-b + s) / (2 * a), (-b - s) / (2 * a)})
    if (t > 0 && t < 1) ts[(*n)++] = t;
}

}  // namespace

void ComputeBounds(GlyphOutline& g) {
  g.empty = true;
  const std::vector<float>& p = g.xy;
  size_t k = 0;
  double cx = 0, cy = 0;
  for (size_t i = 0; i < g.ops.size(); ++i) {
    int op = g.ops[i];
    if (op == 3) continue;
    if (op == 2) {
      double x[4] = {cx, p[k], p[k + 2], p[k + 4]};
      double y[4] = {cy, p[k + 1], p[k + 3], p[k + 5]};
      Extend(g, x[3], y[3]);
      for (const double* c : {x, y}) {
        double ts[2];
        int n;
        CubicExtremes(c[0], c[1], c[2], c[3], ts, &n);
        for (int j = 0; j < n; ++j) {
          double t = ts[j], u = 1 - t;
          double bx = u * u * u * x[0] + 3 * u * u * t * x[1] + 3 * u * t * t * x[2] + t * t * t * x[3];
          double by = u * u * u * y[0] + 3 * u * u * t * y[1] + 3 * u * t * t * y[2] + t * t * t * y[3];
          Extend(g, bx, by);
        }
      }
      cx = p[k + 4];
      cy = p[k + 5];
      k += 6;
      i += 2;
      continue;
    }
    cx = p[k];
    cy = p[k + 1];
    Extend(g, cx, cy);
    k += 2;
  }
}

namespace {

// Synthetic bold: every point of a contour (on or off the curve) moves outward from the ink
// along the bisector of its two edges, which thickens each stroke by `strength`; the outline is
// then moved right by half of it so that the left side bearing stays.
void Embolden(GlyphOutline& g, double strength) {
  std::vector<float>& p = g.xy;
  // Contour ranges over the point list.
  struct Range { size_t first, count; };
  std::vector<Range> contours;
  size_t pt = 0;
  Range cur{0, 0};
  for (size_t i = 0; i < g.ops.size(); ++i) {
    if (g.ops[i] == 0) {
      if (cur.count) contours.push_back(cur);
      cur = {pt, 0};
    }
    if (g.ops[i] != 3) {
      ++pt;
      ++cur.count;
    }
  }
  if (cur.count) contours.push_back(cur);

  // Which side the ink lies on follows from the sign of the total area.
  double area = 0;
  for (const Range& r : contours) {
    for (size_t i = 0; i < r.count; ++i) {
      size_t a = r.first + i, b = r.first + (i + 1) % r.count;
      area += double(p[2 * a]) * p[2 * b + 1] - double(p[2 * b]) * p[2 * a + 1];
    }
  }
  const double side = area < 0 ? 1.0 : -1.0;  // clockwise outer contours (TrueType): ink on the right
  const double half = strength / 2;

  std::vector<float> out(p);
  for (const Range& r : contours) {
    if (r.count < 3) continue;
    for (size_t i = 0; i < r.count; ++i) {
      size_t idx = r.first + i;
      double x = p[2 * idx], y = p[2 * idx + 1];
      // Nearest distinct neighbours.
      double inx = 0, iny = 0, outx = 0, outy = 0;
      for (size_t s = 1; s < r.count; ++s) {
        size_t j = r.first + (i + r.count - s) % r.count;
        inx = x - p[2 * j];
        iny = y - p[2 * j + 1];
        if (std::hypot(inx, iny) > 1e-6) break;
      }
      for (size_t s = 1; s < r.count; ++s) {
        size_t j = r.first + (i + s) % r.count;
        outx = p[2 * j] - x;
        outy = p[2 * j + 1] - y;
        if (std::hypot(outx, outy) > 1e-6) break;
      }
      double li = std::hypot(inx, iny), lo = std::hypot(outx, outy);
      if (li < 1e-6 || lo < 1e-6) continue;
      inx /= li; iny /= li; outx /= lo; outy /= lo;
      // Left normals of both edges, turned to the side away from the ink.
      double n1x = -iny * side, n1y = inx * side;
      double n2x = -outy * side, n2y = outx * side;
      double d = n1x * n2x + n1y * n2y;
      if (d < -0.9375) d = -0.9375;  // a spike: do not shoot the point far away
      double sx = (n1x + n2x) / (1 + d) * half;
      double sy = (n1y + n2y) / (1 + d) * half;
      out[2 * idx] = static_cast<float>(x + sx + half);
      out[2 * idx + 1] = static_cast<float>(y + sy);
    }
  }
  p.swap(out);
  ComputeBounds(g);
}

}  // namespace

char32_t CodeToUnicode(UINT code, bool dbcs) {
  if (code > 0xFFFF) return 0xFFFD;
  if (code > 0xFF) {
    unsigned char lead = static_cast<unsigned char>(code >> 8);
    unsigned char trail = static_cast<unsigned char>(code & 0xFF);
    if (!cp932::IsLeadByte(lead) || trail < 0x40 || trail == 0x7F || trail > 0xFC) return 0xFFFD;
    static std::mutex lock;
    static auto* known = new std::unordered_map<UINT, char32_t>;
    std::lock_guard<std::mutex> guard(lock);
    auto it = known->find(code);
    if (it != known->end()) return it->second;
    std::string bytes{static_cast<char>(lead), static_cast<char>(trail)};
    QString s = cp932::ToQString(bytes);
    char32_t cp = 0xFFFD;
    QList<uint> ucs4 = s.toUcs4();
    if (ucs4.size() == 1) cp = ucs4[0];
    known->emplace(code, cp);
    return cp;
  }
  if (dbcs) {
    if (code < 0x80) return code;
    if (code >= 0xA1 && code <= 0xDF) return 0xFF61 + (code - 0xA1);
    return 0xFFFD;
  }
  if (code >= 0x80 && code < 0xA0) {
    char16_t c = kCp1252High[code - 0x80];
    return c ? c : 0xFFFD;
  }
  return code;
}

QString MapFaceName(const std::string& faceCp932) {
  std::string name = faceCp932;
  // Some callers store "MS UI Gothic " with a trailing blank.
  while (!name.empty() && name.back() == ' ') name.pop_back();
  const std::string utf8 = cp932::ToUtf8(name);
  struct Entry { const char* name; const char* family; };
  static const Entry kMap[] = {
      {"ＭＳ 明朝", "IPAMincho"},     {"MS Mincho", "IPAMincho"},
      {"ＭＳ ゴシック", "IPAGothic"}, {"MS Gothic", "IPAGothic"},
      {"ＭＳ Ｐゴシック", "IPAPGothic"}, {"ＭＳ Ｐ明朝", "IPAPMincho"},
      {"MS PGothic", "IPAPGothic"},   {"MS PMincho", "IPAPMincho"},
      {"MS UI Gothic", "IPAPGothic"}, {"Arial", "Liberation Sans"},
  };
  for (const Entry& e : kMap)
    if (ascii::EqualsNoCase(utf8, e.name, ascii::Dbcs::None)) return QString::fromUtf8(e.family);
  return QString();
}

std::shared_ptr<Face> Face::Resolve(const QString& family, int weight, bool italic, bool japanese) {
  FaceCache& cache = Cache();
  FaceKey key{family, weight, italic, japanese};
  std::lock_guard<std::mutex> guard(cache.lock);
  auto it = cache.faces.find(key);
  if (it != cache.faces.end()) return it->second;

  std::shared_ptr<Face> face(new Face);
  if (QGuiApplication::instance()) {
    QRawFont raw = RawFontFor(family, weight, italic, japanese);
    if (raw.isValid()) {
      // When the face found has no such style of its own, take its plain face: the style is
      // synthesised by the font engine here, not by Qt's.
      QByteArray os2 = raw.fontTable("OS/2");
      int wclass = U16(os2, 4);
      bool isItalic = (U16(os2, 62) & 1) != 0 || (U16(raw.fontTable("head"), 44) & 2) != 0;
      if ((weight >= FW_SEMIBOLD && wclass < FW_SEMIBOLD) || (italic && !isItalic)) {
        QRawFont plain = RawFontFor(raw.familyName(), FW_NORMAL, false, japanese);
        if (plain.isValid()) raw = plain;
      }
      face->Load(raw);
    }
  }
  cache.faces.emplace(key, face);
  return face;
}

bool Face::Load(const QRawFont& raw) {
  m_raw = raw;
  m_family = raw.familyName();
  QByteArray head = raw.fontTable("head");
  QByteArray hhea = raw.fontTable("hhea");
  QByteArray os2 = raw.fontTable("OS/2");
  QByteArray hmtx = raw.fontTable("hmtx");
  QByteArray post = raw.fontTable("post");
  m_upm = U16(head, 18);
  if (m_upm <= 0) m_upm = raw.unitsPerEm() > 0 ? static_cast<int>(raw.unitsPerEm()) : 2048;
  m_raw.setPixelSize(m_upm);

  int hheaAscent = S16(hhea, 4), hheaDescent = S16(hhea, 6), lineGap = S16(hhea, 8);
  if (os2.size() >= 78) {
    m_winAscent = U16(os2, 74);
    m_winDescent = U16(os2, 76);
    m_avgWidth = S16(os2, 2);
    m_weightClass = U16(os2, 4);
    m_italic = (U16(os2, 62) & 1) != 0;
  }
  if (m_winAscent + m_winDescent <= 0) {
    m_winAscent = hheaAscent;
    m_winDescent = -hheaDescent;
  }
  if (m_winAscent + m_winDescent <= 0) {
    m_winAscent = m_upm * 4 / 5;
    m_winDescent = m_upm / 5;
  }
  m_externalLeading =
      std::max(0, lineGap - ((m_winAscent + m_winDescent) - (hheaAscent - hheaDescent)));
  if ((U16(head, 44) & 2) != 0) m_italic = true;
  m_fixedPitch = post.size() >= 16 && (U16(post, 12) != 0 || U16(post, 14) != 0);

  int longMetrics = U16(hhea, 34);
  for (int i = 0; i < longMetrics && 4 * i + 2 <= hmtx.size(); ++i)
    m_advances.push_back(static_cast<std::uint16_t>(U16(hmtx, 4 * i)));
  if (m_avgWidth <= 0) m_avgWidth = m_upm / 2;
  return true;
}

std::uint32_t Face::GlyphOf(char32_t cp) {
  std::lock_guard<std::mutex> guard(m_lock);
  auto it = m_glyphs.find(cp);
  if (it != m_glyphs.end()) return it->second;
  std::uint32_t glyph = 0;
  if (m_raw.isValid() && cp != 0xFFFD) {
    char32_t one[1] = {cp};
    QList<quint32> g = m_raw.glyphIndexesForString(QString::fromUcs4(one, 1));
    if (g.size() == 1) glyph = g[0];
  }
  m_glyphs.emplace(cp, glyph);
  return glyph;
}

double Face::Advance(std::uint32_t glyph) const {
  if (m_advances.empty()) return m_upm / 2.0;
  return glyph < m_advances.size() ? m_advances[glyph] : m_advances.back();
}

double Face::MaxAdvance(bool dbcs) {
  {
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_maxAdvance[dbcs] >= 0) return m_maxAdvance[dbcs];
  }
  std::u32string chars;
  for (UINT c = 0x20; c <= 0xFF; ++c) chars += CodeToUnicode(c, dbcs);
  if (dbcs) {
    // Every two-byte code at once through one conversion.
    std::string bytes;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
      if (!cp932::IsLeadByte(static_cast<unsigned char>(lead))) continue;
      for (int trail = 0x40; trail <= 0xFC; ++trail) {
        if (trail == 0x7F) continue;
        bytes += static_cast<char>(lead);
        bytes += static_cast<char>(trail);
      }
    }
    for (uint u : cp932::ToQString(bytes).toUcs4()) chars += static_cast<char32_t>(u);
  }
  double widest = 0;
  if (m_raw.isValid()) {
    std::u32string known;
    for (char32_t c : chars)
      if (c != 0xFFFD && c >= 0x20) known += c;
    QList<quint32> glyphs = m_raw.glyphIndexesForString(QString::fromUcs4(known.data(), known.size()));
    for (quint32 g : glyphs)
      if (g != 0) widest = std::max(widest, Advance(g));
  }
  if (widest <= 0) widest = m_upm;
  std::lock_guard<std::mutex> guard(m_lock);
  m_maxAdvance[dbcs] = widest;
  return widest;
}

GlyphOutline Face::ReadOutline(std::uint32_t glyph) {
  GlyphOutline g;
  if (!m_raw.isValid()) return g;
  // At one pixel per font unit the path is in font units with y downward.
  QPainterPath path = m_raw.pathForGlyph(glyph);
  const int n = path.elementCount();
  float startX = 0, startY = 0;
  bool open = false;
  auto closeContour = [&]() {
    if (!open) return;
    // The closing line back to the start is implied by the close.
    size_t pts = g.xy.size() / 2;
    if (!g.ops.empty() && g.ops.back() == 1 && pts >= 2 && g.xy[2 * pts - 2] == startX &&
        g.xy[2 * pts - 1] == startY) {
      g.ops.pop_back();
      g.xy.resize(g.xy.size() - 2);
    }
    if (!g.ops.empty() && g.ops.back() == 0) {  // a lone move is no figure
      g.ops.pop_back();
      g.xy.resize(g.xy.size() - 2);
    } else {
      g.ops.push_back(3);
    }
    open = false;
  };
  for (int i = 0; i < n; ++i) {
    QPainterPath::Element e = path.elementAt(i);
    float x = static_cast<float>(e.x), y = static_cast<float>(-e.y);
    switch (e.type) {
      case QPainterPath::MoveToElement:
        closeContour();
        g.ops.push_back(0);
        g.xy.push_back(x);
        g.xy.push_back(y);
        startX = x;
        startY = y;
        open = true;
        break;
      case QPainterPath::LineToElement:
        if (!open) break;
        g.ops.push_back(1);
        g.xy.push_back(x);
        g.xy.push_back(y);
        break;
      case QPainterPath::CurveToElement:
        if (!open || i + 2 >= n) break;
        g.ops.push_back(2);
        g.ops.push_back(2);
        g.ops.push_back(2);
        for (int k = 0; k < 3; ++k) {
          QPainterPath::Element c = path.elementAt(i + k);
          g.xy.push_back(static_cast<float>(c.x));
          g.xy.push_back(static_cast<float>(-c.y));
        }
        i += 2;
        break;
      default:
        break;
    }
  }
  closeContour();
  ComputeBounds(g);
  return g;
}

const GlyphOutline& Face::Outline(std::uint32_t glyph, bool embolden) {
  std::lock_guard<std::mutex> guard(m_lock);
  auto& cache = m_outlines[embolden ? 1 : 0];
  auto it = cache.find(glyph);
  if (it != cache.end()) return *it->second;
  auto g = std::make_unique<GlyphOutline>(ReadOutline(glyph));
  if (embolden && !g->empty) Embolden(*g, BoldStrength());
  return *cache.emplace(glyph, std::move(g)).first->second;
}

int CachedFaceCount() {
  FaceCache& cache = Cache();
  std::lock_guard<std::mutex> guard(cache.lock);
  return static_cast<int>(cache.faces.size());
}

}  // namespace fontengine
