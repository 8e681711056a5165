#include "holidays/japanese_holidays.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "calendar/civil_date.h"

namespace {

using calendar::Date;

// 20260922 for 22 September 2026, to name a failing date.
int Number(const Date& date) { return date.year * 10000 + date.month * 100 + date.day; }

// The published lists of national holidays, substitutes and days between holidays included.
const struct {
  int year;
  int count;
  std::vector<int> days;  // month * 100 + day, in order
} kPublished[] = {
    {2019, 22, {101, 114, 211, 321, 429, 430, 501,  502,  503,  504,  505,
                506, 715, 811, 812, 916, 923, 1014, 1022, 1103, 1104, 1123}},
    {2020,
     18,
     {101, 113, 211, 223, 224, 320, 429, 503, 504, 505, 506, 723, 724, 810, 921, 922, 1103, 1123}},
    {2021,
     17,
     {101, 111, 211, 223, 320, 429, 503, 504, 505, 722, 723, 808, 809, 920, 923, 1103, 1123}},
    {2022, 16, {101, 110, 211, 223, 321, 429, 503, 504, 505, 718, 811, 919, 923, 1010, 1103, 1123}},
    {2023,
     17,
     {101, 102, 109, 211, 223, 321, 429, 503, 504, 505, 717, 811, 918, 923, 1009, 1103, 1123}},
    {2024, 21, {101, 108, 211, 212, 223, 320, 429,  503,  504,  505, 506,
                715, 811, 812, 916, 922, 923, 1014, 1103, 1104, 1123}},
    {2025,
     19,
     {101, 113, 211, 223, 224, 320, 429, 503, 504, 505, 506, 721, 811, 915, 923, 1013, 1103, 1123,
      1124}},
    {2026,
     18,
     {101, 112, 211, 223, 320, 429, 503, 504, 505, 506, 720, 811, 921, 922, 923, 1012, 1103, 1123}},
    {2027,
     17,
     {101, 111, 211, 223, 321, 322, 429, 503, 504, 505, 719, 811, 920, 923, 1011, 1103, 1123}},
};

// Every day of each listed year: a holiday exactly when the list has it, and as many as
// the list says, so that a slip in a row shows too.
TEST(JapaneseHolidays, EveryDayOfThePublishedYears) {
  for (const auto& year : kPublished) {
    SCOPED_TRACE(year.year);
    EXPECT_EQ(year.days.size(), static_cast<size_t>(year.count));
    const std::set<int> listed(year.days.begin(), year.days.end());
    int found = 0;
    for (Date date{year.year, 1, 1}; date.year == year.year; date = calendar::NextDay(date)) {
      const bool holiday = IsJapaneseHoliday(date.year, date.month, date.day);
      EXPECT_EQ(holiday, listed.count(date.month * 100 + date.day) == 1) << Number(date);
      found += holiday ? 1 : 0;
    }
    EXPECT_EQ(found, year.count);
  }
}

// The rules that the years above do not exercise, and their neighbours; the listed years
// hold the May substitutes of 2020 and 2025, the September day of 2026 and the special laws.
TEST(JapaneseHolidays, Edges) {
  const struct {
    Date date;
    bool holiday;
  } cases[] = {
      // The equinoxes by the formula, against the announced days.
      {{2000, 3, 20}, true},
      {{2000, 3, 21}, false},
      {{2099, 3, 20}, true},
      {{2099, 3, 21}, false},
      {{2099, 9, 23}, true},
      {{2012, 9, 22}, true},
      {{2012, 9, 23}, false},  // a Sunday
      {{2044, 9, 22}, true},
      {{2044, 9, 23}, false},
      // The September day between two holidays.
      {{2009, 9, 22}, true},
      {{2015, 9, 22}, true},
      {{2015, 9, 24}, false},
      // Fixed days before the Monday rules, and as they changed.
      {{2000, 1, 10}, true},
      {{2000, 1, 15}, false},
      {{2002, 7, 20}, true},
      {{2003, 7, 20}, false},  // a Sunday
      {{2003, 7, 21}, true},
      {{2002, 9, 15}, true},
      {{2002, 9, 16}, true},  // the substitute
      {{2006, 4, 29}, true},
      {{2015, 8, 11}, false},
      {{2016, 8, 11}, true},
      {{2018, 12, 23}, true},
      {{2018, 12, 24}, true},  // the substitute
      // Before 2007, 4 May between two holidays, unless a Sunday.
      {{2006, 5, 4}, true},
      {{2003, 5, 4}, false},
      // From 2007, the substitute goes to the next day that is not a holiday.
      {{2008, 5, 6}, true},
      {{2099, 12, 31}, false},
      // Outside the years of the rules, and dates that do not exist.
      {{1999, 1, 1}, false},
      {{2100, 1, 1}, false},
      {{2026, 2, 29}, false},
      {{2026, 13, 1}, false},
      {{2026, 0, 1}, false},
      {{2026, 1, 0}, false},
      {{2026, 1, 32}, false},
  };
  for (const auto& each : cases) {
    EXPECT_EQ(IsJapaneseHoliday(each.date.year, each.date.month, each.date.day), each.holiday)
        << Number(each.date);
  }
}

}  // namespace
