#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/civil_date.h"

// A day off of the user's own: a month and day every year (year 0), or one date.
struct DayOff {
  int year;   // 0: every year
  int month;  // 1..12
  int day;    // 1..31

  bool operator==(const DayOff& other) const {
    return year == other.year && month == other.month && day == other.day;
  }
};

using DaysOff = std::vector<DayOff>;

// "MM/DD" or "YYYY/MM/DD", digits and slashes alone, of a day that exists (02/29 every year
// does: it is off in leap years); none for anything else.
std::optional<DayOff> ParseDayOff(std::string_view text);
// The same form, "12/29" or "2027/05/06", as the profile holds it.
std::string DayOffText(const DayOff& dayOff);

// A national holiday of Japan, or one of the user's days off.
bool IsDayOff(const DaysOff& daysOff, const calendar::Date& date);
