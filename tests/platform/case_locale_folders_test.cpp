// Case-blind names in code page 932, number formatting against the thread's own locale, and the
// user's configuration folder.
#include <QString>
#include <atomic>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <locale.h>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <thread>

#include "platform/cstring.h"
#include "platform/gdi/font_engine.h"
#include "platform/numfmt.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "temp_dir.h"
#include "outside_tool.h"

namespace {

// Double-byte characters whose trail byte is an ASCII letter: ア is 0x83 'A', ヂ is 0x83 'a'.
const char kA[] = "\x83\x41";
const char kDi[] = "\x83\x61";

TEST(CaseBlindNames, OnlyAsciiLettersFoldNeverATrailByte) {
  EXPECT_EQ(CString("Mask_Width").CompareNoCase("MASK_width"), 0);
  EXPECT_NE(CString(kA).CompareNoCase(kDi), 0);
  EXPECT_LT(CString(kA).CompareNoCase(kDi), 0);  // the bytes as they are: 0x41 < 0x61
  // After a whole double-byte character the next byte is a letter again.
  EXPECT_EQ(CString(std::string(kA) + "X").CompareNoCase((std::string(kA) + "x").c_str()), 0);
  // Letters compare as lower case: '_' (0x5F) sorts before 'a', as it always has.
  EXPECT_LT(CString("_").CompareNoCase("A"), 0);
  EXPECT_GT(CString("ab").CompareNoCase("A"), 0);

  // Face names fold their ASCII letters only; full-width letters are other characters.
  EXPECT_EQ(fontengine::MapFaceName("ms pgothic").toStdString(), "IPAPGothic");
  EXPECT_TRUE(fontengine::MapFaceName(CString::FromUtf8("ｍｓ 明朝").str()).isEmpty());
}

TEST(CaseBlindNames, ProfileKeysThatDifferInATrailByteAreTwoKeys) {
  TempDir dir;
  const std::string path = dir.File("names.dat");
  const std::string section = CString::FromUtf8("表示").str();  // 0x95 0x5C: a trail byte '\'
  ASSERT_TRUE(WritePrivateProfileString(section.c_str(), kA, "1", path));
  ASSERT_TRUE(WritePrivateProfileString(section.c_str(), kDi, "2", path));
  CString value;
  GetPrivateProfileString(section.c_str(), kA, "", value, path);
  EXPECT_EQ(value, "1");
  GetPrivateProfileString(section.c_str(), kDi, "", value, path);
  EXPECT_EQ(value, "2");

  // ASCII letters still match whatever their case, also right after a double-byte character;
  // the key found takes the name it was written with.
  ASSERT_TRUE(WritePrivateProfileString("Mask", (std::string(kA) + "x").c_str(), "3", path));
  ASSERT_TRUE(WritePrivateProfileString("MASK", (std::string(kA) + "X").c_str(), "4", path));
  EXPECT_EQ(TempDir::Read(path), "[" + section + "]\r\n" + kA + "=1\r\n" + kDi + "=2\r\n" + "[Mask]\r\n" + kA +
                                     "X=4\r\n");
}

TEST(Numbers, FormattingLeavesTheThreadsLocaleInForce) {
  locale_t de = ::newlocale(LC_ALL_MASK, "de_DE.UTF-8", static_cast<locale_t>(nullptr));
  REQUIRE_OUTSIDE_TOOL(de, "the de_DE.UTF-8 locale");
  locale_t previous = ::uselocale(de);
  EXPECT_EQ(numfmt::Format("%.3f|%g|%e", 1.5, 0.25, 1e-7), "1.500|0.25|1.000000e-07");
  EXPECT_EQ(::uselocale(static_cast<locale_t>(nullptr)), de);
  char buf[16];
  std::snprintf(buf, sizeof(buf), "%.1f", 1.5);
  EXPECT_STREQ(buf, "1,5");
  ::uselocale(previous);
  ::freelocale(de);
}

TEST(Numbers, ThreadsFormatAtOnceWithPoints) {
  std::atomic<int> wrong{0};
  auto work = [&wrong] {
    for (int i = 0; i < 2000; ++i)
      if (numfmt::Format("%.3f,%d", i + 0.5, i) != std::to_string(i) + ".500," + std::to_string(i)) ++wrong;
  };
  std::thread other(work);
  work();
  other.join();
  EXPECT_EQ(wrong.load(), 0);
}

TEST(Numbers, LongResultsComeOutWhole) {
  const std::string text(300, 'x');
  EXPECT_EQ(numfmt::Format("%s|%d", text.c_str(), 7), text + "|7");
  // Wider than any fixed buffer: every digit of 1e300 and 250 places.
  char digits[400];
  auto r = std::to_chars(digits, digits + sizeof(digits), 1e300, std::chars_format::fixed, 0);
  EXPECT_EQ(numfmt::Format("%.250f", 1e300), std::string(digits, r.ptr) + "." + std::string(250, '0'));
  // A NUL character is part of the result.
  EXPECT_EQ(numfmt::Format("a%cb", 0), std::string("a\0b", 3));
  CString s;
  s.Format("%s", text.c_str());
  s.AppendFormat("%.1f", 2.25);
  EXPECT_EQ(s, (text + "2.2").c_str());
}

// Sets an environment variable for a scope and puts the old value back.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : m_name(name) {
    if (const char* old = std::getenv(name)) m_old = old;
    ::setenv(name, value.c_str(), 1);
  }
  ~ScopedEnv() {
    if (m_old) ::setenv(m_name, m_old->c_str(), 1);
    else ::unsetenv(m_name);
  }

 private:
  const char* m_name;
  std::optional<std::string> m_old;
};

int Mode(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return -1;
  return static_cast<int>(st.st_mode & 0777);
}

TEST(Paths, UserConfigFolderIsMadeWithItsParentsForTheOwnerOnly) {
  TempDir dir;
  {
    ScopedEnv xdg("XDG_CONFIG_HOME", dir.File("deep/config"));
    EXPECT_EQ(paths::UserConfigBase(), dir.File("deep/config/draventis/test_platform"));
    EXPECT_EQ(Mode(dir.File("deep/config")), 0700);
    EXPECT_EQ(Mode(dir.File("deep/config/draventis")), 0700);
    // A folder that is there already keeps the permissions its owner gave it.
    ASSERT_EQ(::chmod(dir.File("deep/config/draventis").c_str(), 0750), 0);
    EXPECT_EQ(paths::UserConfigBase(), dir.File("deep/config/draventis/test_platform"));
    EXPECT_EQ(Mode(dir.File("deep/config/draventis")), 0750);
  }
  {
    // A relative $XDG_CONFIG_HOME is ignored for ~/.config.
    ScopedEnv home("HOME", dir.File("home"));
    ScopedEnv xdg("XDG_CONFIG_HOME", "relative");
    EXPECT_EQ(paths::UserConfigBase(), dir.File("home/.config/draventis/test_platform"));
    EXPECT_EQ(Mode(dir.File("home/.config/draventis")), 0700);
    EXPECT_EQ(Mode("relative"), -1);
  }
  // The companion files stay where the tests point them.
  EXPECT_EQ(paths::CompanionFile(".dat"), dir.File("korvane.dat"));
}

}  // namespace
