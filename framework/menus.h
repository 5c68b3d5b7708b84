// Menus over real menu handles: TMenuItem (a tree of items), TMainMenu
// (a form's menu bar, its Menu property) and TPopupMenu. Each native item
// carries its TMenuItem in the item data; owner-drawn items are measured
// and drawn through OnMeasureItem and OnDrawItem.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/controls.h"
#include "framework/imglist.h"

namespace fw {

class TMenu;

// A key with modifier bits: the virtual key in the low byte.
using TShortCut = uint16_t;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
TShortCut ShortCut(WORD key, TShiftState shift);
// "Ctrl+S", "Shift+F5", "Del"; empty text for no short cut.
std::string ShortCutToText(TShortCut shortCut);

using TMenuMeasureItemEvent =
    TDelegate<void(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height)>;
using TMenuDrawItemEvent =
    TDelegate<void(TObject* Sender, TCanvas* ACanvas, RECT ARect, bool Selected)>;

class TMenuItem : public TComponent {
    FW_CLASS(TMenuItem, TComponent)
public:
    explicit TMenuItem(TComponent* owner);

    // "-" makes the item a separator line.
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& s);
    bool IsLine() const { return caption_ == "-"; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    bool Checked() const { return checked_; }
    void SetChecked(bool v);
    bool Default() const { return default_; }
    void SetDefault(bool v);
    bool RadioItem() const { return radioItem_; }
    void SetRadioItem(bool v);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int v);
    TShortCut ShortCutKey() const { return shortCut_; }
    void SetShortCutKey(TShortCut v);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& s) { hint_ = s; }

    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int index) const { return items_.at(static_cast<size_t>(index)); }
    void Add(TMenuItem* item) { Insert(Count(), item); }
    void Insert(int index, TMenuItem* item);
    void Remove(TMenuItem* item);
    int IndexOf(const TMenuItem* item) const;
    TMenuItem* Parent() const { return parent_; }
    int MenuIndex() const { return parent_ ? parent_->IndexOf(this) : -1; }
    // The menu the item belongs to, or null.
    TMenu* GetParentMenu() const;

    // The command identifier of the native item.
    UINT Command() const { return command_; }
    // The popup menu of the item's children (made on demand).
    HMENU Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }

    TNotifyEvent OnClick;
    TMenuMeasureItemEvent OnMeasureItem;
    TMenuDrawItemEvent OnDrawItem;
    virtual void Click();
    // MeasureItem measures the caption and short cut, then OnMeasureItem
    // (when assigned) receives that size to adjust. DrawItem is OnDrawItem
    // when assigned, else the framework's own drawing (caption, short cut,
    // check mark, image).
    virtual void MeasureItem(TCanvas* canvas, int& width, int& height);
    virtual void DrawItem(TCanvas* canvas, RECT r, bool selected);

    bool SetParentComponent(TComponent* parent) override;

    // The item that a native item's data names, if it still exists.
    static TMenuItem* FromItemData(ULONG_PTR data);

protected:
    void Destroy() override;

private:
    friend class TMenu;
    void Changed();          // this item's look changed
    void RebuildContents();  // the native items of the children
    void DestroyHandles();
    TMenuItem* FindCommand(UINT command);
    TMenuItem* FindHandle(HMENU menu);
    TMenuItem* FindShortCut(TShortCut shortCut);

    std::string caption_;
    std::string hint_;
    bool enabled_ = true, visible_ = true, checked_ = false, default_ = false, radioItem_ = false;
    int imageIndex_ = -1;
    TShortCut shortCut_ = 0;
    std::vector<TMenuItem*> items_;
    TMenuItem* parent_ = nullptr;
    TMenu* menu_ = nullptr;  // set on the root item of a menu
    HMENU handle_ = nullptr;
    UINT command_ = 0;
};

enum TFindItemKind { fkCommand, fkHandle, fkShortCut };

class TMenu : public TComponent {
    FW_CLASS(TMenu, TComponent)
public:
    explicit TMenu(TComponent* owner);

    // The root item; its children are the menu's items.
    TMenuItem* Items() const { return items_; }
    HMENU Handle() { return items_->Handle(); }
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* images);
    // Every item drawn by OnMeasureItem / OnDrawItem (or the framework).
    bool OwnerDraw() const { return ownerDraw_; }
    void SetOwnerDraw(bool v);
    // Reading order of the menu's items, for those that draw them.
    TBiDiMode BiDiMode() const { return biDiMode_; }
    void SetBiDiMode(TBiDiMode mode) { biDiMode_ = mode; }
    bool IsRightToLeft() const { return biDiMode_ != bdLeftToRight; }

    TMenuItem* FindItem(UINT_PTR value, TFindItemKind kind);
    // Clicks the item of a command identifier; false when none has it.
    bool DispatchCommand(UINT command);
    // Clicks the enabled item with that short cut; false when none has it.
    bool IsShortCut(TShortCut shortCut);

    void Notification(TComponent* component, TOperation operation) override;
    bool SetParentComponent(TComponent*) override { return true; }

protected:
    friend class TMenuItem;
    void Destroy() override;
    virtual HMENU CreateMenuHandle() = 0;
    // The native menu changed (a main menu redraws its form's bar).
    virtual void MenuChanged() {}

private:
    TMenuItem* items_;
    TCustomImageList* images_ = nullptr;
    bool ownerDraw_ = false;
    TBiDiMode biDiMode_ = bdLeftToRight;
};

class TMainMenu : public TMenu {
    FW_CLASS(TMainMenu, TMenu)
public:
    using TMenu::TMenu;

protected:
    void Destroy() override;
    HMENU CreateMenuHandle() override { return CreateMenu(); }
    void MenuChanged() override;
};

enum TPopupAlignment { paLeft, paRight, paCenter };
FW_ENUM(TPopupAlignment, "paLeft", "paRight", "paCenter")

class TPopupMenu : public TMenu {
    FW_CLASS(TPopupMenu, TMenu)
public:
    using TMenu::TMenu;

    TPopupAlignment Alignment() const { return alignment_; }
    void SetAlignment(TPopupAlignment a) { alignment_ = a; }
    TNotifyEvent OnPopup;
    // Shows the menu at a screen point until it is closed; a chosen item
    // is clicked.
    virtual void Popup(int x, int y);

protected:
    HMENU CreateMenuHandle() override { return CreatePopupMenu(); }

private:
    TPopupAlignment alignment_ = paLeft;
};

// The caption marks the key as its accelerator ("&File" for 'F' or 'f');
// "&&" is a plain ampersand. The caption is GBK text.
bool IsAccel(unsigned key, const std::string& caption);

// WM_MEASUREITEM and WM_DRAWITEM of framework menu items, for the window
// procedures that receive them; false for anything else.
bool HandleMenuItemMessage(TMessage& message);

}  // namespace fw
