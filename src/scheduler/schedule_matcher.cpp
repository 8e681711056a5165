#include "scheduler/schedule_matcher.h"

#include "reservations/reservation_table.h"

std::optional<ScheduleMatcher::Due> ScheduleMatcher::Match(const ReservationTable& table,
                                                           const std::tm& now) {
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

  const int count = table.Size();
  for (int i = 0; i < count; ++i) {
    const Reservation& slot = table[i];
    if (slot.Month != 0 && slot.Month != month) continue;
    if (slot.Minute != minute) continue;
    if (m_bFired) continue;  // something already fired in this minute
    if (slot.Hour != hour) continue;
    const bool weekly = slot.Week == weekday;
    if (!weekly && slot.Week != 0) continue;
    if (!weekly && slot.Day != 0 && slot.Day != day) continue;

    m_nLastMinute = clockMinute;
    m_bFired = 1;
    return Due{i, !weekly && slot.Erace != 0};
  }
  return std::nullopt;
}
