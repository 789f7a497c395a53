#include "RegistryValues.h"

#include <algorithm>

namespace platform::detail {
namespace {

char asciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

void appendEscaped(std::string& out, std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  out += '"';
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '"':
        out += "\\\"";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20 || c == 0x7F) {
          out += "\\x";
          out += kHex[c >> 4];
          out += kHex[c & 15];
        } else {
          out += ch;
        }
    }
  }
  out += '"';
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = asciiLower(c);
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Reads one quoted, escaped string at text[pos]; advances pos past it.
std::optional<std::string> readQuoted(std::string_view text, std::size_t& pos) {
  if (pos >= text.size() || text[pos] != '"') return std::nullopt;
  std::string out;
  for (++pos; pos < text.size(); ++pos) {
    const char c = text[pos];
    if (c == '"') {
      ++pos;
      return out;
    }
    if (c != '\\') {
      out += c;
      continue;
    }
    if (++pos >= text.size()) return std::nullopt;
    switch (text[pos]) {
      case '\\':
        out += '\\';
        break;
      case '"':
        out += '"';
        break;
      case 'n':
        out += '\n';
        break;
      case 'r':
        out += '\r';
        break;
      case 't':
        out += '\t';
        break;
      case 'x': {
        if (pos + 2 >= text.size()) return std::nullopt;
        const int hi = hexDigit(text[pos + 1]);
        const int lo = hexDigit(text[pos + 2]);
        if (hi < 0 || lo < 0) return std::nullopt;
        out += static_cast<char>(hi * 16 + lo);
        pos += 2;
        break;
      }
      default:
        return std::nullopt;
    }
  }
  return std::nullopt;
}

}  // namespace

bool equalsAsciiIgnoreCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return asciiLower(x) == asciiLower(y);
         });
}

RegistryValues RegistryValues::parse(std::string_view text) {
  RegistryValues values;
  std::size_t lineStart = 0;
  while (lineStart < text.size()) {
    std::size_t lineEnd = text.find('\n', lineStart);
    if (lineEnd == std::string_view::npos) lineEnd = text.size();
    const std::string_view line = text.substr(lineStart, lineEnd - lineStart);
    lineStart = lineEnd + 1;
    // Comments and damaged lines are skipped; every sound line still counts.
    std::size_t pos = 0;
    auto name = readQuoted(line, pos);
    if (!name || pos >= line.size() || line[pos] != '=') continue;
    ++pos;
    auto value = readQuoted(line, pos);
    if (!value || (pos != line.size() && line.substr(pos) != "\r")) continue;
    values.set(*name, *value);
  }
  return values;
}

std::string RegistryValues::serialise(std::string_view keyPath) const {
  std::string out = "; ";
  for (const char c : keyPath) out += (c == '\n' || c == '\r') ? ' ' : c;
  out += '\n';
  for (const auto& [name, value] : values_) {
    appendEscaped(out, name);
    out += '=';
    appendEscaped(out, value);
    out += '\n';
  }
  return out;
}

const std::string* RegistryValues::find(std::string_view name) const {
  for (const auto& [n, v] : values_) {
    if (equalsAsciiIgnoreCase(n, name)) return &v;
  }
  return nullptr;
}

void RegistryValues::set(std::string_view name, std::string_view value) {
  for (auto& [n, v] : values_) {
    if (equalsAsciiIgnoreCase(n, name)) {
      v = value;
      return;
    }
  }
  values_.emplace_back(name, value);
}

bool RegistryValues::remove(std::string_view name) {
  const auto it = std::find_if(values_.begin(), values_.end(), [name](const auto& nv) {
    return equalsAsciiIgnoreCase(nv.first, name);
  });
  if (it == values_.end()) return false;
  values_.erase(it);
  return true;
}

std::vector<std::string> RegistryValues::names() const {
  std::vector<std::string> out;
  for (const auto& [n, v] : values_) out.push_back(n);
  return out;
}

}  // namespace platform::detail
