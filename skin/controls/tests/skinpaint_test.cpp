// The shared paint routines: strip frames (clamped, shrunk colour on
// colour so that the magenta key survives), the right-to-left flag, the
// first "||" of a caption, glyphs of a strip and their grey copies.
#include "skin/controls/skinpaint.h"

#include <gtest/gtest.h>

#include "framework/stdctrls.h"
#include "skin/controls/tests/controlfixture.h"

namespace skin {
namespace {

using test::FrameColour;
using test::PixelAt;

TEST(ReplaceFirstWide, OnlyTheFirstOccurrence)
{
    EXPECT_EQ(ReplaceFirstWide(L"a||b||c", L"||", L"\r\n"), L"a\r\nb||c");
    EXPECT_EQ(ReplaceFirstWide(L"abc", L"||", L"\r\n"), L"abc");
    EXPECT_EQ(ReplaceFirstWide(L"", L"||", L"\r\n"), L"");
}

class PaintTest : public test::ControlTest {};

TEST_F(PaintTest, StripFramesClampedAndShrunkColourOnColour)
{
    auto strip = test::MakeBitmap(40, 10, [](int x, int) { return FrameColour(x / 10 + 1); });
    auto target = test::Solid(30, 10, 0x000000);
    HDC dc = target->Canvas()->Handle();
    // Frame 9 of 4 is the last; frame 0 the first; nothing for an inverted rectangle.
    DrawStripFrame(dc, {0, 0, 10, 10}, 4, 9, strip.get());
    DrawStripFrameMasked(dc, {10, 0, 20, 10}, 4, 0, strip.get());
    DrawStripFrame(dc, {25, 0, 20, 10}, 4, 1, strip.get());
    EXPECT_EQ(PixelAt(target.get(), 5, 5), FrameColour(4));
    EXPECT_EQ(PixelAt(target.get(), 15, 5), FrameColour(1));
    EXPECT_EQ(PixelAt(target.get(), 25, 5), 0x000000);

    // A checkerboard of magenta and yellow shrunk to half keeps whole
    // pixels, magenta ones left out; shrinking that ANDs or blends pixels
    // would leave colours of neither (red where it ANDs).
    auto checker = test::MakeBitmap(8, 8, [](int x, int y) {
        return (x + y) % 2 == 0 ? fw::TColor(0xFF00FF) : fw::TColor(0x00FFFF);
    });
    auto small = test::Solid(4, 4, 0x00FF00);
    DrawStripFrame(small->Canvas()->Handle(), {0, 0, 4, 4}, 1, 1, checker.get());
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            const fw::TColor c = PixelAt(small.get(), x, y);
            EXPECT_TRUE(c == 0x00FF00 || c == 0x00FFFF) << x << "," << y << " " << c;
        }
}

TEST_F(PaintTest, RightToLeftOnlyForThatMode)
{
    auto* button = Put<fw::TButton>(0, 0, 50, 20);
    TSkinControl* s = new TSkinControl(button);
    s->InitControl(&list, data.get(), false, nullptr);
    for (fw::TBiDiMode mode :
         {fw::bdLeftToRight, fw::bdRightToLeftNoAlign, fw::bdRightToLeftReadingOnly}) {
        button->SetBiDiMode(mode);
        EXPECT_EQ(BiDiTextFlags(s, DT_CENTER), UINT(DT_CENTER)) << mode;
    }
    button->SetBiDiMode(fw::bdRightToLeft);
    EXPECT_EQ(BiDiTextFlags(s, DT_CENTER), UINT(DT_CENTER | DT_RTLREADING));
}

TEST_F(PaintTest, CaptionBreaksAtTheFirstBars)
{
    auto* button = Put<fw::TButton>(0, 0, 200, 60);
    TSkinControl* s = new TSkinControl(button);
    s->InitControl(&list, data.get(), false, nullptr);
    auto one = test::Solid(200, 60, 0xFFFFFF);
    auto two = test::Solid(200, 60, 0xFFFFFF);
    s->DisplayText = L"Send";
    DrawButtonCaption(s, one->Canvas()->Handle(), {0, 0, 200, 60}, DT_CENTER);
    s->DisplayText = L"Send||Now";
    DrawButtonCaption(s, two->Canvas()->Handle(), {0, 0, 200, 60}, DT_CENTER);
    EXPECT_EQ(s->DisplayText, L"Send\r\nNow");
    // Rows with ink: one line against two.
    auto inkRows = [](fw::TBitmap* b) {
        int rows = 0;
        for (int y = 0; y < b->Height(); ++y)
            for (int x = 0; x < b->Width(); ++x)
                if (PixelAt(b, x, y) != 0xFFFFFF) {
                    ++rows;
                    break;
                }
        return rows;
    };
    EXPECT_GT(inkRows(two.get()), inkRows(one.get()) * 3 / 2);
}

TEST_F(PaintTest, GlyphsOfAStripAndTheGreyCopy)
{
    // Two 8 x 8 glyphs on white: red and green squares.
    auto strip = test::MakeBitmap(16, 8, [](int x, int y) {
        if (y == 7 || x % 8 == 0) return fw::TColor(0xFFFFFF);
        return x < 8 ? fw::TColor(0x0000FF) : fw::TColor(0x00FF00);
    });
    auto target = test::Solid(40, 10, 0x000000);
    fw::TCanvas* canvas = target->Canvas();
    DrawBitGlyph(canvas, {0, 0}, 2, 3, strip.get());   // past the strip: the first
    DrawBitGlyph(canvas, {10, 0}, 2, 2, strip.get());  // the grey copy
    DrawBitGlyph(canvas, {20, 0}, 1, 4, strip.get());  // one glyph of 16: the whole
    EXPECT_EQ(PixelAt(target.get(), 4, 3), 0x0000FF);
    EXPECT_EQ(PixelAt(target.get(), 0, 7), 0x000000);  // its white left transparent
    const fw::TColor grey = PixelAt(target.get(), 14, 3);
    EXPECT_EQ(grey, fw::ColorToRGB(fw::clBtnShadow));
    // The grey copy is one glyph wide.
    EXPECT_EQ(PixelAt(target.get(), 19, 3), 0x000000);
    EXPECT_EQ(PixelAt(target.get(), 32, 3), 0x00FF00);

    // No image list: no image and no space for one.
    EXPECT_NO_THROW(ImageListDrawGlyph(nullptr, canvas, {0, 0, 40, 10}, 0, L"", 0, nullptr));
}

}  // namespace
}  // namespace skin
