#pragma once

#include <ctime>
#include <optional>

#include "platform/frame_handler.h"
#include "reservations/profile.h"
#include "reservations/reservation_table.h"
#include "scheduler/cd_player.h"
#include "scheduler/missed_reservations.h"
#include "scheduler/schedule_matcher.h"
#include "scheduler/sound_player.h"

class Alerts;
class Clock;
class Drives;
class ExecutableLocation;
class Foreground;
class Mci;
class PopupMenu;
class Power;
class ProfileStore;
class RunRecord;
class Shell;
class StringTable;
class TableEditor;
class TextCodec;
class TrayIcon;
class UiBusy;
class WakeTimer;
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
  TextCodec& textCodec;
  WakeTimer& wakeTimer;
  RunRecord& runRecord;
};

// Fixed: WM_TIMER carries these ids, and a WM_TIMER posted from outside names them.
constexpr unsigned kScheduleTimer = 1;
constexpr unsigned kCdCountdownTimer = 2;
constexpr unsigned kTrayAddTimer = 3;

// The resident scheduler's hidden window: owns the live table, matches it against the clock
// and carries out what is due.
class CMainFrame : public FrameHandler, private CdPlayerHost, private SoundPlayerHost {
 public:
  CMainFrame(const FramePorts& ports, UiBusy& busy, TableEditor& settings);

  // Window messages, after the window layer's own part of each.
  // -1 when the profile cannot be read and the user gives up: the program must not run and
  // later write over the reservations it could not load.
  int OnCreate() override;
  void OnTimer(unsigned id) override;
  void OnTrayNotify(TrayMouse mouse) override;
  // Handles the frame's own commands; false for those that go on to the application.
  bool OnCommand(unsigned id) override;
  void OnMciNotify(bool successful, unsigned device) override;
  void OnClose() override;
  bool OnQueryEndSession() override;
  void OnEndSession(bool ending) override;
  void OnTaskbarCreated() override;
  void OnResume() override;
  void OnTimeChange() override;

  // False when the file exists but cannot be read in `attempts` reads, 100 ms apart.
  bool LoadProfile(int attempts);
  // False when the file could not be written.
  bool SaveProfile();

  void CheckSchedule();
  void OnQuickReservation();
  void OnSettings();
  int RunReservation(int slotIndex);
  void ReportError(unsigned id) override;

  ReservationTable& Table() { return m_table; }
  // Nonzero: failures are not shown.
  int NoError() const { return m_bNoError; }
  void SetNoError(int noError) { m_bNoError = noError; }

 private:
  // What the notification-area icon shows.
  struct TrayIconState {
    unsigned iconId;
    char tip[64];
  };

  // What fell due while the clock was not checked: each runs, or with `mayRun` false or when
  // too late, is told; true when one was told.
  bool OnSkipped(const ScheduleMatcher::Skip& skip, bool mayRun);
  // Runs what fell due, and erases it if it asks to be, unless it is too late; true when it
  // was told as missed instead.
  bool RunOrTell(const ScheduleMatcher::Occurrence& due);
  // Notes a reservation missed in that local minute, unless that minute was told already, and
  // erases it if it asks to be; true when it was noted.
  bool Tell(const ScheduleMatcher::Due& due, const std::tm& local, long long minute);
  // At the start: what fell due since the last run looked at the clock is told, never run.
  void TellMissedWhileClosed();
  // Tells of what was missed, in a balloon and in the idle icon's tip.
  void ReportMissed();
  int RunFile(const Reservation& slot);
  int RunMessage(const Reservation& slot);
  void ShowTrayIcon(unsigned iconId, const char* tip) override;
  // One of the two plays at a time: the other stops once this one's device is open.
  void OnDeviceOpened(const MciPlayback& player) override;
  // A box captioned as every failure's, unless NoError is set.
  void ReportFailure(const std::string& text) override;
  // While waking is on, the display stays on from the start of an action for as long as it
  // plays; made around each action.
  class DisplayHold {
   public:
    explicit DisplayHold(CMainFrame& frame);
    ~DisplayHold() { m_frame.ReleaseDisplayWhenIdle(); }
    DisplayHold(const DisplayHold&) = delete;
    DisplayHold& operator=(const DisplayHold&) = delete;

   private:
    CMainFrame& m_frame;
  };

  // Closing and the end of the session: timers, CD or sound, the display and the wake timer,
  // profile, icon, in this order.
  void Shutdown();
  void StartTimers();
  // Adds the icon as it is now; where the shell refuses it, tries again on a timer until it
  // takes it.
  void AddTrayIcon();
  void DeleteTrayIcon();
  // A box naming the profile file, shown whatever NoError says: the user's data is at stake.
  // With `offerRetry` it offers 再試行 and キャンセル instead of OK; true for 再試行.
  bool ReportProfileFailure(const char* what, bool offerRetry);
  // While waking is on: the wake timer set for the next reservation due, or cancelled when none
  // is. The system is kept awake unless it will wake for what is due.
  void ResetWakeTimer();
  void HoldSystemAwake(bool hold);
  void ReleaseDisplayWhenIdle();

  FramePorts m_ports;
  UiBusy& m_busy;
  TableEditor& m_settings;
  Profile m_profile;
  ReservationTable m_table;
  CdPlayer m_cd;
  SoundPlayer m_sound;
  Options m_options;
  int& m_bNoError = m_options.noError;  // read where failures are told
  // The user turned waking on and has not yet been told that the system cannot wake for it.
  bool m_bTellWakeFailure = false;
  bool m_bDisplayHeld = false;
  bool m_bSystemHeld = false;
  // The time the wake timer was last set for, while waking is on.
  std::optional<long long> m_wakeAt;
  // "ArrayStock" as read, written back as it was even where the table holds fewer slots.
  int m_nSlotCount = kDefaultSlotCount;
  TrayIconState m_nid = {};
  bool m_bTrayAddPending = false;
  ScheduleMatcher m_matcher;
  MissedReservations m_missed;
};
