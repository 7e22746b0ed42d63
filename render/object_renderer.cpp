// Renderer state, binding, coordinate modes and conversions.
#include "render/object_renderer.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "model/textutil.h"
#include "platform/gdi/gdi.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

}  // namespace

CObjectRenderer::CObjectRenderer() = default;

CObjectRenderer::~CObjectRenderer() = default;

// ---- Binding -----------------------------------------------------------------------------------

void CObjectRenderer::Bind(CDC* dc, IRenderDocument* doc, const CRect* client) {
  m_pDoc = doc;
  if (dc != nullptr) {
    CSize pixel(1, 1);
    dc->DPtoHIMETRIC(&pixel);
    m_nPixelX = pixel.cx;
    m_nPixelY = pixel.cy;
  }
  const double zoom = doc->GetZoomFactor();
  m_dScreenScale = zoom * 100.0;
  // A dots-per-millimetre value below 1 would divide by zero in the engraving conversions.
  if (doc->GetDpm() >= 1) m_nDpm = doc->GetDpm();

  m_dPageX = static_cast<double>(doc->GetDrawX());
  m_dPageY = static_cast<double>(doc->GetDrawY());
  m_dExtentX = zoom * m_dPageX;
  m_dExtentY = zoom * m_dPageY;

  if (client != nullptr && dc != nullptr) {
    CSize size(client->right - client->left, client->bottom - client->top);
    dc->DPtoHIMETRIC(&size);
    if (size.cx > m_dExtentX) m_dExtentX = size.cx;
    if (size.cy > m_dExtentY) m_dExtentY = size.cy;
  }

  m_dScreenOriginX = m_dExtentX / 2;
  m_dScreenOriginY = -m_dExtentY / 2;
  m_dOriginX = m_dScreenOriginX;
  m_dOriginY = m_dScreenOriginY;

  CalcScales(dc);
  m_bInitialised = 1;
}

BOOL CObjectRenderer::InitForClient(CDC* dc, IRenderDocument* doc, const CRect* client) {
  if (doc == nullptr) {
    m_bInitialised = 0;
    return FALSE;
  }
  Bind(dc, doc, client);
  return doc->GetDpm() >= 1 ? TRUE : FALSE;
}

BOOL CObjectRenderer::Init(CDC* dc, IRenderDocument* doc) { return InitForClient(dc, doc, nullptr); }

void CObjectRenderer::CalcScales(CDC* dc) {
  if (dc == nullptr) return;
  dc->SetMapMode(MM_HIMETRIC);
  CSize metre(100000, 100000);
  dc->HIMETRICtoDP(&metre);
  const double px = metre.cx;
  const double py = metre.cy;
  if (px <= 0 || py <= 0) return;

  m_dEngraveScaleX = (m_nDpm * 100) / px * 1000;
  m_dEngraveScaleY = (m_nDpm * 100) / py * 1000;
  m_dEngraveExtentX = m_dExtentX * m_dEngraveScaleX / 100;
  m_dEngraveExtentY = m_dExtentY * m_dEngraveScaleY / 100;
  m_dEngraveOriginX = m_dEngraveExtentX / 2;
  m_dEngraveOriginY = -m_dEngraveExtentY / 2;

  m_dMachineScaleX = 4000000 / px;
  m_dMachineScaleY = 4000000 / py;
  m_dMachineExtentX = m_dExtentX * m_dMachineScaleX / 100;
  m_dMachineExtentY = m_dExtentY * m_dMachineScaleY / 100;
  m_dMachineOriginX = m_dMachineExtentX / 2;
  m_dMachineOriginY = -m_dMachineExtentY / 2;
}

int CObjectRenderer::SetMode(int mode) {
  const int previous = m_nMode;
  m_nMode = mode;
  switch (mode) {
    case RENDER_SCREEN:
      m_dOriginX = m_dScreenOriginX;
      m_dOriginY = m_dScreenOriginY;
      break;
    case RENDER_ENGRAVE:
      m_dOriginX = m_dEngraveOriginX;
      m_dOriginY = m_dEngraveOriginY;
      break;
    case RENDER_MACHINE:
      m_dOriginX = m_dMachineOriginX;
      m_dOriginY = m_dMachineOriginY;
      break;
    default:
      break;
  }
  return previous;
}

void CObjectRenderer::GrowExtent(int cx, int cy) {
  if (cx > m_dExtentX) {
    m_dExtentX = cx;
    m_dScreenOriginX = cx / 2.0;
    m_dOriginX = m_dScreenOriginX;
  }
  if (cy > m_dExtentY) {
    m_dExtentY = cy;
    m_dScreenOriginY = -cy / 2.0;
    m_dOriginY = m_dScreenOriginY;
  }
}

void CObjectRenderer::SetCenter(CRect rect) {
  m_dScreenOriginX = static_cast<double>((rect.right - rect.left) / 2);
  m_dScreenOriginY = static_cast<double>((rect.bottom - rect.top) / 2);
  m_dOriginX = m_dScreenOriginX;
  m_dOriginY = m_dScreenOriginY;
}

int CObjectRenderer::SetScrollOffset(int bar, int pos) {
  if (m_pDoc != nullptr && m_pDoc->IsPaintMode()) return 0;
  if (bar == 0) {
    m_nScrollX = pos;
  } else if (bar == 1) {
    m_nScrollY = pos;
  } else {
    return 0;
  }
  return pos;
}

bool CObjectRenderer::ModeScales(double& sx, double& sy) const {
  switch (m_nMode) {
    case RENDER_SCREEN:
      sx = sy = m_dScreenScale;
      return true;
    case RENDER_ENGRAVE:
      sx = m_dEngraveScaleX;
      sy = m_dEngraveScaleY;
      return true;
    case RENDER_MACHINE:
      sx = m_dMachineScaleX;
      sy = m_dMachineScaleY;
      return true;
    default:
      return false;
  }
}

// ---- Sizes and origins -------------------------------------------------------------------------

void CObjectRenderer::GetExtent(int out[2]) const {
  switch (m_nMode) {
    case RENDER_SCREEN:
      out[0] = DoubleToInt(m_dExtentX);
      out[1] = DoubleToInt(m_dExtentY);
      break;
    case RENDER_ENGRAVE:
      out[0] = DoubleToInt(m_dExtentX / 100 * m_dEngraveScaleX);
      out[1] = DoubleToInt(m_dExtentY / 100 * m_dEngraveScaleY);
      break;
    case RENDER_MACHINE:
      out[0] = DoubleToInt(m_dExtentX / 100 * m_dMachineScaleX);
      out[1] = DoubleToInt(m_dExtentY / 100 * m_dMachineScaleY);
      break;
    default:
      break;
  }
}

void CObjectRenderer::GetBitmapSize(int out[2]) const {
  out[0] = DoubleToInt(m_dExtentX / 100 * m_nDpm);
  out[1] = DoubleToInt(m_dExtentY / 100 * m_nDpm);
}

void CObjectRenderer::GetMachineBitmapSize(int out[2]) const {
  out[0] = DoubleToInt(m_dExtentX / 5 * 2);
  out[1] = DoubleToInt(m_dExtentY / 5 * 2);
}

void CObjectRenderer::GetPageSize(int out[2]) const {
  out[0] = DoubleToInt(m_dPageX);
  out[1] = DoubleToInt(m_dPageY);
}

void CObjectRenderer::GetPageBitmapSize(int out[2]) const {
  out[0] = DoubleToInt(m_dPageX / 100 * m_nDpm);
  out[1] = DoubleToInt(m_dPageY / 100 * m_nDpm);
}

void CObjectRenderer::GetPageMachineBitmapSize(int out[2]) const {
  out[0] = DoubleToInt(m_dPageX / 5 * 2);
  out[1] = DoubleToInt(m_dPageY / 5 * 2);
}

void CObjectRenderer::GetOrigin(int out[2]) const {
  out[0] = DoubleToInt(m_dOriginX);
  out[1] = DoubleToInt(m_dOriginY);
}

int CObjectRenderer::ScaleByDpm(double mm) const { return DoubleToInt(mm * m_nDpm); }

void CObjectRenderer::ScalePointByDpm(CDoublePoint& p) const {
  p.x *= m_nDpm;
  p.y *= m_nDpm;
}

// ---- Millimetres to logical units --------------------------------------------------------------

void CObjectRenderer::MmRectToLogical(double w, double h, double cx, double cy, CDoubleRect* out) const {
  double sx = 0, sy = 0;
  if (out == nullptr || !ModeScales(sx, sy)) return;
  out->left = m_dOriginX - (w / 2 - cx) * sx;
  out->right = m_dOriginX + (w / 2 + cx) * sx;
  out->top = m_dOriginY + (h / 2 + cy) * sy;
  out->bottom = m_dOriginY - (h / 2 - cy) * sy;
}

void CObjectRenderer::MmEdgesToLogical(double left, double top, double right, double bottom,
                                       CDoubleRect* out) const {
  const double w = right - left;
  const double h = top - bottom;
  MmRectToLogical(w, h, left + w / 2, top - h / 2, out);
}

void CObjectRenderer::GetCenteredSquare(double side, CDoubleRect* out) const {
  MmRectToLogical(side, side, 0, 0, out);
}

void CObjectRenderer::GetCenteredRect(double w, double h, CDoubleRect* out) const {
  MmRectToLogical(w, h, 0, 0, out);
}

void CObjectRenderer::GetSquareRect(double side, double cx, double cy, CDoubleRect* out) const {
  MmRectToLogical(side, side, cx, cy, out);
}

void CObjectRenderer::LengthToLogical(double len, double out[2]) const {
  double sx = 0, sy = 0;
  if (!ModeScales(sx, sy)) return;
  out[0] = len * sx;
  out[1] = len * sy;
}

void CObjectRenderer::LengthToLogicalInt(double len, int out[2]) const {
  double sx = 0, sy = 0;
  if (!ModeScales(sx, sy)) return;
  out[0] = DoubleToInt(len * sx);
  out[1] = DoubleToInt(len * sy);
}

void CObjectRenderer::LengthToLogicalSize(double len, int out[2]) const { LengthToLogicalInt(len, out); }

void CObjectRenderer::SizeToLogical(double w, double h, double out[2]) const {
  double sx = 0, sy = 0;
  if (!ModeScales(sx, sy)) return;
  out[0] = w * sx;
  out[1] = h * sy;
}

double CObjectRenderer::LengthToLogicalAxis(int axis, double len) const {
  double sx = m_dScreenScale, sy = m_dScreenScale;
  if (!ModeScales(sx, sy)) sx = sy = m_dScreenScale;
  return axis == 0 ? len * sx : len * sy;
}

// ---- Device pixels to millimetres --------------------------------------------------------------

CDoublePoint* CObjectRenderer::DeviceToMm(CDoublePoint* out, CDC* dc, int x, int y) const {
  double sx = 0, sy = 0;
  if (!ModeScales(sx, sy)) sx = sy = m_dScreenScale;
  dc->SetMapMode(MM_HIMETRIC);
  CSize size(x + m_nScrollX, y + m_nScrollY);
  dc->DPtoHIMETRIC(&size);
  out->x = (size.cx - m_dOriginX) / sx;
  out->y = -(size.cy + m_dOriginY) / sy;
  return out;
}

CDoubleSize* CObjectRenderer::DeviceSizeToMm(CDoubleSize* out, CDC* dc, int dx, int dy) const {
  double sx = 0, sy = 0;
  if (!ModeScales(sx, sy)) sx = sy = m_dScreenScale;
  dc->SetMapMode(MM_HIMETRIC);
  CSize size(dx - m_nScrollX, dy - m_nScrollY);
  dc->DPtoHIMETRIC(&size);
  out->cx = size.cx / sx;
  out->cy = -size.cy / sy;
  return out;
}

CDoubleRect* CObjectRenderer::DeviceRectToMm(CDoubleRect* out, CDC* dc, int x1, int y1, int x2, int y2) const {
  CDoublePoint a, b;
  DeviceToMm(&a, dc, x1, y1);
  DeviceToMm(&b, dc, x2, y2);
  out->SetRect(a.x, a.y, b.x, b.y);
  return out;
}

CDoubleRect* CObjectRenderer::DeviceRectToLogical(CDoubleRect* out, CDC* dc, const CRect* rect) const {
  CDoublePoint a, b;
  DeviceToMm(&a, dc, rect->left, rect->top);
  DeviceToMm(&b, dc, rect->right, rect->bottom);
  MmRectToLogical(std::fabs(b.x - a.x), std::fabs(b.y - a.y), (a.x + b.x) / 2, (a.y + b.y) / 2, out);
  return out;
}

// ---- Logical units to device pixels ------------------------------------------------------------

POINT* CObjectRenderer::LogicalToDevice(POINT* out, CDC* dc, double x, double y) const {
  dc->SetMapMode(MM_HIMETRIC);
  CSize size(DoubleToInt(x), DoubleToInt(-y));
  dc->HIMETRICtoDP(&size);
  out->x = size.cx;
  out->y = size.cy;
  return out;
}

void CObjectRenderer::LogicalRectToDevice(CDC* dc, const CDoubleRect& r, RECT* out) const {
  POINT tl, br;
  LogicalToDevice(&tl, dc, r.left, r.top);
  LogicalToDevice(&br, dc, r.right, r.bottom);
  out->left = tl.x;
  out->top = tl.y;
  out->right = br.x;
  out->bottom = br.y;
}

// ---- Logical rectangles to bitmap pixels -------------------------------------------------------

void CObjectRenderer::RectToBitmap(CDoubleRect& r) const {
  const CTextUtil util;
  r.left = util.Round(r.left / m_dEngraveScaleX * m_nDpm);
  r.right = util.Round(r.right / m_dEngraveScaleX * m_nDpm);
  r.top = util.Round(r.top / m_dEngraveScaleY * -m_nDpm);
  r.bottom = util.Round(r.bottom / m_dEngraveScaleY * -m_nDpm);
}

void CObjectRenderer::RectToMachineBitmap(CDoubleRect& r) const {
  const CTextUtil util;
  r.left = util.Round(r.left / m_dMachineScaleX * 40);
  r.right = util.Round(r.right / m_dMachineScaleX * 40);
  r.top = util.Round(r.top / m_dMachineScaleY * -40);
  r.bottom = util.Round(r.bottom / m_dMachineScaleY * -40);
}

// ---- Screen logical units to machine units -----------------------------------------------------

void CObjectRenderer::PointsToMachineUnits(CDC* dc, POINT* pts, int count) const {
  if (dc != nullptr) dc->SetMapMode(MM_HIMETRIC);
  for (int i = 0; i < count; ++i) {
    pts[i].x = DoubleToInt((pts[i].x - m_dScreenOriginX) / m_dScreenScale * 40);
    pts[i].y = DoubleToInt((pts[i].y - m_dScreenOriginY) / m_dScreenScale * 40);
  }
}

void CObjectRenderer::LengthsToMachineUnits(CDC* dc, SIZE* sizes, int count) const {
  if (dc != nullptr) dc->SetMapMode(MM_HIMETRIC);
  for (int i = 0; i < count; ++i) {
    sizes[i].cx = DoubleToInt(sizes[i].cx / m_dScreenScale * 40);
    sizes[i].cy = DoubleToInt(sizes[i].cy / m_dScreenScale * 40);
  }
}

void CObjectRenderer::RectToMachineUnits(CDC* dc, CDoubleRect& r) const {
  if (dc != nullptr) dc->SetMapMode(MM_HIMETRIC);
  r.left = (r.left - m_dScreenOriginX) / m_dScreenScale * 40;
  r.right = (r.right - m_dScreenOriginX) / m_dScreenScale * 40;
  r.top = (r.top - m_dScreenOriginY) / m_dScreenScale * 40;
  r.bottom = (r.bottom - m_dScreenOriginY) / m_dScreenScale * 40;
}

// ---- Geometry ----------------------------------------------------------------------------------

void CObjectRenderer::UnionBounds(CDoubleRect& acc, const CDoubleRect& r, int notFirst) {
  if (notFirst == 0) {
    acc = r;
    return;
  }
  if (r.top > acc.top) acc.top = r.top;
  if (r.bottom < acc.bottom) acc.bottom = r.bottom;
  if (r.left < acc.left) acc.left = r.left;
  if (r.right > acc.right) acc.right = r.right;
}

void CObjectRenderer::RotatePoint(CDoublePoint* out, double cx, double cy, double px, double py, double degrees) {
  // Glyph outlines turn point after point by one angle: its cosine and sine are kept.
  thread_local std::uint64_t lastAngle = std::bit_cast<std::uint64_t>(0.0);
  thread_local double c = 1, s = 0;
  if (std::bit_cast<std::uint64_t>(degrees) != lastAngle) {
    const double t = degrees * 2 * kPi / 360;
    c = std::cos(t);
    s = std::sin(t);
    lastAngle = std::bit_cast<std::uint64_t>(degrees);
  }
  const double dx = px - cx;
  const double dy = py - cy;
  out->x = cx + dx * c - dy * s;
  out->y = cy + dx * s + dy * c;
}

double CObjectRenderer::GetEllipseAngle(double cx, double cy, double rx, double ry, double degrees,
                                        CDoublePoint* out) {
  CDoublePoint p;
  if (rx == ry) {
    RotatePoint(out, cx, cy, cx + rx, cy, degrees);
    return degrees;
  }
  if (rx == 0 || ry == 0) {
    // Scaling a point of the smaller circle would divide by the zero radius.
    const double t = degrees * 2 * kPi / 360;
    p.x = cx + rx * std::cos(t);
    p.y = cy + ry * std::sin(t);
  } else if (rx > ry) {
    RotatePoint(&p, cx, cy, cx + ry, cy, degrees);
    p.x = cx + rx * (p.x - cx) / ry;
  } else {
    RotatePoint(&p, cx, cy, cx + rx, cy, degrees);
    p.y = cy + ry * (p.y - cy) / rx;
  }
  *out = p;
  double angle = std::atan2(p.y - cy, p.x - cx) / 2 / kPi * 360;
  if (angle < 0) angle += 360;
  if (angle >= 360) angle -= 360;
  return angle;
}
