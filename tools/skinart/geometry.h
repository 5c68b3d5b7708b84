// Sizes of the default skin's images. skins/default/skin.ini gives the
// engine the margins, frame counts and button places that go with them.
#pragma once

namespace skinart::geo {

// Window frame: left, right and bottom borders, the caption strip (the
// Top piece's frame height) and the radius of the two upper corners.
constexpr int kBorder = 4;
constexpr int kCaption = 30;
constexpr int kCorner = 6;
// Left and Right pieces: caption rows, a stretched middle, fixed bottom.
constexpr int kSideHeight = 40;
// Top and Bottom pieces: fixed ends (covering the corners), stretched middle.
constexpr int kTopWidth = 48;
constexpr int kTopEnd = 4;

// Caption buttons: frame size and top; Xcoord of each from the right edge.
constexpr int kCapButtonW = 30;
constexpr int kCapButtonH = 20;
constexpr int kCapButtonY = 5;
constexpr int kSysMenuSize = 16;

constexpr int kMenuBarFrameW = 24;
constexpr int kMenuBarFrameH = 16;
constexpr int kMdiButtonW = 16;
constexpr int kMdiButtonH = 14;

constexpr int kButtonSize = 22;  // Buttons and ToolBars frames
constexpr int kBoxSize = 13;     // check-box and radio-button frames
constexpr int kComboH = 21;
constexpr int kComboButtonW = 18;
constexpr int kSunkEdgeW = 20;
constexpr int kGlyphCell = 12;  // ExtraImages frames

constexpr int kScroll = 17;  // bar thickness and arrow length
constexpr int kThumbLength = 24;

}  // namespace skinart::geo
