// Forms (top-level windows of the framework) and the screen (the list of
// forms, the active form and control, the screen cursor, the menu font).
//
// A form class is written as
//
//   class TForm1 : public fw::TForm {
//       FW_CLASS(TForm1, fw::TForm)
//   public:
//       using TForm::TForm;
//       fw::TButton* Button1 = nullptr;        // filled from the layout
//       void Button1Click(fw::TObject* Sender); // bound from the layout
//   };
//   FW_IMPLEMENT_CLASS(TForm1) {
//       c.Field("Button1", &TForm1::Button1);
//       c.Method("Button1Click", &TForm1::Button1Click);
//   }
//
// and created with Application->CreateForm(Form1) (or CreateForm<T>(owner)),
// which reads the form's stored layout (the RCDATA resource named after the
// class, see layout.h) and then runs OnCreate.
#pragma once

#include <memory>
#include <vector>

#include "framework/controls.h"

namespace fw {

class TMainMenu;

enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
FW_ENUM(TPosition, "poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly",
        "poScreenCenter", "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter")

enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
FW_ENUM(TBorderIcon, "biSystemMenu", "biMinimize", "biMaximize", "biHelp")
using TBorderIcons = TSet<TBorderIcon>;

enum TWindowState { wsNormal, wsMinimized, wsMaximized };
FW_ENUM(TWindowState, "wsNormal", "wsMinimized", "wsMaximized")

// A form on its own, the frame of multiple documents (it makes an MDI
// client window that holds the document windows), or one of those
// documents (an MDI child, made inside the main form's MDI client).
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm };
FW_ENUM(TFormStyle, "fsNormal", "fsMDIChild", "fsMDIForm")

enum TCloseAction { caNone, caHide, caFree, caMinimize };
using TCloseEvent = TDelegate<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = TDelegate<void(TObject* Sender, bool& CanClose)>;

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = IDOK;
constexpr TModalResult mrCancel = IDCANCEL;

class EInvalidOperation : public rtl::Exception {
public:
    using rtl::Exception::Exception;
};

class TCustomForm : public TWinControl {
    FW_CLASS(TCustomForm, TWinControl)
public:
    explicit TCustomForm(TComponent* owner);

    // Reads the stored layout of the form's class (when the program has
    // one) and runs OnCreate. CreateForm calls it after construction.
    void InitializeForm();

    TCanvas* Canvas() const { return canvas_.get(); }
    TPosition Position() const { return position_; }
    void SetPosition(TPosition p) { position_ = p; }
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle s);
    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons icons);
    TWindowState WindowState() const;
    void SetWindowState(TWindowState s);
    // Set before the window is made (a window made already is made again).
    // An MDI child needs a main form that is an MDI form; closing it frees
    // it.
    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle style);
    // The MDI client window of an MDI form ("MDICLIENT", filling the
    // client area), null for other forms or before the window is made.
    HWND ClientHandle() const { return clientHandle_; }
    // The active MDI child of an MDI form, or null.
    TCustomForm* ActiveMDIChild() const;
    // With AutoScroll, scroll bars appear when children lie beyond the
    // client area; scrolling moves the children.
    bool AutoScroll() const { return autoScroll_; }
    void SetAutoScroll(bool v);
    POINT ScrollPos() const { return scrollPos_; }
    void ScrollTo(int x, int y);
    void UpdateScrollRange();

    // The menu bar.
    TMainMenu* Menu() const { return menu_; }
    void SetMenu(TMainMenu* menu);
    // The menu's items changed: the bar is redrawn and CM_MENUCHANGED sent.
    void MenuChanged();
    // Clicks the menu item with the key's short cut; false when none.
    bool IsShortCut(WORD key);
    void Notification(TComponent* component, TOperation operation) override;

    TWinControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TWinControl* control);
    bool Active() const;

    // Shown by ShowModal and its loop still running.
    bool Modal() const { return modal_; }
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult r) { modalResult_ = r; }
    // Shows the form and runs messages until ModalResult is set; the other
    // forms are disabled meanwhile.
    TModalResult ShowModal();
    // The main form's close ends the application; another form hides.
    void Close();
    // Frees the form once the messages already posted have run.
    void Release();

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;
    TNotifyEvent OnResize;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

    void SetVisible(bool visible) override;
    RECT ClientRect() const override;
    POINT ClientOrigin() const override;
    void SetClientSize(int width, int height) override;
    void WndProc(TMessage& message) override;
    // An MDI form's messages end in DefFrameProcW, an MDI child's in
    // DefMDIChildProcW.
    void DefaultHandler(TMessage& message) override;

    // Called by the screen when a control of this form got the focus.
    void FocusChanged(TWinControl* control);
    void ControlRemoved(TControl* control);

protected:
    void Destroy() override;
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    HWND CreateWindowHandle(const TCreateParams& params) override;
    void DestroyWindowHandle() override;
    void DestroyWnd() override;
    void PaintWindow(HDC dc) override;
    void FontChanged() override;
    virtual void Paint();
    bool CloseQuery();

private:
    void StyleFor(DWORD& style, DWORD& exStyle) const;
    void PlaceOnShow();
    void SelectFirst();
    void Scroll(int bar, WPARAM request);
    // The MDI client of the main form, for an MDI child; throws when the
    // main form is not an MDI form.
    HWND MDIParent() const;

    std::unique_ptr<TControlCanvas> canvas_;
    TPosition position_ = poDesigned;
    TFormBorderStyle borderStyle_ = bsSizeable;
    TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
    TWindowState windowState_ = wsNormal;
    TFormStyle formStyle_ = fsNormal;
    HWND clientHandle_ = nullptr;
    bool autoScroll_ = false;
    POINT scrollPos_{0, 0};
    SIZE scrollRange_{0, 0};
    bool updatingScroll_ = false;
    TWinControl* activeControl_ = nullptr;
    TMainMenu* menu_ = nullptr;
    TModalResult modalResult_ = mrNone;
    bool modal_ = false;
};

class TForm : public TCustomForm {
    FW_CLASS(TForm, TCustomForm)
public:
    using TCustomForm::TCustomForm;
};

// Gives a top-level window the program's icon (the MAINICON resource,
// else the system's application icon), big and small, with WM_SETICON.
void SetProgramIcons(HWND window);

// The form a control sits on (the control itself when it is one), or null.
TCustomForm* GetParentForm(const TControl* control);

// Creates a form of class T with an owner, reads its layout, runs OnCreate.
template <class T>
T* CreateForm(TComponent* owner)
{
    T* form = new T(owner);
    TScopeExit freeUnlessMade([form] { form->Free(); });
    form->InitializeForm();
    freeUnlessMade.Dismiss();
    return form;
}

class TScreen : public TComponent {
    FW_CLASS(TScreen, TComponent)
public:
    explicit TScreen(TComponent* owner);

    int FormCount() const { return static_cast<int>(forms_.size()); }
    TCustomForm* Forms(int index) const { return forms_.at(static_cast<size_t>(index)); }
    TCustomForm* ActiveForm() const { return activeForm_; }
    TWinControl* ActiveControl() const { return activeControl_; }
    TNotifyEvent OnActiveControlChange;
    TNotifyEvent OnActiveFormChange;

    // A cursor for the whole application; crDefault gives each control its own.
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor);
    // The font of menus (from the system's non-client metrics).
    TFont* MenuFont();
    int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
    int Height() const { return GetSystemMetrics(SM_CYSCREEN); }

    // Kept by the framework.
    void AddForm(TCustomForm* form);
    void RemoveForm(TCustomForm* form);
    void SetActiveForm(TCustomForm* form);
    void ControlFocused(TWinControl* control);
    void ControlRemoved(TControl* control);

private:
    std::vector<TCustomForm*> forms_;
    TCustomForm* activeForm_ = nullptr;
    TWinControl* activeControl_ = nullptr;
    TCursor cursor_ = crDefault;
    std::unique_ptr<TFont> menuFont_;
};

extern TScreen* Screen;

}  // namespace fw
