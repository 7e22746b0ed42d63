#include <gtest/gtest.h>

#include <string>

#include "image_helpers.h"
#include "imaging/monoimagetool.h"
#include "platform/archive.h"
#include "temp_dir.h"

namespace {

using testimg::FromText;

struct Pt {
  int x, y, type;
  bool operator==(const Pt& o) const { return x == o.x && y == o.y && type == o.type; }
};
std::ostream& operator<<(std::ostream& os, const Pt& p) { return os << "(" << p.x << "," << p.y << " t" << p.type << ")"; }

std::vector<Pt> Trace(const std::vector<BYTE>& img) {
  CMonoImageTool tool;
  TracedOutline out;
  if (!tool.TraceBmp(img.data(), img.size(), &out)) return {};
  EXPECT_EQ(out.count, static_cast<int>(out.points.size()));
  std::vector<Pt> pts;
  for (const TracePoint& p : out.points) pts.push_back({p.x, p.y, p.type});
  return pts;
}

std::vector<BYTE> Dot(int w, int h, int x, int y) {
  std::vector<BYTE> img = testimg::Blank(w, h);
  testimg::Paint(img, x, y);
  return img;
}

std::vector<BYTE> Square4() {
  std::vector<BYTE> img = testimg::Blank(16, 8);
  testimg::FillBox(img, 1, 1, 4, 4);
  return img;
}

TEST(TraceFigures, DotPairAndSquare) {
  EXPECT_EQ(Trace(Dot(16, 8, 5, 3)), (std::vector<Pt>{{5, 3, 6}, {5, 3, 2}}));
  std::vector<BYTE> pair = testimg::Blank(8, 2);
  testimg::Paint(pair, 0, 0);
  testimg::Paint(pair, 1, 0);
  EXPECT_EQ(Trace(pair), (std::vector<Pt>{{0, 0, 6}, {1, 0, 2}, {0, 0, 2}}));
  EXPECT_EQ(Trace(Square4()), (std::vector<Pt>{{1, 1, 6}, {4, 1, 2}, {4, 4, 2}, {1, 4, 2}, {1, 1, 2}}));
}

TEST(TraceFigures, RectangleWithAHoleGivesOuterThenInnerFigure) {
  std::vector<BYTE> img = testimg::Blank(16, 10);
  testimg::FillBox(img, 1, 1, 8, 6);
  for (int y = 3; y <= 4; ++y)
    for (int x = 3; x <= 6; ++x) testimg::SetBit(img, x, y, true);
  std::vector<Pt> pts = Trace(img);
  ASSERT_GE(pts.size(), 7u);
  const std::vector<Pt> outer(pts.begin(), pts.begin() + 5);
  EXPECT_EQ(outer, (std::vector<Pt>{{1, 1, 6}, {8, 1, 2}, {8, 6, 2}, {1, 6, 2}, {1, 1, 2}}));
  // The hole runs through the middles of the pixels round it, its corners included, so that
  // moved half a pixel out it lies on the hole's edges.
  const std::vector<Pt> hole(pts.begin() + 5, pts.end());
  EXPECT_EQ(hole, (std::vector<Pt>{{2, 2, 6}, {2, 5, 2}, {7, 5, 2}, {7, 2, 2}, {2, 2, 2}}));
  int moves = 0;
  for (const Pt& p : pts) moves += p.type == 6;
  EXPECT_EQ(moves, 2);
}

TEST(TraceFigures, BlockIsNotChangedAndBlankImageGivesNothing) {
  std::vector<BYTE> img = Square4();
  const std::vector<BYTE> before = img;
  Trace(img);
  EXPECT_EQ(img, before);
  CMonoImageTool tool;
  TracedOutline out;
  out.count = 3;
  out.points.resize(3);
  std::vector<BYTE> blank = testimg::Blank(40, 20);
  EXPECT_EQ(tool.TraceBmp(blank.data(), blank.size(), &out), 0);
  EXPECT_EQ(out.count, 0);
  EXPECT_TRUE(out.points.empty());
  // A block that is not a canonical 1-bit BMP, or is shorter than its rows.
  std::vector<BYTE> bad = Square4();
  bad[28] = 8;
  EXPECT_EQ(tool.TraceBmp(bad.data(), bad.size(), &out), 0);
  EXPECT_EQ(tool.TraceBmp(img.data(), img.size() - 1, &out), 0);
  EXPECT_EQ(tool.TraceBmp(nullptr, 0, &out), 0);
}

// The pixels of a partial last byte are traced; narrow and one-row images are traced too.
TEST(TraceFigures, PartialLastByteNarrowAndOneRowImages) {
  EXPECT_EQ(Trace(Dot(13, 5, 10, 2)), (std::vector<Pt>{{10, 2, 6}, {10, 2, 2}}));
  EXPECT_EQ(Trace(Dot(13, 5, 12, 4)), (std::vector<Pt>{{12, 4, 6}, {12, 4, 2}}));
  EXPECT_EQ(Trace(Dot(5, 3, 4, 1)), (std::vector<Pt>{{4, 1, 6}, {4, 1, 2}}));
  EXPECT_EQ(Trace(Dot(1, 1, 0, 0)), (std::vector<Pt>{{0, 0, 6}, {0, 0, 2}}));
  std::vector<BYTE> row = testimg::Blank(20, 1);
  testimg::FillBox(row, 2, 0, 17, 0);
  EXPECT_EQ(Trace(row), (std::vector<Pt>{{2, 0, 6}, {17, 0, 2}, {2, 0, 2}}));
  // A 13-pixel-wide filled image: its border runs along the last column, not column 7.
  std::vector<BYTE> full = testimg::Blank(13, 6);
  testimg::FillBox(full, 0, 0, 12, 5);
  EXPECT_EQ(Trace(full), (std::vector<Pt>{{0, 0, 6}, {12, 0, 2}, {12, 5, 2}, {0, 5, 2}, {0, 0, 2}}));
  // Padding bits that happen to be 0 are not ink.
  std::vector<BYTE> padded = testimg::Blank(13, 2);
  for (int i = 62; i < static_cast<int>(padded.size()); ++i) padded[i] = 0xF8 | 0x00;
  for (int r = 0; r < 2; ++r) {
    padded[62 + 4 * r] = 0xFF;
    padded[62 + 4 * r + 1] = 0xF8;  // columns 13-15 of byte 1 are padding, left 0
    padded[62 + 4 * r + 2] = 0x00;
    padded[62 + 4 * r + 3] = 0x00;
  }
  EXPECT_TRUE(Trace(padded).empty());
}

// Pixels that meet only at their corners are figures of their own: a chord across them would
// not lie on the pixels' edges.
TEST(TraceFigures, PixelsMeetingAtCornersAreSeparateFigures) {
  std::vector<BYTE> img = testimg::Blank(16, 12);
  for (int i = 0; i < 10; ++i) testimg::Paint(img, i, i);
  std::vector<Pt> diagonal;
  for (int i = 0; i < 10; ++i) {
    diagonal.push_back({i, i, 6});
    diagonal.push_back({i, i, 2});
  }
  EXPECT_EQ(Trace(img), diagonal);
  // A shallow slope: runs of four pixels, each a figure from its first to its last pixel.
  std::vector<BYTE> shallow = testimg::Blank(32, 8);
  for (int x = 0; x < 20; ++x) testimg::Paint(shallow, x, x / 4);
  std::vector<Pt> runs;
  for (int r = 0; r < 5; ++r) {
    runs.push_back({4 * r, r, 6});
    runs.push_back({4 * r + 3, r, 2});
    runs.push_back({4 * r, r, 2});
  }
  EXPECT_EQ(Trace(shallow), runs);
}

// Inner corners and holes keep every corner: an L, a hole in a thick band (the other way round),
// and holes one pixel high or wide, which run through their own pixels.
TEST(TraceFigures, InnerCornersAndHolesKeepTheirCorners) {
  EXPECT_EQ(Trace(FromText({"###.....", "###.....", "#####...", "#####..."})),
            (std::vector<Pt>{{0, 0, 6}, {2, 0, 2}, {2, 2, 2}, {4, 2, 2}, {4, 3, 2}, {0, 3, 2}, {0, 0, 2}}));
  const std::vector<Pt> thick = Trace(FromText({"######..", "######..", "##..##..", "##..##..", "######..", "######.."}));
  ASSERT_EQ(thick.size(), 10u);
  EXPECT_EQ(std::vector<Pt>(thick.begin() + 5, thick.end()),
            (std::vector<Pt>{{1, 1, 6}, {1, 4, 2}, {4, 4, 2}, {4, 1, 2}, {1, 1, 2}}));
  EXPECT_EQ(Trace(FromText({"###.....", "#.#.....", "###....."})),
            (std::vector<Pt>{{0, 0, 6}, {2, 0, 2}, {2, 2, 2}, {0, 2, 2}, {0, 0, 2}, {1, 1, 6}, {1, 1, 2}}));
  const std::vector<Pt> slot = Trace(FromText({"#####...", "#...#...", "#####..."}));
  ASSERT_EQ(slot.size(), 8u);
  EXPECT_EQ(std::vector<Pt>(slot.begin() + 5, slot.end()), (std::vector<Pt>{{1, 1, 6}, {3, 1, 2}, {1, 1, 2}}));
}

// Thinning keeps the line point of a one-pixel figure and the closing point of every figure,
// also when another figure follows.
TEST(TraceFigures, ThinningKeepsClosingPoints) {
  std::vector<BYTE> img = testimg::Blank(32, 8);
  testimg::Paint(img, 0, 0);
  testimg::Paint(img, 1, 0);
  testimg::Paint(img, 5, 3);
  testimg::Paint(img, 20, 6);
  EXPECT_EQ(Trace(img), (std::vector<Pt>{{0, 0, 6}, {1, 0, 2}, {0, 0, 2}, {5, 3, 6}, {5, 3, 2}, {20, 6, 6}, {20, 6, 2}}));

  std::vector<TracePoint> pts = {{0, 0, 6}, {1, 0, 2}, {0, 0, 2}, {9, 9, 6}, {9, 9, 2}, {3, 3, 6}, {3, 3, 2}};
  CMonoImageTool::ThinTracePoints(pts, 1);
  EXPECT_EQ(pts.size(), 7u);
  // A close point inside a figure whose next point is far away goes.
  pts = {{0, 0, 6}, {1, 1, 2}, {10, 1, 2}, {0, 0, 2}};
  CMonoImageTool::ThinTracePoints(pts, 1);
  ASSERT_EQ(pts.size(), 3u);
  EXPECT_EQ(pts[1].x, 10);
}

TEST(TraceSteps, DirectionsAndSteps) {
  // Exactly one ink neighbour: that one, whatever the back direction.
  EXPECT_EQ(CMonoImageTool::NextDirection(static_cast<BYTE>(~0x01), 3), 7);
  EXPECT_EQ(CMonoImageTool::NextDirection(0xFF, -1), -1);
  // Several: from right at the start, else clockwise after the back direction.
  const BYTE downAndRight = static_cast<BYTE>(~(0x10 | 0x04));  // 3 and 5
  EXPECT_EQ(CMonoImageTool::NextDirection(downAndRight, -1), 3);
  EXPECT_EQ(CMonoImageTool::NextDirection(downAndRight, 3), 5);
  EXPECT_EQ(CMonoImageTool::NextDirection(downAndRight, 7), 3);
  TracePos pos{1, 5, 0};
  EXPECT_EQ(CMonoImageTool::StepDirection(7, pos), 3);
  EXPECT_EQ(pos.byte, 0);
  EXPECT_EQ(pos.bit, 7);
  EXPECT_EQ(CMonoImageTool::StepDirection(2, pos), 6);
  EXPECT_EQ(pos.byte, 1);
  EXPECT_EQ(pos.bit, 0);
  EXPECT_EQ(pos.row, 4);
  // Refusals of the row operations.
  BYTE rows[8] = {};
  EXPECT_EQ(CMonoImageTool::HollowFigures(nullptr, 8, 2, 4), 0);
  EXPECT_EQ(CMonoImageTool::HollowFigures(rows, 0, 2, 4), 0);
  EXPECT_EQ(CMonoImageTool::HollowFigures(rows, 8, 0, 4), 0);
  EXPECT_EQ(CMonoImageTool::HollowFigures(rows, 8, 2, 3), 0);
  CMonoImageTool tool;
  EXPECT_TRUE(tool.TraceContours(rows, 8, 2, 3).empty());
}

TEST(TraceSteps, HollowingKeepsBordersAndImageEdges) {
  std::vector<BYTE> img = testimg::Blank(13, 7);
  testimg::FillBox(img, 0, 0, 12, 6);
  testimg::FillBox(img, 0, 0, 12, 6);
  // Top-down rows as the tracer sees them.
  std::vector<BYTE> rows(7 * 4);
  for (int y = 0; y < 7; ++y) std::copy(testimg::RowOf(img, y), testimg::RowOf(img, y) + 4, rows.begin() + 4 * y);
  ASSERT_EQ(CMonoImageTool::HollowFigures(rows.data(), 13, 7, 4), 1);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 13; ++x) {
      const bool ink = !((rows[4 * y + x / 8] >> (7 - x % 8)) & 1);
      EXPECT_EQ(ink, x == 0 || x == 12 || y == 0 || y == 6) << x << "," << y;
    }
}

TEST(HpglExport, WritesFiguresAsPenCommands) {
  TempDir dir;
  CMonoImageTool tool;
  TracedOutline out;
  std::vector<BYTE> sq = Square4();
  ASSERT_EQ(tool.ExportHpgl(sq.data(), sq.size(), &out, CString(dir.File("design.bmp"))), 1);
  const std::string text = TempDir::Read(dir.File("design.hpg"));
  EXPECT_EQ(text, "PU1,1;\r\nPD4,1;\r\nPD4,4;\r\nPD1,4;\r\nPD1,1;\r\n");
  EXPECT_EQ(text.size(), 40u);
  EXPECT_EQ(out.count, 5);

  std::vector<BYTE> dot = Dot(16, 8, 5, 3);
  ASSERT_EQ(tool.ExportHpgl(dot.data(), dot.size(), &out, CString(dir.File("noext"))), 1);
  EXPECT_EQ(TempDir::Read(dir.File("noext.hpg")), "PU5,3;\r\nPD5,3;\r\n");

  // No ink: an empty file and 0.
  std::vector<BYTE> blank = testimg::Blank(16, 8);
  EXPECT_EQ(tool.ExportHpgl(blank.data(), blank.size(), &out, CString(dir.File("design.x"))), 0);
  EXPECT_TRUE(fileio::Exists(dir.File("design.hpg")));
  EXPECT_EQ(TempDir::Read(dir.File("design.hpg")), "");
  EXPECT_EQ(out.count, 0);
}

TEST(HpglExport, ReportsAFileThatCannotBeWritten) {
  TempDir dir;
  CMonoImageTool tool;
  TracedOutline out;
  std::vector<BYTE> sq = Square4();
  EXPECT_EQ(tool.ExportHpgl(sq.data(), sq.size(), &out, CString(dir.File("missing/folder/a.bmp"))), -1);
  EXPECT_EQ(out.count, 0);
  // A refused block writes nothing and keeps an older file.
  const std::string old = dir.Write("keep.hpg", "PU0,0;\r\n");
  std::vector<BYTE> bad = sq;
  bad[0] = 'X';
  EXPECT_EQ(tool.ExportHpgl(bad.data(), bad.size(), &out, CString(dir.File("keep.bmp"))), 0);
  EXPECT_EQ(TempDir::Read(old), "PU0,0;\r\n");
  // The same tool object exports again afterwards.
  EXPECT_EQ(tool.ExportHpgl(sq.data(), sq.size(), &out, CString(dir.File("keep.bmp"))), 1);
  EXPECT_EQ(TempDir::Read(old).size(), 40u);
}

}  // namespace
