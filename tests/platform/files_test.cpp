#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/archive.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "platform/prompter.h"
#include "scripted_prompter.h"
#include "temp_dir.h"

namespace {

std::vector<std::uint8_t> Prefix(int length) {
  CArchive ar;
  ar << CString(std::string(length, 'x'));
  const auto& b = ar.Buffer();
  return std::vector<std::uint8_t>(b.begin(), b.end() - length);
}

TEST(Archive, StringLengthPrefixes) {
  EXPECT_EQ(Prefix(0), (std::vector<std::uint8_t>{0x00}));
  EXPECT_EQ(Prefix(254), (std::vector<std::uint8_t>{0xFE}));
  EXPECT_EQ(Prefix(255), (std::vector<std::uint8_t>{0xFF, 0xFF, 0x00}));
  EXPECT_EQ(Prefix(0xFFFD), (std::vector<std::uint8_t>{0xFF, 0xFD, 0xFF}));
  EXPECT_EQ(Prefix(0xFFFE), (std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}));
  for (int len : {0, 254, 255, 0xFFFE, 70000}) {
    CArchive out;
    out << CString(std::string(len, 'q')) << std::int32_t(7);
    CArchive in(out.Buffer());
    CString s;
    in >> s;
    EXPECT_EQ(s.GetLength(), len);
    EXPECT_EQ(in.ReadInt(), 7);
    EXPECT_EQ(in.BytesLeft(), 0u);
  }
}

TEST(Archive, NumbersAreLittleEndian) {
  CArchive ar;
  ar << std::int32_t(-2) << 10.0;
  EXPECT_EQ(ar.Buffer(), (std::vector<std::uint8_t>{0xFE, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0x24, 0x40}));
  CArchive in(ar.Buffer());
  EXPECT_EQ(in.ReadInt(), -2);
  EXPECT_DOUBLE_EQ(in.ReadDouble(), 10.0);
}

TEST(Archive, TruncationAndHugeCountsAreRefused) {
  CArchive ar;
  ar << std::int32_t(1) << 2.0;
  std::vector<std::uint8_t> cut(ar.Buffer().begin(), ar.Buffer().end() - 1);
  CArchive in(cut);
  EXPECT_EQ(in.ReadInt(), 1);
  EXPECT_THROW(in.ReadDouble(), CArchiveException);

  // A string claiming 0xFFFFFFFF bytes, with 3 left.
  std::vector<std::uint8_t> bad{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'a', 'b', 'c'};
  CArchive in2(bad);
  CString s;
  EXPECT_THROW(in2 >> s, CArchiveException);

  CArchive in3(std::vector<std::uint8_t>(16, 0));
  EXPECT_EQ(in3.CheckCount(2, 8), 2u);
  EXPECT_THROW(in3.CheckCount(3, 8), CArchiveException);
  EXPECT_THROW(in3.CheckCount(-1, 8), CArchiveException);
  EXPECT_THROW(in3.CheckCount(0x7FFFFFFFFFFFFFFFLL, 8), CArchiveException);
}

TEST(Files, AtomicWriteReplacesOrKeepsTheOldFile) {
  TempDir dir;
  std::string p = dir.Write("a.bin", "old");
  ASSERT_TRUE(fileio::WriteAtomically(p, "new!", 4));
  EXPECT_EQ(TempDir::Read(p), "new!");
  // A folder that does not exist: the write fails and reports it.
  EXPECT_FALSE(fileio::WriteAtomically(dir.File("missing/x.bin"), "x", 1));
  // A read-only folder: nothing is written and the old file stays (root ignores modes, so only
  // check when the folder really refuses).
  std::string ro = dir.File("ro");
  ::mkdir(ro.c_str(), 0500);
  std::string q = ro + "/f";
  if (::access(ro.c_str(), W_OK) != 0) {
    EXPECT_FALSE(fileio::WriteAtomically(q, "x", 1));
  }
}

TEST(Profile, KeysAndSectionsIgnoreCaseAndValuesAreTrimmed) {
  CProfileFile f;
  f.Parse("; comment\r\n[System]\r\nScaleX = 1500 \r\nName=\" ＭＳ \"\r\n\r\n[Other]\r\nk=v\r\n");
  EXPECT_EQ(f.GetInt("SYSTEM", "scalex", 0), 1500);
  EXPECT_EQ(f.GetString("system", "NAME", ""), " ＭＳ ");
  EXPECT_EQ(f.GetString("system", "missing", "dflt  "), "dflt");
  EXPECT_EQ(f.GetInt("system", "missing", -3), -3);
  EXPECT_TRUE(f.HasSection("OTHER"));
}

TEST(Profile, IntReadsTheLeadingNumber) {
  CProfileFile f;
  f.Parse("[s]\na=12abc\nb=-7\nc=abc\nd=\n");
  EXPECT_EQ(f.GetInt("s", "a", 9), 12);
  EXPECT_EQ(f.GetInt("s", "b", 9), -7);
  EXPECT_EQ(f.GetInt("s", "c", 9), 0);
  EXPECT_EQ(f.GetInt("s", "d", 9), 0);
}

TEST(Profile, UpdateInPlaceAppendKeyAppendSection) {
  TempDir dir;
  std::string p = dir.Write("k.dat", "[SYSTEM]\r\nA=1\r\nB=2\r\n\r\n[MASK]\r\nM=0\r\n");
  ASSERT_TRUE(WritePrivateProfileString("system", "a", "10", p));
  ASSERT_TRUE(WritePrivateProfileString("SYSTEM", "C", "3", p));
  ASSERT_TRUE(WritePrivateProfileString("INKAN", "Face", "\x82\x6C\x82\x72", p));
  EXPECT_EQ(TempDir::Read(p),
            "[SYSTEM]\r\na=10\r\nB=2\r\nC=3\r\n\r\n[MASK]\r\nM=0\r\n[INKAN]\r\nFace=\x82\x6C\x82\x72\r\n");
  CString v;
  GetPrivateProfileString("inkan", "face", "", v, p);
  EXPECT_EQ(v, "\x82\x6C\x82\x72");
  EXPECT_EQ(GetPrivateProfileInt("System", "B", 0, p), 2);
  ASSERT_TRUE(WritePrivateProfileString("SYSTEM", "B", nullptr, p));
  EXPECT_EQ(GetPrivateProfileInt("System", "B", -1, p), -1);
  ASSERT_TRUE(WritePrivateProfileString("MASK", nullptr, nullptr, p));
  CProfileFile f;
  f.Load(p);
  EXPECT_FALSE(f.HasSection("MASK"));
  // A missing file reads as empty and is created by the first write.
  EXPECT_EQ(GetPrivateProfileInt("x", "y", 5, dir.File("none.dat")), 5);
  ASSERT_TRUE(WritePrivateProfileString("x", "y", "6", dir.File("none.dat")));
  EXPECT_EQ(TempDir::Read(dir.File("none.dat")), "[x]\r\ny=6\r\n");
}

TEST(Paths, CompanionFilesFollowTheBase) {
  {
    TempDir dir;
    EXPECT_EQ(paths::CompanionFile(".dat"), dir.Path() + "/korvane.dat");
  }
  std::string base = paths::CompanionBase();
  EXPECT_FALSE(base.empty());
  EXPECT_EQ(paths::CompanionFile(".inf"), base + ".inf");
  EXPECT_NE(paths::ExecutablePath().find("test_platform"), std::string::npos);
}

TEST(Prompter, ScriptedAnswersInOrder) {
  ScriptedPrompter script;
  script.ExpectMessage(IDYES, "save").ExpectFile("a.mrk").ExpectFile("");
  EXPECT_EQ(AfxMessageBox("save?", MB_YESNOCANCEL | MB_ICONQUESTION), IDYES);
  std::vector<CString> paths;
  FileDialogRequest req;
  EXPECT_TRUE(Prompter().FileDialog(req, paths));
  ASSERT_EQ(paths.size(), 1u);
  EXPECT_EQ(paths[0], "a.mrk");
  EXPECT_FALSE(Prompter().FileDialog(req, paths));
  ASSERT_EQ(script.Log().size(), 3u);
  EXPECT_EQ(script.Log()[0].flags, MB_YESNOCANCEL | MB_ICONQUESTION);
}

TEST(Prompter, WithoutOneInstalledNothingIsConfirmed) {
  EXPECT_EQ(AfxMessageBox("x", MB_OKCANCEL), IDCANCEL);
  EXPECT_EQ(AfxMessageBox("x", MB_YESNO), IDNO);
  EXPECT_EQ(AfxMessageBox("x", MB_OK), IDOK);
}

}  // namespace

namespace {

TEST(Files, ReadAllRefusesAFifoWithoutBlocking) {
  TempDir dir;
  std::string fifo = dir.File("pipe");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::vector<std::uint8_t> bytes{1};
  EXPECT_FALSE(fileio::ReadAll(fifo, bytes));
  EXPECT_TRUE(bytes.empty());
  EXPECT_FALSE(fileio::ReadAll(dir.File("missing"), bytes));
  std::string p = dir.Write("f", "abc");
  ASSERT_TRUE(fileio::ReadAll(p, bytes));
  EXPECT_EQ(bytes, (std::vector<std::uint8_t>{'a', 'b', 'c'}));
}

}  // namespace
