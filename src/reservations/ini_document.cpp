#include "reservations/ini_document.h"

#include <algorithm>
#include <utility>

#include "platform/text_codec.h"
#include "text/cp932.h"

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16Mark = "\xFF\xFE";
// A header and a slot's thirteen keys, with room to spare: lines are made room for once.
constexpr std::size_t kUsualSectionLines = 16;

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsIniBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsIniBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool IsBlankLine(std::string_view text) { return Trim(text).empty(); }

bool IsQuote(char byte) { return byte == '"' || byte == '\''; }

// Quotes and blanks are never trail bytes, so their ends can be looked at as bytes.
bool IsQuoted(std::string_view text) {
  return text.size() >= 2 && IsQuote(text.front()) && text.back() == text.front();
}

// Width of the character at `at`; a lead byte cut off at the end counts alone.
std::size_t CharacterWidth(std::string_view text, std::size_t at) {
  return cp932::IsLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2 : 1;
}

// ASCII lower case, leaving trail bytes alone: 0x41-0x5A after a lead byte belong to a
// double-byte character, and folding them would make two different characters match.
std::string Fold(std::string_view name) {
  std::string folded(name);
  bool trailByte = false;
  for (char& byte : folded) {
    const auto value = static_cast<unsigned char>(byte);
    if (trailByte) {
      trailByte = false;
    } else if (value >= 'A' && value <= 'Z') {
      byte = static_cast<char>(value + ('a' - 'A'));
    } else {
      trailByte = cp932::IsLeadByte(value);
    }
  }
  return folded;
}

// The name of a "[name]" line. The closing bracket is searched character by character,
// because 0x5D can be the trail byte of a double-byte character.
std::optional<std::string_view> HeaderName(std::string_view text) {
  text = Trim(text);
  if (text.empty() || text.front() != '[') return std::nullopt;
  for (std::size_t at = 1; at < text.size(); at += CharacterWidth(text, at)) {
    if (text[at] == ']') return Trim(text.substr(1, at - 1));
  }
  return std::nullopt;
}

bool IsComment(std::string_view text) {
  text = Trim(text);
  return !text.empty() && text.front() == ';';
}

// The folded key of a line that is not a header; empty for a comment or a line without '='.
std::string EntryKey(std::string_view text) {
  if (IsComment(text)) return {};
  const std::size_t separator = text.find('=');
  if (separator == std::string_view::npos) return {};
  return Fold(Trim(text.substr(0, separator)));
}

// '=' (0x3D) is never a trail byte, so a plain byte search finds the separator.
std::string_view EntryValue(std::string_view text) {
  std::string_view value = Trim(text.substr(text.find('=') + 1));
  if (IsQuoted(value)) value = value.substr(1, value.size() - 2);
  return value;
}

// Reading drops the blanks at a value's ends and one pair of quotes around it; inside quotes
// both read back.
bool NeedsQuotes(std::string_view value) {
  return !value.empty() &&
         (IsIniBlank(value.front()) || IsIniBlank(value.back()) || IsQuoted(value));
}

std::string EntryText(std::string_view key, std::string_view value) {
  const bool quoted = NeedsQuotes(value);
  std::string text;
  text.reserve(key.size() + 3 + value.size());
  text.append(key).append("=");
  if (quoted) text.append("\"");
  text.append(value);
  if (quoted) text.append("\"");
  return text;
}

// Where the line starting at `start` ends: CR, LF and CR LF each end one. Its text ends at
// `end`, its line break at `next`, where the next line starts.
struct LineBreak {
  std::size_t end;
  std::size_t next;
};

template <typename Char>
LineBreak FindLineBreak(std::basic_string_view<Char> text, std::size_t start) {
  std::size_t end = start;
  while (end < text.size() && text[end] != Char('\r') && text[end] != Char('\n')) ++end;
  std::size_t next = end;
  if (next < text.size() && text[next++] == Char('\r') && next < text.size() &&
      text[next] == Char('\n')) {
    ++next;
  }
  return {end, next};
}

// The line break as ASCII, the same characters in either encoding.
template <typename Char>
std::string_view LineEnding(std::basic_string_view<Char> text, LineBreak lineBreak) {
  if (lineBreak.next - lineBreak.end == 2) return "\r\n";
  if (lineBreak.next == lineBreak.end) return {};
  return text[lineBreak.end] == Char('\r') ? "\r" : "\n";
}

void AppendUtf16(std::string& bytes, std::u16string_view text) {
  for (const char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
}

// Strict UTF-8 (no overlong form, no surrogate, nothing above U+10FFFF) with at least one
// character beyond ASCII, so that a file of ASCII alone stays code page 932.
bool IsUtf8Text(std::string_view bytes) {
  bool beyondAscii = false;
  for (std::size_t at = 0; at < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[at]);
    if (lead < 0x80) {
      ++at;
      continue;
    }
    // The second byte's range is narrower after the leads that could start an overlong form,
    // a surrogate or a character above U+10FFFF.
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    } else {
      return false;
    }
    if (bytes.size() - at < length) return false;
    for (std::size_t next = 1; next < length; ++next) {
      const auto byte = static_cast<unsigned char>(bytes[at + next]);
      if (byte < low || byte > high) return false;
      low = 0x80;
      high = 0xBF;
    }
    at += length;
    beyondAscii = true;
  }
  return beyondAscii;
}

}  // namespace

bool IsIniBlank(char byte) {
  return byte == ' ' || byte == '\t' || byte == '\r' || byte == '\v' || byte == '\f';
}

IniDocument::Line IniDocument::NewLine(std::string text) {
  std::string key = HeaderName(text) ? std::string() : EntryKey(text);
  return Line{std::move(text), "\r\n", std::move(key), {}, true};
}

void IniDocument::AddParsedLine(std::string text, std::string_view ending, std::string encoded) {
  const auto name = HeaderName(text);
  if (name) {
    m_sections.emplace_back().lines.reserve(kUsualSectionLines);
    // emplace keeps the first occurrence: a repeated section is kept but never addressed.
    m_index.emplace(Fold(*name), m_sections.size() - 1);
  }
  std::string key = name ? std::string() : EntryKey(text);
  m_sections.back().lines.push_back(
      Line{std::move(text), ending, std::move(key), std::move(encoded), false});
}

IniDocument IniDocument::Parse(std::string_view bytes, TextCodec& codec) {
  IniDocument document;
  if (bytes.substr(0, kUtf16Mark.size()) == kUtf16Mark) {
    document.m_form = Form::kUtf16;
    document.m_mark = kUtf16Mark;
    bytes.remove_prefix(kUtf16Mark.size());
    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t at = 0; at < units.size(); ++at) {
      units[at] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * at]) |
                                        static_cast<unsigned char>(bytes[2 * at + 1]) << 8);
    }
    if (bytes.size() % 2 != 0) document.m_oddByte = bytes.back();
    const std::u16string_view text(units);
    for (std::size_t start = 0; start < text.size();) {
      const LineBreak lineBreak = FindLineBreak(text, start);
      const std::size_t length = lineBreak.end - start;
      document.AddParsedLine(codec.Utf16ToCp932(text.substr(start, length)),
                             LineEnding(text, lineBreak),
                             std::string(bytes.substr(2 * start, 2 * length)));
      start = lineBreak.next;
    }
    return document;
  }

  if (bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark) {
    document.m_mark = kUtf8Mark;
    bytes.remove_prefix(kUtf8Mark.size());
  }
  if (IsUtf8Text(bytes)) document.m_form = Form::kUtf8;
  for (std::size_t start = 0; start < bytes.size();) {
    const LineBreak lineBreak = FindLineBreak(bytes, start);
    const std::string_view line = bytes.substr(start, lineBreak.end - start);
    if (document.m_form == Form::kUtf8) {
      document.AddParsedLine(codec.Utf16ToCp932(codec.Utf8ToUtf16(line)),
                             LineEnding(bytes, lineBreak), std::string(line));
    } else {
      document.AddParsedLine(std::string(line), LineEnding(bytes, lineBreak), {});
    }
    start = lineBreak.next;
  }
  return document;
}

std::string IniDocument::Serialize(TextCodec& codec) const {
  // Rewritten lines of a Unicode file are counted as code page 932: the room is only a guess.
  const std::size_t unitSize = m_form == Form::kUtf16 ? 2 : 1;
  std::size_t size = m_mark.size() + m_oddByte.size();
  for (const Section& section : m_sections) {
    for (const Line& line : section.lines) {
      const bool asText = m_form == Form::kCp932 || line.rewritten;
      size += (asText ? unitSize * line.text.size() : line.encoded.size()) +
              unitSize * line.ending.size();
    }
  }
  std::string bytes;
  bytes.reserve(size);
  bytes.append(m_mark);
  for (const Section& section : m_sections) {
    for (const Line& line : section.lines) {
      switch (m_form) {
        case Form::kCp932:
          bytes.append(line.text).append(line.ending);
          break;
        case Form::kUtf8:
          if (line.rewritten) {
            bytes.append(codec.Utf16ToUtf8(codec.Cp932ToUtf16(line.text)));
          } else {
            bytes.append(line.encoded);
          }
          bytes.append(line.ending);
          break;
        case Form::kUtf16:
          if (line.rewritten) {
            AppendUtf16(bytes, codec.Cp932ToUtf16(line.text));
          } else {
            bytes.append(line.encoded);
          }
          for (const char character : line.ending) bytes.append({character, '\0'});
          break;
      }
    }
  }
  // Behind everything, so that the lines the program appends stay whole units.
  bytes.append(m_oddByte);
  return bytes;
}

std::optional<IniDocument::SectionId> IniDocument::FindSection(std::string_view name) const {
  const auto found = m_index.find(Fold(name));
  if (found == m_index.end()) return std::nullopt;
  return SectionId{found->second};
}

IniDocument::SectionId IniDocument::FindOrAddSection(std::string_view name) {
  std::string folded = Fold(name);
  if (const auto found = m_index.find(folded); found != m_index.end()) {
    return SectionId{found->second};
  }
  if (Line* last = LastLine(); last != nullptr && last->ending.empty()) last->ending = "\r\n";
  Section& added = m_sections.emplace_back();
  added.lines.reserve(kUsualSectionLines);
  added.lines.push_back(NewLine("[" + std::string(name) + "]"));
  m_index.emplace(std::move(folded), m_sections.size() - 1);
  return SectionId{m_sections.size() - 1};
}

std::optional<std::string> IniDocument::Get(SectionId section, std::string_view key) const {
  const std::string foldedKey = Fold(key);
  for (const Line& line : m_sections[static_cast<std::size_t>(section)].lines) {
    if (!line.key.empty() && line.key == foldedKey) return std::string(EntryValue(line.text));
  }
  return std::nullopt;
}

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view key) const {
  const auto found = FindSection(section);
  if (!found) return std::nullopt;
  return Get(*found, key);
}

void IniDocument::Set(SectionId section, std::string_view key, std::string_view value) {
  // A line break inside a value would end the entry early and turn the rest into lines of
  // their own, possibly a section header.
  value = value.substr(0, value.find_first_of("\r\n"));

  std::vector<Line>& lines = m_sections[static_cast<std::size_t>(section)].lines;
  const std::string foldedKey = Fold(key);
  for (Line& line : lines) {
    if (line.key.empty() || line.key != foldedKey) continue;
    // An unchanged value keeps the user's spelling, spacing and quotes.
    if (EntryValue(line.text) != value) {
      line.text = EntryText(key, value);
      line.encoded.clear();
      line.rewritten = true;
    }
    return;
  }

  // Blank lines closing the section stay between it and the next header.
  std::size_t insertAt = lines.size();
  while (insertAt > 1 && IsBlankLine(lines[insertAt - 1].text)) --insertAt;
  if (lines[insertAt - 1].ending.empty()) lines[insertAt - 1].ending = "\r\n";
  lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt),
               NewLine(EntryText(key, value)));
}

void IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  Set(FindOrAddSection(section), key, value);
}

std::vector<std::string> IniDocument::KeyNames(SectionId section) const {
  std::vector<std::string> names;
  for (const Line& line : m_sections[static_cast<std::size_t>(section)].lines) {
    if (!line.key.empty())
      names.emplace_back(Trim(std::string_view(line.text).substr(0, line.text.find('='))));
  }
  return names;
}

void IniDocument::Remove(SectionId section, std::string_view key) {
  const std::string foldedKey = Fold(key);
  // Every line that is not an entry has an empty key.
  if (foldedKey.empty()) return;
  std::vector<Line>& lines = m_sections[static_cast<std::size_t>(section)].lines;
  lines.erase(std::remove_if(lines.begin(), lines.end(),
                             [&](const Line& line) { return line.key == foldedKey; }),
              lines.end());
}

IniDocument::Line* IniDocument::LastLine() {
  for (auto section = m_sections.rbegin(); section != m_sections.rend(); ++section) {
    if (!section->lines.empty()) return &section->lines.back();
  }
  return nullptr;
}
