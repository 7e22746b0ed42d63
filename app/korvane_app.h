// CKorvaneApp: the application object. It makes sure only one instance runs, builds the document
// and the main frame, opens a project named on the command line, routes every event through the
// splash window's filter first, and owns the run's printer and recent-file list.
#pragma once

#include <memory>

#include <QObject>
#include <QStringList>

#include "platform/cstring.h"
#include "platform/wintypes.h"

class CKorvaneDoc;
class CMainFrame;
class CMrkFileServices;
class CQtPrompter;
class CRecentFileList;
class CQtModalDialogs;
class ITimerHost;
class QLockFile;
class QPrinter;

class CKorvaneApp : public QObject {
  Q_OBJECT
 public:
  struct Options {
    bool splash = true;            // the program always; tests switch it off
    bool qtPrompter = true;        // install the Qt dialogs (tests keep their scripted prompter)
    ITimerHost* timers = nullptr;  // null: real timers
  };

  CKorvaneApp();
  explicit CKorvaneApp(const Options& options);
  ~CKorvaneApp() override;

  // The start-up. `args` are the command-line arguments after the program name, with Qt's own
  // options already taken out. FALSE: nothing is shown, the program ends (status ExitCode()).
  BOOL InitInstance(const QStringList& args);
  // Frame, then document (which writes the settings and the defaults archive), then the lock.
  int ExitInstance();
  // 0 normally; 1 when no lock could be made at all.
  int ExitCode() const { return m_nExitCode; }

  BOOL IsPortDebugMode() const { return m_bPortDebug; }
  // Entry n (1-based) of the recent-file list; empty for n < 1, n beyond the list or an empty
  // entry.
  CString GetRecentFileName(int n) const;
  void AddToRecentFileList(const CString& path);
  CRecentFileList* GetRecentFileList() const { return m_pRecentFiles.get(); }
  // The project the command line names (normalised), empty for none.
  const CString& GetOpenRequest() const { return m_strOpenRequest; }
  // The run's one printer: printer setup, print and print preview share it.
  QPrinter& GetPrinter();

  CKorvaneDoc* GetDocument() const { return m_pDoc.get(); }
  CMainFrame* GetMainFrame() const { return m_pFrame.get(); }

  // 57664 and 57606.
  void OnAppAbout();
  void OnFilePrintSetup();

  // Reads the command line: the open request is the first argument that names a project
  // (NormalizeOpenPath); "port_debug" (any case, also inside a longer word) switches on
  // port-debug mode when another argument holds it.
  // `unholdable` (optional): the project named has a name the code page cannot hold; it is not
  // the open request then.
  static void ParseCommandLine(const QStringList& args, CString& openRequest, BOOL& portDebug,
                               BOOL* unholdable = nullptr);

  // The application object of the run (null before one exists).
  static CKorvaneApp* Get();

 protected:
  // PreTranslateMessage: the splash window sees every event first; text fields keep their
  // editing keys.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Options m_options;
  std::unique_ptr<QLockFile> m_pLock;
  BOOL m_bPortDebug = FALSE;
  CString m_strOpenRequest;
  BOOL m_bOpenRequestUnholdable = FALSE;
  std::unique_ptr<CRecentFileList> m_pRecentFiles;
  std::unique_ptr<QPrinter> m_pPrinter;
  std::unique_ptr<CMrkFileServices> m_pFileServices;
  std::unique_ptr<CQtModalDialogs> m_pModalDialogs;
  std::unique_ptr<CKorvaneDoc> m_pDoc;
  std::unique_ptr<CMainFrame> m_pFrame;
  std::unique_ptr<CQtPrompter> m_pPrompter;
  bool m_bFilterInstalled = false;
  int m_nExitCode = 0;
};
