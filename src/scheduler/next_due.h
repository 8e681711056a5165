#pragma once

#include <ctime>
#include <optional>

#include "reservations/days_off.h"

class Clock;
class ReservationTable;
struct Reservation;

// A minute of the local calendar, as the slots name one.
struct LocalMinute {
  int year;
  int month;  // 1..12
  int day;    // 1..31
  int hour;
  int minute;
};

// The first minute after the one `now` is in at which the slot falls due, counted in minutes from
// 1970-01-01 00:00 of the local calendar, or none when it never will.
std::optional<long long> NextDueMinuteCount(const Reservation& slot, const DaysOff& daysOff,
                                            const std::tm& now);

// The first minute after the one `now` is in at which some slot of the table falls due by the
// matcher's rule, or none when no slot will within eight years. The table holds no year: a date
// comes every year, the 29th of February in leap years only, and a day a month lacks is skipped.
std::optional<LocalMinute> NextDueMinute(const ReservationTable& table, const DaysOff& daysOff,
                                         const std::tm& now);

// The same as the clock's seconds: the first second after `now` at which the local clock reads
// the due minute, or the first past it where the clock skips that minute (a change to summer
// time).
std::optional<long long> NextDueTime(const ReservationTable& table, const DaysOff& daysOff,
                                     long long now, Clock& clock);
