// The document's side of the project files: loading a binary or text project into the design
// and saving the design in either format. Each is the body of the document operation of the same
// name (CKorvaneDoc::LoadMrkBinary, LoadMrkText, SaveMrkBinary, SaveMrkText, OnDrawingDataLoaded).
//
// A file is read completely before anything of it reaches the design; a damaged file leaves the
// design exactly as it was. With `replace` the design is cleared (OnNewDocument) only once the
// file has been read.
#pragma once

#include "platform/cstring.h"
#include "platform/wintypes.h"

class CKorvaneDoc;

// 1 loaded; 0 when the file could not be read or is not a complete binary project file.
int MrkLoadBinary(CKorvaneDoc& doc, const CString& path, BOOL replace = FALSE);
// 1 loaded; 0 when the file could not be read, or (after the message "ファイルの読み込みに失敗しました")
// when nothing of it could be taken.
int MrkLoadText(CKorvaneDoc& doc, const CString& path, BOOL replace = FALSE);
// 1 written: the modified flag is cleared and the title becomes the path. 0 when the file could
// not be written: the old file and the modified flag stay as they were.
BOOL MrkSaveBinary(CKorvaneDoc& doc, const CString& path);
BOOL MrkSaveText(CKorvaneDoc& doc, const CString& path);
// Item 0 becomes the current object and the settings pages are refreshed from it.
void MrkOnDrawingDataLoaded(CKorvaneDoc& doc);
