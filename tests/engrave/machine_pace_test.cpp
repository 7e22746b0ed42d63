// Every engine and mode against machines of every pace: a job either reaches the machine whole,
// ending at a command boundary with the pen up, or fails with the message and leaves the
// counters, its stream ending with "pu;" whenever the machine still takes bytes within the
// stall limit. Pauses shorter than the limit never fail a job, and a job the machine takes in
// full sends the bytes it sends into a file.
#include <sys/stat.h>

#include <string>
#include <vector>

#include "engrave_fakes.h"
#include "machine_simulator.h"
#include "model/textobject.h"
#include "output/lpt_port.h"

namespace {

// A short limit keeps the test quick; the paces are given in parts of it, with room on either
// side for a loaded machine.
constexpr int kLimitMs = 800;
constexpr int kPipe = 4096;

struct PaceCase {
  const char* name;
  CPacedReader::Pace pace;
  bool succeeds;
  bool liftsPen;     // a failed job's stream ends with "pu;"
  bool penMayBeDown;  // the message says so
};

// Whether a stream parses whole, ends at a command boundary and leaves the pen up.
void ExpectEndsWithPenUp(const std::string& stream) {
  ASSERT_FALSE(stream.empty());
  const char last = stream.back();
  EXPECT_TRUE(last == ';' || last == '\n') << stream.substr(stream.size() > 40 ? stream.size() - 40 : 0);
  CMachineSimulator machine(-200000, -200000, 4, 4);
  ASSERT_TRUE(machine.Run(stream)) << machine.Error();
  EXPECT_FALSE(machine.IsPenDown());
}

// Outline or raster, normal or threaded.
struct EngineMode {
  int raster;
  bool threaded;
};

class MachinePace : public DocEngraveTest, public ::testing::WithParamInterface<EngineMode> {
 protected:
  void SetUp() override {
    DocEngraveTest::SetUp();
    CLptPort::SetStallLimit(kLimitMs);
    // Streams of several pipes' worth in both modes, so that the writer waits on the machine.
    for (int i = 0; i < 240; ++i) source.AddSquare(-150 + 1.25 * i, (i % 3 - 1) * 20.0, 10);
    doc.m_Settings.DrawingArea.Width = 330;
    doc.m_Settings.DrawingArea.Height = 60;
    doc.m_Settings.DrawingArea.DPM = 20;
    doc.m_Settings.DrawingArea.Span = 0.05;
    counter = AddCounter();
  }
  void TearDown() override {
    CLptPort::SetStallLimit(0);
    DocEngraveTest::TearDown();
  }
  CText1Object* AddCounter() {
    doc.AddNewObject(TYPE_TEXT1);
    auto* text = dynamic_cast<CText1Object*>(doc.GetObjectList()->GetObject(doc.GetObjectList()->GetCount() - 1));
    text->m_bCountUp = 1;
    text->m_nCount = 1;
    text->m_nCountDigits = 3;
    return text;
  }
  // One job through the document's command, ended as the frame would end it.
  void RunJob(bool threaded, bool fails) {
    prompter.ExpectMessage(IDOK, U("確認"));
    if (fails) prompter.ExpectMessage(IDOK, U("送れませんでした"));
    if (!threaded) {
      doc.StartEngraving();
      return;
    }
    const size_t timers = frame.timers.size();
    doc.StartThreadEngraving();
    ASSERT_NE(doc.m_pEngine, nullptr);
    FinishWorker();  // the failure's message and the end come through here
    EXPECT_EQ(frame.timers.size(), timers + 1) << "the end is posted once";
    doc.OnEngraveEndTimer();
    EXPECT_EQ(doc.m_pEngine, nullptr);
  }

  CText1Object* counter = nullptr;
};

}  // namespace

TEST_P(MachinePace, TheWholeJobOrAClearFailureWithThePenUp) {
  const std::string fifo = dir.File("lpt1.fifo");
  const int raster = GetParam().raster;
  const bool threaded = GetParam().threaded;
  doc.m_Settings.DrawingArea.OutStyleIndex = raster;
  // What the machine gets when it takes everything: the stream into a file.
  setenv("DRAVENTIS_LPT1", portPath.c_str(), 1);
  RunJob(threaded, false);
  const std::string whole = Take();
  ASSERT_GT(whole.size(), size_t{2 * kPipe});
  EXPECT_LT(whole.size(), size_t{16 * kPipe});  // a slow machine takes it in a test's time
  ExpectEndsWithPenUp(whole);

  CPacedReader::Pace bursty = CPacedReader::Bursts(512, kLimitMs / 12, 0, kPipe);
  bursty.firstPauseAfter = kPipe;  // then a pause shorter than the limit
  bursty.firstPauseMs = kLimitMs * 6 / 10;
  const std::vector<PaceCase> paces = {
      {"at once", CPacedReader::Steady(0, kPipe), true, false, false},
      {"steady 20 KB/s", CPacedReader::Steady(20000, kPipe), true, false, false},
      {"bursts of 512 with pauses", bursty, true, false, false},
      {"a pause longer than the limit", CPacedReader::PauseOnce(kPipe, kLimitMs * 3 / 2, kPipe), false, true,
       false},
      {"leaves after 64 bytes", CPacedReader::LeaveAfter(64, kLimitMs * 6 / 10, kPipe), false, false, true},
      {"leaves after the last write", CPacedReader::LeaveAfter(whole.size() - 64, 0, 1 << 16), false, false,
       true},
      {"never reads", CPacedReader::LeaveAfter(0, kLimitMs * 3, kPipe), false, false, true},
  };
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  setenv("DRAVENTIS_LPT1", fifo.c_str(), 1);
  for (const PaceCase& c : paces) {
    SCOPED_TRACE(c.name);
    const int countBefore = counter->m_nCount;
    CPacedReader machine(fifo, c.pace);
    ASSERT_TRUE(machine.IsOpen());
    RunJob(threaded, !c.succeeds);
    const std::string taken = machine.Finish();
    const std::vector<ScriptedPrompter::Asked>& log = prompter.Log();
    prompter.VerifyAllUsed();
    if (c.succeeds) {
      EXPECT_EQ(taken, whole);
      EXPECT_EQ(counter->m_nCount, countBefore + (threaded ? 0 : 1));
      continue;
    }
    EXPECT_EQ(counter->m_nCount, countBefore);
    ASSERT_FALSE(log.empty());
    const std::string message = log.back().text.str();
    EXPECT_NE(message.find(U("送れませんでした")), std::string::npos);
    if (c.penMayBeDown) {
      EXPECT_NE(message.find(U("ペンが下りたまま")), std::string::npos);
    } else {
      EXPECT_EQ(message.find(U("ペンが下りたまま")), std::string::npos);
    }
    if (c.liftsPen) {
      ASSERT_GE(taken.size(), 4u);
      EXPECT_EQ(taken.substr(taken.size() - 4), "pu;\n");
      ExpectEndsWithPenUp(taken);
    }
  }
  ::unlink(fifo.c_str());
}

INSTANTIATE_TEST_SUITE_P(EveryEngineAndMode, MachinePace,
                         ::testing::Values(EngineMode{0, false}, EngineMode{0, true}, EngineMode{1, false},
                                           EngineMode{1, true}),
                         [](const ::testing::TestParamInfo<EngineMode>& info) {
                           return std::string(info.param.raster ? "Raster" : "Outline") +
                                  (info.param.threaded ? "Threaded" : "Normal");
                         });
