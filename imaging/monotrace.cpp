// The contour tracer and the ".hpg" outline export of CMonoImageTool.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "imaging/monoimagetool.h"
#include "platform/archive.h"
#include "platform/atomic_file.h"
#include "platform/numfmt.h"

namespace {

const BYTE kBitMask[8] = {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01};
const int kDirX[8] = {-1, 0, 1, 1, 1, 0, -1, -1};
const int kDirY[8] = {-1, -1, -1, 0, 1, 1, 1, 0};

// Bits of byte `b` that stand for pixels inside a row `width` pixels wide.
inline BYTE InsideMask(int b, int width) {
  const int left = width - b * 8;
  if (left >= 8) return 0xFF;
  if (left <= 0) return 0;
  return static_cast<BYTE>(0xFF << (8 - left));
}

inline bool RowsRefused(const BYTE* rows, int width, int height, int stride) {
  return !rows || width <= 0 || height <= 0 || stride < 4 || stride < (width + 7) / 8;
}

inline bool Far(LONG x, LONG y, LONG rx, LONG ry, int t) {
  return x < rx - t || x > rx + t || y < ry - t || y > ry + t;
}

// The pixels as the tracer sees them: ink is a 0 bit; the padding and everything outside the
// image are background.
struct InkRows {
  const BYTE* rows;
  int width, height, stride;
  bool operator()(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return false;
    return !(rows[static_cast<size_t>(y) * stride + (x >> 3)] & kBitMask[x & 7]);
  }
  // The ink bits of the whole byte holding column x (x + 8 <= width); 0 outside the rows.
  BYTE Byte(int x, int y) const {
    if (y < 0 || y >= height) return 0;
    return static_cast<BYTE>(~rows[static_cast<size_t>(y) * stride + (x >> 3)]);
  }
};

// Directions along the pixel edges, clockwise on the screen: right, down, left, up.
const int kEdgeX[4] = {1, 0, -1, 0};
const int kEdgeY[4] = {0, 1, 0, -1};

// Whether a pixel edge leaves the pixel corner (x, y) in direction d with ink on its right.
bool HasEdge(const InkRows& ink, int x, int y, int d) {
  switch (d) {
    case 0: return ink(x, y) && !ink(x, y - 1);
    case 1: return ink(x - 1, y) && !ink(x, y);
    case 2: return ink(x - 1, y - 1) && !ink(x - 1, y);
    default: return ink(x, y - 1) && !ink(x - 1, y - 1);
  }
}

// Drops repeated points and points in the middle of a straight run, the ring closing on itself.
void SimplifyRing(std::vector<POINT>& v) {
  auto same = [](POINT a, POINT b) { return a.x == b.x && a.y == b.y; };
  auto straight = [](POINT a, POINT b, POINT c) {
    const long long ux = b.x - a.x, uy = b.y - a.y, wx = c.x - b.x, wy = c.y - b.y;
    return ux * wy - uy * wx == 0 && ux * wx + uy * wy > 0;
  };
  std::vector<POINT> out;
  for (const POINT& p : v) {
    if (!out.empty() && same(out.back(), p)) continue;
    while (out.size() >= 2 && straight(out[out.size() - 2], out.back(), p)) out.pop_back();
    out.push_back(p);
  }
  // The seam between the last point and the first.
  bool changed = true;
  while (changed && out.size() > 1) {
    changed = false;
    if (same(out.back(), out.front())) {
      out.pop_back();
      changed = true;
    } else if (out.size() >= 3 && straight(out[out.size() - 2], out.back(), out.front())) {
      out.pop_back();
      changed = true;
    } else if (out.size() >= 3 && straight(out.back(), out[0], out[1])) {
      out.erase(out.begin());
      changed = true;
    }
  }
  v = std::move(out);
}

// Follows one border along the pixel edges, ink on the right (outer borders clockwise on the
// screen, holes the other way), from the unfollowed horizontal edge above pixel (x, y). Where
// two figures touch only at a corner the walk turns towards the ink on its right, so they stay
// apart. At each turn the figure gets the ink pixel whose middle is half a pixel in from both
// edges: the figure runs through the middles of the border pixels, and moving it half a pixel
// out puts every edge, inner corners and holes included, on the pixel edges. The figure is
// closed on its first point.
void FollowEdges(const InkRows& ink, int x, int y, bool inkBelow, std::vector<BYTE>& followed, size_t edgeStride,
                 TraceFigure& figure) {
  figure.clear();
  const int startX = inkBelow ? x : x + 1, startD = inkBelow ? 0 : 2;
  int px = startX, py = y, d = startD;
  std::vector<POINT> turns;
  int left = px, right = px, top = py, bottom = py, corners = 0;
  const long long cap = 4LL * (ink.width + 1) * (ink.height + 1);
  for (long long steps = 0; steps < cap; ++steps) {
    if (d == 0 || d == 2) {
      const int column = d == 0 ? px : px - 1;
      followed[static_cast<size_t>(py) * edgeStride + (column >> 3)] |= kBitMask[column & 7];
    }
    px += kEdgeX[d];
    py += kEdgeY[d];
    left = std::min(left, px), right = std::max(right, px), top = std::min(top, py), bottom = std::max(bottom, py);
    int next = d;
    for (const int turn : {1, 0, 3}) {
      if (HasEdge(ink, px, py, (d + turn) % 4)) {
        next = (d + turn) % 4;
        break;
      }
    }
    if (next != d) {
      // Right normals of both edges: one of them is across, the other along.
      const int sx = -kEdgeY[d] - kEdgeY[next], sy = kEdgeX[d] + kEdgeX[next];
      turns.push_back(POINT{px + (sx - 1) / 2, py + (sy - 1) / 2});
      ++corners;
    }
    d = next;
    if (px == startX && py == y && d == startD) break;
  }
  // A hole one pixel wide or high runs through its own pixels instead, from one end to the
  // other: round it the ink may be a single pixel thick, and a figure through the middles of
  // those pixels would be the same as the one round their outside.
  if (!inkBelow && corners == 4 && (right - left == 1 || bottom - top == 1)) {
    figure.push_back(POINT{left, top});
    figure.push_back(POINT{right - 1, bottom - 1});
    if (right - left > 1 || bottom - top > 1) figure.push_back(figure.front());
    return;
  }
  SimplifyRing(turns);
  if (turns.empty()) return;
  // Every figure starts at its top left corner.
  std::rotate(turns.begin(),
              std::min_element(turns.begin(), turns.end(),
                               [](POINT a, POINT b) { return a.y != b.y ? a.y < b.y : a.x < b.x; }),
              turns.end());
  figure = std::move(turns);
  figure.push_back(figure.front());
}

// The path with its extension replaced by ".hpg" (appended when the file name has none).
CString HpglPath(const CString& path) {
  const int slash = path.ReverseFind('/');
  const int dot = path.ReverseFind('.');
  if (dot > slash) return path.Left(dot) + ".hpg";
  return path + ".hpg";
}

}  // namespace

int CMonoImageTool::TraceBmp(const BYTE* block, size_t size, TracedOutline* outline) {
  if (outline) {
    outline->count = 0;
    outline->points.clear();
  }
  int height = 0, stride = 0;
  const BYTE* rows = ParseMonoBmp(block, size, nullptr, &height, nullptr, &stride, nullptr);
  if (!rows || !outline) return 0;
  const int width = MonoBmpFile::Width(block);
  // Top row first, so that y counts downward as the outline wants it.
  std::vector<BYTE> copy(static_cast<size_t>(height) * stride);
  for (int i = 0; i < height; ++i)
    std::memcpy(copy.data() + static_cast<size_t>(i) * stride, rows + static_cast<size_t>(height - 1 - i) * stride,
                static_cast<size_t>(stride));
  std::vector<TracePoint> points = TraceContours(copy.data(), width, height, stride);
  if (points.empty()) return 0;
  outline->count = static_cast<int>(points.size());
  outline->points = std::move(points);
  return 1;
}

int CMonoImageTool::ExportHpgl(const BYTE* block, size_t size, TracedOutline* outline, const CString& path) {
  m_bExportOpen = 0;
  m_exportText.clear();
  if (outline) {
    outline->count = 0;
    outline->points.clear();
  }
  const CString target = HpglPath(path);
  int height = 0, stride = 0;
  const BYTE* rows = ParseMonoBmp(block, size, nullptr, &height, nullptr, &stride, nullptr);
  if (!rows) return 0;
  const int width = MonoBmpFile::Width(block);
  std::vector<BYTE> copy(static_cast<size_t>(height) * stride);
  for (int i = 0; i < height; ++i)
    std::memcpy(copy.data() + static_cast<size_t>(i) * stride, rows + static_cast<size_t>(height - 1 - i) * stride,
                static_cast<size_t>(stride));
  m_bExportOpen = 1;
  std::vector<TracePoint> points = TraceContours(copy.data(), width, height, stride);
  m_bExportOpen = 0;
  const bool written = atomicfile::Write(fileio::ToFsPath(target), m_exportText.data(), m_exportText.size()) ==
                       atomicfile::Outcome::Written;
  m_exportText.clear();
  m_exportText.shrink_to_fit();
  if (!written) return -1;
  if (points.empty()) return 0;
  if (outline) {
    outline->count = static_cast<int>(points.size());
    outline->points = std::move(points);
  }
  return 1;
}

int CMonoImageTool::HollowFigures(BYTE* rows, int width, int height, int stride) {
  if (RowsRefused(rows, width, height, stride)) return 0;
  if (height < 3) return 1;
  const int bytes = (width + 7) / 8;
  // Only pixels with four neighbours inside the image can go: never the first or last column.
  std::vector<BYTE> inner(static_cast<size_t>(bytes));
  for (int b = 0; b < bytes; ++b) inner[b] = InsideMask(b, width - 1);
  inner[0] &= 0x7F;
  // The neighbours are judged on the rows as they were, so work from an untouched copy.
  std::vector<BYTE> orig(rows, rows + static_cast<size_t>(height) * stride);
  for (int r = 1; r < height - 1; ++r) {
    const BYTE* up = orig.data() + static_cast<size_t>(r - 1) * stride;
    const BYTE* cur = up + stride;
    const BYTE* down = cur + stride;
    BYTE* out = rows + static_cast<size_t>(r) * stride;
    for (int b = 0; b < bytes; ++b) {
      const BYTE c = static_cast<BYTE>(~cur[b]);  // ink as 1 bits
      if (!c) continue;
      const BYTE prev = b > 0 ? static_cast<BYTE>(~cur[b - 1]) : 0;
      const BYTE next = b + 1 < bytes ? static_cast<BYTE>(~cur[b + 1]) : 0;
      const BYTE left = static_cast<BYTE>((c >> 1) | ((prev & 1) << 7));
      const BYTE right = static_cast<BYTE>((c << 1) | (next >> 7));
      const BYTE interior = static_cast<BYTE>(c & ~up[b] & ~down[b] & left & right & inner[b]);
      out[b] = static_cast<BYTE>(cur[b] | interior);
    }
  }
  return 1;
}

std::vector<TracePoint> CMonoImageTool::TraceContours(const BYTE* rows, int width, int height, int stride) {
  std::vector<TracePoint> result;
  if (RowsRefused(rows, width, height, stride)) return result;
  const InkRows ink{rows, width, height, stride};
  // One bit per horizontal pixel edge already followed: rows 0 to height, one bit per column.
  const size_t edgeStride = static_cast<size_t>(width + 7) / 8;
  std::vector<BYTE> followed(edgeStride * static_cast<size_t>(height + 1));
  TraceFigure figure;
  for (int y = 0; y <= height; ++y) {
    for (int x = 0; x < width; ++x) {
      // Whole bytes without a border between this row of pixels and the one above are skipped.
      if ((x & 7) == 0 && x + 8 <= width && ink.Byte(x, y) == ink.Byte(x, y - 1)) {
        x += 7;
        continue;
      }
      const bool below = ink(x, y), above = ink(x, y - 1);
      if (below == above || (followed[static_cast<size_t>(y) * edgeStride + (x >> 3)] & kBitMask[x & 7])) continue;
      FollowEdges(ink, x, y, below, followed, edgeStride, figure);
      if (m_bExportOpen) WriteHpglFigure(figure);
      for (size_t i = 0; i < figure.size(); ++i)
        result.push_back(TracePoint{figure[i].x, figure[i].y, i == 0 ? TRACE_MOVETO : TRACE_LINETO});
    }
  }
  return result;
}

void CMonoImageTool::FollowBorder(BYTE* work, int width, int height, int stride, int startByte, int startRow,
                                  int startBit, TraceFigure& figure) {
  figure.clear();
  TracePos pos{startByte, startRow, startBit};
  int back = -1;
  // A border passes through a pixel at most four times; beyond that the walk is not a border.
  const long long cap = 4LL * width * height + 8;
  for (long long steps = 0;; ++steps) {
    figure.push_back(POINT{pos.byte * 8 + pos.bit, pos.row});
    const int d = NextDirection(NeighbourMask(work, width, height, stride, pos.byte, pos.row, pos.bit), back);
    if (d < 0) break;
    back = StepDirection(d, pos);
    if ((pos.byte == startByte && pos.row == startRow && pos.bit == startBit) || steps >= cap) {
      figure.push_back(POINT{startByte * 8 + startBit, startRow});
      break;
    }
  }
  for (const POINT& p : figure) work[static_cast<size_t>(p.y) * stride + (p.x >> 3)] |= kBitMask[p.x & 7];
}

BYTE CMonoImageTool::NeighbourMask(const BYTE* work, int width, int height, int stride, int byte, int row, int bit) {
  BYTE mask = 0xFF;
  const int x = byte * 8 + bit;
  for (int d = 0; d < 8; ++d) {
    const int nx = x + kDirX[d];
    const int ny = row + kDirY[d];
    if (nx < 0 || ny < 0 || nx >= width || ny >= height) continue;
    if (!(work[static_cast<size_t>(ny) * stride + (nx >> 3)] & kBitMask[nx & 7])) mask &= static_cast<BYTE>(~(0x80 >> d));
  }
  return mask;
}

int CMonoImageTool::NextDirection(BYTE mask, int back) {
  if (mask == 0xFF) return -1;
  const BYTE ink = static_cast<BYTE>(~mask);
  if ((ink & (ink - 1)) == 0) {
    for (int d = 0; d < 8; ++d)
      if (ink & (0x80 >> d)) return d;
  }
  int d = back < 0 ? 3 : (back + 1) % 8;
  for (int i = 0; i < 8; ++i, d = (d + 1) % 8)
    if (ink & (0x80 >> d)) return d;
  return -1;
}

int CMonoImageTool::StepDirection(int direction, TracePos& pos) {
  pos.row += kDirY[direction];
  pos.bit += kDirX[direction];
  if (pos.bit < 0) {
    pos.bit = 7;
    --pos.byte;
  } else if (pos.bit > 7) {
    pos.bit = 0;
    ++pos.byte;
  }
  return (direction + 4) % 8;
}

int CMonoImageTool::ReduceToCorners(TraceFigure& figure) {
  const size_t n = figure.size();
  if (n == 0) return 0;
  auto same = [](const POINT& a, const POINT& b) { return a.x == b.x && a.y == b.y; };
  TraceFigure out;
  out.push_back(figure[0]);
  POINT P = figure[0], L = figure[0], R = figure[0];
  bool F = false;
  int state = 4;
  auto keepP = [&] {
    if (!same(P, L)) {
      out.push_back(P);
      L = P;
    }
    R = P;  // the next run starts here
  };
  auto flush = [&] {
    if (F) {
      if (!same(R, L)) {
        out.push_back(R);
        L = R;
      }
      F = false;
    }
  };
  for (size_t i = 1; i <= n; ++i) {
    const POINT N = i == n ? figure[0] : figure[i];
    const bool diagonal = N.x != P.x && N.y != P.y;
    bool vertical;
    if (state == 0 || state == 1) vertical = N.x == P.x;
    else vertical = N.y != P.y;
    switch (state) {
      case 4:
        if (diagonal) {
          if (!same(P, L)) {
            out.push_back(P);
            L = P;
          }
        } else if (!vertical) {
          R = P;
          state = P.x < N.x ? 3 : 2;
        } else {
          R = P;
          state = P.y < N.y ? 1 : 0;
        }
        break;
      case 0:
      case 1:
        if (diagonal) {
          flush();
          keepP();
          state = 4;
        } else if (vertical) {
          const bool onward = state == 0 ? N.y <= P.y : N.y >= P.y;
          if (onward) {
            F = true;
          } else {
            flush();
            keepP();
            state = state == 0 ? 1 : 0;
          }
        } else {
          flush();
          keepP();
          state = P.x < N.x ? 3 : 2;
        }
        break;
      default:  // 2, 3
        if (diagonal) {
          flush();
          keepP();
          state = 4;
        } else if (!vertical) {
          const bool onward = state == 2 ? N.x <= P.x : N.x >= P.x;
          if (onward) {
            F = true;
          } else {
            flush();
            keepP();
            state = state == 2 ? 3 : 2;
          }
        } else {
          flush();
          keepP();
          state = P.y < N.y ? 1 : 0;
        }
        break;
    }
    P = N;
  }
  if (!same(P, out.back())) out.push_back(P);
  figure = std::move(out);
  return static_cast<int>(figure.size());
}

int CMonoImageTool::MergeStraightRuns(TraceFigure& figure) {
  const int n = static_cast<int>(figure.size());
  if (n == 0) return 0;
  if (n == 1) {
    figure.push_back(figure[0]);
    return 2;
  }
  TraceFigure out;
  out.push_back(figure[0]);
  int s = 0;
  for (int j = 2; j <= n - 1; ++j) {
    if (!IsNearChord(figure, s, j)) {
      out.push_back(figure[j - 1]);
      s = j - 1;
    }
  }
  out.push_back(figure[n - 1]);
  figure = std::move(out);
  return static_cast<int>(figure.size());
}

int CMonoImageTool::IsNearChord(const TraceFigure& figure, int first, int last) {
  if (first < 0 || last >= static_cast<int>(figure.size()) || last - first < 2) return 0;
  if (last - first == 2) {
    for (int k = first; k < last; ++k) {
      const long long dx = static_cast<long long>(figure[k + 1].x) - figure[k].x;
      const long long dy = static_cast<long long>(figure[k + 1].y) - figure[k].y;
      if ((dx == 0 && std::llabs(dy) > 1) || (std::llabs(dx) > 1 && dy == 0)) return 0;
    }
  }
  const POINT& s = figure[first];
  const POINT& e = figure[last];
  // A vertical chord has no finite slope: keep its ends.
  if (s.x == e.x) return 0;
  const double slope = static_cast<double>(e.y - s.y) / static_cast<double>(e.x - s.x);
  const long long cx = static_cast<long long>(e.x) - s.x;
  const long long cy = static_cast<long long>(e.y) - s.y;
  const long long length2 = cx * cx + cy * cy;
  for (int k = first + 1; k < last; ++k) {
    const POINT& p = figure[k];
    // Measured along y from the chord itself, and less than two pixels: rounding the line first
    // let corners up to four pixels off pass for near, and a chord two pixels off runs through
    // the centres of pixels that are ink.
    const double c = s.y + (p.x - s.x) * slope;
    if (p.y <= c - 2.0 || p.y >= c + 2.0) return 0;
    // The chord is a segment: a point beyond either end is not on it, or a stroke that turns
    // back would be folded onto itself.
    const long long along = (static_cast<long long>(p.x) - s.x) * cx + (static_cast<long long>(p.y) - s.y) * cy;
    if (along < 0 || along > length2) return 0;
  }
  return 1;
}

void CMonoImageTool::ThinTracePoints(std::vector<TracePoint>& points, int tolerance) {
  const size_t n = points.size();
  size_t kept = 0;
  TracePoint ref{};
  for (size_t i = 0; i < n; ++i) {
    const TracePoint p = points[i];
    bool keep = true;
    if (p.type != TRACE_MOVETO && i > 0 && !Far(p.x, p.y, ref.x, ref.y, tolerance)) {
      // The point before a move point closes its figure and always stays.
      const bool lastOfFigure = i + 1 == n || points[i + 1].type == TRACE_MOVETO;
      if (!lastOfFigure && Far(points[i + 1].x, points[i + 1].y, p.x, p.y, tolerance)) keep = false;
    }
    ref = p;
    if (keep) points[kept++] = p;
  }
  points.resize(kept);
}

void CMonoImageTool::WriteHpglFigure(const TraceFigure& figure) {
  if (!m_bExportOpen) return;
  for (size_t i = 0; i < figure.size(); ++i)
    m_exportText += numfmt::Format(i == 0 ? "PU%d,%d;\r\n" : "PD%d,%d;\r\n", static_cast<int>(figure[i].x),
                                   static_cast<int>(figure[i].y));
}
