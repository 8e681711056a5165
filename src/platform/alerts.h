#pragma once

// Message boxes and beeps. Texts are code page 932.
class Alerts {
 public:
  virtual ~Alerts() = default;
  // A modal warning: the exclamation icon and an OK button. The thread keeps dispatching
  // messages while it is open.
  virtual void ShowWarning(const char* text, const char* caption) = 0;
  // The box of a start that cannot go on: the exclamation icon, 再試行 and キャンセル, in front
  // of every other window and with a taskbar button of its own, as no window of ours is
  // visible to be found by. False for キャンセル only: a box that could not be shown is no
  // answer of the user's.
  virtual bool AskRetry(const char* text, const char* caption) = 0;
  // The system's default sound.
  virtual void Beep() = 0;
};
