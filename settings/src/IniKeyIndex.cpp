#include "settings/IniKeyIndex.h"

#include <utility>

namespace settings {

namespace {

// FNV-1a over the lower-cased bytes.
constexpr std::size_t kOffsetBasis = 14695981039346656037ull;
constexpr std::size_t kPrime = 1099511628211ull;

std::size_t hashLowered(std::size_t hash, std::string_view name) {
  for (char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    hash = (hash ^ (byte >= 'A' && byte <= 'Z' ? byte + ('a' - 'A') : byte)) * kPrime;
  }
  return hash;
}

// Spreads the hash's high bits into the low ones that pick the slot.
std::size_t mixed(std::size_t hash) { return hash ^ (hash >> 29) ^ (hash >> 47); }

}  // namespace

std::size_t IniKeyIndex::sectionHash(std::string_view section) {
  // A byte after the section name keeps "ab"+"c" apart from "a"+"bc".
  return (hashLowered(kOffsetBasis, section) ^ 0x100) * kPrime;
}

std::size_t IniKeyIndex::keyHash(std::size_t sectionHash, std::string_view key) {
  return mixed(hashLowered(sectionHash, key));
}

void IniKeyIndex::lineInserted(std::size_t at) {
  for (Slot& slot : slots_) {
    if (slot.line == npos) continue;
    if (slot.line >= at) ++slot.line;
    if (slot.section >= at) ++slot.section;
  }
}

void IniKeyIndex::clear() {
  slots_.clear();
  count_ = 0;
}

void IniKeyIndex::grow() {
  std::vector<Slot> old(slots_.empty() ? 16 : 2 * slots_.size());
  old.swap(slots_);
  for (const Slot& slot : old) {
    if (slot.line == npos) continue;
    std::size_t i = slot.hash & mask();
    while (slots_[i].line != npos) i = (i + 1) & mask();
    slots_[i] = slot;
  }
}

}  // namespace settings
