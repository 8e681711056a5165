#include "reservations/schedule_rule.h"

namespace {

constexpr int kAllWeekdays = 0x7f;
constexpr int kShortestRepeat = 5;
constexpr int kLongestRepeat = 12 * 60;

bool NamesTime(int hour, int minute) {
  return hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59;
}

}  // namespace

int WeekdaySet(const Reservation& slot) {
  if (slot.Week < 1 || slot.Week > 7) return 0;
  if (slot.Weekdays >= 1 && slot.Weekdays <= kAllWeekdays) return slot.Weekdays;
  return 1 << (slot.Week - 1);
}

std::optional<Repeat> RepeatOf(const Reservation& slot) {
  if (slot.RepeatMinutes < kShortestRepeat || slot.RepeatMinutes > kLongestRepeat) {
    return std::nullopt;
  }
  if (!NamesTime(slot.Hour, slot.Minute) || slot.RepeatUntil < 0) return std::nullopt;
  const int untilHour = slot.RepeatUntil / 100;
  const int untilMinute = slot.RepeatUntil % 100;
  if (!NamesTime(untilHour, untilMinute)) return std::nullopt;
  const int until = untilHour * 60 + untilMinute;
  if (until < slot.Hour * 60 + slot.Minute) return std::nullopt;
  return Repeat{slot.RepeatMinutes, until};
}

bool FallsOnDay(const Reservation& slot, const calendar::Date& date, int weekday,
                const DaysOff& daysOff) {
  if (slot.Month != 0 && slot.Month != date.month) return false;
  if (slot.Week != 0) {
    if ((WeekdaySet(slot) >> weekday & 1) == 0) return false;
  } else if (slot.Day != 0 && slot.Day != date.day) {
    return false;
  }
  return slot.SkipHoliday == 0 || !IsDayOff(daysOff, date);
}

bool FallsAtRepeat(const Reservation& slot, int minuteOfDay) {
  const std::optional<Repeat> repeat = RepeatOf(slot);
  const int start = slot.Hour * 60 + slot.Minute;
  if (!repeat) return minuteOfDay == start;
  return minuteOfDay >= start && minuteOfDay <= repeat->until &&
         (minuteOfDay - start) % repeat->every == 0;
}

std::optional<int> FirstMinuteFrom(const Reservation& slot, int from) {
  if (!NamesTime(slot.Hour, slot.Minute)) return std::nullopt;
  const int start = slot.Hour * 60 + slot.Minute;
  if (from <= start) return start;
  const std::optional<Repeat> repeat = RepeatOf(slot);
  if (!repeat) return std::nullopt;
  const int steps = (from - start + repeat->every - 1) / repeat->every;
  const int minute = start + steps * repeat->every;
  if (minute > repeat->until) return std::nullopt;
  return minute;
}
