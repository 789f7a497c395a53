#pragma once

#include <cstddef>
#include <span>

namespace monitor {

// A page-aligned buffer, locked in memory where the system allows it, so
// that a sound played from it is never paged out halfway.
class LockedBuffer {
 public:
  LockedBuffer() = default;
  ~LockedBuffer();
  LockedBuffer(const LockedBuffer&) = delete;
  LockedBuffer& operator=(const LockedBuffer&) = delete;

  // Makes room for at least size bytes; a larger buffer is kept as it is.
  // False when memory ran out (the buffer is then empty).
  bool reserve(std::size_t size);
  void release();
  std::span<std::byte> bytes() { return {data_, capacity_}; }
  std::size_t capacity() const { return capacity_; }
  bool pageAligned() const;

 private:
  std::byte* data_ = nullptr;
  std::size_t capacity_ = 0;
};

}  // namespace monitor
