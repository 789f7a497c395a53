#include "option/ProfileFiles.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace option {

namespace {

namespace fs = std::filesystem;

bool continuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// At most `bytes` bytes of UTF-8 text, never ending inside a character.
std::string_view headBytes(std::string_view text, std::size_t bytes) {
  if (text.size() <= bytes) return text;
  while (bytes > 0 && continuationByte(text[bytes])) --bytes;
  return text.substr(0, bytes);
}

// The first `count` characters of UTF-8 text.
std::string_view headCharacters(std::string_view text, std::size_t count) {
  std::size_t end = 0;
  for (std::size_t seen = 0; end < text.size(); ++end) {
    if (continuationByte(text[end])) continue;
    if (seen++ == count) break;
  }
  return text.substr(0, end);
}

template <std::size_t N>
void storeText(char (&field)[N], std::string_view text) {
  std::memset(field, 0, N);
  const std::string_view kept = headBytes(text, N - 1);
  std::memcpy(field, kept.data(), kept.size());
}

bool sameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  return fs::equivalent(a, b, error);
}

// Copies over an existing file; copying a file onto itself is no copy at all.
bool copyReplacing(const std::string& from, const std::string& to, std::error_code& error) {
  if (sameFile(from, to)) return true;
  return fs::copy_file(from, to, fs::copy_options::overwrite_existing, error);
}

// Whether a file title names one of the five default profile files
// ("Default0".."Default4" in "config/", found in any letter case), which hold
// the slots' own settings until the next save.
// Whether `text` is `lowerCase` in any letter case.
bool sameIgnoringCase(std::string_view text, std::string_view lowerCase) {
  if (text.size() != lowerCase.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(text[i])) != lowerCase[i]) return false;
  return true;
}

bool namesDefaultProfileFile(std::string_view title) {
  return !title.empty() && title.back() >= '0' && title.back() < '0' + settings::kProfileCount &&
         sameIgnoringCase(title.substr(0, title.size() - 1), "default");
}

std::string lockFileOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return "." + path + ".lock";
  return path.substr(0, slash + 1) + "." + path.substr(slash + 1) + ".lock";
}

}  // namespace

std::string ProfileFiles::fileTitle(std::string_view path) {
  const auto slash = path.find_last_of('/');
  if (slash != std::string_view::npos) path.remove_prefix(slash + 1);
  const auto dot = path.find_last_of('.');
  if (dot != std::string_view::npos) path = path.substr(0, dot);
  return std::string(path);
}

void ProfileFiles::setNameAndGames(settings::Profile& profile, std::string_view name,
                                   std::string_view game0, std::string_view game1,
                                   std::string_view game2) {
  // The dialog allows 20 characters, not bytes: a name with accents keeps
  // every character the user typed, and no character is cut in two.
  storeText(profile.ProFileName, headCharacters(name, kMaxNameLength));
  storeText(profile.GameFile0, game0);
  storeText(profile.GameFile1, game1);
  storeText(profile.GameFile2, game2);
}

std::string ProfileFiles::importStartName() const { return files_.programFolder() + "config/.nmp"; }

std::string ProfileFiles::exportStartName(const settings::Profile& profile) const {
  std::string name(profile.ProFileName, strnlen(profile.ProFileName, sizeof profile.ProFileName));
  std::replace(name.begin(), name.end(), '/', '_');  // a name, not a folder
  if (namesDefaultProfileFile(name)) name += " profile";
  return files_.programFolder() + "config/" + name + ".nmp";
}

bool ProfileFiles::isDefaultProfileFile(const std::string& path) const {
  for (int index = 0; index < settings::kProfileCount; ++index)
    if (sameFile(path, files_.defaultProfilePath(index))) return true;
  // One not there yet would be made by the export and then read as the
  // slot's: the programs find these files in any letter case.
  const fs::path chosen(path);
  std::error_code error;
  return sameIgnoringCase(chosen.extension().string(), ".nmp") &&
         namesDefaultProfileFile(fileTitle(path)) &&
         fs::equivalent(chosen.parent_path().empty() ? fs::path(".") : chosen.parent_path(),
                        files_.programFolder() + "config", error);
}

bool ProfileFiles::importProfile(settings::SettingsImage& image, int slot,
                                 const std::string& chosen) const {
  if (!settings::isValidProfile(slot) || !settings::FileExists(chosen)) return false;
  const std::string copy = files_.programFolder() + fileTitle(chosen) + ".nmp";
  std::string source = copy;
  std::error_code error;
  if (!copyReplacing(chosen, copy, error)) {
    // Whatever else sits at the copy's place is not what the user chose:
    // read the chosen file itself.
    std::fprintf(stderr, "CopyFile fail: %d!\n", error.value());
    source = chosen;
  }
  settings::ReadProfileFile(image.Profiles[slot], source);
  for (int button = 0; button < settings::kSlotCount; ++button)
    settings::markSlotChanged(image, slot, button);
  return true;
}

bool ProfileFiles::exportProfile(const settings::SettingsImage& image, int slot,
                                 const std::string& chosen) const {
  if (!settings::isValidProfile(slot) || isDefaultProfileFile(chosen)) return false;
  // Written beside the chosen file and renamed over it: the file then holds
  // only the keys written now, and a failed write leaves the old file.
  const std::string temporary = chosen + ".new";
  ::unlink(temporary.c_str());
  const bool written = settings::WriteProfileFile(image.Profiles[slot], temporary);
  ::unlink(lockFileOf(temporary).c_str());
  std::error_code error;
  if (!written || (fs::rename(temporary, chosen, error), error)) {
    ::unlink(temporary.c_str());
    return false;
  }
  const std::string title = fileTitle(chosen);
  // The profile is saved once its file is written. Nothing reads the title
  // back, and the copy in "config/" is a convenience: failing either loses
  // nothing the user made.
  if (!files_.WriteProfileFileName(slot + 1, title))
    std::fprintf(stderr, "Profile file name not recorded in config.ini: %s\n", title.c_str());
  // Slot 1's factory name is "Default2", but "Default2.nmp" is slot 2's file:
  // the copy never takes the place of a default profile file.
  if (namesDefaultProfileFile(title)) return true;
  fs::create_directories(files_.programFolder() + "config", error);
  copyReplacing(chosen, files_.programFolder() + "config/" + title + ".nmp", error);
  return true;
}

}  // namespace option
