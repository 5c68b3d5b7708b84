// Colours of the look that no [Colours] slot carries: the slate-blue
// window frame, its grey inactive form, and the accents of the controls.
#pragma once

#include "tools/skinart/raster.h"

namespace skinart::pal {

// Window frame, active and inactive.
struct TFrameColours {
    TRgb outline, highlight, captionTop, captionBottom, body, inner;
    TRgb glyph;  // caption-button glyphs
};
constexpr TFrameColours kActive{Hex(0x2F4B6E), Hex(0x86A5CB), Hex(0x5D83B1), Hex(0x47699A),
                                Hex(0x47699A), Hex(0x3A5984), Hex(0xFFFFFF)};
constexpr TFrameColours kInactive{Hex(0x8A97A8), Hex(0xE4E9EF), Hex(0xCDD5DF), Hex(0xBAC4D1),
                                  Hex(0xBAC4D1), Hex(0xA7B3C2), Hex(0x56667A)};
constexpr TRgb kCloseHot = Hex(0xD9473C);
constexpr TRgb kClosePressed = Hex(0xB5372E);

// Accent: selection, focus, checked boxes, fills.
constexpr TRgb kAccent = Hex(0x4F75AB);
constexpr TRgb kAccentDark = Hex(0x3F6396);
constexpr TRgb kAccentLight = Hex(0x7598C6);
constexpr TRgb kHotBorder = Hex(0x7E9CC6);
constexpr TRgb kPressedBorder = Hex(0x7F93AE);

constexpr TRgb kWhite = Hex(0xFFFFFF);
constexpr TRgb kBoxBorder = Hex(0x8D9AAC);

// Glyph inks: normal, pressed, disabled, hot.
constexpr TRgb kInk = Hex(0x5B6A7E);
constexpr TRgb kInkPressed = Hex(0x2F4A6E);
constexpr TRgb kInkDisabled = Hex(0xB4BDC8);
constexpr TRgb kInkHot = Hex(0x3F6A9E);

}  // namespace skinart::pal
