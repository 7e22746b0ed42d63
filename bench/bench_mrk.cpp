// Saving and loading a large design in both project formats: 1,000 objects, ten of them
// 2000 x 2000 bitmaps (mostly white with blocks of ink and a band of noise, as scanned logos are).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "bench/bench_document.h"
#include "files/mrk_binary.h"
#include "files/mrk_text.h"
#include "imaging/monobmp.h"
#include "model/objectlist.h"
#include "platform/archive.h"

namespace {

constexpr int kObjects = 1000;
constexpr int kBitmaps = 10;
constexpr int kImageSide = 2000;

std::vector<BYTE> MakeImage(int seed) {
  std::vector<BYTE> img = MonoBmpFile::Create(kImageSide, kImageSide);
  const int64_t stride = MonoBmpFile::Stride(kImageSide);
  std::mt19937 rng(seed);
  for (int y = 100; y < kImageSide - 100; ++y) {
    BYTE* row = img.data() + 62 + y * stride;
    if ((y / 20) % 3 == 0) {
      for (int k = 0; k < 9; ++k) {
        for (int x = (k * 220 + 40 + seed * 8) / 8; x < (k * 220 + 170) / 8 && x < kImageSide / 8; ++x) row[x] = 0x00;
      }
    }
    if (y >= 900 && y < 1000) {
      for (int x = 0; x < kImageSide / 8; ++x) row[x] = static_cast<BYTE>(rng());
    }
  }
  return img;
}

class Fixture {
 public:
  Fixture() {
    char pattern[] = "/tmp/bench_mrk_XXXXXX";
    m_dir = mkdtemp(pattern);
    list.Initialize();
    benchdoc::AddMixed(list, kObjects - kBitmaps,
                       {TYPE_LINE, TYPE_RECTANGLE, TYPE_CIRCLE, TYPE_TRIANGLE, TYPE_RHOMBIC, TYPE_POLYGON, TYPE_TEXT1,
                        TYPE_TEXT2, TYPE_BARCODE},
                       [](int i, CDrawObject* o) {
                         o->m_dPosX = i * 0.125;
                         o->m_dPosY = -i * 0.25;
                       });
    for (int b = 0; b < kBitmaps; ++b) {
      const std::vector<BYTE> image = MakeImage(b);
      const std::string path = m_dir + "/image" + std::to_string(b) + ".bmp";
      fileio::WriteAtomically(path, image.data(), image.size());
      CBmpObject* bmp = list.AddBmpFromFile(path.c_str());
      if (bmp) bmp->m_dPosX = b * 20.0;
    }
    binaryPath = m_dir + "/design.mrk";
    textPath = m_dir + "/design_v2004.mrk";
    CMrkBinaryFile(CMrkBinaryFile::modeWrite, binaryPath.c_str()).Write(&list);
    CMrkTextFile text(CMrkTextFile::modeWrite);
    text.FormatList(list);
    text.Save(textPath.c_str());
  }
  ~Fixture() {
    std::error_code ignored;
    std::filesystem::remove_all(m_dir, ignored);
  }

  CObjectList list;
  std::string binaryPath;
  std::string textPath;

 private:
  std::string m_dir;
};

Fixture& Design() {
  static Fixture fixture;
  return fixture;
}

void BM_SaveBinary(benchmark::State& state) {
  Fixture& f = Design();
  for (auto _ : state) {
    CMrkBinaryFile file(CMrkBinaryFile::modeWrite, f.binaryPath.c_str());
    if (!file.Write(&f.list)) state.SkipWithError("write failed");
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(f.binaryPath)));
}
BENCHMARK(BM_SaveBinary)->Unit(benchmark::kMillisecond);

// The same without the file: the records and the image coding alone.
void BM_SerializeBinary(benchmark::State& state) {
  Fixture& f = Design();
  for (auto _ : state) benchmark::DoNotOptimize(CMrkBinaryFile::Serialize(f.list).size());
}
BENCHMARK(BM_SerializeBinary)->Unit(benchmark::kMillisecond);

void BM_LoadBinary(benchmark::State& state) {
  Fixture& f = Design();
  for (auto _ : state) {
    state.PauseTiming();
    auto list = std::make_unique<CObjectList>();
    list->Initialize();
    state.ResumeTiming();
    CMrkBinaryFile file(CMrkBinaryFile::modeRead, f.binaryPath.c_str());
    if (!file.Read(list.get())) state.SkipWithError("read failed");
    benchmark::DoNotOptimize(list->GetCount());
    state.PauseTiming();
    list.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_LoadBinary)->Unit(benchmark::kMillisecond);

void BM_SaveText(benchmark::State& state) {
  Fixture& f = Design();
  for (auto _ : state) {
    CMrkTextFile file(CMrkTextFile::modeWrite);
    file.FormatList(f.list);
    if (!file.Save(f.textPath.c_str())) state.SkipWithError("write failed");
  }
}
BENCHMARK(BM_SaveText)->Unit(benchmark::kMillisecond);

// Loading the text format reads every bitmap again from its own file.
void BM_LoadText(benchmark::State& state) {
  Fixture& f = Design();
  for (auto _ : state) {
    state.PauseTiming();
    auto list = std::make_unique<CObjectList>();
    list->Initialize();
    state.ResumeTiming();
    CMrkTextFile file(CMrkTextFile::modeRead);
    file.Load(f.textPath.c_str());
    CMrkDesign design;
    if (file.ParseDesign(*list, TRUE, design) == TYPE_UNKNOWN) state.SkipWithError("read failed");
    design.Commit(*list);
    benchmark::DoNotOptimize(list->GetCount());
    state.PauseTiming();
    list.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_LoadText)->Unit(benchmark::kMillisecond);

void BM_CompressImage(benchmark::State& state) {
  const std::vector<BYTE> image = MakeImage(3);
  size_t coded = 0;
  for (auto _ : state) coded = CMrkBinaryFile::Compress(image.data(), image.size()).size();
  state.counters["ratio"] = static_cast<double>(coded) / static_cast<double>(image.size());
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(image.size()));
}
BENCHMARK(BM_CompressImage)->Unit(benchmark::kMicrosecond);

void BM_ExpandImage(benchmark::State& state) {
  const std::vector<BYTE> image = MakeImage(3);
  const std::vector<BYTE> coded = CMrkBinaryFile::Compress(image.data(), image.size());
  std::vector<BYTE> out;
  for (auto _ : state) {
    if (!CMrkBinaryFile::Expand(coded.data(), coded.size(), out)) state.SkipWithError("expand failed");
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(image.size()));
}
BENCHMARK(BM_ExpandImage)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
