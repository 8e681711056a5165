#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "fakes/frame_fixture.h"
#include "fakes/utc_time.h"
#include "resource.h"
#include "settings/settings_dlg.h"

namespace {

class ScheduleTest : public ::testing::Test {
 protected:
  // A daily reservation showing a message, in the fixture's frame or another.
  Reservation& Daily(int index, int hour, int minute) { return Daily(fake, index, hour, minute); }
  static Reservation& Daily(FakeFrame& frame, int index, int hour, int minute) {
    Reservation& slot = frame.frame.Table()[index];
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

TEST_F(ScheduleTest, ADateReservationDueWhileBusyRunsOnceTheUiIsFreeAndIsErasedThen) {
  Reservation& once = Daily(2, 7, 30);
  once.Month = 12;
  once.Day = 7;
  once.Erace = 1;
  fake.clock.Set(2026, 12, 7, 7, 29, 50);
  fake.frame.CheckSchedule();
  {
    const UiBusy::Scope settingsOpen(fake.busy, IDD_SETTINGS);
    RunFor(180);
    EXPECT_EQ(Fired(), 0u);
    EXPECT_EQ(once.Month, 12) << "not erased without having run";
  }
  fake.frame.CheckSchedule();
  EXPECT_EQ(Fired(), 1u);
  EXPECT_EQ(once.Month, SLOT_EMPTY);
  EXPECT_EQ(once.Day, 7) << "only the month is changed";
  EXPECT_EQ(once.Hour, 7);
}

TEST_F(ScheduleTest, LateReservationsRunOldestFirstForTenMinutesAndTheRestAreTold) {
  std::strcpy(Daily(0, 7, 31).Message, "0");
  std::strcpy(Daily(1, 7, 30).Message, "1");
  std::strcpy(Daily(2, 7, 30).Message, "2");  // the same minute as slot 1
  Daily(3, 7, 20);
  Reservation& once = Daily(4, 7, 25);
  once.Month = 12;
  once.Day = 7;
  once.Erace = 1;
  fake.clock.Set(2026, 12, 7, 7, 15, 0);
  fake.frame.CheckSchedule();
  fake.clock.Set(2026, 12, 7, 7, 38, 0);  // after a sleep
  fake.frame.OnResume();
  ASSERT_EQ(Fired(), 2u);
  EXPECT_EQ(fake.shell.calls[0].parameters, "00,1");
  EXPECT_EQ(fake.shell.calls[1].parameters, "00,0");
  EXPECT_EQ(once.Month, SLOT_EMPTY) << "told as missed, a one-off can no longer run as meant";
  ASSERT_EQ(fake.tray.calls.size(), 2u);
  EXPECT_EQ(fake.tray.calls[0].what, "modify");
  EXPECT_EQ(fake.tray.calls[0].iconId, unsigned{IDR_MAINFRAME});
  EXPECT_EQ(fake.tray.calls[0].tip, "鳴刻 実行しなかった予約 2件 12月07日 07時20分から");
  EXPECT_EQ(fake.tray.calls[1].what, "balloon");
  EXPECT_EQ(fake.tray.calls[1].tip,
            "実行しなかった予約があります|予約時刻に実行できなかったため、2件の予約を実行しません"
            "でした。\n最初の予約時刻: 12月07日 07時20分");

  // Ten minutes to the second.
  for (const int late : {600, 601}) {
    FakeFrame frame;
    Daily(frame, 0, 7, 30);
    frame.clock.Set(2026, 12, 7, 7, 29, 0);
    frame.frame.CheckSchedule();
    frame.clock.Set(2026, 12, 7, 7, 30, 0);
    frame.clock.Advance(late);
    frame.frame.CheckSchedule();
    EXPECT_EQ(frame.shell.calls.size(), late <= 600 ? 1u : 0u) << late;
  }

  // Erasing itself, a daily reservation slept over for days is told once and never runs after.
  FakeFrame slept;
  Daily(slept, 0, 7, 30).Erace = 1;
  slept.clock.Set(2026, 12, 5, 7, 0, 0);
  slept.frame.CheckSchedule();
  slept.clock.Set(2026, 12, 7, 7, 35, 0);
  slept.frame.OnResume();
  EXPECT_TRUE(slept.shell.calls.empty());
  ASSERT_FALSE(slept.tray.calls.empty());
  EXPECT_EQ(slept.tray.calls[0].tip, "鳴刻 実行しなかった予約 1件 12月05日 07時30分から");

  // A repeat slept over rings once, at the latest of its times within ten minutes, and counts
  // once a day in the notice however many of its times it missed; a time of its own due now
  // rings instead.
  for (const int wokenAt : {37, 40}) {
    FakeFrame chime;
    Reservation& slot = Daily(chime, 0, 7, 0);
    slot.RepeatMinutes = 5;
    slot.RepeatUntil = 800;
    chime.clock.Set(2026, 12, 6, 23, 0, 0);
    chime.frame.CheckSchedule();
    chime.clock.Set(2026, 12, 7, 7, wokenAt, 0);
    chime.frame.OnResume();
    ASSERT_EQ(chime.shell.calls.size(), 1u) << wokenAt;
    ASSERT_FALSE(chime.tray.calls.empty());
    EXPECT_EQ(chime.tray.calls[0].tip, "鳴刻 実行しなかった予約 1件 12月07日 07時00分から");
    chime.clock.Set(2026, 12, 7, 7, 45, 0);
    chime.frame.CheckSchedule();
    EXPECT_EQ(chime.shell.calls.size(), 2u) << "on time again";
  }
}

TEST_F(ScheduleTest, ALateRunsBoxCountsAgainstTheNextLateOne) {
  Reservation& file = Daily(0, 7, 30);
  file.Action = ACTION_FILE;
  Daily(1, 7, 31);
  fake.shell.starts = false;
  fake.frame.SetNoError(0);
  fake.alerts.whileOpen = [&] {
    fake.clock.Advance(11 * 60);
    fake.frame.CheckSchedule();  // a tick while the box is open finds nothing
  };
  fake.clock.Set(2026, 12, 7, 7, 29, 0);
  fake.frame.CheckSchedule();
  fake.clock.Set(2026, 12, 7, 7, 33, 0);
  fake.frame.CheckSchedule();
  EXPECT_EQ(Fired(), 1u) << "only the file ran; the message was 13 minutes late after its box";
  ASSERT_FALSE(fake.tray.calls.empty());
  EXPECT_EQ(fake.tray.calls[0].tip, "鳴刻 実行しなかった予約 1件 12月07日 07時31分から");
}

// The clock read again after a late run's box: the reservation of the minute in which the late
// run began is as late as any other by then.
TEST_F(ScheduleTest, AfterALateRunsBoxTheCurrentMinutesReservationIsLateToo) {
  Reservation& file = Daily(0, 7, 30);
  file.Action = ACTION_FILE;
  Daily(1, 7, 31);
  fake.shell.starts = false;
  fake.frame.SetNoError(0);
  fake.alerts.whileOpen = [&] { fake.clock.Advance(30 * 60); };
  fake.clock.Set(2026, 12, 7, 7, 29, 0);
  fake.frame.CheckSchedule();
  fake.clock.Set(2026, 12, 7, 7, 31, 0);  // after a sleep: the file is late, the message due
  fake.frame.CheckSchedule();
  EXPECT_EQ(Fired(), 1u) << "the message would have run 30 minutes late";
  ASSERT_FALSE(fake.tray.calls.empty());
  EXPECT_EQ(fake.tray.calls[0].tip, "鳴刻 実行しなかった予約 1件 12月07日 07時31分から");
}

// A minute told as missed is not one that ran: when the clock comes back to it, it runs.
TEST_F(ScheduleTest, AMinuteOnlyToldAsMissedRunsWhenItComesForReal) {
  struct Row {
    const char* name;
    const char* zone;
    std::vector<long long> checks;  // in UTC; the last is when the reservation runs
  };
  const Row rows[] = {
      {"clock two hours ahead, corrected five minutes later",
       "",
       {UtcSeconds(2026, 12, 7, 8, 25, 0), UtcSeconds(2026, 12, 7, 10, 25, 0),
        UtcSeconds(2026, 12, 7, 10, 30, 0), UtcSeconds(2026, 12, 7, 8, 30, 0)}},
      {"date a day ahead, corrected at once",
       "",
       {UtcSeconds(2026, 12, 7, 7, 0, 0), UtcSeconds(2026, 12, 8, 7, 0, 0),
        UtcSeconds(2026, 12, 7, 8, 30, 0)}},
      // 02:30 comes twice; the PC slept over the first and woke at 02:45.
      {"central Europe, asleep over the first of two 02:30s",
       "CET-1CEST,M3.5.0,M10.5.0/3",
       {UtcSeconds(2026, 10, 25, 0, 20, 0), UtcSeconds(2026, 10, 25, 0, 45, 0),
        UtcSeconds(2026, 10, 25, 1, 30, 0)}},
  };
  for (const Row& row : rows) {
    FakeFrame frame;
    frame.clock.zone = row.zone;
    Daily(frame, 0, row.zone[0] == '\0' ? 8 : 2, 30);
    for (const long long check : row.checks) {
      frame.clock.Advance(check - frame.clock.Now());
      frame.frame.OnTimeChange();
      EXPECT_EQ(frame.shell.calls.size(), check == row.checks.back() ? 1u : 0u)
          << row.name << " at " << check;
    }
    EXPECT_EQ(frame.tray.calls.size(), 2u) << row.name << ": told once, in the tip and a balloon";
  }
}

// How late a reservation is depends on its minute and now, not on when the program started.
TEST_F(ScheduleTest, LateRunsGoOnAfterTheClockWasSetBackPastTheStart) {
  fake.clock.Set(2026, 12, 7, 10, 0, 0);
  ASSERT_EQ(fake.frame.OnCreate(), 0);
  Daily(0, 9, 31);
  fake.clock.Set(2026, 12, 7, 9, 0, 0);
  fake.frame.OnTimeChange();
  fake.clock.Set(2026, 12, 7, 9, 30, 30);
  fake.frame.CheckSchedule();
  {
    const UiBusy::Scope boxOpen(fake.busy);
    fake.clock.Set(2026, 12, 7, 9, 33, 0);
    fake.frame.CheckSchedule();
  }
  fake.frame.CheckSchedule();
  EXPECT_EQ(Fired(), 1u);
}

// The version box opened at once after the start, before the first tick: the reservations whose
// minutes passed behind it, the start's own included, run late all the same.
TEST_F(ScheduleTest, WhatFellDueBehindABoxOpenedBeforeTheFirstTickRunsLate) {
  fake.clock.Set(2026, 12, 7, 7, 29, 30);
  ASSERT_EQ(fake.frame.OnCreate(), 0);
  Daily(1, 7, 29);
  Reservation& once = Daily(0, 7, 30);
  once.Month = 12;
  once.Day = 7;
  once.Erace = 1;
  {
    const UiBusy::Scope versionBox(fake.busy, IDD_ABOUTBOX);
    RunFor(130);
  }
  fake.frame.CheckSchedule();
  EXPECT_EQ(Fired(), 2u);
  EXPECT_EQ(once.Month, SLOT_EMPTY);
}

// A reservation added or changed in the settings was not there at the minutes that passed while
// they were open; one left as it was runs late when they close.
TEST_F(ScheduleTest, OnlyReservationsLeftUnchangedInTheSettingsRunLateAtTheirOk) {
  std::strcpy(Daily(0, 7, 31).Message, "kept");
  std::strcpy(Daily(1, 7, 32).Message, "changed");
  fake.clock.Set(2026, 12, 7, 7, 28, 0);
  fake.frame.CheckSchedule();
  fake.dialogs.whileOpen = [&](int templateId, DialogHandler& handler, FakeDialog&) {
    if (templateId != IDD_SETTINGS) return;
    ReservationTable& table = static_cast<CSettingsDlg&>(handler).Table();
    std::strcpy(table[1].Message, "changed again");
    table[2] = table[0];
    table[2].Minute = 30;  // added
    fake.clock.Set(2026, 12, 7, 7, 38, 0);
  };
  fake.frame.OnCommand(ID_SETTINGS);
  fake.frame.CheckSchedule();
  ASSERT_EQ(Fired(), 1u);
  EXPECT_EQ(fake.shell.calls[0].parameters, "00,kept");
  EXPECT_TRUE(fake.tray.calls.empty()) << "nothing missed: the others were not there";
  fake.clock.Set(2026, 12, 8, 7, 30, 0);
  fake.frame.CheckSchedule();
  EXPECT_EQ(Fired(), 2u) << "the added one runs the next day";
}

// What fell due while the program was not running is told at the next start, never run, even
// a minute late; the record of the run before is used once.
TEST_F(ScheduleTest, WhatFellDueWhileTheProgramWasNotRunningIsToldAtTheStartNotRun) {
  const auto closedOverOneReservation = [](FakeFrame& closed) {
    closed.profile.readResult = ProfileStore::ReadResult::kOk;
    closed.profile.contents =
        "[OPTION]\r\nArrayStock=2\r\n"
        "[DATA0]\r\nMonth=0\r\nDay=0\r\nWeek=0\r\nHour=7\r\nMinute=30\r\nAction=3\r\n"
        "[DATA1]\r\nMonth=0\r\nDay=0\r\nWeek=0\r\nHour=7\r\nMinute=31\r\nAction=3\r\n";
    closed.runRecord.left = UtcSeconds(2026, 12, 7, 7, 20, 30);
    closed.clock.Set(2026, 12, 7, 7, 31, 20);
  };
  closedOverOneReservation(fake);
  ASSERT_EQ(fake.frame.OnCreate(), 0);
  EXPECT_FALSE(fake.runRecord.left);
  ASSERT_EQ(fake.tray.calls.size(), 3u);
  EXPECT_EQ(fake.tray.calls[1].tip, "鳴刻 実行しなかった予約 1件 12月07日 07時30分から");
  EXPECT_EQ(fake.tray.calls[2].what, "balloon");
  RunFor(1);
  EXPECT_EQ(Fired(), 1u) << "only the reservation of the start's own minute runs";
  EXPECT_EQ(fake.tray.calls.size(), 3u);

  fake.frame.OnClose();
  EXPECT_EQ(fake.runRecord.left, fake.clock.Now()) << "the last check, for the next start";

  // Started at a sign-in whose shell does not take the icon yet: the balloon waits for it.
  FakeFrame early;
  closedOverOneReservation(early);
  early.tray.failedAdds = 1;
  ASSERT_EQ(early.frame.OnCreate(), 0);
  EXPECT_NE(early.tray.calls.back().what, "balloon");
  early.frame.OnTimer(kTrayAddTimer);
  ASSERT_GE(early.tray.calls.size(), 2u);
  EXPECT_EQ(early.tray.calls[early.tray.calls.size() - 2].what, "add");
  EXPECT_EQ(early.tray.calls.back().what, "balloon");
}

// The record of the run before: one that no run could have written tells nothing; after months
// closed the first missed time is exact and the count says it is a least.
TEST_F(ScheduleTest, TheRecordOfTheRunBeforeTellsOnlyWhatItCan) {
  const long long now = UtcSeconds(2026, 12, 7, 7, 31, 20);
  const struct {
    long long record;
    const char* tip;  // nothing told: none
  } rows[] = {
      {-1, nullptr},
      {LLONG_MIN, nullptr},
      {now + 60, nullptr},
      {LLONG_MAX, nullptr},
      {now - 90 * 86400LL - 650, "鳴刻 実行しなかった予約 63件以上 09月08日 07時30分から"},
  };
  for (const auto& row : rows) {
    FakeFrame frame;
    frame.profile.readResult = ProfileStore::ReadResult::kOk;
    frame.profile.contents =
        "[OPTION]\r\nArrayStock=2\r\n"
        "[DATA0]\r\nMonth=0\r\nHour=7\r\nMinute=30\r\nAction=3\r\n"
        "[DATA1]\r\nMonth=0\r\nHour=7\r\nMinute=31\r\nAction=3\r\n";
    frame.runRecord.left = row.record;
    frame.clock.Advance(now);
    ASSERT_EQ(frame.frame.OnCreate(), 0);
    frame.frame.CheckSchedule();
    EXPECT_EQ(frame.shell.calls.size(), 1u) << row.record << ": the start's own minute runs";
    if (row.tip == nullptr) {
      EXPECT_EQ(frame.tray.calls.size(), 1u) << row.record << ": the icon, nothing told";
    } else {
      ASSERT_EQ(frame.tray.calls.size(), 3u) << row.record;
      EXPECT_EQ(frame.tray.calls[1].tip, row.tip);
    }
  }
}

TEST_F(ScheduleTest, AResumeAndAClockChangeCheckAtOnceAndReplayNothing) {
  Daily(0, 7, 30);
  Daily(1, 8, 0);
  fake.clock.Set(2026, 12, 7, 7, 29, 0);
  fake.frame.CheckSchedule();
  fake.clock.Set(2026, 12, 7, 7, 33, 0);
  fake.frame.OnResume();
  EXPECT_EQ(Fired(), 1u);
  fake.clock.Set(2026, 12, 7, 7, 29, 30);  // set back
  fake.frame.OnTimeChange();
  RunFor(120);
  EXPECT_EQ(Fired(), 1u);
  fake.clock.Set(2026, 12, 7, 8, 4, 0);  // set forward
  fake.frame.OnTimeChange();
  EXPECT_EQ(Fired(), 2u);
  EXPECT_TRUE(fake.tray.calls.empty()) << "nothing was missed";
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

class TimerReservationTest : public ScheduleTest {
 protected:
  TimerReservationTest() {
    fake.dialogs.whileOpen = [&](int templateId, DialogHandler& handler, FakeDialog& controls) {
      if (templateId == IDD_SETTINGS) {
        if (editSettings) editSettings(static_cast<CSettingsDlg&>(handler).Table());
        return;
      }
      controls.texts[IDC_TIMER_MINUTES] = typedMinutes;
      controls.texts[IDC_TIMER_MESSAGE] = typedMessage;
      if (cancelled) handler.OnCancel();
    };
  }
  // The timer set through the menu's command, as the user types it in the dialog.
  void SetTimer(const std::string& minutes, const std::string& message = "お茶") {
    typedMinutes = minutes;
    typedMessage = message;
    EXPECT_TRUE(fake.frame.OnCommand(ID_TIMER_RESERVATION));
  }
  // The icon's tip as last shown; balloons aside.
  std::string Tip() const {
    for (auto call = fake.tray.calls.rbegin(); call != fake.tray.calls.rend(); ++call) {
      if (call->what != "balloon") return call->tip;
    }
    return "鳴刻";
  }

  std::function<void(ReservationTable&)> editSettings;
  std::string typedMinutes;
  std::string typedMessage;
  bool cancelled = false;
};

// At the minute nearest the time typed, halves up, as the quick reservation: never more than
// half a minute early or late.
TEST_F(TimerReservationTest, WritesAOneOffMessageAtTheNearestMinuteAcrossMidnightAndTheYear) {
  const struct {
    int day, hour, minute, second;
    const char* typed;
    int dueMonth, dueDay, dueHour, dueMinute;
  } rows[] = {
      {7, 10, 0, 0, "25", 12, 7, 10, 25},  {7, 10, 0, 29, "25", 12, 7, 10, 25},
      {7, 10, 0, 30, "25", 12, 7, 10, 26}, {7, 10, 0, 59, "1", 12, 7, 10, 2},
      {7, 23, 59, 40, "1", 12, 8, 0, 1},   {31, 23, 59, 10, "1", 1, 1, 0, 0},
      {31, 9, 15, 0, "1440", 1, 1, 9, 15},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.day) + " " + std::to_string(row.hour) + ":" +
                 std::to_string(row.minute) + ":" + std::to_string(row.second) + " + " + row.typed);
    FakeFrame each;
    each.dialogs.whileOpen = fake.dialogs.whileOpen;
    each.clock.Set(2026, 12, row.day, row.hour, row.minute, row.second);
    typedMinutes = row.typed;
    typedMessage = "お茶";
    each.frame.OnTimerReservation();
    const Reservation& slot = each.frame.Table()[31];
    EXPECT_EQ((std::vector<int>{slot.Month, slot.Day, slot.Week, slot.Hour, slot.Minute}),
              (std::vector<int>{row.dueMonth, row.dueDay, 0, row.dueHour, row.dueMinute}));
  }

  // The rest of the record is the quick reservation's.
  fake.clock.Set(2026, 12, 7, 10, 0, 0);
  SetTimer("25");
  const Reservation& slot = fake.frame.Table()[31];
  EXPECT_EQ(slot.Action, ACTION_MESSAGE);
  EXPECT_EQ(slot.Erace, 1);
  EXPECT_STREQ(slot.Message, "お茶");
  EXPECT_EQ(fake.alerts.beeps, 1);
  EXPECT_EQ(fake.frame.Table()[30].Month, SLOT_EMPTY);

  RunFor(25 * 60 + 59);
  ASSERT_EQ(Fired(), 1u);
  EXPECT_EQ(fake.shell.calls[0].parameters, "00,お茶");
  EXPECT_EQ(slot.Month, SLOT_EMPTY);
}

// The icon tells when the next timer goes off for as long as its reservation waits in the
// table: until it has gone off, or the settings deleted or changed it.
TEST_F(TimerReservationTest, TheTipTellsWhenTheNextTimerGoesOffUntilItHas) {
  fake.clock.Set(2026, 12, 7, 10, 0, 0);
  SetTimer("30");
  EXPECT_EQ(Tip(), "鳴刻 タイマー 10時30分");
  SetTimer("5");
  EXPECT_EQ(Tip(), "鳴刻 タイマー 10時05分") << "the sooner one";
  const size_t modifies = fake.tray.calls.size();
  RunFor(4 * 60);
  EXPECT_EQ(fake.tray.calls.size(), modifies) << "no change, no call";
  RunFor(62);
  EXPECT_EQ(Fired(), 1u);
  EXPECT_EQ(Tip(), "鳴刻 タイマー 10時30分") << "the first one goes on";

  // The settings hand the table back packed: the timer, unchanged, stands in slot 0 now.
  fake.frame.OnCommand(ID_SETTINGS);
  EXPECT_EQ(Tip(), "鳴刻 タイマー 10時30分");
  editSettings = [](ReservationTable& table) { std::strcpy(table[0].Message, "changed"); };
  fake.frame.OnCommand(ID_SETTINGS);
  EXPECT_EQ(Tip(), "鳴刻");
  EXPECT_EQ(fake.tray.calls.back().iconId, unsigned{IDR_MAINFRAME});

  // Cancelled, a timer sets nothing, and the tip stays.
  cancelled = true;
  SetTimer("10");
  EXPECT_EQ(fake.frame.Table()[31].Month, SLOT_EMPTY);
  EXPECT_EQ(fake.alerts.beeps, 2);
  EXPECT_EQ(Tip(), "鳴刻");
}

// A playing CD's tip says how to stop it, and a snooze's when the CD plays again; the timer's
// comes back after them, and goes before that of the reservations missed.
TEST_F(TimerReservationTest, TheTimersTipYieldsToAPlayAndASnoozeAndGoesBeforeTheMissed) {
  Reservation& missed = Daily(0, 9, 55);
  fake.clock.Set(2026, 12, 7, 9, 40, 0);
  fake.frame.CheckSchedule();
  fake.clock.Set(2026, 12, 7, 10, 10, 0);
  fake.frame.CheckSchedule();
  EXPECT_EQ(Tip(), "鳴刻 実行しなかった予約 1件 12月07日 09時55分から");
  SetTimer("20");
  EXPECT_EQ(Tip(), "鳴刻 タイマー 10時30分");

  missed.Action = ACTION_CD;
  missed.Drive = 5;
  fake.drives.cdRoms.insert('E');
  fake.mci.Disc('E', 3);
  ASSERT_EQ(fake.frame.RunReservation(0), 1);
  EXPECT_EQ(Tip(), "CD再生中です クリックで停止します");
  fake.frame.OnTrayNotify(FrameHandler::TrayEvent::kLeftDown);
  EXPECT_EQ(Tip(), "鳴刻 タイマー 10時30分");
  EXPECT_TRUE(fake.frame.OnCommand(ID_SNOOZE));
  EXPECT_EQ(Tip(), "鳴刻 スヌーズ 10時15分");
  EXPECT_TRUE(fake.frame.OnCommand(ID_CANCEL_SNOOZE));
  EXPECT_EQ(Tip(), "鳴刻 タイマー 10時30分");
  fake.clock.Set(2026, 12, 7, 10, 30, 0);
  fake.frame.CheckSchedule();
  EXPECT_EQ(Tip(), "鳴刻 実行しなかった予約 1件 12月07日 09時55分から")
      << "gone off, the timer leaves the tip to the missed, which wait for a click of their own";
}

// Not while the table is full, as the quick reservation, nor while a dialog is open: a command
// posted from outside opens no dialog then.
TEST_F(TimerReservationTest, NoDialogWhileTheTableIsFullOrAnotherDialogIsOpen) {
  FakeFrame full(1);
  full.frame.Table()[0].Month = 0;
  EXPECT_TRUE(full.frame.OnCommand(ID_TIMER_RESERVATION));
  EXPECT_TRUE(full.dialogs.runs.empty());
  EXPECT_EQ(full.alerts.beeps, 0);

  editSettings = [&](ReservationTable&) { fake.frame.OnCommand(ID_TIMER_RESERVATION); };
  fake.frame.OnCommand(ID_SETTINGS);
  ASSERT_EQ(fake.dialogs.runs.size(), 1u);
  EXPECT_EQ(fake.dialogs.runs[0].templateId, IDD_SETTINGS);
}

}  // namespace
