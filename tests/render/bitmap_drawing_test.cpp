// Bitmap objects drawn with their mirrors, inversion, stretch mode and layer colour, and the dot
// conversions used for glyph bitmaps.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "model/bmpobject.h"
#include "render_fixture.h"

using render_test::FakeDocument;
using render_test::Page;

namespace {

constexpr int kPage = 800;  // a 20 x 20 mm page at 40 dots per mm

// A 4 x 2 one-bit image whose only ink pixel is the top-left one.
std::vector<BYTE> TopLeftInkImage() {
  std::vector<BYTE> b(62 + 2 * 4, 0);
  auto put32 = [&](int off, std::uint32_t v) { std::memcpy(&b[off], &v, 4); };
  auto put16 = [&](int off, std::uint16_t v) { std::memcpy(&b[off], &v, 2); };
  b[0] = 'B';
  b[1] = 'M';
  put32(2, static_cast<std::uint32_t>(b.size()));
  put32(10, 62);
  put32(14, 40);
  put32(18, 4);   // width
  put32(22, 2);   // height
  put16(26, 1);
  put16(28, 1);
  put32(38, 40000);
  put32(42, 40000);
  put32(46, 2);
  // palette: entry 0 black (ink), entry 1 white
  b[58] = b[59] = b[60] = 0xFF;
  // rows bottom-up: the bottom row all paper, the top row ink only in its first pixel
  b[62] = 0xFF;
  b[66] = 0x7F;
  return b;
}

class BitmapDrawing : public ::testing::Test {
 protected:
  void SetUp() override {
    doc.drawX = doc.drawY = 2000;
    ASSERT_TRUE(obj.SetImage(TopLeftInkImage()));
    obj.m_dWidth = 8;  // each source pixel becomes 2 x 2 mm (80 x 80 dots)
    obj.m_dHeight = 4;
  }

  // Draws the object centred on the page in the engraving mode; returns its rectangle.
  CDoubleRect Draw(Page& page, BOOL screen, CDoubleRect* out = nullptr) {
    r.Init(page.dc(), &doc);
    r.SetMode(RENDER_ENGRAVE);
    CDoubleRect rc;
    r.MmRectToLogical(8, 4, 0, 0, &rc);
    r.DrawBmp(page.dc(), rc.left, rc.top, rc.right, rc.bottom, &obj, out, screen);
    return rc;
  }

  // The colour in the middle of source pixel (col, row), row 0 at the top.
  static COLORREF Cell(Page& page, int col, int row) { return page.Pixel(400 - 160 + 80 * col + 40, 400 - 80 + 80 * row + 40); }

  FakeDocument doc;
  CObjectRenderer r;
  CBmpObject obj;
};

TEST_F(BitmapDrawing, EngravingDrawsInkWhereTheImageHasIt) {
  Page page(kPage, kPage);
  CDoubleRect out;
  const CDoubleRect rc = Draw(page, FALSE, &out);
  EXPECT_EQ(out, rc);
  EXPECT_EQ(Cell(page, 0, 0), 0u);
  for (int col = 1; col < 4; ++col) EXPECT_EQ(Cell(page, col, 0), 0xFFFFFFu) << col;
  for (int col = 0; col < 4; ++col) EXPECT_EQ(Cell(page, col, 1), 0xFFFFFFu) << col;
  // The image fills exactly its 8 x 4 mm place.
  EXPECT_EQ(page.InkCount(), 80 * 80);
}

TEST_F(BitmapDrawing, MirrorsTurnTheImage) {
  obj.m_bMirrorX = 1;
  Page x(kPage, kPage);
  Draw(x, FALSE);
  EXPECT_EQ(Cell(x, 3, 0), 0u);
  EXPECT_EQ(x.InkCount(), 80 * 80);

  obj.m_bMirrorY = 1;
  Page both(kPage, kPage);
  Draw(both, FALSE);
  EXPECT_EQ(Cell(both, 3, 1), 0u);  // turned by 180 degrees
  EXPECT_EQ(both.InkCount(), 80 * 80);

  obj.m_bMirrorX = 0;
  Page y(kPage, kPage);
  Draw(y, FALSE);
  EXPECT_EQ(Cell(y, 0, 1), 0u);
}

TEST_F(BitmapDrawing, InvertSwapsInkAndPaperAndLeavesTheImageAlone) {
  const std::vector<BYTE> before = obj.m_Image;
  obj.m_bInvert = 1;
  Page page(kPage, kPage);
  Draw(page, FALSE);
  EXPECT_EQ(Cell(page, 0, 0), 0xFFFFFFu);
  EXPECT_EQ(Cell(page, 1, 0), 0u);
  EXPECT_EQ(Cell(page, 3, 1), 0u);
  EXPECT_EQ(page.InkCount(), 7 * 80 * 80);
  EXPECT_EQ(obj.m_Image, before);
}

TEST_F(BitmapDrawing, ScreenUsesTheLayerColour) {
  obj.m_nLayer = 1;  // red
  Page page(kPage, kPage, 32);
  Draw(page, TRUE);
  EXPECT_EQ(Cell(page, 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(Cell(page, 1, 0), RGB(255, 255, 255));

  // Inverted: the paper takes the layer colour and the ink vanishes under the AND.
  obj.m_bInvert = 1;
  const std::vector<BYTE> before = obj.m_Image;
  Page inverted(kPage, kPage, 32);
  Draw(inverted, TRUE);
  EXPECT_EQ(Cell(inverted, 0, 0), RGB(255, 255, 255));
  EXPECT_EQ(Cell(inverted, 2, 1), RGB(255, 0, 0));
  EXPECT_EQ(obj.m_Image, before);
}

TEST_F(BitmapDrawing, StretchModeIsSetForTheDrawingOnly) {
  Page page(kPage, kPage);
  page.dc()->SetStretchBltMode(HALFTONE);
  obj.m_nStretchMode = 3;  // not a setting: the device context's mode is used as it is
  Draw(page, FALSE);
  EXPECT_EQ(page.dc()->GetStretchBltMode(), HALFTONE);
  EXPECT_EQ(page.InkCount(), 80 * 80);
  obj.m_nStretchMode = 2;
  Draw(page, FALSE);
  EXPECT_EQ(page.dc()->GetStretchBltMode(), HALFTONE);
}

TEST_F(BitmapDrawing, AnObjectWithoutAnImageDrawsNothing) {
  CBmpObject empty;
  Page page(kPage, kPage);
  r.Init(page.dc(), &doc);
  CDoubleRect out;
  r.DrawBmp(page.dc(), 100, -100, 200, -200, &empty, &out, FALSE);
  EXPECT_EQ(out, CDoubleRect(100, -100, 200, -200));
  EXPECT_EQ(page.InkCount(), 0);
}

// ---- Glyph bitmap helpers ------------------------------------------------------------------------

TEST(GlyphDots, HimetricToDotsRoundsUpFromFiveTenthsAndTruncatesNegatives) {
  Page page(4, 4);  // 3780 pixels per metre
  CObjectRenderer r;
  int d[2];
  r.HimetricToDots(d, page.dc(), 329.63, 330.7);  // 12.46 and 12.50 dots
  EXPECT_EQ(d[0], 12);
  EXPECT_EQ(d[1], 13);
  r.HimetricToDots(d, page.dc(), -335.98, 13);  // -12.70 and 0.49 dots
  EXPECT_EQ(d[0], -12);
  EXPECT_EQ(d[1], 0);
  r.HimetricToDots(d, page.dc(), 40, 39);  // 1.512 and 1.474 dots
  EXPECT_EQ(d[0], 2);
  EXPECT_EQ(d[1], 1);
}

TEST(GlyphDots, PathToDotsFlipsYAndReportsBothBounds) {
  Page page(4, 4);
  CObjectRenderer r;
  const POINT path[3] = {{1000, -1000}, {2000, 500}, {1500, 0}};
  POINT dots[3];
  RECT box;
  CDoubleRect pathBox;
  r.PathToDots(&box, page.dc(), dots, path, 3, &pathBox);
  EXPECT_EQ(dots[0].x, 38);
  EXPECT_EQ(dots[0].y, 38);
  EXPECT_EQ(dots[1].x, 76);
  EXPECT_EQ(dots[1].y, -18);
  EXPECT_EQ(box.left, 38);
  EXPECT_EQ(box.top, -18);
  EXPECT_EQ(box.right, 76);
  EXPECT_EQ(box.bottom, 38);
  EXPECT_EQ(pathBox, CDoubleRect(1000, 500, 2000, -1000));
}

TEST(GlyphDots, OffsetPointsAndPointBounds) {
  POINT pts[2] = {{10, 20}, {30, 40}};
  int size[2];
  CObjectRenderer::OffsetPoints(size, pts, 2, 10, 20, 30, 40, 2, 3);
  EXPECT_EQ(pts[0].x, 2);
  EXPECT_EQ(pts[0].y, 3);
  EXPECT_EQ(pts[1].x, 22);
  EXPECT_EQ(size[0], 25);
  EXPECT_EQ(size[1], 27);

  CDoubleRect b;
  const POINT one[1] = {{5, -7}};
  CObjectRenderer::GetPointsBounds(one, 1, &b, nullptr);
  EXPECT_EQ(b, CDoubleRect(5, -7, 5, -7));
  const double margin[2] = {1.5, 2};
  CObjectRenderer::GetPointsBounds(one, 1, &b, margin);
  EXPECT_EQ(b, CDoubleRect(3.5, -5, 6.5, -9));
  const POINT several[3] = {{0, 0}, {-4, 9}, {6, -2}};
  CObjectRenderer::GetPointsBounds(several, 3, &b, nullptr);
  EXPECT_EQ(b, CDoubleRect(-4, 9, 6, -2));
  CObjectRenderer::GetPointsBounds(several, 3, nullptr, nullptr);  // nothing to write
}

}  // namespace
