#include "canvas/object_tracker.h"

namespace {

RECT Shifted(const RECT& r, int dx, int dy) { return RECT{r.left - dx, r.top - dy, r.right - dx, r.bottom - dy}; }

bool EqualRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

void CObjectTracker::SetTrackRect(RECT rect, int scrollX, int scrollY) {
  m_rcUnscrolled = rect;
  m_rcScrolled = Shifted(rect, scrollX, scrollY);
  m_rect = m_rcScrolled;
}

void CObjectTracker::SetTrackRect(int left, int top, int right, int bottom, int scrollX, int scrollY) {
  m_rcScrolled = Shifted(RECT{left, top, right, bottom}, scrollX, scrollY);
  m_rect = m_rcScrolled;
}

void CObjectTracker::ScrollTo(int scrollX, int scrollY) {
  m_rcScrolled = Shifted(m_rcUnscrolled, scrollX, scrollY);
  m_rect = m_rcScrolled;
}

void CObjectTracker::SetOverrideRect(const RECT* r) {
  if (r) {
    m_rcOverride = *r;
    m_bOverride = 1;
  } else {
    m_bOverride = 0;
  }
}

void CObjectTracker::InvalidateTracker(CScrollView* view) const {
  if (!view) return;
  // At the end of a drag m_rect is already the new rectangle; the shown one goes too.
  InvalidateFrame(view, m_rcScrolled);
  if (!EqualRect(m_rect, m_rcScrolled)) InvalidateFrame(view, m_rect);
}

void CObjectTracker::InvalidateHandles(CScrollView* view, BOOL whole) const {
  if (!view) return;
  CRect t;
  GetTrueRect(&t);
  if (whole) {
    view->InvalidateRect(&t, TRUE);
    return;
  }
  InvalidateStrips(view, t, m_rcScrolled);
}

void CObjectTracker::InvalidateOutline(CScrollView* view, const RECT& rect) const {
  if (!view) return;
  CRect t(rect);
  t.NormalizeRect();
  t.InflateRect(m_nHandleSize, m_nHandleSize);
  InvalidateStrips(view, t, rect);
}

void CObjectTracker::InvalidateStrips(CScrollView* view, const RECT& trueRect, const RECT& rect) {
  // The strips of the outside handles, each with the frame line drawn just inside the edge.
  const RECT& t = trueRect;
  CRect s(rect);
  s.NormalizeRect();
  const RECT strips[4] = {{t.left, t.top, s.left + 1, t.bottom},
                          {t.left, t.top, t.right, s.top + 1},
                          {s.right - 1, t.top, t.right, t.bottom},
                          {t.left, s.bottom - 1, t.right, t.bottom}};
  for (const RECT& r : strips) view->InvalidateRect(&r, TRUE);
}

void CObjectTracker::InvalidateFrame(CScrollView* view, const RECT& rect) const {
  CRect r(rect);
  r.NormalizeRect();
  r.InflateRect(m_nHandleSize, m_nHandleSize);
  view->InvalidateRect(&r, TRUE);
}

void CObjectTracker::DrawTrackerRect(const RECT* rect, CDC* pDC) {
  if (m_hOwner)
    m_hOwner->SendMessage(WM_TRACKER_DRAWRECT, reinterpret_cast<WPARAM>(pDC), reinterpret_cast<LPARAM>(rect));
}

void CObjectTracker::AdjustRect(int handle, RECT* rect) {
  if (!m_hOwner) return;
  RECT* reported = m_bOverride ? &m_rcOverride : rect;
  m_hOwner->SendMessage(WM_TRACKER_ADJUSTRECT, static_cast<WPARAM>(handle), reinterpret_cast<LPARAM>(reported));
}

void CObjectTracker::OnChangedRect(const CRect& rectOld) {
  if (m_hOwner) m_hOwner->SendMessage(WM_TRACKER_CHANGEDRECT, reinterpret_cast<WPARAM>(&rectOld), 0);
}
