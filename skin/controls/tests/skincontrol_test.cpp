// The control skinner base: properties by name, the three message paths
// (query, enable switch, destruction), attaching once, giving the window
// procedure back only while it is ours, colours replaced and restored, and
// a paint that fails still ending the paint.
#include "skin/controls/skincontrol.h"

#include <gtest/gtest.h>

#include "framework/stdctrls.h"
#include "rtl/sysutils.h"
#include "skin/controls/skinpaint.h"
#include "skin/controls/tests/controlfixture.h"
#include "skin/engine/skinmessages.h"

namespace skin {
namespace {

using test::ControlTest;

enum TProbeLayout { plLeft, plTop };
FW_ENUM(TProbeLayout, "plLeft", "plTop")

// Publishes one property of each kind the skinners read.
class TProbe : public fw::TComponent {
    FW_CLASS(TProbe, fw::TComponent)
public:
    using fw::TComponent::TComponent;
    int Margin = 7;
    bool Default = true;
    TProbeLayout Layout = plTop;
    std::string Caption = "abc";
    std::wstring WideCaption = L"\x4E2D";
    fw::TBitmap* Glyph = &glyph;
    fw::TBitmap glyph;
};

FW_IMPLEMENT_CLASS(TProbe)
{
    c.Property("Margin", &TProbe::Margin);
    c.Property("Default", &TProbe::Default);
    c.Property("Layout", &TProbe::Layout);
    c.Property("Caption", &TProbe::Caption);
    c.Property("WideCaption", &TProbe::WideCaption);
    c.Property("Glyph", &TProbe::Glyph);
}

TEST(PropertiesByName, EachKindAndEveryMissingCase)
{
    fw::TOwnedPtr<TProbe> p(new TProbe(nullptr));
    EXPECT_EQ(GetOrdPropByName(p.get(), "margin"), 7);
    // Booleans and enumerations are read as text, never as numbers.
    EXPECT_EQ(GetOrdPropByName(p.get(), "Default"), -1);
    EXPECT_EQ(GetOrdPropByName(p.get(), "Layout"), -1);
    EXPECT_EQ(GetOrdPropByName(p.get(), "Missing"), -1);
    EXPECT_EQ(GetOrdPropByName(nullptr, "Margin"), -1);
    EXPECT_EQ(GetPropText(p.get(), "Default"), "True");
    EXPECT_EQ(GetPropText(p.get(), "Layout"), "plTop");
    EXPECT_EQ(GetPropTextLower(p.get(), "Layout"), "pltop");
    EXPECT_EQ(GetPropText(p.get(), "Margin"), "");
    EXPECT_EQ(GetWidePropText(p.get(), "Caption"), L"abc");
    EXPECT_EQ(GetWidePropText(p.get(), "WideCaption"), L"\x4E2D");
    EXPECT_EQ(GetWidePropText(p.get(), "Margin"), L"");
    EXPECT_EQ(GetObjectPropByName(p.get(), "Glyph", fw::TBitmap::StaticClass()), &p->glyph);
    EXPECT_EQ(GetObjectPropByName(p.get(), "Glyph", fw::TCanvas::StaticClass()), nullptr);

    SetPropByName(p.get(), "Margin", "12");
    SetPropByName(p.get(), "Layout", "plLeft");
    SetPropByName(p.get(), "Caption", "x");
    SetPropByName(p.get(), "Missing", "1");
    SetPropByName(nullptr, "Margin", "1");
    EXPECT_EQ(p->Margin, 12);
    EXPECT_EQ(p->Layout, plLeft);
    EXPECT_EQ(p->Caption, "x");
    EXPECT_THROW(SetPropByName(p.get(), "Margin", "twelve"), rtl::EConvertError);
}

// A skinner that counts its calls and can fail while painting.
class TProbeSkinner : public TSkinControl {
    FW_CLASS(TProbeSkinner, TSkinControl)
public:
    using TSkinControl::TSkinControl;
    void UnSkin() override
    {
        ++unskins;
        TSkinControl::UnSkin();
    }
    void DrawControl(HDC, const RECT&) override
    {
        ++draws;
        if (fail) throw rtl::Exception("paint failed");
    }
    int unskins = 0, draws = 0;
    bool fail = false;
};
FW_IMPLEMENT_CLASS(TProbeSkinner) {}

using SkinControlTest = ControlTest;

TEST_F(SkinControlTest, QueryAndEnableSwitchInControlMode)
{
    auto* button = Put<fw::TButton>(10, 10, 80, 25);
    auto* s = new TProbeSkinner(button);
    s->InitControl(&list, data.get(), false, nullptr);
    HWND h = button->Handle();
    EXPECT_EQ(s->Handle, h);
    EXPECT_EQ(s->SkinState, TSkinControl::kAttached);
    EXPECT_EQ(list.FindByControl(button), s);
    EXPECT_EQ(SendMessageW(h, WM_SKINQUERY, 0, 0), 1);

    // Off (0 or negative): every message goes to the control's own procedure.
    for (WPARAM off : {WPARAM(0), WPARAM(-5)}) {
        SendMessageW(h, WM_SKINENABLE, off, 0);
        EXPECT_FALSE(s->SkinEnabled);
        EXPECT_EQ(SendMessageW(h, WM_SKINQUERY, 0, 0), 0);
    }
    SendMessageW(h, WM_SKINENABLE, 1, 0);
    EXPECT_TRUE(s->SkinEnabled);
    EXPECT_EQ(SendMessageW(h, WM_SKINQUERY, 0, 0), 1);

    // A second attachment changes nothing; freeing gives WindowProc back.
    const fw::TWndMethod mine = button->WindowProc;
    s->InitControl(&list, data.get(), true, nullptr);
    EXPECT_EQ(button->WindowProc, mine);
    EXPECT_FALSE(s->ReplaceColor);
    s->Free();
    EXPECT_EQ(button->WindowProc, fw::TWndMethod(button, &fw::TControl::WndProc));
    EXPECT_EQ(list.FindByControl(button), nullptr);
    EXPECT_EQ(SendMessageW(h, WM_SKINQUERY, 0, 0), 0);
}

TEST_F(SkinControlTest, ReplacedColourComesBackOnUnskin)
{
    auto* panel = Put<fw::TButton>(10, 10, 80, 25);
    panel->SetColor(fw::clRed);
    auto* s = new TProbeSkinner(panel);
    s->InitControl(&list, data.get(), true, nullptr);
    EXPECT_EQ(panel->Color(), test::kFace);
    list.FreeSkinControls();
    EXPECT_EQ(panel->Color(), fw::clRed);
}

TEST_F(SkinControlTest, RawWindowIsHookedOnceAndGivenBack)
{
    HWND h = Raw(L"BUTTON", BS_PUSHBUTTON, 80, 25, 0, L"Raw");
    const LONG_PTR own = GetWindowLongPtrW(h, GWLP_WNDPROC);
    auto* s = new TProbeSkinner(nullptr);
    s->InitHandle(h, data.get(), &list, nullptr);
    const LONG_PTR hooked = GetWindowLongPtrW(h, GWLP_WNDPROC);
    EXPECT_NE(hooked, own);
    EXPECT_EQ(s->DisplayText, L"Raw");
    // Attaching again must not chain the skinner behind itself.
    s->InitHandle(h, data.get(), &list, nullptr);
    EXPECT_EQ(GetWindowLongPtrW(h, GWLP_WNDPROC), hooked);
    EXPECT_EQ(list.SkinControls().size(), 1u);
    EXPECT_EQ(SendMessageW(h, WM_SKINQUERY, 0, 0), 1);
    // Its own messages still reach the button.
    EXPECT_EQ(SendMessageW(h, BM_SETCHECK, BST_UNCHECKED, 0), 0);
    list.FreeSkinControls();
    EXPECT_EQ(GetWindowLongPtrW(h, GWLP_WNDPROC), own);
    EXPECT_EQ(SendMessageW(h, WM_SKINQUERY, 0, 0), 0);
}

WNDPROC g_below = nullptr;
LRESULT CALLBACK OnTop(HWND h, UINT msg, WPARAM w, LPARAM l)
{
    return CallWindowProcW(g_below, h, msg, w, l);
}

TEST_F(SkinControlTest, ProcedureReplacedSinceIsLeftInPlace)
{
    HWND h = Raw(L"STATIC", 0, 50, 20);
    auto* s = new TProbeSkinner(nullptr);
    s->InitHandle(h, data.get(), &list, nullptr);
    g_below = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OnTop)));
    list.FreeSkinControls();
    EXPECT_EQ(GetWindowLongPtrW(h, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&OnTop));
    // Messages still pass through to the window's own procedure.
    SetWindowTextW(h, L"still");
    wchar_t text[16] = {};
    GetWindowTextW(h, text, 16);
    EXPECT_STREQ(text, L"still");
}

TEST_F(SkinControlTest, DestroyedWindowLeavesNothingBehind)
{
    HWND raw = Raw(L"BUTTON", BS_PUSHBUTTON, 80, 25);
    auto* rawSkinner = new TProbeSkinner(nullptr);
    rawSkinner->InitHandle(raw, data.get(), &list, nullptr);
    auto* edit = Put<fw::TEdit>(10, 50, 80, 21);
    auto* editSkinner = new TProbeSkinner(edit);
    editSkinner->InitControl(&list, data.get(), false, nullptr);

    DestroyWindow(raw);
    EXPECT_EQ(rawSkinner->SkinState, TSkinControl::kDestroyed);
    EXPECT_EQ(rawSkinner->unskins, 1);
    EXPECT_FALSE(rawSkinner->SkinEnabled);
    list.RemoveDeadControls();
    EXPECT_EQ(list.SkinControls().size(), 1u);

    // A control freed while skinned frees its skinner, which unlists itself.
    edit->Free();
    EXPECT_TRUE(list.SkinControls().empty());
}

TEST_F(SkinControlTest, FailingPaintStillEndsThePaintAndIsDropped)
{
    HWND h = Raw(L"STATIC", 0, 50, 20);
    auto* s = new TProbeSkinner(nullptr);
    s->InitHandle(h, data.get(), &list, nullptr);
    s->fail = true;
    InvalidateRect(h, nullptr, TRUE);
    fw::TMessage paint{WM_PAINT, 0, 0, 0};
    DoPaintMessage(s, paint);
    EXPECT_EQ(s->draws, 1);
    EXPECT_FALSE(GetUpdateRect(h, nullptr, FALSE));
    EXPECT_NO_THROW(s->PaintToDC(nullptr));
    EXPECT_EQ(s->draws, 2);
}

TEST_F(SkinControlTest, PopupOrDesktopChild)
{
    HWND child = Raw(L"STATIC", 0, 10, 10);
    HWND popup = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    raws.push_back(popup);
    EXPECT_FALSE(TSkinControl::IsPopupOrDesktopChild(child));
    EXPECT_TRUE(TSkinControl::IsPopupOrDesktopChild(popup));
}

}  // namespace
}  // namespace skin
