// What the menu tests share: a skin whose MenuItem strip has one solid
// colour per frame, a one-colour MenuBackground and known menu colours,
// over the control tests' form and skin data.
#pragma once

#include <string>

#include "skin/controls/tests/controlfixture.h"

namespace skin::test {

// Colours of the menu skin, 00BBGGRRh.
constexpr fw::TColor kMenu = 0xC8C8C8;
constexpr fw::TColor kHilight = 0xA00000;
constexpr fw::TColor kMenuText = 0x000000;
constexpr fw::TColor kHilightText = 0xFFFFFF;
constexpr fw::TColor kShadow = 0x606060;
constexpr fw::TColor kMenuGround = 0x3070B0;
constexpr int kItemMargin = 3;  // the MenuItem strip's LeftWidth and RightWidth

// The menu skin; shadow: the ButtonShadow colour as "r,g,b"; menuItem:
// whether the skin has the MenuItem strip.
inline std::string MenuSkin(const std::string& shadow = "96,96,96", bool menuItem = true)
{
    std::string ini =
        "[TitlebarSkin]\r\nSkinName=Menus\r\n"
        "[Colours]\r\nButtonFace=224,160,48\r\nMenu=200,200,200\r\n"
        "Hilight=0,0,160\r\nMenuText=0,0,0\r\nHilightText=255,255,255\r\n"
        "ButtonShadow=" +
        shadow +
        "\r\n"
        "[Buttons]\r\nBitmap=buttons.bmp\r\n"
        "[MenuBackground]\r\nImage=menubg.bmp\r\nFrame=1\r\nLeftWidth=3\r\n"
        "RightWidth=3\r\nTopHeight=3\r\nBottomHeight=3\r\n";
    std::vector<skinpack::TSkinMember> members = {
        {"buttons.bmp", StripBmp(5, 10, 10)},
        {"menubg.bmp", SolidBmp(12, 12, kMenuGround)},
    };
    if (menuItem) {
        ini +=
            "[MenuItem]\r\nImage=menuitem.bmp\r\nFrame=5\r\nLeftWidth=3\r\nRightWidth=3\r\n"
            "Trans=0\r\nTile=0\r\n";
        members.push_back({"menuitem.bmp", StripBmp(5, 20, 20)});
    }
    return PackedSkin(ini, members);
}

// Whether any pixel of r in the bitmap has the colour.
inline bool AnyPixel(fw::TBitmap* b, const RECT& r, fw::TColor colour)
{
    for (int y = std::max<int>(r.top, 0); y < std::min<int>(r.bottom, b->Height()); ++y)
        for (int x = std::max<int>(r.left, 0); x < std::min<int>(r.right, b->Width()); ++x)
            if (PixelAt(b, x, y) == colour) return true;
    return false;
}

}  // namespace skin::test
