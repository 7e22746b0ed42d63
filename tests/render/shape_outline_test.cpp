// Shape outlines: the figures captured for outline output (in machine units, in the order the
// machine will follow them), the boundary points recorded for hit tests, and the outline
// geometry of cut corners, triangles, rhombuses and regular polygons.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "model/drawobject.h"
#include "render_fixture.h"

using render_test::Capture;
using render_test::FakeDocument;
using render_test::Figure;
using render_test::Page;

namespace {

struct Pt {
  int x, y;
  bool operator==(const Pt&) const = default;
};

std::vector<Pt> Points(const Figure& f) {
  std::vector<Pt> v;
  for (const POINT& p : f.points) v.push_back({p.x, p.y});
  return v;
}

std::vector<int> Types(const Figure& f) { return std::vector<int>(f.types.begin(), f.types.end()); }

void PrintTo(const Pt& p, std::ostream* os) { *os << "(" << p.x << "," << p.y << ")"; }

class ShapeOutline : public ::testing::Test {
 protected:
  void SetUp() override { r.Init(page.dc(), &doc); }

  CDoubleRect Copy(double w, double h, double cx = 0, double cy = 0) {
    CDoubleRect rc;
    r.MmRectToLogical(w, h, cx, cy, &rc);
    return rc;
  }

  FakeDocument doc;
  Page page{16, 16};
  CObjectRenderer r;
};

TEST_F(ShapeOutline, SquareWithoutFrameIsOneClosedRectangleFigure) {
  CRectangleObject obj;
  InitNewObject(obj, TYPE_RECTANGLE);
  obj.m_dEdgeSize = 0;
  const CDoubleRect rc = Copy(10, 10);
  const Figure f = Capture(r, page.dc(), [&] { r.GetRectanglePoints(page.dc(), rc.left, rc.top, rc.right, rc.bottom, &obj); });
  EXPECT_EQ(Points(f), (std::vector<Pt>{{200, 200}, {-200, 200}, {-200, -200}, {200, -200}}));
  EXPECT_EQ(Types(f), (std::vector<int>{6, 2, 2, 3}));
  EXPECT_EQ(obj.m_nCapturedCount, 1);
}

TEST_F(ShapeOutline, FramedSquareAddsTheInnerFigure) {
  CRectangleObject obj;
  InitNewObject(obj, TYPE_RECTANGLE);
  obj.m_dEdgeSize = 1;
  const CDoubleRect rc = Copy(10, 10);
  const Figure f = Capture(r, page.dc(), [&] { r.GetRectanglePoints(page.dc(), rc.left, rc.top, rc.right, rc.bottom, &obj); });
  EXPECT_EQ(Points(f), (std::vector<Pt>{{200, 200}, {-200, 200}, {-200, -200}, {200, -200},
                                        {160, 160}, {-160, 160}, {-160, -160}, {160, -160}}));
  EXPECT_EQ(Types(f), (std::vector<int>{6, 2, 2, 3, 6, 2, 2, 3}));

  // A frame wider than half the square leaves no inner figure.
  obj.m_dEdgeSize = 6;
  const Figure wide = Capture(r, page.dc(), [&] { r.GetRectanglePoints(page.dc(), rc.left, rc.top, rc.right, rc.bottom, &obj); });
  EXPECT_EQ(Points(wide), (std::vector<Pt>{{200, 200}, {-200, 200}, {-200, -200}, {200, -200}}));
}

TEST_F(ShapeOutline, CutCornerRectangleFollowsItsNinePoints) {
  CRectangleObject obj;
  InitNewObject(obj, TYPE_RECTANGLE);
  obj.m_dEdgeSize = 0;
  obj.m_dEdgeRadius = 2;
  obj.m_nOuterCornerStyle = 2;
  const CDoubleRect rc = Copy(20, 10);
  const Figure f = Capture(r, page.dc(), [&] { r.GetRectanglePoints(page.dc(), rc.left, rc.top, rc.right, rc.bottom, &obj); });
  EXPECT_EQ(Points(f), (std::vector<Pt>{{-400, 120}, {-400, -120}, {-320, -200}, {320, -200}, {400, -120},
                                        {400, 120}, {320, 200}, {-320, 200}, {-400, 120}}));
  EXPECT_EQ(f.types.front(), 6);
  EXPECT_EQ(f.types.back(), 2);  // an open polyline that returns to its start
}

TEST_F(ShapeOutline, LineIsAnOpenFigureOfFivePoints) {
  const CDoubleRect rc = Copy(10, 1);
  const Figure f = Capture(r, page.dc(), [&] { r.GetLinePoints(page.dc(), rc.left, rc.top, rc.right, rc.bottom, 0); });
  EXPECT_EQ(Points(f), (std::vector<Pt>{{-200, 20}, {-200, -20}, {200, -20}, {200, 20}, {-200, 20}}));
  EXPECT_EQ(Types(f), (std::vector<int>{6, 2, 2, 2, 2}));
}

TEST_F(ShapeOutline, LineAngleTurnsClockwise) {
  const CDoubleRect rc = Copy(10, 1);
  // 90 degrees: standing upright.
  CDoubleRect b;
  r.DrawLine(page.dc(), rc.left, rc.top, rc.right, rc.bottom, 90, 0, FALSE, &b);
  EXPECT_NEAR(b.Width(), 100, 1.01);
  EXPECT_NEAR(b.top - b.bottom, 1000, 1.01);
  EXPECT_NEAR((b.left + b.right) / 2, 21000, 1);

  // 30 degrees: the right end goes down, the left end up.
  const Figure f = Capture(r, page.dc(), [&] { r.GetLinePoints(page.dc(), rc.left, rc.top, rc.right, rc.bottom, 30); });
  ASSERT_EQ(f.points.size(), 5u);
  const POINT rightTop = f.points[3], leftTop = f.points[0];
  EXPECT_NEAR(rightTop.x, (5 * std::cos(M_PI / 6) + 0.5 * std::sin(M_PI / 6)) * 40, 1);
  EXPECT_NEAR(rightTop.y, (-5 * std::sin(M_PI / 6) + 0.5 * std::cos(M_PI / 6)) * 40, 1);
  EXPECT_GT(leftTop.y, 0);
}

TEST_F(ShapeOutline, TriangleWithoutFrameReturnsToItsFirstVertex) {
  CTriangleObject obj;
  InitNewObject(obj, TYPE_TRIANGLE);
  obj.m_dEdgeSize = 0;
  const CDoubleRect rc = Copy(20, 20);
  const Figure f = Capture(r, page.dc(), [&] { r.GetTrianglePoints(page.dc(), rc.left, rc.top, rc.right, rc.bottom, &obj); });
  EXPECT_EQ(Points(f), (std::vector<Pt>{{-400, -400}, {0, 400}, {400, -400}, {-400, -400}}));
  EXPECT_EQ(Types(f), (std::vector<int>{6, 2, 2, 2}));
}

TEST_F(ShapeOutline, FramedTriangleInsetsEveryEdgeByTheFrame) {
  CTriangleObject obj;
  InitNewObject(obj, TYPE_TRIANGLE);
  obj.m_dEdgeSize = 1;
  const CDoubleRect rc = Copy(20, 20);
  const Figure f = Capture(r, page.dc(), [&] { r.GetTrianglePoints(page.dc(), rc.left, rc.top, rc.right, rc.bottom, &obj); });
  // Offsetting each edge by 1 mm: the apex drops by 1 / sin(half apex angle), the base
  // corners move in by 1 / tan(half base angle).
  const double apex = 10 - 1 / std::sin(std::atan(0.5));
  const double corner = -10 + 1 / std::tan(std::atan(2.0) / 2);
  EXPECT_EQ(Types(f), (std::vector<int>{6, 2, 3, 6, 2, 3}));
  ASSERT_EQ(f.points.size(), 6u);
  EXPECT_NEAR(f.points[3].x, corner * 40, 1);
  EXPECT_EQ(f.points[3].y, -360);
  EXPECT_NEAR(f.points[4].y, apex * 40, 1);
  EXPECT_NEAR(f.points[5].x, -corner * 40, 1);

  // A frame that would cross the inner corners over leaves the outer figure alone.
  obj.m_dEdgeSize = 8;
  const Figure wide = Capture(r, page.dc(), [&] { r.GetTrianglePoints(page.dc(), rc.left, rc.top, rc.right, rc.bottom, &obj); });
  EXPECT_EQ(Points(wide), (std::vector<Pt>{{-400, -400}, {0, 400}, {400, -400}}));
  EXPECT_EQ(Types(wide), (std::vector<int>{6, 2, 3}));
}

TEST_F(ShapeOutline, RhombusAndPolygonFiguresAndOversizedFrames) {
  CRhombicObject rh;
  InitNewObject(rh, TYPE_RHOMBIC);
  rh.m_dEdgeSize = 0;
  const CDoubleRect rc = Copy(20, 10);
  Figure f = Capture(r, page.dc(), [&] { r.GetRhombicPoints(page.dc(), rc.left, rc.top, rc.right, rc.bottom, &rh); });
  EXPECT_EQ(Points(f), (std::vector<Pt>{{0, 200}, {-400, 0}, {0, -200}, {400, 0}, {0, 200}}));
  rh.m_dEdgeSize = 6;  // the inner corners would pass the centre
  f = Capture(r, page.dc(), [&] { r.GetRhombicPoints(page.dc(), rc.left, rc.top, rc.right, rc.bottom, &rh); });
  EXPECT_EQ(Types(f), (std::vector<int>{6, 2, 2, 3}));

  CPolygonObject pg;
  InitNewObject(pg, TYPE_POLYGON);
  pg.m_nEdges = 6;
  pg.m_dEdgeSize = 1;
  const CDoubleRect sq = Copy(20, 20);
  f = Capture(r, page.dc(), [&] { r.GetPolygonPoints(page.dc(), sq.left, sq.top, sq.right, sq.bottom, &pg); });
  EXPECT_EQ(f.points.size(), 12u);
  EXPECT_NEAR(std::hypot(f.points[6].x, f.points[6].y), 360, 1.5);  // inner radius 9 mm
  pg.m_dEdgeSize = 12;
  f = Capture(r, page.dc(), [&] { r.GetPolygonPoints(page.dc(), sq.left, sq.top, sq.right, sq.bottom, &pg); });
  EXPECT_EQ(f.points.size(), 6u);
  pg.m_nEdges = 2;
  f = Capture(r, page.dc(), [&] { r.GetPolygonPoints(page.dc(), sq.left, sq.top, sq.right, sq.bottom, &pg); });
  EXPECT_TRUE(f.points.empty());
}

TEST_F(ShapeOutline, CircleCaptureIsTheEllipseAndItsInnerRing) {
  CCircleObject obj;
  InitNewObject(obj, TYPE_CIRCLE);
  obj.m_dEdgeSize = 1;
  const CDoubleRect rc = Copy(10, 10);
  const Figure f = Capture(r, page.dc(), [&] { r.GetCirclePoints(page.dc(), rc.left, rc.top, rc.right, rc.bottom, &obj); });
  int moves = 0;
  double outer = 0, inner = 1e9;
  for (size_t i = 0; i < f.points.size(); ++i) {
    if (f.types[i] == 6) ++moves;
    const double d = std::hypot(f.points[i].x, f.points[i].y);
    if (moves == 1) outer = std::max(outer, d);
    if (moves == 2) inner = std::min(inner, d);
  }
  EXPECT_EQ(moves, 2);
  EXPECT_NEAR(outer, 200, 2);
  EXPECT_NEAR(inner, 160, 2);
  EXPECT_EQ(f.types.back() & 1, 1);
}

// ---- Geometry ---------------------------------------------------------------------------------

TEST(ShapeGeometry, CutCornersAreClampedToHalfTheSide) {
  POINT p[9];
  CObjectRenderer::GetCutCornerPoints(0, 100, 200, 0, 10, 20, p);
  const std::vector<Pt> expected{{0, 80}, {0, 20}, {10, 0}, {190, 0}, {200, 20}, {200, 80}, {190, 100}, {10, 100}, {0, 80}};
  for (int i = 0; i < 9; ++i) EXPECT_EQ((Pt{p[i].x, p[i].y}), expected[i]) << i;

  CObjectRenderer::GetCutCornerPoints(0, 100, 200, 0, 150, 70, p);
  EXPECT_EQ((Pt{p[0].x, p[0].y}), (Pt{0, 50}));
  EXPECT_EQ((Pt{p[2].x, p[2].y}), (Pt{100, 0}));
  EXPECT_EQ((Pt{p[3].x, p[3].y}), (Pt{100, 0}));
}

TEST(ShapeGeometry, PolygonsStandOnAVertexOrAFlatEdge) {
  FakeDocument doc;
  CObjectRenderer r;
  r.Init(nullptr, &doc);
  POINT v[8];
  r.CalcPolygonVertices(-100, 100, 100, -100, 0, 3, v, FALSE);
  EXPECT_EQ(v[0].x, 0);
  EXPECT_EQ(v[0].y, -100);  // straight below the centre
  r.CalcPolygonVertices(-100, 100, 100, -100, 0, 4, v, FALSE);
  EXPECT_EQ(v[0].y, v[3].y);  // a flat bottom edge
  EXPECT_LT(v[0].y, 0);
  EXPECT_EQ(v[0].x, -v[3].x);

  // An inverted triangle has its base on the top edge and its apex at the bottom centre.
  POINT t[6];
  r.CalcTriangleVertices(0, 1000, 2000, 0, 1, TRUE, t, FALSE);
  EXPECT_EQ((Pt{t[0].x, t[0].y}), (Pt{0, 1000}));
  EXPECT_EQ((Pt{t[1].x, t[1].y}), (Pt{1000, 0}));
  EXPECT_EQ((Pt{t[2].x, t[2].y}), (Pt{2000, 1000}));
  EXPECT_EQ(t[3].y, 900);
  EXPECT_GT(t[4].y, 100);
}

TEST(ShapeGeometry, RhombusInsetFollowsItsDiagonalAngleAndThinTriangleFramesWidenOnScreen) {
  FakeDocument doc;
  Page page{16, 16};
  CObjectRenderer r;
  r.Init(page.dc(), &doc);
  // A flat rhombus: the inset is 2 x frame along the diagonal's angle (cos and sin of
  // atan2(10, 20)), not an offset of its edges.
  POINT v[8];
  r.CalcRhombicVertices(0, 1000, 2000, 0, 1, v, FALSE);
  const std::vector<Pt> expected{{1000, 1000}, {0, 500}, {1000, 0}, {2000, 500},
                                 {1000, 910}, {178, 500}, {1000, 89}, {1821, 500}};
  for (int i = 0; i < 8; ++i) EXPECT_EQ((Pt{v[i].x, v[i].y}), expected[i]) << i;

  // At zoom 0.1 a 0.01 mm frame is a tenth of a logical unit: on the screen every inset of the
  // triangle becomes one pixel plus one unit, for the engraving it keeps its true size.
  doc.zoom = 0.1;
  r.Init(page.dc(), &doc);
  const int grown = MulDiv(1, 100000, 3780) + 1;
  POINT t[6];
  r.CalcTriangleVertices(0, 1000, 2000, 0, 0.01, FALSE, t, TRUE);
  EXPECT_EQ((Pt{t[3].x, t[3].y}), (Pt{grown, grown}));
  EXPECT_EQ((Pt{t[4].x, t[4].y}), (Pt{1000, 1000 - grown}));
  EXPECT_EQ((Pt{t[5].x, t[5].y}), (Pt{2000 - grown, grown}));
  r.CalcTriangleVertices(0, 1000, 2000, 0, 0.01, FALSE, t, FALSE);
  EXPECT_EQ((Pt{t[3].x, t[3].y}), (Pt{0, 0}));
  EXPECT_EQ((Pt{t[4].x, t[4].y}), (Pt{1000, 999}));
  EXPECT_EQ((Pt{t[5].x, t[5].y}), (Pt{1999, 0}));
}

// ---- Recorded boundary points -------------------------------------------------------------------

class RecordedPoints : public ShapeOutline {};

TEST_F(RecordedPoints, RectangleGroupsFollowTheCornerStyles) {
  CRectangleObject obj;
  InitNewObject(obj, TYPE_RECTANGLE);
  obj.m_dEdgeSize = 1;
  obj.m_dEdgeRadius = 3;
  const CDoubleRect rc = Copy(20, 10);  // 20000..22000 x -11500..-12500

  obj.m_nOuterCornerStyle = 1;
  obj.m_nInnerCornerStyle = 1;
  r.DrawRectangle(page.dc(), rc.left, rc.top, rc.right, rc.bottom, &obj, 0, TRUE, nullptr, FALSE);
  ASSERT_EQ(obj.m_vOuterPoints.size(), 3u);
  ASSERT_EQ(obj.m_vInnerPoints.size(), 3u);
  EXPECT_EQ(obj.m_vOuterPoints[2], CDoublePoint(600, 600));
  EXPECT_EQ(obj.m_vInnerPoints[0], CDoublePoint(20100, -11600));
  EXPECT_EQ(obj.m_vInnerPoints[2], CDoublePoint(400, 400));

  obj.m_nInnerCornerStyle = 0;  // square inner corners: two points
  r.DrawRectangle(page.dc(), rc.left, rc.top, rc.right, rc.bottom, &obj, 0, FALSE, nullptr, FALSE);
  EXPECT_EQ(obj.m_vOuterPoints.size(), 6u);
  EXPECT_EQ(obj.m_vInnerPoints.size(), 5u);

  obj.m_nOuterCornerStyle = 2;
  obj.m_nInnerCornerStyle = 2;
  r.DrawRectangle(page.dc(), rc.left, rc.top, rc.right, rc.bottom, &obj, 0, TRUE, nullptr, FALSE);
  ASSERT_EQ(obj.m_vOuterPoints.size(), 15u);
  ASSERT_EQ(obj.m_vInnerPoints.size(), 14u);
  EXPECT_EQ(obj.m_vOuterPoints[6], obj.m_vOuterPoints[14]);
  EXPECT_EQ(obj.m_vInnerPoints[5], CDoublePoint(20100, -11600 - 200));  // inner cut of 2 mm
  EXPECT_EQ(obj.m_nCapturedCount, 3);
}

TEST_F(RecordedPoints, AnOversizedFrameRecordsAnEmptyInnerShape) {
  CRectangleObject obj;
  InitNewObject(obj, TYPE_RECTANGLE);
  obj.m_dEdgeSize = 6;
  const CDoubleRect rc = Copy(10, 10);
  CDoubleRect bounds;
  r.DrawRectangle(page.dc(), rc.left, rc.top, rc.right, rc.bottom, &obj, 0, TRUE, &bounds, FALSE);
  EXPECT_EQ(bounds, rc);
  ASSERT_EQ(obj.m_vInnerPoints.size(), 2u);
  EXPECT_EQ(obj.m_vInnerPoints[0], obj.m_vInnerPoints[1]);
  EXPECT_EQ(obj.m_vInnerPoints[0], CDoublePoint(21000, -12000));

  CTriangleObject tri;
  InitNewObject(tri, TYPE_TRIANGLE);
  tri.m_dEdgeSize = 8;
  const CDoubleRect t = Copy(20, 20);
  r.DrawTriangle(page.dc(), t.left, t.top, t.right, t.bottom, &tri, 0, TRUE, nullptr, FALSE);
  ASSERT_EQ(tri.m_vInnerPoints.size(), 3u);
  EXPECT_EQ(tri.m_vInnerPoints[0], tri.m_vInnerPoints[2]);

  CPolygonObject pg;
  InitNewObject(pg, TYPE_POLYGON);
  pg.m_nEdges = 2;
  r.DrawPolygon(page.dc(), t.left, t.top, t.right, t.bottom, &pg, 0, TRUE, nullptr, FALSE);
  EXPECT_TRUE(pg.m_vOuterPoints.empty());
  EXPECT_EQ(pg.m_nCapturedCount, 0);
}

TEST_F(RecordedPoints, ThinFramesAreWidenedOnlyOnTheScreen) {
  doc.zoom = 0.1;
  r.Init(page.dc(), &doc);
  CCircleObject obj;
  InitNewObject(obj, TYPE_CIRCLE);
  obj.m_dEdgeSize = 0.01;  // 0.1 logical units at this zoom, far below one pixel
  const CDoubleRect rc = Copy(10, 10);
  r.DrawCircle(page.dc(), rc.left, rc.top, rc.right, rc.bottom, &obj, 0, TRUE, nullptr, TRUE);
  r.DrawCircle(page.dc(), rc.left, rc.top, rc.right, rc.bottom, &obj, 0, TRUE, nullptr, FALSE);
  ASSERT_EQ(obj.m_vInnerPoints.size(), 4u);
  const int pixel = MulDiv(1, 100000, 3780);
  EXPECT_DOUBLE_EQ(obj.m_vInnerPoints[0].x - rc.left, pixel + 1);
  EXPECT_NEAR(obj.m_vInnerPoints[2].x - rc.left, 0.1, 1e-9);
  EXPECT_EQ(obj.m_nCapturedCount, 2);
}

}  // namespace
