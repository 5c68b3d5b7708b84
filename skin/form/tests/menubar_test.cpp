// The skinned menu bar on a form with a framework main menu, skinned with
// the default skin: the bar in place of the native one (client size kept),
// its layout, pixels, hit test, opening entries by click, accelerator and
// WM_SKINMENUOPEN, moving between entries while a popup is open (Left and
// Right changing places in a right-to-left popup), dialog characters not
// the bar's going on to the main form, the bar reloaded when the menu
// changes, and the native menu given back; a window of another library
// with a native menu, whose items draw themselves again once unskinned
// however the program changed the menu meanwhile.
#include <gtest/gtest.h>

#include <cctype>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "framework/application.h"
#include "framework/forms.h"
#include "framework/menus.h"
#include "skin/data/skindata.h"
#include "skin/draw/skindraw.h"
#include "skin/engine/skinunit.h"
#include "skin/form/menubar.h"
#include "skin/form/tests/menudriver.h"
#include "skin/form/tests/skinnedwindow.h"
#include "skin/form/winskinform.h"
#include "skin/tests/pixels.h"

namespace skin {
namespace {

using fw::TColor;
using test::PixelAt;
using test::Pump;
using test::PumpUntil;
using test::SaveShot;
using test::TMenuDriver;

constexpr int kClientW = 500, kClientH = 260;

constexpr int kBorder = 4, kCaption = 30;

// Whether the item at the position of the menu is owner-drawn.
bool OwnerDrawn(HMENU items, UINT position)
{
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_FTYPE;
    EXPECT_TRUE(GetMenuItemInfoW(items, position, TRUE, &mii)) << position;
    return (mii.fType & MFT_OWNERDRAW) != 0;
}

// Counts an item's clicks.
struct TClicks : fw::TObject {
    void Click(fw::TObject*) { ++count; }
    int count = 0;
};

class MenuBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        data.reset(test::NewDefaultSkinData());
        ASSERT_FALSE(data->NoSkin());
        form.reset(new fw::TForm(nullptr));
        form->SetCaption("Menus");
        form->SetBounds(100, 60, 300, 200);
        menu = new fw::TMainMenu(form.get());
        file = Item(menu->Items(), "&File");
        Item(file, "&Open");
        Item(file, "E&xit");
        edit = Item(menu->Items(), "&Edit");
        Item(edit, "Cu&t");
        view = Item(menu->Items(), "&View");
        zoom = Item(view, "&Zoom");
        Item(zoom, "&In");
        Item(view, "&Status");
        help = Item(menu->Items(), "&Help");
        help->OnClick = fw::TNotifyEvent(&helpClicks, &TClicks::Click);
        form->SetMenu(menu);
        form->SetClientSize(kClientW, kClientH);
        spy = std::make_unique<test::TNotifySpy>();
        spy->Hook(form.get());
        form->Show();
        Pump();
    }
    void TearDown() override
    {
        form.reset();
        data.reset();
    }
    fw::TMenuItem* Item(fw::TMenuItem* parent, const char* caption)
    {
        return test::AddMenuItem(form.get(), parent, caption);
    }
    HWND Handle() { return form->Handle(); }
    // A window of a class of this test's own, shown, with a client of
    // 320 x 180 under the menu.
    static HWND RawWindow(HMENU bar)
    {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"MenuBarTestRaw";
        RegisterClassW(&wc);
        RECT r{0, 0, 320, 180};
        AdjustWindowRect(&r, WS_OVERLAPPEDWINDOW, TRUE);
        HWND raw = CreateWindowExW(0, L"MenuBarTestRaw", L"Raw", WS_OVERLAPPEDWINDOW, 200, 120,
                                   r.right - r.left, r.bottom - r.top, nullptr, bar,
                                   GetModuleHandleW(nullptr), nullptr);
        if (!raw) return nullptr;
        ShowWindow(raw, SW_SHOW);
        Pump();
        return raw;
    }
    // Skins the window as the manager does a foreign one; once active.
    TWinSkinForm* SkinRaw(HWND raw)
    {
        auto* s = new TWinSkinForm(nullptr);
        s->WindowHandle = raw;
        s->AttachWindow(data.get());
        PostMessageW(raw, WM_SKINACTIVATE, 0, 1000);
        EXPECT_TRUE(PumpUntil([&] { return s->FormState == fsActive; }));
        Pump();
        return s;
    }

    TWinSkinForm* Skin()
    {
        auto* s = new TWinSkinForm(form.get());
        s->WindowHandle = Handle();
        s->ClassName = "TForm";
        s->InitSkinForm(data.get(), form.get());
        spy->notes.clear();
        PostMessageW(Handle(), WM_SKINACTIVATE, 0, 1000);
        EXPECT_TRUE(PumpUntil([&] { return !spy->notes.empty(); }));
        Pump();
        return s;
    }
    // The screen point inside entry i of the bar.
    POINT EntryPoint(TWinSkinForm* s, size_t i)
    {
        const RECT w = test::WindowRectOf(Handle());
        const RECT& r = s->MenuBar->Entries.at(i)->Rect;
        return POINT{w.left + (r.left + r.right) / 2, w.top + (r.top + r.bottom) / 2};
    }
    // Posted clicks and keys are waited for until the popups they open
    // have come and gone.
    void PumpMenus(TMenuDriver& driver, size_t count)
    {
        EXPECT_TRUE(PumpUntil([&] { return driver.Opened.size() >= count; }))
            << driver.Opened.size() << " popups";
        Pump(300);
    }
    // Opens the raw window's bar entry of the accelerator key (lower case)
    // and closes it again; the popup that showed.
    HMENU OpenRawEntry(HWND raw, char key)
    {
        TMenuDriver driver({TMenuDriver::End()});
        PostMessageW(raw, WM_SYSCOMMAND, SC_KEYMENU, key);
        PumpMenus(driver, 1);
        EXPECT_EQ(driver.Opened.size(), 1u);
        return driver.Opened.empty() ? nullptr : driver.Opened[0];
    }

    fw::TOwnedPtr<TSkinData> data;
    fw::TOwnedPtr<fw::TForm> form;
    fw::TMainMenu* menu = nullptr;
    fw::TMenuItem *file = nullptr, *edit = nullptr, *view = nullptr, *zoom = nullptr,
                  *help = nullptr;
    TClicks helpClicks;
    std::unique_ptr<test::TNotifySpy> spy;
    TSkinEngineScope engine;
};

TEST_F(MenuBarTest, TheBarReplacesTheNativeOneAndTheClientKeepsItsSize)
{
    TWinSkinForm* s = Skin();
    ASSERT_NE(s->MenuBar, nullptr);
    EXPECT_EQ(GetMenu(Handle()), nullptr);
    const int barHeight = GetSystemMetrics(SM_CYMENU);
    EXPECT_EQ(s->MenuBarHeight, barHeight);
    const SIZE client = test::ClientSizeOf(Handle());
    EXPECT_EQ(client.cx, kClientW);
    EXPECT_EQ(client.cy, kClientH);
    const RECT w = test::WindowRectOf(Handle());
    EXPECT_EQ(w.bottom - w.top, kClientH + kCaption + barHeight + kBorder);

    // Entries side by side from the skin's left margin (TileLeftMenu 2,
    // plus 4), each its caption's width plus 10, one pixel short of the
    // strip's bottom.
    const auto& e = s->MenuBar->Entries;
    ASSERT_EQ(e.size(), 4u);
    const wchar_t* captions[] = {L"&File", L"&Edit", L"&View", L"&Help"};
    int x = kBorder + 2 + 4;
    for (size_t i = 0; i < e.size(); ++i) {
        EXPECT_EQ(e[i]->Caption, captions[i]);
        EXPECT_EQ(e[i]->Rect.left, x);
        EXPECT_GT(e[i]->Rect.right - e[i]->Rect.left, 10);
        EXPECT_EQ(e[i]->Rect.top, kCaption);
        EXPECT_EQ(e[i]->Rect.bottom, kCaption + barHeight - 1);
        x = e[i]->Rect.right;
    }
    EXPECT_EQ(e[3]->SubMenu, nullptr);
    EXPECT_EQ(e[0]->SubMenu, file->Handle());

    // The strip answers HTMENU and the client area stays the client.
    const POINT p = EntryPoint(s, 1);
    EXPECT_EQ(SendMessageW(Handle(), WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)), HTMENU);
    EXPECT_EQ(SendMessageW(Handle(), WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y + barHeight)), HTCLIENT);
    // Hits: each entry by its middle; past the last entry, nothing.
    for (size_t i = 0; i < e.size(); ++i) {
        const POINT at = s->ScreenToFrame(EntryPoint(s, i));
        EXPECT_EQ(s->MenuBar->MenuBarHitTest(at), e[i].get());
    }
    EXPECT_EQ(s->MenuBar->MenuBarHitTest(POINT{e[3]->Rect.right + 5, kCaption + 5}), nullptr);
}

TEST_F(MenuBarTest, TheStripIsPaintedFromTheMenuBarImageByActivation)
{
    TWinSkinForm* s = Skin();
    TDataSkinObject& bar = *data->Skin().MenuBar;
    ASSERT_FALSE(bar.Image->Empty());
    const RECT w = test::WindowRectOf(Handle());
    const int width = w.right - w.left, h = s->MenuBarHeight;
    const int x = width - 40;  // right of the last entry, in the stretched middle
    // The strip as the skin draws it, active (frame 1) and inactive (2).
    auto expected = [&](int frame) {
        auto b = test::Solid(width - 2 * kBorder, h, 0);
        DrawSkinImage(b->Canvas()->Handle(), RECT{0, 0, width - 2 * kBorder, h}, bar.Image.get(),
                      true, false, false, 2, frame, RECT{bar.LeftWidth, 0, bar.RightWidth, 0});
        return b;
    };
    auto active = test::PaintedFrame(Handle());
    auto activeStrip = expected(1);
    for (int y : {1, h / 2, h - 2})
        EXPECT_EQ(PixelAt(active.get(), x, kCaption + y),
                  PixelAt(activeStrip.get(), x - kBorder, y));
    SendMessageW(Handle(), WM_NCACTIVATE, FALSE, 0);
    auto inactive = test::PaintedFrame(Handle());
    auto inactiveStrip = expected(2);
    EXPECT_EQ(PixelAt(inactive.get(), x, kCaption + h / 2),
              PixelAt(inactiveStrip.get(), x - kBorder, h / 2));
    EXPECT_NE(PixelAt(inactive.get(), x, kCaption + h / 2),
              PixelAt(active.get(), x, kCaption + h / 2));
    SendMessageW(Handle(), WM_NCACTIVATE, TRUE, 0);

    // The caption text is drawn in the entry: some pixels of the File
    // entry differ from the bare strip.
    const RECT& f = s->MenuBar->Entries[0]->Rect;
    int text = 0;
    for (int y = f.top; y < f.bottom; ++y)
        for (int xx = f.left; xx < f.right; ++xx)
            text += PixelAt(active.get(), xx, y) !=
                    PixelAt(activeStrip.get(), xx - kBorder, y - kCaption);
    EXPECT_GT(text, 10);
    SaveShot(active.get(), "menubar_active.bmp");
}

TEST_F(MenuBarTest, EntriesOpenByClickAcceleratorAndSkinMenuOpen)
{
    TWinSkinForm* s = Skin();
    {
        TMenuDriver driver({TMenuDriver::Shot(Handle(), "menubar_popup.bmp", TMenuDriver::End())});
        const POINT p = EntryPoint(s, 1);
        PostMessageW(Handle(), WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(p.x, p.y));
        PumpMenus(driver, 1);
        ASSERT_EQ(driver.Opened.size(), 1u);
        EXPECT_EQ(driver.Opened[0], edit->Handle());
    }
    EXPECT_FALSE(s->MenuTracking);
    {
        // Alt and a letter: through the window's key menu command, and
        // through the dialog character the form hears first.
        TMenuDriver driver;
        PostMessageW(Handle(), WM_SYSCOMMAND, SC_KEYMENU, 'v');
        PumpMenus(driver, 1);
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_MENU] = 0x80;
        SetKeyboardState(keys);
        EXPECT_EQ(SendMessageW(Handle(), fw::CM_DIALOGCHAR, 'f', 0), 1);
        keys[VK_MENU] = 0;
        SetKeyboardState(keys);
        PumpMenus(driver, 2);
        // Without Alt the letter is not the bar's.
        EXPECT_EQ(SendMessageW(Handle(), fw::CM_DIALOGCHAR, 'e', 0), 0);
        // Alt alone opens the first entry.
        PostMessageW(Handle(), WM_SYSCOMMAND, SC_KEYMENU, 0);
        PumpMenus(driver, 3);
        ASSERT_EQ(driver.Opened.size(), 3u);
        EXPECT_EQ(driver.Opened[0], view->Handle());
        EXPECT_EQ(driver.Opened[1], file->Handle());
        EXPECT_EQ(driver.Opened[2], file->Handle());
    }
    {
        // A letter no entry has opens nothing and is not taken.
        TMenuDriver driver;
        EXPECT_EQ(s->FindMenuAccel('q'), nullptr);
        const POINT p = EntryPoint(s, 2);
        PostMessageW(Handle(), WM_SKINMENUOPEN, 0, MAKELPARAM(p.x, p.y));
        PumpMenus(driver, 1);
        ASSERT_EQ(driver.Opened.size(), 1u);
        EXPECT_EQ(driver.Opened[0], view->Handle());
    }
    {
        // WM_SKINMENUOPEN while a popup is open (its loop dispatches it)
        // opens no second popup inside the first.
        const POINT p = EntryPoint(s, 2);
        TMenuDriver driver({[&](HWND) {
            PostMessageW(Handle(), WM_SKINMENUOPEN, 0, MAKELPARAM(p.x, p.y));
            SetTimer(nullptr, 0, 400, [](HWND, UINT, UINT_PTR id, DWORD) {
                KillTimer(nullptr, id);
                EndMenu();
            });
        }});
        PostMessageW(Handle(), WM_SYSCOMMAND, SC_KEYMENU, 'f');
        PumpMenus(driver, 1);
        Pump(500);
        ASSERT_EQ(driver.Opened.size(), 1u);
        EXPECT_EQ(driver.Opened[0], file->Handle());
        EXPECT_FALSE(s->MenuTracking);
    }
    // An entry without sub-items opens nothing; its command clicks it.
    const POINT p = EntryPoint(s, 3);
    SendMessageW(Handle(), WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(p.x, p.y));
    EXPECT_TRUE(PumpUntil([&] { return helpClicks.count == 1; }));
}

TEST_F(MenuBarTest, ArrowKeysAndTheMouseMoveBetweenEntriesWhileAPopupIsOpen)
{
    TWinSkinForm* s = Skin();
    {
        // Right from File opens Edit; Left from Edit goes back to File; Left
        // from File wraps to Help, which has no popup and is clicked.
        TMenuDriver driver(
            {TMenuDriver::Key(VK_RIGHT), TMenuDriver::Key(VK_LEFT), TMenuDriver::Key(VK_LEFT)});
        PostMessageW(Handle(), WM_SYSCOMMAND, SC_KEYMENU, 'f');
        PumpMenus(driver, 3);
        EXPECT_TRUE(PumpUntil([&] { return helpClicks.count == 1; }));
        ASSERT_EQ(driver.Opened.size(), 3u);
        EXPECT_EQ(driver.Opened[0], file->Handle());
        EXPECT_EQ(driver.Opened[1], edit->Handle());
        EXPECT_EQ(driver.Opened[2], file->Handle());
    }
    {
        // On View's first item (Zoom, with a submenu) Right opens the
        // submenu; Right there moves on to the next entry (Help).
        TMenuDriver driver({TMenuDriver::Key(VK_RIGHT), TMenuDriver::Key(VK_RIGHT)});
        PostMessageW(Handle(), WM_SYSCOMMAND, SC_KEYMENU, 'v');
        PumpMenus(driver, 2);
        EXPECT_TRUE(PumpUntil([&] { return helpClicks.count == 2; }));
        ASSERT_GE(driver.Opened.size(), 2u);
        EXPECT_EQ(driver.Opened[0], view->Handle());
        EXPECT_EQ(driver.Opened[1], zoom->Handle());
    }
    {
        // The mouse moving onto Edit while File is open switches.
        const POINT over = EntryPoint(s, 1);
        TMenuDriver driver({[&](HWND popup) {
            SetCursorPos(over.x, over.y);
            PostMessageW(popup, WM_MOUSEMOVE, 0, 0);
        }});
        PostMessageW(Handle(), WM_SYSCOMMAND, SC_KEYMENU, 'f');
        PumpMenus(driver, 2);
        ASSERT_EQ(driver.Opened.size(), 2u);
        EXPECT_EQ(driver.Opened[1], edit->Handle());
    }
    EXPECT_FALSE(s->MenuTracking);
    EXPECT_EQ(OpenEntryIndex(), -1);
}

TEST_F(MenuBarTest, InARightToLeftPopupLeftAndRightChangePlaces)
{
    Skin();
    HMENU popup = file->Handle();
    // Marks (or unmarks) File's native items as reading right to left, as
    // a menu of another library may; the framework never does.
    const auto markRightOrder = [&](bool on) {
        for (int i = 0; i < GetMenuItemCount(popup); ++i) {
            MENUITEMINFOW mii{};
            mii.cbSize = sizeof mii;
            mii.fMask = MIIM_FTYPE;
            ASSERT_TRUE(GetMenuItemInfoW(popup, UINT(i), TRUE, &mii));
            mii.fType = on ? mii.fType | MFT_RIGHTORDER : mii.fType & ~UINT(MFT_RIGHTORDER);
            ASSERT_TRUE(SetMenuItemInfoW(popup, UINT(i), TRUE, &mii));
        }
    };
    enum TReading { kLeftToRight, kFrameworkRightToLeft, kNativeRightOrder };
    struct Case {
        TReading reading;
        WPARAM key;
        size_t popups;   // File, and the one the key opens
        HMENU second;    // null: none
        int helpClicks;  // Help has no popup: it is clicked
    } const cases[] = {
        // Right to left by the framework menu's own reading order: Left
        // goes on to the next entry, Right back (wrapping round to Help).
        {kFrameworkRightToLeft, VK_LEFT, 2, edit->Handle(), 0},
        {kFrameworkRightToLeft, VK_RIGHT, 1, nullptr, 1},
        // The same for native items that say so themselves.
        {kNativeRightOrder, VK_LEFT, 2, edit->Handle(), 0},
        {kNativeRightOrder, VK_RIGHT, 1, nullptr, 1},
        // Left to right the keys keep their places.
        {kLeftToRight, VK_RIGHT, 2, edit->Handle(), 0},
        {kLeftToRight, VK_LEFT, 1, nullptr, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "reading " << c.reading << ", " << (c.key == VK_LEFT ? "left" : "right"));
        menu->SetBiDiMode(c.reading == kFrameworkRightToLeft ? fw::bdRightToLeft
                                                             : fw::bdLeftToRight);
        markRightOrder(c.reading == kNativeRightOrder);
        helpClicks.count = 0;
        TMenuDriver driver({TMenuDriver::Key(c.key)});
        PostMessageW(Handle(), WM_SYSCOMMAND, SC_KEYMENU, 'f');
        PumpMenus(driver, c.popups);
        EXPECT_TRUE(PumpUntil([&] { return helpClicks.count == c.helpClicks; }));
        ASSERT_EQ(driver.Opened.size(), c.popups);
        EXPECT_EQ(driver.Opened[0], popup);
        if (c.second) {
            EXPECT_EQ(driver.Opened[1], c.second);
        }
    }
}

// Notes the dialog characters a form hears.
struct TDialogChars : fw::TObject {
    void Hook(fw::TControl* c)
    {
        old = c->WindowProc;
        c->WindowProc = fw::TWndMethod(this, &TDialogChars::Proc);
    }
    void Proc(fw::TMessage& m)
    {
        if (m.Msg == fw::CM_DIALOGCHAR) heard.push_back({m.WParam, m.LParam});
        old(m);
    }
    fw::TWndMethod old;
    std::vector<std::pair<WPARAM, LPARAM>> heard;
};

TEST_F(MenuBarTest, ADialogCharacterNotTheBarsGoesOnToTheMainForm)
{
    ASSERT_EQ(fw::Application->MainForm(), nullptr);
    fw::TForm* main = nullptr;
    fw::Application->CreateForm(main);
    ASSERT_EQ(fw::Application->MainForm(), main);
    TDialogChars chars;
    chars.Hook(main);
    Skin();
    // Without Alt: the key data with it.
    EXPECT_EQ(SendMessageW(Handle(), fw::CM_DIALOGCHAR, 'f', 0x210001), 0);
    ASSERT_EQ(chars.heard.size(), 1u);
    EXPECT_EQ(chars.heard[0].first, WPARAM('f'));
    EXPECT_EQ(chars.heard[0].second, LPARAM(0x210001));
    // Alt and an entry's letter stay with the bar.
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_MENU] = 0x80;
    SetKeyboardState(keys);
    TMenuDriver driver;
    EXPECT_EQ(SendMessageW(Handle(), fw::CM_DIALOGCHAR, 'f', 0), 1);
    keys[VK_MENU] = 0;
    SetKeyboardState(keys);
    PumpMenus(driver, 1);
    EXPECT_EQ(chars.heard.size(), 1u);
    main->Free();
}

TEST_F(MenuBarTest, AChangedMenuReloadsTheBarAndUnskinningGivesTheMenuBack)
{
    TWinSkinForm* s = Skin();
    // The hot entry goes with the list it was in.
    s->MenuBar->Entries[1]->HoverEnter();
    ASSERT_NE(s->HotObject, nullptr);
    edit->SetCaption("&Tools");
    Pump();
    EXPECT_EQ(s->HotObject, nullptr);
    EXPECT_EQ(GetMenu(Handle()), nullptr);
    ASSERT_EQ(s->MenuBar->Entries.size(), 4u);
    EXPECT_EQ(s->MenuBar->Entries[1]->Caption, L"&Tools");
    EXPECT_NE(s->FindMenuAccel('t'), nullptr);
    EXPECT_EQ(s->FindMenuAccel('e'), nullptr);
    help->SetEnabled(false);
    Pump();
    EXPECT_FALSE(s->MenuBar->Entries[3]->ItemEnabled);
    EXPECT_EQ(s->FindMenuAccel('h'), nullptr);

    // Another main menu for the form.
    auto* other = new fw::TMainMenu(form.get());
    Item(other->Items(), "&Only");
    form->SetMenu(other);
    Pump();
    ASSERT_EQ(s->MenuBar->Entries.size(), 1u);
    EXPECT_EQ(s->MenuBar->Entries[0]->Caption, L"&Only");
    EXPECT_EQ(GetMenu(Handle()), nullptr);
    EXPECT_EQ(test::ClientSizeOf(Handle()).cy, kClientH);

    s->UnhookWindow();
    EXPECT_EQ(GetMenu(Handle()), other->Handle());
    EXPECT_EQ(s->MenuBar, nullptr);
    const SIZE client = test::ClientSizeOf(Handle());
    EXPECT_EQ(client.cx, kClientW);
    EXPECT_EQ(client.cy, kClientH);
}

TEST_F(MenuBarTest, AMenuThatComesAfterSkinningGetsABarAndOneThatGoesLeavesItEmpty)
{
    form->SetMenu(nullptr);
    TWinSkinForm* s = Skin();
    EXPECT_EQ(s->MenuBar, nullptr);
    EXPECT_EQ(s->MenuBarHeight, 0);
    form->SetMenu(menu);
    Pump();
    ASSERT_NE(s->MenuBar, nullptr);
    EXPECT_EQ(s->MenuBar->Entries.size(), 4u);
    EXPECT_EQ(GetMenu(Handle()), nullptr);
    EXPECT_EQ(s->MenuBarHeight, GetSystemMetrics(SM_CYMENU));
    SIZE client = test::ClientSizeOf(Handle());
    EXPECT_EQ(client.cx, kClientW);
    EXPECT_EQ(client.cy, kClientH);

    form->SetMenu(nullptr);
    Pump();
    EXPECT_TRUE(s->MenuBar->Entries.empty());
    EXPECT_EQ(GetMenu(Handle()), nullptr);
    client = test::ClientSizeOf(Handle());
    EXPECT_EQ(client.cy, kClientH);
}

TEST_F(MenuBarTest, AHotEntryIsFramedInTheHighlightColour)
{
    TWinSkinForm* s = Skin();
    TMenuBtn& hot = *s->MenuBar->Entries[1];
    hot.HoverEnter();
    EXPECT_EQ(s->HotObject, &hot);
    const RECT& r = hot.Rect;
    const RECT w = test::WindowRectOf(Handle());
    auto shot = test::Solid(w.right - w.left, w.bottom - w.top, 0);
    HDC dc = GetWindowDC(Handle());
    BitBlt(shot->Canvas()->Handle(), 0, 0, w.right - w.left, w.bottom - w.top, dc, 0, 0, SRCCOPY);
    ReleaseDC(Handle(), dc);
    const TColor hilight = fw::ColorToRGB(data->Skin().Colour(TColourSlot::ButtonHilight));
    const int midY = (r.top + r.bottom) / 2;
    EXPECT_EQ(PixelAt(shot.get(), r.left, midY), hilight);
    EXPECT_EQ(PixelAt(shot.get(), r.right - 1, midY), hilight);
    EXPECT_EQ(PixelAt(shot.get(), (r.left + r.right) / 2, r.top), hilight);
    // Its neighbours are not framed.
    const RECT& f = s->MenuBar->Entries[0]->Rect;
    EXPECT_NE(PixelAt(shot.get(), f.left, midY), hilight);
    SaveShot(shot.get(), "menubar_hot.bmp");
    // Leaving puts the bare strip back.
    hot.HoverLeave();
    dc = GetWindowDC(Handle());
    BitBlt(shot->Canvas()->Handle(), 0, 0, w.right - w.left, w.bottom - w.top, dc, 0, 0, SRCCOPY);
    ReleaseDC(Handle(), dc);
    EXPECT_NE(PixelAt(shot.get(), r.left, midY), hilight);
}

TEST_F(MenuBarTest, OlderSystemsTakeTheEntriesFromTheFormsItems)
{
    TWinSkinForm* s = Skin();
    help->SetVisible(false);
    Pump();
    // The native bar leaves a hidden item out; the form's items keep it,
    // hidden.
    EXPECT_EQ(s->MenuBar->Entries.size(), 3u);
    SetWindowsVersion(TWindowsVersion{4, 0, true, false});
    s->MenuBar->LoadMenuBar();
    ResetWindowsVersion();
    const auto& e = s->MenuBar->Entries;
    ASSERT_EQ(e.size(), 4u);
    EXPECT_EQ(e[0]->Caption, L"&File");
    EXPECT_EQ(e[0]->MenuItem, file);
    EXPECT_EQ(e[0]->SubMenu, file->Handle());
    EXPECT_EQ(e[0]->Command, file->Command());
    EXPECT_FALSE(e[3]->Visible);
    s->MenuBar->LayoutMenuBar();
    EXPECT_TRUE(IsRectEmpty(&e[3]->Rect));
    EXPECT_EQ(s->MenuBar->MenuBarHitTest(POINT{0, 0}), nullptr);
}

TEST_F(MenuBarTest, AnMDIMenuKeepsNativeTextsAndNamesOwnerDrawnItemsFromTheForm)
{
    TWinSkinForm* s = Skin();
    HMENU native = CreateMenu();
    AppendMenuW(native, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(CreatePopupMenu()),
                L"&Window");
    AppendMenuW(native, MF_OWNERDRAW, help->Command(), nullptr);
    AppendMenuW(native, MF_STRING | MF_GRAYED, edit->Command(), L"Native");
    SetMenu(Handle(), native);
    s->MenuBar->LoadMDIMenuBar();
    EXPECT_EQ(GetMenu(Handle()), nullptr);
    EXPECT_EQ(s->MenuBar->MenuHandle, native);
    const auto& e = s->MenuBar->Entries;
    ASSERT_EQ(e.size(), 3u);
    EXPECT_EQ(e[0]->Caption, L"&Window");
    EXPECT_NE(e[0]->SubMenu, nullptr);
    EXPECT_EQ(e[1]->Caption, L"&Help");
    EXPECT_EQ(e[1]->MenuItem, help);
    // A native text wins over the form's item of that command.
    EXPECT_EQ(e[2]->Caption, L"Native");
    EXPECT_FALSE(e[2]->ItemEnabled);
    EXPECT_LT(e[1]->Rect.left, e[1]->Rect.right);  // laid out
    s->MenuBar->Clear();
    DestroyMenu(native);
}

TEST_F(MenuBarTest, AWindowOfAnotherLibraryKeepsItsClientSizeAndGetsTheBar)
{
    HMENU native = CreateMenu();
    AppendMenuW(native, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(CreatePopupMenu()),
                L"&Raw");
    HWND raw = RawWindow(native);
    ASSERT_NE(raw, nullptr);
    ASSERT_EQ(test::ClientSizeOf(raw).cy, 180);
    TWinSkinForm* s = SkinRaw(raw);
    ASSERT_NE(s->MenuBar, nullptr);
    ASSERT_EQ(s->MenuBar->Entries.size(), 1u);
    EXPECT_EQ(s->MenuBar->Entries[0]->Caption, L"&Raw");
    const SIZE client = test::ClientSizeOf(raw);
    EXPECT_EQ(client.cx, 320);
    EXPECT_EQ(client.cy, 180);
    s->UnhookWindow();
    EXPECT_EQ(GetMenu(raw), native);
    EXPECT_EQ(test::ClientSizeOf(raw).cy, 180);
    s->Free();
    DestroyWindow(raw);  // destroys its menu too
}

TEST_F(MenuBarTest, AWindowOfAnotherLibraryUnskinnedDrawsItsOwnMenuItemsAgain)
{
    // Raw: One, Two (which the program draws itself) and Sub, holding Deep.
    HMENU native = CreateMenu();
    HMENU popup = CreatePopupMenu();
    HMENU sub = CreatePopupMenu();
    AppendMenuW(sub, MF_STRING, 13, L"Deep");
    AppendMenuW(popup, MF_STRING, 11, L"One");
    AppendMenuW(popup, MF_OWNERDRAW, 12, nullptr);
    AppendMenuW(popup, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), L"Sub");
    AppendMenuW(native, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(popup), L"&Raw");
    HWND raw = RawWindow(native);
    ASSERT_NE(raw, nullptr);
    TWinSkinForm* s = SkinRaw(raw);
    // The popup opened twice: the skin draws every item, Deep included;
    // the items it made its own the first time stay its own.
    for (int i = 0; i < 2; ++i) EXPECT_EQ(OpenRawEntry(raw, 'r'), popup);
    for (UINT i = 0; i < 3; ++i) EXPECT_TRUE(OwnerDrawn(popup, i)) << i;
    EXPECT_TRUE(OwnerDrawn(sub, 0));
    // Unskinned, each item draws as it did before: natively, but for the
    // one the program draws.
    s->UnhookWindow();
    EXPECT_FALSE(OwnerDrawn(popup, 0));
    EXPECT_TRUE(OwnerDrawn(popup, 1));
    EXPECT_FALSE(OwnerDrawn(popup, 2));
    EXPECT_FALSE(OwnerDrawn(sub, 0));
    s->Free();
    DestroyWindow(raw);
}

TEST_F(MenuBarTest, AWindowOfAnotherLibraryThatChangedItsMenuDrawsEachItemAgain)
{
    // File: Open, a separator and Exit.
    constexpr UINT kOpen = 11, kExit = 12, kRecent = 20, kPinned = 21;
    HMENU native = CreateMenu();
    HMENU popup = CreatePopupMenu();
    AppendMenuW(popup, MF_STRING, kOpen, L"Open");
    AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(popup, MF_STRING, kExit, L"Exit");
    AppendMenuW(native, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(popup), L"&File");
    HWND raw = RawWindow(native);
    ASSERT_NE(raw, nullptr);
    TWinSkinForm* s = SkinRaw(raw);
    EXPECT_EQ(OpenRawEntry(raw, 'f'), popup);
    // The program then puts a recent file under Open, and an entry it draws
    // itself where Exit was; the popup shown again has the skin draw the
    // recent file too.
    InsertMenuW(popup, 1, MF_BYPOSITION | MF_STRING, kRecent, L"&1 notes.txt");
    InsertMenuW(popup, 2, MF_BYPOSITION | MF_OWNERDRAW, kPinned, nullptr);
    EXPECT_EQ(OpenRawEntry(raw, 'f'), popup);
    const struct {
        const char* item;
        UINT id;
        bool ownDrawing;  // the program's own, which it keeps
    } items[] = {
        {"Open", kOpen, false},  {"recent file", kRecent, false}, {"pinned", kPinned, true},
        {"separator", 0, false}, {"Exit", kExit, false},
    };
    ASSERT_EQ(GetMenuItemCount(popup), int(std::size(items)));
    for (UINT i = 0; i < std::size(items); ++i) {
        EXPECT_EQ(GetMenuItemID(popup, int(i)), items[i].id) << items[i].item;
        EXPECT_TRUE(OwnerDrawn(popup, i)) << items[i].item;
    }
    s->UnhookWindow();
    for (UINT i = 0; i < std::size(items); ++i)
        EXPECT_EQ(OwnerDrawn(popup, i), items[i].ownDrawing) << items[i].item;
    s->Free();
    DestroyWindow(raw);
}

// Menus spelt one character an item: a capital letter is a string item of
// that identifier, '-' a separator and '*' an item the program draws itself
// (identifier 0, as a separator's). Read back, an item still owner-drawn by
// the skin is spelt in lower case ('=' for a separator); the program's own
// item is '*' as long as it keeps its owner drawing.
void InsertSpelt(HMENU menu, UINT at, char item)
{
    if (item == '-') {
        InsertMenuW(menu, at, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
    } else if (item == '*') {
        InsertMenuW(menu, at, MF_BYPOSITION | MF_OWNERDRAW, 0, nullptr);
    } else {
        const wchar_t text[] = {wchar_t(item), 0};
        InsertMenuW(menu, at, MF_BYPOSITION | MF_STRING, UINT(item), text);
    }
}

std::string Spelling(HMENU menu)
{
    std::string items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_FTYPE | MIIM_ID;
        GetMenuItemInfoW(menu, UINT(i), TRUE, &mii);
        const bool drawn = (mii.fType & MFT_OWNERDRAW) != 0;
        if (mii.fType & MFT_SEPARATOR)
            items += drawn ? '=' : '-';
        else if (mii.wID == 0)
            items += drawn ? '*' : '?';
        else
            items += drawn ? char(std::tolower(int(mii.wID))) : char(mii.wID);
    }
    return items;
}

TEST(UndoOwnerDrawnSubmenus, FindsEachNotedItemWhereverTheProgramMovedIt)
{
    // Edits after the skin drew the menu: an item inserted at a position,
    // or removed from it ('\0').
    const struct {
        const char* name;
        const char* menu;
        std::vector<std::pair<UINT, char>> edits;
        const char* after;
    } cases[] = {
        {"each of two separators under an insertion", "A-B-C", {{1, 'X'}, {4, 'Y'}}, "AX-BY-C"},
        {"a separator the program put where a noted one was", "A-B", {{1, '-'}}, "A--B"},
        {"the items under one removed", "A-B", {{0, '\0'}}, "-B"},
        {"one of two separators removed", "A-B-C", {{1, '\0'}}, "AB-C"},
        {"the program's own item of identifier 0 above a separator", "*-A", {{0, 'X'}}, "X*-A"},
    };
    for (const auto& c : cases) {
        HMENU menu = CreatePopupMenu();
        for (const char* item = c.menu; *item; ++item)
            InsertSpelt(menu, UINT(GetMenuItemCount(menu)), *item);
        std::vector<TOwnerDrawnItem> made;
        OwnerDrawSubmenus(menu, &made);
        for (const auto& [at, item] : c.edits) {
            if (item)
                InsertSpelt(menu, at, item);
            else
                DeleteMenu(menu, at, MF_BYPOSITION);
        }
        UndoOwnerDrawnSubmenus(made);
        EXPECT_EQ(Spelling(menu), c.after) << c.name;
        EXPECT_TRUE(made.empty()) << c.name;
        DestroyMenu(menu);
    }
}

TEST(UndoOwnerDrawnSubmenus, FindsASubmenuByTheMenuItOpensAndPassesOverADestroyedOne)
{
    // A, then Kept and Gone, each opening a submenu of one item.
    HMENU menu = CreatePopupMenu();
    HMENU kept = CreatePopupMenu();
    HMENU gone = CreatePopupMenu();
    AppendMenuW(kept, MF_STRING, 'K', L"K");
    AppendMenuW(gone, MF_STRING, 'G', L"G");
    AppendMenuW(menu, MF_STRING, 'A', L"A");
    AppendMenuW(menu, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(kept), L"Kept");
    AppendMenuW(menu, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(gone), L"Gone");
    std::vector<TOwnerDrawnItem> made;
    OwnerDrawSubmenus(menu, &made);
    // An item inserted at the top moves Kept down; Gone is removed, which
    // destroys its submenu.
    InsertSpelt(menu, 0, 'X');
    ASSERT_TRUE(DeleteMenu(menu, 3, MF_BYPOSITION));
    ASSERT_FALSE(IsMenu(gone));
    UndoOwnerDrawnSubmenus(made);
    ASSERT_EQ(GetSubMenu(menu, 2), kept);
    for (UINT i = 0; i < 3; ++i) EXPECT_FALSE(OwnerDrawn(menu, i)) << i;
    EXPECT_EQ(Spelling(kept), "K");
    DestroyMenu(menu);
}

TEST_F(MenuBarTest, NarrowAndRightToLeftStarts)
{
    TWinSkinForm* s = Skin();
    TWinSkinMenu& bar = *s->MenuBar;
    EXPECT_EQ(bar.StartOffset(300), 2 + 4);
    EXPECT_EQ(bar.StartOffset(5), 12);
    s->RightToLeft = true;
    EXPECT_EQ(bar.StartOffset(300), 2 + 8);
    bar.LayoutMenuBar();
    const RECT w = test::WindowRectOf(Handle());
    const int right = (w.right - w.left) - kBorder - (2 + 8);
    EXPECT_EQ(bar.Entries[0]->Rect.right, right);
    EXPECT_EQ(bar.Entries[1]->Rect.right, bar.Entries[0]->Rect.left);
    s->RightToLeft = false;
    // An entry with an empty caption takes no room and is never hit.
    bar.Entries[1]->Caption.clear();
    bar.LayoutMenuBar();
    EXPECT_EQ(bar.Entries[1]->Rect.left, bar.Entries[1]->Rect.right);
    EXPECT_EQ(bar.Entries[2]->Rect.left, bar.Entries[0]->Rect.right);
    EXPECT_EQ(bar.MenuBarHitTest(POINT{bar.Entries[1]->Rect.left, kCaption + 5}),
              bar.Entries[2].get());
}

}  // namespace
}  // namespace skin
