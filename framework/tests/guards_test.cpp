// Scope guard and the Windows resource guards: each gives its resource back
// when its scope ends, also when an exception leaves the scope.
#include <gtest/gtest.h>

#include <stdexcept>

#include "framework/application.h"
#include "framework/guards.h"

namespace fw {
namespace {

template <class F>
void Throwing(F&& body)
{
    try {
        body();
        throw std::runtime_error("leave");
    } catch (const std::runtime_error&) {}
}

TEST(Guards, ScopeExitRunsOnEveryWayOutUnlessDismissed)
{
    int runs = 0;
    {
        TScopeExit count([&] { ++runs; });
    }
    EXPECT_EQ(runs, 1);
    Throwing([&] { TScopeExit count([&] { ++runs; }); });
    EXPECT_EQ(runs, 2);
    {
        TScopeExit count([&] { ++runs; });
        count.Dismiss();
    }
    EXPECT_EQ(runs, 2);
}

TEST(Guards, SavedDCAndSelectedObjectPutTheDCBack)
{
    TMemoryDC memory(nullptr);
    const HDC dc = memory.Handle();
    ASSERT_NE(dc, nullptr);
    SetTextColor(dc, RGB(1, 2, 3));
    const HGDIOBJ brush = GetCurrentObject(dc, OBJ_BRUSH);
    const TGdiObject<HBRUSH> red(CreateSolidBrush(RGB(255, 0, 0)));

    Throwing([&] {
        TSavedDC saved(dc);
        SetTextColor(dc, RGB(9, 9, 9));
        SetViewportOrgEx(dc, 5, 7, nullptr);
    });
    EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
    POINT origin{};
    GetViewportOrgEx(dc, &origin);
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, 0);

    Throwing([&] {
        TSelectObject selected(dc, red.Handle());
        EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), red.Handle());
    });
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
}

TEST(Guards, OwnedHandlesAreDeletedAtTheEndOfTheirScope)
{
    HDC dc = nullptr;
    HGDIOBJ pen = nullptr;
    Throwing([&] {
        TMemoryDC memory(nullptr);
        TGdiObject<HPEN> owned(CreatePen(PS_SOLID, 1, RGB(0, 0, 255)));
        dc = memory.Handle();
        pen = owned.Handle();
        EXPECT_EQ(GetObjectType(dc), static_cast<DWORD>(OBJ_MEMDC));
        EXPECT_EQ(GetObjectType(pen), static_cast<DWORD>(OBJ_PEN));
    });
    EXPECT_EQ(GetObjectType(dc), 0u);
    EXPECT_EQ(GetObjectType(pen), 0u);
}

TEST(Guards, PaintDCValidatesTheUpdateRegion)
{
    Application->Initialize();
    TOwnedPtr<TForm> form(new TForm(nullptr));
    form->SetBounds(100, 100, 200, 150);
    const HWND h = form->Handle();
    ShowWindow(h, SW_SHOWNOACTIVATE);  // a hidden window has nothing to paint
    UpdateWindow(h);
    RECT area{10, 10, 50, 40};
    InvalidateRect(h, &area, FALSE);
    ASSERT_TRUE(GetUpdateRect(h, nullptr, FALSE));
    Throwing([&] {
        TPaintDC paint(h);
        EXPECT_NE(paint.Handle(), nullptr);
        EXPECT_FALSE(IsRectEmpty(&paint.PaintRect()));
    });
    EXPECT_FALSE(GetUpdateRect(h, nullptr, FALSE));

    const TWindowDC client(h);
    EXPECT_EQ(WindowFromDC(client.Handle()), h);
}

}  // namespace
}  // namespace fw
