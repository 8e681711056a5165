#pragma once

#include "platform/dialog_handler.h"

class Alerts;

// Fixed: WM_TIMER carries these ids, and a WM_TIMER posted from outside names them.
constexpr unsigned kMessageCloseTimer = 1;
constexpr unsigned kMessageSnoozeTimer = 2;
constexpr int kMessageTextSize = 256;

// The message instance's window: beeps, shows the text, closes itself when its time is up.
class CMessageDlg : public DialogHandler {
 public:
  explicit CMessageDlg(Alerts& alerts);

  // Takes the message command line: a two-digit duration index, a comma (or the snooze
  // minutes' mark), the text.
  void SetMessage(const char* commandLine);

  bool OnInitDialog() override;
  void OnOK() override;
  void OnTimer(unsigned id) override;
  void OnCommand(int id) override;

  const char* Text() const { return m_szText; }
  int SecondsLeft() const { return m_nSecondsLeft; }
  int SnoozeMinutes() const { return m_nSnoozeMinutes; }

 private:
  // The beep and the countdown from its start: when the window opens and when a snooze ends.
  void StartShowing();

  Alerts& m_alerts;
  char m_szText[kMessageTextSize] = {};
  int m_nSecondsLeft = 0;  // 0: never closes by itself
  int m_nSeconds = 0;      // the countdown's start
  int m_nSnoozeMinutes = 0;
};
