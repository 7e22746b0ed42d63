#include "pages/page_helper.h"

#include <QString>

#include "model/doc_hints.h"
#include "model/korvane_doc.h"
#include "model/textobject.h"
#include "model/textutil.h"
#include "platform/cp932.h"
#include "platform/numfmt.h"

namespace {
IPageFormHost* g_pFormHost = nullptr;

// The text a text-bearing object holds.
CString StoredText(const CDrawObject& o) {
  switch (o.m_nType) {
    case TYPE_TEXT1: return static_cast<const CText1Object&>(o).m_strText;
    case TYPE_TEXT2: return static_cast<const CText2Object&>(o).m_strText;
    case TYPE_BARCODE: return static_cast<const CBarcodeObject&>(o).m_strText;
    default: return CString();
  }
}
}

void CPageHelper::SetFormHost(IPageFormHost* host) { g_pFormHost = host; }
IPageFormHost* CPageHelper::GetFormHost() { return g_pFormHost; }

CKorvaneDoc* CPageHelper::GetDocument() const { return g_pFormHost ? g_pFormHost->GetPageDocument() : nullptr; }

void CPageHelper::SetTypePage(int kind, int index) {
  if (g_pFormHost) g_pFormHost->SetRememberedPage(kind, index);
}

int CPageHelper::GetTypePage(int kind) const { return g_pFormHost ? g_pFormHost->GetRememberedPage(kind) : 0; }

void CPageHelper::SetEditInt(int id, int value) {
  if (m_pControls) m_pControls->SetDlgItemText(id, numfmt::Format(" %d", value));
}

void CPageHelper::SetEditDouble(int id, double value, int decimals) {
  if (!m_pControls) return;
  const std::string format = numfmt::Format(" %%.%df", decimals);
  m_pControls->SetDlgItemText(id, numfmt::Format(format.c_str(), value));
}

double CPageHelper::GetEditDouble(int id) const {
  return m_pControls ? numfmt::Atof(m_pControls->GetDlgItemText(id).str()) : 0.0;
}

void CPageHelper::SwapEditTexts(int a, int b) {
  if (!m_pControls) return;
  const CString ta = m_pControls->GetDlgItemText(a), tb = m_pControls->GetDlgItemText(b);
  m_pControls->SetDlgItemText(a, tb);
  m_pControls->SetDlgItemText(b, ta);
}

void CPageHelper::InitSpin(int spin) { InitSpinRange(spin, -99999, 99999); }

void CPageHelper::InitSpinRange(int spin, int min, int max) {
  if (!m_pControls) return;
  m_pControls->SetBase(spin, 10);
  m_pControls->SetRange32(spin, min, max);
  m_pControls->SetPos32(spin, 0);
}

void CPageHelper::StepEdit(int spin, int edit, const NMUPDOWN& nm, int decimals, BOOL useStep) {
  Step(spin, edit, nm, decimals, useStep, false, 0, 0);
}

void CPageHelper::StepEditClamped(int spin, int edit, const NMUPDOWN& nm, int decimals, BOOL useStep, double min,
                                  double max) {
  Step(spin, edit, nm, decimals, useStep, true, min, max);
}

void CPageHelper::Step(int spin, int edit, const NMUPDOWN& nm, int decimals, BOOL useStep, bool clamp, double min,
                       double max) {
  if (!m_pControls) return;
  double value = GetEditDouble(edit);
  if (useStep) {
    CKorvaneDoc* doc = GetDocument();
    value += nm.iDelta * (doc ? doc->GetMoveStep() : g_MoveStepTable[0]);
  } else {
    value += nm.iDelta;
  }
  if (clamp) {
    if (value < min) value = min;
    if (value > max) value = max;
  }
  const std::string format = numfmt::Format(" %%.%df", decimals);
  const CString text = numfmt::Format(format.c_str(), value);
  m_pControls->SetPos32(spin, 0);
  // The edit's EN_CHANGE pushes the value as if it had been typed.
  m_pControls->SetDlgItemText(edit, text);
}

void CPageHelper::WriteBack(int edit, const CString& text) {
  // A kept value the setter would refuse again (read from a file, or accepted under another
  // mode) must not be pushed back: that would recurse without end.
  const int was = m_bUpdating;
  m_bUpdating = 1;
  m_pControls->SetDlgItemText(edit, text);
  m_bUpdating = was;
  // Typing goes on after a refusal: it replaces the kept value instead of running on behind it.
  m_pControls->SelectTypedText(edit);
}

namespace {
// A sign or a point alone begins a number being typed: it is no value yet, and pushing it as 0
// would refill the edit under the operator's fingers.
bool IsUnfinishedNumber(const CString& text) {
  const std::string s = text.str();
  size_t i = s.find_first_not_of(' ');
  if (i == std::string::npos) return false;
  const size_t start = i;
  if (s[i] == '-' || s[i] == '+') ++i;
  if (i < s.size() && s[i] == '.') ++i;
  return i > start && s.find_first_not_of(' ', i) == std::string::npos;
}
}  // namespace

void CPageHelper::ApplyEditDouble(int edit, int index) {
  CKorvaneDoc* doc = GetDocument();
  if (m_bUpdating || !m_pControls || !doc) return;
  if (IsUnfinishedNumber(m_pControls->GetDlgItemText(edit))) return;
  const double value = numfmt::Atof(m_pControls->GetDlgItemText(edit).str());
  if (!doc->SetPropertyDouble(m_pControls->GetDlgCtrlID(edit), value, index))
    WriteBack(edit, numfmt::Format(" %.3f", doc->m_dReplyDouble));
}

void CPageHelper::ApplyEditInt(int edit) {
  CKorvaneDoc* doc = GetDocument();
  if (m_bUpdating || !m_pControls || !doc) return;
  if (IsUnfinishedNumber(m_pControls->GetDlgItemText(edit))) return;
  const int value = numfmt::Atoi(m_pControls->GetDlgItemText(edit).str());
  if (!doc->SetIntProperty(m_pControls->GetDlgCtrlID(edit), value))
    WriteBack(edit, numfmt::Format(" %d", doc->m_nReplyInt));
}

void CPageHelper::ApplyEditIntIndexed(int edit, int index) {
  CKorvaneDoc* doc = GetDocument();
  if (m_bUpdating || !m_pControls || !doc) return;
  if (IsUnfinishedNumber(m_pControls->GetDlgItemText(edit))) return;
  const int value = numfmt::Atoi(m_pControls->GetDlgItemText(edit).str());
  if (!doc->SetPropertyInt(m_pControls->GetDlgCtrlID(edit), value, index))
    WriteBack(edit, numfmt::Format(" %d", doc->m_nReplyInt));
}

bool CPageHelper::ApplyEditText(int edit) {
  CKorvaneDoc* doc = GetDocument();
  if (m_bUpdating || !m_pControls || !doc) return false;
  if (RefuseTypedText(edit)) return false;
  doc->SetObjectText(m_pControls->GetDlgCtrlID(edit), m_pControls->GetDlgItemText(edit));
  return true;
}

bool CPageHelper::RefuseTypedText(int edit) {
  if (!RefuseNonCp932(ControlUnicodeText(m_pControls, edit))) return false;
  ShowStoredText(edit);
  return true;
}

void CPageHelper::ShowStoredText(int edit) {
  CKorvaneDoc* doc = GetDocument();
  CDrawObject* copy = doc && m_pControls ? doc->CopyCurrentObject() : nullptr;
  if (!copy) return;
  WriteBack(edit, StoredText(*copy));
  CKorvaneDoc::FreeObject(copy);
}

int CPageHelper::ApplyCheck(int id) {
  CKorvaneDoc* doc = GetDocument();
  if (!m_pControls) return 0;
  int state = m_pControls->GetCheck(id);
  if (!doc) return state;
  // A refused state is replaced in the box by the one the document kept.
  doc->m_nReplyInt = -1;
  if (!doc->SetCheckProperty(m_pControls->GetDlgCtrlID(id), state) && doc->m_nReplyInt >= 0) {
    state = doc->m_nReplyInt != 0;
    m_pControls->SetCheck(id, state);
  }
  return state;
}

int CPageHelper::ApplyCheckIndexed(int id, int index) {
  CKorvaneDoc* doc = GetDocument();
  if (!m_pControls) return 0;
  const int state = m_pControls->GetCheck(id);
  if (doc) doc->SetPropertyCheck(m_pControls->GetDlgCtrlID(id), state, index);
  return state;
}

int CPageHelper::ApplyValue(int id, int value) {
  CKorvaneDoc* doc = GetDocument();
  return doc ? doc->SetIntProperty(id, value) : 0;
}

void CPageHelper::KeepAspect(double oldValue, int changed, int partner, int decimals) {
  if (m_bAspect) return;
  m_bAspect = 1;
  const double now = GetEditDouble(changed);
  double other = GetEditDouble(partner);
  other = oldValue != 0.0 ? other * now / oldValue : now;
  if ((now < 0) != (other < 0)) other = -other;
  SetEditDouble(partner, other, decimals);
  m_bAspect = 0;
}

void CPageHelper::FillCharList(int list, const CString& text) {
  if (!m_pControls) return;
  m_pControls->ResetContent(list);
  const std::string& s = text.str();
  for (size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    if (cp932::IsLeadByte(c) && i + 1 < s.size()) {
      m_pControls->AddString(list, CString(s.substr(i, 2)));
      i += 2;
    } else {
      if (c != '\r' && c != '\n') m_pControls->AddString(list, CString(s.substr(i, 1)));
      ++i;
    }
  }
  m_pControls->SetCurSel(list, 0);
}

int CPageHelper::CharRowToRecordIndex(int n) const {
  if (m_bUpdating) return -1;
  CKorvaneDoc* doc = GetDocument();
  CDrawObject* copy = doc ? doc->CopyCurrentObject() : nullptr;
  if (!copy) return -1;
  std::string s;
  if (copy->m_nType == TYPE_TEXT1) s = static_cast<CText1Object*>(copy)->m_strText.str();
  if (copy->m_nType == TYPE_TEXT2) s = static_cast<CText2Object*>(copy)->m_strText.str();
  CKorvaneDoc::FreeObject(copy);
  int row = 0, record = 0;
  for (size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    if (cp932::IsLeadByte(c)) {
      if (row == n) return record;
      i += 2, ++row, ++record;
    } else if (c == '\r' && i + 1 < s.size() && s[i + 1] == '\n') {
      i += 2, record += 2;
    } else {
      if (row == n) return record;
      ++i, ++row, ++record;
    }
  }
  return -1;
}

// ---------------------------------------------------------------------------------------------

CKorvanePage::CKorvanePage(const DlgTemplate* tpl, int kind, int pageIndex)
    : CPropertyPage(tpl), m_nKind(kind), m_nPageIndex(pageIndex) {}

const PageBinding* CKorvanePage::FindBinding(int id) const {
  int count = 0;
  const PageBinding* b = Bindings(count);
  for (int i = 0; i < count; ++i)
    if (b[i].id == id) return &b[i];
  return nullptr;
}

int CKorvanePage::FillFromDocument(bool checkKind) {
  m_bUpdating = 1;
  CKorvaneDoc* doc = GetDocument();
  CDrawObject* copy = doc ? doc->CopyCurrentObject() : nullptr;
  if (!copy) {
    m_bUpdating = 0;
    return 0;
  }
  if (checkKind && copy->m_nType != m_nKind) {
    CKorvaneDoc::FreeObject(copy);
    m_bUpdating = 0;
    return 0;
  }
  Fill(copy);
  CKorvaneDoc::FreeObject(copy);
  m_bUpdating = 0;
  return 1;
}

BOOL CKorvanePage::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  m_pControls = Host();
  int count = 0;
  const PageBinding* b = Bindings(count);
  for (int i = 0; i < count; ++i)
    if (b[i].spin) InitSpin(b[i].spin);
  if (m_bInitialized) return TRUE;
  if (!FillFromDocument(false)) return FALSE;
  m_bInitialized = 1;
  return TRUE;
}

BOOL CKorvanePage::OnSetActive() {
  const BOOL result = CPropertyPage::OnSetActive();
  m_pControls = Host();
  RefreshPage();
  SetTypePage(m_nKind, m_nPageIndex);
  return result;
}

int CKorvanePage::RefreshPage() {
  m_pControls = Host();
  return FillFromDocument(true);
}

BOOL CKorvanePage::OnCommand(int id, int code) {
  m_pControls = Host();
  const PageBinding* b = FindBinding(id);
  if (!b) return FALSE;
  switch (b->kind) {
    case BIND_EDIT_DOUBLE: if (code == EN_CHANGE) ApplyEditDouble(id, Row()); break;
    case BIND_EDIT_INT: if (code == EN_CHANGE) ApplyEditInt(id); break;
    case BIND_EDIT_INT_INDEXED: if (code == EN_CHANGE) ApplyEditIntIndexed(id, Row()); break;
    case BIND_EDIT_TEXT: if (code == EN_CHANGE) ApplyEditText(id); break;
    case BIND_CHECK: if (code == BN_CLICKED) ApplyCheck(id); break;
    case BIND_CHECK_INDEXED: if (code == BN_CLICKED) ApplyCheckIndexed(id, Row()); break;
    case BIND_RADIO: if (code == BN_CLICKED) ApplyValue(id, b->value); break;
    case BIND_COMBO:
      // A refused choice: the combo shows the kept one again.
      if (code == CBN_SELCHANGE && m_pControls && !ApplyValue(id, m_pControls->GetCurSel(id) + b->value))
        if (CKorvaneDoc* doc = GetDocument()) m_pControls->SetCurSel(id, doc->m_nReplyInt - b->value);
      break;
  }
  AfterChange(id, code);
  return TRUE;
}

BOOL CKorvanePage::OnNotify(int id, NMUPDOWN& nm) {
  m_pControls = Host();
  int count = 0;
  const PageBinding* b = Bindings(count);
  for (int i = 0; i < count; ++i) {
    if (b[i].spin != id) continue;
    StepEdit(id, b[i].id, nm, b[i].decimals, b[i].useStep);
    break;
  }
  return CPropertyPage::OnNotify(id, nm);
}
