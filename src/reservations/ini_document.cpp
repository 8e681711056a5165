#include "reservations/ini_document.h"

#include <utility>

#include "platform/cp932.h"

namespace {

bool IsBlank(char byte) { return byte == ' ' || byte == '\t'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool IsBlankLine(std::string_view text) { return Trim(text).empty(); }

// Width of the character at `at`; a lead byte cut off at the end counts alone.
std::size_t CharacterWidth(std::string_view text, std::size_t at) {
  return cp932::IsLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2 : 1;
}

// ASCII lower case, leaving trail bytes alone: 0x41-0x5A after a lead byte belong to a
// double-byte character, and folding them would make two different characters match.
std::string Fold(std::string_view name) {
  std::string folded(name);
  for (std::size_t at = 0; at < folded.size();) {
    const std::size_t width = CharacterWidth(folded, at);
    if (width == 1 && folded[at] >= 'A' && folded[at] <= 'Z') folded[at] += 'a' - 'A';
    at += width;
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

// '=' (0x3D) is never a trail byte, so a plain byte search finds the separator.
std::string_view EntryValue(std::string_view text) { return Trim(text.substr(text.find('=') + 1)); }

std::string EntryText(std::string_view key, std::string_view value) {
  std::string text;
  text.reserve(key.size() + 1 + value.size());
  text.append(key).append("=").append(value);
  return text;
}

}  // namespace

IniDocument::Line IniDocument::MakeLine(std::string text, std::string ending) {
  Line line{std::move(text), std::move(ending), {}};
  if (HeaderName(line.text) || IsComment(line.text)) return line;
  const std::size_t separator = line.text.find('=');
  if (separator != std::string::npos) {
    line.key = Fold(Trim(std::string_view(line.text).substr(0, separator)));
  }
  return line;
}

IniDocument IniDocument::Parse(std::string_view bytes) {
  IniDocument document;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t newline = bytes.find('\n', start);
    std::size_t end = newline == std::string_view::npos ? bytes.size() : newline;
    std::string ending;
    if (newline != std::string_view::npos) {
      ending = "\n";
      if (end > start && bytes[end - 1] == '\r') {
        --end;
        ending = "\r\n";
      }
    }
    std::string_view text = bytes.substr(start, end - start);
    if (const auto name = HeaderName(text)) {
      document.m_sections.emplace_back();
      // emplace keeps the first occurrence: a repeated section is kept but never addressed.
      document.m_index.emplace(Fold(*name), document.m_sections.size() - 1);
    }
    document.m_sections.back().lines.push_back(MakeLine(std::string(text), std::move(ending)));
    start = newline == std::string_view::npos ? bytes.size() : newline + 1;
  }
  return document;
}

std::string IniDocument::Serialize() const {
  std::size_t size = 0;
  for (const Section& section : m_sections) {
    for (const Line& line : section.lines) size += line.text.size() + line.ending.size();
  }
  std::string bytes;
  bytes.reserve(size);
  for (const Section& section : m_sections) {
    for (const Line& line : section.lines) bytes.append(line.text).append(line.ending);
  }
  return bytes;
}

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view key) const {
  const auto found = m_index.find(Fold(section));
  if (found == m_index.end()) return std::nullopt;
  const std::string foldedKey = Fold(key);
  for (const Line& line : m_sections[found->second].lines) {
    if (!line.key.empty() && line.key == foldedKey) return std::string(EntryValue(line.text));
  }
  return std::nullopt;
}

void IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  // A line break inside a value would end the entry early and turn the rest into lines of
  // their own, possibly a section header.
  value = value.substr(0, value.find_first_of("\r\n"));

  std::string foldedSection = Fold(section);
  const auto found = m_index.find(foldedSection);
  if (found == m_index.end()) {
    if (Line* last = LastLine(); last != nullptr && last->ending.empty()) last->ending = "\r\n";
    Section added;
    added.lines.push_back(MakeLine("[" + std::string(section) + "]", "\r\n"));
    added.lines.push_back(MakeLine(EntryText(key, value), "\r\n"));
    m_sections.push_back(std::move(added));
    m_index.emplace(std::move(foldedSection), m_sections.size() - 1);
    return;
  }

  std::vector<Line>& lines = m_sections[found->second].lines;
  const std::string foldedKey = Fold(key);
  for (Line& line : lines) {
    if (line.key.empty() || line.key != foldedKey) continue;
    // An unchanged value keeps the user's spelling and spacing.
    if (EntryValue(line.text) != value) line.text = EntryText(key, value);
    return;
  }

  // Blank lines closing the section stay between it and the next header.
  std::size_t insertAt = lines.size();
  while (insertAt > 1 && IsBlankLine(lines[insertAt - 1].text)) --insertAt;
  if (lines[insertAt - 1].ending.empty()) lines[insertAt - 1].ending = "\r\n";
  lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt),
               MakeLine(EntryText(key, value), "\r\n"));
}

IniDocument::Line* IniDocument::LastLine() {
  for (auto section = m_sections.rbegin(); section != m_sections.rend(); ++section) {
    if (!section->lines.empty()) return &section->lines.back();
  }
  return nullptr;
}
