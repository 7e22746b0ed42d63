// The grid of copies: where copies stand, the bounds in millimetres, and the screen bounds that
// drawing stores in the object.
#include "canvas_fixture.h"

namespace {

using GridOfCopies = CanvasTest;

void ExpectRect(const CDoubleRect& r, double l, double t, double rt, double b) {
  EXPECT_NEAR(r.left, l, 1e-9);
  EXPECT_NEAR(r.top, t, 1e-9);
  EXPECT_NEAR(r.right, rt, 1e-9);
  EXPECT_NEAR(r.bottom, b, 1e-9);
}

TEST_F(GridOfCopies, OneCopyIsCentredOnThePositionForEveryKind) {
  for (int kind : {TYPE_LINE, TYPE_RECTANGLE, TYPE_CIRCLE, TYPE_TRIANGLE, TYPE_RHOMBIC, TYPE_TEXT1}) {
    const int i = AddShape(kind, 10, 4, 3, -2);
    CDoubleRect r;
    ASSERT_TRUE(view->CalcObject(List().GetObject(i), r)) << kind;
    ExpectRect(r, -2, 0, 8, -4);
  }
  // The polygon's one size stands for both, the arc text's radii for half the copy.
  CDoubleRect r;
  ASSERT_TRUE(view->CalcObject(List().GetObject(AddShape(TYPE_POLYGON, 20, 0)), r));
  ExpectRect(r, -10, 10, 10, -10);
  ASSERT_TRUE(view->CalcObject(List().GetObject(AddShape(TYPE_TEXT2, 30, 20, 1, 1)), r));
  ExpectRect(r, -14, 11, 16, -9);
}

TEST_F(GridOfCopies, EvenCountsStraddleThePositionAndOddCountsCentreOnIt) {
  const int i = AddShape(TYPE_RECTANGLE, 10, 4, 100, 50);
  SetGrid(i, 1, 2, 1.0, 1.0);
  CopyGrid g = CLeftView::GetCopyGrid(List().GetObject(i));
  EXPECT_DOUBLE_EQ(g.CentreX(0), 94.5);
  EXPECT_DOUBLE_EQ(g.CentreX(1), 105.5);
  CDoubleRect r;
  view->CalcObject(List().GetObject(i), r);
  ExpectRect(r, 89.5, 52, 110.5, 48);

  SetGrid(i, 3, 3, 2.0, 1.0);
  g = CLeftView::GetCopyGrid(List().GetObject(i));
  EXPECT_DOUBLE_EQ(g.CentreY(0), 44);
  EXPECT_DOUBLE_EQ(g.CentreY(1), 50);
  EXPECT_DOUBLE_EQ(g.CentreY(2), 56);
  EXPECT_DOUBLE_EQ(g.CentreX(0), 89);
  view->CalcObject(List().GetObject(i), r);
  ExpectRect(r, 84, 58, 116, 42);
}

TEST_F(GridOfCopies, NoRowsOrNoColumnsGiveTheEmptyRectangleAndBarcodesAreMeasuredByTheirGrid) {
  const int i = AddShape(TYPE_CIRCLE, 10, 10, 5, 5);
  SetGrid(i, 0, 3, 1.0, 1.0);
  CDoubleRect r(1, 2, 3, 4);
  EXPECT_TRUE(view->CalcObject(List().GetObject(i), r));
  ExpectRect(r, 0, 0, 0, 0);

  const int b = AddShape(TYPE_BARCODE, 10, 10, 5, 5);
  r = CDoubleRect(1, 2, 3, 4);
  EXPECT_TRUE(view->CalcObject(List().GetObject(b), r));
  ExpectRect(r, 0, 10, 10, 0);
}

TEST_F(GridOfCopies, DrawingStoresTheTopLeftOfTheFirstColumnAndTheBottomRightOfTheLast) {
  const int i = AddShape(TYPE_RECTANGLE, 10, 4, 0, 0);
  SetGrid(i, 2, 3, 1.0, 1.0);
  CRectangleObject* o = At<CRectangleObject>(i);
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  CBitmap bm;
  bm.CreateBitmap(64, 64, 1, 1, nullptr);
  dc.SelectObject(&bm);
  view->SetRenderMode(RENDER_SCREEN);
  view->DrawRectangle(&dc, o, FALSE);

  CObjectRenderer* r = view->GetRenderer();
  CDoubleRect topLeftCopy, bottomRightCopy;
  const CopyGrid g = CLeftView::GetCopyGrid(o);
  r->MmRectToLogical(10, 4, g.CentreX(0), g.CentreY(1), &topLeftCopy);
  r->MmRectToLogical(10, 4, g.CentreX(2), g.CentreY(0), &bottomRightCopy);
  EXPECT_DOUBLE_EQ(o->m_rcBounds.left, topLeftCopy.left);
  EXPECT_DOUBLE_EQ(o->m_rcBounds.top, topLeftCopy.top);
  EXPECT_DOUBLE_EQ(o->m_rcBounds.right, bottomRightCopy.right);
  EXPECT_DOUBLE_EQ(o->m_rcBounds.bottom, bottomRightCopy.bottom);
  EXPECT_EQ(o->m_nCapturedCount, 6);

  // Without copies nothing is drawn and the stored bounds stay.
  SetGrid(i, 0, 3, 1.0, 1.0);
  const CDoubleRect before = o->m_rcBounds;
  view->DrawRectangle(&dc, o, FALSE);
  EXPECT_EQ(o->m_rcBounds, before);
  EXPECT_EQ(o->m_nCapturedCount, 0);
}

TEST_F(GridOfCopies, RectangleCornerStylesFollowTheEdgeAgainstTheRadius) {
  const int i = AddShape(TYPE_RECTANGLE, 20, 10);
  CRectangleObject* o = At<CRectangleObject>(i);
  o->m_nEdgeStyle = 1;
  o->m_dEdgeRadius = 2;
  o->m_dEdgeSize = 2;
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  CDoubleRect bounds;
  view->EngraveRectangle(&dc, o, &bounds);
  EXPECT_EQ(o->m_nOuterCornerStyle, 1);
  EXPECT_EQ(o->m_nInnerCornerStyle, 0);
  o->m_dEdgeSize = 1;
  o->m_nEdgeStyle = 2;
  view->GetRectanglePoints(&dc, o);
  EXPECT_EQ(o->m_nOuterCornerStyle, 2);
  EXPECT_EQ(o->m_nInnerCornerStyle, 2);
  view->ReleaseOutlinePoints();
}

TEST_F(GridOfCopies, ALineIsDrawnWithoutTouchingItsCapturedPoints) {
  const int i = AddShape(TYPE_LINE, 20, 1);
  CLineObject* o = At<CLineObject>(i);
  o->m_vOuterPoints.assign(3, CDoublePoint(1, 2));
  o->m_nCapturedCount = 7;
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  view->DrawLine(&dc, o);
  CDoubleRect bounds;
  view->EngraveLine(&dc, o, &bounds);
  EXPECT_EQ(o->m_vOuterPoints.size(), 3u);
  EXPECT_EQ(o->m_nCapturedCount, 7);
}

}  // namespace
