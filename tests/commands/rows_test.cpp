#include "commands_fixture.h"
#include "files/settings_fixed_field.h"
#include "model/drawobject.h"

namespace {

class RowsTest : public CommandsTest {};

TEST_F(RowsTest, DrawingAndEditingRowsCallTheirOperation) {
  const UINT adds[] = {32786, 32787, 32788, 32789, 32790, 32791, 32792, 32793};
  for (int kind = 0; kind < 8; ++kind) {
    ASSERT_TRUE(table.Execute(adds[kind]));
    EXPECT_EQ(List().GetObject(List().GetCount() - 1)->m_nType, kind);
  }
  EXPECT_EQ(frame.focus, 8);
  table.Execute(32794);
  EXPECT_EQ(List().GetObject(List().GetCount() - 1)->m_nType, TYPE_BARCODE);

  // Layer change needs a selection.
  SelectOne(2);
  EXPECT_TRUE(Enabled(32951 + 5));
  table.Execute(32951 + 5);
  EXPECT_EQ(List().GetObject(2)->m_nLayer, 5);
  doc->SetCurrentObject(0, FALSE, FALSE);
  EXPECT_FALSE(Enabled(32951));

  // Nudges move by the step; centring puts the object on the page centre.
  SelectOne(3);
  const double y = List().GetObject(3)->m_dPosY;
  table.Execute(32881);
  EXPECT_GT(List().GetObject(3)->m_dPosY, y);
  table.Execute(32824);
  EXPECT_DOUBLE_EQ(List().GetObject(3)->m_dPosX, 0.0);

  // Step and zoom report to the panes.
  table.Execute(32784);
  ASSERT_EQ(frame.steps.size(), 1u);
  EXPECT_DOUBLE_EQ(frame.steps[0], doc->GetMoveStep());
  table.Execute(32809);
  ASSERT_EQ(frame.zoom.size(), 1u);
  EXPECT_DOUBLE_EQ(frame.zoom[0], doc->GetZoomFactor());
}

TEST_F(RowsTest, EveryWiredCommandHasItsRun) {
  std::vector<UINT> wired = {32794, 33040, 32806, 32809, 32810, 32784, 32785, 32824, 32825, 32835, 32827, 32828,
                             32829, 32848, 32832, 32796, 32925, 32926, 32935, 33014, 33016, 33033, 33032, 32893,
                             32890, 33003, 33004, 32897, 57600, 57601, 32899, 32851, 32852, 32885, 57635,
                             57634, 57637, 57632, 32875, 32876, 32877, 32878};
  for (UINT id = 32786; id <= 32793; ++id) wired.push_back(id);
  for (UINT id = 32881; id <= 32884; ++id) wired.push_back(id);
  for (UINT id = 32927; id <= 32934; ++id) wired.push_back(id);
  for (UINT id = 32951; id <= 32958; ++id) wired.push_back(id);
  for (UINT id = 33027; id <= 33030; ++id) wired.push_back(id);
  for (UINT id = 57616; id <= 57631; ++id) wired.push_back(id);
  for (UINT id : wired) EXPECT_TRUE(table.HasRun(id)) << id;
  // The framework's undo has nothing behind it.
  EXPECT_FALSE(table.HasRun(57643));
  EXPECT_FALSE(Enabled(57643));
}

TEST_F(RowsTest, ZoomStopsAtBothEndsOfTheTable) {
  doc->SetZoom(ZOOM_STEP_COUNT - 1);
  EXPECT_FALSE(Enabled(32809));
  EXPECT_TRUE(Enabled(32810));
  doc->SetZoom(0);
  EXPECT_DOUBLE_EQ(doc->GetZoomFactor(), 0.1);
  EXPECT_TRUE(Enabled(32809));
  EXPECT_FALSE(Enabled(32810));
  EXPECT_FALSE(table.Execute(32810));
}

TEST_F(RowsTest, LayerVisibilityMarksAndImages) {
  canvas.hints.clear();
  form.hints.clear();
  table.Execute(32927 + 3);
  EXPECT_EQ(doc->m_bLayerVisible[3], 0);
  EXPECT_EQ(g_bModified, 0);
  EXPECT_EQ(canvas.hints, std::vector<LPARAM>{HINT_REDRAW_ALL});
  EXPECT_EQ(form.hints, std::vector<LPARAM>{HINT_REDRAW_ALL});
  const CCmdUI hidden = table.Update(32927 + 3);
  EXPECT_EQ(hidden.m_nCheck, 0);
  EXPECT_EQ(hidden.m_nImage, 3);  // the bar's extra image 3: image 11 of the layer bar
  EXPECT_EQ(table.Update(32927 + 2).m_nImage, -1);
  EXPECT_EQ(Checked(32927 + 2), 1);

  table.Execute(32935);
  for (int layer = 0; layer < 8; ++layer) EXPECT_EQ(doc->m_bLayerVisible[layer], 0);
  table.Execute(32926);
  for (int layer = 0; layer < 8; ++layer) EXPECT_EQ(doc->m_bLayerVisible[layer], 1);
  doc->SetLayerVisible(8, 0);
  doc->ToggleLayerVisible(-1);
  doc->SetLayerVisible(2, 0);
  EXPECT_EQ(doc->m_bLayerVisible[2], 0);

  // The seal bars' layer buttons.
  table.Execute(33016);
  EXPECT_EQ(doc->m_bLayerVisible[1], 0);
  EXPECT_EQ(table.Update(33016).m_nImage, 1);
  EXPECT_EQ(table.Update(33029).m_nImage, 2);  // corporate bar, layer 2 hidden above
  EXPECT_EQ(table.Update(33017).m_nImage, 2);
  EXPECT_EQ(g_bModified, 0);
}

TEST_F(RowsTest, OptionRowsFlipTheirFlagsAndCheckThem) {
  const int grid = doc->m_Settings.System.GridShow;
  EXPECT_EQ(Checked(32796), grid);
  canvas.hints.clear();
  table.Execute(32796);
  EXPECT_EQ(doc->m_Settings.System.GridShow, !grid);
  EXPECT_EQ(canvas.hints, std::vector<LPARAM>{HINT_REDRAW_ALL});
  table.Execute(32925);
  EXPECT_EQ(doc->m_Settings.System.V2004String, 1);
  EXPECT_EQ(Checked(32925), 1);
}

TEST_F(RowsTest, MaintenanceRowsAskBeforeTheyAct) {
  prompter.ExpectMessage(IDCANCEL, U("データファイルを削除してよろしいですか"));
  table.Execute(32893);
  EXPECT_EQ(doc->m_Settings.System.Reset, 0);
  prompter.ExpectMessage(IDOK, U("データファイルを削除してよろしいですか")).ExpectMessage(IDOK, U("Draventisを再起動してください"));
  table.Execute(32893);
  EXPECT_EQ(doc->m_Settings.System.Reset, 1);

  // Unfixed: the origin wizard's row, not wired yet, so the entry is off.
  EXPECT_FALSE(Enabled(32890));
  EXPECT_EQ(Checked(32890), 0);
  ApplyFixedFieldModel(doc->m_Settings, 2, 1000, 2000);
  ASSERT_TRUE(IsFieldFixed(doc->m_Settings));
  EXPECT_EQ(Checked(32890), 1);
  prompter.ExpectMessage(IDCANCEL, U("フィールドの原点固定を解除してよろしいですか？"));
  table.Execute(32890);
  EXPECT_TRUE(IsFieldFixed(doc->m_Settings));
  prompter.ExpectMessage(IDOK, U("原点固定を解除")).ExpectMessage(IDOK, U("アプリケーションを再起動してください"));
  table.Execute(32890);
  EXPECT_FALSE(IsFieldFixed(doc->m_Settings));
  // Once the wizard row is wired, the unfixed entry runs it.
  int wizard = 0;
  table.Add(32888, [&] { ++wizard; });
  EXPECT_TRUE(table.Execute(32890));
  EXPECT_EQ(wizard, 1);
  prompter.VerifyAllUsed();
}

TEST_F(RowsTest, PaintModeAndPendingRowsAreOff) {
  doc->m_bPaintMode = 1;
  for (UINT id : {32809u, 32810u, 32784u, 32785u, 32824u, 32825u, 32835u, 32827u, 32828u, 32829u, 32848u, 32832u,
                  57600u, 57601u, 32899u, 32885u, 57607u, 32808u}) {
    EXPECT_FALSE(Enabled(id)) << id;
  }
  doc->m_bPaintMode = 0;
  EXPECT_TRUE(Enabled(32784));
  for (UINT id : PendingFrameCommandIds()) {
    EXPECT_FALSE(table.HasRun(id)) << id;
    EXPECT_FALSE(Enabled(id)) << id;
  }
  // A later piece wiring print keeps the paint-mode condition.
  table.SetRun(57607, [] {});
  EXPECT_TRUE(Enabled(57607));
  doc->m_bPaintMode = 1;
  EXPECT_FALSE(Enabled(57607));
  doc->m_bPaintMode = 0;
}

}  // namespace
