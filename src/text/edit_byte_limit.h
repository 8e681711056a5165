#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// An edit whose text is limited in code page 932 bytes while the edit itself counts UTF-16 units.

// The code page 932 size of one character: one UTF-16 unit or a surrogate pair.
using CharacterBytes = int (*)(std::u16string_view character);

struct ByteLimitedText {
  std::u16string text;
  // After the kept part of the entered text.
  std::size_t caret;
  // Part of the entered text did not fit.
  bool cut;
};

// The entered text is what lies between the common start and the common end of `text` and
// the last accepted text; only as many of its whole characters as fit within `limit` bytes
// are kept. A change that enters nothing, such as a deletion, is always kept whole.
ByteLimitedText FitToByteLimit(std::u16string_view accepted, std::u16string_view text, int limit,
                               CharacterBytes characterBytes);
