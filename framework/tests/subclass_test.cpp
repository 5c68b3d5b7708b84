// A window procedure bound to an object: on a framework form, on raw ANSI
// and Unicode windows, on a message box's dialog; restoring, removal at
// WM_NCDESTROY, the exception boundary.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

#include "framework/application.h"
#include "framework/dialogs.h"
#include "framework/subclass.h"
#include "tools/windrive/windrive.h"

namespace fw {
namespace {

constexpr UINT kProbe = WM_APP + 7;
constexpr UINT kThrow = WM_APP + 8;

// Answers kProbe itself, throws on kThrow, records WM_SETTEXT's text as
// raw bytes and passes everything else on.
class TRecorder : public TObject {
public:
    TSubclass hook{TWndMethod(this, &TRecorder::Proc)};
    std::vector<UINT> seen;
    std::string text;

    bool Saw(UINT msg) const { return std::find(seen.begin(), seen.end(), msg) != seen.end(); }

private:
    void Proc(TMessage& m)
    {
        seen.push_back(m.Msg);
        if (m.Msg == kProbe) {
            m.Result = 77;
            return;
        }
        if (m.Msg == kThrow) throw rtl::Exception("thrown in the handler");
        if (m.Msg == WM_SETTEXT) {
            const char* p = reinterpret_cast<const char*>(m.LParam);
            const size_t unit = hook.Unicode() ? 2 : 1;
            size_t n = 0;
            while (std::any_of(p + n, p + n + unit, [](char c) { return c != 0; })) n += unit;
            text.assign(p, n);
        }
        hook.CallDefault(m);
    }
};

LONG_PTR ProcOf(HWND h)
{
    return IsWindowUnicode(h) ? GetWindowLongPtrW(h, GWLP_WNDPROC)
                              : GetWindowLongPtrA(h, GWLP_WNDPROC);
}

class SubclassTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        SetMessageBoxHook([this](const std::string& text, const std::string&, UINT) {
            boxes.push_back(text);
            return IDOK;
        });
    }
    void TearDown() override { SetMessageBoxHook(nullptr); }
    std::vector<std::string> boxes;
};

TEST_F(SubclassTest, FormKeepsWorkingUnderTheBindingAndGetsItsProcedureBack)
{
    TOwnedPtr<TForm> form(new TForm(nullptr));
    HWND h = form->Handle();
    const LONG_PTR original = ProcOf(h);
    TRecorder r;
    EXPECT_FALSE(r.hook.Hook(nullptr));
    ASSERT_TRUE(r.hook.Hook(h));
    EXPECT_EQ(r.hook.Window(), h);
    EXPECT_TRUE(r.hook.Unicode());
    EXPECT_EQ(TSubclass::Find(h), &r.hook);
    EXPECT_FALSE(r.hook.Hook(h));  // already bound
    TRecorder other;
    EXPECT_FALSE(other.hook.Hook(h));  // one binding a window

    EXPECT_EQ(SendMessageW(h, kProbe, 0, 0), 77);
    SendMessageW(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"\x6D4B\x8BD5"));
    EXPECT_TRUE(r.Saw(WM_SETTEXT));
    EXPECT_EQ(form->Caption(), "\xB2\xE2\xCA\xD4");  // the framework saw it too
    EXPECT_EQ(FindControl(h), form.get());

    // An exception ends at the boundary; the window goes on.
    EXPECT_EQ(SendMessageW(h, kThrow, 0, 0), 0);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "thrown in the handler");
    EXPECT_EQ(SendMessageW(h, kProbe, 0, 0), 77);

    r.hook.Unhook();
    r.hook.Unhook();  // twice is harmless
    EXPECT_EQ(ProcOf(h), original);
    EXPECT_EQ(TSubclass::Find(h), nullptr);
    EXPECT_EQ(r.hook.Window(), nullptr);
    EXPECT_EQ(SendMessageW(h, kProbe, 0, 0), 0);
    EXPECT_TRUE(other.hook.Hook(h));  // free again
}

TEST_F(SubclassTest, DestroyingTheWindowRemovesTheBinding)
{
    TOwnedPtr<TForm> form(new TForm(nullptr));
    TRecorder r;
    HWND h = form->Handle();
    ASSERT_TRUE(r.hook.Hook(h));
    form.reset();
    EXPECT_FALSE(IsWindow(h));
    EXPECT_TRUE(r.Saw(WM_NCDESTROY));
    EXPECT_EQ(r.hook.Window(), nullptr);
    r.hook.Unhook();  // nothing left to touch
}

// A procedure someone installs on top of the binding.
WNDPROC g_below = nullptr;
int g_outerCalls = 0;
LRESULT CALLBACK OuterProc(HWND h, UINT msg, WPARAM w, LPARAM l)
{
    ++g_outerCalls;
    return CallWindowProcW(g_below, h, msg, w, l);
}

TEST_F(SubclassTest, UnhookUnderAnotherProcedureLeavesItInPlaceAndPassesMessagesOn)
{
    TOwnedPtr<TForm> form(new TForm(nullptr));
    HWND h = form->Handle();
    TRecorder r;
    ASSERT_TRUE(r.hook.Hook(h));
    g_below = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OuterProc)));
    g_outerCalls = 0;
    r.hook.Unhook();
    EXPECT_EQ(GetWindowLongPtrW(h, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&OuterProc));
    EXPECT_EQ(TSubclass::Find(h), nullptr);
    const size_t seen = r.seen.size();
    EXPECT_EQ(SendMessageW(h, kProbe, 0, 0), 0);  // no longer answered by the handler
    SendMessageW(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"abc"));
    EXPECT_EQ(form->Caption(), "abc");  // but still reaches the form
    EXPECT_EQ(r.seen.size(), seen);
    EXPECT_GE(g_outerCalls, 2);
    form.reset();  // the binding left behind goes with the window
    EXPECT_FALSE(IsWindow(h));
}

// The binding follows the window's own kind; text sent to either kind
// arrives whole.
TEST_F(SubclassTest, AnsiAndUnicodeWindowsKeepTheirKind)
{
    WNDCLASSA ca{};
    ca.lpfnWndProc = DefWindowProcA;
    ca.hInstance = GetModuleHandleW(nullptr);
    ca.lpszClassName = "SubclassTestA";
    RegisterClassA(&ca);
    WNDCLASSW cw{};
    cw.lpfnWndProc = DefWindowProcW;
    cw.hInstance = GetModuleHandleW(nullptr);
    cw.lpszClassName = L"SubclassTestW";
    RegisterClassW(&cw);
    const wchar_t* wide = L"\x6D4B\x8BD5 ok";
    char ansi[32] = {};
    WideCharToMultiByte(CP_ACP, 0, wide, -1, ansi, sizeof ansi, nullptr, nullptr);

    for (bool unicode : {false, true}) {
        SCOPED_TRACE(unicode ? "unicode" : "ansi");
        HWND h = unicode ? CreateWindowExW(0, L"SubclassTestW", L"", WS_POPUP, 0, 0, 10, 10,
                                           nullptr, nullptr, cw.hInstance, nullptr)
                         : CreateWindowExA(0, "SubclassTestA", "", WS_POPUP, 0, 0, 10, 10, nullptr,
                                           nullptr, ca.hInstance, nullptr);
        ASSERT_TRUE(h);
        const LONG_PTR original = ProcOf(h);
        {
            TRecorder r;
            ASSERT_TRUE(r.hook.Hook(h));
            EXPECT_EQ(r.hook.Unicode(), unicode);
            EXPECT_EQ(IsWindowUnicode(h) != FALSE, unicode);
            SendMessageW(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide));
            const std::string expected = unicode ? std::string(reinterpret_cast<const char*>(wide),
                                                               wcslen(wide) * sizeof(wchar_t))
                                                 : std::string(ansi);
            EXPECT_EQ(r.text, expected);
            wchar_t back[32] = {};
            GetWindowTextW(h, back, 32);
            EXPECT_STREQ(back, wide);
        }  // the destructor unhooks
        EXPECT_EQ(ProcOf(h), original);
        EXPECT_EQ(IsWindowUnicode(h) != FALSE, unicode);
        DestroyWindow(h);
    }
}

// A message box's dialog, bound while the box runs its own loop, answers
// through the handler, closes by its OK button and takes the binding along.
struct TBoxProbe {
    TRecorder r;
    HWND box = nullptr;
    LRESULT answer = 0;
    bool unicode = false, boundUnicode = false;
};
TBoxProbe* g_probe = nullptr;

void CALLBACK BoxTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND box = windrive::ThreadMessageBox(GetCurrentThreadId());
    if (!box) return;
    KillTimer(nullptr, id);
    TBoxProbe& p = *g_probe;
    p.box = box;
    p.unicode = IsWindowUnicode(box) != FALSE;
    if (!p.r.hook.Hook(box)) return;
    p.boundUnicode = p.r.hook.Unicode();
    p.answer = SendMessageW(box, kProbe, 0, 0);
    SendMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
}

TEST_F(SubclassTest, MessageBoxDialogIsBoundAndClosesByItsButton)
{
    SetMessageBoxHook(nullptr);  // the real box
    TBoxProbe probe;
    g_probe = &probe;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, BoxTimer);
    const int result = ShowMessageBox("bound", "box", MB_OK);
    KillTimer(nullptr, timer);
    g_probe = nullptr;
    EXPECT_EQ(result, IDOK);
    ASSERT_TRUE(probe.box);
    EXPECT_EQ(probe.answer, 77);
    EXPECT_EQ(probe.boundUnicode, probe.unicode);
    EXPECT_TRUE(probe.r.Saw(WM_COMMAND));
    EXPECT_TRUE(probe.r.Saw(WM_NCDESTROY));
    EXPECT_EQ(probe.r.hook.Window(), nullptr);
}

}  // namespace
}  // namespace fw
