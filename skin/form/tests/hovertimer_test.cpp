// The hover timer of a skinned window that is not a form: the skinned
// child the mouse was over hears the framework's mouse-leave once the mouse
// has left it, or when the window is deactivated.
#include <gtest/gtest.h>

#include "framework/application.h"
#include "skin/data/skindata.h"
#include "skin/engine/skinunit.h"
#include "skin/form/skinmanage.h"
#include "skin/form/tests/skinnedwindow.h"
#include "skin/form/winskinform.h"
#include "tools/windrive/windrive.h"

namespace skin {
namespace {

using test::PumpUntil;

// The button's own procedure, under the skinner's: counts the mouse-leaves.
WNDPROC g_buttonProc = nullptr;
int g_leaves = 0;
LRESULT CALLBACK CountLeaves(HWND h, UINT msg, WPARAM w, LPARAM l)
{
    if (msg == fw::CM_MOUSELEAVE) ++g_leaves;
    return CallWindowProcW(g_buttonProc, h, msg, w, l);
}

class HoverTimerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fw::Application->Initialize();
        manager = CreateSkinManager(false);
        data.reset(test::NewDefaultSkinData());
        ASSERT_FALSE(data->NoSkin());
        manager->RegisterSkinData(data.get());
        manager->Active = true;

        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"HoverHost";
        RegisterClassW(&wc);
        window = CreateWindowExW(0, L"HoverHost", L"Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100,
                                 100, 400, 300, nullptr, nullptr, wc.hInstance, nullptr);
        button = CreateWindowExW(0, L"BUTTON", L"Hover", WS_CHILD | WS_VISIBLE, 20, 20, 120, 40,
                                 window, nullptr, wc.hInstance, nullptr);
        g_leaves = 0;
        g_buttonProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountLeaves)));
        SetForegroundWindow(window);
        ASSERT_TRUE(manager->SkinWindow(window));
        skinner = manager->FindSkinForm(window);
        ASSERT_TRUE(PumpUntil([&] { return skinner->FormState == fsActive; }));
        buttonSkinner = skinner->Controls().FindByHandle(button);
        ASSERT_NE(buttonSkinner, nullptr);
    }
    void TearDown() override
    {
        DestroyWindow(window);
        UnregisterClassW(L"HoverHost", GetModuleHandleW(nullptr));
        data.reset();
    }
    static void MoveTo(POINT at)
    {
        windrive::MoveCursor(at, [] { test::Pump(10); });
    }
    static void MoveTo(HWND over)
    {
        const RECT r = test::WindowRectOf(over);
        MoveTo(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    }

    TSkinEngineScope engine;
    TSkinManage* manager = nullptr;
    fw::TOwnedPtr<TSkinData> data;
    HWND window = nullptr, button = nullptr;
    TWinSkinForm* skinner = nullptr;
    TSkinControl* buttonSkinner = nullptr;
};

TEST_F(HoverTimerTest, ChildHearsTheMouseLeaveWhenTheMouseLeavesOrTheWindowDeactivates)
{
    MoveTo(button);
    ASSERT_TRUE(PumpUntil([&] { return skinner->HoveredControl == buttonSkinner; }));
    EXPECT_EQ(g_leaves, 0);

    // Over the window's own client area, outside the button.
    const RECT r = test::WindowRectOf(window);
    MoveTo(POINT{r.left + 300, r.top + 200});
    ASSERT_TRUE(PumpUntil([&] { return skinner->HoveredControl == nullptr; }));
    EXPECT_EQ(g_leaves, 1);

    MoveTo(button);
    ASSERT_TRUE(PumpUntil([&] { return skinner->HoveredControl == buttonSkinner; }));
    SendMessageW(window, WM_NCACTIVATE, FALSE, 0);
    EXPECT_EQ(skinner->HoveredControl, nullptr);
    EXPECT_EQ(g_leaves, 2);
    // The timer is off while the window is inactive: nothing is hovered.
    test::Pump(600);
    EXPECT_EQ(skinner->HoveredControl, nullptr);
}

}  // namespace
}  // namespace skin
