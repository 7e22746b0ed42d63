#include <QApplication>
#include <QMainWindow>

#include "platform/qt_prompter.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow frame;
  frame.setWindowTitle("Draventis");
  CQtPrompter prompter(&frame);
  SetPrompter(&prompter);
  frame.resize(1024, 720);
  frame.show();
  int rc = app.exec();
  SetPrompter(nullptr);
  return rc;
}
