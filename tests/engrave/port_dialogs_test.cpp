// The console, the one-string dialog and the monitor; "LPT1" is a file.
#include <QAbstractButton>
#include <QApplication>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engrave_fakes.h"
#include "fake_control_host.h"
#include "output/lpt_port.h"
#include "output/port_console.h"
#include "output/port_monitor.h"
#include "output/port_string_dialog.h"
#include "platform/ui/qt_control_host.h"
#include "res/dialog_130.h"
#include "res/dialog_156.h"
#include "res/dialog_157.h"

namespace {

class PortDialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    portPath = dir.File("lpt1.out");
    setenv("DRAVENTIS_LPT1", portPath.c_str(), 1);
    console.AttachHost(&host);
    console.OnInitDialog();
  }
  void TearDown() override { unsetenv("DRAVENTIS_LPT1"); }
  std::string Take() {
    std::string bytes = ReadFileBytes(portPath);
    std::remove(portPath.c_str());
    return bytes;
  }

  // "LPT1" becomes a FIFO whose reader opened it and takes nothing, its pipe full already.
  void UseStalledFifo() {
    const std::string fifo = dir.File("lpt.fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    m_nReader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(m_nReader, 0);
    const int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
    ASSERT_GE(writer, 0);
    const std::string fill(4096, 'x');
    while (::write(writer, fill.data(), fill.size()) > 0) {
    }
    ::close(writer);
    setenv("DRAVENTIS_LPT1", fifo.c_str(), 1);
    CLptPort::SetStallLimit(200);
  }
  void ReleaseFifo() {
    CLptPort::SetStallLimit(0);
    if (m_nReader >= 0) ::close(m_nReader);
    m_nReader = -1;
  }

  TempDir dir;
  ScriptedPrompter prompter;
  std::string portPath;
  int m_nReader = -1;
  CFakeControlHost host{g_Dialog156};
  CPortConsoleDialog console;
};

}  // namespace

TEST_F(PortDialogsTest, ConsoleSendsEachScriptLineInEitherModeAndSkipsCommentsAndEmptyLines) {
  EXPECT_EQ(console.GetMode(), 2);
  EXPECT_EQ(host.GetCheck(1480), 1);
  EXPECT_EQ(host.GetCheck(1479), 0);
  EXPECT_EQ(host.GetDlgItemText(1481), CString("1"));

  host.SetDlgItemText(1478, CString("PU0,0;\r\n#comment\r\n\r\nPD5,5"));
  host.SetDlgItemText(1481, CString("2"));
  host.Click(3);
  EXPECT_EQ(Take(), "PU0,0;;PD5,5;PU0,0;;PD5,5;");

  host.Click(1479);
  EXPECT_EQ(console.GetMode(), 1);
  host.Click(3);
  EXPECT_EQ(Take(), "PU0,0;\r\nPD5,5\r\nPU0,0;\r\nPD5,5\r\n");

  // A line longer than the buffer is cut where its ending still fits.
  host.SetDlgItemText(1478, CString(std::string(1500, 'A').c_str()));
  host.SetDlgItemText(1481, CString("1"));
  host.Click(3);
  EXPECT_EQ(Take(), std::string(CPortConsoleDialog::kLineMax, 'A') + "\r\n");
}

TEST_F(PortDialogsTest, ConsoleRefusesABadCountAndClearEmptiesTheWholeScript) {
  host.SetDlgItemText(1478, CString("PU0,0;"));
  host.SetDlgItemText(1481, CString("abc"));
  prompter.ExpectMessage(IDOK, U("回数がだめです  len = 3  0   "));
  host.Click(3);
  host.SetDlgItemText(1481, CString("-2"));
  prompter.ExpectMessage(IDOK, U("len = 2  -2"));
  host.Click(3);
  EXPECT_EQ(Take(), "");

  host.SetDlgItemText(1478, CString(std::string(70000, 'P').c_str()));
  host.SetDlgItemText(1481, CString("1"));
  host.Click(4);
  EXPECT_EQ(host.GetDlgItemText(1478), CString(""));
  host.Click(3);
  EXPECT_EQ(Take(), "");

  // A port that cannot be opened is named, and nothing is tried.
  setenv("DRAVENTIS_LPT1", (dir.File("missing") + "/lpt1").c_str(), 1);
  host.SetDlgItemText(1478, CString("PU0,0;"));
  prompter.ExpectMessage(IDOK, U("LPT1"));
  host.Click(3);
  prompter.VerifyAllUsed();
}

TEST_F(PortDialogsTest, TheQtScriptEditHoldsNoMoreThanItsLimit) {
  QWidget window;
  CQtControlHost qt(g_Dialog156, &window);
  CPortConsoleDialog dialog;
  dialog.AttachHost(&qt);
  dialog.OnInitDialog();
  qt.SetDlgItemText(1478, CString(std::string(CPortConsoleDialog::kScriptLimit + 10, 'x').c_str()));
  EXPECT_EQ(qt.GetDlgItemText(1478).GetLength(), CPortConsoleDialog::kScriptLimit);
}

TEST_F(PortDialogsTest, OneStringDialogSendsTheTypedCommandOnOkOnly) {
  bool ok = true;
  PortStringDialogRunner previous = SetPortStringDialogRunner([&ok](CString& text) {
    CPortStringDialog dialog;
    CFakeControlHost h(g_Dialog130);
    dialog.AttachHost(&h);
    dialog.OnInitDialog();
    h.Type(1000, CString("PD10,20"));
    h.Click(ok ? IDOK : IDCANCEL);
    if (dialog.GetResult() != IDOK) return false;
    text = dialog.m_strText;
    return true;
  });
  CLptPort port;
  port.SendStringFromDialog();
  EXPECT_EQ(Take(), "PD10,20;\n");
  ok = false;
  port.SendStringFromDialog();
  EXPECT_EQ(Take(), "");
  SetPortStringDialogRunner(std::move(previous));
}

TEST_F(PortDialogsTest, MonitorListsLinesEmptiesOnItsButtonAndTellsTheFrameWhenItGoes) {
  struct Frame : EngraveFrame {
    void OnPortMonitorClosed() override { ++closed; }
    int closed = 0;
  } frame;
  auto* monitor = new CPortMonitorDialog;
  ASSERT_TRUE(monitor->Create(nullptr, &frame));
  EXPECT_FALSE(monitor->isModal());
  monitor->AddLine(CString("PU0,0;"));
  monitor->AddLine(CString("PD1,1;"));
  EXPECT_EQ(monitor->Controls()->GetCount(1482), 2);
  EXPECT_EQ(monitor->Controls()->GetText(1482, 1), CString("PD1,1;"));
  auto* qt = dynamic_cast<CQtControlHost*>(monitor->Controls());
  qobject_cast<QAbstractButton*>(qt->GetControlWidget(1483))->click();
  EXPECT_EQ(monitor->Controls()->GetCount(1482), 0);

  // The port's echo reaches the frame's monitor text.
  CLptPort::SetMonitorFrame(&frame);
  CLptPort port;
  port.EchoToMonitor(CString("VS8;"));
  CLptPort::SetMonitorFrame(nullptr);
  EXPECT_EQ(frame.monitor, std::vector<std::string>{"VS8;"});

  monitor->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(frame.closed, 1);
}

TEST_F(PortDialogsTest, ConsoleLinesAndTheOneStringThatThePortDoesNotTakeAreToldOnce) {
  const char* noData = "機械がデータを受け取りません";
  bool ok = true;
  PortStringDialogRunner previous = SetPortStringDialogRunner([&ok](CString& text) {
    text = CString("PD10,20");
    return ok;
  });
  // A device that refuses every byte: the lines are counted and the operator hears of it once.
  setenv("DRAVENTIS_LPT1", "/dev/full", 1);
  host.SetDlgItemText(1478, CString("PU0,0;\r\nPD5,5"));
  host.SetDlgItemText(1481, CString("3"));
  for (int mode : {1479, 1480}) {
    host.Click(mode);
    prompter.ExpectMessage(IDOK, U("LPT1 (/dev/full) へ 6 個のコマンドを送れませんでした"));
    host.Click(3);
    prompter.VerifyAllUsed();
  }
  prompter.ExpectMessage(IDOK, U("ポートがいっぱいで"));
  CLptPort().SendStringFromDialog();
  prompter.VerifyAllUsed();

  // A machine that takes nothing: each ends after the limit with the message, once.
  UseStalledFifo();
  for (int mode : {1479, 1480}) {
    host.Click(mode);
    prompter.ExpectMessage(IDOK, U(noData));
    host.Click(3);
    prompter.VerifyAllUsed();
  }
  prompter.ExpectMessage(IDOK, U(noData));
  CLptPort().SendStringFromDialog();
  prompter.VerifyAllUsed();
  // A head move or a wizard's jog is a single command like these.
  prompter.ExpectMessage(IDOK, U(noData));
  CLptPort().PenUp(0, 0);
  prompter.VerifyAllUsed();
  ReleaseFifo();
  SetPortStringDialogRunner(std::move(previous));
}
