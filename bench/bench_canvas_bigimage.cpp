// Memory of a large image on screen: a 30,000 x 30,000 1-bit image (112 MB) placed on the page
// and painted into a 900 x 700 window at zoom index 3 and 9. The counter peak_MB is the
// process's peak resident size after the paints; image_MB the peak that making and placing the
// image took before any paint.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QCoreApplication>
#include <cstring>
#include <filesystem>
#include <memory>

#include "bench/bench_support.h"
#include "canvas/leftview.h"
#include "imaging/monobmp.h"
#include "model/bmpobject.h"
#include "model/korvane_doc.h"
#include "model/objectlist.h"
#include "platform/paths.h"

namespace {

double PeakMegabytes() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return static_cast<double>(u.ru_maxrss) / 1024.0;
}

struct BigImageScene {
  std::string folder;
  std::unique_ptr<CKorvaneDoc> doc;
  std::unique_ptr<CLeftView> view;
  BigImageScene() {
    folder = (std::filesystem::temp_directory_path() / "korvane-bench-bigimage").string();
    std::filesystem::create_directories(folder);
    paths::SetCompanionBase(folder + "/korvane");
    doc = std::make_unique<CKorvaneDoc>();
    doc->OnNewDocument();
    constexpr int kSide = 30000;
    std::vector<BYTE> block = MonoBmpFile::Create(kSide, kSide);
    const size_t stride = static_cast<size_t>(MonoBmpFile::Stride(kSide));
    // Bands of ink 64 rows high with a byte pattern across them.
    for (int y = 0; y < kSide; ++y)
      if ((y / 64) % 2 == 0) std::memset(block.data() + MonoBmpFile::kHeaderSize + y * stride, 0x0F, stride);
    CBmpObject* o = doc->GetObjectList()->AddBmpFromImage(std::move(block));
    o->m_dWidth = o->m_dHeight = 200;
    o->m_nOutputMode = 2;
    view = std::make_unique<CLeftView>(doc.get());
    view->resize(900, 700);
    view->show();
    QApplication::processEvents();
  }
  ~BigImageScene() {
    view.reset();
    doc.reset();
    paths::SetCompanionBase("");
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
  }
};

std::unique_ptr<BigImageScene>& Scene() {
  static std::unique_ptr<BigImageScene> scene;
  if (!scene) {
    scene = std::make_unique<BigImageScene>();
    qAddPostRoutine([] { scene.reset(); });
  }
  return scene;
}

void BM_LargeImageOnScreenPeakMemory(benchmark::State& state) {
  const double base = PeakMegabytes();
  BigImageScene& s = *Scene();
  const double withImage = PeakMegabytes();
  for (auto _ : state) {
    for (int zoom : {3, 9}) {
      s.doc->SetZoomQuiet(zoom);
      s.view->SetScrollSizesForZoom();
      s.view->Invalidate(TRUE);
      s.view->UpdateWindow();
    }
  }
  state.counters["peak_MB"] = PeakMegabytes();
  state.counters["image_MB"] = withImage - base;
}
BENCHMARK(BM_LargeImageOnScreenPeakMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
