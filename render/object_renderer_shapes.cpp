// Shape kinds and work-area frame bands: drawing one copy filled or outlined, recording its
// boundary points for hit tests, and emitting its figures into an open path for outline output.
//
// Every band shape lies between an outer and an inner boundary. A filled band is both boundaries
// put into one path and filled under the alternate rule: the rasteriser then works in device
// pixels, where regions built in logical units (over a thousand per millimetre in the engraving
// mode) would cost a span row per logical unit.
//
// When the frame is wider than half the shape the inner boundary is empty or turned inside out;
// it is then dropped, so a filled band gets no hole and a captured outline no inner figure, and
// the recorded inner points collapse onto the centre (an empty region for the hit test).
#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "model/drawobject.h"
#include "platform/gdi/gdi.h"
#include "render/object_renderer.h"

namespace {

enum CornerStyle { CORNER_SQUARE = 0, CORNER_ROUND = 1, CORNER_CUT = 2 };

// One rectangular boundary of a rectangle or circle copy, in logical units (y up).
struct RectBoundary {
  int style = CORNER_SQUARE;
  double left = 0, top = 0, right = 0, bottom = 0;
  int ellipseW = 0, ellipseH = 0;  // round corners: the corner ellipse
  POINT cut[9] = {};              // cut corners: the closed outline
  bool valid = true;
};

bool IsRectValid(double left, double top, double right, double bottom) { return left < right && top > bottom; }

CRect ToRect(const RectBoundary& b) {
  return CRect(DoubleToInt(b.left), DoubleToInt(b.top), DoubleToInt(b.right), DoubleToInt(b.bottom));
}

// Points recorded for a dropped inner boundary: the same count, all on the copy's centre.
void AppendCollapsed(std::vector<CDoublePoint>& v, int count, double cx, double cy) {
  for (int i = 0; i < count; ++i) v.emplace_back(cx, cy);
}

void AppendRectBoundary(std::vector<CDoublePoint>& v, const RectBoundary& b, double cx, double cy) {
  switch (b.style) {
    case CORNER_ROUND:
      if (b.valid) {
        v.emplace_back(b.left, b.top);
        v.emplace_back(b.right, b.bottom);
      } else {
        AppendCollapsed(v, 2, cx, cy);
      }
      v.emplace_back(static_cast<double>(b.ellipseW), static_cast<double>(b.ellipseH));
      break;
    case CORNER_CUT:
      if (b.valid) {
        for (const POINT& p : b.cut) v.emplace_back(static_cast<double>(p.x), static_cast<double>(p.y));
      } else {
        AppendCollapsed(v, 9, cx, cy);
      }
      break;
    default:
      if (b.valid) {
        v.emplace_back(b.left, b.top);
        v.emplace_back(b.right, b.bottom);
      } else {
        AppendCollapsed(v, 2, cx, cy);
      }
      break;
  }
}

// Draws the boundary with the selected pen and brush; inside an open path it becomes the figure.
void StrokeRectBoundary(CDC* dc, const RectBoundary& b) {
  const CRect r = ToRect(b);
  switch (b.style) {
    case CORNER_ROUND:
      dc->RoundRect(r.left, r.top, r.right, r.bottom, b.ellipseW, b.ellipseH);
      break;
    case CORNER_CUT:
      dc->Polyline(b.cut, 9);
      break;
    default:
      dc->Rectangle(r.left, r.top, r.right, r.bottom);
      break;
  }
}

// Fills with a solid brush what the figures drawn by emit enclose under the alternate rule: the
// outer boundary minus the inner one when emit draws both. The device context's path, brush,
// fill mode and mix mode are as before afterwards. No path may be open on dc.
void FillFigures(CDC* dc, COLORREF colour, const std::function<void()>& emit) {
  CBrush brush;
  brush.CreateSolidBrush(colour);
  CBrush* oldBrush = dc->SelectObject(&brush);
  const int oldFill = dc->SetPolyFillMode(ALTERNATE);
  const int oldRop = dc->SetROP2(R2_COPYPEN);
  dc->BeginPath();
  emit();
  dc->EndPath();
  dc->FillPath();
  dc->SetROP2(oldRop);
  dc->SetPolyFillMode(oldFill);
  dc->SelectObject(oldBrush);
}

// Selects a hollow brush and a solid (or inside-frame) pen of width 1 for the lifetime of the
// object, restoring the previous ones afterwards.
class OutlineTools {
 public:
  OutlineTools(CDC* dc, COLORREF colour, int penStyle) : m_dc(dc) {
    m_pen.CreatePen(penStyle, 1, colour);
    LOGBRUSH lb{};
    lb.lbStyle = BS_HOLLOW;
    m_brush.CreateBrushIndirect(&lb);
    m_oldPen = m_dc->SelectObject(&m_pen);
    m_oldBrush = m_dc->SelectObject(&m_brush);
  }
  ~OutlineTools() {
    m_dc->SelectObject(m_oldPen);
    m_dc->SelectObject(m_oldBrush);
  }
  OutlineTools(const OutlineTools&) = delete;
  OutlineTools& operator=(const OutlineTools&) = delete;

 private:
  CDC* m_dc;
  CPen m_pen;
  CBrush m_brush;
  CPen* m_oldPen = nullptr;
  CBrush* m_oldBrush = nullptr;
};

bool TriangleInnerValid(const POINT* v, bool inverted) {
  const POINT* in = v + 3;
  if (in[0].x >= in[2].x) return false;
  return inverted ? in[1].y < in[0].y : in[1].y > in[0].y;
}

bool RhombicInnerValid(const POINT* v) {
  const POINT* in = v + 4;
  return in[0].y > in[2].y && in[1].x < in[3].x;
}

// The inner ring is valid while its first vertex lies on the same side of the centre as the
// outer one (a negative inner radius mirrors it through the centre) and no farther from it: a
// polygon shrunk past nothing has a negative radius, and its inner ring would stand round the
// outer one (without a frame the two rings are one).
bool PolygonInnerValid(const POINT* v, int n, double cx, double cy) {
  const double ox = v[0].x - cx, oy = v[0].y - cy;
  const double ix = v[n].x - cx, iy = v[n].y - cy;
  return ox * ix + oy * iy > 0 && ix * ix + iy * iy <= ox * ox + oy * oy;
}

// Fill or outline of a polygonal band (triangle, rhombus, regular polygon); v holds n outer and n
// inner vertices.
void DrawPolyBand(CDC* dc, CDrawObject* obj, const POINT* v, int n, bool innerValid, double cx, double cy,
                  COLORREF colour, BOOL fill) {
  for (int i = 0; i < n; ++i) obj->m_vOuterPoints.emplace_back(static_cast<double>(v[i].x), static_cast<double>(v[i].y));
  if (innerValid) {
    for (int i = n; i < 2 * n; ++i)
      obj->m_vInnerPoints.emplace_back(static_cast<double>(v[i].x), static_cast<double>(v[i].y));
  } else {
    AppendCollapsed(obj->m_vInnerPoints, n, cx, cy);
  }
  ++obj->m_nCapturedCount;

  const int counts[2] = {n, n};
  if (fill) {
    FillFigures(dc, colour, [&] { dc->PolyPolygon(v, counts, innerValid ? 2 : 1); });
  } else {
    OutlineTools tools(dc, colour, PS_SOLID);
    dc->PolyPolygon(v, counts, innerValid ? 2 : 1);
  }
}

// The captured figures of a polygonal band: with a frame both boundaries as closed figures,
// without one the outer boundary as an open polyline that returns to its first vertex.
void EmitPolyBand(CDC* dc, const POINT* v, int n, bool framed, bool innerValid) {
  if (framed) {
    const int counts[2] = {n, n};
    dc->PolyPolygon(v, counts, innerValid ? 2 : 1);
    return;
  }
  std::vector<POINT> line(v, v + n);
  line.push_back(v[0]);
  dc->Polyline(line.data(), n + 1);
}

}  // namespace

void CObjectRenderer::FrameToLogical(double mm, BOOL screen, double& fx, double& fy) const {
  double f[2] = {0, 0};
  LengthToLogical(mm, f);
  fx = f[0];
  fy = f[1];
  if (screen) {
    // Keep thin frames visible on the screen.
    if (fx != 0 && fx <= m_nPixelX) fx = m_nPixelX + 1;
    if (fy != 0 && fy <= m_nPixelY) fy = m_nPixelY + 1;
  }
}

// ---- Outline geometry --------------------------------------------------------------------------

void CObjectRenderer::GetCutCornerPoints(double left, double top, double right, double bottom, double cutX,
                                         double cutY, POINT out[9]) {
  // A chamfer longer than half the side would cross its neighbour.
  const double halfW = std::fabs(right - left) / 2;
  const double halfH = std::fabs(top - bottom) / 2;
  cutX = std::clamp(cutX, 0.0, halfW);
  cutY = std::clamp(cutY, 0.0, halfH);
  const double pts[9][2] = {
      {left, top - cutY},     {left, bottom + cutY}, {left + cutX, bottom}, {right - cutX, bottom},
      {right, bottom + cutY}, {right, top - cutY},   {right - cutX, top},   {left + cutX, top},
      {left, top - cutY},
  };
  for (int i = 0; i < 9; ++i) {
    out[i].x = DoubleToInt(pts[i][0]);
    out[i].y = DoubleToInt(pts[i][1]);
  }
}

void CObjectRenderer::CalcTriangleVertices(double left, double top, double right, double bottom,
                                           double frameWidthMm, BOOL inverted, POINT out[6], BOOL screen) const {
  double fx = 0, fy = 0;
  FrameToLogical(frameWidthMm, FALSE, fx, fy);
  const double w = right - left;
  const double h = top - bottom;
  const double centreX = left + w / 2;

  const double t = std::atan2(h, w / 2);
  double q = fx / std::tan(t / 2);
  double s = w != 0 ? h - (h * (w - 2 * q) / w + fy) : 0;
  if (screen && frameWidthMm != 0) {
    if (q <= m_nPixelX) q = m_nPixelX + 1;
    if (s <= m_nPixelY) s = m_nPixelY + 1;
    if (fx <= m_nPixelX) fx = m_nPixelX + 1;
    if (fy <= m_nPixelY) fy = m_nPixelY + 1;
  }

  double pts[6][2];
  if (!inverted) {
    const double o[6][2] = {{left, bottom},         {centreX, top},    {right, bottom},
                            {left + q, bottom + fy}, {centreX, top - s}, {right - q, bottom + fy}};
    std::copy(&o[0][0], &o[0][0] + 12, &pts[0][0]);
  } else {
    const double o[6][2] = {{left, top},         {centreX, bottom},    {right, top},
                            {left + q, top - fy}, {centreX, bottom + s}, {right - q, top - fy}};
    std::copy(&o[0][0], &o[0][0] + 12, &pts[0][0]);
  }
  for (int i = 0; i < 6; ++i) {
    out[i].x = DoubleToInt(pts[i][0]);
    out[i].y = DoubleToInt(pts[i][1]);
  }
}

void CObjectRenderer::CalcRhombicVertices(double left, double top, double right, double bottom,
                                          double frameWidthMm, POINT out[8], BOOL screen) const {
  double fx = 0, fy = 0;
  FrameToLogical(frameWidthMm, screen, fx, fy);
  const double cx = (left + right) / 2;
  const double cy = (top + bottom) / 2;
  const double a = std::atan2(top - bottom, right - left);
  const double dx = std::cos(a) * fx * 2;
  const double dy = std::sin(a) * fx * 2;
  const double pts[8][2] = {{cx, top},      {left, cy},      {cx, bottom},      {right, cy},
                            {cx, top - dy}, {left + dx, cy}, {cx, bottom + dy}, {right - dx, cy}};
  for (int i = 0; i < 8; ++i) {
    out[i].x = DoubleToInt(pts[i][0]);
    out[i].y = DoubleToInt(pts[i][1]);
  }
}

void CObjectRenderer::CalcPolygonVertices(double left, double top, double right, double bottom,
                                          double frameWidthMm, int n, POINT* out, BOOL screen) const {
  if (n < 3) return;
  double fx = 0, fy = 0;
  FrameToLogical(frameWidthMm, screen, fx, fy);
  const double step = 360.0 / n;
  const double start = (n % 2 != 0) ? -90.0 : step / 2 - 90;
  const double cx = (left + right) / 2;
  const double cy = (top + bottom) / 2;
  const double radius = right - cx;
  const double innerRadius = radius - fx;
  for (int i = 0; i < n; ++i) {
    CDoublePoint p;
    RotatePoint(&p, cx, cy, cx + radius, cy, start + i * step);
    out[i].x = DoubleToInt(p.x);
    out[i].y = DoubleToInt(p.y);
    RotatePoint(&p, cx, cy, cx + innerRadius, cy, start + i * step);
    out[n + i].x = DoubleToInt(p.x);
    out[n + i].y = DoubleToInt(p.y);
  }
}

// ---- Work-area frame bands ---------------------------------------------------------------------

void CObjectRenderer::FillRectFrame(CDC* dc, const CDoubleRect& rect, double widthMm, double radiusMm,
                                    BOOL rounded) {
  double f[2] = {0, 0}, r[2] = {0, 0};
  LengthToLogical(widthMm, f);
  LengthToLogical(radiusMm, r);
  const double il = rect.left + f[0], it = rect.top - f[1], ir = rect.right - f[0], ib = rect.bottom + f[1];
  RectBoundary outer, inner;
  outer.left = rect.left;
  outer.top = rect.top;
  outer.right = rect.right;
  outer.bottom = rect.bottom;
  inner.left = il;
  inner.top = it;
  inner.right = ir;
  inner.bottom = ib;
  inner.valid = IsRectValid(il, it, ir, ib);
  if (rounded) {
    outer.style = inner.style = CORNER_ROUND;
    outer.ellipseW = DoubleToInt(2 * r[0]);
    outer.ellipseH = DoubleToInt(2 * r[1]);
    inner.ellipseW = DoubleToInt(std::max(0.0, 2 * r[0] - 2 * f[0]));
    inner.ellipseH = DoubleToInt(std::max(0.0, 2 * r[1] - 2 * f[1]));
  }
  FillFigures(dc, 0, [&] {
    StrokeRectBoundary(dc, outer);
    if (inner.valid) StrokeRectBoundary(dc, inner);
  });
}

void CObjectRenderer::FillEllipseFrame(CDC* dc, const CDoubleRect& rect, double widthMm) {
  double f[2] = {0, 0};
  LengthToLogical(widthMm, f);
  const double il = rect.left + f[0], it = rect.top - f[1], ir = rect.right - f[0], ib = rect.bottom + f[1];
  const CRect o = rect;
  FillFigures(dc, 0, [&] {
    dc->Ellipse(o.left, o.top, o.right, o.bottom);
    if (IsRectValid(il, it, ir, ib)) dc->Ellipse(DoubleToInt(il), DoubleToInt(it), DoubleToInt(ir), DoubleToInt(ib));
  });
}

void CObjectRenderer::FillTriangleFrame(CDC* dc, const CDoubleRect& rect, double widthMm, BOOL inverted) {
  POINT v[6];
  CalcTriangleVertices(rect.left, rect.top, rect.right, rect.bottom, widthMm, inverted, v, FALSE);
  const int counts[2] = {3, 3};
  FillFigures(dc, 0, [&] { dc->PolyPolygon(v, counts, TriangleInnerValid(v, inverted != 0) ? 2 : 1); });
}

void CObjectRenderer::FillRhombicFrame(CDC* dc, const CDoubleRect& rect, double widthMm) {
  POINT v[8];
  CalcRhombicVertices(rect.left, rect.top, rect.right, rect.bottom, widthMm, v, FALSE);
  const int counts[2] = {4, 4};
  FillFigures(dc, 0, [&] { dc->PolyPolygon(v, counts, RhombicInnerValid(v) ? 2 : 1); });
}

// ---- Line --------------------------------------------------------------------------------------

namespace {

// The five corner points of a line body, turned clockwise by the angle about its centre.
void LineCorners(double left, double top, double right, double bottom, double angle, POINT out[5]) {
  const double pts[5][2] = {{left, top}, {left, bottom}, {right, bottom}, {right, top}, {left, top}};
  const double cx = (left + right) / 2;
  const double cy = (top + bottom) / 2;
  for (int i = 0; i < 5; ++i) {
    CDoublePoint p(pts[i][0], pts[i][1]);
    if (angle != 0) CObjectRenderer::RotatePoint(&p, cx, cy, p.x, p.y, -angle);
    out[i].x = DoubleToInt(p.x);
    out[i].y = DoubleToInt(p.y);
  }
}

}  // namespace

void CObjectRenderer::DrawLine(CDC* dc, double left, double top, double right, double bottom, double angle,
                               COLORREF colour, BOOL fill, CDoubleRect* bounds) {
  POINT v[5];
  LineCorners(left, top, right, bottom, angle, v);
  if (fill) {
    FillFigures(dc, colour, [&] { dc->Polygon(v, 4); });
  } else {
    CPen pen;
    pen.CreatePen(PS_SOLID, 5, colour);
    CPen* old = dc->SelectObject(&pen);
    dc->Polyline(v, 5);
    dc->SelectObject(old);
  }
  if (bounds != nullptr) {
    int minX = v[0].x, maxX = v[0].x, minY = v[0].y, maxY = v[0].y;
    for (const POINT& p : v) {
      minX = std::min<int>(minX, p.x);
      maxX = std::max<int>(maxX, p.x);
      minY = std::min<int>(minY, p.y);
      maxY = std::max<int>(maxY, p.y);
    }
    bounds->SetRect(minX, maxY, maxX, minY);
  }
}

void CObjectRenderer::DrawLineSimple(CDC* dc, double left, double top, double right, double bottom,
                                     COLORREF colour) {
  DrawLine(dc, left, top, right, bottom, 0, colour, FALSE, nullptr);
}

void CObjectRenderer::GetLinePoints(CDC* dc, double left, double top, double right, double bottom, double angle) {
  POINT v[5];
  LineCorners(left, top, right, bottom, angle, v);
  dc->Polyline(v, 5);
}

// ---- Rectangle ---------------------------------------------------------------------------------

namespace {

struct RectangleCopy {
  RectBoundary outer, inner;
  double cx = 0, cy = 0;
};

RectangleCopy MakeRectangleCopy(double left, double top, double right, double bottom, const CRectangleObject* obj,
                                double fx, double fy, const double corner[2]) {
  RectangleCopy c;
  c.cx = (left + right) / 2;
  c.cy = (top + bottom) / 2;
  const int outerStyle = obj->m_nOuterCornerStyle == CORNER_ROUND || obj->m_nOuterCornerStyle == CORNER_CUT
                             ? obj->m_nOuterCornerStyle
                             : CORNER_SQUARE;
  RectBoundary& o = c.outer;
  o.style = outerStyle;
  o.left = left;
  o.top = top;
  o.right = right;
  o.bottom = bottom;
  o.valid = true;

  RectBoundary& in = c.inner;
  in.style = (outerStyle != CORNER_SQUARE && obj->m_nInnerCornerStyle != 0) ? outerStyle : CORNER_SQUARE;
  in.left = left + fx;
  in.top = top - fy;
  in.right = right - fx;
  in.bottom = bottom + fy;
  in.valid = IsRectValid(in.left, in.top, in.right, in.bottom);

  if (outerStyle == CORNER_ROUND) {
    o.ellipseW = DoubleToInt(2 * corner[0]);
    o.ellipseH = DoubleToInt(2 * corner[1]);
    if (in.style == CORNER_ROUND) {
      in.ellipseW = DoubleToInt(std::max(0.0, 2 * (corner[0] - fx)));
      in.ellipseH = DoubleToInt(std::max(0.0, 2 * (corner[1] - fy)));
    }
  } else if (outerStyle == CORNER_CUT) {
    CObjectRenderer::GetCutCornerPoints(left, top, right, bottom, corner[0], corner[1], o.cut);
    if (in.style == CORNER_CUT)
      CObjectRenderer::GetCutCornerPoints(in.left, in.top, in.right, in.bottom, corner[0] - fx, corner[1] - fy,
                                          in.cut);
  }
  return c;
}

}  // namespace

void CObjectRenderer::DrawRectangle(CDC* dc, double left, double top, double right, double bottom,
                                    CRectangleObject* obj, COLORREF colour, BOOL fill, CDoubleRect* bounds,
                                    BOOL screen) {
  double fx = 0, fy = 0;
  FrameToLogical(obj->m_dEdgeSize, screen, fx, fy);
  double corner[2] = {0, 0};
  LengthToLogical(obj->m_dEdgeRadius, corner);
  const RectangleCopy c = MakeRectangleCopy(left, top, right, bottom, obj, fx, fy, corner);

  AppendRectBoundary(obj->m_vOuterPoints, c.outer, c.cx, c.cy);
  AppendRectBoundary(obj->m_vInnerPoints, c.inner, c.cx, c.cy);
  ++obj->m_nCapturedCount;

  if (fill) {
    FillFigures(dc, colour, [&] {
      StrokeRectBoundary(dc, c.outer);
      if (c.inner.valid) StrokeRectBoundary(dc, c.inner);
    });
  } else {
    OutlineTools tools(dc, colour, PS_SOLID);
    StrokeRectBoundary(dc, c.outer);
    if (c.inner.valid) StrokeRectBoundary(dc, c.inner);
  }
  if (bounds != nullptr) bounds->SetRect(left, top, right, bottom);
}

void CObjectRenderer::GetRectanglePoints(CDC* dc, double left, double top, double right, double bottom,
                                         CRectangleObject* obj) {
  double fx = 0, fy = 0;
  FrameToLogical(obj->m_dEdgeSize, FALSE, fx, fy);
  double corner[2] = {0, 0};
  LengthToLogical(obj->m_dEdgeRadius, corner);
  const RectangleCopy c = MakeRectangleCopy(left, top, right, bottom, obj, fx, fy, corner);
  StrokeRectBoundary(dc, c.outer);
  if (obj->m_dEdgeSize != 0 && c.inner.valid) StrokeRectBoundary(dc, c.inner);
  ++obj->m_nCapturedCount;
}

// ---- Circle ------------------------------------------------------------------------------------

void CObjectRenderer::DrawCircle(CDC* dc, double left, double top, double right, double bottom, CCircleObject* obj,
                                 COLORREF colour, BOOL fill, CDoubleRect* bounds, BOOL screen) {
  double fx = 0, fy = 0;
  FrameToLogical(obj->m_dEdgeSize, screen, fx, fy);
  const double il = left + fx, it = top - fy, ir = right - fx, ib = bottom + fy;
  const bool innerValid = IsRectValid(il, it, ir, ib);
  const double cx = (left + right) / 2, cy = (top + bottom) / 2;

  obj->m_vOuterPoints.emplace_back(left, top);
  obj->m_vOuterPoints.emplace_back(right, bottom);
  if (innerValid) {
    obj->m_vInnerPoints.emplace_back(il, it);
    obj->m_vInnerPoints.emplace_back(ir, ib);
  } else {
    AppendCollapsed(obj->m_vInnerPoints, 2, cx, cy);
  }
  ++obj->m_nCapturedCount;

  const CRect o(DoubleToInt(left), DoubleToInt(top), DoubleToInt(right), DoubleToInt(bottom));
  const CRect in(DoubleToInt(il), DoubleToInt(it), DoubleToInt(ir), DoubleToInt(ib));
  if (fill) {
    FillFigures(dc, colour, [&] {
      dc->Ellipse(o.left, o.top, o.right, o.bottom);
      if (innerValid) dc->Ellipse(in.left, in.top, in.right, in.bottom);
    });
  } else {
    OutlineTools tools(dc, colour, PS_INSIDEFRAME);
    dc->Ellipse(o.left, o.top, o.right, o.bottom);
    if (innerValid) dc->Ellipse(in.left, in.top, in.right, in.bottom);
  }
  if (bounds != nullptr) bounds->SetRect(left, top, right, bottom);
}

void CObjectRenderer::GetCirclePoints(CDC* dc, double left, double top, double right, double bottom,
                                      CCircleObject* obj) {
  double fx = 0, fy = 0;
  FrameToLogical(obj->m_dEdgeSize, FALSE, fx, fy);
  const double il = left + fx, it = top - fy, ir = right - fx, ib = bottom + fy;
  CPen pen;
  pen.CreatePen(PS_INSIDEFRAME, 1, 0);
  CPen* old = dc->SelectObject(&pen);
  dc->Ellipse(DoubleToInt(left), DoubleToInt(top), DoubleToInt(right), DoubleToInt(bottom));
  if (obj->m_dEdgeSize != 0 && IsRectValid(il, it, ir, ib))
    dc->Ellipse(DoubleToInt(il), DoubleToInt(it), DoubleToInt(ir), DoubleToInt(ib));
  dc->SelectObject(old);
}

// ---- Triangle, rhombus, polygon ----------------------------------------------------------------

void CObjectRenderer::DrawTriangle(CDC* dc, double left, double top, double right, double bottom,
                                   CTriangleObject* obj, COLORREF colour, BOOL fill, CDoubleRect* bounds,
                                   BOOL screen) {
  POINT v[6];
  CalcTriangleVertices(left, top, right, bottom, obj->m_dEdgeSize, obj->m_nDirection, v, screen);
  DrawPolyBand(dc, obj, v, 3, TriangleInnerValid(v, obj->m_nDirection != 0), (left + right) / 2,
               (top + bottom) / 2, colour, fill);
  if (bounds != nullptr) bounds->SetRect(left, top, right, bottom);
}

void CObjectRenderer::DrawRhombic(CDC* dc, double left, double top, double right, double bottom,
                                  CRhombicObject* obj, COLORREF colour, BOOL fill, CDoubleRect* bounds,
                                  BOOL screen) {
  POINT v[8];
  CalcRhombicVertices(left, top, right, bottom, obj->m_dEdgeSize, v, screen);
  DrawPolyBand(dc, obj, v, 4, RhombicInnerValid(v), (left + right) / 2, (top + bottom) / 2, colour, fill);
  if (bounds != nullptr) bounds->SetRect(left, top, right, bottom);
}

void CObjectRenderer::DrawPolygon(CDC* dc, double left, double top, double right, double bottom,
                                  CPolygonObject* obj, COLORREF colour, BOOL fill, CDoubleRect* bounds,
                                  BOOL screen) {
  const int n = obj->m_nEdges;
  if (n < 3) return;
  std::vector<POINT> v(2 * static_cast<size_t>(n));
  CalcPolygonVertices(left, top, right, bottom, obj->m_dEdgeSize, n, v.data(), screen);
  const double cx = (left + right) / 2, cy = (top + bottom) / 2;
  DrawPolyBand(dc, obj, v.data(), n, PolygonInnerValid(v.data(), n, cx, cy), cx, cy, colour, fill);
  if (bounds != nullptr) bounds->SetRect(left, top, right, bottom);
}

void CObjectRenderer::GetTrianglePoints(CDC* dc, double left, double top, double right, double bottom,
                                        CTriangleObject* obj) {
  POINT v[6];
  CalcTriangleVertices(left, top, right, bottom, obj->m_dEdgeSize, obj->m_nDirection, v, FALSE);
  EmitPolyBand(dc, v, 3, obj->m_dEdgeSize != 0, TriangleInnerValid(v, obj->m_nDirection != 0));
}

void CObjectRenderer::GetRhombicPoints(CDC* dc, double left, double top, double right, double bottom,
                                       CRhombicObject* obj) {
  POINT v[8];
  CalcRhombicVertices(left, top, right, bottom, obj->m_dEdgeSize, v, FALSE);
  EmitPolyBand(dc, v, 4, obj->m_dEdgeSize != 0, RhombicInnerValid(v));
}

void CObjectRenderer::GetPolygonPoints(CDC* dc, double left, double top, double right, double bottom,
                                       CPolygonObject* obj) {
  const int n = obj->m_nEdges;
  if (n < 3) return;
  std::vector<POINT> v(2 * static_cast<size_t>(n));
  CalcPolygonVertices(left, top, right, bottom, obj->m_dEdgeSize, n, v.data(), FALSE);
  const double cx = (left + right) / 2, cy = (top + bottom) / 2;
  EmitPolyBand(dc, v.data(), n, obj->m_dEdgeSize != 0, PolygonInnerValid(v.data(), n, cx, cy));
}
