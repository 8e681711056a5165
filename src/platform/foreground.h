#pragma once

// Switching the foreground window, also from a thread that does not own it.
class Foreground {
 public:
  virtual ~Foreground() = default;
  // `window` is an opaque window handle.
  virtual void BringForward(void* window) = 0;
};
