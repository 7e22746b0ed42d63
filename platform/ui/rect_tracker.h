// CRectTracker: a rectangle with a frame and eight sizing handles, drawn on a view and hit-tested
// by handle. The drag loop (Track) comes with mouse editing; the three notifications are
// virtual so that a derived tracker can report them to its window.
#pragma once

#include "platform/wintypes.h"

class CDC;

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
  virtual ~CRectTracker() = default;

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
};
