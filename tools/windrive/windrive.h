// Drives another program's windows as an operator would, through window
// messages: start the program, find its window and controls, type, pick,
// tick and click, and read and dismiss the message boxes it shows. Used by
// the end-to-end tests and the scripted run. Texts are GBK bytes.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace windrive {

// A started program; ended (if still running) when destroyed.
class TProcess {
public:
    TProcess() = default;
    TProcess(const TProcess&) = delete;
    TProcess& operator=(const TProcess&) = delete;
    ~TProcess();

    // Starts exe (a Windows path, or a Unix path reached through Wine's Z:
    // drive) in the given folder (empty: the driver's own). False when it
    // cannot be started.
    bool Start(const std::string& exe, const std::string& folder = "");
    DWORD Id() const { return info_.dwProcessId; }
    // Waits for the program to end; its exit code, or -1 on time-out.
    int WaitExit(DWORD timeoutMs);
    bool Running() const;
    void Kill();

private:
    PROCESS_INFORMATION info_{};
};

// The first visible top-level window of the process whose caption is
// caption (any caption when empty), waiting up to timeoutMs.
HWND WaitWindow(DWORD processId, const std::string& caption, DWORD timeoutMs);

// The child windows of parent, all levels, in creation (z) order.
std::vector<HWND> Children(HWND parent);
// The index-th (0-based) descendant of parent with this window class
// (compared case-insensitively, e.g. "Button", "Edit", "ComboBox"); with
// text non-empty, the first one whose window text is text.
HWND FindChild(HWND parent, const std::string& windowClass, int index);
HWND FindChildByText(HWND parent, const std::string& windowClass, const std::string& text);

std::string ClassNameOf(HWND window);
std::string TextOf(HWND window);
bool IsEnabled(HWND window);

// Operator actions. Each waits until the target's thread has handled it,
// except Click, which posts (a handler may open a modal box).
void SetText(HWND edit, const std::string& text);
void SelectItem(HWND combo, int index);
void TypeComboText(HWND combo, const std::string& text);
void SetCheck(HWND checkBox, bool checked);
void Click(HWND button);
// Clicks and returns once the program has handled the click; only for
// clicks that open no modal box (the driver would wait for the box).
void ClickNow(HWND button);

// Puts the mouse cursor at a screen point, as a hand on the mouse would,
// and waits until the window system reports it there (the display echoes
// each move back a little later, which could otherwise undo a newer one).
// meanwhile, when given, runs between the checks: a test whose own thread
// owns the windows runs their messages there.
void MoveCursor(POINT screenPoint, const std::function<void()>& meanwhile = {});

// Message boxes (dialog class #32770) of the process.
struct TMessageBox {
    HWND Window = nullptr;
    std::string Title;
    std::string Text;
};
// A visible message box of the given thread (a test's own thread, say),
// or null.
HWND ThreadMessageBox(DWORD threadId);
// Waits up to timeoutMs for a message box of the process; Window is null
// when none came.
TMessageBox WaitMessageBox(DWORD processId, DWORD timeoutMs);
// Presses the box's OK button and waits until it is gone.
void Dismiss(const TMessageBox& box);
// Waits for a box, dismisses it and returns its text (empty on time-out).
std::string TakeMessage(DWORD processId, DWORD timeoutMs);
// True when no message box of the process appears within timeoutMs.
bool NoMessageBox(DWORD processId, DWORD timeoutMs);

// The visible popup menu window of the process, or null.
HWND VisiblePopupMenu(DWORD processId);

// Lets the target process handle what was sent so far. (A thread handles
// the messages sent to it before those posted to it, so what was posted
// may still wait: watch for its effect with WaitUntil.)
void Settle(HWND window);

// Polls done every 10 ms until it holds; false when it did not within the
// time.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs);
// The window that holds the mouse capture on the thread of window, or null.
HWND CaptureOf(HWND window);

// A Unix path as Wine's Z: drive shows it; other paths are kept.
std::string WinePath(const std::string& path);

// GBK <-> UTF-16 through code page 936.
std::wstring Wide(const std::string& gbk);
std::string Narrow(const std::wstring& wide);

}  // namespace windrive
