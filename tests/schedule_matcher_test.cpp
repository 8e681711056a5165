#include "scheduler/schedule_matcher.h"

#include <gtest/gtest.h>

#include <vector>

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
    const std::optional<ScheduleMatcher::Due> due = matcher.Match(table, UtcTime(now));
    if (due) fired.push_back(*due);
  }
  // Ticks every 200 ms, as the frame's timer does, for the given number of seconds.
  void RunFor(int seconds) {
    for (int tick = 0; tick < seconds * 5; ++tick) {
      if (tick % 5 == 0 && tick > 0) ++now;
      Tick();
    }
  }

  ReservationTable table;
  ScheduleMatcher matcher;
  long long now = 0;
  std::vector<ScheduleMatcher::Due> fired;
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

}  // namespace
