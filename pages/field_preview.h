// What the field page's and the fixed-field page's previews share: the field fitted into the
// preview frame and drawn in black on white, the area's outline in red, the anchor as a black
// dot.
#pragma once

#include "platform/gdi/gdi.h"
#include "platform/wintypes.h"

// The anchor (0 centre ... 8 bottom right) on a pixel rectangle; false outside 0..8.
bool PreviewAnchorOnRect(int anchor, int left, int top, int right, int bottom, int midX, int midY, CPoint& out);

class CFieldPreview {
 public:
  // Fits a field of fieldX x fieldY into the client rectangle, centred and keeping its aspect,
  // and draws its frame. Both sizes must be above 0 and the client not empty.
  CFieldPreview(CDC& dc, const CRect& client, double fieldX, double fieldY);
  // Gives the DC its own pen and brush back.
  ~CFieldPreview();
  CFieldPreview(const CFieldPreview&) = delete;
  CFieldPreview& operator=(const CFieldPreview&) = delete;

  // The fitted field in pixels.
  const CRect& Frame() const { return m_frame; }
  // The red pen and no brush, for the area's outline.
  void SelectOutlinePen();
  // The anchor as a dot of 3 pixels around p; the white brush is selected again after it.
  void DrawAnchorDot(const CPoint& p);

 private:
  CDC& m_dc;
  CRect m_frame;
  CPen m_black;
  CBrush m_white;
  CPen m_red;
  CPen* m_pOldPen = nullptr;
  CBrush* m_pOldBrush = nullptr;
};
