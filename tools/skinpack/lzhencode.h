// LZHUF encoder: writes the bit stream that skin::TLZH reads, over the
// same adaptive tree, with matches of 3 to 60 bytes found in a 4096-byte
// window that starts out as the ring's pre-filled spaces.
#pragma once

#include <string>
#include <string_view>

namespace skinpack {

// The bit stream alone, padded with 0 bits to a whole byte.
std::string EncodeLzh(std::string_view data);
// A packed file: the 4-byte little-endian unpacked size, then the stream.
std::string PackBytes(std::string_view unpacked);

}  // namespace skinpack
