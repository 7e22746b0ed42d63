// Text helpers over a long Shift-JIS text: counting, indexing, formatting.
#include <benchmark/benchmark.h>

#include "model/textutil.h"
#include "platform/numfmt.h"

static void BM_CharWalk(benchmark::State& state) {
  CString s;
  for (int i = 0; i < 1000; ++i) s += "\x8A\xBF" "A";
  CTextUtil u;
  for (auto _ : state) {
    int n = 1999;
    benchmark::DoNotOptimize(u.GetCharByteIndex(s, n));
    benchmark::DoNotOptimize(u.GetCharCount(s));
  }
}
BENCHMARK(BM_CharWalk);

static void BM_FormatFixed(benchmark::State& state) {
  double v = 0.0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(numfmt::Format("%7.3f,", v));
    v += 0.125;
  }
}
BENCHMARK(BM_FormatFixed);

BENCHMARK_MAIN();
