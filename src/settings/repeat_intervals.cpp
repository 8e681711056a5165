#include "settings/repeat_intervals.h"

#include "texts.h"

std::string RepeatIntervalName(int minutes) {
  if (minutes % 60 == 0) return std::to_string(minutes / 60) + texts::kHoursSuffix;
  return std::to_string(minutes) + texts::kMinuteSuffix;
}
