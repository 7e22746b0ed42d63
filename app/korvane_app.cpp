#include "app/korvane_app.h"

#include <cstdio>

#include <QAbstractSpinBox>
#include <QApplication>
#include <QKeyEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QLockFile>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QStandardPaths>
#include <QTextEdit>

#include "app/about_dialog.h"
#include "app/korvane_view.h"
#include "app/main_frame.h"
#include "app/shell_res.h"
#include "app/recent_files.h"
#include "app/startup_splash.h"
#include "canvas/leftview.h"
#include "app/qt_modal_dialogs.h"
#include "files/mrk_doc.h"
#include "files/mrk_open_save.h"
#include "pages/object_pages.h"
#include "pages/page_image_edit.h"
#include "pages/settings_pages.h"
#include "files/mrk_open_path.h"
#include "model/korvane_doc.h"
#include "platform/qt_prompter.h"

namespace {

const QString kOrganisation = QStringLiteral("Vexor Co.,Ltd");
const QString kApplication = QStringLiteral("Draventis");
// The single-instance marker (three blanks between "Ltd" and the product name).
const QString kInstanceName = QStringLiteral("Vexor Co., Ltd   Draventis");

CKorvaneApp* g_pApp = nullptr;

bool IsTextField(QWidget* widget) {
  if (!widget) return false;
  return qobject_cast<QLineEdit*>(widget) || qobject_cast<QTextEdit*>(widget) || qobject_cast<QPlainTextEdit*>(widget) ||
         qobject_cast<QAbstractSpinBox*>(widget);
}

// The keys a focused text field keeps for itself instead of the frame's shortcuts.
bool IsTextFieldKey(const QKeyEvent* key) {
  const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
  switch (key->key()) {
    case Qt::Key_Delete:
      return mods == Qt::NoModifier || mods == Qt::ShiftModifier;
    case Qt::Key_Insert:
      return mods == Qt::ControlModifier || mods == Qt::ShiftModifier;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
      return true;
    case Qt::Key_C:
    case Qt::Key_X:
    case Qt::Key_V:
    case Qt::Key_D:
      return mods == Qt::ControlModifier;
    default:
      return false;
  }
}

// The keys that move a focused combo box's choice, which the frame would take as nudges.
bool IsListKey(const QKeyEvent* key) {
  if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
  switch (key->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
      return true;
    default:
      return false;
  }
}

}  // namespace

CKorvaneApp* CKorvaneApp::Get() { return g_pApp; }

CKorvaneApp::CKorvaneApp() : CKorvaneApp(Options{}) {}

CKorvaneApp::CKorvaneApp(const Options& options) : m_options(options) {
  if (!g_pApp) g_pApp = this;
}

CKorvaneApp::~CKorvaneApp() {
  ExitInstance();
  if (g_pApp == this) g_pApp = nullptr;
}

void CKorvaneApp::ParseCommandLine(const QStringList& args, CString& openRequest, BOOL& portDebug, BOOL* unholdable) {
  openRequest.Empty();
  portDebug = FALSE;
  if (unholdable) *unholdable = FALSE;
  int request = -1;
  for (int i = 0; i < args.size(); ++i) {
    const CString path = NormalizeOpenPath(CString::FromQString(args[i]));
    if (!path.IsEmpty()) {
      openRequest = path;
      request = i;
      // A name the code page cannot hold would open another file, or none, under its name.
      if (CString::FromQString(args[i]).ToQString() != args[i]) {
        openRequest.Empty();
        if (unholdable) *unholdable = TRUE;
      }
      break;
    }
  }
  // The switch is looked for outside the project's path, so that a folder such as
  // "support_debug" or a file named after it does not switch it on.
  for (int i = 0; i < args.size(); ++i) {
    if (i == request) continue;
    if (args[i].toLower().contains(QStringLiteral("port_debug"))) portDebug = TRUE;
  }
}

BOOL CKorvaneApp::InitInstance(const QStringList& args) {
  m_nExitCode = 0;
  // 1. One instance at a time.
  const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (runtime.isEmpty()) {
    std::fprintf(stderr, "Draventis: no runtime folder for the instance lock\n");
    m_nExitCode = 1;
    return FALSE;
  }
  m_pLock = std::make_unique<QLockFile>(runtime + QLatin1Char('/') + kInstanceName + QStringLiteral(".lock"));
  m_pLock->setStaleLockTime(0);
  if (!m_pLock->tryLock(0)) {
    if (m_pLock->error() != QLockFile::LockFailedError) {
      std::fprintf(stderr, "Draventis: the instance lock cannot be made in %s\n", runtime.toLocal8Bit().constData());
      m_nExitCode = 1;
    }
    m_pLock.reset();
    return FALSE;
  }

  // 2-5. The splash flag, the application key and the recent-file list.
  CStartupSplash::EnableSplash(m_options.splash);
  m_pRecentFiles = std::make_unique<CRecentFileList>();

  // 6, 8. The command line: port-debug mode and the project to open.
  ParseCommandLine(args, m_strOpenRequest, m_bPortDebug, &m_bOpenRequestUnholdable);

  // 7, 9. Document, frame and their neighbours; the first new document.
  if (!m_bFilterInstalled) {
    qApp->installEventFilter(this);
    m_bFilterInstalled = true;
  }
  // Every property page registers once, before the form view builds its sheet.
  static const bool pagesRegistered = [] {
    RegisterObjectPages();
    RegisterSettingsPages();
    RegisterImageEditPages();
    return true;
  }();
  (void)pagesRegistered;
  m_pDoc = std::make_unique<CKorvaneDoc>();
  m_pFrame = std::make_unique<CMainFrame>(m_pDoc.get(), m_bPortDebug != FALSE, m_options.timers);
  m_pFileServices = std::make_unique<CMrkProjectFiles>(*m_pDoc);
  m_pDoc->SetMainFrame(m_pFrame.get());
  m_pDoc->SetFileServices(m_pFileServices.get());
  m_pDoc->SetRecentFiles(m_pRecentFiles.get());
  if (m_options.qtPrompter) {
    m_pPrompter = std::make_unique<CQtPrompter>(m_pFrame.get());
    SetPrompter(m_pPrompter.get());
    m_pModalDialogs = std::make_unique<CQtModalDialogs>(m_pFrame.get());
    SetModalDialogs(m_pModalDialogs.get());
  }
  CCommandTable& commands = m_pFrame->Commands();
  commands.Add(ID_APP_ABOUT, [this] { OnAppAbout(); });
  commands.Add(ID_FILE_PRINT_SETUP, [this] { OnFilePrintSetup(); });
  if (!m_pFrame->Create()) return FALSE;
  if (CLeftView* canvas = m_pFrame->GetLeftView()) canvas->SetPrinter(&GetPrinter());
  if (!m_pDoc->OnNewDocument()) return FALSE;
  if (CLeftView* canvas = m_pFrame->GetLeftView()) canvas->OnInitialUpdate();
  if (CKorvaneView* form = m_pFrame->GetFormView()) form->OnInitialUpdate();

  // 10-12. Drops, the window, the open request, the start-up hook.
  m_pFrame->setAcceptDrops(true);
  if (m_bPortDebug) {
    // Normal at half the screen: maximising would hide the size port debugging asks for.
    m_pFrame->show();
  } else {
    m_pFrame->showMaximized();
  }
  if (m_bOpenRequestUnholdable) ReportUnholdablePath();
  if (!m_strOpenRequest.IsEmpty()) m_pDoc->OpenFromCommandLine(m_strOpenRequest);
  m_pDoc->OnStartup();
  m_pFrame->Commands().UpdateAll();
  return TRUE;
}

int CKorvaneApp::ExitInstance() {
  // While the prompter stands, so that settings that cannot be kept are named.
  if (m_pDoc) m_pDoc->SaveSettingsAtExit();
  if (m_pModalDialogs) {
    if (&ModalDialogs() == m_pModalDialogs.get()) SetModalDialogs(nullptr);
    m_pModalDialogs.reset();
  }
  if (m_pPrompter) {
    if (&Prompter() == m_pPrompter.get()) SetPrompter(nullptr);
    m_pPrompter.reset();
  }
  m_pFrame.reset();
  m_pDoc.reset();
  m_pFileServices.reset();
  if (m_pLock) {
    m_pLock->unlock();
    m_pLock.reset();
  }
  if (m_bFilterInstalled) {
    qApp->removeEventFilter(this);
    m_bFilterInstalled = false;
  }
  return m_nExitCode;
}

CString CKorvaneApp::GetRecentFileName(int n) const {
  return m_pRecentFiles ? m_pRecentFiles->GetRecentFileName(n) : CString();
}

void CKorvaneApp::AddToRecentFileList(const CString& path) {
  if (m_pRecentFiles) m_pRecentFiles->Add(path);
}

QPrinter& CKorvaneApp::GetPrinter() {
  if (!m_pPrinter) m_pPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
  return *m_pPrinter;
}

void CKorvaneApp::OnAppAbout() {
  CAboutDialog dialog(m_pFrame.get());
  dialog.exec();
}

void CKorvaneApp::OnFilePrintSetup() { Prompter().PrinterSetup(GetPrinter()); }

bool CKorvaneApp::eventFilter(QObject* watched, QEvent* event) {
  if (CStartupSplash::FilterAppMessage(watched, event)) return true;
  if (m_pFrame && m_pFrame->FilterKeypadAccelerator(watched, event)) return true;
  if (event->type() == QEvent::ShortcutOverride) {
    auto* key = static_cast<QKeyEvent*>(event);
    QWidget* focus = QApplication::focusWidget();
    if ((IsTextField(focus) && IsTextFieldKey(key)) || (qobject_cast<QComboBox*>(focus) && IsListKey(key))) {
      // Accepting the override lets the key reach the field instead of a frame command.
      event->accept();
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}
