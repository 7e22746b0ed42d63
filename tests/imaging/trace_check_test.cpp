// An independent check of the tracer on random images: the traced figures, filled with the
// even-odd rule, must give back the image's ink wherever a pixel is not within two pixels of a
// border between ink and background (the outside of the image counting as background).
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "image_helpers.h"
#include "imaging/monoimagetool.h"

namespace {

// Random blobs: filled boxes, ellipses, rings and thick slanted bars, some cut out again.
std::vector<BYTE> RandomImage(std::mt19937& rng) {
  auto uni = [&](int lo, int hi) { return lo + static_cast<int>(rng() % static_cast<unsigned>(hi - lo + 1)); };
  const int w = uni(8, 140), h = uni(1, 100);
  std::vector<BYTE> img = testimg::Blank(w, h);
  const int shapes = uni(1, 7);
  for (int s = 0; s < shapes; ++s) {
    const bool ink = s == 0 || uni(0, 3) != 0;
    const int kind = uni(0, 3);
    const double cx = uni(-5, w + 5), cy = uni(-5, h + 5);
    const double rx = uni(1, 40), ry = uni(1, 40);
    const double angle = uni(0, 179) * 3.14159265358979 / 180.0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const double dx = x - cx, dy = y - cy;
        bool in = false;
        switch (kind) {
          case 0: in = std::fabs(dx) <= rx && std::fabs(dy) <= ry; break;
          case 1: in = (dx * dx) / (rx * rx) + (dy * dy) / (ry * ry) <= 1.0; break;
          case 2: {
            const double q = (dx * dx) / (rx * rx) + (dy * dy) / (ry * ry);
            in = q <= 1.0 && q >= 0.35;
            break;
          }
          default: {
            const double u = dx * std::cos(angle) + dy * std::sin(angle);
            const double v = -dx * std::sin(angle) + dy * std::cos(angle);
            in = std::fabs(u) <= rx && std::fabs(v) <= 1.5 + ry / 8;
            break;
          }
        }
        if (in) testimg::SetBit(img, x, y, !ink);
      }
  }
  // Only pixels two or more from a border are judged: opening and closing with a 3 x 3 square
  // leaves no ink and no gap thinner than three pixels, so that many are; pinches are cut open.
  auto morph = [&](bool dilateInk) {
    std::vector<BYTE> src = img;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        bool any = false;
        for (int dy = -1; dy <= 1 && !any; ++dy)
          for (int dx = -1; dx <= 1 && !any; ++dx) {
            const int nx = x + dx, ny = y + dy;
            const bool ink = (nx < 0 || ny < 0 || nx >= w || ny >= h) ? !dilateInk : testimg::Ink(src, nx, ny);
            any = ink == dilateInk;
          }
        testimg::SetBit(img, x, y, any ? !dilateInk : dilateInk);
      }
  };
  auto cutPinches = [&] {
    bool cut = false;
    for (int y = 0; y + 1 < h; ++y)
      for (int x = 0; x + 1 < w; ++x) {
        const bool a = testimg::Ink(img, x, y), b = testimg::Ink(img, x + 1, y);
        const bool c = testimg::Ink(img, x, y + 1), d = testimg::Ink(img, x + 1, y + 1);
        if (a == d && b == c && a != b) {
          testimg::SetBit(img, x, y, true);
          testimg::SetBit(img, x + 1, y, true);
          testimg::SetBit(img, x, y + 1, true);
          testimg::SetBit(img, x + 1, y + 1, true);
          cut = true;
        }
      }
    return cut;
  };
  for (int round = 0; round < 6; ++round) {
    const std::vector<BYTE> before = img;
    morph(false);
    morph(true);
    morph(true);
    morph(false);
    if (!cutPinches() && img == before) return img;
  }
  return {};  // did not settle: the caller draws another
}

// Even-odd test of the point (px, py) against every figure, each closed on its first point.
bool InsideEvenOdd(const std::vector<TracePoint>& pts, double px, double py) {
  bool inside = false;
  size_t start = 0;
  while (start < pts.size()) {
    size_t end = start + 1;
    while (end < pts.size() && pts[end].type != TRACE_MOVETO) ++end;
    for (size_t i = start; i < end; ++i) {
      const TracePoint& a = pts[i];
      const TracePoint& b = pts[i + 1 < end ? i + 1 : start];
      if ((a.y > py) != (b.y > py)) {
        const double xc = a.x + (py - a.y) * (b.x - a.x) / static_cast<double>(b.y - a.y);
        if (px < xc) inside = !inside;
      }
    }
    start = end;
  }
  return inside;
}

TEST(TraceIndependentCheck, TwoHundredRandomImages) {
  std::mt19937 rng(8102);
  CMonoImageTool tool;
  int traced = 0, judged = 0;
  for (int n = 0; n < 200; ++n) {
    std::vector<BYTE> img;
    while (img.empty()) img = RandomImage(rng);
    const int w = MonoBmpFile::Width(img.data()), h = MonoBmpFile::Height(img.data());
    TracedOutline out;
    const int ok = tool.TraceBmp(img.data(), img.size(), &out);
    const int inkCount = testimg::CountInk(img);
    ASSERT_EQ(ok != 0, inkCount > 0) << "image " << n;
    if (!ok) continue;
    ++traced;
    ASSERT_EQ(out.count, static_cast<int>(out.points.size()));
    ASSERT_EQ(out.points[0].type, TRACE_MOVETO);
    // Every vertex is an ink pixel; every figure ends on its start point.
    size_t figureStart = 0;
    for (size_t i = 0; i < out.points.size(); ++i) {
      const TracePoint& p = out.points[i];
      ASSERT_TRUE(p.x >= 0 && p.x < w && p.y >= 0 && p.y < h) << "image " << n;
      ASSERT_TRUE(testimg::Ink(img, p.x, p.y)) << "image " << n << " vertex " << p.x << "," << p.y;
      ASSERT_TRUE(p.type == TRACE_MOVETO || p.type == TRACE_LINETO);
      if (p.type == TRACE_MOVETO) figureStart = i;
      const bool last = i + 1 == out.points.size() || out.points[i + 1].type == TRACE_MOVETO;
      if (last) {
        ASSERT_GT(i, figureStart) << "image " << n << ": a figure of one point";
        ASSERT_EQ(p.x, out.points[figureStart].x) << "image " << n;
        ASSERT_EQ(p.y, out.points[figureStart].y) << "image " << n;
      }
    }
    // Filling the figures gives back the ink away from the borders.
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const bool ink = testimg::Ink(img, x, y);
        bool nearBorder = false;
        for (int dy = -2; dy <= 2 && !nearBorder; ++dy)
          for (int dx = -2; dx <= 2 && !nearBorder; ++dx) {
            const int nx = x + dx, ny = y + dy;
            // Outside the image is background: ink along the image's edge has its border there.
            const bool other = (nx < 0 || ny < 0 || nx >= w || ny >= h) ? false : testimg::Ink(img, nx, ny);
            nearBorder = other != ink;
          }
        if (nearBorder) continue;
        ++judged;
        ASSERT_EQ(InsideEvenOdd(out.points, x, y), ink) << "image " << n << " pixel " << x << "," << y;
      }
  }
  EXPECT_GT(traced, 150);
  EXPECT_GT(judged, 100000);
}

}  // namespace
