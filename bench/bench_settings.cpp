// The fixed-field scanning-area page: its preview of a rounded area turned by 30 degrees in a
// 320 x 240 frame, and one typed offset character with move-on-change (setter, copy into the
// settings, preview, the pen-up command written to a port file).
#include <benchmark/benchmark.h>

#include <QWidget>
#include <cstdlib>
#include <memory>

#include "bench/bench_document.h"
#include "bench/bench_support.h"
#include "files/settings_fixed_field.h"
#include "model/korvane_doc.h"
#include "pages/settings_pages.h"
#include "platform/gdi/gdi.h"
#include "res/dialog_190.h"

namespace {

struct Session {
  benchdoc::Document d{"korvane-bench-settings"};
  std::unique_ptr<CKorvaneDoc>& doc = d.doc;
  benchdoc::FormHost form;
  QWidget parent;
  CPageDrawAreaFix page;
  CDC dc;
  CBitmap bitmap;
  CBitmap* old = nullptr;

  Session() {
    setenv("DRAVENTIS_LPT1", (d.folder.path + "/lpt1.out").c_str(), 1);
    ApplyFixedFieldModel(doc->m_Settings, 3, 4000, 4000);
    CSettingsDrawingArea& a = doc->m_Settings.DrawingArea;
    a.OffsetX = 20, a.OffsetY = 15, a.Width = 40, a.Height = 25, a.OutlineIndex = 5, a.RoundSize = 5;
    doc->m_Settings.DrawingData.ScanAngle = 30;
    doc->m_Settings.DrawingField.PlotIndex = 3;
    doc->m_bMoveOnChange = 1;
    doc->SetCurrentObject(0, FALSE, FALSE);
    form.doc = doc.get();
    CPageHelper::SetFormHost(&form);
    page.CreatePageWindow(&parent);
    page.Activate();
    dc.CreateCompatibleDC(nullptr);
    bitmap.CreateBitmap(320, 240, 1, 32, nullptr);
    old = dc.SelectObject(&bitmap);
  }
  ~Session() {
    dc.SelectObject(old);
    CPageHelper::SetFormHost(nullptr);
    doc.reset();
    unsetenv("DRAVENTIS_LPT1");
  }
};

void BM_FixedAreaPreviewRoundedTurned(benchmark::State& state) {
  Session s;
  for (auto _ : state) s.page.DrawPreview(s.dc, CRect(0, 0, 320, 240));
}
BENCHMARK(BM_FixedAreaPreviewRoundedTurned)->Unit(benchmark::kMicrosecond);

void BM_FixedAreaTypedOffsetMovesHead(benchmark::State& state) {
  Session s;
  const CString texts[2] = {"21", "22"};
  int k = 0;
  for (auto _ : state) {
    // The edit's change notifies as a typed key does.
    s.page.Host()->SetDlgItemText(dlg190::IDC_OFFSET_X, texts[k ^= 1]);
    s.page.DrawPreview(s.dc, CRect(0, 0, 320, 240));
  }
  state.counters["offset"] = s.doc->m_Settings.DrawingArea.OffsetX;
}
BENCHMARK(BM_FixedAreaTypedOffsetMovesHead)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
