// CPaintEditor: the bitmap editor that runs inside the canvas view while the document is in
// paint mode. This is the part the view talks to; every member is virtual so the editor proper
// (and test doubles) can stand in. Until the editor exists no object can be edited: BeginEdit
// refuses, and the rest does nothing.
#pragma once

#include "platform/wintypes.h"

class CDC;
class CKorvaneDoc;
class CBmpObject;
class CScrollView;

class CPaintEditor {
 public:
  CPaintEditor() = default;
  virtual ~CPaintEditor() = default;
  CPaintEditor(const CPaintEditor&) = delete;
  CPaintEditor& operator=(const CPaintEditor&) = delete;

  // Remembers the owner view (before its window exists) and clears the pending state.
  virtual void Attach(CScrollView* owner) { m_pOwner = owner; }
  // Starts editing a copy of the object's image; canvas gets the canvas size in pixels at the
  // current zoom. FALSE when the object cannot be edited.
  virtual BOOL BeginEdit(CKorvaneDoc* doc, CBmpObject* object, SIZE* canvas) {
    (void)doc; (void)object; (void)canvas;
    return FALSE;
  }
  // Ends editing; giveBack hands the edited image back to the object.
  virtual void EndEdit(BOOL giveBack) { (void)giveBack; }
  // Paints the whole image-edit view into the view's device context.
  virtual void Draw(CDC* pDC) { (void)pDC; }
  // The view's new scroll position after it scrolled.
  virtual void OnHScroll(int pos) { (void)pos; }
  virtual void OnVScroll(int pos) { (void)pos; }
  // The view was resized; the layout follows with the current scroll positions.
  virtual void OnSize(int hpos, int vpos) { (void)hpos; (void)vpos; }
  // Zoom in tenths (0 fits the window); canvas gets the canvas size at that zoom.
  virtual double SetZoom(int zoom, SIZE* canvas) { (void)zoom; (void)canvas; return 0.0; }
  // The view's scroll position the editor paints against.
  virtual void StoreScrollPos(int x, int y) { m_ptScroll = CPoint(x, y); }
  virtual void Redraw() {}

  virtual void OnLButtonDown(UINT flags, int x, int y) { (void)flags; (void)x; (void)y; }
  virtual void OnLButtonUp(UINT flags, int x, int y) { (void)flags; (void)x; (void)y; }
  virtual void OnLButtonDblClk(UINT flags, int x, int y) { (void)flags; (void)x; (void)y; }
  virtual void OnRButtonDown(UINT flags, int x, int y) { (void)flags; (void)x; (void)y; }
  virtual void OnRButtonUp(UINT flags, int x, int y) { (void)flags; (void)x; (void)y; }
  virtual void OnMouseMove(UINT flags, int x, int y) { (void)flags; (void)x; (void)y; }
  virtual void OnNcMouseMove() {}

  // The brush preview's rectangle; the view empties it when it is activated in paint mode.
  CRect m_rcBrush;
  int m_nTool = 0;
  int m_nPenSize = 1;
  int m_nPenShape = 0;
  int m_bFill = 0;

 protected:
  CScrollView* m_pOwner = nullptr;
  CPoint m_ptScroll;
};
