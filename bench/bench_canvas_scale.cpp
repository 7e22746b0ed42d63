// The canvas on screen at scale: one paint of a 999 x 999 grid of arc text and of a line 1e9 mm
// wide with its tracker; repaints with ten 2,000 x 2,000 images, with 1,000 distinct QR Codes
// and with 10,000 mixed entries. Each design is made here and painted into a 900 x 700 window.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <cstdio>
#include <memory>
#include <string>

#include "bench/bench_support.h"
#include "canvas/leftview.h"
#include "canvas_bench_design.h"
#include "imaging/monobmp.h"
#include "model/bmpobject.h"
#include "model/drawobject.h"
#include "model/objectlist.h"
#include "model/textobject.h"

namespace {

struct Scene : benchdesign::Scene {
  using benchdesign::Scene::Scene;
  // The view on the finished design, at a zoom index, after its first paint.
  void Open(int zoom) {
    ShowView();
    Show(zoom);
  }
};

// Scenes live until the application ends; they must go before the QApplication does.
std::unique_ptr<Scene>& Slot(int which) {
  static std::unique_ptr<Scene> scenes[6];
  static bool hooked = false;
  if (!hooked) {
    hooked = true;
    qAddPostRoutine([] {
      for (auto& s : scenes) s.reset();
    });
  }
  return scenes[which];
}

void BM_ArcTextGrid999Paint(benchmark::State& state) {
  auto& s = Slot(0);
  if (!s) {
    s = std::make_unique<Scene>("korvane-bench-scale-arc");
    auto* o = s->List().AddText2(nullptr, TRUE, TRUE);
    o->m_dRadiusX = o->m_dRadiusY = 10;
    o->m_dCharWidth = 4;
    o->m_dCharHeight = 5;
    o->SetText("ABC");
    o->m_nRows = o->m_nColumns = 999;
    o->m_dRowGap = o->m_dColumnGap = 2;
    o->m_nOutputMode = 2;
    s->Open(3);
  }
  for (auto _ : state) s->Paint();
}
BENCHMARK(BM_ArcTextGrid999Paint)->Unit(benchmark::kMillisecond);

void BM_HugeLineWithTrackerPaint(benchmark::State& state) {
  auto& s = Slot(1);
  if (!s) {
    s = std::make_unique<Scene>("korvane-bench-scale-line");
    auto* o = s->List().AddLine(nullptr, TRUE, TRUE);
    o->m_dWidth = 1e9;
    o->m_dHeight = 1;
    o->m_nRows = o->m_nColumns = 1;
    o->m_nOutputMode = 2;
    s->Open(3);
    s->view->ChangeTracker(1);
    s->Paint();
  }
  for (auto _ : state) s->Paint();
}
BENCHMARK(BM_HugeLineWithTrackerPaint)->Unit(benchmark::kMillisecond);

std::vector<BYTE> Checker(int side, int cell) {
  std::vector<BYTE> block = MonoBmpFile::Create(side, side);
  const int stride = static_cast<int>(MonoBmpFile::Stride(side));
  for (int y = 0; y < side; ++y) {
    BYTE* row = block.data() + MonoBmpFile::kHeaderSize + static_cast<size_t>(side - 1 - y) * stride;
    for (int x = 0; x < side; ++x)
      if ((x / cell + y / cell) % 2 == 0) row[x / 8] &= static_cast<BYTE>(~(0x80 >> (x % 8)));
  }
  return block;
}

void BM_TenLargeImagesRepaint(benchmark::State& state) {
  auto& s = Slot(2);
  if (!s) {
    s = std::make_unique<Scene>("korvane-bench-scale-images");
    for (int k = 0; k < 10; ++k) {
      CBmpObject* o = s->List().AddBmpFromImage(Checker(2000, 40));
      o->m_dWidth = o->m_dHeight = 30;
      o->m_dPosX = -170 + (k % 5) * 70;
      o->m_dPosY = (k / 5) * 70 - 35;
      o->m_nOutputMode = 2;
    }
    s->Open(3);
  }
  for (auto _ : state) s->Paint();
}
BENCHMARK(BM_TenLargeImagesRepaint)->Unit(benchmark::kMillisecond);

void BM_ThousandQrCodesRepaint(benchmark::State& state) {
  auto& s = Slot(3);
  if (!s) {
    s = std::make_unique<Scene>("korvane-bench-scale-qr");
    for (int k = 0; k < 1000; ++k) {
      auto* o = s->List().AddBarcode(nullptr, TRUE, TRUE);
      o->m_dSizeX = o->m_dSizeY = 7;
      o->m_nRows = o->m_nColumns = 1;
      o->m_dPosX = -200 + (k % 50) * 8.0;
      o->m_dPosY = -110 + (k / 50) * 11.0;
      char text[32];
      std::snprintf(text, sizeof text, "CODE-%04d", k);
      o->m_strText = CString(text);
      o->m_nLevel = 1;
      o->m_nVersion = -1;
      o->m_nOutputMode = 2;
    }
    s->Open(3);
  }
  for (auto _ : state) s->Paint();
}
BENCHMARK(BM_ThousandQrCodesRepaint)->Unit(benchmark::kMillisecond);

// 10,000 entries of the shared mix: the 500-entry design's grid, twenty layers deep.
void BM_TenThousandEntriesRepaint(benchmark::State& state) {
  const int zoom = static_cast<int>(state.range(0));
  auto& s = Slot(zoom == 3 ? 4 : 5);
  if (!s) {
    s = std::make_unique<Scene>(zoom == 3 ? "korvane-bench-scale-mix3" : "korvane-bench-scale-mix9");
    benchdesign::AddMix(s->List(), 10000);
    s->Open(zoom);
  }
  for (auto _ : state) s->Paint();
}
BENCHMARK(BM_TenThousandEntriesRepaint)->Arg(3)->Arg(9)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
