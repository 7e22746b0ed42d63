#include <sys/stat.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include "app/qt_modal_dialogs.h"
#include "commands_fixture.h"
#include "files/places_bar.h"
#include "files/settings.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "platform/qt_prompter.h"
#include "platform/ui/qt_control_host.h"
#include "res/dialog_256.h"

namespace {

class PlacesTest : public CommandsTest {
 protected:
  // The save dialog's request for a project, the places bar applied.
  FileDialogRequest ProjectSaveRequest() {
    FileDialogRequest request;
    request.save = true;
    request.defaultExt = "mrk";
    request.filter = CString::FromUtf8(kMrkSaveFilter);
    doc->ApplyPlacesBar(request);
    return request;
  }
  CSettingsSystem& System() { return doc->m_Settings.System; }
  std::vector<std::string> Places(int* state = nullptr) {
    FileDialogRequest request;
    const int s = doc->ApplyPlacesBar(request);
    if (state) *state = s;
    std::vector<std::string> out;
    if (!request.usePlaces) return out;
    for (const CString& p : request.places) out.push_back(p.str());
    return out;
  }
};

TEST_F(PlacesTest, TheRegisteredFoldersBecomeTheDialogsPlaces) {
  int state = -1;
  System().Placesbar = 0;
  System().PlacesFolder[0] = "/srv/a";
  EXPECT_TRUE(Places(&state).empty());
  EXPECT_EQ(state, 0);

  System().Placesbar = 1;
  for (CString& folder : System().PlacesFolder) folder = CString();
  EXPECT_TRUE(Places(&state).empty());
  EXPECT_EQ(state, 0);

  // History first (the folder of the newest recent file), then two folders; gaps left out.
  System().PlacesbarHistory = 1;
  System().PlacesFolder[0] = "/srv/a";
  System().PlacesFolder[2] = "/srv/c";
  System().PlacesFolder[4] = "/srv/e";  // the fifth row does not fit beside the history place
  recent->Add("/home/op/jobs/last.mrk");
  EXPECT_EQ(Places(&state), (std::vector<std::string>{"/home/op/jobs", "/srv/a", "/srv/c"}));
  EXPECT_EQ(state, 1);

  System().PlacesbarHistory = 0;
  for (int i = 0; i < 5; ++i) System().PlacesFolder[i] = CString("/srv/") + CString(std::string(1, char('a' + i)));
  EXPECT_EQ(Places(), (std::vector<std::string>{"/srv/a", "/srv/b", "/srv/c", "/srv/d", "/srv/e"}));

  // The menu rows: the switch is a check mark, and registration needs it on.
  EXPECT_EQ(Checked(33003), 1);
  EXPECT_TRUE(Enabled(33004));
  table.Execute(33003);
  EXPECT_EQ(System().Placesbar, 0);
  EXPECT_EQ(Checked(33003), 0);
  EXPECT_FALSE(Enabled(33004));
}

TEST_F(PlacesTest, RegistrationTakesFourFoldersWithTheHistoryPlaceAndFiveWithout) {
  System().PlacesbarHistory = 1;
  for (int i = 0; i < 5; ++i) System().PlacesFolder[i] = CString("/f") + CString(std::to_string(i + 1));
  PlacesBarDialogData answer;
  answer.useHistory = 0;
  for (int i = 0; i < 5; ++i) answer.folders[i] = CString("/n") + CString(std::to_string(i + 1));
  dialogs.places.push_back({false, answer});
  table.Execute(33004);
  EXPECT_EQ(dialogs.shownPlaces.useHistory, 1);
  EXPECT_EQ(dialogs.shownPlaces.folders[3], "/f4");
  EXPECT_EQ(dialogs.shownPlaces.folders[4], "");  // the fifth edit stays empty beside the history
  EXPECT_EQ(System().PlacesFolder[0], "/f1");     // Cancel changes nothing

  dialogs.places.push_back({true, answer});
  table.Execute(33004);
  EXPECT_EQ(System().PlacesbarHistory, 0);
  EXPECT_EQ(System().PlacesFolder[4], "/n5");

  answer.useHistory = 1;
  dialogs.places.push_back({true, answer});
  table.Execute(33004);
  EXPECT_EQ(System().PlacesbarHistory, 1);
  EXPECT_EQ(System().PlacesFolder[3], "/n4");
  EXPECT_EQ(System().PlacesFolder[4], "");

  // The choices are in the settings file once the document ends.
  const std::string dat = paths::CompanionFile(".dat");
  doc.reset();
  const std::string text = TempDir::Read(dat);
  EXPECT_NE(text.find("PlacesbarHistory=1"), std::string::npos) << text;
  EXPECT_NE(text.find("PlacesFolder3=/n4"), std::string::npos) << text;
}

TEST_F(PlacesTest, TheRegistrationDialogDisablesTheFifthRowForTheHistoryPlace) {
  QWidget window;
  CQtControlHost host(PlacesBarDialogTemplate(), &window);
  CPlacesBarDialog dialog;
  dialog.AttachHost(&host);
  for (int i = 0; i < 5; ++i) dialog.m_strFolder[i] = CString("/d") + CString(std::to_string(i + 1));
  dialog.m_bUseHistory = 0;
  dialog.OnInitDialog();
  EXPECT_EQ(host.GetDlgItemText(1482), "/d5");
  EXPECT_TRUE(host.IsWindowEnabled(1482));

  // A click on the box: row 5 off.
  static_cast<QAbstractButton*>(host.GetControlWidget(1609))->click();
  EXPECT_FALSE(host.IsWindowEnabled(1482));
  EXPECT_FALSE(host.IsWindowEnabled(1608));

  prompter.ExpectFolder("/picked/two");
  static_cast<QAbstractButton*>(host.GetControlWidget(1605))->click();
  EXPECT_EQ(host.GetDlgItemText(1479), "/picked/two");
  EXPECT_EQ(prompter.Log().back().text, CString::FromUtf8("フォルダの選択"));

  dialog.OnOK();
  EXPECT_EQ(dialog.GetResult(), IDOK);
  EXPECT_EQ(dialog.m_bUseHistory, 1);
  EXPECT_EQ(dialog.m_strFolder[1], "/picked/two");

  // OK with the box checked empties folder 5 in the document.
  PlacesBarDialogData answer;
  answer.useHistory = dialog.m_bUseHistory;
  for (int i = 0; i < 5; ++i) answer.folders[i] = dialog.m_strFolder[i];
  System().PlacesbarHistory = 0;
  dialogs.places.push_back({true, answer});
  doc->EditPlacesBar();
  EXPECT_EQ(System().PlacesFolder[4], "");
  EXPECT_EQ(System().PlacesFolder[1], "/picked/two");
  prompter.VerifyAllUsed();
}

// Runs the real (non-native) file dialog once: `inspect` sees it, then it is accepted or not.
template <class F>
bool RunDialog(const FileDialogRequest& request, std::vector<CString>& paths, int& filter, F inspect) {
  bool seen = false;
  WhenModal([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    if (!dialog) {
      QMetaObject::invokeMethod(modal, "reject");
      return;
    }
    seen = true;
    inspect(*dialog);
  });
  const bool ok = RunQtFileDialog(nullptr, request, paths, &filter);
  EXPECT_TRUE(seen);
  return ok;
}

TEST_F(PlacesTest, TheRealFileDialogShowsThePlacesAndBothSaveFormats) {
  const std::string a = dir.File("placeA"), b = dir.File("placeB");
  ASSERT_EQ(::mkdir(a.c_str(), 0700), 0);
  ASSERT_EQ(::mkdir(b.c_str(), 0700), 0);
  System().PlacesbarHistory = 0;
  System().PlacesFolder[0] = a.c_str();
  System().PlacesFolder[1] = b.c_str();
  FileDialogRequest request = ProjectSaveRequest();
  std::vector<CString> paths;
  int filter = 0;
  QStringList filters;
  QList<QUrl> sidebar;
  const std::string target = dir.File("second");
  const bool ok = RunDialog(request, paths, filter, [&](QFileDialog& dialog) {
    filters = dialog.nameFilters();
    sidebar = dialog.sidebarUrls();
    dialog.selectNameFilter(filters.value(1));
    dialog.selectFile(QString::fromStdString(target));
    QMetaObject::invokeMethod(&dialog, "accept");
  });
  ASSERT_TRUE(ok);
  ASSERT_EQ(filters.size(), 2);
  EXPECT_NE(filters[0], filters[1]);
  EXPECT_TRUE(filters[1].contains(QString::fromUtf8("v2004 形式")));
  EXPECT_EQ(sidebar, (QList<QUrl>{QUrl::fromLocalFile(QString::fromStdString(a)),
                                  QUrl::fromLocalFile(QString::fromStdString(b))}));
  EXPECT_EQ(filter, 2);
  ASSERT_EQ(paths.size(), 1u);
  EXPECT_EQ(paths[0], (target + ".mrk").c_str());

  // A dialog whose caller gave no places (a bitmap object's open dialog) gets them as well.
  FileDialogRequest plain;
  plain.filter = CString::FromUtf8("ビットマップ (*.bmp)|*.bmp|");
  QList<QUrl> plainSidebar;
  RunDialog(plain, paths, filter, [&](QFileDialog& dialog) {
    plainSidebar = dialog.sidebarUrls();
    QMetaObject::invokeMethod(&dialog, "reject");
  });
  EXPECT_EQ(plainSidebar, sidebar);

  // Through the program's dialogs and the Save As command: the second filter writes text.
  CQtModalDialogs qt;
  IModalDialogs* scripted = SetModalDialogs(&qt);
  Add({TYPE_LINE});
  WhenModal([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    if (!dialog) {
      QMetaObject::invokeMethod(modal, "reject");
      return;
    }
    dialog->selectNameFilter(dialog->nameFilters().value(1));
    dialog->selectFile(QString::fromStdString(dir.File("viaCommand.mrk")));
    QMetaObject::invokeMethod(dialog, "accept");
  });
  table.Execute(32852);
  SetModalDialogs(scripted);
  EXPECT_EQ(TempDir::Read(dir.File("viaCommand.mrk")).substr(0, 1), "D");
}

// Qt keeps the file dialog's side bar in the user's shared Qt settings: a dialog with places puts
// them back as they were, so the next dialog without places (and every other Qt program) shows
// the user's own side bar. The filters read as written, each pattern once.
TEST_F(PlacesTest, ADialogWithPlacesLeavesTheUsersQtSettingsAsTheyWere) {
  const std::string config = dir.File("qtconfig");
  ASSERT_EQ(::mkdir(config.c_str(), 0700), 0);
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(config));
  const QList<QUrl> users = {QUrl::fromLocalFile(QString::fromStdString(dir.Path()))};
  {
    QSettings qt(QSettings::UserScope, QStringLiteral("QtProject"));
    qt.setValue("FileDialog/shortcuts", QUrl::toStringList(users));
    qt.setValue("FileDialog/sidebarWidth", 111);
  }
  auto all = [] {
    QSettings qt(QSettings::UserScope, QStringLiteral("QtProject"));
    std::map<QString, QVariant> values;
    for (const QString& key : qt.allKeys()) values[key] = qt.value(key);
    return values;
  };
  const auto before = all();
  const std::string a = dir.File("placeA");
  ASSERT_EQ(::mkdir(a.c_str(), 0700), 0);
  System().Placesbar = 1;
  System().PlacesbarHistory = 0;
  System().PlacesFolder[0] = a.c_str();
  FileDialogRequest request = ProjectSaveRequest();
  std::vector<CString> paths;
  int filter = 0;
  QStringList shown;
  QList<QUrl> placesBar;
  RunDialog(request, paths, filter, [&](QFileDialog& dialog) {
    placesBar = dialog.sidebarUrls();
    if (auto* combo = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo")))
      for (int i = 0; i < combo->count(); ++i) shown << combo->itemText(i);
    QMetaObject::invokeMethod(&dialog, "reject");
  });
  EXPECT_EQ(placesBar, (QList<QUrl>{QUrl::fromLocalFile(QString::fromStdString(a))}));
  EXPECT_EQ(shown, (QStringList{QString::fromUtf8("mrkファイル (*.mrk)"), QString::fromUtf8("mrkファイル (*.mrk v2004 形式)")}));
  EXPECT_EQ(all(), before);

  System().Placesbar = 0;
  FileDialogRequest plain;
  plain.filter = CString::FromUtf8(kMrkOpenFilter);
  QList<QUrl> usersBar;
  RunDialog(plain, paths, filter, [&](QFileDialog& dialog) {
    usersBar = dialog.sidebarUrls();
    QMetaObject::invokeMethod(&dialog, "reject");
  });
  EXPECT_EQ(usersBar, users);
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                     QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

}  // namespace
