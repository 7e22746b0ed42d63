// The device-free parts of the text layout: cell placement under every alignment, vertical
// writing, blanks, arc places, record packing and the thickening of glyph images.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "imaging/monobmp.h"
#include "model/textobject.h"
#include "model/textutil.h"
#include "platform/cstring.h"
#include "render/text_layout.h"

namespace {

using textlayout::CharMetrics;

std::vector<CharMetrics> Chars(int n, float a, float b, float c, int cx, int cy) {
  std::vector<CharMetrics> v(static_cast<size_t>(n));
  for (auto& m : v) {
    m.a = a;
    m.b = b;
    m.c = c;
    m.cx = cx;
    m.cy = cy;
  }
  return v;
}

std::vector<int> Lefts(const std::vector<RECT>& cells) {
  std::vector<int> v;
  for (const RECT& r : cells) v.push_back(r.left);
  return v;
}

std::vector<int> Tops(const std::vector<RECT>& cells) {
  std::vector<int> v;
  for (const RECT& r : cells) v.push_back(r.top);
  return v;
}

// Two lines ("abc" and "de") of a box 1000 wide: line height 200, line step 250, pitch 10,
// every character 100 wide with extent height 180.
struct TwoLines {
  std::vector<RECT> first, second;
};

TwoLines PlaceTwoLines(int align) {
  TwoLines t;
  auto a = Chars(3, 0, 100, 0, 100, 180);
  auto b = Chars(2, 0, 100, 0, 100, 180);
  t.first.resize(3);
  t.second.resize(2);
  const CDoubleRect l0 = textlayout::LineRect(0, 0, 0, 0, 1000, -1000, 200, 250);
  const CDoubleRect l1 = textlayout::LineRect(0, 1, 0, 0, 1000, -1000, 200, 250);
  EXPECT_TRUE(textlayout::PlaceLineCells(align, 0, l0, 10, a.data(), 3, t.first.data()));
  EXPECT_TRUE(textlayout::PlaceLineCells(align, 0, l1, 10, b.data(), 2, t.second.data()));
  return t;
}

TEST(StraightTextCells, TwoLinesOfDifferentLengthsUnderEachAlignment) {
  struct Case {
    int align;
    std::vector<int> first, second;
  };
  const Case cases[] = {
      {0, {0, 110, 220}, {0, 110}},      // start
      {1, {680, 790, 900}, {790, 900}},  // end: laid from the right edge backwards
      {2, {340, 450, 560}, {395, 505}},  // centre: (1000 - advance sum) / 2
      {3, {0, 450, 900}, {0, 900}},      // spread: the gaps share what the glyphs leave
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.align);
    TwoLines t = PlaceTwoLines(c.align);
    EXPECT_EQ(Lefts(t.first), c.first);
    EXPECT_EQ(Lefts(t.second), c.second);
    for (const RECT& r : t.first) EXPECT_EQ(r.right - r.left, 100);
  }
  // Each cell is centred on its own line: line 0 spans 0..-200, line 1 -250..-450.
  TwoLines t = PlaceTwoLines(0);
  EXPECT_EQ(t.first[0].top, -10);
  EXPECT_EQ(t.first[0].bottom, -190);
  EXPECT_EQ(t.second[1].top, -260);
  EXPECT_EQ(t.second[1].bottom, -440);
}

TEST(StraightTextCells, OffsetsMoveSingleCells) {
  auto a = Chars(2, 0, 100, 0, 100, 180);
  a[1].offsetX = 25;
  a[1].offsetY = -30;
  std::vector<RECT> cells(2);
  ASSERT_TRUE(textlayout::PlaceLineCells(0, 0, CDoubleRect(0, 0, 1000, -200), 0, a.data(), 2, cells.data()));
  EXPECT_EQ(cells[0].left, 0);
  EXPECT_EQ(cells[1].left, 125);  // the offset does not move the following characters
  EXPECT_EQ(cells[1].top, -40);
  EXPECT_EQ(cells[1].bottom, -220);
}

TEST(StraightTextCells, VerticalWritingFillsColumnsFromTheTop) {
  // Column 1 of a box (0, 0)-(1000, -1000): width 200, step 250.
  const CDoubleRect col = textlayout::LineRect(1, 1, 0, 0, 1000, -1000, 200, 250);
  EXPECT_EQ(col.left, 250);
  EXPECT_EQ(col.right, 450);
  EXPECT_EQ(col.top, 0);
  EXPECT_EQ(col.bottom, -1000);

  auto chars = Chars(3, 10, 80, 10, 100, 100);
  struct Case {
    int align;
    std::vector<int> tops;
  };
  const Case cases[] = {{0, {0, -110, -220}}, {1, {-680, -790, -900}}, {2, {-340, -450, -560}},
                        {3, {0, -450, -900}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.align);
    std::vector<RECT> cells(3);
    ASSERT_TRUE(textlayout::PlaceLineCells(c.align, 1, col, 10, chars.data(), 3, cells.data()));
    EXPECT_EQ(Tops(cells), c.tops);
    for (const RECT& r : cells) {
      // Centred in the column by the full advance: A + (200 - 100) / 2 from the column's left.
      EXPECT_EQ(r.left, 250 + 10 + 50);
      EXPECT_EQ(r.right, r.left + 80);
      EXPECT_EQ(r.top - r.bottom, 100);
    }
  }
  // End alignment stacks from the bottom edge upwards.
  std::vector<RECT> cells(3);
  ASSERT_TRUE(textlayout::PlaceLineCells(1, 1, col, 10, chars.data(), 3, cells.data()));
  EXPECT_EQ(cells[2].bottom, -1000);
  EXPECT_EQ(cells[1].bottom, -890);
  EXPECT_EQ(cells[0].bottom, -780);
}

TEST(StraightTextCells, SpreadWithOneCharacterStartsTheLine) {
  auto one = Chars(1, 0, 100, 0, 100, 100);
  RECT cell{};
  ASSERT_TRUE(textlayout::PlaceLineCells(3, 0, CDoubleRect(40, 0, 1000, -200), 10, one.data(), 1, &cell));
  EXPECT_EQ(cell.left, 40);
  ASSERT_TRUE(textlayout::PlaceLineCells(3, 1, CDoubleRect(0, -60, 200, -1000), 10, one.data(), 1, &cell));
  EXPECT_EQ(cell.top, -60);
}

TEST(StraightTextCells, UnknownAlignmentOrDirectionPlacesNothing) {
  auto chars = Chars(2, 0, 100, 0, 100, 100);
  for (auto [align, vertical] : {std::pair{4, 0}, std::pair{-1, 0}, std::pair{0, 2}, std::pair{2, -1}}) {
    std::vector<RECT> cells(2, RECT{7, 7, 7, 7});
    EXPECT_FALSE(textlayout::PlaceLineCells(align, vertical, CDoubleRect(0, 0, 1000, -200), 0, chars.data(), 2,
                                            cells.data()));
    EXPECT_EQ(cells[0].left, 7);
    EXPECT_EQ(cells[1].bottom, 7);
  }
}

TEST(StraightTextCells, BlanksAdvanceByHalfTheirFontAdvance) {
  EXPECT_TRUE(textlayout::IsBlankChar(CString(" ")));
  EXPECT_TRUE(textlayout::IsBlankChar(CString::FromUtf8("\u3000")));  // full-width space, 0x8140
  EXPECT_EQ(textlayout::CharCode(CString::FromUtf8("\u3000")), 0x8140u);
  EXPECT_EQ(textlayout::CharCode(CString::FromUtf8("\u3042")), 0x82A0u);  // a two-byte character
  EXPECT_FALSE(textlayout::IsBlankChar(CString::FromUtf8("\u3042")));
  EXPECT_FALSE(textlayout::IsBlankChar(CString("a")));
  EXPECT_FALSE(textlayout::IsBlankChar(CString()));

  float a = 3, b = 40, c = 7;
  textlayout::HalveBlank(a, b, c);
  EXPECT_EQ(a, 0);
  EXPECT_EQ(b, 25);
  EXPECT_EQ(c, 0);
}

TEST(StraightTextCells, TurningACellKeepsItsHalfSizes) {
  auto rotate = [](CDoublePoint* out, double cx, double cy, double px, double py, double deg) {
    const double t = deg * 2 * M_PI / 360;
    const double dx = px - cx, dy = py - cy;
    out->x = cx + dx * std::cos(t) - dy * std::sin(t);
    out->y = cy + dx * std::sin(t) + dy * std::cos(t);
  };
  // A cell centred on (100, 0) turned by -90 (clockwise) about the origin: centred on (0, -100).
  const RECT cell{80, 10, 120, -10};
  const RECT r = textlayout::TurnCell(cell, 0, 0, -90, rotate);
  // (Each edge is truncated, so a rounding error of the turn may cost one unit.)
  EXPECT_NEAR(r.left, -20, 1);
  EXPECT_NEAR(r.right, 20, 1);
  EXPECT_NEAR(r.top, -90, 1);
  EXPECT_NEAR(r.bottom, -110, 1);
}

TEST(ArcTextPlaces, DefaultTextRunsFrom220ToMinus40DegreesClockwise) {
  const textlayout::ArcAngles a = textlayout::ArcGuideAngles(0, 260, 0);
  EXPECT_EQ(a.first, 220);
  EXPECT_EQ(a.last, -40);
  const double step = textlayout::ArcStep(10, 260, 0);
  std::vector<int> places;
  for (int i = 0; i < 10; ++i) places.push_back(textlayout::ArcPlaceAngle(i, step, a.first));
  EXPECT_EQ(places, (std::vector<int>{220, 191, 162, 133, 104, 75, 46, 17, -11, -40}));
}

TEST(ArcTextPlaces, GuideAnglesOnBothSides) {
  textlayout::ArcAngles a = textlayout::ArcGuideAngles(0, 120, 0);
  EXPECT_EQ(a.first, 150);
  EXPECT_EQ(a.last, 30);
  a = textlayout::ArcGuideAngles(0, 120, 1);
  EXPECT_EQ(a.first, 210);
  EXPECT_EQ(a.last, 330);
  // The lower side runs counter-clockwise, left to right.
  EXPECT_GT(textlayout::ArcStep(4, 120, 1), 0);
  EXPECT_LT(textlayout::ArcStep(4, 120, 0), 0);
}

TEST(ArcTextPlaces, OneCharacterStandsAtTheLeftEnd) {
  EXPECT_EQ(textlayout::ArcStep(1, 260, 0), 0);
  EXPECT_EQ(textlayout::ArcStep(0, 260, 1), 0);
  const textlayout::ArcAngles a = textlayout::ArcGuideAngles(10, 100, 0);
  EXPECT_EQ(textlayout::ArcPlaceAngle(0, 0, a.first), 150);
}

CTextCharRecord Rec(double tag) {
  CTextCharRecord r;
  r.dOffsetX = tag;
  return r;
}

TEST(CharRecordPacking, LineBreaksTakeTwoPositions) {
  CTextUtil util;
  const CString text("ab\r\nc");
  const int lineCount = util.GetLineCount(text);
  std::vector<CString> lines(static_cast<size_t>(lineCount));
  const int n = util.SplitLines(text, lines.data(), lineCount);
  ASSERT_EQ(n, 3);
  std::vector<CTextCharRecord> src;
  for (int i = 0; i < 5; ++i) src.push_back(Rec(i));
  std::vector<CTextCharRecord> packed(3);
  textlayout::PackCharRecords(lines.data(), lineCount, n, packed.data(), src.data(), 5);
  EXPECT_EQ(packed[0].dOffsetX, 0);
  EXPECT_EQ(packed[1].dOffsetX, 1);
  EXPECT_EQ(packed[2].dOffsetX, 4);
}

TEST(CharRecordPacking, ShortRecordsReadAsZeroAndCapacityStops) {
  CTextUtil util;
  // A two-byte character counts as one position.
  const CString text = CString::FromUtf8("\u3042b\r\ncd");
  const int lineCount = util.GetLineCount(text);
  std::vector<CString> lines(static_cast<size_t>(lineCount));
  util.SplitLines(text, lines.data(), lineCount);
  std::vector<CTextCharRecord> src{Rec(1), Rec(2), Rec(3), Rec(4), Rec(5)};  // the last is missing
  std::vector<CTextCharRecord> packed(4, Rec(-9));
  textlayout::PackCharRecords(lines.data(), lineCount, 4, packed.data(), src.data(), 5);
  EXPECT_EQ(packed[0].dOffsetX, 1);
  EXPECT_EQ(packed[1].dOffsetX, 2);
  EXPECT_EQ(packed[2].dOffsetX, 5);
  EXPECT_EQ(packed[3], CTextCharRecord{});

  std::vector<CTextCharRecord> small(2, Rec(-9));
  small.push_back(Rec(-7));  // beyond the capacity given: untouched
  textlayout::PackCharRecords(lines.data(), lineCount, 2, small.data(), src.data(), 5);
  EXPECT_EQ(small[1].dOffsetX, 2);
  EXPECT_EQ(small[2].dOffsetX, -7);
  textlayout::PackCharRecords(lines.data(), lineCount, 4, packed.data(), nullptr, 0);
  EXPECT_EQ(packed[0], CTextCharRecord{});
}

}  // namespace
