#include "text/edit_byte_limit.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Code page 932 sizes of the characters below. A surrogate pair has no code page 932 form and
// converts to '?'.
int TestCharacterBytes(std::u16string_view character) {
  const bool pair = character.size() == 2 && character[0] >= 0xD800 && character[0] <= 0xDBFF &&
                    character[1] >= 0xDC00 && character[1] <= 0xDFFF;
  if (character.size() != 1 && !pair) {
    ADD_FAILURE() << "asked the size of " << character.size() << " units that are no character";
    return 0;
  }
  if (pair) return 1;
  const char16_t unit = character[0];
  if (unit < 0x80) return 1;
  if (unit >= 0xD800 && unit <= 0xDFFF) return 1;  // a lone surrogate, '?' too
  return 2;
}

struct Change {
  const char* what;
  std::u16string before;
  std::u16string after;
  int limit;
  std::u16string kept;
  std::size_t caret;
  bool cut;
};

// U+1F600 is D83D DE00, U+1F601 D83D DE01, U+1F200 D83C DE00: pairs sharing a unit.
const Change kChanges[] = {
    {"typing up to the limit", u"ab", u"abあ", 4, u"abあ", 3, false},
    {"pasting past the limit keeps what fits", u"ab", u"abcdef", 4, u"abcd", 4, true},
    {"a double-byte character straddling the limit", u"abc", u"abcあ", 4, u"abc", 3, true},
    {"pasting in the middle", u"abcd", u"abxあいcd", 5, u"abxcd", 3, true},
    {"replacing a selection", u"abcd", u"aあいうd", 5, u"aあd", 2, true},
    {"a pair fits whole or not at all", u"a", u"a\U0001F600\U0001F600", 2, u"a\U0001F600", 3, true},
    {"the common start stops before a pair", u"\U0001F600", u"\U0001F601\U0001F600", 1,
     u"\U0001F600", 0, true},
    {"the common end starts after a pair", u"\U0001F600", u"x\U0001F200", 1, u"x", 1, true},
    {"typing into a text set past the limit", u"abcdef", u"abcdefg", 4, u"abcdef", 6, true},
    {"deleting from a text set past the limit", u"abcdef", u"abcef", 4, u"abcef", 3, false},
};

TEST(EditByteLimit, KeepsOnlyTheEnteredTextThatFits) {
  for (const Change& change : kChanges) {
    SCOPED_TRACE(change.what);
    const ByteLimitedText fitted =
        FitToByteLimit(change.before, change.after, change.limit, TestCharacterBytes);
    EXPECT_EQ(fitted.text, change.kept);
    EXPECT_EQ(fitted.caret, change.caret);
    EXPECT_EQ(fitted.cut, change.cut);
  }
}

}  // namespace
