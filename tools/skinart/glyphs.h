// Pixel glyphs of the skin: 'X' is ink, '.' is ground. Drawn crisp, so
// they stay clean on the magenta key of transparent images.
#pragma once

#include <string>
#include <vector>

namespace skinart::glyphs {

using TGlyph = std::vector<std::string>;

// Caption buttons and the system-menu images, 10 x 10.
inline const TGlyph kClose10 = {
    "X........X", ".X......X.", "..X....X..", "...X..X...", "....XX....",
    "....XX....", "...X..X...", "..X....X..", ".X......X.", "X........X",
};
inline const TGlyph kMaximize10 = {
    "XXXXXXXXXX", "X........X", "X........X", "X........X", "X........X",
    "X........X", "X........X", "X........X", "X........X", "XXXXXXXXXX",
};
inline const TGlyph kRestore10 = {
    "..XXXXXXXX", "..X......X", "XXXXXXXX.X", "X......X.X", "X......X.X",
    "X......X.X", "X......X.X", "X......XXX", "X......X..", "XXXXXXXX..",
};
inline const TGlyph kMinimize10 = {
    "..........", "..........", "..........", "..........", "..........",
    "XXXXXXXXXX", "..........", "..........", "..........", "..........",
};

// MDI child buttons in the menu bar, 8 x 8.
inline const TGlyph kClose8 = {
    "X......X", ".X....X.", "..X..X..", "...XX...", "...XX...", "..X..X..", ".X....X.", "X......X",
};
inline const TGlyph kRestore8 = {
    "..XXXXXX", "..X....X", "XXXXXX.X", "X....X.X", "X....X.X", "X....XXX", "X....X..", "XXXXXX..",
};
inline const TGlyph kMinimize8 = {
    "........", "........", "........", "........", "........", "........", "XXXXXXXX", "........",
};

// Arrows: a heavy chevron, 7 x 4 (down) and its turns.
inline const TGlyph kChevronDown = {"XX...XX", ".XX.XX.", "..XXX..", "...X..."};
inline const TGlyph kChevronUp = {"...X...", "..XXX..", ".XX.XX.", "XX...XX"};
inline const TGlyph kChevronLeft = {"...X", "..XX", ".XX.", "XX..", ".XX.", "..XX", "...X"};
inline const TGlyph kChevronRight = {"X...", "XX..", ".XX.", "..XX", ".XX.", "XX..", "X..."};

// Check mark of the check box, 9 x 7.
inline const TGlyph kCheck = {
    "........X", ".......XX", "X.....XX.", "XX...XX..", ".XX.XX...", "..XXX....", "...X.....",
};

// Size grip of the status bar, 12 x 12: three rows of dots.
inline const TGlyph kSizeGrip = {
    "............", "............", ".........XX.", ".........XX.", "............", "......XX.XX.",
    "......XX.XX.", "............", "...XX.XX.XX.", "...XX.XX.XX.", "............", "............",
};

}  // namespace skinart::glyphs
