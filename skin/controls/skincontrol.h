// TSkinControl: the base of every control skinner. One skinner is
// attached to one child control of a skinned window and sees each of its
// messages before and after the control's own procedure, so that it can
// paint the control from the skin and keep hover, press and focus state.
//
// It attaches in one of three ways: to a framework control by replacing
// its WindowProc (control mode), to a raw window by replacing its window
// procedure (raw-window mode), or to a windowless control by replacing its
// WindowProc (graphic mode). In control and graphic modes the control owns
// the skinner and frees it with itself.
//
// TSkinControlList is the list of the skinners of one skinned window, kept
// by the form skinner; skinners list themselves when attached and unlist
// themselves when freed.
//
// Freed inside one of its own messages (the control's click runs a modal
// box in which the skin is taken off), a skinner is let go at once: the
// control and window get their own procedures back, the list forgets it
// and its alive flag ends, so that code going on after a call-out does
// nothing more. It is deleted once that message has returned (each of its
// procedures runs busy, TComponent::TBusyScope).
#pragma once

#include "framework/winapi.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/components.h"
#include "framework/controls.h"
#include "framework/messages.h"
#include "skin/data/skindata.h"
#include "skin/engine/aliveflag.h"

namespace fw {
class TSubclass;
}

namespace skin {

class TSkinControl;

// The skinners of one skinned window. The form skinner holds one (or is
// one) and sets Window to its window.
class TSkinControlList {
public:
    TSkinControlList() = default;
    TSkinControlList(const TSkinControlList&) = delete;
    TSkinControlList& operator=(const TSkinControlList&) = delete;
    // Frees the skinners still listed.
    virtual ~TSkinControlList();

    // Lists the skinner unless it is listed; true when it was listed already.
    bool AddSkinControl(TSkinControl* skinner);
    void RemoveSkinControl(TSkinControl* skinner);
    // Frees the skinners whose window was destroyed (state 6).
    void RemoveDeadControls();
    // Unskins (unless their window is gone) and frees every skinner.
    void FreeSkinControls();
    // The listed skinner of that window, or of that control; null when none.
    TSkinControl* FindByHandle(HWND window) const;
    TSkinControl* FindByControl(const fw::TControl* control) const;
    const std::vector<TSkinControl*>& SkinControls() const { return skinners_; }

    // The skinned window (target of the messages skinners send the form).
    HWND Window = nullptr;
    // The owner of components skinners make for the window (the form
    // skinner); null when there is none.
    fw::TComponent* OwnerComponent = nullptr;

private:
    std::vector<TSkinControl*> skinners_;
};

// The mouse state bits of a skinner.
constexpr uint8_t msHot = 1;
constexpr uint8_t msPressed = 2;

class TSkinControl : public fw::TComponent {
    FW_CLASS(TSkinControl, fw::TComponent)
public:
    static constexpr int kCreated = 0, kAttached = 1, kColourOnly = 2, kDestroyed = 6;

    explicit TSkinControl(fw::TComponent* owner);

    // Control mode: the owner is the framework control. A second call
    // does nothing.
    virtual void InitControl(TSkinControlList* form, TSkinData* skinData, bool replaceColor,
                             fw::TCanvas* workCanvas);
    // Raw-window mode. A second call on an attached skinner does nothing.
    virtual void InitHandle(HWND handle, TSkinData* skinData, TSkinControlList* form,
                            fw::TCanvas* workCanvas);
    // Undoes what the attachment changed on the control (colours,
    // properties); the window procedure stays until the skinner is freed.
    virtual void UnSkin();
    // Before the control's own procedure: true lets it and AfterProc run.
    virtual bool BeforeProc(fw::TMessage& message);
    virtual void AfterProc(fw::TMessage& message);
    // Paints the whole window (non-client part included) into dc, or into
    // the window DC when dc is 0; errors while painting are dropped.
    virtual void PaintToDC(HDC dc);
    // The skinner's own painting into dc within r (top-left at 0,0).
    virtual void DrawControl(HDC dc, const RECT& r);
    // Applies the skin again after it changed, and repaints.
    virtual void RefreshSkin();

    // The window procedure of the skinned control.
    void SkinWndProc(fw::TMessage& message);
    void CallOldProc(fw::TMessage& message);
    // CallOldProc, after which nothing of the skinner may be touched unless
    // this answers true: the control's own procedure may run a loop of
    // messages (a click's modal box, a tracking loop) that frees it.
    [[nodiscard]] bool CallOldProcSurvived(fw::TMessage& message);
    // Tells whether the skinner is still skinning after a call (see
    // TAliveFlag): false once it was let go or freed.
    const TAliveFlag& Alive() const { return alive_; }
    // Repaints at once (a windowless control: invalidates it).
    void RepaintControl();
    // Sends the framework's mouse-leave to the control's window.
    static void SendMouseLeave(TSkinControl* skinner);
    // The control's mouse-down handler with the left button, for a press
    // the control's own procedure does not see.
    void ForwardMouseDown(const fw::TMessage& message);

    // Text, window and fill routines.
    static std::wstring GetWindowTextWide(HWND window);
    LONG_PTR GetWindowLongAuto(HWND window, int index) const;
    static bool IsPopupOrDesktopChild(HWND window);
    void DrawTextFocusRect(HDC dc, UINT flags, const RECT& rect);
    fw::TColor ParentOrSkinColor(fw::TColor fallback) const;
    static void FillSolidRect(HDC dc, const RECT& r, fw::TColor color);
    void FillSkinFace(HDC dc, const RECT& r) const;
    void FillParentFace(HDC dc, const RECT& r) const;
    // The skin's colour of a slot (the system colour when there is no skin).
    fw::TColor SkinColour(TColourSlot slot) const;

    uint8_t MouseState = 0;
    fw::TCanvas* WorkCanvas = nullptr;
    bool WindowEnabled = false;
    bool Focused = false;
    std::wstring DisplayText;
    bool SkinEnabled = true;
    bool IsUnicode = false;
    TSkinData* SkinData = nullptr;
    HWND Handle = nullptr;
    fw::TWndMethod OldWindowProc;
    fw::TControl* Control = nullptr;
    RECT WindowRect{};
    fw::TControl* GraphicControl = nullptr;
    bool ReplaceColor = false;
    fw::TColor SavedColor = 0;
    bool Attached = false;
    int32_t SkinState = kCreated;
    TSkinControlList* Form = nullptr;
    int32_t SubKind = 0;
    bool ParentBackgroundCleared = false;

protected:
    ~TSkinControl() override;
    void Destroy() override;
    void LetGo() override;
    void SwitchParentBackground(bool on);
    // Records the skin data, form, work canvas, the control (the owner
    // unless one is named) and its window with its kind, and lists the
    // skinner with the form. Nothing is hooked: skinners that paint
    // through the control's WindowProc go on with HookControlProc.
    void RecordControl(TSkinControlList* form, TSkinData* skinData, fw::TCanvas* workCanvas,
                       fw::TControl* control = nullptr);
    // Puts the skinner's procedure in front of the WindowProc of the
    // control (the skinned control unless another is named).
    void HookControlProc(fw::TControl* control = nullptr);
    // Gives the control (or windowless control) its WindowProc back while
    // the replacement is still the skinner's. The old procedure is kept:
    // a message still running passes on through CallOldProc.
    void RestoreWindowProc();
    // Raw-window mode: puts the skinner's procedure into the window.
    void HookWindowProc(HWND window);
    // True while the skinner's procedure is in a raw window.
    bool WindowProcHooked() const { return subclass_ != nullptr; }

private:
    // Gives the control and window their own procedures back, ends the
    // alive flag and leaves the form's list.
    void Detach();

    std::unique_ptr<fw::TSubclass> subclass_;
    bool controlProcHooked_ = false;
    TAliveFlag alive_;
};

// Properties of any control by name. A missing instance or property reads
// as -1, empty text or null and is written as nothing.
//
// The integer value; -1 also for every other kind (an enumeration or a
// Boolean gives -1: those are read as identifier text).
int64_t GetOrdPropByName(const fw::TObject* instance, std::string_view name);
// The identifier of an enumeration or Boolean value ("True", "blGlyphTop").
std::string GetPropText(const fw::TObject* instance, std::string_view name);
// Lower-cased GetPropText, the form callers compare.
std::string GetPropTextLower(const fw::TObject* instance, std::string_view name);
std::wstring GetWidePropText(const fw::TObject* instance, std::string_view name);
fw::TObject* GetObjectPropByName(const fw::TObject* instance, std::string_view name,
                                 const fw::TClass* minClass);
// Enumerations by identifier, integers by number (EConvertError for text
// that is no number), strings as text; other kinds are left alone.
void SetPropByName(fw::TObject* instance, std::string_view name, const std::string& value);
bool HasProp(const fw::TObject* instance, std::string_view name);
bool HasIntegerProp(const fw::TObject* instance, std::string_view name);

}  // namespace skin
