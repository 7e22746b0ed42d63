#include "mrk_test_util.h"

#include "canvas/leftview.h"
#include "model/korvane_doc.h"
#include "platform/gdi/gdi.h"

namespace mrktest {

// One field of the expected (a) and the actual (b) object.
#define SAME(field) EXPECT_EQ(a.field, b.field) << #field

namespace {

void ExpectSameRecords(const CTextCharRecords& a, const CTextCharRecords& b) {
  ASSERT_EQ(a.size(), b.size());
  for (size_t i = 0; i < a.size(); ++i) EXPECT_EQ(a[i], b[i]) << "character record " << i;
}

void ExpectSameCommon(const CDrawObject& a, const CDrawObject& b) {
  SAME(m_nType); SAME(m_nByteSize); SAME(m_bDeleted); SAME(m_crColor);
  SAME(m_rcBounds.left); SAME(m_rcBounds.top); SAME(m_rcBounds.right); SAME(m_rcBounds.bottom);
  SAME(m_nInnerCornerStyle); SAME(m_nOuterCornerStyle); SAME(m_nLayer); SAME(m_nOutputMode);
  SAME(m_dScanInterval); SAME(m_nFillDirection); SAME(m_bMirrorX); SAME(m_bMirrorY);
  SAME(m_dPosX); SAME(m_dPosY); SAME(m_nCapturedCount);
  ASSERT_EQ(a.m_vInnerPoints.size(), b.m_vInnerPoints.size());
  for (size_t i = 0; i < a.m_vInnerPoints.size(); ++i) EXPECT_TRUE(a.m_vInnerPoints[i] == b.m_vInnerPoints[i]);
  ASSERT_EQ(a.m_vOuterPoints.size(), b.m_vOuterPoints.size());
  for (size_t i = 0; i < a.m_vOuterPoints.size(); ++i) EXPECT_TRUE(a.m_vOuterPoints[i] == b.m_vOuterPoints[i]);
}

template <class T>
void Grid(const T& a, const T& b) {
  SAME(m_nRows); SAME(m_nColumns); SAME(m_dRowGap); SAME(m_dColumnGap);
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
      SAME(m_dWidth); SAME(m_dHeight); SAME(m_dAngle);
      Grid(a, b);
      SAME(m_bKeepAspect);
      break;
    }
    case TYPE_RECTANGLE: {
      const auto& a = static_cast<const CRectangleObject&>(expected);
      const auto& b = static_cast<const CRectangleObject&>(actual);
      SAME(m_dWidth); SAME(m_dHeight); SAME(m_dEdgeSize); SAME(m_dEdgeRadius);
      SAME(m_nEdgeStyle);
      Grid(a, b);
      SAME(m_bKeepAspect);
      break;
    }
    case TYPE_CIRCLE: {
      const auto& a = static_cast<const CCircleObject&>(expected);
      const auto& b = static_cast<const CCircleObject&>(actual);
      SAME(m_dSizeX); SAME(m_dSizeY); SAME(m_dEdgeSize);
      Grid(a, b);
      SAME(m_bKeepAspect);
      break;
    }
    case TYPE_TRIANGLE: {
      const auto& a = static_cast<const CTriangleObject&>(expected);
      const auto& b = static_cast<const CTriangleObject&>(actual);
      SAME(m_dWidth); SAME(m_dHeight); SAME(m_dEdgeSize); SAME(m_nDirection);
      Grid(a, b);
      SAME(m_bKeepAspect);
      break;
    }
    case TYPE_RHOMBIC: {
      const auto& a = static_cast<const CRhombicObject&>(expected);
      const auto& b = static_cast<const CRhombicObject&>(actual);
      SAME(m_dWidth); SAME(m_dHeight); SAME(m_dEdgeSize);
      Grid(a, b);
      SAME(m_bKeepAspect);
      break;
    }
    case TYPE_POLYGON: {
      const auto& a = static_cast<const CPolygonObject&>(expected);
      const auto& b = static_cast<const CPolygonObject&>(actual);
      SAME(m_dSize); SAME(m_dEdgeSize); SAME(m_nEdges);
      Grid(a, b);
      break;
    }
    case TYPE_TEXT1: {
      const auto& a = static_cast<const CText1Object&>(expected);
      const auto& b = static_cast<const CText1Object&>(actual);
      SAME(m_dWidth); SAME(m_dHeight); SAME(m_dCharWidth); SAME(m_dCharHeight);
      SAME(m_dCharGap); SAME(m_dAngle); SAME(m_dLineGap); SAME(m_bVariable);
      SAME(m_strText);
      Grid(a, b);
      SAME(m_nWriteDirection); SAME(m_nAlign); SAME(m_dLineWidthX); SAME(m_dLineWidthY);
      SAME(m_nWeight); SAME(m_bItalic); SAME(m_nCharSet); SAME(m_strFaceName);
      SAME(m_nFontExtra1); SAME(m_nFontExtra2); SAME(m_nFontSize); SAME(m_bCountUp);
      SAME(m_nCount); SAME(m_nCountStart); SAME(m_nCountDigits); SAME(m_bWidthDirection);
      ExpectSameRecords(a.m_vCharRecords, b.m_vCharRecords);
      SAME(m_nReserved); SAME(m_bTextChanged);
      break;
    }
    case TYPE_TEXT2: {
      const auto& a = static_cast<const CText2Object&>(expected);
      const auto& b = static_cast<const CText2Object&>(actual);
      SAME(m_dRadiusX); SAME(m_dRadiusY); SAME(m_dSpan); SAME(m_dAngle);
      SAME(m_dCharWidth); SAME(m_dCharHeight); SAME(m_strText);
      Grid(a, b);
      SAME(m_nDirection); SAME(m_bKeepAspect); SAME(m_dLineWidthX); SAME(m_dLineWidthY);
      SAME(m_nWeight); SAME(m_bItalic); SAME(m_nCharSet); SAME(m_strFaceName);
      SAME(m_nFontExtra1); SAME(m_nFontExtra2); SAME(m_nFontSize); SAME(m_bWidthDirection);
      ExpectSameRecords(a.m_vCharRecords, b.m_vCharRecords);
      SAME(m_nReserved); SAME(m_bTextChanged);
      break;
    }
    case TYPE_BMP: {
      const auto& a = static_cast<const CBmpObject&>(expected);
      const auto& b = static_cast<const CBmpObject&>(actual);
      SAME(m_bLoaded);
      EXPECT_TRUE(a.m_Image == b.m_Image);
      if (!b.m_Image.empty()) {
        EXPECT_EQ(b.m_pFileHeader, b.m_Image.data());
        EXPECT_EQ(b.m_pBits, b.m_Image.data() + 62);
      }
      SAME(m_dWidth); SAME(m_dHeight);
      Grid(a, b);
      SAME(m_bKeepAspect); SAME(m_bInvert); SAME(m_strPath); SAME(m_nStretchMode);
      SAME(m_nTone); SAME(m_nGradation);
      break;
    }
    case TYPE_BARCODE: {
      const auto& a = static_cast<const CBarcodeObject&>(expected);
      const auto& b = static_cast<const CBarcodeObject&>(actual);
      SAME(m_dSizeX); SAME(m_dSizeY);
      Grid(a, b);
      SAME(m_strText); SAME(m_nLevel); SAME(m_nVersion);
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
      SAME(m_dEditArea); SAME(m_dGridSize); SAME(m_dScaleX); SAME(m_dScaleY);
      SAME(m_bSwapXY); SAME(m_bReverseX); SAME(m_bReverseY); SAME(m_bHomeAfter);
      SAME(m_dHomeX); SAME(m_dHomeY); SAME(m_nScanAngle); SAME(m_nCurrentLayer);
      for (int k = 0; k < LAYER_COUNT; ++k) EXPECT_EQ(a.m_Layers[k], b.m_Layers[k]) << "layer " << k;
      break;
    }
    case TYPE_DRAWING_AREA: {
      const auto& a = static_cast<const CDrawingAreaObject&>(expected);
      const auto& b = static_cast<const CDrawingAreaObject&>(actual);
      EXPECT_STREQ(a.GetName(), b.GetName());
      SAME(m_dWidth); SAME(m_dHeight); SAME(m_nResolution); SAME(m_dScanSpan);
      SAME(m_nOutlineStyle); SAME(m_nScanStyle); SAME(m_nScanDirection); SAME(m_nOutputStyle);
      SAME(m_nConversionStyle); SAME(m_dFrameWidth); SAME(m_dCornerRadius);
      break;
    }
    case TYPE_DRAWING_FIELD: {
      const auto& a = static_cast<const CDrawingFieldObject&>(expected);
      const auto& b = static_cast<const CDrawingFieldObject&>(actual);
      EXPECT_STREQ(a.GetName(), b.GetName());
      SAME(m_dFieldX); SAME(m_dFieldY); SAME(m_nPlotterPosition);
      break;
    }
    default:
      ADD_FAILURE() << "no comparison for kind " << expected.m_nType;
  }
}

#undef SAME

ListSnapshot Snapshot(const CObjectList& list) {
  ListSnapshot s;
  s.bytes = CMrkBinaryFile::Serialize(list);
  s.counters.assign(list.m_nCounters, list.m_nCounters + COUNTER_COUNT);
  for (int i = 0; i < list.GetCount(); ++i) s.entries.push_back(list.GetObject(i));
  return s;
}

void PaintCaptureRaster(CKorvaneDoc& doc, CLeftView& view) {
  // Every object as the screen draws it. The view's own chrome (the page grid and the
  // selection frame, which walk a 1e300 mm page pixel by pixel) is the canvas's matter.
  CDC mem;
  mem.CreateCompatibleDC(nullptr);
  CBitmap screen;
  ASSERT_TRUE(screen.CreateBitmap(320, 240, 1, 32, nullptr));
  CBitmap* old = mem.SelectObject(&screen);
  view.OnPrepareDC(&mem);
  const int n = doc.GetObjectList()->GetCount();
  for (int i = 1; i < n; ++i) view.DrawObject(&mem, doc.GetObjectList()->GetObject(i), TRUE);
  mem.SelectObject(old);

  for (int i = 1; i < n; ++i) {
    SCOPED_TRACE(i);
    view.GetOutlineType(i);
    view.SetOutlineData(i);
    view.ReleaseOutlinePoints();
  }
  CDC page;
  int dots[2] = {0, 0};
  CDoubleRect bounds;
  int oldZoom = 0;
  view.GetBitmapDC(&page, dots, &bounds, &oldZoom);
  CLeftView::ReleaseBitmapDC(&page);
  view.RestoreZoom(&doc, oldZoom);
}

}  // namespace mrktest
