#include "monitor/ScrollBackend.h"

namespace monitor {

ScrollBackend chooseScrollBackend(bool xDisplay, bool waylandSession, bool uinputWritable) {
  if (waylandSession) return uinputWritable ? ScrollBackend::Uinput : ScrollBackend::Off;
  return xDisplay ? ScrollBackend::X11 : ScrollBackend::Off;
}

const char* scrollOffReason(bool xDisplay, bool waylandSession, bool uinputWritable) {
  if (chooseScrollBackend(xDisplay, waylandSession, uinputWritable) != ScrollBackend::Off)
    return "";
  if (waylandSession)
    return "Wayland session without write access to /dev/uinput (install "
           "70-vesk-uinput.rules); the tilt wheel does not scroll windows";
  return "no X display; the tilt wheel does not scroll windows";
}

}  // namespace monitor
