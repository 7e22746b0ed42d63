#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <thread>

#include "fake_source.h"
#include "output/lpt_port.h"
#include "scripted_prompter.h"
#include "temp_dir.h"

namespace {

// Points "LPT1" at a file of a temporary folder for one test.
class PortFile {
 public:
  explicit PortFile(const TempDir& dir, const char* name = "lpt1.out") : m_path(dir.File(name)) {
    setenv("DRAVENTIS_LPT1", m_path.c_str(), 1);
  }
  ~PortFile() { unsetenv("DRAVENTIS_LPT1"); }
  std::string Take() {
    std::string bytes = ReadFileBytes(m_path);
    ::unlink(m_path.c_str());
    return bytes;
  }
  const std::string& Path() const { return m_path; }

 private:
  std::string m_path;
};

}  // namespace

TEST(PortPath, Lpt1IsTheFirstPrinterPortUnlessTheVariableNamesAnother) {
  unsetenv("DRAVENTIS_LPT1");
  EXPECT_EQ(CLptPort::PortPath("LPT1"), "/dev/lp0");
  EXPECT_EQ(CLptPort::PortPath("LPT2"), "/dev/lp1");
  setenv("DRAVENTIS_LPT1", "/tmp/somewhere", 1);
  EXPECT_EQ(CLptPort::PortPath("LPT1"), "/tmp/somewhere");
  unsetenv("DRAVENTIS_LPT1");
}

TEST(SendCommand, EndsEachCommandWithOneSemicolonAndALineFeed) {
  TempDir dir;
  PortFile port(dir);
  CLptPort lpt;
  lpt.SendCommand("PU0,0");
  EXPECT_EQ(port.Take(), "PU0,0;\n");
  lpt.SendCommand("PU0,0;\r\n");
  EXPECT_EQ(port.Take(), "PU0,0;\n");
  lpt.SendCommand("\r\n\n");
  EXPECT_EQ(port.Take(), ";\n");
  lpt.SendCommand("");
  EXPECT_EQ(port.Take(), "");
  lpt.SendCommand("SP2;VS8;");
  EXPECT_EQ(port.Take(), "SP2;VS8;\n");
}

TEST(PenCommands, TruncateTowardZeroAndAddNothingButTheCircleLineFeed) {
  TempDir dir;
  PortFile port(dir);
  CLptPort lpt;
  lpt.PenUp(12.9, -3.7);
  EXPECT_EQ(port.Take(), "PU12,-3;");
  lpt.PenDown(-0.5, 2147483647.0 * 4);
  EXPECT_EQ(port.Take(), "PD0,2147483647;");
  lpt.Circle(400.0, 400.0);
  EXPECT_EQ(port.Take(), "CE400,400,360;\n");
  // Consecutive commands reach the port as one unbroken stream.
  lpt.PenUp(1, 2);
  lpt.PenDown(3, 4);
  lpt.PenDown(5, 6);
  EXPECT_EQ(port.Take(), "PU1,2;PD3,4;PD5,6;");
}

TEST(ConsoleSend, LowLevelModeAddsCrLfStreamModeASemicolon) {
  TempDir dir;
  PortFile port(dir);
  CLptPort lpt;
  char line[16] = "PU0,0";
  EXPECT_EQ(lpt.Send(line, 5, 1), 0);
  EXPECT_EQ(port.Take(), "PU0,0\r\n");

  char line2[16] = "PU0,0";
  EXPECT_EQ(lpt.Send(line2, 5, 2), 0);
  char line3[16] = "PD1,1;";
  EXPECT_EQ(lpt.Send(line3, 6, 2), 0);  // a line ending in ';' gets a second one
  lpt.Close();
  EXPECT_EQ(port.Take(), "PU0,0;PD1,1;;");

  char line4[16] = "PU0,0";
  EXPECT_EQ(lpt.Send(line4, 0, 2), -2);
  EXPECT_EQ(lpt.Send(nullptr, 5, 2), -1);
  EXPECT_EQ(lpt.Send(line4, 5, 3), -3);
  EXPECT_EQ(port.Take(), "");
}

TEST(PortFailure, DropsCommandsSilentlyAndReportsTheReasonToTheJobCheck) {
  setenv("DRAVENTIS_LPT1", "/nonexistent-folder/lpt", 1);
  CLptPort lpt;
  lpt.PenUp(1, 1);
  lpt.SendCommand("pu;");
  char line[8] = "PU";
  EXPECT_EQ(lpt.Send(line, 2, 2), -3);
  CString reason;
  EXPECT_FALSE(CLptPort::CheckPort(&reason));
  EXPECT_NE(std::string(reason.c_str()).find("/nonexistent-folder/lpt"), std::string::npos);
  EXPECT_NE(std::string(reason.c_str()).find("LPT1"), std::string::npos);
  // The reason in the operator's language.
  EXPECT_NE(reason.str().find(CString::FromUtf8("ポートが見つかりません").str()), std::string::npos);
  unsetenv("DRAVENTIS_LPT1");
}

TEST(RegularFile, IsAppendedToSoItCollectsAWholeJob) {
  TempDir dir;
  const std::string path = dir.Write("job.out", "earlier;");
  setenv("DRAVENTIS_LPT1", path.c_str(), 1);
  CLptPort lpt;
  lpt.SendCommand("SP2;VS8;");
  lpt.PenUp(1, 2);
  lpt.PenDown(3, 4);
  lpt.SendCommand("pu;");
  unsetenv("DRAVENTIS_LPT1");
  EXPECT_EQ(ReadFileBytes(path), "earlier;SP2;VS8;\nPU1,2;PD3,4;pu;\n");
}

TEST(Fifo, WithoutAReaderDropsTheCommandInsteadOfBlocking) {
  TempDir dir;
  const std::string path = dir.File("lpt.fifo");
  ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
  setenv("DRAVENTIS_LPT1", path.c_str(), 1);
  CLptPort lpt;
  lpt.PenUp(1, 2);  // returns at once
  CString reason;
  EXPECT_FALSE(CLptPort::CheckPort(&reason));
  EXPECT_NE(reason.str().find(CString::FromUtf8("機械がつながっていません").str()), std::string::npos);
  unsetenv("DRAVENTIS_LPT1");
}

TEST(Fifo, AReaderThatGoesAwayDoesNotEndTheProgram) {
  TempDir dir;
  const std::string path = dir.File("lpt.fifo");
  ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
  const int reader = ::open(path.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  setenv("DRAVENTIS_LPT1", path.c_str(), 1);
  CLptPort lpt;
  char line[16] = "PU0,0";
  EXPECT_EQ(lpt.Send(line, 5, 2), 0);  // the console stream stays open
  ::close(reader);
  char line2[16] = "PU1,1";
  EXPECT_EQ(lpt.Send(line2, 5, 2), 0);  // EPIPE, not SIGPIPE
  lpt.Close();
  unsetenv("DRAVENTIS_LPT1");
  SUCCEED();
}
