// The media player skinner: its panel laid over the player and following
// it, the player's buttons painted on it with faces and glyphs by state,
// clicks passed on to the player, and who frees the panel when (the
// player's own handling of a click too).
#include "skin/controls/skinmedia.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "skin/controls/classify.h"
#include "skin/controls/tests/controlfixture.h"
#include "skin/tests/freedmemory.h"

namespace skin {

FW_ENUM(TMPBtnType, "btPlay", "btPause", "btStop", "btNext", "btPrev", "btStep", "btBack",
        "btRecord", "btEject")

namespace {

using test::ControlTest;
using test::FrameColour;
using test::PixelAt;

using TButtonSet = fw::TSet<TMPBtnType>;

// A media player of another library as the engine sees it: its button
// sets published, the left-button messages it receives recorded.
class TMediaPlayerProbe : public fw::TCustomControl {
    FW_CLASS(TMediaPlayerProbe, fw::TCustomControl)
public:
    using fw::TCustomControl::TCustomControl;
    TButtonSet VisibleButtons, EnabledButtons, ColoredButtons;
    struct TPress {
        UINT message;
        LPARAM at;
    };
    std::vector<TPress> presses;
    // Told of each press and release after it is recorded.
    std::function<void(UINT message)> pressed;

    void WndProc(fw::TMessage& m) override
    {
        if (m.Msg == WM_LBUTTONDOWN || m.Msg == WM_LBUTTONUP) {
            presses.push_back({m.Msg, m.LParam});
            if (pressed) pressed(m.Msg);
        }
        fw::TCustomControl::WndProc(m);
    }
};
FW_IMPLEMENT_CLASS_AS(TMediaPlayerProbe, "TMediaPlayer")
{
    c.Property("VisibleButtons", &TMediaPlayerProbe::VisibleButtons);
    c.Property("EnabledButtons", &TMediaPlayerProbe::EnabledButtons);
    c.Property("ColoredButtons", &TMediaPlayerProbe::ColoredButtons);
}

constexpr fw::TColor kKey = 0x008080;

// An 8 x 6 glyph in the colour, its top-left pixel in the key colour.
std::unique_ptr<fw::TBitmap> Glyph(fw::TColor colour)
{
    return test::MakeBitmap(8, 6,
                            [colour](int x, int y) { return x == 0 && y == 0 ? kKey : colour; });
}

class SkinMediaTest : public ControlTest {
protected:
    TSkinMP* Skin(TMediaPlayerProbe* player)
    {
        TControlClassifier(list, data.get(), nullptr).SkinControl(player, form.get());
        return dynamic_cast<TSkinMP*>(list.FindByControl(player));
    }
    TMediaPlayerProbe* Player(TButtonSet visible, TButtonSet enabled, TButtonSet coloured = {})
    {
        auto* p = Put<TMediaPlayerProbe>(20, 30, 100, 30);
        p->VisibleButtons = visible;
        p->EnabledButtons = enabled;
        p->ColoredButtons = coloured;
        return p;
    }
    static std::unique_ptr<fw::TBitmap> Paint(TWMediaPlayer* panel)
    {
        auto b = test::Solid(panel->Width(), panel->Height(), 0x000000);
        SendMessageW(panel->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(b->Canvas()->Handle()), 0);
        return b;
    }
};

TEST_F(SkinMediaTest, PanelLiesOverThePlayerAndFollowsIt)
{
    auto* player = Player({btPlay}, {btPlay});
    TSkinMP* s = Skin(player);
    ASSERT_NE(s, nullptr);
    TWMediaPlayer* panel = s->Panel;
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->Parent(), form.get());
    EXPECT_EQ(panel->Tag(), data->DisableTag());
    auto bounds = [](fw::TControl* c) {
        return std::vector<int>{c->Left(), c->Top(), c->Width(), c->Height()};
    };
    EXPECT_EQ(bounds(panel), bounds(player));
    // The panel, not the player, takes the mouse.
    EXPECT_EQ(ChildWindowFromPoint(form->Handle(), POINT{50, 40}), panel->Handle());

    player->SetBounds(40, 50, 120, 28);
    EXPECT_EQ(bounds(panel), bounds(player));
    player->SetVisible(false);
    EXPECT_FALSE(panel->Visible());
    player->SetVisible(true);
    EXPECT_TRUE(panel->Visible());
}

TEST_F(SkinMediaTest, ButtonsWithFacesAndGlyphsByState)
{
    auto* player = Player({btPlay, btStop, btEject}, {btPlay, btEject}, {btEject});
    player->SetBounds(20, 30, 150, 30);
    TWMediaPlayer* panel = Skin(player)->Panel;
    // The program carries no glyphs: every one loads empty.
    for (const auto& b : panel->Buttons)
        for (const auto& g : b.Glyphs) EXPECT_TRUE(g && g->Empty());
    const fw::TColor kEnabled = 0xFF0000, kDisabled = 0x00FF00, kColoured = 0x0000FF;
    for (auto& b : panel->Buttons) {
        b.Glyphs[TWMediaPlayer::gkEnabled] = Glyph(kEnabled);
        b.Glyphs[TWMediaPlayer::gkDisabled] = Glyph(kDisabled);
        b.Glyphs[TWMediaPlayer::gkColoured] = Glyph(kColoured);
    }
    auto image = Paint(panel);
    EXPECT_EQ(panel->ButtonWidth, 50);
    EXPECT_EQ(panel->VisibleCount, 3);
    struct Case {
        int left;
        fw::TColor face, glyph;
    } cases[] = {
        {0, FrameColour(1), kEnabled},     // play: enabled
        {50, FrameColour(3), kDisabled},   // stop: disabled
        {100, FrameColour(1), kColoured},  // eject: enabled and coloured
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PixelAt(image.get(), c.left + 2, 2), c.face) << c.left;
        // The glyph centred: (50 - 8) / 2 across, (30 - 6) / 2 down; its key
        // pixel shows the face.
        EXPECT_EQ(PixelAt(image.get(), c.left + 22, 13), c.glyph) << c.left;
        EXPECT_EQ(PixelAt(image.get(), c.left + 21, 12), c.face) << c.left;
        EXPECT_EQ(PixelAt(image.get(), c.left + 20, 12), c.face) << c.left;
    }

    // Pressed: face frame 2, the glyph one pixel right and down.
    panel->MouseDown = true;
    panel->PressedButton = btPlay;
    image = Paint(panel);
    EXPECT_EQ(PixelAt(image.get(), 2, 2), FrameColour(2));
    EXPECT_EQ(PixelAt(image.get(), 22, 13), FrameColour(2));
    EXPECT_EQ(PixelAt(image.get(), 23, 14), kEnabled);

    // No visible button: a plain face.
    player->VisibleButtons = {};
    image = Paint(panel);
    EXPECT_EQ(PixelAt(image.get(), 75, 15), test::kFace);
}

TEST_F(SkinMediaTest, ClicksPassedOnToThePlayer)
{
    auto* player = Player({btPlay, btStop}, {btPlay, btStop});
    TWMediaPlayer* panel = Skin(player)->Panel;
    Paint(panel);
    EXPECT_EQ(panel->PlayerButtonAt(0), btPlay);
    EXPECT_EQ(panel->PlayerButtonAt(50), btPlay);  // the earlier button at a shared edge
    EXPECT_EQ(panel->PlayerButtonAt(51), btStop);
    EXPECT_EQ(panel->PlayerButtonAt(100), btStop);
    EXPECT_EQ(panel->PlayerButtonAt(101), kNoPlayerButton);

    auto click = [&](int down, int up) {
        player->presses.clear();
        SendMessageW(panel->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(down, 5));
        EXPECT_NE(GetCapture(), panel->Handle());
        SendMessageW(panel->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(up, 5));
        return player->presses;
    };
    auto same = click(10, 20);
    ASSERT_EQ(same.size(), 2u);
    EXPECT_EQ(same[0].message, UINT(WM_LBUTTONDOWN));
    EXPECT_EQ(same[0].at, MAKELPARAM(10, 5));
    EXPECT_EQ(same[1].message, UINT(WM_LBUTTONUP));
    EXPECT_EQ(same[1].at, MAKELPARAM(20, 5));
    // Released over another button: the player sees the press only.
    auto other = click(10, 70);
    ASSERT_EQ(other.size(), 1u);
    EXPECT_EQ(other[0].message, UINT(WM_LBUTTONDOWN));
    EXPECT_FALSE(panel->MouseDown);
    EXPECT_EQ(panel->PressedButton, btStop);
}

TEST_F(SkinMediaTest, APlayerThatUnskinsOnAClickLeavesTheFreedPanelAlone)
{
    // The player's handling of the press, or of the release, unskins (as a
    // handler opening a modal box in which the skin goes): the panel that
    // passed it on is freed meanwhile.
    for (const UINT freeOn : {UINT(WM_LBUTTONDOWN), UINT(WM_LBUTTONUP)}) {
        SCOPED_TRACE(freeOn == WM_LBUTTONDOWN ? "press" : "release");
        auto* player = Player({btPlay}, {btPlay});
        HWND panel = Skin(player)->Panel->Handle();
        player->pressed = [&](UINT message) {
            if (message == freeOn) list.FreeSkinControls();
        };
        {
            test::TFreedMemoryWatch watch;
            SendMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
            if (IsWindow(panel)) SendMessageW(panel, WM_LBUTTONUP, 0, MAKELPARAM(10, 5));
            EXPECT_FALSE(IsWindow(panel));
            EXPECT_GT(watch.Freed(), 0u);
            EXPECT_EQ(watch.CallsIntoFreed(), 0);
            EXPECT_EQ(watch.WrittenAfterFree(), 0);
        }
        player->pressed = nullptr;
        player->Free();
    }
}

TEST_F(SkinMediaTest, PanelFreedByUnskinOrLaterWithTheFormSkinner)
{
    // Unskinned: the panel goes.
    auto* player = Player({btPlay}, {btPlay});
    HWND panelWindow = Skin(player)->Panel->Handle();
    list.FreeSkinControls();
    EXPECT_FALSE(IsWindow(panelWindow));

    // The player destroyed: the panel stays with the form skinner that
    // owns it, forgets the player and hides.
    fw::TOwnedPtr<fw::TComponent> formSkinner(new fw::TComponent(nullptr));
    list.OwnerComponent = formSkinner.get();
    player = Player({btPlay}, {btPlay});
    TWMediaPlayer* panel = Skin(player)->Panel;
    EXPECT_EQ(panel->Owner(), formSkinner.get());
    player->Free();
    ASSERT_TRUE(IsWindow(panel->Handle()));
    EXPECT_EQ(panel->Player, nullptr);
    EXPECT_EQ(panel->Skinner, nullptr);
    EXPECT_FALSE(panel->Visible());
    Paint(panel);
    SendMessageW(panel->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
    SendMessageW(panel->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 5));
    panelWindow = panel->Handle();
    formSkinner.reset();
    EXPECT_FALSE(IsWindow(panelWindow));
    list.OwnerComponent = nullptr;
}

}  // namespace
}  // namespace skin
