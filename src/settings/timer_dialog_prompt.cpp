#include "settings/timer_dialog_prompt.h"

#include "platform/dialog_handler.h"
#include "resource.h"
#include "settings/timer_dlg.h"
#include "texts.h"

bool TimerDialogPrompt::Ask(int& minutes, std::string& message) {
  CTimerDlg dialog(m_lastMinutes, texts::kTimerMessage);
  // Owned by the hidden frame, as the settings dialog is: no taskbar button of its own.
  if (m_dialogs.RunModal(IDD_TIMER, dialog) != DialogResult::kOk) return false;
  minutes = m_lastMinutes = dialog.Minutes();
  message = dialog.Message();
  return true;
}
