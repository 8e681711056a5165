#pragma once

#include <string>

#include "platform/dialog_handler.h"

// The timer: in how many minutes it goes off, and its message. OK holds on until the minutes
// are a whole number from 1 to 1440.
class CTimerDlg : public DialogHandler {
 public:
  CTimerDlg(int minutes, const char* message) : m_minutes(minutes), m_message(message) {}

  // Meaningful after OK.
  int Minutes() const { return m_minutes; }
  const std::string& Message() const { return m_message; }

  bool OnInitDialog() override;
  void OnOK() override;

 private:
  int m_minutes;
  std::string m_message;
};
