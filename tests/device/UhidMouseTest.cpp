// The simulated mouse as the kernel's uhid device, with a stand-in for
// /dev/uhid: what it declares, how it answers the kernel's report requests,
// and how events and plug changes reach the kernel.
#include "mousesim/UhidMouse.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <vector>

#include "device/ReportCodec.h"
#include "device/Reports.h"
#include "mousesim/UhidDescriptor.h"
#include "portkit/EventReport.h"
#include "portkit/HidrawNode.h"

using namespace device;
using mousesim::MouseModel;
using mousesim::UhidMouse;

namespace {

// Keeps what the mouse wrote and hands it the requests a test queues.
class FakeUhid : public mousesim::UhidIo {
 public:
  int fd() const override { return -1; }
  bool write(const uhid_event& event) override {
    written.push_back(std::make_unique<uhid_event>(event));
    return acceptWrites;
  }
  bool read(uhid_event& event) override {
    if (pending.empty()) return false;
    event = *pending.front();
    pending.pop_front();
    return true;
  }
  std::vector<std::uint32_t> writtenTypes() const {
    std::vector<std::uint32_t> types;
    for (const auto& e : written) types.push_back(e->type);
    return types;
  }

  std::vector<std::unique_ptr<uhid_event>> written;
  std::deque<std::unique_ptr<uhid_event>> pending;
  bool acceptWrites = true;
};

std::unique_ptr<uhid_event> getRequest(std::uint32_t id, std::uint8_t report,
                                       std::uint8_t type = UHID_FEATURE_REPORT) {
  auto e = std::make_unique<uhid_event>();
  std::memset(e.get(), 0, sizeof *e);
  e->type = UHID_GET_REPORT;
  e->u.get_report = {id, report, type};
  return e;
}

std::unique_ptr<uhid_event> setRequest(std::uint32_t id, std::span<const std::uint8_t> data,
                                       std::uint8_t type = UHID_FEATURE_REPORT) {
  auto e = std::make_unique<uhid_event>();
  std::memset(e.get(), 0, sizeof *e);
  e->type = UHID_SET_REPORT;
  e->u.set_report.id = id;
  e->u.set_report.rnum = data.empty() ? 0 : data[0];
  e->u.set_report.rtype = type;
  e->u.set_report.size = static_cast<std::uint16_t>(data.size());
  if (!data.empty()) std::memcpy(e->u.set_report.data, data.data(), data.size());
  return e;
}

// Walks a report descriptor's short items: report id -> bytes (id included)
// of its feature and input reports.
struct DeclaredReports {
  std::map<int, std::size_t> feature;
  std::map<int, std::size_t> input;
};
DeclaredReports declaredReports(const std::vector<std::uint8_t>& d) {
  DeclaredReports out;
  std::uint32_t size = 0, count = 0;
  int id = 0;
  for (std::size_t i = 0; i < d.size();) {
    const std::uint8_t prefix = d[i];
    const std::size_t n = (prefix & 3) == 3 ? 4 : (prefix & 3);
    EXPECT_LE(i + 1 + n, d.size()) << "item runs past the end";
    std::uint32_t value = 0;
    for (std::size_t k = 0; k < n && i + 1 + k < d.size(); ++k) value |= d[i + 1 + k] << (8 * k);
    switch (prefix & 0xFC) {
      case 0x74:
        size = value;
        break;
      case 0x94:
        count = value;
        break;
      case 0x84:
        id = static_cast<int>(value);
        break;
      case 0xB0:
        out.feature[id] += size * count / 8;
        break;
      case 0x80:
        out.input[id] += size * count / 8;
        break;
    }
    i += 1 + n;
  }
  for (auto* m : {&out.feature, &out.input}) {
    for (auto& [rid, bytes] : *m) bytes += 1;  // the id byte
  }
  return out;
}

struct UhidMouseTest : ::testing::Test {
  MouseModel model;
  FakeUhid io;
  UhidMouse mouse{model, io, 0x1209, 0x0001};

  void SetUp() override {
    model.setEventSink([this](std::uint16_t t, std::uint16_t v) { mouse.event(t, v); });
    model.setPlugSink([this](bool p) { mouse.plugged(p); });
  }
  const uhid_event& last() const { return *io.written.back(); }
  // One request through serve(), as the simulator's loop hands it over.
  const uhid_event& exchange(std::unique_ptr<uhid_event> request) {
    io.pending.push_back(std::move(request));
    const std::size_t before = io.written.size();
    mouse.serve();
    EXPECT_EQ(io.written.size(), before + 1) << "one answer per request";
    return *io.written[before];
  }
};

}  // namespace

TEST(UhidDescriptorTest, DeclaresEveryProtocolReportWithItsLength) {
  const auto descriptor = mousesim::configurationReportDescriptor();
  EXPECT_LE(descriptor.size(), sizeof(uhid_create2_req::rd_data));
  const DeclaredReports declared = declaredReports(descriptor);
  const std::map<int, std::size_t> expected = {{kSelectReport, 3},
                                               {kCurrentProfileReport, 3},
                                               {kProfileSettingsReport, 46},
                                               {kButtonsReport, 77},
                                               {kMacroReport, 2082},
                                               {kVersionReport, 6},
                                               {kSensorImageReport, 1028},
                                               {kHostActiveReport, 3},
                                               {kTrackingReport, 6},
                                               {kLightCommandReport, 16},
                                               {kColourBlockReport, 1029},
                                               {27, 1026},
                                               {28, 3}};
  EXPECT_EQ(declared.feature, expected);
  EXPECT_EQ(declared.input, (std::map<int, std::size_t>{{0x20, 5}}));
  for (const auto& [id, length] : expected) {
    EXPECT_EQ(mousesim::featureReadLength(static_cast<std::uint8_t>(id)), length) << id;
  }
  EXPECT_EQ(mousesim::featureReadLength(0x20), 0u);
  EXPECT_EQ(mousesim::featureReadLength(0), 0u);
  // The device access library picks the interface that declares features.
  EXPECT_TRUE(portkit::declaresFeatureReports(descriptor));
}

TEST_F(UhidMouseTest, CreatesOnceWithItsIdentityAndDestroysOnUnplug) {
  ASSERT_TRUE(mouse.create());
  ASSERT_TRUE(mouse.create());
  ASSERT_EQ(io.writtenTypes(), (std::vector<std::uint32_t>{UHID_CREATE2}));
  const uhid_create2_req& c = last().u.create2;
  EXPECT_EQ(c.vendor, 0x1209u);
  EXPECT_EQ(c.product, 0x0001u);
  EXPECT_EQ(c.bus, 0x03);
  const auto descriptor = mousesim::configurationReportDescriptor();
  ASSERT_EQ(c.rd_size, descriptor.size());
  EXPECT_EQ(std::memcmp(c.rd_data, descriptor.data(), descriptor.size()), 0);
  EXPECT_STRNE(reinterpret_cast<const char*>(c.name), "");

  model.unplug();
  EXPECT_FALSE(mouse.created());
  model.emitEvent(0x2000, 1);  // nothing reaches a removed device
  model.plug();
  EXPECT_EQ(io.writtenTypes(),
            (std::vector<std::uint32_t>{UHID_CREATE2, UHID_DESTROY, UHID_CREATE2}));

  UhidMouse refused(model, io, 1, 2);
  io.acceptWrites = false;
  EXPECT_FALSE(refused.create());
  EXPECT_FALSE(refused.created());
}

TEST_F(UhidMouseTest, AnswersTheKernelsReadsAndWritesFromTheModel) {
  ASSERT_TRUE(mouse.create());
  MouseModel twin;  // the same firmware, spoken to directly

  const uhid_event& version = exchange(getRequest(7, kVersionReport));
  ASSERT_EQ(version.type, UHID_GET_REPORT_REPLY);
  EXPECT_EQ(version.u.get_report_reply.id, 7u);
  EXPECT_EQ(version.u.get_report_reply.err, 0);
  ASSERT_EQ(version.u.get_report_reply.size, kVersionLength);
  std::array<std::uint8_t, kVersionLength> direct{kVersionReport};
  ASSERT_TRUE(twin.getFeature(direct));
  EXPECT_EQ(std::memcmp(version.u.get_report_reply.data, direct.data(), direct.size()), 0);

  // A write passes through whole, id byte first; the read after it gives
  // what the model gives.
  const auto select = codec::encodeSelect(2, kSelectButtons);
  const uhid_event& written = exchange(setRequest(8, select));
  ASSERT_EQ(written.type, UHID_SET_REPORT_REPLY);
  EXPECT_EQ(written.u.set_report_reply.id, 8u);
  EXPECT_EQ(written.u.set_report_reply.err, 0);
  ASSERT_TRUE(twin.setFeature(select));
  const uhid_event& buttons = exchange(getRequest(9, kButtonsReport));
  ASSERT_EQ(buttons.u.get_report_reply.size, kButtonsLength);
  std::array<std::uint8_t, kButtonsLength> twinButtons{kButtonsReport};
  ASSERT_TRUE(twin.getFeature(twinButtons));
  EXPECT_EQ(std::memcmp(buttons.u.get_report_reply.data, twinButtons.data(), kButtonsLength), 0);

  // The longest reads fit and come back whole.
  const std::array<std::uint8_t, 4> capture = {kSensorImageReport, 4, 0, 0};
  EXPECT_EQ(exchange(setRequest(10, capture)).u.set_report_reply.err, 0);
  EXPECT_EQ(exchange(getRequest(11, kSensorImageReport)).u.get_report_reply.size,
            kSensorImageLength);
  EXPECT_EQ(mouse.refused(), 0);
  EXPECT_EQ(mouse.answered(), 5);
}

TEST_F(UhidMouseTest, RefusedTransfersAreAnsweredWithAnErrorNotLeftWaiting) {
  ASSERT_TRUE(mouse.create());
  model.failGet(kVersionReport, 1);
  model.failSet(kCurrentProfileReport, 1);
  const std::array<std::uint8_t, 3> profile = {kCurrentProfileReport, 3, 1};
  const std::array<std::uint8_t, 3> mislabelled = {kSelectReport, 0, 0x80};

  std::vector<std::unique_ptr<uhid_event>> requests;
  requests.push_back(getRequest(1, kVersionReport));  // the model fails it
  requests.push_back(setRequest(2, profile));         // the model fails it
  requests.push_back(getRequest(3, 0x33));            // no such report
  requests.push_back(getRequest(4, kVersionReport, UHID_INPUT_REPORT));
  requests.push_back(setRequest(5, profile, UHID_OUTPUT_REPORT));
  auto wrongId = setRequest(6, mislabelled);
  wrongId->u.set_report.rnum = kCurrentProfileReport;  // data says otherwise
  requests.push_back(std::move(wrongId));
  requests.push_back(setRequest(7, {}));
  for (auto& r : requests) {
    const uhid_event& reply = exchange(std::move(r));
    if (reply.type == UHID_GET_REPORT_REPLY) {
      EXPECT_EQ(reply.u.get_report_reply.err, EIO) << reply.u.get_report_reply.id;
      EXPECT_EQ(reply.u.get_report_reply.size, 0);
    } else {
      ASSERT_EQ(reply.type, UHID_SET_REPORT_REPLY);
      EXPECT_EQ(reply.u.set_report_reply.err, EIO) << reply.u.set_report_reply.id;
    }
  }
  EXPECT_EQ(mouse.refused(), 7);
  EXPECT_EQ(model.memory().currentProfile, 0) << "a refused write changes nothing";
  // The fault was for one transfer only.
  EXPECT_EQ(exchange(getRequest(8, kVersionReport)).u.get_report_reply.err, 0);
}

TEST_F(UhidMouseTest, EventsGoOutAsInputReportsTheLibraryReads) {
  ASSERT_TRUE(mouse.create());
  ASSERT_TRUE(model.press(22));  // factory "Profile Up" of the shift layer
  ASSERT_EQ(last().type, UHID_INPUT2);
  const uhid_input2_req& in = last().u.input2;
  ASSERT_EQ(in.size, mousesim::kEventInputReportLength);
  const auto event = portkit::parseEventReport({in.data, in.size});
  ASSERT_TRUE(event);
  EXPECT_EQ(event->type, 0x2000);
  EXPECT_EQ(event->value, 2);  // the profile now current, counted from 1

  mouse.event(0xE500, 0xBEEF);
  const auto raw = portkit::parseEventReport({last().u.input2.data, last().u.input2.size});
  ASSERT_TRUE(raw);
  EXPECT_EQ(raw->type, 0xE500);
  EXPECT_EQ(raw->value, 0xBEEF);
}

TEST_F(UhidMouseTest, UnplugDuringARequestAnswersItFirstThenRemovesTheDevice) {
  ASSERT_TRUE(mouse.create());
  model.unplugAfter(1);
  io.pending.push_back(getRequest(1, kVersionReport));
  io.pending.push_back(getRequest(2, kVersionReport));
  mouse.serve();
  ASSERT_EQ(io.writtenTypes(), (std::vector<std::uint32_t>{UHID_CREATE2, UHID_GET_REPORT_REPLY,
                                                           UHID_DESTROY, UHID_GET_REPORT_REPLY}));
  EXPECT_EQ(io.written[1]->u.get_report_reply.err, 0);
  EXPECT_EQ(io.written[3]->u.get_report_reply.err, EIO) << "the mouse is gone";
  EXPECT_FALSE(mouse.created());
  model.plug();
  EXPECT_TRUE(mouse.created());
}
