#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "image_helpers.h"
#include "imaging/monoimagetool.h"
#include "platform/gdi/gdi.h"

namespace {

int DeviceRowBytes(int w) { return ((w + 15) / 16) * 2; }
int DibStride(int w) { return ((w + 31) / 32) * 4; }

void Put32(std::vector<BYTE>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<BYTE>(v >> (8 * i));
}

// The 62-byte header every builder writes, laid out field by field.
std::vector<BYTE> Header(int w, int h, COLORREF ink) {
  std::vector<BYTE> b(62, 0);
  b[0] = 'B';
  b[1] = 'M';
  Put32(b, 2, static_cast<uint32_t>(62 + h * DibStride(w)));
  Put32(b, 10, 62);
  Put32(b, 14, 40);
  Put32(b, 18, static_cast<uint32_t>(w));
  Put32(b, 22, static_cast<uint32_t>(h));
  b[26] = 1;
  b[28] = 1;
  Put32(b, 34, static_cast<uint32_t>(h * DibStride(w)));
  Put32(b, 38, 40000);
  Put32(b, 42, 40000);
  Put32(b, 46, 2);
  b[54] = GetBValue(ink);
  b[55] = GetGValue(ink);
  b[56] = GetRValue(ink);
  b[58] = b[59] = b[60] = 255;
  return b;
}

// Random device rows, padding bytes included, so that padding handling shows.
std::vector<BYTE> RandomDeviceRows(int w, int h, unsigned seed) {
  std::mt19937 rng(seed);
  std::vector<BYTE> rows(static_cast<size_t>(DeviceRowBytes(w)) * h);
  for (BYTE& b : rows) b = static_cast<BYTE>(rng());
  return rows;
}

// A 1-bit bitmap of those rows, selected into a memory DC.
struct Source {
  CDC dc;
  CBitmap bmp;
  CBitmap* old = nullptr;
  Source(int w, int h, const std::vector<BYTE>& rows) {
    dc.CreateCompatibleDC(nullptr);
    bmp.CreateBitmap(w, h, 1, 1, rows.data());
    old = dc.SelectObject(&bmp);
  }
  ~Source() { dc.SelectObject(old); }
};

// The block a DIB read gives: the pixel bytes of each device row with the bits past the width
// cleared, padding 0, rows bottom-up.
std::vector<BYTE> ExpectedFromDib(int w, int h, const std::vector<BYTE>& dev, COLORREF ink) {
  std::vector<BYTE> b = Header(w, h, ink);
  const int pixelBytes = (w + 7) / 8;
  for (int i = 0; i < h; ++i) {
    std::vector<BYTE> row(static_cast<size_t>(DibStride(w)), 0);
    const BYTE* src = dev.data() + static_cast<size_t>(h - 1 - i) * DeviceRowBytes(w);
    for (int k = 0; k < pixelBytes; ++k) row[k] = src[k];
    if (w % 8) row[pixelBytes - 1] &= static_cast<BYTE>(0xFF << (8 - w % 8));
    b.insert(b.end(), row.begin(), row.end());
  }
  return b;
}

const int kWidths[] = {1, 8, 33, 40, 97};

TEST(BuildMonoBmp, ReadsRowsBottomUpByteExactWithTheInkColour) {
  for (int w : kWidths) {
    const int h = 5;
    const std::vector<BYTE> dev = RandomDeviceRows(w, h, static_cast<unsigned>(w));
    Source src(w, h, dev);
    int size = -1;
    const std::vector<BYTE> block = CMonoImageTool::BuildMonoBmp(&src.dc, &src.bmp, w, h, &size, RGB(255, 0, 0));
    EXPECT_EQ(block, ExpectedFromDib(w, h, dev, RGB(255, 0, 0))) << "width " << w;
    EXPECT_EQ(size, static_cast<int>(block.size()));
    ASSERT_GE(block.size(), 58u);
    EXPECT_EQ(std::vector<BYTE>(block.begin() + 54, block.begin() + 58), (std::vector<BYTE>{0, 0, 255, 0}));
  }
}

TEST(BuildMonoBmp, DrawnInkAndBitmapsOfAnotherSize) {
  // Ink drawn through the DC is a 0 bit at the same picture position.
  CDC dc;
  ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
  CBitmap bmp;
  ASSERT_TRUE(bmp.CreateBitmap(12, 6, 1, 1, nullptr));
  CBitmap* old = dc.SelectObject(&bmp);
  dc.PatBlt(0, 0, 12, 6, WHITENESS);
  dc.FillSolidRect(2, 1, 3, 2, RGB(0, 0, 0));
  std::vector<BYTE> block = CMonoImageTool::BuildMonoBmp(&dc, &bmp, 12, 6, nullptr, RGB(0, 0, 0));
  ASSERT_FALSE(block.empty());
  EXPECT_EQ(testimg::CountInk(block), 6);
  for (int y = 1; y <= 2; ++y)
    for (int x = 2; x <= 4; ++x) EXPECT_TRUE(testimg::Ink(block, x, y)) << x << "," << y;

  // A larger block: the bitmap sits at its bottom left, the rest is background, not ink.
  block = CMonoImageTool::BuildMonoBmp(&dc, &bmp, 20, 9, nullptr, RGB(0, 0, 0));
  ASSERT_FALSE(block.empty());
  EXPECT_EQ(testimg::CountInk(block), 6);
  EXPECT_TRUE(testimg::Ink(block, 2, 4));
  EXPECT_TRUE(testimg::Ink(block, 4, 5));

  // A smaller block takes the bitmap's bottom-left corner.
  block = CMonoImageTool::BuildMonoBmp(&dc, &bmp, 4, 4, nullptr, RGB(0, 0, 0));
  ASSERT_FALSE(block.empty());
  EXPECT_EQ(testimg::CountInk(block), 2);
  EXPECT_TRUE(testimg::Ink(block, 2, 0));
  EXPECT_TRUE(testimg::Ink(block, 3, 0));
  dc.SelectObject(old);
}

TEST(BuildMonoBmp, RefusesWithoutDcOrBitmap) {
  const std::vector<BYTE> dev = RandomDeviceRows(8, 2, 1);
  Source src(8, 2, dev);
  CDC unattached;
  CBitmap empty;
  int size = 99;
  EXPECT_TRUE(CMonoImageTool::BuildMonoBmp(nullptr, &src.bmp, 8, 2, &size, 0).empty());
  EXPECT_EQ(size, 0);
  EXPECT_TRUE(CMonoImageTool::BuildMonoBmp(&unattached, &src.bmp, 8, 2, &size, 0).empty());
  EXPECT_TRUE(CMonoImageTool::BuildMonoBmp(&src.dc, nullptr, 8, 2, &size, 0).empty());
  EXPECT_TRUE(CMonoImageTool::BuildMonoBmp(&src.dc, &empty, 8, 2, &size, 0).empty());
  EXPECT_TRUE(CMonoImageTool::BuildMonoBmp(&src.dc, &src.bmp, 0, 2, &size, 0).empty());
  EXPECT_EQ(size, 0);
}

TEST(BmpFromBitmap, StoresDeviceRowsReversedWithZeroPadding) {
  for (int w : kWidths) {
    const int h = 4;
    const std::vector<BYTE> dev = RandomDeviceRows(w, h, 100u + static_cast<unsigned>(w));
    CBitmap bmp;
    ASSERT_TRUE(bmp.CreateBitmap(w, h, 1, 1, dev.data()));
    std::vector<BYTE> expected = Header(w, h, RGB(0, 0, 0));
    for (int i = 0; i < h; ++i) {
      std::vector<BYTE> row(static_cast<size_t>(DibStride(w)), 0);
      const BYTE* src = dev.data() + static_cast<size_t>(h - 1 - i) * DeviceRowBytes(w);
      std::copy(src, src + DeviceRowBytes(w), row.begin());
      expected.insert(expected.end(), row.begin(), row.end());
    }
    EXPECT_EQ(CMonoImageTool::BmpFromBitmap(&bmp), expected) << "width " << w;
  }
  // 40 pixels: device rows of 6 bytes in a stride of 8; the top device row is stored last.
  const std::vector<BYTE> dev = RandomDeviceRows(40, 3, 7);
  CBitmap bmp;
  ASSERT_TRUE(bmp.CreateBitmap(40, 3, 1, 1, dev.data()));
  const std::vector<BYTE> block = CMonoImageTool::BmpFromBitmap(&bmp);
  ASSERT_EQ(block.size(), 62u + 3 * 8);
  EXPECT_EQ(std::vector<BYTE>(block.begin() + 62 + 16, block.begin() + 62 + 22),
            std::vector<BYTE>(dev.begin(), dev.begin() + 6));
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(block[62 + 8 * i + 6], 0);
    EXPECT_EQ(block[62 + 8 * i + 7], 0);
  }
}

TEST(BmpFromBitmap, RefusesNullEmptyAndColourBitmaps) {
  CBitmap empty, colour;
  ASSERT_TRUE(colour.CreateBitmap(8, 8, 1, 32, nullptr));
  EXPECT_TRUE(CMonoImageTool::BmpFromBitmap(nullptr).empty());
  EXPECT_TRUE(CMonoImageTool::BmpFromBitmap(&empty).empty());
  EXPECT_TRUE(CMonoImageTool::BmpFromBitmap(&colour).empty());
}

// The device rows of a bitmap as GetBitmapBits gives them.
std::vector<BYTE> DeviceRows(const CBitmap& bmp) {
  std::vector<BYTE> rows(static_cast<size_t>(DeviceRowBytes(bmp.Width())) * bmp.Height());
  EXPECT_EQ(bmp.GetBitmapBits(static_cast<DWORD>(rows.size()), rows.data()), rows.size());
  return rows;
}

TEST(CopyRectToMonoBitmap, CopiesTheSelectedBitmapOfTheRectanglesSize) {
  for (int w : kWidths) {
    const int h = 6;
    const std::vector<BYTE> dev = RandomDeviceRows(w, h, 200u + static_cast<unsigned>(w));
    Source src(w, h, dev);
    // The rectangle's position is that of the selection in the image; only its size counts.
    std::unique_ptr<CBitmap> copy(CMonoImageTool::CopyRectToMonoBitmap(&src.dc, RECT{30, 17, 30 + w, 17 + h}));
    ASSERT_TRUE(copy) << "width " << w;
    EXPECT_EQ(copy->Width(), w);
    EXPECT_EQ(copy->Height(), h);
    EXPECT_EQ(copy->BitsPerPixel(), 1);
    // Pixel bytes as they were, the bits past the width and the row padding cleared.
    std::vector<BYTE> expected(dev.size(), 0);
    const int pixelBytes = (w + 7) / 8;
    for (int y = 0; y < h; ++y) {
      for (int k = 0; k < pixelBytes; ++k) expected[y * DeviceRowBytes(w) + k] = dev[y * DeviceRowBytes(w) + k];
      if (w % 8) expected[y * DeviceRowBytes(w) + pixelBytes - 1] &= static_cast<BYTE>(0xFF << (8 - w % 8));
    }
    EXPECT_EQ(DeviceRows(*copy), expected) << "width " << w;
    // Read back as a block it matches the block built straight from the source.
    EXPECT_EQ(CMonoImageTool::BmpFromBitmap(copy.get()),
              CMonoImageTool::BuildMonoBmp(&src.dc, &src.bmp, w, h, nullptr, RGB(0, 0, 0)));
  }
}

TEST(CopyRectToMonoBitmap, OtherSizesTakeTheBottomLeftCornerAndPadWithWhite) {
  // 40 x 10, black everywhere except a white column at x 0 and a white bottom row.
  CDC dc;
  ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
  CBitmap bmp;
  ASSERT_TRUE(bmp.CreateBitmap(40, 10, 1, 1, nullptr));
  CBitmap* old = dc.SelectObject(&bmp);
  dc.PatBlt(0, 0, 40, 10, BLACKNESS);
  dc.PatBlt(0, 0, 1, 10, WHITENESS);
  dc.PatBlt(0, 9, 40, 1, WHITENESS);

  std::unique_ptr<CBitmap> part(CMonoImageTool::CopyRectToMonoBitmap(&dc, RECT{5, 5, 8, 8}));
  ASSERT_TRUE(part);
  ASSERT_EQ(part->Width(), 3);
  ASSERT_EQ(part->Height(), 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x)
      EXPECT_EQ(part->PixelColour(x, y), (x == 0 || y == 2) ? 0xFFFFFFu : 0u) << x << "," << y;

  // Larger than the bitmap: what it does not reach is white, never ink.
  std::unique_ptr<CBitmap> big(CMonoImageTool::CopyRectToMonoBitmap(&dc, RECT{0, 0, 50, 12}));
  ASSERT_TRUE(big);
  ASSERT_EQ(big->Width(), 50);
  ASSERT_EQ(big->Height(), 12);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 50; ++x) {
      const bool ink = y >= 2 && y < 11 && x >= 1 && x < 40;
      EXPECT_EQ(big->PixelColour(x, y), ink ? 0u : 0xFFFFFFu) << x << "," << y;
    }
  dc.SelectObject(old);
}

TEST(CopyRectToMonoBitmap, RefusesEmptyOrInvertedRectanglesAndMissingDc) {
  const std::vector<BYTE> dev = RandomDeviceRows(16, 4, 3);
  Source src(16, 4, dev);
  CDC unattached;
  EXPECT_EQ(CMonoImageTool::CopyRectToMonoBitmap(nullptr, RECT{0, 0, 16, 4}), nullptr);
  EXPECT_EQ(CMonoImageTool::CopyRectToMonoBitmap(&unattached, RECT{0, 0, 16, 4}), nullptr);
  EXPECT_EQ(CMonoImageTool::CopyRectToMonoBitmap(&src.dc, RECT{4, 4, 4, 8}), nullptr);
  EXPECT_EQ(CMonoImageTool::CopyRectToMonoBitmap(&src.dc, RECT{16, 0, 0, 4}), nullptr);
  EXPECT_EQ(CMonoImageTool::CopyRectToMonoBitmap(&src.dc, RECT{0, 4, 16, 0}), nullptr);
  EXPECT_EQ(CMonoImageTool::CopyRectToMonoBitmap(&src.dc, RECT{INT_MIN, 0, INT_MAX, 4}), nullptr);
}

}  // namespace
