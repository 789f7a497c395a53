#include "mousesim/UhidMouse.h"

#include <cerrno>
#include <cstddef>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "mousesim/UhidDescriptor.h"

namespace mousesim {
namespace {

// The kernel's event layout is a wire format between this process and it.
static_assert(offsetof(uhid_event, u) == 4);
static_assert(offsetof(uhid_create2_req, rd_size) == 256);
static_assert(offsetof(uhid_create2_req, rd_data) == 276);
static_assert(offsetof(uhid_get_report_reply_req, data) == 8);
static_assert(offsetof(uhid_set_report_req, data) == 8);
static_assert(offsetof(uhid_input2_req, data) == 2);

constexpr std::uint16_t kBusUsb = 0x03;  // BUS_USB: the mouse is a USB device

void copyName(std::uint8_t* field, std::size_t size, const std::string& text) {
  std::memset(field, 0, size);
  std::memcpy(field, text.data(), std::min(text.size(), size - 1));
}

std::unique_ptr<uhid_event> blankEvent(std::uint32_t type) {
  auto event = std::make_unique<uhid_event>();
  std::memset(event.get(), 0, sizeof *event);
  event->type = type;
  return event;
}

}  // namespace

UhidMouse::UhidMouse(MouseModel& model, UhidIo& io, std::uint16_t vendor, std::uint16_t product)
    : model_(model), io_(io), vendor_(vendor), product_(product) {}

UhidMouse::~UhidMouse() { destroy(); }

bool UhidMouse::create() {
  if (created_) return true;
  const std::vector<std::uint8_t> descriptor = configurationReportDescriptor();
  auto event = blankEvent(UHID_CREATE2);
  uhid_create2_req& c = event->u.create2;
  static_assert(sizeof c.rd_data >= 512);
  if (descriptor.size() > sizeof c.rd_data) return false;
  copyName(c.name, sizeof c.name, "Vesk simulated mouse");
  copyName(c.phys, sizeof c.phys, "vesk-mouse-sim");
  copyName(c.uniq, sizeof c.uniq, "");
  c.rd_size = static_cast<std::uint16_t>(descriptor.size());
  c.bus = kBusUsb;
  c.vendor = vendor_;
  c.product = product_;
  c.version = model_.memory().firmwareVersion;
  std::memcpy(c.rd_data, descriptor.data(), descriptor.size());
  created_ = io_.write(*event);
  return created_;
}

void UhidMouse::destroy() {
  if (!created_) return;
  io_.write(*blankEvent(UHID_DESTROY));
  created_ = false;
}

void UhidMouse::plugged(bool plugged) {
  if (answering_) {
    deferredPlug_ = plugged;
    return;
  }
  if (plugged) {
    create();
  } else {
    destroy();
  }
}

void UhidMouse::event(std::uint16_t type, std::uint16_t value) {
  if (!created_) return;
  auto event = blankEvent(UHID_INPUT2);
  uhid_input2_req& in = event->u.input2;
  in.size = kEventInputReportLength;
  in.data[0] = kEventInputReportId;
  in.data[1] = static_cast<std::uint8_t>(type & 0xFF);
  in.data[2] = static_cast<std::uint8_t>(type >> 8);
  in.data[3] = static_cast<std::uint8_t>(value & 0xFF);
  in.data[4] = static_cast<std::uint8_t>(value >> 8);
  io_.write(*event);
}

void UhidMouse::serve() {
  auto request = std::make_unique<uhid_event>();
  while (io_.read(*request)) handle(*request);
}

void UhidMouse::handle(const uhid_event& request) {
  answering_ = true;
  switch (request.type) {
    case UHID_GET_REPORT:
      answerGet(request.u.get_report);
      break;
    case UHID_SET_REPORT:
      answerSet(request.u.set_report);
      break;
    default:  // start, stop, open, close, output: nothing to answer
      break;
  }
  answering_ = false;
  if (const auto plug = std::exchange(deferredPlug_, std::nullopt)) plugged(*plug);
}

void UhidMouse::answerGet(const uhid_get_report_req& request) {
  auto reply = blankEvent(UHID_GET_REPORT_REPLY);
  uhid_get_report_reply_req& r = reply->u.get_report_reply;
  r.id = request.id;
  const std::size_t length =
      request.rtype == UHID_FEATURE_REPORT ? featureReadLength(request.rnum) : 0;
  bool ok = false;
  if (length > 0 && length <= sizeof r.data) {
    // The answer starts with the report id, as the model expects it.
    r.data[0] = request.rnum;
    ok = model_.getFeature({r.data, length});
  }
  if (ok) {
    r.size = static_cast<std::uint16_t>(length);
    ++answered_;
  } else {
    std::memset(r.data, 0, sizeof r.data);
    r.err = EIO;
    ++refused_;
  }
  io_.write(*reply);
}

void UhidMouse::answerSet(const uhid_set_report_req& request) {
  auto reply = blankEvent(UHID_SET_REPORT_REPLY);
  uhid_set_report_reply_req& r = reply->u.set_report_reply;
  r.id = request.id;
  // The data is the report as the program wrote it, id byte first.
  const bool ok = request.rtype == UHID_FEATURE_REPORT && request.size > 0 &&
                  request.size <= sizeof request.data && request.data[0] == request.rnum &&
                  model_.setFeature({request.data, request.size});
  if (ok) {
    ++answered_;
  } else {
    r.err = EIO;
    ++refused_;
  }
  io_.write(*reply);
}

}  // namespace mousesim
