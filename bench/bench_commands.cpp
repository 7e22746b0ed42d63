// The frame's object clipboard and the project open: copying and pasting 500 selected objects,
// and opening a 500-object binary project (replacing the design).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "app/frame_commands.h"
#include "bench/bench_document.h"
#include "bench/bench_support.h"
#include "files/mrk_binary.h"
#include "files/mrk_open_save.h"
#include "model/korvane_doc.h"
#include "model/objectlist.h"
#include "platform/archive.h"
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

void FillDesign(CObjectList& list) {
  benchdoc::AddMixed(list, kObjects, {TYPE_LINE, TYPE_RECTANGLE, TYPE_CIRCLE, TYPE_POLYGON},
                     [](int i, CDrawObject* o) { o->m_dPosX = i * 0.1; });
}

void BM_CopyAndPaste500(benchmark::State& state) {
  g_bModified = 0;
  benchdoc::Document d("bench_commands");
  std::unique_ptr<CKorvaneDoc>& doc = d.doc;
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
  benchdoc::Document d("bench_commands");
  std::unique_ptr<CKorvaneDoc>& doc = d.doc;
  CObjectList other;
  other.Initialize();
  FillDesign(other);
  const std::vector<BYTE> bytes = CMrkBinaryFile::Serialize(other);
  const std::string path = d.folder.path + "/design.mrk";
  fileio::WriteAtomically(path, bytes.data(), bytes.size());
  g_bModified = 0;
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

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
