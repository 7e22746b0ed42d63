// Text values with line-break bytes: written once, the settings file reads and writes back to
// the same bytes, whether the break came from the program or from the file itself.
#include <gtest/gtest.h>

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

TEST(SettingsValueBreaks, AValueWithALoneCrIsStableAfterOneWrite) {
  TempDir dir;
  const std::string path = dir.File("settings.dat");
  const std::string long1200(1200, 'x');
  // Found by fuzzing: a long value whose cut to the reader's buffer ends on a blank.
  const std::string cutOnBlank = std::string(998, 'y') + " z";
  // And one whose CR comes right before a NUL byte, which ends what the file takes.
  const std::string beforeNul = std::string("a\r\0\0b", 5);
  const std::string values[] = {"\rabc", "abc\r", "a\rb", "\r", "\r\r x \r", "a\nb\r", long1200, cutOnBlank, beforeNul};
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
  CKorvaneSettings s;
  ReadSettings(s, path);
  const std::string first = WriteRead(s, path);
  CKorvaneSettings back;
  ReadSettings(back, path);
  EXPECT_EQ(back.System.FontName, "Arial");
  EXPECT_EQ(back.System.PlacesFolder[0], "a b");
  EXPECT_EQ(WriteRead(back, path), first);
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
