#include "platform/gdi/span_region.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/gdi/gdi_types.h"

namespace gdi {

namespace {

constexpr double kCellLimit = 1073741824.0;  // 2^30: far beyond any surface

int ClampCell(double v) {
  if (std::isnan(v)) return 0;
  if (v > kCellLimit) return 1 << 30;
  if (v < -kCellLimit) return -(1 << 30);
  return static_cast<int>(v);
}

using i128 = __int128;

// Smallest integer q with q * d >= n (d > 0).
std::int64_t CeilDiv(i128 n, i128 d) {
  i128 q = n / d;
  if (q * d < n) ++q;
  return static_cast<std::int64_t>(q);
}

bool Apply(int mode, bool a, bool b) {
  switch (mode) {
    case RGN_AND: return a && b;
    case RGN_OR: return a || b;
    case RGN_XOR: return a != b;
    case RGN_DIFF: return a && !b;
    default: return a;
  }
}

void Combine1D(int mode, const int* a, int na, const int* b, int nb, std::vector<int>& out) {
  out.clear();
  int i = 0, j = 0;
  na *= 2;
  nb *= 2;
  bool inA = false, inB = false, prev = false;
  while (i < na || j < nb) {
    int x = (i < na && (j >= nb || a[i] <= b[j])) ? a[i] : b[j];
    while (i < na && a[i] == x) { inA = !inA; ++i; }
    while (j < nb && b[j] == x) { inB = !inB; ++j; }
    bool now = Apply(mode, inA, inB);
    if (now != prev) {
      out.push_back(x);
      prev = now;
    }
  }
}

}  // namespace

FixPoint ToFix(double x, double y) {
  auto f = [](double v) -> std::int64_t {
    double s = v * static_cast<double>(kFix);
    if (std::isnan(s)) return 0;
    const double lim = 4.0e15;
    if (s > lim) s = lim;
    if (s < -lim) s = -lim;
    return static_cast<std::int64_t>(std::floor(s + 0.5));
  };
  return FixPoint{f(x), f(y)};
}

int FirstCellAtOrAfter(double v) { return ClampCell(std::ceil(v - 0.5)); }

void SpanRegion::SetRect(int left, int top, int right, int bottom) {
  Clear();
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  if (left == right || top == bottom) return;
  xs = {left, right};
  bands.push_back(SpanBand{top, bottom, 0, 1});
}

RECT SpanRegion::Box() const {
  RECT r;
  if (bands.empty()) return r;
  r.top = bands.front().top;
  r.bottom = bands.back().bottom;
  r.left = xs[bands.front().first];
  r.right = xs[bands.front().first + 1];
  for (const SpanBand& b : bands) {
    r.left = std::min(r.left, xs[b.first]);
    r.right = std::max(r.right, xs[b.first + 2 * b.count - 1]);
  }
  return r;
}

int SpanRegion::Kind() const {
  if (bands.empty()) return NULLREGION;
  if (bands.size() == 1 && bands[0].count == 1) return SIMPLEREGION;
  return COMPLEXREGION;
}

bool SpanRegion::Contains(int x, int y) const {
  auto it = std::upper_bound(bands.begin(), bands.end(), y,
                             [](int v, const SpanBand& b) { return v < b.bottom; });
  if (it == bands.end() || y < it->top) return false;
  const int* s = xs.data() + it->first;
  const int* e = s + 2 * it->count;
  // Number of edges at or left of x: odd means inside.
  const int* p = std::upper_bound(s, e, x);
  return ((p - s) & 1) != 0;
}

void SpanRegion::Offset(int dx, int dy) {
  for (SpanBand& b : bands) {
    b.top += dy;
    b.bottom += dy;
  }
  for (int& x : xs) x += dx;
}

bool SpanRegion::operator==(const SpanRegion& o) const {
  if (bands.size() != o.bands.size()) return false;
  for (size_t i = 0; i < bands.size(); ++i) {
    const SpanBand& a = bands[i];
    const SpanBand& b = o.bands[i];
    if (a.top != b.top || a.bottom != b.bottom || a.count != b.count) return false;
    if (!std::equal(xs.begin() + a.first, xs.begin() + a.first + 2 * a.count,
                    o.xs.begin() + b.first))
      return false;
  }
  return true;
}

long long SpanRegion::CellCount() const {
  long long n = 0;
  for (const SpanBand& b : bands) {
    long long w = 0;
    for (int i = 0; i < b.count; ++i) w += xs[b.first + 2 * i + 1] - xs[b.first + 2 * i];
    n += w * (b.bottom - b.top);
  }
  return n;
}

namespace {

// Buffers handed from one short-lived builder or span list to the next on a thread: text paints
// thousands of small paths, each of which would otherwise allocate them anew. One in use while
// another is alive (nested builders) simply allocates its own.
template <class T>
std::vector<T>& SpareOf() {
  thread_local std::vector<T> spare;
  return spare;
}

template <class T>
void TakeSpare(std::vector<T>& v) {
  v.swap(SpareOf<T>());
  v.clear();
}

template <class T>
void GiveBack(std::vector<T>& v) {
  std::vector<T>& spare = SpareOf<T>();
  if (v.capacity() > spare.capacity() && v.capacity() <= kKeptScratchLimit) spare.swap(v);
}

}  // namespace

SpanRegionBuilder::SpanRegionBuilder(SpanRegion& out) : out_(out) {
  out_.Clear();
  TakeSpare(tmp_);
}

SpanRegionBuilder::~SpanRegionBuilder() { GiveBack(tmp_); }

void SpanRegionBuilder::AddBand(int top, int bottom, const int* spans, int pairCount) {
  if (bottom <= top || pairCount <= 0) return;
  // Merge touching and overlapping spans.
  tmp_.clear();
  for (int i = 0; i < pairCount; ++i) {
    int l = spans[2 * i], r = spans[2 * i + 1];
    if (r <= l) continue;
    if (!tmp_.empty() && l <= tmp_.back()) {
      tmp_.back() = std::max(tmp_.back(), r);
    } else {
      tmp_.push_back(l);
      tmp_.push_back(r);
    }
  }
  if (tmp_.empty()) return;
  int n = static_cast<int>(tmp_.size()) / 2;
  if (!out_.bands.empty()) {
    SpanBand& last = out_.bands.back();
    if (last.bottom == top && last.count == n &&
        std::equal(tmp_.begin(), tmp_.end(), out_.xs.begin() + last.first)) {
      last.bottom = bottom;
      return;
    }
  }
  out_.bands.push_back(SpanBand{top, bottom, static_cast<int>(out_.xs.size()), n});
  out_.xs.insert(out_.xs.end(), tmp_.begin(), tmp_.end());
}

RowSpans::RowSpans(int top, int bottom) : top_(top), bottom_(bottom > top ? bottom : top) { TakeSpare(pieces_); }

RowSpans::~RowSpans() { GiveBack(pieces_); }

void RowSpans::Add(int y, int x0, int x1) {
  if (x1 <= x0 || y < top_ || y >= bottom_) return;
  pieces_.push_back(Piece{y, x0, x1});
}

SpanRegion RowSpans::ToRegion() {
  SpanRegion out;
  ToRegion(out);
  return out;
}

void RowSpans::ToRegion(SpanRegion& out) {
  SpanRegionBuilder b(out);
  // Row by row, each row's spans by left then right edge.
  std::sort(pieces_.begin(), pieces_.end(), [](const Piece& a, const Piece& c) {
    if (a.y != c.y) return a.y < c.y;
    if (a.x0 != c.x0) return a.x0 < c.x0;
    return a.x1 < c.x1;
  });
  thread_local std::vector<int> flat;
  for (size_t i = 0; i < pieces_.size();) {
    const int y = pieces_[i].y;
    flat.clear();
    for (; i < pieces_.size() && pieces_[i].y == y; ++i) {
      flat.push_back(pieces_[i].x0);
      flat.push_back(pieces_[i].x1);
    }
    b.AddRow(y, flat.data(), static_cast<int>(flat.size()) / 2);
  }
  TrimKept(flat);
}

SpanRegion SpanRegion::Combine(const SpanRegion& a, const SpanRegion& b, int mode) {
  if (mode == RGN_COPY) return a;
  std::vector<int> ys;
  ys.reserve(2 * (a.bands.size() + b.bands.size()));
  for (const SpanBand& s : a.bands) { ys.push_back(s.top); ys.push_back(s.bottom); }
  for (const SpanBand& s : b.bands) { ys.push_back(s.top); ys.push_back(s.bottom); }
  std::sort(ys.begin(), ys.end());
  ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
  SpanRegion out;
  SpanRegionBuilder builder(out);
  std::vector<int> row;
  size_t ia = 0, ib = 0;
  for (size_t k = 0; k + 1 < ys.size(); ++k) {
    int y0 = ys[k], y1 = ys[k + 1];
    while (ia < a.bands.size() && a.bands[ia].bottom <= y0) ++ia;
    while (ib < b.bands.size() && b.bands[ib].bottom <= y0) ++ib;
    const int* sa = nullptr;
    int na = 0;
    const int* sb = nullptr;
    int nb = 0;
    if (ia < a.bands.size() && a.bands[ia].top <= y0) {
      sa = a.xs.data() + a.bands[ia].first;
      na = a.bands[ia].count;
    }
    if (ib < b.bands.size() && b.bands[ib].top <= y0) {
      sb = b.xs.data() + b.bands[ib].first;
      nb = b.bands[ib].count;
    }
    if (na == 0 && nb == 0) continue;
    Combine1D(mode, sa, na, sb, nb, row);
    builder.AddBand(y0, y1, row.data(), static_cast<int>(row.size()) / 2);
  }
  return out;
}

namespace {

struct PolygonEdge {
  std::int64_t x0, y0, x1, y1;
  int dir;
  int rowStart, rowEnd;
  bool narrow;  // every product of the crossing fits 64 bits
};

}  // namespace

SpanRegion SpanRegion::Polygon(const std::vector<std::vector<FixPoint>>& rings, int fillMode,
                               const Clip& clip) {
  SpanRegion out;
  PolygonInto(rings, fillMode, clip, out);
  return out;
}

void SpanRegion::PolygonInto(const std::vector<std::vector<FixPoint>>& rings, int fillMode, const Clip& clip,
                             SpanRegion& out) {
  using Edge = PolygonEdge;
  constexpr std::int64_t kNarrow = std::int64_t{1} << 29;
  const std::int64_t half = kFix / 2;
  // Kept from call to call on the thread: nothing below calls back in.
  thread_local std::vector<Edge> edges;
  thread_local std::vector<const Edge*> active;
  thread_local std::vector<std::pair<std::int64_t, int>> cross;
  thread_local std::vector<int> spans;
  edges.clear();
  active.clear();
  out.Clear();
  for (const auto& ring : rings) {
    size_t n = ring.size();
    if (n < 2) continue;
    for (size_t i = 0; i < n; ++i) {
      FixPoint p = ring[i];
      FixPoint q = ring[(i + 1) % n];
      if (p.y == q.y) continue;
      Edge e;
      e.dir = p.y < q.y ? 1 : -1;
      if (p.y > q.y) std::swap(p, q);
      e.x0 = p.x; e.y0 = p.y; e.x1 = q.x; e.y1 = q.y;
      // Rows whose centre y * kFix + half lies in [y0, y1).
      std::int64_t rs = CeilDiv(i128(p.y) - half, kFix);
      std::int64_t re = CeilDiv(i128(q.y) - half, kFix);
      rs = std::max<std::int64_t>(rs, clip.top);
      re = std::min<std::int64_t>(re, clip.bottom);
      if (rs >= re) continue;
      e.rowStart = static_cast<int>(rs);
      e.rowEnd = static_cast<int>(re);
      e.narrow = std::max({std::llabs(e.x0), std::llabs(e.x1), std::llabs(e.y0), std::llabs(e.y1)}) <= kNarrow;
      edges.push_back(e);
    }
  }
  if (edges.empty()) return;
  std::sort(edges.begin(), edges.end(),
            [](const Edge& a, const Edge& b) { return a.rowStart < b.rowStart; });
  SpanRegionBuilder builder(out);
  size_t next = 0;
  int y = edges.front().rowStart;
  while (next < edges.size() || !active.empty()) {
    if (active.empty() && next < edges.size() && edges[next].rowStart > y) y = edges[next].rowStart;
    while (next < edges.size() && edges[next].rowStart <= y) active.push_back(&edges[next++]);
    active.erase(std::remove_if(active.begin(), active.end(),
                                [y](const Edge* e) { return e->rowEnd <= y; }),
                 active.end());
    if (active.empty()) continue;
    cross.clear();
    const i128 yc = i128(y) * kFix + half;
    for (const Edge* e : active) {
      if (e->narrow) {
        // The same division in 64 bits, which most edges allow.
        const std::int64_t dy = e->y1 - e->y0;
        const std::int64_t num = e->x0 * dy + (static_cast<std::int64_t>(yc) - e->y0) * (e->x1 - e->x0);
        const std::int64_t n = num - half * dy, d = kFix * dy;
        std::int64_t q = n / d;
        if (q * d < n) ++q;
        cross.emplace_back(q, e->dir);
        continue;
      }
      i128 dy = e->y1 - e->y0;
      i128 num = i128(e->x0) * dy + (yc - e->y0) * (e->x1 - e->x0);
      // First cell whose centre is at or right of x = num / dy.
      std::int64_t px = CeilDiv(num - i128(half) * dy, i128(kFix) * dy);
      cross.emplace_back(px, e->dir);
    }
    std::sort(cross.begin(), cross.end());
    spans.clear();
    int wind = 0;
    bool inside = false;
    for (size_t k = 0; k < cross.size(); ++k) {
      wind += cross[k].second;
      bool now = fillMode == WINDING ? wind != 0 : (k % 2 == 0);
      if (now != inside) {
        std::int64_t x = std::clamp<std::int64_t>(cross[k].first, clip.left, clip.right);
        spans.push_back(static_cast<int>(x));
        inside = now;
      }
    }
    if (spans.size() % 2) spans.push_back(clip.right);
    builder.AddRow(y, spans.data(), static_cast<int>(spans.size()) / 2);
    ++y;
  }
  TrimKept(edges);
  TrimKept(active);
  TrimKept(cross);
  TrimKept(spans);
}

SpanRegion SpanRegion::Ellipse(double cx, double cy, double rx, double ry, const Clip& clip) {
  SpanRegion out;
  rx = std::fabs(rx);
  ry = std::fabs(ry);
  if (!(rx > 0) || !(ry > 0)) return out;
  SpanRegionBuilder b(out);
  int y0 = std::max(FirstCellAtOrAfter(cy - ry), clip.top);
  int y1 = std::min(FirstCellAtOrAfter(cy + ry), clip.bottom);
  int span[2];
  for (int y = y0; y < y1; ++y) {
    double t = (y + 0.5 - cy) / ry;
    double k = 1.0 - t * t;
    if (k <= 0) continue;
    double hw = rx * std::sqrt(k);
    span[0] = std::max(FirstCellAtOrAfter(cx - hw), clip.left);
    span[1] = std::min(FirstCellAtOrAfter(cx + hw), clip.right);
    b.AddRow(y, span, 1);
  }
  return out;
}

SpanRegion SpanRegion::EllipseInBox(int left, int top, int right, int bottom, const Clip& clip) {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  return Ellipse((double(left) + right) / 2, (double(top) + bottom) / 2, (double(right) - left) / 2,
                 (double(bottom) - top) / 2, clip);
}

SpanRegion SpanRegion::RoundRect(int left, int top, int right, int bottom, int cornerW, int cornerH,
                                 const Clip& clip) {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  SpanRegion out;
  if (left == right || top == bottom) return out;
  double w = std::min(std::fabs(double(cornerW)), double(right) - left);
  double h = std::min(std::fabs(double(cornerH)), double(bottom) - top);
  if (w <= 0 || h <= 0) {
    out.SetRect(left, top, right, bottom);
    return out;
  }
  double rx = w / 2, ry = h / 2;
  SpanRegionBuilder b(out);
  int y0 = std::max(top, clip.top), y1 = std::min(bottom, clip.bottom);
  int span[2];
  for (int y = y0; y < y1; ++y) {
    double yc = y + 0.5;
    double dy = 0;
    if (yc < top + ry) dy = top + ry - yc;
    else if (yc > bottom - ry) dy = yc - (bottom - ry);
    double l = left, r = right;
    if (dy > 0) {
      double t = dy / ry;
      double k = 1.0 - t * t;
      if (k <= 0) continue;
      double hw = rx * std::sqrt(k);
      l = left + rx - hw;
      r = right - rx + hw;
    }
    span[0] = std::max(FirstCellAtOrAfter(l), clip.left);
    span[1] = std::min(FirstCellAtOrAfter(r), clip.right);
    b.AddRow(y, span, 1);
  }
  return out;
}

}  // namespace gdi
