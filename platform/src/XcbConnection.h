#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

struct xcb_connection_t;

namespace platform::detail {

// A connection to an X display through libxcb, loaded at run time: with no
// library, no display named, or a display that does not answer, open()
// gives nothing and callers carry on without X. Errors come back per
// request, so nothing here can end the program the way Xlib's default error
// handler would.
class XcbConnection {
 public:
  // display: as in $DISPLAY; empty means no X.
  static std::unique_ptr<XcbConnection> open(const std::string& display);
  ~XcbConnection();
  XcbConnection(const XcbConnection&) = delete;
  XcbConnection& operator=(const XcbConnection&) = delete;

  bool broken() const;
  std::uint32_t root() const { return root_; }
  std::uint32_t atom(const char* name);
  // The first 32-bit item of a window property of the given type.
  std::optional<std::uint32_t> property32(std::uint32_t window, std::uint32_t property,
                                          std::uint32_t type);

  struct PointerControl {
    int numerator = 1, denominator = 1, threshold = 0;
  };
  bool setPointerControl(const PointerControl& control);
  std::optional<PointerControl> pointerControl();

 private:
  XcbConnection() = default;
  xcb_connection_t* connection_ = nullptr;
  std::uint32_t root_ = 0;
};

}  // namespace platform::detail
