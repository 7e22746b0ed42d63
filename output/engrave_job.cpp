#include "output/engrave_job.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <utility>

#include "model/drawingobject.h"
#include "model/korvane_doc.h"
#include "model/machine_units.h"
#include "model/objectlist.h"
#include "model/textutil.h"
#include "output/lpt_port.h"
#include "platform/cstring.h"
#include "platform/saturate.h"

namespace {

constexpr double kUnitsPerMm = MACHINE_UNITS_PER_MM;

int Trunc(double v) { return DoubleToInt(v); }

int RoundHalfAway(double v) {
  static const CTextUtil util;
  return util.Round(v);
}

}  // namespace

void CEngraveJob::CopySettings(const CKorvaneDoc& doc) {
  const CKorvaneSettings& s = doc.m_Settings;
  m_nMachine = s.System.FieldMachine;
  m_nScanStyle = s.DrawingArea.ScanStyleIndex;
  m_nScanDirection = s.DrawingArea.ScanDirectionIndex;
  m_nOutStyle = s.DrawingArea.OutStyleIndex;
  m_nDpm = s.DrawingArea.DPM;
  m_dSpan = s.DrawingArea.Span;
  m_dScaleX = s.DrawingData.ScaleX;
  m_dScaleY = s.DrawingData.ScaleY;
  m_bSwap = s.DrawingData.ChangeXY;
  m_bMirrorX = s.DrawingData.ChangeX;
  m_bMirrorY = s.DrawingData.ChangeY;
  // A DPM below 1 never reaches a raster job (the checks before a job refuse it); outline jobs
  // do not use it.
  m_dDotFactor = m_nDpm != 0 ? kUnitsPerMm / m_nDpm : kUnitsPerMm;
  m_dKx = m_dDotFactor * m_dScaleX;
  m_dKy = m_dDotFactor * m_dScaleY;
  m_nAreaShape = s.DrawingArea.OutlineIndex;
  m_dFrameSize = s.DrawingArea.FrameSize;
  m_dAreaOffsetX = s.DrawingArea.OffsetX;
  m_dAreaOffsetY = s.DrawingArea.OffsetY;
  m_dFieldOffsetX = s.DrawingField.OffsetX;
  m_dFieldOffsetY = s.DrawingField.OffsetY;
  m_nSpeed = s.DrawingData.Layer[0].SPEED;
  // The speed is the work-area object's own layer 0 when the list has one.
  if (CObjectList* list = doc.GetObjectList()) {
    if (auto* area = dynamic_cast<CDrawingObject*>(list->GetObject(0))) {
      if (area->m_pSetting) m_nSpeed = area->m_pSetting->m_Layers[0].nSpeed;
    }
  }
  m_bHome = s.DrawingData.HOME;
  m_dHomeX = s.DrawingData.HomeX;
  m_dHomeY = s.DrawingData.HomeY;
  m_nFieldOriginX = s.System.FieldOriginX;
  m_nFieldOriginY = s.System.FieldOriginY;
  m_nAreaW = Trunc(s.DrawingArea.Width * kUnitsPerMm);
  m_nAreaH = Trunc(s.DrawingArea.Height * kUnitsPerMm);
  m_nAreaAX = Trunc(s.DrawingArea.OffsetX * kUnitsPerMm);
  m_nAreaAY = Trunc(s.DrawingArea.OffsetY * kUnitsPerMm);
  m_bHasPark = doc.GetAreaAnchor3(m_ptPark);
}

// ---- outline mode ---------------------------------------------------------------------------

void CEngraveJob::SetOutlineOrigin(const CDoubleRect& f) {
  m_rcField = f;
  m_bRasterUnits = false;
  m_nHalfWidth = Trunc((f.left + f.right) / 2 - f.left);
  m_nHalfHeight = Trunc(-((f.bottom + f.top) / 2 - f.top));
  m_dOffsetX = kUnitsPerMm * m_dFieldOffsetX - kUnitsPerMm * m_dAreaOffsetX + m_nHalfWidth;
  m_dOffsetY = kUnitsPerMm * m_dFieldOffsetY - kUnitsPerMm * m_dAreaOffsetY + m_nHalfHeight;
}

POINT CEngraveJob::TransformPoint(POINT p) const {
  int x = Trunc(p.x + m_dOffsetX);
  int y = Trunc(p.y + m_dOffsetY);
  if (m_bMirrorX) x = sat::Mirror(x, m_nHalfWidth);
  if (m_bMirrorY) y = sat::Mirror(y, m_nHalfHeight);
  x = Trunc(x * m_dScaleX);
  y = Trunc(y * m_dScaleY);
  if (m_bSwap) std::swap(x, y);
  return POINT{x, y};
}

void CEngraveJob::TransformCircle(POINT& centre, SIZE& radii) const {
  centre = TransformPoint(centre);
  int rx = Trunc(radii.cx * m_dScaleX);
  int ry = Trunc(radii.cy * m_dScaleY);
  if (m_bSwap) std::swap(rx, ry);
  radii = SIZE{rx, ry};
}

// The area's offset places the area on the machine and is not scaled with the design (the
// area's anchors and the raster transform place it unscaled too).
POINT CEngraveJob::TransformPointFix(POINT p) const {
  const int w2 = m_nAreaW / 2;
  const int h2 = m_nAreaH / 2;
  const int fromLeft = Trunc((w2 + static_cast<double>(p.x)) * m_dScaleX);
  const int fromTop = Trunc((h2 - static_cast<double>(p.y)) * m_dScaleY);
  if (m_nMachine == 3)
    return POINT{m_nFieldOriginX + m_nAreaAX + fromLeft, m_nFieldOriginY - m_nAreaAY - fromTop};
  return POINT{m_nFieldOriginY + m_nAreaAY + fromTop, m_nFieldOriginX + m_nAreaAX + fromLeft};
}

void CEngraveJob::TransformCircleFix(POINT& centre, SIZE& radii) const {
  centre = TransformPointFix(centre);
  const int rx = Trunc(radii.cx * m_dScaleX);
  const int ry = Trunc(radii.cy * m_dScaleY);
  radii = m_nMachine == 3 ? SIZE{rx, ry} : SIZE{ry, rx};
}

// ---- raster mode ----------------------------------------------------------------------------

// The field rectangle is drawn at the field offset, so its edges already carry one field offset;
// the outline origin puts the area's centre at the field offset from the field's centre. With
// (area offset - 2 x field offset) dots the raster lands where the outline does.
void CEngraveJob::SetRasterOrigin(const CDoubleRect& f) {
  m_rcField = f;
  m_bRasterUnits = true;
  m_nHalfWidth = Trunc((f.left + f.right) / 2 - f.left);
  m_nHalfHeight = Trunc((f.top + f.bottom) / 2 - f.top);
  m_dOffsetX = (m_dAreaOffsetX - 2.0 * m_dFieldOffsetX) * m_nDpm;
  m_dOffsetY = (m_dAreaOffsetY - 2.0 * m_dFieldOffsetY) * m_nDpm;
}

POINT CEngraveJob::ToMachine(int x, int y) const {
  double xd = x - m_rcField.left - m_dOffsetX;
  double yd = m_rcField.bottom - y - m_dOffsetY;
  if (m_bMirrorX) xd = 2.0 * m_nHalfWidth - xd;
  if (m_bMirrorY) yd = 2.0 * m_nHalfHeight - yd;
  int mx = RoundHalfAway(xd * m_dKx);
  int my = RoundHalfAway(yd * m_dKy);
  if (m_bSwap) std::swap(mx, my);
  return POINT{mx, my};
}

POINT CEngraveJob::ToMachineFix(int x, int y) const {
  const double l = m_rcArea.left;
  const double t = m_rcArea.top;
  if (m_nMachine == 3)
    return POINT{Trunc((x - l) * m_dKx + m_nFieldOriginX + m_nAreaAX),
                 Trunc((y - t) * m_dKy + m_nFieldOriginY - m_nAreaAY)};
  return POINT{Trunc(m_nFieldOriginY + (y - t) * m_dKy + m_nAreaAY),
               Trunc(m_nFieldOriginX + (x - l) * m_dKx + m_nAreaAX)};
}

int CEngraveJob::RowYFix(int row) const {
  if (m_nMachine != 3) return row;
  return Trunc(m_rcArea.top - (row - m_rcArea.top));
}

int CEngraveJob::ColumnYFix(int y) const {
  if (m_nMachine != 3) return y;
  return Trunc(2.0 * m_rcArea.top) - y;
}

// ---- commands -------------------------------------------------------------------------------

void CEngraveJob::SendSpeed(CLptPort& port) const {
  CString text;
  text.Format("SP2;VS%d;", m_nSpeed);
  port.SendCommand(text);
}

void CEngraveJob::SendScaledSpeed(CLptPort& port, double factor) const {
  int speed = Trunc(m_nSpeed * factor);
  if (speed < 1) speed = 1;
  CString text;
  text.Format("SP2;VS%d;", speed);
  port.SendCommand(text);
}

// The head parks at HomeX, HomeY from the field's centre; the half field is taken in machine
// units whatever the mode holds the field in, and upward in both modes.
POINT CEngraveJob::ParkPoint() const {
  double halfW = (m_rcField.right - m_rcField.left) / 2;
  double halfH = std::fabs(m_rcField.bottom - m_rcField.top) / 2;
  if (m_bRasterUnits) {
    halfW *= m_dDotFactor;
    halfH *= m_dDotFactor;
  }
  return POINT{Trunc((halfW + m_dHomeX * kUnitsPerMm) * m_dScaleX), Trunc((halfH + m_dHomeY * kUnitsPerMm) * m_dScaleY)};
}

void CEngraveJob::SendEndJob(CLptPort& port) const {
  SendScaledSpeed(port, 0.5);
  if (m_bHome) {
    const POINT park = ParkPoint();
    port.PenUp(park.x, park.y);
    port.PenUp(park.x, park.y);
  } else {
    port.SendCommand("pu;");
  }
}

void CEngraveJob::SendEndJobFix(CLptPort& port) const {
  SendScaledSpeed(port, 0.5);
  port.PenUp(m_ptPark.x, m_ptPark.y);
  port.PenUp(m_ptPark.x, m_ptPark.y);
}

void CEngraveJob::SendCircle(CLptPort& port, POINT c, SIZE r) const {
  if (m_nMachine == 1)
    port.PenUp(static_cast<double>(c.x) - r.cx, static_cast<double>(c.y) + r.cy);
  else
    port.PenUp(c.x, c.y);
  port.Circle(r.cx, r.cy);
}

namespace {
std::atomic<bool> g_bWorkerPort{false};
}  // namespace

bool ClaimWorkerPort() {
  bool expected = false;
  return g_bWorkerPort.compare_exchange_strong(expected, true);
}

void ReleaseWorkerPort() { g_bWorkerPort.store(false); }

bool IsWorkerPortClaimed() { return g_bWorkerPort.load(); }

void SendOutlinePoints(CLptPort& port, const POINT* points, const BYTE* types, int count) {
  if (!points || !types) return;
  POINT start = count > 0 ? points[0] : POINT{};
  bool newFigure = true;
  for (int i = 0; i < count; ++i) {
    const POINT p = points[i];
    const BYTE type = types[i];
    // A move always opens a figure, so a closing point never reaches back into an earlier one.
    if (newFigure || type == PT_MOVETO) {
      start = p;
      newFigure = false;
    }
    switch (type) {
      case PT_MOVETO: port.PenUp(p.x, p.y); break;
      case PT_LINETO: port.PenDown(p.x, p.y); break;
      case PT_LINETO | PT_CLOSEFIGURE:
        port.PenDown(p.x, p.y);
        port.PenDown(start.x, start.y);
        newFigure = true;
        break;
      default: break;
    }
  }
}

// ---- raster scan ----------------------------------------------------------------------------

void BuildScanRegion(CRgn& region, const CDoubleRect& area, int shape, double frameSize) {
  region.DeleteObject();
  const int l = Trunc(area.left), t = Trunc(area.top), r = Trunc(area.right), b = Trunc(area.bottom);
  const int mx = Trunc((area.left + area.right) / 2);
  const int my = Trunc((area.top + area.bottom) / 2);
  switch (shape) {
    case 0: {
      const POINT pts[4] = {{l, t}, {l, b + 1}, {r + 1, b + 1}, {r + 1, t}};
      region.CreatePolygonRgn(pts, 4, WINDING);
      break;
    }
    case 1: region.CreateEllipticRgn(l, t, r, b); break;
    case 2: {
      const POINT pts[4] = {{l, my}, {mx, b}, {r, my}, {mx, t}};
      region.CreatePolygonRgn(pts, 4, WINDING);
      break;
    }
    case 3: {
      const POINT pts[3] = {{mx, t}, {l, b}, {r, b}};
      region.CreatePolygonRgn(pts, 3, WINDING);
      break;
    }
    case 4: {
      const POINT pts[3] = {{l, t}, {mx, b}, {r, t}};
      region.CreatePolygonRgn(pts, 3, WINDING);
      break;
    }
    case 5: {
      const int corner = Trunc(frameSize);
      region.CreateRoundRectRgn(l, t, r, b, corner, corner);
      break;
    }
    default: break;  // no region: every line is skipped
  }
}

CRasterScanner::CRasterScanner(const CBitmap* bitmap, const CRgn* region, int scanStyle)
    : m_pBitmap(bitmap), m_pRegion(region), m_nScanStyle(scanStyle) {}

double CRasterScanner::Pitch(double span, int dpm) {
  if (span > 0.0 && dpm > 1.0 / span) return span * dpm;
  return 1.0;
}

bool CRasterScanner::IsInk(int x, int y) const {
  const COLORREF c = m_pBitmap ? m_pBitmap->PixelColour(x, y) : CLR_INVALID;
  return m_nScanStyle == 0 ? c == 0 : c != 0;
}

bool CRasterScanner::RowLimits(int y, int& x0, int& x1) const {
  if (!m_pRegion || !m_pRegion->IsCreated()) return false;
  const bool forward = x0 <= x1;
  int lo = std::min(x0, x1), hi = std::max(x0, x1);
  while (lo <= hi && !m_pRegion->PtInRegion(lo, y)) ++lo;
  if (lo > hi) return false;
  while (hi > lo && !m_pRegion->PtInRegion(hi, y)) --hi;
  x0 = forward ? lo : hi;
  x1 = forward ? hi : lo;
  return true;
}

bool CRasterScanner::ColumnLimits(int x, int& y0, int& y1) const {
  if (!m_pRegion || !m_pRegion->IsCreated()) return false;
  const bool forward = y0 <= y1;
  int lo = std::min(y0, y1), hi = std::max(y0, y1);
  while (lo <= hi && !m_pRegion->PtInRegion(x, lo)) ++lo;
  if (lo > hi) return false;
  while (hi > lo && !m_pRegion->PtInRegion(x, hi)) --hi;
  y0 = forward ? lo : hi;
  y1 = forward ? hi : lo;
  return true;
}

void CRasterScanner::ScanRow(int y, int x0, int x1, const Emit& sendRun) const {
  if (!RowLimits(y, x0, x1)) return;
  const int step = x0 <= x1 ? 1 : -1;
  int x = x0;
  for (;;) {
    while (!IsInk(x, y)) {
      if (x == x1) return;
      x += step;
    }
    const int first = x;
    while (x != x1 && IsInk(x + step, y)) x += step;
    sendRun(first, y, x, y);
    if (x == x1) return;
    x += step;
  }
}

void CRasterScanner::ScanColumn(int x, int y0, int y1, const Emit& sendRun) const {
  if (!ColumnLimits(x, y0, y1)) return;
  const int step = y0 <= y1 ? 1 : -1;
  int y = y0;
  for (;;) {
    while (!IsInk(x, y)) {
      if (y == y1) return;
      y += step;
    }
    const int first = y;
    while (y != y1 && IsInk(x, y + step)) y += step;
    sendRun(x, first, x, y);
    if (y == y1) return;
    y += step;
  }
}

int CRasterScanner::ScanRows(const CDoubleRect& a, double pitch, const Before& before,
                             const Emit& sendRun) const {
  const int l = Trunc(a.left), r = Trunc(a.right);
  double y = a.top;
  while (y < a.bottom) {
    if (!before(Trunc(y))) return 0;
    ScanRow(Trunc(y), l, r, sendRun);
    y += pitch;
    ScanRow(Trunc(y), r, l, sendRun);
    y += pitch;
  }
  return 1;
}

int CRasterScanner::ScanColumns(const CDoubleRect& a, double pitch, const Before& before,
                                const Emit& sendRun) const {
  const int t = Trunc(a.top), b = Trunc(a.bottom);
  double x = a.left;
  while (x < a.right) {
    if (!before(Trunc(x))) return 0;
    ScanColumn(Trunc(x), t, b, sendRun);
    x += pitch;
    ScanColumn(Trunc(x), b, t, sendRun);
    x += pitch;
  }
  return 1;
}

int CRasterScanner::ScanConcentric(const CDoubleRect& a, double pitch, const Before& before,
                                   const Emit& sendRun) const {
  int d = 0;
  for (;;) {
    if (!before(-1)) return 0;
    const int l = Trunc(d + a.left), r = Trunc(a.right - d);
    const int t = Trunc(d + a.top), b = Trunc(a.bottom - d);
    if (l >= r || t >= b) return 1;
    ScanRow(t, l, r, sendRun);
    ScanColumn(r, t, b, sendRun);
    ScanRow(b, r, l, sendRun);
    ScanColumn(l, b, t, sendRun);
    const int next = Trunc(d + pitch);
    d = next > d ? next : d + 1;  // a pitch below one dot still moves inward
  }
}
