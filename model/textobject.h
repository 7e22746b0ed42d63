// The two text kinds: a straight text string laid out in a box, and a text string set along an
// elliptic arc. Both keep one character record per character, with which single characters are
// moved, turned, resized and thickened.
#pragma once

#include <vector>

#include "model/char_records.h"
#include "model/drawobject.h"

// A face name fits a font description of 32 bytes with its terminator.
inline constexpr int TEXT_FACE_NAME_MAX = 31;

class CText1Object : public CDrawObject {
 public:
  void SetDefaults() override;
  // Copies the position and every own field (font size and the two further font ints too, so a
  // duplicate keeps its look); the records become a copy of the source's.
  void CopySettings(const CText1Object* source);
  // Returns the new character count when the text changed (every record reset), -1 when equal.
  int SetText(const CString& text);
  // The counter as a counting text shows and engraves it: padded with zeros to the digit count.
  CString CounterText() const;
  // A counter value as a counting text shows it: zero-padded to `digits`.
  static CString PaddedCount(int value, int digits);
  // Stores a face name, cut to 31 bytes without splitting a double-byte character.
  void SetFaceName(const char* face);
  // The record of character i; a missing record (a file may hold fewer) reads as zeroed.
  CTextCharRecord GetCharRecord(int i) const;

  double m_dWidth = 0.0;        // box width
  double m_dHeight = 0.0;       // box height
  double m_dCharWidth = 0.0;
  double m_dCharHeight = 0.0;
  double m_dCharGap = 0.0;
  double m_dAngle = 0.0;
  double m_dLineGap = 0.0;      // between text lines
  int m_bVariable = 0;
  CString m_strText;
  int m_nRows = 0;
  int m_nColumns = 0;
  double m_dRowGap = 0.0;       // between copies
  double m_dColumnGap = 0.0;
  int m_nWriteDirection = 0;    // 0 horizontal, 1 vertical
  int m_nAlign = 0;             // 0 top left, 1 top right, 2 centre, 3 justified
  double m_dLineWidthX = 0.0;
  double m_dLineWidthY = 0.0;
  int m_nWeight = 0;
  int m_bItalic = 0;
  int m_nCharSet = 0;
  CString m_strFaceName;
  int m_nFontExtra1 = 0;        // kept with the object and in files; nothing reads them
  int m_nFontExtra2 = 0;
  int m_nFontSize = 0;          // tenths of a point
  int m_bCountUp = 0;
  int m_nCount = 0;
  int m_nCountStart = 0;
  int m_nCountDigits = 0;
  int m_bWidthDirection = 0;    // font width and line width change direction
  CTextCharRecords m_vCharRecords;
  int m_nReserved = 0;          // in memory only: project files leave it out
  int m_bTextChanged = 0;
};

class CText2Object : public CDrawObject {
 public:
  void SetDefaults() override;
  void CopySettings(const CText2Object* source);
  int SetText(const CString& text);
  void SetFaceName(const char* face);
  CTextCharRecord GetCharRecord(int i) const;

  double m_dRadiusX = 0.0;
  double m_dRadiusY = 0.0;
  double m_dSpan = 0.0;         // the arc's extent, degrees
  double m_dAngle = 0.0;        // start angle, degrees
  double m_dCharWidth = 0.0;
  double m_dCharHeight = 0.0;
  CString m_strText;
  int m_nRows = 0;
  int m_nColumns = 0;
  double m_dRowGap = 0.0;
  double m_dColumnGap = 0.0;
  int m_nDirection = 0;         // 0 on the upper arc, 1 on the lower arc
  int m_bKeepAspect = 0;
  double m_dLineWidthX = 0.0;
  double m_dLineWidthY = 0.0;
  int m_nWeight = 0;
  int m_bItalic = 0;
  int m_nCharSet = 0;
  CString m_strFaceName;
  int m_nFontExtra1 = 0;
  int m_nFontExtra2 = 0;
  int m_nFontSize = 0;
  int m_bWidthDirection = 0;
  CTextCharRecords m_vCharRecords;
  int m_nReserved = 0;          // in memory only: project files leave it out
  int m_bTextChanged = 0;
};
