#pragma once

#include <optional>

class Clock;
class Tray;

// A play that a click stopped, to play again some minutes later. It lives in the running
// program alone, and the idle icon's tip tells when it comes.
class Snooze {
 public:
  Snooze(Clock& clock, Tray& tray);

  void Set(int slotIndex, int minutes);
  // Nothing to do when none waits.
  void Cancel();
  bool Waiting() const { return m_slot.has_value(); }
  // When the waiting play comes, for the wake timer.
  std::optional<long long> DueAt() const {
    return m_slot ? std::optional<long long>(m_due) : std::nullopt;
  }
  // The slot whose snooze is due at `now`, which no longer waits; none when it is too late.
  std::optional<int> TakeDue(long long now);

 private:
  Clock& m_clock;
  Tray& m_tray;
  std::optional<int> m_slot;
  long long m_due = 0;
};
