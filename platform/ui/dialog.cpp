#include "platform/ui/dialog.h"

#include <QDialog>
#include <QKeyEvent>

#include "platform/ui/qt_control_host.h"

namespace {

// Enter and Escape reach the dialog's own OK and Cancel, as a dialog box routes them.
class TemplateDialog : public QDialog {
 public:
  TemplateDialog(QWidget* parent, CDialog* owner) : QDialog(parent), m_owner(owner) {}
  void reject() override { m_owner->OnCancel(); }
  void keyPressEvent(QKeyEvent* e) override {
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
      m_owner->OnOK();
      return;
    }
    QDialog::keyPressEvent(e);
  }

 private:
  CDialog* m_owner;
};

}  // namespace

CDialog::CDialog(const DlgTemplate* tpl, QWidget* parent) : m_pTemplate(tpl), m_pParent(parent) {}

CDialog::~CDialog() {
  m_pHost = nullptr;
  m_pOwnHost.reset();
  delete m_pDialog;
}

int CDialog::DoModal() {
  if (!m_pTemplate) return IDCANCEL;
  delete m_pDialog;
  m_pOwnHost.reset();
  auto* dialog = new TemplateDialog(m_pParent, this);
  m_pDialog = dialog;
  dialog->setWindowTitle(QString::fromUtf8(m_pTemplate->caption ? m_pTemplate->caption : ""));
  dialog->setFont(CQtControlHost::DialogFont());
  dialog->setFixedSize(CQtControlHost::TemplateSize(*m_pTemplate));
  auto host = std::make_unique<CQtControlHost>(*m_pTemplate, dialog);
  host->setParent(nullptr);
  m_pHost = host.get();
  m_pOwnHost = std::move(host);
  m_pHost->SetOwner(this);
  m_nResult = IDCANCEL;
  OnInitDialog();
  dialog->exec();
  return m_nResult;
}

void CDialog::EndDialog(int result) {
  m_nResult = result;
  if (m_pDialog) m_pDialog->done(result);
}

BOOL CDialog::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return FALSE;
  if (id == IDOK) {
    OnOK();
    return TRUE;
  }
  if (id == IDCANCEL) {
    OnCancel();
    return TRUE;
  }
  return FALSE;
}

void CDialog::AttachHost(IControlHost* host) {
  m_pHost = host;
  if (host) host->SetOwner(this);
}
