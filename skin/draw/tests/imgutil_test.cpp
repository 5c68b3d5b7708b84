// Bitmap utilities on small bitmaps made by code: pixels checked one by one.
#include "skin/draw/imgutil.h"

#include <gtest/gtest.h>

#include "skin/tests/pixels.h"

namespace skin {
namespace {

using test::MakeBitmap;
using test::PixelAt;
using test::Solid;

constexpr TColor kRed = 0x0000FF, kLime = 0x00FF00, kBlue = 0xFF0000, kWhite = 0xFFFFFF, kBlack = 0,
                 kMagenta = 0xFF00FF;

// 3 x 2, every pixel different and each exact in every pixel format.
TColor Sample(int x, int y)
{
    static constexpr TColor k[2][3] = {{kRed, kLime, kBlue}, {kWhite, kBlack, kMagenta}};
    return k[y][x];
}

TColor SysRgb(int index) { return static_cast<TColor>(GetSysColor(index)); }

TEST(ReplaceMagenta, OnlyExactMagentaTakesTheColourAndTheBitmapEnds24Bit)
{
    const TColor row[] = {kMagenta, 0xFE00FF, 0xFF01FF, 0xFF00FE, kRed};
    auto b = MakeBitmap(5, 1, [&](int x, int) { return row[x]; });
    b->SetPixelFormat(fw::pf32bit);
    ReplaceMagenta(b.get(), 0x123456);
    EXPECT_EQ(b->PixelFormat(), fw::pf24bit);
    EXPECT_EQ(PixelAt(b.get(), 0, 0), 0x123456);
    for (int x = 1; x < 5; ++x) EXPECT_EQ(PixelAt(b.get(), x, 0), row[x]) << x;
}

TEST(ReplaceMagenta, SystemColourIsResolved)
{
    auto b = Solid(2, 1, kMagenta);
    ReplaceMagenta(b.get(), fw::clBtnFace);
    EXPECT_EQ(PixelAt(b.get(), 1, 0), SysRgb(COLOR_BTNFACE));
}

// Mirror, flip and both rotations move whole pixels in every format: the
// bitmap is 24-bit afterwards.
class Reorder : public ::testing::TestWithParam<fw::TPixelFormat> {};

TEST_P(Reorder, MirrorAndFlip)
{
    auto m = MakeBitmap(3, 2, Sample);
    m->SetPixelFormat(GetParam());
    MirrorBitmap(m.get());
    auto f = MakeBitmap(3, 2, Sample);
    f->SetPixelFormat(GetParam());
    FlipBitmap(f.get());
    EXPECT_EQ(m->PixelFormat(), fw::pf24bit);
    EXPECT_EQ(f->PixelFormat(), fw::pf24bit);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(PixelAt(m.get(), x, y), Sample(2 - x, y)) << x << "," << y;
            EXPECT_EQ(PixelAt(f.get(), x, y), Sample(x, 1 - y)) << x << "," << y;
        }
}

TEST_P(Reorder, RotateLeftAndRight)
{
    auto l = MakeBitmap(3, 2, Sample);
    l->SetPixelFormat(GetParam());
    RotateBitmapLeft(l.get());
    auto r = MakeBitmap(3, 2, Sample);
    r->SetPixelFormat(GetParam());
    RotateBitmapRight(r.get());
    ASSERT_EQ(l->Width(), 2);
    ASSERT_EQ(l->Height(), 3);
    ASSERT_EQ(r->Width(), 2);
    ASSERT_EQ(r->Height(), 3);
    EXPECT_EQ(l->PixelFormat(), fw::pf24bit);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(PixelAt(l.get(), y, 2 - x), Sample(x, y)) << x << "," << y;
            EXPECT_EQ(PixelAt(r.get(), 1 - y, x), Sample(x, y)) << x << "," << y;
        }
    // The old top-right corner is the new top-left after a left turn, the
    // old top-left the new top-right after a right turn.
    EXPECT_EQ(PixelAt(l.get(), 0, 0), kBlue);
    EXPECT_EQ(PixelAt(r.get(), 1, 0), kRed);
}

INSTANTIATE_TEST_SUITE_P(Formats, Reorder,
                         ::testing::Values(fw::pf4bit, fw::pf8bit, fw::pf15bit, fw::pf16bit,
                                           fw::pf24bit, fw::pf32bit, fw::pfDevice));

TEST(Rotate, LeftThenRightGivesTheBitmapBackAndAStripTurns)
{
    auto b = MakeBitmap(3, 2, Sample);
    RotateBitmapLeft(b.get());
    RotateBitmapRight(b.get());
    ASSERT_EQ(b->Width(), 3);
    ASSERT_EQ(b->Height(), 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(PixelAt(b.get(), x, y), Sample(x, y));

    auto strip = MakeBitmap(3, 1, Sample);
    RotateBitmapRight(strip.get());
    EXPECT_EQ(strip->Width(), 1);
    EXPECT_EQ(strip->Height(), 3);
    EXPECT_EQ(PixelAt(strip.get(), 0, 2), kBlue);

    TBitmap empty;
    RotateBitmapLeft(&empty);
    MirrorBitmap(&empty);
    EXPECT_TRUE(empty.Empty());
}

TEST(MixColors, WeightsAndRounding)
{
    struct Case {
        TColor c1, c2;
        int weight;
        TColor mixed;
    } cases[] = {
        {0x0000C8, 0x000000, 100, 0x000014},  // 100 is 10 per cent of colour 1: 200 -> 20
        {0x0000C8, 0x000000, 99, 0x0000C6},   // 99 per cent: 198
        {0x000000, 0x0000FF, 50, 0x000080},   // (255 x 50 + 50) div 100 = 128
        {0x00FF00, 0xFF0000, 150, 0xD92600},  // 15 per cent of green: 38.25 -> 38, 216.75 -> 217
        {0xFFFFFF, 0x000000, 0, 0x000000},
    };
    for (const Case& c : cases) EXPECT_EQ(MixColors(c.c1, c.c2, c.weight), c.mixed) << c.weight;
    EXPECT_EQ(MixColors(fw::clBtnFace, fw::clBtnFace, 50), SysRgb(COLOR_BTNFACE));
}

TEST(Gradient, RampsAsComputed)
{
    int slot = MakeGradient(1, kBlack, kWhite);
    ASSERT_EQ(GradientCache(slot).size(), 1u);
    EXPECT_EQ(GradientCache(slot)[0], 0x7F7F7F);

    slot = MakeGradient(3, 0x000000, 0x00000A);
    EXPECT_EQ(GradientCache(slot), (std::vector<TColor>{0, 5, 10}));
    EXPECT_EQ(FindGradient(3, 0x000000, 0x00000A), slot);

    // Downwards the last entry misses colour 2, so the ramp is never found
    // again and each request makes a new one.
    slot = GetGradient(3, 0x00000A, 0x000000);
    EXPECT_EQ(GradientCache(slot), (std::vector<TColor>{10, 6, 1}));
    EXPECT_EQ(FindGradient(3, 0x00000A, 0x000000), -1);
    EXPECT_NE(GetGradient(3, 0x00000A, 0x000000), slot);

    // System colours are resolved before the ramp is computed and found.
    slot = GetGradient(2, fw::clBtnFace, kWhite);
    EXPECT_EQ(GradientCache(slot)[0], SysRgb(COLOR_BTNFACE));
    EXPECT_EQ(GetGradient(2, SysRgb(COLOR_BTNFACE), kWhite), slot);

    EXPECT_THROW(MakeGradient(0, kBlack, kWhite), rtl::Exception);
    EXPECT_THROW(FindGradient(-1, kBlack, kWhite), rtl::Exception);
}

TEST(Gradient, SlotsAreReusedInRingOrder)
{
    const int start = GradientCachePos();
    const int first = MakeGradient(7, kRed, kBlue);
    EXPECT_EQ(first, start);
    for (int i = 1; i < kGradientSlots; ++i) MakeGradient(7, kRed, kBlue);
    EXPECT_EQ(GradientCachePos(), start);
    EXPECT_EQ(MakeGradient(5, kRed, kBlue), start);
}

class GradientFill : public ::testing::Test {
protected:
    void SetUp() override { target = Solid(10, 4, kWhite); }
    HDC dc() { return target->Canvas()->Handle(); }
    std::unique_ptr<TBitmap> target;
};

TEST_F(GradientFill, HorizontalAndVerticalRamps)
{
    // Ten bands from red 0 to red 90: band i has red 10 i.
    GradientFillRect(dc(), {0, 0, 10, 2}, kBlack, 0, 0x00005A);
    for (int x = 0; x < 10; ++x) {
        EXPECT_EQ(PixelAt(target.get(), x, 0), 10 * x) << x;
        EXPECT_EQ(PixelAt(target.get(), x, 1), 10 * x) << x;
    }
    EXPECT_EQ(PixelAt(target.get(), 0, 2), kWhite);
    GradientFillRect(dc(), {2, 2, 4, 4}, kBlack, 1, 0x0000FF);
    EXPECT_EQ(PixelAt(target.get(), 2, 2), kBlack);
    EXPECT_EQ(PixelAt(target.get(), 3, 3), kRed);
    EXPECT_EQ(PixelAt(target.get(), 4, 3), kWhite);
}

TEST_F(GradientFill, OnlyTheBandsInsideTheClipBoxWithTheirFullRampColours)
{
    HRGN clip = CreateRectRgn(3, 0, 7, 4);
    SelectClipRgn(dc(), clip);
    DeleteObject(clip);
    GradientFillRect(dc(), {0, 0, 10, 4}, kBlack, 0, 0x00005A);
    SelectClipRgn(dc(), nullptr);
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(PixelAt(target.get(), x, 1), x >= 3 && x < 7 ? 10 * x : kWhite) << x;
}

TEST_F(GradientFill, NothingForAnEmptyOrHiddenRectangle)
{
    HRGN clip = CreateRectRgn(0, 0, 5, 4);
    SelectClipRgn(dc(), clip);
    DeleteObject(clip);
    const int pos = GradientCachePos();
    GradientFillRect(dc(), {4, 0, 4, 4}, kBlack, 0, kRed);
    GradientFillRect(dc(), {2, 3, 8, 3}, kBlack, 1, kRed);
    GradientFillRect(dc(), {6, 0, 10, 4}, kBlack, 0, 0x0000FE);
    SelectClipRgn(dc(), nullptr);
    EXPECT_EQ(GradientCachePos(), pos);
    for (int x = 0; x < 10; ++x) EXPECT_EQ(PixelAt(target.get(), x, 0), kWhite) << x;
}

TEST(ColorSaturation, Values)
{
    struct Case {
        TColor color;
        int saturation;
    } cases[] = {
        {0x0000FF, 255}, {0x808080, 200}, {kWhite, 0},
        {kBlack, 200},   {0xFFA0A0, 95},  // 95/255 x 255
        {0x0000A0, 255}, {0x00009F, 200},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ColorSaturation(c.color), c.saturation) << std::hex << c.color;
    EXPECT_EQ(ColorSaturation(fw::clBtnFace), ColorSaturation(SysRgb(COLOR_BTNFACE)));
}

}  // namespace
}  // namespace skin
