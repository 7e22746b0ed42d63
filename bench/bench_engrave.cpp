// Engraving jobs into /dev/null through the real canvas view: a 200 x 200 mm raster job of dense
// text at 20 dots per millimetre, and an outline job of 2,000 objects. Bytes per second are those
// of the command stream; a parallel port carries about 150 KB/s.
#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <unistd.h>

#include "bench/bench_document.h"
#include "bench/bench_support.h"
#include "canvas/leftview.h"
#include "model/korvane_doc.h"
#include "model/objectlist.h"
#include "model/textobject.h"
#include "output/engrave_engine.h"
#include "output/thread_engrave_engine.h"

namespace {

struct Job {
  Job() {
    view = std::make_unique<CLeftView>(doc.get());
    CKorvaneSettings& s = doc->m_Settings;
    s.DrawingData.HOME = 0;
    s.DrawingField.FieldX = 220;
    s.DrawingField.FieldY = 220;
    s.DrawingArea.Width = 200;
    s.DrawingArea.Height = 200;
    s.DrawingArea.DPM = 20;
    s.DrawingArea.Span = 0.05;
  }
  ~Job() {
    view.reset();
    doc.reset();
  }

  // Runs one job into the port that DRAVENTIS_LPT1 names; the size of the stream it sent.
  size_t Measure() {
    const std::string path = dir + "/stream.out";
    setenv("DRAVENTIS_LPT1", path.c_str(), 1);
    Run();
    FILE* f = std::fopen(path.c_str(), "rb");
    size_t size = 0;
    if (f) {
      std::fseek(f, 0, SEEK_END);
      size = static_cast<size_t>(std::ftell(f));
      std::fclose(f);
    }
    std::remove(path.c_str());
    setenv("DRAVENTIS_LPT1", "/dev/null", 1);
    return size;
  }

  void Run(bool threaded = false) {
    int zoom = -1;
    if (threaded) {
      CThreadEngraveEngine engine;
      engine.Attach(doc.get(), view.get(), nullptr);
      engine.Start(&zoom);
      engine.WaitForWorker();
    } else {
      CEngraveEngine engine;
      engine.Attach(doc.get(), view.get());
      engine.Start(&zoom);
    }
    view->RestoreZoom(doc.get(), zoom);
    view->SetRenderMode(RENDER_SCREEN);
  }

  benchdoc::Document d{"bench_engrave"};
  const std::string& dir = d.folder.path;
  std::unique_ptr<CKorvaneDoc>& doc = d.doc;
  std::unique_ptr<CLeftView> view;
};

void DenseText(Job& job) {
  CString text;
  for (int line = 0; line < 25; ++line) {
    if (line) text += "\r\n";
    text += "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123";
  }
  auto* t = job.doc->GetObjectList()->AddText1(nullptr, TRUE, TRUE);
  t->m_dWidth = 200;
  t->m_dHeight = 200;
  t->SetText(text);
  t->m_dPosX = 0;
  t->m_dPosY = 0;
  t->m_nOutputMode = 2;
  t->m_nRows = 1;
  t->m_nColumns = 1;
}

void ManyObjects(Job& job, int count) {
  CObjectList& list = *job.doc->GetObjectList();
  for (int i = 0; i < count; ++i) {
    const double x = -95 + (i % 50) * 3.8, y = -95 + (i / 50) * 4.75;
    CDrawObject* o = nullptr;
    switch (i % 3) {
      case 0: {
        auto* r = list.AddRectangle(nullptr, TRUE, TRUE);
        r->m_dWidth = r->m_dHeight = 3;
        r->m_nRows = r->m_nColumns = 1;
        o = r;
        break;
      }
      case 1: {
        auto* c = list.AddCircle(nullptr, TRUE, TRUE);
        c->m_dSizeX = c->m_dSizeY = 3;
        c->m_nRows = c->m_nColumns = 1;
        o = c;
        break;
      }
      default: {
        auto* t = list.AddTriangle(nullptr, TRUE, TRUE);
        t->m_dWidth = t->m_dHeight = 3;
        t->m_nRows = t->m_nColumns = 1;
        o = t;
        break;
      }
    }
    o->m_dPosX = x;
    o->m_dPosY = y;
    o->m_nOutputMode = 2;
  }
}

void BM_RasterDenseText(benchmark::State& state) {
  Job job;
  DenseText(job);
  job.doc->m_Settings.DrawingArea.OutStyleIndex = 1;
  job.doc->m_Settings.DrawingArea.ScanDirectionIndex = static_cast<int>(state.range(0));
  const size_t bytes = job.Measure();
  for (auto _ : state) job.Run(state.range(1) != 0);
  state.SetBytesProcessed(static_cast<int64_t>(bytes) * state.iterations());
  state.counters["stream_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_RasterDenseText)->Args({0, 0})->Args({1, 0})->Args({2, 0})->Args({0, 1})->Unit(benchmark::kMillisecond)->UseRealTime();

// The job into a regular file, as a machine link that collects the stream would take it; the
// file is emptied before every job. Normal engine (range 0 = 0) and threaded engine (1).
void RunIntoFile(benchmark::State& state, Job& job) {
  const size_t bytes = job.Measure();
  const std::string path = job.dir + "/port.out";
  setenv("DRAVENTIS_LPT1", path.c_str(), 1);
  for (auto _ : state) {
    std::remove(path.c_str());
    job.Run(state.range(0) != 0);
  }
  std::remove(path.c_str());
  setenv("DRAVENTIS_LPT1", "/dev/null", 1);
  state.SetBytesProcessed(static_cast<int64_t>(bytes) * state.iterations());
  state.counters["stream_bytes"] = static_cast<double>(bytes);
}

// The rows job into a file. With the port held open for the job this should stay above 20 MB/s,
// ten times what an EPP port carries.
void BM_RasterDenseTextToFile(benchmark::State& state) {
  Job job;
  DenseText(job);
  job.doc->m_Settings.DrawingArea.OutStyleIndex = 1;
  job.doc->m_Settings.DrawingArea.ScanDirectionIndex = 0;
  RunIntoFile(state, job);
}
BENCHMARK(BM_RasterDenseTextToFile)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Outline2000Objects(benchmark::State& state) {
  Job job;
  ManyObjects(job, 2000);
  job.doc->m_Settings.DrawingArea.OutStyleIndex = 0;
  const size_t bytes = job.Measure();
  for (auto _ : state) job.Run(state.range(0) != 0);
  state.SetBytesProcessed(static_cast<int64_t>(bytes) * state.iterations());
  state.counters["stream_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_Outline2000Objects)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The outline job into a file: the normal engine, whose progress dialog is updated at most once
// per screen frame, should stream at least 40 MB/s, as the threaded engine does.
void BM_Outline2000ObjectsToFile(benchmark::State& state) {
  Job job;
  ManyObjects(job, 2000);
  job.doc->m_Settings.DrawingArea.OutStyleIndex = 0;
  RunIntoFile(state, job);
}
BENCHMARK(BM_Outline2000ObjectsToFile)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
