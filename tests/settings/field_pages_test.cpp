// The field page and the fixed-field scanning-area page: head moves and outline tests as bytes on
// the port, and their previews as pixels.
#include <sys/stat.h>

#include <cmath>
#include <numbers>

#include "files/settings_fixed_field.h"
#include "memory_page.h"
#include "output/engrave_job.h"
#include "platform/numfmt.h"
#include "res/dialog_133.h"
#include "res/dialog_190.h"
#include "settings_fixture.h"

namespace {

using FieldPage = SettingsTest;

TEST_F(FieldPage, AnchorMovesAndOutlineTestsSendTheShapeThroughThePort) {
  Start();
  Driven<CPageDrawField> d;
  Show(d.page, d.host);
  EXPECT_EQ(Port(), "");  // filling moves nothing
  d.host.Click(1136);
  EXPECT_EQ(Port(), "PU2000,2000;");
  d.host.Click(1146);
  EXPECT_EQ(Port(), "sp2;vs8;\nPU1200,2800;PD2800,2800;PD2800,1200;PD1200,1200;PD1200,2800;PU2000,2000;");
  const struct {
    int shape;
    const char* bytes;
  } kShapes[] = {
      {1, "sp2;vs8;\nPU2000,2000;CE800,800,360;\nPU2000,2000;"},
      {2, "sp2;vs8;\nPU2000,2800;PD2800,2000;PD2000,1200;PD1200,2000;PD2000,2800;PU2000,2000;"},
      {3, "sp2;vs8;\nPU2000,2800;PD2800,1200;PD1200,1200;PD2000,2800;PU2000,2000;"},
      {4, "sp2;vs8;\nPU2000,1200;PD2800,2800;PD1200,2800;PD2000,1200;PU2000,2000;"},
      {5, "sp2;vs8;\n"},
  };
  for (const auto& s : kShapes) {
    doc->m_Settings.DrawingArea.OutlineIndex = s.shape;
    d.host.Click(1146);
    EXPECT_EQ(Port(), s.bytes) << s.shape;
  }
  // The circle leaves the centre current for the plotter move.
  d.host.Click(1144);
  Port();
  doc->m_Settings.DrawingArea.OutlineIndex = 1;
  d.host.Click(1146);
  Port();
  EXPECT_EQ(d.page.GetCurrentAnchor(), 0);
  d.host.Click(1145);
  EXPECT_EQ(Port(), "PU2000,2000;");
}

TEST_F(FieldPage, SwapsMirrorAndExchangeTheAnchors) {
  Start();
  Driven<CPageDrawField> d;
  Show(d.page, d.host);
  using namespace dlg133;
  // Typing moves the head once the page is shown, at every change.
  d.host.Paste(IDC_OFFSET_X, "");
  EXPECT_EQ(Port(), "PU2000,2000;");
  d.host.Type(IDC_OFFSET_X, "12");
  EXPECT_EQ(Port(), "PU2040,2000;PU2480,2000;");
  d.host.Paste(IDC_OFFSET_X, "10");
  Port();
  doc->m_Settings.DrawingData.ChangeX = 1;
  // x = 50 - 10 + 20 mm
  EXPECT_EQ(d.page.GetAnchorPoint(3), CPoint(2400, 2800));
  doc->m_Settings.DrawingData.ChangeX = 0;
  d.host.Paste(IDC_OFFSET_X, "0");
  Port();
  doc->m_Settings.DrawingData.ChangeXY = 1;
  doc->m_Settings.DrawingArea.Height = 20;
  EXPECT_EQ(d.page.GetAnchorPoint(3), CPoint(2400, 1200));
  doc->m_Settings.DrawingArea.OutlineIndex = 1;
  d.host.Click(1146);
  EXPECT_EQ(Port(), "sp2;vs8;\nPU2000,2000;CE800,400,360;\nPU2000,2000;");
  doc->m_Settings.DrawingData.ScaleX = 2;
  doc->m_Settings.DrawingData.ChangeXY = 0;
  EXPECT_EQ(d.page.GetAnchorPoint(0), CPoint(4000, 2000));
  EXPECT_EQ(d.page.GetAnchorPoint(9), CPoint(0, 0));
}

TEST_F(FieldPage, NothingMovesWhileAWorkerHoldsThePort) {
  Start();
  Driven<CPageDrawField> d;
  Show(d.page, d.host);
  ASSERT_TRUE(ClaimWorkerPort());
  EXPECT_TRUE(doc->IsEngravingBusy());
  d.host.Click(1145);
  d.host.Click(1146);
  d.host.Click(1139);
  d.host.Paste(dlg133::IDC_OFFSET_Y, "3");
  ReleaseWorkerPort();
  EXPECT_EQ(Port(), "");
  // The edits and radios still work.
  EXPECT_EQ(Work().m_pField->m_nPlotterPosition, 3);
  EXPECT_EQ(doc->m_Settings.DrawingField.OffsetY, 3.0);
  EXPECT_FALSE(doc->IsEngravingBusy());
}

TEST_F(FieldPage, AMoveThatDoesNotReachTheMachineIsToldOnce) {
  Start();
  Driven<CPageDrawField> d;
  Show(d.page, d.host);
  const std::string folder = dir.File("folder");
  ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
  const std::string fifo = dir.File("noreader.fifo");  // a machine that is gone
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::pair<std::string, const char*> ports[] = {
      {fifo, "ポートの先に機械がつながっていません"}, {"/dev/full", "ポートがいっぱい"}, {folder, "フォルダ"}};
  for (const auto& [port, reason] : ports) {
    SCOPED_TRACE(port);
    setenv("DRAVENTIS_LPT1", port.c_str(), 1);
    prompter.ExpectMessage(IDOK, CString::FromUtf8("ヘッドの移動 (PU2000,2000;) を送れませんでした").str().c_str());
    d.host.Click(dlg133::IDC_PLOTTER_MOVE);
    prompter.VerifyAllUsed();
    EXPECT_NE(prompter.Log().back().text.ToUtf8().find(reason), std::string::npos);
    // The outline test says it once, not once per move.
    prompter.ExpectMessage(IDOK, CString::FromUtf8("1 個のコマンドを送れませんでした").str().c_str());
    d.host.Click(1146);
    prompter.VerifyAllUsed();
  }
  setenv("DRAVENTIS_LPT1", portPath.c_str(), 1);
  d.host.Click(dlg133::IDC_PLOTTER_MOVE);
  EXPECT_EQ(Port(), "PU2000,2000;");
}

// Counts pixels of one colour.
int CountColour(MemoryPage& page, COLORREF colour) {
  int n = 0;
  for (int y = 0; y < page.height(); ++y)
    for (int x = 0; x < page.width(); ++x) n += page.Pixel(x, y) == colour;
  return n;
}

TEST_F(FieldPage, PreviewFitsFieldAreaAndDotAndSkipsAFieldWithoutSize) {
  Start();
  Driven<CPageDrawField> d;
  Show(d.page, d.host);
  using namespace dlg133;
  EXPECT_GT(d.host.invalidated[IDC_PREVIEW], 0);
  MemoryPage page(200, 100, 32);
  page.dc()->SetMapMode(MM_TEXT);
  d.page.DrawPreview(*page.dc(), CRect(0, 0, 200, 100));
  // Field 100 x 100 mm in 100 x 100 pixels centred; the area 40 x 40 mm in its middle.
  EXPECT_EQ(page.Pixel(50, 50), 0x000000u);   // field's left edge
  EXPECT_EQ(page.Pixel(30, 50), 0xFFFFFFu);   // outside the field
  EXPECT_EQ(page.Pixel(80, 35), 0x0000FFu);   // the area's left edge, red
  EXPECT_EQ(page.Pixel(100, 50), 0x000000u);  // the centre dot
  EXPECT_EQ(page.Pixel(100, 40), 0xFFFFFFu);
  // A field width of 0 is no size: nothing painted, not even the white.
  page.dc()->FillSolidRect(0, 0, 200, 100, 0x00FF00);
  d.host.Paste(IDC_FIELD_X, "0");
  d.page.DrawPreview(*page.dc(), CRect(0, 0, 200, 100));
  EXPECT_EQ(CountColour(page, 0x00FF00), 200 * 100);
  d.host.Paste(IDC_FIELD_X, "");
  d.page.DrawPreview(*page.dc(), CRect(0, 0, 200, 100));
  EXPECT_EQ(CountColour(page, 0x00FF00), 200 * 100);
  d.host.Paste(IDC_FIELD_X, "100");
  d.page.DrawPreview(*page.dc(), CRect(0, 0, 0, 0));
}

// ---- fixed field ---------------------------------------------------------------------------

class FixedAreaPage : public SettingsTest {
 protected:
  // Model K1 to K3 with its field, an area 20 x 10 mm at (5, 6).
  void StartFixed(int model, int originX = 400, int originY = 800) {
    Start();
    ApplyFixedFieldModel(doc->m_Settings, model, originX, originY);
    CSettingsDrawingArea& a = doc->m_Settings.DrawingArea;
    a.OffsetX = 5, a.OffsetY = 6, a.Width = 20, a.Height = 10;
    a.OutlineIndex = 0;
  }
  static std::string Pu(CPoint p) { return numfmt::Format("PU%d,%d;", p.x, p.y); }
  static std::string Pd(CPoint p) { return numfmt::Format("PD%d,%d;", p.x, p.y); }
};

TEST_F(FixedAreaPage, ShapeComboCornerControlsAndMoveOnChange) {
  StartFixed(3);
  doc->m_Settings.DrawingArea.OutlineIndex = 5;
  Driven<CPageDrawAreaFix> d;
  Show(d.page, d.host);
  using namespace dlg190;
  // A rounded shape from the settings shows the radius at once.
  EXPECT_EQ(d.host.GetCurSel(IDC_SHAPE), 1);
  EXPECT_TRUE(d.host.IsWindowVisible(IDC_ROUND));
  d.host.ChooseRow(IDC_SHAPE, 2);  // "円形"
  EXPECT_EQ(Work().m_pArea->m_nOutlineStyle, 1);
  EXPECT_EQ(doc->m_Settings.DrawingArea.OutlineIndex, 1);
  EXPECT_FALSE(d.host.IsWindowVisible(IDC_ROUND));
  EXPECT_FALSE(d.host.IsWindowVisible(IDC_ROUND_LABEL));
  d.host.ChooseRow(IDC_SHAPE, 1);  // "四角形(角丸)"
  EXPECT_EQ(doc->m_Settings.DrawingArea.OutlineIndex, 5);
  EXPECT_TRUE(d.host.IsWindowVisible(IDC_SPIN_ROUND));
  EXPECT_EQ(d.host.GetText(IDC_SHAPE, 5).str(), CString::FromUtf8("逆三角形").str());
  // A loaded shape refreshes the corner controls too.
  Work().m_pArea->m_nOutlineStyle = 2;
  d.page.RefreshPage();
  EXPECT_EQ(d.host.GetCurSel(IDC_SHAPE), 3);
  EXPECT_FALSE(d.host.IsWindowVisible(IDC_ROUND));

  // Move-on-change off: a typed offset repaints and sends nothing.
  const int paints = d.host.invalidated[IDC_PREVIEW];
  d.host.Paste(IDC_OFFSET_X, "");
  d.host.Type(IDC_OFFSET_X, "1");
  EXPECT_GT(d.host.invalidated[IDC_PREVIEW], paints);
  EXPECT_EQ(Port(), "");
  d.host.Click(IDC_MOVE_ON_CHANGE);
  EXPECT_EQ(doc->m_bMoveOnChange, 1);
  d.host.Type(IDC_OFFSET_X, "2");
  EXPECT_EQ(doc->m_Settings.DrawingArea.OffsetX, 12.0);
  EXPECT_EQ(Port(), Pu(doc->GetAnchorModel3(0)));
}

TEST_F(FixedAreaPage, HomeReturnMachineOriginAndOutlineTestsPerModel) {
  StartFixed(2, 100, 200);
  doc->m_Settings.System.FieldOriginX = 100;
  doc->m_Settings.System.FieldOriginY = 200;
  Driven<CPageDrawAreaFix> d;
  Show(d.page, d.host);
  using namespace dlg190;
  d.host.Click(IDC_HOME_RETURN);
  EXPECT_EQ(Port(), "PU200,100;");
  d.host.Click(IDC_MACHINE_ORIGIN);
  EXPECT_EQ(Port(), "PU0,0;");
  doc->m_Settings.System.FieldMachine = 3;
  d.host.Click(IDC_HOME_RETURN);
  EXPECT_EQ(Port(), "PU100,200;");
  doc->m_Settings.System.FieldMachine = 1;
  d.host.Click(IDC_MACHINE_ORIGIN);
  EXPECT_EQ(Port(), "PU0,11000;");
  doc->m_Settings.System.FieldMachine = 0;
  d.host.Click(IDC_MACHINE_ORIGIN);
  EXPECT_EQ(Port(), "");
  d.host.Click(IDC_OUTLINE_TEST);
  EXPECT_EQ(Port(), "sp2;vs8;\nPU0,0;PD0,0;PD0,0;PD0,0;PD0,0;PU0,0;");

  // The rectangle on K1, from the model's anchors.
  doc->m_Settings.System.FieldMachine = 1;
  auto a = [&](int n) { return doc->GetAnchorModel1(n); };
  d.host.Click(IDC_OUTLINE_TEST);
  EXPECT_EQ(Port(), "sp2;vs8;\n" + Pu(a(3)) + Pd(a(6)) + Pd(a(8)) + Pd(a(5)) + Pd(a(3)) + Pu(a(0)));
  // The circle on K1 is drawn from anchor 6, which becomes current; on K3 from the centre.
  doc->m_Settings.DrawingArea.OutlineIndex = 1;
  const int rx = std::abs(a(0).x - a(3).x), ry = std::abs(a(0).y - a(3).y);
  d.host.Click(IDC_OUTLINE_TEST);
  EXPECT_EQ(Port(), "sp2;vs8;\n" + Pu(a(6)) + numfmt::Format("CE%d,%d,360;\n", rx, ry) + Pu(a(6)) + Pu(a(6)));
  EXPECT_EQ(d.page.GetCurrentAnchor(), 6);
  doc->m_Settings.System.FieldMachine = 3;
  auto b = [&](int n) { return doc->GetAnchorModel3(n); };
  d.host.Click(IDC_OUTLINE_TEST);
  EXPECT_EQ(Port(), "sp2;vs8;\n" + Pu(b(0)) +
                        numfmt::Format("CE%d,%d,360;\n", std::abs(b(0).x - b(3).x), std::abs(b(0).y - b(3).y)) +
                        Pu(b(0)) + Pu(b(0)));
  // Shapes 2 to 4 and 5 on K3; the outline test traces unturned anchors even at an angle.
  doc->m_Settings.DrawingData.ScanAngle = 30;
  const struct {
    int shape;
    std::vector<int> anchors;
  } kShapes[] = {{2, {1, 7, 2, 4, 1}}, {3, {1, 8, 5, 1}}, {4, {2, 6, 3, 2}}, {5, {3, 6, 8, 5, 3}}};
  for (const auto& s : kShapes) {
    doc->m_Settings.DrawingArea.OutlineIndex = s.shape;
    std::string expected = "sp2;vs8;\n" + Pu(b(s.anchors[0]));
    for (size_t i = 1; i < s.anchors.size(); ++i) expected += Pd(b(s.anchors[i]));
    d.host.Click(IDC_OUTLINE_TEST);
    EXPECT_EQ(Port().substr(0, expected.size()), expected) << s.shape;
  }
}

TEST_F(FixedAreaPage, MovesTurnAboutTheCentreByTheScanAngle) {
  StartFixed(3);
  Driven<CPageDrawAreaFix> d;
  Show(d.page, d.host);
  const CPoint c = doc->GetAnchorModel3(0), p = doc->GetAnchorModel3(8);
  d.host.Click(1144);
  EXPECT_EQ(Port(), Pu(p));
  doc->m_Settings.DrawingData.ScanAngle = 90;
  d.host.Click(1145);
  // Minus 90 degrees: (dx, dy) -> (dy, -dx).
  EXPECT_EQ(Port(), Pu(CPoint(c.x + (p.y - c.y), c.y - (p.x - c.x))));
  ASSERT_TRUE(ClaimWorkerPort());
  d.host.Click(dlg190::IDC_HOME_RETURN);
  d.host.Click(dlg190::IDC_MACHINE_ORIGIN);
  d.host.Click(dlg190::IDC_OUTLINE_TEST);
  d.host.Click(1145);
  ReleaseWorkerPort();
  EXPECT_EQ(Port(), "");
}

TEST_F(FixedAreaPage, PreviewDrawsTheAreaAndTheTurnedDot) {
  StartFixed(3);
  // A field of 100 x 50 mm in 200 x 100 pixels: 2 pixels per mm.
  doc->m_Settings.DrawingField.FieldX = 100;
  doc->m_Settings.DrawingField.FieldY = 50;
  CSettingsDrawingArea& a = doc->m_Settings.DrawingArea;
  a.OffsetX = 20, a.OffsetY = 10, a.Width = 40, a.Height = 20;
  doc->m_Settings.DrawingField.PlotIndex = 8;
  Driven<CPageDrawAreaFix> d;
  Show(d.page, d.host);
  MemoryPage page(200, 100, 32);
  page.dc()->SetMapMode(MM_TEXT);
  d.page.DrawPreview(*page.dc(), CRect(0, 0, 200, 100));
  // Area from (40, 20) to (120, 60); the dot at the bottom right.
  EXPECT_EQ(page.Pixel(40, 40), 0x0000FFu);
  EXPECT_EQ(page.Pixel(80, 20), 0x0000FFu);
  EXPECT_EQ(page.Pixel(119, 59), 0x000000u);
  EXPECT_EQ(page.Pixel(0, 50), 0x000000u);  // field edge

  doc->m_Settings.DrawingData.ScanAngle = 30;
  page.dc()->FillSolidRect(0, 0, 200, 100, 0x00FF00);
  d.page.DrawPreview(*page.dc(), CRect(0, 0, 200, 100));
  const double t = -30 * std::numbers::pi / 180;
  const double dx = 120 - 80, dy = 60 - 40;
  const int x = static_cast<int>(std::lround(80 + dx * std::cos(t) - dy * std::sin(t)));
  const int y = static_cast<int>(std::lround(40 + dx * std::sin(t) + dy * std::cos(t)));
  EXPECT_EQ(page.Pixel(x, y), 0x000000u) << x << "," << y;
  EXPECT_NE(page.Pixel(119, 59), 0x000000u);
  EXPECT_EQ(CountColour(page, 0x00FF00), 0);  // white first, everywhere
  EXPECT_GT(CountColour(page, 0x0000FF), 100);
  // The rounded rectangle and the ellipse at an angle go through the flattened path; their
  // edge middles (untouched by the corners) lie on the turned outline.
  auto redNear = [&](double px, double py) {
    const int x = static_cast<int>(std::lround(80 + (px - 80) * std::cos(t) - (py - 40) * std::sin(t)));
    const int y = static_cast<int>(std::lround(40 + (px - 80) * std::sin(t) + (py - 40) * std::cos(t)));
    for (int j = -1; j <= 1; ++j)
      for (int i = -1; i <= 1; ++i)
        if (page.Pixel(x + i, y + j) == 0x0000FFu) return true;
    return false;
  };
  for (int shape : {1, 5}) {
    a.OutlineIndex = shape;
    a.RoundSize = 4;
    page.dc()->FillSolidRect(0, 0, 200, 100, 0xFFFFFF);
    d.page.DrawPreview(*page.dc(), CRect(0, 0, 200, 100));
    EXPECT_GT(CountColour(page, 0x0000FF), 100) << shape;
    EXPECT_TRUE(redNear(80, 20)) << shape;
    EXPECT_TRUE(redNear(120, 40)) << shape;
    EXPECT_TRUE(redNear(40, 40)) << shape;
  }
}

TEST_F(FixedAreaPage, PreviewWithoutFieldFillsWhiteOnly) {
  StartFixed(3, 400, 0);
  Driven<CPageDrawAreaFix> d;
  Show(d.page, d.host);
  MemoryPage page(120, 80, 32);
  page.dc()->SetMapMode(MM_TEXT);
  auto drawn = [&](const CRect& r) {
    page.dc()->FillSolidRect(0, 0, 120, 80, 0x00FF00);
    d.page.DrawPreview(*page.dc(), r);
    return 120 * 80 - CountColour(page, 0x00FF00) - CountColour(page, 0xFFFFFF);
  };
  // K3 with origin Y 0: the field has no height.
  ASSERT_LE(GetFixedFieldSize(doc->m_Settings).cy, 0.0);
  EXPECT_EQ(drawn(CRect(0, 0, 120, 80)), 0);
  EXPECT_EQ(CountColour(page, 0xFFFFFF), 120 * 80);
  doc->m_Settings.DrawingField.FieldY = 30;
  EXPECT_GT(drawn(CRect(0, 0, 120, 80)), 0);
  // The mode turned off leaves no field.
  ToggleFieldFixed(doc->m_Settings);
  EXPECT_EQ(drawn(CRect(0, 0, 120, 80)), 0);
  ToggleFieldFixed(doc->m_Settings);
  EXPECT_EQ(drawn(CRect(0, 0, 0, 80)), 0);
  d.host.Paste(dlg190::IDC_WIDTH, "0");
  EXPECT_EQ(drawn(CRect(0, 0, 120, 80)) > 0, true);
}

}  // namespace
