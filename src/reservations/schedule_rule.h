#pragma once

#include <optional>

#include "calendar/civil_date.h"
#include "reservations/days_off.h"
#include "reservations/reservation.h"

// When a reservation falls due, for the matching, the late runs, the next due time and the
// settings list alike: on which days (month, weekdays or day of the month, days off), and at
// which minutes of such a day (its time, and the repeats after it). Times are the local clock's.

constexpr int kMinutesPerDay = 24 * 60;

// The days of a weekly reservation, bit n for tm_wday n (bit 0 Sunday): "Weekdays" when it
// names a set, else Week's day alone; 0 when it is not weekly or Week names no day.
int WeekdaySet(const Reservation& slot);

// A reservation that repeats within its day: from Hour:Minute every `every` minutes, up to and
// including `until`, both minutes of the day. None for a pair that is not one (an interval
// outside 5..720, an end that is no time of the day or lies before the start).
struct Repeat {
  int every;
  int until;
};
std::optional<Repeat> RepeatOf(const Reservation& slot);

// Whether the slot falls due on this date, whose weekday is tm_wday's `weekday`, at some minute.
bool FallsOnDay(const Reservation& slot, const calendar::Date& date, int weekday,
                const DaysOff& daysOff);

// Whether the slot falls due at this minute of a day it falls due on. The tick asks this of
// every slot five times a second: a slot without a repeat costs two comparisons.
bool FallsAtRepeat(const Reservation& slot, int minuteOfDay);
inline bool FallsAtMinute(const Reservation& slot, int hour, int minute) {
  if (slot.RepeatMinutes == 0) return slot.Minute == minute && slot.Hour == hour;
  return FallsAtRepeat(slot, hour * 60 + minute);
}

// The first minute of a day, at or after `from`, at which the slot falls due; none when no
// time of it is left, or it names no time of the day.
std::optional<int> FirstMinuteFrom(const Reservation& slot, int from);
