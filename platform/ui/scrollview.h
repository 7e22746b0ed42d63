// CScrollView: a scrolling view window over a window surface (window_surface.h). The scroll
// range is given in a mapping mode's logical units and kept in device pixels; painting goes to
// the surface through OnPrepareDC, OnEraseBkgnd and OnDraw, and every scroll change (bar, wheel,
// keys, ScrollToPosition) reaches OnHScroll/OnVScroll.
#pragma once

#include <QAbstractScrollArea>
#include <QRegion>
#include <memory>

#include "platform/gdi/dc.h"
#include "platform/ui/docview.h"
#include "platform/ui/print_info.h"
#include "platform/ui/window_surface.h"
#include "platform/wintypes.h"

class QPrinter;
class CRectTracker;

using WPARAM = std::uintptr_t;
using LRESULT = std::intptr_t;

constexpr int SB_HORZ = 0;
constexpr int SB_VERT = 1;
constexpr int SB_BOTH = 3;
constexpr UINT SB_THUMBPOSITION = 4;
constexpr UINT SIZE_RESTORED = 0;
// Key flags of the mouse messages.
constexpr UINT MK_LBUTTON = 0x0001;
constexpr UINT MK_RBUTTON = 0x0002;
constexpr UINT MK_SHIFT = 0x0004;
constexpr UINT MK_CONTROL = 0x0008;
constexpr UINT MK_MBUTTON = 0x0010;
constexpr UINT VK_ESCAPE = 0x1B;

// A device context on a window's surface, outside any paint (GetDC). It draws at once.
class CSurfaceDC;

class CScrollView : public QAbstractScrollArea, public CView {
 public:
  explicit CScrollView(QWidget* parent = nullptr);
  ~CScrollView() override;

  static const SIZE sizeDefault;
  // total, page and line in logical units of mapMode (MM_TEXT or MM_HIMETRIC); sizeDefault
  // gives a tenth of the total per page and a tenth of the page per line.
  void SetScrollSizes(int mapMode, SIZE total, SIZE page = sizeDefault, SIZE line = sizeDefault);
  int GetMapMode() const { return m_nMapMode; }
  SIZE GetTotalDeviceSize() const { return m_totalDev; }
  int GetScrollPos(int bar) const;
  // Sets a bar's position quietly (no OnHScroll/OnVScroll), clamped to its limit.
  int SetScrollPos(int bar, int pos, BOOL redraw = TRUE);
  // Total minus the client size, not below 0.
  int GetScrollLimit(int bar) const;
  void ShowScrollBar(int bar, BOOL show = TRUE);
  // Scrolls by code, through OnHScroll/OnVScroll.
  void ScrollToPosition(POINT pos);
  void GetClientRect(RECT* r) const;

  // Painting on the surface
  virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr);
  virtual void OnDraw(CDC* pDC) = 0;
  // Fills the clip box white; TRUE when erased.
  virtual BOOL OnEraseBkgnd(CDC* pDC);
  void InvalidateRect(const RECT* rect, BOOL erase = TRUE);
  void Invalidate(BOOL erase = TRUE);
  void ValidateRect(const RECT* rect);
  // Paints what is pending now.
  void UpdateWindow();
  // Whether the paint in progress erases and paints all of a client rectangle that lies on the
  // surface (false outside a paint).
  bool PaintCovers(const RECT& rect) const;
  // A window DC on the surface (MM_TEXT, no origin); drawing shows at once.
  std::unique_ptr<CDC> GetDC();
  CWindowSurface& Surface() { return m_surface; }
  const QImage& SurfaceImage() const { return m_surface.Image(); }

  // Window notifications
  virtual void OnHScroll(UINT code, UINT pos, void* scrollBar);
  virtual void OnVScroll(UINT code, UINT pos, void* scrollBar);
  virtual void OnSize(UINT type, int cx, int cy);
  virtual void OnInitialUpdate();
  virtual void OnActivateView(BOOL activate, CView* activateView, CView* deactiveView);
  virtual void OnDestroy();
  // Private messages to the window; the base answers 0.
  virtual LRESULT SendMessage(UINT message, WPARAM wParam, LPARAM lParam);

  // Mouse and keys, client points. A move outside the client area (the button held, or the
  // pointer leaving) arrives as OnNcMouseMove; a double click does not press a second time;
  // the context-menu event is swallowed.
  virtual void OnLButtonDown(UINT flags, CPoint point);
  virtual void OnLButtonUp(UINT flags, CPoint point);
  virtual void OnLButtonDblClk(UINT flags, CPoint point);
  virtual void OnRButtonDown(UINT flags, CPoint point);
  virtual void OnRButtonUp(UINT flags, CPoint point);
  virtual void OnMouseMove(UINT flags, CPoint point);
  virtual void OnNcMouseMove(UINT hitTest, CPoint point);
  virtual void OnKeyDown(UINT key, UINT repeat, UINT flags);

  // A tracker drag driven by this window's own mouse and key events (CRectTracker::Track):
  // every mouse event and Esc belong to it until it ends. OnTrackEnded runs once it ended by
  // release (TRUE when the rectangle changed) or Esc (FALSE); not when the tracker goes away.
  void BeginTracking(CRectTracker* tracker);
  // Ends the drag of the tracker (no-op for another one); rest: run OnTrackEnded.
  void EndTracking(CRectTracker* tracker, BOOL result, BOOL rest);
  CRectTracker* TrackingTracker() const { return m_pTracking; }
  virtual void OnTrackEnded(BOOL result);

  // Printing: one page at 1:1, through the prompter's print and preview dialogs.
  virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
  BOOL DoPreparePrinting(CPrintInfo* pInfo);
  virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
  virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
  virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
  void OnFilePrint();
  void OnFilePrintPreview();
  // Runs the whole sequence once on a printer (the preview's repaint and the print itself);
  // FALSE when the printer could not start.
  BOOL PrintSequence(QPrinter& printer, BOOL preview, BOOL direct);
  // Direct printing skips the dialog.
  void OnFilePrintDirect();

 protected:
  // The printer of the run; the view's own one here.
  virtual QPrinter& PrinterForPrinting();
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  bool viewportEvent(QEvent* event) override;

 private:
  void UpdateBars();
  void ScheduleUpdate();
  void PaintPending();

  CWindowSurface m_surface;
  int m_nMapMode = MM_TEXT;
  SIZE m_totalLog{};
  SIZE m_totalDev{};
  SIZE m_pageDev{};
  SIZE m_lineDev{};
  int m_nQuiet = 0;
  bool m_bUpdateQueued = false;
  bool m_bPainting = false;
  // What the paint in progress paints and erases.
  QRegion m_paintRegion, m_eraseRegion;
  std::unique_ptr<QPrinter> m_pOwnPrinter;
  CRectTracker* m_pTracking = nullptr;
};

// The key flags of a Qt mouse event as MK_* bits.
UINT MouseKeyFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
