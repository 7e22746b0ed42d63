// The outline capture and the engraving raster of one arc text "ABC" of 20 mm repeated in a
// square grid of n x n copies: small grids are captured whole, the 999 x 999 grid is refused
// from its first copy.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "bench/bench_support.h"
#include "canvas/leftview.h"
#include "model/korvane_doc.h"
#include "model/objectlist.h"
#include "model/textobject.h"
#include "platform/paths.h"

namespace {

struct Grid {
  std::string folder;
  std::unique_ptr<CKorvaneDoc> doc;
  std::unique_ptr<CLeftView> view;

  explicit Grid(int n) {
    folder = (std::filesystem::temp_directory_path() / "korvane-bench-bound").string();
    std::filesystem::create_directories(folder);
    paths::SetCompanionBase(folder + "/korvane");
    doc = std::make_unique<CKorvaneDoc>();
    doc->OnNewDocument();
    auto* o = doc->GetObjectList()->AddText2(nullptr, TRUE, TRUE);
    o->m_dRadiusX = 10;
    o->m_dRadiusY = 10;
    o->SetText("ABC");
    o->m_nRows = n;
    o->m_nColumns = n;
    o->m_dRowGap = 0.1;
    o->m_dColumnGap = 0.1;
    o->m_nOutputMode = 2;
    view = std::make_unique<CLeftView>(doc.get());
  }
  ~Grid() {
    view.reset();
    doc.reset();
    paths::SetCompanionBase("");
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
  }
};

void BM_CaptureArcTextGrid(benchmark::State& state) {
  Grid g(static_cast<int>(state.range(0)));
  int n = 0;
  for (auto _ : state) {
    n = g.view->SetOutlineData(1);
    g.view->ReleaseOutlinePoints();
    benchmark::DoNotOptimize(n);
  }
  state.counters["points"] = n;
}
BENCHMARK(BM_CaptureArcTextGrid)->Arg(10)->Arg(100)->Arg(999)->Unit(benchmark::kMillisecond);

void BM_RasterArcTextGrid(benchmark::State& state) {
  Grid g(static_cast<int>(state.range(0)));
  int n = 0;
  for (auto _ : state) {
    CDC dc;
    int size[2];
    CDoubleRect bounds;
    int oldZoom = 0;
    n = g.view->GetBitmapDC(&dc, size, &bounds, &oldZoom);
    CLeftView::ReleaseBitmapDC(&dc);
    g.view->RestoreZoom(g.doc.get(), oldZoom);
    g.view->SetRenderMode(RENDER_SCREEN);
    benchmark::DoNotOptimize(n);
  }
  state.counters["drawn"] = n;
}
BENCHMARK(BM_RasterArcTextGrid)->Arg(10)->Arg(100)->Arg(999)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
