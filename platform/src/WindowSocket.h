#pragma once

#include <sys/types.h>

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "WireFrame.h"
#include "platform/Types.h"

// The files of the message layer in the runtime folder:
//   w<handle hex>               the socket of a window (every window has one)
//   t<title hash>-<handle hex>  a symlink naming the window's title, so that
//                               FindWindow can look a title up by its hash
//   p<handle hex>               a symlink naming the owner's pid; made first,
//                               it claims the handle within the session
// A file whose process died is removed by whoever comes across it.
namespace platform::detail {

// The process that holds the handle in this session; 0 when none does.
pid_t processOf(HWND hwnd);
bool processAlive(pid_t pid);
std::string lowerAscii(std::string_view s);
bool sameTitle(std::string_view a, std::string_view b);

// Creates the socket and title link of a window of this process; -1 when the
// runtime folder cannot be used, kHandleTaken when a live window of another
// process holds the handle.
inline constexpr int kHandleTaken = -2;
int listenForWindow(HWND hwnd, std::string_view title);
void removeWindowFiles(HWND hwnd, bool titled);
// Connected, non-blocking socket to the window, checked to belong to this
// user; -1 when the window is gone (its leftovers are cleaned up).
int connectToWindow(HWND hwnd);
// Accepted connections from another user are refused.
bool peerIsThisUser(int fd);

// Windows of other processes of the user.
std::vector<HWND> windowsTitled(std::string_view title);
std::vector<HWND> allOtherWindows();
std::optional<std::string> titleOfOtherWindow(HWND hwnd);

// Writes a frame; with wait false gives EAGAIN back as false with
// errno == EAGAIN.
bool writeFrame(int fd, const WireFrame& frame, std::span<const std::byte> data);

}  // namespace platform::detail
