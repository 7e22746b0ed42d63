// Seal layout: the character cells, the ring text, the inner words and the two builders through
// scripted dialogs, with the save prompt of the reset in front of them.
#include <cmath>

#include "files/mrk_binary.h"
#include "files/mrk_doc.h"
#include "model/drawingobject.h"
#include "model/textobject.h"
#include "seal/seal_layout_util.h"
#include "seal/seal_parts.h"
#include "seal_fixture.h"

namespace {

using seal::SealCell;

void ExpectCell(const SealCell& c, double w, double h, double x, double y) {
  EXPECT_DOUBLE_EQ(c.width, w);
  EXPECT_DOUBLE_EQ(c.height, h);
  EXPECT_DOUBLE_EQ(c.x, x);
  EXPECT_DOUBLE_EQ(c.y, y);
}

TEST(SealCells, RowsColumnsAndTheirSwitchToColumns) {
  const CString two = U("山田");
  auto row = seal::LayoutCells(&two, 1, 18, 18, 0);
  ASSERT_EQ(row.size(), 2u);
  EXPECT_EQ(row[0].character, U("山"));
  ExpectCell(row[0], 9, 18, 4.5, 0);
  ExpectCell(row[1], 9, 18, -4.5, 0);

  const CString lines[2] = {U("山"), U("田")};
  auto columns = seal::LayoutCells(lines, 2, 18, 18, 0);  // two lines: style 2
  ASSERT_EQ(columns.size(), 2u);
  ExpectCell(columns[0], 9, 18, 4.5, 0);
  ExpectCell(columns[1], 9, 18, -4.5, 0);

  const CString six[2] = {U("山田"), U("花")};
  auto left = seal::LayoutCells(six, 2, 20, 20, 6);
  ASSERT_EQ(left.size(), 3u);
  ExpectCell(left[0], 10, 10, -5, 5);
  ExpectCell(left[1], 10, 10, -5, -5);
  ExpectCell(left[2], 10, 20, 5, 0);

  // Descending rows: a slope from upper right to lower left; one character sits in the middle.
  const CString three = "ABC";
  auto slope = seal::LayoutCells(&three, 1, 30, 10, 4);
  ASSERT_EQ(slope.size(), 3u);
  ExpectCell(slope[0], 10, 7, 10, 1.5);
  ExpectCell(slope[2], 10, 7, -10, -1.5);
  for (int style : {4, 5}) {
    const CString one = "A";
    auto single = seal::LayoutCells(&one, 1, 10, 10, style);
    ASSERT_EQ(single.size(), 1u);
    ExpectCell(single[0], 10, 7, 0, 0);
  }
  EXPECT_EQ(seal::EffectiveStyle(5, 2), 6);
  EXPECT_EQ(seal::EffectiveStyle(4, 2), 2);
  EXPECT_TRUE(seal::LayoutCells(&three, 1, 10, 10, 7).empty());
  const CString empty;
  EXPECT_TRUE(seal::LayoutCells(&empty, 1, 10, 10, 0).empty());
}

TEST(SealRing, SpanAngleDotAndEmptyText) {
  auto ring = seal::ComputeRing(U("株式会社山田商事"), 0);
  EXPECT_DOUBLE_EQ(ring.span, 315);
  EXPECT_DOUBLE_EQ(ring.angle, -157.5);
  auto dotted = seal::ComputeRing(U("株式会社山田商事"), 1);
  EXPECT_DOUBLE_EQ(dotted.span, 315);
  EXPECT_EQ(seal::SplitChars(dotted.text).size(), 9u);
  EXPECT_EQ(seal::SplitChars(dotted.text)[0], U("・"));
  // No characters: no ring, or the lone dot with nothing to spread.
  EXPECT_FALSE(seal::ComputeRing("", 0).made);
  auto dot = seal::ComputeRing("", 1);
  EXPECT_TRUE(dot.made);
  EXPECT_EQ(dot.span, 0.0);
  EXPECT_EQ(dot.angle, 0.0);
  EXPECT_TRUE(std::isfinite(dot.span));
}

TEST(SealWords, SpacesOfBothWidthsSplitOnce) {
  auto words = seal::SplitInnerWords(U("代表　取締役 印"));
  ASSERT_EQ(words.size(), 3u);
  EXPECT_EQ(words[1], U("取締役"));
  EXPECT_EQ(seal::SplitInnerWords(U("代表　　  取締役")).size(), 2u);
  // A trail byte 0x40 after a lead byte is part of the character, never a space.
  EXPECT_EQ(seal::SplitInnerWords(U("ー")).size(), 1u);
}

TEST(SealFonts, ChosenFaceMovesToTheFront) {
  CString list[10];
  for (int i = 0; i < 10; ++i) list[i] = CString(static_cast<char>('a' + i));
  seal::PushFont(list, 10, "e");
  EXPECT_EQ(list[0], "e");
  EXPECT_EQ(list[1], "a");
  EXPECT_EQ(list[4], "d");
  EXPECT_EQ(list[5], "f");
  seal::PushFont(list, 10, "new");
  EXPECT_EQ(list[0], "new");
  EXPECT_EQ(list[9], "i");  // the old last entry "j" dropped out
}

TEST_F(SealTest, PersonalSealIsLaidOutAndStored) {
  dialogs.kind = 0;
  dialogs.editPersonal = [](PersonalSealDialogData& d) {
    d.shape = 0;
    d.width = d.height = 18;
    d.frame = 0.5;
    d.style = 0;
    d.fontHist[0] = "IPAMincho";
    d.lines = {U("山田")};
  };
  doc->CreateNewSeal();
  auto frames = LivePart(SEAL_PART_OUTER_FRAME, TYPE_CIRCLE);
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(CString(frames[0]->GetName()), U("外枠"));
  EXPECT_EQ(frames[0]->m_nLayer, 0);
  auto texts = LivePart(SEAL_PART_INNER_TEXT, TYPE_TEXT1);
  ASSERT_EQ(texts.size(), 2u);
  auto* first = static_cast<CText1Object*>(texts[0]);
  EXPECT_DOUBLE_EQ(first->m_dPosX, 4.5);
  EXPECT_DOUBLE_EQ(first->m_dCharWidth, 9);
  EXPECT_DOUBLE_EQ(first->m_dHeight, 18);
  EXPECT_EQ(first->m_nWriteDirection, 1);
  EXPECT_EQ(first->m_nLayer, 1);
  EXPECT_EQ(first->m_crColor, LAYER_COLORS[1]);
  EXPECT_EQ(first->m_strFaceName, "IPAMincho");
  EXPECT_EQ(first->m_vCharRecords.size(), 1u);
  // Area and settings follow the seal.
  EXPECT_EQ(doc->m_Settings.DrawingArea.OutlineIndex, 1);
  EXPECT_DOUBLE_EQ(doc->m_Settings.DrawingArea.Width, 18);
  EXPECT_EQ(List().GetDrawingObject()->m_pArea->m_nOutlineStyle, 1);
  EXPECT_EQ(doc->m_Settings.Inkan.Font, "IPAMincho");
  EXPECT_EQ(doc->m_Settings.Inkan.Dir, 0);
  // Mode, caption, bars, mask layer hidden; the current object is the last character.
  EXPECT_EQ(doc->m_nSealMode, 1);
  EXPECT_EQ(form.caption, U("実印作成中"));
  EXPECT_EQ(frame.bars, std::vector<int>{1});
  EXPECT_EQ(doc->m_bLayerVisible[2], 0);
  EXPECT_EQ(doc->m_nCurrentIndex, List().GetCount() - 1);
  EXPECT_EQ(doc->m_pCurrentObject, List().GetObject(doc->m_nCurrentIndex));
  EXPECT_EQ(doc->m_nCurrentKind, TYPE_TEXT1);
  EXPECT_EQ(doc->m_nSelectCount, 1);
  EXPECT_EQ(g_bModified, 1);
  // Hints to the form view: the frame (2), a character each (6), the last character made
  // current (its index), the repaints.
  ASSERT_GE(form.hints.size(), 6u);
  EXPECT_EQ(form.hints[form.hints.size() - 6], TYPE_CIRCLE);
  EXPECT_EQ(form.hints[form.hints.size() - 4], TYPE_TEXT1);
  EXPECT_EQ(form.hints[form.hints.size() - 3], doc->m_nCurrentIndex);
}

TEST_F(SealTest, SquareSealWithRadiusGetsRoundedArea) {
  BuildPersonal(2, 15, 15, 3, {U("印")}, 2.0);
  EXPECT_EQ(doc->m_Settings.DrawingArea.OutlineIndex, 5);
  EXPECT_DOUBLE_EQ(doc->m_Settings.DrawingArea.RoundSize, 2.0);
  auto frames = LivePart(SEAL_PART_OUTER_FRAME, TYPE_RECTANGLE);
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(static_cast<CRectangleObject*>(frames[0])->m_nEdgeStyle, 1);
}

TEST_F(SealTest, CancelAnywhereLeavesNormalModeAndTheDesign) {
  dialogs.kind = -1;  // OK without a choice
  doc->CreateNewSeal();
  dialogs.kind = 0;
  dialogs.personalOk = false;
  doc->CreateNewSeal();
  EXPECT_EQ(List().GetCount(), 1);
  EXPECT_EQ(doc->m_nSealMode, 0);
}

TEST_F(SealTest, RefusedSavePromptKeepsOldDesignAreaScaleAndAngle) {
  auto* line = List().AddLine(nullptr, TRUE, TRUE);
  line->m_dWidth = 5;
  doc->m_Settings.DrawingArea.Width = 60;
  doc->m_Settings.DrawingArea.OutlineIndex = 2;
  doc->m_Settings.DrawingData.ScaleX = 2.0;
  doc->m_Settings.DrawingData.ScanAngle = 30;
  doc->StoreDrawAreaPage();
  doc->StoreDrawDataPage();
  for (int round = 0; round < 2; ++round) {
    g_bModified = 1;
    if (round == 0) {
      prompter.ExpectMessage(IDCANCEL);
    } else {
      prompter.ExpectMessage(IDYES);  // then the save dialog is cancelled
    }
    BuildPersonal(0, 18, 18, 0, {U("山")});
    EXPECT_EQ(List().GetCount(), 2);
    EXPECT_EQ(List().GetObject(1), line);
    EXPECT_DOUBLE_EQ(doc->m_Settings.DrawingArea.Width, 60);
    EXPECT_EQ(doc->m_Settings.DrawingArea.OutlineIndex, 2);
    EXPECT_DOUBLE_EQ(List().GetDrawingObject()->m_pArea->m_dWidth, 60);
    EXPECT_DOUBLE_EQ(doc->m_Settings.DrawingData.ScaleX, 2.0);
    EXPECT_EQ(List().GetDrawingObject()->m_pSetting->m_nScanAngle, 30);
  }
  EXPECT_EQ(dialogs.saveAsked, 1);
  prompter.VerifyAllUsed();
}

TEST_F(SealTest, SavedOldDesignKeepsItsOwnArea) {
  CMrkFileServices files;
  doc->SetFileServices(&files);
  List().AddLine(nullptr, TRUE, TRUE);
  doc->m_Settings.DrawingArea.Width = 60;
  doc->m_Settings.DrawingArea.Height = 45;
  doc->m_Settings.DrawingArea.OutlineIndex = 2;
  doc->StoreDrawAreaPage();
  g_bModified = 1;
  prompter.ExpectMessage(IDYES);
  dialogs.savePath = dir.File("old.mrk").c_str();
  BuildPersonal(0, 18, 18, 0, {U("山")});
  doc->SetFileServices(nullptr);
  EXPECT_EQ(dialogs.saveAsked, 1);
  prompter.VerifyAllUsed();
  // The seal is built; the file holds the old design with the area it had.
  EXPECT_EQ(LivePart(SEAL_PART_OUTER_FRAME).size(), 1u);
  EXPECT_DOUBLE_EQ(List().GetDrawingObject()->m_pArea->m_dWidth, 18);
  CObjectList read;
  read.Initialize();
  CMrkBinaryFile file(CMrkBinaryFile::modeRead, dialogs.savePath);
  ASSERT_NE(file.Read(&read), nullptr);
  ASSERT_TRUE(file.DrawingDataLoaded());
  EXPECT_DOUBLE_EQ(read.GetDrawingObject()->m_pArea->m_dWidth, 60);
  EXPECT_DOUBLE_EQ(read.GetDrawingObject()->m_pArea->m_dHeight, 45);
  EXPECT_EQ(read.GetDrawingObject()->m_pArea->m_nOutlineStyle, 2);
  ASSERT_EQ(read.GetCount(), 2);
  EXPECT_EQ(read.GetObject(1)->m_nType, TYPE_LINE);
}

TEST_F(SealTest, SealModeShowsLayersAndClearsMasks) {
  BuildCorporate(U("株式会社山田商事"), U("代表印"));
  doc->m_bLayerVisible[1] = 0;
  doc->m_bLayerVisible[4] = 1;
  doc->SetMaskFlag(0, 1);
  doc->SetMaskFlag(1, 1);
  form.hints.clear();
  doc->SetSealMode(1);
  EXPECT_EQ(form.hints, std::vector<int>{HINT_REDRAW_ALL});
  EXPECT_EQ(doc->m_bMaskFlag, 0);
  EXPECT_EQ(doc->m_bInnerMaskFlag, 0);
  for (int i = 0; i < DOC_LAYER_COUNT; ++i) EXPECT_EQ(doc->m_bLayerVisible[i], i == 2 ? 0 : 1) << i;
  EXPECT_EQ(form.caption, U("実印作成中"));
  EXPECT_EQ(frame.bars, (std::vector<int>{2, 1}));
  // Nothing shown changes: no repaint, and the bars stay.
  form.hints.clear();
  doc->SetSealMode(1);
  EXPECT_TRUE(form.hints.empty());
  EXPECT_EQ(frame.bars.size(), 2u);

  // Without a form view only the mode is stored.
  doc->RemoveView(&form);
  doc->m_bLayerVisible[3] = 0;
  doc->SetMaskFlag(0, 1);
  doc->SetSealMode(2);
  EXPECT_EQ(doc->m_nSealMode, 2);
  EXPECT_EQ(doc->m_bLayerVisible[3], 0);
  EXPECT_EQ(doc->m_bLayerVisible[4], 1);
  EXPECT_EQ(doc->m_bMaskFlag, 1);
  EXPECT_EQ(frame.bars.size(), 2u);
  doc->AddView(&form);
}

TEST_F(SealTest, CorporateSealPartsLayersAndFonts) {
  BuildCorporate(U("株式会社山田商事"), U("代表　取締役 印"), 1, 1);
  auto ring = LivePart(SEAL_PART_RING_TEXT, TYPE_TEXT2);
  ASSERT_EQ(ring.size(), 1u);
  auto* arc = static_cast<CText2Object*>(ring[0]);
  EXPECT_EQ(CString(arc->GetName()), U("廻文字 (テキスト オブジェクト)"));
  EXPECT_DOUBLE_EQ(arc->m_dSpan, 315);
  EXPECT_DOUBLE_EQ(arc->m_dAngle, -157.5);
  EXPECT_EQ(arc->m_strText, U("・株式会社山田商事"));
  EXPECT_DOUBLE_EQ(arc->m_dCharHeight, 12 * 0.25);
  EXPECT_EQ(arc->m_strFaceName, "RingFace");
  EXPECT_EQ(arc->m_nLayer, 1);
  auto inner = LivePart(SEAL_PART_INNER_FRAME, TYPE_CIRCLE);
  ASSERT_EQ(inner.size(), 1u);
  EXPECT_DOUBLE_EQ(static_cast<CCircleObject*>(inner[0])->m_dSizeX, 18);
  EXPECT_EQ(inner[0]->m_nLayer, 2);
  double w = 0, h = 0, x = 1, y = 1;
  EXPECT_EQ(doc->FindSealFrameCircle(&w, &h, &x, &y), 1);
  EXPECT_DOUBLE_EQ(w, 18);
  EXPECT_DOUBLE_EQ(x, 0);
  // Three words, three columns in the inner frame's box, in the chosen inner font.
  auto texts = LivePart(SEAL_PART_INNER_TEXT, TYPE_TEXT1);
  ASSERT_EQ(texts.size(), 6u);
  EXPECT_DOUBLE_EQ(static_cast<CText1Object*>(texts[0])->m_dCharWidth, 6);
  EXPECT_EQ(static_cast<CText1Object*>(texts[0])->m_strFaceName, "InnerFace");
  EXPECT_EQ(texts[0]->m_nLayer, 3);
  EXPECT_EQ(doc->m_nSealMode, 2);
  EXPECT_EQ(doc->m_bLayerVisible[4], 0);
  EXPECT_EQ(doc->m_bLayerVisible[5], 0);
  EXPECT_EQ(doc->m_strRingText, U("株式会社山田商事"));
  // The prototypes give later objects no seal part.
  EXPECT_EQ(List().GetPrototype(TYPE_TEXT2)->m_nGroupId, 0);
  doc->AddNewObject(TYPE_TEXT2);
  EXPECT_EQ(List().GetObject(List().GetCount() - 1)->m_nGroupId, 0);
}

TEST_F(SealTest, CorporateSealEdgeCases) {
  // Same font: the ring-text face; an empty ring text without the dot: no ring, no division.
  dialogs.editCorporate = [](CorporateSealDialogData& d) {
    d.width = d.height = 20;
    d.kaibunSize = 20;
    d.uchiwaku = 1;
    d.tenmaru = 0;
    d.sameFont = 1;
    d.sotoFont[0] = "RingFace";
    d.uchiFont[0] = "InnerFace";
    d.ringText = "";
    d.style = 3;
    d.uchiText.insert(d.uchiText.begin(), "AB");
  };
  doc->BuildCorporateSeal();
  EXPECT_TRUE(LivePart(SEAL_PART_RING_TEXT).empty());
  auto texts = LivePart(SEAL_PART_INNER_TEXT);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(static_cast<CText1Object*>(texts[0])->m_strFaceName, "RingFace");
  for (CDrawObject* o : Live()) {
    if (o->m_nType == TYPE_TEXT2) {
      EXPECT_TRUE(std::isfinite(static_cast<CText2Object*>(o)->m_dSpan));
    }
  }

  g_bModified = 0;
  // Inner frame off: frame and ring text, no inner frame, text in the box inside the ring.
  BuildCorporate("ABCD", "XY", 0, 1);
  EXPECT_EQ(LivePart(SEAL_PART_OUTER_FRAME).size(), 1u);
  ASSERT_EQ(LivePart(SEAL_PART_RING_TEXT).size(), 1u);
  EXPECT_EQ(static_cast<CText2Object*>(LivePart(SEAL_PART_RING_TEXT)[0])->m_strText, "ABCD");
  EXPECT_TRUE(LivePart(SEAL_PART_INNER_FRAME).empty());
  auto inner = LivePart(SEAL_PART_INNER_TEXT);
  ASSERT_EQ(inner.size(), 2u);
  EXPECT_DOUBLE_EQ(static_cast<CText1Object*>(inner[0])->m_dHeight, 9);  // 24 less the 25 % ring, two rows
  EXPECT_EQ(doc->FindSealFrameCircle(nullptr, nullptr, nullptr, nullptr), 0);

  g_bModified = 0;
  // Cancel keeps the fonts chosen in the dialog but nothing else.
  dialogs.corporateOk = false;
  dialogs.editCorporate = [](CorporateSealDialogData& d) {
    d.sotoFont[0] = "Picked";
    d.width = 99;
  };
  doc->BuildCorporateSeal();
  EXPECT_EQ(doc->m_Settings.Inkan2.SotoFont[0], "Picked");
  EXPECT_DOUBLE_EQ(doc->m_Settings.Inkan2.Width, 24);
  EXPECT_EQ(doc->m_nSealMode, 0);
}

TEST_F(SealTest, SealListsSurviveARestart) {
  BuildCorporate("AB", "CD");
  doc->m_Settings.Inkan.FontHist[3] = U("明朝");
  doc->WriteSettings();
  CKorvaneDoc again;
  ASSERT_TRUE(again.OnNewDocument());
  EXPECT_EQ(again.m_Settings.Inkan2.UchiText.front(), "CD");
  EXPECT_EQ(again.m_Settings.Inkan2.SotoFont[0], "RingFace");
  EXPECT_EQ(again.m_Settings.Inkan.FontHist[3], U("明朝"));
}

TEST_F(SealTest, NothingRunsInPaintMode) {
  doc->m_bPaintMode = 1;
  dialogs.kind = 0;
  doc->CreateNewSeal();
  doc->ImportSealFolder();
  doc->ToggleSealMask();
  doc->ConvertInnerTextToImage(0);
  EXPECT_EQ(List().GetCount(), 1);
  EXPECT_EQ(doc->m_bMaskFlag, 0);
  doc->m_bPaintMode = 0;
}

}  // namespace
