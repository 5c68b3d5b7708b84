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

thread_local HHOOK t_centerHook = nullptr;

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

// Moves the message box to the middle of the screen when it is activated.
LRESULT CALLBACK CenterProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE) {
        HWND box = reinterpret_cast<HWND>(wParam);
        wchar_t cls[16] = {};
        GetClassNameW(box, cls, 16);
        if (lstrcmpW(cls, L"#32770") == 0) {
            RECT r{};
            GetWindowRect(box, &r);
            const int w = r.right - r.left, h = r.bottom - r.top;
            SetWindowPos(box, nullptr, (GetSystemMetrics(SM_CXSCREEN) - w) / 2,
                         (GetSystemMetrics(SM_CYSCREEN) - h) / 2, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            HHOOK hook = t_centerHook;
            t_centerHook = nullptr;
            UnhookWindowsHookEx(hook);
            return CallNextHookEx(nullptr, code, wParam, lParam);
        }
    }
    return CallNextHookEx(t_centerHook, code, wParam, lParam);
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
    HHOOK outer = t_centerHook;
    t_centerHook = SetWindowsHookExW(WH_CBT, CenterProc, nullptr, GetCurrentThreadId());
    const int result = MessageBoxW(OwnerWindow(), wtext.c_str(), wcaption.c_str(), flags);
    if (t_centerHook) UnhookWindowsHookEx(t_centerHook);
    t_centerHook = outer;
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
