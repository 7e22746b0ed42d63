#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "image_helpers.h"
#include "imaging/monoimagetool.h"

namespace {

using testimg::Blank;
using testimg::Ink;
using testimg::Paint;

// The same image with palette entry 0 white: there ink is a 1 bit.
std::vector<BYTE> BlankWhiteInk(int w, int h) {
  std::vector<BYTE> img = MonoBmpFile::Create(w, h, RGB(255, 255, 255));
  // entry 1 black, every pixel background (0 bits)
  img[58] = img[59] = img[60] = 0;
  std::fill(img.begin() + 62, img.end(), 0);
  return img;
}

std::vector<std::pair<int, int>> InkPixels(const std::vector<BYTE>& img, bool inkSet = false) {
  std::vector<std::pair<int, int>> out;
  for (int y = 0; y < MonoBmpFile::Height(img.data()); ++y)
    for (int x = 0; x < MonoBmpFile::Width(img.data()); ++x)
      if (testimg::Bit(img, x, y) == inkSet) out.push_back({x, y});
  return out;
}

std::vector<std::pair<int, int>> Box(int x0, int y0, int x1, int y1) {
  std::vector<std::pair<int, int>> out;
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) out.push_back({x, y});
  return out;
}

RECT Rect(int l, int t, int r, int b) {
  RECT rc;
  rc.left = l;
  rc.top = t;
  rc.right = r;
  rc.bottom = b;
  return rc;
}

TEST(Thicken, BoxAroundADot) {
  std::vector<BYTE> img = Blank(32, 24);
  Paint(img, 10, 10);
  const std::vector<BYTE> before(img.begin() + 62, img.end());
  std::vector<BYTE> scratch = CMonoImageTool::ThickenImage(img.data(), img.size(), 2, 2, nullptr);
  EXPECT_EQ(scratch, before);
  EXPECT_EQ(InkPixels(img), Box(9, 9, 11, 11));

  img = Blank(32, 24);
  Paint(img, 10, 10);
  CMonoImageTool::ThickenImage(img.data(), img.size(), 1, 0, nullptr);
  EXPECT_EQ(InkPixels(img), Box(10, 10, 11, 10));
  // An odd vertical amount grows upward.
  img = Blank(32, 24);
  Paint(img, 10, 10);
  CMonoImageTool::ThickenImage(img.data(), img.size(), 0, 1, nullptr);
  EXPECT_EQ(InkPixels(img), Box(10, 9, 10, 10));

  img = Blank(32, 24);
  Paint(img, 10, 10);
  const std::vector<BYTE> same = img;
  CMonoImageTool::ThickenImage(img.data(), img.size(), 0, 0, nullptr);
  EXPECT_EQ(img, same);
}

TEST(Thicken, WhitePaletteTakesSetBitsAsInkAtEveryColumn) {
  std::vector<BYTE> img = BlankWhiteInk(13, 6);
  testimg::SetBit(img, 12, 2, true);  // in the partial last byte
  testimg::SetBit(img, 3, 4, true);
  CMonoImageTool::ThickenImage(img.data(), img.size(), 2, 2, nullptr);
  std::vector<std::pair<int, int>> expected = Box(2, 3, 4, 5);
  for (auto p : Box(11, 1, 12, 3)) expected.push_back(p);
  std::sort(expected.begin(), expected.end(), [](auto a, auto b) { return a.second != b.second ? a.second < b.second : a.first < b.first; });
  EXPECT_EQ(InkPixels(img, true), expected);
}

TEST(Thicken, StaysInsideTheSelection) {
  std::vector<BYTE> img = Blank(32, 24);
  Paint(img, 10, 10);
  Paint(img, 20, 10);  // outside the selection: left alone
  const RECT sel = Rect(10, 10, 15, 15);  // right and bottom exclusive
  CMonoImageTool::ThickenImage(img.data(), img.size(), 4, 4, &sel);
  std::vector<std::pair<int, int>> expected = Box(10, 10, 12, 12);
  expected.insert(expected.begin() + 3, {20, 10});
  EXPECT_EQ(InkPixels(img), expected);
}

TEST(Outline, KeepsTheBorderOfAFigure) {
  std::vector<BYTE> img = Blank(20, 12);
  testimg::FillBox(img, 5, 3, 9, 7);
  std::vector<BYTE> scratch = CMonoImageTool::ExtractOutline(img.data(), img.size(), nullptr);
  EXPECT_FALSE(scratch.empty());
  EXPECT_EQ(testimg::CountInk(img), 16);
  EXPECT_FALSE(Ink(img, 7, 5));
  EXPECT_TRUE(Ink(img, 5, 3));
  // At the image's edges the outside is not tested: a filled image empties.
  std::vector<BYTE> full = Blank(13, 4);
  testimg::FillBox(full, 0, 0, 12, 3);
  CMonoImageTool::ExtractOutline(full.data(), full.size(), nullptr);
  EXPECT_EQ(testimg::CountInk(full), 0);
  // With a white palette entry 0 the set bits are the figure.
  std::vector<BYTE> w = BlankWhiteInk(20, 12);
  for (auto p : Box(5, 3, 9, 7)) testimg::SetBit(w, p.first, p.second, true);
  CMonoImageTool::ExtractOutline(w.data(), w.size(), nullptr);
  EXPECT_EQ(InkPixels(w, true).size(), 16u);
}

TEST(InvertAndFill, ExactColumnsOfEveryNarrowRectangle) {
  for (int left = 0; left < 24; ++left)
    for (int width = 1; width <= 8; ++width) {
      std::vector<BYTE> img = Blank(40, 3);
      const RECT r = Rect(left, 1, left + width, 2);
      ASSERT_EQ(CMonoImageTool::InvertImage(img.data(), img.size(), &r), 1);
      EXPECT_EQ(InkPixels(img), Box(left, 1, left + width - 1, 1)) << left << "+" << width;
      ASSERT_EQ(CMonoImageTool::FillImage(img.data(), img.size(), 1, &r), 1);
      EXPECT_EQ(testimg::CountInk(img), 0);
    }
  std::vector<BYTE> img = Blank(40, 3);
  const RECT wide = Rect(3, 0, 37, 3);
  CMonoImageTool::FillImage(img.data(), img.size(), 0, &wide);
  EXPECT_EQ(InkPixels(img), Box(3, 0, 36, 2));
  CMonoImageTool::InvertImage(img.data(), img.size(), nullptr);
  EXPECT_EQ(testimg::CountInk(img), 40 * 3 - 34 * 3);
}

TEST(InvertAndFill, WhitePaletteAndSmallImages) {
  std::vector<BYTE> w = BlankWhiteInk(16, 2);
  CMonoImageTool::FillImage(w.data(), w.size(), 0, nullptr);  // black: the 1 bit
  EXPECT_EQ(InkPixels(w, true).size(), 32u);
  // One row and fewer than eight pixels are filtered like any other image.
  std::vector<BYTE> row = Blank(16, 1);
  EXPECT_EQ(CMonoImageTool::FillImage(row.data(), row.size(), 0, nullptr), 1);
  EXPECT_EQ(testimg::CountInk(row), 16);
  std::vector<BYTE> narrow = Blank(5, 3);
  EXPECT_EQ(CMonoImageTool::InvertImage(narrow.data(), narrow.size(), nullptr), 1);
  EXPECT_EQ(testimg::CountInk(narrow), 15);
  EXPECT_EQ(narrow[62] & 0x07, 0x07);  // padding untouched
  // A refused block changes nothing.
  std::vector<BYTE> bad = Blank(16, 4);
  bad[28] = 8;
  const std::vector<BYTE> kept = bad;
  EXPECT_EQ(CMonoImageTool::InvertImage(bad.data(), bad.size(), nullptr), 0);
  EXPECT_EQ(CMonoImageTool::FillImage(bad.data(), bad.size(), 0, nullptr), 0);
  EXPECT_TRUE(CMonoImageTool::ExtractOutline(bad.data(), bad.size(), nullptr).empty());
  EXPECT_TRUE(CMonoImageTool::ThickenImage(bad.data(), bad.size(), 2, 2, nullptr).empty());
  EXPECT_EQ(CMonoImageTool::WidenBmp(bad.data(), bad.size(), 2, 2), nullptr);
  EXPECT_EQ(bad, kept);
}

TEST(InvertAndFill, SelectionOverTheEdgesChangesNothingOutside) {
  std::vector<BYTE> img = Blank(13, 5);
  std::vector<BYTE> before = img;
  const RECT over = Rect(9, 2, 40, 40);
  CMonoImageTool::FillImage(img.data(), img.size(), 0, &over);
  CMonoImageTool::ThickenImage(img.data(), img.size(), 6, 6, &over);
  CMonoImageTool::ExtractOutline(img.data(), img.size(), &over);
  CMonoImageTool::InvertImage(img.data(), img.size(), &over);
  CMonoImageTool::InvertImage(img.data(), img.size(), &over);
  EXPECT_TRUE(std::equal(img.begin(), img.begin() + 62, before.begin()));
  for (int r = 0; r < 5; ++r) {
    EXPECT_EQ(img[62 + 4 * r + 1] & 0x07, 0x07);  // padding bits of the last byte
    EXPECT_EQ(img[62 + 4 * r + 2], 0xFF);
    EXPECT_EQ(img[62 + 4 * r + 3], 0xFF);
  }
  // What is left is the block's border towards the image; along the image's edges the outside
  // is not tested.
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 13; ++x) EXPECT_EQ(Ink(img, x, y), x >= 9 && y >= 2 && (x == 9 || y == 2)) << x << "," << y;
  // A rectangle wholly outside the image, or empty, does nothing and is not a failure.
  std::vector<BYTE> kept = img;
  for (RECT r : {Rect(50, 50, 60, 60), Rect(5, 1, 5, 4), Rect(INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN),
                 Rect(INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX), Rect(8, 3, 2, 1)}) {
    EXPECT_EQ(CMonoImageTool::InvertImage(img.data(), img.size(), &r), 1);
    EXPECT_EQ(CMonoImageTool::ThickenImage(img.data(), img.size(), INT32_MAX, INT32_MAX, &r).size(), 5u * 4);
  }
  EXPECT_EQ(img, kept);
  // Amounts far beyond the image are limited to it.
  CMonoImageTool::ThickenImage(img.data(), img.size(), INT32_MAX, INT32_MAX, nullptr);
  EXPECT_EQ(testimg::CountInk(img), 13 * 5);
  CMonoImageTool::WidenBmp(kept.data(), kept.size(), INT32_MAX, INT32_MAX);
  EXPECT_EQ(testimg::CountInk(kept), 13 * 5);
}

TEST(Widen, RowsAndColumns) {
  std::vector<BYTE> img = Blank(32, 8);
  Paint(img, 10, 3);
  EXPECT_EQ(CMonoImageTool::WidenBmp(img.data(), img.size(), 1, 0), img.data() + 62);
  EXPECT_EQ(InkPixels(img), Box(9, 3, 10, 3));
  img = Blank(32, 8);
  Paint(img, 10, 3);
  CMonoImageTool::WidenBmp(img.data(), img.size(), 2, 0);
  EXPECT_EQ(InkPixels(img), Box(9, 3, 11, 3));
  // An odd vertical amount grows downward in the picture.
  img = Blank(32, 8);
  Paint(img, 10, 3);
  CMonoImageTool::WidenBmp(img.data(), img.size(), 0, 1);
  EXPECT_EQ(InkPixels(img), Box(10, 3, 10, 4));
  img = Blank(32, 8);
  Paint(img, 10, 3);
  CMonoImageTool::WidenBmp(img.data(), img.size(), 2, 2);
  EXPECT_EQ(InkPixels(img), Box(9, 2, 11, 4));
}

TEST(Widen, PartialLastByteIsWidenedAndPaddingIsNotInk) {
  std::vector<BYTE> img = Blank(13, 3);
  Paint(img, 10, 1);
  for (int r = 0; r < 3; ++r) img[62 + 4 * r + 1] &= 0xF8;  // padding bits 0: not ink
  CMonoImageTool::WidenBmp(img.data(), img.size(), 4, 0);
  EXPECT_EQ(InkPixels(img), Box(8, 1, 12, 1));
}

// The filters against plain per-pixel versions of what they promise.
TEST(FiltersAgainstReference, RandomImagesAmountsAndSelections) {
  std::mt19937 rng(8103);
  auto uni = [&](int lo, int hi) { return lo + static_cast<int>(rng() % static_cast<unsigned>(hi - lo + 1)); };
  for (int n = 0; n < 150; ++n) {
    const int w = uni(1, 70), h = uni(1, 30);
    const bool white = uni(0, 3) == 0;
    std::vector<BYTE> img = white ? BlankWhiteInk(w, h) : Blank(w, h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (uni(0, 9) < 3) testimg::SetBit(img, x, y, white);
    auto ink = [&](const std::vector<BYTE>& b, int x, int y) { return testimg::Bit(b, x, y) == white; };
    RECT sel = Rect(uni(-3, w), uni(-3, h), 0, 0);
    sel.right = sel.left + uni(1, w + 3);
    sel.bottom = sel.top + uni(1, h + 3);
    const bool whole = uni(0, 2) == 0;
    const int l = whole ? 0 : std::max<int>(sel.left, 0), t = whole ? 0 : std::max<int>(sel.top, 0);
    const int r = whole ? w - 1 : std::min<int>(sel.right - 1, w - 1), b = whole ? h - 1 : std::min<int>(sel.bottom - 1, h - 1);
    auto inSel = [&](int x, int y) { return x >= l && x <= r && y >= t && y <= b; };
    const RECT* rp = whole ? nullptr : &sel;

    // Thicken: the union of boxes, limited to the selection.
    {
      const int ax = uni(0, 5), ay = uni(0, 5);
      std::vector<BYTE> got = img;
      CMonoImageTool::ThickenImage(got.data(), got.size(), ax, ay, rp);
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
          bool want = ink(img, x, y);
          if (inSel(x, y))
            for (int sy = y - ay / 2; sy <= y + (ay - ay / 2) && !want; ++sy)
              for (int sx = x - (ax - ax / 2); sx <= x + ax / 2 && !want; ++sx)
                want = inSel(sx, sy) && ink(img, sx, sy);
          ASSERT_EQ(ink(got, x, y), want) << "thicken " << n << " at " << x << "," << y;
        }
      ASSERT_TRUE(std::equal(got.begin(), got.begin() + 62, img.begin()));
    }
    // Outline: an ink pixel of the selection goes when its neighbours inside the image are ink.
    {
      std::vector<BYTE> got = img;
      CMonoImageTool::ExtractOutline(got.data(), got.size(), rp);
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
          bool want = ink(img, x, y);
          if (want && inSel(x, y)) {
            bool all = true;
            const int nb[4][2] = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}};
            for (auto& d : nb) {
              const int nx = x + d[0], ny = y + d[1];
              if (nx >= 0 && ny >= 0 && nx < w && ny < h && !ink(img, nx, ny)) all = false;
            }
            want = !all;
          }
          ASSERT_EQ(ink(got, x, y), want) << "outline " << n << " at " << x << "," << y;
        }
    }
    // Widen (0 bits are ink, whatever the palette): rows, then columns, the extra pixel to the
    // left and downward.
    {
      const int ax = uni(0, 4), ay = uni(0, 4);
      std::vector<BYTE> got = img;
      CMonoImageTool::WidenBmp(got.data(), got.size(), ax, ay);
      auto zero = [&](const std::vector<BYTE>& bb, int x, int y) { return !testimg::Bit(bb, x, y); };
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
          bool want = false;
          for (int sy = y - (ay - ay / 2); sy <= y + ay / 2 && !want; ++sy)
            for (int sx = x - ax / 2; sx <= x + (ax - ax / 2) && !want; ++sx)
              want = sx >= 0 && sy >= 0 && sx < w && sy < h && zero(img, sx, sy);
          ASSERT_EQ(zero(got, x, y), want) << "widen " << n << " (" << ax << "," << ay << ") at " << x << "," << y;
        }
    }
  }
}

}  // namespace
