#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/FileVersion.h"
#include "settings/IniDocument.h"

// Accessor for one INI file with integer, text and struct values, in the form
// the original profile functions read and write.
//
// The file is parsed once, at the first read. A document this process read
// or wrote is kept when the IniFile lets go of it, and used again, instead
// of parsing the file, while the file on disk is still the same version. Writes are applied as
// batches: each batch (one write on its own, or everything between beginBatch and commitBatch)
// takes an advisory lock beside the file, re-reads it, applies only this batch's keys, writes a
// temporary file and renames it over the original. Two processes writing at once lose no key, and a
// crash leaves the old or the new file, never a torn one.
namespace settings {

class IniFile {
 public:
  // Longest text ReadString returns (the platform reads into 2048 bytes).
  static constexpr std::size_t kMaxStringLength = 2047;

  // `buffer` is storage to read the file into: passing on what a previous
  // IniFile released saves allocating it again when many files are read.
  explicit IniFile(std::string path, std::string buffer = {});
  const std::string& path() const { return path_; }
  // Gives up the storage of the parsed text (reads parse the file again).
  std::string releaseBuffer();

  // Decimal value parsed like the platform; `def` when the key is absent or
  // its value is empty.
  std::int32_t ReadInt(std::string_view section, std::string_view key, std::int32_t def);
  // At most 2047 characters; surrounding quotes removed; `def` when absent.
  std::string ReadString(std::string_view section, std::string_view key, std::string_view def);
  // Fills exactly `size` bytes; false (bytes untouched) when the key is
  // absent, the length is wrong or the checksum does not match.
  bool ReadStruct(std::string_view section, std::string_view key, void* bytes, std::size_t size);

  // Each returns false when the file could not be written (in a batch: true,
  // and commitBatch reports the outcome).
  bool WriteInt(std::string_view section, std::string_view key, std::int32_t value);
  // Text is cut at the first line break, which the file could not hold.
  bool WriteString(std::string_view section, std::string_view key, std::string_view text);
  bool WriteStruct(std::string_view section, std::string_view key, const void* bytes,
                   std::size_t size);

  void beginBatch();
  bool commitBatch();
  bool inBatch() const { return batching_; }

  // Forget the parsed text: the next read parses the file again.
  void reload() {
    document_.reset();
    version_.reset();
  }
  // Whether the file was there to read: a regular file that could be opened
  // (Present), none or something else in its place (Absent), or a file that
  // could not be read (Unknown). Reads the file when not read yet.
  enum class Presence { Present, Absent, Unknown };
  Presence presence() {
    document();
    return presence_;
  }
  // True when the last read or write found something other than a regular
  // file in the file's place (a FIFO, a device, a folder): it was neither
  // read (its values read as defaults) nor replaced.
  bool refused() const { return refused_; }

 private:
  struct Write {
    std::string section, key, value;
  };
  const IniDocument& document();
  bool write(std::string_view section, std::string_view key, std::string value);
  bool commit(const std::vector<Write>& writes);

  std::string path_;
  std::optional<IniDocument> document_;
  // The version of the file document_ shows; none once it differs from it.
  std::optional<detail::FileVersion> version_;
  bool batching_ = false;
  std::vector<Write> pending_;
  bool refused_ = false;
  Presence presence_ = Presence::Unknown;
  std::string spare_;  // storage for the next read of the file
};

}  // namespace settings
