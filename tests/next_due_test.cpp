#include "scheduler/next_due.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "fakes/fake_clock.h"
#include "fakes/utc_time.h"
#include "reservations/reservation_table.h"

namespace {

struct Slot {
  int index;
  int month, day, week, hour, minute;
  int erase = 0;
  int weekdays = 0, skipHoliday = 0, repeatMinutes = 0, repeatUntil = 0;
};
struct Time {
  int year, month, day, hour, minute, second;
};
struct Minute {
  int year, month, day, hour, minute;
};

ReservationTable Table(int size, const std::vector<Slot>& slots) {
  Reservation empty{};
  empty.Month = SLOT_EMPTY;
  ReservationTable table;
  table.ResetSlots(size, empty);
  for (const Slot& slot : slots) {
    Reservation& record = table[slot.index];
    record.Month = slot.month;
    record.Day = slot.day;
    record.Week = slot.week;
    record.Hour = slot.hour;
    record.Minute = slot.minute;
    record.Erace = slot.erase;
    record.Weekdays = slot.weekdays;
    record.SkipHoliday = slot.skipHoliday;
    record.RepeatMinutes = slot.repeatMinutes;
    record.RepeatUntil = slot.repeatUntil;
  }
  return table;
}

std::string Text(const std::optional<long long>& seconds) {
  if (!seconds) return "never";
  const std::tm due = UtcTime(*seconds);
  char text[64];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", due.tm_year + 1900,
                due.tm_mon + 1, due.tm_mday, due.tm_hour, due.tm_min, due.tm_sec);
  return text;
}

// With UTC as the local zone the due minute's first second is the answer.
TEST(NextDueTest, TheFirstMinuteAfterNowThatTheMatcherWouldFire) {
  const struct {
    const char* what;
    int size;
    std::vector<Slot> slots;
    Time now;
    std::optional<Minute> due;
    DaysOff daysOff = {};
  } cases[] = {
      {"month and day ahead",
       32,
       {{0, 4, 1, 0, 7, 5}},
       {2026, 3, 15, 12, 0, 0},
       Minute{2026, 4, 1, 7, 5}},
      {"month and day, its minute begun: next year",
       32,
       {{0, 4, 1, 0, 7, 5}},
       {2026, 4, 1, 7, 5, 0},
       Minute{2027, 4, 1, 7, 5}},
      {"month and day, a second before its minute",
       32,
       {{0, 4, 1, 0, 7, 5}},
       {2026, 4, 1, 7, 4, 59},
       Minute{2026, 4, 1, 7, 5}},
      {"weekday: the next Monday",
       32,
       {{0, 0, 0, 2, 9, 0}},
       {2026, 12, 9, 10, 0, 0},
       Minute{2026, 12, 14, 9, 0}},
      {"weekday today, its Day not looked at",
       32,
       {{0, 0, 17, 2, 9, 0}},
       {2026, 12, 14, 8, 59, 59},
       Minute{2026, 12, 14, 9, 0}},
      {"weekday of April, none left this April",
       32,
       {{0, 4, 0, 2, 9, 0}},
       {2026, 4, 28, 0, 0, 0},
       Minute{2027, 4, 5, 9, 0}},
      {"weekday of April, from December",
       32,
       {{0, 4, 0, 2, 9, 0}},
       {2026, 12, 9, 0, 0, 0},
       Minute{2027, 4, 5, 9, 0}},
      {"every day: tomorrow once its minute has begun",
       32,
       {{0, 0, 0, 0, 7, 30}},
       {2026, 12, 7, 7, 30, 20},
       Minute{2026, 12, 8, 7, 30}},
      {"every day of February",
       32,
       {{0, 2, 0, 0, 0, 0}},
       {2026, 12, 7, 0, 0, 0},
       Minute{2027, 2, 1, 0, 0}},
      {"every day of December, later today",
       32,
       {{0, 12, 0, 0, 23, 59}},
       {2026, 12, 31, 23, 58, 0},
       Minute{2026, 12, 31, 23, 59}},
      {"year end: every day",
       32,
       {{0, 0, 0, 0, 0, 0}},
       {2026, 12, 31, 23, 59, 30},
       Minute{2027, 1, 1, 0, 0}},
      {"year end: a quick reservation erased after it runs",
       32,
       {{31, 1, 1, 0, 0, 2, 1}},
       {2026, 12, 31, 23, 58, 40},
       Minute{2027, 1, 1, 0, 2}},
      {"erase after run, due once like any date",
       32,
       {{5, 12, 7, 0, 7, 30, 1}},
       {2026, 12, 7, 7, 29, 30},
       Minute{2026, 12, 7, 7, 30}},
      {"29 February: the next leap year",
       32,
       {{0, 2, 29, 0, 12, 0}},
       {2026, 3, 1, 0, 0, 0},
       Minute{2028, 2, 29, 12, 0}},
      {"29 February: 2100 is no leap year",
       32,
       {{0, 2, 29, 0, 12, 0}},
       {2096, 3, 1, 0, 0, 0},
       Minute{2104, 2, 29, 12, 0}},
      {"dates no year has",
       32,
       {{0, 4, 31, 0, 12, 0}, {1, 2, 30, 0, 12, 0}},
       {2026, 1, 1, 0, 0, 0},
       std::nullopt},
      {"the 31st every month: not in April",
       32,
       {{0, 0, 31, 0, 12, 0}},
       {2026, 4, 1, 0, 0, 0},
       Minute{2026, 5, 31, 12, 0}},
      {"the 31st every month: February skipped",
       32,
       {{0, 0, 31, 0, 12, 0}},
       {2027, 1, 31, 12, 0, 1},
       Minute{2027, 3, 31, 12, 0}},
      {"empty and out-of-range slots never",
       32,
       {{0, 13, 0, 0, 7, 30},
        {1, 14, 0, 0, 7, 30},
        {2, 0, 0, 8, 7, 30},
        {3, 0, 32, 0, 7, 30},
        {4, 0, 0, 0, 24, 0},
        {5, 0, 0, 0, 7, 60},
        {6, -1, 0, 0, 7, 30},
        {7, 0, 0, 0, 7, -1},
        {8, 0, -1, 0, 7, 30}},
       {2026, 12, 7, 0, 0, 0},
       std::nullopt},
      {"the earliest of several, whatever their order",
       32,
       {{0, 0, 0, 0, 8, 0}, {1, 0, 0, 2, 7, 0}, {2, 12, 7, 0, 7, 45}},
       {2026, 12, 7, 6, 0, 0},
       Minute{2026, 12, 7, 7, 0}},
      {"4096 slots: the last one",
       4096,
       {{4095, 0, 0, 0, 8, 0}},
       {2026, 12, 7, 6, 0, 0},
       Minute{2026, 12, 7, 8, 0}},
      {"4096 slots: the earliest far down",
       4096,
       {{0, 0, 0, 0, 23, 0}, {4000, 0, 0, 0, 6, 30}},
       {2026, 12, 7, 6, 0, 0},
       Minute{2026, 12, 7, 6, 30}},
      {"Monday, Wednesday and Friday: from a Wednesday past its time",
       32,
       {{0, 0, 0, 2, 9, 0, 0, 0b0101010}},
       {2026, 12, 9, 10, 0, 0},
       Minute{2026, 12, 11, 9, 0}},
      {"weekdays, not on New Year's Day nor the weekend after it",
       32,
       {{0, 0, 0, 2, 9, 0, 0, 0b0111110, 1}},
       {2026, 12, 31, 10, 0, 0},
       Minute{2027, 1, 4, 9, 0}},
      {"every day, not on the user's days off nor the holiday among them",
       32,
       {{0, 0, 0, 0, 7, 0, 0, 0, 1}},
       {2026, 12, 28, 8, 0, 0},
       Minute{2027, 1, 4, 7, 0},
       {{0, 12, 29}, {0, 12, 30}, {0, 12, 31}, {0, 1, 2}, {0, 1, 3}}},
      {"every day, Golden Week and one date of the user's skipped",
       32,
       {{0, 0, 0, 0, 7, 0, 0, 0, 1}},
       {2027, 5, 2, 12, 0, 0},
       Minute{2027, 5, 7, 7, 0},
       {{2027, 5, 6}}},
      {"a date that is a holiday every year: never",
       32,
       {{0, 1, 1, 0, 7, 0, 0, 0, 1}},
       {2026, 12, 7, 0, 0, 0},
       std::nullopt},
      {"repeat: the next of its times today",
       32,
       {{0, 0, 0, 0, 9, 0, 0, 0, 0, 60, 1800}},
       {2026, 12, 7, 10, 30, 0},
       Minute{2026, 12, 7, 11, 0}},
      {"repeat: one of its times begun, the one after",
       32,
       {{0, 0, 0, 0, 9, 0, 0, 0, 0, 60, 1800}},
       {2026, 12, 7, 11, 0, 20},
       Minute{2026, 12, 7, 12, 0}},
      {"repeat: past the last step before its end, tomorrow's first",
       32,
       {{0, 0, 0, 0, 9, 0, 0, 0, 0, 30, 1015}},
       {2026, 12, 7, 10, 0, 30},
       Minute{2026, 12, 8, 9, 0}},
      {"repeat whose end comes before its start: its own time alone",
       32,
       {{0, 0, 0, 0, 9, 0, 0, 0, 0, 60, 800}},
       {2026, 12, 7, 10, 0, 0},
       Minute{2026, 12, 8, 9, 0}},
      {"repeat on weekdays, not on a holiday: later today",
       32,
       {{0, 0, 0, 2, 9, 0, 0, 0b0111110, 1, 60, 1800}},
       {2026, 12, 31, 17, 30, 0},
       Minute{2026, 12, 31, 18, 0}},
      {"repeat on weekdays, its last time begun: past the holiday",
       32,
       {{0, 0, 0, 2, 9, 0, 0, 0b0111110, 1, 60, 1800}},
       {2026, 12, 31, 18, 0, 10},
       Minute{2027, 1, 4, 9, 0}},
  };
  for (const auto& each : cases) {
    SCOPED_TRACE(each.what);
    FakeClock clock;
    clock.Set(each.now.year, each.now.month, each.now.day, each.now.hour, each.now.minute,
              each.now.second);
    std::optional<long long> expected;
    if (each.due) {
      expected = UtcSeconds(each.due->year, each.due->month, each.due->day, each.due->hour,
                            each.due->minute, 0);
    }
    EXPECT_EQ(Text(NextDueTime(Table(each.size, each.slots), each.daysOff, clock.Now(), clock)),
              Text(expected));
  }
}

// The zone's local time, as the Windows clock gives it.
class ZoneClock : public Clock {
 public:
  long long Now() override { return now; }
  std::tm LocalTime(long long seconds) override {
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm broken{};
    localtime_r(&t, &broken);
    return broken;
  }
  void Sleep(unsigned) override {}
  long long now = 0;
};

class NextDueZoneTest : public ::testing::Test {
 protected:
  NextDueZoneTest() {
    const char* zone = std::getenv("TZ");
    if (zone != nullptr) m_saved = zone;
    m_hadZone = zone != nullptr;
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
  }
  ~NextDueZoneTest() override {
    if (m_hadZone) {
      setenv("TZ", m_saved.c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
  }

 private:
  std::string m_saved;
  bool m_hadZone = false;
};

// In Berlin summer time begins on 29 March 2026 at 02:00 (01:00 UTC), which becomes 03:00, and
// ends on 25 October 2026 at 03:00 (01:00 UTC), which becomes 02:00 again.
TEST_F(NextDueZoneTest, ClockChangesGiveTheFirstSecondThatReadsTheMinuteOrPassesIt) {
  const struct {
    const char* what;
    int hour, minute;
    Time nowUtc;
    Time dueUtc;
  } cases[] = {
      {"the offset changes between now and the minute",
       12,
       0,
       {2026, 3, 28, 12, 0, 0},
       {2026, 3, 29, 10, 0, 0}},
      {"a minute the clock skips: when it jumps past it",
       2,
       30,
       {2026, 3, 28, 12, 0, 0},
       {2026, 3, 29, 1, 0, 0}},
      {"a minute the clock reads twice: the first time",
       2,
       30,
       {2026, 10, 24, 12, 0, 0},
       {2026, 10, 25, 0, 30, 0}},
      {"after the change back, the next day's",
       2,
       30,
       {2026, 10, 25, 1, 40, 0},
       {2026, 10, 26, 1, 30, 0}},
  };
  for (const auto& each : cases) {
    SCOPED_TRACE(each.what);
    ZoneClock clock;
    clock.now = UtcSeconds(each.nowUtc.year, each.nowUtc.month, each.nowUtc.day, each.nowUtc.hour,
                           each.nowUtc.minute, each.nowUtc.second);
    const long long expected = UtcSeconds(each.dueUtc.year, each.dueUtc.month, each.dueUtc.day,
                                          each.dueUtc.hour, each.dueUtc.minute, 0);
    const ReservationTable table = Table(32, {{0, 0, 0, 0, each.hour, each.minute}});
    EXPECT_EQ(Text(NextDueTime(table, {}, clock.now, clock)), Text(expected));
  }
}

}  // namespace
