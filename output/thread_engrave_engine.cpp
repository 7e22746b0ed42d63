#include "output/thread_engrave_engine.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QObject>

#include "model/korvane_doc.h"
#include "output/engrave_source.h"
#include "output/leftview_engrave_source.h"
#include "platform/prompter.h"

CThreadEngraveEngine::CThreadEngraveEngine() : m_pContext(new QObject) {
  // The stop flag ends a wait for the port too, so a stalled machine never holds the worker.
  m_Port.SetWaitHook([this] { return m_bStop.load() != 0; });
}

CThreadEngraveEngine::~CThreadEngraveEngine() {
  m_bStop.store(1);
  if (m_Worker.joinable()) m_Worker.join();
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

int CThreadEngraveEngine::Start(int* oldZoom) { return StartJobThread(false, oldZoom); }

int CThreadEngraveEngineFix::StartFix(int* oldZoom) { return StartJobThread(true, oldZoom); }

int CThreadEngraveEngine::StartJobThread(bool fixed, int* oldZoom) {
  if (!m_bAttached || m_bWorkerStarted) return 0;
  if (oldZoom) *oldZoom = -1;
  const PreFlight pre = StartJob(*m_pDoc, fixed);
  if (pre == PreFlight::NOTHING_TO_SEND) TellNothingToSend();
  if (pre != PreFlight::GO) return 0;
  m_nMachine = m_Job.m_nMachine;
  return m_Job.m_nOutStyle != 0 ? StartRasterThread(oldZoom) : StartOutlineThread();
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
  PrepareOutline(*m_pView);
  if (CaptureOutlines(*m_pView, m_Outlines, [](int) { return true; }) != CaptureAll::DONE) {
    // An object too large to capture (the operator has been told): no worker, nothing sent.
    m_Outlines.clear();
    FinishJob();
    return 0;
  }
  if (!OutlinesMark(m_Outlines)) {
    m_Outlines.clear();
    FinishJob();
    TellNothingToMark();
    return 0;
  }
  return StartWorker(&CThreadEngraveEngine::OutlineThreadProc);
}

int CThreadEngraveEngine::StartRasterThread(int* oldZoom) {
  bool refused = false;
  m_pRasterBitmap = PrepareRaster(*m_pView, m_dcEngine, oldZoom, &refused);
  if (refused) {
    // A raster without one of the design's objects is not the design: no worker.
    FinishJob();
    return 0;
  }
  if (!RasterMarks(m_pRasterBitmap, false)) {
    FinishJob();
    TellNothingToMark();
    return 0;
  }
  return StartWorker(&CThreadEngraveEngine::RasterThreadProc);
}

int CThreadEngraveEngine::StartWorker(int (CThreadEngraveEngine::*proc)()) {
  if (!ClaimWorkerPort()) {
    FinishJob();
    return 0;
  }
  m_bWorkerStarted = true;
  m_bWorkerDone.store(false);
  m_Worker = std::thread([this, proc] {
    int code = (this->*proc)();
    if (code != 0) EndEarly();
    // The machine takes the rest (bounded by the stall limit) before the end is posted, so that
    // the end timer cannot cut the drain short; the port is let go before the claim, so that
    // the next job finds it free.
    if (FinishJob() > 0) {
      PostPortFailure(LostMessage());
      if (code == 0 || IsPortStalled()) code = EXIT_PORT_FAILED;
    } else if (code == 0 && m_Port.IsGivenUp()) {
      code = -1;  // stopped while the last bytes waited for the port
    }
    // A stop comes with its own end (the abort arms the end timer, the close waits); any other
    // end, a failure too, is posted here: nothing else would arm it.
    if (!IsStopRequested()) PostEngravingEnd();
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

void CThreadEngraveEngine::PostPortFailure(const CString& message) {
  // The message outlives the engine: its end may delete the engine while the message is shown.
  QMetaObject::invokeMethod(
      QCoreApplication::instance(), [message] { AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION); }, Qt::QueuedConnection);
}

// ---- worker ---------------------------------------------------------------------------------

int CThreadEngraveEngine::OutlineThreadProc() {
  SendSpeed();
  PostShowProgress(0, static_cast<int>(m_Outlines.size()));
  for (size_t k = 0; k < m_Outlines.size(); ++k) {
    if (IsStopRequested() || IsPortStalled()) return -1;
    PostProgressPos(static_cast<int>(k) + 1);
    SendCaptured(m_Outlines[k]);
  }
  EndJob();
  return 0;
}

int CThreadEngraveEngine::RasterThreadProc() {
  SendSpeed();
  CRgn region;
  BuildScanRegion(region, m_Job.m_rcArea, m_Job.m_nAreaShape, m_Job.m_dFrameSize);
  const CRasterScanner scanner(m_pRasterBitmap, &region, m_Job.m_nScanStyle);
  const int done = ScanRaster(
      scanner, false,
      [this](int pos) {
        if (IsStopRequested() || IsPortStalled()) return false;
        PostProgressPos(pos);
        return true;
      },
      [this](int lo, int hi) { PostShowProgress(lo, hi); });
  region.DeleteObject();
  if (!done) return -1;
  EndJob();
  return 0;
}
