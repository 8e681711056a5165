#include "settings/timer_dlg.h"

#include <optional>

#include "resource.h"
#include "settings/message_limit.h"
#include "texts.h"

namespace {

constexpr int kMostMinutes = 1440;  // a day
constexpr int kMinutesLimit = 4;    // the digits of kMostMinutes

// The minutes typed: digits alone, 1 to kMostMinutes.
std::optional<int> ParseMinutes(const std::string& text) {
  if (text.empty()) return std::nullopt;
  int minutes = 0;
  for (const char digit : text) {
    if (digit < '0' || digit > '9') return std::nullopt;
    minutes = minutes * 10 + (digit - '0');
    // Pasted text may be longer than the field lets the user type.
    if (minutes > kMostMinutes) return std::nullopt;
  }
  if (minutes < 1) return std::nullopt;
  return minutes;
}

}  // namespace

bool CTimerDlg::OnInitDialog() {
  DialogControls& controls = Controls();
  controls.LimitText(IDC_TIMER_MINUTES, kMinutesLimit);
  controls.SetItemText(IDC_TIMER_MINUTES, std::to_string(m_minutes).c_str());
  controls.LimitText(IDC_TIMER_MESSAGE, kMessageLimit);
  controls.SetItemText(IDC_TIMER_MESSAGE, m_message.c_str());
  CenterOnScreen();
  // The minutes, the first field, take the focus with their text selected: typing replaces them.
  return true;
}

void CTimerDlg::OnOK() {
  DialogControls& controls = Controls();
  const std::optional<int> minutes = ParseMinutes(controls.GetItemText(IDC_TIMER_MINUTES));
  if (!minutes) {
    controls.ShowWarning(texts::kTimerMinutesInvalid, texts::kTimerCaption);
    controls.FocusItem(IDC_TIMER_MINUTES);
    return;
  }
  m_minutes = *minutes;
  // Cut to its field where the reservation is written.
  m_message = controls.GetItemText(IDC_TIMER_MESSAGE);
  DialogHandler::OnOK();
}
