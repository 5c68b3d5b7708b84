#include "framework/dialogs.h"

#include "framework/application.h"
#include "framework/text.h"

namespace fw {

namespace {

TMessageBoxHook& Hook() {
    static TMessageBoxHook hook;
    return hook;
}

thread_local HHOOK t_centerHook = nullptr;

// Moves the message box to the middle of the screen when it is activated.
LRESULT CALLBACK CenterProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND box = reinterpret_cast<HWND>(wParam);
        wchar_t cls[16] = {};
        GetClassNameW(box, cls, 16);
        if (lstrcmpW(cls, L"#32770") == 0) {
            RECT r{};
            GetWindowRect(box, &r);
            const int w = r.right - r.left, h = r.bottom - r.top;
            SetWindowPos(box, nullptr, (GetSystemMetrics(SM_CXSCREEN) - w) / 2,
                         (GetSystemMetrics(SM_CYSCREEN) - h) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            HHOOK hook = t_centerHook;
            t_centerHook = nullptr;
            UnhookWindowsHookEx(hook);
            return CallNextHookEx(nullptr, code, wParam, lParam);
        }
    }
    return CallNextHookEx(t_centerHook, code, wParam, lParam);
}

HWND OwnerWindow() {
    if (HWND active = GetActiveWindow()) return active;
    if (Application && Application->MainForm()) {
        HWND main = Application->MainForm()->HandleIfAllocated();
        if (main && IsWindowVisible(main)) return main;
    }
    return nullptr;
}

}  // namespace

void SetMessageBoxHook(TMessageBoxHook hook) { Hook() = std::move(hook); }

int ShowMessageBox(const std::string& text, const std::string& caption, UINT flags) {
    if (Hook()) return Hook()(text, caption, flags);
    const std::wstring wtext = ToWide(text), wcaption = ToWide(caption);
    HHOOK outer = t_centerHook;
    t_centerHook = SetWindowsHookExW(WH_CBT, CenterProc, nullptr, GetCurrentThreadId());
    const int result = MessageBoxW(OwnerWindow(), wtext.c_str(), wcaption.c_str(), flags);
    if (t_centerHook) UnhookWindowsHookEx(t_centerHook);
    t_centerHook = outer;
    return result;
}

void ShowMessage(const std::string& text) {
    ShowMessageBox(text, Application ? Application->Title() : std::string{}, MB_OK);
}

}  // namespace fw
