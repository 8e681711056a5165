#include "win32/window_info.h"

namespace win32 {

std::wstring WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

bool HasClass(HWND window, const wchar_t* className) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, static_cast<int>(sizeof name / sizeof name[0]));
  return lstrcmpiW(name, className) == 0;
}

}  // namespace win32
