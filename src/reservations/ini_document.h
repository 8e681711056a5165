#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// An INI file held in memory line by line, so that what is not touched is written back byte
// for byte. Section and key names match without regard to ASCII case.
class IniDocument {
 public:
  static IniDocument Parse(std::string_view bytes);
  std::string Serialize() const;

  // The value of the first such key of the first such section, blanks around it removed.
  std::optional<std::string> Get(std::string_view section, std::string_view key) const;
  // Replaces the value in place, or appends the key at the end of its section, or the section
  // at the end of the document.
  void Set(std::string_view section, std::string_view key, std::string_view value);

 private:
  struct Line {
    std::string text;    // without its line ending
    std::string ending;  // "\r\n", "\n", or "" for a last line without one
    std::string key;     // folded key name of an entry line, empty for any other line
  };
  // A header line and the lines up to the next header. The first one has no header: it holds
  // whatever precedes the first section.
  struct Section {
    std::vector<Line> lines;
  };

  static Line MakeLine(std::string text, std::string ending);
  Line* LastLine();

  std::vector<Section> m_sections{Section{}};
  // Folded section name to the index of its first occurrence in m_sections.
  std::unordered_map<std::string, std::size_t> m_index;
};
