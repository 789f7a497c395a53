#include "settings/IniDocument.h"

#include <algorithm>
#include <cstring>

namespace settings {

namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kLf = "\n";
constexpr std::string_view kCr = "\r";
constexpr std::size_t npos = std::string_view::npos;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Range of `s` within [begin, end) with blanks removed at both ends.
void trimRange(std::string_view s, std::size_t& begin, std::size_t& end) {
  while (begin < end && isBlank(s[begin])) ++begin;
  while (end > begin && isBlank(s[end - 1])) --end;
}

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  // Names are mostly spelt alike: compare the bytes first.
  return a == b || std::equal(a.begin(), a.end(), b.begin(),
                              [](char x, char y) { return lower(x) == lower(y); });
}

std::string_view trimmed(std::string_view s) {
  std::size_t b = 0, e = s.size();
  trimRange(s, b, e);
  return s.substr(b, e - b);
}

}  // namespace

IniDocument::IniDocument(std::string text) : text_(std::move(text)) {
  const char* data = text_.data();
  const std::size_t size = text_.size();
  lines_.reserve(size / 32 + 1);
  std::size_t pos = 0;
  // A UTF-8 byte-order mark, as some editors save one, is kept in the file but
  // is no part of the first line: otherwise it would hide the first section.
  if (size >= kByteOrderMark.size() &&
      std::string_view(data, kByteOrderMark.size()) == kByteOrderMark) {
    Line mark;
    mark.length = kByteOrderMark.size();
    lines_.push_back(mark);
    pos = mark.length;
  }
  while (pos < size) {
    // Lines end at LF, CRLF or a lone CR.
    const void* lf = std::memchr(data + pos, '\n', size - pos);
    std::size_t brk = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - data) : size;
    if (const void* cr = std::memchr(data + pos, '\r', brk - pos))
      brk = static_cast<std::size_t>(static_cast<const char*>(cr) - data);
    Line line;
    line.begin = pos;
    line.length = brk - pos;
    if (brk == size) {
      pos = size;
    } else if (data[brk] == '\r' && brk + 1 < size && data[brk + 1] == '\n') {
      line.eol = kCrLf;
      pos = brk + 2;
    } else {
      line.eol = data[brk] == '\r' ? kCr : kLf;
      pos = brk + 1;
    }
    classify(line, std::string_view(data + line.begin, line.length));
    lines_.push_back(std::move(line));
  }
}

std::string_view IniDocument::lineText(const Line& line) const {
  return line.isOwned ? std::string_view(line.owned)
                      : std::string_view(text_).substr(line.begin, line.length);
}

std::string_view IniDocument::nameOf(const Line& line) const {
  return lineText(line).substr(line.nameBegin, line.nameLength);
}

std::string_view IniDocument::valueOf(const Line& line) const {
  return lineText(line).substr(line.valueBegin, line.valueLength);
}

void IniDocument::classify(Line& line, std::string_view s) {
  std::size_t begin = 0, end = s.size();
  trimRange(s, begin, end);
  if (begin == end || s[begin] == ';') return;
  if (s[begin] == '[') {
    std::size_t nameEnd = s.find(']', begin + 1);
    if (nameEnd == npos) nameEnd = end;
    std::size_t nameBegin = begin + 1;
    trimRange(s, nameBegin, nameEnd);
    line.kind = Kind::Section;
    line.nameBegin = static_cast<std::uint32_t>(nameBegin);
    line.nameLength = static_cast<std::uint32_t>(nameEnd - nameBegin);
    return;
  }
  const std::size_t eq = s.find('=', begin);
  if (eq == npos || eq >= end) return;
  std::size_t nameBegin = begin, nameEnd = eq;
  trimRange(s, nameBegin, nameEnd);
  std::size_t valueBegin = eq + 1, valueEnd = end;
  trimRange(s, valueBegin, valueEnd);
  line.kind = Kind::Key;
  line.nameBegin = static_cast<std::uint32_t>(nameBegin);
  line.nameLength = static_cast<std::uint32_t>(nameEnd - nameBegin);
  line.valueBegin = static_cast<std::uint32_t>(valueBegin);
  line.valueLength = static_cast<std::uint32_t>(valueEnd - valueBegin);
}

IniDocument::Line IniDocument::ownedLine(std::string text, std::string_view eol) const {
  Line line;
  line.owned = std::move(text);
  line.isOwned = true;
  line.eol = eol;
  classify(line, line.owned);
  return line;
}

bool IniDocument::isBlankLine(const Line& line) const { return trimmed(lineText(line)).empty(); }

std::size_t IniDocument::findSection(std::string_view section) const {
  section = trimmed(section);
  for (std::size_t i = 0; i < lines_.size(); ++i)
    if (lines_[i].kind == Kind::Section && equalsNoCase(nameOf(lines_[i]), section)) return i;
  return npos;
}

std::size_t IniDocument::sectionEnd(std::size_t header) const {
  std::size_t i = header + 1;
  while (i < lines_.size() && lines_[i].kind != Kind::Section) ++i;
  return i;
}

bool IniDocument::keyNamed(std::size_t header, std::size_t line, std::string_view section,
                           std::string_view key) const {
  return equalsNoCase(nameOf(lines_[line]), key) && equalsNoCase(nameOf(lines_[header]), section);
}

void IniDocument::buildIndex() const {
  // Only the first section of a name counts, and in it the first key of a name.
  index_.clear();
  IniKeyIndex sections;
  bool counted = false;
  std::string_view current;
  std::size_t header = 0, currentHash = 0;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const Line& line = lines_[i];
    if (line.kind == Kind::Section) {
      current = nameOf(line);
      header = i;
      currentHash = IniKeyIndex::sectionHash(current);
      counted = sections.add(IniKeyIndex::keyHash(currentHash, {}), i, i,
                             [&](std::size_t, std::size_t other) {
                               return equalsNoCase(nameOf(lines_[other]), current);
                             });
    } else if (line.kind == Kind::Key && counted) {
      const std::string_view key = nameOf(line);
      index_.add(
          IniKeyIndex::keyHash(currentHash, key), header, i,
          [&](std::size_t, std::size_t other) { return equalsNoCase(nameOf(lines_[other]), key); });
    }
  }
  indexed_ = true;
}

std::size_t IniDocument::indexedKey(std::string_view section, std::string_view key) const {
  if (!indexed_) buildIndex();
  section = trimmed(section);
  key = trimmed(key);
  return index_.find(
      IniKeyIndex::keyHash(IniKeyIndex::sectionHash(section), key),
      [&](std::size_t header, std::size_t line) { return keyNamed(header, line, section, key); });
}

std::optional<std::string_view> IniDocument::value(std::string_view section,
                                                   std::string_view key) const {
  const std::size_t k = indexedKey(section, key);
  if (k == npos) return std::nullopt;
  return valueOf(lines_[k]);
}

void IniDocument::terminateLastLine() {
  if (!lines_.empty() && lines_.back().eol.empty()) lines_.back().eol = kCrLf;
}

bool IniDocument::setValue(std::string_view section, std::string_view key, std::string_view value) {
  section = trimmed(section);
  key = trimmed(key);
  auto keyLine = [&] {
    std::string text;
    text.reserve(key.size() + 1 + value.size());
    text.append(key).append("=").append(value);
    return text;
  };
  if (const std::size_t k = indexedKey(section, key); k != npos) {
    // In place: the line keeps its name, and no line moves.
    Line& line = lines_[k];
    if (valueOf(line) == trimmed(value)) return false;
    const std::string_view name = nameOf(line);
    std::string text;
    text.reserve(name.size() + 1 + value.size());
    text.append(name).append("=").append(value);
    line = ownedLine(std::move(text), line.eol);
    return true;
  }
  // The key is in no section of that name that counts: it becomes the first
  // of its name in the first section of that name, new or found.
  std::size_t header = findSection(section);
  std::size_t at = lines_.size();
  if (header == npos) {
    const bool onlyMark = lines_.size() == 1 && lineText(lines_[0]) == kByteOrderMark;
    if (!lines_.empty() && !onlyMark) {
      terminateLastLine();
      if (!isBlankLine(lines_.back())) lines_.push_back(ownedLine("", kCrLf));
    }
    header = lines_.size();
    lines_.push_back(ownedLine("[" + std::string(section) + "]", kCrLf));
    at = lines_.size();
    lines_.push_back(ownedLine(keyLine(), kCrLf));
  } else {
    at = sectionEnd(header);
    while (at > header + 1 && isBlankLine(lines_[at - 1])) --at;
    if (lines_[at - 1].eol.empty()) lines_[at - 1].eol = kCrLf;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), ownedLine(keyLine(), kCrLf));
    index_.lineInserted(at);
  }
  // A name the line cannot hold as given (a key with '=' in it, a section
  // with ']') reads back as another name: index the document afresh then.
  const Line& added = lines_[at];
  if (added.kind == Kind::Key && nameOf(added) == key &&
      equalsNoCase(nameOf(lines_[header]), section)) {
    index_.add(IniKeyIndex::keyHash(IniKeyIndex::sectionHash(section), key), header, at,
               [&](std::size_t h, std::size_t line) { return keyNamed(h, line, section, key); });
  } else {
    indexed_ = false;
  }
  return true;
}

std::string IniDocument::releaseStorage() {
  lines_.clear();
  index_.clear();
  indexed_ = false;
  return std::move(text_);
}

std::vector<std::string_view> IniDocument::pieces() const {
  std::vector<std::string_view> out;
  out.reserve(2 * lines_.size());
  const std::string_view original(text_);
  // Untouched lines followed by their own line ends are one run of the
  // original text: written as one piece, not two per line.
  auto append = [&](std::string_view piece) {
    if (piece.empty()) return;
    if (!out.empty() && out.back().data() + out.back().size() == piece.data())
      out.back() = std::string_view(out.back().data(), out.back().size() + piece.size());
    else
      out.push_back(piece);
  };
  for (const Line& l : lines_) {
    const std::size_t end = l.begin + l.length;
    if (!l.isOwned && original.substr(end, l.eol.size()) == l.eol) {
      append(original.substr(l.begin, l.length + l.eol.size()));
    } else {
      append(lineText(l));
      append(l.eol);
    }
  }
  return out;
}

std::string IniDocument::text() const {
  std::size_t size = 0;
  for (const Line& l : lines_) size += (l.isOwned ? l.owned.size() : l.length) + l.eol.size();
  std::string out;
  out.reserve(size);
  for (const Line& l : lines_) {
    out += lineText(l);
    out += l.eol;
  }
  return out;
}

}  // namespace settings
