#include "platform/Registry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "SysTestSupport.h"

using platform::RegistryKey;
using namespace vesk_test_support;
namespace fs = std::filesystem;

namespace {

constexpr const char* kMouse = "HKEY_CURRENT_USER\\Control Panel\\Mouse";

class RegistryTest : public ::testing::Test {
 protected:
  TempFolder config_;
  ScopedEnv env_{"XDG_CONFIG_HOME", config_.path()};
};

TEST_F(RegistryTest, RoundTripUnderTheConfigHome) {
  EXPECT_FALSE(RegistryKey::open(kMouse));
  auto key = RegistryKey::create(kMouse);
  ASSERT_TRUE(key);
  ASSERT_TRUE(key->setString("DoubleClickSpeed", "500"));
  ASSERT_TRUE(key->setString("MouseSpeed", "1"));
  EXPECT_EQ(platform::registryStoreFolder(), config_.path() + "/vesk/registry");
  EXPECT_TRUE(fs::is_directory(config_.path() + "/vesk/registry"));

  auto again = RegistryKey::open("hkey_current_user\\CONTROL PANEL\\mouse");
  ASSERT_TRUE(again) << "key paths compare case-insensitively";
  EXPECT_EQ(again->queryString("doubleclickspeed"), "500");
  EXPECT_EQ(again->queryString("MouseSpeed"), "1");
  EXPECT_FALSE(again->queryString("MouseTrails"));
  ASSERT_TRUE(again->setString("MOUSESPEED", "2"));
  EXPECT_EQ(key->queryString("MouseSpeed"), "2");
  using Values = std::vector<std::pair<std::string, std::string>>;
  EXPECT_EQ(key->values(), (Values{{"DoubleClickSpeed", "500"}, {"MouseSpeed", "2"}}))
      << "all at once, under the names first written";
  EXPECT_EQ(key->valueNames(), (std::vector<std::string>{"DoubleClickSpeed", "MouseSpeed"}))
      << "one value, first spelling kept";

  EXPECT_TRUE(RegistryKey::open("HKEY_CURRENT_USER\\Control Panel")) << "parents exist";
  EXPECT_TRUE(RegistryKey::open("HKCU\\Control Panel\\Mouse"));
  EXPECT_TRUE(RegistryKey::open("Control Panel\\Mouse")) << "relative paths lie under the user";
  EXPECT_FALSE(RegistryKey::open("HKEY_LOCAL_MACHINE\\Control Panel\\Mouse"));
  EXPECT_FALSE(RegistryKey::open("HKEY_CURRENT_USER\\Control Panel\\Desktop"));
  EXPECT_FALSE(RegistryKey::create(""));
}

TEST_F(RegistryTest, FixedBufferReadsFailCleanlyWhenTooSmall) {
  auto key = RegistryKey::create(kMouse);
  ASSERT_TRUE(key && key->setString("MouseThreshold1", "13"));
  char buf[80];
  std::memset(buf, 'z', sizeof buf);
  std::size_t needed = 0;
  ASSERT_TRUE(key->queryString("MouseThreshold1", buf, sizeof buf, &needed));
  EXPECT_STREQ(buf, "13");
  EXPECT_EQ(needed, 3u);

  char small[2] = {'a', 'b'};
  needed = 0;
  EXPECT_FALSE(key->queryString("MouseThreshold1", small, sizeof small, &needed));
  EXPECT_EQ(needed, 3u);
  EXPECT_EQ(small[0], 'a') << "buffer untouched";
  EXPECT_EQ(small[1], 'b');
  char exact[3];
  EXPECT_TRUE(key->queryString("MouseThreshold1", exact, sizeof exact));
  EXPECT_STREQ(exact, "13");

  std::memset(buf, 'z', sizeof buf);
  EXPECT_FALSE(key->queryString("Missing", buf, sizeof buf));
  EXPECT_EQ(buf[0], 'z');
}

TEST_F(RegistryTest, AnyTextSurvivesAndDamagedLinesAreSkipped) {
  auto key =
      RegistryKey::create("HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\vlc.exe\\shell\\open\\command");
  ASSERT_TRUE(key);
  const std::string odd = "\"C:\\Program Files\\vlc.exe\" --started \"%1\"\n\r\t\x01\x7f=\"\xff";
  ASSERT_TRUE(key->setString("", odd));
  ASSERT_TRUE(key->setString("a=\"b\"", "x"));
  EXPECT_EQ(key->queryString(""), odd);
  EXPECT_EQ(key->queryString("a=\"b\""), "x");

  // Hand-damaged store: good lines still count.
  const fs::path values =
      fs::path(config_.path()) / "vesk/registry/hkey_current_user/damaged/.values";
  ASSERT_TRUE(RegistryKey::create("HKEY_CURRENT_USER\\Damaged"));
  std::ofstream(values) << "garbage\n\"Good\"=\"1\"\n\"Bad\"=\"unterminated\n\"Esc\"=\"\\q\"\n"
                           "\"Hex\"=\"\\x4\"\n\"Also\"=\"2\"\r\n";
  auto damaged = RegistryKey::open("HKEY_CURRENT_USER\\Damaged");
  ASSERT_TRUE(damaged);
  EXPECT_EQ(damaged->queryString("Good"), "1");
  EXPECT_EQ(damaged->queryString("Also"), "2");
  EXPECT_FALSE(damaged->queryString("Bad"));
  EXPECT_FALSE(damaged->queryString("Esc"));
  EXPECT_FALSE(damaged->queryString("Hex"));
}

TEST_F(RegistryTest, DeleteValueAndKey) {
  auto key = RegistryKey::create(kMouse);
  ASSERT_TRUE(key && key->setString("MouseTrails", "0"));
  EXPECT_TRUE(key->deleteValue("mousetrails"));
  EXPECT_FALSE(key->deleteValue("MouseTrails"));
  EXPECT_FALSE(key->queryString("MouseTrails"));
  EXPECT_FALSE(RegistryKey::deleteKey("HKEY_CURRENT_USER\\Control Panel")) << "has a subkey";
  EXPECT_TRUE(RegistryKey::deleteKey(kMouse));
  EXPECT_FALSE(RegistryKey::open(kMouse));
  EXPECT_FALSE(key->setString("MouseTrails", "1")) << "a deleted key takes no values";
  EXPECT_TRUE(RegistryKey::deleteKey("HKEY_CURRENT_USER\\Control Panel"));
}

TEST_F(RegistryTest, ConcurrentWritersLoseNothingAndLeaveNoTemporaries) {
  ASSERT_TRUE(RegistryKey::create(kMouse));
  constexpr int kWriters = 3;
  constexpr int kValuesEach = 40;
  std::vector<pid_t> children;
  for (int w = 0; w < kWriters; ++w) {
    const pid_t pid = fork();
    if (pid == 0) {
      auto key = RegistryKey::open(kMouse);
      for (int i = 0; key && i < kValuesEach; ++i) {
        if (!key->setString("W" + std::to_string(w) + "_" + std::to_string(i), std::to_string(i)))
          _exit(1);
      }
      _exit(key ? 0 : 1);
    }
    children.push_back(pid);
  }
  for (const pid_t pid : children) {
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  auto key = RegistryKey::open(kMouse);
  ASSERT_TRUE(key);
  EXPECT_EQ(key->valueNames().size(), static_cast<std::size_t>(kWriters * kValuesEach));
  EXPECT_EQ(key->queryString("W2_39"), "39");
  const fs::path folder =
      fs::path(config_.path()) / "vesk/registry/hkey_current_user/control panel/mouse";
  int files = 0;
  for (const auto& entry : fs::directory_iterator(folder)) {
    (void)entry;
    ++files;
  }
  EXPECT_EQ(files, 1) << "only the values file";
  EXPECT_EQ(fs::status(folder).permissions() & fs::perms::all, fs::perms::owner_all);
}

// Writers killed between writing their temporary and renaming it leave the
// temporary behind; the next write under the key's lock clears them away.
TEST_F(RegistryTest, TemporariesOfWritersThatDiedAreRemovedByTheNextWrite) {
  auto key = RegistryKey::create(kMouse);
  ASSERT_TRUE(key);
  ASSERT_TRUE(key->setString("DoubleClickSpeed", "500"));
  const fs::path folder =
      fs::path(config_.path()) / "vesk/registry/hkey_current_user/control panel/mouse";
  for (const char* name : {".values.a1B2c3", ".values.Zz9x8Y"})
    std::ofstream(folder / name) << "DoubleClickSpeed=half-writ";
  ASSERT_TRUE(key->setString("MouseSpeed", "10"));
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  EXPECT_EQ(names.size(), 1u) << "only the values file";
  EXPECT_EQ(key->queryString("DoubleClickSpeed"), "500");
  EXPECT_EQ(key->queryString("MouseSpeed"), "10");
}

}  // namespace
