// Little-endian integers in byte buffers, as the file formats store them
// (BMP headers, the skin container, length prefixes). The caller checks
// that the bytes are there.
#pragma once

#include <cstdint>

namespace rtl {

inline uint16_t ReadLe16(const void* at)
{
    const auto* p = static_cast<const uint8_t*>(at);
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

inline uint32_t ReadLe32(const void* at)
{
    const auto* p = static_cast<const uint8_t*>(at);
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

}  // namespace rtl
