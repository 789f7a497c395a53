#include "FileReplace.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <string_view>
#include <vector>

namespace settings::detail {

namespace {

struct SplitPath {
  std::string folder;  // "" or ending in '/'
  std::string name;
};

SplitPath splitPath(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return {"", path};
  return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

std::string tempPrefix(const SplitPath& p) { return "." + p.name + ".tmp."; }

bool writeAll(int fd, std::span<const std::string_view> pieces) {
  std::vector<iovec> vec;
  vec.reserve(pieces.size());
  for (std::string_view p : pieces)
    if (!p.empty()) vec.push_back({const_cast<char*>(p.data()), p.size()});
  std::size_t first = 0;
  while (first < vec.size()) {
    const int count = static_cast<int>(std::min<std::size_t>(vec.size() - first, IOV_MAX));
    ssize_t n = ::writev(fd, vec.data() + first, count);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    // Step over what was written; a short write leaves a partial iovec.
    while (n > 0 && first < vec.size()) {
      const auto done = std::min<std::size_t>(static_cast<std::size_t>(n), vec[first].iov_len);
      vec[first].iov_base = static_cast<char*>(vec[first].iov_base) + done;
      vec[first].iov_len -= done;
      n -= static_cast<ssize_t>(done);
      if (vec[first].iov_len == 0) ++first;
    }
  }
  return true;
}

FileVersion versionOf(const struct stat& st) {
  return {static_cast<std::uint64_t>(st.st_dev),
          static_cast<std::uint64_t>(st.st_ino),
          static_cast<std::int64_t>(st.st_size),
          st.st_mtim.tv_sec,
          st.st_mtim.tv_nsec,
          st.st_ctim.tv_sec,
          st.st_ctim.tv_nsec};
}

bool recentlyChanged(const struct stat& st) {
  constexpr std::int64_t kSettleNs = 50'000'000;
  timespec now{};
  ::clock_gettime(CLOCK_REALTIME, &now);
  const auto ns = [](const timespec& t) {
    return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
  };
  return ns(now) - std::max(ns(st.st_mtim), ns(st.st_ctim)) < kSettleNs;
}

void removeStaleTemporaries(const SplitPath& p) {
  DIR* dir = ::opendir(p.folder.empty() ? "." : p.folder.c_str());
  if (dir == nullptr) return;
  const std::string prefix = tempPrefix(p);
  while (const dirent* entry = ::readdir(dir)) {
    if (std::string_view(entry->d_name).starts_with(prefix))
      ::unlinkat(::dirfd(dir), entry->d_name, 0);
  }
  ::closedir(dir);
}

}  // namespace

std::optional<FileVersion> fileVersion(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  return versionOf(st);
}

ReadResult readWholeFile(const std::string& path, std::string& out,
                         std::optional<FileVersion>* version) {
  if (version) version->reset();
  // Without O_NONBLOCK, opening a FIFO would wait for a writer forever.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    if (errno == ENOENT || errno == ENOTDIR) return ReadResult::Missing;
    if (errno == ENXIO || errno == EISDIR) return ReadResult::NotRegular;
    return ReadResult::Failed;
  }
  out.clear();
  struct stat st {};
  if (::fstat(fd, &st) != 0 || st.st_size > kMaxFileSize) {
    ::close(fd);
    return ReadResult::Failed;
  }
  if (!S_ISREG(st.st_mode)) {
    ::close(fd);
    return ReadResult::NotRegular;
  }
  // Read straight into the string; keep going past the size seen, in case the
  // file grew meanwhile.
  std::size_t used = 0;
  out.resize(st.st_size > 0 ? static_cast<std::size_t>(st.st_size) + 1 : 4096);
  for (;;) {
    if (used == out.size()) {
      if (used >= kMaxFileSize) {
        ::close(fd);
        return ReadResult::Failed;
      }
      out.resize(out.size() * 2);
    }
    const ssize_t n = ::read(fd, out.data() + used, out.size() - used);
    if (n < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      return ReadResult::Failed;
    }
    if (n == 0) break;
    used += static_cast<std::size_t>(n);
  }
  out.resize(used);
  // The version stands for the text only when nothing changed meanwhile, and
  // only when it is old enough that a write in place within the same clock
  // tick, keeping size and times, cannot follow unseen.
  struct stat after {};
  if (version && ::fstat(fd, &after) == 0 && versionOf(after) == versionOf(st) &&
      used == static_cast<std::size_t>(st.st_size) && !recentlyChanged(st))
    *version = versionOf(st);
  ::close(fd);
  return ReadResult::Ok;
}

std::string replaceTarget(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    if (char* real = ::realpath(path.c_str(), nullptr)) {
      std::string target(real);
      std::free(real);
      return target;
    }
  }
  return path;
}

FileLock::FileLock(const std::string& path) {
  const SplitPath p = splitPath(path);
  const std::string lockPath = p.folder + "." + p.name + ".lock";
  fd_ = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666);
  if (fd_ < 0) return;
  while (::flock(fd_, LOCK_EX) != 0) {
    if (errno != EINTR) {
      ::close(fd_);
      fd_ = -1;
      return;
    }
  }
}

FileLock::~FileLock() {
  if (fd_ >= 0) ::close(fd_);  // closing releases the lock
}

bool replaceFileContents(const std::string& path, std::span<const std::string_view> pieces,
                         std::optional<FileVersion>* written) {
  if (written) written->reset();
  const SplitPath p = splitPath(path);
  removeStaleTemporaries(p);

  struct stat old {};
  const bool existed = ::stat(path.c_str(), &old) == 0;
  // A special file in the file's place is someone else's: never replaced.
  if (existed && !S_ISREG(old.st_mode)) return false;
  // A read-only file stays as it is, whoever asks.
  if (existed && ((old.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0)) return false;

  static std::atomic<unsigned> counter{0};
  // Taken once: a child forked later that writes too only collides with its
  // parent's names, and O_EXCL tries the next one then.
  static const std::string pid = std::to_string(::getpid());
  std::string tempPath;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    tempPath = p.folder + tempPrefix(p) + pid + "." + std::to_string(counter.fetch_add(1));
    fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return false;
  }
  if (fd < 0) return false;

  struct stat ours {};
  bool ok = ::fstat(fd, &ours) == 0 && writeAll(fd, pieces);
  // The new file takes the old one's permissions (after writing, which would
  // clear set-id bits); the creation mode and the umask mostly give them.
  if (ok && existed && (ours.st_mode & 07777) != (old.st_mode & 07777))
    ok = ::fchmod(fd, old.st_mode & 07777) == 0;
  std::size_t size = 0;
  for (std::string_view piece : pieces) size += piece.size();
  const bool knowOurs = ok;
  ok = ::close(fd) == 0 && ok;
  if (ok) ok = ::rename(tempPath.c_str(), path.c_str()) == 0;
  if (!ok) ::unlink(tempPath.c_str());
  // The file at path is ours when it has our inode and size; the version is
  // taken after the rename, which may have moved its change time.
  if (ok && knowOurs && written) {
    struct stat now {};
    if (::stat(path.c_str(), &now) == 0 && now.st_dev == ours.st_dev && now.st_ino == ours.st_ino &&
        static_cast<std::size_t>(now.st_size) == size)
      *written = versionOf(now);
  }
  return ok;
}

}  // namespace settings::detail
