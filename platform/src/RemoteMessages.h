#pragma once

#include <optional>

#include "ThreadQueue.h"

// Messages to windows of other processes, over their sockets.
namespace platform::detail {

bool postRemote(ThreadQueue& self, HWND target, UINT msg, WPARAM wParam, LPARAM lParam);
// WM_COPYDATA with a non-null lParam carries the COPYDATASTRUCT's bytes.
std::optional<LRESULT> sendRemote(ThreadQueue& self, HWND target, UINT msg, WPARAM wParam,
                                  LPARAM lParam);
// Whether a connection to the window can be had (and keeps it for later).
bool remoteWindowReachable(ThreadQueue& self, HWND target);

}  // namespace platform::detail
