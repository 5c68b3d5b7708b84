// What the control skinner tests share: a skin made by code whose strips
// have one solid colour per frame, a form to put test controls on, raw
// windows, and a skinner's painting read back from a memory bitmap.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/application.h"
#include "framework/forms.h"
#include "skin/controls/skincontrol.h"
#include "skin/data/skindata.h"
#include "skin/engine/skinunit.h"
#include "skin/tests/pixels.h"
#include "skin/tests/skinfixture.h"

namespace skin::test {

// The colour of frame k (1-based) of every strip of the test skin.
constexpr fw::TColor kFrameColours[] = {0x0000C0, 0x00C000, 0x808080, 0xC00000, 0xC0C000, 0xC000C0,
                                        0x00C0C0, 0x404040, 0x004080, 0x408000, 0x800040, 0x2080F0,
                                        0x102030, 0x203040, 0x304050, 0x405060, 0x506070, 0x607080,
                                        0x708090, 0x8090A0, 0x90A0B0, 0xA0B0C0, 0xB0C0D0};
constexpr fw::TColor FrameColour(int k) { return kFrameColours[k - 1]; }
constexpr fw::TColor kFace = 0x30A0E0;  // the skin's ButtonFace

// A strip of n frames, each w x h, frame k in FrameColour(k).
inline std::string StripBmp(int n, int w, int h)
{
    return BmpFile(n * w, h, [w](int x, int) { return FrameColour(x / w + 1); });
}

// The default test skin: Buttons (5 frames of 10 x 10), a 12-frame check
// strip (or checkFrames) and an 8-frame radio strip of 13 x 13 frames, and
// ButtonFace.
inline std::string TestSkin(const std::string& extraIni = {},
                            std::vector<skinpack::TSkinMember> extra = {}, int checkFrames = 12)
{
    std::string ini =
        "[TitlebarSkin]\r\nSkinName=Test\r\n"
        "[Colours]\r\nButtonFace=224,160,48\r\nButtonShadow=64,64,64\r\n"
        "[Buttons]\r\nBitmap=buttons.bmp\r\nCheckButton=check.bmp\r\nRadioButton=radio.bmp\r\n"
        "CheckButtonFrame=" +
        std::to_string(checkFrames) + "\r\nRadioButtonFrame=8\r\n" + extraIni;
    extra.push_back({"buttons.bmp", StripBmp(5, 10, 10)});
    extra.push_back({"check.bmp", StripBmp(checkFrames, 13, 13)});
    extra.push_back({"radio.bmp", StripBmp(8, 13, 13)});
    return PackedSkin(ini, extra);
}

class ControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fw::Application->Initialize();
        data.reset(new TSkinData(nullptr));
        LoadSkin(TestSkin());
        form.reset(new fw::TForm(nullptr));
        form->SetBounds(40, 40, 320, 240);
        form->HandleNeeded();
        list.Window = form->Handle();
    }
    void TearDown() override
    {
        list.FreeSkinControls();
        for (HWND w : raws)
            if (IsWindow(w)) DestroyWindow(w);
        form.reset();
        data.reset();
    }
    void LoadSkin(const std::string& packed)
    {
        std::string bytes(4, '\0');
        const auto n = static_cast<uint32_t>(packed.size());
        for (int i = 0; i < 4; ++i) bytes[size_t(i)] = char(n >> (8 * i));
        bytes += packed;
        data->ReadSkinStreamBytes({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()});
        ASSERT_FALSE(data->NoSkin());
    }
    // A control of type T on the form.
    template <class T>
    T* Put(int x, int y, int w, int h)
    {
        auto* c = new T(form.get());
        c->SetParent(form.get());
        c->SetBounds(x, y, w, h);
        return c;
    }
    // A raw window of a system class on the form.
    HWND Raw(const wchar_t* cls, DWORD style, int w, int h, int id = 0, const wchar_t* text = L"")
    {
        HWND hwnd = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, 10, 10, w, h,
                                    form->Handle(), reinterpret_cast<HMENU>(INT_PTR(id)),
                                    GetModuleHandleW(nullptr), nullptr);
        raws.push_back(hwnd);
        return hwnd;
    }
    // What the skinner paints into a bitmap of its window's size.
    std::unique_ptr<fw::TBitmap> Render(TSkinControl* s)
    {
        RECT r;
        GetWindowRect(s->Handle, &r);
        auto b = Solid(r.right - r.left, r.bottom - r.top, 0x000000);
        s->PaintToDC(b->Canvas()->Handle());
        return b;
    }
    static void Pump()
    {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }

    TSkinEngineScope engine;
    fw::TOwnedPtr<TSkinData> data;
    fw::TOwnedPtr<fw::TForm> form;
    TSkinControlList list;
    std::vector<HWND> raws;
};

}  // namespace skin::test
