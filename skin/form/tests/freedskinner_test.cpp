// Control skinners freed by the skin manager's commands while a loop of
// their control's own is running inside one of their messages: a button's
// click showing a message box, a scroll bar's native tracking. The freed
// memory is kept and watched (freedmemory.h), so that a skinner touched
// once it is gone shows, whatever the heap would have done with it.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "framework/application.h"
#include "framework/dialogs.h"
#include "framework/stdctrls.h"
#include "skin/controls/skinbutton.h"
#include "skin/controls/skinscroll.h"
#include "skin/controls/tests/controlfixture.h"
#include "skin/data/skindata.h"
#include "skin/engine/skinmessages.h"
#include "skin/form/skinmanage.h"
#include "skin/form/winskinform.h"
#include "skin/tests/freedmemory.h"
#include "skin/tests/pump.h"
#include "tools/windrive/windrive.h"

namespace skin {
namespace {

using test::TFreedMemoryWatch;

// While a command is pending the manager's timer is due; once it has run,
// whatever waited for it (a message box, a scroll bar's tracking) is ended
// by a thread timer. Past a deadline it is ended anyway.
class TAfterCommand {
public:
    TAfterCommand(TSkinManage* manager, std::function<void()> end) : manager_(manager), end_(end)
    {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 20, Tick);
    }
    ~TAfterCommand()
    {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    TAfterCommand(const TAfterCommand&) = delete;
    TAfterCommand& operator=(const TAfterCommand&) = delete;
    bool Ran = false;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        TAfterCommand* self = current_;
        if (!self || self->ended_) return;
        self->Ran = self->manager_->PendingCommand() == smNone;
        if (!self->Ran && GetTickCount() - self->start_ < 3000) return;
        self->ended_ = true;
        self->end_();
    }
    static inline TAfterCommand* current_ = nullptr;
    TSkinManage* manager_;
    std::function<void()> end_;
    UINT_PTR timer_ = 0;
    DWORD start_ = GetTickCount();
    bool ended_ = false;
};

// A button's click that posts a command to the manager and shows a message
// box until the command has run.
struct TModalClick : fw::TObject {
    void Click(fw::TObject*)
    {
        ++clicks;
        manager->CommandSkinData = data;
        manager->PostSkinCommand(command, 1);
        TAfterCommand after(manager, [] {
            if (HWND box = windrive::ThreadMessageBox(GetCurrentThreadId()))
                PostMessageW(box, WM_COMMAND, IDOK, 0);
        });
        fw::ShowMessageBox("While the command runs", "Click", MB_OK);
        ran = after.Ran;
    }
    TSkinManage* manager = nullptr;
    TSkinData* data = nullptr;
    TSkinCommand command = smNone;
    int clicks = 0;
    bool ran = false;
};

class FreedSkinnerTest : public test::ControlTest {
protected:
    void SetUp() override
    {
        test::ControlTest::SetUp();
        manager = CreateSkinManager(false);
        manager->RegisterSkinData(data.get());
        manager->Active = true;
        manager->State = TSkinManage::kActive;
    }
    // Skins the form through the manager; its skinner once active.
    TWinSkinForm* SkinForm()
    {
        form->Show();
        EXPECT_TRUE(manager->SkinWindow(form->Handle()));
        TWinSkinForm* skinner = manager->FindSkinForm(form->Handle());
        EXPECT_NE(skinner, nullptr);
        if (!skinner) return nullptr;
        EXPECT_TRUE(test::PumpUntil([&] { return skinner->FormState == fsActive; }));
        return skinner;
    }
    static bool Skinned(HWND window) { return SendMessageW(window, WM_SKINQUERY, 0, 0) == 1; }

    TSkinManage* manager = nullptr;
};

TEST_F(FreedSkinnerTest, AButtonClickedBySpaceWhoseClickRunsACommandInAModalBox)
{
    // Space down and up on the focused button: the key-up reaches the
    // button's own procedure through the skinner, which clicks the button
    // through the form (the reflected command, again through the skinner);
    // the click's message box runs the manager's command.
    for (const TSkinCommand command : {smUnskinAll, smReload}) {
        SCOPED_TRACE(command == smUnskinAll ? "unskin" : "reload");
        auto* button = Put<fw::TButton>(20, 20, 90, 26);
        TModalClick click;
        click.manager = manager;
        click.data = data.get();
        click.command = command;
        button->OnClick = fw::TNotifyEvent(&click, &TModalClick::Click);
        TWinSkinForm* skinner = SkinForm();
        ASSERT_NE(skinner, nullptr);
        auto* s = dynamic_cast<TSkinButton*>(skinner->Controls().FindByControl(button));
        ASSERT_NE(s, nullptr);
        HWND h = button->Handle();
        SetFocus(h);
        ASSERT_EQ(GetFocus(), h);
        {
            TFreedMemoryWatch watch;
            SendMessageW(h, WM_KEYDOWN, VK_SPACE, 0x00390001);
            EXPECT_TRUE(s->MouseState & msPressed);
            SendMessageW(h, WM_KEYUP, VK_SPACE, LPARAM(0xC0390001));
            EXPECT_EQ(click.clicks, 1);
            EXPECT_TRUE(click.ran);
            EXPECT_EQ(watch.CallsIntoFreed(), 0);
            EXPECT_EQ(watch.WrittenAfterFree(), 0);
            if (command == smUnskinAll) {
                // The skinner went in the box's loop, and nothing of it was
                // touched on the way back.
                EXPECT_GT(watch.Freed(), 0u);
                EXPECT_EQ(manager->FindSkinForm(form->Handle()), nullptr);
                EXPECT_FALSE(Skinned(h));
                EXPECT_EQ(button->WindowProc, fw::TWndMethod(button, &fw::TControl::WndProc));
            } else {
                // A skinner that stays goes on after its control: the key-up
                // takes the pressed look away.
                EXPECT_EQ(skinner->Controls().FindByControl(button), s);
                EXPECT_FALSE(s->MouseState & msPressed);
                EXPECT_TRUE(Skinned(h));
            }
        }
        if (command == smReload) {
            manager->CommandSkinData = data.get();
            manager->PostSkinCommand(smUnskinAll, 10000);
            manager->RunSkinCommand(nullptr);
        }
        button->Free();
        manager->Active = true;
    }
}

TEST_F(FreedSkinnerTest, AScrollBarPressWhoseTrackingUnskinsTheForm)
{
    auto* memo = Put<fw::TMemo>(10, 10, 150, 80);
    memo->SetScrollBars(fw::ssVertical);
    std::string text;
    for (int i = 0; i < 40; ++i) text += "line\r\n";
    memo->SetText(text);
    TWinSkinForm* skinner = SkinForm();
    ASSERT_NE(skinner, nullptr);
    auto* s = dynamic_cast<TSkinScrollbar*>(skinner->Controls().FindByControl(memo));
    ASSERT_NE(s, nullptr);
    ASSERT_TRUE(s->VertBar && s->VertBar->Shown);
    HWND bar = s->VertBar->Handle();
    HWND host = memo->Handle();
    RECT r;
    GetClientRect(bar, &r);
    {
        TFreedMemoryWatch watch;
        // The press on the bar's lower arrow goes on to the memo, whose
        // tracking loop runs the command and ends with the release.
        manager->CommandSkinData = data.get();
        manager->PostSkinCommand(smUnskinAll, 1);
        TAfterCommand after(manager, [host] { PostMessageW(host, WM_LBUTTONUP, 0, 0); });
        SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right / 2, r.bottom - 3));
        EXPECT_TRUE(after.Ran);
        EXPECT_FALSE(IsWindow(bar));
        EXPECT_FALSE(Skinned(host));
        EXPECT_GT(watch.Freed(), 0u);
        EXPECT_EQ(watch.CallsIntoFreed(), 0);
        EXPECT_EQ(watch.WrittenAfterFree(), 0);
    }
    EXPECT_EQ(GetCapture(), nullptr);
}

}  // namespace
}  // namespace skin
