// vesk-fwimage FOLDER: writes a firmware image for the simulated mouse into
// FOLDER/FWUpdate and, with --package, makes it the packaged firmware that the
// Monitor offers to a mouse with an older version. Not for real mice.
#include <CLI/CLI.hpp>
#include <cstdio>

#include "FirmwareImageWriter.h"

int main(int argc, char** argv) {
  CLI::App app{"vesk-fwimage: writes a firmware image for the simulated mouse"};
  std::string folder, name;
  unsigned version = 0;
  std::size_t size = 20 * 1024 + 77;
  bool package = false;
  app.add_option("folder", folder, "Program folder (the image goes to its FWUpdate/)")->required();
  app.add_option("--version", version, "Firmware version the image installs (100..255)")
      ->required()
      ->check(CLI::Range(0u, 255u));
  app.add_option("--size", size, "Image size in bytes (at most 204800)")->capture_default_str();
  app.add_option("--name", name, "File name (default VeskORBOptical_FW_<version>.bin)");
  app.add_flag("--package", package,
               "Name the image and its version in FWUpdate/config.ini ([Firmware] Name, Version)");
  CLI11_PARSE(app, argc, argv);
  if (name.empty()) name = "VeskORBOptical_FW_" + std::to_string(version) + ".bin";
  std::string error;
  if (!fwimage::writeImage(folder, name, static_cast<std::uint8_t>(version), size, package,
                           error)) {
    std::fprintf(stderr, "vesk-fwimage: %s\n", error.c_str());
    return 1;
  }
  std::printf("%s/FWUpdate/%s: %zu bytes, version %u%s\n", folder.c_str(), name.c_str(), size,
              version, package ? ", packaged" : "");
  return 0;
}
