#include "files/mrk_open_save.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QString>

#include "files/mrk_binary.h"
#include "files/mrk_text.h"
#include "model/korvane_doc.h"
#include "files/mrk_open_path.h"
#include "model/objectlist.h"
#include "platform/archive.h"
#include "platform/prompter.h"

namespace {

// A path named at start or dropped, as the open-path rule gives it, made absolute so the title
// and the recent list name the file wherever the program was started.
CString ProjectPathOf(const CString& request) {
  const CString path = NormalizeOpenPath(request);
  return path.IsEmpty() ? path : MakeAbsolutePath(path);
}

bool FileExists(const CString& path) {
  struct stat st{};
  return ::stat(fileio::ToFsPath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

void AddRecent(CKorvaneDoc& doc, const CString& path) {
  if (IDocRecentFiles* recent = doc.GetRecentFiles()) recent->Add(path);
}

}  // namespace

int MrkFileFormat(const CString& path) {
  if (path.IsEmpty()) return 0;
  // Non-blocking, so that a FIFO or a device named like a project cannot hang the open.
  const int fd = ::open(fileio::ToFsPath(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return 0;
  struct stat st{};
  unsigned char first = 0;
  ssize_t n = 0;
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
    do {
      n = ::read(fd, &first, 1);
    } while (n < 0 && errno == EINTR);
  }
  ::close(fd);
  if (n != 1) return 0;
  if (first == 'M') return 1;
  if (first == 'D' || (first >= '0' && first <= '9')) return 2;
  return 0;
}

bool PathFromQString(const QString& path, CString& out) {
  const CString converted = CString::FromQString(path);
  if (converted.ToQString() != path) {
    Prompter().MessageBox(CString::FromUtf8("ファイル名に使用できない文字が含まれています"), CString::FromUtf8("Draventis"),
                          MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  out = converted;
  return true;
}

CString MakeAbsolutePath(const CString& path) {
  if (path.IsEmpty()) return path;
  const QString q = path.ToQString();
  if (QDir::isAbsolutePath(q)) return path;
  return CString::FromQString(QDir::cleanPath(QDir::current().absoluteFilePath(q)));
}

void ReportMrkFileNotFound() {
  Prompter().MessageBox(CString::FromUtf8("ファイルが見つかりません"), CString::FromUtf8("MRKファイルの読み込み"), MB_OK);
}

void ReportMrkSaveFailed() {
  Prompter().MessageBox(CString::FromUtf8("ファイルの保存に失敗しました"), CString::FromUtf8("ファイルライトエラー"),
                        MB_OK | MB_ICONERROR);
}

BOOL CMrkProjectFiles::SaveMrkBinary(CKorvaneDoc& doc, const CString& path) {
  if (!CMrkFileServices::SaveMrkBinary(doc, path)) return FALSE;
  AddRecent(doc, path);
  return TRUE;
}

BOOL CMrkProjectFiles::SaveMrkText(CKorvaneDoc& doc, const CString& path) {
  if (!CMrkFileServices::SaveMrkText(doc, path)) return FALSE;
  AddRecent(doc, path);
  return TRUE;
}

// ---------------------------------------------------------------------------------------------
// The document's open operations

int CKorvaneDoc::OpenMrkFile(const CString& path, int replace) {
  switch (MrkFileFormat(path)) {
    case 1: return LoadMrkBinaryFile(path, replace);
    case 2: return LoadMrkTextFile(path, replace);
    default: return 0;
  }
}

// A replacing load reads the file before it asks to save the design, and a Cancel to that
// question leaves the design as it was instead of merging the file into it. Only a replacing
// load, or an insert into an untitled design without objects, names the design after the file:
// otherwise Save would overwrite the inserted file with the whole design.
int CKorvaneDoc::LoadMrkBinaryFile(const CString& path, int replace) {
  if (!m_pObjectList) return 0;
  if (replace) {
    CMrkDesign check;
    CMrkBinaryFile file(CMrkBinaryFile::modeRead, path);
    if (!file.Parse(*m_pObjectList, check)) return 0;
    if (!OnNewDocument()) return 0;
  }
  const CString title = GetTitle();
  const bool keepTitle = !replace && !(title.IsEmpty() && m_pObjectList->GetDrawableCount() == 0);
  const int loaded = MrkLoadBinary(*this, path, FALSE);
  if (keepTitle) SetTitle(title);
  if (loaded && replace) SetTitle(path);
  return loaded;
}

int CKorvaneDoc::LoadMrkTextFile(const CString& path, int replace) {
  if (!m_pObjectList) return 0;
  if (replace) {
    CMrkTextFile file(CMrkTextFile::modeRead);
    if (!file.Load(path)) return 0;
    CMrkDesign check;
    // A file with nothing to take says so (through the loader) and leaves the design alone.
    if (file.ParseDesign(*m_pObjectList, FALSE, check) != TYPE_UNKNOWN && !OnNewDocument()) return 0;
  }
  const CString title = GetTitle();
  const bool keepTitle = !replace && !(title.IsEmpty() && m_pObjectList->GetDrawableCount() == 0);
  const int loaded = MrkLoadText(*this, path, FALSE);
  if (keepTitle) SetTitle(title);
  if (loaded && replace) SetTitle(path);
  return loaded;
}

void CKorvaneDoc::OpenFromCommandLine(const CString& request) {
  IDocCanvasView* canvas = GetLeftView();
  if (canvas && !canvas->IsRendererReady()) return;
  const CString path = ProjectPathOf(request);
  if (path.IsEmpty()) return;
  if (OpenMrkFile(path, 1)) AddRecent(*this, path);
}

int CKorvaneDoc::OpenMrkPath(const CString& path, int replace) {
  if (!FileExists(path)) {
    // The entry stays: the file may come back (a removable drive, a network folder).
    ReportMrkFileNotFound();
    return 0;
  }
  const int loaded = OpenMrkFile(path, replace);
  if (loaded) AddRecent(*this, path);
  return loaded;
}

int CKorvaneDoc::PromptOpenMrkFile(int replace) {
  FileDialogRequest request;
  request.save = false;
  request.defaultExt = "mrk";
  request.filter = CString::FromUtf8(kMrkOpenFilter);
  request.overwritePrompt = true;
  const int places = ApplyPlacesBar(request);
  std::vector<CString> paths;
  const bool chosen = Prompter().FileDialog(request, paths);
  RestorePlacesBar(places);
  if (!chosen || paths.empty() || paths.front().IsEmpty()) return 0;
  const CString path = MakeAbsolutePath(paths.front());
  // The dialog only lets existing files through; one can still vanish before it is read.
  if (!FileExists(path)) {
    ReportMrkFileNotFound();
    return 0;
  }
  const int loaded = OpenMrkFile(path, replace);
  if (loaded) AddRecent(*this, path);
  return loaded;
}

void CKorvaneDoc::OpenDroppedFiles(const std::vector<CString>& paths) {
  // Dropped projects are inserted, one after the other; they do not go into the recent list.
  for (const CString& dropped : paths) {
    const CString path = ProjectPathOf(dropped);
    if (!path.IsEmpty()) OpenMrkFile(path, 0);
  }
}
