// A traced bitmap engraved by its outline runs along the edges of its own raster: holes, inner
// corners, single pixels, 2 x 2 blocks and pixels that meet only at a corner, plain, mirrored and
// as a grid of copies. Both jobs go through the real canvas view into the machine simulator; every
// outline mark lies within one raster dot of the raster's border, and every border dot of the
// raster has an outline mark within one dot.
#include <algorithm>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "engrave_fixture.h"
#include "imaging/monobmp.h"
#include "model/bmpobject.h"
#include "model/machine_units.h"

namespace {

// "#" ink, "." background, one string per row from the top.
std::vector<BYTE> Picture(const std::vector<std::string>& rows) {
  const int h = static_cast<int>(rows.size()), w = static_cast<int>(rows[0].size());
  std::vector<BYTE> image = MonoBmpFile::Create(w, h);
  const size_t stride = static_cast<size_t>(MonoBmpFile::Stride(w));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (rows[y][x] == '#')  // rows are stored bottom-up; a 0 bit is ink
        image[MonoBmpFile::kHeaderSize + static_cast<size_t>(h - 1 - y) * stride + x / 8] &=
            static_cast<BYTE>(~(0x80 >> (x % 8)));
  return image;
}

// A block with the 16 x 10 hole of the report, a notch and a step (inner corners), a hole of one
// pixel, single pixels, 2 x 2 blocks, pixels meeting at a corner and a band two pixels wide
// around a hole.
std::vector<std::string> Shapes() {
  std::vector<std::string> rows(40, std::string(48, '.'));
  auto box = [&](int x0, int y0, int x1, int y1, char c) {
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x) rows[y][x] = c;
  };
  box(2, 2, 23, 17, '#');
  box(5, 5, 20, 14, '.');    // the 16 x 10 hole
  box(10, 2, 12, 3, '.');    // a notch from the top
  box(2, 16, 6, 17, '.');    // a step at the bottom left
  box(28, 2, 32, 6, '#');
  box(30, 4, 30, 4, '.');    // a hole of one pixel
  rows[2][36] = '#';         // single pixels
  rows[5][40] = '#';
  box(36, 8, 37, 9, '#');    // 2 x 2 blocks, one touching another at a corner
  box(38, 10, 39, 11, '#');
  box(42, 2, 42, 2, '#');    // a diagonal of pixels
  box(43, 3, 43, 3, '#');
  box(44, 4, 44, 4, '#');
  box(28, 20, 45, 37, '#');  // a band two pixels wide around a hole with a peninsula
  box(30, 22, 43, 35, '.');
  box(35, 22, 37, 30, '#');
  box(4, 22, 20, 36, '#');   // an L with a checkerboard bite
  box(12, 22, 20, 29, '.');
  for (int y = 30; y < 36; ++y)
    for (int x = 14; x < 20; ++x) rows[y][x] = (x + y) % 2 ? '#' : '.';
  return rows;
}

class BitmapEdges : public ViewEngraveTest {
 protected:
  void SetUp() override {
    ViewEngraveTest::SetUp();
    S().DrawingField.FieldX = 100;
    S().DrawingField.FieldY = 100;
    S().DrawingArea.Width = 90;
    S().DrawingArea.Height = 90;
    S().DrawingArea.DPM = 40;
    S().DrawingArea.Span = 1.0 / 40;
  }
  CBmpObject* Add(const std::vector<std::string>& rows, double mmPerPixel) {
    CBmpObject* bmp = doc.GetObjectList()->AddBmpFromImage(Picture(rows));
    EXPECT_NE(bmp, nullptr);
    if (!bmp) return nullptr;
    bmp->m_dWidth = rows[0].size() * mmPerPixel;
    bmp->m_dHeight = rows.size() * mmPerPixel;
    bmp->m_dPosX = -8;
    bmp->m_dPosY = 6;
    bmp->m_nOutputMode = 2;
    return bmp;
  }

  // Outline marks off the raster's border, and border dots of the raster with no outline mark,
  // both within `reach` machine units.
  void Compare(const std::string& what, int reach = 1) {
    const CMachineSimulator outline = SimulateJob(0);
    const CMachineSimulator raster = SimulateJob(1);
    int x0, y0, x1, y1;
    ASSERT_TRUE(raster.MarkBox(x0, y0, x1, y1)) << what;
    auto border = [&](int x, int y) {
      if (!raster.IsMarked(x, y)) return false;
      return !raster.IsMarked(x - 1, y) || !raster.IsMarked(x + 1, y) || !raster.IsMarked(x, y - 1) ||
             !raster.IsMarked(x, y + 1);
    };
    // The raster's border dots are its outermost marked dots, while the outline runs on the edge
    // beyond them: on their outer side to the right and above, on them to the left and below.
    // One more dot either way is the reach.
    auto near = [&](int x, int y, auto&& test) {
      for (int dy = -reach - 1; dy <= reach + 1; ++dy)
        for (int dx = -reach - 1; dx <= reach + 1; ++dx)
          if (test(x + dx, y + dy)) return true;
      return false;
    };
    long stray = 0, missed = 0, marks = 0, borders = 0;
    std::string first;
    for (int y = y0 - 4; y <= y1 + 4; ++y)
      for (int x = x0 - 4; x <= x1 + 4; ++x) {
        if (outline.IsMarked(x, y)) {
          ++marks;
          if (!near(x, y, border)) {
            if (!stray && first.empty()) first = "stray mark at " + std::to_string(x) + "," + std::to_string(y);
            ++stray;
          }
        }
        if (border(x, y)) {
          ++borders;
          if (!near(x, y, [&](int u, int v) { return outline.IsMarked(u, v); })) {
            if (!missed && first.empty()) first = "border dot missed at " + std::to_string(x) + "," + std::to_string(y);
            ++missed;
          }
        }
      }
    EXPECT_GT(marks, 0) << what;
    EXPECT_EQ(stray, 0) << what << ": " << first << " (of " << marks << " marks)";
    EXPECT_EQ(missed, 0) << what << ": " << first << " (of " << borders << " border dots)";
  }
};

}  // namespace

TEST_F(BitmapEdges, OutlineRunsOnTheRasterBorderPlainMirroredAndInGrids) {
  CBmpObject* bmp = Add(Shapes(), 0.25);
  ASSERT_NE(bmp, nullptr);
  struct Case {
    const char* name;
    int mirrorX, mirrorY, rows, columns;
  };
  const Case cases[] = {{"plain", 0, 0, 1, 1},      {"mirrored in x", 1, 0, 1, 1}, {"mirrored in y", 0, 1, 1, 1},
                        {"mirrored in both", 1, 1, 1, 1}, {"2 x 3 grid", 0, 0, 2, 3}, {"mirrored 2 x 2 grid", 1, 1, 2, 2}};
  for (const Case& c : cases) {
    bmp->m_bMirrorX = c.mirrorX;
    bmp->m_bMirrorY = c.mirrorY;
    bmp->m_nRows = c.rows;
    bmp->m_nColumns = c.columns;
    Compare(c.name);
  }
  // Pixels that are not a whole number of machine units.
  bmp->m_nRows = bmp->m_nColumns = 1;
  bmp->m_dWidth = 48 * 0.19;
  bmp->m_dHeight = 40 * 0.33;
  Compare("7.6 x 13.2 units per pixel");
}

// The 16 x 10 hole of the report: a rectangle on the raster's edges, not a slanted quadrilateral.
TEST_F(BitmapEdges, HoleIsARectangleOnThePixelEdges) {
  std::vector<std::string> rows(16, std::string(24, '.'));
  for (int y = 1; y < 15; ++y)
    for (int x = 2; x < 22; ++x) rows[y][x] = (x >= 4 && x < 20 && y >= 3 && y < 13) ? '.' : '#';
  Add(rows, 0.25);
  Compare("hole");
  const CMachineSimulator outline = SimulateJob(0);
  // The hole's four sides are whole straight segments of 16 and 10 pixels.
  int sides = 0;
  for (const CMachineSimulator::Segment& s : outline.Segments()) {
    const int dx = std::abs(s.x1 - s.x0), dy = std::abs(s.y1 - s.y0);
    if ((dx == 160 && dy == 0) || (dx == 0 && dy == 100)) ++sides;
  }
  EXPECT_EQ(sides, 4);
}

// Random pictures of blobs, rings, bars and scattered pixels.
TEST_F(BitmapEdges, RandomPictures) {
  std::mt19937 rng(35);
  auto uni = [&](int lo, int hi) { return lo + static_cast<int>(rng() % static_cast<unsigned>(hi - lo + 1)); };
  for (int n = 0; n < 30; ++n) {
    const int w = uni(8, 40), h = uni(4, 30);
    std::vector<std::string> rows(h, std::string(w, '.'));
    for (int s = uni(1, 6); s > 0; --s) {
      const int x0 = uni(0, w - 1), y0 = uni(0, h - 1), x1 = std::min(w - 1, x0 + uni(0, 12)),
                y1 = std::min(h - 1, y0 + uni(0, 12));
      const char c = uni(0, 2) ? '#' : '.';
      for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) rows[y][x] = c;
    }
    for (int s = uni(0, 20); s > 0; --s) rows[uni(0, h - 1)][uni(0, w - 1)] = uni(0, 1) ? '#' : '.';
    doc.GetObjectList()->RemoveAllButDrawing();
    CBmpObject* bmp = Add(rows, 0.25);
    ASSERT_NE(bmp, nullptr);
    bmp->m_bMirrorX = n % 2;
    bmp->m_bMirrorY = n % 3 == 0;
    std::string picture;
    for (const std::string& r : rows) picture += r + "\n";
    Compare("picture " + std::to_string(n) + "\n" + picture);
  }
}


// Frames drawn with a one-pixel pen round holes of 2 x 2 pixels and more: the frame's pixels lie
// on both sides of its hole's figure, and the hole's edge is engraved all the same.
TEST_F(BitmapEdges, OnePixelFramesRoundHoles) {
  std::vector<std::string> rows(20, std::string(40, '.'));
  auto frame = [&](int x0, int y0, int w, int h) {
    for (int y = y0; y < y0 + h; ++y)
      for (int x = x0; x < x0 + w; ++x)
        if (y == y0 || y == y0 + h - 1 || x == x0 || x == x0 + w - 1) rows[y][x] = '#';
  };
  frame(1, 1, 4, 4);    // a 2 x 2 hole
  frame(7, 1, 5, 4);    // 3 x 2
  frame(14, 1, 4, 7);   // 2 x 5
  frame(20, 1, 12, 9);  // 10 x 7
  frame(1, 10, 6, 6);   // 4 x 4, with a frame touching its corner
  frame(7, 16, 4, 4);
  CBmpObject* bmp = Add(rows, 0.25);
  ASSERT_NE(bmp, nullptr);
  for (int mirror = 0; mirror < 4; ++mirror) {
    bmp->m_bMirrorX = mirror & 1;
    bmp->m_bMirrorY = mirror >> 1;
    Compare("frames, mirror " + std::to_string(mirror));
  }
}
