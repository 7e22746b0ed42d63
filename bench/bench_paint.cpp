// The paint editor on a real canvas view: one pen-stroke step (the drag step and the paint of
// its dirty area) on a 2000 x 2000 picture at 100 %, and undoing a whole-image inversion with
// the repaint of an 800 x 600 view.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

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
  PaintBench b(2000, 2000);
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
BENCHMARK(BM_PenStrokeStep)->Unit(benchmark::kMillisecond);

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
