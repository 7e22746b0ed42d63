// Seal design: building a corporate seal (20-character ring text, 12-character inner text) and
// turning a 24 mm personal seal's inner text into its clipped image.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "canvas/leftview.h"
#include "model/korvane_doc.h"
#include "model/objectlist.h"
#include "platform/paths.h"
#include "platform/ui/modal_dialogs.h"

namespace {

class BenchDialogs : public IModalDialogs {
 public:
  bool LayerDialog(LayerDialogData&) override { return false; }
  bool OutputModeDialog(OutputModeDialogData&) override { return false; }
  bool FontDialog(FontDialogData&) override { return false; }
  bool PersonalSealDialog(PersonalSealDialogData& d) override {
    d.shape = 0;
    d.width = d.height = 24;
    d.frame = 0.5;
    d.style = 2;
    d.fontHist[0] = CString::FromUtf8("ＭＳ 明朝");
    d.lines = {CString::FromUtf8("山田"), CString::FromUtf8("太郎")};
    return true;
  }
  bool CorporateSealDialog(CorporateSealDialogData& d) override {
    d.width = d.height = 24;
    d.uchiwaku = 1;
    d.tenmaru = 0;  // the ring holds exactly its 20 characters
    d.kaibunSize = 20;
    d.sotoSize = 0.5;
    d.uchiSize = 0.3;
    d.style = 2;
    d.ringText = CString::FromUtf8("株式会社ドラヴェンティス東京本社営業本部");
    d.uchiText = {CString::FromUtf8("代表取締役　之印代表取締役")};
    return true;
  }
};

struct Seal {
  std::string folder;
  BenchDialogs dialogs;
  std::unique_ptr<CKorvaneDoc> doc;
  std::unique_ptr<CLeftView> view;
  Seal() {
    folder = (std::filesystem::temp_directory_path() / "korvane-bench-seal").string();
    std::filesystem::create_directories(folder);
    paths::SetCompanionBase(folder + "/korvane");
    SetModalDialogs(&dialogs);
    doc = std::make_unique<CKorvaneDoc>();
    doc->OnNewDocument();
    view = std::make_unique<CLeftView>(doc.get());
  }
  ~Seal() {
    view.reset();
    doc.reset();
    SetModalDialogs(nullptr);
    paths::SetCompanionBase("");
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
  }
};

Seal& TheSeal() {
  static Seal seal;
  return seal;
}

void BM_BuildCorporateSeal(benchmark::State& state) {
  Seal& s = TheSeal();
  for (auto _ : state) {
    g_bModified = 0;  // no save prompt between rounds
    s.doc->BuildCorporateSeal();
  }
  // What one round made: the frames, the ring text and the 12 characters.
  state.counters["objects"] = s.doc->GetObjectList()->GetCount() - 1;
}
BENCHMARK(BM_BuildCorporateSeal)->Unit(benchmark::kMillisecond);

void BM_ConvertInnerTextToImage(benchmark::State& state) {
  Seal& s = TheSeal();
  for (auto _ : state) {
    state.PauseTiming();
    g_bModified = 0;
    s.doc->BuildPersonalSeal();
    state.ResumeTiming();
    s.doc->ConvertInnerTextToImage(0);
  }
  // The image made in the last round.
  const CObjectList& list = *s.doc->GetObjectList();
  const CDrawObject* last = list.GetObject(list.GetCount() - 1);
  state.counters["image"] = last && last->m_nType == TYPE_BMP && !last->m_bDeleted ? 1 : 0;
}
BENCHMARK(BM_ConvertInnerTextToImage)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  ::benchmark::Initialize(&argc, argv);
  ::benchmark::RunSpecifiedBenchmarks();
  ::benchmark::Shutdown();
  return 0;
}
