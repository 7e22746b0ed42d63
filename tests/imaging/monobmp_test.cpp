#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "image_helpers.h"
#include "imaging/monoimagetool.h"
#include "platform/archive.h"
#include "temp_dir.h"
#include "outside_tool.h"

namespace {

using testimg::Blank;
using M = MonoBmpFile;

void PutU32(std::vector<BYTE>& b, int at, std::uint32_t v) { M::WriteU32(b.data(), at, v); }
void PutU16(std::vector<BYTE>& b, int at, std::uint16_t v) { M::WriteU16(b.data(), at, v); }

TEST(MonoBmpLayout, HeaderOfAnEightByOneImage) {
  std::vector<BYTE> b = Blank(8, 1);
  const BYTE expected[62] = {
      'B', 'M', 66, 0, 0, 0,  0, 0, 0, 0,  62, 0, 0, 0,         // file header
      40, 0, 0, 0,  8, 0, 0, 0,  1, 0, 0, 0,  1, 0,  1, 0,      // size, width, height, planes, bits
      0, 0, 0, 0,  4, 0, 0, 0,                                  // compression, image size
      0x40, 0x9C, 0, 0,  0x40, 0x9C, 0, 0,                      // 40000 pixels per metre both ways
      2, 0, 0, 0,  0, 0, 0, 0,                                  // colours used, important
      0, 0, 0, 0,  255, 255, 255, 0};                           // ink black, then white
  ASSERT_EQ(b.size(), 66u);
  for (int i = 0; i < 62; ++i) EXPECT_EQ(b[i], expected[i]) << "offset " << i;
}

TEST(MonoBmpLayout, StridesAndFileSizes) {
  const int widths[] = {1, 7, 8, 24, 25, 31, 32, 33, 40, 63, 64, 95, 96, 97};
  const int strides[] = {4, 4, 4, 4, 4, 4, 4, 8, 8, 8, 8, 12, 12, 16};
  for (size_t i = 0; i < std::size(widths); ++i) {
    EXPECT_EQ(M::Stride(widths[i]), strides[i]) << widths[i];
    // The rule as the system states it: width/8, rounded up to whole bytes and a multiple of 4.
    const int w8 = widths[i] / 8;
    const int rule = (widths[i] % 8 == 0 && w8 % 4 == 0) ? w8 : w8 + 4 - (w8 % 4);
    EXPECT_EQ(M::Stride(widths[i]), rule) << widths[i];
  }
  std::vector<BYTE> b = Blank(100, 50);
  EXPECT_EQ(b.size(), 862u);
  EXPECT_EQ(M::ReadU32(b.data(), M::kOffFileSize), 862u);
}

TEST(MonoBmpLayout, InkColourGoesToPaletteEntryZero) {
  std::vector<BYTE> b = M::Create(16, 2, RGB(255, 0, 0));
  EXPECT_EQ(b[54], 0);
  EXPECT_EQ(b[55], 0);
  EXPECT_EQ(b[56], 255);
  EXPECT_EQ(b[57], 0);
  EXPECT_EQ(M::PaletteColour(b.data(), 0), RGB(255, 0, 0));
  EXPECT_EQ(M::PaletteColour(b.data(), 1), RGB(255, 255, 255));
  EXPECT_FALSE(M::InkIsSetBit(b.data()));
  EXPECT_TRUE(M::InkIsSetBit(M::Create(8, 1, RGB(255, 255, 255)).data()));
  EXPECT_TRUE(M::Create(0, 5).empty());
  EXPECT_TRUE(M::Create(5, 0).empty());
}

TEST(MonoBmpParse, ReportsGeometry) {
  CMonoImageTool tool;
  std::vector<BYTE> b = Blank(13, 5);
  int wb = -1, h = -1, fs = -1, st = -1, is = -1;
  EXPECT_EQ(tool.ParseMonoBmp(b.data(), b.size(), &wb, &h, &fs, &st, &is), b.data() + 62);
  EXPECT_EQ(wb, 1);
  EXPECT_EQ(h, 5);
  EXPECT_EQ(st, 4);
  EXPECT_EQ(fs, 82);
  EXPECT_EQ(is, 20);
  b = Blank(16, 2);
  EXPECT_NE(tool.ParseMonoBmp(b.data(), b.size(), &wb, nullptr, nullptr, &st, nullptr), nullptr);
  EXPECT_EQ(wb, 2);
  EXPECT_EQ(st, 4);
  EXPECT_EQ(CMonoImageTool::GetBitmapInfo(b.data()), b.data() + 14);
  EXPECT_EQ(CMonoImageTool::GetBitmapInfo(static_cast<BYTE*>(nullptr)), nullptr);
}

TEST(MonoBmpParse, RefusesOtherDepthsAndShortBlocks) {
  CMonoImageTool tool;
  TempDir dir;
  for (int bits : {4, 8, 24}) {
    std::vector<BYTE> b = Blank(16, 2);
    PutU16(b, M::kOffBitCount, static_cast<std::uint16_t>(bits));
    EXPECT_EQ(tool.ParseMonoBmp(b.data(), b.size(), nullptr, nullptr, nullptr, nullptr, nullptr), nullptr);
    const std::string path = dir.File("deep.bmp");
    EXPECT_EQ(tool.WriteBmpFile(CString(path), b.data(), b.size()), 0);
    EXPECT_FALSE(fileio::Exists(path));
  }
  std::vector<BYTE> b = Blank(16, 2);
  b[0] = 'X';
  EXPECT_EQ(tool.ParseMonoBmp(b.data(), b.size(), nullptr, nullptr, nullptr, nullptr, nullptr), nullptr);
  b = Blank(16, 2);
  EXPECT_EQ(tool.ParseMonoBmp(b.data(), b.size() - 1, nullptr, nullptr, nullptr, nullptr, nullptr), nullptr);
  EXPECT_EQ(tool.ParseMonoBmp(static_cast<const BYTE*>(nullptr), 100, nullptr, nullptr, nullptr, nullptr, nullptr), nullptr);
}

TEST(MonoBmpWrite, WritesTheWholeBlockAndReplacesAFile) {
  TempDir dir;
  CMonoImageTool tool;
  std::vector<BYTE> b = Blank(33, 3);
  testimg::Paint(b, 32, 0);
  // Bytes after the image are not part of the file.
  std::vector<BYTE> held = b;
  held.push_back(0xAB);
  const std::string path = dir.Write("out.bmp", "old contents that are longer than nothing");
  ASSERT_EQ(tool.WriteBmpFile(CString(path), held.data(), held.size()), 1);
  EXPECT_EQ(TempDir::Read(path), std::string(b.begin(), b.end()));
  // A folder that does not exist: failure, not success.
  EXPECT_EQ(tool.WriteBmpFile(CString(dir.File("no/such/dir.bmp")), b.data(), b.size()), 0);
}

TEST(MonoBmpBuild, DeviceRowsAreStoredBottomUpWithPadding) {
  // A 40-pixel bitmap: device rows of 6 bytes (word-aligned), stride 8.
  const int h = 3;
  std::vector<BYTE> rows(6 * h);
  for (int r = 0; r < h; ++r)
    for (int i = 0; i < 6; ++i) rows[r * 6 + i] = static_cast<BYTE>(0x10 * (r + 1) + i);
  std::vector<BYTE> b = CMonoImageTool::BmpFromDeviceRows(40, h, 6, rows.data());
  ASSERT_EQ(b.size(), static_cast<size_t>(62 + 8 * h));
  EXPECT_EQ(M::Width(b.data()), 40);
  EXPECT_EQ(M::Height(b.data()), h);
  for (int i = 0; i < h; ++i) {
    const BYTE* stored = b.data() + 62 + 8 * i;
    for (int k = 0; k < 6; ++k) EXPECT_EQ(stored[k], rows[(h - 1 - i) * 6 + k]);
    EXPECT_EQ(stored[6], 0);
    EXPECT_EQ(stored[7], 0);
  }
  // The top device row is the last stored row.
  EXPECT_EQ(b[62 + 8 * (h - 1)], 0x10);
  EXPECT_TRUE(CMonoImageTool::BmpFromDeviceRows(40, 0, 6, rows.data()).empty());
  EXPECT_TRUE(CMonoImageTool::BmpFromDeviceRows(40, 1, 0, rows.data()).empty());
}

// --- the validator ---

// A BMP as another program may write it: `infoSize`-byte header, the rows at `gap` bytes after
// the palette, top-down when `topDown`.
std::vector<BYTE> ForeignBmp(int width, int height, int infoSize, int gap, bool topDown, const std::vector<BYTE>& picture) {
  const int stride = static_cast<int>(M::Stride(width));
  const int bitsAt = 14 + infoSize + 8 + gap;
  std::vector<BYTE> b(bitsAt + stride * height, 0);
  b[0] = 'B';
  b[1] = 'M';
  PutU32(b, 2, static_cast<std::uint32_t>(b.size()));
  PutU32(b, 10, static_cast<std::uint32_t>(bitsAt));
  PutU32(b, 14, static_cast<std::uint32_t>(infoSize));
  PutU32(b, 18, static_cast<std::uint32_t>(width));
  PutU32(b, 22, static_cast<std::uint32_t>(topDown ? -height : height));
  PutU16(b, 26, 1);
  PutU16(b, 28, 1);
  PutU32(b, 38, 11811);
  PutU32(b, 42, 11811);
  // palette: entry 0 dark blue, entry 1 white
  const BYTE pal[8] = {0x80, 0, 0, 0, 255, 255, 255, 0};
  std::copy(pal, pal + 8, b.begin() + 14 + infoSize);
  for (int y = 0; y < height; ++y) {
    const int stored = topDown ? y : height - 1 - y;
    std::copy(testimg::RowOf(picture, y), testimg::RowOf(picture, y) + stride, b.begin() + bitsAt + stored * stride);
  }
  return b;
}

TEST(MonoBmpValidator, CanonicalImageComesBackByteForByte) {
  std::vector<BYTE> b = Blank(97, 3);
  testimg::Paint(b, 96, 2);
  b.push_back(7);  // a file may be longer than its rows
  std::vector<BYTE> out;
  EXPECT_EQ(ValidateMonoBmp(b.data(), b.size(), &out), MONOBMP_VALID);
  EXPECT_EQ(out, b);
  EXPECT_TRUE(IsCanonicalMonoBmp(b.data(), b.size()));
}

TEST(MonoBmpValidator, TopDownAndLargerHeadersAreNormalised) {
  std::vector<BYTE> picture = Blank(21, 4);
  testimg::Paint(picture, 0, 0);
  testimg::Paint(picture, 20, 0);
  testimg::Paint(picture, 5, 3);
  for (int infoSize : {40, 108, 124}) {
    for (bool topDown : {false, true}) {
      for (int gap : {0, 6}) {
        if (infoSize == 40 && !topDown && gap == 0) continue;  // canonical
        std::vector<BYTE> f = ForeignBmp(21, 4, infoSize, gap, topDown, picture);
        EXPECT_FALSE(IsCanonicalMonoBmp(f.data(), f.size()));
        std::vector<BYTE> out;
        ASSERT_EQ(ValidateMonoBmp(f.data(), f.size(), &out), MONOBMP_VALID) << infoSize << topDown << gap;
        ASSERT_TRUE(IsCanonicalMonoBmp(out.data(), out.size()));
        EXPECT_EQ(out.size(), static_cast<size_t>(62 + 4 * 4));
        EXPECT_EQ(M::Width(out.data()), 21);
        EXPECT_EQ(M::Height(out.data()), 4);
        EXPECT_EQ(M::XPelsPerMeter(out.data()), 11811);
        EXPECT_EQ(M::YPelsPerMeter(out.data()), 11811);
        EXPECT_EQ(M::PaletteColour(out.data(), 0), RGB(0, 0, 0x80));
        EXPECT_EQ(M::PaletteColour(out.data(), 1), RGB(255, 255, 255));
        for (int y = 0; y < 4; ++y)
          for (int x = 0; x < 21; ++x)
            EXPECT_EQ(testimg::Ink(out, x, y), testimg::Ink(picture, x, y)) << x << "," << y;
      }
    }
  }
}

TEST(MonoBmpValidator, RefusesWhatItCannotTake) {
  const std::vector<BYTE> good = Blank(16, 4);
  auto check = [](std::vector<BYTE> b) {
    std::vector<BYTE> out = {1, 2, 3};
    MonoBmpCheck c = ValidateMonoBmp(b.data(), b.size(), &out);
    if (c != MONOBMP_VALID) {
      EXPECT_EQ(out, (std::vector<BYTE>{1, 2, 3}));  // untouched on refusal
    }
    return c;
  };
  auto with = [&](int at, std::uint32_t v, int bytes = 4) {
    std::vector<BYTE> b = good;
    if (bytes == 2) PutU16(b, at, static_cast<std::uint16_t>(v)); else PutU32(b, at, v);
    return b;
  };
  EXPECT_EQ(check(good), MONOBMP_VALID);
  EXPECT_EQ(check({}), MONOBMP_UNREADABLE);
  EXPECT_EQ(check({'B'}), MONOBMP_UNREADABLE);
  EXPECT_EQ(check(with(0, 0x4D42 ^ 0x0100, 2)), MONOBMP_UNREADABLE);  // "BL"
  EXPECT_EQ(check(with(28, 8, 2)), MONOBMP_NOT_MONOCHROME);
  EXPECT_EQ(check(with(28, 24, 2)), MONOBMP_NOT_MONOCHROME);
  EXPECT_EQ(check(std::vector<BYTE>(good.begin(), good.begin() + 61)), MONOBMP_UNREADABLE);
  EXPECT_EQ(check(std::vector<BYTE>(good.begin(), good.end() - 1)), MONOBMP_UNREADABLE);
  EXPECT_EQ(check(with(14, 12)), MONOBMP_UNREADABLE);        // old core header
  EXPECT_EQ(check(with(26, 2, 2)), MONOBMP_UNREADABLE);      // planes
  EXPECT_EQ(check(with(30, 1)), MONOBMP_UNREADABLE);         // compressed
  EXPECT_EQ(check(with(18, 0)), MONOBMP_UNREADABLE);         // width 0
  EXPECT_EQ(check(with(18, 0xFFFFFFF0u)), MONOBMP_UNREADABLE);  // negative width
  EXPECT_EQ(check(with(22, 0)), MONOBMP_UNREADABLE);         // height 0
  EXPECT_EQ(check(with(22, 5)), MONOBMP_UNREADABLE);         // one row more than the buffer holds
  EXPECT_EQ(check(with(22, 0x80000000u)), MONOBMP_UNREADABLE);  // most negative height
  EXPECT_EQ(check(with(18, 0x7FFFFFFF)), MONOBMP_UNREADABLE);   // huge width
  EXPECT_EQ(check(with(10, 63)), MONOBMP_UNREADABLE);        // rows run past the end
  EXPECT_EQ(check(with(10, 30)), MONOBMP_UNREADABLE);        // rows overlap the header
  EXPECT_EQ(check(with(10, 0xFFFFFFFF)), MONOBMP_UNREADABLE);
  EXPECT_EQ(check(with(14, 0xFFFFFFFF)), MONOBMP_UNREADABLE);
  EXPECT_EQ(check(with(22, static_cast<std::uint32_t>(-4))), MONOBMP_VALID);  // top-down, same rows
  EXPECT_EQ(ValidateMonoBmp(nullptr, 62, nullptr), MONOBMP_UNREADABLE);
  EXPECT_STREQ(MonoBmpRefusalText(MONOBMP_UNREADABLE), "BMPファイルを読み取れません");
  EXPECT_STREQ(MonoBmpRefusalText(MONOBMP_NOT_MONOCHROME), "モノクロBMPファイルを指定してください");
}

// Mutations of valid images, each checked in a buffer of exactly its own size so that the
// sanitizer catches any read beyond it.
TEST(MonoBmpValidator, SurvivesTenThousandMutatedBuffers) {
  std::mt19937 rng(20261208);
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  const int fieldOffsets[] = {2, 10, 14, 18, 22, 26, 28, 30, 34, 46};
  const std::uint32_t nasty[] = {0, 1, 2, 7, 8, 39, 40, 41, 61, 62, 63, 124, 0x7FFFFFFF, 0x80000000u,
                                 0xFFFFFFFF, 0xFFFFFFFE, 0x10000, 0x40000000};
  int valid = 0, normalised = 0;
  for (int i = 0; i < 10000; ++i) {
    const int w = 1 + pick(70), h = 1 + pick(12);
    std::vector<BYTE> b = pick(3) == 0 ? ForeignBmp(w, h, pick(2) ? 40 : 124, pick(5), pick(2), Blank(w, h)) : Blank(w, h);
    for (int k = 0; k < static_cast<int>(b.size()) - 62; k += 1 + pick(5)) b[62 + k] = static_cast<BYTE>(rng());
    const int mutations = 1 + pick(4);
    for (int m = 0; m < mutations; ++m) {
      switch (pick(6)) {
        case 0: b.resize(static_cast<size_t>(pick(static_cast<int>(b.size()) + 1))); break;  // truncated
        case 1:
          if (b.size() >= 62) PutU32(b, fieldOffsets[pick(10)], nasty[pick(18)]);
          break;
        case 2:
          if (b.size() >= 62) PutU32(b, 22, static_cast<std::uint32_t>(-(1 + pick(40))));  // negative heights
          break;
        case 3:
          if (b.size() >= 62) PutU32(b, pick(2) ? 18 : 22, static_cast<std::uint32_t>(rng()));  // huge sizes
          break;
        case 4:
          if (!b.empty()) b[pick(static_cast<int>(b.size()))] = static_cast<BYTE>(rng());
          break;
        default: b.resize(b.size() + pick(9), 0xFF); break;
      }
    }
    // An exact-size heap copy: nothing beyond it is addressable.
    std::unique_ptr<BYTE[]> exact(new BYTE[b.size() ? b.size() : 1]);
    std::copy(b.begin(), b.end(), exact.get());
    std::vector<BYTE> out;
    const MonoBmpCheck c = ValidateMonoBmp(exact.get(), b.size(), &out);
    int wb = 0, hh = 0, fs = 0, st = 0, is = 0;
    const BYTE* rows = CMonoImageTool::ParseMonoBmp(exact.get(), b.size(), &wb, &hh, &fs, &st, &is);
    if (rows) {
      // The parser only takes what lies inside the buffer.
      ASSERT_EQ(c, MONOBMP_VALID);
      ASSERT_LE(static_cast<size_t>(fs), b.size());
      unsigned sum = 0;
      for (int k = 0; k < is; ++k) sum += rows[k];
      (void)sum;
    }
    if (c == MONOBMP_VALID) {
      ++valid;
      ASSERT_TRUE(IsCanonicalMonoBmp(out.data(), out.size()));
      if (!rows) ++normalised;
      ASSERT_NE(CMonoImageTool::ParseMonoBmp(out.data(), out.size(), nullptr, &hh, &fs, nullptr, nullptr), nullptr);
      ASSERT_GT(hh, 0);
      ASSERT_LE(static_cast<size_t>(fs), out.size());
    } else {
      ASSERT_EQ(rows, nullptr);
    }
  }
  // The mix must reach both sides of the validator.
  EXPECT_GT(valid, 500);
  EXPECT_GT(normalised, 100);
  EXPECT_LT(valid, 9500);
}

// --- an independent reader ---

// A Python with PIL, when one is installed.
std::string PythonWithPil() {
  for (const char* py : {"/usr/bin/python3", "python3"}) {
    const std::string cmd = std::string(py) + " -c 'import PIL' >/dev/null 2>&1";
    if (std::system(cmd.c_str()) == 0) return py;
  }
  return {};
}

TEST(MonoBmpIndependentReader, PilOpensOurFilesAsOneBitImages) {
  const std::string py = PythonWithPil();
  REQUIRE_OUTSIDE_TOOL(!py.empty(), "Python PIL (python3-pil)");
  TempDir dir;
  CMonoImageTool tool;
  struct Case { int w, h; };
  for (Case c : {Case{97, 3}, Case{8, 1}, Case{400, 200}}) {
    std::vector<BYTE> b = Blank(c.w, c.h);
    // A diagonal and the right-most column give the reader something to get wrong.
    for (int y = 0; y < c.h; ++y) {
      testimg::Paint(b, y % c.w, y);
      testimg::Paint(b, c.w - 1, y);
    }
    const std::string path = dir.File("pil.bmp");
    ASSERT_EQ(tool.WriteBmpFile(CString(path), b.data(), b.size()), 1);
    const std::string out = dir.File("pil.txt");
    const std::string script =
        "import sys\nfrom PIL import Image\nim = Image.open(sys.argv[1])\n"
        "dpi = im.info.get('dpi', (0, 0))\n"
        "ink = ''.join('1' if im.getpixel((x, y)) == 0 else '0' for y in range(im.size[1]) for x in range(im.size[0]))\n"
        "open(sys.argv[2], 'w').write('%s %s %d %d %.1f %.1f %s' % (im.format, im.mode, im.size[0], im.size[1], dpi[0], dpi[1], ink))\n";
    const std::string scriptPath = dir.Write("read.py", script);
    const std::string cmd = py + " " + scriptPath + " " + path + " " + out;
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    std::string expectedInk;
    for (int y = 0; y < c.h; ++y)
      for (int x = 0; x < c.w; ++x) expectedInk += testimg::Ink(b, x, y) ? '1' : '0';
    // 40000 pixels per metre is 1016 dots per inch.
    const std::string expected = "BMP 1 " + std::to_string(c.w) + " " + std::to_string(c.h) + " 1016.0 1016.0 " + expectedInk;
    EXPECT_EQ(TempDir::Read(out), expected);
  }
}

}  // namespace
