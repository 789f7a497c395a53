#pragma once

#include <cstdint>

namespace settings::detail {

// One version of a file: a file replaced by rename has another inode, one
// written in place another size or change time (nanoseconds).
struct FileVersion {
  std::uint64_t device = 0, inode = 0;
  std::int64_t size = 0;
  std::int64_t modifiedSec = 0, modifiedNsec = 0, changedSec = 0, changedNsec = 0;
  bool operator==(const FileVersion&) const = default;
};

}  // namespace settings::detail
