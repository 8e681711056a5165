#pragma once

#include "platform/dialog_handler.h"

class Alerts;

// Fixed: WM_TIMER carries this id, and a WM_TIMER posted from outside names it.
constexpr unsigned kMessageCloseTimer = 1;
constexpr int kMessageTextSize = 256;

// The message instance's window: beeps, shows the text, closes itself when its time is up.
class CMessageDlg : public DialogHandler {
 public:
  explicit CMessageDlg(Alerts& alerts);

  // Takes the message command line: a two-digit duration index, a comma, the text.
  void SetMessage(const char* commandLine);

  bool OnInitDialog() override;
  void OnOK() override;
  void OnTimer(unsigned id) override;

  const char* Text() const { return m_szText; }
  int SecondsLeft() const { return m_nSecondsLeft; }

 private:
  Alerts& m_alerts;
  char m_szText[kMessageTextSize] = {};
  int m_nSecondsLeft = 0;  // 0: never closes by itself
};
