// Mouse editing on 500 mixed entries at zoom index 3: the hit test of a click on the last entry,
// a band end enclosing everything, one mouse move of a drag of the whole multi-selection, and
// the release (the commit and the repaint) of that drag and of a corner drag that scales it.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "bench/bench_support.h"
#include "canvas/object_tracker.h"
#include "canvas_bench_design.h"

namespace {

benchdesign::Design& TheDesign() { return benchdesign::SharedDesign("korvane-bench-canvas-mouse"); }

CDC& ScreenDC() {
  static CDC dc;
  if (!dc.GetSafeHdc()) {
    dc.CreateCompatibleDC(nullptr);
    dc.SetMapMode(MM_HIMETRIC);
  }
  return dc;
}

// The client rectangle of an entry's bounds from the last paint.
CRect ClientRect(benchdesign::Design& d, int index) {
  RECT r;
  d.view->GetRenderer()->LogicalRectToDevice(&ScreenDC(), d.doc->GetObjectList()->GetObject(index)->m_rcBounds, &r);
  CRect c(r);
  c.OffsetRect(-d.view->GetScrollPos(SB_HORZ), -d.view->GetScrollPos(SB_VERT));
  c.NormalizeRect();
  return c;
}

void BM_ClickHitTestLastEntry(benchmark::State& state) {
  benchdesign::Design& d = TheDesign();
  d.Show(3);
  const int last = d.doc->GetObjectList()->GetCount() - 1;
  const CRect r = ClientRect(d, last);
  int hit = 0;
  for (auto _ : state) {
    RECT out;
    hit = d.view->HitTest(&ScreenDC(), d.doc.get(), &out, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    benchmark::DoNotOptimize(hit);
  }
  state.counters["hit"] = hit;
}
BENCHMARK(BM_ClickHitTestLastEntry)->Unit(benchmark::kMillisecond);

void BM_BandEndEnclosingAll(benchmark::State& state) {
  benchdesign::Design& d = TheDesign();
  d.Show(3);
  RECT client;
  d.view->GetClientRect(&client);
  for (auto _ : state) {
    d.view->StartDrag(1, 1);
    d.view->OnLButtonUp(0, CPoint(client.right - 2, client.bottom - 2));
  }
  state.counters["selected"] = d.doc->GetSelectedCount();
}
BENCHMARK(BM_BandEndEnclosingAll)->Unit(benchmark::kMillisecond);

// Selects everything with a band; the multi-selection's tracker rectangle.
CRect SelectAll(benchdesign::Design& d) {
  RECT client;
  d.view->GetClientRect(&client);
  d.view->StartDrag(1, 1);
  d.view->OnLButtonUp(0, CPoint(client.right - 2, client.bottom - 2));
  return CRect(d.view->GetTracker()->GetTrackRect());
}

// Selects everything with a band and starts a drag of the multi-selection's middle.
CPoint StartDragOfAll(benchdesign::Design& d) {
  const CRect r = SelectAll(d);
  const CPoint middle((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  d.view->GetTracker()->Track(d.view.get(), middle, TRUE);
  return middle;
}

void BM_DragMoveOfAll(benchmark::State& state) {
  benchdesign::Design& d = TheDesign();
  d.Show(3);
  const CPoint middle = StartDragOfAll(d);
  CObjectTracker* t = d.view->GetTracker();
  int k = 0;
  for (auto _ : state) {
    ++k;
    t->TrackMove(POINT{middle.x + (k % 2 ? 7 : 3), middle.y + (k % 2 ? 5 : 2)});
  }
  t->TrackCancel();
}
BENCHMARK(BM_DragMoveOfAll)->Unit(benchmark::kMicrosecond);

void BM_DragReleaseOfAll(benchmark::State& state) {
  benchdesign::Design& d = TheDesign();
  d.Show(3);
  int k = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const CPoint middle = StartDragOfAll(d);
    CObjectTracker* t = d.view->GetTracker();
    // There and back again, so that the design stays where it was.
    const int dx = (++k % 2) ? 6 : -6;
    t->TrackMove(POINT{middle.x + dx, middle.y});
    state.ResumeTiming();
    t->TrackRelease(POINT{middle.x + dx, middle.y});
    d.view->UpdateWindow();
  }
}
BENCHMARK(BM_DragReleaseOfAll)->Unit(benchmark::kMillisecond);

// The release of a corner drag that scales the whole multi-selection, and the repaint.
void BM_ResizeReleaseOfAll(benchmark::State& state) {
  benchdesign::Design& d = TheDesign();
  d.Show(3);
  int k = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const CRect r = SelectAll(d);
    CObjectTracker* t = d.view->GetTracker();
    const CPoint corner(r.right + 4, r.bottom + 4);
    t->Track(d.view.get(), corner, TRUE);
    // Grown and shrunk in turn, so that the design keeps its size.
    const int dx = (++k % 2) ? 8 : -8;
    t->TrackMove(POINT{corner.x + dx, corner.y + dx});
    state.ResumeTiming();
    t->TrackRelease(POINT{corner.x + dx, corner.y + dx});
    d.view->UpdateWindow();
  }
}
BENCHMARK(BM_ResizeReleaseOfAll)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
