// Outline capture for the outline engines: one list entry at a time into the view's buffers, in
// machine units relative to the page centre, y up.
#include <cmath>

#include "canvas/leftview.h"
#include "imaging/monobmp.h"
#include "imaging/monoimagetool.h"
#include "model/bmpobject.h"
#include "model/drawobject.h"
#include "model/korvane_doc.h"
#include "model/textobject.h"

namespace {

// Truncation toward zero that does not lose a whole unit to a product such as 50 x 0.9999999
// whose exact value is an integer.
int TruncUnits(double v) {
  const double nearest = std::round(v);
  if (std::fabs(v - nearest) < 1e-6) return DoubleToInt(nearest);
  return DoubleToInt(v);
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
  if (m_pOutlinePoints || m_pOutlineTypes || m_pCircleRadii) return -1;
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

  int n = 0;
  switch (copy->m_nType) {
    case TYPE_LINE: n = GetLinePoints(&window, static_cast<CLineObject*>(copy)); break;
    case TYPE_RECTANGLE: n = GetRectanglePoints(&window, static_cast<CRectangleObject*>(copy)); break;
    case TYPE_TRIANGLE: n = GetTrianglePoints(&window, static_cast<CTriangleObject*>(copy)); break;
    case TYPE_RHOMBIC: n = GetRhombicPoints(&window, static_cast<CRhombicObject*>(copy)); break;
    case TYPE_POLYGON: n = GetPolygonPoints(&window, static_cast<CPolygonObject*>(copy)); break;
    case TYPE_TEXT1: n = GetText1Points(&window, static_cast<CText1Object*>(copy)); break;
    case TYPE_TEXT2: n = GetText2Points(&window, static_cast<CText2Object*>(copy)); break;
    case TYPE_CIRCLE:
      n = GetCirclePoints(&window, static_cast<CCircleObject*>(copy), 0);
      ConvertUnit(m_pOutlinePoints, n);
      ConvertUnit(m_pCircleRadii, n);
      break;
    case TYPE_BMP: n = GetBmpBmpPoints(&window, static_cast<CBmpObject*>(copy)); break;
    case TYPE_BARCODE: n = GetBarcodePoints(&window, static_cast<CBarcodeObject*>(copy)); break;
    default: break;
  }
  if (copy->m_nType <= TYPE_TEXT2 && copy->m_nType != TYPE_CIRCLE) ConvertUnit(m_pOutlinePoints, n);

  m_pDoc->SetZoomQuiet(oldZoom);
  BindForClient(&window);
  m_pRenderer->SetMode(oldMode);
  CKorvaneDoc::FreeObject(copy);
  return n;
}

void CLeftView::ReleaseOutlinePoints() {
  Trace("---------CLeftView::ReleaseOutlinePoints\n");
  delete[] m_pOutlinePoints;
  m_pOutlinePoints = nullptr;
  delete[] m_pOutlineTypes;
  m_pOutlineTypes = nullptr;
  delete[] m_pCircleRadii;
  m_pCircleRadii = nullptr;
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
  m_pOutlinePoints = new POINT[n];
  m_pOutlineTypes = new BYTE[n];
  const int got = pDC->GetPath(m_pOutlinePoints, m_pOutlineTypes, n);
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
  const int traced = static_cast<int>(outline.points.size());
  const long long total = static_cast<long long>(traced) * grid.rows * grid.columns;
  if (traced <= 0 || total > 0x7FFFFFFF) return 0;

  // Each copy stands where its raster rendering puts it: the image stretched to the object's
  // size in millimetres (40 units per millimetre) and mirrored as it is drawn.
  const double scaleX = obj->m_dWidth * 40.0 / imageW;
  const double scaleY = obj->m_dHeight * 40.0 / imageH;
  const int hw = imageW / 2;
  const int hh = imageH / 2;
  m_pOutlinePoints = new POINT[total];
  m_pOutlineTypes = new BYTE[total];
  int k = 0;
  for (int i = 0; i < grid.columns; ++i) {
    for (int j = 0; j < grid.rows; ++j) {
      const int px = DoubleToInt(grid.CentreX(i) * 40.0);
      const int py = DoubleToInt(grid.CentreY(j) * 40.0);
      for (const TracePoint& p : outline.points) {
        const int x = obj->m_bMirrorX ? imageW - p.x : p.x;
        const int y = obj->m_bMirrorY ? imageH - p.y : p.y;
        m_pOutlinePoints[k].x = px + TruncUnits((x - hw) * scaleX);
        m_pOutlinePoints[k].y = py + TruncUnits((hh - y) * scaleY);
        m_pOutlineTypes[k] = p.type;
        ++k;
      }
    }
  }
  return static_cast<int>(total);
}
