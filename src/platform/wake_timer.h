#pragma once

// One timer that wakes the system from sleep at a time of the clock.
class WakeTimer {
 public:
  virtual ~WakeTimer() = default;
  // Sets the timer for `dueSeconds` (the clock's seconds), replacing any earlier time; false
  // when the system will not wake for it (the call failed, or wake timers are off).
  virtual bool Set(long long dueSeconds) = 0;
  // The timer is gone; nothing when none is set.
  virtual void Cancel() = 0;
};
