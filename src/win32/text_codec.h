#pragma once

#include "platform/text_codec.h"

namespace win32 {

class Win32TextCodec : public TextCodec {
 public:
  std::string Utf16ToCp932(std::u16string_view text) override;
  std::u16string Cp932ToUtf16(std::string_view text) override;
  std::u16string Utf8ToUtf16(std::string_view text) override;
  std::string Utf16ToUtf8(std::u16string_view text) override;
};

}  // namespace win32
