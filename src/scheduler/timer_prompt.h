#pragma once

#include <string>

// Asks the user when the timer is to go off and what it is to say then; the timer dialog stands
// behind it, so that the frame does not depend on the dialogs.
class TimerPrompt {
 public:
  virtual ~TimerPrompt() = default;
  // True when the user confirmed: `minutes` from now, 1 to 1440, and the message, code page 932.
  virtual bool Ask(int& minutes, std::string& message) = 0;
};
