// Multiple-document forms: an MDI form and its MDI client, MDI children made
// in that client, their states and activation as the client keeps them, and
// children that close or are freed.
#include <gtest/gtest.h>

#include <string>

#include "framework/application.h"
#include "framework/forms.h"

namespace fw {
namespace {

std::string ClassOf(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

HWND ActiveIn(HWND client, BOOL* maximized = nullptr)
{
    return reinterpret_cast<HWND>(
        SendMessageW(client, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(maximized)));
}

// Counts the forms that were freed.
class TFreed : public TObject {
public:
    int count = 0;
    void Gone(TObject*) { ++count; }
};

class MDITest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        frame.reset(new TForm(nullptr));
        frame->SetFormStyle(fsMDIForm);
        frame->SetBounds(60, 60, 520, 400);
        frame->Show();
    }
    TForm* Child(const char* caption, int x)
    {
        auto* child = new TForm(frame.get());
        child->SetFormStyle(fsMDIChild);
        child->SetCaption(caption);
        child->SetBounds(x, 10, 200, 150);
        child->OnDestroy = TNotifyEvent(&freed, &TFreed::Gone);
        child->Show();
        Application->ProcessMessages();
        return child;
    }
    TFreed freed;
    TOwnedPtr<TForm> frame;
};

TEST_F(MDITest, FrameMakesItsClientAndChildrenLiveInIt)
{
    HWND client = frame->ClientHandle();
    ASSERT_NE(client, nullptr);
    EXPECT_EQ(ClassOf(client), "MDIClient");
    EXPECT_EQ(GetParent(client), frame->Handle());
    // The frame's default procedure keeps the client filling the client area.
    frame->SetBounds(60, 60, 600, 450);
    RECT area{}, inner{};
    GetClientRect(frame->Handle(), &area);
    GetWindowRect(client, &inner);
    EXPECT_EQ(inner.right - inner.left, area.right);
    EXPECT_EQ(inner.bottom - inner.top, area.bottom);

    TForm* first = Child("One", 0);
    TForm* second = Child("Two", 40);
    for (TForm* c : {first, second}) {
        EXPECT_EQ(GetParent(c->Handle()), client);
        EXPECT_TRUE(GetWindowLongPtrW(c->Handle(), GWL_EXSTYLE) & WS_EX_MDICHILD);
        EXPECT_TRUE(IsWindowVisible(c->Handle()));
    }
    EXPECT_EQ(frame->ActiveMDIChild(), second);
    EXPECT_EQ(ActiveIn(client), second->Handle());
    SendMessageW(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(first->Handle()), 0);
    EXPECT_EQ(frame->ActiveMDIChild(), first);
    // Other forms have no client and no active child.
    EXPECT_EQ(first->ClientHandle(), nullptr);
    EXPECT_EQ(first->ActiveMDIChild(), nullptr);
}

TEST_F(MDITest, ChildIsMaximisedAndRestoredThroughTheClient)
{
    Child("One", 0);
    TForm* second = Child("Two", 40);
    second->SetWindowState(wsMaximized);
    BOOL maximized = FALSE;
    EXPECT_EQ(ActiveIn(frame->ClientHandle(), &maximized), second->Handle());
    EXPECT_TRUE(maximized);
    EXPECT_EQ(second->WindowState(), wsMaximized);
    second->SetWindowState(wsNormal);
    ActiveIn(frame->ClientHandle(), &maximized);
    EXPECT_FALSE(maximized);
    EXPECT_EQ(second->WindowState(), wsNormal);
}

TEST_F(MDITest, ClosedOrFreedChildGoesAndTheOtherBecomesActive)
{
    TForm* first = Child("One", 0);
    TForm* second = Child("Two", 40);
    HWND secondWindow = second->Handle();
    SendMessageW(secondWindow, WM_CLOSE, 0, 0);
    Application->ProcessMessages();
    EXPECT_EQ(freed.count, 1);
    EXPECT_FALSE(IsWindow(secondWindow));
    EXPECT_EQ(frame->ActiveMDIChild(), first);

    TForm* third = Child("Three", 80);
    EXPECT_EQ(frame->ActiveMDIChild(), third);
    third->Free();
    EXPECT_EQ(freed.count, 2);
    EXPECT_EQ(frame->ActiveMDIChild(), first);
}

TEST_F(MDITest, ChildWithoutAnMDIFormIsNotMade)
{
    frame.reset();
    TOwnedPtr<TForm> orphan(new TForm(nullptr));
    orphan->SetFormStyle(fsMDIChild);
    EXPECT_THROW(orphan->HandleNeeded(), EInvalidOperation);
    EXPECT_FALSE(orphan->HandleAllocated());
}

}  // namespace
}  // namespace fw
