// The message-filter hook that runs while the popup of a bar entry is
// tracked: Left and Right move to the neighbouring entry (wrapping around)
// unless a submenu takes them, and the mouse moving onto another entry
// switches to that entry's popup. A switch posts a click on the new entry;
// the click ends the open popup and the window procedure then opens the
// new one. One popup at a time in the process (GUI thread only).
#include <algorithm>

#include "framework/guard.h"
#include "framework/menus.h"
#include "skin/form/menubar.h"
#include "skin/form/winskinform.h"

namespace skin {
namespace {

struct THookState {
    HHOOK Hook = nullptr;
    TWinSkinForm* Form = nullptr;
    int OpenEntry = -1;
    // The item selected in the popup (from WM_MENUSELECT): its menu, its
    // own popup when it has one, and whether its menu reads right to left.
    bool Selected = false;
    HMENU SelectedParent = nullptr;
    HMENU SelectedPopup = nullptr;
    bool SelectedRightToLeft = false;
    POINT LastPoint{};
    bool FirstKeySent = false;
    bool Switching = false;
    bool Switched = false;
};

THookState g;

TWinSkinMenu* Bar() { return g.Form ? g.Form->MenuBar : nullptr; }

TMenuBtn* EntryAt(int index)
{
    TWinSkinMenu* bar = Bar();
    if (!bar || index < 0 || size_t(index) >= bar->Entries.size()) return nullptr;
    return bar->Entries[size_t(index)].get();
}

// The neighbouring entry, wrapping around; invisible ones are not skipped.
TMenuBtn* Neighbour(int step)
{
    TWinSkinMenu* bar = Bar();
    if (!bar || bar->Entries.empty()) return nullptr;
    const int n = int(bar->Entries.size());
    return EntryAt(((g.OpenEntry + step) % n + n) % n);
}

TMenuBtn* KeyTarget(WPARAM key)
{
    TMenuBtn* open = EntryAt(g.OpenEntry);
    switch (key) {
    case VK_RETURN:
    case VK_ESCAPE: g.Switching = false; return nullptr;
    case VK_LEFT:
        // Only from the entry's own popup; in a submenu Left closes it.
        if (!g.Selected ||
            (open && (g.SelectedPopup == open->SubMenu || g.SelectedParent == open->SubMenu)))
            return Neighbour(-1);
        return nullptr;
    case VK_RIGHT:
        // An item with a submenu opens it.
        if (!g.Selected || !g.SelectedPopup) return Neighbour(1);
        return nullptr;
    default: return nullptr;
    }
}

LRESULT CALLBACK MenuMsgFilterProc(int code, WPARAM wParam, LPARAM lParam)
{
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (code == MSGF_MENU && msg && msg->message == WM_KEYDOWN && g.Selected &&
        g.SelectedRightToLeft) {
        if (msg->wParam == VK_LEFT)
            msg->wParam = VK_RIGHT;
        else if (msg->wParam == VK_RIGHT)
            msg->wParam = VK_LEFT;
    }
    const LRESULT next = CallNextHookEx(g.Hook, code, wParam, lParam);
    if (next || code != MSGF_MENU || !msg || !g.Form) return next;
    return fw::Guarded(
        [&] {
            if (!g.FirstKeySent) {
                // The popup opens with its first item selected.
                g.FirstKeySent = true;
                PostMessageW(msg->hwnd, WM_KEYDOWN, VK_DOWN, 0);
            }
            TMenuBtn* target = nullptr;
            switch (msg->message) {
            case WM_KEYDOWN: target = KeyTarget(msg->wParam); break;
            case WM_SYSKEYDOWN:
                if (msg->wParam == VK_MENU) {
                    g.Form->EndMenuTracking();
                    return next;
                }
                break;
            case WM_MOUSEMOVE:
                if (msg->pt.x != g.LastPoint.x || msg->pt.y != g.LastPoint.y) {
                    if (TWinSkinMenu* bar = Bar())
                        target = bar->MenuBarHitTest(g.Form->ScreenToFrame(msg->pt));
                    g.LastPoint = msg->pt;
                }
                break;
            default: break;
            }
            if (target && target->Index != g.OpenEntry) {
                g.Switching = true;
                g.Form->ClickMenuButton(target);
                g.Switched = true;
            }
            return next;
        },
        next);
}

// The item's menu reads right to left: a popup of the bar's framework menu
// by that menu's own test (the framework marks no native item), any menu
// by the item's MFT_RIGHTORDER.
bool ReadsRightToLeft(HMENU menu, UINT item, bool byPosition)
{
    fw::TMenu* owner = Bar() ? Bar()->Menu() : nullptr;
    if (fw::TMenuItem* parent =
            owner ? owner->FindItem(reinterpret_cast<UINT_PTR>(menu), fw::fkHandle) : nullptr)
        if (fw::TMenu* framework = parent->GetParentMenu(); framework && framework->IsRightToLeft())
            return true;
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_FTYPE;
    return GetMenuItemInfoW(menu, item, byPosition, &mii) && (mii.fType & MFT_RIGHTORDER);
}

}  // namespace

void InstallMenuHook(TWinSkinForm* form, int openEntry)
{
    g.Form = form;
    g.OpenEntry = openEntry;
    g.Switching = false;
    g.Switched = false;
    g.FirstKeySent = false;
    g.Selected = false;
    GetCursorPos(&g.LastPoint);
    if (!g.Hook)
        g.Hook = SetWindowsHookExW(WH_MSGFILTER, MenuMsgFilterProc, nullptr, GetCurrentThreadId());
}

void RemoveMenuHook()
{
    if (g.Hook) UnhookWindowsHookEx(g.Hook);
    g.Hook = nullptr;
    g.Form = nullptr;
    g.Selected = false;
    g.SelectedParent = g.SelectedPopup = nullptr;
    g.OpenEntry = -1;
    g.FirstKeySent = false;
}

void NoteMenuSelect(WPARAM wParam, LPARAM lParam)
{
    if (!g.Hook) return;
    auto menu = reinterpret_cast<HMENU>(lParam);
    const UINT item = LOWORD(wParam), flags = HIWORD(wParam);
    if (flags == 0xFFFF && !menu) {
        // The popup closes; a switch to another entry keeps tracking on.
        if (!g.Switching && g.Form) g.Form->EndMenuTracking();
        return;
    }
    g.Switching = false;
    g.Selected = menu != nullptr;
    g.SelectedParent = menu;
    g.SelectedPopup = (flags & MF_POPUP) && menu ? GetSubMenu(menu, int(item)) : nullptr;
    g.SelectedRightToLeft = menu && ReadsRightToLeft(menu, item, (flags & MF_POPUP) != 0);
}

void ForgetMenuHookForm(TWinSkinForm* form)
{
    if (g.Form == form) g.Form = nullptr;
}

int OpenEntryIndex() { return g.OpenEntry; }
bool MenuSwitching() { return g.Switching; }
void SetMenuSwitching(bool on) { g.Switching = on; }

}  // namespace skin
