// Multiple-document windows skinned through the manager's hook: an MDI
// frame with two children, the frame's MDI client hooked and put back, a
// child maximised and restored, the MDI child commands, and the skinners
// of children that close.
#include <gtest/gtest.h>

#include <algorithm>

#include "framework/application.h"
#include "framework/forms.h"
#include "framework/menus.h"
#include "framework/subclass.h"
#include "skin/data/skindata.h"
#include "skin/engine/skinunit.h"
#include "skin/form/menubar.h"
#include "skin/form/skinmanage.h"
#include "skin/form/tests/skinnedwindow.h"
#include "skin/form/winskinform.h"

namespace skin {
namespace {

using test::PumpUntil;

// The default skin's borders and caption.
constexpr int kBorder = 4, kCaption = 30;
constexpr int kChildClientW = 220, kChildClientH = 140;

class MDIWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fw::Application->Initialize();
        manager = CreateSkinManager(false);
        data.reset(test::NewDefaultSkinData());
        ASSERT_FALSE(data->NoSkin());
        manager->RegisterSkinData(data.get());
        manager->InstallHook();
        manager->Active = true;

        frame.reset(new fw::TForm(nullptr));
        frame->SetFormStyle(fw::fsMDIForm);
        frame->SetCaption("Frame");
        frame->SetBounds(40, 40, 700, 520);
        if (withMenu) {
            auto* menu = new fw::TMainMenu(frame.get());
            auto* file = new fw::TMenuItem(frame.get());
            file->SetCaption("&File");
            menu->Items()->Add(file);
            auto* open = new fw::TMenuItem(frame.get());
            open->SetCaption("&Open");
            file->Add(open);
            frame->SetMenu(menu);
        }
        // The client's own procedure, before the activation skins the frame.
        frame->HandleNeeded();
        client = frame->ClientHandle();
        clientProc = GetWindowLongPtrW(client, GWLP_WNDPROC);
        frame->Show();
        ASSERT_TRUE(PumpUntil([&] { return Skinned(frame->Handle()); }));
        first = Child("One", 10);
        second = Child("Two", 60);
    }
    void TearDown() override
    {
        frame.reset();
        data.reset();
    }

    // A child made in the frame, skinned as it is made and activated.
    fw::TForm* Child(const char* caption, int at)
    {
        auto* child = new fw::TForm(frame.get());
        child->SetFormStyle(fw::fsMDIChild);
        child->SetCaption(caption);
        child->SetBounds(at, at, 300, 200);
        child->SetClientSize(kChildClientW, kChildClientH);
        child->Show();
        EXPECT_TRUE(PumpUntil([&] { return Skinned(child->Handle()); }));
        return child;
    }
    TWinSkinForm* SkinnerOf(fw::TForm* form) { return manager->FindSkinForm(form->Handle()); }
    bool Skinned(HWND window)
    {
        TWinSkinForm* s = manager->FindSkinForm(window);
        return s && s->FormState == fsActive;
    }
    bool HasRegion(HWND window)
    {
        HRGN rgn = CreateRectRgn(0, 0, 0, 0);
        const int kind = GetWindowRgn(window, rgn);
        DeleteObject(rgn);
        return kind != ERROR;
    }
    void Run(TSkinCommand command)
    {
        manager->CommandSkinData = data.get();
        manager->PostSkinCommand(command, 10000);
        manager->RunSkinCommand(nullptr);
    }

    bool withMenu = false;
    TSkinEngineScope engine;  // frees the manager with the test
    TSkinManage* manager = nullptr;
    fw::TOwnedPtr<TSkinData> data;
    fw::TOwnedPtr<fw::TForm> frame;
    fw::TForm* first = nullptr;
    fw::TForm* second = nullptr;
    HWND client = nullptr;
    LONG_PTR clientProc = 0;
};

TEST_F(MDIWindowTest, FrameAndChildrenAreSkinnedAndTheClientHooked)
{
    TWinSkinForm* f = SkinnerOf(frame.get());
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->FormKind, fkMDIFrame);
    EXPECT_EQ(f->MDIClientHandle, client);
    EXPECT_EQ(manager->MDIClient, client);
    EXPECT_EQ(manager->MDIFrame, frame.get());
    EXPECT_NE(fw::TSubclass::Find(client), nullptr);

    for (fw::TForm* child : {first, second}) {
        TWinSkinForm* s = SkinnerOf(child);
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->FormKind, fkMDIChild);
        EXPECT_EQ(s->Owner(), child);  // freed with its form
        // Fitted: the client keeps its size inside the skinned frame.
        const SIZE size = test::ClientSizeOf(child->Handle());
        EXPECT_EQ(size.cx, kChildClientW);
        EXPECT_EQ(size.cy, kChildClientH);
        const RECT r = test::WindowRectOf(child->Handle());
        EXPECT_EQ(r.right - r.left, kChildClientW + 2 * kBorder);
        EXPECT_EQ(r.bottom - r.top, kChildClientH + kCaption + kBorder);
        EXPECT_TRUE(HasRegion(child->Handle()));
    }
    // The child's frame is the skin's: the stretched middle of the Top piece.
    auto painted = test::PaintedFrame(second->Handle());
    EXPECT_EQ(test::PixelAt(painted.get(), 60, 2),
              test::PixelAt(data->Skin().Top->Image.get(), 24, 2));

    // The skin has no MDI scroll bars: the client loses its own.
    SetWindowPos(client, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    EXPECT_EQ(GetWindowLongPtrW(client, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL), 0);
}

TEST_F(MDIWindowTest, ChildMaximisedAndRestored)
{
    TWinSkinForm* f = SkinnerOf(frame.get());
    TWinSkinForm* s = SkinnerOf(second);
    const RECT normal = test::WindowRectOf(second->Handle());
    // The child's maximise button, 68 from its right edge.
    test::ClickCaptionButton(second->Handle(), 68);
    ASSERT_TRUE(PumpUntil([&] { return IsZoomed(second->Handle()) != FALSE; }));
    test::Pump();
    EXPECT_EQ(s->WindowState, wsMaximized);
    EXPECT_TRUE(manager->MDIMaximized);
    EXPECT_TRUE(f->IsMDIChildMaximized());
    EXPECT_FALSE(HasRegion(second->Handle()));
    // The system's frame of a maximised child: its client fills the MDI
    // client's.
    const SIZE inside = test::ClientSizeOf(client);
    const SIZE maximized = test::ClientSizeOf(second->Handle());
    EXPECT_EQ(maximized.cx, inside.cx);
    EXPECT_EQ(maximized.cy, inside.cy);
    // The maximised child's caption is the frame's: a new text has the
    // client redraw the frame.
    second->SetCaption("Renamed");
    MSG redraw{};
    EXPECT_TRUE(PeekMessageW(&redraw, client, WM_SKINMDIREDRAW, WM_SKINMDIREDRAW, PM_NOREMOVE));
    EXPECT_EQ(redraw.wParam, reinterpret_cast<WPARAM>(second->Handle()));
    test::Pump();

    // The frame's restore command goes to the active child.
    f->MDIChildCommand(SC_RESTORE);
    ASSERT_TRUE(PumpUntil([&] { return !IsZoomed(second->Handle()); }));
    test::Pump();
    EXPECT_EQ(s->WindowState, wsNormal);
    EXPECT_FALSE(manager->MDIMaximized);
    EXPECT_FALSE(f->IsMDIChildMaximized());
    EXPECT_TRUE(HasRegion(second->Handle()));
    const SIZE size = test::ClientSizeOf(second->Handle());
    EXPECT_EQ(size.cx, kChildClientW);
    EXPECT_EQ(size.cy, kChildClientH);
    const RECT r = test::WindowRectOf(second->Handle());
    EXPECT_EQ(r.right - r.left, normal.right - normal.left);
    EXPECT_EQ(r.bottom - r.top, normal.bottom - normal.top);
}

TEST_F(MDIWindowTest, ChildMaximisedByTheProgramLosesItsRegion)
{
    // Through the MDI client, not the caption button.
    second->SetWindowState(fw::wsMaximized);
    ASSERT_TRUE(PumpUntil([&] { return IsZoomed(second->Handle()) != FALSE; }));
    test::Pump();
    EXPECT_TRUE(manager->MDIMaximized);
    EXPECT_FALSE(HasRegion(second->Handle()));
    second->SetWindowState(fw::wsNormal);
    ASSERT_TRUE(PumpUntil([&] { return !IsZoomed(second->Handle()); }));
    test::Pump();
    EXPECT_FALSE(manager->MDIMaximized);
    EXPECT_TRUE(HasRegion(second->Handle()));
}

TEST_F(MDIWindowTest, ClosedChildrensSkinnersGoWithThem)
{
    TWinSkinForm* f = SkinnerOf(frame.get());
    test::ClickCaptionButton(second->Handle(), 68);
    ASSERT_TRUE(PumpUntil([&] { return IsZoomed(second->Handle()) != FALSE; }));
    HWND secondWindow = second->Handle();
    // The frame's close command closes the active (maximised) child.
    f->MDIChildCommand(SC_CLOSE);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(secondWindow); }));
    EXPECT_EQ(manager->FindSkinForm(secondWindow), nullptr);
    EXPECT_EQ(frame->ActiveMDIChild(), first);
    // The mode follows the child that is active now.
    EXPECT_EQ(manager->MDIMaximized, f->IsMDIChildMaximized());
    EXPECT_FALSE(data->MenuUpdate());  // while children are open

    HWND firstWindow = first->Handle();
    SendMessageW(firstWindow, WM_CLOSE, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(firstWindow); }));
    EXPECT_EQ(manager->FindSkinForm(firstWindow), nullptr);
    EXPECT_EQ(manager->SkinnedWindows().size(), 1u);  // the frame's
    EXPECT_FALSE(manager->MDIMaximized);
    EXPECT_TRUE(data->MenuUpdate());  // the last child gone gives it back
}

TEST_F(MDIWindowTest, UnskinPutsTheClientsProcedureBack)
{
    Run(smUnskinAll);
    EXPECT_TRUE(manager->SkinnedWindows().empty());
    EXPECT_EQ(fw::TSubclass::Find(client), nullptr);
    EXPECT_EQ(GetWindowLongPtrW(client, GWLP_WNDPROC), clientProc);
    EXPECT_EQ(manager->MDIClient, nullptr);
    EXPECT_EQ(manager->MDIFrame, nullptr);
    EXPECT_EQ(SendMessageW(first->Handle(), WM_SKINQUERY, 0, 0), 0);
    // The children keep their client size in their own frames.
    const SIZE size = test::ClientSizeOf(first->Handle());
    EXPECT_EQ(size.cx, kChildClientW);
    EXPECT_EQ(size.cy, kChildClientH);
}

// The frame has a menu: its skinned bar carries the maximised child's
// caption buttons.
class MDIMenuBarTest : public MDIWindowTest {
protected:
    MDIMenuBarTest() { withMenu = true; }
    // The frame's MDI child button of the action (7 minimise, 8 restore,
    // 9 close).
    TWinSysButton* MDIButton(int action)
    {
        for (auto& b : SkinnerOf(frame.get())->SysButtons)
            if (b->SkinButton->Visibility == 100 && b->SkinButton->Action == action) return b.get();
        return nullptr;
    }
    // The centre of a frame-coordinate rectangle on the screen.
    LPARAM ScreenCentre(const RECT& r)
    {
        const RECT w = test::WindowRectOf(frame->Handle());
        return MAKELPARAM(w.left + (r.left + r.right) / 2, w.top + (r.top + r.bottom) / 2);
    }
    // A point of the button's glyph (not transparent) where its normal and
    // hot looks differ.
    POINT GlyphPoint(TWinSysButton* b)
    {
        for (int y = 0; y < b->SkinButton->Image->Height(); ++y)
            for (int x = 0; x < b->SkinButton->Image->Width() / 4; ++x)
                if (ImagePixel(b, 1, {x, y}) != 0xFF00FF &&
                    ImagePixel(b, 1, {x, y}) != ImagePixel(b, 4, {x, y}))
                    return POINT{x, y};
        ADD_FAILURE() << "no glyph point";
        return POINT{0, 0};
    }
    COLORREF ImagePixel(TWinSysButton* b, int index, POINT at)
    {
        const TDataSkinSysButton& s = *b->SkinButton;
        return test::PixelAt(s.Image.get(), (index - 1) * (s.Image->Width() / s.Frame) + at.x,
                             at.y);
    }
};

TEST_F(MDIMenuBarTest, MaximisedChildsButtonsSitOnTheFramesBar)
{
    TWinSkinForm* f = SkinnerOf(frame.get());
    ASSERT_NE(f->MenuBar, nullptr);
    ASSERT_GT(f->MenuBarHeight, 0);
    for (int action : {7, 8, 9}) {
        ASSERT_NE(MDIButton(action), nullptr);
        EXPECT_FALSE(MDIButton(action)->Visible);
    }

    test::ClickCaptionButton(second->Handle(), 68);
    ASSERT_TRUE(PumpUntil([&] { return IsZoomed(second->Handle()) != FALSE; }));
    test::Pump();
    auto painted = test::PaintedFrame(frame->Handle());
    const TFrameBorders b = f->Borders();
    const RECT w = test::WindowRectOf(frame->Handle());
    int right = w.right - w.left - b.Right;
    // Right-aligned in the bar, close rightmost, vertically centred, each
    // drawn with its first frame.
    for (int action : {9, 8, 7}) {
        TWinSysButton* button = MDIButton(action);
        ASSERT_TRUE(button->Visible) << action;
        const RECT& r = button->Rect;
        EXPECT_LE(r.right, right) << action;
        right = r.left;
        EXPECT_EQ(r.top - b.Top, (f->MenuBarHeight - (r.bottom - r.top)) / 2) << action;
        const POINT g = GlyphPoint(button);
        EXPECT_EQ(test::PixelAt(painted.get(), r.left + g.x, r.top + g.y), ImagePixel(button, 1, g))
            << action;
    }

    // A hot MDI button shows its fourth frame.
    TWinSysButton* restore = MDIButton(8);
    SendMessageW(frame->Handle(), WM_NCMOUSEMOVE, HTMENU, ScreenCentre(restore->Rect));
    EXPECT_EQ(f->HotObject, restore);
    const POINT g = GlyphPoint(restore);
    HDC dc = GetWindowDC(frame->Handle());
    const COLORREF hot = GetPixel(dc, restore->Rect.left + g.x, restore->Rect.top + g.y);
    ReleaseDC(frame->Handle(), dc);
    EXPECT_EQ(hot, ImagePixel(restore, 4, g));

    // Its click restores the child; the buttons leave the bar.
    SendMessageW(frame->Handle(), WM_NCLBUTTONDOWN, HTMENU, ScreenCentre(restore->Rect));
    SendMessageW(frame->Handle(), WM_NCLBUTTONUP, HTMENU, ScreenCentre(restore->Rect));
    ASSERT_TRUE(PumpUntil([&] { return !IsZoomed(second->Handle()); }));
    test::Pump();
    test::PaintedFrame(frame->Handle());
    EXPECT_FALSE(restore->Visible);
    EXPECT_FALSE(manager->MDIMaximized);
}

TEST_F(MDIMenuBarTest, CloseButtonOnTheBarClosesTheChild)
{
    test::ClickCaptionButton(second->Handle(), 68);
    ASSERT_TRUE(PumpUntil([&] { return IsZoomed(second->Handle()) != FALSE; }));
    test::Pump();
    test::PaintedFrame(frame->Handle());
    TWinSysButton* close = MDIButton(9);
    ASSERT_TRUE(close->Visible);
    HWND secondWindow = second->Handle();
    SendMessageW(frame->Handle(), WM_NCLBUTTONDOWN, HTMENU, ScreenCentre(close->Rect));
    SendMessageW(frame->Handle(), WM_NCLBUTTONUP, HTMENU, ScreenCentre(close->Rect));
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(secondWindow); }));
    EXPECT_EQ(manager->FindSkinForm(secondWindow), nullptr);
    EXPECT_EQ(frame->ActiveMDIChild(), first);
    // The bar still holds the frame's own menu.
    ASSERT_EQ(SkinnerOf(frame.get())->MenuBar->Entries.size(), 1u);
}

TEST_F(MDIMenuBarTest, MenuSetThroughTheClientShowsInTheBar)
{
    HMENU menu = CreateMenu();
    AppendMenuW(menu, MF_STRING, 1, L"&Window");
    AppendMenuW(menu, MF_STRING, 2, L"&Help");
    SendMessageW(client, WM_MDISETMENU, reinterpret_cast<WPARAM>(menu), 0);
    TWinSkinMenu* bar = SkinnerOf(frame.get())->MenuBar;
    ASSERT_EQ(bar->Entries.size(), 2u);
    EXPECT_EQ(bar->Entries[0]->Caption, L"&Window");
    EXPECT_EQ(GetMenu(frame->Handle()), nullptr);  // shown by the bar alone
}

}  // namespace
}  // namespace skin
