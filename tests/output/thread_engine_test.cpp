#include <QCoreApplication>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <thread>

#include "engrave_fixture.h"
#include "output/engrave_engine.h"
#include "output/thread_engrave_engine.h"

namespace {

struct RecordingHost : IThreadEngraveHost {
  void ShowProgress(int lo, int hi) override { shown.push_back({lo, hi}); }
  void SetProgressPos(int pos) override { positions.push_back(pos); }
  void ScheduleEngravingEnd() override { ++ends; }
  std::vector<std::pair<int, int>> shown;
  std::vector<int> positions;
  int ends = 0;
};

void DeliverQueuedCalls() { QCoreApplication::processEvents(); }

}  // namespace

TEST_F(EngraveTest, ThreadedOutlineJobReportsProgressAndArmsTheEnd) {
  source.AddSquare(0, 0, 2);
  source.AddCircle(5, 5, 1);
  const int skipped = source.AddSquare(0, 0, 2);
  source.SetOutlineKind(skipped, TYPE_NONE);
  RecordingHost host;
  CThreadEngraveEngine engine;
  EXPECT_EQ(engine.Stop(), 1);  // not attached
  ASSERT_EQ(engine.Attach(&doc, &source, &host), 1);
  EXPECT_EQ(engine.Stop(), 1);  // no worker yet
  int zoom = 0;
  ASSERT_EQ(engine.Start(&zoom), 1);
  EXPECT_EQ(zoom, -1);
  EXPECT_EQ(engine.GetCapturedOutlines().size(), 2u);
  EXPECT_EQ(source.held, 0);  // every capture released on this thread
  engine.WaitForWorker();
  EXPECT_EQ(engine.GetExitCode(), 0);
  DeliverQueuedCalls();
  EXPECT_EQ(host.shown, (std::vector<std::pair<int, int>>{{0, 2}}));
  EXPECT_EQ(host.positions, (std::vector<int>{1, 2}));
  EXPECT_EQ(host.ends, 1);
  EXPECT_EQ(engine.Stop(), 1);

  const std::string threaded = Take();
  CEngraveEngine normal;
  normal.Attach(&doc, &source);
  ASSERT_EQ(normal.Start(&zoom), 1);
  EXPECT_EQ(Take(), threaded);
}

TEST_F(EngraveTest, AStopBeforeTheFirstRecordSendsNothingButThePenUp) {
  source.AddSquare(0, 0, 2);
  RecordingHost host;
  CThreadEngraveEngine engine;
  engine.Attach(&doc, &source, &host);
  engine.RequestStop();
  int zoom = 0;
  ASSERT_EQ(engine.Start(&zoom), 1);
  engine.WaitForWorker();
  EXPECT_EQ(engine.GetExitCode(), -1);
  DeliverQueuedCalls();
  EXPECT_EQ(host.ends, 0);
  EXPECT_EQ(Take(), "SP2;VS8;\npu;\n");  // stopped early: the pen goes up
}

TEST_F(EngraveTest, ThreadedRasterWithSpanZeroSaysThereIsNothingToSendAndStartsNoWorker) {
  source.AddSquare(0, 0, 2);
  S().DrawingArea.OutStyleIndex = 1;
  S().DrawingArea.Span = 0;
  RecordingHost host;
  CThreadEngraveEngine engine;
  engine.Attach(&doc, &source, &host);
  int zoom = 0;
  prompter.ExpectMessage(IDOK, CString::FromUtf8("機械へ送るデータがありません").c_str());
  EXPECT_EQ(engine.Start(&zoom), 0);
  prompter.VerifyAllUsed();
  EXPECT_FALSE(engine.IsWorkerRunning());
  EXPECT_EQ(Take(), "");
  EXPECT_FALSE(IsWorkerPortClaimed());
}

TEST_F(EngraveTest, ThreadedConcentricScanHasNothingToMarkAndSendsNothing) {
  source.AddSquare(0, 0, 2);
  S().DrawingArea.OutStyleIndex = 1;
  S().DrawingArea.ScanDirectionIndex = 2;
  S().DrawingArea.DPM = 10;
  S().DrawingArea.Span = 0.1;
  S().DrawingData.HOME = 1;
  CThreadEngraveEngine engine;
  engine.Attach(&doc, &source, nullptr);
  int zoom = 0;
  // It scans nothing, so there is nothing to mark.
  prompter.ExpectMessage(IDOK, CString::FromUtf8("何も彫刻されません").c_str());
  ASSERT_EQ(engine.Start(&zoom), 0);
  prompter.VerifyAllUsed();
  EXPECT_EQ(zoom, 4);
  EXPECT_FALSE(engine.IsWorkerRunning());
  EXPECT_EQ(Take(), "");
}

TEST_F(EngraveTest, TheParkPointWithHomeAtZeroIsTheScaledHalfFieldInBothEngines) {
  S().DrawingData.HOME = 1;
  S().DrawingData.ScaleX = 1.5;
  S().DrawingData.ScaleY = 0.5;
  source.AddSquare(0, 0, 2);
  CThreadEngraveEngine engine;
  engine.Attach(&doc, &source, nullptr);
  int zoom = 0;
  ASSERT_EQ(engine.Start(&zoom), 1);
  engine.WaitForWorker();
  EXPECT_EQ(EndOf(Take()), "SP2;VS4;\nPU3000,1000;PU3000,1000;");
  // Raster mode holds the field in dots; the park is the same machine point.
  S().DrawingArea.OutStyleIndex = 1;
  S().DrawingArea.DPM = 10;
  S().DrawingArea.Span = 0.1;
  CEngraveEngine normal;
  normal.Attach(&doc, &source);
  ASSERT_EQ(normal.Start(&zoom), 1);
  EXPECT_EQ(EndOf(Take()), "SP2;VS4;\nPU3000,1000;PU3000,1000;");
}

TEST_F(EngraveTest, WhileAWorkerHoldsThePortNoOtherJobStarts) {
  AddMark();
  ASSERT_TRUE(ClaimWorkerPort());
  CThreadEngraveEngine threaded;
  threaded.Attach(&doc, &source, nullptr);
  int zoom = 0;
  prompter.ExpectMessage(IDOK, CString::FromUtf8("送り終わってから").c_str());
  EXPECT_EQ(threaded.Start(&zoom), 0);
  CEngraveEngine normal;
  normal.Attach(&doc, &source);
  prompter.ExpectMessage(IDOK, CString::FromUtf8("送り終わってから").c_str());
  EXPECT_EQ(normal.Start(&zoom), CEngraveEngine::START_REFUSED);
  prompter.VerifyAllUsed();
  ReleaseWorkerPort();
  EXPECT_EQ(Take(), "");
  EXPECT_EQ(threaded.Start(&zoom), 1);
  threaded.WaitForWorker();
  EXPECT_EQ(threaded.Start(&zoom), 0);  // an engine runs one job
}

TEST_F(EngraveTest, AnEngineFreedWhileItsWorkerRunsWaitsForIt) {
  // A FIFO that nobody reads until the engine is being freed: the worker blocks in a write.
  const std::string fifo = dir.File("slow.fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  setenv("DRAVENTIS_LPT1", fifo.c_str(), 1);
  for (int i = 0; i < 3000; ++i) source.AddSquare(i % 50, 0, 1);  // far more than the pipe holds
  std::string received;
  {
    auto engine = std::make_unique<CThreadEngraveEngine>();
    engine->Attach(&doc, &source, nullptr);
    int zoom = 0;
    ASSERT_EQ(engine->Start(&zoom), 1);
    std::thread drain([&] {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      char buf[4096];
      for (;;) {
        pollfd p{reader, POLLIN, 0};
        if (::poll(&p, 1, 500) <= 0) break;
        const ssize_t n = ::read(reader, buf, sizeof buf);
        if (n <= 0) {
          if (!IsWorkerPortClaimed()) break;
          std::this_thread::sleep_for(std::chrono::milliseconds(1));
          continue;
        }
        received.append(buf, static_cast<size_t>(n));
      }
    });
    EXPECT_EQ(engine->Stop(), 0);  // still running: the stop flag is set, the engine stays
    engine.reset();                // waits for the worker
    EXPECT_FALSE(IsWorkerPortClaimed());
    drain.join();
  }
  ::close(reader);
  EXPECT_EQ(received.find("VS4"), std::string::npos);  // stopped: no end of job
}

TEST_F(EngraveTest, AWholeJobThroughAFifoReachesTheReaderComplete) {
  for (int i = 0; i < 300; ++i) source.AddSquare(i % 40 - 20, i / 40 - 4, 0.8);
  source.AddCircle(3, 3, 2);
  S().DrawingData.HOME = 1;
  CEngraveEngine first;
  first.Attach(&doc, &source);
  int zoom = 0;
  ASSERT_EQ(first.Start(&zoom), 1);
  // The regular file collected the whole job, from the speed to the park.
  const std::string expected = Take();
  ASSERT_GT(expected.size(), 10000u);
  EXPECT_EQ(expected.rfind("SP2;VS8;\n", 0), 0u);
  const std::string park = "SP2;VS4;\nPU2000,2000;PU2000,2000;";
  ASSERT_GT(expected.size(), park.size());
  EXPECT_EQ(expected.substr(expected.size() - park.size()), park);
  EXPECT_EQ(std::count(expected.begin(), expected.end(), 'C'), 1);  // the circle

  const std::string fifo = dir.File("job.fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  // Opened read-write so that the reader never sees an end of file between two commands.
  const int reader = ::open(fifo.c_str(), O_RDWR);
  ASSERT_GE(reader, 0);
  std::string received;
  std::thread read([&] {
    char buf[4096];
    while (received.size() < expected.size()) {
      pollfd p{reader, POLLIN, 0};
      if (::poll(&p, 1, 5000) <= 0) break;
      const ssize_t n = ::read(reader, buf, sizeof buf);
      if (n <= 0) break;
      received.append(buf, static_cast<size_t>(n));
    }
  });
  setenv("DRAVENTIS_LPT1", fifo.c_str(), 1);
  CThreadEngraveEngine engine;
  engine.Attach(&doc, &source, nullptr);
  ASSERT_EQ(engine.Start(&zoom), 1);
  engine.WaitForWorker();
  read.join();
  ::close(reader);
  EXPECT_EQ(received, expected);
}
