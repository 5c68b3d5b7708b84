// Case rules of skin names, sections and keys: ASCII letters fold to
// lower (or upper) case; the two bytes of a GBK double-byte character are left as
// they are (a trail byte may look like an ASCII capital).
#pragma once

#include <string>
#include <string_view>

namespace skin {

std::string LowerCase(std::string_view s);
std::string UpperCase(std::string_view s);
bool SameText(std::string_view a, std::string_view b);

}  // namespace skin
