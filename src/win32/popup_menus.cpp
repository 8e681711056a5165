#include "win32/popup_menus.h"

#include "resource.h"
#include "win32/handles.h"

namespace win32 {

namespace {

// The chosen command, 0 for none.
UINT Track(HWND owner, Popup popup, const std::vector<int>& grayedIds, const POINT* at,
           UINT flags) {
  const OwnedMenu menu(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME)));
  if (!menu) return 0;
  // The popups stand in the resource in the order of the enum.
  const HMENU items = GetSubMenu(menu.Get(), static_cast<int>(popup));
  if (items == nullptr) return 0;
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

void TrackPopupAtCursor(HWND owner, Popup popup, const std::vector<int>& grayedIds) {
  Track(owner, popup, grayedIds, nullptr, 0);
}

bool TrackPopupAt(HWND owner, Popup popup, POINT at) {
  const UINT command = Track(owner, popup, {}, &at, TPM_RETURNCMD);
  // Posted, as the menu posts it without TPM_RETURNCMD.
  if (command != 0) PostMessageW(owner, WM_COMMAND, command, 0);
  return command != 0;
}

}  // namespace win32
