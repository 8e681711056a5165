#include "text/cp932.h"

#include <cstring>

namespace cp932 {

bool IsLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

const char* StepCharacters(const char* text, int count) {
  for (int i = 0; i < count && *text != '\0'; ++i) {
    // A lead byte at the very end has no trail byte to take along.
    text += (IsLeadByte(static_cast<unsigned char>(*text)) && text[1] != '\0') ? 2 : 1;
  }
  return text;
}

std::size_t BoundaryLength(std::string_view text, std::size_t maxBytes) {
  std::size_t length = 0;
  while (length < text.size()) {
    const std::size_t width = IsLeadByte(static_cast<unsigned char>(text[length])) ? 2 : 1;
    if (length + width > maxBytes) break;
    length += width;
  }
  return length < text.size() ? length : text.size();
}

void CopyToField(char* field, std::size_t fieldSize, std::string_view text) {
  if (fieldSize == 0) return;
  const std::size_t terminator = text.find('\0');
  if (terminator != std::string_view::npos) text = text.substr(0, terminator);
  const std::size_t length = BoundaryLength(text, fieldSize - 1);
  std::memcpy(field, text.data(), length);
  field[length] = '\0';
}

}  // namespace cp932
