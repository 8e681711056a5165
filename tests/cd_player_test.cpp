#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/frame_fixture.h"
#include "resource.h"

namespace {

using Strings = std::vector<std::string>;

class CdPlayerTest : public ::testing::Test {
 protected:
  CdPlayerTest() {
    fake.frame.m_bNoError = 0;
    for (unsigned id = IDS_CD_OPEN_FAILED; id <= IDS_CD_DRIVE_UNUSABLE; ++id) {
      fake.strings.texts[id] = "error " + std::to_string(id);
    }
    fake.drives.types["E:\\"] = kDriveCdRom;
    fake.drives.types["F:\\"] = kDriveCdRom;
    fake.mci.Disc('E', 12);
    fake.mci.Disc('F', 12);
  }

  // A CD reservation in slot `index` for drive letter `letter`.
  Reservation& CdSlot(int index, char letter, int track, int time) {
    Reservation& slot = fake.frame.Table()[index];
    slot.Month = 0;
    slot.Action = ACTION_CD;
    slot.Drive = letter - 'A' + 1;
    slot.Track = track;
    slot.Time = time;
    return slot;
  }
  Strings Boxes() const {
    Strings texts;
    for (const auto& box : fake.alerts.boxes) texts.push_back(box.text);
    return texts;
  }
  const FakeTray::Call& LastTray() const { return fake.tray.calls.back(); }

  FakeFrame fake;
};

TEST_F(CdPlayerTest, PlaysTheTrackWithTheExactCommandsInOrder) {
  CdSlot(0, 'E', 3, 5);
  EXPECT_EQ(fake.frame.PlayCd(0), 1);
  EXPECT_EQ(fake.mci.sent,
            (Strings{"stop E:", "close E:", "open E: type CDAudio", "status E: number of tracks",
                     "set E: time format milliseconds", "status E: position track 3",
                     "status E: length track 3", "play E: from 150000 to 210000 notify"}));
  // Only the play command asks for a notification.
  EXPECT_EQ(fake.mci.notified,
            (std::vector<bool>{false, false, false, false, false, false, false, true}));
  EXPECT_EQ(fake.drives.asked, Strings{"E:\\"});
  EXPECT_TRUE(fake.frame.m_bCdPlaying);
  EXPECT_EQ(fake.frame.m_nCdSecondsLeft, 600);
  EXPECT_EQ(LastTray().what, "modify");
  EXPECT_EQ(LastTray().iconId, unsigned{IDI_CD_PLAYING});
  EXPECT_EQ(LastTray().tip, "CD再生中です クリックで停止します");
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(CdPlayerTest, EachFailingStepStopsFirstAndReportsItsOwnError) {
  struct Step {
    const char* command;
    unsigned id;
    size_t sentBeforeStop;  // commands sent up to the failing one
  } steps[] = {
      {"status E: number", IDS_CD_TRACKS_FAILED, 4},
      {"set E:", IDS_CD_TIMEFORMAT_FAILED, 5},
      {"status E: position", IDS_CD_TRACKPOS_FAILED, 6},
      {"status E: length", IDS_CD_TRACKLEN_FAILED, 7},
      {"play E:", IDS_CD_PLAY_FAILED, 8},
  };
  CdSlot(0, 'E', 3, 5);
  for (const Step& step : steps) {
    fake.mci.sent.clear();
    fake.alerts.boxes.clear();
    fake.mci.failures = {{step.command, 272}};
    bool idleWhileBoxOpen = false;
    fake.alerts.whileOpen = [&] {
      idleWhileBoxOpen = !fake.frame.m_bCdPlaying && LastTray().iconId == IDR_MAINFRAME;
    };
    EXPECT_EQ(fake.frame.PlayCd(0), 0) << step.command;
    ASSERT_EQ(fake.mci.sent.size(), step.sentBeforeStop + 2) << step.command;
    EXPECT_EQ(fake.mci.sent[step.sentBeforeStop], "stop E:");
    EXPECT_EQ(fake.mci.sent[step.sentBeforeStop + 1], "close E:");
    EXPECT_EQ(Boxes(), Strings{"error " + std::to_string(step.id)});
    EXPECT_TRUE(idleWhileBoxOpen) << step.command;
    EXPECT_EQ(fake.frame.m_nCdSecondsLeft, 0) << "a failure never sets the countdown";
  }
}

TEST_F(CdPlayerTest, AFailingOpenReportsWithoutAnotherStop) {
  CdSlot(0, 'E', 3, 5);
  fake.mci.failures = {{"open", 275}};
  EXPECT_EQ(fake.frame.PlayCd(0), 0);
  EXPECT_EQ(fake.mci.sent, (Strings{"stop E:", "close E:", "open E: type CDAudio"}));
  EXPECT_EQ(Boxes(), Strings{"error 61205"});
  EXPECT_FALSE(fake.frame.m_bCdPlaying);
}

TEST_F(CdPlayerTest, ADriveThatIsNoCdRomChangesNothing) {
  CdSlot(0, 'E', 3, 0);
  ASSERT_EQ(fake.frame.PlayCd(0), 1);
  fake.mci.sent.clear();
  const size_t trayCalls = fake.tray.calls.size();
  CdSlot(1, 'C', 1, 1);
  EXPECT_EQ(fake.frame.PlayCd(1), 0);
  CdSlot(2, 'A', 1, 1).Drive = 27;
  EXPECT_EQ(fake.frame.PlayCd(2), 0);
  CdSlot(3, 'A', 1, 1).Drive = 0;
  EXPECT_EQ(fake.frame.PlayCd(3), 0);
  EXPECT_TRUE(fake.mci.sent.empty());
  EXPECT_EQ(Boxes(), Strings(3, "error 61216"));
  EXPECT_TRUE(fake.frame.m_bCdPlaying);
  EXPECT_EQ(fake.tray.calls.size(), trayCalls);
  // The track that plays still repeats on its own drive.
  fake.frame.OnMciNotify(kMciNotifySuccessful);
  EXPECT_EQ(fake.mci.sent, Strings{"play E: from 150000 to 210000 notify"});
}

TEST_F(CdPlayerTest, TheTrackRuleFallsBackToTrackZero) {
  struct Case {
    int tracks;
    int track;
    const char* sent;
  } cases[] = {
      {12, 13, "status E: position track 13"},  // one past the last is sent as it is
      {12, 14, "status E: position track 0"},  {12, -1, "status E: position track 0"},
      {30, 1, "status E: position track 0"},   {29, 2, "status E: position track 2"},
  };
  for (const Case& c : cases) {
    fake.mci.sent.clear();
    fake.mci.replies["status E: number of tracks"] = std::to_string(c.tracks);
    CdSlot(0, 'E', c.track, 0);
    fake.frame.PlayCd(0);
    ASSERT_GE(fake.mci.sent.size(), 6u);
    EXPECT_EQ(fake.mci.sent[5], c.sent) << c.tracks << " tracks, track " << c.track;
  }
}

TEST_F(CdPlayerTest, RepeatsOnSuccessOnlyWhilePlaying) {
  CdSlot(0, 'E', 2, 0);
  fake.frame.PlayCd(0);
  fake.mci.sent.clear();
  fake.frame.OnMciNotify(2);  // aborted or superseded
  fake.frame.OnMciNotify(kMciNotifySuccessful);
  fake.frame.OnMciNotify(kMciNotifySuccessful);
  EXPECT_EQ(fake.mci.sent, Strings(2, "play E: from 150000 to 210000 notify"));
  fake.frame.StopCd();
  fake.mci.sent.clear();
  fake.frame.OnMciNotify(kMciNotifySuccessful);
  EXPECT_TRUE(fake.mci.sent.empty());
}

TEST_F(CdPlayerTest, AFailingRepeatStopsAndReports) {
  CdSlot(0, 'E', 2, 0);
  fake.frame.PlayCd(0);
  fake.mci.sent.clear();
  fake.mci.failures = {{"play", 5}};
  fake.frame.OnMciNotify(kMciNotifySuccessful);
  EXPECT_EQ(fake.mci.sent,
            (Strings{"play E: from 150000 to 210000 notify", "stop E:", "close E:"}));
  EXPECT_EQ(Boxes(), Strings{"error 61211"});
  EXPECT_FALSE(fake.frame.m_bCdPlaying);
}

TEST_F(CdPlayerTest, TheCountdownStopsOnTheTickThatReachesOne) {
  CdSlot(0, 'E', 1, 1);
  fake.frame.PlayCd(0);
  for (int tick = 1; tick <= 58; ++tick) fake.frame.OnTimer(kCdCountdownTimer);
  EXPECT_TRUE(fake.frame.m_bCdPlaying);
  fake.frame.OnTimer(kCdCountdownTimer);
  EXPECT_FALSE(fake.frame.m_bCdPlaying);
  EXPECT_EQ(fake.frame.m_nCdSecondsLeft, 0);
  EXPECT_EQ(LastTray().iconId, unsigned{IDR_MAINFRAME});
  EXPECT_EQ(LastTray().tip, "鳴刻");

  // Index 0: no countdown at all.
  CdSlot(1, 'E', 1, 0);
  fake.frame.PlayCd(1);
  for (int tick = 0; tick < 100000; ++tick) fake.frame.TickCdCountdown();
  EXPECT_TRUE(fake.frame.m_bCdPlaying);
}

TEST_F(CdPlayerTest, ALaterPlaybackOverwritesALeftoverCountdown) {
  CdSlot(0, 'E', 1, 1);
  fake.frame.PlayCd(0);
  fake.frame.StopCd();  // a click on the icon: the countdown runs on
  EXPECT_EQ(fake.frame.m_nCdSecondsLeft, 60);
  CdSlot(1, 'E', 1, 0);
  fake.frame.PlayCd(1);
  EXPECT_EQ(fake.frame.m_nCdSecondsLeft, 0);
  for (int tick = 0; tick < 100; ++tick) fake.frame.TickCdCountdown();
  EXPECT_TRUE(fake.frame.m_bCdPlaying);
}

TEST_F(CdPlayerTest, ASecondDriveStopsTheFirstAndRepeatsItself) {
  CdSlot(0, 'E', 1, 0);
  CdSlot(1, 'F', 4, 0);
  fake.frame.PlayCd(0);
  fake.mci.sent.clear();
  fake.frame.PlayCd(1);
  ASSERT_GE(fake.mci.sent.size(), 3u);
  EXPECT_EQ(fake.mci.sent[0], "stop E:");
  EXPECT_EQ(fake.mci.sent[1], "close E:");
  EXPECT_EQ(fake.mci.sent[2], "open F: type CDAudio");
  fake.mci.sent.clear();
  fake.frame.OnMciNotify(kMciNotifySuccessful);
  fake.frame.StopCd();
  EXPECT_EQ(fake.mci.sent,
            (Strings{"play F: from 150000 to 210000 notify", "stop F:", "close F:"}));
}

TEST_F(CdPlayerTest, ReplayOnTheSameDriveStopsItFirst) {
  CdSlot(0, 'E', 1, 0);
  fake.frame.PlayCd(0);
  fake.mci.sent.clear();
  fake.frame.PlayCd(0);
  ASSERT_GE(fake.mci.sent.size(), 3u);
  EXPECT_EQ(fake.mci.sent[0], "stop E:");
  EXPECT_EQ(fake.mci.sent[1], "close E:");
  EXPECT_EQ(fake.mci.sent[2], "open E: type CDAudio");
}

}  // namespace
