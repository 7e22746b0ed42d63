// The port console (template 156): a script of commands, one per line, sent a chosen number of
// times in one of two modes: 1 each line with CR LF through a freshly opened port, 2 each line
// with ';' through one stream kept open for the press.
#pragma once

#include "platform/ui/dialog.h"

class CPortConsoleDialog : public CDialog {
 public:
  // The script edit's limit, and the line buffer (a line keeps three places for its ending).
  static constexpr int kScriptLimit = 300000;
  static constexpr int kLineBuffer = 1000;
  static constexpr int kLineMax = kLineBuffer - 3;

  explicit CPortConsoleDialog(QWidget* parent = nullptr);

  BOOL OnInitDialog() override;
  BOOL OnCommand(int id, int code) override;
  void OnModeLowLevel();
  void OnModeStream();
  void OnOutput();
  void OnClear();

  int GetMode() const { return m_nMode; }

  CString m_strScript;  // 1478
  CString m_strCount;   // 1481
  int m_nMode = 2;
};
