// The 1-bit image toolkit on a 4000 x 4000 image (100 x 100 mm at 40 pixels per mm) of
// text-like content: tracing, the outline export and each filter.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <string>

#include "imaging/monoimagetool.h"

namespace {

constexpr int kSize = 4000;

void PaintInk(std::vector<BYTE>& img, int x, int y) {
  if (x < 0 || y < 0 || x >= kSize || y >= kSize) return;
  const size_t stride = static_cast<size_t>(MonoBmpFile::Stride(kSize));
  img[62 + static_cast<size_t>(kSize - 1 - y) * stride + x / 8] &= static_cast<BYTE>(~(0x80 >> (x % 8)));
}

// Lines of glyph-like figures: bars, stems, diagonals and bowls six pixels thick in cells of
// 60 x 80 pixels, with gaps between letters, words and lines.
const std::vector<BYTE>& TextImage() {
  static const std::vector<BYTE> image = [] {
    std::vector<BYTE> img = MonoBmpFile::Create(kSize, kSize);
    std::mt19937 rng(42);
    const int cw = 60, ch = 80, pen = 6;
    for (int top = 20; top + ch < kSize; top += ch + 24) {
      for (int left = 20; left + cw < kSize; left += cw + 8) {
        if (rng() % 7 == 0) continue;  // a space between words
        const unsigned strokes = rng();
        auto bar = [&](int x0, int y0, int x1, int y1) {
          const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
          for (int i = 0; i <= steps; ++i) {
            const int x = x0 + (x1 - x0) * i / std::max(steps, 1);
            const int y = y0 + (y1 - y0) * i / std::max(steps, 1);
            for (int dy = 0; dy < pen; ++dy)
              for (int dx = 0; dx < pen; ++dx) PaintInk(img, left + x + dx, top + y + dy);
          }
        };
        const int r = cw - pen, b = ch - pen, m = b / 2;
        if (strokes & 1) bar(0, 0, r, 0);
        if (strokes & 2) bar(0, m, r, m);
        if (strokes & 4) bar(0, b, r, b);
        if (strokes & 8) bar(0, 0, 0, b);
        if (strokes & 16) bar(r, 0, r, b);
        if (strokes & 32) bar(r / 2, 0, r / 2, b);
        if (strokes & 64) bar(0, b, r, 0);
        if (strokes & 128) bar(0, 0, r, b);
        if (strokes & 256) {
          for (int a = 0; a < 360; a += 2) {
            const double t = a * 3.14159265358979 / 180.0;
            bar(static_cast<int>(r / 2 + std::cos(t) * r / 2), static_cast<int>(m + std::sin(t) * m),
                static_cast<int>(r / 2 + std::cos(t) * r / 2), static_cast<int>(m + std::sin(t) * m));
          }
        }
        if ((strokes & 511) == 0) bar(r / 2, 0, r / 2, b);
      }
    }
    return img;
  }();
  return image;
}

void BM_TraceBmp(benchmark::State& state) {
  const std::vector<BYTE>& img = TextImage();
  CMonoImageTool tool;
  int points = 0;
  for (auto _ : state) {
    TracedOutline out;
    benchmark::DoNotOptimize(tool.TraceBmp(img.data(), img.size(), &out));
    points = out.count;
  }
  state.counters["points"] = points;
}
BENCHMARK(BM_TraceBmp)->Unit(benchmark::kMillisecond);

void BM_ExportHpgl(benchmark::State& state) {
  const std::vector<BYTE>& img = TextImage();
  const CString path = CString((std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") + "/bench_imaging.bmp").c_str());
  CMonoImageTool tool;
  for (auto _ : state) {
    TracedOutline out;
    benchmark::DoNotOptimize(tool.ExportHpgl(img.data(), img.size(), &out, path));
  }
}
BENCHMARK(BM_ExportHpgl)->Unit(benchmark::kMillisecond);

// Runs a filter on a fresh copy of the image each time; the copy is not timed.
template <typename F>
void RunFilter(benchmark::State& state, F filter) {
  std::vector<BYTE> work;
  for (auto _ : state) {
    state.PauseTiming();
    work = TextImage();
    state.ResumeTiming();
    filter(work);
    benchmark::ClobberMemory();
  }
}

void BM_ThickenImage(benchmark::State& state) {
  RunFilter(state, [](std::vector<BYTE>& w) {
    benchmark::DoNotOptimize(CMonoImageTool::ThickenImage(w.data(), w.size(), 2, 2, nullptr));
  });
}
BENCHMARK(BM_ThickenImage)->Unit(benchmark::kMillisecond);

void BM_ExtractOutline(benchmark::State& state) {
  RunFilter(state, [](std::vector<BYTE>& w) {
    benchmark::DoNotOptimize(CMonoImageTool::ExtractOutline(w.data(), w.size(), nullptr));
  });
}
BENCHMARK(BM_ExtractOutline)->Unit(benchmark::kMillisecond);

void BM_InvertImage(benchmark::State& state) {
  RunFilter(state, [](std::vector<BYTE>& w) {
    benchmark::DoNotOptimize(CMonoImageTool::InvertImage(w.data(), w.size(), nullptr));
  });
}
BENCHMARK(BM_InvertImage)->Unit(benchmark::kMillisecond);

void BM_FillImage(benchmark::State& state) {
  RunFilter(state, [](std::vector<BYTE>& w) {
    benchmark::DoNotOptimize(CMonoImageTool::FillImage(w.data(), w.size(), 0, nullptr));
  });
}
BENCHMARK(BM_FillImage)->Unit(benchmark::kMillisecond);

void BM_WidenBmp(benchmark::State& state) {
  RunFilter(state, [](std::vector<BYTE>& w) {
    benchmark::DoNotOptimize(CMonoImageTool::WidenBmp(w.data(), w.size(), 2, 2));
  });
}
BENCHMARK(BM_WidenBmp)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
