#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "mousesim/DeviceLink.h"
#include "mousesim/MouseModel.h"
#include "mousesim/UhidIo.h"

namespace mousesim {

// The simulated mouse as a HID device of the kernel, through uhid: the kernel
// makes a hidraw node of it, forwards feature report reads and writes of the
// programs to the firmware model and delivers its events as input reports.
// Unplugging the model removes the device; plugging it in creates it again.
class UhidMouse : public DeviceLink {
 public:
  UhidMouse(MouseModel& model, UhidIo& io, std::uint16_t vendor, std::uint16_t product);
  ~UhidMouse() override;
  UhidMouse(const UhidMouse&) = delete;
  UhidMouse& operator=(const UhidMouse&) = delete;

  // Announces the device to the kernel (UHID_CREATE2).
  bool create();
  // Takes it away (UHID_DESTROY); nothing when it is not there.
  void destroy();
  bool created() const { return created_; }

  // Answers what the kernel has sent until nothing is left to read.
  void serve() override;
  // One request of the kernel; answers it when it needs an answer.
  void handle(const uhid_event& request);

  int fd() const override { return io_.fd(); }
  void event(std::uint16_t type, std::uint16_t value) override;
  void plugged(bool plugged) override;

  // The kernel's requests answered so far, and those refused.
  int answered() const { return answered_; }
  int refused() const { return refused_; }

 private:
  void answerGet(const uhid_get_report_req& request);
  void answerSet(const uhid_set_report_req& request);

  MouseModel& model_;
  UhidIo& io_;
  std::uint16_t vendor_;
  std::uint16_t product_;
  bool created_ = false;
  // A plug change the model makes while answering a request (unplug after N
  // reports) takes effect once the answer is out, as on the wire.
  bool answering_ = false;
  std::optional<bool> deferredPlug_;
  int answered_ = 0;
  int refused_ = 0;
};

}  // namespace mousesim
