#include "model/doc_objects.h"

#include "model/bmpobject.h"
#include "model/drawingobject.h"
#include "model/drawobject.h"
#include "model/kinds.h"
#include "model/textobject.h"

CDrawObject* NewObjectOfKind(int kind) {
  CDrawObject* object = nullptr;
  switch (kind) {
    case TYPE_LINE: object = new CLineObject; break;
    case TYPE_RECTANGLE: object = new CRectangleObject; break;
    case TYPE_CIRCLE: object = new CCircleObject; break;
    case TYPE_TRIANGLE: object = new CTriangleObject; break;
    case TYPE_RHOMBIC: object = new CRhombicObject; break;
    case TYPE_POLYGON: object = new CPolygonObject; break;
    case TYPE_TEXT1: object = new CText1Object; break;
    case TYPE_TEXT2: object = new CText2Object; break;
    case TYPE_BMP: object = new CBmpObject(static_cast<const CBmpObject*>(nullptr)); break;
    case TYPE_BARCODE: object = new CBarcodeObject; break;
    case TYPE_MULTI: object = new CMultiObject; break;
    case TYPE_DRAWING: object = new CDrawingObject; break;
    default: return nullptr;
  }
  object->m_nType = kind;
  return object;
}

namespace {

template <class T>
CDrawObject* CopyAs(const CDrawObject* source) {
  T* copy = static_cast<T*>(NewObjectOfKind(source->m_nType));
  copy->CopySettings(static_cast<const T*>(source));
  copy->CopyCommon(source);
  return copy;
}

}  // namespace

CDrawObject* CopyDrawObject(const CDrawObject* source) {
  if (!source) return nullptr;
  switch (source->m_nType) {
    case TYPE_LINE: return CopyAs<CLineObject>(source);
    case TYPE_RECTANGLE: return CopyAs<CRectangleObject>(source);
    case TYPE_CIRCLE: return CopyAs<CCircleObject>(source);
    case TYPE_TRIANGLE: return CopyAs<CTriangleObject>(source);
    case TYPE_RHOMBIC: return CopyAs<CRhombicObject>(source);
    case TYPE_POLYGON: return CopyAs<CPolygonObject>(source);
    case TYPE_TEXT1: return CopyAs<CText1Object>(source);
    case TYPE_TEXT2: return CopyAs<CText2Object>(source);
    case TYPE_BMP: return CopyAs<CBmpObject>(source);
    case TYPE_BARCODE: return CopyAs<CBarcodeObject>(source);
    case TYPE_MULTI: return CopyAs<CMultiObject>(source);
    case TYPE_DRAWING: return CopyAs<CDrawingObject>(source);
    default: return nullptr;
  }
}
