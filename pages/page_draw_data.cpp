// The drawing-data page (engraving conditions, axis swaps, the layers' values and the model
// presets).
#include "model/drawingobject.h"
#include "model/korvane_doc.h"
#include "pages/settings_pages.h"
#include "res/dialog_131.h"

const CDrawingSettingObject* DrawingSettingOf(const CDrawObject* copy) {
  if (!copy || copy->m_nType != TYPE_DRAWING) return nullptr;
  return static_cast<const CDrawingObject*>(copy)->m_pSetting.get();
}

const CDrawingAreaObject* DrawingAreaOf(const CDrawObject* copy) {
  if (!copy || copy->m_nType != TYPE_DRAWING) return nullptr;
  return static_cast<const CDrawingObject*>(copy)->m_pArea.get();
}

// ---- CPageDrawData ----------------------------------------------------------------------------

using namespace dlg131;

CPageDrawData::CPageDrawData() : CKorvanePage(&g_Dialog131, TYPE_DRAWING, 0) {}

const PageBinding* CPageDrawData::Bindings(int& count) const {
  static const PageBinding kBindings[] = {
      {IDC_AREA, BIND_EDIT_DOUBLE, IDC_SPIN_AREA},
      {IDC_GRID, BIND_EDIT_DOUBLE, IDC_SPIN_GRID},
      {IDC_SCALE_X, BIND_EDIT_DOUBLE, IDC_SPIN_SCALE_X},
      {IDC_SCALE_Y, BIND_EDIT_DOUBLE, IDC_SPIN_SCALE_Y},
      {IDC_HOME_X, BIND_EDIT_DOUBLE, IDC_SPIN_HOME_X},
      {IDC_HOME_Y, BIND_EDIT_DOUBLE, IDC_SPIN_HOME_Y},
      {IDC_TIMES, BIND_EDIT_INT_INDEXED, IDC_SPIN_TIMES, 0, FALSE},
      {IDC_POWER, BIND_EDIT_INT_INDEXED, IDC_SPIN_POWER, 0, FALSE},
      {IDC_SPEED, BIND_EDIT_INT_INDEXED, IDC_SPIN_SPEED, 0, FALSE},
      {IDC_STABLE, BIND_CHECK_INDEXED},
      {IDC_CHANGE_XY, BIND_CHECK},
      {IDC_CHANGE_X, BIND_CHECK},
      {IDC_CHANGE_Y, BIND_CHECK},
      {IDC_HOME, BIND_CHECK},
      {1050, BIND_RADIO, 0, 0, FALSE, 0}, {1052, BIND_RADIO, 0, 0, FALSE, 1}, {1054, BIND_RADIO, 0, 0, FALSE, 2},
      {1056, BIND_RADIO, 0, 0, FALSE, 3}, {1058, BIND_RADIO, 0, 0, FALSE, 4}, {1060, BIND_RADIO, 0, 0, FALSE, 5},
      {1062, BIND_RADIO, 0, 0, FALSE, 6}, {1064, BIND_RADIO, 0, 0, FALSE, 7},
  };
  count = static_cast<int>(sizeof(kBindings) / sizeof(kBindings[0]));
  return kBindings;
}

BOOL CPageDrawData::OnInitDialog() {
  CKorvaneDoc* doc = GetDocument();
  const bool first = !m_bInitialized;
  if (first && doc) doc->StoreDrawDataPage();
  const BOOL result = CKorvanePage::OnInitDialog();
  if (first && m_bInitialized && doc) {
    // Every start begins without axis swaps.
    m_bUpdating = 1;
    OnPresetModel3();
    m_bUpdating = 0;
    // The settings the jobs and head moves read must lose the swaps too, or the boxes would
    // show none while the machine still swaps.
    doc->LoadDrawDataPage();
  }
  return result;
}

int CPageDrawData::GetCurrentLayer() const {
  const CKorvaneDoc* doc = GetDocument();
  CDrawObject* copy = doc ? doc->CopyCurrentObject() : nullptr;
  const CDrawingSettingObject* setting = DrawingSettingOf(copy);
  const int layer = setting ? setting->m_nCurrentLayer : 0;
  CKorvaneDoc::FreeObject(copy);
  return layer;
}

void CPageDrawData::SetLayerRadios(int layer) {
  if (!m_pControls) return;
  for (int i = 0; i < 8; ++i) m_pControls->SetCheck(1050 + 2 * i, i == layer);
}

void CPageDrawData::FillLayerValues(const CDrawObject* copy, int layer) {
  const CDrawingSettingObject* setting = DrawingSettingOf(copy);
  if (!setting || !m_pControls || layer < 0 || layer >= LAYER_COUNT) return;
  const CLayerRecord& record = setting->m_Layers[layer];
  SetEditInt(IDC_TIMES, record.nCount);
  SetEditInt(IDC_POWER, record.nPower);
  SetEditInt(IDC_SPEED, record.nSpeed);
  m_pControls->SetCheck(IDC_STABLE, record.bConstant != 0);
}

void CPageDrawData::ShowLayerValues(int layer) {
  m_bUpdating = 1;
  const CKorvaneDoc* doc = GetDocument();
  CDrawObject* copy = doc ? doc->CopyCurrentObject() : nullptr;
  FillLayerValues(copy, layer);
  CKorvaneDoc::FreeObject(copy);
  m_bUpdating = 0;
}

void CPageDrawData::Fill(CDrawObject* copy) {
  const CDrawingSettingObject* s = DrawingSettingOf(copy);
  if (!s || !m_pControls) return;
  SetEditDouble(IDC_AREA, s->m_dEditArea, 3);
  SetEditDouble(IDC_GRID, s->m_dGridSize, 3);
  SetEditDouble(IDC_SCALE_X, s->m_dScaleX, 3);
  SetEditDouble(IDC_SCALE_Y, s->m_dScaleY, 3);
  SetEditDouble(IDC_HOME_X, s->m_dHomeX, 3);
  SetEditDouble(IDC_HOME_Y, s->m_dHomeY, 3);
  m_pControls->SetCheck(IDC_CHANGE_X, s->m_bReverseX != 0);
  m_pControls->SetCheck(IDC_CHANGE_Y, s->m_bReverseY != 0);
  m_pControls->SetCheck(IDC_CHANGE_XY, s->m_bSwapXY != 0);
  m_pControls->SetCheck(IDC_HOME, s->m_bHomeAfter != 0);
  SetLayerRadios(s->m_nCurrentLayer);
  FillLayerValues(copy, s->m_nCurrentLayer);
}

BOOL CPageDrawData::OnCommand(int id, int code) {
  m_pControls = Host();
  if (code == BN_CLICKED && id == IDC_PRESET_K2) {
    OnPresetModel2();
    return TRUE;
  }
  if (code == BN_CLICKED && id == IDC_PRESET_K3) {
    OnPresetModel3();
    return TRUE;
  }
  return CKorvanePage::OnCommand(id, code);
}

void CPageDrawData::AfterChange(int id, int code) {
  if (id >= IDC_LAYER_FIRST && id <= IDC_LAYER_LAST && (id - IDC_LAYER_FIRST) % 2 == 0) {
    if (code != BN_CLICKED) return;
    ShowLayerValues((id - IDC_LAYER_FIRST) / 2);
    // The layer chosen is a setting as well: it goes to the settings the next start reads.
  }
  if (m_bUpdating) return;
  if (CKorvaneDoc* doc = GetDocument()) doc->LoadDrawDataPage();
}

void CPageDrawData::PushSwap(int id, int state) {
  if (!m_pControls) return;
  m_pControls->SetCheck(id, state);
  ApplyCheck(id);
}

void CPageDrawData::OnPresetModel2() {
  m_pControls = Host();
  PushSwap(IDC_CHANGE_X, 0);
  PushSwap(IDC_CHANGE_Y, 1);
  PushSwap(IDC_CHANGE_XY, 1);
  if (CKorvaneDoc* doc = GetDocument(); doc && !m_bUpdating) doc->LoadDrawDataPage();
}

void CPageDrawData::OnPresetModel3() {
  m_pControls = Host();
  PushSwap(IDC_CHANGE_X, 0);
  PushSwap(IDC_CHANGE_Y, 0);
  PushSwap(IDC_CHANGE_XY, 0);
  if (CKorvaneDoc* doc = GetDocument(); doc && !m_bUpdating) doc->LoadDrawDataPage();
}
