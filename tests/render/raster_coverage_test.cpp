// Filled bands and work-area frames rendered into the engraving bitmap at 40 dots per millimetre
// must cover the shape's analytic area: every pixel whose whole one-dot neighbourhood lies inside
// the band is ink, every pixel whose neighbourhood lies outside is paper.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "model/drawobject.h"
#include "render_fixture.h"

using render_test::FakeDocument;
using render_test::Page;

namespace {

constexpr double kDot = 1.0 / 40;  // mm
constexpr int kPage = 2400;        // a 60 x 60 mm page at 40 dots per mm

struct P {
  double x, y;
};
using Poly = std::vector<P>;
using Inside = std::function<bool(double, double)>;

bool InConvex(const Poly& poly, double x, double y) {
  int sign = 0;
  for (size_t i = 0; i < poly.size(); ++i) {
    const P& a = poly[i];
    const P& b = poly[(i + 1) % poly.size()];
    const double c = (b.x - a.x) * (y - a.y) - (b.y - a.y) * (x - a.x);
    const int s = c > 0 ? 1 : (c < 0 ? -1 : 0);
    if (s == 0) continue;
    if (sign == 0) sign = s;
    if (s != sign) return false;
  }
  return true;
}

// Each edge of a convex polygon moved inward by d, the corners re-intersected.
Poly OffsetConvex(const Poly& poly, double d) {
  const size_t n = poly.size();
  double area = 0;
  for (size_t i = 0; i < n; ++i) area += poly[i].x * poly[(i + 1) % n].y - poly[(i + 1) % n].x * poly[i].y;
  const double orient = area > 0 ? 1 : -1;
  struct Line {
    P p, dir;
  };
  std::vector<Line> lines;
  for (size_t i = 0; i < n; ++i) {
    const P a = poly[i], b = poly[(i + 1) % n];
    const double len = std::hypot(b.x - a.x, b.y - a.y);
    const P dir{(b.x - a.x) / len, (b.y - a.y) / len};
    const P normal{-dir.y * orient, dir.x * orient};  // points inside
    lines.push_back({{a.x + normal.x * d, a.y + normal.y * d}, dir});
  }
  Poly out;
  for (size_t i = 0; i < n; ++i) {
    const Line& l1 = lines[(i + n - 1) % n];
    const Line& l2 = lines[i];
    const double den = l1.dir.x * l2.dir.y - l1.dir.y * l2.dir.x;
    const double t = ((l2.p.x - l1.p.x) * l2.dir.y - (l2.p.y - l1.p.y) * l2.dir.x) / den;
    out.push_back({l1.p.x + l1.dir.x * t, l1.p.y + l1.dir.y * t});
  }
  return out;
}

bool InRect(double x, double y, double cx, double cy, double w, double h) {
  return std::fabs(x - cx) <= w / 2 && std::fabs(y - cy) <= h / 2;
}

bool InRoundRect(double x, double y, double cx, double cy, double w, double h, double rad) {
  if (!InRect(x, y, cx, cy, w, h)) return false;
  const double dx = std::fabs(x - cx) - (w / 2 - rad);
  const double dy = std::fabs(y - cy) - (h / 2 - rad);
  if (dx <= 0 || dy <= 0) return true;
  return dx * dx + dy * dy <= rad * rad;
}

bool InEllipse(double x, double y, double cx, double cy, double a, double b) {
  const double u = (x - cx) / a, v = (y - cy) / b;
  return u * u + v * v <= 1;
}

class Raster : public ::testing::Test {
 protected:
  void SetUp() override {
    doc.drawX = doc.drawY = 6000;
    r.Init(page.dc(), &doc);
    r.SetMode(RENDER_ENGRAVE);
  }

  CDoubleRect Copy(double w, double h, double cx = 0, double cy = 0) {
    CDoubleRect rc;
    r.MmRectToLogical(w, h, cx, cy, &rc);
    return rc;
  }

  // Pixels inside the mm box that disagree with the analytic shape by more than one dot.
  int Misplaced(const Inside& inside, double x0, double y0, double x1, double y1) {
    const int px0 = std::max(0, static_cast<int>((x0 + 30) * 40) - 3);
    const int px1 = std::min(kPage - 1, static_cast<int>((x1 + 30) * 40) + 3);
    const int py0 = std::max(0, static_cast<int>((30 - y1) * 40) - 3);
    const int py1 = std::min(kPage - 1, static_cast<int>((30 - y0) * 40) + 3);
    int bad = 0;
    for (int py = py0; py <= py1; ++py) {
      for (int px = px0; px <= px1; ++px) {
        const double x = (px + 0.5) * kDot - 30, y = 30 - (py + 0.5) * kDot;
        const bool in = inside(x, y);
        bool decided = true;
        for (int k = 0; k < 8 && decided; ++k) {
          const double a = k * M_PI / 4;
          if (inside(x + kDot * std::cos(a), y + kDot * std::sin(a)) != in) decided = false;
        }
        if (decided && page.IsInk(px, py) != in) ++bad;
      }
    }
    return bad;
  }

  bool InkAtMm(double x, double y) {
    return page.IsInk(static_cast<int>((x + 30) * 40), static_cast<int>((30 - y) * 40));
  }

  FakeDocument doc;
  Page page{kPage, kPage};
  CObjectRenderer r;
};

TEST_F(Raster, FilledRectangleBandsWithEveryCornerStyle) {
  CRectangleObject obj;
  InitNewObject(obj, TYPE_RECTANGLE);
  obj.m_dEdgeSize = 2;
  obj.m_dEdgeRadius = 4;
  const double w = 20, h = 12;
  struct Case {
    int style;
    double cx, cy;
  };
  CPen pen(PS_SOLID, 3, RGB(1, 2, 3));
  CPen* oldPen = page.dc()->SelectObject(&pen);
  CBrush* brush = page.dc()->GetCurrentBrush();
  page.dc()->SetPolyFillMode(WINDING);
  for (const Case c : {Case{0, -14, 14}, Case{1, 14, 14}, Case{2, 0, -12}}) {
    obj.m_nOuterCornerStyle = c.style;
    obj.m_nInnerCornerStyle = c.style;
    const CDoubleRect rc = Copy(w, h, c.cx, c.cy);
    r.DrawRectangle(page.dc(), rc.left, rc.top, rc.right, rc.bottom, &obj, 0, TRUE, nullptr, FALSE);
    Inside inside;
    const double f = 2, rad = 4;
    if (c.style == 0) {
      inside = [&](double x, double y) { return InRect(x, y, c.cx, c.cy, w, h) && !InRect(x, y, c.cx, c.cy, w - 2 * f, h - 2 * f); };
    } else if (c.style == 1) {
      inside = [&](double x, double y) {
        return InRoundRect(x, y, c.cx, c.cy, w, h, rad) && !InRoundRect(x, y, c.cx, c.cy, w - 2 * f, h - 2 * f, rad - f);
      };
    } else {
      auto cut = [&](double hw, double hh, double k) {
        return Poly{{c.cx - hw, c.cy + hh - k}, {c.cx - hw, c.cy - hh + k}, {c.cx - hw + k, c.cy - hh},
                    {c.cx + hw - k, c.cy - hh}, {c.cx + hw, c.cy - hh + k}, {c.cx + hw, c.cy + hh - k},
                    {c.cx + hw - k, c.cy + hh}, {c.cx - hw + k, c.cy + hh}};
      };
      const Poly outer = cut(w / 2, h / 2, rad), inner = cut(w / 2 - f, h / 2 - f, rad - f);
      inside = [=](double x, double y) { return InConvex(outer, x, y) && !InConvex(inner, x, y); };
    }
    EXPECT_EQ(Misplaced(inside, c.cx - w / 2, c.cy - h / 2, c.cx + w / 2, c.cy + h / 2), 0) << "style " << c.style;
  }
  // The device context is left as it was.
  EXPECT_EQ(page.dc()->GetPolyFillMode(), WINDING);
  EXPECT_EQ(page.dc()->GetCurrentPen(), &pen);
  EXPECT_EQ(page.dc()->GetCurrentBrush(), brush);
  EXPECT_EQ(page.dc()->GetPath(nullptr, nullptr, 0), -1);
  page.dc()->SelectObject(oldPen);
}

TEST_F(Raster, FilledEllipseTriangleRhombusPolygonAndLine) {
  CCircleObject circle;
  InitNewObject(circle, TYPE_CIRCLE);
  circle.m_dEdgeSize = 2;
  CDoubleRect rc = Copy(30, 16, -12, 18);
  r.DrawCircle(page.dc(), rc.left, rc.top, rc.right, rc.bottom, &circle, 0, TRUE, nullptr, FALSE);
  EXPECT_EQ(Misplaced([](double x, double y) { return InEllipse(x, y, -12, 18, 15, 8) && !InEllipse(x, y, -12, 18, 13, 6); },
                      -27, 10, 3, 26),
            0);

  CTriangleObject tri;
  InitNewObject(tri, TYPE_TRIANGLE);
  tri.m_dEdgeSize = 1.5;
  for (int inverted : {0, 1}) {
    const double cx = 16, cy = inverted ? 0 : 18;
    tri.m_nDirection = inverted;
    rc = Copy(20, 16, cx, cy);
    r.DrawTriangle(page.dc(), rc.left, rc.top, rc.right, rc.bottom, &tri, 0, TRUE, nullptr, FALSE);
    const Poly outer = inverted ? Poly{{cx - 10, cy + 8}, {cx, cy - 8}, {cx + 10, cy + 8}}
                                : Poly{{cx - 10, cy - 8}, {cx, cy + 8}, {cx + 10, cy - 8}};
    const Poly inner = OffsetConvex(outer, 1.5);
    EXPECT_EQ(Misplaced([&](double x, double y) { return InConvex(outer, x, y) && !InConvex(inner, x, y); },
                        cx - 10, cy - 8, cx + 10, cy + 8),
              0)
        << "inverted " << inverted;
  }

  CRhombicObject rh;
  InitNewObject(rh, TYPE_RHOMBIC);
  rh.m_dEdgeSize = 1.5;
  rc = Copy(20, 20, -16, -4);
  r.DrawRhombic(page.dc(), rc.left, rc.top, rc.right, rc.bottom, &rh, 0, TRUE, nullptr, FALSE);
  const Poly rOuter{{-16, 6}, {-26, -4}, {-16, -14}, {-6, -4}};
  const Poly rInner = OffsetConvex(rOuter, 1.5);
  EXPECT_EQ(Misplaced([&](double x, double y) { return InConvex(rOuter, x, y) && !InConvex(rInner, x, y); }, -26, -14, -6, 6), 0);

  CPolygonObject pg;
  InitNewObject(pg, TYPE_POLYGON);
  pg.m_nEdges = 7;
  pg.m_dEdgeSize = 2;
  rc = Copy(20, 20, 16, -19.5);
  r.DrawPolygon(page.dc(), rc.left, rc.top, rc.right, rc.bottom, &pg, 0, TRUE, nullptr, FALSE);
  Poly pOuter, pInner;
  for (int i = 0; i < 7; ++i) {
    const double a = (-90 + i * 360.0 / 7) * M_PI / 180;
    pOuter.push_back({16 + 10 * std::cos(a), -19.5 + 10 * std::sin(a)});
    pInner.push_back({16 + 8 * std::cos(a), -19.5 + 8 * std::sin(a)});
  }
  EXPECT_EQ(Misplaced([&](double x, double y) { return InConvex(pOuter, x, y) && !InConvex(pInner, x, y); }, 6, -29.5, 26, -9.5), 0);

  rc = Copy(20, 1.5, -12, -22);
  r.DrawLine(page.dc(), rc.left, rc.top, rc.right, rc.bottom, 30, 0, TRUE, nullptr);
  Poly line;
  for (const P& p : {P{-10, 0.75}, P{-10, -0.75}, P{10, -0.75}, P{10, 0.75}}) {
    const double a = -30 * M_PI / 180;
    line.push_back({-12 + p.x * std::cos(a) - p.y * std::sin(a), -22 + p.x * std::sin(a) + p.y * std::cos(a)});
  }
  EXPECT_EQ(Misplaced([&](double x, double y) { return InConvex(line, x, y); }, -22, -28, -2, -16), 0);
}

TEST_F(Raster, BandWiderThanHalfTheShapeFillsItWhole) {
  CRectangleObject obj;
  InitNewObject(obj, TYPE_RECTANGLE);
  obj.m_dEdgeSize = 7;
  CDoubleRect rc = Copy(10, 10, -15, 15);
  r.DrawRectangle(page.dc(), rc.left, rc.top, rc.right, rc.bottom, &obj, 0, TRUE, nullptr, FALSE);
  EXPECT_EQ(Misplaced([](double x, double y) { return InRect(x, y, -15, 15, 10, 10); }, -20, 10, -10, 20), 0);

  CPolygonObject pg;
  InitNewObject(pg, TYPE_POLYGON);
  pg.m_nEdges = 5;
  pg.m_dEdgeSize = 15;
  rc = Copy(10, 10, 15, 15);
  r.DrawPolygon(page.dc(), rc.left, rc.top, rc.right, rc.bottom, &pg, 0, TRUE, nullptr, FALSE);
  EXPECT_TRUE(InkAtMm(15, 15));

  // With no frame at all the band is empty.
  obj.m_dEdgeSize = 0;
  rc = Copy(10, 10, 0, -15);
  r.DrawRectangle(page.dc(), rc.left, rc.top, rc.right, rc.bottom, &obj, 0, TRUE, nullptr, FALSE);
  EXPECT_EQ(Misplaced([](double, double) { return false; }, -6, -21, 6, -9), 0);
}

TEST_F(Raster, OutlineModeStrokesBothBoundaries) {
  CRectangleObject obj;
  InitNewObject(obj, TYPE_RECTANGLE);
  obj.m_dEdgeSize = 2;
  const CDoubleRect rc = Copy(20, 20);
  r.DrawRectangle(page.dc(), rc.left, rc.top, rc.right, rc.bottom, &obj, 0, FALSE, nullptr, FALSE);
  // A row through the centre crosses the outer edge, the inner edge, and both again.
  int runs = 0;
  bool previous = false;
  for (int x = 0; x < kPage; ++x) {
    const bool ink = page.IsInk(x, kPage / 2);
    if (ink && !previous) ++runs;
    previous = ink;
  }
  EXPECT_EQ(runs, 4);
  EXPECT_FALSE(InkAtMm(-9, 0));  // inside the band, not on an edge
  EXPECT_FALSE(InkAtMm(0, 0));
}

// ---- Work-area frame bands ----------------------------------------------------------------------

TEST_F(Raster, RectangleFrameOfOneMillimetreIsFortyDotsWide) {
  const CDoubleRect rc = Copy(40, 30);
  r.FillRectFrame(page.dc(), rc, 1, 0, FALSE);
  const int row = kPage / 2;
  int first = -1, run = 0;
  for (int x = 0; x < kPage; ++x) {
    if (page.IsInk(x, row)) {
      if (first < 0) first = x;
      ++run;
    } else if (first >= 0) {
      break;
    }
  }
  EXPECT_EQ(first, kPage / 2 - 800);
  EXPECT_EQ(run, 40);
  EXPECT_EQ(Misplaced([](double x, double y) { return InRect(x, y, 0, 0, 40, 30) && !InRect(x, y, 0, 0, 38, 28); }, -20, -15, 20, 15), 0);
}

TEST_F(Raster, FrameWidthZeroFillsNothing) {
  const CDoubleRect rc = Copy(40, 30);
  r.FillRectFrame(page.dc(), rc, 0, 0, FALSE);
  r.FillEllipseFrame(page.dc(), rc, 0);
  r.FillTriangleFrame(page.dc(), rc, 0, FALSE);
  r.FillRhombicFrame(page.dc(), rc, 0);
  EXPECT_EQ(Misplaced([](double, double) { return false; }, -21, -16, 21, 16), 0);
}

TEST_F(Raster, RoundedFrameNarrowerThanItsWidthGetsSquareInnerCorners) {
  const CDoubleRect rc = Copy(40, 30);
  r.FillRectFrame(page.dc(), rc, 2, 1, TRUE);
  // Just inside the inner corner: paper with square inner corners.
  EXPECT_FALSE(InkAtMm(-18 + 0.1, 13 - 0.1));
  EXPECT_TRUE(InkAtMm(-18 - 0.1, 13 + 0.1));

  Page other(kPage, kPage);
  r.FillRectFrame(other.dc(), rc, 1, 4, TRUE);
  // An inner radius of 3 mm keeps the inner corner round: the same spot is ink there.
  EXPECT_TRUE(other.IsInk(static_cast<int>((-19 + 0.2 + 30) * 40), static_cast<int>((30 - 14 + 0.2) * 40)));
  EXPECT_EQ(Misplaced([](double x, double y) { return InRoundRect(x, y, 0, 0, 40, 30, 1) && !InRect(x, y, 0, 0, 36, 26); },
                      -20, -15, 20, 15),
            0);
}

TEST_F(Raster, EllipseTriangleAndRhombusFrames) {
  CDoubleRect rc = Copy(30, 20, -13, 16);
  r.FillEllipseFrame(page.dc(), rc, 1.5);
  EXPECT_EQ(Misplaced([](double x, double y) { return InEllipse(x, y, -13, 16, 15, 10) && !InEllipse(x, y, -13, 16, 13.5, 8.5); },
                      -28, 6, 2, 26),
            0);

  // Apex down: the base runs along the top edge of the work area.
  rc = Copy(24, 18, 15, 16);
  r.FillTriangleFrame(page.dc(), rc, 1, TRUE);
  const Poly down{{3, 25}, {15, 7}, {27, 25}};
  const Poly downInner = OffsetConvex(down, 1);
  EXPECT_EQ(Misplaced([&](double x, double y) { return InConvex(down, x, y) && !InConvex(downInner, x, y); }, 3, 7, 27, 25), 0);
  EXPECT_TRUE(InkAtMm(15, 25 - 0.5));
  EXPECT_FALSE(InkAtMm(15, 7 - 0.5));

  rc = Copy(20, 20, 0, -16);
  r.FillRhombicFrame(page.dc(), rc, 1);
  const Poly rh{{0, -6}, {-10, -16}, {0, -26}, {10, -16}};
  const Poly rhInner = OffsetConvex(rh, 1);
  EXPECT_EQ(Misplaced([&](double x, double y) { return InConvex(rh, x, y) && !InConvex(rhInner, x, y); }, -10, -26, 10, -6), 0);

  // A frame wider than half the work area fills the whole shape.
  Page solid(kPage, kPage);
  rc = Copy(20, 10);
  r.FillEllipseFrame(solid.dc(), rc, 8);
  EXPECT_TRUE(solid.IsInk(kPage / 2, kPage / 2));
}

}  // namespace
