// The fixed-field data page: the drawing settings the fixed field keeps, the raster and scan
// styles, the scan angle and layer 0's speed, and the conversion of the design into a BMP file.
#include "model/drawingobject.h"
#include "model/korvane_doc.h"
#include "pages/settings_pages.h"
#include "res/dialog_189.h"

using namespace dlg189;

// ---- CPageDrawDataFix -------------------------------------------------------------------------

CPageDrawDataFix::CPageDrawDataFix() : CKorvanePage(&g_Dialog189, TYPE_DRAWING, 1) {}

const PageBinding* CPageDrawDataFix::Bindings(int& count) const {
  static const PageBinding kBindings[] = {
      {IDC_AREA, BIND_EDIT_DOUBLE, IDC_SPIN_AREA},
      {IDC_GRID, BIND_EDIT_DOUBLE, IDC_SPIN_GRID},
      {IDC_SCALE_X, BIND_EDIT_DOUBLE, IDC_SPIN_SCALE_X},
      {IDC_SCALE_Y, BIND_EDIT_DOUBLE, IDC_SPIN_SCALE_Y},
      {IDC_HOME_X, BIND_EDIT_DOUBLE, IDC_SPIN_HOME_X},
      {IDC_HOME_Y, BIND_EDIT_DOUBLE, IDC_SPIN_HOME_Y},
      {IDC_DPM, BIND_EDIT_INT, IDC_SPIN_DPM, 0, FALSE},
      {IDC_SPAN, BIND_EDIT_DOUBLE, IDC_SPIN_SPAN},
      {IDC_ANGLE, BIND_EDIT_INT, IDC_SPIN_ANGLE, 0, FALSE},
      // Row() is 0: layer 0's speed.
      {IDC_SPEED, BIND_EDIT_INT_INDEXED, IDC_SPIN_SPEED, 0, FALSE},
      {IDC_HOME, BIND_CHECK},
      {IDC_SCAN_CONCAVE, BIND_RADIO, 0, 0, FALSE, 0}, {IDC_SCAN_CONVEX, BIND_RADIO, 0, 0, FALSE, 1},
      {IDC_DIR_H, BIND_RADIO, 0, 0, FALSE, 0}, {IDC_DIR_V, BIND_RADIO, 0, 0, FALSE, 1},
      {IDC_OUT_OUTLINE, BIND_RADIO, 0, 0, FALSE, 0}, {IDC_OUT_SCAN, BIND_RADIO, 0, 0, FALSE, 1},
  };
  count = static_cast<int>(sizeof(kBindings) / sizeof(kBindings[0]));
  return kBindings;
}

BOOL CPageDrawDataFix::OnInitDialog() {
  if (!m_bInitialized)
    if (CKorvaneDoc* doc = GetDocument()) doc->StoreDrawDataFixPage();
  return CKorvanePage::OnInitDialog();
}

namespace {

void SetPair(IControlHost* c, int first, int second, int value) {
  c->SetCheck(first, value == 0);
  c->SetCheck(second, value == 1);
}

}  // namespace

void CPageDrawDataFix::Fill(CDrawObject* copy) {
  const CDrawingSettingObject* s = DrawingSettingOf(copy);
  const CDrawingAreaObject* a = DrawingAreaOf(copy);
  if (!s || !a || !m_pControls) return;
  SetEditDouble(IDC_AREA, s->m_dEditArea, 3);
  SetEditDouble(IDC_GRID, s->m_dGridSize, 3);
  SetEditDouble(IDC_SCALE_X, s->m_dScaleX, 3);
  SetEditDouble(IDC_SCALE_Y, s->m_dScaleY, 3);
  SetEditDouble(IDC_HOME_X, s->m_dHomeX, 3);
  SetEditDouble(IDC_HOME_Y, s->m_dHomeY, 3);
  SetEditInt(IDC_DPM, a->m_nResolution);
  SetEditDouble(IDC_SPAN, a->m_dScanSpan, 3);
  SetEditInt(IDC_ANGLE, s->m_nScanAngle);
  SetEditInt(IDC_SPEED, s->m_Layers[0].nSpeed);
  m_pControls->SetCheck(IDC_HOME, s->m_bHomeAfter != 0);
  SetPair(m_pControls, IDC_SCAN_CONCAVE, IDC_SCAN_CONVEX, a->m_nScanStyle);
  SetPair(m_pControls, IDC_DIR_H, IDC_DIR_V, a->m_nScanDirection);
  SetPair(m_pControls, IDC_OUT_OUTLINE, IDC_OUT_SCAN, a->m_nOutputStyle);
}

BOOL CPageDrawDataFix::OnCommand(int id, int code) {
  m_pControls = Host();
  if (code == BN_CLICKED && id == IDC_EXPORT_BMP) {
    if (CKorvaneDoc* doc = GetDocument()) doc->ExportDesignBmp();
    return TRUE;
  }
  return CKorvanePage::OnCommand(id, code);
}

void CPageDrawDataFix::AfterChange(int id, int code) {
  (void)id, (void)code;
  if (m_bUpdating) return;
  if (CKorvaneDoc* doc = GetDocument()) doc->LoadDrawDataFixPage();
}
