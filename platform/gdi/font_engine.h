// The font engine under CFont: installed faces (mapped from the names the system uses), a cache of
// faces and of glyph outlines, and fonts scaled to logical units. Outlines come from Qt's QRawFont
// read at one pixel per font unit, without hinting; TrueType quadratics arrive as cubics.
#pragma once

#include <QString>
#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/gdi/font.h"

namespace fontengine {

// Receives glyph contours in logical coordinates. Every contour is a figure that starts with
// MoveTo and ends with CloseFigure.
class OutlineSink {
 public:
  virtual ~OutlineSink() = default;
  virtual void MoveTo(POINT p) = 0;
  virtual void LineTo(POINT p) = 0;
  virtual void BezierTo(POINT c1, POINT c2, POINT end) = 0;
  virtual void CloseFigure() = 0;
};

// Which way the device's right and up run in logical coordinates (+1 or -1 per axis). Text stands
// upright on the device whatever the mapping, so MM_TEXT has up = -1 and MM_HIMETRIC up = +1.
struct Orientation {
  int right = 1;
  int up = -1;
};

enum class HAlign { Left, Center, Right };
enum class VAlign { Top, Baseline, Bottom };

// The installed family a face name of the system stands for ("ＭＳ 明朝" -> IPAMincho, ...); empty
// when the name is not one of them (fontconfig then chooses). The name is code page 932.
QString MapFaceName(const std::string& faceCp932);

class Face;

// A contour point in font units (y up): op 0 move, 1 line, 2 cubic (the op of its first control
// point; the two points after it belong to the same curve), 3 closes the contour (no point).
struct GlyphOutline {
  std::vector<float> xy;
  std::vector<std::uint8_t> ops;
  // Black box in font units; empty for a blank glyph.
  bool empty = true;
  double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
};

// One character of a string: its code as the metric functions take it and its bytes.
struct TextChar {
  UINT code = 0;
  int offset = 0;
  int length = 1;
};

class FontInstance {
 public:
  FontInstance(const LOGFONT& lf, std::shared_ptr<Face> face);
  ~FontInstance();
  FontInstance(const FontInstance&) = delete;
  FontInstance& operator=(const FontInstance&) = delete;

  const LOGFONT& LogFont() const { return m_lf; }
  const TEXTMETRIC& Metrics() const { return m_tm; }
  // The family actually used (after mapping and fontconfig's choice).
  QString FamilyName() const;
  bool SyntheticBold() const { return m_bold; }
  bool SyntheticItalic() const { return m_italic; }
  bool IsDoubleByte() const { return m_dbcs; }
  // Em height and horizontal scale (1 = the face's own proportions) in logical units.
  double EmHeight() const { return m_em; }
  double WidthScale() const { return m_sx; }

  // Splits code-page bytes into characters (a lead byte and its trail byte are one character
  // under code page 932; a lead byte without a trail stands alone).
  std::vector<TextChar> Split(const char* bytes, int len) const;

  ABCFLOAT CharABCFloat(UINT code) const;
  ABC CharABC(UINT code) const;
  // Advance of a character, rounded to whole logical units as text output places it.
  int CharAdvance(UINT code) const;
  SIZE TextExtent(const char* bytes, int len) const;

  // Appends the glyph contours of the string. (x, y) is the reference point, the alignment says
  // which point of the text box it is.
  void Outline(const char* bytes, int len, int x, int y, HAlign h, VAlign v, Orientation o,
               OutlineSink& sink) const;

 private:
  std::uint32_t GlyphOf(UINT code) const;
  double AdvanceOfGlyph(std::uint32_t glyph) const;
  const GlyphOutline& OutlineOfGlyph(std::uint32_t glyph) const;
  struct ScaledGlyph;
  // The glyph's points scaled for this font and orientation, or null when the cache is full.
  const ScaledGlyph* ScaledOf(std::uint32_t glyph, Orientation o) const;

  LOGFONT m_lf;
  std::shared_ptr<Face> m_face;
  bool m_dbcs = false;
  bool m_bold = false;
  bool m_italic = false;
  double m_em = 0;
  double m_scale = 0;  // logical units per font unit, vertically
  double m_sx = 1;     // horizontal factor on top of m_scale
  double m_boldExtra = 0;  // font units added to every advance by synthetic bold
  TEXTMETRIC m_tm;
  // The glyphs of the single-byte codes, kUnknownGlyph until first asked: every character of
  // every text asks, and the face's lookup takes its lock.
  static constexpr std::uint32_t kUnknownGlyph = 0xFFFFFFFFu;
  mutable std::array<std::atomic<std::uint32_t>, 256> m_byteGlyphs;
  mutable std::mutex m_scaledLock;
  mutable std::unordered_map<std::uint64_t, std::unique_ptr<const ScaledGlyph>> m_scaled;
  mutable long long m_scaledPoints = 0;
};

// Creates (from the cache of faces) the font a LOGFONT describes; never null.
std::shared_ptr<const FontInstance> CreateFont(const LOGFONT& lf);

// Number of faces and glyph outlines held in the caches (for tests).
int CachedFaceCount();

// For tests: with false, fonts compute every glyph point from the outline instead of using the
// points they keep scaled; the count is of the points kept by all fonts.
void KeepScaledGlyphs(bool keep);
long long ScaledGlyphPoints();

}  // namespace fontengine
