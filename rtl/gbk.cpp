#include "rtl/gbk.h"

#include <array>
#include <cstdint>

#include "rtl/gbk_table.h"

namespace rtl {

namespace {

using gbk_detail::kDoubleByte;
using gbk_detail::kTrailCount;
using gbk_detail::TrailIndex;

constexpr char16_t kUnicodeDefault = u'?';
constexpr char kDefaultChar = '?';

char16_t SingleByte(unsigned char b)
{
    if (b < 0x80) return b;
    if (b == 0x80) return 0x20AC;
    if (b == 0xFF) return 0xF8F5;
    return kUnicodeDefault;  // a lead byte on its own
}

char16_t Pair(unsigned char lead, unsigned char trail)
{
    const int column = TrailIndex(trail);
    if (column < 0) return kUnicodeDefault;
    return kDoubleByte[(lead - 0x81) * kTrailCount + column];
}

// Code unit -> bytes: 0 for no mapping, a value up to FFh for one byte,
// else lead * 256 + trail.
const std::array<uint16_t, 0x10000>& EncodeTable()
{
    static const std::array<uint16_t, 0x10000> table = [] {
        std::array<uint16_t, 0x10000> t{};
        for (int lead = 0x81; lead <= 0xFE; ++lead)
            for (int trail = 0x40; trail <= 0xFE; ++trail) {
                const int column = TrailIndex(static_cast<unsigned char>(trail));
                if (column < 0) continue;
                const char16_t unit = kDoubleByte[(lead - 0x81) * kTrailCount + column];
                t[unit] = static_cast<uint16_t>(lead << 8 | trail);
            }
        for (unsigned b = 1; b < 0x80; ++b) t[b] = static_cast<uint16_t>(b);
        t[0x20AC] = 0x80;
        t[0xF8F5] = 0xFF;
        return t;
    }();
    return table;
}

}  // namespace

bool IsGbkCharBoundary(std::string_view s, size_t i)
{
    if (i > s.size()) return false;
    if (i == 0 || i == s.size()) return true;
    // The byte before a run of lead-range bytes always ends a character, so
    // the run pairs up from its start; an odd run leaves its last lead byte
    // to take the byte at i, unless that byte is 00h.
    size_t run = 0;
    while (run < i && IsGbkLeadByte(static_cast<unsigned char>(s[i - 1 - run]))) ++run;
    return run % 2 == 0 || s[i] == '\0';
}

std::u16string GbkToUtf16(std::string_view s)
{
    std::u16string out;
    out.reserve(s.size());
    const size_t n = s.size();
    for (size_t i = 0; i < n; ++i) {
        const auto b = static_cast<unsigned char>(s[i]);
        if (b < 0x80) {
            out.push_back(b);
        } else if (IsGbkLeadByte(b) && i + 1 < n && s[i + 1] != '\0') {
            out.push_back(Pair(b, static_cast<unsigned char>(s[i + 1])));
            ++i;
        } else {
            out.push_back(SingleByte(b));
        }
    }
    return out;
}

std::string Utf16ToGbk(std::u16string_view s)
{
    const auto& table = EncodeTable();
    std::string out;
    out.reserve(s.size() * 2);
    for (const char16_t unit : s) {
        if (unit < 0x80) {
            out.push_back(static_cast<char>(unit));
            continue;
        }
        const uint16_t code = table[unit];
        if (code == 0) {
            out.push_back(kDefaultChar);
        } else if (code <= 0xFF) {
            out.push_back(static_cast<char>(code));
        } else {
            out.push_back(static_cast<char>(code >> 8));
            out.push_back(static_cast<char>(code & 0xFF));
        }
    }
    return out;
}

}  // namespace rtl
