#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <unordered_map>
#include <vector>

#include "ThreadQueue.h"
#include "WindowRecord.h"

namespace platform::detail {

// The windows and thread queues of this process. The one piece of global
// state of the message layer; a child after fork starts with an empty table.
class WindowTable {
 public:
  static WindowTable& instance();

  // The calling thread's queue, created on first use.
  std::shared_ptr<ThreadQueue> currentQueue();
  std::shared_ptr<ThreadQueue> queueOf(ThreadId thread);

  HWND newHandle();
  // getpid() without a system call; follows fork.
  pid_t processId() const { return pid_; }
  void add(const std::shared_ptr<WindowRecord>& window);
  std::shared_ptr<WindowRecord> find(HWND hwnd);
  void remove(HWND hwnd);
  std::vector<std::shared_ptr<WindowRecord>> windows();
  std::vector<std::shared_ptr<WindowRecord>> windowsOf(ThreadId thread);
  void forEachQueue(const std::function<void(ThreadQueue&)>& fn);

  // Called when a thread ends: its windows go away, its queue refuses more.
  void endThread(const std::shared_ptr<ThreadQueue>& queue);
  void resetAfterFork();

 private:
  WindowTable();
  std::mutex mutex_;
  std::unordered_map<HWND, std::shared_ptr<WindowRecord>> windows_;
  std::unordered_map<ThreadId, std::weak_ptr<ThreadQueue>> queues_;
  std::uint32_t nextSerial_ = 1;
  pid_t pid_;
};

// Removes a window of the calling thread: its timers, sockets and files.
// Does not call the handler.
void releaseWindow(const std::shared_ptr<WindowRecord>& window, ThreadQueue& owner);

}  // namespace platform::detail

namespace platform::detail {

// Runs the handler of a window owned by the calling thread; nullopt when no
// such window is alive here.
std::optional<LRESULT> callHandler(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace platform::detail

namespace platform::detail {

// A synchronous message to a window of this process, from any thread: runs
// the handler directly on the owner thread, or hands it over and waits.
std::optional<LRESULT> sendToLocalWindow(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace platform::detail
