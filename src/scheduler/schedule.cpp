#include <ctime>

#include "platform/alerts.h"
#include "platform/clock.h"
#include "scheduler/main_frame.h"
#include "text/cp932.h"

namespace {

constexpr long long kQuickReservationLead = 210;  // seconds: "about three minutes from now"

}  // namespace

void CMainFrame::CheckSchedule() {
  const long long seconds = m_ports.clock.Now();
  const std::tm now = m_ports.clock.LocalTime(seconds);
  const int month = now.tm_mon + 1;
  const int day = now.tm_mday;
  const int weekday = now.tm_wday + 1;
  const int hour = now.tm_hour;
  const int minute = now.tm_min;

  // Let go as soon as the clock has left the firing minute, so the same minute of a later
  // hour or day fires again, even when no tick ran in between (after a sleep). The minute is
  // the local one that the slots are matched against.
  const long long clockMinute =
      ((static_cast<long long>(now.tm_year) * 366 + now.tm_yday) * 24 + hour) * 60 + minute;
  if (m_bFired && clockMinute != m_nLastMinute) m_bFired = 0;

  const int count = m_table.Size();
  for (int i = 0; i < count; ++i) {
    Reservation& slot = m_table[i];
    if (slot.Month != 0 && slot.Month != month) continue;
    if (slot.Minute != minute) continue;
    if (m_bFired) continue;  // something already fired in this minute
    if (slot.Hour != hour) continue;
    const bool weekly = slot.Week == weekday;
    if (!weekly && slot.Week != 0) continue;
    if (!weekly && slot.Day != 0 && slot.Day != day) continue;

    // The guard goes up before the action, whose modal box keeps the ticks coming.
    m_nLastMinute = clockMinute;
    m_bFired = 1;
    RunReservation(i);
    if (!weekly && slot.Erace != 0) slot.Month = SLOT_EMPTY;
    return;
  }
}

void CMainFrame::OnQuickReservation() {
  int index = m_table.Size() - 1;
  while (index >= 0 && m_table[index].Month != SLOT_EMPTY) --index;
  if (index < 0) return;

  const std::tm due = m_ports.clock.LocalTime(m_ports.clock.Now() + kQuickReservationLead);
  Reservation& slot = m_table[index];
  slot.Month = due.tm_mon + 1;
  slot.Day = due.tm_mday;
  slot.Week = 0;
  slot.Hour = due.tm_hour;
  slot.Minute = due.tm_min;
  slot.Action = ACTION_MESSAGE;
  slot.Drive = 1;
  slot.Track = 1;
  DefaultFileName(m_ports.location, slot.FileName);
  slot.Command[0] = '\0';
  cp932::CopyToField(slot.Message, "あれから３分です！");
  slot.Time = 0;
  slot.Erace = 1;
  m_ports.alerts.Beep();
}
