// The main frame: bars and their layout, status panes, timers, the clipboard at start, sizes,
// and commands that are disabled.
#include <gtest/gtest.h>

#include <clocale>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include "app/korvane_view.h"
#include "app/main_frame.h"
#include "app/shell_res.h"
#include "app_fixture.h"
#include "canvas/leftview.h"
#include "files/settings_fixed_field.h"
#include "imaging/monobmp.h"
#include "model/bmpobject.h"
#include "model/objectlist.h"
#include "model/korvane_doc.h"
#include "platform/numfmt.h"
#include "res/dialog_101.h"
#include "res/dialog_281.h"
#include "platform/ui/qt_control_host.h"

namespace {

const UINT kBarIds[] = {FRAME_BAR_MAIN, FRAME_BAR_OBJECT, FRAME_BAR_LAYER, FRAME_BAR_PERSONAL_SEAL,
                        FRAME_BAR_CORPORATE_SEAL};

std::vector<UINT> ButtonsOf(QToolBar* bar, CCommandTable& commands) {
  std::vector<UINT> ids;
  for (QAction* action : bar->actions()) {
    if (action->isSeparator()) {
      ids.push_back(0);
      continue;
    }
    UINT found = 0;
    for (UINT id : commands.Ids())
      if (commands.FindAction(id) == action) found = id;
    ids.push_back(found);
  }
  return ids;
}

bool Shown(QToolBar* bar) { return bar && !bar->isHidden(); }

void ActivateFrame(CMainFrame& frame) {
  frame.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
}

// A 40 x 30 image made current and opened in the paint editor.
void PaintAnImage(CKorvaneDoc& doc) {
  CBmpObject* bmp = doc.GetObjectList()->AddBmpFromImage(MonoBmpFile::Create(40, 30));
  ASSERT_NE(bmp, nullptr);
  doc.m_pCurrentObject = bmp;
  doc.m_nCurrentKind = TYPE_BMP;
  doc.m_nCurrentIndex = doc.GetObjectList()->GetCount() - 1;
  doc.m_nSelectCount = 1;
  ASSERT_EQ(doc.BeginPaintMode(), 1);
  QApplication::processEvents();
}

}  // namespace

TEST_F(AppTest, BarsHaveTheirIdsTitlesButtonsAndFirstLayout) {
  ASSERT_TRUE(Start());
  CMainFrame& frame = Frame();
  ASSERT_EQ(res::Toolbars().size(), 5u);
  int index = 0;
  for (const res::ToolbarLayout& layout : res::Toolbars()) {
    EXPECT_EQ(layout.windowId, kBarIds[index++]);
    QToolBar* bar = frame.Bar(layout.windowId);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->objectName(), QString::number(layout.windowId));
    EXPECT_EQ(bar->windowTitle(), QString::fromUtf8(layout.title));
    EXPECT_EQ(bar->iconSize(), QSize(16, 15));
    EXPECT_EQ(ButtonsOf(bar, frame.Commands()), layout.buttons) << layout.title;
  }
  EXPECT_EQ(frame.Bar(FRAME_BAR_MAIN)->windowTitle(), QString::fromUtf8("ツールバー"));
  EXPECT_EQ(frame.toolBarArea(frame.Bar(FRAME_BAR_MAIN)), Qt::TopToolBarArea);
  EXPECT_EQ(frame.toolBarArea(frame.Bar(FRAME_BAR_OBJECT)), Qt::TopToolBarArea);
  EXPECT_EQ(frame.toolBarArea(frame.Bar(FRAME_BAR_PERSONAL_SEAL)), Qt::TopToolBarArea);
  EXPECT_EQ(frame.toolBarArea(frame.Bar(FRAME_BAR_CORPORATE_SEAL)), Qt::TopToolBarArea);
  EXPECT_EQ(frame.toolBarArea(frame.Bar(FRAME_BAR_LAYER)), Qt::BottomToolBarArea);
  EXPECT_TRUE(Shown(frame.Bar(FRAME_BAR_MAIN)));
  EXPECT_TRUE(Shown(frame.Bar(FRAME_BAR_OBJECT)));
  EXPECT_TRUE(Shown(frame.Bar(FRAME_BAR_LAYER)));
  EXPECT_FALSE(Shown(frame.Bar(FRAME_BAR_PERSONAL_SEAL)));
  EXPECT_FALSE(Shown(frame.Bar(FRAME_BAR_CORPORATE_SEAL)));
  // The bar entries are checked while their bar is visible.
  frame.Commands().UpdateAll();
  EXPECT_TRUE(frame.Commands().Action(59392)->isChecked());
  ASSERT_TRUE(frame.Commands().Execute(32880));
  EXPECT_FALSE(Shown(frame.Bar(FRAME_BAR_OBJECT)));
  EXPECT_FALSE(frame.Commands().Action(32880)->isChecked());
  ASSERT_TRUE(frame.Commands().Execute(59393));
  EXPECT_TRUE(frame.statusBar()->isHidden());
  EXPECT_FALSE(frame.Commands().Action(59393)->isChecked());
}

TEST_F(AppTest, BarLayoutIsKeptBetweenRunsButSealBarsStartHidden) {
  ASSERT_TRUE(Start());
  Frame().addToolBar(Qt::LeftToolBarArea, Frame().Bar(FRAME_BAR_OBJECT));
  Frame().ShowSealModeBars(1);
  Frame().statusBar()->hide();
  ASSERT_TRUE(Frame().close());
  Stop();

  ASSERT_TRUE(Start());
  CMainFrame& frame = Frame();
  EXPECT_EQ(frame.toolBarArea(frame.Bar(FRAME_BAR_OBJECT)), Qt::LeftToolBarArea);
  EXPECT_TRUE(Shown(frame.Bar(FRAME_BAR_LAYER)));
  EXPECT_FALSE(Shown(frame.Bar(FRAME_BAR_PERSONAL_SEAL)));
  EXPECT_FALSE(Shown(frame.Bar(FRAME_BAR_CORPORATE_SEAL)));
  EXPECT_TRUE(frame.statusBar()->isHidden());
  Stop();

  // An unreadable layout is ignored.
  {
    QSettings settings(QStringLiteral("Vexor Co.,Ltd"), QStringLiteral("Draventis"));
    settings.setValue(QStringLiteral("bar/State"), QByteArray("no layout at all"));
    settings.setValue(QStringLiteral("bar/StatusBar"), true);
  }
  ASSERT_TRUE(Start());
  EXPECT_EQ(Frame().toolBarArea(Frame().Bar(FRAME_BAR_OBJECT)), Qt::TopToolBarArea);
  EXPECT_EQ(Frame().toolBarArea(Frame().Bar(FRAME_BAR_LAYER)), Qt::BottomToolBarArea);
  EXPECT_FALSE(Frame().statusBar()->isHidden());
}

TEST_F(AppTest, StatusPanesAfterTimerZero) {
  ASSERT_TRUE(Start());
  CMainFrame& frame = Frame();
  EXPECT_TRUE(timers.IsRunning(0));
  EXPECT_EQ(timers.Interval(0), 1000u);
  ASSERT_TRUE(timers.FireTimer(0));
  EXPECT_FALSE(timers.IsRunning(0));  // once
  EXPECT_EQ(frame.PaneText(2), QStringLiteral("STEP = 0.200"));
  EXPECT_EQ(frame.PaneText(1), QStringLiteral("ZOOM = 0.40"));
  EXPECT_EQ(frame.PaneText(3), QStringLiteral("Field Unfixed"));

  // The panes are at least as wide as their pattern texts; a longer field text is not cut.
  const QFontMetrics metrics(frame.PaneLabel(1)->font());
  EXPECT_GE(frame.PaneLabel(1)->minimumWidth(), metrics.horizontalAdvance(QStringLiteral("ZOOM =         ")));
  EXPECT_GE(frame.PaneLabel(3)->minimumWidth(), metrics.horizontalAdvance(QString(64, ' ')));

  CKorvaneSettings& settings = Doc().m_Settings;
  ApplyFixedFieldModel(settings, 1, 120, -40);
  const CDoubleSize size = GetFixedFieldSize(settings);
  const QString expected = QString::fromStdString(
      numfmt::Format("K1  Pos: 120 X -40    Size: %.3f X %.3f", size.cx, size.cy));
  frame.SetFrameTimer(0, 1000);
  ASSERT_TRUE(timers.FireTimer(0));
  EXPECT_EQ(frame.PaneText(3), expected);
  EXPECT_GE(frame.PaneLabel(3)->sizeHint().width(),
            QFontMetrics(frame.PaneLabel(3)->font()).horizontalAdvance(expected));

  // Under a locale with a decimal comma the panes keep the point.
  const std::string old = std::setlocale(LC_ALL, nullptr);
  if (std::setlocale(LC_ALL, "de_DE.UTF-8")) {
    frame.SetFrameTimer(0, 1000);
    ASSERT_TRUE(timers.FireTimer(0));
    EXPECT_EQ(frame.PaneText(3), expected);
    EXPECT_EQ(frame.PaneText(2), QStringLiteral("STEP = 0.200"));
    frame.ShowCursorPosMm(1.5, -2.25);
    EXPECT_EQ(frame.PaneText(0), QString(41, ' ') + QStringLiteral("x=1.500 y=-2.250"));
    std::setlocale(LC_ALL, old.c_str());
  }

  settings.System.FieldMachine = 7;  // another model leaves the pane as it is
  frame.SetFrameTimer(0, 1000);
  ASSERT_TRUE(timers.FireTimer(0));
  EXPECT_EQ(frame.PaneText(3), expected);

  frame.ShowCursorPosMm(1.5, -2.25);
  EXPECT_EQ(frame.PaneText(0), QString(41, ' ') + QStringLiteral("x=1.500 y=-2.250"));
  frame.ShowCursorPosPixels(12, -3);
  EXPECT_EQ(frame.PaneText(0), QString(41, ' ') + QStringLiteral("x=12  y=-3"));
  frame.ClearMessagePane();
  EXPECT_TRUE(frame.PaneText(0).isEmpty());
  frame.UpdateZoomPane(9);
  EXPECT_EQ(frame.PaneText(1), QStringLiteral("ZOOM = 1.00"));
}

TEST_F(AppTest, SealModesShowTheirBars) {
  ASSERT_TRUE(Start());
  CMainFrame& f = Frame();
  auto state = [&f] {
    return std::vector<bool>{Shown(f.Bar(FRAME_BAR_LAYER)), Shown(f.Bar(FRAME_BAR_PERSONAL_SEAL)),
                             Shown(f.Bar(FRAME_BAR_CORPORATE_SEAL))};
  };
  f.ShowSealModeBars(1);
  EXPECT_EQ(state(), (std::vector<bool>{false, true, false}));
  f.ShowSealModeBars(2);
  EXPECT_EQ(state(), (std::vector<bool>{false, false, true}));
  f.ShowSealModeBars(5);
  EXPECT_EQ(state(), (std::vector<bool>{false, false, true}));
  f.ShowSealModeBars(0);
  EXPECT_EQ(state(), (std::vector<bool>{true, false, false}));
  f.ShowEditBars(0);
  EXPECT_FALSE(Shown(f.Bar(FRAME_BAR_MAIN)) || Shown(f.Bar(FRAME_BAR_OBJECT)) || Shown(f.Bar(FRAME_BAR_LAYER)));
  f.ShowEditBars(1);
  EXPECT_TRUE(Shown(f.Bar(FRAME_BAR_MAIN)) && Shown(f.Bar(FRAME_BAR_OBJECT)) && Shown(f.Bar(FRAME_BAR_LAYER)));
}

TEST_F(AppTest, KeysReachCommandsWithTheMenuBarHiddenButNeverADisabledOne) {
  ASSERT_TRUE(Start());
  CMainFrame& frame = Frame();
  CCommandTable& commands = frame.Commands();
  int runs = 0;
  bool enabled = true;
  commands.Add(57600, [&runs] { ++runs; }, [&enabled](CCmdUI& ui) { ui.Enable(enabled); });
  QAction* action = commands.Action(57600);
  if (!action->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_N))) action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
  commands.UpdateAll();
  frame.ShowMenuBar(0);
  EXPECT_TRUE(frame.menuBar()->isHidden());
  ActivateFrame(frame);
  QTest::keyClick(frame.GetLeftView(), Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(runs, 1);

  enabled = false;
  EXPECT_FALSE(commands.Execute(57600));
  enabled = true;
  commands.UpdateAll();
  enabled = false;  // the rule changed since the last pass: the key still must not run it
  action->trigger();  // its menu entry or button
  QTest::keyClick(frame.GetLeftView(), Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(runs, 1);

  // Undo has no handler: present, disabled, nothing happens.
  EXPECT_FALSE(commands.Execute(57643));
  EXPECT_FALSE(commands.Action(57643)->isEnabled());
  frame.ShowMenuBar(1);
  EXPECT_FALSE(frame.menuBar()->isHidden());
}

TEST_F(AppTest, TextFieldInTheFormViewKeepsItsEditingKeys) {
  ASSERT_TRUE(Start());
  CMainFrame& frame = Frame();
  int deletes = 0;
  // Enabled whatever the selection: the last rule of a row has the last word.
  frame.Commands().Add(57632, [&deletes] { ++deletes; }, [](CCmdUI& ui) { ui.Enable(TRUE); });
  QAction* del = frame.Commands().Action(57632);
  if (!del->shortcuts().contains(QKeySequence(Qt::Key_Delete))) del->setShortcut(QKeySequence(Qt::Key_Delete));
  frame.Commands().UpdateAll();
  ActivateFrame(frame);
  // A text field in the form view, as the property pages have them.
  auto* edit = new QLineEdit(QStringLiteral("abc"), frame.GetFormView());
  edit->show();
  const QString before = edit->text();
  edit->setFocus();
  edit->setCursorPosition(0);
  QTest::keyClick(edit, Qt::Key_Delete);
  EXPECT_EQ(edit->text(), before.mid(1));
  QTest::keyClick(edit, Qt::Key_D, Qt::ControlModifier);
  QTest::keyClick(edit, Qt::Key_Right);
  EXPECT_EQ(edit->cursorPosition(), 1);
  EXPECT_EQ(deletes, 0);
  // Outside a text field the key is the command's.
  frame.GetLeftView()->setFocus();
  QTest::keyClick(frame.GetLeftView(), Qt::Key_Delete);
  EXPECT_EQ(deletes, 1);
}

TEST_F(AppTest, FrameTimersArmAndCallTheirHooksOnce) {
  ASSERT_TRUE(Start());
  CMainFrame& frame = Frame();
  EXPECT_FALSE(timers.IsRunning(1));  // port-debug mode only
  int ended = 0;
  frame.SetTimerHook(2, [&ended] { ++ended; });
  frame.SetEngraveEndTimer(3000);
  EXPECT_TRUE(timers.IsRunning(2));
  EXPECT_EQ(timers.Interval(2), 3000u);
  ASSERT_TRUE(timers.FireTimer(2));
  EXPECT_EQ(ended, 1);
  EXPECT_FALSE(timers.FireTimer(2));
  // Without a hook a timer only stops.
  frame.SetFrameTimer(3, 100);
  ASSERT_TRUE(timers.FireTimer(3));
  EXPECT_FALSE(timers.IsRunning(3));
}

TEST_F(AppTest, SizesOfFrameAndCanvasInBothModes) {
  ASSERT_TRUE(Start());
  QApplication::processEvents();
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  // 600 pixels where the form view still has its minimum beside it.
  QSplitter* splitter = Frame().GetSplitter();
  QWidget* form = Frame().GetFormView();
  const int room = splitter->width() - splitter->handleWidth() -
                   std::max(form->minimumWidth(), form->minimumSizeHint().width());
  EXPECT_EQ(Frame().GetLeftView()->width(), std::min(600, room));
  EXPECT_TRUE(Frame().isMaximized());
  EXPECT_FALSE(Frame().GetSplitter()->childrenCollapsible());
  Stop();

  ASSERT_TRUE(Start({QStringLiteral("port_debug")}));
  QApplication::processEvents();
  EXPECT_TRUE(app->IsPortDebugMode());
  EXPECT_FALSE(Frame().isMaximized());
  EXPECT_EQ(Frame().size(), QSize(screen.width() / 2, screen.height() / 2));
  EXPECT_EQ(Frame().pos(), QPoint(0, 0));
  EXPECT_EQ(Frame().GetLeftView()->width(), 100);
  EXPECT_TRUE(timers.IsRunning(1));
  EXPECT_EQ(timers.Interval(1), 1500u);
  int consoles = 0;
  Frame().SetTimerHook(1, [&consoles] { ++consoles; });
  ASSERT_TRUE(timers.FireTimer(1));
  EXPECT_EQ(consoles, 1);
}

TEST_F(AppTest, StartRemovesAnObjectClipboardBlockButKeepsText) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  auto* data = new QMimeData;
  data->setData(QStringLiteral("application/x-draventis"), QByteArray(12, '\0'));
  clipboard->setMimeData(data);
  ASSERT_TRUE(Start());
  const QMimeData* left = clipboard->mimeData();
  EXPECT_TRUE(!left || !left->hasFormat(QStringLiteral("application/x-draventis")));
  Stop();

  clipboard->setText(QStringLiteral("keep me"));
  ASSERT_TRUE(Start());
  EXPECT_EQ(clipboard->text(), QStringLiteral("keep me"));
}

TEST_F(AppTest, TitleFollowsTheDocument) {
  ASSERT_TRUE(Start());
  Doc().SetTitle("/home/op/a.mrk");
  EXPECT_EQ(Frame().windowTitle(), QStringLiteral("/home/op/a.mrk - Draventis"));
  Doc().SetTitle("");
  EXPECT_EQ(Frame().windowTitle(), QStringLiteral("Draventis"));
}

TEST_F(AppTest, ButtonStatesSetAtOnce) {
  ASSERT_TRUE(Start());
  CMainFrame& frame = Frame();
  QAction* thread = frame.Commands().Action(32898);
  frame.ToggleEngraveThreadButton(1);
  EXPECT_FALSE(thread->isEnabled());
  frame.ToggleImageSelectionButton(1);
  EXPECT_TRUE(frame.Commands().Action(32904)->isChecked());
  frame.ToggleImageSelectionButton(0);
  EXPECT_FALSE(frame.Commands().Action(32904)->isChecked());
}

TEST_F(AppTest, PortMonitorGetsTheSentTextsUntilItClosesAndGoesWithTheFrame) {
  ASSERT_TRUE(Start());
  std::vector<std::string> shown;
  Frame().AppendPortMonitorText("before");  // none open: nothing
  QPointer<QWidget> monitor = new QWidget;
  Frame().SetPortMonitor(monitor, [&shown](const CString& text) { shown.push_back(text.str()); });
  Frame().AppendPortMonitorText("SP2;VS8;");
  Frame().OnPortMonitorClosed();
  Frame().AppendPortMonitorText("after");
  EXPECT_EQ(shown, (std::vector<std::string>{"SP2;VS8;"}));
  EXPECT_FALSE(monitor.isNull());
  Frame().SetPortMonitor(monitor, [](const CString&) {});
  Stop();
  EXPECT_TRUE(monitor.isNull());  // deleted with the frame
}

TEST_F(AppTest, F6AndShiftF6MoveTheFocusToTheOtherPane) {
  ASSERT_TRUE(Start());
  CMainFrame& frame = Frame();
  frame.Commands().UpdateAll();
  ActivateFrame(frame);
  frame.GetLeftView()->setFocus();
  QTest::keyClick(frame.GetLeftView(), Qt::Key_F6);
  QWidget* focus = QApplication::focusWidget();
  EXPECT_TRUE(focus == frame.GetFormView() || frame.GetFormView()->isAncestorOf(focus));
  QTest::keyClick(focus, Qt::Key_F6, Qt::ShiftModifier);
  focus = QApplication::focusWidget();
  EXPECT_TRUE(focus == frame.GetLeftView() || frame.GetLeftView()->isAncestorOf(focus));
}

TEST_F(AppTest, TheFramesCommandRowsAndTheCanvasSideAreWired) {
  ASSERT_TRUE(Start());
  CMainFrame& frame = Frame();
  EXPECT_FALSE(frame.IsCommandEnabled(57643));
  ASSERT_TRUE(frame.IsCommandEnabled(32809));
  frame.OnCommand(32809);  // zoom in from 0.40
  EXPECT_EQ(frame.PaneText(1), QStringLiteral("ZOOM = 0.50"));
  // Timer 0 shows the document's state as it is by then.
  ASSERT_TRUE(timers.FireTimer(0));
  EXPECT_EQ(frame.PaneText(1), QStringLiteral("ZOOM = 0.50"));
}

// Ctrl + keypad plus and minus zoom even where the shortcut map does not match the keypad
// modifier (the X11 platform): the frame catches them first, and runs each press once.
TEST_F(AppTest, CtrlAndTheKeypadsPlusAndMinusZoomOncePerPress) {
  ASSERT_TRUE(Start());
  CMainFrame& frame = Frame();
  ActivateFrame(frame);
  const int start = Doc().m_Settings.System.ZoomStep;
  QAction* zoomIn = frame.Commands().Action(ID_ZOOM_IN);
  const QList<QKeySequence> keys = zoomIn->shortcuts();
  zoomIn->setShortcuts({});
  QTest::keyClick(frame.GetLeftView(), Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
  EXPECT_EQ(Doc().m_Settings.System.ZoomStep, start + 1);
  zoomIn->setShortcuts(keys);
  QTest::keyClick(frame.GetLeftView(), Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
  EXPECT_EQ(Doc().m_Settings.System.ZoomStep, start + 2);
  EXPECT_EQ(frame.PaneText(1), QString::fromStdString(numfmt::Format("ZOOM = %.2f", ZoomFactorAt(start + 2))));
  QTest::keyClick(frame.GetLeftView(), Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier);
  EXPECT_EQ(Doc().m_Settings.System.ZoomStep, start + 1);
  // The main keyboard's minus is not the command's key.
  QTest::keyClick(frame.GetLeftView(), Qt::Key_Minus, Qt::ControlModifier);
  EXPECT_EQ(Doc().m_Settings.System.ZoomStep, start + 1);
}

// A pane smaller than the form scrolls it instead of cutting off its lower part (the layer
// settings, the K3 button).
TEST_F(AppTest, TheFormScrollsWhenItsPaneIsSmallerThanIt) {
  ASSERT_TRUE(Start());
  CMainFrame& frame = Frame();
  frame.showNormal();
  frame.resize(900, 480);
  QApplication::processEvents();
  auto* scroller = frame.findChild<QScrollArea*>(QStringLiteral("formScroller"));
  ASSERT_NE(scroller, nullptr);
  QWidget* form = frame.GetFormView();
  EXPECT_EQ(scroller->widget(), form);
  EXPECT_GE(form->height(), form->sizeHint().height());
  EXPECT_LT(scroller->viewport()->height(), form->sizeHint().height());
  EXPECT_GT(scroller->verticalScrollBar()->maximum(), 0);
  scroller->verticalScrollBar()->setValue(scroller->verticalScrollBar()->maximum());
  QApplication::processEvents();
  // The form's bottom edge is now inside the pane.
  const QPoint bottom = form->mapTo(scroller->viewport(), QPoint(0, form->height() - 1));
  EXPECT_LT(bottom.y(), scroller->viewport()->height());
}

// The arrow keys in a focused combo box choose in it; elsewhere they nudge the selection.
TEST_F(AppTest, ArrowKeysInTheQrLevelComboChangeTheLevelAndMoveNothing) {
  ASSERT_TRUE(Start());
  CMainFrame& frame = Frame();
  CKorvaneDoc& doc = Doc();
  ActivateFrame(frame);
  ASSERT_EQ(doc.AddNewObject(TYPE_BARCODE), TYPE_BARCODE);
  auto* qr = static_cast<CBarcodeObject*>(doc.m_pCurrentObject);
  CKorvanePage* page = frame.GetFormView()->GetKindPage(TYPE_BARCODE, 0);
  ASSERT_TRUE(page && page->HasHost());
  auto* host = dynamic_cast<CQtControlHost*>(page->Host());
  ASSERT_NE(host, nullptr);
  auto* combo = qobject_cast<QComboBox*>(host->GetControlWidget(dlg281::IDC_LEVEL));
  ASSERT_NE(combo, nullptr);
  const double x = qr->m_dPosX, y = qr->m_dPosY;
  const int level = qr->m_nLevel;
  ASSERT_LT(level, 3);
  combo->setFocus();
  ASSERT_TRUE(QTest::qWaitFor([combo] { return combo->hasFocus(); }));
  QTest::keyClick(combo, Qt::Key_Down);
  EXPECT_EQ(qr->m_nLevel, level + 1);
  EXPECT_EQ(combo->currentIndex(), level + 1);
  QTest::keyClick(combo, Qt::Key_Up);
  EXPECT_EQ(qr->m_nLevel, level);
  QTest::keyClick(combo, Qt::Key_Left);
  QTest::keyClick(combo, Qt::Key_Right);
  EXPECT_EQ(qr->m_dPosX, x);
  EXPECT_EQ(qr->m_dPosY, y);
  // On the canvas the key nudges the code.
  frame.GetLeftView()->setFocus();
  ASSERT_TRUE(QTest::qWaitFor([&frame] { return frame.GetLeftView()->hasFocus(); }));
  QTest::keyClick(frame.GetLeftView(), Qt::Key_Up);
  EXPECT_NE(qr->m_dPosY, y);
}

// The pane's pixel position belongs to the paint editor: it goes when paint mode ends.
TEST_F(AppTest, PaintModesPixelPositionLeavesTheStatusPaneWithIt) {
  ASSERT_TRUE(Start());
  CMainFrame& frame = Frame();
  CKorvaneDoc& doc = Doc();
  ASSERT_NO_FATAL_FAILURE(PaintAnImage(doc));
  QWidget* canvas = frame.GetLeftView()->viewport();
  // Over the image, near its top-left corner past the margin the editor keeps.
  for (int k = 5; k < 200 && !frame.PaneText(0).contains(QStringLiteral("x=")); k += 5)
    QTest::mouseMove(canvas, QPoint(k, k));
  ASSERT_TRUE(frame.PaneText(0).contains(QStringLiteral("x="))) << frame.PaneText(0).toStdString();
  ASSERT_FALSE(frame.PaneText(0).contains(QLatin1Char('.')));
  doc.EndPaintMode();
  // Empty, or millimetres if the canvas already saw the pointer: never the editor's pixels.
  const QString after = frame.PaneText(0);
  EXPECT_TRUE(!after.contains(QStringLiteral("x=")) || after.contains(QLatin1Char('.'))) << after.toStdString();
  // The canvas shows millimetres again.
  QTest::mouseMove(canvas, QPoint(50, 60));
  EXPECT_TRUE(frame.PaneText(0).contains(QLatin1Char('.'))) << frame.PaneText(0).toStdString();
}

// In paint mode the menu's entry of the tool in use is checked and cannot be chosen again, and a
// zoom radio chosen after a fit takes the fit's percentage away.
TEST_F(AppTest, PaintModeToolEntriesAndTheFitPercentage) {
  ASSERT_TRUE(Start());
  CMainFrame& frame = Frame();
  CKorvaneDoc& doc = Doc();
  ASSERT_NO_FATAL_FAILURE(PaintAnImage(doc));
  const UINT current = 32922;  // range select, the tool paint mode starts with
  EXPECT_FALSE(frame.IsCommandEnabled(current));
  EXPECT_EQ(frame.Commands().Update(current).m_nCheck, 1);
  EXPECT_TRUE(frame.IsCommandEnabled(32914));
  frame.OnCommand(32914);  // the pen
  EXPECT_FALSE(frame.IsCommandEnabled(32914));
  EXPECT_EQ(frame.Commands().Update(32914).m_nCheck, 1);
  EXPECT_TRUE(frame.IsCommandEnabled(current));

  CKorvaneView* form = frame.GetFormView();
  form->OnCommand(res::IDC_ZOOM_FIT, BN_CLICKED);
  QApplication::processEvents();
  EXPECT_NE(form->Controls()->GetDlgItemText(res::IDC_FIT_PERCENT), CString());
  form->OnCommand(res::IDC_ZOOM_400, BN_CLICKED);
  EXPECT_EQ(form->Controls()->GetDlgItemText(res::IDC_FIT_PERCENT), CString());
  doc.EndPaintMode();
}
