// The paint tools: what a press, a drag and a release do for each tool, the rendering of the
// pending operation over the current snapshot, and when it becomes a snapshot.
#include <algorithm>
#include <cmath>

#include "canvas/leftview.h"
#include "imaging/dib_image.h"
#include "imaging/paint_editor.h"
#include "model/bmpobject.h"
#include "model/korvane_doc.h"

namespace {

// The pad round a stroke's area: half the zoomed pen width and 5 more.
int StrokePad(int penSize, double zoom) {
  const int p = static_cast<int>(penSize * zoom / 10.0);
  return p > 1 ? p / 2 + 5 : 5;
}

CRect PointsRect(int x0, int y0, int x1, int y1) {
  CRect r(x0, y0, x1, y1);
  r.NormalizeRect();
  return r;
}

}  // namespace

void CPaintEditor::InvalidatePadded(const RECT& image, int pad, BOOL join) {
  CRect client = ImageToClient(image);
  client.InflateRect(pad, pad);
  if (join && !m_rcDirty.IsRectEmpty())
    m_rcDirty.UnionRect(m_rcDirty, client);
  else
    m_rcDirty = client;
  Invalidate(client, FALSE);
}

int CPaintEditor::CancelPolygon() {
  if (m_nTool != PAINT_POLYGON || !m_bPolyOpen) return 0;
  DeletePending();
  m_bPolyStart = 1;
  m_bPolyOpen = 0;
  InvalidateAll(FALSE);
  UpdateView();
  return 1;
}

int CPaintEditor::SetTool(int code) {
  CancelPolygon();
  if (m_nTool == PAINT_FLOATING) {
    if (code == PAINT_SELECT) return PAINT_FLOATING;
    CancelSelection(0);
  }
  const int previous = m_nTool;
  m_nTool = code;
  if (previous == PAINT_SELECT && code != PAINT_SELECT) DropSelection();
  if (code == PAINT_POLYGON) {
    m_bPolyStart = 1;
    m_bPolyOpen = 0;
  }
  const bool tipNow = code == PAINT_ERASER || code == PAINT_BRUSH;
  const bool tipBefore = previous == PAINT_ERASER || previous == PAINT_BRUSH;
  if (tipBefore && !tipNow) OnNcMouseMove();
  if (tipNow) {
    m_bPreviewHidden = 1;
    m_rcBrush.SetRectEmpty();
  }
  m_nCursorShown = -1;
  return previous;
}

// ---- button down ----------------------------------------------------------------------------

void CPaintEditor::BeginTool(const PaintPoint& pt, int button) {
  if (button) m_bRightStroke = 1;
  else m_bLeftStroke = 1;
  switch (m_nTool) {
    case PAINT_PEN:
    case PAINT_ERASER:
    case PAINT_BRUSH: {
      DeletePending();
      m_ptLast = pt;
      m_pPending = new CPaintOperation();
      auto shape = std::make_unique<CPaintStrokeShape>(m_nTool + button);
      shape->nPenSize = m_nPenSize;
      shape->nTipShape = m_nPenShape;
      m_pPending->m_pShape = std::move(shape);
      m_pPending->m_Points.push_back(pt);
      break;
    }
    case PAINT_LINE: {
      DeletePending();
      m_ptLast = pt;
      m_pPending = new CPaintOperation();
      auto shape = std::make_unique<CPaintLineShape>(button);
      shape->nPenSize = m_nPenSize;
      shape->x0 = shape->x1 = pt.x;
      shape->y0 = shape->y1 = pt.y;
      m_pPending->m_pShape = std::move(shape);
      break;
    }
    case PAINT_CIRCLE: {
      DeletePending();
      m_ptAnchor = m_ptLast = pt;
      m_pPending = new CPaintOperation();
      auto shape = std::make_unique<CPaintCircleShape>(button);
      shape->nPenSize = m_nPenSize;
      shape->cx = pt.x;
      shape->cy = pt.y;
      shape->fill = m_bFill ? 1 : 0;
      m_pPending->m_pShape = std::move(shape);
      break;
    }
    case PAINT_ELLIPSE:
    case PAINT_RECT: {
      DeletePending();
      m_ptAnchor = m_ptLast = pt;
      m_pPending = new CPaintOperation();
      if (m_nTool == PAINT_ELLIPSE) {
        auto shape = std::make_unique<CPaintEllipseShape>(button);
        shape->nPenSize = m_nPenSize;
        shape->x0 = shape->x1 = pt.x;
        shape->y0 = shape->y1 = pt.y;
        shape->fill = m_bFill ? 1 : 0;
        m_pPending->m_pShape = std::move(shape);
      } else {
        auto shape = std::make_unique<CPaintRectShape>(button);
        shape->nPenSize = m_nPenSize;
        shape->x0 = shape->x1 = pt.x;
        shape->y0 = shape->y1 = pt.y;
        shape->fill = m_bFill ? 1 : 0;
        m_pPending->m_pShape = std::move(shape);
      }
      break;
    }
    case PAINT_FLOOD: FloodFillAt(pt, button); break;
    case PAINT_POLYGON: PolygonClick(pt, button); break;
    case PAINT_SELECT: {
      DeletePending();
      m_pPending = new CPaintOperation();
      m_pPending->m_pShape = std::make_unique<CPaintSelectShape>(button);
      if (button) {
        const bool inside = !m_rcSelect.IsRectEmpty() && m_rcSelect.PtInRect(CPoint(pt.x, pt.y));
        m_bRightStroke = 0;
        // The menu opens at the press, and a paste from it lands there.
        m_ptLast = pt;
        ShowContextMenu(inside ? 1 : 0);
        break;
      }
      if (!m_rcSelect.IsRectEmpty()) {
        CRect old = ImageToClient(m_rcSelect);
        old.InflateRect(WholeZoom(), WholeZoom());
        m_rcDirty = old;
        Invalidate(old, FALSE);
        m_rcSelect.SetRectEmpty();
        UpdateView();
      }
      // The rubber band: a frame from the press point that follows the drag.
      m_ptAnchor = m_ptLast = pt;
      m_bBand = 1;
      m_rcBand = CRect(pt.cx - m_ptScroll.x, pt.cy - m_ptScroll.y, pt.cx - m_ptScroll.x, pt.cy - m_ptScroll.y);
      break;
    }
    case PAINT_FLOATING: {
      m_bFloatDrag = 1;
      // A picture pasted through the main window's command has no range-select record yet.
      if (!m_pPending) {
        m_pPending = new CPaintOperation();
        m_pPending->m_pShape = std::make_unique<CPaintSelectShape>(button);
      }
      if (m_rcSelect.PtInRect(CPoint(pt.x, pt.y))) {
        m_ptDrag = pt;
      } else {
        CancelSelection(1);
      }
      break;
    }
    default: break;
  }
}

// ---- drag -----------------------------------------------------------------------------------

void CPaintEditor::ContinueTool(const PaintPoint& pt) {
  if (!m_pPending) return;
  const int w = std::max(static_cast<int>(m_nPenSize * m_dZoom / 10.0), 1);
  switch (m_pPending->Tool()) {
    case PAINT_PEN:
    case PAINT_ERASER:
    case PAINT_BRUSH: {
      if (m_pPending->Tool() != PAINT_PEN && !m_bPreviewHidden) OnNcMouseMove();
      m_pPending->m_Points.push_back(pt);
      InvalidatePadded(PointsRect(m_ptLast.x, m_ptLast.y, pt.x, pt.y), StrokePad(m_nPenSize, m_dZoom), TRUE);
      break;
    }
    case PAINT_LINE: {
      auto* s = static_cast<CPaintLineShape*>(m_pPending->m_pShape.get());
      int p = static_cast<int>(s->nPenSize * m_dZoom / 10.0);
      if (p <= 0) p = 3;
      const int pad = p / 2 + 5;
      InvalidatePadded(PointsRect(s->x0, s->y0, s->x1, s->y1), pad, TRUE);
      s->x1 = pt.x;
      s->y1 = pt.y;
      InvalidatePadded(PointsRect(s->x0, s->y0, s->x1, s->y1), pad, TRUE);
      break;
    }
    case PAINT_CIRCLE: {
      auto* s = static_cast<CPaintCircleShape*>(m_pPending->m_pShape.get());
      const double dx = pt.x - m_ptAnchor.x, dy = pt.y - m_ptAnchor.y;
      const int r = static_cast<int>(std::sqrt(dx * dx + dy * dy));
      const int big = std::max(r, static_cast<int>(s->radius));
      s->radius = r;
      InvalidatePadded(CRect(m_ptAnchor.x - big, m_ptAnchor.y - big, m_ptAnchor.x + big, m_ptAnchor.y + big),
                       w / 2 + 2, TRUE);
      break;
    }
    case PAINT_ELLIPSE:
    case PAINT_RECT: {
      const int pad = m_pPending->Tool() == PAINT_ELLIPSE ? w / 2 + 2 : std::max(w, 4);
      InvalidatePadded(PointsRect(m_ptAnchor.x, m_ptAnchor.y, m_ptLast.x, m_ptLast.y), pad, TRUE);
      InvalidatePadded(PointsRect(m_ptAnchor.x, m_ptAnchor.y, pt.x, pt.y), pad, TRUE);
      if (m_pPending->Tool() == PAINT_ELLIPSE) {
        auto* s = static_cast<CPaintEllipseShape*>(m_pPending->m_pShape.get());
        s->x1 = pt.x;
        s->y1 = pt.y;
      } else {
        auto* s = static_cast<CPaintRectShape*>(m_pPending->m_pShape.get());
        s->x1 = pt.x;
        s->y1 = pt.y;
      }
      break;
    }
    case PAINT_POLYGON: {
      int p = static_cast<int>(m_nPenSize * m_dZoom / 10.0);
      if (p <= 0) p = 3;
      const PaintPoint prev = m_pPending->m_Points.empty() ? pt : m_pPending->m_Points.back();
      m_pPending->m_Points.push_back(pt);
      InvalidatePadded(PointsRect(prev.x, prev.y, pt.x, pt.y), p + 2, TRUE);
      break;
    }
    case PAINT_SELECT: {
      if (m_nTool == PAINT_FLOATING && m_bFloatDrag) {
        CRect old = ImageToClient(m_rcSelect);
        old.InflateRect(WholeZoom(), WholeZoom());
        m_rcDirty = old;
        Invalidate(old, FALSE);
        m_rcSelect.OffsetRect(pt.x - m_ptDrag.x, pt.y - m_ptDrag.y);
        m_ptDrag = pt;
        CRect now = ImageToClient(m_rcSelect);
        now.InflateRect(WholeZoom(), WholeZoom());
        m_rcDirty.UnionRect(m_rcDirty, now);
        Invalidate(now, FALSE);
      } else if (m_bBand) {
        CRect old = m_rcBand;
        old.NormalizeRect();
        old.InflateRect(2, 2);
        m_rcBand.right = pt.cx - m_ptScroll.x;
        m_rcBand.bottom = pt.cy - m_ptScroll.y;
        CRect now = m_rcBand;
        now.NormalizeRect();
        now.InflateRect(2, 2);
        if (m_rcDirty.IsRectEmpty()) m_rcDirty = old;
        else m_rcDirty.UnionRect(m_rcDirty, old);
        m_rcDirty.UnionRect(m_rcDirty, now);
        Invalidate(old, FALSE);
        Invalidate(now, FALSE);
      }
      break;
    }
    default: break;
  }
  m_ptLast = pt;
  UpdateView();
}

// ---- release --------------------------------------------------------------------------------

void CPaintEditor::FinishTool(const PaintPoint& pt) {
  if (m_nTool == PAINT_FLOOD || m_nTool == PAINT_POLYGON) return;
  if (m_nTool == PAINT_SELECT) {
    if (m_bBand) {
      ContinueTool(pt);
      FinishBand();
    }
    return;
  }
  ContinueTool(pt);
  EndStroke();
}

void CPaintEditor::FinishBand() {
  // The release ends the band: the other button is free again at once.
  m_bBand = 0;
  m_bLeftStroke = m_bRightStroke = 0;
  CRect band = m_rcBand;
  // The band's size in image pixels from the press point.
  const int w = DoubleToInt((band.right - band.left) * 10.0 / m_dZoom);
  const int h = DoubleToInt((band.bottom - band.top) * 10.0 / m_dZoom);
  CRect sel(m_ptAnchor.x, m_ptAnchor.y, m_ptAnchor.x + w, m_ptAnchor.y + h);
  sel.NormalizeRect();
  band.NormalizeRect();
  band.InflateRect(std::max(WholeZoom(), 2), std::max(WholeZoom(), 2));
  if (sel.Width() > 0 || sel.Height() > 0) {
    m_rcSelect = sel;
    if (m_pPending && m_pPending->Tool() == PAINT_SELECT) {
      auto* s = static_cast<CPaintSelectShape*>(m_pPending->m_pShape.get());
      s->left = sel.left, s->top = sel.top, s->right = sel.right, s->bottom = sel.bottom;
    }
  }
  m_rcBand.SetRectEmpty();
  if (m_rcDirty.IsRectEmpty()) m_rcDirty = band;
  else m_rcDirty.UnionRect(m_rcDirty, band);
  Invalidate(band, FALSE);
  UpdateView();
}

void CPaintEditor::EndStroke() {
  m_bLeftStroke = m_bRightStroke = 0;
  if (m_bBand) {
    FinishBand();
    return;
  }
  if (m_nTool == PAINT_FLOOD || m_nTool == PAINT_POLYGON || m_nTool == PAINT_SELECT || m_nTool == PAINT_FLOATING)
    return;
  if (!m_pPending) return;
  PushSnapshot(nullptr);
  DeletePending();
}

// ---- flood fill and polygon -----------------------------------------------------------------

void CPaintEditor::FloodFillAt(const PaintPoint& pt, int button) {
  const COLORREF colour = button ? m_crRight : m_crLeft;
  const PaintBusyCursor busy;
  CDC dc;
  CBitmap bitmap;
  if (!RenderToMemory(dc, bitmap)) return;
  CBrush brush(colour);
  dc.SelectObject(&brush);
  if (!dc.FloodFill(pt.x, pt.y, colour)) return;
  CBmpEditObject* snap = SnapshotFromBitmap(dc, bitmap);
  if (!snap) return;
  PushSnapshot(snap);
  InvalidateAll(FALSE);
  UpdateView();
}

void CPaintEditor::PolygonClick(const PaintPoint& pt, int button) {
  const int p = static_cast<int>(m_nPenSize * m_dZoom / 10.0);
  const int pad = p > 0 ? p + 2 : 3;
  if (m_bPolyStart || !m_pPending || m_pPending->Tool() != PAINT_POLYGON) {
    DeletePending();
    m_pPending = new CPaintOperation();
    auto shape = std::make_unique<CPaintPolygonShape>(button);
    shape->nPenSize = m_nPenSize;
    shape->fill = m_bFill ? 1 : 0;
    m_pPending->m_pShape = std::move(shape);
    m_pPending->m_Points.push_back(pt);
    InvalidatePadded(CRect(pt.x, pt.y, pt.x, pt.y), pad, FALSE);
    UpdateView();
    m_bPolyStart = 0;
    m_bPolyOpen = 1;
    return;
  }
  const PaintPoint prev = m_pPending->m_Points.back();
  if (m_pPending->Button() == button) {
    m_pPending->m_Points.push_back(pt);
    InvalidatePadded(PointsRect(prev.x, prev.y, pt.x, pt.y), pad, FALSE);
    UpdateView();
    return;
  }
  auto* shape = static_cast<CPaintPolygonShape*>(m_pPending->m_pShape.get());
  shape->closed = 1;
  m_pPending->m_Points.push_back(pt);
  m_pPending->m_Points.push_back(m_pPending->m_Points.front());
  PushSnapshot(nullptr);
  CRect box(m_pPending->m_Points.front().x, m_pPending->m_Points.front().y, m_pPending->m_Points.front().x,
            m_pPending->m_Points.front().y);
  for (const PaintPoint& v : m_pPending->m_Points) {
    box.left = std::min<int>(box.left, v.x);
    box.top = std::min<int>(box.top, v.y);
    box.right = std::max<int>(box.right, v.x);
    box.bottom = std::max<int>(box.bottom, v.y);
  }
  DeletePending();
  m_bPolyStart = 1;
  m_bPolyOpen = 0;
  InvalidatePadded(box, pad, FALSE);
  UpdateView();
}

// ---- rendering ------------------------------------------------------------------------------

void CPaintEditor::BuildSweptRegion(CRgn& rgn, int a, int b, int c, int d, int e) {
  if (rgn.IsCreated()) rgn.DeleteObject();
  if (a == c && b == d) {
    rgn.CreateRectRgn(c - e, d - e, c + e, d + e);
    return;
  }
  if (a == c || b == d) {
    rgn.CreateRectRgn(std::min(a, c) - e, std::min(b, d) - e, std::max(a, c) + e, std::max(b, d) + e);
    return;
  }
  // The hull of the two squares: the corners that face away from the movement join them.
  POINT pts[6];
  if ((c > a) == (d > b)) {  // down-right or up-left
    const int lx = std::min(a, c), ly = std::min(b, d), hx = std::max(a, c), hy = std::max(b, d);
    pts[0] = {lx - e, ly - e};
    pts[1] = {lx + e, ly - e};
    pts[2] = {hx + e, hy - e};
    pts[3] = {hx + e, hy + e};
    pts[4] = {hx - e, hy + e};
    pts[5] = {lx - e, ly + e};
  } else {  // down-left or up-right
    const int lx = std::min(a, c), hx = std::max(a, c);
    const int ty = std::min(b, d), by = std::max(b, d);
    // (lx, by) and (hx, ty) are the two centres
    pts[0] = {hx - e, ty - e};
    pts[1] = {hx + e, ty - e};
    pts[2] = {hx + e, ty + e};
    pts[3] = {lx + e, by + e};
    pts[4] = {lx - e, by + e};
    pts[5] = {lx - e, by - e};
  }
  rgn.CreatePolygonRgn(pts, 6, WINDING);
}

void CPaintEditor::RenderImage(CDC* dc) {
  if (!dc || !m_pCurrent || !m_pCurrent->m_pBits) return;
  dc->SetMapMode(MM_TEXT);
  dc->SetStretchBltMode(COLORONCOLOR);
  dc->StretchDIBits(0, 0, m_nImageW, m_nImageH, 0, 0, m_nImageW, m_nImageH, m_pCurrent->m_pBits,
                    reinterpret_cast<const BITMAPINFO*>(m_pCurrent->m_pBitmapInfo), DIB_RGB_COLORS, SRCCOPY);
  if (m_pPending && m_pPending->m_pShape) {
    const int kind = m_pPending->Kind();
    const int tool = kind & ~1;
    const int right = kind & 1;
    COLORREF colour = right ? m_crRight : m_crLeft;
    if (tool == PAINT_ERASER) colour = right ? m_crLeft : m_crRight;
    CGdiObject* oldBrush = dc->SelectStockObject(NULL_BRUSH);
    CBrush solid(colour);
    auto pts = [this](bool all) {
      std::vector<POINT> v;
      for (const PaintPoint& p : m_pPending->m_Points) v.push_back(POINT{p.x, p.y});
      (void)all;
      return v;
    };
    switch (tool) {
      case PAINT_PEN: {
        auto* s = static_cast<CPaintStrokeShape*>(m_pPending->m_pShape.get());
        CPen pen(PS_SOLID, s->nPenSize, colour);
        CPen* old = dc->SelectObject(&pen);
        std::vector<POINT> v = pts(true);
        dc->MoveTo(v.front());
        for (size_t i = 1; i < v.size(); ++i) dc->LineTo(v[i]);
        dc->SelectObject(old);
        break;
      }
      case PAINT_ERASER:
      case PAINT_BRUSH: {
        auto* s = static_cast<CPaintStrokeShape*>(m_pPending->m_pShape.get());
        std::vector<POINT> v = pts(true);
        if (s->nTipShape == 0 && s->nPenSize > 2) {
          const int e = s->nPenSize / 2;
          for (size_t i = 1; i < v.size(); ++i) {
            CRgn rgn;
            BuildSweptRegion(rgn, v[i - 1].x, v[i - 1].y, v[i].x, v[i].y, e);
            dc->FillRgn(&rgn, &solid);
          }
        } else {
          CPen pen(PS_SOLID, s->nPenSize, colour);
          CPen* old = dc->SelectObject(&pen);
          dc->MoveTo(v.front());
          for (size_t i = 1; i < v.size(); ++i) dc->LineTo(v[i]);
          dc->SelectObject(old);
        }
        break;
      }
      case PAINT_LINE: {
        auto* s = static_cast<CPaintLineShape*>(m_pPending->m_pShape.get());
        CPen pen(PS_SOLID, s->nPenSize, colour);
        CPen* old = dc->SelectObject(&pen);
        dc->MoveTo(s->x0, s->y0);
        dc->LineTo(s->x1, s->y1);
        dc->SelectObject(old);
        break;
      }
      case PAINT_CIRCLE:
      case PAINT_ELLIPSE:
      case PAINT_RECT: {
        int size = 1, fill = 0;
        CRect r;
        if (tool == PAINT_CIRCLE) {
          auto* s = static_cast<CPaintCircleShape*>(m_pPending->m_pShape.get());
          size = s->nPenSize, fill = s->fill;
          r = CRect(s->cx - s->radius, s->cy - s->radius, s->cx + s->radius, s->cy + s->radius);
        } else if (tool == PAINT_ELLIPSE) {
          auto* s = static_cast<CPaintEllipseShape*>(m_pPending->m_pShape.get());
          size = s->nPenSize, fill = s->fill;
          r = CRect(s->x0, s->y0, s->x1, s->y1);
        } else {
          auto* s = static_cast<CPaintRectShape*>(m_pPending->m_pShape.get());
          size = s->nPenSize, fill = s->fill;
          r = CRect(s->x0, s->y0, s->x1, s->y1);
        }
        CPen pen(PS_SOLID, size, colour);
        CPen* old = dc->SelectObject(&pen);
        if (fill) dc->SelectObject(&solid);
        if (tool == PAINT_RECT) dc->Rectangle(r.left, r.top, r.right, r.bottom);
        else dc->Ellipse(r.left, r.top, r.right, r.bottom);
        dc->SelectStockObject(NULL_BRUSH);
        dc->SelectObject(old);
        break;
      }
      case PAINT_POLYGON: {
        auto* s = static_cast<CPaintPolygonShape*>(m_pPending->m_pShape.get());
        CPen pen(PS_SOLID, s->nPenSize, colour);
        CPen* old = dc->SelectObject(&pen);
        std::vector<POINT> v = pts(true);
        if (s->fill && s->closed) {
          dc->SelectObject(&solid);
          dc->Polygon(v.data(), static_cast<int>(v.size()));
          dc->SelectStockObject(NULL_BRUSH);
        } else if (v.size() > 1) {
          dc->Polyline(v.data(), static_cast<int>(v.size()));
        }
        dc->SelectObject(old);
        break;
      }
      default: break;
    }
    if (oldBrush) dc->SelectObject(static_cast<CBrush*>(oldBrush));
  }
  if (m_nTool == PAINT_FLOATING && m_pFloating && !m_pFloating->IsEmpty()) {
    dc->StretchDIBits(m_rcSelect.left, m_rcSelect.top, m_rcSelect.Width(), m_rcSelect.Height(), 0, 0,
                      m_pFloating->m_nWidth, m_pFloating->m_nHeight, m_pFloating->m_pBits, m_pFloating->m_pBitmapInfo,
                      DIB_RGB_COLORS, SRCAND);
  }
}
