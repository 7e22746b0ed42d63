// Text values with line-break bytes or quotes: written once, the settings file reads and writes
// back to the same bytes, whether the value came from the program or from the file itself; and a
// settings file the operator made read-only stays as it is.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

#include "files/settings.h"
#include "platform/archive.h"
#include "temp_dir.h"

namespace {

std::string WriteRead(const CKorvaneSettings& s, const std::string& path) {
  EXPECT_TRUE(WriteSettings(s, path));
  std::vector<std::uint8_t> bytes;
  EXPECT_TRUE(fileio::ReadAll(path, bytes));
  return std::string(bytes.begin(), bytes.end());
}

// Reads the file, writes it, and reads and writes it again: the second write gives the bytes of
// the first. The settings as read the second time.
CKorvaneSettings ExpectSettlesAfterOneWrite(const std::string& path) {
  CKorvaneSettings s;
  ReadSettings(s, path);
  const std::string first = WriteRead(s, path);
  CKorvaneSettings back;
  ReadSettings(back, path);
  EXPECT_EQ(WriteRead(back, path), first);
  return back;
}

TEST(SettingsValueBreaks, AValueWithALoneCrIsStableAfterOneWrite) {
  TempDir dir;
  const std::string path = dir.File("settings.dat");
  const std::string long1200(1200, 'x');
  // Found by fuzzing: a long value whose cut to the reader's buffer ends on a blank.
  const std::string cutOnBlank = std::string(998, 'y') + " z";
  // And one whose CR comes right before a NUL byte, which ends what the file takes.
  const std::string beforeNul = std::string("a\r\0\0b", 5);
  // And a lead byte before a tab: the reader drops the tab byte, which is no trail byte.
  const std::string leadThenTab = "\x94\t";
  const std::string values[] = {"\rabc",    "abc\r",     "a\rb",     "\r",        "\r\r x \r",
                                "a\nb\r",   long1200,   cutOnBlank, beforeNul, leadThenTab};
  for (const std::string& v : values) {
    SCOPED_TRACE(testing::PrintToString(v));
    CKorvaneSettings s;
    s.System.FontName = CString(v);
    s.System.PlacesFolder[2] = CString(v);
    const std::string first = WriteRead(s, path);
    CKorvaneSettings back;
    ReadSettings(back, path);
    EXPECT_EQ(WriteRead(back, path), first);
  }

  // The same bytes in the file itself (a lone CR does not end a line of the file).
  const std::string forged = "[SYSTEM]\r\nFontName=\rArial\r\nPlacesFolder0= a\rb\r\r\n";
  ASSERT_TRUE(fileio::WriteAtomically(path, forged.data(), forged.size()));
  const CKorvaneSettings back = ExpectSettlesAfterOneWrite(path);
  EXPECT_EQ(back.System.FontName, "Arial");
  EXPECT_EQ(back.System.PlacesFolder[0], "a b");
}

TEST(SettingsValueBreaks, QuotesAroundAValueSurviveReadingAndWriting) {
  TempDir dir;
  const std::string path = dir.File("settings.dat");
  // Found by fuzzing: a lone CR, then quotes and NUL bytes. The CR became a blank, the blank
  // was trimmed, and the two quotes left were read back as an empty value.
  static const char kFound[] = "[SYSTEM]\r\nPlacesFolder2=\r\"\"\0\0\"\0\r\n";
  const std::string found(kFound, sizeof kFound - 1);
  const std::string files[] = {found, "[SYSTEM]\r\nFontName='x'\r\n", "[SYSTEM]\r\nFontName=\"\"\"\"\r\n",
                               "[SYSTEM]\r\nFontName=\"a\r\n", "[SYSTEM]\r\nFontName= \" \" \r\n"};
  for (const std::string& text : files) {
    SCOPED_TRACE(testing::PrintToString(text));
    ASSERT_TRUE(fileio::WriteAtomically(path, text.data(), text.size()));
    ExpectSettlesAfterOneWrite(path);
  }

  // A value the program holds with quotes around it reads back with them.
  for (const char* value : {"\"quoted\"", "''", "\"", "'a\""}) {
    CKorvaneSettings s;
    s.System.PlacesFolder[0] = value;
    WriteRead(s, path);
    CKorvaneSettings back;
    ReadSettings(back, path);
    EXPECT_EQ(back.System.PlacesFolder[0], value);
  }
}

TEST(SettingsValueBreaks, AReadOnlySettingsFileIsLeftAlone) {
  TempDir dir;
  const std::string path = dir.File("korvane.dat");
  const std::string mine = "[SYSTEM]\r\nFontSize=40\r\n";
  ASSERT_TRUE(fileio::WriteAtomically(path, mine.data(), mine.size()));
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  CKorvaneSettings s;
  EXPECT_FALSE(WriteSettings(s, path));
  EXPECT_EQ(TempDir::Read(path), mine);
  struct stat st{};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0444u);
}

}  // namespace

namespace {

// Every raster is sized by the resolution: a settings file cannot make it larger than the page
// accepts.
TEST(SettingsValueBreaks, TheResolutionIsKeptToWhatThePageAccepts) {
  TempDir dir;
  const std::string path = dir.File("settings.dat");
  const std::string text = "[DRAWING_AREA]\r\nDPM=2147483647\r\n";
  ASSERT_TRUE(fileio::WriteAtomically(path, text.data(), text.size()));
  CKorvaneSettings s;
  ReadSettings(s, path);
  EXPECT_EQ(s.DrawingArea.DPM, 100);
}

}  // namespace
