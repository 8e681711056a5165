#pragma once

#include <ctime>

// The wall clock: whole seconds, and their local breakdown.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual long long Now() = 0;
  // tm_mon 0..11, tm_mday 1..31, tm_wday 0 (Sunday)..6, tm_hour, tm_min, tm_sec.
  virtual std::tm LocalTime(long long seconds) = 0;
  // Blocks the thread; only for a short wait before trying something again.
  virtual void Sleep(unsigned milliseconds) = 0;
};
