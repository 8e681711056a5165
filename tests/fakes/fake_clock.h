#pragma once

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "fakes/utc_time.h"
#include "platform/clock.h"

// A settable clock whose local time is UTC, or that of `zone`, a TZ value such as
// "CET-1CEST,M3.5.0,M10.5.0/3" (a rule of its own, so that no zone database is needed).
class FakeClock : public Clock {
 public:
  long long Now() override { return m_now; }
  std::tm LocalTime(long long seconds) override {
    if (zone.empty()) return UtcTime(seconds);
    // The C library knows one zone, TZ's: set it for this one call and put back what was.
    const char* outer = std::getenv("TZ");
    const std::optional<std::string> saved =
        outer != nullptr ? std::optional<std::string>(outer) : std::nullopt;
    setenv("TZ", zone.c_str(), 1);
    tzset();
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm broken{};
    localtime_r(&t, &broken);
    if (saved) {
      setenv("TZ", saved->c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
    return broken;
  }

  // In UTC, whatever the zone.
  void Set(int year, int month, int day, int hour, int minute, int second) {
    m_now = UtcSeconds(year, month, day, hour, minute, second);
  }
  void Advance(long long seconds) { m_now += seconds; }
  void Sleep(unsigned milliseconds) override { sleeps.push_back(milliseconds); }

  std::string zone;
  std::vector<unsigned> sleeps;

 private:
  long long m_now = 0;
};
