// Per-kind geometry: the grid of copies, the bounds in millimetres, and the drawing, engraving
// and outline routines that hand the renderer one copy at a time.
#include <algorithm>
#include <cmath>
#include <vector>

#include "canvas/leftview.h"
#include "canvas/leftview_copies.h"
#include "model/bmpobject.h"
#include "model/drawobject.h"
#include "model/korvane_doc.h"
#include "model/textobject.h"

// ---- Grid of copies -----------------------------------------------------------------------------

namespace {

// The first copy's centre along one axis: odd counts put the middle copy on the position, even
// counts put the position between the two middle copies.
double FirstCentre(double pos, int count, double step) {
  const double first = pos - (count / 2) * step;
  return (count % 2 == 0) ? first + step / 2 : first;
}

template <class T>
CopyGrid GridOf(const T* o, double width, double height) {
  CopyGrid g;
  g.width = width;
  g.height = height;
  g.rows = o->m_nRows;
  g.columns = o->m_nColumns;
  g.rowGap = o->m_dRowGap;
  g.columnGap = o->m_dColumnGap;
  g.posX = o->m_dPosX;
  g.posY = o->m_dPosY;
  return g;
}

}  // namespace

double CopyGrid::CentreX(int i) const {
  const double step = width + columnGap;
  return FirstCentre(posX, columns, step) + i * step;
}

double CopyGrid::CentreY(int j) const {
  const double step = height + rowGap;
  return FirstCentre(posY, rows, step) + j * step;
}

CDoubleRect CopyGrid::Bounds() const {
  if (rows == 1 && columns == 1)
    return CDoubleRect(posX - width / 2, posY + height / 2, posX + width / 2, posY - height / 2);
  CDoubleRect out;
  bool first = true;
  for (int i = 0; i < columns; ++i) {
    for (int j = 0; j < rows; ++j) {
      const double cx = CentreX(i), cy = CentreY(j);
      const CDoubleRect r(cx - width / 2, cy + height / 2, cx + width / 2, cy - height / 2);
      if (first) {
        out = r;
        first = false;
        continue;
      }
      if (r.left < out.left) out.left = r.left;
      if (r.right > out.right) out.right = r.right;
      if (r.top > out.top) out.top = r.top;
      if (r.bottom < out.bottom) out.bottom = r.bottom;
    }
  }
  return out;
}

CopyGrid CLeftView::GetCopyGrid(const CDrawObject* object) {
  switch (object->m_nType) {
    case TYPE_LINE: {
      auto* o = static_cast<const CLineObject*>(object);
      return GridOf(o, o->m_dWidth, o->m_dHeight);
    }
    case TYPE_RECTANGLE: {
      auto* o = static_cast<const CRectangleObject*>(object);
      return GridOf(o, o->m_dWidth, o->m_dHeight);
    }
    case TYPE_CIRCLE: {
      auto* o = static_cast<const CCircleObject*>(object);
      return GridOf(o, o->m_dSizeX, o->m_dSizeY);
    }
    case TYPE_TRIANGLE: {
      auto* o = static_cast<const CTriangleObject*>(object);
      return GridOf(o, o->m_dWidth, o->m_dHeight);
    }
    case TYPE_RHOMBIC: {
      auto* o = static_cast<const CRhombicObject*>(object);
      return GridOf(o, o->m_dWidth, o->m_dHeight);
    }
    case TYPE_POLYGON: {
      auto* o = static_cast<const CPolygonObject*>(object);
      return GridOf(o, o->m_dSize, o->m_dSize);
    }
    case TYPE_TEXT1: {
      auto* o = static_cast<const CText1Object*>(object);
      return GridOf(o, o->m_dWidth, o->m_dHeight);
    }
    case TYPE_TEXT2: {
      auto* o = static_cast<const CText2Object*>(object);
      return GridOf(o, o->m_dRadiusX * 2, o->m_dRadiusY * 2);
    }
    case TYPE_BMP: {
      auto* o = static_cast<const CBmpObject*>(object);
      return GridOf(o, o->m_dWidth, o->m_dHeight);
    }
    case TYPE_BARCODE: {
      auto* o = static_cast<const CBarcodeObject*>(object);
      return GridOf(o, o->m_dSizeX, o->m_dSizeY);
    }
    default:
      return CopyGrid{};
  }
}


// ---- Copies a screen paint can see ---------------------------------------------------------------

namespace {

// Device pixels a copy's drawing may stand out of its bound besides the pens and the rounding.
constexpr double kCopySlack = 3.0;

// The indices of copies whose centre, at c0 + k * step, lies within [lo, hi]; none when
// first > last. False when the numbers cannot be trusted.
bool ShownRange(double c0, double step, double lo, double hi, int count, int& first, int& last) {
  if (!std::isfinite(c0) || !std::isfinite(step) || !std::isfinite(lo) || !std::isfinite(hi)) return false;
  first = 0;
  last = -1;
  if (step == 0) {
    if (c0 >= lo && c0 <= hi) last = count - 1;
    return true;
  }
  double t0 = (lo - c0) / step, t1 = (hi - c0) / step;
  if (t0 > t1) std::swap(t0, t1);
  // One copy more on each side for the renderer's rounding.
  t0 = std::floor(t0) - 1;
  t1 = std::ceil(t1) + 1;
  if (t1 < 0 || t0 > count - 1) return true;
  first = static_cast<int>(std::max(t0, 0.0));
  last = static_cast<int>(std::min(t1, static_cast<double>(count - 1)));
  return true;
}

}  // namespace

bool CLeftView::GetShownCopies(CDrawObject* obj, const CopyGrid& grid, ShownCopies& out) {
  CDC* dc = m_pPaintClipDC;
  if (!dc || !dc->GetBackend() || m_nCopyLimit > 0 || grid.rows <= 0 || grid.columns <= 0) return false;
  const bool text = obj->m_nType == TYPE_TEXT1 || obj->m_nType == TYPE_TEXT2;
  // A text's glyphs may stand out of its copies; measuring them costs more than drawing a single
  // copy, so a text is bounded only when it has several.
  if (text && grid.rows == 1 && grid.columns == 1) return false;
  const RECT clip = dc->GetBackend()->ClipBox();
  if (clip.right <= clip.left || clip.bottom <= clip.top) {
    out = ShownCopies{};
    return true;
  }
  auto deviceRect = [&](int i, int j, DPOINT& a, DPOINT& b) {
    CDoubleRect r;
    m_pRenderer->MmRectToLogical(grid.width, grid.height, grid.CentreX(i), grid.CentreY(j), &r);
    a = dc->LPtoDPExact(r.left, r.top);
    b = dc->LPtoDPExact(r.right, r.bottom);
  };
  DPOINT a0, a1, b0, b1;
  deviceRect(0, 0, a0, a1);
  deviceRect(1, 1, b0, b1);
  const double halfW = std::fabs(a1.x - a0.x) / 2, halfH = std::fabs(a1.y - a0.y) / 2;
  const double cx = (a0.x + a1.x) / 2, cy = (a0.y + a1.y) / 2;
  const double stepX = (b0.x + b1.x) / 2 - cx, stepY = (b0.y + b1.y) / 2 - cy;
  double reachX = 0, reachY = 0;
  if (text) {
    // The glyphs' overhang past the corner copies is every copy's.
    RECT m{};
    if (obj->m_nType == TYPE_TEXT1)
      m_pRenderer->MeasureText1(dc, static_cast<CText1Object*>(obj), &m);
    else
      m_pRenderer->MeasureText2(dc, static_cast<CText2Object*>(obj), &m);
    DPOINT c0, c1, d0, d1;
    deviceRect(0, 0, c0, c1);
    deviceRect(grid.columns - 1, grid.rows - 1, d0, d1);
    const double left = std::min({c0.x, c1.x, d0.x, d1.x}), right = std::max({c0.x, c1.x, d0.x, d1.x});
    const double top = std::min({c0.y, c1.y, d0.y, d1.y}), bottom = std::max({c0.y, c1.y, d0.y, d1.y});
    const double over = std::max({0.0, left - std::min(m.left, m.right), std::max(m.left, m.right) - right,
                                  top - std::min(m.top, m.bottom), std::max(m.top, m.bottom) - bottom});
    reachX = halfW + over;
    reachY = halfH + over;
  } else {
    // Lines turn about their centre: the circle round the copy holds every angle.
    reachX = reachY = std::hypot(halfW, halfH);
  }
  reachX += kCopySlack;
  reachY += kCopySlack;
  if (!ShownRange(cx, stepX, clip.left - reachX, clip.right + reachX, grid.columns, out.i0, out.i1)) return false;
  if (!ShownRange(cy, stepY, clip.top - reachY, clip.bottom + reachY, grid.rows, out.j0, out.j1)) return false;
  return true;
}

// ---- Bounds in millimetres ----------------------------------------------------------------------

BOOL CLeftView::CalcObject(CDrawObject* object, CDoubleRect& out) {
  Trace("---------CLeftView::CalcObject\n");
  out.SetRect(0, 0, 0, 0);
  if (!object) return FALSE;
  switch (object->m_nType) {
    case TYPE_LINE: CalcLine(static_cast<CLineObject*>(object), out); return TRUE;
    case TYPE_RECTANGLE: CalcRectangle(static_cast<CRectangleObject*>(object), out); return TRUE;
    case TYPE_CIRCLE: CalcCircle(static_cast<CCircleObject*>(object), out); return TRUE;
    case TYPE_TRIANGLE: CalcTriangle(static_cast<CTriangleObject*>(object), out); return TRUE;
    case TYPE_RHOMBIC: CalcRhombic(static_cast<CRhombicObject*>(object), out); return TRUE;
    case TYPE_POLYGON: CalcPolygon(static_cast<CPolygonObject*>(object), out); return TRUE;
    case TYPE_TEXT1: CalcText1(static_cast<CText1Object*>(object), out); return TRUE;
    case TYPE_TEXT2: CalcText2(static_cast<CText2Object*>(object), out); return TRUE;
    case TYPE_BMP: CalcBmp(static_cast<CBmpObject*>(object), out); return TRUE;
    case TYPE_BARCODE: CalcBarcode(static_cast<CBarcodeObject*>(object), out); return TRUE;
    default: return FALSE;
  }
}

void CLeftView::CalcLine(CLineObject* obj, CDoubleRect& out) {
  Trace("---------CLeftView::CalcLine\n");
  out = GetCopyGrid(obj).Bounds();
}
void CLeftView::CalcRectangle(CRectangleObject* obj, CDoubleRect& out) {
  Trace("---------CLeftView::CalcRectangle\n");
  out = GetCopyGrid(obj).Bounds();
}
void CLeftView::CalcCircle(CCircleObject* obj, CDoubleRect& out) {
  Trace("---------CLeftView::CalcCircle\n");
  out = GetCopyGrid(obj).Bounds();
}
void CLeftView::CalcTriangle(CTriangleObject* obj, CDoubleRect& out) {
  Trace("---------CLeftView::CalcTriangle\n");
  out = GetCopyGrid(obj).Bounds();
}
void CLeftView::CalcRhombic(CRhombicObject* obj, CDoubleRect& out) {
  Trace("---------CLeftView::CalcRhombic\n");
  out = GetCopyGrid(obj).Bounds();
}
void CLeftView::CalcPolygon(CPolygonObject* obj, CDoubleRect& out) {
  Trace("---------CLeftView::CalcPolygon\n");
  out = GetCopyGrid(obj).Bounds();
}
void CLeftView::CalcText1(CText1Object* obj, CDoubleRect& out) {
  Trace("---------CLeftView::CalcText1\n");
  out = GetCopyGrid(obj).Bounds();
}
void CLeftView::CalcText2(CText2Object* obj, CDoubleRect& out) {
  Trace("---------CLeftView::CalcText2\n");
  out = GetCopyGrid(obj).Bounds();
}
void CLeftView::CalcBmp(CBmpObject* obj, CDoubleRect& out) {
  Trace("---------CLeftView::CalcBmp\n");
  out = GetCopyGrid(obj).Bounds();
}

// ---- Common steps ---------------------------------------------------------------------------------

void CLeftView::ClearCaptured(CDrawObject* obj) {
  obj->m_vInnerPoints.clear();
  obj->m_vOuterPoints.clear();
  obj->m_nCapturedCount = 0;
}

void CLeftView::SetRectangleCornerStyles(CRectangleObject* obj) {
  obj->m_nOuterCornerStyle = obj->m_nEdgeStyle;
  // The inner contour of a frame keeps the rounding or cut only where the frame is thinner
  // than the corner.
  if (obj->m_nEdgeStyle == 1 || obj->m_nEdgeStyle == 2)
    obj->m_nInnerCornerStyle = (obj->m_dEdgeSize < obj->m_dEdgeRadius) ? obj->m_nEdgeStyle : 0;
  else
    obj->m_nInnerCornerStyle = 0;
}



namespace {
int FillFlag(const CDrawObject* obj) { return obj->m_nOutputMode == 2 ? 1 : 0; }
}  // namespace

// ---- Drawing --------------------------------------------------------------------------------------

void CLeftView::DrawObject(CDC* pDC, CDrawObject* obj, BOOL screen) {
  switch (obj->m_nType) {
    case TYPE_LINE: DrawLine(pDC, static_cast<CLineObject*>(obj)); break;
    case TYPE_RECTANGLE: DrawRectangle(pDC, static_cast<CRectangleObject*>(obj), screen); break;
    case TYPE_CIRCLE: DrawCircle(pDC, static_cast<CCircleObject*>(obj), screen); break;
    case TYPE_TRIANGLE: DrawTriangle(pDC, static_cast<CTriangleObject*>(obj), screen); break;
    case TYPE_RHOMBIC: DrawRhombic(pDC, static_cast<CRhombicObject*>(obj), screen); break;
    case TYPE_POLYGON: DrawPolygon(pDC, static_cast<CPolygonObject*>(obj), screen); break;
    case TYPE_TEXT1: DrawText1(pDC, static_cast<CText1Object*>(obj)); break;
    case TYPE_TEXT2: DrawText2(pDC, static_cast<CText2Object*>(obj)); break;
    case TYPE_BMP: DrawBmp(pDC, static_cast<CBmpObject*>(obj)); break;
    case TYPE_BARCODE: DrawBarcode(pDC, static_cast<CBarcodeObject*>(obj)); break;
    default: break;
  }
}

void CLeftView::DrawLine(CDC* pDC, CLineObject* obj) {
  Trace("---------CLeftView::DrawLine\n");
  DrawCopies(obj, [&](const CDoubleRect& r) {
    m_pRenderer->DrawLine(pDC, r.left, r.top, r.right, r.bottom, obj->m_dAngle, obj->m_crColor, FillFlag(obj),
                          nullptr);
  });
}

void CLeftView::DrawRectangle(CDC* pDC, CRectangleObject* obj, BOOL screen) {
  Trace("---------CLeftView::DrawRectangle\n");
  ClearCaptured(obj);
  SetRectangleCornerStyles(obj);
  DrawCopies(obj, [&](const CDoubleRect& r, CDC* sink) {
    CDC* dc = sink ? sink : pDC;
    m_pRenderer->DrawRectangle(dc, r.left, r.top, r.right, r.bottom, obj, obj->m_crColor, FillFlag(obj), nullptr,
                               screen);
  });
}

void CLeftView::DrawCircle(CDC* pDC, CCircleObject* obj, BOOL screen) {
  Trace("---------CLeftView::DrawCircle\n");
  ClearCaptured(obj);
  DrawCopies(obj, [&](const CDoubleRect& r, CDC* sink) {
    CDC* dc = sink ? sink : pDC;
    m_pRenderer->DrawCircle(dc, r.left, r.top, r.right, r.bottom, obj, obj->m_crColor, FillFlag(obj), nullptr,
                            screen);
  });
}

void CLeftView::DrawTriangle(CDC* pDC, CTriangleObject* obj, BOOL screen) {
  Trace("---------CLeftView::DrawTriangle\n");
  ClearCaptured(obj);
  DrawCopies(obj, [&](const CDoubleRect& r, CDC* sink) {
    CDC* dc = sink ? sink : pDC;
    m_pRenderer->DrawTriangle(dc, r.left, r.top, r.right, r.bottom, obj, obj->m_crColor, FillFlag(obj), nullptr,
                              screen);
  });
}

void CLeftView::DrawRhombic(CDC* pDC, CRhombicObject* obj, BOOL screen) {
  Trace("---------CLeftView::DrawRhombic\n");
  ClearCaptured(obj);
  DrawCopies(obj, [&](const CDoubleRect& r, CDC* sink) {
    CDC* dc = sink ? sink : pDC;
    m_pRenderer->DrawRhombic(dc, r.left, r.top, r.right, r.bottom, obj, obj->m_crColor, FillFlag(obj), nullptr,
                             screen);
  });
}

void CLeftView::DrawPolygon(CDC* pDC, CPolygonObject* obj, BOOL screen) {
  Trace("---------CLeftView::DrawPolygon\n");
  ClearCaptured(obj);
  DrawCopies(obj, [&](const CDoubleRect& r, CDC* sink) {
    CDC* dc = sink ? sink : pDC;
    m_pRenderer->DrawPolygon(dc, r.left, r.top, r.right, r.bottom, obj, obj->m_crColor, FillFlag(obj), nullptr,
                             screen);
  });
}

void CLeftView::DrawBmp(CDC* pDC, CBmpObject* obj) {
  Trace("---------CLeftView::DrawBmp\n");
  ClearCaptured(obj);
  DrawCopies(obj, [&](const CDoubleRect& r) {
    m_pRenderer->DrawBmp(pDC, r.left, r.top, r.right, r.bottom, obj, nullptr, TRUE);
  });
}


// ---- Engraving ------------------------------------------------------------------------------------

void CLeftView::EngraveObject(CDC* pDC, CDrawObject* obj, CDoubleRect* bounds) {
  switch (obj->m_nType) {
    case TYPE_LINE: EngraveLine(pDC, static_cast<CLineObject*>(obj), bounds); break;
    case TYPE_RECTANGLE: EngraveRectangle(pDC, static_cast<CRectangleObject*>(obj), bounds); break;
    case TYPE_CIRCLE: EngraveCircle(pDC, static_cast<CCircleObject*>(obj), bounds); break;
    case TYPE_TRIANGLE: EngraveTriangle(pDC, static_cast<CTriangleObject*>(obj), bounds); break;
    case TYPE_RHOMBIC: EngraveRhombic(pDC, static_cast<CRhombicObject*>(obj), bounds); break;
    case TYPE_POLYGON: EngravePolygon(pDC, static_cast<CPolygonObject*>(obj), bounds); break;
    case TYPE_TEXT1: EngraveText1(pDC, static_cast<CText1Object*>(obj), bounds); break;
    case TYPE_TEXT2: EngraveText2(pDC, static_cast<CText2Object*>(obj), bounds); break;
    case TYPE_BMP: EngraveBmp(pDC, static_cast<CBmpObject*>(obj), bounds); break;
    case TYPE_BARCODE: EngraveBarcode(pDC, static_cast<CBarcodeObject*>(obj), bounds); break;
    default: break;
  }
}

void CLeftView::EngraveLine(CDC* pDC, CLineObject* obj, CDoubleRect* bounds) {
  Trace("---------CLeftView::EngraveLine\n");
  EngraveCopies(obj, bounds, [&](const CDoubleRect& r, CDoubleRect* drawn) {
    m_pRenderer->DrawLine(pDC, r.left, r.top, r.right, r.bottom, obj->m_dAngle, 0, FillFlag(obj), drawn);
  });
}

void CLeftView::EngraveRectangle(CDC* pDC, CRectangleObject* obj, CDoubleRect* bounds) {
  Trace("---------CLeftView::EngraveRectangle\n");
  ClearCaptured(obj);
  SetRectangleCornerStyles(obj);
  EngraveCopies(obj, bounds, [&](const CDoubleRect& r, CDoubleRect* drawn) {
    m_pRenderer->DrawRectangle(pDC, r.left, r.top, r.right, r.bottom, obj, 0, FillFlag(obj), drawn, FALSE);
  });
}

void CLeftView::EngraveCircle(CDC* pDC, CCircleObject* obj, CDoubleRect* bounds) {
  Trace("---------CLeftView::EngraveCircle\n");
  ClearCaptured(obj);
  EngraveCopies(obj, bounds, [&](const CDoubleRect& r, CDoubleRect* drawn) {
    m_pRenderer->DrawCircle(pDC, r.left, r.top, r.right, r.bottom, obj, 0, FillFlag(obj), drawn, FALSE);
  });
}

void CLeftView::EngraveTriangle(CDC* pDC, CTriangleObject* obj, CDoubleRect* bounds) {
  Trace("---------CLeftView::EngraveTriangle\n");
  ClearCaptured(obj);
  EngraveCopies(obj, bounds, [&](const CDoubleRect& r, CDoubleRect* drawn) {
    m_pRenderer->DrawTriangle(pDC, r.left, r.top, r.right, r.bottom, obj, 0, FillFlag(obj), drawn, FALSE);
  });
}

void CLeftView::EngraveRhombic(CDC* pDC, CRhombicObject* obj, CDoubleRect* bounds) {
  Trace("---------CLeftView::EngraveRhombic\n");
  ClearCaptured(obj);
  EngraveCopies(obj, bounds, [&](const CDoubleRect& r, CDoubleRect* drawn) {
    m_pRenderer->DrawRhombic(pDC, r.left, r.top, r.right, r.bottom, obj, 0, FillFlag(obj), drawn, FALSE);
  });
}

void CLeftView::EngravePolygon(CDC* pDC, CPolygonObject* obj, CDoubleRect* bounds) {
  Trace("---------CLeftView::EngravePolygon\n");
  ClearCaptured(obj);
  EngraveCopies(obj, bounds, [&](const CDoubleRect& r, CDoubleRect* drawn) {
    m_pRenderer->DrawPolygon(pDC, r.left, r.top, r.right, r.bottom, obj, 0, FillFlag(obj), drawn, FALSE);
  });
}

void CLeftView::EngraveBmp(CDC* pDC, CBmpObject* obj, CDoubleRect* bounds) {
  Trace("---------CLeftView::EngraveBmp\n");
  ClearCaptured(obj);
  EngraveCopies(obj, bounds, [&](const CDoubleRect& r, CDoubleRect* drawn) {
    m_pRenderer->DrawBmp(pDC, r.left, r.top, r.right, r.bottom, obj, drawn, FALSE);
  });
}


// ---- Outline capture through a path ----------------------------------------------------------------

template <class Fn>
int CLeftView::CapturePath(CDC* pDC, CDrawObject* obj, Fn fn) {
  StartOutlinePoints(pDC);
  ForEachCopy(GetCopyGrid(obj), [&](const CDoubleRect& r, int, int, int) { fn(r); });
  const int n = GetOutlinePoints(pDC);
  // A path past its point limit was abandoned: the object is too large, not empty.
  return pDC->PathOverflowed() ? kObjectTooLarge : n;
}

int CLeftView::GetLinePoints(CDC* pDC, CLineObject* obj) {
  Trace("---------CLeftView::GetLinePoints\n");
  return CapturePath(pDC, obj, [&](const CDoubleRect& r) {
    m_pRenderer->GetLinePoints(pDC, r.left, r.top, r.right, r.bottom, obj->m_dAngle);
  });
}

int CLeftView::GetRectanglePoints(CDC* pDC, CRectangleObject* obj) {
  Trace("---------CLeftView::GetRectanglePoints\n");
  SetRectangleCornerStyles(obj);
  return CapturePath(pDC, obj, [&](const CDoubleRect& r) {
    m_pRenderer->GetRectanglePoints(pDC, r.left, r.top, r.right, r.bottom, obj);
  });
}

int CLeftView::GetTrianglePoints(CDC* pDC, CTriangleObject* obj) {
  Trace("---------CLeftView::GetTrianglePoints\n");
  return CapturePath(pDC, obj, [&](const CDoubleRect& r) {
    m_pRenderer->GetTrianglePoints(pDC, r.left, r.top, r.right, r.bottom, obj);
  });
}

int CLeftView::GetRhombicPoints(CDC* pDC, CRhombicObject* obj) {
  Trace("---------CLeftView::GetRhombicPoints\n");
  return CapturePath(pDC, obj, [&](const CDoubleRect& r) {
    m_pRenderer->GetRhombicPoints(pDC, r.left, r.top, r.right, r.bottom, obj);
  });
}

int CLeftView::GetPolygonPoints(CDC* pDC, CPolygonObject* obj) {
  Trace("---------CLeftView::GetPolygonPoints\n");
  return CapturePath(pDC, obj, [&](const CDoubleRect& r) {
    m_pRenderer->GetPolygonPoints(pDC, r.left, r.top, r.right, r.bottom, obj);
  });
}

int CLeftView::GetCirclePoints(CDC*, CCircleObject* obj, int pathFlag) {
  Trace("---------CLeftView::GetCirclePoints\n");
  if (pathFlag != 0) return 0;  // only the centre-and-radius form is used
  const CopyGrid grid = GetCopyGrid(obj);
  if (grid.rows <= 0 || grid.columns <= 0) return 0;
  const int perCopy = (obj->m_dEdgeSize != 0) ? 2 : 1;
  const int count = grid.rows * grid.columns * perCopy;
  m_pOutlinePoints.assign(static_cast<size_t>(count), POINT{});
  m_pCircleRadii.assign(static_cast<size_t>(count), SIZE{});
  int edge[2] = {0, 0};
  if (perCopy == 2) m_pRenderer->LengthToLogicalInt(obj->m_dEdgeSize, edge);
  int k = 0;
  ForEachCopy(grid, [&](const CDoubleRect& r, int, int, int) {
    const POINT centre{DoubleToInt((r.right + r.left) / 2), DoubleToInt((r.bottom + r.top) / 2)};
    m_pOutlinePoints[k] = centre;
    m_pCircleRadii[k] = SIZE{DoubleToInt((r.right - r.left) / 2), DoubleToInt((r.top - r.bottom) / 2)};
    ++k;
    if (perCopy == 2) {
      const double l = r.left + edge[0], rt = r.right - edge[0];
      const double t = r.top - edge[1], b = r.bottom + edge[1];
      m_pOutlinePoints[k] = centre;
      m_pCircleRadii[k] = SIZE{DoubleToInt((rt - l) / 2), DoubleToInt((t - b) / 2)};
      ++k;
    }
  });
  return count;
}
