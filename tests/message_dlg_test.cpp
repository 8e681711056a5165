#include "app/message_dlg.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "app/command_line.h"
#include "fakes/fake_dialog.h"
#include "fakes/fake_ports.h"
#include "fakes/frame_fixture.h"
#include "reservations/snooze_minutes.h"
#include "resource.h"
#include "text/number_text.h"

namespace {

class MessageDlgTest : public ::testing::Test {
 protected:
  // Ticks of timer 1 until the window closes, or -1 when it is still open after `limit`.
  int TicksUntilClosed(const char* commandLine, int limit = 90000) {
    dialog.SetMessage(commandLine);
    dialog.OnInitDialog();
    for (int tick = 1; tick <= limit; ++tick) {
      dialog.OnTimer(kMessageCloseTimer);
      if (!controls.results.empty()) return tick;
    }
    return -1;
  }

  int TicksUntilClosedFromHere() {
    for (int tick = 1; tick <= 90000; ++tick) {
      dialog.OnTimer(kMessageCloseTimer);
      if (!controls.results.empty()) return tick;
    }
    return -1;
  }

  MessageDlgTest() { dialog.Attach(controls); }

  FakeDialog controls;
  FakeAlerts alerts;
  CMessageDlg dialog{alerts};
};

TEST_F(MessageDlgTest, ReadsTheIndexAndDropsThreeCharacters) {
  struct Case {
    const char* line;
    const char* text;
    int seconds;
  } cases[] = {
      {"05,ABC", "ABC", 600},     {"01,x", "x", 60},
      {"13,x", "x", 86400},       {"00,x", "x", 0},
      {"99,x", "x", 60},          {"-1,x", "x", 60},
      {"05,", "", 600},           {"5,hello", "ello", 600},
      {"03,a,b", "a,b", 180},     {"ab", "", 0},
      {"hello", "lo", 0},         {"0あいう", "う", 0},
      {"12,鳴刻", "鳴刻", 43200}, {"99999999999999999999,x", "99999999999999999,x", 60},
  };
  for (const Case& c : cases) {
    dialog.SetMessage(c.line);
    EXPECT_STREQ(dialog.Text(), c.text) << c.line;
    EXPECT_EQ(dialog.SecondsLeft(), c.seconds) << c.line;
  }
}

TEST_F(MessageDlgTest, AnOverlongLineIsCutAtACharacterBoundary) {
  std::string line = "00,";
  while (line.size() < 254) line += "a";
  line += "鳴刻";  // bytes 254..257: the first character would end past byte 255
  dialog.SetMessage(line.c_str());
  EXPECT_EQ(std::string(dialog.Text()), line.substr(3, 251));
}

TEST_F(MessageDlgTest, InitShowsTheTextRightOfCentreBeepsAndStartsCounting) {
  controls.screen = {1280, 1024};
  dialog.SetMessage("05,こんにちは");
  EXPECT_TRUE(dialog.OnInitDialog());
  EXPECT_EQ(controls.texts[IDC_MESSAGE_TEXT], "こんにちは");
  ASSERT_EQ(controls.placements.size(), 1u);
  EXPECT_EQ(controls.placements[0].x, 640 - 145);
  EXPECT_EQ(controls.placements[0].y, 512 - 48);
  EXPECT_EQ(controls.placements[0].width, 389);
  EXPECT_EQ(controls.placements[0].height, 96);
  EXPECT_FALSE(controls.placements[0].repaint);
  EXPECT_EQ(controls.keptInside, std::vector<int>{IDC_MESSAGE_TEXT}) << "after the move";
  EXPECT_EQ(alerts.beeps, 1);
  EXPECT_EQ(controls.timers.at(kMessageCloseTimer), 1000u);

  controls.screen = {1023, 767};  // odd sizes: the halves truncate
  dialog.OnInitDialog();
  EXPECT_EQ(controls.placements[1].x, 511 - 145);
  EXPECT_EQ(controls.placements[1].y, 383 - 48);

  // At 150 % every size and offset scales, rounded: 583.5 and 217.5 go up.
  controls.dpi = 144;
  dialog.OnInitDialog();
  EXPECT_EQ((std::vector<int>{controls.placements[2].x, controls.placements[2].y,
                              controls.placements[2].width, controls.placements[2].height}),
            (std::vector<int>{511 - 218, 383 - 72, 584, 144}));
}

TEST_F(MessageDlgTest, ClosesItselfOnTheTickThatBringsTheCountToOne) {
  EXPECT_EQ(TicksUntilClosed("05,ABC"), 599);
  EXPECT_EQ(controls.results, std::vector<DialogResult>{DialogResult::kOk});
  EXPECT_EQ(controls.timers.count(kMessageCloseTimer), 0u);
}

TEST_F(MessageDlgTest, IndexOneClosesAfter59Ticks) { EXPECT_EQ(TicksUntilClosed("01,x"), 59); }

TEST_F(MessageDlgTest, IndexThirteenClosesAfterADayLessASecond) {
  EXPECT_EQ(TicksUntilClosed("13,x"), 86399);
}

TEST_F(MessageDlgTest, NoLeadingNumberNeverClosesByItself) {
  EXPECT_EQ(TicksUntilClosed("hi there", 5000), -1);
  EXPECT_EQ(controls.timers.count(kMessageCloseTimer), 1u);
  dialog.OnTimer(7);  // other timers do not count
  dialog.OnOK();
  EXPECT_EQ(controls.results, std::vector<DialogResult>{DialogResult::kOk});
  EXPECT_EQ(controls.timers.count(kMessageCloseTimer), 0u);
}

TEST_F(MessageDlgTest, EscapeEndsWithCancel) {
  dialog.SetMessage("00,x");
  dialog.OnInitDialog();
  dialog.OnCancel();
  EXPECT_EQ(controls.results, std::vector<DialogResult>{DialogResult::kCancel});
}

// The resident side writes the line that a message instance reads; the snooze minutes ride on
// the comma's place, which the default keeps a comma.
TEST_F(MessageDlgTest, WhatTheResidentWritesTheWindowShows) {
  for (const int minutes : kSnoozeChoices) {
    SCOPED_TRACE(minutes);
    FakeFrame fake;
    fake.profile.readResult = ProfileStore::ReadResult::kOk;
    fake.profile.contents = "[OPTION]\r\nSnoozeMinutes=" + std::to_string(minutes) + "\r\n";
    ASSERT_EQ(fake.frame.OnCreate(), 0);
    Reservation& slot = fake.frame.Table()[0];
    slot.Action = ACTION_MESSAGE;
    for (int time = 0; time <= 13; ++time) {
      slot.Time = time;
      std::strcpy(slot.Message, time % 2 ? "ソ表, 予定" : "");
      fake.shell.calls.clear();
      fake.frame.RunReservation(0);
      ASSERT_EQ(fake.shell.calls.size(), 1u);
      const std::string& line = fake.shell.calls[0].parameters;
      if (minutes == 5) {
        EXPECT_EQ(line, TwoColumnNumber(time, '0') + "," + slot.Message);
      }
      // As a message instance that knows no snooze reads it: a number and three characters.
      EXPECT_EQ(std::strtol(line.c_str(), nullptr, 10), time);
      EXPECT_FALSE(std::isdigit(static_cast<unsigned char>(line[2])));
      const std::string processLine = "\"C:\\Program Files\\chimeday.exe\" " + line;
      dialog.SetMessage(SkipProgramPath(processLine.c_str()));
      EXPECT_STREQ(dialog.Text(), slot.Message);
      EXPECT_EQ(dialog.SecondsLeft(), DurationSeconds(time));
      EXPECT_EQ(dialog.SnoozeMinutes(), minutes);
    }
  }
}

// Hidden, the window keeps its process; it comes back with its beep and its whole countdown.
TEST_F(MessageDlgTest, SnoozeHidesTheWindowAndBringsItBackInFull) {
  dialog.SetMessage("01a起きて");
  dialog.OnInitDialog();
  for (int tick = 0; tick < 30; ++tick) dialog.OnTimer(kMessageCloseTimer);
  dialog.OnCommand(IDC_SNOOZE);
  EXPECT_EQ(controls.dialogShown, std::vector<bool>{false});
  EXPECT_EQ(controls.timers, (std::map<unsigned, unsigned>{{kMessageSnoozeTimer, 60000u}}));
  dialog.OnTimer(kMessageSnoozeTimer);
  EXPECT_EQ(controls.dialogShown, (std::vector<bool>{false, true}));
  EXPECT_EQ(controls.timers, (std::map<unsigned, unsigned>{{kMessageCloseTimer, 1000u}}));
  EXPECT_EQ(alerts.beeps, 2);
  EXPECT_STREQ(dialog.Text(), "起きて");
  EXPECT_EQ(TicksUntilClosedFromHere(), 59);
  EXPECT_TRUE(controls.results.size() == 1u && controls.results[0] == DialogResult::kOk);

  // Lines not of the program's own making snooze for the default five minutes.
  for (const char* line : {"05,x", "5ax", "0ab", "05zx", "05"}) {
    dialog.SetMessage(line);
    EXPECT_EQ(dialog.SnoozeMinutes(), 5) << line;
  }
}

TEST(CommandLineTest, SkipsThePathAndTheBlanksBehindIt) {
  EXPECT_STREQ(SkipProgramPath("\"C:\\My Apps\\chimeday.exe\"  05,a b"), "05,a b");
  EXPECT_STREQ(SkipProgramPath("C:\\apps\\chimeday.exe\t 01,x"), "01,x");
  EXPECT_STREQ(SkipProgramPath("chimeday.exe"), "");
  EXPECT_STREQ(SkipProgramPath("chimeday.exe   "), "");
  EXPECT_STREQ(SkipProgramPath("\"C:\\unterminated"), "");
  EXPECT_STREQ(SkipProgramPath(L"\"C:\\鳴刻\\chimeday.exe\" 03,あ"), L"03,あ");
}

}  // namespace
