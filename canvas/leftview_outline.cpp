// Outline capture for the outline engines: one list entry at a time into the view's buffers, in
// machine units relative to the page centre, y up.
#include <algorithm>
#include <cmath>
#include <vector>

#include "canvas/leftview.h"
#include "imaging/monobmp.h"
#include "imaging/monoimagetool.h"
#include "model/bmpobject.h"
#include "model/drawobject.h"
#include "model/korvane_doc.h"
#include "model/machine_units.h"
#include "model/textobject.h"
#include "platform/prompter.h"
#include "render/saturate.h"

namespace {

constexpr double kUnitsPerMm = MACHINE_UNITS_PER_MM;

// Rounds to the nearest unit, so that a point on a pixel edge lands where the raster puts that
// edge; a product such as 50 x 0.9999999 whose exact value is an integer stays that integer.
int RoundUnits(double v) { return DoubleToInt(std::floor(v + 0.5 + 1e-9)); }

// A point of the outline in pixel-edge coordinates: pixel (x, y) covers [x, x + 1] x [y, y + 1].
struct EdgePoint {
  double x;
  double y;
  BYTE type;
};

int Sign(int v) { return (v > 0) - (v < 0); }

// The four corners of a pixel as offsets from its centre, clockwise on the screen (y down):
// top left, top right, bottom right, bottom left.
constexpr int kCornerX[4] = {-1, 1, 1, -1};
constexpr int kCornerY[4] = {-1, -1, 1, 1};

int CornerIndex(int sx, int sy) {
  for (int c = 0; c < 4; ++c)
    if (kCornerX[c] == sx && kCornerY[c] == sy) return c;
  return 0;
}

// The tracer follows the border pixels through their centres, so its figures lie half a pixel
// inside the ink on every side. Each figure is moved out onto the pixel edges: every edge of the
// figure is shifted by the pixel corner that lies farthest out along its outward normal (along
// the edge as well where the edge runs along an axis), outer corners go round the pixel and inner
// corners meet where the two shifted edges cross. The figure is closed on its first point.
void EdgeFigure(std::vector<POINT> v, std::vector<EdgePoint>& out) {
  v.erase(std::unique(v.begin(), v.end(), [](POINT a, POINT b) { return a.x == b.x && a.y == b.y; }), v.end());
  while (v.size() > 1 && v.back().x == v.front().x && v.back().y == v.front().y) v.pop_back();
  if (v.empty()) return;
  const size_t first = out.size();
  if (v.size() == 1) {
    for (int c = 0; c < 4; ++c)
      out.push_back({v[0].x + (kCornerX[c] + 1) / 2.0, v[0].y + (kCornerY[c] + 1) / 2.0, PT_LINETO});
  } else {
    const size_t m = v.size();
    auto dir = [&](size_t i) {
      const POINT a = v[i % m], b = v[(i + 1) % m];
      return POINT{b.x - a.x, b.y - a.y};
    };
    // The tracer walks every figure with its ink on the right, holes included, so outward is
    // always on the left. Pixels beside the figure cannot tell it: round a hole framed by ink one
    // pixel thick, the frame's pixels lie on both sides.
    const int side = 1;
    auto corner = [&](size_t i, bool atEnd) {
      const POINT d = dir(i);
      const int nx = side * d.y, ny = -side * d.x;
      const int along = atEnd ? 1 : -1;
      return CornerIndex(nx ? Sign(nx) : along * Sign(d.x), ny ? Sign(ny) : along * Sign(d.y));
    };
    auto at = [&](POINT p, int c) { return EdgePoint{p.x + 0.5 + kCornerX[c] * 0.5, p.y + 0.5 + kCornerY[c] * 0.5, PT_LINETO}; };
    for (size_t i = 0; i < m; ++i) {
      // The join at v[i] between the edge that ends there and the edge that starts there.
      const size_t prev = (i + m - 1) % m;
      const POINT d0 = dir(prev), d1 = dir(i);
      const int c0 = corner(prev, true), c1 = corner(i, false);
      const long long cross = static_cast<long long>(d0.x) * d1.y - static_cast<long long>(d0.y) * d1.x;
      const long long dot = static_cast<long long>(d0.x) * d1.x + static_cast<long long>(d0.y) * d1.y;
      if (c0 == c1) {
        out.push_back(at(v[i], c0));
      } else if (cross * side > 0 || (cross == 0 && dot < 0)) {
        const int step = side > 0 ? 1 : 3;
        for (int c = c0;; c = (c + step) % 4) {
          out.push_back(at(v[i], c));
          if (c == c1) break;
        }
      } else if (cross != 0) {
        const EdgePoint p = at(v[i], c0), q = at(v[i], c1);
        const double t = ((q.x - p.x) * d1.y - (q.y - p.y) * d1.x) / static_cast<double>(cross);
        EdgePoint x{p.x + t * d0.x, p.y + t * d0.y, PT_LINETO};
        // A very sharp inner corner would reach far out; its middle is close enough.
        if (std::fabs(x.x - (v[i].x + 0.5)) > 1.5 || std::fabs(x.y - (v[i].y + 0.5)) > 1.5)
          x = EdgePoint{(p.x + q.x) / 2, (p.y + q.y) / 2, PT_LINETO};
        out.push_back(x);
      }
      // Straight on: the shifted edge goes on through.
    }
  }
  if (out.size() == first) return;
  out[first].type = PT_MOVETO;
  EdgePoint close = out[first];
  close.type = PT_LINETO;
  out.push_back(close);
}

std::vector<EdgePoint> PixelEdgeOutline(const TracedOutline& outline) {
  std::vector<EdgePoint> out;
  std::vector<POINT> figure;
  for (const TracePoint& p : outline.points) {
    if (p.type == TRACE_MOVETO && !figure.empty()) {
      EdgeFigure(figure, out);
      figure.clear();
    }
    figure.push_back(POINT{p.x, p.y});
  }
  EdgeFigure(figure, out);
  return out;
}

}  // namespace

int CLeftView::GetOutlineType(int index) {
  Trace("---------CLeftView::GetOutlineType\n");
  if (!m_pDoc) return TYPE_UNKNOWN;
  CDrawObject* copy = m_pDoc->CloneObject(index);
  if (!copy) return TYPE_UNKNOWN;
  const int kind = (copy->m_bDeleted || !IsLayerEngraved(copy->m_nLayer)) ? TYPE_NONE : copy->m_nType;
  CKorvaneDoc::FreeObject(copy);
  return kind;
}

int CLeftView::SetOutlineData(int index) {
  Trace("---------CLeftView::SetOutlineData\n");
  if (!m_pOutlinePoints.empty() || !m_pOutlineTypes.empty() || !m_pCircleRadii.empty()) return -1;
  if (!m_pDoc) return -2;
  CDrawObject* copy = m_pDoc->CloneObject(index);
  if (!copy) return -2;
  if (copy->m_bDeleted || !IsLayerEngraved(copy->m_nLayer)) {
    CKorvaneDoc::FreeObject(copy);
    return 0;
  }

  // Captures run on the fixed page at zoom 1.0 in the screen mode, whatever the window shows.
  CDC window;
  MakeWindowDC(window);
  const int oldZoom = m_pDoc->ResetZoomQuiet();
  BindForOutput(&window);
  const int oldMode = m_pRenderer->SetMode(RENDER_SCREEN);

  const int n = EstimateObjectCost(&window, copy) > kMaxObjectCost ? kObjectTooLarge : CaptureKind(&window, copy);
  if (n != kObjectTooLarge && copy->m_nType == TYPE_CIRCLE) {
    ConvertUnit(m_pOutlinePoints.data(), n);
    ConvertUnit(m_pCircleRadii.data(), n);
  }
  if (n == kObjectTooLarge) ReleaseOutlinePoints();
  else if (copy->m_nType <= TYPE_TEXT2 && copy->m_nType != TYPE_CIRCLE) ConvertUnit(m_pOutlinePoints.data(), n);

  m_pDoc->SetZoomQuiet(oldZoom);
  BindForClient(&window);
  m_pRenderer->SetMode(oldMode);
  if (n == kObjectTooLarge) ReportObjectsTooLarge({CString(copy->GetName())});
  CKorvaneDoc::FreeObject(copy);
  return n;
}

int CLeftView::CaptureKind(CDC* pDC, CDrawObject* obj) {
  switch (obj->m_nType) {
    case TYPE_LINE: return GetLinePoints(pDC, static_cast<CLineObject*>(obj));
    case TYPE_RECTANGLE: return GetRectanglePoints(pDC, static_cast<CRectangleObject*>(obj));
    case TYPE_TRIANGLE: return GetTrianglePoints(pDC, static_cast<CTriangleObject*>(obj));
    case TYPE_RHOMBIC: return GetRhombicPoints(pDC, static_cast<CRhombicObject*>(obj));
    case TYPE_POLYGON: return GetPolygonPoints(pDC, static_cast<CPolygonObject*>(obj));
    case TYPE_TEXT1: return GetText1Points(pDC, static_cast<CText1Object*>(obj));
    case TYPE_TEXT2: return GetText2Points(pDC, static_cast<CText2Object*>(obj));
    case TYPE_CIRCLE: return GetCirclePoints(pDC, static_cast<CCircleObject*>(obj), 0);
    case TYPE_BMP: return GetBmpBmpPoints(pDC, static_cast<CBmpObject*>(obj));
    case TYPE_BARCODE: return GetBarcodePoints(pDC, static_cast<CBarcodeObject*>(obj));
    default: return 0;
  }
}

long long CLeftView::EstimateObjectCost(CDC* pDC, CDrawObject* obj) {
  const CopyGrid grid = GetCopyGrid(obj);
  if (grid.rows <= 0 || grid.columns <= 0) return 0;
  const long long copies = static_cast<long long>(grid.rows) * grid.columns;
  long long perCopy = 1;
  switch (obj->m_nType) {
    case TYPE_CIRCLE: perCopy += 2; break;
    case TYPE_TEXT1: perCopy += static_cast<CText1Object*>(obj)->m_strText.GetLength(); break;
    case TYPE_TEXT2: perCopy += static_cast<CText2Object*>(obj)->m_strText.GetLength(); break;
    default: break;
  }
  // The bitmap and barcode captures count their points before they build anything; a single
  // copy costs what it costs, measuring it would only do the work twice.
  if (copies == 1 || obj->m_nType == TYPE_CIRCLE || obj->m_nType > TYPE_TEXT2) return copies * perCopy;

  // The first copy captured on its own, the caller's buffers put aside meanwhile.
  std::vector<POINT> points;
  std::vector<BYTE> types;
  std::vector<SIZE> radii;
  points.swap(m_pOutlinePoints);
  types.swap(m_pOutlineTypes);
  radii.swap(m_pCircleRadii);
  const int pathOpen = m_bPathOpen;
  m_nCopyLimit = 1;
  const int n = CaptureKind(pDC, obj);
  m_nCopyLimit = 0;
  // The shapes went through the device context's path: none is left behind.
  if (obj->m_nType < TYPE_TEXT1) pDC->AbortPath();
  m_bPathOpen = pathOpen;
  ReleaseOutlinePoints();
  points.swap(m_pOutlinePoints);
  types.swap(m_pOutlineTypes);
  radii.swap(m_pCircleRadii);
  // One copy past the bound is refused as it is.
  if (n == kObjectTooLarge) return kMaxObjectCost + 1;
  if (n > 0) perCopy += n;
  return copies > kMaxObjectCost / perCopy ? kMaxObjectCost + 1 : copies * perCopy;
}

bool CLeftView::RasterAllows(CDC* pDC, CDrawObject* obj, std::vector<CString>& refused) {
  // The raster of one copy is drawn and scanned dot by dot: the dots all copies cover are its
  // work, measured before anything is drawn. What fits on the page's own raster is allowed
  // whatever its size, as the page is drawn and scanned anyway.
  int extent[2] = {0, 0};
  int dots[2] = {0, 0};
  m_pRenderer->GetExtent(extent);
  if (m_pRenderer->GetMode() == RENDER_ENGRAVE) m_pRenderer->GetBitmapSize(dots);
  else m_pRenderer->GetMachineBitmapSize(dots);
  const CopyGrid grid = GetCopyGrid(obj);
  double work = 0;
  if (extent[0] > 0 && extent[1] > 0 && grid.rows > 0 && grid.columns > 0) {
    const double dotsX = std::fabs(grid.width) * 100 * dots[0] / extent[0];
    const double dotsY = std::fabs(grid.height) * 100 * dots[1] / extent[1];
    work = static_cast<double>(grid.rows) * grid.columns * (dotsX + 1) * (dotsY + 1);
  }
  const double bound = std::max(static_cast<double>(kMaxObjectCost), static_cast<double>(dots[0]) * dots[1]);
  if (work <= bound && EstimateObjectCost(pDC, obj) <= kMaxObjectCost) return true;
  refused.push_back(CString(obj->GetName()));
  return false;
}

void CLeftView::ReportObjectsTooLarge(const std::vector<CString>& names) {
  if (names.empty()) return;
  CString text;
  for (const CString& name : names) text += name + "\n";
  AfxMessageBox(text + CString::FromUtf8("オブジェクトが大きすぎるため処理できません"), MB_OK | MB_ICONEXCLAMATION);
}

void CLeftView::ReleaseOutlinePoints() {
  Trace("---------CLeftView::ReleaseOutlinePoints\n");
  // Emptied and given back, so that a view keeps no memory of its largest capture.
  std::vector<POINT>().swap(m_pOutlinePoints);
  std::vector<BYTE>().swap(m_pOutlineTypes);
  std::vector<SIZE>().swap(m_pCircleRadii);
}

void CLeftView::ConvertUnit(POINT* points, int count) {
  Trace("---------CLeftView::ConvertUnit\n");
  if (!points || count <= 0) return;
  CDC window;
  MakeWindowDC(window);
  m_pRenderer->PointsToMachineUnits(&window, points, count);
}

void CLeftView::ConvertUnit(SIZE* radii, int count) {
  Trace("---------CLeftView::ConvertUnit\n");
  if (!radii || count <= 0) return;
  CDC window;
  MakeWindowDC(window);
  m_pRenderer->LengthsToMachineUnits(&window, radii, count);
}

void CLeftView::ConvertUnit(CDoubleRect* rect) {
  Trace("---------CLeftView::ConvertUnit\n");
  if (!rect) return;
  CDC window;
  MakeWindowDC(window);
  m_pRenderer->RectToMachineUnits(&window, *rect);
}

void CLeftView::StartOutlinePoints(CDC* pDC) {
  Trace("---------CLeftView::StartOutlinePoints\n");
  if (m_bPathOpen) pDC->EndPath();
  pDC->BeginPath();
  m_bPathOpen = 1;
}

int CLeftView::GetOutlinePoints(CDC* pDC) {
  Trace("---------CLeftView::GetOutlinePoints\n");
  if (!m_bPathOpen) return -1;
  pDC->EndPath();
  pDC->FlattenPath();
  const int n = pDC->GetPath(nullptr, nullptr, 0);
  // An empty path holds nothing worth a buffer.
  if (n <= 0) return n < 0 ? -1 : 0;
  m_pOutlinePoints.assign(static_cast<size_t>(n), POINT{});
  m_pOutlineTypes.assign(static_cast<size_t>(n), BYTE{0});
  const int got = pDC->GetPath(m_pOutlinePoints.data(), m_pOutlineTypes.data(), n);
  if (got != n) {
    ReleaseOutlinePoints();
    return -1;
  }
  return n;
}

int CLeftView::GetBmpBmpPoints(CDC*, CBmpObject* obj) {
  Trace("---------CLeftView::GetBmpBmpPoints\n");
  const BYTE* image = obj->GetImage();
  if (!image || obj->GetImageLength() < static_cast<DWORD>(MonoBmpFile::kHeaderSize)) return 0;
  const int imageW = MonoBmpFile::Width(image);
  const int imageH = std::abs(static_cast<int>(MonoBmpFile::Height(image)));
  if (imageW <= 0 || imageH <= 0) return 0;
  const CopyGrid grid = GetCopyGrid(obj);
  if (grid.rows <= 0 || grid.columns <= 0) return 0;

  TracedOutline outline;
  if (!m_pDoc->TraceBmpObject(obj, &outline) || outline.count <= 0) return 0;
  const std::vector<EdgePoint> edges = PixelEdgeOutline(outline);
  const long long total = static_cast<long long>(edges.size()) * grid.rows * grid.columns;
  if (edges.empty()) return 0;
  if (total + static_cast<long long>(grid.rows) * grid.columns > kMaxObjectCost) return kObjectTooLarge;

  // Each copy stands where its raster rendering puts it: the image stretched to the object's
  // size in millimetres and mirrored as it is drawn.
  const double scaleX = obj->m_dWidth * kUnitsPerMm / imageW;
  const double scaleY = obj->m_dHeight * kUnitsPerMm / imageH;
  m_pOutlinePoints.resize(static_cast<size_t>(total));
  m_pOutlineTypes.resize(static_cast<size_t>(total));
  size_t k = 0;
  for (int i = 0; i < grid.columns; ++i) {
    for (int j = 0; j < grid.rows; ++j) {
      const int px = DoubleToInt(grid.CentreX(i) * kUnitsPerMm);
      const int py = DoubleToInt(grid.CentreY(j) * kUnitsPerMm);
      for (const EdgePoint& p : edges) {
        const double x = obj->m_bMirrorX ? imageW - p.x : p.x;
        const double y = obj->m_bMirrorY ? imageH - p.y : p.y;
        m_pOutlinePoints[k].x = sat::Add(px, RoundUnits((x - imageW / 2.0) * scaleX));
        m_pOutlinePoints[k].y = sat::Add(py, RoundUnits((imageH / 2.0 - y) * scaleY));
        m_pOutlineTypes[k] = p.type;
        ++k;
      }
    }
  }
  return static_cast<int>(total);
}
