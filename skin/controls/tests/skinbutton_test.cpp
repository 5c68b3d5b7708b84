// Push and glyph buttons: frame selection, glyph and caption layout, the
// looks from the Buttons strip, clicks made on release, raw buttons
// posting WM_COMMAND, the button's own timer, and a skin without buttons.
#include "skin/controls/skinbutton.h"

#include <gtest/gtest.h>

#include "framework/stdctrls.h"
#include "skin/controls/tests/controlfixture.h"
#include "skin/engine/skinmessages.h"

namespace skin {
namespace {

using test::ControlTest;
using test::FrameColour;
using test::PixelAt;

TEST(ButtonFrame, LaterRulesOverrideEarlierOnes)
{
    struct Case {
        bool focused, isDefault;
        uint8_t mouse;
        bool enabled;
        int frame;
    } cases[] = {
        {false, false, 0, true, kButtonNormal},
        {true, false, 0, true, kButtonFocused},
        {false, true, 0, true, kButtonFocused},
        {false, true, msHot, true, kButtonHot},
        {false, true, msPressed | msHot, true, kButtonPressed},
        {false, true, msPressed, false, kButtonDisabled},
        {true, false, msHot, false, kButtonDisabled},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ButtonFrame(c.focused, c.isDefault, c.mouse, c.enabled), c.frame)
            << c.focused << c.isDefault << int(c.mouse) << c.enabled;
    EXPECT_EQ(GlyphNumberOfFrame(kButtonPressed), 3);
    EXPECT_EQ(GlyphNumberOfFrame(kButtonDisabled), 2);
    EXPECT_EQ(GlyphNumberOfFrame(kButtonHot), 1);
}

TEST(LayoutGlyph, MarginsAndSpacingOfEachLayout)
{
    const SIZE client{75, 25}, glyph{16, 16}, text{30, 13};
    struct Case {
        TGlyphLayoutKind layout;
        int margin, spacing;
        bool centred;
        POINT g, t;
        UINT flags;
    } cases[] = {
        // Centred block: margin (75 - 50) / 2.
        {blGlyphLeft, -1, 4, false, {12, 5}, {32, 6}, 0},
        // Margin and spacing both a third of the free space.
        {blGlyphLeft, -1, -1, false, {9, 5}, {34, 6}, 0},
        {blGlyphLeft, 3, 4, true, {12, 5}, {32, 6}, 0},
        // Fixed margin: the text centred in what is left.
        {blGlyphLeft, 3, -1, false, {3, 5}, {32, 6}, 0},
        {blGlyphRight, 3, 4, false, {56, 5}, {22, 6}, DT_RIGHT},
        {blGlyphTop, 2, 1, false, {30, 2}, {23, 19}, DT_CENTER},
        {blGlyphBottom, 2, 1, false, {30, 7}, {23, -7}, DT_CENTER},
    };
    for (const Case& c : cases) {
        const TGlyphLayout l =
            LayoutGlyph(client, glyph, text, c.layout, c.margin, c.spacing, c.centred);
        EXPECT_EQ(l.Glyph.x, c.g.x) << c.layout << " " << c.margin << " " << c.spacing;
        EXPECT_EQ(l.Glyph.y, c.g.y) << c.layout;
        EXPECT_EQ(l.Text.x, c.t.x) << c.layout << " " << c.margin << " " << c.spacing;
        EXPECT_EQ(l.Text.y, c.t.y) << c.layout;
        EXPECT_EQ(l.Flags, c.flags);
    }
    // No text: no spacing, the glyph alone centred.
    EXPECT_EQ(LayoutGlyph(client, glyph, {0, 0}, blGlyphLeft, -1, 4, false).Glyph.x, 29);
    EXPECT_EQ(GlyphLayoutOf("blGlyphBottom"), blGlyphBottom);
    EXPECT_EQ(GlyphLayoutOf("whatever"), blGlyphLeft);
}

// A framework button that counts what reaches its own procedure.
class TCountingButton : public fw::TButton {
    FW_CLASS(TCountingButton, fw::TButton)
public:
    using fw::TButton::TButton;
    void WndProc(fw::TMessage& m) override
    {
        if (m.Msg == WM_TIMER) ++timers;
        if (m.Msg == WM_PAINT || m.Msg == WM_ERASEBKGND) ++paints;
        fw::TButton::WndProc(m);
    }
    void Clicked(fw::TObject*) { ++clicks; }
    int timers = 0, paints = 0, clicks = 0;
};
FW_IMPLEMENT_CLASS(TCountingButton) {}

class SkinButtonTest : public ControlTest {
protected:
    TCountingButton* MakeButton()
    {
        button = Put<TCountingButton>(10, 10, 80, 26);
        button->SetCaption("OK");
        button->OnClick = fw::TNotifyEvent(button, &TCountingButton::Clicked);
        skinner = new TSkinButton(button);
        skinner->InitControl(&list, data.get(), false, nullptr);
        return button;
    }
    fw::TColor Look() { return PixelAt(Render(skinner).get(), 1, 1); }
    LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

    TCountingButton* button = nullptr;
    TSkinButton* skinner = nullptr;
};

TEST_F(SkinButtonTest, LooksFromTheButtonsStrip)
{
    MakeButton();
    EXPECT_EQ(Look(), FrameColour(kButtonNormal));
    skinner->MouseState = msHot;
    EXPECT_EQ(Look(), FrameColour(kButtonHot));
    skinner->MouseState = msHot | msPressed;
    EXPECT_EQ(Look(), FrameColour(kButtonPressed));
    skinner->MouseState = 0;
    button->SetDefault(true);
    EXPECT_EQ(Look(), FrameColour(kButtonFocused));
    button->SetEnabled(false);
    EXPECT_EQ(Look(), FrameColour(kButtonDisabled));
}

TEST_F(SkinButtonTest, ClickOnlyOnReleaseOverTheButton)
{
    HWND h = MakeButton()->Handle();
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    EXPECT_TRUE(skinner->MouseState & msPressed);
    SendMessageW(h, WM_LBUTTONUP, 0, At(5, 5));
    EXPECT_EQ(button->clicks, 1);

    // Pressed, left, released outside: no click.
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    SendMessageW(h, WM_MOUSELEAVE, 0, 0);
    SendMessageW(h, WM_LBUTTONUP, 0, At(5, 5));
    EXPECT_EQ(button->clicks, 1);

    // A double click is two clicks.
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    SendMessageW(h, WM_LBUTTONUP, 0, At(5, 5));
    SendMessageW(h, WM_LBUTTONDBLCLK, MK_LBUTTON, At(5, 5));
    SendMessageW(h, WM_LBUTTONUP, 0, At(5, 5));
    Pump();
    EXPECT_EQ(button->clicks, 3);

    // The space key shows the pressed look until it is released.
    SendMessageW(h, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(Look(), FrameColour(kButtonPressed));
    SendMessageW(h, WM_KEYUP, VK_SPACE, 0);
    EXPECT_FALSE(skinner->MouseState & msPressed);
}

TEST_F(SkinButtonTest, OnlyTheButtonsOwnTimerIsStopped)
{
    HWND h = MakeButton()->Handle();
    SendMessageW(h, WM_TIMER, 1, 0);
    EXPECT_EQ(button->timers, 0);
    SendMessageW(h, WM_TIMER, 7, 0);
    EXPECT_EQ(button->timers, 1);
}

TEST_F(SkinButtonTest, WithoutButtonsImageTheButtonPaintsItself)
{
    LoadSkin(test::PackedSkin("[TitlebarSkin]\r\nSkinName=Bare\r\n"));
    HWND h = MakeButton()->Handle();
    SendMessageW(h, WM_ERASEBKGND, 0, 0);
    SendMessageW(h, WM_PAINT, 0, 0);
    EXPECT_EQ(button->paints, 2);
}

// Raw buttons post the click to their parent.
struct TParent {
    static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM w, LPARAM l)
    {
        if (msg == WM_COMMAND) commands.push_back({w, l});
        return DefWindowProcW(h, msg, w, l);
    }
    static inline std::vector<std::pair<WPARAM, LPARAM>> commands;
};

TEST_F(SkinButtonTest, RawButtonsPostTheirCommand)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = &TParent::Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"SkinButtonTestParent";
    RegisterClassW(&wc);
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = L"TButton";
    RegisterClassW(&wc);
    HWND parent = CreateWindowExW(0, L"SkinButtonTestParent", L"", WS_OVERLAPPEDWINDOW, 0, 0, 200,
                                  100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    raws.push_back(parent);
    for (const wchar_t* cls : {L"BUTTON", L"TButton"}) {
        HWND b = CreateWindowExW(0, cls, L"Go", WS_CHILD | WS_VISIBLE, 0, 0, 60, 20, parent,
                                 reinterpret_cast<HMENU>(INT_PTR(1001)), GetModuleHandleW(nullptr),
                                 nullptr);
        auto* s = new TSkinButton(nullptr);
        s->InitHandle(b, data.get(), &list, nullptr);
        TParent::commands.clear();
        SendMessageW(b, WM_LBUTTONDOWN, MK_LBUTTON, At(3, 3));
        SendMessageW(b, WM_LBUTTONUP, 0, At(3, 3));
        Pump();
        ASSERT_EQ(TParent::commands.size(), 1u);
        const WPARAM id = std::wstring(cls) == L"BUTTON" ? 1001 : 0;
        EXPECT_EQ(TParent::commands[0].first, MAKEWPARAM(id, BN_CLICKED));
        EXPECT_EQ(TParent::commands[0].second, reinterpret_cast<LPARAM>(b));
        // The press took the focus.
        EXPECT_EQ(PixelAt(Render(s).get(), 1, 1), FrameColour(kButtonFocused));
    }
}

// A glyph button as other vendors publish it.
class TBitBtn : public fw::TButton {
    FW_CLASS(TBitBtn, fw::TButton)
public:
    using fw::TButton::TButton;
    fw::TBitmap* Glyph = nullptr;
    int NumGlyphs = 1;
    TGlyphLayoutKind Layout = blGlyphLeft;
    int Margin = -1;
    int Spacing = 4;
};
FW_IMPLEMENT_CLASS(TBitBtn)
{
    c.Property("Glyph", &TBitBtn::Glyph);
    c.Property("NumGlyphs", &TBitBtn::NumGlyphs);
    c.Property("Layout", &TBitBtn::Layout);
    c.Property("Margin", &TBitBtn::Margin);
    c.Property("Spacing", &TBitBtn::Spacing);
}

TEST_F(SkinButtonTest, GlyphSitsWhereTheLayoutPutsIt)
{
    auto* b = Put<TBitBtn>(10, 10, 75, 25);
    // Two glyphs: the first blue on a white ground, the second green.
    auto strip = test::MakeBitmap(32, 16, [](int x, int y) {
        if (y == 15 || x % 16 == 0) return fw::TColor(0xFFFFFF);
        return x < 16 ? fw::TColor(0xFF0000) : fw::TColor(0x00FF00);
    });
    b->Glyph = strip.get();
    b->NumGlyphs = 2;
    auto* s = new TSkinBitButton(b);
    s->InitControl(&list, data.get(), false, nullptr);
    // No caption: the glyph alone centred, (75 - 16) / 2 = 29, (25 - 16 + 1) / 2 = 5.
    auto image = Render(s);
    EXPECT_EQ(PixelAt(image.get(), 29 + 8, 5 + 8), 0xFF0000);
    // Its transparent colour (bottom-left, white) shows the button face.
    EXPECT_EQ(PixelAt(image.get(), 29 + 8, 5 + 15), FrameColour(kButtonNormal));
    EXPECT_EQ(PixelAt(image.get(), 28, 13), FrameColour(kButtonNormal));
    // Layout top with margin 2.
    b->Layout = blGlyphTop;
    b->Margin = 2;
    image = Render(s);
    EXPECT_EQ(PixelAt(image.get(), 30 + 8, 2 + 8), 0xFF0000);
    b->Glyph = nullptr;
}

}  // namespace
}  // namespace skin
