// The up-down skinner: each arrow's frame by state and cursor, its glyph,
// the horizontal split, the plain look without skin strips, the inset
// inside an edit box, the press passed on to the control, and a skinner
// freed by the parent's answer to the control's step.
#include "skin/controls/skinupdown.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "framework/guards.h"
#include "skin/controls/classify.h"
#include "skin/controls/tests/controlfixture.h"
#include "skin/engine/skinmessages.h"
#include "skin/tests/freedmemory.h"

namespace skin {
namespace {

using test::ControlTest;
using test::FrameColour;
using test::PixelAt;

// A spin control of another library, known to the engine by its name.
class TUpDownProbe : public fw::TWinControl {
    FW_CLASS(TUpDownProbe, fw::TWinControl)
public:
    using fw::TWinControl::TWinControl;

protected:
    void CreateParams(fw::TCreateParams& p) override
    {
        fw::TWinControl::CreateParams(p);
        CreateSubClass(p, UPDOWN_CLASSW);
    }
};
FW_IMPLEMENT_CLASS_AS(TUpDownProbe, "TUpDown") {}

// The glyph strips' frames are 4 x 4, frame k in FrameColour(k + 10).
constexpr fw::TColor GlyphColour(int k) { return FrameColour(k + 10); }

std::string ArrowSkin()
{
    auto glyphs = test::BmpFile(32, 4, [](int x, int) { return GlyphColour(x / 4 + 1); });
    return test::TestSkin(
        "[UpDown.Vert]\r\nImage=udv.bmp\r\nGlyphImage=udg.bmp\r\n"
        "[UpDown.Horz]\r\nImage=udh.bmp\r\n",
        {{"udv.bmp", test::StripBmp(8, 12, 12)},
         {"udh.bmp", test::StripBmp(8, 12, 12)},
         {"udg.bmp", glyphs}});
}

class SkinUpDownTest : public ControlTest {
protected:
    TSkinUpDown* SkinRaw(DWORD style, int w, int h)
    {
        HWND spin = Raw(UPDOWN_CLASSW, style, w, h);
        auto* s = new TSkinUpDown(nullptr);
        s->InitHandle(spin, data.get(), &list, nullptr);
        return s;
    }
    // Puts the cursor over the window's point (x, y).
    static void CursorAt(HWND window, int x, int y)
    {
        POINT p{x, y};
        ClientToScreen(window, &p);
        SetCursorPos(p.x, p.y);
    }
};

TEST_F(SkinUpDownTest, ArrowFramesFollowStateAndCursor)
{
    LoadSkin(ArrowSkin());
    auto* s = SkinRaw(0, 16, 30);
    struct Case {
        uint8_t mouse;
        bool enabled;
        int cursorY;
        int top, bottom;  // frames of the two arrows
    } cases[] = {
        {0, true, 5, 1, 5},
        {msPressed, true, 5, 2, 5},
        {msPressed, true, 20, 1, 6},
        {msHot, true, 20, 1, 8},
        {msHot | msPressed, true, 5, 2, 5},
        {msHot, true, 15, 1, 8},  // the split row belongs to the second arrow
        {msPressed, false, 5, 3, 7},
    };
    for (const Case& c : cases) {
        EnableWindow(s->Handle, c.enabled);
        s->MouseState = c.mouse;
        CursorAt(s->Handle, 8, c.cursorY);
        auto image = Render(s);
        const std::string what = "mouse " + std::to_string(c.mouse) + " y " +
                                 std::to_string(c.cursorY) + " enabled " +
                                 std::to_string(c.enabled);
        EXPECT_EQ(PixelAt(image.get(), 1, 1), FrameColour(c.top)) << what;
        EXPECT_EQ(PixelAt(image.get(), 1, 28), FrameColour(c.bottom)) << what;
        // The glyph of the same frame, centred in each half.
        EXPECT_EQ(PixelAt(image.get(), 7, 6), GlyphColour(c.top)) << what;
        EXPECT_EQ(PixelAt(image.get(), 7, 21), GlyphColour(c.bottom)) << what;
        EXPECT_EQ(PixelAt(image.get(), 5, 6), FrameColour(c.top)) << what;
    }
}

TEST_F(SkinUpDownTest, HorizontalStyleOrModeSplitsLeftAndRight)
{
    LoadSkin(ArrowSkin());
    auto* horz = SkinRaw(UDS_HORZ, 30, 16);
    horz->MouseState = msPressed;
    CursorAt(horz->Handle, 20, 8);
    auto image = Render(horz);
    EXPECT_EQ(PixelAt(image.get(), 1, 8), FrameColour(1));
    EXPECT_EQ(PixelAt(image.get(), 28, 8), FrameColour(6));
    // The horizontal strip has no glyphs.
    EXPECT_EQ(PixelAt(image.get(), 22, 8), FrameColour(6));

    // A vertical up-down attached as a tab set's scroller (mode 1).
    TSkinnerRequest request;
    request.Kind = TSkinnerKind::UpDown;
    request.Window = Raw(UPDOWN_CLASSW, 0, 30, 16);
    request.Mode = 1;
    auto* scroller = DefaultSkinnerFactory().Attach(request, &list, data.get(), nullptr);
    ASSERT_NE(scroller, nullptr);
    CursorAt(scroller->Handle, 5, 8);
    image = Render(scroller);
    EXPECT_EQ(PixelAt(image.get(), 1, 1), FrameColour(1));
    EXPECT_EQ(PixelAt(image.get(), 28, 1), FrameColour(5));
    EXPECT_EQ(PixelAt(image.get(), 1, 14), FrameColour(1));
}

TEST_F(SkinUpDownTest, PlainArrowsWithoutSkinStrips)
{
    LoadSkin(
        test::PackedSkin("[TitlebarSkin]\r\nSkinName=Plain\r\n[Colours]\r\n"
                         "ButtonFace=224,160,48\r\nButtonShadow=64,64,64\r\n"
                         "ButtonDkShadow=128,0,0\r\n"));
    auto* s = SkinRaw(0, 16, 30);
    constexpr fw::TColor frame = 0x000080;
    s->MouseState = msPressed;
    CursorAt(s->Handle, 8, 20);
    auto image = Render(s);
    EXPECT_EQ(PixelAt(image.get(), 0, 0), frame);
    EXPECT_EQ(PixelAt(image.get(), 15, 29), frame);
    EXPECT_EQ(PixelAt(image.get(), 2, 2), test::kFace);
    EXPECT_EQ(PixelAt(image.get(), 2, 27), 0x404040);  // the pressed arrow in ButtonShadow
    // Each half has an arrow of lines in the frame colour.
    auto inked = [&](int top, int bottom) {
        for (int y = top + 2; y < bottom - 2; ++y)
            for (int x = 3; x < 13; ++x)
                if (PixelAt(image.get(), x, y) == frame) return true;
        return false;
    };
    EXPECT_TRUE(inked(0, 15));
    EXPECT_TRUE(inked(15, 30));
}

TEST_F(SkinUpDownTest, EmbeddedKeepsOffTheEditEdgesItIsFlushWith)
{
    LoadSkin(ArrowSkin());
    HWND edit = Raw(L"EDIT", 0, 80, 24);
    auto spinIn = [&](int x, int y, int w, int h) {
        HWND spin = CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE, x, y, w, h, edit,
                                    nullptr, GetModuleHandleW(nullptr), nullptr);
        auto* s = new TSkinUpDown(nullptr);
        s->Embedded = true;
        s->InitHandle(spin, data.get(), &list, nullptr);
        CursorAt(spin, -100, -100);
        return s;
    };
    // Flush with the top, bottom and right: 3 white pixels on those sides.
    auto image = Render(spinIn(64, 0, 16, 24));
    EXPECT_EQ(PixelAt(image.get(), 5, 2), fw::clWhite);
    EXPECT_EQ(PixelAt(image.get(), 5, 3), FrameColour(1));
    EXPECT_EQ(PixelAt(image.get(), 12, 10), FrameColour(1));
    EXPECT_EQ(PixelAt(image.get(), 13, 10), fw::clWhite);
    EXPECT_EQ(PixelAt(image.get(), 5, 20), FrameColour(5));
    EXPECT_EQ(PixelAt(image.get(), 5, 21), fw::clWhite);
    EXPECT_EQ(PixelAt(image.get(), 0, 10), FrameColour(1));  // the left edge stays
    // One pixel in from the top: two more rows; well inside: none.
    image = Render(spinIn(40, 1, 16, 10));
    EXPECT_EQ(PixelAt(image.get(), 5, 1), fw::clWhite);
    EXPECT_EQ(PixelAt(image.get(), 5, 2), FrameColour(1));
    image = Render(spinIn(40, 8, 16, 10));
    EXPECT_EQ(PixelAt(image.get(), 5, 0), FrameColour(1));
    EXPECT_EQ(PixelAt(image.get(), 15, 9), FrameColour(5));
}

TEST_F(SkinUpDownTest, MouseStatesFollowTheMouse)
{
    LoadSkin(ArrowSkin());
    auto* s = SkinRaw(0, 16, 30);
    SendMessageW(s->Handle, UDM_SETRANGE32, 0, 10);
    SendMessageW(s->Handle, UDM_SETPOS32, 0, 5);
    CursorAt(s->Handle, 8, 5);
    SendMessageW(s->Handle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 5));
    EXPECT_TRUE(s->MouseState & msPressed);
    EXPECT_EQ(SendMessageW(s->Handle, UDM_GETPOS32, 0, 0), 6);
    EXPECT_EQ(PixelAt(Render(s).get(), 1, 1), FrameColour(2));
    SendMessageW(s->Handle, WM_LBUTTONUP, 0, MAKELPARAM(8, 5));
    EXPECT_FALSE(s->MouseState & msPressed);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(PixelAt(Render(s).get(), 1, 1), FrameColour(1));

    // Hot while the mouse is over it, on the arrow under the cursor.
    CursorAt(s->Handle, 8, 20);
    SendMessageW(s->Handle, WM_MOUSEMOVE, 0, MAKELPARAM(8, 20));
    EXPECT_TRUE(s->MouseState & msHot);
    auto image = Render(s);
    EXPECT_EQ(PixelAt(image.get(), 1, 1), FrameColour(1));
    EXPECT_EQ(PixelAt(image.get(), 1, 28), FrameColour(8));
    SendMessageW(s->Handle, WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(s->MouseState & msHot);

    // A raw up-down's background is white; the erase is not passed on.
    auto back = test::Solid(16, 30, 0x000000);
    EXPECT_EQ(SendMessageW(s->Handle, WM_ERASEBKGND,
                           reinterpret_cast<WPARAM>(back->Canvas()->Handle()), 0),
              1);
    EXPECT_EQ(PixelAt(back.get(), 8, 15), fw::clWhite);
}

// Unskins when the form hears the up-down's scroll code, as a form whose
// answer opens a modal box in which the skin goes.
struct TUnskinOnScroll : fw::TObject {
    void Proc(fw::TMessage& m)
    {
        if (m.Msg == WM_VSCROLL && LOWORD(m.WParam) == code) list->FreeSkinControls();
        old(m);
    }
    fw::TWndMethod old;
    TSkinControlList* list = nullptr;
    WORD code = 0;
};

TEST_F(SkinUpDownTest, TheParentsAnswerToAStepUnskinsAndTheFreedSkinnerIsLeftAlone)
{
    LoadSkin(ArrowSkin());
    // The press's step, and the release's end of scrolling.
    for (const WORD code : {WORD(SB_THUMBPOSITION), WORD(SB_ENDSCROLL)}) {
        SCOPED_TRACE(code == SB_THUMBPOSITION ? "press" : "release");
        auto* s = SkinRaw(0, 16, 30);
        HWND spin = s->Handle;
        SendMessageW(spin, UDM_SETRANGE32, 0, 10);
        TUnskinOnScroll unskin;
        unskin.list = &list;
        unskin.code = code;
        unskin.old = form->WindowProc;
        form->WindowProc = fw::TWndMethod(&unskin, &TUnskinOnScroll::Proc);
        const fw::TScopeExit restore([&] { form->WindowProc = unskin.old; });
        CursorAt(spin, 8, 5);
        {
            test::TFreedMemoryWatch watch;
            SendMessageW(spin, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 5));
            SendMessageW(spin, WM_LBUTTONUP, 0, MAKELPARAM(8, 5));
            EXPECT_TRUE(list.SkinControls().empty());
            EXPECT_GT(watch.Freed(), 0u);
            EXPECT_EQ(watch.CallsIntoFreed(), 0);
            EXPECT_EQ(watch.WrittenAfterFree(), 0);
        }
        EXPECT_EQ(SendMessageW(spin, WM_SKINQUERY, 0, 0), 0);
        DestroyWindow(spin);
    }
}

TEST_F(SkinUpDownTest, SpinControlOfAnotherLibraryByName)
{
    LoadSkin(ArrowSkin());
    auto* spin = Put<TUpDownProbe>(10, 10, 16, 30);
    TControlClassifier(list, data.get(), nullptr).SkinControl(spin, form.get());
    auto* s = dynamic_cast<TSkinUpDown*>(list.FindByControl(spin));
    ASSERT_NE(s, nullptr);
    CursorAt(s->Handle, -100, -100);
    // Its own paint message goes through the skinner.
    auto image = test::Solid(16, 30, 0x000000);
    SendMessageW(s->Handle, WM_PAINT, reinterpret_cast<WPARAM>(image->Canvas()->Handle()), 0);
    EXPECT_EQ(PixelAt(image.get(), 1, 1), FrameColour(1));
    EXPECT_EQ(PixelAt(image.get(), 1, 28), FrameColour(5));
}

}  // namespace
}  // namespace skin
