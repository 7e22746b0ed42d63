// QR Code symbols with automatic masking: the largest (40-L) and a mid-size one (version 10).
// The 40-L text is also encoded by libqrencode, a general QR library linked here only as a
// yardstick: its figures sit beside ours in the same run.
#include <benchmark/benchmark.h>
#include <qrencode.h>

#include <cstring>
#include <string>

#include "render/qr_encoder.h"

// Encodes with one given mask (0-7). The library exports it for its own tests; its public header
// leaves it out.
extern "C" QRcode* QRcode_encodeMask(QRinput* input, int mask);

namespace {

std::string MixedText(int bytes) {
  std::string s;
  for (int i = 0; static_cast<int>(s.size()) < bytes; ++i) {
    s += "Lot " + std::to_string(100000 + i * 37) + " ";
    s += "\x8A\xBF\x8E\x9A";  // two Kanji
  }
  s.resize(static_cast<size_t>(bytes));
  return s;
}

// 2953 bytes: the 8-bit capacity of 40-L.
const std::string& LargestText() {
  static const std::string text(2953, 'a');
  return text;
}

// Opens the mask search so that it can be timed on its own.
class MaskSearch : public CQrEncoder {
 public:
  // Leaves the symbol of the last encoding placed but unmasked.
  void Prepare() {
    std::memset(m_byModule, 0, sizeof m_byModule);
    PlaceFunctionPatterns();
    PlaceCodewords();
  }
  using CQrEncoder::ChooseMask;
};

}  // namespace

// The whole job: matrix and the 1-bit symbol bitmap.
static void BM_Version40L(benchmark::State& state) {
  const std::string& text = LargestText();
  CQrEncoder q;
  for (auto _ : state) {
    benchmark::DoNotOptimize(q.Encode(0, text.c_str()));
  }
  if (q.GetVersion() != 40) state.SkipWithError("not version 40");
}
BENCHMARK(BM_Version40L)->Unit(benchmark::kMillisecond);

// The matrix only, as libqrencode gives it.
static void BM_Version40LMatrix(benchmark::State& state) {
  const std::string& text = LargestText();
  CQrEncoder q;
  for (auto _ : state) {
    benchmark::DoNotOptimize(q.EncodeData(0, 0, 1, -1, text.data(), static_cast<int>(text.size())));
  }
  if (q.GetVersion() != 40) state.SkipWithError("not version 40");
}
BENCHMARK(BM_Version40LMatrix)->Unit(benchmark::kMillisecond);

// The matrix with mask 0 given: the difference to the automatic mask is the search.
static void BM_Version40LMatrixMask0(benchmark::State& state) {
  const std::string& text = LargestText();
  CQrEncoder q;
  for (auto _ : state) {
    benchmark::DoNotOptimize(q.EncodeData(0, 0, 1, 0, text.data(), static_cast<int>(text.size())));
  }
  if (q.GetVersion() != 40) state.SkipWithError("not version 40");
}
BENCHMARK(BM_Version40LMatrixMask0)->Unit(benchmark::kMillisecond);

// The search alone: all eight masks scored; per_mask is the time of one.
static void BM_Version40LMaskSearch(benchmark::State& state) {
  const std::string& text = LargestText();
  MaskSearch q;
  if (!q.EncodeData(0, 0, 1, 0, text.data(), static_cast<int>(text.size())) || q.GetVersion() != 40) {
    state.SkipWithError("not version 40");
    return;
  }
  q.Prepare();
  for (auto _ : state) {
    benchmark::DoNotOptimize(q.ChooseMask());
  }
  state.counters["per_mask"] =
      benchmark::Counter(8, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_Version40LMaskSearch)->Unit(benchmark::kMicrosecond);

static void BM_Libqrencode40L(benchmark::State& state) {
  const std::string& text = LargestText();
  int version = 0;
  for (auto _ : state) {
    QRcode* code = QRcode_encodeData(static_cast<int>(text.size()),
                                     reinterpret_cast<const unsigned char*>(text.data()), 0, QR_ECLEVEL_L);
    if (!code) {
      state.SkipWithError("libqrencode failed");
      break;
    }
    version = code->version;
    benchmark::DoNotOptimize(code->data);
    QRcode_free(code);
  }
  if (version != 40) state.SkipWithError("not version 40");
}
BENCHMARK(BM_Libqrencode40L)->Unit(benchmark::kMillisecond);

static void BM_Libqrencode40LMask0(benchmark::State& state) {
  const std::string& text = LargestText();
  int version = 0;
  for (auto _ : state) {
    QRinput* input = QRinput_new2(0, QR_ECLEVEL_L);
    QRcode* code = nullptr;
    if (input && QRinput_append(input, QR_MODE_8, static_cast<int>(text.size()),
                                reinterpret_cast<const unsigned char*>(text.data())) == 0)
      code = QRcode_encodeMask(input, 0);
    QRinput_free(input);
    if (!code) {
      state.SkipWithError("libqrencode failed");
      break;
    }
    version = code->version;
    benchmark::DoNotOptimize(code->data);
    QRcode_free(code);
  }
  if (version != 40) state.SkipWithError("not version 40");
}
BENCHMARK(BM_Libqrencode40LMask0)->Unit(benchmark::kMillisecond);

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
