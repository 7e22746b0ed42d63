// Output rendering: the engraving raster, the 1-bit images of the design for the image toolkit,
// and the scanning area and marking field in the units the engines need.
#include <algorithm>
#include <utility>
#include <vector>

#include "canvas/leftview.h"
#include "model/drawingobject.h"
#include "model/drawobject.h"
#include "model/korvane_doc.h"
#include "model/objectlist.h"
#include "model/textobject.h"

namespace {

inline constexpr int SEAL_PART_INNER_FRAME = 2;
inline constexpr int SEAL_PART_INNER_TEXT = 4;

// A logical rectangle (y up) as ints with the edges truncated toward zero.
RECT TruncRect(const CDoubleRect& r) {
  return RECT{DoubleToInt(r.left), DoubleToInt(r.top), DoubleToInt(r.right), DoubleToInt(r.bottom)};
}

// The page from (0, 0) to (extent width, minus extent height) in white.
void FillPageWhite(CDC* dc, const int extent[2]) {
  const RECT page{0, 0, extent[0], -extent[1]};
  dc->FillSolidRect(&page, 0xFFFFFF);
}

}  // namespace

// ---- Areas ------------------------------------------------------------------------------------

void CLeftView::GetScanningArea(CDoubleRect* out) {
  Trace("---------CLeftView::GetScanningArea\n");
  if (!m_pDoc || !out) return;
  const CSettingsDrawingArea& area = m_pDoc->m_Settings.DrawingArea;
  const bool fixed = m_pDoc->m_Settings.System.FixField != 0;
  m_pRenderer->MmRectToLogical(area.Width, area.Height, fixed ? 0.0 : area.OffsetX, fixed ? 0.0 : area.OffsetY,
                               out);
}

int CLeftView::GetUchiwakuArea(CDoubleRect* out) {
  Trace("---------CLeftView::GetUchiwakuArea\n");
  if (!m_pDoc || !m_pDoc->GetObjectList()) return 0;
  const int count = m_pDoc->GetObjectList()->GetCount();
  for (int i = 1; i < count; ++i) {
    CDrawObject* copy = m_pDoc->CloneObject(i);
    if (!copy) continue;
    if (!copy->m_bDeleted && copy->m_nType == TYPE_CIRCLE && copy->m_nGroupId == SEAL_PART_INNER_FRAME) {
      auto* circle = static_cast<CCircleObject*>(copy);
      if (out) m_pRenderer->MmRectToLogical(circle->m_dSizeX, circle->m_dSizeY, circle->m_dPosX, circle->m_dPosY, out);
      CKorvaneDoc::FreeObject(copy);
      return 1;
    }
    CKorvaneDoc::FreeObject(copy);
  }
  return 0;
}

void CLeftView::GetField(CDoubleRect* out) {
  Trace("---------CLeftView::GetField\n");
  if (!m_pDoc || !out) return;
  const CSettingsDrawingField& field = m_pDoc->m_Settings.DrawingField;
  m_pRenderer->MmRectToLogical(field.FieldX, field.FieldY, field.OffsetX, field.OffsetY, out);
}

void CLeftView::GetScanningAreaBMP(CDoubleRect* out) {
  Trace("---------CLeftView::GetScanningAreaBMP\n");
  if (!out) return;
  GetScanningArea(out);
  m_pRenderer->RectToBitmap(*out);
}

void CLeftView::GetScanningAreaBMPFix(CDoubleRect* out) {
  Trace("---------CLeftView::GetScanningAreaBMPFix\n");
  if (!out) return;
  // Machine dots are measured from the machine mode's logical units, whatever mode is current.
  const int mode = m_pRenderer->SetMode(RENDER_MACHINE);
  GetScanningArea(out);
  m_pRenderer->RectToMachineBitmap(*out);
  m_pRenderer->SetMode(mode);
}

void CLeftView::GetFieldBMP(CDoubleRect* out) {
  Trace("---------CLeftView::GetFieldBMP\n");
  if (!out) return;
  GetField(out);
  m_pRenderer->RectToBitmap(*out);
}

// ---- Frame band and area shapes ----------------------------------------------------------------

void CLeftView::DrawAreaFrame(CDC* pDC) {
  if (!m_pDoc || !m_pDoc->GetObjectList()) return;
  const CDrawObject* head = m_pDoc->GetObjectList()->GetObject(0);
  if (!head || head->m_nType != TYPE_DRAWING) return;
  const CDrawingAreaObject* area = static_cast<const CDrawingObject*>(head)->m_pArea.get();
  if (!area || area->m_dFrameWidth <= 0) return;
  CDoubleRect rect;
  GetScanningArea(&rect);
  const double width = area->m_dFrameWidth;
  switch (m_pDoc->m_Settings.DrawingArea.OutlineIndex) {
    case 0: m_pRenderer->FillRectFrame(pDC, rect, width, 0.0, FALSE); break;
    case 1: m_pRenderer->FillEllipseFrame(pDC, rect, width); break;
    case 2: m_pRenderer->FillRhombicFrame(pDC, rect, width); break;
    case 3: m_pRenderer->FillTriangleFrame(pDC, rect, width, FALSE); break;
    case 4: m_pRenderer->FillTriangleFrame(pDC, rect, width, TRUE); break;
    case 5: m_pRenderer->FillRectFrame(pDC, rect, width, area->m_dCornerRadius, TRUE); break;
    default: break;
  }
}

void CLeftView::MakeAreaShapeRgn(CRgn& rgn, const RECT& r, int outlineIndex) {
  const int midX = (r.left + r.right) / 2;
  const int midY = (r.top + r.bottom) / 2;
  switch (outlineIndex) {
    case 1:
      rgn.CreateEllipticRgn(r.left, r.top, r.right, r.bottom);
      break;
    case 2: {
      const POINT pts[4] = {{r.left, midY}, {midX, r.bottom}, {r.right, midY}, {midX, r.top}};
      rgn.CreatePolygonRgn(pts, 4, ALTERNATE);
      break;
    }
    case 3: {
      const POINT pts[3] = {{midX, r.top}, {r.left, r.bottom}, {r.right, r.bottom}};
      rgn.CreatePolygonRgn(pts, 3, ALTERNATE);
      break;
    }
    case 4: {
      const POINT pts[3] = {{r.left, r.top}, {midX, r.bottom}, {r.right, r.top}};
      rgn.CreatePolygonRgn(pts, 3, ALTERNATE);
      break;
    }
    case 5: {
      double radius = 0.0;
      if (m_pDoc && m_pDoc->GetObjectList()) {
        const CDrawObject* head = m_pDoc->GetObjectList()->GetObject(0);
        if (head && head->m_nType == TYPE_DRAWING && static_cast<const CDrawingObject*>(head)->m_pArea)
          radius = static_cast<const CDrawingObject*>(head)->m_pArea->m_dCornerRadius;
      }
      int corner[2] = {0, 0};
      m_pRenderer->LengthToLogicalSize(radius, corner);
      rgn.CreateRoundRectRgn(r.left, r.top, r.right, r.bottom, corner[0] * 2, corner[1] * 2);
      break;
    }
    default:
      rgn.CreateRectRgn(r.left, r.top, r.right, r.bottom);
      break;
  }
}

void CLeftView::WhiteOutside(CDC* pDC, CRgn& shape) {
  // Everything outside the shape goes white, not only the corners of the shape's rectangle: a
  // text reaching past that rectangle must not show in the image.
  int extent[2] = {0, 0};
  m_pRenderer->GetExtent(extent);
  CRgn outside;
  outside.CreateRectRgn(0, 0, extent[0], -extent[1]);
  outside.CombineRgn(&outside, &shape, RGN_DIFF);
  CBrush white(0xFFFFFF);
  pDC->FillRgn(&outside, &white);
}

// ---- The engraving raster ---------------------------------------------------------------------

int CLeftView::OnEngrave(CDC* pDC, CDoubleRect* bounds) {
  Trace("---------CLeftView::OnEngrave\n");
  m_pRenderer->SetMode(RENDER_ENGRAVE);
  DrawAreaFrame(pDC);
  CDoubleRect total;
  bool any = false;
  std::vector<CString> refused;
  const int count = m_pDoc->GetObjectList() ? m_pDoc->GetObjectList()->GetCount() : 1;
  for (int i = 1; i < count; ++i) {
    CDrawObject* copy = m_pDoc->CloneObject(i);
    if (!copy) {
      if (bounds) *bounds = total;
      m_vRefusedObjects = std::move(refused);
      return 0;
    }
    if (copy->m_bDeleted || !IsLayerEngraved(copy->m_nLayer) || !RasterAllows(pDC, copy, refused)) {
      CKorvaneDoc::FreeObject(copy);
      continue;
    }
    const CopyGrid grid = GetCopyGrid(copy);
    // A kind that draws nothing (an object without copies) adds no rectangle.
    const bool draws = copy->m_nType <= TYPE_BARCODE && grid.rows > 0 && grid.columns > 0;
    CDoubleRect r;
    EngraveObject(pDC, copy, &r);
    m_pDoc->SetObjectCommon(i, copy);
    CKorvaneDoc::FreeObject(copy);
    if (!draws) continue;
    if (!any) {
      total = r;
      any = true;
    } else {
      total.left = std::min(total.left, r.left);
      total.top = std::max(total.top, r.top);
      total.right = std::max(total.right, r.right);
      total.bottom = std::min(total.bottom, r.bottom);
    }
  }
  if (bounds) *bounds = total;
  m_vRefusedObjects = std::move(refused);
  return count - 1;
}

int CLeftView::GetBitmapDC(CDC* pDC, int* size, CDoubleRect* bounds, int* oldZoom) {
  Trace("---------CLeftView::GetBitmapDC\n");
  if (!m_pDoc || !pDC) return 0;
  CDC window;
  MakeWindowDC(window);
  const int old = m_pDoc->ResetZoomQuiet();
  if (oldZoom) *oldZoom = old;
  BindForOutput(&window);
  m_pRenderer->SetMode(RENDER_ENGRAVE);

  pDC->CreateCompatibleDC(&window);
  pDC->SetMapMode(MM_HIMETRIC);
  int extent[2] = {0, 0};
  int dots[2] = {0, 0};
  m_pRenderer->GetExtent(extent);
  m_pRenderer->GetBitmapSize(dots);
  if (size) {
    size[0] = dots[0];
    size[1] = dots[1];
  }
  auto* bitmap = new CBitmap();
  bitmap->CreateBitmap(std::max(dots[0], 1), std::max(dots[1], 1), 1, 1, nullptr);
  pDC->SelectObject(bitmap);
  FillPageWhite(pDC, extent);

  CDoubleRect drawn;
  const int n = OnEngrave(pDC, &drawn);
  if (n > 0) m_pRenderer->RectToBitmap(drawn);
  if (bounds) *bounds = drawn;
  // A raster that had to leave an object out is no raster of the design.
  if (!m_vRefusedObjects.empty()) {
    ReportObjectsTooLarge(m_vRefusedObjects);
    m_vRefusedObjects.clear();
    // A repaint while the message was up put the renderer back on the screen.
    m_pRenderer->SetMode(RENDER_ENGRAVE);
    return 0;
  }
  return n;
}

void CLeftView::ReleaseBitmapDC(CDC* pDC) {
  if (!pDC) return;
  CBitmap* bitmap = pDC->GetCurrentBitmap();
  pDC->DeleteDC();
  delete bitmap;
}

// ---- The image toolkit's renderings ------------------------------------------------------------

int CLeftView::IsIndexListed(int index, const int* list, int count) {
  Trace("---------CLeftView::IsIndexListed\n");
  if (!list) return 0;
  for (int k = 0; k < count; ++k) {
    if (list[k] == index) return 1;
  }
  return 0;
}

void CLeftView::WriteScanRect(RECT* scan) {
  if (!scan) return;
  CDoubleRect area;
  GetScanningAreaBMP(&area);
  *scan = TruncRect(area);
}

void CLeftView::OnBmpDraw(CDC* pDC, RECT* scan) {
  Trace("---------CLeftView::OnBmpDraw\n");
  DrawAreaFrame(pDC);
  std::vector<CString> refused;
  bool copyFailed = false;
  const int count = m_pDoc->GetObjectList() ? m_pDoc->GetObjectList()->GetCount() : 1;
  for (int i = 1; i < count; ++i) {
    CDrawObject* copy = m_pDoc->CloneObject(i);
    if (!copy) {
      copyFailed = true;
      break;
    }
    if (!copy->m_bDeleted && IsLayerVisible(copy->m_nLayer) && RasterAllows(pDC, copy, refused)) {
      copy->m_nLayer = 0;
      copy->m_crColor = 0;
      DrawObject(pDC, copy, FALSE);
    }
    CKorvaneDoc::FreeObject(copy);
  }
  m_vRefusedObjects = std::move(refused);
  if (copyFailed) return;
  WriteScanRect(scan);
}

void CLeftView::OnBmpDraw(CDC* pDC, RECT* scan, const int* indexes, int count) {
  Trace("---------CLeftView::OnBmpDraw\n");
  std::vector<CString> refused;
  const int entries = m_pDoc->GetObjectList() ? m_pDoc->GetObjectList()->GetCount() : 1;
  for (int i = 1; i < entries; ++i) {
    CDrawObject* copy = m_pDoc->CloneObject(i);
    if (!copy) break;
    if (!copy->m_bDeleted && IsIndexListed(i, indexes, count) && RasterAllows(pDC, copy, refused)) {
      copy->m_nLayer = 0;
      copy->m_crColor = 0;
      CDoubleRect unused;
      EngraveObject(pDC, copy, &unused);
    }
    CKorvaneDoc::FreeObject(copy);
  }
  m_vRefusedObjects = std::move(refused);
  WriteScanRect(scan);
}

BOOL CLeftView::DrawSealInnerTexts(CDC* pDC) {
  const int count = m_pDoc->GetObjectList() ? m_pDoc->GetObjectList()->GetCount() : 1;
  for (int i = 1; i < count; ++i) {
    CDrawObject* copy = m_pDoc->CloneObject(i);
    if (!copy) return FALSE;
    if (!copy->m_bDeleted && copy->m_nGroupId == SEAL_PART_INNER_TEXT && copy->m_nType == TYPE_TEXT1) {
      copy->m_nLayer = 0;
      copy->m_crColor = 0;
      DrawText1(pDC, static_cast<CText1Object*>(copy));
    }
    CKorvaneDoc::FreeObject(copy);
  }
  return TRUE;
}

BOOL CLeftView::OnBmpDrawSealCircle(CDC* pDC, RECT* scan) {
  Trace("---------CLeftView::OnBmpDraw\n");
  CDoubleRect circle;
  if (!GetUchiwakuArea(&circle)) return FALSE;
  if (!DrawSealInnerTexts(pDC)) return FALSE;
  const RECT r = TruncRect(circle);
  m_rcPageMask = r;
  m_rcAreaMask = r;
  CRgn ellipse;
  ellipse.CreateEllipticRgn(r.left, r.top, r.right, r.bottom);
  WhiteOutside(pDC, ellipse);
  WriteScanRect(scan);
  return TRUE;
}

void CLeftView::OnBmpDrawSealArea(CDC* pDC, RECT* scan) {
  Trace("---------CLeftView::OnBmpDraw\n");
  DrawSealInnerTexts(pDC);
  CDoubleRect area;
  GetScanningArea(&area);
  const RECT r = TruncRect(area);
  m_rcPageMask = r;
  m_rcAreaMask = r;
  CRgn shape;
  MakeAreaShapeRgn(shape, r, m_pDoc->m_Settings.DrawingArea.OutlineIndex);
  WhiteOutside(pDC, shape);
  WriteScanRect(scan);
}

template <class Draw>
BOOL CLeftView::RenderForToolkit(CDC* pDC, CBitmap* pBitmap, int* size, RECT* scan, int mode, Draw draw) {
  if (!m_pDoc || !pDC || !pBitmap) return FALSE;
  CDC window;
  MakeWindowDC(window);
  const int oldZoom = m_pDoc->ResetZoomQuiet();
  BindForOutput(&window);
  const int oldMode = m_pRenderer->SetMode(mode);

  CDC work;
  work.CreateCompatibleDC(&window);
  work.SetMapMode(MM_HIMETRIC);
  int extent[2] = {0, 0};
  int dots[2] = {0, 0};
  m_pRenderer->GetExtent(extent);
  if (mode == RENDER_ENGRAVE)
    m_pRenderer->GetBitmapSize(dots);
  else
    m_pRenderer->GetMachineBitmapSize(dots);
  if (size) {
    size[0] = dots[0];
    size[1] = dots[1];
  }
  CBitmap workBitmap;
  workBitmap.CreateBitmap(std::max(dots[0], 1), std::max(dots[1], 1), 1, 1, nullptr);
  work.SelectObject(&workBitmap);
  FillPageWhite(&work, extent);

  RECT part{0, 0, 0, 0};
  m_vRefusedObjects.clear();
  BOOL ok = draw(&work, &part);
  const int w = part.right - part.left;
  const int h = part.bottom - part.top;
  if (ok && (w <= 0 || h <= 0)) ok = FALSE;
  if (ok) {
    // The caller's bitmap is exactly the part handed back, so that its rows read from row 0
    // are the part's rows; what lies outside the page stays white.
    pDC->CreateCompatibleDC(&window);
    pBitmap->CreateBitmap(w, h, 1, 1, nullptr);
    pDC->SelectObject(pBitmap);
    pDC->SetMapMode(MM_TEXT);
    pDC->PatBlt(0, 0, w, h, WHITENESS);
    work.SetMapMode(MM_TEXT);
    const int sx0 = std::max(part.left, 0), sy0 = std::max(part.top, 0);
    const int sx1 = std::min(part.right, workBitmap.Width()), sy1 = std::min(part.bottom, workBitmap.Height());
    if (sx1 > sx0 && sy1 > sy0)
      pDC->StretchBlt(sx0 - part.left, sy0 - part.top, sx1 - sx0, sy1 - sy0, &work, sx0, sy0, sx1 - sx0, sy1 - sy0,
                      SRCCOPY);
    if (scan) *scan = part;
  }

  m_pDoc->SetZoomQuiet(oldZoom);
  BindForClient(&window);
  m_pRenderer->SetMode(oldMode);
  work.DeleteDC();
  workBitmap.DeleteObject();
  ReportObjectsTooLarge(m_vRefusedObjects);
  m_vRefusedObjects.clear();
  return ok;
}

BOOL CLeftView::GetBitmapDC(CDC* pDC, CBitmap* pBitmap, int* size, RECT* scan, int frameFlag) {
  Trace("---------CLeftView::GetBitmapDC\n");
  return RenderForToolkit(pDC, pBitmap, size, scan, RENDER_MACHINE, [&](CDC* work, RECT* part) {
    if (frameFlag) return OnBmpDrawSealCircle(work, part);
    OnBmpDrawSealArea(work, part);
    return TRUE;
  });
}

BOOL CLeftView::GetBitmapDC(CDC* pDC, CBitmap* pBitmap, int* size, RECT* scan, const int* indexes, int count) {
  Trace("---------CLeftView::GetBitmapDC\n");
  return RenderForToolkit(pDC, pBitmap, size, scan, RENDER_MACHINE, [&](CDC* work, RECT* part) {
    OnBmpDraw(work, part, indexes, count);
    return m_vRefusedObjects.empty() ? TRUE : FALSE;
  });
}

BOOL CLeftView::GetBitmapDC(CDC* pDC, CBitmap* pBitmap, int* size, RECT* scan, const CDoubleRect* clipMm) {
  Trace("---------CLeftView::GetBitmapDC\n");
  return RenderForToolkit(pDC, pBitmap, size, scan, RENDER_MACHINE, [&](CDC* work, RECT* part) {
    if (!clipMm) {
      OnBmpDraw(work, part);
      return m_vRefusedObjects.empty() ? TRUE : FALSE;
    }
    CDoubleRect clip;
    m_pRenderer->MmRectToLogical(clipMm->right - clipMm->left, clipMm->top - clipMm->bottom,
                                 (clipMm->left + clipMm->right) / 2, (clipMm->top + clipMm->bottom) / 2, &clip);
    m_pRenderer->RectToMachineBitmap(clip);
    OnBmpDraw(work, nullptr);
    *part = TruncRect(clip);
    return m_vRefusedObjects.empty() ? TRUE : FALSE;
  });
}

BOOL CLeftView::GetBitmapDC(CDC* pDC, CBitmap* pBitmap, int* size, RECT* scan) {
  Trace("---------CLeftView::GetBitmapDC\n");
  return RenderForToolkit(pDC, pBitmap, size, scan, RENDER_ENGRAVE, [&](CDC* work, RECT* part) {
    OnBmpDraw(work, part);
    return m_vRefusedObjects.empty() ? TRUE : FALSE;
  });
}
