#include "framework/forms.h"

#include <algorithm>

#include "framework/application.h"
#include "framework/guards.h"
#include "framework/layout.h"
#include "framework/menus.h"
#include "framework/steptimes.h"
#include "framework/text.h"

namespace fw {

namespace {

// The menu identifiers the MDI client gives its children's entries.
constexpr UINT kFirstMDIChildId = 0xFF00;

}  // namespace

TCustomForm* GetParentForm(const TControl* control)
{
    if (!control) return nullptr;
    while (control->Parent()) control = control->Parent();
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(control));
}

// ---------------------------------------------------------------------------
// TCustomForm

FW_IMPLEMENT_CLASS(TCustomForm) {}

TCustomForm::TCustomForm(TComponent* owner)
    : TWinControl(owner), canvas_(std::make_unique<TControlCanvas>(this))
{
    visible_ = false;
    parentColor_ = false;
    parentFont_ = false;
    controlStyle_ = controlStyle_ + TControlStyle{csAcceptsControls};
    SetColor(clBtnFace);
    SetBounds(0, 0, 320, 240);
    if (Screen) Screen->AddForm(this);
}

void TCustomForm::InitializeForm()
{
    ReadLayoutResource(this);
    const bool show = visible_;
    OnCreate(this);
    if (show) {
        visible_ = false;
        SetVisible(true);
    }
}

void TCustomForm::Destroy()
{
    OnDestroy(this);
    if (Screen) Screen->RemoveForm(this);
    // The window would destroy the menu it shows; the menu's owner does that.
    if (HWND h = HandleIfAllocated()) ::SetMenu(h, nullptr);
    inherited::Destroy();
}

void SetProgramIcons(HWND window)
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const struct {
        WPARAM kind;
        int cx, cy;
    } sizes[] = {{ICON_BIG, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)},
                 {ICON_SMALL, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON)}};
    for (const auto& size : sizes) {
        // Shared icons belong to the system: nothing to free when the window goes.
        auto icon = static_cast<HICON>(
            LoadImageW(instance, L"MAINICON", IMAGE_ICON, size.cx, size.cy, LR_SHARED));
        if (!icon)
            icon = static_cast<HICON>(
                LoadImageW(nullptr, IDI_APPLICATION, IMAGE_ICON, size.cx, size.cy, LR_SHARED));
        if (icon) SendMessageW(window, WM_SETICON, size.kind, reinterpret_cast<LPARAM>(icon));
    }
}

void TCustomForm::CreateWnd()
{
    TWinControl::CreateWnd();
    HWND h = HandleIfAllocated();
    if (menu_ && formStyle_ != fsMDIChild) ::SetMenu(h, menu_->Handle());
    if (Parent()) return;
    SetProgramIcons(h);
    if (formStyle_ == fsMDIForm) {
        RECT r{};
        GetClientRect(h, &r);
        CLIENTCREATESTRUCT ccs{nullptr, kFirstMDIChildId};
        clientHandle_ = CreateWindowExW(
            WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
            WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_HSCROLL | WS_VSCROLL, 0,
            0, r.right, r.bottom, h, nullptr, GetModuleHandleW(nullptr), &ccs);
        if (!clientHandle_)
            throw rtl::Exception("Error creating window (" + SystemErrorText(GetLastError()) + ")");
    }
}

void TCustomForm::DestroyWnd()
{
    ::SetMenu(HandleIfAllocated(), nullptr);
    TWinControl::DestroyWnd();
}

// ---------------------------------------------------------------------------
// Multiple documents

HWND TCustomForm::MDIParent() const
{
    TCustomForm* frame = Application ? Application->MainForm() : nullptr;
    for (int i = 0; Screen && (!frame || frame->formStyle_ != fsMDIForm) && i < Screen->FormCount();
         ++i)
        frame = Screen->Forms(i);
    if (!frame || frame == this || frame->formStyle_ != fsMDIForm)
        throw EInvalidOperation("No MDI form to hold the MDI child form");
    frame->HandleNeeded();
    if (!frame->clientHandle_) throw EInvalidOperation("No MDI form to hold the MDI child form");
    return frame->clientHandle_;
}

void TCustomForm::SetFormStyle(TFormStyle style)
{
    if (style == formStyle_) return;
    formStyle_ = style;
    RecreateWnd();
}

HWND TCustomForm::CreateWindowHandle(const TCreateParams& p)
{
    if (formStyle_ != fsMDIChild || Parent()) return TWinControl::CreateWindowHandle(p);
    // The MDI client makes the child (and shows and activates it).
    MDICREATESTRUCTW mcs{};
    mcs.szClass = p.WinClassName.c_str();
    mcs.szTitle = p.Caption.c_str();
    mcs.hOwner = GetModuleHandleW(nullptr);
    mcs.x = p.X;
    mcs.y = p.Y;
    mcs.cx = p.Width;
    mcs.cy = p.Height;
    mcs.style = p.Style;
    mcs.lParam = reinterpret_cast<LPARAM>(p.Param);
    return reinterpret_cast<HWND>(
        SendMessageW(p.WndParent, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
}

void TCustomForm::DestroyWindowHandle()
{
    HWND h = HandleIfAllocated();
    // Through the MDI client, which then activates another child.
    if (h && formStyle_ == fsMDIChild && !Parent()) {
        HWND client = GetParent(h);
        if (client && IsWindow(client))
            SendMessageW(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(h), 0);
        if (!IsWindow(h)) return;
    }
    TWinControl::DestroyWindowHandle();
}

TCustomForm* TCustomForm::ActiveMDIChild() const
{
    if (formStyle_ != fsMDIForm || !clientHandle_) return nullptr;
    auto active = reinterpret_cast<HWND>(SendMessageW(clientHandle_, WM_MDIGETACTIVE, 0, 0));
    return dynamic_cast<TCustomForm*>(FindControl(active));
}

void TCustomForm::DefaultHandler(TMessage& m)
{
    HWND h = HandleIfAllocated();
    if (h && !Parent() && m.Msg < CM_BASE) {
        if (formStyle_ == fsMDIForm && clientHandle_) {
            m.Result = DefFrameProcW(h, clientHandle_, m.Msg, m.WParam, m.LParam);
            return;
        }
        if (formStyle_ == fsMDIChild) {
            m.Result = DefMDIChildProcW(h, m.Msg, m.WParam, m.LParam);
            return;
        }
    }
    TWinControl::DefaultHandler(m);
}

void TCustomForm::SetMenu(TMainMenu* menu)
{
    if (menu == menu_) return;
    const RECT client = ClientRect();
    if (menu_) menu_->RemoveFreeNotification(this);
    menu_ = menu;
    if (menu_) menu_->FreeNotification(this);
    if (HWND h = HandleIfAllocated()) ::SetMenu(h, menu_ ? menu_->Handle() : nullptr);
    SetClientSize(client.right, client.bottom);  // the bar takes its height from the frame
    MenuChanged();
}

void TCustomForm::MenuChanged()
{
    // Through the window when there is one, so that a procedure bound to
    // the window sees the change too.
    if (HWND h = HandleIfAllocated()) {
        DrawMenuBar(h);
        SendMessageW(h, CM_MENUCHANGED, 0, 0);
    } else {
        Perform(CM_MENUCHANGED);
    }
}

bool TCustomForm::IsShortCut(WORD key)
{
    if (!menu_) return false;
    TShiftState shift;
    if (GetKeyState(VK_SHIFT) < 0) shift.Include(ssShift);
    if (GetKeyState(VK_CONTROL) < 0) shift.Include(ssCtrl);
    if (GetKeyState(VK_MENU) < 0) shift.Include(ssAlt);
    return menu_->IsShortCut(ShortCut(key, shift));
}

void TCustomForm::Notification(TComponent* component, TOperation operation)
{
    if (operation == opRemove && component == menu_) {
        if (HWND h = HandleIfAllocated()) ::SetMenu(h, nullptr);
        menu_ = nullptr;
    }
    inherited::Notification(component, operation);
}

void TCustomForm::StyleFor(DWORD& style, DWORD& exStyle) const
{
    style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    exStyle = 0;
    switch (borderStyle_) {
    case bsNone: style |= WS_POPUP; break;
    case bsSingle: style |= WS_CAPTION | WS_BORDER; break;
    case bsSizeable: style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
        style |= WS_POPUP | WS_CAPTION;
        exStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
        break;
    case bsToolWindow:
        style |= WS_CAPTION;
        exStyle |= WS_EX_TOOLWINDOW;
        break;
    case bsSizeToolWin:
        style |= WS_CAPTION | WS_THICKFRAME;
        exStyle |= WS_EX_TOOLWINDOW;
        break;
    }
    if (borderStyle_ != bsNone && borderIcons_.Contains(biSystemMenu)) {
        style |= WS_SYSMENU;
        const bool plain = borderStyle_ == bsSingle || borderStyle_ == bsSizeable;
        if (plain && borderIcons_.Contains(biMinimize)) style |= WS_MINIMIZEBOX;
        if (plain && borderIcons_.Contains(biMaximize)) style |= WS_MAXIMIZEBOX;
        if (borderIcons_.Contains(biHelp) && !(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)))
            exStyle |= WS_EX_CONTEXTHELP;
    }
}

void TCustomForm::CreateParams(TCreateParams& p)
{
    TWinControl::CreateParams(p);
    if (Parent()) return;  // a form placed inside another control is a child window
    StyleFor(p.Style, p.ExStyle);
    if (!enabled_) p.Style |= WS_DISABLED;
    p.WindowClass.hIcon = LoadIconW(GetModuleHandleW(nullptr), L"MAINICON");
    if (!p.WindowClass.hIcon) p.WindowClass.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    if (formStyle_ == fsMDIChild) {
        p.Style = (p.Style & ~DWORD(WS_POPUP)) | WS_CHILD;
        p.ExStyle |= WS_EX_MDICHILD;
        p.WndParent = MDIParent();
        return;
    }
    p.WndParent = nullptr;
    // A secondary form stays above the main form.
    if (Application) {
        TCustomForm* main = Application->MainForm();
        if (main && main != this && main->HandleAllocated())
            p.WndParent = main->HandleIfAllocated();
    }
}

RECT TCustomForm::ClientRect() const
{
    if (HandleAllocated() || Parent()) return TWinControl::ClientRect();
    DWORD style, exStyle;
    StyleFor(style, exStyle);
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, style, menu_ != nullptr, exStyle);
    return {0, 0, std::max<LONG>(0, width_ - (frame.right - frame.left)),
            std::max<LONG>(0, height_ - (frame.bottom - frame.top))};
}

POINT TCustomForm::ClientOrigin() const { return TWinControl::ClientOrigin(); }

void TCustomForm::SetClientSize(int width, int height)
{
    const RECT r = ClientRect();
    SetBounds(left_, top_, width_ + width - r.right, height_ + height - r.bottom);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle s)
{
    if (s == borderStyle_) return;
    const RECT client = ClientRect();
    borderStyle_ = s;
    if (!HandleAllocated()) SetClientSize(client.right, client.bottom);
    RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons icons)
{
    if (icons == borderIcons_) return;
    borderIcons_ = icons;
    RecreateWnd();
}

TWindowState TCustomForm::WindowState() const
{
    if (HWND h = HandleIfAllocated(); h && IsWindowVisible(h)) {
        if (IsIconic(h)) return wsMinimized;
        if (IsZoomed(h)) return wsMaximized;
        return wsNormal;
    }
    return windowState_;
}

void TCustomForm::SetWindowState(TWindowState s)
{
    windowState_ = s;
    HWND h = HandleIfAllocated();
    if (!h || !IsWindowVisible(h)) return;
    if (formStyle_ == fsMDIChild && s != wsMinimized) {
        // The MDI client keeps which child is maximised.
        SendMessageW(GetParent(h), s == wsMaximized ? WM_MDIMAXIMIZE : WM_MDIRESTORE,
                     reinterpret_cast<WPARAM>(h), 0);
        return;
    }
    ShowWindow(h, s == wsMaximized ? SW_MAXIMIZE : s == wsMinimized ? SW_MINIMIZE : SW_RESTORE);
}

void TCustomForm::SetActiveControl(TWinControl* control)
{
    activeControl_ = control;
    if (control && Active() && control->CanFocus()) control->SetFocus();
}

bool TCustomForm::Active() const
{
    return HandleIfAllocated() && GetActiveWindow() == HandleIfAllocated();
}

void TCustomForm::FocusChanged(TWinControl* control) { activeControl_ = control; }

void TCustomForm::ControlRemoved(TControl* control)
{
    if (activeControl_ == control) activeControl_ = nullptr;
}

void TCustomForm::PlaceOnShow()
{
    int x = left_, y = top_;
    auto center = [&](const RECT& area) {
        x = area.left + (area.right - area.left - width_) / 2;
        y = area.top + (area.bottom - area.top - height_) / 2;
    };
    switch (position_) {
    case poScreenCenter:
    case poDesktopCenter:
        center({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
        break;
    case poMainFormCenter:
    case poOwnerFormCenter: {
        TCustomForm* other =
            position_ == poOwnerFormCenter ? dynamic_cast<TCustomForm*>(Owner()) : nullptr;
        if (!other && Application) other = Application->MainForm();
        if (other && other != this && other->Visible())
            center(other->BoundsRect());
        else
            center({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
        break;
    }
    default: return;
    }
    SetBounds(x, y, width_, height_);
}

void TCustomForm::SetVisible(bool visible)
{
    if (Parent()) {
        TWinControl::SetVisible(visible);
        return;
    }
    if (Reading()) {  // shown once the layout has been read
        visible_ = visible;
        return;
    }
    if (!visible) {
        if (!visible_) return;
        visible_ = false;
        if (HWND h = HandleIfAllocated()) ShowWindow(h, SW_HIDE);
        Perform(CM_VISIBLECHANGED, 0);
        return;
    }
    const bool was = visible_;
    visible_ = true;
    HWND h = [&] {
        TStepSpan span("form windows made");
        return Handle();
    }();
    if (formStyle_ == fsMDIChild) {
        // Shown and activated inside its MDI client.
        ShowWindow(h, SW_SHOW);
        if (windowState_ != wsNormal) SetWindowState(windowState_);
        SendMessageW(GetParent(h), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(h), 0);
        if (!was) Perform(CM_VISIBLECHANGED, 1);
        return;
    }
    if (!was) PlaceOnShow();
    UpdateScrollRange();
    TStepSpan span("ShowWindow");
    ShowWindow(h, windowState_ == wsMaximized   ? SW_SHOWMAXIMIZED
                  : windowState_ == wsMinimized ? SW_SHOWMINIMIZED
                                                : SW_SHOWNORMAL);
    SetForegroundWindow(h);
    if (!was) Perform(CM_VISIBLECHANGED, 1);
}

void TCustomForm::SetAutoScroll(bool v)
{
    autoScroll_ = v;
    UpdateScrollRange();
}

void TCustomForm::UpdateScrollRange()
{
    HWND h = HandleIfAllocated();
    if (!h || updatingScroll_) return;
    updatingScroll_ = true;
    SIZE range{0, 0};
    if (autoScroll_) {
        for (int i = 0; i < ControlCount(); ++i) {
            TControl* c = Controls(i);
            if (!c->Visible() || c->Align() != alNone) continue;
            range.cx = std::max<LONG>(range.cx, c->Left() + c->Width() + scrollPos_.x);
            range.cy = std::max<LONG>(range.cy, c->Top() + c->Height() + scrollPos_.y);
        }
    }
    scrollRange_ = range;
    // Showing one bar narrows the client area, which may call for the other.
    for (int pass = 0; pass < 2; ++pass) {
        RECT client{};
        GetClientRect(h, &client);
        for (int bar : {SB_HORZ, SB_VERT}) {
            const int extent = bar == SB_HORZ ? client.right : client.bottom;
            const int total = bar == SB_HORZ ? range.cx : range.cy;
            SCROLLINFO si{};
            si.cbSize = sizeof(si);
            si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
            if (total > extent) {
                si.nMax = total - 1;
                si.nPage = static_cast<UINT>(extent);
                si.nPos = bar == SB_HORZ ? scrollPos_.x : scrollPos_.y;
            }
            SetScrollInfo(h, bar, &si, TRUE);
            ShowScrollBar(h, bar, total > extent);
        }
    }
    RECT client{};
    GetClientRect(h, &client);
    const int maxX = std::max<int>(0, range.cx - client.right),
              maxY = std::max<int>(0, range.cy - client.bottom);
    updatingScroll_ = false;
    if (scrollPos_.x > maxX || scrollPos_.y > maxY)
        ScrollTo(std::min<int>(scrollPos_.x, maxX), std::min<int>(scrollPos_.y, maxY));
}

void TCustomForm::ScrollTo(int x, int y)
{
    x = std::max(x, 0);
    y = std::max(y, 0);
    const int dx = scrollPos_.x - x, dy = scrollPos_.y - y;
    if (dx == 0 && dy == 0) return;
    scrollPos_ = {x, y};
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (c->Align() == alNone)
            c->SetBounds(c->Left() + dx, c->Top() + dy, c->Width(), c->Height());
    }
    if (HWND h = HandleIfAllocated()) {
        SetScrollPos(h, SB_HORZ, x, TRUE);
        SetScrollPos(h, SB_VERT, y, TRUE);
        InvalidateRect(h, nullptr, TRUE);
    }
}

void TCustomForm::Scroll(int bar, WPARAM request)
{
    HWND h = HandleIfAllocated();
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    GetScrollInfo(h, bar, &si);
    int pos = si.nPos;
    const int page = static_cast<int>(si.nPage);
    switch (LOWORD(request)) {
    case SB_LINEUP: pos -= 8; break;
    case SB_LINEDOWN: pos += 8; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = si.nTrackPos; break;
    case SB_TOP: pos = si.nMin; break;
    case SB_BOTTOM: pos = si.nMax; break;
    default: return;
    }
    pos = std::max(si.nMin, std::min(pos, si.nMax - std::max(page - 1, 0)));
    if (bar == SB_HORZ)
        ScrollTo(pos, scrollPos_.y);
    else
        ScrollTo(scrollPos_.x, pos);
}

bool TCustomForm::CloseQuery()
{
    bool canClose = true;
    OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::Close()
{
    if (modal_) {
        modalResult_ = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    // A document window closes for good.
    TCloseAction action = formStyle_ == fsMDIChild ? caFree : caHide;
    OnClose(this, action);
    if (action == caNone) return;
    if (Application && Application->MainForm() == this)
        Application->Terminate();
    else if (action == caHide)
        Hide();
    else if (action == caMinimize)
        SetWindowState(wsMinimized);
    else
        Release();
}

void TCustomForm::Release()
{
    if (HWND h = HandleIfAllocated())
        PostMessageW(h, CM_RELEASE, 0, 0);
    else
        Free();
}

TModalResult TCustomForm::ShowModal()
{
    if (Visible() || !Enabled()) throw EInvalidOperation("Cannot make a visible window modal");
    std::vector<HWND> disabled;
    for (int i = 0; Screen && i < Screen->FormCount(); ++i) {
        TCustomForm* f = Screen->Forms(i);
        HWND h = f->HandleIfAllocated();
        if (f != this && h && IsWindowVisible(h) && IsWindowEnabled(h)) {
            EnableWindow(h, FALSE);
            disabled.push_back(h);
        }
    }
    modal_ = true;
    modalResult_ = mrNone;
    TScopeExit restore([&] {
        modal_ = false;
        for (HWND h : disabled)
            if (IsWindow(h)) EnableWindow(h, TRUE);
        Hide();
    });
    Show();
    while (modalResult_ == mrNone) {
        Application->HandleMessage();
        if (Application->Terminated()) {
            modalResult_ = mrCancel;
            break;
        }
        if (modalResult_ != mrNone) {
            TCloseAction action = caHide;
            if (!CloseQuery())
                action = caNone;
            else
                OnClose(this, action);
            if (action == caNone) modalResult_ = mrNone;
        }
    }
    return modalResult_;
}

void TCustomForm::SelectFirst()
{
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    for (TWinControl* c : list)
        if (c->TabStop() && c->CanFocus()) {
            c->SetFocus();
            return;
        }
}

void TCustomForm::PaintWindow(HDC dc)
{
    canvas_->PaintOn(dc, [this] { Paint(); });
}

void TCustomForm::Paint() { OnPaint(this); }

void TCustomForm::FontChanged()
{
    canvas_->SetFont(Font());
    TWinControl::FontChanged();
}

void TCustomForm::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_CLOSE: Close(); return;
    case WM_COMMAND:
        if (!m.LParam && HIWORD(m.WParam) == 0 && menu_ && menu_->DispatchCommand(LOWORD(m.WParam)))
            return;
        break;
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
        if (HandleMenuItemMessage(m)) return;
        break;
    case WM_ACTIVATE:
        if (LOWORD(m.WParam) != WA_INACTIVE) {
            if (Screen) Screen->SetActiveForm(this);
            OnActivate(this);
            if (activeControl_ && activeControl_->CanFocus() && !HIWORD(m.WParam))
                activeControl_->SetFocus();
            else if (!HIWORD(m.WParam))
                SelectFirst();
            m.Result = 0;
            return;
        } else {
            if (TWinControl* c = FindControl(GetFocus()); c && GetParentForm(c) == this)
                activeControl_ = c;
            OnDeactivate(this);
        }
        break;
    case WM_SHOWWINDOW:
        DefaultHandler(m);
        if (m.WParam)
            OnShow(this);
        else
            OnHide(this);
        return;
    case WM_SIZE:
        TWinControl::WndProc(m);
        UpdateScrollRange();
        OnResize(this);
        return;
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (!m.LParam) {  // the form's own scroll bars
            Scroll(m.Msg == WM_HSCROLL ? SB_HORZ : SB_VERT, m.WParam);
            return;
        }
        break;
    case WM_NCDESTROY:
        clientHandle_ = nullptr;  // destroyed with the frame
        break;
    case CM_RELEASE: Free(); return;
    case CM_MENUCHANGED:
        // A window that took its menu off (a skinned frame drawing a bar
        // of its own) is given the changed menu again, so that whoever
        // took it off sees the change.
        if (HWND h = HandleIfAllocated(); h && menu_ && GetMenu(h) != menu_->Handle())
            ::SetMenu(h, menu_->Handle());
        break;
    case CM_RECREATEWND:
        TWinControl::WndProc(m);
        if (visible_ && HandleIfAllocated()) ShowWindow(HandleIfAllocated(), SW_SHOWNA);
        return;
    default: break;
    }
    TWinControl::WndProc(m);
}

// ---------------------------------------------------------------------------
// TForm

FW_IMPLEMENT_CLASS(TForm)
{
    c.Property("Caption", &TForm::Caption, &TForm::SetCaption);
    c.Property("ClientWidth", &TForm::ClientWidth, &TForm::SetClientWidth);
    c.Property("ClientHeight", &TForm::ClientHeight, &TForm::SetClientHeight);
    c.Property("Position", &TForm::Position, &TForm::SetPosition);
    c.Property("BorderStyle", &TForm::BorderStyle, &TForm::SetBorderStyle);
    c.Property("BorderIcons", &TForm::BorderIcons, &TForm::SetBorderIcons);
    c.Property("WindowState", &TForm::WindowState, &TForm::SetWindowState);
    c.Property("FormStyle", &TForm::FormStyle, &TForm::SetFormStyle);
    c.Property("ActiveControl", &TForm::ActiveControl, &TForm::SetActiveControl);
    c.Property("Menu", &TForm::Menu, &TForm::SetMenu);
    c.Property("AutoScroll", &TForm::AutoScroll, &TForm::SetAutoScroll);
    c.Property("OnCreate", &TForm::OnCreate);
    c.Property("OnDestroy", &TForm::OnDestroy);
    c.Property("OnShow", &TForm::OnShow);
    c.Property("OnHide", &TForm::OnHide);
    c.Property("OnActivate", &TForm::OnActivate);
    c.Property("OnDeactivate", &TForm::OnDeactivate);
    c.Property("OnPaint", &TForm::OnPaint);
    c.Property("OnResize", &TForm::OnResize);
    c.Property("OnClose", &TForm::OnClose);
    c.Property("OnCloseQuery", &TForm::OnCloseQuery);
}

// ---------------------------------------------------------------------------
// TScreen

FW_IMPLEMENT_CLASS(TScreen) {}

TScreen::TScreen(TComponent* owner) : TComponent(owner) {}

void TScreen::AddForm(TCustomForm* form)
{
    if (std::find(forms_.begin(), forms_.end(), form) == forms_.end()) forms_.push_back(form);
}

void TScreen::RemoveForm(TCustomForm* form)
{
    forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
    if (activeForm_ == form) activeForm_ = nullptr;
    if (activeControl_ && GetParentForm(activeControl_) == form) activeControl_ = nullptr;
}

void TScreen::SetActiveForm(TCustomForm* form)
{
    if (form == activeForm_) return;
    activeForm_ = form;
    OnActiveFormChange(this);
}

namespace {

void Broadcast(TWinControl* parent, UINT msg, LPARAM lParam)
{
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* c = parent->Controls(i);
        c->Perform(msg, 0, lParam);
        if (auto* w = dynamic_cast<TWinControl*>(c)) Broadcast(w, msg, lParam);
    }
}

}  // namespace

void TScreen::ControlFocused(TWinControl* control)
{
    TCustomForm* form = GetParentForm(control);
    if (form) SetActiveForm(form);
    if (control == form) control = nullptr;  // the form's own window: no control has the focus
    if (form) form->FocusChanged(control);
    if (control == activeControl_) return;
    TWinControl* old = activeControl_;
    activeControl_ = control;
    if (old) old->Perform(CM_EXIT);
    if (control) control->Perform(CM_ENTER);
    if (form) Broadcast(form, CM_FOCUSCHANGED, reinterpret_cast<LPARAM>(control));
    OnActiveControlChange(this);
}

void TScreen::ControlRemoved(TControl* control)
{
    if (activeControl_ == control) activeControl_ = nullptr;
    for (TCustomForm* f : forms_) f->ControlRemoved(control);
}

void TScreen::SetCursor(TCursor cursor)
{
    cursor_ = cursor;
    if (HCURSOR h = CursorHandle(cursor)) {
        ::SetCursor(h);
        return;
    }
    POINT p;
    GetCursorPos(&p);
    if (HWND w = WindowFromPoint(p)) {
        if (GetWindowThreadProcessId(w, nullptr) != GetCurrentThreadId()) return;
        const LRESULT hit = SendMessageW(w, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
        SendMessageW(w, WM_SETCURSOR, reinterpret_cast<WPARAM>(w), MAKELPARAM(hit, WM_MOUSEMOVE));
    }
}

TFont* TScreen::MenuFont()
{
    if (!menuFont_) {
        menuFont_ = std::make_unique<TFont>();
        NONCLIENTMETRICSW ncm{};
        ncm.cbSize = sizeof(ncm);
        if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0))
            if (HFONT f = CreateFontIndirectW(&ncm.lfMenuFont)) menuFont_->SetHandle(f);
    }
    return menuFont_.get();
}

}  // namespace fw
