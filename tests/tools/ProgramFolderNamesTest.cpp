// The programs find their files ignoring letter case, so a program folder
// must never hold two names that differ only in case ("wave/" beside
// "Wave/"): one of them would never be found.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>

namespace {

std::string lowered(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
  return s;
}

TEST(ProgramFolderNames, NoTwoNamesDifferOnlyInLetterCase) {
  namespace fs = std::filesystem;
  const fs::path suite = VESK_SUITE_DIR;
  ASSERT_TRUE(fs::is_directory(suite / "Wave"));
  std::size_t folders = 0;
  auto check = [&](const fs::path& folder) {
    ++folders;
    std::map<std::string, std::string> seen;
    for (const auto& entry : fs::directory_iterator(folder)) {
      const std::string name = entry.path().filename().string();
      const auto [it, fresh] = seen.emplace(lowered(name), name);
      EXPECT_TRUE(fresh) << folder << " holds both " << it->second << " and " << name;
    }
  };
  check(suite);
  for (const auto& entry : fs::recursive_directory_iterator(suite))
    if (entry.is_directory() && !entry.is_symlink()) check(entry.path());
  EXPECT_GT(folders, 1u);
}

}  // namespace
