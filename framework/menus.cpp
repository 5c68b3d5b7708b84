#include "framework/menus.h"

#include <algorithm>
#include <set>

#include "framework/application.h"
#include "framework/guards.h"
#include "framework/text.h"

namespace fw {

namespace {

// Live items (native item data is checked against it) and the command
// identifiers in use.
std::set<const TMenuItem*>& LiveItems()
{
    static auto* s = new std::set<const TMenuItem*>;
    return *s;
}

std::set<UINT>& Commands()
{
    static auto* s = new std::set<UINT>;
    return *s;
}

UINT NewCommand()
{
    UINT id = 1;
    for (UINT used : Commands()) {
        if (used != id) break;
        ++id;
    }
    Commands().insert(id);
    return id;
}

std::wstring NativeText(const TMenuItem* item)
{
    std::string text = item->Caption();
    if (item->ShortCutKey()) text += "\t" + ShortCutToText(item->ShortCutKey());
    return ToWide(text);
}

}  // namespace

TShortCut ShortCut(WORD key, TShiftState shift)
{
    TShortCut s = static_cast<TShortCut>(key & 0xFF);
    if (shift.Contains(ssShift)) s |= scShift;
    if (shift.Contains(ssCtrl)) s |= scCtrl;
    if (shift.Contains(ssAlt)) s |= scAlt;
    return s;
}

std::string ShortCutToText(TShortCut shortCut)
{
    const WORD key = shortCut & 0xFF;
    std::string name;
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        name = std::string(1, static_cast<char>(key));
    else if (key >= VK_F1 && key <= VK_F24)
        name = "F" + std::to_string(key - VK_F1 + 1);
    else if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9)
        name = "Num " + std::to_string(key - VK_NUMPAD0);
    else {
        switch (key) {
        case VK_BACK: name = "BkSp"; break;
        case VK_TAB: name = "Tab"; break;
        case VK_ESCAPE: name = "Esc"; break;
        case VK_RETURN: name = "Enter"; break;
        case VK_SPACE: name = "Space"; break;
        case VK_PRIOR: name = "PgUp"; break;
        case VK_NEXT: name = "PgDn"; break;
        case VK_END: name = "End"; break;
        case VK_HOME: name = "Home"; break;
        case VK_LEFT: name = "Left"; break;
        case VK_UP: name = "Up"; break;
        case VK_RIGHT: name = "Right"; break;
        case VK_DOWN: name = "Down"; break;
        case VK_INSERT: name = "Ins"; break;
        case VK_DELETE: name = "Del"; break;
        default: return {};
        }
    }
    std::string text;
    if (shortCut & scShift) text += "Shift+";
    if (shortCut & scCtrl) text += "Ctrl+";
    if (shortCut & scAlt) text += "Alt+";
    return text + name;
}

// ---------------------------------------------------------------------------
// TMenuItem

FW_IMPLEMENT_CLASS(TMenuItem)
{
    c.Property("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption);
    c.Property("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked);
    c.Property("Default", &TMenuItem::Default, &TMenuItem::SetDefault);
    c.Property("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled);
    c.Property("Hint", &TMenuItem::Hint, &TMenuItem::SetHint);
    c.Property("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex);
    c.Property("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem);
    c.Property("ShortCut", &TMenuItem::ShortCutKey, &TMenuItem::SetShortCutKey);
    c.Property("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible);
    c.Property("OnClick", &TMenuItem::OnClick);
    c.Property("OnDrawItem", &TMenuItem::OnDrawItem);
    c.Property("OnMeasureItem", &TMenuItem::OnMeasureItem);
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(NewCommand())
{
    LiveItems().insert(this);
}

void TMenuItem::Destroy()
{
    while (!items_.empty()) {
        TMenuItem* child = items_.back();
        Remove(child);
        child->Free();
    }
    if (parent_) parent_->Remove(this);
    DestroyHandles();
    LiveItems().erase(this);
    Commands().erase(command_);
    inherited::Destroy();
}

TMenuItem* TMenuItem::FromItemData(ULONG_PTR data)
{
    auto* item = reinterpret_cast<const TMenuItem*>(data);
    return LiveItems().count(item) ? const_cast<TMenuItem*>(item) : nullptr;
}

TMenu* TMenuItem::GetParentMenu() const
{
    const TMenuItem* root = this;
    while (root->parent_) root = root->parent_;
    return root->menu_;
}

bool TMenuItem::SetParentComponent(TComponent* parent)
{
    if (auto* menu = dynamic_cast<TMenu*>(parent)) {
        menu->Items()->Add(this);
        return true;
    }
    if (auto* item = dynamic_cast<TMenuItem*>(parent)) {
        item->Add(this);
        return true;
    }
    return false;
}

void TMenuItem::Insert(int index, TMenuItem* item)
{
    if (!item || item == this) return;
    if (item->parent_) item->parent_->Remove(item);
    index = std::clamp(index, 0, Count());
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
    RebuildContents();
    Changed();  // with children, the item gets its submenu
}

void TMenuItem::Remove(TMenuItem* item)
{
    auto it = std::find(items_.begin(), items_.end(), item);
    if (it == items_.end()) return;
    items_.erase(it);
    item->parent_ = nullptr;
    RebuildContents();
}

int TMenuItem::IndexOf(const TMenuItem* item) const
{
    auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

HMENU TMenuItem::Handle()
{
    if (!handle_) {
        handle_ = menu_ ? menu_->CreateMenuHandle() : CreatePopupMenu();
        RebuildContents();
    }
    return handle_;
}

void TMenuItem::DestroyHandles()
{
    for (TMenuItem* c : items_) c->DestroyHandles();
    if (handle_) {
        // The children's handles were destroyed (and detached) already.
        while (GetMenuItemCount(handle_) > 0) RemoveMenu(handle_, 0, MF_BYPOSITION);
        DestroyMenu(handle_);
        handle_ = nullptr;
    }
}

void TMenuItem::RebuildContents()
{
    if (!handle_) return;
    while (GetMenuItemCount(handle_) > 0) RemoveMenu(handle_, 0, MF_BYPOSITION);
    TMenu* menu = GetParentMenu();
    const bool ownerDraw = menu && menu->OwnerDraw();
    UINT pos = 0;
    for (TMenuItem* c : items_) {
        if (!c->visible_) continue;
        const std::wstring text = NativeText(c);
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_DATA | MIIM_SUBMENU | MIIM_STRING;
        mii.fType = c->IsLine() ? MFT_SEPARATOR : 0;
        if (ownerDraw) mii.fType |= MFT_OWNERDRAW;
        if (c->radioItem_) mii.fType |= MFT_RADIOCHECK;
        mii.fState = (c->enabled_ ? 0 : MFS_GRAYED) | (c->checked_ ? MFS_CHECKED : 0) |
                     (c->default_ ? MFS_DEFAULT : 0);
        mii.wID = c->command_;
        mii.dwItemData = reinterpret_cast<ULONG_PTR>(c);
        mii.hSubMenu = c->items_.empty() ? nullptr : c->Handle();
        mii.dwTypeData = const_cast<wchar_t*>(text.c_str());
        InsertMenuItemW(handle_, pos++, TRUE, &mii);
    }
    if (menu) menu->MenuChanged();
}

void TMenuItem::Changed()
{
    if (parent_) parent_->RebuildContents();
}

void TMenuItem::SetCaption(const std::string& s)
{
    if (s == caption_) return;
    caption_ = s;
    Changed();
}

void TMenuItem::SetEnabled(bool v)
{
    if (v == enabled_) return;
    enabled_ = v;
    Changed();
}

void TMenuItem::SetVisible(bool v)
{
    if (v == visible_) return;
    visible_ = v;
    Changed();
}

void TMenuItem::SetChecked(bool v)
{
    if (v == checked_) return;
    checked_ = v;
    Changed();
}

void TMenuItem::SetDefault(bool v)
{
    if (v == default_) return;
    default_ = v;
    Changed();
}

void TMenuItem::SetRadioItem(bool v)
{
    if (v == radioItem_) return;
    radioItem_ = v;
    Changed();
}

void TMenuItem::SetImageIndex(int v)
{
    if (v == imageIndex_) return;
    imageIndex_ = v;
    Changed();
}

void TMenuItem::SetShortCutKey(TShortCut v)
{
    if (v == shortCut_) return;
    shortCut_ = v;
    Changed();
}

void TMenuItem::Click() { OnClick(this); }

TMenuItem* TMenuItem::FindCommand(UINT command)
{
    if (command_ == command && parent_) return this;
    for (TMenuItem* c : items_)
        if (TMenuItem* found = c->FindCommand(command)) return found;
    return nullptr;
}

TMenuItem* TMenuItem::FindHandle(HMENU menu)
{
    if (handle_ == menu) return this;
    for (TMenuItem* c : items_)
        if (TMenuItem* found = c->FindHandle(menu)) return found;
    return nullptr;
}

TMenuItem* TMenuItem::FindShortCut(TShortCut shortCut)
{
    for (TMenuItem* c : items_) {
        if (!c->visible_ || !c->enabled_) continue;
        if (c->shortCut_ == shortCut) return c;
        if (TMenuItem* found = c->FindShortCut(shortCut)) return found;
    }
    return nullptr;
}

void TMenuItem::MeasureItem(TCanvas* canvas, int& width, int& height)
{
    if (IsLine()) {
        height = 8;
    } else {
        std::string text = caption_.empty() ? std::string(" ") : caption_;
        if (shortCut_) text += "    " + ShortCutToText(shortCut_);
        const SIZE size = canvas->TextExtent(text);
        width = size.cx + 32;
        height = std::max<int>(size.cy + 4, 18);
    }
    // The event adjusts the item's own size (or replaces it).
    if (OnMeasureItem) OnMeasureItem(this, canvas, width, height);
}

void TMenuItem::DrawItem(TCanvas* canvas, RECT r, bool selected)
{
    if (OnDrawItem) {
        OnDrawItem(this, canvas, r, selected);
        return;
    }
    canvas->Brush()->SetColor(selected ? clHighlight : clMenu);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->FillRect(r);
    if (IsLine()) {
        RECT line{r.left, (r.top + r.bottom) / 2 - 1, r.right, (r.top + r.bottom) / 2 + 1};
        DrawEdge(canvas->Handle(), &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    TMenu* menu = GetParentMenu();
    TCustomImageList* images = menu ? menu->Images() : nullptr;
    if (images && imageIndex_ >= 0 && imageIndex_ < images->Count()) {
        images->Draw(canvas, r.left + 2, r.top + (r.bottom - r.top - images->Height()) / 2,
                     imageIndex_, enabled_);
    } else if (checked_) {
        RECT mark{r.left + 2, r.top, r.left + 18, r.bottom};
        canvas->Font()->SetColor(selected ? clHighlightText : clMenuText);
        canvas->Brush()->SetStyle(bsClear);
        canvas->DrawText(radioItem_ ? "\xA1\xF1" : "\xA1\xCC", mark,
                         DT_SINGLELINE | DT_VCENTER | DT_CENTER);  // ● √
    }
    canvas->Brush()->SetStyle(bsClear);
    canvas->Font()->SetColor(!enabled_ ? clGrayText : selected ? clHighlightText : clMenuText);
    if (default_) canvas->Font()->SetStyle(canvas->Font()->Style() + TFontStyles{fsBold});
    RECT t{r.left + 22, r.top, r.right - 8, r.bottom};
    canvas->DrawText(caption_, t, DT_SINGLELINE | DT_VCENTER);
    if (shortCut_)
        canvas->DrawText(ShortCutToText(shortCut_), t, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
}

// ---------------------------------------------------------------------------
// TMenu, TMainMenu, TPopupMenu

FW_IMPLEMENT_CLASS(TMenu)
{
    c.Property("Images", &TMenu::Images, &TMenu::SetImages);
    c.Property("OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw);
    c.Property("BiDiMode", &TMenu::BiDiMode, &TMenu::SetBiDiMode);
    c.Property("Items", &TMenu::Items);
}

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(new TMenuItem(this))
{
    items_->menu_ = this;
}

void TMenu::Destroy()
{
    items_->DestroyHandles();
    inherited::Destroy();  // frees the root item with the owned components
}

void TMenu::SetImages(TCustomImageList* images)
{
    if (images_) images_->RemoveFreeNotification(this);
    images_ = images;
    if (images_) images_->FreeNotification(this);
    items_->RebuildContents();
}

void TMenu::SetOwnerDraw(bool v)
{
    if (v == ownerDraw_) return;
    ownerDraw_ = v;
    items_->RebuildContents();
    std::vector<TMenuItem*> stack(items_->items_.begin(), items_->items_.end());
    while (!stack.empty()) {
        TMenuItem* i = stack.back();
        stack.pop_back();
        i->RebuildContents();
        stack.insert(stack.end(), i->items_.begin(), i->items_.end());
    }
}

void TMenu::Notification(TComponent* component, TOperation operation)
{
    if (operation == opRemove && component == images_) images_ = nullptr;
    inherited::Notification(component, operation);
}

TMenuItem* TMenu::FindItem(UINT_PTR value, TFindItemKind kind)
{
    switch (kind) {
    case fkCommand: return items_->FindCommand(static_cast<UINT>(value));
    case fkHandle: return items_->FindHandle(reinterpret_cast<HMENU>(value));
    case fkShortCut: return items_->FindShortCut(static_cast<TShortCut>(value));
    }
    return nullptr;
}

bool TMenu::DispatchCommand(UINT command)
{
    TMenuItem* item = FindItem(command, fkCommand);
    if (!item) return false;
    item->Click();
    return true;
}

bool TMenu::IsShortCut(TShortCut shortCut)
{
    TMenuItem* item = FindItem(shortCut, fkShortCut);
    if (!item) return false;
    item->Click();
    return true;
}

FW_IMPLEMENT_CLASS(TMainMenu) {}

void TMainMenu::Destroy()
{
    // Off the form's window before its native menu goes.
    if (auto* form = dynamic_cast<TCustomForm*>(Owner());
        form && !form->Destroying() && form->Menu() == this)
        form->SetMenu(nullptr);
    inherited::Destroy();
}

void TMainMenu::MenuChanged()
{
    // The form that shows this menu redraws its bar.
    if (auto* form = dynamic_cast<TCustomForm*>(Owner()))
        if (form->Menu() == this) form->MenuChanged();
}

FW_IMPLEMENT_CLASS(TPopupMenu)
{
    c.Property("Alignment", &TPopupMenu::Alignment, &TPopupMenu::SetAlignment);
    c.Property("OnPopup", &TPopupMenu::OnPopup);
}

void TPopupMenu::Popup(int x, int y)
{
    OnPopup(this);
    HWND owner = GetActiveWindow();
    if (!owner && Application) owner = Application->Handle();
    static constexpr UINT kAlign[] = {TPM_LEFTALIGN, TPM_RIGHTALIGN, TPM_CENTERALIGN};
    const UINT command = static_cast<UINT>(TrackPopupMenuEx(
        Handle(), TPM_RETURNCMD | TPM_RIGHTBUTTON | kAlign[alignment_], x, y, owner, nullptr));
    PostMessageW(owner, WM_NULL, 0, 0);
    if (command) DispatchCommand(command);
}

bool IsAccel(unsigned key, const std::string& caption)
{
    const auto upper = [](unsigned c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; };
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        const auto c = static_cast<unsigned char>(caption[i]);
        if (c >= 0x81) {  // the lead byte of a double-byte character
            ++i;
            continue;
        }
        if (c != '&') continue;
        const auto next = static_cast<unsigned char>(caption[i + 1]);
        if (next == '&') {
            ++i;
            continue;
        }
        return next < 0x81 && upper(next) == upper(key);
    }
    return false;
}

bool HandleMenuItemMessage(TMessage& m)
{
    if (m.Msg == WM_MEASUREITEM) {
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
        if (mis->CtlType != ODT_MENU) return false;
        TMenuItem* item = TMenuItem::FromItemData(mis->itemData);
        if (!item) return false;
        int w = static_cast<int>(mis->itemWidth), h = static_cast<int>(mis->itemHeight);
        {
            TWindowDC screen(nullptr);
            TCanvas canvas;  // gives the DC back before the guard releases it
            canvas.SetHandle(screen.Handle());
            if (Screen) canvas.SetFont(Screen->MenuFont());
            item->MeasureItem(&canvas, w, h);
        }
        mis->itemWidth = static_cast<UINT>(std::max(w, 0));
        mis->itemHeight = static_cast<UINT>(std::max(h, 0));
        m.Result = TRUE;
        return true;
    }
    if (m.Msg == WM_DRAWITEM) {
        auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
        if (dis->CtlType != ODT_MENU) return false;
        TMenuItem* item = TMenuItem::FromItemData(dis->itemData);
        if (!item) return false;
        {
            // Whatever the handler does to the system's DC is undone once the
            // canvas (made after the guard, so ended before it) has let go.
            TSavedDC saved(dis->hDC);
            TCanvas canvas;
            canvas.SetHandle(dis->hDC);
            if (Screen) canvas.SetFont(Screen->MenuFont());
            item->DrawItem(&canvas, dis->rcItem, (dis->itemState & ODS_SELECTED) != 0);
        }
        m.Result = TRUE;
        return true;
    }
    return false;
}

}  // namespace fw
