// The shared paint routines: strip frames (clamped, shrunk colour on
// colour so that the magenta key survives), the right-to-left flag, the
// first "||" of a caption, glyphs of a strip and their grey copies, state
// texts and aligned captions against DrawText's own drawing, and arrows.
#include "skin/controls/skinpaint.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

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
    // Two 8 x 8 glyphs on white: a red square, and a green one with a
    // black bar down its middle (the ink its grey copy embosses).
    auto strip = test::MakeBitmap(16, 8, [](int x, int y) {
        if (y == 7 || x % 8 == 0) return fw::TColor(0xFFFFFF);
        if (x == 12) return fw::TColor(0x000000);
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
    EXPECT_EQ(PixelAt(target.get(), 33, 3), 0x00FF00);

    // No image list: no image and no space for one.
    EXPECT_NO_THROW(ImageListDrawGlyph(nullptr, canvas, {0, 0, 40, 10}, 0, L"", 0, nullptr));
}

// The smallest rectangle holding every pixel that is not the ground
// colour (empty when there is none).
RECT InkBox(fw::TBitmap* b, fw::TColor ground)
{
    RECT r{b->Width(), b->Height(), 0, 0};
    for (int y = 0; y < b->Height(); ++y)
        for (int x = 0; x < b->Width(); ++x)
            if (PixelAt(b, x, y) != ground) {
                r.left = std::min<LONG>(r.left, x);
                r.top = std::min<LONG>(r.top, y);
                r.right = std::max<LONG>(r.right, x + 1);
                r.bottom = std::max<LONG>(r.bottom, y + 1);
            }
    return r.right > r.left ? r : RECT{};
}

bool HasColour(fw::TBitmap* b, fw::TColor colour)
{
    for (int y = 0; y < b->Height(); ++y)
        for (int x = 0; x < b->Width(); ++x)
            if (PixelAt(b, x, y) == colour) return true;
    return false;
}

// Black text on white, in the form's font.
std::unique_ptr<fw::TBitmap> TextGround(int w, int h)
{
    auto b = test::Solid(w, h, 0xFFFFFF);
    b->Canvas()->Font()->SetColor(fw::clBlack);
    return b;
}

// The text drawn by DrawText itself in r with the flags, black on white.
std::unique_ptr<fw::TBitmap> Reference(int w, int h, RECT r, const wchar_t* text, UINT flags)
{
    auto b = TextGround(w, h);
    HDC dc = b->Canvas()->Handle();
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    DrawTextW(dc, text, -1, &r, flags);
    return b;
}

TEST_F(PaintTest, StateTextLiesOnePixelAboveTheMiddleAndAlignedAcross)
{
    auto* button = Put<fw::TButton>(0, 0, 50, 20);
    TSkinControl* s = new TSkinControl(button);
    s->InitControl(&list, data.get(), false, nullptr);
    constexpr int kW = 160, kH = 40;
    const RECT r{10, 5, 150, 35};
    auto probe = TextGround(kW, kH);
    RECT measured{0, 0, 0, 0};
    DrawTextW(probe->Canvas()->Handle(), L"State", -1, &measured, DT_CALCRECT | DT_SINGLELINE);
    // One pixel above the middle; across, the whole width, or centred in
    // a box as wide as the text.
    const int top = r.top + ((r.bottom - r.top) - measured.bottom) / 2 - 1;
    const int left = r.left + ((r.right - r.left) - measured.right) / 2;
    struct Case {
        UINT align;
        RECT box;
    } const cases[] = {
        {DT_LEFT, {r.left, top, r.right, top + measured.bottom}},
        {DT_RIGHT, {r.left, top, r.right, top + measured.bottom}},
        {DT_CENTER, {left, top, left + measured.right, top + measured.bottom}},
    };
    for (const Case& c : cases) {
        auto b = TextGround(kW, kH);
        DrawStateText(s, b->Canvas(), r, c.align, true, L"State");
        auto want = Reference(kW, kH, c.box, L"State", c.align);
        EXPECT_EQ(test::DifferingPixels(b.get(), want.get()), 0) << c.align;
    }
    // Disabled: in the button-shadow colour, the canvas's colour unused.
    auto grey = TextGround(kW, kH);
    DrawStateText(s, grey->Canvas(), r, DT_CENTER, false, L"State");
    EXPECT_TRUE(HasColour(grey.get(), fw::ColorToRGB(fw::clBtnShadow)));
    EXPECT_FALSE(HasColour(grey.get(), 0x000000));
}

TEST_F(PaintTest, AnAlignedCaptionThatFitsIsCentredWhateverItsAlignment)
{
    constexpr int kW = 120, kH = 30;
    const RECT r{0, 0, kW, kH};
    // In a box as large as the text centred both ways, the ampersand
    // marking the accelerator.
    auto probe = TextGround(kW, kH);
    RECT box{0, 0, 0, 0};
    DrawTextW(probe->Canvas()->Handle(), L"&File", -1, &box, DT_CALCRECT | DT_SINGLELINE);
    OffsetRect(&box, (kW - box.right) / 2, (kH - box.bottom) / 2);
    auto want = Reference(kW, kH, box, L"&File", DT_SINGLELINE);
    for (int align : {0, 1, 2, 7}) {  // left, right, centre, out of range (left)
        auto b = TextGround(kW, kH);
        DrawAlignedCaption(b->Canvas(), r, "&File", align, true);
        EXPECT_EQ(test::DifferingPixels(b.get(), want.get()), 0) << align;
    }
    auto grey = TextGround(kW, kH);
    DrawAlignedCaption(grey->Canvas(), r, "&File", 2, false);
    EXPECT_TRUE(HasColour(grey.get(), fw::ColorToRGB(fw::clBtnShadow)));
    EXPECT_FALSE(HasColour(grey.get(), 0x000000));
}

TEST_F(PaintTest, ArrowLinesPointTheirWayAndStopShortOfTheirEnds)
{
    constexpr int x = 10, y = 10;
    struct Case {
        int kind;
        RECT box;    // the ink, ends of the strokes left out
        POINT apex;  // the only ink of the box's edge the arrow points to
    } const cases[] = {
        {0, {x - 3, y, x + 4, y + 4}, {x, y}},          // up
        {1, {x - 3, y, x + 4, y + 4}, {x, y + 3}},      // down
        {2, {x - 1, y - 2, x + 2, y + 3}, {x - 1, y}},  // left
        {3, {x - 1, y - 2, x + 2, y + 3}, {x + 1, y}},  // right
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        auto b = test::Solid(20, 20, 0xFFFFFF);
        b->Canvas()->Pen()->SetColor(fw::clBlack);
        DrawArrowLines(b->Canvas(), x, y, c.kind);
        const RECT ink = InkBox(b.get(), 0xFFFFFF);
        EXPECT_EQ(ink.left, c.box.left);
        EXPECT_EQ(ink.top, c.box.top);
        EXPECT_EQ(ink.right, c.box.right);
        EXPECT_EQ(ink.bottom, c.box.bottom);
        EXPECT_EQ(PixelAt(b.get(), c.apex.x, c.apex.y), 0x000000u);
        // The pointed-to edge: a row for up and down, a column otherwise.
        int onEdge = 0;
        if (c.kind < 2)
            for (int i = ink.left; i < ink.right; ++i)
                onEdge += PixelAt(b.get(), i, c.apex.y) != 0xFFFFFF;
        else
            for (int i = ink.top; i < ink.bottom; ++i)
                onEdge += PixelAt(b.get(), c.apex.x, i) != 0xFFFFFF;
        EXPECT_EQ(onEdge, 1);
    }
    for (int kind : {-1, 4}) {
        auto b = test::Solid(20, 20, 0xFFFFFF);
        DrawArrowLines(b->Canvas(), x, y, kind);
        EXPECT_EQ(InkBox(b.get(), 0xFFFFFF).right, 0) << kind;
    }
}

TEST_F(PaintTest, TheGreyCopyEmbossesTheGlyphsBlackPixelsOverButtonFace)
{
    // The ink is the glyph's black, whatever its other colours and its
    // ground: the shadow over each black pixel, the highlight one pixel down
    // and right of it where that is not ink itself (the corner's falls off),
    // the face everywhere else (white, red and the ground included).
    // Glyphs are drawn by rows: K black, W white, R red, o olive, a 6 x 5
    // glyph on olive or on black (its bottom-left colour).
    struct Case {
        const char* name;
        const char* glyph[5];
        const char* expected[5];
    } const cases[] = {
        {"on olive",
         {"oooooo", "oKKRoo", "ooRooo", "oooWoo", "ooooKo"},
         {"......", ".ss...", "..ll..", "......", "....s."}},
        {"on black",
         {"KKKKKK", "KWWWWK", "KWRRWK", "KWWWWK", "KKKKKK"},
         {"ssssss", "slllls", "sl...s", "sl...s", "ssssss"}},
    };
    const fw::TColor face = fw::ColorToRGB(fw::clBtnFace);
    const fw::TColor light = fw::ColorToRGB(fw::clBtnHighlight);
    const fw::TColor shadow = fw::ColorToRGB(fw::clBtnShadow);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto glyph = test::MakeBitmap(6, 5, [&](int x, int y) {
            switch (c.glyph[y][x]) {
            case 'K': return fw::TColor(0x000000);
            case 'W': return fw::TColor(0xFFFFFF);
            case 'R': return fw::TColor(0x0000FF);
            default: return fw::TColor(0x008080);
            }
        });
        const std::unique_ptr<fw::TBitmap> grey = CreateDisabledGlyph(glyph.get());
        ASSERT_EQ(grey->Width(), 6);
        ASSERT_EQ(grey->Height(), 5);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 6; ++x) {
                const char e = c.expected[y][x];
                const fw::TColor want = e == 's' ? shadow : e == 'l' ? light : face;
                EXPECT_EQ(PixelAt(grey.get(), x, y), want) << x << "," << y;
            }
    }
    // No glyph: an empty bitmap.
    EXPECT_TRUE(CreateDisabledGlyph(nullptr)->Empty());
}

}  // namespace
}  // namespace skin
