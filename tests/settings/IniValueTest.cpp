#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "settings/IniValue.h"

namespace {

// The struct form spelt out byte by byte.
std::string referenceForm(const std::vector<unsigned char>& bytes) {
  std::string text;
  unsigned sum = 0;
  char pair[3];
  for (unsigned char b : bytes) {
    std::snprintf(pair, sizeof pair, "%02X", b);
    text += pair;
    sum += b;
  }
  std::snprintf(pair, sizeof pair, "%02X", sum & 0xFF);
  return text + pair;
}

std::vector<std::size_t> testSizes() {
  std::vector<std::size_t> sizes;
  for (std::size_t n = 0; n <= 40; ++n) sizes.push_back(n);
  for (std::size_t n : {108u, 2612u, 4095u, 4096u, 4097u, 6001u}) sizes.push_back(n);
  return sizes;
}

TEST(StructValueTest, EveryLengthAndByteEncodesAndDecodesAsSpeltOut) {
  std::mt19937 random(7);
  for (std::size_t size : testSizes()) {
    std::vector<unsigned char> bytes(size);
    for (auto& b : bytes) b = static_cast<unsigned char>(random());
    if (size >= 256)
      for (std::size_t i = 0; i < 256; ++i) bytes[i] = static_cast<unsigned char>(i);
    const std::string text = settings::encodeStruct(bytes.data(), size);
    ASSERT_EQ(text, referenceForm(bytes)) << size;

    std::string lower = text;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const std::string& form : {text, lower}) {
      std::vector<unsigned char> back(size, 0xAA);
      ASSERT_TRUE(settings::decodeStruct(form, back.data(), size)) << size;
      ASSERT_EQ(back, bytes) << size;
    }
  }
}

// Characters next to the digit and letter ranges, and bytes whose low seven
// bits are digits or letters, are not hex digits wherever they stand.
TEST(StructValueTest, AnyCharacterThatIsNotAHexDigitRejectsTheValueAndLeavesTheBytes) {
  const std::string bad = std::string("/:@G`g \0", 8) + "\xB0\xB9\xC1\xC6\xE1\xE6\xFF\x80";
  for (std::size_t size : {1u, 3u, 4u, 5u, 8u, 9u, 13u, 16u, 17u, 21u, 32u, 37u}) {
    std::vector<unsigned char> bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<unsigned char>(0x3C * i + 0x9);
    const std::string good = settings::encodeStruct(bytes.data(), size);
    for (std::size_t at = 0; at < good.size(); ++at) {
      for (char c : bad) {
        std::string text = good;
        text[at] = c;
        std::vector<unsigned char> out(size, 0x5A);
        EXPECT_FALSE(settings::decodeStruct(text, out.data(), size))
            << "size " << size << " at " << at << " char " << int(static_cast<unsigned char>(c));
        EXPECT_EQ(out, std::vector<unsigned char>(size, 0x5A));
      }
    }
  }
}

TEST(StructValueTest, ChecksumIsTheLowByteOfTheSum) {
  const std::vector<unsigned char> bytes(300, 0xFF);  // sum 0x12AD4
  const std::string text = settings::encodeStruct(bytes.data(), bytes.size());
  EXPECT_EQ(text.substr(600), "D4");
  std::vector<unsigned char> out(300);
  for (const char* sum : {"D5", "C4", "4D"}) {
    EXPECT_FALSE(settings::decodeStruct(text.substr(0, 600) + sum, out.data(), out.size()));
  }
  // A byte changed in the middle of a word no longer matches the sum.
  std::string changed = text;
  changed[13] = 'E';
  EXPECT_FALSE(settings::decodeStruct(changed, out.data(), out.size()));
}

}  // namespace
