#include "platform/gdi/gdiobj.h"

#include <algorithm>
#include <cstring>

#include "platform/gdi/dc.h"

using gdi::SpanRegion;

// --- CGdiObject ---------------------------------------------------------------------------

CGdiObject::~CGdiObject() { DeselectEverywhere(); }

BOOL CGdiObject::DeleteObject() {
  if (!m_bCreated) return FALSE;
  DeselectEverywhere();
  ReleaseContents();
  m_bCreated = false;
  return TRUE;
}

void CGdiObject::AttachToDC(CDC* dc) {
  if (std::find(m_selectedIn.begin(), m_selectedIn.end(), dc) == m_selectedIn.end())
    m_selectedIn.push_back(dc);
}

void CGdiObject::DetachFromDC(CDC* dc) {
  m_selectedIn.erase(std::remove(m_selectedIn.begin(), m_selectedIn.end(), dc), m_selectedIn.end());
}

void CGdiObject::DeselectEverywhere() {
  std::vector<CDC*> dcs;
  dcs.swap(m_selectedIn);
  for (CDC* dc : dcs) dc->OnObjectDeleted(this);
}

// --- CPen ---------------------------------------------------------------------------------

BOOL CPen::CreatePen(int style, int width, COLORREF colour) {
  if (style < PS_SOLID || style > PS_INSIDEFRAME) return FALSE;
  m_style = style;
  m_width = width < 0 ? -width : width;
  m_colour = colour & 0xFFFFFF;
  SetCreated(true);
  return TRUE;
}

BOOL CPen::CreatePenIndirect(const LOGPEN* lp) {
  if (!lp) return FALSE;
  return CreatePen(static_cast<int>(lp->lopnStyle), lp->lopnWidth.x, lp->lopnColor);
}

int CPen::GetLogPen(LOGPEN* lp) const {
  if (!lp || !IsCreated()) return 0;
  lp->lopnStyle = static_cast<UINT>(m_style);
  lp->lopnWidth.x = m_width;
  lp->lopnWidth.y = 0;
  lp->lopnColor = m_colour;
  return static_cast<int>(sizeof(LOGPEN));
}

// --- CBrush -------------------------------------------------------------------------------

BOOL CBrush::CreateSolidBrush(COLORREF colour) {
  m_style = BS_SOLID;
  m_colour = colour & 0xFFFFFF;
  SetCreated(true);
  return TRUE;
}

BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* lb) {
  if (!lb) return FALSE;
  if (lb->lbStyle == BS_NULL) {
    m_style = BS_NULL;
    m_colour = 0;
    SetCreated(true);
    return TRUE;
  }
  // Hatches and patterns are not used by the system; they paint solid.
  return CreateSolidBrush(lb->lbColor);
}

BOOL CBrush::CreateStockObject(int index) {
  switch (index) {
    case WHITE_BRUSH: return CreateSolidBrush(RGB(255, 255, 255));
    case LTGRAY_BRUSH: return CreateSolidBrush(RGB(192, 192, 192));
    case GRAY_BRUSH: return CreateSolidBrush(RGB(128, 128, 128));
    case DKGRAY_BRUSH: return CreateSolidBrush(RGB(64, 64, 64));
    case BLACK_BRUSH: return CreateSolidBrush(RGB(0, 0, 0));
    case NULL_BRUSH: {
      LOGBRUSH lb;
      lb.lbStyle = BS_NULL;
      return CreateBrushIndirect(&lb);
    }
    default: return FALSE;
  }
}

int CBrush::GetLogBrush(LOGBRUSH* lb) const {
  if (!lb || !IsCreated()) return 0;
  lb->lbStyle = m_style;
  lb->lbColor = m_colour;
  lb->lbHatch = 0;
  return static_cast<int>(sizeof(LOGBRUSH));
}

// --- CBitmap ------------------------------------------------------------------------------

namespace {

int DeviceRowBytes(int width, int bpp) { return ((width * bpp + 15) / 16) * 2; }

}  // namespace

CBitmap::~CBitmap() {
  if (m_pDC) m_pDC->OnObjectDeleted(this);
}

void CBitmap::ReleaseContents() {
  if (m_pDC) m_pDC->OnObjectDeleted(this);
  m_bits.clear();
  m_bits.shrink_to_fit();
  m_width = m_height = m_bpp = m_stride = 0;
}

BOOL CBitmap::CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
  if (width <= 0 || height <= 0 || planes != 1) return FALSE;
  int bpp;
  if (bitsPerPixel == 1) bpp = 1;
  else if (bitsPerPixel == 24 || bitsPerPixel == 32) bpp = 32;
  else return FALSE;
  if (bits && bitsPerPixel == 24) return FALSE;
  const long long stride = ((static_cast<long long>(width) * bpp + 31) / 32) * 4;
  if (stride * height > (1LL << 31)) return FALSE;
  if (IsCreated()) DeleteObject();
  m_width = width;
  m_height = height;
  m_bpp = bpp;
  m_stride = static_cast<int>(stride);
  m_bits.assign(static_cast<size_t>(stride * height), 0);
  SetCreated(true);
  if (bits) SetBitmapBits(static_cast<DWORD>(DeviceRowBytes(width, bpp)) * height, bits);
  return TRUE;
}

BOOL CBitmap::CreateBitmapIndirect(const BITMAP* bm) {
  if (!bm) return FALSE;
  return CreateBitmap(bm->bmWidth, bm->bmHeight, bm->bmPlanes, bm->bmBitsPixel, bm->bmBits);
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int width, int height) {
  int bpp = 32;
  if (pDC && pDC->GetSafeHdc()) bpp = pDC->GetDeviceCaps(BITSPIXEL) == 1 ? 1 : 32;
  return CreateBitmap(width, height, 1, static_cast<UINT>(bpp), nullptr);
}

int CBitmap::GetBitmap(BITMAP* bm) const {
  if (!bm || !IsCreated()) return 0;
  bm->bmType = 0;
  bm->bmWidth = m_width;
  bm->bmHeight = m_height;
  bm->bmWidthBytes = DeviceRowBytes(m_width, m_bpp);
  bm->bmPlanes = 1;
  bm->bmBitsPixel = static_cast<WORD>(m_bpp);
  bm->bmBits = nullptr;
  return static_cast<int>(sizeof(BITMAP));
}

DWORD CBitmap::GetBitmapBits(DWORD count, void* bits) const {
  if (!IsCreated() || !bits) return 0;
  const size_t rowBytes = static_cast<size_t>(DeviceRowBytes(m_width, m_bpp));
  BYTE* out = static_cast<BYTE*>(bits);
  size_t done = 0;
  for (int y = 0; y < m_height && done < count; ++y) {
    size_t n = std::min(rowBytes, static_cast<size_t>(count) - done);
    std::memcpy(out + done, Row(y), n);
    done += n;
  }
  return static_cast<DWORD>(done);
}

DWORD CBitmap::SetBitmapBits(DWORD count, const void* bits) {
  if (!IsCreated() || !bits) return 0;
  const size_t rowBytes = static_cast<size_t>(DeviceRowBytes(m_width, m_bpp));
  const BYTE* in = static_cast<const BYTE*>(bits);
  size_t done = 0;
  for (int y = 0; y < m_height && done < count; ++y) {
    size_t n = std::min(rowBytes, static_cast<size_t>(count) - done);
    std::memcpy(Row(y), in + done, n);
    done += n;
  }
  return static_cast<DWORD>(done);
}

BOOL CBitmap::Attach(HBITMAP h) {
  if (!h || h == this || !h->IsHeapHandle() || !h->IsCreated() || IsCreated() || h->m_pDC)
    return FALSE;
  m_width = h->m_width;
  m_height = h->m_height;
  m_bpp = h->m_bpp;
  m_stride = h->m_stride;
  m_bits.swap(h->m_bits);
  SetCreated(true);
  delete h;
  return TRUE;
}

HBITMAP CBitmap::Detach() {
  if (!IsCreated()) return nullptr;
  if (m_pDC) m_pDC->OnObjectDeleted(this);
  auto* h = new CBitmap;
  h->m_width = m_width;
  h->m_height = m_height;
  h->m_bpp = m_bpp;
  h->m_stride = m_stride;
  h->m_bits.swap(m_bits);
  h->SetCreated(true);
  h->SetHeapHandle(true);
  ReleaseContents();
  SetCreated(false);
  return h;
}

// --- CRgn ---------------------------------------------------------------------------------

namespace {

// Shapes are built row by row; far more rows than any page has would only exhaust memory.
bool BuildableHeight(long long y1, long long y2) {
  return (y1 > y2 ? y1 - y2 : y2 - y1) <= (1LL << 24);
}

}  // namespace

void CRgn::SetSpans(SpanRegion spans) {
  m_spans = std::move(spans);
  SetCreated(true);
}

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2) {
  SpanRegion r;
  r.SetRect(x1, y1, x2, y2);
  SetSpans(std::move(r));
  return TRUE;
}

BOOL CRgn::CreateRectRgnIndirect(const RECT* r) {
  return r ? CreateRectRgn(r->left, r->top, r->right, r->bottom) : FALSE;
}

BOOL CRgn::CreateEllipticRgn(int x1, int y1, int x2, int y2) {
  if (!BuildableHeight(y1, y2)) return FALSE;
  SetSpans(SpanRegion::EllipseInBox(x1, y1, x2, y2));
  return TRUE;
}

BOOL CRgn::CreateEllipticRgnIndirect(const RECT* r) {
  return r ? CreateEllipticRgn(r->left, r->top, r->right, r->bottom) : FALSE;
}

BOOL CRgn::CreateRoundRectRgn(int x1, int y1, int x2, int y2, int cornerW, int cornerH) {
  if (!BuildableHeight(y1, y2)) return FALSE;
  SetSpans(SpanRegion::RoundRect(x1, y1, x2, y2, cornerW, cornerH));
  return TRUE;
}

BOOL CRgn::CreatePolygonRgn(const POINT* pts, int count, int fillMode) {
  return CreatePolyPolygonRgn(pts, &count, 1, fillMode);
}

BOOL CRgn::CreatePolyPolygonRgn(const POINT* pts, const INT* counts, int polyCount, int fillMode) {
  if (!pts || !counts || polyCount <= 0) return FALSE;
  if (fillMode != ALTERNATE && fillMode != WINDING) return FALSE;
  std::vector<std::vector<gdi::FixPoint>> rings;
  const POINT* p = pts;
  int ymin = 0, ymax = 0;
  bool any = false;
  for (int i = 0; i < polyCount; ++i) {
    if (counts[i] < 0) return FALSE;
    std::vector<gdi::FixPoint> ring;
    for (int k = 0; k < counts[i]; ++k) {
      ring.push_back(gdi::ToFix(p[k].x, p[k].y));
      ymin = any ? std::min<int>(ymin, p[k].y) : p[k].y;
      ymax = any ? std::max<int>(ymax, p[k].y) : p[k].y;
      any = true;
    }
    p += counts[i];
    rings.push_back(std::move(ring));
  }
  if (!BuildableHeight(ymin, ymax)) return FALSE;
  SetSpans(SpanRegion::Polygon(rings, fillMode));
  return TRUE;
}

BOOL CRgn::CreateFromData(const void* xform, int bytes, const RGNDATA* data) {
  if (xform || !data || bytes < static_cast<int>(sizeof(RGNDATAHEADER))) return FALSE;
  RGNDATAHEADER h;
  std::memcpy(static_cast<void*>(&h), data, sizeof h);
  if (h.iType != RDH_RECTANGLES || h.dwSize < sizeof(RGNDATAHEADER)) return FALSE;
  const long long need = static_cast<long long>(h.dwSize) + 16LL * h.nCount;
  if (need > bytes) return FALSE;
  const BYTE* rects = reinterpret_cast<const BYTE*>(data) + h.dwSize;
  std::vector<SpanRegion> parts;
  for (DWORD i = 0; i < h.nCount; ++i) {
    RECT r;
    std::memcpy(static_cast<void*>(&r), rects + 16 * i, sizeof r);
    SpanRegion s;
    s.SetRect(r.left, r.top, r.right, r.bottom);
    if (!s.IsEmpty()) parts.push_back(std::move(s));
  }
  // Pairwise union keeps many rectangles cheap.
  while (parts.size() > 1) {
    std::vector<SpanRegion> next;
    for (size_t i = 0; i + 1 < parts.size(); i += 2)
      next.push_back(SpanRegion::Combine(parts[i], parts[i + 1], RGN_OR));
    if (parts.size() % 2) next.push_back(std::move(parts.back()));
    parts.swap(next);
  }
  SetSpans(parts.empty() ? SpanRegion() : std::move(parts.front()));
  return TRUE;
}

int CRgn::CombineRgn(const CRgn* a, const CRgn* b, int mode) {
  if (!IsCreated() || !a || !a->IsCreated()) return ERROR;
  if (mode < RGN_AND || mode > RGN_COPY) return ERROR;
  if (mode != RGN_COPY && (!b || !b->IsCreated())) return ERROR;
  SpanRegion r = mode == RGN_COPY ? a->m_spans : SpanRegion::Combine(a->m_spans, b->m_spans, mode);
  m_spans = std::move(r);
  return m_spans.Kind();
}

BOOL CRgn::PtInRegion(int x, int y) const {
  return IsCreated() && m_spans.Contains(x, y) ? TRUE : FALSE;
}

BOOL CRgn::RectInRegion(const RECT* r) const {
  if (!IsCreated() || !r) return FALSE;
  SpanRegion box;
  box.SetRect(r->left, r->top, r->right, r->bottom);
  return SpanRegion::Combine(m_spans, box, RGN_AND).IsEmpty() ? FALSE : TRUE;
}

int CRgn::OffsetRgn(int dx, int dy) {
  if (!IsCreated()) return ERROR;
  m_spans.Offset(dx, dy);
  return m_spans.Kind();
}

int CRgn::GetRgnBox(RECT* r) const {
  if (!IsCreated() || !r) return ERROR;
  *r = m_spans.Box();
  return m_spans.Kind();
}

void CRgn::SetRectRgn(int x1, int y1, int x2, int y2) {
  SpanRegion r;
  r.SetRect(x1, y1, x2, y2);
  SetSpans(std::move(r));
}

BOOL CRgn::EqualRgn(const CRgn* other) const {
  if (!IsCreated() || !other || !other->IsCreated()) return FALSE;
  return m_spans == other->m_spans ? TRUE : FALSE;
}

int CRgn::GetRegionData(RGNDATA* data, int bytes) const {
  if (!IsCreated()) return 0;
  DWORD n = 0;
  for (const gdi::SpanBand& b : m_spans.bands) n += static_cast<DWORD>(b.count);
  const long long needed = static_cast<long long>(sizeof(RGNDATAHEADER)) + 16LL * n;
  if (needed > 2147483647LL) return 0;
  const int need = static_cast<int>(needed);
  if (!data || bytes < need) return need;
  RGNDATAHEADER h;
  h.dwSize = sizeof(RGNDATAHEADER);
  h.iType = RDH_RECTANGLES;
  h.nCount = n;
  h.nRgnSize = 16 * n;
  h.rcBound = m_spans.Box();
  std::memcpy(static_cast<void*>(data), &h, sizeof h);
  BYTE* out = reinterpret_cast<BYTE*>(data) + sizeof h;
  for (const gdi::SpanBand& b : m_spans.bands) {
    for (int i = 0; i < b.count; ++i) {
      RECT r;
      r.left = m_spans.xs[b.first + 2 * i];
      r.right = m_spans.xs[b.first + 2 * i + 1];
      r.top = b.top;
      r.bottom = b.bottom;
      std::memcpy(out, &r, sizeof r);
      out += sizeof r;
    }
  }
  return need;
}

// --- stock objects ------------------------------------------------------------------------

CGdiObject* GetStockObject(int index) {
  // Never destroyed: device contexts may still point at them while the program ends.
  static CGdiObject** objects = [] {
    auto** o = new CGdiObject*[NULL_PEN + 1];
    for (int i = WHITE_BRUSH; i <= NULL_BRUSH; ++i) {
      auto* b = new CBrush;
      b->CreateStockObject(i);
      o[i] = b;
    }
    o[WHITE_PEN] = new CPen(PS_SOLID, 0, RGB(255, 255, 255));
    o[BLACK_PEN] = new CPen(PS_SOLID, 0, RGB(0, 0, 0));
    o[NULL_PEN] = new CPen(PS_NULL, 0, 0);
    return o;
  }();
  if (index < WHITE_BRUSH || index > NULL_PEN) return nullptr;
  return objects[index];
}

// --- handle-style calls -------------------------------------------------------------------

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
  auto* b = new CBitmap;
  if (!b->CreateBitmap(width, height, planes, bitsPerPixel, bits)) {
    delete b;
    return nullptr;
  }
  b->SetHeapHandle(true);
  return b;
}

BOOL DeleteObject(HGDIOBJ obj) {
  if (!obj) return FALSE;
  if (obj->IsHeapHandle()) {
    delete obj;
    return TRUE;
  }
  return obj->DeleteObject();
}

int GetObject(HGDIOBJ obj, int size, void* out) {
  if (!obj || !out || !obj->IsCreated()) return 0;
  if (auto* b = dynamic_cast<CBitmap*>(obj)) {
    if (size < static_cast<int>(sizeof(BITMAP))) return 0;
    return b->GetBitmap(static_cast<BITMAP*>(out));
  }
  if (auto* p = dynamic_cast<CPen*>(obj)) {
    if (size < static_cast<int>(sizeof(LOGPEN))) return 0;
    return p->GetLogPen(static_cast<LOGPEN*>(out));
  }
  if (auto* br = dynamic_cast<CBrush*>(obj)) {
    if (size < static_cast<int>(sizeof(LOGBRUSH))) return 0;
    return br->GetLogBrush(static_cast<LOGBRUSH*>(out));
  }
  return 0;
}

LONG GetBitmapBits(HBITMAP bitmap, LONG count, void* bits) {
  if (!bitmap || count <= 0) return 0;
  return static_cast<LONG>(bitmap->GetBitmapBits(static_cast<DWORD>(count), bits));
}
