#include "rtl/textcase.h"

#include "rtl/gbk.h"

namespace rtl {

namespace {
char FoldByte(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }
}  // namespace

std::string FoldCase(std::string_view s)
{
    std::string out(s);
    for (size_t i = 0; i < out.size(); ++i) {
        const auto b = static_cast<unsigned char>(out[i]);
        if (IsGbkLeadByte(b) && i + 1 < out.size() && out[i + 1] != '\0') {
            ++i;  // the trail byte stays as it is
            continue;
        }
        out[i] = FoldByte(out[i]);
    }
    return out;
}

bool SameText(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto b0 = static_cast<unsigned char>(a[i]);
        if (IsGbkLeadByte(b0) && i + 1 < a.size() && a[i + 1] != '\0') {
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
