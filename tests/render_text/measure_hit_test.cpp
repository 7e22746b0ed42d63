// Bounds of all copies, the measuring runs of the text kinds, hit tests of a mouse point,
// containment in a rubber band, record packing and the arc-text guide.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/drawobject.h"
#include "text_fixture.h"

using namespace text_test;

namespace {

// The screen mode at zoom 1 on a 60 x 40 mm page: 1 mm = 100 logical units.
class MeasureHit : public ::testing::Test {
 protected:
  void SetUp() override { r.Init(page.dc(), &doc); }

  POINT Device(double mmx, double mmy) {
    CDoubleRect rc;
    r.MmRectToLogical(0, 0, mmx, mmy, &rc);
    POINT p;
    r.LogicalToDevice(&p, page.dc(), rc.left, rc.top);
    return p;
  }

  BOOL Hit(double mmx, double mmy, CDrawObject& obj) {
    const POINT p = Device(mmx, mmy);
    return r.HitTest(page.dc(), p.x, p.y, &obj);
  }

  FakeDocument doc;
  Page page{400, 300};
  CObjectRenderer r;
};

TEST(ArcGuide, FirstAndLastAnglesOnBothSides) {
  CDoublePoint a = CObjectRenderer::DrawArcGuide(nullptr, 0, 0, 0, 0, 10, 10, 0, 120, FALSE);
  EXPECT_EQ(a.x, 150);
  EXPECT_EQ(a.y, 30);
  a = CObjectRenderer::DrawArcGuide(nullptr, 0, 0, 0, 0, 10, 10, 0, 120, TRUE);
  EXPECT_EQ(a.x, 210);
  EXPECT_EQ(a.y, 330);
}

TEST_F(MeasureHit, ArcGuideDrawsAHollowEllipseAndTwoRadii) {
  CDoubleRect rc;
  r.MmRectToLogical(30, 30, 0, 0, &rc);
  CBrush* before = page.dc()->GetCurrentBrush();
  CObjectRenderer::DrawArcGuide(page.dc(), rc.left, rc.top, rc.right, rc.bottom, 1500, 1500, 0, 120, FALSE);
  EXPECT_EQ(page.dc()->GetCurrentBrush(), before);
  const POINT c = Device(0, 0);
  EXPECT_FALSE(page.IsInk(c.x, c.y - 20));  // hollow: the inside stays white above the radii
  EXPECT_TRUE(page.IsInk(Device(0, 15).x, Device(0, 15).y) || page.IsInk(Device(0, 15).x, Device(0, 15).y + 1));
  long long ink = page.InkCount();
  EXPECT_GT(ink, 200);
}

TEST(CharLine, PacksTheRecordsOfEachLine) {
  const CString lines[2] = {CString("ab"), CString("c")};
  std::vector<CTextCharRecord> src(5);
  for (int i = 0; i < 5; ++i) src[i].dAngle = i;
  CTextCharRecord packed[3];
  CObjectRenderer::FindCharLine(lines, 2, 3, packed, src.data(), 5);
  EXPECT_EQ(packed[0].dAngle, 0);
  EXPECT_EQ(packed[1].dAngle, 1);
  EXPECT_EQ(packed[2].dAngle, 4);
}

TEST_F(MeasureHit, GridObjectsAreHitAnywhereInTheirGrid) {
  CText1Object text;
  PlainText1(text, "AB", 20, 5);
  text.m_nRows = 2;
  text.m_dRowGap = 4;  // rows centred at +-4.5 mm: the gap is -2..2
  EXPECT_TRUE(Hit(0, 0, text));
  EXPECT_TRUE(Hit(9, 6, text));
  EXPECT_FALSE(Hit(0, 8, text));
  EXPECT_FALSE(Hit(11, 0, text));

  CText2Object arc;
  PlainText2(arc, "AB");
  arc.m_dRadiusX = 10;
  arc.m_dRadiusY = 5;
  EXPECT_TRUE(Hit(9, 4, arc));
  EXPECT_FALSE(Hit(11, 0, arc));
  EXPECT_FALSE(Hit(0, 6, arc));

  CLineObject line;
  line.SetDefaults();
  line.m_nType = TYPE_LINE;
  line.m_dWidth = 10;
  line.m_dHeight = 2;
  line.m_dAngle = 45;  // plays no part
  EXPECT_TRUE(Hit(4, 0.5, line));
  EXPECT_FALSE(Hit(4, 2, line));

  CBarcodeObject barcode;
  barcode.SetDefaults();
  barcode.m_nType = TYPE_BARCODE;
  EXPECT_TRUE(Hit(19, 4, barcode));  // 40 x 10 about the origin, like a bitmap
  EXPECT_FALSE(Hit(0, 6, barcode));
}

TEST_F(MeasureHit, OutlineShapesAreHitOnTheirRingOnly) {
  CRectangleObject rect;
  rect.SetDefaults();
  rect.m_nType = TYPE_RECTANGLE;
  rect.m_dWidth = 20;
  rect.m_dHeight = 10;
  rect.m_dEdgeSize = 2;
  EXPECT_FALSE(Hit(0, 0, rect));  // never drawn
  EXPECT_FALSE(Hit(9, 0, rect));
  CDoubleRect rc;
  r.MmRectToLogical(20, 10, 0, 0, &rc);
  r.DrawRectangle(page.dc(), rc.left, rc.top, rc.right, rc.bottom, &rect, 0, FALSE, nullptr, FALSE);
  EXPECT_FALSE(Hit(0, 0, rect));
  EXPECT_TRUE(Hit(9, 0, rect));
  EXPECT_TRUE(Hit(0, -4, rect));
  EXPECT_FALSE(Hit(11, 0, rect));

  // Round corners, then a frame wider than half the height: no inner shape, hit anywhere.
  rect.m_vInnerPoints.clear();
  rect.m_vOuterPoints.clear();
  rect.m_nCapturedCount = 0;
  rect.m_nOuterCornerStyle = 1;
  rect.m_nInnerCornerStyle = 1;
  rect.m_dEdgeRadius = 3;
  r.DrawRectangle(page.dc(), rc.left, rc.top, rc.right, rc.bottom, &rect, 0, FALSE, nullptr, FALSE);
  EXPECT_FALSE(Hit(0, 0, rect));
  EXPECT_TRUE(Hit(9, 0, rect));
  EXPECT_FALSE(Hit(9.8, 4.8, rect));  // outside the round corner
  rect.m_vInnerPoints.clear();
  rect.m_vOuterPoints.clear();
  rect.m_nCapturedCount = 0;
  rect.m_dEdgeSize = 6;
  r.DrawRectangle(page.dc(), rc.left, rc.top, rc.right, rc.bottom, &rect, 0, TRUE, nullptr, FALSE);
  EXPECT_TRUE(Hit(0, 0, rect));

  CCircleObject circle;
  circle.SetDefaults();
  circle.m_nType = TYPE_CIRCLE;
  circle.m_dSizeX = circle.m_dSizeY = 20;
  circle.m_dEdgeSize = 2;
  r.MmRectToLogical(20, 20, 0, 0, &rc);
  r.DrawCircle(page.dc(), rc.left, rc.top, rc.right, rc.bottom, &circle, 0, FALSE, nullptr, FALSE);
  EXPECT_FALSE(Hit(0, 0, circle));
  EXPECT_TRUE(Hit(0, 9, circle));
  EXPECT_FALSE(Hit(9, 9, circle));
}

TEST_F(MeasureHit, ShortCapturedVectorsAreNeverReadPast) {
  CPolygonObject polygon;
  polygon.SetDefaults();
  polygon.m_nType = TYPE_POLYGON;
  polygon.m_nCapturedCount = 3;  // claims more copies than the vectors hold
  polygon.m_vOuterPoints.assign(5, CDoublePoint(0, 0));
  polygon.m_vInnerPoints.assign(5, CDoublePoint(0, 0));
  EXPECT_FALSE(Hit(0, 0, polygon));
  polygon.m_nEdges = 0;
  EXPECT_FALSE(Hit(0, 0, polygon));
}

TEST_F(MeasureHit, ConnotateAcceptsBoundsTouchingTheBand) {
  CDoubleRect mm, band;
  r.DeviceRectToMm(&mm, page.dc(), 20, 30, 200, 150);
  r.MmEdgesToLogical(mm.left, mm.top, mm.right, mm.bottom, &band);
  CText1Object text;
  PlainText1(text, "A", 10, 10);
  text.m_rcBounds = band;
  EXPECT_TRUE(r.ConnotateTest(page.dc(), 20, 30, 200, 150, &text));
  text.m_rcBounds.left = band.left - 1;
  EXPECT_FALSE(r.ConnotateTest(page.dc(), 20, 30, 200, 150, &text));
  text.m_rcBounds = band;
  text.m_rcBounds.top = band.top + 1;
  EXPECT_FALSE(r.ConnotateTest(page.dc(), 20, 30, 200, 150, &text));
}

TEST_F(MeasureHit, UpdateRectangleOfGridsAndTexts) {
  CBarcodeObject barcode;
  barcode.SetDefaults();
  barcode.m_nType = TYPE_BARCODE;
  barcode.m_nColumns = 2;  // 81 x 10 mm about the position
  RECT out{};
  ASSERT_EQ(r.UpdateObjectRect(page.dc(), &barcode, &out), 1);
  CDoubleRect grid;
  r.MmRectToLogical(81, 10, 0, 0, &grid);
  RECT expected;
  r.LogicalRectToDevice(page.dc(), grid, &expected);
  EXPECT_EQ(out.left, expected.left);
  EXPECT_EQ(out.right, expected.right);
  EXPECT_EQ(out.top, expected.top);
  EXPECT_EQ(out.bottom, expected.bottom);

  CText1Object text;
  PlainText1(text, "WWWWWWWW", 10, 4);  // the glyphs run past the box on the right
  RECT measured{};
  r.MeasureText1(page.dc(), &text, &measured);
  r.MmRectToLogical(10, 4, 0, 0, &grid);
  r.LogicalRectToDevice(page.dc(), grid, &expected);
  EXPECT_EQ(measured.left, expected.left);
  EXPECT_EQ(measured.top, expected.top);
  EXPECT_GT(measured.right, expected.right + 10);
  EXPECT_EQ(page.InkCount(), 0);  // measuring paints nothing
  r.SetScrollOffset(0, 7);
  r.SetScrollOffset(1, 3);
  ASSERT_EQ(r.UpdateObjectRect(page.dc(), &text, &out), 1);
  EXPECT_EQ(out.left, measured.left - 7);
  EXPECT_EQ(out.right, measured.right - 7);
  EXPECT_EQ(out.top, measured.top - 3);

  CText2Object arc;
  PlainText2(arc, "AB");
  RECT arcRect{};
  ASSERT_EQ(r.UpdateObjectRect(page.dc(), &arc, &arcRect), 1);
  EXPECT_GT(arcRect.right - arcRect.left, 100);  // about 40 mm at 3.78 px/mm

  CMultiObject multi;
  multi.m_nType = TYPE_MULTI;
  EXPECT_EQ(r.UpdateObjectRect(page.dc(), &multi, &out), 0);
  EXPECT_EQ(r.UpdateObjectRect(page.dc(), nullptr, &out), 0);
}

// A line is drawn turned about its centre: the rectangle given for it holds every pixel of the
// turned body, outlined or filled, and reaches no more than a pixel or two past that body and
// its unturned box together.
TEST_F(MeasureHit, TheRectangleOfATurnedLineHoldsItsDrawnBody) {
  for (const double angle : {2.371, 7.0, 30.0, 90.0, 135.0, -20.0, 400.0}) {
    for (const BOOL fill : {FALSE, TRUE}) {
      SCOPED_TRACE("angle " + std::to_string(angle) + (fill ? " filled" : " outlined"));
      CLineObject line;
      line.SetDefaults();
      line.m_nType = TYPE_LINE;
      line.m_dWidth = 40;
      line.m_dHeight = 3;
      line.m_dAngle = angle;
      line.m_dPosX = 3;
      line.m_dPosY = -2;
      line.m_nRows = line.m_nColumns = 1;
      RECT out{};
      ASSERT_EQ(r.UpdateObjectRect(page.dc(), &line, &out), 1);
      CRect bound(out);
      bound.NormalizeRect();
      CDoubleRect rc;
      r.MmRectToLogical(line.m_dWidth, line.m_dHeight, line.m_dPosX, line.m_dPosY, &rc);
      RECT box;
      r.LogicalRectToDevice(page.dc(), rc, &box);
      CRect reach(box);
      reach.NormalizeRect();
      Page drawn{400, 300};
      r.DrawLine(drawn.dc(), rc.left, rc.top, rc.right, rc.bottom, angle, 0, fill, nullptr);
      CRect ink;
      for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
          if (drawn.IsInk(x, y)) ink.UnionRect(ink, CRect(x, y, x + 1, y + 1));
      ASSERT_FALSE(ink.IsRectEmpty());
      EXPECT_LE(bound.left, ink.left);
      EXPECT_LE(bound.top, ink.top);
      // An outline's pen sets the pixel at the far corners themselves, one past the rectangle's
      // open edges, as for an unturned line: the canvas widens what it invalidates for that.
      EXPECT_GE(bound.right, ink.right - 1);
      EXPECT_GE(bound.bottom, ink.bottom - 1);
      reach.UnionRect(reach, ink);
      EXPECT_GE(bound.left, reach.left - 2);
      EXPECT_GE(bound.top, reach.top - 2);
      EXPECT_LE(bound.right, reach.right + 2);
      EXPECT_LE(bound.bottom, reach.bottom + 2);
    }
  }
}

TEST_F(MeasureHit, MeasuringWithoutRowsOrColumnsGivesAnEmptyRectangle) {
  CText1Object text;
  PlainText1(text, "AB", 10, 4);
  text.m_nRows = 0;
  RECT out{1, 2, 3, 4};
  r.MeasureText1(page.dc(), &text, &out);
  EXPECT_EQ(out.left, 0);
  EXPECT_EQ(out.top, 0);
  EXPECT_EQ(out.right, 0);
  EXPECT_EQ(out.bottom, 0);
  CText2Object arc;
  PlainText2(arc, "AB");
  arc.m_nColumns = 0;
  out = RECT{1, 2, 3, 4};
  r.MeasureText2(page.dc(), &arc, &out);
  EXPECT_EQ(out.right, 0);
}

TEST_F(MeasureHit, DeviceToMmLogicalLeavesLogicalValuesInAnUnknownMode) {
  CDoublePoint mm;
  double lx = 0, ly = 0;
  const POINT p = Device(5, -3);
  r.DeviceToMmLogical(&mm, page.dc(), p.x, p.y, &lx, &ly);
  EXPECT_NEAR(mm.x, 5, 0.3);
  EXPECT_NEAR(mm.y, -3, 0.3);
  EXPECT_NEAR(lx, 3000 + 500, 30);   // page centre 3000, 1 mm = 100
  EXPECT_NEAR(ly, -2000 - 300, 30);
  r.SetMode(7);
  lx = 11;
  ly = 12;
  r.DeviceToMmLogical(&mm, page.dc(), p.x, p.y, &lx, &ly);
  EXPECT_EQ(lx, 11);
  EXPECT_EQ(ly, 12);
}

}  // namespace
