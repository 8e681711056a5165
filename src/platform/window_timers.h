#pragma once

// Timers of one window; each tick arrives as that window's WM_TIMER.
class WindowTimers {
 public:
  virtual ~WindowTimers() = default;
  virtual void StartTimer(unsigned id, unsigned periodMs) = 0;
  virtual void StopTimer(unsigned id) = 0;
};
