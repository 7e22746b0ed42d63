// The canvas through the real main window, each operation with the paint that follows it (the
// canvas's pending region painted, then the events the operation queued): one scroll step at
// zoom index 25 over 1,000 and 10,000 single-copy straight texts and 1,000 arc texts; the first
// paint after a zoom step on 10,000 mixed objects; one object added or deleted, a few pixels
// and the whole page repainted, with the whole page shown; the start with a 100,000-object file
// until the window answers. Every design is made here, its texts distinct, most of it off screen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QScrollBar>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

#include "bench/bench_document.h"
#include "bench/bench_program.h"
#include "bench/bench_support.h"
#include "canvas/leftview.h"
#include "files/mrk_binary.h"
#include "model/drawobject.h"
#include "model/kinds.h"
#include "model/korvane_doc.h"
#include "model/objectlist.h"
#include "model/textobject.h"
#include "platform/archive.h"
#include "res/resource.h"

namespace {

// The page is 420 x 240 mm; a design of `count` objects is laid on a grid that fills it.
struct Spread {
  int columns;
  double stepX, stepY;
  explicit Spread(int count) {
    columns = 1;
    while (columns * columns * 240 < count * 420) ++columns;
    const int rows = (count + columns - 1) / columns;
    stepX = 400.0 / columns;
    stepY = 220.0 / rows;
  }
  double X(int i) const { return -200.0 + (i % columns + 0.5) * stepX; }
  double Y(int i) const { return 110.0 - (i / columns + 0.5) * stepY; }
};

void Place(CDrawObject* o, double x, double y) {
  o->m_dPosX = x;
  o->m_dPosY = y;
  o->m_nOutputMode = 2;
}

CText1Object* AddStraightText(CObjectList& list, int i, double x, double y, double size) {
  auto* o = list.AddText1(nullptr, TRUE, TRUE);
  o->m_dWidth = size * 2;
  o->m_dHeight = size * 0.6;
  o->m_dCharWidth = size * 0.3;
  o->m_dCharHeight = size * 0.5;
  char text[32];
  std::snprintf(text, sizeof text, "N%05d", i);
  o->SetText(text);
  Place(o, x, y);
  return o;
}

CText2Object* AddArcText(CObjectList& list, int i, double x, double y, double size) {
  auto* o = list.AddText2(nullptr, TRUE, TRUE);
  o->m_dRadiusX = o->m_dRadiusY = size * 0.4;
  o->m_dCharWidth = size * 0.15;
  o->m_dCharHeight = size * 0.2;
  char text[32];
  std::snprintf(text, sizeof text, "ARC%05d", i);
  o->SetText(text);
  Place(o, x, y);
  return o;
}

// Ten kinds in turn: six shapes, two straight texts, an arc text and a QR Code, each text and
// each code distinct.
void AddMixed(CObjectList& list, int count) {
  const Spread s(count);
  const double size = std::min(s.stepX, s.stepY) * 0.8;
  for (int i = 0; i < count; ++i) {
    const double x = s.X(i), y = s.Y(i);
    switch (i % 10) {
      case 0: { auto* o = list.AddLine(nullptr, TRUE, TRUE); o->m_dWidth = size; o->m_dHeight = size * 0.1; o->m_dAngle = 30; Place(o, x, y); break; }
      case 1: { auto* o = list.AddRectangle(nullptr, TRUE, TRUE); o->m_dWidth = size; o->m_dHeight = size * 0.7; Place(o, x, y); break; }
      case 2: { auto* o = list.AddCircle(nullptr, TRUE, TRUE); o->m_dSizeX = o->m_dSizeY = size; Place(o, x, y); break; }
      case 3: { auto* o = list.AddTriangle(nullptr, TRUE, TRUE); o->m_dWidth = size; o->m_dHeight = size; Place(o, x, y); break; }
      case 4: { auto* o = list.AddRhombic(nullptr, TRUE, TRUE); o->m_dWidth = size; o->m_dHeight = size; Place(o, x, y); break; }
      case 5: { auto* o = list.AddPolygon(nullptr, TRUE, TRUE); o->m_dSize = size; o->m_nEdges = 6; Place(o, x, y); break; }
      case 6:
      case 7: AddStraightText(list, i, x, y, size * 0.5); break;
      case 8: AddArcText(list, i, x, y, size); break;
      default: {
        auto* o = list.AddBarcode(nullptr, TRUE, TRUE);
        o->m_dSizeX = o->m_dSizeY = size;
        char text[32];
        std::snprintf(text, sizeof text, "QR-%06d", i);
        o->m_strText = CString(text);
        o->m_nLevel = 1;
        o->m_nVersion = -1;
        Place(o, x, y);
        break;
      }
    }
  }
}

// The program as the application builds it at start, and what follows an operation.
struct Program : benchprog::Program {
  Program() : benchprog::Program("korvane-bench-frame-paint") {}
  CObjectList& List() { return *doc->GetObjectList(); }
  // What follows an operation: the canvas's pending paint, then the queued events.
  void Settle() {
    Canvas().UpdateWindow();
    QApplication::processEvents();
  }
  // The design in place: zoom index, the form's list, one full paint.
  void Show(int zoom) {
    doc->SetZoom(zoom);
    frame->GetFormView()->FillObjectList();
    Canvas().Invalidate(TRUE);
    Settle();
  }
};

// Programs live until the application ends; they must go before the QApplication does.
std::unique_ptr<Program>& Slot(int which) {
  static std::unique_ptr<Program> programs[8];
  static bool hooked = false;
  if (!hooked) {
    hooked = true;
    qAddPostRoutine([] {
      g_bModified = 0;
      for (auto& p : programs) p.reset();
    });
  }
  return programs[which];
}

void CountCopies(benchmark::State& state, CLeftView& canvas, long long before) {
  state.counters["copies_drawn"] =
      static_cast<double>(canvas.GetCopiesDrawn() - before) / static_cast<double>(state.iterations());
}

// One step of the horizontal bar's arrow, back and forth, each with its paint.
void ScrollSteps(benchmark::State& state, Program& p) {
  QScrollBar* bar = p.Canvas().horizontalScrollBar();
  const long long before = p.Canvas().GetCopiesDrawn();
  bool forward = true;
  for (auto _ : state) {
    bar->triggerAction(forward ? QAbstractSlider::SliderSingleStepAdd : QAbstractSlider::SliderSingleStepSub);
    forward = !forward;
    p.Settle();
  }
  CountCopies(state, p.Canvas(), before);
}

void BM_ScrollStepStraightTexts(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  auto& p = Slot(count == 1000 ? 0 : 1);
  if (!p) {
    p = std::make_unique<Program>();
    const Spread s(count);
    for (int i = 0; i < count; ++i) AddStraightText(p->List(), i, s.X(i), s.Y(i), 5);
    p->Show(25);
  }
  ScrollSteps(state, *p);
}
BENCHMARK(BM_ScrollStepStraightTexts)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_ScrollStepArcTexts(benchmark::State& state) {
  auto& p = Slot(2);
  if (!p) {
    p = std::make_unique<Program>();
    const Spread s(1000);
    for (int i = 0; i < 1000; ++i) AddArcText(p->List(), i, s.X(i), s.Y(i), 8);
    p->Show(25);
  }
  ScrollSteps(state, *p);
}
BENCHMARK(BM_ScrollStepArcTexts)->Unit(benchmark::kMillisecond);

// Zoom in and out by one step through the frame's commands, each with its first paint.
void BM_FirstPaintAfterZoomStep(benchmark::State& state) {
  auto& p = Slot(3);
  if (!p) {
    p = std::make_unique<Program>();
    AddMixed(p->List(), 10000);
    p->Show(9);
  }
  const long long before = p->Canvas().GetCopiesDrawn();
  bool in = true;
  for (auto _ : state) {
    p->frame->Commands().Execute(in ? ID_ZOOM_IN : ID_ZOOM_OUT);
    in = !in;
    p->Settle();
  }
  CountCopies(state, p->Canvas(), before);
}
BENCHMARK(BM_FirstPaintAfterZoomStep)->Unit(benchmark::kMillisecond);

Program& LargeMixed() {
  auto& p = Slot(4);
  if (!p) {
    p = std::make_unique<Program>();
    AddMixed(p->List(), 100000);
    p->Show(3);
  }
  return *p;
}

// One rectangle added as the drawing bar adds it, with the paint that follows; the whole page
// shown.
void BM_AddOneTo100000WithPaint(benchmark::State& state) {
  Program& p = LargeMixed();
  const long long before = p.Canvas().GetCopiesDrawn();
  for (auto _ : state) {
    p.doc->AddNewObject(TYPE_RECTANGLE);
    p.Settle();
    state.PauseTiming();
    p.doc->DeleteSelection();
    p.Settle();
    state.ResumeTiming();
  }
  state.counters["copies_drawn"] = static_cast<double>(p.Canvas().GetCopiesDrawn() - before) / state.iterations() / 2;
}
BENCHMARK(BM_AddOneTo100000WithPaint)->Unit(benchmark::kMillisecond);

// The current object deleted as the Delete key does, with the paint that follows.
void BM_DeleteOneOf100000WithPaint(benchmark::State& state) {
  Program& p = LargeMixed();
  for (auto _ : state) {
    state.PauseTiming();
    p.doc->AddNewObject(TYPE_RECTANGLE);
    p.Settle();
    state.ResumeTiming();
    p.doc->DeleteSelection();
    p.Settle();
  }
}
BENCHMARK(BM_DeleteOneOf100000WithPaint)->Unit(benchmark::kMillisecond);

// A few pixels of the window painted again (a handle, a band's corner) with 100,000 mixed
// objects shown whole: what the paint's pass over the design costs when it draws nearly nothing.
void BM_SmallPartRepaint100000(benchmark::State& state) {
  Program& p = LargeMixed();
  for (auto _ : state) {
    const RECT part{0, 0, 4, 4};
    p.Canvas().InvalidateRect(&part, TRUE);
    p.Settle();
  }
}
BENCHMARK(BM_SmallPartRepaint100000)->Unit(benchmark::kMillisecond);

// The whole page of 100,000 distinct straight texts painted again.
void BM_FullRepaint100000Texts(benchmark::State& state) {
  auto& p = Slot(5);
  if (!p) {
    p = std::make_unique<Program>();
    const Spread s(100000);
    for (int i = 0; i < 100000; ++i) AddStraightText(p->List(), i, s.X(i), s.Y(i), 0.8);
    p->Show(3);
  }
  for (auto _ : state) {
    p->Canvas().Invalidate(TRUE);
    p->Settle();
  }
}
BENCHMARK(BM_FullRepaint100000Texts)->Unit(benchmark::kMillisecond);

// From nothing to a window that answers with a 100,000-object file open (10,000 distinct QR
// Codes among them): the frame, the open, and the events that follow with the first paint.
void BM_StartWith100000MixedFile(benchmark::State& state) {
  benchdoc::Folder files("korvane-bench-frame-paint-file");
  std::string path;
  {
    CObjectList list;
    list.Initialize();
    AddMixed(list, 100000);
    const std::vector<BYTE> bytes = CMrkBinaryFile::Serialize(list);
    path = files.path + "/large.mrk";
    fileio::WriteAtomically(path, bytes.data(), bytes.size());
  }
  for (auto _ : state) {
    g_bModified = 0;
    Program p;
    if (!p.doc->OpenMrkFile(CString(path), 1)) state.SkipWithError("the design did not load");
    p.Settle();
    state.PauseTiming();
    g_bModified = 0;
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StartWith100000MixedFile)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
