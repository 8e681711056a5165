#include <ctime>

#include "platform/alerts.h"
#include "platform/clock.h"
#include "platform/tray_icon.h"
#include "resource.h"
#include "scheduler/main_frame.h"
#include "scheduler/ui_busy.h"
#include "text/cp932.h"
#include "texts.h"

namespace {

constexpr long long kQuickReservationLead = 210;  // seconds: "about three minutes from now"
// A reservation found late runs if it is no later than this, in seconds; an alarm going off
// long after its time would be a fault of its own.
constexpr long long kLateRunLimit = 600;

}  // namespace

void CMainFrame::CheckSchedule() {
  // Nothing is matched while a box is open, so that a minute falling due meanwhile is still
  // there to be found late once the box has closed.
  if (m_busy.IsBusy()) return;
  const long long now = m_ports.clock.Now();
  const std::tm localNow = m_ports.clock.LocalTime(now);
  bool missed = false;
  for (const ScheduleMatcher::LateDue& late :
       m_matcher.Skipped(m_table, now, localNow, m_ports.clock)) {
    // Measured before each run: an earlier late run's box may have been open for a while.
    if (late.dueAt >= m_startedAt && m_ports.clock.Now() - late.dueAt <= kLateRunLimit) {
      RunDue(late.due);
    } else {
      m_missed.Note(late.local);
      missed = true;
    }
  }
  if (missed) ReportMissed();
  const std::optional<ScheduleMatcher::Due> due = m_matcher.Match(m_table, localNow);
  if (due) RunDue(*due);
}

void CMainFrame::RunDue(const ScheduleMatcher::Due& due) {
  // The minute is taken already: the action's modal box keeps the ticks coming.
  RunReservation(due.index);
  if (due.erase) m_table[due.index].Month = SLOT_EMPTY;
  ResetWakeTimer();
}

void CMainFrame::ReportMissed() {
  if (!m_cd.IsPlaying() && !m_sound.IsPlaying()) ShowTrayIcon(IDR_MAINFRAME, texts::kTrayTip);
  m_ports.tray.ShowBalloon(texts::kMissedTitle, m_missed.Notice().c_str());
}

void CMainFrame::OnQuickReservation() {
  const int index = m_table.LastFreeSlot();
  if (index < 0) return;

  const std::tm due = m_ports.clock.LocalTime(m_ports.clock.Now() + kQuickReservationLead);
  Reservation slot = DefaultReservation(m_ports.location);
  slot.Month = due.tm_mon + 1;
  slot.Day = due.tm_mday;
  slot.Week = 0;
  slot.Hour = due.tm_hour;
  slot.Minute = due.tm_min;
  slot.Action = ACTION_MESSAGE;
  slot.Drive = 1;
  cp932::CopyToField(slot.Message, texts::kQuickReservationMessage);
  slot.Erace = 1;
  m_table[index] = slot;
  m_ports.alerts.Beep();
  ResetWakeTimer();
}
