// The canvas on screen: a full repaint of 500 mixed entries into the 900 x 700 window surface at
// zoom index 3 (the settings default) and 9 (1.0).
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "bench/bench_support.h"
#include "canvas_bench_design.h"

namespace {

benchdesign::Design& TheDesign() { return benchdesign::SharedDesign("korvane-bench-canvas-screen"); }

void BM_FullRepaint(benchmark::State& state) {
  benchdesign::Design& d = TheDesign();
  d.Show(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    d.view->Invalidate(TRUE);
    d.view->UpdateWindow();
  }
}
BENCHMARK(BM_FullRepaint)->Arg(3)->Arg(9)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
