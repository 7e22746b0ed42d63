// A reading of a TrueType file that shares nothing with the font engine: the glyph's box as the
// font file stores it in the glyph header, found through the file's own character map.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

struct TtfBox {
  int upm = 0;
  int xMin = 0, yMin = 0, xMax = 0, yMax = 0;
  int advance = 0;
};

class TtfReader {
 public:
  explicit TtfReader(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    m_data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (m_data.size() < 12) return;
    int n = U16(4);
    for (int i = 0; i < n; ++i) {
      size_t rec = 12 + 16 * static_cast<size_t>(i);
      std::string tag(m_data.begin() + rec, m_data.begin() + rec + 4);
      m_tables[tag] = {U32(rec + 8), U32(rec + 12)};
    }
  }

  bool ok() const { return m_tables.count("glyf") && m_tables.count("cmap") && m_tables.count("loca"); }

  std::optional<TtfBox> Box(char32_t cp) const {
    if (!ok()) return std::nullopt;
    int glyph = GlyphOf(cp);
    if (glyph <= 0) return std::nullopt;
    size_t head = m_tables.at("head").first;
    TtfBox box;
    box.upm = U16(head + 18);
    bool longLoca = S16(head + 50) != 0;
    size_t loca = m_tables.at("loca").first;
    size_t glyf = m_tables.at("glyf").first;
    size_t off = longLoca ? U32(loca + 4 * glyph) : 2 * static_cast<size_t>(U16(loca + 2 * glyph));
    size_t g = glyf + off;
    box.xMin = S16(g + 2);
    box.yMin = S16(g + 4);
    box.xMax = S16(g + 6);
    box.yMax = S16(g + 8);
    size_t hhea = m_tables.at("hhea").first;
    int longMetrics = U16(hhea + 34);
    size_t hmtx = m_tables.at("hmtx").first;
    box.advance = U16(hmtx + 4 * static_cast<size_t>(glyph < longMetrics ? glyph : longMetrics - 1));
    return box;
  }

 private:
  int GlyphOf(char32_t cp) const {
    size_t cmap = m_tables.at("cmap").first;
    int n = U16(cmap + 2);
    for (int i = 0; i < n; ++i) {
      size_t rec = cmap + 4 + 8 * static_cast<size_t>(i);
      if (U16(rec) != 3 || U16(rec + 2) != 1) continue;  // Windows, Unicode BMP
      size_t sub = cmap + U32(rec + 4);
      if (U16(sub) != 4) continue;
      int segX2 = U16(sub + 6);
      size_t ends = sub + 14, starts = ends + segX2 + 2, deltas = starts + segX2, ranges = deltas + segX2;
      for (int s = 0; s < segX2 / 2; ++s) {
        unsigned end = U16(ends + 2 * s), start = U16(starts + 2 * s);
        if (cp < start || cp > end) continue;
        int delta = S16(deltas + 2 * s);
        unsigned range = U16(ranges + 2 * s);
        if (range == 0) return static_cast<int>((cp + delta) & 0xFFFF);
        size_t at = ranges + 2 * s + range + 2 * (cp - start);
        unsigned glyph = U16(at);
        return glyph ? static_cast<int>((glyph + delta) & 0xFFFF) : 0;
      }
    }
    return 0;
  }
  unsigned U16(size_t o) const {
    if (o + 2 > m_data.size()) return 0;
    return (static_cast<unsigned char>(m_data[o]) << 8) | static_cast<unsigned char>(m_data[o + 1]);
  }
  int S16(size_t o) const { return static_cast<std::int16_t>(U16(o)); }
  size_t U32(size_t o) const { return (static_cast<size_t>(U16(o)) << 16) | U16(o + 2); }

  std::vector<char> m_data;
  std::map<std::string, std::pair<size_t, size_t>> m_tables;
};
