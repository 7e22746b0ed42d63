// The path recorder of CDC: figures in logical integer units, flattening, fill and stroke.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/gdi/dc.h"
#include "platform/gdi/dc_backend.h"
#include "platform/gdi/path_cells_cache.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
// Control distance of a quarter ellipse as a cubic Bezier, relative to the radius.
constexpr double kKappa = 0.55228474983079339840;
// Flattening tolerances: logical units for FlattenPath (points are then rounded, which adds
// at most 0.71), device pixels for drawing.
constexpr double kFlattenTolerance = 0.25;
constexpr double kDeviceTolerance = 0.1;

LONG RoundHalfAway(double v) {
  if (std::isnan(v)) return 0;
  double r = v < 0 ? -std::floor(-v + 0.5) : std::floor(v + 0.5);
  if (r > 2147483647.0) return 2147483647;
  if (r < -2147483648.0) return static_cast<LONG>(-2147483647 - 1);
  return static_cast<LONG>(r);
}

POINT Pt(double x, double y) {
  POINT p;
  p.x = RoundHalfAway(x);
  p.y = RoundHalfAway(y);
  return p;
}

// Appends the points of a cubic Bezier after p0 (p3 included), close enough to the curve.
// The points are taken by reference and read one coordinate at a time: glyphs hand over millions
// of small curves, and points passed whole were reloaded in pairs from separate stores.
void FlattenBezier(const DPOINT& from, const DPOINT& c1, const DPOINT& c2, const DPOINT& to, double tol,
                   std::vector<DPOINT>& out, int maxSteps = 100000) {
  // Copied first: from may be an element of out.
  const DPOINT p0{from.x, from.y}, p1{c1.x, c1.y}, p2{c2.x, c2.y}, p3{to.x, to.y};
  double ax = p0.x - 2 * p1.x + p2.x, ay = p0.y - 2 * p1.y + p2.y;
  double bx = p1.x - 2 * p2.x + p3.x, by = p1.y - 2 * p2.y + p3.y;
  const double a2 = ax * ax + ay * ay, b2 = bx * bx + by * by;
  // Within the one-step bound (l <= 4 tol / 3) by a margin far above the rounding: small
  // curves, such as those of a glyph a few pixels high, need no square roots.
  if (std::max(a2, b2) <= tol * tol * (0.98 * 16.0 / 9.0)) {
    out.push_back(p3);
    return;
  }
  double l = std::max(std::sqrt(a2), std::sqrt(b2));
  // Uniform steps deviate from the curve by at most 3 l / (4 n^2).
  int n = 1;
  if (l > 0) {
    double need = std::ceil(std::sqrt(3 * l / (4 * tol)));
    n = need > maxSteps ? maxSteps : std::max(1, static_cast<int>(need));
  }
  for (int i = 1; i < n; ++i) {
    double t = static_cast<double>(i) / n, u = 1 - t;
    double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
    out.push_back(DPOINT{a * p0.x + b * p1.x + c * p2.x + d * p3.x,
                         a * p0.y + b * p1.y + c * p2.y + d * p3.y});
  }
  out.push_back(p3);
}

bool ValidTypes(const BYTE* types, int count) {
  for (int i = 0; i < count; ++i) {
    BYTE t = types[i];
    BYTE base = static_cast<BYTE>(t & ~PT_CLOSEFIGURE);
    if (t == PT_MOVETO || t == PT_LINETO || t == (PT_LINETO | PT_CLOSEFIGURE)) continue;
    if (base != PT_BEZIERTO) return false;
    // Three Bezier points; only the last may close the figure.
    if (i + 2 >= count) return false;
    if (types[i] != PT_BEZIERTO || types[i + 1] != PT_BEZIERTO ||
        (types[i + 2] & ~PT_CLOSEFIGURE) != PT_BEZIERTO)
      return false;
    i += 2;
  }
  return true;
}

}  // namespace

void CDC::PathAdd(POINT p, BYTE type) {
  if (m_pathOverflow) return;
  if (m_pathPts.size() >= kMaxPathPoints) {
    m_pathOverflow = true;
    m_pathPts.clear();
    m_pathPts.shrink_to_fit();
    m_pathTypes.clear();
    m_pathTypes.shrink_to_fit();
    return;
  }
  m_pathPts.push_back(p);
  m_pathTypes.push_back(type);
}

void CDC::PathStartFigureAtCP() {
  PathAdd(m_cp, PT_MOVETO);
  m_figureOpen = true;
}

void CDC::AddRectFigure(int l, int t, int r, int b) {
  if (l > r) std::swap(l, r);
  if (UpPositive() ? t < b : t > b) std::swap(t, b);
  PathAdd(Pt(r, t), PT_MOVETO);
  PathAdd(Pt(l, t), PT_LINETO);
  PathAdd(Pt(l, b), PT_LINETO);
  PathAdd(Pt(r, b), PT_LINETO | PT_CLOSEFIGURE);
  m_figureOpen = false;
}

void CDC::AddEllipseFigure(double l, double t, double r, double b) {
  if (l > r) std::swap(l, r);
  if (UpPositive() ? t < b : t > b) std::swap(t, b);
  const double cx = (l + r) / 2, cy = (t + b) / 2;
  const double rx = (r - l) / 2, ry = t - cy;  // ry points from the centre to the top
  const double kx = rx * kKappa, ky = ry * kKappa;
  PathAdd(Pt(cx + rx, cy), PT_MOVETO);
  // right -> top -> left -> bottom -> right: counter-clockwise on the device
  const double seg[4][6] = {
      {cx + rx, cy + ky, cx + kx, cy + ry, cx, cy + ry},
      {cx - kx, cy + ry, cx - rx, cy + ky, cx - rx, cy},
      {cx - rx, cy - ky, cx - kx, cy - ry, cx, cy - ry},
      {cx + kx, cy - ry, cx + rx, cy - ky, cx + rx, cy},
  };
  for (int i = 0; i < 4; ++i) {
    PathAdd(Pt(seg[i][0], seg[i][1]), PT_BEZIERTO);
    PathAdd(Pt(seg[i][2], seg[i][3]), PT_BEZIERTO);
    PathAdd(Pt(seg[i][4], seg[i][5]), i == 3 ? PT_BEZIERTO | PT_CLOSEFIGURE : PT_BEZIERTO);
  }
  m_figureOpen = false;
}

void CDC::AddRoundRectFigure(double l, double t, double r, double b, double w, double h) {
  if (l > r) std::swap(l, r);
  if (UpPositive() ? t < b : t > b) std::swap(t, b);
  const double rx = std::min(std::fabs(w), r - l) / 2;
  const double dy = (b > t ? 1 : -1) * std::min(std::fabs(h), std::fabs(b - t)) / 2;
  const double kx = rx * kKappa, ky = dy * kKappa;
  auto bez = [this](double x1, double y1, double x2, double y2, double x3, double y3, bool close) {
    PathAdd(Pt(x1, y1), PT_BEZIERTO);
    PathAdd(Pt(x2, y2), PT_BEZIERTO);
    PathAdd(Pt(x3, y3), close ? PT_BEZIERTO | PT_CLOSEFIGURE : PT_BEZIERTO);
  };
  PathAdd(Pt(r, t + dy), PT_MOVETO);
  bez(r, t + dy - ky, r - rx + kx, t, r - rx, t, false);
  PathAdd(Pt(l + rx, t), PT_LINETO);
  bez(l + rx - kx, t, l, t + dy - ky, l, t + dy, false);
  PathAdd(Pt(l, b - dy), PT_LINETO);
  bez(l, b - dy + ky, l + rx - kx, b, l + rx, b, false);
  PathAdd(Pt(r - rx, b), PT_LINETO);
  bez(r - rx + kx, b, r, b - dy + ky, r, b - dy, true);
  m_figureOpen = false;
}

std::vector<DPOINT> CDC::ArcBeziers(int x1, int y1, int x2, int y2, int x3, int y3, int x4,
                                    int y4) const {
  std::vector<DPOINT> out;
  const double cx = (double(x1) + x2) / 2, cy = (double(y1) + y2) / 2;
  const double a = std::fabs(double(x2) - x1) / 2, b = std::fabs(double(y2) - y1) / 2;
  if (a <= 0 || b <= 0) return out;
  // With s the sign below, a growing parameter turns counter-clockwise on the device.
  const double s = UpPositive() ? 1.0 : -1.0;
  auto param = [&](double px, double py) { return std::atan2(s * (py - cy) * a, (px - cx) * b); };
  double t0 = param(x3, y3), t1 = param(x4, y4);
  double sweep = t1 - t0;
  if (m_arcDirection == AD_CLOCKWISE) {
    // The same parameter turned the other way: a negative sweep.
    while (sweep >= -1e-12) sweep -= 2 * kPi;
  } else {
    while (sweep <= 1e-12) sweep += 2 * kPi;
  }
  int n = std::max(1, static_cast<int>(std::ceil(std::fabs(sweep) / (kPi / 2) - 1e-9)));
  double step = sweep / n;
  double k = 4.0 / 3.0 * std::tan(step / 4);
  auto at = [&](double t) { return DPOINT{cx + a * std::cos(t), cy + s * b * std::sin(t)}; };
  auto dir = [&](double t) { return DPOINT{-a * std::sin(t), s * b * std::cos(t)}; };
  out.push_back(at(t0));
  for (int i = 0; i < n; ++i) {
    double ta = t0 + step * i, tb = t0 + step * (i + 1);
    DPOINT pa = at(ta), pb = at(tb), da = dir(ta), db = dir(tb);
    out.push_back(DPOINT{pa.x + k * da.x, pa.y + k * da.y});
    out.push_back(DPOINT{pb.x - k * db.x, pb.y - k * db.y});
    out.push_back(pb);
  }
  return out;
}

std::vector<DeviceFigure> CDC::ToDeviceFigures(const POINT* pts, const BYTE* types,
                                               int count) const {
  std::vector<DeviceFigure> figs;
  ToDeviceFigures(pts, types, count, figs);
  return figs;
}

void CDC::ToDeviceFigures(const POINT* pts, const BYTE* types, int count,
                          std::vector<DeviceFigure>& figs) const {
  // The figures already in `figs` are written over, so that their points keep their capacity.
  size_t used = 0;
  DeviceFigure* cur = nullptr;  // the figure being built, null between figures
  auto open = [&]() -> DeviceFigure* {
    if (used == figs.size()) figs.emplace_back();
    DeviceFigure* f = &figs[used++];
    f->points.clear();
    f->closed = false;
    return f;
  };
  DPOINT start{0, 0};
  bool have = false;
  // LPtoDPExact with the scales taken once: glyph outlines hand over many points.
  const double sx = DeviceScaleX(), sy = DeviceScaleY();
  auto toDevice = [&](POINT q) {
    return DPOINT{(static_cast<double>(q.x) - m_windowOrg.x) * sx + m_viewportOrg.x,
                  (static_cast<double>(q.y) - m_windowOrg.y) * sy + m_viewportOrg.y};
  };
  for (int i = 0; i < count; ++i) {
    BYTE t = types[i];
    BYTE base = static_cast<BYTE>(t & ~PT_CLOSEFIGURE);
    DPOINT p = toDevice(pts[i]);
    if (t == PT_MOVETO) {
      cur = open();
      cur->points.push_back(p);
      start = p;
      have = true;
      continue;
    }
    if (!cur) {
      // A figure continued after a close starts again at the figure's first point.
      cur = open();
      cur->points.push_back(have ? start : p);
      start = cur->points.front();
      have = true;
    }
    if (base == PT_BEZIERTO) {
      if (i + 2 >= count) break;
      DPOINT c1 = p, c2 = toDevice(pts[i + 1]), e = toDevice(pts[i + 2]);
      FlattenBezier(cur->points.back(), c1, c2, e, kDeviceTolerance, cur->points);
      t = types[i + 2];
      i += 2;
    } else {
      cur->points.push_back(p);
    }
    if (t & PT_CLOSEFIGURE) {
      cur->closed = true;
      cur = nullptr;
    }
  }
  figs.resize(used);
}

BOOL CDC::BeginPath() {
  m_pathPts.clear();
  m_pathTypes.clear();
  m_pathOverflow = false;
  m_pathState = PathState::Open;
  m_figureOpen = false;
  return TRUE;
}

BOOL CDC::EndPath() {
  if (m_pathState != PathState::Open) return FALSE;
  m_pathState = PathState::Closed;
  m_figureOpen = false;
  return TRUE;
}

BOOL CDC::AbortPath() {
  m_pathPts.clear();
  m_pathTypes.clear();
  m_pathOverflow = false;
  m_pathState = PathState::None;
  m_figureOpen = false;
  return TRUE;
}

BOOL CDC::CloseFigure() {
  if (m_pathState != PathState::Open) return FALSE;
  if (!m_pathTypes.empty() && m_pathTypes.back() != PT_MOVETO) m_pathTypes.back() |= PT_CLOSEFIGURE;
  m_figureOpen = false;
  return TRUE;
}

namespace {

// Past this many logical units beyond the device's surface no figure of a design reaches (the
// largest a design holds is some 4 million logical units from its page), so a curve lying
// wholly out there is seen by no one and drawn by nothing: it is flattened coarsely, so that
// coordinates near the int range cannot make each curve cost its full step count.
constexpr double kFarMargin = 16777216.0;
constexpr int kFarSteps = 8;

struct FlattenReach {
  double left, top, right, bottom;
  // Whether every point lies on one outer side of the reach.
  bool Beyond(const DPOINT* p, int count) const {
    bool l = true, r = true, t = true, b = true;
    for (int i = 0; i < count; ++i) {
      l = l && p[i].x < left;
      r = r && p[i].x > right;
      t = t && p[i].y < top;
      b = b && p[i].y > bottom;
    }
    return l || r || t || b;
  }
};

FlattenReach ReachOf(const CDC& dc) {
  const double w = dc.GetDeviceCaps(HORZRES), h = dc.GetDeviceCaps(VERTRES);
  const DPOINT a = dc.DPtoLPExact(0, 0), c = dc.DPtoLPExact(w, h);
  return FlattenReach{std::min(a.x, c.x) - kFarMargin, std::min(a.y, c.y) - kFarMargin,
                      std::max(a.x, c.x) + kFarMargin, std::max(a.y, c.y) + kFarMargin};
}

}  // namespace

BOOL CDC::FlattenPath() {
  if (m_pathState != PathState::Closed || m_pathOverflow) return FALSE;
  std::vector<POINT> pts;
  std::vector<BYTE> types;
  std::vector<DPOINT> tmp;
  const size_t n = m_pathPts.size();
  const FlattenReach reach = ReachOf(*this);
  for (size_t i = 0; i < n; ++i) {
    BYTE t = m_pathTypes[i];
    if ((t & ~PT_CLOSEFIGURE) != PT_BEZIERTO || i + 2 >= n || pts.empty()) {
      pts.push_back(m_pathPts[i]);
      types.push_back(t);
      continue;
    }
    const POINT& p0 = pts.back();
    tmp.clear();
    const DPOINT curve[4] = {DPOINT{double(p0.x), double(p0.y)},
                             DPOINT{double(m_pathPts[i].x), double(m_pathPts[i].y)},
                             DPOINT{double(m_pathPts[i + 1].x), double(m_pathPts[i + 1].y)},
                             DPOINT{double(m_pathPts[i + 2].x), double(m_pathPts[i + 2].y)}};
    FlattenBezier(curve[0], curve[1], curve[2], curve[3], kFlattenTolerance, tmp,
                  reach.Beyond(curve, 4) ? kFarSteps : 100000);
    const BYTE last = m_pathTypes[i + 2];
    for (size_t k = 0; k < tmp.size(); ++k) {
      bool end = k + 1 == tmp.size();
      POINT q = Pt(tmp[k].x, tmp[k].y);
      // Interior points that round onto their predecessor carry nothing.
      if (!end && q.x == pts.back().x && q.y == pts.back().y) continue;
      pts.push_back(q);
      types.push_back(end && (last & PT_CLOSEFIGURE) ? PT_LINETO | PT_CLOSEFIGURE : PT_LINETO);
    }
    i += 2;
    if (pts.size() > kMaxPathPoints) {
      m_pathOverflow = true;
      m_pathPts.clear();
      m_pathPts.shrink_to_fit();
      m_pathTypes.clear();
      m_pathTypes.shrink_to_fit();
      return FALSE;
    }
  }
  m_pathPts.swap(pts);
  m_pathTypes.swap(types);
  return TRUE;
}

int CDC::GetPath(POINT* pts, BYTE* types, int count) const {
  if (m_pathState != PathState::Closed || m_pathOverflow) return -1;
  const int n = static_cast<int>(m_pathPts.size());
  if (count == 0) return n;
  if (count < n || !pts || !types) return -1;
  std::copy(m_pathPts.begin(), m_pathPts.end(), pts);
  std::copy(m_pathTypes.begin(), m_pathTypes.end(), types);
  return n;
}

namespace {

// The box of path points; every point of a flattened curve lies within its control points' box.
RECT PointsBox(const POINT* pts, int count) {
  RECT box{pts[0].x, pts[0].y, pts[0].x, pts[0].y};
  for (int i = 1; i < count; ++i) {
    box.left = std::min(box.left, pts[i].x);
    box.right = std::max(box.right, pts[i].x);
    box.top = std::min(box.top, pts[i].y);
    box.bottom = std::max(box.bottom, pts[i].y);
  }
  return box;
}

bool FewPixelsInBox(const RECT& box, double scaleX, double scaleY, int penWidth, double most) {
  const double w = (double(box.right) - box.left) * std::fabs(scaleX) + penWidth;
  const double h = (double(box.bottom) - box.top) * std::fabs(scaleY) + penWidth;
  return w <= most && h <= most;
}

// Whether no cell centre (k + 0.5) lies within [lo, hi] widened by the fixed-point rounding of
// the fill (half a 1/256 of a cell) and then some.
bool NoCellCentre(double lo, double hi) {
  constexpr double kReach = 1.0 / 256;
  return std::ceil(lo - kReach - 0.5) > std::floor(hi + kReach - 0.5);
}

}  // namespace

bool CDC::FewPixelsOnDevice(const POINT* pts, int count, int penWidth) const {
  if (count <= 0) return false;
  return FewPixelsInBox(PointsBox(pts, count), DeviceScaleX(), DeviceScaleY(), penWidth, kFewPathPixels);
}

bool CDC::PaintsNoCell(const RECT& box, bool fill, bool stroke, const GdiDrawState& st) const {
  const double sx = DeviceScaleX(), sy = DeviceScaleY();
  // Mapped as ToDeviceFigures maps a point: the mapping keeps the order of coordinates, so every
  // point of a line lies within the mapped corners.
  const double xa = (static_cast<double>(box.left) - m_windowOrg.x) * sx + m_viewportOrg.x;
  const double xb = (static_cast<double>(box.right) - m_windowOrg.x) * sx + m_viewportOrg.x;
  const double ya = (static_cast<double>(box.top) - m_windowOrg.y) * sy + m_viewportOrg.y;
  const double yb = (static_cast<double>(box.bottom) - m_windowOrg.y) * sy + m_viewportOrg.y;
  double x0 = std::min(xa, xb), x1 = std::max(xa, xb), y0 = std::min(ya, yb), y1 = std::max(ya, yb);
  constexpr double kNear = 1e9;
  if (!(std::fabs(x0) < kNear && std::fabs(x1) < kNear && std::fabs(y0) < kNear && std::fabs(y1) < kNear))
    return false;
  // A flattened curve's points, weighted sums of its control points, may stray from their box
  // by rounding: by far less than this.
  const double stray = 1e-9 * (1 + std::max({std::fabs(x0), std::fabs(x1), std::fabs(y0), std::fabs(y1)}));
  x0 -= stray;
  x1 += stray;
  y0 -= stray;
  y1 += stray;
  if (stroke && !st.PenNull() && st.penWidth > 0) {
    // A one-pixel pen rounds each point to a pixel and draws nothing of a figure that stays on one.
    if (st.penWidth > 1) return false;
    if (std::floor(x0 + 0.5) != std::floor(x1 + 0.5) || std::floor(y0 + 0.5) != std::floor(y1 + 0.5))
      return false;
  }
  // A fill takes the cells whose centres lie inside: with no centre row within reach there is no
  // edge to cross, and with no centre column every row's crossings fall on one cell boundary.
  if (fill && !NoCellCentre(x0, x1) && !NoCellCentre(y0, y1)) return false;
  return true;
}

void CDC::DrawPath(bool fill, bool stroke, COLORREF fillColour, const GdiDrawState& st) {
  const int count = static_cast<int>(m_pathPts.size());
  gdi::PathCellsCache& cache = gdi::PathCellsCache::Instance();
  const int penWidth = stroke && !st.PenNull() ? std::max(1, st.penWidth) : 0;
  if (!m_backend->PaintsCells() || count == 0 || count > kMaxCachedPathPoints || (!fill && penWidth == 0)) {
    m_backend->Figures(ToDeviceFigures(m_pathPts.data(), m_pathTypes.data(), count), fill, stroke,
                       fillColour, st);
    return;
  }
  // Asked before the cache (whose switch takes its lock): such a path does not use it either way.
  const RECT box = PointsBox(m_pathPts.data(), count);
  if (FewPixelsInBox(box, DeviceScaleX(), DeviceScaleY(), penWidth, kFewPathPixels)) {
    // A glyph of a text seen from afar often lies between cell centres and on one pixel.
    if (PaintsNoCell(box, fill, stroke, st)) return;
    // Converting a path of a few pixels costs less than finding it again, and a repaint of
    // thousands of them (a large design seen whole) would push out what is kept of larger ones.
    // The figures' buffers serve path after path.
    thread_local std::vector<DeviceFigure> figures;
    ToDeviceFigures(m_pathPts.data(), m_pathTypes.data(), count, figures);
    m_backend->Figures(figures, fill, stroke, fillColour, st);
    return;
  }
  if (!cache.Enabled()) {
    m_backend->Figures(ToDeviceFigures(m_pathPts.data(), m_pathTypes.data(), count), fill, stroke,
                       fillColour, st);
    return;
  }
  gdi::PathCellsKey key;
  key.pts = m_pathPts.data();
  key.types = m_pathTypes.data();
  key.count = m_pathPts.size();
  key.scaleX = DeviceScaleX();
  key.scaleY = DeviceScaleY();
  key.windowOrg = m_windowOrg;
  key.viewportOrg = m_viewportOrg;
  key.fillMode = st.polyFillMode;
  key.penWidth = penWidth;
  key.fill = fill;
  const std::uint64_t hash = key.Hash();
  std::shared_ptr<const gdi::PathCells> cells = cache.Find(key, hash);
  if (!cells) {
    const std::vector<DeviceFigure> figures = ToDeviceFigures(m_pathPts.data(), m_pathTypes.data(), count);
    // Only paths of a modest size on the device are kept whole; a huge one is converted within
    // the clip every time, so its cost follows what is visible.
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    bool any = false;
    for (const DeviceFigure& f : figures)
      for (const DPOINT& p : f.points) {
        x0 = any ? std::min(x0, p.x) : p.x;
        y0 = any ? std::min(y0, p.y) : p.y;
        x1 = any ? std::max(x1, p.x) : p.x;
        y1 = any ? std::max(y1, p.y) : p.y;
        any = true;
      }
    const double reach = penWidth + 2.0;
    if (!any || penWidth > kMaxCachedPathExtent || !(x1 - x0 <= kMaxCachedPathExtent) ||
        !(y1 - y0 <= kMaxCachedPathExtent) ||
        !(std::fabs(x0) < 1e8 && std::fabs(x1) < 1e8 && std::fabs(y0) < 1e8 && std::fabs(y1) < 1e8)) {
      m_backend->Figures(figures, fill, stroke, fillColour, st);
      return;
    }
    gdi::Clip around;
    around.left = static_cast<int>(std::floor(x0 - reach));
    around.top = static_cast<int>(std::floor(y0 - reach));
    around.right = static_cast<int>(std::ceil(x1 + reach)) + 1;
    around.bottom = static_cast<int>(std::ceil(y1 + reach)) + 1;
    auto made = std::make_shared<gdi::PathCells>();
    m_backend->FigureCells(figures, fill, penWidth, st.polyFillMode, around, made->area, made->pen);
    CRect box;
    box.UnionRect(made->area.Box(), made->pen.Box());
    made->box = box;
    // Kept for many paints: no spare capacity.
    for (gdi::SpanRegion* r : {&made->area, &made->pen}) {
      r->bands.shrink_to_fit();
      r->xs.shrink_to_fit();
    }
    cells = made;
    cache.Store(key, hash, std::move(made));
  }
  m_backend->PaintCells(cells->area, cells->pen, cells->box, fill, stroke, fillColour, st);
}

BOOL CDC::FillPath() {
  if (m_pathState != PathState::Closed || !m_backend) return FALSE;
  GdiDrawState st = DrawState();
  if (!st.brushNull) DrawPath(true, false, st.brushColour, st);
  AbortPath();
  return TRUE;
}

BOOL CDC::StrokePath() {
  if (m_pathState != PathState::Closed || !m_backend) return FALSE;
  DrawPath(false, true, 0, DrawState());
  AbortPath();
  return TRUE;
}

BOOL CDC::StrokeAndFillPath() {
  if (m_pathState != PathState::Closed || !m_backend) return FALSE;
  GdiDrawState st = DrawState();
  DrawPath(!st.brushNull, true, st.brushColour, st);
  AbortPath();
  return TRUE;
}

BOOL CDC::PathMoveTo(POINT p) {
  if (!IsPathOpen()) return FALSE;
  PathAdd(p, PT_MOVETO);
  m_figureOpen = true;
  m_cp = p;
  return TRUE;
}

BOOL CDC::PathLineTo(POINT p) {
  if (!IsPathOpen()) return FALSE;
  if (!m_figureOpen) PathStartFigureAtCP();
  PathAdd(p, PT_LINETO);
  m_cp = p;
  return TRUE;
}

BOOL CDC::PathBezierTo(POINT c1, POINT c2, POINT end) {
  if (!IsPathOpen()) return FALSE;
  if (!m_figureOpen) PathStartFigureAtCP();
  PathAdd(c1, PT_BEZIERTO);
  PathAdd(c2, PT_BEZIERTO);
  PathAdd(end, PT_BEZIERTO);
  m_cp = end;
  return TRUE;
}

BOOL CDC::FillFigures(const POINT* pts, const BYTE* types, int count, COLORREF colour,
                      int fillMode) {
  if (!m_backend || !pts || !types || count <= 0 || !ValidTypes(types, count)) return FALSE;
  if (fillMode != ALTERNATE && fillMode != WINDING) return FALSE;
  GdiDrawState st = DrawState();
  st.polyFillMode = fillMode;
  m_backend->Figures(ToDeviceFigures(pts, types, count), true, false, colour & 0xFFFFFF, st);
  return TRUE;
}

BOOL CDC::PolyDraw(const POINT* pts, const BYTE* types, int count) {
  if (!pts || !types || count <= 0 || !ValidTypes(types, count)) return FALSE;
  if (IsPathOpen()) {
    for (int i = 0; i < count; ++i) {
      BYTE t = types[i];
      if (t == PT_MOVETO) {
        PathAdd(pts[i], PT_MOVETO);
        m_figureOpen = true;
      } else {
        if (!m_figureOpen) PathStartFigureAtCP();
        PathAdd(pts[i], t);
        if (t & PT_CLOSEFIGURE) m_figureOpen = false;
      }
      m_cp = pts[i];
    }
    return TRUE;
  }
  if (!m_backend) return FALSE;
  // Drawn as lines from the current position.
  std::vector<POINT> p;
  std::vector<BYTE> t;
  if (types[0] != PT_MOVETO) {
    p.push_back(m_cp);
    t.push_back(PT_MOVETO);
  }
  p.insert(p.end(), pts, pts + count);
  t.insert(t.end(), types, types + count);
  m_backend->Figures(ToDeviceFigures(p.data(), t.data(), static_cast<int>(p.size())), false, true,
                     0, DrawState());
  m_cp = pts[count - 1];
  return TRUE;
}

BOOL CDC::PolyBezierTo(const POINT* pts, int count) {
  if (!pts || count <= 0 || count % 3 != 0) return FALSE;
  if (IsPathOpen()) {
    if (!m_figureOpen) PathStartFigureAtCP();
    for (int i = 0; i < count; ++i) PathAdd(pts[i], PT_BEZIERTO);
    m_cp = pts[count - 1];
    return TRUE;
  }
  if (!m_backend) return FALSE;
  std::vector<POINT> p{m_cp};
  std::vector<BYTE> t{PT_MOVETO};
  p.insert(p.end(), pts, pts + count);
  t.insert(t.end(), static_cast<size_t>(count), PT_BEZIERTO);
  m_backend->Figures(ToDeviceFigures(p.data(), t.data(), static_cast<int>(p.size())), false, true, 0, DrawState());
  m_cp = pts[count - 1];
  return TRUE;
}

int CDC::SetArcDirection(int direction) {
  if (direction != AD_COUNTERCLOCKWISE && direction != AD_CLOCKWISE) return 0;
  const int previous = m_arcDirection;
  m_arcDirection = direction;
  return previous;
}

BOOL LineDDA(int x1, int y1, int x2, int y2, LINEDDAPROC proc, void* data) {
  if (!proc) return FALSE;
  // The steps of a 1-pixel line: one point per step along the major axis, the minor coordinate
  // rounded, the end point left out (as LineTo leaves out its last pixel).
  const long long dx = static_cast<long long>(x2) - x1;
  const long long dy = static_cast<long long>(y2) - y1;
  const bool xMajor = std::llabs(dx) >= std::llabs(dy);
  const long long n = xMajor ? std::llabs(dx) : std::llabs(dy);
  if (n == 0) return TRUE;
  const int step = (xMajor ? dx : dy) > 0 ? 1 : -1;
  const long long major0 = xMajor ? x1 : y1;
  const long long minor0 = xMajor ? y1 : x1;
  const long long dMinor = xMajor ? dy : dx;
  for (long long i = 0; i < n; ++i) {
    const long long num = 2 * i * dMinor + n;
    const long long q = num >= 0 ? num / (2 * n) : -((-num + 2 * n - 1) / (2 * n));
    const long long mj = major0 + i * step, mn = minor0 + q;
    proc(static_cast<int>(xMajor ? mj : mn), static_cast<int>(xMajor ? mn : mj), data);
  }
  return TRUE;
}
