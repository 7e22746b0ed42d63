#include "platform/gdi/dc.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/gdi/raster_backend.h"
#include "platform/saturate.h"

using gdi::SpanRegion;

namespace {

CPen* StockPen(int index) { return static_cast<CPen*>(GetStockObject(index)); }
CBrush* StockBrush(int index) { return static_cast<CBrush*>(GetStockObject(index)); }

RECT Normalised(RECT r) {
  if (r.left > r.right) std::swap(r.left, r.right);
  if (r.top > r.bottom) std::swap(r.top, r.bottom);
  return r;
}

}  // namespace

CDC::CDC() {
  m_pen = StockPen(BLACK_PEN);
  m_brush = StockBrush(WHITE_BRUSH);
  m_pen->AttachToDC(this);
  m_brush->AttachToDC(this);
}

CDC::~CDC() {
  DeleteDC();
  if (m_pen) m_pen->DetachFromDC(this);
  if (m_brush) m_brush->DetachFromDC(this);
}

BOOL CDC::CreateCompatibleDC(CDC* pDC) {
  if (m_backend) return FALSE;
  int ppmX = SCREEN_PIXELS_PER_METRE, ppmY = SCREEN_PIXELS_PER_METRE;
  if (pDC && pDC->m_backend) {
    ppmX = pDC->m_backend->PixelsPerMetreX();
    ppmY = pDC->m_backend->PixelsPerMetreY();
  }
  m_backend = std::make_unique<CRasterBackend>(this, ppmX, ppmY);
  RefreshPixels();
  return TRUE;
}

BOOL CDC::AttachBackend(std::unique_ptr<CDCBackend> backend) {
  if (m_backend || !backend) return FALSE;
  m_backend = std::move(backend);
  RefreshPixels();
  return TRUE;
}

BOOL CDC::DeleteDC() {
  if (!m_backend) return FALSE;
  m_backend.reset();
  RefreshPixels();
  AbortPath();
  return TRUE;
}

int CDC::GetDeviceCaps(int index) const { return m_backend ? m_backend->GetDeviceCaps(index) : 0; }

// --- mapping ---------------------------------------------------------------------------------

int CDC::SetMapMode(int mode) {
  if (mode != MM_TEXT && mode != MM_HIMETRIC) return 0;
  int old = m_mapMode;
  m_mapMode = mode;
  return old;
}

CPoint CDC::SetWindowOrg(int x, int y) {
  CPoint old = m_windowOrg;
  m_windowOrg = CPoint(x, y);
  return old;
}

CPoint CDC::OffsetWindowOrg(int dx, int dy) {
  CPoint old = m_windowOrg;
  m_windowOrg.Offset(dx, dy);
  return old;
}

CPoint CDC::SetViewportOrg(int x, int y) {
  CPoint old = m_viewportOrg;
  m_viewportOrg = CPoint(x, y);
  return old;
}

CPoint CDC::OffsetViewportOrg(int dx, int dy) {
  CPoint old = m_viewportOrg;
  m_viewportOrg.Offset(dx, dy);
  return old;
}

CSize CDC::GetWindowExt() const {
  if (m_mapMode == MM_HIMETRIC) return CSize(100000, 100000);
  return CSize(1, 1);
}

CSize CDC::GetViewportExt() const {
  if (m_mapMode == MM_HIMETRIC) {
    int px = m_backend ? m_backend->PixelsPerMetreX() : SCREEN_PIXELS_PER_METRE;
    int py = m_backend ? m_backend->PixelsPerMetreY() : SCREEN_PIXELS_PER_METRE;
    return CSize(px, -py);
  }
  return CSize(1, 1);
}

void CDC::LPtoDP(POINT* pts, int count) const {
  if (!pts) return;
  const CSize we = GetWindowExt(), ve = GetViewportExt();
  for (int i = 0; i < count; ++i) {
    if (m_mapMode == MM_TEXT) {
      pts[i].x = pts[i].x - m_windowOrg.x + m_viewportOrg.x;
      pts[i].y = pts[i].y - m_windowOrg.y + m_viewportOrg.y;
    } else {
      pts[i].x = MulDiv(pts[i].x - m_windowOrg.x, ve.cx, we.cx) + m_viewportOrg.x;
      pts[i].y = MulDiv(pts[i].y - m_windowOrg.y, ve.cy, we.cy) + m_viewportOrg.y;
    }
  }
}

void CDC::DPtoLP(POINT* pts, int count) const {
  if (!pts) return;
  const CSize we = GetWindowExt(), ve = GetViewportExt();
  for (int i = 0; i < count; ++i) {
    if (m_mapMode == MM_TEXT) {
      pts[i].x = pts[i].x - m_viewportOrg.x + m_windowOrg.x;
      pts[i].y = pts[i].y - m_viewportOrg.y + m_windowOrg.y;
    } else {
      pts[i].x = MulDiv(pts[i].x - m_viewportOrg.x, we.cx, ve.cx) + m_windowOrg.x;
      pts[i].y = MulDiv(pts[i].y - m_viewportOrg.y, we.cy, ve.cy) + m_windowOrg.y;
    }
  }
}

void CDC::LPtoDP(RECT* r) const {
  if (!r) return;
  POINT p[2];
  p[0].x = r->left; p[0].y = r->top; p[1].x = r->right; p[1].y = r->bottom;
  LPtoDP(p, 2);
  r->left = p[0].x; r->top = p[0].y; r->right = p[1].x; r->bottom = p[1].y;
}

void CDC::DPtoLP(RECT* r) const {
  if (!r) return;
  POINT p[2];
  p[0].x = r->left; p[0].y = r->top; p[1].x = r->right; p[1].y = r->bottom;
  DPtoLP(p, 2);
  r->left = p[0].x; r->top = p[0].y; r->right = p[1].x; r->bottom = p[1].y;
}

void CDC::LPtoDP(SIZE* s) const {
  if (!s) return;
  const CSize we = GetWindowExt(), ve = GetViewportExt();
  s->cx = MulDiv(s->cx, std::abs(ve.cx), std::abs(we.cx));
  s->cy = MulDiv(s->cy, std::abs(ve.cy), std::abs(we.cy));
}

void CDC::DPtoLP(SIZE* s) const {
  if (!s) return;
  const CSize we = GetWindowExt(), ve = GetViewportExt();
  s->cx = MulDiv(s->cx, std::abs(we.cx), std::abs(ve.cx));
  s->cy = MulDiv(s->cy, std::abs(we.cy), std::abs(ve.cy));
}

void CDC::HIMETRICtoDP(SIZE* s) const {
  if (!s) return;
  int px = m_backend ? m_backend->PixelsPerMetreX() : SCREEN_PIXELS_PER_METRE;
  int py = m_backend ? m_backend->PixelsPerMetreY() : SCREEN_PIXELS_PER_METRE;
  s->cx = MulDiv(s->cx, px, 100000);
  s->cy = MulDiv(s->cy, py, 100000);
}

void CDC::DPtoHIMETRIC(SIZE* s) const {
  if (!s) return;
  int px = m_backend ? m_backend->PixelsPerMetreX() : SCREEN_PIXELS_PER_METRE;
  int py = m_backend ? m_backend->PixelsPerMetreY() : SCREEN_PIXELS_PER_METRE;
  s->cx = MulDiv(s->cx, 100000, px);
  s->cy = MulDiv(s->cy, 100000, py);
}

double CDC::DeviceScaleX() const {
  const CSize we = GetWindowExt(), ve = GetViewportExt();
  return static_cast<double>(ve.cx) / we.cx;
}

double CDC::DeviceScaleY() const {
  const CSize we = GetWindowExt(), ve = GetViewportExt();
  return static_cast<double>(ve.cy) / we.cy;
}

DPOINT CDC::LPtoDPExact(double x, double y) const {
  return DPOINT{(x - m_windowOrg.x) * DeviceScaleX() + m_viewportOrg.x,
                (y - m_windowOrg.y) * DeviceScaleY() + m_viewportOrg.y};
}

DPOINT CDC::DPtoLPExact(double x, double y) const {
  return DPOINT{(x - m_viewportOrg.x) / DeviceScaleX() + m_windowOrg.x,
                (y - m_viewportOrg.y) / DeviceScaleY() + m_windowOrg.y};
}

bool CDC::UpPositive() const { return DeviceScaleY() < 0; }

RECT CDC::DeviceRect(int x1, int y1, int x2, int y2) const {
  RECT r;
  r.left = x1;
  r.top = y1;
  r.right = x2;
  r.bottom = y2;
  LPtoDP(&r);
  return Normalised(r);
}

int CDC::DeviceLength(int logical) const {
  if (logical <= 0) return 1;
  SIZE s;
  s.cx = logical;
  s.cy = 0;
  LPtoDP(&s);
  return std::max(1, static_cast<int>(s.cx));
}

// --- objects ---------------------------------------------------------------------------------

void CDC::ReplaceSelected(CGdiObject** slot, CGdiObject* obj) {
  if (*slot) (*slot)->DetachFromDC(this);
  *slot = obj;
  if (obj) obj->AttachToDC(this);
}

CPen* CDC::SelectObject(CPen* pen) {
  if (!pen || !pen->IsCreated()) return nullptr;
  CPen* old = m_pen;
  CGdiObject* slot = m_pen;
  ReplaceSelected(&slot, pen);
  m_pen = pen;
  return old;
}

CBrush* CDC::SelectObject(CBrush* brush) {
  if (!brush || !brush->IsCreated()) return nullptr;
  CBrush* old = m_brush;
  CGdiObject* slot = m_brush;
  ReplaceSelected(&slot, brush);
  m_brush = brush;
  return old;
}

CBitmap* CDC::SelectObject(CBitmap* bitmap) {
  if (!m_backend || !bitmap) return nullptr;
  CBitmap* old = m_backend->SelectBitmap(bitmap);
  RefreshPixels();
  return old;
}

CFont* CDC::SelectObject(CFont* font) {
  CFont* old = m_font;
  m_font = font;
  return old;
}

CGdiObject* CDC::SelectStockObject(int index) {
  CGdiObject* obj = GetStockObject(index);
  if (!obj) return nullptr;
  if (index >= WHITE_PEN) return SelectObject(static_cast<CPen*>(obj));
  return SelectObject(static_cast<CBrush*>(obj));
}

CBitmap* CDC::GetCurrentBitmap() const {
  return m_backend ? m_backend->GetSelectedBitmap() : nullptr;
}

void CDC::OnObjectDeleted(CGdiObject* obj) {
  if (obj == m_pen) {
    m_pen = StockPen(BLACK_PEN);
    m_pen->AttachToDC(this);
  }
  if (obj == m_brush) {
    m_brush = StockBrush(WHITE_BRUSH);
    m_brush->AttachToDC(this);
  }
  if (m_backend && m_backend->GetSelectedBitmap() == obj) m_backend->SelectBitmap(nullptr);
  RefreshPixels();
}

int CDC::SetROP2(int mode) {
  if (mode < R2_BLACK || mode > R2_WHITE) return 0;
  int old = m_rop2;
  m_rop2 = mode;
  return old;
}

int CDC::SetPolyFillMode(int mode) {
  if (mode != ALTERNATE && mode != WINDING) return 0;
  int old = m_polyFillMode;
  m_polyFillMode = mode;
  return old;
}

int CDC::SetStretchBltMode(int mode) {
  if (mode < BLACKONWHITE || mode > HALFTONE) return 0;
  int old = m_stretchMode;
  m_stretchMode = mode;
  return old;
}

COLORREF CDC::SetTextColor(COLORREF c) {
  COLORREF old = m_textColour;
  m_textColour = c & 0xFFFFFF;
  return old;
}

COLORREF CDC::SetBkColor(COLORREF c) {
  COLORREF old = m_bkColour;
  m_bkColour = c & 0xFFFFFF;
  return old;
}

int CDC::SetBkMode(int mode) {
  if (mode != TRANSPARENT && mode != OPAQUE) return 0;
  int old = m_bkMode;
  m_bkMode = mode;
  return old;
}

UINT CDC::SetTextAlign(UINT flags) {
  UINT old = m_textAlign;
  m_textAlign = flags;
  return old;
}

GdiDrawState CDC::DrawState() const {
  GdiDrawState st;
  st.penStyle = m_pen->Style();
  st.penWidth = DeviceLength(m_pen->Width());
  st.penColour = m_pen->Colour();
  st.brushNull = m_brush->IsNull();
  st.brushColour = m_brush->Colour();
  st.rop2 = m_rop2;
  st.polyFillMode = m_polyFillMode;
  st.stretchMode = m_stretchMode;
  st.textColour = m_textColour;
  st.bkColour = m_bkColour;
  st.bkMode = m_bkMode;
  return st;
}

// --- lines and shapes ------------------------------------------------------------------------

CPoint CDC::MoveTo(int x, int y) {
  CPoint old = m_cp;
  m_cp = CPoint(x, y);
  if (IsPathOpen()) m_figureOpen = false;
  return old;
}

BOOL CDC::LineTo(int x, int y) {
  CPoint to(x, y);
  if (IsPathOpen()) {
    if (!m_figureOpen) PathStartFigureAtCP();
    PathAdd(to, PT_LINETO);
    m_cp = to;
    return TRUE;
  }
  if (!m_backend) return FALSE;
  DeviceFigure f;
  f.points = {ToDevice(m_cp), ToDevice(to)};
  m_backend->Figures({f}, false, true, 0, DrawState());
  m_cp = to;
  return TRUE;
}

BOOL CDC::Polyline(const POINT* pts, int count) {
  if (!pts || count < 2) return FALSE;
  if (IsPathOpen()) {
    PathAdd(pts[0], PT_MOVETO);
    for (int i = 1; i < count; ++i) PathAdd(pts[i], PT_LINETO);
    m_figureOpen = false;
    return TRUE;
  }
  if (!m_backend) return FALSE;
  DeviceFigure f;
  for (int i = 0; i < count; ++i) f.points.push_back(ToDevice(pts[i]));
  m_backend->Figures({f}, false, true, 0, DrawState());
  return TRUE;
}

BOOL CDC::Polygon(const POINT* pts, int count) {
  INT n = count;
  return PolyPolygon(pts, &n, 1);
}

BOOL CDC::PolyPolygon(const POINT* pts, const INT* counts, int polyCount) {
  if (!pts || !counts || polyCount <= 0) return FALSE;
  for (int i = 0; i < polyCount; ++i)
    if (counts[i] < 2) return FALSE;
  if (IsPathOpen()) {
    const POINT* p = pts;
    for (int i = 0; i < polyCount; ++i) {
      PathAdd(p[0], PT_MOVETO);
      for (int k = 1; k < counts[i]; ++k)
        PathAdd(p[k], k == counts[i] - 1 ? PT_LINETO | PT_CLOSEFIGURE : PT_LINETO);
      p += counts[i];
    }
    m_figureOpen = false;
    return TRUE;
  }
  if (!m_backend) return FALSE;
  std::vector<DeviceFigure> figs;
  const POINT* p = pts;
  for (int i = 0; i < polyCount; ++i) {
    DeviceFigure f;
    f.closed = true;
    for (int k = 0; k < counts[i]; ++k) f.points.push_back(ToDevice(p[k]));
    p += counts[i];
    figs.push_back(std::move(f));
  }
  GdiDrawState st = DrawState();
  m_backend->Figures(figs, !st.brushNull, true, st.brushColour, st);
  return TRUE;
}

BOOL CDC::Rectangle(int x1, int y1, int x2, int y2) {
  if (IsPathOpen()) {
    AddRectFigure(x1, y1, x2, y2);
    return TRUE;
  }
  if (!m_backend) return FALSE;
  m_backend->Rectangle(DeviceRect(x1, y1, x2, y2), DrawState());
  return TRUE;
}

BOOL CDC::RoundRect(int x1, int y1, int x2, int y2, int cornerW, int cornerH) {
  if (cornerW == 0 || cornerH == 0) return Rectangle(x1, y1, x2, y2);
  if (IsPathOpen()) {
    AddRoundRectFigure(x1, y1, x2, y2, cornerW, cornerH);
    return TRUE;
  }
  if (!m_backend) return FALSE;
  SIZE corner;
  corner.cx = sat::Distance(cornerW, 0);
  corner.cy = sat::Distance(cornerH, 0);
  LPtoDP(&corner);
  m_backend->RoundRect(DeviceRect(x1, y1, x2, y2), std::max<int>(corner.cx, 0),
                       std::max<int>(corner.cy, 0), DrawState());
  return TRUE;
}

BOOL CDC::Ellipse(int x1, int y1, int x2, int y2) {
  if (IsPathOpen()) {
    AddEllipseFigure(x1, y1, x2, y2);
    return TRUE;
  }
  if (!m_backend) return FALSE;
  m_backend->Ellipse(DeviceRect(x1, y1, x2, y2), DrawState());
  return TRUE;
}

BOOL CDC::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  std::vector<DPOINT> pts = ArcBeziers(x1, y1, x2, y2, x3, y3, x4, y4);
  if (pts.empty()) return FALSE;
  std::vector<POINT> ip;
  std::vector<BYTE> types;
  for (size_t i = 0; i < pts.size(); ++i) {
    POINT p;
    p.x = static_cast<LONG>(std::lround(pts[i].x));
    p.y = static_cast<LONG>(std::lround(pts[i].y));
    ip.push_back(p);
    types.push_back(i == 0 ? PT_MOVETO : PT_BEZIERTO);
  }
  if (IsPathOpen()) {
    for (size_t i = 0; i < ip.size(); ++i) PathAdd(ip[i], types[i]);
    m_figureOpen = false;
    return TRUE;
  }
  if (!m_backend) return FALSE;
  m_backend->Figures(ToDeviceFigures(ip.data(), types.data(), static_cast<int>(ip.size())), false,
                     true, 0, DrawState());
  return TRUE;
}

// --- fills, blits, pixels --------------------------------------------------------------------

void CDC::FillRect(const RECT* r, CBrush* brush) {
  if (!m_backend || !r || !brush || !brush->IsCreated() || brush->IsNull()) return;
  GdiDrawState st = DrawState();
  st.brushNull = false;
  st.brushColour = brush->Colour();
  m_backend->PatBlt(DeviceRect(r->left, r->top, r->right, r->bottom), PATCOPY, st);
}

void CDC::FillSolidRect(const RECT* r, COLORREF colour) {
  if (!m_backend || !r) return;
  GdiDrawState st = DrawState();
  st.brushNull = false;
  st.brushColour = colour & 0xFFFFFF;
  m_backend->PatBlt(DeviceRect(r->left, r->top, r->right, r->bottom), PATCOPY, st);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF colour) {
  RECT r;
  r.left = x;
  r.top = y;
  r.right = x + cx;
  r.bottom = y + cy;
  FillSolidRect(&r, colour);
}

BOOL CDC::FillRgn(CRgn* rgn, CBrush* brush) {
  if (!m_backend || !rgn || !rgn->IsCreated() || !brush || !brush->IsCreated()) return FALSE;
  if (brush->IsNull()) return TRUE;
  const SpanRegion& src = rgn->Spans();
  if (m_mapMode == MM_TEXT) {
    SpanRegion dev = src;
    dev.Offset(m_viewportOrg.x - m_windowOrg.x, m_viewportOrg.y - m_windowOrg.y);
    m_backend->FillRegion(dev, brush->Colour());
    return TRUE;
  }
  if (src.IsEmpty()) return TRUE;
  // Every pixel whose centre falls into the region, seen in logical units.
  RECT box = src.Box();
  DPOINT a = LPtoDPExact(box.left, box.top), b = LPtoDPExact(box.right, box.bottom);
  SIZE surf = m_backend->SurfaceSize();
  int y0 = std::max(gdi::FirstCellAtOrAfter(std::min(a.y, b.y)) - 1, 0);
  int y1 = std::min(gdi::FirstCellAtOrAfter(std::max(a.y, b.y)) + 1, static_cast<int>(surf.cy));
  const double sx = DeviceScaleX();
  gdi::SpanRegion dev;
  gdi::SpanRegionBuilder builder(dev);
  std::vector<int> spans;
  for (int y = y0; y < y1; ++y) {
    double ly = DPtoLPExact(0, y + 0.5).y;
    int cell = static_cast<int>(std::floor(ly));
    auto it = std::upper_bound(src.bands.begin(), src.bands.end(), cell,
                               [](int v, const gdi::SpanBand& s) { return v < s.bottom; });
    if (it == src.bands.end() || cell < it->top) continue;
    spans.clear();
    for (int i = 0; i < it->count; ++i) {
      double l = LPtoDPExact(src.xs[it->first + 2 * i], 0).x;
      double r = LPtoDPExact(src.xs[it->first + 2 * i + 1], 0).x;
      if (sx < 0) std::swap(l, r);
      int pl = std::max(gdi::FirstCellAtOrAfter(l), -1);
      int pr = std::min(gdi::FirstCellAtOrAfter(r), static_cast<int>(surf.cx) + 1);
      if (pr > pl) {
        spans.push_back(pl);
        spans.push_back(pr);
      }
    }
    if (sx < 0) {
      // Mirrored x: spans came in reverse order.
      std::vector<std::pair<int, int>> pairs;
      for (size_t k = 0; k + 1 < spans.size(); k += 2) pairs.emplace_back(spans[k], spans[k + 1]);
      std::sort(pairs.begin(), pairs.end());
      spans.clear();
      for (auto& p : pairs) { spans.push_back(p.first); spans.push_back(p.second); }
    }
    builder.AddRow(y, spans.data(), static_cast<int>(spans.size()) / 2);
  }
  m_backend->FillRegion(dev, brush->Colour());
  return TRUE;
}

BOOL CDC::PatBlt(int x, int y, int w, int h, DWORD rop) {
  if (!m_backend) return FALSE;
  m_backend->PatBlt(DeviceRect(x, y, x + w, y + h), rop, DrawState());
  return TRUE;
}

BOOL CDC::BitBlt(int x, int y, int w, int h, CDC* src, int xs, int ys, DWORD rop) {
  return StretchBlt(x, y, w, h, src, xs, ys, w, h, rop);
}

BOOL CDC::StretchBlt(int x, int y, int w, int h, CDC* src, int xs, int ys, int ws, int hs,
                     DWORD rop) {
  if (!m_backend) return FALSE;
  POINT d[2];
  d[0].x = x; d[0].y = y; d[1].x = x + w; d[1].y = y + h;
  LPtoDP(d, 2);
  if (!src || !src->m_backend) {
    // Operations without a source need no source DC.
    CRasterBackend none(nullptr, SCREEN_PIXELS_PER_METRE, SCREEN_PIXELS_PER_METRE);
    return m_backend->StretchBlt(d[0].x, d[0].y, d[1].x - d[0].x, d[1].y - d[0].y, none, 0, 0, 0,
                                 0, rop, DrawState(), m_bkColour);
  }
  POINT s[2];
  s[0].x = xs; s[0].y = ys; s[1].x = xs + ws; s[1].y = ys + hs;
  src->LPtoDP(s, 2);
  if (src == this) {
    // Reading and writing one bitmap: read from a copy.
    CBitmap* cur = GetCurrentBitmap();
    if (!cur) return FALSE;
    CBitmap copy;
    copy.CreateBitmap(cur->Width(), cur->Height(), 1, static_cast<UINT>(cur->BitsPerPixel()),
                      nullptr);
    for (int r = 0; r < cur->Height(); ++r)
      std::copy(cur->Row(r), cur->Row(r) + cur->Stride(), copy.Row(r));
    CRasterBackend tmp(nullptr, SCREEN_PIXELS_PER_METRE, SCREEN_PIXELS_PER_METRE);
    tmp.SelectBitmap(&copy);
    BOOL ok = m_backend->StretchBlt(d[0].x, d[0].y, d[1].x - d[0].x, d[1].y - d[0].y, tmp,
                                    s[0].x, s[0].y, s[1].x - s[0].x, s[1].y - s[0].y, rop,
                                    DrawState(), src->m_bkColour);
    tmp.SelectBitmap(nullptr);
    return ok;
  }
  return m_backend->StretchBlt(d[0].x, d[0].y, d[1].x - d[0].x, d[1].y - d[0].y, *src->m_backend,
                               s[0].x, s[0].y, s[1].x - s[0].x, s[1].y - s[0].y, rop, DrawState(),
                               src->m_bkColour);
}

int CDC::StretchDIBits(int x, int y, int w, int h, int xs, int ys, int ws, int hs,
                       const void* bits, const BITMAPINFO* bmi, UINT usage, DWORD rop) {
  if (!m_backend || usage != DIB_RGB_COLORS) return 0;
  POINT d[2];
  d[0].x = x; d[0].y = y; d[1].x = sat::Add(x, w); d[1].y = sat::Add(y, h);
  LPtoDP(d, 2);
  // A saturated span stays negatable: the back ends turn a negative one round.
  auto span = [](int from, int to) { return std::max(sat::Sub(to, from), -std::numeric_limits<int>::max()); };
  if (!m_backend->StretchDIBits(d[0].x, d[0].y, span(d[0].x, d[1].x), span(d[0].y, d[1].y), xs, ys, ws, hs,
                                bits, bmi, rop, DrawState()))
    return 0;
  return std::abs(hs);
}

COLORREF CDC::SetPixel(int x, int y, COLORREF colour) {
  if (!m_backend) return CLR_INVALID;
  POINT p;
  p.x = x;
  p.y = y;
  LPtoDP(&p);
  return m_backend->SetPixel(p.x, p.y, colour & 0xFFFFFF);
}

COLORREF CDC::GetPixelMapped(int x, int y) const {
  if (!m_backend) return CLR_INVALID;
  POINT p;
  p.x = x;
  p.y = y;
  LPtoDP(&p);
  return m_backend->GetPixel(p.x, p.y);
}

BOOL CDC::FloodFill(int x, int y, COLORREF border) { return ExtFloodFill(x, y, border, FLOODFILLBORDER); }

BOOL CDC::ExtFloodFill(int x, int y, COLORREF colour, UINT kind) {
  if (!m_backend || m_brush->IsNull()) return FALSE;
  POINT p;
  p.x = x;
  p.y = y;
  LPtoDP(&p);
  return m_backend->FloodFill(p.x, p.y, colour & 0xFFFFFF, kind, m_brush->Colour());
}

int CDC::GetClipBox(RECT* r) const {
  if (!r) return 0;
  *r = RECT{};
  if (!m_backend) return NULLREGION;
  const RECT box = m_backend->ClipBox();
  if (box.right <= box.left || box.bottom <= box.top) return NULLREGION;
  POINT pts[2] = {{box.left, box.top}, {box.right, box.bottom}};
  DPtoLP(pts, 2);
  r->left = pts[0].x;
  r->top = pts[0].y;
  r->right = pts[1].x;
  r->bottom = pts[1].y;
  return SIMPLEREGION;
}

void CDC::DrawFocusRect(const RECT* r) {
  if (!m_backend || !r) return;
  m_backend->DrawFocusRect(DeviceRect(r->left, r->top, r->right, r->bottom));
}

void CDC::InvertFrame(const RECT& logical, SIZE size) {
  RECT r = DeviceRect(logical.left, logical.top, logical.right, logical.bottom);
  SIZE e = size;
  LPtoDP(&e);
  int cx = std::clamp<int>(std::abs(e.cx), 0, (r.right - r.left + 1) / 2);
  int cy = std::clamp<int>(std::abs(e.cy), 0, (r.bottom - r.top + 1) / 2);
  if (cx == 0 || cy == 0) return;
  GdiDrawState st = DrawState();
  // Four strips that do not overlap, so every frame pixel is inverted once.
  RECT strips[4] = {{r.left, r.top, r.right, r.top + cy},
                    {r.left, r.bottom - cy, r.right, r.bottom},
                    {r.left, r.top + cy, r.left + cx, r.bottom - cy},
                    {r.right - cx, r.top + cy, r.right, r.bottom - cy}};
  if (r.bottom - cy < r.top + cy) strips[1].top = r.top + cy;
  for (const RECT& s : strips)
    if (s.right > s.left && s.bottom > s.top) m_backend->PatBlt(s, DSTINVERT, st);
}

void CDC::DrawDragRect(const RECT* rect, SIZE size, const RECT* rectLast, SIZE sizeLast,
                       CBrush* brush, CBrush* brushLast) {
  (void)brush;
  (void)brushLast;
  if (!m_backend) return;
  if (rectLast) InvertFrame(*rectLast, sizeLast);
  if (rect) InvertFrame(*rect, size);
}
