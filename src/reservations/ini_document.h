#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class TextCodec;

// Space, tab, CR, VT and FF: the blanks trimmed around names and values.
bool IsIniBlank(char byte);

// An INI file held in memory line by line, so that what is not touched is written back byte
// for byte. Section and key names match without regard to ASCII case. CR, LF and CR LF each end
// a line. The text is code page 932, behind a UTF-8 byte-order mark that is kept; or UTF-8,
// with or without that mark; or UTF-16 LE behind its mark FF FE. Unicode text is converted line
// by line, so that characters outside code page 932 survive in every line the program does not
// rewrite.
class IniDocument {
 public:
  static IniDocument Parse(std::string_view bytes, TextCodec& codec);
  std::string Serialize() const;

  // The value of the first such key of the first such section: blanks around it removed, then
  // one pair of matching quotes around it.
  std::optional<std::string> Get(std::string_view section, std::string_view key) const;
  // Replaces the value in place unless it already reads as `value`, or appends the key at the
  // end of its section, or the section at the end of the document. A value that would not read
  // back unchanged (blanks at its ends, or a quote at both) is written inside double quotes.
  void Set(std::string_view section, std::string_view key, std::string_view value);

 private:
  struct Line {
    std::string text;         // code page 932, without its line ending
    std::string_view ending;  // static "\r\n", "\r" or "\n", or empty at the end of the file
    std::string key;          // folded key name of an entry line, empty for any other line
    std::string encoded;  // a Unicode file's line, as it stands there or as the program wrote it
  };
  // A header line and the lines up to the next header. The first one has no header: it holds
  // whatever precedes the first section.
  struct Section {
    std::vector<Line> lines;
  };

  // A line the program adds, ended by CR LF.
  Line NewLine(std::string text) const;
  void Rewrite(Line& line, std::string text) const;
  // `text` in the file's own form.
  std::string Encode(std::string_view text) const;
  void AddParsedLine(std::string text, std::string_view ending, std::string encoded);
  Line* LastLine();
  std::optional<std::size_t> FindSection(std::string_view name) const;

  enum class Form { kCp932, kUtf8, kUtf16 };
  Form m_form = Form::kCp932;
  std::string m_mark;            // the byte-order mark the file began with
  std::string m_oddByte;         // a UTF-16 file's last byte that makes no whole unit
  TextCodec* m_codec = nullptr;  // set for a Unicode file only
  std::vector<Section> m_sections{Section{}};
  // Folded section name to the index of its first occurrence in m_sections.
  std::unordered_map<std::string, std::size_t> m_index;
  // The last section looked up, by its name as asked, and where it is if it is there: a slot's
  // keys are read and written one after another, and folding and hashing the name each time
  // cost as much as the rest of a lookup.
  struct LastFound {
    std::string name;
    std::optional<std::size_t> index;
  };
  mutable std::optional<LastFound> m_lastFound;
};
