#include "SharedObject.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/Paths.h"

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

constexpr std::size_t kSessionIdLength = 32;  // hex digits of 128 random bits
constexpr char kSessionIdFile[] = "/session-id";

bool isSessionId(std::string_view text) {
  if (text.size() != kSessionIdLength) return false;
  for (char c : text)
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  return true;
}

// The id kept in the file, or empty when it is missing, not a plain file of
// ours, or does not hold a whole id.
std::string readSessionId(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  if (fd < 0) return {};
  struct stat st {};
  char text[kSessionIdLength + 1] = {};
  ssize_t n = -1;
  if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == geteuid()) {
    do {
      n = ::read(fd, text, sizeof text);
    } while (n < 0 && errno == EINTR);
  }
  ::close(fd);
  const std::string id(text, n > 0 ? static_cast<std::size_t>(n) : 0);
  return isSessionId(id) ? id : std::string();
}

std::string newSessionId() {
  unsigned char random[kSessionIdLength / 2];
  std::size_t got = 0;
  while (got < sizeof random) {
    const ssize_t n = getrandom(random + got, sizeof random - got, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return {};
    got += static_cast<std::size_t>(n);
  }
  static constexpr char kHex[] = "0123456789abcdef";
  std::string id;
  for (unsigned char b : random) {
    id += kHex[b >> 4];
    id += kHex[b & 15];
  }
  return id;
}

// Writes a new id in full under a temporary name and renames it into place,
// so a reader never sees half an id.
std::string publishSessionId(const std::string& path) {
  const std::string id = newSessionId();
  if (id.empty()) return {};
  const std::string temp = path + ".new-" + std::to_string(getpid());
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return {};
  const bool written = ::write(fd, id.data(), id.size()) == static_cast<ssize_t>(id.size());
  ::close(fd);
  if (written && std::rename(temp.c_str(), path.c_str()) == 0) return id;
  ::unlink(temp.c_str());
  return {};
}

}  // namespace

std::string sessionKey() {
  const std::string folder = RuntimeFolder();
  if (folder.empty()) return {};
  const std::string path = folder + kSessionIdFile;
  std::string id = readSessionId(path);
  if (!id.empty()) return id;
  // The first process of the session makes the id; the folder's lock keeps a
  // second one from making another at the same time.
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir < 0) return {};
  int rc;
  do {
    rc = flock(dir, LOCK_EX);
  } while (rc != 0 && errno == EINTR);
  if (rc == 0) {
    id = readSessionId(path);
    if (id.empty()) id = publishSessionId(path);
  }
  ::close(dir);  // drops the lock
  return id;
}

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
  const std::string session = sessionKey();
  if (session.empty()) return {};
  std::string objectName = "/vesk-" + std::to_string(geteuid()) + "-" + session + "-" +
                           std::string(kind) + "-" + encodeNameComponent(name);
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
