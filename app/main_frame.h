// CMainFrame: the application's only top-level window. A splitter with the canvas view and the
// form view, five tool bars, the four-pane status bar, the frame timers 0 to 4, the port-monitor
// window it keeps, and the services the document, the canvas and the paint editor call on it
// (and its canvas-frame side: the cursor pane and the context menu's commands).
#pragma once

#include <functional>
#include <map>
#include <memory>

#include <QMainWindow>
#include <QPointer>

#include "canvas/canvas_frame.h"
#include "model/doc_seams.h"
#include "platform/cstring.h"
#include "platform/ui/command_table.h"
#include "platform/wintypes.h"

class CFrameUpdateWatcher;
class CKorvaneDoc;
class CKorvaneView;
class CLeftView;
class ITimerHost;
class QLabel;
class QSplitter;
class QToolBar;
struct MenuTemplate;

// Window ids of the bars and the status bar.
inline constexpr UINT FRAME_BAR_MAIN = 59392;
inline constexpr UINT FRAME_BAR_OBJECT = 61460;
inline constexpr UINT FRAME_BAR_LAYER = 61463;
inline constexpr UINT FRAME_BAR_PERSONAL_SEAL = 61464;
inline constexpr UINT FRAME_BAR_CORPORATE_SEAL = 61465;
inline constexpr UINT FRAME_STATUS_BAR = 59393;

class CMainFrame : public QMainWindow, public IDocMainFrame, public ICanvasFrame {
  Q_OBJECT
 public:
  // `timers` null: the frame runs its own QTimers.
  CMainFrame(CKorvaneDoc* doc, bool portDebug, ITimerHost* timers = nullptr, QWidget* parent = nullptr);
  ~CMainFrame() override;

  // PreCreateWindow, OnCreate and OnCreateClient in order; FALSE when a part could not be made.
  BOOL Create();

  CCommandTable& Commands() { return *m_pCommands; }
  CKorvaneDoc* GetDocument() const { return m_pDoc; }
  CLeftView* GetLeftView() const { return m_pLeftView; }
  CKorvaneView* GetFormView() const { return m_pFormView; }
  QSplitter* GetSplitter() const { return m_pSplitter; }
  // A bar by window id (null for another id).
  QToolBar* Bar(UINT windowId) const;
  // Status pane 0 to 3 as shown.
  QString PaneText(int pane) const;
  QLabel* PaneLabel(int pane) const;
  ITimerHost& Timers() const { return *m_pTimers; }

  // What timers 1 to 4 do (port console, end of a threaded job, enter and leave image editing);
  // until a hook is set a timer only stops.
  void SetTimerHook(UINT id, std::function<void()> hook);
  // Close is refused while this says a job runs (the normal engine is on the stack).
  void SetEngravingBusy(std::function<bool()> busy) { m_engravingBusy = std::move(busy); }
  // The modeless port-monitor window; `append` passes it one sent string.
  void SetPortMonitor(QWidget* window, std::function<void(const CString&)> append);
  QWidget* PortMonitor() const { return m_pPortMonitor.data(); }

  // The stored bar layout "bar" under the application's key.
  void SaveBarState();
  void LoadBarState();

  // ---- IDocMainFrame
  void UpdateZoomPane(int index) override;
  void ShowSealModeBars(int mode) override;
  void ShowCursorPosMm(double x, double y) override;
  void ShowCursorPosPixels(int x, int y) override;
  void ClearMessagePane() override;
  void ShowZoomPane(double factor) override;
  void ShowStepPane(double step) override;
  void ShowEditBars(int flag) override;
  void ShowMenuBar(int flag) override;
  void ToggleEngraveThreadButton(int flag) override;
  void ToggleImageSelectionButton(int flag) override;
  void SetEngraveEndTimer(UINT ms) override;
  void SetFrameTimer(UINT id, UINT ms) override;
  void AppendPortMonitorText(const CString& text) override;
  void OnPortMonitorClosed() override;
  void FocusCanvasView() override;
  void UpdateFrameTitle(const CString& title) override;
  int GetPastableEnd() const override;

  // ---- ICanvasFrame: a context-menu command's update rule, and the chosen command.
  BOOL IsCommandEnabled(UINT id) override;
  void OnCommand(UINT id) override;

  // The keys of the accelerator table that carry the keypad modifier (Ctrl + keypad plus and
  // minus), caught for the frame's widgets before the shortcut map, which does not match the
  // keypad modifier on every platform. True when the event was taken.
  bool FilterKeypadAccelerator(QObject* receiver, QEvent* event);

  // Frame timer `id` fired.
  void OnTimer(UINT id);
  // The close request (also from 57665): the save question, then the bar layout. False when the
  // program goes on running.
  bool OnClose();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  BOOL OnCreate();
  BOOL OnCreateClient();
  void CreateToolBars();
  void CreateStatusBar();
  void BuildMenuBar();
  void RegisterOwnCommands();
  void DecorateAction(UINT id, QAction* action);
  void OnImageChanged(UINT id, QAction* action, int image);
  void ToggleBar(UINT windowId);
  void SetBarVisible(QToolBar* bar, bool visible);
  void CyclePane(bool forward);
  void FillStatusPanes();
  void DockStrayBars();
  void OnDestroy();

  CKorvaneDoc* m_pDoc;
  bool m_bPortDebug;
  // Members in the frame's order.
  QSplitter* m_pSplitter = nullptr;
  QPointer<QWidget> m_pPortMonitor;
  std::function<void(const CString&)> m_portMonitorAppend;
  int m_nPasteCount = 0;
  std::map<UINT, QToolBar*> m_bars;
  std::map<UINT, Qt::ToolBarArea> m_firstArea;
  QLabel* m_pPanes[4] = {nullptr, nullptr, nullptr, nullptr};

  CCommandTable* m_pCommands = nullptr;
  std::unique_ptr<ITimerHost> m_pOwnTimers;
  ITimerHost* m_pTimers = nullptr;
  std::map<UINT, std::function<void()>> m_timerHooks;
  std::function<bool()> m_engravingBusy;
  // Which bar's extra pictures stand for a command's hidden-layer look.
  std::map<UINT, UINT> m_extraBitmapOf;
  CLeftView* m_pLeftView = nullptr;
  CKorvaneView* m_pFormView = nullptr;
  std::unique_ptr<CFrameUpdateWatcher> m_pUpdateWatcher;
  bool m_bClosing = false;
  bool m_bCreated = false;
};
