#include "framework/application.h"

#include <algorithm>

#include "framework/dialogs.h"
#include "framework/guard.h"
#include "framework/menus.h"
#include "framework/steptimes.h"
#include "framework/subclass.h"
#include "framework/text.h"

namespace fw {

TScreen* Screen = nullptr;
TApplication* Application = nullptr;

namespace {

// The screen and the application live from program start to program end;
// the application (and with it every form it owns) goes first.
struct Globals {
    Globals()
    {
        Screen = new TScreen(nullptr);
        Application = new TApplication(nullptr);
    }
    ~Globals()
    {
        try {
            FreeAndNil(Application);
            FreeAndNil(Screen);
            GlobalDeleteAtom(ControlAtom());
            DeleteSubclassAtom();
        } catch (...) {}
    }
};
Globals g_globals;

// The hidden application window: owner of popup menus shown without a
// form, so it measures and draws their owner-drawn items.
LRESULT CALLBACK AppWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return Guarded(
        [&] {
            TMessage m{msg, wParam, lParam, 0};
            if (HandleMenuItemMessage(m)) return m.Result;
            return DefWindowProcW(hwnd, msg, wParam, lParam);
        },
        LRESULT{0});
}

// The form hears the keys a dialog acts on (CM_DIALOGKEY) and the
// characters that may be mnemonics (CM_DIALOGCHAR) before the dialog
// manager does, unless the focused control wants them itself; an answer
// other than 0 takes the key.
bool FormTakesKey(HWND form, const MSG& msg)
{
    const auto code = [&] {
        return SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam,
                            reinterpret_cast<LPARAM>(const_cast<MSG*>(&msg)));
    };
    switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        LRESULT wants = 0;
        switch (msg.wParam) {
        case VK_TAB: wants = DLGC_WANTTAB; break;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN: wants = DLGC_WANTARROWS; break;
        case VK_RETURN:
        case VK_ESCAPE:
        case VK_CANCEL:
        case VK_EXECUTE: break;
        default: return false;
        }
        if (code() & (wants | DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) return false;
        return SendMessageW(form, CM_DIALOGKEY, msg.wParam, msg.lParam) != 0;
    }
    case WM_CHAR:
        if (code() & (DLGC_WANTCHARS | DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) return false;
        return SendMessageW(form, CM_DIALOGCHAR, msg.wParam, msg.lParam) != 0;
    case WM_SYSCHAR: return SendMessageW(form, CM_DIALOGCHAR, msg.wParam, msg.lParam) != 0;
    default: return false;
    }
}

std::string DefaultTitle()
{
    // Split as UTF-16, where no trail byte can pass for a backslash.
    std::wstring name = ToWide(ProgramFileName());
    const size_t slash = name.find_last_of(L"\\/");
    if (slash != std::wstring::npos) name.erase(0, slash + 1);
    const size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos) name.erase(dot);
    return ToGbk(name);
}

}  // namespace

void HandleCallbackException() noexcept
{
    try {
        if (Application) Application->HandleException(nullptr);
    } catch (...) {
        // Nothing may leave a callback; an exception while reporting one is dropped.
    }
}

FW_IMPLEMENT_CLASS(TApplication)
{
    c.Property("Title", &TApplication::Title, &TApplication::SetTitle);
    c.Property("OnException", &TApplication::OnException);
}

TApplication::TApplication(TComponent* owner) : TComponent(owner), title_(DefaultTitle()) {}

void TApplication::Destroy()
{
    DestroyComponents();  // the forms, while the application window still exists
    if (handle_) DestroyWindow(handle_);
    handle_ = nullptr;
    inherited::Destroy();
}

void TApplication::Initialize()
{
    INITCOMMONCONTROLSEX icc{};
    icc.dwSize = sizeof(icc);
    icc.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_DATE_CLASSES;
    InitCommonControlsEx(&icc);
    Handle();
}

HWND TApplication::Handle()
{
    if (!handle_) {
        HINSTANCE instance = GetModuleHandleW(nullptr);
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        if (!GetClassInfoExW(instance, L"TApplication", &wc)) {
            wc.cbSize = sizeof(wc);
            wc.lpfnWndProc = AppWndProc;
            wc.hInstance = instance;
            wc.hIcon = LoadIconW(instance, L"MAINICON");
            if (!wc.hIcon) wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
            wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
            wc.lpszClassName = L"TApplication";
            RegisterClassExW(&wc);
        }
        handle_ =
            CreateWindowExW(0, L"TApplication", ToWide(title_).c_str(),
                            WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                            0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
        if (handle_) SetProgramIcons(handle_);
    }
    return handle_;
}

void TApplication::SetTitle(const std::string& title)
{
    title_ = title;
    if (handle_) SetWindowTextW(handle_, ToWide(title).c_str());
}

void TApplication::Notification(TComponent* component, TOperation operation)
{
    if (operation == opRemove && component == mainForm_) mainForm_ = nullptr;
    inherited::Notification(component, operation);
}

void TApplication::Run()
{
    try {
        if (mainForm_) {
            TStepSpan span("main form shown");
            mainForm_->Show();
        }
        StepMark("main form shown");
    } catch (...) {
        HandleException(this);
    }
    while (!terminated_) HandleMessage();
}

void TApplication::Terminate() { PostQuitMessage(0); }

bool TApplication::ProcessMessage()
{
    MSG msg;
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    try {
        if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) {
            HWND root = GetAncestor(msg.hwnd, GA_ROOT);
            auto* form = dynamic_cast<TCustomForm*>(FindControl(root));
            // Menu short cuts, then keyboard navigation between the controls (Tab, arrows).
            if (form && (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) &&
                form->IsShortCut(static_cast<WORD>(msg.wParam)))
                return true;
            if (form && FormTakesKey(root, msg)) return true;
            if (form && IsDialogMessageW(root, &msg)) return true;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    } catch (...) {
        HandleException(this);
    }
    return true;
}

void TApplication::ProcessMessages()
{
    while (ProcessMessage()) {
        if (terminated_) break;
    }
}

void TApplication::Idle()
{
    StepTimesIdle();
    FreeDeviceContexts();
    WaitMessage();
}

void TApplication::HandleMessage()
{
    if (!ProcessMessage()) Idle();
}

void TApplication::HandleException(TObject* sender)
{
    std::exception_ptr e = std::current_exception();
    if (!e) return;
    std::string text;
    try {
        std::rethrow_exception(e);
    } catch (const std::exception& ex) {
        if (OnException) {
            OnException(sender ? sender : this, ex);
            return;
        }
        text = ex.what();
    } catch (...) {
        text = "Unknown exception";
    }
    ShowException(text);
}

void TApplication::ShowException(const std::string& message)
{
    if (showingException_) return;  // an exception while the box is up is not stacked
    showingException_ = true;
    try {
        MessageBox(message, title_, MB_OK | MB_ICONSTOP);
    } catch (...) {}
    showingException_ = false;
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT flags)
{
    return ShowMessageBox(text, caption.empty() ? title_ : caption, flags);
}

}  // namespace fw
