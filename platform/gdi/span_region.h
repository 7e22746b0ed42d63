// Sets of unit cells kept as horizontal bands of spans: the body of CRgn and the coverage that
// the raster back end paints. A cell (x, y) is the unit square whose top-left corner is (x, y);
// shapes cover the cells whose centre (x + 0.5, y + 0.5) lies inside them, a centre on a left or
// top edge counting as inside and one on a right or bottom edge as outside.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/wintypes.h"

namespace gdi {

// Scratch kept from call to call on a thread (text paints thousands of small paths) is not kept
// past this many elements: one huge shape would otherwise hold its memory for good.
constexpr size_t kKeptScratchLimit = size_t{1} << 16;
template <class T>
void TrimKept(std::vector<T>& v) {
  if (v.capacity() > kKeptScratchLimit) std::vector<T>().swap(v);
}

struct SpanBand {
  int top = 0;     // first row
  int bottom = 0;  // one past the last row
  int first = 0;   // index of the band's first x in SpanRegion::xs
  int count = 0;   // number of spans; xs holds left, right pairs
};

// A point in 1/256 units; shapes given in doubles are snapped to this grid so that every
// inside/outside decision is made in exact integer arithmetic.
struct FixPoint {
  std::int64_t x = 0;
  std::int64_t y = 0;
};
constexpr std::int64_t kFix = 256;
FixPoint ToFix(double x, double y);
inline FixPoint ToFix(int x, int y) { return FixPoint{std::int64_t(x) * kFix, std::int64_t(y) * kFix}; }

// Rows and columns outside this box are left out while building (keeps huge shapes cheap).
struct Clip {
  int left = -(1 << 30);
  int top = -(1 << 30);
  int right = 1 << 30;
  int bottom = 1 << 30;
};

class SpanRegion {
 public:
  std::vector<SpanBand> bands;
  std::vector<int> xs;

  bool IsEmpty() const { return bands.empty(); }
  void Clear() { bands.clear(); xs.clear(); }
  void SetRect(int left, int top, int right, int bottom);  // normalises
  RECT Box() const;
  int Kind() const;  // NULLREGION, SIMPLEREGION or COMPLEXREGION
  bool Contains(int x, int y) const;
  void Offset(int dx, int dy);
  bool operator==(const SpanRegion& o) const;
  long long CellCount() const;

  static SpanRegion Combine(const SpanRegion& a, const SpanRegion& b, int mode);
  static SpanRegion Polygon(const std::vector<std::vector<FixPoint>>& rings, int fillMode,
                            const Clip& clip = Clip());
  // The same written over `out`, whose buffers are reused (text paints thousands of small paths).
  static void PolygonInto(const std::vector<std::vector<FixPoint>>& rings, int fillMode, const Clip& clip,
                          SpanRegion& out);
  // Ellipse with centre (cx, cy) and radii rx, ry in continuous coordinates.
  static SpanRegion Ellipse(double cx, double cy, double rx, double ry, const Clip& clip = Clip());
  // The ellipse inscribed in the box (left, top, right, bottom), normalised.
  static SpanRegion EllipseInBox(int left, int top, int right, int bottom, const Clip& clip = Clip());
  static SpanRegion RoundRect(int left, int top, int right, int bottom, int cornerW, int cornerH,
                              const Clip& clip = Clip());
};

// Builds a region row by row (rows in increasing order); equal neighbouring rows become one band.
class SpanRegionBuilder {
 public:
  explicit SpanRegionBuilder(SpanRegion& out);
  ~SpanRegionBuilder();
  SpanRegionBuilder(const SpanRegionBuilder&) = delete;
  SpanRegionBuilder& operator=(const SpanRegionBuilder&) = delete;
  // spans: sorted left, right pairs; touching or overlapping spans are merged here.
  void AddBand(int top, int bottom, const int* spans, int pairCount);
  void AddRow(int y, const int* spans, int pairCount) { AddBand(y, y + 1, spans, pairCount); }

 private:
  SpanRegion& out_;
  std::vector<int> tmp_;
};

// Collects unsorted spans per row (strokes made of many pieces) and yields their union.
class RowSpans {
 public:
  RowSpans(int top, int bottom);
  ~RowSpans();
  RowSpans(const RowSpans&) = delete;
  RowSpans& operator=(const RowSpans&) = delete;
  void Add(int y, int x0, int x1);
  int Top() const { return top_; }
  int Bottom() const { return bottom_; }
  SpanRegion ToRegion();
  // The same written over `out`, whose buffers are reused.
  void ToRegion(SpanRegion& out);

 private:
  struct Piece {
    int y, x0, x1;
  };
  int top_;
  int bottom_;
  // One list for every row, sorted when the region is made: a list per row would cost
  // allocations for each of a small path's few rows.
  std::vector<Piece> pieces_;
};

// First cell whose centre lies at or right of the continuous coordinate v.
int FirstCellAtOrAfter(double v);

}  // namespace gdi
