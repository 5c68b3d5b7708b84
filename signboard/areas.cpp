#include "signboard/areas.h"

#include "rtl/gbk.h"

namespace signboard {

namespace {

constexpr char kPlainLead = '\\';
constexpr char kEscapedLead = '%';
constexpr int32_t kFieldMax = 0xFFFF;

bool FitsField(int32_t value, int32_t lowest) { return value >= lowest && value <= kFieldMax; }

// The ini reader trims bytes up to the blank at both ends of a value and
// a line holds no CR, LF or NUL.
bool StoresAsItIs(std::string_view text)
{
    for (char c : text) {
        if (c == '\r' || c == '\n' || c == '\0') return false;
    }
    return text.empty() || static_cast<unsigned char>(text.back()) > ' ';
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

bool IsAreaSendable(const AreaRecord& area)
{
    return FitsField(area.x, 0) && FitsField(area.y, 0) && FitsField(area.width, 1) &&
           FitsField(area.height, 1);
}

bool IsAreaSavable(const AreaRecord& area) { return area.x % 8 == 0 && area.width % 8 == 0; }

std::string StoredAreaText(std::string_view text)
{
    if (StoresAsItIs(text)) return kPlainLead + std::string(text);

    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out(1, kEscapedLead);
    out.reserve(text.size() + 16);
    for (size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        const bool escape = b < ' ' || b == '%' || (b == ' ' && i + 1 == text.size());
        if (escape) {
            out += '%';
            out += kHex[b >> 4];
            out += kHex[b & 0x0F];
        } else {
            out += static_cast<char>(b);
        }
    }
    return out;
}

std::string AreaTextFromStored(std::string_view value)
{
    if (value.empty()) return {};
    if (value[0] != kEscapedLead) {
        // The first character: both bytes of a double-byte one.
        const size_t first = rtl::IsGbkCharBoundary(value, 1) ? 1 : 2;
        return std::string(value.substr(first));
    }
    std::string out;
    out.reserve(value.size());
    for (size_t i = 1; i < value.size(); ++i) {
        const int high = value[i] == '%' && i + 2 < value.size() ? HexDigit(value[i + 1]) : -1;
        const int low = high >= 0 ? HexDigit(value[i + 2]) : -1;
        if (low >= 0) {
            out += static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            out += value[i];
        }
    }
    return out;
}

bool AreaWithinCanvas(int32_t left, int32_t top, int32_t width, int32_t height, int32_t canvasWidth,
                      int32_t canvasHeight)
{
    return int64_t{left} + width <= canvasWidth && int64_t{top} + height <= canvasHeight;
}

int32_t LeftOnSelect(int32_t left, int32_t width, int32_t canvasWidth)
{
    if (width > canvasWidth || int64_t{left} + width > canvasWidth) return 0;
    return left;
}

}  // namespace signboard
