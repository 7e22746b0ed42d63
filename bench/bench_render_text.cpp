// Outline capture of a 200-character Japanese straight text and a Japanese arc text, as outline
// output does it for every copy (screen mode, zoom 1).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "bench/bench_support.h"
#include "model/kinds.h"
#include "model/textobject.h"
#include "platform/gdi/gdi.h"
#include "render/object_renderer.h"
#include "render/text_layout.h"

namespace {

class BenchDocument : public IRenderDocument {
 public:
  double GetZoomFactor() const override { return 1.0; }
  int GetDrawX() const override { return 42000; }
  int GetDrawY() const override { return 24000; }
  int GetDpm() const override { return 40; }
  int IsPaintMode() const override { return 0; }
};

// n characters of kana and kanji, in lines of `perLine` characters.
CString JapaneseText(int n, int perLine) {
  static const char* const kChars[] = {"刻", "印", "文", "字", "列", "あ", "い", "う", "え", "お",
                                       "カ", "キ", "ク", "ケ", "コ", "東", "京", "日", "本", "語"};
  std::string s;
  for (int i = 0; i < n; ++i) {
    if (i > 0 && perLine > 0 && i % perLine == 0) s += "\r\n";
    s += kChars[i % 20];
  }
  return CString::FromUtf8(s);
}

struct Fixture {
  Fixture() {
    dc.CreateCompatibleDC(nullptr);
    dc.SetMapMode(MM_HIMETRIC);
    r.Init(&dc, &doc);
  }
  BenchDocument doc;
  CDC dc;
  CObjectRenderer r;
};

void BM_CaptureStraightText200(benchmark::State& state) {
  Fixture f;
  CText1Object obj;
  obj.SetDefaults();
  obj.m_nType = TYPE_TEXT1;
  obj.SetText(JapaneseText(200, 50));
  obj.m_nCharSet = 128;
  obj.m_strFaceName = CString::FromUtf8("ＭＳ 明朝");
  obj.m_dWidth = 250;
  obj.m_dHeight = 30;
  CDoubleRect rc;
  f.r.MmRectToLogical(obj.m_dWidth, obj.m_dHeight, 0, 0, &rc);
  size_t points = 0;
  for (auto _ : state) {
    TextOutlineLists lists;
    f.r.GetText1Points(&f.dc, &f.doc, rc.left, rc.top, rc.right, rc.bottom, &obj, lists);
    points = lists.points.size();
    benchmark::DoNotOptimize(lists.points.data());
  }
  state.counters["points"] = static_cast<double>(points);
}
BENCHMARK(BM_CaptureStraightText200)->Unit(benchmark::kMillisecond);

void BM_CaptureArcText(benchmark::State& state) {
  Fixture f;
  CText2Object obj;
  obj.SetDefaults();
  obj.m_nType = TYPE_TEXT2;
  const int n = static_cast<int>(state.range(0));
  obj.SetText(JapaneseText(n, 0));
  obj.m_nCharSet = 128;
  obj.m_strFaceName = CString::FromUtf8("ＭＳ ゴシック");
  obj.m_dRadiusX = obj.m_dRadiusY = n > 40 ? 100 : 20;
  obj.m_dSpan = n > 40 ? 350 : 260;
  CDoubleRect rc;
  f.r.MmRectToLogical(2 * obj.m_dRadiusX, 2 * obj.m_dRadiusY, 0, 0, &rc);
  size_t points = 0;
  for (auto _ : state) {
    TextOutlineLists lists;
    f.r.GetText2Points(&f.dc, &f.doc, rc.left, rc.top, rc.right, rc.bottom, &obj, lists);
    points = lists.points.size();
    benchmark::DoNotOptimize(lists.points.data());
  }
  state.counters["points"] = static_cast<double>(points);
}
BENCHMARK(BM_CaptureArcText)->Arg(10)->Arg(200)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
