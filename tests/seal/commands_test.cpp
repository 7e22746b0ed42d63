// The seal rows of the frame's command table, registered after the frame's own rows.
#include "app/frame_commands.h"
#include "seal/seal_commands.h"
#include "seal/seal_parts.h"
#include "seal_fixture.h"

TEST_F(SealTest, SealRowsRunTheirOperationsAndStopInPaintMode) {
  CCommandTable table;
  const CommandContext ctx{doc.get(), nullptr, nullptr, view.get(), nullptr};
  RegisterFrameCommands(table, ctx);
  RegisterSealCommands(table, ctx);
  BuildPersonal(0, 15, 15, 1, {U("山田")});
  ASSERT_EQ(doc->m_nSealMode, SEAL_MODE_PERSONAL);

  // The personal mask button: the mask follows the layer it shows.
  ASSERT_EQ(doc->m_bLayerVisible[2], 0);
  EXPECT_TRUE(table.Execute(33017));
  EXPECT_EQ(doc->m_bLayerVisible[2], 1);
  EXPECT_EQ(doc->m_bMaskFlag, 1);
  EXPECT_EQ(table.Update(33017).m_nCheck, 1);
  EXPECT_EQ(table.Update(33010).m_nCheck, 1);
  EXPECT_TRUE(table.Execute(33017));
  EXPECT_EQ(doc->m_bMaskFlag, 0);
  EXPECT_EQ(table.Update(33017).m_nImage, 2);

  // The inner mask flag shows the mask command indeterminate.
  doc->SetMaskFlag(1, 1);
  EXPECT_EQ(table.Update(33010).m_nCheck, 2);
  doc->SetMaskFlag(1, 0);
  EXPECT_TRUE(table.Execute(33012));
  EXPECT_EQ(doc->m_Settings.Mask.Order, 1);
  EXPECT_EQ(table.Update(33012).m_nCheck, 1);
  EXPECT_EQ(table.Update(33011).m_nCheck, 0);

  // Every seal row is off while an image is edited, and nothing runs.
  doc->m_bPaintMode = 1;
  for (UINT id : SealCommandIds()) EXPECT_FALSE(table.Update(id).m_bEnabled) << id;
  const int maskBefore = doc->m_bMaskFlag;
  EXPECT_FALSE(table.Execute(33010));
  EXPECT_FALSE(table.Execute(33036));
  EXPECT_EQ(doc->m_bMaskFlag, maskBefore);
  doc->m_bPaintMode = 0;
  for (UINT id : SealCommandIds()) EXPECT_TRUE(table.Update(id).m_bEnabled) << id;

  // The conversion row makes the inner text one image.
  EXPECT_TRUE(table.Execute(33036));
  EXPECT_TRUE(LivePart(SEAL_PART_INNER_TEXT, TYPE_TEXT1).empty());
  EXPECT_EQ(LivePart(SEAL_PART_INNER_TEXT, TYPE_BMP).size(), 1u);
}
