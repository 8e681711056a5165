#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>
#include <string>

#include "calendar/civil_date.h"
#include "fakes/utc_time.h"

namespace {

using calendar::Date;

std::string Text(const Date& date) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
  return text;
}

TEST(Calendar, KnownDates) {
  const struct {
    Date date;
    long long days;  // since 1970-01-01
    int weekday;     // 0 Sunday
    bool leapYear;
    int daysInMonth;
    Date next;
  } cases[] = {
      {{1970, 1, 1}, 0, 4, false, 31, {1970, 1, 2}},
      {{1969, 12, 31}, -1, 3, false, 31, {1970, 1, 1}},
      {{1600, 1, 1}, -135140, 6, true, 31, {1600, 1, 2}},
      {{1900, 2, 28}, -25509, 3, false, 28, {1900, 3, 1}},
      {{2000, 2, 28}, 11015, 1, true, 29, {2000, 2, 29}},
      {{2000, 2, 29}, 11016, 2, true, 29, {2000, 3, 1}},
      {{2024, 2, 28}, 19781, 3, true, 29, {2024, 2, 29}},
      {{2024, 2, 29}, 19782, 4, true, 29, {2024, 3, 1}},
      {{2100, 2, 28}, 47540, 0, false, 28, {2100, 3, 1}},
      {{2026, 4, 30}, 20573, 4, false, 30, {2026, 5, 1}},
      {{2026, 12, 9}, 20796, 3, false, 31, {2026, 12, 10}},
      {{2026, 12, 31}, 20818, 4, false, 31, {2027, 1, 1}},
      {{2400, 12, 31}, 157419, 0, true, 31, {2401, 1, 1}},
  };
  for (const auto& each : cases) {
    SCOPED_TRACE(Text(each.date));
    EXPECT_EQ(calendar::DaysFromDate(each.date), each.days);
    EXPECT_EQ(Text(calendar::DateFromDays(each.days)), Text(each.date));
    EXPECT_EQ(calendar::Weekday(each.date), each.weekday);
    EXPECT_EQ(calendar::IsLeapYear(each.date.year), each.leapYear);
    EXPECT_EQ(calendar::DaysInMonth(each.date.year, each.date.month), each.daysInMonth);
    EXPECT_EQ(Text(calendar::NextDay(each.date)), Text(each.next));
  }
}

// Every day of eight centuries, with 1700, 1800, 1900, 2100, 2200 and 2300 that have no leap day,
// against the C library's own calendar.
TEST(Calendar, EveryDayAgreesWithTheCLibrary) {
  const long long first = calendar::DaysFromDate({1600, 1, 1});
  const long long last = calendar::DaysFromDate({2400, 12, 31});
  for (long long days = first; days <= last; ++days) {
    const std::tm utc = UtcTime(days * 24 * 60 * 60);
    const Date date = calendar::DateFromDays(days);
    const Date expected = calendar::DateOf(utc);
    if (date != expected || calendar::DaysFromDate(date) != days ||
        calendar::Weekday(days) != utc.tm_wday ||
        calendar::NextDay(date) != calendar::DateFromDays(days + 1)) {
      ADD_FAILURE() << "day " << days << ": " << Text(date) << ", expected " << Text(expected);
      break;
    }
  }
}

}  // namespace
