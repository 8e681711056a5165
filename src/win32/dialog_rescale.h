#pragma once

#include <windows.h>

#include "win32/handles.h"

namespace win32 {

// A dialog whose DPI changed from `fromDpi` to `toDpi`: its controls take the font at the new
// DPI and their places scaled, its list views' columns their widths scaled, and the window
// the rectangle the system suggests. `font` holds the controls' font, the scaled one after.
void RescaleDialog(HWND dialog, int fromDpi, int toDpi, const RECT& suggested, OwnedFont& font);

}  // namespace win32
