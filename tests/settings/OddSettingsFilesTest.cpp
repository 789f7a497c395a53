// Settings folders that were tampered with or damaged: nothing in them may
// hold a program up or turn a button into something it never was.
#include <sys/stat.h>

#include <memory>

#include "TestFolder.h"
#include "settings/SettingsFiles.h"

using namespace settings;

namespace {

class OddSettingsFilesTest : public TestFolder {};

TEST_F(OddSettingsFilesTest, FifoInPlaceOfASettingsFileIsNamedAndNeverWaitedOn) {
  writeFile(folder_ + "config/Default1.nmp", "[Setting]\r\nMouseSpeed=17\r\n");
  ASSERT_EQ(::mkfifo((folder_ + "config.ini").c_str(), 0600), 0);
  ASSERT_EQ(::mkfifo((folder_ + "config/Default0.nmp").c_str(), 0600), 0);
  const SettingsFiles files(folder_);
  const std::string refused = files.refusedFiles();
  EXPECT_NE(refused.find("config.ini is not a regular file"), std::string::npos) << refused;
  EXPECT_NE(refused.find("Default0.nmp is not a regular file"), std::string::npos) << refused;
  EXPECT_EQ(refused.find("Default1.nmp"), std::string::npos) << refused;

  auto image = std::make_unique<SettingsImage>();
  EXPECT_TRUE(files.LoadAll(*image));  // returns at once instead of waiting for a writer
  Profile factory{};
  ResetProfile(factory, 0);
  EXPECT_EQ(image->Profiles[0].DbleClickSpeed, factory.DbleClickSpeed);
  EXPECT_EQ(image->Profiles[1].MouseSpeed, 17);
  EXPECT_FALSE(files.SaveAll(*image)) << "a FIFO is never replaced";
  struct stat st {};
  ASSERT_EQ(::lstat((folder_ + "config.ini").c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));

  EXPECT_EQ(SettingsFiles(folder_ + "elsewhere/").refusedFiles(), "");
}

// A profile file too large to read is still a file that is there: its keys
// read as the read defaults, where a missing file gives the factory profile.
TEST_F(OddSettingsFilesTest, ProfileFileTooLargeToReadIsThereAndReadsAsDefaults) {
  writeFile(folder_ + "config/Default2.nmp", "[Setting]\r\nMouseSpeed=17\r\n");
  std::filesystem::resize_file(folder_ + "config/Default2.nmp", 65ll << 20);  // sparse
  auto image = std::make_unique<SettingsImage>();
  ASSERT_TRUE(SettingsFiles(folder_).LoadAll(*image));
  Profile factory2{}, factory3{};
  ResetProfile(factory2, 2);
  ResetProfile(factory3, 3);
  ASSERT_NE(factory2.MouseSpeed, -1);
  EXPECT_EQ(image->Profiles[2].MouseSpeed, -1);
  EXPECT_EQ(image->Profiles[3].MouseSpeed, factory3.MouseSpeed) << "missing: the factory profile";
}

// A slot that is missing or fails its checksum would read as function 0 of
// button 0; the button keeps working with its factory function instead.
TEST_F(OddSettingsFilesTest, BrokenOrMissingButtonSlotReadsAsThatButtonsFactorySlot) {
  Profile written{};
  ResetProfile(written, 2);
  written.MacroKeyInfo[5].FunctionCode = 40;
  written.MacroKeyInfo[6].FunctionCode = 41;
  ASSERT_TRUE(WriteProfileFile(written, folder_ + "p.nmp"));
  std::string text = readFile(folder_ + "p.nmp");
  const auto slot5 = text.find("MacroKeyInfo5=");
  ASSERT_NE(slot5, std::string::npos);
  text[slot5 + 20] = text[slot5 + 20] == '0' ? '1' : '0';  // checksum no longer matches
  const auto slot7 = text.find("MacroKeyInfo7=");
  text.erase(slot7, text.find("\r\n", slot7) + 2 - slot7);
  writeFile(folder_ + "p.nmp", text);

  Profile read{};
  ReadProfileFile(read, folder_ + "p.nmp");
  const ButtonSlot factory5 = FactoryButtonSlot(5), factory7 = FactoryButtonSlot(7);
  EXPECT_EQ(read.MacroKeyInfo[5].ButtonNumber, 5);
  EXPECT_EQ(read.MacroKeyInfo[5].FunctionCode, factory5.FunctionCode);
  EXPECT_EQ(read.MacroKeyInfo[7].ButtonNumber, 7);
  EXPECT_EQ(read.MacroKeyInfo[7].FunctionCode, factory7.FunctionCode);
  EXPECT_NE(factory7.FunctionCode, 0);
  EXPECT_EQ(read.MacroKeyInfo[6].FunctionCode, 41) << "whole slots read as written";
}

}  // namespace
