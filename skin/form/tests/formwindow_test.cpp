// A form skinned by a TWinSkinForm with the default skin, on the desktop:
// the activation, the frame read back through WM_SKINPAINTBORDER, the
// caption text's place and the region by the border pieces' Trans, hit
// tests, caption-button clicks, unhooking, and a window destroyed while
// skinned.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "framework/application.h"
#include "framework/forms.h"
#include "framework/stdctrls.h"
#include "skin/controls/skinheader.h"
#include "skin/controls/skinscroll.h"
#include "skin/data/skindata.h"
#include "skin/engine/skinunit.h"
#include "skin/form/tests/skinnedwindow.h"
#include "skin/form/winskinform.h"
#include "skin/tests/listprobes.h"
#include "skin/tests/pixels.h"

namespace skin {
namespace {

using test::ClickCaptionButton;
using test::PixelAt;
using test::Pump;
using test::PumpUntil;

constexpr int kClientW = 669, kClientH = 295;
// The default skin: borders 4, caption 30; caption buttons 30 x 20 at
// y 5, their left edges 36 (close), 68 (maximise or restore) and 100
// (minimise) from the window's right edge.
constexpr int kBorder = 4, kCaption = 30;

class FormWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        data.reset(test::NewDefaultSkinData());
        ASSERT_FALSE(data->NoSkin());
        data->GetCaptionFont();
        form.reset(new fw::TForm(nullptr));
        form->SetCaption("Skinned");
        form->SetBounds(120, 80, 300, 200);
        form->SetClientSize(kClientW, kClientH);
        spy = std::make_unique<test::TNotifySpy>();
        spy->Hook(form.get());
        form->Show();
        Pump();
        GetWindowRect(Handle(), &nativeRect);
        nativeProc = GetWindowLongPtrW(Handle(), GWLP_WNDPROC);
    }
    void TearDown() override
    {
        form.reset();
        data.reset();
    }
    HWND Handle() { return form->Handle(); }

    // Skins the form as the manager does and waits for the notification.
    TWinSkinForm* Skin(fw::TComponent* owner)
    {
        auto* s = new TWinSkinForm(owner);
        s->WindowHandle = Handle();
        s->ClassName = "TForm";
        s->InitSkinForm(data.get(), form.get());
        spy->notes.clear();
        PostMessageW(Handle(), WM_SKINACTIVATE, 0, 1000);
        EXPECT_TRUE(PumpUntil([&] { return !spy->notes.empty(); }));
        Pump();
        return s;
    }
    SIZE ClientSize() { return test::ClientSizeOf(Handle()); }
    RECT WindowRect() { return test::WindowRectOf(Handle()); }
    std::unique_ptr<fw::TBitmap> Frame() { return test::PaintedFrame(Handle()); }
    void ClickButton(int xFromRight, int releaseXFromRight = 0)
    {
        ClickCaptionButton(Handle(), xFromRight, releaseXFromRight);
    }

    fw::TOwnedPtr<TSkinData> data;
    fw::TOwnedPtr<fw::TForm> form;
    std::unique_ptr<test::TNotifySpy> spy;
    RECT nativeRect{};
    LONG_PTR nativeProc = 0;
    TSkinEngineScope engine;
};

TEST_F(FormWindowTest, ActivationSkinsTheFrameAndKeepsTheClientSize)
{
    TWinSkinForm* s = Skin(form.get());
    ASSERT_EQ(spy->notes.size(), 1u);
    EXPECT_EQ(spy->notes[0].WParam, 0u);
    EXPECT_EQ(spy->notes[0].LParam, SKIN_MARKER);
    EXPECT_EQ(s->FormState, fsActive);

    const SIZE client = ClientSize();
    EXPECT_EQ(client.cx, kClientW);
    EXPECT_EQ(client.cy, kClientH);
    const RECT r = WindowRect();
    EXPECT_EQ(r.right - r.left, kClientW + 2 * kBorder);
    EXPECT_EQ(r.bottom - r.top, kClientH + kCaption + kBorder);

    // The region cuts the rounded upper corners.
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    ASSERT_EQ(GetWindowRgn(Handle(), rgn), COMPLEXREGION);
    EXPECT_FALSE(PtInRegion(rgn, 0, 0));
    EXPECT_FALSE(PtInRegion(rgn, r.right - r.left - 1, 0));
    EXPECT_TRUE(PtInRegion(rgn, 300, 10));
    EXPECT_TRUE(PtInRegion(rgn, 0, 100));
    EXPECT_TRUE(PtInRegion(rgn, 0, r.bottom - r.top - 1));
    DeleteObject(rgn);

    // The is-skinned query answers 1 and brings one more notification.
    spy->notes.clear();
    EXPECT_EQ(SendMessageW(Handle(), WM_SKINQUERY, 0, 0), 1);
    EXPECT_TRUE(PumpUntil([&] { return !spy->notes.empty(); }));
    Pump();
    EXPECT_EQ(spy->notes.size(), 1u);
}

TEST_F(FormWindowTest, FramePixelsActiveAndInactive)
{
    Skin(form.get());
    TDataSkinBorder& top = *data->Skin().Top;
    TDataSkinBorder& left = *data->Skin().Left;
    const int w = WindowRect().right - WindowRect().left;
    // Above the caption text and buttons, in the stretched middle of the
    // Top piece; and the middle of the left border.
    const int x = w - 120, y = 2, ly = 150;
    auto active = Frame();
    EXPECT_EQ(PixelAt(active.get(), x, y), PixelAt(top.Image.get(), 24, y));
    EXPECT_EQ(PixelAt(active.get(), 1, ly), PixelAt(left.Image.get(), 1, 35));
    EXPECT_EQ(PixelAt(active.get(), 300, 100), 0x00FF00u);  // the client area is left alone
    // The close button's normal look at its centre.
    const TDataSkinSysButton* close = nullptr;
    for (auto& b : data->Skin().SysButtons)
        if (b->Action == 0) close = b.get();
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(PixelAt(active.get(), w - 36 + 15, 15), PixelAt(close->Image.get(), 15, 10));

    SendMessageW(Handle(), WM_NCACTIVATE, FALSE, 0);
    auto inactive = Frame();
    EXPECT_EQ(PixelAt(inactive.get(), x, y), PixelAt(top.Image.get(), 24, kCaption + y));
    EXPECT_EQ(PixelAt(inactive.get(), 1, ly), PixelAt(left.Image.get(), 4 + 1, 35));
    EXPECT_NE(PixelAt(inactive.get(), x, y), PixelAt(active.get(), x, y));
    EXPECT_EQ(PixelAt(inactive.get(), w - 36 + 15, 15), PixelAt(close->Image.get(), 90 + 15, 10));
    SendMessageW(Handle(), WM_NCACTIVATE, TRUE, 0);

    // Without the marker nothing is painted.
    auto b = test::Solid(w, 50, 0x00FF00);
    EXPECT_NE(SendMessageW(Handle(), WM_SKINPAINTBORDER,
                           reinterpret_cast<WPARAM>(b->Canvas()->Handle()), 0),
              SKIN_MARKER);
    EXPECT_EQ(PixelAt(b.get(), x, y), 0x00FF00u);
}

TEST_F(FormWindowTest, CaptionTextByAlignmentReadingOrderAndPopupStyle)
{
    TWinSkinForm* s = Skin(form.get());
    form->SetCaption("Caption placed");
    TDataSkinTitle& title = *data->Skin().Title;
    const int shift = title.LeftWidth, clip = title.RightWidth;
    const int w = WindowRect().right - WindowRect().left;
    const RECT r{kBorder, 0, w - kBorder, kCaption};  // the caption strip
    const int rw = r.right - r.left;
    const DWORD style = s->WindowStyle;
    // Where the text lies, from the text width and the width the right
    // caption buttons take.
    struct Case {
        int alignment;
        bool rtl, popup;
        std::function<void(const RECT& t, int tw, int buttons)> check;
    } const cases[] = {
        {1, false, false,
         [&](const RECT& t, int tw, int) { EXPECT_EQ(t.left, r.left + (rw - tw) / 2); }},
        {2, false, false, [&](const RECT& t, int, int) { EXPECT_EQ(t.right, r.right - clip); }},
        // A popup keeps the text off the buttons instead of the clip.
        {2, false, true,
         [&](const RECT& t, int, int buttons) {
             ASSERT_GT(buttons, 5);
             EXPECT_EQ(t.right, std::min(r.right - clip, r.right - buttons - 5));
         }},
        // Right to left: the text ends at the buttons, centres between the
        // left border and them, or starts at the shift; then 10 further
        // right, popup or not.
        {0, true, false,
         [&](const RECT& t, int, int buttons) { EXPECT_EQ(t.right, r.right - buttons + 10); }},
        {0, true, true,
         [&](const RECT& t, int, int buttons) { EXPECT_EQ(t.right, r.right - buttons + 10); }},
        {1, true, false,
         [&](const RECT& t, int tw, int buttons) {
             EXPECT_EQ(t.left, r.left + (rw - tw - buttons) / 2 + 10);
         }},
        {2, true, false, [&](const RECT& t, int, int) { EXPECT_EQ(t.left, r.left + shift + 10); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.alignment << (c.rtl ? " rtl" : "") << (c.popup ? " popup" : ""));
        title.TextAlignment = c.alignment;
        s->RightToLeft = c.rtl;
        // The strip without text, to tell the text's pixels from the
        // strip's; a new caption repaints the frame, which reads the style
        // again.
        form->SetCaption("");
        s->WindowStyle = c.popup ? style | WS_POPUP : style & ~DWORD(WS_POPUP);
        auto empty = Frame();
        form->SetCaption("Caption placed");
        s->WindowStyle = c.popup ? style | WS_POPUP : style & ~DWORD(WS_POPUP);
        auto texted = Frame();
        const RECT t = s->CaptionTextRect;
        const int tw = t.right - t.left;
        c.check(t, tw, s->RightButtonsWidth);
        // Every pixel the text changed lies in its rectangle.
        int inside = 0, outside = 0;
        for (int y = 0; y < kCaption; ++y)
            for (int x = 0; x < w; ++x)
                if (PixelAt(texted.get(), x, y) != PixelAt(empty.get(), x, y))
                    ++(x >= t.left && x < t.right ? inside : outside);
        EXPECT_GT(inside, 0);
        EXPECT_EQ(outside, 0);
    }
    title.TextAlignment = 0;
    s->RightToLeft = false;
    s->WindowStyle = style;
}

// The caption text's exact place, centred and right-aligned, for a text
// that fits the strip and one too long for it, with text margins and a
// vertical shift: the rectangle laid out step by step from the strip, the
// text's size, the shifts and the right clip, and every pixel of the text
// as the same text drawn there gives it.
TEST_F(FormWindowTest, CaptionTextPlacedExactlyByAlignmentFittingAndClipped)
{
    TWinSkinForm* s = Skin(form.get());
    TDataSkinTitle& title = *data->Skin().Title;
    title.Image->Assign(nullptr);  // no text background: only the text's pixels change
    title.TopHeight = 5;           // the vertical shift, halved
    const int shiftVert = title.TopHeight, clip = title.RightWidth;
    const int w = WindowRect().right - WindowRect().left;
    const RECT r{kBorder, 0, w - kBorder, kCaption};  // the caption strip
    const int rw = r.right - r.left, rh = r.bottom - r.top;
    ASSERT_EQ(clip, 100);

    HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ oldFont = SelectObject(dc, s->CaptionFont()->Handle());
    const auto textRect = [&](const std::wstring& text) {
        RECT t = r;
        DrawTextW(dc, text.c_str(), int(text.size()), &t, DT_CALCRECT | DT_NOPREFIX | DT_NOCLIP);
        return t;
    };
    const auto framed = [](const std::string& caption) {
        return L"  " + std::wstring(caption.begin(), caption.end()) + L" ";
    };
    std::string longCaption;
    for (int i = 0; i < 12; ++i) longCaption += "A caption too long ";
    // Text margins of 6 and 9 or 10, which leave the long text's centring
    // an odd negative number to halve: it is cut toward zero.
    const RECT longRect = textRect(framed(longCaption));
    title.TXTBackleft = 6;
    title.TXTBackRight = (rw - (longRect.right - longRect.left) - 6 - 9) % 2 ? 9 : 10;
    // The pixels of the strip the caption buttons leave to the text.
    auto underButton = [&](int x, int y) {
        for (auto& b : s->SysButtons)
            if (b->Visible && PtInRect(&b->Rect, POINT{x, y})) return true;
        return false;
    };
    // The first and last column where a differs from b in the strip.
    auto inkColumns = [&](fw::TBitmap* a, fw::TBitmap* b) {
        std::pair<int, int> ink{w, -1};
        for (int y = 0; y < kCaption; ++y)
            for (int x = 0; x < w; ++x)
                if (!underButton(x, y) && PixelAt(a, x, y) != PixelAt(b, x, y))
                    ink = {std::min(ink.first, x), std::max(ink.second, x)};
        return ink;
    };

    form->SetCaption("");
    auto empty = Frame();
    for (const int alignment : {1, 2}) {
        for (const std::string& caption : {std::string("Caption placed"), longCaption}) {
            SCOPED_TRACE(testing::Message()
                         << "alignment " << alignment << ", " << caption.size() << " characters");
            title.TextAlignment = alignment;
            form->SetCaption(caption);
            auto texted = Frame();

            // The text's size, widened by the margins.
            const std::wstring text = framed(caption);
            RECT t = textRect(text);
            const int th = t.bottom - t.top;
            t.right += title.TXTBackleft + title.TXTBackRight;
            const int tw = t.right - t.left;
            if (caption == longCaption) {
                ASSERT_GT(tw, rw);
            }
            // Centred in the strip, or ending the right clip from its right;
            // then moved down to the middle and half the vertical shift;
            // then cut at the right clip.
            const int dx = alignment == 1 ? (rw - tw) / 2 : rw - clip - tw;
            OffsetRect(&t, dx, (rh - th) / 2 + shiftVert / 2);
            t.right = std::min<LONG>(t.right, r.right - clip);
            EXPECT_EQ(s->CaptionTextRect.left, t.left);
            EXPECT_EQ(s->CaptionTextRect.top, t.top);
            EXPECT_EQ(s->CaptionTextRect.right, t.right);
            EXPECT_EQ(s->CaptionTextRect.bottom, t.bottom);

            // The text drawn between the margins, over the strip without it.
            fw::TBitmap expected;
            expected.Assign(empty.get());
            HDC edc = expected.Canvas()->Handle();
            const HGDIOBJ previous = SelectObject(edc, s->CaptionFont()->Handle());
            SetBkMode(edc, TRANSPARENT);
            SetTextColor(edc, fw::ColorToRGB(
                                  data->Skin().Colour(s->Active ? TColourSlot::TitleTextActive
                                                                : TColourSlot::TitleTextNoActive)));
            RECT drawn{t.left + title.TXTBackleft, t.top, t.right - title.TXTBackRight, t.bottom};
            DrawTextW(edc, text.c_str(), int(text.size()), &drawn,
                      DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
            SelectObject(edc, previous);
            GdiFlush();
            const auto ink = inkColumns(texted.get(), empty.get());
            const auto expectedInk = inkColumns(&expected, empty.get());
            ASSERT_GE(expectedInk.second, 0);
            EXPECT_EQ(ink.first, expectedInk.first);
            EXPECT_EQ(ink.second, expectedInk.second);
            EXPECT_LT(ink.second, r.right - clip - title.TXTBackRight);
            EXPECT_EQ(inkColumns(texted.get(), &expected).second, -1) << "a pixel differs";
        }
    }
    SelectObject(dc, oldFont);
    DeleteDC(dc);
}

TEST_F(FormWindowTest, TheRegionKeepsEachBorderPieceWhoseTransIsNotOne)
{
    TWinSkinForm* s = Skin(form.get());
    TSkinContent& skin = data->Skin();
    // The outer line of each piece's first frame (the active window's)
    // magenta: left and right pieces have their frames side by side, top
    // and bottom pieces one under the other.
    TDataSkinBorder* pieces[] = {skin.Left.get(), skin.Right.get(), skin.Top.get(),
                                 skin.Bottom.get()};
    for (int i = 0; i < 4; ++i) {
        fw::TBitmap* image = pieces[i]->Image.get();
        HDC dc = image->Canvas()->Handle();
        const int f = std::max(pieces[i]->Frame, 1);
        const int iw = image->Width(), ih = image->Height();
        for (int k = 0; k < (i < 2 ? ih : iw); ++k) {
            const int x = i == 0 ? 0 : i == 1 ? iw / f - 1 : k;
            const int y = i < 2 ? k : i == 2 ? 0 : ih / f - 1;
            SetPixelV(dc, x, y, RGB(255, 0, 255));
        }
    }
    // Changed images, as a changed skin brings: the pieces are built anew.
    s->CreateSysButtons();
    const RECT wr = WindowRect();
    const int w = wr.right - wr.left, h = wr.bottom - wr.top;
    const POINT probes[] = {{0, h / 2}, {w - 1, h / 2}, {w / 2, 0}, {w / 2, h - 1}};
    struct Case {
        int trans[4];  // left, right, top, bottom
    } const cases[] = {
        {{0, 0, 0, 0}}, {{1, 0, 0, 0}}, {{0, 1, 0, 0}}, {{0, 0, 1, 0}},
        {{0, 0, 0, 1}}, {{2, 0, 0, 0}}, {{1, 1, 1, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.trans[0] << c.trans[1] << c.trans[2] << c.trans[3]);
        for (int i = 0; i < 4; ++i) pieces[i]->Trans = c.trans[i];
        s->RegionSet = false;
        s->UpdateWindowRegion();
        HRGN rgn = CreateRectRgn(0, 0, 0, 0);
        const int kind = GetWindowRgn(Handle(), rgn);
        // Only a piece whose Trans is 1 is cut from its image.
        const bool cut = std::count(std::begin(c.trans), std::end(c.trans), 1) > 0;
        EXPECT_EQ(kind, cut ? COMPLEXREGION : SIMPLEREGION);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(PtInRegion(rgn, probes[i].x, probes[i].y) != FALSE, c.trans[i] != 1) << i;
        EXPECT_TRUE(PtInRegion(rgn, w / 2, h / 2));
        DeleteObject(rgn);
    }
}

TEST_F(FormWindowTest, AButtonLeftAfterAPressShowsItsRestingLookAgain)
{
    TWinSkinForm* s = Skin(form.get());
    const int w = WindowRect().right - WindowRect().left;
    TWinSysButton* minimise = nullptr;
    for (auto& b : s->SysButtons)
        if (b->SkinButton->Action == 2 && b->Visible) minimise = b.get();
    ASSERT_NE(minimise, nullptr);
    minimise->ButtonDown();  // pressed look drawn on the window
    minimise->HoverLeave();  // normal look drawn over it
    const RECT r = minimise->Rect;
    HDC dc = GetWindowDC(Handle());
    auto onScreen = test::Solid(r.right - r.left, r.bottom - r.top, 0);
    BitBlt(onScreen->Canvas()->Handle(), 0, 0, r.right - r.left, r.bottom - r.top, dc, r.left,
           r.top, SRCCOPY);
    ReleaseDC(Handle(), dc);
    auto resting = Frame();
    ASSERT_EQ(r.right, w - 100 + 30);
    for (int y = 0; y < r.bottom - r.top; ++y)
        for (int x = 0; x < r.right - r.left; ++x)
            ASSERT_EQ(PixelAt(onScreen.get(), x, y), PixelAt(resting.get(), r.left + x, r.top + y))
                << x << "," << y;
}

// Counts the popup menus that open and closes each.
int g_menus = 0;
void CALLBACK CloseMenus(HWND, UINT, UINT_PTR, DWORD)
{
    HWND menu = FindWindowW(L"#32768", nullptr);
    if (menu && IsWindowVisible(menu)) {
        ++g_menus;
        EndMenu();
    }
}

TEST_F(FormWindowTest, RightClickOnTheCaptionShowsOneSystemMenu)
{
    Skin(form.get());
    const RECT r = WindowRect();
    g_menus = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, CloseMenus);
    const LPARAM at = MAKELPARAM(r.left + 200, r.top + 15);
    SendMessageW(Handle(), WM_NCRBUTTONDOWN, HTCAPTION, at);
    Pump(300);
    SendMessageW(Handle(), WM_NCRBUTTONUP, HTCAPTION, at);
    Pump(300);
    KillTimer(nullptr, timer);
    EXPECT_EQ(g_menus, 1);
}

TEST_F(FormWindowTest, HitTestCaptionAndBorders)
{
    Skin(form.get());
    const RECT r = WindowRect();
    auto hit = [&](int x, int y) {
        return SendMessageW(Handle(), WM_NCHITTEST, 0, MAKELPARAM(r.left + x, r.top + y));
    };
    EXPECT_EQ(hit(200, 15), HTCAPTION);
    EXPECT_EQ(hit(200, 100), HTCLIENT);
    const LRESULT bottom = hit(200, r.bottom - r.top - 2);
    EXPECT_NE(bottom, HTCAPTION);
    EXPECT_NE(bottom, HTMENU);
}

TEST_F(FormWindowTest, CaptionButtonsMaximiseRestoreMinimiseAndClose)
{
    Skin(form.get());
    ClickButton(68);
    EXPECT_TRUE(PumpUntil([&] { return IsZoomed(Handle()) != FALSE; }));
    Pump();
    ClickButton(68);  // the restore button now
    EXPECT_TRUE(PumpUntil([&] { return !IsZoomed(Handle()); }));
    Pump();
    ClickButton(100);
    EXPECT_TRUE(PumpUntil([&] { return IsIconic(Handle()) != FALSE; }));
    Pump();
    SendMessageW(Handle(), WM_SKINREPAINT, 0, 0);  // lays the buttons out on the minimised frame
    ClickButton(100);
    EXPECT_TRUE(PumpUntil([&] { return !IsIconic(Handle()); }));
    Pump();
    EXPECT_EQ(ClientSize().cx, kClientW);
    EXPECT_EQ(ClientSize().cy, kClientH);

    // Pressed on minimise, released on close: nothing happens.
    ClickButton(100, 36);
    Pump(200);
    EXPECT_TRUE(IsWindowVisible(Handle()));
    EXPECT_FALSE(IsIconic(Handle()));

    // A close item greyed in the system menu disables the close button.
    HMENU menu = GetSystemMenu(Handle(), FALSE);
    ASSERT_NE(menu, nullptr);
    EnableMenuItem(menu, SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    SendMessageW(Handle(), WM_SKINREPAINT, 0, 0);
    ClickButton(36);
    Pump(200);
    EXPECT_TRUE(IsWindowVisible(Handle()));
    EnableMenuItem(menu, SC_CLOSE, MF_BYCOMMAND | MF_ENABLED);
    SendMessageW(Handle(), WM_SKINREPAINT, 0, 0);
    ClickButton(36);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(Handle()); }));
}

TEST_F(FormWindowTest, BeforeActivationNothingIsPaintedAndDeactivationGoesOn)
{
    auto* s = new TWinSkinForm(form.get());
    s->WindowHandle = Handle();
    s->ClassName = "TForm";
    s->InitSkinForm(data.get(), form.get());
    ASSERT_EQ(s->FormState, fsInstalled);
    EXPECT_EQ(SendMessageW(Handle(), WM_NCACTIVATE, FALSE, 0), TRUE);
    EXPECT_EQ(SendMessageW(Handle(), WM_NCPAINT, 1, 0), 0);
    // Not activated: the frame is not painted into a DC either.
    auto b = test::Solid(50, 50, 0x00FF00);
    SendMessageW(Handle(), WM_SKINPAINTBORDER, reinterpret_cast<WPARAM>(b->Canvas()->Handle()),
                 SKIN_MARKER);
    EXPECT_EQ(PixelAt(b.get(), 20, 10), 0x00FF00u);
}

TEST_F(FormWindowTest, SystemCommandsAndDoubleClicks)
{
    TWinSkinForm* s = Skin(form.get());
    const RECT r = WindowRect();
    // A double click on the bottom border neither maximises nor restores.
    SendMessageW(Handle(), WM_NCLBUTTONDBLCLK, HTBOTTOM, MAKELPARAM(r.left + 200, r.bottom - 2));
    Pump(200);
    EXPECT_FALSE(IsZoomed(Handle()));
    SendMessageW(Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(r.left + 200, r.top + 15));
    EXPECT_TRUE(PumpUntil([&] { return IsZoomed(Handle()) != FALSE; }));
    EXPECT_EQ(s->WindowState, wsMaximized);
    // The low four bits of a system command carry other things (the hit
    // area of a caption double click).
    SendMessageW(Handle(), WM_SYSCOMMAND, SC_RESTORE | HTCAPTION, 0);
    EXPECT_EQ(s->WindowState, wsNormal);
    EXPECT_FALSE(IsZoomed(Handle()));
}

TEST_F(FormWindowTest, LostCaptureEndsAPress)
{
    TWinSkinForm* s = Skin(form.get());
    const RECT r = WindowRect();
    const LPARAM at = MAKELPARAM(r.right - 100 + 15, r.top + 15);
    SendMessageW(Handle(), WM_NCLBUTTONDOWN, HTCAPTION, at);
    ASSERT_NE(s->HotObject, nullptr);
    EXPECT_EQ(s->HotObject->State, nsPressed);
    SendMessageW(Handle(), WM_CAPTURECHANGED, 0, 0);
    EXPECT_EQ(s->HotObject, nullptr);
    SendMessageW(Handle(), WM_NCLBUTTONUP, HTCAPTION, at);
    Pump(200);
    EXPECT_FALSE(IsIconic(Handle()));
}

TEST_F(FormWindowTest, ChildControlsGetSkinners)
{
    auto* button = new fw::TButton(form.get());
    button->SetParent(form.get());
    button->SetBounds(10, 10, 80, 24);
    auto* memo = new fw::TMemo(form.get());
    auto* label = new fw::TLabel(form.get());
    // The list kinds scroll whatever their styles say now, as a memo does.
    auto* view = new test::TListViewProbe(form.get());
    auto* box = new test::TListBoxProbe(form.get());
    box->SetParent(form.get());
    box->HandleNeeded();
    ASSERT_EQ(GetWindowLongPtrW(box->Handle(), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL), 0);
    EXPECT_TRUE(NeedsScrollbars(memo));
    EXPECT_TRUE(NeedsScrollbars(view));
    EXPECT_TRUE(NeedsScrollbars(box));
    EXPECT_FALSE(NeedsScrollbars(button));
    EXPECT_FALSE(NeedsScrollbars(label));
    TWinSkinForm* s = Skin(form.get());
    EXPECT_NE(s->Controls().FindByControl(button), nullptr);
    // Unhooking frees them.
    s->UnhookWindow();
    EXPECT_TRUE(s->Controls().SkinControls().empty());
}

TEST_F(FormWindowTest, SystemMenuStyleWrittenOnlyWhenItChanges)
{
    Skin(form.get());
    SendMessageW(Handle(), WM_NCPAINT, 1, 0);
    EXPECT_EQ(GetWindowLongPtrW(Handle(), GWL_STYLE) & WS_SYSMENU, 0);
    spy->styleChanges = 0;
    for (int i = 0; i < 3; ++i) SendMessageW(Handle(), WM_NCPAINT, 1, 0);
    EXPECT_EQ(spy->styleChanges, 0);
}

TEST_F(FormWindowTest, WithoutSystemMenuNoCloseButtonAndBoxesDisabled)
{
    form->SetBorderIcons(fw::TBorderIcons{});
    Pump();
    ASSERT_EQ(GetWindowLongPtrW(Handle(), GWL_STYLE) & WS_SYSMENU, 0);
    TWinSkinForm* s = Skin(form.get());
    SendMessageW(Handle(), WM_SKINREPAINT, 0, 0);
    int buttons = 0;
    for (auto& b : s->SysButtons) {
        switch (b->SkinButton->Action) {
        case 0:
            EXPECT_FALSE(b->Visible);
            ++buttons;
            break;
        case 1:
        case 2:
            EXPECT_FALSE(b->Enabled);
            ++buttons;
            break;
        default: break;
        }
    }
    EXPECT_GE(buttons, 3);
}

TEST_F(FormWindowTest, SkinUpdateAppliesTheSkinAgain)
{
    TWinSkinForm* s = Skin(form.get());
    const RECT before = WindowRect();
    spy->notes.clear();
    SendMessageW(Handle(), WM_SKINUPDATE, 0, 0);
    EXPECT_EQ(spy->notes.size(), 1u);
    EXPECT_EQ(s->FormState, fsActive);
    const RECT after = WindowRect();
    EXPECT_TRUE(EqualRect(&before, &after));
    EXPECT_EQ(ClientSize().cx, kClientW);
    EXPECT_EQ(ClientSize().cy, kClientH);
}

TEST_F(FormWindowTest, RecreatedControlGetsANewScrollbarSkinner)
{
    auto* memo = new fw::TMemo(form.get());
    memo->SetParent(form.get());
    memo->SetBounds(10, 40, 200, 100);
    memo->SetScrollBars(fw::ssBoth);
    auto* gone = new fw::TMemo(form.get());
    gone->SetParent(form.get());
    gone->SetBounds(220, 40, 200, 100);
    gone->SetScrollBars(fw::ssBoth);
    TWinSkinForm* s = Skin(form.get());
    TSkinControl* first = s->Controls().FindByControl(memo);
    ASSERT_NE(first, nullptr);
    const HWND oldWindow = memo->Handle();
    ASSERT_NE(s->Controls().FindByControl(gone), nullptr);

    memo->RecreateWnd();
    // The other memo is made again and freed before the posted message
    // arrives.
    gone->RecreateWnd();
    gone->Free();
    Pump(200);
    TSkinControl* again = s->Controls().FindByControl(memo);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->Handle, memo->Handle());
    EXPECT_NE(again->Handle, oldWindow);
    EXPECT_EQ(s->Controls().FindByHandle(oldWindow), nullptr);
    for (TSkinControl* c : s->Controls().SkinControls()) EXPECT_NE(c->Control, gone);
}

TEST_F(FormWindowTest, RecreatedListViewGetsItsHeaderSkinnedAgain)
{
    auto* view = new test::TListViewProbe(form.get());
    view->SetParent(form.get());
    view->SetBounds(10, 40, 200, 100);
    TWinSkinForm* s = Skin(form.get());
    auto* first = dynamic_cast<TSkinListView*>(s->Controls().FindByControl(view));
    ASSERT_NE(first, nullptr);
    ASSERT_NE(first->Header, nullptr);
    const auto headers = [&] {
        return std::count_if(
            s->Controls().SkinControls().begin(), s->Controls().SkinControls().end(),
            [](TSkinControl* c) { return dynamic_cast<TSkinHeader*>(c) != nullptr; });
    };
    ASSERT_EQ(headers(), 1);

    view->RecreateWnd();
    Pump(200);
    auto* again = dynamic_cast<TSkinListView*>(s->Controls().FindByControl(view));
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->Handle, view->Handle());
    const auto header = reinterpret_cast<HWND>(SendMessageW(view->Handle(), LVM_GETHEADER, 0, 0));
    ASSERT_NE(header, nullptr);
    ASSERT_NE(again->Header, nullptr);
    EXPECT_EQ(again->Header->Handle, header);
    EXPECT_EQ(s->Controls().FindByHandle(header), again->Header);
    EXPECT_EQ(SendMessageW(header, WM_SKINQUERY, 0, 0), 1);
    // The old header's skinner went with the old window.
    EXPECT_EQ(headers(), 1);
}

TEST_F(FormWindowTest, RecreatedSingleBarControlKeepsItsOwnBorder)
{
    // A control the Skin3rd lines make a single scroll bar keeps its own
    // border (the skinner draws none), and so it does on its new window.
    data->Skin3rd()->Add("TMemo=singlescrollbar");
    auto* memo = new fw::TMemo(form.get());
    memo->SetParent(form.get());
    memo->SetBounds(10, 40, 200, 100);
    memo->SetScrollBars(fw::ssBoth);
    TWinSkinForm* s = Skin(form.get());
    auto* first = dynamic_cast<TSkinScrollbar*>(s->Controls().FindByControl(memo));
    ASSERT_NE(first, nullptr);
    ASSERT_TRUE(first->SingleBar);
    EXPECT_FALSE(first->FlatBorder);

    memo->RecreateWnd();
    Pump(200);
    auto* again = dynamic_cast<TSkinScrollbar*>(s->Controls().FindByControl(memo));
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->Handle, memo->Handle());
    EXPECT_TRUE(again->SingleBar);
    EXPECT_FALSE(again->FlatBorder);
}

TEST_F(FormWindowTest, UnhookLeavesTheWindowAsItWasAndSkinsAgain)
{
    TWinSkinForm* s = Skin(form.get());
    ASSERT_NE(GetWindowLongPtrW(Handle(), GWLP_WNDPROC), nativeProc);
    s->UnhookWindow();
    s->Free();
    Pump();
    const RECT r = WindowRect();
    EXPECT_EQ(r.right - r.left, nativeRect.right - nativeRect.left);
    EXPECT_EQ(r.bottom - r.top, nativeRect.bottom - nativeRect.top);
    EXPECT_EQ(ClientSize().cx, kClientW);
    EXPECT_EQ(ClientSize().cy, kClientH);
    EXPECT_EQ(GetWindowLongPtrW(Handle(), GWLP_WNDPROC), nativeProc);
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(Handle(), rgn), ERROR);  // no region
    DeleteObject(rgn);
    EXPECT_EQ(SendMessageW(Handle(), WM_SKINQUERY, 0, 0), 0);
    EXPECT_NE(GetWindowLongPtrW(Handle(), GWL_STYLE) & WS_SYSMENU, 0);

    // Skinned again, as a reload does.
    Skin(form.get());
    EXPECT_EQ(ClientSize().cx, kClientW);
    EXPECT_EQ(SendMessageW(Handle(), WM_SKINQUERY, 0, 0), 1);
}

TEST_F(FormWindowTest, FreedSkinnerUnhooksAndDestroyedWindowIsLeftAlone)
{
    // Freed while the window lives: the window procedure is its own again.
    TWinSkinForm* s = Skin(nullptr);
    s->Free();
    EXPECT_EQ(GetWindowLongPtrW(Handle(), GWLP_WNDPROC), nativeProc);
    EXPECT_EQ(SendMessageW(Handle(), WM_SKINQUERY, 0, 0), 0);

    // Destroyed while skinned: state 6, nothing of the skinner left on the
    // window when the old procedure sees WM_NCDESTROY, and freeing it
    // later touches nothing.
    s = Skin(nullptr);
    form.reset();
    EXPECT_EQ(s->FormState, fsDestroyed);
    EXPECT_FALSE(s->Hooked());
    s->Free();
}

// A dialog template in memory: a narrow "#32770" box with a long caption
// and three buttons.
std::vector<WORD> NarrowDialogTemplate(const std::wstring& caption)
{
    std::vector<WORD> t;
    auto dword = [&](DWORD v) {
        t.push_back(LOWORD(v));
        t.push_back(HIWORD(v));
    };
    auto text = [&](const std::wstring& s) {
        for (wchar_t c : s) t.push_back(WORD(c));
        t.push_back(0);
    };
    auto align = [&] {
        if (t.size() % 2) t.push_back(0);
    };
    dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME);
    dword(0);
    t.push_back(3);  // items
    t.push_back(10);
    t.push_back(10);
    t.push_back(60);
    t.push_back(40);
    t.push_back(0);  // no menu
    t.push_back(0);  // dialog class
    text(caption);
    for (int i = 0; i < 3; ++i) {
        align();
        dword(WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON);
        dword(0);
        t.push_back(WORD(4 + 18 * i));
        t.push_back(10);
        t.push_back(16);
        t.push_back(14);
        t.push_back(WORD(100 + i));
        t.push_back(0xFFFF);
        t.push_back(0x0080);  // button
        text(L"B");
        t.push_back(0);  // no creation data
    }
    return t;
}

INT_PTR CALLBACK DialogProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

TEST_F(FormWindowTest, NarrowDialogWidensToItsCaptionKeepingTheTabOrder)
{
    const std::wstring caption = L"A caption far wider than this small dialog box";
    std::vector<WORD> tmpl = NarrowDialogTemplate(caption);
    HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                             reinterpret_cast<LPCDLGTEMPLATEW>(tmpl.data()),
                                             nullptr, DialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    ShowWindow(dialog, SW_SHOW);
    Pump();
    std::vector<HWND> before;
    std::vector<LONG> lefts;
    for (HWND c = GetTopWindow(dialog); c; c = GetWindow(c, GW_HWNDNEXT)) {
        before.push_back(c);
        RECT r;
        GetWindowRect(c, &r);
        POINT at{r.left, r.top};
        ScreenToClient(dialog, &at);
        lefts.push_back(at.x);
    }
    ASSERT_EQ(before.size(), 3u);
    RECT client;
    GetClientRect(dialog, &client);

    fw::TOwnedPtr<TWinSkinForm> s(new TWinSkinForm(nullptr));
    s->WindowHandle = dialog;
    s->ClassName = "#32770";
    s->AttachWindow(data.get());
    PostMessageW(dialog, WM_SKINACTIVATE, 0, 1000);
    ASSERT_TRUE(PumpUntil([&] { return s->FormState == fsActive; }));
    EXPECT_EQ(s->BorderKind, bkDialog);

    HDC dc = GetDC(dialog);
    HGDIOBJ old = SelectObject(dc, data->CaptionFont()->Handle());
    SIZE extent{};
    GetTextExtentPoint32W(dc, caption.c_str(), int(caption.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(dialog, dc);
    const TDataSkinTitle& title = *data->Skin().Title;
    const int needed = title.LeftWidth + extent.cx + title.RightWidth;
    const int width = client.right + 2 * kBorder;
    ASSERT_GT(needed, width);
    RECT r;
    GetWindowRect(dialog, &r);
    EXPECT_EQ(r.right - r.left, needed);

    // A dialog's text starts 16 pixels further left, but never on the
    // border.
    const int shift = title.LeftWidth;
    EXPECT_EQ(s->CaptionTextRect.left, kBorder + shift - 16);
    data->Skin().Title->LeftWidth = 0;
    SendMessageW(dialog, WM_SKINREPAINT, 0, 0);
    EXPECT_EQ(s->CaptionTextRect.left, kBorder);
    data->Skin().Title->LeftWidth = shift;

    std::vector<HWND> after;
    for (HWND c = GetTopWindow(dialog); c; c = GetWindow(c, GW_HWNDNEXT)) after.push_back(c);
    EXPECT_EQ(after, before);  // the tab order is kept
    for (size_t i = 0; i < before.size(); ++i) {
        RECT c;
        GetWindowRect(before[i], &c);
        POINT at{c.left, c.top};
        ScreenToClient(dialog, &at);
        EXPECT_EQ(at.x - lefts[i], (needed - width) / 2) << i;  // half the widening
    }
    s.reset();
    DestroyWindow(dialog);
}

// Skins the first message box activated while it lives, as the manager's
// hook does.
class TBoxSkinner {
public:
    explicit TBoxSkinner(TSkinData* data) : data_(data)
    {
        current_ = this;
        hook_ = SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId());
    }
    ~TBoxSkinner()
    {
        UnhookWindowsHookEx(hook_);
        current_ = nullptr;
    }
    TBoxSkinner(const TBoxSkinner&) = delete;
    TBoxSkinner& operator=(const TBoxSkinner&) = delete;

    fw::TOwnedPtr<TWinSkinForm> skinner;
    HWND box = nullptr;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HCBT_ACTIVATE && current_ && !current_->box) {
            auto window = reinterpret_cast<HWND>(wParam);
            char name[16] = {};
            GetClassNameA(window, name, sizeof name);
            if (std::string(name) == "#32770") {
                current_->box = window;
                current_->skinner.reset(new TWinSkinForm(nullptr));
                current_->skinner->WindowHandle = window;
                current_->skinner->ClassName = name;
                current_->skinner->AttachWindow(current_->data_);
                PostMessageW(window, WM_SKINACTIVATE, 0, 1000);
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline TBoxSkinner* current_ = nullptr;
    TSkinData* data_;
    HHOOK hook_ = nullptr;
};

TEST_F(FormWindowTest, MessageBoxSkinnedAndClosedByOK)
{
    TBoxSkinner boxes(data.get());
    LRESULT skinned = -1;
    SIZE client{};
    bool region = false;
    // Once the box is skinned, look at it and press its OK button.
    int result = 0;
    {
        struct TState {
            TBoxSkinner* boxes;
            LRESULT* skinned;
            SIZE* client;
            bool* region;
        };
        static TState* state = nullptr;
        TState local{&boxes, &skinned, &client, &region};
        state = &local;
        const UINT_PTR check = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
            TBoxSkinner* b = state->boxes;
            if (!b->box || !b->skinner || b->skinner->FormState != fsActive) return;
            KillTimer(nullptr, id);
            *state->skinned = SendMessageW(b->box, WM_SKINQUERY, 0, 0);
            RECT r;
            GetClientRect(b->box, &r);
            *state->client = SIZE{r.right, r.bottom};
            HRGN rgn = CreateRectRgn(0, 0, 0, 0);
            *state->region = GetWindowRgn(b->box, rgn) == COMPLEXREGION;
            DeleteObject(rgn);
            SendMessageW(GetDlgItem(b->box, IDOK), BM_CLICK, 0, 0);
        });
        result = MessageBoxW(Handle(), L"Skinned box", L"signs", MB_OK);
        KillTimer(nullptr, check);
        state = nullptr;
    }
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(skinned, 1);
    EXPECT_TRUE(region);
    EXPECT_GT(client.cx, 0);
    ASSERT_NE(boxes.skinner, nullptr);
    EXPECT_EQ(boxes.skinner->FormState, fsDestroyed);
    EXPECT_EQ(boxes.skinner->BorderKind, bkDialog);
}

}  // namespace
}  // namespace skin
