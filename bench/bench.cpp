// Costs of the matching tick, of finding the next due time and of a profile load and save, over
// small and large tables.
// `chimeday_bench` prints the figures; `chimeday_bench --tick-once N` runs one tick over N
// slots, for counting its instructions under callgrind.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fakes/frame_fixture.h"
#include "scheduler/next_due.h"

namespace {

using Clock = std::chrono::steady_clock;

// A table where nothing is due: every slot a daily reservation one minute off the clock.
void FillNonMatching(CMainFrame& frame) {
  ReservationTable& table = frame.Table();
  for (int i = 0; i < table.Size(); ++i) {
    table[i].Month = 0;
    table[i].Hour = 7;
    table[i].Minute = 31;
    table[i].Action = ACTION_MESSAGE;
  }
}

double NanosecondsPerTick(FakeFrame& fake) {
  const int rounds = 2'000'000 / (fake.frame.Table().Size() + 1) + 1000;
  const auto start = Clock::now();
  for (int i = 0; i < rounds; ++i) fake.frame.CheckSchedule();
  const std::chrono::duration<double, std::nano> spent = Clock::now() - start;
  return spent.count() / rounds;
}

void BenchTick(int slots) {
  FakeFrame empty(slots);
  empty.clock.Set(2026, 12, 7, 7, 30, 0);
  FakeFrame busy(slots);
  busy.clock.Set(2026, 12, 7, 7, 30, 0);
  FillNonMatching(busy.frame);
  std::printf(
      "CheckSchedule over %4d slots: %9.1f ns (all empty), %9.1f ns (all in use, none due)\n",
      slots, NanosecondsPerTick(empty), NanosecondsPerTick(busy));
}

// Every kind of reservation in turn, weekday sets, holidays kept clear of and repeats among
// them, none of them due soon: what the wake timer's reset walks.
void BenchNextDue(int slots) {
  FakeFrame fake(slots);
  fake.clock.Set(2026, 12, 7, 7, 30, 0);
  ReservationTable& table = fake.frame.Table();
  for (int i = 0; i < slots; ++i) {
    Reservation& slot = table[i];
    slot.Month = i % 3 == 0 ? 0 : 1 + i % 12;
    slot.Day = i % 4 == 0 ? 0 : 1 + i % 31;
    slot.Week = i % 5 == 0 ? 1 + i % 7 : 0;
    slot.Hour = i % 24;
    slot.Minute = i % 60;
    slot.Weekdays = slot.Week != 0 && i % 2 == 0 ? 0b0111110 : 0;
    slot.SkipHoliday = i % 3 == 1 ? 1 : 0;
    slot.RepeatMinutes = i % 7 == 3 ? 30 : 0;
    slot.RepeatUntil = slot.RepeatMinutes != 0 ? 2330 : 0;
  }
  const DaysOff daysOff = {{0, 12, 29}, {0, 12, 30}, {0, 12, 31},
                           {0, 1, 2},   {0, 1, 3},   {2027, 5, 6}};
  const int rounds = 2'000'000 / (slots + 1) + 100;
  long long due = 0;
  const auto start = Clock::now();
  for (int i = 0; i < rounds; ++i)
    due = NextDueTime(table, daysOff, fake.clock.Now(), fake.clock).value();
  const std::chrono::duration<double, std::micro> spent = Clock::now() - start;
  std::printf("NextDueTime over %4d slots: %9.2f us (all in use, the next due in %lld s)\n", slots,
              spent.count() / rounds, due - fake.clock.Now());
}

void BenchProfile(int slots) {
  FakeFrame fake(slots);
  // The count comes from the profile, as at a start: the frame writes back the count it read.
  fake.profile.Write("[OPTION]\r\nArrayStock=" + std::to_string(slots) + "\r\n");
  fake.frame.LoadProfile(1);
  FillNonMatching(fake.frame);
  fake.frame.SaveProfile();  // the file every round starts from
  const std::string file = fake.profile.contents;
  const int rounds = slots > 1000 ? 20 : 2000;
  const auto start = Clock::now();
  for (int i = 0; i < rounds; ++i) {
    fake.profile.contents = file;
    fake.frame.LoadProfile(1);
    fake.frame.SaveProfile();
  }
  const std::chrono::duration<double, std::micro> spent = Clock::now() - start;
  std::printf("LoadProfile + SaveProfile of %4d slots (%7zu bytes): %9.1f us\n", slots, file.size(),
              spent.count() / rounds);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--tick-once") == 0) {
    FakeFrame busy(std::atoi(argv[2]));
    busy.clock.Set(2026, 12, 7, 7, 30, 0);
    FillNonMatching(busy.frame);
    busy.frame.CheckSchedule();
    return 0;
  }
  BenchTick(32);
  BenchTick(4096);
  BenchNextDue(32);
  BenchNextDue(4096);
  BenchProfile(32);
  BenchProfile(4096);
  return 0;
}
