// The object list at the size of a large design: adding 10,000 objects of mixed kinds, and
// moving every one of them (as a move of a whole selection does).
#include <benchmark/benchmark.h>

#include "model/objectlist.h"

namespace {

constexpr int kObjects = 10000;

void AddMixed(CObjectList& list, int count) {
  for (int i = 0; i < count; ++i) {
    switch (i % 8) {
      case 0: list.AddLine(nullptr, TRUE, TRUE); break;
      case 1: list.AddRectangle(nullptr, TRUE, TRUE); break;
      case 2: list.AddCircle(nullptr, TRUE, TRUE); break;
      case 3: list.AddTriangle(nullptr, TRUE, TRUE); break;
      case 4: list.AddPolygon(nullptr, TRUE, TRUE); break;
      case 5: list.AddText1(nullptr, TRUE, TRUE); break;
      case 6: list.AddText2(nullptr, TRUE, TRUE); break;
      default: list.AddBarcode(nullptr, TRUE, TRUE); break;
    }
  }
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
