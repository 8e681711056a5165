#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "fakes/frame_fixture.h"
#include "resource.h"
#include "text/cp932.h"

namespace {

class ActionsTest : public ::testing::Test {
 protected:
  ActionsTest() {
    fake.strings.texts[IDS_FILE_RUN_FAILED] = "指定されたファイルの実行に失敗しました";
    fake.strings.texts[IDS_MESSAGE_FAILED] = "メッセージの表示に失敗しました";
    fake.frame.SetNoError(0);
  }
  Reservation& Slot(int action) {
    Reservation& slot = fake.frame.Table()[4];
    slot.Month = 0;
    slot.Action = action;
    return slot;
  }

  FakeFrame fake;
};

TEST_F(ActionsTest, NothingToDoIsASuccess) {
  for (int action : {ACTION_OFF, 5, -1}) {
    Slot(action);
    EXPECT_EQ(fake.frame.RunReservation(4), 1);
  }
  EXPECT_TRUE(fake.shell.calls.empty());
  EXPECT_TRUE(fake.alerts.boxes.empty());
}

TEST_F(ActionsTest, EachBusyStateRefusesEveryAction) {
  for (int action : {ACTION_CD, ACTION_FILE, ACTION_MESSAGE, ACTION_SOUND}) {
    Slot(action);
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

TEST_F(ActionsTest, CdSlotsGoToThePlayerWithItsResult) {
  Slot(ACTION_CD).Drive = 5;
  fake.drives.cdRoms.insert('E');
  fake.mci.Disc('E', 3);
  EXPECT_EQ(fake.frame.RunReservation(4), 1);
  fake.mci.failures = {"open"};
  EXPECT_EQ(fake.frame.RunReservation(4), 0);
}

// Its own text with the file's path, in the box of every failure, unless NoError.
TEST_F(ActionsTest, SoundSlotsGoToThePlayerAndTheirFailuresNameTheFile) {
  std::strcpy(Slot(ACTION_SOUND).FileName, "C:\\音\\a.wav");
  EXPECT_EQ(fake.frame.RunReservation(4), 1);
  fake.mci.failures = {"open"};
  EXPECT_EQ(fake.frame.RunReservation(4), 0);
  ASSERT_EQ(fake.alerts.boxes.size(), 1u);
  EXPECT_EQ(fake.alerts.boxes[0].text,
            "指定されたサウンドファイルを開けませんでした\nC:\\音\\a.wav");
  EXPECT_EQ(fake.alerts.boxes[0].caption, "鳴刻エラー");
  fake.frame.SetNoError(1);
  EXPECT_EQ(fake.frame.RunReservation(4), 0);
  EXPECT_EQ(fake.alerts.boxes.size(), 1u);
  EXPECT_TRUE(fake.shell.calls.empty());
}

// The CD and the sound never play together, yet one that fails before its device is open
// stops nothing: the one that plays goes on, its icon with it, and repeats at its own end.
TEST_F(ActionsTest, APlayerThatCannotStartLeavesTheOtherPlaying) {
  using Strings = std::vector<std::string>;
  fake.strings.texts[IDS_CD_DRIVE_UNUSABLE] = "drive unusable";
  fake.strings.texts[IDS_CD_OPEN_FAILED] = "drive not opened";
  fake.drives.cdRoms.insert('E');
  fake.mci.Disc('E', 3);
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
    Reservation& playing = fake.frame.Table()[1];
    playing.Month = 0;
    playing.Action = c.playing;
    playing.Drive = 5;
    std::strcpy(playing.FileName, "C:\\b.mid");
    Reservation& failing = Slot(c.failing);
    failing.Drive = c.drive;
    cp932::CopyToField(failing.FileName, c.file);
    ASSERT_EQ(fake.frame.RunReservation(1), 1);
    const std::string repeat = fake.mci.sent.back();
    fake.mci.sent.clear();
    fake.alerts.boxes.clear();
    fake.mci.failures = c.failures;
    EXPECT_EQ(fake.frame.RunReservation(4), 0);
    EXPECT_EQ(fake.mci.sent, c.sent);
    ASSERT_EQ(fake.alerts.boxes.size(), 1u);
    EXPECT_EQ(fake.alerts.boxes[0].text, c.box);
    EXPECT_EQ(fake.tray.calls.back().iconId, unsigned{IDI_CD_PLAYING});

    fake.mci.failures.clear();
    fake.mci.sent.clear();
    fake.frame.OnMciNotify(true, fake.mci.ids.at(c.playing == ACTION_CD ? "E:" : "chimeday"));
    EXPECT_EQ(fake.mci.sent, Strings{repeat});
    fake.frame.OnTrayNotify(FrameHandler::TrayMouse::kLeftDown);
  }
}

TEST_F(ActionsTest, FileRunsWithItsVerbOrOpen) {
  Reservation& slot = Slot(ACTION_FILE);
  std::strcpy(slot.FileName, "C:\\予定\\a b.txt");
  EXPECT_EQ(fake.frame.RunReservation(4), 1);
  std::strcpy(slot.Command, "print");
  EXPECT_EQ(fake.frame.RunReservation(4), 1);
  ASSERT_EQ(fake.shell.calls.size(), 2u);
  EXPECT_EQ(fake.shell.calls[0].verb, "open");
  EXPECT_EQ(fake.shell.calls[0].file, "C:\\予定\\a b.txt");
  EXPECT_EQ(fake.shell.calls[1].verb, "print");
}

TEST_F(ActionsTest, AShellResultOf32OrLessIsReportedByAction) {
  Slot(ACTION_FILE);
  fake.shell.starts = false;
  EXPECT_EQ(fake.frame.RunReservation(4), 0);
  Slot(ACTION_MESSAGE);
  fake.shell.starts = false;
  EXPECT_EQ(fake.frame.RunReservation(4), 0);
  fake.shell.starts = true;
  EXPECT_EQ(fake.frame.RunReservation(4), 1);
  ASSERT_EQ(fake.alerts.boxes.size(), 2u);
  EXPECT_EQ(fake.alerts.boxes[0].text, "指定されたファイルの実行に失敗しました");
  EXPECT_EQ(fake.alerts.boxes[0].caption, "鳴刻エラー");
  EXPECT_EQ(fake.alerts.boxes[1].text, "メッセージの表示に失敗しました");
  EXPECT_FALSE(fake.busy.IsBusy());
}

TEST_F(ActionsTest, MessageCommandLineCarriesTwoDigitsACommaAndTheText) {
  Reservation& slot = Slot(ACTION_MESSAGE);
  slot.Time = 0;
  slot.Message[0] = '\0';
  fake.frame.RunReservation(4);
  slot.Time = 5;
  std::strcpy(slot.Message, "hello, world");
  fake.frame.RunReservation(4);
  slot.Time = 13;
  std::string longest;
  while (longest.size() + 2 <= 61) longest += "鳴";
  longest += "!";  // 61 bytes
  std::strcpy(slot.Message, longest.c_str());
  fake.frame.RunReservation(4);
  std::strcpy(slot.Message, "あ");
  slot.Time = 7;
  fake.frame.RunReservation(4);
  // Up to 899 the line is the one that has always been built; a number that is not two digits
  // would take part of the text, or leave a comma in it.
  const struct {
    int time;
    const char* digits;
  } lines[] = {{99, "99"}, {100, "00"}, {105, "05"},       {899, "99"},      {-5, "99"},
               {-1, "99"}, {900, "99"}, {INT32_MAX, "99"}, {INT32_MIN, "99"}};
  for (const auto& line : lines) {
    slot.Time = line.time;
    fake.frame.RunReservation(4);
  }

  ASSERT_EQ(fake.shell.calls.size(), 13u);
  EXPECT_EQ(fake.shell.calls[0].file, "<self>");
  EXPECT_EQ(fake.shell.calls[0].parameters, "00,");
  EXPECT_EQ(fake.shell.calls[1].parameters, "05,hello, world");
  EXPECT_EQ(fake.shell.calls[2].parameters, "13," + longest);
  EXPECT_EQ(fake.shell.calls[2].parameters.size(), 64u);
  EXPECT_EQ(fake.shell.calls[3].parameters, "07,あ");
  for (std::size_t call = 4; call < 13; ++call) {
    EXPECT_EQ(fake.shell.calls[call].parameters, std::string(lines[call - 4].digits) + ",あ")
        << "Time " << lines[call - 4].time;
  }
}

TEST_F(ActionsTest, NoErrorSilencesBoxesButNotTheBusyState) {
  fake.frame.SetNoError(1);
  fake.frame.ReportError(IDS_FILE_RUN_FAILED);
  EXPECT_TRUE(fake.alerts.boxes.empty());
  EXPECT_FALSE(fake.busy.IsBusy());
}

TEST_F(ActionsTest, TheUiStaysBusyUntilTheLastOfNestedBoxesCloses) {
  bool busyAfterInnerBox = false;
  int depth = 0;
  fake.alerts.whileOpen = [&] {
    if (++depth == 1) {
      // A second failure reported while the first box is open.
      fake.frame.ReportError(IDS_MESSAGE_FAILED);
      busyAfterInnerBox = fake.busy.IsBusy();
    }
  };
  fake.frame.ReportError(IDS_FILE_RUN_FAILED);
  EXPECT_EQ(fake.alerts.boxes.size(), 2u);
  EXPECT_TRUE(busyAfterInnerBox);
  EXPECT_FALSE(fake.busy.IsBusy());
}

}  // namespace
