#include "skin/controls/skincombo.h"

#include <algorithm>

#include "framework/guards.h"
#include "skin/controls/skinpaint.h"
#include "skin/controls/skinscroll.h"
#include "skin/data/skincolours.h"
#include "skin/draw/skindraw.h"
#include "skin/engine/skinapi.h"
#include "skin/engine/skinunit.h"

namespace skin {

FW_IMPLEMENT_CLASS(TSkinComBox) {}
FW_IMPLEMENT_CLASS(TComboxScrollBar) {}
FW_IMPLEMENT_CLASS(TArrowButton) {}
FW_IMPLEMENT_CLASS(TSkinDateTime) {}

namespace {

constexpr UINT LBCB_SCROLLED = 0x1AE;  // the drop-down list scrolled itself

int RectWidth(const RECT& r) { return r.right - r.left; }
int RectHeight(const RECT& r) { return r.bottom - r.top; }

bool Usable(const TDataSkinObject* o) { return o && !o->Image->Empty(); }

void FrameIn(HDC dc, const RECT& r, fw::TColor colour)
{
    HBRUSH brush = CreateSolidBrush(fw::ColorToRGB(colour));
    FrameRect(dc, &r, brush);
    DeleteObject(brush);
}

// A control with a border (its client area narrower and lower than r):
// a shadow line on r and a white one inside it.
void DrawFlatFrame(const TSkinControl* skinner, HDC dc, const RECT& r)
{
    RECT c;
    GetClientRect(skinner->Handle, &c);
    if (c.right >= RectWidth(r) || c.bottom >= RectHeight(r)) return;
    FrameIn(dc, r, skinner->SkinColour(TColourSlot::ButtonShadow));
    RECT inner = r;
    InflateRect(&inner, -1, -1);
    FrameIn(dc, inner, fw::clWhite);
}

}  // namespace

int ComboFrame(uint8_t mouseState, bool focused, bool enabled)
{
    if (!enabled) return 3;
    if (mouseState & msPressed) return 2;
    if (focused || (mouseState & msHot)) return 4;
    return 1;
}

int ThumbDragPosition(int d, const SCROLLINFO& si, int track, int size)
{
    const int free = track - size;
    if (si.nPage == 0) {
        if (free <= 0) return si.nMin;
        d = std::clamp(d, 0, free);
        return std::clamp(si.nMin + MulDiv(d, si.nMax - si.nMin, free), si.nMin, si.nMax);
    }
    const int last = std::max(si.nMin, si.nMax - static_cast<int>(si.nPage) + 1);
    if (free <= 0) return si.nMin;
    d = std::clamp(d, 0, free);
    return std::clamp(si.nMin + MulDiv(d, last - si.nMin, free), si.nMin, last);
}

// ---------------------------------------------------------------------------
// The combo box

TSkinComBox::TSkinComBox(fw::TComponent* owner) : TSkinControl(owner) {}

TSkinComBox::~TSkinComBox() = default;

bool TSkinComBox::ReadComboInfo(COMBOBOXINFO& info) const
{
    const auto getInfo = OptionalUser32().GetComboBoxInfo;
    if (!getInfo || !Handle) return false;
    info = COMBOBOXINFO{};
    info.cbSize = sizeof info;
    return getInfo(Handle, &info) != 0;
}

void TSkinComBox::InitControl(TSkinControlList* form, TSkinData* skinData, bool replaceColor,
                              fw::TCanvas* workCanvas)
{
    if (Attached) return;
    TSkinControl::InitControl(form, skinData, replaceColor, workCanvas);
    Style = static_cast<DWORD>(GetWindowLongAuto(Handle, GWL_STYLE));
    if ((Style & 3) != CBS_SIMPLE) {
        AttachDropDownList();
        HookEditChild();
        return;
    }
    COMBOBOXINFO info;
    if (!ReadComboInfo(info)) return;
    ListHandle = info.hwndList;
    if (ListHandle && !IsPopupOrDesktopChild(ListHandle) &&
        (GetWindowLongPtrA(ListHandle, GWL_STYLE) & WS_CHILD)) {
        SimpleListSkinner = new TSkinScrollbarH(this);
        SimpleListSkinner->FreeNotification(this);
        SimpleListSkinner->InitHandle(ListHandle, SkinData, Form, nullptr);
    }
}

void TSkinComBox::InitHandle(HWND handle, TSkinData* skinData, TSkinControlList* form,
                             fw::TCanvas* workCanvas)
{
    if (Attached) return;
    TSkinControl::InitHandle(handle, skinData, form, workCanvas);
    Style = static_cast<DWORD>(GetWindowLongAuto(Handle, GWL_STYLE));
    if ((Style & 3) != CBS_SIMPLE) HookEditChild();
}

void TSkinComBox::AttachDropDownList()
{
    const DWORD kind = Style & 3;
    if (kind != CBS_DROPDOWN && kind != CBS_DROPDOWNLIST) return;
    COMBOBOXINFO info;
    if (!ReadComboInfo(info) || !info.hwndList) return;
    ListHandle = info.hwndList;
    DropListSkinner = new TComboxScrollBar(this);
    DropListSkinner->FreeNotification(this);
    DropListSkinner->InitHandle(ListHandle, SkinData, Form, nullptr);
}

void TSkinComBox::HookEditChild()
{
    // A Unicode combo box of another control library keeps its edit as it
    // is; the framework's own combo boxes are Unicode and get the hook (the
    // subclass calls the edit in its own kind).
    if (IsWindowUnicode(Handle) && !fw::FindControl(Handle)) return;
    EditChild = GetTopWindow(Handle);
    if (!EditChild) return;
    editHook_ = std::make_unique<fw::TSubclass>(fw::TWndMethod(this, &TSkinComBox::EditChildProc));
    if (!editHook_->Hook(EditChild)) {
        editHook_.reset();
        EditChild = nullptr;
    }
}

void TSkinComBox::UnhookEditChild()
{
    editHook_.reset();
    EditChild = nullptr;
}

bool TSkinComBox::HasFocus() const
{
    // A combo box that can be typed in keeps the focus in its edit, hooked
    // or not (an extended combo box's edit sits inside the combo box).
    HWND focus = GetFocus();
    return focus && (focus == Handle || IsChild(Handle, focus));
}

// A press on the combo box or its edit shows on the button at once.
void TSkinComBox::ShowPress(bool pressed)
{
    if (pressed)
        MouseState |= msPressed;
    else
        MouseState &= static_cast<uint8_t>(~msPressed);
    RepaintControl();
}

void TSkinComBox::EditChildProc(fw::TMessage& m)
{
    const TBusyScope busy(this);
    // The edit's own procedure runs the application's handlers (a click
    // moves the focus), which may take the skin off.
    fw::TSubclass* hook = editHook_.get();
    if (!Alive().Survives([&] { hook->CallDefault(m); })) return;
    switch (m.Msg) {
    case WM_PAINT: PaintToDC(nullptr); break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP: ShowPress(m.Msg != WM_LBUTTONUP); break;
    default: break;
    }
}

void TSkinComBox::UnSkin()
{
    TSkinControl::UnSkin();
    UnhookEditChild();
    if (SimpleListSkinner) {
        SimpleListSkinner->UnSkin();
        fw::FreeAndNil(SimpleListSkinner);
    }
    if (DropListSkinner) {
        DropListSkinner->UnSkin();
        fw::FreeAndNil(DropListSkinner);
    }
}

void TSkinComBox::LetGo()
{
    // The edit gets its own procedure back; the binding stays for the
    // message running in it. The list's skinners let go of the list.
    if (editHook_) editHook_->Unhook();
    fw::FreeAndNil(SimpleListSkinner);
    fw::FreeAndNil(DropListSkinner);
    TSkinControl::LetGo();
}

void TSkinComBox::Destroy()
{
    UnhookEditChild();
    fw::FreeAndNil(SimpleListSkinner);
    fw::FreeAndNil(DropListSkinner);
    TSkinControl::Destroy();
}

void TSkinComBox::Notification(fw::TComponent* component, fw::TOperation operation)
{
    TSkinControl::Notification(component, operation);
    // The form skinner frees a list skinner whose window is gone.
    if (operation != fw::opRemove) return;
    if (component == SimpleListSkinner) SimpleListSkinner = nullptr;
    if (component == DropListSkinner) DropListSkinner = nullptr;
}

void TSkinComBox::AfterProc(fw::TMessage& m)
{
    switch (m.Msg) {
    // The combo box's own focus changes paint nothing here: one without an
    // edit paints its text anew for them (and WM_PAINT the frame after it),
    // and one with an edit hands the focus on to it at once.
    case WM_SETFOCUS:
    case WM_KILLFOCUS: break;
    // The focus entering or leaving the edit, hooked or not (an edit tells
    // its parent): the frame and button are painted again for the focus
    // where it is now, the text left alone.
    case WM_COMMAND:
        if ((HIWORD(m.WParam) == EN_SETFOCUS || HIWORD(m.WParam) == EN_KILLFOCUS) &&
            IsChild(Handle, reinterpret_cast<HWND>(m.LParam)))
            PaintToDC(nullptr);
        break;
    case WM_MOUSEMOVE: {
        const POINT p{static_cast<int16_t>(LOWORD(m.LParam)),
                      static_cast<int16_t>(HIWORD(m.LParam))};
        const bool inButton = PtInRect(&ButtonRect, p) != 0;
        if ((MouseState & msHot) && !inButton && WindowEnabled) {
            MouseState &= static_cast<uint8_t>(~msHot);
            RepaintControl();
        } else if (!(MouseState & msHot) && inButton && WindowEnabled) {
            MouseState |= msHot;
            RepaintControl();
        }
        break;
    }
    case WM_DRAWITEM:
    case WM_NCPAINT: RepaintControl(); break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP: ShowPress(m.Msg != WM_LBUTTONUP); break;
    case fw::CM_MOUSELEAVE:
        if (MouseState & msHot) {
            MouseState &= static_cast<uint8_t>(~msHot);
            RepaintControl();
        }
        break;
    case fw::CN_COMMAND: break;
    default: TSkinControl::AfterProc(m); break;
    }
}

void TSkinComBox::DrawControl(HDC dc, const RECT& r)
{
    const TSkinContent& skin = WithComboParts(SkinData->Skin());
    TDataSkinBorder* button = skin.ComboButton.get();
    if (!Usable(button)) return;
    Style = static_cast<DWORD>(GetWindowLongAuto(Handle, GWL_STYLE));
    ExStyle = static_cast<DWORD>(GetWindowLongAuto(Handle, GWL_EXSTYLE));
    COMBOBOXINFO info;
    if (ReadComboInfo(info)) {
        ButtonRect = info.rcButton;
        if (info.stateButton & STATE_SYSTEM_INVISIBLE) return;
    }
    if (button->Style == 1) {
        DrawComboStyle1(dc, r);
        return;
    }
    WindowEnabled = !(Style & WS_DISABLED);
    const int g = ComboFrame(MouseState, HasFocus(), WindowEnabled);
    const int f = GetSystemMetrics(SM_CXHSCROLL);
    if (ExtendedCombo) {
        DrawSunkFrame(dc, r);
        DrawExButton(dc, g);
        return;
    }
    const bool leftButton = (ExStyle & WS_EX_LEFTSCROLLBAR) != 0;
    if (button->Style == 2) {
        TDataSkinObject* whole = button;
        if (leftButton && skin.SunkEdge) whole = skin.SunkEdge.get();
        DrawSkinImage(dc, r, whole->Image.get(), false, false, true, whole->Frame, g,
                      whole->Margins());
        return;
    }
    // The text area is left to the combo box; the caller's clipping comes
    // back afterwards.
    fw::TSavedDC saved(dc);
    RECT b, a;
    if (!leftButton) {
        ExcludeClipRect(dc, r.left + 2, r.top + 2, r.right - f - 4, r.bottom - 2);
        b = {r.right - f - 2, r.top, r.right, r.bottom};
        a = b;
        a.right = r.right - 2;
    } else {
        ExcludeClipRect(dc, r.left + f + 4, r.top + 2, r.right - 2, r.bottom - 2);
        b = {r.left, r.top, r.left + f + 2, r.bottom};
        a = b;
        a.left = 2;
        a.right = f + 2;
    }
    // A skin without SunkEdge still gets its button and glyph.
    if (TDataSkinObject* sunk = skin.SunkEdge.get(); Usable(sunk))
        DrawButtonImage(dc, r, sunk->Frame, g, sunk);
    fw::TBitmap* image =
        leftButton && !button->Image2->Empty() ? button->Image2.get() : button->Image.get();
    DrawStripFrame(dc, b, button->Frame, g, image);
    ButtonRect = b;
    if (TDataSkinObject* extra = skin.ExtraImages.get(); Usable(extra)) {
        const int n = std::max(extra->Frame, 1);
        const int gw = extra->Image->Width() / n, gh = extra->Image->Height();
        const int x = a.left + (RectWidth(a) - gw) / 2, y = a.top + (RectHeight(a) - gh) / 2;
        DrawStripFrame(dc, RECT{x, y, x + gw, y + gh}, n, g, extra->Image.get());
    }
}

void TSkinComBox::DrawComboStyle1(HDC dc, const RECT& r)
{
    TDataSkinBorder* button = WithComboParts(SkinData->Skin()).ComboButton.get();
    WindowEnabled = !(Style & WS_DISABLED);
    int frame = 1;
    if (MouseState & msPressed)
        frame = 2;
    else if (HasFocus() || (MouseState & msHot))
        frame = 4;
    else if (!WindowEnabled)
        frame = 3;
    const int n = std::max(button->Frame, 1);
    const int w = button->Image->Width() / n, h = button->Image->Height();
    const int t = GetSystemMetrics(SM_CYVTHUMB);
    const bool rtl = (ExStyle & WS_EX_LEFTSCROLLBAR) != 0;
    // The DC's own brush (the combo's background) frames and fills.
    HBRUSH brush = static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH));
    RECT s = r;
    InflateRect(&s, -1, -1);
    FrameRect(dc, &s, brush);
    InflateRect(&s, -1, -1);
    RECT strip = s;
    if (rtl)
        strip.right = s.left + t;
    else
        strip.left = s.right - t;
    FillRect(dc, &strip, brush);
    RECT b = s;
    if (rtl)
        b.right = b.left + w;
    else
        b.left = b.right - w;
    if (h < t) b.bottom = b.top + h;
    FrameIn(dc, r, SkinColour(TColourSlot::ButtonShadow));
    DrawStripFrame(dc, b, n, frame, button->Image.get());
    ButtonRect = b;
}

void TSkinComBox::DrawSunkFrame(HDC dc, const RECT& r) { DrawFlatFrame(this, dc, r); }

void TSkinComBox::DrawExButton(HDC dc, int frame)
{
    TDataSkinObject* arrow = WithComboParts(SkinData->Skin()).ComboxArrow.get();
    if (!EditChild || !Usable(arrow)) return;
    RECT e, w;
    GetWindowRect(EditChild, &e);
    GetWindowRect(Handle, &w);
    OffsetRect(&e, -w.left, -w.top);
    FillSkinFace(dc, e);
    DrawStripFrame(dc, e, arrow->Frame, frame, arrow->Image.get());
}

// ---------------------------------------------------------------------------
// The drop-down list's scroll bar

TComboxScrollBar::TComboxScrollBar(fw::TComponent* owner) : TSkinControl(owner)
{
    ArrowSize = GetSystemMetrics(SM_CXHSCROLL);
}

bool TComboxScrollBar::BeforeProc(fw::TMessage& m)
{
    switch (m.Msg) {
    case WM_NCPAINT: return true;
    case WM_NCMOUSEMOVE:
        // The native bar never shows its own hover.
        return m.WParam != HTHSCROLL && m.WParam != HTVSCROLL;
    case WM_NCLBUTTONDOWN: return !TrackThumbLoop(m);
    default: return TSkinControl::BeforeProc(m);
    }
}

void TComboxScrollBar::AfterProc(fw::TMessage& m)
{
    switch (m.Msg) {
    case WM_NCPAINT:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case LBCB_SCROLLED: PaintToDC(nullptr); break;
    default: TSkinControl::AfterProc(m); break;
    }
}

void TComboxScrollBar::DrawControl(HDC dc, const RECT& w)
{
    const TSkinContent& skin = SkinData->Skin();
    if (!Usable(skin.Scrollbar.get())) return;
    SCROLLBARINFO info{};
    if (!GetScrollBarInfoSafe(Handle, OBJID_VSCROLL, info)) return;
    if (info.rgstate[0] & STATE_SYSTEM_INVISIBLE) return;
    const RECT bar = info.rcScrollBar;
    const int bw = RectWidth(bar), bh = RectHeight(bar);
    if (bw <= 0 || bh <= 0 || bw > RectWidth(w) || bh > RectHeight(w)) return;
    const int t = ScrollBarThickness(skin, ArrowSize);
    TBarLook look;
    look.Vertical = true;
    look.Enabled = !(info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE);
    look.ArrowSize = ArrowSize;
    look.ThumbStart = info.xyThumbTop;
    look.ThumbEnd = info.xyThumbBottom;
    auto bitmap = ComposeScrollBar(skin, t, bh, t, look);
    if (bitmap->Empty()) return;
    BitBlt(dc, bar.left - WindowRect.left, bar.top - WindowRect.top, t, bh,
           bitmap->Canvas()->Handle(), 0, 0, SRCCOPY);
}

bool TComboxScrollBar::TrackThumbLoop(const fw::TMessage& message)
{
    if (message.WParam != HTVSCROLL) return false;
    const int py = static_cast<int16_t>(HIWORD(message.LParam));
    SCROLLBARINFO bar{};
    if (!GetScrollBarInfoSafe(Handle, OBJID_VSCROLL, bar)) return false;
    const int pos = py - bar.rcScrollBar.top;
    if (pos < bar.xyThumbTop || pos > bar.xyThumbBottom) return false;

    HWND list = Handle;
    SetCapture(list);
    // Positions come from the messages themselves: where the mouse was
    // when it moved, whatever the cursor did since.
    const POINT start{static_cast<int16_t>(LOWORD(message.LParam)), py};
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
    GetScrollInfo(list, SB_VERT, &si);
    const int offset = bar.xyThumbTop - ArrowSize;
    const int track = RectHeight(bar.rcScrollBar) - 2 * ArrowSize;
    const int size = bar.xyThumbBottom - bar.xyThumbTop;
    int last = si.nPos;
    bool quit = false;
    WPARAM quitCode = 0;
    auto finish = [&] {
        SendMessageW(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, last), 0);
        PostMessageW(list, WM_VSCROLL, SB_ENDSCROLL, 0);
    };
    for (;;) {
        // Whoever takes the capture (or cancels the mode) ends the drag.
        if (GetCapture() != list || !IsWindow(list)) {
            if (IsWindow(list)) finish();
            break;
        }
        MSG msg;
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
            continue;
        }
        if (msg.message == WM_QUIT) {
            quit = true;
            quitCode = msg.wParam;
            finish();
            break;
        }
        if (msg.message == WM_LBUTTONUP || msg.message == WM_NCLBUTTONUP) {
            finish();
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
            POINT cursor{static_cast<int16_t>(LOWORD(msg.lParam)),
                         static_cast<int16_t>(HIWORD(msg.lParam))};
            if (msg.message == WM_MOUSEMOVE) ClientToScreen(msg.hwnd, &cursor);
            const int position = ThumbDragPosition(offset + (cursor.y - start.y), si, track, size);
            if (position != last)
                SendMessageW(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, position), 0);
            last = position;
        }
    }
    if (GetCapture() == list) ReleaseCapture();
    // The loop took the quit meant for the program's own loop.
    if (quit) PostQuitMessage(static_cast<int>(quitCode));
    return true;
}

// ---------------------------------------------------------------------------
// The date-time picker

TArrowButton::TArrowButton(fw::TComponent* owner) : fw::TCustomControl(owner)
{
    SetTabStop(false);
    ArrowWidth = GetSystemMetrics(SM_CXHSCROLL);
}

bool TArrowButton::RightToLeft() const
{
    return (GetWindowLongPtrW(PickerHandle, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
}

void TArrowButton::AttachToPicker(TSkinDateTime* skinner, fw::TWinControl* picker)
{
    Skinner = skinner;
    Picker = picker;
    PickerHandle = picker->Handle();
    SetParentWindow(PickerHandle);
    RECT w;
    GetWindowRect(PickerHandle, &w);
    const int left = RightToLeft() ? 2 : RectWidth(w) - ArrowWidth - 4;
    SetBounds(left, 0, ArrowWidth, picker->Height() - 4);
    SetWindowLongPtrW(PickerHandle, GWL_STYLE,
                      GetWindowLongPtrW(PickerHandle, GWL_STYLE) | WS_CLIPCHILDREN);
    HandleNeeded();
    ShowWindow(Handle(), SW_SHOWNA);
}

void TArrowButton::PlaceArrow(const RECT& r)
{
    SetLeft(RightToLeft() ? 2 : r.right - ArrowWidth - 4);
}

void TArrowButton::WndProc(fw::TMessage& m)
{
    const TBusyScope busy(this);
    switch (m.Msg) {
    case fw::CM_MOUSEENTER:
    case fw::CM_MOUSELEAVE:
        fw::TCustomControl::WndProc(m);
        if (IsWindowEnabled(PickerHandle)) {
            Hot = m.Msg == fw::CM_MOUSEENTER;
            Invalidate();
        }
        return;
    case WM_LBUTTONDOWN: {
        fw::TCustomControl::WndProc(m);
        // The press lands on the picker's own drop button underneath.
        const int x = static_cast<int16_t>(LOWORD(m.LParam)) + Left();
        const int y = static_cast<int16_t>(HIWORD(m.LParam)) + Top();
        PostMessageW(PickerHandle, WM_LBUTTONDOWN, m.WParam, MAKELPARAM(x, y));
        PostMessageW(PickerHandle, WM_LBUTTONUP, m.WParam, MAKELPARAM(x, y));
        Invalidate();
        return;
    }
    case WM_LBUTTONUP:
        fw::TCustomControl::WndProc(m);
        ::SetFocus(PickerHandle);
        return;
    default: fw::TCustomControl::WndProc(m); return;
    }
}

void TArrowButton::LetGo()
{
    if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
    inherited::LetGo();
}

void TArrowButton::Paint()
{
    if (!Skinner || !Skinner->SkinData || !Picker) return;
    const TSkinContent& skin = WithComboParts(Skinner->SkinData->Skin());
    TDataSkinObject* arrow = skin.ComboxArrow.get();
    if (!Usable(arrow)) return;
    const int n = std::max(arrow->Frame, 1);
    const int w = arrow->Image->Width() / n, h = arrow->Image->Height();
    const int frame = std::min(Hot ? 4 : 1, n);
    const RECT r{0, 0, Width(), Picker->Height() - 4};
    HDC dc = Canvas()->Handle();
    TSkinControl::FillSolidRect(dc, r, skin.Colour(TColourSlot::ButtonFace));
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, 0, 0, RectWidth(r), RectHeight(r), arrow->Image->Canvas()->Handle(),
               (frame - 1) * w, 0, w, h, SRCCOPY);
}

void TSkinDateTime::InitControl(TSkinControlList* form, TSkinData* skinData, bool replaceColor,
                                fw::TCanvas* workCanvas)
{
    if (Attached) return;
    TSkinControl::InitControl(form, skinData, replaceColor, workCanvas);
    auto* picker = dynamic_cast<fw::TWinControl*>(Control);
    if (!picker) return;
    Arrow = new TArrowButton(this);
    Arrow->AttachToPicker(this, picker);
}

void TSkinDateTime::LetGo()
{
    // The picker's own drop button shows again.
    fw::FreeAndNil(Arrow);
    TSkinControl::LetGo();
}

void TSkinDateTime::AfterProc(fw::TMessage& m)
{
    if (m.Msg == WM_SIZE && Arrow) {
        Arrow->Invalidate();
        return;
    }
    TSkinControl::AfterProc(m);
}

void TSkinDateTime::DrawControl(HDC dc, const RECT& r)
{
    if (Arrow) Arrow->PlaceArrow(r);
    DrawFlatFrame(this, dc, r);
}

}  // namespace skin
