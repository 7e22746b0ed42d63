// The object list at the size of a large design: adding 10,000 objects of mixed kinds, and
// moving every one of them (as a move of a whole selection does).
#include <benchmark/benchmark.h>

#include "bench/bench_document.h"
#include "model/objectlist.h"

namespace {

constexpr int kObjects = 10000;

void AddMixed(CObjectList& list, int count) {
  benchdoc::AddMixed(list, count,
                     {TYPE_LINE, TYPE_RECTANGLE, TYPE_CIRCLE, TYPE_TRIANGLE, TYPE_POLYGON, TYPE_TEXT1, TYPE_TEXT2,
                      TYPE_BARCODE});
}

void BM_AddObjects(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto list = std::make_unique<CObjectList>();
    list->Initialize();
    state.ResumeTiming();
    AddMixed(*list, kObjects);
    benchmark::DoNotOptimize(list->GetCount());
    state.PauseTiming();
    list.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kObjects);
}
BENCHMARK(BM_AddObjects)->Unit(benchmark::kMillisecond);

void BM_MoveAllObjects(benchmark::State& state) {
  CObjectList list;
  list.Initialize();
  AddMixed(list, kObjects);
  for (auto _ : state) {
    for (int i = 1; i < list.GetCount(); ++i) list.MoveObject(i, 0.025, -0.025);
    benchmark::DoNotOptimize(list.GetObject(1)->m_dPosX);
  }
  state.SetItemsProcessed(state.iterations() * kObjects);
}
BENCHMARK(BM_MoveAllObjects)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
