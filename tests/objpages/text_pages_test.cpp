// The straight-text and arc-text pages and their character pages.
#include "pages_fixture.h"
#include "res/dialog_139.h"
#include "res/dialog_140.h"
#include "res/dialog_141.h"
#include "res/dialog_142.h"

namespace {

class TextPages : public PagesTest {
 protected:
  CText1Object* Text1(int index, const char* text) {
    auto* t = At<CText1Object>(index);
    t->SetText(CString(text));
    t->m_nWriteDirection = 0;
    t->m_bCountUp = 0;
    return t;
  }
};

TEST_F(TextPages, HeightAcrossThreeLinesGivesTheCharacterHeight) {
  using namespace dlg139;
  const int i = Add(TYPE_TEXT1);
  Text1(i, "A\r\nB\r\nC")->m_dLineGap = 1.0;
  Driven<CPageText1String> d;
  Show(d.page, d.host);
  EXPECT_EQ(d.page.m_nLineCount, 3);
  const std::string width = Text(d.host, IDC_WIDTH), sizeX = Text(d.host, IDC_SIZE_X);
  d.host.Paste(IDC_HEIGHT, "11");
  EXPECT_EQ(Text(d.host, IDC_SIZE_Y), " 3.000");
  EXPECT_DOUBLE_EQ(At<CText1Object>(i)->m_dCharHeight, 3.0);
  EXPECT_DOUBLE_EQ(At<CText1Object>(i)->m_dHeight, 11.0);
  // Horizontal writing: the width and size X couple nothing.
  d.host.Paste(IDC_SIZE_X, "2");
  d.host.Paste(IDC_WIDTH, "30");
  EXPECT_EQ(Text(d.host, IDC_HEIGHT), "11");
  EXPECT_EQ(Text(d.host, IDC_SIZE_X), "2");
  // The spacing keeps the block and resizes the characters.
  d.host.Paste(IDC_LINE_GAP, "2");
  EXPECT_EQ(Text(d.host, IDC_SIZE_Y), " 2.333");
  (void)width, (void)sizeX;
}

TEST_F(TextPages, SwitchingToVerticalSwapsTheBlockAndRecomputesSizeX) {
  using namespace dlg139;
  const int i = Add(TYPE_TEXT1);
  auto* t = Text1(i, "AB");
  t->m_dWidth = 20;
  t->m_dHeight = 5;
  t->m_dLineGap = 1;
  Driven<CPageText1String> d;
  Show(d.page, d.host);
  d.host.Click(IDC_VERTICAL);
  EXPECT_EQ(Text(d.host, IDC_WIDTH), " 5.000");
  EXPECT_EQ(Text(d.host, IDC_HEIGHT), " 20.000");
  EXPECT_EQ(Text(d.host, IDC_SIZE_X), " 5.000");
  EXPECT_EQ(At<CText1Object>(i)->m_nWriteDirection, 1);
  EXPECT_DOUBLE_EQ(At<CText1Object>(i)->m_dWidth, 5.0);
  EXPECT_DOUBLE_EQ(At<CText1Object>(i)->m_dHeight, 20.0);
  EXPECT_DOUBLE_EQ(At<CText1Object>(i)->m_dCharWidth, 5.0);
  // The radio already checked changes nothing more.
  d.host.Click(IDC_VERTICAL);
  EXPECT_EQ(Text(d.host, IDC_WIDTH), " 5.000");
}

TEST_F(TextPages, ConfirmingASecondLineGrowsTheBlock) {
  using namespace dlg139;
  const int i = Add(TYPE_TEXT1);
  auto* t = Text1(i, "A");
  t->m_dCharHeight = 3;
  t->m_dLineGap = 1;
  t->m_dHeight = 3;
  Driven<CPageText1String> d;
  Show(d.page, d.host);
  d.host.Click(IDC_CONFIRM);
  EXPECT_EQ(Text(d.host, IDC_HEIGHT), " 3.000");
  d.host.Paste(IDC_TEXT, "A\r\nB");
  EXPECT_EQ(At<CText1Object>(i)->m_strText.str(), "A");  // typing sends nothing
  d.host.Click(IDC_CONFIRM);
  EXPECT_EQ(At<CText1Object>(i)->m_strText.str(), "A\r\nB");
  EXPECT_EQ(Text(d.host, IDC_HEIGHT), " 7.000");
  EXPECT_DOUBLE_EQ(At<CText1Object>(i)->m_dHeight, 7.0);
  EXPECT_EQ(d.page.m_nLineCount, 2);
}

TEST_F(TextPages, CountUpShowsThePaddedCountReadOnly) {
  using namespace dlg139;
  const int i = Add(TYPE_TEXT1);
  Text1(i, "X");
  Driven<CPageText1String> d;
  Show(d.page, d.host);
  EXPECT_FALSE(d.host.IsWindowEnabled(IDC_RESET_COUNTER));
  EXPECT_FALSE(d.host.IsWindowEnabled(IDC_COUNT_START));
  d.host.Click(IDC_COUNT_UP);
  EXPECT_EQ(At<CText1Object>(i)->m_bCountUp, 1);
  d.host.Paste(IDC_COUNT_START, "7");
  d.host.Paste(IDC_COUNT_DIGITS, "3");
  // Typed only: nothing reaches the object before a reset.
  EXPECT_NE(At<CText1Object>(i)->m_nCountStart, 7);
  d.host.SpinClick(IDC_SPIN_COUNT_START, 1);
  EXPECT_EQ(Text(d.host, IDC_COUNT_START), " 8");
  EXPECT_NE(At<CText1Object>(i)->m_nCountStart, 8);
  d.host.Paste(IDC_COUNT_START, "7");
  d.host.Click(IDC_RESET_COUNTER);
  EXPECT_EQ(Text(d.host, IDC_TEXT), "007");
  EXPECT_EQ(At<CText1Object>(i)->m_strText.str(), "007");
  EXPECT_EQ(At<CText1Object>(i)->m_nCount, 7);
  EXPECT_TRUE(d.host.IsReadOnly(IDC_TEXT));
  EXPECT_FALSE(d.host.IsWindowEnabled(IDC_CONFIRM));
  EXPECT_TRUE(d.host.IsWindowEnabled(IDC_RESET_COUNTER));

  d.host.Paste(IDC_COUNT_START, "12345");
  d.host.Paste(IDC_COUNT_DIGITS, "4");
  d.host.Click(IDC_RESET_COUNTER);
  EXPECT_EQ(Text(d.host, IDC_TEXT), "12345");

  // A digit count the document refuses pads with the count it kept.
  d.host.Paste(IDC_COUNT_START, "5");
  d.host.Paste(IDC_COUNT_DIGITS, "100");
  d.host.Click(IDC_RESET_COUNTER);
  EXPECT_EQ(Text(d.host, IDC_COUNT_DIGITS), " 4");
  EXPECT_EQ(Text(d.host, IDC_TEXT), "0005");

  // The next activation shows the count-up state from the object.
  At<CText1Object>(i)->m_nCount = 9;
  d.page.OnSetActive();
  EXPECT_EQ(Text(d.host, IDC_TEXT), "0009");
  EXPECT_EQ(d.host.GetCheck(IDC_COUNT_UP), 1);

  d.host.Click(IDC_COUNT_UP);
  EXPECT_FALSE(d.host.IsReadOnly(IDC_TEXT));
  EXPECT_TRUE(d.host.IsWindowEnabled(IDC_CONFIRM));
  // Counting stopped: the edit shows the string that is marked, not the count it held.
  EXPECT_EQ(Text(d.host, IDC_TEXT), "0005");
  EXPECT_EQ(At<CText1Object>(i)->m_strText.str(), "0005");
}

TEST_F(TextPages, PositionSpacingAndRowsKeepTheirRanges) {
  using namespace dlg139;
  const int i = Add(TYPE_TEXT1);
  Text1(i, "A")->m_dPosX = 2;
  Driven<CPageText1String> d;
  Show(d.page, d.host);
  d.host.Paste(IDC_OFFSET_X, "1000.5");
  EXPECT_EQ(Text(d.host, IDC_OFFSET_X), " 2.000");
  d.host.Paste(IDC_WIDTH, "-1");
  EXPECT_EQ(Text(d.host, IDC_WIDTH).substr(0, 1), " ");
  EXPECT_GE(At<CText1Object>(i)->m_dWidth, 0.0);
  d.host.Paste(IDC_CHAR_GAP, "-1");
  EXPECT_EQ(Text(d.host, IDC_CHAR_GAP), "-1");
  EXPECT_DOUBLE_EQ(At<CText1Object>(i)->m_dCharGap, -1.0);
  d.host.Click(IDC_ALIGN_JUSTIFY);
  EXPECT_EQ(At<CText1Object>(i)->m_nAlign, 3);
}

TEST_F(TextPages, TheArcPageShowsItsObjectAndConfirmsOnlyOnTheButton) {
  using namespace dlg141;
  const int i = Add(TYPE_TEXT2);
  auto* t = At<CText2Object>(i);
  t->SetText(CString("AB"));
  t->m_nDirection = 1;
  t->m_bKeepAspect = 1;
  t->m_dRadiusX = 15;
  Driven<CPageText2String> d;
  Show(d.page, d.host);
  EXPECT_EQ(Text(d.host, IDC_RADIUS_X), " 15.000");
  EXPECT_EQ(d.host.GetCheck(IDC_LOWER), 1);
  EXPECT_EQ(d.host.GetCheck(IDC_KEEP_ASPECT), 1);
  d.host.Paste(IDC_RADIUS_X, "-0.001");
  EXPECT_EQ(Text(d.host, IDC_RADIUS_X), " 15.000");
  d.host.Paste(IDC_ANGLE, "-360");
  EXPECT_DOUBLE_EQ(At<CText2Object>(i)->m_dAngle, -360.0);
  d.host.Paste(IDC_ROWS, "1000");
  EXPECT_EQ(Text(d.host, IDC_ROWS), " " + std::to_string(At<CText2Object>(i)->m_nRows));
  d.host.Paste(IDC_TEXT, "XYZ");
  EXPECT_EQ(At<CText2Object>(i)->m_strText.str(), "AB");
  d.host.Click(IDC_CONFIRM);
  EXPECT_EQ(At<CText2Object>(i)->m_strText.str(), "XYZ");
  d.host.Click(IDC_UPPER);
  EXPECT_EQ(At<CText2Object>(i)->m_nDirection, 0);
  // Another kind current: the page keeps what it shows.
  Add(TYPE_LINE);
  d.page.OnSetActive();
  EXPECT_EQ(Text(d.host, IDC_RADIUS_X), " 15.000");
}

// ---- character pages

TEST_F(TextPages, StraightTextRowsMapPastLineBreaks) {
  using namespace dlg140;
  const int i = Add(TYPE_TEXT1);
  auto* t = Text1(i, "AB\r\nC");
  ASSERT_EQ(t->m_vCharRecords.size(), 5u);
  t->m_vCharRecords[4].dSizeX = 2.5;
  t->m_vCharRecords[0].dSizeX = 0.5;
  Driven<CPageText1Char> d;
  Show(d.page, d.host);
  ASSERT_EQ(d.host.GetCount(IDC_CHAR_LIST), 3);
  EXPECT_EQ(d.host.GetText(IDC_CHAR_LIST, 2).str(), "C");
  EXPECT_EQ(Text(d.host, IDC_SIZE_X), " 0.500");
  d.host.ChooseRow(IDC_CHAR_LIST, 2);
  EXPECT_EQ(Text(d.host, IDC_SIZE_X), " 2.500");
  d.host.Paste(IDC_OFFSET_Y, "1.25");
  EXPECT_DOUBLE_EQ(At<CText1Object>(i)->m_vCharRecords[4].dOffsetY, 1.25);
  EXPECT_DOUBLE_EQ(At<CText1Object>(i)->m_vCharRecords[2].dOffsetY, 0.0);
  // The line width belongs to the whole string: every row shows it.
  d.host.Paste(IDC_LINE_WIDTH_X, "0.3");
  EXPECT_DOUBLE_EQ(At<CText1Object>(i)->m_dLineWidthX, 0.3);
  d.host.ChooseRow(IDC_CHAR_LIST, 0);
  EXPECT_EQ(Text(d.host, IDC_LINE_WIDTH_X), " 0.300");
  EXPECT_EQ(Text(d.host, IDC_OFFSET_Y), " 0.000");
  EXPECT_EQ(formHost.remembered[TYPE_TEXT1], 1);
}

TEST_F(TextPages, AFillStartsAtTheFirstCharacterEvenAfterALeadingLineBreak) {
  using namespace dlg140;
  const int i = Add(TYPE_TEXT1);
  auto* t = Text1(i, "\r\nAB");
  t->m_vCharRecords[2].dAngle = 30;
  Driven<CPageText1Char> d;
  Show(d.page, d.host);
  EXPECT_EQ(Text(d.host, IDC_ANGLE), " 30.000");
  d.host.Paste(IDC_ANGLE, "45");
  EXPECT_DOUBLE_EQ(At<CText1Object>(i)->m_vCharRecords[2].dAngle, 45.0);
  EXPECT_DOUBLE_EQ(At<CText1Object>(i)->m_vCharRecords[0].dAngle, 0.0);
}

TEST_F(TextPages, ATextWithoutCharactersOffersNothingToEdit) {
  using namespace dlg140;
  const int i = Add(TYPE_TEXT1);
  Text1(i, "\r\n");
  Driven<CPageText1Char> d;
  Show(d.page, d.host);
  EXPECT_EQ(d.host.GetCount(IDC_CHAR_LIST), 0);
  EXPECT_FALSE(d.host.IsWindowEnabled(IDC_SIZE_X));
  EXPECT_FALSE(d.host.IsWindowEnabled(IDC_LINE_WIDTH_Y));
  // A new text on the string page brings rows back at the next activation.
  doc->SetObjectText(1326, CString("AB"));
  d.page.OnSetActive();
  EXPECT_EQ(d.host.GetCount(IDC_CHAR_LIST), 2);
  EXPECT_TRUE(d.host.IsWindowEnabled(IDC_SIZE_X));
}

TEST_F(TextPages, ArcTextRowsAreRecordsAndTheDirectionBoxIsShared) {
  using namespace dlg142;
  const int i = Add(TYPE_TEXT2);
  auto* t = At<CText2Object>(i);
  t->SetText(CString("AB\r\nC"));
  Driven<CPageText2Char> d;
  Show(d.page, d.host);
  ASSERT_EQ(d.host.GetCount(IDC_CHAR_LIST), 3);
  d.host.ChooseRow(IDC_CHAR_LIST, 2);
  d.host.Paste(IDC_OFFSET_X, "2");
  EXPECT_DOUBLE_EQ(At<CText2Object>(i)->m_vCharRecords[2].dOffsetX, 2.0);
  d.host.Click(IDC_SWAP_DIRECTION);
  EXPECT_EQ(At<CText2Object>(i)->m_bWidthDirection, 1);
  d.page.RefreshPage();
  EXPECT_EQ(d.host.GetCheck(IDC_SWAP_DIRECTION), 1);
  EXPECT_EQ(d.host.GetCurSel(IDC_CHAR_LIST), 0);
}

}  // namespace
