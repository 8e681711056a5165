#include "win32/alerts.h"

#include <windows.h>

#include "win32/frame_window.h"
#include "win32/text.h"

namespace win32 {

void Win32Alerts::ShowWarning(const char* text, const char* caption) {
  MessageBoxW(m_owner.Handle(), Cp932ToWide(text).c_str(), Cp932ToWide(caption).c_str(),
              MB_OK | MB_ICONEXCLAMATION);
}

bool Win32Alerts::AskRetry(const char* text, const char* caption) {
  // No owner, for the taskbar button: the hidden frame would give it none. At sign-in other
  // programs' windows come up meanwhile, and the foreground may be refused: hence topmost,
  // which without an owner is all that system-modal means (Wine ignores MB_TOPMOST).
  const int answer =
      MessageBoxW(nullptr, Cp932ToWide(text).c_str(), Cp932ToWide(caption).c_str(),
                  MB_RETRYCANCEL | MB_ICONEXCLAMATION | MB_SETFOREGROUND | MB_SYSTEMMODAL);
  if (answer != 0) return answer == IDRETRY;
  // No answer: the box could not be shown, which is tried again, or its loop met the quit of a
  // frame closed meanwhile, which ends the start.
  MSG quit;
  return PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) == FALSE;
}

void Win32Alerts::Beep() { MessageBeep(MB_OK); }

}  // namespace win32
