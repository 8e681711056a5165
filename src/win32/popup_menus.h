#pragma once

#include <windows.h>

#include <vector>

namespace win32 {

// The popups of the program's menu resource.
enum class Popup { kTraySlotFree, kSettingsList, kTrayTableFull };

// Tracks the popup at the cursor with the given items grayed; the chosen item reaches `owner`
// as WM_COMMAND.
void TrackPopupAtCursor(HWND owner, Popup popup, const std::vector<int>& grayedIds = {});
// Tracks the popup at `at`, for a menu the keyboard opened; the chosen item reaches `owner` as
// WM_COMMAND. False when none was chosen.
bool TrackPopupAt(HWND owner, Popup popup, POINT at);

}  // namespace win32
