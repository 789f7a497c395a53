#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

// The help texts of one language: "help/<Language>_help.ini" in the program
// folder, section [Strings], one "id=text" line per help id (UTF-8). An id the
// language lacks comes from English; an id neither file has stays unknown, and
// the control keeps the help text of its layout string.
namespace option {

class HelpTexts {
 public:
  static constexpr const char* kSection = "Strings";

  // Reads the texts of `ids` for the language index (outside 0..16: English).
  void load(const std::string& programFolder, int language, const std::vector<int>& ids);
  std::optional<std::string> text(int id) const;
  bool empty() const { return texts_.empty(); }

 private:
  std::map<int, std::string> texts_;
};

// Every help id the program asks for, page by page; the ids of a page added
// later go into allHelpIds() with it.
const std::vector<int>& mainWindowHelpIds();  // 1001..1027
const std::vector<int>& mainPageHelpIds();    // 1028..1034
// Advanced 1038..1058, Update 1071..1075, Color 1076..1090, Trophy 1091..1109
// (the thirteen trophies, then its buttons).
const std::vector<int>& otherPagesHelpIds();
std::vector<int> allHelpIds();

}  // namespace option
