#include "device/PortkitLibrary.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

// The hidraw library lists devices from an empty tree instead of the
// machine's, so a mouse or other hid device plugged into the test machine
// changes nothing. Set before any test loads the library.
const bool kNoMachineDevices =
    ::setenv("VESK_HIDRAW_SYSFS_ROOT", "/nonexistent/vesk-empty-sysfs", 1) == 0;

}  // namespace

TEST(PortkitLibrary, MissingLibraryMeansMouseAbsent) {
  auto lib = device::PortkitLibrary::load("/nonexistent/folder/");
  EXPECT_FALSE(lib->present());
  EXPECT_FALSE(lib->loadError().empty());
  lib->openDevMonitor(1, 1325, 1326);
  EXPECT_FALSE(lib->openFeatureDevice());
  std::uint8_t report[3] = {4, 0, 0};
  EXPECT_FALSE(lib->setFeature(report));
  EXPECT_FALSE(lib->getFeature(report));
  EXPECT_EQ(lib->mousePid(), 0);
  lib->closeFeatureDevice();
  lib->closeDevMonitor();
}

TEST(PortkitLibrary, MissingExportMeansMouseAbsent) {
  auto lib = device::PortkitLibrary::load(INCOMPLETE_PORTKIT_DIR);
  EXPECT_FALSE(lib->present());
  EXPECT_NE(lib->loadError().find("GetMousePID"), std::string::npos) << lib->loadError();
  EXPECT_FALSE(lib->openFeatureDevice()) << "no export of it is called";

  // The updater never asks for the product id and takes the library without it.
  auto updaters = device::PortkitLibrary::load(INCOMPLETE_PORTKIT_DIR, false);
  EXPECT_TRUE(updaters->present()) << updaters->loadError();
  EXPECT_TRUE(updaters->openFeatureDevice());
  EXPECT_EQ(updaters->mousePid(), 0);
}

TEST(PortkitLibrary, BothLibrariesOfTheSuiteHaveAllExports) {
  for (const std::string& folder :
       {std::string(VESK_SUITE_DIR), std::string(VESK_BINARY_DIR) + "/portkit-hidraw"}) {
    auto lib = device::PortkitLibrary::load(folder);
    EXPECT_TRUE(lib->present()) << folder << ": " << lib->loadError();
    std::uint8_t report[3] = {4, 0, 0};
    EXPECT_FALSE(lib->getFeature(report)) << "nothing open yet";
    EXPECT_FALSE(lib->getFeature(std::span<std::uint8_t>())) << "empty report";
  }
}

TEST(PortkitLibrary, WithoutAMouseNothingOpensAndNothingHangs) {
  ASSERT_TRUE(kNoMachineDevices);
  ::setenv("VESK_MOUSE_SIM", "/nonexistent/mouse-sim.sock", 1);
  for (const std::string& folder :
       {std::string(VESK_SUITE_DIR), std::string(VESK_BINARY_DIR) + "/portkit-hidraw"}) {
    auto lib = device::PortkitLibrary::load(folder);
    ASSERT_TRUE(lib->present()) << lib->loadError();
    lib->openDevMonitor(1, 1325, 1326);
    EXPECT_FALSE(lib->openFeatureDevice()) << folder;
    EXPECT_EQ(lib->mousePid(), 0);
    lib->closeDevMonitor();
    lib->closeFeatureDevice();
  }
}

// Lists a mouse in a sysfs tree under root (its node a plain file, so no
// transfer can succeed), points the hidraw library there and opens it:
// exits 0 when it opened and the transfer failed.
[[noreturn]] void openMouseListedUnder(const std::filesystem::path& root) {
  namespace fs = std::filesystem;
  const fs::path hid = root / "devices" / "hid";
  fs::create_directories(hid);
  fs::create_directories(root / "class" / "hidraw" / "hidraw7");
  fs::create_directories(root / "dev");
  std::ofstream(hid / "uevent") << "HID_ID=0003:00001209:00000001\n";
  const std::uint8_t descriptor[] = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1,
                                     0x01, 0x85, 0x06, 0xB1, 0x02, 0xC0};
  std::ofstream(hid / "report_descriptor", std::ios::binary)
      .write(reinterpret_cast<const char*>(descriptor), sizeof descriptor);
  fs::create_directory_symlink(hid, root / "class" / "hidraw" / "hidraw7" / "device");
  std::ofstream(root / "dev" / "hidraw7") << "";
  ::setenv("VESK_HIDRAW_SYSFS_ROOT", root.c_str(), 1);
  auto lib = device::PortkitLibrary::load(std::string(VESK_BINARY_DIR) + "/portkit-hidraw");
  std::uint8_t report[3] = {4, 0, 0};
  const bool opened = lib->openFeatureDevice();
  const bool transferred = lib->getFeature(report);
  lib->closeFeatureDevice();
  fs::remove_all(root);
  std::exit(opened && !transferred ? 0 : 1);
}

// The hidraw library takes its devices from the tree it is pointed at, not
// from the machine's. In a fresh process, since it reads the tree's place once.
TEST(PortkitLibrary, TheHidrawLibraryListsTheTreeItIsPointedAt) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const std::filesystem::path root =
      std::filesystem::temp_directory_path() / ("vesk-sysfs-lib-" + std::to_string(::getpid()));
  EXPECT_EXIT(openMouseListedUnder(root), ::testing::ExitedWithCode(0), "");
  std::filesystem::remove_all(root);
}
