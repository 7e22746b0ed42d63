// The device side shared by the straight and the arc text: the device-context state of a layout,
// fonts selected for a scope, glyph outlines captured as paths, and the two ways of painting a
// placed glyph (as a path, or through a thickened 1-bit image).
#pragma once

#include <optional>
#include <vector>

#include "platform/gdi/dc.h"
#include "platform/gdi/font.h"
#include "render/object_renderer.h"

namespace textlayout {

// Transparent background, MM_HIMETRIC, winding fill and (when given) the text colour for the
// lifetime of the object; background mode, mapping mode and fill mode are put back at the end.
class TextDcState {
 public:
  TextDcState(CDC* dc, const COLORREF* colour);
  ~TextDcState();
  TextDcState(const TextDcState&) = delete;
  TextDcState& operator=(const TextDcState&) = delete;

 private:
  CDC* m_dc;
  int m_bkMode;
  int m_mapMode;
  int m_fillMode;
};

// A font created from a LOGFONT and selected while the object lives.
class SelectedFont {
 public:
  SelectedFont(CDC* dc, const LOGFONT& lf);
  ~SelectedFont();
  SelectedFont(const SelectedFont&) = delete;
  SelectedFont& operator=(const SelectedFont&) = delete;

 private:
  CDC* m_dc;
  CFont m_font;
  CFont* m_old = nullptr;
};

// The font of a run of characters: made and selected again only when a character asks for
// another one, since most characters of a text share one (making a font resolves its face).
class FontRun {
 public:
  explicit FontRun(CDC* dc) : m_dc(dc) {}
  void Select(const LOGFONT& lf);

 private:
  CDC* m_dc;
  LOGFONT m_lf{};
  std::optional<SelectedFont> m_font;
};

// A solid brush and a one-unit solid pen of one colour, selected until Release.
class GlyphTools {
 public:
  GlyphTools(CDC* dc, COLORREF colour);
  ~GlyphTools() { Release(); }
  GlyphTools(const GlyphTools&) = delete;
  GlyphTools& operator=(const GlyphTools&) = delete;
  void Release();

 private:
  CDC* m_dc;
  CPen m_pen;
  CBrush m_brush;
  CPen* m_oldPen = nullptr;
  CBrush* m_oldBrush = nullptr;
  bool m_selected = false;
};

// 1 unless the document asks for filled text without the outline stroke.
int StrokeEdgeOf(IRenderDocument* doc);

// The base font of a text object; the face is cut to the LOGFONT's 31 bytes.
LOGFONT BaseFont(int weight, int charSet, const CString& face);

// The outline of one character output at (x, y) (top-left reference) as path points and types;
// false when the path holds nothing. flatten turns curves into lines first.
bool CaptureGlyph(CDC* dc, int x, int y, const char* ch, bool flatten, std::vector<POINT>& pts,
                  std::vector<BYTE>& types);
// CaptureGlyph (without flattening) followed by PaintGlyph of the points it gives, drawing the
// same cells, leaving the same points in pts and types and the DC as the two leave it; the path
// is painted where it was recorded instead of being built again. False (nothing painted) where
// CaptureGlyph fails.
bool CaptureAndPaintGlyph(CDC* dc, int x, int y, const char* ch, int fill, int strokeEdge,
                          std::vector<POINT>& pts, std::vector<BYTE>& types);
// The bounds of the points CaptureGlyph would give without flattening, leaving the DC as it does;
// false where it would fail.
bool CaptureGlyphBounds(CDC* dc, int x, int y, const char* ch, RECT& box);

// Paints placed glyph points as a path: filled with the outline stroke, filled only, or stroked.
void PaintGlyph(CDC* dc, const std::vector<POINT>& pts, const std::vector<BYTE>& types, int fill,
                int strokeEdge);

// The bitmap route after the glyph's points are placed: with paint, rasterises them into a 1-bit
// image, thickens its ink by the thickening (mm) and ANDs it onto the target; the glyph bounds
// grow by the thickening. Without paint only the bounds are taken, with the same margin.
void PaintThickenedGlyph(const CObjectRenderer& r, CDC* dc, std::vector<POINT>& pts,
                         const std::vector<BYTE>& types, COLORREF colour, double thickX,
                         double thickY, CDoubleRect* glyphBounds, int paint, int strokeEdge);

// Thickening image limit: a glyph image larger than this many bytes is not built.
inline constexpr long long kMaxGlyphImageBytes = 64LL * 1024 * 1024;

}  // namespace textlayout
