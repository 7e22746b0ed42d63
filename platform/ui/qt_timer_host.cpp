#include "platform/ui/qt_timer_host.h"

#include <QTimer>

CQtTimerHost::CQtTimerHost(QObject* parent) : QObject(parent) {}

CQtTimerHost::~CQtTimerHost() = default;

void CQtTimerHost::SetTimer(UINT id, UINT ms) {
  QTimer*& timer = m_timers[id];
  if (!timer) {
    timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, [this, id] { Fire(id); });
  }
  timer->start(static_cast<int>(ms));
}

void CQtTimerHost::KillTimer(UINT id) {
  auto it = m_timers.find(id);
  if (it != m_timers.end()) it->second->stop();
}

bool CQtTimerHost::IsRunning(UINT id) const {
  auto it = m_timers.find(id);
  return it != m_timers.end() && it->second->isActive();
}

UINT CQtTimerHost::Interval(UINT id) const {
  auto it = m_timers.find(id);
  return it == m_timers.end() ? 0 : static_cast<UINT>(it->second->interval());
}
