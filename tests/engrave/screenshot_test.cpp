// Pictures for a look by eye (KORVANE_SCREENSHOT_DIR set, a real display such as xvfb): every
// step of both origin wizards, the port console, the one-string dialog and the port monitor.
#include <QAbstractButton>
#include <QApplication>
#include <QTimer>
#include <QWidget>

#include "engrave_fakes.h"
#include "output/origin_wizard.h"
#include "output/port_console.h"
#include "output/port_monitor.h"
#include "output/port_string_dialog.h"
#include "platform/ui/qt_control_host.h"
#include "outside_tool.h"

namespace {

class EngraveScreenshots : public ::testing::Test {
 protected:
  void SetUp() override {
    REQUIRE_SCREENSHOT_DIR(out);
    setenv("DRAVENTIS_LPT1", dir.File("lpt1.out").c_str(), 1);
  }
  void TearDown() override { unsetenv("DRAVENTIS_LPT1"); }
  static void Settle() {
    for (int i = 0; i < 20; ++i) QApplication::processEvents();
  }
  void Grab(QWidget* w, const std::string& name) {
    Settle();
    EXPECT_TRUE(w->grab().save(QString::fromStdString(std::string(out) + "/" + name + ".png")));
  }
  // Grabs the modal dialog that the call opens, then closes it.
  void GrabModal(const std::string& name, const std::function<void()>& open) {
    QTimer::singleShot(300, [this, name] {
      QWidget* w = QApplication::activeModalWidget();
      ASSERT_TRUE(w);
      Grab(w, name);
      w->close();
    });
    open();
  }
  const char* out = nullptr;
  TempDir dir;
};

}  // namespace

TEST_F(EngraveScreenshots, EveryWizardStepAndThePortDialogs) {
  COriginWizard wizard;
  wizard.show();
  Grab(&wizard, "wizard_1");
  qobject_cast<QAbstractButton*>(wizard.m_pPage2->QtControls()->GetControlWidget(1512))->click();
  for (int step = 2; step <= 5; ++step) {
    wizard.next();
    Grab(&wizard, "wizard_" + std::to_string(step));
  }
  COriginWizardFix fix;
  fix.SetModel(2);
  fix.show();
  Grab(&fix, "wizard_fix_1");
  for (int step = 2; step <= 4; ++step) {
    fix.next();
    Grab(&fix, "wizard_fix_" + std::to_string(step));
  }
  GrabModal("console", [] {
    CPortConsoleDialog console;
    console.DoModal();
  });
  GrabModal("one_string", [] {
    CPortStringDialog dialog;
    dialog.DoModal();
  });
  auto* monitor = new CPortMonitorDialog;
  monitor->Create(nullptr);
  monitor->AddLine(CString("PU0,0;"));
  monitor->AddLine(CString("PD400,0;"));
  Grab(monitor, "monitor");
  monitor->close();
}
