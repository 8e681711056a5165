#pragma once

#include <string>

#include "reservations/options.h"
#include "reservations/reservation.h"
#include "scheduler/cd_player.h"
#include "scheduler/sound_player.h"

class Alerts;
class Drives;
class Mci;
class Shell;
class StringTable;
class Tray;

struct ActionPorts {
  Shell& shell;
  StringTable& strings;
  Alerts& alerts;
  Mci& mci;
  Drives& drives;
};

// What a reservation does: play a CD track or a sound file, run a file through the shell, or
// show its message in a window of its own; each failure told in a box unless NoError is set.
class Actions : private CdPlayerHost, private SoundPlayerHost {
 public:
  Actions(const ActionPorts& ports, const Options& options, Tray& tray);

  // 1 when the slot's action was carried out or it has none; 0 after a failure, which was told.
  int Run(const Reservation& slot);
  int PlayCd(const Reservation& slot) { return m_cd.Play(slot); }
  // Stops the CD or the sound, whichever plays.
  void StopCd();
  // Once a second: each play stops when its time is up.
  void TickCdCountdown();
  // Each player acts only on its own device's notification.
  void OnMciNotify(bool successful, unsigned device);
  // Whether a CD track or a sound file plays.
  bool IsPlaying() const { return m_cd.IsPlaying() || m_sound.IsPlaying(); }
  void ReportError(unsigned id) override;

 private:
  int RunFile(const Reservation& slot);
  int RunMessage(const Reservation& slot);
  void ShowTrayIcon(unsigned iconId, const char* tip) override;
  // One of the two plays at a time: the other stops once this one's device is open.
  void OnDeviceOpened(const MciPlayback& player) override;
  // A box captioned as every failure's, unless NoError is set.
  void ReportFailure(const std::string& text) override;

  ActionPorts m_ports;
  const Options& m_options;
  Tray& m_tray;
  CdPlayer m_cd;
  SoundPlayer m_sound;
};
