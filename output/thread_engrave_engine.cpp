#include "output/thread_engrave_engine.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QObject>

#include "model/korvane_doc.h"
#include "model/objectlist.h"
#include "output/engrave_source.h"
#include "output/leftview_engrave_source.h"
#include "output/lpt_port.h"
#include "platform/prompter.h"

CThreadEngraveEngine::CThreadEngraveEngine() : m_pContext(new QObject) {}

CThreadEngraveEngine::~CThreadEngraveEngine() {
  m_bStop.store(1);
  if (m_Worker.joinable()) m_Worker.join();
  FreeOutlines();
  if (m_dcEngine.GetSafeHdc() && m_pView) m_pView->ReleaseBitmapDC(&m_dcEngine);
  delete m_pContext;  // queued calls that did not run yet go with it
}

int CThreadEngraveEngine::Attach(CKorvaneDoc* doc, IEngraveSource* view, IThreadEngraveHost* formView) {
  if (!doc || !view) return 0;
  m_pDoc = doc;
  m_pView = view;
  m_pFormView = formView;
  m_bStop.store(0);
  m_bAttached = 1;
  return 1;
}

int CThreadEngraveEngine::Attach(CKorvaneDoc* doc, CLeftView* view, IThreadEngraveHost* formView) {
  if (!doc || !view) return 0;
  m_pViewSource = std::make_unique<CLeftViewEngraveSource>(view);
  return Attach(doc, m_pViewSource.get(), formView);
}

bool CThreadEngraveEngine::MayStart(bool raster) {
  if (IsWorkerPortClaimed()) return false;
  if (raster) {
    if (!m_Job.RasterSettingsValid()) return false;
    if (m_Job.m_dSpan == 0.0) return true;  // nothing will be sent
  }
  CString reason;
  if (!CLptPort::CheckPort(&reason)) {
    AfxMessageBox(reason, MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  return true;
}

int CThreadEngraveEngine::Start(int* oldZoom) {
  if (!m_bAttached || m_bWorkerStarted) return 0;
  if (oldZoom) *oldZoom = -1;
  m_Job.CopySettings(*m_pDoc);
  m_nMachine = m_Job.m_nMachine;
  const bool raster = m_Job.m_nOutStyle != 0;
  if (!MayStart(raster)) return 0;
  return raster ? StartRasterThread(oldZoom) : StartOutlineThread();
}

int CThreadEngraveEngineFix::StartFix(int* oldZoom) {
  if (!m_bAttached || m_bWorkerStarted) return 0;
  if (oldZoom) *oldZoom = -1;
  m_bFix = true;
  m_Job.CopySettings(*m_pDoc);
  m_nMachine = m_Job.m_nMachine;
  if (!m_Job.m_bHasPark) return 0;  // no machine model: no park point
  const bool raster = m_Job.m_nOutStyle != 0;
  if (!MayStart(raster)) return 0;
  return raster ? StartRasterThread(oldZoom) : StartOutlineThread();
}

int CThreadEngraveEngine::Stop() {
  if (!m_bAttached || !m_bWorkerStarted) return 1;
  m_bStop.store(1);
  if (!m_bWorkerDone.load()) return 0;
  if (m_Worker.joinable()) m_Worker.join();
  return 1;
}

void CThreadEngraveEngine::WaitForWorker() {
  if (m_Worker.joinable()) m_Worker.join();
}

// ---- user-interface thread ------------------------------------------------------------------

int CThreadEngraveEngine::StartOutlineThread() {
  CDoubleRect field, area;
  m_pView->GetField(&field);
  m_pView->GetScanningArea(&area);
  m_pView->ConvertUnit(&field);
  m_pView->ConvertUnit(&area);
  m_Job.m_rcArea = area;
  if (!m_bFix) m_Job.SetOutlineOrigin(field);
  CaptureOutlines();
  return StartWorker(&CThreadEngraveEngine::OutlineThreadProc);
}

void CThreadEngraveEngine::FreeOutlines() {
  for (CapturedOutline* record : m_Outlines) delete record;
  m_Outlines.clear();
}

void CThreadEngraveEngine::CaptureOutlines() {
  FreeOutlines();
  const CObjectList* list = m_pDoc->GetObjectList();
  const int n = list ? list->GetCount() : 0;
  for (int i = 1; i < n; ++i) {
    const int kind = m_pView->GetOutlineType(i);
    if (kind < 0 || kind > TYPE_BARCODE) continue;
    const int count = m_pView->SetOutlineData(i);
    if (count <= 0 || !m_pView->OutlinePoints()) {
      m_pView->ReleaseOutlinePoints();
      continue;
    }
    auto* record = new CapturedOutline;
    record->kind = kind == 2 ? 2 : kind;
    record->n = count;
    record->points.assign(m_pView->OutlinePoints(), m_pView->OutlinePoints() + count);
    if (kind == 2) {
      if (m_pView->CircleRadii())
        record->radii.assign(m_pView->CircleRadii(), m_pView->CircleRadii() + count);
      else
        record->radii.assign(static_cast<size_t>(count), SIZE{});
      for (int k = 0; k < count; ++k) {
        if (m_bFix) m_Job.TransformCircleFix(record->points[k], record->radii[k]);
        else m_Job.TransformCircle(record->points[k], record->radii[k]);
      }
    } else {
      if (m_pView->OutlineTypes())
        record->types.assign(m_pView->OutlineTypes(), m_pView->OutlineTypes() + count);
      else
        record->types.assign(static_cast<size_t>(count), BYTE{0});
      for (POINT& p : record->points) p = m_bFix ? m_Job.TransformPointFix(p) : m_Job.TransformPoint(p);
    }
    m_Outlines.push_back(record);
    m_pView->ReleaseOutlinePoints();
  }
}

int CThreadEngraveEngine::StartRasterThread(int* oldZoom) {
  if (m_Job.m_dSpan != 0.0) {
    m_pView->GetBitmapDC(&m_dcEngine, m_nBitmapSize, &m_rcBitmapBounds, oldZoom);
    m_pRasterBitmap = m_dcEngine.GetCurrentBitmap();
    CDoubleRect field, area;
    m_pView->GetFieldBMP(&field);
    m_pView->GetScanningAreaBMP(&area);
    m_Job.m_rcArea = area;
    if (!m_bFix) m_Job.SetRasterOrigin(field);
    m_dcEngine.SetMapMode(MM_TEXT);
  }
  return StartWorker(&CThreadEngraveEngine::RasterThreadProc);
}

int CThreadEngraveEngine::StartWorker(int (CThreadEngraveEngine::*proc)()) {
  if (!ClaimWorkerPort()) return 0;
  m_bWorkerStarted = true;
  m_bWorkerDone.store(false);
  m_Worker = std::thread([this, proc] {
    const int code = (this->*proc)();
    m_nExitCode.store(code);
    ReleaseWorkerPort();
    m_bWorkerDone.store(true);
  });
  return 1;
}

void CThreadEngraveEngine::PostShowProgress(int lo, int hi) {
  IThreadEngraveHost* host = m_pFormView;
  if (!host) return;
  QMetaObject::invokeMethod(m_pContext, [host, lo, hi] { host->ShowProgress(lo, hi); }, Qt::QueuedConnection);
}

void CThreadEngraveEngine::PostProgressPos(int pos) {
  IThreadEngraveHost* host = m_pFormView;
  if (!host) return;
  QMetaObject::invokeMethod(m_pContext, [host, pos] { host->SetProgressPos(pos); }, Qt::QueuedConnection);
}

void CThreadEngraveEngine::PostEngravingEnd() {
  IThreadEngraveHost* host = m_pFormView;
  if (!host) return;
  QMetaObject::invokeMethod(m_pContext, [host] { host->ScheduleEngravingEnd(); }, Qt::QueuedConnection);
}

// ---- worker ---------------------------------------------------------------------------------

void CThreadEngraveEngine::SendSpeed() {
  CLptPort port;
  m_Job.SendSpeed(port);
}

void CThreadEngraveEngine::SendScaledSpeed(double factor) {
  CLptPort port;
  m_Job.SendScaledSpeed(port, factor);
}

void CThreadEngraveEngine::SendCircle(POINT centre, SIZE radii) {
  CLptPort port;
  m_Job.SendCircle(port, centre, radii);
}

void CThreadEngraveEngine::EndJob() {
  CLptPort port;
  if (m_bFix) m_Job.SendEndJobFix(port);
  else m_Job.SendEndJob(port);
}

int CThreadEngraveEngine::OutlineThreadProc() {
  const std::vector<CapturedOutline*> records = m_Outlines;
  SendSpeed();
  PostShowProgress(0, static_cast<int>(records.size()));
  for (size_t k = 0; k < records.size(); ++k) {
    if (IsStopRequested()) return -1;
    PostProgressPos(static_cast<int>(k) + 1);
    const CapturedOutline& r = *records[k];
    if (r.kind == 2) {
      for (int i = 0; i < r.n; ++i) SendCircle(r.points[i], r.radii[i]);
    } else {
      CLptPort port;
      SendOutlinePoints(port, r.points.data(), r.types.data(), r.n);
    }
  }
  EndJob();
  PostEngravingEnd();
  return 0;
}

int CThreadEngraveEngine::RasterThreadProc() {
  const CDoubleRect area = m_Job.m_rcArea;
  if (m_Job.m_dSpan == 0.0) {
    PostEngravingEnd();
    return 1;
  }
  const double pitch = CRasterScanner::Pitch(m_Job.m_dSpan, m_Job.m_nDpm);
  SendSpeed();
  CRgn region;
  BuildScanRegion(region, area, m_Job.m_nAreaShape, m_Job.m_dFrameSize);
  const CRasterScanner scanner(m_pRasterBitmap, &region, m_Job.m_nScanStyle);
  const CRasterScanner::Before before = [this](int pos) {
    if (IsStopRequested()) return false;
    PostProgressPos(pos);
    return true;
  };
  CLptPort port;
  int done = 1;
  if (m_Job.m_nScanDirection == 0) {
    PostShowProgress(DoubleToInt(area.top), DoubleToInt(area.bottom));
    done = scanner.ScanRows(area, pitch, before, [this, &port](int x0, int y0, int x1, int y1) {
      const POINT a = m_bFix ? m_Job.ToMachineFix(x0, m_Job.RowYFix(y0)) : m_Job.ToMachine(x0, y0);
      const POINT b = m_bFix ? m_Job.ToMachineFix(x1, m_Job.RowYFix(y1)) : m_Job.ToMachine(x1, y1);
      port.PenUp(a.x, a.y);
      port.PenDown(b.x, b.y);
    });
  } else if (m_Job.m_nScanDirection == 1) {
    PostShowProgress(DoubleToInt(area.left), DoubleToInt(area.right));
    done = scanner.ScanColumns(area, pitch, before, [this, &port](int x0, int y0, int x1, int y1) {
      const POINT a = m_bFix ? m_Job.ToMachineFix(x0, m_Job.ColumnYFix(y0)) : m_Job.ToMachine(x0, y0);
      const POINT b = m_bFix ? m_Job.ToMachineFix(x1, m_Job.ColumnYFix(y1)) : m_Job.ToMachine(x1, y1);
      port.PenUp(a.x, a.y);
      port.PenDown(b.x, b.y);
    });
  }
  if (!done) return -1;
  EndJob();
  region.DeleteObject();
  PostEngravingEnd();
  return 0;
}
