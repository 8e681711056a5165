#pragma once

// The system's sleep and the display's.
class Power {
 public:
  virtual ~Power() = default;
  // While on, the system does not go to sleep by itself.
  virtual void KeepSystemAwake(bool on) = 0;
  // While on, neither the system nor the display does.
  virtual void KeepDisplayOn(bool on) = 0;
};
