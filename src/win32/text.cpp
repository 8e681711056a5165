#include "win32/text.h"

#include <windows.h>

namespace win32 {

namespace {

constexpr UINT kCp932 = 932;

std::wstring ToWide(UINT codePage, std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
  if (length > 0) MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
  return wide;
}

// UTF-8 takes no flags, no default character and no `lacking`: the call fails with any of them.
std::string FromWide(UINT codePage, std::wstring_view text, DWORD flags = 0,
                     const char* defaultCharacter = nullptr, BOOL* lacking = nullptr) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = WideCharToMultiByte(codePage, flags, text.data(), size, nullptr, 0,
                                         defaultCharacter, nullptr);
  std::string narrow(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
  if (length > 0) {
    WideCharToMultiByte(codePage, flags, text.data(), size, narrow.data(), length, defaultCharacter,
                        lacking);
  }
  return narrow;
}

}  // namespace

std::wstring Cp932ToWide(std::string_view text) { return ToWide(kCp932, text); }

std::string WideToCp932(std::wstring_view text, BestFit bestFit, bool* complete) {
  const bool refused = bestFit == BestFit::kRefused;
  // With best fit, what has no look-alike either becomes the code page's own default character.
  BOOL lacking = FALSE;
  std::string narrow = FromWide(kCp932, text, refused ? WC_NO_BEST_FIT_CHARS : 0,
                                refused ? "?" : nullptr, complete != nullptr ? &lacking : nullptr);
  if (complete != nullptr) *complete = text.empty() || (!narrow.empty() && !lacking);
  return narrow;
}

std::wstring Utf8ToWide(std::string_view text) { return ToWide(CP_UTF8, text); }

std::string WideToUtf8(std::wstring_view text) { return FromWide(CP_UTF8, text); }

}  // namespace win32
