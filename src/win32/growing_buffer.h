#pragma once

#include <windows.h>

#include <algorithm>
#include <string>

namespace win32 {

// The text that `fill(buffer, size)` writes, in a buffer grown until the text fits. `fill`
// answers the length it wrote without the terminator, or at least `size` where the text did not
// fit: the size it needs (GetShortPathName) or `size` itself (GetModuleFileName, which cuts the
// text). A failure, zero, gives no text.
template <typename Fill>
std::wstring TextInGrowingBuffer(Fill fill) {
  std::wstring text(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = fill(text.data(), static_cast<DWORD>(text.size()));
    if (length < text.size()) {
      text.resize(length);
      return text;
    }
    text.resize(std::max<std::size_t>(length, text.size() * 2));
  }
}

}  // namespace win32
