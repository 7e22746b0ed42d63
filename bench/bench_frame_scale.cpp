// Large designs through the real main frame, each operation timed with the paint that follows it
// (offscreen, CPU time, designs made here):
// - one key into a text's character page (a character's size X through the document, as the
//   page's edit sends it) with the canvas paint, on texts of 20,000 and 1,000,000 characters;
// - a repaint of a 1,000,000-character text of which one screen is shown;
// - the end of a 60-move pen stroke (the release) and its undo, each with its paint, on a
//   10,000 x 10,000 picture in the paint editor at 100 % and 800 %;
// - a paste of 100,000 objects through the paste command with its paint, and the memory kept
//   once the pasted objects are deleted again;
// - 1,000,000 small shapes: opening their binary file (first paint included), a repaint of the
//   whole page, and a save with its peak memory beyond the design's.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <malloc.h>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/korvane_view.h"
#include "app/main_frame.h"
#include "bench/bench_document.h"
#include "bench/bench_program.h"
#include "bench/bench_support.h"
#include "canvas/leftview.h"
#include "files/mrk_binary.h"
#include "files/mrk_open_save.h"
#include "imaging/monobmp.h"
#include "imaging/paint_editor.h"
#include "model/doc_clipboard.h"
#include "model/korvane_doc.h"
#include "model/objectlist.h"
#include "pages/object_pages.h"
#include "pages/settings_pages.h"
#include "platform/archive.h"
#include "platform/ui/object_clipboard.h"
#include "res/resource.h"

namespace {

// A line of /proc/self/status in megabytes ("VmRSS", "VmHWM").
double StatusMB(const char* key) {
  std::ifstream in("/proc/self/status");
  std::string line;
  const std::string prefix = std::string(key) + ":";
  while (std::getline(in, line))
    if (line.rfind(prefix, 0) == 0) return std::atof(line.c_str() + prefix.size()) / 1024.0;
  return 0.0;
}

// Heap bytes in use, in megabytes: unlike the resident size, not hidden by the heap reusing
// what an earlier run freed.
double HeapInUseMB() { return static_cast<double>(mallinfo2().uordblks + mallinfo2().hblkhd) / (1024.0 * 1024.0); }

// The peak resident size counts afresh from here.
void ResetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

struct Program : benchprog::Program {
  Program() : benchprog::Program("korvane-bench-frame-scale") {}
};

// ---- long texts -----------------------------------------------------------------------------

// A straight text of `chars` characters in lines of 50 (CR LF between them), 3 mm characters,
// current, its first line on the screen and nearly all the rest below it.
void AddLongText(Program& p, int chars) {
  std::string text;
  text.reserve(static_cast<size_t>(chars) + static_cast<size_t>(chars) / 25);
  for (int k = 0; k < chars; ++k) {
    text.push_back(static_cast<char>('A' + k % 26));
    if (k % 50 == 49 && k + 1 < chars) text += "\r\n";
  }
  CText1Object* o = p.List().AddText1(nullptr, TRUE, TRUE);
  o->SetText(CString(text.c_str()));
  o->m_dCharWidth = 3;
  o->m_dCharHeight = 3;
  o->m_dLineGap = 1;
  o->m_dWidth = 200;
  const int lines = (chars + 49) / 50;
  o->m_dHeight = lines * 4.0;
  o->m_nRows = o->m_nColumns = 1;
  o->m_nOutputMode = 2;
  // The top of the text at the top of the page: the rest runs down far below it.
  o->m_dPosX = 0;
  o->m_dPosY = 100 - o->m_dHeight / 2;
  p.doc->SetCurrentObject(p.List().GetCount() - 1, TRUE, TRUE);
  p.Repaint();
}

void BM_CharPageKeyWithPaint(benchmark::State& state) {
  const int chars = static_cast<int>(state.range(0));
  Program p;
  AddLongText(p, chars);
  // The third character of the first line, its size X as typed into the page.
  int k = 0;
  for (auto _ : state) {
    p.doc->SetPropertyDouble(1332, (k++ % 2) ? 0.5 : 0.0, 2);
    p.Settle();
  }
}
BENCHMARK(BM_CharPageKeyWithPaint)->Arg(20000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_LongTextRepaintOneScreenShown(benchmark::State& state) {
  Program p;
  AddLongText(p, 1000000);
  for (auto _ : state) p.Repaint();
}
BENCHMARK(BM_LongTextRepaintOneScreenShown)->Unit(benchmark::kMillisecond);

// ---- the paint editor -----------------------------------------------------------------------

struct PaintProgram : Program {
  explicit PaintProgram(int zoom) {
    CBmpObject* o = List().AddBmpFromImage(MonoBmpFile::Create(10000, 10000));
    o->m_nOutputMode = 2;
    doc->SetCurrentObject(List().GetCount() - 1, TRUE, TRUE);
    Settle();
    doc->BeginPaintMode();
    doc->SetPaintZoom(zoom);
    Settle();
  }
  ~PaintProgram() {
    if (doc->m_bPaintMode) doc->EndPaintMode();
  }
  QWidget* Port() { return Canvas().viewport(); }
  void Send(QEvent::Type type, QPoint at, Qt::MouseButtons held) {
    QMouseEvent e(type, QPointF(at), Port()->mapToGlobal(QPointF(at)), Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(Port(), &e);
  }
  // A pen stroke of 60 moves, each painted; released or not.
  void Stroke(int round, bool release) {
    const QPoint from(100 + round % 7 * 20, 100 + round % 5 * 20);
    Send(QEvent::MouseButtonPress, from, Qt::LeftButton);
    Settle();
    for (int k = 1; k <= 60; ++k) {
      Send(QEvent::MouseMove, from + QPoint(k * 5, (k % 10) * 4), Qt::LeftButton);
      Settle();
    }
    if (release) Release(round);
  }
  void Release(int round) {
    const QPoint from(100 + round % 7 * 20, 100 + round % 5 * 20);
    Send(QEvent::MouseButtonRelease, from + QPoint(300, 0), Qt::NoButton);
    Settle();
  }
};

// range(0): zoom in tenths; range(1): 0 times the release, 1 the undo that follows it.
void BM_PenStrokeEndAndUndo(benchmark::State& state) {
  const int zoom = static_cast<int>(state.range(0));
  const bool undo = state.range(1) != 0;
  PaintProgram p(zoom);
  p.doc->SetPaintTool(PAINT_PEN);
  int round = 0;
  for (auto _ : state) {
    state.PauseTiming();
    p.Stroke(round, undo);
    state.ResumeTiming();
    if (undo) {
      p.doc->PaintUndoRedo(0);
      p.Settle();
    } else {
      p.Release(round);
    }
    ++round;
  }
  state.counters["snapshots"] = p.doc->GetPaintEditor()->GetSnapshotCount();
}
BENCHMARK(BM_PenStrokeEndAndUndo)
    ->Args({10, 0})
    ->Args({10, 1})
    ->Args({80, 0})
    ->Args({80, 1})
    ->Unit(benchmark::kMillisecond);

// ---- paste ----------------------------------------------------------------------------------

// Small shapes of five kinds in a grid of 0.4 x 0.25 mm steps over the page.
template <class T>
void SmallOne(T* o, double side) {
  o->m_nRows = o->m_nColumns = 1;
  o->m_nOutputMode = 2;
  if constexpr (requires { o->m_dSize; }) o->m_dSize = side;
  if constexpr (requires { o->m_dSizeX; }) o->m_dSizeX = o->m_dSizeY = side;
  if constexpr (requires { o->m_dWidth; }) o->m_dWidth = o->m_dHeight = side;
}

void AddSmallShapes(CObjectList& list, int count) {
  for (int i = 0; i < count; ++i) {
    const double x = -200.0 + (i % 1000) * 0.4, y = -110.0 + (i / 1000 % 880) * 0.25;
    CDrawObject* o = nullptr;
    switch (i % 5) {
      case 0: { auto* l = list.AddLine(nullptr, TRUE, TRUE); SmallOne(l, 0.3); l->m_dHeight = 0.1; o = l; break; }
      case 1: { auto* r = list.AddRectangle(nullptr, TRUE, TRUE); SmallOne(r, 0.3); o = r; break; }
      case 2: { auto* c = list.AddCircle(nullptr, TRUE, TRUE); SmallOne(c, 0.3); o = c; break; }
      case 3: { auto* t = list.AddTriangle(nullptr, TRUE, TRUE); SmallOne(t, 0.3); o = t; break; }
      default: { auto* g = list.AddPolygon(nullptr, TRUE, TRUE); SmallOne(g, 0.3); o = g; break; }
    }
    o->m_dPosX = x;
    o->m_dPosY = y;
  }
}

void BM_Paste100000WithPaint(benchmark::State& state) {
  constexpr int kCount = 100000;
  Program p;
  AddSmallShapes(p.List(), kCount);
  // The form lists the design's rows, as after a load: what is kept is measured beyond them.
  p.frame->GetFormView()->FillObjectList();
  p.doc->SetCurrentObject(1, TRUE, TRUE);
  p.Repaint();
  ObjectClipboardBlock block;
  block.nOperation = CLIPBOARD_COPY;
  for (int i = 1; i <= kCount; ++i) block.indices.push_back(i);
  CQtObjectClipboard clipboard;
  double keptMB = 0;
  for (auto _ : state) {
    state.PauseTiming();
    clipboard.SetData(block.ToBytes());
    p.Settle();
    const double before = HeapInUseMB();
    state.ResumeTiming();
    p.frame->Commands().Execute(ID_EDIT_PASTE);
    p.Settle();
    state.PauseTiming();
    p.doc->DeleteSelection();
    p.Settle();
    keptMB = HeapInUseMB() - before;
    state.ResumeTiming();
  }
  state.counters["kept_after_delete_MB"] = keptMB;
  state.counters["entries"] = p.List().GetCount();
}
BENCHMARK(BM_Paste100000WithPaint)->Iterations(1)->Unit(benchmark::kMillisecond);

// ---- a million small shapes ------------------------------------------------------------------

constexpr int kMillion = 1000000;

std::string WriteMillionShapes(const std::string& folder) {
  CObjectList list;
  list.Initialize();
  AddSmallShapes(list, kMillion);
  const std::vector<BYTE> bytes = CMrkBinaryFile::Serialize(list);
  const std::string path = folder + "/million.mrk";
  fileio::WriteAtomically(path, bytes.data(), bytes.size());
  return path;
}

// The file is written once for the three benchmarks.
const std::string& MillionFile() {
  static benchdoc::Folder files("korvane-bench-frame-scale-file");
  static const std::string path = WriteMillionShapes(files.path);
  return path;
}

void BM_OpenMillionShapes(benchmark::State& state) {
  const std::string& path = MillionFile();
  for (auto _ : state) {
    state.PauseTiming();
    auto p = std::make_unique<Program>();
    state.ResumeTiming();
    if (!p->doc->OpenMrkFile(CString(path.c_str()), 1)) {
      state.SkipWithError("the design did not load");
      break;
    }
    p->Settle();
    state.PauseTiming();
    state.counters["entries"] = p->List().GetCount();
    p.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenMillionShapes)->Iterations(1)->Unit(benchmark::kMillisecond);

struct MillionProgram {
  Program p;
  MillionProgram() {
    if (!p.doc->OpenMrkFile(CString(MillionFile().c_str()), 1)) std::abort();
    p.Settle();
  }
};

MillionProgram& Million() {
  static std::unique_ptr<MillionProgram> program;
  if (!program) {
    program = std::make_unique<MillionProgram>();
    qAddPostRoutine([] { program.reset(); });
  }
  return *program;
}

void BM_RepaintMillionShapesWholePage(benchmark::State& state) {
  MillionProgram& m = Million();
  for (auto _ : state) m.p.Repaint();
}
BENCHMARK(BM_RepaintMillionShapesWholePage)->Unit(benchmark::kMillisecond);

void BM_SaveMillionShapes(benchmark::State& state) {
  MillionProgram& m = Million();
  const std::string out = m.p.folder.path + "/saved.mrk";
  double peakMB = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const double before = StatusMB("VmRSS");
    ResetPeak();
    state.ResumeTiming();
    if (!m.p.doc->SaveMrkBinary(CString(out.c_str()))) {
      state.SkipWithError("the design was not saved");
      break;
    }
    state.PauseTiming();
    peakMB = StatusMB("VmHWM") - before;
    state.ResumeTiming();
  }
  state.counters["peak_beyond_design_MB"] = peakMB;
}
BENCHMARK(BM_SaveMillionShapes)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
