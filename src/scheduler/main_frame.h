#pragma once

#include "platform/frame_handler.h"
#include "reservations/profile.h"
#include "reservations/reservation_table.h"

class Alerts;
class Clock;
class DialogHost;
class Drives;
class ExecutableLocation;
class Foreground;
class Mci;
class PopupMenu;
class Power;
class ProfileStore;
class RunKey;
class Shell;
class StringTable;
class TextCodec;
class TrayIcon;
class WindowTimers;

struct FramePorts {
  Clock& clock;
  Shell& shell;
  Alerts& alerts;
  StringTable& strings;
  ExecutableLocation& location;
  ProfileStore& profileStore;
  WindowTimers& timers;
  Mci& mci;
  Drives& drives;
  TrayIcon& tray;
  PopupMenu& menu;
  Foreground& foreground;
  Power& power;
  DialogHost& dialogs;
  RunKey& runKey;
  TextCodec& textCodec;
};

constexpr int kMciStringSize = 260;
constexpr int kTipSize = 64;

// The MCI commands for one drive letter.
struct CdCommandSet {
  char open[kMciStringSize];
  char trackCount[kMciStringSize];
  char timeFormat[kMciStringSize];
  char trackPosition[kMciStringSize];
  char trackLength[kMciStringSize];
  char play[kMciStringSize];
  char stop[kMciStringSize];
  char close[kMciStringSize];
};

// What the notification-area icon shows.
struct TrayIconState {
  unsigned iconId;
  char tip[kTipSize];
};

constexpr unsigned WM_TRAYNOTIFY = 0x0400 + 100;
constexpr long kBroadcastQueryDeny = 0x424D5144;
constexpr unsigned kMouseLeftDown = 0x0201;
constexpr unsigned kMouseRightDown = 0x0204;
constexpr int kTrayPopup = 0;
constexpr int kTrayPopupFull = 2;

constexpr unsigned kScheduleTimer = 1;
constexpr unsigned kCdCountdownTimer = 2;

// The resident scheduler's hidden window: owns the live table, matches it against the clock
// and carries out what is due.
class CMainFrame : public FrameHandler {
 public:
  explicit CMainFrame(const FramePorts& ports);

  // Window messages, after the window layer's own part of each.
  // -1, after telling the user, when the profile cannot be read: the program must not run
  // and later write over the reservations it could not load.
  int OnCreate() override;
  void OnTrayNotify(unsigned mouseMessage) override;
  // Handles the frame's own commands; false for those that go on to the application.
  bool OnCommand(unsigned id) override;
  void OnClose() override;
  bool OnQueryEndSession() override;
  void OnEndSession(bool ending) override;
  void OnTaskbarCreated() override;

  // False when the file exists but still cannot be read after a short wait.
  bool LoadProfile();
  // False when the file could not be written.
  bool SaveProfile();

  void OnTimer(unsigned id) override;
  void CheckSchedule();
  void OnQuickReservation();
  void OnSettings();
  int RunReservation(int slotIndex);
  void ReportError(unsigned id);

  bool PrepareCdCommands(int slotIndex);
  int PlayCd(int slotIndex);
  void StopCd();
  void OnMciNotify(unsigned code) override;
  void TickCdCountdown();

  bool IsUiBusy() const;

  ReservationTable& Table() { return m_table; }

  // The repeat guard: a firing sets both; the guard lets go when the clock minute moves on.
  int m_bFired = 0;
  long long m_nLastMinute = 60;  // a count of local minutes; no clock of ours reads 60
  int m_bSettingsOpen = 0;
  // Counts the error boxes open (nested boxes included); nonzero means busy.
  int m_bErrorShowing = 0;
  int m_bNoError = 1;

  int m_bCdPlaying = 0;
  int m_nCdTrack = 0;
  int m_nCdSecondsLeft = 0;  // 0: no countdown
  char m_szMciReturn[kMciStringSize] = {};
  CdCommandSet m_cdCommands = {};  // of the drive last prepared
  // Of the drive that was opened: stop, close and repeat address it, whatever was prepared
  // since, so a second drive never leaves the first one playing.
  CdCommandSet m_cdDevice = {};
  char m_szCdPlay[kMciStringSize] = {};  // the play command with the range last appended
  TrayIconState m_nid = {};

 private:
  int RunFile(const Reservation& slot);
  int RunMessage(const Reservation& slot);
  void ShowTrayIcon(unsigned iconId, const char* tip);
  // Closing and the end of the session: timers, CD, profile, icon, in this order.
  void Shutdown();
  void StartTimers();
  // Sends a query or the time format; false when the device refused it.
  bool Query(const char* command);
  int CdFailed(unsigned id);
  // A box naming the profile file, shown whatever NoError says: the user's data is at stake.
  void ReportProfileFailure(const char* what);

  FramePorts m_ports;
  Profile m_profile;
  ReservationTable m_table;
};
