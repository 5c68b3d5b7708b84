// The skinned window procedure. A message goes through up to three stages:
// the first runs whatever the skinner's state, the second only for frames
// the engine draws, the third once the window is skinned. A message no
// stage consumes goes on to the procedure the skinner replaced.
#include <windowsx.h>

#include <algorithm>

#include "framework/forms.h"
#include "framework/menus.h"
#include "framework/steptimes.h"
#include "skin/data/skindata.h"
#include "skin/form/menubar.h"
#include "skin/form/skinmanage.h"
#include "skin/form/winskinform.h"

namespace skin {
namespace {

bool IsWindowCommand(WORD id)
{
    switch (id) {
    case SC_SIZE:
    case SC_MOVE:
    case SC_MINIMIZE:
    case SC_MAXIMIZE:
    case SC_NEXTWINDOW:
    case SC_PREVWINDOW:
    case SC_CLOSE:
    case SC_RESTORE: return true;
    default: return false;
    }
}

POINT MessagePoint(const fw::TMessage& m)
{
    return POINT{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
}

// Turns the skin's frame painting off for a scope.
class TFramePaintingOff {
public:
    explicit TFramePaintingOff(TSkinData* data)
        : data_(data), was_(data ? data->FramePainting : true)
    {
        if (data_) data_->FramePainting = false;
    }
    ~TFramePaintingOff()
    {
        if (data_) data_->FramePainting = was_;
    }
    TFramePaintingOff(const TFramePaintingOff&) = delete;
    TFramePaintingOff& operator=(const TFramePaintingOff&) = delete;

private:
    TSkinData* data_;
    bool was_;
};

}  // namespace

POINT TWinSkinForm::ScreenToFrame(POINT screen) const
{
    POINT origin{0, 0};
    if (WindowHandle && FormState != fsDestroyed) ClientToScreen(WindowHandle, &origin);
    const POINT client{screen.x - origin.x, screen.y - origin.y};
    return ClientToFrame(client, borders_, MenuBarHeight,
                         FormKind == fkMDIChild && WindowState == wsMaximized);
}

bool TWinSkinForm::IsSystemMenu(HMENU menu) const
{
    // The window's own system menu, or the owner-drawn copy shown for it.
    return menu && (menu == SysMenuHandle || (SysMenu && menu == SysMenu->Handle()));
}

void TWinSkinForm::NCWndProc(fw::TMessage& m)
{
    const TBusyScope busy(this);
    // Before activation the window shows no frame at all.
    if (FormState == fsInstalled && m.Msg == WM_NCPAINT) {
        m.Result = 0;
        return;
    }

    switch (m.Msg) {
    case WM_ERASEBKGND:
        if (!CallOldSurvived(m)) return;
        if (!FormControl && SkinData) {
            RECT r;
            GetClientRect(WindowHandle, &r);
            FillRect(reinterpret_cast<HDC>(m.WParam), &r,
                     SkinData->Skin().ButtonFaceBrush.Handle());
            m.Result = 1;
        }
        return;
    case WM_NCDESTROY:
        FormState = NextFormState(FormState, TFormEvent::BeginDestroy);
        QuickUnhook();
        CallOld(m);
        FormState = NextFormState(FormState, TFormEvent::Destroyed);
        return;
    case WM_NCACTIVATE:
        if (FormState == fsInstalled && FormKind != fkMDIChild) {
            // Nothing is painted yet, but activation goes on.
            m.Result = TRUE;
            return;
        }
        if (!FrameSkinned) {
            CallOld(m);
            return;
        }
        break;
    case WM_NCUAHDRAWCAPTION: m.Result = 0; return;
    case WM_INITMENUPOPUP:
        // Tells the skin manager which kind of popup window comes next.
        if (TSkinManage* manager = SkinManager())
            manager->PopupMode =
                IsSystemMenu(reinterpret_cast<HMENU>(m.WParam)) ? pmSystemMenu : pmBarPopup;
        CallOld(m);
        return;
    case WM_CTLCOLORBTN:
        if (!CallOldSurvived(m)) return;
        if (!FormControl) SetBkMode(reinterpret_cast<HDC>(m.WParam), TRANSPARENT);
        return;
    case WM_CTLCOLORSTATIC:
        if (!CallOldSurvived(m)) return;
        if (!FormControl && SkinData) {
            SetBkMode(reinterpret_cast<HDC>(m.WParam), TRANSPARENT);
            m.Result = reinterpret_cast<LRESULT>(SkinData->Skin().ButtonFaceBrush.Handle());
        }
        return;
    case WM_MENUSELECT:
        if (barPopupOpen_) NoteMenuSelect(m.WParam, m.LParam);
        CallOld(m);
        return;
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
        // Framework menu items (the replacement system menu) in a window
        // that is not a form, which would not measure or draw them.
        if (!FormControl && fw::HandleMenuItemMessage(m)) return;
        if (!FrameSkinned) {
            CallOld(m);
            return;
        }
        break;
    case WM_SKINACTIVATE: ActivationSequence(); return;
    case WM_SKINRECREATE: RecreateScrollbarSkin(reinterpret_cast<HWND>(m.WParam)); return;
    case WM_SKINQUERY:
        m.Result = 1;
        PostMessageW(WindowHandle, WM_SKINNOTIFY, 0, SKIN_MARKER);
        return;
    default:
        if (!FrameSkinned) {
            CallOld(m);
            return;
        }
        break;
    }

    // Child windows that are not MDI children keep their native frame.
    if (FormKind != fkMDIChild && (WindowStyle & WS_CHILD)) {
        CallOld(m);
        return;
    }
    switch (m.Msg) {
    case WM_SIZE: WMSize(m); return;
    case WM_ACTIVATE:
    case WM_NCACTIVATE: Active = LOBYTE(LOWORD(m.WParam)) != 0; break;
    case WM_GETMINMAXINFO:
        if (CallOldSurvived(m)) ReadWindowState();
        return;
    case WM_SETICON:
        if (CallOldSurvived(m)) BuildIconBitmap();
        return;
    case WM_WINDOWPOSCHANGED:
        ReadWindowState();
        CallOld(m);
        return;
    case WM_COMMAND: WMCommand(m); return;
    case WM_SYSCOMMAND: WMSysCommand(m); return;
    case WM_SKINMENUOPEN: OpenMenuAtPoint(m); return;
    case fw::CM_MENUCHANGED: CMMenuChanged(m); return;
    default: break;
    }

    if (FormState == fsInstalled || (FormKind == fkMDIChild && WindowState == wsMaximized)) {
        CallOld(m);
        return;
    }
    switch (m.Msg) {
    case WM_NCACTIVATE: WMNCActivate(m); return;
    case WM_DRAWITEM: WMDrawItem(m); return;
    case WM_MEASUREITEM: WMMeasureItem(m); return;
    case WM_NCCALCSIZE: WMNCCalcSize(m); return;
    case WM_NCHITTEST: WMNCHitTest(m); return;
    case WM_NCPAINT: {
        fw::TStepSpan span("frame paint");
        WMNCPaint(m);
        fw::StepMark("frame painted");
        return;
    }
    case WM_NCMOUSEMOVE: WMNCMouseMove(m); return;
    case WM_NCLBUTTONDOWN: WMNCLButtonDown(m); return;
    case WM_NCLBUTTONUP: WMNCLButtonUp(m); return;
    case WM_NCLBUTTONDBLCLK: WMNCLButtonDblClk(m); return;
    case WM_NCRBUTTONDOWN: WMNCRButtonDown(m); return;
    case WM_CAPTURECHANGED:
        EndPress();
        CallOld(m);
        return;
    case WM_SKINREPAINT: PaintFrame(nullptr); return;
    default: CallOld(m); return;
    }
}

void TWinSkinForm::FormWindowProc(fw::TMessage& m)
{
    const TBusyScope busy(this);
    switch (m.Msg) {
    case WM_SETTEXT:
        if (!alive_.Survives([&] { oldFormWindowProc_(m); })) return;
        if (FormState != fsDestroyed && IsWindowVisible(WindowHandle)) {
            // Only an MDI child has an MDI client to redraw it.
            if (FormKind == fkMDIChild && WindowState == wsMaximized) {
                if (HWND client = GetParent(WindowHandle))
                    PostMessageW(client, WM_SKINMDIREDRAW, reinterpret_cast<WPARAM>(WindowHandle),
                                 0);
            }
            if (WindowState == wsMinimized)
                PaintFrame(nullptr);
            else
                RefreshFrame();
        }
        return;
    case WM_SKINUPDATE: ReSkin(); return;
    case fw::CM_DIALOGCHAR: CMDialogChar(m); return;
    case WM_SKINPAINTBORDER:
        if (m.LParam != SKIN_MARKER) break;
        if (m.WParam) PaintFrame(reinterpret_cast<HDC>(m.WParam));
        m.Result = SKIN_MARKER;
        return;
    case WM_SKINPROBE: m.Result = m.LParam == SKIN_MARKER ? SKIN_MARKER : 1; return;
    default: break;
    }
    oldFormWindowProc_(m);
}

void TWinSkinForm::CMMenuChanged(fw::TMessage& m)
{
    bool alive = true;
    {
        // The old procedure may put the menu back on the window; nothing
        // native is painted meanwhile.
        TFramePaintingOff off(SkinData);
        alive = CallOldSurvived(m);
    }
    if (!alive || FormState == fsDestroyed || !SkinData) return;
    const bool update = SkinData->MenuUpdate();
    if (!GetMenu(WindowHandle)) {
        // A form whose main menu went keeps an empty bar, not the entries
        // of a menu it no longer shows.
        if (update && MenuBar && FormControl && !FormControl->Menu() && !MenuBar->Entries.empty()) {
            MenuBar->Clear();
            if (FormState == fsActive) PaintFrame(nullptr);
        }
        return;
    }
    if (update && MenuBar) {
        MenuBar->LoadMenuBar();
        if (FormState == fsActive) PaintFrame(nullptr);
    } else if (update && FormState == fsActive && BorderKind != bkNone) {
        // A menu that comes after skinning gets its bar too; the client
        // keeps its size.
        const int client = ClientHeight();
        CreateMenuBar();
        RestoreClientHeight(client);
    }
    ::SetMenu(WindowHandle, nullptr);
}

void TWinSkinForm::WMNCCalcSize(fw::TMessage& m)
{
    if (!CallOldSurvived(m)) return;
    if (!m.WParam) {
        m.Result = 0;
        return;
    }
    auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(m.LParam);
    if ((FormKind == fkMDIChild && WindowState != wsNormal) || BorderKind == bkNone) {
        params->rgrc[1] = params->rgrc[0];
    } else {
        const RECT client = SkinClientRect(*params->lppos, borders_, MenuBarHeight);
        params->rgrc[0] = client;
        params->rgrc[1] = client;
    }
    m.Result = WVR_VALIDRECTS;
}

void TWinSkinForm::WMNCHitTest(fw::TMessage& m)
{
    if (!CallOldSurvived(m)) return;
    m.Result = SkinHitTest(m.Result, ScreenToFrame(MessagePoint(m)), borders_, MenuBarHeight);
}

void TWinSkinForm::SetSysMenuStyle(bool remove)
{
    if ((CaptionCaps & ccKeepSysMenuStyle) || FormState == fsDestroyed) return;
    const DWORD style = WindowLong(GWL_STYLE);
    DWORD changed = style;
    if (remove)
        changed &= ~DWORD(WS_SYSMENU);
    else if (SysMenuHandle)
        changed |= WS_SYSMENU;
    if (changed != style) SetWindowLong(GWL_STYLE, changed);
    WindowStyle = changed;
}

void TWinSkinForm::WMNCPaint(fw::TMessage& m)
{
    SetSysMenuStyle(true);
    m.Result = 0;
    if (!SkinData || !SkinData->FramePainting) return;
    if ((FormKind == fkMDIChild && WindowState == wsMaximized) || BorderKind == bkNone) {
        CallOld(m);
        return;
    }
    PaintFrame(nullptr);
}

void TWinSkinForm::WMNCActivate(fw::TMessage& m)
{
    Active = m.WParam != 0;
    if (hoverTimer_) hoverTimer_->SetEnabled(Active);
    // The hovered control's mouse-leave runs the application's handler: a
    // skinner let go there leaves the activation to the window's own
    // procedure.
    if (!Active && !alive_.Survives([&] { LeaveHoveredControl(); })) {
        CallOld(m);
        return;
    }
    if (FormKind == fkMDIFrame && MDIClientHandle)
        SendMessageW(MDIClientHandle, WM_NCACTIVATE, m.WParam, 0);
    if (FormKind == fkMDIChild && !CallOldSurvived(m)) return;
    if (!(FormKind == fkMDIChild && WindowState == wsMaximized)) PaintFrame(nullptr);
    m.Result = 1;
}

void TWinSkinForm::WMSize(fw::TMessage& m)
{
    // The old procedure runs the form's OnResize.
    if (!CallOldSurvived(m)) return;
    switch (m.WParam) {
    case SIZE_RESTORED: WindowState = wsNormal; break;
    case SIZE_MINIMIZED: WindowState = wsMinimized; break;
    case SIZE_MAXIMIZED: WindowState = wsMaximized; break;
    default: break;
    }
    if (WindowState == wsMinimized) return;
    if (FormKind == fkMDIChild) {
        TSkinManage* manager = SkinManager();
        if (WindowState != wsNormal || (manager && manager->MDIMaximized)) return;
    }
    if (FormState == fsActive || FormState == fsReskinning) UpdateWindowRegion();
}

void TWinSkinForm::EndPress()
{
    if (!pressed_) return;
    TNCObject* pressed = pressed_;
    pressed_ = nullptr;
    if (HotObject == pressed) pressed->HoverLeave();
}

TNCObject* TWinSkinForm::NCObjectAt(POINT screen) const
{
    const POINT frame = ScreenToFrame(screen);
    if (TNCObject* button = FindSysButton(SysButtons, frame)) return button;
    return MenuBar ? MenuBar->MenuBarHitTest(frame) : nullptr;
}

void TWinSkinForm::WMNCMouseMove(fw::TMessage& m)
{
    if (!Active) {
        m.Result = 0;
        return;
    }
    if (TNCObject* object = NCObjectAt(MessagePoint(m))) {
        if (object != pressed_) pressed_ = nullptr;
        object->HoverEnter();
        m.Result = 0;
        return;
    }
    pressed_ = nullptr;
    if (HotObject) {
        HotObject->HoverLeave();
        HotObject = nullptr;
    }
    CallOld(m);
}

void TWinSkinForm::WMNCLButtonDown(fw::TMessage& m)
{
    if (barPopupOpen_) {
        // A click while a bar popup is open (the switch to another entry)
        // ends that popup; the click is handled once its loop has returned,
        // never inside it.
        pendingClick_ = m.LParam;
        EndMenu();
        m.Result = 0;
        return;
    }
    const POINT at = MessagePoint(m);
    TNCObject* object = NCObjectAt(at);
    if (object && !Active) {
        // The activation runs the application's handlers, in which the skin
        // may be reloaded (new caption buttons) or taken off.
        const HWND window = WindowHandle;
        if (!alive_.Survives([&] { SetForegroundWindow(window); })) {
            m.Result = 0;
            return;
        }
        object = NCObjectAt(at);
    }
    if (object) {
        object->ButtonDown();
        m.Result = 0;
        if (auto* entry = dynamic_cast<TMenuBtn*>(object)) {
            // Its popup runs here until it closes; the bar may have been
            // rebuilt meanwhile, so the entry is looked for again.
            const int index = entry->Index;
            const bool alive = alive_.Survives([&] { TrackMenuButton(entry); });
            if (alive && MenuBar && size_t(index) < MenuBar->Entries.size())
                HotObject = MenuBar->Entries[size_t(index)].get();
            return;
        }
        pressed_ = object;
        return;
    }
    // A maximised window is not dragged by its caption.
    if (WindowState == wsMaximized && Active && m.WParam == HTCAPTION) m.WParam = HTMENU;
    CallOld(m);
}

void TWinSkinForm::WMNCLButtonUp(fw::TMessage& m)
{
    const POINT at = MessagePoint(m);
    TNCObject* object = NCObjectAt(at);
    TNCObject* pressed = pressed_;
    pressed_ = nullptr;
    if (!object) {
        CallOld(m);
        return;
    }
    m.Result = 0;
    // A bar entry acted on its press.
    if (dynamic_cast<TMenuBtn*>(object)) return;
    // Only a release over the button that was pressed acts.
    if (object != pressed || object->State != nsPressed) return;
    object->ButtonUp();
    HotObject = object;
    DoSysButtonAction(at.x, at.y);
}

void TWinSkinForm::WMNCLButtonDblClk(fw::TMessage& m)
{
    if (TWinSysButton* button = FindSysButton(SysButtons, ScreenToFrame(MessagePoint(m)))) {
        if (button->IsSysMenuButton()) {
            if (hoverTimer_) hoverTimer_->SetEnabled(false);
            PostMessageW(WindowHandle, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        m.Result = 0;
        return;
    }
    // Only the caption maximises and restores.
    if (m.WParam == HTCAPTION) {
        if (WindowState != wsNormal) {
            RestoreWindow();
            m.Result = 0;
            return;
        }
        if (CaptionCaps & ccMaximize) {
            ToggleMaximize();
            m.Result = 0;
            return;
        }
    }
    CallOld(m);
}

void TWinSkinForm::WMNCRButtonDown(fw::TMessage& m)
{
    if (m.WParam == HTCAPTION && FormKind != fkMDIChild) {
        ShowSystemMenu(MessagePoint(m));
        m.Result = 0;
        return;
    }
    CallOld(m);
}

void TWinSkinForm::WMCommand(fw::TMessage& m)
{
    const WORD id = LOWORD(m.WParam);
    if (IsWindowCommand(id)) {
        PostMessageW(WindowHandle, WM_SYSCOMMAND, id, 0);
        m.Result = 0;
        return;
    }
    CallOld(m);
}

void TWinSkinForm::WMSysCommand(fw::TMessage& m)
{
    const WPARAM command = m.WParam & 0xFFF0;
    if (command == SC_KEYMENU && !MenuTracking && !barPopupOpen_) {
        const LPARAM key = m.LParam;
        if (key != ' ' && key != '-' && !GetCapture()) {
            // Alt alone (or F10) opens the bar's first entry, Alt and a
            // letter the entry with that accelerator; a window without a
            // bar opens nothing.
            TMenuBtn* entry = nullptr;
            if (key == 0)
                entry =
                    MenuBar && !MenuBar->Entries.empty() ? MenuBar->Entries.front().get() : nullptr;
            else
                entry = FindMenuAccel(unsigned(key));
            if (key == 0 || entry) {
                if (entry) TrackMenuButton(entry);
                m.Result = 1;
                return;
            }
        }
        if (key == ' ') {
            POINT origin{0, 0};
            ClientToScreen(WindowHandle, &origin);
            // The menu's loop runs messages: the skinner may be freed
            // before it returns, and then nothing of it may be touched.
            if (!alive_.Survives([&] { ShowSystemMenu(origin); })) {
                m.Result = 0;
                return;
            }
        }
    }
    switch (command) {
    case SC_MINIMIZE: WindowState = wsMinimized; break;
    case SC_MAXIMIZE:
        WindowState = wsMaximized;
        // From the system menu or the program: the region goes as by the
        // caption button.
        if (FormKind == fkMDIChild)
            if (TSkinManage* manager = SkinManager()) manager->SetCaptionButtonMode(true);
        break;
    case SC_RESTORE:
        WindowState = wsNormal;
        if (FormKind == fkMDIChild)
            if (TSkinManage* manager = SkinManager(); manager && manager->MDIMaximized)
                manager->SetCaptionButtonMode(false);
        break;
    default: break;
    }
    CallOld(m);
}

void TWinSkinForm::ToggleMaximize()
{
    if (WindowState == wsMaximized) {
        RestoreWindow();
        return;
    }
    if (FormKind == fkMDIChild)
        if (TSkinManage* manager = SkinManager()) manager->SetCaptionButtonMode(true);
    WindowState = wsMaximized;
    PostMessageW(WindowHandle, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    HotObject = nullptr;
}

void TWinSkinForm::RestoreWindow()
{
    WindowState = wsNormal;
    PostMessageW(WindowHandle, WM_SYSCOMMAND, SC_RESTORE, 0);
}

void TWinSkinForm::ToggleMinimize()
{
    if (WindowState == wsMinimized) {
        RestoreWindow();
        return;
    }
    WindowState = wsMinimized;
    SetSysMenuStyle(false);
    PostMessageW(WindowHandle, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void TWinSkinForm::ShowSystemMenu(POINT screen)
{
    TSkinManage* manager = SkinManager();
    if (manager && manager->ModuleMode()) return;
    const DWORD now = GetTickCount();
    if (int(DoubleClickTime) < 0 || now - LastSysMenuTick > DoubleClickTime) {
        if (manager) manager->PopupMode = pmSystemMenu;
        LastSysMenuTick = now;
        PopupSystemMenu(screen);
        return;
    }
    if (HotObject) {
        if (hoverTimer_) hoverTimer_->SetEnabled(false);
        PostMessageW(WindowHandle, WM_CLOSE, 0, 0);
    }
}

void TWinSkinForm::MDIChildCommand(WPARAM command)
{
    if (FormKind != fkMDIFrame || !MDIClientHandle || FormState == fsDestroyed) return;
    auto active = reinterpret_cast<HWND>(SendMessageW(MDIClientHandle, WM_MDIGETACTIVE, 0, 0));
    if (active) SendMessageW(active, WM_SYSCOMMAND, command, 0);
}

bool TWinSkinForm::IsMDIChildMaximized() const
{
    if (FormKind != fkMDIFrame || !MDIClientHandle || FormState == fsDestroyed) return false;
    BOOL maximized = FALSE;
    const auto active = reinterpret_cast<HWND>(
        SendMessageW(MDIClientHandle, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)));
    return active && maximized;
}

void TWinSkinForm::MDIClientWndProc(fw::TMessage& m)
{
    const TBusyScope busy(this);
    HWND client = mdiClientHook_.Window();
    TSkinManage* manager = SkinManager();
    switch (m.Msg) {
    case WM_NCCALCSIZE:
        // The client's scroll bars stay off unless the skin wants them.
        if (FrameSkinned && SkinData && !SkinData->Options().Contains(xoMDIScrollbar) && client) {
            const LONG_PTR style = GetWindowLongPtrW(client, GWL_STYLE);
            const LONG_PTR plain = style & ~LONG_PTR(WS_HSCROLL | WS_VSCROLL);
            if (plain != style) SetWindowLongPtrW(client, GWL_STYLE, plain);
        }
        break;
    case WM_MDICREATE:
        if (SkinData) SkinData->SetMenuUpdate(false);
        break;
    case WM_MDIDESTROY:
        if (!alive_.Survives([&] { mdiClientHook_.CallDefault(m); })) return;
        if (FrameSkinned && manager) manager->SetCaptionButtonMode(IsMDIChildMaximized());
        // The last child gone: the frame's menu is its own again.
        if (FrameSkinned && SkinData && MDIClientHandle &&
            !SendMessageW(MDIClientHandle, WM_MDIGETACTIVE, 0, 0)) {
            SkinData->SetMenuUpdate(mdiMenuUpdate_);
            if (MenuBar) {
                MenuBar->LoadMenuBar();
                if (FormState == fsActive) PaintFrame(nullptr);
            }
        }
        return;
    case WM_MDISETMENU:
        if (!alive_.Survives([&] { mdiClientHook_.CallDefault(m); })) return;
        // The frame's new menu shows in the skinned bar. Without a bar the
        // menu stays on the frame rather than be lost.
        if (FrameSkinned && MenuBar && WindowHandle && FormState != fsDestroyed) {
            if (m.WParam) MenuBar->LoadMDIMenuBar();
            ::SetMenu(WindowHandle, nullptr);
            if (FormState == fsActive) PaintFrame(nullptr);
        }
        return;
    case WM_MDIMAXIMIZE:
        // The program maximises a child: as by the child's caption button.
        if (FrameSkinned && manager) manager->SetCaptionButtonMode(true);
        break;
    case WM_MDIRESTORE:
    case WM_MDITILE:
    case WM_MDICASCADE:
        if (FrameSkinned && manager && manager->MDIMaximized) manager->SetCaptionButtonMode(false);
        break;
    case WM_SKINMDIREDRAW:
        if (WindowHandle && FormState != fsDestroyed)
            RedrawWindow(WindowHandle, nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
        m.Result = 0;
        return;
    default: break;
    }
    // At WM_NCDESTROY the binding removes itself after passing it on.
    mdiClientHook_.CallDefault(m);
}

TSkinControl* TWinSkinForm::LiveHoveredControl()
{
    if (!HoveredControl) return nullptr;
    const auto& list = controls_.SkinControls();
    if (std::find(list.begin(), list.end(), HoveredControl) == list.end()) HoveredControl = nullptr;
    return HoveredControl;
}

void TWinSkinForm::LeaveHoveredControl()
{
    if (TSkinControl* hovered = LiveHoveredControl()) {
        HoveredControl = nullptr;
        TSkinControl::SendMouseLeave(hovered);
    }
}

void TWinSkinForm::HoverTimer(fw::TObject*)
{
    const TBusyScope busy(this);
    if (MenuTracking) return;
    if (!WindowHandle || FormState == fsDestroyed) return;
    POINT cursor;
    if (!GetCursorPos(&cursor)) return;
    if (HotObject && !PtInRect(&HotObject->Rect, ScreenToFrame(cursor))) {
        if (HotObject == pressed_) pressed_ = nullptr;
        TNCObject* hot = HotObject;
        hot->HoverLeave();
        HotObject = nullptr;
    }
    // A form's controls hear the mouse leave from the framework; the
    // children of another window hear it from here once the mouse has left
    // the skinned child it was last seen over.
    if (FormControl) return;
    if (TSkinControl* hovered = LiveHoveredControl()) {
        RECT r{};
        // The mouse-leave runs the application's handler.
        if ((!hovered->Handle || !GetWindowRect(hovered->Handle, &r) || !PtInRect(&r, cursor)) &&
            !alive_.Survives([&] { LeaveHoveredControl(); }))
            return;
    }
    if (!HoveredControl) {
        HWND under = WindowFromPoint(cursor);
        if (under && under != WindowHandle && IsChild(WindowHandle, under))
            HoveredControl = controls_.FindByHandle(under);
    }
}

}  // namespace skin
