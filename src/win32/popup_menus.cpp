#include "win32/popup_menus.h"

#include "resource.h"
#include "win32/handles.h"

namespace win32 {

void TrackPopupAtCursor(HWND owner, Popup popup, const std::vector<int>& grayedIds,
                        const std::optional<FirstMenuItem>& first) {
  const OwnedMenu menu(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME)));
  if (!menu) return;
  // The popups stand in the resource in the order of the enum.
  const HMENU items = GetSubMenu(menu.Get(), static_cast<int>(popup));
  if (items != nullptr) {
    if (first) {
      InsertMenuW(items, 0, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
      InsertMenuW(items, 0, MF_BYPOSITION | MF_STRING, first->id, first->text.c_str());
    }
    for (const int id : grayedIds) {
      EnableMenuItem(items, static_cast<UINT>(id), MF_BYCOMMAND | MF_GRAYED);
    }
    POINT cursor = {};
    GetCursorPos(&cursor);
    TrackPopupMenu(items, 0, cursor.x, cursor.y, 0, owner, nullptr);
  }
}

}  // namespace win32
