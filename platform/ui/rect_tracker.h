// CRectTracker: a rectangle with a frame and eight sizing handles, drawn on a view and hit-tested
// by handle, and dragged by the mouse (Track). The three notifications are virtual so that a
// derived tracker can report them to its window.
//
// A drag runs on the view's own mouse and key events, without a loop of its own: Track starts
// it, the view hands it every move, the release and Esc, and tells itself (OnTrackEnded) when
// it is over, so the caller's work after Track goes there.
#pragma once

#include <memory>

#include "platform/wintypes.h"

class CDC;
class CScrollView;

class CRectTracker {
 public:
  enum StyleFlags : UINT {
    solidLine = 1,
    dottedLine = 2,
    hatchedBorder = 4,
    resizeInside = 8,
    resizeOutside = 16,
    hatchInside = 32,
  };
  enum TrackerHit : int {
    hitNothing = -1,
    hitTopLeft = 0,
    hitTopRight = 1,
    hitBottomRight = 2,
    hitBottomLeft = 3,
    hitTop = 4,
    hitRight = 5,
    hitBottom = 6,
    hitLeft = 7,
    hitMiddle = 8,
  };

  CRectTracker() = default;
  CRectTracker(const RECT* rect, UINT style);
  // A tracker that goes away during its drag ends the drag as cancelled.
  virtual ~CRectTracker();
  CRectTracker(const CRectTracker&) = delete;
  CRectTracker& operator=(const CRectTracker&) = delete;

  // Starts a drag of the handle under point (client pixels): FALSE at once when point hits
  // nothing, else TRUE with the view's mouse and keyboard grabbed. clip is not used.
  BOOL Track(CScrollView* view, POINT point, BOOL allowInvert = FALSE, CScrollView* clip = nullptr);
  BOOL IsTracking() const { return m_pTrackView != nullptr; }
  // The handle being dragged, -1 when not tracking.
  int GetTrackHandle() const { return m_pTrackView ? m_nTrackHandle : -1; }
  // TRUE during the one AdjustRect that follows the button's release.
  BOOL IsFinalAdjust() const { return m_bFinalAdjust; }
  // The view's events during a drag.
  void TrackMove(POINT point);
  void TrackRelease(POINT point);
  void TrackCancel();
  // The view goes away: the drag ends without any more calls.
  void DetachTracking();

  // A 1-pixel frame (dotted or solid) and, with a resize style, eight solid handles (outside the
  // rectangle with resizeOutside), in client pixels whatever the DC's mapping.
  void Draw(CDC* pDC) const;
  // The rectangle grown by the outside handles.
  void GetTrueRect(RECT* rect) const;
  // The handle code at a client point, 8 inside the rectangle, -1 elsewhere.
  int HitTest(POINT point) const;
  // The rectangle of one handle (0 to 7).
  void GetHandleRect(int handle, RECT* out) const;

  virtual void DrawTrackerRect(const RECT* rect, CDC* pDC);
  virtual void AdjustRect(int handle, RECT* rect);
  virtual void OnChangedRect(const CRect& rectOld);
  // Bit i set: handle i is shown. Edge handles hide when the rectangle is too small for them.
  virtual UINT GetHandleMask() const;
  virtual int GetHandleSize(const RECT* rect = nullptr) const;

  CRect m_rect;
  UINT m_nStyle = 0;
  int m_nHandleSize = 8;
  CSize m_sizeMin{1, 1};

 private:
  // The rectangle the pointer proposes: the dragged handle's edges follow it.
  CRect ProposedRect(POINT point) const;

  CScrollView* m_pTrackView = nullptr;
  int m_nTrackHandle = -1;
  CRect m_rectSave;
  CRect m_rectDrawn;
  CPoint m_ptStart;
  BOOL m_bAllowInvert = FALSE;
  BOOL m_bDrawn = FALSE;
  BOOL m_bFinalAdjust = FALSE;
  // Cleared when the tracker is destroyed, so that a drag step can tell it went away under it.
  std::shared_ptr<bool> m_pAlive = std::make_shared<bool>(true);
};
