#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Code page 932 text is handled as bytes; these helpers never split a double-byte character.
namespace cp932 {

bool IsLeadByte(unsigned char byte);

// Steps over up to `count` characters, stopping early at the terminating zero.
const char* StepCharacters(const char* text, int count);

// The longest prefix of `text` of at most `maxBytes` bytes that ends on a character boundary.
std::size_t BoundaryLength(std::string_view text, std::size_t maxBytes);

// Copies `text` into a zero-terminated field of `fieldSize` bytes, cut at a character boundary.
void CopyToField(char* field, std::size_t fieldSize, std::string_view text);

template <std::size_t N>
void CopyToField(char (&field)[N], std::string_view text) {
  CopyToField(field, N, text);
}

}  // namespace cp932
