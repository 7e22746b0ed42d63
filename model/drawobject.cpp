#include "model/drawobject.h"

#include <cstring>

#include "platform/cp932.h"

int GetObjectByteSize(int type) {
  switch (type) {
    case TYPE_LINE: return BYTESIZE_LINE;
    case TYPE_RECTANGLE: return BYTESIZE_RECTANGLE;
    case TYPE_CIRCLE: return BYTESIZE_CIRCLE;
    case TYPE_TRIANGLE: return BYTESIZE_TRIANGLE;
    case TYPE_RHOMBIC: return BYTESIZE_RHOMBIC;
    case TYPE_POLYGON: return BYTESIZE_POLYGON;
    case TYPE_TEXT1: return BYTESIZE_TEXT1;
    case TYPE_TEXT2: return BYTESIZE_TEXT2;
    case TYPE_BMP: return BYTESIZE_BMP;
    case TYPE_BARCODE: return BYTESIZE_BARCODE;
    case TYPE_MULTI: return BYTESIZE_MULTI;
    case TYPE_DRAWING: return BYTESIZE_DRAWING;
    case TYPE_DRAWING_SETTING: return BYTESIZE_DRAWING_SETTING;
    case TYPE_DRAWING_AREA: return BYTESIZE_DRAWING_AREA;
    case TYPE_DRAWING_FIELD: return BYTESIZE_DRAWING_FIELD;
    default: return 0;
  }
}

void InitNewObject(CDrawObject& object, int type) {
  object.m_nType = type;
  object.SetDefaults();
  object.m_nByteSize = GetObjectByteSize(type);
}

int FitToCharBoundary(const char* text, int maxBytes) {
  if (!text || maxBytes <= 0) return 0;
  int n = 0;
  while (text[n] != '\0') {
    int width = cp932::IsLeadByte(static_cast<unsigned char>(text[n])) && text[n + 1] != '\0' ? 2 : 1;
    if (n + width > maxBytes) break;
    n += width;
  }
  return n;
}

void CDrawObject::SetName(const char* name) {
  int n = FitToCharBoundary(name, OBJECT_NAME_SIZE - 1);
  std::memset(m_szName, 0, sizeof(m_szName));
  if (n > 0) std::memcpy(m_szName, name, n);
}

void CDrawObject::CopyCommon(const CDrawObject* source) {
  if (!source || source == this) return;
  SetName(source->m_szName);
  m_rcBounds = source->m_rcBounds;
  m_nInnerCornerStyle = source->m_nInnerCornerStyle;
  m_nOuterCornerStyle = source->m_nOuterCornerStyle;
  m_nByteSize = source->m_nByteSize;
  m_bDeleted = source->m_bDeleted;
  m_crColor = source->m_crColor;
  m_nLayer = source->m_nLayer;
  m_nOutputMode = source->m_nOutputMode;
  m_dScanInterval = source->m_dScanInterval;
  m_nFillDirection = source->m_nFillDirection;
  m_bMirrorX = source->m_bMirrorX;
  m_bMirrorY = source->m_bMirrorY;
  m_nGroupId = source->m_nGroupId;
  m_vInnerPoints.clear();
  m_vOuterPoints.clear();
  m_nCapturedCount = source->m_nCapturedCount;
  m_vInnerPoints.insert(m_vInnerPoints.end(), source->m_vInnerPoints.begin(), source->m_vInnerPoints.end());
  m_vOuterPoints.insert(m_vOuterPoints.end(), source->m_vOuterPoints.begin(), source->m_vOuterPoints.end());
}

void CLineObject::SetDefaults() {
  m_dPosX = m_dPosY = 0.0;
  m_dWidth = 10.0;
  m_dHeight = 1.0;
  m_dAngle = 0.0;
  m_nRows = m_nColumns = 1;
  m_dRowGap = m_dColumnGap = 1.0;
  m_bKeepAspect = 0;
}

void CLineObject::CopySettings(const CLineObject* s) {
  if (!s) return;
  m_dPosX = s->m_dPosX;
  m_dPosY = s->m_dPosY;
  m_dWidth = s->m_dWidth;
  m_dHeight = s->m_dHeight;
  m_dAngle = s->m_dAngle;
  CopyGridSettings(*this, *s);
  m_bKeepAspect = s->m_bKeepAspect;
}

void CRectangleObject::SetDefaults() {
  m_dPosX = m_dPosY = 0.0;
  m_dWidth = m_dHeight = 20.0;
  m_dEdgeSize = 1.0;
  m_dEdgeRadius = 1.0;
  m_nEdgeStyle = 0;
  m_nRows = m_nColumns = 1;
  m_dRowGap = m_dColumnGap = 1.0;
  m_bKeepAspect = 0;
}

void CRectangleObject::CopySettings(const CRectangleObject* s) {
  if (!s) return;
  m_dPosX = s->m_dPosX;
  m_dPosY = s->m_dPosY;
  m_dWidth = s->m_dWidth;
  m_dHeight = s->m_dHeight;
  m_dEdgeSize = s->m_dEdgeSize;
  m_dEdgeRadius = s->m_dEdgeRadius;
  m_nEdgeStyle = s->m_nEdgeStyle;
  CopyGridSettings(*this, *s);
  m_bKeepAspect = s->m_bKeepAspect;
}

void CCircleObject::SetDefaults() {
  m_dPosX = m_dPosY = 0.0;
  m_dSizeX = m_dSizeY = 40.0;
  m_dEdgeSize = 1.0;
  m_nRows = m_nColumns = 1;
  m_dRowGap = m_dColumnGap = 1.0;
  m_bKeepAspect = 0;
}

void CCircleObject::CopySettings(const CCircleObject* s) {
  if (!s) return;
  m_dPosX = s->m_dPosX;
  m_dPosY = s->m_dPosY;
  m_dSizeX = s->m_dSizeX;
  m_dSizeY = s->m_dSizeY;
  m_dEdgeSize = s->m_dEdgeSize;
  CopyGridSettings(*this, *s);
  m_bKeepAspect = s->m_bKeepAspect;
}

void CTriangleObject::SetDefaults() {
  m_dPosX = m_dPosY = 0.0;
  m_dWidth = m_dHeight = 20.0;
  m_dEdgeSize = 1.0;
  m_nDirection = 0;
  m_nRows = m_nColumns = 1;
  m_dRowGap = m_dColumnGap = 1.0;
  m_bKeepAspect = 0;
}

void CTriangleObject::CopySettings(const CTriangleObject* s) {
  if (!s) return;
  m_dPosX = s->m_dPosX;
  m_dPosY = s->m_dPosY;
  m_dWidth = s->m_dWidth;
  m_dHeight = s->m_dHeight;
  m_dEdgeSize = s->m_dEdgeSize;
  m_nDirection = s->m_nDirection;
  CopyGridSettings(*this, *s);
  m_bKeepAspect = s->m_bKeepAspect;
}

void CRhombicObject::SetDefaults() {
  m_dPosX = m_dPosY = 0.0;
  m_dWidth = m_dHeight = 20.0;
  m_dEdgeSize = 1.0;
  m_nRows = m_nColumns = 1;
  m_dRowGap = m_dColumnGap = 1.0;
  m_bKeepAspect = 0;
}

void CRhombicObject::CopySettings(const CRhombicObject* s) {
  if (!s) return;
  m_dPosX = s->m_dPosX;
  m_dPosY = s->m_dPosY;
  m_dWidth = s->m_dWidth;
  m_dHeight = s->m_dHeight;
  m_dEdgeSize = s->m_dEdgeSize;
  CopyGridSettings(*this, *s);
  m_bKeepAspect = s->m_bKeepAspect;
}

void CPolygonObject::SetDefaults() {
  m_dPosX = m_dPosY = 0.0;
  m_dSize = 20.0;
  m_dEdgeSize = 1.0;
  m_nEdges = 8;
  m_nRows = m_nColumns = 1;
  m_dRowGap = m_dColumnGap = 1.0;
}

void CPolygonObject::CopySettings(const CPolygonObject* s) {
  if (!s) return;
  m_dPosX = s->m_dPosX;
  m_dPosY = s->m_dPosY;
  m_dSize = s->m_dSize;
  m_dEdgeSize = s->m_dEdgeSize;
  m_nEdges = s->m_nEdges;
  CopyGridSettings(*this, *s);
}

CBarcodeObject::CBarcodeObject(const CBarcodeObject* source) {
  m_nType = TYPE_BARCODE;
  CopySettings(source);
  CopyCommon(source);
}

void CBarcodeObject::SetDefaults() {
  m_dPosX = m_dPosY = 0.0;
  m_dSizeX = 40.0;
  m_dSizeY = 10.0;
  m_nRows = m_nColumns = 1;
  m_dRowGap = m_dColumnGap = 1.0;
  m_strText = "1234567890";
  m_nLevel = 1;
  m_nVersion = -1;
}

void CBarcodeObject::CopySettings(const CBarcodeObject* s) {
  if (!s) return;
  m_dPosX = s->m_dPosX;
  m_dPosY = s->m_dPosY;
  m_dSizeX = s->m_dSizeX;
  m_dSizeY = s->m_dSizeY;
  CopyGridSettings(*this, *s);
  m_strText = s->m_strText;
  m_nLevel = s->m_nLevel;
  m_nVersion = s->m_nVersion;
}

CMultiObject::CMultiObject(const CMultiObject* source) {
  m_nType = TYPE_MULTI;
  CopySettings(source);
  CopyCommon(source);
}

void CMultiObject::SetDefaults() {
  m_dPosX = m_dPosY = 0.0;
  m_dSizeX = 40.0;
  m_dSizeY = 10.0;
}

void CMultiObject::CopySettings(const CMultiObject* s) {
  if (!s) return;
  m_dPosX = s->m_dPosX;
  m_dPosY = s->m_dPosY;
  m_dSizeX = s->m_dSizeX;
  m_dSizeY = s->m_dSizeY;
  m_bValid = s->m_bValid;
}
