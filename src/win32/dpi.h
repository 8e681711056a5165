#pragma once

#include <windows.h>

namespace win32 {

// The dots per inch a window is drawn at: its monitor's where the system scales per monitor
// (Windows 10 1607 and later), else the system's.
int WindowDpi(HWND window);
// A system metric (SM_CXSMICON, ...) at `dpi`; the system's own where it cannot answer per DPI.
int MetricForDpi(int index, int dpi);
// Keeps the dialog manager of Windows 10 1703 and later from laying out a dialog again when its
// DPI changes: it would start over from the template, undoing what the program set since, and
// the program scales the dialog itself, on every system alike.
void LeaveDpiChangesToTheDialog(HWND dialog);

}  // namespace win32
