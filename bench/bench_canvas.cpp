// The canvas view's output side on a design of 200 mixed objects (shapes, texts and one 2000 x
// 2000 bitmap) on a 420 x 240 mm page: the engraving raster at 40 dots per millimetre, and the
// outline capture of every entry as the outline engines run it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>
#include <string>

#include "bench/bench_document.h"
#include "bench/bench_support.h"
#include "canvas/leftview.h"
#include "imaging/monobmp.h"
#include "model/bmpobject.h"
#include "model/drawobject.h"
#include "model/korvane_doc.h"
#include "model/objectlist.h"
#include "model/textobject.h"

namespace {

std::vector<BYTE> BigImage() {
  constexpr int kSide = 2000;
  std::vector<BYTE> block = MonoBmpFile::Create(kSide, kSide);
  const int stride = static_cast<int>(MonoBmpFile::Stride(kSide));
  for (int y = 0; y < kSide; ++y) {
    BYTE* row = block.data() + MonoBmpFile::kHeaderSize + static_cast<size_t>(kSide - 1 - y) * stride;
    for (int x = 0; x < kSide; ++x) {
      // Rings and blocks: many figures for the tracer, large areas for the raster.
      const int dx = x - 1000, dy = y - 1000;
      const int d2 = dx * dx + dy * dy;
      const bool ink = ((d2 / 40000) % 2 == 0 && d2 < 900000) || ((x / 100 + y / 100) % 3 == 0 && d2 >= 900000);
      if (ink) row[x / 8] &= static_cast<BYTE>(~(0x80 >> (x % 8)));
    }
  }
  return block;
}

template <class T>
void OneCopy(T* o, double x, double y) {
  o->m_dPosX = x;
  o->m_dPosY = y;
  o->m_nRows = 1;
  o->m_nColumns = 1;
  o->m_nOutputMode = 2;
}

// A design of 200 entries after the work area: 199 small objects in a grid and the bitmap.
struct Design {
  benchdoc::Document d{"korvane-bench-canvas"};
  std::unique_ptr<CKorvaneDoc>& doc = d.doc;
  std::unique_ptr<CLeftView> view;

  Design() {
    CObjectList& list = *doc->GetObjectList();
    for (int k = 0; k < 199; ++k) {
      const double x = -195 + (k % 20) * 19.5;
      const double y = -110 + (k / 20) * 22;
      switch (k % 9) {
        case 0: { auto* o = list.AddLine(nullptr, TRUE, TRUE); o->m_dWidth = 12; o->m_dHeight = 0.5; o->m_dAngle = 30; OneCopy(o, x, y); break; }
        case 1: { auto* o = list.AddRectangle(nullptr, TRUE, TRUE); o->m_dWidth = 12; o->m_dHeight = 8; o->m_nEdgeStyle = 1; o->m_dEdgeRadius = 2; OneCopy(o, x, y); break; }
        case 2: { auto* o = list.AddCircle(nullptr, TRUE, TRUE); o->m_dSizeX = 10; o->m_dSizeY = 10; OneCopy(o, x, y); break; }
        case 3: { auto* o = list.AddTriangle(nullptr, TRUE, TRUE); o->m_dWidth = 12; o->m_dHeight = 10; OneCopy(o, x, y); break; }
        case 4: { auto* o = list.AddRhombic(nullptr, TRUE, TRUE); o->m_dWidth = 12; o->m_dHeight = 10; OneCopy(o, x, y); break; }
        case 5: { auto* o = list.AddPolygon(nullptr, TRUE, TRUE); o->m_dSize = 12; o->m_nEdges = 6; OneCopy(o, x, y); break; }
        case 6:
        case 7: { auto* o = list.AddText1(nullptr, TRUE, TRUE); o->m_dWidth = 16; o->m_dHeight = 8; o->SetText("AB12"); OneCopy(o, x, y); break; }
        default: { auto* o = list.AddText2(nullptr, TRUE, TRUE); o->m_dRadiusX = 8; o->m_dRadiusY = 8; o->SetText("ABCDE"); OneCopy(o, x, y); break; }
      }
    }
    CBmpObject* bmp = list.AddBmpFromImage(BigImage());
    bmp->m_dPosX = 150;
    bmp->m_dPosY = 80;
    view = std::make_unique<CLeftView>(doc.get());
  }
  ~Design() {
    view.reset();
    doc.reset();
  }
};

Design& TheDesign() {
  static Design design;
  return design;
}

void BM_EngravingRaster(benchmark::State& state) {
  Design& d = TheDesign();
  for (auto _ : state) {
    CDC dc;
    int size[2];
    CDoubleRect bounds;
    int oldZoom = 0;
    const int n = d.view->GetBitmapDC(&dc, size, &bounds, &oldZoom);
    benchmark::DoNotOptimize(n);
    CLeftView::ReleaseBitmapDC(&dc);
    d.view->RestoreZoom(d.doc.get(), oldZoom);
    d.view->SetRenderMode(RENDER_SCREEN);
  }
}
BENCHMARK(BM_EngravingRaster)->Unit(benchmark::kMillisecond);

void BM_CaptureEveryOutline(benchmark::State& state) {
  Design& d = TheDesign();
  const int count = d.doc->GetObjectList()->GetCount();
  long points = 0;
  for (auto _ : state) {
    points = 0;
    for (int i = 1; i < count; ++i) {
      if (d.view->GetOutlineType(i) > TYPE_BMP) continue;
      const int n = d.view->SetOutlineData(i);
      if (n > 0) points += n;
      d.view->ReleaseOutlinePoints();
    }
    benchmark::DoNotOptimize(points);
  }
  state.counters["points"] = static_cast<double>(points);
}
BENCHMARK(BM_CaptureEveryOutline)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
