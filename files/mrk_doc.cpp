#include "files/mrk_doc.h"

#include <sys/stat.h>

#include "files/mrk_binary.h"
#include "files/mrk_text.h"
#include "model/korvane_doc.h"
#include "model/objectlist.h"
#include "platform/archive.h"
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
  CView* form = FindView(doc, true);
  CView* canvas = FindView(doc, false);
  doc.UpdateAllViews(form, HINT_DRAWING_DATA_LOADED, &doc);
  doc.LoadSettingPages();
  // The form view refills the work-area pages on this hint, once the settings hold the file's.
  if (form) doc.UpdateAllViews(canvas, HINT_DRAWING_DATA_LOADED, &doc);
  doc.UpdateAllViews(canvas, HINT_REDRAW_ALL, &doc);
}

bool MrkNothingToTake(CKorvaneDoc& doc, CMrkDesign& design, const CString& path) {
  if (!design.IsEmpty() || design.m_Lost.empty()) return false;
  if (CObjectList* list = doc.GetObjectList()) design.NameLost(*list);
  ReportMrkLostRecords(path, design.m_Lost);
  return true;
}

namespace {

// A load that left records out: said, and the design is not the file any more.
void LostOnLoad(CKorvaneDoc& doc, const CMrkDesign& design, const CString& path) {
  if (design.m_Lost.empty()) return;
  ReportMrkLostRecords(path, design.m_Lost);
  // Saving over the file now would drop what could not be read.
  g_bModified = 1;
  doc.m_strIncompleteLoad = path;
}

}  // namespace

int MrkCommitBinary(CKorvaneDoc& doc, CMrkDesign& design, const CString& path) {
  CObjectList* list = doc.GetObjectList();
  if (!list) return 0;
  design.NameLost(*list);
  BOOL drawingLoaded = FALSE;
  CDrawObject* last = design.Commit(*list, &drawingLoaded);
  if (!last) return 0;
  if (drawingLoaded) MrkOnDrawingDataLoaded(doc);
  if (last->m_nType != TYPE_DRAWING) ObjectsLoaded(doc, last, path);
  LostOnLoad(doc, design, path);
  return 1;
}

int MrkLoadBinary(CKorvaneDoc& doc, const CString& path, BOOL replace) {
  CObjectList* list = doc.GetObjectList();
  if (!list) return 0;
  CMrkDesign design;
  {
    CMrkBinaryFile file(CMrkBinaryFile::modeRead, path);
    if (!file.Parse(*list, design)) return 0;
  }
  if (MrkNothingToTake(doc, design, path)) return 0;
  if (replace && !doc.OnNewDocument()) return 0;
  return MrkCommitBinary(doc, design, path);
}

int MrkTakeText(CKorvaneDoc& doc, const CMrkTextFile& file, int loaded, const CString& path, BOOL replace) {
  CObjectList* list = doc.GetObjectList();
  if (!list) return 0;
  BOOL withDrawing = FALSE;
  if (loaded == 2) {
    withDrawing = Prompter().MessageBox(
                      CString::FromUtf8("開こうとしているファイルにはDrawing データが含まれています。\nDrawingデータを上書きしますか?"),
                      CString::FromUtf8("確認"), MB_YESNO) == IDYES;
  }
  // Every record is read before the design is touched: what cannot be taken is known before
  // anything is replaced.
  CMrkDesign design;
  const int lastKind = file.ParseDesign(*list, withDrawing, design);
  if (design.IsEmpty()) {
    if (design.m_Lost.empty() && file.GetRecordCount() > 0) {
      // Only declined drawing data: nothing to take, nothing to say.
      if (replace && !doc.OnNewDocument()) return 0;
      return 1;
    }
    // Nothing at all to take: the design stays as it was.
    design.NameLost(*list);
    ReportMrkLostRecords(path, design.m_Lost);
    return -1;
  }
  if (replace && !doc.OnNewDocument()) return 0;
  design.NameLost(*list);
  BOOL drawingLoaded = FALSE;
  CDrawObject* last = design.Commit(*list, &drawingLoaded);
  if (drawingLoaded) MrkOnDrawingDataLoaded(doc);
  // A declined drawing record that came last: its objects are in, nothing more is said.
  if (lastKind != TYPE_DRAWING && last && last->m_nType != TYPE_DRAWING) ObjectsLoaded(doc, last, path);
  LostOnLoad(doc, design, path);
  return 1;
}

int MrkLoadText(CKorvaneDoc& doc, const CString& path, BOOL replace) {
  CMrkTextFile file(CMrkTextFile::modeRead);
  const int loaded = file.Load(path);
  if (loaded == 0) return 0;
  return MrkTakeText(doc, file, loaded, path, replace) != 0 ? 1 : 0;
}

CString MrkKindWord(int kind) {
  switch (kind) {
    case TYPE_LINE: return CString::FromUtf8("直線");
    case TYPE_RECTANGLE: return CString::FromUtf8("四角形");
    case TYPE_CIRCLE: return CString::FromUtf8("円形");
    case TYPE_TRIANGLE: return CString::FromUtf8("三角形");
    case TYPE_RHOMBIC: return CString::FromUtf8("菱形");
    case TYPE_POLYGON: return CString::FromUtf8("多角形");
    case TYPE_TEXT1: return CString::FromUtf8("直線文字列");
    case TYPE_TEXT2: return CString::FromUtf8("回し文字列");
    case TYPE_BMP: return CString::FromUtf8("ビットマップ");
    case TYPE_BARCODE: return CString::FromUtf8("QRコード");
    case TYPE_DRAWING: return CString::FromUtf8("Drawing データ");
    default: return CString::FromUtf8("不明なデータ");
  }
}

void ReportMrkOpenFailed(const CString& path) {
  Prompter().MessageBox(path + CString::FromUtf8("\nファイルの読み込みに失敗しました"), CString::FromUtf8("ファイルリードエラー"),
                        MB_OK | MB_ICONERROR);
}

void ReportMrkLostRecords(const CString& path, const std::vector<CMrkLostRecord>& lost) {
  CString text = path + CString::FromUtf8("\nファイルの読み込みに失敗しました");
  if (!lost.empty()) text += CString::FromUtf8("\n次のデータを読み込めませんでした:");
  // A damaged file can lose thousands; the first ones tell the operator what happened.
  constexpr size_t kShown = 20;
  for (size_t i = 0; i < lost.size() && i < kShown; ++i) {
    const CMrkLostRecord& r = lost[i];
    CString line;
    line.Format("%d", r.line);
    text += "\n" + MrkKindWord(r.kind);
    if (!r.name.IsEmpty()) text += " " + r.name;
    if (r.line > 0) text += " (" + line + CString::FromUtf8("行目)");
    if (!r.reason.IsEmpty()) text += CString::FromUtf8(" 範囲外の値: ") + r.reason;
    if (r.kind == TYPE_BMP && r.reason.IsEmpty()) {
      text += r.imagePath.IsEmpty() ? CString::FromUtf8(" 画像ファイルの指定がありません")
                                    : CString::FromUtf8(" 画像ファイル: ") + r.imagePath;
    }
  }
  if (lost.size() > kShown) {
    CString more;
    more.Format("%d", static_cast<int>(lost.size() - kShown));
    text += CString::FromUtf8("\nほか ") + more + CString::FromUtf8(" 件");
  }
  Prompter().MessageBox(text, CString::FromUtf8("ファイルリードエラー"), MB_OK | MB_ICONERROR);
}

namespace {

bool StatOf(const CString& path, struct stat& st) {
  return ::stat(fileio::ToFsPath(path).c_str(), &st) == 0;
}

long long ModifiedNs(const struct stat& st) {
  return static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
}

}  // namespace

void MrkStampFile(CKorvaneDoc& doc, const CString& path, int format) {
  CKorvaneDoc::CProjectFileStamp stamp;
  struct stat st{};
  if (!path.IsEmpty() && StatOf(path, st)) {
    stamp.path = path;
    stamp.format = format;
    stamp.size = static_cast<long long>(st.st_size);
    stamp.modified = ModifiedNs(st);
  }
  doc.m_FileStamp = stamp;
}

bool MrkFileChangedSince(const CKorvaneDoc& doc, const CString& path) {
  const CKorvaneDoc::CProjectFileStamp& stamp = doc.m_FileStamp;
  struct stat st{};
  if (stamp.path != path || !StatOf(path, st)) return false;
  return static_cast<long long>(st.st_size) != stamp.size || ModifiedNs(st) != stamp.modified;
}

namespace {

// The design is now what the file holds: it is named after it, and nothing of the file is lost.
void MrkSaved(CKorvaneDoc& doc, const CString& path, int format) {
  doc.SetTitle(path);
  doc.m_strIncompleteLoad.Empty();
  doc.m_strInsertTitle.Empty();
  MrkStampFile(doc, path, format);
}

}  // namespace

BOOL MrkSaveBinary(CKorvaneDoc& doc, const CString& path) {
  CObjectList* list = doc.GetObjectList();
  if (!list) return FALSE;
  CMrkBinaryFile file(CMrkBinaryFile::modeWrite, path);
  if (!file.Write(list)) return FALSE;
  g_bModified = 0;
  MrkSaved(doc, path, 1);
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
  MrkSaved(doc, path, 2);
  return TRUE;
}

int CKorvaneDoc::LoadMrkBinary(const CString& path) { return MrkLoadBinary(*this, path); }

int CKorvaneDoc::LoadMrkText(const CString& path) { return MrkLoadText(*this, path); }

void CKorvaneDoc::OnDrawingDataLoaded() { MrkOnDrawingDataLoaded(*this); }
