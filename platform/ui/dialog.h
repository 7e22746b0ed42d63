// Modal dialogs over QDialog, laid out from a dialog template and addressed by control id.
// DoModal returns IDOK or IDCANCEL. Dialogs are shown only through IModalDialogs or the
// prompter, so that no test ever waits on one; tests drive a dialog's code through a host of
// their own (AttachHost) and its OnInitDialog, OnOK and OnCancel.
#pragma once

#include <memory>

#include "platform/ui/control_host.h"

class QDialog;
class QWidget;

class CDialog : public IControlOwner {
 public:
  explicit CDialog(const DlgTemplate* tpl, QWidget* parent = nullptr);
  ~CDialog() override;
  CDialog(const CDialog&) = delete;
  CDialog& operator=(const CDialog&) = delete;

  // Builds the window, runs OnInitDialog and waits for the operator.
  virtual int DoModal();
  virtual BOOL OnInitDialog() { return TRUE; }
  // OK and Cancel (the buttons IDOK and IDCANCEL, Enter and Escape).
  virtual void OnOK() { EndDialog(IDOK); }
  virtual void OnCancel() { EndDialog(IDCANCEL); }
  void EndDialog(int result);
  int GetResult() const { return m_nResult; }

  BOOL OnCommand(int id, int code) override;
  BOOL OnNotify(int id, NMUPDOWN& nm) override {
    (void)id, (void)nm;
    return FALSE;
  }

  void AttachHost(IControlHost* host);
  IControlHost* Host() const { return m_pHost; }
  const DlgTemplate* GetTemplate() const { return m_pTemplate; }

 private:
  const DlgTemplate* m_pTemplate;
  QWidget* m_pParent;
  QDialog* m_pDialog = nullptr;
  std::unique_ptr<IControlHost> m_pOwnHost;
  IControlHost* m_pHost = nullptr;
  int m_nResult = IDCANCEL;
};
