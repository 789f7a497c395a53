#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

// Finds the line of a key by its section and key names, compared without
// regard to ASCII letter case, without building lower-cased copies of them.
// The table holds line numbers and hashes only: whoever asks says whether the
// names on a stored entry's lines are the ones looked for, so the table never
// holds text that could go stale when a line is edited.
namespace settings {

class IniKeyIndex {
 public:
  static constexpr std::size_t npos = static_cast<std::size_t>(-1);

  // The hash of a section name, and of a key name within that section.
  static std::size_t sectionHash(std::string_view section);
  static std::size_t keyHash(std::size_t sectionHash, std::string_view key);

  // The line of the entry with that hash for which same(sectionLine, line)
  // holds, or npos.
  template <class Same>
  std::size_t find(std::size_t hash, const Same& same) const {
    if (slots_.empty()) return npos;
    for (std::size_t i = hash & mask();; i = (i + 1) & mask()) {
      const Slot& slot = slots_[i];
      if (slot.line == npos) return npos;
      if (slot.hash == hash && same(slot.section, slot.line)) return slot.line;
    }
  }

  // Adds an entry unless one with that hash for which same(sectionLine, line)
  // holds is there already (the first one added stays). True when added.
  template <class Same>
  bool add(std::size_t hash, std::size_t sectionLine, std::size_t line, const Same& same) {
    if (find(hash, same) != npos) return false;
    if (2 * (count_ + 1) > slots_.size()) grow();
    std::size_t i = hash & mask();
    while (slots_[i].line != npos) i = (i + 1) & mask();
    slots_[i] = {hash, sectionLine, line};
    ++count_;
    return true;
  }

  // A line was inserted before line `at`: every line number from `at` on
  // moves one down.
  void lineInserted(std::size_t at);
  void clear();
  std::size_t size() const { return count_; }

 private:
  struct Slot {
    std::size_t hash = 0;
    std::size_t section = npos;
    std::size_t line = npos;  // npos: free
  };
  std::size_t mask() const { return slots_.size() - 1; }
  void grow();

  std::vector<Slot> slots_;  // open addressing; a power of two, at most half full
  std::size_t count_ = 0;
};

}  // namespace settings
