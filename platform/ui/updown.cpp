#include "platform/ui/updown.h"

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QTimer>

namespace {

long long SteadyMs() {
  static QElapsedTimer timer = [] {
    QElapsedTimer t;
    t.start();
    return t;
  }();
  return timer.elapsed();
}

// The first repeat waits as a held key does; then repeats follow quickly.
constexpr int kFirstRepeatMs = 400;
constexpr int kRepeatMs = 60;

}  // namespace

CUpDownState::CUpDownState() : m_vAccel{{0, 1}, {2, 5}, {5, 20}}, m_clock(SteadyMs) {}

void CUpDownState::SetPos32(int pos) {
  m_nPos = Clamp(pos);
  if (m_bNotifying) m_bRepositioned = true;
}

void CUpDownState::SetAccel(const std::vector<UDACCEL>& accel) {
  if (!accel.empty()) m_vAccel = accel;
}

int CUpDownState::Clamp(long long value) const {
  const long long lo = m_nLow < m_nHigh ? m_nLow : m_nHigh;
  const long long hi = m_nLow < m_nHigh ? m_nHigh : m_nLow;
  return static_cast<int>(value < lo ? lo : (value > hi ? hi : value));
}

int CUpDownState::IncrementAfter(long long heldMs) const {
  int inc = m_vAccel.empty() ? 1 : static_cast<int>(m_vAccel.front().nInc);
  for (const UDACCEL& a : m_vAccel)
    if (static_cast<long long>(a.nSec) * 1000 <= heldMs) inc = static_cast<int>(a.nInc);
  return inc;
}

void CUpDownState::Step(int direction, int increment) {
  NMUPDOWN nm;
  nm.hdr.code = UDN_DELTAPOS;
  nm.iPos = m_nPos;
  nm.iDelta = direction >= 0 ? increment : -increment;
  m_bNotifying = true;
  m_bRepositioned = false;
  const BOOL refused = m_notify ? m_notify(nm) : FALSE;
  m_bNotifying = false;
  // An owner that set the position from inside the notification (the pages put it back to 0
  // after every step) keeps the position it set.
  if (refused || m_bRepositioned) return;
  m_nPos = Clamp(static_cast<long long>(m_nPos) + nm.iDelta);
}

void CUpDownState::Press(int direction) {
  m_nHeld = direction >= 0 ? 1 : -1;
  m_llPressedAt = m_clock();
  Step(m_nHeld, IncrementAfter(0));
}

void CUpDownState::Repeat() {
  if (!m_nHeld) return;
  Step(m_nHeld, IncrementAfter(m_clock() - m_llPressedAt));
}

// ---------------------------------------------------------------------------------------------

CSpinButtonCtrl::CSpinButtonCtrl(QWidget* parent) : QWidget(parent), m_pTimer(new QTimer(this)) {
  setFocusPolicy(Qt::NoFocus);
  connect(m_pTimer, &QTimer::timeout, this, [this] {
    m_pTimer->setInterval(kRepeatMs);
    m_state.Repeat();
  });
}

CSpinButtonCtrl::~CSpinButtonCtrl() {
  if (m_pBuddy) m_pBuddy->removeEventFilter(this);
}

void CSpinButtonCtrl::SetBuddy(QWidget* buddy) {
  if (m_pBuddy) m_pBuddy->removeEventFilter(this);
  m_pBuddy = buddy;
  if (m_pBuddy) m_pBuddy->installEventFilter(this);
}

void CSpinButtonCtrl::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const int half = height() / 2;
  const QRect up(0, 0, width(), half), down(0, half, width(), height() - half);
  for (int i = 0; i < 2; ++i) {
    QStyleOptionButton button;
    button.initFrom(this);
    button.rect = i == 0 ? up : down;
    const bool pressed = m_state.HeldDirection() == (i == 0 ? 1 : -1);
    button.state |= pressed ? QStyle::State_Sunken : QStyle::State_Raised;
    style()->drawControl(QStyle::CE_PushButtonBevel, &button, &p, this);
    QStyleOption arrow;
    arrow.initFrom(this);
    arrow.rect = button.rect.adjusted(3, 2, -3, -2);
    style()->drawPrimitive(i == 0 ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown, &arrow, &p, this);
  }
}

void CSpinButtonCtrl::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !isEnabled()) return;
  m_state.Press(event->position().y() < height() / 2.0 ? 1 : -1);
  m_pTimer->start(kFirstRepeatMs);
  update();
}

void CSpinButtonCtrl::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  m_pTimer->stop();
  m_state.Release();
  update();
}

bool CSpinButtonCtrl::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_pBuddy && event->type() == QEvent::KeyPress && isEnabled()) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
      m_state.Step(key == Qt::Key_Up ? 1 : -1, m_state.IncrementAfter(0));
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}
