#pragma once

#include <ctime>
#include <optional>

class ReservationTable;

// Decides which slot of the table is due at a local time: the first in slot order whose month,
// minute, hour, week and day all match, and at most one in a clock minute.
class ScheduleMatcher {
 public:
  struct Due {
    int index;
    // A date reservation that asks to be erased once it has run (a weekly one never is).
    bool erase;
  };

  // The slot due at `now`, if any; the repeat guard goes up with it.
  std::optional<Due> Match(const ReservationTable& table, const std::tm& now);

 private:
  // The repeat guard: a firing sets both; the guard lets go when the clock minute moves on.
  int m_bFired = 0;
  // The local minute of the last firing, counted from the clock's epoch; read only while
  // m_bFired is set.
  long long m_nLastMinute = 60;
};
