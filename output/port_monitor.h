// The port monitor (template 157): a modeless window listing the strings sent to the port, one
// line each. It deletes itself when closed and tells the frame from its destruction.
#pragma once

#include <QDialog>
#include <memory>

#include "platform/cstring.h"
#include "platform/ui/control_host.h"

class CQtControlHost;
class IDocMainFrame;

class CPortMonitorDialog : public QDialog, public IControlOwner {
  Q_OBJECT
 public:
  CPortMonitorDialog();
  ~CPortMonitorDialog() override;

  // Builds and shows the window over `parent`; `frame` hears of its end. TRUE on success.
  BOOL Create(QWidget* parent, IDocMainFrame* frame = nullptr);
  void AddLine(const CString& text);
  void OnClear();
  IControlHost* Controls() const;

  BOOL OnCommand(int id, int code) override;
  BOOL OnNotify(int id, NMUPDOWN& nm) override {
    (void)id, (void)nm;
    return FALSE;
  }

 private:
  std::unique_ptr<CQtControlHost> m_pHost;
  IDocMainFrame* m_pFrame = nullptr;
};
