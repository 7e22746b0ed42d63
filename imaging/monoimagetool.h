// CMonoImageTool: the 1-bit image toolkit. It is made as a plain local object wherever it is
// needed; apart from the outline export, which collects the text of its output file, every
// operation works only on its arguments.
//
// Blocks are MonoBmpFile images (imaging/monobmp.h) given as a pointer and the number of bytes
// the holder owns. Every operation checks the block against that size before it reads a row, so
// nothing that came from outside is ever trusted.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "imaging/monobmp.h"
#include "platform/cstring.h"
#include "platform/wintypes.h"

// Point types of a traced outline: the values of the path codes move-to and line-to.
enum : BYTE { TRACE_MOVETO = 6, TRACE_LINETO = 2 };

// One point of a traced outline: pixel column, pixel row (0 = top row), point type.
struct TracePoint {
  LONG x = 0;
  LONG y = 0;
  BYTE type = TRACE_LINETO;
};

// The result of a trace: every figure starts with exactly one move point; a figure of one pixel
// is a move to that pixel and a line to the same pixel. count == points.size().
struct TracedOutline {
  int count = 0;
  std::vector<TracePoint> points;
};

// The points of one figure while it is traced.
using TraceFigure = std::vector<POINT>;

// A pixel while a border is followed: byte within the row, row (0 = top), bit (0 = leftmost).
struct TracePos {
  int byte = 0;
  int row = 0;
  int bit = 0;
};

class CMonoImageTool {
 public:
  CMonoImageTool() = default;
  CMonoImageTool(const CMonoImageTool&) = delete;
  CMonoImageTool& operator=(const CMonoImageTool&) = delete;
  virtual ~CMonoImageTool();

  // --- Building and inspecting blocks ---

  // The pixel rows, block + 62 (null for a null block).
  static BYTE* GetBits(BYTE* block) { return block ? block + MonoBmpFile::kHeaderSize : nullptr; }
  static const BYTE* GetBits(const BYTE* block) { return block ? block + MonoBmpFile::kHeaderSize : nullptr; }
  // The info header and palette, block + 14, as the DIB calls take them (null for a null block).
  static BYTE* GetBitmapInfo(BYTE* block) { return block ? block + MonoBmpFile::kFileHeaderSize : nullptr; }
  static const BYTE* GetBitmapInfo(const BYTE* block) {
    return block ? block + MonoBmpFile::kFileHeaderSize : nullptr;
  }

  // Checks a block of `size` bytes and reports its geometry. Null unless the block is a 1-bit BMP
  // in the canonical layout whose rows lie inside `size` (see IsCanonicalMonoBmp); for such a
  // block the rows (block + 62), and into each output that is not null: width in whole bytes (width / 8),
  // height, file size (62 + height x stride), stride, image size (height x stride).
  static BYTE* ParseMonoBmp(BYTE* block, size_t size, int* widthBytes, int* height, int* fileSize,
                            int* stride, int* imageSize);
  static const BYTE* ParseMonoBmp(const BYTE* block, size_t size, int* widthBytes, int* height,
                                  int* fileSize, int* stride, int* imageSize);

  // Writes a block to a file (62 + height x stride bytes, from the header). The file is written
  // through a temporary one, so a failed write keeps what was there. 1 written, 0 refused block
  // or failed write.
  static int WriteBmpFile(const CString& path, const BYTE* block, size_t size);

  // The core of building a block from a device bitmap: `height` device rows of `rowBytes` bytes
  // each, top row first, stored bottom-up with the black and white palette. Each stored row takes
  // the device row's bytes (never more than the stride); the rest of the stride is padding (0).
  // Empty when the arguments do not describe an image.
  static std::vector<BYTE> BmpFromDeviceRows(int width, int height, int rowBytes, const BYTE* rows);

  // --- Contour tracer ---
  // The tracer takes a 0 bit as ink. Every pixel of the image is traced, also those of a partial
  // last byte; the bits of the row padding count as background.

  // Traces every figure of ink into `outline`: the border of each figure and of each hole, as the
  // middles of the border pixels at every corner, so that moved half a pixel out (away from the
  // ink) the figures lie on the pixel edges. Pixels meeting only at a corner belong to different
  // figures; a hole one pixel wide or high is given as its own pixels from end to end. 1 with
  // the outline filled; 0 (outline emptied) when the block is refused or holds no ink. The
  // block is not changed.
  int TraceBmp(const BYTE* block, size_t size, TracedOutline* outline);

  // The outline export: traces the block and writes every figure to `path` with its extension
  // replaced by ".hpg" ("PU%d,%d;\r\n" for a figure's first point, "PD%d,%d;\r\n" for the
  // others, y counted downward from the top row). The file is written through a temporary one
  // after the trace, so a failed write keeps the old file. 1 with the outline filled;
  // 0 when nothing could be traced (an image without ink writes an empty file, a refused block
  // writes nothing); -1 when the file could not be written (outline emptied).
  int ExportHpgl(const BYTE* block, size_t size, TracedOutline* outline, const CString& path);

  // The tracing proper over `height` rows of `stride` bytes, top row first, `width` pixels wide.
  // Empty when there is nothing to trace or the arguments are refused.
  std::vector<TracePoint> TraceContours(const BYTE* rows, int width, int height, int stride);

  // Keeps only the border pixels of every figure, in place. 1 done, 0 refused (null rows, no
  // width or height, or a stride too small for the width).
  static int HollowFigures(BYTE* rows, int width, int height, int stride);

  // Follows the border that starts at the given pixel into `figure` (cleared first), then marks
  // its pixels as background in `work`. The walk stops after a bounded number of steps.
  static void FollowBorder(BYTE* work, int width, int height, int stride, int startByte, int startRow,
                           int startBit, TraceFigure& figure);
  // Bit (0x80 >> d) clear for each direction d whose neighbour is ink inside the image.
  // Directions, clockwise on the screen: 0 up-left, 1 up, 2 up-right, 3 right, 4 down-right,
  // 5 down, 6 down-left, 7 left.
  static BYTE NeighbourMask(const BYTE* work, int width, int height, int stride, int byte, int row, int bit);
  // The next direction to step in, or -1 when no neighbour is ink. `back` is the direction of
  // the pixel we came from, -1 at the start.
  static int NextDirection(BYTE mask, int back);
  // Moves the position one pixel and returns the opposite direction.
  static int StepDirection(int direction, TracePos& pos);
  // Keeps the ends of horizontal and vertical runs and the points of diagonal steps.
  static int ReduceToCorners(TraceFigure& figure);
  // Replaces chains of points that lie near a straight chord by the chord's ends.
  static int MergeStraightRuns(TraceFigure& figure);
  // 1 when every point strictly between `first` and `last` lies near the chord between them.
  static int IsNearChord(const TraceFigure& figure, int first, int last);
  // Drops line points that lie within `tolerance` of their predecessor where the path goes on
  // beyond it; move points and the last point of every figure are kept.
  static void ThinTracePoints(std::vector<TracePoint>& points, int tolerance);
  // Appends one figure to the export text while an export is open.
  void WriteHpglFigure(const TraceFigure& figure);

  // --- Image filters ---
  // Filters work on a canonical block of `size` bytes in place. The ink sense comes from the
  // palette: with a white entry 0, ink is a 1 bit, otherwise a 0 bit. A rectangle is in picture
  // pixels (row 0 at the top) with right and bottom exclusive, as the paint editor keeps its
  // selection; null means the whole image. Only the part inside the image is touched.

  // The pixel rows of a block the filters can work on, or null.
  static BYTE* GetEditBits(BYTE* block, size_t size);
  // The inclusive edit rectangle: the given one with right and bottom moved in by one pixel, or
  // the whole image (0, 0, width - 1, height - 1).
  static RECT GetEditRect(const BYTE* block, const RECT* given);
  // Thickens ink by a box of xAmount + 1 by yAmount + 1 pixels around every ink pixel (the extra
  // pixel of an odd amount to the right and upward), never beyond the rectangle. Returns the
  // pixels as they were before (empty when refused).
  static std::vector<BYTE> ThickenImage(BYTE* block, size_t size, int xAmount, int yAmount, const RECT* rect);
  // Keeps the border of each figure and clears its inside. Returns the scratch copy (ink as 0
  // bits), empty when refused.
  static std::vector<BYTE> ExtractOutline(BYTE* block, size_t size, const RECT* rect);
  // Inverts every pixel of the rectangle. 1 done, 0 refused.
  static int InvertImage(BYTE* block, size_t size, const RECT* rect);
  // Fills the rectangle with black (colour 0) or white (colour 1) as shown. 1 done, 0 refused.
  static int FillImage(BYTE* block, size_t size, int colour, const RECT* rect);
  // Widens the ink (0 bits) of a whole block in place: xAmount + 1 pixels across (the extra one
  // to the left), then yAmount + 1 down the columns (the extra one downward). The pixel rows, or
  // null for a refused block.
  static BYTE* WidenBmp(BYTE* block, size_t size, int xAmount, int yAmount);
  // The two passes of WidenBmp over bottom-up rows `width` pixels wide: ink of `src` is added to
  // `dst`.
  static void WidenRows(int amount, BYTE* dst, const BYTE* src, int width, int height, int stride);
  static void WidenColumns(int amount, BYTE* dst, const BYTE* src, int width, int height, int stride);

 private:
  // The export in progress: set while the figures are collected for the ".hpg" file.
  int m_bExportOpen = 0;
  std::string m_exportText;

  // Builders over device contexts
 public:
  // A block of width x height from a 1-bit bitmap, its rows read through `dc`; palette entry 0
  // becomes `ink`. A bitmap of another size is taken from its bottom-left corner, with background
  // where it does not reach. `size` (may be null) receives the block's length, 0 on failure.
  // Empty without a DC or bitmap, or when the rows cannot be read.
  static std::vector<BYTE> BuildMonoBmp(class CDC* dc, class CBitmap* bitmap, int width, int height,
                                        int* size, COLORREF ink);
  // A black and white block of a 1-bit device bitmap, its top device row stored last. Empty for
  // a null, empty or colour bitmap.
  static std::vector<BYTE> BmpFromBitmap(const class CBitmap* bitmap);
  // A new 1-bit device bitmap of the rectangle's size from the bitmap selected into `dc`; the
  // caller owns it and deletes it. Only the size is used: the caller selects a bitmap of exactly
  // that size, and a different one is taken from its bottom-left corner, with background where
  // it does not reach. Null without a selected bitmap, for an empty or inverted rectangle, or when
  // the rows cannot be read.
  static class CBitmap* CopyRectToMonoBitmap(class CDC* dc, const RECT& rect);

  // Rendering objects into images
 public:
  // The whole design at the dots-per-millimetre setting, cut to the scanning area, written as a
  // 1-bit BMP file whose header gives that resolution (dpm x 1000 pixels per metre). 1 written;
  // 0 when nothing could be rendered (nothing written); -1 when the file could not be written.
  static int SaveViewBitmap(class CLeftView* view, const CString& path);
  // The design through the canvas view into a new block (black ink on white, 40000 pixels per
  // metre), one pixel per machine unit: mode 0 the whole design cut to the scanning area or to
  // clip (millimetres), mode 1 the seal image with flag, mode 2 the listed entries. Empty when
  // nothing could be rendered; size (when given) gets the block's size.
  static std::vector<BYTE> RenderToBmp(int mode, int flag, class CKorvaneDoc* doc, class CLeftView* view, int* size,
                                       const class CDoubleRect* clip, const int* indexes, int count);
  static std::vector<BYTE> RenderAreaToBmp(class CKorvaneDoc* doc, class CLeftView* view, int* size,
                                           const class CDoubleRect* clip);
  static std::vector<BYTE> RenderDrawingToBmp(class CKorvaneDoc* doc, class CLeftView* view, int* size, int flag);
  static std::vector<BYTE> RenderObjectsToBmp(class CKorvaneDoc* doc, class CLeftView* view, int* size,
                                              const int* indexes, int count);
  // The rows of the bitmap selected in a rendering's device context as a block.
  static std::vector<BYTE> RenderObjectBitmap(class CDC* dc, class CBitmap* bitmap, int width, int height);
};
