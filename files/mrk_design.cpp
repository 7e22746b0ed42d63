#include "files/mrk_design.h"

#include "model/object_ranges.h"

namespace {

bool NamedKind(int kind) { return kind >= TYPE_LINE && kind <= TYPE_BARCODE; }

// The text kinds share one counter.
int CounterOf(int kind) { return kind == TYPE_TEXT2 ? TYPE_TEXT1 : kind; }

}  // namespace

void CMrkDesign::NameLost(CObjectList& list) {
  int pending[TYPE_BARCODE + 1] = {};
  size_t next = 0;
  for (CMrkLostRecord& r : m_Lost) {
    for (; next < r.before && next < m_Records.size(); ++next) {
      if (NamedKind(m_Records[next]->m_nType)) ++pending[CounterOf(m_Records[next]->m_nType)];
    }
    if (!NamedKind(r.kind)) continue;
    // The list's word for the kind, with the number this record uses up.
    std::string word = list.MakeObjectName(r.kind, TRUE).str();
    while (!word.empty() && word.back() >= '0' && word.back() <= '9') word.pop_back();
    r.name.Format("%s%d", word.c_str(), list.GetCounter(r.kind, FALSE) + ++pending[CounterOf(r.kind)]);
  }
}

void CMrkDesign::DropOutOfRange() {
  std::vector<std::unique_ptr<CDrawObject>> kept;
  std::vector<CMrkLostRecord> lost;
  size_t next = 0;
  auto takeLostUpTo = [&](size_t index) {
    for (; next < m_Lost.size() && m_Lost[next].before <= index; ++next) {
      lost.push_back(std::move(m_Lost[next]));
      lost.back().before = kept.size();
    }
  };
  for (size_t i = 0; i < m_Records.size(); ++i) {
    takeLostUpTo(i);
    std::unique_ptr<CDrawObject>& record = m_Records[i];
    CString what;
    if (record && !ObjectInRange(*record, &what)) {
      CMrkLostRecord r;
      r.kind = record->m_nType;
      r.reason = what;
      r.before = kept.size();
      lost.push_back(std::move(r));
      continue;
    }
    kept.push_back(std::move(record));
  }
  takeLostUpTo(m_Records.size());
  m_Records = std::move(kept);
  m_Lost = std::move(lost);
}

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

CDrawObject* CMrkDesign::Commit(CObjectList& list, BOOL* drawingLoaded) {
  if (drawingLoaded) *drawingLoaded = FALSE;
  CDrawObject* result = nullptr;
  size_t lost = 0;
  size_t index = 0;
  // A lost record uses up the name it would have had.
  auto skipLost = [&](size_t upTo) {
    for (; lost < m_Lost.size() && m_Lost[lost].before <= upTo; ++lost) {
      if (NamedKind(m_Lost[lost].kind)) list.MakeObjectName(m_Lost[lost].kind, FALSE);
    }
  };
  for (auto& record : m_Records) {
    skipLost(index++);
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
      // The record itself goes into the list: it was made as the list makes a new object of its
      // kind, so a copy of it would be the same object again.
      record->m_bDeleted = 0;
      CDrawObject* added = list.AppendObject(std::move(record));
      if (added) result = added;
    }
  }
  skipLost(m_Records.size());
  m_Records.clear();
  return result;
}
