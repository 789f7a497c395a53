#pragma once

#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace monitor::testing {

// A private temporary folder, removed with everything in it.
class TestFolder {
 public:
  TestFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vesk-monitor-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
  }
  ~TestFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::filesystem::path& path() const { return path_; }
  // With a trailing '/', as a program folder.
  std::string folder() const { return path_.string() + "/"; }

 private:
  std::filesystem::path path_;
};

}  // namespace monitor::testing
