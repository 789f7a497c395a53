#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

// Named shared memory of an exact size, private to the user (0600) and to the
// desktop session (the runtime folder): two sessions never meet.
//
// The memory lives while its creator lives and while any handle still maps
// it; the last handle removes the name. create() after the creator died takes
// the memory over (zeroed when nobody maps it any more), so a crashed Monitor
// never keeps its successor from starting.
namespace platform {

namespace detail {
class SharedObject;
}

class SharedMemory {
 public:
  // Creates the named memory (or opens it when a live creator already has it:
  // then alreadyExisted() is true, as the system reports it). nullptr on
  // failure, among others a size of 0 or an existing object of another size.
  static std::unique_ptr<SharedMemory> create(std::string_view name, std::size_t size);
  // Opens existing memory; nullptr when there is none (no live creator) or
  // its size differs.
  static std::unique_ptr<SharedMemory> open(std::string_view name, std::size_t size);
  ~SharedMemory();
  SharedMemory(const SharedMemory&) = delete;
  SharedMemory& operator=(const SharedMemory&) = delete;

  std::byte* data() const { return data_; }
  std::size_t size() const { return size_; }
  bool alreadyExisted() const { return alreadyExisted_; }
  // True for the handle that created (or took over) the memory.
  bool owner() const { return owner_; }

 private:
  SharedMemory() = default;
  std::unique_ptr<detail::SharedObject> object_;
  std::byte* data_ = nullptr;
  std::size_t size_ = 0;
  bool alreadyExisted_ = false;
  bool owner_ = false;
};

}  // namespace platform
