// The shape pages and the multiple-selection page over a real document.
#include "imaging/monobmp.h"
#include "pages_fixture.h"
#include "res/dialog_134.h"
#include "res/dialog_135.h"
#include "res/dialog_148.h"

namespace {

class ShapePages : public PagesTest {
 protected:
  CRectangleObject* Rect(int index, double w, double h) {
    auto* r = At<CRectangleObject>(index);
    r->m_dWidth = w;
    r->m_dHeight = h;
    r->m_dPosX = r->m_dPosY = 0.0;
    return r;
  }
};

using namespace dlg135;

TEST_F(ShapePages, RefusedValuesComeBackAsTheDocumentKeptThem) {
  const int i = Add(TYPE_RECTANGLE);
  Rect(i, 20, 10);
  Driven<CPageRectangle> d;
  Show(d.page, d.host);
  EXPECT_EQ(Text(d.host, IDC_OFFSET_X), " 0.000");
  d.host.Paste(IDC_OFFSET_X, "1000.5");
  EXPECT_EQ(Text(d.host, IDC_OFFSET_X), " 0.000");
  EXPECT_EQ(At<CRectangleObject>(i)->m_dPosX, 0.0);
  d.host.Paste(IDC_SIZE_X, "-1");
  EXPECT_EQ(Text(d.host, IDC_SIZE_X), " 20.000");
  At<CRectangleObject>(i)->m_nRows = 4;
  d.host.Paste(IDC_ROWS, "1000");
  EXPECT_EQ(Text(d.host, IDC_ROWS), " 4");
  // A spin click on a count steps by 1 without decimals, on a length by the move step.
  d.host.SpinClick(IDC_SPIN_ROWS, 1);
  EXPECT_EQ(Text(d.host, IDC_ROWS), " 5");
  EXPECT_EQ(At<CRectangleObject>(i)->m_nRows, 5);
  const double gap = At<CRectangleObject>(i)->m_dRowGap;
  d.host.SpinClick(IDC_SPIN_ROW_GAP, 1);
  d.host.SpinClick(IDC_SPIN_ROW_GAP, 1);
  EXPECT_NEAR(At<CRectangleObject>(i)->m_dRowGap, gap + 2 * doc->GetMoveStep(), 1e-9);
  EXPECT_EQ(d.host.GetPos32(IDC_SPIN_ROW_GAP), 0);
}

TEST_F(ShapePages, KeepAspectCouplesTheSizePairOnceAndOnlyWhenOn) {
  const int i = Add(TYPE_RECTANGLE);
  Rect(i, 20, 10)->m_bKeepAspect = 1;
  Driven<CPageRectangle> d;
  Show(d.page, d.host);
  EXPECT_EQ(d.host.GetCheck(IDC_KEEP_ASPECT), 1);
  d.host.Paste(IDC_SIZE_X, "40");
  EXPECT_EQ(Text(d.host, IDC_SIZE_Y), " 20.000");
  EXPECT_DOUBLE_EQ(At<CRectangleObject>(i)->m_dWidth, 40.0);
  EXPECT_DOUBLE_EQ(At<CRectangleObject>(i)->m_dHeight, 20.0);
  d.host.Paste(IDC_SIZE_Y, "10");
  EXPECT_EQ(Text(d.host, IDC_SIZE_X), " 20.000");
  EXPECT_DOUBLE_EQ(At<CRectangleObject>(i)->m_dWidth, 20.0);

  d.host.Click(IDC_KEEP_ASPECT);
  EXPECT_EQ(At<CRectangleObject>(i)->m_bKeepAspect, 0);
  d.host.Paste(IDC_SIZE_X, "30");
  EXPECT_EQ(Text(d.host, IDC_SIZE_Y), "10");
  EXPECT_DOUBLE_EQ(At<CRectangleObject>(i)->m_dHeight, 10.0);
}

TEST_F(ShapePages, ARefillDoesNotCoupleALineOfHeightZero) {
  const int i = Add(TYPE_LINE);
  auto* line = At<CLineObject>(i);
  line->m_dWidth = 30;
  line->m_dHeight = 0;
  line->m_bKeepAspect = 1;
  Driven<CPageLine> d;
  Show(d.page, d.host);
  EXPECT_EQ(Text(d.host, dlg134::IDC_SIZE_X), " 30.000");
  // A second activation refills with the keep-aspect state already on.
  d.page.OnSetActive();
  EXPECT_EQ(Text(d.host, dlg134::IDC_SIZE_X), " 30.000");
  EXPECT_EQ(Text(d.host, dlg134::IDC_SIZE_Y), " 0.000");
  EXPECT_DOUBLE_EQ(At<CLineObject>(i)->m_dWidth, 30.0);
}

TEST_F(ShapePages, CornerRadiosShowNoneForAStyleOutsideTheGroupAndSendTheirCode) {
  const int i = Add(TYPE_RECTANGLE);
  At<CRectangleObject>(i)->m_nEdgeStyle = 3;
  Driven<CPageRectangle> d;
  Show(d.page, d.host);
  for (int id : {IDC_CORNER_SQUARE, IDC_CORNER_ROUND, IDC_CORNER_BEVEL}) EXPECT_EQ(d.host.GetCheck(id), 0) << id;
  d.host.Click(IDC_CORNER_ROUND);
  EXPECT_EQ(At<CRectangleObject>(i)->m_nEdgeStyle, 1);
  EXPECT_EQ(static_cast<CRectangleObject*>(List().GetPrototype(TYPE_RECTANGLE))->m_nEdgeStyle, 1);
  d.page.RefreshPage();
  EXPECT_EQ(d.host.GetCheck(IDC_CORNER_ROUND), 1);
  EXPECT_EQ(d.host.GetCheck(IDC_CORNER_SQUARE), 0);
}

TEST_F(ShapePages, ASecondObjectOfTheKindRefillsEveryField) {
  const int a = Add(TYPE_RECTANGLE);
  const int b = Add(TYPE_RECTANGLE);
  Rect(b, 7, 8)->m_dPosX = 3;
  At<CRectangleObject>(b)->m_nColumns = 6;
  At<CRectangleObject>(b)->m_nEdgeStyle = 2;
  At<CRectangleObject>(b)->m_dEdgeRadius = 1.5;
  At<CRectangleObject>(b)->m_bKeepAspect = 1;
  Rect(a, 1, 2);
  Select(a);
  Driven<CPageRectangle> d;
  Show(d.page, d.host);
  Select(b);
  d.page.OnSetActive();
  EXPECT_EQ(Text(d.host, IDC_OFFSET_X), " 3.000");
  EXPECT_EQ(Text(d.host, IDC_SIZE_X), " 7.000");
  EXPECT_EQ(Text(d.host, IDC_SIZE_Y), " 8.000");
  EXPECT_EQ(Text(d.host, IDC_EDGE_RADIUS), " 1.500");
  EXPECT_EQ(Text(d.host, IDC_COLUMNS), " 6");
  EXPECT_EQ(d.host.GetCheck(IDC_CORNER_BEVEL), 1);
  EXPECT_EQ(d.host.GetCheck(IDC_KEEP_ASPECT), 1);
  EXPECT_EQ(d.page.m_nKeepAspect, 1);
  EXPECT_EQ(formHost.remembered[TYPE_RECTANGLE], 0);
  // A page of another kind leaves its controls alone.
  const int line = Add(TYPE_LINE);
  (void)line;
  EXPECT_EQ(d.page.RefreshPage(), 0);
  EXPECT_EQ(Text(d.host, IDC_SIZE_X), " 7.000");
}

TEST_F(ShapePages, NoPageSendsAnythingWhileItFillsItself) {
  std::vector<std::unique_ptr<CObjectPage>> pages;
  pages.push_back(std::make_unique<CPageLine>());
  pages.push_back(std::make_unique<CPageRectangle>());
  pages.push_back(std::make_unique<CPageCircle>());
  pages.push_back(std::make_unique<CPageTriangle>());
  pages.push_back(std::make_unique<CPageRhombic>());
  pages.push_back(std::make_unique<CPagePolygon>());
  pages.push_back(std::make_unique<CPageText1String>());
  pages.push_back(std::make_unique<CPageText2String>());
  pages.push_back(std::make_unique<CPageBMP>());
  pages.push_back(std::make_unique<CPageQR>());
  pages.push_back(std::make_unique<CPageText1Char>());
  pages.push_back(std::make_unique<CPageText2Char>());
  for (auto& page : pages) {
    const int kind = page->GetPageKind();
    int i = 0;
    if (kind == TYPE_BMP) {
      ASSERT_NE(List().AddBmpFromImage(MonoBmpFile::Create(16, 8)), nullptr);
      i = List().GetCount() - 1;
      Select(i);
    } else {
      i = Add(kind);
    }
    // Keep-aspect on and a size of 0 is the case where a coupling could slip through.
    if (kind <= TYPE_RHOMBIC) doc->SetCheckProperty(kind == 0 ? 1174 : kind == 1 ? 1205 : kind == 2 ? 1237 : kind == 3 ? 1268 : 1296, 1);
    (void)i;
    CPageTestHost host(*page->GetTemplate());
    const int before = SetterCalls();
    Show(*page, host);
    page->OnSetActive();
    page->RefreshPage();
    EXPECT_EQ(SetterCalls(), before) << "kind " << kind;
    page->AttachHost(nullptr);
  }
}

TEST_F(ShapePages, TheSelectionPageScalesOnceAndShowsThePartnerScaled) {
  const int a = Add(TYPE_RECTANGLE);
  const int b = Add(TYPE_RECTANGLE);
  Rect(a, 4, 2)->m_dPosX = -3;
  Rect(b, 4, 2)->m_dPosX = 3;
  std::vector<int> flags(List().GetCount() - 1, 0);
  flags[a - 1] = flags[b - 1] = 1;
  doc->SetMultiSelection(flags.data(), static_cast<int>(flags.size()));
  ASSERT_EQ(doc->m_nCurrentKind, TYPE_MULTI);
  auto* multi = List().GetMultiObject();
  multi->m_dSizeX = 10;
  multi->m_dSizeY = 2;
  multi->m_dPosX = multi->m_dPosY = 0;
  Driven<CPageObjects> d;
  Show(d.page, d.host);
  EXPECT_EQ(multi->m_bValid, 0);
  d.host.Paste(dlg148::IDC_SIZE_X, "20");
  EXPECT_EQ(Text(d.host, dlg148::IDC_SIZE_Y), " 4.000");
  // Scaled by 2 once about the selection's position.
  EXPECT_NEAR(At<CRectangleObject>(a)->m_dWidth, 8.0, 1e-9);
  EXPECT_NEAR(At<CRectangleObject>(a)->m_dHeight, 4.0, 1e-9);
  EXPECT_NEAR(At<CRectangleObject>(b)->m_dPosX, 6.0, 1e-9);
  EXPECT_NEAR(multi->m_dSizeX, 20.0, 1e-9);
  EXPECT_NEAR(multi->m_dSizeY, 4.0, 1e-9);
  // The position edits also write the bounds.
  d.host.Paste(dlg148::IDC_OFFSET_X, "1");
  EXPECT_NEAR(multi->m_dPosX, 1.0, 1e-9);
}

}  // namespace
