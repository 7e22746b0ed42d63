// An installed face as the font engine uses it: its metric tables, its character map and a cache
// of glyph outlines in font units. Private to the font engine.
#pragma once

#include <QRawFont>
#include <cstdint>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "platform/gdi/font_engine.h"

namespace fontengine {

class Face {
 public:
  // Finds the face for a family (empty: fontconfig's default) with the weight and slant asked
  // for. When the face has no bold or italic of its own the plain face is returned and the
  // caller synthesises the style. Japanese asks fontconfig for a face that covers Japanese when
  // the family is not installed.
  static std::shared_ptr<Face> Resolve(const QString& family, int weight, bool italic, bool japanese);

  QString Family() const { return m_family; }
  bool IsBold() const { return m_weightClass >= FW_SEMIBOLD; }
  bool IsItalic() const { return m_italic; }
  bool IsFixedPitch() const { return m_fixedPitch; }
  int WeightClass() const { return m_weightClass; }
  int UnitsPerEm() const { return m_upm; }
  int WinAscent() const { return m_winAscent; }
  int WinDescent() const { return m_winDescent; }
  int ExternalLeading() const { return m_externalLeading; }
  int AverageWidth() const { return m_avgWidth; }
  // Thickening of synthetic bold in font units (added once to each advance).
  double BoldStrength() const { return m_upm / 24.0; }

  // Glyph of a Unicode code point; 0 (the missing glyph) when the face has none.
  std::uint32_t GlyphOf(char32_t cp);
  double Advance(std::uint32_t glyph) const;
  // The widest advance among the characters of code page 932 (dbcs) or 1252.
  double MaxAdvance(bool dbcs);
  const GlyphOutline& Outline(std::uint32_t glyph, bool embolden);

 private:
  Face() = default;
  bool Load(const QRawFont& raw);
  GlyphOutline ReadOutline(std::uint32_t glyph);

  QRawFont m_raw;
  QString m_family;
  int m_upm = 2048;
  int m_winAscent = 0;
  int m_winDescent = 0;
  int m_externalLeading = 0;
  int m_avgWidth = 0;
  int m_weightClass = 400;
  bool m_italic = false;
  bool m_fixedPitch = false;
  std::vector<std::uint16_t> m_advances;  // hmtx, one per long metric

  std::mutex m_lock;
  std::unordered_map<char32_t, std::uint32_t> m_glyphs;
  std::unordered_map<std::uint32_t, std::unique_ptr<GlyphOutline>> m_outlines[2];
  double m_maxAdvance[2] = {-1, -1};
};

// Sets the black box of an outline from its curves (not from their control points).
void ComputeBounds(GlyphOutline& g);

// Unicode code point of a character code under code page 932 (dbcs) or 1252; 0xFFFD when the
// code is no character.
char32_t CodeToUnicode(UINT code, bool dbcs);

}  // namespace fontengine
