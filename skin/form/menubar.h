// The skinned menu bar: a window's native menu bar is detached and drawn
// by the engine in the strip between the caption and the client area.
// TWinSkinMenu holds one TMenuBtn per top-level item, lays the entries
// out, paints the strip from the skin's menu-bar image and finds the entry
// under a point. While the popup of an entry is tracked, a message-filter
// hook lets the arrow keys and the mouse move from entry to entry.
#pragma once

#include "framework/winapi.h"

#include <memory>
#include <string>
#include <vector>

#include "framework/bitmaps.h"
#include "framework/components.h"
#include "skin/form/captionbuttons.h"

namespace fw {
class TMenu;
class TMenuItem;
}  // namespace fw

namespace skin {

class TSkinData;
class TWinSkinMenu;

// One entry of the bar; its rectangle is in frame coordinates.
class TMenuBtn : public TNCObject {
public:
    TMenuBtn(TWinSkinForm* form, TWinSkinMenu* bar) : TNCObject(form), Bar(bar) {}
    // Repaints the entry over the bar's background in its current state.
    void DrawObject() override;

    TWinSkinMenu* Bar;
    fw::TMenuItem* MenuItem = nullptr;  // only while the entries are built
    int Index = 0;
    std::wstring Caption;
    bool ItemEnabled = true;
    HMENU SubMenu = nullptr;  // null when the item has no sub-items
    UINT Command = 0;
};

class TWinSkinMenu : public fw::TComponent {
    FW_CLASS(TWinSkinMenu, fw::TComponent)
public:
    // Owned by the form skinner.
    TWinSkinMenu(TWinSkinForm* form, TSkinData* data);

    // Builds the entries from the window's menu and detaches the native
    // menu from the window. Without a menu (or a form without main menu)
    // the entries stay as they were.
    void LoadMenuBar();
    // After the MDI frame's menu was set: native items with text keep it;
    // textless (owner-drawn) items take their form item's caption.
    void LoadMDIMenuBar();
    // No entries and no native menu.
    void Clear();
    // Gives every entry its rectangle.
    void LayoutMenuBar();
    // Lays out and paints the strip (window coordinates) into the DC.
    void PaintMenuBar(HDC dc, const RECT& strip);
    // The first entry with a caption whose rectangle holds the frame point.
    TMenuBtn* MenuBarHitTest(POINT frame) const;
    // The first enabled, visible entry whose caption has the key as its
    // accelerator ("&F"), or null.
    TMenuBtn* FindMenuAccel(unsigned key) const;
    // Where the first entry starts in a strip of this width.
    int StartOffset(int stripWidth) const;

    // The form's main menu (null for a window that is not a form).
    fw::TMenu* Menu() const { return menu_; }
    void SetMenu(fw::TMenu* menu);

    std::vector<std::unique_ptr<TMenuBtn>> Entries;
    HMENU MenuHandle = nullptr;
    RECT BarRect{};
    TSkinData* SkinData;
    TWinSkinForm* Form;
    // The strip as last painted, without captions.
    std::unique_ptr<fw::TBitmap> Background;

    void Notification(fw::TComponent* component, fw::TOperation operation) override;

protected:
    void Destroy() override;

private:
    void FreeEntries();
    // The strip in window coordinates.
    RECT StripRect() const;
    // Lays the entries out in the strip, measuring captions with the DC.
    void Layout(HDC dc, const RECT& strip);
    void AddNativeEntries(bool mdi);
    void AddFormEntries();
    bool RightToLeft() const;

    fw::TMenu* menu_ = nullptr;
};

// The caption of an entry in the menu font, and the colours of its text.
void DrawMenuBarCaption(TMenuBtn& entry, fw::TCanvas* canvas, const RECT& r);

// The message-filter hook of a tracked bar popup (one at a time in the
// process).
void InstallMenuHook(TWinSkinForm* form, int openEntry);
void RemoveMenuHook();
// WM_MENUSELECT of the window whose bar popup is tracked: the item
// selected, or the popup closing.
void NoteMenuSelect(WPARAM wParam, LPARAM lParam);
// The skinner is going: the hook, should a popup still be open, no longer
// reaches it.
void ForgetMenuHookForm(TWinSkinForm* form);
// The index of the entry whose popup is open, -1 when none.
int OpenEntryIndex();
// True from the hook's switch to another entry until that entry opens or
// the popup is closed with Return or Escape.
bool MenuSwitching();
void SetMenuSwitching(bool on);

}  // namespace skin
