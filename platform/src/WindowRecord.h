#pragma once

#include <sys/types.h>

#include <atomic>
#include <memory>
#include <string>

#include "platform/Window.h"

namespace platform::detail {

class ThreadQueue;

// A window of this process as the message layer keeps it.
struct WindowRecord {
  HWND hwnd = kNoWindow;
  std::string title;
  WindowHandler handler;
  ThreadId ownerThread = 0;
  std::weak_ptr<ThreadQueue> owner;
  std::atomic<bool> alive{true};
  std::atomic<bool> destroying{false};
  // Key of the listening socket in the owner's loop; 0 while it has none.
  std::uint64_t listenKey = 0;
};

}  // namespace platform::detail
