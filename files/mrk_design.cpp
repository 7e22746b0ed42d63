#include "files/mrk_design.h"

bool CMrkDesign::HasDrawingData() const {
  for (const auto& record : m_Records) {
    if (record && record->m_nType == TYPE_DRAWING) return true;
  }
  return false;
}

std::unique_ptr<CDrawObject> MrkNewObjectOfKind(CObjectList& list, int kind) {
  CDrawObject* o = nullptr;
  switch (kind) {
    case TYPE_LINE: o = list.AddLine(nullptr, FALSE, FALSE); break;
    case TYPE_RECTANGLE: o = list.AddRectangle(nullptr, FALSE, FALSE); break;
    case TYPE_CIRCLE: o = list.AddCircle(nullptr, FALSE, FALSE); break;
    case TYPE_TRIANGLE: o = list.AddTriangle(nullptr, FALSE, FALSE); break;
    case TYPE_RHOMBIC: o = list.AddRhombic(nullptr, FALSE, FALSE); break;
    case TYPE_POLYGON: o = list.AddPolygon(nullptr, FALSE, FALSE); break;
    case TYPE_TEXT1: o = list.AddText1(nullptr, FALSE, FALSE); break;
    case TYPE_TEXT2: o = list.AddText2(nullptr, FALSE, FALSE); break;
    case TYPE_BMP: return MrkNewBmpObject(list);
    case TYPE_BARCODE: o = list.AddBarcode(nullptr, FALSE, FALSE); break;
    default: return nullptr;
  }
  o->SetName("");
  return std::unique_ptr<CDrawObject>(o);
}

std::unique_ptr<CBmpObject> MrkNewBmpObject(CObjectList& list) {
  // As the list's ReplaceBmp, but the name (and so the counter) waits for the commit.
  auto o = std::make_unique<CBmpObject>();
  o->ResetSettings();
  o->m_nGroupId = 0;
  list.ApplyOutputDefaults(o.get(), TYPE_BMP);
  o->m_bDeleted = 0;
  return o;
}

std::unique_ptr<CDrawingObject> MrkCloneDrawing(const CDrawingObject& source) {
  auto copy = std::make_unique<CDrawingObject>();
  InitNewObject(*copy, TYPE_DRAWING);
  copy->CopySettings(&source);
  copy->CopyCommon(&source);
  copy->m_dPosX = source.m_dPosX;
  copy->m_dPosY = source.m_dPosY;
  if (source.m_pSetting) {
    copy->m_pSetting->m_dPosX = source.m_pSetting->m_dPosX;
    copy->m_pSetting->m_dPosY = source.m_pSetting->m_dPosY;
  }
  return copy;
}

void MrkApplyDrawing(CDrawingObject& target, const CDrawingObject& source) {
  if (&target == &source) return;
  target.CopyCommon(&source);
  target.m_dPosX = source.m_dPosX;
  target.m_dPosY = source.m_dPosY;
  if (!target.m_pSetting || !target.m_pArea || !target.m_pField) {
    target.CopySettings(&source);
  } else if (source.m_pSetting && source.m_pArea && source.m_pField) {
    target.m_pSetting->CopySettings(source.m_pSetting.get());
    target.m_pSetting->CopyCommon(source.m_pSetting.get());
    // The setting child's copy leaves its position alone; the file carries it.
    target.m_pSetting->m_dPosX = source.m_pSetting->m_dPosX;
    target.m_pSetting->m_dPosY = source.m_pSetting->m_dPosY;
    target.m_pArea->CopySettings(source.m_pArea.get());
    target.m_pArea->CopyCommon(source.m_pArea.get());
    target.m_pField->CopySettings(source.m_pField.get());
    target.m_pField->CopyCommon(source.m_pField.get());
  }
  target.m_bDeleted = 0;
}

namespace {

CDrawObject* AppendCopy(CObjectList& list, CDrawObject* o) {
  switch (o->m_nType) {
    case TYPE_LINE: return list.AddLine(static_cast<CLineObject*>(o), TRUE, FALSE);
    case TYPE_RECTANGLE: return list.AddRectangle(static_cast<CRectangleObject*>(o), TRUE, FALSE);
    case TYPE_CIRCLE: return list.AddCircle(static_cast<CCircleObject*>(o), TRUE, FALSE);
    case TYPE_TRIANGLE: return list.AddTriangle(static_cast<CTriangleObject*>(o), TRUE, FALSE);
    case TYPE_RHOMBIC: return list.AddRhombic(static_cast<CRhombicObject*>(o), TRUE, FALSE);
    case TYPE_POLYGON: return list.AddPolygon(static_cast<CPolygonObject*>(o), TRUE, FALSE);
    case TYPE_TEXT1: return list.AddText1(static_cast<CText1Object*>(o), TRUE, FALSE);
    case TYPE_TEXT2: return list.AddText2(static_cast<CText2Object*>(o), TRUE, FALSE);
    case TYPE_BARCODE: return list.AddBarcode(static_cast<CBarcodeObject*>(o), TRUE, FALSE);
    default: return nullptr;
  }
}

}  // namespace

CDrawObject* CMrkDesign::Commit(CObjectList& list, BOOL* drawingLoaded) {
  if (drawingLoaded) *drawingLoaded = FALSE;
  CDrawObject* result = nullptr;
  for (auto& record : m_Records) {
    if (!record) continue;
    const int kind = record->m_nType;
    if (kind == TYPE_DRAWING) {
      CDrawingObject* drawing = list.GetDrawingObject();
      if (!drawing) continue;
      MrkApplyDrawing(*drawing, static_cast<const CDrawingObject&>(*record));
      if (drawingLoaded) *drawingLoaded = TRUE;
      result = drawing;
      continue;
    }
    record->SetName(list.MakeObjectName(kind, FALSE));
    if (kind == TYPE_BMP) {
      std::unique_ptr<CBmpObject> bmp(static_cast<CBmpObject*>(record.release()));
      result = list.AppendBmp(std::move(bmp));
    } else {
      CDrawObject* added = AppendCopy(list, record.get());
      if (added) result = added;
    }
  }
  m_Records.clear();
  return result;
}
