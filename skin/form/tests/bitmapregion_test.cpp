// Regions cut from bitmaps: the key colour and its upward tolerance per
// channel, channel order, offsets, bitmaps all of the key, and bitmaps
// that need more than one block of rectangles.
#include <gtest/gtest.h>

#include "skin/form/framepaint.h"
#include "skin/tests/pixels.h"

namespace skin {
namespace {

using fw::TColor;
using test::MakeBitmap;

struct TRgn {
    explicit TRgn(HRGN h) : handle(h) {}
    ~TRgn()
    {
        if (handle) DeleteObject(handle);
    }
    bool Has(int x, int y) const { return PtInRegion(handle, x, y) != FALSE; }
    HRGN handle;
};

TColor Rgb(int r, int g, int b) { return TColor(r | (g << 8) | (b << 16)); }

TEST(BitmapToRegion, KeyAndUpwardTolerance)
{
    // One pixel a column: each column tests one colour against magenta
    // with tolerance 1.
    const TColor columns[] = {
        Rgb(255, 0, 255),  // the key: left out
        Rgb(254, 0, 255),  // below the key: kept
        Rgb(255, 1, 255),  // within the tolerance: left out
        Rgb(255, 2, 255),  // beyond it: kept
        Rgb(255, 0, 254),  // kept
        Rgb(0, 0, 0),      // kept
    };
    const bool kept[] = {false, true, false, true, true, true};
    auto bmp = MakeBitmap(6, 1, [&](int x, int) { return columns[x]; });
    TRgn rgn(BitmapToRegion(bmp.get(), 0, 0, 0xFF00FF, 1, 1, 1));
    ASSERT_NE(rgn.handle, nullptr);
    for (int x = 0; x < 6; ++x) EXPECT_EQ(rgn.Has(x, 0), kept[x]) << "column " << x;
    EXPECT_EQ(bmp->PixelFormat(), fw::pf32bit);
}

TEST(BitmapToRegion, ChannelsAreNotSwapped)
{
    // A key that differs in red and blue: its mirror image must stay.
    const TColor key = Rgb(200, 10, 50);
    auto bmp = MakeBitmap(2, 1, [&](int x, int) { return x == 0 ? key : Rgb(50, 10, 200); });
    TRgn rgn(BitmapToRegion(bmp.get(), 0, 0, key, 0, 0, 0));
    EXPECT_FALSE(rgn.Has(0, 0));
    EXPECT_TRUE(rgn.Has(1, 0));
    // Tolerances are per channel: red may reach up, blue may not.
    auto close =
        MakeBitmap(2, 1, [&](int x, int) { return x == 0 ? Rgb(203, 10, 50) : Rgb(200, 10, 53); });
    TRgn tolerant(BitmapToRegion(close.get(), 0, 0, key, 5, 0, 0));
    EXPECT_FALSE(tolerant.Has(0, 0));
    EXPECT_TRUE(tolerant.Has(1, 0));
}

TEST(BitmapToRegion, RunsRowsAndOffset)
{
    // Rounded corner: the top row has its first two pixels keyed.
    auto bmp = MakeBitmap(4, 3, [](int x, int y) { return y == 0 && x < 2 ? 0xFF00FF : 0x336699; });
    TRgn rgn(BitmapToRegion(bmp.get(), 10, 20, 0xFF00FF, 1, 1, 1));
    EXPECT_FALSE(rgn.Has(10, 20));
    EXPECT_FALSE(rgn.Has(11, 20));
    EXPECT_TRUE(rgn.Has(12, 20));
    EXPECT_TRUE(rgn.Has(10, 22));
    EXPECT_FALSE(rgn.Has(14, 20));
    EXPECT_FALSE(rgn.Has(10, 23));
    RECT box;
    GetRgnBox(rgn.handle, &box);
    EXPECT_EQ(box.left, 10);
    EXPECT_EQ(box.top, 20);
    EXPECT_EQ(box.right, 14);
    EXPECT_EQ(box.bottom, 23);
}

TEST(BitmapToRegion, AllKeyGivesAnEmptyRegion)
{
    auto bmp = test::Solid(5, 5, 0xFF00FF);
    TRgn rgn(BitmapToRegion(bmp.get(), 0, 0, 0xFF00FF, 1, 1, 1));
    ASSERT_NE(rgn.handle, nullptr);
    RECT box;
    EXPECT_EQ(GetRgnBox(rgn.handle, &box), NULLREGION);
}

TEST(BitmapToRegion, ManyRectanglesAcrossBlocks)
{
    // A checkerboard of 100 x 60: 3000 single-pixel runs, more than one
    // block of rectangles.
    auto bmp = MakeBitmap(100, 60, [](int x, int y) { return (x + y) % 2 ? 0xFF00FF : 0x000000; });
    TRgn rgn(BitmapToRegion(bmp.get(), 0, 0, 0xFF00FF, 1, 1, 1));
    for (int y : {0, 1, 33, 59})
        for (int x : {0, 1, 50, 99}) EXPECT_EQ(rgn.Has(x, y), (x + y) % 2 == 0) << x << "," << y;
}

}  // namespace
}  // namespace skin
