#include "win32/text.h"

#include <windows.h>

namespace win32 {

namespace {
constexpr UINT kCodePage = 932;
}

std::wstring Cp932ToWide(std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(kCodePage, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
  if (length > 0) MultiByteToWideChar(kCodePage, 0, text.data(), size, wide.data(), length);
  return wide;
}

std::string WideToCp932(std::wstring_view text, BestFit bestFit, bool* complete) {
  if (complete != nullptr) *complete = true;
  if (text.empty()) return {};
  const bool refused = bestFit == BestFit::kRefused;
  const DWORD flags = refused ? WC_NO_BEST_FIT_CHARS : 0;
  // With best fit, what has no look-alike either becomes the code page's own default character.
  const char* defaultCharacter = refused ? "?" : nullptr;
  const int size = static_cast<int>(text.size());
  const int length = WideCharToMultiByte(kCodePage, flags, text.data(), size, nullptr, 0,
                                         defaultCharacter, nullptr);
  std::string narrow(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
  BOOL lacking = FALSE;
  if (length > 0) {
    WideCharToMultiByte(kCodePage, flags, text.data(), size, narrow.data(), length,
                        defaultCharacter, complete != nullptr ? &lacking : nullptr);
  }
  if (complete != nullptr) *complete = length > 0 && !lacking;
  return narrow;
}

}  // namespace win32
