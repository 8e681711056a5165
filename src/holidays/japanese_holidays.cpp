#include "holidays/japanese_holidays.h"

#include "calendar/civil_date.h"

namespace {

using calendar::Date;

constexpr int kFirstYear = 2000;
constexpr int kLastYear = 2099;
// The substitute moves past every following holiday from this year, and to the Monday alone
// before it.
constexpr int kSubstituteToNextFreeDay = 2007;

// The day of the month of its n-th Monday.
int NthMonday(int year, int month, int n) {
  const int first = calendar::Weekday(Date{year, month, 1});
  return 1 + (8 - first) % 7 + 7 * (n - 1);
}

// The equinox day in March or September: the base (in millionths of a day) plus the tropical
// year's drift since 1980, less its leap days; in whole numbers so that no rounding can move it.
int EquinoxDay(int year, long long baseMillionths) {
  const int years = year - 1980;
  return static_cast<int>((baseMillionths + 242194LL * years) / 1000000) - years / 4;
}

// A national holiday by name, those of the special laws of 2019 to 2021 included; not the
// substitute nor the day between two holidays.
bool IsNamedHoliday(const Date& date) {
  const int y = date.year;
  const int d = date.day;
  switch (date.month) {
    case 1:
      return d == 1 || d == NthMonday(y, 1, 2);
    case 2:
      return d == 11 || (y >= 2020 && d == 23);
    case 3:
      return d == EquinoxDay(y, 20843100);
    case 4:
      return d == 29;
    case 5:
      return d == 3 || d == 5 || (y >= 2007 && d == 4) || (y == 2019 && d == 1);
    case 7:
      // Marine Day and, in 2020 and 2021, Sports Day moved for the Olympic Games.
      if (y == 2020) return d == 23 || d == 24;
      if (y == 2021) return d == 22 || d == 23;
      return d == (y <= 2002 ? 20 : NthMonday(y, 7, 3));
    case 8:
      if (y == 2020) return d == 10;
      if (y == 2021) return d == 8;
      return y >= 2016 && d == 11;
    case 9:
      return d == (y <= 2002 ? 15 : NthMonday(y, 9, 3)) || d == EquinoxDay(y, 23248800);
    case 10:
      if (y == 2019 && d == 22) return true;
      return y != 2020 && y != 2021 && d == NthMonday(y, 10, 2);
    case 11:
      return d == 3 || d == 23;
    case 12:
      return y <= 2018 && d == 23;
    default:
      return false;
  }
}

bool IsNamedHoliday(long long days) { return IsNamedHoliday(calendar::DateFromDays(days)); }

}  // namespace

bool IsJapaneseHoliday(int year, int month, int day) {
  if (year < kFirstYear || year > kLastYear || month < 1 || month > 12 || day < 1 ||
      day > calendar::DaysInMonth(year, month)) {
    return false;
  }
  const Date date{year, month, day};
  if (IsNamedHoliday(date)) return true;
  const long long days = calendar::DaysFromDate(date);
  const int weekday = calendar::Weekday(days);
  // A holiday on a Sunday gives a substitute.
  if (year >= kSubstituteToNextFreeDay) {
    for (long long before = days - 1; IsNamedHoliday(before); --before) {
      if (calendar::Weekday(before) == 0) return true;
    }
  } else if (weekday == 1 && IsNamedHoliday(days - 1)) {
    return true;
  }
  // A weekday between two holidays is off too.
  return weekday != 0 && IsNamedHoliday(days - 1) && IsNamedHoliday(days + 1);
}
