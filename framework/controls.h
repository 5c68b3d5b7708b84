// Controls: TControl (bounds, visibility, colour, font, text, mouse and
// the WindowProc delegate), TGraphicControl (no window: its parent paints
// it and feeds it the mouse), TWinControl (a window made on demand from a
// window class named after the control's class, superclassing the system
// class where there is one) and TCustomControl (a window that paints
// itself on a canvas).
//
// Every message of a control goes through its WindowProc delegate, which
// starts bound to the virtual WndProc; replacing it (and putting the saved
// delegate back) lets other code see every message before the control.
// Windows of framework controls carry a window property under the global
// atom "ControlOfs%.8X%.8X" (module instance, thread id) whose value is the
// control (a TWinControl*), for code that finds framework windows by it.
// The framework's own classes also keep the control in a slot at the end of
// the window's extra bytes, which FindControl and the dispatch read.
#pragma once

#include "framework/winapi.h"

#include <memory>
#include <string>
#include <vector>

#include "framework/components.h"
#include "framework/graphics.h"
#include "framework/guards.h"
#include "framework/messages.h"

namespace fw {

class TWinControl;
class TPopupMenu;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
FW_ENUM(TAlign, "alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom")

// Border of a form; controls with a border use bsNone and bsSingle.
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
FW_ENUM(TFormBorderStyle, "bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow",
        "bsSizeToolWin")
using TBorderStyle = TFormBorderStyle;

enum TMouseButton { mbLeft, mbRight, mbMiddle };
FW_ENUM(TMouseButton, "mbLeft", "mbRight", "mbMiddle")

enum TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
FW_ENUM(TShiftStateItem, "ssShift", "ssAlt", "ssCtrl", "ssLeft", "ssRight", "ssMiddle", "ssDouble")
using TShiftState = TSet<TShiftStateItem>;
// The shift state of the key flags of a mouse message (MK_*), with the Alt
// key read from the keyboard.
TShiftState KeysToShiftState(WPARAM keys);

using TMouseEvent =
    TDelegate<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = TDelegate<void(TObject* Sender, TShiftState Shift, int X, int Y)>;

// Cursors: crDefault leaves the window class's cursor; the others name
// system cursors.
using TCursor = int32_t;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;
const TIdentMap& CursorIdents();
HCURSOR CursorHandle(TCursor cursor);  // null for crDefault and crNone

enum TControlStyleItem {
    csAcceptsControls,  // may be the parent of other controls
    csCaptureMouse,     // captures the mouse while a button is down on it
    csClickEvents,      // a press and release on it is a click
    csDoubleClicks,     // a double click fires OnDblClick
    csOpaque,           // paints all of its area
    csParentBackground
};
FW_ENUM(TControlStyleItem, "csAcceptsControls", "csCaptureMouse", "csClickEvents", "csDoubleClicks",
        "csOpaque", "csParentBackground")
using TControlStyle = TSet<TControlStyleItem>;

// Reading order and alignment of a control's text.
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
FW_ENUM(TBiDiMode, "bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign",
        "bdRightToLeftReadingOnly")

class TControl : public TComponent {
    FW_CLASS(TControl, TComponent)
public:
    explicit TControl(TComponent* owner);

    // Every message of the control goes through this delegate.
    TWndMethod WindowProc;
    // Runs a message through WindowProc and answers its result.
    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    virtual void WndProc(TMessage& message);
    virtual void DefaultHandler(TMessage& message);

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
    void SetTop(int v) { SetBounds(left_, v, width_, height_); }
    void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
    void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
    // Position in the parent's client area (a form's on the screen); a
    // negative width or height is kept at 0.
    virtual void SetBounds(int left, int top, int width, int height);
    RECT BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
    void SetBoundsRect(const RECT& r)
    {
        SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    }

    virtual RECT ClientRect() const;
    int ClientWidth() const;
    int ClientHeight() const;
    void SetClientWidth(int v);
    void SetClientHeight(int v);
    virtual void SetClientSize(int width, int height);
    // Screen position of the client area's top-left corner.
    virtual POINT ClientOrigin() const;
    POINT ScreenToClient(POINT p) const;
    POINT ClientToScreen(POINT p) const;

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible, and every parent up to the top-level window visible too.
    bool Showing() const;
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);
    TFont* Font() const { return font_.get(); }
    void SetFont(TFont* font) { font_->Assign(font); }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);

    // Caption and Text are one text: the window text for a control with a
    // window, the stored text otherwise. GBK bytes.
    virtual std::string Text() const;
    virtual void SetText(const std::string& text);
    std::string Caption() const { return Text(); }
    void SetCaption(const std::string& text) { SetText(text); }

    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);
    TBiDiMode BiDiMode() const { return biDiMode_; }
    void SetBiDiMode(TBiDiMode mode) { biDiMode_ = mode; }
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint) { hint_ = hint; }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool value) { showHint_ = value; }
    const std::string& HelpKeyword() const { return helpKeyword_; }
    void SetHelpKeyword(const std::string& keyword) { helpKeyword_ = keyword; }

    // Shown at the mouse on a right click (WM_CONTEXTMENU).
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* menu);

    bool SetParentComponent(TComponent* parent) override;
    void Notification(TComponent* component, TOperation operation) override;

    TControlStyle ControlStyle() const { return controlStyle_; }
    void SetControlStyle(TControlStyle style) { controlStyle_ = style; }

    virtual void Invalidate();
    virtual void Update();
    void Repaint();
    void Refresh() { Repaint(); }
    void BringToFront();
    void SendToBack();

    // Mouse. MouseDown, MouseMove and MouseUp fire the events; the
    // framework calls them for the mouse messages the control receives.
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    bool MouseCapture() const;
    void SetMouseCapture(bool value);

protected:
    void Destroy() override;
    void Loaded() override;
    // The parent's colour or font changed, or the control got a parent.
    virtual void ParentColorChanged();
    virtual void ParentFontChanged();
    // Font changes: a control with a window sends it WM_SETFONT.
    virtual void FontChanged();
    virtual void ColorChanged() {}
    virtual void TextChanged() {}
    void InvalidateInParent(const RECT& r) const;

    std::string text_;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    TColor color_ = clWindow;
    bool parentColor_ = true;
    bool parentFont_ = true;
    TControlStyle controlStyle_{csCaptureMouse, csClickEvents, csDoubleClicks};

private:
    friend class TWinControl;
    void OnFontChange(TObject* sender);
    void HandleMouseDown(const TMessage& m, TMouseButton button, bool dbl);
    void HandleMouseUp(const TMessage& m, TMouseButton button);

    TWinControl* parent_ = nullptr;
    std::unique_ptr<TFont> font_;
    bool updatingFromParent_ = false;
    bool clicked_ = false;
    TAlign align_ = alNone;
    TBiDiMode biDiMode_ = bdLeftToRight;
    TCursor cursor_ = crDefault;
    TPopupMenu* popupMenu_ = nullptr;
    std::string hint_;
    bool showHint_ = false;
    std::string helpKeyword_;
};

// A canvas on a control: for a windowless control it draws on its
// parent's window, moved and clipped to the control. It makes its own DC
// when asked for one outside painting (and releases it when idle, unless
// locked); during painting it is bound to the paint DC.
class TControlCanvas : public TCanvas {
    FW_CLASS(TControlCanvas, TCanvas)
public:
    explicit TControlCanvas(TControl* control);
    ~TControlCanvas() override;
    TControl* Control() const { return control_; }
    // Releases the canvas's own DC unless the canvas is locked.
    void FreeHandle();
    // Runs paint with the canvas locked on a DC it is lent (a WM_PAINT DC),
    // and gives the DC back afterwards, also when paint throws.
    template <typename Paint>
    void PaintOn(HDC dc, Paint&& paint)
    {
        Lock();
        SetHandle(dc);
        TScopeExit giveBack([this] {
            SetHandle(nullptr);
            Unlock();
        });
        paint();
    }

protected:
    void CreateHandle() override;
    void ReleaseHandle(HDC dc) override;

private:
    TControl* control_;
    HWND dcWindow_ = nullptr;  // the window of the DC this canvas made
};

// Releases the DCs of idle control canvases (of one window, or of all).
void FreeDeviceContexts(HWND window = nullptr);

class TGraphicControl : public TControl {
    FW_CLASS(TGraphicControl, TControl)
public:
    explicit TGraphicControl(TComponent* owner);
    TCanvas* Canvas() const { return canvas_.get(); }
    void WndProc(TMessage& message) override;

protected:
    // Paints the control on Canvas (origin at its top-left corner).
    virtual void Paint() {}

private:
    std::unique_ptr<TControlCanvas> canvas_;
};

struct TCreateParams {
    std::wstring Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
    HWND WndParent = nullptr;
    void* Param = nullptr;
    WNDCLASSEXW WindowClass{};
    std::wstring WinClassName;
};

class TWinControl : public TControl {
    FW_CLASS(TWinControl, TControl)
public:
    explicit TWinControl(TComponent* owner);

    // The window, made on demand (with the parent's first).
    HWND Handle();
    HWND HandleIfAllocated() const { return handle_; }
    bool HandleAllocated() const { return handle_ != nullptr; }
    void HandleNeeded() { Handle(); }
    // Destroys and makes the window again (state is kept); children too.
    void RecreateWnd();

    // The child controls, in creation order.
    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int index) const { return controls_.at(static_cast<size_t>(index)); }
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    // The topmost visible windowless child at a client point (enabled
    // ones only unless allowDisabled).
    TControl* ControlAtPos(POINT p, bool allowDisabled) const;
    // Windowed descendants in tab order (creation order here).
    void GetTabOrderList(std::vector<TWinControl*>& list) const;

    // A raw window to be the parent of a control that has no Parent.
    HWND ParentWindow() const { return parentWindow_; }
    void SetParentWindow(HWND window);

    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool value);
    // A sunken 3-D border (off: a flat line) for controls that have one.
    bool Ctl3D() const { return ctl3D_; }
    void SetCtl3D(bool value);
    bool Focused() const;
    bool CanFocus() const;
    virtual void SetFocus();

    TBrush* Brush() const { return brush_.get(); }
    // The framework's own painting of the window goes through an off-screen
    // bitmap (no flicker); system controls paint as they do.
    bool DoubleBuffered() const { return doubleBuffered_; }
    void SetDoubleBuffered(bool value) { doubleBuffered_ = value; }

    RECT ClientRect() const override;
    POINT ClientOrigin() const override;
    void SetBounds(int left, int top, int width, int height) override;
    void SetVisible(bool visible) override;
    void SetEnabled(bool enabled) override;
    std::string Text() const override;
    void SetText(const std::string& text) override;
    void Invalidate() override;
    void Update() override;
    void WndProc(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;

    // Lays out the children that have an Align, inside the client
    // rectangle less what AdjustClientRect takes off (a panel's bevels).
    void Realign();
    virtual void AdjustClientRect(RECT& r) const { (void)r; }
    // Paints the windowless children onto dc (the window's client DC).
    void PaintControls(HDC dc);
    // Sends a message to every child control.
    void NotifyControls(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

protected:
    void Destroy() override;
    virtual void CreateParams(TCreateParams& params);
    // Takes the window class of a system class (BUTTON, EDIT...) for the
    // control's own class: same styles and extra bytes, the framework's
    // procedure, and the system procedure as the default handler.
    void CreateSubClass(TCreateParams& params, const wchar_t* systemClass);
    // Makes the window; derived classes that put state into their window
    // (items, selection) extend it and call the inherited one first.
    virtual void CreateWnd();
    // Makes the window itself with CreateWindowExW; a form made by another
    // window (an MDI child, which its MDI client makes) overrides it.
    virtual HWND CreateWindowHandle(const TCreateParams& params);
    // Destroys the window (DestroyWindow); an MDI child asks its MDI client.
    virtual void DestroyWindowHandle();
    // Takes the state back out of the window before it goes; derived
    // classes save theirs, then call the inherited one.
    virtual void DestroyWnd();
    // The window height for a control height (a drop-down list adds its
    // list here).
    virtual int WindowHeight(int height) const { return height; }
    // Paints the window's own content into dc: the system class's painting
    // for superclassed controls, nothing for the framework's own classes.
    virtual void PaintWindow(HDC dc);
    void FontChanged() override;
    void ColorChanged() override;
    void ParentColorChanged() override;
    void UpdateBounds();
    bool Superclassed() const { return superclassed_; }

private:
    friend LRESULT CALLBACK StdWndProc(HWND, UINT, WPARAM, LPARAM);
    void CreateHandle();
    void DestroyHandle();
    void AttachHandle(HWND hwnd);
    void DetachHandle();
    void PlaceInZOrder();
    void PaintHandler(HDC dc);
    void PaintBuffered(HDC dc, const RECT& area);
    bool RouteMouseToChild(TMessage& m);
    void SetHoverControl(TControl* control);
    void AlignControls();
    void Reflect(TMessage& m, HWND child, UINT notification);

    HWND handle_ = nullptr;
    WNDPROC defWndProc_ = nullptr;
    bool superclassed_ = false;
    HWND parentWindow_ = nullptr;
    std::vector<TControl*> controls_;
    std::unique_ptr<TBrush> brush_;
    bool tabStop_ = false;
    bool ctl3D_ = true;
    bool doubleBuffered_ = false;
    bool erasingBuffer_ = false;
    bool mouseInside_ = false;
    bool aligning_ = false;
    TControl* hoverControl_ = nullptr;
};

// A window that paints itself on its Canvas.
class TCustomControl : public TWinControl {
    FW_CLASS(TCustomControl, TWinControl)
public:
    explicit TCustomControl(TComponent* owner);
    TCanvas* Canvas() const { return canvas_.get(); }

protected:
    virtual void Paint() {}
    void PaintWindow(HDC dc) override;

private:
    std::unique_ptr<TControlCanvas> canvas_;
};

// The framework control of a window, or null: the slot of a window of a
// framework class, the window property of any other.
TWinControl* FindControl(HWND window);
// The global atom of the window property that points back to the control,
// and its name "ControlOfs%.8X%.8X" (module instance, GUI thread id).
ATOM ControlAtom();
const std::string& ControlAtomName();

// The control that holds the mouse capture (a windowless one through its
// parent's window), or null.
TControl* GetCaptureControl();

namespace detail {
void ForgetCaptureControl();  // the capture went elsewhere
}

}  // namespace fw
