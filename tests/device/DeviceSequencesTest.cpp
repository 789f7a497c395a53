#include "device/DeviceSequences.h"

#include <gtest/gtest.h>

#include <memory>

#include "SameOnDevice.h"
#include "mousesim/ModelTransport.h"
#include "platform/VirtualClock.h"

using namespace device;
using settings::SettingsImage;

namespace {

// Counts the reports that reach the mouse and can pull the abort flag after
// a given number of them.
struct CountingTransport : Transport {
  explicit CountingTransport(Transport& inner) : inner(inner) {}
  bool setFeature(std::span<const std::uint8_t> r) override {
    ids.push_back(r[0]);
    if (clock) times.push_back(clock->now());
    sets.push_back({r.begin(), r.end()});
    const bool ok = inner.setFeature(r);
    tick();
    return ok;
  }
  bool getFeature(std::span<std::uint8_t> r) override {
    ids.push_back(r[0]);
    if (clock) times.push_back(clock->now());
    const bool ok = inner.getFeature(r);
    tick();
    return ok;
  }
  void tick() {
    if (++count == abortAfter && layer) layer->requestAbort();
  }
  int countOf(std::uint8_t id, bool onlySets = false) const {
    int n = 0;
    if (onlySets) {
      for (const auto& s : sets) n += s[0] == id;
    } else {
      for (auto i : ids) n += i == id;
    }
    return n;
  }
  Transport& inner;
  std::vector<std::uint8_t> ids;
  std::vector<std::vector<std::uint8_t>> sets;
  int count = 0;
  int abortAfter = -1;
  DeviceLayer* layer = nullptr;
  // When set, the virtual time of every transfer, in order.
  platform::Clock* clock = nullptr;
  std::vector<std::int64_t> times;
};

struct Mouse {
  platform::VirtualClock clock{0};
  mousesim::MouseModel model;
  mousesim::ModelTransport modelTransport{model};
  CountingTransport transport{modelTransport};
  DeviceLayer layer{transport, clock};
  DeviceSequences sequences{layer};
  Mouse() {
    transport.layer = &layer;
    transport.clock = &clock;
  }
  // Transfer times relative to the first one.
  std::vector<std::int64_t> timeline() const {
    std::vector<std::int64_t> t;
    for (auto at : transport.times) t.push_back(at - transport.times.front());
    return t;
  }
};

// An image that uses every field the reports carry.
std::unique_ptr<SettingsImage> sampleImage() {
  auto image = std::make_unique<SettingsImage>();
  image->CurrentProfile = 3;
  image->LiftOnFlag = 2;
  image->TrackControlFlag = 1;
  for (int p = 0; p < 5; ++p) {
    settings::Profile& pr = image->Profiles[p];
    pr.XYSynchronous = p % 2;
    pr.Sensitivity = pr.Sensitivity_X = 2 + p;
    pr.Sensitivity_Y = 3 + p;
    for (int i = 0; i < 5; ++i) {
      pr.dpi[i] = (i + p) % 3 != 0;
      pr.CpiLevel_X[i] = pr.CpiLevel_Y[i] = 4 * (i + 1) + p;
    }
    pr.Cpi_X = pr.Cpi_Y = p;
    pr.PollingRate = p % 4;
    pr.LightEffectMode = 1 + p % 3;
    pr.LightEffectType = p;
    pr.LightEffectSpeed = 1 + p % 3;
    pr.LightColorFlow = p;
    for (int z = 0; z < 4; ++z) {
      pr.LightInfo[z] = {static_cast<std::uint8_t>(z + p), static_cast<std::uint8_t>(z % 2),
                         static_cast<std::uint8_t>(p * 40), static_cast<std::uint8_t>(z * 50), 7};
    }
    pr.ASnapFlag = p % 2;
    pr.ASnap = 5 + p;
    pr.SAlignmentFlag = 1;
    pr.SAlignment = 20 + p * 5;
    for (int b = 0; b < 24; ++b) {
      settings::ButtonSlot& s = pr.MacroKeyInfo[b];
      s.FunctionCode = static_cast<std::uint8_t>(b % 4 == 0 ? 48 : b == 5 ? 5 : b + 1);
      if (s.FunctionCode == 5) {
        s.EventCount = 1;
        s.Events[0] = {0x1E, 0x04, {0, 0}};
      }
      if (s.FunctionCode == 48) {
        s.ButtonNumber = static_cast<std::uint8_t>(b);
        s.MacroOption = p;
        settings::setFieldText(s.Name3, "Macro " + std::to_string(p * 24 + b));
        s.EventCount = static_cast<std::uint16_t>(b == 0 ? 500 : b + p);
        for (int e = 0; e < s.EventCount; ++e) {
          s.Events[e] = {static_cast<std::uint8_t>(4 + e % 26),
                         static_cast<std::uint8_t>(1 + e % 2),
                         {static_cast<std::uint8_t>(e), 0}};
        }
      }
    }
  }
  return image;
}

}  // namespace

TEST(DeviceSequences, WriteEverythingThenReadEverythingGivesTheImageBack) {
  Mouse mouse;
  const auto source = sampleImage();
  ASSERT_TRUE(mouse.sequences.writeEverything(*source));
  ASSERT_TRUE(mouse.layer.sendTrackingControl(*source, 0));
  auto read = std::make_unique<SettingsImage>();
  read->SlotChanged[1][1] = 1;
  int version = 0;
  ASSERT_TRUE(mouse.sequences.readEverything(*read, version));
  EXPECT_EQ(version, mousesim::kFactoryFirmwareVersion);
  expectSameOnDevice(*source, *read);
  EXPECT_EQ(read->LiftOnFlag, source->LiftOnFlag);
  EXPECT_EQ(read->TrackControlFlag, source->TrackControlFlag);
  EXPECT_FALSE(settings::anyChangeFlag(*read));
  EXPECT_EQ(read->Profiles[2].MacroKeyInfo[0].EventCount, 500);
}

TEST(DeviceSequences, WriteChangesSendsExactlyTheFlaggedParts) {
  Mouse mouse;
  auto image = sampleImage();
  image->CurrentProfileChanged = 1;
  image->ProfileChanged[2] = 1;
  image->SlotChanged[3][5] = 1;  // a key slot: buttons of profile 3 only
  image->SlotChanged[4][8] = 1;  // a macro slot: buttons and that macro
  ASSERT_TRUE(mouse.sequences.writeChanges(*image));
  std::vector<std::vector<std::uint8_t>> heads;
  for (const auto& s : mouse.transport.sets) {
    heads.push_back({s[0], s[0] == 8 ? s[3] : s[2], s[0] == 8 ? s[4] : std::uint8_t{0}});
  }
  EXPECT_EQ(heads, (std::vector<std::vector<std::uint8_t>>{
                       {5, 3, 0}, {6, 2, 0}, {7, 3, 0}, {7, 4, 0}, {8, 4, 8}}));
  EXPECT_EQ(mouse.model.memory().currentProfile, 3);
}

TEST(DeviceSequences, WriteChangesPausesAfterEachStepAndEachMacroWrite) {
  Mouse mouse;
  auto image = sampleImage();
  image->CurrentProfileChanged = 1;
  image->ProfileChanged[1] = 1;
  image->SlotChanged[2][4] = 1;  // macro slots 4 and 8 of profile 2
  image->SlotChanged[2][8] = 1;
  ASSERT_TRUE(mouse.sequences.writeChanges(*image));
  EXPECT_EQ(mouse.transport.ids, (std::vector<std::uint8_t>{5, 4, 6, 4, 7, 4, 8, 4, 8, 4}));
  // Report 5 and 6: status wait 100, then the step's 100. Report 7: status
  // wait 500, then 100. Each macro: status wait 500, then 50.
  EXPECT_EQ(mouse.timeline(),
            (std::vector<std::int64_t>{0, 100, 200, 300, 400, 900, 1000, 1500, 1550, 2050}));
}

TEST(DeviceSequences, WriteChangesGoesOnAfterAFailedReport5Or6Or7) {
  Mouse mouse;
  auto image = sampleImage();
  image->CurrentProfileChanged = 1;
  image->ProfileChanged[1] = 1;
  image->SlotChanged[2][4] = 1;
  mouse.model.failSet(kCurrentProfileReport, 1);
  mouse.model.failSet(kProfileSettingsReport, 1);
  mouse.model.failSet(kButtonsReport, 1);
  EXPECT_FALSE(mouse.sequences.writeChanges(*image));
  EXPECT_EQ(mouse.transport.countOf(kCurrentProfileReport, true), 1);
  EXPECT_EQ(mouse.transport.countOf(kProfileSettingsReport, true), 1);
  EXPECT_EQ(mouse.transport.countOf(kButtonsReport, true), 1);
  EXPECT_EQ(mouse.transport.countOf(kMacroReport, true), 1) << "the macro step still ran";
  EXPECT_EQ(mouse.model.memory().profiles[2].macros[4][5],
            image->Profiles[2].MacroKeyInfo[4].MacroOption);
}

TEST(DeviceSequences, MacroReadAttemptsArePausedInVirtualTime) {
  Mouse mouse;
  auto image = sampleImage();
  ASSERT_TRUE(mouse.sequences.writeEverything(*image));
  mouse.transport.ids.clear();
  mouse.transport.times.clear();
  mouse.model.failGet(kMacroReport, 2);
  int version = -1;
  ASSERT_TRUE(mouse.sequences.readEverything(*image, version));
  // The first macro slot (profile 0, slot 0): select, status, read, each
  // attempt followed by 100 ms.
  std::vector<std::int64_t> macroReads;
  for (std::size_t i = 0; i < mouse.transport.ids.size(); ++i) {
    if (mouse.transport.ids[i] == kMacroReport) macroReads.push_back(mouse.transport.times[i]);
  }
  ASSERT_GE(macroReads.size(), 3u);
  // Attempt k+1 starts 100 ms after attempt k's read, then selects and
  // waits 100 ms for the status before reading.
  EXPECT_EQ(macroReads[1] - macroReads[0], 200);
  EXPECT_EQ(macroReads[2] - macroReads[1], 200);
}

TEST(DeviceSequences, ACurrentProfileOutsideTheRangeIsNeverSent) {
  Mouse mouse;
  auto image = sampleImage();
  for (int bad : {-1, 5, 255}) {
    image->CurrentProfile = bad;
    EXPECT_FALSE(mouse.layer.writeCurrentProfile(*image));
    EXPECT_TRUE(mouse.sequences.writeEverything(*image)) << "the rest of a backup is restored";
  }
  EXPECT_EQ(mouse.transport.countOf(kCurrentProfileReport), 0);
}

TEST(DeviceSequences, FailedMacroWriteEndsTheMacroStep) {
  Mouse mouse;
  auto image = sampleImage();
  image->SlotChanged[0][4] = 1;
  image->SlotChanged[0][8] = 1;
  image->SlotChanged[2][0] = 1;
  mouse.model.failSet(kMacroReport, 1);
  EXPECT_FALSE(mouse.sequences.writeChanges(*image));
  EXPECT_EQ(mouse.transport.countOf(kMacroReport), 1);
}

TEST(DeviceSequences, AbortInEveryStepStopsAtOnce) {
  const auto source = sampleImage();
  int total = 0;
  {
    Mouse mouse;
    ASSERT_TRUE(mouse.sequences.writeEverything(*source));
    mouse.transport.count = 0;
    auto image = std::make_unique<SettingsImage>();
    int version = 0;
    ASSERT_TRUE(mouse.sequences.readEverything(*image, version));
    total = mouse.transport.count;
  }
  for (int n = 1; n <= total; ++n) {
    Mouse mouse;
    ASSERT_TRUE(mouse.sequences.writeEverything(*source));
    mouse.transport.count = 0;
    mouse.transport.abortAfter = n;
    auto image = std::make_unique<SettingsImage>();
    image->ProfileChanged[0] = 1;
    int version = 0;
    EXPECT_FALSE(mouse.sequences.readEverything(*image, version)) << "abort after report " << n;
    EXPECT_EQ(mouse.transport.count, n) << "nothing exchanged after the abort";
    EXPECT_EQ(image->ProfileChanged[0], 1) << "an aborted read keeps the change flags";
  }
  for (int n = 1;; ++n) {
    Mouse mouse;
    mouse.transport.abortAfter = n;
    const bool done = mouse.sequences.writeEverything(*source);
    if (mouse.transport.count < n) {
      EXPECT_TRUE(done);
      break;
    }
    EXPECT_FALSE(done) << "abort after report " << n;
    EXPECT_EQ(mouse.transport.count, n);
  }
}

TEST(DeviceSequences, MacroReadIsRetriedThreeTimesThenEndsTheStep) {
  const auto source = sampleImage();
  Mouse mouse;
  ASSERT_TRUE(mouse.sequences.writeEverything(*source));
  mouse.transport.ids.clear();
  mouse.model.failGet(kMacroReport, 2);
  auto image = std::make_unique<SettingsImage>();
  int version = 0;
  ASSERT_TRUE(mouse.sequences.readEverything(*image, version));
  EXPECT_EQ(mouse.transport.countOf(kMacroReport), 2 + 5 * 6) << "two failed attempts, then all";

  mouse.transport.ids.clear();
  mouse.model.failGet(kMacroReport, 3);
  EXPECT_TRUE(mouse.sequences.readEverything(*image, version));
  EXPECT_EQ(mouse.transport.countOf(kMacroReport), 3) << "the first slot failed three times";
  EXPECT_EQ(mouse.transport.countOf(kTrackingReport), 1) << "tracking control is still read";
}

TEST(DeviceSequences, ChecksumMismatchLeavesTheImageUnchanged) {
  const auto source = sampleImage();
  Mouse mouse;
  ASSERT_TRUE(mouse.sequences.writeEverything(*source));
  auto image = std::make_unique<SettingsImage>();
  image->Profiles[0].MacroKeyInfo[1].FunctionCode = 27;
  mouse.model.corruptNext(kButtonsReport);
  int version = 0;
  ASSERT_TRUE(mouse.sequences.readEverything(*image, version));
  EXPECT_EQ(image->Profiles[0].MacroKeyInfo[1].FunctionCode, 27) << "profile 0's buttons refused";
  EXPECT_EQ(image->Profiles[1].MacroKeyInfo[1].FunctionCode, 2);

  ASSERT_TRUE(mouse.layer.readButtons(*image, 0));
  const settings::ButtonSlot before = image->Profiles[0].MacroKeyInfo[0];
  mouse.model.corruptNext(kMacroReport);
  EXPECT_FALSE(mouse.layer.readMacro(*image, 0, 0));
  EXPECT_EQ(std::memcmp(&before, &image->Profiles[0].MacroKeyInfo[0], sizeof before), 0);
}

TEST(DeviceSequences, TrackingFailureFailsTheReadButClearsFlags) {
  Mouse mouse;
  mouse.model.failGet(kTrackingReport, 1);
  auto image = std::make_unique<SettingsImage>();
  image->SlotChanged[0][0] = 1;
  int version = 0;
  EXPECT_FALSE(mouse.sequences.readEverything(*image, version));
  EXPECT_FALSE(settings::anyChangeFlag(*image));
}

TEST(DeviceSequences, BusyMouseStillCompletes) {
  Mouse mouse;
  mouse.model.busyFor(4);
  auto image = sampleImage();
  EXPECT_TRUE(mouse.sequences.writeEverything(*image));
  EXPECT_EQ(mouse.model.memory().currentProfile, 3);
}

TEST(DeviceSequences, RequestedMacroSlots) {
  const std::tuple<int, int, int> cases[] = {{1, 0, 2}, {22, 0, 23}, {23, 1, 2}, {110, 4, 23}};
  for (const auto& [v, p, b] : cases) {
    int gotP = -1, gotB = -1;
    ASSERT_TRUE(DeviceSequences::requestedMacroSlot(v, gotP, gotB)) << v;
    EXPECT_EQ(gotP, p);
    EXPECT_EQ(gotB, b);
  }
  int p = 0, b = 0;
  EXPECT_FALSE(DeviceSequences::requestedMacroSlot(0, p, b));
  EXPECT_FALSE(DeviceSequences::requestedMacroSlot(111, p, b));

  Mouse mouse;
  const auto image = sampleImage();
  ASSERT_TRUE(mouse.sequences.writeRequestedMacro(*image, 23));
  ASSERT_EQ(mouse.transport.sets.size(), 1u);
  EXPECT_EQ(mouse.transport.sets[0][3], 1);
  EXPECT_EQ(mouse.transport.sets[0][4], 2);
}

TEST(DeviceSequences, ApplyWithResetSendsOnlyTheResetCommand) {
  Mouse mouse;
  ASSERT_TRUE(mouse.sequences.writeEverything(*sampleImage()));
  mouse.transport.sets.clear();
  ASSERT_TRUE(mouse.sequences.applyWithReset());
  ASSERT_EQ(mouse.transport.sets.size(), 1u);
  EXPECT_EQ(mouse.transport.sets[0], (std::vector<std::uint8_t>{9, 6, 11, 0, 0, 0}));
  EXPECT_EQ(mouse.model.memory().currentProfile, 0) << "factory state restored";
}
