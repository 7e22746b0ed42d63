#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "imaging/monobmp.h"
#include "model/bmpobject.h"
#include "scripted_prompter.h"
#include "temp_dir.h"

namespace {

std::vector<BYTE> MonoImage(int width, int height, LONG xppm = MonoBmpFile::kPixelsPerMetre,
                            LONG yppm = MonoBmpFile::kPixelsPerMetre) {
  std::vector<BYTE> image = MonoBmpFile::Create(width, height);
  MonoBmpFile::WriteU32(image.data(), MonoBmpFile::kOffXPelsPerMeter, static_cast<std::uint32_t>(xppm));
  MonoBmpFile::WriteU32(image.data(), MonoBmpFile::kOffYPelsPerMeter, static_cast<std::uint32_t>(yppm));
  return image;
}

std::string Bytes(const std::vector<BYTE>& v) { return std::string(v.begin(), v.end()); }

std::string Sjis(const char* utf8) { return CString::FromUtf8(utf8).str(); }

TEST(BmpObjectSize, TakenFromTheResolutionElseFortyDotsPerMillimetre) {
  struct Case { LONG xppm, yppm; double w, h; };
  const Case cases[] = {{40000, 40000, 10.0, 5.0}, {0, 0, 10.0, 5.0}, {11811, 11811, 400.0 / 11811 * 1000, 200.0 / 11811 * 1000},
                        {11811, 0, 10.0, 5.0}, {0, 11811, 10.0, 5.0}};
  for (const Case& c : cases) {
    CBmpObject o;
    ASSERT_TRUE(o.SetImage(MonoImage(400, 200, c.xppm, c.yppm)));
    EXPECT_EQ(o.m_bLoaded, 1);
    EXPECT_NEAR(o.m_dWidth, c.w, 1e-9) << c.xppm << " " << c.yppm;
    EXPECT_NEAR(o.m_dHeight, c.h, 1e-9);
  }
  CBmpObject o;
  o.SetImage(MonoImage(400, 200, 11811, 11811));
  EXPECT_NEAR(o.m_dWidth, 33.87, 0.005);
  EXPECT_NEAR(o.m_dHeight, 16.93, 0.005);
}

TEST(BmpObjectSize, PointersLeadIntoTheOwnedImage) {
  CBmpObject o;
  ASSERT_TRUE(o.SetImage(MonoImage(8, 1)));
  ASSERT_EQ(o.GetImageLength(), 66u);
  EXPECT_EQ(o.m_pFileHeader, o.m_Image.data());
  EXPECT_EQ(o.m_pInfoHeader, o.m_Image.data() + 14);
  EXPECT_EQ(o.m_pBitmapInfo, o.m_pInfoHeader);
  EXPECT_EQ(o.m_pBits, o.m_Image.data() + 62);
}

TEST(BmpObjectLoad, NewObjectAsksForItsFileAndCancelLeavesItEmpty) {
  ScriptedPrompter prompter;
  prompter.ExpectFile("");
  CBmpObject o;
  InitNewObject(o, TYPE_BMP);
  EXPECT_EQ(o.m_bLoaded, 0);
  EXPECT_DOUBLE_EQ(o.m_dWidth, 20.0);
  EXPECT_DOUBLE_EQ(o.m_dHeight, 15.0);
  EXPECT_EQ(o.GetImageLength(), 0u);
  EXPECT_EQ(o.m_nByteSize, 392);
  EXPECT_EQ(o.m_nType, TYPE_BMP);
}

TEST(BmpObjectLoad, ChosenFileIsLoadedWithItsPath) {
  TempDir dir;
  std::string path = dir.Write("a.bmp", Bytes(MonoImage(400, 200)));
  ScriptedPrompter prompter;
  prompter.ExpectFile(path.c_str());
  CBmpObject o;
  InitNewObject(o, TYPE_BMP);
  EXPECT_EQ(o.m_bLoaded, 1);
  EXPECT_EQ(o.m_strPath, path.c_str());
  EXPECT_DOUBLE_EQ(o.m_dWidth, 10.0);
}

TEST(BmpObjectLoad, RefusedFilesAreReportedAndLeaveNoImage) {
  TempDir dir;
  std::vector<BYTE> eightBit = MonoImage(8, 8);
  MonoBmpFile::WriteU16(eightBit.data(), MonoBmpFile::kOffBitCount, 8);
  struct Case { std::string path; const char* message; };
  const Case cases[] = {{dir.Write("8bit.bmp", Bytes(eightBit)), "モノクロBMPファイルを指定してください"},
                        {dir.Write("text.bmp", std::string(100, 'x')), "BMPファイルを読み取れません"},
                        {dir.File("missing.bmp"), "BMPファイルを読み取りに失敗しました"}};
  for (const Case& c : cases) {
    ScriptedPrompter prompter;
    prompter.ExpectFile(c.path.c_str()).ExpectMessage(IDOK, Sjis(c.message).c_str());
    CBmpObject o;
    EXPECT_FALSE(o.OpenBmpFile(TRUE));
    EXPECT_EQ(o.m_bLoaded, 0);
    EXPECT_TRUE(o.m_Image.empty());
    EXPECT_EQ(o.m_pBits, nullptr);
    // The silent load refuses the same files without a word.
    CBmpObject silent(CString(c.path.c_str()));
    EXPECT_EQ(silent.m_bLoaded, 0);
    EXPECT_EQ(silent.m_strPath, c.path.c_str());
  }
}

TEST(BmpObjectLoad, TopDownImageIsStoredBottomUp) {
  std::vector<BYTE> image = MonoImage(8, 2);
  MonoBmpFile::WriteU32(image.data(), MonoBmpFile::kOffHeight, static_cast<std::uint32_t>(-2));
  image[62] = 0x0F;  // first stored row = top row when top-down
  CBmpObject o;
  ASSERT_TRUE(o.SetImage(image));
  EXPECT_EQ(MonoBmpFile::Height(o.GetImage()), 2);
  EXPECT_EQ(o.m_Image[62 + 4], 0x0F);  // the top row is now stored last
  EXPECT_DOUBLE_EQ(o.m_dHeight, 2 / 40.0);
}

TEST(BmpObjectLoad, ReplacingWithARefusedFileKeepsTheOldImage) {
  TempDir dir;
  std::string good = dir.Write("good.bmp", Bytes(MonoImage(400, 200)));
  std::string bad = dir.Write("bad.bmp", "BM-not-really");
  CBmpObject o{CString(good.c_str())};
  ASSERT_EQ(o.m_bLoaded, 1);
  o.m_dWidth = 3.0;
  EXPECT_FALSE(o.LoadFromPath(bad.c_str()));
  EXPECT_EQ(o.m_bLoaded, 1);
  EXPECT_EQ(o.GetImageLength(), MonoBmpFile::FileSize(400, 200));
  EXPECT_EQ(o.m_strPath, good.c_str());
  EXPECT_DOUBLE_EQ(o.m_dWidth, 3.0);
  {
    ScriptedPrompter prompter;
    prompter.ExpectMessage(IDOK, Sjis("BMPファイルを読み取れません").c_str());
    EXPECT_FALSE(o.LoadFromPath(bad.c_str(), TRUE));
  }
  // A good file replaces image, size and path, and keeps the other settings.
  std::string other = dir.Write("other.bmp", Bytes(MonoImage(80, 40)));
  o.m_nRows = 3;
  EXPECT_TRUE(o.LoadFromPath(other.c_str()));
  EXPECT_DOUBLE_EQ(o.m_dWidth, 2.0);
  EXPECT_EQ(o.m_nRows, 3);
  EXPECT_EQ(o.m_strPath, other.c_str());

  dir.Write("other.bmp", "garbage");
  EXPECT_FALSE(o.Reload());
  EXPECT_EQ(o.m_bLoaded, 1);
}

TEST(BmpObjectCopy, CopyOwnsItsImage) {
  auto* src = new CBmpObject();
  src->SetImage(MonoImage(16, 4));
  src->m_Image[62] = 0xAA;
  src->m_nSealPart = 4;
  src->m_nGroupId = 4;
  src->m_Clip = {5, 2.0, 30.0, 20.0};
  src->m_nTone = 2;
  src->SetName("bmp3");
  CBmpObject copy(src);
  std::vector<BYTE> expected = src->m_Image;
  delete src;
  EXPECT_EQ(copy.m_Image, expected);
  EXPECT_EQ(copy.m_pBits, copy.m_Image.data() + 62);
  EXPECT_EQ(copy.m_bLoaded, 1);
  EXPECT_EQ(copy.m_nSealPart, 4);
  EXPECT_EQ(copy.m_Clip.nShape, 5);
  EXPECT_DOUBLE_EQ(copy.m_Clip.dWidth, 30.0);
  EXPECT_EQ(copy.m_nTone, 2);
  EXPECT_STREQ(copy.GetName(), "bmp3");
  EXPECT_EQ(copy.m_nType, TYPE_BMP);
}

TEST(BmpObjectCopy, SourceWithoutAUsableImageGivesAnEmptyCopy) {
  CBmpObject src;
  src.m_bLoaded = 1;                       // claims an image ...
  src.m_Image.assign(100, 'x');            // ... that is none
  CBmpObject copy;
  copy.CopySettings(&src);
  EXPECT_EQ(copy.m_bLoaded, 0);
  EXPECT_EQ(copy.GetImageLength(), 0u);
  EXPECT_EQ(copy.m_pBits, nullptr);
}

TEST(BmpObjectCopy, AttributesWithoutTheImage) {
  CBmpObject src;
  src.SetImage(MonoImage(16, 4));
  src.SetName("bmp9");
  src.m_dPosX = 7.0;
  src.m_nColumns = 4;
  CBmpObject target;
  target.SetImage(MonoImage(8, 8));
  target.CopyAttributes(&src);
  EXPECT_STREQ(target.GetName(), "bmp9");
  EXPECT_DOUBLE_EQ(target.m_dPosX, 7.0);
  EXPECT_EQ(target.m_nColumns, 4);
  EXPECT_EQ(MonoBmpFile::Width(target.GetImage()), 8);
}

TEST(BmpObjectCopy, ImageSetFromAProjectFileIsCheckedBeforeUse) {
  CBmpObject o;
  o.m_Image = MonoImage(24, 3);
  o.m_dWidth = 12.5;
  o.UpdateImagePointers();
  EXPECT_EQ(o.m_bLoaded, 1);
  EXPECT_EQ(o.m_pBits, o.m_Image.data() + 62);
  EXPECT_DOUBLE_EQ(o.m_dWidth, 12.5);  // the stored size stays
  o.m_Image.resize(70);                // rows cut off
  o.UpdateImagePointers();
  EXPECT_EQ(o.m_bLoaded, 0);
  EXPECT_TRUE(o.m_Image.empty());
  EXPECT_EQ(o.m_pBits, nullptr);
}

TEST(BmpEditObject, KeepsTheImageGeometry) {
  struct Case { int width, height, bytes, stride; };
  const Case cases[] = {{1, 1, 0, 4}, {32, 2, 4, 4}, {33, 3, 4, 8}, {95, 1, 11, 12}, {97, 5, 12, 16}, {400, 200, 50, 52}};
  for (const Case& c : cases) {
    CBmpObject src;
    ASSERT_TRUE(src.SetImage(MonoImage(c.width, c.height)));
    CBmpEditObject edit(&src);
    EXPECT_EQ(edit.m_nWidthBytes, c.bytes) << c.width;
    EXPECT_EQ(edit.m_nHeightPixels, c.height);
    EXPECT_EQ(edit.m_nStride, c.stride) << c.width;
    EXPECT_EQ(edit.m_nImageSize, c.height * c.stride);
    EXPECT_EQ(edit.m_nFileSize, 62 + c.height * c.stride);
  }
  CBmpEditObject empty(nullptr);
  EXPECT_EQ(empty.m_nStride, 0);
  EXPECT_EQ(empty.m_nByteSize, 392);
}

TEST(BmpEditObject, AssignTakesCommonPartFieldsAndImage) {
  CBmpObject a;
  a.SetImage(MonoImage(8, 8));
  CBmpObject b;
  b.SetImage(MonoImage(40, 2));
  b.SetName("bmp2");
  b.m_nLayer = 5;
  CBmpEditObject target(&a);
  CBmpEditObject source(&b);
  target.Assign(&source);
  EXPECT_STREQ(target.GetName(), "bmp2");
  EXPECT_EQ(target.m_nLayer, 5);
  EXPECT_EQ(target.m_Image, source.m_Image);
  EXPECT_NE(target.m_Image.data(), source.m_Image.data());
  EXPECT_EQ(target.m_nStride, 8);
}

// Mutated images through the entry points that take images from outside: nothing may crash or
// read outside the buffer (run under AddressSanitizer), and whatever is taken is canonical.
TEST(BmpObjectFuzz, MutatedImagesAreTakenOnlyWhenUsable) {
  std::mt19937 rng(12345);
  const std::vector<BYTE> base = MonoImage(37, 9);
  int taken = 0;
  for (int i = 0; i < 3000; ++i) {
    std::vector<BYTE> image = base;
    switch (rng() % 5) {
      case 0: image.resize(rng() % image.size()); break;
      case 1: MonoBmpFile::WriteU32(image.data(), MonoBmpFile::kOffBitsOffset, rng()); break;
      case 2: MonoBmpFile::WriteU32(image.data(), MonoBmpFile::kOffWidth, rng()); break;
      case 3: MonoBmpFile::WriteU32(image.data(), MonoBmpFile::kOffHeight, static_cast<std::uint32_t>(-static_cast<int>(rng() % 20))); break;
      default: image[rng() % 62] = static_cast<BYTE>(rng()); break;
    }
    CBmpObject o;
    if (i % 2) {
      o.SetImage(image);
    } else {
      o.m_Image = image;
      o.UpdateImagePointers();
    }
    if (o.m_bLoaded) {
      ++taken;
      ASSERT_TRUE(IsCanonicalMonoBmp(o.GetImage(), o.GetImageLength()));
      CBmpEditObject edit(&o);
      ASSERT_LE(static_cast<DWORD>(edit.m_nFileSize), o.GetImageLength());
      volatile BYTE last = o.m_pBits[edit.m_nImageSize - 1];
      (void)last;
    } else {
      ASSERT_EQ(o.m_pBits, nullptr);
    }
  }
  EXPECT_GT(taken, 0);
}

}  // namespace
