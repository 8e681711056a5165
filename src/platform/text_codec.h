#pragma once

#include <string>
#include <string_view>

// Conversions between UTF-16 and code page 932, for a profile saved as UTF-16.
class TextCodec {
 public:
  virtual ~TextCodec() = default;
  // A character that code page 932 lacks becomes '?'.
  virtual std::string Utf16ToCp932(std::u16string_view text) = 0;
  virtual std::u16string Cp932ToUtf16(std::string_view text) = 0;
};
