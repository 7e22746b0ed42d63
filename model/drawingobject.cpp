#include "model/drawingobject.h"

void CDrawingSettingObject::SetDefaults() {
  m_dPosX = m_dPosY = 0.0;
  m_dEditArea = 100.0;
  m_dGridSize = 1.0;
  m_dScaleX = m_dScaleY = 1.0;
  m_bSwapXY = m_bReverseX = m_bReverseY = 0;
  m_bHomeAfter = 1;
  m_dHomeX = m_dHomeY = 0.0;
  m_nScanAngle = 0;
  m_nCurrentLayer = 0;
  for (CLayerRecord& layer : m_Layers) layer = CLayerRecord();
}

void CDrawingSettingObject::CopySettings(const CDrawingSettingObject* s) {
  if (!s) {
    SetDefaults();
    return;
  }
  m_dEditArea = s->m_dEditArea;
  m_dGridSize = s->m_dGridSize;
  m_dScaleX = s->m_dScaleX;
  m_dScaleY = s->m_dScaleY;
  m_bSwapXY = s->m_bSwapXY;
  m_bReverseX = s->m_bReverseX;
  m_bReverseY = s->m_bReverseY;
  m_bHomeAfter = s->m_bHomeAfter;
  m_dHomeX = s->m_dHomeX;
  m_dHomeY = s->m_dHomeY;
  m_nScanAngle = s->m_nScanAngle;
  m_nCurrentLayer = s->m_nCurrentLayer;
  for (int i = 0; i < LAYER_COUNT; ++i) m_Layers[i] = s->m_Layers[i];
}

void CDrawingAreaObject::SetDefaults() {
  m_dPosX = m_dPosY = 0.0;
  m_dWidth = m_dHeight = 40.0;
  m_nResolution = 40;
  m_dScanSpan = 0.025;
  m_nOutlineStyle = 0;
  m_nScanStyle = 0;
  m_nScanDirection = 0;
  m_nOutputStyle = 0;
  m_nConversionStyle = 0;
  m_dFrameWidth = 0.0;
  m_dCornerRadius = 0.0;
}

void CDrawingAreaObject::CopySettings(const CDrawingAreaObject* s) {
  if (!s) {
    SetDefaults();
    return;
  }
  m_dPosX = s->m_dPosX;
  m_dPosY = s->m_dPosY;
  m_dWidth = s->m_dWidth;
  m_dHeight = s->m_dHeight;
  m_nResolution = s->m_nResolution;
  m_dScanSpan = s->m_dScanSpan;
  m_nOutlineStyle = s->m_nOutlineStyle;
  m_nScanStyle = s->m_nScanStyle;
  m_nScanDirection = s->m_nScanDirection;
  m_nOutputStyle = s->m_nOutputStyle;
  m_nConversionStyle = s->m_nConversionStyle;
  m_dFrameWidth = s->m_dFrameWidth;
  m_dCornerRadius = s->m_dCornerRadius;
}

CDrawingFieldObject::CDrawingFieldObject() { InitNewObject(*this, TYPE_DRAWING_FIELD); }

void CDrawingFieldObject::SetDefaults() {
  m_dPosX = m_dPosY = 0.0;
  m_dFieldX = m_dFieldY = 100.0;
  m_nPlotterPosition = 0;
}

void CDrawingFieldObject::CopySettings(const CDrawingFieldObject* s) {
  if (!s) {
    SetDefaults();
    return;
  }
  m_dFieldX = s->m_dFieldX;
  m_dFieldY = s->m_dFieldY;
  m_dPosX = s->m_dPosX;
  m_dPosY = s->m_dPosY;
  m_nPlotterPosition = s->m_nPlotterPosition;
}

void CDrawingObject::SetDefaults() {
  m_dPosX = m_dPosY = 0.0;
  m_pSetting = std::make_unique<CDrawingSettingObject>();
  InitNewObject(*m_pSetting, TYPE_DRAWING_SETTING);
  m_pArea = std::make_unique<CDrawingAreaObject>();
  InitNewObject(*m_pArea, TYPE_DRAWING_AREA);
  m_pField = std::make_unique<CDrawingFieldObject>();
  SetName("drawing");
  m_pSetting->SetName("drawing_setting");
  m_pArea->SetName("drawing_area");
  m_pField->SetName("drawing_field");
}

void CDrawingObject::CopySettings(const CDrawingObject* s) {
  if (s == this) return;
  auto setting = std::make_unique<CDrawingSettingObject>();
  InitNewObject(*setting, TYPE_DRAWING_SETTING);
  setting->CopySettings(s ? s->m_pSetting.get() : nullptr);
  auto area = std::make_unique<CDrawingAreaObject>();
  InitNewObject(*area, TYPE_DRAWING_AREA);
  area->CopySettings(s ? s->m_pArea.get() : nullptr);
  auto field = std::make_unique<CDrawingFieldObject>();
  field->CopySettings(s ? s->m_pField.get() : nullptr);
  // The children's common parts (names, colours, ...) travel with them.
  if (s) {
    if (s->m_pSetting) setting->CopyCommon(s->m_pSetting.get());
    if (s->m_pArea) area->CopyCommon(s->m_pArea.get());
    if (s->m_pField) field->CopyCommon(s->m_pField.get());
  } else {
    setting->SetName("drawing_setting");
    area->SetName("drawing_area");
    field->SetName("drawing_field");
  }
  m_pSetting = std::move(setting);
  m_pArea = std::move(area);
  m_pField = std::move(field);
}
