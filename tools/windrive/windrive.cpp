#include "tools/windrive/windrive.h"

#include <cwchar>

namespace windrive {

std::wstring Wide(const std::string& gbk)
{
    if (gbk.empty()) return {};
    const int n = MultiByteToWideChar(936, 0, gbk.data(), int(gbk.size()), nullptr, 0);
    std::wstring out(size_t(n), L'\0');
    MultiByteToWideChar(936, 0, gbk.data(), int(gbk.size()), out.data(), n);
    return out;
}

std::string Narrow(const std::wstring& wide)
{
    if (wide.empty()) return {};
    const int n =
        WideCharToMultiByte(936, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string out(size_t(n), '\0');
    WideCharToMultiByte(936, 0, wide.data(), int(wide.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::string WinePath(const std::string& path)
{
    if (path.empty() || path[0] != '/') return path;
    std::string out = "Z:" + path;
    for (char& c : out)
        if (c == '/') c = '\\';
    return out;
}

TProcess::~TProcess()
{
    Kill();
    if (info_.hThread) CloseHandle(info_.hThread);
    if (info_.hProcess) CloseHandle(info_.hProcess);
}

bool TProcess::Start(const std::string& exe, const std::string& folder)
{
    std::wstring command = L"\"" + Wide(WinePath(exe)) + L"\"";
    std::wstring dir = Wide(WinePath(folder));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    return CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          dir.empty() ? nullptr : dir.c_str(), &startup, &info_) != 0;
}

int TProcess::WaitExit(DWORD timeoutMs)
{
    if (!info_.hProcess) return -1;
    if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return int(code);
}

bool TProcess::Running() const
{
    return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

void TProcess::Kill()
{
    if (Running()) {
        TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, 5000);
    }
}

namespace {

struct TTopSearch {
    DWORD ProcessId;
    std::wstring Caption;
    bool AnyCaption;
    bool DialogsOnly;
    HWND Found;
};

std::wstring ClassOf(HWND window)
{
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

BOOL CALLBACK FindVisibleDialog(HWND window, LPARAM param)
{
    if (ClassOf(window) != L"#32770" || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(param) = window;
    return FALSE;
}

BOOL CALLBACK FindTop(HWND window, LPARAM param)
{
    auto& s = *reinterpret_cast<TTopSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != s.ProcessId || !IsWindowVisible(window)) return TRUE;
    const bool dialog = ClassOf(window) == L"#32770";
    if (s.DialogsOnly != dialog) return TRUE;
    if (!s.AnyCaption) {
        wchar_t text[512] = {};
        GetWindowTextW(window, text, 512);
        if (s.Caption != text) return TRUE;
    }
    s.Found = window;
    return FALSE;
}

HWND PollTop(TTopSearch search, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        search.Found = nullptr;
        EnumWindows(FindTop, reinterpret_cast<LPARAM>(&search));
        if (search.Found || GetTickCount() - start >= timeoutMs) return search.Found;
        Sleep(20);
    }
}

BOOL CALLBACK CollectChild(HWND window, LPARAM param)
{
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

bool SameClass(HWND window, const std::string& windowClass)
{
    return _wcsicmp(ClassOf(window).c_str(), Wide(windowClass).c_str()) == 0;
}

// Sends with a time-out, so a hung target cannot hang the driver.
LRESULT SendTo(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, wparam, lparam, SMTO_NORMAL, 10000, &result);
    return LRESULT(result);
}

void NotifyParent(HWND control, WORD code)
{
    HWND parent = GetParent(control);
    const WPARAM wparam = MAKEWPARAM(GetDlgCtrlID(control), code);
    SendTo(parent, WM_COMMAND, wparam, reinterpret_cast<LPARAM>(control));
}

}  // namespace

HWND WaitWindow(DWORD processId, const std::string& caption, DWORD timeoutMs)
{
    return PollTop({processId, Wide(caption), caption.empty(), false, nullptr}, timeoutMs);
}

std::vector<HWND> Children(HWND parent)
{
    std::vector<HWND> out;
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&out));
    return out;
}

HWND FindChild(HWND parent, const std::string& windowClass, int index)
{
    for (HWND child : Children(parent))
        if (SameClass(child, windowClass) && index-- == 0) return child;
    return nullptr;
}

HWND FindChildByText(HWND parent, const std::string& windowClass, const std::string& text)
{
    for (HWND child : Children(parent))
        if (SameClass(child, windowClass) && TextOf(child) == text) return child;
    return nullptr;
}

std::string ClassNameOf(HWND window) { return Narrow(ClassOf(window)); }

std::string TextOf(HWND window)
{
    const LRESULT n = SendTo(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(size_t(n) + 1, L'\0');
    SendTo(window, WM_GETTEXT, WPARAM(n + 1), reinterpret_cast<LPARAM>(text.data()));
    text.resize(wcslen(text.c_str()));
    return Narrow(text);
}

bool IsEnabled(HWND window) { return IsWindowEnabled(window) != 0; }

void SetText(HWND edit, const std::string& text)
{
    const std::wstring wide = Wide(text);
    SendTo(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

void SelectItem(HWND combo, int index)
{
    SendTo(combo, CB_SETCURSEL, WPARAM(index), 0);
    NotifyParent(combo, CBN_SELCHANGE);
}

void TypeComboText(HWND combo, const std::string& text)
{
    SendTo(combo, CB_SETCURSEL, WPARAM(-1), 0);
    const std::wstring wide = Wide(text);
    SendTo(combo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    NotifyParent(combo, CBN_EDITCHANGE);
}

void SetCheck(HWND checkBox, bool checked)
{
    const bool now = SendTo(checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (now != checked) {
        // A click, so that the program's click handler runs as for a person.
        ClickNow(checkBox);
    }
}

void Click(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

void ClickNow(HWND button) { SendTo(button, BM_CLICK, 0, 0); }

void MoveCursor(POINT p, const std::function<void()>& meanwhile)
{
    int stable = 0;
    for (int i = 0; i < 200 && stable < 3; ++i) {
        POINT now{};
        GetCursorPos(&now);
        if (now.x != p.x || now.y != p.y) {
            SetCursorPos(p.x, p.y);
            stable = 0;
        } else {
            ++stable;
        }
        Sleep(10);
        if (meanwhile) meanwhile();
    }
}

void Settle(HWND window) { SendTo(window, WM_NULL, 0, 0); }

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (done()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(10);
    }
}

HWND CaptureOf(HWND window)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndCapture;
}

HWND ThreadMessageBox(DWORD threadId)
{
    HWND box = nullptr;
    EnumThreadWindows(threadId, FindVisibleDialog, reinterpret_cast<LPARAM>(&box));
    return box;
}

HWND VisiblePopupMenu(DWORD processId)
{
    for (HWND w = FindWindowW(L"#32768", nullptr); w;
         w = FindWindowExW(nullptr, w, L"#32768", nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == processId && IsWindowVisible(w)) return w;
    }
    return nullptr;
}

TMessageBox WaitMessageBox(DWORD processId, DWORD timeoutMs)
{
    TMessageBox box;
    box.Window = PollTop({processId, L"", true, true, nullptr}, timeoutMs);
    if (!box.Window) return box;
    // The box may still be filling in its controls.
    for (int i = 0; i < 50 && !GetDlgItem(box.Window, 0xFFFF); ++i) Sleep(20);
    box.Title = TextOf(box.Window);
    if (HWND text = GetDlgItem(box.Window, 0xFFFF)) box.Text = TextOf(text);
    return box;
}

void Dismiss(const TMessageBox& box)
{
    if (!box.Window) return;
    HWND ok = GetDlgItem(box.Window, IDOK);
    if (ok)
        PostMessageW(ok, BM_CLICK, 0, 0);
    else
        PostMessageW(box.Window, WM_COMMAND, IDOK, 0);
    for (int i = 0; i < 250 && IsWindow(box.Window); ++i) Sleep(20);
}

std::string TakeMessage(DWORD processId, DWORD timeoutMs)
{
    const TMessageBox box = WaitMessageBox(processId, timeoutMs);
    Dismiss(box);
    return box.Text;
}

bool NoMessageBox(DWORD processId, DWORD timeoutMs)
{
    return WaitMessageBox(processId, timeoutMs).Window == nullptr;
}

}  // namespace windrive
