// QR Code symbols with automatic masking: the largest (40-L) and a mid-size one (version 10).
#include <benchmark/benchmark.h>

#include <string>

#include "render/qr_encoder.h"

static std::string MixedText(int bytes) {
  std::string s;
  for (int i = 0; static_cast<int>(s.size()) < bytes; ++i) {
    s += "Lot " + std::to_string(100000 + i * 37) + " ";
    s += "\x8A\xBF\x8E\x9A";  // two Kanji
  }
  s.resize(static_cast<size_t>(bytes));
  return s;
}

static void BM_Version40L(benchmark::State& state) {
  const std::string text(2953, 'a');
  CQrEncoder q;
  for (auto _ : state) {
    benchmark::DoNotOptimize(q.Encode(0, text.c_str()));
  }
  if (q.GetVersion() != 40) state.SkipWithError("not version 40");
}
BENCHMARK(BM_Version40L)->Unit(benchmark::kMillisecond);

static void BM_Version10(benchmark::State& state) {
  const std::string text = MixedText(150);
  CQrEncoder q;
  for (auto _ : state) {
    benchmark::DoNotOptimize(q.CreateSymbolBitmap(1, 10, 1, -1, text.c_str()));
  }
  if (q.GetVersion() != 10) state.SkipWithError("not version 10");
}
BENCHMARK(BM_Version10)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
