// The canvas on screen and on paper: painting, the document's update hints, scroll sizes and
// scrolling, printing, the selection tracker's management, paint mode and small services.
#include <algorithm>
#include <cmath>

#include "canvas/cull_bounds.h"
#include "canvas/guide_line_text.h"
#include "canvas/leftview.h"
#include "canvas/object_tracker.h"
#include "imaging/paint_editor.h"
#include "model/bmpobject.h"
#include "model/drawingobject.h"
#include "model/drawobject.h"
#include "model/korvane_doc.h"
#include "model/objectlist.h"
#include "model/textobject.h"
#include "model/textutil.h"

namespace {

constexpr UINT ID_FILE_PRINT = 57607;
constexpr UINT ID_FILE_PRINT_DIRECT = 57608;
constexpr UINT ID_FILE_PRINT_PREVIEW = 57609;
constexpr UINT ID_CHOOSEFONT = 32853;
constexpr UINT ID_OUTLINE = 32854;
constexpr UINT ID_SHOWGUIDES = 32855;
constexpr UINT ID_QUICKTEST = 32856;
constexpr UINT ID_ARCTEST = 32857;
constexpr int kTrackerHandleSize = 8;
constexpr COLORREF kGridColour = 0xC0C0C0;
constexpr COLORREF kAreaColour = 0x0000FF;

RECT TruncRect(const CDoubleRect& r) {
  return RECT{DoubleToInt(r.left), DoubleToInt(r.top), DoubleToInt(r.right), DoubleToInt(r.bottom)};
}

// A tracker's device rectangle kept far inside the int range, so that scrolling, handles and
// sizes never overflow; no window comes near the bound.
constexpr int kTrackerReach = 1 << 28;
RECT TrackerReach(const RECT& r) {
  auto c = [](int v) { return std::clamp(v, -kTrackerReach, kTrackerReach); };
  return RECT{c(r.left), c(r.top), c(r.right), c(r.bottom)};
}

const CDrawingAreaObject* AreaOf(CKorvaneDoc* doc) {
  if (!doc || !doc->GetObjectList()) return nullptr;
  const CDrawObject* head = doc->GetObjectList()->GetObject(0);
  if (!head || head->m_nType != TYPE_DRAWING) return nullptr;
  return static_cast<const CDrawingObject*>(head)->m_pArea.get();
}

}  // namespace

// ---- Printer ----------------------------------------------------------------------------------

QPrinter& CLeftView::Printer() {
  if (!m_pPrinter) m_pPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
  return *m_pPrinter;
}

void CLeftView::BindForScreen() {
  CDC dc;
  MakeWindowDC(dc);
  BindForClient(&dc);
}

// ---- Painting dispatch --------------------------------------------------------------------------

void CLeftView::OnDraw(CDC* pDC) {
  Trace("---------CLeftView::OnDraw\n");
  if (!m_pDoc) return;
  if (m_pDoc->m_bPaintMode) {
    if (m_pPaintEditor) m_pPaintEditor->Draw(pDC);
    return;
  }
  if (m_nBandState == 1) return;
  if (m_bPrinting) {
    OnDrawPaint(pDC);
  } else {
    OnDrawDraw(pDC);
  }
}

BOOL CLeftView::OnEraseBkgnd(CDC* pDC) {
  Trace("---------CLeftView::OnEraseBkgnd\n");
  // A rubber-band focus rectangle on the screen must not be wiped out.
  if (m_nBandState == 1) return TRUE;
  return CScrollView::OnEraseBkgnd(pDC);
}

void CLeftView::AreaOutline(CDC* pDC) {
  const CDrawingAreaObject* area = AreaOf(m_pDoc);
  if (area && area->m_dFrameWidth > 0) {
    DrawAreaFrame(pDC);
    return;
  }
  CDoubleRect a;
  GetScanningArea(&a);
  const RECT r = TruncRect(a);
  const int midX = (r.left + r.right) / 2, midY = (r.top + r.bottom) / 2;
  CPen pen(PS_SOLID, 1, kAreaColour);
  CPen* oldPen = pDC->SelectObject(&pen);
  switch (m_pDoc->m_Settings.DrawingArea.OutlineIndex) {
    case 0: m_pRenderer->DrawLineSimple(pDC, a.left, a.top, a.right, a.bottom, kAreaColour); break;
    case 1: pDC->Arc(r.left, r.top, r.right, r.bottom, r.right, midY, r.right, midY); break;
    case 2: {
      const POINT pts[5] = {{r.left, midY}, {midX, r.bottom}, {r.right, midY}, {midX, r.top}, {r.left, midY}};
      pDC->Polyline(pts, 5);
      break;
    }
    case 3: {
      const POINT pts[4] = {{midX, r.top}, {r.left, r.bottom}, {r.right, r.bottom}, {midX, r.top}};
      pDC->Polyline(pts, 4);
      break;
    }
    case 4: {
      const POINT pts[4] = {{r.left, r.top}, {midX, r.bottom}, {r.right, r.top}, {r.left, r.top}};
      pDC->Polyline(pts, 4);
      break;
    }
    case 5: {
      int corner[2] = {0, 0};
      m_pRenderer->LengthToLogicalSize(area ? area->m_dCornerRadius : 0.0, corner);
      CGdiObject* oldBrush = pDC->SelectStockObject(HOLLOW_BRUSH);
      pDC->RoundRect(r.left, r.top, r.right, r.bottom, corner[0] * 2, corner[1] * 2);
      if (oldBrush) pDC->SelectObject(static_cast<CBrush*>(oldBrush));
      break;
    }
    default: break;
  }
  pDC->SelectObject(oldPen);
}

void CLeftView::FillMask(CDC* pDC) {
  CRgn page, shape;
  page.CreateRectRgn(m_rcPageMask.left, m_rcPageMask.top, m_rcPageMask.right, m_rcPageMask.bottom);
  MakeAreaShapeRgn(shape, m_rcAreaMask, m_pDoc->m_Settings.DrawingArea.OutlineIndex);
  page.CombineRgn(&page, &shape, RGN_DIFF);
  CBrush brush(static_cast<COLORREF>(m_pDoc->m_Settings.Mask.Color));
  pDC->FillRgn(&page, &brush);
}

namespace {
// The grid's lines stand where stepping by `g` from the first one and truncating each step puts
// them. From an integer v that step adds floor(g) once v + g >= 0 and ceil(g) below: this jumps
// straight to the last such line before `lo`, landing on exactly the line the steps would reach.
double GridLineBefore(double v, double g, double lo) {
  const double up = std::ceil(g), down = std::floor(g);
  if (down < 1) return v;
  if (v < -g && v < lo) {
    const double negativeSteps = std::ceil((-g - v) / up);
    v += std::max(0.0, std::min(negativeSteps, std::floor((lo - v) / up) - 1)) * up;
  }
  if (v >= -g && v < lo) v += std::max(0.0, std::floor((lo - v) / down) - 1) * down;
  return v;
}
}  // namespace

namespace {
// The kinds whose screen drawing changes nothing of the object but its common part.
bool DrawsInPlace(int kind) {
  switch (kind) {
    case TYPE_LINE:
    case TYPE_RECTANGLE:
    case TYPE_CIRCLE:
    case TYPE_TRIANGLE:
    case TYPE_RHOMBIC:
    case TYPE_POLYGON: return true;
    default: return false;
  }
}
constexpr int kPrefetchAhead = 16;
// Brings the lines of an entry that the paint's pass reads towards the cache.
void PrefetchEntry(const CDrawObject* entry) {
  if (!entry) return;
  const char* p = reinterpret_cast<const char*>(entry);
  for (size_t at = 0; at < sizeof(CText1Object); at += 64) __builtin_prefetch(p + at);
}
}  // namespace

void CLeftView::OnDrawDraw(CDC* pDC) {
  Trace("---------CLeftView::OnDrawDraw\n");
  if (!m_pDoc || !m_pDoc->GetObjectList()) return;
  m_pRenderer->GetExtent(m_nPaintedExtent);
  m_bPaintedExtentKnown = 1;
  // Step 1: screen mode and the mask state.
  m_pRenderer->SetMode(RENDER_SCREEN);
  m_nMaskKind = m_pDoc->m_bInnerMaskFlag ? 2 : (m_pDoc->m_bMaskFlag ? 1 : 0);
  m_bMaskUnder = m_pDoc->m_Settings.Mask.Order != 0;
  // Step 2: the page square.
  CDoubleRect square;
  m_pRenderer->GetCenteredSquare(m_pDoc->m_Settings.DrawingData.Area, &square);
  {
    CPen pen(PS_SOLID, 1, 0x000000);
    CPen* old = pDC->SelectObject(&pen);
    m_pRenderer->DrawLineSimple(pDC, square.left, square.top, square.right, square.bottom, 0x000000);
    pDC->SelectObject(old);
  }
  // Step 3: the grid. A step under two device pixels would draw a solid grey page (and a step
  // under one logical unit would never advance), so such a grid is left out.
  const double gridSize = m_pDoc->m_Settings.DrawingData.GridSize;
  if (m_pDoc->m_Settings.System.GridShow && gridSize > 0) {
    double g[2] = {0, 0};
    m_pRenderer->LengthToLogical(gridSize, g);
    // A step a hair from a whole number of units (1.16 mm gives 115.99999999999999) is that
    // number. Otherwise each sum below rounds up to whole units on most of the page but not
    // near zero, and the jump to the clip's first line could not land where the steps do.
    for (double& step : g) {
      const double whole = std::round(step);
      if (std::fabs(step - whole) < 1e-6) step = whole;
    }
    const double pxX = std::fabs(pDC->DeviceScaleX()) * g[0], pxY = std::fabs(pDC->DeviceScaleY()) * g[1];
    if (pxX >= 2.0 && pxY >= 2.0) {
      CPen pen(PS_SOLID, 1, kGridColour);
      CPen* old = pDC->SelectObject(&pen);
      // Only the lines within the clip are drawn: a page of a huge area would otherwise step
      // through billions of lines (or, saturated at the int range, never end).
      RECT clip{};
      pDC->GetClipBox(&clip);
      const double clipLeft = std::min(clip.left, clip.right), clipRight = std::max(clip.left, clip.right);
      const double clipLow = std::min(clip.top, clip.bottom), clipHigh = std::max(clip.top, clip.bottom);
      const double xEnd = std::min(square.right, clipRight + g[0]);
      for (double x = GridLineBefore(DoubleToInt(square.left + g[0]), g[0], clipLeft); x < xEnd;) {
        pDC->MoveTo(DoubleToInt(x), DoubleToInt(square.top));
        pDC->LineTo(DoubleToInt(x), DoubleToInt(square.bottom));
        const double next = DoubleToInt(x + g[0]);
        if (next <= x) break;
        x = next;
      }
      // The rows run downwards: stepped as their negatives, they advance like the columns.
      const double yEnd = std::max(square.bottom, clipLow - g[1]);
      for (double y = -GridLineBefore(-DoubleToInt(square.top - g[1]), g[1], -clipHigh); y > yEnd;) {
        pDC->MoveTo(DoubleToInt(square.left), DoubleToInt(y));
        pDC->LineTo(DoubleToInt(square.right), DoubleToInt(y));
        const double next = DoubleToInt(y - g[1]);
        if (next >= y) break;
        y = next;
      }
      pDC->SelectObject(old);
    }
  }
  // Step 4: the scanning area.
  CDoubleRect area;
  GetScanningArea(&area);
  // Step 5: the mask's rectangles.
  if (m_nMaskKind > 0) {
    int extent[2] = {0, 0};
    m_pRenderer->GetExtent(extent);
    m_rcPageMask = RECT{0, 0, extent[0], -extent[1]};
    CDoubleRect circle;
    if (m_nMaskKind == 2 && GetUchiwakuArea(&circle)) {
      m_rcAreaMask = TruncRect(circle);
      m_bMaskUnder = 1;
    } else {
      m_rcAreaMask = TruncRect(area);
    }
    if (m_bMaskUnder) FillMask(pDC);
  }
  // Step 6: the area outline or its frame band.
  AreaOutline(pDC);
  // Step 7: the objects, one copy at a time; only the copies within the clip are drawn.
  const int count = m_pDoc->GetObjectList()->GetCount();
  struct ClipScope {
    CDC*& slot;
    ~ClipScope() { slot = nullptr; }
  } clipScope{m_pPaintClipDC};
  m_pPaintClipDC = pDC;
  RECT clip{};
  if (pDC->GetBackend()) clip = pDC->GetBackend()->ClipBox();
  const MmToClient map = ClientMapping(pDC);
  CObjectList* list = m_pDoc->GetObjectList();
  m_pCull->Begin(m_pRenderer->GetMeasureState(), count);
  for (int i = 1; i < count; ++i) {
    // The entries lie apart in memory and nearly all are only read: asking for one some way
    // ahead lets its reading overlap the tests of those before it.
    if (i + kPrefetchAhead < count) PrefetchEntry(list->GetObject(i + kPrefetchAhead));
    // An entry whose bound misses the clip costs a rectangle test, not a copy and a layout.
    CDrawObject* entry = list->GetObject(i);
    if (entry && entry->m_bDeleted) {
      // Deleted entries stay in the list for a cut's paste; their kept bounds need not.
      m_pCull->Forget(i);
      continue;
    }
    if (entry && !IsLayerVisible(entry->m_nLayer)) continue;
    const bool tracked = m_pTracker && m_pTracker->m_nObjectIndex == i;
    if (entry && !tracked && pDC->GetBackend() && SkipUnseen(i, *entry, map, clip)) continue;
    if (entry && DrawsInPlace(entry->m_nType)) {
      // A shape's drawing writes only the common part a copy would hand back: its bounds, corner
      // styles and figures. Drawn in place, it saves making and freeing a copy.
      ++m_nObjectsVisited;
      DrawObject(pDC, entry, TRUE);
      if (tracked) {
        RECT d;
        m_pRenderer->LogicalRectToDevice(pDC, entry->m_rcBounds, &d);
        DrawTrackerAt(pDC, d);
      }
      continue;
    }
    CDrawObject* copy = m_pDoc->CloneObject(i);
    if (!copy) return;
    if (copy->m_bDeleted || !IsLayerVisible(copy->m_nLayer)) {
      CKorvaneDoc::FreeObject(copy);
      continue;
    }
    ++m_nObjectsVisited;
    DrawObject(pDC, copy, TRUE);
    if (m_pTracker && m_pTracker->m_nObjectIndex == i) {
      RECT d;
      m_pRenderer->LogicalRectToDevice(pDC, copy->m_rcBounds, &d);
      DrawTrackerAt(pDC, d);
    }
    m_pDoc->SetObjectCommon(i, copy);
    CKorvaneDoc::FreeObject(copy);
  }
  m_pPaintClipDC = nullptr;
  // Step 8: the mask over the objects.
  if (m_nMaskKind > 0 && !m_bMaskUnder) FillMask(pDC);
  // Step 9: the rubber band.
  if (m_bDragging && m_pBandTracker) m_pBandTracker->Draw(pDC);
  // Step 10: the multi-selection frame around the flagged entries' stored bounds.
  if (m_pTracker && m_pTracker->m_nObjectIndex == -1 && m_pConnotation) {
    bool any = false;
    CDoubleRect u;
    for (int i = 1; i < count && i - 1 < m_nConnotationSize; ++i) {
      if (!m_pConnotation[i - 1]) continue;
      const CDrawObject* entry = m_pDoc->GetObjectList()->GetObject(i);
      if (!entry) continue;
      const CDoubleRect& b = entry->m_rcBounds;
      if (!any) {
        u = b;
        any = true;
      } else {
        u.left = std::min(u.left, static_cast<double>(DoubleToInt(b.left)));
        u.top = std::max(u.top, static_cast<double>(DoubleToInt(b.top)));
        u.right = std::max(u.right, static_cast<double>(DoubleToInt(b.right)));
        u.bottom = std::min(u.bottom, static_cast<double>(DoubleToInt(b.bottom)));
      }
    }
    if (any) {
      RECT d;
      m_pRenderer->LogicalRectToDevice(pDC, u, &d);
      DrawTrackerAt(pDC, d);
    }
  }
}

void CLeftView::DrawTrackerAt(CDC* pDC, RECT d) {
  d = TrackerReach(d);
  const CRect before(m_pTracker->GetTrackRect());
  m_pTracker->SetTrackRect(d.left, d.top, d.right, d.bottom, GetScrollPos(SB_HORZ), GetScrollPos(SB_VERT));
  const CRect now(m_pTracker->GetTrackRect());
  if (before != now) {
    // The frame follows bounds that this draw measured: a commit or a page value may have left
    // them a pixel or more from where the frame was, outside what this paint covers. Its new
    // outline (and the old one, if a paint drew it) is painted again, once, on the next pass,
    // unless this paint already erases and draws all of it (a new object's whole frame).
    auto repaint = [&](const CRect& r) {
      CRect reach(r);
      reach.NormalizeRect();
      reach.InflateRect(m_pTracker->m_nHandleSize, m_pTracker->m_nHandleSize);
      if (!PaintCovers(reach)) m_pTracker->InvalidateOutline(this, r);
    };
    if (m_pTracker->m_bPainted) repaint(before);
    repaint(now);
  }
  m_pTracker->Draw(pDC);
  m_pTracker->m_bPainted = 1;
}

void CLeftView::OnDrawPaint(CDC* pDC) {
  Trace("---------CLeftView::OnDrawPaint\n");
  if (!m_pDoc || !m_pDoc->GetObjectList()) return;
  const int oldZoom = m_pDoc->SetZoomQuiet(ZOOM_STEP_DEFAULT);
  BindForScreen();
  if (!m_rcPrint.IsRectNull()) m_pRenderer->SetCenter(m_rcPrint);
  const int oldMode = m_pRenderer->SetMode(RENDER_SCREEN);
  const int count = m_pDoc->GetObjectList()->GetCount();
  bool failed = false;
  for (int i = 1; i < count; ++i) {
    CDrawObject* copy = m_pDoc->CloneObject(i);
    if (!copy) {
      failed = true;
      break;
    }
    if (copy->m_bDeleted || !IsLayerVisible(copy->m_nLayer)) {
      CKorvaneDoc::FreeObject(copy);
      continue;
    }
    DrawObject(pDC, copy, FALSE);
    m_pDoc->SetObjectCommon(i, copy);
    CKorvaneDoc::FreeObject(copy);
  }
  if (!failed) AreaOutline(pDC);
  m_pRenderer->SetMode(oldMode);
  m_pDoc->SetZoomQuiet(oldZoom);
  BindForScreen();
}

// ---- Printing -----------------------------------------------------------------------------------

BOOL CLeftView::OnPreparePrinting(CPrintInfo* pInfo) {
  Trace("---------CLeftView::OnPreparePrinting\n");
  return DoPreparePrinting(pInfo);
}

void CLeftView::OnBeginPrinting(CDC*, CPrintInfo*) { Trace("---------CLeftView::OnBeginPrinting\n"); }

void CLeftView::OnEndPrinting(CDC*, CPrintInfo*) {
  Trace("---------CLeftView::OnEndPrinting\n");
  // The print paint wrote print-unit bounds into the entries; the next screen paint puts the
  // screen's back, which hit tests read.
  Invalidate(TRUE);
}

void CLeftView::OnPrint(CDC* pDC, CPrintInfo* pInfo) {
  Trace("---------CLeftView::OnPrint\n");
  m_rcPrint = pInfo ? pInfo->m_rectDraw : CRect();
  m_bPrinting = 1;
  OnDraw(pDC);
  m_bPrinting = 0;
}

void CLeftView::OnFilePrintCommand() {
  Trace("---------CLeftView::OnFilePrint\n");
  CScrollView::OnFilePrint();
}

void CLeftView::OnFilePrintPreviewCommand() {
  Trace("---------CLeftView::OnFilePrintPreview\n");
  CScrollView::OnFilePrintPreview();
}

void CLeftView::FilePrint() {
  Trace("---------CLeftView::FilePrint\n");
  OnFilePrintCommand();
}

void CLeftView::FilePrintPreview() {
  Trace("---------CLeftView::FilePrintPreview\n");
  OnFilePrintPreviewCommand();
}

BOOL CLeftView::OnCommand(UINT id) {
  switch (id) {
    case ID_FILE_PRINT: OnFilePrintCommand(); return TRUE;
    case ID_FILE_PRINT_PREVIEW: OnFilePrintPreviewCommand(); return TRUE;
    case ID_FILE_PRINT_DIRECT: CScrollView::OnFilePrintDirect(); return TRUE;
    case ID_CHOOSEFONT: OnChoosefont(); return TRUE;
    case ID_OUTLINE: OnOutline(); return TRUE;
    case ID_SHOWGUIDES: OnShowguides(); return TRUE;
    case ID_QUICKTEST: OnQuicktest(); return TRUE;
    case ID_ARCTEST: OnArctest(); return TRUE;
    default: return FALSE;
  }
}

// ---- Guide-line text commands ---------------------------------------------------------------------

void CLeftView::OnChoosefont() {
  Trace("---------CLeftView::OnChoosefont\n");
  if (m_pGuideLineText && m_pGuideLineText->ChooseFont()) Invalidate(FALSE);
}

void CLeftView::OnOutline() {
  Trace("---------CLeftView::OnOutline\n");
  if (m_pGuideLineText && m_pGuideLineText->ToggleOutline()) Invalidate(FALSE);
}

void CLeftView::OnShowguides() {
  Trace("---------CLeftView::OnShowguides\n");
  if (m_pGuideLineText && m_pGuideLineText->ToggleGuides()) Invalidate(FALSE);
}

void CLeftView::OnQuicktest() {
  Trace("---------CLeftView::OnQuicktest\n");
  if (m_pGuideLineText) m_pGuideLineText->QuickTest();
  Invalidate(FALSE);
}

void CLeftView::OnArctest() {
  Trace("---------CLeftView::OnArctest\n");
  std::unique_ptr<CDC> dc = GetDC();
  if (m_pGuideLineText && m_pGuideLineText->ArcTest(dc.get())) Invalidate(FALSE);
}

// ---- Updates --------------------------------------------------------------------------------------

void CLeftView::OnUpdate(CView*, LPARAM hint, CObject* hintObject) {
  Trace("---------CLeftView::OnUpdate\n");
  if (!m_pDoc) return;
  // A new document's entries have nothing to do with the kept measures: let their copies go.
  if (hint == HINT_NEW_DOCUMENT) {
    m_measured.Clear();
    m_pCull->Clear();
  }
  switch (hint) {
    case HINT_REINIT_RENDERER: BindForScreen(); return;
    case HINT_ZOOM_CHANGED:
    case HINT_THREAD_ENGRAVING_STARTED: SetScrollSizesForZoom(); return;
    case HINT_OUTPUT_MODE_CHANGED:
    case HINT_LAYER_CHANGED:
    case HINT_MIRROR_CHANGED:
    case HINT_REDRAW_ALL:
    case HINT_NEW_DOCUMENT:
    // A load's work-area data (its frame, its outline) comes after the new document's paint.
    case HINT_DRAWING_DATA_LOADED:
    case HINT_ENGRAVING_ENDED: Invalidate(TRUE); return;
    default: break;
  }
  if (!hintObject) return;
  const int index = m_pDoc->m_nCurrentIndex;
  // A press outside a multi-selection drags the object under it before the selection follows:
  // its commit names that one object while the document still holds the selection.
  const bool multi = m_pDoc->m_nCurrentKind == TYPE_MULTI && index <= 0;
  switch (m_pDoc->m_nLastAction) {
    case HINT_SELECTION_CHANGED:
      ChangeTracker(static_cast<int>(hint));
      if (hint > 0) InvalidateObject(static_cast<int>(hint));
      break;
    case HINT_DROP_BAND_SELECTION:
      DeleteTracker(FALSE);
      m_pDoc->SetCurrentObject(-2, TRUE, FALSE);
      UpdateWindow();
      break;
    case HINT_OBJECTS_ADDED:
    case HINT_OBJECT_MOVED:
    case HINT_OBJECTS_MOVED:
    case HINT_PROPERTY_CHANGED:
      // A move's commit has already invalidated where the selection was and where it goes.
      if (multi && m_pTracker && m_pTracker->IsFinalAdjust() && m_bCommitMovedOnly) break;
      if (multi) {
        CRect total;
        bool any = false;
        std::vector<int> selected(static_cast<size_t>(std::max(0, m_pDoc->GetSelectedCount())));
        const int n = m_pDoc->GetSelectedIndices(selected.data(), static_cast<int>(selected.size()));
        for (int k = 0; k < n; ++k) {
          RECT r;
          if (!ObjectDeviceRect(selected[static_cast<size_t>(k)], &r)) continue;
          if (!any) {
            total = r;
            any = true;
          } else {
            total.left = std::min(total.left, r.left);
            total.top = std::min(total.top, r.top);
            total.right = std::max(total.right, r.right);
            total.bottom = std::max(total.bottom, r.bottom);
          }
        }
        if (any) {
          const int grow = m_pTracker ? m_pTracker->m_nHandleSize : 0;
          total.InflateRect(grow, grow);
          CScrollView::InvalidateRect(&total, TRUE);
        }
      } else {
        ChangeTracker(index);
        if (index == 0) {
          if (m_pDoc->TakeRedrawAllFlag()) Invalidate(TRUE);
        } else if (index > 0) {
          if (m_pDoc->m_nChangedRecord >= 0)
            InvalidateCharRecord(index, m_pDoc->m_nChangedRecord);
          else
            InvalidateObject(index);
        }
      }
      break;
    case HINT_OBJECTS_PASTED:
      if (multi) {
        ChangeTracker(-2);
      } else {
        ChangeTracker(index);
        InvalidateObject(index);
      }
      break;
    case HINT_OBJECTS_DELETED:
      DeleteTracker(FALSE);
      if (multi) {
        InvalidateSelectedObjects();
      } else {
        InvalidateObject(index);
      }
      break;
    default:
      if (!m_bDragging) Invalidate(TRUE);
      break;
  }
}

// ---- Scroll sizes and scrolling ----------------------------------------------------------------

void CLeftView::SetScrollSizesForZoom() {
  Trace("---------CLeftView::SetScrollSizesForZoom\n");
  if (!m_pDoc) return;
  // In paint mode the editor's sizes stay.
  if (m_pDoc->m_bPaintMode) {
    Invalidate(TRUE);
    return;
  }
  EndDragsForRepaint();
  CDC dc;
  MakeWindowDC(dc);
  BindForClient(&dc);
  int extent[2] = {0, 0};
  m_pRenderer->GetExtent(extent);
  auto windowLogical = [&](int& w, int& h) {
    RECT client;
    GetClientRect(&client);
    POINT pts[2] = {{client.left, client.top}, {client.right, client.bottom}};
    dc.DPtoLP(pts, 2);
    w = pts[1].x - pts[0].x;
    h = -(pts[1].y - pts[0].y);
  };
  int w = 0, h = 0;
  windowLogical(w, h);
  const bool fits[2] = {w >= extent[0], h >= extent[1]};
  SetScrollSizes(MM_HIMETRIC, SIZE{extent[0], extent[1]});
  windowLogical(w, h);
  m_pRenderer->GrowExtent(w, h);
  for (int bar = 0; bar < 2; ++bar) {
    if (fits[bar]) {
      SetScrollPos(bar, 0, TRUE);
      m_pRenderer->SetScrollOffset(bar, 0);
    } else {
      SetScrollPos(bar, GetScrollLimit(bar) / 2, TRUE);
      m_pRenderer->SetScrollOffset(bar, GetScrollPos(bar));
    }
  }
  Invalidate(TRUE);
}

void CLeftView::OnHScroll(UINT code, UINT pos, void* scrollBar) {
  Trace("---------CLeftView::OnHScroll\n");
  CScrollView::OnHScroll(code, pos, scrollBar);
  if (m_pDoc && m_pDoc->m_bPaintMode) {
    if (m_pPaintEditor) m_pPaintEditor->OnHScroll(GetScrollPos(SB_HORZ));
    return;
  }
  // The renderer follows the bar before a drag is ended: the drag's end can paint at once, and
  // a paint whose device context is at the new position while the renderer is at the old would
  // keep text measures under the wrong state (and cull those texts by them later).
  m_pRenderer->SetScrollOffset(0, GetScrollPos(SB_HORZ));
  EndDragsForRepaint();
  ResizeTracker(FALSE);
}

void CLeftView::OnVScroll(UINT code, UINT pos, void* scrollBar) {
  Trace("---------CLeftView::OnVScroll\n");
  CScrollView::OnVScroll(code, pos, scrollBar);
  if (m_pDoc && m_pDoc->m_bPaintMode) {
    if (m_pPaintEditor) m_pPaintEditor->OnVScroll(GetScrollPos(SB_VERT));
    return;
  }
  // The renderer follows the bar before a drag is ended: the drag's end can paint at once, and
  // a paint whose device context is at the new position while the renderer is at the old would
  // keep text measures under the wrong state (and cull those texts by them later).
  m_pRenderer->SetScrollOffset(1, GetScrollPos(SB_VERT));
  EndDragsForRepaint();
  ResizeTracker(FALSE);
}

void CLeftView::OnSize(UINT type, int cx, int cy) {
  Trace("---------CLeftView::OnSize\n");
  CScrollView::OnSize(type, cx, cy);
  if (m_pDoc && m_pDoc->m_bPaintMode) {
    if (m_pPaintEditor) m_pPaintEditor->OnSize(GetScrollPos(SB_HORZ), GetScrollPos(SB_VERT));
    return;
  }
  m_pRenderer->SetScrollOffset(0, GetScrollPos(SB_HORZ));
  m_pRenderer->SetScrollOffset(1, GetScrollPos(SB_VERT));
}

void CLeftView::OnInitialUpdate() {
  Trace("---------CLeftView::OnInitialUpdate\n");
  CScrollView::OnInitialUpdate();
  BindForScreen();
  if (m_pDoc) {
    const int old = m_pDoc->ResetZoomQuiet();
    m_pDoc->SetZoom(old);
  }
  m_bDragging = 0;
}

void CLeftView::OnActivateView(BOOL activate, CView* activateView, CView* deactiveView) {
  Trace("---------CLeftView::OnActivateView\n");
  if (m_pDoc && m_pDoc->m_bPaintMode && m_pPaintEditor) m_pPaintEditor->m_rcBrush.SetRectEmpty();
  CScrollView::OnActivateView(activate, activateView, deactiveView);
}

void CLeftView::OnDestroy() {
  Trace("---------CLeftView::OnDestroy\n");
  CScrollView::OnDestroy();
  delete m_pPaintEditor;
  m_pPaintEditor = nullptr;
}

// ---- Tracker management ------------------------------------------------------------------------

LRESULT CLeftView::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TRACKER_ADJUSTRECT: return OnTrackerAdjustRect(wParam, lParam);
    case WM_TRACKER_CHANGEDRECT: return OnTrackerChangedRect(wParam, lParam);
    case WM_TRACKER_DRAWRECT: return OnTrackerDrawRect(wParam, lParam);
    default: return CScrollView::SendMessage(message, wParam, lParam);
  }
}

LRESULT CLeftView::OnTrackerChangedRect(WPARAM, LPARAM) {
  Trace("---------CLeftView::OnTrackerChangedRect\n");
  return 0;
}

LRESULT CLeftView::OnTrackerDrawRect(WPARAM wParam, LPARAM lParam) {
  Trace("---------CLeftView::OnTrackerDrawRect\n");
  auto* dc = reinterpret_cast<CDC*>(wParam);
  const auto* rect = reinterpret_cast<const RECT*>(lParam);
  if (m_bSkipTrackerDraw) {
    m_bSkipTrackerDraw = 0;
    return 0;
  }
  if (!rect || !m_pTracker) return 0;
  CRect r(*rect);
  if (m_pDoc && m_pDoc->GetKeepAspect(m_pTracker->m_nObjectIndex)) {
    const CRect o(m_pTracker->GetTrackRect());
    const double ow = o.Width(), oh = o.Height();
    const bool single = m_pTracker->m_nObjectIndex != -1;
    int out[4] = {0, 0, 0, 0};
    const int code = GetRectChange(o, r, out);
    // A tracked rectangle without width or height has no aspect to keep.
    if (ow == 0 || oh == 0) {
      m_pTracker->SetOverrideRect(nullptr);
    } else {
      if ((code == 1 || code == 3) && single) {
        const double nh = r.bottom - r.top, nw = ow * nh / oh, d = (ow - nw) / 2;
        r.left = DoubleToInt(r.left + d);
        r.right = DoubleToInt(r.right - d);
      } else if ((code == 2 || code == 4) && single) {
        const double nh = (r.right - r.left) * oh / ow, d = (oh - nh) / 2;
        r.top = DoubleToInt(r.top + d);
        r.bottom = DoubleToInt(r.bottom - d);
      } else if (code == 5 || code == 6) {
        r.left = DoubleToInt(r.right - ow * (r.bottom - r.top) / oh);
      } else if (code == 7 || code == 8) {
        r.right = DoubleToInt(r.left + ow * (r.bottom - r.top) / oh);
      }
      m_pTracker->SetOverrideRect(&r);
    }
  } else {
    m_pTracker->SetOverrideRect(nullptr);
  }
  if (dc) dc->DrawFocusRect(&r);
  return 0;
}

void CLeftView::InitTracker(int index, RECT rect, BOOL redraw) {
  Trace("---------CLeftView::InitTracker\n");
  DeleteTracker(FALSE);
  m_pTracker = new CObjectTracker(this);
  m_pTracker->SetTrackRect(rect, GetScrollPos(SB_HORZ), GetScrollPos(SB_VERT));
  m_pTracker->m_nStyle |= CRectTracker::dottedLine | CRectTracker::resizeOutside;
  m_pTracker->m_nHandleSize = kTrackerHandleSize;
  m_pTracker->m_nObjectIndex = index;
  m_pTracker->InvalidateHandles(this, FALSE);
  if (redraw) UpdateWindow();
}

void CLeftView::ResizeTracker(BOOL redraw) {
  Trace("---------CLeftView::ResizeTracker\n");
  if (m_pTracker) {
    m_pTracker->InvalidateHandles(this, FALSE);
    m_pTracker->ScrollTo(GetScrollPos(SB_HORZ), GetScrollPos(SB_VERT));
    m_pTracker->InvalidateHandles(this, FALSE);
  }
  if (redraw) UpdateWindow();
}

void CLeftView::DeleteTracker(BOOL redraw) {
  Trace("---------CLeftView::DeleteTracker\n");
  if (m_pTracker) {
    m_pTracker->InvalidateHandles(this, FALSE);
    delete m_pTracker;
    m_pTracker = nullptr;
  }
  if (redraw) UpdateWindow();
}

int CLeftView::GetTrackObject() const {
  Trace("---------CLeftView::GetTrackObject\n");
  return m_pTracker ? m_pTracker->m_nObjectIndex : -2;
}

void CLeftView::ChangeTracker(int index) {
  Trace("---------CLeftView::ChangeTracker\n");
  if (!m_pDoc) return;
  if (index == 0) {
    DeleteTracker(TRUE);
    return;
  }
  if (index == -1) return;
  CDC dc;
  MakeWindowDC(dc);
  if (index > 0) {
    if (m_pTracker && m_pTracker->m_nObjectIndex == index) return;
    CDrawObject* copy = m_pDoc->CloneObject(index);
    if (!copy) return;
    RECT d;
    m_pRenderer->LogicalRectToDevice(&dc, copy->m_rcBounds, &d);
    CKorvaneDoc::FreeObject(copy);
    InitTracker(index, TrackerReach(d), FALSE);
    return;
  }
  if (index != -2 || !m_pDoc->GetObjectList()) return;
  // Objects just added: flag the last N entries and make them the multi-selection.
  const int n = MakeConnotation(m_pDoc);
  const int added = m_pDoc->m_nPasteSize;
  for (int i = std::max(1, n - added); i < n; ++i) m_pConnotation[i - 1] = 1;
  const CMultiObject* multi = m_pDoc->GetObjectList()->GetMultiObject();
  CDoubleRect logical;
  m_pRenderer->MmRectToLogical(multi->m_dSizeX, multi->m_dSizeY, multi->m_dPosX, multi->m_dPosY, &logical);
  POINT tl, br;
  m_pRenderer->LogicalToDevice(&tl, &dc, logical.left, logical.top);
  m_pRenderer->LogicalToDevice(&br, &dc, logical.right, logical.bottom);
  InitTracker(-1, TrackerReach(RECT{tl.x, tl.y, br.x, br.y}), FALSE);
  const int sx = GetScrollPos(SB_HORZ), sy = GetScrollPos(SB_VERT);
  CDoublePoint a, b;
  m_pRenderer->DeviceToMm(&a, &dc, tl.x - sx, tl.y - sy);
  m_pRenderer->DeviceToMm(&b, &dc, br.x - sx, br.y - sy);
  m_pDoc->SelectAddedObjects(m_pConnotation, n);
  m_pDoc->SetMultiBounds(b.x - a.x, a.y - b.y, (a.x + b.x) / 2, (a.y + b.y) / 2);
  // The trackers have invalidated their frames; what is new besides is the added objects.
  InvalidatePaintBounds(std::max(1, n - added), n);
}

void CLeftView::InvalidatePaintBounds(int first, int end) {
  if (!m_pDoc || !m_pDoc->GetObjectList() || m_pDoc->m_bPaintMode) {
    Invalidate(TRUE);
    return;
  }
  std::unique_ptr<CDC> dc = GetDC();
  OnPrepareDC(dc.get());
  const MmToClient map = ClientMapping(dc.get());
  const int oldMode = m_pRenderer->SetMode(RENDER_SCREEN);
  CRect total;
  bool any = false, unbounded = false;
  for (int i = first; i < end && !unbounded; ++i) {
    const CDrawObject* entry = m_pDoc->GetObjectList()->GetObject(i);
    if (!entry || entry->m_bDeleted) continue;
    RECT r;
    if (entry->m_nType < TYPE_LINE || entry->m_nType > TYPE_BARCODE || !PaintBound(i, *entry, map, r)) {
      unbounded = true;
      break;
    }
    if (r.right <= r.left || r.bottom <= r.top) continue;
    if (!any) {
      total = r;
      any = true;
    } else {
      total.UnionRect(total, r);
    }
  }
  m_pRenderer->SetMode(oldMode);
  if (unbounded) {
    Invalidate(TRUE);
  } else if (any) {
    CScrollView::InvalidateRect(&total, TRUE);
  }
}

BOOL CLeftView::ObjectDeviceRect(int index, RECT* out) {
  if (!MeasureDeviceRect(index, out)) return FALSE;
  // A measure is of the glyphs' and strokes' extents at the current zoom; their rasterised
  // pixels can land a pixel beyond it, and an invalidation that misses one leaves it behind.
  constexpr int kDrawnSlack = 2;
  *out = RECT{std::min(out->left, out->right) - kDrawnSlack, std::min(out->top, out->bottom) - kDrawnSlack,
              std::max(out->left, out->right) + kDrawnSlack, std::max(out->top, out->bottom) + kDrawnSlack};
  return TRUE;
}

BOOL CLeftView::MeasureDeviceRect(int index, RECT* out) {
  if (!m_pDoc) return FALSE;
  CDrawObject* copy = m_pDoc->CloneObject(index);
  if (!copy) return FALSE;
  m_measured.Trim(m_pDoc->GetObjectList()->GetCount());
  const CObjectRenderer::MeasureState state = m_pRenderer->GetMeasureState();
  CMeasuredRects::Kept kept;
  const CMeasuredRects::Match match = m_measured.Find(index, *copy, state, &kept);
  if (match == CMeasuredRects::Match::Same ||
      (match == CMeasuredRects::Match::Moved && ShiftKeptRect(kept, *copy))) {
    CKorvaneDoc::FreeObject(copy);
    *out = kept.rect;
    return kept.result ? TRUE : FALSE;
  }
  CDC dc;
  MakeWindowDC(dc);
  const int ok = m_pRenderer->UpdateObjectRect(&dc, copy, out);
  if (CMeasuredRects::Keeps(copy->m_nType)) {
    m_measured.Keep(index, copy, state, *out, ok);
  } else {
    CKorvaneDoc::FreeObject(copy);
  }
  return ok ? TRUE : FALSE;
}

bool CLeftView::ShiftKeptRect(CMeasuredRects::Kept& kept, const CDrawObject& object) {
  // The glyphs of a moved text land on whole logical units and device pixels again, so the
  // shifted rectangle may be off by a pixel or two at each edge: it is widened by that much.
  constexpr int kSlack = 3;
  constexpr long long kReach = 1 << 24;
  CDoubleRect from, to;
  m_pRenderer->MmRectToLogical(0, 0, kept.posX, kept.posY, &from);
  m_pRenderer->MmRectToLogical(0, 0, object.m_dPosX, object.m_dPosY, &to);
  CDC dc;
  MakeWindowDC(dc);
  POINT a, b;
  m_pRenderer->LogicalToDevice(&a, &dc, from.left, from.top);
  m_pRenderer->LogicalToDevice(&b, &dc, to.left, to.top);
  const long long dx = static_cast<long long>(b.x) - a.x, dy = static_cast<long long>(b.y) - a.y;
  const RECT& r = kept.rect;
  auto far = [&](long long v) { return v < -kReach || v > kReach; };
  // Far off (or a device mapping that saturated) measures anew instead.
  if (far(dx) || far(dy) || far(r.left) || far(r.right) || far(r.top) || far(r.bottom)) return false;
  if (r.left == r.right && r.top == r.bottom) return true;
  kept.rect = RECT{static_cast<int>(std::min(r.left, r.right) + dx - kSlack),
                   static_cast<int>(std::min(r.top, r.bottom) + dy - kSlack),
                   static_cast<int>(std::max(r.left, r.right) + dx + kSlack),
                   static_cast<int>(std::max(r.top, r.bottom) + dy + kSlack)};
  return true;
}

void CLeftView::InvalidateObject(int index) {
  Trace("---------CLeftView::InvalidateObject\n");
  CRect r;
  if (!ObjectDeviceRect(index, &r)) return;
  if (m_pTracker) r.InflateRect(m_pTracker->m_nHandleSize, m_pTracker->m_nHandleSize);
  CScrollView::InvalidateRect(&r, TRUE);
  m_bSkipTrackerDraw = 1;
}

void CLeftView::InvalidateSelectedObjects() {
  Trace("---------CLeftView::InvalidateSelectedObjects\n");
  if (!m_pDoc) return;
  std::vector<int> selected(static_cast<size_t>(std::max(0, m_pDoc->GetSelectedCount())));
  const int n = m_pDoc->GetSelectedIndices(selected.data(), static_cast<int>(selected.size()));
  for (int k = 0; k < n; ++k) InvalidateObject(selected[static_cast<size_t>(k)]);
}

void CLeftView::InvalidateSelection() {
  Trace("---------CLeftView::InvalidateSelection\n");
  if (!m_pDoc) return;
  const int kind = m_pDoc->m_nCurrentKind;
  if (kind == TYPE_DRAWING) return;
  if (kind == TYPE_MULTI) {
    InvalidateSelectedObjects();
    if (m_pTracker) {
      CRect r(m_pTracker->GetTrackRect());
      r.InflateRect(m_pTracker->m_nHandleSize, m_pTracker->m_nHandleSize);
      CScrollView::InvalidateRect(&r, TRUE);
    }
    m_bSkipTrackerDraw = 1;
    return;
  }
  InvalidateObject(m_pDoc->m_nCurrentIndex);
}

// ---- Paint mode -----------------------------------------------------------------------------------

void CLeftView::SetPaintEditor(CPaintEditor* editor) {
  delete m_pPaintEditor;
  m_pPaintEditor = editor;
  if (m_pPaintEditor) m_pPaintEditor->Attach(this);
}

BOOL CLeftView::BeginImageEditView(CKorvaneDoc* doc, CBmpObject* object) {
  Trace("---------CLeftView::BeginImageEditView\n");
  if (!doc || !object || !m_pPaintEditor) return FALSE;
  SIZE canvas{0, 0};
  if (!m_pPaintEditor->BeginEdit(doc, object, &canvas)) return FALSE;
  SetScrollSizes(MM_TEXT, canvas);
  SetScrollPos(SB_HORZ, GetScrollLimit(SB_HORZ) / 2, TRUE);
  SetScrollPos(SB_VERT, GetScrollLimit(SB_VERT) / 2, TRUE);
  m_pPaintEditor->StoreScrollPos(GetScrollPos(SB_HORZ), GetScrollPos(SB_VERT));
  return TRUE;
}

void CLeftView::EndImageEditView(CKorvaneDoc* doc) {
  Trace("---------CLeftView::EndImageEditView\n");
  if (!doc) return;
  if (m_pPaintEditor) m_pPaintEditor->EndEdit(TRUE);
  int extent[2] = {0, 0};
  m_pRenderer->GetExtent(extent);
  SetScrollSizes(MM_HIMETRIC, SIZE{extent[0], extent[1]});
  SetScrollPos(SB_HORZ, GetScrollPos(SB_HORZ), TRUE);
  SetScrollPos(SB_VERT, GetScrollPos(SB_VERT), TRUE);
  ShowScrollBar(SB_BOTH, TRUE);
  Invalidate(TRUE);
}

double CLeftView::SetImageEditZoom(int zoom) {
  Trace("---------CLeftView::SetImageEditZoom\n");
  if (!m_pPaintEditor) return 0.0;
  if (zoom == 0) {
    SetScrollSizes(MM_TEXT, SIZE{0, 0});
    return m_pPaintEditor->SetZoom(0, nullptr);
  }
  ShowScrollBar(SB_BOTH, TRUE);
  SIZE canvas{0, 0};
  const double result = m_pPaintEditor->SetZoom(zoom, &canvas);
  SetScrollSizes(MM_TEXT, canvas);
  SetScrollPos(SB_HORZ, GetScrollLimit(SB_HORZ) / 2, TRUE);
  SetScrollPos(SB_VERT, GetScrollLimit(SB_VERT) / 2, TRUE);
  m_pPaintEditor->StoreScrollPos(GetScrollPos(SB_HORZ), GetScrollPos(SB_VERT));
  return result;
}

// ---- Small services -------------------------------------------------------------------------------

void CLeftView::GetCurrentFont(LOGFONT* out) {
  Trace("---------CLeftView::GetCurrentFont\n");
  if (!out) return;
  std::unique_ptr<CDC> dc = GetDC();
  CFont* font = dc->GetCurrentFont();
  if (!font || !font->GetSafeHandle()) font = gditext::StockSystemFont();
  font->GetLogFont(out);
}

void CLeftView::RotatePoint(int out[2], int cx, int cy, int x, int y, int degrees) {
  Trace("---------CLeftView::RotatePoint\n");
  CDoublePoint p;
  CObjectRenderer::RotatePoint(&p, cx, cy, x, y, degrees);
  const CTextUtil util;
  out[0] = util.Round(p.x);
  out[1] = util.Round(p.y);
}

void CLeftView::ScaleByZoom(ImageClipShape* shape) {
  Trace("---------CLeftView::ScaleByZoom\n");
  if (!shape) return;
  CDoublePoint p(shape->dWidth, shape->dHeight);
  m_pRenderer->ScalePointByDpm(p);
  shape->dWidth = p.x;
  shape->dHeight = p.y;
  if (shape->nShape == 5) shape->dRadius = m_pRenderer->ScaleByDpm(shape->dRadius);
}

void CLeftView::ScaleByZoom(RingClipShape* shape) {
  Trace("---------CLeftView::ScaleByZoom\n");
  if (!shape) return;
  CDoublePoint outer(shape->dOuterWidth, shape->dOuterHeight), inner(shape->dInnerWidth, shape->dInnerHeight);
  m_pRenderer->ScalePointByDpm(outer);
  m_pRenderer->ScalePointByDpm(inner);
  shape->dOuterWidth = outer.x;
  shape->dOuterHeight = outer.y;
  shape->dInnerWidth = inner.x;
  shape->dInnerHeight = inner.y;
}

// ---- Change codes of a tracker drag ---------------------------------------------------------------

int CLeftView::GetRectChange(RECT oldRect, RECT newRect, int out[4]) {
  CRect o(oldRect), n(newRect);
  o.NormalizeRect();
  n.NormalizeRect();
  if (o.EqualRect(n)) return 14;
  const int dw = n.Width() - o.Width(), dh = n.Height() - o.Height();
  const int half = (n.right + o.left - n.left - o.right) / 2;
  auto put = [&](int a, int b, int c, int d) {
    out[0] = a;
    out[1] = b;
    out[2] = c;
    out[3] = d;
  };
  if (dw == 0 && dh == 0) {
    put(0, 0, n.left - o.left, n.top - o.top);
    return 0;
  }
  if (dw == 0) {
    if (n.top == o.top) {
      put(0, dh, 0, n.bottom - o.bottom);
      return 3;
    }
    put(0, dh, 0, n.top - o.top);
    return 1;
  }
  if (dh == 0) {
    if (n.left == o.left) {
      put(dw, 0, n.right - o.right, 0);
      return 4;
    }
    put(dw, 0, n.left - o.left, 0);
    return 2;
  }
  if (n.top == o.top) {
    if (n.left == o.left) {
      put(dw, dh, n.right - o.right, n.bottom - o.bottom);
      return 8;
    }
    if (n.right == o.right) {
      put(dw, dh, n.left - o.left, n.bottom - o.bottom);
      return 6;
    }
    put(dw, dh, half, n.bottom - o.bottom);
    return 9;
  }
  if (n.bottom == o.bottom) {
    if (n.left == o.left) {
      put(dw, dh, n.right - o.right, 0);
      return 7;
    }
    if (n.right == o.right) {
      put(dw, dh, n.left - o.left, 0);
      return 5;
    }
    put(dw, dh, half, 0);
    return 11;
  }
  if (n.left == o.left) {
    put(dw, dh, half, n.bottom - o.bottom);
    return 10;
  }
  if (n.right == o.right) {
    put(dw, dh, half, n.bottom - o.bottom);
    return 12;
  }
  return 14;
}

int CLeftView::GetRectChange(RECT oldRect, RECT newRect, double scale[2], double shift[2]) {
  int out[4] = {0, 0, 0, 0};
  const int code = GetRectChange(oldRect, newRect, out);
  CRect o(oldRect), n(newRect);
  o.NormalizeRect();
  n.NormalizeRect();
  const double sx = o.Width() != 0 ? static_cast<double>(n.Width()) / o.Width() : 1.0;
  const double sy = o.Height() != 0 ? static_cast<double>(n.Height()) / o.Height() : 1.0;
  if (code == 14) return code;
  scale[0] = (code == 0 || code == 1 || code == 3) ? 1.0 : sx;
  scale[1] = (code == 0 || code == 2 || code == 4) ? 1.0 : sy;
  shift[0] = out[2];
  shift[1] = out[3];
  return code;
}
