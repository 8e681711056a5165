#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "fakes/frame_fixture.h"
#include "fakes/utc_time.h"
#include "resource.h"

namespace {

using TrayEvent = FrameHandler::TrayEvent;
using Tray = PopupMenu::Tray;

class MainFrameTest : public ::testing::Test {
 protected:
  void Play() { Play(fake); }
  static void Play(FakeFrame& fake) {
    Reservation& slot = fake.frame.Table()[0];
    slot.Month = 0;
    slot.Action = ACTION_CD;
    slot.Drive = 5;
    fake.drives.cdRoms.insert('E');
    fake.mci.Disc('E', 3);
    ASSERT_EQ(fake.frame.RunReservation(0), 1);
  }

  FakeFrame fake;
};

TEST_F(MainFrameTest, CreationAddsTheIconLoadsTheProfileAndStartsBothTimers) {
  fake.profile.readResult = ProfileStore::ReadResult::kOk;
  fake.profile.contents = "[OPTION]\r\nArrayStock=3\r\nNoError=0\r\n[DATA1]\r\nMonth=4\r\n";
  EXPECT_EQ(fake.frame.OnCreate(), 0);
  ASSERT_EQ(fake.tray.calls.size(), 1u);
  EXPECT_EQ(fake.tray.calls[0].what, "add");
  EXPECT_EQ(fake.tray.calls[0].iconId, unsigned{IDR_MAINFRAME});
  EXPECT_EQ(fake.tray.calls[0].tip, "鳴刻");
  EXPECT_EQ(fake.frame.Table().Size(), 3);
  EXPECT_EQ(fake.frame.Table()[1].Month, 4);
  EXPECT_EQ(fake.frame.NoError(), 0);
  EXPECT_FALSE(fake.busy.IsBusy());
  EXPECT_EQ(fake.timers.running, (std::map<unsigned, unsigned>{{1, 200}, {2, 1000}}));
  EXPECT_EQ(fake.power.system, std::vector<bool>{true}) << "kept awake with waking off";
  // No tick may run before the table is loaded.
  EXPECT_EQ(fake.events, (EventLog{"tray add", "profile read", "timer start 1", "timer start 2"}));
}

// The events of a start: the icon added, then `reads` reads of the profile, then `rest`.
EventLog StartEvents(int reads, const EventLog& rest) {
  EventLog events{"tray add"};
  events.insert(events.end(), static_cast<std::size_t>(reads), "profile read");
  events.insert(events.end(), rest.begin(), rest.end());
  return events;
}

TEST_F(MainFrameTest, AProfileHeldByAnotherProgramIsWaitedForAWhile) {
  fake.profile.readResult = ProfileStore::ReadResult::kOk;
  fake.profile.contents = "[OPTION]\r\nArrayStock=3\r\n";
  fake.profile.failedReads = 99;
  EXPECT_EQ(fake.frame.OnCreate(), 0);
  EXPECT_EQ(fake.events, StartEvents(100, {"timer start 1", "timer start 2"}));
  EXPECT_EQ(fake.clock.sleeps, std::vector<unsigned>(99, 100));
  EXPECT_EQ(fake.frame.Table().Size(), 3);
  EXPECT_TRUE(fake.alerts.boxes.empty());
}

TEST_F(MainFrameTest, AProfileThatStaysUnreadableEndsTheStartWithoutWritingIt) {
  fake.frame.SetNoError(1);
  fake.profile.failedReads = 100;
  bool busyMeanwhile = false;
  fake.alerts.whileOpen = [&] {
    busyMeanwhile = fake.busy.IsBusy();
    fake.frame.OnTrayNotify(TrayEvent::kLeftDown);
  };
  EXPECT_EQ(fake.frame.OnCreate(), -1);  // キャンセル
  EXPECT_EQ(fake.events, StartEvents(100, {"tray delete"}));
  EXPECT_EQ(fake.clock.sleeps, std::vector<unsigned>(99, 100));
  ASSERT_EQ(fake.alerts.boxes.size(), 1u) << "shown whatever NoError says";
  EXPECT_EQ(fake.alerts.boxes[0].text,
            "設定ファイルを読み込めませんでした。\nC:\\Tools\\chimeday.ini");
  EXPECT_EQ(fake.alerts.boxes[0].caption, "鳴刻エラー");
  EXPECT_TRUE(fake.alerts.boxes[0].retryCancel);
  EXPECT_TRUE(busyMeanwhile);
  EXPECT_FALSE(fake.busy.IsBusy());
  EXPECT_TRUE(fake.menu.tracked.empty());
  EXPECT_TRUE(fake.timers.running.empty());

  fake.frame.OnClose();  // whatever closes the window next
  EXPECT_EQ(fake.profile.writes, 0);
}

TEST_F(MainFrameTest, RetryReadsTheProfileAgainUntilItLoads) {
  fake.profile.readResult = ProfileStore::ReadResult::kOk;
  fake.profile.contents = "[OPTION]\r\nArrayStock=3\r\nNoError=0\r\n";
  // The start's reads, a second's reads after the first 再試行, one more after the second.
  fake.profile.failedReads = 111;
  fake.alerts.retries = {true, true};
  std::vector<bool> iconMeanwhile;
  fake.alerts.whileOpen = [&] {
    iconMeanwhile.push_back(fake.tray.calls.back().what != "delete");
    fake.frame.OnTrayNotify(TrayEvent::kLeftDown);
  };
  EXPECT_EQ(fake.frame.OnCreate(), 0);
  EventLog expected = StartEvents(100, {"tray delete"});
  expected.insert(expected.end(), 12, "profile read");
  expected.insert(expected.end(), {"tray add", "timer start 1", "timer start 2"});
  EXPECT_EQ(fake.events, expected);
  EXPECT_EQ(fake.clock.sleeps, std::vector<unsigned>(99 + 9 + 1, 100));
  ASSERT_EQ(fake.alerts.boxes.size(), 2u);
  EXPECT_TRUE(fake.alerts.boxes[1].retryCancel);
  EXPECT_EQ(fake.alerts.boxes[1].text, fake.alerts.boxes[0].text);
  EXPECT_EQ(iconMeanwhile, (std::vector<bool>{false, false}));
  EXPECT_TRUE(fake.menu.tracked.empty());
  EXPECT_FALSE(fake.busy.IsBusy());
  EXPECT_EQ(fake.tray.calls.back().iconId, unsigned{IDR_MAINFRAME});
  EXPECT_EQ(fake.tray.calls.back().tip, "鳴刻");
  EXPECT_EQ(fake.frame.Table().Size(), 3);
  EXPECT_EQ(fake.frame.NoError(), 0);
  EXPECT_EQ(fake.power.system, std::vector<bool>{true});
  fake.frame.OnClose();
  EXPECT_EQ(fake.profile.writes, 1);
}

TEST_F(MainFrameTest, ButtonPressesOpenTheMenuThatFitsTheTable) {
  fake.frame.OnTrayNotify(TrayEvent::kOther);  // a release, a move, the middle button
  EXPECT_TRUE(fake.menu.tracked.empty());
  fake.frame.OnTrayNotify(TrayEvent::kLeftDown);
  fake.frame.OnTrayNotify(TrayEvent::kRightDown);
  EXPECT_EQ(fake.menu.tracked, (std::vector<Tray>{Tray::kSlotFree, Tray::kSlotFree}));

  FakeFrame full(2);
  full.frame.Table()[0].Month = 0;
  full.frame.Table()[1].Month = 5;
  full.frame.OnTrayNotify(TrayEvent::kLeftDown);
  FakeFrame none(0);
  none.frame.OnTrayNotify(TrayEvent::kRightDown);
  EXPECT_EQ(full.menu.tracked, std::vector<Tray>{Tray::kTableFull});
  EXPECT_EQ(none.menu.tracked, std::vector<Tray>{Tray::kTableFull});
}

// The keyboard opens the menu as a click does; the shell's menu event that ends a right click
// opens no second menu, and one left without it swallows no key.
TEST_F(MainFrameTest, KeysOpenTheMenuOnceAndAClickOpensItOnce) {
  using Events = std::vector<TrayEvent>;
  const struct {
    const char* what;
    Events events;
    std::size_t menus;
  } cases[] = {
      {"Enter or Space", {TrayEvent::kKeySelect}, 1},
      {"the menu key", {TrayEvent::kContextMenu}, 1},
      {"a right click",
       {TrayEvent::kRightDown, TrayEvent::kOther, TrayEvent::kRightUp, TrayEvent::kContextMenu},
       1},
      {"two right clicks",
       {TrayEvent::kRightDown, TrayEvent::kRightUp, TrayEvent::kContextMenu, TrayEvent::kRightDown,
        TrayEvent::kRightUp, TrayEvent::kContextMenu},
       2},
      {"a right click, then the menu key",
       {TrayEvent::kRightDown, TrayEvent::kRightUp, TrayEvent::kContextMenu,
        TrayEvent::kContextMenu},
       2},
      {"a release without its menu event, then a key and the menu key",
       {TrayEvent::kRightDown, TrayEvent::kRightUp, TrayEvent::kKeySelect, TrayEvent::kContextMenu},
       3},
      {"a release without its menu event, then a left click and the menu key",
       {TrayEvent::kRightUp, TrayEvent::kLeftDown, TrayEvent::kContextMenu},
       2},
  };
  for (const auto& c : cases) {
    FakeFrame frame;
    for (const TrayEvent event : c.events) frame.frame.OnTrayNotify(event);
    EXPECT_EQ(frame.menu.tracked.size(), c.menus) << c.what;
  }
}

// Windows sends NIN_KEYSELECT twice for one Enter; the second comes while the menu is open,
// where the keyboard cannot be on the icon. A click there still acts as it always did.
TEST_F(MainFrameTest, AKeyWhileTheMenuIsOpenOpensNoSecondMenu) {
  std::vector<TrayEvent> whileOpen{TrayEvent::kKeySelect, TrayEvent::kContextMenu};
  fake.menu.whileOpen = [&] {
    if (whileOpen.empty()) return;
    const TrayEvent event = whileOpen.back();
    whileOpen.pop_back();
    fake.frame.OnTrayNotify(event);
  };
  fake.frame.OnTrayNotify(TrayEvent::kKeySelect);
  EXPECT_EQ(fake.menu.tracked.size(), 1u);
  fake.frame.OnTrayNotify(TrayEvent::kKeySelect);
  EXPECT_EQ(fake.menu.tracked.size(), 2u) << "the next Enter, once the menu has closed";

  whileOpen = {TrayEvent::kLeftDown};
  fake.frame.OnTrayNotify(TrayEvent::kRightDown);
  EXPECT_EQ(fake.menu.tracked.size(), 4u);
}

TEST_F(MainFrameTest, AClickStopsThePlayingCdAndStillOpensTheMenu) {
  Play();
  fake.mci.sent.clear();
  fake.frame.OnTrayNotify(TrayEvent::kLeftDown);
  EXPECT_EQ(fake.mci.sent, (std::vector<std::string>{"stop E:", "close E:"}));
  EXPECT_EQ(fake.tray.calls.back().iconId, unsigned{IDR_MAINFRAME});
  EXPECT_EQ(fake.menu.tracked, std::vector<Tray>{Tray::kSlotFree});
  // Stopped: a second click sends nothing to the device.
  fake.mci.sent.clear();
  fake.frame.OnTrayNotify(TrayEvent::kLeftDown);
  EXPECT_TRUE(fake.mci.sent.empty());

  // Enter or Space on the icon stops it as the click does.
  Play();
  fake.mci.sent.clear();
  fake.frame.OnTrayNotify(TrayEvent::kKeySelect);
  EXPECT_EQ(fake.mci.sent, (std::vector<std::string>{"stop E:", "close E:"}));
}

// One plays at a time: a CD stops the sound and a sound the CD once its own device is open, and
// a click stops either. A countdown the CD left after a click must not stop it again while a
// sound plays.
TEST_F(MainFrameTest, CdAndSoundStopEachOtherAndAClickStopsEither) {
  using Strings = std::vector<std::string>;
  Play();
  Reservation& cd = fake.frame.Table()[0];
  cd.Time = 1;
  ASSERT_EQ(fake.frame.RunReservation(0), 1);
  fake.frame.OnTrayNotify(TrayEvent::kLeftDown);
  Reservation& sound = fake.frame.Table()[1];
  sound.Month = 0;
  sound.Action = ACTION_SOUND;
  std::strcpy(sound.FileName, "C:\\a.mid");
  fake.mci.sent.clear();
  ASSERT_EQ(fake.frame.RunReservation(1), 1);
  for (int tick = 0; tick < 100; ++tick) fake.frame.OnTimer(kCdCountdownTimer);
  EXPECT_EQ(fake.mci.sent, (Strings{"open \"C:\\a.mid\" type sequencer alias chimeday",
                                    "play chimeday from 0 notify"}));
  EXPECT_EQ(fake.tray.calls.back().iconId, unsigned{IDI_CD_PLAYING});

  // The notification reaches the player that plays.
  const unsigned soundDevice = fake.mci.ids.at("chimeday");
  fake.mci.sent.clear();
  fake.frame.OnMciNotify(true, soundDevice);
  EXPECT_EQ(fake.mci.sent, Strings{"play chimeday from 0 notify"});

  fake.mci.sent.clear();
  ASSERT_EQ(fake.frame.RunReservation(0), 1);
  ASSERT_GE(fake.mci.sent.size(), 5u);
  EXPECT_EQ(
      Strings(fake.mci.sent.begin(), fake.mci.sent.begin() + 5),
      (Strings{"stop E:", "close E:", "open E: type CDAudio", "stop chimeday", "close chimeday"}));
  // The sound had ended just before its stop: its notification restarts nothing.
  fake.mci.sent.clear();
  fake.frame.OnMciNotify(true, soundDevice);
  EXPECT_TRUE(fake.mci.sent.empty());
  ASSERT_EQ(fake.frame.RunReservation(1), 1);
  EXPECT_EQ(Strings(fake.mci.sent.begin(), fake.mci.sent.begin() + 3),
            (Strings{"open \"C:\\a.mid\" type sequencer alias chimeday", "stop E:", "close E:"}));

  fake.mci.sent.clear();
  fake.frame.OnTrayNotify(TrayEvent::kLeftDown);
  EXPECT_EQ(fake.mci.sent, (Strings{"stop chimeday", "close chimeday"}));
  EXPECT_EQ(fake.tray.calls.back().iconId, unsigned{IDR_MAINFRAME});
  EXPECT_EQ(fake.menu.tracked.size(), 2u) << "each click still opens the menu";

  // Closing stops a sound as it stops a CD.
  ASSERT_EQ(fake.frame.RunReservation(1), 1);
  fake.mci.sent.clear();
  fake.frame.OnClose();
  EXPECT_EQ(fake.mci.sent, (Strings{"stop chimeday", "close chimeday"}));
}

// The menu of a click that stopped a play offers to play the slot again; the tip tells when,
// and the slot plays as it is then, through the path of a reservation.
TEST_F(MainFrameTest, ASnoozePlaysTheStoppedSlotAgainAfterItsMinutes) {
  using Strings = std::vector<std::string>;
  fake.profile.readResult = ProfileStore::ReadResult::kOk;
  fake.profile.contents = "[OPTION]\r\nArrayStock=4\r\nSnoozeMinutes=1\r\n";
  ASSERT_EQ(fake.frame.OnCreate(), 0);
  fake.clock.Set(2026, 12, 7, 7, 59, 10);
  fake.frame.CheckSchedule();
  fake.frame.OnTrayNotify(TrayEvent::kLeftDown);  // nothing plays: nothing to snooze
  Play();
  fake.frame.OnTrayNotify(TrayEvent::kRightDown);
  EXPECT_EQ(fake.menu.firstItems, (Strings{"", "32780 スヌーズ（1分後にもう一度）(&Z)"}));
  EXPECT_TRUE(fake.frame.OnCommand(ID_SNOOZE));
  EXPECT_EQ(fake.tray.calls.back().tip, "鳴刻 スヌーズ 08時00分");
  fake.frame.OnTaskbarCreated();
  EXPECT_EQ(fake.tray.calls.back().tip, "鳴刻 スヌーズ 08時00分");

  fake.mci.sent.clear();
  fake.clock.Advance(59);
  fake.frame.CheckSchedule();
  EXPECT_TRUE(fake.mci.sent.empty()) << "a second early";
  // As the slot is when the snooze comes.
  fake.drives.cdRoms.insert('F');
  fake.mci.Disc('F', 3);
  fake.frame.Table()[0].Drive = 6;
  fake.clock.Advance(1);
  fake.frame.CheckSchedule();
  ASSERT_GE(fake.mci.sent.size(), 1u);
  EXPECT_EQ(fake.mci.sent.back(), "play F: from 150000 to 210000 notify");
  EXPECT_EQ(fake.tray.calls.back().tip, "CD再生中です クリックで停止します");
  fake.mci.sent.clear();
  fake.clock.Advance(120);
  fake.frame.CheckSchedule();
  EXPECT_TRUE(fake.mci.sent.empty()) << "once";

  // The snoozed play can be snoozed again; a click while it waits offers to cancel it.
  fake.frame.OnTrayNotify(TrayEvent::kLeftDown);
  fake.frame.OnCommand(ID_SNOOZE);
  fake.frame.OnTrayNotify(TrayEvent::kLeftDown);
  EXPECT_EQ(fake.menu.firstItems.back(), "32781 スヌーズを取り消す(&Z)");
  EXPECT_TRUE(fake.frame.OnCommand(ID_CANCEL_SNOOZE));
  EXPECT_EQ(fake.tray.calls.back().tip, "鳴刻");
  fake.frame.OnTrayNotify(TrayEvent::kLeftDown);
  EXPECT_EQ(fake.menu.firstItems.back(), "");
  fake.mci.sent.clear();
  fake.clock.Advance(120);
  fake.frame.CheckSchedule();
  EXPECT_TRUE(fake.mci.sent.empty()) << "cancelled";
}

// The settings (opened, whatever their end), another play, a slot emptied meanwhile, a sleep
// past its time by more than a late reservation may be and the exit each end a snooze; a
// reservation due in the snooze's minute plays instead of it.
TEST_F(MainFrameTest, ASnoozeEndsWhenAnythingElseMayChangeOrPlay) {
  enum class Ending {
    kSettings,
    kOtherPlay,
    kSameMinute,
    kEmptied,
    kErasedBeforeTheClick,
    kSleptPast
  };
  for (const Ending ending :
       {Ending::kSettings, Ending::kOtherPlay, Ending::kSameMinute, Ending::kEmptied,
        Ending::kErasedBeforeTheClick, Ending::kSleptPast}) {
    SCOPED_TRACE(static_cast<int>(ending));
    FakeFrame fake;
    fake.clock.Set(2026, 12, 7, 6, 59, 30);
    fake.frame.CheckSchedule();
    Play(fake);
    Reservation& sound = fake.frame.Table()[1];
    sound.Month = 0;
    sound.Hour = 7;
    sound.Minute = ending == Ending::kSameMinute ? 4 : 30;
    sound.Action = ACTION_SOUND;
    std::strcpy(sound.FileName, "C:\\a.wav");
    if (ending == Ending::kErasedBeforeTheClick) fake.frame.Table()[0].Month = SLOT_EMPTY;
    fake.frame.OnTrayNotify(TrayEvent::kLeftDown);
    fake.frame.OnCommand(ID_SNOOZE);
    if (ending == Ending::kErasedBeforeTheClick) {
      EXPECT_EQ(fake.menu.firstItems.back(), "") << "nothing left to play again";
    } else {
      EXPECT_EQ(fake.tray.calls.back().tip, "鳴刻 スヌーズ 07時04分");
    }
    switch (ending) {
      case Ending::kSettings:
        fake.frame.OnSettings();
        break;
      case Ending::kOtherPlay:
        ASSERT_EQ(fake.frame.RunReservation(1), 1);
        fake.frame.OnTrayNotify(TrayEvent::kLeftDown);
        break;
      case Ending::kEmptied:
        fake.frame.Table()[0].Month = SLOT_EMPTY;
        break;
      case Ending::kSleptPast:
        // Due at 07:04:30; the first look after the sleep is a second beyond ten minutes late.
        fake.clock.Advance(5 * 60 + 601);
        fake.frame.OnResume();
        break;
      default:
        break;
    }
    if (ending == Ending::kSettings || ending == Ending::kOtherPlay ||
        ending == Ending::kSleptPast) {
      EXPECT_EQ(fake.tray.calls.back().tip, "鳴刻");
    }
    fake.mci.sent.clear();
    for (int second = 0; second < 6 * 60; ++second) {
      fake.clock.Advance(1);
      fake.frame.CheckSchedule();
    }
    const bool soundPlays = ending == Ending::kSameMinute;
    const std::vector<std::string> soundStart = {"open \"C:\\a.wav\" type waveaudio alias chimeday",
                                                 "play chimeday from 0 notify"};
    EXPECT_EQ(fake.mci.sent, soundPlays ? soundStart : std::vector<std::string>{});
    EXPECT_EQ(fake.tray.calls.back().tip,
              soundPlays ? "サウンド再生中です クリックで停止します" : "鳴刻");
  }
}

// The balloon comes at once; the tip waits while a CD plays, as its own tip says how to stop it.
TEST_F(MainFrameTest, MissedReservationsStayInTheTipUntilAClickThatStopsNoCd) {
  Play();
  fake.frame.Table()[0].Hour = 23;
  Reservation& missed = fake.frame.Table()[1];
  missed.Month = 0;
  missed.Hour = 7;
  missed.Minute = 20;
  missed.Action = ACTION_MESSAGE;
  fake.clock.Set(2026, 12, 7, 7, 0, 0);
  fake.frame.CheckSchedule();
  fake.clock.Set(2026, 12, 7, 7, 45, 0);
  fake.tray.calls.clear();
  fake.frame.CheckSchedule();
  ASSERT_EQ(fake.tray.calls.size(), 1u);
  EXPECT_EQ(fake.tray.calls[0].what, "balloon");

  const std::string tip = "鳴刻 実行しなかった予約 1件 12月07日 07時20分から";
  fake.frame.OnTrayNotify(TrayEvent::kLeftDown);  // stops the CD
  ASSERT_EQ(fake.tray.calls.size(), 2u);
  EXPECT_EQ(fake.tray.calls[1].iconId, unsigned{IDR_MAINFRAME});
  EXPECT_EQ(fake.tray.calls[1].tip, tip);
  fake.frame.OnTaskbarCreated();
  EXPECT_EQ(fake.tray.calls.back().tip, tip);
  fake.frame.OnTrayNotify(TrayEvent::kRightDown);
  EXPECT_EQ(fake.tray.calls.back().what, "modify");
  EXPECT_EQ(fake.tray.calls.back().tip, "鳴刻");
  const size_t calls = fake.tray.calls.size();
  fake.frame.OnTrayNotify(TrayEvent::kLeftDown);
  EXPECT_EQ(fake.tray.calls.size(), calls);
  EXPECT_EQ(fake.menu.tracked.size(), 3u) << "every click still opens the menu";
}

TEST_F(MainFrameTest, WhileBusyAClickBringsTheOpenDialogForward) {
  DialogHandler window;
  fake.dialogs.whileOpen = [&](int templateId, DialogHandler&, FakeDialog&) {
    fake.frame.OnTrayNotify(templateId == IDD_ABOUTBOX ? TrayEvent::kLeftDown
                                                       : TrayEvent::kRightDown);
  };
  fake.busyDialogs.RunModal(IDD_ABOUTBOX, window);
  fake.busyDialogs.RunModal(IDD_SETTINGS, window);
  EXPECT_EQ(fake.foreground.brought, (std::vector<WindowHandle>{fake.dialogs.dialogs[0].Handle(),
                                                                fake.dialogs.dialogs[1].Handle()}));

  // Only an error box: nothing to bring forward, no menu either.
  fake.alerts.whileOpen = [&] { fake.frame.OnTrayNotify(TrayEvent::kLeftDown); };
  fake.busyAlerts.ShowWarning("box", "caption");
  EXPECT_EQ(fake.foreground.brought.size(), 2u);
  EXPECT_TRUE(fake.menu.tracked.empty());
}

TEST_F(MainFrameTest, ClosingStopsEverythingAndSavesBeforeTheIconGoes) {
  fake.frame.OnCreate();
  Play();
  fake.events.clear();
  fake.frame.OnClose();
  EXPECT_EQ(fake.timers.running.size(), 0u);
  EXPECT_EQ(fake.events, (EventLog{"timer stop 1", "timer stop 2", "mci stop E:", "mci close E:",
                                   "tray modify", "profile read", "profile write", "tray delete"}));
  EXPECT_NE(fake.profile.contents.find("[DATA0]\r\nMonth=0\r\n"), std::string::npos);
}

TEST_F(MainFrameTest, TheSessionEndSavesAndACancelledEndComesBack) {
  fake.frame.OnCreate();
  fake.frame.OnTimer(kScheduleTimer);
  EXPECT_TRUE(fake.frame.OnQueryEndSession());
  EXPECT_EQ(fake.profile.writes, 1);
  EXPECT_EQ(fake.runRecord.left, fake.clock.Now());
  EXPECT_EQ(fake.tray.calls.back().what, "delete");
  EXPECT_TRUE(fake.timers.running.empty());

  fake.frame.OnEndSession(false);
  EXPECT_FALSE(fake.runRecord.left) << "running on: the next start must not count this run";
  EXPECT_EQ(fake.tray.calls.back().what, "add");
  EXPECT_EQ(fake.tray.calls.back().iconId, unsigned{IDR_MAINFRAME});
  EXPECT_EQ(fake.timers.running, (std::map<unsigned, unsigned>{{1, 200}, {2, 1000}}));

  const size_t calls = fake.tray.calls.size();
  fake.frame.OnEndSession(true);
  EXPECT_EQ(fake.tray.calls.size(), calls);
}

// A new taskbar, and a new DPI whose notification area wants another image size.
TEST_F(MainFrameTest, ANewTaskbarOrDpiGetsTheIconAsItIsNow) {
  fake.frame.OnCreate();
  Play();
  fake.frame.OnTaskbarCreated();
  EXPECT_EQ(fake.tray.calls.back().what, "add");
  EXPECT_EQ(fake.tray.calls.back().iconId, unsigned{IDI_CD_PLAYING});
  EXPECT_EQ(fake.tray.calls.back().tip, "CD再生中です クリックで停止します");
  fake.frame.OnDpiChanged();
  EXPECT_EQ(fake.tray.calls.back().what, "modify");
  EXPECT_EQ(fake.tray.calls.back().iconId, unsigned{IDI_CD_PLAYING});
  EXPECT_EQ(fake.tray.calls.back().tip, "CD再生中です クリックで停止します");
}

TEST_F(MainFrameTest, AnIconTheShellRefusesIsAddedAgainOnATimerAsItIsNow) {
  fake.tray.failedAdds = 2;  // the shell not up yet at sign-in
  fake.frame.OnCreate();
  EXPECT_EQ(fake.timers.running,
            (std::map<unsigned, unsigned>{{1, 200}, {2, 1000}, {kTrayAddTimer, 2000}}));
  Play();
  fake.events.clear();
  fake.frame.OnTimer(kTrayAddTimer);
  EXPECT_EQ(fake.events, EventLog{"tray add"}) << "still refused: the timer goes on";
  fake.frame.OnTimer(kTrayAddTimer);
  EXPECT_EQ(fake.tray.calls.back().what, "add");
  EXPECT_EQ(fake.tray.calls.back().iconId, unsigned{IDI_CD_PLAYING});
  EXPECT_EQ(fake.events, (EventLog{"tray add", "tray add", "timer stop 3"}));
  EXPECT_EQ(fake.timers.running, (std::map<unsigned, unsigned>{{1, 200}, {2, 1000}}));

  // Refused again after Explorer restarts, then closed before the shell takes it.
  fake.tray.failedAdds = 1;
  fake.frame.OnTaskbarCreated();
  EXPECT_EQ(fake.timers.running.count(kTrayAddTimer), 1u);
  fake.frame.OnClose();
  EXPECT_TRUE(fake.timers.running.empty());
}

TEST_F(MainFrameTest, TheQuickReservationIsTheFramesOwnCommand) {
  fake.clock.Set(2026, 12, 7, 10, 0, 0);
  EXPECT_TRUE(fake.frame.OnCommand(ID_QUICK_RESERVATION));
  EXPECT_EQ(fake.frame.Table()[31].Action, ACTION_MESSAGE);
  EXPECT_FALSE(fake.frame.OnCommand(ID_APP_ABOUT));
  EXPECT_FALSE(fake.frame.OnCommand(ID_APP_EXIT));
}

// The frame uses 4096 slots of a larger count and writes the count back as the user wrote it.
TEST_F(MainFrameTest, ASlotCountAboveTheLimitIsWrittenBackAsRead) {
  fake.profile.readResult = ProfileStore::ReadResult::kOk;
  fake.profile.contents = "[OPTION]\r\nArrayStock=5000\r\n";
  ASSERT_EQ(fake.frame.OnCreate(), 0);
  EXPECT_EQ(fake.frame.Table().Size(), 4096);
  fake.frame.OnClose();
  EXPECT_NE(fake.profile.contents.find("ArrayStock=5000\r\n"), std::string::npos);
  EXPECT_NE(fake.profile.contents.find("[DATA4095]"), std::string::npos);
  EXPECT_EQ(fake.profile.contents.find("[DATA4096]"), std::string::npos);
}

// A profile of one daily reservation at 07:30 that does nothing, with waking on.
constexpr char kWakingProfile[] =
    "[OPTION]\r\nWakeUp=1\r\n[DATA0]\r\nMonth=0\r\nHour=7\r\nMinute=30\r\n";

TEST_F(MainFrameTest, WhileWakingIsOnTheTimerIsAMinuteBeforeTheNextReservationAfterEachEvent) {
  fake.clock.Set(2026, 12, 7, 7, 0, 0);
  fake.profile.readResult = ProfileStore::ReadResult::kOk;
  fake.profile.contents = kWakingProfile;
  fake.wakeTimer.wakes = false;  // a start does not tell it: only turning the option on does
  ASSERT_EQ(fake.frame.OnCreate(), 0);
  EXPECT_EQ(fake.wakeTimer.due, UtcSeconds(2026, 12, 7, 7, 29, 0));
  EXPECT_EQ(fake.power.system, std::vector<bool>{true}) << "kept awake: it would not wake";

  fake.frame.OnCommand(ID_QUICK_RESERVATION);  // due at 07:03
  EXPECT_EQ(fake.wakeTimer.due, UtcSeconds(2026, 12, 7, 7, 2, 0));
  fake.clock.Set(2026, 12, 7, 7, 3, 0);
  fake.frame.CheckSchedule();
  EXPECT_EQ(fake.frame.Table()[31].Month, SLOT_EMPTY) << "erased after it ran";
  EXPECT_EQ(fake.wakeTimer.due, UtcSeconds(2026, 12, 7, 7, 29, 0));

  // A snooze sooner than the next reservation wakes the system for itself, until cancelled.
  Play();
  fake.frame.OnTrayNotify(TrayEvent::kLeftDown);
  fake.frame.OnCommand(ID_SNOOZE);  // five minutes on
  EXPECT_EQ(fake.wakeTimer.due, UtcSeconds(2026, 12, 7, 7, 7, 0));
  fake.frame.OnTrayNotify(TrayEvent::kLeftDown);
  fake.frame.OnCommand(ID_CANCEL_SNOOZE);
  EXPECT_EQ(fake.wakeTimer.due, UtcSeconds(2026, 12, 7, 7, 29, 0));

  fake.clock.Set(2026, 12, 7, 8, 0, 0);
  fake.frame.OnTimeChange();
  EXPECT_EQ(fake.wakeTimer.due, UtcSeconds(2026, 12, 8, 7, 29, 0));
  fake.clock.Set(2026, 12, 8, 7, 29, 30);
  fake.frame.OnResume();
  EXPECT_EQ(fake.wakeTimer.due, UtcSeconds(2026, 12, 8, 7, 30, 0))
      << "within the last minute, the reservation's own time";
  fake.clock.Set(2026, 12, 8, 7, 30, 0);
  fake.frame.CheckSchedule();
  EXPECT_EQ(fake.wakeTimer.due, UtcSeconds(2026, 12, 9, 7, 29, 0)) << "after the firing";

  EXPECT_TRUE(fake.frame.OnQueryEndSession());
  EXPECT_EQ(fake.wakeTimer.due, FakeWakeTimer::kCancelled);
  fake.frame.OnEndSession(false);
  EXPECT_EQ(fake.wakeTimer.due, UtcSeconds(2026, 12, 9, 7, 29, 0));
  fake.frame.OnClose();
  EXPECT_EQ(fake.wakeTimer.due, FakeWakeTimer::kCancelled);
  EXPECT_TRUE(fake.alerts.boxes.empty());
  EXPECT_NE(fake.profile.contents.find("[OPTION]\r\nWakeUp=1\r\n"), std::string::npos);
}

// A box open across the reservation's minute: the timer moves on once its time has passed, so
// that a PC put to sleep later still wakes the next morning.
TEST_F(MainFrameTest, TheWakeTimerNeverStandsAtATimeAlreadyPast) {
  fake.clock.Set(2026, 12, 7, 7, 20, 0);
  fake.profile.readResult = ProfileStore::ReadResult::kOk;
  fake.profile.contents = kWakingProfile;
  ASSERT_EQ(fake.frame.OnCreate(), 0);
  EXPECT_EQ(fake.wakeTimer.due, UtcSeconds(2026, 12, 7, 7, 29, 0));
  {
    const UiBusy::Scope versionBox(fake.busy, IDD_ABOUTBOX);
    for (int minute = 21; minute <= 45; ++minute) {
      fake.clock.Set(2026, 12, 7, 7, minute, 0);
      fake.frame.OnTimer(kScheduleTimer);
    }
    EXPECT_EQ(fake.wakeTimer.due, UtcSeconds(2026, 12, 8, 7, 29, 0));
  }
  fake.frame.OnTimer(kScheduleTimer);
  EXPECT_EQ(fake.tray.calls.back().what, "balloon") << "07:30 told as missed";
  EXPECT_EQ(fake.wakeTimer.due, UtcSeconds(2026, 12, 8, 7, 29, 0));
}

TEST_F(MainFrameTest, WithWakingOffNoTimerIsSetAndTheDisplayIsLeftAlone) {
  fake.clock.Set(2026, 12, 7, 7, 29, 0);
  fake.profile.readResult = ProfileStore::ReadResult::kOk;
  fake.profile.contents = "[DATA0]\r\nMonth=0\r\nHour=7\r\nMinute=30\r\nAction=2\r\n";
  ASSERT_EQ(fake.frame.OnCreate(), 0);
  fake.frame.OnCommand(ID_QUICK_RESERVATION);
  fake.frame.OnResume();
  fake.frame.OnTimeChange();
  fake.clock.Set(2026, 12, 7, 7, 30, 0);
  fake.frame.CheckSchedule();
  ASSERT_EQ(fake.shell.calls.size(), 1u);
  fake.frame.OnClose();
  for (long long call : fake.wakeTimer.calls) EXPECT_EQ(call, FakeWakeTimer::kCancelled);
  EXPECT_TRUE(fake.power.display.empty());
  EXPECT_EQ(fake.profile.contents.find("WakeUp"), std::string::npos);
}

TEST_F(MainFrameTest, WhileWakingIsOnTheDisplayStaysOnForAsLongAsTheActionPlays) {
  fake.profile.readResult = ProfileStore::ReadResult::kOk;
  fake.profile.contents = kWakingProfile;
  ASSERT_EQ(fake.frame.OnCreate(), 0);
  EXPECT_TRUE(fake.power.system.empty()) << "free to sleep: the timer wakes it";
  Reservation& file = fake.frame.Table()[1];
  file.Month = 0;
  file.Action = ACTION_FILE;
  fake.frame.RunReservation(1);
  EXPECT_EQ(fake.power.display, (std::vector<bool>{true, false}));

  Play();
  fake.frame.OnTimer(kCdCountdownTimer);
  EXPECT_EQ(fake.power.display, (std::vector<bool>{true, false, true})) << "while the CD plays";
  fake.frame.OnTrayNotify(TrayEvent::kLeftDown);  // stops it
  fake.frame.OnTimer(kCdCountdownTimer);
  EXPECT_EQ(fake.power.display, (std::vector<bool>{true, false, true, false}));
}

// While one of the program's windows or boxes is open, no reservation runs.
TEST_F(MainFrameTest, EachBusyStateRefusesEveryAction) {
  for (int action : {ACTION_CD, ACTION_FILE, ACTION_MESSAGE, ACTION_SOUND}) {
    Reservation& slot = fake.frame.Table()[4];
    slot.Month = 0;
    slot.Action = action;
    int refused = 0;
    fake.dialogs.whileOpen = [&](int, DialogHandler&, FakeDialog&) {
      if (fake.frame.RunReservation(4) == 0) ++refused;
    };
    fake.alerts.whileOpen = [&] {
      if (fake.frame.RunReservation(4) == 0) ++refused;
    };
    DialogHandler window;
    fake.busyDialogs.RunModal(IDD_SETTINGS, window);
    fake.busyDialogs.RunModal(IDD_ABOUTBOX, window);
    fake.busyDialogs.RunModalOwnedBy(nullptr, IDD_RESERVATION, window);
    fake.busyAlerts.ShowWarning("box", "caption");
    fake.busyAlerts.AskRetry("box", "caption");
    EXPECT_EQ(refused, 5);
  }
  EXPECT_TRUE(fake.shell.calls.empty());
  EXPECT_TRUE(fake.mci.sent.empty());
  EXPECT_EQ(fake.alerts.boxes.size(), 8u) << "only the boxes opened here, no failure's";
}

}  // namespace
