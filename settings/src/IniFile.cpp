#include "settings/IniFile.h"

#include <charconv>
#include <deque>
#include <mutex>

#include "FileReplace.h"
#include "settings/IniValue.h"

namespace settings {

namespace {

// Text values lose one pair of matching quotes around them, as the platform
// reads them.
std::string_view unquoted(std::string_view text) {
  if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
      text.back() == text.front())
    return text.substr(1, text.size() - 2);
  return text;
}

// Documents of files as this process last read or wrote them, by path, each
// with the version of the file it shows. A document is handed out only for
// that very version, and only once: whoever takes it owns it until it is put
// back.
class DocumentCache {
 public:
  std::optional<IniDocument> take(const std::string& path, const detail::FileVersion& version) {
    std::lock_guard lock(mutex_);
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
      if (it->path != path) continue;
      std::optional<IniDocument> found;
      if (it->version == version) found = std::move(it->document);
      entries_.erase(it);
      return found;
    }
    return std::nullopt;
  }
  void put(const std::string& path, const detail::FileVersion& version, IniDocument document) {
    std::lock_guard lock(mutex_);
    std::erase_if(entries_, [&](const Entry& e) { return e.path == path; });
    entries_.push_back({path, version, std::move(document)});
    if (entries_.size() > kMaxEntries) entries_.pop_front();
  }

 private:
  // The settings files of a program folder, with room to spare.
  static constexpr std::size_t kMaxEntries = 16;
  struct Entry {
    std::string path;
    detail::FileVersion version;
    IniDocument document;
  };
  std::mutex mutex_;
  std::deque<Entry> entries_;
};

// Never destroyed: threads may still save settings while the process exits.
DocumentCache& documentCache() {
  static auto* cache = new DocumentCache;
  return *cache;
}

}  // namespace

IniFile::IniFile(std::string path, std::string buffer)
    : path_(std::move(path)), spare_(std::move(buffer)) {}

std::string IniFile::releaseBuffer() {
  if (document_ && version_) {
    documentCache().put(path_, *version_, std::move(*document_));
    document_.reset();
    version_.reset();
  } else if (document_) {
    spare_ = document_->releaseStorage();
    document_.reset();
  }
  return std::move(spare_);
}

const IniDocument& IniFile::document() {
  if (!document_) {
    if (const auto version = detail::fileVersion(path_)) {
      if (auto kept = documentCache().take(path_, *version)) {
        document_ = std::move(kept);
        version_ = version;
        refused_ = false;
        presence_ = Presence::Present;
      }
    }
    if (!document_) {
      const auto read = detail::readWholeFile(path_, spare_, &version_);
      refused_ = read == detail::ReadResult::NotRegular;
      presence_ = read == detail::ReadResult::Ok       ? Presence::Present
                  : read == detail::ReadResult::Failed ? Presence::Unknown
                                                       : Presence::Absent;
      if (read != detail::ReadResult::Ok)
        spare_.clear();  // a missing or unreadable file reads as empty
      document_.emplace(std::move(spare_));
    }
    for (const Write& w : pending_) document_->setValue(w.section, w.key, w.value);
    if (!pending_.empty()) version_.reset();
  }
  return *document_;
}

std::int32_t IniFile::ReadInt(std::string_view section, std::string_view key, std::int32_t def) {
  const auto value = document().value(section, key);
  if (!value || value->empty()) return def;
  return parseProfileInt(unquoted(*value));
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view def) {
  std::string_view text = def;
  if (const auto value = document().value(section, key)) {
    text = unquoted(*value);
  }
  text = text.substr(0, text.find('\0'));
  return std::string(text.substr(0, kMaxStringLength));
}

bool IniFile::ReadStruct(std::string_view section, std::string_view key, void* bytes,
                         std::size_t size) {
  const auto value = document().value(section, key);
  return value && decodeStruct(*value, bytes, size);
}

bool IniFile::WriteInt(std::string_view section, std::string_view key, std::int32_t value) {
  char text[16];
  const auto end = std::to_chars(text, text + sizeof text, value).ptr;
  return write(section, key, std::string(text, end));
}

bool IniFile::WriteString(std::string_view section, std::string_view key, std::string_view text) {
  return write(section, key, std::string(storableText(text)));
}

bool IniFile::WriteStruct(std::string_view section, std::string_view key, const void* bytes,
                          std::size_t size) {
  return write(section, key, encodeStruct(bytes, size));
}

void IniFile::beginBatch() { batching_ = true; }

bool IniFile::commitBatch() {
  batching_ = false;
  std::vector<Write> writes;
  writes.swap(pending_);
  return commit(writes);
}

bool IniFile::write(std::string_view section, std::string_view key, std::string value) {
  Write w{std::string(section), std::string(key), std::move(value)};
  if (!batching_) return commit({w});
  if (document_) {
    document_->setValue(w.section, w.key, w.value);
    version_.reset();
  }
  pending_.push_back(std::move(w));
  return true;
}

bool IniFile::commit(const std::vector<Write>& writes) {
  if (writes.empty()) return true;
  const std::string target = detail::replaceTarget(path_);
  detail::FileLock lock(target);
  if (!lock.ok()) {
    reload();
    return false;
  }
  // Apply the batch to the file as it is now: another program may have
  // written it since it was read.
  std::string text = releaseBuffer();
  std::optional<detail::FileVersion> version;
  std::optional<IniDocument> merged;
  if (const auto now = detail::fileVersion(target)) {
    merged = documentCache().take(target, *now);
    if (merged) version = now;
  }
  if (!merged) {
    const auto read = detail::readWholeFile(target, text, &version);
    refused_ = read == detail::ReadResult::NotRegular;
    if (read == detail::ReadResult::Failed || refused_) return false;
    if (read == detail::ReadResult::Missing) text.clear();
    merged.emplace(std::move(text));
  } else {
    refused_ = false;
  }
  bool changed = false;
  for (const Write& w : writes) changed = merged->setValue(w.section, w.key, w.value) || changed;
  std::optional<detail::FileVersion> written;
  const bool ok = !changed || detail::replaceFileContents(target, merged->pieces(), &written);
  if (ok) {
    document_ = std::move(merged);
    version_ = changed ? written : version;
  } else {
    reload();
  }
  return ok;
}

}  // namespace settings
