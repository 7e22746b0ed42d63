// The paint editor on a real canvas view: one pen-stroke step (the drag step and the paint of
// its dirty area) on pictures of 2000 and 10,000 pixels square at 100 %, the memory a
// 20,000-pixel picture takes beyond its own copies when it is shown at 800 % with the grid, and
// undoing a whole-image inversion with the repaint of an 800 x 600 view.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include <QApplication>

#include "bench/bench_support.h"
#include "canvas/leftview.h"
#include "imaging/monobmp.h"
#include "imaging/paint_editor.h"
#include "model/bmpobject.h"
#include "model/korvane_doc.h"
#include "model/objectlist.h"

namespace {

struct PaintBench {
  PaintBench(int w, int h) {
    doc = std::make_unique<CKorvaneDoc>();
    doc->OnNewDocument();
    view = std::make_unique<CLeftView>(doc.get());
    view->resize(800, 600);
    view->show();
    QApplication::processEvents();
    CBmpObject* object = doc->GetObjectList()->AddBmpFromImage(MonoBmpFile::Create(w, h));
    doc->m_pCurrentObject = object;
    doc->m_nCurrentKind = TYPE_BMP;
    doc->m_nCurrentIndex = doc->GetObjectList()->GetCount() - 1;
    doc->m_nSelectCount = 1;
    doc->BeginPaintMode();
    view->UpdateWindow();
  }
  ~PaintBench() {
    doc->EndPaintMode();
    view.reset();
    doc.reset();
  }
  CPaintEditor& Editor() { return *view->GetPaintEditor(); }
  std::unique_ptr<CKorvaneDoc> doc;
  std::unique_ptr<CLeftView> view;
};

void BM_PenStrokeStep(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  PaintBench b(side, side);
  CPaintEditor& e = b.Editor();
  e.SetTool(0);
  const CSize m = e.GetMargin();
  const int sx = b.view->GetScrollPos(SB_HORZ), sy = b.view->GetScrollPos(SB_VERT);
  PaintPoint p{sx + m.cx * 0 + 300, sy + 300, 0, 0};
  p.x = p.cx - m.cx;
  p.y = p.cy - m.cy;
  e.BeginTool(p, 0);
  int step = 0;
  for (auto _ : state) {
    PaintPoint q = p;
    q.cx += step % 200;
    q.x += step % 200;
    ++step;
    e.ContinueTool(q);
    b.view->UpdateWindow();
  }
  e.EndStroke();
}
BENCHMARK(BM_PenStrokeStep)->Arg(2000)->Arg(10000)->Unit(benchmark::kMillisecond);

// A line of /proc/self/status in megabytes ("VmRSS", "VmHWM").
double StatusMB(const std::string& key) {
  std::ifstream in("/proc/self/status");
  std::string line;
  while (std::getline(in, line))
    if (line.rfind(key + ":", 0) == 0) return std::atof(line.c_str() + key.size() + 1) / 1024.0;
  return 0.0;
}

// Zooming a 20,000-pixel picture to 800 % with the grid and painting the view: the peak memory
// beyond what the process held before (the picture and its copy for editing).
void BM_ZoomGridMemory(benchmark::State& state) {
  PaintBench b(20000, 20000);
  double extra = 0.0;
  for (auto _ : state) {
    b.doc->SetPaintZoom(10);
    b.doc->SetPaintGrid(0);
    b.view->UpdateWindow();
    // The peak is counted afresh from here.
    std::ofstream("/proc/self/clear_refs") << "5";
    const double before = StatusMB("VmRSS");
    b.doc->SetPaintGrid(1);
    b.doc->SetPaintZoom(80);
    b.view->UpdateWindow();
    extra = StatusMB("VmHWM") - before;
  }
  state.counters["extra_MB"] = extra;
  state.counters["grid_shown"] = b.Editor().IsGridShown();
}
BENCHMARK(BM_ZoomGridMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_UndoWholeImageInvert(benchmark::State& state) {
  PaintBench b(2000, 2000);
  for (auto _ : state) {
    state.PauseTiming();
    b.doc->PaintInvert();
    b.view->UpdateWindow();
    state.ResumeTiming();
    b.doc->PaintUndoRedo(0);
    b.view->UpdateWindow();
  }
}
BENCHMARK(BM_UndoWholeImageInvert)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
