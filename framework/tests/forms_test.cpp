// What a form's window carries and hears beyond its controls: its icons,
// CM_MENUCHANGED at its window procedure, the dialog keys and characters
// of the message loop, its modal state.
#include <gtest/gtest.h>

#include <vector>

#include "framework/application.h"
#include "framework/menus.h"
#include "framework/stdctrls.h"
#include "framework/subclass.h"

namespace fw {
namespace {

// Records what reaches a window procedure; answers `answer` to the key
// messages it is told to take.
class TWindowSpy : public TObject {
public:
    TSubclass hook{TWndMethod(this, &TWindowSpy::Proc)};
    std::vector<TMessage> seen;
    UINT take = 0;
    WPARAM takeKey = 0;

    int Count(UINT msg, WPARAM w) const
    {
        int n = 0;
        for (const TMessage& m : seen) n += m.Msg == msg && m.WParam == w;
        return n;
    }

private:
    void Proc(TMessage& m)
    {
        seen.push_back(m);
        if (m.Msg == take && m.WParam == takeKey) {
            m.Result = 1;
            return;
        }
        hook.CallDefault(m);
    }
};

class FormsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        form.reset(new TForm(nullptr));
        form->SetBounds(100, 100, 300, 200);
    }
    // Posts a key message to the focused window and runs the loop over it.
    void Key(UINT msg, WPARAM key)
    {
        PostMessageW(GetFocus(), msg, key, 1);
        Application->ProcessMessages();
    }
    TOwnedPtr<TForm> form;
};

TEST_F(FormsTest, FormsAndTheApplicationWindowCarryTheirIcons)
{
    for (HWND h : {form->Handle(), Application->Handle()}) {
        EXPECT_NE(SendMessageW(h, WM_GETICON, ICON_SMALL, 0), 0);
        EXPECT_NE(SendMessageW(h, WM_GETICON, ICON_BIG, 0), 0);
    }
}

TEST_F(FormsTest, MenuChangeReachesTheWindowProcedure)
{
    TWindowSpy spy;
    ASSERT_TRUE(spy.hook.Hook(form->Handle()));
    auto* menu = new TMainMenu(form.get());
    form->SetMenu(menu);
    EXPECT_GE(spy.Count(CM_MENUCHANGED, 0), 1);
}

TEST_F(FormsTest, LoopLetsTheFormTakeDialogKeysBeforeTheDialogManager)
{
    auto* first = new TButton(form.get());
    first->SetParent(form.get());
    auto* second = new TButton(form.get());
    second->SetParent(form.get());
    second->SetTop(40);
    auto* edit = new TEdit(form.get());
    edit->SetParent(form.get());
    edit->SetTop(80);
    form->Show();
    SetForegroundWindow(form->Handle());
    first->SetFocus();
    Application->ProcessMessages();
    ASSERT_EQ(GetFocus(), first->Handle());

    TWindowSpy spy;
    ASSERT_TRUE(spy.hook.Hook(form->Handle()));
    // Heard and not taken: the dialog manager still moves the focus.
    Key(WM_KEYDOWN, VK_TAB);
    EXPECT_EQ(spy.Count(CM_DIALOGKEY, VK_TAB), 1);
    EXPECT_EQ(GetFocus(), second->Handle());
    // Taken: the focus stays.
    spy.take = CM_DIALOGKEY;
    spy.takeKey = VK_TAB;
    Key(WM_KEYDOWN, VK_TAB);
    EXPECT_EQ(spy.Count(CM_DIALOGKEY, VK_TAB), 2);
    EXPECT_EQ(GetFocus(), second->Handle());

    // Characters: a mnemonic candidate on a button, never what an edit types.
    Key(WM_SYSCHAR, 'x');
    EXPECT_EQ(spy.Count(CM_DIALOGCHAR, 'x'), 1);
    edit->SetFocus();
    Application->ProcessMessages();
    Key(WM_CHAR, 'a');
    EXPECT_EQ(spy.Count(CM_DIALOGCHAR, 'a'), 0);
    EXPECT_EQ(edit->Text(), "a");
    // An edit keeps its arrows.
    Key(WM_KEYDOWN, VK_LEFT);
    EXPECT_EQ(spy.Count(CM_DIALOGKEY, VK_LEFT), 0);
}

// Reads the form's modal state while its modal loop runs, then ends it.
class TModalProbe : public TComponent {
    FW_CLASS(TModalProbe, TComponent)
public:
    using TComponent::TComponent;
    TForm* form = nullptr;
    bool modalWhileShown = false;
    void Shown(TObject*)
    {
        modalWhileShown = form->Modal();
        form->SetModalResult(mrOk);
    }
};
FW_IMPLEMENT_CLASS(TModalProbe) {}

TEST_F(FormsTest, ModalStateIsReadableWhileTheModalLoopRuns)
{
    TModalProbe probe(nullptr);
    probe.form = form.get();
    form->OnShow = TNotifyEvent(&probe, &TModalProbe::Shown);
    EXPECT_FALSE(form->Modal());
    EXPECT_EQ(form->ShowModal(), mrOk);
    EXPECT_TRUE(probe.modalWhileShown);
    EXPECT_FALSE(form->Modal());
}

}  // namespace
}  // namespace fw
