// Caption buttons without a window: when a button shows and is enabled,
// where it sits, which one a point hits, the frame a look uses, and the
// hit objects' state machine.
#include "skin/form/captionbuttons.h"

#include <gtest/gtest.h>

#include "skin/data/skinobjects.h"
#include "skin/form/winskinform.h"

namespace skin {
namespace {

std::unique_ptr<TDataSkinSysButton> Button(int action, int visibility, int visibility1, int w = 120,
                                           int h = 20, int frames = 4)
{
    auto b = std::make_unique<TDataSkinSysButton>("B");
    b->Action = action;
    b->Visibility = visibility;
    b->Visibility1 = visibility1;
    b->Frame = frames;
    b->Image->SetSize(w, h);
    return b;
}

TCaptionFacts Facts(uint8_t caps, TSkinWindowState state = wsNormal, bool active = true,
                    TBorderKind border = bkSizable)
{
    TCaptionFacts f;
    f.Caps = caps;
    f.WindowState = state;
    f.Active = active;
    f.BorderKind = border;
    return f;
}

constexpr uint8_t kAll = ccSysMenu | ccMinimize | ccMaximize;

TEST(CaptionButtons, VisibilityCodes)
{
    struct Case {
        int visibility, visibility1;
        TCaptionFacts facts;
        bool visible;
    } cases[] = {
        {0, 0, Facts(kAll), true},
        {1, 0, Facts(kAll, wsMaximized), true},
        {1, 0, Facts(kAll), false},
        {2, 0, Facts(kAll), true},
        {2, 0, Facts(kAll, wsMaximized), false},
        {3, 0, Facts(kAll, wsNormal, false), false},
        {4, 0, Facts(kAll, wsNormal, false), true},
        {6, 0, Facts(ccSysMenu | ccMinimize), true},
        {8, 0, Facts(ccMinimize), false},  // no system menu
        {7, 0, Facts(ccSysMenu | ccMinimize), true},
        {9, 0, Facts(ccSysMenu | ccMinimize), false},
        {10, 0, Facts(ccSysMenu | ccContextHelp), true},
        {10, 0, Facts(ccSysMenu | ccContextHelp | ccMinimize), false},
        {200, 0, Facts(kAll, wsNormal, true, bkDialog), true},
        {250, 0, Facts(0), true},
        {5, 0, Facts(kAll), false},
        {99, 0, Facts(kAll), false},
        {2001, 0, Facts(kAll), false},
        {-1, 0, Facts(kAll), false},
        {-2, 0, Facts(kAll), false},
        // The second code.
        {0, -1, Facts(kAll), false},  // hidden whatever the first code
        {0, 1, Facts(kAll), false},
        {0, 2, Facts(kAll), true},
        {0, 8, Facts(ccMaximize), true},  // boxes only, no system menu needed
        {0, 10, Facts(ccContextHelp | ccMinimize), true},
        {0, 2000, Facts(0), true},
        {0, 2001, Facts(kAll), false},
        {3, 100, Facts(kAll), true},  // the first code alone
        {4, 100, Facts(kAll), false},
    };
    for (const Case& c : cases) {
        auto b = Button(20, c.visibility, c.visibility1);
        EXPECT_EQ(SysButtonVisibility(*b, c.facts).Visible, c.visible)
            << c.visibility << "/" << c.visibility1;
    }
}

TEST(CaptionButtons, DialogClassesHideCode200)
{
    auto b = Button(20, 200, 0);
    TCaptionFacts f = Facts(kAll, wsNormal, true, bkDialog);
    f.DialogClass = true;
    EXPECT_FALSE(SysButtonVisibility(*b, f).Visible);
    auto second = Button(20, 0, 200);
    EXPECT_FALSE(SysButtonVisibility(*second, f).Visible);
}

TEST(CaptionButtons, ApplicationDecidesCodes1000To2000)
{
    auto b = Button(21, 1500, 0);
    TCaptionFacts f = Facts(kAll);
    std::vector<std::pair<int, int>> asked;
    LRESULT answer = 1;
    f.AskApplication = [&](int code, int action) {
        asked.emplace_back(code, action);
        return answer;
    };
    EXPECT_TRUE(SysButtonVisibility(*b, f).Visible);
    answer = 0;
    EXPECT_FALSE(SysButtonVisibility(*b, f).Visible);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0], std::make_pair(1500, 21));
}

TEST(CaptionButtons, ActionCorrections)
{
    // Close: hidden without a system menu, disabled when the system menu
    // does not let the window close.
    auto close = Button(0, 0, 0);
    EXPECT_FALSE(SysButtonVisibility(*close, Facts(ccMinimize)).Visible);
    TCaptionFacts noClose = Facts(kAll);
    noClose.CanClose = false;
    TButtonVisibility v = SysButtonVisibility(*close, noClose);
    EXPECT_TRUE(v.Visible);
    EXPECT_TRUE(v.ChangesEnabled);
    EXPECT_FALSE(v.Enabled);
    EXPECT_TRUE(SysButtonVisibility(*close, Facts(kAll)).Enabled);
    // Maximise and minimise: enabled by their box and the system menu.
    auto max = Button(1, 0, 0), min = Button(2, 0, 0);
    EXPECT_FALSE(SysButtonVisibility(*max, Facts(ccMaximize)).Enabled);
    EXPECT_TRUE(SysButtonVisibility(*max, Facts(ccSysMenu | ccMaximize)).Enabled);
    EXPECT_FALSE(SysButtonVisibility(*min, Facts(ccSysMenu | ccMaximize)).Enabled);
    EXPECT_TRUE(SysButtonVisibility(*min, Facts(kAll)).Visible);
    // System menu: none on a dialog frame.
    for (int action : {3, 11, 12}) {
        auto sys = Button(action, 0, 0, 16, 16, 1);
        EXPECT_FALSE(SysButtonVisibility(*sys, Facts(kAll, wsNormal, true, bkDialog)).Visible);
        EXPECT_TRUE(SysButtonVisibility(*sys, Facts(kAll)).Visible);
    }
    // Other actions leave Enabled alone.
    EXPECT_FALSE(SysButtonVisibility(*Button(20, 0, 0), Facts(0)).ChangesEnabled);
}

TEST(CaptionButtons, PlacesByAlign)
{
    TButtonPlace p;
    p.WindowWidth = 677;
    p.CaptionTextRect = RECT{24, 5, 200, 25};
    p.Borders = TFrameBorders{4, 30, 4, 4};
    p.MenuBarHeight = 20;
    p.MenuBarLeftMargin = 2;
    struct Case {
        int align, x, y;
        RECT expected;
    } cases[] = {
        {0, 8, 7, {8, 7, 38, 27}},        {1, 36, 5, {641, 5, 671, 25}},
        {2, 3, 5, {-9, 5, 21, 25}},       {8, 3, 5, {-9, 5, 21, 25}},
        {3, 3, 5, {203, 5, 233, 25}},     {9, 3, 5, {203, 5, 233, 25}},
        {100, 40, 0, {631, 30, 661, 50}}, {7, 40, 9, {0, 0, 30, 20}},
    };
    for (const Case& c : cases) {
        auto b = Button(0, 0, 0);  // 4 frames of 30 x 20
        b->Align = c.align;
        b->Xcoord = c.x;
        b->Ycoord = c.y;
        const RECT r = SysButtonRect(*b, p);
        EXPECT_TRUE(EqualRect(&r, &c.expected)) << "align " << c.align << ": " << r.left << ","
                                                << r.top << "," << r.right << "," << r.bottom;
    }
    // The system-menu button is one frame whatever its count.
    auto sys = Button(3, 0, 0, 16, 16, 4);
    EXPECT_EQ(SysButtonSize(*sys).cx, 16);
    auto zero = Button(0, 0, 0, 90, 20, 0);
    EXPECT_EQ(SysButtonSize(*zero).cx, 90);
}

TEST(CaptionButtons, FramesOfTheLooks)
{
    auto four = Button(0, 0, 0);
    EXPECT_EQ(SysButtonFrame(*four, true, nsNormal), 1);
    EXPECT_EQ(SysButtonFrame(*four, true, nsPressed), 2);
    EXPECT_EQ(SysButtonFrame(*four, true, nsHot), 3);
    EXPECT_EQ(SysButtonFrame(*four, false, nsHot), 4);
    auto two = Button(0, 0, 0, 60, 20, 2);
    EXPECT_EQ(SysButtonFrame(*two, false, nsPressed), 1);
    auto mdi = Button(7, 100, 100, 64, 14, 4);
    EXPECT_EQ(SysButtonFrame(*mdi, true, nsHot), 4);
}

class CaptionButtonObjects : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = fw::TOwnedPtr<TWinSkinForm>(new TWinSkinForm(nullptr));
        for (int i = 0; i < 3; ++i) {
            skins.push_back(Button(i, 0, 0));
            auto b = std::make_unique<TWinSysButton>(form.get(), skins.back().get());
            b->Visible = true;
            b->Rect = RECT{100 + 40 * i, 5, 130 + 40 * i, 25};
            form->SysButtons.push_back(std::move(b));
        }
    }
    TWinSysButton* B(size_t i) { return form->SysButtons[i].get(); }

    fw::TOwnedPtr<TWinSkinForm> form;
    std::vector<std::unique_ptr<TDataSkinSysButton>> skins;
};

TEST_F(CaptionButtonObjects, FindSkipsHiddenAndDecorations)
{
    EXPECT_EQ(FindSysButton(form->SysButtons, POINT{145, 10}), B(1));
    EXPECT_EQ(FindSysButton(form->SysButtons, POINT{135, 10}), nullptr);
    B(1)->Visible = false;
    EXPECT_EQ(FindSysButton(form->SysButtons, POINT{145, 10}), nullptr);
    skins[2]->Action = -1;
    EXPECT_EQ(FindSysButton(form->SysButtons, POINT{185, 10}), nullptr);
    EXPECT_EQ(FindSysButton(form->SysButtons, POINT{100, 5}), B(0));
    EXPECT_EQ(FindSysButton(form->SysButtons, POINT{130, 5}), nullptr);  // right edge is outside
}

TEST_F(CaptionButtonObjects, StateMachine)
{
    EXPECT_EQ(B(0)->State, nsNormal);  // buttons start normal
    B(0)->HoverEnter();
    EXPECT_EQ(form->HotObject, B(0));
    EXPECT_EQ(B(0)->State, nsHot);
    // Moving to another button leaves the first before the second lights.
    B(1)->HoverEnter();
    EXPECT_EQ(B(0)->State, nsNormal);
    EXPECT_EQ(B(1)->State, nsHot);
    EXPECT_EQ(form->HotObject, B(1));
    B(2)->ButtonDown();
    EXPECT_EQ(B(1)->State, nsNormal);
    EXPECT_EQ(B(2)->State, nsPressed);
    EXPECT_EQ(form->HotObject, B(2));
    B(2)->ButtonUp();
    EXPECT_EQ(B(2)->State, nsHot);
    B(2)->HoverLeave();
    EXPECT_EQ(B(2)->State, nsNormal);
    EXPECT_EQ(form->HotObject, nullptr);
    // An invisible object changes nothing.
    B(0)->Visible = false;
    B(0)->ButtonDown();
    EXPECT_EQ(B(0)->State, nsNormal);
    EXPECT_EQ(form->HotObject, nullptr);
}

TEST_F(CaptionButtonObjects, FreeingButtonsClearsTheHotObject)
{
    B(1)->HoverEnter();
    ASSERT_EQ(form->HotObject, B(1));
    form->FreeSysButtons();
    EXPECT_EQ(form->HotObject, nullptr);
    EXPECT_TRUE(form->SysButtons.empty());
}

}  // namespace
}  // namespace skin
