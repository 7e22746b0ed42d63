// The parts of the text layout that need no device: line rectangles, placing the character cells
// of a line under its alignment, the places of arc text, packing the character records of a
// multi-line text, and thickening the ink of a 1-bit glyph image.
#pragma once

#include <algorithm>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "model/geometry.h"
#include "model/textobject.h"
#include "platform/cstring.h"
#include "platform/gdi/dc.h"
#include "platform/wintypes.h"
#include "render/saturate.h"

// The text settings the renderer reads of the document beyond IRenderDocument. The document
// implements it alongside; a document without it draws filled text with its outline stroke.
class ITextRenderSettings {
 public:
  // The "V2004String" setting: filled text without the one-pixel outline stroke.
  virtual int GetV2004String() const = 0;

 protected:
  ~ITextRenderSettings() = default;
};

// The outline capture of text: the flattened glyph outlines of a copy, point by point with their
// path point types, and for each character the number of its points.
struct TextOutlineLists {
  std::vector<POINT> points;
  std::vector<BYTE> types;
  std::vector<int> counts;
  // One object's capture never holds more points than a path may: past that the lists are
  // emptied and stay empty, so nothing of the object is handed on (overflowed tells why).
  static constexpr size_t kMaxPoints = 50000000;
  bool overflowed = false;
  // Appends one glyph's points; false (and nothing kept) once the limit is passed.
  bool Append(const std::vector<POINT>& pts, const std::vector<BYTE>& tps) {
    if (overflowed) return false;
    if (points.size() + pts.size() > kMaxPoints) {
      overflowed = true;
      std::vector<POINT>().swap(points);
      std::vector<BYTE>().swap(types);
      return false;
    }
    points.insert(points.end(), pts.begin(), pts.end());
    types.insert(types.end(), tps.begin(), tps.end());
    return true;
  }
};

namespace textlayout {

// What the cell placement needs of one character, in logical units of the current mode.
struct CharMetrics {
  float a = 0, b = 0, c = 0;    // ABC widths (a blank's already halved)
  int cx = 0, cy = 0;           // text extent
  double offsetX = 0;           // the record's offset X, logical
  double offsetY = 0;           // the record's offset Y, logical
};

// The line (or, in vertical writing, column) rectangle i of a text box (left, top, right,
// bottom; y up). size is the line height (column width), step the size plus the line gap.
CDoubleRect LineRect(int vertical, int i, double left, double top, double right, double bottom,
                     double size, double step);

// A blank draws nothing and advances by half its font advance: the single-byte space and the
// full-width space (0x8140).
bool IsBlankCode(UINT code);
bool IsBlankChar(const CString& ch);
// A character of one or two bytes as a code: the byte, or lead x 256 + trail.
UINT CharCode(const CString& ch);
// The ABC widths of a blank replaced by its half advance.
void HalveBlank(float& a, float& b, float& c);

// Places the m cells (left, top, right, bottom; y up) of one line. Returns false, placing
// nothing, when the alignment is not 0..3 or the vertical flag not 0/1: such a line is skipped.
bool PlaceLineCells(int align, int vertical, const CDoubleRect& line, double pitch,
                    const CharMetrics* chars, int m, RECT* cells);

// Turns a cell about a centre (its own centre turned, the half sizes kept); rotate turns a
// point, as the renderer does.
template <class Rotate>
RECT TurnCell(const RECT& cell, double cx, double cy, double degrees, Rotate rotate) {
  const int hw = sat::Clamp((static_cast<std::int64_t>(cell.right) - cell.left) / 2);
  const int hh = sat::Clamp((static_cast<std::int64_t>(cell.bottom) - cell.top) / 2);  // negative: y up
  CDoublePoint p;
  rotate(&p, cx, cy, sat::Add(cell.left, hw), sat::Add(cell.top, hh), degrees);
  RECT r;
  r.left = DoubleToInt(p.x - hw);
  r.top = DoubleToInt(p.y - hh);
  r.right = DoubleToInt(p.x + hw);
  r.bottom = DoubleToInt(p.y + hh);
  return r;
}

// The angles (degrees) of the first and the last place of arc text.
struct ArcAngles {
  double first = 0;
  double last = 0;
};
ArcAngles ArcGuideAngles(double start, double span, int lower);
// The step between neighbouring places: 0 for one character.
double ArcStep(int n, double span, int lower);
// The whole-degree parameter angle of place i.
int ArcPlaceAngle(int i, double step, double first);

// Packs the records of the characters of each line, skipping the two positions of every line
// break. Records beyond the end of `records` read as zeros; packing stops at capacity.
void PackCharRecords(const CString* lines, int lineCount, int capacity, CTextCharRecord* packed,
                     const CTextCharRecord* records, int recordCount);

// ---- Long straight texts: lines left out of a paint, lines measured before ------------------

// What places every line of a straight text's copy, beside the line's own characters.
struct Text1LineFrame {
  int vertical = 0;
  double ox = 0, oy = 0;  // the copy's centre, logical
  double angle = 0;       // the object's angle
  int mirror = 0;         // 1 x, 2 y
  int h0 = 0, w0 = 0;     // the base font's height and width, logical
  double k = 0;           // font width per character width
  double pitch = 0;
  int align = 0;
  double cell = 0;  // the height of a font that comes out without one, logical
};

// The height the DC gives a font whose LOGFONT has none (its default cell), logical units.
double DefaultCellOf(const CDC& dc);

// One line as the layout is about to place it: its rectangle and each character's record.
struct Text1Line {
  int index;
  const CString& text;
  CDoubleRect rect;
  const CTextCharRecord* const* records;
  int count;
  const Text1LineFrame& frame;
};

// Tests compare with the layout of every line, nothing kept: true lays out all of them.
bool WholeTextLayout();
void SetWholeTextLayout(bool whole);
// Lines of straight text laid out so far: what a paint or a measure cost.
long long LaidOutLines();
void CountLaidOutLine();

// The device clip box of a paint, a few pixels larger for pens and rounding, as the four corners
// in logical units. all: the DC gives no box, so nothing can be left out.
struct ClipQuad {
  CDoublePoint corner[4];
  bool all = false;
};
// False when the DC can paint nothing at all.
bool ClipBoxOf(const CDC& dc, ClipQuad& out);

// Whether any glyph of a line can reach the clip box. Conservative: the line's band across its
// writing direction, grown by several times its largest character (sizes, lifted or shifted
// characters, their turn, the thickening), is tested against the clip box brought back through
// the copy's mirror and turn; along the line nothing is bounded. Made once per copy: the clip
// box's span across the lines is the same for every line of it.
class LineCull {
 public:
  // scale0, scale1: millimetres to logical units along x and y.
  LineCull(const ClipQuad& clip, const Text1LineFrame& frame, double scale0, double scale1, double charHeight,
           double charWidth, double lineWidthX, double lineWidthY);
  bool MayMeet(const Text1Line& line) const;
  // How far across its band a line's glyphs may stand out of it (logical units): the margin
  // MayMeet grows the band by. Not below 1e300 when nothing bounds them.
  static double Reach(const Text1Line& line, double scale0, double scale1, double charHeight, double charWidth,
                      double lineWidthX, double lineWidthY);

 private:
  bool m_all = false;  // nothing can be left out
  double m_cmin = 0, m_cmax = 0;
  double m_s0, m_s1, m_charHeight, m_charWidth, m_lineWidthX, m_lineWidthY;
};

// The glyph bounds of lines measured before, by everything that places their glyphs. Kept per
// thread within a fixed number of lines.
class Text1MeasureCache {
 public:
  struct Key {
    std::uint64_t a = 0, b = 0;
  };
  static Text1MeasureCache& ForThread();
  // The key of a line in a copy (left..bottom, logical) of the object, measured into dc.
  static Key KeyOf(const Text1Line& line, const CDC& dc, double l0, double l1, const CText1Object* obj, int fill,
                   double left, double top, double right, double bottom);
  bool Find(const Key& key, CDoubleRect& bounds, int& any) const;
  void Put(const Key& key, const CDoubleRect& bounds, int any);
  void Clear() { m_entries.clear(); }

 private:
  struct Entry {
    std::uint64_t check = 0;
    CDoubleRect bounds;
    int any = 0;
  };
  static constexpr size_t kMaxLines = 1 << 18;
  std::unordered_map<std::uint64_t, Entry> m_entries;
};

// The rotation the layout turns cells with, for the clip box brought back (degrees).
void TurnPoint(CDoublePoint* out, double cx, double cy, double x, double y, double degrees);


}  // namespace textlayout
