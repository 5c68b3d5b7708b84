#include "rtl/textcase.h"

#include "rtl/gbk.h"

namespace rtl {

namespace {

char FoldByte(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }
char UpperByte(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

// True when position i starts a double-byte character.
bool PairAt(std::string_view s, size_t i)
{
    return IsGbkLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() && s[i + 1] != '\0';
}

template <char (*Map)(char)>
std::string MapSingleBytes(std::string_view s)
{
    std::string out(s);
    for (size_t i = 0; i < out.size(); ++i) {
        if (PairAt(out, i))
            ++i;  // the trail byte stays as it is
        else
            out[i] = Map(out[i]);
    }
    return out;
}

}  // namespace

std::string FoldCase(std::string_view s) { return MapSingleBytes<FoldByte>(s); }

std::string UpperCase(std::string_view s) { return MapSingleBytes<UpperByte>(s); }

bool SameText(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (PairAt(a, i)) {
            // Equal lead bytes keep both texts on the same character boundary.
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
            ++i;
            continue;
        }
        if (FoldByte(a[i]) != FoldByte(b[i])) return false;
    }
    return true;
}

}  // namespace rtl
