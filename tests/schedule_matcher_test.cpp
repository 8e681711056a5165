#include "scheduler/schedule_matcher.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "fakes/fake_clock.h"
#include "fakes/utc_time.h"
#include "reservations/reservation_table.h"

namespace {

class ScheduleMatcherTest : public ::testing::Test {
 protected:
  ScheduleMatcherTest() { table.ResetSlots(kDefaultSlotCount, Empty()); }

  static Reservation Empty() {
    Reservation record{};
    record.Month = SLOT_EMPTY;
    return record;
  }
  // A daily reservation.
  Reservation& Daily(int index, int hour, int minute) {
    Reservation& slot = table[index];
    slot.Month = 0;
    slot.Day = 0;
    slot.Week = 0;
    slot.Hour = hour;
    slot.Minute = minute;
    return slot;
  }
  void Set(int year, int month, int day, int hour, int minute, int second) {
    now = UtcSeconds(year, month, day, hour, minute, second);
  }
  // One tick at the current time; records what fell due.
  void Tick() {
    const std::optional<ScheduleMatcher::Occurrence> due =
        matcher.Current(table, daysOff, now, UtcTime(now));
    if (!due) return;
    matcher.Ran(due->minute);
    fired.push_back(due->due);
  }
  // Ticks every 200 ms, as the frame's timer does, for the given number of seconds.
  void RunFor(int seconds) {
    for (int tick = 0; tick < seconds * 5; ++tick) {
      if (tick % 5 == 0 && tick > 0) ++now;
      Tick();
    }
  }

  // A tick as the frame makes it, on `clock`: the minutes skipped since the last, then the
  // current one; records what fell due and the clock's second of the tick that found it.
  void Check() {
    const std::tm local = clock.LocalTime(clock.Now());
    std::vector<ScheduleMatcher::Occurrence> due =
        matcher.Skipped(table, daysOff, clock.Now(), local, clock).late;
    if (auto current = matcher.Current(table, daysOff, clock.Now(), local)) due.push_back(*current);
    for (const ScheduleMatcher::Occurrence& found : due) {
      matcher.Ran(found.minute);
      fired.push_back(found.due);
      firedAt.push_back(clock.Now());
    }
  }
  // Checks every 200 ms on `clock` for the given number of seconds.
  void CheckFor(int seconds) {
    for (int tick = 0; tick < seconds * 5; ++tick) {
      if (tick % 5 == 0 && tick > 0) clock.Advance(1);
      Check();
    }
  }
  std::vector<ScheduleMatcher::Occurrence> SkippedAt(long long seconds) {
    return matcher.Skipped(table, daysOff, seconds, clock.LocalTime(seconds), clock).late;
  }
  std::vector<int> FiredSlots() const {
    std::vector<int> slots;
    for (const ScheduleMatcher::Due& due : fired) slots.push_back(due.index);
    return slots;
  }

  ReservationTable table;
  DaysOff daysOff;
  ScheduleMatcher matcher;
  long long now = 0;
  std::vector<ScheduleMatcher::Due> fired;
  FakeClock clock;
  std::vector<long long> firedAt;
};

TEST_F(ScheduleMatcherTest, OnlyTheFirstDueSlotFiresAndOnlyOnceInItsMinute) {
  Daily(0, 7, 30);
  Daily(1, 7, 30);
  Set(2026, 12, 7, 7, 29, 58);
  RunFor(70);
  ASSERT_EQ(fired.size(), 1u);
  EXPECT_EQ(fired[0].index, 0);
}

TEST_F(ScheduleMatcherTest, FiresAtTheFirstTickOfItsMinute) {
  Daily(3, 7, 30);
  Set(2026, 12, 7, 7, 29, 59);
  Tick();
  EXPECT_EQ(fired.size(), 0u);
  ++now;
  Tick();
  ASSERT_EQ(fired.size(), 1u);
  EXPECT_EQ(fired[0].index, 3);
}

TEST_F(ScheduleMatcherTest, ADailyReservationFiresAgainTheNextDay) {
  Daily(0, 7, 30);
  Set(2026, 12, 7, 7, 30, 0);
  Tick();
  Set(2026, 12, 7, 7, 31, 0);
  Tick();  // the clock has left the firing minute
  Set(2026, 12, 8, 7, 30, 0);
  Tick();
  EXPECT_EQ(fired.size(), 2u);
}

TEST_F(ScheduleMatcherTest, AnotherSlotCanFireInTheSameMinuteOfTheNextHour) {
  Daily(0, 7, 30);
  Daily(1, 8, 30);
  Set(2026, 12, 7, 7, 30, 0);
  RunFor(3660);
  ASSERT_EQ(fired.size(), 2u);
  EXPECT_EQ(fired[1].index, 1);
}

TEST_F(ScheduleMatcherTest, TheGuardLetsGoAfterAGapWithoutTicks) {
  Daily(0, 7, 30);
  Daily(1, 8, 30);
  Set(2026, 12, 7, 7, 30, 30);
  Tick();
  Set(2026, 12, 7, 8, 30, 5);  // the machine slept for an hour
  Tick();
  EXPECT_EQ(fired.size(), 2u);
}

TEST_F(ScheduleMatcherTest, MonthWeekAndDayNarrowTheMinute) {
  Reservation& weekly = Daily(0, 9, 0);
  weekly.Week = 2;  // Monday
  weekly.Month = 4;
  weekly.Day = 17;  // not looked at for a weekly reservation
  weekly.Erace = 1;
  Set(2026, 4, 13, 9, 0, 0);  // a Monday in April
  Tick();
  ASSERT_EQ(fired.size(), 1u);
  EXPECT_FALSE(fired[0].erase) << "a weekly reservation is never erased";
  Set(2026, 4, 14, 9, 0, 0);  // Tuesday
  Tick();
  Set(2026, 5, 4, 9, 0, 0);  // a Monday in May
  Tick();
  EXPECT_EQ(fired.size(), 1u);
  weekly.Month = 0;
  Tick();
  Set(2026, 5, 11, 9, 0, 0);
  Tick();
  EXPECT_EQ(fired.size(), 3u);
}

TEST_F(ScheduleMatcherTest, WeekdaySetsDaysOffAndRepeatsNarrowTheMinute) {
  Reservation& weekdays = Daily(0, 9, 0);
  weekdays.Week = 2;
  weekdays.Weekdays = 0b0111110;  // Monday to Friday
  weekdays.SkipHoliday = 1;
  Reservation& chime = Daily(1, 10, 0);
  chime.RepeatMinutes = 120;
  chime.RepeatUntil = 1430;  // not on a step: 14:00 is the last
  const auto firesAt = [&](int year, int month, int day, int hour, int minute) {
    Set(year, month, day, hour, minute, 0);
    const std::size_t before = fired.size();
    Tick();
    return fired.size() > before ? fired.back().index : -1;
  };
  EXPECT_EQ(firesAt(2027, 1, 4, 9, 0), 0) << "a Monday";
  EXPECT_EQ(firesAt(2027, 1, 8, 9, 0), 0) << "a Friday";
  EXPECT_EQ(firesAt(2027, 1, 9, 9, 0), -1) << "a Saturday";
  EXPECT_EQ(firesAt(2027, 1, 11, 9, 0), -1) << "成人の日, a Monday";
  daysOff.push_back({0, 1, 12});
  EXPECT_EQ(firesAt(2027, 1, 12, 9, 0), -1) << "a day off of the user's";
  EXPECT_EQ(firesAt(2028, 1, 12, 9, 0), -1) << "every year";
  daysOff = {{2027, 1, 13}};
  EXPECT_EQ(firesAt(2027, 1, 13, 9, 0), -1) << "one date";
  EXPECT_EQ(firesAt(2028, 1, 13, 9, 0), 0) << "of one year only";
  weekdays.Weekdays = 0;  // Week's day alone: Monday
  EXPECT_EQ(firesAt(2027, 1, 18, 9, 0), 0);
  EXPECT_EQ(firesAt(2027, 1, 19, 9, 0), -1);
  weekdays.Weekdays = 128;  // no set: read as absent
  EXPECT_EQ(firesAt(2027, 1, 25, 9, 0), 0);
  EXPECT_EQ(firesAt(2027, 1, 26, 9, 0), -1);

  const std::vector<int> times = {959, 1000, 1001, 1100, 1200, 1400, 1430, 1600};
  const std::vector<int> expected = {-1, 1, -1, -1, 1, 1, -1, -1};
  for (std::size_t i = 0; i < times.size(); ++i) {
    EXPECT_EQ(firesAt(2027, 1, 11, times[i] / 100, times[i] % 100), expected[i]) << times[i];
  }
  chime.SkipHoliday = 1;
  EXPECT_EQ(firesAt(2027, 1, 11, 12, 0), -1) << "a repeat keeps clear of holidays too";
  chime.RepeatUntil = 959;  // an end before the start: its own time alone
  EXPECT_EQ(firesAt(2027, 1, 12, 10, 0), 1);
  EXPECT_EQ(firesAt(2027, 1, 12, 12, 0), -1);
}

// A late run after midnight is judged on its own date, not on the date it runs.
TEST_F(ScheduleMatcherTest, ADayOffIsJudgedOnTheReservationsOwnDate) {
  Daily(0, 23, 58).SkipHoliday = 1;
  clock.Set(2026, 12, 31, 23, 57, 0);
  Check();
  clock.Set(2027, 1, 1, 0, 3, 0);  // New Year's Day: the 23:58 of the day before is due
  EXPECT_EQ(SkippedAt(clock.Now()).size(), 1u);
  clock.Set(2027, 1, 1, 23, 57, 0);
  SkippedAt(clock.Now());
  clock.Set(2027, 1, 2, 0, 3, 0);  // the 23:58 of New Year's Day is not
  EXPECT_TRUE(SkippedAt(clock.Now()).empty());
}

TEST_F(ScheduleMatcherTest, OnlyADateReservationThatAsksIsErased) {
  Reservation& once = Daily(0, 7, 30);
  once.Month = 12;
  once.Day = 7;
  once.Erace = 1;
  Daily(1, 7, 31);
  Set(2026, 12, 7, 7, 30, 0);
  Tick();
  Set(2026, 12, 7, 7, 31, 0);
  Tick();
  ASSERT_EQ(fired.size(), 2u);
  EXPECT_TRUE(fired[0].erase);
  EXPECT_FALSE(fired[1].erase);
  EXPECT_EQ(once.Month, 12) << "the matcher leaves the erasing to the caller";
}

TEST_F(ScheduleMatcherTest, TheThirtyFirstFiresOnlyInLongMonths) {
  Reservation& slot = Daily(0, 12, 0);
  slot.Day = 31;
  int months = 0;
  for (int month = 1; month <= 12; ++month) {
    for (int day = 28; day <= 31; ++day) {
      Set(2027, month, day, 12, 0, 0);
      if (UtcTime(now).tm_mon != month - 1) continue;
      const size_t before = fired.size();
      Tick();
      now += 60;
      Tick();
      if (fired.size() > before) {
        EXPECT_EQ(day, 31);
        ++months;
      }
    }
  }
  EXPECT_EQ(months, 7);
}

TEST_F(ScheduleMatcherTest, EmptyAndOutOfRangeSlotsNeverFire) {
  Reservation& empty = Daily(0, 7, 30);
  empty.Month = SLOT_EMPTY;
  Daily(1, 7, 30).Week = 8;
  Daily(2, 7, 30).Month = 14;
  Daily(3, 7, 30).Day = 32;
  Set(2026, 12, 7, 7, 30, 0);
  RunFor(60);
  EXPECT_EQ(fired.size(), 0u);
}

TEST_F(ScheduleMatcherTest, SkippedMinutesGiveTheFirstDueOfEachOldestFirst) {
  Daily(0, 7, 40);
  Daily(1, 7, 30);
  Daily(2, 7, 30);  // the same minute as slot 1: only the first runs
  Daily(3, 7, 50);
  clock.Set(2026, 12, 7, 7, 20, 0);
  EXPECT_TRUE(SkippedAt(clock.Now()).empty());
  clock.Set(2026, 12, 7, 7, 50, 10);
  const std::vector<ScheduleMatcher::Occurrence> late = SkippedAt(clock.Now());
  ASSERT_EQ(late.size(), 2u);
  EXPECT_EQ(late[0].due.index, 1);
  EXPECT_EQ(late[0].dueAt, UtcSeconds(2026, 12, 7, 7, 30, 0));
  EXPECT_EQ(late[0].local.tm_min, 30);
  EXPECT_EQ(late[1].due.index, 0);
  EXPECT_EQ(late[1].dueAt, UtcSeconds(2026, 12, 7, 7, 40, 0));
  // The minute of the check is left to Current.
  EXPECT_TRUE(matcher.Current(table, daysOff, clock.Now(), clock.LocalTime(clock.Now())));
  EXPECT_TRUE(SkippedAt(clock.Now() + 30).empty());

  // A new matcher, as at a start, looks back at nothing.
  ScheduleMatcher started;
  EXPECT_TRUE(started.Skipped(table, daysOff, clock.Now(), clock.LocalTime(clock.Now()), clock)
                  .late.empty());
}

// A zone whose offset is not whole minutes (local time is UTC + 40 s): the minute after one
// that fired is found late all the same.
TEST_F(ScheduleMatcherTest, SkippedMinutesFollowTheLocalMinutesNotTheClocks) {
  clock.zone = "UTC-00:00:40";
  Daily(0, 7, 30);
  Daily(1, 7, 31);
  clock.Set(2026, 12, 7, 7, 29, 30);  // 07:30:10 local
  Check();
  clock.Set(2026, 12, 7, 7, 31, 25);  // 07:32:05 local
  const std::vector<ScheduleMatcher::Occurrence> late = SkippedAt(clock.Now());
  ASSERT_EQ(late.size(), 1u);
  EXPECT_EQ(late[0].due.index, 1);
  EXPECT_EQ(late[0].dueAt, UtcSeconds(2026, 12, 7, 7, 30, 20));
  EXPECT_EQ(FiredSlots(), std::vector<int>{0});
}

TEST_F(ScheduleMatcherTest, TheClockSetBackReplaysNoMinuteThatFired) {
  Daily(0, 7, 30);
  clock.Set(2026, 12, 7, 7, 29, 50);
  CheckFor(60);
  clock.Set(2026, 12, 7, 7, 0, 0);
  Daily(1, 7, 10);  // never fired: the replayed stretch still runs it
  CheckFor(45 * 60);
  EXPECT_EQ(FiredSlots(), (std::vector<int>{0, 1}));
}

// Daylight saving: a local minute that does not exist or that comes twice runs its
// reservation exactly once, in zones whose clocks move by an hour or by half an hour.
struct ZoneSlot {
  int hour, minute;
  int repeatMinutes = 0, repeatUntil = 0;
};
struct ZoneCase {
  const char* name;
  const char* zone;
  std::vector<ZoneSlot> slots;                   // in slot order
  long long start;                               // the first check, in UTC
  int minutes;                                   // how long the checks go on
  std::vector<std::pair<int, long long>> fired;  // slot, and the UTC second it was found
};

// Named, so that the test's name and its failures say which row it is.
void PrintTo(const ZoneCase& row, std::ostream* out) { *out << row.name; }

class ScheduleMatcherZoneTest : public ScheduleMatcherTest,
                                public ::testing::WithParamInterface<ZoneCase> {};

TEST_P(ScheduleMatcherZoneTest, EachReservationRunsOnceAcrossTheChange) {
  const ZoneCase& row = GetParam();
  clock.zone = row.zone;
  for (std::size_t i = 0; i < row.slots.size(); ++i) {
    Reservation& slot = Daily(static_cast<int>(i), row.slots[i].hour, row.slots[i].minute);
    slot.RepeatMinutes = row.slots[i].repeatMinutes;
    slot.RepeatUntil = row.slots[i].repeatUntil;
  }
  clock.Advance(row.start - clock.Now());
  CheckFor(row.minutes * 60);
  std::vector<std::pair<int, long long>> seen;
  for (std::size_t i = 0; i < fired.size(); ++i) seen.emplace_back(fired[i].index, firedAt[i]);
  EXPECT_EQ(seen, row.fired);
}

constexpr char kCentralEurope[] = "CET-1CEST,M3.5.0,M10.5.0/3";
constexpr char kUsEastern[] = "EST5EDT,M3.2.0,M11.1.0";
constexpr char kLordHowe[] = "<+1030>-10:30<+11>-11,M10.1.0,M4.1.0";  // half an hour

INSTANTIATE_TEST_SUITE_P(
    Zones, ScheduleMatcherZoneTest,
    ::testing::Values(
        // 02:00 CET is 03:00 CEST: 02:30 runs as the clock jumps, before 03:00.
        ZoneCase{"CentralEuropeSpring",
                 kCentralEurope,
                 {{2, 30}, {3, 0}, {1, 59}},
                 UtcSeconds(2026, 3, 29, 0, 55, 0),
                 10,
                 {{2, UtcSeconds(2026, 3, 29, 0, 59, 0)},
                  {0, UtcSeconds(2026, 3, 29, 1, 0, 0)},
                  {1, UtcSeconds(2026, 3, 29, 1, 0, 0)}}},
        // Hourly from 00:00 to 04:00: 02:00 comes twice and runs once; the end is the clock's
        // 04:00, six hours after the start.
        ZoneCase{"CentralEuropeAutumnRepeat",
                 kCentralEurope,
                 {{0, 0, 60, 400}},
                 UtcSeconds(2026, 10, 24, 21, 55, 0),
                 7 * 60,
                 {{0, UtcSeconds(2026, 10, 24, 22, 0, 0)},
                  {0, UtcSeconds(2026, 10, 24, 23, 0, 0)},
                  {0, UtcSeconds(2026, 10, 25, 0, 0, 0)},
                  {0, UtcSeconds(2026, 10, 25, 2, 0, 0)},
                  {0, UtcSeconds(2026, 10, 25, 3, 0, 0)}}},
        // 03:00 CEST is 02:00 CET: 02:30 comes twice.
        ZoneCase{"CentralEuropeAutumn",
                 kCentralEurope,
                 {{2, 30}},
                 UtcSeconds(2026, 10, 25, 0, 0, 0),
                 120,
                 {{0, UtcSeconds(2026, 10, 25, 0, 30, 0)}}},
        ZoneCase{"UsEasternSpring",
                 kUsEastern,
                 {{2, 0}, {2, 59}},
                 UtcSeconds(2026, 3, 8, 6, 58, 0),
                 5,
                 {{0, UtcSeconds(2026, 3, 8, 7, 0, 0)}, {1, UtcSeconds(2026, 3, 8, 7, 0, 0)}}},
        ZoneCase{"UsEasternAutumn",
                 kUsEastern,
                 {{1, 30}, {1, 0}},
                 UtcSeconds(2026, 11, 1, 4, 55, 0),
                 150,
                 {{1, UtcSeconds(2026, 11, 1, 5, 0, 0)}, {0, UtcSeconds(2026, 11, 1, 5, 30, 0)}}},
        // 02:00 is 02:30: 02:15 does not exist.
        ZoneCase{
            "LordHoweSpring",
            kLordHowe,
            {{2, 15}, {2, 30}},
            UtcSeconds(2026, 10, 3, 15, 25, 0),
            10,
            {{0, UtcSeconds(2026, 10, 3, 15, 30, 0)}, {1, UtcSeconds(2026, 10, 3, 15, 30, 0)}}},
        // 02:00 is 01:30: 01:45 comes twice.
        ZoneCase{"LordHoweAutumn",
                 kLordHowe,
                 {{1, 45}},
                 UtcSeconds(2026, 4, 4, 14, 30, 0),
                 60,
                 {{0, UtcSeconds(2026, 4, 4, 14, 45, 0)}}}),
    [](const ::testing::TestParamInfo<ZoneCase>& info) { return std::string(info.param.name); });

}  // namespace
