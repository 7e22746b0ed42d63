// One engraving job's settings, copied from the document when the job starts, with the
// coordinate transforms and the raster scan that the normal and the threaded engines share, so
// that both send the same stream for the same job.
#pragma once

#include <functional>

#include "model/geometry.h"
#include "platform/gdi/gdi.h"
#include "platform/wintypes.h"

class CKorvaneDoc;
class CLptPort;

struct CEngraveJob {
  // ---- settings
  int m_nMachine = 0;        // FieldMachine: 0 none, 1 to 3
  int m_nScanStyle = 0;      // 0 black runs, 1 non-black runs
  int m_nScanDirection = 0;  // 0 rows, 1 columns, 2 concentric
  int m_nOutStyle = 0;       // 0 outline, else raster
  int m_nDpm = 40;
  double m_dSpan = 0.0;
  double m_dScaleX = 1.0;
  double m_dScaleY = 1.0;
  int m_bSwap = 0;
  int m_bMirrorX = 0;
  int m_bMirrorY = 0;
  double m_dDotFactor = 1.0;  // machine units per dot: MACHINE_UNITS_PER_MM / DPM
  double m_dKx = 1.0;
  double m_dKy = 1.0;
  int m_nAreaShape = 0;
  double m_dFrameSize = 0.0;
  double m_dAreaOffsetX = 0.0;   // mm
  double m_dAreaOffsetY = 0.0;
  double m_dFieldOffsetX = 0.0;  // mm
  double m_dFieldOffsetY = 0.0;
  int m_nSpeed = 1;  // layer 0
  int m_bHome = 0;
  double m_dHomeX = 0.0;  // mm
  double m_dHomeY = 0.0;
  // fixed field (machine units)
  int m_nFieldOriginX = 0;
  int m_nFieldOriginY = 0;
  int m_nAreaW = 0;
  int m_nAreaH = 0;
  int m_nAreaAX = 0;
  int m_nAreaAY = 0;
  CPoint m_ptPark;  // the area's anchor 3
  BOOL m_bHasPark = FALSE;

  // ---- geometry of the running job
  CDoubleRect m_rcField;  // machine units (outline) or dots (raster)
  CDoubleRect m_rcArea;
  int m_nHalfWidth = 0;
  int m_nHalfHeight = 0;
  double m_dOffsetX = 0.0;
  double m_dOffsetY = 0.0;
  bool m_bRasterUnits = false;  // the field rectangle is in dots

  // Copies every setting of the normal and the fixed-field variant.
  void CopySettings(const CKorvaneDoc& doc);

  // ---- outline mode (points in machine units relative to the page centre, y up)
  void SetOutlineOrigin(const CDoubleRect& fieldMachine);
  POINT TransformPoint(POINT p) const;
  void TransformCircle(POINT& centre, SIZE& radii) const;
  POINT TransformPointFix(POINT p) const;
  void TransformCircleFix(POINT& centre, SIZE& radii) const;

  // ---- raster mode (bitmap dots, y down)
  void SetRasterOrigin(const CDoubleRect& fieldDots);
  POINT ToMachine(int x, int y) const;
  POINT ToMachineFix(int x, int y) const;
  // Model 3 runs y against the rows: the y a row or a column point is sent with.
  int RowYFix(int row) const;
  int ColumnYFix(int y) const;

  // ---- end of job
  // "SP2;VS%d;" with the speed.
  void SendSpeed(CLptPort& port) const;
  // "SP2;VS%d;" with the speed times the factor, truncated, at least 1.
  void SendScaledSpeed(CLptPort& port, double factor) const;
  // The park point of the normal variant, machine units.
  POINT ParkPoint() const;
  // Half speed, then the park point twice (HOME) or "pu;".
  void SendEndJob(CLptPort& port) const;
  // Half speed, then the area's anchor 3 twice.
  void SendEndJobFix(CLptPort& port) const;
  // A circle: model 1 starts on its bounding box's top left, the others at the centre.
  void SendCircle(CLptPort& port, POINT centre, SIZE radii) const;
};

// The port belongs to one threaded job's worker at a time: a worker claims it for its whole
// life, and no other job starts while it is claimed.
bool ClaimWorkerPort();
void ReleaseWorkerPort();
bool IsWorkerPortClaimed();

// Sends the points of one object's outline: a figure starts at the object's first point and at
// every move; a closing point draws back to the figure's start.
void SendOutlinePoints(CLptPort& port, const POINT* points, const BYTE* types, int count);

// The scan region of the area shape, in bitmap dots.
void BuildScanRegion(CRgn& region, const CDoubleRect& area, int shape, double frameSize);

// Scans the 1-bit raster of a job line by line and reports each run of ink pixels by its first
// and its last pixel.
class CRasterScanner {
 public:
  using Emit = std::function<void(int x0, int y0, int x1, int y1)>;
  // Called before each line pair (rows, columns) or round (concentric) with the progress
  // position; false stops the scan.
  using Before = std::function<bool(int pos)>;

  CRasterScanner(const CBitmap* bitmap, const CRgn* region, int scanStyle);

  // Returns 1 when the scan ran to its end, 0 when Before stopped it.
  int ScanRows(const CDoubleRect& area, double pitch, const Before& before, const Emit& sendRun) const;
  int ScanColumns(const CDoubleRect& area, double pitch, const Before& before, const Emit& sendRun) const;
  int ScanConcentric(const CDoubleRect& area, double pitch, const Before& before, const Emit& sendRun) const;

  // One line, from start to end in either direction.
  void ScanRow(int y, int x0, int x1, const Emit& sendRun) const;
  void ScanColumn(int x, int y0, int y1, const Emit& sendRun) const;
  // The part of a line inside the region, in the line's direction; false when none.
  bool RowLimits(int y, int& x0, int& x1) const;
  bool ColumnLimits(int x, int& y0, int& y1) const;
  bool IsInk(int x, int y) const;

  // The scan pitch in dots.
  static double Pitch(double span, int dpm);

 private:
  const CBitmap* m_pBitmap;
  const CRgn* m_pRegion;
  int m_nScanStyle;
};
