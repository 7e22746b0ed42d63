#include <cstdlib>
#include <sys/stat.h>

#include <QProcess>
#include <QStandardPaths>

#include "commands_fixture.h"
#include "files/mrk_association.h"

namespace {

// Points the XDG folders into a temporary folder for the test's duration.
class AssociationTest : public CommandsTest {
 protected:
  void SetUp() override {
    CommandsTest::SetUp();
    for (const char* v : {"XDG_DATA_HOME", "XDG_CONFIG_HOME"}) {
      const char* old = std::getenv(v);
      saved.emplace_back(v, old ? std::optional<std::string>(old) : std::nullopt);
    }
    setenv("XDG_DATA_HOME", dir.File("data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", dir.File("config").c_str(), 1);
    SetAssociationExecutable("/opt/dra ventis/bin/korvane");
  }
  void TearDown() override {
    SetAssociationExecutable("");
    for (auto& [name, value] : saved) {
      if (value) setenv(name.c_str(), value->c_str(), 1);
      else unsetenv(name.c_str());
    }
    CommandsTest::TearDown();
  }
  static bool Exists(const std::string& p) {
    struct stat st{};
    return ::stat(p.c_str(), &st) == 0;
  }
  std::vector<std::pair<std::string, std::optional<std::string>>> saved;
};

TEST_F(AssociationTest, RegisteringWritesThePackageIconEntryAndDefaultLine) {
  const std::string mimeapps = dir.File("config/mimeapps.list");
  ASSERT_EQ(::mkdir(dir.File("config").c_str(), 0700), 0);
  dir.Write("config/mimeapps.list", "[Default Applications]\ntext/plain=editor.desktop\n\n[Added Associations]\nimage/png=viewer.desktop;\n");
  EXPECT_EQ(IsDocumentTypeRegistered(), 0);
  EXPECT_EQ(Checked(32897), 0);

  ASSERT_EQ(RegisterDocumentType(), 1);
  const std::string package = TempDir::Read(dir.File("data/mime/packages/draventis.xml"));
  EXPECT_NE(package.find("type=\"application/x-draventis-project\""), std::string::npos);
  EXPECT_NE(package.find("<glob pattern=\"*.mrk\"/>"), std::string::npos);
  EXPECT_EQ(TempDir::Read(dir.File("data/icons/hicolor/48x48/apps/draventis-project.png")).substr(1, 3), "PNG");
  const std::string entry = TempDir::Read(dir.File("data/applications/draventis.desktop"));
  EXPECT_NE(entry.find("\nExec=\"/opt/dra ventis/bin/korvane\" %f\n"), std::string::npos) << entry;
  EXPECT_NE(entry.find("\nMimeType=application/x-draventis-project;\n"), std::string::npos);
  EXPECT_NE(entry.find("\nIcon=draventis-project\n"), std::string::npos);
  EXPECT_NE(entry.find("\nNoDisplay=true\n"), std::string::npos);
  const std::string lines = TempDir::Read(mimeapps);
  EXPECT_NE(lines.find("[Default Applications]\napplication/x-draventis-project=draventis.desktop\ntext/plain=editor.desktop\n"),
            std::string::npos)
      << lines;
  EXPECT_NE(lines.find("[Added Associations]\nimage/png=viewer.desktop;\n"), std::string::npos);
  EXPECT_EQ(IsDocumentTypeRegistered(), 1);
  EXPECT_EQ(Checked(32897), 1);

  const QString validate = QStandardPaths::findExecutable("desktop-file-validate");
  if (!validate.isEmpty()) {
    QProcess p;
    p.start(validate, {QString::fromStdString(dir.File("data/applications/draventis.desktop"))});
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardOutput().toStdString();
  } else if (std::getenv("CI")) {
    ADD_FAILURE() << "desktop-file-validate is not installed";
  }
  // A second registration does not repeat the default line.
  ASSERT_EQ(RegisterDocumentType(), 1);
  const std::string again = TempDir::Read(mimeapps);
  EXPECT_EQ(again.find("x-draventis-project="), again.rfind("x-draventis-project="));
}

TEST_F(AssociationTest, TheToggleAsksFirstAndFollowsTheExecutable) {
  prompter.ExpectMessage(IDCANCEL, U("Windowsの再起動後に有効になります")).ExpectMessage(IDOK, U("中止しました"));
  table.Execute(32897);
  EXPECT_FALSE(Exists(dir.File("data/applications/draventis.desktop")));

  prompter.ExpectMessage(IDOK, U("Windowsの再起動後に有効になります"));
  table.Execute(32897);
  EXPECT_EQ(IsDocumentTypeRegistered(), 1);

  // Moved elsewhere: not ours any more, so the toggle registers again with the new path.
  SetAssociationExecutable("/usr/local/bin/korvane");
  EXPECT_EQ(IsDocumentTypeRegistered(), 0);
  prompter.ExpectMessage(IDOK);
  table.Execute(32897);
  EXPECT_EQ(IsDocumentTypeRegistered(), 1);

  // Off again: entry and icon gone, the package and the default line stay.
  prompter.ExpectMessage(IDOK);
  table.Execute(32897);
  EXPECT_EQ(IsDocumentTypeRegistered(), 0);
  EXPECT_FALSE(Exists(dir.File("data/applications/draventis.desktop")));
  EXPECT_FALSE(Exists(dir.File("data/icons/hicolor/48x48/apps/draventis-project.png")));
  EXPECT_TRUE(Exists(dir.File("data/mime/packages/draventis.xml")));
  EXPECT_NE(TempDir::Read(dir.File("config/mimeapps.list")).find("x-draventis-project=draventis.desktop"), std::string::npos);
  prompter.VerifyAllUsed();
}

}  // namespace
