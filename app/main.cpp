#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>
#include <QTranslator>

#include "app/korvane_app.h"
#include "res/strings.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // The names the program's own settings are kept under.
  QApplication::setOrganizationName(QString::fromUtf8(res::kRegistryOrganization));
  QApplication::setApplicationName(QString::fromUtf8(res::kRegistryApplication));
  // The program speaks Japanese whatever the user's locale: Qt's own buttons and dialogs too.
  QTranslator qtTexts;
  if (qtTexts.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&qtTexts);
  // Qt has taken its own options out; the rest is the program's command line.
  QStringList args = QApplication::arguments();
  if (!args.isEmpty()) args.removeFirst();
  CKorvaneApp theApp;
  if (!theApp.InitInstance(args)) return theApp.ExitInstance();
  QApplication::exec();
  return theApp.ExitInstance();
}
