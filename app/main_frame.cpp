#include "app/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QThread>
#include <QToolBar>

#include "app/frame_commands.h"
#include "app/korvane_view.h"
#include "app/shell_res.h"
#include "app/startup_splash.h"
#include "canvas/leftview.h"
#include "app/engrave_commands.h"
#include "app/paint_commands.h"
#include "files/mrk_association.h"
#include "files/places_bar.h"
#include "files/settings_fixed_field.h"
#include "model/doc_hints.h"
#include "model/korvane_doc.h"
#include "platform/numfmt.h"
#include "platform/prompter.h"
#include "platform/ui/qt_timer_host.h"
#include "seal/seal_commands.h"

namespace {

// The object clipboard of an earlier run names objects of a design that no longer exists.
constexpr const char* kObjectClipboardMime = "application/x-draventis";

QSettings AppSettings() { return QSettings(QStringLiteral("Vexor Co.,Ltd"), QStringLiteral("Draventis")); }

QString Blanks(int n) { return QString(n, QLatin1Char(' ')); }

// Menu texts by command id, from the menus that name them.
void CollectMenuTexts(const MenuTemplate& menu, std::map<UINT, QString>& out) {
  for (const MenuTemplate& entry : menu.items) {
    if (entry.IsPopup()) {
      CollectMenuTexts(entry, out);
    } else if (entry.id != 0 && !out.count(entry.id)) {
      out[entry.id] = QString::fromUtf8(entry.text.c_str());
    }
  }
}

bool MenuHolds(const MenuTemplate& menu, UINT id) {
  for (const MenuTemplate& entry : menu.items) {
    if (entry.IsPopup() ? MenuHolds(entry, id) : entry.id == id) return true;
  }
  return false;
}

// The folder of the project in hand, else of the newest recent one ("" for neither): where the
// project dialogs start instead of the working folder.
CString ProjectFolder(CKorvaneDoc& doc) {
  const CString folder = FolderOf(doc.GetTitle());
  if (!folder.IsEmpty()) return folder;
  IDocRecentFiles* recent = doc.GetRecentFiles();
  return recent ? FolderOf(recent->GetRecentFileName(1)) : CString();
}

const std::map<UINT, QString>& MenuTexts() {
  static const std::map<UINT, QString> texts = [] {
    std::map<UINT, QString> t;
    CollectMenuTexts(res::Menu(IDR_MAINFRAME), t);
    CollectMenuTexts(res::Menu(IDR_CONTEXT_MENU), t);
    return t;
  }();
  return texts;
}

}  // namespace

// Runs the update pass once the document's update has finished: a change of the document may
// enable or disable any command.
class CFrameUpdateWatcher : public CView {
 public:
  explicit CFrameUpdateWatcher(CCommandTable* table) : m_pTable(table) {}
  void OnUpdate(CView*, LPARAM, CObject*) override {
    if (*m_pPending) return;
    *m_pPending = true;
    QMetaObject::invokeMethod(
        m_pTable, [table = m_pTable, pending = m_pPending] {
          *pending = false;
          table->UpdateAll();
        },
        Qt::QueuedConnection);
  }

 private:
  CCommandTable* m_pTable;
  std::shared_ptr<bool> m_pPending = std::make_shared<bool>(false);
};

CMainFrame::CMainFrame(CKorvaneDoc* doc, bool portDebug, ITimerHost* timers, QWidget* parent)
    : QMainWindow(parent), m_pDoc(doc), m_bPortDebug(portDebug) {
  m_pCommands = new CCommandTable(this);
  if (timers) {
    m_pTimers = timers;
  } else {
    m_pOwnTimers = std::make_unique<CQtTimerHost>();
    m_pTimers = m_pOwnTimers.get();
  }
  m_pTimers->SetHandler([this](UINT id) { OnTimer(id); });
}

CMainFrame::~CMainFrame() {
  OnDestroy();
  SetFileDialogStartFolderHook({});
  m_pUpdateWatcher.reset();
  m_pTimers->SetHandler({});
  if (m_pDoc) m_pDoc->SetMainFrame(nullptr);
}

BOOL CMainFrame::Create() {
  // PreCreateWindow: at (0, 0) with the screen's size, half of it for port debugging.
  QScreen* screen = QGuiApplication::primaryScreen();
  const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
  const int w = m_bPortDebug ? area.width() / 2 : area.width();
  const int h = m_bPortDebug ? area.height() / 2 : area.height();
  resize(w, h);
  move(area.topLeft());
  setWindowIcon(res::ProgramIcon());
  UpdateFrameTitle(CString());
  if (!OnCreate()) return FALSE;
  if (!OnCreateClient()) return FALSE;
  m_bCreated = true;
  return TRUE;
}

BOOL CMainFrame::OnCreate() {
  CStartupSplash::ShowSplash(this);
  setDockNestingEnabled(false);
  m_pCommands->SetDecorator([this](UINT id, QAction* action) { DecorateAction(id, action); });
  m_pCommands->SetImageChanged(
      [this](UINT id, QAction* action, int image) { OnImageChanged(id, action, image); });
  // Every action is added to the frame, so keys work with the menu bar hidden.
  m_pCommands->InstallOn(this);
  RegisterOwnCommands();
  BuildMenuBar();
  CreateToolBars();
  CreateStatusBar();
  for (const res::Accel& accel : res::Accelerators()) {
    QAction* action = m_pCommands->Action(accel.id);
    QList<QKeySequence> keys = action->shortcuts();
    if (!keys.contains(accel.key)) keys.append(accel.key);
    action->setShortcuts(keys);
  }
  if (m_bars.size() != res::Toolbars().size()) return FALSE;
  LoadBarState();
  for (UINT id : {FRAME_BAR_MAIN, FRAME_BAR_OBJECT, FRAME_BAR_LAYER}) SetBarVisible(Bar(id), true);
  for (UINT id : {FRAME_BAR_PERSONAL_SEAL, FRAME_BAR_CORPORATE_SEAL}) SetBarVisible(Bar(id), false);
  // The update pass also follows the clipboard.
  if (QClipboard* clipboard = QGuiApplication::clipboard())
    connect(clipboard, &QClipboard::dataChanged, m_pCommands, &CCommandTable::UpdateAll);
  return TRUE;
}

BOOL CMainFrame::OnCreateClient() {
  m_pSplitter = new QSplitter(Qt::Horizontal, this);
  m_pSplitter->setObjectName(QStringLiteral("59648"));
  m_pSplitter->setChildrenCollapsible(false);
  m_pLeftView = new CLeftView(m_pDoc, m_pSplitter);
  m_pFormView = new CKorvaneView(m_pDoc, m_pSplitter);
  // The form scrolls when its pane is smaller than it; the pane keeps the view's own minimum.
  auto* formScroller = new CFormScroller(m_pFormView, m_pSplitter);
  formScroller->setObjectName(QStringLiteral("formScroller"));
  formScroller->setFrameShape(QFrame::NoFrame);
  formScroller->setMinimumSize(m_pFormView->minimumSize());
  m_pSplitter->addWidget(m_pLeftView);
  m_pSplitter->addWidget(formScroller);
  m_pSplitter->setStretchFactor(0, 0);
  m_pSplitter->setStretchFactor(1, 1);
  const int left = m_bPortDebug ? 100 : 600;
  m_pSplitter->setSizes({left, std::max(100, width() - left)});
  setCentralWidget(m_pSplitter);
  m_pLeftView->SetCanvasFrame(this);
  const CommandContext context{m_pDoc, this, this, m_pLeftView, m_pFormView};
  RegisterFrameCommands(*m_pCommands, context);
  RegisterEngraveCommands(*m_pCommands, context);
  RegisterPaintCommands(*m_pCommands, context);
  RegisterSealCommands(*m_pCommands, context);
  // Print and preview go through the document, which hands them to the canvas.
  if (m_pDoc) {
    CKorvaneDoc* doc = m_pDoc;
    m_pCommands->SetRun(ID_FILE_PRINT, [doc] { doc->PrintOrPreview(1); });
    m_pCommands->SetRun(ID_FILE_PRINT_PREVIEW, [doc] { doc->PrintOrPreview(0); });
    SetTimerHook(3, [doc] { OnPaintTimer(doc, 3); });
    SetTimerHook(4, [doc] { OnPaintTimer(doc, 4); });
  }
  if (m_pDoc) {
    CKorvaneDoc* doc = m_pDoc;
    SetFileDialogStartFolderHook([doc] { return ProjectFolder(*doc); });
    m_pUpdateWatcher = std::make_unique<CFrameUpdateWatcher>(m_pCommands);
    m_pDoc->AddView(m_pUpdateWatcher.get());
  }

  if (QClipboard* clipboard = QGuiApplication::clipboard()) {
    const QMimeData* data = clipboard->mimeData();
    if (data && data->hasFormat(QString::fromLatin1(kObjectClipboardMime))) clipboard->clear();
  }

  m_pTimers->SetTimer(0, 1000);
  if (m_bPortDebug) m_pTimers->SetTimer(1, 1500);
  return TRUE;
}

// ---- commands, menus, bars ------------------------------------------------------------------

void CMainFrame::DecorateAction(UINT id, QAction* action) {
  const auto& texts = MenuTexts();
  auto it = texts.find(id);
  QString text = it != texts.end() ? it->second : QString::fromUtf8(res::CommandText(id));
  const QString tip = QString::fromUtf8(res::CommandTip(id));
  if (text.isEmpty()) text = tip;
  action->setText(text);
  if (!tip.isEmpty()) action->setToolTip(tip);
  action->setStatusTip(QString::fromUtf8(res::CommandPrompt(id)));
  action->setIconVisibleInMenu(false);
}

void CMainFrame::OnImageChanged(UINT id, QAction* action, int image) {
  auto it = m_extraBitmapOf.find(id);
  if (image < 0 || it == m_extraBitmapOf.end()) {
    action->setIcon(QIcon(QPixmap::fromImage(res::BarImage(id))));
  } else {
    action->setIcon(QIcon(QPixmap::fromImage(res::ExtraImage(it->second, image))));
  }
}

void CMainFrame::RegisterOwnCommands() {
  CCommandTable& t = *m_pCommands;
  t.Add(ID_APP_EXIT, [this] { close(); });
  struct BarRow {
    UINT command;
    UINT bar;
  };
  for (BarRow row : {BarRow{ID_VIEW_TOOLBAR, FRAME_BAR_MAIN}, BarRow{ID_VIEW_OBJECT_BAR, FRAME_BAR_OBJECT},
                     BarRow{ID_VIEW_LAYER_BAR, FRAME_BAR_LAYER}}) {
    t.Add(row.command, [this, bar = row.bar] { ToggleBar(bar); },
          [this, bar = row.bar](CCmdUI& ui) {
            QToolBar* b = Bar(bar);
            ui.SetCheck(b && !b->isHidden() ? 1 : 0);
          });
  }
  t.Add(ID_VIEW_STATUS_BAR, [this] { statusBar()->setVisible(statusBar()->isHidden()); },
        [this](CCmdUI& ui) { ui.SetCheck(statusBar()->isHidden() ? 0 : 1); });
  t.Add(ID_NEXT_PANE, [this] { CyclePane(true); });
  t.Add(ID_PREV_PANE, [this] { CyclePane(false); });
}

void CMainFrame::BuildMenuBar() {
  const MenuTemplate& menu = res::Menu(IDR_MAINFRAME);
  QMenuBar* bar = menuBar();
  for (const MenuTemplate& popup : menu.items) {
    if (!popup.IsPopup()) continue;
    QMenu* sub = bar->addMenu(QString::fromUtf8(popup.text.c_str()));
    // The association mark reads the desktop entry when its menu opens, before the entries'
    // update that FillMenu connects.
    if (MenuHolds(popup, ID_MRK_ASSOCIATION)) connect(sub, &QMenu::aboutToShow, this, [] { ReadDocumentTypeRegistration(); });
    m_pCommands->FillMenu(sub, popup);
  }
}

void CMainFrame::CreateToolBars() {
  for (const res::ToolbarLayout& layout : res::Toolbars()) {
    auto* bar = new QToolBar(QString::fromUtf8(layout.title), this);
    bar->setObjectName(QString::number(layout.windowId));
    bar->setIconSize(QSize(16, 15));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (UINT id : layout.buttons) {
      if (id == 0) {
        bar->addSeparator();
        continue;
      }
      if (layout.extraBitmap != 0) m_extraBitmapOf[id] = layout.extraBitmap;
      QAction* action = m_pCommands->Action(id);
      if (action->icon().isNull()) action->setIcon(QIcon(QPixmap::fromImage(res::BarImage(id))));
      bar->addAction(action);
    }
    const Qt::ToolBarArea area = layout.windowId == FRAME_BAR_LAYER ? Qt::BottomToolBarArea : Qt::TopToolBarArea;
    addToolBar(area, bar);
    m_bars[layout.windowId] = bar;
    m_firstArea[layout.windowId] = area;
  }
}

void CMainFrame::CreateStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName(QString::number(FRAME_STATUS_BAR));
  const QFontMetrics metrics(bar->font());
  const QString widths[3] = {QStringLiteral("ZOOM =         "), QStringLiteral("STEP =         "), Blanks(64)};
  for (int i = 0; i < 3; ++i) {
    auto* label = new QLabel(bar);
    label->setObjectName(QStringLiteral("pane%1").arg(i + 1));
    // At least the pane's width; a longer text widens the pane rather than being cut.
    label->setMinimumWidth(metrics.horizontalAdvance(widths[i]) + 2 * label->margin() + 4);
    label->setFrameShape(QFrame::StyledPanel);
    label->setFrameShadow(QFrame::Sunken);
    bar->addPermanentWidget(label);
    m_pPanes[i + 1] = label;
  }
}

QToolBar* CMainFrame::Bar(UINT windowId) const {
  auto it = m_bars.find(windowId);
  return it == m_bars.end() ? nullptr : it->second;
}

QLabel* CMainFrame::PaneLabel(int pane) const { return pane >= 1 && pane <= 3 ? m_pPanes[pane] : nullptr; }

QString CMainFrame::PaneText(int pane) const {
  if (pane == 0) return const_cast<CMainFrame*>(this)->statusBar()->currentMessage();
  QLabel* label = PaneLabel(pane);
  return label ? label->text() : QString();
}

void CMainFrame::SetBarVisible(QToolBar* bar, bool visible) {
  if (bar && bar->isHidden() == visible) bar->setVisible(visible);
}

void CMainFrame::ToggleBar(UINT windowId) {
  if (QToolBar* bar = Bar(windowId)) bar->setVisible(bar->isHidden());
}

void CMainFrame::CyclePane(bool forward) {
  (void)forward;  // two panes: next and previous are the same
  QWidget* focus = QApplication::focusWidget();
  const bool inCanvas = focus && (focus == m_pLeftView || m_pLeftView->isAncestorOf(focus));
  if (inCanvas) {
    m_pFormView->setFocus(Qt::TabFocusReason);
  } else {
    m_pLeftView->setFocus(Qt::TabFocusReason);
  }
}

bool CMainFrame::FilterKeypadAccelerator(QObject* receiver, QEvent* event) {
  if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  if (!(key->modifiers() & Qt::KeypadModifier)) return false;
  auto* widget = qobject_cast<QWidget*>(receiver);
  if (!widget || widget->window() != this || QApplication::activeModalWidget()) return false;
  const Qt::KeyboardModifiers mods =
      key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier | Qt::KeypadModifier);
  const QKeySequence pressed(QKeyCombination(mods, static_cast<Qt::Key>(key->key())));
  for (const res::Accel& accel : res::Accelerators()) {
    if (accel.key != pressed) continue;
    // The override keeps the shortcut map out; the press itself runs the command.
    if (event->type() == QEvent::KeyPress) m_pCommands->Execute(accel.id);
    event->accept();
    return true;
  }
  return false;
}

// ---- bar layout -----------------------------------------------------------------------------

void CMainFrame::SaveBarState() {
  QSettings settings = AppSettings();
  settings.beginGroup(QStringLiteral("bar"));
  settings.setValue(QStringLiteral("State"), saveState());
  settings.setValue(QStringLiteral("StatusBar"), !statusBar()->isHidden());
  settings.endGroup();
  settings.sync();
}

void CMainFrame::LoadBarState() {
  QSettings settings = AppSettings();
  settings.beginGroup(QStringLiteral("bar"));
  const QVariant state = settings.value(QStringLiteral("State"));
  const QVariant status = settings.value(QStringLiteral("StatusBar"));
  settings.endGroup();
  // A layout that cannot be read is ignored: the first layout stays.
  if (state.isValid() && state.canConvert<QByteArray>() && restoreState(state.toByteArray())) DockStrayBars();
  if (status.isValid()) statusBar()->setVisible(status.toBool());
}

void CMainFrame::DockStrayBars() {
  for (auto& [id, bar] : m_bars) {
    if (!bar->isFloating()) continue;
    bool onScreen = false;
    for (QScreen* screen : QGuiApplication::screens()) {
      if (screen->geometry().intersects(bar->geometry())) onScreen = true;
    }
    if (!onScreen) addToolBar(m_firstArea[id], bar);
  }
}

// ---- services -------------------------------------------------------------------------------

void CMainFrame::UpdateZoomPane(int index) { ShowZoomPane(ZoomFactorAt(index)); }

void CMainFrame::ShowZoomPane(double factor) {
  m_pPanes[1]->setText(QString::fromStdString(numfmt::Format("ZOOM = %.2f", factor)));
}

void CMainFrame::ShowStepPane(double step) {
  m_pPanes[2]->setText(QString::fromStdString(numfmt::Format("STEP = %.3f", step)));
}

void CMainFrame::ShowSealModeBars(int mode) {
  QToolBar* layer = Bar(FRAME_BAR_LAYER);
  QToolBar* personal = Bar(FRAME_BAR_PERSONAL_SEAL);
  QToolBar* corporate = Bar(FRAME_BAR_CORPORATE_SEAL);
  switch (mode) {
    case 0:
      SetBarVisible(layer, true);
      SetBarVisible(personal, false);
      SetBarVisible(corporate, false);
      break;
    case 1:
      SetBarVisible(personal, true);
      SetBarVisible(layer, false);
      SetBarVisible(corporate, false);
      break;
    case 2:
      SetBarVisible(corporate, true);
      SetBarVisible(layer, false);
      SetBarVisible(personal, false);
      break;
    default:
      break;
  }
}

void CMainFrame::ShowCursorPosMm(double x, double y) {
  statusBar()->showMessage(Blanks(41) + QString::fromStdString(numfmt::Format("x=%.3f y=%.3f", x, y)));
}

void CMainFrame::ShowCursorPosPixels(int x, int y) {
  statusBar()->showMessage(Blanks(41) + QString::fromStdString(numfmt::Format("x=%d  y=%d", x, y)));
}

void CMainFrame::ClearMessagePane() { statusBar()->clearMessage(); }

void CMainFrame::ShowEditBars(int flag) {
  for (UINT id : {FRAME_BAR_MAIN, FRAME_BAR_OBJECT, FRAME_BAR_LAYER}) SetBarVisible(Bar(id), flag != 0);
}

void CMainFrame::ShowMenuBar(int flag) { menuBar()->setVisible(flag != 0); }

void CMainFrame::ToggleEngraveThreadButton(int flag) {
  // At once; the next update pass decides by the command's rule.
  if (QAction* action = m_pCommands->FindAction(ID_ENGRAVE_THREAD)) action->setEnabled(flag == 0);
}

void CMainFrame::ToggleImageSelectionButton(int flag) {
  QAction* action = m_pCommands->Action(ID_SELECTION_TO_IMAGE);
  if (!action->isCheckable()) action->setCheckable(true);
  const bool blocked = action->blockSignals(true);
  action->setChecked(flag != 0);
  action->blockSignals(blocked);
}

void CMainFrame::SetEngraveEndTimer(UINT ms) { SetFrameTimer(2, ms); }

void CMainFrame::SetFrameTimer(UINT id, UINT ms) { m_pTimers->SetTimer(id, ms); }

void CMainFrame::SetTimerHook(UINT id, std::function<void()> hook) { m_timerHooks[id] = std::move(hook); }

void CMainFrame::SetPortMonitor(QWidget* window, std::function<void(const CString&)> append) {
  m_pPortMonitor = window;
  m_portMonitorAppend = std::move(append);
}

void CMainFrame::AppendPortMonitorText(const CString& text) {
  if (m_pPortMonitor && m_portMonitorAppend) m_portMonitorAppend(text);
}

void CMainFrame::OnPortMonitorClosed() {
  m_pPortMonitor = nullptr;
  m_portMonitorAppend = {};
}

void CMainFrame::FocusCanvasView() {
  if (m_pDoc) m_pDoc->FocusView(0);
}

void CMainFrame::UpdateFrameTitle(const CString& title) {
  const QString name = QStringLiteral("Draventis");
  setWindowTitle(title.IsEmpty() ? name : title.ToQString() + QStringLiteral(" - ") + name);
}

int CMainFrame::GetPastableEnd() const {
  const CFrameCommands* commands = m_pCommands ? CFrameCommands::Of(*m_pCommands) : nullptr;
  return commands ? commands->GetPastableEnd() : INT_MAX;
}

BOOL CMainFrame::IsCommandEnabled(UINT id) { return m_pCommands->Update(id).m_bEnabled ? TRUE : FALSE; }

void CMainFrame::OnCommand(UINT id) { m_pCommands->Execute(id); }

// ---- timers ---------------------------------------------------------------------------------

void CMainFrame::OnTimer(UINT id) {
  m_pTimers->KillTimer(id);
  if (id == 0) {
    FillStatusPanes();
    return;
  }
  auto it = m_timerHooks.find(id);
  if (it != m_timerHooks.end() && it->second) {
    std::function<void()> hook = it->second;  // the hook may replace itself
    hook();
  }
}

void CMainFrame::FillStatusPanes() {
  if (!m_pDoc) return;
  const CKorvaneSettings& settings = m_pDoc->m_Settings;
  ShowStepPane(MoveStepAt(settings.System.MoveStep));
  ShowZoomPane(ZoomFactorAt(settings.System.ZoomStep));
  if (!IsFieldFixed(settings)) {
    m_pPanes[3]->setText(QStringLiteral("Field Unfixed"));
    return;
  }
  const char* format = nullptr;
  switch (settings.System.FieldMachine) {
    case 1: format = "K1  Pos: %d X %d    Size: %.3f X %.3f"; break;
    case 2: format = "K2  Pos: %d X %d    Size: %.3f X %.3f"; break;
    case 3: format = "K3  Pos: %d X %d    Size: %.3f X %.3f"; break;
    case 4: format = "Pos: %d X %d    Size: %.3f X %.3f"; break;
    default: return;
  }
  const CDoubleSize size = GetFixedFieldSize(settings);
  m_pPanes[3]->setText(QString::fromStdString(numfmt::Format(
      format, settings.System.FieldOriginX, settings.System.FieldOriginY, size.cx, size.cy)));
}

// ---- close and destroy ----------------------------------------------------------------------

namespace {

// A threaded job's worker would keep the process, and with it the single-instance lock, alive
// after the window: the operator chooses between stopping it and keeping the program. The job
// may end while the question is shown (its end timer deletes the engine), so the document is
// asked for its engine again after the answer and on every turn of the wait.
bool StopThreadedJobForClose(CKorvaneDoc* doc) {
  if (!doc || !doc->m_pEngine || !doc->m_pEngine->IsWorkerRunning()) return true;
  if (AfxMessageBox(CString::FromUtf8("彫刻データを機械へ送っています\n送るのをやめて終了しますか？"),
                    MB_YESNO | MB_ICONQUESTION) != IDYES)
    return false;
  if (doc->m_pEngine) doc->m_pEngine->RequestStop();
  // The worker finishes the command in flight and lifts the pen, each wait bounded by the port's
  // stall limit; meanwhile the windows keep painting and its messages come through.
  while (doc->m_pEngine && doc->m_pEngine->IsWorkerRunning()) {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QThread::msleep(5);
  }
  doc->EndEngraving();
  return true;
}

}  // namespace

bool CMainFrame::OnClose() {
  if (m_engravingBusy && m_engravingBusy()) return false;
  if (!StopThreadedJobForClose(m_pDoc)) return false;
  // An image under edit goes back into its object first, so the save question covers it.
  if (m_pDoc && m_pDoc->m_bPaintMode) m_pDoc->EndPaintMode();
  if (m_pDoc && !m_pDoc->SaveModified()) return false;
  SaveBarState();
  return true;
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (m_bClosing) {
    event->accept();
    return;
  }
  if (!OnClose()) {
    event->ignore();
    return;
  }
  m_bClosing = true;
  event->accept();
}

void CMainFrame::OnDestroy() {
  if (m_pPortMonitor) {
    delete m_pPortMonitor.data();
    m_pPortMonitor = nullptr;
  }
}
