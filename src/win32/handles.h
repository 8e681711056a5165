#pragma once

#include <windows.h>

#include "platform/window_handle.h"

namespace win32 {

// The logic's opaque window handle is the window's HWND.
inline HWND ToHwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }
inline WindowHandle ToHandle(HWND window) { return reinterpret_cast<WindowHandle>(window); }

}  // namespace win32
