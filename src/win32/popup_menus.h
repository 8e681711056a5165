#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace win32 {

// The popups of the program's menu resource.
enum class Popup { kTraySlotFree, kSettingsList, kTrayTableFull };

// An item put before the popup's own, with a separator behind it.
struct FirstMenuItem {
  unsigned id;
  std::wstring text;
};

// Tracks the popup at the cursor with the given items grayed; the chosen item reaches `owner`
// as WM_COMMAND.
void TrackPopupAtCursor(HWND owner, Popup popup, const std::vector<int>& grayedIds = {},
                        const std::optional<FirstMenuItem>& first = std::nullopt);
// Tracks the popup at `at`, for a menu the keyboard opened; the chosen item reaches `owner` as
// WM_COMMAND. False when none was chosen.
bool TrackPopupAt(HWND owner, Popup popup, POINT at,
                  const std::optional<FirstMenuItem>& first = std::nullopt);

}  // namespace win32
