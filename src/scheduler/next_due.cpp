#include "scheduler/next_due.h"

#include "platform/clock.h"
#include "reservations/reservation_table.h"

namespace {

constexpr int kMinutesPerDay = 24 * 60;
constexpr long long kSecondsPerDay = 24 * 60 * 60;

struct Date {
  int year;
  int month;
  int day;
};

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days since 1 January 1970 of a date of the proleptic Gregorian calendar, and back; a plain
// count, so that a date is a number to compare and to step.
long long DayNumber(const Date& date) {
  const int year = date.year - (date.month <= 2 ? 1 : 0);
  const long long era = (year >= 0 ? year : year - 399) / 400;
  const long long yearOfEra = year - era * 400;
  const long long dayOfYear =
      (153 * (date.month + (date.month > 2 ? -3 : 9)) + 2) / 5 + date.day - 1;
  const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

Date DateOf(long long dayNumber) {
  const long long shifted = dayNumber + 719468;
  const long long era = (shifted >= 0 ? shifted : shifted - 146096) / 146097;
  const long long dayOfEra = shifted - era * 146097;
  const long long yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const long long monthIndex = (5 * dayOfYear + 2) / 153;
  const int month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
  const int day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
  return Date{static_cast<int>(yearOfEra + era * 400) + (month <= 2 ? 1 : 0), month, day};
}

// 0 for Sunday, as tm_wday counts; 1 January 1970 was a Thursday.
int Weekday(long long dayNumber) { return static_cast<int>(((dayNumber + 4) % 7 + 7) % 7); }

// The first day of `month` on or after `from`.
long long FirstDayOfMonthFrom(long long from, int month) {
  const Date date = DateOf(from);
  if (date.month == month) return from;
  return DayNumber(Date{date.month < month ? date.year : date.year + 1, month, 1});
}

// The first day on or after `from` on which the slot's date part matches, or -1 for never.
long long FirstMatchingDay(const Reservation& slot, long long from) {
  if (slot.Week != 0) {
    // Every weekday comes in the first seven days of any month.
    const auto onWeekday = [&](long long day) {
      return day + (slot.Week - 1 - Weekday(day) + 7) % 7;
    };
    if (slot.Month == 0) return onWeekday(from);
    const long long sameMonth = onWeekday(FirstDayOfMonthFrom(from, slot.Month));
    if (DateOf(sameMonth).month == slot.Month) return sameMonth;
    const Date date = DateOf(from);
    return onWeekday(DayNumber(Date{date.year + 1, slot.Month, 1}));
  }
  if (slot.Day == 0) return slot.Month == 0 ? from : FirstDayOfMonthFrom(from, slot.Month);

  const Date start = DateOf(from);
  if (slot.Month == 0) {
    // The 31st is missing from five months, never from two in a row.
    Date date{start.year, start.month, slot.Day};
    if (slot.Day < start.day) date.month += 1;
    for (;; date.month += 1) {
      if (date.month > 12) {
        date.month = 1;
        date.year += 1;
      }
      if (slot.Day <= DaysInMonth(date.year, date.month)) return DayNumber(date);
    }
  }
  if (slot.Day > (slot.Month == 2 ? 29 : DaysInMonth(2001, slot.Month))) return -1;
  Date date{start.year, slot.Month, slot.Day};
  if (slot.Month < start.month || (slot.Month == start.month && slot.Day < start.day)) {
    date.year += 1;
  }
  while (slot.Day > DaysInMonth(date.year, date.month)) date.year += 1;  // the next leap year
  return DayNumber(date);
}

// Only what the matcher can ever fire.
bool CanFallDue(const Reservation& slot) {
  return slot.Month >= 0 && slot.Month <= 12 && slot.Hour >= 0 && slot.Hour <= 23 &&
         slot.Minute >= 0 && slot.Minute <= 59 && slot.Week >= 0 && slot.Week <= 7 &&
         (slot.Week != 0 || (slot.Day >= 0 && slot.Day <= 31));
}

// The local reading of the clock as a count of seconds, days of the calendar included.
long long WallSeconds(const std::tm& local) {
  const long long day = DayNumber(Date{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday});
  return day * kSecondsPerDay + local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec;
}

}  // namespace

std::optional<long long> NextDueMinuteCount(const Reservation& slot, const std::tm& now) {
  if (!CanFallDue(slot)) return std::nullopt;
  const long long today = DayNumber(Date{now.tm_year + 1900, now.tm_mon + 1, now.tm_mday});
  const int minute = slot.Hour * 60 + slot.Minute;
  // The minute the clock is in has begun already: not after now.
  const long long day =
      FirstMatchingDay(slot, minute > now.tm_hour * 60 + now.tm_min ? today : today + 1);
  if (day < 0) return std::nullopt;
  return day * kMinutesPerDay + minute;
}

std::optional<LocalMinute> NextDueMinute(const ReservationTable& table, const std::tm& now) {
  std::optional<long long> best;
  const int count = table.Size();
  for (int i = 0; i < count; ++i) {
    const std::optional<long long> due = NextDueMinuteCount(table[i], now);
    if (due && (!best || *due < *best)) best = due;
  }
  if (!best) return std::nullopt;
  const Date date = DateOf(*best / kMinutesPerDay);
  const int minute = static_cast<int>(*best % kMinutesPerDay);
  return LocalMinute{date.year, date.month, date.day, minute / 60, minute % 60};
}

std::optional<long long> NextDueTime(const ReservationTable& table, long long now, Clock& clock) {
  const std::tm nowLocal = clock.LocalTime(now);
  const std::optional<LocalMinute> due = NextDueMinute(table, nowLocal);
  if (!due) return std::nullopt;
  const long long wanted = DayNumber(Date{due->year, due->month, due->day}) * kSecondsPerDay +
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
