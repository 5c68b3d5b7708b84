// Applying a skin: its ini text and the BMP members the ini names become
// the skin objects, colours and derived images of a TSkinContent.
//
// Sections and keys are matched case-insensitively, the first matching
// key of the first matching section wins, and a missing, empty or
// non-numeric value takes the default. Frame counts always come out at
// least 1, whatever the ini says.
#pragma once

#include <string>
#include <string_view>

#include "skin/data/skinobjects.h"
#include "skin/file/quickini.h"
#include "skin/file/skinread.h"

namespace skin {

// Refills the content from the ini text and the members of the reader.
// Images that are missing or no valid BMP are empty; nothing is raised for
// bad skin data. The objects absent from the ini are freed; "Track" and
// "TRACKVERT" fall back to the program's bitmap resources of those names.
void ApplySkinIni(TSkinContent& skin, const TQuickIni& ini, const TSkinReader& reader);

// The member an image value names: its file name part (after the last
// backslash or colon), or empty when that is empty or the value does not
// end in ".bmp" (compared case-sensitively).
std::string SkinImageMember(std::string_view value);

// Loads the named member into the bitmap; it is cleared when the value
// names no BMP member, the member is missing or empty, or its bytes are no
// valid BMP.
void LoadSkinBitmap(TBitmap& bitmap, const TSkinReader& reader, std::string_view value);

}  // namespace skin
