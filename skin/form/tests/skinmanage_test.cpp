// The skin manager over real windows: which windows SkinWindow takes, the
// skin data ChooseSkinData picks, posted commands idle and active, each
// command per skin form type, skinners of destroyed windows, the CBT hook
// skinning a message box as it appears, and a reload that the frame and the
// controls of a skinned form follow.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "framework/application.h"
#include "framework/dialogs.h"
#include "framework/extctrls.h"
#include "framework/forms.h"
#include "framework/stdctrls.h"
#include "skin/controls/skincheck.h"
#include "skin/controls/tests/controlfixture.h"
#include "skin/data/skindata.h"
#include "skin/engine/skinmessages.h"
#include "skin/engine/skinunit.h"
#include "skin/form/skinmanage.h"
#include "skin/form/tests/skinnedwindow.h"
#include "skin/form/winskinform.h"
#include "tools/windrive/windrive.h"

namespace skin {
namespace {

bool PumpUntil(const std::function<bool()>& done, DWORD ms = 3000)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > ms) return false;
        fw::Application->ProcessMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

using test::Skinned;

// Answers the is-skinned query itself, as a window skinned by someone else.
LRESULT CALLBACK SkinnedElsewhereProc(HWND h, UINT msg, WPARAM w, LPARAM l)
{
    if (msg == WM_SKINQUERY) return 1;
    return DefWindowProcW(h, msg, w, l);
}

// Counts OnSkinChanged.
class TChanges : public fw::TObject {
public:
    int count = 0;
    void Changed(fw::TObject*) { ++count; }
};

class SkinManageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fw::Application->Initialize();
        manager = CreateSkinManager(false);
    }
    void TearDown() override
    {
        for (HWND h : windows)
            if (IsWindow(h)) DestroyWindow(h);
        for (const auto& [name, instance] : classes) UnregisterClassW(name.c_str(), instance);
        forms.clear();
        datas.clear();
    }

    TSkinData* Data(TSkinFormType type, fw::TComponent* owner = nullptr, bool load = true)
    {
        auto* d = new TSkinData(owner);
        if (!owner) datas.emplace_back(d);
        d->SetSkinFormtype(type);
        if (load) d->SetSkinFile(SIGNS_DEFAULT_SKIN);
        d->OnSkinChanged = fw::TNotifyEvent(&changes, &TChanges::Changed);
        manager->RegisterSkinData(d);
        return d;
    }
    fw::TForm* Form(bool show = true)
    {
        auto* f = new fw::TForm(nullptr);
        forms.emplace_back(f);
        f->SetBounds(100 + 20 * int(forms.size()), 100, 300, 200);
        if (show) f->Show();
        return f;
    }
    // A raw top-level window of a class of its own.
    HWND Window(const wchar_t* cls, DWORD style = WS_POPUP | WS_VISIBLE, int size = 100,
                HINSTANCE instance = GetModuleHandleW(nullptr), WNDPROC proc = DefWindowProcW)
    {
        // System classes ("#32770") are used as they are: a class of ours
        // by that name would replace the system's for every dialog after.
        WNDCLASSW wc{};
        if (!GetClassInfoW(nullptr, cls, &wc) && !GetClassInfoW(instance, cls, &wc)) {
            wc.lpfnWndProc = proc;
            wc.hInstance = instance;
            wc.lpszClassName = cls;
            if (RegisterClassW(&wc)) classes.emplace_back(cls, instance);
        }
        HWND h = CreateWindowExW(0, cls, L"", style, 50, 50, size, size, nullptr, nullptr, instance,
                                 nullptr);
        windows.push_back(h);
        return h;
    }
    // Posts a command as a skin data does and runs it at once.
    void Run(TSkinData* d, TSkinCommand command)
    {
        manager->CommandSkinData = d;
        manager->PostSkinCommand(command, 10000);
        manager->RunSkinCommand(nullptr);
    }

    TSkinEngineScope engine;  // ends with the test, and frees the manager
    TSkinManage* manager = nullptr;
    TChanges changes;
    std::vector<fw::TOwnedPtr<TSkinData>> datas;
    std::vector<fw::TOwnedPtr<fw::TForm>> forms;
    std::vector<HWND> windows;
    std::vector<std::pair<std::wstring, HINSTANCE>> classes;
};

TEST_F(SkinManageTest, SkinWindowFilters)
{
    TSkinData* main = Data(sfMainform);
    TSkinOptions options = main->Options();
    options.Exclude(xoPreview);
    main->SetOptions(options);
    const HINSTANCE other = GetModuleHandleW(L"kernel32.dll");
    fw::TForm* tagged = Form();
    tagged->SetTag(99);
    fw::TForm* child = Form();
    HWND childWindow = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50,
                                       child->Handle(), nullptr, nullptr, nullptr);
    struct Case {
        const char* what;
        HWND window;
        bool skinned;
    } cases[] = {
        {"a form", Form()->Handle(), true},
        {"a form tagged 99", tagged->Handle(), false},
        {"a child window", childWindow, false},
        {"our own popup", Window(L"SkinMgrOwn"), true},
        {"a zero-size window", Window(L"SkinMgrEmpty", WS_POPUP, 0), false},
        {"another module's window", Window(L"SkinMgrOther", WS_POPUP, 100, other), false},
        {"another module's dialog", Window(L"#32770", WS_POPUP, 100, other), true},
        {"a dialog with style 200h", Window(L"#32770", WS_POPUP | 0x200), false},
        {"a preview", Window(L"TPrintPreviewWnd"), false},
        {"TApplication", Window(L"TApplication"), false},
        {"skinned elsewhere",
         Window(L"SkinMgrElsewhere", WS_POPUP, 100, GetModuleHandleW(nullptr),
                SkinnedElsewhereProc),
         false},
    };
    manager->Active = false;
    EXPECT_FALSE(manager->SkinWindow(cases[0].window));  // skinning is off
    manager->Active = true;
    for (const Case& c : cases) {
        EXPECT_EQ(manager->SkinWindow(c.window), c.skinned) << c.what;
        EXPECT_EQ(manager->FindSkinForm(c.window) != nullptr, c.skinned) << c.what;
    }
    EXPECT_FALSE(manager->SkinWindow(cases[0].window));  // listed already
    // Once the posted activation has run, the window answers as skinned.
    EXPECT_TRUE(PumpUntil([&] { return Skinned(cases[0].window); }));
}

TEST_F(SkinManageTest, HookGivesNoWindowToAFormThatHasNone)
{
    Data(sfMainform);
    manager->InstallHook();
    manager->Active = true;
    fw::TForm* windowless = Form(false);
    HWND popup = Window(L"SkinMgrActivated");
    SetActiveWindow(popup);
    EXPECT_EQ(manager->State, TSkinManage::kActive);  // the hook saw the activation
    EXPECT_NE(manager->FindSkinForm(popup), nullptr);
    EXPECT_FALSE(windowless->HandleAllocated());
}

TEST_F(SkinManageTest, MaySkinWindowFollowsTheMainDataAndItsDoFormSkin)
{
    HWND preview = Window(L"TPrintPreviewWnd");
    HWND calendar = Window(L"SysMonthCal32Like");
    EXPECT_TRUE(manager->MaySkinWindow(preview, "TPrintPreviewWnd"));  // no main data: all
    TSkinData* main = Data(sfMainform, nullptr, false);
    struct Case {
        HWND window;
        const char* className;
        bool withPreview, may;
    } cases[] = {
        {preview, "TPrintPreviewWnd", false, false},
        {preview, "TPrintPreviewWnd", true, true},
        {calendar, "tpopupdbtreeview", true, false},
        {calendar, "TPopupDBTreeView", true, false},
        {calendar, "SysMonthCal32", true, false},  // the data's own rule
        {calendar, "TForm1", true, true},
    };
    for (const Case& c : cases) {
        TSkinOptions options = main->Options();
        if (c.withPreview)
            options.Include(xoPreview);
        else
            options.Exclude(xoPreview);
        main->SetOptions(options);
        EXPECT_EQ(manager->MaySkinWindow(c.window, c.className), c.may) << c.className;
    }
    EXPECT_EQ(main->FormSkinWindow(), calendar);
}

TEST_F(SkinManageTest, ChooseSkinDataTakesTheLastThatFits)
{
    HWND plain = Window(L"SkinMgrPlain");
    HWND dialog = Window(L"#32770");
    EXPECT_EQ(manager->ChooseSkinData(plain), nullptr);
    fw::TForm* owner = Form();
    TSkinData* dialogData = Data(sfDialog, nullptr, false);
    EXPECT_EQ(manager->ChooseSkinData(plain), dialogData);  // the first, when nothing fits
    TSkinData* main1 = Data(sfMainform, nullptr, false);
    TSkinData* main2 = Data(sfMainform, nullptr, false);
    TSkinData* only = Data(sfOnlyThisForm, owner, false);
    struct Case {
        HWND window;
        TSkinData* chosen;
    } cases[] = {
        {plain, main2},
        {dialog, dialogData},
        {owner->Handle(), only},
        {Form()->Handle(), main2},
    };
    for (const Case& c : cases) EXPECT_EQ(manager->ChooseSkinData(c.window), c.chosen);
    EXPECT_EQ(manager->MainSkinData(), main1);  // the filters stay with the first
}

TEST_F(SkinManageTest, PostedCommandsWaitForTheFirstActivation)
{
    TSkinData* d = Data(sfMainform);
    fw::TForm* form = Form();
    // Idle: a skin-all only switches skinning on, and nothing runs.
    manager->CommandSkinData = d;
    manager->PostSkinCommand(smSkinAll, 20);
    EXPECT_TRUE(manager->Active);
    PumpUntil([] { return false; }, 200);
    EXPECT_EQ(changes.count, 0);
    EXPECT_EQ(manager->FindSkinForm(form->Handle()), nullptr);
    manager->PostSkinCommand(smUnskinAll, 20);
    EXPECT_FALSE(manager->Active);

    // Active: the command runs once from the message loop.
    manager->State = TSkinManage::kActive;
    manager->PostSkinCommand(smSkinAll, 20);
    EXPECT_TRUE(PumpUntil([&] { return changes.count > 0; }));
    EXPECT_NE(manager->FindSkinForm(form->Handle()), nullptr);
    EXPECT_EQ(manager->CommandSkinData, nullptr);
    PumpUntil([] { return false; }, 200);
    EXPECT_EQ(changes.count, 1);
}

TEST_F(SkinManageTest, CommandsPerSkinFormType)
{
    for (TSkinFormType type : {sfMainform, sfOnlyThisForm}) {
        SCOPED_TRACE(type == sfMainform ? "sfMainform" : "sfOnlyThisForm");
        fw::TForm* owner = Form();
        fw::TForm* other = Form();
        TSkinData* d = Data(type, type == sfOnlyThisForm ? owner : nullptr);
        manager->State = TSkinManage::kActive;
        const bool all = type == sfMainform;

        Run(d, smSkinAll);
        EXPECT_TRUE(manager->Active);
        ASSERT_TRUE(PumpUntil([&] { return Skinned(owner->Handle()); }));
        PumpUntil([] { return false; }, 50);
        EXPECT_EQ(Skinned(other->Handle()), all);

        // Reload: caption buttons freed before, built again by the command.
        manager->CommandSkinData = d;
        manager->FreeSysButtonsOfSkin();
        EXPECT_TRUE(manager->FindSkinForm(owner->Handle())->SysButtons.empty());
        Run(d, smReload);
        EXPECT_FALSE(manager->FindSkinForm(owner->Handle())->SysButtons.empty());

        const RECT before = [&] {
            RECT r{};
            GetClientRect(owner->Handle(), &r);
            return r;
        }();
        Run(d, smUnskinAll);
        EXPECT_FALSE(manager->Active);
        EXPECT_FALSE(Skinned(owner->Handle()));
        EXPECT_FALSE(Skinned(other->Handle()));
        EXPECT_TRUE(manager->SkinnedWindows().empty());
        RECT after{};
        GetClientRect(owner->Handle(), &after);
        EXPECT_EQ(after.right, before.right);
        EXPECT_EQ(after.bottom, before.bottom);
        EXPECT_EQ(changes.count, 3);
        changes.count = 0;
        forms.clear();
        datas.clear();
    }
}

TEST_F(SkinManageTest, DestroyedWindowsSkinnerIsFreedAtTheNextCommand)
{
    TSkinData* d = Data(sfMainform);
    manager->Active = true;
    manager->State = TSkinManage::kActive;
    HWND popup = Window(L"SkinMgrPopup");
    ASSERT_TRUE(manager->SkinWindow(popup));
    ASSERT_TRUE(PumpUntil([&] { return Skinned(popup); }));
    DestroyWindow(popup);
    // Marked, still listed.
    ASSERT_EQ(manager->SkinnedWindows().size(), 1u);
    EXPECT_EQ(manager->SkinnedWindows()[0]->FormState, fsDestroyed);
    Run(d, smReload);
    EXPECT_TRUE(manager->SkinnedWindows().empty());
}

TEST_F(SkinManageTest, FreeingASkinDataUnskinsTheWindowsSkinnedWithIt)
{
    TSkinData* d = Data(sfMainform);
    manager->Active = true;
    HWND popup = Window(L"SkinMgrOrphan");
    fw::TForm* form = Form();
    ASSERT_TRUE(manager->SkinWindow(popup));
    ASSERT_TRUE(manager->SkinWindow(form->Handle()));
    ASSERT_TRUE(PumpUntil([&] { return Skinned(popup) && Skinned(form->Handle()); }));
    datas.clear();  // frees d
    (void)d;
    EXPECT_TRUE(manager->SkinnedWindows().empty());
    EXPECT_FALSE(Skinned(popup));
    EXPECT_FALSE(Skinned(form->Handle()));
    PumpUntil([] { return false; }, 100);  // nothing left to paint with the freed skin
}

TEST_F(SkinManageTest, AFreedSkinnerIsUnlistedByIdentity)
{
    Data(sfMainform);
    manager->Active = true;
    fw::TForm* a = Form();
    fw::TForm* b = Form();
    ASSERT_TRUE(manager->SkinWindow(a->Handle()));
    ASSERT_TRUE(manager->SkinWindow(b->Handle()));
    TWinSkinForm* first = manager->FindSkinForm(a->Handle());
    // Two entries naming one window (a handle the system gave out again):
    // freeing the second must leave the first listed.
    manager->FindSkinForm(b->Handle())->WindowHandle = a->Handle();
    forms.pop_back();  // frees b and its skinner
    ASSERT_EQ(manager->SkinnedWindows().size(), 1u);
    EXPECT_EQ(manager->SkinnedWindows()[0], first);
}

// The hook sees the box appear although the box's own centring hook runs
// first; the box is skinned, centred after its new frame, and closes by OK.
struct TBoxSeen {
    bool skinned = false, centred = false, clicked = false, closedByButton = true;
    DWORD start = GetTickCount();
};
TBoxSeen* g_box = nullptr;

// Answers the box by its OK button once it is skinned (or after a
// deadline); a box that outlives its click is closed by a command.
void CALLBACK AnswerBox(HWND, UINT, UINT_PTR, DWORD)
{
    TBoxSeen& seen = *g_box;
    HWND box = windrive::ThreadMessageBox(GetCurrentThreadId());
    if (!box) return;
    if (seen.clicked) {
        seen.closedByButton = false;
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        return;
    }
    if (!Skinned(box) && GetTickCount() - seen.start < 3000) return;
    seen.skinned = Skinned(box);
    RECT r{};
    GetWindowRect(box, &r);
    seen.centred = std::abs((r.left + r.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2) <= 1 &&
                   std::abs((r.top + r.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2) <= 1;
    seen.clicked = true;
    SendMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
}

TEST_F(SkinManageTest, HookSkinsAMessageBoxAsItAppears)
{
    TSkinData* d = Data(sfMainform);
    d->SetActive(true);
    manager->InstallHook();
    manager->Active = true;
    TBoxSeen seen;
    g_box = &seen;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, AnswerBox);
    const int result = fw::ShowMessageBox("text", "skinned box", MB_OK);
    KillTimer(nullptr, timer);
    g_box = nullptr;
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(seen.skinned);
    EXPECT_TRUE(seen.centred);
    EXPECT_TRUE(seen.closedByButton);
    EXPECT_EQ(manager->State, TSkinManage::kActive);  // the activation made it so
}

// A form skinned by the manager with a skin made by code; its skin data
// then takes a second skin, which the manager's reload command applies.
class ReloadTest : public test::ControlTest {
protected:
    void SetUp() override
    {
        test::ControlTest::SetUp();
        LoadSkin(test::PackedSkin(
            "[TitlebarSkin]\r\nSkinName=First\r\n[Colours]\r\nButtonFace=10,20,30\r\n"));
        manager = CreateSkinManager(false);
        manager->RegisterSkinData(data.get());
        manager->Active = true;
        manager->State = TSkinManage::kActive;
    }
    // What the window shows in its client area.
    std::unique_ptr<fw::TBitmap> Shown(HWND window)
    {
        RECT r{};
        GetClientRect(window, &r);
        auto b = test::Solid(r.right, r.bottom, 0x00FF00);
        HDC dc = GetDC(window);
        BitBlt(b->Canvas()->Handle(), 0, 0, r.right, r.bottom, dc, 0, 0, SRCCOPY);
        ReleaseDC(window, dc);
        return b;
    }
    TSkinManage* manager = nullptr;
};

// A skin whose border pieces are solid, each of two frames (active,
// inactive) in its own colour: left and right 5 wide, the caption 24 high,
// the bottom 5 high.
std::string BorderSkin(const std::string& name, fw::TColor firstColour)
{
    const char* pieces[] = {"Left", "Right", "Top", "Bottom"};
    std::string ini = "[TitlebarSkin]\r\nSkinName=" + name + "\r\n[Personality]\r\n";
    std::vector<test::TSkinMember> members;
    for (int i = 0; i < 4; ++i) {
        const std::string piece = pieces[i], file = piece + ".bmp";
        ini += piece + "=" + file + "\r\n" + piece + "Frame=2\r\n" + piece + "Trans=0\r\n";
        const fw::TColor active = firstColour + fw::TColor(0x10 * i), inactive = active + 0x40;
        const int across = i == 2 ? 24 : 5;  // a frame's thickness
        members.push_back(
            {file, i < 2 ? test::BmpFile(2 * across, 60,
                                         [&](int x, int) { return x < across ? active : inactive; })
                         : test::BmpFile(60, 2 * across, [&](int, int y) {
                               return y < across ? active : inactive;
                           })});
    }
    return test::PackedSkin(ini, members);
}

// A reload whose skin has other images of the same sizes for the border
// pieces repaints the frame with them, on the screen and when painted
// into a DC.
TEST_F(ReloadTest, TheFrameTakesTheReloadedBorderPieces)
{
    LoadSkin(BorderSkin("Old", 0x102030));
    form->SetCaption("");
    form->Show();
    ASSERT_TRUE(manager->SkinWindow(form->Handle()));
    TWinSkinForm* skinner = manager->FindSkinForm(form->Handle());
    ASSERT_TRUE(test::PumpUntil([&] { return skinner->FormState == fsActive; }));
    const HWND window = form->Handle();
    const RECT before = test::WindowRectOf(window);
    const int w = before.right - before.left, h = before.bottom - before.top;
    // A point inside each piece (left, right, top, bottom) and the point of
    // its image that shows there, for the active frame (frames of left and
    // right side by side, of top and bottom one under the other).
    const POINT atWindow[] = {{2, h / 2}, {w - 3, h / 2}, {w / 2, 12}, {w / 2, h - 3}};
    const auto imagePoint = [&](int i) {
        const int f = skinner->Active ? 0 : 1;
        return i < 2 ? POINT{f * 5 + 2, 30} : POINT{30, f * (i == 2 ? 24 : 5) + 2};
    };
    const auto pieceImages = [&] {
        TSkinContent& skin = data->Skin();
        return std::vector<fw::TBitmap*>{skin.Left->Image.get(), skin.Right->Image.get(),
                                         skin.Top->Image.get(), skin.Bottom->Image.get()};
    };
    std::vector<fw::TColor> old;
    for (int i = 0; i < 4; ++i) {
        const POINT p = imagePoint(i);
        old.push_back(test::PixelAt(pieceImages()[size_t(i)], p.x, p.y));
        EXPECT_EQ(test::PixelAt(test::WindowShot(window).get(), atWindow[i].x, atWindow[i].y),
                  old.back())
            << "piece " << i << " before the reload";
    }

    LoadSkin(BorderSkin("New", 0x705030));
    manager->CommandSkinData = data.get();
    manager->PostSkinCommand(smReload, 10000);
    manager->RunSkinCommand(nullptr);
    test::Pump();
    const RECT after = test::WindowRectOf(window);
    EXPECT_EQ(after.right - after.left, w);
    EXPECT_EQ(after.bottom - after.top, h);
    auto screen = test::WindowShot(window);
    auto painted = test::PaintedFrame(window);
    test::SaveShot(screen.get(), "reload_frame.bmp");
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(testing::Message() << "piece " << i);
        const POINT p = imagePoint(i);
        const fw::TColor now = test::PixelAt(pieceImages()[size_t(i)], p.x, p.y);
        ASSERT_NE(now, old[size_t(i)]);
        EXPECT_EQ(test::PixelAt(screen.get(), atWindow[i].x, atWindow[i].y), now);
        EXPECT_EQ(test::PixelAt(painted.get(), atWindow[i].x, atWindow[i].y), now);
    }
}

TEST_F(ReloadTest, ControlsTakeTheReloadedSkin)
{
    auto* panel = Put<fw::TPanel>(10, 10, 120, 60);
    auto* box = Put<fw::TCheckBox>(10, 90, 100, 17);
    form->Show();
    ASSERT_TRUE(manager->SkinWindow(form->Handle()));
    TWinSkinForm* skinner = manager->FindSkinForm(form->Handle());
    ASSERT_TRUE(test::PumpUntil([&] { return skinner->FormState == fsActive; }));
    ASSERT_NE(skinner->Controls().FindByControl(panel), nullptr);
    auto* check = dynamic_cast<TSkinCheckBox*>(skinner->Controls().FindByControl(box));
    ASSERT_NE(check, nullptr);
    const fw::TColor firstFace = 0x1E140A;
    EXPECT_EQ(panel->Color(), firstFace);
    EXPECT_EQ(check->SubKind, 0);  // the first skin has no box strips

    // The second skin: another face colour, and box strips.
    LoadSkin(test::TestSkin());
    manager->CommandSkinData = data.get();
    manager->PostSkinCommand(smReload, 10000);
    manager->RunSkinCommand(nullptr);
    test::Pump();
    EXPECT_EQ(form->Color(), test::kFace);
    EXPECT_EQ(panel->Color(), test::kFace);
    EXPECT_EQ(check->SubKind, 1);
    EXPECT_EQ(test::PixelAt(Render(check).get(), 6, 8), test::FrameColour(1));
    auto shown = Shown(form->Handle());
    test::SaveShot(shown.get(), "reload_controls.bmp");
    EXPECT_EQ(test::PixelAt(shown.get(), 70, 40), test::kFace);           // inside the panel
    EXPECT_EQ(test::PixelAt(shown.get(), 16, 98), test::FrameColour(1));  // the check box
}

}  // namespace
}  // namespace skin
