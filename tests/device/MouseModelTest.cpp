#include "mousesim/MouseModel.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "device/UpdateMode.h"
#include "mousesim/MouseSimulator.h"
#include "mousesim/MouseStateFile.h"
#include "mousesim/SaveSchedule.h"

using namespace device;
using mousesim::MouseModel;

namespace {

struct ModelTest : ::testing::Test {
  MouseModel model;
  std::vector<std::pair<int, int>> events;
  std::vector<bool> plugs;
  void SetUp() override {
    model.setEventSink([this](std::uint16_t t, std::uint16_t v) { events.emplace_back(t, v); });
    model.setPlugSink([this](bool p) { plugs.push_back(p); });
  }
  void setFunction(int slot, std::uint8_t code) {
    std::array<std::uint8_t, kButtonsLength> r = model.memory().profiles[0].buttons;
    r[3 + 3 * slot] = code;
    sealChecksum(r);
    ASSERT_TRUE(model.setFeature(r));
    ASSERT_EQ(model.status(), 1);
  }
  int status() {
    std::uint8_t r[3] = {4, 0, 0};
    return model.getFeature(r) ? r[1] : -1;
  }
};

}  // namespace

TEST_F(ModelTest, ButtonsChangeTheMouseAndReportIt) {
  setFunction(5, 21);   // DPI up
  setFunction(6, 22);   // DPI down
  setFunction(7, 16);   // profile cycle
  setFunction(8, 24);   // sensitivity up
  setFunction(9, 38);   // volume up
  setFunction(10, 9);   // tilt left
  setFunction(11, 35);  // play/pause
  events.clear();
  ASSERT_TRUE(model.press(6));
  ASSERT_TRUE(model.press(6));
  ASSERT_TRUE(model.press(7));
  EXPECT_EQ(events, (std::vector<std::pair<int, int>>{{0xB000, 3}, {0xB000, 4}, {0xB000, 3}}));
  EXPECT_EQ(model.memory().profiles[0].settings[12], 2);
  EXPECT_TRUE(checksumMatches(model.memory().profiles[0].settings));
  events.clear();
  model.press(9);
  model.press(10);
  model.press(11);
  model.press(12);
  EXPECT_EQ(events, (std::vector<std::pair<int, int>>{
                        {0xC000, 7}, {0x1B00, 1}, {0x1000, 255}, {0xF000, 0x123}, {0xF000, 35}}));
  // Profile cycle on button 8 of every profile, so that it cycles on.
  for (int p = 1; p < settings::kProfileCount; ++p) {
    std::array<std::uint8_t, kButtonsLength> r = model.memory().profiles[p].buttons;
    r[3 + 3 * 7] = 16;
    sealChecksum(r);
    ASSERT_TRUE(model.setFeature(r));
  }
  events.clear();
  for (int i = 0; i < 5; ++i) model.press(8);
  EXPECT_EQ(events.back(), std::make_pair(0x2000, 1)) << "profile cycle wraps to profile 0";
  EXPECT_EQ(model.memory().currentProfile, 0);
  events.clear();
  model.press(1);
  EXPECT_EQ(events, (std::vector<std::pair<int, int>>{{0xE100, 1}})) << "click counted";
  EXPECT_FALSE(model.press(0));
  EXPECT_FALSE(model.press(25));
}

TEST_F(ModelTest, EmptyMacroSlotAsksTheHostForIt) {
  setFunction(4, 48);
  events.clear();
  model.press(5);
  EXPECT_EQ(events[0], std::make_pair(0xFE00, 3)) << "slot 4 of profile 0 is request 3";
}

TEST_F(ModelTest, FaultsOnCommand) {
  model.busyFor(2);
  EXPECT_EQ(status(), 3);
  EXPECT_EQ(status(), 3);
  EXPECT_EQ(status(), 1);

  model.failSet(kCurrentProfileReport, 2);
  const std::uint8_t select[3] = {5, 3, 1};
  EXPECT_FALSE(model.setFeature(select));
  EXPECT_FALSE(model.setFeature(select));
  EXPECT_TRUE(model.setFeature(select));
  model.failGet(kVersionReport, 1);
  std::uint8_t version[6] = {9};
  EXPECT_FALSE(model.getFeature(version));
  EXPECT_TRUE(model.getFeature(version));
  EXPECT_EQ(version[2], mousesim::kFactoryFirmwareVersion);
  EXPECT_EQ(version[3], mousesim::kFactoryFirmwareVersion);

  EXPECT_FALSE(model.corruptNext(6));
  EXPECT_TRUE(model.corruptNext(7));
  ASSERT_TRUE(model.setFeature(codec::encodeSelect(0, kSelectButtons)));
  std::array<std::uint8_t, kButtonsLength> buttons{7};
  ASSERT_TRUE(model.getFeature(buttons));
  EXPECT_FALSE(checksumMatches(buttons));
  ASSERT_TRUE(model.getFeature(buttons));
  EXPECT_TRUE(checksumMatches(buttons)) << "only the next read is corrupt";

  model.unplugAfter(2);
  EXPECT_TRUE(model.getFeature(version));
  EXPECT_TRUE(model.plugged());
  EXPECT_TRUE(model.getFeature(version));
  EXPECT_FALSE(model.plugged());
  EXPECT_FALSE(model.getFeature(version));
  EXPECT_FALSE(model.emitEvent(1, 1));
  model.plug();
  EXPECT_TRUE(model.getFeature(version));
  EXPECT_EQ(plugs, (std::vector<bool>{false, true}));
}

TEST_F(ModelTest, ReadsReturnWhatReport4SelectedOnly) {
  std::array<std::uint8_t, kProfileSettingsLength> settingsReport{kProfileSettingsReport};
  std::array<std::uint8_t, kButtonsLength> buttons{kButtonsReport};
  std::array<std::uint8_t, kMacroLength> macro{kMacroReport};
  ASSERT_TRUE(model.setFeature(codec::encodeSelect(3, kSelectProfileSettings)));
  EXPECT_TRUE(model.getFeature(settingsReport));
  EXPECT_EQ(settingsReport[2], 3);
  EXPECT_FALSE(model.getFeature(buttons));
  EXPECT_FALSE(model.getFeature(macro));
  ASSERT_TRUE(model.setFeature(codec::encodeSelect(2, kSelectButtons)));
  EXPECT_FALSE(model.getFeature(settingsReport));
  EXPECT_TRUE(model.getFeature(buttons));
  EXPECT_EQ(buttons[2], 2);
  ASSERT_TRUE(model.setFeature(codec::encodeSelect(1, 5)));
  EXPECT_FALSE(model.getFeature(settingsReport));
  EXPECT_FALSE(model.getFeature(buttons));
  EXPECT_TRUE(model.getFeature(macro));
}

TEST_F(ModelTest, UpdateStatusFaultsAndBusyCountedPerStatusReport) {
  auto status28 = [&] {
    std::uint8_t r[3] = {update::kStatusReport};
    return model.getFeature(r) ? r[1] : -1;
  };
  mousesim::MouseSimulator sim(mousesim::factoryMemory(100));
  auto read28 = [&] {
    std::uint8_t r[3] = {update::kStatusReport};
    return sim.model().getFeature(r) ? r[1] : -1;
  };
  EXPECT_EQ(sim.control({"status28", "repeat", "2"}).code, 0);
  EXPECT_EQ(read28(), update::kStatusRepeat);
  EXPECT_EQ(read28(), update::kStatusRepeat);
  EXPECT_EQ(read28(), update::kStatusDone);
  EXPECT_EQ(sim.control({"status28", "fail", "1"}).code, 0);
  EXPECT_EQ(read28(), update::kStatusFailed);
  EXPECT_EQ(read28(), update::kStatusDone);
  EXPECT_NE(sim.control({"status28", "later", "1"}).code, 0);
  EXPECT_NE(sim.control({"status28", "busy"}).code, 0);

  model.busyFor(update::kStatusReport, 2);
  EXPECT_EQ(status(), kStatusDone) << "report 4 is not busy";
  EXPECT_EQ(status28(), update::kStatusBusy);
  model.busyFor(1);
  EXPECT_EQ(status28(), update::kStatusBusy);
  EXPECT_EQ(status28(), update::kStatusDone);
  EXPECT_EQ(status(), kStatusBusy);
  EXPECT_EQ(status(), kStatusDone);
}

TEST_F(ModelTest, RefusedWritesFailTheStatusAndChangeNothing) {
  auto r = model.memory().profiles[1].settings;
  r[4] = 11;
  const auto before = model.memory().profiles[1].settings;
  ASSERT_TRUE(model.setFeature(r)) << "the transfer itself works";
  EXPECT_EQ(status(), 2) << "bad checksum";
  EXPECT_EQ(model.memory().profiles[1].settings, before);
  const std::uint8_t badProfile[3] = {5, 3, 7};
  model.setFeature(badProfile);
  EXPECT_EQ(status(), 2);
  const std::uint8_t wrongLength[2] = {5, 3};
  EXPECT_FALSE(model.setFeature(wrongLength));
}

TEST_F(ModelTest, ResetRestoresFactoryButKeepsTheFirmware) {
  const std::uint8_t profile[3] = {5, 3, 4};
  model.setFeature(profile);
  model.setFirmwareVersion(120);
  const std::uint8_t reset[6] = {9, 6, 11, 0, 0, 0};
  ASSERT_TRUE(model.setFeature(reset));
  EXPECT_EQ(model.memory().currentProfile, 0);
  EXPECT_EQ(model.memory().firmwareVersion, 120);
}

TEST_F(ModelTest, TrackingTrialAndCalibrationOutcome) {
  const std::uint8_t start[6] = {15, 6, 1, 255, 255, 255};
  const std::uint8_t cancel[6] = {15, 6, 1, 255, 255, 0};
  model.setFeature(start);
  EXPECT_EQ(model.memory().liftOn, 1);
  model.setFeature(cancel);
  EXPECT_EQ(model.memory().liftOn, 0) << "cancelled trial restores the factory lift-off setting";
  const std::uint8_t run[6] = {15, 6, 3, 1, 127, 0};
  model.setFeature(run);
  EXPECT_EQ(events, (std::vector<std::pair<int, int>>{{0x3000, 1}}));
}

TEST_F(ModelTest, SensorPictureFollowsTheSurfaceAndDecidesTheCalibration) {
  auto capture = [&] {
    const std::uint8_t request[4] = {kSensorImageReport, 3, 1, 0};
    EXPECT_TRUE(model.setFeature(request));
    std::array<std::uint8_t, kSensorImageLength> r{kSensorImageReport};
    EXPECT_TRUE(model.getFeature(r));
    return codec::decodeSensorImage(r);
  };
  const codec::SensorImage first = capture();
  const codec::SensorImage second = capture();
  EXPECT_NE(first.pixels, second.pixels) << "the picture changes between captures";
  EXPECT_GE(second.mean, 96);

  mousesim::MouseSimulator sim(mousesim::factoryMemory(100));
  EXPECT_NE(sim.control({"surface", "matte"}).code, 0);
  EXPECT_NE(sim.control({"surface"}).code, 0);
  ASSERT_EQ(sim.control({"surface", "poor"}).code, 0);
  EXPECT_NE(sim.control({"state"}).text.find("surface poor"), std::string::npos);
  model.setSurface(MouseModel::Surface::Poor);
  const codec::SensorImage dim = capture();
  EXPECT_LT(dim.mean, 32);
  EXPECT_GT(dim.mean, 0) << "a run needs a sampled value";

  const std::uint8_t run[6] = {15, 6, 1, 1, static_cast<std::uint8_t>(dim.mean), 0};
  model.setFeature(run);
  model.setSurface(MouseModel::Surface::Good);
  model.setFeature(run);  // retried on a good surface with the same value
  const std::uint8_t accept[6] = {15, 6, 1, 1, static_cast<std::uint8_t>(dim.mean), 1};
  model.setFeature(accept);
  EXPECT_EQ(events, (std::vector<std::pair<int, int>>{{0x3000, 2}, {0x3000, 1}}));
  EXPECT_EQ(model.memory().calibrationState, 1);
}

TEST_F(ModelTest, UpdateModeInstallsABlockCheckedImage) {
  std::vector<std::uint8_t> image(2049, 0x11);
  std::copy(update::kImageMagic.begin(), update::kImageMagic.end(), image.begin());
  image[update::kImageVersionOffset] = 131;
  auto send = [&](const update::CommandBytes& c) {
    EXPECT_TRUE(model.setFeature(c));
    std::uint8_t r[3] = {update::kStatusReport};
    EXPECT_TRUE(model.getFeature(r));
    return r[1];
  };
  EXPECT_EQ(send(update::announceImage(2049)), update::kStatusFailed) << "not in update mode";
  EXPECT_EQ(send(update::enterUpdateMode()), update::kStatusDone);
  EXPECT_EQ(send(update::announceImage(2049)), update::kStatusDone);
  EXPECT_EQ(send(update::prepare()), update::kStatusDone);
  EXPECT_EQ(send(update::finish()), update::kStatusFailed) << "no blocks yet";

  send(update::enterUpdateMode());
  send(update::announceImage(2049));
  send(update::prepare());
  EXPECT_EQ(send(update::announceBlock(0, 1234)), update::kStatusDone);
  EXPECT_EQ(send(update::blockData(image, 0)), update::kStatusFailed) << "checksum mismatch";
  for (std::size_t k = 0; k < update::blockCount(image.size()); ++k) {
    ASSERT_EQ(
        send(update::announceBlock(static_cast<std::uint16_t>(k), update::blockChecksum(image, k))),
        update::kStatusDone);
    ASSERT_EQ(send(update::blockData(image, k)), update::kStatusDone);
  }
  EXPECT_EQ(update::blockChecksum(image, 2), 0x11) << "one byte and 1023 zeros";
  model.busyFor(update::kStatusReport, 1);
  EXPECT_EQ(send(update::finish()), update::kStatusBusy);
  std::uint8_t r[3] = {update::kStatusReport};
  model.getFeature(r);
  EXPECT_EQ(r[1], update::kStatusDone);
  EXPECT_EQ(model.memory().firmwareVersion, 131);
}

TEST(MouseStateFile, RoundTripAndBrokenFiles) {
  const auto dir =
      std::filesystem::temp_directory_path() / ("vesk-state-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const std::string path = (dir / "mouse.json").string();
  std::string error;
  auto fresh = mousesim::loadStateFile(path, &error);
  ASSERT_TRUE(fresh) << "a missing file is a factory-fresh mouse";

  MouseModel model(*fresh);
  settings::ButtonSlot slot{};
  slot.EventCount = 3;
  settings::setFieldText(slot.Name3, "Saved");
  ASSERT_TRUE(model.setFeature(codec::encodeMacro(slot, 2, 6)));
  const std::uint8_t profile[3] = {5, 3, 2};
  model.setFeature(profile);
  ASSERT_TRUE(mousesim::saveStateFile(path, model.memory(), &error)) << error;
  auto loaded = mousesim::loadStateFile(path, &error);
  ASSERT_TRUE(loaded) << error;
  EXPECT_EQ(loaded->currentProfile, 2);
  EXPECT_EQ(loaded->profiles[2].macros[6], model.memory().profiles[2].macros[6]);

  std::ofstream(path) << "{\"profiles\": [1, 2]}";
  EXPECT_FALSE(mousesim::loadStateFile(path, &error));
  EXPECT_FALSE(error.empty());
  std::ofstream(path) << "not json";
  EXPECT_FALSE(mousesim::loadStateFile(path, &error));
  std::filesystem::remove_all(dir);
}

TEST(MouseStateFile, AMacroWithoutEventsKeepsItsNameAndOption) {
  MouseModel model;
  settings::ButtonSlot slot{};
  slot.EventCount = 0;
  slot.MacroOption = 2;
  settings::setFieldText(slot.Name3, "Emptied");
  ASSERT_TRUE(model.setFeature(codec::encodeMacro(slot, 1, 4)));
  std::string error;
  const auto saved = mousesim::memoryFromJson(mousesim::memoryToJson(model.memory()), &error);
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->profiles[1].macros[4], model.memory().profiles[1].macros[4]);
}

TEST(MouseStateFile, SavedAtMostEveryIntervalAndWhateverIsLeftAtExit) {
  mousesim::SaveSchedule schedule(0, 250);
  EXPECT_EQ(schedule.waitMs(0, 0), -1) << "nothing changed";
  EXPECT_TRUE(schedule.due(1, 0)) << "the first change is written at once";
  schedule.saved(1, 0);
  // A busy host: a change on every report, 2 ms apart.
  int saves = 1;
  for (std::int64_t t = 2; t <= 1000; t += 2) {
    if (schedule.due(static_cast<std::uint64_t>(t), t)) {
      schedule.saved(static_cast<std::uint64_t>(t), t);
      ++saves;
    }
  }
  EXPECT_EQ(saves, 5);  // 0, 250, 500, 750, 1000 ms
  EXPECT_FALSE(schedule.pending(1000));
  EXPECT_FALSE(schedule.due(1001, 1100));
  EXPECT_EQ(schedule.waitMs(1001, 1100), 150);
  EXPECT_TRUE(schedule.pending(1001)) << "left for the next interval or the exit";
}

TEST(MouseSimulator, TrafficLogKeepsTheNewestReportsWithinItsBytes) {
  mousesim::MouseSimulator sim(mousesim::factoryMemory(100));
  std::array<std::uint8_t, kMacroLength> macro{kMacroReport};
  ASSERT_TRUE(sim.model().setFeature(codec::encodeSelect(0, 0)));
  const std::size_t reads = 1000;  // about 6 KB of text each
  for (std::size_t i = 0; i < reads; ++i) sim.model().getFeature(macro);
  EXPECT_LE(sim.logBytes(), mousesim::MouseSimulator::kMaxLogBytes);
  EXPECT_GT(sim.logBytes(), mousesim::MouseSimulator::kMaxLogBytes / 2);
  EXPECT_LT(sim.log().size(), reads);
  EXPECT_NE(sim.log().back().find(" GET 08 "), std::string::npos);
  std::size_t bytes = 0;
  for (const auto& line : sim.log()) bytes += line.size() + 1;
  EXPECT_EQ(bytes, sim.logBytes());
}

TEST(MouseSimulator, ControlCommandsAndLog) {
  mousesim::MouseSimulator sim(mousesim::factoryMemory(100));
  EXPECT_EQ(sim.control({"version", "0x6b"}).code, 0);
  EXPECT_EQ(sim.model().memory().firmwareVersion, 107);
  EXPECT_NE(sim.control({"press", "0"}).code, 0);
  EXPECT_NE(sim.control({"event", "70000", "1"}).code, 0);
  EXPECT_NE(sim.control({"corrupt", "6"}).code, 0);
  EXPECT_NE(sim.control({"bogus"}).code, 0);
  EXPECT_EQ(sim.control({"unplug", "--after", "1"}).code, 0);
  std::uint8_t r[3] = {5, 3, 1};
  sim.model().setFeature(r);
  EXPECT_FALSE(sim.model().plugged());
  EXPECT_NE(sim.control({"press", "1"}).code, 0) << "unplugged";
  EXPECT_EQ(sim.control({"plug"}).code, 0);
  const auto log = sim.control({"log"});
  EXPECT_NE(log.text.find(" SET 05 03 01\n"), std::string::npos) << log.text;
  sim.control({"log", "--clear"});
  EXPECT_TRUE(sim.log().empty());
  const auto state = sim.control({"state", "--json"});
  EXPECT_NE(state.text.find("\"firmwareVersion\": 107"), std::string::npos);
}
