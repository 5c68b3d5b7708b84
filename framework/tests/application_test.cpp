// Exceptions end at the callback boundary in the application's message
// box; the message box itself.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "framework/application.h"
#include "framework/dialogs.h"
#include "framework/stdctrls.h"
#include "framework/text.h"
#include "framework/timers.h"

namespace fw {
namespace {

struct Shown {
    std::string text, caption;
    UINT flags = 0;
    int count = 0;
};

class ApplicationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        Application->SetTitle("\xB2\xE2\xCA\xD4");  // "测试"
        SetMessageBoxHook([this](const std::string& text, const std::string& caption, UINT flags) {
            shown.text = text;
            shown.caption = caption;
            shown.flags = flags;
            ++shown.count;
            return IDOK;
        });
    }
    void TearDown() override { SetMessageBoxHook(nullptr); }
    Shown shown;
};

class TThrower : public TComponent {
    FW_CLASS(TThrower, TComponent)
public:
    using TComponent::TComponent;
    void Convert(TObject*) { rtl::StrToInt("abc"); }
};
FW_IMPLEMENT_CLASS(TThrower) {}

TEST_F(ApplicationTest, ExceptionInAWindowProcedureIsShownAndTheProgramGoesOn)
{
    TOwnedPtr<TForm> form(new TForm(nullptr));
    auto* button = new TButton(form.get());
    button->SetParent(form.get());
    TThrower thrower(nullptr);
    button->OnClick = TNotifyEvent(&thrower, &TThrower::Convert);
    SendMessageW(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(shown.count, 1);
    EXPECT_EQ(shown.text, "'abc' is not a valid integer value");
    EXPECT_EQ(shown.caption, "\xB2\xE2\xCA\xD4");
    EXPECT_EQ(shown.flags & MB_TYPEMASK, static_cast<UINT>(MB_OK));
    SendMessageW(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(shown.count, 2);
}

TEST_F(ApplicationTest, ExceptionInATimerIsShownByTheMessageLoop)
{
    TThrower thrower(nullptr);
    TOwnedPtr<TTimer> timer(new TTimer(nullptr));
    timer->SetInterval(10);
    timer->OnTimer = TNotifyEvent(&thrower, &TThrower::Convert);
    const DWORD start = GetTickCount();
    while (shown.count == 0 && GetTickCount() - start < 3000) {
        Application->ProcessMessages();
        Sleep(5);
    }
    timer->SetEnabled(false);
    EXPECT_GE(shown.count, 1);
    EXPECT_EQ(shown.text, "'abc' is not a valid integer value");
}

TEST_F(ApplicationTest, OnExceptionTakesTheExceptionInsteadOfTheBox)
{
    struct TCatcher : TComponent {
        using TComponent::TComponent;
        std::string seen;
        void Caught(TObject*, const std::exception& e) { seen = e.what(); }
    } catcher(nullptr);
    Application->OnException = TExceptionEvent(&catcher, &TCatcher::Caught);
    try {
        throw rtl::Exception("boom");
    } catch (...) {
        Application->HandleException(nullptr);
    }
    Application->OnException.Clear();
    EXPECT_EQ(catcher.seen, "boom");
    EXPECT_EQ(shown.count, 0);
}

// The real box, found and answered from a second thread.
TEST(MessageBox, OneOkButtonTitledWithTheApplicationTitleAndCentred)
{
    Application->Initialize();
    Application->SetTitle("\xB2\xE2\xCA\xD4");  // "测试"
    std::atomic<bool> found{false}, centred{false}, oneButton{false};
    std::wstring text;
    std::thread answer([&] {
        for (int i = 0; i < 500 && !found; ++i) {
            HWND box = FindWindowW(L"#32770", L"\x6D4B\x8BD5");
            if (box && IsWindowVisible(box)) {
                found = true;
                wchar_t buf[128] = {};
                GetDlgItemTextW(box, 0xFFFF, buf, 128);
                text = buf;
                RECT r{};
                GetWindowRect(box, &r);
                const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
                centred = std::abs(cx - GetSystemMetrics(SM_CXSCREEN) / 2) <= 2 &&
                          std::abs(cy - GetSystemMetrics(SM_CYSCREEN) / 2) <= 2;
                oneButton =
                    GetDlgItem(box, IDOK) != nullptr && GetDlgItem(box, IDCANCEL) == nullptr;
                PostMessageW(box, WM_COMMAND, IDOK, 0);
            }
            Sleep(10);
        }
    });
    const int result = Application->MessageBox("\xB7\xA2\xCB\xCD\xB3\xC9\xB9\xA6!");  // "发送成功!"
    answer.join();
    EXPECT_TRUE(found);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(text, L"\x53D1\x9001\x6210\x529F!");
    EXPECT_TRUE(centred);
    EXPECT_TRUE(oneButton);
}

// The open-file dialog comes up with its title; cancelling it answers false
// and leaves the file name alone.
TEST(OpenDialog, OpensAndCancelLeavesTheFileName)
{
    Application->Initialize();
    TOpenDialog dialog(nullptr);
    dialog.SetTitle("Open skin");
    dialog.SetFileName("a.skn");
    std::atomic<bool> found{false};
    std::thread answer([&] {
        for (int i = 0; i < 1000 && !found; ++i) {
            HWND box = FindWindowW(L"#32770", L"Open skin");
            if (box && IsWindowVisible(box)) {
                found = true;
                PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
            }
            Sleep(10);
        }
    });
    const bool chosen = dialog.Execute();
    answer.join();
    EXPECT_TRUE(found);
    EXPECT_FALSE(chosen);
    EXPECT_EQ(dialog.FileName(), "a.skn");
}

// A CBT hook installed before the box (as the skin engine's is) still sees
// its creation and activation; a box resized afterwards (as a skin fits it
// to its frame) is centred again.
struct TEarlierHook {
    HHOOK hook = nullptr;
    int created = 0, activated = 0;
    bool centredAfterResize = false;
};
TEarlierHook* g_earlier = nullptr;

LRESULT CALLBACK EarlierCBT(int code, WPARAM wParam, LPARAM lParam)
{
    auto box = reinterpret_cast<HWND>(wParam);
    wchar_t cls[16] = {};
    if (code == HCBT_CREATEWND || code == HCBT_ACTIVATE) GetClassNameW(box, cls, 16);
    if (lstrcmpW(cls, L"#32770") == 0) {
        if (code == HCBT_CREATEWND) ++g_earlier->created;
        if (code == HCBT_ACTIVATE) ++g_earlier->activated;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK ResizeAndAnswer(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND box = FindWindowW(L"#32770", L"resized");
    if (!box || !IsWindowVisible(box)) return;
    KillTimer(nullptr, id);
    RECT r{};
    GetWindowRect(box, &r);
    SetWindowPos(box, nullptr, 0, 0, r.right - r.left + 120, r.bottom - r.top + 40,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    GetWindowRect(box, &r);
    const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    g_earlier->centredAfterResize = std::abs(cx - GetSystemMetrics(SM_CXSCREEN) / 2) <= 1 &&
                                    std::abs(cy - GetSystemMetrics(SM_CYSCREEN) / 2) <= 1;
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}

TEST(MessageBox, EarlierHooksSeeTheBoxAndAResizedBoxStaysCentred)
{
    Application->Initialize();
    TEarlierHook earlier;
    g_earlier = &earlier;
    earlier.hook = SetWindowsHookExW(WH_CBT, EarlierCBT, nullptr, GetCurrentThreadId());
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, ResizeAndAnswer);
    const int result = ShowMessageBox("text", "resized", MB_OK);
    KillTimer(nullptr, timer);
    UnhookWindowsHookEx(earlier.hook);
    g_earlier = nullptr;
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(earlier.created, 1);
    EXPECT_EQ(earlier.activated, 1);
    EXPECT_TRUE(earlier.centredAfterResize);
}

}  // namespace
}  // namespace fw
