// The generated code page 936 double-byte table (rtl/gbk_table.cpp).
#pragma once

namespace rtl::gbk_detail {

constexpr int kLeadCount = 0xFE - 0x81 + 1;  // lead bytes 81h..FEh
constexpr int kTrailCount = 0xFE - 0x40;     // 40h..7Eh and 80h..FEh

// Index of a trail byte in a table row, or -1 when it is no trail byte.
constexpr int TrailIndex(unsigned char trail)
{
    if (trail >= 0x40 && trail <= 0x7E) return trail - 0x40;
    if (trail >= 0x80 && trail <= 0xFE) return trail - 0x41;
    return -1;
}

extern const char16_t kDoubleByte[kLeadCount * kTrailCount];

}  // namespace rtl::gbk_detail
