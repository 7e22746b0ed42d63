// The property sheet's page operations and its page memory by kind, on pages driven through
// the test host; and the up-down widget's own mouse and buddy-key steps.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include "fake_control_host.h"
#include "form_fixture.h"
#include "platform/ui/updown.h"

namespace {

class SheetTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    StartView();
    Add({TYPE_TEXT1});
    for (int i = 0; i < 2; ++i) {
      pages.push_back(std::make_unique<CTestPage>(&TextCharPageTemplate(), TYPE_TEXT1, i, std::vector<PageBinding>{},
                                                  nullptr));
      hosts.push_back(std::make_unique<CFakeControlHost>(TextCharPageTemplate()));
      pages.back()->AttachHost(hosts.back().get());
      sheet.AddPage(pages.back().get());
    }
  }
  CKorvanePropertySheet sheet;
  std::vector<std::unique_ptr<CTestPage>> pages;
  std::vector<std::unique_ptr<CFakeControlHost>> hosts;
};

TEST_F(SheetTest, ActivatingTheActivePageRefillsItAndOutsideIndicesDoNothing) {
  EXPECT_EQ(sheet.GetActiveIndex(), -1);
  ASSERT_TRUE(sheet.SetActivePage(0));
  ASSERT_TRUE(sheet.SetActivePage(0));
  EXPECT_EQ(pages[0]->m_nActivations, 2);
  EXPECT_EQ(pages[0]->m_nFills, 3);  // the first activation fills twice (init, refresh), then once
  EXPECT_FALSE(sheet.SetActivePage(2));
  EXPECT_FALSE(sheet.SetActivePage(-1));
  EXPECT_EQ(sheet.GetActiveIndex(), 0);
  sheet.RemovePage(0);
  EXPECT_EQ(sheet.GetActiveIndex(), -1);
  EXPECT_EQ(sheet.GetPage(0), pages[1].get());
}

TEST_F(SheetTest, TheKindsPageMemoryChoosesThePageOpened) {
  sheet.SetActivePage(1);
  EXPECT_EQ(view->GetRememberedPage(TYPE_TEXT1), 1);
  sheet.SetActivePage(0);
  view->SetRememberedPage(TYPE_TEXT1, 1);
  ASSERT_TRUE(sheet.ActivateTypePage(TYPE_TEXT1));
  EXPECT_EQ(sheet.GetActiveIndex(), 1);
  // Kinds that remember nothing open their first page.
  view->SetRememberedPage(TYPE_LINE, 1);
  sheet.ActivateTypePage(TYPE_LINE);
  EXPECT_EQ(sheet.GetActiveIndex(), 0);
  // A remembered page the sheet lacks: the first.
  sheet.RemovePage(1);
  view->SetRememberedPage(TYPE_TEXT1, 1);
  EXPECT_TRUE(sheet.ActivateTypePage(TYPE_TEXT1));
  EXPECT_EQ(sheet.GetActiveIndex(), 0);
}

TEST(PageTableTest, KindsWithoutARowHaveNoPagesAndTheFieldModeChoosesTheDrawingPages) {
  TestPagesRegistration registration;
  for (int kind : {10, 11, 13, 15, 16, 17, 18, 20, 21}) {
    EXPECT_FALSE(CKorvanePropertySheet::KindHasPages(kind)) << kind;
    EXPECT_TRUE(CKorvanePropertySheet::CreatePagesOfKind(kind, false).empty()) << kind;
  }
  EXPECT_EQ(CKorvanePropertySheet::RegisteredPageCount(TYPE_DRAWING, false), 3);
  EXPECT_EQ(CKorvanePropertySheet::RegisteredPageCount(TYPE_DRAWING, true), 2);
  auto text = CKorvanePropertySheet::CreatePagesOfKind(TYPE_TEXT1, false);
  ASSERT_EQ(text.size(), 2u);
  EXPECT_EQ(text[0]->GetPageIndexInKind(), 0);
  EXPECT_EQ(text[1]->GetPageIndexInKind(), 1);
  EXPECT_EQ(CKorvanePropertySheet::CreationOrder().front(), TYPE_DRAWING);
}

TEST(UpDownWidgetTest, ArrowsAndBuddyKeysStepOnce) {
  QWidget parent;
  auto* edit = new QLineEdit(&parent);
  auto* spin = new CSpinButtonCtrl(&parent);
  spin->resize(16, 22);
  spin->SetBuddy(edit);
  spin->SetRange32(-10, 10);
  std::vector<int> deltas;
  spin->State().SetNotify([&](NMUPDOWN& nm) {
    deltas.push_back(nm.iDelta);
    return FALSE;
  });
  auto click = [&](int y) {
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(8, y), spin->mapToGlobal(QPointF(8, y)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(spin, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(8, y), spin->mapToGlobal(QPointF(8, y)), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(spin, &release);
  };
  click(3);
  click(19);
  click(19);
  for (Qt::Key key : {Qt::Key_Up, Qt::Key_Down, Qt::Key_A}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, key == Qt::Key_A ? QStringLiteral("a") : QString());
    QCoreApplication::sendEvent(edit, &press);
  }
  EXPECT_EQ(deltas, (std::vector<int>{1, -1, -1, 1, -1}));
  EXPECT_EQ(spin->GetPos32(), -1);
  EXPECT_EQ(edit->text(), "a");
  // The buddy outliving the control, or the other way round, is safe.
  delete edit;
  click(3);
}

}  // namespace
