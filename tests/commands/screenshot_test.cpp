// Pictures for a look by eye (KORVANE_SCREENSHOT_DIR set, a real display such as xvfb): the
// open dialog with registered places, the save dialog with both formats, the File menu with
// recent entries.
#include <sys/stat.h>

#include <map>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>

#include "app/qt_modal_dialogs.h"
#include "commands_fixture.h"
#include "platform/qt_prompter.h"
#include "platform/ui/menu_template.h"
#include "outside_tool.h"

namespace {

class ScreenshotTest : public CommandsTest {
 protected:
  void SetUp() override {
    REQUIRE_SCREENSHOT_DIR(out);
    CommandsTest::SetUp();
  }
  void TearDown() override {
    if (out) CommandsTest::TearDown();
  }
  QString Shot(const char* name) { return QString(out) + "/" + name; }
  static void Settle() {
    for (int i = 0; i < 20; ++i) QApplication::processEvents();
  }
  const char* out = nullptr;
};

TEST_F(ScreenshotTest, OpenAndSaveDialogs) {
  for (const char* name : {"作業フォルダ", "jobs-2026", "logos"}) ASSERT_EQ(::mkdir(dir.File(name).c_str(), 0700), 0);
  doc->m_Settings.System.PlacesbarHistory = 1;
  doc->m_Settings.System.PlacesFolder[0] = CString::FromUtf8(dir.File("作業フォルダ"));
  doc->m_Settings.System.PlacesFolder[1] = dir.File("jobs-2026").c_str();
  doc->m_Settings.System.PlacesFolder[2] = dir.File("logos").c_str();
  dir.Write("jobs-2026/plate.mrk", "D");
  recent->Add(dir.File("jobs-2026/plate.mrk").c_str());

  CQtPrompter qt;
  IPrompter* scripted = SetPrompter(&qt);
  WhenModal([&](QWidget* dialog) {
    dialog->resize(760, 460);
    Settle();
    EXPECT_TRUE(dialog->grab().save(Shot("open_places.png")));
    QMetaObject::invokeMethod(dialog, "reject");
  });
  EXPECT_EQ(doc->PromptOpenMrkFile(1), 0);

  CQtModalDialogs dialogs;
  IModalDialogs* previous = SetModalDialogs(&dialogs);
  WhenModal([&](QWidget* dialog) {
    dialog->resize(760, 460);
    dialog->move(0, 0);
    if (auto* combo = dialog->findChild<QComboBox*>("fileTypeCombo")) combo->showPopup();
    Settle();
    QTimer::singleShot(200, [&, dialog] {
      EXPECT_TRUE(QGuiApplication::primaryScreen()->grabWindow(0, 0, 0, 800, 520).save(Shot("save_as_filters.png")));
      QMetaObject::invokeMethod(dialog, "reject");
    });
  });
  table.Execute(32852);
  SetModalDialogs(previous);
  SetPrompter(scripted);
}

TEST_F(ScreenshotTest, PlacesBarRegistrationDialog) {
  CQtModalDialogs dialogs;
  IModalDialogs* previous = SetModalDialogs(&dialogs);
  doc->m_Settings.System.PlacesbarHistory = 1;
  doc->m_Settings.System.PlacesFolder[0] = CString::FromUtf8("/home/operator/作業フォルダ");
  doc->m_Settings.System.PlacesFolder[1] = "/home/operator/jobs-2026";
  WhenModal([&](QWidget* dialog) {
    Settle();
    EXPECT_TRUE(dialog->grab().save(Shot("places_dialog.png")));
    QMetaObject::invokeMethod(dialog, "reject");
  });
  table.Execute(33004);
  SetModalDialogs(previous);
}

TEST_F(ScreenshotTest, FileMenuWithRecentEntries) {
  for (const char* name : {"表札/山田様.mrk", "jobs-2026/plate.mrk", "logos/会社ロゴ.mrk"}) recent->Add(CString::FromUtf8(std::string("/home/operator/") + name));
  MenuTemplate file{0, "ﾌｧｲﾙ(&F)", {}};
  file.items = {{57600, "新規作成(&N)\tCtrl+N", {}}, {57601, "開く(&O)...\tCtrl+O", {}}, {32899, "挿入(&I)...", {}},
                {32851, "上書き保存(&S)\tCtrl+S", {}}, {32852, "名前を付けて保存(&A)...", {}}, {0, "", {}}};
  file.items.push_back({57616, "最近使ったﾌｧｲﾙ", {}});  // as the main menu carries it
  file.items.push_back({0, "", {}});
  file.items.push_back({57665, "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)", {}});
  std::map<UINT, std::string> texts;
  for (const MenuTemplate& item : file.items) texts[item.id] = item.text;
  table.SetDecorator([&texts](UINT id, QAction* action) { action->setText(QString::fromUtf8(texts[id].c_str())); });
  QMainWindow window;
  window.resize(640, 480);
  window.move(0, 0);
  QMenu* menu = window.menuBar()->addMenu(QString::fromUtf8(file.text.c_str()));
  table.FillMenu(menu, file);
  table.UpdateAll();
  window.show();
  Settle();
  menu->popup(window.mapToGlobal(QPoint(0, window.menuBar()->height())));
  Settle();
  QTimer::singleShot(200, [] {});
  Settle();
  EXPECT_TRUE(QGuiApplication::primaryScreen()->grabWindow(0, 0, 0, 640, 480).save(Shot("file_menu_recent.png")));
  menu->hide();
}

}  // namespace
