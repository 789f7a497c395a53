#pragma once

#include <cstdint>
#include <string>

#include "platform/Shell.h"

namespace platform {

// The shell of this desktop. Programs start in a session of their own, with
// default signal handling, and are reaped in the background so no zombies
// remain. Files and URLs go to the opener (xdg-open); its verdict counts when
// it comes within openerWaitMs, and an opener still running by then (it runs
// some applications in the foreground) counts as success.
class ProcessShell : public Shell {
 public:
  explicit ProcessShell(std::string opener = "xdg-open", std::int64_t openerWaitMs = 1500)
      : opener_(std::move(opener)), openerWaitMs_(openerWaitMs) {}

  bool open(std::string_view target, std::string_view parameters = {}) override;
  bool start(std::string_view program, const std::vector<std::string>& arguments) override;

  // "scheme://..." and "mailto:" targets are URLs; anything else is a path,
  // which may be written in the system's form (backslashes, any letter case).
  static bool isUrl(std::string_view target);

 private:
  std::string opener_;
  std::int64_t openerWaitMs_;
};

}  // namespace platform
