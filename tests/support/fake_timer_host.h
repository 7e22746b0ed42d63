// Timers that never run by themselves: a test fires them with FireTimer.
#pragma once

#include <map>
#include <vector>

#include "platform/ui/timer_host.h"

class CFakeTimerHost : public ITimerHost {
 public:
  void SetTimer(UINT id, UINT ms) override;
  void KillTimer(UINT id) override;
  bool IsRunning(UINT id) const override;
  UINT Interval(UINT id) const override;
  // Calls the handler as the real timer would; false (and nothing called) when `id` is not
  // running.
  bool FireTimer(UINT id);
  // Every SetTimer in order (id, ms).
  const std::vector<std::pair<UINT, UINT>>& Started() const { return m_started; }

 private:
  std::map<UINT, UINT> m_running;
  std::vector<std::pair<UINT, UINT>> m_started;
};
