#include "scheduler/cd_player.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "fakes/fake_devices.h"
#include "resource.h"

namespace {

using Strings = std::vector<std::string>;

// The frame as the player sees it: the errors it reports and the icons it shows.
class FakeCdHost : public CdPlayerHost {
 public:
  void ReportError(unsigned id) override {
    errors.push_back(id);
    if (whileReporting) whileReporting();
  }
  void ShowTrayIcon(unsigned iconId, const char* tip) override {
    icons.push_back(iconId);
    tips.push_back(tip);
  }
  void OnDeviceOpened(const MciPlayback&) override {}  // the frame's part, tested there
  std::vector<unsigned> errors;
  std::vector<unsigned> icons;
  Strings tips;
  std::function<void()> whileReporting;
};

class CdPlayerTest : public ::testing::Test {
 protected:
  CdPlayerTest() {
    drives.cdRoms = {'E', 'F'};
    mci.Disc('E', 12);
    mci.Disc('F', 12);
  }

  // A CD reservation for drive letter `letter`.
  static Reservation CdSlot(char letter, int track, int time) {
    Reservation slot{};
    slot.Action = ACTION_CD;
    slot.Drive = letter - 'A' + 1;
    slot.Track = track;
    slot.Time = time;
    return slot;
  }
  // The notification of the device last opened as `drive`.
  void Notify(bool successful, const char* drive = "E:") {
    player.OnNotify(successful, mci.ids.at(drive));
  }
  // Ticks the countdown until the device is stopped; the ticks it took, or 0 after `most`.
  int TicksUntilStopped(int most) {
    mci.sent.clear();
    for (int tick = 1; tick <= most; ++tick) {
      player.TickCountdown();
      if (!mci.sent.empty()) return tick;
    }
    return 0;
  }

  FakeMci mci;
  FakeDrives drives;
  FakeCdHost host;
  CdPlayer player{mci, drives, host};
};

TEST_F(CdPlayerTest, PlaysTheTrackWithTheExactCommandsInOrder) {
  EXPECT_EQ(player.Play(CdSlot('E', 3, 5)), 1);
  EXPECT_EQ(mci.sent,
            (Strings{"stop E:", "close E:", "open E: type CDAudio", "status E: number of tracks",
                     "set E: time format milliseconds", "status E: position track 3",
                     "status E: length track 3", "play E: from 150000 to 210000 notify"}));
  // Only the play command asks for a notification.
  EXPECT_EQ(mci.notified,
            (std::vector<bool>{false, false, false, false, false, false, false, true}));
  EXPECT_EQ(drives.asked, std::vector<char>{'E'});
  EXPECT_TRUE(player.IsPlaying());
  EXPECT_EQ(host.icons.back(), unsigned{IDI_CD_PLAYING});
  EXPECT_EQ(host.tips.back(), "CD再生中です クリックで停止します");
  EXPECT_TRUE(host.errors.empty());
  // Ten minutes: stopped by the 599th tick.
  EXPECT_EQ(TicksUntilStopped(1000), 599);
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
  for (const Step& step : steps) {
    mci.sent.clear();
    host.errors.clear();
    mci.failures = {step.command};
    bool idleWhileReported = false;
    host.whileReporting = [&] {
      idleWhileReported = !player.IsPlaying() && host.icons.back() == IDR_MAINFRAME;
    };
    EXPECT_EQ(player.Play(CdSlot('E', 3, 5)), 0) << step.command;
    ASSERT_EQ(mci.sent.size(), step.sentBeforeStop + 2) << step.command;
    EXPECT_EQ(mci.sent[step.sentBeforeStop], "stop E:");
    EXPECT_EQ(mci.sent[step.sentBeforeStop + 1], "close E:");
    EXPECT_EQ(host.errors, std::vector<unsigned>{step.id});
    EXPECT_TRUE(idleWhileReported) << step.command;
    EXPECT_EQ(TicksUntilStopped(1000), 0) << "a failure never sets the countdown";
  }
}

TEST_F(CdPlayerTest, AFailingOpenReportsWithoutAnotherStop) {
  mci.failures = {"open"};
  EXPECT_EQ(player.Play(CdSlot('E', 3, 5)), 0);
  EXPECT_EQ(mci.sent, (Strings{"stop E:", "close E:", "open E: type CDAudio"}));
  EXPECT_EQ(host.errors, std::vector<unsigned>{IDS_CD_OPEN_FAILED});
  EXPECT_FALSE(player.IsPlaying());
}

TEST_F(CdPlayerTest, ADriveThatIsNoCdRomChangesNothing) {
  ASSERT_EQ(player.Play(CdSlot('E', 3, 0)), 1);
  mci.sent.clear();
  const size_t icons = host.icons.size();
  EXPECT_EQ(player.Play(CdSlot('C', 1, 1)), 0);
  Reservation outside = CdSlot('A', 1, 1);
  outside.Drive = 27;
  EXPECT_EQ(player.Play(outside), 0);
  outside.Drive = 0;
  EXPECT_EQ(player.Play(outside), 0);
  EXPECT_TRUE(mci.sent.empty());
  EXPECT_EQ(host.errors, std::vector<unsigned>(3, IDS_CD_DRIVE_UNUSABLE));
  EXPECT_TRUE(player.IsPlaying());
  EXPECT_EQ(host.icons.size(), icons);
  // The track that plays still repeats on its own drive.
  Notify(true);
  EXPECT_EQ(mci.sent, Strings{"play E: from 150000 to 210000 notify"});
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
    mci.sent.clear();
    mci.replies["status E: number of tracks"] = std::to_string(c.tracks);
    player.Play(CdSlot('E', c.track, 0));
    ASSERT_GE(mci.sent.size(), 6u);
    EXPECT_EQ(mci.sent[5], c.sent) << c.tracks << " tracks, track " << c.track;
  }
}

TEST_F(CdPlayerTest, RepeatsOnSuccessOnlyWhilePlaying) {
  player.Play(CdSlot('E', 2, 0));
  mci.sent.clear();
  Notify(false);  // aborted or superseded
  Notify(true);
  Notify(true);
  EXPECT_EQ(mci.sent, Strings(2, "play E: from 150000 to 210000 notify"));
  player.Stop();
  mci.sent.clear();
  Notify(true);
  EXPECT_TRUE(mci.sent.empty());
}

TEST_F(CdPlayerTest, AFailingRepeatStopsAndReports) {
  player.Play(CdSlot('E', 2, 0));
  mci.sent.clear();
  mci.failures = {"play"};
  Notify(true);
  EXPECT_EQ(mci.sent, (Strings{"play E: from 150000 to 210000 notify", "stop E:", "close E:"}));
  EXPECT_EQ(host.errors, std::vector<unsigned>{IDS_CD_REPEAT_FAILED});
  EXPECT_FALSE(player.IsPlaying());
}

TEST_F(CdPlayerTest, TheCountdownStopsOnTheTickThatReachesOne) {
  player.Play(CdSlot('E', 1, 1));
  EXPECT_EQ(TicksUntilStopped(1000), 59);
  EXPECT_FALSE(player.IsPlaying());
  EXPECT_EQ(host.icons.back(), unsigned{IDR_MAINFRAME});
  EXPECT_EQ(host.tips.back(), "鳴刻");
  EXPECT_EQ(TicksUntilStopped(1000), 0) << "the countdown is over";

  // Index 0: no countdown at all.
  player.Play(CdSlot('E', 1, 0));
  EXPECT_EQ(TicksUntilStopped(100000), 0);
  EXPECT_TRUE(player.IsPlaying());
}

TEST_F(CdPlayerTest, ALaterPlaybackOverwritesALeftoverCountdown) {
  player.Play(CdSlot('E', 1, 1));
  player.Stop();  // a click on the icon: the countdown runs on
  for (int tick = 0; tick < 10; ++tick) player.TickCountdown();
  player.Play(CdSlot('E', 1, 0));
  EXPECT_EQ(TicksUntilStopped(100), 0);
  EXPECT_TRUE(player.IsPlaying());
}

TEST_F(CdPlayerTest, ASecondDriveStopsTheFirstAndRepeatsItself) {
  player.Play(CdSlot('E', 1, 0));
  mci.sent.clear();
  player.Play(CdSlot('F', 4, 0));
  ASSERT_GE(mci.sent.size(), 3u);
  EXPECT_EQ(mci.sent[0], "stop E:");
  EXPECT_EQ(mci.sent[1], "close E:");
  EXPECT_EQ(mci.sent[2], "open F: type CDAudio");
  mci.sent.clear();
  // The first drive's track had ended just before its stop: its notification restarts nothing.
  Notify(true, "E:");
  EXPECT_TRUE(mci.sent.empty());
  Notify(true, "F:");
  player.Stop();
  EXPECT_EQ(mci.sent, (Strings{"play F: from 150000 to 210000 notify", "stop F:", "close F:"}));
}

TEST_F(CdPlayerTest, ReplayOnTheSameDriveStopsItFirst) {
  player.Play(CdSlot('E', 1, 0));
  mci.sent.clear();
  player.Play(CdSlot('E', 1, 0));
  ASSERT_GE(mci.sent.size(), 3u);
  EXPECT_EQ(mci.sent[0], "stop E:");
  EXPECT_EQ(mci.sent[1], "close E:");
  EXPECT_EQ(mci.sent[2], "open E: type CDAudio");
}

}  // namespace
