#include "scheduler/next_due.h"

#include "calendar/civil_date.h"
#include "platform/clock.h"
#include "reservations/reservation_table.h"
#include "reservations/schedule_rule.h"

namespace {

using calendar::Date;
using calendar::DateFromDays;
using calendar::DateOf;
using calendar::DaysFromDate;
using calendar::DaysInMonth;
using calendar::Weekday;

constexpr long long kSecondsPerDay = 24 * 60 * 60;
// How far a slot that keeps clear of days off is looked for: past every run of days off the
// calendar can hold, and a 29th of February. One that falls on a day off every year is never.
constexpr long long kSearchDays = 8 * 366;

// The first day of `month` on or after `from`.
long long FirstDayOfMonthFrom(long long from, int month) {
  const Date date = DateFromDays(from);
  if (date.month == month) return from;
  return DaysFromDate(Date{date.month < month ? date.year : date.year + 1, month, 1});
}

// The first day on or after `from` on which the slot's date part matches, days off aside, or -1
// for never.
long long FirstMatchingDay(const Reservation& slot, long long from) {
  if (slot.Week != 0) {
    // Every weekday comes in the first seven days of any month.
    const int weekdays = WeekdaySet(slot);
    const auto onWeekday = [&](long long day) {
      while ((weekdays >> Weekday(day) & 1) == 0) ++day;
      return day;
    };
    if (slot.Month == 0) return onWeekday(from);
    const long long sameMonth = onWeekday(FirstDayOfMonthFrom(from, slot.Month));
    if (DateFromDays(sameMonth).month == slot.Month) return sameMonth;
    const Date date = DateFromDays(from);
    return onWeekday(DaysFromDate(Date{date.year + 1, slot.Month, 1}));
  }
  if (slot.Day == 0) return slot.Month == 0 ? from : FirstDayOfMonthFrom(from, slot.Month);

  const Date start = DateFromDays(from);
  if (slot.Month == 0) {
    // The 31st is missing from five months, never from two in a row.
    Date date{start.year, start.month, slot.Day};
    if (slot.Day < start.day) date.month += 1;
    for (;; date.month += 1) {
      if (date.month > 12) {
        date.month = 1;
        date.year += 1;
      }
      if (slot.Day <= DaysInMonth(date.year, date.month)) return DaysFromDate(date);
    }
  }
  if (slot.Day > (slot.Month == 2 ? 29 : DaysInMonth(2001, slot.Month))) return -1;
  Date date{start.year, slot.Month, slot.Day};
  if (slot.Month < start.month || (slot.Month == start.month && slot.Day < start.day)) {
    date.year += 1;
  }
  while (slot.Day > DaysInMonth(date.year, date.month)) date.year += 1;  // the next leap year
  return DaysFromDate(date);
}

// Only what the matcher can ever fire.
bool CanFallDue(const Reservation& slot) {
  return slot.Month >= 0 && slot.Month <= 12 && slot.Hour >= 0 && slot.Hour <= 23 &&
         slot.Minute >= 0 && slot.Minute <= 59 && slot.Week >= 0 && slot.Week <= 7 &&
         (slot.Week != 0 || (slot.Day >= 0 && slot.Day <= 31));
}

// The local reading of the clock as a count of seconds, days of the calendar included.
long long WallSeconds(const std::tm& local) {
  const long long day = DaysFromDate(DateOf(local));
  return day * kSecondsPerDay + local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec;
}

}  // namespace

std::optional<long long> NextDueMinuteCount(const Reservation& slot, const DaysOff& daysOff,
                                            const std::tm& now) {
  if (!CanFallDue(slot)) return std::nullopt;
  const long long today = DaysFromDate(DateOf(now));
  // The minute the clock is in has begun already: not after now.
  const std::optional<int> later = FirstMinuteFrom(slot, now.tm_hour * 60 + now.tm_min + 1);
  if (later && FallsOnDay(slot, DateOf(now), Weekday(today), daysOff)) {
    return today * kMinutesPerDay + *later;
  }
  for (long long day = today + 1;; ++day) {
    day = FirstMatchingDay(slot, day);
    if (day < 0 || day > today + kSearchDays) return std::nullopt;
    if (slot.SkipHoliday == 0 || !IsDayOff(daysOff, DateFromDays(day))) {
      return day * kMinutesPerDay + slot.Hour * 60 + slot.Minute;
    }
  }
}

std::optional<LocalMinute> NextDueMinute(const ReservationTable& table, const DaysOff& daysOff,
                                         const std::tm& now) {
  std::optional<long long> best;
  const int count = table.Size();
  for (int i = 0; i < count; ++i) {
    const std::optional<long long> due = NextDueMinuteCount(table[i], daysOff, now);
    if (due && (!best || *due < *best)) best = due;
  }
  if (!best) return std::nullopt;
  const Date date = DateFromDays(*best / kMinutesPerDay);
  const int minute = static_cast<int>(*best % kMinutesPerDay);
  return LocalMinute{date.year, date.month, date.day, minute / 60, minute % 60};
}

std::optional<long long> NextDueTime(const ReservationTable& table, const DaysOff& daysOff,
                                     long long now, Clock& clock) {
  const std::tm nowLocal = clock.LocalTime(now);
  const std::optional<LocalMinute> due = NextDueMinute(table, daysOff, nowLocal);
  if (!due) return std::nullopt;
  const long long wanted = DaysFromDate(Date{due->year, due->month, due->day}) * kSecondsPerDay +
                           due->hour * 3600 + due->minute * 60;
  const auto readsAt = [&](long long seconds) { return WallSeconds(clock.LocalTime(seconds)); };

  // At the offset from UTC of now, then at the offset of that guess: either reads the minute
  // unless the clock skips it.
  long long guess = now + (wanted - WallSeconds(nowLocal));
  for (int attempt = 0; attempt < 2; ++attempt) {
    const long long off = wanted - readsAt(guess);
    if (off == 0) return guess;
    guess += off;
  }
  // Skipped: the first second that reads past it, between readings before and after the jump.
  long long before = guess - 3 * 3600;
  long long after = guess + 3 * 3600;
  if (readsAt(before) >= wanted || readsAt(after) < wanted) return guess;
  while (after - before > 1) {
    const long long middle = before + (after - before) / 2;
    (readsAt(middle) < wanted ? before : after) = middle;
  }
  return after;
}
