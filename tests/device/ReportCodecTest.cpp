#include <gtest/gtest.h>

#include <memory>
#include <numeric>
#include <vector>

#include "device/ReportCodec.h"

using namespace device;
using Bytes = std::vector<std::uint8_t>;

namespace {

template <typename A>
Bytes bytes(const A& a) {
  return Bytes(a.begin(), a.end());
}

struct ImageFixture : ::testing::Test {
  std::unique_ptr<settings::SettingsImage> image = std::make_unique<settings::SettingsImage>();
  settings::Profile& profile = image->Profiles[2];
};

void fillProfile(settings::Profile& p) {
  p.XYSynchronous = 1;
  p.Sensitivity_X = 7;
  p.Sensitivity_Y = 9;
  p.Sensitivity = 4;
  const std::uint8_t dpi[] = {1, 0, 1, 1, 0, 1};
  std::copy(std::begin(dpi), std::end(dpi), p.dpi);
  for (int i = 0; i < 5; ++i) {
    p.CpiLevel_X[i] = 4 * (i + 1);
    p.CpiLevel_Y[i] = 3 * (i + 1);
  }
  p.Cpi_X = 3;
  p.PollingRate = 2;
  p.LightEffectMode = 3;
  p.LightColorFlow = 5;
  p.LightEffectType = 4;
  p.LightEffectSpeed = 2;
  for (int z = 0; z < 4; ++z) {
    p.LightInfo[z] = {static_cast<std::uint8_t>(10 + z), static_cast<std::uint8_t>(z == 1 ? 2 : 1),
                      static_cast<std::uint8_t>(0x20 + z), static_cast<std::uint8_t>(0x40 + z),
                      static_cast<std::uint8_t>(0x60 + z)};
  }
  p.ASnapFlag = 1;
  p.ASnap = 0;
  p.SAlignmentFlag = 0;
  p.SAlignment = 25;
}

}  // namespace

TEST(ReportBytes, ChecksumIsSixteenBitSumLowByteFirst) {
  Bytes r(300, 0xFF);
  sealChecksum(r);
  // 298 x 255 = 75990 = 0x128D6 -> 0x28D6
  EXPECT_EQ(r[298], 0xD6);
  EXPECT_EQ(r[299], 0x28);
  EXPECT_TRUE(checksumMatches(r));
  r[5] ^= 1;
  EXPECT_FALSE(checksumMatches(r));
}

TEST(ReportBytes, SmallReports) {
  EXPECT_EQ(bytes(codec::encodeSelect(3, kSelectProfileSettings)), (Bytes{4, 3, 0x80}));
  EXPECT_EQ(bytes(codec::encodeSelect(4, kSelectButtons)), (Bytes{4, 4, 0x90}));
  EXPECT_EQ(bytes(codec::encodeSelect(1, 23)), (Bytes{4, 1, 23}));
  EXPECT_EQ(bytes(codec::encodeCurrentProfile(2)), (Bytes{5, 3, 2}));
  EXPECT_EQ(bytes(codec::encodeResetCommand()), (Bytes{9, 6, 11, 0, 0, 0}));
  EXPECT_EQ(bytes(codec::encodeSensorCapture()), (Bytes{12, 3, 1, 0}));
  EXPECT_EQ(bytes(codec::encodeHostActive(true)), (Bytes{14, 3, 1}));
  EXPECT_EQ(bytes(codec::encodeHostActive(false)), (Bytes{14, 3, 0}));
  EXPECT_EQ(codec::decodeFirmwareVersion(Bytes{9, 6, 107, 0, 0, 0}), 107);
  EXPECT_EQ(bytes(codec::encodeLightCommand(7, 8, 9)),
            (Bytes{16, 16, 7, 8, 9, 255, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  const std::uint8_t colours[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  EXPECT_EQ(bytes(codec::encodeAmbientLight(true, colours)),
            (Bytes{16, 16, 255, 255, 255, 1, 3, 1, 1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(codec::encodeAmbientLight(false, colours)[6], 4);
}

TEST_F(ImageFixture, CurrentProfileAboveFourIsIgnored) {
  image->CurrentProfile = 1;
  EXPECT_TRUE(codec::decodeCurrentProfile(Bytes{5, 3, 4}, *image));
  EXPECT_EQ(image->CurrentProfile, 4);
  EXPECT_FALSE(codec::decodeCurrentProfile(Bytes{5, 3, 5}, *image));
  EXPECT_EQ(image->CurrentProfile, 4);
}

TEST_F(ImageFixture, ProfileSettingsEncodeByteExact) {
  fillProfile(profile);
  const Bytes r = bytes(codec::encodeProfileSettings(profile, 2));
  Bytes expected = {6,    46,     2,    1,    7,    9,    0b01101, 8,    16,
                    24,   32,     40,   3,    6,    12,   18,      24,   30,
                    1,                      // byte 18: angle snapping only
                    2,    0b1101,           // polling, zone 1 is off (2)
                    3,    5,      4,    2,  // light fields
                    10,   0x20,   0x40, 0x60, 11,   0x21, 0x41,    0x61, 12,
                    0x22, 0x42,   0x62, 13,   0x23, 0x43, 0x63,
                    1,     // byte 41
                    1,     // ASnap 0 goes out as 1
                    251};  // SAlignment 25 -> -5
  const auto sum = std::accumulate(expected.begin(), expected.end(), 0) & 0xFFFF;
  expected.push_back(static_cast<std::uint8_t>(sum & 0xFF));
  expected.push_back(static_cast<std::uint8_t>(sum >> 8));
  EXPECT_EQ(r, expected);
}

TEST_F(ImageFixture, ProfileSettingsGoOutWithinTheirFieldsRanges) {
  fillProfile(profile);
  profile.XYSynchronous = 1;
  profile.Sensitivity_X = 0;
  profile.Sensitivity_Y = 40;
  profile.CpiLevel_X[0] = 171;  // a torn image
  profile.CpiLevel_X[1] = 0;
  profile.CpiLevel_X[2] = -1;
  profile.CpiLevel_Y[3] = 65;
  profile.Cpi_X = 7;
  profile.SAlignment = 300;
  auto r = codec::encodeProfileSettings(profile, 0);
  EXPECT_EQ(r[4], 1);
  EXPECT_EQ(r[5], 11);
  EXPECT_EQ(r[7], 128);  // level 64
  EXPECT_EQ(r[8], 2);    // level 1
  EXPECT_EQ(r[9], 2);
  EXPECT_EQ(r[16], 128);
  EXPECT_EQ(r[12], 4);
  EXPECT_EQ(r[43], 127);
  EXPECT_TRUE(checksumMatches(r));
  profile.Cpi_X = -1;
  profile.SAlignment = -200;
  r = codec::encodeProfileSettings(profile, 0);
  EXPECT_EQ(r[12], 0);
  EXPECT_EQ(r[43], 0x80);
}

TEST_F(ImageFixture, ProfileSettingsJointSensitivityAndBothFlags) {
  fillProfile(profile);
  profile.XYSynchronous = 0;
  profile.SAlignmentFlag = 1;
  profile.ASnap = 9;
  profile.SAlignment = 40;
  const auto r = codec::encodeProfileSettings(profile, 0);
  EXPECT_EQ(r[4], 4);
  EXPECT_EQ(r[5], 4);
  EXPECT_EQ(r[18], 3);
  EXPECT_EQ(r[41], 3);
  EXPECT_EQ(r[42], 9);
  EXPECT_EQ(r[43], 10);
}

TEST_F(ImageFixture, ProfileSettingsDecode) {
  fillProfile(profile);
  auto r = codec::encodeProfileSettings(profile, 2);
  r[13] = 99;     // Y levels on the wire are not read
  r[18] = 0;      // byte 41 overrides byte 18
  r[44] ^= 0xFF;  // the checksum is not checked
  auto other = std::make_unique<settings::Profile>();
  other->dpi[5] = 1;
  other->Sensitivity = 2;
  codec::decodeProfileSettings(r, *other);
  EXPECT_EQ(other->XYSynchronous, 1);
  EXPECT_EQ(other->Sensitivity_X, 7);
  EXPECT_EQ(other->Sensitivity_Y, 9);
  EXPECT_EQ(other->Sensitivity, 2) << "joint sensitivity kept when X and Y are separate";
  EXPECT_EQ(std::vector<int>(other->dpi, other->dpi + 6), (std::vector<int>{1, 0, 1, 1, 0, 1}));
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(other->CpiLevel_X[i], 4 * (i + 1));
    EXPECT_EQ(other->CpiLevel_Y[i], 4 * (i + 1)) << "Y levels follow the X bytes";
  }
  EXPECT_EQ(other->Cpi_X, 3);
  EXPECT_EQ(other->Cpi_Y, 3);
  EXPECT_EQ(other->PollingRate, 2);
  EXPECT_EQ(other->LightInfo[0].OnFlag, 1);
  EXPECT_EQ(other->LightInfo[1].OnFlag, 0) << "a read writes 0 for off";
  EXPECT_EQ(other->LightInfo[3].Blue, 0x63);
  EXPECT_EQ(other->LightInfo[2].ColorIndex, 12);
  EXPECT_EQ(other->LightEffectMode, 3);
  EXPECT_EQ(other->LightColorFlow, 5);
  EXPECT_EQ(other->LightEffectType, 4);
  EXPECT_EQ(other->LightEffectSpeed, 2);
  EXPECT_EQ(other->ASnapFlag, 1);
  EXPECT_EQ(other->SAlignmentFlag, 0);
  EXPECT_EQ(other->ASnap, 1);
  EXPECT_EQ(other->SAlignment, 25);

  r[5] = 6;
  r[3] = 0;
  codec::decodeProfileSettings(r, *other);
  EXPECT_EQ(other->Sensitivity, 6) << "joint sensitivity from byte 5";
  EXPECT_EQ(other->Sensitivity_X, 7);
}

TEST_F(ImageFixture, ButtonsEncodeWithKeyParameters) {
  for (int b = 0; b < 24; ++b)
    profile.MacroKeyInfo[b].FunctionCode = static_cast<std::uint8_t>(b + 1);
  settings::ButtonSlot& key = profile.MacroKeyInfo[4];  // code 5
  key.Events[0] = {0x1E, 0x04, {0, 0}};
  key.EventCount = 1;
  profile.MacroKeyInfo[6].Events[0] = {0x33, 0x44, {0, 0}};  // not code 5: no parameters
  const auto r = codec::encodeButtons(profile, 2);
  Bytes expected = {7, 77, 2};
  for (int b = 0; b < 24; ++b) {
    expected.push_back(static_cast<std::uint8_t>(b + 1));
    expected.push_back(b == 4 ? 0x04 : 0);
    expected.push_back(b == 4 ? 0x1E : 0);
  }
  const auto sum = std::accumulate(expected.begin(), expected.end(), 0) & 0xFFFF;
  expected.push_back(static_cast<std::uint8_t>(sum & 0xFF));
  expected.push_back(static_cast<std::uint8_t>(sum >> 8));
  EXPECT_EQ(bytes(r), expected);
}

TEST_F(ImageFixture, ButtonsDecodeResetsKeySlotsAndRefusesBadChecksum) {
  settings::ButtonSlot& slot = profile.MacroKeyInfo[3];
  settings::setFieldText(slot.Name1, "old");
  settings::setFieldText(slot.Name3, "macro");
  slot.EventCount = 12;
  auto source = std::make_unique<settings::Profile>();
  for (int b = 0; b < 24; ++b) source->MacroKeyInfo[b].FunctionCode = 48;
  source->MacroKeyInfo[3].FunctionCode = 5;
  source->MacroKeyInfo[3].Events[0] = {0x2A, 0x06, {0, 0}};
  auto r = codec::encodeButtons(*source, 2);

  auto corrupt = r;
  corrupt[76] ^= 1;
  const auto before = std::make_unique<settings::Profile>(profile);
  EXPECT_FALSE(codec::decodeButtons(corrupt, profile));
  EXPECT_EQ(std::memcmp(before.get(), &profile, sizeof profile), 0);

  ASSERT_TRUE(codec::decodeButtons(r, profile));
  EXPECT_EQ(profile.MacroKeyInfo[0].FunctionCode, 48);
  EXPECT_EQ(slot.FunctionCode, 5);
  EXPECT_EQ(slot.Events[0].Key, 0x2A);
  EXPECT_EQ(slot.Events[0].Action, 0x06);
  EXPECT_EQ(slot.EventCount, 1);
  EXPECT_EQ(settings::fieldText(slot.Name1), "");
  EXPECT_EQ(settings::fieldText(slot.Name3), "");
}

TEST_F(ImageFixture, MacroEncodeFullMacroFillsEveryEventByte) {
  settings::ButtonSlot& slot = profile.MacroKeyInfo[7];
  slot.MacroOption = 0x1234;
  settings::setFieldText(slot.Name1, "a name longer than twenty-four characters");
  settings::setFieldText(slot.Name2, "short");
  settings::setFieldText(slot.Name3, "Combo");
  slot.EventCount = 500;
  for (int i = 0; i < 500; ++i) {
    slot.Events[i] = {static_cast<std::uint8_t>(i),
                      static_cast<std::uint8_t>(1 + i % 2),
                      {static_cast<std::uint8_t>(i >> 8), 0x7F}};
  }
  const auto r = codec::encodeMacro(slot, 2, 7);
  EXPECT_EQ(r.size(), 2082u);
  EXPECT_EQ((Bytes{r[0], r[1], r[2], r[3], r[4], r[5]}), (Bytes{8, 34, 8, 2, 7, 0x34}));
  EXPECT_EQ(std::string(r.begin() + 6, r.begin() + 30), "a name longer than twent");
  EXPECT_EQ(std::string(r.begin() + 30, r.begin() + 35), "short");
  EXPECT_TRUE(std::all_of(r.begin() + 35, r.begin() + 54, [](auto b) { return b == 0; }));
  EXPECT_EQ(std::string(r.begin() + 54, r.begin() + 59), "Combo");
  EXPECT_EQ(r[78], 500 & 0xFF);
  EXPECT_EQ(r[79], 500 >> 8);
  EXPECT_EQ(std::memcmp(r.data() + 80, slot.Events, 2000), 0);
  EXPECT_EQ(r[2079], 0x7F) << "the last event ends at byte 2079";
  const std::uint16_t sum = checksum16(std::span(r).first(2080));
  EXPECT_EQ(r[2080], sum & 0xFF);
  EXPECT_EQ(r[2081], sum >> 8);

  auto back = std::make_unique<settings::ButtonSlot>();
  ASSERT_TRUE(codec::decodeMacro(r, *back));
  EXPECT_EQ(back->EventCount, 500);
  EXPECT_EQ(std::memcmp(back->Events, slot.Events, 2000), 0);
}

TEST_F(ImageFixture, MacroDecode) {
  settings::ButtonSlot source{};
  source.MacroOption = 3;
  settings::setFieldText(source.Name1, "twenty-four characters!!");  // exactly 24
  settings::setFieldText(source.Name3, "Trail   ");
  source.EventCount = 2;
  source.Events[0] = {4, 1, {10, 0}};
  source.Events[1] = {4, 2, {20, 0}};
  const auto r = codec::encodeMacro(source, 1, 9);

  settings::ButtonSlot& slot = profile.MacroKeyInfo[9];
  slot.FunctionCode = 5;
  slot.EventCount = 3;
  slot.Events[2] = {9, 9, {9, 9}};
  settings::setFieldText(slot.TimerName, "kept");
  ASSERT_TRUE(codec::decodeMacro(r, slot));
  EXPECT_EQ(slot.ButtonNumber, 9);
  EXPECT_EQ(slot.FunctionCode, 48);
  EXPECT_EQ(slot.MacroOption, 3);
  EXPECT_EQ(settings::fieldText(slot.Name1), "twenty-four characters!!");
  EXPECT_EQ(settings::fieldText(slot.Name3), "Trail") << "trailing blanks removed";
  EXPECT_EQ(slot.EventCount, 2);
  EXPECT_EQ(slot.Events[1].delay(), 20);
  EXPECT_EQ(slot.Events[2].Key, 0) << "old events cleared";
  EXPECT_EQ(settings::fieldText(slot.TimerName), "kept");
}

TEST_F(ImageFixture, MacroReadRefusedOnChecksumOrTooManyEvents) {
  settings::ButtonSlot source{};
  source.EventCount = 1;
  auto r = codec::encodeMacro(source, 0, 0);
  settings::ButtonSlot& slot = profile.MacroKeyInfo[0];
  slot.FunctionCode = 15;
  settings::setFieldText(slot.Name3, "keep me");
  const auto before = std::make_unique<settings::ButtonSlot>(slot);

  auto corrupt = r;
  corrupt[100] ^= 0x10;
  EXPECT_FALSE(codec::decodeMacro(corrupt, slot));
  writeU16(r, kMacroCountOffset, 501);
  sealChecksum(r);
  EXPECT_FALSE(codec::decodeMacro(r, slot)) << "more than 500 events is a failed read";
  EXPECT_EQ(std::memcmp(before.get(), &slot, sizeof slot), 0);
}

TEST_F(ImageFixture, TrackingControlCommands) {
  image->LiftOnFlag = 2;
  image->TrackControlFlag = 1;
  codec::Calibration cal{77, 1};
  EXPECT_EQ(bytes(codec::encodeTrackingControl(*image, cal, 0)), (Bytes{15, 6, 2, 1, 77, 1}));
  EXPECT_EQ(bytes(codec::encodeTrackingControl(*image, cal, 253)), (Bytes{15, 6, 2, 255, 255, 0}));
  EXPECT_EQ(bytes(codec::encodeTrackingControl(*image, cal, 254)), (Bytes{15, 6, 2, 255, 255, 1}));
  EXPECT_EQ(bytes(codec::encodeTrackingControl(*image, cal, 255)),
            (Bytes{15, 6, 2, 255, 255, 255}));

  const std::pair<int, codec::Calibration> steps[] = {
      {1, {77, 0}}, {2, {77, 1}}, {3, {0, 0}}, {4, {0, 2}}};
  for (const auto& [command, expected] : steps) {
    codec::Calibration c{77, 5};
    codec::applyCalibrationCommand(c, command);
    EXPECT_EQ(c.value, expected.value) << command;
    EXPECT_EQ(c.state, expected.state) << command;
  }

  codec::Calibration read;
  codec::decodeTrackingControl(Bytes{15, 6, 3, 0, 120, 2}, *image, read);
  EXPECT_EQ(image->LiftOnFlag, 3);
  EXPECT_EQ(image->TrackControlFlag, 0);
  EXPECT_EQ(read.value, 120);
  EXPECT_EQ(read.state, 2);
}

TEST(ReportBytes, SensorImageMean) {
  Bytes r(kSensorImageLength, 0);
  r[0] = 12;
  for (std::size_t i = 0; i < 900; ++i) r[3 + i] = static_cast<std::uint8_t>(i % 256);
  r[903] = 255;  // past the image: not counted
  const auto image = codec::decodeSensorImage(r);
  long sum = 0;
  for (std::size_t i = 0; i < 900; ++i) sum += static_cast<long>(i % 256);
  EXPECT_EQ(image.mean, sum / 900);
  EXPECT_EQ(image.pixels[899], 899 % 256);
}

TEST(ReportBytes, ColourDatabaseOf2049BytesIsThreeBlocks) {
  Bytes file(2049);
  for (std::size_t i = 0; i < file.size(); ++i) file[i] = static_cast<std::uint8_t>(i * 7);
  ASSERT_EQ(codec::colourBlockCount(file.size()), 3u);
  EXPECT_EQ(codec::colourBlockCount(0), 0u);
  EXPECT_EQ(codec::colourBlockCount(1024), 1u);
  for (std::size_t k = 0; k < 3; ++k) {
    const auto r = codec::encodeColourBlock(file, k);
    EXPECT_EQ(r[0], 26);
    EXPECT_EQ(readU16(r, 1), k);
    EXPECT_TRUE(checksumMatches(r));
    EXPECT_EQ(r[3], file[k * 1024]);
  }
  const auto last = codec::encodeColourBlock(file, 2);
  EXPECT_TRUE(std::all_of(last.begin() + 4, last.begin() + 1027, [](auto b) { return b == 0; }))
      << "one file byte, then 1023 zeros";
  const std::uint16_t expected = static_cast<std::uint16_t>(26 + 2 + file[2048]);
  EXPECT_EQ(readU16(last, 1027), expected);
}
