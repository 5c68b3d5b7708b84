// Skinners freed by the skin manager's commands while a loop is running
// inside one of their own messages: a button's click showing a message box,
// a scroll bar's native tracking, the application's OnAfterSkinForm, the
// system menu and a menu bar's popups. Each is let go at once (its window
// unskinned) and deleted only once the message has returned. The freed
// memory is kept and watched (freedmemory.h), so that a skinner touched
// once it is gone shows, whatever the heap would have done with it.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/application.h"
#include "framework/dialogs.h"
#include "framework/forms.h"
#include "framework/menus.h"
#include "framework/stdctrls.h"
#include "skin/controls/skinbutton.h"
#include "skin/controls/skinscroll.h"
#include "skin/controls/tests/controlfixture.h"
#include "skin/data/skindata.h"
#include "skin/engine/skinmessages.h"
#include "skin/engine/skinunit.h"
#include "skin/form/menubar.h"
#include "skin/form/skinmanage.h"
#include "skin/form/tests/menudriver.h"
#include "skin/form/tests/skinnedwindow.h"
#include "skin/form/winskinform.h"
#include "skin/tests/deletewatch.h"
#include "skin/tests/freedmemory.h"
#include "skin/tests/pump.h"
#include "tools/windrive/windrive.h"

namespace skin {
namespace {

using test::TDeleteWatch;
using test::TFreedMemoryWatch;
using test::TMenuDriver;

using test::Skinned;

const char* CommandName(TSkinCommand command)
{
    return command == smUnskinAll ? "unskin" : "reload";
}

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

// What a loop inside a skinner's message saw once the command had run:
// whether the window was still skinned and whether the skinners watched
// were deleted already.
struct TInside {
    bool Seen = false;
    bool Skinned = false;
    bool Deleted = false;
};

TInside SeenInside(HWND window, const std::vector<const TDeleteWatch*>& watches)
{
    TInside seen{true, Skinned(window), false};
    for (const TDeleteWatch* w : watches) seen.Deleted = seen.Deleted || w->Deleted();
    return seen;
}

// Runs the command while a message box is shown, and notes what the box's
// loop sees after it.
struct TModalCommand : fw::TObject {
    void Run()
    {
        ++runs;
        manager->CommandSkinData = data;
        manager->PostSkinCommand(command, 1);
        TAfterCommand after(manager, [this] {
            Note();
            if (HWND box = windrive::ThreadMessageBox(GetCurrentThreadId()))
                PostMessageW(box, WM_COMMAND, IDOK, 0);
        });
        fw::ShowMessageBox("While the command runs", "Command", MB_OK);
        ran = after.Ran;
    }
    void Click(fw::TObject*) { Run(); }
    void Note() { inside = SeenInside(window, watches); }
    TSkinManage* manager = nullptr;
    TSkinData* data = nullptr;
    TSkinCommand command = smNone;
    HWND window = nullptr;
    std::vector<const TDeleteWatch*> watches;
    int runs = 0;
    bool ran = false;
    TInside inside;
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
    TSkinManage* manager = nullptr;
};

TEST_F(FreedSkinnerTest, AButtonClickedBySpaceWhoseClickRunsACommandInAModalBox)
{
    // Space down and up on the focused button: the key-up reaches the
    // button's own procedure through the skinner, which clicks the button
    // through the form (the reflected command, again through the skinner);
    // the click's message box runs the manager's command.
    for (const TSkinCommand command : {smUnskinAll, smReload}) {
        SCOPED_TRACE(CommandName(command));
        auto* button = Put<fw::TButton>(20, 20, 90, 26);
        TModalCommand click;
        click.manager = manager;
        click.data = data.get();
        click.command = command;
        button->OnClick = fw::TNotifyEvent(&click, &TModalCommand::Click);
        TWinSkinForm* skinner = SkinForm();
        ASSERT_NE(skinner, nullptr);
        auto* s = dynamic_cast<TSkinButton*>(skinner->Controls().FindByControl(button));
        ASSERT_NE(s, nullptr);
        HWND h = button->Handle();
        click.window = h;
        fw::TOwnedPtr<TDeleteWatch> formGone(new TDeleteWatch(skinner));
        fw::TOwnedPtr<TDeleteWatch> buttonGone(new TDeleteWatch(s));
        click.watches = {formGone.get(), buttonGone.get()};
        SetFocus(h);
        ASSERT_EQ(GetFocus(), h);
        {
            TFreedMemoryWatch watch;
            SendMessageW(h, WM_KEYDOWN, VK_SPACE, 0x00390001);
            EXPECT_TRUE(s->MouseState & msPressed);
            SendMessageW(h, WM_KEYUP, VK_SPACE, LPARAM(0xC0390001));
            EXPECT_EQ(click.runs, 1);
            EXPECT_TRUE(click.ran);
            EXPECT_EQ(watch.CallsIntoFreed(), 0);
            EXPECT_EQ(watch.WrittenAfterFree(), 0);
            // Neither skinner went while the box's loop ran inside their
            // messages: the button was unskinned there at once (or stayed
            // skinned, reloaded).
            EXPECT_TRUE(click.inside.Seen);
            EXPECT_FALSE(click.inside.Deleted);
            EXPECT_EQ(click.inside.Skinned, command == smReload);
            if (command == smUnskinAll) {
                // Both went once the key's message had returned, and
                // nothing of them was touched on the way back.
                EXPECT_TRUE(formGone->Deleted());
                EXPECT_TRUE(buttonGone->Deleted());
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
    fw::TOwnedPtr<TDeleteWatch> barGone(new TDeleteWatch(s->VertBar));
    fw::TOwnedPtr<TDeleteWatch> memoGone(new TDeleteWatch(s));
    {
        TFreedMemoryWatch watch;
        // The press on the bar's lower arrow goes on to the memo, whose
        // tracking loop runs the command and ends with the release. The
        // bar's window and the memo's skinner wait for the press to return.
        manager->CommandSkinData = data.get();
        manager->PostSkinCommand(smUnskinAll, 1);
        bool deletedInside = true, barShownInside = true;
        TAfterCommand after(manager, [&] {
            deletedInside = barGone->Deleted() || memoGone->Deleted();
            barShownInside = IsWindowVisible(bar) != FALSE;
            PostMessageW(host, WM_LBUTTONUP, 0, 0);
        });
        SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right / 2, r.bottom - 3));
        EXPECT_TRUE(after.Ran);
        EXPECT_FALSE(deletedInside);
        EXPECT_FALSE(barShownInside);
        EXPECT_TRUE(barGone->Deleted());
        EXPECT_TRUE(memoGone->Deleted());
        EXPECT_FALSE(IsWindow(bar));
        EXPECT_FALSE(Skinned(host));
        EXPECT_GT(watch.Freed(), 0u);
        EXPECT_EQ(watch.CallsIntoFreed(), 0);
        EXPECT_EQ(watch.WrittenAfterFree(), 0);
    }
    EXPECT_EQ(GetCapture(), nullptr);
}

// A form skinned with the default skin through the manager, with a menu
// bar and a button, whose skinner is watched while a loop of the
// application's or of a menu runs inside one of its messages.
class FormSkinnerLoopTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        data.reset(test::NewDefaultSkinData());
        ASSERT_FALSE(data->NoSkin());
        manager = CreateSkinManager(false);
        manager->RegisterSkinData(data.get());
        manager->Active = true;
        manager->State = TSkinManage::kActive;
        form.reset(new fw::TForm(nullptr));
        form->SetCaption("Loops");
        form->SetBounds(120, 80, 360, 240);
        form->SetBorderIcons({fw::biSystemMenu, fw::biMinimize, fw::biMaximize});
        auto* menu = new fw::TMainMenu(form.get());
        auto* file = test::AddMenuItem(form.get(), menu->Items(), "&File");
        test::AddMenuItem(form.get(), file, "&Open");
        test::AddMenuItem(form.get(), file, "E&xit");
        form->SetMenu(menu);
        command.manager = manager;
        command.data = data.get();
    }
    void TearDown() override
    {
        watches.clear();
        form.reset();
        data.reset();
    }
    // Shows the form and has the manager skin it; its skinner, watched,
    // once the activation has run (or been cut short by its handler).
    TWinSkinForm* SkinForm(bool waitActive = true)
    {
        manager->Active = true;
        form->Show();
        HWND window = form->Handle();
        command.window = window;
        // The manager's hook may have skinned it as it was activated.
        if (!manager->FindSkinForm(window)) {
            EXPECT_TRUE(manager->SkinWindow(window));
        }
        TWinSkinForm* skinner = manager->FindSkinForm(window);
        EXPECT_NE(skinner, nullptr);
        if (!skinner) return nullptr;
        Watch(skinner);
        if (waitActive) {
            EXPECT_TRUE(test::PumpUntil([&] { return skinner->FormState == fsActive; }));
        }
        return skinner;
    }
    void Watch(fw::TComponent* c)
    {
        watches.emplace_back(new TDeleteWatch(c));
        command.watches.push_back(watches.back().get());
    }
    bool AllDeleted() const
    {
        for (const auto& w : watches)
            if (!w->Deleted()) return false;
        return !watches.empty();
    }
    // Runs the command once the menu shows, notes what its loop sees and
    // then does what finish does with the popup (choose an item, end it).
    void CommandInMenu(TSkinCommand c, const std::function<void()>& open,
                       const std::function<void(HWND popup)>& finish)
    {
        command.command = c;
        std::unique_ptr<TAfterCommand> after;
        HWND popup = nullptr;
        bool done = false;
        TMenuDriver driver({[&](HWND p) {
            popup = p;
            manager->CommandSkinData = data.get();
            manager->PostSkinCommand(c, 1);
            after = std::make_unique<TAfterCommand>(manager, [&] {
                command.Note();
                finish(popup);
                done = true;
            });
        }});
        open();
        EXPECT_TRUE(test::PumpUntil([&] { return done; }));
        test::Pump();
        EXPECT_EQ(driver.Opened.size(), 1u);
        command.ran = after && after->Ran;
    }
    // The skinner still skinning after a reload: the frame is drawn by it.
    void ExpectStillSkinned(TWinSkinForm* skinner)
    {
        EXPECT_FALSE(AllDeleted());
        EXPECT_TRUE(Skinned(form->Handle()));
        EXPECT_EQ(manager->FindSkinForm(form->Handle()), skinner);
    }
    // Let go where the loop ran, deleted once its message returned.
    void ExpectLetGoThenDeleted()
    {
        EXPECT_TRUE(command.ran);
        EXPECT_TRUE(command.inside.Seen);
        EXPECT_FALSE(command.inside.Skinned);
        EXPECT_FALSE(command.inside.Deleted);
        EXPECT_TRUE(AllDeleted());
        EXPECT_FALSE(Skinned(form->Handle()));
        EXPECT_EQ(manager->FindSkinForm(form->Handle()), nullptr);
        // The window's own frame shows it as it is, active.
        HWND window = form->Handle();
        EXPECT_EQ(GetActiveWindow(), window);
        const auto shown = test::WindowShot(window);
        SendMessageW(window, WM_NCACTIVATE, TRUE, 0);
        EXPECT_EQ(test::DifferingPixels(shown.get(), test::WindowShot(window).get()), 0);
    }
    // Ends a round: a skinner that stayed is unskinned and the form hidden,
    // for the next round to skin it again. A shot of what the window showed
    // last is kept under the name given, if any (SIGNS_SHOTS).
    void EndRound(const std::string& shot = {})
    {
        HWND window = form->Handle();
        if (!shot.empty()) test::SaveShot(test::WindowShot(window).get(), (shot + ".bmp").c_str());
        if (manager->FindSkinForm(window)) {
            manager->CommandSkinData = data.get();
            manager->PostSkinCommand(smUnskinAll, 10000);
            manager->RunSkinCommand(nullptr);
        }
        manager->Active = true;
        watches.clear();
        command.watches.clear();
        command.inside = {};
        form->Hide();
    }
    POINT EntryPoint(TWinSkinForm* s, size_t i) const
    {
        const RECT w = test::WindowRectOf(form->Handle());
        const RECT& r = s->MenuBar->Entries.at(i)->Rect;
        return POINT{w.left + (r.left + r.right) / 2, w.top + (r.top + r.bottom) / 2};
    }

    TSkinEngineScope engine;  // ends with the test, and frees the manager
    fw::TOwnedPtr<TSkinData> data;
    fw::TOwnedPtr<fw::TForm> form;
    TSkinManage* manager = nullptr;
    TModalCommand command;
    std::vector<fw::TOwnedPtr<TDeleteWatch>> watches;
};

// The application's OnAfterSkinForm shows a box while the skin is taken off
// or reloaded: the activation that called it does nothing more.
struct TAfterSkinBox : fw::TObject {
    void AfterSkin(fw::TObject*, HWND window, const std::string&)
    {
        // The form's notifications only (the box is skinned too); the
        // reload's own shows no box.
        if (window != command->window || ++calls > 1) return;
        command->Run();
    }
    TModalCommand* command = nullptr;
    int calls = 0;
};

TEST_F(FormSkinnerLoopTest, OnAfterSkinFormWithABoxInWhichTheSkinGoesOrIsReloaded)
{
    for (const TSkinCommand c : {smUnskinAll, smReload}) {
        SCOPED_TRACE(CommandName(c));
        command.runs = 0;
        command.ran = false;
        command.command = c;
        TAfterSkinBox handler;
        handler.command = &command;
        data->OnAfterSkinForm = TOnSkinForm(&handler, &TAfterSkinBox::AfterSkin);
        TWinSkinForm* skinner = nullptr;
        {
            TFreedMemoryWatch watch;
            skinner = SkinForm(false);
            ASSERT_NE(skinner, nullptr);
            EXPECT_TRUE(test::PumpUntil([&] { return command.runs == 1 && command.ran; }));
            test::Pump();
            EXPECT_EQ(watch.CallsIntoFreed(), 0);
            EXPECT_EQ(watch.WrittenAfterFree(), 0);
        }
        data->OnAfterSkinForm = {};
        if (c == smUnskinAll) {
            ExpectLetGoThenDeleted();
        } else {
            EXPECT_EQ(handler.calls, 2);
            EXPECT_TRUE(command.inside.Skinned);
            ExpectStillSkinned(skinner);
            EXPECT_TRUE(test::PumpUntil([&] { return skinner->FormState == fsActive; }));
        }
        EndRound(std::string("after_skin_box_") + CommandName(c));
    }
}

TEST_F(FormSkinnerLoopTest, TheSystemMenuInWhoseLoopTheSkinGoesOrIsReloaded)
{
    // Maximize is chosen after the command has run: from the skin's menu
    // it maximises the window only while the skinner still skins it.
    for (const TSkinCommand c : {smUnskinAll, smReload}) {
        SCOPED_TRACE(CommandName(c));
        TWinSkinForm* skinner = SkinForm();
        ASSERT_NE(skinner, nullptr);
        HWND window = form->Handle();
        {
            TFreedMemoryWatch watch;
            CommandInMenu(
                c, [&] { PostMessageW(window, WM_SYSCOMMAND, SC_KEYMENU, ' '); },
                [](HWND popup) { TMenuDriver::ChooseAt(4)(popup); });
            EXPECT_EQ(watch.CallsIntoFreed(), 0);
            EXPECT_EQ(watch.WrittenAfterFree(), 0);
        }
        if (c == smUnskinAll) {
            ExpectLetGoThenDeleted();
            EXPECT_FALSE(IsZoomed(window));
        } else {
            EXPECT_TRUE(command.inside.Skinned);
            ExpectStillSkinned(skinner);
            EXPECT_TRUE(test::PumpUntil([&] { return IsZoomed(window) != FALSE; }));
            ShowWindow(window, SW_RESTORE);
        }
        EndRound(std::string("system_menu_") + CommandName(c));
    }
}

TEST_F(FormSkinnerLoopTest, ABarPopupInWhoseLoopTheSkinGoesOrIsReloaded)
{
    // Opened by Alt and its letter, and by a click on its entry.
    for (const bool click : {false, true})
        for (const TSkinCommand c : {smUnskinAll, smReload}) {
            SCOPED_TRACE(std::string(click ? "click, " : "key, ") + CommandName(c));
            TWinSkinForm* skinner = SkinForm();
            ASSERT_NE(skinner, nullptr);
            ASSERT_NE(skinner->MenuBar, nullptr);
            test::Pump();  // the frame painted, the bar's entries laid out
            HWND window = form->Handle();
            const POINT at = EntryPoint(skinner, 0);
            {
                TFreedMemoryWatch watch;
                CommandInMenu(
                    c,
                    [&] {
                        if (click)
                            PostMessageW(window, WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(at.x, at.y));
                        else
                            PostMessageW(window, WM_SYSCOMMAND, SC_KEYMENU, 'f');
                    },
                    [](HWND) { EndMenu(); });
                EXPECT_EQ(watch.CallsIntoFreed(), 0);
                EXPECT_EQ(watch.WrittenAfterFree(), 0);
            }
            if (c == smUnskinAll) {
                ExpectLetGoThenDeleted();
                // The window shows its own menu bar again.
                EXPECT_NE(GetMenu(window), nullptr);
            } else {
                EXPECT_TRUE(command.inside.Skinned);
                ExpectStillSkinned(skinner);
                EXPECT_FALSE(skinner->MenuTracking);
            }
            EndRound(std::string(click ? "bar_click_" : "bar_key_") + CommandName(c));
        }
}

// A button whose click takes the skin off at once, inside the click's
// messages to the button and the form.
struct TUnskinClick : fw::TObject {
    void Click(fw::TObject*)
    {
        manager->CommandSkinData = data;
        manager->PostSkinCommand(smUnskinAll, 10000);
        manager->RunSkinCommand(nullptr);
        inside = SeenInside(window, watches);
    }
    TSkinManage* manager = nullptr;
    TSkinData* data = nullptr;
    HWND window = nullptr;
    std::vector<const TDeleteWatch*> watches;
    TInside inside;
};

TEST_F(FormSkinnerLoopTest, SkinnersLetGoInsideTheirMessagesAreDeletedEachTime)
{
    // A hundred rounds of skinning the form and clicking its button, whose
    // click unskins it: the button's skinner goes each time once the click
    // has returned, and nothing is left behind.
    auto* button = new fw::TButton(form.get());
    button->SetParent(form.get());
    button->SetBounds(20, 20, 90, 26);
    TUnskinClick unskin;
    unskin.manager = manager;
    unskin.data = data.get();
    button->OnClick = fw::TNotifyEvent(&unskin, &TUnskinClick::Click);
    size_t liveAfterWarmUp = 0;
    constexpr int kRounds = 100, kWarmUp = 10;
    for (int round = 1; round <= kRounds; ++round) {
        TWinSkinForm* skinner = SkinForm();
        ASSERT_NE(skinner, nullptr);
        TSkinControl* s = skinner->Controls().FindByControl(button);
        ASSERT_NE(s, nullptr);
        Watch(s);
        unskin.window = button->Handle();
        // The click comes from the button's own release: its skinner is
        // busy there, the form's skinner is not and goes at once.
        unskin.watches = {watches.back().get()};
        unskin.inside = {};
        SendMessageW(button->Handle(), BM_CLICK, 0, 0);
        ASSERT_TRUE(unskin.inside.Seen) << "round " << round;
        ASSERT_FALSE(unskin.inside.Skinned) << "round " << round;
        ASSERT_FALSE(unskin.inside.Deleted) << "round " << round;
        ASSERT_TRUE(AllDeleted()) << "round " << round;
        EndRound();
        test::Pump(0);
        if (round == kWarmUp) liveAfterWarmUp = test::LiveBlocks();
    }
    EXPECT_EQ(test::LiveBlocks(), liveAfterWarmUp);
}

}  // namespace
}  // namespace skin
