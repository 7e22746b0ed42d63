#include "fake_source.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>

#include "model/objectlist.h"

FakeSource::FakeSource(CKorvaneDoc& doc, double pageW, double pageH) : m_doc(doc), m_pageW(pageW), m_pageH(pageH) {}

FakeSource::~FakeSource() = default;

int FakeSource::Add(const FakeShape& shape) {
  m_shapes.push_back(shape);
  m_doc.AddNewObject(TYPE_RECTANGLE);
  return static_cast<int>(m_shapes.size());
}

void FakeSource::Clear() {
  m_shapes.clear();
  m_doc.GetObjectList()->RemoveAllButDrawing();
}

int FakeSource::AddSquare(double cx, double cy, double side) {
  FakeShape s;
  s.kind = TYPE_RECTANGLE;
  const double h = side / 2;
  s.pts = {{cx + h, cy + h}, {cx - h, cy + h}, {cx - h, cy - h}, {cx + h, cy - h}};
  return Add(s);
}

int FakeSource::AddTriangle(double cx, double cy, double size) {
  FakeShape s;
  s.kind = TYPE_TRIANGLE;
  const double h = size / 2;
  s.pts = {{cx, cy + h}, {cx - h, cy - h}, {cx + h, cy - h}};
  return Add(s);
}

int FakeSource::AddCircle(double cx, double cy, double r) {
  FakeShape s;
  s.kind = TYPE_CIRCLE;
  s.cx = cx;
  s.cy = cy;
  s.rx = s.ry = r;
  return Add(s);
}

int FakeSource::GetOutlineType(int index) {
  if (index < 1 || index > static_cast<int>(m_shapes.size())) return TYPE_UNKNOWN;
  return m_shapes[index - 1].kind;
}

int FakeSource::SetOutlineData(int index) {
  if (held) return -1;
  if (index < 1 || index > static_cast<int>(m_shapes.size())) return -2;
  const FakeShape& s = m_shapes[index - 1];
  held = 1;
  m_points.clear();
  m_types.clear();
  m_radii.clear();
  if (s.kind == TYPE_CIRCLE) {
    m_points.push_back(POINT{static_cast<LONG>(std::lround(s.cx * 40)), static_cast<LONG>(std::lround(s.cy * 40))});
    m_radii.push_back(SIZE{static_cast<LONG>(std::lround(s.rx * 40)), static_cast<LONG>(std::lround(s.ry * 40))});
    return 1;
  }
  for (size_t k = 0; k < s.pts.size(); ++k) {
    m_points.push_back(POINT{static_cast<LONG>(std::lround(s.pts[k].x * 40)), static_cast<LONG>(std::lround(s.pts[k].y * 40))});
    m_types.push_back(k == 0 ? 6 : (k + 1 == s.pts.size() && !s.open ? 3 : 2));
  }
  return static_cast<int>(m_points.size());
}

void FakeSource::ReleaseOutlinePoints() {
  held = 0;
  m_points.clear();
  m_types.clear();
  m_radii.clear();
}

void FakeSource::GetField(CDoubleRect* out) {
  const CSettingsDrawingField& f = m_doc.m_Settings.DrawingField;
  *out = CDoubleRect((f.OffsetX - f.FieldX / 2) * 40, (f.OffsetY + f.FieldY / 2) * 40,
                     (f.OffsetX + f.FieldX / 2) * 40, (f.OffsetY - f.FieldY / 2) * 40);
}

void FakeSource::GetScanningArea(CDoubleRect* out) {
  const CSettingsDrawingArea& a = m_doc.m_Settings.DrawingArea;
  const bool fixed = m_doc.m_Settings.System.FixField != 0;
  const double ox = fixed ? 0 : a.OffsetX, oy = fixed ? 0 : a.OffsetY;
  *out = CDoubleRect((ox - a.Width / 2) * 40, (oy + a.Height / 2) * 40, (ox + a.Width / 2) * 40,
                     (oy - a.Height / 2) * 40);
}

double FakeSource::Cx() const { return m_pageW * m_doc.m_Settings.DrawingArea.DPM / 2; }
double FakeSource::Cy() const { return m_pageH * m_doc.m_Settings.DrawingArea.DPM / 2; }

bool FakeSource::Inside(const FakeShape& s, double x, double y) const {
  if (s.kind == TYPE_CIRCLE) {
    const double dx = (x - s.cx) / s.rx, dy = (y - s.cy) / s.ry;
    return dx * dx + dy * dy <= 1.0;
  }
  bool in = false;
  for (size_t i = 0, j = s.pts.size() - 1; i < s.pts.size(); j = i++) {
    const CDoublePoint& a = s.pts[i];
    const CDoublePoint& b = s.pts[j];
    if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) in = !in;
  }
  return in;
}

int FakeSource::GetBitmapDC(CDC* pDC, int* size, CDoubleRect* bounds, int* oldZoom) {
  ++renders;
  const int dpm = m_doc.m_Settings.DrawingArea.DPM;
  const int w = static_cast<int>(m_pageW * dpm), h = static_cast<int>(m_pageH * dpm);
  auto* bitmap = new CBitmap;
  bitmap->CreateBitmap(w, h, 1, 1, nullptr);
  for (int r = 0; r < h; ++r) std::fill(bitmap->Row(r), bitmap->Row(r) + bitmap->Stride(), BYTE{0xFF});
  for (const FakeShape& s : m_shapes) {
    if (s.kind == TYPE_NONE) continue;
    double x0, x1, y0, y1;
    if (s.kind == TYPE_CIRCLE) {
      x0 = s.cx - s.rx; x1 = s.cx + s.rx; y0 = s.cy - s.ry; y1 = s.cy + s.ry;
    } else {
      x0 = x1 = s.pts[0].x;
      y0 = y1 = s.pts[0].y;
      for (const CDoublePoint& p : s.pts) {
        x0 = std::min(x0, p.x); x1 = std::max(x1, p.x); y0 = std::min(y0, p.y); y1 = std::max(y1, p.y);
      }
    }
    const int px0 = std::max(0, static_cast<int>(Cx() + x0 * dpm) - 1);
    const int px1 = std::min(w - 1, static_cast<int>(Cx() + x1 * dpm) + 1);
    const int py0 = std::max(0, static_cast<int>(Cy() - y1 * dpm) - 1);
    const int py1 = std::min(h - 1, static_cast<int>(Cy() - y0 * dpm) + 1);
    for (int py = py0; py <= py1; ++py) {
      for (int px = px0; px <= px1; ++px) {
        const double x = (px + 0.5 - Cx()) / dpm, y = (Cy() - py - 0.5) / dpm;
        if (Inside(s, x, y)) bitmap->Row(py)[px >> 3] &= static_cast<BYTE>(~(0x80 >> (px & 7)));
      }
    }
  }
  pDC->CreateCompatibleDC(nullptr);
  pDC->SelectObject(bitmap);
  pDC->SetMapMode(MM_HIMETRIC);
  if (size) {
    size[0] = w;
    size[1] = h;
  }
  if (bounds) *bounds = CDoubleRect(0, 0, w, h);
  if (oldZoom) *oldZoom = 4;
  return static_cast<int>(m_shapes.size());
}

void FakeSource::ReleaseBitmapDC(CDC* pDC) {
  ++releases;
  CBitmap* bitmap = pDC->GetCurrentBitmap();
  pDC->DeleteDC();
  delete bitmap;
}

void FakeSource::GetFieldBMP(CDoubleRect* out) {
  const CSettingsDrawingField& f = m_doc.m_Settings.DrawingField;
  const int dpm = m_doc.m_Settings.DrawingArea.DPM;
  *out = CDoubleRect(Cx() + (f.OffsetX - f.FieldX / 2) * dpm, Cy() - (f.OffsetY + f.FieldY / 2) * dpm,
                     Cx() + (f.OffsetX + f.FieldX / 2) * dpm, Cy() - (f.OffsetY - f.FieldY / 2) * dpm);
}

void FakeSource::GetScanningAreaBMP(CDoubleRect* out) {
  const CSettingsDrawingArea& a = m_doc.m_Settings.DrawingArea;
  const bool fixed = m_doc.m_Settings.System.FixField != 0;
  const double ox = fixed ? 0 : a.OffsetX, oy = fixed ? 0 : a.OffsetY;
  const int dpm = a.DPM;
  *out = CDoubleRect(Cx() + (ox - a.Width / 2) * dpm, Cy() - (oy + a.Height / 2) * dpm,
                     Cx() + (ox + a.Width / 2) * dpm, Cy() - (oy - a.Height / 2) * dpm);
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::string();
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}
