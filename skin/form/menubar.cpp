// The skinned menu bar: entries built from the window's menu, their
// layout, the painting of the strip and of one entry, and the hit test.
#include "skin/form/menubar.h"

#include <algorithm>

#include "framework/forms.h"
#include "framework/guards.h"
#include "framework/menus.h"
#include "framework/text.h"
#include "skin/controls/skinpaint.h"
#include "skin/data/skindata.h"
#include "skin/draw/skindraw.h"
#include "skin/engine/skinapi.h"
#include "skin/engine/skinunit.h"
#include "skin/form/winskinform.h"

namespace skin {
namespace {

// Room beside a caption inside its entry, and where entries start.
constexpr int kCaptionRoom = 10;
constexpr int kPlainStart = 6;
constexpr int kNarrowStart = 12;
// Native item texts are read up to this many characters.
constexpr int kTextRoom = 80;

// The skin's menu-bar object when it has an image.
TDataSkinObject* MenuBarObject(TSkinData* data)
{
    if (!data) return nullptr;
    TDataSkinObject* o = data->Skin().MenuBar.get();
    return o && !o->Image->Empty() ? o : nullptr;
}

fw::TFont* MenuFont() { return fw::Screen ? fw::Screen->MenuFont() : nullptr; }

int CaptionWidth(HDC dc, const std::wstring& caption)
{
    if (caption.empty()) return 0;
    RECT r{0, 0, 0, 0};
    DrawTextWide(dc, caption, r, DT_CALCRECT | DT_NOCLIP);
    const int w = r.right - r.left;
    return w > 0 ? w + kCaptionRoom : 0;
}

struct TNativeItem {
    UINT State = 0;
    UINT Id = 0;
    HMENU SubMenu = nullptr;
    std::wstring Text;
};

TNativeItem ReadNativeItem(HMENU menu, int position)
{
    TNativeItem item;
    wchar_t text[kTextRoom + 1] = {};
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_TYPE;
    mii.dwTypeData = text;
    mii.cch = kTextRoom;
    if (!GetMenuItemInfoW(menu, UINT(position), TRUE, &mii)) return item;
    item.State = mii.fState;
    item.Id = mii.wID;
    item.SubMenu = mii.hSubMenu;
    if (!(mii.fType & (MFT_BITMAP | MFT_SEPARATOR | MFT_OWNERDRAW)))
        item.Text.assign(text, wcsnlen(text, kTextRoom));
    return item;
}

// Takes the framework item's caption, state and popup into the entry.
void TakeFormItem(TMenuBtn& entry, fw::TMenuItem* item)
{
    entry.Caption = fw::ToWide(item->Caption());
    entry.ItemEnabled = item->Enabled();
    entry.MenuItem = item;
    entry.SubMenu = item->Count() > 0 ? item->Handle() : nullptr;
}

}  // namespace

FW_IMPLEMENT_CLASS(TWinSkinMenu) {}

TWinSkinMenu::TWinSkinMenu(TWinSkinForm* form, TSkinData* data)
    : TComponent(form), SkinData(data), Form(form), Background(std::make_unique<fw::TBitmap>())
{}

void TWinSkinMenu::Destroy()
{
    FreeEntries();
    SetMenu(nullptr);
    inherited::Destroy();
}

void TWinSkinMenu::SetMenu(fw::TMenu* menu)
{
    if (menu == menu_) return;
    if (menu_) menu_->RemoveFreeNotification(this);
    menu_ = menu;
    if (menu_) menu_->FreeNotification(this);
}

void TWinSkinMenu::Notification(fw::TComponent* component, fw::TOperation operation)
{
    if (operation == fw::opRemove && component == menu_) menu_ = nullptr;
    inherited::Notification(component, operation);
}

void TWinSkinMenu::FreeEntries()
{
    // The form's hot and pressed objects may point into the list.
    Form->ForgetNCObjects([this](TNCObject* o) {
        return std::any_of(Entries.begin(), Entries.end(),
                           [o](const auto& e) { return e.get() == o; });
    });
    Entries.clear();
}

void TWinSkinMenu::Clear()
{
    FreeEntries();
    MenuHandle = nullptr;
}

bool TWinSkinMenu::RightToLeft() const { return Form->RightToLeft; }

void TWinSkinMenu::LoadMenuBar()
{
    HWND window = Form->WindowHandle;
    if (HMENU current = window ? GetMenu(window) : nullptr) MenuHandle = current;
    if (!MenuHandle) return;
    if (Form->FormControl) {
        SetMenu(Form->FormControl->Menu());
        if (!menu_) return;
    }
    FreeEntries();
    const TWindowsVersion& v = WindowsVersion();
    const bool oldSystem = v.Major < 4 || (v.Major == 4 && (v.NT || v.Minor == 0));
    if (oldSystem && menu_)
        AddFormEntries();
    else
        AddNativeEntries(false);
    if (window) ::SetMenu(window, nullptr);
}

void TWinSkinMenu::LoadMDIMenuBar()
{
    HWND window = Form->WindowHandle;
    if (HMENU current = window ? GetMenu(window) : nullptr) MenuHandle = current;
    if (!MenuHandle) return;
    FreeEntries();
    AddNativeEntries(true);
    if (window) ::SetMenu(window, nullptr);
    LayoutMenuBar();
}

void TWinSkinMenu::AddFormEntries()
{
    fw::TMenuItem* items = menu_->Items();
    for (int i = 0; i < items->Count(); ++i) {
        fw::TMenuItem* item = items->Items(i);
        auto entry = std::make_unique<TMenuBtn>(Form, this);
        entry->Index = int(Entries.size());
        entry->Visible = item->Visible();
        entry->Command = item->Command();
        TakeFormItem(*entry, item);
        Entries.push_back(std::move(entry));
    }
}

void TWinSkinMenu::AddNativeEntries(bool mdi)
{
    const int count = GetMenuItemCount(MenuHandle);
    for (int i = 0; i < count; ++i) {
        const TNativeItem native = ReadNativeItem(MenuHandle, i);
        auto entry = std::make_unique<TMenuBtn>(Form, this);
        entry->Index = int(Entries.size());
        entry->Visible = true;
        entry->SubMenu = native.SubMenu;
        entry->ItemEnabled = !(native.State & (MFS_GRAYED | MFS_DISABLED));
        entry->Command = native.Id;
        entry->Caption = native.Text;
        // A textless item in an MDI frame's menu is an owner-drawn copy
        // of the form's item; outside MDI the form's item always rules.
        const bool lookUp = menu_ && (!mdi || native.Text.empty());
        if (fw::TMenuItem* item = lookUp ? menu_->FindItem(native.Id, fw::fkCommand) : nullptr) {
            TakeFormItem(*entry, item);
            entry->Command = item->Command();
        }
        Entries.push_back(std::move(entry));
    }
}

RECT TWinSkinMenu::StripRect() const
{
    RECT window{};
    if (Form->WindowHandle) GetWindowRect(Form->WindowHandle, &window);
    const TFrameBorders b = Form->Borders();
    return RECT{b.Left, b.Top, (window.right - window.left) - b.Right, b.Top + Form->MenuBarHeight};
}

int TWinSkinMenu::StartOffset(int stripWidth) const
{
    const TDataSkinObject* o = MenuBarObject(SkinData);
    if (!o) return kPlainStart;
    const int offset = RightToLeft() ? o->RightWidth + 8 : o->LeftWidth + 4;
    return stripWidth < offset ? kNarrowStart : offset;
}

void TWinSkinMenu::Layout(HDC dc, const RECT& s)
{
    const int width = s.right - s.left;
    const bool rtl = RightToLeft();
    int x = rtl ? width - StartOffset(width) : StartOffset(width);
    // Right to left, the entries end left of a maximised MDI child's buttons.
    if (rtl) x = std::min(x, Form->MDIButtonsLeft() - 5);
    for (auto& e : Entries) {
        if (!e->Visible) {
            e->Rect = RECT{0, 0, 0, 0};
            continue;
        }
        const int w = CaptionWidth(dc, e->Caption);
        if (rtl) {
            e->Rect = RECT{s.left + x - w, s.top, s.left + x, s.bottom - 1};
            x -= w;
        } else {
            e->Rect = RECT{s.left + x, s.top, s.left + x + w, s.bottom - 1};
            x += w;
        }
    }
}

void TWinSkinMenu::LayoutMenuBar()
{
    const RECT s = StripRect();
    if (IsRectEmpty(&s)) return;
    fw::TCanvas canvas;
    fw::TWindowDC screen(nullptr);
    canvas.SetHandle(screen.Handle());
    if (fw::TFont* font = MenuFont()) canvas.SetFont(font);
    Layout(canvas.Handle(), s);
    canvas.SetHandle(nullptr);
}

void DrawMenuBarCaption(TMenuBtn& entry, fw::TCanvas* canvas, const RECT& r)
{
    TSkinContent& skin = entry.Bar->SkinData->Skin();
    if (fw::TFont* font = MenuFont()) canvas->SetFont(font);
    canvas->Font()->SetColor(
        skin.Colour(entry.ItemEnabled ? TColourSlot::MenuBarText : TColourSlot::ButtonShadow));
    DrawAlignedCaption(canvas, r, fw::ToGbk(entry.Caption), 2, entry.ItemEnabled);
}

void TWinSkinMenu::PaintMenuBar(HDC dc, const RECT& s)
{
    fw::TBitmap* work = WorkBitmap();
    const int w = s.right - s.left, h = s.bottom - s.top;
    if (!work || !SkinData || w <= 0 || h <= 0) return;
    work->SetSize(w, h);
    fw::TCanvas* canvas = work->Canvas();
    SetStretchBltMode(canvas->Handle(), COLORONCOLOR);
    const RECT all{0, 0, w, h};
    if (TDataSkinObject* o = MenuBarObject(SkinData)) {
        const int frame = Form->Active ? 1 : 2;
        const RECT margins{o->LeftWidth, 0, o->RightWidth, 0};
        if (o->Tile == 1)
            DrawSkinImage(canvas->Handle(), all, o->Image.get(), true, false, false, 2, frame,
                          margins);
        else
            DrawSkinImageCanvas(canvas, all, o->Image.get(), true, false, 2, frame, margins);
    } else {
        canvas->Brush()->SetStyle(fw::bsSolid);
        canvas->Brush()->SetColor(SkinData->Skin().Colour(TColourSlot::Menubar));
        canvas->FillRect(all);
    }
    BarRect = s;
    Background->SetPixelFormat(fw::pf24bit);
    Background->SetSize(w, h);
    BitBlt(Background->Canvas()->Handle(), 0, 0, w, h, canvas->Handle(), 0, 0, SRCCOPY);

    if (fw::TFont* font = MenuFont()) canvas->SetFont(font);
    Layout(canvas->Handle(), s);
    for (auto& e : Entries) {
        if (!e->Visible) continue;
        const RECT cell{e->Rect.left - s.left, 0, e->Rect.right - s.left, h - 1};
        DrawMenuBarCaption(*e, canvas, cell);
    }
    // An MDI frame whose active child is maximised shows the child's
    // caption buttons at the right of the bar.
    if (Form->ShowsMDIButtons()) Form->PaintMDIButtons(canvas->Handle());
    BitBlt(dc, s.left, s.top, w, h, canvas->Handle(), 0, 0, SRCCOPY);
}

TMenuBtn* TWinSkinMenu::MenuBarHitTest(POINT frame) const
{
    for (const auto& e : Entries)
        if (!e->Caption.empty() && PtInRect(&e->Rect, frame)) return e.get();
    return nullptr;
}

TMenuBtn* TWinSkinMenu::FindMenuAccel(unsigned key) const
{
    for (const auto& e : Entries)
        if (e->ItemEnabled && e->Visible && fw::IsAccel(key, fw::ToGbk(e->Caption))) return e.get();
    return nullptr;
}

void TMenuBtn::DrawObject()
{
    HWND window = Form->WindowHandle;
    if (!window || !Bar->SkinData || Form->FormState == fsDestroyed || Bar->Background->Empty())
        return;
    const RECT& bar = Bar->BarRect;
    const int w = Rect.right - Rect.left, h = bar.bottom - bar.top;
    if (w <= 0 || h <= 0) return;
    // The entry's column of the strip, composed off screen.
    fw::TBitmap piece;
    piece.SetPixelFormat(fw::pf24bit);
    piece.SetSize(w, h);
    fw::TCanvas* canvas = piece.Canvas();
    BitBlt(canvas->Handle(), 0, 0, w, h, Bar->Background->Canvas()->Handle(), Rect.left - bar.left,
           0, SRCCOPY);
    const RECT local{0, Rect.top - bar.top, w, Rect.bottom - bar.top};
    if (State == nsPressed || State == nsHot) {
        canvas->Brush()->SetStyle(fw::bsSolid);
        canvas->Brush()->SetColor(Bar->SkinData->Skin().Colour(TColourSlot::ButtonHilight));
        canvas->FrameRect(local);
    }
    DrawMenuBarCaption(*this, canvas, local);
    HDC dc = GetWindowDC(window);
    if (!dc) return;
    BitBlt(dc, Rect.left, bar.top, w, h, canvas->Handle(), 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
}

}  // namespace skin
