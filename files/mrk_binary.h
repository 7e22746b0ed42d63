// The binary project file: a 32-byte header, one record per object in list order (the work-area
// object first, its three children nested in it; deleted objects left out), then the end marker
// 21. Bitmap images travel run-length coded when that is smaller.
#pragma once

#include <cstdint>
#include <vector>

#include "files/mrk_design.h"
#include "platform/archive.h"
#include "platform/cstring.h"
#include "platform/wintypes.h"

class CMrkBinaryFile {
 public:
  enum { modeRead = 1, modeWrite = 2 };

  CMrkBinaryFile(int mode, const CString& path) : m_nMode(mode), m_strPath(path) {}
  virtual ~CMrkBinaryFile() = default;

  // Writes every live object of the list to the path, through a temporary file that replaces
  // the old one only when everything was written. 1 written; 0 in the wrong mode or when the
  // file could not be written (the old file then stays as it was).
  int Write(const CObjectList* list);

  // Reads the whole file into `design` without touching any object list. 1 when the file is a
  // complete, valid project file with at least one record; 0 otherwise (design left empty).
  // Records with a value past their kind's range go to the design's lost records.
  int Parse(CObjectList& list, CMrkDesign& design);
  // Parse, then commit into the list: the last object put into the list (the work-area object
  // when drawing data came last), or null in the wrong mode, for a damaged file or one without
  // records; a refused file leaves the list exactly as it was.
  CDrawObject* Read(CObjectList* list);
  // Whether the last Read overwrote the work-area object.
  BOOL DrawingDataLoaded() const { return m_bDrawingLoaded; }

  // The file's bytes for a list (what Write puts on disk).
  static std::vector<BYTE> Serialize(const CObjectList& list);
  // Parses bytes into a design; false for anything but a complete, valid file with records.
  static bool ParseBytes(const std::vector<BYTE>& bytes, CObjectList& list, CMrkDesign& design);

  // The run-length codec. Compress gives the coded block, or an empty vector when coding does
  // not make the data smaller. Expand gives false unless the block has the magic and its items
  // decode to exactly the length the block declares.
  static std::vector<BYTE> Compress(const BYTE* data, size_t length);
  static bool Expand(const BYTE* coded, size_t length, std::vector<BYTE>& decoded);
  static bool IsCoded(const BYTE* data, size_t length) {
    return length >= 2 && data[0] == kMagic0 && data[1] == kMagic1;
  }

  static constexpr BYTE kMagic0 = 0xBD;
  static constexpr BYTE kMagic1 = 0xB2;
  static constexpr size_t kCodedHeader = 6;

 private:
  int m_nMode;
  CString m_strPath;
  BOOL m_bDrawingLoaded = FALSE;
};
