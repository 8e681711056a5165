#pragma once

#include <ctime>
#include <optional>
#include <set>
#include <vector>

class Clock;
class ReservationTable;

// Decides which slot of the table is due at a local time: the first in slot order whose month,
// minute, hour, week and day all match, and at most one in a local minute. A local minute that
// fired never fires again, even when it comes round a second time (the clock set back, the hour
// that daylight saving repeats).
class ScheduleMatcher {
 public:
  struct Due {
    int index;
    // A date reservation that asks to be erased once it has run (a weekly one never is).
    bool erase;
  };
  // A slot due in a local minute that no check saw.
  struct LateDue {
    Due due;
    // The clock's second at which its minute began; for a local minute that did not exist
    // (daylight saving began), the second at which the clock jumped over it.
    long long dueAt;
    // The local minute: its date, weekday, hour and minute.
    std::tm local;
  };

  // The slot due at `now`, if any; its minute is then taken.
  std::optional<Due> Match(const ReservationTable& table, const std::tm& now);

  // What fell due in the local minutes between the last call and the minute of `now`, whose
  // local time is `localNow` (that minute is Match's), oldest first, each minute taken as Match
  // takes it. The first call looks back at nothing, and neither does one after the clock went
  // back. A normal tick, less than a minute and at most a local minute after the last, asks the
  // clock nothing.
  std::vector<LateDue> Skipped(const ReservationTable& table, long long now,
                               const std::tm& localNow, Clock& clock);
  // Makes the next call look back from `seconds`, whose local time is `local`, as if a call had
  // been made then: a start after an earlier run.
  void LookBackFrom(long long seconds, const std::tm& local);
  // The clock's second of the last call, or of LookBackFrom.
  std::optional<long long> LastChecked() const { return m_lastChecked; }

 private:
  static std::optional<Due> FirstDue(const ReservationTable& table, const std::tm& local);
  // False when the local minute has fired already.
  bool Take(long long localMinute);

  // The local minutes that fired, kept for a day or so around the latest.
  std::set<long long> m_firedMinutes;
  // The clock's second of the last call to Skipped, and its local minute.
  std::optional<long long> m_lastChecked;
  long long m_lastLocalMinute = 0;
};
