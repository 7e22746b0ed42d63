// The application shell: one update pass over every command with a 500-object design, and
// building the whole main frame (bars, menus, status bar, both views).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <QApplication>

#include "app/main_frame.h"
#include "app/shell_res.h"
#include "model/kinds.h"
#include "model/korvane_doc.h"
#include "platform/paths.h"

namespace {

struct Folder {
  std::string path;
  Folder() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "korvane-bench-XXXXXX").string();
    path = ::mkdtemp(tmpl.data()) ? tmpl : std::string("/tmp");
    paths::SetCompanionBase(path + "/korvane");
  }
  ~Folder() {
    paths::SetCompanionBase("");
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
};

void BM_UpdatePassOverAllCommands(benchmark::State& state) {
  Folder folder;
  CKorvaneDoc doc;
  doc.OnNewDocument();
  CMainFrame frame(&doc, false);
  frame.Create();
  for (int i = 0; i < 500; ++i) doc.AddNewObject(i % 8);
  CCommandTable& commands = frame.Commands();
  for (UINT id : res::AllCommandIds()) commands.Action(id);
  for (auto _ : state) commands.UpdateAll();
  state.counters["commands"] = static_cast<double>(commands.Ids().size());
}
BENCHMARK(BM_UpdatePassOverAllCommands)->Unit(benchmark::kMicrosecond);

void BM_BuildMainFrame(benchmark::State& state) {
  Folder folder;
  CKorvaneDoc doc;
  doc.OnNewDocument();
  for (auto _ : state) {
    CMainFrame frame(&doc, false);
    frame.Create();
    benchmark::DoNotOptimize(frame.GetLeftView());
  }
}
BENCHMARK(BM_BuildMainFrame)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
