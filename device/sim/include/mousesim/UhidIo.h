#pragma once

#include <linux/uhid.h>

#include <memory>
#include <string>

namespace mousesim {

// The calls the uhid transport makes on /dev/uhid, so that tests can stand
// in for the kernel. One call moves one whole struct uhid_event.
class UhidIo {
 public:
  virtual ~UhidIo() = default;
  // Readable when read() has an event; -1 when there is nothing to poll.
  virtual int fd() const = 0;
  virtual bool write(const uhid_event& event) = 0;
  // False when no event is waiting or the device failed.
  virtual bool read(uhid_event& event) = 0;
};

// /dev/uhid (or another path); nullptr and a reason when it cannot be opened.
std::unique_ptr<UhidIo> openUhid(const std::string& path, std::string* error);

}  // namespace mousesim
