// Binding, coordinate modes and the conversions between millimetres, logical units, device
// pixels, bitmap pixels and machine units.
#include <gtest/gtest.h>

#include <cmath>

#include "render_fixture.h"

using render_test::FakeDocument;
using render_test::Page;

namespace {

// A bound renderer on a small memory page (96 dpi like every memory DC).
struct Bound {
  FakeDocument doc;
  Page page{8, 8};
  CObjectRenderer r;
  explicit Bound(double zoom = 1.0, int dpm = 40) {
    doc.zoom = zoom;
    doc.dpm = dpm;
    r.Init(page.dc(), &doc);
  }
};

TEST(RendererBinding, ScreenModeAtZoomOneCentresThePage) {
  Bound b;
  EXPECT_TRUE(b.r.IsInitialised());
  int ext[2] = {0, 0}, origin[2] = {0, 0};
  b.r.GetExtent(ext);
  b.r.GetOrigin(origin);
  EXPECT_EQ(ext[0], 42000);
  EXPECT_EQ(ext[1], 24000);
  EXPECT_EQ(origin[0], 21000);
  EXPECT_EQ(origin[1], -12000);

  CDoubleRect rc;
  b.r.MmRectToLogical(10, 10, 0, 0, &rc);
  EXPECT_DOUBLE_EQ(rc.left, 20500);
  EXPECT_DOUBLE_EQ(rc.top, -11500);
  EXPECT_DOUBLE_EQ(rc.right, 21500);
  EXPECT_DOUBLE_EQ(rc.bottom, -12500);

  // Edges in mm (y up) give the same rectangle; an off-centre square moves with its centre.
  CDoubleRect edges;
  b.r.MmEdgesToLogical(-5, 5, 5, -5, &edges);
  EXPECT_EQ(edges, rc);
  b.r.GetSquareRect(2, 10, -20, &rc);
  EXPECT_EQ(rc, CDoubleRect(21900, -13900, 22100, -14100));
}

TEST(RendererBinding, ZoomScalesTheExtentAndClientAreaGrowsIt) {
  Bound b(2.0);
  int ext[2];
  b.r.GetExtent(ext);
  EXPECT_EQ(ext[0], 84000);
  EXPECT_EQ(ext[1], 48000);
  double len[2];
  b.r.LengthToLogical(1.5, len);
  EXPECT_DOUBLE_EQ(len[0], 300);

  // A client area wider than the zoomed page (2000 px at 96 dpi = 52910 HIMETRIC).
  FakeDocument doc;
  doc.zoom = 0.5;
  CRect client(0, 0, 2000, 100);
  CObjectRenderer r;
  r.InitForClient(b.page.dc(), &doc, &client);
  r.GetExtent(ext);
  EXPECT_EQ(ext[0], 52910);
  EXPECT_EQ(ext[1], 12000);
  int origin[2];
  r.GetOrigin(origin);
  EXPECT_EQ(origin[0], 26455);
  // The page itself stays unzoomed.
  int page[2];
  r.GetPageSize(page);
  EXPECT_EQ(page[0], 42000);
  r.GetPageMachineBitmapSize(page);
  EXPECT_EQ(page[0], 16800);
  EXPECT_EQ(page[1], 9600);
}

TEST(RendererBinding, EngravingAtFortyDotsEqualsTheMachineBitmap) {
  Bound b;
  int bmp[2], machine[2];
  b.r.GetBitmapSize(bmp);
  b.r.GetMachineBitmapSize(machine);
  EXPECT_EQ(bmp[0], 16800);
  EXPECT_EQ(bmp[1], 9600);
  EXPECT_EQ(machine[0], 16800);
  EXPECT_EQ(machine[1], 9600);

  b.r.SetMode(RENDER_ENGRAVE);
  double e[2];
  b.r.LengthToLogical(1, e);
  b.r.SetMode(RENDER_MACHINE);
  double m[2];
  b.r.LengthToLogical(1, m);
  EXPECT_DOUBLE_EQ(e[0], m[0]);
  EXPECT_DOUBLE_EQ(e[1], m[1]);

  // In mode 1 the extent is the page in logical units that make 1 mm = 40 device dots.
  b.r.SetMode(RENDER_ENGRAVE);
  int ext[2];
  b.r.GetExtent(ext);
  EXPECT_NEAR(ext[0], 420 * 40 * 100000.0 / 3780, 1);

  // At 20 dots per millimetre the engraving bitmap halves; the machine bitmap does not.
  Bound half(1.0, 20);
  half.r.GetBitmapSize(bmp);
  EXPECT_EQ(bmp[0], 8400);
  EXPECT_EQ(half.r.ScaleByDpm(2.55), 51);
  CDoublePoint p(1.5, -2);
  half.r.ScalePointByDpm(p);
  EXPECT_EQ(p, CDoublePoint(30, -40));
}

TEST(RendererBinding, DotsPerMillimetreBelowOneIsRefused) {
  Bound b(1.0, 20);
  FakeDocument bad;
  bad.dpm = 0;
  EXPECT_FALSE(b.r.Init(b.page.dc(), &bad));
  EXPECT_EQ(b.r.GetDpm(), 20);
  int bmp[2];
  b.r.GetBitmapSize(bmp);
  EXPECT_EQ(bmp[0], 8400);
  // The screen mode is bound all the same, and the engraving conversions stay finite.
  EXPECT_TRUE(b.r.IsInitialised());
  b.r.SetMode(RENDER_ENGRAVE);
  CDoubleRect rc(100, -100, 200, -200);
  b.r.RectToBitmap(rc);
  EXPECT_TRUE(std::isfinite(rc.left));

  CObjectRenderer unbound;
  EXPECT_FALSE(unbound.Init(nullptr, nullptr));
  EXPECT_FALSE(unbound.IsInitialised());
}

TEST(RendererModes, SetModeSwitchesOriginsAndAnUnknownModeWritesNothing) {
  Bound b;
  EXPECT_EQ(b.r.SetMode(RENDER_MACHINE), RENDER_SCREEN);
  int origin[2];
  b.r.GetOrigin(origin);
  EXPECT_EQ(origin[0], DoubleToInt(420 * 40 * 100000.0 / 3780 / 2));
  EXPECT_EQ(origin[1], DoubleToInt(-240 * 40 * 100000.0 / 3780 / 2));
  CDoubleRect rc;
  b.r.MmRectToLogical(10, 10, 0, 0, &rc);  // machine mode: 1 mm = 40 dots = 40 x 100000/3780 units
  EXPECT_NEAR(rc.Width(), 10 * 4000000.0 / 3780, 1e-6);

  EXPECT_EQ(b.r.SetMode(5), RENDER_MACHINE);
  EXPECT_EQ(b.r.GetMode(), 5);
  b.r.GetOrigin(origin);
  EXPECT_EQ(origin[0], DoubleToInt(420 * 40 * 100000.0 / 3780 / 2));  // the origin stays
  CDoubleRect untouched(1, 2, 3, 4);
  b.r.MmRectToLogical(10, 10, 0, 0, &untouched);
  EXPECT_EQ(untouched, CDoubleRect(1, 2, 3, 4));
  double len[2] = {7, 7};
  b.r.LengthToLogical(1, len);
  EXPECT_EQ(len[0], 7);
  int ext[2] = {9, 9};
  b.r.GetExtent(ext);
  EXPECT_EQ(ext[0], 9);
  EXPECT_DOUBLE_EQ(b.r.LengthToLogicalAxis(1, 2), 200);  // the screen scale
  CDoubleSize size;
  b.r.DeviceSizeToMm(&size, b.page.dc(), 378, 0);
  EXPECT_NEAR(size.cx, 100, 1e-9);  // 378 px = 10000 HIMETRIC, over the screen scale

  b.r.SetMode(RENDER_SCREEN);
  b.r.GetOrigin(origin);
  EXPECT_EQ(origin[0], 21000);
}

TEST(RendererModes, GrowExtentAndSetCenterMoveTheScreenOrigin) {
  Bound b;
  b.r.GrowExtent(40000, 30001);
  int ext[2], origin[2];
  b.r.GetExtent(ext);
  EXPECT_EQ(ext[0], 42000);
  EXPECT_EQ(ext[1], 30001);
  b.r.GetOrigin(origin);
  EXPECT_EQ(origin[0], 21000);
  EXPECT_EQ(origin[1], -15000);

  b.r.SetCenter(CRect(0, 0, 1001, 501));
  b.r.GetOrigin(origin);
  EXPECT_EQ(origin[0], 500);
  EXPECT_EQ(origin[1], 250);
}

TEST(RendererModes, ScrollOffsetIsKeptWhilePainting) {
  Bound b;
  EXPECT_EQ(b.r.SetScrollOffset(0, 30), 30);
  EXPECT_EQ(b.r.SetScrollOffset(2, 40), 0);
  b.doc.paint = 1;
  EXPECT_EQ(b.r.SetScrollOffset(0, 99), 0);
  b.doc.paint = 0;
  // The scroll of 30 px is still in force: client x 0 is 30 px into the page.
  CDoublePoint p;
  b.r.DeviceToMm(&p, b.page.dc(), 0, 0);
  EXPECT_NEAR(p.x, (MulDiv(30, 100000, 3780) - 21000) / 100.0, 1e-9);
}

TEST(RendererConversions, DeviceAndLogicalRoundTrip) {
  Bound b;
  // Device (378, 189) is 10000 x 5000 HIMETRIC from the top-left corner of the page.
  CDoublePoint p;
  b.r.DeviceToMm(&p, b.page.dc(), 378, 189);
  EXPECT_NEAR(p.x, (10000 - 21000) / 100.0, 1e-9);
  EXPECT_NEAR(p.y, -(5000 - 12000) / 100.0, 1e-9);

  POINT d;
  b.r.LogicalToDevice(&d, b.page.dc(), 10000, -5000);
  EXPECT_EQ(d.x, 378);
  EXPECT_EQ(d.y, 189);

  CDoubleRect mm;
  b.r.DeviceRectToMm(&mm, b.page.dc(), 378, 189, 756, 378);
  EXPECT_NEAR(mm.left, -110, 1e-9);
  EXPECT_NEAR(mm.bottom, 20, 1e-9);

  CRect client(378, 189, 756, 378);
  CDoubleRect logical;
  b.r.DeviceRectToLogical(&logical, b.page.dc(), &client);
  EXPECT_NEAR(logical.left, 10000, 1e-6);
  EXPECT_NEAR(logical.top, -5000, 1e-6);
  EXPECT_NEAR(logical.right, 20000, 1e-6);
  EXPECT_NEAR(logical.bottom, -10000, 1e-6);
  RECT back;
  b.r.LogicalRectToDevice(b.page.dc(), logical, &back);
  EXPECT_EQ(back.left, 378);
  EXPECT_EQ(back.bottom, 378);
}

TEST(RendererConversions, BitmapRectanglesRoundHalfAwayFromZero) {
  // At 3780 px/m and 20 dots/mm the engraving scale is 2000000/3780 logical units per mm;
  // choose a page whose engraving scale makes 2.5 dots exact: 1 dot = scale / dpm units.
  Bound b(1.0, 20);
  b.r.SetMode(RENDER_ENGRAVE);
  double unit[2];
  b.r.LengthToLogical(1.0 / 20, unit);  // one dot in logical units
  CDoubleRect rc(2.5 * unit[0], -2.5 * unit[1], -2.5 * unit[0], 2.5 * unit[1]);
  b.r.RectToBitmap(rc);
  EXPECT_EQ(rc.left, 3);
  EXPECT_EQ(rc.top, 3);  // y downward
  EXPECT_EQ(rc.right, -3);
  EXPECT_EQ(rc.bottom, -3);

  CDoubleRect tenth(2.4 * unit[0], -2.6 * unit[1], 0, 0);
  b.r.RectToBitmap(tenth);
  EXPECT_EQ(tenth.left, 2);
  EXPECT_EQ(tenth.top, 3);

  b.r.SetMode(RENDER_MACHINE);
  b.r.LengthToLogical(1.0 / 40, unit);
  CDoubleRect m(2.5 * unit[0], -2.5 * unit[1], -2.5 * unit[0], 0);
  b.r.RectToMachineBitmap(m);
  EXPECT_EQ(m.left, 3);
  EXPECT_EQ(m.top, 3);
  EXPECT_EQ(m.right, -3);
}

TEST(RendererConversions, MachineUnitsUseTheScreenOriginAtEveryZoom) {
  for (double zoom : {1.0, 2.0, 0.5}) {
    Bound b(zoom);
    CDoubleRect rc;
    b.r.MmRectToLogical(10, 5, 0, 0, &rc);  // corners at +-5 mm, +-2.5 mm
    // Left in another mode, the conversion still works on screen units.
    b.r.SetMode(RENDER_ENGRAVE);
    POINT pts[2] = {{DoubleToInt(rc.right), DoubleToInt(rc.top)}, {DoubleToInt(rc.left), DoubleToInt(rc.bottom)}};
    b.r.PointsToMachineUnits(b.page.dc(), pts, 2);
    EXPECT_EQ(pts[0].x, 200) << zoom;
    EXPECT_EQ(pts[0].y, 100) << zoom;
    EXPECT_EQ(pts[1].x, -200) << zoom;
    EXPECT_EQ(pts[1].y, -100) << zoom;

    SIZE radii[1] = {{DoubleToInt(rc.Width() / 2), DoubleToInt(rc.top - rc.bottom) / 2}};
    b.r.LengthsToMachineUnits(b.page.dc(), radii, 1);
    EXPECT_EQ(radii[0].cx, 200);
    EXPECT_EQ(radii[0].cy, 100);

    CDoubleRect field = rc;
    b.r.RectToMachineUnits(b.page.dc(), field);
    EXPECT_NEAR(field.left, -200, 1e-9);
    EXPECT_NEAR(field.top, 100, 1e-9);
  }
  // Truncation toward zero on both sides of the centre.
  Bound b;
  POINT p[2] = {{21000 + 3, -12000 - 3}, {21000 - 4, -12000 + 4}};
  b.r.PointsToMachineUnits(b.page.dc(), p, 2);
  EXPECT_EQ(p[0].x, 1);
  EXPECT_EQ(p[0].y, -1);
  EXPECT_EQ(p[1].x, -1);
  EXPECT_EQ(p[1].y, 1);
  b.r.PointsToMachineUnits(b.page.dc(), p, 0);  // a count of 0 converts nothing
  EXPECT_EQ(p[0].x, 1);
}

TEST(RendererGeometry, RotatePointTurnsCounterClockwise) {
  CDoublePoint p;
  CObjectRenderer::RotatePoint(&p, 1, 1, 3, 1, 90);
  EXPECT_NEAR(p.x, 1, 1e-12);
  EXPECT_NEAR(p.y, 3, 1e-12);
  CObjectRenderer::RotatePoint(&p, 0, 0, 1, 0, -30);
  EXPECT_NEAR(p.x, std::sqrt(3) / 2, 1e-12);
  EXPECT_NEAR(p.y, -0.5, 1e-12);
}

TEST(RendererGeometry, EllipseAngleGivesThePointAndItsPolarAngle) {
  CDoublePoint p;
  const double a = CObjectRenderer::GetEllipseAngle(10, 20, 2, 1, 45, &p);
  EXPECT_NEAR(p.x, 10 + 1.41421356, 1e-6);
  EXPECT_NEAR(p.y, 20 + 0.70710678, 1e-6);
  EXPECT_NEAR(a, 26.56505, 1e-4);

  // Taller than wide, and past 180 degrees: the angle stays in [0, 360).
  const double b = CObjectRenderer::GetEllipseAngle(0, 0, 1, 2, 225, &p);
  EXPECT_NEAR(p.x, -0.70710678, 1e-6);
  EXPECT_NEAR(p.y, -1.41421356, 1e-6);
  EXPECT_NEAR(b, 180 + 63.43495, 1e-4);

  // A circle returns the angle as given, even outside [0, 360).
  EXPECT_EQ(CObjectRenderer::GetEllipseAngle(0, 0, 3, 3, -40, &p), -40);
  EXPECT_NEAR(p.x, 3 * std::cos(-40 * M_PI / 180), 1e-12);

  // A zero radius flattens the ellipse to a segment instead of dividing by zero.
  const double c = CObjectRenderer::GetEllipseAngle(0, 0, 0, 2, 30, &p);
  EXPECT_EQ(p.x, 0);
  EXPECT_NEAR(p.y, 1, 1e-12);
  EXPECT_NEAR(c, 90, 1e-9);
  const double d = CObjectRenderer::GetEllipseAngle(0, 0, 4, 0, 120, &p);
  EXPECT_NEAR(p.x, -2, 1e-12);
  EXPECT_EQ(p.y, 0);
  EXPECT_NEAR(d, 180, 1e-9);
}

TEST(RendererGeometry, UnionBoundsKeepsTheOuterEdgesWithYUp) {
  CDoubleRect acc(99, 99, 99, 99);
  CObjectRenderer::UnionBounds(acc, CDoubleRect(0, 10, 5, 0), 0);
  EXPECT_EQ(acc, CDoubleRect(0, 10, 5, 0));
  CObjectRenderer::UnionBounds(acc, CDoubleRect(-3, 4, 2, -6), 1);
  EXPECT_EQ(acc, CDoubleRect(-3, 10, 5, -6));
  CObjectRenderer::UnionBounds(acc, CDoubleRect(1, 12, 8, 2), 1);
  EXPECT_EQ(acc, CDoubleRect(-3, 12, 8, -6));
}

}  // namespace
