// Writes the Monitor's data files into the program folder: the blank sensor
// image bitmap, the light colour database and the firmware version file of
// the updater.
#include <CLI/CLI.hpp>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>

#include "ColorDatabase.h"
#include "SensorBitmap.h"

namespace {

bool writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

// Sets [Firmware] Version, keeping whatever else the updater keeps there
// (its firmware file name).
std::string withFirmwareVersion(const std::filesystem::path& path, unsigned version) {
  std::ifstream in(path, std::ios::binary);
  std::string text{std::istreambuf_iterator<char>(in), {}};
  const std::string line = "Version=" + std::to_string(version) + "\r\n";
  const auto section = text.find("[Firmware]");
  if (section == std::string::npos) return text + "[Firmware]\r\n" + line;
  const auto nextSection = text.find("\n[", section);
  const auto sectionEnd = nextSection == std::string::npos ? text.size() : nextSection + 1;
  const auto key = text.find("\nVersion=", section);
  if (key != std::string::npos && key < sectionEnd) {
    const auto lineEnd = text.find('\n', key + 1);
    text.replace(key + 1, (lineEnd == std::string::npos ? text.size() : lineEnd + 1) - (key + 1),
                 line);
    return text;
  }
  const auto afterHeader = text.find('\n', section);
  text.insert(afterHeader == std::string::npos ? text.size() : afterHeader + 1, line);
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"vesk-monitordata: writes the Monitor's data files into a program folder"};
  std::string folder;
  unsigned firmwareVersion = 0;
  app.add_option("folder", folder, "Program folder")->required();
  app.add_option("--firmware-version", firmwareVersion,
                 "Firmware version packaged with the updater (FWUpdate/config.ini)")
      ->required();
  CLI11_PARSE(app, argc, argv);

  const std::filesystem::path root(folder);
  const std::string ini = withFirmwareVersion(root / "FWUpdate" / "config.ini", firmwareVersion);
  bool ok = writeFile(root / "Wave" / "sensorImage.bmp", monitordata::SensorBitmap::blank()) &&
            writeFile(root / "LightEffectColorDatabase.bin", monitordata::ColorDatabase::build()) &&
            writeFile(root / "FWUpdate" / "config.ini", {ini.begin(), ini.end()});
  if (!ok) {
    std::cerr << "vesk-monitordata: cannot write into " << folder << "\n";
    return 1;
  }
  return 0;
}
