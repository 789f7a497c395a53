#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The value forms of the INI files, as the original profile functions write
// and read them.
namespace settings {

// Integer as the profile functions parse it: leading blanks, an optional sign,
// then decimal digits up to the first other character ("12abc" is 12, "abc"
// is 0). Overflow wraps like the platform's 32-bit accumulation.
std::int32_t parseProfileInt(std::string_view text);

// Struct form: every byte as two upper-case hex digits, then the low 8 bits of
// the sum of the bytes as two more digits. A 5-byte struct is 12 characters.
std::string encodeStruct(const void* bytes, std::size_t size);
// Decodes the struct form into exactly `size` bytes (hex digits of either
// case). False, with `out` untouched, when the length is not 2 * (size + 1),
// a character is not a hex digit or the checksum does not match.
bool decodeStruct(std::string_view text, void* out, std::size_t size);

// Text as it can be stored on one line: cut at the first line break.
std::string_view storableText(std::string_view text);

}  // namespace settings
