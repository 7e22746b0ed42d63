// The current object, the selection, copies, delete, nudge and paste, with the hints and last
// actions each sends.
#include "doc_fakes.h"

namespace {

using R = UpdateRecord;
using Records_ = std::vector<UpdateRecord>;

double PosX(CKorvaneDoc& doc, int index) { return doc.GetObjectList()->GetObject(index)->m_dPosX; }
double PosY(CKorvaneDoc& doc, int index) { return doc.GetObjectList()->GetObject(index)->m_dPosY; }

using CurrentObject = DocumentTest;

TEST_F(CurrentObject, AddingTellsTheFormFirstThenTheCanvas) {
  EXPECT_EQ(doc->AddNewObject(TYPE_CIRCLE), TYPE_CIRCLE);
  EXPECT_EQ(g_bModified, 1);
  EXPECT_EQ(doc->m_nCurrentIndex, 1);
  EXPECT_EQ(doc->m_nSelectCount, 1);
  EXPECT_EQ(doc->m_pCurrentObject, List().GetObject(1));
  EXPECT_EQ(Records(), (Records_{R{"form", TYPE_CIRCLE, HINT_OBJECTS_ADDED, TYPE_CIRCLE, 1},
                                 R{"canvas", TYPE_CIRCLE, HINT_OBJECTS_ADDED, TYPE_CIRCLE, 1}}));
  EXPECT_EQ(doc->GetSelectionLength(), List().GetCount());
}

TEST_F(CurrentObject, ABitmapThatCannotBeMadeChangesOnlyTheModifiedFlag) {
  prompter.ExpectFile("");  // the operator cancels the file choice
  EXPECT_EQ(doc->AddNewObject(TYPE_BMP), TYPE_UNKNOWN);
  EXPECT_EQ(g_bModified, 1);
  EXPECT_EQ(List().GetCount(), 1);
  EXPECT_EQ(doc->m_nCurrentKind, TYPE_DRAWING);
  EXPECT_TRUE(Records().empty());
}

TEST_F(CurrentObject, ChoosingTheWorkAreaTwiceSendsNothingTheSecondTime) {
  Add({TYPE_LINE, TYPE_RECTANGLE});
  EXPECT_EQ(doc->SetCurrentObject(1, TRUE, FALSE), TYPE_LINE);
  EXPECT_EQ(Records(), (Records_{R{"form", 1, HINT_SELECTION_CHANGED, TYPE_LINE, 1}}));
  log.Clear();
  EXPECT_EQ(doc->SetCurrentObject(-2, TRUE, TRUE), TYPE_DRAWING);
  EXPECT_EQ(doc->m_nSelectCount, 0);
  EXPECT_EQ(Records(), (Records_{R{"form", 0, HINT_SELECTION_CHANGED, TYPE_DRAWING, 0},
                                 R{"canvas", 0, HINT_SELECTION_CHANGED, TYPE_DRAWING, 0}}));
  log.Clear();
  g_bModified = 0;
  EXPECT_EQ(doc->SetCurrentObject(-2, TRUE, TRUE), TYPE_DRAWING);
  EXPECT_TRUE(Records().empty());
  EXPECT_EQ(g_bModified, 1);  // choosing always counts as a change
}

TEST_F(CurrentObject, AnIndexOutsideTheListGives20AndChangesNothing) {
  Add({TYPE_LINE});
  for (int index : {2, -1, -5}) {
    EXPECT_EQ(doc->SetCurrentObject(index, TRUE, TRUE), TYPE_UNKNOWN);
    EXPECT_EQ(doc->m_nCurrentIndex, 1);
  }
  EXPECT_TRUE(Records().empty());
  EXPECT_EQ(doc->CloneObject(2), nullptr);
  EXPECT_EQ(doc->CloneObject(-1), nullptr);
}

TEST_F(CurrentObject, CopiesAreIndependentAndFreedThroughTheDocument) {
  Add({TYPE_TEXT1});
  CDrawObject* copy = doc->CloneObject(1);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->m_nType, TYPE_TEXT1);
  static_cast<CText1Object*>(copy)->SetText("XYZ");
  copy->m_dPosX = 99;
  EXPECT_EQ(PosX(*doc, 1), 0.0);
  EXPECT_EQ(static_cast<CText1Object*>(List().GetObject(1))->m_strText, "1234567890");
  CKorvaneDoc::FreeObject(copy);
  CKorvaneDoc::FreeObject(nullptr);

  // Item 0 comes with its own three children.
  doc->SetCurrentObject(0, FALSE, FALSE);
  auto* area = static_cast<CDrawingObject*>(doc->CopyCurrentObject());
  ASSERT_NE(area, nullptr);
  area->m_pSetting->m_Layers[2].nPower = 7;
  EXPECT_EQ(List().GetDrawingObject()->m_pSetting->m_Layers[2].nPower, 100);
  CKorvaneDoc::FreeObject(area);
}

TEST_F(CurrentObject, TheCanvasWritesBackTheCommonPartOfACopy) {
  Add({TYPE_LINE});
  CDrawObject* copy = doc->CloneObject(1);
  copy->m_rcBounds = CDoubleRect(1, 2, 3, 4);
  copy->m_vOuterPoints.push_back(CDoublePoint(5, 6));
  doc->SetObjectCommon(1, copy);
  doc->SetObjectCommon(7, copy);  // out of range: nothing
  CKorvaneDoc::FreeObject(copy);
  EXPECT_EQ(List().GetObject(1)->m_rcBounds, CDoubleRect(1, 2, 3, 4));
  EXPECT_EQ(List().GetObject(1)->m_vOuterPoints.size(), 1u);
}

using Selection = DocumentTest;

TEST_F(Selection, AMultiSelectionTakesTheUnionOfTheSelectedBounds) {
  Add({TYPE_LINE, TYPE_RECTANGLE, TYPE_CIRCLE});
  List().GetObject(2)->m_dPosX = 30;  // rectangle 20 x 20 about (30, 0)
  const int flags[4] = {1, 1, 0, 0};
  doc->SetMultiSelection(flags, 4);
  EXPECT_EQ(doc->m_nCurrentKind, TYPE_MULTI);
  EXPECT_EQ(doc->m_nCurrentIndex, -1);
  EXPECT_EQ(doc->m_pCurrentObject, List().GetMultiObject());
  const CMultiObject* multi = List().GetMultiObject();
  EXPECT_DOUBLE_EQ(multi->m_dSizeX, 45.0);  // line from -5 to 5, rectangle from 20 to 40
  EXPECT_DOUBLE_EQ(multi->m_dSizeY, 20.0);
  EXPECT_DOUBLE_EQ(multi->m_dPosX, 17.5);
  EXPECT_EQ(multi->m_bValid, 1);
  EXPECT_EQ(doc->GetSelectedCount(), 2);
  int indices[4] = {};
  EXPECT_EQ(doc->GetSelectedIndices(indices, 4), 2);
  EXPECT_EQ(indices[0], 1);
  EXPECT_EQ(indices[1], 2);
  EXPECT_EQ(doc->GetSelectedIndices(indices, 1), 1);
  EXPECT_EQ(Records(), (Records_{R{"form", -1, HINT_SELECTION_CHANGED, TYPE_MULTI, -1},
                                 R{"canvas", -1, HINT_SELECTION_CHANGED, TYPE_MULTI, -1}}));
}

TEST_F(Selection, TheFlagsAreTheDocumentsOwnAndFollowTheList) {
  Add({TYPE_LINE, TYPE_LINE});
  std::vector<int> flags = {1, 1, 0};
  doc->SetMultiSelection(flags.data(), 3);
  flags.assign(3, 7);  // the caller's array may change or go away
  EXPECT_EQ(doc->GetSelectionFlags(), (std::vector<int>{1, 1, 0}));
  // A longer array than the list is cut; the flags grow as objects are added.
  std::vector<int> longer(10, 1);
  doc->SetMultiSelection(longer.data(), 10);
  EXPECT_EQ(doc->GetSelectionLength(), 3);
  Add({TYPE_LINE});
  EXPECT_EQ(doc->GetSelectionLength(), 4);
  EXPECT_EQ(doc->GetSelectionFlags().back(), 0);
  doc->SetSelectionFlag(2, 1);
  doc->SetSelectionFlag(99, 1);  // ignored
  EXPECT_EQ(doc->GetSelectedCount(), 3);
}

TEST_F(Selection, SelectingAddedObjectsIsAnAddition) {
  Add({TYPE_LINE, TYPE_LINE});
  List().GetMultiObject()->m_bValid = 0;
  const int flags[3] = {0, 1, 0};
  doc->SelectAddedObjects(flags, 3);
  EXPECT_EQ(List().GetMultiObject()->m_dSizeX, 10.0);
  EXPECT_EQ(Records(), (Records_{R{"form", TYPE_MULTI, HINT_OBJECTS_ADDED, TYPE_MULTI, -1},
                                 R{"canvas", TYPE_MULTI, HINT_OBJECTS_ADDED, TYPE_MULTI, -1}}));
}

using Delete = DocumentTest;

TEST_F(Delete, NothingSelectedReturns0AndSendsNothing) {
  EXPECT_EQ(doc->DeleteSelection(), 0);
  EXPECT_TRUE(Records().empty());
}

TEST_F(Delete, OneObjectIsFlaggedAndRememberedForCut) {
  Add({TYPE_LINE, TYPE_CIRCLE});
  doc->SetCurrentObject(1, FALSE, FALSE);
  log.Clear();
  EXPECT_EQ(doc->DeleteSelection(), 1);
  EXPECT_EQ(List().GetObject(1)->m_bDeleted, 1);
  EXPECT_EQ(List().GetObject(2)->m_bDeleted, 0);
  EXPECT_EQ(List().GetCount(), 3);  // flagged, not removed
  EXPECT_EQ(doc->m_nLastDeletedIndex, 1);
  EXPECT_EQ(doc->m_nCurrentKind, TYPE_DRAWING);
  EXPECT_EQ(Records(), (Records_{R{"canvas", 1, HINT_OBJECTS_DELETED, TYPE_LINE, 1},
                                 R{"form", 0, HINT_OBJECTS_DELETED, TYPE_DRAWING, 0}}));
}

TEST_F(Delete, ASelectionFlagsEveryMarkedEntryAndKeepsTheFlags) {
  Add({TYPE_LINE, TYPE_CIRCLE, TYPE_RECTANGLE});
  SelectMany({1, 3});
  EXPECT_EQ(doc->DeleteSelection(), 4);  // the count of a multi-selection is the flags' length
  EXPECT_EQ(List().GetObject(1)->m_bDeleted, 1);
  EXPECT_EQ(List().GetObject(2)->m_bDeleted, 0);
  EXPECT_EQ(List().GetObject(3)->m_bDeleted, 1);
  EXPECT_EQ(doc->GetSelectedCount(), 2);
  EXPECT_EQ(Records().front(), (R{"canvas", -1, HINT_OBJECTS_DELETED, TYPE_MULTI, -1}));
  EXPECT_EQ(doc->DeleteSelection(), 0);
}

using Nudge = DocumentTest;

TEST_F(Nudge, MovesTheCurrentObjectByTheStepInEachDirection) {
  Add({TYPE_LINE});
  doc->m_Settings.System.MoveStep = 0;
  doc->NudgeSelection(0);
  EXPECT_DOUBLE_EQ(PosY(*doc, 1), 0.025);
  doc->NudgeSelection(2);
  EXPECT_DOUBLE_EQ(PosX(*doc, 1), -0.025);
  doc->m_Settings.System.MoveStep = 14;
  doc->NudgeSelection(1);
  doc->NudgeSelection(3);
  EXPECT_DOUBLE_EQ(PosY(*doc, 1), 0.025 - 10);
  EXPECT_DOUBLE_EQ(PosX(*doc, 1), -0.025 + 10);
  const Records_ r = Records();
  ASSERT_EQ(r.size(), 12u);
  EXPECT_EQ(r[0], (R{"form", 1, HINT_OBJECT_MOVED, TYPE_LINE, 1}));
  EXPECT_EQ(r[1], (R{"canvas", 1, HINT_OBJECT_MOVED, TYPE_LINE, 1}));
  EXPECT_EQ(r[2], (R{"form", HINT_SELECTION_NUDGED, HINT_OBJECT_MOVED, TYPE_LINE, 1}));
  EXPECT_EQ(canvas.invalidatedObjects, (std::vector<int>{1, 1, 1, 1}));
}

TEST_F(Nudge, TheWorkAreaDoesNotMove) {
  doc->NudgeSelection(0);
  EXPECT_TRUE(Records().empty());
  EXPECT_EQ(g_bModified, 0);
}

TEST_F(Nudge, ASelectionMovesWithItsBoundsAndNeverPastTheList) {
  Add({TYPE_LINE, TYPE_LINE, TYPE_LINE});
  SelectMany({1, 3});
  // A flag in the last slot stands for an entry that does not exist.
  doc->SetSelectionFlag(3, 1);
  doc->m_Settings.System.MoveStep = 7;  // 1 mm
  const double multiX = List().GetMultiObject()->m_dPosX;
  doc->NudgeSelection(3);
  EXPECT_EQ(PosX(*doc, 1), 1.0);
  EXPECT_EQ(PosX(*doc, 2), 0.0);
  EXPECT_EQ(PosX(*doc, 3), 1.0);
  EXPECT_EQ(List().GetMultiObject()->m_dPosX, multiX + 1.0);
  EXPECT_EQ(canvas.invalidatedSelections, 1);
  EXPECT_EQ(Records(), (Records_{R{"form", -1, HINT_OBJECTS_MOVED, TYPE_MULTI, -1},
                                 R{"canvas", -1, HINT_OBJECTS_MOVED, TYPE_MULTI, -1},
                                 R{"form", HINT_SELECTION_NUDGED, HINT_OBJECTS_MOVED, TYPE_MULTI, -1}}));
}

using Paste = DocumentTest;

TEST_F(Paste, CopiesLandTwoFourAndSixMillimetresRightAndDown) {
  Add({TYPE_LINE});
  const ObjectClipboardBlock block{CLIPBOARD_COPY, {1}};
  for (int number = 1; number <= 3; ++number) doc->PasteObjects(block, number);
  ASSERT_EQ(List().GetCount(), 5);
  for (int k = 1; k <= 3; ++k) {
    EXPECT_EQ(PosX(*doc, 1 + k), 2.0 * k);
    EXPECT_EQ(PosY(*doc, 1 + k), -2.0 * k);
  }
  EXPECT_EQ(doc->m_nCurrentIndex, 4);
  EXPECT_EQ(doc->m_nPasteSize, 1);
  EXPECT_EQ(Records().back(), (R{"canvas", 0, HINT_OBJECTS_PASTED, TYPE_LINE, 4}));
}

TEST_F(Paste, CutObjectsLandZeroTwoAndFourMillimetresAway) {
  Add({TYPE_LINE});
  doc->DeleteSelection();
  const ObjectClipboardBlock block{CLIPBOARD_CUT, {1}};
  for (int number = 1; number <= 3; ++number) doc->PasteObjects(block, number);
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(PosX(*doc, 2 + k), 2.0 * k);
    EXPECT_EQ(List().GetObject(2 + k)->m_bDeleted, 0);
  }
}

TEST_F(Paste, SeveralObjectsBecomeTheSelectionAndTheBoundsMoveAlong) {
  Add({TYPE_LINE, TYPE_CIRCLE});
  SelectMany({1, 2});
  const double multiX = List().GetMultiObject()->m_dPosX;
  doc->PasteObjects(ObjectClipboardBlock{CLIPBOARD_COPY, {1, 2}}, 1);
  EXPECT_EQ(doc->m_nCurrentKind, TYPE_MULTI);
  EXPECT_EQ(doc->m_nPasteSize, 2);
  EXPECT_EQ(doc->GetSelectionFlags(), (std::vector<int>{0, 0, 1, 1, 0}));
  EXPECT_EQ(List().GetMultiObject()->m_dPosX, multiX + 2.0);
  EXPECT_EQ(Records(), (Records_{R{"form", 0, HINT_OBJECTS_PASTED, TYPE_MULTI, -1},
                                 R{"canvas", 0, HINT_OBJECTS_PASTED, TYPE_MULTI, -1}}));
}

TEST_F(Paste, IndicesOutsideTheDesignAreSkipped) {
  Add({TYPE_LINE});
  doc->PasteObjects(ObjectClipboardBlock{CLIPBOARD_COPY, {0, -3, 2, 1000, 1}}, 1);
  EXPECT_EQ(List().GetCount(), 3);
  EXPECT_EQ(doc->m_nPasteSize, 1);
  EXPECT_EQ(doc->m_nCurrentIndex, 2);
  log.Clear();
  doc->PasteObjects(ObjectClipboardBlock{CLIPBOARD_COPY, {0, 5}}, 2);
  EXPECT_EQ(List().GetCount(), 3);
  EXPECT_TRUE(Records().empty());
}

TEST_F(Paste, AtTheContextPointOneObjectLandsExactlyThere) {
  Add({TYPE_RECTANGLE});
  doc->m_ptContext = CDoublePoint(12.5, -7.25);
  doc->PasteObjectsAt(ObjectClipboardBlock{CLIPBOARD_COPY, {1}});
  EXPECT_EQ(PosX(*doc, 2), 12.5);
  EXPECT_EQ(PosY(*doc, 2), -7.25);
  EXPECT_EQ(doc->m_nSelectCount, 1);
  EXPECT_EQ(Records().size(), 2u);
}

TEST_F(Paste, AtTheContextPointSeveralObjectsKeepTheirLayoutAroundIt) {
  Add({TYPE_LINE, TYPE_RECTANGLE});
  List().GetObject(2)->m_dPosX = 30;  // union from -5 to 40: centre 17.5, 0
  doc->m_ptContext = CDoublePoint(100, 50);
  doc->PasteObjectsAt(ObjectClipboardBlock{CLIPBOARD_COPY, {1, 2}});
  EXPECT_DOUBLE_EQ(PosX(*doc, 3), 100 - 17.5);
  EXPECT_DOUBLE_EQ(PosX(*doc, 4), 100 + 12.5);
  EXPECT_DOUBLE_EQ(PosY(*doc, 3), 50);
  EXPECT_EQ(doc->m_nCurrentKind, TYPE_MULTI);
  EXPECT_EQ(Records(), (Records_{R{"canvas", -1, HINT_OBJECTS_PASTED, TYPE_MULTI, -1}}));
}

using Views = DocumentTest;

TEST_F(Views, TheTwoViewsAreFoundByWhatTheyAreAndFocusedOnRequest) {
  EXPECT_EQ(doc->GetKorvaneView(), static_cast<IDocFormView*>(&form));
  EXPECT_EQ(doc->GetLeftView(), static_cast<IDocCanvasView*>(&canvas));
  doc->FocusView(1);
  doc->FocusView(0);
  doc->FocusView(0);
  doc->FocusView(5);
  EXPECT_EQ(form.focusCount, 1);
  EXPECT_EQ(canvas.focusCount, 2);
  doc->InvalidateLeftView(RECT{0, 0, 10, 10});
  EXPECT_EQ(canvas.invalidatedRects, 1);
  doc->UpdateAll();
  EXPECT_EQ(Records(), (Records_{R{"form", -1, HINT_NEW_DOCUMENT_ACTION, TYPE_DRAWING, 0},
                                 R{"canvas", -1, HINT_NEW_DOCUMENT_ACTION, TYPE_DRAWING, 0}}));
  doc->RemoveView(&canvas);
  EXPECT_EQ(doc->GetLeftView(), nullptr);
  doc->InvalidateLeftView(RECT{0, 0, 10, 10});  // no canvas: nothing to do
  EXPECT_EQ(canvas.invalidatedRects, 1);
}

TEST(ClipboardBlock, BytesRoundTripAndShortBlocksAreRefused) {
  const ObjectClipboardBlock block{CLIPBOARD_COPY, {2, 5}};
  const std::vector<std::uint8_t> bytes = block.ToBytes();
  EXPECT_EQ(bytes, (std::vector<std::uint8_t>{1, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 5, 0, 0, 0}));
  ObjectClipboardBlock read;
  ASSERT_TRUE(ObjectClipboardBlock::FromBytes(bytes.data(), bytes.size(), read));
  EXPECT_EQ(read.indices, block.indices);
  EXPECT_FALSE(ObjectClipboardBlock::FromBytes(bytes.data(), bytes.size() - 1, read));
  EXPECT_FALSE(ObjectClipboardBlock::FromBytes(bytes.data(), 7, read));
}

}  // namespace
