#include "win32/text_codec.h"

#include <windows.h>

#include "win32/text.h"

namespace win32 {

std::string Win32TextCodec::Utf16ToCp932(std::u16string_view text) {
  // No best fit: a look-alike ASCII letter or sign could turn a foreign line into one of ours.
  return WideToCp932({reinterpret_cast<const wchar_t*>(text.data()), text.size()},
                     BestFit::kRefused);
}

std::u16string Win32TextCodec::Cp932ToUtf16(std::string_view text) {
  const std::wstring wide = Cp932ToWide(text);
  return std::u16string(wide.begin(), wide.end());
}

std::u16string Win32TextCodec::Utf8ToUtf16(std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
  std::u16string wide(static_cast<std::size_t>(length > 0 ? length : 0), u'\0');
  if (length > 0) {
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, reinterpret_cast<wchar_t*>(wide.data()),
                        length);
  }
  return wide;
}

std::string Win32TextCodec::Utf16ToUtf8(std::u16string_view text) {
  if (text.empty()) return {};
  // UTF-8 takes no flags and no default character: the call fails with either.
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  const int size = static_cast<int>(text.size());
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide, size, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
  if (length > 0) {
    WideCharToMultiByte(CP_UTF8, 0, wide, size, narrow.data(), length, nullptr, nullptr);
  }
  return narrow;
}

}  // namespace win32
