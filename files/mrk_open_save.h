// Opening and saving projects on the document's side: the one open operation that every way of
// opening ends in (format by the first byte), the open dialog, dropped files, the command line,
// recent entries, and the file services that keep the recent-file list and the places bar.
#pragma once

#include <vector>

#include "files/mrk_doc.h"
#include "files/places_bar.h"
#include "platform/cstring.h"

class CKorvaneDoc;
class QString;

// The format of a project file by its first byte: 1 binary ("M"), 2 text ("D" or a digit), 0 for
// anything else, also for a file that is not a readable regular file (FIFOs, devices and folders
// are refused without blocking).
int MrkFileFormat(const CString& path);

// A path from the widgets as the program holds it (code page 932). False, after the message
// "ファイル名に使用できない文字が含まれています", when the code page cannot hold the name: such a
// file could neither be opened nor written under the name the operator sees.
bool PathFromQString(const QString& path, CString& out);
// The path made absolute against the working folder ("" stays "").
CString MakeAbsolutePath(const CString& path);

// "ファイル名に使用できない文字が含まれています": a file name the code page cannot hold.
void ReportUnholdablePath();

// Save: the file the title names, in the format the design was read from or last written in
// (for a file the design was not read from, the file's own format); a file that changed on disk
// since, and a design that a load left records out of, ask before they are overwritten (No:
// Save As); the text format says first what it cannot keep. Without such a file, Save As. Any
// failed write says so. TRUE when written.
BOOL MrkSave(CKorvaneDoc& doc);
// Save As: the save dialog starting at `name`, both formats or (binaryOnly) only the binary one;
// the text format says first what it cannot keep (Yes: Save As in the binary format). Any
// failed write says so. TRUE when written.
BOOL MrkSaveAs(CKorvaneDoc& doc, const CString& name, bool binaryOnly = false);

// "ファイルが見つかりません" (caption "MRKファイルの読み込み").
void ReportMrkFileNotFound();
// "ファイルの保存に失敗しました" (caption "ファイルライトエラー").
void ReportMrkSaveFailed();

// The open and save filters of project files.
inline constexpr const char* kMrkOpenFilter = "mrkファイル (*.mrk)|*.mrk||";
inline constexpr const char* kMrkSaveFilter = "mrkファイル (*.mrk)|*.mrk|mrkファイル (*.mrk v2004 形式)|*.mrk||";

// The program's file services: both savers add the saved path to the recent-file list, and the
// places of every file dialog come from the places bar.
class CMrkProjectFiles : public CMrkFileServices {
 public:
  explicit CMrkProjectFiles(CKorvaneDoc& doc) : CMrkFileServices(&m_PlacesBar), m_PlacesBar(doc) {}
  BOOL SaveMrkBinary(CKorvaneDoc& doc, const CString& path) override;
  BOOL SaveMrkText(CKorvaneDoc& doc, const CString& path) override;
  CPlacesBar& PlacesBar() { return m_PlacesBar; }

 private:
  CPlacesBar m_PlacesBar;
};
