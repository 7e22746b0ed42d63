// The work-area object, item 0 of every object list: it stands for the machine's marking field
// and owns three children that carry the job's machine settings.
#pragma once

#include <memory>

#include "model/drawobject.h"

inline constexpr int LAYER_COUNT = 8;

// Engraving settings of one layer.
struct CLayerRecord {
  int nCount = 1;     // engraving passes, 0 to 100
  int nPower = 100;   // 0 to 1000
  int nSpeed = 8;     // 0 to 100
  int bConstant = 0;  // constant speed

  bool operator==(const CLayerRecord&) const = default;
};

class CDrawingSettingObject : public CDrawObject {
 public:
  void SetDefaults() override;
  // Null runs SetDefaults; the position is not part of the copy.
  void CopySettings(const CDrawingSettingObject* source);

  double m_dEditArea = 0.0;
  double m_dGridSize = 0.0;
  double m_dScaleX = 0.0;
  double m_dScaleY = 0.0;
  int m_bSwapXY = 0;
  int m_bReverseX = 0;
  int m_bReverseY = 0;
  int m_bHomeAfter = 0;  // go home after engraving
  double m_dHomeX = 0.0;
  double m_dHomeY = 0.0;
  int m_nScanAngle = 0;  // degrees, -360 to 360
  int m_nCurrentLayer = 0;
  CLayerRecord m_Layers[LAYER_COUNT];
};

// The scanning area; its position is the area's offset.
// The raster resolution in dots per millimetre as the scanning-area page accepts it: every
// raster is sized by it, so a value from a file is kept to this range.
inline int ClampDotsPerMm(int dpm) { return dpm < 1 ? 1 : (dpm > 100 ? 100 : dpm); }

class CDrawingAreaObject : public CDrawObject {
 public:
  void SetDefaults() override;
  void CopySettings(const CDrawingAreaObject* source);

  double m_dWidth = 0.0;
  double m_dHeight = 0.0;
  int m_nResolution = 0;  // dots per mm, 0 to 100
  double m_dScanSpan = 0.0;
  int m_nOutlineStyle = 0;     // 0 rectangle, 1 ellipse, 2 rhombus, 3 triangle, 4 inverted, 5 round corners
  int m_nScanStyle = 0;        // 0 sunk, 1 raised
  int m_nScanDirection = 0;    // 0 horizontal, 1 vertical
  int m_nOutputStyle = 0;      // 0 outline, 1 scanning
  int m_nConversionStyle = 0;  // file conversion style
  double m_dFrameWidth = 0.0;
  double m_dCornerRadius = 0.0;
};

// The marking field; its position is the field offset.
class CDrawingFieldObject : public CDrawObject {
 public:
  // A complete new field object: kind 17, defaults, byte-size value.
  CDrawingFieldObject();
  void SetDefaults() override;
  void CopySettings(const CDrawingFieldObject* source);

  double m_dFieldX = 0.0;
  double m_dFieldY = 0.0;
  int m_nPlotterPosition = 0;  // centre, centre top, centre bottom, left top, ... right bottom
};

class CDrawingObject : public CDrawObject {
 public:
  // Makes the three children by the creation steps and names all four.
  void SetDefaults() override;
  // Three new children filled from the source's children (defaults for a null source).
  void CopySettings(const CDrawingObject* source);

  std::unique_ptr<CDrawingSettingObject> m_pSetting;
  std::unique_ptr<CDrawingAreaObject> m_pArea;
  std::unique_ptr<CDrawingFieldObject> m_pField;
};
