#include "output/engrave_engine.h"

#include <climits>
#include <vector>

#include "model/korvane_doc.h"
#include "model/objectlist.h"
#include "output/engrave_source.h"
#include "output/leftview_engrave_source.h"
#include "output/lpt_port.h"
#include "platform/prompter.h"

namespace {

constexpr int kNoProgress = INT_MIN;

int ListCount(const CKorvaneDoc* doc) {
  const CObjectList* list = doc ? doc->GetObjectList() : nullptr;
  return list ? list->GetCount() : 0;
}

}  // namespace

CEngraveEngine::CEngraveEngine() = default;

CEngraveEngine::~CEngraveEngine() {
  ReleaseRaster();
  m_rgnScan.DeleteObject();
  m_dlgProgress.DestroyWindow();
}

int CEngraveEngine::Attach(CKorvaneDoc* doc, IEngraveSource* view) {
  if (!doc || !view) return 0;
  m_pDoc = doc;
  m_pView = view;
  m_bAttached = 1;
  return 1;
}

int CEngraveEngine::Attach(CKorvaneDoc* doc, CLeftView* view) {
  if (!doc || !view) return 0;
  m_pViewSource = std::make_unique<CLeftViewEngraveSource>(view);
  return Attach(doc, m_pViewSource.get());
}

int CEngraveEngine::RefuseStart(bool raster) {
  // Two streams must never mix on the port.
  if (IsWorkerPortClaimed()) return START_REFUSED;
  if (raster) {
    if (!m_Job.RasterSettingsValid()) return START_REFUSED;
    if (m_Job.m_dSpan == 0.0) return 0;  // nothing will be sent
  }
  CString reason;
  if (!CLptPort::CheckPort(&reason)) {
    AfxMessageBox(reason, MB_OK | MB_ICONEXCLAMATION);
    return START_REFUSED;
  }
  return 0;
}

void CEngraveEngine::OpenProgress() {
  if (!m_dlgProgress.IsCreated()) m_dlgProgress.Create(m_pOwner);
  m_dlgProgress.CheckCancelButton();
}

int CEngraveEngine::Start(int* oldZoom) {
  if (!m_bAttached) return -1;
  if (oldZoom) *oldZoom = -1;
  m_Job.CopySettings(*m_pDoc);
  const bool raster = m_Job.m_nOutStyle != 0;
  if (const int refused = RefuseStart(raster)) return refused;
  OpenProgress();
  return raster ? EngraveRaster(oldZoom) : EngraveOutline();
}

// ---- commands -------------------------------------------------------------------------------

void CEngraveEngine::SendSpeed() {
  CLptPort port;
  m_Job.SendSpeed(port);
}

void CEngraveEngine::SendScaledSpeed(double factor) {
  CLptPort port;
  m_Job.SendScaledSpeed(port, factor);
}

void CEngraveEngine::EndJob() {
  CLptPort port;
  m_Job.SendEndJob(port);
}

BOOL CEngraveEngine::IsCancelled() { return m_dlgProgress.CheckCancelButton(); }

void CEngraveEngine::PenUpAt(POINT p) {
  CLptPort port;
  port.PenUp(p.x, p.y);
}

void CEngraveEngine::PenDownAt(POINT p) {
  CLptPort port;
  port.PenDown(p.x, p.y);
}

void CEngraveEngine::MoveTo(int x, int y) { PenUpAt(m_Job.ToMachine(x, y)); }

void CEngraveEngine::DrawTo(int x, int y) { PenDownAt(m_Job.ToMachine(x, y)); }

void CEngraveEngine::SendCircle(POINT centre, SIZE radii) {
  CLptPort port;
  m_Job.SendCircle(port, centre, radii);
}

// ---- outline mode ---------------------------------------------------------------------------

namespace {

// Runs the object loop of an outline job; transform(points, types, radii, n, kind) turns one
// captured object into machine units in place and send sends it.
template <class Cancelled, class Progress, class Transform, class Send>
int OutlineLoop(CKorvaneDoc* doc, IEngraveSource* view, Cancelled cancelled, Progress progress,
                Transform transform, Send send) {
  const int n = ListCount(doc);
  progress(kNoProgress, n);
  std::vector<POINT> points;
  std::vector<BYTE> types;
  std::vector<SIZE> radii;
  for (int i = 1; i < n; ++i) {
    if (cancelled()) return 0;
    progress(i, n);
    const int kind = view->GetOutlineType(i);
    if (kind < 0 || kind > TYPE_BARCODE) continue;
    const int count = view->SetOutlineData(i);
    if (count > 0 && view->OutlinePoints()) {
      points.assign(view->OutlinePoints(), view->OutlinePoints() + count);
      types.clear();
      radii.clear();
      if (kind == 2) {
        if (view->CircleRadii()) radii.assign(view->CircleRadii(), view->CircleRadii() + count);
        else radii.assign(static_cast<size_t>(count), SIZE{});
      } else if (view->OutlineTypes()) {
        types.assign(view->OutlineTypes(), view->OutlineTypes() + count);
      } else {
        types.assign(static_cast<size_t>(count), BYTE{0});
      }
      transform(kind, points, radii);
      send(kind, points, types, radii);
    }
    view->ReleaseOutlinePoints();
  }
  return 1;
}

}  // namespace

template <class PlacePoint, class PlaceCircle>
int CEngraveEngine::RunOutline(PlacePoint placePoint, PlaceCircle placeCircle) {
  return OutlineLoop(
      m_pDoc, m_pView, [this] { return IsCancelled(); },
      [this](int pos, int n) {
        if (pos == kNoProgress) m_dlgProgress.SetRange(0, n);
        else m_dlgProgress.SetPos(pos);
      },
      [&](int kind, std::vector<POINT>& pts, std::vector<SIZE>& radii) {
        if (kind == 2) {
          for (size_t k = 0; k < pts.size(); ++k) placeCircle(pts[k], radii[k]);
        } else {
          for (POINT& p : pts) placePoint(p);
        }
      },
      [this](int kind, const std::vector<POINT>& pts, const std::vector<BYTE>& types,
             const std::vector<SIZE>& radii) {
        if (kind == 2) {
          for (size_t k = 0; k < pts.size(); ++k) SendCircle(pts[k], radii[k]);
        } else {
          CLptPort port;
          SendOutlinePoints(port, pts.data(), types.data(), static_cast<int>(pts.size()));
        }
      });
}

int CEngraveEngine::EngraveOutline() {
  CDoubleRect field;
  m_pView->GetField(&field);
  m_pView->ConvertUnit(&field);
  m_Job.SetOutlineOrigin(field);
  SendSpeed();
  const int done = RunOutline([this](POINT& p) { p = m_Job.TransformPoint(p); },
                              [this](POINT& c, SIZE& r) { m_Job.TransformCircle(c, r); });
  if (!done) return 0;
  EndJob();
  return 1;
}

// ---- raster mode ----------------------------------------------------------------------------

bool CEngraveEngine::PrepareRaster(int* oldZoom) {
  ReleaseRaster();
  m_pView->GetBitmapDC(&m_dcRaster, m_nBitmapSize, &m_rcBitmapBounds, oldZoom);
  m_pRasterBitmap = m_dcRaster.GetCurrentBitmap();
  CDoubleRect field, area;
  m_pView->GetFieldBMP(&field);
  m_pView->GetScanningAreaBMP(&area);
  m_Job.SetRasterOrigin(field);
  m_Job.m_rcArea = area;
  m_dcRaster.SetMapMode(MM_TEXT);
  return m_pRasterBitmap != nullptr;
}

void CEngraveEngine::ReleaseRaster() {
  if (m_dcRaster.GetSafeHdc() && m_pView) m_pView->ReleaseBitmapDC(&m_dcRaster);
  m_pRasterBitmap = nullptr;
}

int CEngraveEngine::EngraveRaster(int* oldZoom) {
  if (m_Job.m_dSpan == 0.0) return 1;  // nothing is sent
  PrepareRaster(oldZoom);
  const double pitch = CRasterScanner::Pitch(m_Job.m_dSpan, m_Job.m_nDpm);
  SendSpeed();
  BuildScanRegion(m_rgnScan, m_Job.m_rcArea, m_Job.m_nAreaShape, m_Job.m_dFrameSize);
  m_dlgProgress.SetStep(1);
  const CRasterScanner scanner(m_pRasterBitmap, &m_rgnScan, m_Job.m_nScanStyle);
  const CRasterScanner::Emit sendRun = [this](int x0, int y0, int x1, int y1) {
    MoveTo(x0, y0);
    DrawTo(x1, y1);
  };
  const CRasterScanner::Before before = [this](int pos) {
    if (IsCancelled()) return false;
    if (pos != kNoProgress) m_dlgProgress.SetPos(pos);
    return true;
  };
  const CDoubleRect& a = m_Job.m_rcArea;
  int done = 1;
  switch (m_Job.m_nScanDirection) {
    case 0:
      m_dlgProgress.SetRange(DoubleToInt(a.top), DoubleToInt(a.bottom));
      done = scanner.ScanRows(a, pitch, before, sendRun);
      break;
    case 1:
      m_dlgProgress.SetRange(DoubleToInt(a.left), DoubleToInt(a.right));
      done = scanner.ScanColumns(a, pitch, before, sendRun);
      break;
    case 2:
      done = scanner.ScanConcentric(a, pitch, [&before](int) { return before(kNoProgress); }, sendRun);
      break;
    default: break;
  }
  m_rgnScan.DeleteObject();
  ReleaseRaster();
  if (!done) return 0;
  EndJob();
  return 1;
}

// ---- fixed field ----------------------------------------------------------------------------

int CEngraveEngineFix::StartFix(int* oldZoom) {
  if (!m_bAttached) return -1;
  if (oldZoom) *oldZoom = -1;
  m_Job.CopySettings(*m_pDoc);
  // The park point is the area's corner for the model; without a model there is none.
  if (!m_Job.m_bHasPark) return START_REFUSED;
  const bool raster = m_Job.m_nOutStyle != 0;
  if (const int refused = RefuseStart(raster)) return refused;
  OpenProgress();
  return raster ? EngraveRasterFix(oldZoom) : EngraveOutlineFix();
}

void CEngraveEngineFix::EndJobFix() {
  CLptPort port;
  m_Job.SendEndJobFix(port);
}

void CEngraveEngineFix::MoveToFix(int x, int y) { PenUpAt(m_Job.ToMachineFix(x, y)); }

void CEngraveEngineFix::DrawToFix(int x, int y) { PenDownAt(m_Job.ToMachineFix(x, y)); }

int CEngraveEngineFix::EngraveOutlineFix() {
  SendSpeed();
  const int done = RunOutline([this](POINT& p) { p = m_Job.TransformPointFix(p); },
                              [this](POINT& c, SIZE& r) { m_Job.TransformCircleFix(c, r); });
  if (!done) return 0;
  EndJobFix();
  return 1;
}

int CEngraveEngineFix::EngraveRasterFix(int* oldZoom) {
  if (m_Job.m_dSpan == 0.0) return 1;
  PrepareRaster(oldZoom);
  const double pitch = CRasterScanner::Pitch(m_Job.m_dSpan, m_Job.m_nDpm);
  SendSpeed();
  BuildScanRegion(m_rgnScan, m_Job.m_rcArea, m_Job.m_nAreaShape, m_Job.m_dFrameSize);
  m_dlgProgress.SetStep(1);
  const CRasterScanner scanner(m_pRasterBitmap, &m_rgnScan, m_Job.m_nScanStyle);
  const CRasterScanner::Before before = [this](int pos) {
    if (IsCancelled()) return false;
    m_dlgProgress.SetPos(pos);
    return true;
  };
  const CDoubleRect& a = m_Job.m_rcArea;
  int done = 1;
  switch (m_Job.m_nScanDirection) {
    case 0:
      m_dlgProgress.SetRange(DoubleToInt(a.top), DoubleToInt(a.bottom));
      done = scanner.ScanRows(a, pitch, before, [this](int x0, int y0, int x1, int y1) {
        MoveToFix(x0, m_Job.RowYFix(y0));
        DrawToFix(x1, m_Job.RowYFix(y1));
      });
      break;
    case 1:
      m_dlgProgress.SetRange(DoubleToInt(a.left), DoubleToInt(a.right));
      done = scanner.ScanColumns(a, pitch, before, [this](int x0, int y0, int x1, int y1) {
        MoveToFix(x0, m_Job.ColumnYFix(y0));
        DrawToFix(x1, m_Job.ColumnYFix(y1));
      });
      break;
    default: break;  // only rows and columns in the fixed field
  }
  m_rgnScan.DeleteObject();
  ReleaseRaster();
  if (!done) return 0;
  EndJobFix();
  return 1;
}
