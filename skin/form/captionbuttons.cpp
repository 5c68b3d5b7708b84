#include "skin/form/captionbuttons.h"

#include <algorithm>
#include <climits>
#include <optional>

#include "skin/data/skindata.h"
#include "skin/draw/skindraw.h"
#include "skin/form/menubar.h"
#include "skin/form/skinmanage.h"
#include "skin/form/winskinform.h"

namespace skin {
namespace {

bool HasMax(const TCaptionFacts& f) { return (f.Caps & ccMaximize) != 0; }
bool HasMin(const TCaptionFacts& f) { return (f.Caps & ccMinimize) != 0; }
bool HasSysMenu(const TCaptionFacts& f) { return (f.Caps & ccSysMenu) != 0; }
bool Maximized(const TCaptionFacts& f) { return f.WindowState == wsMaximized; }
// A dialog frame on a window that is not one of the dialog classes.
bool OwnDialogFrame(const TCaptionFacts& f) { return f.BorderKind == bkDialog && !f.DialogClass; }

// The codes both conditions read alike; none for the others.
std::optional<bool> WindowCondition(int code, const TCaptionFacts& f)
{
    switch (code) {
    case 0: return true;
    case 1: return Maximized(f);
    case 2: return !Maximized(f);
    case 3: return f.Active;
    case 4: return !f.Active;
    case 7: return !HasMax(f);
    case 9: return !HasMin(f);
    case 200: return OwnDialogFrame(f);
    default: return std::nullopt;
    }
}

bool FirstCondition(int code, int action, const TCaptionFacts& f)
{
    if (auto common = WindowCondition(code, f)) return *common;
    switch (code) {
    case 6:
    case 8: return (HasMin(f) || HasMax(f)) && HasSysMenu(f);
    case 10: return (f.Caps & ccContextHelp) && !HasMin(f) && !HasMax(f);
    case 100: return f.MDIChildMaximizedWithBar;
    default: break;
    }
    if (code >= 201 && code <= 999) return true;
    if (code >= 1000 && code <= 2000) return f.AskApplication && f.AskApplication(code, action) > 0;
    return false;  // -1 and every code without a meaning
}

bool SecondCondition(int code, bool first, const TCaptionFacts& f)
{
    if (auto common = WindowCondition(code, f)) return *common;
    switch (code) {
    case 6:
    case 8: return HasMin(f) || HasMax(f);
    case 10: return (f.Caps & ccContextHelp) != 0;
    case 100: return first;
    default: return code >= 201 && code <= 2000;
    }
}

}  // namespace

void TNCObject::ButtonDown()
{
    if (Form->HotObject && Form->HotObject != this) Form->HotObject->HoverLeave();
    if (!Visible) return;
    Form->HotObject = this;
    State = nsPressed;
    DrawObject();
}

void TNCObject::ButtonUp()
{
    if (!Visible) return;
    State = nsHot;
    DrawObject();
}

void TNCObject::HoverEnter()
{
    if (Form->HotObject == this) return;
    if (Form->HotObject) Form->HotObject->HoverLeave();
    if (!Visible) return;
    Form->HotObject = this;
    State = nsHot;
    DrawObject();
}

void TNCObject::HoverLeave()
{
    if (!Visible) return;
    if (Form->HotObject == this) Form->HotObject = nullptr;
    State = nsNormal;
    DrawObject();
}

bool TWinSysButton::IsSysMenuButton() const
{
    return SkinButton->Action == 3 || SkinButton->Action == 11;
}

void TWinSysButton::DrawObject() { Form->PaintSysButton(this, State); }

TButtonVisibility SysButtonVisibility(const TDataSkinSysButton& button, const TCaptionFacts& f)
{
    TButtonVisibility v;
    const bool first = FirstCondition(button.Visibility, button.Action, f);
    v.Visible = first && SecondCondition(button.Visibility1, first, f);
    switch (button.Action) {
    case 0:
        if (!HasSysMenu(f)) v.Visible = false;
        // A close button follows the system menu's close item.
        v.ChangesEnabled = true;
        v.Enabled = f.CanClose;
        break;
    case 1:
        v.ChangesEnabled = true;
        v.Enabled = HasMax(f) && HasSysMenu(f);
        break;
    case 2:
        v.ChangesEnabled = true;
        v.Enabled = HasMin(f) && HasSysMenu(f);
        break;
    case 3:
    case 11:
    case 12:
        if (f.BorderKind == bkDialog) v.Visible = false;
        break;
    default: break;
    }
    return v;
}

SIZE SysButtonSize(const TDataSkinSysButton& button)
{
    const bool sysMenu = button.Action == 3 || button.Action == 11;
    const int frames = sysMenu ? 1 : std::max(button.Frame, 1);
    return SIZE{button.Image->Width() / frames, button.Image->Height()};
}

RECT SysButtonRect(const TDataSkinSysButton& b, const TButtonPlace& p)
{
    const SIZE size = SysButtonSize(b);
    POINT at{0, 0};
    switch (b.Align) {
    case 0: at = {b.Xcoord, b.Ycoord}; break;
    case 1: at = {p.WindowWidth - b.Xcoord, b.Ycoord}; break;
    case 2:
    case 8: at = {p.CaptionTextRect.left - size.cx - b.Xcoord, b.Ycoord}; break;
    case 3:
    case 9: at = {p.CaptionTextRect.right + b.Xcoord, b.Ycoord}; break;
    case 100:
        at = {p.WindowWidth - b.Xcoord - p.Borders.Right - p.MenuBarLeftMargin,
              (p.MenuBarHeight - size.cy) / 2 + p.Borders.Top};
        break;
    default: break;
    }
    return RECT{at.x, at.y, at.x + size.cx, at.y + size.cy};
}

TWinSysButton* FindSysButton(const std::vector<std::unique_ptr<TWinSysButton>>& buttons,
                             POINT frame)
{
    for (const auto& b : buttons)
        if (b->Visible && b->SkinButton->Action >= 0 && PtInRect(&b->Rect, frame)) return b.get();
    return nullptr;
}

int SysButtonFrame(const TDataSkinSysButton& button, bool enabled, int state)
{
    int frame = state;
    if (!enabled) frame = button.Frame >= 4 ? 4 : 1;
    if (button.Visibility == 100 && frame == nsHot) frame = 4;
    return std::clamp(frame, 1, std::max(button.Frame, 1));
}

// The form's side: facts, visibility, layout, painting and actions.

TCaptionFacts TWinSkinForm::CaptionFacts()
{
    TCaptionFacts f;
    f.Caps = CaptionCaps;
    f.WindowState = WindowState;
    f.Active = Active;
    f.BorderKind = BorderKind;
    f.DialogClass = IsDialogClass;
    f.MDIChildMaximizedWithBar = ShowsMDIButtons();
    f.CanClose = true;
    if (!WindowsVersion().Win95Family && WindowHandle && FormState != fsDestroyed) {
        HMENU menu = SysMenuHandle ? SysMenuHandle : GetSystemMenu(WindowHandle, FALSE);
        const UINT state = menu ? GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND) : UINT(-1);
        f.CanClose = state != UINT(-1) && !(state & (MF_DISABLED | MF_GRAYED));
    }
    HWND window = FormState == fsDestroyed ? nullptr : WindowHandle;
    f.AskApplication = [window](int code, int action) -> LRESULT {
        return window ? SendMessageW(window, WM_SKINBUTTONSHOW, WPARAM(code), LPARAM(action)) : 0;
    };
    return f;
}

bool TWinSkinForm::SysButtonVisible(size_t index)
{
    if (index >= SysButtons.size()) return false;
    TWinSysButton& b = *SysButtons[index];
    const TButtonVisibility v = SysButtonVisibility(*b.SkinButton, CaptionFacts());
    b.Visible = v.Visible;
    if (v.ChangesEnabled) b.Enabled = v.Enabled;
    return v.Visible;
}

void TWinSkinForm::LayoutSysButtons()
{
    TButtonPlace place;
    place.WindowWidth = WindowWidth;
    place.CaptionTextRect = CaptionTextRect;
    place.Borders = borders_;
    place.MenuBarHeight = MenuBarHeight;
    if (SkinData && SkinData->Skin().MenuBar)
        place.MenuBarLeftMargin = SkinData->Skin().MenuBar->LeftWidth;
    for (size_t i = 0; i < SysButtons.size(); ++i) {
        TWinSysButton& b = *SysButtons[i];
        if (SysButtonVisible(i) && !b.SkinButton->Image->Empty())
            b.Rect = SysButtonRect(*b.SkinButton, place);
    }
}

void TWinSkinForm::PaintSysButtons(HDC dc)
{
    for (size_t i = 0; i < SysButtons.size(); ++i) {
        TWinSysButton& b = *SysButtons[i];
        const TDataSkinSysButton& s = *b.SkinButton;
        if (!SysButtonVisible(i) || s.Image->Empty() || s.Visibility == 100) continue;
        if (b.IsSysMenuButton()) {
            DrawWindowIcon(dc, b.Rect);
            continue;
        }
        const int frame = (Active && b.Enabled) || s.Frame < 4 ? 1 : 4;
        DrawImageFrame(dc, b.Rect, s.Image.get(), true, s.Frame, frame);
    }
}

bool TWinSkinForm::ShowsMDIButtons() const
{
    return FormKind == fkMDIFrame && MenuBar && IsMDIChildMaximized();
}

void TWinSkinForm::PaintMDIButtons(HDC stripDC)
{
    for (const auto& b : SysButtons) {
        const TDataSkinSysButton& s = *b->SkinButton;
        if (s.Visibility != 100 || s.Image->Empty() || !b->Visible) continue;
        RECT r = b->Rect;
        OffsetRect(&r, -borders_.Left, -borders_.Top);
        DrawImageFrame(stripDC, r, s.Image.get(), true, s.Frame, 1);
    }
    if (TSkinManage* manager = SkinManager(); manager && !manager->MDIMaximized)
        manager->SetCaptionButtonMode(true);
}

int TWinSkinForm::MDIButtonsLeft() const
{
    int left = INT_MAX;
    if (!ShowsMDIButtons()) return left;
    for (const auto& b : SysButtons)
        if (b->SkinButton->Visibility == 100 && !b->SkinButton->Image->Empty() && b->Visible)
            left = std::min(left, int(b->Rect.left - borders_.Left));
    return left;
}

void TWinSkinForm::PaintSysButton(TWinSysButton* button, int state)
{
    if (!WindowHandle || FormState == fsDestroyed || !hooked_ || !button->Visible) return;
    const TDataSkinSysButton& s = *button->SkinButton;
    if (s.Image->Empty()) return;
    const RECT& r = button->Rect;
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return;
    // The button is composed over the caption as it was painted without
    // buttons, so a transparent frame never lands on the previous one.
    fw::TBitmap piece;
    piece.SetPixelFormat(fw::pf24bit);
    piece.SetSize(w, h);
    HDC pdc = piece.Canvas()->Handle();
    if (s.Visibility == 100 && MenuBar && !MenuBar->Background->Empty())
        // An MDI child button lies on the menu bar.
        BitBlt(pdc, 0, 0, w, h, MenuBar->Background->Canvas()->Handle(), r.left - borders_.Left,
               r.top - borders_.Top, SRCCOPY);
    else if (buttonGround_ && !buttonGround_->Empty())
        BitBlt(pdc, 0, 0, w, h, buttonGround_->Canvas()->Handle(), r.left, r.top, SRCCOPY);
    const RECT local{0, 0, w, h};
    if (button->IsSysMenuButton())
        DrawWindowIcon(pdc, local);
    else
        DrawImageFrame(pdc, local, s.Image.get(), true, s.Frame,
                       SysButtonFrame(s, button->Enabled, state));
    HDC dc = GetWindowDC(WindowHandle);
    if (!dc) return;
    BitBlt(dc, r.left, r.top, w, h, pdc, 0, 0, SRCCOPY);
    ReleaseDC(WindowHandle, dc);
}

void TWinSkinForm::DoSysButtonAction(int x, int y)
{
    auto* button = dynamic_cast<TWinSysButton*>(HotObject);
    if (!button || !WindowHandle || FormState == fsDestroyed) return;
    const int action = button->SkinButton->Action;
    switch (action) {
    case 0:
        if (!button->Enabled) return;
        if (hoverTimer_) hoverTimer_->SetEnabled(false);
        PostMessageW(WindowHandle, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case 1:
    case 22:
        if (button->Enabled) ToggleMaximize();
        break;
    case 2:
    case 23:
        if (button->Enabled) ToggleMinimize();
        break;
    case 3:
    case 11:
    case 12: ShowSystemMenu(POINT{x + 1, y + 1}); break;
    case 4: PostMessageW(WindowHandle, WM_SYSCOMMAND, SC_CONTEXTHELP, 0); break;
    case 7:
    case 60: MDIChildCommand(SC_MINIMIZE); break;
    case 8:
    case 61: MDIChildCommand(SC_RESTORE); break;
    case 9:
    case 62: MDIChildCommand(SC_CLOSE); break;
    default: PostMessageW(WindowHandle, WM_SKINBUTTONCLICK, WPARAM(action), 0); break;
    }
}

}  // namespace skin
