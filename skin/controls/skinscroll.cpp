#include "skin/controls/skinscroll.h"

#include <algorithm>

#include "skin/controls/skinpaint.h"
#include "skin/draw/skindraw.h"
#include "skin/engine/skinapi.h"
#include "skin/engine/skinmessages.h"

namespace skin {

FW_IMPLEMENT_CLASS(TWScrollbar) {}
FW_IMPLEMENT_CLASS(TSkinScrollbar) {}
FW_IMPLEMENT_CLASS(TSkinScrollbarH) {}
FW_IMPLEMENT_CLASS(TSkinScControl) {}

namespace {

constexpr int kScrollbarFrames = 23;

int RectWidth(const RECT& r) { return r.right - r.left; }
int RectHeight(const RECT& r) { return r.bottom - r.top; }

// Whether the window is a bar window laid over a bar of host.
bool IsBarWindowOf(HWND window, HWND host)
{
    const auto* bar = dynamic_cast<const TWScrollbar*>(fw::FindControl(window));
    return bar && bar->HostHandle == host;
}

void DrawObject(HDC dc, const RECT& r, TDataSkinObject* obj, int frame, bool tile)
{
    if (!obj) return;
    DrawSkinImage(dc, r, obj->Image.get(), false, tile, obj->Trans != 0, obj->Frame, frame,
                  obj->Margins());
}

}  // namespace

int HitTestPart(int p, int arrowSize, int thumbStart, int thumbEnd, int barLength)
{
    if (p < arrowSize) return kPartFirstArrow;
    if (p < thumbStart) return kPartPageUp;
    if (p < thumbEnd) return kPartThumb;
    if (p < barLength - arrowSize) return kPartPageDown;
    return kPartLastArrow;
}

void CalcThumbFromScrollInfo(const SCROLLINFO& si, int barLength, int a, int& start, int& end)
{
    int range = si.nMax - si.nMin;
    if (range == 0) range = 9999999;
    const int offset = si.nPos - si.nMin;
    int size = 0;
    if (si.nPage != 0) {
        size = MulDiv(barLength - 2 * a, static_cast<int>(si.nPage) - 1, range);
        if (size < 8) {
            size = 8;
            start = offset == 0 ? a : a + MulDiv(barLength - 2 * a - 8, offset, range);
        } else {
            start = offset == 0 ? a : a + MulDiv(barLength - 2 * a, offset, range);
        }
    } else {
        size = a;
        start = offset == 0 ? a : a + MulDiv(barLength - 3 * a, offset, range);
    }
    end = start + size;
}

int FollowThumbDrag(int pressThumbStart, int delta, int arrowSize, int barLength, int size)
{
    int start = pressThumbStart + delta;
    if (start < arrowSize) start = arrowSize;
    if (start > barLength - arrowSize - size) start = barLength - arrowSize - size;
    return start;
}

int ScrollBarThickness(const TSkinContent& skin, int arrowSize)
{
    const int t = skin.Scrollbar ? skin.Scrollbar->Image->Height() : arrowSize;
    return std::abs(t - arrowSize) > 2 ? arrowSize : t;
}

std::unique_ptr<fw::TBitmap> ComposeScrollBar(const TSkinContent& skin, int w, int h, int thickness,
                                              const TBarLook& look)
{
    auto bitmap = std::make_unique<fw::TBitmap>();
    if (!skin.Scrollbar || skin.Scrollbar->Image->Empty() || w <= 0 || h <= 0) return bitmap;
    bitmap->SetPixelFormat(fw::pf24bit);
    bitmap->SetSize(w, h);
    HDC dc = bitmap->Canvas()->Handle();
    SetStretchBltMode(dc, COLORONCOLOR);
    const RECT all{0, 0, w, h};
    TSkinControl::FillSolidRect(dc, all, skin.Colour(TColourSlot::ButtonFace));

    const bool v = look.Vertical;
    const int t = thickness;
    const int length = v ? h : w;
    RECT r = all;
    if (v)
        r.right = std::min<LONG>(r.right, t);
    else
        r.bottom = std::min<LONG>(r.bottom, t);
    const int a0 = look.ArrowSize;

    RECT track = r;
    if (v) {
        track.top += a0;
        track.bottom -= a0;
    } else {
        track.left += a0;
        track.right -= a0;
    }
    TDataSkinObject* trackObj = v ? skin.VertScroll.get() : skin.HorzScroll.get();
    DrawObject(dc, track, trackObj, look.Enabled ? 1 : 3, trackObj && trackObj->Tile);

    int a = a0;
    if (2 * a > length) a = length / 2;
    int first = v ? 9 : 1, last = v ? 13 : 5;
    const int raise = look.Pressed ? 1 : 3;
    if (look.HotPart == kPartFirstArrow) first += raise;
    if (look.HotPart == kPartLastArrow) last += raise;
    fw::TBitmap* strip = skin.Scrollbar->Image.get();
    const RECT firstRect = v ? RECT{0, 0, r.right, a} : RECT{0, 0, a, r.bottom};
    const RECT lastRect = v ? RECT{0, h - a, r.right, h} : RECT{w - a, 0, w, r.bottom};
    DrawStripFrame(dc, firstRect, kScrollbarFrames, first, strip);
    DrawStripFrame(dc, lastRect, kScrollbarFrames, last, strip);

    if (!look.Enabled) return bitmap;
    const int s = look.ThumbStart, e = look.ThumbEnd;
    if (s >= length || e >= length) return bitmap;
    int thumbFrame = 1;
    if (look.HotPart == kPartThumb) thumbFrame = look.Pressed ? 2 : 3;
    const RECT thumb = v ? RECT{0, s, t, e} : RECT{s, 0, e, t};
    DrawObject(dc, thumb, v ? skin.VertScrollThumb.get() : skin.HorzScrollThumb.get(), thumbFrame,
               false);
    int grip = v ? 20 : 17;
    if (look.HotPart == kPartThumb) grip += look.Pressed ? 1 : 2;
    const int g = strip->Height();
    if (g < e - s + 2) {
        const int off = (e - s - g) / 2;
        const RECT gripRect =
            v ? RECT{0, s + off, t, s + off + g} : RECT{s + off, 0, s + off + g, t};
        if (s + off < length && s + off + g < length)
            DrawStripFrame(dc, gripRect, kScrollbarFrames, grip, strip);
    }
    return bitmap;
}

// ---------------------------------------------------------------------------
// The scroll-bar window

TWScrollbar::TWScrollbar(fw::TComponent* owner) : fw::TCustomPanel(owner)
{
    SetTabStop(false);
    SetBevelOuter(fw::bvNone);
    ArrowSize = GetSystemMetrics(SM_CXHSCROLL);
}

void TWScrollbar::CreateParams(fw::TCreateParams& params)
{
    fw::TCustomPanel::CreateParams(params);
    params.ExStyle = WS_EX_TOOLWINDOW;
}

void TWScrollbar::AttachToControl(TSkinControl* skinner, fw::TWinControl* control, int kind)
{
    OwnerSkinner = skinner;
    HostControl = control;
    HostHandle = control->Handle();
    BarKind = kind;
    Vertical = kind == 1;
    SetColor(skinner->ParentOrSkinColor(skinner->SkinColour(TColourSlot::ButtonFace)));
    if (kind == 2) Vertical = GetPropTextLower(control, "Kind") != "sbhorizontal";
    SetParentWindow(GetParent(HostHandle));
    PlaceOverScrollBar(HostHandle);
}

void TWScrollbar::AttachToWindow(TSkinControl* skinner, HWND window, int kind)
{
    OwnerSkinner = skinner;
    HostHandle = window;
    BarKind = kind;
    Vertical = kind == 1;
    SetParentWindow(GetParent(window));
    PlaceOverScrollBar(window);
}

bool TWScrollbar::ReadBarInfo(SCROLLBARINFO& info)
{
    info = SCROLLBARINFO{};
    info.cbSize = sizeof info;
    if (BarKind == 1) return GetScrollBarInfoSafe(HostHandle, OBJID_VSCROLL, info);
    if (BarKind == 0) return GetScrollBarInfoSafe(HostHandle, OBJID_HSCROLL, info);
    if (!HostControl) return false;
    info.rcScrollBar = HostControl->BoundsRect();
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
    GetScrollInfo(HostHandle, SB_CTL, &si);
    BarLength = Vertical ? RectHeight(info.rcScrollBar) : RectWidth(info.rcScrollBar);
    int start = 0, end = 0;
    CalcThumbFromScrollInfo(si, BarLength, ArrowSize, start, end);
    info.xyThumbTop = start;
    info.xyThumbBottom = end;
    return true;
}

void TWScrollbar::HideBar()
{
    if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
    Shown = false;
    SetVisible(false);
}

void TWScrollbar::PlaceOverScrollBar(HWND host)
{
    HostHandle = host;
    const HWND parent = GetParent(host);
    SCROLLBARINFO info;
    Shown = ReadBarInfo(info);
    if (!Shown) return;
    if (!(GetWindowLongPtrA(host, GWL_STYLE) & WS_VISIBLE) ||
        (info.rgstate[0] & STATE_SYSTEM_INVISIBLE)) {
        HideBar();
        return;
    }
    const RECT bar = info.rcScrollBar;
    POINT tl{bar.left, bar.top}, br{bar.right, bar.bottom};
    if (BarKind != 2) {
        ::ScreenToClient(host, &tl);
        ::ScreenToClient(host, &br);
    }
    BarRectInHost = {tl.x, tl.y, br.x, br.y};
    BarLength = Vertical ? RectHeight(bar) : RectWidth(bar);
    BarOrigin = {bar.left, bar.top};
    POINT position = BarOrigin;
    if (BarKind != 2) ::ScreenToClient(parent, &position);
    const HWND after = GetWindow(host, GW_HWNDPREV);
    SetVisible(true);
    HWND self = Handle();
    ShowWindow(self, SW_SHOWNOACTIVATE);
    Shown = true;
    // The host's bar windows lie just above it. One that lies there already
    // keeps its place: put again right above the host, each of the two
    // would go under the other at every placement, and each such change
    // repaints the host's frame, which places them again.
    bool inPlace = false;
    for (HWND w = after; w && !inPlace && IsBarWindowOf(w, host); w = GetWindow(w, GW_HWNDPREV))
        inPlace = w == self;
    SetWindowPos(self, after ? after : HWND_TOP, position.x, position.y, RectWidth(bar),
                 RectHeight(bar), SWP_NOACTIVATE | (inPlace ? SWP_NOZORDER : 0));
    MoveWindow(self, position.x, position.y, RectWidth(bar), RectHeight(bar), TRUE);
}

int TWScrollbar::HitTestPart(POINT p) const
{
    return skin::HitTestPart(Vertical ? p.y : p.x, ArrowSize, ThumbStart, ThumbEnd, BarLength);
}

void TWScrollbar::WndProc(fw::TMessage& m)
{
    const TBusyScope busy(this);
    switch (m.Msg) {
    case WM_ERASEBKGND:
        m.Result = 1;  // the paint covers the whole window
        return;
    case WM_MOUSEMOVE: {
        fw::TCustomPanel::WndProc(m);
        const POINT p{LOWORD(m.LParam), HIWORD(m.LParam)};
        const int part = HitTestPart(p);
        if (part != HotPart) {
            HotPart = part;
            Invalidate();
        }
        TrackMouseLeave(Handle());
        return;
    }
    case WM_MOUSELEAVE:
        fw::TCustomPanel::WndProc(m);
        if (!Pressed) {
            HotPart = kPartNone;
            Invalidate();
        }
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        fw::TCustomPanel::WndProc(m);
        Press(m);
        return;
    case WM_LBUTTONUP:
        fw::TCustomPanel::WndProc(m);
        Release(m);
        return;
    default: fw::TCustomPanel::WndProc(m); return;
    }
}

void TWScrollbar::LetGo()
{
    alive_.End();
    HideBar();
    inherited::LetGo();
}

void TWScrollbar::Press(fw::TMessage& m)
{
    const POINT p{static_cast<int16_t>(LOWORD(m.LParam)), static_cast<int16_t>(HIWORD(m.LParam))};
    GetCursorPos(&PressPoint);
    SCROLLBARINFO info;
    if (ReadBarInfo(info)) PressThumbStart = info.xyThumbTop;
    HotPart = HitTestPart(p);
    int x = p.x, y = p.y;
    if (BarKind != 2) {
        BarOrigin = {info.rcScrollBar.left, info.rcScrollBar.top};
        x = static_cast<int16_t>(x + BarOrigin.x);
        y = static_cast<int16_t>(y + BarOrigin.y);
    }
    Pressed = true;
    Invalidate();
    ReleaseCapture();
    // The host's own procedure runs the system's scroll tracking inside
    // this call and returns when the button is released. The loop runs
    // messages: the skin may be taken off meanwhile, and this bar with it.
    const bool survived = alive_.Survives([&] {
        if (BarKind == 2)
            SendMessageW(HostHandle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        else
            SendMessageW(HostHandle, WM_NCLBUTTONDOWN, BarKind == 1 ? HTVSCROLL : HTHSCROLL,
                         MAKELPARAM(x, y));
    });
    if (!survived) return;
    Pressed = false;
    ReleaseCapture();
    if (BarKind == 2) Invalidate();
}

void TWScrollbar::Release(fw::TMessage& m)
{
    int x = static_cast<int16_t>(LOWORD(m.LParam)), y = static_cast<int16_t>(HIWORD(m.LParam));
    if (BarKind != 2) {
        x = static_cast<int16_t>(x + BarOrigin.x);
        y = static_cast<int16_t>(y + BarOrigin.y);
    }
    Pressed = false;
    ReleaseCapture();
    if (BarKind == 2) {
        PostMessageW(HostHandle, WM_LBUTTONUP, MK_LBUTTON, MAKELPARAM(x, y));
        Invalidate();
    } else {
        PostMessageW(HostHandle, WM_NCLBUTTONUP, BarKind == 1 ? HTVSCROLL : HTHSCROLL,
                     MAKELPARAM(x, y));
    }
}

void TWScrollbar::Paint()
{
    TSkinData* data = OwnerSkinner ? OwnerSkinner->SkinData : nullptr;
    if (!data) return;
    const TSkinContent& skin = data->Skin();
    if (!skin.Scrollbar || skin.Scrollbar->Image->Empty()) return;
    SCROLLBARINFO info;
    if (!ReadBarInfo(info) || (info.rgstate[0] & STATE_SYSTEM_INVISIBLE)) return;
    int w = RectWidth(info.rcScrollBar), h = RectHeight(info.rcScrollBar);
    RECT client;
    GetClientRect(Handle(), &client);
    if (w < 0 || h < 0 || client.bottom < h || client.right < w) return;
    BarLength = Vertical ? h : w;
    const int t = ScrollBarThickness(skin, ArrowSize);
    if (BarKind == 2) {
        if (Vertical)
            w = t;
        else
            h = t;
    }
    if (Pressed && HotPart == kPartThumb && BarKind != 2) {
        const int size = ThumbEnd - ThumbStart;
        POINT cursor;
        GetCursorPos(&cursor);
        const int delta = Vertical ? cursor.y - PressPoint.y : cursor.x - PressPoint.x;
        ThumbStart = FollowThumbDrag(PressThumbStart, delta, ArrowSize, BarLength, size);
        ThumbEnd = ThumbStart + size;
    } else {
        ThumbStart = info.xyThumbTop;
        ThumbEnd = info.xyThumbBottom;
    }
    TBarLook look;
    look.Vertical = Vertical;
    look.Enabled = !(info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE);
    look.ArrowSize = ArrowSize;
    look.HotPart = HotPart;
    look.Pressed = Pressed;
    look.ThumbStart = ThumbStart;
    look.ThumbEnd = ThumbEnd;
    auto bitmap = ComposeScrollBar(skin, w, h, t, look);
    if (bitmap->Empty()) return;
    HDC dc = Canvas()->Handle();
    SetStretchBltMode(dc, COLORONCOLOR);
    const int dw = BarKind == 2 ? client.right : w, dh = BarKind == 2 ? client.bottom : h;
    StretchBlt(dc, 0, 0, dw, dh, bitmap->Canvas()->Handle(), 0, 0, w, h, SRCCOPY);
}

// ---------------------------------------------------------------------------
// A framework control's bars

void TSkinScrollbar::InitControl(TSkinControlList* form, TSkinData* skinData, bool,
                                 fw::TCanvas* workCanvas)
{
    if (auto* control = dynamic_cast<fw::TWinControl*>(Owner()))
        InitScrollbar(control, skinData, form, workCanvas);
}

void TSkinScrollbar::InitScrollbar(fw::TWinControl* control, TSkinData* skinData,
                                   TSkinControlList* form, fw::TCanvas* canvas)
{
    if (Attached) return;
    RecordControl(form, skinData, canvas, control);
    attachedHandle_ = Handle;
    FlatBorder = GetPropTextLower(control, "BorderStyle") != "bsnone";
    if (control->ClassName() == "TImageScrollBox" || SingleBar) FlatBorder = false;
    if (HasIntegerProp(control, "FixedColor")) {
        SavedFixedColor = static_cast<fw::TColor>(GetOrdPropByName(control, "FixedColor"));
        FixedColorReplaced = true;
        SetPropByName(control, "FixedColor", std::to_string(SkinColour(TColourSlot::ButtonFace)));
    }
    HorzBar = new TWScrollbar(this);
    HorzBar->AttachToControl(this, control, 0);
    VertBar = new TWScrollbar(this);
    VertBar->AttachToControl(this, control, 1);
    HorzBar->SetEnabled(control->Enabled());
    VertBar->SetEnabled(control->Enabled());
    if (!control->Visible()) {
        VertBar->HideBar();
        HorzBar->HideBar();
    }
    HookControlProc();
    Attached = true;
    SkinState = kAttached;
}

void TSkinScrollbar::PlaceBars()
{
    if (HorzBar) HorzBar->PlaceOverScrollBar(Handle);
    if (VertBar) VertBar->PlaceOverScrollBar(Handle);
}

bool TSkinScrollbar::BeforeProc(fw::TMessage& m)
{
    if (m.Msg == WM_NCPAINT && FlatBorder) {
        if (!CallOldProcSurvived(m)) return false;
        if (HDC dc = GetWindowDC(Handle)) {
            DrawFlatBorder(dc);
            ReleaseDC(Handle, dc);
        }
        return false;
    }
    return TSkinControl::BeforeProc(m);
}

void TSkinScrollbar::DrawFlatBorder(HDC dc)
{
    RECT r;
    if (!GetWindowRect(Handle, &r)) return;
    OffsetRect(&r, -r.left, -r.top);
    try {
        HBRUSH shadow = CreateSolidBrush(fw::ColorToRGB(SkinColour(TColourSlot::ButtonShadow)));
        FrameRect(dc, &r, shadow);
        DeleteObject(shadow);
        InflateRect(&r, -1, -1);
        HBRUSH face = CreateSolidBrush(fw::ColorToRGB(SkinColour(TColourSlot::ButtonFace)));
        FrameRect(dc, &r, face);
        DeleteObject(face);
    } catch (...) {
        // The border is drawn again at the next non-client paint.
    }
}

void TSkinScrollbar::AfterProc(fw::TMessage& m)
{
    auto invalidate = [](TWScrollbar* bar) {
        if (bar && bar->HandleAllocated()) bar->Invalidate();
    };
    switch (m.Msg) {
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED: PlaceBars(); break;
    case WM_HSCROLL:
        if (HorzBar) HorzBar->HotPart = LOWORD(m.WParam);
        invalidate(HorzBar);
        break;
    case WM_VSCROLL:
        if (VertBar) VertBar->HotPart = LOWORD(m.WParam);
        invalidate(VertBar);
        break;
    case WM_MOUSEWHEEL:
        if (VertBar && VertBar->Shown) invalidate(VertBar);
        if (HorzBar && HorzBar->Shown) invalidate(HorzBar);
        break;
    case fw::CM_VISIBLECHANGED:
        if (m.WParam) {
            PlaceBars();
        } else {
            if (VertBar) VertBar->HideBar();
            if (HorzBar) HorzBar->HideBar();
        }
        break;
    case fw::CM_ENABLEDCHANGED:
        if (Control) {
            if (HorzBar) HorzBar->SetEnabled(Control->Enabled());
            if (VertBar) VertBar->SetEnabled(Control->Enabled());
        }
        break;
    case fw::CM_RECREATEWND:
        if (Control && Form && Form->Window)
            PostMessageW(Form->Window, WM_SKINRECREATE, reinterpret_cast<WPARAM>(attachedHandle_),
                         0);
        break;
    case WM_SKINPAINTBORDER:
        if (m.LParam != SKIN_MARKER) break;
        if (m.WParam) DrawFlatBorder(reinterpret_cast<HDC>(m.WParam));
        m.Result = SKIN_MARKER;
        break;
    default: TSkinControl::AfterProc(m); break;
    }
}

void TSkinScrollbar::DrawControl(HDC dc, const RECT&)
{
    const LONG_PTR style = GetWindowLongPtrA(Handle, GWL_STYLE);
    if (VertBar) {
        if (VertBar->Shown)
            VertBar->Invalidate();
        else if (style & WS_VSCROLL)
            VertBar->PlaceOverScrollBar(Handle);
    }
    if (HorzBar) {
        if (HorzBar->Shown)
            HorzBar->Invalidate();
        else if (style & WS_HSCROLL)
            HorzBar->PlaceOverScrollBar(Handle);
    }
    if (VertBar && HorzBar && VertBar->Shown && HorzBar->Shown) {
        const RECT corner{VertBar->BarRectInHost.left + 2, HorzBar->BarRectInHost.top + 2,
                          VertBar->BarRectInHost.right + 2, HorzBar->BarRectInHost.bottom + 2};
        FillSkinFace(dc, corner);
    }
}

void TSkinScrollbar::RefreshSkin()
{
    if (HasIntegerProp(Control, "FixedColor"))
        SetPropByName(Control, "FixedColor", std::to_string(SkinColour(TColourSlot::ButtonFace)));
    TSkinControl::RefreshSkin();
}

void TSkinScrollbar::UnSkin()
{
    if (FixedColorReplaced && Control) {
        SetPropByName(Control, "FixedColor", std::to_string(SavedFixedColor));
        FixedColorReplaced = false;
    }
    TSkinControl::UnSkin();
    if (SkinState != kDestroyed) {
        fw::FreeAndNil(HorzBar);
        fw::FreeAndNil(VertBar);
    }
}

// ---------------------------------------------------------------------------
// A raw window's bars

void TSkinScrollbarH::InitHandle(HWND handle, TSkinData* skinData, TSkinControlList* form,
                                 fw::TCanvas* workCanvas)
{
    if (Attached) return;
    TSkinControl::InitHandle(handle, skinData, form, workCanvas);
    HorzBar = new TWScrollbar(this);
    HorzBar->AttachToWindow(this, handle, 0);
    VertBar = new TWScrollbar(this);
    VertBar->AttachToWindow(this, handle, 1);
}

void TSkinScrollbarH::PlaceBars()
{
    if (HorzBar) HorzBar->PlaceOverScrollBar(Handle);
    if (VertBar) VertBar->PlaceOverScrollBar(Handle);
}

void TSkinScrollbarH::AfterProc(fw::TMessage& m)
{
    // A hidden window shows no bars (placing them again brings them back).
    if (!IsWindowVisible(Handle)) {
        if (VertBar) VertBar->HideBar();
        if (HorzBar) HorzBar->HideBar();
    }
    switch (m.Msg) {
    case WM_SIZE:
    case WM_NCPAINT:
        PlaceBars();
        RepaintControl();
        break;
    case WM_HSCROLL:
        if (HorzBar) {
            HorzBar->HotPart = LOWORD(m.WParam);
            HorzBar->Invalidate();
        }
        break;
    case WM_VSCROLL:
        if (VertBar) {
            VertBar->HotPart = LOWORD(m.WParam);
            VertBar->Invalidate();
        }
        break;
    default: TSkinControl::AfterProc(m); break;
    }
}

void TSkinScrollbarH::DrawControl(HDC dc, const RECT&)
{
    if (VertBar && VertBar->Shown) VertBar->Invalidate();
    if (HorzBar && HorzBar->Shown) HorzBar->Invalidate();
    if (VertBar && HorzBar && VertBar->Shown && HorzBar->Shown) {
        const RECT corner{VertBar->BarRectInHost.left, HorzBar->BarRectInHost.top,
                          VertBar->BarRectInHost.right + 2, HorzBar->BarRectInHost.bottom + 2};
        FillSkinFace(dc, corner);
    }
}

void TSkinScrollbarH::UnSkin()
{
    TSkinControl::UnSkin();
    if (SkinState != kDestroyed) {
        fw::FreeAndNil(HorzBar);
        fw::FreeAndNil(VertBar);
    }
}

// ---------------------------------------------------------------------------
// A stand-alone scroll-bar control

void TSkinScControl::InitControl(TSkinControlList* form, TSkinData* skinData, bool,
                                 fw::TCanvas* workCanvas)
{
    if (auto* control = dynamic_cast<fw::TWinControl*>(Owner()))
        AttachScrollControl(control, skinData, form, workCanvas);
}

void TSkinScControl::AttachScrollControl(fw::TWinControl* control, TSkinData* skinData,
                                         TSkinControlList* form, fw::TCanvas* canvas)
{
    if (Attached) return;
    RecordControl(form, skinData, canvas, control);
    Bar = new TWScrollbar(this);
    Bar->SetShowHint(control->ShowHint());
    Bar->SetHint(control->Hint());
    Bar->AttachToControl(this, control, 2);
    if (!control->Visible()) Bar->HideBar();
    HookControlProc();
    Attached = true;
    SkinState = kAttached;
}

void TSkinScControl::AfterProc(fw::TMessage& m)
{
    switch (m.Msg) {
    case WM_WINDOWPOSCHANGED:
        if (Bar) Bar->PlaceOverScrollBar(Handle);
        break;
    case WM_NCPAINT:
        if (auto* control = dynamic_cast<fw::TWinControl*>(Control)) Handle = control->Handle();
        if (Bar) Bar->PlaceOverScrollBar(Handle);
        break;
    case SBM_SETSCROLLINFO:
    case fw::CN_VSCROLL:
        if (Bar && Bar->HandleAllocated()) Bar->Invalidate();
        break;
    case fw::CM_VISIBLECHANGED:
        if (!Bar) break;
        if (m.WParam)
            Bar->PlaceOverScrollBar(Handle);
        else
            Bar->HideBar();
        break;
    default: TSkinControl::AfterProc(m); break;
    }
}

void TSkinScControl::DrawControl(HDC, const RECT&)
{
    if (Bar && Bar->HandleAllocated()) Bar->Invalidate();
}

void TSkinScControl::UnSkin()
{
    TSkinControl::UnSkin();
    if (SkinState != kDestroyed) fw::FreeAndNil(Bar);
}

}  // namespace skin
