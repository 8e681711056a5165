#include "scheduler/missed_reservations.h"

#include <algorithm>

#include "calendar/civil_date.h"
#include "text/number_text.h"
#include "texts.h"

namespace {

bool Before(const std::tm& a, const std::tm& b) {
  const int fields[2][5] = {{a.tm_year, a.tm_mon, a.tm_mday, a.tm_hour, a.tm_min},
                            {b.tm_year, b.tm_mon, b.tm_mday, b.tm_hour, b.tm_min}};
  return std::lexicographical_compare(fields[0], fields[0] + 5, fields[1], fields[1] + 5);
}

}  // namespace

void MissedReservations::Note(const std::tm& local, std::optional<int> repeatingSlot) {
  if (m_count == 0 || Before(local, m_first)) m_first = local;
  if (repeatingSlot &&
      !m_repeatDays.emplace(*repeatingSlot, calendar::DaysFromDate(calendar::DateOf(local)))
           .second) {
    return;
  }
  ++m_count;
}

std::string MissedReservations::Count() const {
  return std::to_string(m_count) + texts::kMissedCount + (m_uncounted ? texts::kMissedAtLeast : "");
}

std::string MissedReservations::FirstTime() const {
  return MonthDayText(m_first.tm_mon + 1, m_first.tm_mday) + " " +
         ClockText(m_first.tm_hour, m_first.tm_min);
}

std::string MissedReservations::Tip() const {
  return std::string(texts::kTrayTip) + " " + texts::kMissedTip + Count() + " " + FirstTime() +
         texts::kMinuteFromSuffix;
}

std::string MissedReservations::Notice() const {
  return texts::kMissedNoticeStart + Count() + texts::kMissedNoticeRest + FirstTime() +
         texts::kMinuteSuffix;
}
