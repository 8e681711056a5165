#include "text/edit_byte_limit.h"

#include <algorithm>
#include <utility>

namespace {

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

std::size_t CharacterUnits(std::u16string_view text, std::size_t at) {
  const bool pair =
      at + 1 < text.size() && IsHighSurrogate(text[at]) && IsLowSurrogate(text[at + 1]);
  return pair ? 2 : 1;
}

// Code page 932 conversion keeps no state from one character to the next, so a text's size
// is the sum of its characters' sizes.
int TextBytes(std::u16string_view text, CharacterBytes characterBytes) {
  int bytes = 0;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t units = CharacterUnits(text, at);
    bytes += characterBytes(text.substr(at, units));
    at += units;
  }
  return bytes;
}

}  // namespace

ByteLimitedText FitToByteLimit(std::u16string_view accepted, std::u16string_view text, int limit,
                               CharacterBytes characterBytes) {
  // The common start and end never end or begin inside a surrogate pair.
  const std::size_t shorter = std::min(text.size(), accepted.size());
  std::size_t head = 0;
  while (head < shorter && text[head] == accepted[head]) ++head;
  if (head > 0 && IsHighSurrogate(text[head - 1])) --head;
  std::size_t tail = 0;
  while (tail < shorter - head &&
         text[text.size() - 1 - tail] == accepted[accepted.size() - 1 - tail])
    ++tail;
  if (tail > 0 && IsLowSurrogate(text[text.size() - tail])) --tail;

  const std::u16string_view start = text.substr(0, head);
  const std::u16string_view end = text.substr(text.size() - tail);
  const std::u16string_view entered = text.substr(head, text.size() - head - tail);
  // Negative where the program itself set a longer text: then nothing entered fits.
  int room = limit - TextBytes(start, characterBytes) - TextBytes(end, characterBytes);
  std::size_t kept = 0;
  while (kept < entered.size()) {
    const std::size_t units = CharacterUnits(entered, kept);
    const int bytes = characterBytes(entered.substr(kept, units));
    if (bytes > room) break;
    room -= bytes;
    kept += units;
  }

  std::u16string fitted(start);
  fitted.append(entered.substr(0, kept));
  fitted.append(end);
  return {std::move(fitted), head + kept, kept < entered.size()};
}
