// Bounds of all copies of an object for invalidation, the measuring runs of the two text kinds,
// hit tests of a mouse point, containment in a rubber band, the packing of character records and
// the arc-text guide.
#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

#include "model/bmpobject.h"
#include "model/drawobject.h"
#include "model/kinds.h"
#include "model/textobject.h"
#include "platform/gdi/dc.h"
#include "render/object_renderer.h"
#include "render/text_layout.h"

namespace {

// The grid of copies of an object (mm).
struct Grid {
  double width = 0, height = 0;
  int rows = 0, columns = 0;
  double rowGap = 0, columnGap = 0;
};

template <class T>
bool Take(double w, double h, Grid& g, const T* typed) {
  g.width = w;
  g.height = h;
  g.rows = typed->m_nRows;
  g.columns = typed->m_nColumns;
  g.rowGap = typed->m_dRowGap;
  g.columnGap = typed->m_dColumnGap;
  return true;
}

// False for kinds without a grid, and for an object whose class does not match its kind code.
bool GridOf(const CDrawObject* obj, Grid& g) {
  switch (obj->m_nType) {
    case TYPE_LINE:
      if (auto* o = dynamic_cast<const CLineObject*>(obj)) return Take(o->m_dWidth, o->m_dHeight, g, o);
      return false;
    case TYPE_RECTANGLE:
      if (auto* o = dynamic_cast<const CRectangleObject*>(obj)) return Take(o->m_dWidth, o->m_dHeight, g, o);
      return false;
    case TYPE_CIRCLE:
      if (auto* o = dynamic_cast<const CCircleObject*>(obj)) return Take(o->m_dSizeX, o->m_dSizeY, g, o);
      return false;
    case TYPE_TRIANGLE:
      if (auto* o = dynamic_cast<const CTriangleObject*>(obj)) return Take(o->m_dWidth, o->m_dHeight, g, o);
      return false;
    case TYPE_RHOMBIC:
      if (auto* o = dynamic_cast<const CRhombicObject*>(obj)) return Take(o->m_dWidth, o->m_dHeight, g, o);
      return false;
    case TYPE_POLYGON:
      if (auto* o = dynamic_cast<const CPolygonObject*>(obj)) return Take(o->m_dSize, o->m_dSize, g, o);
      return false;
    case TYPE_TEXT1:
      if (auto* o = dynamic_cast<const CText1Object*>(obj)) return Take(o->m_dWidth, o->m_dHeight, g, o);
      return false;
    case TYPE_TEXT2:
      if (auto* o = dynamic_cast<const CText2Object*>(obj))
        return Take(2 * o->m_dRadiusX, 2 * o->m_dRadiusY, g, o);
      return false;
    case TYPE_BMP:
      if (auto* o = dynamic_cast<const CBmpObject*>(obj)) return Take(o->m_dWidth, o->m_dHeight, g, o);
      return false;
    case TYPE_BARCODE:
      if (auto* o = dynamic_cast<const CBarcodeObject*>(obj)) return Take(o->m_dSizeX, o->m_dSizeY, g, o);
      return false;
    default:
      return false;
  }
}

// The whole grid's extent along one axis (mm).
double GridSpan(int count, double size, double gap) { return count * size + (count - 1) * gap; }

// What the copies along one axis cover (mm), centred on the position as they are: the grid's
// extent, unless a gap more negative than the copy turns the row over or stacks it.
double CoveredSpan(int count, double size, double gap) {
  return (count - 1) * std::fabs(size + gap) + std::fabs(size);
}

// A line's copies are drawn turned about their own centres: the grid's logical rectangle r is
// widened on every side by as much as a turned copy of logical size w x h reaches past its box.
void WidenForTurn(double degrees, double w, double h, CDoubleRect& r) {
  if (degrees == 0) return;
  double reachX = 0, reachY = 0;
  for (const double cx : {-0.5, 0.5}) {
    for (const double cy : {-0.5, 0.5}) {
      CDoublePoint p;
      CObjectRenderer::RotatePoint(&p, 0, 0, cx * w, cy * h, -degrees);
      reachX = std::max(reachX, std::fabs(p.x));
      reachY = std::max(reachY, std::fabs(p.y));
    }
  }
  const double growX = std::max(0.0, reachX - std::fabs(w) / 2), growY = std::max(0.0, reachY - std::fabs(h) / 2);
  if (!std::isfinite(growX) || !std::isfinite(growY)) return;
  // Each edge moves away from its opposite, whichever way the mapping runs.
  auto widen = [](double& a, double& b, double by) {
    const double d = a <= b ? by : -by;
    a -= d;
    b += d;
  };
  widen(r.left, r.right, growX);
  widen(r.bottom, r.top, growY);
}

// Centre of copy (i, j) of the grid: columns from the left, rows from the bottom.
double CopyCentre(double pos, int count, int index, double step) {
  double first = pos - (count / 2) * step;
  if (count % 2 == 0) first += step / 2;
  return first + index * step;
}

int ClampToInt(long long v) {
  return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

// Builds one captured shape of a copy as a region; `at` advances past the group read. False when
// the vector holds no further complete group.
enum class RgnShape { Rect, RoundRect, Ellipse, Polygon };

bool BuildShapeRgn(CRgn& rgn, const std::vector<CDoublePoint>& v, size_t& at, RgnShape shape, int count) {
  if (count <= 0 || at + static_cast<size_t>(count) > v.size()) return false;
  auto pt = [&](int k) { return POINT{DoubleToInt(v[at + k].x), DoubleToInt(v[at + k].y)}; };
  switch (shape) {
    case RgnShape::Rect: {
      const POINT a = pt(0), b = pt(1);
      rgn.CreateRectRgn(a.x, a.y, b.x, b.y);
      break;
    }
    case RgnShape::RoundRect: {
      const POINT a = pt(0), b = pt(1), c = pt(2);
      rgn.CreateRoundRectRgn(a.x, a.y, b.x, b.y, c.x, c.y);
      break;
    }
    case RgnShape::Ellipse: {
      const POINT a = pt(0), b = pt(1);
      rgn.CreateEllipticRgn(a.x, a.y, b.x, b.y);
      break;
    }
    case RgnShape::Polygon: {
      std::vector<POINT> pts(static_cast<size_t>(count));
      for (int k = 0; k < count; ++k) pts[k] = pt(k);
      rgn.CreatePolygonRgn(pts.data(), count, ALTERNATE);
      break;
    }
  }
  at += static_cast<size_t>(count);
  return true;
}

// The corner style of a rectangle's outline as recorded: 0 square, 1 round, 2 cut.
int RectStyle(int style) { return (style == 1 || style == 2) ? style : 0; }

void StyleShape(int style, RgnShape& shape, int& count) {
  switch (style) {
    case 1: shape = RgnShape::RoundRect; count = 3; break;
    case 2: shape = RgnShape::Polygon; count = 9; break;
    default: shape = RgnShape::Rect; count = 2; break;
  }
}

}  // namespace

int CObjectRenderer::UpdateObjectRect(CDC* dc, CDrawObject* obj, RECT* out) {
  if (obj == nullptr || out == nullptr || obj->m_nType < TYPE_LINE || obj->m_nType > TYPE_BARCODE) return 0;
  if (obj->m_nType == TYPE_TEXT1) {
    auto* text = dynamic_cast<CText1Object*>(obj);
    if (text == nullptr) return 0;
    MeasureText1(dc, text, out);
  } else if (obj->m_nType == TYPE_TEXT2) {
    auto* text = dynamic_cast<CText2Object*>(obj);
    if (text == nullptr) return 0;
    MeasureText2(dc, text, out);
  } else {
    Grid g;
    if (!GridOf(obj, g)) return 0;
    CDoubleRect r;
    MmRectToLogical(CoveredSpan(g.columns, g.width, g.columnGap), CoveredSpan(g.rows, g.height, g.rowGap),
                    obj->m_dPosX, obj->m_dPosY, &r);
    if (obj->m_nType == TYPE_LINE) {
      CDoubleRect copy;
      MmRectToLogical(g.width, g.height, 0, 0, &copy);
      WidenForTurn(static_cast<const CLineObject*>(obj)->m_dAngle, copy.right - copy.left, copy.top - copy.bottom, r);
    }
    LogicalRectToDevice(dc, r, out);
  }
  out->left -= m_nScrollX;
  out->right -= m_nScrollX;
  out->top -= m_nScrollY;
  out->bottom -= m_nScrollY;
  return 1;
}

CObjectRenderer::MeasureState CObjectRenderer::GetMeasureState() const {
  MeasureState s;
  const double values[] = {static_cast<double>(m_bInitialised),
                           m_dScreenScale,
                           m_dEngraveScaleX,
                           m_dEngraveScaleY,
                           m_dMachineScaleX,
                           m_dMachineScaleY,
                           m_dExtentX,
                           m_dExtentY,
                           m_dPageX,
                           m_dPageY,
                           m_dOriginX,
                           m_dOriginY,
                           m_dScreenOriginX,
                           m_dScreenOriginY,
                           m_dEngraveOriginX,
                           m_dEngraveOriginY,
                           m_dMachineOriginX,
                           m_dMachineOriginY,
                           static_cast<double>(m_nMode),
                           static_cast<double>(m_nDpm),
                           static_cast<double>(m_nPixelX),
                           static_cast<double>(m_nPixelY),
                           static_cast<double>(m_nScrollX),
                           static_cast<double>(m_nScrollY)};
  static_assert(sizeof(values) == sizeof(s.values), "every member the measure reads is kept");
  std::copy(std::begin(values), std::end(values), s.values);
  return s;
}

namespace {

// The measuring run shared by both text kinds: lays out the top-left and the bottom-right copy
// and takes the outer edges of their glyphs and copy rectangles. A gap more negative than the
// copy is wide (or high) turns the grid over, so each edge is the outer one of both copies.
template <class Layout>
void MeasureCopies(CObjectRenderer& r, CDC* dc, const CDrawObject* obj, const Grid& g, RECT* out, Layout layout) {
  *out = RECT{};
  if (g.rows <= 0 || g.columns <= 0 || dc == nullptr) return;
  CDC mem;
  mem.CreateCompatibleDC(dc);
  const double sx = g.width + g.columnGap;
  const double sy = g.height + g.rowGap;
  auto measure = [&](int column, int row, CDoubleRect& glyphs, CDoubleRect& copy) {
    r.MmRectToLogical(g.width, g.height, CopyCentre(obj->m_dPosX, g.columns, column, sx),
                      CopyCentre(obj->m_dPosY, g.rows, row, sy), &copy);
    glyphs = copy;  // a copy without a drawn glyph measures as its rectangle
    layout(&mem, copy, &glyphs);
  };
  CDoubleRect glyphs, copy, result;
  measure(0, g.rows - 1, glyphs, copy);
  result.top = std::max(glyphs.top, copy.top);
  result.left = std::min(glyphs.left, copy.left);
  result.bottom = std::min(glyphs.bottom, copy.bottom);
  result.right = std::max(glyphs.right, copy.right);
  // A single copy is both corners: laid out once.
  if (g.columns > 1 || g.rows > 1) {
    measure(g.columns - 1, 0, glyphs, copy);
    result.top = std::max({result.top, glyphs.top, copy.top});
    result.left = std::min({result.left, glyphs.left, copy.left});
    result.bottom = std::min({result.bottom, glyphs.bottom, copy.bottom});
    result.right = std::max({result.right, glyphs.right, copy.right});
  }
  r.LogicalRectToDevice(dc, result, out);
}

}  // namespace

void CObjectRenderer::MeasureText1(CDC* dc, CText1Object* obj, RECT* out) {
  if (out == nullptr) return;
  *out = RECT{};
  if (obj == nullptr) return;
  Grid g;
  Take(obj->m_dWidth, obj->m_dHeight, g, obj);
  MeasureCopies(*this, dc, obj, g, out, [&](CDC* mem, const CDoubleRect& c, CDoubleRect* glyphs) {
    LayoutText1(mem, nullptr, c.left, c.top, c.right, c.bottom, obj, obj->m_crColor, obj->m_nOutputMode == 2,
                glyphs, 0);
  });
}

void CObjectRenderer::MeasureText2(CDC* dc, CText2Object* obj, RECT* out) {
  if (out == nullptr) return;
  *out = RECT{};
  if (obj == nullptr) return;
  Grid g;
  Take(2 * obj->m_dRadiusX, 2 * obj->m_dRadiusY, g, obj);
  MeasureCopies(*this, dc, obj, g, out, [&](CDC* mem, const CDoubleRect& c, CDoubleRect* glyphs) {
    LayoutText2(mem, nullptr, c.left, c.top, c.right, c.bottom, obj, obj->m_crColor, obj->m_nOutputMode == 2,
                glyphs, 0);
  });
}

CDoublePoint* CObjectRenderer::DeviceToMmLogical(CDoublePoint* out, CDC* dc, int x, int y, double* lx, double* ly) {
  DeviceToMm(out, dc, x, y);
  dc->SetMapMode(MM_HIMETRIC);
  // A zero-sized rectangle centred on the point is the point in logical units; an unknown mode
  // writes nothing, so lx and ly stay as they are.
  CDoubleRect r(*lx, *ly, *lx, *ly);
  MmRectToLogical(0, 0, out->x, out->y, &r);
  *lx = r.left;
  *ly = r.top;
  return out;
}

BOOL CObjectRenderer::HitTest(CDC* dc, int x, int y, CDrawObject* obj) {
  if (obj == nullptr || dc == nullptr) return FALSE;
  CDoublePoint mm;
  double lx = 0, ly = 0;
  DeviceToMmLogical(&mm, dc, x, y, &lx, &ly);
  const int ux = DoubleToInt(mm.x * 1000), uy = DoubleToInt(mm.y * 1000);
  const int px = DoubleToInt(lx), py = DoubleToInt(ly);

  switch (obj->m_nType) {
    case TYPE_LINE:
    case TYPE_TEXT1:
    case TYPE_TEXT2:
    case TYPE_BMP:
    case TYPE_BARCODE: {
      Grid g;
      if (!GridOf(obj, g)) return FALSE;
      // Micrometres, in 64 bits so that no grid can overflow the arithmetic.
      const long long w = DoubleToInt(GridSpan(g.columns, g.width, g.columnGap) * 1000);
      const long long h = DoubleToInt(GridSpan(g.rows, g.height, g.rowGap) * 1000);
      const long long left = DoubleToInt(static_cast<double>(-w / 2) + obj->m_dPosX * 1000);
      const long long top = DoubleToInt(static_cast<double>(h / 2) + obj->m_dPosY * 1000);
      CRgn rgn;
      rgn.CreateRectRgn(ClampToInt(left), ClampToInt(top), ClampToInt(left + w), ClampToInt(top - h));
      return rgn.PtInRegion(ux, uy);
    }
    case TYPE_RECTANGLE:
    case TYPE_CIRCLE:
    case TYPE_TRIANGLE:
    case TYPE_RHOMBIC:
    case TYPE_POLYGON: {
      RgnShape outerShape = RgnShape::Polygon, innerShape = RgnShape::Polygon;
      int outerCount = 0, innerCount = 0;
      switch (obj->m_nType) {
        case TYPE_RECTANGLE: {
          const int outer = RectStyle(obj->m_nOuterCornerStyle);
          const int inner = (outer != 0 && obj->m_nInnerCornerStyle != 0) ? outer : 0;
          StyleShape(outer, outerShape, outerCount);
          StyleShape(inner, innerShape, innerCount);
          break;
        }
        case TYPE_CIRCLE:
          outerShape = innerShape = RgnShape::Ellipse;
          outerCount = innerCount = 2;
          break;
        case TYPE_TRIANGLE: outerCount = innerCount = 3; break;
        case TYPE_RHOMBIC: outerCount = innerCount = 4; break;
        default: {
          auto* polygon = dynamic_cast<const CPolygonObject*>(obj);
          outerCount = innerCount = polygon != nullptr ? polygon->m_nEdges : 0;
          break;
        }
      }
      size_t outerAt = 0, innerAt = 0;
      for (int c = 0; c < obj->m_nCapturedCount; ++c) {
        CRgn outer, inner, band;
        if (!BuildShapeRgn(outer, obj->m_vOuterPoints, outerAt, outerShape, outerCount)) return FALSE;
        if (!BuildShapeRgn(inner, obj->m_vInnerPoints, innerAt, innerShape, innerCount)) return FALSE;
        band.CreateRectRgn(0, 0, 0, 0);
        band.CombineRgn(&outer, &inner, RGN_DIFF);
        if (band.PtInRegion(px, py)) return TRUE;
      }
      return FALSE;
    }
    default:
      return FALSE;
  }
}

BOOL CObjectRenderer::ConnotateTest(CDC* dc, int left, int top, int right, int bottom, CDrawObject* obj) {
  if (obj == nullptr || dc == nullptr) return FALSE;
  CDoubleRect mm;
  DeviceRectToMm(&mm, dc, left, top, right, bottom);
  CDoubleRect band;
  MmEdgesToLogical(mm.left, mm.top, mm.right, mm.bottom, &band);
  const CDoubleRect& b = obj->m_rcBounds;
  return (b.left >= band.left && b.right <= band.right && b.top <= band.top && b.bottom >= band.bottom) ? TRUE
                                                                                                        : FALSE;
}

void CObjectRenderer::FindCharLine(const CString* lines, int lineCount, int capacity, CTextCharRecord* packed,
                                   const CTextCharRecord* records, int recordCount) {
  if (lines == nullptr || packed == nullptr) return;
  textlayout::PackCharRecords(lines, lineCount, capacity, packed, records, records != nullptr ? recordCount : 0);
}

CDoublePoint CObjectRenderer::DrawArcGuide(CDC* dc, double left, double top, double right, double bottom, double rx,
                                           double ry, double start, double span, BOOL lower) {
  const textlayout::ArcAngles a = textlayout::ArcGuideAngles(start, span, lower ? 1 : 0);
  if (dc != nullptr) {
    LOGBRUSH lb;
    lb.lbStyle = BS_HOLLOW;
    CBrush hollow;
    hollow.CreateBrushIndirect(&lb);
    CBrush* old = dc->SelectObject(&hollow);
    dc->Ellipse(DoubleToInt(left), DoubleToInt(top), DoubleToInt(right), DoubleToInt(bottom));
    const double cx = (left + right) / 2;
    const double cy = (top + bottom) / 2;
    CDoublePoint p;
    GetEllipseAngle(cx, cy, rx, ry, a.first, &p);
    dc->MoveTo(DoubleToInt(cx), DoubleToInt(cy));
    dc->LineTo(DoubleToInt(p.x), DoubleToInt(p.y));
    GetEllipseAngle(cx, cy, rx, ry, a.last, &p);
    dc->MoveTo(DoubleToInt(cx), DoubleToInt(cy));
    dc->LineTo(DoubleToInt(p.x), DoubleToInt(p.y));
    dc->SelectObject(old);
  }
  return CDoublePoint(a.first, a.last);
}
