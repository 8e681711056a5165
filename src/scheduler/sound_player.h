#pragma once

#include <string>

#include "reservations/reservation.h"
#include "scheduler/mci_playback.h"

class Mci;

// What the sound player needs of the window that holds it.
class SoundPlayerHost : public PlaybackHost {
 public:
  // A failure told in the words given, which name the file.
  virtual void ReportFailure(const std::string& text) = 0;
};

// Plays a sound file through MCI command strings, again each time it ends, until its time is
// up or it is stopped; the icon shows the CD's meanwhile, as a click stops either.
class SoundPlayer : public MciPlayback {
 public:
  SoundPlayer(Mci& mci, SoundPlayerHost& host);

  // 1 when the slot's file plays; 0 after a failure, which the host has been told.
  int Play(const Reservation& slot);
  void Stop() override;

 private:
  // Tells `what` failed, with a line naming `file`.
  void Report(const char* what, const std::string& file);
  void ReportRepeatFailure() override;

  SoundPlayerHost& m_host;
  std::string m_file;  // of the playback, for the box of a failure
};

// The MCI device that plays the file, by its extension.
const char* SoundDeviceType(const std::string& file);
