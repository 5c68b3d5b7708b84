#include "skin/file/skintext.h"

namespace skin {

namespace {
bool IsLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }
}  // namespace

std::string LowerCase(std::string_view s)
{
    std::string out(s);
    for (size_t i = 0; i < out.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(out[i]);
        if (IsLeadByte(c) && i + 1 < out.size())
            ++i;  // keep the pair whole
        else if (c >= 'A' && c <= 'Z')
            out[i] = char(c - 'A' + 'a');
    }
    return out;
}

std::string UpperCase(std::string_view s)
{
    std::string out(s);
    for (size_t i = 0; i < out.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(out[i]);
        if (IsLeadByte(c) && i + 1 < out.size())
            ++i;
        else if (c >= 'a' && c <= 'z')
            out[i] = char(c - 'a' + 'A');
    }
    return out;
}

bool SameText(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && LowerCase(a) == LowerCase(b);
}

}  // namespace skin
