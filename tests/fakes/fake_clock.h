#pragma once

#include <ctime>
#include <vector>

#include "platform/clock.h"

// A settable clock whose "local" time is UTC, so tests do not depend on the machine's zone.
class FakeClock : public Clock {
 public:
  long long Now() override { return m_now; }
  std::tm LocalTime(long long seconds) override {
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm broken{};
    gmtime_r(&t, &broken);
    return broken;
  }

  void Set(int year, int month, int day, int hour, int minute, int second) {
    std::tm broken{};
    broken.tm_year = year - 1900;
    broken.tm_mon = month - 1;
    broken.tm_mday = day;
    broken.tm_hour = hour;
    broken.tm_min = minute;
    broken.tm_sec = second;
    m_now = static_cast<long long>(timegm(&broken));
  }
  void Advance(long long seconds) { m_now += seconds; }
  void Sleep(unsigned milliseconds) override { sleeps.push_back(milliseconds); }

  std::vector<unsigned> sleeps;

 private:
  long long m_now = 0;
};
