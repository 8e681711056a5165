#pragma once

#include <windows.h>

#include <vector>

namespace win32 {

// The popups of the program's menu resource.
enum class Popup { kTraySlotFree, kSettingsList, kTrayTableFull };

// Tracks the popup at the cursor with the given items grayed; the chosen item reaches `owner`
// as WM_COMMAND.
void TrackPopupAtCursor(HWND owner, Popup popup, const std::vector<int>& grayedIds = {});

}  // namespace win32
