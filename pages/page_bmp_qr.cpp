// The bitmap page and the QR Code page.
#include "model/bmpobject.h"
#include "model/drawobject.h"
#include "model/korvane_doc.h"
#include "pages/object_page_util.h"
#include "pages/object_pages.h"
#include "platform/cp932.h"
#include "platform/prompter.h"
#include "render/qr_encoder.h"
#include "res/dialog_145.h"
#include "res/dialog_281.h"

using namespace objpage;

namespace {

bool QrHolds(int level, int version, const CString& text, int length) {
  CQrEncoder encoder;
  return encoder.EncodeData(level, version, TRUE, 0, text.c_str(), length) != 0;
}

// How many leading bytes of the text a symbol of the level holds: the text's own mix of
// digits, letters and kanji decides, so the count is searched with the encoder itself.
int QrCapacity(int level, int version, const CString& text) {
  int fits = 0, past = text.GetLength();
  while (past - fits > 1) {
    int mid = fits + (past - fits) / 2;
    // Never between the two bytes of a double-byte character.
    for (int i = 0; i < mid;) {
      const int step = cp932::IsLeadByte(static_cast<unsigned char>(text.GetAt(i))) ? 2 : 1;
      if (i + step > mid) {
        mid = i;
        break;
      }
      i += step;
    }
    if (mid <= fits) break;
    if (QrHolds(level, version, text, mid)) fits = mid;
    else past = mid;
  }
  return fits;
}

const char* LevelName(int level) {
  static const char* const kNames[] = {"L", "M", "Q", "H"};
  return level >= 0 && level < 4 ? kNames[level] : "?";
}

// Says why a text or a level was refused; the page already shows what was kept.
void ReportQrRefusal(const CString& text, int level, int version, bool levelChosen) {
  std::string message;
  if (text.IsEmpty()) {
    message = "QR コードの文字列は空にできません。";
  } else {
    message = std::string(levelChosen ? "文字列 (" : "入力した文字列 (") + std::to_string(text.GetLength()) +
              " バイト) は誤り訂正レベル " + LevelName(level) + " の QR コードに入りません (最大 " +
              std::to_string(QrCapacity(level, version, text)) + " バイト)";
  }
  AfxMessageBox(CString::FromUtf8(message), MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

// ---- CPageBMP ------------------------------------------------------------------------------------

CPageBMP::CPageBMP() : CSizedPage(&g_Dialog145, TYPE_BMP, 1423, 1426, 1443) {}

const PageBinding* CPageBMP::Bindings(int& count) const {
  using namespace dlg145;
  static constexpr PageBinding kTable[] = {
      Length(IDC_OFFSET_X, IDC_SPIN_OFFSET_X), Length(IDC_OFFSET_Y, IDC_SPIN_OFFSET_Y),
      Length(IDC_SIZE_X, IDC_SPIN_SIZE_X),     Length(IDC_SIZE_Y, IDC_SPIN_SIZE_Y),
      Count(IDC_ROWS, IDC_SPIN_ROWS),          Count(IDC_COLUMNS, IDC_SPIN_COLUMNS),
      Length(IDC_ROW_GAP, IDC_SPIN_ROW_GAP),   Length(IDC_COLUMN_GAP, IDC_SPIN_COLUMN_GAP),
      Radio(IDC_STYLE_NORMAL, 0),              Radio(IDC_STYLE_INVERT, 1),
      Radio(IDC_TONE_1, 0),                    Radio(IDC_TONE_2, 1),
      Radio(IDC_TONE_3, 2),
  };
  return Table(kTable, count);
}

void CPageBMP::FillObject(CDrawObject* copy) {
  using namespace dlg145;
  auto* o = static_cast<CBmpObject*>(copy);
  SetLength(IDC_OFFSET_X, o->m_dPosX);
  SetLength(IDC_OFFSET_Y, o->m_dPosY);
  SetLength(IDC_SIZE_X, o->m_dWidth);
  SetLength(IDC_SIZE_Y, o->m_dHeight);
  SetLength(IDC_ROW_GAP, o->m_dRowGap);
  SetEditInt(IDC_ROWS, o->m_nRows);
  SetLength(IDC_COLUMN_GAP, o->m_dColumnGap);
  SetEditInt(IDC_COLUMNS, o->m_nColumns);
  SetStyleRadios(o->m_bInvert);
  SetToneRadios(o->m_nStretchMode);
  InitGradationSliders();
  FillKeepAspect(o->m_bKeepAspect);
}

double CPageBMP::GetSize(const CDrawObject* copy, bool x) const {
  auto* o = static_cast<const CBmpObject*>(copy);
  return x ? o->m_dWidth : o->m_dHeight;
}

void CPageBMP::SetStyleRadios(int style) {
  using namespace dlg145;
  SetRadios({IDC_STYLE_NORMAL, IDC_STYLE_INVERT}, style);
}

void CPageBMP::SetToneRadios(int tone) {
  using namespace dlg145;
  SetRadios({IDC_TONE_1, IDC_TONE_2, IDC_TONE_3}, tone);
}

void CPageBMP::InitGradationSliders() {
  using namespace dlg145;
  if (!m_pControls) return;
  for (int id : {IDC_GRADATION_1, IDC_GRADATION_2}) {
    m_pControls->SetSliderRange(id, 0, 7);
    m_pControls->SetSliderPos(id, 0);
    m_pControls->SetSliderTicFreq(id, 1);
  }
}

BOOL CPageBMP::OnCommand(int id, int code) {
  using namespace dlg145;
  m_pControls = Host();
  if (code == BN_CLICKED && id == IDC_CHANGE_IMAGE) {
    OnChangeImage();
    return TRUE;
  }
  if (code == BN_CLICKED && id == IDC_EDIT_IMAGE) {
    OnEditImage();
    return TRUE;
  }
  return CSizedPage::OnCommand(id, code);
}

BOOL CPageBMP::OnNotify(int id, NMUPDOWN& nm) {
  using namespace dlg145;
  m_pControls = Host();
  if (nm.hdr.code == NM_RELEASEDCAPTURE && (id == IDC_GRADATION_1 || id == IDC_GRADATION_2)) {
    if (id == IDC_GRADATION_1) OnReleasedCaptureGradation1();
    else OnReleasedCaptureGradation2();
    return TRUE;
  }
  return CSizedPage::OnNotify(id, nm);
}

void CPageBMP::OnReleasedCaptureGradation1() {
  if (CKorvaneDoc* doc = GetDocument(); doc && m_pControls)
    doc->SetIntProperty(dlg145::IDC_GRADATION_1, m_pControls->GetSliderPos(dlg145::IDC_GRADATION_1));
}

void CPageBMP::OnReleasedCaptureGradation2() {
  if (CKorvaneDoc* doc = GetDocument(); doc && m_pControls)
    doc->SetIntProperty(dlg145::IDC_GRADATION_2, m_pControls->GetSliderPos(dlg145::IDC_GRADATION_2));
}

void CPageBMP::OnChangeImage() {
  CKorvaneDoc* doc = GetDocument();
  if (!doc) return;
  doc->ChangeBmpImage();
  // The new image brings its own size: show it, so that the next step starts from it.
  RefreshPage();
}

void CPageBMP::OnEditImage() {
  if (CKorvaneDoc* doc = GetDocument()) doc->StartPaintTimer();
}

// ---- CPageQR -------------------------------------------------------------------------------------

CPageQR::CPageQR() : CObjectPage(&g_Dialog281, TYPE_BARCODE, 0) {}

const PageBinding* CPageQR::Bindings(int& count) const {
  using namespace dlg281;
  static constexpr PageBinding kTable[] = {
      Length(IDC_OFFSET_X, IDC_SPIN_OFFSET_X), Length(IDC_OFFSET_Y, IDC_SPIN_OFFSET_Y),
      Length(IDC_SIZE_X, IDC_SPIN_SIZE_X),     Length(IDC_SIZE_Y, IDC_SPIN_SIZE_Y),
      Count(IDC_ROWS, IDC_SPIN_ROWS),          Count(IDC_COLUMNS, IDC_SPIN_COLUMNS),
      Length(IDC_ROW_GAP, IDC_SPIN_ROW_GAP),   Length(IDC_COLUMN_GAP, IDC_SPIN_COLUMN_GAP),
      PageBinding{IDC_LEVEL, BIND_COMBO, 0, 0, FALSE, 0},
  };
  return Table(kTable, count);
}

BOOL CPageQR::OnInitDialog() {
  using namespace dlg281;
  if (IControlHost* host = Host()) {
    static const char* const kLevels[] = {" L (7%)", " M (15%)", " Q (25%)", " H (30%)"};
    for (int id : {IDC_LEVEL, IDC_VERSION}) {
      if (host->GetCount(id) > 0) continue;
      for (const char* level : kLevels) host->AddString(id, CString(level));
    }
  }
  return CObjectPage::OnInitDialog();
}

void CPageQR::FillObject(CDrawObject* copy) {
  using namespace dlg281;
  auto* o = static_cast<CBarcodeObject*>(copy);
  SetLength(IDC_OFFSET_X, o->m_dPosX);
  SetLength(IDC_OFFSET_Y, o->m_dPosY);
  SetLength(IDC_SIZE_X, o->m_dSizeX);
  SetLength(IDC_SIZE_Y, o->m_dSizeY);
  SetLength(IDC_ROW_GAP, o->m_dRowGap);
  SetEditInt(IDC_ROWS, o->m_nRows);
  SetEditInt(IDC_COLUMNS, o->m_nColumns);
  SetLength(IDC_COLUMN_GAP, o->m_dColumnGap);
  if (!m_pControls) return;
  m_pControls->SetDlgItemText(IDC_TEXT, o->m_strText);
  // A level outside the list leaves the box without a choice.
  m_pControls->SetCurSel(IDC_LEVEL, m_bInRefresh ? o->m_nLevel : 1);
}

BOOL CPageQR::OnCommand(int id, int code) {
  m_pControls = Host();
  if (id == dlg281::IDC_CONFIRM && code == BN_CLICKED) {
    OnConfirmText();
    return TRUE;
  }
  if (id == dlg281::IDC_LEVEL && code == CBN_SELCHANGE && m_pControls) {
    const int chosen = m_pControls->GetCurSel(id);
    const BOOL handled = CObjectPage::OnCommand(id, code);
    // The page put the kept level back: say why.
    if (m_pControls->GetCurSel(id) != chosen) {
      if (CDrawObject* copy = GetDocument() ? GetDocument()->CopyCurrentObject() : nullptr) {
        const auto* o = static_cast<const CBarcodeObject*>(copy);
        ReportQrRefusal(o->m_strText, chosen, o->m_nVersion, true);
        CKorvaneDoc::FreeObject(copy);
      }
    }
    return handled;
  }
  return CObjectPage::OnCommand(id, code);
}

void CPageQR::OnConfirmText() {
  using namespace dlg281;
  CKorvaneDoc* doc = GetDocument();
  if (!doc || !m_pControls || m_bUpdating) return;
  if (RefuseTypedText(IDC_TEXT)) return;
  if (doc->SetObjectText(IDC_TEXT, m_pControls->GetDlgItemText(IDC_TEXT))) return;
  // Refused (empty, or too long for any symbol at the level): show the text that was kept, then
  // say why.
  const CString typed = m_pControls->GetDlgItemText(IDC_TEXT);
  ShowStoredText(IDC_TEXT);
  if (CDrawObject* copy = doc->CopyCurrentObject()) {
    const auto* o = static_cast<const CBarcodeObject*>(copy);
    ReportQrRefusal(typed, o->m_nLevel, o->m_nVersion, false);
    CKorvaneDoc::FreeObject(copy);
  }
}
