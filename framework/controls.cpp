// TControl, TGraphicControl and the control canvas.
#include "framework/controls.h"

#include <windowsx.h>

#include <algorithm>

#include "framework/forms.h"
#include "framework/menus.h"

namespace fw {

namespace {

TControl* g_captureControl = nullptr;

// Never destroyed: canvases are freed with forms while the statics go away.
std::vector<TControlCanvas*>& CanvasList()
{
    static auto* list = new std::vector<TControlCanvas*>;
    return *list;
}

}  // namespace

TShiftState KeysToShiftState(WPARAM keys)
{
    TShiftState s;
    if (keys & MK_SHIFT) s.Include(ssShift);
    if (keys & MK_CONTROL) s.Include(ssCtrl);
    if (keys & MK_LBUTTON) s.Include(ssLeft);
    if (keys & MK_RBUTTON) s.Include(ssRight);
    if (keys & MK_MBUTTON) s.Include(ssMiddle);
    if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
    return s;
}

const TIdentMap& CursorIdents()
{
    static const TIdentMap map{{
        {"crDefault", crDefault},
        {"crNone", crNone},
        {"crArrow", crArrow},
        {"crCross", crCross},
        {"crIBeam", crIBeam},
        {"crSizeNESW", crSizeNESW},
        {"crSizeNS", crSizeNS},
        {"crSizeNWSE", crSizeNWSE},
        {"crSizeWE", crSizeWE},
        {"crUpArrow", crUpArrow},
        {"crHourGlass", crHourGlass},
        {"crNo", crNo},
        {"crAppStart", crAppStart},
        {"crHelp", crHelp},
        {"crHandPoint", crHandPoint},
        {"crSizeAll", crSizeAll},
    }};
    return map;
}

HCURSOR CursorHandle(TCursor cursor)
{
    const wchar_t* id = nullptr;
    switch (cursor) {
    case crArrow: id = IDC_ARROW; break;
    case crCross: id = IDC_CROSS; break;
    case crIBeam: id = IDC_IBEAM; break;
    case crSizeNESW: id = IDC_SIZENESW; break;
    case crSizeNS: id = IDC_SIZENS; break;
    case crSizeNWSE: id = IDC_SIZENWSE; break;
    case crSizeWE: id = IDC_SIZEWE; break;
    case crUpArrow: id = IDC_UPARROW; break;
    case crHourGlass: id = IDC_WAIT; break;
    case crNo: id = IDC_NO; break;
    case crAppStart: id = IDC_APPSTARTING; break;
    case crHelp: id = IDC_HELP; break;
    case crHandPoint: id = IDC_HAND; break;
    case crSizeAll: id = IDC_SIZEALL; break;
    default: return nullptr;
    }
    return LoadCursorW(nullptr, id);
}

// ---------------------------------------------------------------------------
// TControl

FW_IMPLEMENT_CLASS(TControl)
{
    c.Property("Left", &TControl::Left, &TControl::SetLeft);
    c.Property("Top", &TControl::Top, &TControl::SetTop);
    c.Property("Width", &TControl::Width, &TControl::SetWidth);
    c.Property("Height", &TControl::Height, &TControl::SetHeight);
    c.Property("Align", &TControl::Align, &TControl::SetAlign);
    c.Property("BiDiMode", &TControl::BiDiMode, &TControl::SetBiDiMode);
    c.Property("Cursor", &TControl::Cursor, &TControl::SetCursor).WithIdents(CursorIdents());
    c.Property("Hint", &TControl::Hint, &TControl::SetHint);
    c.Property("ShowHint", &TControl::ShowHint, &TControl::SetShowHint);
    c.Property("HelpKeyword", &TControl::HelpKeyword, &TControl::SetHelpKeyword);
    c.Property("Visible", &TControl::Visible, &TControl::SetVisible);
    c.Property("Enabled", &TControl::Enabled, &TControl::SetEnabled);
    c.Property("Color", &TControl::Color, &TControl::SetColor).WithIdents(ColorIdents());
    c.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor);
    c.Property("Font", &TControl::Font, &TControl::SetFont);
    c.Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont);
    c.Property("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu);
    c.Property("OnClick", &TControl::OnClick);
    c.Property("OnDblClick", &TControl::OnDblClick);
    c.Property("OnMouseDown", &TControl::OnMouseDown);
    c.Property("OnMouseMove", &TControl::OnMouseMove);
    c.Property("OnMouseUp", &TControl::OnMouseUp);
}

TControl::TControl(TComponent* owner) : TComponent(owner), font_(std::make_unique<TFont>())
{
    WindowProc = TWndMethod(this, &TControl::WndProc);
    font_->OnChange = TNotifyEvent(this, &TControl::OnFontChange);
}

void TControl::Destroy()
{
    if (g_captureControl == this) SetMouseCapture(false);
    if (Screen) Screen->ControlRemoved(this);
    if (parent_) parent_->RemoveControl(this);
    inherited::Destroy();
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam)
{
    TMessage m{msg, wParam, lParam, 0};
    WindowProc(m);
    return m.Result;
}

void TControl::DefaultHandler(TMessage&) {}

void TControl::HandleMouseDown(const TMessage& m, TMouseButton button, bool dbl)
{
    if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(true);
    if (button == mbLeft && controlStyle_.Contains(csClickEvents)) clicked_ = true;
    if (dbl && button == mbLeft && controlStyle_.Contains(csDoubleClicks)) DblClick();
    TShiftState shift = KeysToShiftState(m.WParam);
    if (dbl) shift.Include(ssDouble);
    MouseDown(button, shift, GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
}

void TControl::HandleMouseUp(const TMessage& m, TMouseButton button)
{
    const int x = GET_X_LPARAM(m.LParam), y = GET_Y_LPARAM(m.LParam);
    if (g_captureControl == this && button == mbLeft) SetMouseCapture(false);
    if (button == mbLeft && clicked_) {
        clicked_ = false;
        const RECT r = ClientRect();
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) Click();
    }
    MouseUp(button, KeysToShiftState(m.WParam), x, y);
}

void TControl::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        DefaultHandler(m);
        HandleMouseDown(m, mbLeft, m.Msg == WM_LBUTTONDBLCLK);
        return;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        DefaultHandler(m);
        HandleMouseDown(m, mbRight, m.Msg == WM_RBUTTONDBLCLK);
        return;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        DefaultHandler(m);
        HandleMouseDown(m, mbMiddle, m.Msg == WM_MBUTTONDBLCLK);
        return;
    case WM_LBUTTONUP:
        DefaultHandler(m);
        HandleMouseUp(m, mbLeft);
        return;
    case WM_RBUTTONUP:
        DefaultHandler(m);
        HandleMouseUp(m, mbRight);
        return;
    case WM_MBUTTONUP:
        DefaultHandler(m);
        HandleMouseUp(m, mbMiddle);
        return;
    case WM_MOUSEMOVE:
        DefaultHandler(m);
        MouseMove(KeysToShiftState(m.WParam), GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
        return;
    case CM_PARENTCOLORCHANGED: ParentColorChanged(); return;
    case CM_PARENTFONTCHANGED: ParentFontChanged(); return;
    default: break;
    }
    DefaultHandler(m);
}

void TControl::SetParent(TWinControl* parent)
{
    if (parent == parent_) return;
    if (parent == static_cast<TControl*>(this))
        throw EComponentError("A control cannot have itself as its parent");
    if (parent_) parent_->RemoveControl(this);
    if (parent) {
        parent->InsertControl(this);
        ParentColorChanged();
        ParentFontChanged();
    }
}

bool TControl::SetParentComponent(TComponent* parent)
{
    auto* w = dynamic_cast<TWinControl*>(parent);
    if (!w) return false;
    SetParent(w);
    return true;
}

void TControl::SetPopupMenu(TPopupMenu* menu)
{
    if (popupMenu_) popupMenu_->RemoveFreeNotification(this);
    popupMenu_ = menu;
    if (menu) menu->FreeNotification(this);
}

void TControl::Notification(TComponent* component, TOperation operation)
{
    if (operation == opRemove && component == popupMenu_) popupMenu_ = nullptr;
    inherited::Notification(component, operation);
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    const RECT old = BoundsRect();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (visible_) {
        InvalidateInParent(old);
        InvalidateInParent(BoundsRect());
    }
    if (parent_ && align_ != alNone) parent_->Realign();
}

RECT TControl::ClientRect() const { return {0, 0, width_, height_}; }

int TControl::ClientWidth() const { return ClientRect().right; }

int TControl::ClientHeight() const { return ClientRect().bottom; }

void TControl::SetClientWidth(int v) { SetClientSize(v, ClientHeight()); }

void TControl::SetClientHeight(int v) { SetClientSize(ClientWidth(), v); }

void TControl::SetClientSize(int width, int height)
{
    const RECT r = ClientRect();
    SetBounds(left_, top_, width_ + width - r.right, height_ + height - r.bottom);
}

POINT TControl::ClientOrigin() const
{
    POINT p{left_, top_};
    if (parent_) {
        const POINT o = parent_->ClientOrigin();
        p.x += o.x;
        p.y += o.y;
    }
    return p;
}

POINT TControl::ScreenToClient(POINT p) const
{
    const POINT o = ClientOrigin();
    return {p.x - o.x, p.y - o.y};
}

POINT TControl::ClientToScreen(POINT p) const
{
    const POINT o = ClientOrigin();
    return {p.x + o.x, p.y + o.y};
}

void TControl::SetVisible(bool visible)
{
    if (visible == visible_) return;
    visible_ = visible;
    InvalidateInParent(BoundsRect());
    Perform(CM_VISIBLECHANGED, visible);
    if (parent_ && align_ != alNone) parent_->Realign();
}

bool TControl::Showing() const
{
    if (!visible_) return false;
    return parent_ ? parent_->Showing() : true;
}

void TControl::SetEnabled(bool enabled)
{
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Invalidate();
    Perform(CM_ENABLEDCHANGED);
}

void TControl::SetColor(TColor color)
{
    const bool changed = color != color_;
    color_ = color;
    if (!updatingFromParent_) parentColor_ = false;
    if (!changed) return;
    ColorChanged();
    Invalidate();
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool value)
{
    if (value == parentColor_) return;
    parentColor_ = value;
    if (value) ParentColorChanged();
}

void TControl::ParentColorChanged()
{
    if (!parentColor_ || !parent_) return;
    updatingFromParent_ = true;
    SetColor(parent_->Color());
    updatingFromParent_ = false;
}

void TControl::SetParentFont(bool value)
{
    if (value == parentFont_) return;
    parentFont_ = value;
    if (value) ParentFontChanged();
}

void TControl::ParentFontChanged()
{
    if (!parentFont_ || !parent_) return;
    updatingFromParent_ = true;
    font_->Assign(parent_->Font());
    updatingFromParent_ = false;
}

void TControl::OnFontChange(TObject*)
{
    if (!updatingFromParent_) parentFont_ = false;
    FontChanged();
}

void TControl::FontChanged()
{
    Invalidate();
    Perform(CM_FONTCHANGED);
}

std::string TControl::Text() const { return text_; }

void TControl::SetText(const std::string& text)
{
    if (text == text_) return;
    text_ = text;
    TextChanged();
    Invalidate();
    Perform(CM_TEXTCHANGED);
}

void TControl::SetAlign(TAlign align)
{
    if (align == align_) return;
    align_ = align;
    if (parent_) parent_->Realign();
}

void TControl::SetCursor(TCursor cursor)
{
    if (cursor == cursor_) return;
    cursor_ = cursor;
    Perform(CM_CURSORCHANGED);
}

void TControl::InvalidateInParent(const RECT& r) const
{
    if (!parent_ || !parent_->HandleAllocated()) return;
    InvalidateRect(parent_->HandleIfAllocated(), &r, !controlStyle_.Contains(csOpaque));
}

void TControl::Invalidate()
{
    if (visible_) InvalidateInParent(BoundsRect());
}

void TControl::Update()
{
    if (parent_) parent_->Update();
}

void TControl::Repaint()
{
    Invalidate();
    Update();
}

void TControl::BringToFront()
{
    if (!parent_) return;
    TWinControl* p = parent_;
    p->RemoveControl(this);
    p->InsertControl(this);
    Invalidate();
}

void TControl::SendToBack()
{
    // Windowless controls paint in list order; the first is painted first.
    if (!parent_) return;
    TWinControl* p = parent_;
    std::vector<TControl*> others;
    for (int i = 0; i < p->ControlCount(); ++i)
        if (p->Controls(i) != this) others.push_back(p->Controls(i));
    p->RemoveControl(this);
    for (TControl* c : others) p->RemoveControl(c);
    p->InsertControl(this);
    for (TControl* c : others) p->InsertControl(c);
    Invalidate();
}

void TControl::Loaded()
{
    inherited::Loaded();
    ParentColorChanged();
    ParentFontChanged();
}

void TControl::Click() { OnClick(this); }

void TControl::DblClick() { OnDblClick(this); }

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) { OnMouseMove(this, shift, x, y); }

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    OnMouseUp(this, button, shift, x, y);
}

bool TControl::MouseCapture() const { return g_captureControl == this; }

void TControl::SetMouseCapture(bool value)
{
    if (value) {
        HWND window = nullptr;
        if (auto* w = dynamic_cast<TWinControl*>(this))
            window = w->HandleIfAllocated();
        else if (parent_)
            window = parent_->HandleIfAllocated();
        g_captureControl = this;
        if (window) SetCapture(window);
    } else if (g_captureControl == this) {
        g_captureControl = nullptr;
        ReleaseCapture();
    }
}

TControl* GetCaptureControl() { return g_captureControl; }

void detail::ForgetCaptureControl() { g_captureControl = nullptr; }

// ---------------------------------------------------------------------------
// TControlCanvas

FW_IMPLEMENT_CLASS(TControlCanvas) {}

TControlCanvas::TControlCanvas(TControl* control) : control_(control) {}

TControlCanvas::~TControlCanvas() { SetHandle(nullptr); }

void TControlCanvas::CreateHandle()
{
    HWND window = nullptr;
    POINT origin{0, 0};
    RECT clip{};
    bool graphic = false;
    if (auto* w = dynamic_cast<TWinControl*>(control_)) {
        window = w->Handle();
    } else if (control_->Parent()) {
        window = control_->Parent()->Handle();
        origin = {control_->Left(), control_->Top()};
        clip = {0, 0, control_->Width(), control_->Height()};
        graphic = true;
    }
    if (!window) return;
    HDC dc = GetDCEx(window, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
    if (!dc) return;
    if (graphic) {
        SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
        IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
    }
    dcWindow_ = window;
    CanvasList().push_back(this);
    SetHandle(dc);
}

void TControlCanvas::ReleaseHandle(HDC dc)
{
    if (!dcWindow_) return;  // a borrowed DC: not ours to release
    auto& list = CanvasList();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    SetViewportOrgEx(dc, 0, 0, nullptr);
    SelectClipRgn(dc, nullptr);
    ReleaseDC(dcWindow_, dc);
    dcWindow_ = nullptr;
}

void TControlCanvas::FreeHandle()
{
    if (dcWindow_ && LockCount() == 0) SetHandle(nullptr);
}

void FreeDeviceContexts(HWND window)
{
    const std::vector<TControlCanvas*> list = CanvasList();
    for (TControlCanvas* c : list) {
        if (window) {
            // The canvas of a windowless control draws on its parent's window.
            TControl* ctl = c->Control();
            auto* w = dynamic_cast<TWinControl*>(ctl);
            if (!w) w = ctl->Parent();
            if (!w || w->HandleIfAllocated() != window) continue;
        }
        c->FreeHandle();
    }
}

// ---------------------------------------------------------------------------
// TGraphicControl

FW_IMPLEMENT_CLASS(TGraphicControl) {}

TGraphicControl::TGraphicControl(TComponent* owner)
    : TControl(owner), canvas_(std::make_unique<TControlCanvas>(this))
{}

void TGraphicControl::WndProc(TMessage& m)
{
    if (m.Msg == WM_PAINT) {
        if (m.WParam) {
            canvas_->PaintOn(reinterpret_cast<HDC>(m.WParam), [this] { Paint(); });
        }
        return;
    }
    inherited::WndProc(m);
}

}  // namespace fw
