#pragma once

#include <optional>

// When the program last looked at the clock, kept from one run to the next, so that a start
// can tell of the reservations that fell due while the program was not running.
class RunRecord {
 public:
  virtual ~RunRecord() = default;
  // What the run before left, taken away: a run that ends without leaving one (a crash, the
  // power cut) makes the next start tell nothing rather than count that run's minutes.
  virtual std::optional<long long> Take() = 0;
  // The clock's second of the last look, for the next start.
  virtual void Leave(long long lastCheck) = 0;
};
