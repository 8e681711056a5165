#pragma once

#include <iconv.h>

#include <algorithm>
#include <string>
#include <string_view>

#include "text/cp932.h"
#include "platform/text_codec.h"

// glibc's converters in place of the system's. They refuse what does not map; like the system's
// they are made to give '?' for it, one character at a time.
class FakeTextCodec : public TextCodec {
 public:
  FakeTextCodec()
      : m_toCp932(iconv_open("CP932", "UTF-16LE")),
        m_toUtf16(iconv_open("UTF-16LE", "CP932")),
        m_utf8ToUtf16(iconv_open("UTF-16LE", "UTF-8")),
        m_utf16ToUtf8(iconv_open("UTF-8", "UTF-16LE")) {}
  ~FakeTextCodec() override {
    iconv_close(m_toCp932);
    iconv_close(m_toUtf16);
    iconv_close(m_utf8ToUtf16);
    iconv_close(m_utf16ToUtf8);
  }
  FakeTextCodec(const FakeTextCodec&) = delete;
  FakeTextCodec& operator=(const FakeTextCodec&) = delete;

  std::string Utf16ToCp932(std::u16string_view text) override {
    std::string narrow;
    for (std::size_t at = 0; at < text.size();) {
      if (text[at] < 0x80) {  // ASCII is itself in both, and asking iconv for it is slow
        narrow += static_cast<char>(text[at++]);
        continue;
      }
      // A surrogate pair is one character; a lone surrogate cannot be converted.
      const bool pair = text[at] >= 0xD800 && text[at] <= 0xDBFF && at + 1 < text.size() &&
                        text[at + 1] >= 0xDC00 && text[at + 1] <= 0xDFFF;
      const std::size_t units = pair ? 2 : 1;
      char converted[8];
      const std::size_t length =
          Convert(m_toCp932, text.data() + at, units * sizeof(char16_t), converted);
      narrow.append(length > 0 ? converted : "?", length > 0 ? length : 1);
      at += units;
    }
    return narrow;
  }

  std::u16string Cp932ToUtf16(std::string_view text) override {
    std::u16string wide;
    for (std::size_t at = 0; at < text.size();) {
      if (static_cast<unsigned char>(text[at]) < 0x80) {
        wide += static_cast<char16_t>(text[at++]);
        continue;
      }
      char16_t converted[4];
      std::size_t bytes = 2;
      std::size_t length = 0;
      if (cp932::IsLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size()) {
        length = Convert(m_toUtf16, text.data() + at, 2, converted);
      }
      // A lead byte whose trail byte does not fit is converted on its own.
      if (length == 0) {
        bytes = 1;
        length = Convert(m_toUtf16, text.data() + at, 1, converted);
      }
      if (length == 0) {
        wide += u'?';
      } else {
        wide.append(converted, length / sizeof(char16_t));
      }
      at += bytes;
    }
    return wide;
  }

  // Like the system's, what is not valid becomes U+FFFD, a byte or a unit at a time.
  std::u16string Utf8ToUtf16(std::string_view text) override {
    const std::string bytes = ConvertAll(m_utf8ToUtf16, text, 1, "\xFD\xFF");
    std::u16string wide(bytes.size() / 2, u'\0');
    for (std::size_t at = 0; at < wide.size(); ++at) {
      wide[at] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * at]) |
                                       static_cast<unsigned char>(bytes[2 * at + 1]) << 8);
    }
    return wide;
  }

  std::string Utf16ToUtf8(std::u16string_view text) override {
    std::string units;
    for (const char16_t unit : text) {
      units += static_cast<char>(unit & 0xFF);
      units += static_cast<char>(unit >> 8);
    }
    return ConvertAll(m_utf16ToUtf8, units, 2, "\xEF\xBF\xBD");
  }

 private:
  // All of `in`; where it does not convert, `replacement` stands for the next `step` bytes.
  static std::string ConvertAll(iconv_t converter, std::string_view in, std::size_t step,
                                std::string_view replacement) {
    // Four bytes out for every byte in is more than either direction or a replacement needs.
    std::string out(4 * in.size(), '\0');
    char* input = const_cast<char*>(in.data());
    std::size_t inBytes = in.size();
    char* output = out.data();
    std::size_t outBytes = out.size();
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    while (inBytes > 0 &&
           iconv(converter, &input, &inBytes, &output, &outBytes) == static_cast<std::size_t>(-1)) {
      const std::size_t skipped = std::min(step, inBytes);
      input += skipped;
      inBytes -= skipped;
      output = std::copy(replacement.begin(), replacement.end(), output);
      outBytes -= replacement.size();
    }
    out.resize(out.size() - outBytes);
    return out;
  }

  // The number of bytes written to `out`, or 0 when the input does not convert whole.
  template <typename In, typename Out, std::size_t N>
  static std::size_t Convert(iconv_t converter, const In* in, std::size_t inBytes, Out (&out)[N]) {
    char* input = const_cast<char*>(reinterpret_cast<const char*>(in));
    char* output = reinterpret_cast<char*>(out);
    std::size_t outBytes = sizeof(out);
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    if (iconv(converter, &input, &inBytes, &output, &outBytes) == static_cast<std::size_t>(-1) ||
        inBytes != 0) {
      return 0;
    }
    return sizeof(out) - outBytes;
  }

  iconv_t m_toCp932;
  iconv_t m_toUtf16;
  iconv_t m_utf8ToUtf16;
  iconv_t m_utf16ToUtf8;
};
