// The threaded engraving engine: everything that touches the canvas view is done first on the
// user-interface thread (outlines captured and turned into machine units, or the raster
// rendered into the engine's own device context); then one worker thread only sends the
// commands, reports progress to the form view by queued calls and watches an atomic stop flag.
// The worker reads nothing but what was copied before it started.
#pragma once

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "model/doc_seams.h"
#include "output/engrave_core.h"
#include "platform/gdi/gdi.h"

class CKorvaneDoc;
class CLeftView;
class IEngraveSource;
class QObject;

// What the worker reports to: the form view's progress bar and the document's end of a job
// (which arms the main window's end timer). Always called on the user-interface thread.
class IThreadEngraveHost {
 public:
  virtual ~IThreadEngraveHost() = default;
  virtual void ShowProgress(int lo, int hi) = 0;
  virtual void SetProgressPos(int pos) = 0;
  virtual void ScheduleEngravingEnd() = 0;
};

class CThreadEngraveEngine : public IDocEngine, public CEngraveCore {
 public:
  // The worker's exit code when the job ran but commands did not reach the port whole, or the
  // machine took no data for the port's stall limit (the operator is told on the user-interface
  // thread). Besides 0 full job and -1 stopped; a stopped or failed job ends with the pen up.
  static constexpr int EXIT_PORT_FAILED = -2;

  CThreadEngraveEngine();
  // Stops and waits for a worker that still runs, so the engine is never freed under it.
  ~CThreadEngraveEngine() override;

  // 0 when the document or the view is null; else 1.
  int Attach(CKorvaneDoc* doc, IEngraveSource* view, IThreadEngraveHost* formView);
  // The canvas view itself.
  int Attach(CKorvaneDoc* doc, CLeftView* view, IThreadEngraveHost* formView);
  // Prepares the job and starts the worker; 1 at once while it runs. 0 when not attached, or
  // when the job is refused: another worker still holds the port, settings that cannot make
  // a job, a job with no mark to send, or a port that cannot be opened (the operator is told).
  int Start(int* oldZoom);
  // 1 when not attached or no worker was started, or when the worker has ended (it is then
  // joined); else the stop flag is set and 0 returned.
  int Stop() override;
  // The stop flag as the worker sees it.
  BOOL IsStopRequested() const { return m_bStop.load() ? TRUE : FALSE; }
  void RequestStop() override { m_bStop.store(1); }
  // Whether a worker was started and has not ended yet.
  bool IsWorkerRunning() const override { return m_bWorkerStarted && !m_bWorkerDone.load(); }
  // 0 full job, -1 stopped, EXIT_PORT_FAILED; valid once the worker has ended.
  int GetExitCode() const { return m_nExitCode.load(); }
  // Waits for the worker to end (tests and the benchmark).
  void WaitForWorker();

  const std::vector<CapturedOutline>& GetCapturedOutlines() const { return m_Outlines; }

 protected:
  // Either variant: the checks, the preparation on this thread, the worker.
  int StartJobThread(bool fixed, int* oldZoom);
  int StartOutlineThread();
  int StartRasterThread(int* oldZoom);
  int OutlineThreadProc();
  int RasterThreadProc();
  int StartWorker(int (CThreadEngraveEngine::*proc)());
  // Queued to the user-interface thread; dropped when the engine is gone by then.
  void PostShowProgress(int lo, int hi);
  void PostProgressPos(int pos);
  void PostEngravingEnd();
  void PostPortFailure(const CString& message);

  int m_nMachine = 0;
  CKorvaneDoc* m_pDoc = nullptr;
  IEngraveSource* m_pView = nullptr;
  IThreadEngraveHost* m_pFormView = nullptr;
  std::thread m_Worker;
  bool m_bWorkerStarted = false;
  std::atomic<bool> m_bWorkerDone{false};
  std::atomic<int> m_nExitCode{0};
  CDC m_dcEngine;
  const CBitmap* m_pRasterBitmap = nullptr;
  std::vector<CapturedOutline> m_Outlines;
  int m_bAttached = 0;
  std::atomic<int> m_bStop{0};
  std::unique_ptr<IEngraveSource> m_pViewSource;  // made by the canvas-view Attach
  QObject* m_pContext = nullptr;  // lives on the user-interface thread; receives queued calls
};

// The fixed-field variant: axes from the machine model, park at the scanning area's corner.
class CThreadEngraveEngineFix : public CThreadEngraveEngine {
 public:
  // As Start; also refused without a machine model.
  int StartFix(int* oldZoom);
};
