// Combo boxes: frame states and the thumb drag's arithmetic, the button
// and glyph of a skin without SunkEdge, the 101-item list's skinned
// scroll bar dragged to its end, a drag ended by a quit or by a lost
// capture, and unskinning that gives every window its procedure back.
#include "skin/controls/skincombo.h"

#include <gtest/gtest.h>

#include "framework/comctrls.h"
#include "framework/stdctrls.h"
#include "skin/controls/skinscroll.h"
#include "skin/controls/tests/controlfixture.h"
#include "skin/engine/skinmessages.h"
#include "skin/tests/pump.h"

namespace skin {
namespace {

using test::ControlTest;
using test::FrameColour;
using test::PixelAt;

TEST(ComboStates, FramesAndThumbPositions)
{
    EXPECT_EQ(ComboFrame(0, false, true), 1);
    EXPECT_EQ(ComboFrame(msHot, false, true), 4);
    EXPECT_EQ(ComboFrame(0, true, true), 4);
    EXPECT_EQ(ComboFrame(msPressed | msHot, true, true), 2);
    EXPECT_EQ(ComboFrame(msPressed, true, false), 3);

    // 101 items, 8 a page: positions 0 to 93; a track of 100, a thumb of 10.
    SCROLLINFO si{};
    si.nMin = 0;
    si.nMax = 100;
    si.nPage = 8;
    struct Case {
        int d, position;
    } cases[] = {{-20, 0}, {0, 0}, {45, 47}, {89, 92}, {90, 93}, {500, 93}};
    for (const Case& c : cases) EXPECT_EQ(ThumbDragPosition(c.d, si, 100, 10), c.position) << c.d;
    // No page: the whole range; a track no longer than the thumb: the start.
    si.nPage = 0;
    EXPECT_EQ(ThumbDragPosition(90, si, 100, 10), 100);
    EXPECT_EQ(ThumbDragPosition(50, si, 10, 10), 0);
}

std::string ComboSkin(const std::string& buttonKeys = {})
{
    // ComboButton and ExtraImages only: no SunkEdge.
    return test::TestSkin(
        "[ComboButton]\r\nImage=combo.bmp\r\n" + buttonKeys +
            "[ExtraImages]\r\nImage=glyph.bmp\r\n"
            "[Scrollbar]\r\nImage=bar.bmp\r\n",
        {{"combo.bmp", test::StripBmp(4, 17, 21)},
         {"glyph.bmp", test::BmpFile(5 * 7, 4, [](int x, int) { return FrameColour(x / 7 + 8); })},
         {"bar.bmp", test::StripBmp(23, 16, 16)}});
}

class SkinComboTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        LoadSkin(ComboSkin());
        combo = Put<fw::TComboBox>(10, 10, 150, 24);
        for (int i = 0; i <= 100; ++i) combo->Items()->Add("item " + std::to_string(i));
        form->Show();
        skinner = new TSkinComBox(combo);
        skinner->InitControl(&list, data.get(), false, nullptr);
    }
    fw::TComboBox* combo = nullptr;
    TSkinComBox* skinner = nullptr;
};

TEST_F(SkinComboTest, ButtonAndGlyphWithoutSunkEdge)
{
    // Focused: the hot look.
    combo->SetFocus();
    RECT r;
    GetWindowRect(combo->Handle(), &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    const int f = GetSystemMetrics(SM_CXHSCROLL);
    EXPECT_EQ(PixelAt(Render(skinner).get(), w - f, 1), FrameColour(4));
    SetFocus(form->Handle());
    auto image = Render(skinner);
    // The button: the right f + 2 pixels; the glyph centred in it.
    EXPECT_EQ(PixelAt(image.get(), w - f, 1), FrameColour(1));
    const int gx = (w - f - 2) + (f + 2 - 2 - 7) / 2, gy = (h - 4) / 2;
    EXPECT_EQ(PixelAt(image.get(), gx + 3, gy + 1), FrameColour(8));
    // The text area is the combo box's own.
    EXPECT_EQ(PixelAt(image.get(), w / 3, h / 2), 0x000000);

    skinner->MouseState = msPressed;
    EXPECT_EQ(PixelAt(Render(skinner).get(), w - f, 1), FrameColour(2));
    skinner->MouseState = 0;
    combo->SetEnabled(false);
    EXPECT_EQ(PixelAt(Render(skinner).get(), w - f, 1), FrameColour(3));
}

// A combo box that can be typed in passes its focus to its edit: ours,
// whose edit is hooked, and a Unicode one of another library, whose edit
// is not, show the focused look in both button styles.
TEST_F(SkinComboTest, FocusInItsEditShowsInBothButtonStyles)
{
    HWND wide = Raw(L"COMBOBOX", CBS_DROPDOWN, 150, 200);
    auto* raw = new TSkinComBox(nullptr);
    raw->InitHandle(wide, data.get(), &list, nullptr);
    ASSERT_EQ(raw->EditChild, nullptr);
    RECT r;
    GetWindowRect(combo->Handle(), &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    // A point of the button: at the right end of the whole control, or
    // of the strip inside its two-pixel frame (style 1).
    struct Case {
        int style, x, y;
    } cases[] = {{0, w - GetSystemMetrics(SM_CXHSCROLL), 1}, {1, w - 10, h / 2}};
    const auto looks = [&](TSkinComBox* s, int frame) {
        for (const Case& c : cases) {
            LoadSkin(ComboSkin("Style=" + std::to_string(c.style) + "\r\n"));
            EXPECT_EQ(PixelAt(Render(s).get(), c.x, c.y), FrameColour(frame)) << c.style;
        }
    };
    combo->SetFocus();
    ASSERT_NE(skinner->EditChild, nullptr);
    ASSERT_EQ(GetFocus(), skinner->EditChild);
    looks(skinner, 4);
    looks(raw, 1);
    SetFocus(wide);
    ASSERT_TRUE(IsChild(wide, GetFocus()));
    looks(skinner, 1);
    looks(raw, 4);
    SetFocus(form->Handle());
    looks(skinner, 1);
    looks(raw, 1);
}

// The focus moved by Tab from control to control: the combo box it enters
// shows the focused look on the window, and the one it leaves the normal
// look, with no paint but the ones the moves bring about. Our combo box
// with an edit and one without (a drop-down list), and a Unicode combo box
// of another library and an extended combo box, whose edits are not hooked.
TEST_F(SkinComboTest, TabShowsTheFocusOnTheButtonsAsItMoves)
{
    auto* second = Put<fw::TComboBox>(10, 40, 150, 24);
    second->SetStyle(fw::csDropDownList);
    Put<fw::TEdit>(10, 70, 150, 24);
    std::vector<HWND> combos{combo->Handle(), second->Handle()};
    (new TSkinComBox(second))->InitControl(&list, data.get(), false, nullptr);
    HWND wide = Raw(L"COMBOBOX", CBS_DROPDOWN | WS_TABSTOP, 150, 200);
    HWND extended = Raw(WC_COMBOBOXEXW, CBS_DROPDOWN | WS_TABSTOP, 150, 200);
    SetWindowPos(wide, nullptr, 10, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SetWindowPos(extended, nullptr, 10, 130, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    // The engine skins the combo box inside an extended one.
    for (HWND h : {wide, GetTopWindow(extended)}) {
        (new TSkinComBox(nullptr))->InitHandle(h, data.get(), &list, nullptr);
        combos.push_back(h);
    }
    SetForegroundWindow(form->Handle());
    ASSERT_TRUE(test::PumpUntil([&] { return GetForegroundWindow() == form->Handle(); }));
    combo->SetFocus();
    const auto button = [](HWND h) {
        auto shot = test::WindowShot(h);
        return PixelAt(shot.get(), shot->Width() - GetSystemMetrics(SM_CXHSCROLL), 1);
    };
    std::vector<int> focusedAt(combos.size(), 0);
    bool onTheEdit = false;
    for (int step = 0; step < 2 * int(combos.size()) + 2; ++step) {
        fw::Application->ProcessMessages();
        const HWND focus = GetFocus();
        ASSERT_NE(focus, nullptr);
        bool inACombo = false;
        for (size_t i = 0; i < combos.size(); ++i) {
            const bool in = focus == combos[i] || IsChild(combos[i], focus);
            inACombo = inACombo || in;
            focusedAt[i] += in;
            EXPECT_EQ(button(combos[i]), FrameColour(in ? 4 : 1))
                << "step " << step << ", combo " << i;
        }
        onTheEdit = onTheEdit || !inACombo;
        PostMessageW(focus, WM_KEYDOWN, VK_TAB, 1);
    }
    // Every combo box had the focus, and so had the edit.
    for (size_t i = 0; i < combos.size(); ++i) EXPECT_GE(focusedAt[i], 1) << i;
    EXPECT_TRUE(onTheEdit);
}

TEST_F(SkinComboTest, ClipOfTheCallersDCComesBack)
{
    auto image = test::Solid(150, 24, 0x000000);
    HDC dc = image->Canvas()->Handle();
    skinner->PaintToDC(dc);
    RECT clip;
    EXPECT_EQ(GetClipBox(dc, &clip), SIMPLEREGION);
    EXPECT_EQ(clip.right - clip.left, 150);
}

// Runs an action while the drag loop is in progress: a message to this
// window is dispatched by the loop.
struct TDuring {
    static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM w, LPARAM l)
    {
        if (msg == WM_APP && action) action();
        return DefWindowProcW(h, msg, w, l);
    }
    static inline std::function<void()> action;
};

class ComboDragTest : public SkinComboTest {
protected:
    void SetUp() override
    {
        SkinComboTest::SetUp();
        WNDCLASSW wc{};
        wc.lpfnWndProc = &TDuring::Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"ComboDragHelper";
        RegisterClassW(&wc);
        helper = CreateWindowExW(0, L"ComboDragHelper", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        raws.push_back(helper);
        // The list drops only in an active window and closes when the window
        // loses activation: wait for both, as a loaded machine may be slow.
        SetForegroundWindow(form->Handle());
        test::PumpUntil([&] { return GetForegroundWindow() == form->Handle(); });
        SendMessageW(combo->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
        ASSERT_TRUE(test::PumpUntil(
            [&] { return skinner->ListHandle && IsWindowVisible(skinner->ListHandle); }));
        listWindow = skinner->ListHandle;
        SCROLLBARINFO bar{};
        bar.cbSize = sizeof bar;
        GetScrollBarInfo(listWindow, OBJID_VSCROLL, &bar);
        thumb = {(bar.rcScrollBar.left + bar.rcScrollBar.right) / 2,
                 bar.rcScrollBar.top + (bar.xyThumbTop + bar.xyThumbBottom) / 2};
    }
    void TearDown() override
    {
        TDuring::action = nullptr;
        SendMessageW(combo->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
        SkinComboTest::TearDown();
    }
    // Presses the thumb; the action runs inside the drag.
    void Drag(std::function<void()> action)
    {
        TDuring::action = std::move(action);
        PostMessageW(helper, WM_APP, 0, 0);
        SendMessageW(listWindow, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(thumb.x, thumb.y));
    }
    int ListPosition() { return GetScrollPos(listWindow, SB_VERT); }

    HWND helper = nullptr;
    HWND listWindow = nullptr;
    POINT thumb{};
};

TEST_F(ComboDragTest, ThumbDraggedToTheEndShowsTheLastItems)
{
    ASSERT_NE(skinner->DropListSkinner, nullptr);
    ASSERT_NE(listWindow, nullptr);
    EXPECT_EQ(SendMessageW(listWindow, WM_SKINQUERY, 0, 0), 1);
    EXPECT_EQ(ListPosition(), 0);
    Drag([this] {
        // Far below the list, in the list's client coordinates.
        POINT below{thumb.x, thumb.y + 2000};
        ScreenToClient(listWindow, &below);
        PostMessageW(listWindow, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(below.x, below.y));
        PostMessageW(listWindow, WM_LBUTTONUP, 0, 0);
    });
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    GetScrollInfo(listWindow, SB_VERT, &si);
    EXPECT_EQ(si.nPos, si.nMax - int(si.nPage) + 1);
    EXPECT_EQ(SendMessageW(listWindow, LB_GETTOPINDEX, 0, 0), 101 - int(si.nPage));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ComboDragTest, QuitAndLostCaptureEndTheDrag)
{
    Drag([] { PostQuitMessage(7); });
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);

    Drag([this] { SetCapture(form->Handle()); });
    EXPECT_EQ(GetCapture(), form->Handle());
    ReleaseCapture();
}

// The framework's combo boxes are Unicode windows and get the edit hook
// (the fixture's combo shows it); a Unicode combo box of another library
// keeps its edit as it is, and an ANSI one gets the hook.
TEST_F(SkinComboTest, EditHookForOurOwnAndAnsiComboBoxesOnly)
{
    EXPECT_NE(skinner->EditChild, nullptr);

    HWND wide = Raw(L"COMBOBOX", CBS_DROPDOWN, 150, 200);
    auto* w = new TSkinComBox(nullptr);
    w->InitHandle(wide, data.get(), &list, nullptr);
    EXPECT_EQ(w->EditChild, nullptr);

    HWND narrow =
        CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, 10, 40, 150, 200,
                        form->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    raws.push_back(narrow);
    auto* n = new TSkinComBox(nullptr);
    n->InitHandle(narrow, data.get(), &list, nullptr);
    EXPECT_NE(n->EditChild, nullptr);
}

TEST_F(SkinComboTest, ComboFreedWhileSkinnedLeavesNothingBehind)
{
    ASSERT_NE(skinner->DropListSkinner, nullptr);
    EXPECT_EQ(list.SkinControls().size(), 2u);  // the combo box and its list
    combo->Free();
    combo = nullptr;
    list.RemoveDeadControls();
    EXPECT_TRUE(list.SkinControls().empty());
}

TEST_F(SkinComboTest, UnskinGivesEveryWindowItsProcedureBack)
{
    HWND edit = skinner->EditChild;
    HWND listWindow = skinner->ListHandle;
    ASSERT_NE(edit, nullptr);
    const LONG_PTR editProc = GetWindowLongPtrW(edit, GWLP_WNDPROC);
    list.FreeSkinControls();
    EXPECT_EQ(SendMessageW(combo->Handle(), WM_SKINQUERY, 0, 0), 0);
    EXPECT_EQ(SendMessageW(listWindow, WM_SKINQUERY, 0, 0), 0);
    EXPECT_NE(GetWindowLongPtrW(edit, GWLP_WNDPROC), editProc);
    // Typing still reaches the combo box.
    SendMessageW(edit, WM_CHAR, 'x', 0);
    EXPECT_EQ(combo->Text(), "x");
}

class DateTimeTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        LoadSkin(ComboSkin());
    }
};

TEST_F(DateTimeTest, ArrowCoversThePickersButtonAndAFlatFrame)
{
    auto* picker = Put<fw::TDateTimePicker>(10, 50, 150, 24);
    auto* s = new TSkinDateTime(picker);
    s->InitControl(&list, data.get(), false, nullptr);
    TArrowButton* arrow = s->Arrow;
    ASSERT_NE(arrow, nullptr);
    HWND h = picker->Handle();
    EXPECT_EQ(GetParent(arrow->Handle()), h);
    EXPECT_TRUE(GetWindowLongPtrW(h, GWL_STYLE) & WS_CLIPCHILDREN);
    RECT w;
    GetWindowRect(h, &w);
    const int a = GetSystemMetrics(SM_CXHSCROLL);
    EXPECT_EQ(arrow->Left(), (w.right - w.left) - a - 4);
    EXPECT_EQ(arrow->Top(), 0);
    EXPECT_EQ(arrow->Width(), a);
    EXPECT_EQ(arrow->Height(), 20);

    // The arrow's cell of the combo arrow, hot while the mouse is over it.
    auto image = test::Solid(a, 20, 0x000000);
    HDC dc = image->Canvas()->Handle();
    SendMessageW(arrow->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    EXPECT_EQ(PixelAt(image.get(), a / 2, 10), FrameColour(1));
    arrow->Perform(fw::CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(arrow));
    SendMessageW(arrow->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    EXPECT_EQ(PixelAt(image.get(), a / 2, 10), FrameColour(4));

    // A frame over the picker's border: shadow outside, white inside.
    RECT c;
    GetClientRect(h, &c);
    ASSERT_LT(c.right, w.right - w.left);
    auto frame = Render(s);
    EXPECT_EQ(PixelAt(frame.get(), 0, 0), 0x404040);
    EXPECT_EQ(PixelAt(frame.get(), 1, 1), 0xFFFFFF);
}

}  // namespace
}  // namespace skin
