#include "scheduler/schedule_matcher.h"

#include <algorithm>

#include "calendar/civil_date.h"
#include "platform/clock.h"
#include "reservations/reservation_table.h"
#include "reservations/schedule_rule.h"
#include "scheduler/next_due.h"

namespace {

// Enough for the clock set back by a day and an hour of daylight saving.
constexpr long long kMemoryMinutes = 26 * 60;
// How far back a check looks after the clock skipped minutes (a long sleep): a month.
constexpr long long kLookBackMinutes = 31 * kMinutesPerDay;

long long FloorDivide(long long value, long long by) {
  return value / by - (value % by < 0 ? 1 : 0);
}

// A local time as a count of minutes, so that the next local minute is one more whatever the
// clock did.
long long MinuteCount(const std::tm& local) {
  return calendar::DaysFromDate(calendar::DateOf(local)) * kMinutesPerDay + local.tm_hour * 60 +
         local.tm_min;
}

std::tm FromLocalMinute(long long localMinute) {
  const long long days = FloorDivide(localMinute, kMinutesPerDay);
  const long long minuteOfDay = localMinute - days * kMinutesPerDay;
  const calendar::Date date = calendar::DateFromDays(days);

  std::tm local{};
  local.tm_year = date.year - 1900;
  local.tm_mon = date.month - 1;
  local.tm_mday = date.day;
  local.tm_hour = static_cast<int>(minuteOfDay / 60);
  local.tm_min = static_cast<int>(minuteOfDay % 60);
  local.tm_wday = calendar::Weekday(days);
  local.tm_yday = static_cast<int>(days - calendar::DaysFromDate({date.year, 1, 1}));
  local.tm_isdst = -1;
  return local;
}

// Adds the minute to the set, and forgets those far from it; false when it was there.
bool Remember(std::set<long long>& minutes, long long minute) {
  if (!minutes.insert(minute).second) return false;
  minutes.erase(minutes.begin(), minutes.lower_bound(minute - kMemoryMinutes));
  minutes.erase(minutes.upper_bound(minute + kMemoryMinutes), minutes.end());
  return true;
}

}  // namespace

std::optional<ScheduleMatcher::Due> ScheduleMatcher::FirstDue(const ReservationTable& table,
                                                              const DaysOff& daysOff,
                                                              const std::tm& local,
                                                              bool leaveOutRenewed) const {
  const calendar::Date date = calendar::DateOf(local);
  const int hour = local.tm_hour;
  const int minute = local.tm_min;
  const int count = table.Size();
  for (int i = 0; i < count; ++i) {
    const Reservation& slot = table[i];
    // The time first: it turns most slots away.
    if (!FallsAtMinute(slot, hour, minute)) continue;
    if (!FallsOnDay(slot, date, local.tm_wday, daysOff)) continue;
    if (leaveOutRenewed && static_cast<std::size_t>(i) < m_renewed.size() &&
        m_renewed[static_cast<std::size_t>(i)]) {
      continue;
    }
    // A weekly reservation is never erased.
    return Due{i, slot.Week == 0 && slot.Erace != 0};
  }
  return std::nullopt;
}

std::optional<ScheduleMatcher::Occurrence> ScheduleMatcher::Current(const ReservationTable& table,
                                                                    const DaysOff& daysOff,
                                                                    long long now,
                                                                    const std::tm& localNow) const {
  const long long minute = MinuteCount(localNow);
  if (m_ranMinutes.count(minute) != 0) return std::nullopt;
  const long long dueAt = now - localNow.tm_sec;
  // The minute the clock is in is no late one: a reservation made for it runs.
  const std::optional<Due> due = FirstDue(table, daysOff, localNow, false);
  if (!due) return std::nullopt;
  return Occurrence{*due, dueAt, localNow, minute};
}

void ScheduleMatcher::Ran(long long minute) { Remember(m_ranMinutes, minute); }

bool ScheduleMatcher::Told(long long minute) { return Remember(m_toldMinutes, minute); }

void ScheduleMatcher::Renew(std::vector<bool> renewed, long long since) {
  m_renewed = std::move(renewed);
  m_renewedAt = since;
}

ScheduleMatcher::Skip ScheduleMatcher::Skipped(const ReservationTable& table,
                                               const DaysOff& daysOff, long long now,
                                               const std::tm& localNow, Clock& clock) {
  const long long nowMinute = MinuteCount(localNow);
  Skip skip;
  // A minute can lie between this check and the last only when the clock moved a minute or
  // more, or the local clock more than one minute on; a normal tick moves neither.
  if (m_lastChecked && now >= *m_lastChecked &&
      (now - *m_lastChecked >= 60 || nowMinute - m_lastLocalMinute > 1)) {
    // The local time is read once a minute of the clock, from the last check on: the zone's
    // offset need not be whole minutes, and a jump of the local clock shows between readings.
    long long at = *m_lastChecked;
    std::tm local = clock.LocalTime(at);
    if (now - at > kLookBackMinutes * 60) {
      // Each slot's first minute after the last check, if before the walk, is all that is
      // told of the time the walk leaves out.
      const std::tm lastLocal = local;
      at = now - kLookBackMinutes * 60;
      local = clock.LocalTime(at);
      const long long walkStart = MinuteCount(local);
      const int count = table.Size();
      for (int i = 0; i < count; ++i) {
        const Reservation& slot = table[i];
        const std::optional<long long> first = NextDueMinuteCount(slot, daysOff, lastLocal);
        if (!first || *first > walkStart) continue;
        skip.earlier.push_back(
            Earlier{Due{i, slot.Week == 0 && slot.Erace != 0}, FromLocalMinute(*first), *first});
      }
    }
    long long previous = MinuteCount(local);
    long long previousStart = at - local.tm_sec;
    for (bool last = false; !last;) {
      at += 60;
      last = at >= now;
      if (last) at = now;
      local = last ? localNow : clock.LocalTime(at);
      const long long current = MinuteCount(local);
      const long long currentStart = at - local.tm_sec;
      const bool forward = current > previous;
      // The local minutes that the clock jumped over fall due with the one it jumped to; the
      // minute of `now` is Current's.
      for (long long localMinute = forward ? previous + 1 : current; localMinute <= current;
           ++localMinute) {
        if (localMinute == nowMinute || m_ranMinutes.count(localMinute) != 0) continue;
        const long long dueAt =
            forward ? std::min(previousStart + (localMinute - previous) * 60, currentStart)
                    : currentStart;
        const std::tm due = FromLocalMinute(localMinute);
        // A slot added or changed later than the minute began was not there to fall due in it.
        const std::optional<Due> found = FirstDue(table, daysOff, due, dueAt < m_renewedAt);
        if (!found) continue;
        // A minute that the clock passes twice in one walk (a repeated hour slept over) is
        // found once, as late as its second time.
        if (!skip.late.empty() && skip.late.back().minute >= localMinute) {
          const auto seen = std::find_if(
              skip.late.begin(), skip.late.end(),
              [&](const Occurrence& earlier) { return earlier.minute == localMinute; });
          if (seen != skip.late.end()) {
            seen->dueAt = dueAt;
            continue;
          }
        }
        skip.late.push_back(Occurrence{*found, dueAt, due, localMinute});
      }
      previous = current;
      previousStart = currentStart;
    }
  }
  LookBackFrom(now, localNow);
  return skip;
}

void ScheduleMatcher::LookBackFrom(long long seconds, const std::tm& local) {
  m_lastChecked = seconds;
  m_lastLocalMinute = MinuteCount(local);
}
