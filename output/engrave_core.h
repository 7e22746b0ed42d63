// What the normal and the threaded engine have in common, written once: the job's settings, the
// port held open for the whole job, the checks before a job, the outline capture of one entry,
// the raster scan and every command the engines send.
#pragma once

#include <climits>
#include <functional>
#include <vector>

#include "output/engrave_job.h"
#include "output/lpt_port.h"
#include "platform/gdi/gdi.h"

class CKorvaneDoc;
class IEngraveSource;

// One captured object, in machine units.
struct CapturedOutline {
  int kind = 0;  // TYPE_CIRCLE, else the outline kind 0 to 8
  int n = 0;
  std::vector<POINT> points;  // circles: the centres
  std::vector<BYTE> types;    // empty for circles
  std::vector<SIZE> radii;    // circles only
};

class CEngraveCore {
 public:
  // What the checks before a job found.
  enum class PreFlight { GO, NOTHING_TO_SEND, REFUSED };
  // The progress position of a scan round that has none (concentric rectangles).
  static constexpr int NO_PROGRESS = INT_MIN;

  CEngraveCore() = default;
  virtual ~CEngraveCore() = default;
  CEngraveCore(const CEngraveCore&) = delete;
  CEngraveCore& operator=(const CEngraveCore&) = delete;

  const CEngraveJob& GetJob() const { return m_Job; }
  // Commands of the job that did not reach the port whole.
  int GetLostCommands() const { return m_Port.LostCommands(); }
  // Whether the machine took no byte for the port's stall limit.
  bool IsPortStalled() const { return m_Port.IsStalled(); }

  // ---- commands, through the job's port
  void SendSpeed();
  void SendScaledSpeed(double factor);
  void PenUpAt(POINT p);
  void PenDownAt(POINT p);
  // Bitmap points of the raster, placed by the normal or the fixed-field transform.
  void MoveTo(int x, int y);
  void DrawTo(int x, int y);
  POINT ToMachineFix(int x, int y) const { return m_Job.ToMachineFix(x, y); }
  void MoveToFix(int x, int y);
  void DrawToFix(int x, int y);
  void SendCircle(POINT centre, SIZE radii);
  // The end of the job of the engine's variant: park by HOME, or at the area's corner.
  void EndJob();
  void EndJobFix();
  // One captured object: its circles one by one, or its points figure by figure.
  void SendCaptured(const CapturedOutline& record);

 protected:
  // Copies the settings and checks them, then opens the port for the whole job. A refusal
  // tells the operator, once, what to change. Nothing is opened when there is nothing to send.
  PreFlight StartJob(const CKorvaneDoc& doc, bool fixed);
  // Writes the rest of the job and waits for the machine to take it; a job given up or failed
  // on the way gets its pen-up; then the port is closed. The number of commands that did not
  // reach the machine whole.
  int FinishJob();
  // The operator's message about the lost commands.
  CString LostMessage() const { return m_Port.LostMessage(); }

  // Field and scanning area in machine units, and the outline origin of the normal variant.
  void PrepareOutline(IEngraveSource& view);
  // Captures one list entry in machine units. REFUSED: the view would not capture the object
  // because it is too large, and has told the operator; such a job must not go on as if whole.
  enum class Captured { NOTHING, TAKEN, REFUSED };
  Captured Capture(IEngraveSource& view, int index, CapturedOutline& record) const;
  // Captures every entry before anything is sent, so that an object refused as too large
  // refuses the whole job. goOn(index) comes before each entry; false stops the capture.
  enum class CaptureAll { DONE, REFUSED, STOPPED };
  CaptureAll CaptureOutlines(IEngraveSource& view, std::vector<CapturedOutline>& out,
                             const std::function<bool(int)>& goOn) const;
  // The end of a job that ended early (cancelled, stopped, failed): the pen goes up. The normal
  // engine lets a new Cancel give the pen-up up; the worker's stop flag never does.
  virtual void EndEarly() { m_Port.LiftPen(false); }
  // Tells the operator that the job has no mark to send (a scan interval of 0).
  static void TellNothingToSend();
  // Tells the operator that the job's stream would hold no mark, whatever the reason.
  static void TellNothingToMark();
  // Whether the captured outlines hold a mark (a line or a circle).
  static bool OutlinesMark(const std::vector<CapturedOutline>& outlines);
  // Whether the raster scan of the job would send a run; it stops at the first one.
  bool RasterMarks(const CBitmap* bitmap, bool concentric) const;
  // Renders the raster into dc (the canvas's old zoom into oldZoom) and takes the field and the
  // scanning area in its dots; the rendered bitmap, null when none. *refused is set when the
  // view left an object out as too large (it has told the operator).
  const CBitmap* PrepareRaster(IEngraveSource& view, CDC& dc, int* oldZoom, bool* refused);
  // Scans the raster in the job's direction and sends every run. before(pos) comes before each
  // line pair (false stops the scan: 0 is returned), showRange(lo, hi) once before the first.
  // Concentric rectangles only where `concentric` allows them. 1 when the scan ran to its end.
  int ScanRaster(const CRasterScanner& scanner, bool concentric, const CRasterScanner::Before& before,
                 const std::function<void(int, int)>& showRange);
  // The number of list entries.
  static int EntryCount(const CKorvaneDoc* doc);

  CEngraveJob m_Job;
  CLptPort m_Port;  // open from StartJob to FinishJob
  bool m_bFix = false;
  int m_nEntries = 0;  // list entries when the job started
  int m_nBitmapSize[2] = {0, 0};
  CDoubleRect m_rcBitmapBounds;
};
