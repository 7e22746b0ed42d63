// Frame timers by id: a window's SetTimer/KillTimer. The program's host runs a QTimer per id;
// tests install a fake whose timers they fire by hand.
#pragma once

#include <functional>

#include "platform/wintypes.h"

class ITimerHost {
 public:
  virtual ~ITimerHost() = default;
  // Starts (or restarts) timer `id` with `ms`; when it fires, `fire(id)` is called until killed.
  virtual void SetTimer(UINT id, UINT ms) = 0;
  virtual void KillTimer(UINT id) = 0;
  // Whether a timer is running, and its time.
  virtual bool IsRunning(UINT id) const = 0;
  virtual UINT Interval(UINT id) const = 0;
  // The handler every timer of this host calls.
  void SetHandler(std::function<void(UINT id)> fire) { m_fire = std::move(fire); }

 protected:
  void Fire(UINT id) {
    if (m_fire) m_fire(id);
  }

 private:
  std::function<void(UINT id)> m_fire;
};
