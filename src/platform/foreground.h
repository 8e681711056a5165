#pragma once

#include "platform/window_handle.h"

// Switching the foreground window, also from a thread that does not own it.
class Foreground {
 public:
  virtual ~Foreground() = default;
  virtual void BringForward(WindowHandle window) = 0;
};
