// TWinSkinForm skins one top-level window: a framework form, or a foreign
// window such as a message box. It replaces the window procedure (and a
// form's WindowProc), draws the frame, caption and caption buttons from the
// skin, cuts the window to the skin's shape, and undoes all of it when the
// window is unskinned. The skin manager makes one per skinned window.
//
// Its procedures and the methods that run other code (the application's
// handlers, modal menu loops) run busy (TComponent::TBusyScope): freed in
// there, it is let go at once (the window and form get their own
// procedures back, the manager forgets it, its alive flag ends) and
// deleted when the outermost of them returns. Code that goes on after a
// call out checks the alive flag and does nothing once it was let go.
//
// Files: winskinform.cpp (life cycle), formproc.cpp (the window
// procedure), framepaint.cpp (frame painting and region), formfit.cpp
// (fitting the window to the frame), captionbuttons.cpp (caption buttons),
// formgeometry.cpp (geometry and window facts), menuitems.cpp (owner-drawn
// menu items and the toolbar custom-draw handlers).
#pragma once

#include "framework/winapi.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/bitmaps.h"
#include "framework/components.h"
#include "framework/messages.h"
#include "framework/subclass.h"
#include "framework/timers.h"
#include "skin/controls/skincontrol.h"
#include "skin/engine/aliveflag.h"
#include "skin/engine/skinmessages.h"
#include "skin/form/captionbuttons.h"
#include "skin/form/formgeometry.h"

namespace fw {
class TControl;
class TCustomForm;
class TMenuItem;
class TPopupMenu;
}  // namespace fw

namespace skin {

class TControlClassifier;
class TMenuBtn;
class TSkinData;
class TWinSkinMenu;

// The Tag of the replacement system menu.
constexpr int32_t TAG_SYSMENU = 33333;

// Sent by the system to draw a caption outside WM_NCPAINT.
constexpr UINT WM_NCUAHDRAWCAPTION = 0xAE;

// A windowed control with scroll bars the engine skins.
bool NeedsScrollbars(fw::TControl* control);

// An item of a native menu that the skin made owner-drawn: its menu, its
// place there and what it is (its identifier, submenu and whether it is a
// separator).
struct TOwnerDrawnItem {
    HMENU Menu = nullptr;
    UINT Position = 0;
    UINT Id = 0;
    HMENU SubMenu = nullptr;
    bool Separator = false;
};
// Makes every item of the menu and its submenus owner-drawn, so that the
// skin draws them (before a menu bar's popup is tracked). The items it
// changes are noted in made, when given; those owner-drawn already (by the
// application, or by an earlier call) are left as they are and not noted.
void OwnerDrawSubmenus(HMENU menu, std::vector<TOwnerDrawnItem>* made = nullptr);
// Gives the items noted their own drawing back and forgets them. Each is
// looked up in its menu by what it is, at its noted place first, so that
// items the program inserted, removed or moved meanwhile do not hide it;
// an item gone, or in a menu destroyed, is passed over. Items the program
// made owner-drawn itself were never noted and are left as they are; only
// one alike a noted item (the same submenu, or the same identifier and
// kind) can be taken for it.
void UndoOwnerDrawnSubmenus(std::vector<TOwnerDrawnItem>& made);

// A native menu item's text as the skin shows it: the caption before the
// first tab, and the text after it drawn as the item's short cut at the
// item's right, any further tabs in it expanded (empty without a tab).
struct TNativeMenuText {
    std::string Caption;
    std::string ShortCut;
};
TNativeMenuText SplitNativeMenuText(std::wstring_view text);

class TWinSkinForm : public fw::TComponent {
    FW_CLASS(TWinSkinForm, fw::TComponent)
public:
    // owner: the form of the window, or null for a foreign window.
    explicit TWinSkinForm(fw::TComponent* owner);

    // Set by the manager before InitSkinForm or AttachWindow.
    HWND WindowHandle = nullptr;
    std::string ClassName;

    // Skins a framework form: its window procedure and WindowProc.
    void InitSkinForm(TSkinData* data, fw::TCustomForm* form);
    // Skins a foreign window: its window procedure only.
    void AttachWindow(TSkinData* data);

    // A child window made after activation (the hook's size grips): the
    // skinner of its kind, when it has one.
    void SkinChildWindow(HWND window);

    // Full unskin: window procedure, frame, size and region put back.
    void UnhookWindow();
    // The window is going away (or the manager is): only the procedures
    // are put back. Safe to call twice.
    void QuickUnhook();
    // Applies the skin again (WM_SKINUPDATE, the reload command).
    void ReSkin();
    void CreateSysButtons();
    void FreeSysButtons();
    // Tells the window and the application's OnAfterSkinForm that it is
    // skinned; false when the skinner was let go in there.
    [[nodiscard]] bool NotifySkinned();
    // Frame changed: the system recomputes the non-client area.
    void RefreshFrame();

    // Painting (framepaint.cpp).
    // Paints the frame into the DC, or into the window DC when null.
    void PaintFrame(HDC dc = nullptr);
    void UpdateWindowRegion();
    void RemoveWindowRegion();
    // Fits the window to the skinned frame (formfit.cpp). With regionFirst
    // a window other than an MDI child gets the region of its new size
    // before it takes that size, so that the one resize repaints it shaped
    // (UpdateWindowRegion then finds the region made).
    void FitWindowToSkin(bool keepClient, bool regionFirst = false);
    // A normal window's outer height changed so that its client is this
    // high again (after a menu bar came or went).
    void RestoreClientHeight(int height);
    int ClientHeight() const;

    // Caption buttons (captionbuttons.cpp).
    bool SysButtonVisible(size_t index);
    void LayoutSysButtons();
    void PaintSysButton(TWinSysButton* button, int frame);
    void DoSysButtonAction(int x, int y);
    TCaptionFacts CaptionFacts();

    // Window commands.
    void ToggleMaximize();
    void ToggleMinimize();
    void RestoreWindow();
    void ShowSystemMenu(POINT screen);
    // An MDI frame sends the system command to its active MDI child.
    void MDIChildCommand(WPARAM command);
    // An MDI frame whose active MDI child is maximised.
    bool IsMDIChildMaximized() const;
    // An MDI frame with a skinned menu bar and a maximised active child:
    // the child's caption buttons sit at the right of the bar.
    bool ShowsMDIButtons() const;
    // Draws those buttons into the menu-bar strip's DC (origin at the
    // strip's top-left corner).
    void PaintMDIButtons(HDC stripDC);
    // The left edge of the leftmost of them in strip coordinates, or
    // INT_MAX when none is shown.
    int MDIButtonsLeft() const;

    // Owner-drawn menu items (menuitems.cpp). The handlers of framework
    // menu items: MeasureMenuItem for popup menus, MeasureBarMenuItem for
    // the items under a menu bar, DrawMenuItem for both.
    void MeasureMenuItem(fw::TObject* sender, fw::TCanvas* canvas, int& width, int& height);
    void MeasureBarMenuItem(fw::TObject* sender, fw::TCanvas* canvas, int& width, int& height);
    void DrawMenuItem(fw::TObject* sender, fw::TCanvas* canvas, RECT r, bool selected);
    // Switch the skin's drawing of menus on or off: the popup menus among
    // the container's components (and those of the forms it owns), its
    // main menus' items under the bar, one item and its sub-items. Off
    // takes back only the handlers these assigned.
    void OwnerDrawPopupMenus(fw::TComponent* container, bool on);
    void OwnerDrawMainMenu(fw::TComponent* container, bool on);
    void OwnerDrawMenuItems(fw::TMenuItem* item, bool on);
    // Toolbar custom draw: the skin's toolbar ground stretched over r; a
    // button's skin frame for its custom-draw item state (CDIS_*), false
    // when the button is left to the toolbar.
    void ToolbarCustomDraw(fw::TCanvas* canvas, const RECT& r);
    bool ToolbarButtonCustomDraw(fw::TCanvas* canvas, const RECT& bounds, UINT state);
    // A tool bar's OnCustomDraw and OnCustomDrawButton handlers, given by
    // the classification: they draw through the two above and leave the
    // bar's own drawing of glyphs and captions on.
    void DrawToolbar(fw::TObject* sender, fw::TCanvas* canvas, const RECT& r, bool& defaultDraw);
    void DrawToolbarButton(fw::TObject* sender, fw::TCanvas* canvas, const RECT& button, UINT state,
                           bool& defaultDraw);
    // The menu the window had when it was hooked (GetMenu).
    HMENU NativeMenu = nullptr;
    // Menus (formmenus.cpp).
    // Builds the replacement system menu anew from the window's system
    // menu (none without a known system menu handle).
    void BuildSystemMenu();
    // The short cut an item of the replacement system menu shows: what the
    // system's text of the item has after its first tab (empty for any
    // other item).
    std::string SysMenuShortCut(const fw::TMenuItem* item) const;
    // The window's system menu has a close command.
    bool HasCloseCommand() const;
    // Opens the popup of a bar entry and tracks it until it closes; false
    // when the entry has no popup (its command is still posted).
    bool TrackMenuButton(TMenuBtn* entry);
    // WM_SKINMENUOPEN: the bar entry at the screen point opens.
    void OpenMenuAtPoint(fw::TMessage& m);
    // Posts a click one pixel inside the entry, so that it opens as if
    // clicked (after any open popup has closed).
    void ClickMenuButton(TMenuBtn* entry);
    // The bar entry with this accelerator, or null.
    TMenuBtn* FindMenuAccel(unsigned key) const;
    void EndMenuTracking() { MenuTracking = false; }
    bool IsSystemMenu(HMENU menu) const;
    // Clears the hot and pressed objects the predicate picks (before the
    // list they point into is freed).
    void ForgetNCObjects(const std::function<bool(TNCObject*)>& picks);

    // A screen point in frame coordinates.
    POINT ScreenToFrame(POINT screen) const;
    TFrameBorders Borders() const { return borders_; }
    bool Hooked() const { return hooked_; }
    const TSkinControlList& Controls() const { return controls_; }

    TSkinData* SkinData = nullptr;
    fw::TCustomForm* FormControl = nullptr;
    bool FrameSkinned = false;
    bool Active = true;
    TFormKind FormKind = fkNormal;
    TBorderKind BorderKind = bkFixed;
    uint8_t CaptionCaps = 0;
    TSkinWindowState WindowState = wsNormal;
    TFormState FormState = fsInstalled;
    bool IsChildWindow = false;
    bool IsDialogClass = false;
    bool RightToLeft = false;
    bool Unicode = true;
    DWORD WindowStyle = 0;
    HMENU SysMenuHandle = nullptr;
    int MenuBarHeight = 0;
    // The skinned menu bar (owned as a component), null when none.
    TWinSkinMenu* MenuBar = nullptr;
    // A bar entry's popup is being tracked.
    bool MenuTracking = false;
    // The replacement system menu (owned as a component), null until built.
    fw::TPopupMenu* SysMenu = nullptr;
    std::vector<std::unique_ptr<TWinSysButton>> SysButtons;
    // The caption button (or menu-bar entry) that is pressed or hot.
    TNCObject* HotObject = nullptr;
    // The "MDIClient" child of an MDI frame.
    HWND MDIClientHandle = nullptr;
    // The skinned child under the mouse, for a window that is not a form
    // (a form's controls hear the mouse leave from the framework).
    TSkinControl* HoveredControl = nullptr;
    UINT DoubleClickTime = 0;
    DWORD LastSysMenuTick = 0;
    RECT CaptionTextRect{};
    int RightButtonsWidth = 0;
    bool RegionSet = false;
    int RegionWidth = 0, RegionHeight = 0;
    int WindowWidth = 0, WindowHeight = 0;
    RECT WindowRect{};
    fw::TBitmap* IconBitmap() const { return iconBitmap_.get(); }
    fw::TFont* CaptionFont() const { return captionFont_.get(); }

    // The skinned window procedure (formproc.cpp).
    void NCWndProc(fw::TMessage& m);
    // The form's replacement WindowProc.
    void FormWindowProc(fw::TMessage& m);
    // The replacement procedure of an MDI frame's MDI client.
    void MDIClientWndProc(fw::TMessage& m);

    void Notification(fw::TComponent* component, fw::TOperation operation) override;

protected:
    void Destroy() override;
    void LetGo() override;

private:
    friend class TFormProcTest;
    void HookWindow(TSkinData* data);
    // The window and form get their own procedures back, the control
    // skinners go, its alive flag ends, and nothing (the manager, the menu
    // hook, the form's menus and tool bars) reaches the skinner any more.
    void Detach();
    // Looks for the frame's "MDIClient" child: an MDI frame.
    void FindMDIClient();
    void UnhookMDIClient();
    // The hovered child, while it is still one of the listed skinners.
    TSkinControl* LiveHoveredControl();
    // Sends the hovered child the mouse-leave and forgets it.
    void LeaveHoveredControl();
    void ReadWindowState();
    void BuildIconBitmap();
    void ActivationSequence();
    void FreeSkinControls() { controls_.FreeSkinControls(); }
    // Skinners for the window's children.
    void SkinControls();
    void RunClassifier(const std::function<void(TControlClassifier&)>& pass);
    // A control whose window was made again gets a new scroll-bar skinner
    // in place of the one that skinned its old window.
    void RecreateScrollbarSkin(HWND oldWindow);
    void SetSysMenuStyle(bool remove);
    void CallOld(fw::TMessage& m) { hook_.CallDefault(m); }
    // CallOld, after which nothing more is done unless this answers true:
    // the old procedure may run a loop of messages in which the skinner is
    // let go.
    [[nodiscard]] bool CallOldSurvived(fw::TMessage& m)
    {
        return alive_.Survives([&] { CallOld(m); });
    }
    // The window's style longs, in the window's own kind.
    DWORD WindowLong(int index) const;
    void SetWindowLong(int index, DWORD value);
    void DrawWindowIcon(HDC dc, const RECT& r);

    // Message handlers (formproc.cpp).
    void WMNCCalcSize(fw::TMessage& m);
    void WMNCHitTest(fw::TMessage& m);
    void WMNCPaint(fw::TMessage& m);
    void WMNCActivate(fw::TMessage& m);
    void WMSize(fw::TMessage& m);
    void WMNCMouseMove(fw::TMessage& m);
    void WMNCLButtonDown(fw::TMessage& m);
    void WMNCLButtonUp(fw::TMessage& m);
    void WMNCLButtonDblClk(fw::TMessage& m);
    void WMNCRButtonDown(fw::TMessage& m);
    void WMCommand(fw::TMessage& m);
    void WMSysCommand(fw::TMessage& m);
    void CMDialogChar(fw::TMessage& m);
    void CMMenuChanged(fw::TMessage& m);
    // A bar for the window's native menu (when it has one).
    void CreateMenuBar();
    void FreeMenuBar();
    void FreeSystemMenu();
    void BuildSystemMenuOld();
    void AddSysMenuItem(const std::string& caption, int32_t tag, int image, bool enabled,
                        bool checked);
    fw::TMenuItem* LastSysMenuItem() const;
    void SysMenuClick(fw::TObject* sender);
    // Shows the replacement system menu at the point until it closes.
    void PopupSystemMenu(POINT screen);
    void OldSysMenuClick(fw::TObject* sender);
    void EndPress();
    // The caption button, else the bar entry, at the screen point.
    TNCObject* NCObjectAt(POINT screen) const;
    void HoverTimer(fw::TObject* sender);
    void WMMeasureItem(fw::TMessage& m);
    void WMDrawItem(fw::TMessage& m);
    // Clears every menu handler bound to this skinner among the menus of
    // the container and its components (the skinner is going away).
    void ForgetMenuHandlers(fw::TComponent* container);
    // Clears the tool-bar handlers above from the form's controls (an
    // application's own handlers stay).
    void ForgetToolbarHandlers();

    // Painting (framepaint.cpp).
    void PaintBorder(int piece, const RECT& r, HDC dc);
    // The window region of a w by h window, set with or without a redraw.
    void SetWindowRegion(int w, int h, bool redraw);
    // Composes the caption strip into the frame bitmap.
    void PaintCaption();
    void DrawCaptionText(fw::TCanvas* canvas, const RECT& r);
    void PaintSysButtons(HDC dc);
    std::wstring CaptionText() const;

    TFrameBorders borders_;
    bool activated_ = false;
    bool hooked_ = false;
    bool sizable_ = false;
    bool quickUnhooked_ = false;
    HWND ownerWindow_ = nullptr;
    SIZE nativeOverhead_{};
    RECT activationClient_{};
    // How much the client grew when the native menu bar was taken off
    // before activation.
    int barGrowth_ = 0;
    fw::TColor savedColor_ = 0;
    fw::TWndMethod oldFormWindowProc_;
    bool formProcSaved_ = false;
    fw::TTimer* hoverTimer_ = nullptr;  // owned as a component
    std::unique_ptr<fw::TFont> captionFont_;
    std::unique_ptr<fw::TBitmap> iconBitmap_;
    HICON icon_ = nullptr;
    SIZE iconSize_{};
    // The frame composed off screen, and the caption strip under the
    // caption buttons (to draw one button again over its own ground).
    std::unique_ptr<fw::TBitmap> captionBitmap_;
    std::unique_ptr<fw::TBitmap> buttonGround_;
    // Each frame piece as last built from the skin (left, right, top,
    // bottom), for the paints that follow at the same size and state; the
    // skin applied again or changed builds them anew.
    struct TBuiltBorder {
        std::unique_ptr<fw::TBitmap> bitmap;
        const TSkinData* data = nullptr;
        int width = -1, height = -1, frame = 0;
    };
    TBuiltBorder builtBorders_[4];
    void ForgetBuiltBorders();
    // The object pressed by the last button-down, until release or until
    // the press ends otherwise.
    TNCObject* pressed_ = nullptr;
    // The native items the bar popups made owner-drawn, given back when
    // the window is unskinned.
    std::vector<TOwnerDrawnItem> ownerDrawnItems_;
    // TrackPopupMenu of a bar entry runs (MenuTracking may end earlier).
    bool barPopupOpen_ = false;
    // A click that came while a bar popup was open, posted again once it
    // has closed (its point, 0 for none).
    LPARAM pendingClick_ = 0;
    // The replacement system menu is on screen.
    bool sysMenuOpen_ = false;
    // The short cuts of the replacement system menu's items that have one,
    // as the system's texts give them.
    std::map<const fw::TMenuItem*, std::string> sysShortCuts_;
    // Ended when the skinner is let go or its teardown begins; calls that
    // run other code (modal menu loops, the application's handlers, the
    // old procedure) go through it when work follows them.
    TAliveFlag alive_;
    // The skinners of the window's children, and the canvas they share.
    TSkinControlList controls_;
    std::unique_ptr<fw::TCanvas> controlCanvas_;
    // The window's procedure, bound to NCWndProc.
    fw::TSubclass hook_{fw::TWndMethod(this, &TWinSkinForm::NCWndProc)};
    // An MDI frame's MDI client, bound to MDIClientWndProc, and the skin's
    // MenuUpdate as it was when the frame was hooked.
    fw::TSubclass mdiClientHook_{fw::TWndMethod(this, &TWinSkinForm::MDIClientWndProc)};
    bool mdiMenuUpdate_ = false;
};

}  // namespace skin
