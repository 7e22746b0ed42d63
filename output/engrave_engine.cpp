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
  if (StartJob(*m_pDoc, fixed) == PreFlight::REFUSED) return START_REFUSED;
  OpenProgress();
  int result = m_Job.m_nOutStyle != 0 ? EngraveRaster(oldZoom) : EngraveOutline();
  if (FinishJob() > 0) {
    AfxMessageBox(LostMessage(), MB_OK | MB_ICONEXCLAMATION);
    if (result == 1) result = START_PORT_FAILED;
  }
  return result;
}

BOOL CEngraveEngine::IsCancelled() { return m_dlgProgress.CheckCancelButton(); }

int CEngraveEngine::EngraveOutline() {
  PrepareOutline(*m_pView);
  SendSpeed();
  const int n = EntryCount(m_pDoc);
  m_dlgProgress.SetRange(0, n);
  CapturedOutline record;
  for (int i = 1; i < n; ++i) {
    if (IsCancelled()) return 0;
    m_dlgProgress.SetPos(i);
    const Captured got = Capture(*m_pView, i, record);
    // Like an abort: what was sent stays sent, the job gets no end.
    if (got == Captured::REFUSED) return START_OBJECT_REFUSED;
    if (got == Captured::TAKEN) SendCaptured(record);
  }
  EndJob();
  return 1;
}

void CEngraveEngine::ReleaseRaster() {
  if (m_dcRaster.GetSafeHdc() && m_pView) m_pView->ReleaseBitmapDC(&m_dcRaster);
  m_pRasterBitmap = nullptr;
}

int CEngraveEngine::EngraveRaster(int* oldZoom) {
  if (m_Job.m_dSpan == 0.0) return 1;  // nothing is sent
  ReleaseRaster();
  bool refused = false;
  m_pRasterBitmap = PrepareRaster(*m_pView, m_dcRaster, oldZoom, &refused);
  if (refused) {
    // A raster without one of the design's objects is not the design: nothing is sent.
    ReleaseRaster();
    return START_OBJECT_REFUSED;
  }
  SendSpeed();
  BuildScanRegion(m_rgnScan, m_Job.m_rcArea, m_Job.m_nAreaShape, m_Job.m_dFrameSize);
  m_dlgProgress.SetStep(1);
  const CRasterScanner scanner(m_pRasterBitmap, &m_rgnScan, m_Job.m_nScanStyle);
  const int done = ScanRaster(
      scanner, !m_bFix,
      [this](int pos) {
        if (IsCancelled()) return false;
        if (pos != NO_PROGRESS) m_dlgProgress.SetPos(pos);
        return true;
      },
      [this](int lo, int hi) { m_dlgProgress.SetRange(lo, hi); });
  m_rgnScan.DeleteObject();
  ReleaseRaster();
  if (!done) return 0;
  EndJob();
  return 1;
}
