// The document's side of the project files: loading a binary or text project into the design
// and saving the design in either format. Each is the body of the document operation of the same
// name (CKorvaneDoc::LoadMrkBinary, LoadMrkText, SaveMrkBinary, SaveMrkText, OnDrawingDataLoaded).
//
// A file is read completely before anything of it reaches the design; a damaged binary file, or
// a text file of which nothing can be taken, leaves the design exactly as it was. With `replace`
// the design is cleared (OnNewDocument) only once the file has been read.
#pragma once

#include "model/doc_seams.h"
#include "platform/cstring.h"
#include "platform/wintypes.h"

class CKorvaneDoc;

// 1 loaded; 0 when the file could not be read or is not a complete binary project file.
int MrkLoadBinary(CKorvaneDoc& doc, const CString& path, BOOL replace = FALSE);
// 1 when the file was read: every record that can be taken is loaded, the others are skipped
// wherever they stand, and the message "ファイルの読み込みに失敗しました" is shown once when a record was
// skipped (or the file holds none). 0 when the file could not be read.
int MrkLoadText(CKorvaneDoc& doc, const CString& path, BOOL replace = FALSE);
// 1 written: the modified flag is cleared and the title becomes the path. 0 when the file could
// not be written: the old file and the modified flag stay as they were.
BOOL MrkSaveBinary(CKorvaneDoc& doc, const CString& path);
BOOL MrkSaveText(CKorvaneDoc& doc, const CString& path);
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
