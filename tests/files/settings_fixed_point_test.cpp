// The settings file settles after one write whatever it held, and a settings file the operator
// made read-only stays as it is.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

#include "files/settings.h"
#include "platform/archive.h"
#include "temp_dir.h"

namespace {

std::string WriteRead(const CKorvaneSettings& s, const std::string& path) {
  EXPECT_TRUE(WriteSettings(s, path));
  return TempDir::Read(path);
}

TEST(SettingsFixedPoint, QuotesAroundAValueSurviveReadingAndWriting) {
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
    CKorvaneSettings s;
    ReadSettings(s, path);
    const std::string first = WriteRead(s, path);
    CKorvaneSettings back;
    ReadSettings(back, path);
    EXPECT_EQ(WriteRead(back, path), first);
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

TEST(SettingsFixedPoint, AReadOnlySettingsFileIsLeftAlone) {
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
