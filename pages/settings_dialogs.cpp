#include "pages/settings_dialogs.h"

#include "model/objectlist.h"
#include "platform/numfmt.h"
#include "res/dialog_154.h"
#include "res/dialog_231.h"
#include "res/dialog_232.h"
#include "res/dialog_color_box.h"

namespace {

// The radio of a group of eight starting at `first`, or -1.
int CheckedOfEight(IControlHost* c, int first) {
  if (!c) return -1;
  const int id = c->GetCheckedRadioButton(first);
  return id >= first && id < first + 8 ? id - first : -1;
}

void CheckOfEight(IControlHost* c, int first, int n) {
  if (c) c->CheckRadioButton(first, n >= 0 && n < 8 ? first + n : -1);
}

// The swatch statics of a dialog: layer n's colour for control first + n.
// The host asks the owner for a static's colours when it is invalidated.
void PaintSwatches(IControlHost* c, int first) {
  if (c)
    for (int i = 0; i < 8; ++i) c->Invalidate(first + i);
}

BOOL SwatchColour(int id, int first, COLORREF& back) {
  if (id < first || id >= first + 8) return FALSE;
  back = LAYER_COLORS[id - first];
  return TRUE;
}

}  // namespace

// ---- CLayerDlg --------------------------------------------------------------------------------

CLayerDlg::CLayerDlg(QWidget* parent) : CDialog(&g_Dialog231, parent) {}

BOOL CLayerDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  CheckOfEight(Host(), dlg231::IDC_LAYER_FIRST, m_nLayer);
  PaintSwatches(Host(), dlg231::IDC_SWATCH_FIRST);
  return TRUE;
}

void CLayerDlg::OnOK() {
  m_nLayer = CheckedOfEight(Host(), dlg231::IDC_LAYER_FIRST);
  EndDialog(IDOK);
}

BOOL CLayerDlg::OnCtlColor(int id, COLORREF& text, COLORREF& back) {
  (void)text;
  return SwatchColour(id, dlg231::IDC_SWATCH_FIRST, back);
}

// ---- CEngraveLayerDlg -------------------------------------------------------------------------

using namespace dlg232;

CEngraveLayerDlg::CEngraveLayerDlg(QWidget* parent) : CDialog(&g_Dialog232, parent) {}

BOOL CEngraveLayerDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  if (IControlHost* c = Host())
    for (int i = 0; i < 8; ++i) c->SetCheck(IDC_LAYER_FIRST + i, m_nLayer[i] != 0);
  CheckUsedLayers();
  PaintSwatches(Host(), IDC_SWATCH_FIRST);
  return TRUE;
}

void CEngraveLayerDlg::CheckUsedLayers() {
  IControlHost* c = Host();
  if (!m_pUsedLayers || !c) return;
  for (int i = 0; i < 8; ++i) {
    const int used = m_pUsedLayers[i] != 0;
    c->SetCheck(IDC_LAYER_FIRST + i, used);
    c->ShowWindow(IDC_LAYER_FIRST + i, used);
    c->ShowWindow(IDC_SWATCH_FIRST + i, used);
  }
}

void CEngraveLayerDlg::CheckShownLayers() {
  IControlHost* c = Host();
  if (!m_pUsedLayers || !m_pShownLayers || !c) return;
  for (int i = 0; i < 8; ++i)
    if (m_pUsedLayers[i]) c->SetCheck(IDC_LAYER_FIRST + i, m_pShownLayers[i] != 0);
}

void CEngraveLayerDlg::OnAllLayers() {
  CheckUsedLayers();
  if (IControlHost* c = Host()) c->SetCheck(IDC_SHOWN_LAYERS, 0);
}

void CEngraveLayerDlg::OnShownLayers() {
  CheckShownLayers();
  if (IControlHost* c = Host()) c->SetCheck(IDC_ALL_LAYERS, 0);
}

void CEngraveLayerDlg::OnLayer(int n) {
  (void)n;
  if (IControlHost* c = Host()) {
    c->SetCheck(IDC_ALL_LAYERS, 0);
    c->SetCheck(IDC_SHOWN_LAYERS, 0);
  }
}

BOOL CEngraveLayerDlg::OnCommand(int id, int code) {
  if (code == BN_CLICKED) {
    if (id == IDC_ALL_LAYERS) {
      OnAllLayers();
      return TRUE;
    }
    if (id == IDC_SHOWN_LAYERS) {
      OnShownLayers();
      return TRUE;
    }
    if (id >= IDC_LAYER_FIRST && id < IDC_LAYER_FIRST + 8) {
      OnLayer(id - IDC_LAYER_FIRST);
      return TRUE;
    }
  }
  return CDialog::OnCommand(id, code);
}

void CEngraveLayerDlg::ReadChecks() {
  if (IControlHost* c = Host())
    for (int i = 0; i < 8; ++i) m_nLayer[i] = c->GetCheck(IDC_LAYER_FIRST + i);
}

void CEngraveLayerDlg::OnOK() {
  ReadChecks();
  EndDialog(IDOK);
}

BOOL CEngraveLayerDlg::OnCtlColor(int id, COLORREF& text, COLORREF& back) {
  (void)text;
  if (id < IDC_SWATCH_FIRST || id >= IDC_SWATCH_FIRST + 8) return FALSE;
  if (!m_pUsedLayers || !m_pUsedLayers[id - IDC_SWATCH_FIRST]) return FALSE;
  return SwatchColour(id, IDC_SWATCH_FIRST, back);
}

// ---- COutputModeDialog ------------------------------------------------------------------------

COutputModeDialog::COutputModeDialog(QWidget* parent) : CDialog(&g_Dialog154, parent) {}

BOOL COutputModeDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  IControlHost* c = Host();
  if (!c) return TRUE;
  c->CheckRadioButton(dlg154::IDC_OUTPUT_FIRST,
                      m_nOutputMode >= 0 && m_nOutputMode <= 2 ? dlg154::IDC_OUTPUT_FIRST + m_nOutputMode : -1);
  c->CheckRadioButton(dlg154::IDC_FILL_FIRST,
                      m_nFillDirection >= 0 && m_nFillDirection <= 1 ? dlg154::IDC_FILL_FIRST + m_nFillDirection : -1);
  c->SetDlgItemText(dlg154::IDC_INTERVAL, m_strScanInterval);
  return TRUE;
}

void COutputModeDialog::OnOK() {
  IControlHost* c = Host();
  if (!c) {
    EndDialog(IDOK);
    return;
  }
  const CString text = c->GetDlgItemText(dlg154::IDC_INTERVAL);
  // A fill needs a positive line spacing; the operator corrects the text instead of losing the
  // whole answer.
  if (!(numfmt::Atof(text) > 0.0)) {
    c->SetFocus(dlg154::IDC_INTERVAL);
    return;
  }
  const int mode = c->GetCheckedRadioButton(dlg154::IDC_OUTPUT_FIRST);
  const int fill = c->GetCheckedRadioButton(dlg154::IDC_FILL_FIRST);
  m_nOutputMode = mode >= dlg154::IDC_OUTPUT_FIRST ? mode - dlg154::IDC_OUTPUT_FIRST : -1;
  m_nFillDirection = fill >= dlg154::IDC_FILL_FIRST ? fill - dlg154::IDC_FILL_FIRST : -1;
  m_strScanInterval = text;
  EndDialog(IDOK);
}

// ---- CColorBoxDialog --------------------------------------------------------------------------

CColorBoxDialog::CColorBoxDialog(QWidget* parent) : CDialog(&g_DialogColorBox, parent) {}

BOOL CColorBoxDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  CheckOfEight(Host(), dlgColorBox::IDC_COLOR_FIRST, m_nColor);
  PaintSwatches(Host(), dlgColorBox::IDC_SWATCH_FIRST);
  return TRUE;
}

void CColorBoxDialog::OnOK() {
  m_nColor = CheckedOfEight(Host(), dlgColorBox::IDC_COLOR_FIRST);
  EndDialog(IDOK);
}

BOOL CColorBoxDialog::OnCtlColor(int id, COLORREF& text, COLORREF& back) {
  (void)text;
  return SwatchColour(id, dlgColorBox::IDC_SWATCH_FIRST, back);
}
