#pragma once

#include <optional>

#include "platform/frame_handler.h"
#include "platform/popup_menu.h"
#include "reservations/options.h"
#include "reservations/reservation_table.h"
#include "scheduler/actions.h"
#include "scheduler/late_reservations.h"
#include "scheduler/missed_reservations.h"
#include "scheduler/pending_timers.h"
#include "scheduler/profile_session.h"
#include "scheduler/snooze.h"
#include "scheduler/tray.h"
#include "scheduler/tray_activation.h"
#include "scheduler/waking.h"

class Alerts;
class Clock;
class Drives;
class ExecutableLocation;
class Foreground;
class Mci;
class Power;
class ProfileStore;
class RunRecord;
class Shell;
class StringTable;
class TableEditor;
class TextCodec;
class TimerPrompt;
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

// The resident scheduler's hidden window. It owns the live table and the options, and routes
// the window's messages, in their order of steps, to the parts that each own one concern: the
// profile file, the icon, waking, the actions, and the late and missed reservations.
class CMainFrame : public FrameHandler, private DueRunner {
 public:
  CMainFrame(const FramePorts& ports, UiBusy& busy, TableEditor& settings,
             TimerPrompt& timerPrompt);

  // Window messages, after the window layer's own part of each.
  // -1 when the profile cannot be read and the user gives up: the program must not run and
  // later write over the reservations it could not load.
  int OnCreate() override;
  void OnTimer(unsigned id) override;
  void OnTrayNotify(TrayEvent event) override;
  // Handles the frame's own commands; false for those that go on to the application.
  bool OnCommand(unsigned id) override;
  void OnMciNotify(bool successful, unsigned device) override;
  void OnClose() override;
  bool OnQueryEndSession() override;
  void OnEndSession(bool ending) override;
  void OnTaskbarCreated() override;
  void OnDpiChanged() override;
  void OnResume() override;
  void OnTimeChange() override;

  // False when the file exists but cannot be read in `attempts` reads, 100 ms apart.
  bool LoadProfile(int attempts);
  // False when the file could not be written.
  bool SaveProfile();

  void CheckSchedule();
  void OnQuickReservation();
  void OnTimerReservation();
  void OnSettings();
  void OnSnooze();
  int RunReservation(int slotIndex) override;
  void ReportError(unsigned id) { m_actions.ReportError(id); }

  ReservationTable& Table() { return m_table; }
  // Nonzero: failures are not shown.
  int NoError() const { return m_bNoError; }
  void SetNoError(int noError) { m_bNoError = noError; }

 private:
  // While waking is on, the display stays on from the start of an action for as long as it
  // plays; made around each action.
  class DisplayHold {
   public:
    explicit DisplayHold(CMainFrame& frame) : m_frame(frame) { frame.m_waking.HoldDisplay(); }
    ~DisplayHold() { m_frame.ReleaseDisplayWhenIdle(); }
    DisplayHold(const DisplayHold&) = delete;
    DisplayHold& operator=(const DisplayHold&) = delete;

   private:
    CMainFrame& m_frame;
  };

  // Closing and the end of the session: timers, CD or sound, the display and the wake timer,
  // profile, the record of the last check, icon, in this order.
  void Shutdown();
  void StartTimers();
  void ResetWakeTimer() override { m_waking.Reset(m_table, m_snooze.DueAt()); }
  void ReleaseDisplayWhenIdle();
  // The tray menu's first item: snooze the play this click stopped, or cancel a waiting snooze.
  std::optional<PopupMenu::Item> SnoozeItem(bool stoppedPlay);
  // A snoozed slot plays again as it is now; one no longer playing a CD or a sound does nothing.
  void RunDueSnooze(long long now);
  // Whether the slot holds a CD or a sound reservation.
  bool SlotPlays(int slotIndex) const;
  // A message that shows once, `minutes` from now, in the last empty slot; the slot, or -1 when
  // the table is full.
  int SetMessageIn(int minutes, const char* message);
  // The icon's tip follows the timers that have gone off or were deleted.
  void UpdateTimerTip();

  FramePorts m_ports;
  UiBusy& m_busy;
  TableEditor& m_settings;
  TimerPrompt& m_timerPrompt;
  ReservationTable m_table;
  Options m_options;
  int& m_bNoError = m_options.noError;  // read where failures are told
  MissedReservations m_missed;
  ProfileSession m_profile;
  Tray m_tray;
  TrayActivation m_trayActivation;
  Waking m_waking;
  Actions m_actions;
  LateReservations m_late;
  Snooze m_snooze;
  std::optional<int> m_playingSlot;  // the slot whose CD or sound plays, or last played
  std::optional<int> m_offeredSlot;  // the slot the tray menu offers to snooze
  PendingTimers m_pendingTimers;
};
