#include "output/port_string_dialog.h"

#include "model/doc_seams.h"
#include "output/lpt_port.h"
#include "platform/prompter.h"
#include "res/dialog_130.h"

namespace {

PortStringDialogRunner& Runner() {
  static PortStringDialogRunner runner;
  return runner;
}

bool RunRealDialog(CString& text) {
  CPortStringDialog dialog;
  if (dialog.DoModal() != IDOK) return false;
  text = dialog.m_strText;
  return true;
}

IDocMainFrame*& MonitorFrame() {
  static IDocMainFrame* frame = nullptr;
  return frame;
}

}  // namespace

CPortStringDialog::CPortStringDialog(QWidget* parent) : CDialog(&g_Dialog130, parent) {}

BOOL CPortStringDialog::OnInitDialog() {
  if (Host()) Host()->SetDlgItemText(dlg130::IDC_TEXT, m_strText);
  return TRUE;
}

void CPortStringDialog::OnOK() {
  if (Host()) m_strText = Host()->GetDlgItemText(dlg130::IDC_TEXT);
  CDialog::OnOK();
}

PortStringDialogRunner SetPortStringDialogRunner(PortStringDialogRunner runner) {
  PortStringDialogRunner old = std::move(Runner());
  Runner() = std::move(runner);
  return old;
}

void CLptPort::SendStringFromDialog() {
  CString text;
  const bool ok = Runner() ? Runner()(text) : RunRealDialog(text);
  if (!ok) return;
  // A command into a closed port would be dropped without a word.
  CString reason;
  if (!CheckPort(&reason)) {
    AfxMessageBox(reason, MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  SendCommand(text);
  ReportLost();
}

void CLptPort::SetMonitorFrame(IDocMainFrame* frame) { MonitorFrame() = frame; }

void CLptPort::EchoToMonitor(const CString& text) {
  if (IDocMainFrame* frame = MonitorFrame()) frame->AppendPortMonitorText(text);
}
