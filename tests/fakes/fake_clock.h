#pragma once

#include <ctime>
#include <vector>

#include "fakes/utc_time.h"
#include "platform/clock.h"

// A settable clock whose "local" time is UTC.
class FakeClock : public Clock {
 public:
  long long Now() override { return m_now; }
  std::tm LocalTime(long long seconds) override { return UtcTime(seconds); }

  void Set(int year, int month, int day, int hour, int minute, int second) {
    m_now = UtcSeconds(year, month, day, hour, minute, second);
  }
  void Advance(long long seconds) { m_now += seconds; }
  void Sleep(unsigned milliseconds) override { sleeps.push_back(milliseconds); }

  std::vector<unsigned> sleeps;

 private:
  long long m_now = 0;
};
