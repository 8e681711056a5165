#include "win32/dialog_rescale.h"

#include <commctrl.h>

#include <utility>

#include "text/dpi.h"
#include "win32/window_info.h"

namespace win32 {

namespace {

// Where a control stands in the dialog's client area; a combo box with its list dropped, as
// its height in the template is.
PixelRect PlaceOf(HWND control, HWND dialog) {
  RECT place = {};
  GetWindowRect(control, &place);
  if (HasClass(control, WC_COMBOBOXW)) {
    RECT dropped = {};
    if (SendMessageW(control, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped)))
      place = dropped;
  }
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
  return {place.left, place.top, place.right, place.bottom};
}

void RescaleColumns(HWND list, int fromDpi, int toDpi) {
  const HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  const int columns = header != nullptr ? Header_GetItemCount(header) : 0;
  for (int column = 0; column < columns; ++column) {
    const int width = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, column, 0));
    SendMessageW(list, LVM_SETCOLUMNWIDTH, column,
                 MAKELPARAM(RescaleDpi(width, fromDpi, toDpi), 0));
  }
}

}  // namespace

void RescaleDialog(HWND dialog, int fromDpi, int toDpi, const RECT& suggested, OwnedFont& font) {
  if (fromDpi > 0 && toDpi > 0 && fromDpi != toDpi) {
    // The dialog keeps the font the dialog manager made from the template, and frees it: only
    // the controls take ours.
    const HFONT current =
        font ? font.Get() : reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    LOGFONTW face = {};
    OwnedFont scaled;
    if (current != nullptr && GetObjectW(current, sizeof face, &face) != 0) {
      face.lfHeight = RescaleDpi(face.lfHeight, fromDpi, toDpi);
      scaled.Reset(CreateFontIndirectW(&face));
    }
    for (HWND control = GetWindow(dialog, GW_CHILD); control != nullptr;
         control = GetWindow(control, GW_HWNDNEXT)) {
      // The font first: a combo box measures its height with it.
      if (scaled) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(scaled.Get()), FALSE);
      const PixelRect place = RescaleDpi(PlaceOf(control, dialog), fromDpi, toDpi);
      SetWindowPos(control, nullptr, place.left, place.top, place.right - place.left,
                   place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
      if (HasClass(control, WC_LISTVIEWW)) RescaleColumns(control, fromDpi, toDpi);
    }
    // The old font goes once no control uses it.
    if (scaled) font = std::move(scaled);
  }
  SetWindowPos(dialog, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(dialog, nullptr, TRUE);
}

}  // namespace win32
