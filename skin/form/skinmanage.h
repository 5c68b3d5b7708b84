// The skin manager: the one object of the process that decides which
// top-level windows are skinned. It keeps the registered skin datas and
// the form skinners it made, watches window creation and activation
// through a WH_CBT hook on the GUI thread, and runs the commands skin
// datas post when their Active or SkinFile change at run time. It also
// gives each popup-menu window ("#32768") created while skinning is on a
// popup skinner (popupmenu.h), freed when the window is destroyed.
//
// Ownership: a skinner made for a framework form is owned by the form and
// freed with it (its destructor calls ForgetWindow); one made for a
// foreign window is owned by the manager. A skinner whose window was
// destroyed stays listed, marked, until the manager next skins a window or
// runs a command (PurgeForms), or is freed. GUI thread only.
#pragma once

#include "framework/winapi.h"

#include <memory>
#include <string>
#include <vector>

#include "framework/bitmaps.h"
#include "framework/classes.h"
#include "skin/form/popupmenu.h"

namespace fw {
class TControl;
class TCustomForm;
class TTimer;
}  // namespace fw

namespace skin {

class TSkinData;
class TWinSkinForm;

enum TSkinCommand { smNone = 0, smSkinAll = 1, smUnskinAll = 2, smReload = 3 };

// Which kind of popup menu is expected next; each needs its own flag in
// the skin data's SkinControls.
enum TPopupMode {
    pmFormPopup = 0,  // a form's popup menu: xcPopupMenu
    pmBarPopup = 1,   // a popup of a menu bar: xcMainMenu or xcMenuItem
    pmSystemMenu = 2  // the system menu: xcSystemMenu
};

class TSkinManage : public fw::TObject {
public:
    // States: idle until the first activation, active, closing.
    static constexpr int kIdle = 0, kActive = 1, kClosing = 4;

    explicit TSkinManage(bool moduleMode);
    ~TSkinManage() override;

    // Appends the data; the first sfMainform data becomes the main one,
    // whose Options rule the window filters.
    void RegisterSkinData(TSkinData* data);
    // Removes it and drops the main and command references to it; the
    // windows skinned with it are unskinned and their skinners freed.
    void UnregisterSkinData(TSkinData* data);
    const std::vector<TSkinData*>& SkinDatas() const { return skinDatas_; }
    TSkinData* MainSkinData() const { return mainSkinData_; }

    // Installs the WH_CBT hook for the calling thread; a second call keeps
    // the first hook.
    void InstallHook();

    // The caller sets CommandSkinData first. The command runs once, delay
    // milliseconds later, from the message loop. While the manager is
    // idle nothing is run: a skin-all only switches skinning on and an
    // unskin-all only switches it off.
    void PostSkinCommand(TSkinCommand command, int delay);
    // Runs the pending command (the command timer's handler).
    void RunSkinCommand(fw::TObject* sender);
    TSkinCommand PendingCommand() const { return pendingCommand_; }
    TSkinData* CommandSkinData = nullptr;

    // Skins one top-level window through the filters below; true when a
    // skinner was made and hooked (the skinning itself follows when the
    // posted WM_SKINACTIVATE arrives).
    bool SkinWindow(HWND window);
    // A visible top-level form: SkinWindow of its window. True for a form
    // that is hidden or a child window (nothing to do).
    bool SkinForm(fw::TCustomForm* form);
    // The listed skinner of the window, or null.
    TWinSkinForm* FindSkinForm(HWND window) const;
    // The framework form or control of the window, or null. A form without
    // a window is never given one here.
    fw::TControl* FindFormByHandle(HWND window) const;
    // The class and option filters, and the main skin data's DoFormSkin.
    bool MaySkinWindow(HWND window, const std::string& className);
    // The skin data for a window: the last registered that fits.
    TSkinData* ChooseSkinData(HWND window) const;
    // Unlists the skinner (its destructor calls this); nothing while closing.
    void ForgetWindow(TWinSkinForm* skinner);
    // Frees the skinners whose window is gone.
    void PurgeForms();
    const std::vector<TWinSkinForm*>& SkinnedWindows() const { return forms_; }

    // Frees the caption buttons of the windows skinned with the command
    // skin data, before a reload.
    void FreeSysButtonsOfSkin();
    // The MDI children are shown maximised (their regions removed) or not.
    void SetCaptionButtonMode(bool maximized);

    // The popup-menu windows. A new "#32768" window gets a popup skinner
    // when skinning is on, the chosen skin data has a skin and the flag
    // of the popup mode; marked as a bar popup while MenuTracking is set.
    void SkinPopupMenu(HWND window);
    // Frees the skinner of the window (true), else false. When none is
    // left the popup mode and menu tracking are reset.
    bool ReleasePopupMenu(HWND window);
    bool IsPopupMenuHeld(HWND window) const;
    // The newest popup skinner that does not know its menu yet gets it,
    // unless a popup shows that menu already.
    void SetPopupMenuHandle(HMENU menu);
    // The ground of the popup that shows the menu, or null.
    fw::TBitmap* PopupMenuBitmap(HMENU menu) const;
    // Marks every popup skinner as a bar popup.
    void MarkBarPopups();
    const std::vector<fw::TOwnedPtr<TWinSkinPopMenu>>& PopupMenus() const { return popups_; }
    TPopupMode PopupMode = pmFormPopup;
    bool MenuTracking = false;

    bool Active = false;
    bool SkinningAll = false;
    int State = kIdle;
    bool MDIMaximized = false;
    HWND MDIClient = nullptr;
    fw::TControl* MDIFrame = nullptr;
    bool ModuleMode() const { return moduleMode_; }

private:
    friend LRESULT CALLBACK CBTProc(int code, WPARAM wParam, LPARAM lParam);
    void HookCall(int code, WPARAM wParam, LPARAM lParam);
    // Takes the skinner out of the list and frees it.
    void FreeSkinner(TWinSkinForm* skinner);
    // Full unskin, repaint, free.
    void UnskinAndFree(TWinSkinForm* skinner);

    bool moduleMode_;
    fw::TTimer* timer_ = nullptr;
    std::vector<TWinSkinForm*> forms_;
    std::vector<fw::TOwnedPtr<TWinSkinPopMenu>> popups_;
    std::vector<TSkinData*> skinDatas_;
    TSkinData* mainSkinData_ = nullptr;
    TSkinCommand pendingCommand_ = smNone;
    HHOOK hook_ = nullptr;
};

// The manager of the process, null until the first skin data is loaded
// and again once it is freed.
TSkinManage* SkinManager();
// Makes it when there is none; answers it.
TSkinManage* CreateSkinManager(bool moduleMode);
// Frees it (at the engine's end).
void FreeSkinManager();

}  // namespace skin
