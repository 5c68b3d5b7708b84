// The edit skinner: the three rings over a border, nothing without one,
// the WM_PRINT border that needs two pixels, the client painted for the
// application, and the search for an up-down inside the edit.
#include "skin/controls/skinedit.h"

#include <gtest/gtest.h>

#include "framework/stdctrls.h"
#include "skin/controls/skinupdown.h"
#include "skin/controls/tests/controlfixture.h"
#include "skin/engine/skinmessages.h"

namespace skin {
namespace {

using test::ControlTest;
using test::PixelAt;

constexpr fw::TColor kShadow = 0x404040;  // the test skin's ButtonShadow
constexpr fw::TColor kWhite = 0xFFFFFF;

class SkinEditTest : public ControlTest {
protected:
    TSkinEdit* SkinRaw(DWORD style, DWORD exStyle = 0, const wchar_t* cls = L"EDIT")
    {
        HWND h = CreateWindowExW(exStyle, cls, L"text", WS_CHILD | WS_VISIBLE | style, 10, 10, 80,
                                 24, form->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
        raws.push_back(h);
        auto* s = new TSkinEdit(nullptr);
        s->InitHandle(h, data.get(), &list, nullptr);
        return s;
    }
    // The WM_PRINT border on a bitmap whose DC holds a red brush.
    std::unique_ptr<fw::TBitmap> Printed(TSkinEdit* s)
    {
        auto image = test::Solid(80, 24, 0x000000);
        HDC dc = image->Canvas()->Handle();
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        HGDIOBJ old = SelectObject(dc, red);
        SendMessageW(s->Handle, WM_PRINT, reinterpret_cast<WPARAM>(dc), 0);
        SelectObject(dc, old);
        DeleteObject(red);
        return image;
    }
};

TEST_F(SkinEditTest, RingsOverTheBorderAndNothingWithoutOne)
{
    auto* edit = Put<fw::TEdit>(10, 10, 80, 24);
    auto* s = new TSkinEdit(edit);
    s->InitControl(&list, data.get(), false, nullptr);
    auto image = Render(s);
    EXPECT_EQ(PixelAt(image.get(), 0, 0), kShadow);
    EXPECT_EQ(PixelAt(image.get(), 79, 23), kShadow);
    EXPECT_EQ(PixelAt(image.get(), 1, 1), kWhite);
    EXPECT_EQ(PixelAt(image.get(), 2, 12), kWhite);
    EXPECT_EQ(PixelAt(image.get(), 3, 12), 0x000000);

    edit->SetBorderStyle(fw::bsNone);
    s->Free();
    s = new TSkinEdit(edit);
    s->InitControl(&list, data.get(), false, nullptr);
    EXPECT_EQ(PixelAt(Render(s).get(), 0, 0), 0x000000);
    EXPECT_EQ(PixelAt(Printed(s).get(), 0, 0), 0x000000);
}

TEST_F(SkinEditTest, PrintedBorderNeedsTwoPixels)
{
    // A sunken edge (2 pixels): the inner ring in the DC's brush.
    auto image = Printed(SkinRaw(0, WS_EX_CLIENTEDGE));
    EXPECT_EQ(PixelAt(image.get(), 0, 0), kShadow);
    EXPECT_EQ(PixelAt(image.get(), 1, 1), 0x0000FF);
    // A 1-pixel border (an edit draws WS_BORDER inside its client area, so
    // a static window stands in): nothing printed, the paint path draws.
    auto* thin = SkinRaw(WS_BORDER, 0, L"STATIC");
    EXPECT_EQ(PixelAt(Printed(thin).get(), 0, 0), 0x000000);
    EXPECT_EQ(PixelAt(Render(thin).get(), 0, 0), kShadow);
}

TEST_F(SkinEditTest, ClientPaintedForTheApplicationOnlyWithTheMarker)
{
    auto* s = SkinRaw(0, WS_EX_CLIENTEDGE);
    EXPECT_EQ(SendMessageW(s->Handle, WM_SKINPAINTCLIENT, 0, SKIN_MARKER), SKIN_MARKER);
    EXPECT_EQ(SendMessageW(s->Handle, WM_SKINPAINTCLIENT, 0, 1), 0);
    auto image = test::Solid(80, 24, 0x000000);
    EXPECT_EQ(SendMessageW(s->Handle, WM_SKINPAINTCLIENT,
                           reinterpret_cast<WPARAM>(image->Canvas()->Handle()), SKIN_MARKER),
              SKIN_MARKER);
    // The edit's own painting filled its background (the window colour).
    EXPECT_EQ(PixelAt(image.get(), 70, 2), fw::ColorToRGB(fw::clWindow));
}

TEST_F(SkinEditTest, UpDownFoundByClassNameOnlyWithSpin)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"MySPINner";
    RegisterClassW(&wc);
    auto* s = SkinRaw(0, WS_EX_CLIENTEDGE);
    CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 5, 5, s->Handle, nullptr,
                    GetModuleHandleW(nullptr), nullptr);
    HWND spin = CreateWindowExW(0, L"MySPINner", L"", WS_CHILD, 60, 0, 16, 20, s->Handle, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    data->SetSkinControls(data->SkinControls().Exclude(xcSpin));
    Render(s);
    EXPECT_EQ(s->BuddyWindow, nullptr);
    data->SetSkinControls(data->SkinControls().Include(xcSpin));
    Render(s);
    EXPECT_EQ(s->BuddyWindow, spin);
    // Its skinner knows it sits inside an edit box.
    auto* skinner = dynamic_cast<TSkinUpDown*>(s->UpDown);
    ASSERT_NE(skinner, nullptr);
    EXPECT_TRUE(skinner->Embedded);
}

}  // namespace
}  // namespace skin
