#include "win32/popup_menus.h"

#include "resource.h"
#include "win32/handles.h"

namespace win32 {

namespace {

// The chosen command, 0 for none.
UINT Track(HWND owner, Popup popup, const std::vector<int>& grayedIds,
           const std::optional<FirstMenuItem>& first, const POINT* at, UINT flags) {
  const OwnedMenu menu(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME)));
  if (!menu) return 0;
  // The popups stand in the resource in the order of the enum.
  const HMENU items = GetSubMenu(menu.Get(), static_cast<int>(popup));
  if (items == nullptr) return 0;
  if (first) {
    InsertMenuW(items, 0, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
    InsertMenuW(items, 0, MF_BYPOSITION | MF_STRING, first->id, first->text.c_str());
  }
  for (const int id : grayedIds) {
    EnableMenuItem(items, static_cast<UINT>(id), MF_BYCOMMAND | MF_GRAYED);
  }
  POINT point = {};
  if (at != nullptr) {
    point = *at;
  } else {
    GetCursorPos(&point);
  }
  return static_cast<UINT>(TrackPopupMenu(items, flags, point.x, point.y, 0, owner, nullptr));
}

}  // namespace

void TrackPopupAtCursor(HWND owner, Popup popup, const std::vector<int>& grayedIds,
                        const std::optional<FirstMenuItem>& first) {
  Track(owner, popup, grayedIds, first, nullptr, 0);
}

bool TrackPopupAt(HWND owner, Popup popup, POINT at, const std::optional<FirstMenuItem>& first) {
  const UINT command = Track(owner, popup, {}, first, &at, TPM_RETURNCMD);
  // Posted, as the menu posts it without TPM_RETURNCMD.
  if (command != 0) PostMessageW(owner, WM_COMMAND, command, 0);
  return command != 0;
}

}  // namespace win32
