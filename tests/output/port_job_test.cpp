// The port as a job sees it: opened once for the whole job, so that a FIFO reader that opened it
// once receives the whole stream; commands that do not reach the port whole are counted, told
// to the operator and make the job fail; single commands still open and close the port.
#include <QCoreApplication>

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <thread>

#include "engrave_fixture.h"
#include "output/engrave_engine.h"
#include "output/lpt_port.h"
#include "output/thread_engrave_engine.h"

namespace {

// A reader at the far end of a FIFO, opened once before the job as `cat fifo > out` would be:
// it reads until the writer's end of file, or until it has read `limit` bytes and goes away.
class FifoReader {
 public:
  explicit FifoReader(const std::string& path, size_t limit = std::string::npos)
      : m_bGoesAway(limit != std::string::npos) {
    m_fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK);
    m_thread = std::thread([this, limit] {
      char buf[4096];
      while (m_received.size() < limit) {
        // No hang-up is reported before a writer has come, so this waits for the job.
        pollfd p{m_fd, POLLIN, 0};
        if (::poll(&p, 1, 20000) <= 0) break;  // a guard against a hanging test only
        const ssize_t n = ::read(m_fd, buf, std::min(sizeof buf, limit - m_received.size()));
        if (n == 0) break;  // the writer closed the port
        if (n < 0) continue;
        m_received.append(buf, static_cast<size_t>(n));
      }
      if (m_bGoesAway) ::close(m_fd);
    });
  }
  ~FifoReader() { Join(); }
  // Waits for the reader to end and returns what it received.
  const std::string& Join() {
    if (m_thread.joinable()) m_thread.join();
    if (m_fd >= 0 && !m_bGoesAway) ::close(m_fd);
    m_fd = -1;
    return m_received;
  }
  bool Opened() const { return m_fd >= 0; }

 private:
  const bool m_bGoesAway;
  int m_fd = -1;
  std::thread m_thread;
  std::string m_received;
};

// Port commands in a stream: every move, mark, circle, speed and final pen-up.
int CommandCount(const std::string& s) {
  int n = 0;
  for (const char* name : {"PU", "PD", "CE", "SP2;", "pu;"})
    for (size_t at = s.find(name); at != std::string::npos; at = s.find(name, at + 1)) ++n;
  return n;
}

// How many descriptors of this process have the path open.
int OpenCount(const std::string& path) {
  int n = 0;
  DIR* dir = ::opendir("/proc/self/fd");
  if (!dir) return -1;
  while (dirent* e = ::readdir(dir)) {
    char target[4096];
    const std::string link = std::string("/proc/self/fd/") + e->d_name;
    const ssize_t len = ::readlink(link.c_str(), target, sizeof target - 1);
    if (len > 0 && std::string(target, static_cast<size_t>(len)) == path) ++n;
  }
  ::closedir(dir);
  return n;
}

class PortJob : public EngraveTest {
 protected:
  void SetUp() override {
    EngraveTest::SetUp();
    AddPortDesign();
  }
  // One job of the engine; the normal engine's result, or the worker's exit code.
  int RunJob(bool threaded, int outStyle) {
    S().DrawingArea.OutStyleIndex = outStyle;
    int zoom = 0;
    if (threaded) {
      CThreadEngraveEngine engine;
      engine.Attach(&doc, &source, nullptr);
      if (engine.Start(&zoom) != 1) return -100;
      engine.WaitForWorker();
      QCoreApplication::processEvents();  // the worker's queued calls, its message among them
      return engine.GetExitCode();
    }
    CEngraveEngine engine;
    engine.Attach(&doc, &source);
    return engine.Start(&zoom);
  }
  void UsePort(const std::string& path) { setenv("DRAVENTIS_LPT1", path.c_str(), 1); }
  // The stream the job sends into a regular file.
  std::string FileStream(bool threaded, int outStyle) {
    UsePort(portPath);
    EXPECT_EQ(RunJob(threaded, outStyle), threaded ? 0 : 1);
    return Take();
  }
};

}  // namespace

TEST_F(PortJob, AFifoReaderThatOpenedOnceReceivesEveryByteOfAJob) {
  const std::string fifo = dir.File("lpt.fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (bool threaded : {false, true}) {
    for (int outStyle : {0, 1}) {
      const std::string expected = FileStream(threaded, outStyle);
      ASSERT_GT(expected.size(), 20000u);  // more than one write of the job and than a FIFO's first reads
      FifoReader reader(fifo);
      ASSERT_TRUE(reader.Opened());
      UsePort(fifo);
      EXPECT_EQ(RunJob(threaded, outStyle), threaded ? 0 : 1);
      EXPECT_EQ(reader.Join(), expected) << "threaded " << threaded << ", style " << outStyle;
    }
  }
  EXPECT_TRUE(prompter.Log().empty());
}

TEST_F(PortJob, AJobIntoAFullDeviceFailsAndSaysHowManyCommandsWereLost) {
  for (bool threaded : {false, true}) {
    const std::string expected = FileStream(threaded, 0);
    const std::string count = std::to_string(CommandCount(expected));
    prompter.ExpectMessage(IDOK, (" " + count + " ").c_str());
    UsePort("/dev/full");
    EXPECT_EQ(RunJob(threaded, 0), threaded ? CThreadEngraveEngine::EXIT_PORT_FAILED : CEngraveEngine::START_PORT_FAILED);
    prompter.VerifyAllUsed();
    ASSERT_FALSE(prompter.Log().empty());
    const std::string text = prompter.Log().back().text.str();
    EXPECT_NE(text.find("LPT1 (/dev/full)"), std::string::npos) << text;
    EXPECT_NE(text.find(CString::FromUtf8("ポートがいっぱいで").str()), std::string::npos) << text;
  }
  EXPECT_EQ(prompter.Log().size(), 2u);
}

TEST_F(PortJob, AReaderThatGoesAwayMidJobFailsTheJobWithTheCountOfLostCommands) {
  for (int i = 0; i < 3000; ++i) source.AddSquare(i % 50 - 25, i / 50 % 30 - 15, 0.5);  // far more than a pipe holds
  const std::string expected = FileStream(false, 0);
  const int total = CommandCount(expected);
  const std::string fifo = dir.File("lpt.fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  FifoReader reader(fifo, 3000);
  UsePort(fifo);
  prompter.ExpectMessage(IDOK, "LPT1");
  CEngraveEngine engine;
  engine.Attach(&doc, &source);
  int zoom = 0;
  EXPECT_EQ(engine.Start(&zoom), CEngraveEngine::START_PORT_FAILED);
  prompter.VerifyAllUsed();
  const std::string received = reader.Join();
  EXPECT_EQ(received, expected.substr(0, received.size()));
  // What the reader took is not lost; what the pipe still held when it went away is lost without
  // the writer knowing, so the count lies between none and all the rest.
  const int lost = engine.GetLostCommands();
  EXPECT_GT(lost, 0);
  EXPECT_LE(lost, total - CommandCount(received) + 1);
  const std::string text = prompter.Log().back().text.str();
  EXPECT_NE(text.find(" " + std::to_string(lost) + " "), std::string::npos) << text;
}

TEST_F(PortJob, AJobHoldsThePortWhileSingleCommandsOpenAndCloseIt) {
  UsePort(portPath);
  {
    CLptPort port;
    EXPECT_TRUE(port.OpenJob());
    EXPECT_EQ(OpenCount(portPath), 1);
    port.SendCommand("SP2;VS8;");
    port.PenUp(1, 2);
    port.Circle(3, 4);
    EXPECT_EQ(OpenCount(portPath), 1);
    EXPECT_EQ(port.CloseJob(), 0);
    EXPECT_EQ(OpenCount(portPath), 0);
    // After the job the object sends single commands again.
    port.PenDown(5, 6);
    EXPECT_EQ(OpenCount(portPath), 0);
  }
  EXPECT_EQ(Take(), "SP2;VS8;\nPU1,2;CE3,4,360;\nPD5,6;");

  // A console line of either way, a jog, a one-string line: the port is closed after each one,
  // except for the console stream, which its object keeps until Close.
  CLptPort console;
  char line[16] = "PU0,0";
  EXPECT_EQ(console.Send(line, 5, 1), 0);
  EXPECT_EQ(OpenCount(portPath), 0);
  console.SendCommand("PU7,7");
  EXPECT_EQ(OpenCount(portPath), 0);
  char line2[16] = "PD1,1";
  EXPECT_EQ(console.Send(line2, 5, 2), 0);
  EXPECT_EQ(OpenCount(portPath), 1);
  console.Close();
  EXPECT_EQ(OpenCount(portPath), 0);
  EXPECT_EQ(Take(), "PU0,0\r\nPU7,7;\nPD1,1;");
  EXPECT_EQ(console.LostCommands(), 0);

  // A single command that cannot be written is counted by its object.
  UsePort("/dev/full");
  CLptPort full;
  full.PenUp(1, 1);
  full.SendCommand("pu;");
  EXPECT_EQ(full.LostCommands(), 2);
}

TEST_F(PortJob, AJobThatCannotOpenThePortSendsNothingAndSaysWhy) {
  UsePort(dir.File("missing/lpt"));
  for (bool threaded : {false, true}) {
    prompter.ExpectMessage(IDOK, "missing/lpt");
    EXPECT_EQ(RunJob(threaded, 0), threaded ? -100 : CEngraveEngine::START_REFUSED);
  }
  prompter.VerifyAllUsed();
  EXPECT_EQ(prompter.Log().size(), 2u);
}
