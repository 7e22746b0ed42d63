// The one-string dialog (template 130): one command typed by hand for the port.
#pragma once

#include <functional>

#include "platform/ui/dialog.h"

class CPortStringDialog : public CDialog {
 public:
  explicit CPortStringDialog(QWidget* parent = nullptr);

  BOOL OnInitDialog() override;
  void OnOK() override;

  // The typed text after OK (code page 932).
  CString m_strText;
};

// What shows the dialog for CLptPort::SendStringFromDialog: true on OK with the text. The
// program's runner shows CPortStringDialog modally; tests set their own (empty: the default).
using PortStringDialogRunner = std::function<bool(CString& text)>;
PortStringDialogRunner SetPortStringDialogRunner(PortStringDialogRunner runner);
