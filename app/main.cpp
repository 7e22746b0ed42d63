#include <QApplication>
#include <QStringList>

#include "app/korvane_app.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // Qt has taken its own options out; the rest is the program's command line.
  QStringList args = QApplication::arguments();
  if (!args.isEmpty()) args.removeFirst();
  CKorvaneApp theApp;
  if (!theApp.InitInstance(args)) return theApp.ExitInstance();
  QApplication::exec();
  return theApp.ExitInstance();
}
