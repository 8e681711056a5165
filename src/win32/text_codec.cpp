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
  const std::wstring wide = Utf8ToWide(text);
  return std::u16string(wide.begin(), wide.end());
}

std::string Win32TextCodec::Utf16ToUtf8(std::u16string_view text) {
  return WideToUtf8({reinterpret_cast<const wchar_t*>(text.data()), text.size()});
}

}  // namespace win32
