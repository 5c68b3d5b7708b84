// The form skinner's life cycle: hooking a window, the activation that
// skins it, applying the skin again, and the two ways of unhooking (full,
// which gives the window its own frame back, and quick, when the window or
// the engine goes away).
#include "skin/form/winskinform.h"

#include <algorithm>

#include "framework/comctrls.h"
#include "framework/forms.h"
#include "framework/menus.h"
#include "framework/stdctrls.h"
#include "framework/steptimes.h"
#include "skin/controls/classify.h"
#include "skin/controls/skinheader.h"
#include "skin/controls/skinscroll.h"
#include "skin/data/skindata.h"
#include "skin/form/menubar.h"
#include "skin/form/skinmanage.h"

namespace skin {
namespace {

constexpr unsigned kHoverInterval = 250;

bool IsDialogClassName(const std::string& name)
{
    return name == "#32770" || name == "TMessageForm";
}

std::string WindowClassName(HWND window)
{
    char name[101] = {};
    const int n = GetClassNameA(window, name, sizeof name);
    return std::string(name, size_t(std::max(n, 0)));
}

}  // namespace

FW_IMPLEMENT_CLASS(TWinSkinForm) {}

TWinSkinForm::TWinSkinForm(fw::TComponent* owner)
    : TComponent(owner), captionFont_(std::make_unique<fw::TFont>()),
      iconBitmap_(std::make_unique<fw::TBitmap>()), captionBitmap_(std::make_unique<fw::TBitmap>()),
      buttonGround_(std::make_unique<fw::TBitmap>())
{
    DoubleClickTime = GetDoubleClickTime();
}

void TWinSkinForm::Detach()
{
    ForgetMenuHookForm(this);
    QuickUnhook();
    alive_.End();
    // No menu of a form that stays keeps a handler of this skinner.
    if (FormControl && !FormControl->Destroying()) {
        ForgetMenuHandlers(FormControl);
        ForgetToolbarHandlers();
    }
    if (TSkinManage* manager = SkinManager()) manager->ForgetWindow(this);
}

void TWinSkinForm::LetGo()
{
    // Freed inside one of its own messages: detached at once. An open
    // system menu, which a frame below is still tracking, and the caption
    // buttons go with the skinner.
    Detach();
    inherited::LetGo();
}

void TWinSkinForm::Notification(fw::TComponent* component, fw::TOperation operation)
{
    inherited::Notification(component, operation);
    // A form freed while its skinner, let go, waits to be deleted is not
    // touched again.
    if (operation == fw::opRemove && component == FormControl) FormControl = nullptr;
}

void TWinSkinForm::Destroy()
{
    // A skinner freed while its window lives leaves the window as it was
    // before hooking; one whose window is gone touches nothing.
    Detach();
    FreeSysButtons();
    FreeMenuBar();
    FreeSystemMenu();
    inherited::Destroy();
}

DWORD TWinSkinForm::WindowLong(int index) const
{
    return DWORD(Unicode ? GetWindowLongPtrW(WindowHandle, index)
                         : GetWindowLongPtrA(WindowHandle, index));
}

void TWinSkinForm::SetWindowLong(int index, DWORD value)
{
    if (Unicode)
        SetWindowLongPtrW(WindowHandle, index, LONG_PTR(value));
    else
        SetWindowLongPtrA(WindowHandle, index, LONG_PTR(value));
}

void TWinSkinForm::InitSkinForm(TSkinData* data, fw::TCustomForm* form)
{
    const TBusyScope busy(this);
    FormControl = form;
    form->FreeNotification(this);
    if (data->OnBeforeSkinForm) {
        const HWND window = WindowHandle;
        if (!alive_.Survives([&] { data->OnBeforeSkinForm(form, window, ClassName); })) return;
    }
    if (data->SkinControls().Contains(xcMenuItem)) form->SetAutoScroll(false);
    HookWindow(data);
    if (!hooked_) return;
    if (FrameSkinned) {
        oldFormWindowProc_ = form->WindowProc;
        form->WindowProc = fw::TWndMethod(this, &TWinSkinForm::FormWindowProc);
        formProcSaved_ = true;
    }
    savedColor_ = form->Color();
    form->SetColor(data->Skin().Colour(TColourSlot::ButtonFace));
    if (data->SkinControls().Contains(xcMenuItem)) OwnerDrawMainMenu(form, true);
}

void TWinSkinForm::AttachWindow(TSkinData* data)
{
    const TBusyScope busy(this);
    HookWindow(data);
}

void TWinSkinForm::HookWindow(TSkinData* data)
{
    if (hooked_ || !WindowHandle || !IsWindow(WindowHandle)) return;
    if (TSkinManage* manager = SkinManager(); manager && manager->State == TSkinManage::kIdle)
        manager->State = TSkinManage::kActive;
    SkinData = data;
    if (!hoverTimer_) {
        hoverTimer_ = new fw::TTimer(this);
        hoverTimer_->SetEnabled(false);
        hoverTimer_->SetInterval(kHoverInterval);
        hoverTimer_->OnTimer = fw::TNotifyEvent(this, &TWinSkinForm::HoverTimer);
    }
    if (data->CaptionFont()) captionFont_->Assign(data->CaptionFont());

    FrameSkinned = data->SkinControls().Contains(xcMainMenu);
    Unicode = IsWindowUnicode(WindowHandle) != FALSE;
    const DWORD style = WindowLong(GWL_STYLE);
    const DWORD exStyle = WindowLong(GWL_EXSTYLE);
    WindowStyle = style;
    RightToLeft = (exStyle & WS_EX_LEFTSCROLLBAR) != 0;
    IsChildWindow = (style & WS_CHILD) != 0;
    if (ClassName.empty()) ClassName = WindowClassName(WindowHandle);
    ownerWindow_ = GetWindow(WindowHandle, GW_OWNER);
    NativeMenu = GetMenu(WindowHandle);
    sizable_ = (style & WS_THICKFRAME) != 0;
    ReadWindowState();

    FindMDIClient();
    FormKind = FormKindOf(exStyle, MDIClientHandle != nullptr);
    if (FormKind == fkMDIChild && data->Options().Contains(xoMDIChildBorder)) FrameSkinned = false;
    const TWindowsVersion& version = WindowsVersion();
    CaptionCaps = CaptionCapsOf(style, exStyle, SysMenuHandle != nullptr, ownerWindow_ != nullptr,
                                FormKind == fkMDIChild, version);
    IsDialogClass = IsDialogClassName(ClassName);
    BorderKind = BorderKindOf(style, exStyle, IsDialogClass);
    if (version.Win95Family) {
        TSkinControlTypes controls = data->SkinControls();
        controls.Exclude(xcSystemMenu);
        data->SetSkinControls(controls);
    }

    if (!hook_.Hook(WindowHandle)) return;
    Unicode = hook_.Unicode();
    hooked_ = true;
    quickUnhooked_ = false;
    if (FormKind == fkMDIFrame) {
        mdiMenuUpdate_ = data->MenuUpdate();
        mdiClientHook_.Hook(MDIClientHandle);
    }
    // A window with a native menu bar gets the skinned bar in its place.
    if (FrameSkinned) {
        CreateMenuBar();
        CreateSysButtons();
    } else
        FormState = fsActive;
    if (FormKind == fkMDIChild) {
        // A skin whose caption is lower than the system's keeps the
        // difference as a strip under it, so the child's client area does
        // not move up into the caption the MDI client expects.
        const int system = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CXFRAME);
        if (FrameSkinned && borders_.Top < system) MenuBarHeight = system - borders_.Top;
        TSkinManage* manager = SkinManager();
        if (manager && WindowState == wsMaximized && !manager->MDIMaximized)
            manager->SetCaptionButtonMode(true);
    }
}

void TWinSkinForm::FindMDIClient()
{
    MDIClientHandle = nullptr;
    for (HWND child = GetTopWindow(WindowHandle); child; child = GetWindow(child, GW_HWNDNEXT))
        if (WindowClassName(child) == "MDIClient") {
            MDIClientHandle = child;
            break;
        }
    if (!MDIClientHandle) return;
    if (TSkinManage* manager = SkinManager()) {
        manager->MDIClient = MDIClientHandle;
        manager->MDIFrame = FormControl;
    }
}

void TWinSkinForm::UnhookMDIClient()
{
    mdiClientHook_.Unhook();
    // The manager no longer points at a frame that is not skinned.
    TSkinManage* manager = SkinManager();
    if (manager && MDIClientHandle && manager->MDIClient == MDIClientHandle) {
        manager->MDIClient = nullptr;
        manager->MDIFrame = nullptr;
    }
}

void TWinSkinForm::CreateSysButtons()
{
    if (!SkinData || SkinData->NoSkin()) return;
    ForgetBuiltBorders();
    borders_ = FrameBordersOf(SkinData->Skin(), BorderKind);
    if (BorderKind == bkNone) MenuBarHeight = 0;
    FreeSysButtons();
    for (auto& b : SkinData->Skin().SysButtons) {
        auto button = std::make_unique<TWinSysButton>(this, b.get());
        button->State = nsNormal;
        if (button->IsSysMenuButton()) {
            BuildIconBitmap();
            if (b->Image->Empty() && !iconBitmap_->Empty()) b->Image->Assign(iconBitmap_.get());
            fw::TBitmap* appIcon = SkinData->AppIconBitmap();
            if (appIcon && appIcon->Empty() && !iconBitmap_->Empty())
                appIcon->Assign(iconBitmap_.get());
        }
        SysButtons.push_back(std::move(button));
    }
}

void TWinSkinForm::FreeSysButtons()
{
    // The hot and pressed objects may be among them.
    HotObject = nullptr;
    pressed_ = nullptr;
    SysButtons.clear();
}

void TWinSkinForm::BuildIconBitmap()
{
    if (!WindowHandle || FormState == fsDestroyed) return;
    const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
    auto icon = reinterpret_cast<HICON>(SendMessageW(WindowHandle, WM_GETICON, ICON_SMALL, 0));
    if (!icon) icon = reinterpret_cast<HICON>(SendMessageW(WindowHandle, WM_GETICON, ICON_BIG, 0));
    icon_ = icon;
    iconSize_ = SIZE{cx, cy};
    iconBitmap_->SetPixelFormat(fw::pf16bit);
    iconBitmap_->SetSize(cx, cy);
    iconBitmap_->Canvas()->Brush()->SetColor(fw::clFuchsia);
    iconBitmap_->Canvas()->FillRect(RECT{0, 0, cx, cy});
    if (icon)
        DrawIconEx(iconBitmap_->Canvas()->Handle(), 0, 0, icon, cx, cy, 0, nullptr, DI_NORMAL);
}

void TWinSkinForm::ReadWindowState()
{
    if (!WindowHandle || FormState == fsDestroyed) return;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (GetWindowPlacement(WindowHandle, &placement))
        WindowState = WindowStateOf(placement.showCmd);
}

void TWinSkinForm::ActivationSequence()
{
    fw::StepMark("skin activation received");
    fw::TStepSpan span("activation sequence");
    activated_ = true;
    SysMenuHandle = GetSystemMenu(WindowHandle, FALSE);
    BuildIconBitmap();
    RECT window;
    GetWindowRect(WindowHandle, &window);
    GetClientRect(WindowHandle, &activationClient_);
    nativeOverhead_ = SIZE{(window.right - window.left) - activationClient_.right,
                           (window.bottom - window.top) - activationClient_.bottom};
    // Skinning the controls, fitting the window and the notification run
    // the application's handlers (OnSkinControl, OnResize, OnAfterSkinForm),
    // in which the skin may be taken off: then nothing more is done.
    {
        fw::TStepSpan controls("control skinners");
        if (!alive_.Survives([&] { SkinControls(); })) return;
    }
    if (FormState == fsInstalled) {
        ReadWindowState();
        if (FormKind == fkMDIChild && WindowState == wsMaximized)
            if (HWND client = GetParent(WindowHandle))
                PostMessageW(client, WM_SKINMDIREDRAW, reinterpret_cast<WPARAM>(WindowHandle), 0);
        const bool fits = FormKind == fkMDIChild ? WindowState == wsNormal
                                                 : !IsChildWindow && BorderKind != bkNone &&
                                                       WindowState != wsMinimized;
        if (fits) {
            FormState = NextFormState(FormState, TFormEvent::BeginFit);
            {
                fw::TStepSpan fit("fitting");
                if (!alive_.Survives([&] { FitWindowToSkin(false, WindowState != wsMaximized); }))
                    return;
            }
            FormState = NextFormState(FormState, TFormEvent::EndFit);
            fw::TStepSpan region("region");
            const bool alive = alive_.Survives([&] {
                if (WindowState == wsMaximized)
                    RefreshFrame();
                else
                    UpdateWindowRegion();
            });
            if (!alive) return;
        }
    }
    {
        fw::TStepSpan notify("notify skinned");
        if (!NotifySkinned()) return;
    }
    FormState = NextFormState(FormState, TFormEvent::Activated);
    if (hoverTimer_) hoverTimer_->SetEnabled(true);
    fw::StepMark("skin activation done");
}

void TWinSkinForm::RunClassifier(const std::function<void(TControlClassifier&)>& pass)
{
    controls_.Window = WindowHandle;
    controls_.OwnerComponent = this;
    if (!controlCanvas_) controlCanvas_ = std::make_unique<fw::TCanvas>();
    TControlClassifier classifier(controls_, SkinData, controlCanvas_.get());
    classifier.Sender = this;
    classifier.FrameSkinned = FrameSkinned;
    classifier.NeedsScrollbars = [](fw::TControl* control) { return NeedsScrollbars(control); };
    classifier.ToolbarCustomDraw = fw::TToolBarCustomDrawEvent(this, &TWinSkinForm::DrawToolbar);
    classifier.ToolbarCustomDrawButton =
        fw::TToolBarCustomDrawButtonEvent(this, &TWinSkinForm::DrawToolbarButton);
    classifier.OwnerDrawPopupMenus = [this](fw::TComponent* container) {
        OwnerDrawPopupMenus(container, true);
    };
    classifier.OwnerDrawMenuItems = [this](fw::TControl* control) {
        if (auto* menu = dynamic_cast<fw::TMenu*>(
                GetObjectPropByName(control, "Menu", fw::TMenu::StaticClass())))
            OwnerDrawMenuItems(menu->Items(), true);
    };
    pass(classifier);
}

void TWinSkinForm::SkinControls()
{
    RunClassifier([this](TControlClassifier& classifier) {
        if (FormControl)
            classifier.SkinAllControls(FormControl);
        else
            classifier.SkinChildWindows(WindowHandle);
    });
}

void TWinSkinForm::SkinChildWindow(HWND window)
{
    if (!hooked_ || FormState == fsDestroyed || !SkinData) return;
    RunClassifier([window](TControlClassifier& classifier) { classifier.SkinChildWindow(window); });
}

void TWinSkinForm::RecreateScrollbarSkin(HWND oldWindow)
{
    const auto& list = controls_.SkinControls();
    auto found = std::find_if(list.rbegin(), list.rend(),
                              [&](TSkinControl* s) { return s->Handle == oldWindow; });
    if (found == list.rend()) return;
    TSkinControl* old = *found;
    auto* control = dynamic_cast<fw::TWinControl*>(old->Control);
    // A list view's new window gets its header skinned again too; the old
    // header's skinner goes with the old window.
    auto* oldView = dynamic_cast<TSkinListView*>(old);
    const bool listView = oldView != nullptr;
    // A single bar keeps the control's own border on the new window too.
    auto* oldBars = dynamic_cast<TSkinScrollbar*>(old);
    const bool singleBar = oldBars && oldBars->SingleBar;
    if (oldView && oldView->Header) {
        TSkinHeader* header = oldView->Header;
        controls_.RemoveSkinControl(header);
        header->Free();
    }
    controls_.RemoveSkinControl(old);
    old->Free();
    // The message was posted: by now the control may be going, or have no
    // window again.
    if (!control || control->Destroying() || !control->HandleAllocated() || !SkinData) return;
    TSkinScrollbar* skinner = listView ? new TSkinListView(control) : new TSkinScrollbar(control);
    skinner->SingleBar = singleBar;
    skinner->InitScrollbar(control, SkinData, &controls_, controlCanvas_.get());
}

bool TWinSkinForm::NotifySkinned()
{
    if (!WindowHandle || FormState == fsDestroyed) return alive_.Lives();
    const TBusyScope busy(this);
    const HWND window = WindowHandle;
    if (!alive_.Survives([&] { SendMessageW(window, WM_SKINNOTIFY, 0, SKIN_MARKER); }))
        return false;
    if (!SkinData || !SkinData->OnAfterSkinForm) return alive_.Lives();
    const TOnSkinForm handler = SkinData->OnAfterSkinForm;
    fw::TCustomForm* form = FormControl;
    return alive_.Survives([&] { handler(form, window, ClassName); });
}

void TWinSkinForm::RefreshFrame()
{
    if (!WindowHandle || FormState == fsDestroyed) return;
    SetWindowPos(WindowHandle, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TWinSkinForm::ReSkin()
{
    if (!hooked_ || FormState == fsDestroyed || !SkinData) return;
    const TBusyScope busy(this);
    const fw::TColor face = SkinData->Skin().Colour(TColourSlot::ButtonFace);
    if (FormControl) {
        FormControl->SetColor(face);
        for (int i = 0; i < FormControl->ComponentCount(); ++i)
            if (auto* owned = dynamic_cast<fw::TCustomForm*>(FormControl->Components(i)))
                owned->SetColor(face);
    }
    // Each control skinner takes the new skin: its colour, images and the
    // way it paints. Over a copy of the list: a skinner freed meanwhile has
    // left the list and is passed over. A refresh runs the control's code,
    // which may take the skin off: the skinner refreshed waits for its end,
    // and this one stops.
    const std::vector<TSkinControl*> skinners = controls_.SkinControls();
    for (TSkinControl* s : skinners) {
        if (!alive_.Lives()) return;
        const auto& listed = controls_.SkinControls();
        if (std::find(listed.begin(), listed.end(), s) == listed.end()) continue;
        const TBusyScope refreshing(s);
        if (s->SkinState != TSkinControl::kDestroyed) s->RefreshSkin();
    }
    if (!alive_.Lives()) return;
    FormState = NextFormState(FormState, TFormEvent::BeginReskin);
    ForgetBuiltBorders();
    if (FrameSkinned) {
        borders_ = FrameBordersOf(SkinData->Skin(), BorderKind);
        // Sizing the window runs the form's OnResize.
        const bool alive = alive_.Survives([&] {
            if (FormControl) {
                OwnerDrawPopupMenus(FormControl, true);
                FitWindowToSkin(true);
                FormControl->SetHeight(FormControl->Height() + 1);
                FormControl->SetHeight(FormControl->Height() - 1);
            }
            UpdateWindowRegion();
        });
        if (!alive) return;
        RedrawWindow(WindowHandle, nullptr, nullptr,
                     RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
    if (!NotifySkinned()) return;
    FormState = NextFormState(FormState, TFormEvent::EndReskin);
}

void TWinSkinForm::QuickUnhook()
{
    FreeSystemMenu();
    if (hoverTimer_) hoverTimer_->SetEnabled(false);
    if (!hooked_ || quickUnhooked_) return;
    quickUnhooked_ = true;
    hooked_ = false;
    if (formProcSaved_ && FormControl) FormControl->WindowProc = oldFormWindowProc_;
    formProcSaved_ = false;
    hook_.Unhook();
    // The client's procedure never outlives this skinner.
    UnhookMDIClient();
    HoveredControl = nullptr;
    FreeSkinControls();
    // The window's menu is not put back: the window is going. A bar entry
    // tracked below reads nothing of the bar once its popup has closed.
    FreeMenuBar();
}

void TWinSkinForm::UnhookWindow()
{
    // The window's own frame is put back whatever the calls below run.
    const TBusyScope busy(this);
    if (hoverTimer_) hoverTimer_->SetEnabled(false);
    if (!hooked_ || FormState == fsDestroyed || !IsWindow(WindowHandle)) {
        QuickUnhook();
        return;
    }
    const bool frame = FrameSkinned;
    // The native menu goes back on the window; the bar's strip leaves the
    // frame with the skin, and the client keeps its size.
    HMENU menu = MenuBar ? MenuBar->MenuHandle : nullptr;
    const int client = ClientHeight();
    QuickUnhook();
    // The native items the skin drew draw themselves again.
    UndoOwnerDrawnSubmenus(ownerDrawnItems_);
    MenuBarHeight = 0;
    if (FormControl && FormState != fsDestroying) {
        // The form's menus draw themselves again.
        OwnerDrawPopupMenus(FormControl, false);
        if (SkinData && SkinData->SkinControls().Contains(xcMenuItem))
            OwnerDrawMainMenu(FormControl, false);
        ForgetToolbarHandlers();
        FormControl->SetColor(savedColor_);
    }
    if (!frame) {
        if (FormControl) FormControl->Invalidate();
        return;
    }
    if (SysMenuHandle && !(CaptionCaps & ccKeepSysMenuStyle)) {
        const DWORD style = WindowLong(GWL_STYLE);
        if (!(style & WS_SYSMENU)) SetWindowLong(GWL_STYLE, style | WS_SYSMENU);
    }
    if (activated_ && FormState != fsDestroying && (FormKind == fkMDIChild || !IsChildWindow)) {
        RECT r;
        GetWindowRect(WindowHandle, &r);
        POINT at{r.left, r.top};
        if (FormKind == fkMDIChild) ScreenToClient(GetParent(WindowHandle), &at);
        const int width = r.right - r.left + nativeOverhead_.cx - borders_.Left - borders_.Right;
        const int height = r.bottom - r.top + nativeOverhead_.cy - borders_.Top - borders_.Bottom;
        if (menu) ::SetMenu(WindowHandle, menu);
        SetWindowPos(WindowHandle, nullptr, at.x, at.y, width, height,
                     SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER);
        // The native menu bar may be taller than the skinned one was.
        if (menu) RestoreClientHeight(client);
    } else if (menu) {
        ::SetMenu(WindowHandle, menu);
    }
    SetWindowRgn(WindowHandle, nullptr, TRUE);
    RegionSet = false;
    // The window's own procedure did not see the activations while the
    // skin drew the frame: its caption is drawn active or not as the window
    // is now (an MDI child's saw them).
    if (FormKind != fkMDIChild)
        SendMessageW(WindowHandle, WM_NCACTIVATE, GetActiveWindow() == WindowHandle, 0);
}

}  // namespace skin
