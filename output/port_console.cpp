#include "output/port_console.h"

#include <algorithm>
#include <string>
#include <vector>

#include <QPlainTextEdit>
#include <QTextCursor>

#include "output/lpt_port.h"
#include "platform/numfmt.h"
#include "platform/prompter.h"
#include "platform/ui/qt_control_host.h"
#include "res/dialog_156.h"

namespace {

// The script's lines as the edit holds them (CR LF, or a lone LF, ends a line).
std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    if (c == '\n') {
      lines.push_back(line);
      line.clear();
      continue;
    }
    line += c;
  }
  lines.push_back(line);
  return lines;
}

// The Qt edit holds no more than the limit, typed or pasted.
void LimitEdit(IControlHost* host, int id, int limit) {
  auto* qt = dynamic_cast<CQtControlHost*>(host);
  auto* edit = qt ? qobject_cast<QPlainTextEdit*>(qt->GetControlWidget(id)) : nullptr;
  if (!edit) return;
  QObject::connect(edit, &QPlainTextEdit::textChanged, edit, [edit, limit] {
    if (edit->document()->characterCount() - 1 <= limit) return;
    QTextCursor cursor(edit->document());
    cursor.setPosition(limit);
    cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
  });
}

}  // namespace

CPortConsoleDialog::CPortConsoleDialog(QWidget* parent) : CDialog(&g_Dialog156, parent) {}

BOOL CPortConsoleDialog::OnInitDialog() {
  m_nMode = 2;
  IControlHost* host = Host();
  if (!host) return TRUE;
  host->CheckRadioButton(dlg156::IDC_MODE_LOW_LEVEL, dlg156::IDC_MODE_STREAM);
  host->SetDlgItemText(dlg156::IDC_COUNT, CString("1"));
  LimitEdit(host, dlg156::IDC_SCRIPT, kScriptLimit);
  return TRUE;
}

BOOL CPortConsoleDialog::OnCommand(int id, int code) {
  if (code == BN_CLICKED) {
    switch (id) {
      case dlg156::IDC_MODE_LOW_LEVEL: OnModeLowLevel(); return TRUE;
      case dlg156::IDC_MODE_STREAM: OnModeStream(); return TRUE;
      case dlg156::IDC_OUTPUT: OnOutput(); return TRUE;
      case dlg156::IDC_CLEAR: OnClear(); return TRUE;
      default: break;
    }
  }
  return CDialog::OnCommand(id, code);
}

void CPortConsoleDialog::OnModeLowLevel() { m_nMode = 1; }

void CPortConsoleDialog::OnModeStream() { m_nMode = 2; }

void CPortConsoleDialog::OnOutput() {
  IControlHost* host = Host();
  if (!host) return;
  m_strScript = host->GetDlgItemText(dlg156::IDC_SCRIPT);
  m_strCount = host->GetDlgItemText(dlg156::IDC_COUNT);
  const std::vector<std::string> lines = SplitLines(m_strScript.c_str());
  const std::string countLine = SplitLines(m_strCount.c_str()).front();
  const int count = numfmt::Atoi(countLine.c_str());
  if (count <= 0) {
    // A negative count repeats nothing either; it gets the same message.
    AfxMessageBox(CString::FromUtf8(numfmt::Format("回数がだめです  len = %d  %d   ",
                                                   static_cast<int>(countLine.size()), count)),
                  MB_OK);
    return;
  }
  // Lines into a closed port would vanish without a word.
  CString reason;
  if (!CLptPort::CheckPort(&reason)) {
    AfxMessageBox(reason, MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  CLptPort port;
  char buffer[kLineBuffer];
  for (int n = 0; n < count; ++n) {
    for (const std::string& line : lines) {
      if (line.empty() || line[0] == '#') continue;
      const int length = static_cast<int>(std::min<size_t>(line.size(), kLineMax));
      std::copy(line.begin(), line.begin() + length, buffer);
      port.Send(buffer, length, m_nMode);
    }
  }
  // Lines the port refused or the machine did not take are told, once.
  port.ReportLost();
}

void CPortConsoleDialog::OnClear() {
  // The whole script: a part left behind would go out with the next press.
  if (IControlHost* host = Host()) host->SetDlgItemText(dlg156::IDC_SCRIPT, CString());
}
