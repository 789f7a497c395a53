#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "option/TimerList.h"

namespace {

using option::TimerList;
using Refusal = TimerList::Refusal;

class TimerListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vesk-timers-XXXXXX";
    folder_ = ::mkdtemp(pattern);
    std::filesystem::create_directories(folder_ + "/config");
    path_ = TimerList::filePath(folder_ + "/");
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::string fileText() const {
    std::ifstream in(path_, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  void writeFile(const std::string& text) const { std::ofstream(path_, std::ios::binary) << text; }

  std::string folder_, path_;
};

// "Tea", 30 s: 1E 00 00 00, 'T' 'e' 'a', 97 zero bytes, then the byte sum 0x138 & 0xFF.
const std::string kTeaRecord = "1E000000546561" + std::string(97 * 2, '0') + "38";

TEST_F(TimerListTest, SavesTheFileAsThePlatformWritesIt) {
  TimerList list;
  ASSERT_EQ(list.add("  Tea ", 30), Refusal::None);
  ASSERT_TRUE(list.save(path_));
  EXPECT_EQ(fileText(), "[Timer]\r\nCount=1\r\n0=" + kTeaRecord + "\r\n");

  // Saving replaces the whole file: stale records and other keys go.
  writeFile("[Timer]\r\nCount=3\r\n0=x\r\n1=y\r\n2=z\r\n[Other]\r\nA=1\r\n");
  TimerList empty;
  ASSERT_TRUE(empty.save(path_));
  EXPECT_EQ(fileText(), "[Timer]\r\nCount=0\r\n");
  EXPECT_FALSE(std::filesystem::exists(path_ + ".new"));
  EXPECT_FALSE(std::filesystem::exists(folder_ + "/config/.Timer.ini.new.lock"));
}

TEST_F(TimerListTest, LoadsWhatItSavedAndToleratesDamage) {
  TimerList list;
  list.add("Tea", 30);
  list.add("Respawn", 999);
  ASSERT_TRUE(list.save(path_));
  TimerList again;
  again.load(path_);
  ASSERT_EQ(again.size(), 2u);
  EXPECT_EQ(TimerList::nameOf(*again.at(1)), "Respawn");
  EXPECT_EQ(again.at(1)->seconds, 999);
  EXPECT_EQ(again.at(2), nullptr);
  EXPECT_EQ(again.at(-1), nullptr);

  // A broken record reads as all zero; a missing file or count gives nothing.
  writeFile("[Timer]\r\nCount=2\r\n0=" + kTeaRecord + "\r\n1=1E0000\r\n");
  again.load(path_);
  ASSERT_EQ(again.size(), 2u);
  EXPECT_EQ(TimerList::nameOf(*again.at(0)), "Tea");
  EXPECT_EQ(again.at(1)->seconds, 0);
  EXPECT_EQ(TimerList::nameOf(*again.at(1)), "");
  writeFile("[Timer]\r\nCount=-4\r\n");
  again.load(path_);
  EXPECT_TRUE(again.empty());
  std::filesystem::remove(path_);
  again.load(path_);
  EXPECT_TRUE(again.empty());

  // A damaged count does not make the list endless.
  writeFile("[Timer]\r\nCount=2000000000\r\n");
  again.load(path_);
  EXPECT_EQ(again.size(), TimerList::kMaxTimers);
}

TEST_F(TimerListTest, NameWithoutItsEndStaysInsideTheRecord) {
  // 100 'A' bytes and no terminator: the name is cut, never read past.
  std::string record = "1E000000";
  unsigned sum = 0x1E;
  for (int i = 0; i < 100; ++i) {
    record += "41";
    sum += 0x41;
  }
  char checksum[3];
  std::snprintf(checksum, sizeof checksum, "%02X", sum & 0xFF);
  writeFile("[Timer]\r\nCount=1\r\n0=" + record + checksum + "\r\n");
  TimerList list;
  list.load(path_);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(TimerList::nameOf(*list.at(0)), std::string(99, 'A'));
}

TEST_F(TimerListTest, NewTimerRules) {
  TimerList list;
  EXPECT_EQ(list.add("   ", 30), Refusal::EmptyName);
  EXPECT_EQ(list.add("Tea", 14), Refusal::SecondsOutOfRange);
  EXPECT_EQ(list.add("Tea", 1000), Refusal::SecondsOutOfRange);
  EXPECT_EQ(list.add(std::string(25, 'x'), 30), Refusal::NameTooLong);
  EXPECT_EQ(list.add(" " + std::string(24, 'x') + " ", 30), Refusal::None);
  EXPECT_EQ(list.add("Tea", 15), Refusal::None);
  EXPECT_EQ(list.add(" tEA", 60), Refusal::DuplicateName);
  EXPECT_EQ(list.find("  TEA  "), 1);
  EXPECT_FALSE(list.find("Coffee"));

  TimerList full;
  for (std::size_t i = 0; i < TimerList::kMaxTimers; ++i)
    ASSERT_EQ(full.add("T" + std::to_string(i), 20), Refusal::None);
  EXPECT_EQ(full.add("One more", 20), Refusal::ListFull);
}

TEST_F(TimerListTest, EditRenamesOnlyToAFreeName) {
  TimerList list;
  list.add("Tea", 30);
  list.add("Respawn", 60);

  // Another timer's name, in any letter case: neither changes.
  EXPECT_EQ(list.edit(0, " RESPAWN ", 45), Refusal::DuplicateName);
  EXPECT_EQ(TimerList::nameOf(*list.at(0)), "Tea");
  EXPECT_EQ(list.at(0)->seconds, 30);
  EXPECT_EQ(list.at(1)->seconds, 60);

  // Its own name: only the seconds change (the stored spelling stays).
  EXPECT_EQ(list.edit(0, "tea", 45), Refusal::None);
  EXPECT_EQ(TimerList::nameOf(*list.at(0)), "Tea");
  EXPECT_EQ(list.at(0)->seconds, 45);

  // A free name: renamed, trimmed, and a longer old name leaves no tail.
  EXPECT_EQ(list.edit(1, " Egg ", 90), Refusal::None);
  EXPECT_EQ(TimerList::nameOf(*list.at(1)), "Egg");
  EXPECT_EQ(list.at(1)->name[4], '\0');
  EXPECT_EQ(list.at(1)->seconds, 90);

  // An empty name or out-of-range seconds change nothing.
  EXPECT_EQ(list.edit(1, "  ", 90), Refusal::EmptyName);
  EXPECT_EQ(list.edit(1, "Egg", 5), Refusal::SecondsOutOfRange);
  EXPECT_EQ(TimerList::nameOf(*list.at(1)), "Egg");
  EXPECT_EQ(list.at(1)->seconds, 90);
}

TEST_F(TimerListTest, RemoveMovesTheSelection) {
  TimerList list;
  list.add("A", 20);
  list.add("B", 20);
  list.add("C", 20);
  EXPECT_EQ(list.remove(0), 0);  // stays at the same position, now "B"
  EXPECT_EQ(TimerList::nameOf(*list.at(0)), "B");
  EXPECT_EQ(list.remove(1), 0);  // the last one: moves to the new last
  EXPECT_EQ(list.remove(0), std::nullopt);
  EXPECT_TRUE(list.empty());
}

}  // namespace
