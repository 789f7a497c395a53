#pragma once

#include <sys/types.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace platform::detail {

// A named POSIX shared-memory object private to the user, with the lifetime
// the programs expect of the system's named objects:
// - the object exists for open() while its creator lives; a creator that died
//   leaves nothing a later open() would attach to;
// - create() while another live creator has the object attaches to it and
//   reports alreadyExisted();
// - create() after the creator died takes the object over: it is made afresh
//   (zeroed) when no one has it mapped any more, and kept as it is while other
//   handles still use it;
// - the last handle to go removes the name.
// Liveness is kept with open-file-description locks on the object itself, so
// the kernel releases them when a process dies.
class SharedObject {
 public:
  enum class Mode { Create, Open };
  // Called under the object's guard lock with the fresh mapping, before any
  // other process can attach, when the object must be initialised. The
  // callback decides from the content whether it needs initialising.
  using Initialise = std::function<void(std::byte* data, bool fresh)>;

  static std::unique_ptr<SharedObject> attach(std::string_view kind, std::string_view name,
                                              std::size_t size, Mode mode,
                                              const Initialise& initialise = {});
  ~SharedObject();
  SharedObject(const SharedObject&) = delete;
  SharedObject& operator=(const SharedObject&) = delete;

  std::byte* data() const { return data_; }
  std::size_t size() const { return size_; }
  bool alreadyExisted() const { return alreadyExisted_; }
  bool isCreator() const { return creator_; }
  const std::string& objectName() const { return objectName_; }
  // The destructor then leaves the mapping in place until the process ends
  // (it still drops the handle), for memory the kernel may have to write to
  // when a thread dies, such as a held robust mutex.
  void keepMappedUntilExit() { keepMapped_ = true; }

  // The POSIX object name for a system name: per user and desktop session,
  // with every character that is not plainly safe percent-encoded so distinct
  // names stay distinct. Empty when the name cannot be mapped (empty or too
  // long) or there is no usable runtime folder.
  static std::string objectNameFor(std::string_view kind, std::string_view name);

 private:
  SharedObject() = default;
  std::string objectName_;
  int fd_ = -1;
  std::byte* data_ = nullptr;
  std::size_t size_ = 0;
  bool alreadyExisted_ = false;
  bool creator_ = false;
  bool keepMapped_ = false;
};

// The desktop session's key in object names: a random id kept in the runtime
// folder, so the processes of one runtime folder always name the same objects
// and those of two folders never do, even should a removed folder's inode
// number come back. Empty when there is no usable runtime folder.
std::string sessionKey();

// Percent-encodes every byte outside [A-Za-z0-9._-] (and a leading '.'), so
// the result is a safe single file-name component.
std::string encodeNameComponent(std::string_view name);

}  // namespace platform::detail
