// The engraving engine: turns the document into machine commands for one job, synchronously on
// the user-interface thread, with a modeless progress dialog. Outline mode sends every
// engravable object's outline as moves and marks; raster mode renders the design into a 1-bit
// bitmap and sends every run of ink pixels along the scan lines.
#pragma once

#include "model/doc_seams.h"
#include "output/engrave_job.h"
#include "output/engrave_progress_dialog.h"
#include "platform/gdi/gdi.h"

#include <memory>

class CKorvaneDoc;
class CLeftView;
class IEngraveSource;
class QWidget;

class CEngraveEngine : public IDocEngine {
 public:
  // Start results besides -1 (not attached), 0 (cancelled) and 1 (done): the job was refused
  // before anything was sent (another job's worker is still sending, settings that cannot make
  // a job, no machine model for the fixed field, or the port cannot be opened; the operator is
  // told about the port).
  static constexpr int START_REFUSED = -2;

  CEngraveEngine();
  ~CEngraveEngine() override;
  CEngraveEngine(const CEngraveEngine&) = delete;
  CEngraveEngine& operator=(const CEngraveEngine&) = delete;

  // 0 when either is null; else 1.
  int Attach(CKorvaneDoc* doc, IEngraveSource* view);
  // The canvas view itself.
  int Attach(CKorvaneDoc* doc, CLeftView* view);
  // The window the progress dialog disables while the job runs (the main window).
  void SetOwnerWindow(QWidget* owner) { m_pOwner = owner; }
  // Runs one whole job: -1 not attached, 0 cancelled, 1 done, START_REFUSED. oldZoom gets -1,
  // or in raster mode the zoom index the caller gives back to the canvas afterwards.
  int Start(int* oldZoom);

  void SendSpeed();
  void SendScaledSpeed(double factor);
  void EndJob();
  BOOL IsCancelled();
  void PenUpAt(POINT p);
  void PenDownAt(POINT p);
  void MoveTo(int x, int y);
  void DrawTo(int x, int y);
  void SendCircle(POINT centre, SIZE radii);

  CEngraveProgressDialog& GetProgressDialog() { return m_dlgProgress; }
  const CEngraveJob& GetJob() const { return m_Job; }

 protected:
  // The checks before a job: another job's worker, the raster settings, the port. Returns 0
  // when the job may start.
  int RefuseStart(bool raster);
  // Makes the progress dialog and clears a pending Cancel.
  void OpenProgress();
  int EngraveOutline();
  // The object loop of an outline job, shared by both variants: `placePoint` and `placeCircle`
  // put one captured point or circle (centre and radii) on the machine, in place.
  template <class PlacePoint, class PlaceCircle>
  int RunOutline(PlacePoint placePoint, PlaceCircle placeCircle);
  int EngraveRaster(int* oldZoom);
  // Renders the raster and builds the scan region; false when nothing can be scanned.
  bool PrepareRaster(int* oldZoom);
  void ReleaseRaster();

  CKorvaneDoc* m_pDoc = nullptr;
  IEngraveSource* m_pView = nullptr;
  int m_bAttached = 0;
  CEngraveProgressDialog m_dlgProgress;
  CRgn m_rgnScan;
  int m_nBitmapSize[2] = {0, 0};
  CDoubleRect m_rcBitmapBounds;
  CDC m_dcRaster;
  CBitmap* m_pRasterBitmap = nullptr;  // handed over by the canvas with the device context
  CEngraveJob m_Job;
  QWidget* m_pOwner = nullptr;
  std::unique_ptr<IEngraveSource> m_pViewSource;  // made by the canvas-view Attach
};

// The fixed-field variant: the machine model decides the axes, and the job parks at the
// scanning area's corner.
class CEngraveEngineFix : public CEngraveEngine {
 public:
  // As Start; refused without a machine model.
  int StartFix(int* oldZoom);
  void EndJobFix();
  POINT ToMachineFix(int x, int y) const { return m_Job.ToMachineFix(x, y); }
  void MoveToFix(int x, int y);
  void DrawToFix(int x, int y);

 private:
  int EngraveOutlineFix();
  int EngraveRasterFix(int* oldZoom);
};
