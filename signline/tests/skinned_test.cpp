// signline's window as the skin engine draws it, in process: skinned when
// it is first activated, its frame read back active and inactive, its
// caption buttons clicked, its message boxes skinned and closed by OK, and
// the manager's commands unskinning and skinning it again.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/application.h"
#include "framework/forms.h"
#include "framework/menus.h"
#include "signline/send.h"
#include "skin/engine/skinunit.h"
#include "skin/form/skinmanage.h"
#include "skin/form/tests/menudriver.h"
#include "skin/form/tests/skinnedwindow.h"
#include "skin/form/winskinform.h"
#include "tools/windrive/windrive.h"

namespace signline {
namespace {

using skin::test::ClickCaptionButton;
using skin::test::ClientSizeOf;
using skin::test::PixelAt;
using skin::test::Pump;
using skin::test::PumpUntil;

constexpr int kClientW = 669, kClientH = 295;

// While it lives, presses OK on every message box of the thread once the
// box answers the is-skinned query, and records what it found.
class TBoxPresser {
public:
    TBoxPresser()
    {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 50, Tick);
    }
    ~TBoxPresser()
    {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    TBoxPresser(const TBoxPresser&) = delete;
    TBoxPresser& operator=(const TBoxPresser&) = delete;

    struct TBox {
        HWND window;
        bool skinned;
        bool region;
    };
    std::vector<TBox> boxes;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        if (!current_) return;
        HWND box = windrive::ThreadMessageBox(GetCurrentThreadId());
        if (!box) return;
        const bool skinned = SendMessageW(box, skin::WM_SKINQUERY, 0, 0) == 1;
        // Give the skinner its activation before looking.
        if (!skinned && ++current_->waited_ < 20) return;
        current_->waited_ = 0;
        HRGN rgn = CreateRectRgn(0, 0, 0, 0);
        const bool region = GetWindowRgn(box, rgn) == COMPLEXREGION;
        DeleteObject(rgn);
        current_->boxes.push_back({box, skinned, region});
        SendMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    }
    static inline TBoxPresser* current_ = nullptr;
    UINT_PTR timer_ = 0;
    int waited_ = 0;
};

class SkinnedWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fw::Application->Initialize();
        form.reset(fw::CreateForm<TStripSenderForm>(nullptr));
        spy = std::make_unique<skin::test::TNotifySpy>();
        spy->Hook(form.get());
        form->Show();
        SetForegroundWindow(form->Handle());
        ASSERT_TRUE(PumpUntil([&] { return !spy->notes.empty(); }));
        Pump();
    }
    void TearDown() override { form.reset(); }
    HWND Handle() { return form->Handle(); }
    bool Skinned() { return SendMessageW(Handle(), skin::WM_SKINQUERY, 0, 0) == 1; }
    bool HasRegion()
    {
        HRGN rgn = CreateRectRgn(0, 0, 0, 0);
        const int kind = GetWindowRgn(Handle(), rgn);
        DeleteObject(rgn);
        return kind == COMPLEXREGION;
    }

    skin::TSkinEngineScope engine;
    fw::TOwnedPtr<TStripSenderForm> form;
    std::unique_ptr<skin::test::TNotifySpy> spy;
};

TEST_F(SkinnedWindowTest, SkinnedOnItsFirstActivation)
{
    ASSERT_EQ(spy->notes.size(), 1u);
    EXPECT_EQ(spy->notes[0].WParam, 0u);
    EXPECT_EQ(spy->notes[0].LParam, skin::SKIN_MARKER);
    EXPECT_TRUE(Skinned());
    EXPECT_TRUE(HasRegion());
    const SIZE client = ClientSizeOf(Handle());
    EXPECT_EQ(client.cx, kClientW);
    EXPECT_EQ(client.cy, kClientH);
}

TEST_F(SkinnedWindowTest, FramePixelsActiveAndInactive)
{
    const skin::TSkinContent& s = form->SkinData1->Skin();
    const int w =
        skin::test::WindowRectOf(Handle()).right - skin::test::WindowRectOf(Handle()).left;
    // Above the caption text and buttons, where the Top piece is stretched.
    const int x = w - 120, y = 2;
    auto active = skin::test::PaintedFrame(Handle());
    EXPECT_EQ(PixelAt(active.get(), x, y), PixelAt(s.Top->Image.get(), 24, y));
    EXPECT_EQ(PixelAt(active.get(), 300, 100), 0x00FF00u);  // the client area is left alone
    SendMessageW(Handle(), WM_NCACTIVATE, FALSE, 0);
    auto inactive = skin::test::PaintedFrame(Handle());
    EXPECT_EQ(PixelAt(inactive.get(), x, y), PixelAt(s.Top->Image.get(), 24, 30 + y));
    SendMessageW(Handle(), WM_NCACTIVATE, TRUE, 0);
}

TEST_F(SkinnedWindowTest, MinimiseRestoreAndCloseByCaptionButtons)
{
    // The default skin's buttons: minimise 100, maximise 68, close 36
    // pixels from the right edge.
    ClickCaptionButton(Handle(), 100);
    EXPECT_TRUE(PumpUntil([&] { return IsIconic(Handle()) != FALSE; }));
    Pump();
    SendMessageW(Handle(), skin::WM_SKINREPAINT, 0, 0);
    ClickCaptionButton(Handle(), 100);
    EXPECT_TRUE(PumpUntil([&] { return !IsIconic(Handle()); }));
    Pump();
    EXPECT_EQ(ClientSizeOf(Handle()).cx, kClientW);
    EXPECT_EQ(ClientSizeOf(Handle()).cy, kClientH);
    ClickCaptionButton(Handle(), 36);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(Handle()); }));
}

TEST_F(SkinnedWindowTest, AltSpaceAndTheIconButtonShowTheOwnerDrawnSystemMenu)
{
    skin::TWinSkinForm* s = skin::SkinManager()->FindSkinForm(Handle());
    ASSERT_NE(s, nullptr);
    // The position of a command's item in the replacement menu.
    auto position = [&](UINT command) {
        s->BuildSystemMenu();
        fw::TMenuItem* items = s->SysMenu->Items();
        for (int i = 0; i < items->Count(); ++i)
            if (items->Items(i)->Tag() == int32_t(command)) return i;
        return -1;
    };
    const int minimize = position(SC_MINIMIZE);
    ASSERT_GE(minimize, 0);
    UINT type = 0;
    bool popupSkinned = false;
    {
        skin::test::TMenuDriver driver({[&](HWND popup) {
            auto menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
            MENUITEMINFOW mii{};
            mii.cbSize = sizeof mii;
            mii.fMask = MIIM_FTYPE;
            GetMenuItemInfoW(menu, UINT(minimize), TRUE, &mii);
            type = mii.fType;
            popupSkinned = SendMessageW(popup, skin::WM_SKINQUERY, 0, 0) == 1;
            skin::test::TMenuDriver::ChooseAt(minimize)(popup);
        }});
        PostMessageW(Handle(), WM_SYSCOMMAND, SC_KEYMENU, ' ');
        EXPECT_TRUE(PumpUntil([&] { return IsIconic(Handle()) != FALSE; }));
        ASSERT_EQ(driver.Opened.size(), 1u);
        EXPECT_EQ(driver.Opened[0], s->SysMenu->Handle());
    }
    EXPECT_TRUE(type & MFT_OWNERDRAW);
    EXPECT_TRUE(popupSkinned);
    ShowWindow(Handle(), SW_RESTORE);
    Pump();

    // The system-menu caption button (the window's icon) shows it too.
    skin::TWinSysButton* icon = nullptr;
    for (auto& b : s->SysButtons)
        if (b->IsSysMenuButton() && b->Visible) icon = b.get();
    ASSERT_NE(icon, nullptr);
    const int close = position(SC_CLOSE);
    s->LastSysMenuTick = GetTickCount() - s->DoubleClickTime - 1;
    const RECT w = skin::test::WindowRectOf(Handle());
    const LPARAM at = MAKELPARAM(w.left + (icon->Rect.left + icon->Rect.right) / 2,
                                 w.top + (icon->Rect.top + icon->Rect.bottom) / 2);
    skin::test::TMenuDriver driver({skin::test::TMenuDriver::ChooseAt(close)});
    SendMessageW(Handle(), WM_NCLBUTTONDOWN, HTCAPTION, at);
    SendMessageW(Handle(), WM_NCLBUTTONUP, HTCAPTION, at);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(Handle()); }));
    EXPECT_EQ(driver.Opened.size(), 1u);
}

TEST_F(SkinnedWindowTest, MessageBoxesAreSkinnedAndClosedByOK)
{
    TBoxPresser presser;
    form->Button1->SetEnabled(true);
    SendMessageW(form->Button1->Handle(), BM_CLICK, 0, 0);  // no port: two boxes
    ASSERT_EQ(presser.boxes.size(), 2u);
    for (const auto& box : presser.boxes) {
        EXPECT_TRUE(box.skinned);
        EXPECT_TRUE(box.region);
        EXPECT_FALSE(IsWindow(box.window));
    }
    // The skinner of a box that is gone stays listed, marked, until the
    // next command frees it.
    skin::TSkinManage* manager = skin::SkinManager();
    ASSERT_NE(manager, nullptr);
    const HWND last = presser.boxes.back().window;
    skin::TWinSkinForm* gone = manager->FindSkinForm(last);
    ASSERT_NE(gone, nullptr);
    EXPECT_EQ(gone->FormState, skin::fsDestroyed);
    manager->CommandSkinData = form->SkinData1;
    manager->PostSkinCommand(skin::smReload, 250);
    EXPECT_TRUE(PumpUntil([&] { return manager->CommandSkinData == nullptr; }));
    EXPECT_EQ(manager->FindSkinForm(last), nullptr);
    EXPECT_TRUE(Skinned());
}

TEST_F(SkinnedWindowTest, UnskinAllSkinAllAndReloadLeaveTheWindowAsItWas)
{
    const RECT skinned = skin::test::WindowRectOf(Handle());
    form->SkinData1->SetActive(false);  // the unskin-all command
    EXPECT_TRUE(PumpUntil([&] { return !Skinned(); }));
    Pump();
    EXPECT_FALSE(HasRegion());
    EXPECT_EQ(ClientSizeOf(Handle()).cx, kClientW);
    EXPECT_EQ(ClientSizeOf(Handle()).cy, kClientH);

    spy->notes.clear();
    form->SkinData1->SetActive(true);  // the skin-all command
    EXPECT_TRUE(PumpUntil([&] { return !spy->notes.empty(); }));
    Pump();
    EXPECT_TRUE(Skinned());
    EXPECT_TRUE(HasRegion());
    const RECT again = skin::test::WindowRectOf(Handle());
    EXPECT_EQ(again.right - again.left, skinned.right - skinned.left);
    EXPECT_EQ(again.bottom - again.top, skinned.bottom - skinned.top);
    EXPECT_EQ(ClientSizeOf(Handle()).cx, kClientW);

    // The reload command builds the caption buttons again and applies the
    // skin again: same size, same region, skinned.
    skin::TSkinManage* manager = skin::SkinManager();
    spy->notes.clear();
    manager->CommandSkinData = form->SkinData1;
    manager->PostSkinCommand(skin::smReload, 250);
    EXPECT_TRUE(PumpUntil([&] { return manager->CommandSkinData == nullptr; }));
    Pump();
    EXPECT_FALSE(spy->notes.empty());
    EXPECT_TRUE(Skinned());
    EXPECT_TRUE(HasRegion());
    const RECT reloaded = skin::test::WindowRectOf(Handle());
    EXPECT_TRUE(EqualRect(&reloaded, &again));
    EXPECT_EQ(ClientSizeOf(Handle()).cx, kClientW);
    EXPECT_EQ(ClientSizeOf(Handle()).cy, kClientH);
}

}  // namespace
}  // namespace signline
