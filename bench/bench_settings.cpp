// The fixed-field scanning-area page: its preview of a rounded area turned by 30 degrees in a
// 320 x 240 frame, and one typed offset character with move-on-change (setter, copy into the
// settings, preview, the pen-up command written to a port file).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWidget>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "files/settings_fixed_field.h"
#include "model/korvane_doc.h"
#include "pages/settings_pages.h"
#include "platform/gdi/gdi.h"
#include "platform/paths.h"
#include "res/dialog_190.h"

namespace {

class BenchFormHost : public IPageFormHost {
 public:
  CKorvaneDoc* doc = nullptr;
  CKorvaneDoc* GetPageDocument() override { return doc; }
  int GetRememberedPage(int) override { return 0; }
  void SetRememberedPage(int, int) override {}
};

struct Session {
  std::string folder;
  std::unique_ptr<CKorvaneDoc> doc;
  BenchFormHost form;
  QWidget parent;
  CPageDrawAreaFix page;
  CDC dc;
  CBitmap bitmap;
  CBitmap* old = nullptr;

  Session() {
    folder = (std::filesystem::temp_directory_path() / "korvane-bench-settings").string();
    std::filesystem::create_directories(folder);
    paths::SetCompanionBase(folder + "/korvane");
    setenv("DRAVENTIS_LPT1", (folder + "/lpt1.out").c_str(), 1);
    doc = std::make_unique<CKorvaneDoc>();
    doc->OnNewDocument();
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
    paths::SetCompanionBase("");
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
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

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
