#pragma once

// Message boxes and beeps. Texts are code page 932.
class Alerts {
 public:
  virtual ~Alerts() = default;
  // A modal warning: the exclamation icon and an OK button. The thread keeps dispatching
  // messages while it is open.
  virtual void ShowWarning(const char* text, const char* caption) = 0;
  // The system's default sound.
  virtual void Beep() = 0;
};
