// TWinSkinPopMenu skins one popup-menu window (class "#32768"): it takes
// over the window's procedure, paints the menu's frame and ground from the
// skin's MenuBackground image and keeps that ground as a bitmap, on which
// the owner-drawn items (menuitems.cpp) then draw. The skin manager makes
// one when the window is created and frees it when the window goes; freed
// inside a message of its window, it unhooks at once and is deleted once
// that message has returned.
#pragma once

#include "framework/winapi.h"

#include <memory>

#include "framework/bitmaps.h"
#include "framework/components.h"
#include "framework/messages.h"
#include "framework/subclass.h"

namespace skin {

class TSkinData;

class TWinSkinPopMenu : public fw::TComponent {
    FW_CLASS(TWinSkinPopMenu, fw::TComponent)
public:
    TWinSkinPopMenu();

    // Takes over the window's procedure; false when the window cannot be
    // hooked (gone, or bound by someone else).
    bool HookMenuWindow(HWND window, TSkinData* data, HMENU menu);
    // Gives the window its own procedure back; does nothing when not hooked.
    void UnhookMenuWindow();
    bool Hooked() const { return hooked_; }

    HWND Window() const { return window_; }
    TSkinData* SkinData() const { return data_; }
    // The menu shown in the window; null until the first item drawn names it.
    HMENU Menu = nullptr;
    // The window belongs to a popup opened from a skinned menu bar.
    bool BarPopup = false;
    // The ground built at the last paint, the size of the whole window
    // (empty before the first paint and after unhooking).
    fw::TBitmap* Background() const { return background_.get(); }

protected:
    void Destroy() override;
    void LetGo() override;

private:
    void MenuWndProc(fw::TMessage& m);
    void CallOld(fw::TMessage& m) { hook_.CallDefault(m); }
    // The skin has a MenuBackground image to paint with.
    bool CanPaint() const;
    // The ground rebuilt for a window of w x h.
    void BuildBackground(int w, int h);
    void EraseMenuBackground(fw::TMessage& m);
    void PaintMenuFrame(fw::TMessage& m);
    void PaintMenuPrint(fw::TMessage& m);

    HWND window_ = nullptr;
    TSkinData* data_ = nullptr;
    bool hooked_ = false;
    std::unique_ptr<fw::TBitmap> background_;
    fw::TSubclass hook_{fw::TWndMethod(this, &TWinSkinPopMenu::MenuWndProc)};
};

}  // namespace skin
