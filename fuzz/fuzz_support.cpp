#include "fuzz/fuzz_support.h"

#include <unistd.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/archive.h"
#include "platform/paths.h"
#include "platform/prompter.h"

namespace fuzz {
namespace {

// Yes to every Yes/No question (so the drawing record of a text file is read too), OK to every
// notice, Cancel to every dialog.
class QuietPrompter : public IPrompter {
 public:
  int MessageBox(const CString&, const CString&, UINT flags) override {
    return (flags & 0x0F) == MB_YESNO ? IDYES : IDOK;
  }
  bool FileDialog(const FileDialogRequest&, std::vector<CString>&) override { return false; }
  bool ChooseColor(COLORREF&) override { return false; }
  bool BrowseFolder(const CString&, CString&) override { return false; }
};

void Silent(QtMsgType, const QMessageLogContext&, const QString&) {}

std::string& Scratch() {
  static std::string dir;
  return dir;
}

}  // namespace

void Init() {
  static bool done = false;
  if (done) return;
  done = true;
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  qInstallMessageHandler(Silent);
  static int argc = 1;
  static char name[] = "fuzz";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);
  static QuietPrompter prompter;
  SetPrompter(&prompter);
  // In memory where there is such a folder: the readers' own writes flush to disk otherwise.
  const std::filesystem::path tmp =
      std::filesystem::is_directory("/dev/shm") ? std::filesystem::path("/dev/shm") : std::filesystem::temp_directory_path();
  const auto base = tmp / ("korvane_fuzz_" + std::to_string(::getpid()));
  std::filesystem::create_directories(base);
  Scratch() = base.string();
  // The document reads and writes its settings file and defaults archive there too.
  paths::SetCompanionBase(Scratch() + "/korvane");
  std::atexit([] {
    std::error_code ec;
    std::filesystem::remove_all(Scratch(), ec);
  });
}

std::string WriteInput(const std::uint8_t* data, size_t size, const char* name) {
  const std::string path = Scratch() + "/" + name;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  if (!out) Fail("scratch file not written");
  return path;
}

void Dump(const char* name, const std::vector<std::uint8_t>& bytes) {
  const char* folder = std::getenv("KORVANE_FUZZ_DUMP");
  if (!folder) return;
  std::ofstream out(std::string(folder) + "/" + name, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void Fail(const char* what) {
  std::fprintf(stderr, "fuzz check failed: %s\n", what);
  std::abort();
}

}  // namespace fuzz
