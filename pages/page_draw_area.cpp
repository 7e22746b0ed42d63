// The scanning-area page: place, size, raster and styles of the scanning area, and the
// conversion of the design into a BMP file.
#include "model/drawingobject.h"
#include "model/korvane_doc.h"
#include "pages/settings_pages.h"
#include "res/dialog_132.h"

using namespace dlg132;

namespace {

// The radio groups: their buttons in value order.
const int kShapes[] = {1086, 1088, 1090, 1092, 1094};
const int kScanStyles[] = {1098, 1100};
const int kDirections[] = {1111, 1114};
const int kOutStyles[] = {1120, 1123};
const int kConvertStyles[] = {1127, 1129, 1131, 1133};

template <size_t N>
void SetGroup(IControlHost* c, const int (&ids)[N], int value) {
  for (size_t i = 0; i < N; ++i) c->SetCheck(ids[i], static_cast<int>(i) == value);
}

}  // namespace

CPageDrawArea::CPageDrawArea() : CKorvanePage(&g_Dialog132, TYPE_DRAWING, 1) {}

const PageBinding* CPageDrawArea::Bindings(int& count) const {
  static const PageBinding kBindings[] = {
      {IDC_OFFSET_X, BIND_EDIT_DOUBLE, IDC_SPIN_OFFSET_X},
      {IDC_OFFSET_Y, BIND_EDIT_DOUBLE, IDC_SPIN_OFFSET_Y},
      {IDC_WIDTH, BIND_EDIT_DOUBLE, IDC_SPIN_WIDTH},
      {IDC_HEIGHT, BIND_EDIT_DOUBLE, IDC_SPIN_HEIGHT},
      {IDC_DPM, BIND_EDIT_INT, IDC_SPIN_DPM, 0, FALSE},
      {IDC_SPAN, BIND_EDIT_DOUBLE, IDC_SPIN_SPAN},
      {1086, BIND_RADIO, 0, 0, FALSE, 0}, {1088, BIND_RADIO, 0, 0, FALSE, 1}, {1090, BIND_RADIO, 0, 0, FALSE, 2},
      {1092, BIND_RADIO, 0, 0, FALSE, 3}, {1094, BIND_RADIO, 0, 0, FALSE, 4},
      {1098, BIND_RADIO, 0, 0, FALSE, 0}, {1100, BIND_RADIO, 0, 0, FALSE, 1},
      {1111, BIND_RADIO, 0, 0, FALSE, 0}, {1114, BIND_RADIO, 0, 0, FALSE, 1},
      {1120, BIND_RADIO, 0, 0, FALSE, 0}, {1123, BIND_RADIO, 0, 0, FALSE, 1},
      {1127, BIND_RADIO, 0, 0, FALSE, 0}, {1129, BIND_RADIO, 0, 0, FALSE, 1}, {1131, BIND_RADIO, 0, 0, FALSE, 2},
      {1133, BIND_RADIO, 0, 0, FALSE, 3},
  };
  count = static_cast<int>(sizeof(kBindings) / sizeof(kBindings[0]));
  return kBindings;
}

BOOL CPageDrawArea::OnInitDialog() {
  if (!m_bInitialized)
    if (CKorvaneDoc* doc = GetDocument()) doc->StoreDrawAreaPage();
  return CKorvanePage::OnInitDialog();
}

void CPageDrawArea::Fill(CDrawObject* copy) {
  if (!m_pControls) return;
  const CDrawingAreaObject* a = DrawingAreaOf(copy);
  if (!a) return;
  SetEditDouble(IDC_OFFSET_X, a->m_dPosX, 3);
  SetEditDouble(IDC_OFFSET_Y, a->m_dPosY, 3);
  SetEditDouble(IDC_WIDTH, a->m_dWidth, 3);
  SetEditDouble(IDC_HEIGHT, a->m_dHeight, 3);
  SetEditInt(IDC_DPM, a->m_nResolution);
  SetEditDouble(IDC_SPAN, a->m_dScanSpan, 3);
  SetGroup(m_pControls, kShapes, a->m_nOutlineStyle);
  SetGroup(m_pControls, kScanStyles, a->m_nScanStyle);
  SetGroup(m_pControls, kDirections, a->m_nScanDirection);
  SetGroup(m_pControls, kOutStyles, a->m_nOutputStyle);
  SetGroup(m_pControls, kConvertStyles, a->m_nConversionStyle);
}

BOOL CPageDrawArea::OnCommand(int id, int code) {
  m_pControls = Host();
  if (code == BN_CLICKED && id == IDC_CONVERT) {
    OnConvert();
    return TRUE;
  }
  return CKorvanePage::OnCommand(id, code);
}

void CPageDrawArea::AfterChange(int id, int code) {
  (void)id, (void)code;
  if (m_bUpdating) return;
  if (CKorvaneDoc* doc = GetDocument()) doc->LoadDrawAreaPage();
}

void CPageDrawArea::OnConvert() {
  CKorvaneDoc* doc = GetDocument();
  CDrawObject* copy = doc ? doc->CopyCurrentObject() : nullptr;
  if (!copy) return;
  const CDrawingAreaObject* a = DrawingAreaOf(copy);
  const bool bmp = a && a->m_nConversionStyle == 1;
  CKorvaneDoc::FreeObject(copy);
  if (bmp) doc->ExportDesignBmp();
}
