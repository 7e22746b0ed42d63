// Editing operations: move step and zoom tables, layer, mirror, centring, the font and
// output-mode dialogs, tracker moves and resizes, multi-selection changes, the settings mirrors.
#include "doc_fakes.h"

namespace {

using R = UpdateRecord;
using Records_ = std::vector<UpdateRecord>;

template <class T>
T& Obj(CKorvaneDoc& doc, int index) {
  return *static_cast<T*>(doc.GetObjectList()->GetObject(index));
}

using MoveStepAndZoom = DocumentTest;

TEST_F(MoveStepAndZoom, TheMoveStepWrapsAtBothEndsWithoutAHint) {
  doc->m_Settings.System.MoveStep = 14;
  EXPECT_EQ(doc->CycleMoveStep(TRUE), 0.025);
  EXPECT_EQ(doc->m_Settings.System.MoveStep, 0);
  EXPECT_EQ(doc->CycleMoveStep(FALSE), 10.0);
  EXPECT_EQ(doc->CycleMoveStep(FALSE), 7.5);
  doc->m_Settings.System.MoveStep = 40;  // from a damaged settings file
  EXPECT_EQ(doc->GetMoveStep(), g_MoveStepTable[10]);
  EXPECT_EQ(doc->CycleMoveStep(TRUE), g_MoveStepTable[11]);
  EXPECT_TRUE(Records().empty());
}

TEST_F(MoveStepAndZoom, ZoomStopsAtBothEndsAndOnlyAChangeIsSent) {
  doc->m_Settings.System.ZoomStep = 25;
  EXPECT_FALSE(doc->CanCycleZoom(TRUE));
  EXPECT_EQ(doc->CycleZoom(TRUE), 20.0);
  EXPECT_TRUE(Records().empty());
  EXPECT_EQ(doc->CycleZoom(FALSE), 15.0);
  EXPECT_EQ(Records(), (Records_{R{"form", HINT_ZOOM_CHANGED, HINT_NEW_DOCUMENT_ACTION, TYPE_DRAWING, 0},
                                 R{"canvas", HINT_ZOOM_CHANGED, HINT_NEW_DOCUMENT_ACTION, TYPE_DRAWING, 0}}));
  log.Clear();
  doc->m_Settings.System.ZoomStep = 0;
  EXPECT_FALSE(doc->CanCycleZoom(FALSE));
  EXPECT_TRUE(doc->CanCycleZoom(TRUE));
  EXPECT_EQ(doc->CycleZoom(FALSE), 0.1);
  EXPECT_TRUE(Records().empty());
  EXPECT_TRUE(frame.zoomPane.empty());  // the caller refreshes the pane after cycling
}

TEST_F(MoveStepAndZoom, ResetAndSetTellTheViewsAndThePaneWhileTheQuietOnesDoNot) {
  doc->m_Settings.System.ZoomStep = 12;
  EXPECT_EQ(doc->ResetZoomQuiet(), 12);
  EXPECT_EQ(doc->GetZoomFactor(), 1.0);
  EXPECT_EQ(doc->SetZoomQuiet(12), 9);
  EXPECT_TRUE(Records().empty());
  EXPECT_EQ(doc->ResetZoom(), 12);
  doc->SetZoom(3);
  EXPECT_EQ(doc->GetZoomFactor(), 0.4);
  EXPECT_EQ(frame.zoomPane, (std::vector<int>{9, 3}));
  EXPECT_EQ(Records().size(), 4u);
  EXPECT_EQ(ZoomFactorAt(-1), 0.1);
  EXPECT_EQ(ZoomFactorAt(26), 20.0);
}

using LayerAndMirror = DocumentTest;

TEST_F(LayerAndMirror, ChangeTheSelectionWithoutTheModifiedFlag) {
  Add({TYPE_LINE, TYPE_CIRCLE, TYPE_RECTANGLE});
  List().SetObjectLayer(1, 2);
  SelectMany({1, 2});
  g_bModified = 0;
  doc->SetSelectionLayer(3);
  EXPECT_EQ(List().GetObjectLayer(1), 3);
  EXPECT_EQ(List().GetObjectLayer(2), 3);
  EXPECT_EQ(List().GetObjectLayer(3), 0);
  EXPECT_EQ(List().GetObject(2)->m_crColor, 0xFF0000u);
  doc->MirrorSelection(TRUE, FALSE);
  doc->MirrorSelection(TRUE, TRUE);
  EXPECT_EQ(List().GetObject(1)->m_bMirrorX, 0);
  EXPECT_EQ(List().GetObject(1)->m_bMirrorY, 1);
  EXPECT_EQ(g_bModified, 0);
  EXPECT_EQ(Records(), (Records_{R{"form", HINT_LAYER_CHANGED, HINT_SELECTION_CHANGED, TYPE_MULTI, -1},
                                 R{"canvas", HINT_LAYER_CHANGED, HINT_SELECTION_CHANGED, TYPE_MULTI, -1},
                                 R{"form", HINT_MIRROR_CHANGED, HINT_SELECTION_CHANGED, TYPE_MULTI, -1},
                                 R{"canvas", HINT_MIRROR_CHANGED, HINT_SELECTION_CHANGED, TYPE_MULTI, -1},
                                 R{"form", HINT_MIRROR_CHANGED, HINT_SELECTION_CHANGED, TYPE_MULTI, -1},
                                 R{"canvas", HINT_MIRROR_CHANGED, HINT_SELECTION_CHANGED, TYPE_MULTI, -1}}));
}

TEST_F(LayerAndMirror, TheLayerDialogStartsAtTheCommonLayerOrMinusOne) {
  Add({TYPE_LINE, TYPE_CIRCLE});
  List().SetObjectLayer(1, 5);
  SelectMany({1, 2});
  dialogs.layers.push_back({true, LayerDialogData{6}});
  doc->OnLayerDialog();
  EXPECT_EQ(dialogs.shownLayer.layer, -1);
  EXPECT_EQ(List().GetObjectLayer(1), 6);
  EXPECT_EQ(List().GetObjectLayer(2), 6);
  dialogs.layers.push_back({false, LayerDialogData{1}});
  log.Clear();
  doc->OnLayerDialog();
  EXPECT_EQ(dialogs.shownLayer.layer, 6);
  EXPECT_EQ(List().GetObjectLayer(1), 6);
  EXPECT_TRUE(Records().empty());
}

TEST_F(LayerAndMirror, TheColourBoxSwatchIsTheLayerOfTheSelection) {
  Add({TYPE_LINE, TYPE_CIRCLE});
  List().SetObjectLayer(1, 5);
  SelectMany({1, 2});
  g_bModified = 0;
  dialogs.colorBoxes.push_back({true, ColorBoxDialogData{2}});
  doc->OnColorBox();
  EXPECT_EQ(dialogs.shownColorBox.color, -1);
  EXPECT_EQ(List().GetObjectLayer(1), 2);
  EXPECT_EQ(List().GetObjectLayer(2), 2);
  EXPECT_EQ(List().GetObject(1)->m_crColor, 0x00FF00u);
  EXPECT_EQ(g_bModified, 0);
  EXPECT_EQ(Records(), (Records_{R{"form", HINT_LAYER_CHANGED, HINT_SELECTION_CHANGED, TYPE_MULTI, -1},
                                 R{"canvas", HINT_LAYER_CHANGED, HINT_SELECTION_CHANGED, TYPE_MULTI, -1}}));
  // Cancelled, or closed with no swatch chosen: nothing changes.
  dialogs.colorBoxes.push_back({false, ColorBoxDialogData{4}});
  dialogs.colorBoxes.push_back({true, ColorBoxDialogData{-1}});
  log.Clear();
  doc->OnColorBox();
  doc->OnColorBox();
  EXPECT_EQ(List().GetObjectLayer(1), 2);
  EXPECT_TRUE(Records().empty());
}

TEST_F(LayerAndMirror, NothingSelectedMeansNothingHappens) {
  Add({TYPE_LINE});
  doc->SetCurrentObject(-2, FALSE, FALSE);
  log.Clear();
  doc->SetSelectionLayer(4);
  doc->MirrorSelection(TRUE, TRUE);
  doc->OnLayerDialog();  // no dialog either
  doc->OnColorBox();
  doc->CenterSelection(TRUE, TRUE);
  EXPECT_TRUE(Records().empty());
  EXPECT_EQ(List().GetObjectLayer(1), 0);
}

using Centre = DocumentTest;

TEST_F(Centre, OneObjectHorizontallyZeroesOnlyItsX) {
  Add({TYPE_LINE});
  List().GetObject(1)->m_dPosX = 4;
  List().GetObject(1)->m_dPosY = 6;
  doc->CenterSelection(TRUE, FALSE);
  EXPECT_EQ(List().GetObject(1)->m_dPosX, 0.0);
  EXPECT_EQ(List().GetObject(1)->m_dPosY, 6.0);
  EXPECT_EQ(g_bModified, 1);
  EXPECT_EQ(Records().back(), (R{"canvas", 1, HINT_OBJECT_MOVED, TYPE_LINE, 1}));
}

TEST_F(Centre, SeveralObjectsMoveTogetherUntilTheirCentreIsZero) {
  Add({TYPE_LINE, TYPE_LINE});
  List().GetObject(1)->m_dPosX = 10;
  List().GetObject(2)->m_dPosX = 20;
  List().GetObject(2)->m_dPosY = 8;
  SelectMany({1, 2});
  doc->CenterSelection(TRUE, TRUE);
  EXPECT_DOUBLE_EQ(List().GetObject(1)->m_dPosX, -5);
  EXPECT_DOUBLE_EQ(List().GetObject(2)->m_dPosX, 5);
  EXPECT_DOUBLE_EQ(List().GetObject(2)->m_dPosY, 8 - 4.0);  // union from -0.5 to 8.5
  EXPECT_EQ(List().GetMultiObject()->m_dPosX, 0.0);
  EXPECT_EQ(List().GetMultiObject()->m_dPosY, 0.0);
  EXPECT_EQ(Records().back(), (R{"canvas", TYPE_MULTI, HINT_OBJECT_MOVED, TYPE_MULTI, -1}));
}

using FontAndOutput = DocumentTest;

TEST_F(FontAndOutput, TheFontCommandChangesTheTrackedTextAndTheKindsDefaults) {
  Add({TYPE_LINE, TYPE_TEXT2});
  canvas.hasTracker = true;
  canvas.trackerIndex = 2;
  FontDialogData chosen;
  chosen.faceName = CString::FromUtf8("ＭＳ ゴシック");
  chosen.charSet = 128;
  chosen.italic = 1;
  chosen.weight = 700;
  chosen.pointSizeTenths = 125;
  dialogs.fonts.push_back({true, chosen});
  doc->OnFontCommand();
  EXPECT_EQ(dialogs.shownFont.weight, 400);
  auto& text = Obj<CText2Object>(*doc, 2);
  EXPECT_EQ(text.m_strFaceName, chosen.faceName);
  EXPECT_EQ(text.m_nWeight, 700);
  EXPECT_EQ(text.m_bItalic, 1);
  EXPECT_EQ(doc->m_Settings.System.FontName, chosen.faceName);
  EXPECT_EQ(doc->m_Settings.System.FontSize, 12);
  EXPECT_EQ(List().m_Text2Defaults.nFontSize, 125);
  EXPECT_EQ(CString(List().m_Text2Defaults.szFaceName), chosen.faceName);
  EXPECT_EQ(List().m_Text1Defaults.nWeight, 400);
  EXPECT_EQ(Records(), (Records_{R{"form", 0, HINT_FONT_CHANGED, TYPE_TEXT2, 2},
                                 R{"canvas", 0, HINT_FONT_CHANGED, TYPE_TEXT2, 2}}));
}

TEST_F(FontAndOutput, TheFontCommandNeedsOneTrackedTextObject) {
  Add({TYPE_LINE, TYPE_TEXT1});
  doc->OnFontCommand();  // no tracker
  canvas.hasTracker = true;
  canvas.trackerIndex = -1;
  doc->OnFontCommand();  // a multi-selection tracker
  canvas.trackerIndex = 1;
  doc->OnFontCommand();  // tracks the line while a text is current
  doc->SetCurrentObject(1, FALSE, FALSE);
  log.Clear();
  doc->OnFontCommand();  // current kind is no text
  EXPECT_TRUE(Records().empty());
}

TEST_F(FontAndOutput, TheOutputModeGoesIntoTheObjectAndTheKindsDefaults) {
  Add({TYPE_CIRCLE});
  canvas.hasTracker = true;
  canvas.trackerIndex = 1;
  OutputModeDialogData chosen;
  chosen.outputMode = 1;
  chosen.fillDirection = 1;
  chosen.scanInterval = "0.0505";
  dialogs.outputModes.push_back({true, chosen});
  doc->OnOutputMode();
  EXPECT_EQ(dialogs.shownOutputMode.scanInterval, " 0.025");
  EXPECT_EQ(dialogs.shownOutputMode.outputMode, 0);
  auto& circle = Obj<CCircleObject>(*doc, 1);
  EXPECT_EQ(circle.m_nOutputMode, 1);
  EXPECT_EQ(circle.m_nFillDirection, 1);
  EXPECT_EQ(circle.m_dScanInterval, 0.0505);
  EXPECT_EQ(List().m_OutputDefaults[TYPE_CIRCLE].nScanInterval, 50);
  EXPECT_EQ(List().m_OutputDefaults[TYPE_CIRCLE].nOutputMode, 1);
  EXPECT_EQ(doc->m_nLastAction, HINT_OBJECTS_ADDED);  // no last action of its own
  EXPECT_EQ(Records().back().hint, HINT_OUTPUT_MODE_CHANGED);
}

TEST_F(FontAndOutput, AScanIntervalOfZeroOrBelowIsRefused) {
  Add({TYPE_CIRCLE});
  canvas.hasTracker = true;
  canvas.trackerIndex = 1;
  for (const char* typed : {"0", "-0.1", "abc"}) {
    OutputModeDialogData chosen;
    chosen.outputMode = 1;
    chosen.scanInterval = typed;
    dialogs.outputModes.push_back({true, chosen});
    doc->OnOutputMode();
  }
  EXPECT_EQ(Obj<CCircleObject>(*doc, 1).m_nOutputMode, 0);
  EXPECT_EQ(Obj<CCircleObject>(*doc, 1).m_dScanInterval, 0.025);
  EXPECT_EQ(List().m_OutputDefaults[TYPE_CIRCLE].nScanInterval, 25);
  EXPECT_TRUE(Records().empty());
}

using Tracker = DocumentTest;

TEST_F(Tracker, HandleCodesMapToMovesAndSizeChanges) {
  Add({TYPE_RECTANGLE});  // 20 x 20 at (0, 0)
  auto& rect = Obj<CRectangleObject>(*doc, 1);
  doc->MoveResizeObject(0, 1, 3, -4, 99, 99);
  EXPECT_EQ(rect.m_dPosX, 3.0);
  EXPECT_EQ(rect.m_dPosY, -4.0);
  EXPECT_EQ(rect.m_dWidth, 20.0);
  EXPECT_EQ(Records().back(), (R{"canvas", 1, HINT_OBJECT_MOVED, TYPE_RECTANGLE, 1}));
  // Top edge dragged up by 4 (dh = -4 in the tracker's downward y): 4 taller, centre 2 higher.
  doc->MoveResizeObject(1, 1, 0, 0, 0, -4);
  EXPECT_EQ(rect.m_dHeight, 24.0);
  EXPECT_EQ(rect.m_dPosY, -2.0);
  EXPECT_EQ(doc->m_nLastAction, HINT_OBJECTS_MOVED);
  // Bottom-right corner: 6 wider, 2 taller; the centre follows half of each.
  doc->MoveResizeObject(8, 1, 0, 0, 6, -2);
  EXPECT_EQ(rect.m_dWidth, 26.0);
  EXPECT_EQ(rect.m_dHeight, 26.0);
  EXPECT_EQ(rect.m_dPosX, 6.0);
  EXPECT_EQ(rect.m_dPosY, -3.0);
  // The next new rectangle takes the new size.
  EXPECT_EQ(static_cast<CRectangleObject*>(List().GetPrototype(TYPE_RECTANGLE))->m_dWidth, 26.0);
}

TEST_F(Tracker, Code14ChangesNothingAndSendsNothing) {
  Add({TYPE_LINE});
  g_bModified = 0;
  doc->MoveResizeObject(14, 1, 5, 5, 5, 5);
  doc->TransformSelection(14, 2, 2, 1, 1, {}, {}, {}, {});
  EXPECT_EQ(List().GetObject(1)->m_dPosX, 0.0);
  EXPECT_EQ(g_bModified, 0);
  EXPECT_TRUE(Records().empty());
}

TEST_F(Tracker, ASelectionScalesAboutTheOppositeCorner) {
  Add({TYPE_RECTANGLE, TYPE_RECTANGLE});
  List().GetObject(2)->m_dPosX = 30;
  SelectMany({1, 2});  // union from -10 to 40, top 10, bottom -10
  // The right edge dragged from 40 to 90: twice as wide about the old left edge.
  doc->TransformSelection(4, 2.0, 1.0, 0, 0, CDoublePoint(-10, 10), CDoublePoint(40, -10), CDoublePoint(-10, 10),
                          CDoublePoint(90, -10));
  EXPECT_EQ(List().GetObject(1)->m_dPosX, 10.0);
  EXPECT_EQ(List().GetObject(2)->m_dPosX, 70.0);
  EXPECT_EQ(Obj<CRectangleObject>(*doc, 2).m_dWidth, 40.0);
  EXPECT_EQ(List().GetMultiObject()->m_dSizeX, 100.0);
  EXPECT_EQ(List().GetMultiObject()->m_dPosX, 40.0);
  EXPECT_EQ(Records(), (Records_{R{"form", -1, HINT_OBJECTS_MOVED, TYPE_MULTI, -1},
                                 R{"canvas", -1, HINT_OBJECTS_MOVED, TYPE_MULTI, -1}}));
  log.Clear();
  doc->TransformSelection(0, 1, 1, 5, -5, {}, {}, CDoublePoint(-5, 5), CDoublePoint(95, -15));
  EXPECT_EQ(List().GetObject(1)->m_dPosX, 15.0);
  EXPECT_EQ(List().GetObject(1)->m_dPosY, -5.0);
}

TEST_F(Tracker, AScaleFactorOfZeroIsRefused) {
  Add({TYPE_RECTANGLE, TYPE_RECTANGLE});
  SelectMany({1, 2});
  doc->TransformSelection(2, 0.0, 1.0, 0, 0, CDoublePoint(-10, 10), CDoublePoint(10, -10), CDoublePoint(10, 10),
                          CDoublePoint(10, -10));
  EXPECT_EQ(Obj<CRectangleObject>(*doc, 1).m_dWidth, 20.0);
  EXPECT_TRUE(Records().empty());
}

TEST_F(Tracker, TheMultiSelectionPageMovesAndScalesButNeverFromOrToZero) {
  Add({TYPE_RECTANGLE, TYPE_RECTANGLE});
  List().GetObject(2)->m_dPosX = 30;
  SelectMany({1, 2});  // centre 10
  doc->ApplyMultiChange(0, 10, 13);
  EXPECT_EQ(List().GetObject(1)->m_dPosX, 3.0);
  EXPECT_EQ(List().GetObject(2)->m_dPosX, 33.0);
  doc->ApplyMultiChange(1, 0, -2);
  EXPECT_EQ(List().GetObject(2)->m_dPosY, -2.0);
  List().GetMultiObject()->m_dPosX = 13;
  List().GetMultiObject()->m_dPosY = -2;
  doc->ApplyMultiChange(2, 50, 100);
  EXPECT_EQ(Obj<CRectangleObject>(*doc, 1).m_dWidth, 40.0);
  EXPECT_EQ(List().GetObject(1)->m_dPosX, 13 - 20.0);
  EXPECT_EQ(List().GetObject(2)->m_dPosX, 13 + 40.0);
  doc->ApplyMultiChange(3, 0, 10);
  doc->ApplyMultiChange(3, 10, 0);
  EXPECT_EQ(Obj<CRectangleObject>(*doc, 1).m_dWidth, 40.0);
  EXPECT_EQ(List().GetObject(2)->m_dPosX, 53.0);
}

TEST_F(Tracker, KeepAspectComesFromTheKindsFlag) {
  Add({TYPE_LINE, TYPE_POLYGON, TYPE_TEXT2});
  Obj<CLineObject>(*doc, 1).m_bKeepAspect = 1;
  Obj<CText2Object>(*doc, 3).m_bKeepAspect = 1;
  EXPECT_EQ(doc->GetKeepAspect(-1), 1);
  EXPECT_EQ(doc->GetKeepAspect(1), 1);
  EXPECT_EQ(doc->GetKeepAspect(2), 0);
  EXPECT_EQ(doc->GetKeepAspect(3), 1);
  EXPECT_EQ(doc->GetKeepAspect(9), 0);
}

TEST_F(Tracker, MultiBoundsAreStoredOnlyWhileASelectionIsCurrent) {
  Add({TYPE_LINE, TYPE_LINE});
  doc->SetMultiBounds(1, 2, 3, 4);
  EXPECT_NE(List().GetMultiObject()->m_dSizeX, 1.0);
  SelectMany({1, 2});
  doc->SetMultiBounds(1, 2, 3, 4);
  EXPECT_EQ(List().GetMultiObject()->m_dSizeY, 2.0);
  EXPECT_EQ(List().GetMultiObject()->m_dPosY, 4.0);
  doc->SetMultiFlag(0);
  EXPECT_EQ(List().GetMultiObject()->m_bValid, 0);
}

using SettingsMirrors = DocumentTest;

TEST_F(SettingsMirrors, PagesCopyTheWorkAreaChildrenBothWays) {
  CDrawingObject* area = List().GetDrawingObject();
  area->m_pSetting->m_dScaleX = 1.5;
  area->m_pSetting->m_Layers[7].nSpeed = 55;
  area->m_pArea->m_dPosX = 3;
  area->m_pArea->m_nConversionStyle = 2;
  area->m_pField->m_dFieldY = 120;
  doc->LoadSettingPages();
  EXPECT_EQ(doc->m_Settings.DrawingData.ScaleX, 1.5);
  EXPECT_EQ(doc->m_Settings.DrawingData.Layer[7].SPEED, 55);
  EXPECT_EQ(doc->m_Settings.DrawingArea.OffsetX, 3.0);
  EXPECT_EQ(doc->m_Settings.DrawingArea.FileIndex, 2);
  EXPECT_EQ(doc->m_Settings.DrawingField.FieldY, 120.0);

  doc->m_Settings.DrawingData.Layer[2].POWER = 999;
  doc->m_Settings.DrawingArea.RoundSize = 2.5;
  doc->m_Settings.DrawingField.PlotIndex = 8;
  doc->StoreDrawDataPage();
  doc->StoreDrawAreaPage();
  doc->StoreDrawFieldPage();
  EXPECT_EQ(area->m_pSetting->m_Layers[2].nPower, 999);
  EXPECT_EQ(area->m_pArea->m_dCornerRadius, 2.5);
  EXPECT_EQ(area->m_pField->m_nPlotterPosition, 8);
}

TEST_F(SettingsMirrors, TheFixedFieldPagesCopyOnlyWhatTheyShow) {
  CDrawingObject* area = List().GetDrawingObject();
  doc->m_Settings.System.FixField = 1;
  area->m_pSetting->m_Layers[0].nSpeed = 30;
  area->m_pSetting->m_Layers[1].nSpeed = 31;
  area->m_pSetting->m_bSwapXY = 1;
  area->m_pArea->m_nResolution = 20;
  area->m_pArea->m_nConversionStyle = 3;
  area->m_pField->m_nPlotterPosition = 4;
  area->m_pField->m_dFieldX = 150;
  doc->LoadSettingPages();
  EXPECT_EQ(doc->m_Settings.DrawingData.Layer[0].SPEED, 30);
  EXPECT_EQ(doc->m_Settings.DrawingData.Layer[1].SPEED, 8);
  EXPECT_EQ(doc->m_Settings.DrawingData.ChangeXY, 0);
  EXPECT_EQ(doc->m_Settings.DrawingArea.DPM, 20);
  EXPECT_EQ(doc->m_Settings.DrawingArea.FileIndex, 0);
  EXPECT_EQ(doc->m_Settings.DrawingField.PlotIndex, 4);
  EXPECT_EQ(doc->m_Settings.DrawingField.FieldX, 100.0);

  doc->m_Settings.DrawingArea.Width = 33;
  doc->m_Settings.DrawingArea.Span = 0.5;
  doc->StoreDrawAreaFixPage();
  EXPECT_EQ(area->m_pArea->m_dWidth, 33.0);
  EXPECT_EQ(area->m_pArea->m_dScanSpan, 0.025);
  doc->StoreDrawDataFixPage();
  EXPECT_EQ(area->m_pArea->m_dScanSpan, 0.5);
}

}  // namespace
