#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

// Named shared memory of an exact size, private to the user (0600).
namespace platform {

class SharedMemory {
 public:
  // Creates the named memory (or opens it when it already exists: then
  // alreadyExisted() is true, as the system reports it). nullptr on failure.
  static std::unique_ptr<SharedMemory> create(std::string_view name, std::size_t size);
  // Opens existing memory; nullptr when there is none or its size differs.
  static std::unique_ptr<SharedMemory> open(std::string_view name, std::size_t size);
  ~SharedMemory();
  SharedMemory(const SharedMemory&) = delete;
  SharedMemory& operator=(const SharedMemory&) = delete;

  std::byte* data() const { return data_; }
  std::size_t size() const { return size_; }
  bool alreadyExisted() const { return alreadyExisted_; }

 private:
  SharedMemory() = default;
  std::string objectName_;
  std::byte* data_ = nullptr;
  std::size_t size_ = 0;
  bool alreadyExisted_ = false;
  bool owner_ = false;
};

}  // namespace platform
