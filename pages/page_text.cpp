// The straight-text page, the arc-text page and their character pages.
#include "model/korvane_doc.h"
#include "model/textobject.h"
#include "model/textutil.h"
#include "pages/object_page_util.h"
#include "pages/object_pages.h"
#include "platform/numfmt.h"
#include "res/dialog_139.h"
#include "res/dialog_140.h"
#include "res/dialog_141.h"
#include "res/dialog_142.h"

using namespace objpage;

namespace {

// Each page's controls with the fields they show, in the order the page fills them.
namespace text1 {
using namespace dlg139;
using O = CText1Object;
constexpr Field<O> kFields[] = {
    Length(IDC_OFFSET_X, IDC_SPIN_OFFSET_X, &O::m_dPosX),     Length(IDC_OFFSET_Y, IDC_SPIN_OFFSET_Y, &O::m_dPosY),
    Length(IDC_WIDTH, IDC_SPIN_WIDTH, &O::m_dWidth),          Length(IDC_HEIGHT, IDC_SPIN_HEIGHT, &O::m_dHeight),
    Length(IDC_SIZE_X, IDC_SPIN_SIZE_X, &O::m_dCharWidth),    Length(IDC_SIZE_Y, IDC_SPIN_SIZE_Y, &O::m_dCharHeight),
    Length(IDC_CHAR_GAP, IDC_SPIN_CHAR_GAP, &O::m_dCharGap),  Length(IDC_ANGLE, IDC_SPIN_ANGLE, &O::m_dAngle),
    Length(IDC_LINE_GAP, IDC_SPIN_LINE_GAP, &O::m_dLineGap),  Count(IDC_ROWS, IDC_SPIN_ROWS, &O::m_nRows),
    Count(IDC_COLUMNS, IDC_SPIN_COLUMNS, &O::m_nColumns),     Length(IDC_ROW_GAP, IDC_SPIN_ROW_GAP, &O::m_dRowGap),
    Length(IDC_COLUMN_GAP, IDC_SPIN_COLUMN_GAP, &O::m_dColumnGap),
    Count(IDC_COUNT_START, IDC_SPIN_COUNT_START, &O::m_nCountStart),
    Count(IDC_COUNT_DIGITS, IDC_SPIN_COUNT_DIGITS, &O::m_nCountDigits),
    Radio(IDC_ALIGN_TOP_LEFT, 0),                             Radio(IDC_ALIGN_TOP_RIGHT, 1),
    Radio(IDC_ALIGN_CENTER, 2),                               Radio(IDC_ALIGN_JUSTIFY, 3),
};
constexpr auto kTable = BindingsOf(kFields);
}  // namespace text1

namespace text2 {
using namespace dlg141;
using O = CText2Object;
constexpr Field<O> kFields[] = {
    Length(IDC_OFFSET_X, IDC_SPIN_OFFSET_X, &O::m_dPosX),     Length(IDC_OFFSET_Y, IDC_SPIN_OFFSET_Y, &O::m_dPosY),
    Length(IDC_RADIUS_X, IDC_SPIN_RADIUS_X, &O::m_dRadiusX),  Length(IDC_RADIUS_Y, IDC_SPIN_RADIUS_Y, &O::m_dRadiusY),
    Length(IDC_SPAN, IDC_SPIN_SPAN, &O::m_dSpan),             Length(IDC_ANGLE, IDC_SPIN_ANGLE, &O::m_dAngle),
    Length(IDC_SIZE_X, IDC_SPIN_SIZE_X, &O::m_dCharWidth),    Length(IDC_SIZE_Y, IDC_SPIN_SIZE_Y, &O::m_dCharHeight),
    Count(IDC_ROWS, IDC_SPIN_ROWS, &O::m_nRows),              Count(IDC_COLUMNS, IDC_SPIN_COLUMNS, &O::m_nColumns),
    Length(IDC_ROW_GAP, IDC_SPIN_ROW_GAP, &O::m_dRowGap),     Length(IDC_COLUMN_GAP, IDC_SPIN_COLUMN_GAP, &O::m_dColumnGap),
    Radio(IDC_UPPER, 0),                                      Radio(IDC_LOWER, 1),
};
constexpr auto kTable = BindingsOf(kFields);
}  // namespace text2

}  // namespace

// ---- CPageText1String ----------------------------------------------------------------------------

CPageText1String::CPageText1String() : CObjectPage(&g_Dialog139, TYPE_TEXT1, 0) {}

const PageBinding* CPageText1String::Bindings(int& count) const { return Table(text1::kTable, count); }

void CPageText1String::FillObject(CDrawObject* copy) {
  using namespace dlg139;
  auto* o = static_cast<CText1Object*>(copy);
  m_bReentry = 0;
  FillFields(o, text1::kFields);
  if (!m_pControls) return;
  // The first fill shows the string; the refresh of the activation after it, the count-up state.
  if (m_bInRefresh && o->m_bCountUp) {
    m_pControls->SetCheck(IDC_COUNT_UP, 1);
    EnableCountUpControls(1);
    m_pControls->SetDlgItemText(IDC_TEXT, o->CounterText());
  } else {
    m_pControls->SetCheck(IDC_COUNT_UP, 0);
    EnableCountUpControls(0);
    m_pControls->SetDlgItemText(IDC_TEXT, o->m_strText);
  }
  m_nLineCount = GetTextLineCount(IDC_TEXT);
  m_nDirection = o->m_nWriteDirection;
  SetDirectionRadios(m_nDirection);
  SetAlignRadios(o->m_nAlign);
}

void CPageText1String::SetDirectionRadios(int direction) {
  if (!m_pControls) return;
  m_pControls->SetCheck(dlg139::IDC_HORIZONTAL, direction == 0);
  m_pControls->SetCheck(dlg139::IDC_VERTICAL, direction != 0);
}

void CPageText1String::SetAlignRadios(int align) {
  using namespace dlg139;
  SetRadios({IDC_ALIGN_TOP_LEFT, IDC_ALIGN_TOP_RIGHT, IDC_ALIGN_CENTER, IDC_ALIGN_JUSTIFY}, align);
}

void CPageText1String::EnableCountUpControls(int on) {
  using namespace dlg139;
  if (!m_pControls) return;
  for (int id : {IDC_COUNT_START_LABEL, IDC_COUNT_START, IDC_SPIN_COUNT_START, IDC_COUNT_DIGITS_LABEL,
                 IDC_COUNT_DIGITS, IDC_SPIN_COUNT_DIGITS, IDC_RESET_COUNTER})
    m_pControls->EnableWindow(id, on != 0);
  // A count-up string is never typed.
  m_pControls->SetReadOnly(IDC_TEXT, on != 0);
  m_pControls->EnableWindow(IDC_CONFIRM, on == 0);
}

BOOL CPageText1String::OnCommand(int id, int code) {
  using namespace dlg139;
  m_pControls = Host();
  if (code == EN_CHANGE) {
    switch (id) {
      case IDC_WIDTH:
        ApplyEditDouble(id);
        if (m_nDirection == 1) BlockToCharSize(IDC_WIDTH, IDC_SIZE_X);
        return TRUE;
      case IDC_HEIGHT:
        ApplyEditDouble(id);
        if (m_nDirection == 0) BlockToCharSize(IDC_HEIGHT, IDC_SIZE_Y);
        return TRUE;
      case IDC_SIZE_X:
        ApplyEditDouble(id);
        if (m_nDirection == 1) CharSizeToBlock(IDC_SIZE_X, IDC_WIDTH, m_nLineCount);
        return TRUE;
      case IDC_SIZE_Y:
        ApplyEditDouble(id);
        if (m_nDirection == 0) CharSizeToBlock(IDC_SIZE_Y, IDC_HEIGHT, m_nLineCount);
        return TRUE;
      case IDC_LINE_GAP:
        ApplyEditDouble(id);
        // The block keeps its length; the characters follow.
        if (m_nLineCount > 1) {
          if (m_nDirection == 1) BlockToCharSize(IDC_WIDTH, IDC_SIZE_X);
          else BlockToCharSize(IDC_HEIGHT, IDC_SIZE_Y);
        }
        return TRUE;
      case IDC_COUNT_START:
      case IDC_COUNT_DIGITS:
        // Pushed by a reset only.
        return TRUE;
      default: break;
    }
  } else if (code == BN_CLICKED) {
    switch (id) {
      case IDC_CONFIRM: OnConfirmText(); return TRUE;
      case IDC_VARIABLE_TEXT: m_nVariableText = ApplyCheck(id); return TRUE;
      case IDC_HORIZONTAL: OnHorizontal(); return TRUE;
      case IDC_VERTICAL: OnVertical(); return TRUE;
      case IDC_COUNT_UP: OnCountUp(); return TRUE;
      case IDC_RESET_COUNTER: OnResetCounter(); return TRUE;
      default: break;
    }
  }
  return CObjectPage::OnCommand(id, code);
}

void CPageText1String::BlockToCharSize(int block, int size) {
  if (m_bUpdating || m_bReentry || !m_pControls) return;
  m_bReentry = 1;
  const int lines = m_nLineCount > 0 ? m_nLineCount : 1;
  const double length = GetEditDouble(block);
  const double spacing = GetEditDouble(dlg139::IDC_LINE_GAP);
  SetLength(size, (length - spacing * (lines - 1)) / lines);
  m_bReentry = 0;
}

void CPageText1String::CharSizeToBlock(int size, int block, int lines) {
  if (m_bUpdating || m_bReentry || !m_pControls) return;
  m_bReentry = 1;
  const double spacing = GetEditDouble(dlg139::IDC_LINE_GAP);
  SetLength(block, spacing * (lines - 1) + GetEditDouble(size) * lines);
  m_bReentry = 0;
}

void CPageText1String::OnConfirmText() {
  using namespace dlg139;
  if (!ApplyEditText(IDC_TEXT)) return;
  if (m_bUpdating || m_bReentry || !m_pControls) return;
  const int lines = GetTextLineCount(IDC_TEXT);
  if (lines != m_nLineCount) {
    if (m_nDirection == 1) CharSizeToBlock(IDC_SIZE_X, IDC_WIDTH, lines);
    else CharSizeToBlock(IDC_SIZE_Y, IDC_HEIGHT, lines);
  }
  m_nLineCount = lines;
}

void CPageText1String::OnDirection(int direction) {
  using namespace dlg139;
  ApplyValue(direction == 0 ? IDC_HORIZONTAL : IDC_VERTICAL, direction);
  if (m_nDirection == direction) return;
  if (!m_bUpdating && !m_bReentry && m_pControls) {
    m_bReentry = 1;
    SwapEditTexts(IDC_WIDTH, IDC_HEIGHT);
    m_bReentry = 0;
    if (direction == 0) BlockToCharSize(IDC_HEIGHT, IDC_SIZE_Y);
    else BlockToCharSize(IDC_WIDTH, IDC_SIZE_X);
  }
  m_nDirection = direction;
}

void CPageText1String::OnCountUp() {
  const int on = ApplyCheck(dlg139::IDC_COUNT_UP);
  EnableCountUpControls(on);
  if (on) {
    OnResetCounter();
    return;
  }
  // The edit held the counter, which the object's string need not be: show what is marked now.
  CKorvaneDoc* doc = GetDocument();
  CDrawObject* copy = doc ? doc->CopyCurrentObject() : nullptr;
  if (copy && copy->m_nType == TYPE_TEXT1 && m_pControls)
    m_pControls->SetDlgItemText(dlg139::IDC_TEXT, static_cast<CText1Object*>(copy)->m_strText);
  CKorvaneDoc::FreeObject(copy);
}

void CPageText1String::OnResetCounter() {
  using namespace dlg139;
  ApplyEditInt(IDC_COUNT_START);
  ApplyEditInt(IDC_COUNT_DIGITS);
  CKorvaneDoc* doc = GetDocument();
  CDrawObject* copy = doc ? doc->CopyCurrentObject() : nullptr;
  if (!copy) return;
  if (copy->m_nType != TYPE_TEXT1 || !m_pControls) {
    CKorvaneDoc::FreeObject(copy);
    return;
  }
  // Padded to the digit count the document kept, which caps what was typed.
  auto* o = static_cast<CText1Object*>(copy);
  const CString text = CText1Object::PaddedCount(o->m_nCountStart, o->m_nCountDigits);
  CKorvaneDoc::FreeObject(copy);
  m_pControls->SetDlgItemText(IDC_TEXT, text);
  OnConfirmText();
}

// ---- CPageText2String ----------------------------------------------------------------------------

CPageText2String::CPageText2String() : CObjectPage(&g_Dialog141, TYPE_TEXT2, 0) {}

const PageBinding* CPageText2String::Bindings(int& count) const { return Table(text2::kTable, count); }

void CPageText2String::FillObject(CDrawObject* copy) {
  using namespace dlg141;
  auto* o = static_cast<CText2Object*>(copy);
  FillFields(o, text2::kFields);
  if (!m_pControls) return;
  m_pControls->SetDlgItemText(IDC_TEXT, o->m_strText);
  SetArcSideRadios(o->m_nDirection);
  m_nKeepAspect = o->m_bKeepAspect == 1;
  m_pControls->SetCheck(IDC_KEEP_ASPECT, m_nKeepAspect);
}

void CPageText2String::SetArcSideRadios(int side) {
  if (!m_pControls) return;
  m_pControls->SetCheck(dlg141::IDC_UPPER, side == 0);
  m_pControls->SetCheck(dlg141::IDC_LOWER, side != 0);
}

BOOL CPageText2String::OnCommand(int id, int code) {
  using namespace dlg141;
  m_pControls = Host();
  if (code == BN_CLICKED && id == IDC_CONFIRM) {
    OnConfirmText();
    return TRUE;
  }
  if (code == BN_CLICKED && id == IDC_KEEP_ASPECT) {
    m_nKeepAspect = ApplyCheck(id);
    return TRUE;
  }
  return CObjectPage::OnCommand(id, code);
}

void CPageText2String::OnConfirmText() { ApplyEditText(dlg141::IDC_TEXT); }

// ---- character pages -----------------------------------------------------------------------------

CCharPage::CCharPage(const DlgTemplate* tpl, int kind, const Ids& ids) : CObjectPage(tpl, kind, 1), m_ids(ids) {
  for (int i = 0; i < 9; ++i) m_bindings[i] = Length(ids.edits[i], ids.spins[i]);
  m_bindings[9] = PageBinding{ids.swap, BIND_CHECK, 0, 3, TRUE, 0};
}

const PageBinding* CCharPage::Bindings(int& count) const { return Table(m_bindings, count); }

int CCharPage::Row() const {
  if (!m_pControls) return -1;
  return RecordOfRow(m_pControls->GetCurSel(m_ids.list));
}

namespace {
std::string TextOf(const CDrawObject* copy) {
  if (copy->m_nType == TYPE_TEXT1) return static_cast<const CText1Object*>(copy)->m_strText.str();
  if (copy->m_nType == TYPE_TEXT2) return static_cast<const CText2Object*>(copy)->m_strText.str();
  return std::string();
}
}  // namespace

void CCharPage::ShowRecord(const CDrawObject* copy, int record) {
  CTextCharRecord r;
  double lineX = 0.0, lineY = 0.0;
  if (copy->m_nType == TYPE_TEXT1) {
    auto* o = static_cast<const CText1Object*>(copy);
    if (record >= 0 && record < static_cast<int>(o->m_vCharRecords.size())) r = o->m_vCharRecords[record];
    lineX = o->m_dLineWidthX;
    lineY = o->m_dLineWidthY;
  } else {
    auto* o = static_cast<const CText2Object*>(copy);
    if (record >= 0 && record < static_cast<int>(o->m_vCharRecords.size())) r = o->m_vCharRecords[record];
    lineX = o->m_dLineWidthX;
    lineY = o->m_dLineWidthY;
  }
  const double values[9] = {r.dSizeX, r.dSizeY, r.dOffsetX, r.dOffsetY, r.dAngle, r.dFontWidthX, r.dFontWidthY,
                            lineX, lineY};
  for (int i = 0; i < 9; ++i) SetLength(m_ids.edits[i], values[i]);
}

void CCharPage::EnableEdits(BOOL enable) {
  if (!m_pControls) return;
  for (int i = 0; i < 9; ++i) {
    m_pControls->EnableWindow(m_ids.edits[i], enable);
    m_pControls->EnableWindow(m_ids.spins[i], enable);
  }
}

void CCharPage::FillObject(CDrawObject* copy) {
  if (!m_pControls) return;
  FillCharList(m_ids.list, CString(TextOf(copy)));
  const bool any = m_pControls->GetCount(m_ids.list) > 0;
  // Row 0 is not record 0 when the text opens with line breaks. The mapping reads the document,
  // which it refuses while the page fills; here the page only reads.
  const int was = m_bUpdating;
  m_bUpdating = 0;
  const int record = any ? RecordOfRow(0) : -1;
  m_bUpdating = was;
  ShowRecord(copy, record);
  // A text without characters has no record to show or edit.
  EnableEdits(any);
  const int flag = copy->m_nType == TYPE_TEXT1 ? static_cast<CText1Object*>(copy)->m_bWidthDirection
                                               : static_cast<CText2Object*>(copy)->m_bWidthDirection;
  m_pControls->SetCheck(m_ids.swap, flag != 0);
}

BOOL CCharPage::OnCommand(int id, int code) {
  m_pControls = Host();
  if (id == m_ids.list && code == LBN_SELCHANGE) {
    OnSelchangeCharList();
    return TRUE;
  }
  if (id == m_ids.swap && code == BN_CLICKED) {
    OnSwapDirection();
    return TRUE;
  }
  return CObjectPage::OnCommand(id, code);
}

void CCharPage::OnSelchangeCharList() {
  if (!m_pControls) return;
  // Map the row first: the mapping answers nothing while the updating flag is up.
  const int row = m_pControls->GetCurSel(m_ids.list);
  const int record = row >= 0 ? RecordOfRow(row) : -1;
  m_bUpdating = 1;
  CKorvaneDoc* doc = GetDocument();
  if (CDrawObject* copy = doc ? doc->CopyCurrentObject() : nullptr) {
    if (copy->m_nType == GetPageKind() && record >= 0) ShowRecord(copy, record);
    CKorvaneDoc::FreeObject(copy);
  }
  m_bUpdating = 0;
}

void CCharPage::OnSwapDirection() { ApplyCheck(m_ids.swap); }

namespace {
const CCharPage::Ids kText1Ids = {{1332, 1340, 1346, 1342, 1352, 1355, 1349, 1361, 1358},
                                  {1334, 1338, 1345, 1343, 1351, 1354, 1348, 1360, 1357},
                                  dlg140::IDC_CHAR_LIST,
                                  dlg140::IDC_SWAP_DIRECTION};
const CCharPage::Ids kText2Ids = {{1408, 1411, 1414, 1417, 1420, 1423, 1426, 1429, 1432},
                                  {1409, 1412, 1415, 1418, 1421, 1424, 1427, 1430, 1433},
                                  dlg142::IDC_CHAR_LIST,
                                  dlg142::IDC_SWAP_DIRECTION};
}  // namespace

CPageText1Char::CPageText1Char() : CCharPage(&g_Dialog140, TYPE_TEXT1, kText1Ids) {}

int CPageText1Char::RecordOfRow(int row) const { return row >= 0 ? CharRowToRecordIndex(row) : -1; }

CPageText2Char::CPageText2Char() : CCharPage(&g_Dialog142, TYPE_TEXT2, kText2Ids) {}
