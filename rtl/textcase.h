// Case-insensitive comparison of 8-bit GBK text as the 8-bit string list
// and the profile functions make it, and the case rules of skin names,
// sections and keys: ASCII letters fold, a double-byte character (lead
// byte 81h..FEh and the byte after it) is kept as its two bytes, so a
// trail byte that happens to be an ASCII letter never folds. A lead byte
// before 00h or at the end stands alone (00h is never a trail byte); as
// neither it nor 00h has a case, that only keeps the boundaries right.
#pragma once

#include <string>
#include <string_view>

namespace rtl {

// The text with ASCII capitals turned to small letters, double-byte
// characters left as they are. Two texts are SameText exactly when their
// folded forms are equal, so the folded form serves as a lookup key.
std::string FoldCase(std::string_view s);

// The text with ASCII small letters turned to capitals, double-byte
// characters left as they are.
std::string UpperCase(std::string_view s);

bool SameText(std::string_view a, std::string_view b);

}  // namespace rtl
