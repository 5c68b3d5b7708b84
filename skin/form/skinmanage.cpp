#include "skin/form/skinmanage.h"

#include <algorithm>
#include <cctype>
#include <iterator>

#include "framework/forms.h"
#include "framework/guard.h"
#include "framework/steptimes.h"
#include "framework/timers.h"
#include "skin/data/skindata.h"
#include "skin/engine/skinmessages.h"
#include "skin/engine/skinunit.h"
#include "skin/form/winskinform.h"

namespace skin {

namespace {

// A plain pointer: skin datas may still ask for it while the program's
// statics go away, after the engine's end has freed it.
TSkinManage* g_manager = nullptr;

constexpr unsigned kTimerInterval = 100;  // ms, until a command sets its delay
constexpr int kNeverSkinnedTag = 99;

std::string ClassNameOf(HWND window)
{
    char name[101] = {};
    const int n = GetClassNameA(window, name, sizeof name);
    return std::string(name, size_t(std::max(n, 0)));
}

std::string Lower(std::string s)
{
    for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

LONG_PTR StyleOf(HWND window) { return GetWindowLongPtrW(window, GWL_STYLE); }
LONG_PTR ExStyleOf(HWND window) { return GetWindowLongPtrW(window, GWL_EXSTYLE); }

void Repaint(HWND window)
{
    if (!window || !IsWindow(window)) return;
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
}

}  // namespace

LRESULT CALLBACK CBTProc(int code, WPARAM wParam, LPARAM lParam)
{
    TSkinManage* manager = g_manager;
    if (code >= 0 && manager && manager->State != TSkinManage::kClosing)
        fw::Guarded([&] { manager->HookCall(code, wParam, lParam); });
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TSkinManage::TSkinManage(bool moduleMode) : moduleMode_(moduleMode)
{
    timer_ = new fw::TTimer(nullptr);
    timer_->SetEnabled(false);
    timer_->SetInterval(kTimerInterval);
    timer_->OnTimer = fw::TNotifyEvent(this, &TSkinManage::RunSkinCommand);
}

TSkinManage::~TSkinManage()
{
    State = kClosing;
    Active = false;
    fw::FreeAndNil(timer_);
    // Every skinner goes, its window given back its own procedure.
    while (!forms_.empty()) {
        TWinSkinForm* skinner = forms_.back();
        forms_.pop_back();
        skinner->QuickUnhook();
        skinner->Free();
    }
    popups_.clear();
    skinDatas_.clear();
    if (hook_) UnhookWindowsHookEx(hook_);
    hook_ = nullptr;
}

void TSkinManage::RegisterSkinData(TSkinData* data)
{
    if (std::find(skinDatas_.begin(), skinDatas_.end(), data) != skinDatas_.end()) return;
    skinDatas_.push_back(data);
    if (!mainSkinData_ && data->SkinFormtype() == sfMainform) mainSkinData_ = data;
}

void TSkinManage::UnregisterSkinData(TSkinData* data)
{
    std::erase(skinDatas_, data);
    if (mainSkinData_ == data) mainSkinData_ = nullptr;
    if (CommandSkinData == data) CommandSkinData = nullptr;
    // Nor does a popup menu that is open.
    for (size_t i = popups_.size(); i-- > 0;)
        if (popups_[i]->SkinData() == data) ReleasePopupMenu(popups_[i]->Window());
    // No skinner keeps painting with a skin that is gone: each window
    // skinned with it gets its own frame back (only its procedure, when
    // its form is going away too).
    std::vector<TWinSkinForm*> orphans;
    std::copy_if(forms_.begin(), forms_.end(), std::back_inserter(orphans),
                 [data](TWinSkinForm* f) { return f->SkinData == data; });
    for (TWinSkinForm* f : orphans) {
        // Unskinning one may have freed another.
        if (std::find(forms_.begin(), forms_.end(), f) == forms_.end()) continue;
        if (State == kClosing || (f->FormControl && f->FormControl->Destroying())) {
            f->QuickUnhook();
            FreeSkinner(f);
        } else {
            UnskinAndFree(f);
        }
    }
}

void TSkinManage::InstallHook()
{
    if (hook_) return;
    hook_ = SetWindowsHookExW(WH_CBT, CBTProc, nullptr, GetCurrentThreadId());
}

void TSkinManage::HookCall(int code, WPARAM wParam, LPARAM lParam)
{
    auto window = reinterpret_cast<HWND>(wParam);
    switch (code) {
    case HCBT_CREATEWND: {
        const CREATESTRUCTW* create = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
        if (!create) break;
        // A size grip made in a skinned window gets its skinner at once.
        if ((create->style & SBS_SIZEGRIP) && ClassNameOf(window) == "ScrollBar")
            if (TWinSkinForm* skinner = FindSkinForm(create->hwndParent))
                skinner->SkinChildWindow(window);
        if (!(create->style & WS_CHILD) && ClassNameOf(window) == "#32768") SkinPopupMenu(window);
        if (create->dwExStyle & WS_EX_MDICHILD) SkinWindow(window);
        break;
    }
    case HCBT_DESTROYWND: ReleasePopupMenu(window); break;
    case HCBT_ACTIVATE:
        if (State == kIdle) State = kActive;
        SkinWindow(window);
        break;
    default: break;
    }
}

void TSkinManage::PostSkinCommand(TSkinCommand command, int delay)
{
    pendingCommand_ = command;
    timer_->SetEnabled(false);
    timer_->SetInterval(unsigned(std::max(delay, 1)));
    if (State != kIdle) {
        timer_->SetEnabled(true);
        return;
    }
    if (command == smSkinAll) Active = true;
    if (command == smUnskinAll) Active = false;
}

void TSkinManage::RunSkinCommand(fw::TObject*)
{
    timer_->SetEnabled(false);
    TSkinData* data = CommandSkinData;
    if (!data) return;
    const TSkinCommand command = pendingCommand_;
    pendingCommand_ = smNone;
    const auto ofData = [data](TWinSkinForm* f) { return f->SkinData == data; };
    if (data->SkinFormtype() == sfOnlyThisForm) {
        auto* owner = dynamic_cast<fw::TCustomForm*>(data->Owner());
        switch (command) {
        case smSkinAll:
            Active = true;
            SkinningAll = true;
            for (int i = fw::Screen ? fw::Screen->FormCount() - 1 : -1; i >= 0; --i)
                if (fw::Screen->Forms(i) == owner) {
                    SkinForm(owner);
                    break;
                }
            SkinningAll = false;
            break;
        case smUnskinAll: {
            Active = false;
            PurgeForms();
            const auto it = std::find_if(forms_.rbegin(), forms_.rend(), ofData);
            if (it != forms_.rend()) UnskinAndFree(*it);
            break;
        }
        case smReload: {
            PurgeForms();
            const auto it = std::find_if(forms_.begin(), forms_.end(), ofData);
            if (it != forms_.end()) {
                TWinSkinForm* f = *it;
                const fw::TComponent::TBusyScope busy(f);
                f->FreeSysButtons();
                f->CreateSysButtons();
                f->ReSkin();
            }
            break;
        }
        case smNone: break;
        }
    } else {
        switch (command) {
        case smSkinAll:
            Active = true;
            SkinningAll = true;
            PurgeForms();
            for (int i = fw::Screen ? fw::Screen->FormCount() - 1 : -1; i >= 0; --i)
                if (i < fw::Screen->FormCount()) SkinForm(fw::Screen->Forms(i));
            SkinningAll = false;
            break;
        case smUnskinAll:
            Active = false;
            PurgeForms();
            while (!forms_.empty()) UnskinAndFree(forms_.front());
            break;
        case smReload: {
            PurgeForms();
            // Every window's caption buttons are made anew before any window
            // applies the skin. Over a copy: applying it runs the
            // application's handlers, and a skinner freed there has left
            // the list and is not read again.
            const std::vector<TWinSkinForm*> listed = forms_;
            const auto stillListed = [this](TWinSkinForm* f) {
                return std::find(forms_.begin(), forms_.end(), f) != forms_.end();
            };
            for (TWinSkinForm* f : listed)
                if (stillListed(f) && ofData(f)) {
                    f->FreeSysButtons();
                    f->CreateSysButtons();
                }
            for (TWinSkinForm* f : listed)
                if (stillListed(f) && ofData(f)) f->ReSkin();
            break;
        }
        case smNone: break;
        }
    }
    // The data may have gone while windows were unskinned.
    if (CommandSkinData == data) {
        data->DoSkinChanged();
        CommandSkinData = nullptr;
    }
}

bool TSkinManage::SkinWindow(HWND window)
{
    if (!Active || !window || !IsWindow(window)) return false;
    fw::TStepSpan span("skin window (form skinner, hooking)");
    PurgeForms();
    if (SendMessageW(window, WM_SKINQUERY, 0, 0) == 1 || FindSkinForm(window)) return false;
    fw::TControl* form = FindFormByHandle(window);
    const std::string className = ClassNameOf(window);
    const LONG_PTR style = StyleOf(window), exStyle = ExStyleOf(window);
    const bool mdiChild = (exStyle & WS_EX_MDICHILD) != 0;
    if (!SkinningAll && (style & WS_CHILD) && !mdiChild &&
        Lower(ClassNameOf(GetParent(window))) != "mdiclient")
        return false;
    if (!form) {
        const auto instance =
            reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
        if (instance != ModuleInstance() && className != "#32770") return false;
    }
    RECT r{};
    GetWindowRect(window, &r);
    if ((r.right == r.left || r.bottom == r.top) && !mdiChild) return false;
    if (form && form->Tag() == kNeverSkinnedTag) return false;
    if (className.find("TcxPopupEditPopupWindow") != std::string::npos ||
        className.find("TTERenderWindow") != std::string::npos || className == "TApplication")
        return false;
    if (!MaySkinWindow(window, className)) return false;
    TSkinData* data = ChooseSkinData(window);
    if (!data || data->NoSkin()) return false;

    auto* ownerForm = dynamic_cast<fw::TCustomForm*>(form);
    auto* skinner = new TWinSkinForm(ownerForm);
    skinner->WindowHandle = window;
    skinner->ClassName = className;
    forms_.push_back(skinner);
    // OnBeforeSkinForm runs inside, and may take the skin off (the new
    // skinner with it): it waits for the end of the scope.
    const fw::TComponent::TBusyScope busy(skinner);
    if (ownerForm)
        skinner->InitSkinForm(data, ownerForm);
    else
        skinner->AttachWindow(data);
    // A window someone else has bound already cannot be hooked: no skinner.
    if (!skinner->Hooked()) {
        FreeSkinner(skinner);
        return false;
    }
    PostMessageW(window, WM_SKINACTIVATE, 0, 1000);
    fw::StepMark("skin activation posted");
    return true;
}

bool TSkinManage::SkinForm(fw::TCustomForm* form)
{
    if (!form || !form->Visible()) return true;
    HWND window = form->Handle();
    if (StyleOf(window) & WS_CHILD) return true;
    return SkinWindow(window);
}

TWinSkinForm* TSkinManage::FindSkinForm(HWND window) const
{
    const auto it = std::find_if(forms_.begin(), forms_.end(),
                                 [window](TWinSkinForm* f) { return f->WindowHandle == window; });
    return it == forms_.end() ? nullptr : *it;
}

fw::TControl* TSkinManage::FindFormByHandle(HWND window) const
{
    // Inside the hook: only forms that have their window already.
    for (int i = 0; fw::Screen && i < fw::Screen->FormCount(); ++i) {
        fw::TCustomForm* form = fw::Screen->Forms(i);
        if (form->HandleAllocated() && form->HandleIfAllocated() == window) return form;
    }
    return fw::FindControl(window);
}

bool TSkinManage::MaySkinWindow(HWND window, const std::string& className)
{
    if (!mainSkinData_) return true;
    bool doSkin = true;
    const std::string lower = Lower(className);
    if (!mainSkinData_->Options().Contains(xoPreview) && lower.find("preview") != std::string::npos)
        doSkin = false;
    if (className == "#32770" && (StyleOf(window) & 0x200)) doSkin = false;
    if (lower == "tpopupdbtreeview") doSkin = false;
    mainSkinData_->DoFormSkin(window, className, doSkin);
    return doSkin;
}

TSkinData* TSkinManage::ChooseSkinData(HWND window) const
{
    const auto last = [this](auto fits) -> TSkinData* {
        const auto it = std::find_if(skinDatas_.rbegin(), skinDatas_.rend(), fits);
        return it == skinDatas_.rend() ? nullptr : *it;
    };
    const auto ofType = [](TSkinFormType type) {
        return [type](TSkinData* data) { return data->SkinFormtype() == type; };
    };
    TSkinData* chosen = last([window](TSkinData* data) {
        if (data->SkinFormtype() != sfOnlyThisForm) return false;
        auto* owner = dynamic_cast<fw::TWinControl*>(data->Owner());
        return owner && owner->HandleAllocated() && owner->HandleIfAllocated() == window;
    });
    const std::string lower = Lower(ClassNameOf(window));
    if (!chosen && (lower == "tmessageform" || lower == "#32770")) chosen = last(ofType(sfDialog));
    if (!chosen) chosen = last(ofType(sfMainform));
    if (!chosen && !skinDatas_.empty()) chosen = skinDatas_.front();
    return chosen;
}

void TSkinManage::ForgetWindow(TWinSkinForm* skinner)
{
    if (State == kClosing) return;
    std::erase(forms_, skinner);
}

void TSkinManage::PurgeForms()
{
    if (State == kClosing) return;
    for (size_t i = forms_.size(); i-- > 0;)
        if (i < forms_.size() && forms_[i]->FormState == fsDestroyed) FreeSkinner(forms_[i]);
}

void TSkinManage::FreeSkinner(TWinSkinForm* skinner)
{
    std::erase(forms_, skinner);
    skinner->Free();
}

void TSkinManage::UnskinAndFree(TWinSkinForm* skinner)
{
    // Unskinning runs the window's and the application's code, in which
    // the skinner may be freed again: it waits for the end of the scope.
    const fw::TComponent::TBusyScope busy(skinner);
    const HWND window = skinner->WindowHandle;
    skinner->UnhookWindow();
    Repaint(window);
    FreeSkinner(skinner);
}

void TSkinManage::FreeSysButtonsOfSkin()
{
    for (TWinSkinForm* f : forms_)
        if (f->SkinData == CommandSkinData) f->FreeSysButtons();
}

void TSkinManage::SetCaptionButtonMode(bool maximized)
{
    if (maximized == MDIMaximized) return;
    MDIMaximized = maximized;
    if (mainSkinData_ && mainSkinData_->Options().Contains(xoMDIChildBorder)) return;
    for (TWinSkinForm* f : forms_) {
        if (f->FormKind != fkMDIChild || f->FormState == fsDestroyed) continue;
        if (maximized) {
            if (f->RegionSet) f->RemoveWindowRegion();
        } else if (f->WindowState != wsMinimized) {
            f->WindowState = wsNormal;
            f->UpdateWindowRegion();
            if (!f->RegionSet) f->RefreshFrame();
        }
    }
}

void TSkinManage::SkinPopupMenu(HWND window)
{
    if (!Active || !window || IsPopupMenuHeld(window)) return;
    if (SendMessageW(window, WM_SKINQUERY, 0, 0) == 1) return;
    TSkinData* data = ChooseSkinData(window);
    if (!data || data->NoSkin()) return;
    const TSkinControlTypes controls = data->SkinControls();
    switch (PopupMode) {
    case pmFormPopup:
        if (!controls.Contains(xcPopupMenu)) return;
        break;
    case pmBarPopup:
        if (!controls.Contains(xcMainMenu) && !controls.Contains(xcMenuItem)) return;
        break;
    case pmSystemMenu:
        if (!controls.Contains(xcSystemMenu)) return;
        break;
    }
    fw::TOwnedPtr<TWinSkinPopMenu> popup(new TWinSkinPopMenu);
    if (!popup->HookMenuWindow(window, data, nullptr)) return;
    if (MenuTracking) popup->BarPopup = true;
    popups_.push_back(std::move(popup));
}

bool TSkinManage::ReleasePopupMenu(HWND window)
{
    const auto it = std::find_if(popups_.begin(), popups_.end(),
                                 [window](const auto& p) { return p->Window() == window; });
    if (it == popups_.end()) return false;
    // Out of the list before it goes, so nothing it calls finds it.
    fw::TOwnedPtr<TWinSkinPopMenu> popup = std::move(*it);
    popups_.erase(it);
    popup->UnhookMenuWindow();
    popup.reset();
    if (popups_.empty()) {
        MenuTracking = false;
        PopupMode = pmFormPopup;
    }
    return true;
}

bool TSkinManage::IsPopupMenuHeld(HWND window) const
{
    return std::any_of(popups_.begin(), popups_.end(),
                       [window](const auto& p) { return p->Window() == window; });
}

void TSkinManage::SetPopupMenuHandle(HMENU menu)
{
    // A menu already shown stays with its popup: its items are drawn
    // again while a newer popup (its submenu) waits for its own.
    if (!menu || PopupMenuBitmap(menu)) return;
    const auto it =
        std::find_if(popups_.rbegin(), popups_.rend(), [](const auto& p) { return !p->Menu; });
    if (it != popups_.rend()) (*it)->Menu = menu;
}

fw::TBitmap* TSkinManage::PopupMenuBitmap(HMENU menu) const
{
    if (!menu) return nullptr;
    const auto it = std::find_if(popups_.begin(), popups_.end(),
                                 [menu](const auto& p) { return p->Menu == menu; });
    return it == popups_.end() ? nullptr : (*it)->Background();
}

void TSkinManage::MarkBarPopups()
{
    for (const auto& p : popups_) p->BarPopup = true;
}

TSkinManage* SkinManager() { return g_manager; }

TSkinManage* CreateSkinManager(bool moduleMode)
{
    if (!g_manager) g_manager = new TSkinManage(moduleMode);
    return g_manager;
}

void FreeSkinManager()
{
    // Cleared first: nothing finds the manager while it goes, and nothing
    // afterwards (a skin data freed later unregisters from none).
    TSkinManage* manager = g_manager;
    g_manager = nullptr;
    delete manager;
}

}  // namespace skin
