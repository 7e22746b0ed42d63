// Text into a path as the text renderers do it: a fresh font per character, its ABC widths and
// extent, the glyph into the open path; then the whole path flattened.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "platform/cstring.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/font.h"
#include "platform/gdi/font_text.h"

namespace {

// `count` consecutive two-byte codes from the first kanji, starting `skip` codes in.
std::vector<std::string> Kanji(int count, int skip) {
  std::vector<std::string> out;
  int lead = 0x88, trail = 0x9F;
  int seen = 0;
  while (static_cast<int>(out.size()) < count) {
    if (seen++ >= skip) out.push_back(std::string{static_cast<char>(lead), static_cast<char>(trail)});
    ++trail;
    if (trail == 0x7F) ++trail;
    if (trail > 0xFC) {
      trail = 0x40;
      ++lead;
      if (lead == 0xA0) lead = 0xE0;  // 0xA0-0xDF are single-byte characters
    }
  }
  return out;
}

void LayIntoPath(CDC& dc, const std::vector<std::string>& chars, const std::string& face) {
  dc.BeginPath();
  int x = 0;
  for (size_t i = 0; i < chars.size(); ++i) {
    LOGFONT lf;
    lf.lfHeight = -(800 + static_cast<LONG>(i % 5) * 50);
    lf.lfWidth = 400;
    lf.lfCharSet = SHIFTJIS_CHARSET;
    lf.lfQuality = PROOF_QUALITY;
    std::memcpy(lf.lfFaceName, face.data(), face.size());
    CFont font;
    font.CreateFontIndirect(&lf);
    CFont* old = dc.SelectObject(&font);
    const std::string& c = chars[i];
    const UINT code = (static_cast<unsigned char>(c[0]) << 8) | static_cast<unsigned char>(c[1]);
    ABCFLOAT abc;
    gditext::GetCharABCWidthsFloat(dc, code, code, &abc);
    SIZE size;
    gditext::GetTextExtentPoint32(dc, c.data(), 2, &size);
    gditext::TextOut(dc, x, -static_cast<int>(i / 40) * 1000, c.data(), 2);
    x = (x + size.cx) % 40000;
    dc.SelectObject(old);
  }
  dc.EndPath();
  dc.FlattenPath();
  benchmark::DoNotOptimize(dc.GetPath(nullptr, nullptr, 0));
}

const std::string& Mincho() {
  static const std::string face = CString::FromUtf8("ＭＳ 明朝").str();
  return face;
}

// Glyph outlines already cached (the face and the glyphs met before).
void BM_ThousandTwoByteCharactersIntoPath(benchmark::State& state) {
  const std::vector<std::string> chars = Kanji(1000, 0);
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  dc.SetMapMode(MM_HIMETRIC);
  LayIntoPath(dc, chars, Mincho());
  for (auto _ : state) LayIntoPath(dc, chars, Mincho());
}
BENCHMARK(BM_ThousandTwoByteCharactersIntoPath)->Unit(benchmark::kMillisecond);

// Every glyph met for the first time (the face is loaded already).
void BM_ThousandNewTwoByteCharactersIntoPath(benchmark::State& state) {
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  dc.SetMapMode(MM_HIMETRIC);
  static int round = 1;  // across repetitions too, so no glyph is met twice
  for (auto _ : state) {
    state.PauseTiming();
    const std::vector<std::string> chars = Kanji(1000, 1000 * round++);
    state.ResumeTiming();
    LayIntoPath(dc, chars, Mincho());
  }
}
BENCHMARK(BM_ThousandNewTwoByteCharactersIntoPath)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
