#pragma once

#include "reservations/profile.h"
#include "reservations/reservation_table.h"

class Alerts;
class CdPlayback;
class Clock;
class ExecutableLocation;
class ProfileStore;
class Shell;
class StringTable;
class WindowTimers;

struct FramePorts {
  Clock& clock;
  Shell& shell;
  Alerts& alerts;
  StringTable& strings;
  ExecutableLocation& location;
  ProfileStore& profileStore;
  WindowTimers& timers;
  CdPlayback& cd;
};

constexpr unsigned kScheduleTimer = 1;
constexpr unsigned kCdCountdownTimer = 2;

// The resident scheduler's hidden window: owns the live table, matches it against the clock
// and carries out what is due.
class CMainFrame {
 public:
  explicit CMainFrame(const FramePorts& ports);

  void LoadProfile();
  void SaveProfile();

  void OnTimer(unsigned id);
  void CheckSchedule();
  void OnQuickReservation();
  int RunReservation(int slotIndex);
  void ReportError(unsigned id);

  bool IsUiBusy() const;

  ReservationTable& Table() { return m_table; }

  // The repeat guard: a firing sets both; the guard lets go when the clock minute moves on.
  int m_bFired = 0;
  long long m_nLastMinute = 60;  // minutes since the epoch; no clock of ours reads 60
  int m_bSettingsOpen = 0;
  // Counts the error boxes open (nested boxes included); nonzero means busy.
  int m_bErrorShowing = 0;
  int m_bNoError = 1;

 private:
  int RunFile(const Reservation& slot);
  int RunMessage(const Reservation& slot);

  FramePorts m_ports;
  Profile m_profile;
  ReservationTable m_table;
};
