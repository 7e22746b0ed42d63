// The end of the program: the save question, the bar layout, the companion files and the lock.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include <QCoreApplication>
#include <QFile>
#include <QLockFile>
#include <QPageLayout>
#include <QPrinter>
#include <QSettings>

#include "app/main_frame.h"
#include "app_fixture.h"
#include "machine_simulator.h"
#include "model/kinds.h"
#include "model/korvane_doc.h"
#include "output/engrave_job.h"
#include "output/lpt_port.h"
#include "platform/ui/modal_dialogs.h"

namespace {

bool BarStored() {
  QSettings settings(QStringLiteral("Vexor Co.,Ltd"), QStringLiteral("Draventis"));
  return settings.contains(QStringLiteral("bar/State"));
}

}  // namespace

TEST_F(AppTest, CloseAsksForAModifiedDesignAndCancelKeepsEverything) {
  ASSERT_TRUE(Start());
  ASSERT_GT(Doc().AddNewObject(TYPE_RECTANGLE), 0);
  g_bModified = 1;
  Doc().SetTitle("/work/a.mrk");

  prompter->ExpectMessage(IDCANCEL, CString::FromUtf8("データを保存しますか？").c_str());
  EXPECT_FALSE(Frame().close());
  EXPECT_TRUE(Frame().isVisible());
  EXPECT_FALSE(BarStored());
  EXPECT_FALSE(QFile::exists(QString::fromStdString(temp->File("korvane.dat"))));
  EXPECT_EQ(g_bModified, 1);

  // Yes, then Cancel in the save dialog: nothing is lost either, the title stays.
  prompter->ExpectMessage(IDYES).ExpectFile(CString());
  EXPECT_FALSE(Frame().close());
  EXPECT_TRUE(Frame().isVisible());
  EXPECT_EQ(Frame().windowTitle(), QStringLiteral("/work/a.mrk - Draventis"));
  EXPECT_FALSE(BarStored());

  prompter->ExpectMessage(IDNO);
  EXPECT_TRUE(Frame().close());
  EXPECT_TRUE(BarStored());
  Stop();
  EXPECT_TRUE(QFile::exists(QString::fromStdString(temp->File("korvane.dat"))));
  EXPECT_TRUE(QFile::exists(QString::fromStdString(temp->File("korvane.arc"))));
  QLockFile lock(InstanceLockPath());
  EXPECT_TRUE(lock.tryLock(0));
}

TEST_F(AppTest, CloseIsRefusedWhileAJobRuns) {
  ASSERT_TRUE(Start());
  bool busy = true;
  Frame().SetEngravingBusy([&busy] { return busy; });
  EXPECT_FALSE(Frame().close());
  EXPECT_FALSE(BarStored());
  busy = false;
  EXPECT_TRUE(Frame().close());
}

TEST_F(AppTest, PrinterSetupWorksOnTheRunsOnePrinter) {
  ASSERT_TRUE(Start());
  QPrinter& printer = app->GetPrinter();
  EXPECT_EQ(&printer, &app->GetPrinter());
  prompter->ExpectPrinterSetup(false, true);
  ASSERT_TRUE(Frame().Commands().Execute(57606));
  EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait);
  prompter->ExpectPrinterSetup(true, true);
  ASSERT_TRUE(Frame().Commands().Execute(57606));
  EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
}

// "LPT1" becomes a FIFO whose reader takes nothing yet, and the program starts a threaded job of
// one rectangle into it.
class CloseDuringAJob : public AppTest {
 protected:
  // The reader's end once the job's first bytes are in the port and its worker runs (it waits
  // for the machine to take them); -1 when that did not come (the test has failed).
  int StartThreadedJobOnAFifo() {
    const std::string fifo = temp->File("lpt.fifo");
    if (::mkfifo(fifo.c_str(), 0600) != 0) return -1;
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    if (reader < 0) return -1;
    setenv("DRAVENTIS_LPT1", fifo.c_str(), 1);
    if (!Start()) return -1;
    EXPECT_GT(Doc().AddNewObject(TYPE_RECTANGLE), 0);
    g_bModified = 0;
    prompter->ExpectMessage(IDOK, CString::FromUtf8("レーザー出力を確認してください").c_str());
    Doc().StartThreadEngraving();
    pollfd first{reader, POLLIN, 0};
    if (!Doc().m_pEngine || ::poll(&first, 1, 20000) != 1 || !Doc().m_pEngine->IsWorkerRunning()) {
      ADD_FAILURE() << "the threaded job did not start writing";
      return -1;
    }
    return reader;
  }
};

TEST_F(CloseDuringAJob, OnAStalledPortAsksAndYesStopsTheWorkerAndEndsTheProgram) {
  // "LPT1" is a FIFO whose reader never reads: the worker waits for the machine to take the job.
  const int reader = StartThreadedJobOnAFifo();
  ASSERT_GE(reader, 0);

  // No: the job and the program go on.
  const char* question = "送るのをやめて終了しますか";
  prompter->ExpectMessage(IDNO, CString::FromUtf8(question).c_str());
  EXPECT_FALSE(Frame().close());
  EXPECT_TRUE(Frame().isVisible());
  ASSERT_NE(Doc().m_pEngine, nullptr);
  EXPECT_TRUE(Doc().m_pEngine->IsWorkerRunning());

  // Yes: the worker leaves its wait, is joined, and the program ends and frees its lock.
  prompter->ExpectMessage(IDYES, CString::FromUtf8(question).c_str());
  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(Frame().close());
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(CLptPort::kStallLimitMs));
  EXPECT_EQ(Doc().m_pEngine, nullptr);
  EXPECT_FALSE(IsWorkerPortClaimed());
  prompter->VerifyAllUsed();
  Stop();
  QLockFile lock(InstanceLockPath());
  EXPECT_TRUE(lock.tryLock(0));
  ::close(reader);
  unsetenv("DRAVENTIS_LPT1");
}

TEST_F(CloseDuringAJob, TheQuestionAnsweredAfterTheJobEndedUnderItStillClosesCleanly) {
  // The worker holds the port until the machine has taken the job, so it still runs when the
  // question comes; the machine takes everything while the question is shown, and the job's end
  // timer deletes the engine before the answer.
  const int reader = StartThreadedJobOnAFifo();
  ASSERT_GE(reader, 0);

  std::string taken;
  prompter->ExpectMessage(IDYES, CString::FromUtf8("送るのをやめて終了しますか").c_str()).WhileShown([&] {
    char buf[4096];
    for (;;) {  // until the worker closes the port
      pollfd p{reader, POLLIN, 0};
      if (::poll(&p, 1, 20000) <= 0) break;
      const ssize_t n = ::read(reader, buf, sizeof buf);
      if (n <= 0) break;
      taken.append(buf, static_cast<size_t>(n));
    }
    const auto guard = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (Doc().m_pEngine && Doc().m_pEngine->IsWorkerRunning() && std::chrono::steady_clock::now() < guard)
      std::this_thread::yield();
    QCoreApplication::processEvents();  // the worker's end arms timer 2
    EXPECT_TRUE(timers.FireTimer(2));
    EXPECT_EQ(Doc().m_pEngine, nullptr);
  });
  EXPECT_TRUE(Frame().close());
  prompter->VerifyAllUsed();
  // The whole job reached the machine, ending with the pen up.
  CMachineSimulator machine(-200000, -200000, 4, 4);
  EXPECT_TRUE(machine.Run(taken)) << machine.Error();
  EXPECT_FALSE(machine.IsPenDown());
  EXPECT_EQ(machine.Speeds().size(), 2u);
  EXPECT_FALSE(IsWorkerPortClaimed());
  Stop();
  ::close(reader);
  unsetenv("DRAVENTIS_LPT1");
}
