// Applying a skin: its ini text and the BMP members the ini names become
// the skin objects, colours and derived images of a TSkinContent.
//
// Sections and keys are matched case-insensitively, the first matching
// key of the first matching section wins, and a missing, empty or
// non-numeric value takes the default. Frame counts always come out at
// least 1, whatever the ini says.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "skin/data/skinobjects.h"
#include "skin/file/quickini.h"
#include "skin/file/skinread.h"

namespace skin {

// The most image memory one load may build: the pixels of every image the
// ini names, each name decoded into a bitmap of its own, and the member
// bytes read for them. Real skins take a few MiB; a skin past this (many
// sections naming one large image) is a bad file.
constexpr int64_t kMaxSkinImageBytes = int64_t(256) << 20;

// Refills the content from the ini text and the members of the reader.
// Images that are missing or no valid BMP are empty. The objects absent
// from the ini are freed; "Track" and "TRACKVERT" fall back to the
// program's bitmap resources of those names. False, with the content
// partly filled (to be thrown away), when the images would take more than
// kMaxSkinImageBytes or memory runs out; nothing is raised for skin data.
bool ApplySkinIni(TSkinContent& skin, const TQuickIni& ini, const TSkinReader& reader);

// The member an image value names: its file name part (after the last
// backslash or colon), or empty when that is empty or the value does not
// end in ".bmp" (compared case-sensitively).
std::string SkinImageMember(std::string_view value);

// Loads the named member into the bitmap and gives the member's byte
// count; the bitmap is cleared when the value names no BMP member, the
// member is missing or empty, or its bytes are no valid BMP. No room for
// the pixels raises std::bad_alloc or fw::EOutOfResources.
size_t LoadSkinBitmap(TBitmap& bitmap, const TSkinReader& reader, std::string_view value);

}  // namespace skin
