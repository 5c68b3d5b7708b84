// The skinned frame's geometry and window facts, as tables: kinds and
// caption flags from styles and version, window states, frame sizes,
// frame coordinates, the hit-test rule, the client rectangle and the
// skinner's state changes.
#include "skin/form/formgeometry.h"

#include <gtest/gtest.h>

#include "skin/data/skinobjects.h"

namespace skin {
namespace {

constexpr DWORD kCaption = WS_CAPTION;  // border and title bar

TEST(FormGeometry, FormKindFromMDIClientAndExStyle)
{
    EXPECT_EQ(FormKindOf(0, false), fkNormal);
    EXPECT_EQ(FormKindOf(0, true), fkMDIFrame);
    EXPECT_EQ(FormKindOf(WS_EX_MDICHILD, false), fkMDIChild);
    EXPECT_EQ(FormKindOf(WS_EX_MDICHILD, true), fkMDIChild);
}

TEST(FormGeometry, BorderKindFromStyles)
{
    struct Case {
        DWORD style, exStyle;
        bool dialogClass;
        TBorderKind kind;
    } cases[] = {
        {kCaption | WS_THICKFRAME, 0, false, bkSizable},
        {kCaption, 0, false, bkFixed},
        {WS_BORDER, 0, false, bkNone},  // half a caption is none
        {WS_DLGFRAME, 0, false, bkNone},
        {WS_POPUP, 0, false, bkNone},
        {kCaption | DS_MODALFRAME, 0, false, bkDialog},
        {kCaption | WS_THICKFRAME | DS_MODALFRAME, 0, false, bkSizable},
        {kCaption | WS_THICKFRAME, WS_EX_DLGMODALFRAME, false, bkDialog},
        {kCaption | WS_THICKFRAME, 0, true, bkDialog},  // "#32770" even when sizable
    };
    for (const Case& c : cases)
        EXPECT_EQ(BorderKindOf(c.style, c.exStyle, c.dialogClass), c.kind)
            << std::hex << c.style << " " << c.exStyle << " " << c.dialogClass;
}

TEST(FormGeometry, CaptionCapsFromStylesAndVersion)
{
    const TWindowsVersion w2000{5, 0, true, false}, xp{5, 1, true, false},
        win10{10, 0, true, false}, win98{4, 10, false, true};
    struct Case {
        DWORD style, exStyle;
        bool sysMenuHandle, owner, mdiChild;
        TWindowsVersion version;
        uint8_t caps;
    } cases[] = {
        {WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0, false, true, false, xp,
         ccSysMenu | ccMinimize | ccMaximize},
        {0, WS_EX_CONTEXTHELP, true, true, false, xp, ccSysMenu | ccContextHelp},
        {0, 0, false, true, false, xp, 0},
        // x.0 versions keep the system-menu style of unowned top-level
        // windows and, on NT, of application windows.
        {WS_SYSMENU, 0, false, false, false, w2000, ccSysMenu | ccKeepSysMenuStyle},
        {WS_SYSMENU, 0, false, false, false, win10, ccSysMenu | ccKeepSysMenuStyle},
        {WS_SYSMENU, 0, false, false, false, xp, ccSysMenu},
        {WS_SYSMENU, 0, false, true, false, w2000, ccSysMenu},
        {WS_SYSMENU, 0, false, false, true, w2000, ccSysMenu},
        {WS_SYSMENU, WS_EX_APPWINDOW, false, true, false, w2000, ccSysMenu | ccKeepSysMenuStyle},
        {WS_SYSMENU, WS_EX_APPWINDOW, false, true, false, TWindowsVersion{5, 0, false, true},
         ccSysMenu},
        {WS_SYSMENU, 0, false, false, false, win98, ccSysMenu},
    };
    for (const Case& c : cases)
        EXPECT_EQ(
            CaptionCapsOf(c.style, c.exStyle, c.sysMenuHandle, c.owner, c.mdiChild, c.version),
            c.caps)
            << std::hex << c.style << " " << c.exStyle << " v" << c.version.Major << "."
            << c.version.Minor;
}

TEST(FormGeometry, WindowStateFromShowCommand)
{
    EXPECT_EQ(WindowStateOf(SW_SHOWMINIMIZED), wsMinimized);
    EXPECT_EQ(WindowStateOf(SW_MINIMIZE), wsMinimized);
    EXPECT_EQ(WindowStateOf(SW_SHOWMINNOACTIVE), wsMinimized);
    EXPECT_EQ(WindowStateOf(SW_SHOWMAXIMIZED), wsMaximized);
    EXPECT_EQ(WindowStateOf(SW_SHOWNORMAL), wsNormal);
    EXPECT_EQ(WindowStateOf(SW_RESTORE), wsNormal);
}

TEST(FormGeometry, FrameBordersPerFrameAndNoneWithoutCaption)
{
    TSkinContent skin;
    skin.Left->Image->SetSize(8, 40);
    skin.Left->Frame = 2;
    skin.Right->Image->SetSize(6, 40);
    skin.Right->Frame = 1;
    skin.Top->Image->SetSize(48, 60);
    skin.Top->Frame = 2;
    skin.Bottom->Image->SetSize(48, 5);
    skin.Bottom->Frame = 0;  // a count of 0 counts as one frame
    const TFrameBorders b = FrameBordersOf(skin, bkFixed);
    EXPECT_EQ(b.Left, 4);
    EXPECT_EQ(b.Right, 6);
    EXPECT_EQ(b.Top, 30);
    EXPECT_EQ(b.Bottom, 5);
    const TFrameBorders none = FrameBordersOf(skin, bkNone);
    EXPECT_EQ(none.Left + none.Top + none.Right + none.Bottom, 0);
}

TEST(FormGeometry, ClientToFrameAddsBordersAndMenuBar)
{
    const TFrameBorders b{4, 30, 5, 4};
    const POINT p = ClientToFrame(POINT{10, 20}, b, 19, false);
    EXPECT_EQ(p.x, 14);
    EXPECT_EQ(p.y, 69);
    const POINT mdi = ClientToFrame(POINT{10, 20}, b, 19, true);
    EXPECT_EQ(mdi.x, 10);
    EXPECT_EQ(mdi.y, 20);
}

TEST(FormGeometry, HitTestRule)
{
    const TFrameBorders b{4, 30, 4, 4};
    struct Case {
        LRESULT old;
        int y, menuBar;
        LRESULT expected;
    } cases[] = {
        {HTNOWHERE, 3, 0, HTNOWHERE},  // the top rows stay what they were
        {HTNOWHERE, 4, 0, HTCAPTION},
        {HTCAPTION, 29, 0, HTCAPTION},
        {HTCAPTION, 2, 0, HTCAPTION},
        {HTNOWHERE, 30, 0, HTNOWHERE},  // below the caption without a bar
        {HTNOWHERE, 30, 19, HTMENU},
        {HTCAPTION, 48, 19, HTMENU},
        {HTNOWHERE, 49, 19, HTNOWHERE},  // below the bar
        {HTNOWHERE, 300, 0, HTNOWHERE},  // the bottom border is no caption
        {HTBOTTOM, 300, 0, HTBOTTOM},
        {HTTOP, 10, 0, HTTOP},  // sizing borders stay sizing borders
        {HTLEFT, 10, 0, HTLEFT},
        {HTCLIENT, 10, 0, HTCLIENT},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SkinHitTest(c.old, POINT{50, c.y}, b, c.menuBar), c.expected)
            << "old " << c.old << " y " << c.y << " bar " << c.menuBar;
}

TEST(FormGeometry, ClientRectInsideFrameNeverNegative)
{
    const TFrameBorders b{4, 30, 4, 4};
    WINDOWPOS pos{};
    pos.x = 100;
    pos.y = 50;
    pos.cx = 677;
    pos.cy = 329;
    RECT r = SkinClientRect(pos, b, 0);
    EXPECT_EQ(r.left, 104);
    EXPECT_EQ(r.top, 80);
    EXPECT_EQ(r.right - r.left, 669);
    EXPECT_EQ(r.bottom - r.top, 295);
    r = SkinClientRect(pos, b, 19);
    EXPECT_EQ(r.top, 99);
    pos.cx = 5;
    pos.cy = 20;
    r = SkinClientRect(pos, b, 19);
    EXPECT_EQ(r.right, r.left);
    EXPECT_EQ(r.bottom, r.top);
}

TEST(FormGeometry, FormStateTransitions)
{
    using E = TFormEvent;
    struct Case {
        TFormState from;
        E event;
        TFormState to;
    } cases[] = {
        {fsInstalled, E::BeginFit, fsSizing},
        {fsSizing, E::EndFit, fsActive},
        {fsInstalled, E::Activated, fsActive},  // minimised or captionless: no fitting
        {fsActive, E::BeginReskin, fsReskinning},
        {fsReskinning, E::EndReskin, fsActive},
        {fsActive, E::BeginDestroy, fsDestroying},
        {fsInstalled, E::BeginDestroy, fsDestroying},
        {fsDestroying, E::Destroyed, fsDestroyed},
        // Nothing brings a skinner back to life once its window goes.
        {fsDestroying, E::Activated, fsDestroying},
        {fsDestroying, E::BeginReskin, fsDestroying},
        {fsDestroyed, E::Activated, fsDestroyed},
        {fsDestroyed, E::BeginFit, fsDestroyed},
        {fsDestroyed, E::BeginReskin, fsDestroyed},
        {fsDestroyed, E::BeginDestroy, fsDestroyed},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NextFormState(c.from, c.event), c.to)
            << c.from << " event " << static_cast<int>(c.event);
}

TEST(FormGeometry, VersionIsInjectable)
{
    const TWindowsVersion system = WindowsVersion();
    SetWindowsVersion(TWindowsVersion{4, 10, false, true});
    EXPECT_TRUE(WindowsVersion().Win95Family);
    ResetWindowsVersion();
    EXPECT_EQ(WindowsVersion().Major, system.Major);
    EXPECT_EQ(WindowsVersion().Win95Family, system.Win95Family);
}

}  // namespace
}  // namespace skin
