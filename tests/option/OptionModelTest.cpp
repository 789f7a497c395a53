#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <utility>
#include <vector>

#include "option/DoubleClickTable.h"
#include "option/DpiLevelRowModel.h"
#include "option/HelpTexts.h"
#include "option/Languages.h"
#include "option/LightPalette.h"
#include "option/MainPageModel.h"
#include "option/VersionText.h"
#include "platform/FakeDesktopMouse.h"

namespace option {
namespace {

TEST(VersionTextTest, FirmwareNumbersBelowOneHundredAndStaleOnesAtStartShowNotAvailable) {
  EXPECT_EQ(firmwareVersionText(99, true), "N/A");
  EXPECT_EQ(firmwareVersionText(99, false), "N/A");
  EXPECT_EQ(firmwareVersionText(105, true), "1.05");
  EXPECT_EQ(firmwareVersionText(500, true), "5.00");
  EXPECT_EQ(firmwareVersionText(600, true), "N/A");
  EXPECT_EQ(firmwareVersionText(600, false), "6.00");
  EXPECT_EQ(firmwareVersionText(-5, false), "N/A");
  EXPECT_EQ(firmwareVersionText(1234, false), "1.234");
}

TEST(DoubleClickTableTest, PositionsAndStoredTimesMapBothWays) {
  const int ms[11] = {900, 830, 760, 690, 620, 550, 480, 410, 340, 270, 200};
  for (int position = 1; position <= 11; ++position) {
    EXPECT_EQ(doubleClickMsFromPosition(position), ms[position - 1]);
    EXPECT_EQ(doubleClickPositionFromMs(ms[position - 1]), position);
  }
  EXPECT_EQ(doubleClickMsFromPosition(0), 480);
  EXPECT_EQ(doubleClickMsFromPosition(12), 480);
  EXPECT_EQ(doubleClickPositionFromMs(500), 7);
  EXPECT_EQ(doubleClickPositionFromMs(5000), 1);
  EXPECT_EQ(doubleClickPositionFromMs(339), 10);
  EXPECT_EQ(doubleClickPositionFromMs(269), 11);
  EXPECT_EQ(doubleClickPositionFromMs(0), 11);
  EXPECT_EQ(doubleClickPositionFromMs(-100), 11);
}

TEST(LanguagesTest, SeventeenHelpFilesAndEnglishForAnythingElse) {
  EXPECT_EQ(helpFileName(0), "help/Danish_help.ini");
  EXPECT_EQ(helpFileName(4), "help/German_help.ini");
  EXPECT_EQ(helpFileName(16), "help/Vietnamese_help.ini");
  EXPECT_EQ(helpFileName(1), "help/English_help.ini");
  EXPECT_EQ(helpFileName(17), "help/English_help.ini");
  EXPECT_EQ(helpFileName(-1), "help/English_help.ini");
  EXPECT_EQ(helpFileName(99), "help/English_help.ini");
  EXPECT_EQ(shownLanguage(99), kEnglish);
}

TEST(LightPaletteTest, IndicatorColoursFollowTheLightAndTheZoneSwitch) {
  auto profile = std::make_unique<settings::Profile>();
  profile->LightEffectType = 1;
  profile->LightInfo[0] = {23, 1, 0, 0, 250};
  profile->LightInfo[1] = {23, 2, 0, 0, 250};  // switched off
  profile->LightInfo[2] = {200, 1, 1, 2, 3};   // index outside the palette
  EXPECT_EQ(zoneScreenColor(*profile, 0), (Rgb{14, 15, 255}));
  EXPECT_EQ(zoneScreenColor(*profile, 1), Rgb{});
  EXPECT_EQ(zoneScreenColor(*profile, 2), (Rgb{1, 2, 3}));
  EXPECT_EQ(zoneScreenColor(*profile, 7), Rgb{});
  profile->LightEffectType = 0;
  EXPECT_EQ(zoneScreenColor(*profile, 0), Rgb{});
  EXPECT_EQ(deviceColor(23), (Rgb{0, 0, 250}));
  EXPECT_EQ(deviceColor(33), Rgb{});
}

class HelpTextsTest : public ::testing::Test {
 protected:
  HelpTextsTest() {
    char pattern[] = "/tmp/vesk-help-XXXXXX";
    folder_ = ::mkdtemp(pattern);
    std::filesystem::create_directories(folder_ + "/help");
  }
  ~HelpTextsTest() override { std::filesystem::remove_all(folder_); }
  void write(const std::string& name, const std::string& text) {
    std::ofstream(folder_ + "/help/" + name, std::ios::binary) << text;
  }
  std::string folder_;
};

TEST_F(HelpTextsTest, LanguageFallsBackToEnglishPerIdAndMissingFilesLeaveDefaults) {
  write("English_help.ini", "[Strings]\r\n1001=Minimise\r\n1002=Close\r\n");
  write("german_HELP.ini", "[Strings]\r\n1001=Minimieren \xC3\xA4\r\n");
  HelpTexts texts;
  texts.load(folder_ + "/", 4, {1001, 1002, 1003});
  EXPECT_EQ(texts.text(1001), "Minimieren \xC3\xA4");
  EXPECT_EQ(texts.text(1002), "Close");
  EXPECT_EQ(texts.text(1003), std::nullopt);

  texts.load(folder_ + "/", 99, {1001});
  EXPECT_EQ(texts.text(1001), "Minimise");

  std::filesystem::remove(folder_ + "/help/English_help.ini");
  texts.load(folder_ + "/", 1, {1001});
  EXPECT_TRUE(texts.empty());
}

TEST_F(HelpTextsTest, ABrokenFileGivesNoTextsAndNoCrash) {
  write("English_help.ini", std::string("\0\xFF[Strings\n=\n1001\n\x01", 19));
  HelpTexts texts;
  texts.load(folder_ + "/", 1, allHelpIds());
  EXPECT_EQ(texts.text(1001), std::nullopt);
}

TEST(HelpIdsTest, EveryPageAsksForDistinctIds) {
  std::vector<int> ids = allHelpIds();
  std::sort(ids.begin(), ids.end());
  EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end());
  EXPECT_EQ(ids.front(), 1001);
  EXPECT_EQ(ids.back(), 1109);
}

// ---- DPI rows -----------------------------------------------------------

class DpiRowTest : public ::testing::Test {
 protected:
  DpiRowTest() : row([this](int code, int value) { posts.emplace_back(code, value); }) {
    row.load(8, 8, true, false);
  }
  std::vector<std::pair<int, int>> posts;
  DpiLevelRowModel row;
};

TEST_F(DpiRowTest, LinkedYSliderPostsYThenX) {
  row.linkClicked(true);
  posts.clear();
  row.ySlider(32);
  EXPECT_EQ(posts, (std::vector<std::pair<int, int>>{{4, 32}, {2, 32}}));
  EXPECT_EQ(row.x(), 32);
}

TEST_F(DpiRowTest, LinkingCopiesXIntoY) {
  row.ySlider(20);
  posts.clear();
  row.linkClicked(true);
  EXPECT_EQ(posts, (std::vector<std::pair<int, int>>{{5, 1}, {4, 8}}));
}

TEST_F(DpiRowTest, SpinsCountWholeHundredsAndIgnoreTheirOwnEcho) {
  row.xSpin(3250);
  EXPECT_EQ(row.x(), 32);
  EXPECT_EQ(posts, (std::vector<std::pair<int, int>>{{2, 32}}));
  posts.clear();
  row.xSpin(3200);  // the field showing what the row set
  row.ySpin(800);
  EXPECT_TRUE(posts.empty());
}

TEST_F(DpiRowTest, TheCurrentLevelCannotBeSwitchedOff) {
  row.setCurrent(true);
  EXPECT_FALSE(row.enableBoxEnabled());
  row.enableClicked(false);
  EXPECT_TRUE(row.enabled());
  EXPECT_TRUE(posts.empty());
  row.setCurrent(false);
  row.enableClicked(false);
  EXPECT_EQ(posts, (std::vector<std::pair<int, int>>{{1, 0}}));
  EXPECT_FALSE(row.valueControlsEnabled());
}

TEST_F(DpiRowTest, LoadShowsTheNearestValidValueAndPostsNothing) {
  row.load(0, 200, true, true);
  EXPECT_EQ(row.x(), 1);
  EXPECT_EQ(row.y(), 64);
  EXPECT_TRUE(posts.empty());
}

// ---- Main page ----------------------------------------------------------

class MainPageModelTest : public ::testing::Test {
 protected:
  MainPageModelTest()
      : image(std::make_unique<settings::SettingsImage>()),
        page(
            *image, [this] { return shown; }, desktop) {
    settings::Profile& p = image->Profiles[1];
    p.Sensitivity = 6;
    p.ScrollWheelSpeed = 3;
    p.TiltSpeed = 4;
    p.DbleClickSpeed = 500;
    for (int i = 0; i < 5; ++i) {
      p.CpiLevel_X[i] = p.CpiLevel_Y[i] = 4 * (i + 1);
      p.dpi[i] = 1;
    }
    p.Cpi_X = 2;
    page.load();
  }
  std::unique_ptr<settings::SettingsImage> image;
  int shown = 1;
  platform::FakeDesktopMouse desktop;
  MainPageModel page;
};

TEST_F(MainPageModelTest, LoadShowsTheProfile) {
  const MainPageModel::View& v = page.view();
  EXPECT_EQ(v.sensitivity, 6);
  EXPECT_EQ(v.sensitivitySpin, 0);
  EXPECT_EQ(v.scrollSpeed, 3);
  EXPECT_EQ(v.doubleClick, 7);
  EXPECT_EQ(v.currentRow, 2);
  EXPECT_TRUE(page.row(2).current());
  EXPECT_FALSE(page.row(2).enableBoxEnabled());
  EXPECT_EQ(page.row(4).x(), 20);
}

TEST_F(MainPageModelTest, DoubleClickSliderStoresTheTableTimeAndSetsTheDesktopAtOnce) {
  page.sliderValue(7, MainPageModel::kDoubleClickSlider);
  EXPECT_EQ(image->Profiles[1].DbleClickSpeed, 480);
  EXPECT_EQ(desktop.values.doubleClickTime, 480);
}

TEST_F(MainPageModelTest, SensitivitySliderAndSpinFollowEachOther) {
  page.sliderValue(9, MainPageModel::kSensitivitySlider);
  EXPECT_EQ(image->Profiles[1].Sensitivity, 9);
  EXPECT_EQ(page.view().sensitivitySpin, 3);
  page.spinValue(-5, MainPageModel::kSensitivitySpin);
  EXPECT_EQ(image->Profiles[1].Sensitivity, 1);
  EXPECT_EQ(page.view().sensitivity, 1);
}

TEST_F(MainPageModelTest, RowMessagesWriteTheirLevelAndIgnoreUnknownRows) {
  using platform::MAKEWPARAM;
  page.dpiRowMessage(MAKEWPARAM(0, 1), 503);
  page.dpiRowMessage(MAKEWPARAM(40, 2), 503);
  page.dpiRowMessage(MAKEWPARAM(41, 4), 503);
  page.dpiRowMessage(MAKEWPARAM(1, 5), 503);
  page.dpiRowMessage(MAKEWPARAM(0, 3), 503);
  const settings::Profile& p = image->Profiles[1];
  EXPECT_EQ(p.dpi[3], 0);
  EXPECT_EQ(p.CpiLevel_X[3], 40);
  EXPECT_EQ(p.CpiLevel_Y[3], 41);
  EXPECT_EQ(p.XYCpiFlag[3], 1);
  EXPECT_EQ(p.Cpi_X, 3);
  EXPECT_TRUE(page.row(3).current());
  EXPECT_FALSE(page.row(2).current());

  auto before = std::make_unique<settings::SettingsImage>(*image);
  for (const platform::LPARAM id : {499, 505, 0, -1, 1 << 20})
    for (unsigned code = 0; code < 8; ++code) page.dpiRowMessage(MAKEWPARAM(9, code), id);
  page.dpiRowMessage(MAKEWPARAM(9, 99), 500);
  EXPECT_EQ(std::memcmp(before.get(), image.get(), sizeof *image), 0);
}

TEST_F(MainPageModelTest, RowClicksReachThePageImage) {
  page.row(0).linkClicked(true);
  page.row(0).xSlider(30);
  EXPECT_EQ(image->Profiles[1].CpiLevel_X[0], 30);
  EXPECT_EQ(image->Profiles[1].CpiLevel_Y[0], 30);
  page.row(4).barClicked();
  EXPECT_EQ(image->Profiles[1].Cpi_X, 4);
  EXPECT_TRUE(page.row(2).enableBoxEnabled());
}

TEST_F(MainPageModelTest, OutOfRangeValuesShowTheNearestAndAreNotWrittenBack) {
  settings::Profile& p = image->Profiles[1];
  p.Sensitivity = 20;
  p.ScrollWheelSpeed = 0;
  p.DbleClickSpeed = 0;
  p.Cpi_X = 9;
  p.CpiLevel_X[0] = 0;
  p.CpiLevel_Y[0] = 200;
  p.ScrollWheelFlag = 7;
  auto before = std::make_unique<settings::SettingsImage>(*image);
  page.load();
  EXPECT_EQ(page.view().sensitivity, 11);
  EXPECT_EQ(page.view().scrollSpeed, 1);
  EXPECT_EQ(page.view().doubleClick, 11);
  EXPECT_EQ(page.view().currentRow, 4);
  EXPECT_EQ(page.view().pageMode, 1);
  EXPECT_EQ(page.row(0).x(), 1);
  EXPECT_EQ(page.row(0).y(), 64);
  // The controls echo what they were given: still nothing written.
  page.spinValue(5, MainPageModel::kSensitivitySpin);
  page.row(0).xSpin(100);
  page.row(0).ySpin(6400);
  EXPECT_EQ(std::memcmp(before.get(), image.get(), sizeof *image), 0);
  EXPECT_EQ(desktop.changes, 0);

  shown = 9;  // a profile index from a broken image shows the nearest slot
  page.load();
  page.sliderValue(3, MainPageModel::kScrollSlider);
  EXPECT_EQ(image->Profiles[4].ScrollWheelSpeed, 3);
}

}  // namespace
}  // namespace option
