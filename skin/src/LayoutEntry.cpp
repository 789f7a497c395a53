#include "skin/LayoutEntry.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace skin {
namespace {

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

template <std::size_t N>
void copyCut(char (&dst)[N], std::string_view src) {
  const std::size_t n = std::min(src.size(), N - 1);
  std::memcpy(dst, src.data(), n);
  dst[n] = '\0';
}

std::int32_t saturate(std::int64_t v) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

// Reads "  [+-]digits" at pos; on success pos points behind the digits.
bool readNumber(std::string_view s, std::size_t& pos, std::int64_t& out) {
  std::size_t p = pos;
  while (p < s.size() && isBlank(s[p])) ++p;
  bool negative = false;
  if (p < s.size() && (s[p] == '-' || s[p] == '+')) negative = s[p++] == '-';
  const std::size_t digitsStart = p;
  std::int64_t value = 0;
  while (p < s.size() && s[p] >= '0' && s[p] <= '9') {
    value = std::min<std::int64_t>(value * 10 + (s[p] - '0'), std::int64_t{1} << 40);
    ++p;
  }
  if (p == digitsStart) return false;
  out = negative ? -value : value;
  pos = p;
  return true;
}

}  // namespace

LayoutEntry parseLayout(std::string_view layout) {
  LayoutEntry entry;
  const std::size_t firstComma = layout.find(',');
  copyCut(entry.name, layout.substr(0, firstComma));
  if (firstComma == std::string_view::npos) return entry;

  const std::string_view rest = layout.substr(firstComma + 1);
  std::int64_t numbers[4] = {0, 0, 0, 0};
  std::size_t pos = 0;
  int count = 0;
  while (count < 4 && readNumber(rest, pos, numbers[count])) {
    ++count;
    if (pos < rest.size() && rest[pos] == ',') {
      ++pos;
    } else {
      break;
    }
  }
  entry.left = saturate(numbers[0]);
  entry.top = saturate(numbers[1]);
  entry.right = saturate(numbers[0] + numbers[2]);
  entry.bottom = saturate(numbers[1] + numbers[3]);

  // The help text follows the comma behind the fourth number, so a help text
  // may itself contain commas. A string cut short takes what follows its
  // last comma.
  std::string_view help;
  if (count == 4) {
    if (pos <= rest.size() && pos > 0 && rest[pos - 1] == ',') help = rest.substr(pos);
  } else if (const std::size_t last = rest.rfind(','); last != std::string_view::npos) {
    help = rest.substr(last + 1);
  }
  copyCut(entry.help, trimmed(help));
  return entry;
}

}  // namespace skin
