// The form skinner's menus: the skinned bar's life on the window, the
// replacement system menu (an owner-drawn copy of the window's system
// menu), opening bar entries by click, accelerator and WM_SKINMENUOPEN,
// and the menu-changed and dialog-character messages.
#include <algorithm>
#include <utility>
#include <vector>

#include "framework/application.h"
#include "framework/forms.h"
#include "framework/menus.h"
#include "framework/text.h"
#include "skin/data/skindata.h"
#include "skin/form/menubar.h"
#include "skin/form/skinmanage.h"
#include "skin/form/winskinform.h"

namespace skin {
namespace {

// System-menu texts are read up to this many characters.
constexpr int kSysTextRoom = 80;
// The images of the skin data's menu image list.
enum : int { kImageRestore = 0, kImageMaximize = 1, kImageMinimize = 2, kImageClose = 3 };

// True on systems before Windows 2000 of the NT family.
bool OldNT()
{
    const TWindowsVersion& v = WindowsVersion();
    return v.NT && v.Major < 5;
}

}  // namespace

void TWinSkinForm::ForgetNCObjects(const std::function<bool(TNCObject*)>& picks)
{
    if (HotObject && picks(HotObject)) HotObject = nullptr;
    if (pressed_ && picks(pressed_)) pressed_ = nullptr;
}

void TWinSkinForm::CreateMenuBar()
{
    if (MenuBar || FormKind == fkMDIChild || !WindowHandle || !GetMenu(WindowHandle)) return;
    if (!NativeMenu) NativeMenu = GetMenu(WindowHandle);
    MenuBar = new TWinSkinMenu(this, SkinData);
    MenuBarHeight = GetSystemMetrics(SM_CYMENU);
    const int before = ClientHeight();
    MenuBar->LoadMenuBar();
    // Before the skinned frame exists, the native frame hands the room of
    // the menu bar taken off to the client.
    barGrowth_ = FormState == fsInstalled ? std::max(ClientHeight() - before, 0) : 0;
}

void TWinSkinForm::FreeMenuBar()
{
    if (!MenuBar) return;
    TWinSkinMenu* bar = MenuBar;
    MenuBar = nullptr;
    bar->Free();
}

// The replacement system menu.

void TWinSkinForm::FreeSystemMenu()
{
    // A copy on screen is freed once its popup has closed (or with the
    // skinner).
    if (!SysMenu || (sysMenuOpen_ && alive_.Lives())) return;
    fw::TPopupMenu* menu = SysMenu;
    SysMenu = nullptr;
    sysShortCuts_.clear();
    menu->Free();
}

void TWinSkinForm::AddSysMenuItem(const std::string& caption, int32_t tag, int image, bool enabled,
                                  bool checked)
{
    auto* item = new fw::TMenuItem(SysMenu);
    item->SetCaption(caption);
    item->SetTag(tag);
    item->SetImageIndex(image);
    item->SetEnabled(enabled);
    item->SetChecked(checked);
    item->OnDrawItem = fw::TMenuDrawItemEvent(this, &TWinSkinForm::DrawMenuItem);
    item->OnMeasureItem = fw::TMenuMeasureItemEvent(this, &TWinSkinForm::MeasureMenuItem);
    item->OnClick = OldNT() ? fw::TNotifyEvent(this, &TWinSkinForm::OldSysMenuClick)
                            : fw::TNotifyEvent(this, &TWinSkinForm::SysMenuClick);
    SysMenu->Items()->Add(item);
}

fw::TMenuItem* TWinSkinForm::LastSysMenuItem() const
{
    fw::TMenuItem* items = SysMenu->Items();
    return items->Items(items->Count() - 1);
}

void TWinSkinForm::BuildSystemMenu()
{
    // The copy on screen stays until its popup has closed.
    if (sysMenuOpen_) return;
    FreeSystemMenu();
    if (!OldNT() && !SysMenuHandle) return;
    SysMenu = new fw::TPopupMenu(this);
    SysMenu->SetTag(TAG_SYSMENU);
    SysMenu->SetOwnerDraw(true);
    if (SkinData) SysMenu->SetImages(SkinData->MenuImages());
    if (OldNT()) {
        BuildSystemMenuOld();
        return;
    }
    const bool maximized = WindowState == wsMaximized;
    const int count = GetMenuItemCount(SysMenuHandle);
    for (int i = 0; i < count; ++i) {
        wchar_t text[kSysTextRoom + 1] = {};
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_STATE | MIIM_ID | MIIM_TYPE;
        mii.dwTypeData = text;
        mii.cch = kSysTextRoom;
        if (!GetMenuItemInfoW(SysMenuHandle, UINT(i), TRUE, &mii)) continue;
        const size_t length = (mii.fType & (MFT_SEPARATOR | MFT_BITMAP | MFT_OWNERDRAW))
                                  ? 0
                                  : wcsnlen(text, kSysTextRoom);
        // The text after the first tab is the item's short cut, shown as
        // the system's text has it (an item a program added keeps its own).
        const TNativeMenuText native = SplitNativeMenuText(std::wstring_view(text, length));
        const std::string caption = length ? native.Caption : "-";
        // A greyed item is disabled whatever else its state holds.
        bool enabled = !(mii.fState & MFS_GRAYED);
        int image = -1;
        switch (mii.wID) {
        // A window without a sizing border cannot be sized from its menu.
        case SC_SIZE: enabled = !maximized && (WindowLong(GWL_STYLE) & WS_THICKFRAME); break;
        case SC_MOVE: enabled = !maximized; break;
        case SC_MINIMIZE:
            image = kImageMinimize;
            enabled = WindowState != wsMinimized && (CaptionCaps & ccMinimize);
            break;
        case SC_MAXIMIZE:
            image = kImageMaximize;
            enabled = !maximized && (CaptionCaps & ccMaximize);
            break;
        case SC_CLOSE: image = kImageClose; break;
        case SC_RESTORE:
            image = kImageRestore;
            enabled = WindowState != wsNormal;
            break;
        default: break;
        }
        AddSysMenuItem(caption, int32_t(mii.wID), image, enabled, (mii.fState & MFS_CHECKED) != 0);
        if (!native.ShortCut.empty()) sysShortCuts_[LastSysMenuItem()] = native.ShortCut;
    }
}

std::string TWinSkinForm::SysMenuShortCut(const fw::TMenuItem* item) const
{
    const auto found = sysShortCuts_.find(item);
    return found == sysShortCuts_.end() ? std::string() : found->second;
}

void TWinSkinForm::BuildSystemMenuOld()
{
    AddSysMenuItem(" Restore ", 0, kImageRestore, true, false);
    if (CaptionCaps & ccMaximize) AddSysMenuItem(" Maximize ", 1, kImageMaximize, true, false);
    if (CaptionCaps & ccMinimize) AddSysMenuItem(" Minimize ", 2, kImageMinimize, true, false);
    AddSysMenuItem("-", 100, 100, true, false);
    AddSysMenuItem(" Close ", 3, kImageClose, true, false);
    LastSysMenuItem()->SetShortCutKey(fw::scAlt | VK_F4);
}

void TWinSkinForm::SysMenuClick(fw::TObject* sender)
{
    auto* item = dynamic_cast<fw::TMenuItem*>(sender);
    if (!item || !WindowHandle || FormState == fsDestroyed) return;
    PostMessageW(WindowHandle, WM_SYSCOMMAND, WPARAM(item->Tag()), 0);
}

void TWinSkinForm::OldSysMenuClick(fw::TObject* sender)
{
    auto* item = dynamic_cast<fw::TMenuItem*>(sender);
    if (!item || !WindowHandle || FormState == fsDestroyed) return;
    switch (item->Tag()) {
    case 0: RestoreWindow(); break;
    case 1: ToggleMaximize(); break;
    case 2: ToggleMinimize(); break;
    case 3:
        if (hoverTimer_) hoverTimer_->SetEnabled(false);
        PostMessageW(WindowHandle, WM_CLOSE, 0, 0);
        break;
    default: break;
    }
}

void TWinSkinForm::PopupSystemMenu(POINT screen)
{
    const TBusyScope busy(this);
    BuildSystemMenu();
    if (!SysMenu || sysMenuOpen_) return;
    HWND window = WindowHandle;
    sysMenuOpen_ = true;
    // The window owns the popup, so its items are measured and drawn by
    // this skinner's window procedure. The window (and this skinner with
    // it) may go meanwhile.
    UINT command = 0;
    if (!alive_.Survives([&] {
            command = UINT(TrackPopupMenuEx(SysMenu->Handle(), TPM_RETURNCMD | TPM_RIGHTBUTTON,
                                            screen.x, screen.y, window, nullptr));
        }))
        return;
    sysMenuOpen_ = false;
    if (command && SysMenu) SysMenu->DispatchCommand(command);
}

bool TWinSkinForm::HasCloseCommand() const
{
    const TWindowsVersion& v = WindowsVersion();
    if (OldNT() || v.Win95Family) return true;
    if (!SysMenuHandle) return false;
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_ID;
    return GetMenuItemInfoW(SysMenuHandle, SC_CLOSE, FALSE, &mii) != FALSE;
}

// The bar's entries.

TMenuBtn* TWinSkinForm::FindMenuAccel(unsigned key) const
{
    return MenuBar ? MenuBar->FindMenuAccel(key) : nullptr;
}

void TWinSkinForm::ClickMenuButton(TMenuBtn* entry)
{
    if (!entry || !WindowHandle || FormState == fsDestroyed) return;
    RECT window;
    if (!GetWindowRect(WindowHandle, &window)) return;
    const int x = entry->Rect.left + window.left + 1, y = entry->Rect.top + window.top + 1;
    PostMessageW(WindowHandle, WM_NCLBUTTONDOWN, HTCLIENT, MAKELPARAM(x, y));
}

namespace {

// The type, identifier and submenu of the item at the position.
bool ReadItemType(HMENU menu, UINT position, MENUITEMINFOW& info)
{
    info = MENUITEMINFOW{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU;
    return GetMenuItemInfoW(menu, position, TRUE, &info) != FALSE;
}

// Only the type changes: the item keeps its text, which its drawing reads
// back.
bool WriteItemType(HMENU menu, UINT position, UINT type)
{
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    info.fType = type;
    return SetMenuItemInfoW(menu, position, TRUE, &info) != FALSE;
}

}  // namespace

void OwnerDrawSubmenus(HMENU menu, std::vector<TOwnerDrawnItem>* made)
{
    const int count = menu ? GetMenuItemCount(menu) : 0;
    for (UINT i = 0; i < UINT(std::max(count, 0)); ++i) {
        MENUITEMINFOW info;
        if (!ReadItemType(menu, i, info)) continue;
        if (!(info.fType & MFT_OWNERDRAW) && WriteItemType(menu, i, info.fType | MFT_OWNERDRAW) &&
            made)
            made->push_back({menu, i, info.wID, info.hSubMenu, (info.fType & MFT_SEPARATOR) != 0});
        if (info.hSubMenu) OwnerDrawSubmenus(info.hSubMenu, made);
    }
}

namespace {

// Whether the item is the one noted: the item that opens the same submenu,
// or, for one that opens none, an item of the same identifier that is a
// separator as it was (or not).
bool IsNotedItem(const TOwnerDrawnItem& noted, const MENUITEMINFOW& item)
{
    if (noted.SubMenu) return item.hSubMenu == noted.SubMenu;
    return !item.hSubMenu && item.wID == noted.Id &&
           ((item.fType & MFT_SEPARATOR) != 0) == noted.Separator;
}

// Gives back the noted items of one menu. Only an item that is owner-drawn
// now can be one the skin made so, and each answers one note. A note takes
// the item at its noted place when that is the item noted. The notes left
// then take, each in turn, the nearest item that is the one noted and that
// no note took yet; of two as near, the one further down, since an
// insertion above an item moves it down. Items that are alike (separators
// mostly share identifier 0 and open no submenu) thus all draw themselves
// again however many the program inserted or removed around them, as long
// as it added no owner-drawn one of its own that is alike too.
void UndoOwnerDrawnItems(HMENU menu, const std::vector<const TOwnerDrawnItem*>& notes)
{
    const UINT count = UINT(std::max(GetMenuItemCount(menu), 0));
    std::vector<MENUITEMINFOW> items(count);
    std::vector<bool> open(count);
    for (UINT i = 0; i < count; ++i)
        open[i] = ReadItemType(menu, i, items[i]) && (items[i].fType & MFT_OWNERDRAW);
    const auto give = [&](UINT i) {
        open[i] = false;
        WriteItemType(menu, i, items[i].fType & ~UINT(MFT_OWNERDRAW));
    };
    const auto distance = [](UINT a, UINT b) { return a > b ? a - b : b - a; };
    std::vector<const TOwnerDrawnItem*> moved;
    for (const TOwnerDrawnItem* noted : notes) {
        const UINT at = noted->Position;
        if (at < count && open[at] && IsNotedItem(*noted, items[at]))
            give(at);
        else
            moved.push_back(noted);
    }
    for (const TOwnerDrawnItem* noted : moved) {
        const UINT at = noted->Position;
        UINT found = count;
        for (UINT i = 0; i < count; ++i)
            if (open[i] && IsNotedItem(*noted, items[i]) &&
                (found == count || distance(i, at) <= distance(found, at)))
                found = i;
        if (found < count) give(found);
    }
}

}  // namespace

void UndoOwnerDrawnSubmenus(std::vector<TOwnerDrawnItem>& made)
{
    std::vector<HMENU> menus;
    for (const TOwnerDrawnItem& noted : made)
        if (std::find(menus.begin(), menus.end(), noted.Menu) == menus.end())
            menus.push_back(noted.Menu);
    for (HMENU menu : menus) {
        // A menu destroyed meanwhile has nothing to give back.
        if (!IsMenu(menu)) continue;
        std::vector<const TOwnerDrawnItem*> notes;
        for (const TOwnerDrawnItem& noted : made)
            if (noted.Menu == menu) notes.push_back(&noted);
        UndoOwnerDrawnItems(menu, notes);
    }
    made.clear();
}

bool TWinSkinForm::TrackMenuButton(TMenuBtn* entry)
{
    const TBusyScope busy(this);
    // One bar popup at a time: its loop runs messages, but never opens another.
    if (barPopupOpen_) return false;
    SetMenuSwitching(false);
    if (!entry || !WindowHandle || FormState == fsDestroyed) return false;
    HWND window = WindowHandle;
    PostMessageW(window, WM_COMMAND, entry->Command, 0);
    HMENU popup = entry->SubMenu;
    if (!popup) return false;
    const int index = entry->Index;
    const bool visible = entry->Visible;
    RECT w;
    GetWindowRect(window, &w);
    UINT flags = TPM_NONOTIFY | TPM_RIGHTBUTTON;
    POINT at{entry->Rect.left + w.left, entry->Rect.bottom + w.top};
    if (RightToLeft) {
        at.x = entry->Rect.right + w.left;
        flags |= TPM_RIGHTALIGN;
    }
    // The popup's items are drawn by the skin (NT 4 draws them natively).
    if (!(WindowsVersion().NT && WindowsVersion().Major == 4))
        OwnerDrawSubmenus(popup, &ownerDrawnItems_);
    MenuTracking = true;
    TSkinManage* manager = SkinManager();
    if (manager) {
        manager->PopupMode = pmBarPopup;
        manager->MenuTracking = true;
    }
    InstallMenuHook(this, index);
    // The bar may be rebuilt, and the window may go, while the popup is
    // open: nothing of the entry is read after this.
    barPopupOpen_ = true;
    const bool alive = alive_.Survives([&] {
        if (visible) TrackPopupMenu(popup, flags, at.x, at.y, 0, window, nullptr);
    });
    if (alive) barPopupOpen_ = false;
    RemoveMenuHook();
    if (TSkinManage* current = SkinManager()) current->MenuTracking = false;
    if (alive) {
        MenuTracking = false;
        if (const LPARAM click = std::exchange(pendingClick_, 0))
            PostMessageW(window, WM_NCLBUTTONDOWN, HTCLIENT, click);
    }
    return true;
}

void TWinSkinForm::OpenMenuAtPoint(fw::TMessage& m)
{
    m.Result = 0;
    const POINT frame = ScreenToFrame(POINT{short(LOWORD(m.LParam)), short(HIWORD(m.LParam))});
    if (FindSysButton(SysButtons, frame) || !MenuBar) return;
    if (TMenuBtn* entry = MenuBar->MenuBarHitTest(frame)) TrackMenuButton(entry);
}

// Messages.

void TWinSkinForm::CMDialogChar(fw::TMessage& m)
{
    if (!alive_.Survives([&] { oldFormWindowProc_(m); }) || m.Result) return;
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    const auto down = [&](int key) { return (keys[key] & 0x80) != 0; };
    if (down(VK_MENU) && !down(VK_CONTROL) && !down(VK_SHIFT)) {
        if (TMenuBtn* entry = FindMenuAccel(unsigned(m.WParam))) {
            ClickMenuButton(entry);
            m.Result = 1;
            return;
        }
    }
    m.Result = 0;
    // The character goes on to the menu of the frame or the main form.
    fw::TControl* target = nullptr;
    if (FormKind == fkMDIChild) {
        if (TSkinManage* manager = SkinManager()) target = manager->MDIFrame;
    } else if (fw::Application && FormControl && !FormControl->Modal()) {
        target = fw::Application->MainForm();
    }
    if (target && target != FormControl) target->Perform(fw::CM_DIALOGCHAR, m.WParam, m.LParam);
}

}  // namespace skin
