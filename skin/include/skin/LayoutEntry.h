#pragma once

#include <cstdint>
#include <string_view>

namespace skin {

// The parsed form of a layout string "NAME,x,y,w,h,help": where a control sits
// in its window's client pixels and the help text it carries. Fixed size and
// zero-filled so that a malformed string still yields a usable (empty) entry.
struct LayoutEntry {
  static constexpr int kNameCapacity = 40;   // 39 characters and the terminator
  static constexpr int kHelpCapacity = 404;  // 403 characters and the terminator

  char name[kNameCapacity] = {};
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
  char help[kHelpCapacity] = {};

  std::int32_t width() const { return right - left; }
  std::int32_t height() const { return bottom - top; }
  bool isEmpty() const { return width() <= 0 || height() <= 0; }
  std::string_view nameView() const { return name; }
  std::string_view helpView() const { return help; }
};

static_assert(sizeof(LayoutEntry) == 40 + 4 * 4 + 404);

// Never fails: missing numbers stay zero (the control then has an empty
// rectangle), over-long names and help texts are cut to their buffers.
LayoutEntry parseLayout(std::string_view layout);

}  // namespace skin
