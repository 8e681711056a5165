#include "win32/foreground.h"

#include <windows.h>

#include "win32/handles.h"

namespace win32 {

void Win32Foreground::BringForward(WindowHandle window) {
  const HWND target = ToHwnd(window);
  // Under Wine the detaching below leaves no foreground window at all; the attachment is
  // only needed where the system refuses the plain call.
  if (SetForegroundWindow(target)) return;
  const DWORD foregroundThread = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
  const DWORD targetThread = GetWindowThreadProcessId(target, nullptr);
  AttachThreadInput(targetThread, foregroundThread, TRUE);
  SetForegroundWindow(target);
  AttachThreadInput(targetThread, foregroundThread, FALSE);
}

}  // namespace win32
