#include "pages/thicken_dialog.h"

#include <string>

#include "res/dialog_196.h"

namespace {
CThickenImageDialog::Runner& CurrentRunner() {
  static CThickenImageDialog::Runner runner;
  return runner;
}
}  // namespace

CThickenImageDialog::CThickenImageDialog(QWidget* parent) : CDialog(&g_Dialog196, parent) {}

CThickenImageDialog::Runner CThickenImageDialog::SetRunner(Runner runner) {
  Runner old = CurrentRunner();
  CurrentRunner() = std::move(runner);
  return old;
}

int CThickenImageDialog::Run() {
  if (CurrentRunner()) return CurrentRunner()(*this);
  return DoModal();
}

BOOL CThickenImageDialog::OnInitDialog() {
  using namespace dlg196;
  IControlHost* h = Host();
  if (!h) return FALSE;
  for (int id : {IDC_SLIDER_X, IDC_SLIDER_Y, IDC_SLIDER_XY}) {
    h->SetSliderRange(id, 0, 20);
    h->SetSliderPos(id, 0);
    h->SetSliderTicFreq(id, 1);
  }
  for (int id : {IDC_VALUE_X, IDC_VALUE_Y, IDC_VALUE_XY}) h->SetDlgItemText(id, "0");
  ShowSliders(0);
  h->SetCheck(IDC_SAME, 1);
  return FALSE;
}

void CThickenImageDialog::ShowSliders(int showXY) {
  using namespace dlg196;
  IControlHost* h = Host();
  if (!h) return;
  for (int id : {IDC_SLIDER_X, IDC_LABEL_X, IDC_VALUE_X, IDC_SLIDER_Y, IDC_LABEL_Y, IDC_VALUE_Y})
    h->ShowWindow(id, showXY ? TRUE : FALSE);
  for (int id : {IDC_SLIDER_XY, IDC_LABEL_XY, IDC_VALUE_XY}) h->ShowWindow(id, showXY ? FALSE : TRUE);
}

void CThickenImageDialog::ShowDoubled(int slider, int box) {
  if (IControlHost* h = Host()) h->SetDlgItemText(box, std::to_string(2 * h->GetSliderPos(slider)).c_str());
}

BOOL CThickenImageDialog::OnCommand(int id, int code) {
  if (id == dlg196::IDC_SAME && code == BN_CLICKED) {
    if (IControlHost* h = Host()) ShowSliders(h->GetCheck(dlg196::IDC_SAME) ? 0 : 1);
    return TRUE;
  }
  return CDialog::OnCommand(id, code);
}

BOOL CThickenImageDialog::OnNotify(int id, NMUPDOWN& nm) {
  using namespace dlg196;
  if (nm.hdr.code != NM_RELEASEDCAPTURE) return FALSE;
  switch (id) {
    case IDC_SLIDER_X: ShowDoubled(IDC_SLIDER_X, IDC_VALUE_X); return TRUE;
    case IDC_SLIDER_Y: ShowDoubled(IDC_SLIDER_Y, IDC_VALUE_Y); return TRUE;
    case IDC_SLIDER_XY: ShowDoubled(IDC_SLIDER_XY, IDC_VALUE_XY); return TRUE;
    default: return FALSE;
  }
}

void CThickenImageDialog::OnOK() {
  using namespace dlg196;
  if (IControlHost* h = Host()) {
    m_nX = h->GetSliderPos(IDC_SLIDER_X);
    m_nY = h->GetSliderPos(IDC_SLIDER_Y);
    m_bSame = h->GetCheck(IDC_SAME) ? 1 : 0;
    m_nXY = h->GetSliderPos(IDC_SLIDER_XY);
  }
  CDialog::OnOK();
}
