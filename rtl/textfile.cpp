#include "rtl/textfile.h"

#include "rtl/gbk.h"

namespace rtl {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LEMark = "\xFF\xFE";
constexpr std::string_view kUtf16BEMark = "\xFE\xFF";
constexpr char16_t kReplacement = 0xFFFD;

bool IsUtf16(TTextEncoding e) { return e == TTextEncoding::Utf16LE || e == TTextEncoding::Utf16BE; }

// The code unit at byte position i of UTF-16 text.
char16_t UnitAt(std::string_view s, size_t i, TTextEncoding e)
{
    const auto a = static_cast<unsigned char>(s[i]);
    const auto b = static_cast<unsigned char>(s[i + 1]);
    return static_cast<char16_t>(e == TTextEncoding::Utf16LE ? a | b << 8 : a << 8 | b);
}

std::u16string Utf16FromBytes(std::string_view s, TTextEncoding e)
{
    std::u16string out;
    out.reserve(s.size() / 2 + 1);
    size_t i = 0;
    for (; i + 1 < s.size(); i += 2) out.push_back(UnitAt(s, i, e));
    if (i < s.size()) out.push_back(kReplacement);
    return out;
}

std::string Utf16ToBytes(std::u16string_view units, TTextEncoding e)
{
    std::string out;
    out.reserve(units.size() * 2);
    for (const char16_t u : units) {
        const auto low = static_cast<char>(u & 0xFF);
        const auto high = static_cast<char>(u >> 8);
        out += e == TTextEncoding::Utf16LE ? low : high;
        out += e == TTextEncoding::Utf16LE ? high : low;
    }
    return out;
}

bool IsContinuation(std::string_view s, size_t i)
{
    return i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80;
}

// UTF-8 to UTF-16; each malformed sequence (a stray or missing continuation
// byte, an overlong form, a surrogate, a value above U+10FFFF) gives one
// U+FFFD for its first byte.
std::u16string Utf16FromUtf8(std::string_view s)
{
    std::u16string out;
    out.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            out.push_back(c);
            ++i;
            continue;
        }
        const size_t extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        char32_t code = c & (0x3F >> extra);
        bool ok = extra > 0 && c < 0xF5;
        for (size_t k = 1; ok && k <= extra; ++k) {
            ok = IsContinuation(s, i + k);
            if (ok) code = code << 6 | (static_cast<unsigned char>(s[i + k]) & 0x3F);
        }
        static constexpr char32_t kLowest[] = {0, 0x80, 0x800, 0x10000};
        ok = ok && code >= kLowest[extra] && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
        if (!ok) {
            out.push_back(kReplacement);
            ++i;
            continue;
        }
        if (code >= 0x10000) {
            code -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(code));
        }
        i += extra + 1;
    }
    return out;
}

std::string Utf8FromUtf16(std::u16string_view units)
{
    std::string out;
    out.reserve(units.size() * 3);
    for (size_t i = 0; i < units.size(); ++i) {
        char32_t code = units[i];
        const bool pair = code >= 0xD800 && code <= 0xDBFF && i + 1 < units.size() &&
                          units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF;
        if (pair)
            code = 0x10000 + ((code - 0xD800) << 10) + (units[++i] - 0xDC00);
        else if (code >= 0xD800 && code <= 0xDFFF)
            code = kReplacement;
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | code >> 6);
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | code >> 12);
            out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | code >> 18);
            out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
            out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return out;
}

}  // namespace

TTextEncoding DetectTextEncoding(std::string_view bytes, size_t& markLength)
{
    const std::pair<std::string_view, TTextEncoding> marks[] = {
        {kUtf8Mark, TTextEncoding::Utf8},
        {kUtf16LEMark, TTextEncoding::Utf16LE},
        {kUtf16BEMark, TTextEncoding::Utf16BE},
    };
    for (const auto& [mark, encoding] : marks) {
        if (bytes.substr(0, mark.size()) == mark) {
            markLength = mark.size();
            return encoding;
        }
    }
    markLength = 0;
    return TTextEncoding::Gbk;
}

std::string ByteOrderMark(TTextEncoding encoding)
{
    switch (encoding) {
    case TTextEncoding::Utf8: return std::string(kUtf8Mark);
    case TTextEncoding::Utf16LE: return std::string(kUtf16LEMark);
    case TTextEncoding::Utf16BE: return std::string(kUtf16BEMark);
    case TTextEncoding::Gbk: break;
    }
    return {};
}

std::vector<std::string_view> SplitStoredLines(std::string_view stored, TTextEncoding encoding)
{
    // Line ends are CR (000Dh) and LF (000Ah): one byte each in GBK and
    // UTF-8, where no byte of a multi-byte character is below 40h, and one
    // code unit each in UTF-16.
    const size_t unit = IsUtf16(encoding) ? 2 : 1;
    auto codeAt = [&](size_t i) -> char16_t {
        return unit == 2 ? UnitAt(stored, i, encoding) : static_cast<unsigned char>(stored[i]);
    };
    std::vector<std::string_view> lines;
    size_t start = 0;
    size_t i = 0;
    while (i + unit <= stored.size()) {
        const char16_t c = codeAt(i);
        if (c != u'\r' && c != u'\n') {
            i += unit;
            continue;
        }
        lines.push_back(stored.substr(start, i - start));
        i += unit;
        if (c == u'\r' && i + unit <= stored.size() && codeAt(i) == u'\n') i += unit;
        start = i;
    }
    if (start < stored.size()) lines.push_back(stored.substr(start));
    return lines;
}

std::string StoredToGbk(std::string_view stored, TTextEncoding encoding)
{
    switch (encoding) {
    case TTextEncoding::Utf8: return Utf16ToGbk(Utf16FromUtf8(stored));
    case TTextEncoding::Utf16LE:
    case TTextEncoding::Utf16BE: return Utf16ToGbk(Utf16FromBytes(stored, encoding));
    case TTextEncoding::Gbk: break;
    }
    return std::string(stored);
}

std::string GbkToStored(std::string_view gbk, TTextEncoding encoding)
{
    switch (encoding) {
    case TTextEncoding::Utf8: return Utf8FromUtf16(GbkToUtf16(gbk));
    case TTextEncoding::Utf16LE:
    case TTextEncoding::Utf16BE: return Utf16ToBytes(GbkToUtf16(gbk), encoding);
    case TTextEncoding::Gbk: break;
    }
    return std::string(gbk);
}

}  // namespace rtl
