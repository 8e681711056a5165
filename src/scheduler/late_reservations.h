#pragma once

#include <ctime>
#include <optional>
#include <vector>

#include "scheduler/schedule_matcher.h"

class Clock;
class MissedReservations;
class ReservationTable;
class RunRecord;
class Tray;

// What the matching needs of the frame that carries the reservations out.
class DueRunner {
 public:
  virtual ~DueRunner() = default;
  virtual int RunReservation(int slotIndex) = 0;
  // The next reservation due may have changed.
  virtual void ResetWakeTimer() = 0;
};

struct LateReservationPorts {
  Clock& clock;
  RunRecord& runRecord;
};

// The table matched against the clock: what falls due runs, what was found late runs if it is
// not too late, and what was missed, while the program was closed included, is told in a
// balloon and in the idle icon's tip instead.
class LateReservations {
 public:
  // `daysOff` are the frame's, which the settings replace in place.
  LateReservations(const LateReservationPorts& ports, ReservationTable& table,
                   const DaysOff& daysOff, MissedReservations& missed, Tray& tray,
                   DueRunner& runner);

  // At the start: what fell due since the last run looked at the clock is told, never run.
  void TellMissedWhileClosed();
  // One look at the clock at `now`: the minutes since the last look, and the current one.
  void Check(long long now);
  // Slots the settings added or changed at `since`: a minute before it does not run them late.
  void Renew(std::vector<bool> renewed, long long since) {
    m_matcher.Renew(std::move(renewed), since);
  }
  std::optional<long long> LastChecked() const { return m_matcher.LastChecked(); }

 private:
  // What fell due while the clock was not checked, up to the minute of `localNow`: each runs, or
  // with `mayRun` false, when too late or when a later time of its repeat came, is told; true
  // when one was told.
  bool OnSkipped(const ScheduleMatcher::Skip& skip, const std::tm& localNow, bool mayRun);
  // Runs what fell due, and erases it if it asks to be, unless it is too late; true when it
  // was told as missed instead.
  bool RunOrTell(const ScheduleMatcher::Occurrence& due);
  // Notes a reservation missed in that local minute, unless that minute was told already, and
  // erases it if it asks to be; true when it was noted.
  bool Tell(const ScheduleMatcher::Due& due, const std::tm& local, long long minute);
  // Tells of what was missed, in a balloon and in the idle icon's tip.
  void ReportMissed();

  LateReservationPorts m_ports;
  ReservationTable& m_table;
  const DaysOff& m_daysOff;
  MissedReservations& m_missed;
  Tray& m_tray;
  DueRunner& m_runner;
  ScheduleMatcher m_matcher;
};
