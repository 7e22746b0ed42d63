#include "platform/ui/scrollview.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPrinter>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>

#include "platform/gdi/painter_backend.h"
#include "platform/prompter.h"
#include "platform/ui/rect_tracker.h"

const SIZE CScrollView::sizeDefault{0, 0};

namespace {

// A window DC on the surface image: its own painter for as long as it lives.
class CSurfaceDCImpl : public CDC {
 public:
  CSurfaceDCImpl(QImage& image, QWidget* viewport) : m_painter(&image), m_viewport(viewport) {
    AttachBackend(std::make_unique<CPainterBackend>(m_painter, image.dotsPerMeterX(), image.dotsPerMeterY()));
  }
  ~CSurfaceDCImpl() override {
    DeleteDC();
    m_painter.end();
    if (m_viewport) m_viewport->update();
  }

 private:
  QPainter m_painter;
  QWidget* m_viewport;
};

}  // namespace

CScrollView::CScrollView(QWidget* parent) : QAbstractScrollArea(parent) {
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  // Moves without a button reach OnMouseMove (cursor position, handle cursors).
  viewport()->setMouseTracking(true);
  m_surface.Resize(viewport()->width(), viewport()->height());
}

CScrollView::~CScrollView() {
  if (m_pTracking) m_pTracking->DetachTracking();
}

// ---- Scroll sizes and positions ------------------------------------------------------------

void CScrollView::SetScrollSizes(int mapMode, SIZE total, SIZE page, SIZE line) {
  m_nMapMode = mapMode;
  m_totalLog = total;
  m_totalDev = total;
  if (mapMode != MM_TEXT) {
    // Logical units to pixels as the device context rounds them.
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    dc.SetMapMode(mapMode);
    dc.LPtoDP(&m_totalDev);
    dc.LPtoDP(&page);
    dc.LPtoDP(&line);
    m_totalDev.cx = std::abs(m_totalDev.cx);
    m_totalDev.cy = std::abs(m_totalDev.cy);
  }
  m_pageDev = SIZE{std::abs(page.cx), std::abs(page.cy)};
  m_lineDev = SIZE{std::abs(line.cx), std::abs(line.cy)};
  if (m_pageDev.cx == 0) m_pageDev.cx = m_totalDev.cx / 10;
  if (m_pageDev.cy == 0) m_pageDev.cy = m_totalDev.cy / 10;
  if (m_lineDev.cx == 0) m_lineDev.cx = m_pageDev.cx / 10;
  if (m_lineDev.cy == 0) m_lineDev.cy = m_pageDev.cy / 10;
  UpdateBars();
}

void CScrollView::UpdateBars() {
  ++m_nQuiet;
  const int w = viewport()->width(), h = viewport()->height();
  QScrollBar* hb = horizontalScrollBar();
  QScrollBar* vb = verticalScrollBar();
  hb->setRange(0, std::max(0, static_cast<int>(m_totalDev.cx) - w));
  vb->setRange(0, std::max(0, static_cast<int>(m_totalDev.cy) - h));
  hb->setPageStep(std::max(1, w));
  vb->setPageStep(std::max(1, h));
  hb->setSingleStep(std::max<int>(1, m_lineDev.cx));
  vb->setSingleStep(std::max<int>(1, m_lineDev.cy));
  --m_nQuiet;
}

int CScrollView::GetScrollPos(int bar) const {
  return bar == SB_HORZ ? horizontalScrollBar()->value() : verticalScrollBar()->value();
}

int CScrollView::SetScrollPos(int bar, int pos, BOOL redraw) {
  (void)redraw;
  QScrollBar* b = bar == SB_HORZ ? horizontalScrollBar() : verticalScrollBar();
  const int old = b->value();
  ++m_nQuiet;
  b->setValue(std::clamp(pos, 0, GetScrollLimit(bar)));
  --m_nQuiet;
  return old;
}

int CScrollView::GetScrollLimit(int bar) const {
  const int client = bar == SB_HORZ ? viewport()->width() : viewport()->height();
  const int total = bar == SB_HORZ ? m_totalDev.cx : m_totalDev.cy;
  return std::max(0, total - client);
}

void CScrollView::ShowScrollBar(int bar, BOOL show) {
  const Qt::ScrollBarPolicy policy = show ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
  if (bar == SB_HORZ || bar == SB_BOTH) setHorizontalScrollBarPolicy(policy);
  if (bar == SB_VERT || bar == SB_BOTH) setVerticalScrollBarPolicy(policy);
}

void CScrollView::ScrollToPosition(POINT pos) {
  // Through the bars, so that the notifications run as for the operator's scrolling.
  horizontalScrollBar()->setValue(pos.x);
  verticalScrollBar()->setValue(pos.y);
}

void CScrollView::GetClientRect(RECT* r) const {
  if (r) *r = RECT{0, 0, viewport()->width(), viewport()->height()};
}

void CScrollView::scrollContentsBy(int dx, int dy) {
  if (m_nQuiet) return;
  if (dx) OnHScroll(SB_THUMBPOSITION, static_cast<UINT>(GetScrollPos(SB_HORZ)), horizontalScrollBar());
  if (dy) OnVScroll(SB_THUMBPOSITION, static_cast<UINT>(GetScrollPos(SB_VERT)), verticalScrollBar());
}

void CScrollView::OnHScroll(UINT, UINT, void*) { Invalidate(TRUE); }

void CScrollView::OnVScroll(UINT, UINT, void*) { Invalidate(TRUE); }

void CScrollView::OnSize(UINT, int, int) { UpdateBars(); }

void CScrollView::OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }

void CScrollView::OnActivateView(BOOL, CView*, CView*) {}

void CScrollView::OnDestroy() {}

LRESULT CScrollView::SendMessage(UINT, WPARAM, LPARAM) { return 0; }

// ---- Painting ---------------------------------------------------------------------------------

void CScrollView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) {
  if (!pDC) return;
  pDC->SetMapMode(m_nMapMode);
  if (!pInfo) pDC->SetViewportOrg(-GetScrollPos(SB_HORZ), -GetScrollPos(SB_VERT));
}

BOOL CScrollView::OnEraseBkgnd(CDC* pDC) {
  RECT box;
  if (pDC->GetClipBox(&box) == NULLREGION) return TRUE;
  pDC->FillSolidRect(&box, 0xFFFFFF);
  return TRUE;
}

void CScrollView::InvalidateRect(const RECT* rect, BOOL erase) {
  if (rect) {
    m_surface.Invalidate(*rect, erase);
  } else {
    m_surface.InvalidateAll(erase);
  }
  ScheduleUpdate();
}

void CScrollView::Invalidate(BOOL erase) { InvalidateRect(nullptr, erase); }

void CScrollView::ValidateRect(const RECT* rect) {
  if (rect) m_surface.Validate(*rect);
}

void CScrollView::ScheduleUpdate() {
  if (m_bUpdateQueued) return;
  m_bUpdateQueued = true;
  // As a window's paint message: after the current work has finished.
  QTimer::singleShot(0, this, [this] {
    m_bUpdateQueued = false;
    UpdateWindow();
  });
}

void CScrollView::UpdateWindow() { PaintPending(); }

void CScrollView::PaintPending() {
  if (m_bPainting || !m_surface.HasPending() || m_surface.Image().isNull()) return;
  m_bPainting = true;
  QRegion& paint = m_paintRegion;
  QRegion& erase = m_eraseRegion;
  m_surface.TakePending(paint, erase);
  {
    QPainter painter(&m_surface.Image());
    if (!erase.isEmpty()) {
      painter.setClipRegion(erase);
      CPainterDC dc(painter, &m_surface.Image());
      OnEraseBkgnd(&dc);
    }
    painter.setClipRegion(paint);
    CPainterDC dc(painter, &m_surface.Image());
    OnPrepareDC(&dc);
    OnDraw(&dc);
  }
  m_bPainting = false;
  const QRect painted = paint.boundingRect();
  paint = QRegion();
  erase = QRegion();
  viewport()->update(painted);
}

bool CScrollView::PaintCovers(const RECT& rect) const {
  if (!m_bPainting) return false;
  CRect r(rect);
  r.NormalizeRect();
  const QRegion part(QRect(r.left, r.top, r.Width(), r.Height()) & m_surface.Image().rect());
  return part.subtracted(m_paintRegion).isEmpty() && part.subtracted(m_eraseRegion).isEmpty();
}

std::unique_ptr<CDC> CScrollView::GetDC() {
  return std::make_unique<CSurfaceDCImpl>(m_surface.Image(), viewport());
}

void CScrollView::paintEvent(QPaintEvent* event) {
  QPainter p(viewport());
  p.drawImage(event->rect(), m_surface.Image(), event->rect());
}

void CScrollView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  const QSize size = viewport()->size();
  if (size != m_surface.Image().size()) {
    m_surface.Resize(size.width(), size.height());
    Invalidate(TRUE);
  }
  OnSize(SIZE_RESTORED, size.width(), size.height());
}

// ---- Printing -----------------------------------------------------------------------------------

QPrinter& CScrollView::PrinterForPrinting() {
  if (!m_pOwnPrinter) m_pOwnPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
  return *m_pOwnPrinter;
}

BOOL CScrollView::OnPreparePrinting(CPrintInfo* pInfo) { return DoPreparePrinting(pInfo); }

BOOL CScrollView::DoPreparePrinting(CPrintInfo* pInfo) {
  if (!pInfo) return FALSE;
  if (pInfo->m_bDirect || pInfo->m_bPreview) return TRUE;
  QPrinter& printer = pInfo->m_pPrinter ? *pInfo->m_pPrinter : PrinterForPrinting();
  return Prompter().PrintDialog(printer) ? TRUE : FALSE;
}

void CScrollView::OnBeginPrinting(CDC*, CPrintInfo*) {}

void CScrollView::OnPrint(CDC* pDC, CPrintInfo*) { OnDraw(pDC); }

void CScrollView::OnEndPrinting(CDC*, CPrintInfo*) {}

BOOL CScrollView::PrintSequence(QPrinter& printer, BOOL preview, BOOL direct) {
  QPainter painter;
  if (!painter.begin(&printer)) {
    AfxMessageBox(CString::FromUtf8("印刷を開始できません。"), MB_OK | MB_ICONERROR);
    return FALSE;
  }
  CPainterDC dc(painter, &printer);
  CPrintInfo info;
  info.m_bPreview = preview;
  info.m_bDirect = direct;
  info.m_pPrinter = &printer;
  OnPrepareDC(&dc, &info);
  // The printable area in logical units (1:1, no fitting).
  const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
  POINT corner{page.width(), page.height()};
  dc.DPtoLP(&corner, 1);
  info.m_rectDraw = CRect(0, 0, corner.x, corner.y);
  OnBeginPrinting(&dc, &info);
  OnPrepareDC(&dc, &info);
  OnPrint(&dc, &info);
  OnEndPrinting(&dc, &info);
  dc.DeleteDC();
  painter.end();
  return TRUE;
}

void CScrollView::OnFilePrint() {
  CPrintInfo info;
  info.m_pPrinter = &PrinterForPrinting();
  if (!OnPreparePrinting(&info)) return;
  PrintSequence(*info.m_pPrinter, FALSE, FALSE);
}

void CScrollView::OnFilePrintDirect() {
  CPrintInfo info;
  info.m_bDirect = TRUE;
  info.m_pPrinter = &PrinterForPrinting();
  if (!OnPreparePrinting(&info)) return;
  PrintSequence(*info.m_pPrinter, FALSE, TRUE);
}

void CScrollView::OnFilePrintPreview() {
  QPrinter& printer = PrinterForPrinting();
  Prompter().PrintPreview(printer, [this](QPrinter& p) { PrintSequence(p, TRUE, FALSE); });
}

// ---- Mouse and keys -------------------------------------------------------------------------------

UINT MouseKeyFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
  UINT flags = 0;
  if (buttons & Qt::LeftButton) flags |= MK_LBUTTON;
  if (buttons & Qt::RightButton) flags |= MK_RBUTTON;
  if (buttons & Qt::MiddleButton) flags |= MK_MBUTTON;
  if (modifiers & Qt::ShiftModifier) flags |= MK_SHIFT;
  if (modifiers & Qt::ControlModifier) flags |= MK_CONTROL;
  return flags;
}

namespace {

CPoint ClientPoint(const QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  return CPoint(p.x(), p.y());
}

}  // namespace

void CScrollView::OnLButtonDown(UINT, CPoint) {}
void CScrollView::OnLButtonUp(UINT, CPoint) {}
void CScrollView::OnLButtonDblClk(UINT, CPoint) {}
void CScrollView::OnRButtonDown(UINT, CPoint) {}
void CScrollView::OnRButtonUp(UINT, CPoint) {}
void CScrollView::OnMouseMove(UINT, CPoint) {}
void CScrollView::OnNcMouseMove(UINT, CPoint) {}
void CScrollView::OnKeyDown(UINT, UINT, UINT) {}
void CScrollView::OnTrackEnded(BOOL) {}

void CScrollView::BeginTracking(CRectTracker* tracker) {
  // The press that starts a drag already holds the mouse for the viewport until its release,
  // and the view has the focus for Esc; while the drag runs every press and key is its own.
  m_pTracking = tracker;
}

void CScrollView::EndTracking(CRectTracker* tracker, BOOL result, BOOL rest) {
  if (!tracker || tracker != m_pTracking) return;
  m_pTracking = nullptr;
  if (rest) OnTrackEnded(result);
}

void CScrollView::mousePressEvent(QMouseEvent* event) {
  event->accept();
  if (m_pTracking) return;  // the drag owns the mouse until its button comes up
  const UINT flags = MouseKeyFlags(event->buttons(), event->modifiers());
  if (event->button() == Qt::LeftButton) OnLButtonDown(flags, ClientPoint(event));
  else if (event->button() == Qt::RightButton) OnRButtonDown(flags, ClientPoint(event));
}

void CScrollView::mouseDoubleClickEvent(QMouseEvent* event) {
  event->accept();
  if (m_pTracking) return;
  const UINT flags = MouseKeyFlags(event->buttons(), event->modifiers());
  if (event->button() == Qt::LeftButton) OnLButtonDblClk(flags, ClientPoint(event));
  else if (event->button() == Qt::RightButton) OnRButtonDown(flags, ClientPoint(event));
}

void CScrollView::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  const UINT flags = MouseKeyFlags(event->buttons(), event->modifiers());
  if (m_pTracking) {
    if (event->button() == Qt::LeftButton) m_pTracking->TrackRelease(ClientPoint(event));
    return;
  }
  if (event->button() == Qt::LeftButton) OnLButtonUp(flags, ClientPoint(event));
  else if (event->button() == Qt::RightButton) OnRButtonUp(flags, ClientPoint(event));
}

void CScrollView::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
  const CPoint point = ClientPoint(event);
  if (m_pTracking) {
    m_pTracking->TrackMove(point);
    return;
  }
  RECT client;
  GetClientRect(&client);
  if (!CRect(client).PtInRect(point)) {
    // Qt keeps sending moves to the pressed window outside it: that is the pointer leaving.
    OnNcMouseMove(0, point);
    return;
  }
  OnMouseMove(MouseKeyFlags(event->buttons(), event->modifiers()), point);
}

bool CScrollView::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::Leave && !m_pTracking) OnNcMouseMove(0, CPoint(-1, -1));
  return QAbstractScrollArea::viewportEvent(event);
}

void CScrollView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    if (m_pTracking) {
      m_pTracking->TrackCancel();
      return;
    }
    OnKeyDown(VK_ESCAPE, 1, 0);
    return;
  }
  if (m_pTracking) {
    event->accept();
    return;
  }
  QAbstractScrollArea::keyPressEvent(event);
}

void CScrollView::contextMenuEvent(QContextMenuEvent* event) {
  // The menu opens from the right press alone.
  event->accept();
}
