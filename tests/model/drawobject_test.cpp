#include <gtest/gtest.h>

#include <cstring>

#include "model/drawingobject.h"
#include "model/drawobject.h"
#include "model/textobject.h"

namespace {

const char kKan[] = "\x8A\xBF";  // a double-byte character

TEST(DrawObjectCommon, FreshObjectHasTheDocumentedStart) {
  CLineObject line;
  EXPECT_EQ(line.m_nOutputMode, 2);
  EXPECT_DOUBLE_EQ(line.m_dScanInterval, 0.05);
  EXPECT_EQ(line.m_nLayer, 0);
  EXPECT_EQ(line.m_crColor, 0u);
  EXPECT_EQ(line.m_nGroupId, 0);
  EXPECT_EQ(line.m_bDeleted, 0);
  EXPECT_EQ(line.m_nCapturedCount, 0);
  EXPECT_TRUE(line.m_vInnerPoints.empty());
  EXPECT_TRUE(line.m_vOuterPoints.empty());
  EXPECT_STREQ(line.GetName(), "");
  EXPECT_TRUE(line.m_rcBounds.IsRectNull());
}

TEST(DrawObjectCommon, CreationStepsStoreKindAndByteSizeConstant) {
  struct Case { CDrawObject* object; int type; int size; };
  CLineObject line; CRectangleObject rect; CCircleObject circle; CTriangleObject tri;
  CRhombicObject rh; CPolygonObject poly; CText1Object t1; CText2Object t2; CBarcodeObject bar;
  CMultiObject multi; CDrawingObject drawing; CDrawingSettingObject ds; CDrawingAreaObject da;
  Case cases[] = {{&line, TYPE_LINE, 280}, {&rect, TYPE_RECTANGLE, 296}, {&circle, TYPE_CIRCLE, 280},
                  {&tri, TYPE_TRIANGLE, 288}, {&rh, TYPE_RHOMBIC, 280}, {&poly, TYPE_POLYGON, 272},
                  {&t1, TYPE_TEXT1, 408}, {&t2, TYPE_TEXT2, 384}, {&bar, TYPE_BARCODE, 280},
                  {&multi, TYPE_MULTI, 248}, {&drawing, TYPE_DRAWING, 240},
                  {&ds, TYPE_DRAWING_SETTING, 424}, {&da, TYPE_DRAWING_AREA, 296}};
  for (const Case& c : cases) {
    InitNewObject(*c.object, c.type);
    EXPECT_EQ(c.object->m_nType, c.type);
    EXPECT_EQ(c.object->m_nByteSize, c.size) << c.type;
  }
  EXPECT_EQ(CDrawingFieldObject().m_nByteSize, 248);
  EXPECT_EQ(GetObjectByteSize(TYPE_BMP), 392);
  EXPECT_EQ(GetObjectByteSize(TYPE_PLT), 0);
}

TEST(DrawObjectCommon, ShapeDefaults) {
  CLineObject line;
  InitNewObject(line, TYPE_LINE);
  EXPECT_DOUBLE_EQ(line.m_dWidth, 10.0);
  EXPECT_DOUBLE_EQ(line.m_dHeight, 1.0);
  EXPECT_DOUBLE_EQ(line.m_dAngle, 0.0);
  EXPECT_EQ(line.m_nRows, 1);
  CRectangleObject rect;
  InitNewObject(rect, TYPE_RECTANGLE);
  EXPECT_DOUBLE_EQ(rect.m_dWidth, 20.0);
  EXPECT_DOUBLE_EQ(rect.m_dHeight, 20.0);
  EXPECT_DOUBLE_EQ(rect.m_dEdgeRadius, 1.0);
  CTriangleObject tri;
  InitNewObject(tri, TYPE_TRIANGLE);
  EXPECT_DOUBLE_EQ(tri.m_dWidth, 20.0);
  EXPECT_DOUBLE_EQ(tri.m_dHeight, 20.0);
  CCircleObject circle;
  InitNewObject(circle, TYPE_CIRCLE);
  EXPECT_DOUBLE_EQ(circle.m_dSizeX, 40.0);
  EXPECT_DOUBLE_EQ(circle.m_dSizeY, 40.0);
  CPolygonObject poly;
  InitNewObject(poly, TYPE_POLYGON);
  EXPECT_EQ(poly.m_nEdges, 8);
  EXPECT_DOUBLE_EQ(poly.m_dSize, 20.0);
  CBarcodeObject bar;
  InitNewObject(bar, TYPE_BARCODE);
  EXPECT_DOUBLE_EQ(bar.m_dSizeX, 40.0);
  EXPECT_DOUBLE_EQ(bar.m_dSizeY, 10.0);
  EXPECT_EQ(bar.m_strText, "1234567890");
  EXPECT_EQ(bar.m_nLevel, 1);
  EXPECT_EQ(bar.m_nVersion, -1);
}

TEST(DrawObjectCopy, FullCopyCarriesCommonPartAndPositionButKeepsItsKind) {
  CRectangleObject src;
  InitNewObject(src, TYPE_RECTANGLE);
  src.SetName("rectangle7");
  src.m_nLayer = 3;
  src.m_crColor = 0xFF0000;
  src.m_nOutputMode = 1;
  src.m_dScanInterval = 0.1;
  src.m_nFillDirection = 1;
  src.m_bMirrorX = 1;
  src.m_nGroupId = 4;
  src.m_dPosX = 5.5;
  src.m_dPosY = -2.0;
  src.m_nCapturedCount = 1;
  src.m_vInnerPoints = {{1, 2}, {3, 4}};
  src.m_vOuterPoints = {{5, 6}};
  src.m_dEdgeRadius = 3.0;

  CRectangleObject copy;
  InitNewObject(copy, TYPE_RECTANGLE);
  copy.m_vInnerPoints = {{9, 9}};  // stale points must go
  copy.CopySettings(&src);
  copy.CopyCommon(&src);
  EXPECT_STREQ(copy.GetName(), "rectangle7");
  EXPECT_EQ(copy.m_nLayer, 3);
  EXPECT_EQ(copy.m_crColor, 0xFF0000u);
  EXPECT_EQ(copy.m_nOutputMode, 1);
  EXPECT_DOUBLE_EQ(copy.m_dScanInterval, 0.1);
  EXPECT_EQ(copy.m_nFillDirection, 1);
  EXPECT_EQ(copy.m_bMirrorX, 1);
  EXPECT_EQ(copy.m_nGroupId, 4);
  EXPECT_DOUBLE_EQ(copy.m_dPosX, 5.5);
  EXPECT_DOUBLE_EQ(copy.m_dPosY, -2.0);
  EXPECT_DOUBLE_EQ(copy.m_dEdgeRadius, 3.0);
  EXPECT_EQ(copy.m_vInnerPoints, src.m_vInnerPoints);
  EXPECT_EQ(copy.m_vOuterPoints, src.m_vOuterPoints);

  // Copying the common part from another kind never changes the kind code.
  CLineObject line;
  InitNewObject(line, TYPE_LINE);
  line.CopyCommon(&src);
  EXPECT_EQ(line.m_nType, TYPE_LINE);
  EXPECT_DOUBLE_EQ(line.m_dPosX, 0.0);

  copy.m_vInnerPoints.clear();
  EXPECT_EQ(src.m_vInnerPoints.size(), 2u);
}

TEST(DrawObjectCopy, BarcodeAndMultiCopyConstructors) {
  CBarcodeObject src;
  InitNewObject(src, TYPE_BARCODE);
  src.m_strText = "ABC";
  src.m_nVersion = 12;
  src.SetName("barcode1");
  CBarcodeObject copy(&src);
  EXPECT_EQ(copy.m_nType, TYPE_BARCODE);
  EXPECT_EQ(copy.m_strText, "ABC");
  EXPECT_EQ(copy.m_nVersion, 12);
  EXPECT_EQ(copy.m_nByteSize, 280);
  EXPECT_STREQ(copy.GetName(), "barcode1");

  CMultiObject multi;
  InitNewObject(multi, TYPE_MULTI);
  multi.m_bValid = 1;
  multi.m_dSizeX = 7;
  CMultiObject multiCopy(&multi);
  EXPECT_EQ(multiCopy.m_nType, TYPE_MULTI);
  EXPECT_EQ(multiCopy.m_bValid, 1);
  EXPECT_DOUBLE_EQ(multiCopy.m_dSizeX, 7.0);
}

TEST(DrawObjectNames, LongNamesAreCutAtACharacterBoundary) {
  CLineObject line;
  std::string name(30, 'a');
  name += kKan;  // bytes 30 and 31: would leave a lone lead byte in the 31 that fit
  line.SetName(name.c_str());
  EXPECT_EQ(std::strlen(line.GetName()), 30u);
  line.SetName(std::string(40, 'b').c_str());
  EXPECT_EQ(std::strlen(line.GetName()), 31u);
  line.SetName(nullptr);
  EXPECT_STREQ(line.GetName(), "");
}

TEST(TextObjects, DefaultsOfBothKinds) {
  CText1Object t1;
  InitNewObject(t1, TYPE_TEXT1);
  EXPECT_DOUBLE_EQ(t1.m_dWidth, 40.0);
  EXPECT_DOUBLE_EQ(t1.m_dHeight, 6.0);
  EXPECT_DOUBLE_EQ(t1.m_dCharWidth, 4.0);
  EXPECT_DOUBLE_EQ(t1.m_dCharHeight, 6.0);
  EXPECT_DOUBLE_EQ(t1.m_dCharGap, 1.0);
  EXPECT_EQ(t1.m_nAlign, 3);
  EXPECT_EQ(t1.m_strFaceName, "Arial");
  EXPECT_EQ(t1.m_nWeight, 400);
  EXPECT_EQ(t1.m_strText, "1234567890");
  EXPECT_EQ(t1.m_vCharRecords.size(), 10u);
  EXPECT_EQ(t1.m_bTextChanged, 0);
  CText2Object t2;
  InitNewObject(t2, TYPE_TEXT2);
  EXPECT_DOUBLE_EQ(t2.m_dRadiusX, 20.0);
  EXPECT_DOUBLE_EQ(t2.m_dRadiusY, 20.0);
  EXPECT_DOUBLE_EQ(t2.m_dSpan, 260.0);
  EXPECT_DOUBLE_EQ(t2.m_dCharWidth, 6.0);
  EXPECT_DOUBLE_EQ(t2.m_dCharHeight, 8.0);
  EXPECT_EQ(t2.m_vCharRecords.size(), 10u);
}

TEST(TextObjects, SetTextResetsRecordsOnlyWhenTheTextChanges) {
  CText1Object t;
  InitNewObject(t, TYPE_TEXT1);
  t.m_vCharRecords[0].dAngle = 5.0;
  EXPECT_EQ(t.SetText("ABC"), 3);
  ASSERT_EQ(t.m_vCharRecords.size(), 3u);
  for (const CTextCharRecord& r : t.m_vCharRecords) EXPECT_EQ(r, CTextCharRecord());
  EXPECT_EQ(t.m_bTextChanged, 1);
  t.m_vCharRecords[1].dOffsetX = 2.0;
  EXPECT_EQ(t.SetText("ABC"), -1);
  EXPECT_DOUBLE_EQ(t.m_vCharRecords[1].dOffsetX, 2.0);

  EXPECT_EQ(t.SetText(CString(kKan) + kKan), 2);
  EXPECT_EQ(t.SetText("A\r\nB"), 4);
  EXPECT_EQ(t.SetText(""), 0);
  EXPECT_TRUE(t.m_vCharRecords.empty());

  CText2Object arc;
  InitNewObject(arc, TYPE_TEXT2);
  EXPECT_EQ(arc.SetText(CString(kKan) + "x"), 2);
  EXPECT_EQ(arc.SetText(CString(kKan) + "x"), -1);
}

TEST(TextObjects, MissingRecordsReadAsZeroed) {
  CText1Object t;
  InitNewObject(t, TYPE_TEXT1);
  t.m_vCharRecords.resize(2);
  t.m_vCharRecords[1].dSizeX = 1.5;
  EXPECT_DOUBLE_EQ(t.GetCharRecord(1).dSizeX, 1.5);
  EXPECT_EQ(t.GetCharRecord(5), CTextCharRecord());
  EXPECT_EQ(t.GetCharRecord(-1), CTextCharRecord());
}

TEST(TextObjects, CopyOwnsItsRecordsAlignedWithTheSource) {
  CText1Object src;
  InitNewObject(src, TYPE_TEXT1);
  src.SetText("ABCD");
  src.m_vCharRecords[0].dAngle = 30.0;
  src.m_nFontSize = 23;
  src.m_nCountDigits = 4;

  CText1Object copy;
  InitNewObject(copy, TYPE_TEXT1);  // holds the default text's ten records already
  copy.CopySettings(&src);
  copy.CopyCommon(&src);
  ASSERT_EQ(copy.m_vCharRecords.size(), 4u);
  EXPECT_DOUBLE_EQ(copy.m_vCharRecords[0].dAngle, 30.0);
  EXPECT_EQ(copy.m_nFontSize, 23);
  EXPECT_EQ(copy.m_nCountDigits, 4);
  copy.m_vCharRecords[0].dAngle = 1.0;
  EXPECT_DOUBLE_EQ(src.m_vCharRecords[0].dAngle, 30.0);

  CText2Object arcSrc;
  InitNewObject(arcSrc, TYPE_TEXT2);
  arcSrc.m_vCharRecords[9].dFontWidthY = 0.5;
  CText2Object arcCopy;
  InitNewObject(arcCopy, TYPE_TEXT2);
  arcCopy.CopySettings(&arcSrc);
  ASSERT_EQ(arcCopy.m_vCharRecords.size(), 10u);
  EXPECT_DOUBLE_EQ(arcCopy.m_vCharRecords[9].dFontWidthY, 0.5);
}

TEST(TextObjects, LongFaceNameIsCutAtACharacterBoundary) {
  CText1Object t;
  std::string face(30, 'F');
  face += kKan;
  t.SetFaceName(face.c_str());
  EXPECT_EQ(t.m_strFaceName.GetLength(), 30);
  CText2Object a;
  a.SetFaceName("\x82\x6C\x82\x72\x20\x96\xBE\x92\xA9");
  EXPECT_EQ(a.m_strFaceName, "\x82\x6C\x82\x72\x20\x96\xBE\x92\xA9");
}

TEST(WorkArea, DefaultsNamesAndChildren) {
  CDrawingObject d;
  InitNewObject(d, TYPE_DRAWING);
  EXPECT_STREQ(d.GetName(), "drawing");
  ASSERT_TRUE(d.m_pSetting && d.m_pArea && d.m_pField);
  EXPECT_STREQ(d.m_pSetting->GetName(), "drawing_setting");
  EXPECT_STREQ(d.m_pArea->GetName(), "drawing_area");
  EXPECT_STREQ(d.m_pField->GetName(), "drawing_field");
  EXPECT_EQ(d.m_pSetting->m_nType, TYPE_DRAWING_SETTING);
  EXPECT_EQ(d.m_pArea->m_nByteSize, 296);
  EXPECT_DOUBLE_EQ(d.m_pSetting->m_dEditArea, 100.0);
  EXPECT_EQ(d.m_pSetting->m_bHomeAfter, 1);
  EXPECT_DOUBLE_EQ(d.m_pArea->m_dWidth, 40.0);
  EXPECT_DOUBLE_EQ(d.m_pArea->m_dHeight, 40.0);
  EXPECT_EQ(d.m_pArea->m_nResolution, 40);
  EXPECT_DOUBLE_EQ(d.m_pArea->m_dScanSpan, 0.025);
  EXPECT_DOUBLE_EQ(d.m_pField->m_dFieldX, 100.0);
  EXPECT_DOUBLE_EQ(d.m_pField->m_dFieldY, 100.0);
  for (const CLayerRecord& layer : d.m_pSetting->m_Layers) EXPECT_EQ(layer, (CLayerRecord{1, 100, 8, 0}));
}

TEST(WorkArea, CopyOwnsNewChildrenWithEqualValues) {
  CDrawingObject src;
  InitNewObject(src, TYPE_DRAWING);
  src.m_pSetting->m_Layers[2].nPower = 555;
  src.m_pArea->m_dPosX = 3.0;
  src.m_pField->m_nPlotterPosition = 4;
  src.m_pSetting->m_dPosX = 9.0;  // the settings child's position is not part of its copy

  CDrawingObject copy;
  InitNewObject(copy, TYPE_DRAWING);
  copy.CopySettings(&src);
  ASSERT_NE(copy.m_pSetting.get(), src.m_pSetting.get());
  EXPECT_EQ(copy.m_pSetting->m_Layers[2].nPower, 555);
  EXPECT_DOUBLE_EQ(copy.m_pArea->m_dPosX, 3.0);
  EXPECT_EQ(copy.m_pField->m_nPlotterPosition, 4);
  EXPECT_DOUBLE_EQ(copy.m_pSetting->m_dPosX, 0.0);
  EXPECT_STREQ(copy.m_pArea->GetName(), "drawing_area");
  copy.m_pSetting->m_Layers[2].nPower = 1;
  EXPECT_EQ(src.m_pSetting->m_Layers[2].nPower, 555);

  copy.m_pArea->CopySettings(nullptr);  // null source: defaults
  EXPECT_DOUBLE_EQ(copy.m_pArea->m_dPosX, 0.0);
  CDrawingObject fromNull;
  fromNull.CopySettings(nullptr);
  ASSERT_TRUE(fromNull.m_pField);
  EXPECT_DOUBLE_EQ(fromNull.m_pField->m_dFieldX, 100.0);
}

}  // namespace
