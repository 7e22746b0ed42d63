#include "files/mrk_doc.h"

#include "files/mrk_binary.h"
#include "files/mrk_text.h"
#include "model/korvane_doc.h"
#include "model/objectlist.h"
#include "platform/prompter.h"

namespace {

CView* FindView(const CKorvaneDoc& doc, bool form) {
  for (CView* view : doc.GetViews()) {
    if (form ? dynamic_cast<IDocFormView*>(view) != nullptr : dynamic_cast<IDocCanvasView*>(view) != nullptr) {
      return view;
    }
  }
  return nullptr;
}

// The objects of a file were added: the last one becomes the current object.
void ObjectsLoaded(CKorvaneDoc& doc, CDrawObject* last, const CString& path) {
  CObjectList* list = doc.GetObjectList();
  doc.ClearSelectionFlags();
  doc.m_pCurrentObject = last;
  doc.m_nCurrentKind = last->m_nType;
  doc.m_nCurrentIndex = list->GetCount() - 1;
  doc.m_nSelectCount = 1;
  doc.m_nLastAction = HINT_OBJECTS_ADDED;
  doc.UpdateAllViews(nullptr, last->m_nType, &doc);
  doc.UpdateAllViews(nullptr, HINT_REDRAW_ALL, &doc);
  doc.SetTitle(path);
}

}  // namespace

void MrkOnDrawingDataLoaded(CKorvaneDoc& doc) {
  CObjectList* list = doc.GetObjectList();
  if (!list) return;
  doc.ClearSelectionFlags();
  doc.m_pCurrentObject = list->GetObject(0);
  doc.m_nCurrentKind = TYPE_DRAWING;
  doc.m_nCurrentIndex = 0;
  doc.m_nSelectCount = 0;
  doc.UpdateAllViews(FindView(doc, true), HINT_DRAWING_DATA_LOADED, &doc);
  doc.LoadSettingPages();
  doc.UpdateAllViews(FindView(doc, false), HINT_REDRAW_ALL, &doc);
}

int MrkLoadBinary(CKorvaneDoc& doc, const CString& path, BOOL replace) {
  CObjectList* list = doc.GetObjectList();
  if (!list) return 0;
  CMrkDesign design;
  {
    CMrkBinaryFile file(CMrkBinaryFile::modeRead, path);
    if (!file.Parse(*list, design)) return 0;
  }
  if (replace) doc.OnNewDocument();
  BOOL drawingLoaded = FALSE;
  CDrawObject* last = design.Commit(*list, &drawingLoaded);
  if (!last) return 0;
  if (drawingLoaded) MrkOnDrawingDataLoaded(doc);
  if (last->m_nType != TYPE_DRAWING) ObjectsLoaded(doc, last, path);
  return 1;
}

int MrkLoadText(CKorvaneDoc& doc, const CString& path, BOOL replace) {
  CObjectList* list = doc.GetObjectList();
  if (!list) return 0;
  CMrkTextFile file(CMrkTextFile::modeRead);
  const int loaded = file.Load(path);
  if (loaded == 0) return 0;
  BOOL withDrawing = FALSE;
  if (loaded == 2) {
    withDrawing = Prompter().MessageBox(
                      CString::FromUtf8("開こうとしているファイルにはDrawing データが含まれています。\nDrawingデータを上書きしますか?"),
                      CString::FromUtf8("確認"), MB_YESNO) == IDYES;
  }
  CMrkDesign design;
  int skipped = 0;
  const int lastKind = file.ParseDesign(*list, withDrawing, design, &skipped);
  // What could be read is kept wherever the unreadable records stood; nothing read leaves the
  // design alone.
  if (!design.IsEmpty()) {
    if (replace) doc.OnNewDocument();
    BOOL drawingLoaded = FALSE;
    CDrawObject* last = design.Commit(*list, &drawingLoaded);
    if (drawingLoaded) MrkOnDrawingDataLoaded(doc);
    // A declined drawing record that came last: its objects are in, nothing more is said.
    if (lastKind != TYPE_DRAWING && last && last->m_nType != TYPE_DRAWING) ObjectsLoaded(doc, last, path);
  }
  if (skipped > 0 || file.GetRecordCount() == 0) {
    Prompter().MessageBox(CString::FromUtf8("ファイルの読み込みに失敗しました"), CString::FromUtf8("ファイルリードエラー"),
                          MB_OK | MB_ICONERROR);
  }
  return 1;
}

BOOL MrkSaveBinary(CKorvaneDoc& doc, const CString& path) {
  CObjectList* list = doc.GetObjectList();
  if (!list) return FALSE;
  CMrkBinaryFile file(CMrkBinaryFile::modeWrite, path);
  if (!file.Write(list)) return FALSE;
  g_bModified = 0;
  doc.SetTitle(path);
  return TRUE;
}

BOOL MrkSaveText(CKorvaneDoc& doc, const CString& path) {
  CObjectList* list = doc.GetObjectList();
  if (!list) return FALSE;
  CMrkTextFile file(CMrkTextFile::modeWrite);
  file.FormatList(*list);
  if (!file.FitsSizeLimit()) {
    // The reader would refuse such a file: better not to write what cannot be opened again.
    Prompter().MessageBox(path + CString::FromUtf8("\nファイルが大きすぎるため保存できません。"),
                          CString::FromUtf8("MRKファイルの保存"), MB_OK | MB_ICONERROR);
    return FALSE;
  }
  if (!file.Save(path)) return FALSE;
  g_bModified = 0;
  doc.SetTitle(path);
  return TRUE;
}

int CKorvaneDoc::LoadMrkBinary(const CString& path) { return MrkLoadBinary(*this, path); }

int CKorvaneDoc::LoadMrkText(const CString& path) { return MrkLoadText(*this, path); }

void CKorvaneDoc::OnDrawingDataLoaded() { MrkOnDrawingDataLoaded(*this); }
