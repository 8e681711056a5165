#include "text/number_text.h"

#include "texts.h"

std::string TwoColumnNumber(int value, char fill) {
  std::string text = std::to_string(value);
  // A negative number has its sign and a digit, so only 0..9 are ever filled.
  if (text.size() < 2) text.insert(text.begin(), fill);
  return text;
}

std::string ClockText(int hour, int minute) {
  return TwoColumnNumber(hour, '0') + texts::kHourSuffix + TwoColumnNumber(minute, '0');
}

std::string MonthDayText(int month, int day) {
  return TwoColumnNumber(month, '0') + texts::kMonthSuffix + TwoColumnNumber(day, '0') +
         texts::kDaySuffix;
}
