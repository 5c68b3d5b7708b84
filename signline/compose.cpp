#include "signline/compose.h"

#include <algorithm>
#include <array>
#include <vector>

#include "rtl/gbk.h"
#include "signlink/crc16.h"

namespace signline {

namespace {

struct TCode {
    const char* text;
    char byte;
};

// Translation order.
constexpr std::array<TCode, 23> kCodes = {{
    {"\\3", 0x03},  {"\\4", 0x04},  {"\\5", 0x05},  {"\\6", 0x06},  {"\\7", 0x07},  {"\\8", 0x08},
    {"\\9", 0x09},  {"\\A", 0x0A},  {"\\B", 0x0B},  {"\\C", 0x0C},  {"\\D", 0x0D},  {"\\E", 0x0E},
    {"\\F", 0x0F},  {"\\10", 0x10}, {"\\11", 0x11}, {"\\12", 0x12}, {"\\13", 0x13}, {"\\14", 0x14},
    {"\\15", 0x15}, {"\\16", 0x16}, {"\\17", 0x17}, {"\\18", 0x18}, {"\\19", 0x19},
}};

// Bytes of the character starting at i: two for a lead byte with a
// non-zero byte after it, else one (the codec's rule).
size_t CharLength(std::string_view s, size_t i)
{
    if (rtl::IsGbkLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() &&
        s[i + 1] != '\0')
        return 2;
    return 1;
}

// Every occurrence at a character boundary, scanning left to right. A
// replacement is one byte below 20h, so it never forms a new occurrence:
// one scan leaves none.
std::string ReplaceCode(std::string_view s, const TCode& code)
{
    const std::string_view pattern(code.text);
    std::string out;
    out.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        if (s.compare(i, pattern.size(), pattern) == 0) {
            out += code.byte;
            i += pattern.size();
            continue;
        }
        const size_t n = CharLength(s, i);
        out.append(s.substr(i, n));
        i += n;
    }
    return out;
}

int Nibble(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 0;
}

// s with blanks round it: as many before as after, or one more after.
std::string Padded(std::string_view s, size_t blanks)
{
    const size_t before = blanks / 2;
    std::string out;
    out.reserve(s.size() + blanks);
    out.append(before, ' ');
    out.append(s);
    out.append(blanks - before, ' ');
    return out;
}

}  // namespace

std::string TranslateControlCodes(std::string_view s)
{
    std::string out(s);
    for (const TCode& code : kCodes) out = ReplaceCode(out, code);
    return out;
}

std::string ComposeMessage(std::string_view text, const TComposeChoice& choice)
{
    std::string s(text);
    static constexpr const char* kColor[] = {"\\6", "\\7", "\\8"};
    static constexpr const char* kFont[] = {"\\3", "\\4", "\\5"};
    if (choice.ColorIndex >= 0 && choice.ColorIndex < 3) s.insert(0, kColor[choice.ColorIndex]);
    if (choice.FontIndex >= 0 && choice.FontIndex < 3) s.insert(0, kFont[choice.FontIndex]);
    const char line = choice.LineIndex == 0 ? '\x01' : '\x02';
    if (choice.Window16) s.insert(0, std::string{line, '\x09'});
    if (choice.Window32) s.insert(0, std::string{line, '\x0A'});
    if (!choice.Window16 && !choice.Window32) s.insert(0, 1, line);
    if (choice.Save) s += "\\B";
    return TranslateControlCodes(s);
}

std::string CenterText(std::string_view s, int width)
{
    if (width <= 0) return std::string(s);
    const auto w = static_cast<size_t>(width);
    if (s.size() >= w) return std::string(s.substr(0, w));
    return Padded(s, w - s.size());
}

std::string CenterToCount(std::string_view s, int32_t count, size_t maxChars)
{
    const int64_t width = 2 * int64_t{count};
    if (width <= 0) return std::string(s);
    const auto w = static_cast<uint64_t>(width);
    if (s.size() >= w) return std::string(s.substr(0, static_cast<size_t>(w)));
    const size_t chars = rtl::GbkToUtf16(s).size();
    const size_t room = maxChars > chars ? maxChars - chars : 0;
    return Padded(s, static_cast<size_t>(std::min<uint64_t>(w - s.size(), room)));
}

uint8_t HexPairToByte(std::string_view pair)
{
    const int high = pair.size() > 0 ? Nibble(pair[0]) : 0;
    const int low = pair.size() > 1 ? Nibble(pair[1]) : 0;
    return static_cast<uint8_t>(high * 16 + low);
}

std::string HexPad2(unsigned value)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    return {kDigits[(value >> 4) & 0xF], kDigits[value & 0xF]};
}

std::string ChecksumText(std::string_view hexList)
{
    if (hexList.empty()) return {};
    std::string s(hexList);
    std::vector<uint8_t> bytes;
    bytes.push_back(HexPairToByte(std::string_view(s).substr(0, 2)));
    for (size_t blank; (blank = s.find(' ')) != std::string::npos;) {
        const std::string_view pair = std::string_view(s).substr(blank + 1, 2);
        if (bytes.size() < kChecksumBytes) bytes.push_back(HexPairToByte(pair));
        s.erase(blank, 1 + pair.size());
    }
    const uint16_t crc = signlink::Crc16(bytes.data(), bytes.size());
    return HexPad2(crc >> 8) + " " + HexPad2(crc & 0xFF);
}

}  // namespace signline
