// The port console's "出力": a 10000-line script sent once to a file, in either mode (mode 1
// opens and closes the port for every line, mode 2 keeps one stream).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "bench/bench_support.h"
#include "output/port_console.h"
#include "platform/ui/qt_control_host.h"
#include "res/dialog_156.h"

namespace {

std::string Script(int lines) {
  std::string s;
  for (int i = 0; i < lines; ++i) {
    s += "PD" + std::to_string(i % 4000) + "," + std::to_string((i * 7) % 4000) + ";";
    if (i + 1 < lines) s += "\r\n";
  }
  return s;
}

void BM_ConsoleScriptToFile(benchmark::State& state) {
  char tmpl[] = "/tmp/bench_console_XXXXXX";
  const std::string dir = mkdtemp(tmpl);
  const std::string path = dir + "/lpt1.out";
  setenv("DRAVENTIS_LPT1", path.c_str(), 1);
  QWidget window;
  CQtControlHost host(g_Dialog156, &window);
  CPortConsoleDialog console;
  console.AttachHost(&host);
  console.OnInitDialog();
  if (state.range(0) == 1) console.OnModeLowLevel();
  host.SetDlgItemText(dlg156::IDC_SCRIPT, CString(Script(10000).c_str()));
  for (auto _ : state) {
    console.OnOutput();
    state.PauseTiming();
    std::remove(path.c_str());
    state.ResumeTiming();
  }
  unsetenv("DRAVENTIS_LPT1");
  rmdir(dir.c_str());
}
BENCHMARK(BM_ConsoleScriptToFile)->Arg(2)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
