// The 1-bit page bitmap of a 420 x 240 mm page at 40 dots/mm: filling it white, drawing the
// inscribed filled ellipse, and reading it back pixel by pixel as the raster engraving does.
#include <benchmark/benchmark.h>

#include "platform/gdi/gdi.h"

namespace {

constexpr int kWidth = 16800;
constexpr int kHeight = 9600;

struct Page {
  CDC dc;
  CBitmap bmp;
  CBitmap* old = nullptr;
  Page() {
    dc.CreateCompatibleDC(nullptr);
    bmp.CreateBitmap(kWidth, kHeight, 1, 1, nullptr);
    old = dc.SelectObject(&bmp);
  }
  ~Page() { dc.SelectObject(old); }
};

void BM_FillWhite(benchmark::State& state) {
  Page page;
  CBrush white(RGB(255, 255, 255));
  CRect r(0, 0, kWidth, kHeight);
  for (auto _ : state) {
    page.dc.FillRect(&r, &white);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_FillWhite)->Unit(benchmark::kMillisecond);

void BM_FilledEllipse(benchmark::State& state) {
  Page page;
  page.dc.PatBlt(0, 0, kWidth, kHeight, WHITENESS);
  CBrush black(RGB(0, 0, 0));
  CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
  page.dc.SelectObject(&black);
  page.dc.SelectObject(&pen);
  for (auto _ : state) {
    page.dc.Ellipse(0, 0, kWidth, kHeight);
    benchmark::ClobberMemory();
  }
  page.dc.SelectStockObject(WHITE_BRUSH);
  page.dc.SelectStockObject(BLACK_PEN);
}
BENCHMARK(BM_FilledEllipse)->Unit(benchmark::kMillisecond);

void BM_GetPixelScan(benchmark::State& state) {
  Page page;
  page.dc.PatBlt(0, 0, kWidth, kHeight, WHITENESS);
  CBrush black(RGB(0, 0, 0));
  page.dc.SelectObject(&black);
  page.dc.Ellipse(0, 0, kWidth, kHeight);
  page.dc.SelectStockObject(WHITE_BRUSH);
  for (auto _ : state) {
    long long ink = 0;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) ink += page.dc.GetPixel(x, y) == 0;
    benchmark::DoNotOptimize(ink);
  }
}
BENCHMARK(BM_GetPixelScan)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
