// The progress skinner: the fill in proportion to the position (from the
// low limit, never for an empty range), a vertical bar filling from the
// bottom, the chunk fill of Style 1, and the bar's own painting without a
// Progress image.
#include "skin/controls/skinprogress.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "skin/controls/tests/controlfixture.h"

namespace skin {
namespace {

using test::ControlTest;
using test::FrameColour;
using test::PixelAt;

constexpr fw::TColor kBack = FrameColour(1), kFill = FrameColour(2), kChunk = FrameColour(9);

std::string ProgressSkin(int style, int chunkTile = 1)
{
    return test::TestSkin(
        "[Progress]\r\nBitmap=progress.bmp\r\nStyle=" + std::to_string(style) +
            "\r\n[Progress.Chunk]\r\nImage=chunk.bmp\r\nTile=" + std::to_string(chunkTile) + "\r\n",
        {{"progress.bmp", test::StripBmp(style == 1 ? 1 : 2, 10, 10)},
         {"chunk.bmp", test::BmpFile(4, 6, [](int, int) { return kChunk; })}});
}

class SkinProgressTest : public ControlTest {
protected:
    TSkinProgress* Bar(DWORD style, int w, int h, int low, int high, int pos)
    {
        HWND bar = Raw(PROGRESS_CLASSW, style, w, h);
        SendMessageW(bar, PBM_SETRANGE32, low, high);
        SendMessageW(bar, PBM_SETPOS, pos, 0);
        auto* s = new TSkinProgress(nullptr);
        s->InitHandle(bar, data.get(), &list, nullptr);
        return s;
    }
    // The first column (from the left) that is not the fill colour.
    static int FillEnd(fw::TBitmap* image, int y)
    {
        int x = 0;
        while (x < image->Width() && PixelAt(image, x, y) == kFill) ++x;
        return x;
    }
};

TEST_F(SkinProgressTest, FillInProportionToThePosition)
{
    LoadSkin(ProgressSkin(0));
    struct Case {
        int low, high, pos, fill;
    } cases[] = {
        {0, 100, 50, 50}, {0, 100, 0, 0},    {0, 100, 100, 100}, {0, 100, 1, 1},
        {0, 200, 50, 25}, {20, 120, 70, 50}, {0, 0, 0, 0},       {50, 50, 50, 0},
    };
    for (const Case& c : cases) {
        TSkinProgress* s = Bar(0, 100, 12, c.low, c.high, c.pos);
        ASSERT_EQ(SendMessageW(s->Handle, PBM_GETRANGE, 0, 0), c.high);
        auto image = Render(s);
        const std::string what =
            std::to_string(c.low) + ".." + std::to_string(c.high) + " at " + std::to_string(c.pos);
        EXPECT_EQ(FillEnd(image.get(), 6), c.fill) << what;
        if (c.fill < 100) {
            EXPECT_EQ(PixelAt(image.get(), 99, 6), kBack) << what;
        }
    }
}

TEST_F(SkinProgressTest, VerticalBarFillsFromTheBottom)
{
    LoadSkin(ProgressSkin(0));
    auto image = Render(Bar(PBS_VERTICAL, 12, 100, 0, 100, 25));
    EXPECT_EQ(PixelAt(image.get(), 6, 99), kFill);
    EXPECT_EQ(PixelAt(image.get(), 6, 75), kFill);
    EXPECT_EQ(PixelAt(image.get(), 6, 74), kBack);
    EXPECT_EQ(PixelAt(image.get(), 6, 0), kBack);
}

TEST_F(SkinProgressTest, ChunksFromZeroTiledOrStretched)
{
    // Tiled chunks: as high as the chunk image, centred, 2 pixels in; the
    // low limit is not used.
    LoadSkin(ProgressSkin(1));
    auto image = Render(Bar(0, 100, 12, 10, 100, 50));
    EXPECT_EQ(PixelAt(image.get(), 1, 5), kBack);
    EXPECT_EQ(PixelAt(image.get(), 2, 3), kChunk);
    EXPECT_EQ(PixelAt(image.get(), 51, 8), kChunk);
    EXPECT_EQ(PixelAt(image.get(), 52, 5), kBack);
    EXPECT_EQ(PixelAt(image.get(), 10, 2), kBack);
    EXPECT_EQ(PixelAt(image.get(), 10, 9), kBack);
    // Nothing at position 0.
    image = Render(Bar(0, 100, 12, 0, 100, 0));
    EXPECT_EQ(PixelAt(image.get(), 10, 6), kBack);

    // Stretched: from (2, 2), 4 pixels lower than the bar.
    LoadSkin(ProgressSkin(1, 0));
    image = Render(Bar(0, 100, 12, 0, 100, 50));
    EXPECT_EQ(PixelAt(image.get(), 2, 2), kChunk);
    EXPECT_EQ(PixelAt(image.get(), 51, 9), kChunk);
    EXPECT_EQ(PixelAt(image.get(), 52, 5), kBack);
    EXPECT_EQ(PixelAt(image.get(), 10, 1), kBack);
    EXPECT_EQ(PixelAt(image.get(), 10, 10), kBack);
}

TEST_F(SkinProgressTest, WithoutAProgressImageTheBarPaintsItself)
{
    TSkinProgress* s = Bar(0, 100, 12, 0, 100, 50);
    EXPECT_EQ(PixelAt(Render(s).get(), 50, 6), 0x000000);
    auto image = test::Solid(100, 12, 0x000000);
    SendMessageW(s->Handle, WM_PAINT, reinterpret_cast<WPARAM>(image->Canvas()->Handle()), 0);
    EXPECT_NE(PixelAt(image.get(), 20, 6), 0x000000);
    // The background is never erased.
    EXPECT_EQ(SendMessageW(s->Handle, WM_ERASEBKGND,
                           reinterpret_cast<WPARAM>(image->Canvas()->Handle()), 0),
              1);

    // With one, its own paint message goes through the skinner.
    LoadSkin(ProgressSkin(0));
    image = test::Solid(100, 12, 0x000000);
    SendMessageW(s->Handle, WM_PAINT, reinterpret_cast<WPARAM>(image->Canvas()->Handle()), 0);
    EXPECT_EQ(PixelAt(image.get(), 20, 6), kFill);
    EXPECT_EQ(PixelAt(image.get(), 80, 6), kBack);
}

}  // namespace
}  // namespace skin
