// Every function of the program that writes a file goes through the one atomic writer: each is
// refused on a read-only file and writes through a symbolic link, leaving no temporary behind.
#include <gtest/gtest.h>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "files/mrk_association.h"
#include "files/mrk_doc.h"
#include "files/project_write.h"
#include "files/settings.h"
#include "imaging/monobmp.h"
#include "imaging/monoimagetool.h"
#include "model/korvane_doc.h"
#include "platform/archive.h"
#include "platform/atomic_file.h"
#include "platform/profile.h"
#include "scripted_prompter.h"
#include "temp_dir.h"

namespace {

std::vector<std::string> Names(const std::string& folder) {
  std::vector<std::string> names;
  if (DIR* d = ::opendir(folder.c_str())) {
    while (const dirent* e = ::readdir(d))
      if (std::string(e->d_name) != "." && std::string(e->d_name) != "..") names.push_back(e->d_name);
    ::closedir(d);
  }
  return names;
}

bool HasTemporary(const std::string& folder) {
  for (const std::string& n : Names(folder))
    if (n.find(".tmp") != std::string::npos) return true;
  return false;
}

std::vector<BYTE> Picture() {
  std::vector<BYTE> image = MonoBmpFile::Create(40, 12);
  for (size_t i = 62; i < image.size(); i += 5) image[i] = 0x3C;
  return image;
}

struct Writer {
  const char* what;
  // The file the writer writes, given the folder it is pointed at.
  std::function<std::string(const std::string& folder)> target;
  std::function<bool(const std::string& path)> write;
};

class FileWritersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    doc = std::make_unique<CKorvaneDoc>();
    ASSERT_TRUE(doc->OnNewDocument());
    ::setenv("XDG_DATA_HOME", dir.File("share").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", dir.File("config").c_str(), 1);
    ::mkdir(dir.File("config").c_str(), 0755);
  }
  void TearDown() override {
    doc.reset();
    ::unsetenv("XDG_DATA_HOME");
    ::unsetenv("XDG_CONFIG_HOME");
  }

  std::vector<Writer> Writers() {
    const auto in = [](const char* name) { return [name](const std::string& f) { return f + "/" + name; }; };
    CKorvaneDoc* d = doc.get();
    return {
        {"binary project", in("design.mrk"), [d](const std::string& p) { return MrkSaveBinary(*d, p.c_str()) != 0; }},
        {"text project", in("design.txt"), [d](const std::string& p) { return MrkSaveText(*d, p.c_str()) != 0; }},
        {"project bytes", in("raw.mrk"), [](const std::string& p) { return WriteProjectFile(p.c_str(), {1, 2, 3}); }},
        {"settings", in("korvane.dat"),
         [](const std::string& p) { return WriteSettings(CKorvaneSettings(), p); }},
        {"profile key", in("machine.inf"),
         [](const std::string& p) { return WritePrivateProfileString("Draventis", "id", "K2", p); }},
        {"BMP (paint selection, design image, image export)", in("picture.bmp"),
         [](const std::string& p) {
           const std::vector<BYTE> image = Picture();
           return CMonoImageTool::WriteBmpFile(p.c_str(), image.data(), image.size()) > 0;
         }},
        {"trace export", in("outline.hpg"),
         [](const std::string& p) {
           const std::vector<BYTE> image = Picture();
           CMonoImageTool tool;
           TracedOutline outline;
           return tool.ExportHpgl(image.data(), image.size(), &outline, p.c_str()) >= 0;
         }},
        // The document's companion files sit at the folder TempDir points them to.
        {"defaults archive", [this](const std::string&) { return dir.File("korvane.arc"); },
         [d](const std::string& p) {
           d->SaveDefaults();
           return fileio::Exists(p) && TempDir::Read(p) != "old";
         }},
        {"file association", [](const std::string&) { return AssociationConfigHome() + "/mimeapps.list"; },
         [](const std::string&) { return RegisterDocumentType() != 0; }},
    };
  }

  TempDir dir;
  std::unique_ptr<CKorvaneDoc> doc;
};

TEST_F(FileWritersTest, EveryWriterRefusesReadOnlyAndWritesThroughLinks) {
  for (const Writer& w : Writers()) {
    SCOPED_TRACE(w.what);
    const std::string target = w.target(dir.Path());
    const std::string folder = target.substr(0, target.rfind('/'));

    // Read-only: refused, the file as it was.
    std::remove(target.c_str());
    dir.Write(target.substr(dir.Path().size() + 1), "old");
    ASSERT_EQ(::chmod(target.c_str(), 0444), 0);
    EXPECT_FALSE(w.write(target));
    EXPECT_EQ(TempDir::Read(target), "old");
    EXPECT_FALSE(HasTemporary(folder));

    // A link: written through to its target, the link stays.
    std::remove(target.c_str());
    const std::string real = dir.File("elsewhere");
    dir.Write("elsewhere", "old");
    ASSERT_EQ(::symlink(real.c_str(), target.c_str()), 0);
    EXPECT_TRUE(w.write(target));
    struct stat st{};
    ASSERT_EQ(::lstat(target.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_NE(TempDir::Read(real), "old");
    EXPECT_FALSE(HasTemporary(folder));
    EXPECT_FALSE(HasTemporary(dir.Path()));
    std::remove(target.c_str());
    std::remove(real.c_str());
  }
}

TEST(AtomicFile, OnlyTheWritersOwnLeftoversAreRemoved) {
  TempDir dir;
  const std::string design = dir.Write("design.mrk", "v1");
  // The operator's files, named like temporaries: one even of the exact shape.
  const std::vector<std::string> mine = {"design.mrk.tmpbackup", "design.mrk.tmp2024Q1", "design.mrk.tmpAb12Cd"};
  for (const std::string& name : mine) {
    dir.Write(name, "keep me");
    ::chmod(dir.File(name).c_str(), 0600);
  }
  // What a write cut short by a crash leaves.
  std::string leftover;
  const int fd = atomicfile::OpenTemporary(design, leftover);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::write(fd, "half", 4), 4);
  ::close(fd);

  EXPECT_EQ(atomicfile::Write(design, "v2", 2), atomicfile::Outcome::Written);
  EXPECT_EQ(TempDir::Read(design), "v2");
  EXPECT_FALSE(fileio::Exists(leftover));
  for (const std::string& name : mine) EXPECT_EQ(TempDir::Read(dir.File(name)), "keep me") << name;

  // A failed write (a folder where the file should be) leaves nothing behind either.
  ::mkdir(dir.File("korvane.dat").c_str(), 0755);
  EXPECT_EQ(atomicfile::Write(dir.File("korvane.dat"), "x", 1), atomicfile::Outcome::Failed);
  EXPECT_EQ(Names(dir.Path()).size(), 1 + mine.size() + 1);
}

TEST(AtomicFile, AReplacedFileKeepsItsModeAndANewOneFollowsTheUmask) {
  TempDir dir;
  const std::string p = dir.Write("a.mrk", "old");
  ::chmod(p.c_str(), 0640);
  ASSERT_EQ(atomicfile::Write(p, "new", 3), atomicfile::Outcome::Written);
  struct stat st{};
  ASSERT_EQ(::stat(p.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  const mode_t mask = ::umask(022);
  ASSERT_EQ(atomicfile::Write(dir.File("b.mrk"), "new", 3), atomicfile::Outcome::Written);
  ::umask(mask);
  ASSERT_EQ(::stat(dir.File("b.mrk").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0644u);
}

}  // namespace

namespace {

// The settings at the end of a run: through a link to the file the link names; where they
// cannot be kept the operator hears it once.
TEST(SettingsAtExit, AreWrittenThroughALinkOrNamedOnceWhenLost) {
  TempDir dir;
  ScriptedPrompter prompter;
  const std::string real = dir.Write("shared.dat", "[SYSTEM]\r\nFontSize=9\r\n");
  ASSERT_EQ(::symlink(real.c_str(), SettingsFilePath().c_str()), 0);
  {
    CKorvaneDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    doc.m_Settings.System.FontSize = 31;
    doc.SaveSettingsAtExit();
  }
  struct stat st{};
  ASSERT_EQ(::lstat(SettingsFilePath().c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_NE(TempDir::Read(real).find("FontSize=31"), std::string::npos);
  prompter.VerifyAllUsed();

  // A folder where the file should be: said once, not again when the document goes.
  ASSERT_EQ(std::remove(SettingsFilePath().c_str()), 0);
  ASSERT_EQ(::mkdir(SettingsFilePath().c_str(), 0755), 0);
  {
    CKorvaneDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    prompter.ExpectMessage(IDOK, CString::FromUtf8("設定を保存できませんでした").str().c_str());
    doc.SaveSettingsAtExit();
    doc.SaveSettingsAtExit();
  }
  prompter.VerifyAllUsed();
  EXPECT_EQ(prompter.Log().size(), 1u);
}

}  // namespace
