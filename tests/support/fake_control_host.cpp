#include "fake_control_host.h"

#include <QString>

namespace {

std::u32string ToCodePoints(const CString& text) {
  const QString q = text.ToQString();
  std::u32string out;
  for (char32_t c : q.toUcs4()) out.push_back(c);
  return out;
}

CString FromCodePoints(const std::u32string& text) {
  return CString::FromQString(QString::fromUcs4(text.data(), static_cast<qsizetype>(text.size())));
}

bool IsEdit(ControlKind k) { return k == CTL_EDIT || k == CTL_EDIT_MULTILINE; }
bool IsList(ControlKind k) { return k == CTL_LIST || k == CTL_COMBO; }
bool IsCheckable(ControlKind k) { return k == CTL_CHECK || k == CTL_RADIO || k == CTL_PUSH_CHECKABLE; }

}  // namespace

CFakeControlHost::CFakeControlHost(const DlgTemplate& tpl) {
  for (int i = 0; i < tpl.count; ++i) {
    const DlgControl& d = tpl.controls[i];
    Control c;
    c.kind = d.kind;
    c.group = d.kind == CTL_RADIO ? (d.link ? d.link : d.id) : 0;
    if (d.kind != CTL_LIST && d.kind != CTL_COMBO) c.text = ToCodePoints(CString::FromUtf8(d.text ? d.text : ""));
    c.visible = !(d.style & CS_HIDDEN);
    c.enabled = !(d.style & CS_DISABLED);
    c.width = d.cx * 3 / 2;
    c.height = d.cy * 2;
    m_controls[d.id] = std::move(c);
  }
  for (auto& [id, c] : m_controls) {
    if (c.kind != CTL_UPDOWN) continue;
    const int spinId = id;
    c.spin.SetNotify([this, spinId](NMUPDOWN& nm) -> BOOL {
      nm.hdr.idFrom = spinId;
      nm.hdr.code = UDN_DELTAPOS;
      m_vNotified.emplace_back(spinId, UDN_DELTAPOS);
      return m_pOwner ? m_pOwner->OnNotify(spinId, nm) : FALSE;
    });
  }
}

CFakeControlHost::~CFakeControlHost() = default;

CFakeControlHost::Control* CFakeControlHost::Find(int id) {
  auto it = m_controls.find(id);
  return it == m_controls.end() ? nullptr : &it->second;
}

const CFakeControlHost::Control* CFakeControlHost::GetControl(int id) const {
  auto it = m_controls.find(id);
  return it == m_controls.end() ? nullptr : &it->second;
}

void CFakeControlHost::Command(int id, int code) {
  m_vNotified.emplace_back(id, code);
  if (m_pOwner) m_pOwner->OnCommand(id, code);
}

int CFakeControlHost::CountNotified(int id, int code) const {
  int n = 0;
  for (const auto& [i, c] : m_vNotified) n += (i == id && c == code) ? 1 : 0;
  return n;
}

// ---- the operator ------------------------------------------------------------------------------

void CFakeControlHost::Type(int id, const CString& text) { TypeCodePoints(id, ToCodePoints(text)); }

void CFakeControlHost::TypeUtf8(int id, const char* utf8) {
  std::u32string text;
  for (char32_t c : QString::fromUtf8(utf8 ? utf8 : "").toUcs4()) text.push_back(c);
  TypeCodePoints(id, text);
}

void CFakeControlHost::TypeCodePoints(int id, const std::u32string& text) {
  Control* c = Find(id);
  if (!c || !IsEdit(c->kind) || !c->enabled) return;
  for (char32_t ch : text) {
    c = Find(id);
    c->text.push_back(ch);
    Command(id, EN_CHANGE);
  }
}

void CFakeControlHost::Paste(int id, const CString& text) {
  Control* c = Find(id);
  if (!c || !IsEdit(c->kind) || !c->enabled) return;
  c->text = ToCodePoints(text);
  Command(id, EN_CHANGE);
}

void CFakeControlHost::Click(int id) {
  Control* c = Find(id);
  if (!c || !c->enabled) return;
  if (c->kind == CTL_CHECK || c->kind == CTL_PUSH_CHECKABLE) {
    c->check = c->check ? 0 : 1;
  } else if (c->kind == CTL_RADIO) {
    CheckRadioButton(c->group, id);
  } else if (c->kind != CTL_PUSH) {
    return;
  }
  Command(id, BN_CLICKED);
}

void CFakeControlHost::ChooseRow(int id, int row) {
  Control* c = Find(id);
  if (!c || !IsList(c->kind) || row < 0 || row >= static_cast<int>(c->rows.size())) return;
  c->sel = row;
  Command(id, c->kind == CTL_LIST ? LBN_SELCHANGE : CBN_SELCHANGE);
}

void CFakeControlHost::SpinClick(int id, int direction) {
  Control* c = Find(id);
  if (!c || c->kind != CTL_UPDOWN) return;
  c->spin.Press(direction);
  c->spin.Release();
}

CUpDownState* CFakeControlHost::SpinState(int id) {
  Control* c = Find(id);
  return c && c->kind == CTL_UPDOWN ? &c->spin : nullptr;
}

// ---- IControlHost ------------------------------------------------------------------------------

void CFakeControlHost::SetDlgItemText(int id, const CString& text) {
  Control* c = Find(id);
  if (!c) return;
  if (c->kind == CTL_COMBO) {
    for (size_t i = 0; i < c->rows.size(); ++i)
      if (c->rows[i] == text) c->sel = static_cast<int>(i);
    return;
  }
  c->text = ToCodePoints(text);
  // A code-set edit text always tells its owner, changed or not.
  if (IsEdit(c->kind)) Command(id, EN_CHANGE);
}

CString CFakeControlHost::GetDlgItemText(int id) const {
  const Control* c = GetControl(id);
  if (!c) return CString();
  if (c->kind == CTL_COMBO) return c->sel >= 0 ? c->rows[c->sel] : CString();
  return FromCodePoints(c->text);
}

void CFakeControlHost::SetCheck(int id, int state) {
  Control* c = Find(id);
  if (c && IsCheckable(c->kind)) c->check = state ? 1 : 0;
}

int CFakeControlHost::GetCheck(int id) const {
  const Control* c = GetControl(id);
  return c && IsCheckable(c->kind) ? c->check : 0;
}

void CFakeControlHost::CheckRadioButton(int first, int check) {
  for (auto& [id, c] : m_controls)
    if (c.kind == CTL_RADIO && c.group == first) c.check = id == check ? 1 : 0;
}

int CFakeControlHost::GetCheckedRadioButton(int first) const {
  for (const auto& [id, c] : m_controls)
    if (c.kind == CTL_RADIO && c.group == first && c.check) return id;
  return -1;
}

void CFakeControlHost::ResetContent(int id) {
  Control* c = Find(id);
  if (!c || !IsList(c->kind)) return;
  c->rows.clear();
  c->sel = -1;
}

int CFakeControlHost::AddString(int id, const CString& text) { return InsertString(id, -1, text); }

int CFakeControlHost::InsertString(int id, int row, const CString& text) {
  Control* c = Find(id);
  if (!c || !IsList(c->kind)) return LB_ERR;
  const int count = static_cast<int>(c->rows.size());
  if (row < 0 || row > count) row = count;
  c->rows.insert(c->rows.begin() + row, text);
  if (c->sel >= row) ++c->sel;
  return row;
}

int CFakeControlHost::DeleteString(int id, int row) {
  Control* c = Find(id);
  if (!c || !IsList(c->kind) || row < 0 || row >= static_cast<int>(c->rows.size())) return LB_ERR;
  c->rows.erase(c->rows.begin() + row);
  if (c->sel == row) {
    c->sel = -1;
  } else if (c->sel > row) {
    --c->sel;
  }
  return static_cast<int>(c->rows.size());
}

int CFakeControlHost::GetCount(int id) const {
  const Control* c = GetControl(id);
  return c && IsList(c->kind) ? static_cast<int>(c->rows.size()) : LB_ERR;
}

int CFakeControlHost::GetCurSel(int id) const {
  const Control* c = GetControl(id);
  return c && IsList(c->kind) ? c->sel : LB_ERR;
}

int CFakeControlHost::SetCurSel(int id, int row) {
  Control* c = Find(id);
  if (!c || !IsList(c->kind)) return LB_ERR;
  const bool valid = row >= 0 && row < static_cast<int>(c->rows.size());
  c->sel = valid ? row : -1;
  return valid ? row : LB_ERR;
}

CString CFakeControlHost::GetText(int id, int row) const {
  const Control* c = GetControl(id);
  if (!c || !IsList(c->kind) || row < 0 || row >= static_cast<int>(c->rows.size())) return CString();
  return c->rows[row];
}

void CFakeControlHost::SetProgressRange(int id, int low, int high) {
  Control* c = Find(id);
  if (!c || c->kind != CTL_PROGRESS) return;
  c->lo = low;
  c->hi = high > low ? high : low;
  if (c->pos < c->lo) c->pos = c->lo;
  if (c->pos > c->hi) c->pos = c->hi;
}

void CFakeControlHost::SetProgressPos(int id, int pos) {
  Control* c = Find(id);
  if (c && c->kind == CTL_PROGRESS) c->pos = pos < c->lo ? c->lo : pos > c->hi ? c->hi : pos;
}

int CFakeControlHost::GetProgressPos(int id) const {
  const Control* c = GetControl(id);
  return c && c->kind == CTL_PROGRESS ? c->pos : 0;
}

void CFakeControlHost::SetBase(int id, int base) {
  if (CUpDownState* s = SpinState(id)) s->SetBase(base);
}
void CFakeControlHost::SetRange32(int id, int low, int high) {
  if (CUpDownState* s = SpinState(id)) s->SetRange32(low, high);
}
void CFakeControlHost::SetPos32(int id, int pos) {
  if (CUpDownState* s = SpinState(id)) s->SetPos32(pos);
}
int CFakeControlHost::GetPos32(int id) const {
  const Control* c = GetControl(id);
  return c && c->kind == CTL_UPDOWN ? c->spin.GetPos32() : 0;
}
void CFakeControlHost::SetAccel(int id, const std::vector<UDACCEL>& accel) {
  if (CUpDownState* s = SpinState(id)) s->SetAccel(accel);
}

void CFakeControlHost::ShowWindow(int id, BOOL show) {
  if (Control* c = Find(id)) c->visible = show != FALSE;
}
BOOL CFakeControlHost::IsWindowVisible(int id) const {
  const Control* c = GetControl(id);
  return c && c->visible;
}
void CFakeControlHost::EnableWindow(int id, BOOL enable) {
  if (Control* c = Find(id)) c->enabled = enable != FALSE;
}
BOOL CFakeControlHost::IsWindowEnabled(int id) const {
  const Control* c = GetControl(id);
  return c && c->enabled;
}
void CFakeControlHost::SetFocus(int id) {
  if (HasControl(id)) m_nFocus = id;
}
BOOL CFakeControlHost::HasFocus(int id) const { return m_nFocus == id && id != 0; }
void CFakeControlHost::Invalidate(int id) {
  if (Control* c = Find(id)) ++c->invalidated;
}
CRect CFakeControlHost::GetClientRect(int id) const {
  const Control* c = GetControl(id);
  return c ? CRect(0, 0, c->width, c->height) : CRect(0, 0, 0, 0);
}
void CFakeControlHost::SetFont(int id, int pixelHeight, BOOL bold, const CString& face) {
  Control* c = Find(id);
  if (!c) return;
  c->fontHeight = pixelHeight;
  c->fontBold = bold != FALSE;
  c->fontFace = face;
}
