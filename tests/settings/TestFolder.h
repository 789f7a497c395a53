#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// A throwaway program folder, with a private registry store and runtime
// folder so that tests never see each other's values.
class TestFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vesk-settings-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    root_ = pattern;
    std::filesystem::create_directories(root_ + "/home");
    std::filesystem::create_directories(root_ + "/run");
    std::filesystem::create_directories(root_ + "/suite");
    ::setenv("XDG_CONFIG_HOME", (root_ + "/home").c_str(), 1);
    ::setenv("XDG_RUNTIME_DIR", (root_ + "/run").c_str(), 1);
    folder_ = root_ + "/suite/";
  }
  void TearDown() override {
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }

  static std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  static void writeFile(const std::string& path, const std::string& text) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
  }

  struct Outcome {
    int status = -1;  // exit code, -1 when it did not exit normally
    std::string out;
  };
  // Runs the suite's veskctl with ARGS (and INPUT on its standard input);
  // its error output is kept for stderrText().
  Outcome veskctl(const std::string& args, const std::string& input = "") {
    writeFile(root_ + "/stdin", input);
    const std::string command = std::string(VESK_SUITE_DIR) + "/veskctl " + args + " <" + root_ +
                                "/stdin 2>" + root_ + "/stderr";
    Outcome run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
  }
  std::string stderrText() const { return readFile(root_ + "/stderr"); }

  std::string root_;
  std::string folder_;  // program folder, with trailing '/'
};
