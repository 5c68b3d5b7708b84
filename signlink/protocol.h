// Byte values of the two sign protocols, in one place for the programs, the
// link's acknowledgement tests and the sign stand-in.
#pragma once

#include <cstdint>

namespace signlink {

// Strip sign: requests carry type 01h, acknowledgements type 02h echoing
// the command byte.
inline constexpr uint8_t kStripRequest = 0x01;
inline constexpr uint8_t kStripAck = 0x02;
inline constexpr uint8_t kCmdText = 0x44;    // 'D' show text
inline constexpr uint8_t kCmdClock = 0x56;   // 'V' set clock
inline constexpr uint8_t kCmdRecall = 0x57;  // 'W' recall stored content

// Large sign: requests and acknowledgements carry type 8Eh; an
// acknowledgement holds "OK" after the command byte.
inline constexpr uint8_t kBoardType = 0x8E;
inline constexpr uint8_t kCmdAreaStore = 0xC3;
inline constexpr uint8_t kCmdAreaNoStore = 0xC4;
inline constexpr uint8_t kCmdClear = 0xC5;

}  // namespace signlink
