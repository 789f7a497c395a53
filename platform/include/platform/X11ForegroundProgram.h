#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/ForegroundProgram.h"

namespace platform {

namespace detail {
class XcbConnection;
}

// The active window of an X desktop (_NET_ACTIVE_WINDOW), its process
// (_NET_WM_PID) and that process's executable. Without a display, or with a
// window manager that does not say, there is no foreground program. The
// display is reached on first use and again after it went away.
class X11ForegroundProgram : public ForegroundProgram {
 public:
  // display as in $DISPLAY (the default); empty: no X.
  X11ForegroundProgram();
  explicit X11ForegroundProgram(std::string display);
  ~X11ForegroundProgram() override;

  std::optional<std::string> executablePath() override;

 private:
  detail::XcbConnection* display();
  std::string displayName_;
  std::unique_ptr<detail::XcbConnection> connection_;
  std::uint32_t activeWindowAtom_ = 0;
  std::uint32_t pidAtom_ = 0;
};

}  // namespace platform
