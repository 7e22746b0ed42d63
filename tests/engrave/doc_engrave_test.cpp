// The document's engraving commands end to end: the port file holds what reached the machine.
#include <climits>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <thread>

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

#include "app/engrave_commands.h"
#include "engrave_fakes.h"
#include "machine_simulator.h"
#include "model/doc_hints.h"
#include "model/textobject.h"
#include "output/engrave_engine.h"
#include "output/engrave_progress_dialog.h"
#include "platform/ui/command_table.h"

namespace {

constexpr UINT ID_ENGRAVE = 32808;
constexpr UINT ID_ORIGIN_WIZARD = 32888;
constexpr UINT ID_ENGRAVE_THREAD = 32898;

int CountOf(const std::string& s, const std::string& what) {
  int n = 0;
  for (size_t at = s.find(what); at != std::string::npos; at = s.find(what, at + 1)) ++n;
  return n;
}

// An engine whose worker will not stop until the test lets it.
class StubbornEngine : public IDocEngine {
 public:
  int Stop() override {
    ++stops;
    return done ? 1 : 0;
  }
  void RequestStop() override { ++requests; }
  bool IsWorkerRunning() const override { return !done; }
  bool done = false;
  int stops = 0;
  int requests = 0;
};

CText1Object* AddCounter(CKorvaneDoc& doc, int start, int digits) {
  doc.AddNewObject(TYPE_TEXT1);
  auto* text = dynamic_cast<CText1Object*>(doc.GetObjectList()->GetObject(doc.GetObjectList()->GetCount() - 1));
  text->m_bCountUp = 1;
  text->m_nCountStart = start;
  text->m_nCount = start;
  text->m_nCountDigits = digits;
  return text;
}

}  // namespace

// ---- layer choice ------------------------------------------------------------------------------

TEST_F(DocEngraveTest, FixedFieldLayerChoiceDecidesWhatIsEngravedAndANormalJobTakesEverythingAgain) {
  doc.m_Settings.System.FixField = 1;
  doc.m_Settings.System.FieldMachine = 3;
  doc.m_Settings.MachineModel = 3;
  AddOn(0, -50);
  // One used layer: every flag set, no dialog.
  for (int& f : doc.m_bLayerEngrave) f = 0;
  EXPECT_EQ(doc.ChooseEngraveLayers(), 1);
  EXPECT_EQ(dialogs.shown, 0);
  for (int f : doc.m_bLayerEngrave) EXPECT_EQ(f, 1);

  // Two used layers: the dialog, given the used and shown flags; Cancel gives up.
  AddOn(3, 50);
  doc.m_bLayerVisible[3] = 0;
  EXPECT_EQ(doc.ChooseEngraveLayers(), 0);
  EXPECT_EQ(dialogs.shown, 1);
  EXPECT_EQ(dialogs.last.used[0], 1);
  EXPECT_EQ(dialogs.last.used[3], 1);
  EXPECT_EQ(dialogs.last.used[1], 0);
  EXPECT_EQ(dialogs.last.shown[3], 0);

  // OK with no used layer checked is a Cancel, and nothing reaches the port.
  dialogs.answer = true;
  dialogs.checks[1] = 1;  // not used: never engraved
  EXPECT_EQ(doc.StartEngraving(), -1);
  EXPECT_EQ(Take(), "");

  // Layer 0 only: the square on layer 3 is not sent.
  dialogs.checks[0] = 1;
  prompter.ExpectMessage(IDOK, U("レーザー出力を確認してください"));
  doc.StartEngraving();
  const std::string fixedJob = Take();
  EXPECT_EQ(doc.m_bLayerEngrave[3], 0);
  EXPECT_EQ(doc.m_bLayerEngrave[1], 0);
  EXPECT_EQ(CountOf(fixedJob, "PD"), 4);

  // The field unfixed: both squares, without a dialog.
  doc.m_Settings.System.FixField = 0;
  prompter.ExpectMessage(IDOK, U("レーザー出力を確認してください"));
  doc.StartEngraving();
  EXPECT_EQ(CountOf(Take(), "PD"), 8);
  EXPECT_EQ(dialogs.shown, 3);
  prompter.VerifyAllUsed();
}

// ---- normal job --------------------------------------------------------------------------------

TEST_F(DocEngraveTest, NormalJobSendsWhatTheEngineSendsAndOnlyAFinishedJobAdvancesTheCounters) {
  AddOn(0, 0);
  CText1Object* counter = AddCounter(doc, 1, 3);
  g_bModified = 0;

  // Cancel in the confirmation: nothing sent, nothing counted.
  prompter.ExpectMessage(IDCANCEL, U("レーザー出力を確認してください"));
  EXPECT_EQ(doc.StartEngraving(), -1);
  EXPECT_EQ(Take(), "");
  EXPECT_EQ(counter->m_nCount, 1);

  // The engine alone, for comparison.
  {
    CEngraveEngine engine;
    ASSERT_EQ(engine.Attach(&doc, &source), 1);
    int zoom = 0;
    ASSERT_EQ(engine.Start(&zoom), 1);
  }
  const std::string alone = Take();
  ASSERT_FALSE(alone.empty());

  prompter.ExpectMessage(IDOK, U("確認"));
  canvas.hints.clear();
  EXPECT_EQ(doc.StartEngraving(), -1);
  EXPECT_EQ(Take(), alone);
  EXPECT_EQ(counter->m_nCount, 2);
  EXPECT_EQ(g_bModified, 1);
  EXPECT_EQ(canvas.hints, std::vector<int>{HINT_ENGRAVING_ENDED});
  EXPECT_EQ(canvas.restored, std::vector<int>{-1});

  prompter.ExpectMessage(IDOK, U("確認"));
  doc.StartEngraving();
  Take();
  EXPECT_EQ(counter->m_strText, CString("003"));
  auto* proto = dynamic_cast<CText1Object*>(doc.GetObjectList()->GetPrototype(TYPE_TEXT1));
  EXPECT_EQ(proto->m_nCount, 3);
  EXPECT_EQ(proto->m_strText, CString("003"));

  // A port that cannot be opened: the engine refuses and says why; the counter stays.
  setenv("DRAVENTIS_LPT1", (dir.File("missing") + "/lpt1").c_str(), 1);
  prompter.ExpectMessage(IDOK, U("確認")).ExpectMessage(IDOK, "LPT1");
  doc.StartEngraving();
  EXPECT_EQ(counter->m_nCount, 3);

  // No canvas: the engine is not attached; nothing is counted and no cancel message comes.
  setenv("DRAVENTIS_LPT1", portPath.c_str(), 1);
  doc.RemoveView(&canvas);
  prompter.ExpectMessage(IDOK, U("確認"));
  doc.StartEngraving();
  doc.AddView(&canvas);
  EXPECT_EQ(counter->m_nCount, 3);
  EXPECT_EQ(Take(), "");

  // A counter at the largest int stays there.
  counter->m_nCount = INT_MAX;
  doc.AdvanceCounterTexts();
  EXPECT_EQ(counter->m_nCount, INT_MAX);
  prompter.VerifyAllUsed();
}

TEST_F(DocEngraveTest, CancelInTheProgressDialogShowsTheAbortMessageAndLeavesTheCounters) {
  for (int i = 0; i < 5; ++i) AddOn(0, -100 + 40 * i);
  CText1Object* counter = AddCounter(doc, 7, 2);
  const CString before = counter->m_strText;
  prompter.ExpectMessage(IDOK, U("確認")).ExpectMessage(IDOK, U("彫刻データの出力は強制終了しました"));
  // Esc in the progress dialog while the first object goes out.
  source.onCapture = [](int index) {
    if (index != 1) return;
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (!dynamic_cast<CEngraveProgressDialog*>(w)) continue;
      QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
      QCoreApplication::sendEvent(w, &esc);
    }
  };
  doc.StartEngraving();
  EXPECT_EQ(counter->m_nCount, 7);
  EXPECT_EQ(counter->m_strText, before);
  prompter.VerifyAllUsed();
}

// ---- threaded job -----------------------------------------------------------------------------

TEST_F(DocEngraveTest, ThreadedJobRunsToItsEndThroughTheFramesTimer) {
  AddOn(0, 0);
  CCommandTable table;
  RegisterEngraveCommands(table, CommandContext{&doc, nullptr, &frame, nullptr, nullptr});

  prompter.ExpectMessage(IDOK, U("レーザー出力を確認してください"));
  canvas.hints.clear();
  EXPECT_TRUE(table.Execute(ID_ENGRAVE_THREAD));
  EXPECT_EQ(doc.m_bEngraveRunning, 1);
  ASSERT_NE(doc.m_pEngine, nullptr);
  EXPECT_EQ(canvas.hints, std::vector<int>{HINT_THREAD_ENGRAVING_STARTED});
  EXPECT_EQ(canvas.modes, std::vector<int>{0});
  EXPECT_FALSE(table.Update(ID_ENGRAVE_THREAD).m_bEnabled);
  EXPECT_FALSE(table.Update(ID_ENGRAVE).m_bEnabled);
  EXPECT_FALSE(table.Update(ID_ORIGIN_WIZARD).m_bEnabled);

  FinishWorker();
  EXPECT_TRUE(form.shown);
  EXPECT_EQ(frame.timers, std::vector<UINT>{3000});
  // The frame's timer 2.
  doc.OnEngraveEndTimer();
  EXPECT_EQ(doc.m_pEngine, nullptr);
  EXPECT_EQ(doc.m_bEngraveRunning, 0);
  EXPECT_FALSE(form.shown);
  EXPECT_FALSE(frame.buttonDisabled);
  EXPECT_TRUE(table.Update(ID_ENGRAVE_THREAD).m_bEnabled);
  EXPECT_TRUE(table.Update(ID_ENGRAVE).m_bEnabled);

  // The stream is that of the normal engine.
  const std::string threaded = Take();
  prompter.ExpectMessage(IDOK, U("確認"));
  doc.StartEngraving();
  EXPECT_EQ(Take(), threaded);
  prompter.VerifyAllUsed();
}

TEST_F(DocEngraveTest, AbortStopsTheWorkerBeforeItsEnd) {
  // The port is a FIFO nobody reads yet: the worker blocks once the pipe is full, so the abort
  // surely comes before its end.
  const std::string fifo = dir.File("lpt1.fifo");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  setenv("DRAVENTIS_LPT1", fifo.c_str(), 1);
  for (int i = 0; i < 3000; ++i) AddOn(0, -190 + 0.12 * i);
  prompter.ExpectMessage(IDOK, U("確認"));
  doc.StartThreadEngraving();
  ASSERT_NE(doc.m_pEngine, nullptr);
  doc.AbortEngraving();
  EXPECT_EQ(frame.timers.back(), 3000u);
  // Drain the pipe until the worker closes the port.
  std::string sent;
  char buf[65536];
  for (;;) {
    pollfd p{reader, POLLIN, 0};
    ::poll(&p, 1, 10000);
    const ssize_t n = ::read(reader, buf, sizeof buf);
    if (n > 0) {
      sent.append(buf, static_cast<size_t>(n));
      continue;
    }
    if (n == 0) break;
    if (errno != EAGAIN) break;
  }
  ::close(reader);
  FinishWorker();
  doc.OnEngraveEndTimer();
  EXPECT_EQ(doc.m_pEngine, nullptr);
  // Stopped at its next test: the end of the job (the half-speed command and the park) never went.
  EXPECT_EQ(sent.rfind("SP2;VS8;", 0), 0u);
  EXPECT_LT(CountOf(sent, "PD"), 4 * 3000);
  EXPECT_EQ(sent.find("VS4;"), std::string::npos);
  prompter.VerifyAllUsed();
}

TEST_F(DocEngraveTest, AWorkerThatOutlivesTheEndKeepsTheJobBusyUntilItStops) {
  CCommandTable table;
  RegisterEngraveCommands(table, CommandContext{&doc, nullptr, &frame, nullptr, nullptr});
  auto* engine = new StubbornEngine;
  doc.m_pEngine = engine;
  doc.m_bEngraveRunning = 1;
  form.shown = true;
  frame.buttonDisabled = true;

  doc.AbortEngraving();
  EXPECT_EQ(engine->requests, 1);
  doc.OnEngraveEndTimer();
  EXPECT_EQ(doc.m_pEngine, engine);
  EXPECT_EQ(doc.m_bEngraveRunning, 1);
  EXPECT_TRUE(form.shown);
  EXPECT_TRUE(frame.buttonDisabled);
  EXPECT_EQ(frame.timers, (std::vector<UINT>{3000, 3000}));
  EXPECT_TRUE(doc.IsEngravingBusy());
  for (UINT id : {ID_ENGRAVE, ID_ENGRAVE_THREAD, ID_ORIGIN_WIZARD}) EXPECT_FALSE(table.Update(id).m_bEnabled) << id;

  engine->done = true;
  doc.OnEngraveEndTimer();
  EXPECT_EQ(doc.m_pEngine, nullptr);
  EXPECT_EQ(doc.m_bEngraveRunning, 0);
  EXPECT_FALSE(form.shown);
  EXPECT_FALSE(frame.buttonDisabled);
  EXPECT_FALSE(doc.IsEngravingBusy());
}

TEST_F(DocEngraveTest, ARefusedOrCancelledThreadedStartLeavesNothingRunning) {
  AddOn(0, 0);
  // Cancel: button back, nothing sent.
  frame.buttonDisabled = true;
  prompter.ExpectMessage(IDCANCEL, U("確認"));
  EXPECT_EQ(doc.StartThreadEngraving(), -1);
  EXPECT_FALSE(frame.buttonDisabled);
  EXPECT_EQ(doc.m_bEngraveRunning, 0);

  // A port that cannot be opened: the engine refuses and says why; no worker, and the views hear
  // that the job ended, as after a normal one.
  setenv("DRAVENTIS_LPT1", (dir.File("missing") + "/lpt1").c_str(), 1);
  frame.buttonDisabled = true;
  canvas.hints.clear();
  prompter.ExpectMessage(IDOK, U("確認")).ExpectMessage(IDOK, "LPT1");
  doc.StartThreadEngraving();
  EXPECT_EQ(doc.m_pEngine, nullptr);
  EXPECT_EQ(doc.m_bEngraveRunning, 0);
  EXPECT_FALSE(frame.buttonDisabled);
  EXPECT_EQ(canvas.hints, std::vector<int>{HINT_ENGRAVING_ENDED});
  EXPECT_TRUE(frame.timers.empty());

  // No canvas: not attached, the same.
  setenv("DRAVENTIS_LPT1", portPath.c_str(), 1);
  doc.RemoveView(&canvas);
  frame.buttonDisabled = true;
  prompter.ExpectMessage(IDOK, U("確認"));
  doc.StartThreadEngraving();
  doc.AddView(&canvas);
  EXPECT_EQ(doc.m_pEngine, nullptr);
  EXPECT_EQ(doc.m_bEngraveRunning, 0);
  EXPECT_FALSE(frame.buttonDisabled);
  EXPECT_EQ(Take(), "");
  prompter.VerifyAllUsed();
}

TEST_F(DocEngraveTest, FixedFieldThreadedAndNormalStreamsAgreeOnTheMachine) {
  doc.m_Settings.System.FixField = 1;
  doc.m_Settings.System.FieldMachine = 2;
  doc.m_Settings.MachineModel = 2;
  AddOn(0, -30);
  source.AddCircle(40, 20, 12);
  prompter.ExpectMessage(IDOK, U("確認"));
  doc.StartThreadEngraving();
  ASSERT_NE(doc.m_pEngine, nullptr);
  EXPECT_EQ(doc.m_bEngraveFixVariant, 1);
  FinishWorker();
  doc.OnEngraveEndTimer();
  const std::string threaded = Take();
  prompter.ExpectMessage(IDOK, U("確認"));
  doc.StartEngraving();
  const std::string normal = Take();
  CMachineSimulator a(-20000, -20000, 40000, 40000), b(-20000, -20000, 40000, 40000);
  ASSERT_TRUE(a.Run(threaded)) << a.Error();
  ASSERT_TRUE(b.Run(normal)) << b.Error();
  EXPECT_EQ(a.Segments().size(), b.Segments().size());
  EXPECT_EQ(a.Circles().size(), 1u);
  EXPECT_EQ(threaded, normal);
  prompter.VerifyAllUsed();
}

TEST_F(DocEngraveTest, AReaderThatTakesTheFirstBytesAndLeavesFailsTheJobAndTheCountersStay) {
  // The whole job fits in the pipe, so every write succeeds; only the reader knows it left.
  AddOn(0, 0);
  CText1Object* counter = AddCounter(doc, 4, 1);
  const std::string fifo = dir.File("lpt1.fifo");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  setenv("DRAVENTIS_LPT1", fifo.c_str(), 1);
  std::string taken;
  std::thread machine([reader, &taken] {
    char buf[64];
    pollfd p{reader, POLLIN, 0};
    if (::poll(&p, 1, 10000) > 0) {
      const ssize_t n = ::read(reader, buf, sizeof buf);
      if (n > 0) taken.assign(buf, static_cast<size_t>(n));
    }
    ::close(reader);
  });
  prompter.ExpectMessage(IDOK, U("確認")).ExpectMessage(IDOK, U("ポートの受け手がいなくなりました"));
  doc.StartEngraving();
  machine.join();
  prompter.VerifyAllUsed();
  EXPECT_EQ(taken.size(), 64u);
  EXPECT_EQ(counter->m_nCount, 4);
}

TEST_F(DocEngraveTest, AJobThatWouldMarkNothingSaysSoSendsNothingAndLeavesTheCounters) {
  // Raster: the only mark lies far outside the scanning area. Outline: a figure of one move.
  CText1Object* counter = nullptr;
  for (int raster : {1, 0}) {
    source.Clear();
    counter = AddCounter(doc, 1, 3);
    if (raster) {
      AddOn(0, 180);
      doc.m_Settings.DrawingArea.Width = 20;
      doc.m_Settings.DrawingArea.Height = 20;
    } else {
      FakeShape dot;
      dot.pts = {CDoublePoint(0, 0)};
      dot.open = true;
      source.Add(dot);
    }
    doc.m_Settings.DrawingArea.OutStyleIndex = raster;
    for (bool threaded : {false, true}) {
      SCOPED_TRACE(raster * 2 + threaded);
      prompter.ExpectMessage(IDOK, U("確認")).ExpectMessage(IDOK, U("何も彫刻されません"));
      canvas.hints.clear();
      if (threaded) {
        doc.StartThreadEngraving();
        EXPECT_EQ(doc.m_pEngine, nullptr);
        // The design was captured before the refusal: the canvas is drawn afresh.
        EXPECT_EQ(canvas.hints, std::vector<int>{HINT_ENGRAVING_ENDED});
      } else {
        doc.StartEngraving();
      }
      prompter.VerifyAllUsed();
      EXPECT_EQ(Take(), "");
      EXPECT_EQ(counter->m_nCount, 1);
      EXPECT_FALSE(doc.IsEngravingBusy());
    }
  }
}

TEST_F(DocEngraveTest, TheConfirmationNamesObjectsOutsideTheFieldAndCancelSendsNothing) {
  doc.m_Settings.DrawingField.FieldX = 100;
  doc.m_Settings.DrawingField.FieldY = 100;
  const int inside = AddOn(0, 0);
  const int tall = AddOn(0, 20);
  CDrawObject* near = doc.GetObjectList()->GetObject(inside);
  CDrawObject* far = doc.GetObjectList()->GetObject(tall);
  near->SetName(CString::FromUtf8("小さい四角").c_str());
  far->SetName(CString::FromUtf8("高い四角").c_str());
  canvas.bounds[near] = CDoubleRect(-5, 5, 5, -5);
  canvas.bounds[far] = CDoubleRect(15, 499.5, 25, -499.5);  // typed 999 mm high

  for (bool threaded : {false, true}) {
    SCOPED_TRACE(threaded);
    prompter.ExpectMessage(IDCANCEL, U("高い四角"));
    if (threaded) doc.StartThreadEngraving();
    else doc.StartEngraving();
    prompter.VerifyAllUsed();
    const std::string text = prompter.Log().back().text.str();
    EXPECT_NE(text.find(U("レーザー出力を確認してください")), std::string::npos);
    EXPECT_EQ(text.find(U("小さい四角")), std::string::npos);
    EXPECT_EQ(doc.m_pEngine, nullptr);
    EXPECT_EQ(Take(), "");
  }
  // OK still engraves.
  prompter.ExpectMessage(IDOK, U("高い四角"));
  doc.StartEngraving();
  EXPECT_GT(CountOf(Take(), "PD"), 0);
  // Inside the field: the question as it always was.
  canvas.bounds[far] = CDoubleRect(15, 49, 25, -49);
  prompter.ExpectMessage(IDOK);
  doc.StartEngraving();
  EXPECT_EQ(prompter.Log().back().text, CString::FromUtf8("レーザー出力を確認してください"));
  prompter.VerifyAllUsed();
}

TEST_F(DocEngraveTest, TheFixedFieldsConfirmationNamesObjectsBeyondTheModelsField) {
  // Model 3 with its origin at (40, 60) mm: 380 x 60 mm from the origin; the area's corner at
  // (5, 5) mm from it.
  doc.m_Settings.System.FixField = 1;
  doc.m_Settings.System.FieldMachine = 3;
  doc.m_Settings.MachineModel = 3;
  doc.m_Settings.DrawingField.FieldX = 380;
  doc.m_Settings.DrawingField.FieldY = 60;
  doc.m_Settings.DrawingArea.Width = 40;
  doc.m_Settings.DrawingArea.Height = 40;
  doc.m_Settings.DrawingArea.OffsetX = 5;
  doc.m_Settings.DrawingArea.OffsetY = 5;
  CDrawObject* inside = doc.GetObjectList()->GetObject(AddOn(0, 0));
  CDrawObject* low = doc.GetObjectList()->GetObject(AddOn(0, 5));
  inside->SetName(CString::FromUtf8("中の四角").c_str());
  low->SetName(CString::FromUtf8("下の四角").c_str());
  // 20 mm below the area's top edge at most, then 60 mm: the field ends 55 mm below the area's top.
  canvas.bounds[inside] = CDoubleRect(-5, 20, 5, 0);
  canvas.bounds[low] = CDoubleRect(0, 20, 10, -40);
  prompter.ExpectMessage(IDCANCEL, U("下の四角"));
  doc.StartEngraving();
  prompter.VerifyAllUsed();
  EXPECT_EQ(std::string(prompter.Log().back().text.str()).find(U("中の四角")), std::string::npos);
  EXPECT_EQ(Take(), "");
}
