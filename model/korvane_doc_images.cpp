// The document's file operations on images: the design exported as a 1-bit BMP file, written to
// the temporary image file of the paint editor or traced into a ".hpg" file; the traced outline
// of a bitmap object; another image for a bitmap object.
#include <unistd.h>

#include <filesystem>

#include "canvas/leftview.h"
#include "imaging/monoimagetool.h"
#include "model/bmpobject.h"
#include "model/korvane_doc.h"
#include "model/objectlist.h"
#include "platform/paths.h"
#include "platform/prompter.h"
#include "platform/ui/modal_dialogs.h"

namespace {

const char kBitmapFilter[] = "ビットマップファイル (*.bmp)|*.bmp|";

FileDialogRequest BitmapFileRequest(bool save) {
  FileDialogRequest request;
  request.save = save;
  request.filter = CString::FromUtf8(kBitmapFilter);
  request.defaultExt = "bmp";
  request.overwritePrompt = save;
  return request;
}

// Where the trace export writes: the chosen path with ".hpg" for its extension.
CString HpgPathOf(const CString& path) {
  const int slash = path.ReverseFind('/');
  const int dot = path.ReverseFind('.');
  return (dot > slash ? path.Left(dot) : path) + ".hpg";
}

// Tells the operator that an export could not be written, naming the file and why.
void ReportUnwritten(const CString& path) {
  namespace fs = std::filesystem;
  const fs::path target(fileio::ToFsPath(path));
  fs::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  std::error_code ec;
  const char* reason = "ファイルを書き込めません。";
  if (!fs::is_directory(folder, ec)) {
    reason = "保存先のフォルダが見つかりません。";
  } else if (::access(folder.c_str(), W_OK) != 0 || (fs::exists(target, ec) && ::access(target.c_str(), W_OK) != 0)) {
    reason = "保存先に書き込む権限がありません。";
  }
  Prompter().MessageBox(path + CString::FromUtf8("\nファイルを保存できませんでした。\n") + CString::FromUtf8(reason),
                        CString::FromUtf8("ファイルライトエラー"), MB_OK | MB_ICONERROR);
}

}  // namespace

void CKorvaneDoc::ExportDesignBmp() {
  FileDialogRequest request = BitmapFileRequest(true);
  const int places = ApplyPlacesBar(request);
  CString path;
  int filter = 1;
  const bool chosen = ModalDialogs().SaveFileDialog(request, path, filter);
  RestorePlacesBar(places);
  if (!chosen) return;
  if (CMonoImageTool::SaveViewBitmap(dynamic_cast<CLeftView*>(GetLeftView()), path) < 0) ReportUnwritten(path);
}

CString CKorvaneDoc::RenderDesignToTemp() {
  const CString path(paths::CompanionFile(".bin"));
  ResetZoom();
  if (CMonoImageTool::SaveViewBitmap(dynamic_cast<CLeftView*>(GetLeftView()), path) < 0) ReportUnwritten(path);
  return path;
}

void CKorvaneDoc::ExportHpglFile() {
  FileDialogRequest request = BitmapFileRequest(true);
  const int places = ApplyPlacesBar(request);
  CString path;
  int filter = 1;
  const bool chosen = ModalDialogs().SaveFileDialog(request, path, filter);
  RestorePlacesBar(places);
  if (!chosen) return;
  ResetZoom();
  int size = 0;
  const std::vector<BYTE> block =
      CMonoImageTool::RenderAreaToBmp(this, dynamic_cast<CLeftView*>(GetLeftView()), &size, nullptr);
  if (block.empty()) return;
  CMonoImageTool tool;
  TracedOutline outline;
  if (tool.ExportHpgl(block.data(), block.size(), &outline, path) < 0) ReportUnwritten(HpgPathOf(path));
}

int CKorvaneDoc::TraceBmpObject(const CBmpObject* object, TracedOutline* outline) {
  if (!object || !outline) return 0;
  CMonoImageTool tool;
  return tool.TraceBmp(object->GetImage(), object->GetImageLength(), outline);
}

void CKorvaneDoc::ChangeBmpImage() {
  g_bModified = 1;
  if (!m_pCurrentObject || m_pCurrentObject->m_nType != TYPE_BMP || !m_pObjectList) return;
  FileDialogRequest request = BitmapFileRequest(false);
  const int places = ApplyPlacesBar(request);
  std::vector<CString> chosen;
  const bool ok = Prompter().FileDialog(request, chosen) && !chosen.empty();
  RestorePlacesBar(places);
  if (!ok) return;
  CDrawObject* entry = m_pObjectList->GetObject(m_nCurrentIndex);
  if (!entry || entry->m_nType != TYPE_BMP) return;
  // A refused file leaves the object as it was; the object reports why.
  if (!static_cast<CBmpObject*>(entry)->LoadFromPath(chosen.front(), TRUE)) return;
  m_nLastAction = HINT_PROPERTY_CHANGED;
  UpdateCanvasView(m_nCurrentKind);
}
