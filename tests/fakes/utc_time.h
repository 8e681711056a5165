#pragma once

#include <ctime>

// Times for the tests, with UTC standing in for the local zone, so that they do not depend on
// the machine's.
inline long long UtcSeconds(int year, int month, int day, int hour, int minute, int second) {
  std::tm broken{};
  broken.tm_year = year - 1900;
  broken.tm_mon = month - 1;
  broken.tm_mday = day;
  broken.tm_hour = hour;
  broken.tm_min = minute;
  broken.tm_sec = second;
  return static_cast<long long>(timegm(&broken));
}

inline std::tm UtcTime(long long seconds) {
  const std::time_t t = static_cast<std::time_t>(seconds);
  std::tm broken{};
  gmtime_r(&t, &broken);
  return broken;
}
