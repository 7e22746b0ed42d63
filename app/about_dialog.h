// The About box (dialog 100): product, version and maker, the maker's address, and two links
// (home page and mail) drawn blue and underlined under a hand cursor; a click opens them.
#pragma once

#include <memory>

#include <QDialog>

#include "platform/ui/control_host.h"

class CQtControlHost;

// The maker's addresses shown and opened by the links.
inline constexpr const char kAboutHomePage[] = "https://www.example.com/";
inline constexpr const char kAboutMailAddress[] = "info@example.com";
inline constexpr const char kAboutVersion[] = "Version 1.0.0";

class CAboutDialog : public QDialog, public IControlOwner {
  Q_OBJECT
 public:
  explicit CAboutDialog(QWidget* parent = nullptr);
  ~CAboutDialog() override;

  // Fills the texts and gives the links their look; the constructor calls it.
  BOOL OnInitDialog();
  CQtControlHost& Host() const { return *m_pHost; }
  QWidget* Control(int id) const;

  BOOL OnCommand(int id, int code) override;
  BOOL OnNotify(int id, NMUPDOWN& nm) override {
    (void)id, (void)nm;
    return FALSE;
  }
  BOOL OnCtlColor(int id, COLORREF& text, COLORREF& back) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::unique_ptr<CQtControlHost> m_pHost;
};
