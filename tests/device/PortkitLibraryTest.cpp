#include "device/PortkitLibrary.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

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
