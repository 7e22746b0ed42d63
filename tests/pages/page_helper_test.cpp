// The page helper's operations and the page cycle, on a rectangle page driven through the test
// host, over a started document and the form view that gives the page its document.
#include <gtest/gtest.h>

#include "fake_control_host.h"
#include "form_fixture.h"
#include "model/textobject.h"

namespace {

class PageHelperTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    StartView();
    Add({TYPE_RECTANGLE});
    page = std::make_unique<CTestPage>(&RectanglePageTemplate(), TYPE_RECTANGLE, 0,
                                       std::vector<PageBinding>{{1183, BIND_EDIT_DOUBLE, 1184},
                                                                {1186, BIND_EDIT_DOUBLE, 1187},
                                                                {1195, BIND_EDIT_INT, 1196, 0, FALSE},
                                                                {1205, BIND_CHECK},
                                                                {1209, BIND_RADIO, 0, 3, TRUE, 1}},
                                       FillRectanglePage);
    page->AttachHost(&host);
    ASSERT_TRUE(page->Activate());
    canvas.invalidations = 0;
    host.ClearNotified();
  }
  CRectangleObject* Rect() { return static_cast<CRectangleObject*>(doc->m_pCurrentObject); }
  // Setters called since the last look (each starts by invalidating the selection).
  int SetterCalls() {
    const int n = canvas.invalidations;
    canvas.invalidations = 0;
    return n;
  }

  CFakeControlHost host{RectanglePageTemplate()};
  std::unique_ptr<CTestPage> page;
};

TEST_F(PageHelperTest, SteppingANonNumberStartsFromZeroAndTheSpinStaysAtZero) {
  doc->m_Settings.System.MoveStep = 2;  // 0.1 mm
  host.Paste(1183, CString("abc"));
  EXPECT_DOUBLE_EQ(Rect()->m_dWidth, 0.0);  // not a number: pushed as 0
  host.SpinClick(1184, +1);
  EXPECT_EQ(host.GetDlgItemText(1183), " 0.100");
  EXPECT_DOUBLE_EQ(Rect()->m_dWidth, 0.1);
  host.SpinClick(1184, +1);
  EXPECT_EQ(host.GetDlgItemText(1183), " 0.200");
  EXPECT_EQ(host.GetPos32(1184), 0);
  // A count steps by one, whatever the move step.
  host.Paste(1195, CString(" 7"));
  host.SpinClick(1196, -1);
  EXPECT_EQ(host.GetDlgItemText(1195), " 6");
  EXPECT_EQ(Rect()->m_nRows, 6);
}

TEST_F(PageHelperTest, KeepAspectScalesThePartnerWithoutCouplingBack) {
  page->m_after = [](CTestPage& p, int id, int code) {
    if (code != EN_CHANGE || p.m_bUpdating) return;
    if (id == 1183) p.KeepAspect(10.0, 1183, 1186);
    if (id == 1186) p.KeepAspect(5.0, 1186, 1183);
  };
  host.SetDlgItemText(1186, CString(" 5"));
  host.Paste(1183, CString("20"));
  EXPECT_EQ(host.GetDlgItemText(1186), " 10.000");
  EXPECT_EQ(host.GetDlgItemText(1183), "20");  // the partner's change did not come back
  EXPECT_DOUBLE_EQ(Rect()->m_dHeight, 10.0);

  // The sign follows the changed edit (sizes are never negative, so the setter is kept out).
  page->m_after = nullptr;
  page->m_bUpdating = 1;
  host.SetDlgItemText(1186, CString(" 5"));
  host.SetDlgItemText(1183, CString("-20"));
  page->KeepAspect(10.0, 1183, 1186);
  EXPECT_EQ(host.GetDlgItemText(1186), " -10.000");
  host.SetDlgItemText(1186, CString(" 7"));
  host.SetDlgItemText(1183, CString(" 3"));
  page->KeepAspect(0.0, 1183, 1186);  // from 0: the new value is copied
  EXPECT_EQ(host.GetDlgItemText(1186), " 3.000");
  page->m_bUpdating = 0;
}

TEST_F(PageHelperTest, RefusedValuesShowWhatTheDocumentKept) {
  host.Paste(1183, CString("12.5"));
  host.Paste(1183, CString("-1"));
  EXPECT_EQ(host.GetDlgItemText(1183), " 12.500");
  EXPECT_DOUBLE_EQ(Rect()->m_dWidth, 12.5);
  host.Paste(1195, CString("3"));
  host.Paste(1195, CString("1000"));
  EXPECT_EQ(host.GetDlgItemText(1195), " 3");
  EXPECT_EQ(Rect()->m_nRows, 3);
}

TEST_F(PageHelperTest, AKeptValueTheSetterRefusesAgainIsShownNotPushed) {
  // Rows beyond the setter's range, as a project file may hold them.
  Rect()->m_nRows = 5000;
  page->RefreshPage();
  EXPECT_EQ(host.GetDlgItemText(1195), " 5000");
  SetterCalls();
  host.ClearNotified();
  host.Paste(1195, CString("1000"));
  EXPECT_EQ(host.GetDlgItemText(1195), " 5000");
  EXPECT_EQ(SetterCalls(), 1);
  EXPECT_EQ(host.CountNotified(1195, EN_CHANGE), 2);  // typed, then written back
  EXPECT_EQ(Rect()->m_nRows, 5000);
  EXPECT_EQ(page->m_bUpdating, 0);
}

TEST_F(PageHelperTest, OnlyTheEditPushesWaitForTheUpdatingFlag) {
  page->m_bUpdating = 1;
  host.Paste(1183, CString("33"));
  EXPECT_EQ(SetterCalls(), 0);
  host.Click(1205);
  host.Click(1209);
  EXPECT_EQ(SetterCalls(), 2);
  EXPECT_EQ(Rect()->m_bKeepAspect, 1);
  EXPECT_EQ(Rect()->m_nEdgeStyle, 1);
  page->m_bUpdating = 0;
}

TEST_F(PageHelperTest, RefreshLeavesThePageAloneForAnotherKind) {
  host.SetDlgItemText(1183, CString("mine"));
  doc->SetCurrentObject(0, FALSE, FALSE);  // the work area
  host.ClearNotified();
  EXPECT_EQ(page->RefreshPage(), 0);
  EXPECT_EQ(host.GetDlgItemText(1183), "mine");
  EXPECT_TRUE(host.m_vNotified.empty());
  EXPECT_EQ(page->m_bUpdating, 0);
}

TEST_F(PageHelperTest, CharacterListSkipsLineBreaksButRecordsCountThem) {
  Add({TYPE_TEXT1});
  static_cast<CText1Object*>(doc->m_pCurrentObject)->SetText(CString("A\r\nB"));
  CFakeControlHost chars(TextCharPageTemplate());
  CTestPage p(&TextCharPageTemplate(), TYPE_TEXT1, 1, {}, nullptr);
  p.AttachHost(&chars);
  p.m_pControls = &chars;
  p.FillCharList(1500, CString("A\r\nB"));
  ASSERT_EQ(chars.GetCount(1500), 2);
  EXPECT_EQ(chars.GetText(1500, 1), "B");
  EXPECT_EQ(chars.GetCurSel(1500), 0);
  EXPECT_EQ(p.CharRowToRecordIndex(0), 0);
  EXPECT_EQ(p.CharRowToRecordIndex(1), 3);
  EXPECT_EQ(p.CharRowToRecordIndex(2), -1);
  const CString kanji = CString::FromUtf8("漢字");
  p.FillCharList(1500, kanji);
  EXPECT_EQ(chars.GetCount(1500), 2);
  EXPECT_EQ(chars.GetText(1500, 0), CString::FromUtf8("漢"));
}

TEST_F(PageHelperTest, PageMemoryKeepsOnlyTheTextAndDrawingKinds) {
  page->SetTypePage(TYPE_LINE, 3);
  page->SetTypePage(TYPE_TEXT1, 1);
  page->SetTypePage(TYPE_DRAWING, 2);
  EXPECT_EQ(page->GetTypePage(TYPE_LINE), 0);
  EXPECT_EQ(page->GetTypePage(TYPE_TEXT1), 1);
  EXPECT_EQ(page->GetTypePage(TYPE_TEXT2), 0);
  EXPECT_EQ(page->GetTypePage(TYPE_DRAWING), 2);
  // Activating a page records itself for its kind.
  CTestPage second(&TextCharPageTemplate(), TYPE_TEXT2, 1, {}, nullptr);
  CFakeControlHost h(TextCharPageTemplate());
  second.AttachHost(&h);
  second.Activate();
  EXPECT_EQ(view->GetRememberedPage(TYPE_TEXT2), 1);
}

TEST(UpDownTest, EveryClickNotifiesAlsoAtTheEndsOfTheRange) {
  CUpDownState s;
  std::vector<std::pair<int, int>> got;
  s.SetNotify([&](NMUPDOWN& nm) {
    got.emplace_back(nm.iPos, nm.iDelta);
    return FALSE;
  });
  s.SetRange32(0, 2);
  s.SetPos32(2);
  s.Press(+1);
  s.Release();
  s.SetPos32(0);
  s.Press(-1);
  s.Release();
  s.Press(+1);
  s.Release();
  EXPECT_EQ(got, (std::vector<std::pair<int, int>>{{2, 1}, {0, -1}, {0, 1}}));
  EXPECT_EQ(s.GetPos32(), 1);
  // A refused step leaves the position.
  s.SetNotify([](NMUPDOWN&) { return TRUE; });
  s.Press(+1);
  EXPECT_EQ(s.GetPos32(), 1);
}

TEST(UpDownTest, HoldingAcceleratesByTheLastEntryReached) {
  CUpDownState s;
  long long now = 0;
  s.SetClock([&] { return now; });
  s.SetRange32(-100000, 100000);
  s.SetAccel({{3, 1}, {5, 20}, {8, 200}});
  std::vector<int> deltas;
  s.SetNotify([&](NMUPDOWN& nm) {
    deltas.push_back(nm.iDelta);
    return FALSE;
  });
  s.Press(-1);
  for (long long t : {1000, 4999, 5000, 7999, 8000}) {
    now = t;
    s.Repeat();
  }
  s.Release();
  now = 9000;
  s.Repeat();  // released: nothing
  EXPECT_EQ(deltas, (std::vector<int>{-1, -1, -1, -20, -20, -200}));
  // The default table.
  CUpDownState d;
  EXPECT_EQ(d.IncrementAfter(1999), 1);
  EXPECT_EQ(d.IncrementAfter(2000), 5);
  EXPECT_EQ(d.IncrementAfter(5000), 20);
}

}  // namespace
