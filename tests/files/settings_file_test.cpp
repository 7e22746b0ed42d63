#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <limits>

#include "files/settings.h"
#include "platform/archive.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "settings_test_util.h"
#include "temp_dir.h"

namespace {

CString J(const char* utf8) { return CString::FromUtf8(utf8); }

// A value of every key different from its default.
CKorvaneSettings EveryKeyChanged() {
  CKorvaneSettings s;
  CSettingsSystem& y = s.System;
  y.Reset = 1;
  y.FontName = J("ＭＳ ゴシック");
  y.FontSize = 31;
  y.MoveStep = 14;
  y.ZoomStep = 25;
  y.GridShow = 0;
  y.V2004String = 1;
  y.DrawX = 10000;
  y.DrawY = -8000;
  y.ModeSpan = 1.001;
  y.FixField = 1;
  y.FieldMachine = 2;
  y.FieldOriginX = 1234;
  y.FieldOriginY = 5678;
  y.Placesbar = 0;
  y.PlacesbarHistory = 0;
  for (int i = 0; i < 5; ++i) y.PlacesFolder[i] = J("/home/操作員/図面") + CString(static_cast<char>('0' + i));

  CSettingsDrawingData& d = s.DrawingData;
  d.Area = 250.5;
  d.GridSize = 0.5;
  d.ScaleX = 1.001;
  d.ScaleY = 0.999;
  d.ChangeXY = 1;
  d.ChangeX = 1;
  d.ChangeY = 1;
  d.HOME = 0;
  d.HomeX = -12.345;
  d.HomeY = 67.891;
  d.ScanAngle = -90;
  d.LayerIndex = 7;
  for (int i = 0; i < 8; ++i) d.Layer[i] = {2 + i, 200 + i, 20 + i, 1};

  CSettingsDrawingArea& a = s.DrawingArea;
  a.OffsetX = -3.5;
  a.OffsetY = 4.25;
  a.Width = 41.001;
  a.Height = 39.999;
  a.DPM = 20;
  a.Span = 0.05;
  a.OutlineIndex = 5;
  a.ScanStyleIndex = 1;
  a.ScanDirectionIndex = 2;
  a.OutStyleIndex = 1;
  a.FileIndex = 3;
  a.FrameSize = 1.5;
  a.RoundSize = 2.5;

  CSettingsDrawingField& f = s.DrawingField;
  f.FieldX = 180.0;
  f.FieldY = 240.0;
  f.OffsetX = 1.0;
  f.OffsetY = -1.0;
  f.PlotIndex = 8;

  CSettingsInkan& k = s.Inkan;
  k.Shape = 2;
  k.Width = 15.0;
  k.Height = 16.5;
  k.Round = 1.5;
  k.Frame = 0.6;
  k.Dir = 6;
  k.Font = J("ＭＳ 明朝");
  for (int i = 0; i < 10; ++i) k.FontHist[i] = CString::FromUtf8("書体") + CString(static_cast<char>('a' + i));

  CSettingsInkan2& c = s.Inkan2;
  c.Width = 21.0;
  c.Height = 22.0;
  c.Uchiwaku = 0;
  c.Tenmaru = 0;
  c.KaibunSize = 25.0;
  c.SotoSize = 0.3;
  c.UchiSize = 0.25;
  c.UchiImage = 1;
  c.SameFont = 1;
  c.Dir = 0;
  for (int i = 0; i < 10; ++i) {
    c.SotoFont[i] = CString("Soto") + CString(static_cast<char>('0' + i));
    c.UchiFont[i] = CString("Uchi") + CString(static_cast<char>('0' + i));
  }
  c.UchiText = {J("代表取締役之印"), J("表示")};
  c.UchiImageFile = {J("/tmp/印影.bmp"), CString("/tmp/b.bmp"), CString("/tmp/c.bmp")};

  s.Mask.Use = 1;
  s.Mask.Color = 0x123456;
  s.Mask.Order = 1;

  CSettingsObjectProperty& o = s.ObjectProperty;
  for (int kind = 0; kind < 10; ++kind) o.Object[kind] = {kind % 3 == 0 ? 1 : 2, 1, 50 + kind};
  o.Text1.Italic = 1;
  o.Text1.FontSize = 40;
  o.Text1.CharSet = 0;
  o.Text1.Weight = 700;
  o.Text1.SetFontName("Arial");
  o.Text2.Italic = 1;
  o.Text2.FontSize = 41;
  o.Text2.CharSet = 1;
  o.Text2.Weight = 100;
  o.Text2.SetFontName(J("ＭＳ Ｐゴシック"));
  return s;
}

// What a write of the values gives: two sets of values compared through every key they write.
std::string Written(const CKorvaneSettings& s) {
  std::string path = SettingsFilePath() + ".cmp";
  fileio::Remove(path);
  EXPECT_TRUE(WriteSettings(s, path));
  std::string text = TempDir::Read(path);
  fileio::Remove(path);
  return text;
}

std::string WriteFile(const TempDir& dir, const std::string& utf8Lines) {
  std::string bytes = CString::FromUtf8(utf8Lines).str();
  return dir.Write("korvane.dat", bytes);
}

TEST(SettingsFile, DefaultsAreWrittenExactlyAsTheGoldenFile) {
  TempDir dir;
  CKorvaneSettings s;
  ASSERT_TRUE(WriteSettings(s));
  EXPECT_EQ(SettingsFilePath(), dir.File("korvane.dat"));
  std::string golden = TempDir::Read(GoldenPath("defaults.dat"));
  ASSERT_FALSE(golden.empty()) << "golden file missing";
  EXPECT_EQ(TempDir::Read(SettingsFilePath()), golden);

  // Reading the golden file gives the defaults back, and writing them again changes nothing.
  CKorvaneSettings back = EveryKeyChanged();
  ReadSettings(back, GoldenPath("defaults.dat"));
  back.System.Reset = 0;  // the reset request is the program's, never read back
  EXPECT_EQ(Written(back), golden);
}

TEST(SettingsFile, EveryKeyRoundTrips) {
  TempDir dir;
  CKorvaneSettings s = EveryKeyChanged();
  ASSERT_TRUE(WriteSettings(s));

  // Every key of the defaults file now holds another value.
  CProfileFile golden, written;
  ASSERT_TRUE(golden.Load(GoldenPath("defaults.dat")));
  ASSERT_TRUE(written.Load(SettingsFilePath()));
  int keys = 0;
  for (const auto& [section, key] : GoldenKeys()) {
    ASSERT_TRUE(written.HasKey(section.c_str(), key.c_str())) << section << " " << key;
    EXPECT_NE(written.GetString(section.c_str(), key.c_str(), ""),
              golden.GetString(section.c_str(), key.c_str(), ""))
        << section << " " << key;
    ++keys;
  }
  EXPECT_EQ(keys, 175);

  CKorvaneSettings back;
  ReadSettings(back);
  // Written, but not taken back at start.
  EXPECT_EQ(written.GetString("MASK", "Use", ""), "1");
  EXPECT_EQ(back.Mask.Use, 0);
  EXPECT_EQ(written.GetString("DRAWING_AREA", "FrameSize", ""), "1500");
  EXPECT_EQ(written.GetString("DRAWING_AREA", "RoundSize", ""), "2500");
  EXPECT_EQ(back.DrawingArea.FrameSize, 0.0);
  EXPECT_EQ(back.DrawingArea.RoundSize, 0.0);
  EXPECT_EQ(written.GetString("INKAN2", "UchiText_1", ""), J("表示"));
  EXPECT_EQ(written.GetString("INKAN2", "UchiImageFile_2", ""), "/tmp/c.bmp");

  // Apart from those, every value read back is the one written.
  back.System.Reset = 1;
  back.Mask.Use = 1;
  back.DrawingArea.FrameSize = 1.5;
  back.DrawingArea.RoundSize = 2.5;
  EXPECT_EQ(Written(back), TempDir::Read(SettingsFilePath()));
  EXPECT_EQ(back.Inkan2.UchiText, s.Inkan2.UchiText);
  EXPECT_STREQ(back.ObjectProperty.Text2.FontName, s.ObjectProperty.Text2.FontName);
}

TEST(SettingsFile, MissingKeysTakeTheirDefaults) {
  TempDir dir;
  WriteFile(dir, "[DRAWING_DATA]\r\nScaleX=1500\r\n");
  CKorvaneSettings s = EveryKeyChanged();
  ReadSettings(s);
  EXPECT_DOUBLE_EQ(s.DrawingData.ScaleX, 1.5);
  CKorvaneSettings expected;
  expected.DrawingData.ScaleX = 1.5;
  s.System.Reset = 0;
  EXPECT_EQ(Written(s), Written(expected));
  EXPECT_DOUBLE_EQ(s.DrawingData.ScaleY, 1.0);
  EXPECT_DOUBLE_EQ(s.DrawingData.Area, 100.0);
  EXPECT_DOUBLE_EQ(s.DrawingArea.Width, 40.0);
  EXPECT_DOUBLE_EQ(s.DrawingArea.Height, 40.0);
  EXPECT_DOUBLE_EQ(s.DrawingArea.Span, 0.025);
  EXPECT_STREQ(s.ObjectProperty.Text1.FontName, J("ＭＳ 明朝").c_str());

  // Without a file nothing is read: the values stay as they were.
  TempDir empty;
  CKorvaneSettings kept = EveryKeyChanged();
  ReadSettings(kept);
  EXPECT_EQ(Written(kept), Written(EveryKeyChanged()));
  EXPECT_EQ(kept.Mask.Use, 1);
}

TEST(SettingsFile, FlagsAndNumbersConvertAsThePlatformReadsThem) {
  TempDir dir;
  WriteFile(dir,
            "[SYSTEM]\r\nGridShow=7\r\nPlacesbar=7\r\nPlacesbarHistory=1\r\nV2004String=-1\r\n"
            "FontSize=  42pt\r\nDrawX=abc\r\nFixField=0x1\r\n"
            "[DRAWING_DATA]\r\nHOME=0\r\nScaleY=1.5\r\nHomeX=-2500\r\n"
            "[DRAWING_AREA]\r\nFrameSize=5000\r\nRoundSize=7000\r\n"
            "[MASK]\r\nUse=1\r\nOrder=3\r\n");
  CKorvaneSettings s;
  ReadSettings(s);
  EXPECT_EQ(s.System.GridShow, 1);
  EXPECT_EQ(s.System.Placesbar, 0);
  EXPECT_EQ(s.System.PlacesbarHistory, 1);
  EXPECT_EQ(s.System.V2004String, 1);
  EXPECT_EQ(s.System.FontSize, 42);
  EXPECT_EQ(s.System.DrawX, 0);
  EXPECT_EQ(s.System.FixField, 0);
  EXPECT_EQ(s.DrawingData.HOME, 0);
  EXPECT_DOUBLE_EQ(s.DrawingData.ScaleY, 0.001);
  EXPECT_DOUBLE_EQ(s.DrawingData.HomeX, -2.5);
  EXPECT_EQ(s.DrawingArea.FrameSize, 0.0);
  EXPECT_EQ(s.DrawingArea.RoundSize, 0.0);
  EXPECT_EQ(s.Mask.Use, 0);
  EXPECT_EQ(s.Mask.Order, 1);

  // The home flag is read under any spelling but written as "Home".
  ASSERT_TRUE(WriteSettings(s));
  std::string text = TempDir::Read(SettingsFilePath());
  EXPECT_NE(text.find("\r\nHome=0\r\n"), std::string::npos);
  EXPECT_EQ(text.find("HOME="), std::string::npos);
  EXPECT_NE(text.find("[SYSTEM]\r\nGridShow=1\r\nPlacesbar=0\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nReset=0\r\n"), std::string::npos);
}

TEST(SettingsFile, LengthsSurviveTheTripThroughThousandths) {
  EXPECT_EQ(ToThousandths(1.001), 1001);
  EXPECT_EQ(ToThousandths(-1.001), -1001);
  EXPECT_EQ(ToThousandths(0.0499), 49);
  EXPECT_EQ(ToThousandths(-0.0499), -49);
  EXPECT_EQ(ToThousandths(0.0), 0);
  EXPECT_EQ(ToThousandths(std::nan("")), 0);
  EXPECT_EQ(ToThousandths(1e12), std::numeric_limits<int>::max());
  EXPECT_EQ(ToThousandths(-1e12), std::numeric_limits<int>::min());
  for (int n = -200000; n <= 200000; ++n) ASSERT_EQ(ToThousandths(n / 1000.0), n) << n;
  for (int n : {2147483647, -2147483647, 999999999, 123456789, -987654321})
    EXPECT_EQ(ToThousandths(n / 1000.0), n) << n;

  TempDir dir;
  CKorvaneSettings s;
  s.System.ModeSpan = 0.0499;
  s.DrawingData.HomeX = 1.001;
  ASSERT_TRUE(WriteSettings(s));
  CProfileFile f;
  ASSERT_TRUE(f.Load(SettingsFilePath()));
  EXPECT_EQ(f.GetString("SYSTEM", "ModeSpan", ""), "49");
  EXPECT_EQ(f.GetString("DRAWING_DATA", "HomeX", ""), "1001");
}

TEST(SettingsFile, CountsAndIndicesAreBoundedOnReading) {
  TempDir dir;
  WriteFile(dir,
            "[SYSTEM]\r\nMoveStep=99\r\nZoomStep=-4\r\n"
            "[DRAWING_DATA]\r\nLayerIndex=8\r\n"
            "[DRAWING_AREA]\r\nDPM=0\r\nSpan=-25\r\n"
            "[INKAN2]\r\nUchiTextCount=2147483647\r\nUchiText_0=a\r\nUchiImageFileCount=-3\r\n");
  CKorvaneSettings s;
  ReadSettings(s);
  EXPECT_EQ(s.System.MoveStep, 14);
  EXPECT_EQ(s.System.ZoomStep, 0);
  EXPECT_EQ(s.DrawingData.LayerIndex, 7);
  EXPECT_EQ(s.DrawingArea.DPM, 1);
  EXPECT_EQ(s.DrawingArea.Span, 0.0);
  ASSERT_EQ(s.Inkan2.UchiText.size(), 1000u);
  EXPECT_EQ(s.Inkan2.UchiText[0], "a");
  EXPECT_EQ(s.Inkan2.UchiText[999], "");
  EXPECT_TRUE(s.Inkan2.UchiImageFile.empty());

  WriteFile(dir, "[SYSTEM]\r\nMoveStep=-1\r\nZoomStep=26\r\n[DRAWING_DATA]\r\nLayerIndex=-2\r\n"
                 "[DRAWING_AREA]\r\nDPM=-40\r\n");
  ReadSettings(s);
  EXPECT_EQ(s.System.MoveStep, 0);
  EXPECT_EQ(s.System.ZoomStep, 25);
  EXPECT_EQ(s.DrawingData.LayerIndex, 0);
  EXPECT_EQ(s.DrawingArea.DPM, 1);
  EXPECT_TRUE(s.Inkan2.UchiText.empty());
}

TEST(SettingsFile, OtherKeysAndLongerListsSurviveAWrite) {
  TempDir dir;
  WriteFile(dir,
            "; kept by the installer\r\n"
            "[System]\r\nInstallDir=C:\\korvane\r\nfontsize=40\r\n\r\n"
            "[INKAN2]\r\nUchiTextCount=3\r\nUchiText_0=a\r\nUchiText_1=b\r\nUchiText_2=c\r\n\r\n"
            "[OTHER]\r\nx=1\r\n");
  CKorvaneSettings s;
  ReadSettings(s);
  ASSERT_EQ(s.Inkan2.UchiText.size(), 3u);
  s.Inkan2.UchiText.resize(1);
  ASSERT_TRUE(WriteSettings(s));
  CProfileFile f;
  ASSERT_TRUE(f.Load(SettingsFilePath()));
  std::string text = f.Text();
  EXPECT_EQ(text.rfind("; kept by the installer\r\n[System]\r\nInstallDir=C:\\korvane\r\nFontSize=40\r\n", 0), 0u);
  EXPECT_EQ(f.GetString("OTHER", "x", ""), "1");
  EXPECT_EQ(f.GetString("INKAN2", "UchiTextCount", ""), "1");
  EXPECT_EQ(f.GetString("INKAN2", "UchiText_2", ""), "c");
  EXPECT_EQ(f.GetString("SYSTEM", "FontName", ""), "Arial");
}

TEST(SettingsFile, Cp932TextIsKeptByteForByte) {
  TempDir dir;
  // 表 and ソ end in 0x5C, the byte of a backslash.
  WriteFile(dir,
            "[SYSTEM]\r\nFontName=ＭＳ ゴシック\r\n"
            "[INKAN]\r\nFont=ＭＳ 明朝\r\nFontHist_3=表ソ\r\n"
            "[OBJECT_PROPERTY]\r\nText1 FontName=ＭＳ 明朝\r\nText2 FontName=ＭＳ Ｐゴシック\r\n");
  CKorvaneSettings s;
  ReadSettings(s);
  EXPECT_EQ(s.System.FontName, J("ＭＳ ゴシック"));
  EXPECT_EQ(s.Inkan.Font, J("ＭＳ 明朝"));
  EXPECT_EQ(s.Inkan.FontHist[3], J("表ソ"));
  EXPECT_EQ(s.Inkan.FontHist[2], "");
  EXPECT_EQ(s.ObjectProperty.Text1.GetFontName(), J("ＭＳ 明朝"));
  EXPECT_EQ(s.ObjectProperty.Text2.GetFontName(), J("ＭＳ Ｐゴシック"));
  ASSERT_TRUE(WriteSettings(s));
  std::string text = TempDir::Read(SettingsFilePath());
  EXPECT_NE(text.find(J("\r\nFontHist_3=表ソ\r\n").str()), std::string::npos);
  EXPECT_NE(text.find(J("\r\nText2 FontName=ＭＳ Ｐゴシック\r\n").str()), std::string::npos);
}

TEST(SettingsFile, LongValuesAreCutWithoutSplittingACharacter) {
  TempDir dir;
  std::string mei = J("明").str();
  std::string wide;
  for (int i = 0; i < 750; ++i) wide += mei;  // 1500 bytes
  std::string narrow = "a" + wide;             // 1501 bytes
  dir.Write("korvane.dat", "[SYSTEM]\r\nPlacesFolder0=" + wide + "\r\nPlacesFolder1=" + narrow +
                               "\r\n[OBJECT_PROPERTY]\r\nText1 FontName=" + wide + "\r\n");
  CKorvaneSettings s;
  ReadSettings(s);
  EXPECT_EQ(s.System.PlacesFolder[0].str(), wide.substr(0, 998));
  EXPECT_EQ(s.System.PlacesFolder[1].str(), narrow.substr(0, 999));
  EXPECT_EQ(std::string(s.ObjectProperty.Text1.FontName), wide.substr(0, 98));

  CSettingsTextFont t;
  t.SetFontName(CString(std::string(120, 'x')));
  EXPECT_EQ(std::string(t.FontName), std::string(99, 'x'));
  t.SetFontName("Arial");
  EXPECT_STREQ(t.FontName, "Arial");
}

TEST(SettingsFile, LineBreaksInValuesCannotBreakTheFile) {
  TempDir dir;
  CKorvaneSettings s;
  s.System.FontName = "Ari\r\nal";
  s.Inkan2.UchiText = {CString("one\ntwo=2\n[MASK]")};
  ASSERT_TRUE(WriteSettings(s));
  CKorvaneSettings back;
  ReadSettings(back);
  EXPECT_EQ(back.System.FontName, "Ari  al");
  ASSERT_EQ(back.Inkan2.UchiText.size(), 1u);
  EXPECT_EQ(back.Inkan2.UchiText[0], "one two=2 [MASK]");
  CProfileFile f;
  ASSERT_TRUE(f.Load(SettingsFilePath()));
  EXPECT_EQ(f.GetString("MASK", "Color", "x"), "0");
}

TEST(SettingsFile, AWriteReplacesTheFileWholeOrNotAtAll) {
  TempDir dir;
  CKorvaneSettings s;
  ASSERT_TRUE(WriteSettings(s));
  // A second name for the old file: rewriting in place would change what it shows.
  std::string old = TempDir::Read(SettingsFilePath());
  std::string link = dir.File("old.dat");
  ASSERT_EQ(::link(SettingsFilePath().c_str(), link.c_str()), 0);
  s.System.FontSize = 99;
  ASSERT_TRUE(WriteSettings(s));
  EXPECT_EQ(TempDir::Read(link), old);
  EXPECT_NE(TempDir::Read(SettingsFilePath()).find("FontSize=99\r\n"), std::string::npos);
  for (const auto& name : {"korvane.dat", "old.dat"}) EXPECT_TRUE(fileio::Exists(dir.File(name)));

  // No folder to write into: reported, nothing left behind.
  paths::SetCompanionBase(dir.File("missing/korvane"));
  EXPECT_FALSE(WriteSettings(s));
  EXPECT_FALSE(fileio::Exists(dir.File("missing")));
}

}  // namespace
