// Fitting a window to the skinned frame: the client area keeps its size
// inside the skin's borders, and a dialog whose caption would not fit is
// widened with its controls moved to stay centred.
#include <algorithm>
#include <vector>

#include "framework/forms.h"
#include "framework/stdctrls.h"
#include "skin/controls/classify.h"
#include "skin/data/skindata.h"
#include "skin/form/winskinform.h"

namespace skin {
namespace {

// The window's children, listed before any of them moves (moving a window
// may change its place in the z-order walk).
std::vector<HWND> ChildWindows(HWND parent)
{
    std::vector<HWND> children;
    for (HWND child = GetTopWindow(parent); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

}  // namespace

bool NeedsScrollbars(fw::TControl* control)
{
    auto* windowed = dynamic_cast<fw::TWinControl*>(control);
    if (!windowed) return false;
    // A memo and the list kinds scroll whatever their style says now.
    if (dynamic_cast<fw::TCustomMemo*>(control) || IsScrollingList(control)) return true;
    if (!windowed->HandleAllocated()) return false;
    const auto style = GetWindowLongPtrW(windowed->Handle(), GWL_STYLE);
    return (style & (WS_HSCROLL | WS_VSCROLL)) != 0;
}

void TWinSkinForm::FitWindowToSkin(bool keepClient, bool regionFirst)
{
    if (!WindowHandle || FormState == fsDestroyed) return;
    if (WindowState == wsMaximized) {
        RefreshFrame();
        return;
    }
    RECT window;
    GetWindowRect(WindowHandle, &window);
    RECT client = activationClient_;
    if (IsDialogClass || FormState == fsReskinning || keepClient)
        GetClientRect(WindowHandle, &client);
    int clientHeight = client.bottom - client.top;
    int width = client.right - client.left + borders_.Left + borders_.Right;
    if (!keepClient && FormControl) {
        width = FormControl->ClientWidth() + borders_.Left + borders_.Right;
        clientHeight = FormControl->ClientHeight();
    }
    // The client grew by the native menu bar taken off the window; the
    // skinned bar takes that room again.
    if (!keepClient) clientHeight -= barGrowth_;
    const int height = clientHeight + borders_.Top + borders_.Bottom + MenuBarHeight;

    if (IsDialogClass && !keepClient && SkinData) {
        const std::wstring text = CaptionText();
        HDC dc = GetWindowDC(WindowHandle);
        SIZE extent{0, 0};
        if (dc) {
            HGDIOBJ old = SelectObject(dc, captionFont_->Handle());
            GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &extent);
            SelectObject(dc, old);
            ReleaseDC(WindowHandle, dc);
        }
        const TDataSkinTitle& title = *SkinData->Skin().Title;
        const int needed = title.LeftWidth + extent.cx + title.RightWidth;
        if (width < needed) {
            const int dx = (needed - width) / 2;
            for (HWND child : ChildWindows(WindowHandle)) {
                RECT r;
                GetWindowRect(child, &r);
                POINT at{r.left, r.top};
                ScreenToClient(WindowHandle, &at);
                SetWindowPos(child, nullptr, at.x + dx, at.y, 0, 0,
                             SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
            }
            width = needed;
        }
    }
    if (regionFirst && FormKind != fkMDIChild) SetWindowRegion(width, height, false);
    SetWindowPos(WindowHandle, nullptr, window.left, window.top, width, height,
                 SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE);
}

int TWinSkinForm::ClientHeight() const
{
    RECT r{};
    GetClientRect(WindowHandle, &r);
    return r.bottom;
}

void TWinSkinForm::RestoreClientHeight(int height)
{
    if (!WindowHandle || FormState == fsDestroyed || WindowState != wsNormal) return;
    const int now = ClientHeight();
    if (now == height) return;
    RECT w;
    GetWindowRect(WindowHandle, &w);
    SetWindowPos(WindowHandle, nullptr, 0, 0, w.right - w.left, w.bottom - w.top + height - now,
                 SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
}

}  // namespace skin
