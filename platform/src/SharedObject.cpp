#include "SharedObject.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace platform::detail {
namespace {

// Lock bytes on the object (beyond any data; fcntl locks need no backing).
constexpr off_t kCreatorByte = 0;  // write-locked by the live creator
constexpr off_t kGuardByte = 1;    // write-locked while attaching or detaching
constexpr off_t kHandleByte = 2;   // read-locked by every open handle
constexpr int kAttachAttempts = 16;
constexpr std::size_t kMaxObjectName = 250;

bool setLock(int fd, off_t byte, short type, bool wait) {
  struct flock lock {};
  lock.l_type = type;
  lock.l_whence = SEEK_SET;
  lock.l_start = byte;
  lock.l_len = 1;
  for (;;) {
    if (fcntl(fd, wait ? F_OFD_SETLKW : F_OFD_SETLK, &lock) == 0) return true;
    if (errno != EINTR) return false;
  }
}

// True when another open file description holds a lock on the byte.
bool lockedByOther(int fd, off_t byte) {
  struct flock lock {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  lock.l_start = byte;
  lock.l_len = 1;
  if (fcntl(fd, F_OFD_GETLK, &lock) != 0) return true;  // be safe: assume in use
  return lock.l_type != F_UNLCK;
}

// The name still names the object behind fd (no one removed or replaced it
// between our open and our guard lock).
bool stillLinked(const std::string& objectName, int fd) {
  const int again = shm_open(objectName.c_str(), O_RDONLY | O_CLOEXEC, 0);
  if (again < 0) return false;
  struct stat a {
  }, b{};
  const bool same =
      fstat(fd, &a) == 0 && fstat(again, &b) == 0 && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
  close(again);
  return same;
}

// Only objects of our own user, never readable by others, are trusted: in the
// shared /dev/shm anyone could plant an object under a name we use.
bool trustworthy(int fd) {
  struct stat st {};
  if (fstat(fd, &st) != 0) return false;
  if (st.st_uid != geteuid() || (st.st_mode & 077) != 0 || !S_ISREG(st.st_mode)) return false;
  // A strict umask may have left our own object unreadable to us.
  return (st.st_mode & 0777) == 0600 || fchmod(fd, 0600) == 0;
}

}  // namespace

std::string encodeNameComponent(std::string_view name) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(name.size());
  for (std::size_t i = 0; i < name.size(); ++i) {
    const auto c = static_cast<unsigned char>(name[i]);
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == '_' || c == '-' || (c == '.' && i != 0);
    if (plain) {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out;
}

std::string SharedObject::objectNameFor(std::string_view kind, std::string_view name) {
  if (name.empty()) return {};
  std::string objectName = "/vesk-" + std::to_string(geteuid()) + "-" + std::string(kind) + "-" +
                           encodeNameComponent(name);
  if (objectName.size() > kMaxObjectName) return {};
  return objectName;
}

std::unique_ptr<SharedObject> SharedObject::attach(std::string_view kind, std::string_view name,
                                                   std::size_t size, Mode mode,
                                                   const Initialise& initialise) {
  const std::string objectName = objectNameFor(kind, name);
  if (objectName.empty() || size == 0) return nullptr;

  for (int attempt = 0; attempt < kAttachAttempts; ++attempt) {
    const int flags = O_RDWR | O_CLOEXEC | (mode == Mode::Create ? O_CREAT : 0);
    const int fd = shm_open(objectName.c_str(), flags, 0600);
    if (fd < 0) return nullptr;
    auto fail = [fd] {
      close(fd);  // drops every lock this description holds
      return nullptr;
    };
    if (!trustworthy(fd) || !setLock(fd, kGuardByte, F_WRLCK, true)) return fail();
    if (!stillLinked(objectName, fd)) {
      close(fd);  // the last handle removed it meanwhile: start over
      continue;
    }

    const bool creatorAlive = lockedByOther(fd, kCreatorByte);
    const bool otherHandles = lockedByOther(fd, kHandleByte);
    struct stat st {};
    if (fstat(fd, &st) != 0) return fail();

    std::unique_ptr<SharedObject> object(new SharedObject);
    object->objectName_ = objectName;
    object->size_ = size;
    bool fresh = false;
    if (mode == Mode::Open || creatorAlive) {
      if (!creatorAlive) return fail();  // nobody created it (or its creator died)
      if (static_cast<std::size_t>(st.st_size) != size) return fail();
      object->alreadyExisted_ = mode == Mode::Create;
    } else {
      if (!setLock(fd, kCreatorByte, F_WRLCK, false)) return fail();
      object->creator_ = true;
      if (!otherHandles) {
        // Nobody maps it: whatever is left from an earlier creator goes.
        if (ftruncate(fd, 0) != 0 || ftruncate(fd, static_cast<off_t>(size)) != 0) return fail();
        fresh = true;
      } else if (static_cast<std::size_t>(st.st_size) != size) {
        return fail();  // still mapped by others at another size: never resize under them
      }
    }
    if (!setLock(fd, kHandleByte, F_RDLCK, false)) return fail();

    void* map = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (map == MAP_FAILED) return fail();
    object->fd_ = fd;
    object->data_ = static_cast<std::byte*>(map);
    if (initialise) initialise(object->data_, fresh);
    setLock(fd, kGuardByte, F_UNLCK, false);
    return object;
  }
  return nullptr;
}

SharedObject::~SharedObject() {
  if (data_ && !keepMapped_) munmap(data_, size_);
  if (fd_ < 0) return;
  if (setLock(fd_, kGuardByte, F_WRLCK, true)) {
    if (creator_) setLock(fd_, kCreatorByte, F_UNLCK, false);
    // Turning our read lock into a write lock succeeds only for the last handle.
    if (setLock(fd_, kHandleByte, F_WRLCK, false) && stillLinked(objectName_, fd_)) {
      shm_unlink(objectName_.c_str());
    }
  }
  close(fd_);
}

}  // namespace platform::detail
