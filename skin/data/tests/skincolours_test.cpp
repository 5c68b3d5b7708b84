// Skin colours and the images made from other skin images, from small
// packed skins.
#include <gtest/gtest.h>

#include <memory>

#include "skin/data/skincolours.h"
#include "skin/draw/imgutil.h"
#include "skin/tests/pixels.h"
#include "skin/tests/skinfixture.h"

namespace skin {
namespace {

using test::BmpFile;
using test::kMagenta;
using test::PixelAt;
using test::SolidBmp;

using test::Load;

TEST(SkinColours, SlotsByKeyWithTheirDefaults)
{
    auto s = Load(
        "[colours]\r\n"
        "windowtext=1,2,3\r\n"
        "ButtonFace = 255 0 0\r\n"
        "Hilight=\r\n"  // empty: the default, not defined
        "Menu=0,0,255\r\n"
        "MenuText=R10 G20 B30\r\n"
        "ButtonText=7\r\n"      // one number: black
        "ButtonShadow=5,6\r\n"  // two: only red
        "ButtonShadow=9,9,9\r\n");
    using S = TColourSlot;
    struct Case {
        S slot;
        TColor colour;
        bool defined;
    } cases[] = {
        {S::WindowText, 0x030201, true},
        {S::ButtonFace, 0x0000FF, true},
        {S::Menubar, 0x0000FF, false},  // ButtonFace as just read
        {S::Hilight, fw::SysColor(COLOR_HIGHLIGHT), false},
        {S::Menu, 0xFF0000, true},
        {S::MenuText, 0x1E140A, true},
        {S::ButtonText, 0, true},
        {S::ButtonShadow, 0x000005, true},
        {S::Scrollbar, fw::SysColor(COLOR_SCROLLBAR), false},
        {S::HilightText, fw::SysColor(COLOR_HIGHLIGHTTEXT), false},
        {S::ButtonHilight, fw::SysColor(COLOR_BTNHIGHLIGHT), false},
        {S::Buttonlight, fw::SysColor(COLOR_BTNHIGHLIGHT), false},
        {S::ButtonDkShadow, fw::SysColor(COLOR_3DDKSHADOW), false},
        {S::MenuBarText, fw::SysColor(COLOR_MENUTEXT), false},
        {S::TitleTextActive, fw::SysColor(COLOR_CAPTIONTEXT), false},
        {S::TitleTextNoActive, fw::SysColor(COLOR_INACTIVECAPTIONTEXT), false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(s->Colour(c.slot), c.colour) << int(c.slot);
        EXPECT_EQ(s->ColourDefined(c.slot), c.defined) << int(c.slot);
    }
}

TEST(SkinColours, MenubarFollowsASystemButtonFace)
{
    auto s = Load("[Colours]\r\nMenu=1,1,1\r\n");
    EXPECT_EQ(s->Colour(TColourSlot::ButtonFace), fw::clBtnFace);
    EXPECT_EQ(s->Colour(TColourSlot::Menubar), fw::clBtnFace);
}

TEST(SkinColours, SectionAndCustomColours)
{
    auto s = Load(
        "[Colour1]\r\ncolor=1,2,3\r\n"
        "[COLOURS]\r\ncolor=9,9,9\r\n"  // the slots' section is no section colour
        "[colourX]\r\n"
        "[Customcolors]\r\nColor0=0,0,255\r\nColor9=1 1 1\r\nColor5=\r\n");
    ASSERT_EQ(s->SectionColours.size(), 2u);
    EXPECT_EQ(s->SectionColours[0], 0x030201);
    EXPECT_EQ(s->SectionColours[1], fw::SysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(s->CustomColours[0], 0xFF0000);
    EXPECT_EQ(s->CustomColours[5], fw::clWhite);
    EXPECT_EQ(s->CustomColours[9], 0x010101);
}

TEST(SkinColours, ButtonFaceBrushResolvesSystemColours)
{
    for (const char* ini : {"", "[Colours]\r\nButtonFace=10,20,30\r\n"}) {
        auto s = Load(ini);
        LOGBRUSH lb{};
        ASSERT_NE(s->ButtonFaceBrush.Handle(), nullptr);
        ASSERT_EQ(GetObjectW(s->ButtonFaceBrush.Handle(), sizeof lb, &lb), int(sizeof lb));
        EXPECT_EQ(lb.lbColor, fw::ColorToRGB(s->Colour(TColourSlot::ButtonFace))) << ini;
    }
}

TEST(SkinColours, FrameColourIsAPixelOfTheTopPiece)
{
    const std::string top = BmpFile(48, 60, [](int x, int y) { return x | y << 8; });
    struct Case {
        const char* ini;
        TColor colour;
    } cases[] = {
        {"[Personality]\r\nTop=t.bmp\r\nTopFrame=2\r\n", 16 | 10 << 8},
        {"[Personality]\r\nTop=t.bmp\r\nTopFrame=0\r\n", 16 | 20 << 8},  // a count of 0 counts as 1
        {"[Personality]\r\nTop=none.bmp\r\n[Colours]\r\nButtonFace=1,2,3\r\n", 0x030201},
    };
    for (const Case& c : cases) {
        auto s = Load(c.ini, {{"t.bmp", top}});
        EXPECT_EQ(GetFrameColour(*s), c.colour) << c.ini;
        EXPECT_EQ(s->Colour(TColourSlot::Frame), c.colour) << c.ini;
    }
}

TEST(SkinColours, ToolbarRampRunsFromButtonFaceToTheFrameColour)
{
    auto s = Load("[Personality]\r\nTop=t.bmp\r\n[Colours]\r\nButtonFace=100,110,120\r\n",
                  {{"t.bmp", SolidBmp(48, 30, 0xC8C8C8)}});
    ASSERT_NE(s->Toolbar, nullptr);
    TBitmap* ramp = s->Toolbar->Image.get();
    ASSERT_EQ(ramp->Width(), 10);
    ASSERT_EQ(ramp->Height(), 40);
    EXPECT_EQ(s->Toolbar->Frame, 1);
    EXPECT_EQ(PixelAt(ramp, 5, 0), MixColors(0x786E64, fw::clWhite, 150));
    // The ramp's last step rounds toward its start by at most 1.
    const TColor bottom = MixColors(0x808080, 0xC8C8C8, 150), last = PixelAt(ramp, 5, 39);
    for (int shift : {0, 8, 16})
        EXPECT_NEAR((last >> shift) & 0xFF, (bottom >> shift) & 0xFF, 1) << shift;
}

class ComboFrames : public ::testing::Test {
protected:
    // SunkEdge frames coloured 10 + f, ComboButton frames 20 + f (f from
    // 0), each with a magenta column in its middle.
    static std::string Strip(int frameWidth, int base)
    {
        return BmpFile(frameWidth * 4, 21, [=](int x, int) {
            return x % frameWidth == frameWidth / 2 ? kMagenta : base + x / frameWidth;
        });
    }
    std::unique_ptr<TSkinContent> LoadCombo(bool withSunkEdge)
    {
        std::string ini = "[ComboButton]\r\nImage=cb.bmp\r\n[Colours]\r\nButtonFace=1,2,3\r\n";
        if (withSunkEdge)
            ini += "[SunkEdge]\r\nImage=se.bmp\r\nTopHeight=2\r\nBottomHeight=3\r\nTrans=0\r\n";
        auto s = Load(ini, {{"cb.bmp", Strip(18, 20)}, {"se.bmp", Strip(20, 10)}});
        // A load leaves them to the first combo box that asks.
        EXPECT_FALSE(s->ComboPartsMade);
        EXPECT_EQ(s->ComboxArrow, nullptr);
        WithComboParts(*s);
        return s;
    }
    const int a = GetSystemMetrics(SM_CXHSCROLL) + 2;
};

TEST_F(ComboFrames, WholeFramesWithTheButtonRightAndMirrored)
{
    auto s = LoadCombo(true);
    TDataSkinBorder& combo = *s->ComboButton;
    TDataSkinObject& sunk = *s->SunkEdge;
    ASSERT_EQ(combo.Image->Width(), 200);
    ASSERT_EQ(combo.Image->Height(), 21);
    EXPECT_EQ(combo.Style, 2);
    EXPECT_EQ(combo.LeftWidth, 2);
    EXPECT_EQ(combo.RightWidth, a + 2);
    EXPECT_EQ(combo.TopHeight, 2);
    EXPECT_EQ(combo.BottomHeight, 3);
    EXPECT_EQ(sunk.LeftWidth, a + 2);
    EXPECT_EQ(sunk.RightWidth, 2);
    ASSERT_EQ(sunk.Image->Width(), 200);
    for (int b = 0; b < 4; ++b) {
        const int x0 = 50 * b;
        EXPECT_EQ(PixelAt(combo.Image.get(), x0, 10), 10 + b) << b;       // the edge's frame
        EXPECT_EQ(PixelAt(combo.Image.get(), x0 + 2, 2), kMagenta) << b;  // the field is left out
        EXPECT_EQ(PixelAt(combo.Image.get(), x0 + 48 - a, 17), kMagenta) << b;
        EXPECT_EQ(PixelAt(combo.Image.get(), x0 + 50 - a, 10), 20 + b) << b;  // the button's frame
        for (int x = 0; x < 50; ++x)
            ASSERT_EQ(PixelAt(sunk.Image.get(), 199 - x0 - x, 10),
                      PixelAt(combo.Image.get(), x0 + x, 10));
    }
    // The arrow: 17 x 17 out of each frame's button.
    TDataSkinObject& arrow = *s->ComboxArrow;
    ASSERT_EQ(arrow.Image->Width(), 68);
    ASSERT_EQ(arrow.Image->Height(), 17);
    EXPECT_EQ(arrow.Frame, 4);
    for (int i = 0; i < 4; ++i)
        for (int x : {0, 8, 16})
            EXPECT_EQ(PixelAt(arrow.Image.get(), 17 * i + x, 5),
                      PixelAt(combo.Image.get(), 50 * (i + 1) - 19 + x, 7));
}

TEST_F(ComboFrames, ArrowWithoutSunkEdgeIsTheButtonOnButtonFace)
{
    auto s = LoadCombo(false);
    TDataSkinObject& arrow = *s->ComboxArrow;
    EXPECT_EQ(arrow.Frame, 4);
    ASSERT_EQ(arrow.Image->Width(), 72);
    EXPECT_EQ(PixelAt(arrow.Image.get(), 9, 4), 0x030201);  // magenta became ButtonFace
    EXPECT_EQ(PixelAt(arrow.Image.get(), 0, 4), 20);
    EXPECT_EQ(s->ComboButton->Image->Width(), 72);  // unchanged
    // The mirrored copy of the button strip.
    EXPECT_EQ(PixelAt(s->ComboButton->Image2.get(), 71, 4), 20);
}

}  // namespace
}  // namespace skin
