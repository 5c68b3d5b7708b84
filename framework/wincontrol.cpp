// TWinControl and TCustomControl: windows made on demand, the framework's
// window procedure, reflection of notifications to child controls,
// windowless children painted and fed the mouse by their parent.
#include <windowsx.h>

#include <algorithm>
#include <cstdio>
#include <optional>

#include "framework/controls.h"
#include "framework/forms.h"
#include "framework/guard.h"
#include "framework/guards.h"
#include "framework/menus.h"
#include "framework/steptimes.h"
#include "framework/text.h"

namespace fw {

namespace {

thread_local TWinControl* t_creating = nullptr;

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

struct AtomHolder {
    std::string name;
    ATOM atom = 0;
    AtomHolder()
    {
        char buf[40];
        std::snprintf(buf, sizeof buf, "ControlOfs%.8X%.8X",
                      static_cast<unsigned>(reinterpret_cast<uintptr_t>(Instance())),
                      static_cast<unsigned>(GetCurrentThreadId()));
        name = buf;
        atom = GlobalAddAtomA(buf);
    }
};

// Never destroyed: windows may still be looked up while the program's
// statics go away; the application deletes the atom last.
AtomHolder& Atom()
{
    static AtomHolder* holder = new AtomHolder;
    return *holder;
}

bool IsFrameworkMessage(UINT msg) { return msg >= CM_BASE && msg < CN_BASE + 0x400; }

bool IsWindowless(const TControl* c) { return dynamic_cast<const TWinControl*>(c) == nullptr; }

}  // namespace

ATOM ControlAtom() { return Atom().atom; }

const std::string& ControlAtomName() { return Atom().name; }

LRESULT CALLBACK StdWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

namespace {

// The framework's window classes carry one pointer-sized slot more than the
// class they build on, at the end of the window's extra bytes, holding the
// control. Reading it stays inside the process; a window property is a
// round trip to the window server under Wine, too slow for every message.
// The property is still set for those who find framework windows by it.
int ControlSlot(HWND window)
{
    return static_cast<int>(GetClassLongPtrW(window, GCL_CBWNDEXTRA)) -
           static_cast<int>(sizeof(LONG_PTR));
}

bool IsFrameworkWindow(HWND window)
{
    return reinterpret_cast<WNDPROC>(GetClassLongPtrW(window, GCLP_WNDPROC)) == StdWndProc;
}

// The control of a window of a framework class, or null before it is
// attached.
TWinControl* SlotControl(HWND window)
{
    const int slot = ControlSlot(window);
    if (slot < 0) return nullptr;
    return reinterpret_cast<TWinControl*>(GetWindowLongPtrW(window, slot));
}

void SetSlotControl(HWND window, TWinControl* control)
{
    if (!IsFrameworkWindow(window)) return;
    const int slot = ControlSlot(window);
    if (slot >= 0) SetWindowLongPtrW(window, slot, reinterpret_cast<LONG_PTR>(control));
}

}  // namespace

TWinControl* FindControl(HWND window)
{
    if (!window) return nullptr;
    if (IsFrameworkWindow(window)) return SlotControl(window);
    return static_cast<TWinControl*>(GetPropW(window, MAKEINTATOM(ControlAtom())));
}

LRESULT CALLBACK StdWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    // Only windows of the framework's classes come here.
    TWinControl* control = SlotControl(hwnd);
    if (!control) {
        control = t_creating;
        if (!control) return DefWindowProcW(hwnd, msg, wParam, lParam);
        t_creating = nullptr;
        control->AttachHandle(hwnd);
    }
    TMessage m{msg, wParam, lParam, 0};
    try {
        control->WindowProc(m);
    } catch (...) {
        HandleCallbackException();
    }
    return m.Result;
}

// ---------------------------------------------------------------------------
// TWinControl

FW_IMPLEMENT_CLASS(TWinControl)
{
    c.Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop);
    c.Property("DoubleBuffered", &TWinControl::DoubleBuffered, &TWinControl::SetDoubleBuffered);
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner), brush_(std::make_unique<TBrush>())
{
    brush_->SetColor(color_);
}

void TWinControl::Destroy()
{
    if (handle_) {
        FreeDeviceContexts(handle_);
        DestroyWindowHandle();
        if (handle_) DetachHandle();
    }
    while (!controls_.empty()) {
        TControl* c = controls_.back();
        RemoveControl(c);
        c->Free();
    }
    inherited::Destroy();
}

HWND TWinControl::Handle()
{
    if (!handle_) {
        if (parent_) parent_->Handle();
        CreateHandle();
    }
    return handle_;
}

void TWinControl::CreateParams(TCreateParams& p)
{
    p.Caption = ToWide(text_);
    p.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (controlStyle_.Contains(csAcceptsControls)) p.Style |= WS_CLIPCHILDREN;
    if (visible_) p.Style |= WS_VISIBLE;
    if (!enabled_) p.Style |= WS_DISABLED;
    if (tabStop_) p.Style |= WS_TABSTOP;
    p.X = left_;
    p.Y = top_;
    p.Width = width_;
    p.Height = WindowHeight(height_);
    if (parent_)
        p.WndParent = parent_->Handle();
    else
        p.WndParent = parentWindow_;
    p.WindowClass.cbSize = sizeof(p.WindowClass);
    p.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    p.WindowClass.lpfnWndProc = DefWindowProcW;
    // A shared system cursor, loaded once rather than for every window:
    // under Wine each load costs a fifth of a millisecond.
    static const HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    p.WindowClass.hCursor = arrow;
    p.WinClassName = ToWide(ClassName());
}

void TWinControl::CreateSubClass(TCreateParams& p, const wchar_t* systemClass)
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (!GetClassInfoExW(nullptr, systemClass, &wc)) return;
    wc.style &= ~static_cast<UINT>(CS_OWNDC | CS_CLASSDC | CS_PARENTDC | CS_GLOBALCLASS);
    p.WindowClass = wc;
    superclassed_ = true;
}

void TWinControl::CreateWnd()
{
    TCreateParams p;
    CreateParams(p);
    if (!p.WndParent && (p.Style & WS_CHILD))
        throw rtl::Exception("Control '" + Name() + "' has no parent window");
    defWndProc_ = p.WindowClass.lpfnWndProc;
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    const bool registered = GetClassInfoExW(Instance(), p.WinClassName.c_str(), &existing) != 0;
    if (!registered || existing.lpfnWndProc != StdWndProc) {
        if (registered) UnregisterClassW(p.WinClassName.c_str(), Instance());
        WNDCLASSEXW wc = p.WindowClass;
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = StdWndProc;
        wc.cbWndExtra += static_cast<int>(sizeof(LONG_PTR));  // the control's slot, see ControlSlot
        wc.hInstance = Instance();
        wc.lpszClassName = p.WinClassName.c_str();
        wc.lpszMenuName = nullptr;
        if (!RegisterClassExW(&wc))
            throw rtl::Exception("Error creating window class (" + SystemErrorText(GetLastError()) +
                                 ")");
    }
    TWinControl* outer = t_creating;
    t_creating = this;
    HWND h = CreateWindowHandle(p);
    const DWORD error = h ? 0 : GetLastError();
    t_creating = outer;
    if (!h) {
        if (handle_) DetachHandle();
        throw rtl::Exception("Error creating window (" + SystemErrorText(error) + ")");
    }
    if (!handle_) AttachHandle(h);
    SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), FALSE);
}

HWND TWinControl::CreateWindowHandle(const TCreateParams& p)
{
    return CreateWindowExW(p.ExStyle, p.WinClassName.c_str(), p.Caption.c_str(), p.Style, p.X, p.Y,
                           p.Width, p.Height, p.WndParent, nullptr, Instance(), p.Param);
}

void TWinControl::DestroyWindowHandle() { DestroyWindow(handle_); }

void TWinControl::CreateHandle()
{
    if (handle_) return;
    CreateWnd();
    PlaceInZOrder();
    for (TControl* c : controls_)
        if (auto* w = dynamic_cast<TWinControl*>(c)) w->CreateHandle();
    AlignControls();
}

void TWinControl::PlaceInZOrder()
{
    if (!parent_ || !handle_) return;
    // Sibling windows keep the children's creation order (which is also
    // the tab order): just below the previous windowed sibling. Looked for
    // from the end of the list, where a new child is, so that a parent
    // filled with many children is not walked for each of them.
    const std::vector<TControl*>& siblings = parent_->controls_;
    auto it = std::find(siblings.rbegin(), siblings.rend(), static_cast<TControl*>(this));
    it = it == siblings.rend() ? siblings.rbegin() : std::next(it);
    HWND after = HWND_TOP;
    for (; it != siblings.rend(); ++it) {
        if (auto* w = dynamic_cast<TWinControl*>(*it); w && w->handle_) {
            after = w->handle_;
            break;
        }
    }
    // A window made after its windowed siblings is in place already (new
    // child windows go below their siblings); moving it anyway costs a
    // round trip to the window server and two messages.
    if (GetWindow(handle_, GW_HWNDPREV) == after) return;
    SetWindowPos(handle_, after, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void TWinControl::DestroyWnd()
{
    text_ = Text();
    FreeDeviceContexts(handle_);
    DestroyWindowHandle();
    if (handle_) DetachHandle();
}

void TWinControl::DestroyHandle()
{
    if (!handle_) return;
    for (TControl* c : controls_)
        if (auto* w = dynamic_cast<TWinControl*>(c)) w->DestroyHandle();
    DestroyWnd();
}

void TWinControl::AttachHandle(HWND hwnd)
{
    handle_ = hwnd;
    SetSlotControl(hwnd, this);
    SetPropW(hwnd, MAKEINTATOM(ControlAtom()), static_cast<HANDLE>(this));
}

void TWinControl::DetachHandle()
{
    if (handle_) {
        SetSlotControl(handle_, nullptr);
        RemovePropW(handle_, MAKEINTATOM(ControlAtom()));
    }
    TControl* cap = GetCaptureControl();
    if (cap && (cap == this || cap->Parent() == this)) detail::ForgetCaptureControl();
    handle_ = nullptr;
    mouseInside_ = false;
    hoverControl_ = nullptr;
}

void TWinControl::RecreateWnd()
{
    if (handle_) Perform(CM_RECREATEWND);
}

void TWinControl::InsertControl(TControl* control)
{
    controls_.push_back(control);
    control->parent_ = this;
    if (auto* w = dynamic_cast<TWinControl*>(control)) {
        if (handle_) w->CreateHandle();
    } else {
        control->Invalidate();
    }
    if (control->Align() != alNone) Realign();
}

void TWinControl::RemoveControl(TControl* control)
{
    auto it = std::find(controls_.begin(), controls_.end(), control);
    if (it == controls_.end()) return;
    if (auto* w = dynamic_cast<TWinControl*>(control)) {
        if (w->handle_ && !w->parentWindow_) w->DestroyHandle();
    } else {
        control->Invalidate();
    }
    controls_.erase(std::find(controls_.begin(), controls_.end(), control));
    if (hoverControl_ == control) hoverControl_ = nullptr;
    control->parent_ = nullptr;
    if (control->Align() != alNone) Realign();
}

TControl* TWinControl::ControlAtPos(POINT p, bool allowDisabled) const
{
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* c = *it;
        if (!IsWindowless(c) || !c->Visible() || (!c->Enabled() && !allowDisabled)) continue;
        const RECT r = c->BoundsRect();
        if (PtInRect(&r, p)) return c;
    }
    return nullptr;
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const
{
    for (TControl* c : controls_)
        if (auto* w = dynamic_cast<TWinControl*>(c)) {
            list.push_back(w);
            w->GetTabOrderList(list);
        }
}

void TWinControl::SetParentWindow(HWND window)
{
    if (window == parentWindow_) return;
    parentWindow_ = window;
    if (handle_ && !parent_) {
        if (window)
            ::SetParent(handle_, window);
        else
            DestroyHandle();
    }
}

void TWinControl::SetTabStop(bool value)
{
    if (value == tabStop_) return;
    tabStop_ = value;
    if (handle_) {
        LONG_PTR style = GetWindowLongPtrW(handle_, GWL_STYLE);
        style = value ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
        SetWindowLongPtrW(handle_, GWL_STYLE, style);
    }
}

void TWinControl::SetCtl3D(bool value)
{
    if (value == ctl3D_) return;
    ctl3D_ = value;
    RecreateWnd();
}

bool TWinControl::Focused() const { return handle_ && GetFocus() == handle_; }

bool TWinControl::CanFocus() const
{
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return true;
}

void TWinControl::SetFocus() { ::SetFocus(Handle()); }

RECT TWinControl::ClientRect() const
{
    RECT r{};
    if (handle_ && GetClientRect(handle_, &r)) return r;
    return TControl::ClientRect();
}

POINT TWinControl::ClientOrigin() const
{
    POINT p{0, 0};
    ::ClientToScreen(const_cast<TWinControl*>(this)->Handle(), &p);
    return p;
}

void TWinControl::SetBounds(int left, int top, int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (handle_)
        SetWindowPos(handle_, nullptr, left, top, width, WindowHeight(height),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    else
        AlignControls();
    if (parent_ && Align() != alNone) parent_->Realign();
}

void TWinControl::UpdateBounds()
{
    if (!handle_ || IsIconic(handle_)) return;
    RECT r{};
    if (!GetWindowRect(handle_, &r)) return;
    if (GetWindowLongPtrW(handle_, GWL_STYLE) & WS_CHILD) {
        if (HWND p = GetParent(handle_))
            MapWindowPoints(nullptr, p, reinterpret_cast<POINT*>(&r), 2);
    }
    left_ = r.left;
    top_ = r.top;
    width_ = r.right - r.left;
    height_ = r.bottom - r.top;
}

void TWinControl::SetVisible(bool visible)
{
    if (visible == visible_) return;
    visible_ = visible;
    if (handle_) ShowWindow(handle_, visible ? SW_SHOWNA : SW_HIDE);
    Perform(CM_VISIBLECHANGED, visible);
    if (parent_ && Align() != alNone) parent_->Realign();
}

void TWinControl::SetEnabled(bool enabled)
{
    if (enabled == enabled_) return;
    enabled_ = enabled;
    if (handle_) EnableWindow(handle_, enabled);
    Perform(CM_ENABLEDCHANGED);
}

std::string TWinControl::Text() const
{
    if (!handle_) return text_;
    const int n = GetWindowTextLengthW(handle_);
    std::wstring w(static_cast<size_t>(std::max(n, 0)) + 1, L'\0');
    const int got = GetWindowTextW(handle_, w.data(), n + 1);
    w.resize(static_cast<size_t>(std::max(got, 0)));
    return ToGbk(w);
}

void TWinControl::SetText(const std::string& text)
{
    if (!handle_) {
        TControl::SetText(text);
        return;
    }
    if (Text() == text) return;
    text_ = text;
    SetWindowTextW(handle_, ToWide(text).c_str());
    TextChanged();
    Perform(CM_TEXTCHANGED);
}

void TWinControl::Invalidate()
{
    if (handle_) InvalidateRect(handle_, nullptr, !controlStyle_.Contains(csOpaque));
}

void TWinControl::Update()
{
    if (handle_) UpdateWindow(handle_);
}

void TWinControl::FontChanged()
{
    if (handle_)
        SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), TRUE);
    NotifyControls(CM_PARENTFONTCHANGED);
    TControl::FontChanged();
}

void TWinControl::ColorChanged()
{
    brush_->SetColor(color_);
    NotifyControls(CM_PARENTCOLORCHANGED);
}

void TWinControl::ParentColorChanged() { TControl::ParentColorChanged(); }

void TWinControl::NotifyControls(UINT msg, WPARAM wParam, LPARAM lParam)
{
    const std::vector<TControl*> list = controls_;
    for (TControl* c : list) c->Perform(msg, wParam, lParam);
}

void TWinControl::Realign() { AlignControls(); }

void TWinControl::AlignControls()
{
    if (aligning_) return;
    aligning_ = true;
    RECT r = ClientRect();
    AdjustClientRect(r);
    for (TAlign a : {alTop, alBottom, alLeft, alRight, alClient}) {
        for (TControl* c : controls_) {
            if (c->Align() != a || !c->Visible()) continue;
            const int w = c->Width(), h = c->Height();
            switch (a) {
            case alTop:
                c->SetBounds(r.left, r.top, r.right - r.left, h);
                r.top += h;
                break;
            case alBottom:
                c->SetBounds(r.left, r.bottom - h, r.right - r.left, h);
                r.bottom -= h;
                break;
            case alLeft:
                c->SetBounds(r.left, r.top, w, r.bottom - r.top);
                r.left += w;
                break;
            case alRight:
                c->SetBounds(r.right - w, r.top, w, r.bottom - r.top);
                r.right -= w;
                break;
            default: c->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top); break;
            }
        }
    }
    aligning_ = false;
}

void TWinControl::PaintControls(HDC dc)
{
    for (TControl* c : controls_) {
        if (!IsWindowless(c) || (!c->Visible() && !c->Designing())) continue;
        const RECT b = c->BoundsRect();
        if (!RectVisible(dc, &b)) continue;
        TSavedDC saved(dc);
        OffsetViewportOrgEx(dc, b.left, b.top, nullptr);
        IntersectClipRect(dc, 0, 0, b.right - b.left, b.bottom - b.top);
        c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    }
}

void TWinControl::PaintHandler(HDC dc)
{
    PaintWindow(dc);
    PaintControls(dc);
}

// Background, content and windowless children drawn off screen, then put
// on the window in one copy.
void TWinControl::PaintBuffered(HDC dc, const RECT& area)
{
    RECT client{};
    GetClientRect(handle_, &client);
    TMemoryDC memory(dc);
    const HDC mem = memory.Handle();
    TGdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(dc, std::max<LONG>(client.right, 1),
                                                      std::max<LONG>(client.bottom, 1)));
    TSelectObject selected(mem, bitmap.Handle());
    IntersectClipRect(mem, area.left, area.top, area.right, area.bottom);
    {
        erasingBuffer_ = true;
        TScopeExit erased([this] { erasingBuffer_ = false; });
        Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(mem), 0);
    }
    PaintHandler(mem);
    BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, mem, area.left,
           area.top, SRCCOPY);
}

void TWinControl::PaintWindow(HDC dc)
{
    if (!superclassed_) return;
    TMessage m{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
    DefaultHandler(m);
}

void TWinControl::SetHoverControl(TControl* control)
{
    if (control == hoverControl_) return;
    TControl* old = hoverControl_;
    hoverControl_ = control;
    if (old) old->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(old));
    if (control) control->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(control));
}

bool TWinControl::RouteMouseToChild(TMessage& m)
{
    const POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    TControl* cap = GetCaptureControl();
    TControl* target = nullptr;
    if (cap && cap->Parent() == this && IsWindowless(cap)) {
        target = cap;
    } else if (!cap || cap == this) {
        target = ControlAtPos(p, false);
    }
    if (m.Msg == WM_MOUSEMOVE)
        SetHoverControl(cap && cap != this ? target : ControlAtPos(p, false));
    if (!target) return false;
    m.Result = target->Perform(m.Msg, m.WParam,
                               MAKELPARAM(static_cast<WORD>(p.x - target->Left()),
                                          static_cast<WORD>(p.y - target->Top())));
    return true;
}

void TWinControl::Reflect(TMessage& m, HWND child, UINT)
{
    TWinControl* c = FindControl(child);
    if (c && c != this) {
        m.Result = c->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
        return;
    }
    DefaultHandler(m);
}

void TWinControl::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_PAINT: {
        TStepSpan span("client paint (framework)");
        bool windowless = false;
        for (TControl* c : controls_)
            if (IsWindowless(c) && c->Visible()) windowless = true;
        if (superclassed_ && !windowless) break;
        // A DC in wParam is lent by whoever paints this window into it;
        // without one the window paints its own update region.
        HDC dc = reinterpret_cast<HDC>(m.WParam);
        std::optional<TPaintDC> paint;
        if (!dc) dc = paint.emplace(handle_).Handle();
        if (doubleBuffered_ && !superclassed_ && paint)
            PaintBuffered(dc, paint->PaintRect());
        else
            PaintHandler(dc);
        return;
    }
    case WM_ERASEBKGND:
        if (superclassed_) break;
        if (doubleBuffered_ && !erasingBuffer_) {
            m.Result = 1;  // the background goes into the paint buffer
            return;
        }
        {
            RECT r{};
            GetClientRect(handle_, &r);
            ::FillRect(reinterpret_cast<HDC>(m.WParam), &r, brush_->Handle());
            m.Result = 1;
        }
        return;
    case WM_COMMAND:
        if (m.LParam) {
            Reflect(m, reinterpret_cast<HWND>(m.LParam), 0);
            return;
        }
        break;
    case WM_NOTIFY: Reflect(m, reinterpret_cast<NMHDR*>(m.LParam)->hwndFrom, 0); return;
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR:
        // Every child hears a dialog key or character; the first that
        // answers other than 0 takes it.
        for (size_t i = 0; i < controls_.size() && m.Result == 0; ++i) controls_[i]->WindowProc(m);
        return;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CHARTOITEM:
    case WM_VKEYTOITEM:
        if (m.LParam) {
            Reflect(m, reinterpret_cast<HWND>(m.LParam), 0);
            return;
        }
        break;
    case WM_DRAWITEM: {
        auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
        if (dis->CtlType != ODT_MENU) {
            Reflect(m, dis->hwndItem, 0);
            return;
        }
        break;
    }
    case WM_COMPAREITEM:
        Reflect(m, reinterpret_cast<COMPAREITEMSTRUCT*>(m.LParam)->hwndItem, 0);
        return;
    case WM_DELETEITEM:
        Reflect(m, reinterpret_cast<DELETEITEMSTRUCT*>(m.LParam)->hwndItem, 0);
        return;
    case WM_MEASUREITEM: {
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
        if (mis->CtlType != ODT_MENU && handle_) {
            Reflect(m, GetDlgItem(handle_, static_cast<int>(mis->CtlID)), 0);
            return;
        }
        break;
    }
    case WM_MOUSEMOVE:
        if (!mouseInside_ && handle_) {
            mouseInside_ = true;
            TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, handle_, 0};
            TrackMouseEvent(&tme);
            Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(this));
        }
        if (RouteMouseToChild(m)) return;
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_MBUTTONUP:
        if (RouteMouseToChild(m)) return;
        break;
    case WM_MOUSELEAVE:
        mouseInside_ = false;
        SetHoverControl(nullptr);
        DefaultHandler(m);
        Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(this));
        return;
    case WM_CAPTURECHANGED: {
        TControl* cap = GetCaptureControl();
        if (cap && reinterpret_cast<HWND>(m.LParam) != handle_ &&
            (cap == this || cap->Parent() == this))
            detail::ForgetCaptureControl();
        break;
    }
    case WM_SETCURSOR:
        if (LOWORD(m.LParam) == HTCLIENT && reinterpret_cast<HWND>(m.WParam) == handle_) {
            TCursor cursor = Screen ? Screen->Cursor() : crDefault;
            if (cursor == crDefault) {
                POINT p;
                GetCursorPos(&p);
                ::ScreenToClient(handle_, &p);
                TControl* c = ControlAtPos(p, true);
                cursor = c ? c->Cursor() : Cursor();
            }
            if (HCURSOR h = CursorHandle(cursor)) {
                ::SetCursor(h);
                m.Result = 1;
                return;
            }
        }
        break;
    case WM_CONTEXTMENU: {
        // The popup menu of the control under the mouse, or of its parents.
        POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
        const bool keyboard = m.LParam == -1;
        if (keyboard) p = ClientToScreen({0, 0});
        const POINT client = ScreenToClient(p);
        TControl* c = keyboard ? nullptr : ControlAtPos(client, false);
        for (TControl* at = c ? c : this; at; at = at->Parent()) {
            if (TPopupMenu* menu = at->PopupMenu()) {
                menu->Popup(p.x, p.y);
                m.Result = 1;
                return;
            }
        }
        break;
    }
    case WM_SETFOCUS:
        DefaultHandler(m);
        if (Screen) Screen->ControlFocused(this);
        return;
    case WM_WINDOWPOSCHANGED:
        DefaultHandler(m);
        UpdateBounds();
        return;
    case WM_SIZE:
        DefaultHandler(m);
        AlignControls();
        return;
    case WM_NCDESTROY:
        DefaultHandler(m);
        DetachHandle();
        return;
    case CM_RECREATEWND: {
        const bool hadFocus = Focused();
        DestroyHandle();
        CreateHandle();
        if (hadFocus && CanFocus()) SetFocus();
        return;
    }
    default: break;
    }
    TControl::WndProc(m);
}

void TWinControl::DefaultHandler(TMessage& m)
{
    if (m.Msg >= CN_CTLCOLORMSGBOX && m.Msg <= CN_CTLCOLORSTATIC) {
        HDC dc = reinterpret_cast<HDC>(m.WParam);
        SetTextColor(dc, ColorToRGB(Font()->Color()));
        SetBkColor(dc, ColorToRGB(brush_->Color()));
        m.Result = reinterpret_cast<LRESULT>(brush_->Handle());
        return;
    }
    if (IsFrameworkMessage(m.Msg) || !handle_) {
        m.Result = 0;
        return;
    }
    m.Result = CallWindowProcW(defWndProc_ ? defWndProc_ : DefWindowProcW, handle_, m.Msg, m.WParam,
                               m.LParam);
}

// ---------------------------------------------------------------------------
// TCustomControl

FW_IMPLEMENT_CLASS(TCustomControl) {}

TCustomControl::TCustomControl(TComponent* owner)
    : TWinControl(owner), canvas_(std::make_unique<TControlCanvas>(this))
{}

void TCustomControl::PaintWindow(HDC dc)
{
    canvas_->PaintOn(dc, [this] { Paint(); });
}

}  // namespace fw
