// Where the scanning area lies on the machine: its anchors in machine units for the three axis
// layouts, and the turn by the scan angle.
#include <cmath>
#include <numbers>

#include "model/korvane_doc.h"
#include "model/machine_units.h"
#include "model/textutil.h"

namespace {

// Column and row factors of an anchor: 0, 1/2 or 1 of the area's width and height.
bool AnchorFactors(int anchor, double& fx, double& fy) {
  static const double kFx[9] = {0.5, 0.5, 0.5, 0.0, 0.0, 0.0, 1.0, 1.0, 1.0};
  static const double kFy[9] = {0.5, 0.0, 1.0, 0.0, 0.5, 1.0, 0.0, 0.5, 1.0};
  if (anchor < 0 || anchor > 8) return false;
  fx = kFx[anchor];
  fy = kFy[anchor];
  return true;
}

}  // namespace

CPoint CKorvaneDoc::GetAnchorModel1(int anchor) const {
  double fx, fy;
  if (!AnchorFactors(anchor, fx, fy)) return CPoint(0, 0);
  const CSettingsSystem& sys = m_Settings.System;
  const CSettingsDrawingArea& area = m_Settings.DrawingArea;
  // Models 1 and 2 carry the machine's x along the design's y.
  return CPoint(DoubleToInt(sys.FieldOriginY + (area.OffsetY + fy * area.Height) * MACHINE_UNITS_PER_MM),
                DoubleToInt(sys.FieldOriginX + (area.OffsetX + fx * area.Width) * MACHINE_UNITS_PER_MM));
}

CPoint CKorvaneDoc::GetAnchorModel2(int anchor) const { return GetAnchorModel1(anchor); }

CPoint CKorvaneDoc::GetAnchorModel3(int anchor) const {
  double fx, fy;
  if (!AnchorFactors(anchor, fx, fy)) return CPoint(0, 0);
  const CSettingsSystem& sys = m_Settings.System;
  const CSettingsDrawingArea& area = m_Settings.DrawingArea;
  return CPoint(DoubleToInt(sys.FieldOriginX + (area.OffsetX + fx * area.Width) * MACHINE_UNITS_PER_MM),
                DoubleToInt(sys.FieldOriginY - (area.OffsetY + fy * area.Height) * MACHINE_UNITS_PER_MM));
}

namespace {

template <class Doc>
BOOL AreaAnchor(const Doc& doc, int anchor, CPoint& out) {
  switch (doc.m_Settings.System.FieldMachine) {
    case 1: out = doc.GetAnchorModel1(anchor); return TRUE;
    case 2: out = doc.GetAnchorModel2(anchor); return TRUE;
    case 3: out = doc.GetAnchorModel3(anchor); return TRUE;
    default: out = CPoint(0, 0); return FALSE;
  }
}

}  // namespace

BOOL CKorvaneDoc::GetAreaAnchor(CPoint& out) const { return AreaAnchor(*this, 0, out); }

BOOL CKorvaneDoc::GetAreaAnchor3(CPoint& out) const { return AreaAnchor(*this, 3, out); }

CPoint CKorvaneDoc::RotateAbout(int x, int y, int centreX, int centreY) const {
  const int angle = m_Settings.DrawingData.ScanAngle;
  if (angle == 0) return CPoint(x, y);
  const double t = -angle * 2.0 * std::numbers::pi / 360.0;
  const double dx = static_cast<double>(x) - centreX;
  const double dy = static_cast<double>(y) - centreY;
  const CTextUtil util;
  return CPoint(util.Round(centreX + dx * std::cos(t) - dy * std::sin(t)),
                util.Round(centreY + dx * std::sin(t) + dy * std::cos(t)));
}

CPoint CKorvaneDoc::RotateToField(int x, int y) const {
  if (m_Settings.DrawingData.ScanAngle == 0) return CPoint(x, y);
  CPoint centre;
  GetAreaAnchor(centre);
  return RotateAbout(x, y, centre.x, centre.y);
}
