#pragma once

#include <string>
#include <string_view>

// Conversions between code page 932 and the Unicode forms a profile can be saved in.
class TextCodec {
 public:
  virtual ~TextCodec() = default;
  // A character that code page 932 lacks becomes '?'.
  virtual std::string Utf16ToCp932(std::u16string_view text) = 0;
  virtual std::u16string Cp932ToUtf16(std::string_view text) = 0;
  // Lossless both ways for valid text.
  virtual std::u16string Utf8ToUtf16(std::string_view text) = 0;
  virtual std::string Utf16ToUtf8(std::u16string_view text) = 0;
};
