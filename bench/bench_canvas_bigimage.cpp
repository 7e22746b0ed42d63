// Memory of a large image on screen: a 30,000 x 30,000 1-bit image (112 MB) placed on the page
// and painted into a 900 x 700 window at zoom index 3 and 9. The counter peak_MB is the
// process's peak resident size after the paints; image_MB the peak that making and placing the
// image took before any paint.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QCoreApplication>
#include <cstring>
#include <memory>

#include "bench/bench_support.h"
#include "canvas_bench_design.h"
#include "imaging/monobmp.h"
#include "model/bmpobject.h"

namespace {

double PeakMegabytes() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return static_cast<double>(u.ru_maxrss) / 1024.0;
}

struct BigImageScene : benchdesign::Scene {
  BigImageScene() : benchdesign::Scene("korvane-bench-bigimage") {
    constexpr int kSide = 30000;
    std::vector<BYTE> block = MonoBmpFile::Create(kSide, kSide);
    const size_t stride = static_cast<size_t>(MonoBmpFile::Stride(kSide));
    // Bands of ink 64 rows high with a byte pattern across them.
    for (int y = 0; y < kSide; ++y)
      if ((y / 64) % 2 == 0) std::memset(block.data() + MonoBmpFile::kHeaderSize + y * stride, 0x0F, stride);
    CBmpObject* o = List().AddBmpFromImage(std::move(block));
    o->m_dWidth = o->m_dHeight = 200;
    o->m_nOutputMode = 2;
    ShowView();
  }
};

std::unique_ptr<BigImageScene>& TheScene() {
  static std::unique_ptr<BigImageScene> scene;
  if (!scene) {
    scene = std::make_unique<BigImageScene>();
    qAddPostRoutine([] { scene.reset(); });
  }
  return scene;
}

void BM_LargeImageOnScreenPeakMemory(benchmark::State& state) {
  const double base = PeakMegabytes();
  BigImageScene& s = *TheScene();
  const double withImage = PeakMegabytes();
  for (auto _ : state) {
    for (int zoom : {3, 9}) {
      s.Show(zoom);
    }
  }
  state.counters["peak_MB"] = PeakMegabytes();
  state.counters["image_MB"] = withImage - base;
}
BENCHMARK(BM_LargeImageOnScreenPeakMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
