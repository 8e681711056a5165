#include "scheduler/missed_reservations.h"

#include "text/number_text.h"
#include "texts.h"

void MissedReservations::Note(const std::tm& local) {
  if (m_count == 0) m_first = local;
  ++m_count;
}

std::string MissedReservations::FirstTime() const {
  return TwoColumnNumber(m_first.tm_mon + 1, '0') + texts::kMonthSuffix +
         TwoColumnNumber(m_first.tm_mday, '0') + texts::kDaySuffix + " " +
         TwoColumnNumber(m_first.tm_hour, '0') + texts::kHourSuffix +
         TwoColumnNumber(m_first.tm_min, '0');
}

std::string MissedReservations::Tip() const {
  return std::string(texts::kTrayTip) + " " + texts::kMissedTip + std::to_string(m_count) +
         texts::kMissedTipCount + FirstTime() + texts::kMinuteFromSuffix;
}

std::string MissedReservations::Notice() const {
  return texts::kMissedNoticeStart + std::to_string(m_count) + texts::kMissedNoticeCount +
         FirstTime() + texts::kMinuteSuffix;
}
