#include "platform/WaveFile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

using platform::WaveFile;

namespace {

using Bytes = std::vector<std::byte>;

void put16(Bytes& b, unsigned v) {
  b.push_back(std::byte(v & 0xFF));
  b.push_back(std::byte((v >> 8) & 0xFF));
}
void put32(Bytes& b, std::uint32_t v) {
  put16(b, v & 0xFFFF);
  put16(b, v >> 16);
}
void putTag(Bytes& b, const char* tag) {
  for (int i = 0; i < 4; ++i) b.push_back(std::byte(tag[i]));
}

struct Format {
  unsigned format = 1, channels = 1, rate = 22050, blockAlign = 2, bits = 16;
};

void putFormat(Bytes& b, const Format& f) {
  putTag(b, "fmt ");
  put32(b, 16);
  put16(b, f.format);
  put16(b, f.channels);
  put32(b, f.rate);
  put32(b, f.rate * f.blockAlign);
  put16(b, f.blockAlign);
  put16(b, f.bits);
}

// A whole file: RIFF header, extra chunks, format, data.
Bytes wave(const std::vector<std::int16_t>& samples, const Format& f = {},
           const Bytes& before = {}) {
  Bytes body;
  putTag(body, "WAVE");
  body.insert(body.end(), before.begin(), before.end());
  putFormat(body, f);
  putTag(body, "data");
  put32(body, static_cast<std::uint32_t>(samples.size() * 2));
  for (auto s : samples) put16(body, static_cast<std::uint16_t>(s));
  Bytes file;
  putTag(file, "RIFF");
  put32(file, static_cast<std::uint32_t>(body.size()));
  file.insert(file.end(), body.begin(), body.end());
  return file;
}

std::optional<WaveFile> parse(const Bytes& b, std::string* error = nullptr) {
  return WaveFile::parse(std::span<const std::byte>(b), error);
}

TEST(WaveFile, ReadsCanonicalAndChunkedFiles) {
  const auto mono = wave({0, 1000, -32768, 32767, -5});
  auto parsed = parse(mono);
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->channels(), 1);
  EXPECT_EQ(parsed->sampleRate(), 22050u);
  EXPECT_EQ(parsed->sampleCount(), 5u);
  EXPECT_EQ(parsed->sample(2), -32768);
  EXPECT_EQ(parsed->peak(), 32768);
  EXPECT_EQ(parsed->data().data(), mono.data() + 44) << "canonical layout: samples from byte 44";

  // An odd-sized extra chunk before the format is skipped with its pad byte.
  Bytes list;
  putTag(list, "LIST");
  put32(list, 3);
  list.insert(list.end(), {std::byte{'a'}, std::byte{'b'}, std::byte{'c'}, std::byte{0}});
  const auto stereoFile = wave({1, -2, 3, -4}, {1, 2, 44100, 4, 16}, list);
  auto stereo = parse(stereoFile);
  ASSERT_TRUE(stereo);
  EXPECT_EQ(stereo->channels(), 2);
  EXPECT_EQ(stereo->frames(), 2u);
  EXPECT_EQ(stereo->peak(), 4);
  EXPECT_FALSE(stereo->truncated());
}

TEST(WaveFile, CutShortDataPlaysTheWholeFramesPresent) {
  auto file = wave({10, 20, 30, 40}, {1, 2, 8000, 4, 16});
  file.resize(file.size() - 3);  // one and a half samples missing
  auto parsed = parse(file);
  ASSERT_TRUE(parsed);
  EXPECT_TRUE(parsed->truncated());
  EXPECT_EQ(parsed->frames(), 1u);
  EXPECT_EQ(parsed->sampleCount(), 2u);
}

TEST(WaveFile, RejectsWhatIsNotSixteenBitPcm) {
  const std::vector<std::pair<Format, const char*>> bad = {
      {{3, 1, 22050, 4, 32}, "not PCM"},           {{1, 1, 22050, 1, 8}, "not 16-bit samples"},
      {{1, 0, 22050, 0, 16}, "bad channel count"}, {{1, 9, 22050, 18, 16}, "bad channel count"},
      {{1, 1, 0, 2, 16}, "bad sample rate"},       {{1, 2, 22050, 2, 16}, "bad block alignment"},
  };
  for (const auto& [format, reason] : bad) {
    std::string error;
    EXPECT_FALSE(parse(wave({1, 2}, format), &error));
    EXPECT_EQ(error, reason);
  }
  std::string error;
  Bytes notRiff = wave({1});
  notRiff[0] = std::byte{'X'};
  EXPECT_FALSE(parse(notRiff, &error));
  EXPECT_EQ(error, "not a RIFF/WAVE file");
  EXPECT_FALSE(parse(Bytes{}, &error));

  // Data without a format chunk before it.
  Bytes noFormat;
  putTag(noFormat, "RIFF");
  put32(noFormat, 12);
  putTag(noFormat, "WAVE");
  putTag(noFormat, "data");
  put32(noFormat, 0);
  EXPECT_FALSE(parse(noFormat, &error));
  EXPECT_EQ(error, "data before format");

  // A chunk claiming 4 GiB ends the walk instead of overflowing it.
  Bytes huge;
  putTag(huge, "RIFF");
  put32(huge, 0xFFFFFFFF);
  putTag(huge, "WAVE");
  putTag(huge, "junk");
  put32(huge, 0xFFFFFFF0);
  EXPECT_FALSE(parse(huge, &error));
  EXPECT_EQ(error, "no format chunk");
}

// Every truncation and many random corruptions of a valid file parse or fail
// cleanly, and a parsed result never points outside the input (the sanitizer
// build checks every read).
TEST(WaveFile, DamagedInputsNeverReadOutsideTheBuffer) {
  Bytes list;
  putTag(list, "LIST");
  put32(list, 5);
  list.resize(list.size() + 6);
  const auto good = wave({100, -200, 300, -400, 500, -600}, {1, 2, 11025, 4, 16}, list);
  auto check = [](const Bytes& b) {
    // A heap copy of exactly the input size, so any overrun is caught.
    std::vector<std::byte> exact(b.begin(), b.end());
    if (auto parsed = WaveFile::parse(exact)) {
      ASSERT_GE(parsed->data().data(), exact.data());
      ASSERT_LE(parsed->data().data() + parsed->data().size(), exact.data() + exact.size());
      ASSERT_EQ(parsed->data().size() % (2u * parsed->channels()), 0u);
      (void)parsed->peak();
    }
  };
  for (std::size_t n = 0; n <= good.size(); ++n) check(Bytes(good.begin(), good.begin() + n));
  std::mt19937 random(1234);
  for (int round = 0; round < 3000; ++round) {
    Bytes damaged = good;
    const int flips = 1 + static_cast<int>(random() % 4);
    for (int f = 0; f < flips; ++f) damaged[random() % damaged.size()] = std::byte(random() & 0xFF);
    check(damaged);
  }
}

}  // namespace
