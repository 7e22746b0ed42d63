#include "doc_fakes.h"

BOOL FakeCanvasView::CalcObject(CDrawObject* object, CDoubleRect& out) {
  double w = 0, h = 0;
  switch (object->m_nType) {
    case TYPE_LINE: w = static_cast<CLineObject*>(object)->m_dWidth; h = static_cast<CLineObject*>(object)->m_dHeight; break;
    case TYPE_RECTANGLE:
      w = static_cast<CRectangleObject*>(object)->m_dWidth;
      h = static_cast<CRectangleObject*>(object)->m_dHeight;
      break;
    case TYPE_CIRCLE:
      w = static_cast<CCircleObject*>(object)->m_dSizeX;
      h = static_cast<CCircleObject*>(object)->m_dSizeY;
      break;
    default: out.SetRectEmpty(); return FALSE;
  }
  out = CDoubleRect(object->m_dPosX - w / 2, object->m_dPosY + h / 2, object->m_dPosX + w / 2, object->m_dPosY - h / 2);
  return TRUE;
}
