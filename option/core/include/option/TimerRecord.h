#pragma once

#include <cstddef>
#include <cstdint>

namespace option {

// One timer as Timer.ini stores it, byte for byte: the countdown length and a
// NUL-terminated name. The same two fields sit in a button slot.
struct TimerRecord {
  std::int32_t seconds;
  char name[100];
};
static_assert(offsetof(TimerRecord, seconds) == 0);
static_assert(offsetof(TimerRecord, name) == 4);
static_assert(sizeof(TimerRecord) == 104);

}  // namespace option
