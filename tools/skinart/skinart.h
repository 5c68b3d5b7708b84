// The art of the default skin, drawn by code: every image the skin ini
// names, and the three bitmaps the engine loads from the program's
// resources.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "skin/file/quickini.h"
#include "tools/skinart/raster.h"

namespace skinart {

// The [Colours] slots that the images are drawn against or share, so that
// a colour changed in the skin ini carries into the images.
struct TSkinColours {
    TRgb ButtonFace = Hex(0xECEFF3);
    TRgb ButtonShadow = Hex(0xA0AAB8);
    TRgb Scrollbar = Hex(0xEAEEF2);
    TRgb Menubar = Hex(0xE8ECF1);
    TRgb Menu = Hex(0xFAFBFC);
    TRgb Hilight = Hex(0xD6E3F3);
};

// The slots above from [Colours]; a missing or empty key keeps the value
// of TSkinColours.
TSkinColours ReadSkinColours(const skin::TQuickIni& ini);

struct TArtImage {
    TArtImage(std::string n, TRaster i, bool m = true, std::string r = {})
        : name(std::move(n)), image(std::move(i)), member(m), resource(std::move(r))
    {}

    std::string name;  // file name, lower case, ".bmp"
    TRaster image;
    bool member;           // packed into the skin file
    std::string resource;  // name of the program resource it also is, or empty
};

// Every image, in a fixed order.
std::vector<TArtImage> DrawSkinArt(const TSkinColours& colours);

// The painters, by family (one file each).
void DrawFrameArt(const TSkinColours& c, std::vector<TArtImage>& out);
void DrawButtonArt(const TSkinColours& c, std::vector<TArtImage>& out);
void DrawBoxArt(const TSkinColours& c, std::vector<TArtImage>& out);
void DrawRangeArt(const TSkinColours& c, std::vector<TArtImage>& out);
void DrawMenuArt(const TSkinColours& c, std::vector<TArtImage>& out);

// A mock window composed of the images, to look at the skin.
TRaster ComposePreview(const std::vector<TArtImage>& art);

// Writes one image as a 24-bit BMP file; false when it cannot be written.
bool WriteBmpFile(const std::string& path, const TRaster& image);

}  // namespace skinart
