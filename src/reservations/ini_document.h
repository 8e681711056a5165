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
  // A section of this document, found or added: a slot's keys are read and written one after
  // another, and finding the section once spares folding and hashing its name for each key.
  // It stays valid for this document and its copies while sections are added.
  enum class SectionId : std::size_t {};

  static IniDocument Parse(std::string_view bytes, TextCodec& codec);
  // `codec` encodes the lines the program rewrote or added to a Unicode file; every other line
  // is written as it was read.
  std::string Serialize(TextCodec& codec) const;

  std::optional<SectionId> FindSection(std::string_view name) const;
  // The first section of that name, or a new one at the end of the document.
  SectionId FindOrAddSection(std::string_view name);

  // The value of the first such key of the first such section: blanks around it removed, then
  // one pair of matching quotes around it.
  std::optional<std::string> Get(SectionId section, std::string_view key) const;
  std::optional<std::string> Get(std::string_view section, std::string_view key) const;
  // Replaces the value in place unless it already reads as `value`, or appends the key at the
  // end of its section, or the section at the end of the document. A value that would not read
  // back unchanged (blanks at its ends, or a quote at both) is written inside double quotes.
  void Set(SectionId section, std::string_view key, std::string_view value);
  void Set(std::string_view section, std::string_view key, std::string_view value);
  // The section's key names as written, blanks trimmed, in the file's order.
  std::vector<std::string> KeyNames(SectionId section) const;
  // Removes every entry of the key from the section; its comments and other keys stay.
  void Remove(SectionId section, std::string_view key);

 private:
  struct Line {
    std::string text;         // code page 932, without its line ending
    std::string_view ending;  // static "\r\n", "\r" or "\n", or empty at the end of the file
    std::string key;          // folded key name of an entry line, empty for any other line
    std::string encoded;      // a Unicode file's line as it stands there, unless rewritten
    bool rewritten = false;   // written or added by the program: `text` is what counts
  };
  // A header line and the lines up to the next header. The first one has no header: it holds
  // whatever precedes the first section.
  struct Section {
    std::vector<Line> lines;
  };

  // A line the program adds, ended by CR LF.
  static Line NewLine(std::string text);
  void AddParsedLine(std::string text, std::string_view ending, std::string encoded);
  Line* LastLine();

  enum class Form { kCp932, kUtf8, kUtf16 };
  Form m_form = Form::kCp932;
  std::string m_mark;     // the byte-order mark the file began with
  std::string m_oddByte;  // a UTF-16 file's last byte that makes no whole unit
  std::vector<Section> m_sections{Section{}};
  // Folded section name to the index of its first occurrence in m_sections.
  std::unordered_map<std::string, std::size_t> m_index;
};
