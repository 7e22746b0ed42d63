// The About box.
#include <gtest/gtest.h>

#include <cstdlib>

#include <QApplication>
#include <QFont>
#include <QPalette>
#include <QTest>

#include "app/about_dialog.h"
#include "platform/ui/open_url.h"
#include "platform/ui/qt_control_host.h"
#include "res/dialog_100.h"
#include "outside_tool.h"

TEST(AboutDialog, TextsLinksAndTheirClicks) {
  CAboutDialog dialog;
  EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Draventisのﾊﾞｰｼﾞｮﾝ情報"));
  CQtControlHost& host = dialog.Host();
  EXPECT_EQ(host.GetDlgItemText(IDC_ABOUT_PRODUCT), CString("Draventis"));
  EXPECT_EQ(host.GetDlgItemText(IDC_ABOUT_MAKER), CString("Vexor Co.,Ltd."));
  EXPECT_FALSE(host.GetDlgItemText(IDC_ABOUT_VERSION).IsEmpty());
  EXPECT_EQ(host.GetDlgItemText(IDOK), CString::FromUtf8("閉じる"));

  for (int id : {IDC_ABOUT_HOMEPAGE, IDC_ABOUT_MAIL}) {
    QWidget* link = dialog.Control(id);
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(0, 0, 255)) << id;
    EXPECT_TRUE(link->font().underline());
    EXPECT_EQ(link->font().pixelSize(), 14);
    EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
  }
  // Other fields keep the default colours.
  EXPECT_NE(dialog.Control(IDC_ABOUT_MAKER)->palette().color(QPalette::WindowText), QColor(0, 0, 255));

  std::vector<QString> opened;
  ui::OpenUrlHook previous = ui::SetOpenUrlHook([&opened](const QString& url) { opened.push_back(url); });
  dialog.show();
  QTest::mouseClick(dialog.Control(IDC_ABOUT_MAIL), Qt::LeftButton);
  QTest::mouseClick(dialog.Control(IDC_ABOUT_HOMEPAGE), Qt::LeftButton);
  QTest::mouseClick(dialog.Control(IDC_ABOUT_MAKER), Qt::LeftButton);
  ui::SetOpenUrlHook(previous);
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_EQ(opened[0], QStringLiteral("mailto:") + QString::fromLatin1(kAboutMailAddress));
  EXPECT_EQ(opened[1], QString::fromLatin1(kAboutHomePage));
  EXPECT_EQ(host.GetDlgItemText(IDC_ABOUT_MAIL), CString(kAboutMailAddress));
}

TEST(AboutDialog, Screenshot) {
  const char* out = nullptr;
  REQUIRE_SCREENSHOT_DIR(out);
  CAboutDialog dialog;
  dialog.show();
  QApplication::processEvents();
  EXPECT_TRUE(dialog.grab().save(QString(out) + "/about_dialog.png"));
}
