// The object list at the size of a large design: adding 10,000 objects of mixed kinds, and
// moving every one of them (as a move of a whole selection does); then a design of 100,000
// objects in the program: started with its binary file until the window answers, its form
// list filled, and one object added or deleted.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "app/korvane_view.h"
#include "app/main_frame.h"
#include "bench/bench_document.h"
#include "bench/bench_program.h"
#include "bench/bench_support.h"
#include "canvas/leftview.h"
#include "files/mrk_binary.h"
#include "model/korvane_doc.h"
#include "model/objectlist.h"
#include "pages/object_pages.h"
#include "pages/settings_pages.h"
#include "platform/archive.h"
#include "platform/ui/qt_control_host.h"
#include "res/dialog_101.h"

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

constexpr int kLargeDesign = 100000;

void AddLargeDesign(CObjectList& list, int count) {
  benchdoc::AddMixed(list, count,
                     {TYPE_LINE, TYPE_RECTANGLE, TYPE_CIRCLE, TYPE_TRIANGLE, TYPE_POLYGON, TYPE_TEXT1, TYPE_TEXT2,
                      TYPE_BARCODE},
                     [](int i, CDrawObject* o) {
                       o->m_dPosX = -150.0 + (i % 300);
                       o->m_dPosY = -100.0 + (i / 300) % 200;
                       if (o->m_nType == TYPE_TEXT1) static_cast<CText1Object*>(o)->SetText("AB12");
                       if (o->m_nType == TYPE_TEXT2) static_cast<CText2Object*>(o)->SetText("ABC");
                     });
}

// The program as the application builds it at start.
struct Program : benchprog::Program {
  Program() : benchprog::Program("korvane-bench-objects") {}
};

// The large design as a binary project file.
std::string WriteLargeDesign(const std::string& folder) {
  CObjectList list;
  list.Initialize();
  AddLargeDesign(list, kLargeDesign);
  const std::vector<BYTE> bytes = CMrkBinaryFile::Serialize(list);
  const std::string path = folder + "/large.mrk";
  fileio::WriteAtomically(path, bytes.data(), bytes.size());
  return path;
}

// From nothing to a window that answers with the design open: the start, the open, and the
// events that follow (the first paint of both views among them).
void BM_StartWith100000ObjectFile(benchmark::State& state) {
  benchdoc::Folder files("korvane-bench-objects-file");
  const std::string path = WriteLargeDesign(files.path);
  int entries = 0;
  using Clock = std::chrono::steady_clock;
  double openMs = 0.0, eventsMs = 0.0;
  for (auto _ : state) {
    g_bModified = 0;
    Program p;
    const Clock::time_point start = Clock::now();
    if (!p.doc->OpenMrkFile(CString(path), 1)) state.SkipWithError("the design did not load");
    const Clock::time_point opened = Clock::now();
    QApplication::processEvents();
    openMs = std::chrono::duration<double, std::milli>(opened - start).count();
    eventsMs = std::chrono::duration<double, std::milli>(Clock::now() - opened).count();
    entries = p.Form().QtControls()->GetCount(res::IDC_OBJECT_LIST);
    state.PauseTiming();
    g_bModified = 0;
    state.ResumeTiming();
  }
  state.counters["list_lines"] = entries;
  // The open (file, document, both views' updates) and the events after it (the first paint).
  state.counters["open_ms"] = openMs;
  state.counters["events_ms"] = eventsMs;
}
BENCHMARK(BM_StartWith100000ObjectFile)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_FillObjectList100000(benchmark::State& state) {
  Program p;
  AddLargeDesign(*p.doc->GetObjectList(), kLargeDesign);
  const long long before = p.doc->GetObjectList()->GetRowWork();
  for (auto _ : state) p.Form().FillObjectList();
  state.counters["row_work_per_line"] =
      static_cast<double>(p.doc->GetObjectList()->GetRowWork() - before) / state.iterations() / (kLargeDesign + 1);
}
BENCHMARK(BM_FillObjectList100000)->Unit(benchmark::kMillisecond);

// One new object through the document, as the drawing bar adds it: both views follow (the
// canvas's repaint of the design, measured by the canvas benchmarks, is left out).
void BM_AddOneTo100000(benchmark::State& state) {
  Program p;
  AddLargeDesign(*p.doc->GetObjectList(), kLargeDesign);
  p.Form().FillObjectList();
  QApplication::processEvents();
  for (auto _ : state) p.doc->AddNewObject(TYPE_RECTANGLE);
  state.counters["list_lines"] = p.Form().QtControls()->GetCount(res::IDC_OBJECT_LIST);
  g_bModified = 0;
}
BENCHMARK(BM_AddOneTo100000)->Unit(benchmark::kMillisecond);

// The current object deleted, as the Delete key does.
void BM_DeleteOneOf100000(benchmark::State& state) {
  Program p;
  AddLargeDesign(*p.doc->GetObjectList(), kLargeDesign);
  p.Form().FillObjectList();
  QApplication::processEvents();
  for (auto _ : state) {
    state.PauseTiming();
    p.doc->AddNewObject(TYPE_RECTANGLE);
    state.ResumeTiming();
    p.doc->DeleteSelection();
  }
  state.counters["list_lines"] = p.Form().QtControls()->GetCount(res::IDC_OBJECT_LIST);
  g_bModified = 0;
}
BENCHMARK(BM_DeleteOneOf100000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
