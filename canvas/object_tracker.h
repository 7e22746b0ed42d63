// CObjectTracker: the canvas's selection frame. It remembers the list entry it stands for and
// keeps its rectangle both as drawn (scrolled) and in document device coordinates (unscrolled),
// so that scrolling only moves it. The three tracker notifications go to the owner window as
// private messages, answered by the view.
#pragma once

#include "platform/ui/rect_tracker.h"
#include "platform/ui/scrollview.h"

constexpr UINT WM_APP = 0x8000;
constexpr UINT WM_TRACKER_ADJUSTRECT = WM_APP + 0x2E;
constexpr UINT WM_TRACKER_CHANGEDRECT = WM_APP + 0x2F;
constexpr UINT WM_TRACKER_DRAWRECT = WM_APP + 0x30;

class CObjectTracker : public CRectTracker {
 public:
  explicit CObjectTracker(CScrollView* owner) : m_hOwner(owner) {}

  // rect in document device coordinates: kept as the unscrolled rectangle and shown shifted.
  void SetTrackRect(RECT rect, int scrollX, int scrollY);
  // Shown shifted; the unscrolled rectangle stays as it was.
  void SetTrackRect(int left, int top, int right, int bottom, int scrollX, int scrollY);
  void ScrollTo(int scrollX, int scrollY);
  RECT GetTrackRect() const { return m_rcScrolled; }
  void SetOverrideRect(const RECT* r);
  void InvalidateTracker(CScrollView* view) const;
  // whole: the frame and its handles; else the handle strips and the frame line inside them.
  void InvalidateHandles(CScrollView* view, BOOL whole) const;
  // A rectangle with its frame and outside handles.
  void InvalidateFrame(CScrollView* view, const RECT& rect) const;
  // Only the frame line and the outside handles of a rectangle, not its inside.
  void InvalidateOutline(CScrollView* view, const RECT& rect) const;

  void DrawTrackerRect(const RECT* rect, CDC* pDC) override;
  void AdjustRect(int handle, RECT* rect) override;
  void OnChangedRect(const CRect& rectOld) override;

  RECT m_rcScrolled{};
  RECT m_rcUnscrolled{};
  RECT m_rcOverride{};
  int m_bOverride = 0;
  int m_nObjectIndex = 0;
  // Set once a paint has drawn the frame where the tracker holds it.
  int m_bPainted = 0;
  CScrollView* m_hOwner = nullptr;

 private:
  // The band between trueRect and rect (inside it) with rect's edge lines: a frame's strips.
  static void InvalidateStrips(CScrollView* view, const RECT& trueRect, const RECT& rect);
};
