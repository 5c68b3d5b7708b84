// The replacement system menu of a skinned form: the copy built from the
// window's system menu, and its items doing what the system's do.
#include <gtest/gtest.h>

#include "framework/application.h"
#include "framework/forms.h"
#include "framework/menus.h"
#include "framework/text.h"
#include "skin/data/skindata.h"
#include "skin/engine/skinunit.h"
#include "skin/form/tests/menudriver.h"
#include "skin/form/tests/skinnedwindow.h"
#include "skin/form/winskinform.h"
#include "skin/tests/pixels.h"

namespace skin {
namespace {

using test::Pump;
using test::PumpUntil;
using test::TMenuDriver;

// Notes the form's close and keeps it open.
struct TCloseSpy : fw::TObject {
    void FormClose(fw::TObject*, fw::TCloseAction& action)
    {
        closed = true;
        action = fw::caNone;
    }
    bool closed = false;
};

// Counts the system commands that reach the form's own handling once
// the skinner has been freed.
struct TCommandSpy : fw::TObject {
    void Hook(fw::TControl* c)
    {
        old = c->WindowProc;
        c->WindowProc = fw::TWndMethod(this, &TCommandSpy::Proc);
    }
    void Proc(fw::TMessage& m)
    {
        if (m.Msg == WM_SYSCOMMAND && freed) ++afterFree;
        old(m);
    }
    fw::TWndMethod old;
    bool freed = false;
    int afterFree = 0;
};

class SysMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        data.reset(test::NewDefaultSkinData());
        ASSERT_FALSE(data->NoSkin());
    }
    void TearDown() override
    {
        form.reset();
        data.reset();
    }
    TWinSkinForm* Skin(fw::TBorderIcons icons)
    {
        form.reset(new fw::TForm(nullptr));
        form->SetCaption("System menu");
        form->SetBorderIcons(icons);
        form->SetBounds(150, 90, 400, 250);
        spy = std::make_unique<test::TNotifySpy>();
        spy->Hook(form.get());
        commands = std::make_unique<TCommandSpy>();
        commands->Hook(form.get());
        form->Show();
        Pump();
        auto* s = new TWinSkinForm(form.get());
        s->WindowHandle = form->Handle();
        s->ClassName = "TForm";
        s->InitSkinForm(data.get(), form.get());
        PostMessageW(form->Handle(), WM_SKINACTIVATE, 0, 1000);
        EXPECT_TRUE(PumpUntil([&] { return !spy->notes.empty(); }));
        Pump();
        return s;
    }
    // The item's width as the copy measures it, in the menu font.
    static int Measure(fw::TMenuItem* item)
    {
        fw::TBitmap b;
        b.SetSize(4, 4);
        b.Canvas()->SetFont(fw::Screen->MenuFont());
        int w = 0, h = 0;
        item->MeasureItem(b.Canvas(), w, h);
        return w;
    }
    // The item as the skinner draws it at rest into a bitmap of its own.
    static std::unique_ptr<fw::TBitmap> Drawn(TWinSkinForm* s, fw::TMenuItem* item)
    {
        auto b = test::Solid(kItemWidth, kItemHeight, 0x00FF00);
        s->DrawMenuItem(item, b->Canvas(), RECT{0, 0, kItemWidth, kItemHeight}, false);
        return b;
    }
    static constexpr int kItemWidth = 200, kItemHeight = 22;

    fw::TMenuItem* ItemOf(TWinSkinForm* s, UINT command, int* position = nullptr)
    {
        fw::TMenuItem* items = s->SysMenu->Items();
        for (int i = 0; i < items->Count(); ++i)
            if (items->Items(i)->Tag() == int32_t(command)) {
                if (position) *position = i;
                return items->Items(i);
            }
        return nullptr;
    }

    TCloseSpy closeSpy;
    fw::TOwnedPtr<TSkinData> data;
    fw::TOwnedPtr<fw::TForm> form;
    std::unique_ptr<test::TNotifySpy> spy;
    std::unique_ptr<TCommandSpy> commands;
    TSkinEngineScope engine;
};

TEST_F(SysMenuTest, TheCopyFollowsTheSystemMenuAndTheWindowState)
{
    TWinSkinForm* s = Skin({fw::biSystemMenu, fw::biMaximize});
    s->BuildSystemMenu();
    ASSERT_NE(s->SysMenu, nullptr);
    EXPECT_EQ(s->SysMenu->Tag(), TAG_SYSMENU);
    EXPECT_TRUE(s->SysMenu->OwnerDraw());
    EXPECT_EQ(s->SysMenu->Items()->Count(), GetMenuItemCount(s->SysMenuHandle));
    // Item by item: the system's text (a separator becomes "-"), the
    // command in the Tag.
    for (int i = 0; i < s->SysMenu->Items()->Count(); ++i) {
        fw::TMenuItem* item = s->SysMenu->Items()->Items(i);
        EXPECT_EQ(UINT(item->Tag()), GetMenuItemID(s->SysMenuHandle, i)) << i;
        const bool separator =
            (GetMenuState(s->SysMenuHandle, UINT(i), MF_BYPOSITION) & MF_SEPARATOR) != 0;
        EXPECT_EQ(item->IsLine(), separator) << i;
        EXPECT_EQ(item->Caption().find('\t'), std::string::npos) << i;
    }
    struct {
        UINT command;
        bool enabled;
        int image;
    } const normal[] = {{SC_RESTORE, false, 0}, {SC_MAXIMIZE, true, 1}, {SC_MINIMIZE, false, 2},
                        {SC_CLOSE, true, 3},    {SC_MOVE, true, -1},    {SC_SIZE, true, -1}};
    for (const auto& c : normal) {
        fw::TMenuItem* item = ItemOf(s, c.command);
        ASSERT_NE(item, nullptr) << std::hex << c.command;
        EXPECT_EQ(item->Enabled(), c.enabled) << std::hex << c.command;
        EXPECT_EQ(item->ImageIndex(), c.image) << std::hex << c.command;
    }
    EXPECT_TRUE(s->HasCloseCommand());

    // Maximised: restore on, maximise, move and size off.
    ShowWindow(form->Handle(), SW_MAXIMIZE);
    Pump();
    ASSERT_EQ(s->WindowState, wsMaximized);
    s->BuildSystemMenu();
    EXPECT_TRUE(ItemOf(s, SC_RESTORE)->Enabled());
    EXPECT_FALSE(ItemOf(s, SC_MAXIMIZE)->Enabled());
    EXPECT_FALSE(ItemOf(s, SC_MOVE)->Enabled());
    EXPECT_FALSE(ItemOf(s, SC_SIZE)->Enabled());
}

TEST_F(SysMenuTest, EachItemOfTheCopyShowsTheShortCutOfItsOwnText)
{
    TWinSkinForm* s = Skin({fw::biSystemMenu, fw::biMinimize, fw::biMaximize});
    HMENU system = s->SysMenuHandle;
    ASSERT_NE(system, nullptr);
    wchar_t usual[80] = {};
    ASSERT_GT(GetMenuStringW(system, SC_CLOSE, usual, 80, MF_BYCOMMAND), 0);
    ASSERT_NE(std::wstring(usual).find(L"\tAlt+F4"), std::wstring::npos);
    // A command a program adds to its system menu.
    constexpr UINT kStayOnTop = 0x0110;
    AppendMenuW(system, MF_STRING, kStayOnTop, L"Stay on top\tCtrl+T");
    struct {
        UINT command;
        const wchar_t* text;
        const char* caption;  // null: not checked
        const char* shortCut;
        fw::TShortCut key;  // the key whose text the short cut is, 0 none
    } const cases[] = {
        // Close with the system's text looks as it did with the key Alt+F4.
        {SC_CLOSE, usual, nullptr, "Alt+F4", fw::scAlt | VK_F4},
        {kStayOnTop, L"Stay on top\tCtrl+T", "Stay on top", "Ctrl+T", fw::scCtrl | 'T'},
        {SC_CLOSE, L"&Close\tCtrl+W", "&Close", "Ctrl+W", fw::scCtrl | 'W'},
        {SC_CLOSE, L"&Close", "&Close", "", 0},
        {SC_CLOSE, L"&Close\tAlt+F4\tEsc", "&Close", "Alt+F4\tEsc", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(fw::ToGbk(c.text));
        ModifyMenuW(system, c.command, MF_BYCOMMAND | MF_STRING, c.command, c.text);
        s->BuildSystemMenu();
        fw::TMenuItem* item = ItemOf(s, c.command);
        ASSERT_NE(item, nullptr);
        if (c.caption) {
            EXPECT_EQ(item->Caption(), c.caption);
        }
        EXPECT_EQ(item->ShortCutKey(), 0);
        EXPECT_EQ(s->SysMenuShortCut(item), c.shortCut);
        if (!c.key) continue;
        // As wide, and drawn the same, as the item with that key of its own.
        const int width = Measure(item);
        const auto drawn = Drawn(s, item);
        item->SetShortCutKey(c.key);
        EXPECT_EQ(width, Measure(item));
        EXPECT_EQ(test::DifferingPixels(drawn.get(), Drawn(s, item).get()), 0);
    }

    // On screen: Alt+Space shows the copy with its added item.
    ModifyMenuW(system, SC_CLOSE, MF_BYCOMMAND | MF_STRING, SC_CLOSE, usual);
    TMenuDriver driver(
        {TMenuDriver::Shot(form->Handle(), "sysmenu_shortcuts.bmp", TMenuDriver::End())});
    PostMessageW(form->Handle(), WM_SYSCOMMAND, SC_KEYMENU, ' ');
    EXPECT_TRUE(PumpUntil([&] { return !driver.Opened.empty(); }));
    EXPECT_EQ(s->SysMenuShortCut(ItemOf(s, kStayOnTop)), "Ctrl+T");
}

TEST_F(SysMenuTest, AFixedBorderLeavesSizeOffInTheCopy)
{
    TWinSkinForm* s = Skin({fw::biSystemMenu, fw::biMinimize});
    const LONG_PTR style = GetWindowLongPtrW(form->Handle(), GWL_STYLE);
    SetWindowLongPtrW(form->Handle(), GWL_STYLE, style & ~LONG_PTR(WS_THICKFRAME));
    s->BuildSystemMenu();
    EXPECT_FALSE(ItemOf(s, SC_SIZE)->Enabled());
    EXPECT_TRUE(ItemOf(s, SC_MOVE)->Enabled());
}

TEST_F(SysMenuTest, OlderNTShowsAFixedMenuWhoseItemsWorkTheWindow)
{
    TWinSkinForm* s = Skin({fw::biSystemMenu, fw::biMinimize});
    SetWindowsVersion(TWindowsVersion{4, 0, true, false});
    s->BuildSystemMenu();
    ResetWindowsVersion();
    ASSERT_NE(s->SysMenu, nullptr);
    fw::TMenuItem* items = s->SysMenu->Items();
    // No maximise item without a maximise box.
    const struct {
        const char* caption;
        int tag;
        int image;
    } expected[] = {{" Restore ", 0, 0}, {" Minimize ", 2, 2}, {"-", 100, 100}, {" Close ", 3, 3}};
    ASSERT_EQ(items->Count(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(items->Items(i)->Caption(), expected[i].caption);
        EXPECT_EQ(items->Items(i)->Tag(), expected[i].tag);
        EXPECT_EQ(items->Items(i)->ImageIndex(), expected[i].image);
    }
    EXPECT_EQ(items->Items(3)->ShortCutKey(), fw::scAlt | VK_F4);
    items->Items(1)->Click();
    EXPECT_TRUE(PumpUntil([&] { return IsIconic(form->Handle()) != FALSE; }));
    items->Items(0)->Click();
    EXPECT_TRUE(PumpUntil([&] { return !IsIconic(form->Handle()); }));
    form->OnClose = fw::TCloseEvent(&closeSpy, &TCloseSpy::FormClose);
    items->Items(3)->Click();
    EXPECT_TRUE(PumpUntil([&] { return closeSpy.closed; }));
}

TEST_F(SysMenuTest, AltSpaceShowsTheCopyAndItsItemsActAsTheSystemsDo)
{
    TWinSkinForm* s = Skin({fw::biSystemMenu, fw::biMinimize, fw::biMaximize});
    s->BuildSystemMenu();
    int maximize = -1;
    ASSERT_NE(ItemOf(s, SC_MAXIMIZE, &maximize), nullptr);
    {
        TMenuDriver driver({TMenuDriver::Shot(form->Handle(), "sysmenu_popup.bmp",
                                              TMenuDriver::ChooseAt(maximize))});
        PostMessageW(form->Handle(), WM_SYSCOMMAND, SC_KEYMENU, ' ');
        EXPECT_TRUE(PumpUntil([&] { return IsZoomed(form->Handle()) != FALSE; }));
        ASSERT_EQ(driver.Opened.size(), 1u);
        EXPECT_EQ(driver.Opened[0], s->SysMenu->Handle());
    }
    Pump();
    EXPECT_EQ(s->WindowState, wsMaximized);
    // The system-menu caption button shows the same copy; its Close closes.
    int close = -1;
    s->BuildSystemMenu();
    ASSERT_NE(ItemOf(s, SC_CLOSE, &close), nullptr);
    form->OnClose = fw::TCloseEvent(&closeSpy, &TCloseSpy::FormClose);
    TWinSysButton* icon = nullptr;
    for (auto& b : s->SysButtons)
        if (b->IsSysMenuButton() && b->Visible) icon = b.get();
    ASSERT_NE(icon, nullptr);
    // Later than a double click after the last showing.
    s->LastSysMenuTick = GetTickCount() - s->DoubleClickTime - 1;
    const RECT w = test::WindowRectOf(form->Handle());
    const LPARAM at = MAKELPARAM(w.left + (icon->Rect.left + icon->Rect.right) / 2,
                                 w.top + (icon->Rect.top + icon->Rect.bottom) / 2);
    TMenuDriver driver({TMenuDriver::ChooseAt(close)});
    SendMessageW(form->Handle(), WM_NCLBUTTONDOWN, HTCAPTION, at);
    SendMessageW(form->Handle(), WM_NCLBUTTONUP, HTCAPTION, at);
    EXPECT_TRUE(PumpUntil([&] { return closeSpy.closed; }));
    ASSERT_EQ(driver.Opened.size(), 1u);
}

TEST_F(SysMenuTest, ASkinnerFreedWhileAltSpaceShowsItsMenuIsNotTouchedAgain)
{
    // Freed from the menu loop's timer: the skinner alone, or with its form.
    for (const bool withForm : {false, true}) {
        SCOPED_TRACE(withForm ? "form freed" : "skinner freed");
        TWinSkinForm* s = Skin({fw::biSystemMenu, fw::biMinimize, fw::biMaximize});
        HWND window = form->Handle();
        const LONG_PTR skinned = GetWindowLongPtrW(window, GWLP_WNDPROC);
        {
            TMenuDriver driver({[&](HWND) {
                if (withForm)
                    form.reset();
                else
                    s->Free();
                commands->freed = true;
                EndMenu();
            }});
            PostMessageW(window, WM_SYSCOMMAND, SC_KEYMENU, ' ');
            EXPECT_TRUE(PumpUntil([&] { return commands->freed; }));
            Pump();
            EXPECT_EQ(driver.Opened.size(), 1u);
        }
        // The key's command went no further once its skinner had gone
        // (passing it on would have read the freed skinner).
        EXPECT_EQ(commands->afterFree, 0);
        if (withForm) {
            EXPECT_FALSE(IsWindow(window));
            continue;
        }
        EXPECT_NE(GetWindowLongPtrW(window, GWLP_WNDPROC), skinned);
        SendMessageW(window, WM_SYSCOMMAND, SC_KEYMENU, 'x');
        EXPECT_EQ(commands->afterFree, 1);  // the window's own procedure again
        form.reset();
    }
}

}  // namespace
}  // namespace skin
