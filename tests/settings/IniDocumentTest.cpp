#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "settings/IniDocument.h"
#include "settings/IniKeyIndex.h"

using settings::IniDocument;
using settings::IniKeyIndex;

namespace {

TEST(IniDocumentLookupTest, NamesMatchWithoutRegardToLetterCaseOnly) {
  const IniDocument document(
      "[Setting]\r\nMacroKeyInfo10=1\r\n@at=2\r\na[b=3\r\nGr\xC3\xBC\xC3\x9F=4\r\n"
      "[Other]\r\nMacroKeyInfo10=5\r\n");
  EXPECT_EQ(document.value("SETTING", "macrokeyinfo10"), "1");
  EXPECT_EQ(document.value("  setting ", " MACROKEYINFO10\t"), "1");
  EXPECT_EQ(document.value("other", "MacroKeyInfo10"), "5");
  // Only A..Z fold: '@' is not '`', '[' is not '{', and other bytes stay as they are.
  EXPECT_EQ(document.value("Setting", "@AT"), "2");
  EXPECT_EQ(document.value("Setting", "`at"), std::nullopt);
  EXPECT_EQ(document.value("Setting", "A[B"), "3");
  EXPECT_EQ(document.value("Setting", "a{b"), std::nullopt);
  EXPECT_EQ(document.value("Setting", "GR\xC3\xBC\xC3\x9F"), "4");
  EXPECT_EQ(document.value("Setting", "gr\xC3\x9C\xC3\x9F"), std::nullopt);
  EXPECT_EQ(document.value("Setting", "MacroKeyInfo1"), std::nullopt);
  EXPECT_EQ(document.value("Settin", "MacroKeyInfo10"), std::nullopt);
}

TEST(IniDocumentLookupTest, FirstSectionAndFirstKeyOfANameCountWhateverTheirCase) {
  IniDocument document(
      "lost=0\r\n[s]\r\nA=1\r\na=2\r\n[]\r\nempty=3\r\n[S]\r\nA=4\r\nb=5\r\n[T]\r\nb=6\r\n");
  EXPECT_EQ(document.value("S", "a"), "1");
  EXPECT_EQ(document.value("s", "B"), std::nullopt);  // only in the second [S]
  EXPECT_EQ(document.value("", "empty"), "3");
  EXPECT_EQ(document.value("", "lost"), std::nullopt);  // before any section
  EXPECT_EQ(document.value("t", "B"), "6");

  // Writes go where reads look: the first key, then a new one in the first [S].
  EXPECT_TRUE(document.setValue("S", "a", "7"));
  EXPECT_TRUE(document.setValue("S", "b", "8"));
  EXPECT_EQ(document.text(),
            "lost=0\r\n[s]\r\nA=7\r\na=2\r\nb=8\r\n[]\r\nempty=3\r\n[S]\r\nA=4\r\nb=5\r\n"
            "[T]\r\nb=6\r\n");
  EXPECT_EQ(document.value("S", "B"), "8");
  EXPECT_EQ(document.value("T", "b"), "6");
  EXPECT_EQ(document.value("", "empty"), "3");
}

TEST(IniDocumentLookupTest, KeysAddedAfterALookupAreFoundAndMovedLinesStillRead) {
  IniDocument document("[A]\r\na1=1\r\n\r\n[B]\r\nb1=2\r\n");
  ASSERT_EQ(document.value("B", "b1"), "2");       // the index exists from here on
  EXPECT_TRUE(document.setValue("A", "a2", "3"));  // moves every line of [B] down
  EXPECT_TRUE(document.setValue("C", "c1", "4"));  // a new section at the end
  EXPECT_TRUE(document.setValue("a", "A3", "5"));
  EXPECT_EQ(document.value("b", "B1"), "2");
  EXPECT_EQ(document.value("A", "a2"), "3");
  EXPECT_EQ(document.value("c", "C1"), "4");
  EXPECT_EQ(document.value("A", "a3"), "5");
  EXPECT_FALSE(document.setValue("A", "A2", "3"));  // found, not added twice
  EXPECT_EQ(document.text(),
            "[A]\r\na1=1\r\na2=3\r\nA3=5\r\n\r\n[B]\r\nb1=2\r\n\r\n[C]\r\nc1=4\r\n");
}

TEST(IniDocumentLookupTest, NamesALineCannotHoldReadBackAsTheFileShowsThem) {
  IniDocument document("[S]\r\nk=1\r\n");
  ASSERT_EQ(document.value("S", "k"), "1");
  // "k=x" as a key is the line "k=x=2": a second key "k" that reads as the first.
  EXPECT_TRUE(document.setValue("S", "k=x", "2"));
  EXPECT_EQ(document.value("S", "k"), "1");
  // "a]b" as a section is the header "[a]b]", the section "a".
  EXPECT_TRUE(document.setValue("a]b", "n", "3"));
  EXPECT_EQ(document.value("a", "n"), "3");
  EXPECT_EQ(document.value("a]b", "n"), std::nullopt);
}

// Random documents and edits: lookups through the index kept in step with
// every edit must find what a fresh parse of the same text finds.
TEST(IniDocumentLookupTest, IndexKeptInStepAgreesWithAFreshParseThroughRandomEdits) {
  const std::vector<std::string> sections = {"S", "s", "Setting", "SETTING", "t", " T ", ""};
  const std::vector<std::string> keys = {"a", "A", "b", "Key1", "KEY1", "key2", "x y", ""};
  const std::vector<std::string> eols = {"\r\n", "\n", "\r"};
  std::mt19937 random(20261209);
  auto pick = [&](const auto& list) { return list[random() % list.size()]; };
  for (int round = 0; round < 300; ++round) {
    std::string text = random() % 8 == 0 ? "\xEF\xBB\xBF" : "";
    const int lines = static_cast<int>(random() % 16);
    for (int i = 0; i < lines; ++i) {
      switch (random() % 5) {
        case 0:
          text += "[" + pick(sections) + "]";
          break;
        case 1:
          text += random() % 2 ? "; note" : "  ";
          break;
        default:
          text += pick(keys) + " = " + std::to_string(random() % 100);
      }
      if (i + 1 < lines || random() % 2) text += pick(eols);
    }
    IniDocument document(text);
    for (int edit = 0; edit < 12; ++edit) {
      if (random() % 3) (void)document.value(pick(sections), pick(keys));
      std::string section = pick(sections), key = pick(keys);
      if (random() % 16 == 0) key += "=odd";
      if (random() % 16 == 0) section += "]odd";
      const std::string value = std::to_string(random() % 1000);
      document.setValue(section, key, value);
      if (key.find('=') == std::string::npos && section.find(']') == std::string::npos) {
        ASSERT_EQ(document.value(section, key), value) << text;
      }
      const IniDocument fresh(document.text());
      for (const auto& s : sections)
        for (const auto& k : keys)
          ASSERT_EQ(document.value(s, k), fresh.value(s, k)) << "[" << s << "] " << k << " in\n"
                                                             << document.text();
    }
  }
}

// Every entry on one hash: lookups rest on the names alone, and the table
// keeps them through growth and inserted lines.
TEST(IniKeyIndexTest, EntriesSharingAHashAreToldApartByTheirLines) {
  IniKeyIndex index;
  std::vector<std::string> names;  // by line
  auto named = [&](const std::string& name) {
    return [&names, name](std::size_t, std::size_t line) { return names[line] == name; };
  };
  constexpr std::size_t kHash = 12345;
  for (int i = 0; i < 100; ++i) {
    names.push_back("k" + std::to_string(i));
    EXPECT_TRUE(index.add(kHash, 0, names.size() - 1, named(names.back())));
  }
  names.push_back("k7");  // a later line with a name already there
  EXPECT_FALSE(index.add(kHash, 0, names.size() - 1, named("k7")));
  EXPECT_EQ(index.size(), 100u);
  for (std::size_t i = 0; i < 100; ++i)
    EXPECT_EQ(index.find(kHash, named("k" + std::to_string(i))), i);
  EXPECT_EQ(index.find(kHash, named("k100")), IniKeyIndex::npos);
  EXPECT_EQ(index.find(kHash + 1, named("k3")), IniKeyIndex::npos);

  // A line inserted before line 50 moves that line and the ones after it.
  names.insert(names.begin() + 50, "new");
  index.lineInserted(50);
  for (std::size_t i = 0; i < 100; ++i)
    EXPECT_EQ(index.find(kHash, named("k" + std::to_string(i))), i < 50 ? i : i + 1);
}

TEST(IniKeyIndexTest, HashesIgnoreLetterCaseAndKeepSectionAndKeyApart) {
  EXPECT_EQ(IniKeyIndex::keyHash(IniKeyIndex::sectionHash("Setting"), "MacroKeyInfo3"),
            IniKeyIndex::keyHash(IniKeyIndex::sectionHash("sETTING"), "MACROKEYINFO3"));
  EXPECT_NE(IniKeyIndex::keyHash(IniKeyIndex::sectionHash("ab"), "c"),
            IniKeyIndex::keyHash(IniKeyIndex::sectionHash("a"), "bc"));
  EXPECT_NE(IniKeyIndex::sectionHash("@"), IniKeyIndex::sectionHash("`"));
}

}  // namespace
