// The up-down control. Each step notifies UDN_DELTAPOS with the position and the signed step
// (up positive) before the position moves, also at the ends of the range; then the position
// moves and is clamped into the range, unless the owner set the position itself while it was
// notified. Held down, the control repeats with the increment of the
// last acceleration entry whose seconds have passed.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <vector>

#include "platform/ui/control_host.h"

class QTimer;

// The state and the step rule, shared by the widget and the test host.
class CUpDownState {
 public:
  // Returns TRUE when the owner refuses the step (the position then stays).
  using Notify = std::function<BOOL(NMUPDOWN&)>;
  // Milliseconds of a monotonic clock; tests give their own.
  using Clock = std::function<long long()>;

  CUpDownState();
  void SetBase(int base) { m_nBase = base == 16 ? 16 : 10; }
  int GetBase() const { return m_nBase; }
  void SetRange32(int low, int high) {
    m_nLow = low;
    m_nHigh = high;
  }
  int GetLow() const { return m_nLow; }
  int GetHigh() const { return m_nHigh; }
  void SetPos32(int pos);
  int GetPos32() const { return m_nPos; }
  void SetAccel(const std::vector<UDACCEL>& accel);
  const std::vector<UDACCEL>& GetAccel() const { return m_vAccel; }
  void SetNotify(Notify notify) { m_notify = std::move(notify); }
  void SetClock(Clock clock) { m_clock = std::move(clock); }

  // One step of `increment` in a direction (+1 up, -1 down).
  void Step(int direction, int increment);
  // Button pressed: one step of the first increment, and the hold starts.
  void Press(int direction);
  // A repeat while held: one step of the increment for the time held so far.
  void Repeat();
  void Release() { m_nHeld = 0; }
  int HeldDirection() const { return m_nHeld; }
  // The increment after being held for a number of milliseconds.
  int IncrementAfter(long long heldMs) const;

 private:
  int Clamp(long long value) const;

  int m_nBase = 10;
  int m_nLow = 0;
  int m_nHigh = 100;
  int m_nPos = 0;
  std::vector<UDACCEL> m_vAccel;
  Notify m_notify;
  Clock m_clock;
  int m_nHeld = 0;
  long long m_llPressedAt = 0;
  bool m_bNotifying = false;
  bool m_bRepositioned = false;
};

// The widget: two arrow buttons stacked, up above down.
class CSpinButtonCtrl : public QWidget {
  Q_OBJECT
 public:
  explicit CSpinButtonCtrl(QWidget* parent = nullptr);
  ~CSpinButtonCtrl() override;

  CUpDownState& State() { return m_state; }
  void SetBase(int base) { m_state.SetBase(base); }
  void SetRange32(int low, int high) { m_state.SetRange32(low, high); }
  void SetPos32(int pos) { m_state.SetPos32(pos); }
  int GetPos32() const { return m_state.GetPos32(); }
  void SetAccel(const std::vector<UDACCEL>& accel) { m_state.SetAccel(accel); }
  // The edit whose Up and Down keys step the control once.
  void SetBuddy(QWidget* buddy);
  QWidget* GetBuddy() const { return m_pBuddy; }

  QSize sizeHint() const override { return QSize(16, 22); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  CUpDownState m_state;
  QTimer* m_pTimer = nullptr;
  QPointer<QWidget> m_pBuddy;  // a sibling, possibly deleted before this control
};
