#include "win32/dpi.h"

#include "win32/handles.h"
#include "win32/module.h"

namespace win32 {

namespace {

// Loaded by name: Windows 7 must still start, and it lacks them.
HMODULE User32() { return GetModuleHandleW(L"user32.dll"); }

}  // namespace

int WindowDpi(HWND window) {
  using GetDpiForWindowCall = UINT(WINAPI*)(HWND);
  const auto getDpiForWindow = Export<GetDpiForWindowCall>(User32(), "GetDpiForWindow");
  if (getDpiForWindow != nullptr && window != nullptr) {
    const UINT dpi = getDpiForWindow(window);
    if (dpi != 0) return static_cast<int>(dpi);
  }
  const ScreenDc screen(GetDC(nullptr));
  return GetDeviceCaps(screen.Get(), LOGPIXELSY);
}

int MetricForDpi(int index, int dpi) {
  using GetSystemMetricsForDpiCall = int(WINAPI*)(int, UINT);
  const auto getSystemMetricsForDpi =
      Export<GetSystemMetricsForDpiCall>(User32(), "GetSystemMetricsForDpi");
  if (getSystemMetricsForDpi == nullptr) return GetSystemMetrics(index);
  return getSystemMetricsForDpi(index, static_cast<UINT>(dpi));
}

void LeaveDpiChangesToTheDialog(HWND dialog) {
  using SetDialogDpiChangeBehaviorCall = BOOL(WINAPI*)(HWND, int, int);
  const auto setDialogDpiChangeBehavior =
      Export<SetDialogDpiChangeBehaviorCall>(User32(), "SetDialogDpiChangeBehavior");
  constexpr int kDisableAll = 1;  // DDC_DISABLE_ALL
  if (setDialogDpiChangeBehavior != nullptr)
    setDialogDpiChangeBehavior(dialog, kDisableAll, kDisableAll);
}

}  // namespace win32
