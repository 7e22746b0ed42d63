// Mouse editing on the canvas: selecting by click and by band, dragging and resizing the
// selection with the tracker, the area capture's band, the context menu and the cursor
// position. In paint mode every mouse message belongs to the paint editor.
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <vector>

#include "canvas/canvas_frame.h"
#include "canvas/leftview.h"
#include "canvas/object_tracker.h"
#include "imaging/paint_editor.h"
#include "model/drawobject.h"
#include "model/korvane_doc.h"
#include "model/objectlist.h"
#include "platform/prompter.h"
#include "platform/ui/menu_template.h"
#include "res/menus.h"
#include "res/resource.h"

namespace {

enum CursorSlot { kSizeAll = 0, kSizeNesw = 1, kSizeNs = 2, kSizeNwse = 3, kSizeWe = 4 };

CRect Normalised(int x1, int y1, int x2, int y2) {
  CRect r(x1, y1, x2, y2);
  r.NormalizeRect();
  return r;
}

RECT Plus(const RECT& r, int dx, int dy) { return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

// One edge of a place inside `from` carried to the same place inside `to` (both normalised).
double MapEdge(int v, int fromLow, int fromHigh, int toLow, int toHigh) {
  if (fromHigh == fromLow) return static_cast<double>(v) + toLow - fromLow;
  const double scale = (static_cast<double>(toHigh) - toLow) / (static_cast<double>(fromHigh) - fromLow);
  return toLow + (static_cast<double>(v) - fromLow) * scale;
}

// The rectangle a selection's transform by change code carries oldRect to (both normalised,
// newRect being where the tracker was let go). A scale keeps the old edges opposite the dragged
// handle and takes the new size, so a drag that turned the rectangle over lands on the other
// side of the kept edge; the codes that neither move nor scale leave it where it was.
CRect LandingRect(int code, const CRect& oldRect, const CRect& newRect) {
  if (code == 0) return newRect;
  if (code < 1 || code > 8) return oldRect;
  CRect r(oldRect);
  const bool keepsBottom = code == 1 || code == 5 || code == 7, keepsTop = code == 3 || code == 6 || code == 8;
  const bool keepsRight = code == 2 || code == 5 || code == 6, keepsLeft = code == 4 || code == 7 || code == 8;
  if (keepsBottom) r.top = oldRect.bottom - newRect.Height();
  if (keepsTop) r.bottom = oldRect.top + newRect.Height();
  if (keepsRight) r.left = oldRect.right - newRect.Width();
  if (keepsLeft) r.right = oldRect.left + newRect.Width();
  return r;
}

}  // namespace

BOOL CLeftView::Create() {
  Trace("---------CLeftView::Create\n");
  m_hCursors[kSizeAll] = Qt::SizeAllCursor;
  m_hCursors[kSizeNesw] = Qt::SizeBDiagCursor;
  m_hCursors[kSizeNs] = Qt::SizeVerCursor;
  m_hCursors[kSizeNwse] = Qt::SizeFDiagCursor;
  m_hCursors[kSizeWe] = Qt::SizeHorCursor;
  return TRUE;
}

// ---- Message handlers ---------------------------------------------------------------------------

void CLeftView::OnLButtonDown(UINT flags, CPoint point) {
  Trace("---------CLeftView::OnLButtonDown\n");
  if (!m_pDoc) return;
  if (m_pDoc->m_bPaintMode) {
    if (m_pPaintEditor) m_pPaintEditor->OnLButtonDown(flags, point.x, point.y);
    return;
  }
  CheckPointL(point);
  SetFocus();
}

void CLeftView::OnLButtonUp(UINT flags, CPoint point) {
  Trace("---------CLeftView::OnLButtonUp\n");
  if (!m_pDoc) return;
  if (m_pDoc->m_bPaintMode) {
    if (m_pPaintEditor) m_pPaintEditor->OnLButtonUp(flags, point.x, point.y);
    return;
  }
  if (m_bDragging) {
    CDC dc;
    MakeWindowDC(dc);
    if (m_pDoc->m_bAreaCapture) {
      // The band's two corners as they are: the document orders the rectangle.
      CDoubleRect mm;
      m_pRenderer->DeviceRectToMm(&mm, &dc, m_ptBandStart.x, m_ptBandStart.y, point.x, point.y);
      m_pDoc->SelectionToImage(&mm);
      EndDrag();
      Invalidate(TRUE);
      UpdateWindow();
    } else {
      const int n = MakeConnotation(m_pDoc);
      const CRect band = Normalised(m_ptBandStart.x, m_ptBandStart.y, point.x, point.y);
      CDoubleRect bounds;
      const int k = ConnotateTest(&dc, m_pDoc, band, n, &bounds);
      if (k == 0) {
        EndDrag();
      } else {
        POINT tl, br;
        m_pRenderer->LogicalToDevice(&tl, &dc, bounds.left, bounds.top);
        m_pRenderer->LogicalToDevice(&br, &dc, bounds.right, bounds.bottom);
        const RECT r{tl.x, tl.y, br.x, br.y};
        if (k == 1) {
          int index = 0;
          for (int i = 0; i < n; ++i) {
            if (m_pConnotation[i]) {
              index = i + 1;
              break;
            }
          }
          InitTracker(index, r, FALSE);
          m_pDoc->SetCurrentObject(index, TRUE, TRUE);
        } else {
          InitTracker(-1, r, FALSE);
          m_pDoc->SetMultiSelection(m_pConnotation, n);
        }
        EndDrag();
        Invalidate(TRUE);
        UpdateWindow();
      }
    }
  }
  SetFocus();
}

void CLeftView::OnLButtonDblClk(UINT flags, CPoint point) {
  Trace("---------CLeftView::OnLButtonDblClk\n");
  if (m_pDoc && m_pDoc->m_bPaintMode && m_pPaintEditor) m_pPaintEditor->OnLButtonDblClk(flags, point.x, point.y);
}

void CLeftView::OnRButtonDown(UINT flags, CPoint point) {
  Trace("---------CLeftView::OnRButtonDown\n");
  if (!m_pDoc) return;
  if (m_pDoc->m_bPaintMode) {
    if (m_pPaintEditor) m_pPaintEditor->OnRButtonDown(flags, point.x, point.y);
    return;
  }
  if (m_pDoc->m_bAreaCapture) {
    // The right button cancels a pending area capture.
    m_pDoc->SelectionToImage(nullptr);
    return;
  }
  CheckPointL(point, TRUE);
  SetFocus();
  OnContextMenu(point);
}

void CLeftView::OnRButtonUp(UINT flags, CPoint point) {
  Trace("---------CLeftView::OnRButtonUp\n");
  if (m_pDoc && m_pDoc->m_bPaintMode && m_pPaintEditor) m_pPaintEditor->OnRButtonUp(flags, point.x, point.y);
}

void CLeftView::OnMouseMove(UINT flags, CPoint point) {
  if (!m_pDoc) return;
  if (m_pDoc->m_bPaintMode) {
    if (m_pPaintEditor) m_pPaintEditor->OnMouseMove(flags, point.x, point.y);
    return;
  }
  if (m_pFrame) {
    CDC dc;
    MakeWindowDC(dc);
    CDoublePoint mm;
    m_pRenderer->DeviceToMm(&mm, &dc, point.x, point.y);
    m_pFrame->ShowCursorPosMm(mm.x, mm.y);
  }
  if (m_pTracker) {
    SetTrackerCursor(point);
  } else {
    viewport()->setCursor(Qt::ArrowCursor);
  }
  if (m_bDragging) MoveDrag(point.x, point.y);
}

void CLeftView::OnNcMouseMove(UINT, CPoint) {
  if (!m_pDoc) return;
  if (m_pDoc->m_bPaintMode) {
    if (m_pPaintEditor) m_pPaintEditor->OnNcMouseMove();
    return;
  }
  if (m_bDragging) EndDrag();
}

void CLeftView::OnKeyDown(UINT key, UINT, UINT) {
  // Esc ends a band as leaving the window does: nothing selected.
  if (key == VK_ESCAPE && m_pDoc && !m_pDoc->m_bPaintMode && m_bDragging) EndDrag();
}

void CLeftView::OnTrackEnded(BOOL) {
  // The rest of the press that started the drag.
  const int select = m_nTrackSelect;
  m_nTrackSelect = 0;
  if (select > 0 && m_pDoc) {
    m_pDoc->SetCurrentObject(select, TRUE, FALSE);
    UpdateWindow();
  }
}

// ---- Press handling -------------------------------------------------------------------------------

void CLeftView::CheckPointL(CPoint point) {
  Trace("---------CLeftView::CheckPointL\n");
  if (!m_pDoc) return;
  if (m_pDoc->m_bAreaCapture) {
    if (m_pTracker) DeleteTracker(FALSE);
    m_pDoc->SetCurrentObject(-2, TRUE, FALSE);
    UpdateWindow();
  } else if (m_pTracker && m_pTracker->HitTest(point) >= 0) {
    m_nTrackSelect = 0;
    // A skip left over from an invalidation outside a drag would eat the drag's first feedback
    // rectangle, and every later XOR would then leave one behind.
    m_bSkipTrackerDraw = 0;
    if (m_pTracker->Track(this, point, TRUE, nullptr)) return;
  } else {
    CDC dc;
    MakeWindowDC(dc);
    RECT r;
    const int hit = HitTest(&dc, m_pDoc, &r, point.x, point.y);
    if (hit > 0) {
      DeleteTracker(FALSE);
      InitTracker(hit, r, FALSE);
      // The press that selects an object can drag it at once; the selection follows the drag.
      m_nTrackSelect = hit;
      m_bSkipTrackerDraw = 0;
      if (m_pTracker->Track(this, point, TRUE, nullptr)) return;
      m_nTrackSelect = 0;
      m_pDoc->SetCurrentObject(hit, TRUE, FALSE);
    } else {
      DeleteTracker(FALSE);
      m_pDoc->SetCurrentObject(-2, TRUE, FALSE);
    }
    UpdateWindow();
  }
  if (!m_pTracker) StartDrag(point.x, point.y);
}

void CLeftView::CheckPointL(CPoint point, BOOL) {
  Trace("---------CLeftView::CheckPointL\n");
  if (!m_pDoc) return;
  if (m_pTracker && m_pTracker->HitTest(point) >= 0) return;
  CDC dc;
  MakeWindowDC(dc);
  RECT r;
  const int hit = HitTest(&dc, m_pDoc, &r, point.x, point.y);
  DeleteTracker(FALSE);
  if (hit > 0) {
    InitTracker(hit, r, FALSE);
    m_pDoc->SetCurrentObject(hit, TRUE, FALSE);
  } else {
    m_pDoc->SetCurrentObject(-2, TRUE, FALSE);
  }
  UpdateWindow();
}

int CLeftView::HitTest(CDC* dc, CKorvaneDoc* doc, RECT* out, int x, int y) {
  Trace("---------CLeftView::HitTest\n");
  if (!doc || !doc->GetObjectList()) return -1;
  const int count = doc->GetObjectList()->GetCount();
  for (int i = 1; i < count; ++i) {
    CDrawObject* copy = doc->CloneObject(i);
    if (!copy) return -1;
    if (copy->m_bDeleted || !IsLayerVisible(copy->m_nLayer)) {
      CKorvaneDoc::FreeObject(copy);
      continue;
    }
    const BOOL hit = m_pRenderer->HitTest(dc, x, y, copy);
    if (hit) {
      POINT tl, br;
      m_pRenderer->LogicalToDevice(&tl, dc, copy->m_rcBounds.left, copy->m_rcBounds.top);
      m_pRenderer->LogicalToDevice(&br, dc, copy->m_rcBounds.right, copy->m_rcBounds.bottom);
      if (out) *out = RECT{tl.x, tl.y, br.x, br.y};
      CKorvaneDoc::FreeObject(copy);
      return i;
    }
    CKorvaneDoc::FreeObject(copy);
  }
  return -1;
}

int CLeftView::MakeConnotation(CKorvaneDoc* doc) {
  delete[] m_pConnotation;
  m_pConnotation = nullptr;
  m_nConnotationSize = 0;
  const int n = doc && doc->GetObjectList() ? doc->GetObjectList()->GetCount() : 0;
  m_pConnotation = new int[static_cast<size_t>(std::max(1, n))]();
  m_nConnotationSize = n;
  return n;
}

int CLeftView::ConnotateTest(CDC* dc, CKorvaneDoc* doc, RECT band, int count, CDoubleRect* bounds) {
  Trace("---------CLeftView::ConnotateTest\n");
  if (!doc || !m_pConnotation) return 0;
  count = std::min(count, m_nConnotationSize);
  for (int i = 0; i < count; ++i) m_pConnotation[i] = 0;
  int found = 0;
  for (int i = 1; i < count; ++i) {
    CDrawObject* copy = doc->CloneObject(i);
    if (!copy) break;
    if (!copy->m_bDeleted && IsLayerVisible(copy->m_nLayer) &&
        m_pRenderer->ConnotateTest(dc, band.left, band.top, band.right, band.bottom, copy)) {
      m_pConnotation[i - 1] = 1;
      const CDoubleRect& b = copy->m_rcBounds;
      if (found == 0) {
        if (bounds) *bounds = b;
      } else if (bounds) {
        bounds->left = std::min(bounds->left, b.left);
        bounds->top = std::max(bounds->top, b.top);
        bounds->right = std::max(bounds->right, b.right);
        bounds->bottom = std::min(bounds->bottom, b.bottom);
      }
      ++found;
    }
    CKorvaneDoc::FreeObject(copy);
  }
  return found;
}

// ---- The band -------------------------------------------------------------------------------------

void CLeftView::StartDrag(int x, int y) {
  Trace("---------CLeftView::StartDrag\n");
  m_ptBandStart = CPoint(x, y);
  m_bDragging = 1;
  delete m_pBandTracker;
  m_pBandTracker = new CObjectTracker(this);
  m_pBandTracker->SetTrackRect(RECT{x, y, x, y}, 0, 0);
  m_pBandTracker->m_nStyle = CRectTracker::solidLine;
  m_rcBand = CRect(x, y, x, y);
  m_nBandState = 0;
}

void CLeftView::MoveDrag(int x, int y) {
  if (!m_pBandTracker) return;
  const CRect r = Normalised(m_ptBandStart.x, m_ptBandStart.y, x, y);
  m_pBandTracker->SetTrackRect(r, 0, 0);
  std::unique_ptr<CDC> dc = GetDC();
  if (m_nBandState != 0) dc->DrawFocusRect(&m_rcBand);
  m_rcBand = r;
  dc->DrawFocusRect(&m_rcBand);
  ++m_nBandState;
}

void CLeftView::EndDrag() {
  Trace("---------CLeftView::EndDrag\n");
  if (m_pBandTracker) {
    delete m_pBandTracker;
    m_pBandTracker = nullptr;
    if (m_nBandState > 0) {
      std::unique_ptr<CDC> dc = GetDC();
      dc->DrawFocusRect(&m_rcBand);
    }
  }
  m_nBandState = 0;
  m_bDragging = 0;
}

void CLeftView::EndDragsForRepaint() {
  // A drag's feedback rectangle goes while the surface still shows it; the commit would move
  // the selection by pixels of a page that is no longer shown.
  if (m_pTracker && TrackingTracker() == m_pTracker) m_pTracker->TrackCancel();
  if (!m_bDragging) return;
  m_nBandState = 0;
  EndDrag();
}

// ---- Context menu and cursors ---------------------------------------------------------------------

void CLeftView::OnContextMenu(CPoint point) {
  Trace("---------CLeftView::OnContextMenu\n");
  if (!m_pDoc) return;
  CDC dc;
  MakeWindowDC(dc);
  CDoublePoint mm;
  m_pRenderer->DeviceToMm(&mm, &dc, point.x, point.y);
  m_pDoc->m_ptContext = mm;
  if (!m_pFrame) return;
  const MenuTemplate& menu = res::Menu(IDR_CONTEXT_MENU);
  const size_t sub = m_pDoc->m_nCurrentKind == TYPE_BMP ? 1 : 0;
  if (sub >= menu.items.size()) return;
  if (isVisible()) activateWindow();
  const QPoint screen = viewport()->mapToGlobal(QPoint(point.x, point.y));
  ICanvasFrame* frame = m_pFrame;
  const UINT chosen =
      Prompter().PopupMenu(menu.items[sub], screen, [frame](UINT id) { return frame->IsCommandEnabled(id) != FALSE; });
  if (chosen != 0 && frame->IsCommandEnabled(chosen)) frame->OnCommand(chosen);
}

void CLeftView::SetTrackerCursor(CPoint point) {
  if (!m_pTracker) return;
  switch (m_pTracker->HitTest(point)) {
    case 0:
    case 2: viewport()->setCursor(m_hCursors[kSizeNwse]); break;
    case 1:
    case 3: viewport()->setCursor(m_hCursors[kSizeNesw]); break;
    case 4:
    case 6: viewport()->setCursor(m_hCursors[kSizeNs]); break;
    case 5:
    case 7: viewport()->setCursor(m_hCursors[kSizeWe]); break;
    case 8: viewport()->setCursor(m_hCursors[kSizeAll]); break;
    default: viewport()->setCursor(Qt::ArrowCursor); break;
  }
}

// ---- Committing a tracker drag --------------------------------------------------------------------

LRESULT CLeftView::OnTrackerAdjustRect(WPARAM, LPARAM lParam) {
  Trace("---------CLeftView::OnTrackerAdjustRect\n");
  // Every position of a drag reports here; only the one after the release commits.
  if (!m_pTracker || !m_pTracker->IsFinalAdjust() || !m_pDoc) return 0;
  const auto* proposed = reinterpret_cast<const RECT*>(lParam);
  if (!proposed) return 0;
  m_pTracker->InvalidateTracker(this);
  CRect oldRect(m_pTracker->GetTrackRect()), newRect(*proposed);
  const int sx = GetScrollPos(SB_HORZ), sy = GetScrollPos(SB_VERT);
  const int index = m_pTracker->m_nObjectIndex;
  CDC dc;
  MakeWindowDC(dc);
  // Nothing committed: the tracker goes back onto the selection.
  auto stay = [&] { m_pTracker->m_rect = m_pTracker->GetTrackRect(); };
  if (index == -1) {
    double scale[2] = {1.0, 1.0}, shift[2] = {0.0, 0.0};
    const int code = GetRectChange(oldRect, newRect, scale, shift);
    if (code == 14) {
      stay();
      return 0;
    }
    oldRect.NormalizeRect();
    newRect.NormalizeRect();
    // A selection without width or height cannot be scaled along that axis.
    if ((oldRect.Width() == 0 && newRect.Width() != 0) || (oldRect.Height() == 0 && newRect.Height() != 0)) {
      stay();
      return 0;
    }
    m_pTracker->SetTrackRect(Plus(newRect, sx, sy), sx, sy);
    CDoublePoint newTl, newBr, oldTl, oldBr;
    m_pRenderer->DeviceToMm(&newTl, &dc, newRect.left, newRect.top);
    m_pRenderer->DeviceToMm(&newBr, &dc, newRect.right, newRect.bottom);
    m_pRenderer->DeviceToMm(&oldTl, &dc, oldRect.left, oldRect.top);
    m_pRenderer->DeviceToMm(&oldBr, &dc, oldRect.right, oldRect.bottom);
    CDoubleSize move;
    m_pRenderer->DeviceSizeToMm(&move, &dc, DoubleToInt(sx + shift[0]), DoubleToInt(sy + shift[1]));
    InvalidateMovedSelection(oldRect, LandingRect(code, oldRect, newRect));
    m_pTracker->InvalidateHandles(this, TRUE);
    m_bCommitMovedOnly = code == 0 ? 1 : 0;
    m_pDoc->TransformSelection(code, scale[0], scale[1], move.cx, move.cy, oldTl, oldBr, newTl, newBr);
    return 0;
  }
  int out[4] = {0, 0, 0, 0};
  const int code = GetRectChange(oldRect, newRect, out);
  if (code == 14) {
    stay();
    return 0;
  }
  newRect.NormalizeRect();
  m_pTracker->SetTrackRect(Plus(newRect, sx, sy), sx, sy);
  CDoubleSize move, size;
  m_pRenderer->DeviceSizeToMm(&move, &dc, out[2] + sx, out[3] + sy);
  m_pRenderer->DeviceSizeToMm(&size, &dc, out[0] + sx, out[1] + sy);
  InvalidateObject(index);
  m_pTracker->InvalidateHandles(this, TRUE);
  m_pDoc->MoveResizeObject(code, index, move.cx, move.cy, size.cx, size.cy);
  return 0;
}

void CLeftView::InvalidateMovedSelection(const CRect& oldRect, const CRect& newRect) {
  if (!m_pDoc || !m_pTracker) return;
  // Each selected object is measured once, where it is shown now; where it will be drawn is that
  // place carried by the drag (moved, or scaled with the selection), so that the document's
  // notification need not measure them all again.
  const int grow = m_pTracker->m_nHandleSize;
  std::vector<int> selected(static_cast<size_t>(std::max(0, m_pDoc->GetSelectedCount())));
  const int n = m_pDoc->GetSelectedIndices(selected.data(), static_cast<int>(selected.size()));
  for (int k = 0; k < n; ++k) {
    CRect r;
    if (!ObjectDeviceRect(selected[static_cast<size_t>(k)], &r)) continue;
    r.NormalizeRect();
    CRect now(r);
    now.InflateRect(grow, grow);
    CScrollView::InvalidateRect(&now, TRUE);
    CRect next(DoubleToInt(std::floor(MapEdge(r.left, oldRect.left, oldRect.right, newRect.left, newRect.right))),
               DoubleToInt(std::floor(MapEdge(r.top, oldRect.top, oldRect.bottom, newRect.top, newRect.bottom))),
               DoubleToInt(std::ceil(MapEdge(r.right, oldRect.left, oldRect.right, newRect.left, newRect.right))),
               DoubleToInt(std::ceil(MapEdge(r.bottom, oldRect.top, oldRect.bottom, newRect.top, newRect.bottom))));
    next.NormalizeRect();
    next.InflateRect(grow, grow);
    CScrollView::InvalidateRect(&next, TRUE);
  }
  m_bSkipTrackerDraw = 1;
}
