#include "framework/dialogs.h"

#include <commdlg.h>

#include <vector>

#include "framework/application.h"
#include "framework/text.h"

namespace fw {

namespace {

TMessageBoxHook& Hook()
{
    static TMessageBoxHook hook;
    return hook;
}

// While a message box runs, it is kept in the middle of the screen: placed
// there when it is activated, and again whenever its size changes (a skin
// engine fitting it to another frame). The hooks stay installed until the
// box returns, so that hooks installed before them (the skin engine's) see
// the box's creation and activation too.
struct TCentring {
    HHOOK activate = nullptr;
    HHOOK resized = nullptr;
    HWND box = nullptr;
};
thread_local TCentring* t_centring = nullptr;

void CentreOnScreen(HWND box)
{
    RECT r{};
    GetWindowRect(box, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2,
              y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
    if (r.left != x || r.top != y)
        SetWindowPos(box, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The common dialog library brings the shell and the print spooler with
// it: it is loaded when a dialog first opens, not with every program.
using TGetOpenFileName = BOOL(WINAPI*)(OPENFILENAMEW*);

TGetOpenFileName OpenFileNameFunction()
{
    static const auto function = [] {
        HMODULE library = LoadLibraryW(L"comdlg32.dll");
        FARPROC f = library ? GetProcAddress(library, "GetOpenFileNameW") : nullptr;
        return reinterpret_cast<TGetOpenFileName>(reinterpret_cast<void*>(f));
    }();
    if (!function) throw rtl::Exception("The open-file dialog is not available");
    return function;
}

LRESULT CALLBACK CenterProc(int code, WPARAM wParam, LPARAM lParam)
{
    TCentring* c = t_centring;
    if (code == HCBT_ACTIVATE && c && !c->box) {
        HWND box = reinterpret_cast<HWND>(wParam);
        wchar_t cls[16] = {};
        GetClassNameW(box, cls, 16);
        if (lstrcmpW(cls, L"#32770") == 0) {
            c->box = box;
            CentreOnScreen(box);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK ResizedProc(int code, WPARAM wParam, LPARAM lParam)
{
    TCentring* c = t_centring;
    if (code == HC_ACTION && c && c->box) {
        const auto* ret = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        if (ret->hwnd == c->box && ret->message == WM_WINDOWPOSCHANGED) {
            const auto* pos = reinterpret_cast<const WINDOWPOS*>(ret->lParam);
            if (!(pos->flags & SWP_NOSIZE)) CentreOnScreen(c->box);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

HWND OwnerWindow()
{
    if (HWND active = GetActiveWindow()) return active;
    if (Application && Application->MainForm()) {
        HWND main = Application->MainForm()->HandleIfAllocated();
        if (main && IsWindowVisible(main)) return main;
    }
    return nullptr;
}

}  // namespace

void SetMessageBoxHook(TMessageBoxHook hook) { Hook() = std::move(hook); }

int ShowMessageBox(const std::string& text, const std::string& caption, UINT flags)
{
    if (Hook()) return Hook()(text, caption, flags);
    const std::wstring wtext = ToWide(text), wcaption = ToWide(caption);
    TCentring centring;
    TCentring* outer = t_centring;
    t_centring = &centring;
    const DWORD thread = GetCurrentThreadId();
    centring.activate = SetWindowsHookExW(WH_CBT, CenterProc, nullptr, thread);
    centring.resized = SetWindowsHookExW(WH_CALLWNDPROCRET, ResizedProc, nullptr, thread);
    const int result = MessageBoxW(OwnerWindow(), wtext.c_str(), wcaption.c_str(), flags);
    if (centring.resized) UnhookWindowsHookEx(centring.resized);
    if (centring.activate) UnhookWindowsHookEx(centring.activate);
    t_centring = outer;
    return result;
}

void ShowMessage(const std::string& text)
{
    ShowMessageBox(text, Application ? Application->Title() : std::string{}, MB_OK);
}

// ---------------------------------------------------------------------------
// TOpenDialog

FW_IMPLEMENT_CLASS(TOpenDialog)
{
    c.Property("DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt);
    c.Property("FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName);
    c.Property("Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter);
    c.Property("FilterIndex", &TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex);
    c.Property("InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir);
    c.Property("Title", &TOpenDialog::Title, &TOpenDialog::SetTitle);
}

bool TOpenDialog::Execute()
{
    // The filter's '|' separators become the NULs the dialog expects.
    std::wstring filter = ToWide(filter_);
    for (wchar_t& ch : filter)
        if (ch == L'|') ch = L'\0';
    filter.append(2, L'\0');
    std::vector<wchar_t> file(32768, L'\0');
    const std::wstring name = ToWide(fileName_);
    name.copy(file.data(), std::min(name.size(), file.size() - 1));
    const std::wstring dir = ToWide(initialDir_), ext = ToWide(defaultExt_), title = ToWide(title_);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = OwnerWindow();
    ofn.lpstrFilter = filter_.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(filterIndex_);
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrInitialDir = dir.empty() ? nullptr : dir.c_str();
    ofn.lpstrDefExt = ext.empty() ? nullptr : ext.c_str();
    ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
    ofn.Flags =
        OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_ENABLESIZING;
    if (!OpenFileNameFunction()(&ofn)) return false;
    fileName_ = ToGbk(file.data());
    filterIndex_ = static_cast<int>(ofn.nFilterIndex);
    return true;
}

}  // namespace fw
