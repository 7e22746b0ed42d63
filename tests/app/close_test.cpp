// The end of the program: the save question, the bar layout, the companion files and the lock.
#include <gtest/gtest.h>

#include <QFile>
#include <QLockFile>
#include <QPageLayout>
#include <QPrinter>
#include <QSettings>

#include "app/main_frame.h"
#include "app_fixture.h"
#include "model/kinds.h"
#include "model/korvane_doc.h"
#include "platform/ui/modal_dialogs.h"

namespace {

bool BarStored() {
  QSettings settings(QStringLiteral("Vexor Co.,Ltd"), QStringLiteral("Draventis"));
  return settings.contains(QStringLiteral("bar/State"));
}

}  // namespace

TEST_F(AppTest, CloseAsksForAModifiedDesignAndCancelKeepsEverything) {
  ASSERT_TRUE(Start());
  ASSERT_GT(Doc().AddNewObject(TYPE_RECTANGLE), 0);
  g_bModified = 1;
  Doc().SetTitle("/work/a.mrk");

  prompter->ExpectMessage(IDCANCEL, CString::FromUtf8("データを保存しますか？").c_str());
  EXPECT_FALSE(Frame().close());
  EXPECT_TRUE(Frame().isVisible());
  EXPECT_FALSE(BarStored());
  EXPECT_FALSE(QFile::exists(QString::fromStdString(temp->File("korvane.dat"))));
  EXPECT_EQ(g_bModified, 1);

  // Yes, then Cancel in the save dialog: nothing is lost either, the title stays.
  prompter->ExpectMessage(IDYES).ExpectFile(CString());
  EXPECT_FALSE(Frame().close());
  EXPECT_TRUE(Frame().isVisible());
  EXPECT_EQ(Frame().windowTitle(), QStringLiteral("/work/a.mrk - Draventis"));
  EXPECT_FALSE(BarStored());

  prompter->ExpectMessage(IDNO);
  EXPECT_TRUE(Frame().close());
  EXPECT_TRUE(BarStored());
  Stop();
  EXPECT_TRUE(QFile::exists(QString::fromStdString(temp->File("korvane.dat"))));
  EXPECT_TRUE(QFile::exists(QString::fromStdString(temp->File("korvane.arc"))));
  QLockFile lock(InstanceLockPath());
  EXPECT_TRUE(lock.tryLock(0));
}

TEST_F(AppTest, CloseIsRefusedWhileAJobRuns) {
  ASSERT_TRUE(Start());
  bool busy = true;
  Frame().SetEngravingBusy([&busy] { return busy; });
  EXPECT_FALSE(Frame().close());
  EXPECT_FALSE(BarStored());
  busy = false;
  EXPECT_TRUE(Frame().close());
}

TEST_F(AppTest, PrinterSetupWorksOnTheRunsOnePrinter) {
  ASSERT_TRUE(Start());
  QPrinter& printer = app->GetPrinter();
  EXPECT_EQ(&printer, &app->GetPrinter());
  prompter->ExpectPrinterSetup(false, true);
  ASSERT_TRUE(Frame().Commands().Execute(57606));
  EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait);
  prompter->ExpectPrinterSetup(true, true);
  ASSERT_TRUE(Frame().Commands().Execute(57606));
  EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
}
