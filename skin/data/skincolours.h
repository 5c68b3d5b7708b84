// The colours of a skin and the images made from other skin images when a
// skin is applied: the combo-box frames, the combo arrow, the toolbar ramp.
#pragma once

#include <string_view>

#include "skin/data/skinobjects.h"
#include "skin/file/quickini.h"

namespace skin {

// ParseRGB of a non-empty text, else the fallback.
TColor ColourOrDefault(std::string_view text, TColor fallback);

// The [Colours] slots (a key with an empty value counts as missing), the
// COLOUR* section colours and the [Customcolors] colours.
void ReadColours(TSkinContent& skin, const TQuickIni& ini);

// A colour from the integer keys stem+"R", stem+"G", stem+"B": set only
// when all three are given and not negative.
void ReadRGBKeys(const TQuickIni& ini, std::string_view section, std::string_view stem,
                 TColor& colour);

// The colour of the window frame: a pixel a third into the first frame of
// the Top border piece, or the ButtonFace slot without that image.
TColor GetFrameColour(const TSkinContent& skin);

// Needs SunkEdge and ComboButton (both of 4 frames): ComboButton becomes
// the whole combo-box frame with the button on the right (4 cells of
// 50 x 21), SunkEdge the same mirrored.
void BuildComboFrames(TSkinContent& skin);
// The combo arrow, taken from the ComboButton strip.
void BuildComboArrow(TSkinContent& skin);
// The combo box's parts, made from the loaded images the first time they
// are asked for after a load: the mirrored button strip (Image2), the whole
// frames (BuildComboFrames, when the skin has SunkEdge) and the arrow.
// Answers the skin.
TSkinContent& WithComboParts(TSkinContent& skin);
// The toolbar background: a vertical ramp of 10 x 40 from the frame and
// ButtonFace colours.
void BuildToolbarGradient(TSkinContent& skin);

}  // namespace skin
