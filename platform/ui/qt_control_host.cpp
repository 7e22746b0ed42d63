#include "platform/ui/qt_control_host.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include "platform/gdi/font_engine.h"
#include "platform/gdi/painter_backend.h"
#include "platform/qt_prompter.h"
#include "platform/ui/row_list_widget.h"
#include "platform/ui/updown.h"

const DlgControl* FindTemplateControl(const DlgTemplate& tpl, int id) {
  for (int i = 0; i < tpl.count; ++i)
    if (tpl.controls[i].id == id) return &tpl.controls[i];
  return nullptr;
}

namespace {

// A frame whose owner paints it through a device context.
class OwnerDrawFrame : public QWidget {
 public:
  OwnerDrawFrame(QWidget* parent, int id, IControlOwner** owner) : QWidget(parent), m_id(id), m_owner(owner) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    if (!*m_owner) return;
    QPainter painter(this);
    CPainterDC dc(painter, this);
    const CRect rect(0, 0, width(), height());
    (*m_owner)->OnDrawItem(m_id, dc, rect);
  }

 private:
  int m_id;
  IControlOwner** m_owner;
};

QString Q(const char* utf8) { return QString::fromUtf8(utf8 ? utf8 : ""); }

}  // namespace

QFont CQtControlHost::DialogFont() {
  QFont font(QStringLiteral("IPAPGothic"));
  font.setPixelSize(12);
  return font;
}

QPoint CQtControlHost::DialogBaseUnits() {
  static const QPoint units = [] {
    const QFontMetrics fm(DialogFont());
    const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const int x = (fm.horizontalAdvance(alphabet) / 26 + 1) / 2;
    return QPoint(x > 0 ? x : 6, fm.height() > 0 ? fm.height() : 12);
  }();
  return units;
}

QRect CQtControlHost::DluToPixels(int x, int y, int cx, int cy) {
  const QPoint b = DialogBaseUnits();
  // MulDiv rounding, as the dialog manager maps its units.
  auto mx = [&](int v) { return (v * b.x() + 2) / 4; };
  auto my = [&](int v) { return (v * b.y() + 4) / 8; };
  return QRect(mx(x), my(y), mx(cx), my(cy));
}

QSize CQtControlHost::TemplateSize(const DlgTemplate& tpl) { return DluToPixels(0, 0, tpl.cx, tpl.cy).size(); }

CQtControlHost::CQtControlHost(const DlgTemplate& tpl, QWidget* parent) : QObject(parent) {
  // Group boxes first, so that the controls they frame lie above them.
  for (int pass = 0; pass < 2; ++pass) {
    for (int i = 0; i < tpl.count; ++i) {
      const DlgControl& c = tpl.controls[i];
      if ((c.kind == CTL_GROUP) != (pass == 0)) continue;
      QWidget* w = nullptr;
      const int id = c.id;
      switch (c.kind) {
        case CTL_EDIT: {
          auto* e = new QLineEdit(parent);
          e->setText(Q(c.text));
          e->setReadOnly(c.style & CS_READONLY);
          if (c.style & CS_RIGHT) e->setAlignment(Qt::AlignRight);
          // Typed changes only; code-set texts notify from SetDlgItemText.
          connect(e, &QLineEdit::textEdited, this, [this, id] { Command(id, EN_CHANGE); });
          w = e;
          break;
        }
        case CTL_EDIT_MULTILINE: {
          auto* e = new QPlainTextEdit(parent);
          e->setPlainText(Q(c.text));
          e->setReadOnly(c.style & CS_READONLY);
          // Lines end only where the operator or the text breaks them.
          e->setLineWrapMode(QPlainTextEdit::NoWrap);
          connect(e, &QPlainTextEdit::textChanged, this, [this, id] {
            if (!m_nSilent) Command(id, EN_CHANGE);
          });
          w = e;
          break;
        }
        case CTL_STATIC: {
          auto* l = new QLabel(Q(c.text), parent);
          l->setAlignment((c.style & CS_CENTER ? Qt::AlignHCenter : c.style & CS_RIGHT ? Qt::AlignRight : Qt::AlignLeft) |
                          Qt::AlignTop);
          l->setAutoFillBackground(true);
          w = l;
          break;
        }
        case CTL_CHECK: {
          auto* b = new QCheckBox(Q(c.text), parent);
          connect(b, &QCheckBox::clicked, this, [this, id] { Command(id, BN_CLICKED); });
          w = b;
          break;
        }
        case CTL_RADIO: {
          auto* b = new QRadioButton(Q(c.text), parent);
          // Exclusivity is the host's, so that code can leave a group with none checked.
          b->setAutoExclusive(false);
          connect(b, &QRadioButton::clicked, this, [this, id] { RadioClicked(id); });
          w = b;
          break;
        }
        case CTL_PUSH:
        case CTL_PUSH_CHECKABLE: {
          auto* b = new QPushButton(Q(c.text), parent);
          b->setCheckable(c.kind == CTL_PUSH_CHECKABLE);
          b->setAutoDefault(false);
          b->setDefault(c.style & CS_DEFAULT);
          connect(b, &QPushButton::clicked, this, [this, id] { Command(id, BN_CLICKED); });
          w = b;
          break;
        }
        case CTL_GROUP:
          w = new QGroupBox(Q(c.text), parent);
          break;
        case CTL_LIST: {
          auto* l = new CRowListWidget(parent);
          l->setSelectionMode(QAbstractItemView::SingleSelection);
          // Rows of one line each: the view need not measure every row it is given, and places
          // them by arithmetic.
          l->setUniformItemSizes(true);
          connect(l, &QListWidget::currentRowChanged, this, [this, id](int) {
            if (!m_nSilent) Command(id, LBN_SELCHANGE);
          });
          w = l;
          break;
        }
        case CTL_COMBO: {
          auto* b = new QComboBox(parent);
          connect(b, &QComboBox::activated, this, [this, id](int) { Command(id, CBN_SELCHANGE); });
          w = b;
          break;
        }
        case CTL_PROGRESS: {
          auto* p = new QProgressBar(parent);
          p->setTextVisible(false);
          p->setRange(0, 100);
          p->setValue(0);
          w = p;
          break;
        }
        case CTL_UPDOWN: {
          auto* s = new CSpinButtonCtrl(parent);
          s->State().SetNotify([this, id](NMUPDOWN& nm) -> BOOL {
            nm.hdr.idFrom = id;
            return m_pOwner ? m_pOwner->OnNotify(id, nm) : FALSE;
          });
          w = s;
          break;
        }
        case CTL_OWNERDRAW:
          w = new OwnerDrawFrame(parent, id, &m_pOwner);
          break;
        case CTL_SLIDER: {
          auto* t = new QSlider(Qt::Horizontal, parent);
          t->setTickPosition(QSlider::TicksBelow);
          connect(t, &QSlider::sliderReleased, this, [this, id] {
            NMUPDOWN nm;
            nm.hdr.idFrom = id;
            nm.hdr.code = NM_RELEASEDCAPTURE;
            if (m_pOwner) m_pOwner->OnNotify(id, nm);
          });
          w = t;
          break;
        }
      }
      w->setFont(DialogFont());
      w->setGeometry(DluToPixels(c.x, c.y, c.cx, c.cy));
      if (c.style & CS_DISABLED) w->setEnabled(false);
      w->setVisible(!(c.style & CS_HIDDEN));
      w->setObjectName(QString::number(id));
      m_controls[id] = Control{c.kind, w, c.kind == CTL_RADIO ? (c.link ? c.link : id) : 0};
      if (c.kind == CTL_GROUP) w->lower();
    }
  }
  for (int i = 0; i < tpl.count; ++i) {
    const DlgControl& c = tpl.controls[i];
    if (c.kind != CTL_UPDOWN || !c.link) continue;
    if (QWidget* buddy = GetControlWidget(c.link)) static_cast<CSpinButtonCtrl*>(m_controls[c.id].widget)->SetBuddy(buddy);
  }
}

CQtControlHost::~CQtControlHost() = default;

QWidget* CQtControlHost::GetControlWidget(int id) const {
  auto it = m_controls.find(id);
  return it == m_controls.end() ? nullptr : it->second.widget;
}

CSpinButtonCtrl* CQtControlHost::GetSpin(int id) const {
  const Control* c = Find(id, CTL_UPDOWN);
  return c ? static_cast<CSpinButtonCtrl*>(c->widget) : nullptr;
}

const CQtControlHost::Control* CQtControlHost::Find(int id, ControlKind kind) const {
  auto it = m_controls.find(id);
  if (it == m_controls.end()) return nullptr;
  if (it->second.kind == kind) return &it->second;
  // A checkable push button answers as a check box.
  if (kind == CTL_CHECK && it->second.kind == CTL_PUSH_CHECKABLE) return &it->second;
  return nullptr;
}

const CQtControlHost::Control* CQtControlHost::FindList(int id) const {
  auto it = m_controls.find(id);
  if (it == m_controls.end()) return nullptr;
  return it->second.kind == CTL_LIST || it->second.kind == CTL_COMBO ? &it->second : nullptr;
}

void CQtControlHost::Command(int id, int code) {
  if (m_pOwner) m_pOwner->OnCommand(id, code);
}

void CQtControlHost::RadioClicked(int id) {
  const Control* c = Find(id, CTL_RADIO);
  if (!c) return;
  // An automatic radio button: the clicked one is checked, the rest of its group cleared.
  ++m_nSilent;
  CheckRadioButton(c->group, id);
  --m_nSilent;
  Command(id, BN_CLICKED);
}

void CQtControlHost::SelectTypedText(int id) {
  auto it = m_controls.find(id);
  if (it == m_controls.end() || it->second.kind != CTL_EDIT) return;
  // Selected whether or not the window has the focus now: keys that reach the edit replace the
  // kept value, and a click or a tab into it sets its own cursor anyway.
  static_cast<QLineEdit*>(it->second.widget)->selectAll();
}

void CQtControlHost::SetDlgItemText(int id, const CString& text) {
  auto it = m_controls.find(id);
  if (it == m_controls.end()) return;
  const QString q = text.ToQString();
  QWidget* w = it->second.widget;
  switch (it->second.kind) {
    case CTL_EDIT:
      static_cast<QLineEdit*>(w)->setText(q);
      // A code-set edit text always tells its owner, changed or not.
      Command(id, EN_CHANGE);
      break;
    case CTL_EDIT_MULTILINE:
      ++m_nSilent;
      // The model's lines end with CR LF; the widget keeps "\n" alone.
      static_cast<QPlainTextEdit*>(w)->setPlainText(QString(q).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
      --m_nSilent;
      Command(id, EN_CHANGE);
      break;
    case CTL_STATIC: static_cast<QLabel*>(w)->setText(q); break;
    case CTL_CHECK:
    case CTL_RADIO:
    case CTL_PUSH:
    case CTL_PUSH_CHECKABLE: static_cast<QAbstractButton*>(w)->setText(q); break;
    case CTL_GROUP: static_cast<QGroupBox*>(w)->setTitle(q); break;
    case CTL_COMBO: static_cast<QComboBox*>(w)->setCurrentText(q); break;
    default: w->setWindowTitle(q); break;
  }
}

CString CQtControlHost::GetDlgItemText(int id) const {
  auto it = m_controls.find(id);
  if (it == m_controls.end()) return CString();
  QWidget* w = it->second.widget;
  switch (it->second.kind) {
    case CTL_EDIT: return CString::FromQString(static_cast<QLineEdit*>(w)->text());
    case CTL_EDIT_MULTILINE: {
      // Windows edits separate lines with CR LF.
      QString t = static_cast<QPlainTextEdit*>(w)->toPlainText();
      t.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
      return CString::FromQString(t);
    }
    case CTL_STATIC: return CString::FromQString(static_cast<QLabel*>(w)->text());
    case CTL_CHECK:
    case CTL_RADIO:
    case CTL_PUSH:
    case CTL_PUSH_CHECKABLE: return CString::FromQString(static_cast<QAbstractButton*>(w)->text());
    case CTL_GROUP: return CString::FromQString(static_cast<QGroupBox*>(w)->title());
    case CTL_COMBO: return CString::FromQString(static_cast<QComboBox*>(w)->currentText());
    default: return CString::FromQString(w->windowTitle());
  }
}

void CQtControlHost::SetCheck(int id, int state) {
  auto it = m_controls.find(id);
  if (it == m_controls.end()) return;
  const ControlKind k = it->second.kind;
  if (k != CTL_CHECK && k != CTL_RADIO && k != CTL_PUSH_CHECKABLE) return;
  ++m_nSilent;
  static_cast<QAbstractButton*>(it->second.widget)->setChecked(state != 0);
  --m_nSilent;
}

int CQtControlHost::GetCheck(int id) const {
  auto it = m_controls.find(id);
  if (it == m_controls.end()) return 0;
  auto* b = qobject_cast<QAbstractButton*>(it->second.widget);
  return b && b->isCheckable() && b->isChecked() ? 1 : 0;
}

void CQtControlHost::CheckRadioButton(int first, int check) {
  for (auto& [id, c] : m_controls)
    if (c.kind == CTL_RADIO && c.group == first) static_cast<QAbstractButton*>(c.widget)->setChecked(id == check);
}

int CQtControlHost::GetCheckedRadioButton(int first) const {
  for (const auto& [id, c] : m_controls)
    if (c.kind == CTL_RADIO && c.group == first && static_cast<QAbstractButton*>(c.widget)->isChecked()) return id;
  return -1;
}

void CQtControlHost::ResetContent(int id) {
  const Control* c = FindList(id);
  if (!c) return;
  ++m_nSilent;
  if (c->kind == CTL_LIST) {
    static_cast<QListWidget*>(c->widget)->clear();
  } else {
    static_cast<QComboBox*>(c->widget)->clear();
  }
  --m_nSilent;
}

int CQtControlHost::AddString(int id, const CString& text) { return InsertString(id, -1, text); }

int CQtControlHost::InsertString(int id, int row, const CString& text) {
  const Control* c = FindList(id);
  if (!c) return LB_ERR;
  const int count = GetCount(id);
  if (row < 0 || row > count) row = count;
  ++m_nSilent;
  if (c->kind == CTL_LIST) {
    static_cast<QListWidget*>(c->widget)->insertItem(row, text.ToQString());
  } else {
    auto* combo = static_cast<QComboBox*>(c->widget);
    const int chosen = combo->currentIndex();
    combo->insertItem(row, text.ToQString());
    // A row added to an empty combo chooses itself in Qt; a combo box keeps no row chosen
    // until one is set.
    if (chosen < 0) combo->setCurrentIndex(-1);
  }
  --m_nSilent;
  return row;
}

int CQtControlHost::DeleteString(int id, int row) {
  const Control* c = FindList(id);
  if (!c || row < 0 || row >= GetCount(id)) return LB_ERR;
  ++m_nSilent;
  if (c->kind == CTL_LIST) {
    delete static_cast<QListWidget*>(c->widget)->takeItem(row);
  } else {
    static_cast<QComboBox*>(c->widget)->removeItem(row);
  }
  --m_nSilent;
  return GetCount(id);
}

int CQtControlHost::GetCount(int id) const {
  const Control* c = FindList(id);
  if (!c) return LB_ERR;
  return c->kind == CTL_LIST ? static_cast<QListWidget*>(c->widget)->count()
                             : static_cast<QComboBox*>(c->widget)->count();
}

int CQtControlHost::GetCurSel(int id) const {
  const Control* c = FindList(id);
  if (!c) return LB_ERR;
  const int row = c->kind == CTL_LIST ? static_cast<QListWidget*>(c->widget)->currentRow()
                                      : static_cast<QComboBox*>(c->widget)->currentIndex();
  return row < 0 ? LB_ERR : row;
}

int CQtControlHost::SetCurSel(int id, int row) {
  const Control* c = FindList(id);
  if (!c) return LB_ERR;
  const bool valid = row >= 0 && row < GetCount(id);
  ++m_nSilent;
  if (c->kind == CTL_LIST) {
    auto* l = static_cast<QListWidget*>(c->widget);
    l->setCurrentRow(valid ? row : -1);
    // The view's own scrollTo: QListWidget::scrollToItem would pass over the list's placing.
    if (valid) l->scrollTo(l->model()->index(row, 0));
  } else {
    static_cast<QComboBox*>(c->widget)->setCurrentIndex(valid ? row : -1);
  }
  --m_nSilent;
  return valid ? row : LB_ERR;
}

CString CQtControlHost::GetText(int id, int row) const {
  const Control* c = FindList(id);
  if (!c || row < 0 || row >= GetCount(id)) return CString();
  return CString::FromQString(c->kind == CTL_LIST ? static_cast<QListWidget*>(c->widget)->item(row)->text()
                                                  : static_cast<QComboBox*>(c->widget)->itemText(row));
}

void CQtControlHost::SetProgressRange(int id, int low, int high) {
  if (const Control* c = Find(id, CTL_PROGRESS)) static_cast<QProgressBar*>(c->widget)->setRange(low, high > low ? high : low);
}

void CQtControlHost::SetProgressPos(int id, int pos) {
  if (const Control* c = Find(id, CTL_PROGRESS)) {
    auto* p = static_cast<QProgressBar*>(c->widget);
    p->setValue(pos < p->minimum() ? p->minimum() : pos > p->maximum() ? p->maximum() : pos);
  }
}

int CQtControlHost::GetProgressPos(int id) const {
  const Control* c = Find(id, CTL_PROGRESS);
  return c ? static_cast<QProgressBar*>(c->widget)->value() : 0;
}

void CQtControlHost::SetBase(int id, int base) {
  if (CSpinButtonCtrl* s = GetSpin(id)) s->SetBase(base);
}
void CQtControlHost::SetRange32(int id, int low, int high) {
  if (CSpinButtonCtrl* s = GetSpin(id)) s->SetRange32(low, high);
}
void CQtControlHost::SetPos32(int id, int pos) {
  if (CSpinButtonCtrl* s = GetSpin(id)) s->SetPos32(pos);
}
int CQtControlHost::GetPos32(int id) const {
  CSpinButtonCtrl* s = GetSpin(id);
  return s ? s->GetPos32() : 0;
}
void CQtControlHost::SetAccel(int id, const std::vector<UDACCEL>& accel) {
  if (CSpinButtonCtrl* s = GetSpin(id)) s->SetAccel(accel);
}

void CQtControlHost::ShowWindow(int id, BOOL show) {
  if (QWidget* w = GetControlWidget(id)) w->setVisible(show);
}
BOOL CQtControlHost::IsWindowVisible(int id) const {
  QWidget* w = GetControlWidget(id);
  return w && !w->isHidden();
}
void CQtControlHost::EnableWindow(int id, BOOL enable) {
  if (QWidget* w = GetControlWidget(id)) w->setEnabled(enable);
}
BOOL CQtControlHost::IsWindowEnabled(int id) const {
  QWidget* w = GetControlWidget(id);
  return w && w->isEnabled();
}
void CQtControlHost::SetFocus(int id) {
  if (QWidget* w = GetControlWidget(id)) w->setFocus(Qt::OtherFocusReason);
}
BOOL CQtControlHost::HasFocus(int id) const {
  QWidget* w = GetControlWidget(id);
  return w && w->hasFocus();
}
void CQtControlHost::Invalidate(int id) {
  ApplyColors(id);
  if (QWidget* w = GetControlWidget(id)) w->update();
}
CRect CQtControlHost::GetClientRect(int id) const {
  QWidget* w = GetControlWidget(id);
  return w ? CRect(0, 0, w->width(), w->height()) : CRect(0, 0, 0, 0);
}

void CQtControlHost::SetFont(int id, int pixelHeight, BOOL bold, const CString& face) {
  QWidget* w = GetControlWidget(id);
  if (!w) return;
  QString family = fontengine::MapFaceName(face.str());
  if (family.isEmpty()) family = face.ToQString();
  QFont font(family);
  font.setPixelSize(pixelHeight > 0 ? pixelHeight : 12);
  font.setBold(bold);
  w->setFont(font);
  ApplyColors(id);
}

void CQtControlHost::ApplyColors(int id) {
  auto it = m_controls.find(id);
  if (it == m_controls.end() || it->second.kind != CTL_STATIC || !m_pOwner) return;
  COLORREF text = 0, back = 0;
  if (!m_pOwner->OnCtlColor(id, text, back)) return;
  QPalette pal = it->second.widget->palette();
  pal.setColor(QPalette::WindowText, ColorToQColor(text));
  pal.setColor(QPalette::Window, ColorToQColor(back));
  it->second.widget->setPalette(pal);
}

void CQtControlHost::SetReadOnly(int id, BOOL readOnly) {
  QWidget* w = GetControlWidget(id);
  if (auto* e = qobject_cast<QLineEdit*>(w)) e->setReadOnly(readOnly);
  if (auto* e = qobject_cast<QPlainTextEdit*>(w)) e->setReadOnly(readOnly);
}

BOOL CQtControlHost::IsReadOnly(int id) const {
  QWidget* w = GetControlWidget(id);
  if (auto* e = qobject_cast<QLineEdit*>(w)) return e->isReadOnly();
  if (auto* e = qobject_cast<QPlainTextEdit*>(w)) return e->isReadOnly();
  return FALSE;
}

void CQtControlHost::SetSliderRange(int id, int min, int max) {
  if (const Control* c = Find(id, CTL_SLIDER)) static_cast<QSlider*>(c->widget)->setRange(min, max);
}

void CQtControlHost::SetButtonImage(int id, const QImage& image) {
  auto it = m_controls.find(id);
  if (it == m_controls.end()) return;
  auto* b = qobject_cast<QPushButton*>(it->second.widget);
  if (!b) return;
  b->setText(QString());
  b->setIcon(QIcon(QPixmap::fromImage(image)));
  b->setIconSize(image.size());
}

void CQtControlHost::SetSliderPos(int id, int pos) {
  if (const Control* c = Find(id, CTL_SLIDER)) {
    ++m_nSilent;
    static_cast<QSlider*>(c->widget)->setValue(pos);
    --m_nSilent;
  }
}

int CQtControlHost::GetSliderPos(int id) const {
  const Control* c = Find(id, CTL_SLIDER);
  return c ? static_cast<QSlider*>(c->widget)->value() : 0;
}

void CQtControlHost::SetSliderTicFreq(int id, int freq) {
  if (const Control* c = Find(id, CTL_SLIDER)) static_cast<QSlider*>(c->widget)->setTickInterval(freq);
}
