// Designs for the project-file tests: one object of every kind with values unlike the defaults,
// a field-by-field comparison, and a snapshot of a list to prove it was left alone.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/mrk_binary.h"
#include "imaging/monobmp.h"
#include "model/objectlist.h"

class CKorvaneDoc;
class CLeftView;

namespace mrktest {

// A 1-bit image with a few marks so that it is neither all white nor all runs.
inline std::vector<BYTE> SmallImage(int width = 64, int height = 24) {
  std::vector<BYTE> img = MonoBmpFile::Create(width, height);
  const int64_t stride = MonoBmpFile::Stride(width);
  for (int y = 0; y < height; y += 3) img[62 + y * stride + (y % stride)] = static_cast<BYTE>(0x5A + y);
  return img;
}

inline void SetCommon(CDrawObject& o, int seed) {
  o.m_nLayer = seed % 8;
  o.m_crColor = LAYER_COLORS[o.m_nLayer];
  o.m_nOutputMode = seed % 3;
  o.m_dScanInterval = 0.125;
  o.m_nFillDirection = 1;
  o.m_bMirrorX = 1;
  o.m_bMirrorY = seed % 2;
  o.m_dPosX = 12.5 + seed;
  o.m_dPosY = -7.25 - seed;
  o.m_rcBounds = CDoubleRect(1.5, 2.5, 3.5, 4.5 + seed);
  o.m_nInnerCornerStyle = 1;
  o.m_nOuterCornerStyle = 2;
  o.m_nCapturedCount = 2;
  o.m_vInnerPoints = {CDoublePoint(1, 2), CDoublePoint(3.5, -4)};
  o.m_vOuterPoints = {CDoublePoint(-1, 0.25)};
}

// Fills the list with one live object of each kind 0 to 9, a deleted line between them, and
// work-area values unlike the defaults. The bitmap's path is `bmpPath` (its image is written
// there by the caller when the text format must find it).
inline void BuildEveryKind(CObjectList& list, const std::string& bmpPath) {
  CDrawingObject* d = list.GetDrawingObject();
  d->m_pSetting->m_dEditArea = 150.0;
  d->m_pSetting->m_dGridSize = 2.5;
  d->m_pSetting->m_dScaleX = 1.25;
  d->m_pSetting->m_dScaleY = 0.75;
  d->m_pSetting->m_bSwapXY = 1;
  d->m_pSetting->m_bReverseY = 1;
  d->m_pSetting->m_bHomeAfter = 0;
  d->m_pSetting->m_dHomeX = -3.5;
  d->m_pSetting->m_dHomeY = 4.25;
  d->m_pSetting->m_nCurrentLayer = 5;
  for (int k = 0; k < LAYER_COUNT; ++k) d->m_pSetting->m_Layers[k] = CLayerRecord{k + 1, 100 + k, 8 + k, k % 2};
  d->m_pArea->m_dPosX = 1.5;
  d->m_pArea->m_dPosY = -2.5;
  d->m_pArea->m_dWidth = 55.0;
  d->m_pArea->m_dHeight = 44.0;
  d->m_pArea->m_nResolution = 20;
  d->m_pArea->m_dScanSpan = 0.05;
  d->m_pArea->m_nOutlineStyle = 5;
  d->m_pArea->m_nScanStyle = 1;
  d->m_pArea->m_nScanDirection = 1;
  d->m_pArea->m_nOutputStyle = 1;
  d->m_pArea->m_nConversionStyle = 2;
  d->m_pArea->m_dFrameWidth = 1.5;
  d->m_pArea->m_dCornerRadius = 2.25;
  d->m_pField->m_dFieldX = 120.0;
  d->m_pField->m_dFieldY = 80.0;
  d->m_pField->m_dPosX = 3.0;
  d->m_pField->m_dPosY = -4.0;
  d->m_pField->m_nPlotterPosition = 7;

  CLineObject* line = list.AddLine(nullptr, TRUE, TRUE);
  SetCommon(*line, 1);
  line->m_dWidth = 33.5;
  line->m_dHeight = 0.5;
  line->m_dAngle = 30.0;
  line->m_nRows = 2;
  line->m_nColumns = 3;
  line->m_dRowGap = 4.5;
  line->m_dColumnGap = 5.5;
  line->m_bKeepAspect = 1;

  list.AddLine(nullptr, TRUE, TRUE)->m_bDeleted = 1;

  CRectangleObject* rect = list.AddRectangle(nullptr, TRUE, TRUE);
  SetCommon(*rect, 2);
  rect->m_dWidth = 25.0;
  rect->m_dHeight = 15.0;
  rect->m_dEdgeSize = 1.5;
  rect->m_dEdgeRadius = 2.5;
  rect->m_nEdgeStyle = 2;
  rect->m_nRows = 3;
  rect->m_bKeepAspect = 1;

  CCircleObject* circle = list.AddCircle(nullptr, TRUE, TRUE);
  SetCommon(*circle, 3);
  circle->m_dSizeX = 30.0;
  circle->m_dSizeY = 20.0;
  circle->m_dEdgeSize = 0.0;
  circle->m_nColumns = 4;
  circle->m_dColumnGap = 2.0;

  CTriangleObject* tri = list.AddTriangle(nullptr, TRUE, TRUE);
  SetCommon(*tri, 4);
  tri->m_dWidth = 18.0;
  tri->m_dHeight = 12.0;
  tri->m_dEdgeSize = 0.75;
  tri->m_nDirection = 1;
  tri->m_bKeepAspect = 1;

  CRhombicObject* rh = list.AddRhombic(nullptr, TRUE, TRUE);
  SetCommon(*rh, 5);
  rh->m_dWidth = 14.0;
  rh->m_dHeight = 9.0;
  rh->m_dEdgeSize = 0.25;
  rh->m_nRows = 2;

  CPolygonObject* poly = list.AddPolygon(nullptr, TRUE, TRUE);
  SetCommon(*poly, 6);
  poly->m_dSize = 16.0;
  poly->m_dEdgeSize = 1.25;
  poly->m_nEdges = 6;
  poly->m_nColumns = 2;

  CText1Object* t1 = list.AddText1(nullptr, TRUE, TRUE);
  SetCommon(*t1, 7);
  t1->m_dWidth = 44.0;
  t1->m_dHeight = 12.0;
  t1->m_dCharWidth = 3.5;
  t1->m_dCharHeight = 5.5;
  t1->m_dCharGap = 0.5;
  t1->m_dAngle = 15.0;
  t1->m_dLineGap = 2.0;
  t1->m_bVariable = 1;
  // "AB", CR LF, a double-byte character and "C".
  t1->SetText(CString("AB\r\n\x82\xA0" "C"));
  t1->m_vCharRecords[0].dOffsetX = 1.25;
  t1->m_vCharRecords[4].dAngle = -45.0;
  t1->m_vCharRecords[5].dFontWidthY = 0.125;
  t1->m_nWriteDirection = 1;
  t1->m_nAlign = 2;
  t1->m_dLineWidthX = 0.25;
  t1->m_dLineWidthY = 0.5;
  t1->m_nWeight = 700;
  t1->m_bItalic = 1;
  t1->m_nCharSet = 128;
  t1->SetFaceName("Liberation Sans");
  t1->m_nFontExtra1 = 11;
  t1->m_nFontExtra2 = 12;
  t1->m_nFontSize = 105;
  t1->m_bCountUp = 1;
  t1->m_nCount = 42;
  t1->m_nCountStart = 40;
  t1->m_nCountDigits = 5;
  t1->m_bWidthDirection = 1;
  t1->m_bTextChanged = 1;

  CText2Object* t2 = list.AddText2(nullptr, TRUE, TRUE);
  SetCommon(*t2, 8);
  t2->m_dRadiusX = 25.0;
  t2->m_dRadiusY = 22.5;
  t2->m_dSpan = 180.0;
  t2->m_dAngle = 10.0;
  t2->m_dCharWidth = 5.0;
  t2->m_dCharHeight = 7.0;
  t2->SetText(CString("XY\x82\xA0"));
  t2->m_vCharRecords[1].dSizeX = 0.5;
  t2->m_vCharRecords[2].dOffsetY = -1.5;
  t2->m_nDirection = 1;
  t2->m_bKeepAspect = 1;
  t2->m_dLineWidthX = 0.125;
  t2->m_dLineWidthY = 0.25;
  t2->m_nWeight = 300;
  t2->m_bItalic = 1;
  t2->m_nCharSet = 1;
  t2->SetFaceName("IPAMincho");
  t2->m_nFontExtra1 = 21;
  t2->m_nFontExtra2 = 22;
  t2->m_nFontSize = 90;
  t2->m_bWidthDirection = 1;
  t2->m_bTextChanged = 1;

  CBmpObject* bmp = list.AddBmpFromImage(SmallImage());
  SetCommon(*bmp, 9);
  bmp->m_dWidth = 16.0;
  bmp->m_dHeight = 6.5;
  bmp->m_nRows = 2;
  bmp->m_nColumns = 2;
  bmp->m_dRowGap = 0.5;
  bmp->m_dColumnGap = 0.75;
  bmp->m_bKeepAspect = 1;
  bmp->m_bInvert = 1;
  bmp->m_strPath = bmpPath;

  CBarcodeObject* bar = list.AddBarcode(nullptr, TRUE, TRUE);
  SetCommon(*bar, 10);
  bar->m_dSizeX = 22.0;
  bar->m_dSizeY = 22.0;
  bar->m_strText = "HELLO";
  bar->m_nLevel = 3;
  bar->m_nVersion = 7;
}

enum class Format { Binary, Text };

// Values a format does not keep, taken over from the read object so that the comparison below
// covers everything else.
void TakeUnstored(CDrawObject& expected, const CDrawObject& read, Format format);

// Every field of two objects of the same kind (names and group ids aside), children included.
void ExpectSameObject(const CDrawObject& expected, const CDrawObject& actual);

// Everything about a list that a refused file must leave alone: its file bytes, its counters
// and its entry pointers.
struct ListSnapshot {
  std::vector<BYTE> bytes;
  std::vector<int> counters;
  std::vector<const CDrawObject*> entries;
  bool operator==(const ListSnapshot&) const = default;
};
ListSnapshot Snapshot(const CObjectList& list);

// Paints the whole design, captures every object's outline and renders the engraving raster.
void PaintCaptureRaster(CKorvaneDoc& doc, CLeftView& view);

}  // namespace mrktest
