#pragma once

#include <cstdint>
#include <string>

namespace upgrade {

// What the updater window shows; the Qt window implements it, tests record it.
class UpdaterView {
 public:
  virtual ~UpdaterView() = default;
  virtual void setProgressRange(int minimum, int maximum) = 0;
  virtual void setProgress(int position) = 0;
  virtual void setTexts(const std::string& deviceVersion, const std::string& fileName) = 0;
  virtual void setTitle(const std::string& title) = 0;
  virtual void centre() = 0;
  // Modal; return when the user has read them.
  virtual void showSuccess() = 0;
  virtual void showFailure() = 0;
  virtual void startTimer(std::uintptr_t id, unsigned periodMs) = 0;
  virtual void stopTimer(std::uintptr_t id) = 0;
  // Closes the window (destroy() of the updater follows).
  virtual void close() = 0;
};

}  // namespace upgrade
