// Character and number routines over code-page-932 text shared by the text objects, the text
// layout, the text project file, the pages and the seal dialogs. A lead byte and its trail byte
// count as one character.
#pragma once

#include "platform/cstring.h"

class IControlHost;
class QString;

class CTextUtil {
 public:
  CTextUtil() = default;
  virtual ~CTextUtil() = default;

  int GetCharCount(const CString& s) const;
  // On success `n` becomes the byte offset of character n and the result is its width (2 for a
  // double-byte character, else 1); 0 when n is at or past the end (n unchanged).
  int GetCharByteIndex(const CString& s, int& n) const;
  // The same, but CR followed by LF counts as one character of width 2.
  int GetCharByteIndexCrLf(const CString& s, int& n) const;
  // The width of the character that starts at byte offset p (as above); 0 at or past the end.
  // Walking a string character by character with it stays linear in the string's length.
  int CharWidthAt(const CString& s, int p, bool crlf = false) const;
  CString MidChars(const CString& s, int n) const;
  int IsCrLfAt(const CString& s, int i) const;
  int GetLineCount(const CString& s) const;
  int GetTotalCharCount(const CString* lines, int n) const;
  // Fills `lines` (sized with GetLineCount) and returns the sum of their character counts.
  int SplitLines(const CString& s, CString* lines, int n) const;
  CString RemoveNewLines(const CString& s) const;
  int Round(double v) const;
  int IsSameSign(double a, double b) const;
  CString FormatZeroPadded(const CString& text, int width) const;

 private:
  int CharWalk(const CString& s, int& n, bool crlf) const;
};

// The files hold code page 932 only. A typed character they cannot hold is refused with the
// message "この文字は使用できません: U+XXXX", never stored as "?".
// The first character of the text that code page 932 cannot hold; empty when there is none.
QString FirstNonCp932Character(const QString& text);
// Names the first such character to the operator and returns true; false when the text may go.
bool RefuseNonCp932(const QString& text);
// A control's text as typed (Unicode) where the host holds Qt widgets, else its stored text.
QString ControlUnicodeText(const IControlHost* host, int id);
