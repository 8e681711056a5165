#include "scheduler/actions.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "fakes/fake_devices.h"
#include "fakes/fake_ports.h"
#include "reservations/reservation_table.h"
#include "resource.h"
#include "scheduler/missed_reservations.h"
#include "scheduler/modal_windows.h"
#include "scheduler/tray.h"
#include "scheduler/ui_busy.h"
#include "text/cp932.h"

namespace {

// The actions on fake ports, with a table of their slots; failures are shown at first.
class ActionsTest : public ::testing::Test {
 protected:
  ActionsTest() {
    strings.texts[IDS_FILE_RUN_FAILED] = "指定されたファイルの実行に失敗しました";
    strings.texts[IDS_MESSAGE_FAILED] = "メッセージの表示に失敗しました";
    options.noError = 0;
    table.ResetSlots(kDefaultSlotCount, DefaultReservation(location));
  }
  Reservation& Slot(int action) {
    Reservation& slot = table[4];
    slot.Month = 0;
    slot.Action = action;
    return slot;
  }
  int Run(int index) { return actions.Run(table[index]); }

  FakeShell shell;
  FakeStrings strings;
  FakeAlerts alerts;
  FakeMci mci;
  FakeDrives drives;
  FakeTray trayIcon;
  FakeTimers timers;
  FakeLocation location;
  UiBusy busy;
  BusyAlerts busyAlerts{alerts, busy};
  Options options;
  MissedReservations missed;
  Tray tray{trayIcon, timers, /*retryTimer=*/3, missed};
  Actions actions{ActionPorts{shell, strings, busyAlerts, mci, drives}, options, tray};
  ReservationTable table;
};

TEST_F(ActionsTest, NothingToDoIsASuccess) {
  for (int action : {ACTION_OFF, 5, -1}) {
    Slot(action);
    EXPECT_EQ(Run(4), 1);
  }
  EXPECT_TRUE(shell.calls.empty());
  EXPECT_TRUE(alerts.boxes.empty());
}

TEST_F(ActionsTest, CdSlotsGoToThePlayerWithItsResult) {
  Slot(ACTION_CD).Drive = 5;
  drives.cdRoms.insert('E');
  mci.Disc('E', 3);
  EXPECT_EQ(Run(4), 1);
  mci.failures = {"open"};
  EXPECT_EQ(Run(4), 0);
}

// Its own text with the file's path, in the box of every failure, unless NoError.
TEST_F(ActionsTest, SoundSlotsGoToThePlayerAndTheirFailuresNameTheFile) {
  std::strcpy(Slot(ACTION_SOUND).FileName, "C:\\音\\a.wav");
  EXPECT_EQ(Run(4), 1);
  mci.failures = {"open"};
  EXPECT_EQ(Run(4), 0);
  ASSERT_EQ(alerts.boxes.size(), 1u);
  EXPECT_EQ(alerts.boxes[0].text, "指定されたサウンドファイルを開けませんでした\nC:\\音\\a.wav");
  EXPECT_EQ(alerts.boxes[0].caption, "鳴刻エラー");
  options.noError = 1;
  EXPECT_EQ(Run(4), 0);
  EXPECT_EQ(alerts.boxes.size(), 1u);
  EXPECT_TRUE(shell.calls.empty());
}

// The CD and the sound never play together, yet one that fails before its device is open
// stops nothing: the one that plays goes on, its icon with it, and repeats at its own end.
TEST_F(ActionsTest, APlayerThatCannotStartLeavesTheOtherPlaying) {
  using Strings = std::vector<std::string>;
  strings.texts[IDS_CD_DRIVE_UNUSABLE] = "drive unusable";
  strings.texts[IDS_CD_OPEN_FAILED] = "drive not opened";
  drives.cdRoms.insert('E');
  mci.Disc('E', 3);
  const std::string quoted = "C:\\a.wav\" type sequencer alias other shareable";
  const struct {
    const char* what;
    int playing;
    int failing;
    int drive;
    const char* file;
    std::set<std::string> failures;
    Strings sent;
    std::string box;
  } cases[] = {
      {"a CD on a drive that is no CD-ROM drive",
       ACTION_SOUND,
       ACTION_CD,
       3,
       "",
       {},
       {},
       "drive unusable"},
      {"a CD drive that does not open",
       ACTION_SOUND,
       ACTION_CD,
       5,
       "",
       {"open E:"},
       {"stop E:", "close E:", "open E: type CDAudio"},
       "drive not opened"},
      {"a sound file that does not open",
       ACTION_CD,
       ACTION_SOUND,
       5,
       "C:\\a.wav",
       {"open \""},
       {"open \"C:\\a.wav\" type waveaudio alias chimeday"},
       "指定されたサウンドファイルを開けませんでした\nC:\\a.wav"},
      {"a sound file whose name holds a quote",
       ACTION_CD,
       ACTION_SOUND,
       5,
       quoted.c_str(),
       {},
       {},
       "指定されたサウンドファイルを開けませんでした\n" + quoted},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Reservation& playing = table[1];
    playing.Month = 0;
    playing.Action = c.playing;
    playing.Drive = 5;
    std::strcpy(playing.FileName, "C:\\b.mid");
    Reservation& failing = Slot(c.failing);
    failing.Drive = c.drive;
    cp932::CopyToField(failing.FileName, c.file);
    ASSERT_EQ(Run(1), 1);
    const std::string repeat = mci.sent.back();
    mci.sent.clear();
    alerts.boxes.clear();
    mci.failures = c.failures;
    EXPECT_EQ(Run(4), 0);
    EXPECT_EQ(mci.sent, c.sent);
    ASSERT_EQ(alerts.boxes.size(), 1u);
    EXPECT_EQ(alerts.boxes[0].text, c.box);
    EXPECT_EQ(trayIcon.calls.back().iconId, unsigned{IDI_CD_PLAYING});

    mci.failures.clear();
    mci.sent.clear();
    actions.OnMciNotify(true, mci.ids.at(c.playing == ACTION_CD ? "E:" : "chimeday"));
    EXPECT_EQ(mci.sent, Strings{repeat});
    actions.StopCd();
  }
}

TEST_F(ActionsTest, FileRunsWithItsVerbOrOpen) {
  Reservation& slot = Slot(ACTION_FILE);
  std::strcpy(slot.FileName, "C:\\予定\\a b.txt");
  EXPECT_EQ(Run(4), 1);
  std::strcpy(slot.Command, "print");
  EXPECT_EQ(Run(4), 1);
  ASSERT_EQ(shell.calls.size(), 2u);
  EXPECT_EQ(shell.calls[0].verb, "open");
  EXPECT_EQ(shell.calls[0].file, "C:\\予定\\a b.txt");
  EXPECT_EQ(shell.calls[1].verb, "print");
}

TEST_F(ActionsTest, AShellResultOf32OrLessIsReportedByAction) {
  Slot(ACTION_FILE);
  shell.starts = false;
  EXPECT_EQ(Run(4), 0);
  Slot(ACTION_MESSAGE);
  shell.starts = false;
  EXPECT_EQ(Run(4), 0);
  shell.starts = true;
  EXPECT_EQ(Run(4), 1);
  ASSERT_EQ(alerts.boxes.size(), 2u);
  EXPECT_EQ(alerts.boxes[0].text, "指定されたファイルの実行に失敗しました");
  EXPECT_EQ(alerts.boxes[0].caption, "鳴刻エラー");
  EXPECT_EQ(alerts.boxes[1].text, "メッセージの表示に失敗しました");
  EXPECT_FALSE(busy.IsBusy());
}

TEST_F(ActionsTest, MessageCommandLineCarriesTwoDigitsACommaAndTheText) {
  Reservation& slot = Slot(ACTION_MESSAGE);
  slot.Time = 0;
  slot.Message[0] = '\0';
  Run(4);
  slot.Time = 5;
  std::strcpy(slot.Message, "hello, world");
  Run(4);
  slot.Time = 13;
  std::string longest;
  while (longest.size() + 2 <= 61) longest += "鳴";
  longest += "!";  // 61 bytes
  std::strcpy(slot.Message, longest.c_str());
  Run(4);
  std::strcpy(slot.Message, "あ");
  slot.Time = 7;
  Run(4);
  // Up to 899 the line is the one that has always been built; a number that is not two digits
  // would take part of the text, or leave a comma in it.
  const struct {
    int time;
    const char* digits;
  } lines[] = {{99, "99"}, {100, "00"}, {105, "05"},       {899, "99"},      {-5, "99"},
               {-1, "99"}, {900, "99"}, {INT32_MAX, "99"}, {INT32_MIN, "99"}};
  for (const auto& line : lines) {
    slot.Time = line.time;
    Run(4);
  }

  ASSERT_EQ(shell.calls.size(), 13u);
  EXPECT_EQ(shell.calls[0].file, "<self>");
  EXPECT_EQ(shell.calls[0].parameters, "00,");
  EXPECT_EQ(shell.calls[1].parameters, "05,hello, world");
  EXPECT_EQ(shell.calls[2].parameters, "13," + longest);
  EXPECT_EQ(shell.calls[2].parameters.size(), 64u);
  EXPECT_EQ(shell.calls[3].parameters, "07,あ");
  for (std::size_t call = 4; call < 13; ++call) {
    EXPECT_EQ(shell.calls[call].parameters, std::string(lines[call - 4].digits) + ",あ")
        << "Time " << lines[call - 4].time;
  }
}

TEST_F(ActionsTest, NoErrorSilencesBoxesButNotTheBusyState) {
  options.noError = 1;
  actions.ReportError(IDS_FILE_RUN_FAILED);
  EXPECT_TRUE(alerts.boxes.empty());
  EXPECT_FALSE(busy.IsBusy());
}

TEST_F(ActionsTest, TheUiStaysBusyUntilTheLastOfNestedBoxesCloses) {
  bool busyAfterInnerBox = false;
  int depth = 0;
  alerts.whileOpen = [&] {
    if (++depth == 1) {
      // A second failure reported while the first box is open.
      actions.ReportError(IDS_MESSAGE_FAILED);
      busyAfterInnerBox = busy.IsBusy();
    }
  };
  actions.ReportError(IDS_FILE_RUN_FAILED);
  EXPECT_EQ(alerts.boxes.size(), 2u);
  EXPECT_TRUE(busyAfterInnerBox);
  EXPECT_FALSE(busy.IsBusy());
}

}  // namespace
