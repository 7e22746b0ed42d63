// The written settings file as another INI reader sees it: Python's configparser, reading the
// file as code page 932, when python3 is installed.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <map>
#include <string>

#include "files/settings.h"
#include "platform/profile.h"
#include "settings_test_util.h"
#include "temp_dir.h"
#include "outside_tool.h"

namespace {

bool RunCommand(const std::string& command, std::string& output) {
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return false;
  char buf[4096];
  size_t n;
  output.clear();
  while ((n = std::fread(buf, 1, sizeof(buf), pipe)) > 0) output.append(buf, n);
  int status = ::pclose(pipe);
  return status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Prints "section<TAB>key<TAB>value" per key, in UTF-8, keys as configparser keeps them (lower case).
const char kDumpScript[] = R"(import configparser, sys
p = configparser.RawConfigParser(strict=True, delimiters=('=',), comment_prefixes=(';',))
p.optionxform = str
with open(sys.argv[1], encoding='cp932', newline='') as f:
    p.read_file(f)
out = []
for s in p.sections():
    for k, v in p.items(s):
        out.append(s + '\t' + k + '\t' + v)
sys.stdout.buffer.write(('\n'.join(out) + '\n').encode('utf-8'))
)";

TEST(SettingsIniReader, ConfigparserFindsEverySectionAndKey) {
  std::string probe;
  REQUIRE_OUTSIDE_TOOL(RunCommand("python3 -c 'import configparser' 2>&1", probe), "python3 with configparser");

  TempDir dir;
  CKorvaneSettings s;
  s.System.FontName = CString::FromUtf8("ＭＳ ゴシック");
  s.System.PlacesFolder[2] = CString::FromUtf8("/data/表示");
  s.ObjectProperty.Text2.SetFontName(CString::FromUtf8("ＭＳ Ｐゴシック"));
  s.Inkan2.UchiText = {CString::FromUtf8("代表取締役之印")};
  s.DrawingData.HomeX = -1.001;
  ASSERT_TRUE(WriteSettings(s));
  std::string script = dir.Write("dump.py", kDumpScript);
  std::string out;
  ASSERT_TRUE(RunCommand("python3 '" + script + "' '" + SettingsFilePath() + "' 2>&1", out)) << out;

  std::map<std::pair<std::string, std::string>, std::string> seen;
  for (size_t at = 0; at < out.size();) {
    size_t nl = out.find('\n', at);
    std::string line = out.substr(at, nl - at);
    at = nl + 1;
    size_t t1 = line.find('\t'), t2 = line.find('\t', t1 + 1);
    ASSERT_NE(t2, std::string::npos) << line;
    seen[{line.substr(0, t1), line.substr(t1 + 1, t2 - t1 - 1)}] = line.substr(t2 + 1);
  }

  CProfileFile ours;
  ASSERT_TRUE(ours.Load(SettingsFilePath()));
  auto keys = GoldenKeys();
  keys.emplace_back("INKAN2", "UchiText_0");
  for (const auto& [section, key] : keys) {
    auto it = seen.find({section, key});
    ASSERT_NE(it, seen.end()) << section << " " << key;
    EXPECT_EQ(it->second, ours.GetString(section.c_str(), key.c_str(), "").ToUtf8()) << section << " " << key;
  }
  EXPECT_EQ(seen.size(), keys.size());
  EXPECT_EQ((seen[{"OBJECT_PROPERTY", "Text1 FontName"}]), "ＭＳ 明朝");
  EXPECT_EQ((seen[{"OBJECT_PROPERTY", "Text2 FontName"}]), "ＭＳ Ｐゴシック");
  EXPECT_EQ((seen[{"INKAN2", "UchiText_0"}]), "代表取締役之印");
  EXPECT_EQ((seen[{"DRAWING_DATA", "HomeX"}]), "-1001");
}

}  // namespace
