// The frame's object clipboard and the project open: copying and pasting 500 selected objects,
// and opening a 500-object binary project (replacing the design).
#include <benchmark/benchmark.h>

#include <QApplication>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/frame_commands.h"
#include "files/mrk_binary.h"
#include "files/mrk_open_save.h"
#include "model/korvane_doc.h"
#include "model/objectlist.h"
#include "platform/archive.h"
#include "platform/paths.h"
#include "platform/ui/object_clipboard.h"

namespace {

constexpr int kObjects = 500;

class MemoryClipboard : public IObjectClipboard {
 public:
  bool SetData(const std::vector<std::uint8_t>& bytes) override {
    data = bytes;
    return true;
  }
  bool HasData() const override { return !data.empty(); }
  bool GetData(std::vector<std::uint8_t>& bytes) const override {
    bytes = data;
    return !data.empty();
  }
  void ClearOwnData() override { data.clear(); }
  std::vector<std::uint8_t> data;
};

struct Folder {
  Folder() {
    char pattern[] = "/tmp/bench_commands_XXXXXX";
    path = mkdtemp(pattern);
    paths::SetCompanionBase(path + "/korvane");
  }
  ~Folder() {
    paths::SetCompanionBase("");
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
  std::string path;
};

void FillDesign(CObjectList& list) {
  for (int i = 0; i < kObjects; ++i) {
    CDrawObject* o = nullptr;
    switch (i % 4) {
      case 0: o = list.AddLine(nullptr, TRUE, TRUE); break;
      case 1: o = list.AddRectangle(nullptr, TRUE, TRUE); break;
      case 2: o = list.AddCircle(nullptr, TRUE, TRUE); break;
      default: o = list.AddPolygon(nullptr, TRUE, TRUE); break;
    }
    o->m_dPosX = i * 0.1;
  }
}

void BM_CopyAndPaste500(benchmark::State& state) {
  Folder folder;
  g_bModified = 0;
  auto doc = std::make_unique<CKorvaneDoc>();
  doc->OnNewDocument();
  FillDesign(*doc->GetObjectList());
  const int base = doc->GetObjectList()->GetCount();
  MemoryClipboard clipboard;
  CCommandTable table;
  auto* commands = new CFrameCommands(table, CommandContext{doc.get(), nullptr, nullptr, nullptr, nullptr}, &clipboard);
  commands->Register();
  for (auto _ : state) {
    state.PauseTiming();
    doc->GetObjectList()->RemoveAllButDrawing();
    FillDesign(*doc->GetObjectList());
    std::vector<int> flags(static_cast<size_t>(base - 1), 1);
    doc->SetMultiSelection(flags.data(), static_cast<int>(flags.size()));
    state.ResumeTiming();
    commands->CopyObjectsToClipboard();
    commands->PasteObjectsFromClipboard();
    benchmark::DoNotOptimize(doc->GetObjectList()->GetCount());
  }
  if (doc->GetObjectList()->GetCount() != 2 * kObjects + 1) state.SkipWithError("the paste did not copy all");
  delete commands;
  doc.reset();
  g_bModified = 0;
}
BENCHMARK(BM_CopyAndPaste500)->Unit(benchmark::kMillisecond);

void BM_OpenMrkFile500(benchmark::State& state) {
  Folder folder;
  CObjectList other;
  other.Initialize();
  FillDesign(other);
  const std::vector<BYTE> bytes = CMrkBinaryFile::Serialize(other);
  const std::string path = folder.path + "/design.mrk";
  fileio::WriteAtomically(path, bytes.data(), bytes.size());
  g_bModified = 0;
  auto doc = std::make_unique<CKorvaneDoc>();
  doc->OnNewDocument();
  for (auto _ : state) {
    g_bModified = 0;
    benchmark::DoNotOptimize(doc->OpenMrkFile(CString(path), 1));
  }
  if (doc->GetObjectList()->GetCount() != kObjects + 1) state.SkipWithError("the design did not load");
  doc.reset();
  g_bModified = 0;
}
BENCHMARK(BM_OpenMrkFile500)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
