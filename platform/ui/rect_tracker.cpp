#include "platform/ui/rect_tracker.h"

#include <algorithm>
#include <cstdlib>

#include "platform/gdi/dc.h"
#include "platform/ui/scrollview.h"

CRectTracker::CRectTracker(const RECT* rect, UINT style) : m_nStyle(style) {
  if (rect) m_rect = *rect;
}

CRectTracker::~CRectTracker() {
  *m_pAlive = false;
  if (m_pTrackView) m_pTrackView->EndTracking(this, FALSE, FALSE);
}

int CRectTracker::GetHandleSize(const RECT*) const { return m_nHandleSize; }

UINT CRectTracker::GetHandleMask() const {
  UINT mask = 0x0F;  // corners always
  CRect r(m_rect);
  r.NormalizeRect();
  // An edge handle needs room for itself between the two corner handles and a handle's gap.
  const int size = m_nHandleSize * 3;
  if (r.Width() >= size) mask |= 0x50;   // top and bottom middles
  if (r.Height() >= size) mask |= 0xA0;  // right and left middles
  return mask;
}

void CRectTracker::GetHandleRect(int handle, RECT* out) const {
  CRect r(m_rect);
  r.NormalizeRect();
  const int s = GetHandleSize(&r);
  const bool outside = (m_nStyle & resizeOutside) != 0;
  // Outside handles sit against the rectangle's edges; inside ones just within them.
  const int l = outside ? r.left - s : r.left, t = outside ? r.top - s : r.top;
  const int rr = outside ? r.right : r.right - s, b = outside ? r.bottom : r.bottom - s;
  const int mx = (r.left + r.right - s) / 2, my = (r.top + r.bottom - s) / 2;
  POINT p{0, 0};
  switch (handle) {
    case hitTopLeft: p = {l, t}; break;
    case hitTopRight: p = {rr, t}; break;
    case hitBottomRight: p = {rr, b}; break;
    case hitBottomLeft: p = {l, b}; break;
    case hitTop: p = {mx, t}; break;
    case hitRight: p = {rr, my}; break;
    case hitBottom: p = {mx, b}; break;
    case hitLeft: p = {l, my}; break;
    default: *out = RECT{}; return;
  }
  *out = RECT{p.x, p.y, p.x + s, p.y + s};
}

void CRectTracker::GetTrueRect(RECT* rect) const {
  CRect r(m_rect);
  r.NormalizeRect();
  if (m_nStyle & resizeOutside) r.InflateRect(GetHandleSize(&r), GetHandleSize(&r));
  *rect = r;
}

int CRectTracker::HitTest(POINT point) const {
  CRect truth;
  GetTrueRect(&truth);
  if (!truth.PtInRect(point)) return hitNothing;
  if (m_nStyle & (resizeInside | resizeOutside)) {
    const UINT mask = GetHandleMask();
    for (int i = 0; i < 8; ++i) {
      if (!(mask & (1u << i))) continue;
      CRect h;
      GetHandleRect(i, &h);
      if (h.PtInRect(point)) return i;
    }
  }
  CRect r(m_rect);
  r.NormalizeRect();
  return r.PtInRect(point) ? hitMiddle : hitNothing;
}

void CRectTracker::Draw(CDC* pDC) const {
  if (!pDC) return;
  // Client pixels, whatever mapping the view prepared.
  const int mode = pDC->SetMapMode(MM_TEXT);
  const CPoint vp = pDC->SetViewportOrg(0, 0);
  const CPoint wo = pDC->SetWindowOrg(0, 0);
  CRect r(m_rect);
  r.NormalizeRect();
  if (m_nStyle & (dottedLine | solidLine)) {
    const bool dotted = (m_nStyle & dottedLine) != 0;
    // The frame's pixels just outside-in: left/top edges at left/top, right/bottom one inside.
    // Only the pixels within the clip are set; a dot's place in the walk round the frame (from the
    // top-left, clockwise) decides whether a dotted frame sets it.
    const RECT clip = pDC->GetBackend() ? pDC->GetBackend()->ClipBox() : RECT{};
    const long long left = r.left, top = r.top, right = r.right, bottom = r.bottom;
    const long long w = right - left, h = bottom - top;
    auto dot = [&](long long x, long long y, long long i) {
      if (!dotted || (i & 1) == 0) pDC->FillSolidRect(static_cast<int>(x), static_cast<int>(y), 1, 1, 0x000000);
    };
    // A run along x (at row `at`) or along y (at column `at`) from `from` to `to` (inclusive,
    // either way); its first dot has walk index i0.
    auto run = [&](bool alongX, long long at, long long from, long long to, long long i0) {
      const long long atLo = alongX ? clip.top : clip.left, atHi = alongX ? clip.bottom : clip.right;
      if (at < atLo || at >= atHi) return;
      const long long dir = to >= from ? 1 : -1;
      const long long lo = std::max<long long>(std::min(from, to), alongX ? clip.left : clip.top);
      const long long hi = std::min<long long>(std::max(from, to), (alongX ? clip.right : clip.bottom) - 1);
      for (long long v = lo; v <= hi; ++v) {
        if (alongX) dot(v, at, i0 + (v - from) * dir);
        else dot(at, v, i0 + (v - from) * dir);
      }
    };
    long long i = 0;
    if (w > 0) run(true, top, left, right - 1, i);
    i += std::max(w, 0LL);
    if (h > 1) run(false, right - 1, top + 1, bottom - 1, i);
    i += std::max(h - 1, 0LL);
    if (w > 1) run(true, bottom - 1, right - 2, left, i);
    i += std::max(w - 1, 0LL);
    if (h > 2) run(false, left, bottom - 2, top + 1, i);
  }
  if (m_nStyle & (resizeInside | resizeOutside)) {
    const UINT mask = GetHandleMask();
    for (int h = 0; h < 8; ++h) {
      if (!(mask & (1u << h))) continue;
      RECT hr;
      GetHandleRect(h, &hr);
      pDC->FillSolidRect(&hr, 0x000000);
    }
  }
  pDC->SetWindowOrg(wo.x, wo.y);
  pDC->SetViewportOrg(vp.x, vp.y);
  pDC->SetMapMode(mode);
}

void CRectTracker::DrawTrackerRect(const RECT* rect, CDC* pDC) {
  if (rect && pDC) pDC->DrawFocusRect(rect);
}

void CRectTracker::AdjustRect(int, RECT* rect) {
  if (!rect) return;
  CRect r(*rect);
  if (std::abs(r.Width()) < m_sizeMin.cx) r.right = r.left + (r.Width() < 0 ? -m_sizeMin.cx : m_sizeMin.cx);
  if (std::abs(r.Height()) < m_sizeMin.cy) r.bottom = r.top + (r.Height() < 0 ? -m_sizeMin.cy : m_sizeMin.cy);
  *rect = r;
}

void CRectTracker::OnChangedRect(const CRect&) {}

// ---- Dragging ---------------------------------------------------------------------------------------

BOOL CRectTracker::Track(CScrollView* view, POINT point, BOOL allowInvert, CScrollView*) {
  if (!view || m_pTrackView) return FALSE;
  // The feedback is inverted onto the surface as it stands: a paint still pending (the press's
  // own change of selection) would repaint part of it, and the next inversion would then put
  // those pixels back instead of taking them away. So what is pending is painted first.
  view->UpdateWindow();
  const int handle = HitTest(point);
  if (handle < 0) return FALSE;
  m_nTrackHandle = handle;
  m_rectSave = m_rect;
  m_rectDrawn = m_rect;
  m_ptStart = point;
  m_bAllowInvert = allowInvert;
  m_bDrawn = FALSE;
  m_bFinalAdjust = FALSE;
  m_pTrackView = view;
  view->BeginTracking(this);
  return TRUE;
}

CRect CRectTracker::ProposedRect(POINT point) const {
  CRect r(m_rectSave);
  const int dx = point.x - m_ptStart.x, dy = point.y - m_ptStart.y;
  const bool left = m_nTrackHandle == hitTopLeft || m_nTrackHandle == hitBottomLeft || m_nTrackHandle == hitLeft;
  const bool right = m_nTrackHandle == hitTopRight || m_nTrackHandle == hitBottomRight || m_nTrackHandle == hitRight;
  const bool top = m_nTrackHandle == hitTopLeft || m_nTrackHandle == hitTopRight || m_nTrackHandle == hitTop;
  const bool bottom =
      m_nTrackHandle == hitBottomLeft || m_nTrackHandle == hitBottomRight || m_nTrackHandle == hitBottom;
  if (m_nTrackHandle == hitMiddle) {
    r.OffsetRect(dx, dy);
    return r;
  }
  if (left) r.left += dx;
  if (right) r.right += dx;
  if (top) r.top += dy;
  if (bottom) r.bottom += dy;
  if (!m_bAllowInvert) {
    // The dragged edge stops at the opposite one.
    if (left) r.left = std::min(r.left, r.right);
    if (right) r.right = std::max(r.right, r.left);
    if (top) r.top = std::min(r.top, r.bottom);
    if (bottom) r.bottom = std::max(r.bottom, r.top);
  }
  return r;
}

void CRectTracker::TrackMove(POINT point) {
  CScrollView* view = m_pTrackView;
  if (!view) return;
  const std::shared_ptr<bool> alive = m_pAlive;
  const CRect old(m_rect);
  CRect proposal = ProposedRect(point);
  AdjustRect(m_nTrackHandle, &proposal);
  if (!*alive || !m_pTrackView) return;
  m_rect = proposal;
  if (m_rect == old && m_bDrawn) return;
  if (m_rect == m_rectSave && !m_bDrawn) return;
  std::unique_ptr<CDC> dc = view->GetDC();
  if (m_bDrawn) DrawTrackerRect(&m_rectDrawn, dc.get());
  if (!*alive) return;
  m_rectDrawn = m_rect;
  m_bDrawn = TRUE;
  DrawTrackerRect(&m_rectDrawn, dc.get());
}

void CRectTracker::TrackRelease(POINT point) {
  CScrollView* view = m_pTrackView;
  if (!view) return;
  const std::shared_ptr<bool> alive = m_pAlive;
  CRect proposal = ProposedRect(point);
  const CRect before(m_rectSave);
  m_rect = proposal;
  m_bFinalAdjust = TRUE;
  AdjustRect(m_nTrackHandle, &m_rect);
  if (!*alive) return;
  m_bFinalAdjust = FALSE;
  if (!m_pTrackView) return;
  if (m_bDrawn) {
    std::unique_ptr<CDC> dc = view->GetDC();
    DrawTrackerRect(&m_rectDrawn, dc.get());
    if (!*alive) return;
    m_bDrawn = FALSE;
  }
  if (proposal != before) OnChangedRect(before);
  if (!*alive) return;
  m_pTrackView = nullptr;
  view->EndTracking(this, TRUE, TRUE);
}

void CRectTracker::TrackCancel() {
  CScrollView* view = m_pTrackView;
  if (!view) return;
  const std::shared_ptr<bool> alive = m_pAlive;
  if (m_bDrawn) {
    std::unique_ptr<CDC> dc = view->GetDC();
    DrawTrackerRect(&m_rectDrawn, dc.get());
    if (!*alive) return;
    m_bDrawn = FALSE;
  }
  m_rect = m_rectSave;
  m_pTrackView = nullptr;
  view->EndTracking(this, FALSE, TRUE);
}

void CRectTracker::DetachTracking() {
  m_pTrackView = nullptr;
  m_bDrawn = FALSE;
}
