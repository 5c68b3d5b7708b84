#include "skin/controls/skincontrol.h"

#include <algorithm>

#include "framework/subclass.h"
#include "framework/text.h"
#include "framework/typinfo.h"
#include "rtl/sysutils.h"
#include "rtl/textcase.h"
#include "skin/engine/skinapi.h"
#include "skin/engine/skinmessages.h"
#include "skin/engine/skinunit.h"

namespace skin {

FW_IMPLEMENT_CLASS(TSkinControl) {}

// ---------------------------------------------------------------------------
// The list of skinners

TSkinControlList::~TSkinControlList() { FreeSkinControls(); }

bool TSkinControlList::AddSkinControl(TSkinControl* skinner)
{
    if (std::find(skinners_.begin(), skinners_.end(), skinner) != skinners_.end()) return true;
    skinners_.push_back(skinner);
    return false;
}

void TSkinControlList::RemoveSkinControl(TSkinControl* skinner) { std::erase(skinners_, skinner); }

void TSkinControlList::RemoveDeadControls()
{
    std::vector<TSkinControl*> dead;
    for (TSkinControl* s : skinners_)
        if (s->SkinState == TSkinControl::kDestroyed) dead.push_back(s);
    for (TSkinControl* s : dead) {
        RemoveSkinControl(s);
        s->Free();
    }
}

void TSkinControlList::FreeSkinControls()
{
    while (!skinners_.empty()) {
        TSkinControl* s = skinners_.front();
        // Unskinning runs the control's own code, which may free the
        // skinner itself: it waits for the end of the scope.
        const fw::TComponent::TBusyScope busy(s);
        if (s->SkinState != TSkinControl::kDestroyed) s->UnSkin();
        RemoveSkinControl(s);
        s->Free();
    }
}

TSkinControl* TSkinControlList::FindByHandle(HWND window) const
{
    if (!window) return nullptr;
    for (TSkinControl* s : skinners_)
        if (s->Handle == window) return s;
    return nullptr;
}

TSkinControl* TSkinControlList::FindByControl(const fw::TControl* control) const
{
    if (!control) return nullptr;
    for (TSkinControl* s : skinners_)
        if (s->Control == control || s->GraphicControl == control) return s;
    return nullptr;
}

// ---------------------------------------------------------------------------
// Properties by name

namespace {

bool KindIs(const fw::TObject* instance, std::string_view name, fw::TTypeKind kind)
{
    const auto k = fw::PropKind(instance, name);
    return k && *k == kind;
}

}  // namespace

bool HasProp(const fw::TObject* instance, std::string_view name)
{
    return instance && fw::IsPublishedProp(instance, name);
}

bool HasIntegerProp(const fw::TObject* instance, std::string_view name)
{
    return instance && KindIs(instance, name, fw::TTypeKind::Integer);
}

int64_t GetOrdPropByName(const fw::TObject* instance, std::string_view name)
{
    if (!instance || !KindIs(instance, name, fw::TTypeKind::Integer)) return -1;
    return fw::GetOrdProp(instance, name);
}

std::string GetPropText(const fw::TObject* instance, std::string_view name)
{
    if (!instance || !KindIs(instance, name, fw::TTypeKind::Enumeration)) return {};
    return fw::GetEnumProp(instance, name);
}

std::string GetPropTextLower(const fw::TObject* instance, std::string_view name)
{
    return rtl::FoldCase(GetPropText(instance, name));
}

std::wstring GetWidePropText(const fw::TObject* instance, std::string_view name)
{
    if (!instance) return {};
    if (KindIs(instance, name, fw::TTypeKind::WString)) return fw::GetWideStrProp(instance, name);
    if (KindIs(instance, name, fw::TTypeKind::String))
        return AnsiToWide(fw::GetStrProp(instance, name));
    return {};
}

fw::TObject* GetObjectPropByName(const fw::TObject* instance, std::string_view name,
                                 const fw::TClass* minClass)
{
    if (!instance) return nullptr;
    return fw::GetObjectProp(instance, name, minClass);
}

void SetPropByName(fw::TObject* instance, std::string_view name, const std::string& value)
{
    if (!instance) return;
    const auto kind = fw::PropKind(instance, name);
    if (!kind) return;
    switch (*kind) {
    case fw::TTypeKind::Enumeration: fw::SetEnumProp(instance, name, value); break;
    case fw::TTypeKind::Integer: fw::SetOrdProp(instance, name, rtl::StrToInt(value)); break;
    case fw::TTypeKind::String:
    case fw::TTypeKind::WString: fw::SetPropValue(instance, name, value); break;
    default: break;
    }
}

// ---------------------------------------------------------------------------
// The skinner

TSkinControl::TSkinControl(fw::TComponent* owner) : fw::TComponent(owner) {}

TSkinControl::~TSkinControl() = default;

void TSkinControl::InitControl(TSkinControlList* form, TSkinData* skinData, bool replaceColor,
                               fw::TCanvas* workCanvas)
{
    if (Attached) return;
    ReplaceColor = replaceColor;
    SkinData = skinData;
    Form = form;
    WorkCanvas = workCanvas;
    Control = dynamic_cast<fw::TControl*>(Owner());
    if (!Control) return;
    if (auto* win = dynamic_cast<fw::TWinControl*>(Control)) Handle = win->Handle();
    IsUnicode = Handle && IsWindowUnicode(Handle);
    HookControlProc();
    if (Form) Form->AddSkinControl(this);
    if (ReplaceColor) {
        SwitchParentBackground(true);
        SavedColor = Control->Color();
        Control->SetColor(SkinColour(TColourSlot::ButtonFace));
    }
    if (ParentBackgroundCleared) SubKind = 1;
    Control->Invalidate();
    Attached = true;
    SkinState = kAttached;
}

void TSkinControl::RecordControl(TSkinControlList* form, TSkinData* skinData,
                                 fw::TCanvas* workCanvas, fw::TControl* control)
{
    SkinData = skinData;
    WorkCanvas = workCanvas;
    Control = control ? control : dynamic_cast<fw::TControl*>(Owner());
    if (auto* win = dynamic_cast<fw::TWinControl*>(Control)) Handle = win->Handle();
    IsUnicode = Handle && IsWindowUnicode(Handle);
    Form = form;
    if (Form) Form->AddSkinControl(this);
}

void TSkinControl::HookControlProc(fw::TControl* control)
{
    if (!control) control = Control;
    OldWindowProc = control->WindowProc;
    control->WindowProc = fw::TWndMethod(this, &TSkinControl::SkinWndProc);
    controlProcHooked_ = true;
}

void TSkinControl::InitHandle(HWND handle, TSkinData* skinData, TSkinControlList* form,
                              fw::TCanvas* workCanvas)
{
    // Attaching twice would chain the skinner to itself.
    if (Attached) return;
    SkinData = skinData;
    WorkCanvas = workCanvas;
    Form = form;
    Handle = handle;
    WindowEnabled = true;
    SubKind = 0;
    if (Form) Form->AddSkinControl(this);
    IsUnicode = handle && IsWindowUnicode(handle);
    DisplayText = GetWindowTextWide(handle);
    HookWindowProc(handle);
    if (handle) InvalidateRect(handle, nullptr, TRUE);
    Attached = true;
    SkinState = kAttached;
}

void TSkinControl::HookWindowProc(HWND window)
{
    subclass_ = std::make_unique<fw::TSubclass>(fw::TWndMethod(this, &TSkinControl::SkinWndProc));
    if (!window || !subclass_->Hook(window)) subclass_.reset();
}

void TSkinControl::RestoreWindowProc()
{
    if (!controlProcHooked_) return;
    controlProcHooked_ = false;
    // Put back only while the replacement is still ours; whoever replaced
    // it since holds our procedure as their old one.
    const fw::TWndMethod ours(this, &TSkinControl::SkinWndProc);
    if (Control && Control->WindowProc == ours) Control->WindowProc = OldWindowProc;
    if (GraphicControl && GraphicControl->WindowProc == ours)
        GraphicControl->WindowProc = OldWindowProc;
}

void TSkinControl::Detach()
{
    alive_.End();
    SkinEnabled = false;
    RestoreWindowProc();
    // The window's procedure goes back only while it is ours; the binding
    // stays until the skinner goes, for a message running to pass on.
    if (subclass_) subclass_->Unhook();
    if (Form) Form->RemoveSkinControl(this);
    Form = nullptr;
}

void TSkinControl::LetGo()
{
    Detach();
    inherited::LetGo();
}

void TSkinControl::Destroy()
{
    Detach();
    subclass_.reset();
    inherited::Destroy();
}

void TSkinControl::SwitchParentBackground(bool on)
{
    if (!Control || !SkinData || SkinData->Options().Contains(xoParentBackGround)) return;
    if (!HasProp(Control, "ParentBackground")) return;
    if (on) {
        ParentBackgroundCleared = GetPropTextLower(Control, "ParentBackground") == "true";
        if (ParentBackgroundCleared) SetPropByName(Control, "ParentBackground", "False");
    } else if (ParentBackgroundCleared) {
        SetPropByName(Control, "ParentBackground", "True");
    }
}

void TSkinControl::UnSkin()
{
    if (ReplaceColor && Control) {
        SwitchParentBackground(false);
        Control->SetColor(SavedColor);
    }
}

void TSkinControl::RefreshSkin()
{
    if (ReplaceColor && Control) Control->SetColor(SkinColour(TColourSlot::ButtonFace));
    RepaintControl();
}

void TSkinControl::SkinWndProc(fw::TMessage& m)
{
    const TBusyScope busy(this);
    if (m.Msg == WM_SKINENABLE) {
        SkinEnabled = static_cast<int32_t>(m.WParam) > 0;
        if (SkinEnabled) RepaintControl();
        return;
    }
    if (!SkinEnabled) {
        CallOldProc(m);
        return;
    }
    if (BeforeProc(m) && CallOldProcSurvived(m)) AfterProc(m);
}

void TSkinControl::CallOldProc(fw::TMessage& m)
{
    if (OldWindowProc)
        OldWindowProc(m);
    else if (subclass_)
        subclass_->CallDefault(m);
}

bool TSkinControl::CallOldProcSurvived(fw::TMessage& m)
{
    return alive_.Survives([&] { CallOldProc(m); });
}

bool TSkinControl::BeforeProc(fw::TMessage& m)
{
    switch (m.Msg) {
    case WM_NCDESTROY:
        CallOldProc(m);
        SkinEnabled = false;
        SkinState = kDestroyed;
        UnSkin();
        return false;
    case WM_SKINQUERY: m.Result = 1; return false;
    default: return true;
    }
}

void TSkinControl::AfterProc(fw::TMessage& m)
{
    switch (m.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case fw::CM_ENABLEDCHANGED: RepaintControl(); break;
    case WM_PAINT: PaintToDC(reinterpret_cast<HDC>(m.WParam)); break;
    default: break;
    }
}

void TSkinControl::PaintToDC(HDC dc)
{
    RECT r;
    if (!Handle || !GetWindowRect(Handle, &r)) return;
    WindowRect = r;
    OffsetRect(&r, -r.left, -r.top);
    try {
        if (dc) {
            DrawControl(dc, r);
        } else {
            HDC windowDC = GetWindowDC(Handle);
            if (!windowDC) return;
            struct Release {
                HWND w;
                HDC dc;
                ~Release() { ReleaseDC(w, dc); }
            } release{Handle, windowDC};
            DrawControl(windowDC, r);
        }
    } catch (...) {
        // A failing paint must not disturb the control's messages.
    }
}

void TSkinControl::DrawControl(HDC, const RECT&) {}

void TSkinControl::RepaintControl()
{
    if (GraphicControl) {
        GraphicControl->Invalidate();
    } else if (Handle) {
        InvalidateRect(Handle, nullptr, TRUE);
        UpdateWindow(Handle);
    }
}

void TSkinControl::SendMouseLeave(TSkinControl* skinner)
{
    if (skinner && skinner->Handle) SendMessageA(skinner->Handle, fw::CM_MOUSELEAVE, 0, 0);
}

void TSkinControl::ForwardMouseDown(const fw::TMessage& m)
{
    if (!Control) return;
    int x = static_cast<int16_t>(LOWORD(m.LParam));
    int y = static_cast<int16_t>(HIWORD(m.LParam));
    if (Control->Width() > 0x8000 || Control->Height() > 0x8000) {
        POINT p;
        GetCursorPos(&p);
        p = Control->ScreenToClient(p);
        x = p.x;
        y = p.y;
    }
    Control->MouseDown(fw::mbLeft, fw::KeysToShiftState(m.WParam), x, y);
}

std::wstring TSkinControl::GetWindowTextWide(HWND window)
{
    if (!window) return {};
    if (IsNT()) {
        const int n = GetWindowTextLengthW(window);
        if (n <= 0) return {};
        std::wstring text(static_cast<size_t>(n) + 1, L'\0');
        const int got = GetWindowTextW(window, text.data(), n + 1);
        text.resize(static_cast<size_t>(std::max(got, 0)));
        return text;
    }
    char buffer[1000] = {};
    SendMessageA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    return AnsiToWide(buffer);
}

LONG_PTR TSkinControl::GetWindowLongAuto(HWND window, int index) const
{
    return IsUnicode ? GetWindowLongPtrW(window, index) : GetWindowLongPtrA(window, index);
}

bool TSkinControl::IsPopupOrDesktopChild(HWND window)
{
    if ((GetWindowLongPtrA(window, GWL_STYLE) & WS_POPUP) != 0) return true;
    return GetParent(window) == GetDesktopWindow();
}

void TSkinControl::DrawTextFocusRect(HDC dc, UINT flags, const RECT& rect)
{
    RECT t = rect;
    DrawTextWide(dc, DisplayText, t, flags | DT_CALCRECT | DT_NOCLIP);
    const int rw = rect.right - rect.left, rh = rect.bottom - rect.top;
    const int tw = t.right - t.left, th = t.bottom - t.top;
    if (flags & DT_CENTER)
        OffsetRect(&t, (rw - tw) / 2, (rh - th) / 2 - 1);
    else if (flags & DT_RIGHT)
        OffsetRect(&t, rw - tw, 0);
    InflateRect(&t, 2, 1);
    t.top = std::max(t.top, rect.top);
    t.bottom = std::min(t.bottom, rect.bottom);
    t.right = std::min(t.right, rect.right);
    t.left = std::max(t.left, rect.left);
    DrawFocusRect(dc, &t);
}

fw::TColor TSkinControl::SkinColour(TColourSlot slot) const
{
    if (!SkinData) return fw::clBtnFace;
    return SkinData->Skin().Colour(slot);
}

fw::TColor TSkinControl::ParentOrSkinColor(fw::TColor fallback) const
{
    if (Control && HasIntegerProp(Control->Parent(), "Color"))
        return static_cast<fw::TColor>(fw::GetOrdProp(Control->Parent(), "Color"));
    return fallback;
}

void TSkinControl::FillSolidRect(HDC dc, const RECT& r, fw::TColor color)
{
    HBRUSH brush = CreateSolidBrush(fw::ColorToRGB(color));
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

void TSkinControl::FillSkinFace(HDC dc, const RECT& r) const
{
    FillSolidRect(dc, r, SkinColour(TColourSlot::ButtonFace));
}

void TSkinControl::FillParentFace(HDC dc, const RECT& r) const
{
    FillSolidRect(dc, r, ParentOrSkinColor(SkinColour(TColourSlot::ButtonFace)));
}

}  // namespace skin
