// The large sign's two commands: clear the sign (C5h) and load one display
// area (C3h to store it in the sign, C4h not to). Each builds one frame body
// (screen, 8Eh, command, fields, FCS low, FCS high) and sends it through the
// link's board exchange; true when the sign answered with its "OK".
//
// 16-bit fields are little-endian and carry the low 16 bits of the value;
// the screen number goes out as its low byte.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "signlink/link.h"

namespace signboard {

// The longest markup whose length field (markup + 10) fits 16 bits.
inline constexpr size_t kMaxMarkupLength = 0xFFFF - 10;

// 13 bytes: screen, 8Eh, C5h, eight 00h, FCS.
std::vector<uint8_t> ClearFrameBody(int screen);

// markup.size() + 15 bytes: screen, 8Eh, C3h/C4h, length (markup + 10),
// Left, Top, Height, Width, the markup's bytes, FCS. Nothing when the
// markup is longer than kMaxMarkupLength.
std::optional<std::vector<uint8_t>> AreaFrameBody(int screen, int left, int top, int width,
                                                  int height, bool save, std::string_view markup);

bool ClearScreen(signlink::TSignLink& link, int screen);
// A markup too long for the length field is refused as a failed exchange:
// nothing is sent.
bool SendArea(signlink::TSignLink& link, int screen, int left, int top, int width, int height,
              bool save, std::string_view markup);

}  // namespace signboard
