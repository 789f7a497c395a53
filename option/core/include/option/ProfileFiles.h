#pragma once

#include <string>
#include <string_view>

#include "settings/SettingsFiles.h"
#include "settings/SettingsImage.h"

// Create, Edit, Load and Save of the main window's profile buttons, after the
// dialogs have given their answers. None of them writes to the mouse: the
// next Save of the main window does.
namespace option {

class ProfileFiles {
 public:
  static constexpr std::size_t kMaxNameLength = 20;
  static constexpr const char* kFilter = "Nivaro Mouse Profile(*.nmp)";

  explicit ProfileFiles(const settings::SettingsFiles& files) : files_(files) {}

  // The file name without folder and without the part from its last '.' on.
  static std::string fileTitle(std::string_view path);

  // The profile dialog's OK: name (cut to 20 characters) and the three game
  // paths; nothing else of the profile changes.
  static void setNameAndGames(settings::Profile& profile, std::string_view name,
                              std::string_view game0, std::string_view game1,
                              std::string_view game2);

  // The file dialogs' starting names. A profile whose name is that of a
  // default profile file ("Default2", the second slot's factory name, names
  // the third slot's file) starts at "<name> profile.nmp" instead.
  std::string importStartName() const;
  std::string exportStartName(const settings::Profile& profile) const;

  // Whether a path is one of the five default profile files, which hold the
  // slots' own settings: an export written there would replace another
  // slot's settings at the next start, so none is.
  bool isDefaultProfileFile(const std::string& path) const;

  // Copies the chosen file into the program folder under its title, reads it
  // into profile `slot` and marks all 24 button slots of it changed. False
  // (nothing changed) when the file cannot be read.
  bool importProfile(settings::SettingsImage& image, int slot, const std::string& chosen) const;
  // Writes profile `slot` to the chosen path as the only content of that
  // file, records its title in config.ini and keeps a copy in "config/".
  // False when the file could not be written (an old file there is kept) or
  // is a default profile file (left as it is).
  bool exportProfile(const settings::SettingsImage& image, int slot,
                     const std::string& chosen) const;

 private:
  const settings::SettingsFiles& files_;
};

}  // namespace option
