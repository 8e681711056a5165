#include <ctime>

#include "platform/alerts.h"
#include "platform/clock.h"
#include "scheduler/main_frame.h"
#include "text/cp932.h"
#include "texts.h"

namespace {

constexpr long long kQuickReservationLead = 210;  // seconds: "about three minutes from now"

}  // namespace

void CMainFrame::CheckSchedule() {
  const std::optional<ScheduleMatcher::Due> due =
      m_matcher.Match(m_table, m_ports.clock.LocalTime(m_ports.clock.Now()));
  if (!due) return;
  // The guard is already up: the action's modal box keeps the ticks coming.
  RunReservation(due->index);
  if (due->erase) m_table[due->index].Month = SLOT_EMPTY;
  ResetWakeTimer();
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
