#pragma once

#include <windows.h>

#include <string>

namespace win32 {

// The whole text of a window.
std::wstring WindowText(HWND window);
// Whether the window is of the class, whose name is compared without regard to case.
bool HasClass(HWND window, const wchar_t* className);

}  // namespace win32
