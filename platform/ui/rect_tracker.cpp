#include "platform/ui/rect_tracker.h"

#include <algorithm>
#include <cstdlib>

#include "platform/gdi/dc.h"

CRectTracker::CRectTracker(const RECT* rect, UINT style) : m_nStyle(style) {
  if (rect) m_rect = *rect;
}

int CRectTracker::GetHandleSize(const RECT*) const { return m_nHandleSize; }

UINT CRectTracker::GetHandleMask() const {
  UINT mask = 0x0F;  // corners always
  CRect r(m_rect);
  r.NormalizeRect();
  const int size = m_nHandleSize * 2;
  if (r.Width() > size) mask |= 0x50;   // top and bottom middles
  if (r.Height() > size) mask |= 0xA0;  // right and left middles
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
    auto dot = [&](int x, int y, int i) {
      if (!dotted || (i & 1) == 0) pDC->FillSolidRect(x, y, 1, 1, 0x000000);
    };
    int i = 0;
    for (int x = r.left; x < r.right; ++x) dot(x, r.top, i++);
    for (int y = r.top + 1; y < r.bottom; ++y) dot(r.right - 1, y, i++);
    for (int x = r.right - 2; x >= r.left; --x) dot(x, r.bottom - 1, i++);
    for (int y = r.bottom - 2; y > r.top; --y) dot(r.left, y, i++);
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
