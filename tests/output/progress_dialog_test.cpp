#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QWidget>
#include <gtest/gtest.h>

#include "output/engrave_progress_dialog.h"

TEST(ProgressDialog, ShowsThePercentageOfTheRange) {
  CEngraveProgressDialog dlg;
  ASSERT_TRUE(dlg.Create(nullptr));
  EXPECT_EQ(dlg.windowTitle(), QString::fromUtf8("彫刻データの出力"));
  dlg.SetRange(0, 10);
  dlg.SetPos(5);
  EXPECT_EQ(dlg.GetPercentText(), "50%");
  EXPECT_EQ(dlg.GetProgressBar()->value(), 5);
  dlg.SetPos(10);
  EXPECT_EQ(dlg.GetPercentText(), "100%");
  dlg.SetRange(100, 300);
  dlg.SetPos(150);
  EXPECT_EQ(dlg.GetPercentText(), "25%");
  // An empty range has nothing left to do.
  dlg.SetRange(0, 0);
  dlg.SetPos(0);
  EXPECT_EQ(dlg.GetPercentText(), "100%");
}

TEST(ProgressDialog, ControlsCarryTheirIds) {
  CEngraveProgressDialog dlg;
  auto* bar = dlg.findChild<QProgressBar*>("1003");
  auto* percent = dlg.findChild<QLabel*>("1004");
  auto* cancel = dlg.findChild<QPushButton*>("2");
  ASSERT_TRUE(bar && percent && cancel);
  EXPECT_EQ(percent->text(), QString::fromUtf8(" 0 %"));
  EXPECT_EQ(cancel->text(), QString::fromUtf8("ｷｬﾝｾﾙ"));
}

TEST(ProgressDialog, CancelIsReportedOnceAndEscCountsAsCancel) {
  CEngraveProgressDialog dlg;
  ASSERT_TRUE(dlg.Create(nullptr));
  dlg.GetCancelButton()->click();
  dlg.GetCancelButton()->click();
  EXPECT_TRUE(dlg.CheckCancelButton());
  EXPECT_FALSE(dlg.CheckCancelButton());
  EXPECT_TRUE(dlg.isVisible());  // Cancel leaves the dialog up

  QWidget other;
  other.show();
  QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(&other, &esc);
  EXPECT_TRUE(dlg.CheckCancelButton());
}

TEST(ProgressDialog, DisablesItsOwnerWhileItLives) {
  QWidget mainWindow;
  mainWindow.show();
  QWidget child(&mainWindow);
  {
    CEngraveProgressDialog dlg;
    ASSERT_TRUE(dlg.Create(&child));
    EXPECT_FALSE(mainWindow.isEnabled());
    dlg.DestroyWindow();
    EXPECT_TRUE(mainWindow.isEnabled());
    ASSERT_TRUE(dlg.Create(&child));
    EXPECT_FALSE(mainWindow.isEnabled());
  }
  EXPECT_TRUE(mainWindow.isEnabled());
  // An owner that was disabled already stays so.
  mainWindow.setEnabled(false);
  {
    CEngraveProgressDialog dlg;
    dlg.Create(&mainWindow);
  }
  EXPECT_FALSE(mainWindow.isEnabled());
}

TEST(ProgressDialog, IsOwnedByTheMainWindowWhileShownAndItsBarAgreesWithThePercentage) {
  QWidget mainWindow;
  mainWindow.show();
  {
    CEngraveProgressDialog dlg;
    ASSERT_TRUE(dlg.Create(&mainWindow));
    // A window of its own, kept above its owner by the window manager.
    EXPECT_EQ(dlg.parentWidget(), &mainWindow);
    EXPECT_TRUE(dlg.isWindow());
    // The owner is disabled, its dialog's Cancel is not.
    EXPECT_FALSE(mainWindow.isEnabled());
    EXPECT_TRUE(dlg.GetCancelButton()->isEnabled());
    dlg.SetRange(0, 1000);
    for (int pos = 0; pos <= 1000; pos += 7) {
      dlg.SetPos(pos);
      QProgressBar* bar = dlg.GetProgressBar();
      const int shown = dlg.GetPercentText().chopped(1).toInt();
      ASSERT_EQ(shown, (bar->value() - bar->minimum()) * 100 / (bar->maximum() - bar->minimum())) << pos;
    }
    dlg.SetPos(1000);  // the end always shows
    EXPECT_EQ(dlg.GetPercentText(), "100%");
    EXPECT_EQ(dlg.GetProgressBar()->value(), 1000);
    dlg.DestroyWindow();
    // The engine owns the dialog; the main window never deletes it.
    EXPECT_EQ(dlg.parentWidget(), nullptr);
  }
  EXPECT_TRUE(mainWindow.isEnabled());
}
