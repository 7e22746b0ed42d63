#include "platform/ui/property_sheet.h"

#include <QTabBar>
#include <QTabWidget>

#include "platform/ui/qt_control_host.h"

CPropertyPage::CPropertyPage(const DlgTemplate* tpl) : m_pTemplate(tpl) {}

CPropertyPage::~CPropertyPage() {
  m_pHost = nullptr;
  m_pOwnHost.reset();
  delete m_pWindow;
}

CString CPropertyPage::GetCaption() const {
  return CString::FromUtf8(m_pTemplate && m_pTemplate->caption ? m_pTemplate->caption : "");
}

QWidget* CPropertyPage::CreatePageWindow(QWidget* parent) {
  if (m_pWindow || !m_pTemplate) return m_pWindow;
  m_pWindow = new QWidget(parent);
  m_pWindow->setFont(CQtControlHost::DialogFont());
  m_pWindow->resize(CQtControlHost::TemplateSize(*m_pTemplate));
  auto host = std::make_unique<CQtControlHost>(*m_pTemplate, m_pWindow);
  host->setParent(nullptr);
  host->SetOwner(this);
  m_pHost = host.get();
  m_pOwnHost = std::move(host);
  return m_pWindow;
}

void CPropertyPage::AttachHost(IControlHost* host) {
  m_pHost = host;
  if (host) host->SetOwner(this);
}

BOOL CPropertyPage::Activate() {
  if (!m_bDialogInitialised) {
    m_bDialogInitialised = true;
    OnInitDialog();
  }
  return OnSetActive();
}

// ---------------------------------------------------------------------------------------------

CPropertySheet::CPropertySheet() = default;

CPropertySheet::~CPropertySheet() {
  // The pages belong to their owner; take their windows back out of the tab widget first.
  if (m_pTabs) {
    ++m_nSilent;
    while (m_pTabs->count()) {
      QWidget* w = m_pTabs->widget(0);
      m_pTabs->removeTab(0);
      if (w) w->setParent(nullptr);
    }
    delete m_pTabs;
  }
}

QTabWidget* CPropertySheet::Create(QWidget* parent, int x, int y) {
  if (m_pTabs) return m_pTabs;
  m_pTabs = new QTabWidget(parent);
  m_pTabs->setFont(CQtControlHost::DialogFont());
  m_pTabs->setUsesScrollButtons(true);
  m_pTabs->move(x, y);
  QObject::connect(m_pTabs, &QTabWidget::currentChanged, m_pTabs, [this](int index) {
    if (!m_nSilent && index >= 0) SetActivePage(index);
  });
  m_pTabs->show();
  return m_pTabs;
}

void CPropertySheet::AddPage(CPropertyPage* page) {
  if (!page || GetPageIndex(page) >= 0) return;
  m_vPages.push_back(page);
  if (m_pTabs) {
    ++m_nSilent;
    QWidget* w = page->CreatePageWindow(m_pTabs);
    m_pTabs->addTab(w, page->GetCaption().ToQString());
    --m_nSilent;
    FitToPages();
  }
}

void CPropertySheet::RemovePage(int index) {
  if (index < 0 || index >= GetPageCount()) return;
  CPropertyPage* page = m_vPages[index];
  if (m_pTabs) {
    ++m_nSilent;
    m_pTabs->removeTab(index);
    if (QWidget* w = page->GetPageWindow()) w->hide();
    --m_nSilent;
  }
  m_vPages.erase(m_vPages.begin() + index);
  if (m_nActive == index) {
    m_nActive = -1;
  } else if (m_nActive > index) {
    --m_nActive;
  }
}

void CPropertySheet::RemovePage(CPropertyPage* page) { RemovePage(GetPageIndex(page)); }

CPropertyPage* CPropertySheet::GetPage(int index) const {
  return index >= 0 && index < GetPageCount() ? m_vPages[index] : nullptr;
}

int CPropertySheet::GetPageIndex(const CPropertyPage* page) const {
  for (int i = 0; i < GetPageCount(); ++i)
    if (m_vPages[i] == page) return i;
  return -1;
}

BOOL CPropertySheet::SetActivePage(int index) {
  CPropertyPage* page = GetPage(index);
  if (!page) return FALSE;
  m_nActive = index;
  if (m_pTabs && m_pTabs->currentIndex() != index) {
    ++m_nSilent;
    m_pTabs->setCurrentIndex(index);
    --m_nSilent;
  }
  page->Activate();
  return TRUE;
}

void CPropertySheet::FitToPages() {
  QSize size(0, 0);
  for (CPropertyPage* p : m_vPages)
    if (p->GetTemplate()) size = size.expandedTo(CQtControlHost::TemplateSize(*p->GetTemplate()));
  const int tabBar = m_pTabs->tabBar()->sizeHint().height();
  // Grows only, so swapping pages never makes the sheet jump.
  const QSize want(size.width() + 6, size.height() + tabBar + 6);
  m_pTabs->resize(m_pTabs->size().expandedTo(want));
}
