#include "framework/strings.h"

#include "rtl/gbk.h"

namespace fw {

FW_IMPLEMENT_CLASS(TStrings) {}

namespace {

bool SameGbkText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (rtl::IsGbkLeadByte(x) && i + 1 < a.size()) {
            if (x != y || a[i + 1] != b[i + 1]) return false;
            ++i;
            continue;
        }
        auto fold = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + 32) : c; };
        if (fold(x) != fold(y)) return false;
    }
    return true;
}

}  // namespace

int TStrings::Add(const std::string& s) {
    const int i = Count();
    Insert(i, s);
    return i;
}

int TStrings::IndexOf(std::string_view s) const {
    for (int i = 0; i < Count(); ++i)
        if (SameGbkText(Get(i), s)) return i;
    return -1;
}

std::vector<std::string> TStrings::ToVector() const {
    std::vector<std::string> out;
    for (int i = 0; i < Count(); ++i) out.push_back(Get(i));
    return out;
}

void TStrings::Assign(const TPersistent* source) {
    if (auto* other = dynamic_cast<const TStrings*>(source)) {
        if (other == this) return;
        Clear();
        for (int i = 0; i < other->Count(); ++i) {
            Add(other->Get(i));
            PutObject(i, other->GetObject(i));
        }
        return;
    }
    TPersistent::Assign(source);
}

void TStrings::IndexError(int index) {
    throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
}

}  // namespace fw
