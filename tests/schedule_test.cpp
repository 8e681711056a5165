#include <gtest/gtest.h>

#include "fakes/frame_fixture.h"
#include "resource.h"

namespace {

class ScheduleTest : public ::testing::Test {
 protected:
  // A daily reservation showing a message.
  Reservation& Daily(int index, int hour, int minute) {
    Reservation& slot = fake.frame.Table()[index];
    slot.Month = 0;
    slot.Day = 0;
    slot.Week = 0;
    slot.Hour = hour;
    slot.Minute = minute;
    slot.Action = ACTION_MESSAGE;
    return slot;
  }
  // Ticks every 200 ms, as timer 1 does, for the given number of seconds.
  void RunFor(int seconds) {
    for (int tick = 0; tick < seconds * 5; ++tick) {
      if (tick % 5 == 0 && tick > 0) fake.clock.Advance(1);
      fake.frame.OnTimer(kScheduleTimer);
    }
  }
  size_t Fired() const { return fake.shell.calls.size(); }

  FakeFrame fake;
};

TEST_F(ScheduleTest, NestedTicksInsideAnActionFireNothingInThatMinute) {
  Daily(0, 7, 30);
  Daily(1, 7, 30);
  fake.shell.starts = false;  // the shell refuses: an error box opens
  fake.frame.SetNoError(0);
  int nested = 0;
  fake.alerts.whileOpen = [&] {
    ++nested;
    fake.frame.CheckSchedule();
  };
  fake.clock.Set(2026, 12, 7, 7, 30, 10);
  fake.frame.CheckSchedule();
  EXPECT_EQ(nested, 1);
  EXPECT_EQ(Fired(), 1u);
  EXPECT_EQ(fake.alerts.boxes.size(), 1u);
}

TEST_F(ScheduleTest, ADateReservationErasesItselfAfterRunningEvenWhenRefused) {
  Reservation& once = Daily(2, 7, 30);
  once.Month = 12;
  once.Day = 7;
  once.Erace = 1;
  fake.clock.Set(2026, 12, 7, 7, 30, 0);
  const UiBusy::Scope settingsOpen(fake.busy, IDD_SETTINGS);
  fake.frame.CheckSchedule();
  EXPECT_EQ(Fired(), 0u);
  EXPECT_EQ(once.Month, SLOT_EMPTY);
  EXPECT_EQ(once.Day, 7) << "only the month is changed";
  EXPECT_EQ(once.Hour, 7);
}

TEST_F(ScheduleTest, OnlyTimerOneMatches) {
  Daily(0, 7, 30);
  fake.clock.Set(2026, 12, 7, 7, 30, 0);
  fake.frame.OnTimer(kCdCountdownTimer);
  fake.frame.OnTimer(7);
  EXPECT_EQ(Fired(), 0u);
  fake.frame.OnTimer(kScheduleTimer);
  EXPECT_EQ(Fired(), 1u);
}

class QuickReservationTest : public ScheduleTest {
 protected:
  // When the quick reservation chosen at the given time shows its message.
  std::pair<int, int> ChosenAt(int hour, int minute, int second) {
    fake.clock.Set(2026, 12, 7, hour, minute, second);
    fake.frame.OnQuickReservation();
    const Reservation& slot = fake.frame.Table()[31];
    return {slot.Hour, slot.Minute};
  }
};

TEST_F(QuickReservationTest, WritesAOneOffMessageAboutThreeMinutesAhead) {
  fake.location.directory = "D:\\App\\";
  fake.clock.Set(2026, 12, 7, 10, 0, 0);
  fake.frame.OnQuickReservation();
  const Reservation& slot = fake.frame.Table()[31];
  EXPECT_EQ(slot.Month, 12);
  EXPECT_EQ(slot.Day, 7);
  EXPECT_EQ(slot.Week, 0);
  EXPECT_EQ(slot.Hour, 10);
  EXPECT_EQ(slot.Minute, 3);
  EXPECT_EQ(slot.Action, ACTION_MESSAGE);
  EXPECT_EQ(slot.Drive, 1);
  EXPECT_EQ(slot.Track, 1);
  EXPECT_EQ(slot.Time, 0);
  EXPECT_EQ(slot.Erace, 1);
  EXPECT_STREQ(slot.Message, "あれから３分です！");
  EXPECT_STREQ(slot.FileName, "D:\\App\\readme.txt");
  EXPECT_STREQ(slot.Command, "");
  EXPECT_EQ(fake.alerts.beeps, 1);

  // It fires once, three minutes later, and erases itself.
  RunFor(240);
  ASSERT_EQ(Fired(), 1u);
  EXPECT_EQ(fake.shell.calls[0].parameters, "00,あれから３分です！");
  EXPECT_EQ(slot.Month, SLOT_EMPTY);
}

TEST_F(QuickReservationTest, RoundsToTheNearestMinuteThreeMinutesOn) {
  EXPECT_EQ(ChosenAt(10, 0, 0), std::make_pair(10, 3));
  fake.frame.Table()[31].Month = SLOT_EMPTY;
  EXPECT_EQ(ChosenAt(10, 0, 29), std::make_pair(10, 3));
  fake.frame.Table()[31].Month = SLOT_EMPTY;
  EXPECT_EQ(ChosenAt(10, 0, 30), std::make_pair(10, 4));
  fake.frame.Table()[31].Month = SLOT_EMPTY;
  EXPECT_EQ(ChosenAt(10, 0, 59), std::make_pair(10, 4));
}

TEST_F(QuickReservationTest, CarriesTheDateAcrossMidnightAndTheYear) {
  fake.clock.Set(2026, 12, 31, 23, 58, 40);
  fake.frame.OnQuickReservation();
  const Reservation& slot = fake.frame.Table()[31];
  EXPECT_EQ(slot.Month, 1);
  EXPECT_EQ(slot.Day, 1);
  EXPECT_EQ(slot.Hour, 0);
  EXPECT_EQ(slot.Minute, 2);
  fake.clock.Set(2027, 1, 1, 0, 2, 0);
  fake.frame.CheckSchedule();
  EXPECT_EQ(Fired(), 1u);
}

TEST_F(QuickReservationTest, FillsTheLastEmptySlotAndNothingWhenFull) {
  for (int i = 0; i < 5; ++i) Daily(i, 1, 0);
  fake.clock.Set(2026, 12, 7, 10, 0, 0);
  fake.frame.OnQuickReservation();
  fake.frame.OnQuickReservation();
  EXPECT_EQ(fake.frame.Table()[31].Action, ACTION_MESSAGE);
  EXPECT_EQ(fake.frame.Table()[30].Action, ACTION_MESSAGE);
  EXPECT_EQ(fake.frame.Table()[29].Month, SLOT_EMPTY);

  FakeFrame full(2);
  full.frame.Table()[0].Month = 0;
  full.frame.Table()[1].Month = 0;
  const Reservation before = full.frame.Table()[1];
  full.frame.OnQuickReservation();
  EXPECT_EQ(full.frame.Table()[1].Minute, before.Minute);
  EXPECT_EQ(full.alerts.beeps, 0);

  FakeFrame none(0);
  none.frame.OnQuickReservation();
  EXPECT_EQ(none.alerts.beeps, 0);
}

}  // namespace
