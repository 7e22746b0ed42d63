#include "app/engrave_commands.h"

#include <QMainWindow>

#include "app/korvane_view.h"
#include "app/main_frame.h"
#include "model/korvane_doc.h"
#include "output/lpt_port.h"
#include "output/origin_wizard.h"
#include "output/port_console.h"
#include "output/port_monitor.h"

namespace {

constexpr UINT ID_PORT_STRING = 32771;
constexpr UINT ID_ENGRAVE = 32808;
constexpr UINT ID_PORT_CONSOLE = 32858;
constexpr UINT ID_PORT_MONITOR = 32859;
constexpr UINT ID_ORIGIN_WIZARD = 32888;
constexpr UINT ID_ENGRAVE_THREAD = 32898;
constexpr int IDC_ABORT = 1530;
constexpr UINT TIMER_PORT_CONSOLE = 1;
constexpr UINT TIMER_ENGRAVE_END = 2;

void RunPortConsole(QWidget* parent) {
  CPortConsoleDialog dialog(parent);
  dialog.DoModal();
}

// The wizard runner lives as long as the table that registered it.
class CWizardOwner : public QObject {
 public:
  CWizardOwner(QObject* parent, CKorvaneDoc* doc, QWidget* window) : QObject(parent), m_pDoc(doc), runner(window) {
    m_pDoc->SetEngraveServices(&runner);
  }
  // The document may outlive the frame's table.
  ~CWizardOwner() override { m_pDoc->SetEngraveServices(nullptr); }
  CKorvaneDoc* m_pDoc;
  COriginWizardRunner runner;
};

}  // namespace

CPortMonitorDialog* OpenPortMonitor(const CommandContext& ctx) {
  auto* frame = dynamic_cast<CMainFrame*>(ctx.window);
  if (frame) {
    if (auto* open = qobject_cast<CPortMonitorDialog*>(frame->PortMonitor())) {
      open->raise();
      open->activateWindow();
      return open;
    }
  }
  auto* monitor = new CPortMonitorDialog;
  monitor->Create(ctx.window, ctx.frame);
  if (frame) frame->SetPortMonitor(monitor, [monitor](const CString& text) { monitor->AddLine(text); });
  return monitor;
}

void RegisterEngraveCommands(CCommandTable& table, const CommandContext& ctx) {
  CKorvaneDoc* doc = ctx.doc;
  IDocMainFrame* frame = ctx.frame;
  QWidget* window = ctx.window;
  if (!doc) return;

  new CWizardOwner(&table, doc, window);
  CLptPort::SetMonitorFrame(frame);
  if (window) QObject::connect(window, &QObject::destroyed, [] { CLptPort::SetMonitorFrame(nullptr); });

  const auto notBusy = [doc](CCmdUI& ui) {
    if (doc->IsEngravingBusy()) ui.Enable(FALSE);
  };

  table.Add(ID_ENGRAVE, [doc] { doc->StartEngraving(); }, notBusy);
  table.Add(ID_ENGRAVE_THREAD, [doc, frame] {
    if (frame) frame->ToggleEngraveThreadButton(1);
    doc->StartThreadEngraving();
  }, [doc](CCmdUI& ui) {
    if (doc->m_bEngraveRunning || doc->IsEngravingBusy()) ui.Enable(FALSE);
  });
  table.Add(ID_ORIGIN_WIZARD, [doc] { doc->RunOriginWizard(); }, notBusy);
  table.Add(ID_PORT_STRING, [] {
    CLptPort port;
    port.SendStringFromDialog();
  });
  table.Add(ID_PORT_CONSOLE, [window] { RunPortConsole(window); });
  table.Add(ID_PORT_MONITOR, [ctx] { OpenPortMonitor(ctx); });

  if (auto* mainFrame = dynamic_cast<CMainFrame*>(window)) {
    mainFrame->SetTimerHook(TIMER_ENGRAVE_END, [doc] { doc->OnEngraveEndTimer(); });
    mainFrame->SetTimerHook(TIMER_PORT_CONSOLE, [window] { RunPortConsole(window); });
    mainFrame->SetEngravingBusy([doc] { return doc->m_bNormalEngraving != 0; });
  }
  if (CKorvaneView* form = ctx.form) {
    form->SetCommandHandler(IDC_ABORT, [doc](int code) {
      if (code == BN_CLICKED) doc->AbortEngraving();
    });
    form->SetEngravingEndHandler([doc] { doc->ScheduleEngravingEnd(); });
  }
}
