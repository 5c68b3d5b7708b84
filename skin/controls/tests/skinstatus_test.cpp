// Status bars: panels framed from the skin's edge strip (or plain edges
// without one), the simple panel, panel text placement, the size grip,
// owner-drawn panels and the paint messages the skinner takes over.
#include "skin/controls/skinstatus.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <vector>

#include "framework/comctrls.h"
#include "skin/controls/tests/controlfixture.h"

namespace skin {
namespace {

using test::ControlTest;
using test::FrameColour;
using test::kFace;
using test::PixelAt;

constexpr fw::TColor kTextColour = 0xFF0000;  // the edges' NormalColour2, 0,0,255

// The size grip strip: 5 frames of 8 x 8, the top-left pixel of each magenta.
std::string GripStrip()
{
    return test::BmpFile(40, 8, [](int x, int y) {
        return x % 8 == 0 && y == 0 ? fw::TColor(0xFF00FF) : FrameColour(x / 8 + 1);
    });
}

std::string EdgeSkin()
{
    return test::TestSkin(
        "[StatusBarEdges]\r\nImage=status.bmp\r\nNormalColour2=0,0,255\r\n"
        "[ExtraImages]\r\nImage=extra.bmp\r\n",
        {{"status.bmp", test::StripBmp(3, 6, 6)}, {"extra.bmp", GripStrip()}});
}

// Whether any pixel of the rectangle has the colour.
bool AnyPixel(fw::TBitmap* b, const RECT& r, fw::TColor colour)
{
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (PixelAt(b, x, y) == colour) return true;
    return false;
}

class SkinStatusBarTest : public ControlTest {
protected:
    fw::TStatusBar* Bar(std::initializer_list<fw::TStatusPanelBevel> bevels)
    {
        auto* bar = Put<fw::TStatusBar>(0, 0, 300, 22);
        for (fw::TStatusPanelBevel bevel : bevels) {
            fw::TStatusPanel* panel = bar->AddPanel();
            panel->SetWidth(80);
            panel->SetBevel(bevel);
            panel->SetText("ab");
        }
        return bar;
    }
    TSkinStatusBar* Skin(fw::TStatusBar* bar)
    {
        auto* s = new TSkinStatusBar(bar);
        s->InitControl(&list, data.get(), false, nullptr);
        return s;
    }
    static RECT PanelRect(fw::TStatusBar* bar, int i)
    {
        RECT r{};
        EXPECT_TRUE(SendMessageW(bar->Handle(), SB_GETRECT, i, reinterpret_cast<LPARAM>(&r)));
        return r;
    }
};

TEST_F(SkinStatusBarTest, PanelsTakeTheirEdgeFrameAndTheLastReachesTheEnd)
{
    LoadSkin(EdgeSkin());
    auto* bar = Bar({fw::pbLowered, fw::pbRaised, fw::pbNone});
    auto image = Render(Skin(bar));
    const int w = image->Width(), h = image->Height();
    const int kinds[] = {kStatusLowered, kStatusRaised, kStatusFlat};
    for (int i = 0; i < 3; ++i) {
        const RECT p = PanelRect(bar, i);
        EXPECT_EQ(PixelAt(image.get(), p.left, p.top), FrameColour(kinds[i])) << i;
        // Texts in the edges' text colour, inside their panel.
        EXPECT_TRUE(AnyPixel(image.get(), p, kTextColour)) << i;
    }
    // The first two cover the window's 2-pixel gap after them.
    for (int i = 0; i < 2; ++i) {
        const RECT p = PanelRect(bar, i);
        ASSERT_EQ(PanelRect(bar, i + 1).left, p.right + 2);
        EXPECT_EQ(PixelAt(image.get(), p.right + 1, p.top), FrameColour(kinds[i])) << i;
    }
    // The last panel runs to the bar's right edge, past the window's own end.
    const RECT last = PanelRect(bar, 2);
    EXPECT_EQ(PixelAt(image.get(), w - 1, last.top), FrameColour(kStatusFlat));
    // The size grip: frame 5 with its bottom-right corner at (w - 1, h - 1),
    // its magenta pixel showing the panel under it.
    EXPECT_EQ(PixelAt(image.get(), w - 2, h - 2), FrameColour(5));
    EXPECT_EQ(PixelAt(image.get(), w - 1 - 8, h - 1 - 8), FrameColour(kStatusFlat));
    EXPECT_EQ(PixelAt(image.get(), w - 1 - 7, h - 1 - 8), FrameColour(5));
    EXPECT_EQ(PixelAt(image.get(), w - 1, h - 1), FrameColour(kStatusFlat));

    // Without the grip style there is no grip.
    auto* plain = Bar({fw::pbNone});
    plain->SetSizeGrip(false);
    image = Render(Skin(plain));
    EXPECT_EQ(PixelAt(image.get(), image->Width() - 2, image->Height() - 2),
              FrameColour(kStatusFlat));
}

TEST_F(SkinStatusBarTest, SimplePanelIsOneLoweredFrameWhateverThePanels)
{
    LoadSkin(EdgeSkin());
    auto* bar = Bar({fw::pbRaised, fw::pbNone});
    bar->SetSimplePanel(true);
    bar->SetSimpleText("ready");
    bar->SetSizeGrip(false);
    auto image = Render(Skin(bar));
    const int w = image->Width(), h = image->Height();
    for (int x : {0, 85, 170, w - 1}) {
        EXPECT_EQ(PixelAt(image.get(), x, 0), FrameColour(kStatusLowered)) << x;
        EXPECT_EQ(PixelAt(image.get(), x, h - 1), FrameColour(kStatusLowered)) << x;
    }
    // The simple text sits at the left; a right-to-left bar puts it right.
    const RECT left{0, 0, w / 2, h}, right{w / 2, 0, w, h};
    EXPECT_TRUE(AnyPixel(image.get(), left, kTextColour));
    EXPECT_FALSE(AnyPixel(image.get(), right, kTextColour));
    bar->SetBiDiMode(fw::bdRightToLeft);
    image = Render(Skin(bar));
    EXPECT_FALSE(AnyPixel(image.get(), left, kTextColour));
    EXPECT_TRUE(AnyPixel(image.get(), right, kTextColour));
}

TEST_F(SkinStatusBarTest, PanelTextAlignedAndSwappedRightToLeft)
{
    LoadSkin(EdgeSkin());
    auto* bar = Put<fw::TStatusBar>(0, 0, 300, 22);
    bar->SetSizeGrip(false);
    struct Case {
        fw::TAlignment align;
        fw::TBiDiMode mode;
        bool left, right;  // text in the left, in the right third
    } cases[] = {
        {fw::taLeftJustify, fw::bdLeftToRight, true, false},
        {fw::taRightJustify, fw::bdLeftToRight, false, true},
        {fw::taCenter, fw::bdLeftToRight, false, false},
        {fw::taLeftJustify, fw::bdRightToLeft, false, true},
        {fw::taRightJustify, fw::bdRightToLeft, true, false},
    };
    for (const Case& c : cases) {
        bar->ClearPanels();
        fw::TStatusPanel* panel = bar->AddPanel();
        panel->SetWidth(150);
        panel->SetText("ab");
        panel->SetAlignment(c.align);
        panel->SetBiDiMode(c.mode);
        bar->AddPanel();  // the rest of the bar
        auto image = Render(Skin(bar));
        const RECT p = PanelRect(bar, 0);
        const int third = (p.right - p.left) / 3;
        const RECT left{p.left, p.top, p.left + third, p.bottom};
        const RECT right{p.right - third, p.top, p.right, p.bottom};
        EXPECT_EQ(AnyPixel(image.get(), left, kTextColour), c.left) << c.align << c.mode;
        EXPECT_EQ(AnyPixel(image.get(), right, kTextColour), c.right) << c.align << c.mode;
        list.FreeSkinControls();
    }
}

TEST_F(SkinStatusBarTest, WithoutEdgeImagePlainEdgesAndNoneForFlatPanels)
{
    EXPECT_EQ(StatusBevelColours(kStatusLowered),
              std::make_pair(fw::clBtnShadow, fw::clBtnHighlight));
    EXPECT_EQ(StatusBevelColours(kStatusRaised),
              std::make_pair(fw::clBtnHighlight, fw::clBtnShadow));
    // The default test skin has neither edges nor grip images.
    auto* bar = Bar({fw::pbLowered, fw::pbRaised, fw::pbNone});
    auto image = Render(Skin(bar));
    const fw::TColor shadow = fw::ColorToRGB(fw::clBtnShadow);
    const fw::TColor light = fw::ColorToRGB(fw::clBtnHighlight);
    const RECT lowered = PanelRect(bar, 0), raised = PanelRect(bar, 1), flat = PanelRect(bar, 2);
    EXPECT_EQ(PixelAt(image.get(), lowered.left, lowered.top), shadow);
    EXPECT_EQ(PixelAt(image.get(), lowered.left + 1, lowered.bottom - 1), light);
    EXPECT_EQ(PixelAt(image.get(), raised.left, raised.top), light);
    EXPECT_EQ(PixelAt(image.get(), raised.left + 1, raised.bottom - 1), shadow);
    EXPECT_EQ(PixelAt(image.get(), flat.left, flat.top), kFace);
    // No grip image, no grip: the ground stays the skin's face.
    EXPECT_EQ(PixelAt(image.get(), image->Width() - 3, image->Height() - 3), kFace);
}

TEST_F(SkinStatusBarTest, OwnerDrawnPanelsGetTheirRectangleNarrowed)
{
    LoadSkin(EdgeSkin());
    auto* bar = Bar({fw::pbLowered, fw::pbLowered});
    bar->Panels(0)->SetStyle(fw::psOwnerDraw);
    struct TDrawn : fw::TObject {
        std::vector<std::pair<int, RECT>> calls;
        void Draw(fw::TStatusBar* sender, fw::TStatusPanel* panel, RECT r)
        {
            const int index = panel == sender->Panels(0) ? 0 : 1;
            calls.push_back({index, r});
            if (index == 0) sender->Canvas()->FillRect(RECT{r.left, r.top, r.left + 4, r.top + 4});
        }
    } drawn;
    bar->OnDrawPanel = fw::TDrawPanelEvent(&drawn, &TDrawn::Draw);
    bar->Canvas()->Brush()->SetColor(0x00FFFF);
    auto* s = Skin(bar);
    auto image = Render(s);
    // Every panel, owner-drawn or not, 2 pixels in from the window's rectangle.
    ASSERT_EQ(drawn.calls.size(), 2u);
    for (const auto& [i, r] : drawn.calls) {
        RECT expected = PanelRect(bar, i);
        InflateRect(&expected, -2, -2);
        EXPECT_TRUE(EqualRect(&r, &expected)) << i;
    }
    const RECT p = PanelRect(bar, 0);
    EXPECT_EQ(PixelAt(image.get(), p.left + 3, p.top + 3), 0x00FFFF);
    // The owner-drawn panel has its frame but no text of the skinner's.
    EXPECT_EQ(PixelAt(image.get(), p.left, p.top), FrameColour(kStatusLowered));
    EXPECT_FALSE(AnyPixel(image.get(), p, kTextColour));
    EXPECT_TRUE(AnyPixel(image.get(), PanelRect(bar, 1), kTextColour));

    // A simple bar shows no panels and draws none.
    drawn.calls.clear();
    bar->SetSimplePanel(true);
    Render(s);
    EXPECT_TRUE(drawn.calls.empty());
}

TEST_F(SkinStatusBarTest, PaintMessagesAreTheSkinners)
{
    LoadSkin(EdgeSkin());
    auto* bar = Bar({fw::pbRaised});
    Skin(bar);
    RECT r;
    GetWindowRect(bar->Handle(), &r);
    auto image = test::Solid(r.right - r.left, r.bottom - r.top, 0x000000);
    HDC dc = image->Canvas()->Handle();
    // Erasing does nothing and says it is done.
    EXPECT_EQ(SendMessageW(bar->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
    EXPECT_EQ(PixelAt(image.get(), 5, 5), 0x000000);
    SendMessageW(bar->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    EXPECT_EQ(PixelAt(image.get(), 5, 5), FrameColour(kStatusRaised));
}

}  // namespace
}  // namespace skin
