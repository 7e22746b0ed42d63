#include "output/engrave_engine.h"

#include "model/korvane_doc.h"
#include "output/engrave_source.h"
#include "output/leftview_engrave_source.h"
#include "platform/prompter.h"

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

void CEngraveEngine::OpenProgress() {
  if (!m_dlgProgress.IsCreated()) m_dlgProgress.Create(m_pOwner);
  m_dlgProgress.CheckCancelButton();
}

int CEngraveEngine::Start(int* oldZoom) { return RunJob(false, oldZoom); }

int CEngraveEngineFix::StartFix(int* oldZoom) { return RunJob(true, oldZoom); }

int CEngraveEngine::RunJob(bool fixed, int* oldZoom) {
  if (!m_bAttached) return -1;
  if (oldZoom) *oldZoom = -1;
  const PreFlight pre = StartJob(*m_pDoc, fixed);
  if (pre == PreFlight::REFUSED) return START_REFUSED;
  if (pre == PreFlight::NOTHING_TO_SEND) {
    TellNothingToSend();
    return START_NOTHING_TO_SEND;
  }
  m_Port.SetWaitHook([this] { return PumpWhileWaiting(); });
  OpenProgress();
  int result = m_Job.m_nOutStyle != 0 ? EngraveRaster(oldZoom) : EngraveOutline();
  if (result != 1) EndEarly();
  if (FinishJob() > 0) {
    AfxMessageBox(LostMessage(), MB_OK | MB_ICONEXCLAMATION);
    if (result == 1 || IsPortStalled()) result = START_PORT_FAILED;
  } else if (result == 1 && m_Port.IsGivenUp()) {
    result = 0;  // Cancel while the last bytes waited for the port
  }
  m_Port.SetWaitHook(nullptr);
  return result;
}

BOOL CEngraveEngine::IsCancelled() { return m_dlgProgress.CheckCancelButton(); }

void CEngraveEngine::EndEarly() {
  m_dlgProgress.CheckCancelButton();
  m_Port.LiftPen(true);
}

bool CEngraveEngine::PumpWhileWaiting() {
  m_dlgProgress.PumpMessages();
  return m_dlgProgress.IsCancelPending();
}

int CEngraveEngine::EngraveOutline() {
  PrepareOutline(*m_pView);
  const int n = m_nEntries;
  std::vector<CapturedOutline> outlines;
  m_dlgProgress.SetRange(0, n);
  switch (CaptureOutlines(*m_pView, outlines, [this](int i) {
    if (IsCancelled()) return false;
    m_dlgProgress.SetPos(i);
    return true;
  })) {
    case CaptureAll::REFUSED: return START_OBJECT_REFUSED;
    case CaptureAll::STOPPED: return 0;
    case CaptureAll::DONE: break;
  }
  if (!OutlinesMark(outlines)) {
    TellNothingToMark();
    return START_NOTHING_TO_SEND;
  }
  // The capture took the bar's first part, the sending takes the rest.
  const int base = n > 0 ? n - 1 : 0;
  m_dlgProgress.SetRange(0, base + static_cast<int>(outlines.size()));
  SendSpeed();
  for (size_t k = 0; k < outlines.size(); ++k) {
    if (IsCancelled()) return 0;
    if (IsPortStalled()) return START_PORT_FAILED;
    m_dlgProgress.SetPos(base + static_cast<int>(k) + 1);
    SendCaptured(outlines[k]);
  }
  EndJob();
  return 1;
}

void CEngraveEngine::ReleaseRaster() {
  if (m_dcRaster.GetSafeHdc() && m_pView) m_pView->ReleaseBitmapDC(&m_dcRaster);
  m_pRasterBitmap = nullptr;
}

int CEngraveEngine::EngraveRaster(int* oldZoom) {
  ReleaseRaster();
  bool refused = false;
  m_pRasterBitmap = PrepareRaster(*m_pView, m_dcRaster, oldZoom, &refused);
  if (refused) {
    // A raster without one of the design's objects is not the design: nothing is sent.
    ReleaseRaster();
    return START_OBJECT_REFUSED;
  }
  if (!RasterMarks(m_pRasterBitmap, !m_bFix)) {
    ReleaseRaster();
    TellNothingToMark();
    return START_NOTHING_TO_SEND;
  }
  SendSpeed();
  BuildScanRegion(m_rgnScan, m_Job.m_rcArea, m_Job.m_nAreaShape, m_Job.m_dFrameSize);
  m_dlgProgress.SetStep(1);
  const CRasterScanner scanner(m_pRasterBitmap, &m_rgnScan, m_Job.m_nScanStyle);
  const int done = ScanRaster(
      scanner, !m_bFix,
      [this](int pos) {
        if (IsCancelled() || IsPortStalled()) return false;
        if (pos != NO_PROGRESS) m_dlgProgress.SetPos(pos);
        return true;
      },
      [this](int lo, int hi) { m_dlgProgress.SetRange(lo, hi); });
  m_rgnScan.DeleteObject();
  ReleaseRaster();
  if (!done) return IsPortStalled() ? START_PORT_FAILED : 0;
  EndJob();
  return 1;
}
