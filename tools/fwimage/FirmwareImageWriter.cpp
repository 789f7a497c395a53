#include "FirmwareImageWriter.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "device/UpdateMode.h"
#include "settings/IniFile.h"

namespace fwimage {
namespace upd = device::update;

std::vector<std::uint8_t> simulatorImage(std::uint8_t version, std::size_t size) {
  std::vector<std::uint8_t> image(size);
  std::uint32_t state = 0x9E3779B9u ^ version;
  for (std::uint8_t& b : image) {
    state = state * 1664525u + 1013904223u;
    b = static_cast<std::uint8_t>(state >> 24);
  }
  const std::size_t header = std::min(size, upd::kImageMagic.size());
  std::copy_n(upd::kImageMagic.begin(), header, image.begin());
  if (size > upd::kImageVersionOffset) image[upd::kImageVersionOffset] = version;
  return image;
}

bool writeImage(const std::string& folder, const std::string& name, std::uint8_t version,
                std::size_t size, bool package, std::string& error) {
  namespace fs = std::filesystem;
  if (size <= upd::kImageVersionOffset || size > upd::kMaxImageSize) {
    error = "the image size must be " + std::to_string(upd::kImageVersionOffset + 1) + ".." +
            std::to_string(upd::kMaxImageSize) + " bytes";
    return false;
  }
  if (name.empty() || name.find_first_of("/\\") != std::string::npos) {
    error = "the image name must be a plain file name";
    return false;
  }
  const fs::path dir = fs::path(folder) / "FWUpdate";
  std::error_code ec;
  fs::create_directories(dir, ec);
  const auto image = simulatorImage(version, size);
  const fs::path path = dir / name;
  const fs::path temporary = dir / (name + ".part");
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(size));
    if (!out.flush()) {
      error = "cannot write " + temporary.string();
      return false;
    }
  }
  fs::rename(temporary, path, ec);
  if (ec) {
    error = "cannot write " + path.string() + ": " + ec.message();
    return false;
  }
  if (!package) return true;
  settings::IniFile ini((dir / "config.ini").string());
  ini.beginBatch();
  ini.WriteString("Firmware", "Name", name);
  ini.WriteInt("Firmware", "Version", version);
  if (!ini.commitBatch()) {
    error = "cannot write " + (dir / "config.ini").string();
    return false;
  }
  return true;
}

}  // namespace fwimage
