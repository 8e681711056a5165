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

std::string WideToCp932(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length =
      WideCharToMultiByte(kCodePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
  if (length > 0) {
    WideCharToMultiByte(kCodePage, 0, text.data(), size, narrow.data(), length, nullptr, nullptr);
  }
  return narrow;
}

std::string WideToCp932NoBestFit(std::wstring_view text, bool* complete) {
  if (complete != nullptr) *complete = true;
  if (text.empty()) return {};
  constexpr DWORD kFlags = WC_NO_BEST_FIT_CHARS;
  const int size = static_cast<int>(text.size());
  const int length =
      WideCharToMultiByte(kCodePage, kFlags, text.data(), size, nullptr, 0, "?", nullptr);
  std::string narrow(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
  BOOL lacking = FALSE;
  if (length > 0) {
    WideCharToMultiByte(kCodePage, kFlags, text.data(), size, narrow.data(), length, "?", &lacking);
  }
  if (complete != nullptr) *complete = length > 0 && !lacking;
  return narrow;
}

}  // namespace win32
