#pragma once

// The system's sleep and the display's.
class Power {
 public:
  virtual ~Power() = default;
  // Asks the system to stay awake for as long as this process runs.
  virtual void KeepSystemAwake() = 0;
  // While on, the display stays on as well; off brings back what was asked before.
  virtual void KeepDisplayOn(bool on) = 0;
};
