// Text on a device context: output (into the open path as glyph contours, or painted), metrics,
// ABC widths and extents of the font selected into the DC, all in the DC's logical units.
// Without a selected font the DC's text uses the stock system font.
#pragma once

#include "platform/cstring.h"
#include "platform/gdi/font.h"

class CDC;

namespace gditext {

// Cell height, in device pixels, of a font whose LOGFONT gives no height.
inline constexpr double kDefaultCellPixels = 16;

// Outputs text at (x, y) placed by the DC's text alignment (TA_LEFT/TA_CENTER/TA_RIGHT with
// TA_TOP/TA_BASELINE/TA_BOTTOM; TA_UPDATECP starts at the current position and moves it past the
// text). Inside BeginPath/EndPath every glyph contour becomes a closed figure of the path;
// otherwise the glyphs are filled with the text colour (over the background colour in OPAQUE
// mode).
BOOL TextOut(CDC& dc, int x, int y, const char* text, int count);
BOOL TextOut(CDC& dc, int x, int y, const CString& text);
// The bounds (top the least y) of the points TextOut would add to an empty open path, without a
// path: the same placement and the same move of the current position. False when it would add
// none, or more than a path holds.
bool TextOutlineBounds(CDC& dc, int x, int y, const char* text, int count, RECT* box);

BOOL GetTextMetrics(const CDC& dc, TEXTMETRIC* tm);
// Codes first..last: single bytes or lead x 256 + trail under code page 932.
BOOL GetCharABCWidths(const CDC& dc, UINT first, UINT last, ABC* abc);
BOOL GetCharABCWidthsFloat(const CDC& dc, UINT first, UINT last, ABCFLOAT* abcf);
BOOL GetTextExtentPoint32(const CDC& dc, const char* text, int count, SIZE* size);
CSize GetTextExtent(const CDC& dc, const char* text, int count);
CSize GetTextExtent(const CDC& dc, const CString& text);

// The font a DC without a selected font uses (cell height 16 device pixels, code page 932).
CFont* StockSystemFont();

}  // namespace gditext
