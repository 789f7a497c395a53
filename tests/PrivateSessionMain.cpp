// The main() of every test program: the program runs in a desktop session of
// its own (a private runtime folder and config home), so it never meets the
// windows, shared image, mutexes or registry store of a suite the user runs,
// nor those of another test program running beside it. Children it starts
// inherit the session.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <string>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  char pattern[] = "/tmp/vesk-test-session-XXXXXX";
  if (!::mkdtemp(pattern)) {
    std::perror("vesk test session folder");
    return 2;
  }
  const std::string session = pattern;
  const std::string runtime = session + "/run";
  const std::string config = session + "/config";
  if (::mkdir(runtime.c_str(), 0700) != 0 || ::mkdir(config.c_str(), 0700) != 0) {
    std::perror("vesk test session folder");
    return 2;
  }
  ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
  ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  // The cross-device host's shared folder lies under the data home.
  ::setenv("XDG_DATA_HOME", (session + "/data").c_str(), 1);
  const int result = RUN_ALL_TESTS();
  std::error_code ignored;
  std::filesystem::remove_all(session, ignored);
  return result;
}
