// Skin strip drawing on small bitmaps made by code: corners and unscaled
// slices pixel for pixel, magenta left out, frame indexes clamped, pieces
// of no size left out.
#include "skin/draw/skindraw.h"

#include <gtest/gtest.h>

#include "framework/application.h"
#include "framework/forms.h"
#include "skin/tests/pixels.h"

namespace skin {
namespace {

using test::MakeBitmap;
using test::PixelAt;
using test::Solid;

constexpr TColor kWhite = 0xFFFFFF, kGreen = 0x008000, kMagenta = kSkinKeyColor;

// A colour that names its position: red x, green y, blue the tag.
constexpr TColor At(int x, int y, int tag = 0) { return x | (y << 8) | (tag << 16); }

void ExpectRect(TBitmap* b, const RECT& r, const std::function<TColor(int, int)>& expected)
{
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            ASSERT_EQ(PixelAt(b, x, y), expected(x, y)) << x << "," << y;
}

TEST(SkinFrameRect, StripGeometryAndClamping)
{
    auto h = Solid(100, 7, kWhite);
    auto v = Solid(9, 40, kWhite);
    struct Case {
        TBitmap* image;
        bool vertical;
        int count, index;
        RECT frame;
    } cases[] = {
        {h.get(), false, 5, 3, {40, 0, 60, 7}},
        {v.get(), true, 2, 2, {0, 20, 9, 40}},
        {h.get(), false, 5, 0, {0, 0, 20, 7}},  // below 1: the first frame
        {h.get(), false, 5, -4, {0, 0, 20, 7}},
        {h.get(), false, 5, 9, {80, 0, 100, 7}},  // beyond the count: the last
        {h.get(), false, 0, 1, {0, 0, 100, 7}},   // counts below 1 count as 1
        {v.get(), true, -2, 3, {0, 0, 9, 40}},
    };
    for (const Case& c : cases) {
        const RECT r = SkinFrameRect(c.image, c.vertical, c.count, c.index);
        EXPECT_TRUE(EqualRect(&r, &c.frame)) << c.count << "/" << c.index << ": " << r.left << ","
                                             << r.top << "," << r.right << "," << r.bottom;
    }
}

// Two 8 x 6 frames side by side; each pixel names its place in its frame,
// frame 2 tagged 1.
std::unique_ptr<TBitmap> TwoFrames()
{
    return MakeBitmap(16, 6, [](int x, int y) { return At(x % 8, y, x / 8); });
}

TEST(BuildSkinBitmap, CornersAndEdgesKeepTheirPixels)
{
    auto image = TwoFrames();
    // Margins 2, 1, 3, 2 of frame 2 onto 20 x 12: the corners land at
    // their size, edges are stretched along their length only.
    const auto b = BuildSkinBitmap({5, 5, 25, 17}, image.get(), {2, 1, 3, 2}, false, false, 2, 2);
    ASSERT_EQ(b->Width(), 20);
    ASSERT_EQ(b->Height(), 12);
    ExpectRect(b.get(), {0, 0, 2, 1}, [](int x, int y) { return At(x, y, 1); });
    ExpectRect(b.get(), {17, 0, 20, 1}, [](int x, int y) { return At(x - 12, y, 1); });
    ExpectRect(b.get(), {0, 10, 2, 12}, [](int x, int y) { return At(x, y - 6, 1); });
    ExpectRect(b.get(), {17, 10, 20, 12}, [](int x, int y) { return At(x - 12, y - 6, 1); });
    // Stretched edges keep the columns (left, right) or rows (top, bottom)
    // of the frame's margins.
    for (int y = 1; y < 10; ++y) {
        EXPECT_EQ(PixelAt(b.get(), 1, y) & 0xFF00FF, At(1, 0, 1));
        EXPECT_EQ(PixelAt(b.get(), 19, y) & 0xFF00FF, At(7, 0, 1));
    }
    for (int x = 2; x < 17; ++x) {
        EXPECT_EQ(PixelAt(b.get(), x, 0) & 0xFFFF00, At(0, 0, 1));
        EXPECT_EQ(PixelAt(b.get(), x, 11) & 0xFFFF00, At(0, 5, 1));
    }
    EXPECT_EQ(PixelAt(b.get(), 10, 6) >> 16, 1);  // the centre comes from frame 2
}

TEST(BuildSkinBitmap, MarginsThatDoNotFitAreDropped)
{
    // 8 x 8 with margins 6: all margins go, the frame is stretched whole.
    auto frame = MakeBitmap(4, 4, [](int x, int y) { return At(x, y); });
    const auto b = BuildSkinBitmap({0, 0, 8, 8}, frame.get(), {6, 6, 6, 6}, false, false, 1, 1);
    ExpectRect(b.get(), {0, 0, 8, 8}, [](int x, int y) { return At(x / 2, y / 2); });
}

TEST(BuildSkinBitmap, TiledCentreIsCoveredByTheRightEdge)
{
    // Frame: left margin 2 (tag 1), centre 10 columns, right margin 2 (tag 2).
    auto frame = MakeBitmap(14, 3, [](int x, int y) {
        return x < 2 ? At(x, y, 1) : x >= 12 ? At(x, y, 2) : At(x, y);
    });
    // A 33-pixel centre gets tiles at 0, 10, 20 and 30; the last runs into
    // the right edge, which is drawn over it.
    const auto b = BuildSkinBitmap({0, 0, 37, 3}, frame.get(), {2, 0, 2, 0}, false, true, 1, 1);
    ExpectRect(b.get(), {2, 0, 35, 3}, [](int x, int y) { return At(2 + (x - 2) % 10, y); });
    ExpectRect(b.get(), {35, 0, 37, 3}, [](int x, int y) { return At(x - 23, y, 2); });
    ExpectRect(b.get(), {0, 0, 2, 3}, [](int x, int y) { return At(x, y, 1); });
}

TEST(BuildSkinBitmap, PiecesOfNoSizeAreLeftOutNotMirrored)
{
    // Margins 3 and 3 of a 4-pixel frame leave a centre source of -2
    // pixels: the centre is not drawn (the work bitmap stays white).
    auto frame = MakeBitmap(4, 2, [](int x, int y) { return At(x, y); });
    const auto b = BuildSkinBitmap({0, 0, 20, 2}, frame.get(), {3, 0, 3, 0}, false, false, 1, 1);
    ExpectRect(b.get(), {0, 0, 3, 2}, [](int x, int y) { return At(x, y); });
    ExpectRect(b.get(), {3, 0, 17, 2}, [](int, int) { return kWhite; });
    ExpectRect(b.get(), {17, 0, 20, 2}, [](int x, int y) { return At(x - 16, y); });
    // The same with the centre tiled, and with negative margins.
    const auto t = BuildSkinBitmap({0, 0, 20, 2}, frame.get(), {3, 0, 3, 0}, false, true, 1, 1);
    ExpectRect(t.get(), {3, 0, 17, 2}, [](int, int) { return kWhite; });
    const auto n = BuildSkinBitmap({0, 0, 8, 4}, frame.get(), {-2, -1, -3, -1}, false, false, 1, 1);
    ExpectRect(n.get(), {0, 0, 8, 4}, [](int x, int y) { return At(x / 2, y / 2); });
    EXPECT_TRUE(BuildSkinBitmap({5, 5, 4, 9}, frame.get(), {}, false, false, 1, 1)->Empty());
}

class DrawTo : public ::testing::Test {
protected:
    void SetUp() override
    {
        target = Solid(20, 12, kGreen);
        SetStretchBltMode(dc(), COLORONCOLOR);
    }
    HDC dc() { return target->Canvas()->Handle(); }
    TColor Px(int x, int y) { return PixelAt(target.get(), x, y); }
    std::unique_ptr<TBitmap> target;
};

TEST_F(DrawTo, MagentaIsLeftTransparent)
{
    // Frame 1 all magenta, frame 2 magenta in its left half.
    auto image = MakeBitmap(8, 2, [](int x, int) { return x < 6 ? kMagenta : kWhite; });
    DrawSkinImage(dc(), {0, 0, 20, 12}, image.get(), false, false, true, 2, 1, {});
    ExpectRect(target.get(), {0, 0, 20, 12}, [](int, int) { return kGreen; });

    DrawSkinImage(dc(), {0, 0, 4, 2}, image.get(), false, false, true, 2, 2, {});
    ExpectRect(target.get(), {0, 0, 4, 2}, [](int x, int) { return x < 2 ? kGreen : kWhite; });
    DrawImageFrame(dc(), {4, 4, 12, 6}, image.get(), true, 2, 2);
    ExpectRect(target.get(), {4, 4, 12, 6}, [](int x, int) { return x < 8 ? kGreen : kWhite; });
    // Opaque drawing copies magenta as it is.
    DrawImageFrame(dc(), {0, 8, 4, 10}, image.get(), false, 2, 1);
    EXPECT_EQ(Px(0, 8), kMagenta);
}

TEST_F(DrawTo, FrameIndexesAndCountsAreClamped)
{
    auto image = MakeBitmap(6, 2, [](int x, int) { return At(0, 0, x / 2 + 1); });
    DrawImageFrame(dc(), {0, 0, 2, 2}, image.get(), false, 3, 0);
    DrawImageFrame(dc(), {2, 0, 4, 2}, image.get(), false, 3, 7);
    DrawImageFrame(dc(), {4, 0, 10, 2}, image.get(), false, 0, 2);  // one frame: the whole strip
    EXPECT_EQ(Px(1, 1), At(0, 0, 1));
    EXPECT_EQ(Px(3, 1), At(0, 0, 3));
    EXPECT_EQ(Px(4, 0), At(0, 0, 1));
    EXPECT_EQ(Px(9, 0), At(0, 0, 3));
    // An inverted rectangle draws nothing.
    DrawImageFrame(dc(), {15, 5, 12, 9}, image.get(), false, 3, 1);
    DrawSkinImage(dc(), {15, 5, 18, 2}, image.get(), false, false, false, 3, 1, {});
    StretchFromRect(dc(), {15, 5, 12, 9}, image.get(), false, 3, 1, {});
    ExpectRect(target.get(), {10, 0, 20, 12}, [](int, int) { return kGreen; });
}

TEST_F(DrawTo, ThreeSliceWithARepeatedMiddle)
{
    // Left margin 2 (tag 1), middle 3 (tag 0), right margin 2 (tag 2).
    auto frame = MakeBitmap(7, 2, [](int x, int y) {
        return x < 2 ? At(x, y, 1) : x >= 5 ? At(x, y, 2) : At(x, y);
    });
    auto canvas = target->Canvas();
    // Middle copies at 2, 5 and 8; the right margin at 10 covers the last.
    DrawSkinImageCanvas(canvas, {0, 0, 12, 2}, frame.get(), false, false, 1, 1, {2, 0, 2, 0});
    ExpectRect(target.get(), {0, 0, 12, 2}, [](int x, int y) {
        return x < 2 ? At(x, y, 1) : x >= 10 ? At(x - 5, y, 2) : At(2 + (x - 2) % 3, y);
    });
    // Margins that leave no middle: left and right only, heights stretched.
    auto edges = MakeBitmap(4, 1, [](int x, int) { return At(x, 0, 5); });
    DrawSkinImageCanvas(canvas, {0, 4, 10, 8}, edges.get(), false, false, 1, 1, {2, 0, 2, 0});
    ExpectRect(target.get(), {0, 4, 10, 8}, [](int x, int) {
        return x < 2 ? At(x, 0, 5) : x >= 8 ? At(x - 6, 0, 5) : kWhite;
    });
    // Transparent: the magenta middle keeps what was there.
    auto keyed = MakeBitmap(5, 1, [](int x, int) { return x == 2 ? kMagenta : At(x, 0, 3); });
    DrawSkinImageCanvas(canvas, {0, 10, 9, 12}, keyed.get(), false, true, 1, 1, {2, 0, 2, 0});
    ExpectRect(target.get(), {0, 10, 9, 12}, [](int x, int) {
        return x < 2 ? At(x, 0, 3) : x >= 7 ? At(x - 4, 0, 3) : kGreen;
    });
}

TEST_F(DrawTo, StretchFromRectKeepsMarginsOrSqueezesTheFrame)
{
    auto frame = MakeBitmap(10, 2, [](int x, int y) { return At(x, y); });
    StretchFromRect(dc(), {1, 0, 17, 2}, frame.get(), false, 1, 1, {2, 0, 3, 0});
    ExpectRect(target.get(), {1, 0, 3, 2}, [](int x, int y) { return At(x - 1, y); });
    ExpectRect(target.get(), {14, 0, 17, 2}, [](int x, int y) { return At(x - 7, y); });
    EXPECT_EQ(PixelAt(target.get(), 3, 0), At(2, 0));
    EXPECT_EQ(PixelAt(target.get(), 13, 0), At(6, 0));
    // Narrower than the frame: the whole frame squeezed in.
    StretchFromRect(dc(), {0, 4, 5, 6}, frame.get(), false, 1, 1, {2, 0, 3, 0});
    for (int x = 0; x < 5; ++x) EXPECT_EQ((PixelAt(target.get(), x, 5) & 0xFF) / 2, x) << x;
}

TEST_F(DrawTo, CentredFrameMayOverflowTheRectangle)
{
    auto image = MakeBitmap(12, 6, [](int x, int y) { return At(x % 6, y, x / 6 + 1); });
    // A 6 x 6 frame centred in a 2 x 2 rectangle at (10, 3): placed at (8, 1).
    CentreSkinImage(dc(), {10, 3, 12, 5}, image.get(), false, 2, 2);
    ExpectRect(target.get(), {8, 1, 14, 7}, [](int x, int y) { return At(x - 8, y - 1, 2); });
    EXPECT_EQ(Px(7, 1), kGreen);
    EXPECT_EQ(Px(14, 7), kGreen);
    // Odd differences are halved toward zero.
    auto keyed =
        MakeBitmap(3, 3, [](int x, int y) { return x == 1 && y == 1 ? At(1, 1, 4) : kMagenta; });
    CentreSkinImage(dc(), {0, 8, 4, 12}, keyed.get(), true, 1, 1);
    ExpectRect(target.get(), {0, 8, 4, 12},
               [](int x, int y) { return x == 1 && y == 9 ? At(1, 1, 4) : kGreen; });
}

TEST_F(DrawTo, TileBitmapRepeatsAndRunsPastTheDestination)
{
    auto image = MakeBitmap(5, 4, [](int x, int y) { return At(x, y); });
    TileBitmap(target->Canvas(), {0, 0, 7, 3}, image.get(), {1, 1, 4, 3});  // a 3 x 2 piece
    ExpectRect(target.get(), {0, 0, 9, 4}, [](int x, int y) { return At(1 + x % 3, 1 + y % 2); });
    EXPECT_EQ(Px(9, 0), kGreen);
    EXPECT_EQ(Px(0, 4), kGreen);
    TileBitmap(target->Canvas(), {10, 0, 20, 12}, image.get(), {2, 2, 2, 4});  // no area
    TileBitmap(target->Canvas(), {10, 0, 20, 12}, image.get(), {3, 2, 1, 4});  // inverted
    ExpectRect(target.get(), {10, 0, 20, 12}, [](int, int) { return kGreen; });
}

TEST_F(DrawTo, DrawTransparentCopiesOnlyTheImagePart)
{
    auto image = MakeBitmap(3, 2, [](int x, int y) { return x == 1 ? fw::clLime : At(x, y, 7); });
    image->SetPixelFormat(fw::pf32bit);
    DrawTransparent(dc(), {2, 2, 12, 12}, image.get(), fw::clLime);
    ExpectRect(target.get(), {0, 0, 20, 12}, [](int x, int y) {
        const bool inside = x >= 2 && x < 5 && y >= 2 && y < 4 && x != 3;
        return inside ? At(x - 2, y - 2, 7) : kGreen;
    });
}

// The default skin's button strip: five frames with 4-pixel margins,
// drawn transparent at a larger size. Each corner keeps the frame's pixels
// where they are not magenta and the background where they are.
TEST(DefaultSkin, ButtonCornersAreExactAndMagentaStaysTransparent)
{
    rtl::TFileStream file(SIGNS_DEFAULT_SKIN_DIR "/buttons.bmp", rtl::fmOpenRead);
    TBitmap strip;
    strip.LoadFromStream(file);
    ASSERT_FALSE(strip.Empty());
    const int fw = strip.Width() / 5, fh = strip.Height();
    int keyed = 0;
    for (int frame = 1; frame <= 5; ++frame) {
        auto target = Solid(60, 30, kGreen);
        DrawSkinImage(target->Canvas()->Handle(), {0, 0, 60, 30}, &strip, false, false, true, 5,
                      frame, {4, 4, 4, 4});
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                for (auto [dx, dy] : {std::pair{0, 0}, {56, 0}, {0, 26}, {56, 26}}) {
                    const TColor source = PixelAt(&strip, (frame - 1) * fw + (dx ? fw - 4 : 0) + x,
                                                  (dy ? fh - 4 : 0) + y);
                    keyed += source == kMagenta;
                    ASSERT_EQ(PixelAt(target.get(), dx + x, dy + y),
                              source == kMagenta ? kGreen : source)
                        << frame << ": " << dx + x << "," << dy + y;
                }
    }
    EXPECT_GT(keyed, 0);  // the rounded corners are cut with magenta
}

// A windowless control that paints its whole area in one colour.
class TBlock : public fw::TGraphicControl {
    FW_CLASS(TBlock, fw::TGraphicControl)
public:
    using TGraphicControl::TGraphicControl;
    TColor paint = fw::clBlue;

protected:
    void Paint() override
    {
        Canvas()->Brush()->SetColor(paint);
        Canvas()->FillRect({0, 0, Width(), Height()});
    }
};

FW_IMPLEMENT_CLASS(TBlock) {}

TEST(PaintControlTo, ParentBackgroundAndSiblingsLandAtTheOrigin)
{
    fw::Application->Initialize();
    fw::TOwnedPtr<fw::TForm> form(new fw::TForm(nullptr));
    form->SetBounds(50, 50, 200, 150);
    form->SetColor(fw::clYellow);
    auto* control = new fw::TGraphicControl(form.get());
    control->SetParent(form.get());
    control->SetBounds(20, 10, 30, 20);
    auto* sibling = new TBlock(form.get());
    sibling->SetParent(form.get());
    sibling->SetBounds(25, 15, 10, 10);
    form->HandleNeeded();

    auto target = Solid(30, 20, kGreen);
    HDC dc = target->Canvas()->Handle();
    PaintControlTo(control, dc);
    EXPECT_EQ(PixelAt(target.get(), 0, 0), fw::clYellow);
    EXPECT_EQ(PixelAt(target.get(), 29, 19), fw::clYellow);
    EXPECT_EQ(PixelAt(target.get(), 5, 5), fw::clBlue);
    EXPECT_EQ(PixelAt(target.get(), 14, 14), fw::clBlue);
    EXPECT_EQ(PixelAt(target.get(), 15, 15), fw::clYellow);
    // The DC is given back as it was.
    POINT origin{1, 1};
    GetViewportOrgEx(dc, &origin);
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, 0);

    // A control without a parent paints nothing.
    fw::TOwnedPtr<fw::TGraphicControl> orphan(new fw::TGraphicControl(nullptr));
    PaintControlTo(orphan.get(), dc);
    EXPECT_EQ(PixelAt(target.get(), 29, 19), fw::clYellow);
}

}  // namespace
}  // namespace skin
