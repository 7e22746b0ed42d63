// The program's frame timers: one QTimer per id. A timer repeats until it is killed, as a
// window timer does; the frame kills each of its timers when it fires.
#pragma once

#include <map>

#include <QObject>

#include "platform/ui/timer_host.h"

class QTimer;

class CQtTimerHost : public QObject, public ITimerHost {
  Q_OBJECT
 public:
  explicit CQtTimerHost(QObject* parent = nullptr);
  ~CQtTimerHost() override;
  void SetTimer(UINT id, UINT ms) override;
  void KillTimer(UINT id) override;
  bool IsRunning(UINT id) const override;
  UINT Interval(UINT id) const override;

 private:
  std::map<UINT, QTimer*> m_timers;
};
