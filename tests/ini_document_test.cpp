#include "reservations/ini_document.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_text_codec.h"

namespace {

FakeTextCodec& Codec() {
  static FakeTextCodec codec;
  return codec;
}

IniDocument Parse(std::string_view bytes) { return IniDocument::Parse(bytes, Codec()); }

std::string Serialize(const IniDocument& document) { return document.Serialize(Codec()); }

// Mixed line endings, a preamble, comments, blank lines, a repeated section, Japanese text and
// no line ending at the very end.
const std::string kMessy =
    "; written by hand\r\n"
    "Loose=1\n"
    "[Option]\r\n"
    "  arraystock = 12 \r\n"
    ";NoError=0\n"
    "Quoted=\"a b\"\n"
    "\r\n"
    "[DATA0]\n"
    "Message=鳴刻です\n"
    "Command=\n"
    "[option]\n"
    "ArrayStock=99\n"
    "[Tail]\n"
    "Last=x";

TEST(IniDocumentTest, ParsesEveryLineAndWritesItBackUnchanged) {
  const IniDocument document = Parse(kMessy);
  EXPECT_EQ(Serialize(document), kMessy);

  EXPECT_EQ(document.Get("OPTION", "ArrayStock"), "12");       // case and blanks ignored
  EXPECT_EQ(document.Get("OPTION", "NoError"), std::nullopt);  // only a comment
  EXPECT_EQ(document.Get("OPTION", "Quoted"), "a b");
  EXPECT_EQ(document.Get("DATA0", "Message"), "鳴刻です");
  EXPECT_EQ(document.Get("DATA0", "Command"), "");
  EXPECT_EQ(document.Get("Tail", "Last"), "x");
  EXPECT_EQ(document.Get("", "Loose"), std::nullopt);  // before any section
  EXPECT_EQ(document.Get("DATA1", "Month"), std::nullopt);
}

TEST(IniDocumentTest, TrailBytesAreNotBracketsOrLetters) {
  // "ゾ" is 83 5D, whose trail byte is ']'; 83 41 and 83 61 differ only in a trail byte that
  // looks like 'A' and 'a'.
  const IniDocument document = Parse(
      "[ゾ]\r\nKey=1\r\n"
      "[\x83\x41]\r\nKey=upper\r\n"
      "[\x83\x61]\r\nKey=lower\r\n"
      "[表]\r\n表=\\\r\n");
  EXPECT_EQ(document.Get("ゾ", "Key"), "1");
  EXPECT_EQ(document.Get("\x83\x41", "key"), "upper");
  EXPECT_EQ(document.Get("\x83\x61", "KEY"), "lower");
  EXPECT_EQ(document.Get("表", "表"), "\\");
}

TEST(IniDocumentTest, SetRewritesOnlyChangedValuesAndKeepsLineEndings) {
  IniDocument document = Parse("[s]\nmonth = 4 \nDay=1\r\nHour=2");
  document.Set("S", "Month", "4");
  document.Set("s", "DAY", "7");
  document.Set("s", "Hour", "3");
  EXPECT_EQ(Serialize(document), "[s]\nmonth = 4 \nDAY=7\r\nHour=3");
}

TEST(IniDocumentTest, SetAppendsMissingKeysToTheirSectionAndMissingSectionsAtTheEnd) {
  IniDocument document = Parse(
      "[A]\n"
      "x=1\n"
      ";note\n"
      "\n"
      "\n"
      "[B]\n"
      "y=2");
  document.Set("a", "z", "3");
  document.Set("B", "w", "4");
  document.Set("C", "v", "");
  document.Set("C", "u", "5");
  EXPECT_EQ(Serialize(document),
            "[A]\n"
            "x=1\n"
            ";note\n"
            "z=3\r\n"
            "\n"
            "\n"
            "[B]\n"
            "y=2\r\n"
            "w=4\r\n"
            "[C]\r\n"
            "v=\r\n"
            "u=5\r\n");

  IniDocument empty;
  empty.Set("OPTION", "NoError", "1");
  EXPECT_EQ(Serialize(empty), "[OPTION]\r\nNoError=1\r\n");

  IniDocument noEnding = Parse("; only a comment");
  noEnding.Set("S", "k", "v");
  EXPECT_EQ(Serialize(noEnding), "; only a comment\r\n[S]\r\nk=v\r\n");
}

// A file holding a UTF-8 character, in a comment here, is read as UTF-8 only if it is all
// UTF-8; otherwise its values are code page 932 bytes as they stand.
TEST(IniDocumentTest, OnlyStrictUtf8ReadsAsUtf8) {
  const struct {
    const char* what;
    std::string value;
    std::string read;
  } cases[] = {
      {"UTF-8", u8"刻", "刻"},
      {"code page 932", "鳴刻", "鳴刻"},
      {"overlong of two bytes", "\xC0\xAF", "\xC0\xAF"},
      {"overlong of three bytes", "\xE0\x9F\xBF", "\xE0\x9F\xBF"},
      {"overlong of four bytes", "\xF0\x8F\xBF\xBF", "\xF0\x8F\xBF\xBF"},
      {"surrogate", "\xED\xA0\x80", "\xED\xA0\x80"},
      {"above U+10FFFF", "\xF4\x90\x80\x80", "\xF4\x90\x80\x80"},
      {"cut short by the line end", "\xE9\xB3", "\xE9\xB3"},
  };
  for (const auto& each : cases) {
    SCOPED_TRACE(each.what);
    const std::string file = u8"; 予約\r\n[s]\r\nk=" + each.value + "\r\n";
    const IniDocument document = Parse(file);
    EXPECT_EQ(document.Get("s", "k"), each.read);
    EXPECT_EQ(Serialize(document), file);
  }
}

TEST(IniDocumentTest, RemoveTakesEveryEntryOfAKeyFromItsSectionAlone) {
  IniDocument document = Parse("[A]\nx=1\n;x=c\n X =2\ny=3\n[B]\nx=4\n[a]\nx=5");
  const IniDocument::SectionId a = *document.FindSection("a");
  EXPECT_EQ(document.KeyNames(a), (std::vector<std::string>{"x", "X", "y"}));
  document.Remove(a, "x");
  document.Remove(a, "");
  document.Remove(a, "z");
  EXPECT_EQ(Serialize(document), "[A]\n;x=c\ny=3\n[B]\nx=4\n[a]\nx=5");
  EXPECT_EQ(document.Get("A", "x"), std::nullopt);
  document.Set(a, "x", "6");
  EXPECT_EQ(document.Get("A", "x"), "6");
}

TEST(IniDocumentTest, SetCutsAValueAtALineBreak) {
  IniDocument document;
  document.Set("S", "Message", "one\r\n[OPTION]\r\nArrayStock=0");
  EXPECT_EQ(Serialize(document), "[S]\r\nMessage=one\r\n");
  EXPECT_EQ(document.Get("OPTION", "ArrayStock"), std::nullopt);
}

}  // namespace
