// Combo boxes and date-time pickers. Combo boxes: the frame and drop
// button painted from the skin, the button's hot, pressed and focused looks
// (painted again as the focus enters or leaves the edit), the edit child
// watched so that the frame is painted again after it, and the drop-down
// list's vertical scroll bar painted from the skin, its thumb dragged by a
// loop of the skinner's own. Date-time pickers: a flat frame, and their
// drop button covered by a small window painted with the skin's combo arrow.
#pragma once

#include "framework/winapi.h"

#include <memory>

#include "framework/controls.h"
#include "framework/subclass.h"
#include "skin/controls/skincontrol.h"

namespace skin {

class TSkinScrollbarH;
class TComboxScrollBar;

// The combo-button frame of a state: 2 pressed, else 4 focused or hot,
// else 1; 3 when disabled.
int ComboFrame(uint8_t mouseState, bool focused, bool enabled);
// The list position for a thumb dragged to d pixels from the track's
// start (track pixels long, the thumb size long): the whole track maps
// onto the whole range, so that its end reaches the last page.
int ThumbDragPosition(int d, const SCROLLINFO& info, int track, int size);

class TSkinComBox : public TSkinControl {
    FW_CLASS(TSkinComBox, TSkinControl)
public:
    explicit TSkinComBox(fw::TComponent* owner);

    void InitControl(TSkinControlList* form, TSkinData* skinData, bool replaceColor,
                     fw::TCanvas* workCanvas) override;
    void InitHandle(HWND handle, TSkinData* skinData, TSkinControlList* form,
                    fw::TCanvas* workCanvas) override;
    void UnSkin() override;
    void AfterProc(fw::TMessage& message) override;
    void DrawControl(HDC dc, const RECT& r) override;
    void Notification(fw::TComponent* component, fw::TOperation operation) override;

    DWORD Style = 0;
    DWORD ExStyle = 0;
    HWND ListHandle = nullptr;
    RECT ButtonRect{};
    HWND EditChild = nullptr;
    // The skinner of the list: bars of a simple combo's list, or the
    // drop-down list's own.
    TSkinScrollbarH* SimpleListSkinner = nullptr;
    TComboxScrollBar* DropListSkinner = nullptr;
    bool ExtendedCombo = false;

protected:
    ~TSkinComBox() override;
    void Destroy() override;
    void LetGo() override;

private:
    void AttachDropDownList();
    void HookEditChild();
    void UnhookEditChild();
    void EditChildProc(fw::TMessage& message);
    bool ReadComboInfo(COMBOBOXINFO& info) const;
    void DrawComboStyle1(HDC dc, const RECT& r);
    void DrawSunkFrame(HDC dc, const RECT& r);
    void DrawExButton(HDC dc, int frame);
    void ShowPress(bool pressed);
    // The combo box or a window inside it (its edit) has the focus: the
    // focused look, whatever the skin's button style.
    bool HasFocus() const;

    std::unique_ptr<fw::TSubclass> editHook_;
};

class TComboxScrollBar : public TSkinControl {
    FW_CLASS(TComboxScrollBar, TSkinControl)
public:
    explicit TComboxScrollBar(fw::TComponent* owner);

    bool BeforeProc(fw::TMessage& message) override;
    void AfterProc(fw::TMessage& message) override;
    void DrawControl(HDC dc, const RECT& r) override;
    // A press on the thumb of the list's bar: the drag runs here until the
    // button is released or the capture is lost; false for other presses.
    bool TrackThumbLoop(const fw::TMessage& message);

    int ArrowSize = 0;
};

class TSkinDateTime;

// The skin's arrow over a date-time picker's own drop button; presses go
// on to the picker's button underneath.
class TArrowButton : public fw::TCustomControl {
    FW_CLASS(TArrowButton, fw::TCustomControl)
public:
    explicit TArrowButton(fw::TComponent* owner);
    void AttachToPicker(TSkinDateTime* skinner, fw::TWinControl* picker);
    // The left edge for the picker's window rectangle r (at 0,0).
    void PlaceArrow(const RECT& r);
    void WndProc(fw::TMessage& message) override;

    int ArrowWidth = 0;
    fw::TWinControl* Picker = nullptr;
    HWND PickerHandle = nullptr;
    TSkinDateTime* Skinner = nullptr;
    bool Hot = false;

protected:
    void Paint() override;
    void LetGo() override;

private:
    bool RightToLeft() const;
};

class TSkinDateTime : public TSkinControl {
    FW_CLASS(TSkinDateTime, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    void InitControl(TSkinControlList* form, TSkinData* skinData, bool replaceColor,
                     fw::TCanvas* workCanvas) override;
    void AfterProc(fw::TMessage& message) override;
    void DrawControl(HDC dc, const RECT& r) override;

    TArrowButton* Arrow = nullptr;

protected:
    void LetGo() override;
};

}  // namespace skin
