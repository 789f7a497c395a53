#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The text of one INI file, parsed once and edited in place the way the
// original profile functions edit it: every line that is not touched keeps its
// exact bytes (comments, blank lines, unknown keys, odd spacing and line
// endings included).
namespace settings {

class IniDocument {
 public:
  IniDocument() = default;
  explicit IniDocument(std::string_view text);

  // The value of the first key of that name in the first section of that name
  // (both compared case-insensitively), blanks around it removed; nullopt
  // when the section or key is absent.
  std::optional<std::string_view> value(std::string_view section, std::string_view key) const;

  // Sets a key's value. An existing key keeps its line, place and spelling
  // (its line is left byte for byte when the value is already the same); a
  // new key goes after the last non-blank line of its section; a new section
  // goes at the end, after one blank line when the file is not empty. New
  // lines end in CRLF. Returns true when the text changed.
  bool setValue(std::string_view section, std::string_view key, std::string_view value);

  std::string text() const;
  bool empty() const { return lines_.empty(); }
  std::size_t lineCount() const { return lines_.size(); }

 private:
  enum class Kind { Other, Section, Key };
  struct Line {
    std::string text;  // without its line ending
    std::string eol;   // "\r\n", "\n", "\r" or "" for an unterminated last line
    Kind kind = Kind::Other;
    // Section: the name. Key: the name and the value, both trimmed.
    std::size_t nameBegin = 0, nameLength = 0;
    std::size_t valueBegin = 0, valueLength = 0;

    std::string_view name() const { return std::string_view(text).substr(nameBegin, nameLength); }
    std::string_view val() const { return std::string_view(text).substr(valueBegin, valueLength); }
  };

  static Line parseLine(std::string text, std::string eol);
  // Index of the header line of the first section with this name, or npos.
  std::size_t findSection(std::string_view section) const;
  // One past the last line of the section whose header is at `header`.
  std::size_t sectionEnd(std::size_t header) const;
  std::size_t findKey(std::size_t header, std::size_t end, std::string_view key) const;
  void terminateLastLine();

  std::vector<Line> lines_;
};

}  // namespace settings
