// Skinned scroll bars: hit tests and thumb arithmetic, the parts of a
// composed bar (arrows, track, thumb and grip, disabled and short bars),
// a memo's bars covered by windows of the skinner's own, a raw window's
// bars and a simple combo box's list followed through size, style and
// visibility, and a stand-alone scroll bar covered whole, scrolled by
// clicks and a thumb drag.
#include "skin/controls/skinscroll.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "framework/stdctrls.h"
#include "skin/controls/classify.h"
#include "skin/controls/skincombo.h"
#include "skin/controls/tests/controlfixture.h"
#include "skin/engine/skinmessages.h"

namespace skin {
namespace {

using test::ControlTest;
using test::FrameColour;
using test::PixelAt;

TEST(ScrollBarParts, HitTest)
{
    // Arrows of 16, thumb from 40 to 60 on a bar of 200.
    struct Case {
        int p, part;
    } cases[] = {{0, kPartFirstArrow}, {15, kPartFirstArrow}, {16, kPartPageUp},
                 {39, kPartPageUp},    {40, kPartThumb},      {59, kPartThumb},
                 {60, kPartPageDown},  {183, kPartPageDown},  {184, kPartLastArrow},
                 {199, kPartLastArrow}};
    for (const Case& c : cases) EXPECT_EQ(HitTestPart(c.p, 16, 40, 60, 200), c.part) << c.p;
}

TEST(ScrollBarParts, ThumbOfAStandAloneBar)
{
    struct Case {
        int min, max, page, pos;
        int start, end;
    } cases[] = {
        // No range counts as a huge one: the thumb stays at the first arrow.
        {0, 0, 10, 0, 16, 24},
        {5, 5, 0, 5, 16, 32},
        // No page: the thumb is an arrow long.
        {0, 100, 0, 50, 16 + MulDiv(200 - 48, 50, 100), 16 + MulDiv(200 - 48, 50, 100) + 16},
        // A page: proportional, at least 8.
        {0, 100, 51, 0, 16, 16 + MulDiv(168, 50, 100)},
        {0, 1000, 2, 500, 16 + MulDiv(200 - 40, 500, 1000), 16 + MulDiv(200 - 40, 500, 1000) + 8},
    };
    for (const Case& c : cases) {
        SCROLLINFO si{};
        si.nMin = c.min;
        si.nMax = c.max;
        si.nPage = UINT(c.page);
        si.nPos = c.pos;
        int start = 0, end = 0;
        CalcThumbFromScrollInfo(si, 200, 16, start, end);
        EXPECT_EQ(start, c.start) << c.max << " " << c.page << " " << c.pos;
        EXPECT_EQ(end, c.end) << c.max << " " << c.page << " " << c.pos;
    }
    // A dragged thumb stays between the arrows.
    EXPECT_EQ(FollowThumbDrag(40, 10, 16, 200, 20), 50);
    EXPECT_EQ(FollowThumbDrag(40, -100, 16, 200, 20), 16);
    EXPECT_EQ(FollowThumbDrag(40, 500, 16, 200, 20), 164);
}

// A skin with the scroll-bar images: a 23-frame strip of 16 x 16, tracks of
// 4 frames and thumbs of 3, each frame in its own colour.
std::string ScrollSkin(int stripHeight = 16)
{
    return test::TestSkin(
        "[Scrollbar]\r\nImage=bar.bmp\r\n[VertScroll]\r\nImage=vtrack.bmp\r\n"
        "[HorzScroll]\r\nImage=htrack.bmp\r\n[VertScrollThumb]\r\nImage=vthumb.bmp\r\n"
        "[HorzScrollThumb]\r\nImage=hthumb.bmp\r\n",
        {{"bar.bmp", test::StripBmp(23, 16, stripHeight)},
         {"vtrack.bmp", test::StripBmp(4, 16, 16)},
         {"htrack.bmp", test::StripBmp(4, 16, 16)},
         {"vthumb.bmp", test::StripBmp(3, 16, 16)},
         {"hthumb.bmp", test::StripBmp(3, 16, 16)}});
}

class ScrollBarTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        LoadSkin(ScrollSkin());
    }
    std::unique_ptr<fw::TBitmap> Compose(int w, int h, TBarLook look)
    {
        look.ArrowSize = 16;
        return ComposeScrollBar(data->Skin(), w, h, 16, look);
    }
};

TEST_F(ScrollBarTest, ComposedBarParts)
{
    TBarLook look;
    look.Vertical = true;
    look.ThumbStart = 40;
    look.ThumbEnd = 80;
    auto bar = Compose(16, 200, look);
    EXPECT_EQ(PixelAt(bar.get(), 8, 2), FrameColour(9));     // up arrow
    EXPECT_EQ(PixelAt(bar.get(), 8, 197), FrameColour(13));  // down arrow
    EXPECT_EQ(PixelAt(bar.get(), 8, 20), FrameColour(1));    // track, enabled
    EXPECT_EQ(PixelAt(bar.get(), 8, 42), FrameColour(1));    // thumb, normal
    EXPECT_EQ(PixelAt(bar.get(), 8, 60), FrameColour(20));   // grip in the middle

    look.HotPart = kPartThumb;
    look.Pressed = true;
    bar = Compose(16, 200, look);
    EXPECT_EQ(PixelAt(bar.get(), 8, 42), FrameColour(2));
    EXPECT_EQ(PixelAt(bar.get(), 8, 60), FrameColour(21));
    look.Pressed = false;
    bar = Compose(16, 200, look);
    EXPECT_EQ(PixelAt(bar.get(), 8, 42), FrameColour(3));
    EXPECT_EQ(PixelAt(bar.get(), 8, 60), FrameColour(22));
    look.HotPart = kPartLastArrow;
    bar = Compose(16, 200, look);
    EXPECT_EQ(PixelAt(bar.get(), 8, 197), FrameColour(16));

    // Horizontal.
    look = {};
    look.ThumbStart = 40;
    look.ThumbEnd = 80;
    look.HotPart = kPartFirstArrow;
    look.Pressed = true;
    bar = Compose(200, 16, look);
    EXPECT_EQ(PixelAt(bar.get(), 2, 8), FrameColour(2));
    EXPECT_EQ(PixelAt(bar.get(), 197, 8), FrameColour(5));
    EXPECT_EQ(PixelAt(bar.get(), 60, 8), FrameColour(17));
}

TEST_F(ScrollBarTest, DisabledShortAndGriplessBars)
{
    TBarLook look;
    look.Vertical = true;
    look.ThumbStart = 40;
    look.ThumbEnd = 80;
    look.Enabled = false;
    auto bar = Compose(16, 200, look);
    EXPECT_EQ(PixelAt(bar.get(), 8, 20), FrameColour(3));  // track, disabled
    EXPECT_EQ(PixelAt(bar.get(), 8, 60), FrameColour(3));  // no thumb, no grip
    EXPECT_EQ(PixelAt(bar.get(), 8, 2), FrameColour(9));   // the arrows stay

    // Shorter than two arrows: each gets half.
    look.Enabled = true;
    look.ThumbStart = look.ThumbEnd = 0;
    bar = Compose(16, 20, look);
    EXPECT_EQ(PixelAt(bar.get(), 8, 9), FrameColour(9));
    EXPECT_EQ(PixelAt(bar.get(), 8, 10), FrameColour(13));

    // A thumb no longer than the grip less 2: no grip.
    look.ThumbStart = 40;
    look.ThumbEnd = 54;
    bar = Compose(16, 200, look);
    EXPECT_EQ(PixelAt(bar.get(), 8, 47), FrameColour(1));

    // Thickness from the strip only within 2 pixels of the arrow size.
    EXPECT_EQ(ScrollBarThickness(data->Skin(), 17), 16);
    EXPECT_EQ(ScrollBarThickness(data->Skin(), 19), 19);
}

TEST_F(ScrollBarTest, MemoBarsCoveredAndGivenBack)
{
    auto* memo = Put<fw::TMemo>(10, 10, 150, 80);
    memo->SetScrollBars(fw::ssVertical);
    std::string text;
    for (int i = 0; i < 40; ++i) text += "line\r\n";
    memo->SetText(text);
    form->Show();
    auto* s = new TSkinScrollbar(memo);
    s->InitScrollbar(memo, data.get(), &list, nullptr);
    Pump();
    ASSERT_TRUE(s->VertBar->Shown);
    EXPECT_FALSE(s->HorzBar->Shown);
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetScrollBarInfo(memo->Handle(), OBJID_VSCROLL, &info));
    RECT over;
    GetWindowRect(s->VertBar->Handle(), &over);
    EXPECT_TRUE(EqualRect(&over, &info.rcScrollBar));
    EXPECT_EQ(GetParent(s->VertBar->Handle()), form->Handle());
    EXPECT_EQ(SendMessageW(memo->Handle(), WM_SKINQUERY, 0, 0), 1);

    // The flat border into the application's DC, only with the marker.
    auto border = test::Solid(150, 80, 0x000000);
    HDC dc = border->Canvas()->Handle();
    EXPECT_EQ(SendMessageW(memo->Handle(), WM_SKINPAINTBORDER, WPARAM(dc), 0), 0);
    EXPECT_EQ(PixelAt(border.get(), 0, 0), 0x000000);
    EXPECT_EQ(SendMessageW(memo->Handle(), WM_SKINPAINTBORDER, WPARAM(dc), SKIN_MARKER),
              SKIN_MARKER);
    EXPECT_EQ(PixelAt(border.get(), 0, 0), 0x404040);
    EXPECT_EQ(PixelAt(border.get(), 1, 1), test::kFace);

    // A scroll message shows its part; hiding the memo hides the bar.
    SendMessageW(memo->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(s->VertBar->HotPart, kPartLastArrow);
    memo->Hide();
    EXPECT_FALSE(s->VertBar->Shown);

    list.FreeSkinControls();
    EXPECT_EQ(SendMessageW(memo->Handle(), WM_SKINQUERY, 0, 0), 0);
    EXPECT_EQ(GetWindow(form->Handle(), GW_CHILD), memo->Handle());
    EXPECT_EQ(GetWindow(memo->Handle(), GW_HWNDNEXT), nullptr);
}

// Whether the bar window lies shown exactly over the host's native bar.
::testing::AssertionResult Covers(TWScrollbar* bar, HWND host, LONG object)
{
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    if (!GetScrollBarInfo(host, object, &info)) return ::testing::AssertionFailure() << "no bar";
    RECT over;
    GetWindowRect(bar->Handle(), &over);
    if (!bar->Shown || !IsWindowVisible(bar->Handle()) || !EqualRect(&over, &info.rcScrollBar))
        return ::testing::AssertionFailure()
               << "shown " << bar->Shown << " visible " << IsWindowVisible(bar->Handle())
               << " over (" << over.left << "," << over.top << ")-(" << over.right << ","
               << over.bottom << ") bar (" << info.rcScrollBar.left << "," << info.rcScrollBar.top
               << ")-(" << info.rcScrollBar.right << "," << info.rcScrollBar.bottom << ")";
    return ::testing::AssertionSuccess();
}

bool Hidden(TWScrollbar* bar) { return !bar->Shown && !IsWindowVisible(bar->Handle()); }

// What the bar window paints, and its pixel at `p` along its axis.
fw::TColor BarPixel(TWScrollbar* bar, int p)
{
    RECT r;
    GetClientRect(bar->Handle(), &r);
    auto b = test::Solid(r.right, r.bottom, 0x000000);
    SendMessageW(bar->Handle(), WM_PAINT, WPARAM(b->Canvas()->Handle()), 0);
    if (p < 0) p += bar->Vertical ? r.bottom : r.right;
    return bar->Vertical ? PixelAt(b.get(), r.right / 2, p) : PixelAt(b.get(), p, r.bottom / 2);
}

// A window class of the test's own that only the default procedure serves,
// counting the frame paints its windows get.
int g_framePaints = 0;
LRESULT CALLBACK PlainWindowProc(HWND window, UINT msg, WPARAM w, LPARAM l)
{
    if (msg == WM_NCPAINT) ++g_framePaints;
    return DefWindowProcW(window, msg, w, l);
}

const wchar_t* PlainWindowClass()
{
    static const wchar_t* const name = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = PlainWindowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = L"SkinScrollPlainHost";
        RegisterClassW(&wc);
        return wc.lpszClassName;
    }();
    return name;
}

// A raw window with both bars and no framework control: the skinner lays a
// window over each bar, beside the host and above it, which follows the
// host's size, scroll messages, bar styles and visibility, and goes away
// with the skin.
TEST_F(ScrollBarTest, RawWindowBarsCoveredFollowingSizeStyleAndVisibility)
{
    HWND host = Raw(PlainWindowClass(), WS_HSCROLL | WS_VSCROLL, 150, 100);
    const LONG_PTR proc = GetWindowLongPtrW(host, GWLP_WNDPROC);
    form->Show();
    auto* s = new TSkinScrollbarH(nullptr);
    s->InitHandle(host, data.get(), &list, nullptr);
    Pump();
    ASSERT_NE(s->HorzBar, nullptr);
    ASSERT_NE(s->VertBar, nullptr);
    EXPECT_EQ(SendMessageW(host, WM_SKINQUERY, 0, 0), 1);
    EXPECT_TRUE(Covers(s->HorzBar, host, OBJID_HSCROLL));
    EXPECT_TRUE(Covers(s->VertBar, host, OBJID_VSCROLL));
    for (TWScrollbar* bar : {s->HorzBar, s->VertBar}) {
        EXPECT_EQ(GetParent(bar->Handle()), form->Handle());
        EXPECT_EQ(bar->HostControl, nullptr);
    }
    // The two windows just above the host in the z-order are the bars.
    const HWND above = GetWindow(host, GW_HWNDPREV), above2 = GetWindow(above, GW_HWNDPREV);
    EXPECT_TRUE((above == s->VertBar->Handle() && above2 == s->HorzBar->Handle()) ||
                (above == s->HorzBar->Handle() && above2 == s->VertBar->Handle()));
    // Painted from the skin: the arrows at both ends.
    EXPECT_EQ(BarPixel(s->HorzBar, 2), FrameColour(1));
    EXPECT_EQ(BarPixel(s->HorzBar, -3), FrameColour(5));
    EXPECT_EQ(BarPixel(s->VertBar, 2), FrameColour(9));
    EXPECT_EQ(BarPixel(s->VertBar, -3), FrameColour(13));
    // The corner between the two bars takes the face.
    const RECT corner{s->VertBar->BarRectInHost.left, s->HorzBar->BarRectInHost.top,
                      s->VertBar->BarRectInHost.right, s->HorzBar->BarRectInHost.bottom};
    EXPECT_EQ(PixelAt(Render(s).get(), (corner.left + corner.right) / 2,
                      (corner.top + corner.bottom) / 2),
              test::kFace);
    // The host's scroll messages show their part.
    SendMessageW(host, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(s->VertBar->HotPart, kPartLastArrow);
    SendMessageW(host, WM_HSCROLL, SB_PAGEUP, 0);
    EXPECT_EQ(s->HorzBar->HotPart, kPartPageUp);

    // A new size: both windows follow their bars, and keep their order above
    // the host. (Swapping them at each placement would repaint the host's
    // frame, and so place them again, over and over.)
    g_framePaints = 0;
    SetWindowPos(host, nullptr, 0, 0, 220, 140, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(Covers(s->HorzBar, host, OBJID_HSCROLL));
    EXPECT_TRUE(Covers(s->VertBar, host, OBJID_VSCROLL));
    EXPECT_EQ(GetWindow(host, GW_HWNDPREV), above);
    EXPECT_EQ(GetWindow(above, GW_HWNDPREV), above2);
    EXPECT_LE(g_framePaints, 3);

    // Without its style a bar's window is hidden, the other one follows its
    // longer bar; with the style back it shows again. Once by ShowScrollBar,
    // once by the style itself.
    const auto setStyle = [&](LONG_PTR bit, bool on) {
        const LONG_PTR style = GetWindowLongPtrW(host, GWL_STYLE);
        SetWindowLongPtrW(host, GWL_STYLE, on ? style | bit : style & ~bit);
        SetWindowPos(host, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    };
    ShowScrollBar(host, SB_HORZ, FALSE);
    EXPECT_TRUE(Hidden(s->HorzBar));
    EXPECT_TRUE(Covers(s->VertBar, host, OBJID_VSCROLL));
    ShowScrollBar(host, SB_HORZ, TRUE);
    EXPECT_TRUE(Covers(s->HorzBar, host, OBJID_HSCROLL));
    EXPECT_TRUE(Covers(s->VertBar, host, OBJID_VSCROLL));
    setStyle(WS_VSCROLL, false);
    EXPECT_TRUE(Hidden(s->VertBar));
    EXPECT_TRUE(Covers(s->HorzBar, host, OBJID_HSCROLL));
    setStyle(WS_VSCROLL, true);
    EXPECT_TRUE(Covers(s->VertBar, host, OBJID_VSCROLL));

    // A hidden host hides both windows; shown again, it brings them back.
    ShowWindow(host, SW_HIDE);
    EXPECT_TRUE(Hidden(s->VertBar));
    EXPECT_TRUE(Hidden(s->HorzBar));
    ShowWindow(host, SW_SHOW);
    Pump();
    EXPECT_TRUE(Covers(s->HorzBar, host, OBJID_HSCROLL));
    EXPECT_TRUE(Covers(s->VertBar, host, OBJID_VSCROLL));

    // Unskinned, the windows are gone; freed, the host has its procedure.
    const HWND horz = s->HorzBar->Handle(), vert = s->VertBar->Handle();
    s->UnSkin();
    EXPECT_EQ(s->HorzBar, nullptr);
    EXPECT_EQ(s->VertBar, nullptr);
    EXPECT_FALSE(IsWindow(horz));
    EXPECT_FALSE(IsWindow(vert));
    list.FreeSkinControls();
    EXPECT_EQ(GetWindowLongPtrW(host, GWLP_WNDPROC), proc);
    EXPECT_EQ(SendMessageW(host, WM_SKINQUERY, 0, 0), 0);
    EXPECT_EQ(GetWindow(form->Handle(), GW_CHILD), host);
    EXPECT_EQ(GetWindow(host, GW_HWNDNEXT), nullptr);
}

// A simple combo box's list is a raw window of its own: the combo's
// skinner gives it a raw window's bar skinner, whose window covers the
// list's vertical bar, follows the list's size and goes with the skin.
TEST_F(ScrollBarTest, SimpleComboListBarCoveredFollowingSizeAndGivenBack)
{
    auto* combo = Put<fw::TComboBox>(10, 10, 150, 120);
    combo->SetStyle(fw::csSimple);
    combo->SetBounds(10, 10, 150, 120);  // the whole height is the simple combo's
    for (int i = 0; i < 30; ++i) combo->Items()->Add("item " + std::to_string(i));
    form->Show();
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(combo->Handle(), &info));
    const HWND listWindow = info.hwndList;
    const LONG_PTR proc = GetWindowLongPtrW(listWindow, GWLP_WNDPROC);
    auto* skinner = new TSkinComBox(combo);
    skinner->InitControl(&list, data.get(), false, nullptr);
    Pump();
    TSkinScrollbarH* s = skinner->SimpleListSkinner;
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(skinner->DropListSkinner, nullptr);
    EXPECT_EQ(s->Handle, listWindow);
    EXPECT_EQ(SendMessageW(listWindow, WM_SKINQUERY, 0, 0), 1);
    EXPECT_TRUE(Covers(s->VertBar, listWindow, OBJID_VSCROLL));
    EXPECT_EQ(GetParent(s->VertBar->Handle()), combo->Handle());
    EXPECT_EQ(BarPixel(s->VertBar, 2), FrameColour(9));
    // The list has no horizontal bar: that window stays hidden.
    EXPECT_TRUE(Hidden(s->HorzBar));

    RECT before, after;
    GetWindowRect(s->VertBar->Handle(), &before);
    combo->SetBounds(10, 10, 180, 170);
    Pump();
    EXPECT_TRUE(Covers(s->VertBar, listWindow, OBJID_VSCROLL));
    GetWindowRect(s->VertBar->Handle(), &after);
    EXPECT_GT(after.bottom - after.top, before.bottom - before.top);
    EXPECT_GT(after.left, before.left);

    const HWND vert = s->VertBar->Handle();
    skinner->UnSkin();
    EXPECT_EQ(skinner->SimpleListSkinner, nullptr);
    EXPECT_FALSE(IsWindow(vert));
    EXPECT_EQ(GetWindowLongPtrW(listWindow, GWLP_WNDPROC), proc);
    EXPECT_EQ(SendMessageW(listWindow, WM_SKINQUERY, 0, 0), 0);
}

// A grid of another vendor: its fixed cells take the skin's face.
class TGridProbe : public fw::TMemo {
    FW_CLASS(TGridProbe, fw::TMemo)
public:
    using fw::TMemo::TMemo;
    int FixedColor = 0x123456;
};
FW_IMPLEMENT_CLASS(TGridProbe) { c.Property("FixedColor", &TGridProbe::FixedColor); }

TEST_F(ScrollBarTest, FixedColourTakesTheFaceAndComesBack)
{
    auto* grid = Put<TGridProbe>(10, 10, 150, 80);
    auto* s = new TSkinScrollbar(grid);
    s->InitScrollbar(grid, data.get(), &list, nullptr);
    EXPECT_EQ(grid->FixedColor, test::kFace);
    list.FreeSkinControls();
    EXPECT_EQ(grid->FixedColor, 0x123456);
}

// A stand-alone scroll bar of the system's class, as a framework control
// of the class the engine knows them by; it moves its position as a
// scroll bar's owner does, on the scroll messages reflected to it.
enum TScrollBarKind { sbHorizontal, sbVertical };
FW_ENUM(TScrollBarKind, "sbHorizontal", "sbVertical")

class TScrollBarProbe : public fw::TWinControl {
    FW_CLASS(TScrollBarProbe, fw::TWinControl)
public:
    using fw::TWinControl::TWinControl;
    static constexpr int kMax = 100, kPage = 50, kLast = kMax - kPage + 1;

    TScrollBarKind Kind = sbVertical;
    int Position = 0;

    void WndProc(fw::TMessage& m) override
    {
        if (m.Msg == fw::CN_VSCROLL || m.Msg == fw::CN_HSCROLL) {
            Scroll(LOWORD(m.WParam), static_cast<int16_t>(HIWORD(m.WParam)));
            return;
        }
        fw::TWinControl::WndProc(m);
    }

protected:
    void CreateParams(fw::TCreateParams& p) override
    {
        fw::TWinControl::CreateParams(p);
        CreateSubClass(p, L"SCROLLBAR");
        p.Style |= Kind == sbVertical ? SBS_VERT : SBS_HORZ;
    }
    void CreateWnd() override
    {
        fw::TWinControl::CreateWnd();
        SetInfo(SIF_RANGE | SIF_PAGE | SIF_POS);
    }

private:
    void Scroll(int code, int thumb)
    {
        switch (code) {
        case SB_LINEUP: Position -= 1; break;
        case SB_LINEDOWN: Position += 1; break;
        case SB_PAGEUP: Position -= kPage; break;
        case SB_PAGEDOWN: Position += kPage; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: Position = thumb; break;
        default: return;
        }
        Position = std::clamp(Position, 0, kLast);
        SetInfo(SIF_POS);
    }
    void SetInfo(UINT mask)
    {
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = mask;
        si.nMax = kMax;
        si.nPage = kPage;
        si.nPos = Position;
        SetScrollInfo(Handle(), SB_CTL, &si, TRUE);
    }
};
FW_IMPLEMENT_CLASS_AS(TScrollBarProbe, "TScrollBar") { c.Property("Kind", &TScrollBarProbe::Kind); }

class StandAloneBarTest : public ScrollBarTest {
protected:
    TSkinScControl* PutBar(TScrollBarKind kind)
    {
        const bool v = kind == sbVertical;
        // The kind before the window is made: it decides the window's style.
        bar = new TScrollBarProbe(form.get());
        bar->Kind = kind;
        bar->SetParent(form.get());
        bar->SetBounds(20, 20, v ? 16 : 200, v ? 200 : 16);
        bar->SetHint("hint");
        bar->SetShowHint(v);
        form->Show();
        TControlClassifier(list, data.get(), nullptr).SkinControl(bar, form.get());
        return dynamic_cast<TSkinScControl*>(list.FindByControl(bar));
    }
    // A press at `at` on the skinned bar, the mouse then moved to `to` and
    // released there: the native bar underneath runs its own tracking.
    void PressAndRelease(TSkinScControl* s, int at, int to)
    {
        const bool v = bar->Kind == sbVertical;
        auto point = [v](int p) { return v ? MAKELPARAM(8, p) : MAKELPARAM(p, 8); };
        PostMessageW(bar->Handle(), WM_MOUSEMOVE, MK_LBUTTON, point(to));
        PostMessageW(bar->Handle(), WM_LBUTTONUP, 0, point(to));
        SendMessageW(s->Bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, point(at));
    }
    // The skinned bar as it paints, and its pixel `p` along the axis.
    fw::TColor Look(TSkinScControl* s, int p)
    {
        const bool v = bar->Kind == sbVertical;
        auto b = test::Solid(v ? 16 : 200, v ? 200 : 16, 0x000000);
        SendMessageW(s->Bar->Handle(), WM_PAINT, WPARAM(b->Canvas()->Handle()), 0);
        return v ? PixelAt(b.get(), 8, p) : PixelAt(b.get(), p, 8);
    }

    TScrollBarProbe* bar = nullptr;
};

TEST_F(StandAloneBarTest, ScrollsByClickAndThumbDrag)
{
    for (TScrollBarKind kind : {sbVertical, sbHorizontal}) {
        SCOPED_TRACE(kind);
        TSkinScControl* s = PutBar(kind);
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->Bar->Vertical, kind == sbVertical);
        EXPECT_EQ(s->Bar->Hint(), "hint");
        EXPECT_EQ(s->Bar->ShowHint(), kind == sbVertical);
        EXPECT_EQ(GetPropText(bar, "ShowHint"), kind == sbVertical ? "True" : "False");
        RECT over, under;
        GetWindowRect(s->Bar->Handle(), &over);
        GetWindowRect(bar->Handle(), &under);
        EXPECT_TRUE(EqualRect(&over, &under));
        EXPECT_TRUE(IsWindowVisible(s->Bar->Handle()));

        // Arrows, track and the thumb (82 long from 16, its grip in the
        // middle) in the skin's frames.
        const int first = kind == sbVertical ? 9 : 1, last = kind == sbVertical ? 13 : 5;
        const int grip = kind == sbVertical ? 20 : 17;
        EXPECT_EQ(Look(s, 4), FrameColour(first));
        EXPECT_EQ(Look(s, 196), FrameColour(last));
        EXPECT_EQ(Look(s, 57), FrameColour(grip));
        EXPECT_EQ(Look(s, 150), FrameColour(1));

        PressAndRelease(s, 192, 192);
        EXPECT_EQ(bar->Position, 1);
        PressAndRelease(s, 4, 4);
        EXPECT_EQ(bar->Position, 0);
        // The thumb dragged past the bar's end.
        PressAndRelease(s, 57, 205);
        EXPECT_EQ(bar->Position, TScrollBarProbe::kLast);
        EXPECT_EQ(GetCapture(), nullptr);
        // The thumb shows where the position is, its grip hot (under the
        // mouse) once released.
        const int thumb = 16 + MulDiv(168, TScrollBarProbe::kLast, 100);
        EXPECT_EQ(Look(s, thumb + 41), FrameColour(grip + 2));
        EXPECT_EQ(s->Bar->ThumbStart, thumb);
        // A click in the track before the thumb pages up.
        PressAndRelease(s, 40, 40);
        EXPECT_EQ(bar->Position, TScrollBarProbe::kLast - TScrollBarProbe::kPage);
        list.FreeSkinControls();
    }
}

TEST_F(StandAloneBarTest, FollowsVisibilityAndIsGivenBack)
{
    TSkinScControl* s = PutBar(sbVertical);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(SendMessageW(bar->Handle(), WM_SKINQUERY, 0, 0), 1);
    bar->Hide();
    EXPECT_FALSE(s->Bar->Shown);
    EXPECT_FALSE(IsWindowVisible(s->Bar->Handle()));
    bar->Show();
    EXPECT_TRUE(s->Bar->Shown);
    // Moved, the bar window follows.
    bar->SetBounds(40, 30, 16, 150);
    RECT over, under;
    GetWindowRect(s->Bar->Handle(), &over);
    GetWindowRect(bar->Handle(), &under);
    EXPECT_TRUE(EqualRect(&over, &under));

    list.FreeSkinControls();
    EXPECT_EQ(SendMessageW(bar->Handle(), WM_SKINQUERY, 0, 0), 0);
    EXPECT_EQ(GetWindow(form->Handle(), GW_CHILD), bar->Handle());
    EXPECT_EQ(GetWindow(bar->Handle(), GW_HWNDNEXT), nullptr);
}

}  // namespace
}  // namespace skin
