// Editing operations of the document: move step and zoom, layer, mirror, centring, the font and
// output-mode dialogs, tracker moves and resizes, multi-selection changes and the copies between
// the work-area object's children and the settings mirrors.
#include <cmath>

#include "model/korvane_doc.h"
#include "model/objectlist.h"
#include "platform/numfmt.h"
#include "platform/ui/modal_dialogs.h"

double MoveStepAt(int index) {
  int i = index % MOVE_STEP_COUNT;
  if (i < 0) i += MOVE_STEP_COUNT;
  return g_MoveStepTable[i];
}

double ZoomFactorAt(int index) {
  if (index < 0) index = 0;
  if (index >= ZOOM_STEP_COUNT) index = ZOOM_STEP_COUNT - 1;
  return g_ZoomTable[index];
}

namespace {

int ClampZoomIndex(int index) {
  if (index < 0) return 0;
  if (index >= ZOOM_STEP_COUNT) return ZOOM_STEP_COUNT - 1;
  return index;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Move step and zoom

double CKorvaneDoc::GetMoveStep() const { return MoveStepAt(m_Settings.System.MoveStep); }

double CKorvaneDoc::CycleMoveStep(BOOL up) {
  // A step index from the settings file may lie outside the table: bring it in first.
  int step = m_Settings.System.MoveStep % MOVE_STEP_COUNT;
  if (step < 0) step += MOVE_STEP_COUNT;
  step += up ? 1 : -1;
  if (step >= MOVE_STEP_COUNT) step = 0;
  if (step < 0) step = MOVE_STEP_COUNT - 1;
  m_Settings.System.MoveStep = step;
  return g_MoveStepTable[step];
}

double CKorvaneDoc::GetZoomFactor() const { return ZoomFactorAt(m_Settings.System.ZoomStep); }

int CKorvaneDoc::ResetZoom() {
  const int old = m_Settings.System.ZoomStep;
  m_Settings.System.ZoomStep = ZOOM_STEP_DEFAULT;
  UpdateBothViews(HINT_ZOOM_CHANGED);
  if (m_pMainFrame) m_pMainFrame->UpdateZoomPane(ZOOM_STEP_DEFAULT);
  return old;
}

void CKorvaneDoc::SetZoom(int index) {
  m_Settings.System.ZoomStep = ClampZoomIndex(index);
  UpdateBothViews(HINT_ZOOM_CHANGED);
  if (m_pMainFrame) m_pMainFrame->UpdateZoomPane(m_Settings.System.ZoomStep);
}

double CKorvaneDoc::CycleZoom(BOOL up) {
  const int old = ClampZoomIndex(m_Settings.System.ZoomStep);
  const int step = ClampZoomIndex(old + (up ? 1 : -1));
  if (step != old) {
    m_Settings.System.ZoomStep = step;
    UpdateBothViews(HINT_ZOOM_CHANGED);
  }
  return g_ZoomTable[step];
}

BOOL CKorvaneDoc::CanCycleZoom(BOOL up) const {
  const int step = ClampZoomIndex(m_Settings.System.ZoomStep);
  return up ? step < ZOOM_STEP_COUNT - 1 : step > 0;
}

int CKorvaneDoc::ResetZoomQuiet() {
  const int old = m_Settings.System.ZoomStep;
  m_Settings.System.ZoomStep = ZOOM_STEP_DEFAULT;
  return old;
}

int CKorvaneDoc::SetZoomQuiet(int index) {
  const int old = m_Settings.System.ZoomStep;
  m_Settings.System.ZoomStep = ClampZoomIndex(index);
  return old;
}

// ---------------------------------------------------------------------------------------------
// Layer, mirror, centring

void CKorvaneDoc::SetSelectionLayer(int layer) {
  if (!m_pObjectList || layer < 0 || layer >= DOC_LAYER_COUNT) return;
  const std::vector<int> indices = SelectedIndices();
  if (indices.empty()) return;
  for (int index : indices) m_pObjectList->SetObjectLayer(index, layer);
  UpdateBothViews(HINT_LAYER_CHANGED);
}

void CKorvaneDoc::OnLayerDialog() {
  if (!m_pObjectList) return;
  const std::vector<int> indices = SelectedIndices();
  if (indices.empty()) return;
  LayerDialogData data;
  data.layer = m_pObjectList->GetObjectLayer(indices.front());
  for (int index : indices) {
    if (m_pObjectList->GetObjectLayer(index) != data.layer) {
      data.layer = -1;
      break;
    }
  }
  if (!ModalDialogs().LayerDialog(data)) return;
  SetSelectionLayer(data.layer);
}

void CKorvaneDoc::MirrorSelection(BOOL toggleX, BOOL toggleY) {
  if (!m_pObjectList) return;
  const std::vector<int> indices = SelectedIndices();
  if (indices.empty()) return;
  for (int index : indices) m_pObjectList->ToggleMirror(index, toggleX, toggleY);
  UpdateBothViews(HINT_MIRROR_CHANGED);
}

void CKorvaneDoc::InvalidateSelectionArea() {
  IDocCanvasView* canvas = GetLeftView();
  if (!canvas) return;
  if (m_nSelectCount == 1) {
    canvas->InvalidateObject(m_nCurrentIndex);
  } else {
    canvas->InvalidateSelection();
  }
}

void CKorvaneDoc::CenterSelection(BOOL horizontal, BOOL vertical) {
  if (!m_pObjectList) return;
  const std::vector<int> indices = SelectedIndices();
  if (indices.empty()) return;
  g_bModified = 1;
  InvalidateSelectionArea();
  LPARAM hint;
  if (m_nSelectCount == 1) {
    m_pObjectList->ZeroObjectPosition(indices.front(), horizontal, vertical);
    hint = indices.front();
  } else {
    const CMultiObject* multi = m_pObjectList->GetMultiObject();
    const double dx = horizontal ? -multi->m_dPosX : 0.0;
    const double dy = vertical ? -multi->m_dPosY : 0.0;
    for (int index : indices) m_pObjectList->MoveObject(index, dx, dy);
    m_pObjectList->MoveObject(-1, dx, dy);
    hint = TYPE_MULTI;
  }
  m_nLastAction = HINT_OBJECT_MOVED;
  UpdateBothViews(hint);
}

// ---------------------------------------------------------------------------------------------
// Font and output mode of the tracked object

void CKorvaneDoc::OnFontCommand() {
  g_bModified = 1;
  IDocCanvasView* canvas = GetLeftView();
  int tracked = -1;
  if (!m_pObjectList || !canvas || !canvas->GetTrackerIndex(tracked) || tracked == -1) return;
  if (m_nCurrentKind != TYPE_TEXT1 && m_nCurrentKind != TYPE_TEXT2) return;
  CDrawObject* entry = m_pObjectList->GetObject(tracked);
  // The font fields are read through the current kind's class: the entry must be of that kind.
  if (!entry || entry->m_nType != m_nCurrentKind) return;
  m_pCurrentObject = entry;
  m_nCurrentIndex = tracked;
  ChooseTextFont(m_nCurrentKind);
  m_nLastAction = HINT_FONT_CHANGED;
  UpdateBothViews(0);
}

namespace {

template <class T>
void FillFontData(const T& text, FontDialogData& data) {
  data.faceName = text.m_strFaceName;
  data.charSet = text.m_nCharSet;
  data.italic = text.m_bItalic;
  data.weight = text.m_nWeight;
  data.pointSizeTenths = text.m_nFontSize;
}

template <class T>
void TakeFontData(T& text, const FontDialogData& data) {
  text.SetFaceName(data.faceName);
  text.m_nCharSet = data.charSet;
  text.m_bItalic = data.italic;
  text.m_nWeight = data.weight;
}

}  // namespace

BOOL CKorvaneDoc::ChooseTextFont(int kind) {
  if (!m_pObjectList || !m_pCurrentObject || m_pCurrentObject->m_nType != kind) return FALSE;
  if (kind != TYPE_TEXT1 && kind != TYPE_TEXT2) return FALSE;
  FontDialogData data;
  if (kind == TYPE_TEXT1) {
    FillFontData(*static_cast<CText1Object*>(m_pCurrentObject), data);
  } else {
    FillFontData(*static_cast<CText2Object*>(m_pCurrentObject), data);
  }
  if (!ModalDialogs().FontDialog(data)) return FALSE;
  SetFont(data.faceName, data.pointSizeTenths);
  if (kind == TYPE_TEXT1) {
    TakeFontData(*static_cast<CText1Object*>(m_pCurrentObject), data);
  } else {
    TakeFontData(*static_cast<CText2Object*>(m_pCurrentObject), data);
  }
  // New text objects of the kind start with this font.
  CTextDefaults& defaults = kind == TYPE_TEXT1 ? m_pObjectList->m_Text1Defaults : m_pObjectList->m_Text2Defaults;
  defaults.bItalic = data.italic;
  defaults.nFontSize = data.pointSizeTenths;
  defaults.nCharSet = data.charSet;
  defaults.nWeight = data.weight;
  defaults.SetFaceName(data.faceName);
  return TRUE;
}

void CKorvaneDoc::OnOutputMode() {
  g_bModified = 1;
  IDocCanvasView* canvas = GetLeftView();
  int tracked = -1;
  if (!m_pObjectList || !canvas || !canvas->GetTrackerIndex(tracked) || tracked == -1) return;
  CDrawObject* object = m_pCurrentObject;
  // The kind's output defaults exist for the drawable kinds only.
  if (!object || object->m_nType < TYPE_LINE || object->m_nType > TYPE_BARCODE) return;
  OutputModeDialogData data;
  data.outputMode = object->m_nOutputMode;
  data.fillDirection = object->m_nFillDirection;
  data.scanInterval.Format(" %.3f", object->m_dScanInterval);
  if (!ModalDialogs().OutputModeDialog(data)) return;
  // A fill needs a positive line spacing; anything else would never finish a fill.
  const double interval = numfmt::Atof(data.scanInterval);
  if (!(interval > 0.0)) return;
  object->m_nOutputMode = data.outputMode;
  object->m_dScanInterval = interval;
  object->m_nFillDirection = data.fillDirection;
  CObjectOutputDefaults& defaults = m_pObjectList->m_OutputDefaults[object->m_nType];
  defaults.nOutputMode = data.outputMode;
  defaults.nFillDirection = data.fillDirection;
  defaults.nScanInterval = DoubleToInt(interval * 1000);
  UpdateBothViews(HINT_OUTPUT_MODE_CHANGED);
}

// ---------------------------------------------------------------------------------------------
// Tracker and multi-selection

void CKorvaneDoc::MoveResizeObject(int code, int index, double dx, double dy, double dw, double dh) {
  if (!m_pObjectList || code < 0 || code >= 14) return;
  // Move and size change per handle; y grows upward in the object, downward in the tracker.
  struct Change {
    double mx, my, sw, sh;
  };
  const Change changes[14] = {
      {dx, dy, 0, 0},                   // 0 moved
      {0, -dh / 2, 0, -dh},             // 1 top edge
      {-dw / 2, 0, dw, 0},              // 2 left edge
      {0, dh / 2, 0, -dh},              // 3 bottom edge
      {dw / 2, 0, dw, 0},               // 4 right edge
      {-dw / 2, -dh / 2, dw, -dh},      // 5
      {-dw / 2, dh / 2, dw, -dh},       // 6
      {dw / 2, -dh / 2, dw, -dh},       // 7
      {dw / 2, dh / 2, dw, -dh},        // 8
      {0, dh / 2, dw, -dh},             // 9
      {dw / 2, 0, dw, -dh},             // 10
      {0, -dh / 2, dw, -dh},            // 11
      {-dw / 2, 0, dw, -dh},            // 12
      {0, 0, 0, 0},                     // 13
  };
  g_bModified = 1;
  const Change& c = changes[code];
  if (code != 13) {
    m_pObjectList->MoveObject(index, c.mx, c.my);
    if (code != 0) m_pObjectList->ResizeObject(index, c.sw, c.sh);
  }
  m_nLastAction = code == 0 ? HINT_OBJECT_MOVED : HINT_OBJECTS_MOVED;
  m_nCurrentIndex = index;
  UpdateBothViews(index);
}

void CKorvaneDoc::TransformSelection(int code, double scaleX, double scaleY, double moveX, double moveY,
                                     CDoublePoint oldTopLeft, CDoublePoint oldBottomRight, CDoublePoint newTopLeft,
                                     CDoublePoint newBottomRight) {
  if (!m_pObjectList || code < 0 || code >= 14) return;
  const bool scales = code >= 1 && code <= 8;
  // A factor of 0 would collapse every object for good.
  if (scales && (!(scaleX != 0.0) || !(scaleY != 0.0) || !std::isfinite(scaleX) || !std::isfinite(scaleY))) return;
  g_bModified = 1;
  const double left = oldTopLeft.x, top = oldTopLeft.y, right = oldBottomRight.x, bottom = oldBottomRight.y;
  double refX = 0.0, refY = 0.0;
  switch (code) {
    case 1: refY = bottom; break;
    case 2: refX = right; break;
    case 3: refY = top; break;
    case 4: refX = left; break;
    case 5: refX = right; refY = bottom; break;
    case 6: refX = right; refY = top; break;
    case 7: refX = left; refY = bottom; break;
    case 8: refX = left; refY = top; break;
    default: break;
  }
  for (int index : SelectedIndices()) {
    if (code == 0) {
      m_pObjectList->MoveObject(index, moveX, moveY);
    } else if (scales) {
      m_pObjectList->ScaleObjectPosition(code, index, scaleX, scaleY, refX, refY);
      m_pObjectList->ScaleObject(index, scaleX, scaleY);
    }
  }
  m_pObjectList->SetMultiBounds(newBottomRight.x - newTopLeft.x, newTopLeft.y - newBottomRight.y,
                                (newTopLeft.x + newBottomRight.x) / 2, (newTopLeft.y + newBottomRight.y) / 2);
  m_nLastAction = HINT_OBJECTS_MOVED;
  UpdateBothViews(-1);
}

void CKorvaneDoc::ApplyMultiChange(int which, double oldValue, double newValue) {
  if (!m_pObjectList || which < 0 || which > 3) return;
  double factor = 1.0;
  if (which >= 2) {
    // Scaling from a size of 0 or to a size of 0 cannot be undone by a later edit.
    factor = newValue / oldValue;
    if (oldValue == 0.0 || !(factor != 0.0) || !std::isfinite(factor)) return;
  }
  g_bModified = 1;
  const CMultiObject* multi = m_pObjectList->GetMultiObject();
  const double centreX = multi->m_dPosX, centreY = multi->m_dPosY;
  for (int index : SelectedIndices()) {
    switch (which) {
      case 0: m_pObjectList->MoveObject(index, newValue - oldValue, 0.0); break;
      case 1: m_pObjectList->MoveObject(index, 0.0, newValue - oldValue); break;
      default:
        m_pObjectList->ScaleObjectUniform(index, factor);
        m_pObjectList->ScaleObjectPosition(5, index, factor, factor, centreX, centreY);
        break;
    }
  }
}

void CKorvaneDoc::SetMultiBounds(double sizeX, double sizeY, double posX, double posY) {
  if (!m_pObjectList || m_nCurrentKind != TYPE_MULTI) return;
  CMultiObject* multi = m_pObjectList->GetMultiObject();
  if (m_pCurrentObject != multi) return;
  multi->m_dSizeX = sizeX;
  multi->m_dSizeY = sizeY;
  multi->m_dPosX = posX;
  multi->m_dPosY = posY;
}

void CKorvaneDoc::SetMultiFlag(int value) {
  if (m_pObjectList) m_pObjectList->GetMultiObject()->m_bValid = value;
}

int CKorvaneDoc::GetKeepAspect(int index) const {
  if (index == -1) return 1;  // a multi-selection always keeps its aspect ratio
  const CDrawObject* entry = m_pObjectList ? m_pObjectList->GetObject(index) : nullptr;
  if (!entry) return 0;
  switch (entry->m_nType) {
    case TYPE_LINE: return static_cast<const CLineObject*>(entry)->m_bKeepAspect;
    case TYPE_RECTANGLE: return static_cast<const CRectangleObject*>(entry)->m_bKeepAspect;
    case TYPE_CIRCLE: return static_cast<const CCircleObject*>(entry)->m_bKeepAspect;
    case TYPE_TRIANGLE: return static_cast<const CTriangleObject*>(entry)->m_bKeepAspect;
    case TYPE_RHOMBIC: return static_cast<const CRhombicObject*>(entry)->m_bKeepAspect;
    case TYPE_TEXT2: return static_cast<const CText2Object*>(entry)->m_bKeepAspect;
    case TYPE_BMP: return static_cast<const CBmpObject*>(entry)->m_bKeepAspect;
    default: return 0;
  }
}

// ---------------------------------------------------------------------------------------------
// Work-area children <-> settings mirrors

void CKorvaneDoc::LoadSettingPages() {
  if (m_Settings.System.FixField) {
    LoadDrawDataFixPage();
    LoadDrawAreaFixPage();
  } else {
    LoadDrawDataPage();
    LoadDrawAreaPage();
    LoadDrawFieldPage();
  }
}

namespace {

CDrawingObject* WorkArea(CObjectList* list) { return list ? list->GetDrawingObject() : nullptr; }

}  // namespace

void CKorvaneDoc::LoadDrawDataPage() {
  CDrawingObject* area = WorkArea(m_pObjectList);
  if (!area || !area->m_pSetting) return;
  const CDrawingSettingObject& c = *area->m_pSetting;
  CSettingsDrawingData& m = m_Settings.DrawingData;
  m.Area = c.m_dEditArea;
  m.GridSize = c.m_dGridSize;
  m.ScaleX = c.m_dScaleX;
  m.ScaleY = c.m_dScaleY;
  m.ChangeXY = c.m_bSwapXY;
  m.ChangeX = c.m_bReverseX;
  m.ChangeY = c.m_bReverseY;
  m.HOME = c.m_bHomeAfter;
  m.HomeX = c.m_dHomeX;
  m.HomeY = c.m_dHomeY;
  m.ScanAngle = c.m_nScanAngle;
  m.LayerIndex = c.m_nCurrentLayer;
  for (int i = 0; i < LAYER_COUNT; ++i) {
    m.Layer[i].TIMES = c.m_Layers[i].nCount;
    m.Layer[i].POWER = c.m_Layers[i].nPower;
    m.Layer[i].SPEED = c.m_Layers[i].nSpeed;
    m.Layer[i].STABLE = c.m_Layers[i].bConstant;
  }
}

void CKorvaneDoc::StoreDrawDataPage() {
  CDrawingObject* area = WorkArea(m_pObjectList);
  if (!area || !area->m_pSetting) return;
  CDrawingSettingObject& c = *area->m_pSetting;
  const CSettingsDrawingData& m = m_Settings.DrawingData;
  c.m_dEditArea = m.Area;
  c.m_dGridSize = m.GridSize;
  c.m_dScaleX = m.ScaleX;
  c.m_dScaleY = m.ScaleY;
  c.m_bSwapXY = m.ChangeXY;
  c.m_bReverseX = m.ChangeX;
  c.m_bReverseY = m.ChangeY;
  c.m_bHomeAfter = m.HOME;
  c.m_dHomeX = m.HomeX;
  c.m_dHomeY = m.HomeY;
  c.m_nScanAngle = m.ScanAngle;
  c.m_nCurrentLayer = m.LayerIndex;
  for (int i = 0; i < LAYER_COUNT; ++i) {
    c.m_Layers[i].nCount = m.Layer[i].TIMES;
    c.m_Layers[i].nPower = m.Layer[i].POWER;
    c.m_Layers[i].nSpeed = m.Layer[i].SPEED;
    c.m_Layers[i].bConstant = m.Layer[i].STABLE;
  }
}

// The fixed-field data page shows the drawing settings without layers and axis swaps (but with
// layer 0's speed) and the scanning area's resolution, span and scan styles.
void CKorvaneDoc::LoadDrawDataFixPage() {
  CDrawingObject* area = WorkArea(m_pObjectList);
  if (!area || !area->m_pSetting || !area->m_pArea) return;
  const CDrawingSettingObject& c = *area->m_pSetting;
  const CDrawingAreaObject& a = *area->m_pArea;
  CSettingsDrawingData& m = m_Settings.DrawingData;
  CSettingsDrawingArea& n = m_Settings.DrawingArea;
  m.Area = c.m_dEditArea;
  m.GridSize = c.m_dGridSize;
  m.ScaleX = c.m_dScaleX;
  m.ScaleY = c.m_dScaleY;
  m.HomeX = c.m_dHomeX;
  m.HomeY = c.m_dHomeY;
  m.HOME = c.m_bHomeAfter;
  m.ScanAngle = c.m_nScanAngle;
  m.Layer[0].SPEED = c.m_Layers[0].nSpeed;
  n.DPM = a.m_nResolution;
  n.Span = a.m_dScanSpan;
  n.ScanStyleIndex = a.m_nScanStyle;
  n.ScanDirectionIndex = a.m_nScanDirection;
  n.OutStyleIndex = a.m_nOutputStyle;
}

void CKorvaneDoc::StoreDrawDataFixPage() {
  CDrawingObject* area = WorkArea(m_pObjectList);
  if (!area || !area->m_pSetting || !area->m_pArea) return;
  CDrawingSettingObject& c = *area->m_pSetting;
  CDrawingAreaObject& a = *area->m_pArea;
  const CSettingsDrawingData& m = m_Settings.DrawingData;
  const CSettingsDrawingArea& n = m_Settings.DrawingArea;
  c.m_dEditArea = m.Area;
  c.m_dGridSize = m.GridSize;
  c.m_dScaleX = m.ScaleX;
  c.m_dScaleY = m.ScaleY;
  c.m_dHomeX = m.HomeX;
  c.m_dHomeY = m.HomeY;
  c.m_bHomeAfter = m.HOME;
  c.m_nScanAngle = m.ScanAngle;
  c.m_Layers[0].nSpeed = m.Layer[0].SPEED;
  a.m_nResolution = n.DPM;
  a.m_dScanSpan = n.Span;
  a.m_nScanStyle = n.ScanStyleIndex;
  a.m_nScanDirection = n.ScanDirectionIndex;
  a.m_nOutputStyle = n.OutStyleIndex;
}

void CKorvaneDoc::LoadDrawAreaPage() {
  CDrawingObject* area = WorkArea(m_pObjectList);
  if (!area || !area->m_pArea) return;
  const CDrawingAreaObject& a = *area->m_pArea;
  CSettingsDrawingArea& n = m_Settings.DrawingArea;
  n.OffsetX = a.m_dPosX;
  n.OffsetY = a.m_dPosY;
  n.Width = a.m_dWidth;
  n.Height = a.m_dHeight;
  n.DPM = a.m_nResolution;
  n.Span = a.m_dScanSpan;
  n.OutlineIndex = a.m_nOutlineStyle;
  n.ScanStyleIndex = a.m_nScanStyle;
  n.ScanDirectionIndex = a.m_nScanDirection;
  n.OutStyleIndex = a.m_nOutputStyle;
  n.FileIndex = a.m_nConversionStyle;
  n.FrameSize = a.m_dFrameWidth;
  n.RoundSize = a.m_dCornerRadius;
}

void CKorvaneDoc::StoreDrawAreaPage() {
  CDrawingObject* area = WorkArea(m_pObjectList);
  if (!area || !area->m_pArea) return;
  CDrawingAreaObject& a = *area->m_pArea;
  const CSettingsDrawingArea& n = m_Settings.DrawingArea;
  a.m_dPosX = n.OffsetX;
  a.m_dPosY = n.OffsetY;
  a.m_dWidth = n.Width;
  a.m_dHeight = n.Height;
  a.m_nResolution = n.DPM;
  a.m_dScanSpan = n.Span;
  a.m_nOutlineStyle = n.OutlineIndex;
  a.m_nScanStyle = n.ScanStyleIndex;
  a.m_nScanDirection = n.ScanDirectionIndex;
  a.m_nOutputStyle = n.OutStyleIndex;
  a.m_nConversionStyle = n.FileIndex;
  a.m_dFrameWidth = n.FrameSize;
  a.m_dCornerRadius = n.RoundSize;
}

// The fixed-field scanning-area page shows the area's place, size, frame, corner and shape, and
// the anchor (the field's plotter position).
void CKorvaneDoc::LoadDrawAreaFixPage() {
  CDrawingObject* area = WorkArea(m_pObjectList);
  if (!area || !area->m_pArea || !area->m_pField) return;
  const CDrawingAreaObject& a = *area->m_pArea;
  CSettingsDrawingArea& n = m_Settings.DrawingArea;
  n.OffsetX = a.m_dPosX;
  n.OffsetY = a.m_dPosY;
  n.Width = a.m_dWidth;
  n.Height = a.m_dHeight;
  n.FrameSize = a.m_dFrameWidth;
  n.RoundSize = a.m_dCornerRadius;
  n.OutlineIndex = a.m_nOutlineStyle;
  m_Settings.DrawingField.PlotIndex = area->m_pField->m_nPlotterPosition;
}

void CKorvaneDoc::StoreDrawAreaFixPage() {
  CDrawingObject* area = WorkArea(m_pObjectList);
  if (!area || !area->m_pArea || !area->m_pField) return;
  CDrawingAreaObject& a = *area->m_pArea;
  const CSettingsDrawingArea& n = m_Settings.DrawingArea;
  a.m_dPosX = n.OffsetX;
  a.m_dPosY = n.OffsetY;
  a.m_dWidth = n.Width;
  a.m_dHeight = n.Height;
  a.m_dFrameWidth = n.FrameSize;
  a.m_dCornerRadius = n.RoundSize;
  a.m_nOutlineStyle = n.OutlineIndex;
  area->m_pField->m_nPlotterPosition = m_Settings.DrawingField.PlotIndex;
}

void CKorvaneDoc::LoadDrawFieldPage() {
  CDrawingObject* area = WorkArea(m_pObjectList);
  if (!area || !area->m_pField) return;
  const CDrawingFieldObject& f = *area->m_pField;
  CSettingsDrawingField& m = m_Settings.DrawingField;
  m.FieldX = f.m_dFieldX;
  m.FieldY = f.m_dFieldY;
  m.OffsetX = f.m_dPosX;
  m.OffsetY = f.m_dPosY;
  m.PlotIndex = f.m_nPlotterPosition;
}

void CKorvaneDoc::StoreDrawFieldPage() {
  CDrawingObject* area = WorkArea(m_pObjectList);
  if (!area || !area->m_pField) return;
  CDrawingFieldObject& f = *area->m_pField;
  const CSettingsDrawingField& m = m_Settings.DrawingField;
  f.m_dFieldX = m.FieldX;
  f.m_dFieldY = m.FieldY;
  f.m_dPosX = m.OffsetX;
  f.m_dPosY = m.OffsetY;
  f.m_nPlotterPosition = m.PlotIndex;
}
