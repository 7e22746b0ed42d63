// The console, the one-string dialog and the monitor; "LPT1" is a file.
#include <QAbstractButton>
#include <QApplication>

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

  TempDir dir;
  ScriptedPrompter prompter;
  std::string portPath;
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
