#include "mrk_test_util.h"

namespace mrktest {

namespace {

void ExpectSameRecords(const std::vector<CTextCharRecord>& a, const std::vector<CTextCharRecord>& b) {
  ASSERT_EQ(a.size(), b.size());
  for (size_t i = 0; i < a.size(); ++i) EXPECT_EQ(a[i], b[i]) << "character record " << i;
}

void ExpectSameCommon(const CDrawObject& a, const CDrawObject& b) {
  EXPECT_EQ(a.m_nType, b.m_nType);
  EXPECT_EQ(a.m_nByteSize, b.m_nByteSize);
  EXPECT_EQ(a.m_bDeleted, b.m_bDeleted);
  EXPECT_EQ(a.m_crColor, b.m_crColor);
  EXPECT_EQ(a.m_rcBounds.left, b.m_rcBounds.left);
  EXPECT_EQ(a.m_rcBounds.top, b.m_rcBounds.top);
  EXPECT_EQ(a.m_rcBounds.right, b.m_rcBounds.right);
  EXPECT_EQ(a.m_rcBounds.bottom, b.m_rcBounds.bottom);
  EXPECT_EQ(a.m_nInnerCornerStyle, b.m_nInnerCornerStyle);
  EXPECT_EQ(a.m_nOuterCornerStyle, b.m_nOuterCornerStyle);
  EXPECT_EQ(a.m_nLayer, b.m_nLayer);
  EXPECT_EQ(a.m_nOutputMode, b.m_nOutputMode);
  EXPECT_EQ(a.m_dScanInterval, b.m_dScanInterval);
  EXPECT_EQ(a.m_nFillDirection, b.m_nFillDirection);
  EXPECT_EQ(a.m_bMirrorX, b.m_bMirrorX);
  EXPECT_EQ(a.m_bMirrorY, b.m_bMirrorY);
  EXPECT_EQ(a.m_dPosX, b.m_dPosX);
  EXPECT_EQ(a.m_dPosY, b.m_dPosY);
  EXPECT_EQ(a.m_nCapturedCount, b.m_nCapturedCount);
  ASSERT_EQ(a.m_vInnerPoints.size(), b.m_vInnerPoints.size());
  for (size_t i = 0; i < a.m_vInnerPoints.size(); ++i) EXPECT_TRUE(a.m_vInnerPoints[i] == b.m_vInnerPoints[i]);
  ASSERT_EQ(a.m_vOuterPoints.size(), b.m_vOuterPoints.size());
  for (size_t i = 0; i < a.m_vOuterPoints.size(); ++i) EXPECT_TRUE(a.m_vOuterPoints[i] == b.m_vOuterPoints[i]);
}

template <class T>
void Grid(const T& a, const T& b) {
  EXPECT_EQ(a.m_nRows, b.m_nRows);
  EXPECT_EQ(a.m_nColumns, b.m_nColumns);
  EXPECT_EQ(a.m_dRowGap, b.m_dRowGap);
  EXPECT_EQ(a.m_dColumnGap, b.m_dColumnGap);
}

}  // namespace

void TakeUnstored(CDrawObject& e, const CDrawObject& r, Format format) {
  e.SetName(r.GetName());
  e.m_nGroupId = r.m_nGroupId;
  if (format == Format::Text) {
    // The text format keeps no bounds, corner styles or captured outlines, and the colour
    // follows the layer.
    e.m_crColor = r.m_crColor;
    e.m_rcBounds = r.m_rcBounds;
    e.m_nInnerCornerStyle = r.m_nInnerCornerStyle;
    e.m_nOuterCornerStyle = r.m_nOuterCornerStyle;
    e.m_nCapturedCount = r.m_nCapturedCount;
    e.m_vInnerPoints = r.m_vInnerPoints;
    e.m_vOuterPoints = r.m_vOuterPoints;
  }
  switch (e.m_nType) {
    case TYPE_TEXT1: {
      auto& a = static_cast<CText1Object&>(e);
      const auto& b = static_cast<const CText1Object&>(r);
      a.m_nReserved = b.m_nReserved;
      if (format == Format::Text) {
        a.m_bVariable = b.m_bVariable;
        a.m_nFontExtra1 = b.m_nFontExtra1;
        a.m_nFontExtra2 = b.m_nFontExtra2;
        a.m_nFontSize = b.m_nFontSize;
        a.m_bTextChanged = b.m_bTextChanged;
      }
      break;
    }
    case TYPE_TEXT2: {
      auto& a = static_cast<CText2Object&>(e);
      const auto& b = static_cast<const CText2Object&>(r);
      a.m_nReserved = b.m_nReserved;
      if (format == Format::Text) {
        a.m_nFontExtra1 = b.m_nFontExtra1;
        a.m_nFontExtra2 = b.m_nFontExtra2;
        a.m_nFontSize = b.m_nFontSize;
        a.m_bTextChanged = b.m_bTextChanged;
      }
      break;
    }
    case TYPE_BMP: {
      auto& a = static_cast<CBmpObject&>(e);
      const auto& b = static_cast<const CBmpObject&>(r);
      a.m_nStretchMode = b.m_nStretchMode;
      a.m_nTone = b.m_nTone;
      a.m_nGradation = b.m_nGradation;
      a.m_nSealPart = b.m_nSealPart;
      a.m_Clip = b.m_Clip;
      break;
    }
    case TYPE_DRAWING: {
      auto& a = static_cast<CDrawingObject&>(e);
      const auto& b = static_cast<const CDrawingObject&>(r);
      a.m_pSetting->m_nScanAngle = b.m_pSetting->m_nScanAngle;
      if (format == Format::Text) {
        // No frame width or corner radius in the text record.
        a.m_pArea->m_dFrameWidth = b.m_pArea->m_dFrameWidth;
        a.m_pArea->m_dCornerRadius = b.m_pArea->m_dCornerRadius;
        // Only the settings travel: the work-area record's common parts stay as they were.
        CDrawObject* ours[4] = {&a, a.m_pSetting.get(), a.m_pArea.get(), a.m_pField.get()};
        const CDrawObject* theirs[4] = {&b, b.m_pSetting.get(), b.m_pArea.get(), b.m_pField.get()};
        for (int i = 0; i < 4; ++i) {
          const double x = ours[i]->m_dPosX, y = ours[i]->m_dPosY;
          ours[i]->CopyCommon(theirs[i]);
          if (i == 2 || i == 3) {
            ours[i]->m_dPosX = x;
            ours[i]->m_dPosY = y;
          } else {
            ours[i]->m_dPosX = theirs[i]->m_dPosX;
            ours[i]->m_dPosY = theirs[i]->m_dPosY;
          }
        }
      }
      break;
    }
    default:
      break;
  }
}

void ExpectSameObject(const CDrawObject& expected, const CDrawObject& actual) {
  SCOPED_TRACE(::testing::Message() << "kind " << expected.m_nType);
  ExpectSameCommon(expected, actual);
  if (expected.m_nType != actual.m_nType) return;
  switch (expected.m_nType) {
    case TYPE_LINE: {
      const auto& a = static_cast<const CLineObject&>(expected);
      const auto& b = static_cast<const CLineObject&>(actual);
      EXPECT_EQ(a.m_dWidth, b.m_dWidth);
      EXPECT_EQ(a.m_dHeight, b.m_dHeight);
      EXPECT_EQ(a.m_dAngle, b.m_dAngle);
      Grid(a, b);
      EXPECT_EQ(a.m_bKeepAspect, b.m_bKeepAspect);
      break;
    }
    case TYPE_RECTANGLE: {
      const auto& a = static_cast<const CRectangleObject&>(expected);
      const auto& b = static_cast<const CRectangleObject&>(actual);
      EXPECT_EQ(a.m_dWidth, b.m_dWidth);
      EXPECT_EQ(a.m_dHeight, b.m_dHeight);
      EXPECT_EQ(a.m_dEdgeSize, b.m_dEdgeSize);
      EXPECT_EQ(a.m_dEdgeRadius, b.m_dEdgeRadius);
      EXPECT_EQ(a.m_nEdgeStyle, b.m_nEdgeStyle);
      Grid(a, b);
      EXPECT_EQ(a.m_bKeepAspect, b.m_bKeepAspect);
      break;
    }
    case TYPE_CIRCLE: {
      const auto& a = static_cast<const CCircleObject&>(expected);
      const auto& b = static_cast<const CCircleObject&>(actual);
      EXPECT_EQ(a.m_dSizeX, b.m_dSizeX);
      EXPECT_EQ(a.m_dSizeY, b.m_dSizeY);
      EXPECT_EQ(a.m_dEdgeSize, b.m_dEdgeSize);
      Grid(a, b);
      EXPECT_EQ(a.m_bKeepAspect, b.m_bKeepAspect);
      break;
    }
    case TYPE_TRIANGLE: {
      const auto& a = static_cast<const CTriangleObject&>(expected);
      const auto& b = static_cast<const CTriangleObject&>(actual);
      EXPECT_EQ(a.m_dWidth, b.m_dWidth);
      EXPECT_EQ(a.m_dHeight, b.m_dHeight);
      EXPECT_EQ(a.m_dEdgeSize, b.m_dEdgeSize);
      EXPECT_EQ(a.m_nDirection, b.m_nDirection);
      Grid(a, b);
      EXPECT_EQ(a.m_bKeepAspect, b.m_bKeepAspect);
      break;
    }
    case TYPE_RHOMBIC: {
      const auto& a = static_cast<const CRhombicObject&>(expected);
      const auto& b = static_cast<const CRhombicObject&>(actual);
      EXPECT_EQ(a.m_dWidth, b.m_dWidth);
      EXPECT_EQ(a.m_dHeight, b.m_dHeight);
      EXPECT_EQ(a.m_dEdgeSize, b.m_dEdgeSize);
      Grid(a, b);
      EXPECT_EQ(a.m_bKeepAspect, b.m_bKeepAspect);
      break;
    }
    case TYPE_POLYGON: {
      const auto& a = static_cast<const CPolygonObject&>(expected);
      const auto& b = static_cast<const CPolygonObject&>(actual);
      EXPECT_EQ(a.m_dSize, b.m_dSize);
      EXPECT_EQ(a.m_dEdgeSize, b.m_dEdgeSize);
      EXPECT_EQ(a.m_nEdges, b.m_nEdges);
      Grid(a, b);
      break;
    }
    case TYPE_TEXT1: {
      const auto& a = static_cast<const CText1Object&>(expected);
      const auto& b = static_cast<const CText1Object&>(actual);
      EXPECT_EQ(a.m_dWidth, b.m_dWidth);
      EXPECT_EQ(a.m_dHeight, b.m_dHeight);
      EXPECT_EQ(a.m_dCharWidth, b.m_dCharWidth);
      EXPECT_EQ(a.m_dCharHeight, b.m_dCharHeight);
      EXPECT_EQ(a.m_dCharGap, b.m_dCharGap);
      EXPECT_EQ(a.m_dAngle, b.m_dAngle);
      EXPECT_EQ(a.m_dLineGap, b.m_dLineGap);
      EXPECT_EQ(a.m_bVariable, b.m_bVariable);
      EXPECT_EQ(a.m_strText, b.m_strText);
      Grid(a, b);
      EXPECT_EQ(a.m_nWriteDirection, b.m_nWriteDirection);
      EXPECT_EQ(a.m_nAlign, b.m_nAlign);
      EXPECT_EQ(a.m_dLineWidthX, b.m_dLineWidthX);
      EXPECT_EQ(a.m_dLineWidthY, b.m_dLineWidthY);
      EXPECT_EQ(a.m_nWeight, b.m_nWeight);
      EXPECT_EQ(a.m_bItalic, b.m_bItalic);
      EXPECT_EQ(a.m_nCharSet, b.m_nCharSet);
      EXPECT_EQ(a.m_strFaceName, b.m_strFaceName);
      EXPECT_EQ(a.m_nFontExtra1, b.m_nFontExtra1);
      EXPECT_EQ(a.m_nFontExtra2, b.m_nFontExtra2);
      EXPECT_EQ(a.m_nFontSize, b.m_nFontSize);
      EXPECT_EQ(a.m_bCountUp, b.m_bCountUp);
      EXPECT_EQ(a.m_nCount, b.m_nCount);
      EXPECT_EQ(a.m_nCountStart, b.m_nCountStart);
      EXPECT_EQ(a.m_nCountDigits, b.m_nCountDigits);
      EXPECT_EQ(a.m_bWidthDirection, b.m_bWidthDirection);
      ExpectSameRecords(a.m_vCharRecords, b.m_vCharRecords);
      EXPECT_EQ(a.m_nReserved, b.m_nReserved);
      EXPECT_EQ(a.m_bTextChanged, b.m_bTextChanged);
      break;
    }
    case TYPE_TEXT2: {
      const auto& a = static_cast<const CText2Object&>(expected);
      const auto& b = static_cast<const CText2Object&>(actual);
      EXPECT_EQ(a.m_dRadiusX, b.m_dRadiusX);
      EXPECT_EQ(a.m_dRadiusY, b.m_dRadiusY);
      EXPECT_EQ(a.m_dSpan, b.m_dSpan);
      EXPECT_EQ(a.m_dAngle, b.m_dAngle);
      EXPECT_EQ(a.m_dCharWidth, b.m_dCharWidth);
      EXPECT_EQ(a.m_dCharHeight, b.m_dCharHeight);
      EXPECT_EQ(a.m_strText, b.m_strText);
      Grid(a, b);
      EXPECT_EQ(a.m_nDirection, b.m_nDirection);
      EXPECT_EQ(a.m_bKeepAspect, b.m_bKeepAspect);
      EXPECT_EQ(a.m_dLineWidthX, b.m_dLineWidthX);
      EXPECT_EQ(a.m_dLineWidthY, b.m_dLineWidthY);
      EXPECT_EQ(a.m_nWeight, b.m_nWeight);
      EXPECT_EQ(a.m_bItalic, b.m_bItalic);
      EXPECT_EQ(a.m_nCharSet, b.m_nCharSet);
      EXPECT_EQ(a.m_strFaceName, b.m_strFaceName);
      EXPECT_EQ(a.m_nFontExtra1, b.m_nFontExtra1);
      EXPECT_EQ(a.m_nFontExtra2, b.m_nFontExtra2);
      EXPECT_EQ(a.m_nFontSize, b.m_nFontSize);
      EXPECT_EQ(a.m_bWidthDirection, b.m_bWidthDirection);
      ExpectSameRecords(a.m_vCharRecords, b.m_vCharRecords);
      EXPECT_EQ(a.m_nReserved, b.m_nReserved);
      EXPECT_EQ(a.m_bTextChanged, b.m_bTextChanged);
      break;
    }
    case TYPE_BMP: {
      const auto& a = static_cast<const CBmpObject&>(expected);
      const auto& b = static_cast<const CBmpObject&>(actual);
      EXPECT_EQ(a.m_bLoaded, b.m_bLoaded);
      EXPECT_TRUE(a.m_Image == b.m_Image);
      if (!b.m_Image.empty()) {
        EXPECT_EQ(b.m_pFileHeader, b.m_Image.data());
        EXPECT_EQ(b.m_pBits, b.m_Image.data() + 62);
      }
      EXPECT_EQ(a.m_dWidth, b.m_dWidth);
      EXPECT_EQ(a.m_dHeight, b.m_dHeight);
      Grid(a, b);
      EXPECT_EQ(a.m_bKeepAspect, b.m_bKeepAspect);
      EXPECT_EQ(a.m_bInvert, b.m_bInvert);
      EXPECT_EQ(a.m_strPath, b.m_strPath);
      EXPECT_EQ(a.m_nStretchMode, b.m_nStretchMode);
      EXPECT_EQ(a.m_nTone, b.m_nTone);
      EXPECT_EQ(a.m_nGradation, b.m_nGradation);
      break;
    }
    case TYPE_BARCODE: {
      const auto& a = static_cast<const CBarcodeObject&>(expected);
      const auto& b = static_cast<const CBarcodeObject&>(actual);
      EXPECT_EQ(a.m_dSizeX, b.m_dSizeX);
      EXPECT_EQ(a.m_dSizeY, b.m_dSizeY);
      Grid(a, b);
      EXPECT_EQ(a.m_strText, b.m_strText);
      EXPECT_EQ(a.m_nLevel, b.m_nLevel);
      EXPECT_EQ(a.m_nVersion, b.m_nVersion);
      break;
    }
    case TYPE_DRAWING: {
      const auto& a = static_cast<const CDrawingObject&>(expected);
      const auto& b = static_cast<const CDrawingObject&>(actual);
      ASSERT_TRUE(b.m_pSetting && b.m_pArea && b.m_pField);
      EXPECT_STREQ(a.GetName(), b.GetName());
      ExpectSameObject(*a.m_pSetting, *b.m_pSetting);
      ExpectSameObject(*a.m_pArea, *b.m_pArea);
      ExpectSameObject(*a.m_pField, *b.m_pField);
      break;
    }
    case TYPE_DRAWING_SETTING: {
      const auto& a = static_cast<const CDrawingSettingObject&>(expected);
      const auto& b = static_cast<const CDrawingSettingObject&>(actual);
      EXPECT_STREQ(a.GetName(), b.GetName());
      EXPECT_EQ(a.m_dEditArea, b.m_dEditArea);
      EXPECT_EQ(a.m_dGridSize, b.m_dGridSize);
      EXPECT_EQ(a.m_dScaleX, b.m_dScaleX);
      EXPECT_EQ(a.m_dScaleY, b.m_dScaleY);
      EXPECT_EQ(a.m_bSwapXY, b.m_bSwapXY);
      EXPECT_EQ(a.m_bReverseX, b.m_bReverseX);
      EXPECT_EQ(a.m_bReverseY, b.m_bReverseY);
      EXPECT_EQ(a.m_bHomeAfter, b.m_bHomeAfter);
      EXPECT_EQ(a.m_dHomeX, b.m_dHomeX);
      EXPECT_EQ(a.m_dHomeY, b.m_dHomeY);
      EXPECT_EQ(a.m_nScanAngle, b.m_nScanAngle);
      EXPECT_EQ(a.m_nCurrentLayer, b.m_nCurrentLayer);
      for (int k = 0; k < LAYER_COUNT; ++k) EXPECT_EQ(a.m_Layers[k], b.m_Layers[k]) << "layer " << k;
      break;
    }
    case TYPE_DRAWING_AREA: {
      const auto& a = static_cast<const CDrawingAreaObject&>(expected);
      const auto& b = static_cast<const CDrawingAreaObject&>(actual);
      EXPECT_STREQ(a.GetName(), b.GetName());
      EXPECT_EQ(a.m_dWidth, b.m_dWidth);
      EXPECT_EQ(a.m_dHeight, b.m_dHeight);
      EXPECT_EQ(a.m_nResolution, b.m_nResolution);
      EXPECT_EQ(a.m_dScanSpan, b.m_dScanSpan);
      EXPECT_EQ(a.m_nOutlineStyle, b.m_nOutlineStyle);
      EXPECT_EQ(a.m_nScanStyle, b.m_nScanStyle);
      EXPECT_EQ(a.m_nScanDirection, b.m_nScanDirection);
      EXPECT_EQ(a.m_nOutputStyle, b.m_nOutputStyle);
      EXPECT_EQ(a.m_nConversionStyle, b.m_nConversionStyle);
      EXPECT_EQ(a.m_dFrameWidth, b.m_dFrameWidth);
      EXPECT_EQ(a.m_dCornerRadius, b.m_dCornerRadius);
      break;
    }
    case TYPE_DRAWING_FIELD: {
      const auto& a = static_cast<const CDrawingFieldObject&>(expected);
      const auto& b = static_cast<const CDrawingFieldObject&>(actual);
      EXPECT_STREQ(a.GetName(), b.GetName());
      EXPECT_EQ(a.m_dFieldX, b.m_dFieldX);
      EXPECT_EQ(a.m_dFieldY, b.m_dFieldY);
      EXPECT_EQ(a.m_nPlotterPosition, b.m_nPlotterPosition);
      break;
    }
    default:
      ADD_FAILURE() << "no comparison for kind " << expected.m_nType;
  }
}

ListSnapshot Snapshot(const CObjectList& list) {
  ListSnapshot s;
  s.bytes = CMrkBinaryFile::Serialize(list);
  s.counters.assign(list.m_nCounters, list.m_nCounters + COUNTER_COUNT);
  for (int i = 0; i < list.GetCount(); ++i) s.entries.push_back(list.GetObject(i));
  return s;
}

}  // namespace mrktest
