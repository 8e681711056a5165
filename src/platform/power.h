#pragma once

// The system's sleep.
class Power {
 public:
  virtual ~Power() = default;
  // Asks the system to stay awake for as long as this process runs.
  virtual void KeepSystemAwake() = 0;
};
