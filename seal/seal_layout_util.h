// The arithmetic of the seal layout, apart from the document so that it can be checked alone.
#pragma once

#include <vector>

#include "platform/cstring.h"

namespace seal {

// One character of an inner text: its cell size and the cell's centre (mm, from the seal's
// centre, x right, y up).
struct SealCell {
  CString character;
  double width = 0.0;
  double height = 0.0;
  double x = 0.0;
  double y = 0.0;
};

// The characters of a code-page-932 line, a double-byte character as one.
std::vector<CString> SplitChars(const CString& line);
// The corporate inner text as words, one per line: full-width spaces count as blanks, runs of
// blanks as one; a leading blank gives an empty first word.
std::vector<CString> SplitInnerWords(const CString& text);
// Several lines turn the one-row styles into columns: 0, 1 and 4 into 2; 3 and 5 into 6.
int EffectiveStyle(int style, int lineCount);
// The cells of the lines in a box of width x height for engraving style 0 to 6; none for
// another style or without characters.
std::vector<SealCell> LayoutCells(const CString* lines, int count, double width, double height, int style);

// The ring text as set on the arc: the text (the top dot first when asked), the span between the
// two end characters and the start angle (degrees); made is false when there is nothing to set.
struct RingLayout {
  CString text;
  double span = 0.0;
  double angle = 0.0;
  bool made = false;
};
RingLayout ComputeRing(const CString& ringText, int topDot);

// A recent-font list after choosing face: an entry already there moves to the front, else the
// last entry drops out; the rest move down one place.
void PushFont(CString* list, int size, const CString& face);

}  // namespace seal
