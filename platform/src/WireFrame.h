#pragma once

#include <cstddef>
#include <cstdint>

// One message between processes: a fixed header, followed for WM_COPYDATA by
// its bytes. Travels as one SOCK_SEQPACKET record over a window's socket.
namespace platform::detail {

enum class FrameKind : std::uint16_t { Post = 1, Send = 2, Reply = 3 };

inline constexpr std::uint32_t kFrameMagic = 0x4D4B5356;  // "VSKM"
inline constexpr std::uint16_t kFrameVersion = 1;
// Send: the frame carries WM_COPYDATA bytes. Reply: the target window
// existed and its handler ran.
inline constexpr std::uint32_t kFrameCopyData = 1;
inline constexpr std::uint32_t kFrameHandled = 1;
// Largest WM_COPYDATA payload carried between processes; larger sends fail.
inline constexpr std::size_t kMaxCopyDataBytes = 64 * 1024;

struct WireFrame {
  std::uint32_t magic;
  std::uint16_t version;
  std::uint16_t kind;
  std::uint64_t target;
  std::uint64_t sequence;
  std::uint32_t message;
  std::uint32_t dataSize;
  std::uint64_t wParam;
  std::int64_t lParam;  // the result in a Reply
  std::uint64_t dwData;
  std::uint32_t flags;
  std::uint32_t reserved;
};

static_assert(offsetof(WireFrame, magic) == 0);
static_assert(offsetof(WireFrame, version) == 4);
static_assert(offsetof(WireFrame, kind) == 6);
static_assert(offsetof(WireFrame, target) == 8);
static_assert(offsetof(WireFrame, sequence) == 16);
static_assert(offsetof(WireFrame, message) == 24);
static_assert(offsetof(WireFrame, dataSize) == 28);
static_assert(offsetof(WireFrame, wParam) == 32);
static_assert(offsetof(WireFrame, lParam) == 40);
static_assert(offsetof(WireFrame, dwData) == 48);
static_assert(offsetof(WireFrame, flags) == 56);
static_assert(offsetof(WireFrame, reserved) == 60);
static_assert(sizeof(WireFrame) == 64);

}  // namespace platform::detail
