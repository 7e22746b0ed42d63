// The engraving raster and the image toolkit's renderings of the design.
#include <fstream>

#include "canvas_fixture.h"
#include "imaging/monoimagetool.h"

namespace {

using EngravingRaster = CanvasTest;
using ToolkitRendering = CanvasTest;

TEST_F(EngravingRaster, ThePageAtFortyDotsPerMillimetreAndTheBoundsOfTheObjects) {
  doc->m_Settings.System.ZoomStep = 4;
  AddShape(TYPE_RECTANGLE, 10, 5, 20, 10);
  CDC dc;
  int size[2] = {0, 0};
  CDoubleRect bounds;
  int oldZoom = -1;
  const int n = view->GetBitmapDC(&dc, size, &bounds, &oldZoom);
  EXPECT_EQ(n, 1);
  EXPECT_EQ(size[0], 16800);
  EXPECT_EQ(size[1], 9600);
  ASSERT_NE(dc.GetCurrentBitmap(), nullptr);
  EXPECT_EQ(dc.GetCurrentBitmap()->Width(), 16800);
  EXPECT_EQ(dc.GetCurrentBitmap()->Height(), 9600);
  EXPECT_DOUBLE_EQ(bounds.right - bounds.left, 400);
  EXPECT_DOUBLE_EQ(bounds.bottom - bounds.top, 200);
  EXPECT_DOUBLE_EQ(bounds.left, 8400 + 600);
  EXPECT_DOUBLE_EQ(bounds.top, 4800 - 500);
  // The view stays at zoom 1.0 in the raster mode until the job gives them back.
  EXPECT_EQ(oldZoom, 4);
  EXPECT_EQ(doc->m_Settings.System.ZoomStep, ZOOM_STEP_DEFAULT);
  EXPECT_EQ(view->GetRenderMode(), RENDER_ENGRAVE);
  CDoubleRect area;
  view->GetScanningAreaBMP(&area);
  EXPECT_DOUBLE_EQ(area.left, 8400 - 800);
  EXPECT_DOUBLE_EQ(area.top, 4800 - 800);
  // The object's frame of 1 mm lies inside its rectangle.
  const InkImage ink = InkOf(*dc.GetCurrentBitmap(), DotWindow{8990, 4290, 420, 220});
  EXPECT_NEAR(ink.Count(), 400 * 200 - 320 * 120, 1200);
  EXPECT_TRUE(ink.At(10 + 20, 10 + 20));
  EXPECT_FALSE(ink.At(10 + 200, 10 + 100));
  CLeftView::ReleaseBitmapDC(&dc);
  view->RestoreZoom(doc.get(), oldZoom);
  EXPECT_EQ(doc->m_Settings.System.ZoomStep, 4);
  EXPECT_EQ(view->SetRenderMode(RENDER_SCREEN), RENDER_ENGRAVE);
}

TEST_F(EngravingRaster, AFrameOfOneMillimetreIsABandOfFortyDots) {
  Drawing().m_pArea->m_dFrameWidth = 1.0;
  const InkImage ink = EngraveRaster(DotWindow{7500, 4800, 200, 1});
  int first = -1, run = 0;
  for (int x = 0; x < ink.width; ++x) {
    if (!ink.At(x, 0)) continue;
    if (first < 0) first = x;
    ++run;
  }
  EXPECT_EQ(run, 40);
  EXPECT_EQ(first + 7500, 7600);

  Drawing().m_pArea->m_dFrameWidth = 0;
  EXPECT_EQ(EngraveRaster(DotWindow{7500, 4800, 200, 1}).Count(), 0);
}

TEST_F(EngravingRaster, LayersNotEngravedLeaveOnlyTheBandAndEmptyBounds) {
  Drawing().m_pArea->m_dFrameWidth = 1.0;
  const int a = AddShape(TYPE_RECTANGLE, 10, 5);
  const int b = AddShape(TYPE_CIRCLE, 8, 8, 5, 5);
  List().SetObjectLayer(a, 2);
  List().SetObjectLayer(b, 5);
  for (int& flag : doc->m_bLayerEngrave) flag = 0;
  int result = 0;
  CDoubleRect bounds(1, 2, 3, 4);
  const DotWindow area{7600, 4000, 1600, 1600};
  const InkImage ink = EngraveRaster(area, &result, &bounds);
  EXPECT_EQ(result, 2);
  EXPECT_EQ(bounds, CDoubleRect());
  // Only the band: 1600 x 1600 minus the 1520 x 1520 inside.
  EXPECT_EQ(ink.Count(), 1600L * 1600 - 1520L * 1520);
}

TEST_F(EngravingRaster, BoundsUniteOnlyTheEntriesDrawn) {
  const int gone = AddShape(TYPE_RECTANGLE, 50, 50, -60, 0);
  AddShape(TYPE_RECTANGLE, 10, 5, 0, 0);
  AddShape(TYPE_BARCODE, 10, 10, 80, 80);
  AddShape(TYPE_CIRCLE, 4, 4, 10, -10);
  At<CDrawObject>(gone)->m_bDeleted = 1;
  int result = 0;
  CDoubleRect bounds;
  EngraveRaster(DotWindow{0, 0, 1, 1}, &result, &bounds);
  EXPECT_EQ(result, 4);
  EXPECT_DOUBLE_EQ(bounds.left, 8400 - 200);
  EXPECT_DOUBLE_EQ(bounds.right, 8400 + 3400);  // the barcode's copy
  EXPECT_DOUBLE_EQ(bounds.top, 4800 - 3400);
  EXPECT_DOUBLE_EQ(bounds.bottom, 4800 + 480);
}

TEST_F(EngravingRaster, TheRasterWritesFreshCommonPartsBackToTheEntries) {
  const int i = AddShape(TYPE_RECTANGLE, 10, 5);
  SetGrid(i, 1, 3, 1.0, 1.0);
  EngraveRaster(DotWindow{0, 0, 1, 1});
  EXPECT_EQ(At<CDrawObject>(i)->m_nCapturedCount, 3);
}

// For every kind the captured outline, filled even-odd, covers what the raster engraves.
TEST_F(EngravingRaster, OutlineAndRasterAgreeForEveryKind) {
  const DotWindow window = CentreWindow(700);
  auto check = [&](int index, const char* what, int reach = 1) {
    for (int k = 1; k < List().GetCount(); ++k) At<CDrawObject>(k)->m_bDeleted = (k != index);
    const InkImage raster = EngraveRaster(window);
    const InkImage outline = CapturedOutline(index, window);
    EXPECT_EQ(MismatchesAwayFromEdges(raster, outline, reach), 0) << what;
    EXPECT_GT(raster.Count(), 0) << what;
    EXPECT_GT(outline.Count(), raster.Count() * 3 / 4) << what;
  };
  check(AddShape(TYPE_LINE, 12, 1, 2, 3), "line");
  const int rect = AddShape(TYPE_RECTANGLE, 12, 7, -3, 2);
  check(rect, "rectangle");
  At<CRectangleObject>(rect)->m_dEdgeSize = 1.5;
  At<CRectangleObject>(rect)->m_nEdgeStyle = 1;
  At<CRectangleObject>(rect)->m_dEdgeRadius = 3;
  check(rect, "round frame");
  const int circle = AddShape(TYPE_CIRCLE, 10, 7, 1, -1);
  check(circle, "ellipse");
  At<CCircleObject>(circle)->m_dEdgeSize = 1.5;
  SetGrid(circle, 2, 2, 1.0, 1.0);
  check(circle, "rings");
  check(AddShape(TYPE_TRIANGLE, 12, 9, 0, 2), "triangle");
  const int rh = AddShape(TYPE_RHOMBIC, 12, 9, -2, 0);
  At<CRhombicObject>(rh)->m_dEdgeSize = 1.2;
  check(rh, "rhombus frame");
  check(AddShape(TYPE_POLYGON, 12, 12, 3, 3), "polygon");
  // Captured glyphs are the drawn glyphs. On the tight arc the glyphs overlap, and the even-odd
  // fill here leaves open what two glyphs share while the raster inks it: only that needs 6 dots.
  check(AddShape(TYPE_TEXT1, 12, 6, 0, 0), "straight text");
  check(AddShape(TYPE_TEXT2, 30, 24, 0, 0), "arc text");
  check(AddShape(TYPE_TEXT2, 14, 10, 0, 0), "overlapping arc text", 6);
  // Separate squares and a ring with a hole, at one pixel per dot.
  const auto image = MakeImage(200, 120, [](int x, int y) {
    if (x < 100) return (x / 20) % 2 == 0 && (y / 20) % 2 == 0;
    const int dx = x - 150, dy = y - 60;
    return dx * dx + dy * dy < 45 * 45 && dx * dx + dy * dy > 20 * 20;
  });
  check(AddBitmap(image, 5.0, 3.0, 1, 1), "bitmap");
}

TEST_F(ToolkitRendering, AnEmptyListGivesAWhiteImageOfTheScanningAreaAndRestoresZoomAndMode) {
  AddShape(TYPE_RECTANGLE, 10, 5);
  doc->m_Settings.System.ZoomStep = 12;
  view->SetRenderMode(RENDER_SCREEN);
  int size = 0;
  const std::vector<BYTE> block = CMonoImageTool::RenderObjectsToBmp(doc.get(), view.get(), &size, nullptr, 0);
  ASSERT_FALSE(block.empty());
  EXPECT_EQ(MonoBmpFile::Width(block.data()), 1600);
  EXPECT_EQ(MonoBmpFile::Height(block.data()), 1600);
  EXPECT_EQ(static_cast<size_t>(size), block.size());
  EXPECT_EQ(InkOfBlock(block).Count(), 0);
  EXPECT_EQ(doc->m_Settings.System.ZoomStep, 12);
  EXPECT_EQ(view->GetRenderMode(), RENDER_SCREEN);
}

TEST_F(ToolkitRendering, ListedObjectsOnlyAndTheirInkInTheBlock) {
  const int a = AddShape(TYPE_RECTANGLE, 10, 5, -5, 0);
  AddShape(TYPE_RECTANGLE, 10, 5, 10, 0);
  List().SetObjectLayer(a, 4);
  const int list[1] = {a};
  const std::vector<BYTE> block = CMonoImageTool::RenderObjectsToBmp(doc.get(), view.get(), nullptr, list, 1);
  const InkImage ink = InkOfBlock(block);
  // The scanning area starts 20 mm left of the centre: the listed one lies 10..20 mm into it.
  EXPECT_NEAR(ink.Count(), 400 * 200 - 320 * 120, 2 * 600);
  EXPECT_TRUE(ink.At(400 + 20, 800));
  EXPECT_FALSE(ink.At(800 + 420, 800));
  // Palette: black first, white second; 40000 pixels per metre.
  EXPECT_EQ(MonoBmpFile::PaletteColour(block.data(), 0), RGB(0, 0, 0));
  EXPECT_EQ(MonoBmpFile::PaletteColour(block.data(), 1), RGB(255, 255, 255));
  EXPECT_EQ(MonoBmpFile::XPelsPerMeter(block.data()), 40000);
}

TEST_F(ToolkitRendering, AClipRectangleInMillimetresSetsTheImage) {
  AddShape(TYPE_RECTANGLE, 4, 4, 2, 2);
  const CDoubleRect clip(0, 5, 10.025, 0);
  int size = 0;
  const std::vector<BYTE> block = CMonoImageTool::RenderAreaToBmp(doc.get(), view.get(), &size, &clip);
  ASSERT_FALSE(block.empty());
  EXPECT_EQ(MonoBmpFile::Width(block.data()), 401);
  EXPECT_EQ(MonoBmpFile::Height(block.data()), 200);
  EXPECT_EQ(size, 62 + 200 * 52);
  EXPECT_EQ(block.size(), 10462u);
  const InkImage ink = InkOfBlock(block);
  // The square spans 0..4 mm both ways: dots 0..160 from the left and from the bottom.
  EXPECT_TRUE(ink.At(20, 199 - 80));
  EXPECT_FALSE(ink.At(80, 199 - 80));
  EXPECT_FALSE(ink.At(80, 10));
  EXPECT_FALSE(ink.At(300, 150));
}

TEST_F(ToolkitRendering, TheSealImageWithoutAnInnerFrameCircleIsRefused) {
  AddShape(TYPE_RECTANGLE, 10, 5);
  const std::vector<BYTE> block = CMonoImageTool::RenderDrawingToBmp(doc.get(), view.get(), nullptr, 1);
  EXPECT_TRUE(block.empty());
  CDC dc;
  CBitmap bm;
  RECT scan{1, 2, 3, 4};
  EXPECT_FALSE(view->GetBitmapDC(&dc, &bm, nullptr, &scan, 1));
  EXPECT_EQ(scan.left, 1);
  EXPECT_EQ(dc.GetSafeHdc(), nullptr);
}

TEST_F(ToolkitRendering, TheSealImageHoldsTheInnerTextsCutToTheCircleOrTheAreaShape) {
  const int circle = AddShape(TYPE_CIRCLE, 20, 20);
  At<CDrawObject>(circle)->m_nGroupId = 2;
  const int text = AddShape(TYPE_TEXT1, 36, 12);
  At<CDrawObject>(text)->m_nGroupId = 4;
  At<CText1Object>(text)->SetText("WWWW");
  AddShape(TYPE_RECTANGLE, 38, 38);  // no seal part: never drawn here
  auto inkOutside = [](const InkImage& ink, double radius) {
    long n = 0;
    for (int y = 0; y < ink.height; ++y)
      for (int x = 0; x < ink.width; ++x) {
        const double dx = x + 0.5 - ink.width / 2.0, dy = y + 0.5 - ink.height / 2.0;
        if (ink.At(x, y) && dx * dx + dy * dy > radius * radius) ++n;
      }
    return n;
  };
  const InkImage inCircle = InkOfBlock(CMonoImageTool::RenderDrawingToBmp(doc.get(), view.get(), nullptr, 1));
  ASSERT_EQ(inCircle.width, 1600);
  EXPECT_GT(inCircle.Count(), 1000);
  EXPECT_EQ(inkOutside(inCircle, 401), 0);

  // The area shape (an ellipse filling the 40 mm area) lets the whole text through.
  doc->m_Settings.DrawingArea.OutlineIndex = 1;
  const InkImage inArea = InkOfBlock(CMonoImageTool::RenderDrawingToBmp(doc.get(), view.get(), nullptr, 0));
  EXPECT_GT(inArea.Count(), inCircle.Count());
  EXPECT_GT(inkOutside(inArea, 401), 0);
  EXPECT_EQ(inkOutside(inArea, 801), 0);
}

TEST_F(ToolkitRendering, TheDesignIsSavedAsABmpFileAtTheRasterResolution) {
  doc->m_Settings.DrawingArea.DPM = 20;
  AddShape(TYPE_RECTANGLE, 10, 5);
  const std::string path = dir.File("design.bmp");
  std::ofstream(path) << "old contents";
  prompter.ExpectFile(CString(path));
  doc->ExportDesignBmp();
  std::vector<BYTE> bytes;
  {
    const std::string s = TempDir::Read(path);
    bytes.assign(s.begin(), s.end());
  }
  ASSERT_GE(bytes.size(), 62u);
  EXPECT_EQ(MonoBmpFile::Width(bytes.data()), 800);  // the 40 mm area at 20 dots per mm
  EXPECT_EQ(MonoBmpFile::Height(bytes.data()), 800);
  EXPECT_NEAR(InkOfBlock(bytes).Count(), 200 * 100 - 160 * 60, 600);

  prompter.ExpectFile(CString(""));
  doc->ExportDesignBmp();  // cancelled: nothing happens
}

TEST_F(ToolkitRendering, TheTemporaryDesignImageLeavesTheZoomAtOne) {
  doc->m_Settings.System.ZoomStep = 3;
  AddShape(TYPE_CIRCLE, 10, 10);
  const CString path = doc->RenderDesignToTemp();
  EXPECT_EQ(path, CString(dir.File("korvane.bin")));
  EXPECT_EQ(doc->m_Settings.System.ZoomStep, ZOOM_STEP_DEFAULT);
  EXPECT_GT(TempDir::Read(path.str()).size(), 62u);
}

TEST_F(ToolkitRendering, TheTraceExportWritesAnHpgFileBesideTheChosenPath) {
  doc->m_Settings.System.ZoomStep = 20;
  AddShape(TYPE_RECTANGLE, 2, 2);
  prompter.ExpectFile(CString(dir.File("trace.bmp")));
  doc->ExportHpglFile();
  const std::string text = TempDir::Read(dir.File("trace.hpg"));
  EXPECT_EQ(text.rfind("PU", 0), 0u) << text;
  EXPECT_EQ(doc->m_Settings.System.ZoomStep, ZOOM_STEP_DEFAULT);
}

TEST_F(ToolkitRendering, ChangingTheImageOfALineOnlyMarksTheDesign) {
  const int line = AddShape(TYPE_LINE, 10, 1);
  doc->SetCurrentObject(line, FALSE, FALSE);
  g_bModified = 0;
  doc->ChangeBmpImage();  // no dialog: the prompter fails the test on any
  EXPECT_EQ(g_bModified, 1);
}

TEST_F(ToolkitRendering, ChangingTheImageOfABitmapLoadsTheFileOrKeepsTheOldOne) {
  const int b = AddBitmap(MakeImage(40, 40, [](int x, int) { return x < 10; }), 1, 1);
  doc->SetCurrentObject(b, FALSE, FALSE);
  const std::vector<BYTE> next = MakeImage(80, 40, [](int, int y) { return y < 5; });
  const std::string path = dir.Write("next.bmp", std::string(next.begin(), next.end()));
  prompter.ExpectFile(CString(path));
  doc->ChangeBmpImage();
  EXPECT_EQ(MonoBmpFile::Width(At<CBmpObject>(b)->GetImage()), 80);
  EXPECT_EQ(doc->m_nLastAction, HINT_PROPERTY_CHANGED);

  const std::string junk = dir.Write("junk.bmp", "not a bitmap");
  prompter.ExpectFile(CString(junk)).ExpectMessage(IDOK);
  doc->ChangeBmpImage();
  EXPECT_EQ(MonoBmpFile::Width(At<CBmpObject>(b)->GetImage()), 80);
}

}  // namespace

namespace {

using AreaQueries = CanvasTest;

TEST_F(AreaQueries, ScanningAreaAndFieldInRasterAndMachineDots) {
  doc->m_Settings.DrawingArea.DPM = 20;
  doc->m_Settings.DrawingArea.OffsetX = 10;
  doc->m_Settings.DrawingArea.OffsetY = -5;
  doc->m_Settings.DrawingField.FieldX = 50;
  doc->m_Settings.DrawingField.FieldY = 30;
  CDC dc;
  int size[2];
  CDoubleRect bounds;
  int oldZoom = 0;
  view->GetBitmapDC(&dc, size, &bounds, &oldZoom);
  EXPECT_EQ(size[0], 8400);
  CDoubleRect area, fix, field;
  view->GetScanningAreaBMP(&area);
  view->GetScanningAreaBMPFix(&fix);
  view->GetFieldBMP(&field);
  EXPECT_DOUBLE_EQ(area.left, 4200 - 200);  // (10 - 20) mm right of the centre at 20 dots per mm
  EXPECT_DOUBLE_EQ(area.top, 2400 - 300);   // 15 mm above the centre
  EXPECT_DOUBLE_EQ(area.bottom, 2400 + 500);
  // The fixed variant counts 40 dots per millimetre whatever the raster's setting.
  EXPECT_DOUBLE_EQ(fix.left, 8400 - 400);
  EXPECT_DOUBLE_EQ(fix.bottom, 4800 + 1000);
  EXPECT_EQ(view->GetRenderMode(), RENDER_ENGRAVE);
  EXPECT_DOUBLE_EQ(field.right - field.left, 1000);
  EXPECT_DOUBLE_EQ(field.bottom - field.top, 600);
  // In fixed-field mode the area stands on the centre.
  doc->m_Settings.System.FixField = 1;
  view->GetScanningAreaBMP(&area);
  EXPECT_DOUBLE_EQ(area.left, 4200 - 400);
  CLeftView::ReleaseBitmapDC(&dc);

  // A negative zoom index changes nothing.
  view->RestoreZoom(doc.get(), -1);
  EXPECT_EQ(doc->m_Settings.System.ZoomStep, ZOOM_STEP_DEFAULT);
  view->RestoreZoom(nullptr, 3);
  EXPECT_EQ(doc->m_Settings.System.ZoomStep, ZOOM_STEP_DEFAULT);
  view->RestoreZoom(doc.get(), oldZoom);
}

TEST_F(AreaQueries, TheViewOutlivesItsDocumentSafely) {
  AddShape(TYPE_RECTANGLE, 10, 5);
  doc.reset();
  view.reset();
  SUCCEED();
}

}  // namespace
