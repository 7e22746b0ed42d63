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
#include "model/bmpobject.h"
#include "model/objectlist.h"
#include "model/textobject.h"
#include "platform/archive.h"
#include "platform/prompter.h"
#include "platform/ui/modal_dialogs.h"

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

// Anything at all under the name: a FIFO, a device or a folder is there, only no project, and
// the open says so rather than that nothing was found.
bool PathExists(const CString& path) {
  struct stat st{};
  return ::stat(fileio::ToFsPath(path).c_str(), &st) == 0;
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
    ReportUnholdablePath();
    return false;
  }
  out = converted;
  return true;
}

void ReportUnholdablePath() {
  Prompter().MessageBox(CString::FromUtf8("ファイル名に使用できない文字が含まれています"), CString::FromUtf8("Draventis"),
                        MB_OK | MB_ICONEXCLAMATION);
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
// Save and Save As

namespace {

// Whether the text format, which names a bitmap's image file, would lose its pixels: no file to
// name, or a file that would not bring back the image the design shows (edited in the paint
// editor, or changed or gone on disk).
bool BitmapPixelsLost(const CBmpObject& bmp) {
  if (bmp.m_strPath.IsEmpty()) return true;
  CBmpObject reread;
  if (!reread.LoadFile(bmp.m_strPath)) return true;
  return reread.m_Image != bmp.m_Image;
}

// Whether an arc text holds a line break, which its one line in the text format cannot.
bool ArcLineBreakLost(const CText2Object& text) {
  const std::string& s = text.m_strText.str();
  return s.find_first_of("\r\n") != std::string::npos;
}

// What the text format would leave out: QR Codes, bitmaps whose pixels it cannot keep, and the
// line breaks of arc texts (written as blanks).
std::vector<CString> TextFormatLosses(const CObjectList& list) {
  std::vector<CString> names;
  for (int i = 1; i < list.GetCount(); ++i) {
    const CDrawObject* o = list.GetObject(i);
    if (!o || o->m_bDeleted) continue;
    const bool lost = o->m_nType == TYPE_BARCODE ||
                      (o->m_nType == TYPE_BMP && BitmapPixelsLost(*static_cast<const CBmpObject*>(o)));
    if (lost) names.push_back(MrkKindWord(o->m_nType) + " " + o->GetName());
    if (o->m_nType == TYPE_TEXT2 && ArcLineBreakLost(*static_cast<const CText2Object*>(o)))
      names.push_back(MrkKindWord(o->m_nType) + " " + o->GetName() + CString::FromUtf8(" (改行は空白になります)"));
  }
  return names;
}

BOOL SaveBinaryOrSay(CKorvaneDoc& doc, const CString& path) {
  const BOOL saved = doc.SaveMrkBinary(path);
  if (!saved) ReportMrkSaveFailed();
  return saved;
}

// The text format, after saying what it would leave out. Yes: Save As in the binary format;
// No: the text file without them; Cancel: nothing is written.
BOOL SaveTextOrSay(CKorvaneDoc& doc, const CString& path) {
  const std::vector<CString> losses = TextFormatLosses(*doc.GetObjectList());
  if (!losses.empty()) {
    CString text = path + CString::FromUtf8("\nこの形式では次のオブジェクトを保存できません:");
    for (size_t i = 0; i < losses.size() && i < 20; ++i) text += "\n" + losses[i];
    if (losses.size() > 20) text += "\n...";
    text += CString::FromUtf8("\n\nはい: mrk形式で名前を付けて保存\nいいえ: これらを除いて保存\nキャンセル: 保存しない");
    const int answer =
        Prompter().MessageBox(text, CString::FromUtf8("MRKファイルの保存"), MB_YESNOCANCEL | MB_ICONEXCLAMATION);
    if (answer == IDYES) return MrkSaveAs(doc, path, true);
    if (answer != IDNO) return FALSE;
  }
  const BOOL saved = doc.SaveMrkText(path);
  if (!saved) ReportMrkSaveFailed();
  return saved;
}

}  // namespace

BOOL MrkSave(CKorvaneDoc& doc) {
  const CString title = doc.GetTitle();
  if (title.IsEmpty() || !FileExists(title)) return MrkSaveAs(doc, title);
  // The format the design was read in or last written in; what the file holds now may be
  // another program's work.
  const bool known = doc.m_FileStamp.path == title && doc.m_FileStamp.format != 0;
  const int format = known ? doc.m_FileStamp.format : MrkFileFormat(title);
  if (format == 0) return MrkSaveAs(doc, title);
  if (known && MrkFileChangedSince(doc, title)) {
    const int answer = Prompter().MessageBox(
        title + CString::FromUtf8("\nこのファイルは読み込みまたは保存の後に変更されています。\n上書きすると、その変更は失われます。"
                                  "\n上書きしますか？\n\nいいえ: 名前を付けて保存"),
        CString::FromUtf8("MRKファイルの保存"), MB_YESNOCANCEL | MB_ICONEXCLAMATION);
    if (answer == IDNO) return MrkSaveAs(doc, title);
    if (answer != IDYES) return FALSE;
  }
  if (!doc.m_strIncompleteLoad.IsEmpty() && doc.m_strIncompleteLoad == title) {
    // The design lacks what could not be read from this file: overwriting it would lose that.
    const int answer = Prompter().MessageBox(
        title + CString::FromUtf8("\nこのファイルには読み込めなかったデータがあります。\n上書きすると、そのデータは失われます。"
                                  "\n上書きしますか？\n\nいいえ: 名前を付けて保存"),
        CString::FromUtf8("MRKファイルの保存"), MB_YESNOCANCEL | MB_ICONEXCLAMATION);
    if (answer == IDNO) return MrkSaveAs(doc, title);
    if (answer != IDYES) return FALSE;
  }
  // The file keeps its own format.
  return format == 2 ? SaveTextOrSay(doc, title) : SaveBinaryOrSay(doc, title);
}

BOOL MrkSaveAs(CKorvaneDoc& doc, const CString& name, bool binaryOnly) {
  FileDialogRequest request;
  request.save = true;
  request.defaultExt = "mrk";
  request.initialPath = name;
  request.overwritePrompt = true;
  request.filter = CString::FromUtf8(binaryOnly ? kMrkOpenFilter : kMrkSaveFilter);
  // The places bar around the dialog, whatever its outcome.
  const int places = doc.ApplyPlacesBar(request);
  CString path;
  int filter = 1;
  const bool chosen = ModalDialogs().SaveFileDialog(request, path, filter);
  doc.RestorePlacesBar(places);
  if (!chosen || path.IsEmpty()) return FALSE;
  path = MakeAbsolutePath(path);
  return filter == 2 && !binaryOnly ? SaveTextOrSay(doc, path) : SaveBinaryOrSay(doc, path);
}

// ---------------------------------------------------------------------------------------------
// The document's open operations

int CKorvaneDoc::OpenMrkFile(const CString& path, int replace) {
  switch (MrkFileFormat(path)) {
    case 1: return LoadMrkBinaryFile(path, replace);
    case 2: return LoadMrkTextFile(path, replace);
    default:
      // Empty, unreadable or no project at all: said, and the design stays.
      ReportMrkOpenFailed(path);
      return 0;
  }
}

// A replacing load reads the whole file before it asks to save the design, and a Cancel to that
// question leaves the design as it was instead of merging the file into it; a file that cannot
// be read says so and changes nothing. Only a replacing load, or an insert into an untitled
// design without objects, names the design after the file; a further insert into such a design
// takes the name away: otherwise Save would overwrite one inserted file with the whole design.
namespace {

struct InsertTitle {
  CString title;
  bool takesName;
};

InsertTitle BeforeLoad(CKorvaneDoc& doc) {
  const CString title = doc.GetTitle();
  return {title, title.IsEmpty() && doc.GetObjectList()->GetDrawableCount() == 0};
}

void AfterLoad(CKorvaneDoc& doc, const InsertTitle& before, const CString& path, int replace, int loaded,
               int format) {
  if (!loaded) return;
  if (replace) {
    doc.SetTitle(path);
    doc.m_strInsertTitle.Empty();
    // Choosing the loaded object as the current one counts as an edit elsewhere; a design just
    // read is the file, unless the load left something out.
    if (doc.m_strIncompleteLoad.IsEmpty()) g_bModified = 0;
  } else if (before.takesName) {
    doc.m_strInsertTitle = doc.GetTitle() == path ? path : CString();
  } else if (!doc.m_strInsertTitle.IsEmpty() && before.title == doc.m_strInsertTitle) {
    doc.m_strInsertTitle.Empty();
    doc.SetTitle("");
  } else {
    doc.SetTitle(before.title);
  }
  // Save keeps the format of the file the design is named after, and knows it as it was read.
  if (doc.GetTitle() == path) {
    MrkStampFile(doc, path, format);
  } else if (doc.GetTitle() != doc.m_FileStamp.path) {
    doc.m_FileStamp = CKorvaneDoc::CProjectFileStamp();
  }
}

}  // namespace

int CKorvaneDoc::LoadMrkBinaryFile(const CString& path, int replace) {
  if (!m_pObjectList) return 0;
  CMrkDesign design;
  {
    CMrkBinaryFile file(CMrkBinaryFile::modeRead, path);
    if (!file.Parse(*m_pObjectList, design)) {
      ReportMrkOpenFailed(path);
      return 0;
    }
  }
  if (MrkNothingToTake(*this, design, path)) return 0;
  if (replace && !OnNewDocument()) return 0;
  const InsertTitle before = BeforeLoad(*this);
  const int loaded = MrkCommitBinary(*this, design, path);
  AfterLoad(*this, before, path, replace, loaded, 1);
  return loaded;
}

int CKorvaneDoc::LoadMrkTextFile(const CString& path, int replace) {
  if (!m_pObjectList) return 0;
  CMrkTextFile file(CMrkTextFile::modeRead);
  const int read = file.Load(path);
  if (!read) {
    ReportMrkOpenFailed(path);
    return 0;
  }
  const InsertTitle before = BeforeLoad(*this);
  const int taken = MrkTakeText(*this, file, read, path, replace);
  const int loaded = taken > 0 ? 1 : 0;
  AfterLoad(*this, before, path, replace, loaded, 2);
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
  if (!PathExists(path)) {
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
  if (!PathExists(path)) {
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
