#pragma once

#include <atomic>
#include <cstddef>
#include <memory>
#include <vector>

#include "platform/Types.h"

namespace platform::detail {

class ThreadQueue;

// A synchronous message from another thread of this process, waiting to be
// handled by the receiver's thread. The sender waits until state leaves
// kWaiting; the receiver wakes it.
struct PendingSend {
  static constexpr int kWaiting = 0;
  static constexpr int kDone = 1;
  static constexpr int kFailed = 2;

  HWND hwnd = kNoWindow;
  UINT msg = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  std::shared_ptr<ThreadQueue> sender;
  LRESULT result = 0;
  std::atomic<int> state{kWaiting};
};

}  // namespace platform::detail
