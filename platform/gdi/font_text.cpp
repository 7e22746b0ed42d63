#include "platform/gdi/font_text.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/gdi/dc.h"
#include "platform/gdi/font_engine.h"

namespace gditext {
namespace {

using fontengine::FontInstance;

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

namespace {

// Where text output puts a string: the DC's font, alignment and orientation, the reference point
// (the current position under TA_UPDATECP) and the string's extent.
struct TextPlacement {
  DcFont f;
  fontengine::HAlign h = fontengine::HAlign::Left;
  fontengine::VAlign v = fontengine::VAlign::Top;
  bool updateCp = false;
  int x = 0, y = 0;
  fontengine::Orientation o;
  SIZE extent{};
};

TextPlacement PlaceText(const CDC& dc, int x, int y, const char* text, int count) {
  TextPlacement p;
  p.f = FontOf(dc);
  const UINT align = dc.GetTextAlign();
  if ((align & TA_CENTER) == TA_CENTER)
    p.h = fontengine::HAlign::Center;
  else if (align & TA_RIGHT)
    p.h = fontengine::HAlign::Right;
  if ((align & TA_BASELINE) == TA_BASELINE)
    p.v = fontengine::VAlign::Baseline;
  else if (align & TA_BOTTOM)
    p.v = fontengine::VAlign::Bottom;
  p.updateCp = (align & TA_UPDATECP) != 0;
  p.x = x;
  p.y = y;
  if (p.updateCp) {
    CPoint cp = dc.GetCurrentPosition();
    p.x = cp.x;
    p.y = cp.y;
  }
  p.o = OrientationOf(dc);
  p.extent = p.f.font->TextExtent(text, count);
  return p;
}

void MoveCurrentPositionPast(CDC& dc, const TextPlacement& p) {
  if (!p.updateCp) return;
  // The current position moves to the far end of the text; centred text leaves it.
  if (p.h == fontengine::HAlign::Left) dc.MoveTo(p.x + p.o.right * p.extent.cx, p.y);
  if (p.h == fontengine::HAlign::Right) dc.MoveTo(p.x - p.o.right * p.extent.cx, p.y);
}

struct BoundsSink : fontengine::OutlineSink {
  void MoveTo(POINT p) override { Add(p); }
  void LineTo(POINT p) override { Add(p); }
  void BezierTo(POINT c1, POINT c2, POINT end) override {
    Add(c1);
    Add(c2);
    Add(end);
  }
  void CloseFigure() override {}
  void Add(POINT p) {
    last = p;
    if (count++ == 0) {
      box = RECT{p.x, p.y, p.x, p.y};
      return;
    }
    box.left = std::min(box.left, p.x);
    box.right = std::max(box.right, p.x);
    box.top = std::min(box.top, p.y);
    box.bottom = std::max(box.bottom, p.y);
  }
  RECT box{};
  POINT last{};
  size_t count = 0;
};

}  // namespace

BOOL TextOut(CDC& dc, int x, int y, const char* text, int count) {
  if (!text || count < 0) return FALSE;
  const TextPlacement p = PlaceText(dc, x, y, text, count);
  const fontengine::Orientation& o = p.o;

  if (dc.IsPathOpen()) {
    PathSink sink(dc);
    p.f.font->Outline(text, count, p.x, p.y, p.h, p.v, o, sink);
  } else {
    if (dc.GetBkMode() == OPAQUE && count > 0) {
      const TEXTMETRIC& tm = p.f.font->Metrics();
      const int cx = p.extent.cx;
      int left = p.x;
      if (p.h == fontengine::HAlign::Right) left = p.x - o.right * cx;
      if (p.h == fontengine::HAlign::Center) left = p.x - o.right * cx / 2;
      int baseline = p.y;
      if (p.v == fontengine::VAlign::Top) baseline = p.y - o.up * tm.tmAscent;
      if (p.v == fontengine::VAlign::Bottom) baseline = p.y + o.up * tm.tmDescent;
      RECT box{std::min(left, left + o.right * cx), baseline + o.up * tm.tmAscent,
               std::max(left, left + o.right * cx), baseline - o.up * tm.tmDescent};
      dc.FillSolidRect(&box, dc.GetBkColor());
    }
    FigureSink sink;
    p.f.font->Outline(text, count, p.x, p.y, p.h, p.v, o, sink);
    if (!sink.pts.empty())
      dc.FillFigures(sink.pts.data(), sink.types.data(), static_cast<int>(sink.pts.size()),
                     dc.GetTextColor(), WINDING);
  }
  MoveCurrentPositionPast(dc, p);
  return TRUE;
}

bool TextOutlineBounds(CDC& dc, int x, int y, const char* text, int count, RECT* box) {
  if (!text || count < 0) return false;
  const TextPlacement p = PlaceText(dc, x, y, text, count);
  BoundsSink sink;
  p.f.font->Outline(text, count, p.x, p.y, p.h, p.v, p.o, sink);
  // Each point of a path moves the current position to it.
  if (sink.count > 0) dc.MoveTo(sink.last.x, sink.last.y);
  MoveCurrentPositionPast(dc, p);
  // A path that long would have been refused.
  if (sink.count == 0 || sink.count > CDC::kMaxPathPoints) return false;
  if (box) *box = sink.box;
  return true;
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
