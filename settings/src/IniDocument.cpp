#include "settings/IniDocument.h"

#include <algorithm>

namespace settings {

namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::size_t npos = std::string_view::npos;

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Range of `s` within [begin, end) with blanks removed at both ends.
void trimRange(std::string_view s, std::size_t& begin, std::size_t& end) {
  while (begin < end && isBlank(s[begin])) ++begin;
  while (end > begin && isBlank(s[end - 1])) --end;
}

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lower(x) == lower(y); });
}

std::string_view trimmed(std::string_view s) {
  std::size_t b = 0, e = s.size();
  trimRange(s, b, e);
  return s.substr(b, e - b);
}

}  // namespace

IniDocument::IniDocument(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t brk = text.find_first_of("\r\n", pos);
    if (brk == npos) {
      lines_.push_back(parseLine(std::string(text.substr(pos)), ""));
      break;
    }
    std::size_t next = brk + 1;
    if (text[brk] == '\r' && next < text.size() && text[next] == '\n') ++next;
    lines_.push_back(parseLine(std::string(text.substr(pos, brk - pos)),
                               std::string(text.substr(brk, next - brk))));
    pos = next;
  }
}

IniDocument::Line IniDocument::parseLine(std::string text, std::string eol) {
  Line line{std::move(text), std::move(eol)};
  const std::string_view s = line.text;
  std::size_t begin = 0, end = s.size();
  trimRange(s, begin, end);
  if (begin == end || s[begin] == ';') return line;
  if (s[begin] == '[') {
    std::size_t nameEnd = s.find(']', begin + 1);
    if (nameEnd == npos) nameEnd = end;
    std::size_t nameBegin = begin + 1;
    trimRange(s, nameBegin, nameEnd);
    line.kind = Kind::Section;
    line.nameBegin = nameBegin;
    line.nameLength = nameEnd - nameBegin;
    return line;
  }
  const std::size_t eq = s.find('=', begin);
  if (eq == npos || eq >= end) return line;
  std::size_t nameBegin = begin, nameEnd = eq;
  trimRange(s, nameBegin, nameEnd);
  std::size_t valueBegin = eq + 1, valueEnd = end;
  trimRange(s, valueBegin, valueEnd);
  line.kind = Kind::Key;
  line.nameBegin = nameBegin;
  line.nameLength = nameEnd - nameBegin;
  line.valueBegin = valueBegin;
  line.valueLength = valueEnd - valueBegin;
  return line;
}

std::size_t IniDocument::findSection(std::string_view section) const {
  section = trimmed(section);
  for (std::size_t i = 0; i < lines_.size(); ++i)
    if (lines_[i].kind == Kind::Section && equalsNoCase(lines_[i].name(), section)) return i;
  return npos;
}

std::size_t IniDocument::sectionEnd(std::size_t header) const {
  std::size_t i = header + 1;
  while (i < lines_.size() && lines_[i].kind != Kind::Section) ++i;
  return i;
}

std::size_t IniDocument::findKey(std::size_t header, std::size_t end, std::string_view key) const {
  key = trimmed(key);
  for (std::size_t i = header + 1; i < end; ++i)
    if (lines_[i].kind == Kind::Key && equalsNoCase(lines_[i].name(), key)) return i;
  return npos;
}

std::optional<std::string_view> IniDocument::value(std::string_view section,
                                                   std::string_view key) const {
  const std::size_t header = findSection(section);
  if (header == npos) return std::nullopt;
  const std::size_t k = findKey(header, sectionEnd(header), key);
  if (k == npos) return std::nullopt;
  return lines_[k].val();
}

void IniDocument::terminateLastLine() {
  if (!lines_.empty() && lines_.back().eol.empty()) lines_.back().eol = kCrLf;
}

bool IniDocument::setValue(std::string_view section, std::string_view key, std::string_view value) {
  section = trimmed(section);
  key = trimmed(key);
  const std::size_t header = findSection(section);
  if (header == npos) {
    if (!lines_.empty()) {
      terminateLastLine();
      if (!trimmed(lines_.back().text).empty()) lines_.push_back(parseLine("", std::string(kCrLf)));
    }
    lines_.push_back(parseLine("[" + std::string(section) + "]", std::string(kCrLf)));
    lines_.push_back(parseLine(std::string(key) + "=" + std::string(value), std::string(kCrLf)));
    return true;
  }
  const std::size_t end = sectionEnd(header);
  if (const std::size_t k = findKey(header, end, key); k != npos) {
    Line& line = lines_[k];
    if (line.val() == trimmed(value)) return false;
    std::string name(line.name());
    std::string eol = line.eol;
    line = parseLine(name + "=" + std::string(value), std::move(eol));
    return true;
  }
  std::size_t insertAt = end;
  while (insertAt > header + 1 && trimmed(lines_[insertAt - 1].text).empty()) --insertAt;
  if (insertAt == lines_.size()) terminateLastLine();
  else if (lines_[insertAt - 1].eol.empty()) lines_[insertAt - 1].eol = kCrLf;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt),
                parseLine(std::string(key) + "=" + std::string(value), std::string(kCrLf)));
  return true;
}

std::string IniDocument::text() const {
  std::size_t size = 0;
  for (const Line& l : lines_) size += l.text.size() + l.eol.size();
  std::string out;
  out.reserve(size);
  for (const Line& l : lines_) {
    out += l.text;
    out += l.eol;
  }
  return out;
}

}  // namespace settings

