// The bound on one object's work: a grid whose outline capture or raster would run past the point
// bound is refused from its first copy with one message naming it, the rest of the design is
// captured or drawn as before, and a normal grid captures exactly what its copies give one by one.
#include <cstdio>
#include <string>
#include <vector>

#include "canvas_fixture.h"
#include "imaging/monoimagetool.h"

namespace {

using CaptureBound = CanvasTest;

// The refusal's words, in the strings' own encoding.
const CString& TooLarge() {
  static const CString text = CString::FromUtf8("オブジェクトが大きすぎるため処理できません");
  return text;
}

struct Captured {
  std::vector<POINT> points;
  std::vector<BYTE> types;
};

Captured Take(CLeftView& view, int index) {
  Captured c;
  const int n = view.SetOutlineData(index);
  if (n > 0) {
    c.points.assign(view.m_pOutlinePoints.begin(), view.m_pOutlinePoints.begin() + n);
    c.types.assign(view.m_pOutlineTypes.begin(), view.m_pOutlineTypes.begin() + n);
  }
  view.ReleaseOutlinePoints();
  return c;
}

bool SamePoints(const Captured& a, const Captured& b) {
  if (a.points.size() != b.points.size() || a.types != b.types) return false;
  for (size_t k = 0; k < a.points.size(); ++k)
    if (a.points[k].x != b.points[k].x || a.points[k].y != b.points[k].y) return false;
  return true;
}

TEST_F(CaptureBound, AGridCapturesExactlyWhatItsCopiesGiveOneByOne) {
  for (int kind : {TYPE_LINE, TYPE_RECTANGLE, TYPE_TRIANGLE, TYPE_RHOMBIC, TYPE_POLYGON, TYPE_TEXT1, TYPE_TEXT2}) {
    const int i = AddShape(kind, 12, 8, 3.25, -7.5);
    SetGrid(i, 3, 2, 1.5, 2.25);
    const CopyGrid grid = CLeftView::GetCopyGrid(List().GetObject(i));
    const Captured whole = Take(*view, i);
    ASSERT_FALSE(whole.points.empty()) << kind;

    // Column by column, each column from the bottom row up: one copy at each copy's centre.
    Captured joined;
    SetGrid(i, 1, 1, 0, 0);
    for (int c = 0; c < grid.columns; ++c) {
      for (int r = 0; r < grid.rows; ++r) {
        List().GetObject(i)->m_dPosX = grid.CentreX(c);
        List().GetObject(i)->m_dPosY = grid.CentreY(r);
        const Captured one = Take(*view, i);
        joined.points.insert(joined.points.end(), one.points.begin(), one.points.end());
        joined.types.insert(joined.types.end(), one.types.begin(), one.types.end());
      }
    }
    EXPECT_TRUE(SamePoints(whole, joined)) << kind << ": " << whole.points.size() << " vs " << joined.points.size();
    List().GetObject(i)->m_bDeleted = 1;
  }
  prompter.VerifyAllUsed();
  EXPECT_TRUE(prompter.Log().empty());
}

TEST_F(CaptureBound, A999By999ArcTextIsRefusedFromItsFirstCopyWithOneMessage) {
  const int rect = AddShape(TYPE_RECTANGLE, 10, 5);
  const int text = AddShape(TYPE_TEXT2, 20, 20);
  SetGrid(text, 999, 999, 0.5, 0.5);
  const Captured before = Take(*view, rect);
  ASSERT_FALSE(before.points.empty());

  // One copy's points times the copies is far past the bound: nothing of the grid is captured.
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  view->SetRenderMode(RENDER_SCREEN);
  EXPECT_GT(view->EstimateObjectCost(&dc, List().GetObject(text)), CLeftView::kMaxObjectCost);

  const std::string name = List().GetObject(text)->GetName();
  prompter.ExpectMessage(IDOK, TooLarge().c_str());
  EXPECT_EQ(view->SetOutlineData(text), CLeftView::kObjectTooLarge);
  EXPECT_TRUE(view->m_pOutlinePoints.empty());
  EXPECT_TRUE(view->m_pOutlineTypes.empty());
  view->ReleaseOutlinePoints();
  prompter.VerifyAllUsed();
  ASSERT_EQ(prompter.Log().size(), 1u);
  EXPECT_NE(std::string(prompter.Log()[0].text.c_str()).find(name), std::string::npos);

  // The rest of the design is captured as before, and a small grid of the same text is taken.
  EXPECT_TRUE(SamePoints(Take(*view, rect), before));
  SetGrid(text, 2, 2, 0.5, 0.5);
  EXPECT_GT(view->SetOutlineData(text), 0);
  view->ReleaseOutlinePoints();
  EXPECT_EQ(prompter.Log().size(), 1u);
}

TEST_F(CaptureBound, BitmapAndBarcodeGridsPastTheBoundAreRefusedBeforeAnythingIsBuilt) {
  // A checkerboard of 4-pixel squares: many figures per copy.
  const int bmp = AddBitmap(MakeImage(64, 64, [](int x, int y) { return ((x / 4) + (y / 4)) % 2 == 0; }), 8, 8);
  const int code = AddShape(TYPE_BARCODE, 10, 10);
  SetGrid(bmp, 2, 2, 1, 1);
  SetGrid(code, 2, 2, 1, 1);
  EXPECT_GT(Take(*view, bmp).points.size(), 0u);
  EXPECT_GT(Take(*view, code).points.size(), 0u);

  SetGrid(bmp, 999, 999, 1, 1);
  SetGrid(code, 999, 999, 1, 1);
  prompter.ExpectMessage(IDOK, TooLarge().c_str());
  prompter.ExpectMessage(IDOK, TooLarge().c_str());
  EXPECT_EQ(view->SetOutlineData(bmp), CLeftView::kObjectTooLarge);
  EXPECT_TRUE(view->m_pOutlinePoints.empty());
  view->ReleaseOutlinePoints();
  EXPECT_EQ(view->SetOutlineData(code), CLeftView::kObjectTooLarge);
  EXPECT_TRUE(view->m_pOutlinePoints.empty());
  view->ReleaseOutlinePoints();
  prompter.VerifyAllUsed();
}

TEST_F(CaptureBound, TheRasterLeavesARefusedGridOutSaysSoOnceAndReportsFailure) {
  AddShape(TYPE_RECTANGLE, 10, 5);
  const int text = AddShape(TYPE_TEXT2, 20, 20);
  SetGrid(text, 999, 999, 0.5, 0.5);

  // The reference: the design without the grid.
  List().GetObject(text)->m_bDeleted = 1;
  int result = -1;
  const InkImage alone = EngraveRaster(CentreWindow(400), &result);
  EXPECT_GT(result, 0);
  ASSERT_GT(alone.Count(), 0);

  List().GetObject(text)->m_bDeleted = 0;
  prompter.ExpectMessage(IDOK, TooLarge().c_str());
  const InkImage refused = EngraveRaster(CentreWindow(400), &result);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(refused.ink, alone.ink);
  prompter.VerifyAllUsed();

  // The design image export writes nothing: the operator was told why.
  const std::string path = dir.File("design.bmp");
  prompter.ExpectMessage(IDOK, TooLarge().c_str());
  EXPECT_EQ(CMonoImageTool::SaveViewBitmap(view.get(), CString(path.c_str())), 0);
  std::FILE* f = std::fopen(path.c_str(), "rb");
  EXPECT_EQ(f, nullptr);
  if (f) std::fclose(f);
  prompter.VerifyAllUsed();
  EXPECT_EQ(prompter.Log().size(), 2u);
}

}  // namespace
