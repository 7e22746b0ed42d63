// The line-based "v2004" project file: code-page-932 text with CR LF line ends (LF alone is read
// too); one header line per record, starting with its kind code; the characters of a straight
// text on continuation lines that begin with a blank. Bitmaps are stored by path; barcodes are not stored.
#pragma once

#include <cstdint>
#include <vector>

#include "files/mrk_design.h"
#include "platform/cstring.h"
#include "platform/wintypes.h"

class CMrkTextFile {
 public:
  enum { modeRead = 1, modeWrite = 2 };
  // The one size limit of the format: a larger file is refused by Load rather than held in
  // memory, and Save refuses to write one, so whatever is saved opens again.
  static constexpr size_t kMaxFileSize = 64u * 1024u * 1024u;

  explicit CMrkTextFile(int mode) : m_nMode(mode) {}
  virtual ~CMrkTextFile() = default;

  // 0 in the wrong mode or when the file cannot be read (or is too large); 1 when read; 2 when
  // read and one of its records is drawing data ("D").
  int Load(const CString& path);
  // Load from bytes already in memory.
  int LoadBytes(const std::vector<BYTE>& bytes);
  int GetRecordCount() const { return static_cast<int>(m_Records.size()); }
  // The kind of record n, TYPE_UNKNOWN when there is none.
  int GetObjectKind(int n) const;
  // The kind a header line names by its leading code.
  static int KindOfCode(const CString& line);
  // Fills an object of the kind GetObjectKind reported from record n; fields missing from the
  // record leave the object's values as they were.
  void ParseObject(int n, CDrawObject* object) const;

  // Reads every record into `design` as the loader takes them: kinds 0 to 8 as objects made
  // from the list's prototypes (a bitmap only when its image loads from the stored path, or, for
  // an empty path, from the file the operator picks), drawing data only with `withDrawing`;
  // other records are skipped wherever they stand, counted in `skipped` (optional) and described
  // in the design's lost records; so is a record cut short and one with a value past its kind's
  // range (ObjectInRange). The
  // list is not changed. Returns the kind of the last record that was not skipped (drawing data also
  // when declined), TYPE_UNKNOWN when every record was skipped or there is none.
  int ParseDesign(CObjectList& list, BOOL withDrawing, CMrkDesign& design, int* skipped = nullptr) const;

  // Appends the object's lines; the number of lines then held. -1 for a deleted object; kinds
  // without a record append nothing. Null clears the lines and gives 0.
  int FormatObject(const CDrawObject* object);
  // Formats every live object of the list from item 0.
  void FormatList(const CObjectList& list);
  // Writes the lines, each ended by CR LF, through a temporary file that replaces the old one
  // only when everything was written. 0 in the wrong mode, when the file would pass
  // kMaxFileSize (nothing is written) or on a failed write, else 1.
  int Save(const CString& path);
  // The number of bytes Save would write.
  size_t GetByteSize() const;
  bool FitsSizeLimit() const { return GetByteSize() <= kMaxFileSize; }
  // The bytes Save writes.
  std::vector<BYTE> GetBytes() const;

  CString GetHeaderLine(int n) const;
  // Continuation line k of record n when record n is a straight text that has it.
  CString GetCharLine(int n, int k) const;
  const std::vector<CString>& GetLines() const { return m_Lines; }

 private:
  struct Record {
    int nHeader = 0;                 // index into the lines
    std::vector<int> continuation;   // indices of its continuation lines
  };

  // Whether record n lacks fields, character lines or values that its layout always has: the
  // writer never leaves one out, so such a record was damaged wherever it stands, and filling
  // in defaults would pass the damage on to the next save.
  bool IsCutShort(int n, const CDrawObject& object) const;

  int m_nMode;
  int m_nRecordCount = 0;
  std::vector<CString> m_Lines;
  std::vector<Record> m_Records;
};
