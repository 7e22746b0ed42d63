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

// The colour box offers the eight layer colours: the chosen swatch is the layer.
void CKorvaneDoc::OnColorBox() {
  if (!m_pObjectList || SelectedIndices().empty()) return;
  ColorBoxDialogData data;
  if (!ModalDialogs().ColorBoxDialog(data)) return;
  SetSelectionLayer(data.color);
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

// Moves a value between a settings mirror and the work area: into the mirror when loading a
// page, out of it when storing. Load and store of a page share one field list, so the two
// directions cannot drift apart.
struct MirrorTransfer {
  bool toMirror;
  template <class T>
  void operator()(T& mirror, T& model) const {
    if (toMirror) {
      mirror = model;
    } else {
      model = mirror;
    }
  }
};

void TransferDrawData(MirrorTransfer x, CSettingsDrawingData& m, CDrawingSettingObject& c) {
  x(m.Area, c.m_dEditArea);
  x(m.GridSize, c.m_dGridSize);
  x(m.ScaleX, c.m_dScaleX);
  x(m.ScaleY, c.m_dScaleY);
  x(m.ChangeXY, c.m_bSwapXY);
  x(m.ChangeX, c.m_bReverseX);
  x(m.ChangeY, c.m_bReverseY);
  x(m.HOME, c.m_bHomeAfter);
  x(m.HomeX, c.m_dHomeX);
  x(m.HomeY, c.m_dHomeY);
  x(m.ScanAngle, c.m_nScanAngle);
  x(m.LayerIndex, c.m_nCurrentLayer);
  for (int i = 0; i < LAYER_COUNT; ++i) {
    x(m.Layer[i].TIMES, c.m_Layers[i].nCount);
    x(m.Layer[i].POWER, c.m_Layers[i].nPower);
    x(m.Layer[i].SPEED, c.m_Layers[i].nSpeed);
    x(m.Layer[i].STABLE, c.m_Layers[i].bConstant);
  }
}

// The fixed-field data page shows the drawing settings without layers and axis swaps (but with
// layer 0's speed) and the scanning area's resolution, span and scan styles.
void TransferDrawDataFix(MirrorTransfer x, CSettingsDrawingData& m, CSettingsDrawingArea& n,
                         CDrawingSettingObject& c, CDrawingAreaObject& a) {
  x(m.Area, c.m_dEditArea);
  x(m.GridSize, c.m_dGridSize);
  x(m.ScaleX, c.m_dScaleX);
  x(m.ScaleY, c.m_dScaleY);
  x(m.HomeX, c.m_dHomeX);
  x(m.HomeY, c.m_dHomeY);
  x(m.HOME, c.m_bHomeAfter);
  x(m.ScanAngle, c.m_nScanAngle);
  x(m.Layer[0].SPEED, c.m_Layers[0].nSpeed);
  x(n.DPM, a.m_nResolution);
  x(n.Span, a.m_dScanSpan);
  x(n.ScanStyleIndex, a.m_nScanStyle);
  x(n.ScanDirectionIndex, a.m_nScanDirection);
  x(n.OutStyleIndex, a.m_nOutputStyle);
}

void TransferDrawArea(MirrorTransfer x, CSettingsDrawingArea& n, CDrawingAreaObject& a) {
  x(n.OffsetX, a.m_dPosX);
  x(n.OffsetY, a.m_dPosY);
  x(n.Width, a.m_dWidth);
  x(n.Height, a.m_dHeight);
  x(n.DPM, a.m_nResolution);
  x(n.Span, a.m_dScanSpan);
  x(n.OutlineIndex, a.m_nOutlineStyle);
  x(n.ScanStyleIndex, a.m_nScanStyle);
  x(n.ScanDirectionIndex, a.m_nScanDirection);
  x(n.OutStyleIndex, a.m_nOutputStyle);
  x(n.FileIndex, a.m_nConversionStyle);
  x(n.FrameSize, a.m_dFrameWidth);
  x(n.RoundSize, a.m_dCornerRadius);
}

// The fixed-field scanning-area page shows the area's place, size, frame, corner and shape, and
// the anchor (the field's plotter position).
void TransferDrawAreaFix(MirrorTransfer x, CSettingsDrawingArea& n, CSettingsDrawingField& m,
                         CDrawingAreaObject& a, CDrawingFieldObject& f) {
  x(n.OffsetX, a.m_dPosX);
  x(n.OffsetY, a.m_dPosY);
  x(n.Width, a.m_dWidth);
  x(n.Height, a.m_dHeight);
  x(n.FrameSize, a.m_dFrameWidth);
  x(n.RoundSize, a.m_dCornerRadius);
  x(n.OutlineIndex, a.m_nOutlineStyle);
  x(m.PlotIndex, f.m_nPlotterPosition);
}

void TransferDrawField(MirrorTransfer x, CSettingsDrawingField& m, CDrawingFieldObject& f) {
  x(m.FieldX, f.m_dFieldX);
  x(m.FieldY, f.m_dFieldY);
  x(m.OffsetX, f.m_dPosX);
  x(m.OffsetY, f.m_dPosY);
  x(m.PlotIndex, f.m_nPlotterPosition);
}

}  // namespace

void CKorvaneDoc::LoadDrawDataPage() {
  CDrawingObject* area = WorkArea(m_pObjectList);
  if (!area || !area->m_pSetting) return;
  TransferDrawData({true}, m_Settings.DrawingData, *area->m_pSetting);
}

void CKorvaneDoc::StoreDrawDataPage() {
  CDrawingObject* area = WorkArea(m_pObjectList);
  if (!area || !area->m_pSetting) return;
  TransferDrawData({false}, m_Settings.DrawingData, *area->m_pSetting);
}

void CKorvaneDoc::LoadDrawDataFixPage() {
  CDrawingObject* area = WorkArea(m_pObjectList);
  if (!area || !area->m_pSetting || !area->m_pArea) return;
  TransferDrawDataFix({true}, m_Settings.DrawingData, m_Settings.DrawingArea, *area->m_pSetting, *area->m_pArea);
}

void CKorvaneDoc::StoreDrawDataFixPage() {
  CDrawingObject* area = WorkArea(m_pObjectList);
  if (!area || !area->m_pSetting || !area->m_pArea) return;
  TransferDrawDataFix({false}, m_Settings.DrawingData, m_Settings.DrawingArea, *area->m_pSetting, *area->m_pArea);
}

void CKorvaneDoc::LoadDrawAreaPage() {
  CDrawingObject* area = WorkArea(m_pObjectList);
  if (!area || !area->m_pArea) return;
  TransferDrawArea({true}, m_Settings.DrawingArea, *area->m_pArea);
}

void CKorvaneDoc::StoreDrawAreaPage() {
  CDrawingObject* area = WorkArea(m_pObjectList);
  if (!area || !area->m_pArea) return;
  TransferDrawArea({false}, m_Settings.DrawingArea, *area->m_pArea);
}

void CKorvaneDoc::LoadDrawAreaFixPage() {
  CDrawingObject* area = WorkArea(m_pObjectList);
  if (!area || !area->m_pArea || !area->m_pField) return;
  TransferDrawAreaFix({true}, m_Settings.DrawingArea, m_Settings.DrawingField, *area->m_pArea, *area->m_pField);
}

void CKorvaneDoc::StoreDrawAreaFixPage() {
  CDrawingObject* area = WorkArea(m_pObjectList);
  if (!area || !area->m_pArea || !area->m_pField) return;
  TransferDrawAreaFix({false}, m_Settings.DrawingArea, m_Settings.DrawingField, *area->m_pArea, *area->m_pField);
}

void CKorvaneDoc::LoadDrawFieldPage() {
  CDrawingObject* area = WorkArea(m_pObjectList);
  if (!area || !area->m_pField) return;
  TransferDrawField({true}, m_Settings.DrawingField, *area->m_pField);
}

void CKorvaneDoc::StoreDrawFieldPage() {
  CDrawingObject* area = WorkArea(m_pObjectList);
  if (!area || !area->m_pField) return;
  TransferDrawField({false}, m_Settings.DrawingField, *area->m_pField);
}
