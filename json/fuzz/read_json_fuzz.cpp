// Any text: ReadJson gives a tree or nil, and a tree's text reads back to
// the same text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "json/orvjson.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto tree = json::TorvJSON::ReadJson(text);
    if (!tree) return 0;
    const std::string written = json::TorvJSON::WriteJson(tree.get());
    const auto again = json::TorvJSON::ReadJson(written);
    if (!again || json::TorvJSON::WriteJson(again.get()) != written) std::abort();
    return 0;
}
