#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <nlohmann/json.hpp>

#include "../settings/TestFolder.h"
#include "macros/MacroLibrary.h"
#include "settings/FunctionCodes.h"
#include "settings/SettingsFiles.h"
#include "settings/SettingsImage.h"

namespace {

class VeskctlMacrosTest : public TestFolder {
 protected:
  Outcome veskctl(const std::string& args, const std::string& input = "") {
    return TestFolder::veskctl("macros " + args + " --folder " + folder_, input);
  }
};

TEST_F(VeskctlMacrosTest, AddedMacrosListShowAndRemove) {
  const std::string copy = "Left Control Press\n120 ms\nC Press\nC Release\nLeft Control Release\n";
  ASSERT_EQ(veskctl("add ' Office ' Copy --play-count 3", copy).status, 0) << stderrText();
  ASSERT_EQ(veskctl("add office Jump", "Space Press\nSpace Release\n").status, 0) << stderrText();

  const Outcome list = veskctl("list --json");
  ASSERT_EQ(list.status, 0) << stderrText();
  const auto json = nlohmann::json::parse(list.out);
  EXPECT_EQ(json, nlohmann::json::parse(R"({"sets": [{"name": "Office", "macros": [
      {"name": "Copy", "playCount": 3, "events": [[224, 1, 120], [6, 1, 0], [6, 2, 0], [224, 2, 0]]},
      {"name": "Jump", "playCount": 1, "events": [[44, 1, 0], [44, 2, 0]]}]}]})"));
  EXPECT_EQ(veskctl("list").out,
            "Office\n  Copy (4 events, plays 3)\n  Jump (2 events, plays 1)\n");
  EXPECT_EQ(veskctl("show OFFICE copy").out, copy);

  ASSERT_EQ(veskctl("remove Office Copy").status, 0) << stderrText();
  EXPECT_EQ(veskctl("list").out, "Office\n  Jump (2 events, plays 1)\n");
  ASSERT_EQ(veskctl("remove Office").status, 0) << stderrText();
  EXPECT_EQ(veskctl("list").out, "");
}

TEST_F(VeskctlMacrosTest, RefusalsExitNonZeroWithAReasonAndChangeNothing) {
  ASSERT_EQ(veskctl("add Office Copy", "A Press\n").status, 0) << stderrText();
  const std::string before = readFile(folder_ + "config/Preset_sequence.dat");
  const struct {
    std::string args, input, reason;
  } refusals[] = {
      {"add Office COPY", "A Press\n", "veskctl macros: the name is already used\n"},
      {"add Office Paste --play-count 256", "A Press\n",
       "veskctl macros: the play count is 1 to 255\n"},
      {"add Office Paste", "A Press\nQQ Release\n", "veskctl macros: line 2: unknown key \"QQ\"\n"},
      {"add SetMacro Paste", "",
       "veskctl macros: a set name cannot be \"SetMacro\" or hold ']' or a line break\n"},
      {"add Office " + std::string(25, 'x'), "",
       "veskctl macros: the name is longer than 24 characters\n"},
      {"show Office Paste", "", "veskctl macros: no macro \"Paste\" in set \"Office\"\n"},
      {"remove Games", "", "veskctl macros: no macro set \"Games\"\n"},
  };
  for (const auto& r : refusals) {
    EXPECT_NE(veskctl(r.args, r.input).status, 0) << r.args;
    EXPECT_EQ(stderrText(), r.reason);
  }
  EXPECT_EQ(readFile(folder_ + "config/Preset_sequence.dat"), before);
}

TEST_F(VeskctlMacrosTest, SyncPullsTheButtonsMacrosFromTheSettingsFiles) {
  auto image = std::make_unique<settings::SettingsImage>();
  const settings::SettingsFiles files(folder_);
  files.LoadAll(*image);
  settings::ButtonSlot& slot = image->Profiles[2].MacroKeyInfo[5];
  slot.FunctionCode = static_cast<std::uint8_t>(settings::FunctionCode::Macro);
  std::strcpy(slot.Name2, "Raid");
  std::strcpy(slot.Name3, "Heal");
  slot.MacroOption = 2;
  slot.EventCount = 1;
  slot.Events[0] = {0x1E, 1, {0x10, 0}};
  ASSERT_TRUE(files.SaveAll(*image));

  ASSERT_EQ(veskctl("sync").status, 0) << stderrText();
  EXPECT_EQ(veskctl("show raid heal").out, "1 Press\n16 ms\n");
}

}  // namespace
