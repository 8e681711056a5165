#pragma once

#include <optional>

#include "reservations/options.h"

class Alerts;
class Clock;
class Power;
class ReservationTable;
class WakeTimer;

struct WakingPorts {
  Clock& clock;
  WakeTimer& wakeTimer;
  Power& power;
  Alerts& alerts;
};

// The system's sleep around the reservations. With waking on, the wake timer stands at the next
// reservation and the display stays on while an action plays; a system that will not wake for
// what is due is kept awake instead, and the user is told so once after turning waking on.
// With waking off, the system is kept awake.
class Waking {
 public:
  Waking(const WakingPorts& ports, const Options& options);

  // The wake timer set again for the next reservation of `table` due, or for `alsoAt` (a
  // snooze) when that is sooner, or cancelled when none is.
  void Reset(const ReservationTable& table, std::optional<long long> alsoAt = std::nullopt);
  // Whether the time the timer was set for has passed, so that it must be set again.
  bool Passed(long long now) const { return m_wakeAt && now >= *m_wakeAt; }
  // The settings' OK has changed the options; `wasOn` is waking before it.
  void OptionsChanged(bool wasOn);
  // The timer is gone: it would wake the system for a program that is not there.
  void Cancel();
  void HoldDisplay();
  void ReleaseDisplay();

 private:
  void HoldSystemAwake(bool hold);

  WakingPorts m_ports;
  const Options& m_options;
  // The user turned waking on and has not yet been told that the system cannot wake for it.
  bool m_bTellWakeFailure = false;
  bool m_bDisplayHeld = false;
  bool m_bSystemHeld = false;
  // The time the wake timer was last set for, while waking is on.
  std::optional<long long> m_wakeAt;
};
