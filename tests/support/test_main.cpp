// Test main shared by every test program: the user's locale as the program would have it (so
// the number helpers are tested under it), and a QApplication on the offscreen platform.
#include <QApplication>
#include <clocale>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  std::setlocale(LC_ALL, "");
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
