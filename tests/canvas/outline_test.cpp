// Outline capture for the engines: the result codes, the buffers and their release, machine units
// at every zoom, circles as centres and radii, and bitmap outlines where the raster puts them.
#include <algorithm>
#include <set>
#include <utility>

#include "canvas_fixture.h"

namespace {

using OutlineCapture = CanvasTest;

std::set<std::pair<int, int>> PointSet(const CLeftView& v, int n) {
  std::set<std::pair<int, int>> s;
  for (int k = 0; k < n; ++k) s.insert({v.m_pOutlinePoints[k].x, v.m_pOutlinePoints[k].y});
  return s;
}

TEST_F(OutlineCapture, ResultCodesForSkippedAndUnknownEntries) {
  const int rect = AddShape(TYPE_RECTANGLE, 10, 5);
  const int gone = AddShape(TYPE_RECTANGLE, 10, 5);
  const int hidden = AddShape(TYPE_TRIANGLE, 10, 5);
  const int barcode = AddShape(TYPE_BARCODE, 10, 10);
  At<CDrawObject>(gone)->m_bDeleted = 1;
  List().SetObjectLayer(hidden, 3);
  doc->m_bLayerEngrave[3] = 0;

  EXPECT_EQ(view->GetOutlineType(rect), TYPE_RECTANGLE);
  EXPECT_EQ(view->GetOutlineType(gone), TYPE_NONE);
  EXPECT_EQ(view->GetOutlineType(hidden), TYPE_NONE);
  EXPECT_EQ(view->GetOutlineType(barcode), TYPE_BARCODE);
  EXPECT_EQ(view->GetOutlineType(99), TYPE_UNKNOWN);
  EXPECT_EQ(view->GetOutlineType(-1), TYPE_UNKNOWN);

  for (int index : {gone, hidden}) {
    EXPECT_EQ(view->SetOutlineData(index), 0) << index;
    EXPECT_TRUE(view->m_pOutlinePoints.empty());
    view->ReleaseOutlinePoints();
  }
  // A barcode gives the traced contours of its symbol.
  EXPECT_GT(view->SetOutlineData(barcode), 0);
  view->ReleaseOutlinePoints();
  EXPECT_EQ(view->SetOutlineData(99), -2);
  EXPECT_EQ(view->SetOutlineData(-5), -2);
}

TEST_F(OutlineCapture, ASecondCaptureBeforeReleaseIsRefusedAndChangesNothing) {
  const int rect = AddShape(TYPE_RECTANGLE, 10, 5);
  const int n = view->SetOutlineData(rect);
  ASSERT_GT(n, 0);
  POINT* points = view->m_pOutlinePoints.data();
  BYTE* types = view->m_pOutlineTypes.data();
  const std::vector<POINT> copy(points, points + n);
  EXPECT_EQ(view->SetOutlineData(rect), -1);
  EXPECT_EQ(view->SetOutlineData(99), -1);  // before the index is looked at
  EXPECT_EQ(view->m_pOutlinePoints.data(), points);
  EXPECT_EQ(view->m_pOutlineTypes.data(), types);
  for (int k = 0; k < n; ++k) EXPECT_TRUE(points[k].x == copy[k].x && points[k].y == copy[k].y);
  view->ReleaseOutlinePoints();
  EXPECT_TRUE(view->m_pOutlinePoints.empty());
  EXPECT_TRUE(view->m_pOutlineTypes.empty());
  EXPECT_EQ(view->SetOutlineData(rect), n);
  view->ReleaseOutlinePoints();
}

TEST_F(OutlineCapture, ACornerLandsOnTheSameMachineUnitsAtEveryZoom) {
  const int rect = AddShape(TYPE_RECTANGLE, 10, 5);
  view->resize(3000, 2500);  // a client area larger than the page must not move the origin
  for (int zoom = 0; zoom < ZOOM_STEP_COUNT; ++zoom) {
    view->RestoreZoom(doc.get(), zoom);
    const int n = view->SetOutlineData(rect);
    ASSERT_GT(n, 0);
    const auto pts = PointSet(*view, n);
    EXPECT_TRUE(pts.count({200, 100})) << "zoom " << zoom;
    EXPECT_TRUE(pts.count({-200, -100})) << "zoom " << zoom;
    for (const auto& p : pts) {
      EXPECT_LE(std::abs(p.first), 200);
      EXPECT_LE(std::abs(p.second), 100);
    }
    view->ReleaseOutlinePoints();
    EXPECT_EQ(doc->m_Settings.System.ZoomStep, zoom) << "the screen zoom comes back";
  }
}

TEST_F(OutlineCapture, AFramedTriangleIsTwoClosedFiguresOfThreePoints) {
  const int tri = AddShape(TYPE_TRIANGLE, 10, 8);
  const int n = view->SetOutlineData(tri);
  ASSERT_EQ(n, 6);
  for (int f = 0; f < 2; ++f) {
    EXPECT_EQ(view->m_pOutlineTypes[3 * f], PT_MOVETO);
    EXPECT_EQ(view->m_pOutlineTypes[3 * f + 1], PT_LINETO);
    EXPECT_EQ(view->m_pOutlineTypes[3 * f + 2], PT_LINETO | PT_CLOSEFIGURE);
  }
  // The apex of the outer figure stands 4 mm above the centre.
  EXPECT_TRUE(PointSet(*view, n).count({0, 160}));
  view->ReleaseOutlinePoints();
}

TEST_F(OutlineCapture, CirclesGiveCentresAndRadiiWithTheInnerRingSecond) {
  const int c = AddShape(TYPE_CIRCLE, 10, 6, 20, 10);
  At<CCircleObject>(c)->m_dEdgeSize = 1;
  SetGrid(c, 2, 2, 1.0, 2.0);
  const int n = view->SetOutlineData(c);
  ASSERT_EQ(n, 8);
  ASSERT_FALSE(view->m_pCircleRadii.empty());
  EXPECT_TRUE(view->m_pOutlineTypes.empty());
  // Column by column from the left, each from the bottom: centres x 14 and 26 mm, y 6.5 and 13.5.
  const POINT expected[4] = {{560, 260}, {560, 540}, {1040, 260}, {1040, 540}};
  for (int k = 0; k < 4; ++k) {
    EXPECT_NEAR(view->m_pOutlinePoints[2 * k].x, expected[k].x, 1) << k;
    EXPECT_NEAR(view->m_pOutlinePoints[2 * k].y, expected[k].y, 1) << k;
    EXPECT_EQ(view->m_pOutlinePoints[2 * k + 1].x, view->m_pOutlinePoints[2 * k].x);
    EXPECT_EQ(view->m_pOutlinePoints[2 * k + 1].y, view->m_pOutlinePoints[2 * k].y);
    EXPECT_NEAR(view->m_pCircleRadii[2 * k].cx, 200, 1);
    EXPECT_NEAR(view->m_pCircleRadii[2 * k].cy, 120, 1);
    EXPECT_NEAR(view->m_pCircleRadii[2 * k + 1].cx, 160, 1);
    EXPECT_NEAR(view->m_pCircleRadii[2 * k + 1].cy, 80, 1);
  }
  view->ReleaseOutlinePoints();
  EXPECT_TRUE(view->m_pCircleRadii.empty());

  At<CCircleObject>(c)->m_dEdgeSize = 0;
  EXPECT_EQ(view->SetOutlineData(c), 4);
  view->ReleaseOutlinePoints();
}

TEST_F(OutlineCapture, NoCopiesCaptureNothingAndAllocateNothing) {
  for (int kind : {TYPE_RECTANGLE, TYPE_CIRCLE, TYPE_POLYGON}) {
    const int i = AddShape(kind, 10, 10);
    SetGrid(i, 0, 2, 1.0, 1.0);
    EXPECT_EQ(view->SetOutlineData(i), 0) << kind;
    EXPECT_TRUE(view->m_pOutlinePoints.empty());
    EXPECT_TRUE(view->m_pOutlineTypes.empty());
    EXPECT_TRUE(view->m_pCircleRadii.empty());
    view->ReleaseOutlinePoints();
  }
  // A path never opened reads as -1; one with nothing in it allocates nothing.
  CLeftView fresh(doc.get());
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  EXPECT_EQ(fresh.GetOutlinePoints(&dc), -1);
  fresh.StartOutlinePoints(&dc);
  EXPECT_EQ(fresh.GetOutlinePoints(&dc), 0);
  EXPECT_TRUE(fresh.m_pOutlinePoints.empty());
}

TEST_F(OutlineCapture, ConversionToMachineUnitsTakesOffOriginAndZoom) {
  view->RestoreZoom(doc.get(), 14);  // factor 2
  CDoubleRect field;
  view->SetRenderMode(RENDER_SCREEN);
  view->GetField(&field);
  view->ConvertUnit(&field);
  const auto& f = doc->m_Settings.DrawingField;
  EXPECT_NEAR(field.left, (f.OffsetX - f.FieldX / 2) * 40, 1e-6);
  EXPECT_NEAR(field.top, (f.OffsetY + f.FieldY / 2) * 40, 1e-6);
  EXPECT_NEAR(field.right, (f.OffsetX + f.FieldX / 2) * 40, 1e-6);
  SIZE radius{1000, -300};
  view->ConvertUnit(&radius, 1);
  EXPECT_EQ(radius.cx, 200);  // 1000 / (100 x 2) mm
  EXPECT_EQ(radius.cy, -60);
  view->ConvertUnit(static_cast<SIZE*>(nullptr), 0);
}

// A block of ink in the top-left corner of a 101 x 50 image.
std::vector<BYTE> CornerImage() {
  return MakeImage(101, 50, [](int x, int y) { return x < 30 && y < 20; });
}

TEST_F(OutlineCapture, BitmapPointsMoveToThePositionOneUnitPerPixelAtNaturalSize) {
  const int b = AddBitmap(CornerImage(), 101 / 40.0, 50 / 40.0, 12.3456, -0.01);
  const int n = view->SetOutlineData(b);
  ASSERT_GT(n, 0);
  ASSERT_FALSE(view->m_pOutlineTypes.empty());
  EXPECT_EQ(view->m_pOutlineTypes[0], PT_MOVETO);
  // hw 50, hh 25, px 493, py 0: the traced (0, 0) becomes (443, 25).
  EXPECT_TRUE(PointSet(*view, n).count({443, 25}));
  view->ReleaseOutlinePoints();
}

TEST_F(OutlineCapture, AnImageWithoutInkCapturesNothing) {
  const int b = AddBitmap(MakeImage(40, 40, [](int, int) { return false; }), 1, 1);
  EXPECT_EQ(view->SetOutlineData(b), 0);
  EXPECT_TRUE(view->m_pOutlinePoints.empty());
}

TEST_F(OutlineCapture, ResizedMirroredAndRepeatedBitmapsAreCapturedWhereTheRasterPutsThem) {
  const auto image = MakeImage(80, 40, [](int x, int y) { return (x < 50 && y < 12) || (x >= 60 && y >= 25); });
  const int b = AddBitmap(image, 6.0, 2.0, 3, -2);  // 3 x 2.5 dots per pixel... scaled 3 and 2
  const DotWindow window = CentreWindow(600);
  auto compare = [&](const char* what) {
    const InkImage raster = EngraveRaster(window);
    const InkImage outline = CapturedOutline(b, window);
    ASSERT_GT(raster.Count(), 0) << what;
    // The trace follows pixel centres, so a scaled image may lie up to one pixel's size inside.
    long bad = 0;
    for (int y = 0; y < raster.height; ++y)
      for (int x = 0; x < raster.width; ++x) {
        if (raster.At(x, y) == outline.At(x, y)) continue;
        bool near = false;
        for (int dy = -3; dy <= 3 && !near; ++dy)
          for (int dx = -3; dx <= 3 && !near; ++dx) near = raster.At(x + dx, y + dy) != raster.At(x, y);
        if (!near) ++bad;
      }
    EXPECT_EQ(bad, 0) << what;
    EXPECT_GT(outline.Count(), raster.Count() / 2) << what;
  };
  compare("resized");
  At<CBmpObject>(b)->m_bMirrorX = 1;
  compare("mirrored across");
  At<CBmpObject>(b)->m_bMirrorY = 1;
  compare("mirrored both ways");
  SetGrid(b, 2, 2, 1.0, 1.5);
  compare("two by two");
}

}  // namespace
