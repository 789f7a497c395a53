#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <thread>

#include "LoopbackHttpServer.h"
#include "option/TrophyShare.h"
#include "option/UpdatePageModel.h"

namespace option {
namespace {

MakerSite testSite() {
  MakerSite site;
  site.site = "https://maker.example/";
  site.supportMail = "help@maker.example";
  site.articleCode = "1234567890123";
  return site;
}

TEST(SupportLinks, FollowTheVersionsAndChangeOnlyWhenTheyDifferBeyondCase) {
  UpdatePageModel model(testSite());
  EXPECT_EQ(model.driverLink(),
            "https://maker.example/driver_check.php?product=xxx_number&driver=xxx_number&firmware="
            "xxx_number");
  model.rebuild("1.06", "N/A");
  EXPECT_EQ(model.firmwareLabel(), "VN/A");
  EXPECT_EQ(model.softwareLabel(), "V1.06");
  EXPECT_EQ(model.driverLink(), "https://maker.example/support_driver_1234567890123_1.06_N/A");
  EXPECT_EQ(model.helpLink(), "https://maker.example/support_help_1234567890123_1.06_N/A");
  model.rebuild("1.06", "n/a");
  EXPECT_EQ(model.driverLink(), "https://maker.example/support_driver_1234567890123_1.06_N/A");
  EXPECT_EQ(model.firmwareLabel(), "Vn/a");
  model.rebuild("1.06", "1.05");
  EXPECT_EQ(model.helpLink(), "https://maker.example/support_help_1234567890123_1.06_1.05");
}

TEST(SupportLinks, TheLowerSupportFormButtonWritesMail) {
  const UpdatePageModel model(testSite());
  EXPECT_EQ(model.target(UpdatePageModel::kProductSupport),
            "https://maker.example/Support/Gaming-Mice/NIVARO-Vesk-ORB");
  EXPECT_EQ(model.target(UpdatePageModel::kSupportStart), "https://maker.example/Support/");
  EXPECT_EQ(model.target(UpdatePageModel::kSupportForm),
            "https://maker.example/Support/Support/Support-Form/");
  EXPECT_EQ(model.target(UpdatePageModel::kMail), "mailto:help@maker.example");
  EXPECT_EQ(model.target(UpdatePageModel::kMailLower), "mailto:help@maker.example");
}

TEST(SupportLinks, TheEnvironmentPointsTheServicesElsewhere) {
  ::setenv("VESK_TROPHY_SERVICE", "http://127.0.0.1:9", 1);
  ::setenv("VESK_MAKER_SITE", "", 1);
  const MakerSite site = MakerSite::fromEnvironment();
  ::unsetenv("VESK_TROPHY_SERVICE");
  ::unsetenv("VESK_MAKER_SITE");
  EXPECT_EQ(site.trophyService, "http://127.0.0.1:9/");
  EXPECT_EQ(site.site, MakerSite{}.site) << "an empty value keeps the default";
}

TEST(SupportLinks, ConfigIniNamesTheMakerAndTheEnvironmentOverridesIt) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::temp_directory_path() / ("maker-site-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  {
    std::ofstream ini(folder / "config.ini");
    ini << "[Maker]\nSite = http://support.example/help\nSupportMail=desk@support.example\n"
           "ArticleCode=987\nTrophyService=file:///home/user/trophy\n";
  }
  const std::string programFolder = folder.string() + "/";
  const MakerSite configured = MakerSite::load(programFolder);
  EXPECT_EQ(configured.site, "http://support.example/help/");
  EXPECT_EQ(configured.supportMail, "desk@support.example");
  EXPECT_EQ(configured.articleCode, "987");
  EXPECT_EQ(configured.trophyService, MakerSite{}.trophyService)
      << "a service that is no web address keeps the default";

  ::setenv("VESK_TROPHY_SERVICE", "http://127.0.0.1:9", 1);
  ::setenv("VESK_ARTICLE_CODE", "555", 1);
  const MakerSite overridden = MakerSite::load(programFolder);
  ::unsetenv("VESK_TROPHY_SERVICE");
  ::unsetenv("VESK_ARTICLE_CODE");
  EXPECT_EQ(overridden.trophyService, "http://127.0.0.1:9/");
  EXPECT_EQ(overridden.articleCode, "555");
  EXPECT_EQ(overridden.site, "http://support.example/help/");

  fs::remove_all(folder);
  const MakerSite absent = MakerSite::load(programFolder);
  EXPECT_EQ(absent.site, MakerSite{}.site) << "no config.ini: the defaults";
  EXPECT_EQ(absent.articleCode, MakerSite{}.articleCode);
}

TEST(TrophyShare, TheRequestCarriesSixFieldsAndTheDigestOfTheOthers) {
  EXPECT_EQ(TrophyShare::md5Hex(""), "d41d8cd98f00b204e9800998ecf8427e");
  EXPECT_EQ(TrophyShare::md5Hex("abc"), "900150983cd24fb0d6963f7d28e17f72");
  const std::string url = TrophyShare::requestUrl("http://svc.example/", 4, 1800000000, 7);
  const std::regex shape(
      R"(http://svc\.example/frontend\.en,1,trophy,QXA-27-314,34,(\d{14}),(\d+),(\d+),([0-9a-f]{32})\.dll)");
  std::smatch m;
  ASSERT_TRUE(std::regex_match(url, m, shape)) << url;
  const int lucky = std::stoi(m[2]);
  EXPECT_GE(lucky, 1);
  EXPECT_LE(lucky, 49);
  EXPECT_EQ(m[4].str(), TrophyShare::md5Hex("QXA-27-314|34|" + m[1].str() + "|" + m[2].str() + "|" +
                                            m[3].str()));
  EXPECT_EQ(url, TrophyShare::requestUrl("http://svc.example/", 4, 1800000000, 7));
  EXPECT_NE(url, TrophyShare::requestUrl("http://svc.example/", 4, 1800000000, 8));
}

TEST(TrophyShare, OnlyPlainWebAddressesAreOpened) {
  EXPECT_EQ(TrophyShare::safeAddress("https://share.example/t/34?x=1\r\n"),
            "https://share.example/t/34?x=1");
  EXPECT_EQ(TrophyShare::safeAddress("  HTTP://share.example/"), "HTTP://share.example/");
  for (const char* bad : {"", "   ", "file:///etc/passwd", "javascript:alert(1)", "/usr/bin/xterm",
                          "ftp://x.example/", "http://", "https:///path", "http://a.example/x y",
                          "http://a.example/\x01", "http://a.example/\x7f",
                          "mailto:someone@example.com", "http://a.example/\nfile:///x"})
    EXPECT_EQ(TrophyShare::safeAddress(bad), "") << bad;
  EXPECT_EQ(
      TrophyShare::safeAddress("http://a.example/" + std::string(TrophyShare::kMaxAnswer, 'a')),
      "");
}

TEST(TrophyShare, OneGetThroughLibcurlReturnsTheBody) {
  LoopbackHttpServer server("https://share.example/t/1\n");
  const std::string url = TrophyShare::requestUrl(server.base(), 0, 1800000000, 1);
  EXPECT_EQ(curlHttpGet(url), "https://share.example/t/1\n");
  ASSERT_EQ(server.paths().size(), 1u);
  EXPECT_EQ(server.paths()[0].rfind("/frontend.en,1,trophy,QXA-27-314,30,", 0), 0u);
}

TEST(TrophyShare, FailedAndOversizedTransfersGiveNothing) {
  LoopbackHttpServer huge(std::string(64 * 1024, 'x'));
  EXPECT_EQ(curlHttpGet(huge.base() + "t"), "");
  std::string closed;
  {
    LoopbackHttpServer gone("x");
    closed = gone.base();
  }
  EXPECT_EQ(curlHttpGet(closed + "t"), "") << "nobody listens any more";
  EXPECT_EQ(curlHttpGet("file:///etc/hostname"), "") << "only http and https";
}

TEST(TrophyShare, ACancelledTransferHangsUpAndGivesNothing) {
  SilentHttpServer server;
  std::atomic<bool> cancel{false};
  std::string answer = "unset";
  std::thread transfer([&] { answer = curlHttpGet(server.base() + "t", cancel); });
  EXPECT_FALSE(server.clientHungUpWithin(300)) << "the request waits for its answer";
  cancel = true;
  EXPECT_TRUE(server.clientHungUpWithin(5000)) << "well before the 15 s limit";
  transfer.join();
  EXPECT_EQ(answer, "");
}

}  // namespace
}  // namespace option
