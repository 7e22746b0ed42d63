#include <gtest/gtest.h>

#include "model/korvane_doc.h"
#include "temp_dir.h"

namespace {

struct AnchorDoc {
  AnchorDoc() {
    doc.OnNewDocument();
    doc.m_Settings.System.FieldOriginX = 1000;
    doc.m_Settings.System.FieldOriginY = 2000;
    doc.m_Settings.DrawingArea.OffsetX = 2;
    doc.m_Settings.DrawingArea.OffsetY = 3;
    doc.m_Settings.DrawingArea.Width = 40;
    doc.m_Settings.DrawingArea.Height = 40;
  }
  TempDir dir;
  CKorvaneDoc doc;
};

}  // namespace

TEST(MachineAnchors, FollowTheAxisLayoutOfEachModel) {
  AnchorDoc d;
  EXPECT_EQ(d.doc.GetAnchorModel3(8), CPoint(2680, 280));
  EXPECT_EQ(d.doc.GetAnchorModel3(3), CPoint(1080, 1880));
  EXPECT_EQ(d.doc.GetAnchorModel3(0), CPoint(1880, 1080));
  // Models 1 and 2: the first coordinate runs along the design's y.
  EXPECT_EQ(d.doc.GetAnchorModel1(3), CPoint(2120, 1080));
  EXPECT_EQ(d.doc.GetAnchorModel1(7), CPoint(2000 + 920, 1000 + 1680));
  EXPECT_EQ(d.doc.GetAnchorModel2(5), d.doc.GetAnchorModel1(5));
  EXPECT_EQ(d.doc.GetAnchorModel1(9), CPoint(0, 0));
  EXPECT_EQ(d.doc.GetAnchorModel3(-1), CPoint(0, 0));
}

TEST(MachineAnchors, AreaAnchorsNeedAModel) {
  AnchorDoc d;
  CPoint p(5, 5);
  EXPECT_FALSE(d.doc.GetAreaAnchor3(p));
  EXPECT_EQ(p, CPoint(0, 0));
  d.doc.m_Settings.System.FieldMachine = 3;
  EXPECT_TRUE(d.doc.GetAreaAnchor3(p));
  EXPECT_EQ(p, CPoint(1080, 1880));
  EXPECT_TRUE(d.doc.GetAreaAnchor(p));
  EXPECT_EQ(p, CPoint(1880, 1080));
  d.doc.m_Settings.System.FieldMachine = 2;
  EXPECT_TRUE(d.doc.GetAreaAnchor3(p));
  EXPECT_EQ(p, CPoint(2120, 1080));
}

TEST(MachineAnchors, RotateToFieldTurnsAboutAnchorZeroByMinusTheScanAngle) {
  AnchorDoc d;
  d.doc.m_Settings.System.FieldMachine = 3;
  EXPECT_EQ(d.doc.RotateToField(123, -45), CPoint(123, -45));
  d.doc.m_Settings.DrawingData.ScanAngle = 90;
  // Anchor 0 is (1880, 1080); a point 100 to its right goes 100 below it.
  EXPECT_EQ(d.doc.RotateToField(1980, 1080), CPoint(1880, 980));
  EXPECT_EQ(d.doc.RotateAbout(10, 0, 0, 0), CPoint(0, -10));
  d.doc.m_Settings.DrawingData.ScanAngle = 45;
  // 0.5 x sqrt(2) x 3 = 2.12..: rounded half away from zero.
  EXPECT_EQ(d.doc.RotateAbout(3, 0, 0, 0), CPoint(2, -2));
  EXPECT_EQ(d.doc.RotateAbout(-3, 0, 0, 0), CPoint(-2, 2));
}
