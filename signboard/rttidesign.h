// TRttiDesign: moves and resizes, with the mouse and at run time, the
// child controls of one container (DesginControl). The child that has the
// keyboard focus is the selected control: dragging it moves it, and eight
// marker panels (Node0 .. Node7) round it resize it when dragged. Three
// events let the owner veto a selection, a move step or a resize step.
//
// The component follows the focus through the screen's active-control
// change event; the handler that was installed before it is called after
// it, and is put back when the component goes (also when several
// components go in another order than they came).
//
// A drag ends at the mouse-up, when the dragged window loses the mouse
// capture, or by EndDrag. A move's mouse-up brings the whole control back
// onto its parent (as far as it fits); a resize's left and top edges stop
// at the parent's.
#pragma once

#include <array>

#include "framework/extctrls.h"
#include "framework/forms.h"

namespace signboard {

using TBeforeSelectEvent =
    fw::TDelegate<void(fw::TObject* Sender, fw::TControl* Selected, bool& Select)>;
using TCanMoveEvent =
    fw::TDelegate<void(fw::TObject* Sender, fw::TControl* Control, bool& CanMove)>;
using TCanResizeControlEvent = fw::TDelegate<void(fw::TObject* Sender, bool& CanResize)>;

class TRttiDesign : public fw::TComponent {
    FW_CLASS(TRttiDesign, fw::TComponent)
public:
    static constexpr int kMarkerCount = 8;
    static constexpr int kMarkerSize = 8;

    explicit TRttiDesign(fw::TComponent* owner);

    fw::TControl* SelectControl() const { return selectControl_; }
    void SetSelectControl(fw::TControl* control);
    bool Active() const { return active_; }
    void SetActive(bool value);
    bool Markers3D() const { return markers3D_; }
    void SetMarkers3D(bool value);
    fw::TColor MarkersColor() const { return markersColor_; }
    void SetMarkersColor(fw::TColor color);
    // "DesginControl" (sic) is the property's name in the stored layouts;
    // the misspelling is theirs and is kept so that they still load.
    fw::TControl* DesginControl() const { return desginControl_; }
    void SetDesginControl(fw::TControl* control);

    TBeforeSelectEvent OnBeforeSelect;
    TCanMoveEvent OnCanMove;
    TCanResizeControlEvent OnCanResize;
    // Set by every move step; the owner may clear it.
    bool PosChanged = false;

    // Ends a move or marker drag under way, as its mouse-up would.
    void EndDrag();
    bool Dragging() const { return moveDrag_ || markerDrag_; }

    fw::TPanel* Marker(int index) const { return markers_.at(static_cast<size_t>(index)); }
    // The control the markers surround, or null.
    fw::TControl* FramedControl() const { return framedControl_; }

    void Notification(fw::TComponent* component, fw::TOperation operation) override;

    // The screen's active-control change.
    void ActiveControlChanged(fw::TObject* Sender);
    // The selected control's mouse, while it is hooked.
    void ControlMouseDown(fw::TObject* Sender, fw::TMouseButton Button, fw::TShiftState Shift,
                          int X, int Y);
    void ControlMouseMove(fw::TObject* Sender, fw::TShiftState Shift, int X, int Y);
    void ControlMouseUp(fw::TObject* Sender, fw::TMouseButton Button, fw::TShiftState Shift, int X,
                        int Y);
    // The marker panels' mouse.
    void MarkerMouseDown(fw::TObject* Sender, fw::TMouseButton Button, fw::TShiftState Shift, int X,
                         int Y);
    void MarkerMouseMove(fw::TObject* Sender, fw::TShiftState Shift, int X, int Y);
    void MarkerMouseUp(fw::TObject* Sender, fw::TMouseButton Button, fw::TShiftState Shift, int X,
                       int Y);

protected:
    void Destroy() override;

private:
    void CreateMarkers();
    void ShowMarkers(bool value);
    void ShowMarkerPanels(bool value);
    void PlaceMarkers(fw::TControl* control);
    void HookControl();
    void UnhookControl();
    // The window that holds the capture for a drag of control, or null.
    static HWND CaptureWindow(fw::TControl* control);
    int MarkerIndex(const fw::TObject* marker) const;

    fw::TWinControl* markerParent_ = nullptr;
    std::array<fw::TPanel*, kMarkerCount> markers_{};
    fw::TControl* selectControl_ = nullptr;
    fw::TControl* desginControl_ = nullptr;
    fw::TControl* framedControl_ = nullptr;
    fw::TControl* dragControl_ = nullptr;  // the control or marker being dragged
    bool active_ = false;
    bool markers3D_ = false;
    fw::TColor markersColor_ = 0;
    bool moveDrag_ = false;
    bool markerDrag_ = false;
    bool markersShown_ = false;
    bool hooked_ = false;
    POINT lastCursor_{0, 0};
    fw::TMouseEvent savedMouseDown_;
    fw::TMouseMoveEvent savedMouseMove_;
    fw::TMouseEvent savedMouseUp_;
    fw::TNotifyEvent savedFocus_;
};

}  // namespace signboard
