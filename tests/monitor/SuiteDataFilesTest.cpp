// The Monitor's data files as the build puts them into the program folder.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "monitor/SoundTable.h"
#include "mousesim/MouseMemory.h"

namespace monitor {
namespace {

const std::filesystem::path kSuite = VESK_SUITE_DIR;

std::vector<std::uint8_t> readAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::uint32_t u32(const std::vector<std::uint8_t>& b, std::size_t at) {
  std::uint32_t v;
  std::memcpy(&v, b.data() + at, 4);
  return v;
}
std::uint16_t u16(const std::vector<std::uint8_t>& b, std::size_t at) {
  std::uint16_t v;
  std::memcpy(&v, b.data() + at, 2);
  return v;
}

TEST(SuiteDataFilesTest, EverySoundOfTheTableIsACanonicalWave) {
  std::vector<int> numbers = {0, 1, 2, 3, 4, 5, 10, 18, 19, 30, 31, 32, 33, 45, 50, 51};
  for (int n = 40; n <= 44; ++n) numbers.push_back(n);
  for (int dpi = 100; dpi <= 6400; dpi += 100) numbers.push_back(dpi);
  for (int n : numbers) {
    const auto name = SoundTable::fileName(n);
    const auto wave = readAll(kSuite / "Wave" / "Volume" / name);
    SCOPED_TRACE(name);
    ASSERT_GT(wave.size(), 44u + 1000u);
    EXPECT_EQ(std::memcmp(wave.data(), "RIFF", 4), 0);
    EXPECT_EQ(std::memcmp(wave.data() + 8, "WAVEfmt ", 8), 0);
    EXPECT_EQ(u32(wave, 16), 16u);
    EXPECT_EQ(u16(wave, 20), 1);   // PCM
    EXPECT_EQ(u16(wave, 34), 16);  // bits per sample
    EXPECT_EQ(std::memcmp(wave.data() + 36, "data", 4), 0);
    EXPECT_EQ(u32(wave, 40), wave.size() - 44);
    EXPECT_EQ(u32(wave, 4), wave.size() - 8);
  }
}

TEST(SuiteDataFilesTest, SensorBitmapHas8BitPixelsFromByte1078) {
  const auto bmp = readAll(kSuite / "Wave" / "sensorImage.bmp");
  ASSERT_EQ(bmp.size(), 1078u + 30 * 32);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  EXPECT_EQ(u32(bmp, 10), 1078u);
  EXPECT_EQ(u32(bmp, 18), 30u);
  EXPECT_EQ(u32(bmp, 22), 30u);
  EXPECT_EQ(u16(bmp, 28), 8);
}

TEST(SuiteDataFilesTest, ColourDatabaseTakesSeveralBlocksAndFitsTheMouse) {
  const auto db = readAll(kSuite / "LightEffectColorDatabase.bin");
  EXPECT_GT(db.size(), 1024u);
  EXPECT_LE(db.size(), 101u * 1024u);
}

TEST(SuiteDataFilesTest, PackagedFirmwareIsTheSimulatedMouseDefault) {
  const auto ini = readAll(kSuite / "FWUpdate" / "config.ini");
  const std::string text(ini.begin(), ini.end());
  EXPECT_NE(text.find("[Firmware]\r\n"), std::string::npos);
  EXPECT_NE(text.find("Version=" + std::to_string(mousesim::kFactoryFirmwareVersion) + "\r\n"),
            std::string::npos);
}

}  // namespace
}  // namespace monitor
