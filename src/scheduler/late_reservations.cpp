#include "scheduler/late_reservations.h"

#include <utility>

#include "platform/clock.h"
#include "platform/run_record.h"
#include "reservations/reservation_table.h"
#include "reservations/schedule_rule.h"
#include "scheduler/late_run_limit.h"
#include "scheduler/missed_reservations.h"
#include "scheduler/tray.h"
#include "texts.h"

LateReservations::LateReservations(const LateReservationPorts& ports, ReservationTable& table,
                                   const DaysOff& daysOff, MissedReservations& missed, Tray& tray,
                                   DueRunner& runner)
    : m_ports(ports),
      m_table(table),
      m_daysOff(daysOff),
      m_missed(missed),
      m_tray(tray),
      m_runner(runner) {}

void LateReservations::Check(long long now) {
  const std::tm localNow = m_ports.clock.LocalTime(now);
  bool missed = OnSkipped(m_matcher.Skipped(m_table, m_daysOff, now, localNow, m_ports.clock),
                          localNow, true);
  const std::optional<ScheduleMatcher::Occurrence> due =
      m_matcher.Current(m_table, m_daysOff, now, localNow);
  if (due) missed = RunOrTell(*due) || missed;
  if (!missed) return;
  ReportMissed();
  // A one-off told as missed is gone.
  m_runner.ResetWakeTimer();
}

bool LateReservations::OnSkipped(const ScheduleMatcher::Skip& skip, const std::tm& localNow,
                                 bool mayRun) {
  bool missed = false;
  for (const ScheduleMatcher::Earlier& earlier : skip.earlier) {
    missed = Tell(earlier.due, earlier.local, earlier.minute) || missed;
    m_missed.NoteUncounted();
  }
  if (skip.late.empty()) return missed;  // a normal tick: nothing to allocate
  // A repeat rings once for the times it was late: at the latest of them, unless one of its
  // times is the minute of now.
  std::vector<std::size_t> latestOf(static_cast<std::size_t>(m_table.Size()), skip.late.size());
  for (std::size_t i = 0; i < skip.late.size(); ++i) {
    latestOf[static_cast<std::size_t>(skip.late[i].due.index)] = i;
  }
  for (std::size_t i = 0; i < skip.late.size(); ++i) {
    const ScheduleMatcher::Occurrence& late = skip.late[i];
    const Reservation& slot = m_table[late.due.index];
    // Erased at an earlier minute of the same walk: it would have run no more.
    if (IsEmpty(slot)) continue;
    const bool superseded =
        RepeatOf(slot) &&
        (latestOf[static_cast<std::size_t>(late.due.index)] != i ||
         (FallsAtMinute(slot, localNow.tm_hour, localNow.tm_min) &&
          FallsOnDay(slot, calendar::DateOf(localNow), localNow.tm_wday, m_daysOff)));
    missed = (mayRun && !superseded ? RunOrTell(late) : Tell(late.due, late.local, late.minute)) ||
             missed;
  }
  return missed;
}

void LateReservations::TellMissedWhileClosed() {
  m_matcher = ScheduleMatcher();
  const std::optional<long long> lastCheck = m_ports.runRecord.Take();
  const long long now = m_ports.clock.Now();
  const std::tm localNow = m_ports.clock.LocalTime(now);
  // A record that no earlier run could have written tells nothing.
  if (lastCheck && *lastCheck >= 0 && *lastCheck <= now) {
    m_matcher.LookBackFrom(*lastCheck, m_ports.clock.LocalTime(*lastCheck));
    const ScheduleMatcher::Skip skip =
        m_matcher.Skipped(m_table, m_daysOff, now, localNow, m_ports.clock);
    if (OnSkipped(skip, localNow, false)) ReportMissed();
  }
  // The run looks back from just before its own first minute: a box opened before the first
  // tick must hide neither that minute nor those the box stays open over.
  const long long beforeStart = now - localNow.tm_sec - 1;
  m_matcher.LookBackFrom(beforeStart, m_ports.clock.LocalTime(beforeStart));
}

bool LateReservations::RunOrTell(const ScheduleMatcher::Occurrence& due) {
  // The clock is read again for each: an action before it may have held a box for long.
  if (m_ports.clock.Now() - due.dueAt > kLateRunLimit) return Tell(due.due, due.local, due.minute);
  // The minute is taken already: the action's modal box keeps the ticks coming.
  m_matcher.Ran(due.minute);
  m_runner.RunReservation(due.due.index);
  if (due.due.erase) m_table[due.due.index].Month = SLOT_EMPTY;
  m_runner.ResetWakeTimer();
  return false;
}

bool LateReservations::Tell(const ScheduleMatcher::Due& due, const std::tm& local,
                            long long minute) {
  if (!m_matcher.Told(minute)) return false;
  const bool repeats = RepeatOf(m_table[due.index]).has_value();
  m_missed.Note(local, repeats ? std::optional<int>(due.index) : std::nullopt);
  // It can no longer run as meant, and the balloon has told of it.
  if (due.erase) m_table[due.index].Month = SLOT_EMPTY;
  return true;
}

void LateReservations::ReportMissed() {
  m_tray.RefreshIdleTip();
  m_tray.ShowBalloon(texts::kMissedTitle, m_missed.Notice());
}
