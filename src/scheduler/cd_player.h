#pragma once

#include "reservations/reservation.h"
#include "scheduler/mci_playback.h"

class Drives;
class Mci;

// What the CD player needs of the window that holds it.
class CdPlayerHost : public PlaybackHost {
 public:
  virtual void ReportError(unsigned id) = 0;
};

// Plays one track of an audio CD through MCI command strings, again each time it ends, until
// its time is up or it is stopped; the icon shows a disc meanwhile.
class CdPlayer : public MciPlayback {
 public:
  CdPlayer(Mci& mci, Drives& drives, CdPlayerHost& host);

  // 1 when the slot's track plays; 0 after a failure, which the host has been told.
  int Play(const Reservation& slot);
  void Stop() override;

 private:
  // The MCI commands for one drive letter.
  struct CommandSet {
    char name[3];  // the device's, "E:"
    char open[kMciStringSize];
    char trackCount[kMciStringSize];
    char timeFormat[kMciStringSize];
    char trackPosition[kMciStringSize];
    char trackLength[kMciStringSize];
    char play[kMciStringSize];
    char stop[kMciStringSize];
    char close[kMciStringSize];
  };

  // Builds the commands for the slot's drive; false, with the set unchanged, when it is no
  // CD-ROM drive.
  bool PrepareCdCommands(int drive);
  // Sends a query or the time format; false when the device refused it.
  bool Query(const char* command);
  int Failed(unsigned id);
  void ReportRepeatFailure() override;

  Drives& m_drives;
  CdPlayerHost& m_host;
  int m_nCdTrack = 0;
  char m_szMciReturn[kMciStringSize] = {};
  CommandSet m_commands = {};  // of the drive last prepared
  // Of the drive that was opened: stop, close and repeat address it, whatever was prepared
  // since, so a second drive never leaves the first one playing.
  CommandSet m_device = {};
};
