// The drawing-data, scanning-area and fixed-field data pages over a real document.
#include "canvas/leftview.h"
#include "output/engrave_job.h"
#include "res/dialog_131.h"
#include "res/dialog_132.h"
#include "res/dialog_189.h"
#include "settings_fixture.h"

namespace {

// Every drawing-data value of the child equals its settings mirror.
void ExpectDataMirrored(const CKorvaneDoc& doc, const CDrawingSettingObject& c) {
  const CSettingsDrawingData& m = doc.m_Settings.DrawingData;
  EXPECT_EQ(m.Area, c.m_dEditArea);
  EXPECT_EQ(m.GridSize, c.m_dGridSize);
  EXPECT_EQ(m.ScaleX, c.m_dScaleX);
  EXPECT_EQ(m.ScaleY, c.m_dScaleY);
  EXPECT_EQ(m.ChangeXY, c.m_bSwapXY);
  EXPECT_EQ(m.ChangeX, c.m_bReverseX);
  EXPECT_EQ(m.ChangeY, c.m_bReverseY);
  EXPECT_EQ(m.HOME, c.m_bHomeAfter);
  EXPECT_EQ(m.HomeX, c.m_dHomeX);
  EXPECT_EQ(m.HomeY, c.m_dHomeY);
  EXPECT_EQ(m.LayerIndex, c.m_nCurrentLayer);
  for (int i = 0; i < LAYER_COUNT; ++i) {
    EXPECT_EQ(m.Layer[i].TIMES, c.m_Layers[i].nCount) << i;
    EXPECT_EQ(m.Layer[i].POWER, c.m_Layers[i].nPower) << i;
    EXPECT_EQ(m.Layer[i].SPEED, c.m_Layers[i].nSpeed) << i;
    EXPECT_EQ(m.Layer[i].STABLE, c.m_Layers[i].bConstant) << i;
  }
}

using DrawDataPage = SettingsTest;

TEST_F(DrawDataPage, StartClearsTheSwapsInBoxesSettingsAndJobsAlike) {
  WriteSettingsFile("[DRAWING_DATA]\r\nChangeXY=1\r\nChangeY=1\r\n");
  Start();
  ASSERT_EQ(doc->m_Settings.DrawingData.ChangeXY, 1);
  ASSERT_EQ(doc->m_Settings.DrawingData.ChangeY, 1);
  Driven<CPageDrawData> d;
  Show(d.page, d.host);
  using namespace dlg131;
  EXPECT_EQ(d.host.GetCheck(IDC_CHANGE_XY), 0);
  EXPECT_EQ(d.host.GetCheck(IDC_CHANGE_Y), 0);
  EXPECT_EQ(d.host.GetCheck(IDC_CHANGE_X), 0);
  EXPECT_EQ(Work().m_pSetting->m_bSwapXY, 0);
  EXPECT_EQ(Work().m_pSetting->m_bReverseY, 0);
  ExpectDataMirrored(*doc, *Work().m_pSetting);
  CEngraveJob job;
  job.CopySettings(*doc);
  EXPECT_EQ(job.m_bSwap, 0);
  EXPECT_EQ(job.m_bMirrorX, 0);
  EXPECT_EQ(job.m_bMirrorY, 0);
  // The page shows what the settings held otherwise.
  EXPECT_EQ(Text(d.host, IDC_SPEED), " 8");
  EXPECT_EQ(Text(d.host, IDC_AREA), " 100.000");
}

TEST_F(DrawDataPage, LayerRadiosShowTheLayerAndEditsGoToItAlone) {
  Start();
  // The first fill starts from the settings.
  for (int i = 0; i < LAYER_COUNT; ++i) doc->m_Settings.DrawingData.Layer[i] = {i + 1, 10 * i, 2 * i, i % 2};
  Driven<CPageDrawData> d;
  Show(d.page, d.host);
  using namespace dlg131;
  EXPECT_EQ(d.host.GetCheck(1050), 1);
  d.host.Click(1060);  // "青"
  EXPECT_EQ(Work().m_pSetting->m_nCurrentLayer, 5);
  EXPECT_EQ(Text(d.host, IDC_TIMES), " 6");
  EXPECT_EQ(Text(d.host, IDC_POWER), " 50");
  EXPECT_EQ(Text(d.host, IDC_SPEED), " 10");
  EXPECT_EQ(d.host.GetCheck(IDC_STABLE), 1);
  // The layer chosen is kept in the settings too.
  EXPECT_EQ(doc->m_Settings.DrawingData.LayerIndex, 5);

  d.host.Click(1056);  // layer 3
  d.host.Paste(IDC_SPEED, "42");
  EXPECT_EQ(Work().m_pSetting->m_Layers[3].nSpeed, 42);
  for (int i = 0; i < LAYER_COUNT; ++i) {
    if (i == 3) continue;
    EXPECT_EQ(Work().m_pSetting->m_Layers[i].nSpeed, 2 * i) << i;
  }
  ExpectDataMirrored(*doc, *Work().m_pSetting);
  d.host.Click(IDC_STABLE);
  EXPECT_EQ(Work().m_pSetting->m_Layers[3].bConstant, 0);
  ExpectDataMirrored(*doc, *Work().m_pSetting);

  // Counts step by 1, lengths by the move step; each step copies too.
  d.host.SpinClick(IDC_SPIN_POWER, 1);
  EXPECT_EQ(Text(d.host, IDC_POWER), " 31");
  const double area = Work().m_pSetting->m_dEditArea;
  d.host.SpinClick(IDC_SPIN_AREA, -1);
  EXPECT_NEAR(Work().m_pSetting->m_dEditArea, area - doc->GetMoveStep(), 1e-9);
  EXPECT_EQ(d.host.GetPos32(IDC_SPIN_AREA), 0);
  ExpectDataMirrored(*doc, *Work().m_pSetting);
}

// The layer clicked last is the one the next start shows, with its own values.
TEST_F(DrawDataPage, TheLayerClickedLastSurvivesARestart) {
  Start();
  using namespace dlg131;
  {
    Driven<CPageDrawData> d;
    Show(d.page, d.host);
    d.host.Click(1056);  // layer 3
    d.host.Paste(IDC_POWER, "77");
    d.host.Click(1062);  // layer 6
    EXPECT_EQ(Work().m_pSetting->m_nCurrentLayer, 6);
    ExpectDataMirrored(*doc, *Work().m_pSetting);
  }
  doc->WriteSettings();
  Start();
  EXPECT_EQ(doc->m_Settings.DrawingData.LayerIndex, 6);
  Driven<CPageDrawData> d;
  Show(d.page, d.host);
  for (int id = 1050; id <= 1064; id += 2) EXPECT_EQ(d.host.GetCheck(id), id == 1062 ? 1 : 0) << id;
  EXPECT_EQ(Work().m_pSetting->m_nCurrentLayer, 6);
  EXPECT_EQ(Work().m_pSetting->m_Layers[3].nPower, 77);
  d.host.Click(1056);
  EXPECT_EQ(Text(d.host, IDC_POWER), " 77");
}

TEST_F(DrawDataPage, PresetsAndChecksKeepTheSettingsEqualToTheChild) {
  Start();
  Driven<CPageDrawData> d;
  Show(d.page, d.host);
  using namespace dlg131;
  d.host.Click(IDC_PRESET_K2);
  EXPECT_EQ(d.host.GetCheck(IDC_CHANGE_X), 0);
  EXPECT_EQ(d.host.GetCheck(IDC_CHANGE_Y), 1);
  EXPECT_EQ(d.host.GetCheck(IDC_CHANGE_XY), 1);
  EXPECT_EQ(Work().m_pSetting->m_bReverseY, 1);
  EXPECT_EQ(Work().m_pSetting->m_bSwapXY, 1);
  ExpectDataMirrored(*doc, *Work().m_pSetting);
  d.host.Click(IDC_HOME);
  ExpectDataMirrored(*doc, *Work().m_pSetting);
  d.host.Paste(IDC_SCALE_X, "1.5");
  EXPECT_EQ(doc->m_Settings.DrawingData.ScaleX, 1.5);
  d.host.Click(IDC_PRESET_K3);
  EXPECT_EQ(Work().m_pSetting->m_bReverseY + Work().m_pSetting->m_bSwapXY + Work().m_pSetting->m_bReverseX, 0);
  ExpectDataMirrored(*doc, *Work().m_pSetting);
  // A refill from another copy of the object shows it.
  Work().m_pSetting->m_nCurrentLayer = 9;
  d.page.RefreshPage();
  for (int id = 1050; id <= 1064; id += 2) EXPECT_EQ(d.host.GetCheck(id), 0) << id;
}

using DrawAreaPage = SettingsTest;

TEST_F(DrawAreaPage, FillsGroupsStepsAndConvertsOnlyForBmp) {
  Start();
  doc->m_Settings.DrawingArea.FileIndex = 7;
  Driven<CPageDrawArea> d;
  Show(d.page, d.host);
  using namespace dlg132;
  for (int id : {1127, 1129, 1131, 1133}) EXPECT_EQ(d.host.GetCheck(id), 0) << id;
  EXPECT_EQ(Text(d.host, IDC_DPM), " 40");
  d.host.SpinClick(IDC_SPIN_DPM, 1);
  EXPECT_EQ(Text(d.host, IDC_DPM), " 41");
  EXPECT_EQ(doc->m_Settings.DrawingArea.DPM, 41);
  d.host.Click(1127);  // "スキャニングPlt"
  EXPECT_EQ(doc->m_Settings.DrawingArea.FileIndex, 0);
  d.host.Click(IDC_CONVERT);
  EXPECT_EQ(dialogs.saves, 0);
  d.host.Click(1129);  // "BMPファイル"
  d.host.Click(IDC_CONVERT);
  EXPECT_EQ(dialogs.saves, 1);
  d.host.Click(1094);
  EXPECT_EQ(Work().m_pArea->m_nOutlineStyle, 4);
  EXPECT_EQ(doc->m_Settings.DrawingArea.OutlineIndex, 4);
  d.host.Paste(IDC_WIDTH, "25");
  EXPECT_EQ(doc->m_Settings.DrawingArea.Width, 25.0);
}

TEST_F(DrawAreaPage, ConvertWithBmpStyleWritesAOneBitBmp) {
  Start();
  // The canvas renders the design for the file.
  doc->RemoveView(&canvas);
  CLeftView view(doc.get());
  doc->m_Settings.DrawingArea.FileIndex = 1;
  doc->AddNewObject(TYPE_RECTANGLE);
  doc->SetCurrentObject(0, FALSE, FALSE);
  Driven<CPageDrawArea> d;
  Show(d.page, d.host);
  dialogs.answer = dir.File("design.bmp");
  d.host.Click(dlg132::IDC_CONVERT);
  EXPECT_EQ(dialogs.saves, 1);
  const std::string bmp = TempDir::Read(dialogs.answer);
  ASSERT_GT(bmp.size(), 62u);
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  EXPECT_EQ(bmp[28], 1);  // bits per pixel
  doc->RemoveView(&view);
}

using DrawDataFixPage = SettingsTest;

TEST_F(DrawDataFixPage, SpeedAngleAndExportAlwaysAsks) {
  Start();
  doc->m_Settings.DrawingArea.FileIndex = 0;
  Driven<CPageDrawDataFix> d;
  Show(d.page, d.host);
  using namespace dlg189;
  d.host.Paste(IDC_SPEED, "17");
  EXPECT_EQ(Work().m_pSetting->m_Layers[0].nSpeed, 17);
  EXPECT_EQ(doc->m_Settings.DrawingData.Layer[0].SPEED, 17);
  EXPECT_EQ(Work().m_pSetting->m_Layers[1].nSpeed, 8);
  d.host.Paste(IDC_ANGLE, "30");
  EXPECT_EQ(doc->m_Settings.DrawingData.ScanAngle, 30);
  d.host.SpinClick(IDC_SPIN_ANGLE, 1);
  EXPECT_EQ(doc->m_Settings.DrawingData.ScanAngle, 31);
  d.host.Click(IDC_DIR_V);
  EXPECT_EQ(doc->m_Settings.DrawingArea.ScanDirectionIndex, 1);
  d.host.Click(IDC_EXPORT_BMP);
  EXPECT_EQ(dialogs.saves, 1);
  Work().m_pArea->m_nOutputStyle = 3;
  d.page.RefreshPage();
  EXPECT_EQ(d.host.GetCheck(IDC_OUT_OUTLINE) + d.host.GetCheck(IDC_OUT_SCAN), 0);
}

}  // namespace
