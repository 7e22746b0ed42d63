// The splash window over the starting frame.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "app/main_frame.h"
#include "app/startup_splash.h"
#include "app_fixture.h"
#include "canvas/leftview.h"

TEST_F(AppTest, SplashIsShownOnceCentredAndEndsByItsTimer) {
  ASSERT_TRUE(Start({}, true));
  CStartupSplash* splash = CStartupSplash::Current();
  ASSERT_NE(splash, nullptr);
  EXPECT_EQ(splash->size(), QSize(403, 252));
  EXPECT_EQ(splash->parentWidget(), &Frame());
  EXPECT_TRUE(splash->windowFlags() & Qt::FramelessWindowHint);
  // Centred over the frame as it was made: at (0, 0) with the screen's size.
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  EXPECT_EQ(splash->pos(), QPoint((screen.width() - 403) / 2, (screen.height() - 252) / 2));
  CStartupSplash::ShowSplash(&Frame());
  EXPECT_EQ(CStartupSplash::Current(), splash);
  ASSERT_NE(splash->Timer(), nullptr);
  EXPECT_TRUE(splash->Timer()->isActive());
  EXPECT_TRUE(splash->Timer()->isSingleShot());
  EXPECT_EQ(splash->Timer()->interval(), 4000);
  splash->OnTimer();
  EXPECT_EQ(CStartupSplash::Current(), nullptr);
  QApplication::processEvents();
}

TEST_F(AppTest, KeyOrClickWhileShownOnlyHidesTheSplash) {
  ASSERT_TRUE(Start({}, true));
  int news = 0;
  Frame().Commands().Add(57600, [&news] { ++news; });
  QAction* action = Frame().Commands().Action(57600);
  if (!action->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_N))) action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
  Frame().Commands().UpdateAll();
  Frame().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
  QWidget* canvas = Frame().GetLeftView()->viewport();

  // Moves and releases leave it.
  QTest::mouseMove(canvas, QPoint(20, 20));
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier);
  QApplication::sendEvent(canvas, &release);
  ASSERT_NE(CStartupSplash::Current(), nullptr);
  EXPECT_EQ(news, 0);

  QTest::keyClick(canvas, Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(CStartupSplash::Current(), nullptr);
  EXPECT_EQ(news, 0);
  // Afterwards the key is the command's again.
  QTest::keyClick(canvas, Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(news, 1);
  Stop();

  ASSERT_TRUE(Start({}, true));
  ASSERT_NE(CStartupSplash::Current(), nullptr);
  QTest::mouseClick(Frame().GetLeftView()->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(30, 30));
  EXPECT_EQ(CStartupSplash::Current(), nullptr);
}

TEST_F(AppTest, SplashOffShowsNoneAndFiltersNothing) {
  ASSERT_TRUE(Start({}, false));
  EXPECT_EQ(CStartupSplash::Current(), nullptr);
  CStartupSplash::ShowSplash(&Frame());
  EXPECT_EQ(CStartupSplash::Current(), nullptr);
  QKeyEvent press(QEvent::KeyPress, Qt::Key_N, Qt::ControlModifier);
  EXPECT_FALSE(CStartupSplash::FilterAppMessage(&Frame(), &press));
}

TEST_F(AppTest, AModalDialogOpeningHidesTheSplash) {
  ASSERT_TRUE(Start({}, true));
  ASSERT_NE(CStartupSplash::Current(), nullptr);
  QDialog modeless(&Frame());
  modeless.show();
  EXPECT_NE(CStartupSplash::Current(), nullptr);
  modeless.hide();
  QDialog question(&Frame());
  question.setModal(true);
  question.show();  // as exec() shows it
  EXPECT_EQ(CStartupSplash::Current(), nullptr);
  question.hide();
}
