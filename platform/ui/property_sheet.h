// Property pages and the property sheet. A page is a template of controls with one control
// host; its OnInitDialog runs at its first activation, its OnSetActive at every activation.
// The sheet shows its pages as tabs; the operator's tab choice activates a page as
// SetActivePage does.
#pragma once

#include <memory>
#include <vector>

#include "platform/ui/control_host.h"

class QWidget;
class QTabWidget;

class CPropertyPage : public IControlOwner {
 public:
  explicit CPropertyPage(const DlgTemplate* tpl);
  ~CPropertyPage() override;
  CPropertyPage(const CPropertyPage&) = delete;
  CPropertyPage& operator=(const CPropertyPage&) = delete;

  const DlgTemplate* GetTemplate() const { return m_pTemplate; }
  // The tab text: the template's caption.
  CString GetCaption() const;

  // Builds the page's window and its Qt control host under a parent (once).
  QWidget* CreatePageWindow(QWidget* parent);
  // Drives the page through a host of the caller's (tests); not owned.
  void AttachHost(IControlHost* host);
  IControlHost* Host() const { return m_pHost; }
  QWidget* GetPageWindow() const { return m_pWindow; }
  BOOL HasHost() const { return m_pHost != nullptr; }

  virtual BOOL OnInitDialog() { return TRUE; }
  virtual BOOL OnSetActive() { return TRUE; }
  BOOL OnCommand(int id, int code) override {
    (void)id, (void)code;
    return FALSE;
  }
  BOOL OnNotify(int id, NMUPDOWN& nm) override {
    (void)id, (void)nm;
    return FALSE;
  }

  // The sheet's activation: OnInitDialog the first time, then OnSetActive.
  BOOL Activate();

 private:
  const DlgTemplate* m_pTemplate;
  QWidget* m_pWindow = nullptr;  // owned through Qt's parent, deleted with the page
  std::unique_ptr<IControlHost> m_pOwnHost;
  IControlHost* m_pHost = nullptr;
  bool m_bDialogInitialised = false;
};

class CPropertySheet {
 public:
  CPropertySheet();
  virtual ~CPropertySheet();
  CPropertySheet(const CPropertySheet&) = delete;
  CPropertySheet& operator=(const CPropertySheet&) = delete;

  // The sheet's window, a child of parent at a position (pixels); without it the sheet works
  // on its pages' own hosts alone.
  QTabWidget* Create(QWidget* parent, int x, int y);
  QTabWidget* GetSheetWindow() const { return m_pTabs; }

  void AddPage(CPropertyPage* page);
  void RemovePage(int index);
  void RemovePage(CPropertyPage* page);
  int GetPageCount() const { return static_cast<int>(m_vPages.size()); }
  CPropertyPage* GetPage(int index) const;
  int GetPageIndex(const CPropertyPage* page) const;
  int GetActiveIndex() const { return m_nActive; }
  CPropertyPage* GetActivePage() const { return GetPage(m_nActive); }
  // Activates a page; the active page is activated again (its OnSetActive refills it). An
  // index outside the pages does nothing.
  BOOL SetActivePage(int index);

 private:
  void FitToPages();

  QTabWidget* m_pTabs = nullptr;
  std::vector<CPropertyPage*> m_vPages;
  int m_nActive = -1;
  int m_nSilent = 0;
};
