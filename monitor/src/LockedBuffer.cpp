#include "monitor/LockedBuffer.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace monitor {
namespace {
std::size_t pageSize() { return static_cast<std::size_t>(sysconf(_SC_PAGESIZE)); }
}  // namespace

LockedBuffer::~LockedBuffer() { release(); }

bool LockedBuffer::reserve(std::size_t size) {
  if (size <= capacity_) return true;
  release();
  const std::size_t page = pageSize();
  const std::size_t rounded = (size + page - 1) / page * page;
  void* memory = mmap(nullptr, rounded, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (memory == MAP_FAILED) return false;
  // Locking can fail under a small RLIMIT_MEMLOCK; the sound still plays.
  mlock(memory, rounded);
  data_ = static_cast<std::byte*>(memory);
  capacity_ = rounded;
  return true;
}

void LockedBuffer::release() {
  if (!data_) return;
  munlock(data_, capacity_);
  munmap(data_, capacity_);
  data_ = nullptr;
  capacity_ = 0;
}

bool LockedBuffer::pageAligned() const {
  return data_ && reinterpret_cast<std::uintptr_t>(data_) % pageSize() == 0;
}

}  // namespace monitor
