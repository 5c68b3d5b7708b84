// JSON text and node trees: the lenient reader and the compact writer.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "json/nodes.h"

namespace json {

class TorvJSON {
public:
    // Arrays and objects nested deeper than this make the read fail.
    static constexpr int kMaxDepth = 512;

    // The tree of the value the text holds (after an optional UTF-8 byte
    // order mark and blanks; what follows the value is not looked at), or
    // nil for an empty text or any failure. Objects are made with Indexed on.
    static std::unique_ptr<TorvJSONbase> ReadJson(std::string_view text);

    // Compact text (no blanks, strings as UTF-8) of the tree; a nil root
    // gives the empty string. The text always reads back with ReadJson:
    // a missing value, a NaN or infinite number, or a node that is no
    // value is written as null, an object child that is no member record
    // is left out, and a member record outside an object gives its value.
    static std::string WriteJson(const TorvJSONbase* root);
};

}  // namespace json
