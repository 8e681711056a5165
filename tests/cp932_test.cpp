#include "text/cp932.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// "あ" is 0x82 0xA0; "ソ" is 0x83 0x5C, whose trail byte is a backslash.
TEST(Cp932, StepsOverWholeCharacters) {
  const char* text = "aあソb";
  EXPECT_EQ(cp932::StepCharacters(text, 1), text + 1);
  EXPECT_EQ(cp932::StepCharacters(text, 2), text + 3);
  EXPECT_EQ(cp932::StepCharacters(text, 3), text + 5);
  EXPECT_STREQ(cp932::StepCharacters(text, 3), "b");
  // Stops at the terminator, also after a lone lead byte.
  EXPECT_STREQ(cp932::StepCharacters("ab", 5), "");
  const char dangling[] = {'a', '\x82', '\0'};
  EXPECT_EQ(cp932::StepCharacters(dangling, 5), dangling + 2);
}

TEST(Cp932, HalfWidthKatakanaIsOneByte) {
  // 0xA1..0xDF are single-byte characters, not lead bytes.
  EXPECT_FALSE(cp932::IsLeadByte(0xB1));
  EXPECT_FALSE(cp932::IsLeadByte(0xA0));
  EXPECT_TRUE(cp932::IsLeadByte(0x81));
  EXPECT_TRUE(cp932::IsLeadByte(0x9F));
  EXPECT_TRUE(cp932::IsLeadByte(0xE0));
  EXPECT_TRUE(cp932::IsLeadByte(0xFC));
  EXPECT_FALSE(cp932::IsLeadByte(0xFD));
  EXPECT_STREQ(cp932::StepCharacters("ｱｲｳ", 2), "ｳ");
}

TEST(Cp932, CutsNeverSplitACharacter) {
  const std::string text = "abあい";  // 6 bytes
  EXPECT_EQ(cp932::BoundaryLength(text, 6), 6u);
  EXPECT_EQ(cp932::BoundaryLength(text, 5), 4u);
  EXPECT_EQ(cp932::BoundaryLength(text, 3), 2u);
  EXPECT_EQ(cp932::BoundaryLength(text, 0), 0u);
  EXPECT_EQ(cp932::BoundaryLength(text, 100), 6u);

  char field[6];
  cp932::CopyToField(field, text);  // room for 5 bytes: "abあ" and the terminator
  EXPECT_STREQ(field, "abあ");
  cp932::CopyToField(field, "ok");
  EXPECT_STREQ(field, "ok");
}

}  // namespace
