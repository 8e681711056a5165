#pragma once

#include <ctime>
#include <optional>
#include <set>
#include <vector>

#include "reservations/days_off.h"

class Clock;
class ReservationTable;

// Decides which slot of the table is due in a local minute: the first in slot order that falls
// due in it, and at most one in a local minute. Only a minute
// that ran is remembered: it never runs again, even when it comes round a second time (the
// clock set back, the hour that daylight saving repeats), while one that was only told as missed
// still runs when it comes round for real.
class ScheduleMatcher {
 public:
  struct Due {
    int index;
    // A date reservation that asks to be erased once it has run (a weekly one never is).
    bool erase;
  };
  // A slot due in a local minute.
  struct Occurrence {
    Due due;
    // The clock's second at which its minute began; for a local minute that did not exist
    // (daylight saving began), the second at which the clock jumped over it.
    long long dueAt;
    // The local minute: its date, weekday, hour and minute.
    std::tm local;
    long long minute;  // the local minute as a count, for Ran and Told
  };
  // A slot that fell due before the look-back, at the first minute it did.
  struct Earlier {
    Due due;
    std::tm local;
    long long minute;
  };
  // What fell due between two checks.
  struct Skip {
    std::vector<Occurrence> late;  // oldest first
    // After more than the look-back (a month), the slots that fell due before it as well.
    std::vector<Earlier> earlier;
  };

  // The slot due in the minute of `now`, whose local time is `localNow`, unless that minute
  // ran already.
  std::optional<Occurrence> Current(const ReservationTable& table, const DaysOff& daysOff,
                                    long long now, const std::tm& localNow) const;

  // What fell due in the local minutes between the last call and the minute of `now`, whose
  // local time is `localNow` (that minute is Current's), not counting minutes that ran. The
  // first call looks back at nothing, and neither does one after the clock went back. A normal
  // tick, less than a minute and at most a local minute after the last, asks the clock nothing.
  Skip Skipped(const ReservationTable& table, const DaysOff& daysOff, long long now,
               const std::tm& localNow, Clock& clock);
  // Makes the next call look back from `seconds`, whose local time is `local`, as if a call had
  // been made then: at a start, from the last check of the run before, or from the start.
  void LookBackFrom(long long seconds, const std::tm& local);
  // The clock's second of the last call, or of LookBackFrom.
  std::optional<long long> LastChecked() const { return m_lastChecked; }

  // The local minute ran: nothing runs in it again.
  void Ran(long long minute);
  // The local minute was told as missed; false when it had been told already.
  bool Told(long long minute);

  // The slots marked in `renewed` were added or changed at `since`: none of them fell due in a
  // minute that began before that.
  void Renew(std::vector<bool> renewed, long long since);

 private:
  // The first slot due in the local minute, with `leaveOutRenewed` leaving out the renewed.
  std::optional<Due> FirstDue(const ReservationTable& table, const DaysOff& daysOff,
                              const std::tm& local, bool leaveOutRenewed) const;

  // The local minutes that ran, and those told as missed, each kept for a day or so around the
  // latest.
  std::set<long long> m_ranMinutes;
  std::set<long long> m_toldMinutes;
  // The clock's second of the last call to Skipped, and its local minute.
  std::optional<long long> m_lastChecked;
  long long m_lastLocalMinute = 0;
  std::vector<bool> m_renewed;
  long long m_renewedAt = 0;
};
