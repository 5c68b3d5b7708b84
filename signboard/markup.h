// The area markup that an area frame carries: the area text with the tags
// its property object asks for, or a line for a line area.
//
// For a text area with every property set the markup is
//   "^speed :" speed "^", "^col:" c "^", "^fnt:" size "^", the text,
//   "^dly:" stoptime "^", "^loop:1^"
// and a live-time area (istime 1) is enclosed in "^ref:0^" .. "^ref:1^"
// with its placeholders YYYY MM DD HH MI SS WW turned into the sign's live
// fields. A line area (areatype 1) is "^line:0 0 " width " 0 " colour "^".
#pragma once

#include <string>

#include "signboard/areas.h"

namespace signboard {

struct TAreaMarkup {
    std::string Markup;
    bool Save = false;  // store the area in the sign (area frame C3h)
};

// Reads the property text with the JSON library. Text that gives no JSON
// object is no error: the markup is the area text as it is, not stored.
// A member that holds something other than a number raises
// rtl::EInvalidCast. Only the area's width, type, text and property text
// are used.
TAreaMarkup BuildAreaMarkup(const AreaRecord& area);

}  // namespace signboard
