#pragma once

#include <memory>
#include <string>

#include "apply/MonitorAddress.h"
#include "platform/NamedMutex.h"
#include "platform/SharedMemory.h"
#include "settings/SettingsFiles.h"
#include "settings/SettingsImage.h"

// The save sequence of the settings editors (the Configuration program and
// veskctl): a working image edited against a baseline, change flags
// computed between them, the shared image written under the mutex, the
// settings files saved, and the Monitor told to apply, synchronously.
namespace apply {

class ApplySession {
 public:
  enum class Mode { Apply = 0, Reset = 1 };
  struct Outcome {
    bool sharedWritten = false;   // the shared image took the working image
    bool filesSaved = false;      // config.ini and the profile files were written
    bool monitorApplied = false;  // the Monitor answered the apply message
  };

  explicit ApplySession(std::string programFolder);
  ~ApplySession();

  // Opens (never creates) the Monitor's mutex and shared memory and fills
  // the baseline from the shared image, or from the settings files when
  // there is no shared memory; the working image starts as its copy.
  void open();
  bool sharedMemory() const { return memory_ != nullptr; }

  settings::SettingsImage& working() { return *working_; }
  settings::SettingsImage& baseline() { return *baseline_; }

  // Whole-image copies to and from the shared memory under the mutex; false
  // (nothing copied) without shared memory or when the mutex wait failed.
  bool readShared(settings::SettingsImage& into);
  bool writeShared(const settings::SettingsImage& from);

  // Steps of a save: flags against the baseline, shared image, files,
  // apply message; then the flags are cleared and the baseline follows.
  Outcome save(Mode mode);

  // Sets the profile, current-profile and tracking change flags of working
  // where it differs from baseline (slot flags are set by whoever edits a
  // slot).
  static void computeChangeFlags(settings::SettingsImage& working,
                                 const settings::SettingsImage& baseline);

 private:
  settings::SettingsFiles files_;
  std::unique_ptr<settings::SettingsImage> working_;
  std::unique_ptr<settings::SettingsImage> baseline_;
  std::unique_ptr<platform::NamedMutex> mutex_;
  std::unique_ptr<platform::SharedMemory> memory_;
};

}  // namespace apply
