#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/IniKeyIndex.h"

// The text of one INI file, parsed once and edited in place the way the
// original profile functions edit it: every line that is not touched keeps its
// exact bytes (comments, blank lines, unknown keys, odd spacing and line
// endings included).
namespace settings {

class IniDocument {
 public:
  IniDocument() = default;
  explicit IniDocument(std::string text);

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
  // Gives up the document's storage (for reuse by the next read) and leaves
  // it empty.
  std::string releaseStorage();
  // The text in order as pieces that point into the document (valid until it
  // changes), for writing without joining them first.
  std::vector<std::string_view> pieces() const;
  bool empty() const { return lines_.empty(); }
  std::size_t lineCount() const { return lines_.size(); }

 private:
  enum class Kind : std::uint8_t { Other, Section, Key };
  // A line is a range of the original text, or text of its own once edited.
  // Name and value ranges are relative to the line's text, blanks trimmed.
  struct Line {
    std::size_t begin = 0, length = 0;  // in text_, unless `owned`
    std::string owned;
    bool isOwned = false;
    std::string_view eol;  // "\r\n", "\n", "\r" or "" for an unterminated last line
    Kind kind = Kind::Other;
    std::uint32_t nameBegin = 0, nameLength = 0;
    std::uint32_t valueBegin = 0, valueLength = 0;
  };

  std::string_view lineText(const Line& line) const;
  std::string_view nameOf(const Line& line) const;
  std::string_view valueOf(const Line& line) const;
  static void classify(Line& line, std::string_view text);
  Line ownedLine(std::string text, std::string_view eol) const;
  std::size_t findSection(std::string_view section) const;
  std::size_t sectionEnd(std::size_t header) const;
  bool isBlankLine(const Line& line) const;
  void terminateLastLine();
  // The line of the key as value() finds it, or npos.
  std::size_t indexedKey(std::string_view section, std::string_view key) const;
  void buildIndex() const;
  bool keyNamed(std::size_t header, std::size_t line, std::string_view section,
                std::string_view key) const;

  std::string text_;
  std::vector<Line> lines_;
  // Section and key names -> the line value() reads the key from, built at
  // the first lookup so that reading every key is not quadratic, and kept in
  // step with every line added after that.
  mutable IniKeyIndex index_;
  mutable bool indexed_ = false;
};

}  // namespace settings
