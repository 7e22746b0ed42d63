#include "fake_timer_host.h"

void CFakeTimerHost::SetTimer(UINT id, UINT ms) {
  m_running[id] = ms;
  m_started.emplace_back(id, ms);
}

void CFakeTimerHost::KillTimer(UINT id) { m_running.erase(id); }

bool CFakeTimerHost::IsRunning(UINT id) const { return m_running.count(id) != 0; }

UINT CFakeTimerHost::Interval(UINT id) const {
  auto it = m_running.find(id);
  return it == m_running.end() ? 0 : it->second;
}

bool CFakeTimerHost::FireTimer(UINT id) {
  if (!IsRunning(id)) return false;
  Fire(id);
  return true;
}
