#pragma once

#include <ctime>

// Dates of the proleptic Gregorian calendar, as the local clock names them, and their count of
// days since 1 January 1970, so that a date is a number to compare and to step. Most are inline:
// the tick and the next due time call them for every slot.
namespace calendar {

struct Date {
  int year;
  int month;  // 1..12
  int day;    // 1..31
};

constexpr bool operator==(const Date& a, const Date& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day;
}
constexpr bool operator!=(const Date& a, const Date& b) { return !(a == b); }

// The date of a broken-down local time.
constexpr Date DateOf(const std::tm& local) {
  return Date{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

constexpr bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// `month` is 1..12.
constexpr int DaysInMonth(int year, int month) {
  constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Counted in eras of 400 years from 1 March of year 0, which puts the leap day last in its year.
constexpr long long DaysFromDate(const Date& date) {
  const long long year = date.year - (date.month <= 2 ? 1 : 0);
  const long long era = (year >= 0 ? year : year - 399) / 400;
  const long long yearOfEra = year - era * 400;
  const long long dayOfYear =
      (153 * (date.month + (date.month > 2 ? -3 : 9)) + 2) / 5 + date.day - 1;
  const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

constexpr Date DateFromDays(long long days) {
  const long long shifted = days + 719468;
  const long long era = (shifted >= 0 ? shifted : shifted - 146096) / 146097;
  const long long dayOfEra = shifted - era * 146097;
  const long long yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const long long monthIndex = (5 * dayOfYear + 2) / 153;  // 0 is March
  const int month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
  const int day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
  return Date{static_cast<int>(yearOfEra + era * 400) + (month <= 2 ? 1 : 0), month, day};
}

// 0 for Sunday to 6 for Saturday, as tm_wday counts; 1 January 1970 was a Thursday.
constexpr int Weekday(long long days) { return static_cast<int>(((days + 4) % 7 + 7) % 7); }
constexpr int Weekday(const Date& date) { return Weekday(DaysFromDate(date)); }

Date NextDay(const Date& date);

}  // namespace calendar
