#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "settings/FileVersion.h"

// File primitives of the INI writer: whole-file reads, an advisory lock beside
// a file, and replacing a file's contents by rename.
namespace settings::detail {

// NotRegular: a FIFO, device, socket or folder stands in the file's place. It
// is never read (opening a FIFO for reading would wait for a writer).
enum class ReadResult { Ok, Missing, Failed, NotRegular };
// No settings file comes near this; a bigger one is refused rather than read.
inline constexpr long long kMaxFileSize = 64ll << 20;
// The version of the regular file at path (symbolic links followed).
std::optional<FileVersion> fileVersion(const std::string& path);

// `version`, when given, is set to the version read, or reset when the file
// changed while it was read.
ReadResult readWholeFile(const std::string& path, std::string& out,
                         std::optional<FileVersion>* version = nullptr);

// The path a write should replace: the target of a symbolic link, otherwise
// the path itself.
std::string replaceTarget(const std::string& path);

// Exclusive flock on ".<name>.lock" beside the file, held for the object's
// lifetime. ok() is false when the lock file could not be opened.
class FileLock {
 public:
  explicit FileLock(const std::string& path);
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  bool ok() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

// Writes the pieces, in order, to a temporary file beside `path` and renames it over `path`
// (keeping the old file's permissions). The rename is what makes it safe: a
// writer that dies leaves the old file. There is no fsync, as the platform's
// profile functions have none; ext4 flushes a file replaced by rename anyway. Temporary files
// left behind by writers that died are removed first; call it with the
// FileLock held.
// `written`, when given, is set to the version of the file as written, or
// reset when it cannot be told.
bool replaceFileContents(const std::string& path, std::span<const std::string_view> pieces,
                         std::optional<FileVersion>* written = nullptr);

}  // namespace settings::detail
