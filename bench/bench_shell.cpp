// The application shell: one update pass over every command with a 500-object design, and
// building the whole main frame (bars, menus, status bar, both views).
#include <benchmark/benchmark.h>

#include "app/main_frame.h"
#include "app/shell_res.h"
#include "bench/bench_document.h"
#include "bench/bench_support.h"
#include "model/kinds.h"
#include "model/korvane_doc.h"

namespace {

void BM_UpdatePassOverAllCommands(benchmark::State& state) {
  benchdoc::Document d("korvane-bench-shell");
  CKorvaneDoc& doc = *d.doc;
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
  benchdoc::Document d("korvane-bench-shell");
  CKorvaneDoc& doc = *d.doc;
  for (auto _ : state) {
    CMainFrame frame(&doc, false);
    frame.Create();
    benchmark::DoNotOptimize(frame.GetLeftView());
  }
}
BENCHMARK(BM_BuildMainFrame)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
