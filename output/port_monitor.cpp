#include "output/port_monitor.h"

#include "model/doc_seams.h"
#include "platform/ui/qt_control_host.h"
#include "res/dialog_157.h"

CPortMonitorDialog::CPortMonitorDialog() : QDialog(nullptr) { setAttribute(Qt::WA_DeleteOnClose); }

CPortMonitorDialog::~CPortMonitorDialog() {
  m_pHost.reset();
  if (m_pFrame) m_pFrame->OnPortMonitorClosed();
}

BOOL CPortMonitorDialog::Create(QWidget* parent, IDocMainFrame* frame) {
  if (m_pHost) return FALSE;
  m_pFrame = frame;
  if (parent) {
    // Owned by the frame's window (stays above it), but a window of its own.
    setParent(parent, Qt::Dialog);
  }
  setModal(false);
  setWindowTitle(QString::fromUtf8(g_Dialog157.caption));
  setFont(CQtControlHost::DialogFont());
  setFixedSize(CQtControlHost::TemplateSize(g_Dialog157));
  m_pHost = std::make_unique<CQtControlHost>(g_Dialog157, this);
  m_pHost->setParent(nullptr);
  m_pHost->SetOwner(this);
  show();
  return TRUE;
}

IControlHost* CPortMonitorDialog::Controls() const { return m_pHost.get(); }

void CPortMonitorDialog::AddLine(const CString& text) {
  if (m_pHost) m_pHost->AddString(dlg157::IDC_LINES, text);
}

void CPortMonitorDialog::OnClear() {
  if (m_pHost) m_pHost->ResetContent(dlg157::IDC_LINES);
}

BOOL CPortMonitorDialog::OnCommand(int id, int code) {
  if (id == dlg157::IDC_CLEAR && code == BN_CLICKED) {
    OnClear();
    return TRUE;
  }
  return FALSE;
}
