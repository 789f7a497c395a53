#include "settings/IniValue.h"

#include <cstring>
#include <memory>

namespace settings {

namespace {

struct HexTable {
  signed char value[256];
  constexpr HexTable() : value() {
    for (int i = 0; i < 256; ++i) value[i] = -1;
    for (int i = 0; i < 10; ++i) value['0' + i] = static_cast<signed char>(i);
    for (int i = 0; i < 6; ++i) {
      value['A' + i] = static_cast<signed char>(10 + i);
      value['a' + i] = static_cast<signed char>(10 + i);
    }
  }
};
constexpr HexTable kHexTable;

int hexDigit(char c) { return kHexTable.value[static_cast<unsigned char>(c)]; }

constexpr char kHexDigits[] = "0123456789ABCDEF";

// Both digits of every byte value, so encoding writes two characters at once.
struct HexPairs {
  char pair[256][2];
  constexpr HexPairs() : pair() {
    for (int i = 0; i < 256; ++i) {
      pair[i][0] = kHexDigits[i >> 4];
      pair[i][1] = kHexDigits[i & 0xF];
    }
  }
};
constexpr HexPairs kHexPairs;

}  // namespace

std::int32_t parseProfileInt(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ' && text[i] != '\0') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }
  std::uint32_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    value = value * 10u + static_cast<std::uint32_t>(text[i] - '0');
  if (negative) value = 0u - value;
  return static_cast<std::int32_t>(value);
}

std::string encodeStruct(const void* bytes, std::size_t size) {
  const auto* in = static_cast<const unsigned char*>(bytes);
  std::string out;
  out.resize(2 * (size + 1));
  char* to = out.data();
  unsigned sum = 0;
  for (std::size_t i = 0; i < size; ++i) {
    std::memcpy(to + 2 * i, kHexPairs.pair[in[i]], 2);
    sum += in[i];
  }
  to[2 * size] = kHexDigits[(sum >> 4) & 0xF];
  to[2 * size + 1] = kHexDigits[sum & 0xF];
  return out;
}

bool decodeStruct(std::string_view text, void* out, std::size_t size) {
  if (text.size() != 2 * (size + 1)) return false;
  // Decode into scratch first so that a rejected value leaves `out` untouched.
  unsigned char local[4096];
  std::unique_ptr<unsigned char[]> large;
  unsigned char* scratch = local;
  if (size > sizeof local) {
    large.reset(new unsigned char[size]);
    scratch = large.get();
  }
  unsigned sum = 0;
  bool valid = true;
  for (std::size_t i = 0; i < size; ++i) {
    const int hi = hexDigit(text[2 * i]);
    const int lo = hexDigit(text[2 * i + 1]);
    valid &= (hi | lo) >= 0;
    scratch[i] = static_cast<unsigned char>(hi << 4 | (lo & 0xF));
    sum += scratch[i];
  }
  const int hi = hexDigit(text[2 * size]);
  const int lo = hexDigit(text[2 * size + 1]);
  if (!valid || (hi | lo) < 0 || static_cast<unsigned>(hi << 4 | lo) != (sum & 0xFF)) return false;
  if (size > 0) std::memcpy(out, scratch, size);
  return true;
}

std::string_view storableText(std::string_view text) {
  return text.substr(0, text.find_first_of("\r\n"));
}

}  // namespace settings
