// One display area as the layout keeps it: what a memo on the sign canvas
// carries (bounds, Text, Tag as the area type, HelpKeyword as the property
// text) and what a [TEXTAREA<n>] section of "setprams.ini" holds. The
// window maps its memos to these records, in child order, and back.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace signboard {

inline constexpr int32_t kAreaText = 0;  // "文本区域"
inline constexpr int32_t kAreaLine = 1;  // "绘制横线区域"

// One area as "setprams.ini" keeps it. The fields are named after the keys
// of its [TEXTAREA<n>] section, in the file's own spelling and case.
struct AreaRecord {
    int32_t x = 20;  // Left in dots
    int32_t y = 20;  // Top
    int32_t width = 128;
    int32_t height = 16;
    std::string statictext;  // the area text with its markup tags
    int32_t areatype = kAreaText;
    std::string PropertyText;  // the area's property object as JSON text
    bool operator==(const AreaRecord&) const = default;
};

// The check made before an area is sent: Left and Top not negative, Width
// and Height at least 1, and every one of the four within the 16 bits the
// area frame carries, so that the sign gets the area's own bounds.
bool IsAreaSendable(const AreaRecord& area);
// The layout check made before an area is written: Left and Width multiples
// of 8 (a signed remainder, so 0 and negative multiples pass). Top and
// Height may be any value, and so may bounds the sign cannot carry: the
// file keeps every area the canvas holds, and the send passes over what
// fails IsAreaSendable. An area that fails only the multiples is still sent.
bool IsAreaSavable(const AreaRecord& area);

// The statictext value of an area text. A text that an ini line holds as it
// is gets "\" in front of it, as it always has been stored. A text holding a
// CR, LF or NUL byte, or ending in a byte the ini reader trims (a blank or a
// control byte), is stored as "%" followed by the text with every byte below
// 20h, every "%" and a final blank written as "%" and two hex digits, so
// that what is saved is what is read back.
std::string StoredAreaText(std::string_view text);
// The area text of a statictext value: after a leading "%" the escapes are
// undone (a "%" without two hex digits stays as it is); otherwise the first
// character, whatever it is, is dropped.
std::string AreaTextFromStored(std::string_view value);

// The canvas test of the window's move and resize vetoes: true when the
// area's right edge lies within canvasWidth and its bottom edge within
// canvasHeight. Computed without overflow.
bool AreaWithinCanvas(int32_t left, int32_t top, int32_t width, int32_t height, int32_t canvasWidth,
                      int32_t canvasHeight);
// The Left an area is given when it is selected: 0 when it is wider than
// the canvas or reaches past its right edge, else its own.
int32_t LeftOnSelect(int32_t left, int32_t width, int32_t canvasWidth);

}  // namespace signboard
