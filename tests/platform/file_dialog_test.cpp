// Qt's own file dialog as the program shows it.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDate>
#include <QDateTime>
#include <QApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>
#include <QTreeView>
#include <cstdlib>

#include "modal_driver.h"
#include "platform/qt_prompter.h"
#include "temp_dir.h"

namespace {

// Qt names a file's type in English ("Folder", "unknown") whatever the language: the column is
// not shown, and dates are shown whole. Other Qt programs, which share the dialog's settings,
// still get their columns.
TEST(FileDialog, ShowsNoEnglishTypeColumnAndWholeDates) {
  TempDir dir;
  dir.Write("design.mrk", "x");
  ::mkdir(dir.File("parts").c_str(), 0755);
  FileDialogRequest request;
  request.filter = CString::FromUtf8("プロジェクトファイル (*.mrk)|*.mrk||");
  request.initialPath = CString::FromUtf8(dir.Path() + "/");
  // Qt's texts in Japanese, as the program has them.
  QTranslator qtTexts;
  if (qtTexts.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&qtTexts);
  bool typeShown = true;
  int dateWidth = 0;
  int longestDate = 0;
  modal::WhenShown([&](QDialog& dialog) {
    auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    ASSERT_NE(view, nullptr);
    typeShown = !view->header()->isSectionHidden(2);
    dateWidth = view->header()->sectionSize(3);
    longestDate = view->fontMetrics().horizontalAdvance(
        QLocale::system().toString(QDateTime(QDate(2000, 12, 28), QTime(23, 58, 58)), QLocale::ShortFormat));
    const char* shots = std::getenv("KORVANE_SCREENSHOT_DIR");
    auto* model = dialog.findChild<QFileSystemModel*>();
    if (!shots || !model) {
      dialog.reject();
      return;
    }
    // The picture once the folder is listed (the model reads it on a thread of its own).
    auto grab = [&dialog, shots] {
      dialog.resize(760, 460);
      dialog.grab().save(QString::fromUtf8(shots) + QStringLiteral("/file_dialog.png"));
      dialog.reject();
    };
    if (model->rowCount(view->rootIndex()) >= 2) {
      grab();
    } else {
      QObject::connect(model, &QFileSystemModel::directoryLoaded, &dialog,
                       [grab] { QTimer::singleShot(0, grab); }, Qt::SingleShotConnection);
    }
  });
  std::vector<CString> paths;
  EXPECT_FALSE(RunQtFileDialog(nullptr, request, paths, nullptr));
  QApplication::removeTranslator(&qtTexts);
  EXPECT_FALSE(typeShown);
  EXPECT_GT(dateWidth, longestDate);

  QFileDialog other;
  other.setOption(QFileDialog::DontUseNativeDialog, true);
  auto* view = other.findChild<QTreeView*>(QStringLiteral("treeView"));
  ASSERT_NE(view, nullptr);
  EXPECT_FALSE(view->header()->isSectionHidden(2));
}

}  // namespace
