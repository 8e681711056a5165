#pragma once

#include "scheduler/timer_prompt.h"

class DialogHost;

// The timer asked for in the timer dialog, which opens on the minutes of the last timer set in
// this run.
class TimerDialogPrompt : public TimerPrompt {
 public:
  explicit TimerDialogPrompt(DialogHost& dialogs) : m_dialogs(dialogs) {}
  bool Ask(int& minutes, std::string& message) override;

 private:
  DialogHost& m_dialogs;
  int m_lastMinutes = 25;  // the first time: a common stretch of work before a break
};
