#include "platform/gdi/font_text.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/gdi/dc.h"
#include "platform/gdi/font_engine.h"

namespace gditext {
namespace {

using fontengine::FontInstance;

// Cell height of a font whose LOGFONT gives none, in device pixels.
constexpr double kDefaultCellPixels = 16;

struct DcFont {
  std::shared_ptr<const FontInstance> owned;
  const FontInstance* font = nullptr;
};

// The selected font; one without a height gets the default cell in device pixels.
DcFont FontOf(const CDC& dc) {
  CFont* selected = dc.GetCurrentFont();
  if (!selected || !selected->Instance()) selected = StockSystemFont();
  DcFont out;
  out.font = selected->Instance();
  if (out.font->LogFont().lfHeight != 0) return out;
  LOGFONT lf = out.font->LogFont();
  const double scale = std::fabs(dc.DeviceScaleY());
  lf.lfHeight = scale > 0 ? std::max(1, DoubleToInt(kDefaultCellPixels / scale + 0.5)) : 16;
  out.owned = fontengine::CreateFont(lf);
  out.font = out.owned.get();
  return out;
}

fontengine::Orientation OrientationOf(const CDC& dc) {
  fontengine::Orientation o;
  o.right = dc.DeviceScaleX() < 0 ? -1 : 1;
  o.up = dc.DeviceScaleY() < 0 ? 1 : -1;
  return o;
}

struct PathSink : fontengine::OutlineSink {
  explicit PathSink(CDC& d) : dc(d) {}
  void MoveTo(POINT p) override { dc.PathMoveTo(p); }
  void LineTo(POINT p) override { dc.PathLineTo(p); }
  void BezierTo(POINT c1, POINT c2, POINT end) override { dc.PathBezierTo(c1, c2, end); }
  void CloseFigure() override { dc.PathCloseFigure(); }
  CDC& dc;
};

struct FigureSink : fontengine::OutlineSink {
  void MoveTo(POINT p) override { Add(p, PT_MOVETO); }
  void LineTo(POINT p) override { Add(p, PT_LINETO); }
  void BezierTo(POINT c1, POINT c2, POINT end) override {
    Add(c1, PT_BEZIERTO);
    Add(c2, PT_BEZIERTO);
    Add(end, PT_BEZIERTO);
  }
  void CloseFigure() override {
    if (!types.empty()) types.back() |= PT_CLOSEFIGURE;
  }
  void Add(POINT p, BYTE type) {
    pts.push_back(p);
    types.push_back(type);
  }
  std::vector<POINT> pts;
  std::vector<BYTE> types;
};

}  // namespace

CFont* StockSystemFont() {
  // Lives as long as the process, like the stock objects of the system.
  static CFont* font = [] {
    auto* f = new CFont;
    LOGFONT lf;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = SHIFTJIS_CHARSET;
    const char face[] = "System";
    std::copy(face, face + sizeof(face), lf.lfFaceName);
    f->CreateFontIndirect(&lf);
    return f;
  }();
  return font;
}

BOOL TextOut(CDC& dc, int x, int y, const char* text, int count) {
  if (!text || count < 0) return FALSE;
  const DcFont f = FontOf(dc);
  const UINT align = dc.GetTextAlign();
  fontengine::HAlign h = fontengine::HAlign::Left;
  if ((align & TA_CENTER) == TA_CENTER)
    h = fontengine::HAlign::Center;
  else if (align & TA_RIGHT)
    h = fontengine::HAlign::Right;
  fontengine::VAlign v = fontengine::VAlign::Top;
  if ((align & TA_BASELINE) == TA_BASELINE)
    v = fontengine::VAlign::Baseline;
  else if (align & TA_BOTTOM)
    v = fontengine::VAlign::Bottom;
  const bool updateCp = (align & TA_UPDATECP) != 0;
  if (updateCp) {
    CPoint cp = dc.GetCurrentPosition();
    x = cp.x;
    y = cp.y;
  }
  const fontengine::Orientation o = OrientationOf(dc);
  const SIZE extent = f.font->TextExtent(text, count);

  if (dc.IsPathOpen()) {
    PathSink sink(dc);
    f.font->Outline(text, count, x, y, h, v, o, sink);
  } else {
    if (dc.GetBkMode() == OPAQUE && count > 0) {
      const TEXTMETRIC& tm = f.font->Metrics();
      int left = x;
      if (h == fontengine::HAlign::Right) left = x - o.right * extent.cx;
      if (h == fontengine::HAlign::Center) left = x - o.right * extent.cx / 2;
      int baseline = y;
      if (v == fontengine::VAlign::Top) baseline = y - o.up * tm.tmAscent;
      if (v == fontengine::VAlign::Bottom) baseline = y + o.up * tm.tmDescent;
      RECT box{std::min(left, left + o.right * extent.cx), baseline + o.up * tm.tmAscent,
               std::max(left, left + o.right * extent.cx), baseline - o.up * tm.tmDescent};
      dc.FillSolidRect(&box, dc.GetBkColor());
    }
    FigureSink sink;
    f.font->Outline(text, count, x, y, h, v, o, sink);
    if (!sink.pts.empty())
      dc.FillFigures(sink.pts.data(), sink.types.data(), static_cast<int>(sink.pts.size()),
                     dc.GetTextColor(), WINDING);
  }

  if (updateCp) {
    // The current position moves to the far end of the text; centred text leaves it.
    if (h == fontengine::HAlign::Left) dc.MoveTo(x + o.right * extent.cx, y);
    if (h == fontengine::HAlign::Right) dc.MoveTo(x - o.right * extent.cx, y);
  }
  return TRUE;
}

BOOL TextOut(CDC& dc, int x, int y, const CString& text) {
  return TextOut(dc, x, y, text.c_str(), text.GetLength());
}

BOOL GetTextMetrics(const CDC& dc, TEXTMETRIC* tm) {
  if (!tm) return FALSE;
  *tm = FontOf(dc).font->Metrics();
  return TRUE;
}

BOOL GetCharABCWidths(const CDC& dc, UINT first, UINT last, ABC* abc) {
  if (!abc || last < first) return FALSE;
  const DcFont f = FontOf(dc);
  for (UINT c = first;; ++c) {
    abc[c - first] = f.font->CharABC(c);
    if (c == last) break;
  }
  return TRUE;
}

BOOL GetCharABCWidthsFloat(const CDC& dc, UINT first, UINT last, ABCFLOAT* abcf) {
  if (!abcf || last < first) return FALSE;
  const DcFont f = FontOf(dc);
  for (UINT c = first;; ++c) {
    abcf[c - first] = f.font->CharABCFloat(c);
    if (c == last) break;
  }
  return TRUE;
}

BOOL GetTextExtentPoint32(const CDC& dc, const char* text, int count, SIZE* size) {
  if (!size || count < 0 || (!text && count > 0)) return FALSE;
  *size = FontOf(dc).font->TextExtent(text, count);
  return TRUE;
}

CSize GetTextExtent(const CDC& dc, const char* text, int count) {
  SIZE size;
  GetTextExtentPoint32(dc, text, count, &size);
  return CSize(size);
}

CSize GetTextExtent(const CDC& dc, const CString& text) {
  return GetTextExtent(dc, text.c_str(), text.GetLength());
}

}  // namespace gditext
