#include "skin/form/popupmenu.h"

#include "framework/guards.h"
#include "skin/data/skindata.h"
#include "skin/draw/skindraw.h"
#include "skin/engine/skinmessages.h"
#include "skin/form/formgeometry.h"
#include "skin/form/skinmanage.h"

namespace skin {
namespace {

// The width of the menu window's rim that always shows the skin image.
constexpr int kMenuRim = 3;

// The window DC for painting the non-client area of a WM_NCPAINT. Later
// systems paint through the whole window DC; others through the update
// region, when the message names one (1 means the whole window).
HDC MenuFrameDC(HWND window, WPARAM updateRegion)
{
    const TWindowsVersion& v = WindowsVersion();
    const bool wholeWindow = v.NT && v.Major >= 5 && v.Minor > 1;
    if (!wholeWindow && updateRegion > 1)
        if (HDC dc = GetDCEx(window, reinterpret_cast<HRGN>(updateRegion),
                             DCX_WINDOW | DCX_INTERSECTRGN | 0x10000))
            return dc;
    return GetWindowDC(window);
}

}  // namespace

FW_IMPLEMENT_CLASS(TWinSkinPopMenu) {}

TWinSkinPopMenu::TWinSkinPopMenu()
    : fw::TComponent(nullptr), background_(std::make_unique<fw::TBitmap>())
{}

void TWinSkinPopMenu::Destroy()
{
    UnhookMenuWindow();
    inherited::Destroy();
}

void TWinSkinPopMenu::LetGo()
{
    UnhookMenuWindow();
    inherited::LetGo();
}

bool TWinSkinPopMenu::HookMenuWindow(HWND window, TSkinData* data, HMENU menu)
{
    if (hooked_) return false;
    window_ = window;
    data_ = data;
    Menu = menu;
    BarPopup = false;
    hooked_ = hook_.Hook(window);
    return hooked_;
}

void TWinSkinPopMenu::UnhookMenuWindow()
{
    if (!hooked_) return;
    hooked_ = false;
    hook_.Unhook();
    background_->SetSize(0, 0);
}

void TWinSkinPopMenu::MenuWndProc(fw::TMessage& m)
{
    const TBusyScope busy(this);
    if (m.Msg == WM_SKINQUERY) {
        m.Result = 1;
        return;
    }
    TSkinManage* manager = SkinManager();
    if (!manager || !manager->Active) {
        CallOld(m);
        return;
    }
    switch (m.Msg) {
    case WM_DESTROY:
        UnhookMenuWindow();
        CallOld(m);
        return;
    case WM_ERASEBKGND: EraseMenuBackground(m); return;
    case WM_NCPAINT: PaintMenuFrame(m); return;
    case WM_PRINT: PaintMenuPrint(m); return;
    default: CallOld(m); return;
    }
}

bool TWinSkinPopMenu::CanPaint() const
{
    if (!data_ || data_->NoSkin()) return false;
    const TDataSkinObject* ground = data_->Skin().MenuBackground.get();
    return ground && !ground->Image->Empty();
}

void TWinSkinPopMenu::BuildBackground(int w, int h)
{
    const TDataSkinObject& ground = *data_->Skin().MenuBackground;
    const std::unique_ptr<fw::TBitmap> built = BuildSkinBitmap(
        RECT{0, 0, w, h}, ground.Image.get(), ground.Margins(), false, false, ground.Frame, 0);
    if (built)
        background_->Assign(built.get());
    else
        background_->SetSize(0, 0);
}

void TWinSkinPopMenu::EraseMenuBackground(fw::TMessage& m)
{
    if (!data_ || !data_->Options().Contains(xoMenuBG)) CallOld(m);
    m.Result = 1;
}

void TWinSkinPopMenu::PaintMenuFrame(fw::TMessage& m)
{
    if (!CanPaint()) {
        CallOld(m);
        return;
    }
    RECT r;
    if (!GetWindowRect(window_, &r)) {
        CallOld(m);
        return;
    }
    HDC dc = MenuFrameDC(window_, m.WParam);
    if (!dc) {
        CallOld(m);
        return;
    }
    fw::TScopeExit release([&] { ReleaseDC(window_, dc); });
    const int w = r.right - r.left, h = r.bottom - r.top;
    BuildBackground(w, h);
    if (!background_->Empty())
        BitBlt(dc, 0, 0, w, h, background_->Canvas()->Handle(), 0, 0, SRCCOPY);
    m.Result = 0;
}

void TWinSkinPopMenu::PaintMenuPrint(fw::TMessage& m)
{
    RECT r;
    auto dc = reinterpret_cast<HDC>(m.WParam);
    if (!CanPaint() || !dc || !GetWindowRect(window_, &r)) {
        CallOld(m);
        return;
    }
    const int w = r.right - r.left, h = r.bottom - r.top;
    BuildBackground(w, h);
    if (!background_->Empty())
        BitBlt(dc, 0, 0, w, h, background_->Canvas()->Handle(), 0, 0, SRCCOPY);
    // The menu prints its items inside the rim, over the skin's ground.
    fw::TGdiObject<HRGN> clip(CreateRectRgn(kMenuRim, kMenuRim, w - kMenuRim, h - kMenuRim));
    fw::TSavedDC saved(dc);
    SetBkMode(dc, TRANSPARENT);
    SelectClipRgn(dc, clip.Handle());
    CallOld(m);
}

}  // namespace skin
