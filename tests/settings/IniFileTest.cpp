#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <random>

#include "TestFolder.h"
#include "settings/IniFile.h"
#include "settings/IniValue.h"

using settings::IniFile;

namespace {

class IniFileTest : public TestFolder {
 protected:
  std::string path() const { return folder_ + "test.ini"; }
};

// ---- the form the platform writes -----------------------------------------

TEST_F(IniFileTest, NewFileIsWrittenInThePlatformForm) {
  IniFile ini(path());
  EXPECT_TRUE(ini.WriteInt("Setting", "CurrentProfile", -1));
  EXPECT_TRUE(ini.WriteString("Setting", "ProFileName", "Default1"));
  EXPECT_TRUE(ini.WriteInt("FileName", "Profile1", 3));
  EXPECT_EQ(readFile(path()),
            "[Setting]\r\nCurrentProfile=-1\r\nProFileName=Default1\r\n"
            "\r\n[FileName]\r\nProfile1=3\r\n");
}

TEST_F(IniFileTest, StructValuesAreUpperCaseHexWithAdditiveChecksum) {
  const unsigned char light[5] = {6, 1, 250, 80, 0};  // sum 337 -> 0x51
  EXPECT_EQ(settings::encodeStruct(light, 5), "0601FA500051");
  IniFile ini(path());
  ini.WriteStruct("Setting", "LightInfo0", light, 5);
  EXPECT_EQ(readFile(path()), "[Setting]\r\nLightInfo0=0601FA500051\r\n");

  unsigned char back[5] = {};
  EXPECT_TRUE(IniFile(path()).ReadStruct("Setting", "lightinfo0", back, 5));
  EXPECT_EQ(0, std::memcmp(back, light, 5));
}

TEST_F(IniFileTest, BrokenStructValuesAreRejectedAndLeaveTheBytes) {
  writeFile(path(),
            "[Setting]\r\nLower=0601fa500051\r\nShort=0601FA5051\r\nBadSum=0601FA500052\r\n"
            "NotHex=0601FA5000G1\r\nPadded=  0601FA500051  \r\n");
  IniFile ini(path());
  unsigned char bytes[5] = {9, 9, 9, 9, 9};
  const unsigned char untouched[5] = {9, 9, 9, 9, 9};
  for (const char* key : {"Short", "BadSum", "NotHex", "Missing"}) {
    EXPECT_FALSE(ini.ReadStruct("Setting", key, bytes, 5)) << key;
    EXPECT_EQ(0, std::memcmp(bytes, untouched, 5)) << key;
  }
  EXPECT_FALSE(ini.ReadStruct("Setting", "Lower", bytes, 4));  // length must match the size
  EXPECT_TRUE(ini.ReadStruct("Setting", "Lower", bytes, 5));
  EXPECT_EQ(bytes[2], 250);
  EXPECT_TRUE(ini.ReadStruct("Setting", "Padded", bytes, 5));
}

TEST_F(IniFileTest, ReadIntParsesLikeThePlatform) {
  writeFile(path(),
            "[S]\r\nPlain=42\r\nBlanks=   17   \r\nSigned=-5\r\nPlus=+7\r\nTail=12abc\r\n"
            "Word=abc\r\nEmpty=\r\nHex=0x10\r\nWrap=4294967295\r\nSignOnly=-\r\nQuoted=\"9\"\r\n");
  IniFile ini(path());
  EXPECT_EQ(ini.ReadInt("S", "Plain", -1), 42);
  EXPECT_EQ(ini.ReadInt("S", "Blanks", -1), 17);
  EXPECT_EQ(ini.ReadInt("S", "Signed", -1), -5);
  EXPECT_EQ(ini.ReadInt("S", "Plus", -1), 7);
  EXPECT_EQ(ini.ReadInt("S", "Tail", -1), 12);
  EXPECT_EQ(ini.ReadInt("S", "Word", -1), 0);
  EXPECT_EQ(ini.ReadInt("S", "Hex", -1), 0);
  EXPECT_EQ(ini.ReadInt("S", "Wrap", 0), -1);
  EXPECT_EQ(ini.ReadInt("S", "SignOnly", -1), 0);
  EXPECT_EQ(ini.ReadInt("S", "Quoted", -1), 9);
  EXPECT_EQ(ini.ReadInt("S", "Empty", 99), 99);
  EXPECT_EQ(ini.ReadInt("S", "Absent", 99), 99);
  EXPECT_EQ(ini.ReadInt("Other", "Plain", 99), 99);
}

TEST_F(IniFileTest, ReadStringIsCutTo2047CharactersAndLosesSurroundingQuotes) {
  const std::string longText(3000, 'x');
  writeFile(path(), "[S]\r\nLong=" + longText + "\r\nQuoted=\"a b\"\r\nHalf=\"a\r\n");
  IniFile ini(path());
  EXPECT_EQ(ini.ReadString("S", "Long", ""), std::string(2047, 'x'));
  EXPECT_EQ(ini.ReadString("S", "Quoted", ""), "a b");
  EXPECT_EQ(ini.ReadString("S", "Half", ""), "\"a");
  EXPECT_EQ(ini.ReadString("S", "Absent", "dflt"), "dflt");
}

// ---- hand-edited files ----------------------------------------------------

TEST_F(IniFileTest, HandEditedFileReadsCaseInsensitivelyAndKeepsWhatItDoesNotKnow) {
  const std::string original =
      "; written by hand\r\n"
      "  [ setting ]  \r\n"
      "  dbleclickspeed =  500 \r\n"
      "Unknown=keep me\r\n"
      "\r\n"
      "[Other]\n"
      "x=1\n";
  writeFile(path(), original);
  IniFile ini(path());
  EXPECT_EQ(ini.ReadInt("SETTING", "DbleClickSpeed", -1), 500);
  EXPECT_EQ(ini.ReadString("Setting", "UNKNOWN", ""), "keep me");

  // The same value again leaves every byte as it was.
  EXPECT_TRUE(ini.WriteInt("Setting", "DbleClickSpeed", 500));
  EXPECT_EQ(readFile(path()), original);

  // A new value replaces the line in place with the file's spelling of the
  // key; a new key goes after the section's last line, before the blank line.
  ini.beginBatch();
  ini.WriteInt("Setting", "DBLECLICKSPEED", 480);
  ini.WriteInt("Setting", "MouseSpeed", 10);
  ini.WriteInt("other", "y", 2);
  EXPECT_TRUE(ini.commitBatch());
  EXPECT_EQ(readFile(path()),
            "; written by hand\r\n"
            "  [ setting ]  \r\n"
            "dbleclickspeed=480\r\n"
            "Unknown=keep me\r\n"
            "MouseSpeed=10\r\n"
            "\r\n"
            "[Other]\n"
            "x=1\n"
            "y=2\r\n");
}

TEST_F(IniFileTest, UnterminatedLastLineIsEndedBeforeAnythingIsAdded) {
  writeFile(path(), "[S]\r\na=1");
  IniFile ini(path());
  ini.WriteInt("S", "b", 2);
  ini.WriteInt("T", "c", 3);
  EXPECT_EQ(readFile(path()), "[S]\r\na=1\r\nb=2\r\n\r\n[T]\r\nc=3\r\n");
}

// Some editors save a UTF-8 byte-order mark: it stays in the file, and the
// section right after it is found, not added a second time.
TEST_F(IniFileTest, ByteOrderMarkBeforeTheFirstSectionIsSkipped) {
  writeFile(path(), "\xEF\xBB\xBF[Setting]\r\nCurrentProfile=3\r\n");
  IniFile ini(path());
  EXPECT_EQ(ini.ReadInt("Setting", "CurrentProfile", -1), 3);
  EXPECT_TRUE(ini.WriteInt("Setting", "CurrentProfile", 4));
  EXPECT_EQ(readFile(path()), "\xEF\xBB\xBF[Setting]\r\nCurrentProfile=4\r\n");

  writeFile(path(), "\xEF\xBB\xBF");
  IniFile onlyMark(path());
  EXPECT_TRUE(onlyMark.WriteInt("S", "a", 1));
  EXPECT_EQ(readFile(path()), "\xEF\xBB\xBF[S]\r\na=1\r\n");
}

// A FIFO (or a device, or a folder) in a settings file's place would hold
// every reader up waiting for a writer: it is refused at once, read as
// empty, and never replaced by a write.
TEST_F(IniFileTest, SpecialFileInTheFilesPlaceIsRefusedWithoutWaiting) {
  ASSERT_EQ(::mkfifo(path().c_str(), 0600), 0);
  IniFile ini(path());
  EXPECT_EQ(ini.ReadInt("Setting", "CurrentProfile", -1), -1);
  EXPECT_TRUE(ini.refused());
  EXPECT_FALSE(ini.WriteInt("Setting", "CurrentProfile", 2));
  struct stat st {};
  ASSERT_EQ(::lstat(path().c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode)) << "the FIFO was replaced";

  const std::string folder = folder_ + "folder.ini";
  ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
  IniFile dir(folder);
  EXPECT_EQ(dir.ReadString("S", "k", "default"), "default");
  EXPECT_TRUE(dir.refused());
  EXPECT_FALSE(dir.WriteInt("S", "k", 1));

  writeFile(folder_ + "plain.ini", "[S]\r\nk=5\r\n");
  IniFile plain(folder_ + "plain.ini");
  EXPECT_EQ(plain.ReadInt("S", "k", 0), 5);
  EXPECT_FALSE(plain.refused());
}

TEST_F(IniFileTest, FirstOfDuplicateSectionsAndKeysWins) {
  writeFile(path(), "[S]\r\na=1\r\na=2\r\n[S]\r\na=3\r\nb=4\r\n");
  IniFile ini(path());
  EXPECT_EQ(ini.ReadInt("S", "a", -1), 1);
  EXPECT_EQ(ini.ReadInt("S", "b", -1), -1);
}

TEST_F(IniFileTest, LineBreaksInTextCannotInjectKeys) {
  IniFile ini(path());
  ini.WriteString("S", "Name", "evil\r\n[S]\r\nCurrentProfile=4");
  EXPECT_EQ(readFile(path()), "[S]\r\nName=evil\r\n");
}

TEST_F(IniFileTest, BatchIsOneWriteAndIsSeenByReadsBeforeItsCommit) {
  IniFile ini(path());
  ini.beginBatch();
  ini.WriteInt("S", "a", 1);
  EXPECT_FALSE(std::filesystem::exists(path()));
  EXPECT_TRUE(ini.commitBatch());
  ini.beginBatch();
  ini.WriteInt("S", "a", 2);
  EXPECT_EQ(ini.ReadInt("S", "a", -1), 2);
  EXPECT_EQ(IniFile(path()).ReadInt("S", "a", -1), 1);
  EXPECT_TRUE(ini.commitBatch());
  EXPECT_EQ(IniFile(path()).ReadInt("S", "a", -1), 2);

  IniFile fresh(path());  // nothing parsed yet when the batch starts
  fresh.beginBatch();
  fresh.WriteInt("S", "b", 5);
  EXPECT_EQ(fresh.ReadInt("S", "b", -1), 5);
  EXPECT_EQ(fresh.ReadInt("S", "a", -1), 2);
  EXPECT_TRUE(fresh.commitBatch());
}

TEST_F(IniFileTest, FileIsParsedOnceUntilReloaded) {
  writeFile(path(), "[S]\r\na=1\r\n");
  IniFile ini(path());
  EXPECT_EQ(ini.ReadInt("S", "a", -1), 1);
  writeFile(path(), "[S]\r\na=2\r\n");
  EXPECT_EQ(ini.ReadInt("S", "a", -1), 1);
  ini.reload();
  EXPECT_EQ(ini.ReadInt("S", "a", -1), 2);
}

TEST_F(IniFileTest, WriteFailsOnAReadOnlyFileOrAMissingFolderAndChangesNothing) {
  writeFile(path(), "[S]\r\na=1\r\n");
  ::chmod(path().c_str(), 0444);
  EXPECT_FALSE(IniFile(path()).WriteInt("S", "a", 2));
  EXPECT_EQ(readFile(path()), "[S]\r\na=1\r\n");
  EXPECT_FALSE(IniFile(folder_ + "missing/x.ini").WriteInt("S", "a", 2));
}

TEST_F(IniFileTest, RewriteKeepsThePermissionsAndLeavesNoTemporaryFiles) {
  writeFile(path(), "[S]\r\na=1\r\n");
  ::chmod(path().c_str(), 0640);
  EXPECT_TRUE(IniFile(path()).WriteInt("S", "a", 2));
  struct stat st {};
  ASSERT_EQ(::stat(path().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  for (const auto& entry : std::filesystem::directory_iterator(folder_))
    EXPECT_EQ(entry.path().filename().string().find(".tmp."), std::string::npos) << entry.path();
}

// A document kept from an earlier read or write serves only while the file
// is still that version: another program's replacement, by rename or in
// place, is read anew, and a batch merges into what is on disk.
TEST_F(IniFileTest, KeptDocumentNeverHidesAnotherProgramsChange) {
  ASSERT_TRUE(IniFile(path()).WriteInt("S", "a", 1));
  EXPECT_EQ(IniFile(path()).ReadInt("S", "a", -1), 1);

  // Replaced by rename, same size: only the inode tells.
  writeFile(path() + ".other", "[S]\r\na=2\r\n");
  std::filesystem::rename(path() + ".other", path());
  EXPECT_EQ(IniFile(path()).ReadInt("S", "a", -1), 2);

  // Written in place after this process wrote it.
  ASSERT_TRUE(IniFile(path()).WriteInt("S", "b", 5));
  writeFile(path(), "[S]\r\na=3\r\nb=6\r\n");
  EXPECT_EQ(IniFile(path()).ReadInt("S", "b", -1), 6);

  // A batch after another program added a key keeps that key.
  IniFile held(path());
  EXPECT_EQ(held.ReadInt("S", "a", -1), 3);
  writeFile(path() + ".other", "[S]\r\na=3\r\nb=6\r\nc=7\r\n");
  std::filesystem::rename(path() + ".other", path());
  held.beginBatch();
  held.WriteInt("S", "d", 8);
  ASSERT_TRUE(held.commitBatch());
  EXPECT_EQ(readFile(path()), "[S]\r\na=3\r\nb=6\r\nc=7\r\nd=8\r\n");
  EXPECT_EQ(IniFile(path()).ReadInt("S", "c", -1), 7);
}

// The same process writing one file through two accessors in turn.
TEST_F(IniFileTest, KeptDocumentFollowsThisProcesssOwnWrites) {
  IniFile first(path()), second(path());
  EXPECT_EQ(first.ReadInt("S", "a", -1), -1);
  ASSERT_TRUE(second.WriteInt("S", "a", 1));
  second.releaseBuffer();
  ASSERT_TRUE(first.WriteInt("S", "b", 2));
  first.releaseBuffer();
  IniFile third(path());
  EXPECT_EQ(third.ReadInt("S", "a", -1), 1);
  EXPECT_EQ(third.ReadInt("S", "b", -1), 2);
  // An unsaved batch is never kept as the file's text.
  third.beginBatch();
  third.WriteInt("S", "a", 9);
  third.releaseBuffer();
  EXPECT_EQ(IniFile(path()).ReadInt("S", "a", -1), 1);
}

// ---- concurrent writers and crashes ---------------------------------------

TEST_F(IniFileTest, TwoProcessesWritingAtOnceLoseNoKey) {
  constexpr int kWriters = 4, kKeys = 40;
  std::vector<pid_t> children;
  for (int w = 0; w < kWriters; ++w) {
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      bool ok = true;
      for (int k = 0; k < kKeys; ++k) {
        IniFile ini(path());
        ini.beginBatch();
        ini.WriteInt("Shared", "Writer" + std::to_string(w) + "_" + std::to_string(k), k);
        ini.WriteInt("Writer" + std::to_string(w), "Last", k);
        ok = ini.commitBatch() && ok;
      }
      ::_exit(ok ? 0 : 1);
    }
    children.push_back(pid);
  }
  for (pid_t pid : children) {
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  IniFile ini(path());
  for (int w = 0; w < kWriters; ++w) {
    EXPECT_EQ(ini.ReadInt("Writer" + std::to_string(w), "Last", -1), kKeys - 1);
    for (int k = 0; k < kKeys; ++k)
      EXPECT_EQ(ini.ReadInt("Shared", "Writer" + std::to_string(w) + "_" + std::to_string(k), -1),
                k);
  }
}

TEST_F(IniFileTest, WriterKilledAtRandomMomentsLeavesOldOrNewFile) {
  // Two full versions of a large file; a child rewrites it back and forth
  // until it is killed somewhere in the middle of a write.
  auto version = [](int v) {
    std::string text = "[Setting]\r\n";
    for (int k = 0; k < 300; ++k)
      text +=
          "Key" + std::to_string(k) + "=" + std::string(200, static_cast<char>('A' + v)) + "\r\n";
    return text;
  };
  const std::string a = version(0), b = version(1);
  writeFile(path(), a);
  std::mt19937 random(12345);
  for (int round = 0; round < 20; ++round) {
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      ::close(ready[0]);
      for (int i = 0;; ++i) {
        IniFile ini(path());
        ini.beginBatch();
        const char fill = static_cast<char>('A' + (i % 2 == 0 ? 1 : 0));
        for (int k = 0; k < 300; ++k)
          ini.WriteString("Setting", "Key" + std::to_string(k), std::string(200, fill));
        ini.commitBatch();
        if (i == 0) (void)!::write(ready[1], "x", 1);
      }
    }
    ::close(ready[1]);
    char c;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);
    ::close(ready[0]);
    std::atomic<unsigned> spin{static_cast<unsigned>(random() % 3000000)};
    while (spin.load(std::memory_order_relaxed) > 0) spin.fetch_sub(1, std::memory_order_relaxed);
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    const std::string now = readFile(path());
    ASSERT_TRUE(now == a || now == b) << "torn file after round " << round;
  }
  // The next writer clears what the killed ones left behind.
  EXPECT_TRUE(IniFile(path()).WriteInt("Setting", "After", 1));
  for (const auto& entry : std::filesystem::directory_iterator(folder_))
    EXPECT_EQ(entry.path().filename().string().find(".tmp."), std::string::npos) << entry.path();
}

}  // namespace
