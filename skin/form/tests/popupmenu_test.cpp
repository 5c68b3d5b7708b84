// Popup-menu windows: the skin manager's popup registry (which popup
// windows get a skinner, by popup mode), the popup skinner on a stand-in
// window (erasing, printing, passing messages on while skinning is off),
// and a real popup menu of a skinned form: skinned while it shows, its
// items drawn on the skin, its skinner freed with it, no GDI objects left
// behind after many openings.
#include <gtest/gtest.h>

#include <functional>

#include "framework/menus.h"
#include "skin/form/popupmenu.h"
#include "skin/form/skinmanage.h"
#include "skin/form/tests/menufixture.h"
#include "skin/form/tests/skinnedwindow.h"
#include "skin/form/winskinform.h"
#include "skin/tests/gdicount.h"
#include "skin/tests/pump.h"

namespace skin {
namespace {

using namespace test;

using test::Skinned;

// Counts the messages a stand-in popup window's own procedure receives.
int g_erases = 0, g_ncpaints = 0;

LRESULT CALLBACK StandInProc(HWND h, UINT msg, WPARAM w, LPARAM l)
{
    if (msg == WM_ERASEBKGND) ++g_erases;
    if (msg == WM_NCPAINT) ++g_ncpaints;
    if (msg == WM_PRINTCLIENT) {
        // The "items": the whole client area in one colour.
        RECT r;
        GetClientRect(h, &r);
        const HBRUSH brush = CreateSolidBrush(0x00FF00);
        FillRect(reinterpret_cast<HDC>(w), &r, brush);
        DeleteObject(brush);
        return 0;
    }
    return DefWindowProcW(h, msg, w, l);
}

class PopupMenuTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        LoadSkin(MenuSkin());
        manager = CreateSkinManager(false);
        manager->RegisterSkinData(data.get());
        manager->Active = true;
    }
    // A borderless popup window of our own standing in for a menu window.
    HWND StandIn()
    {
        WNDCLASSW wc{};
        wc.lpfnWndProc = StandInProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"PopupMenuStandIn";
        RegisterClassW(&wc);
        HWND h = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 60, 40, nullptr, nullptr,
                                 wc.hInstance, nullptr);
        raws.push_back(h);
        return h;
    }
    void SetControls(std::initializer_list<TSkinControlType> types)
    {
        TSkinControlTypes set;
        for (TSkinControlType t : types) set.Include(t);
        data->SetSkinControls(set);
    }

    TSkinManage* manager = nullptr;
};

TEST_F(PopupMenuTest, ThePopupModeChoosesTheFlagThatAllowsSkinning)
{
    struct Case {
        TPopupMode mode;
        TSkinControlType flag;
        bool skinned;
    } cases[] = {
        {pmFormPopup, xcPopupMenu, true},   {pmFormPopup, xcMainMenu, false},
        {pmBarPopup, xcMainMenu, true},     {pmBarPopup, xcMenuItem, true},
        {pmBarPopup, xcPopupMenu, false},   {pmSystemMenu, xcSystemMenu, true},
        {pmSystemMenu, xcPopupMenu, false},
    };
    for (const Case& c : cases) {
        SetControls({c.flag});
        HWND window = StandIn();
        manager->PopupMode = c.mode;
        manager->MenuTracking = c.mode == pmBarPopup;
        manager->SkinPopupMenu(window);
        EXPECT_EQ(manager->IsPopupMenuHeld(window), c.skinned) << c.mode << " " << c.flag;
        EXPECT_EQ(Skinned(window), c.skinned) << c.mode << " " << c.flag;
        if (c.skinned) {
            EXPECT_EQ(manager->PopupMenus().back()->BarPopup, c.mode == pmBarPopup);
        }
    }
    // Releasing the last one resets the mode; a window held by none
    // answers false.
    while (!manager->PopupMenus().empty())
        EXPECT_TRUE(manager->ReleasePopupMenu(manager->PopupMenus().front()->Window()));
    EXPECT_EQ(manager->PopupMode, pmFormPopup);
    EXPECT_FALSE(manager->MenuTracking);
    EXPECT_FALSE(manager->ReleasePopupMenu(raws.front()));
}

TEST_F(PopupMenuTest, AWindowGetsOneSkinnerAndNoneWhileSkinningIsOff)
{
    HWND window = StandIn();
    manager->Active = false;
    manager->SkinPopupMenu(window);
    EXPECT_FALSE(manager->IsPopupMenuHeld(window));
    manager->Active = true;
    manager->SkinPopupMenu(window);
    manager->SkinPopupMenu(window);
    EXPECT_EQ(manager->PopupMenus().size(), 1u);

    // Menu handles go to the newest popup without one, once each.
    HWND second = StandIn();
    manager->SkinPopupMenu(second);
    HMENU a = CreatePopupMenu(), b = CreatePopupMenu();
    manager->SetPopupMenuHandle(a);
    manager->SetPopupMenuHandle(a);
    EXPECT_EQ(manager->PopupMenus()[1]->Menu, a);
    EXPECT_EQ(manager->PopupMenus()[0]->Menu, nullptr);
    manager->SetPopupMenuHandle(b);
    EXPECT_EQ(manager->PopupMenus()[0]->Menu, b);
    EXPECT_EQ(manager->PopupMenuBitmap(b), manager->PopupMenus()[0]->Background());
    DestroyMenu(a);
    DestroyMenu(b);
    // A skin data that goes takes its popups with it.
    manager->UnregisterSkinData(data.get());
    EXPECT_TRUE(manager->PopupMenus().empty());
    EXPECT_FALSE(Skinned(window));
}

TEST_F(PopupMenuTest, ThePopupSkinnerPaintsTheRimAndPassesOnWhatItDoesNotDraw)
{
    HWND window = StandIn();
    fw::TOwnedPtr<TWinSkinPopMenu> owned(new TWinSkinPopMenu);
    TWinSkinPopMenu& popup = *owned;
    ASSERT_TRUE(popup.HookMenuWindow(window, data.get(), nullptr));

    // Printing: the skin's ground on the 3-pixel rim, the items inside.
    auto b = Solid(60, 40, 0xFFFFFF);
    SendMessageW(window, WM_PRINT, reinterpret_cast<WPARAM>(b->Canvas()->Handle()),
                 PRF_NONCLIENT | PRF_CLIENT);
    EXPECT_EQ(PixelAt(b.get(), 1, 1), kMenuGround);
    EXPECT_EQ(PixelAt(b.get(), 58, 38), kMenuGround);
    EXPECT_EQ(PixelAt(b.get(), 30, 20), 0x00FF00u);
    EXPECT_EQ(popup.Background()->Width(), 60);

    // Erasing: the window's own only without xoMenuBG; answered 1 either way.
    HDC dc = b->Canvas()->Handle();
    for (bool menuBG : {false, true}) {
        TSkinOptions options = data->Options();
        if (menuBG)
            options.Include(xoMenuBG);
        else
            options.Exclude(xoMenuBG);
        data->SetOptions(options);
        g_erases = 0;
        EXPECT_EQ(SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
        EXPECT_EQ(g_erases, menuBG ? 0 : 1);
    }

    // Skinning off: the window's own procedure paints its frame.
    g_ncpaints = 0;
    SendMessageW(window, WM_NCPAINT, 1, 0);
    EXPECT_EQ(g_ncpaints, 0);
    manager->Active = false;
    SendMessageW(window, WM_NCPAINT, 1, 0);
    EXPECT_EQ(g_ncpaints, 1);
    EXPECT_TRUE(Skinned(window));  // still answers the query
    manager->Active = true;

    popup.UnhookMenuWindow();
    popup.UnhookMenuWindow();
    EXPECT_FALSE(Skinned(window));
    EXPECT_TRUE(popup.Background()->Empty());
}

// Opens a popup menu of a skinned form and looks at its window while it
// shows; the look ends it with a posted Escape.
class RealPopupTest : public PopupMenuTest {
protected:
    void SetUp() override
    {
        PopupMenuTest::SetUp();
        manager->InstallHook();
        menu = new fw::TPopupMenu(form.get());
        for (const char* caption : {"Open", "-", "Close"}) {
            auto* item = new fw::TMenuItem(form.get());
            item->SetCaption(caption);
            menu->Items()->Add(item);
        }
        form->Show();  // the hook skins it as it is activated
        if (!manager->FindSkinForm(form->Handle())) {
            ASSERT_TRUE(manager->SkinWindow(form->Handle()));
        }
        skinner = manager->FindSkinForm(form->Handle());
        ASSERT_TRUE(PumpUntil([&] { return skinner->FormState == fsActive; }));
        SetForegroundWindow(form->Handle());
    }
    // Pops the menu up; look runs once the menu window has shown for a
    // while, then the menu is closed.
    void PopupAndLook(const std::function<void(HWND)>& look)
    {
        g_look = &look;
        g_ticks = 0;
        g_seen = false;
        const UINT_PTR timer = SetTimer(nullptr, 0, 30, LookProc);
        menu->Popup(100, 100);
        KillTimer(nullptr, timer);
        g_look = nullptr;
    }
    static void CALLBACK LookProc(HWND, UINT, UINT_PTR, DWORD)
    {
        HWND popup = FindWindowW(L"#32768", nullptr);
        ++g_ticks;
        if (popup && IsWindowVisible(popup) && !g_seen && g_ticks > 3) {
            g_seen = true;
            (*g_look)(popup);
            PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
        } else if (g_ticks > 100) {
            EndMenu();  // never shown: do not hang
        }
    }

    static inline const std::function<void(HWND)>* g_look = nullptr;
    static inline int g_ticks = 0;
    static inline bool g_seen = false;
    fw::TPopupMenu* menu = nullptr;
    TWinSkinForm* skinner = nullptr;
};

TEST_F(RealPopupTest, APopupMenuOfASkinnedFormIsSkinnedWhileItShows)
{
    EXPECT_TRUE(menu->OwnerDraw());  // the form's popups draw from the skin
    bool skinned = false, held = false;
    std::unique_ptr<fw::TBitmap> shot;
    PopupAndLook([&](HWND popup) {
        skinned = Skinned(popup);
        held = manager->IsPopupMenuHeld(popup);
        RECT r;
        GetWindowRect(popup, &r);
        if (r.right <= r.left || r.bottom <= r.top) return;
        shot = Solid(r.right - r.left, r.bottom - r.top, 0xFFFFFF);
        SendMessageW(popup, WM_PRINT, reinterpret_cast<WPARAM>(shot->Canvas()->Handle()),
                     PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
    });
    ASSERT_TRUE(g_seen) << "the popup menu never showed";
    EXPECT_TRUE(skinned);
    EXPECT_TRUE(held);
    ASSERT_TRUE(shot);
    EXPECT_EQ(PixelAt(shot.get(), 1, 1), kMenuGround);
    // The first item at rest, right of its text: the strip's first frame.
    EXPECT_EQ(PixelAt(shot.get(), shot->Width() - 8, 8), FrameColour(1));
    // Closed: its skinner is gone and the mode back to a form's popup.
    EXPECT_TRUE(PumpUntil([&] { return manager->PopupMenus().empty(); }));
    EXPECT_EQ(manager->PopupMode, pmFormPopup);
}

TEST_F(RealPopupTest, ManyOpeningsLeaveNoGdiObjectsBehind)
{
    const auto openAndClose = [&] {
        PopupAndLook([](HWND) {});
        ASSERT_TRUE(g_seen);
        test::Pump(20);
    };
    for (int i = 0; i < 2; ++i) openAndClose();  // caches filled
    const long before = test::GdiObjects();
    for (int i = 0; i < 20; ++i) openAndClose();
    EXPECT_LE(test::GdiObjects(), before + 2);
    EXPECT_TRUE(manager->PopupMenus().empty());
}

}  // namespace
}  // namespace skin
