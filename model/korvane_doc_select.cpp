// The current object, the selection, copies handed to views and pages, delete, nudge and paste.
#include <algorithm>

#include "model/doc_objects.h"
#include "model/korvane_doc.h"
#include "model/objectlist.h"

namespace {

bool IsDrawableKind(int kind) { return kind >= TYPE_LINE && kind <= TYPE_BARCODE; }

}  // namespace

int CKorvaneDoc::ListCount() const { return m_pObjectList ? m_pObjectList->GetCount() : 0; }

// ---------------------------------------------------------------------------------------------
// Selection flags

void CKorvaneDoc::SyncSelectionLength() {
  const size_t count = static_cast<size_t>(ListCount());
  if (m_vSelection.size() != count) m_vSelection.resize(count, 0);
}

void CKorvaneDoc::CopySelectionFlags(const int* flags, int length) {
  m_vSelection.assign(static_cast<size_t>(ListCount()), 0);
  const int n = std::min(length, ListCount());
  for (int i = 0; i < n; ++i) m_vSelection[i] = flags[i];
}

void CKorvaneDoc::SetSelectionFlag(int slot, int value) {
  SyncSelectionLength();
  if (slot >= 0 && slot < GetSelectionLength()) m_vSelection[slot] = value;
}

void CKorvaneDoc::ClearSelectionFlags() { m_vSelection.assign(static_cast<size_t>(ListCount()), 0); }

std::vector<int> CKorvaneDoc::SelectedIndices() const {
  std::vector<int> indices;
  if (m_nSelectCount == 0) return indices;
  if (m_nSelectCount == 1) {
    if (m_nCurrentIndex > 0 && m_nCurrentIndex < ListCount()) indices.push_back(m_nCurrentIndex);
    return indices;
  }
  // Slot i stands for list index i + 1; the last slot has no entry behind it.
  const int count = ListCount();
  for (int slot = 0; slot < GetSelectionLength() && slot + 1 < count; ++slot) {
    if (m_vSelection[slot]) indices.push_back(slot + 1);
  }
  return indices;
}

int CKorvaneDoc::GetSelectedCount() const {
  int n = 0;
  const int count = ListCount();
  for (int slot = 0; slot < GetSelectionLength() && slot + 1 < count; ++slot) {
    if (m_vSelection[slot]) ++n;
  }
  return n;
}

int CKorvaneDoc::GetSelectedIndices(int* out, int capacity) const {
  int written = 0;
  const int count = ListCount();
  for (int slot = 0; slot < GetSelectionLength() && slot + 1 < count && written < capacity; ++slot) {
    if (m_vSelection[slot]) out[written++] = slot + 1;
  }
  return written;
}

// ---------------------------------------------------------------------------------------------
// Copies

void CKorvaneDoc::SetObjectCommon(int index, const CDrawObject* object) {
  if (!m_pObjectList || !object) return;
  if (CDrawObject* entry = m_pObjectList->GetObject(index)) entry->CopyCommon(object);
}

CDrawObject* CKorvaneDoc::CloneObject(int index) const {
  if (!m_pObjectList) return nullptr;
  const CDrawObject* entry = m_pObjectList->GetObject(index);
  if (!entry) return nullptr;
  if (!IsDrawableKind(entry->m_nType) && entry->m_nType != TYPE_DRAWING) return nullptr;
  return CopyDrawObject(entry);
}

CDrawObject* CKorvaneDoc::CopyCurrentObject() const {
  if (!m_pCurrentObject) return nullptr;
  const int kind = m_pCurrentObject->m_nType;
  if (!IsDrawableKind(kind) && kind != TYPE_MULTI && kind != TYPE_DRAWING) return nullptr;
  return CopyDrawObject(m_pCurrentObject);
}

void CKorvaneDoc::FreeObject(CDrawObject* object) { delete object; }

// ---------------------------------------------------------------------------------------------
// Adding and choosing

int CKorvaneDoc::AddNewObject(int kind) {
  g_bModified = 1;
  if (!m_pObjectList) return TYPE_UNKNOWN;
  CDrawObject* object = nullptr;
  switch (kind) {
    case TYPE_LINE: object = m_pObjectList->AddLine(nullptr, TRUE, TRUE); break;
    case TYPE_RECTANGLE: object = m_pObjectList->AddRectangle(nullptr, TRUE, TRUE); break;
    case TYPE_CIRCLE: object = m_pObjectList->AddCircle(nullptr, TRUE, TRUE); break;
    case TYPE_TRIANGLE: object = m_pObjectList->AddTriangle(nullptr, TRUE, TRUE); break;
    case TYPE_RHOMBIC: object = m_pObjectList->AddRhombic(nullptr, TRUE, TRUE); break;
    case TYPE_POLYGON: object = m_pObjectList->AddPolygon(nullptr, TRUE, TRUE); break;
    case TYPE_TEXT1: object = m_pObjectList->AddText1(nullptr, TRUE, TRUE); break;
    case TYPE_TEXT2: object = m_pObjectList->AddText2(nullptr, TRUE, TRUE); break;
    case TYPE_BMP: object = m_pObjectList->AddBmpCopy(nullptr, TRUE, TRUE); break;
    case TYPE_BARCODE: object = m_pObjectList->AddBarcode(nullptr, TRUE, TRUE); break;
    default: break;
  }
  if (!object) return TYPE_UNKNOWN;
  SyncSelectionLength();
  m_pCurrentObject = object;
  m_nCurrentKind = kind;
  m_nCurrentIndex = ListCount() - 1;
  m_nSelectCount = 1;
  m_nLastAction = HINT_OBJECTS_ADDED;
  UpdateFormView(kind);
  UpdateCanvasView(kind);
  return kind;
}

int CKorvaneDoc::SetCurrentObject(int index, BOOL notifyForm, BOOL notifyCanvas) {
  g_bModified = 1;
  if (!m_pObjectList) return TYPE_UNKNOWN;
  if (index == -2) {
    if (m_nCurrentKind == TYPE_DRAWING) return TYPE_DRAWING;
    m_pCurrentObject = m_pObjectList->GetObject(0);
    m_nCurrentKind = TYPE_DRAWING;
    m_nCurrentIndex = 0;
    m_nSelectCount = 0;
  } else {
    CDrawObject* entry = index >= 0 ? m_pObjectList->GetObject(index) : nullptr;
    if (!entry) return TYPE_UNKNOWN;
    m_pCurrentObject = entry;
    m_nCurrentKind = entry->m_nType;
    m_nCurrentIndex = index;
    m_nSelectCount = index == 0 ? 0 : 1;
  }
  m_nLastAction = HINT_SELECTION_CHANGED;
  const LPARAM hint = index == -2 ? 0 : index;
  if (notifyForm) UpdateFormView(hint);
  if (notifyCanvas) UpdateCanvasView(hint);
  return m_nCurrentKind;
}

void CKorvaneDoc::SetMultiSelection(const int* flags, int length) {
  g_bModified = 1;
  if (!m_pObjectList) return;
  m_pObjectList->GetMultiObject()->m_bValid = 1;
  m_nCurrentKind = TYPE_MULTI;
  m_nLastAction = HINT_SELECTION_CHANGED;
  m_nCurrentIndex = -1;
  if (flags) {
    CopySelectionFlags(flags, length);
    m_nSelectCount = GetSelectionLength();
  }
  UpdateMultiBounds();
  m_pCurrentObject = m_pObjectList->GetMultiObject();
  UpdateBothViews(-1);
}

void CKorvaneDoc::SelectAddedObjects(const int* flags, int length) {
  g_bModified = 1;
  if (!m_pObjectList) return;
  m_nCurrentKind = TYPE_MULTI;
  m_nLastAction = HINT_OBJECTS_ADDED;
  m_nCurrentIndex = -1;
  if (flags) {
    CopySelectionFlags(flags, length);
    m_nSelectCount = GetSelectionLength();
  }
  UpdateMultiBounds();
  m_pCurrentObject = m_pObjectList->GetMultiObject();
  UpdateBothViews(TYPE_MULTI);
}

// ---------------------------------------------------------------------------------------------
// Delete and nudge

int CKorvaneDoc::DeleteSelection() {
  g_bModified = 1;
  if (!m_pObjectList || m_nSelectCount == 0) return 0;
  const int count = m_nSelectCount;
  m_nLastAction = HINT_OBJECTS_DELETED;
  if (count == 1) {
    UpdateCanvasView(m_nCurrentIndex);
    // Item 0 is the work area: it is never deleted.
    if (m_nCurrentIndex > 0) {
      if (CDrawObject* entry = m_pObjectList->GetObject(m_nCurrentIndex)) entry->m_bDeleted = 1;
    }
    m_nLastDeletedIndex = m_nCurrentIndex;
  } else {
    UpdateCanvasView(-1);
    for (int index : SelectedIndices()) m_pObjectList->GetObject(index)->m_bDeleted = 1;
  }
  // The flags stay as they were: the frame's cut reads them.
  m_pCurrentObject = m_pObjectList->GetObject(0);
  m_nCurrentKind = TYPE_DRAWING;
  m_nCurrentIndex = 0;
  m_nSelectCount = 0;
  ReleaseDeletedTail();
  UpdateFormView(0);
  return count;
}

void CKorvaneDoc::ReleaseDeletedTail() {
  // Deleted entries stay for a paste of the block that names them (a cut's paste brings them
  // back). Past the last index the clipboard names, a deleted run at the end of the list is read
  // by nothing: the list drops it, and with it the memory a large paste deleted again would
  // keep. Indices below it stay valid; the views learn of the removal from the list.
  const int count = ListCount();
  if (count < 2 || !m_pMainFrame) return;
  int run = 0;
  while (run + 1 < count && m_pObjectList->GetObject(count - 1 - run)->m_bDeleted) ++run;
  // Entries leaving the list make the views take their rows and kept bounds afresh: for a few
  // deleted entries at the end of a large design that costs more than the entries hold, so the
  // run waits until it is a sixteenth of the list.
  if (run == 0 || static_cast<long long>(run) * 16 < count) return;
  const int pastable = m_pMainFrame->GetPastableEnd();
  if (pastable >= count) return;
  if (m_pObjectList->RemoveDeletedTail(pastable) == 0) return;
  SyncSelectionLength();
  if (m_vSelection.capacity() / 2 > m_vSelection.size()) m_vSelection.shrink_to_fit();
}

void CKorvaneDoc::NudgeSelection(int direction) {
  if (m_nCurrentKind == TYPE_DRAWING || !m_pObjectList) return;
  g_bModified = 1;
  const double step = GetMoveStep();
  double dx = 0.0, dy = 0.0;
  switch (direction) {
    case 0: dy = step; break;
    case 1: dy = -step; break;
    case 2: dx = -step; break;
    case 3: dx = step; break;
    default: return;
  }
  IDocCanvasView* canvas = GetLeftView();
  LPARAM hint;
  if (m_nCurrentKind == TYPE_MULTI) {
    if (canvas) canvas->InvalidateSelection();
    for (int index : SelectedIndices()) m_pObjectList->MoveObject(index, dx, dy);
    m_nLastAction = HINT_OBJECTS_MOVED;
    m_pObjectList->MoveObject(-1, dx, dy);
    hint = -1;
  } else {
    if (canvas) canvas->InvalidateObject(m_nCurrentIndex);
    m_pObjectList->MoveObject(m_nCurrentIndex, dx, dy);
    m_nLastAction = HINT_OBJECT_MOVED;
    hint = m_nCurrentIndex;
  }
  UpdateBothViews(hint);
  UpdateFormView(HINT_SELECTION_NUDGED);
}

// ---------------------------------------------------------------------------------------------
// Paste

std::vector<int> CKorvaneDoc::DuplicateBlock(const ObjectClipboardBlock& block) {
  std::vector<int> pasted;
  // The block names entries of the list as it was before this paste; anything else (the work
  // area, an index past the end, a kind that cannot be duplicated) is skipped.
  const int count = ListCount();
  for (int index : block.indices) {
    if (index < 1 || index >= count) continue;
    if (!IsDrawableKind(m_pObjectList->GetObjectType(index))) continue;
    if (m_pObjectList->DuplicateObject(index)) pasted.push_back(ListCount() - 1);
  }
  SyncSelectionLength();
  m_nPasteSize = static_cast<int>(pasted.size());
  return pasted;
}

void CKorvaneDoc::SelectPasted(const std::vector<int>& pasted) {
  if (pasted.size() == 1) {
    m_pCurrentObject = m_pObjectList->GetObject(pasted.front());
    m_nCurrentKind = m_pCurrentObject->m_nType;
    m_nCurrentIndex = pasted.front();
    m_nSelectCount = 1;
    return;
  }
  // The duplicates, and only they, are the new selection.
  ClearSelectionFlags();
  for (int index : pasted) m_vSelection[index - 1] = 1;
  m_nSelectCount = GetSelectionLength();
  m_nCurrentKind = TYPE_MULTI;
  m_nCurrentIndex = -1;
  m_pCurrentObject = m_pObjectList->GetMultiObject();
}

void CKorvaneDoc::PasteObjects(const ObjectClipboardBlock& block, int pasteNumber) {
  g_bModified = 1;
  if (!m_pObjectList) return;
  // The first paste of a cut lands where the objects were; every further paste, and every
  // paste of a copy, one more step down and to the right.
  const int k = pasteNumber - (block.nOperation == CLIPBOARD_CUT ? 1 : 0);
  const double dx = 2.0 * k, dy = -2.0 * k;
  const std::vector<int> pasted = DuplicateBlock(block);
  if (pasted.empty()) return;
  for (int index : pasted) m_pObjectList->MoveObject(index, dx, dy);
  if (pasted.size() > 1) m_pObjectList->MoveObject(-1, dx, dy);
  SelectPasted(pasted);
  m_nLastAction = HINT_OBJECTS_PASTED;
  UpdateBothViews(0);
}

void CKorvaneDoc::PasteObjectsAt(const ObjectClipboardBlock& block) {
  g_bModified = 1;
  if (!m_pObjectList) return;
  CDoublePoint centre;
  GetObjectsCenter(block, centre);
  const std::vector<int> pasted = DuplicateBlock(block);
  if (pasted.empty()) return;
  if (pasted.size() == 1) {
    CDrawObject* copy = m_pObjectList->GetObject(pasted.front());
    copy->m_dPosX = m_ptContext.x;
    copy->m_dPosY = m_ptContext.y;
    SelectPasted(pasted);
    m_nLastAction = HINT_OBJECTS_PASTED;
    UpdateBothViews(0);
    return;
  }
  const double dx = m_ptContext.x - centre.x, dy = m_ptContext.y - centre.y;
  for (int index : pasted) m_pObjectList->MoveObject(index, dx, dy);
  m_pObjectList->MoveObject(-1, dx, dy);
  SelectPasted(pasted);
  m_nLastAction = HINT_OBJECTS_PASTED;
  UpdateCanvasView(-1);
}

// ---------------------------------------------------------------------------------------------
// Multi-selection bounds

namespace {

// Unites an object's bounds (y upward) into a running rectangle.
void Unite(CDoubleRect& total, bool& any, const CDoubleRect& r) {
  if (!any) {
    total = r;
    any = true;
    return;
  }
  total.left = std::min(total.left, r.left);
  total.right = std::max(total.right, r.right);
  total.top = std::max(total.top, r.top);
  total.bottom = std::min(total.bottom, r.bottom);
}

}  // namespace

void CKorvaneDoc::UpdateMultiBounds() {
  IDocCanvasView* canvas = GetLeftView();
  if (!m_pObjectList || !canvas) return;
  CDoubleRect total;
  bool any = false;
  const int count = ListCount();
  for (int slot = 0; slot < GetSelectionLength() && slot + 1 < count; ++slot) {
    if (!m_vSelection[slot]) continue;
    CDrawObject* copy = CloneObject(slot + 1);
    CDoubleRect r;
    if (copy && canvas->CalcObject(copy, r)) Unite(total, any, r);
    FreeObject(copy);
  }
  if (!any) return;
  m_pObjectList->SetMultiBounds(total.right - total.left, total.top - total.bottom, (total.left + total.right) / 2,
                                (total.top + total.bottom) / 2);
}

void CKorvaneDoc::SetMultiRect(double sizeX, double sizeY, double posX, double posY) {
  if (!m_pObjectList) return;
  CMultiObject* multi = m_pObjectList->GetMultiObject();
  multi->m_dSizeX += sizeX;
  multi->m_dSizeY += sizeY;
  multi->m_dPosX += posX;
  multi->m_dPosY += posY;
}

BOOL CKorvaneDoc::GetObjectsCenter(const ObjectClipboardBlock& block, CDoublePoint& out) const {
  if (!m_pObjectList) return FALSE;
  IDocCanvasView* canvas = GetLeftView();
  CDoubleRect total;
  bool any = false;
  for (int index : block.indices) {
    if (index < 1 || index >= ListCount()) continue;
    CDrawObject* copy = CloneObject(index);
    if (!copy) continue;
    CDoubleRect r;
    // Without a measurement (no canvas, or a kind it does not measure) the position stands in.
    if (!canvas || !canvas->CalcObject(copy, r)) r = CDoubleRect(copy->m_dPosX, copy->m_dPosY, copy->m_dPosX, copy->m_dPosY);
    Unite(total, any, r);
    FreeObject(copy);
  }
  if (!any) return FALSE;
  out = CDoublePoint((total.left + total.right) / 2, (total.top + total.bottom) / 2);
  return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Small services

BOOL CKorvaneDoc::TakeRedrawAllFlag() {
  const BOOL flag = m_bRedrawAll;
  m_bRedrawAll = 0;
  return flag;
}

int CKorvaneDoc::GetVisibleCount() const { return m_pObjectList ? m_pObjectList->GetVisibleCount() : 0; }

BOOL CKorvaneDoc::GetListText(int n, CString& text) const {
  return m_pObjectList ? m_pObjectList->GetListText(n, text) : FALSE;
}

int CKorvaneDoc::VisibleToIndex(int n) const { return m_pObjectList ? m_pObjectList->VisibleToIndex(n) : 0; }

int CKorvaneDoc::IndexToVisible(int index) const { return m_pObjectList ? m_pObjectList->IndexToVisible(index) : 0; }
