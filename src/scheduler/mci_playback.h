#pragma once

#include <string>

#include "reservations/reservation.h"

class Mci;
class MciPlayback;

constexpr int kMciStringSize = 260;

// What a player needs of the window that holds it to show that it plays.
class PlaybackHost {
 public:
  virtual ~PlaybackHost() = default;
  virtual void ShowTrayIcon(unsigned iconId, const char* tip) = 0;
  // `player`'s device has just opened. Whatever else plays stops here rather than before, so
  // that a playback that fails to start leaves it playing.
  virtual void OnDeviceOpened(const MciPlayback& player) = 0;
};

// What the CD and the sound player share: a play command that is sent again each time it has
// played to its end, until its time is up or the playback is stopped, and the icon that says
// meanwhile that a click stops it.
class MciPlayback {
 public:
  MciPlayback(const MciPlayback&) = delete;
  MciPlayback& operator=(const MciPlayback&) = delete;

  virtual void Stop() = 0;
  // The notification of `device` that a play command ended, played to its end or not. That of
  // another device is ignored: it may come late from one stopped since.
  void OnNotify(bool successful, unsigned device);
  // Once a second: stops the playback when its time is up.
  void TickCountdown();
  bool IsPlaying() const { return m_bCdPlaying; }
  // Stopped for the other player, and the countdown with it: one left by a click would later
  // send the stop again.
  void Halt();

 protected:
  MciPlayback(Mci& mci, PlaybackHost& host);
  ~MciPlayback() = default;

  // The device has been opened under `name`: Stop must close it, its notifications repeat the
  // play command, and the host is told.
  void Opened(const char* name);
  // Sends `command` with a notification to the frame and keeps it for the repeats.
  bool PlayNotified(const std::string& command);
  // Counts down `time` and shows the icon of a playback, with the player's own tip.
  void ShowPlaying(DurationIndex time, const char* tip);
  // Sends both commands, whose results are ignored, and shows the idle icon.
  void StopDevice(const char* stop, const char* close);
  virtual void ReportRepeatFailure() = 0;

  Mci& m_mci;

 private:
  PlaybackHost& m_host;
  bool m_bCdPlaying = false;  // a track or a sound file: a click stops either
  unsigned m_deviceId = 0;    // of the device last opened
  int m_nCdSecondsLeft = 0;   // 0: no countdown
  char m_playCommand[kMciStringSize] = {};
};
