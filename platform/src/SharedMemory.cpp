#include "platform/SharedMemory.h"

#include "SharedObject.h"

namespace platform {
namespace {
constexpr std::string_view kKind = "shm";
}

std::unique_ptr<SharedMemory> SharedMemory::create(std::string_view name, std::size_t size) {
  auto object = detail::SharedObject::attach(kKind, name, size, detail::SharedObject::Mode::Create);
  if (!object) return nullptr;
  std::unique_ptr<SharedMemory> memory(new SharedMemory);
  memory->data_ = object->data();
  memory->size_ = object->size();
  memory->alreadyExisted_ = object->alreadyExisted();
  memory->owner_ = object->isCreator();
  memory->object_ = std::move(object);
  return memory;
}

std::unique_ptr<SharedMemory> SharedMemory::open(std::string_view name, std::size_t size) {
  auto object = detail::SharedObject::attach(kKind, name, size, detail::SharedObject::Mode::Open);
  if (!object) return nullptr;
  std::unique_ptr<SharedMemory> memory(new SharedMemory);
  memory->data_ = object->data();
  memory->size_ = object->size();
  memory->object_ = std::move(object);
  return memory;
}

SharedMemory::~SharedMemory() = default;

}  // namespace platform
