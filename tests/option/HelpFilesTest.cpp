// The help texts shipped in the program folder: every id the program asks
// for is there in every shipped language, and the files read back as written.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "option/HelpTexts.h"
#include "option/Languages.h"
#include "settings/IniFile.h"

namespace {

// The languages whose help files we ship; the others fall back to English.
constexpr int kShipped[] = {1 /* English */, 4 /* German */};

std::set<int> everyId() {
  std::set<int> ids;
  for (const int id : option::allHelpIds()) ids.insert(id);
  return ids;
}

std::string shippedPath(int language) {
  return std::string(VESK_SUITE_DIR) + "/" + option::helpFileName(language);
}

std::string readAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Number of code points, or -1 when the bytes are not well-formed UTF-8.
int utf8Length(const std::string& text) {
  int count = 0;
  for (std::size_t i = 0; i < text.size(); ++count) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const int extra = lead < 0x80         ? 0
                      : (lead >> 5) == 6  ? 1
                      : (lead >> 4) == 14 ? 2
                      : (lead >> 3) == 30 ? 3
                                          : -1;
    if (extra < 0 || i + extra >= text.size()) return -1;
    for (int k = 1; k <= extra; ++k)
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return -1;
    i += extra + 1;
  }
  return count;
}

}  // namespace

TEST(HelpFiles, EveryIdTheProgramAsksForIsThereInEveryShippedLanguage) {
  for (const int language : kShipped) {
    settings::IniFile file(shippedPath(language));
    for (const int id : everyId()) {
      const std::string text = file.ReadString(option::HelpTexts::kSection, std::to_string(id), "");
      EXPECT_FALSE(text.empty()) << option::languageStem(language) << " lacks help text " << id;
    }
  }
  // And the program's own loader finds all of them in German without English.
  option::HelpTexts german;
  german.load(std::string(VESK_SUITE_DIR) + "/", 4, option::allHelpIds());
  for (const int id : option::allHelpIds()) EXPECT_TRUE(german.text(id).has_value()) << id;
  // The other pages' texts are loaded too, not only the main window's.
  for (const int id : {1042, 1071, 1077, 1109}) EXPECT_TRUE(german.text(id).has_value()) << id;
}

TEST(HelpFiles, FilesAreCrlfUtf8WithoutByteOrderMarkAndCarryOnlyKnownIdsOnce) {
  const std::set<int> known = everyId();
  for (const int language : kShipped) {
    const std::string path = shippedPath(language);
    const std::string bytes = readAll(path);
    ASSERT_FALSE(bytes.empty()) << path;
    EXPECT_NE(bytes.rfind("\xEF\xBB\xBF", 0), 0u) << "a byte-order mark hides the first section";
    EXPECT_GE(utf8Length(bytes), 0) << path << " is not UTF-8";

    std::istringstream lines(bytes);
    std::string line;
    std::set<int> seen;
    int number = 0;
    while (std::getline(lines, line)) {
      ++number;
      ASSERT_TRUE(!line.empty() && line.back() == '\r') << path << ":" << number << " ends in CRLF";
      line.pop_back();
      if (number == 1) {
        EXPECT_EQ(line, "[Strings]");
        continue;
      }
      const auto eq = line.find('=');
      ASSERT_NE(eq, std::string::npos) << path << ":" << number;
      const int id = std::stoi(line.substr(0, eq));
      EXPECT_TRUE(known.count(id)) << path << ":" << number << " has unknown id " << id;
      EXPECT_TRUE(seen.insert(id).second) << path << ": id " << id << " twice (the second is lost)";
      // The quick-help strip shows one line of about ninety characters.
      const int length = utf8Length(line.substr(eq + 1));
      EXPECT_GT(length, 0) << path << ":" << number;
      EXPECT_LE(length, 90) << path << ":" << number << " is too long for the quick-help strip";
    }
  }
}
