#include <cstring>
#include <memory>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

#include "TestFolder.h"
#include "platform/NamedMutex.h"
#include "platform/SharedMemory.h"
#include "settings/FieldTable.h"
#include "settings/SharedImage.h"

using namespace settings;

namespace {

const unsigned char* bytesOf(const SettingsImage& image) {
  return reinterpret_cast<const unsigned char*>(&image);
}

TEST(SettingsImageTest, SlotAddressesFollowTheRecordLayout) {
  auto image = std::make_unique<SettingsImage>();
  for (int p = 0; p < kProfileCount; ++p)
    for (int b = 0; b < kSlotCount; ++b)
      ASSERT_EQ(reinterpret_cast<const unsigned char*>(findSlot(*image, p, b)) - bytesOf(*image),
                static_cast<std::ptrdiff_t>(slotOffset(p, b)));
  EXPECT_EQ(slotOffset(4, 23) + kSlotSize, kChangeFlagsBegin);
  EXPECT_EQ(findSlot(*image, 5, 0), nullptr);
  EXPECT_EQ(findSlot(*image, 0, 24), nullptr);
  EXPECT_EQ(findSlot(*image, -1, 0), nullptr);

  // Device events number buttons 1..24.
  EXPECT_EQ(findSlotForButton(*image, 1, 1), &image->Profiles[1].MacroKeyInfo[0]);
  EXPECT_EQ(findSlotForButton(*image, 1, 24), &image->Profiles[1].MacroKeyInfo[23]);
  EXPECT_EQ(findSlotForButton(*image, 1, 0), nullptr);
  EXPECT_EQ(findSlotForButton(*image, 1, 25), nullptr);
}

TEST(SettingsImageTest, FullMacroEndsExactlyBeforeTheBytesAfterTheEvents) {
  ButtonSlot slot{};
  std::memset(slot.Events, 0xEE, sizeof slot.Events);
  const auto* bytes = reinterpret_cast<const unsigned char*>(&slot);
  EXPECT_EQ(bytes[2165], 0xEE);
  EXPECT_EQ(bytes[2166], 0);
  slot.Events[0].setDelay(0x1234);
  EXPECT_EQ(bytes[166 + 2], 0x34);
  EXPECT_EQ(bytes[166 + 3], 0x12);
  slot.setPeerValue(-2);
  EXPECT_EQ(bytes[4], 0xFE);
  EXPECT_EQ(bytes[5], 0xFF);
  EXPECT_EQ(slot.peerValue(), -2);
}

TEST(SettingsImageTest, ClearingChangeFlagsTouchesOnlyTheFlags) {
  auto image = std::make_unique<SettingsImage>();
  std::memset(image.get(), 0x5A, sizeof(SettingsImage));
  EXPECT_TRUE(anyChangeFlag(*image));
  clearChangeFlags(*image);
  EXPECT_FALSE(anyChangeFlag(*image));
  const unsigned char* bytes = bytesOf(*image);
  EXPECT_EQ(bytes[kChangeFlagsBegin - 1], 0x5A);  // last byte of profile 4's last slot
  for (std::size_t i = kChangeFlagsBegin; i < kChangeFlagsEnd; ++i) ASSERT_EQ(bytes[i], 0) << i;
  EXPECT_EQ(image->DisControl, 0x5A5A5A5A);

  markSlotChanged(*image, 2, 5);
  EXPECT_EQ(bytes[kChangeFlagsBegin + 4 * (2 * 24 + 5)], 1);
  markSlotChanged(*image, 5, 0);  // out of range: ignored
  markProfileChanged(*image, 4);
  EXPECT_EQ(image->ProfileChanged[4], 1);
}

TEST(SettingsImageTest, TextFieldsAreCutAndDeviceNamesTrimmed) {
  char field[8];
  std::memset(field, 'x', sizeof field);
  setFieldText(field, "abcdefghijk");
  EXPECT_EQ(fieldText(field), "abcdefg");
  setFieldText(field, "ab");
  EXPECT_EQ(field[7], 0);
  EXPECT_EQ(fieldText(field), "ab");

  ButtonSlot slot{};
  setDeviceName(slot.Name1, "Twenty-four characters!!and more");
  EXPECT_EQ(fieldText(slot.Name1), "Twenty-four characters!!");
  setDeviceName(slot.Name1, std::string_view("Fire   \0junk", 12));
  EXPECT_EQ(fieldText(slot.Name1), "Fire");
  setDeviceName(slot.Name1, "Name with blanks        cut off");
  EXPECT_EQ(fieldText(slot.Name1), "Name with blanks");
}

TEST(SettingsImageTest, FieldTableNamesEveryKeyAndAddressesIt) {
  EXPECT_EQ(profileFields().size(), 92u);
  auto image = std::make_unique<SettingsImage>();
  const FieldInfo* f = findField("cpilevel_x3");
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(fieldAddress(*image, *f, 4),
            reinterpret_cast<unsigned char*>(&image->Profiles[4].CpiLevel_X[3]));
  EXPECT_EQ(fieldAddress(*image, *f, 5), nullptr);
  f = findField("Name3");
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(fieldAddress(*image, *f, 1, 7),
            reinterpret_cast<unsigned char*>(image->Profiles[1].MacroKeyInfo[7].Name3));

  std::string error;
  unsigned char* at = fieldAddress(*image, *findField("dpi2"), 0);
  EXPECT_FALSE(setFieldValueText(at, *findField("dpi2"), "256", error));
  EXPECT_FALSE(setFieldValueText(at, *findField("dpi2"), "1x", error));
  EXPECT_TRUE(setFieldValueText(at, *findField("dpi2"), "255", error));
  EXPECT_EQ(image->Profiles[0].dpi[2], 255);
  at = fieldAddress(*image, *findField("LightInfo1"), 3);
  EXPECT_TRUE(setFieldValueText(at, *findField("LightInfo1"), "0a01ff0000", error));
  EXPECT_EQ(image->Profiles[3].LightInfo[1].ColorIndex, 10);
  EXPECT_EQ(fieldValueText(at, *findField("LightInfo1")), "0A01FF0000");
  EXPECT_FALSE(setFieldValueText(at, *findField("LightInfo1"), "0A01FF00", error));
}

class SharedImageTest : public TestFolder {};

TEST_F(SharedImageTest, WholeRecordTravelsThroughTheSharedMemory) {
  // Names of this test's own: the programs' names are shared by every
  // process of the user, tests running beside this one included.
  const std::string suffix = "-test-" + std::to_string(::getpid());
  const std::string memoryName = kSharedImageName + suffix;
  const std::string mutexName = kImageMutexName + suffix;
  platform::NamedMutex::Created created{};
  auto mutex = platform::NamedMutex::create(mutexName, &created);
  auto memory = platform::SharedMemory::create(memoryName, kImageSize);
  ASSERT_TRUE(mutex && memory);

  auto mine = std::make_unique<SettingsImage>();
  for (std::size_t i = 0; i < kImageSize; ++i)
    reinterpret_cast<unsigned char*>(mine.get())[i] = i * 7 % 251;
  ASSERT_TRUE(writeSharedImage(*memory, *mutex, *mine));

  auto theirs = std::make_unique<SettingsImage>();
  auto opened = platform::SharedMemory::open(memoryName, kImageSize);
  auto openedMutex = platform::NamedMutex::open(mutexName);
  ASSERT_TRUE(opened && openedMutex);
  ASSERT_TRUE(readSharedImage(*opened, *openedMutex, *theirs));
  EXPECT_EQ(0, std::memcmp(mine.get(), theirs.get(), kImageSize));

  auto wrongSize = platform::SharedMemory::create(memoryName + "-small", 16);
  ASSERT_TRUE(wrongSize);
  EXPECT_FALSE(readSharedImage(*wrongSize, *mutex, *theirs));
}

TEST_F(SharedImageTest, UpdateChangesOnlyItsFieldsAndNeverPatchesATornRecord) {
  const std::string suffix = "-update-" + std::to_string(::getpid());
  auto mutex = platform::NamedMutex::create(kImageMutexName + suffix);
  auto memory = platform::SharedMemory::create(kSharedImageName + suffix, kImageSize);
  ASSERT_TRUE(mutex && memory);
  // What the other program published after this one last read the record.
  auto published = std::make_unique<SettingsImage>();
  published->CurrentProfile = 3;
  published->LiftOnFlag = 2;
  ASSERT_TRUE(writeSharedImage(*memory, *mutex, *published));

  ASSERT_TRUE(updateSharedImage(*memory, *mutex, [](SettingsImage& r) { r.LiftOnFlag = 1; }));
  auto now = std::make_unique<SettingsImage>();
  ASSERT_TRUE(readSharedImage(*memory, *mutex, *now));
  published->LiftOnFlag = 1;
  EXPECT_EQ(0, std::memcmp(now.get(), published.get(), kImageSize)) << "the profile stays 3";

  // A writer that died holding the mutex may have left half a record.
  const pid_t writer = fork();
  if (writer == 0) {
    auto theirs = platform::NamedMutex::open(kImageMutexName + suffix);
    if (theirs) theirs->lock();
    _exit(0);
  }
  ASSERT_GT(writer, 0);
  ASSERT_EQ(writer, waitpid(writer, nullptr, 0));
  bool called = false;
  EXPECT_FALSE(updateSharedImage(*memory, *mutex, [&](SettingsImage&) { called = true; }));
  EXPECT_FALSE(called);
  ASSERT_TRUE(readSharedImage(*memory, *mutex, *now)) << "the mutex is whole again";
  EXPECT_EQ(0, std::memcmp(now.get(), published.get(), kImageSize));
}

}  // namespace
