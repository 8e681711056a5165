#include <ctime>

#include "platform/alerts.h"
#include "platform/clock.h"
#include "platform/run_record.h"
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
  const long long now = m_ports.clock.Now();
  // Boxes open or not, the wake timer never stands at a time already past.
  if (m_wakeAt && now >= *m_wakeAt) ResetWakeTimer();
  // Nothing is matched while a box is open, so that a minute falling due meanwhile is still
  // there to be found late once the box has closed.
  if (m_busy.IsBusy()) return;
  const std::tm localNow = m_ports.clock.LocalTime(now);
  bool missed = OnSkipped(m_matcher.Skipped(m_table, now, localNow, m_ports.clock), true);
  const std::optional<ScheduleMatcher::Occurrence> due = m_matcher.Current(m_table, now, localNow);
  if (due) missed = RunOrTell(*due) || missed;
  if (!missed) return;
  ReportMissed();
  // A one-off told as missed is gone.
  ResetWakeTimer();
}

bool CMainFrame::OnSkipped(const ScheduleMatcher::Skip& skip, bool mayRun) {
  bool missed = false;
  for (const ScheduleMatcher::Earlier& earlier : skip.earlier) {
    missed = Tell(earlier.due, earlier.local, earlier.minute) || missed;
    m_missed.NoteUncounted();
  }
  for (const ScheduleMatcher::Occurrence& late : skip.late) {
    // Erased at an earlier minute of the same walk: it would have run no more.
    if (IsEmpty(m_table[late.due.index])) continue;
    missed = (mayRun ? RunOrTell(late) : Tell(late.due, late.local, late.minute)) || missed;
  }
  return missed;
}

void CMainFrame::TellMissedWhileClosed() {
  const std::optional<long long> lastCheck = m_ports.runRecord.Take();
  const long long now = m_ports.clock.Now();
  const std::tm localNow = m_ports.clock.LocalTime(now);
  // A record that no earlier run could have written tells nothing.
  if (lastCheck && *lastCheck >= 0 && *lastCheck <= now) {
    m_matcher.LookBackFrom(*lastCheck, m_ports.clock.LocalTime(*lastCheck));
    if (OnSkipped(m_matcher.Skipped(m_table, now, localNow, m_ports.clock), false)) ReportMissed();
  }
  // The run looks back from just before its own first minute: a box opened before the first
  // tick must hide neither that minute nor those the box stays open over.
  const long long beforeStart = now - localNow.tm_sec - 1;
  m_matcher.LookBackFrom(beforeStart, m_ports.clock.LocalTime(beforeStart));
}

bool CMainFrame::RunOrTell(const ScheduleMatcher::Occurrence& due) {
  // The clock is read again for each: an action before it may have held a box for long.
  if (m_ports.clock.Now() - due.dueAt > kLateRunLimit) return Tell(due.due, due.local, due.minute);
  // The minute is taken already: the action's modal box keeps the ticks coming.
  m_matcher.Ran(due.minute);
  RunReservation(due.due.index);
  if (due.due.erase) m_table[due.due.index].Month = SLOT_EMPTY;
  ResetWakeTimer();
  return false;
}

bool CMainFrame::Tell(const ScheduleMatcher::Due& due, const std::tm& local, long long minute) {
  if (!m_matcher.Told(minute)) return false;
  m_missed.Note(local);
  // It can no longer run as meant, and the balloon has told of it.
  if (due.erase) m_table[due.index].Month = SLOT_EMPTY;
  return true;
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
