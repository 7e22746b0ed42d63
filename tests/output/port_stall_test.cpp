// A machine that stops taking bytes: the port is a FIFO whose reader opened it and does not read
// (its pipe made small, the stall limit short). No job, and no single command, holds the thread
// past the limit; Cancel and the stop flag end a job at once; and a job that ends early leaves
// the pen up whenever the machine takes bytes again, as the simulator reads the stream.
#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "engrave_fixture.h"
#include "output/engrave_engine.h"
#include "output/lpt_port.h"
#include "output/thread_engrave_engine.h"

namespace {

using Clock = std::chrono::steady_clock;

// The operator's reason for a stall, as the messages hold it (code page 932).
const std::string kNoData = CString::FromUtf8("機械がデータを受け取りません").str();
// Short, so that the test is quick; the machine's own times are given in parts of it.
constexpr int kLimitMs = 600;

class StalledPort : public EngraveTest {
 protected:
  void SetUp() override {
    EngraveTest::SetUp();
    AddPortDesign();
    fifo = dir.File("lpt.fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    m_reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(m_reader, 0);
    ::fcntl(m_reader, F_SETPIPE_SZ, 4096);  // a few commands fill it
    setenv("DRAVENTIS_LPT1", fifo.c_str(), 1);
    CLptPort::SetStallLimit(kLimitMs);
  }
  void TearDown() override {
    Received();
    if (m_reader >= 0) ::close(m_reader);
    CLptPort::SetStallLimit(0);
    EngraveTest::TearDown();
  }
  // The machine starts taking bytes once `start` says so and reads until the port is closed.
  void ReadWhen(std::function<bool()> start) {
    m_thread = std::thread([this, start] {
      const Clock::time_point guard = Clock::now() + std::chrono::seconds(30);
      while (!start() && Clock::now() < guard) std::this_thread::sleep_for(std::chrono::milliseconds(2));
      char buf[4096];
      for (;;) {
        pollfd p{m_reader, POLLIN, 0};
        if (::poll(&p, 1, 20000) <= 0) break;  // a guard against a hanging test only
        const ssize_t n = ::read(m_reader, buf, sizeof buf);
        if (n == 0) break;
        if (n > 0) m_received.append(buf, static_cast<size_t>(n));
      }
    });
  }
  // The machine reads again once the port has taken nothing for one and a half limits: after the
  // job has failed, and within the limit the pen-up waits for.
  void ReadAfterTheStall() {
    ReadWhen([this, last = -1, since = Clock::now()]() mutable {
      int pending = 0;
      ::ioctl(m_reader, FIONREAD, &pending);
      if (pending != last) {
        last = pending;
        since = Clock::now();
      }
      return pending > 0 && Seconds(since) * 1000 > kLimitMs * 3 / 2;
    });
  }
  // Whether the job's first bytes are in the pipe.
  bool FirstWrite() const {
    int pending = 0;
    return ::ioctl(m_reader, FIONREAD, &pending) == 0 && pending > 0;
  }
  const std::string& Received() {
    if (m_thread.joinable()) m_thread.join();
    return m_received;
  }
  // The stream reads whole and its last command lifts the pen without a move.
  void ExpectEndsPenUp(const std::string& stream) {
    CMachineSimulator machine(-100000, -100000, 10, 10);
    ASSERT_TRUE(machine.Run(stream)) << machine.Error();
    ASSERT_FALSE(machine.Names().empty());
    EXPECT_EQ(machine.Names().back(), "pu");
    EXPECT_FALSE(machine.IsPenDown());
    EXPECT_GT(machine.Segments().size(), 0u);
  }
  void ExpectNoDataMessage() {
    ASSERT_FALSE(prompter.Log().empty());
    const std::string text = prompter.Log().back().text.str();
    EXPECT_NE(text.find("LPT1 (" + fifo + ")"), std::string::npos) << text;
    EXPECT_NE(text.find(kNoData), std::string::npos) << text;
  }
  static double Seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
  }

  std::string fifo;
  int m_reader = -1;
  std::thread m_thread;
  std::string m_received;
};

}  // namespace

TEST_F(StalledPort, ANormalJobFailsAfterTheLimitWhileTheWindowsEventsRun) {
  for (int outStyle : {0, 1}) {
    SCOPED_TRACE(outStyle);
    S().DrawingArea.OutStyleIndex = outStyle;
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start(20);
    prompter.ExpectMessage(IDOK, kNoData.c_str());
    // The machine takes bytes again after the job has failed: it gets the pen-up.
    ReadAfterTheStall();
    CEngraveEngine engine;
    engine.Attach(&doc, &source);
    int zoom = 0;
    EXPECT_EQ(engine.Start(&zoom), CEngraveEngine::START_PORT_FAILED);
    EXPECT_GT(ticks, 3);
    EXPECT_TRUE(engine.IsPortStalled());
    prompter.VerifyAllUsed();
    ExpectNoDataMessage();
    ExpectEndsPenUp(Received());
    m_received.clear();
  }
}

TEST_F(StalledPort, CancelAndEscEndTheNormalJobAtOnceAndLiftThePen) {
  CLptPort::SetStallLimit(60000);
  for (int outStyle : {0, 1}) {
    for (bool esc : {false, true}) {
      SCOPED_TRACE(outStyle * 2 + esc);
      S().DrawingArea.OutStyleIndex = outStyle;
      QWidget mainWindow;  // the dialog's owner, disabled while the job runs
      mainWindow.show();
      CEngraveEngine engine;
      engine.Attach(&doc, &source);
      engine.SetOwnerWindow(&mainWindow);
      // Cancel once the job's first bytes are in the port; the machine reads after it.
      std::atomic<bool> cancelled{false};
      QTimer watch;
      QObject::connect(&watch, &QTimer::timeout, [&] {
        if (cancelled.load() || !FirstWrite()) return;
        CEngraveProgressDialog& dlg = engine.GetProgressDialog();
        if (!esc) {
          dlg.GetCancelButton()->click();  // a disabled button would not take it
        } else {
          QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
          QApplication::sendEvent(&dlg, &key);
        }
        cancelled.store(true);
      });
      watch.start(5);
      ReadWhen([&cancelled] { return cancelled.load(); });
      const Clock::time_point start = Clock::now();
      int zoom = 0;
      EXPECT_EQ(engine.Start(&zoom), 0);
      EXPECT_LT(Seconds(start), 10.0);  // far below the limit
      EXPECT_FALSE(engine.IsPortStalled());
      EXPECT_EQ(engine.GetLostCommands(), 0);
      ExpectEndsPenUp(Received());
      m_received.clear();
    }
  }
  EXPECT_TRUE(prompter.Log().empty());
}

TEST_F(StalledPort, ACancelDuringThePenUpGivesItUpAndTheMessageSaysThePenMayBeDown) {
  // The machine never reads: after the first Cancel the pen-up waits under the job's limit,
  // and any later Cancel ends that wait.
  CLptPort::SetStallLimit(60000);
  QWidget mainWindow;
  mainWindow.show();
  CEngraveEngine engine;
  engine.Attach(&doc, &source);
  engine.SetOwnerWindow(&mainWindow);
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    CEngraveProgressDialog& dlg = engine.GetProgressDialog();
    if (FirstWrite() && !dlg.IsCancelPending()) dlg.GetCancelButton()->click();
  });
  watch.start(5);
  prompter.ExpectMessage(IDOK, CString::FromUtf8("ペンが下りたままの可能性があります").c_str());
  const Clock::time_point start = Clock::now();
  int zoom = 0;
  EXPECT_EQ(engine.Start(&zoom), 0);
  EXPECT_LT(Seconds(start), 10.0);
  prompter.VerifyAllUsed();
  EXPECT_EQ(engine.GetLostCommands(), 1);  // the pen-up
}

TEST_F(StalledPort, AThreadedJobFailsAfterTheLimitAndTheStopFlagEndsItsWait) {
  for (int outStyle : {0, 1}) {
    SCOPED_TRACE(outStyle);
    S().DrawingArea.OutStyleIndex = outStyle;
    {
      EndCountingHost host;
      CThreadEngraveEngine engine;
      engine.Attach(&doc, &source, &host);
      ReadAfterTheStall();
      int zoom = 0;
      ASSERT_EQ(engine.Start(&zoom), 1);
      engine.WaitForWorker();
      EXPECT_EQ(engine.GetExitCode(), CThreadEngraveEngine::EXIT_PORT_FAILED);
      prompter.ExpectMessage(IDOK, kNoData.c_str());
      QCoreApplication::processEvents();  // the worker's message and its end
      prompter.VerifyAllUsed();
      ExpectNoDataMessage();
      EXPECT_EQ(host.ends, 1);
      ExpectEndsPenUp(Received());
      m_received.clear();
    }
    // Aborted while the machine takes nothing: the worker returns without the limit.
    CLptPort::SetStallLimit(60000);
    {
      EndCountingHost host;
      CThreadEngraveEngine engine;
      engine.Attach(&doc, &source, &host);
      int zoom = 0;
      ASSERT_EQ(engine.Start(&zoom), 1);
      pollfd first{m_reader, POLLIN, 0};
      ASSERT_EQ(::poll(&first, 1, 20000), 1);  // the job's first write
      EXPECT_TRUE(engine.IsWorkerRunning());
      const Clock::time_point start = Clock::now();
      engine.RequestStop();
      ReadWhen([] { return true; });
      engine.WaitForWorker();
      EXPECT_LT(Seconds(start), 10.0);
      EXPECT_EQ(engine.GetExitCode(), -1);
      QCoreApplication::processEvents();
      EXPECT_EQ(host.ends, 0);
      ExpectEndsPenUp(Received());
      m_received.clear();
    }
    CLptPort::SetStallLimit(kLimitMs);
  }
}

TEST_F(StalledPort, ASingleCommandWaitsOnceWithTheLimitAndSaysSo) {
  // The pipe is full before the command comes.
  const int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
  ASSERT_GE(writer, 0);
  const std::string fill(4096, 'x');
  while (::write(writer, fill.data(), fill.size()) > 0) {
  }
  prompter.ExpectMessage(IDOK, kNoData.c_str());
  CLptPort port;
  const Clock::time_point start = Clock::now();
  port.PenUp(1, 2);
  port.PenUp(3, 4);  // the machine took nothing: no second wait, no second message
  EXPECT_LT(Seconds(start), 5.0);
  EXPECT_EQ(port.LostCommands(), 2);
  prompter.VerifyAllUsed();
  ExpectNoDataMessage();
  ::close(writer);
}
