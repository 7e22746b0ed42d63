// The engraving engine: turns the document into machine commands for one job, synchronously on
// the user-interface thread, with a modeless progress dialog. Outline mode sends every
// engravable object's outline as moves and marks; raster mode renders the design into a 1-bit
// bitmap and sends every run of ink pixels along the scan lines.
#pragma once

#include <memory>

#include "model/doc_seams.h"
#include "output/engrave_core.h"
#include "output/engrave_progress_dialog.h"
#include "platform/gdi/gdi.h"

class CKorvaneDoc;
class CLeftView;
class IEngraveSource;
class QWidget;

class CEngraveEngine : public IDocEngine, public CEngraveCore {
 public:
  // Start results besides -1 (not attached), 0 (cancelled) and 1 (done). Refused: nothing was
  // sent (another job's worker is still sending, settings that cannot make a job, no machine
  // model for the fixed field, or the port cannot be opened). Port failed: the job ran, but
  // commands did not reach the port whole. Either way the operator has been told why; only a
  // result of 1 means the design reached the machine.
  static constexpr int START_REFUSED = -2;
  static constexpr int START_PORT_FAILED = -3;
  // The view refused an object as too large and told the operator; nothing was sent.
  static constexpr int START_OBJECT_REFUSED = -4;
  // The job has no mark to send (a raster scan interval of 0, or a stream that would hold no
  // mark); the operator was told and nothing was sent.
  static constexpr int START_NOTHING_TO_SEND = -5;

  CEngraveEngine();
  ~CEngraveEngine() override;

  // 0 when either is null; else 1.
  int Attach(CKorvaneDoc* doc, IEngraveSource* view);
  // The canvas view itself.
  int Attach(CKorvaneDoc* doc, CLeftView* view);
  // The window the progress dialog disables while the job runs (the main window).
  void SetOwnerWindow(QWidget* owner) { m_pOwner = owner; }
  // Runs one whole job: -1 not attached, 0 cancelled, 1 done, START_REFUSED, START_PORT_FAILED,
  // START_OBJECT_REFUSED, START_NOTHING_TO_SEND. A job that ends early ends with the pen up.
  // oldZoom gets -1, or in raster mode the zoom index the caller gives back to the canvas.
  int Start(int* oldZoom);

  BOOL IsCancelled();
  CEngraveProgressDialog& GetProgressDialog() { return m_dlgProgress; }

 protected:
  // The job of either variant, from the checks to the closing of the port.
  int RunJob(bool fixed, int* oldZoom);
  // Makes the progress dialog and clears a pending Cancel.
  void OpenProgress();
  int EngraveOutline();
  int EngraveRaster(int* oldZoom);
  void ReleaseRaster();
  // Between the slices of a wait for the port: the dialog's events, and whether Cancel came.
  bool PumpWhileWaiting();
  // The pen-up after an early end: a Cancel that ended the job is spent, a new one gives up.
  void EndEarly() override;

  CKorvaneDoc* m_pDoc = nullptr;
  IEngraveSource* m_pView = nullptr;
  int m_bAttached = 0;
  CEngraveProgressDialog m_dlgProgress;
  CRgn m_rgnScan;
  CDC m_dcRaster;
  const CBitmap* m_pRasterBitmap = nullptr;  // handed over by the canvas with the device context
  QWidget* m_pOwner = nullptr;
  std::unique_ptr<IEngraveSource> m_pViewSource;  // made by the canvas-view Attach
};

// The fixed-field variant: the machine model decides the axes, and the job parks at the
// scanning area's corner.
class CEngraveEngineFix : public CEngraveEngine {
 public:
  // As Start; refused without a machine model. The outline and raster jobs are those of
  // CEngraveEngine with the fixed-field transforms and end.
  int StartFix(int* oldZoom);
};
