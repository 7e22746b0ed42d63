// The document's side of the project files: loading a binary or text project into the design
// and saving the design in either format. Each is the body of the document operation of the same
// name (CKorvaneDoc::LoadMrkBinary, LoadMrkText, SaveMrkBinary, SaveMrkText, OnDrawingDataLoaded).
//
// A file is read completely before anything of it reaches the design; a damaged binary file, or
// a text file of which nothing can be taken, leaves the design exactly as it was. With `replace`
// the design is cleared (OnNewDocument) only once the file has been read.
#pragma once

#include <vector>

#include "files/mrk_design.h"
#include "model/doc_seams.h"
#include "platform/cstring.h"
#include "platform/wintypes.h"

class CKorvaneDoc;
class CMrkTextFile;

// 1 loaded; 0 when the file could not be read or is not a complete binary project file, or when
// the save question of a replacing load was cancelled.
int MrkLoadBinary(CKorvaneDoc& doc, const CString& path, BOOL replace = FALSE);
// A read design of which every record was lost: names them and gives true (the design stays).
bool MrkNothingToTake(CKorvaneDoc& doc, CMrkDesign& design, const CString& path);
// Puts a read binary design into the document; 1, or 0 when it held nothing. Records it lost
// are named, the design counts as modified and Save asks before it overwrites the file.
int MrkCommitBinary(CKorvaneDoc& doc, CMrkDesign& design, const CString& path);
// 1 when the file was read: every record that can be taken is loaded, the others are skipped
// wherever they stand, and one message names them (ReportMrkLostRecords). 0 when the file could
// not be read.
int MrkLoadText(CKorvaneDoc& doc, const CString& path, BOOL replace = FALSE);
// Takes the records of a loaded text file (`loaded` as its Load gave it): asks about drawing
// data, reads every record and only then clears the design (with `replace`) and puts them in.
// A load that left records out names them, marks the design modified and remembers the file in
// m_strIncompleteLoad. 1 taken; 0 when the save question was cancelled; -1 when nothing could be
// taken (said; the design as it was).
int MrkTakeText(CKorvaneDoc& doc, const CMrkTextFile& file, int loaded, const CString& path, BOOL replace);
// The operator's word for a kind ("直線", "QRコード", ...), "不明なデータ" for an unknown code.
CString MrkKindWord(int kind);
// "<path>\nファイルの読み込みに失敗しました" (caption "ファイルリードエラー").
void ReportMrkOpenFailed(const CString& path);
// The same message followed by the records that could not be taken: kind, name, line and, for
// a bitmap, the image file looked for.
void ReportMrkLostRecords(const CString& path, const std::vector<CMrkLostRecord>& lost);
// 1 written: the modified flag is cleared and the title becomes the path. 0 when the file could
// not be written: the old file and the modified flag stay as they were.
BOOL MrkSaveBinary(CKorvaneDoc& doc, const CString& path);
BOOL MrkSaveText(CKorvaneDoc& doc, const CString& path);
// Remembers the file the design is now named after: its format (1 binary, 2 text) and its size
// and modification time as they are now (nothing for a file that cannot be seen).
void MrkStampFile(CKorvaneDoc& doc, const CString& path, int format);
// Whether the file at `path`, remembered by MrkStampFile, has another size or modification time
// now. False for a file the design was not stamped with, and for one that is gone.
bool MrkFileChangedSince(const CKorvaneDoc& doc, const CString& path);
// Item 0 becomes the current object and the settings pages are refreshed from it.
void MrkOnDrawingDataLoaded(CKorvaneDoc& doc);

// The document's file services with the two savers above; the places bar is left to `placesBar`
// (none: file dialogs get no places).
class CMrkFileServices : public IDocFileServices {
 public:
  explicit CMrkFileServices(IDocFileServices* placesBar = nullptr) : m_pPlacesBar(placesBar) {}
  BOOL SaveMrkBinary(CKorvaneDoc& doc, const CString& path) override { return MrkSaveBinary(doc, path); }
  BOOL SaveMrkText(CKorvaneDoc& doc, const CString& path) override { return MrkSaveText(doc, path); }
  int ApplyPlacesBar(FileDialogRequest& request) override {
    return m_pPlacesBar ? m_pPlacesBar->ApplyPlacesBar(request) : 0;
  }
  void RestorePlacesBar(int state) override {
    if (m_pPlacesBar) m_pPlacesBar->RestorePlacesBar(state);
  }

 private:
  IDocFileServices* m_pPlacesBar;
};
