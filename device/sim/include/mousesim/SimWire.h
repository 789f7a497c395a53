#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// The simulator's socket protocol. Every message is a frame: 32-bit length
// (little-endian, counting kind and payload), one kind byte, the payload.
//
//   client -> simulator                      simulator -> client
//   'S' report bytes  (SetFeature)           'R' ok byte
//   'G' report bytes  (GetFeature)           'R' ok byte, report bytes
//   'O'               (open: plugged?)       'R' ok byte, product id (u16)
//   'W'               (watch)                'P' plugged byte, now and on every change;
//                                            'E' type u16, value u16 per event
//   'C' args, NUL-separated (control)        'T' exit code byte, text
namespace mousesim::wire {

enum Kind : std::uint8_t {
  kSet = 'S',
  kGet = 'G',
  kOpen = 'O',
  kWatch = 'W',
  kControl = 'C',
  kReply = 'R',
  kText = 'T',
  kEvent = 'E',
  kPlug = 'P',
};

inline constexpr std::size_t kMaxFrame = 16u << 20;

// The socket the simulator listens on: $VESK_MOUSE_SIM, else
// "mouse-sim.sock" in the user's runtime folder.
std::string defaultSocketPath();

// A connected stream socket, -1 on failure.
int connectTo(const std::string& path);
// Whole frame or failure (the peer went away).
bool sendFrame(int fd, Kind kind, std::span<const std::uint8_t> payload);
// Blocks until a whole frame arrived; false when the peer went away or sent
// something too large.
bool receiveFrame(int fd, std::uint8_t& kind, std::vector<std::uint8_t>& payload);

// Splits complete frames off the front of a receive buffer.
bool takeFrame(std::vector<std::uint8_t>& buffer, std::uint8_t& kind,
               std::vector<std::uint8_t>& payload, bool& malformed);

}  // namespace mousesim::wire
