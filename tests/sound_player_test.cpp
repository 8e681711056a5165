#include "scheduler/sound_player.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "fakes/fake_devices.h"
#include "resource.h"
#include "text/cp932.h"

namespace {

using Strings = std::vector<std::string>;

// The frame as the player sees it: the failures it reports and the icons it shows.
class FakeSoundHost : public SoundPlayerHost {
 public:
  void ReportFailure(const std::string& text) override {
    failures.push_back(text);
    if (whileReporting) whileReporting();
  }
  void ShowTrayIcon(unsigned iconId, const char* tip) override {
    icons.push_back(iconId);
    tips.push_back(tip);
  }
  void OnDeviceOpened(const MciPlayback&) override {}  // the frame's part, tested there
  Strings failures;
  std::vector<unsigned> icons;
  Strings tips;
  std::function<void()> whileReporting;
};

class SoundPlayerTest : public ::testing::Test {
 protected:
  static Reservation SoundSlot(const char* file, int time) {
    Reservation slot{};
    slot.Action = ACTION_SOUND;
    cp932::CopyToField(slot.FileName, file);
    slot.Time = time;
    return slot;
  }
  // The notification of the device last opened.
  void Notify(bool successful) { player.OnNotify(successful, mci.ids.at("chimeday")); }
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
  FakeSoundHost host;
  SoundPlayer player{mci, host};
};

TEST_F(SoundPlayerTest, PlaysTheFileFromItsStartUntilItsTimeIsUp) {
  EXPECT_EQ(player.Play(SoundSlot("C:\\音\\朝 の.wav", 1)), 1);
  EXPECT_EQ(mci.sent, (Strings{"open \"C:\\音\\朝 の.wav\" type waveaudio alias chimeday",
                               "play chimeday from 0 notify"}));
  EXPECT_EQ(mci.notified, (std::vector<bool>{false, true}));
  EXPECT_TRUE(player.IsPlaying());
  EXPECT_EQ(host.icons, std::vector<unsigned>{IDI_CD_PLAYING});
  // The icon is the CD's, as a click stops either; the tip names what plays.
  EXPECT_EQ(host.tips, Strings{"サウンド再生中です クリックで停止します"});

  // Played to its end: again from the start; an aborted play is not repeated.
  mci.sent.clear();
  Notify(true);
  Notify(false);
  Notify(true);
  EXPECT_EQ(mci.sent, Strings(2, "play chimeday from 0 notify"));

  // A minute: stopped by the 59th tick, as the CD is.
  EXPECT_EQ(TicksUntilStopped(1000), 59);
  EXPECT_EQ(mci.sent, (Strings{"stop chimeday", "close chimeday"}));
  EXPECT_FALSE(player.IsPlaying());
  EXPECT_EQ(host.icons.back(), unsigned{IDR_MAINFRAME});
  EXPECT_EQ(host.tips.back(), "鳴刻");
  mci.sent.clear();
  const unsigned stopped = mci.ids.at("chimeday");
  Notify(true);
  EXPECT_TRUE(mci.sent.empty()) << "a notification after the stop";
  EXPECT_TRUE(host.failures.empty());

  // Index 0: until it is stopped.
  player.Play(SoundSlot("C:\\a.wav", 0));
  EXPECT_EQ(TicksUntilStopped(100000), 0);
  EXPECT_TRUE(player.IsPlaying());
  // The device stopped before comes late with its end: the new sound does not start over.
  player.OnNotify(true, stopped);
  EXPECT_TRUE(mci.sent.empty());
}

TEST_F(SoundPlayerTest, TheDeviceComesFromTheExtension) {
  const struct {
    const char* file;
    const char* type;
  } cases[] = {
      {"C:\\a.wav", "waveaudio"},    {"C:\\A.WAV", "waveaudio"},  {"C:\\a.mp3", "mpegvideo"},
      {"C:\\a.WMA", "mpegvideo"},    {"C:\\a.mid", "sequencer"},  {"C:\\a.Midi", "sequencer"},
      {"C:\\a.rmi", "sequencer"},    {"C:\\a.m4a", "mpegvideo"},  {"C:\\a", "mpegvideo"},
      {"C:\\a.wav\\b", "mpegvideo"}, {"C:\\表.wav", "waveaudio"}, {"C:\\a.wav ", "mpegvideo"},
  };
  for (const auto& c : cases) {
    mci.sent.clear();
    player.Play(SoundSlot(c.file, 0));
    ASSERT_FALSE(mci.sent.empty());
    EXPECT_EQ(mci.sent[0],
              "open \"" + std::string(c.file) + "\" type " + c.type + " alias chimeday");
    player.Stop();
  }
}

TEST_F(SoundPlayerTest, AFileThatFillsItsFieldIsOpenedWhole) {
  Reservation slot = SoundSlot("", 0);
  std::string longest = "C:\\" + std::string(kFileNameSize - 1 - 7, 's') + ".wav";
  cp932::CopyToField(slot.FileName, longest);
  ASSERT_EQ(std::string(slot.FileName), longest);
  player.Play(slot);
  ASSERT_FALSE(mci.sent.empty());
  EXPECT_EQ(mci.sent[0], "open \"" + longest + "\" type waveaudio alias chimeday");
}

TEST_F(SoundPlayerTest, EachFailureIsToldWithTheFileAndLeavesTheDeviceClosed) {
  const struct {
    const char* failing;
    Strings sent;
    const char* text;
  } cases[] = {
      {"open",
       {"open \"D:\\x.wav\" type waveaudio alias chimeday"},
       "指定されたサウンドファイルを開けませんでした\nD:\\x.wav"},
      {"play",
       {"open \"D:\\x.wav\" type waveaudio alias chimeday", "play chimeday from 0 notify",
        "stop chimeday", "close chimeday"},
       "サウンドファイルの再生に失敗しました\nD:\\x.wav"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.failing);
    mci.sent.clear();
    host.failures.clear();
    mci.failures = {c.failing};
    bool idleWhileReported = false;
    host.whileReporting = [&] {
      idleWhileReported =
          !player.IsPlaying() && (host.icons.empty() || host.icons.back() == IDR_MAINFRAME);
    };
    EXPECT_EQ(player.Play(SoundSlot("D:\\x.wav", 5)), 0);
    EXPECT_EQ(mci.sent, c.sent);
    EXPECT_EQ(host.failures, Strings{c.text});
    EXPECT_TRUE(idleWhileReported);
    EXPECT_EQ(TicksUntilStopped(1000), 0) << "a failure never sets the countdown";
  }

  // A repeat that fails.
  host.whileReporting = nullptr;
  mci.failures.clear();
  host.failures.clear();
  player.Play(SoundSlot("D:\\x.wav", 0));
  mci.failures = {"play"};
  mci.sent.clear();
  Notify(true);
  EXPECT_EQ(mci.sent, (Strings{"play chimeday from 0 notify", "stop chimeday", "close chimeday"}));
  EXPECT_EQ(host.failures, Strings{"サウンドファイルの再生に失敗しました\nD:\\x.wav"});
  EXPECT_FALSE(player.IsPlaying());
}

// From the profile or the editor: a quote would end the quoted name in the open command and
// make the rest of the field words of the command.
TEST_F(SoundPlayerTest, AFileNameWithAQuoteIsRefusedWithoutACommand) {
  ASSERT_EQ(player.Play(SoundSlot("C:\\a.wav", 0)), 1);
  mci.sent.clear();
  const std::string quoted = "C:\\b.wav\" type sequencer alias other shareable";
  EXPECT_EQ(player.Play(SoundSlot(quoted.c_str(), 0)), 0);
  EXPECT_TRUE(mci.sent.empty());
  EXPECT_EQ(host.failures, Strings{"指定されたサウンドファイルを開けませんでした\n" + quoted});
  // What played plays on, and a failure of its own still names its file.
  EXPECT_TRUE(player.IsPlaying());
  mci.failures = {"play"};
  Notify(true);
  EXPECT_EQ(host.failures.back(), "サウンドファイルの再生に失敗しました\nC:\\a.wav");
}

TEST_F(SoundPlayerTest, ASecondSoundClosesTheFirstBeforeItOpens) {
  player.Play(SoundSlot("C:\\a.wav", 0));
  mci.sent.clear();
  player.Play(SoundSlot("C:\\b.mp3", 0));
  EXPECT_EQ(mci.sent, (Strings{"stop chimeday", "close chimeday",
                               "open \"C:\\b.mp3\" type mpegvideo alias chimeday",
                               "play chimeday from 0 notify"}));
}

}  // namespace
