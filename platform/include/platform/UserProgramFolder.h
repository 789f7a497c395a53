#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// An installed suite keeps its programs and read-only data in one shared
// folder its users cannot write (for example /usr/lib/vesk-orb/, marked by
// kInstalledMarker). Every program still finds every file relative to "its"
// program folder, so each user gets a program folder of their own,
// $XDG_CONFIG_HOME/vesk-orb/, laid out like the installed one:
//  - each installed file appears there as a link to the shared file;
//  - the settings the programs write (config.ini, config/, DeviceInfo.ini,
//    RunsStart.ini, the sensor picture) are the user's own files: what the
//    programs do not find they create from their factory settings, and an
//    installed factory copy is copied once, never over the user's file;
//  - whatever the programs create later lands in the user's folder.
// A link the user replaced by a file or by a link elsewhere (a portkit.ini
// with their mouse's ids, another portkit.so) is left alone.
class UserProgramFolder {
 public:
  // The file that marks an installed, read-only program folder.
  static constexpr const char* kInstalledMarker = "vesk-orb.installed";
  // The name of the user's program folder under the config home.
  static constexpr const char* kFolderName = "vesk-orb";

  struct Installed {
    std::string root;       // the installed program folder, ending in '/'
    std::string subfolder;  // the executable's folder below it: "" or "FWUpdate/"
  };
  // The installed program folder that holds `executableFolder` (the folder
  // itself or its parent carries the marker), or nothing for a build or
  // portable folder, whose settings lie beside the programs.
  static std::optional<Installed> installedLayoutOf(const std::string& executableFolder);
  // $XDG_CONFIG_HOME/vesk-orb/; $HOME/.config/vesk-orb/ when XDG_CONFIG_HOME
  // is unset or not absolute. Ends in '/'.
  static std::string defaultLocation();
  // True for the files the programs write, relative to the program folder in
  // its local form ("config/Default0.nmp"), letters in any case.
  static bool isUserSetting(std::string_view relative);

  UserProgramFolder(std::string installedRoot, std::string userRoot);

  // Brings the user's folder up to date with the installed one: makes what is
  // missing, points links whose installed file moved at the installed file
  // again and removes links to installed files that are gone. Safe while
  // another program of the user does the same. Empty on success, otherwise
  // what could not be made and why.
  std::string refresh() const;

  const std::string& userRoot() const { return userRoot_; }

 private:
  std::string mirror(const std::string& relative) const;
  std::string sweep(const std::string& relative) const;

  std::string installedRoot_;
  std::string userRoot_;
};

}  // namespace platform
