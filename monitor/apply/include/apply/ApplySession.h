#pragma once

#include <functional>
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

  // What became of a save, as far as the mouse is concerned.
  enum class Result {
    // The Monitor wrote every flagged part to the mouse (or nothing was flagged).
    Applied,
    // The Monitor is not running: only the settings files hold the change.
    SavedToFiles,
    // The Monitor took the change but the mouse did not: it is not connected
    // or one of the writes failed.
    MouseNotUpdated,
    // The Monitor runs but the shared image could not be written (missing,
    // wrong size, mutex not taken); the Monitor was not asked to apply.
    SharedImageNotWritten,
    // The Monitor went away or did not answer the apply message.
    MonitorNoAnswer,
  };

  struct Outcome {
    bool sharedWritten = false;    // the shared image took the working image
    bool filesSaved = false;       // config.ini and the profile files were written
    bool monitorAnswered = false;  // the Monitor answered the apply message
    Result result = Result::SavedToFiles;
    // Every part reached where it was meant to go.
    bool complete() const {
      return filesSaved && (result == Result::Applied || result == Result::SavedToFiles);
    }
  };

  // One short sentence for the user, e.g. in a notice or on a terminal.
  static const char* describe(Result result);

  explicit ApplySession(std::string programFolder);
  ~ApplySession();

  // Opens (never creates) the Monitor's mutex and shared memory and fills
  // the baseline from the shared image, or from the settings files when
  // there is no shared memory or its record was torn by a writer that died
  // (the files' image then replaces it); the working image starts as its
  // copy.
  void open();
  bool sharedMemory() const { return memory_ != nullptr; }

  settings::SettingsImage& working() { return *working_; }
  settings::SettingsImage& baseline() { return *baseline_; }

  // Whole-image copies to and from the shared memory under the mutex; false
  // (nothing copied) without shared memory or when the mutex wait failed.
  bool readShared(settings::SettingsImage& into);
  bool writeShared(const settings::SettingsImage& from);
  // Some fields of the shared image changed in one hold of the mutex; false
  // (nothing changed) as above or when its record is torn.
  bool updateShared(const std::function<void(settings::SettingsImage&)>& change);

  // Steps of a save: flags against the baseline, shared image, files,
  // apply message; then the flags are cleared and the baseline follows.
  // The apply message goes out only when the shared image took the change,
  // so the Monitor never applies an image the editor did not write.
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
