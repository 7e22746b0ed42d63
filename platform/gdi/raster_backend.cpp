#include "platform/gdi/raster_backend.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "platform/gdi/dc.h"
#include "platform/saturate.h"

using gdi::Clip;
using gdi::SpanRegion;

namespace {

constexpr double kPi = 3.14159265358979323846;

std::uint32_t Rop2(int rop, std::uint32_t p, std::uint32_t d, std::uint32_t mask) {
  int t = (rop - 1) & 15;
  std::uint32_t r = 0;
  if (t & 1) r |= ~p & ~d;
  if (t & 2) r |= ~p & d;
  if (t & 4) r |= p & ~d;
  if (t & 8) r |= p & d;
  return r & mask;
}

std::uint32_t Rop3(DWORD rop, std::uint32_t p, std::uint32_t s, std::uint32_t d,
                   std::uint32_t mask) {
  unsigned code = (rop >> 16) & 0xFF;
  std::uint32_t r = 0;
  for (int k = 0; k < 8; ++k) {
    if (!((code >> k) & 1)) continue;
    r |= ((k & 4) ? p : ~p) & ((k & 2) ? s : ~s) & ((k & 1) ? d : ~d);
  }
  return r & mask;
}

// count bits of a 1-bit row from pixel `start`, moved so that pixel start is bit 7 of out[0].
void ReadBits(const BYTE* row, int start, int count, std::vector<BYTE>& out) {
  const int nbytes = (count + 7) / 8;
  out.assign(static_cast<size_t>(nbytes) + 1, 0);
  const int s = start & 7;
  const BYTE* p = row + (start >> 3);
  const int touched = (start + count + 7) / 8 - (start >> 3);
  for (int k = 0; k < nbytes; ++k) {
    unsigned v = static_cast<unsigned>(p[k]) << s;
    if (s && k + 1 < touched) v |= p[k + 1] >> (8 - s);
    out[static_cast<size_t>(k)] = static_cast<BYTE>(v);
  }
}

// Combines count aligned source bits into a 1-bit row from pixel dx on, a byte at a time.
void WriteBits(BYTE* row, int dx, const std::vector<BYTE>& src, int count, DWORD rop, BYTE pat) {
  const int d = dx & 7;
  const int first = dx >> 3, last = (dx + count - 1) >> 3;
  for (int j = first; j <= last; ++j) {
    const int k = j - first;  // source byte index after the shift
    unsigned hiPart = k > 0 ? static_cast<unsigned>(src[static_cast<size_t>(k - 1)]) << (8 - d) : 0;
    unsigned loPart = static_cast<unsigned>(src[static_cast<size_t>(k)]) >> d;
    if (d == 0) hiPart = 0;
    BYTE sb = static_cast<BYTE>(hiPart | loPart);
    BYTE mask = 0xFF;
    if (j == first) mask &= static_cast<BYTE>(0xFF >> d);
    if (j == last) mask &= static_cast<BYTE>(0xFF << (7 - ((dx + count - 1) & 7)));
    BYTE db = row[j];
    BYTE r = static_cast<BYTE>(Rop3(rop, pat, sb, db, 0xFF));
    row[j] = static_cast<BYTE>((db & ~mask) | (r & mask));
  }
}

bool UsesSource(DWORD rop) {
  unsigned c = (rop >> 16) & 0xFF;
  return ((c >> 2) & 0x33) != (c & 0x33);
}

std::uint32_t ToPixel32(COLORREF c) {
  return (std::uint32_t(GetRValue(c)) << 16) | (std::uint32_t(GetGValue(c)) << 8) | GetBValue(c);
}

COLORREF FromPixel32(std::uint32_t v) { return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF); }

// Nearest palette entry of a black-and-white bitmap: 0 black, 1 white.
std::uint32_t NearestMono(COLORREF c) {
  int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
  long d0 = long(r) * r + long(g) * g + long(b) * b;
  long d1 = long(255 - r) * (255 - r) + long(255 - g) * (255 - g) + long(255 - b) * (255 - b);
  return d1 < d0 ? 1u : 0u;
}

// Source positions for the destination positions [first, last) along one axis of dn.
struct AxisMap {
  int first = 0;
  std::vector<int> from, to;  // [from, to) relative to the source start
  int From(int i) const { return from[static_cast<size_t>(i - first)]; }
  int To(int i) const { return to[static_cast<size_t>(i - first)]; }
};

AxisMap BuildAxis(int dn, int sn, int stretchMode, bool flip, int first, int last) {
  AxisMap m;
  m.first = first;
  const size_t n = last > first ? static_cast<size_t>(last - first) : 0;
  m.from.resize(n);
  m.to.resize(n);
  bool combine = sn > dn && (stretchMode == BLACKONWHITE || stretchMode == WHITEONBLACK);
  for (int i = first; i < last; ++i) {
    std::int64_t a, b;
    if (combine) {
      a = std::int64_t(i) * sn / dn;
      b = std::int64_t(i + 1) * sn / dn;
    } else {
      a = (std::int64_t(2 * i + 1) * sn) / (2 * std::int64_t(dn));
      b = a + 1;
    }
    if (flip) {
      std::int64_t fa = sn - b, fb = sn - a;
      a = fa;
      b = fb;
    }
    m.from[static_cast<size_t>(i - first)] = static_cast<int>(a);
    m.to[static_cast<size_t>(i - first)] = static_cast<int>(b);
  }
  return m;
}

// The steps [from, to) of a span of `len` starting at `pos` that land on 0..limit-1; taken in 64
// bits, since a span placed from extreme values may start anywhere in the int range.
void VisibleSpan(int pos, int len, int limit, int& from, int& to) {
  from = static_cast<int>(std::clamp<std::int64_t>(-static_cast<std::int64_t>(pos), 0, len));
  to = static_cast<int>(std::clamp<std::int64_t>(static_cast<std::int64_t>(limit) - pos, 0, len));
}

void Normalise(int& x, int& w) {
  // Saturated: a span at the edge of the int range (a bitmap placed from extreme values) must
  // not overflow when it is turned round.
  if (w < 0) {
    x = sat::Add(x, w);
    w = sat::Clamp(-static_cast<std::int64_t>(w));
  }
}

// Row extent of a capsule (segment a-b, radius r) at height yc; false when the row misses it.
bool CapsuleRow(DPOINT a, DPOINT b, double r, double yc, double& xl, double& xr) {
  bool any = false;
  auto take = [&](double l, double rr) {
    if (!any) { xl = l; xr = rr; any = true; }
    else { xl = std::min(xl, l); xr = std::max(xr, rr); }
  };
  for (DPOINT c : {a, b}) {
    double dy = yc - c.y;
    double k = r * r - dy * dy;
    if (k > 0) {
      double h = std::sqrt(k);
      take(c.x - h, c.x + h);
    }
  }
  double dx = b.x - a.x, dy = b.y - a.y;
  double len = std::sqrt(dx * dx + dy * dy);
  if (len > 0) {
    double nx = -dy / len * r, ny = dx / len * r;
    DPOINT q[4] = {{a.x + nx, a.y + ny}, {b.x + nx, b.y + ny}, {b.x - nx, b.y - ny},
                   {a.x - nx, a.y - ny}};
    for (int i = 0; i < 4; ++i) {
      DPOINT p0 = q[i], p1 = q[(i + 1) % 4];
      if (p0.y == p1.y) continue;
      double lo = std::min(p0.y, p1.y), hi = std::max(p0.y, p1.y);
      if (yc < lo || yc > hi) continue;
      double x = p0.x + (yc - p0.y) * (p1.x - p0.x) / (p1.y - p0.y);
      take(x, x);
    }
  }
  return any && xr > xl;
}

int RoundPos(double v) {
  double r = std::floor(v + 0.5);
  if (r > 1073741824.0) return 1 << 30;
  if (r < -1073741824.0) return -(1 << 30);
  return static_cast<int>(r);
}

}  // namespace

CRasterBackend::CRasterBackend(CDC* owner, int ppmX, int ppmY)
    : m_owner(owner), m_ppmX(ppmX), m_ppmY(ppmY), m_bitmap(&m_default) {
  m_default.CreateBitmap(1, 1, 1, 1, nullptr);
  m_default.SetSelectedIn(owner);
}

CRasterBackend::~CRasterBackend() {
  if (m_bitmap && m_bitmap != &m_default) m_bitmap->SetSelectedIn(nullptr);
  m_default.SetSelectedIn(nullptr);
}

int CRasterBackend::GetDeviceCaps(int index) const {
  switch (index) {
    case HORZRES: return m_bitmap->Width();
    case VERTRES: return m_bitmap->Height();
    case BITSPIXEL: return m_bitmap->BitsPerPixel();
    case PLANES: return 1;
    case LOGPIXELSX: return MulDiv(m_ppmX, 254, 10000);
    case LOGPIXELSY: return MulDiv(m_ppmY, 254, 10000);
    case HORZSIZE: return MulDiv(m_bitmap->Width(), 1000, m_ppmX);
    case VERTSIZE: return MulDiv(m_bitmap->Height(), 1000, m_ppmY);
    default: return 0;
  }
}

CBitmap* CRasterBackend::SelectBitmap(CBitmap* bitmap) {
  if (!bitmap) bitmap = &m_default;
  if (!bitmap->IsCreated()) return nullptr;
  if (bitmap->SelectedIn() && bitmap->SelectedIn() != m_owner) return nullptr;
  CBitmap* old = m_bitmap;
  if (old != &m_default) old->SetSelectedIn(nullptr);
  m_bitmap = bitmap;
  bitmap->SetSelectedIn(m_owner);
  m_default.SetSelectedIn(m_owner);
  return old;
}

SIZE CRasterBackend::SurfaceSize() const {
  SIZE s;
  s.cx = m_bitmap->Width();
  s.cy = m_bitmap->Height();
  return s;
}

Clip CRasterBackend::SurfaceClip() const {
  Clip c;
  c.left = 0;
  c.top = 0;
  c.right = m_bitmap->Width();
  c.bottom = m_bitmap->Height();
  return c;
}

std::uint32_t CRasterBackend::DeviceValue(COLORREF c) const {
  return m_bitmap->BitsPerPixel() == 1 ? NearestMono(c) : ToPixel32(c);
}

std::uint32_t CRasterBackend::RawPixel(int x, int y) const {
  const BYTE* row = m_bitmap->Row(y);
  if (m_bitmap->BitsPerPixel() == 1) return (row[x >> 3] >> (7 - (x & 7))) & 1;
  std::uint32_t v;
  std::memcpy(&v, row + 4 * x, 4);
  return v & 0xFFFFFF;
}

void CRasterBackend::PutRaw(int x, int y, std::uint32_t v) {
  BYTE* row = m_bitmap->Row(y);
  if (m_bitmap->BitsPerPixel() == 1) {
    BYTE m = static_cast<BYTE>(0x80 >> (x & 7));
    if (v & 1) row[x >> 3] |= m;
    else row[x >> 3] &= static_cast<BYTE>(~m);
    return;
  }
  v &= 0xFFFFFF;
  std::memcpy(row + 4 * x, &v, 4);
}

COLORREF CRasterBackend::SourcePixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= m_bitmap->Width() || y >= m_bitmap->Height()) return 0;
  std::uint32_t v = RawPixel(x, y);
  return m_bitmap->BitsPerPixel() == 1 ? v : FromPixel32(v);
}

void CRasterBackend::PaintSpan(int y, int x0, int x1, std::uint32_t value, int rop2) {
  x0 = std::max(x0, 0);
  x1 = std::min(x1, m_bitmap->Width());
  if (x1 <= x0 || y < 0 || y >= m_bitmap->Height()) return;
  BYTE* row = m_bitmap->Row(y);
  if (m_bitmap->BitsPerPixel() == 1) {
    std::uint32_t f0 = Rop2(rop2, value & 1 ? 1u : 0u, 0, 1);
    std::uint32_t f1 = Rop2(rop2, value & 1 ? 1u : 0u, 1, 1);
    if (f0 == 0 && f1 == 1) return;  // leaves the destination
    auto apply = [&](BYTE& b, BYTE m) {
      if (f0 == f1) b = f0 ? static_cast<BYTE>(b | m) : static_cast<BYTE>(b & ~m);
      else b ^= m;
    };
    int b0 = x0 >> 3, b1 = (x1 - 1) >> 3;
    BYTE m0 = static_cast<BYTE>(0xFF >> (x0 & 7));
    BYTE m1 = static_cast<BYTE>(0xFF << (7 - ((x1 - 1) & 7)));
    if (b0 == b1) {
      apply(row[b0], static_cast<BYTE>(m0 & m1));
      return;
    }
    apply(row[b0], m0);
    if (b1 > b0 + 1) {
      BYTE* mid = row + b0 + 1;
      size_t n = static_cast<size_t>(b1 - b0 - 1);
      if (f0 == f1) std::memset(mid, f0 ? 0xFF : 0x00, n);
      else for (size_t i = 0; i < n; ++i) mid[i] = static_cast<BYTE>(~mid[i]);
    }
    apply(row[b1], m1);
    return;
  }
  BYTE* p = row + 4 * x0;
  if (rop2 == R2_COPYPEN) {
    std::uint32_t v = value & 0xFFFFFF;
    for (int x = x0; x < x1; ++x, p += 4) std::memcpy(p, &v, 4);
    return;
  }
  for (int x = x0; x < x1; ++x, p += 4) {
    std::uint32_t d;
    std::memcpy(&d, p, 4);
    d = Rop2(rop2, value, d, 0xFFFFFF);
    std::memcpy(p, &d, 4);
  }
}

void CRasterBackend::PaintRegion(const SpanRegion& rgn, std::uint32_t value, int rop2) {
  const int h = m_bitmap->Height();
  for (const gdi::SpanBand& b : rgn.bands) {
    int y0 = std::max(b.top, 0), y1 = std::min(b.bottom, h);
    for (int y = y0; y < y1; ++y)
      for (int i = 0; i < b.count; ++i)
        PaintSpan(y, rgn.xs[b.first + 2 * i], rgn.xs[b.first + 2 * i + 1], value, rop2);
  }
}

SpanRegion CRasterBackend::StrokeCoverage(const std::vector<DeviceFigure>& figures, int width,
                                          const Clip& clip) {
  SpanRegion out;
  StrokeCoverageInto(figures, width, clip, out);
  return out;
}

void CRasterBackend::StrokeCoverageInto(const std::vector<DeviceFigure>& figures, int width, const Clip& clip,
                                        SpanRegion& out) {
  out.Clear();
  // A one-pixel line along an axis (grid lines, frames) covers one rectangle of cells: the same
  // cells as the walk below, without a row list.
  if (width <= 1 && figures.size() == 1 && figures[0].points.size() == 2 && !figures[0].closed) {
    const DPOINT& p = figures[0].points[0];
    const DPOINT& q = figures[0].points[1];
    const long long ax = RoundPos(p.x), ay = RoundPos(p.y), bx = RoundPos(q.x), by = RoundPos(q.y);
    if (ax == bx || ay == by) {
      if (ax == bx && ay == by) return;
      long long l = ax, r = ax + 1, t = ay, b = ay + 1;
      if (ay == by) {
        l = ax < bx ? ax : bx + 1;
        r = ax < bx ? bx : ax + 1;
      } else {
        t = ay < by ? ay : by + 1;
        b = ay < by ? by : ay + 1;
      }
      l = std::clamp<long long>(l, clip.left, clip.right);
      r = std::clamp<long long>(r, clip.left, clip.right);
      t = std::clamp<long long>(t, clip.top, clip.bottom);
      b = std::clamp<long long>(b, clip.top, clip.bottom);
      if (r > l && b > t)
        out.SetRect(static_cast<int>(l), static_cast<int>(t), static_cast<int>(r), static_cast<int>(b));
      return;
    }
  }
  // Rows only where the figures are: strokes are often short lines on a tall page.
  double ymin = 0, ymax = 0;
  bool any = false;
  for (const DeviceFigure& f : figures)
    for (const DPOINT& d : f.points) {
      ymin = any ? std::min(ymin, d.y) : d.y;
      ymax = any ? std::max(ymax, d.y) : d.y;
      any = true;
    }
  if (!any) return;
  const double reach = width / 2.0 + 2;
  const int top = std::max(clip.top, gdi::FirstCellAtOrAfter(ymin - reach));
  const int bottom = std::min(clip.bottom, gdi::FirstCellAtOrAfter(ymax + reach));
  if (bottom <= top) return;
  gdi::RowSpans rows(top, bottom);
  auto clampX = [&](long long v) {
    return static_cast<int>(std::clamp<long long>(v, clip.left, clip.right));
  };
  for (const DeviceFigure& f : figures) {
    if (width <= 1) {
      // Reused from figure to figure: glyphs are thousands of small figures.
      thread_local std::vector<POINT> pts;
      gdi::TrimKept(pts);
      pts.clear();
      for (const DPOINT& d : f.points) {
        POINT p;
        p.x = RoundPos(d.x);
        p.y = RoundPos(d.y);
        if (pts.empty() || pts.back().x != p.x || pts.back().y != p.y) pts.push_back(p);
      }
      if (f.closed && pts.size() > 1 && pts.front().x == pts.back().x &&
          pts.front().y == pts.back().y)
        pts.pop_back();
      if (pts.size() < 2) continue;
      size_t segs = f.closed ? pts.size() : pts.size() - 1;
      for (size_t i = 0; i < segs; ++i) {
        POINT a = pts[i], b = pts[(i + 1) % pts.size()];
        // Each segment leaves out its last pixel, so joints are drawn once.
        if (a.y == b.y) {
          long long l = a.x < b.x ? a.x : static_cast<long long>(b.x) + 1;
          long long r = a.x < b.x ? b.x : static_cast<long long>(a.x) + 1;
          rows.Add(a.y, clampX(l), clampX(r));
          continue;
        }
        if (a.x == b.x) {
          long long lo = a.y < b.y ? a.y : static_cast<long long>(b.y) + 1;
          long long hi = a.y < b.y ? b.y : static_cast<long long>(a.y) + 1;
          lo = std::max<long long>(lo, clip.top);
          hi = std::min<long long>(hi, clip.bottom);
          for (long long y = lo; y < hi; ++y)
            rows.Add(static_cast<int>(y), clampX(a.x), clampX(a.x + 1LL));
          continue;
        }
        // One pixel per step along the major axis, the minor coordinate rounded; only the
        // steps inside the clip are visited, so far-off lines cost nothing.
        const long long dx = static_cast<long long>(b.x) - a.x;
        const long long dy = static_cast<long long>(b.y) - a.y;
        const bool xMajor = std::llabs(dx) >= std::llabs(dy);
        const long long n = xMajor ? std::llabs(dx) : std::llabs(dy);
        const long long major0 = xMajor ? a.x : a.y;
        const int step = (xMajor ? dx : dy) > 0 ? 1 : -1;
        const long long lo = xMajor ? clip.left : clip.top;
        const long long hi = xMajor ? clip.right : clip.bottom;
        long long i0 = 0, i1 = n;  // steps [i0, i1), the last pixel left out
        if (step > 0) {
          i0 = std::max(i0, lo - major0);
          i1 = std::min(i1, hi - major0);
        } else {
          i0 = std::max(i0, major0 - (hi - 1));
          i1 = std::min(i1, major0 - lo + 1);
        }
        const long long minor0 = xMajor ? a.y : a.x;
        const long long dMinor = xMajor ? dy : dx;
        for (long long i = i0; i < i1; ++i) {
          long long num = 2 * i * dMinor + n;
          long long q = num >= 0 ? num / (2 * n) : -((-num + 2 * n - 1) / (2 * n));
          long long mj = major0 + i * step, mn = minor0 + q;
          long long px = xMajor ? mj : mn, py = xMajor ? mn : mj;
          if (py >= clip.top && py < clip.bottom && px >= clip.left && px < clip.right)
            rows.Add(static_cast<int>(py), static_cast<int>(px), static_cast<int>(px + 1));
        }
      }
      continue;
    }
    // Wide pens: round caps and joins, centred on the pixel centres.
    const double r = width / 2.0;
    std::vector<DPOINT> pts;
    for (const DPOINT& d : f.points) pts.push_back(DPOINT{d.x + 0.5, d.y + 0.5});
    if (pts.empty()) continue;
    size_t segs = pts.size() == 1 ? 1 : (f.closed ? pts.size() : pts.size() - 1);
    for (size_t i = 0; i < segs; ++i) {
      DPOINT a = pts[i], b = pts[(i + 1) % pts.size()];
      int y0 = std::max(gdi::FirstCellAtOrAfter(std::min(a.y, b.y) - r), clip.top);
      int y1 = std::min(gdi::FirstCellAtOrAfter(std::max(a.y, b.y) + r), clip.bottom);
      for (int y = y0; y < y1; ++y) {
        double xl, xr;
        if (!CapsuleRow(a, b, r, y + 0.5, xl, xr)) continue;
        rows.Add(y, std::max(gdi::FirstCellAtOrAfter(xl), clip.left),
                 std::min(gdi::FirstCellAtOrAfter(xr), clip.right));
      }
    }
  }
  rows.ToRegion(out);
}

void CRasterBackend::PaintShape(const SpanRegion& fillArea, const SpanRegion& penArea, bool fill,
                                bool pen, COLORREF fillColour, const GdiDrawState& st) {
  if (fill) {
    if (pen && !penArea.IsEmpty())
      PaintRegion(SpanRegion::Combine(fillArea, penArea, RGN_DIFF), DeviceValue(fillColour),
                  st.rop2);
    else
      PaintRegion(fillArea, DeviceValue(fillColour), st.rop2);
  }
  if (pen) PaintRegion(penArea, DeviceValue(st.penColour), st.rop2);
}

void CRasterBackend::Rectangle(const RECT& r, const GdiDrawState& st) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  const Clip clip = SurfaceClip();
  SpanRegion area;
  area.SetRect(std::max(r.left, clip.left - 1), std::max(r.top, clip.top - 1),
               std::min(r.right, clip.right + 1), std::min(r.bottom, clip.bottom + 1));
  bool fill = !st.brushNull;
  bool pen = !st.PenNull();
  SpanRegion penArea;
  if (pen && st.penWidth <= 1) {
    SpanRegion inner;
    if (r.right - r.left > 2 && r.bottom - r.top > 2)
      inner.SetRect(r.left + 1, r.top + 1, r.right - 1, r.bottom - 1);
    penArea = SpanRegion::Combine(area, inner, RGN_DIFF);
  } else if (pen) {
    double d = st.penStyle == PS_INSIDEFRAME ? (st.penWidth - 1) / 2.0 : 0.0;
    DeviceFigure f;
    f.closed = true;
    double l = r.left + d, t = r.top + d, rr = r.right - 1 - d, b = r.bottom - 1 - d;
    if (rr < l) l = rr = (r.left + r.right - 1) / 2.0;
    if (b < t) t = b = (r.top + r.bottom - 1) / 2.0;
    f.points = {{l, t}, {rr, t}, {rr, b}, {l, b}};
    penArea = StrokeCoverage({f}, st.penWidth, clip);
  }
  PaintShape(area, penArea, fill, pen, st.brushColour, st);
}

void CRasterBackend::ShapeWithOutline(const SpanRegion& area,
                                      const std::function<DeviceFigure(double)>& outline,
                                      const GdiDrawState& st) {
  bool fill = !st.brushNull;
  bool pen = !st.PenNull();
  SpanRegion penArea;
  if (pen && st.penWidth <= 1) {
    // The ring: cells of the shape with a 4-neighbour outside it.
    SpanRegion inner = area;
    for (int k = 0; k < 4; ++k) {
      SpanRegion shifted = area;
      shifted.Offset(k == 0 ? 1 : k == 1 ? -1 : 0, k == 2 ? 1 : k == 3 ? -1 : 0);
      inner = SpanRegion::Combine(inner, shifted, RGN_AND);
    }
    penArea = SpanRegion::Combine(area, inner, RGN_DIFF);
  } else if (pen) {
    double d = st.penStyle == PS_INSIDEFRAME ? (st.penWidth - 1) / 2.0 : 0.0;
    penArea = StrokeCoverage({outline(d)}, st.penWidth, SurfaceClip());
  }
  PaintShape(area, penArea, fill, pen, st.brushColour, st);
}

namespace {

// Points on a quarter of an ellipse, in steps fine enough for a wide pen.
void AddCorner(std::vector<DPOINT>& out, double cx, double cy, double rx, double ry, double a0,
               double a1) {
  double rmax = std::max(rx, ry);
  int n = 2;
  if (rmax > 0.1) {
    double step = 2 * std::acos(std::max(-1.0, 1 - 0.1 / rmax));
    n = std::clamp(static_cast<int>(std::ceil((a1 - a0) / step)), 2, 50000);
  }
  for (int i = 0; i <= n; ++i) {
    double a = a0 + (a1 - a0) * i / n;
    out.push_back(DPOINT{cx + rx * std::cos(a), cy - ry * std::sin(a)});
  }
}

}  // namespace

void CRasterBackend::Ellipse(const RECT& r, const GdiDrawState& st) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  Clip wide = SurfaceClip();
  wide.left -= 1; wide.top -= 1; wide.right += 1; wide.bottom += 1;
  SpanRegion area = SpanRegion::EllipseInBox(r.left, r.top, r.right, r.bottom, wide);
  ShapeWithOutline(area, [&](double d) {
    double cx = (r.left + r.right - 1) / 2.0, cy = (r.top + r.bottom - 1) / 2.0;
    double rx = std::max(0.0, (r.right - r.left - 1) / 2.0 - d);
    double ry = std::max(0.0, (r.bottom - r.top - 1) / 2.0 - d);
    DeviceFigure f;
    f.closed = true;
    AddCorner(f.points, cx, cy, rx, ry, 0, 2 * kPi);
    return f;
  }, st);
}

void CRasterBackend::RoundRect(const RECT& r, int cornerW, int cornerH, const GdiDrawState& st) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  Clip wide = SurfaceClip();
  wide.left -= 1; wide.top -= 1; wide.right += 1; wide.bottom += 1;
  SpanRegion area = SpanRegion::RoundRect(r.left, r.top, r.right, r.bottom, cornerW, cornerH, wide);
  ShapeWithOutline(area, [&](double d) {
    double l = r.left + d, t = r.top + d, rr = r.right - 1 - d, b = r.bottom - 1 - d;
    if (rr < l) l = rr = (r.left + r.right - 1) / 2.0;
    if (b < t) t = b = (r.top + r.bottom - 1) / 2.0;
    double rx = std::clamp(std::min(cornerW, r.right - r.left) / 2.0 - 0.5 - d, 0.0, (rr - l) / 2);
    double ry = std::clamp(std::min(cornerH, r.bottom - r.top) / 2.0 - 0.5 - d, 0.0, (b - t) / 2);
    DeviceFigure f;
    f.closed = true;
    AddCorner(f.points, rr - rx, t + ry, rx, ry, 0, kPi / 2);
    AddCorner(f.points, l + rx, t + ry, rx, ry, kPi / 2, kPi);
    AddCorner(f.points, l + rx, b - ry, rx, ry, kPi, 1.5 * kPi);
    AddCorner(f.points, rr - rx, b - ry, rx, ry, 1.5 * kPi, 2 * kPi);
    return f;
  }, st);
}

void CRasterBackend::Figures(const std::vector<DeviceFigure>& figures, bool fill, bool stroke,
                             COLORREF fillColour, const GdiDrawState& st) {
  const Clip clip = SurfaceClip();
  SpanRegion area;
  if (fill) {
    std::vector<std::vector<gdi::FixPoint>> rings;
    for (const DeviceFigure& f : figures) {
      std::vector<gdi::FixPoint> ring;
      for (const DPOINT& p : f.points) ring.push_back(gdi::ToFix(p.x, p.y));
      rings.push_back(std::move(ring));
    }
    area = SpanRegion::Polygon(rings, st.polyFillMode, clip);
  }
  bool pen = stroke && !st.PenNull();
  SpanRegion penArea;
  if (pen) penArea = StrokeCoverage(figures, st.penWidth, clip);
  PaintShape(area, penArea, fill, pen, fillColour, st);
}

void CRasterBackend::FillRegion(const SpanRegion& rgn, COLORREF colour) {
  PaintRegion(rgn, DeviceValue(colour), R2_COPYPEN);
}

void CRasterBackend::PatBlt(const RECT& r, DWORD rop, const GdiDrawState& st) {
  int l = std::max(r.left, 0), t = std::max(r.top, 0);
  int rr = std::min(r.right, m_bitmap->Width()), b = std::min(r.bottom, m_bitmap->Height());
  if (rr <= l || b <= t) return;
  const std::uint32_t mask = m_bitmap->BitsPerPixel() == 1 ? 1u : 0xFFFFFFu;
  const std::uint32_t p = DeviceValue(st.brushColour);
  // Whole-span cases through the span painter.
  int rop2 = 0;
  switch (rop) {
    case BLACKNESS: rop2 = R2_BLACK; break;
    case WHITENESS: rop2 = R2_WHITE; break;
    case PATCOPY: rop2 = R2_COPYPEN; break;
    case DSTINVERT: rop2 = R2_NOT; break;
    case PATINVERT: rop2 = R2_XORPEN; break;
    default: break;
  }
  if (rop2 == R2_BLACK || rop2 == R2_WHITE) {
    // Black and white mean the colours themselves on either depth.
    std::uint32_t v = rop2 == R2_WHITE ? DeviceValue(0xFFFFFF) : DeviceValue(0);
    for (int y = t; y < b; ++y) PaintSpan(y, l, rr, v, R2_COPYPEN);
    return;
  }
  if (rop2) {
    for (int y = t; y < b; ++y) PaintSpan(y, l, rr, p, rop2);
    return;
  }
  for (int y = t; y < b; ++y)
    for (int x = l; x < rr; ++x) PutRaw(x, y, Rop3(rop, p, 0, RawPixel(x, y), mask));
}

BOOL CRasterBackend::StretchBlt(int x, int y, int w, int h, const CDCBackend& src, int xs, int ys,
                                int ws, int hs, DWORD rop, const GdiDrawState& st,
                                COLORREF srcBkColour) {
  const bool needSrc = UsesSource(rop);
  if (needSrc && !src.CanGivePixels()) return FALSE;
  bool flipX = (w < 0) != (ws < 0), flipY = (h < 0) != (hs < 0);
  Normalise(x, w);
  Normalise(y, h);
  Normalise(xs, ws);
  Normalise(ys, hs);
  if (w == 0 || h == 0 || (needSrc && (ws == 0 || hs == 0))) return TRUE;
  const int dstBpp = m_bitmap->BitsPerPixel();
  const int srcBpp = src.BitsPerPixelForBlit();
  const std::uint32_t mask = dstBpp == 1 ? 1u : 0xFFFFFFu;
  const std::uint32_t p = DeviceValue(st.brushColour);
  const std::uint32_t fg = DeviceValue(st.textColour), bg = DeviceValue(st.bkColour);
  auto convert = [&](COLORREF raw) -> std::uint32_t {
    if (srcBpp == 1) {
      if (dstBpp == 1) return raw & 1;
      return (raw & 1) ? bg : fg;
    }
    if (dstBpp == 1) return raw == srcBkColour ? 1u : 0u;
    return ToPixel32(raw);
  };
  const SIZE ss = src.SurfaceSize();
  const auto* rsrc = dynamic_cast<const CRasterBackend*>(&src);
  if (needSrc && rsrc && srcBpp == 1 && dstBpp == 1 && w == ws && h == hs && !flipX && !flipY &&
      xs >= 0 && ys >= 0 && xs + ws <= ss.cx && ys + hs <= ss.cy) {
    // One to one between monochrome bitmaps: whole bytes at a time.
    int i0 = 0, i1 = 0;
    VisibleSpan(x, w, m_bitmap->Width(), i0, i1);
    const BYTE pat = (p & 1) ? 0xFF : 0x00;
    std::vector<BYTE> bitsRow;
    int j0 = 0, j1 = 0;
    VisibleSpan(y, h, m_bitmap->Height(), j0, j1);
    for (int j = j0; j < j1 && i1 > i0; ++j) {
      int dy = y + j;
      ReadBits(rsrc->m_bitmap->Row(ys + j), xs + i0, i1 - i0, bitsRow);
      WriteBits(m_bitmap->Row(dy), x + i0, bitsRow, i1 - i0, rop, pat);
    }
    return TRUE;
  }
  // Only the destination pixels on the bitmap are visited.
  int i0 = 0, i1 = 0, j0 = 0, j1 = 0;
  VisibleSpan(x, w, m_bitmap->Width(), i0, i1);
  VisibleSpan(y, h, m_bitmap->Height(), j0, j1);
  if (i1 <= i0 || j1 <= j0) return TRUE;
  AxisMap mx = BuildAxis(w, needSrc ? ws : 1, st.stretchMode, flipX, i0, i1);
  AxisMap my = BuildAxis(h, needSrc ? hs : 1, st.stretchMode, flipY, j0, j1);
  const bool useAnd = st.stretchMode != WHITEONBLACK;
  for (int j = j0; j < j1; ++j) {
    int dy = y + j;
    for (int i = i0; i < i1; ++i) {
      int dx = x + i;
      std::uint32_t s = 0;
      if (needSrc) {
        bool first = true;
        for (int sy = my.From(j); sy < my.To(j); ++sy) {
          int py = ys + sy;
          for (int sx = mx.From(i); sx < mx.To(i); ++sx) {
            int px = xs + sx;
            std::uint32_t v = (px < 0 || py < 0 || px >= ss.cx || py >= ss.cy)
                                  ? convert(srcBpp == 1 ? 1 : 0xFFFFFF)
                                  : convert(src.SourcePixel(px, py));
            if (first) { s = v; first = false; }
            else s = useAnd ? (s & v) : (s | v);
          }
        }
      }
      PutRaw(dx, dy, Rop3(rop, p, s, RawPixel(dx, dy), mask));
    }
  }
  return TRUE;
}

BOOL CRasterBackend::StretchDIBits(int x, int y, int w, int h, int xs, int ys, int ws, int hs,
                                   const void* bits, const BITMAPINFO* bmi, DWORD rop,
                                   const GdiDrawState& st) {
  if (!bmi) return FALSE;
  BITMAPINFOHEADER hdr;
  std::memcpy(&hdr, bmi, sizeof hdr);
  const int bpp = hdr.biBitCount;
  if (hdr.biCompression != BI_RGB || (bpp != 1 && bpp != 24 && bpp != 32) || hdr.biWidth <= 0 ||
      hdr.biHeight == 0 || hdr.biHeight == std::numeric_limits<LONG>::min())
    return FALSE;
  const bool needSrc = UsesSource(rop);
  if (needSrc && !bits) return FALSE;
  const int dibW = hdr.biWidth;
  const bool bottomUp = hdr.biHeight > 0;
  const int dibH = bottomUp ? hdr.biHeight : -hdr.biHeight;
  const size_t stride = ((static_cast<size_t>(dibW) * bpp + 31) / 32) * 4;
  COLORREF palette[2] = {0, 0xFFFFFF};
  if (bpp == 1) {
    const BYTE* pal = reinterpret_cast<const BYTE*>(bmi) + hdr.biSize;
    for (int k = 0; k < 2; ++k)
      palette[k] = RGB(pal[4 * k + 2], pal[4 * k + 1], pal[4 * k]);
  }
  bool flipX = (w < 0) != (ws < 0), flipY = (h < 0) != (hs < 0);
  Normalise(x, w);
  Normalise(y, h);
  Normalise(xs, ws);
  Normalise(ys, hs);
  if (w == 0 || h == 0 || ws == 0 || hs == 0) return TRUE;
  const BYTE* base = static_cast<const BYTE*>(bits);
  auto colourAt = [&](int px, int storedRow) -> COLORREF {
    if (px < 0 || px >= dibW || storedRow < 0 || storedRow >= dibH) return 0xFFFFFF;
    const BYTE* row = base + static_cast<size_t>(storedRow) * stride;
    if (bpp == 1) return palette[(row[px >> 3] >> (7 - (px & 7))) & 1];
    const BYTE* q = row + static_cast<size_t>(px) * (bpp / 8);
    return RGB(q[2], q[1], q[0]);
  };
  const std::uint32_t mask = m_bitmap->BitsPerPixel() == 1 ? 1u : 0xFFFFFFu;
  const std::uint32_t p = DeviceValue(st.brushColour);
  if (needSrc && bpp == 1 && mask == 1 && w == ws && h == hs && !flipX && !flipY && xs >= 0 &&
      ys >= 0 && xs + ws <= dibW && ys + hs <= dibH) {
    // One to one from a 1-bit DIB onto a monochrome bitmap: whole bytes at a time.
    const std::uint32_t b0 = DeviceValue(palette[0]), b1 = DeviceValue(palette[1]);
    int i0 = 0, i1 = 0;
    VisibleSpan(x, w, m_bitmap->Width(), i0, i1);
    const BYTE pat = (p & 1) ? 0xFF : 0x00;
    std::vector<BYTE> bitsRow;
    int j0 = 0, j1 = 0;
    VisibleSpan(y, h, m_bitmap->Height(), j0, j1);
    for (int j = j0; j < j1 && i1 > i0; ++j) {
      int dy = y + j;
      int stored = bottomUp ? ys + hs - 1 - j : ys + j;
      ReadBits(base + static_cast<size_t>(stored) * stride, xs + i0, i1 - i0, bitsRow);
      for (BYTE& v : bitsRow) {
        if (b0 == b1) v = b0 ? 0xFF : 0x00;
        else if (b0 == 1) v = static_cast<BYTE>(~v);
      }
      WriteBits(m_bitmap->Row(dy), x + i0, bitsRow, i1 - i0, rop, pat);
    }
    return TRUE;
  }
  int i0 = 0, i1 = 0, j0 = 0, j1 = 0;
  VisibleSpan(x, w, m_bitmap->Width(), i0, i1);
  VisibleSpan(y, h, m_bitmap->Height(), j0, j1);
  if (i1 <= i0 || j1 <= j0) return TRUE;
  AxisMap mx = BuildAxis(w, ws, st.stretchMode, flipX, i0, i1);
  AxisMap my = BuildAxis(h, hs, st.stretchMode, flipY, j0, j1);
  const bool useAnd = st.stretchMode != WHITEONBLACK;
  for (int j = j0; j < j1; ++j) {
    int dy = y + j;
    for (int i = i0; i < i1; ++i) {
      int dx = x + i;
      std::uint32_t s = 0;
      if (needSrc) {
        bool first = true;
        for (int k = my.From(j); k < my.To(j); ++k) {
          // k counts rows from the top of the source rectangle.
          int stored = bottomUp ? ys + hs - 1 - k : ys + k;
          for (int sx = mx.From(i); sx < mx.To(i); ++sx) {
            std::uint32_t v = DeviceValue(colourAt(xs + sx, stored));
            if (first) { s = v; first = false; }
            else s = useAnd ? (s & v) : (s | v);
          }
        }
      }
      PutRaw(dx, dy, Rop3(rop, p, s, RawPixel(dx, dy), mask));
    }
  }
  return TRUE;
}

COLORREF CRasterBackend::SetPixel(int x, int y, COLORREF colour) {
  if (x < 0 || y < 0 || x >= m_bitmap->Width() || y >= m_bitmap->Height()) return CLR_INVALID;
  PutRaw(x, y, DeviceValue(colour));
  return m_bitmap->PixelColour(x, y);
}

BOOL CRasterBackend::FloodFill(int x, int y, COLORREF colour, UINT kind, COLORREF fillColour) {
  const int W = m_bitmap->Width(), H = m_bitmap->Height();
  if (x < 0 || y < 0 || x >= W || y >= H) return FALSE;
  const std::uint32_t ref = DeviceValue(colour);
  auto fillable = [&](int px, int py) {
    bool same = RawPixel(px, py) == ref;
    return kind == FLOODFILLSURFACE ? same : !same;
  };
  if (!fillable(x, y)) return FALSE;
  std::vector<bool> seen(static_cast<size_t>(W) * H, false);
  auto idx = [W](int px, int py) { return static_cast<size_t>(py) * W + px; };
  gdi::RowSpans spans(0, H);
  std::vector<POINT> stack;
  POINT s0;
  s0.x = x;
  s0.y = y;
  stack.push_back(s0);
  while (!stack.empty()) {
    POINT s = stack.back();
    stack.pop_back();
    if (seen[idx(s.x, s.y)] || !fillable(s.x, s.y)) continue;
    int l = s.x, r = s.x;
    while (l > 0 && !seen[idx(l - 1, s.y)] && fillable(l - 1, s.y)) --l;
    while (r + 1 < W && !seen[idx(r + 1, s.y)] && fillable(r + 1, s.y)) ++r;
    for (int i = l; i <= r; ++i) seen[idx(i, s.y)] = true;
    spans.Add(s.y, l, r + 1);
    for (int ny : {s.y - 1, s.y + 1}) {
      if (ny < 0 || ny >= H) continue;
      bool inRun = false;
      for (int i = l; i <= r; ++i) {
        bool ok = !seen[idx(i, ny)] && fillable(i, ny);
        if (ok && !inRun) {
          POINT p;
          p.x = i;
          p.y = ny;
          stack.push_back(p);
        }
        inRun = ok;
      }
    }
  }
  PaintRegion(spans.ToRegion(), DeviceValue(fillColour), R2_COPYPEN);
  return TRUE;
}

void CRasterBackend::DrawFocusRect(const RECT& r) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  const int W = m_bitmap->Width(), H = m_bitmap->Height();
  gdi::RowSpans rows(std::max(r.top, 0), std::min(r.bottom, H));
  auto dot = [&](int px, int py) {
    if (((px + py) & 1) == 0 && px >= 0 && px < W) rows.Add(py, px, px + 1);
  };
  for (int px = std::max(r.left, -1); px < std::min(r.right, W + 1); ++px) {
    dot(px, r.top);
    if (r.bottom - 1 > r.top) dot(px, r.bottom - 1);
  }
  for (int py = std::max(r.top + 1, -1); py < std::min(r.bottom - 1, H + 1); ++py) {
    dot(r.left, py);
    if (r.right - 1 > r.left) dot(r.right - 1, py);
  }
  PaintRegion(rows.ToRegion(), 0, R2_NOT);
}
