#include "settings/IniValue.h"

#include <bit>
#include <cstring>
#include <memory>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// Eight digits or four bytes at a time in one 64-bit word, each byte of the
// word a lane of its own: the sums below never carry from one lane into the
// next. The first character or byte is the word's lowest byte, so this needs
// little-endian words; elsewhere the byte-at-a-time loops do all the work.
constexpr bool kWordsAreLittleEndian = std::endian::native == std::endian::little;
constexpr std::uint64_t kEachByte = 0x0101010101010101ull;
constexpr std::uint64_t kHighBits = 0x8080808080808080ull;
constexpr std::uint64_t kLowByteOfEachPair = 0x00FF00FF00FF00FFull;
constexpr std::uint64_t kLowNibbleOfEachPair = 0x000F000F000F000Full;
constexpr std::uint64_t kEachPair = 0x0001000100010001ull;

// High bit set in every byte lane of `word` (all below 0x80) that lies in
// first..last.
constexpr std::uint64_t lanesWithin(std::uint64_t word, unsigned first, unsigned last) {
  return (word + kEachByte * (0x80 - first)) & ~(word + kEachByte * (0x7F - last)) & kHighBits;
}

// The sum of the four 16-bit lanes of `pairs`, each at most 255.
unsigned sumOfPairs(std::uint64_t pairs) {
  return static_cast<unsigned>((pairs * kEachPair) >> 48);
}

// Eight hex digits (either case) to four bytes, adding the bytes to `sum`.
// A character that is not a hex digit sets bits in `bad`.
std::uint32_t bytesOfHexDigits(std::uint64_t digits, std::uint64_t& bad, unsigned& sum) {
  const std::uint64_t letters = lanesWithin(digits | kEachByte * 0x20, 'a', 'f');
  bad |= (digits & kHighBits) | ((lanesWithin(digits, '0', '9') | letters) ^ kHighBits);
  // The low nibble of '0'..'9' is the digit's value; that of 'A'..'F' and
  // 'a'..'f' is the value less 9.
  const std::uint64_t nibbles = (digits & kEachByte * 0x0F) + (letters >> 7) * 9;
  // Each 16-bit lane: the high nibble's character comes first, in the low byte.
  const std::uint64_t pairs =
      ((nibbles & kLowByteOfEachPair) << 4) | ((nibbles >> 8) & kLowByteOfEachPair);
  sum += sumOfPairs(pairs);
  std::uint64_t packed = (pairs | (pairs >> 8)) & 0x0000FFFF0000FFFFull;
  packed = (packed | (packed >> 16)) & 0xFFFFFFFFull;
  return static_cast<std::uint32_t>(packed);
}

// Four bytes to their eight upper-case hex digits, adding the bytes to `sum`.
std::uint64_t hexDigitsOf(std::uint32_t bytes, unsigned& sum) {
  std::uint64_t pairs = bytes;
  pairs = (pairs | (pairs << 16)) & 0x0000FFFF0000FFFFull;
  pairs = (pairs | (pairs << 8)) & kLowByteOfEachPair;
  sum += sumOfPairs(pairs);
  const std::uint64_t nibbles =
      ((pairs >> 4) & kLowNibbleOfEachPair) | ((pairs & kLowNibbleOfEachPair) << 8);
  const std::uint64_t aboveNine = ((nibbles + kEachByte * 0x76) & kHighBits) >> 7;
  return nibbles + kEachByte * '0' + aboveNine * ('A' - '0' - 10);
}

#if defined(__SSE2__)
// Sixteen bytes at a time where the processor has 128-bit registers: the same
// arithmetic per byte as above, with compares instead of carries.

// Bytes [0, done) of `size` from their hex digits; adds them to `sum` and
// sets bits in `bad` for characters that are not hex digits.
std::size_t bytesOfHexDigits16(const char* digits, unsigned char* out, std::size_t size, bool& bad,
                               unsigned& sum) {
  const __m128i lowNibbles = _mm_set1_epi8(0x0F), nine = _mm_set1_epi8(9);
  const __m128i lowByteOfEachPair = _mm_set1_epi16(0x00FF);
  __m128i invalid = _mm_setzero_si128(), sums = _mm_setzero_si128();
  // Sixteen characters to eight bytes, each in the low byte of a 16-bit lane.
  auto pairs = [&](const char* at) {
    const __m128i chars = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    // Signed compares: bytes from 0x80 up are negative and in neither range.
    const __m128i digit = _mm_and_si128(_mm_cmpgt_epi8(chars, _mm_set1_epi8('0' - 1)),
                                        _mm_cmplt_epi8(chars, _mm_set1_epi8('9' + 1)));
    const __m128i folded = _mm_or_si128(chars, _mm_set1_epi8(0x20));
    const __m128i letter = _mm_and_si128(_mm_cmpgt_epi8(folded, _mm_set1_epi8('a' - 1)),
                                         _mm_cmplt_epi8(folded, _mm_set1_epi8('f' + 1)));
    invalid =
        _mm_or_si128(invalid, _mm_cmpeq_epi8(_mm_or_si128(digit, letter), _mm_setzero_si128()));
    const __m128i nibbles =
        _mm_add_epi8(_mm_and_si128(chars, lowNibbles), _mm_and_si128(letter, nine));
    return _mm_or_si128(_mm_slli_epi16(_mm_and_si128(nibbles, lowByteOfEachPair), 4),
                        _mm_srli_epi16(nibbles, 8));
  };
  std::size_t i = 0;
  for (; i + 16 <= size; i += 16) {
    const __m128i bytes = _mm_packus_epi16(pairs(digits + 2 * i), pairs(digits + 2 * i + 16));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), bytes);
    sums = _mm_add_epi64(sums, _mm_sad_epu8(bytes, _mm_setzero_si128()));
  }
  bad = bad || _mm_movemask_epi8(invalid) != 0;
  sum += static_cast<unsigned>(_mm_cvtsi128_si32(sums)) +
         static_cast<unsigned>(_mm_cvtsi128_si32(_mm_unpackhi_epi64(sums, sums)));
  return i;
}

// Bytes [0, done) of `size` to upper-case hex digits, adding them to `sum`.
std::size_t hexDigitsOf16(const unsigned char* bytes, char* out, std::size_t size, unsigned& sum) {
  const __m128i lowNibbles = _mm_set1_epi8(0x0F);
  __m128i sums = _mm_setzero_si128();
  auto digitsOf = [](__m128i nibbles) {
    const __m128i aboveNine = _mm_cmpgt_epi8(nibbles, _mm_set1_epi8(9));
    return _mm_add_epi8(_mm_add_epi8(nibbles, _mm_set1_epi8('0')),
                        _mm_and_si128(aboveNine, _mm_set1_epi8('A' - '0' - 10)));
  };
  std::size_t i = 0;
  for (; i + 16 <= size; i += 16) {
    const __m128i in = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
    const __m128i high = _mm_and_si128(_mm_srli_epi16(in, 4), lowNibbles);
    const __m128i low = _mm_and_si128(in, lowNibbles);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 2 * i),
                     digitsOf(_mm_unpacklo_epi8(high, low)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 2 * i + 16),
                     digitsOf(_mm_unpackhi_epi8(high, low)));
    sums = _mm_add_epi64(sums, _mm_sad_epu8(in, _mm_setzero_si128()));
  }
  sum += static_cast<unsigned>(_mm_cvtsi128_si32(sums)) +
         static_cast<unsigned>(_mm_cvtsi128_si32(_mm_unpackhi_epi64(sums, sums)));
  return i;
}
#endif

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
  std::size_t i = 0;
#if defined(__SSE2__)
  i = hexDigitsOf16(in, to, size, sum);
#endif
  if constexpr (kWordsAreLittleEndian) {
    for (; i + 4 <= size; i += 4) {
      std::uint32_t four;
      std::memcpy(&four, in + i, 4);
      const std::uint64_t eight = hexDigitsOf(four, sum);
      std::memcpy(to + 2 * i, &eight, 8);
    }
  }
  for (; i < size; ++i) {
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
  const char* digits = text.data();
  unsigned sum = 0;
  bool valid = true;
  std::size_t i = 0;
#if defined(__SSE2__)
  bool bad16 = false;
  i = bytesOfHexDigits16(digits, scratch, size, bad16, sum);
  valid = !bad16;
#endif
  if constexpr (kWordsAreLittleEndian) {
    std::uint64_t bad = 0;
    for (; i + 4 <= size; i += 4) {
      std::uint64_t eight;
      std::memcpy(&eight, digits + 2 * i, 8);
      const std::uint32_t four = bytesOfHexDigits(eight, bad, sum);
      std::memcpy(scratch + i, &four, 4);
    }
    valid = valid && bad == 0;
  }
  for (; i < size; ++i) {
    const int hi = hexDigit(digits[2 * i]);
    const int lo = hexDigit(digits[2 * i + 1]);
    valid &= (hi | lo) >= 0;
    scratch[i] = static_cast<unsigned char>(hi << 4 | (lo & 0xF));
    sum += scratch[i];
  }
  const int hi = hexDigit(digits[2 * size]);
  const int lo = hexDigit(digits[2 * size + 1]);
  if (!valid || (hi | lo) < 0 || static_cast<unsigned>(hi << 4 | lo) != (sum & 0xFF)) return false;
  if (size > 0) std::memcpy(out, scratch, size);
  return true;
}

std::string_view storableText(std::string_view text) {
  return text.substr(0, text.find_first_of("\r\n"));
}

}  // namespace settings
