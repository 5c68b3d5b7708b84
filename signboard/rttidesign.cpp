#include "signboard/rttidesign.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <vector>

namespace signboard {

namespace {

// Every live component, for putting the focus handlers back in any order.
std::vector<TRttiDesign*>& Instances()
{
    static std::vector<TRttiDesign*> instances;
    return instances;
}

int Saturate(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); }

// v kept within [0, limit - extent] (0 when the extent does not fit).
int KeepInside(int v, int extent, int limit)
{
    const int64_t highest = std::max<int64_t>(0, int64_t{limit} - extent);
    return static_cast<int>(std::clamp<int64_t>(v, 0, highest));
}

// Which edges each marker moves, and its cursor.
struct TMarkerInfo {
    bool Left, Top, Right, Bottom;
    fw::TCursor Cursor;
};
constexpr TMarkerInfo kMarkerInfo[TRttiDesign::kMarkerCount] = {
    {true, true, false, false, fw::crSizeNWSE},  // Node0 top-left
    {false, true, false, false, fw::crSizeNS},   // Node1 top
    {false, true, true, false, fw::crSizeNESW},  // Node2 top-right
    {false, false, true, false, fw::crSizeWE},   // Node3 right
    {false, false, true, true, fw::crSizeNWSE},  // Node4 bottom-right
    {false, false, false, true, fw::crSizeNS},   // Node5 bottom
    {true, false, false, true, fw::crSizeNESW},  // Node6 bottom-left
    {true, false, false, false, fw::crSizeWE},   // Node7 left
};

POINT CursorPos()
{
    POINT p{0, 0};
    GetCursorPos(&p);
    return p;
}

void SetScreenCursor(fw::TCursor cursor)
{
    if (fw::Screen) fw::Screen->SetCursor(cursor);
}

}  // namespace

FW_IMPLEMENT_CLASS(TRttiDesign)
{
    c.Property("SelectControl", &TRttiDesign::SelectControl, &TRttiDesign::SetSelectControl);
    c.Property("Active", &TRttiDesign::Active, &TRttiDesign::SetActive);
    c.Property("Markers3D", &TRttiDesign::Markers3D, &TRttiDesign::SetMarkers3D);
    c.Property("MarkersColor", &TRttiDesign::MarkersColor, &TRttiDesign::SetMarkersColor)
        .WithIdents(fw::ColorIdents());
    c.Property("OnBeforeSelect", &TRttiDesign::OnBeforeSelect);
    c.Property("OnCanMove", &TRttiDesign::OnCanMove);
    c.Property("OnCanResize", &TRttiDesign::OnCanResize);
    c.Property("PosChanged", &TRttiDesign::PosChanged);
    c.Property("DesginControl", &TRttiDesign::DesginControl, &TRttiDesign::SetDesginControl);
}

TRttiDesign::TRttiDesign(fw::TComponent* owner) : TComponent(owner)
{
    markerParent_ = dynamic_cast<fw::TWinControl*>(owner);
    if (auto* control = dynamic_cast<fw::TControl*>(owner)) SetDesginControl(control);
    Instances().push_back(this);
    if (fw::Screen) {
        savedFocus_ = fw::Screen->OnActiveControlChange;
        fw::Screen->OnActiveControlChange =
            fw::TNotifyEvent(this, &TRttiDesign::ActiveControlChanged);
    }
    CreateMarkers();
}

void TRttiDesign::Destroy()
{
    const fw::TNotifyEvent mine(this, &TRttiDesign::ActiveControlChanged);
    if (fw::Screen && fw::Screen->OnActiveControlChange == mine) {
        fw::Screen->OnActiveControlChange = savedFocus_;
    } else {
        // A component installed after this one calls this one's handler:
        // it calls the one before this instead.
        for (TRttiDesign* other : Instances())
            if (other != this && other->savedFocus_ == mine) other->savedFocus_ = savedFocus_;
    }
    auto& all = Instances();
    all.erase(std::remove(all.begin(), all.end(), this), all.end());
    if (moveDrag_ || markerDrag_) {
        if (HWND w = CaptureWindow(dragControl_); w && GetCapture() == w) ReleaseCapture();
        moveDrag_ = markerDrag_ = false;
    }
    if (hooked_) UnhookControl();
    inherited::Destroy();
}

void TRttiDesign::CreateMarkers()
{
    for (int i = 0; i < kMarkerCount; ++i) {
        auto* m = new fw::TPanel(this);
        m->SetName("Node" + std::to_string(i));
        m->SetVisible(false);
        m->SetBounds(0, 0, kMarkerSize, kMarkerSize);
        m->SetCaption("");
        m->SetParentColor(false);
        m->SetColor(markersColor_);
        m->Brush()->SetColor(markersColor_);
        m->SetBevelOuter(markers3D_ ? fw::bvRaised : fw::bvNone);
        m->SetCursor(kMarkerInfo[i].Cursor);
        m->OnMouseDown = fw::TMouseEvent(this, &TRttiDesign::MarkerMouseDown);
        m->OnMouseMove = fw::TMouseMoveEvent(this, &TRttiDesign::MarkerMouseMove);
        m->OnMouseUp = fw::TMouseEvent(this, &TRttiDesign::MarkerMouseUp);
        if (markerParent_) m->SetParent(markerParent_);
        markers_[static_cast<size_t>(i)] = m;
    }
}

void TRttiDesign::Notification(fw::TComponent* component, fw::TOperation operation)
{
    inherited::Notification(component, operation);
    if (operation != fw::opRemove) return;
    for (auto& m : markers_)
        if (m == component) m = nullptr;
    if (component == dragControl_) {
        moveDrag_ = markerDrag_ = false;
        dragControl_ = nullptr;
    }
    if (component == framedControl_) {
        framedControl_ = nullptr;
        if (!Destroying()) ShowMarkerPanels(false);
    }
    if (component == selectControl_) {
        selectControl_ = nullptr;
        hooked_ = false;
        markersShown_ = false;
    }
    if (component == desginControl_) desginControl_ = nullptr;
}

void TRttiDesign::SetDesginControl(fw::TControl* control)
{
    if (control == desginControl_) return;
    desginControl_ = control;
    if (control) control->FreeNotification(this);
}

void TRttiDesign::SetActive(bool value)
{
    if (value == active_) return;
    if (value) {
        if (selectControl_ && !hooked_) HookControl();
    } else {
        if (selectControl_ && hooked_) UnhookControl();
    }
    active_ = value;
    ShowMarkers(false);
}

void TRttiDesign::SetSelectControl(fw::TControl* control)
{
    if (control == selectControl_) return;
    if (hooked_) UnhookControl();
    if (!control && selectControl_) selectControl_->SetCursor(fw::crDefault);
    if (moveDrag_ && dragControl_ == selectControl_) EndDrag();
    selectControl_ = control;
    if (control) control->FreeNotification(this);
    ShowMarkers(false);
    if (control && active_) HookControl();
}

void TRttiDesign::SetMarkersColor(fw::TColor color)
{
    markersColor_ = color;
    for (fw::TPanel* m : markers_) {
        if (!m) continue;
        m->SetColor(color);
        m->Brush()->SetColor(color);
        m->Invalidate();
    }
}

void TRttiDesign::SetMarkers3D(bool value)
{
    markers3D_ = value;
    for (fw::TPanel* m : markers_)
        if (m) m->SetBevelOuter(value ? fw::bvRaised : fw::bvNone);
}

void TRttiDesign::ShowMarkers(bool value)
{
    markersShown_ = value;
    if (value && selectControl_) PlaceMarkers(selectControl_);
    if (!value && selectControl_) selectControl_->SetCursor(fw::crDefault);
    ShowMarkerPanels(value);
}

void TRttiDesign::ShowMarkerPanels(bool value)
{
    for (fw::TPanel* m : markers_) {
        if (!m) continue;
        const bool appearing = value && !m->Visible();
        m->SetVisible(value);
        // Above the container and the control they mark.
        if (appearing) m->BringToFront();
    }
}

void TRttiDesign::HookControl()
{
    hooked_ = true;
    savedMouseDown_ = selectControl_->OnMouseDown;
    savedMouseMove_ = selectControl_->OnMouseMove;
    savedMouseUp_ = selectControl_->OnMouseUp;
    selectControl_->OnMouseDown = fw::TMouseEvent(this, &TRttiDesign::ControlMouseDown);
    selectControl_->OnMouseMove = fw::TMouseMoveEvent(this, &TRttiDesign::ControlMouseMove);
    selectControl_->OnMouseUp = fw::TMouseEvent(this, &TRttiDesign::ControlMouseUp);
}

void TRttiDesign::UnhookControl()
{
    hooked_ = false;
    if (!selectControl_) return;
    selectControl_->OnMouseDown = savedMouseDown_;
    selectControl_->OnMouseMove = savedMouseMove_;
    selectControl_->OnMouseUp = savedMouseUp_;
}

HWND TRttiDesign::CaptureWindow(fw::TControl* control)
{
    auto* w = dynamic_cast<fw::TWinControl*>(control);
    return w ? w->HandleIfAllocated() : nullptr;
}

int TRttiDesign::MarkerIndex(const fw::TObject* marker) const
{
    for (int i = 0; i < kMarkerCount; ++i)
        if (markers_[static_cast<size_t>(i)] == marker) return i;
    return -1;
}

void TRttiDesign::ActiveControlChanged(fw::TObject*)
{
    if (desginControl_ && !desginControl_->Destroying() && !Destroying() && fw::Screen) {
        fw::TWinControl* control = fw::Screen->ActiveControl();
        if (control && control->Parent() == desginControl_) {
            SetActive(true);
            SetSelectControl(control);
        } else {
            SetActive(false);
        }
    }
    if (savedFocus_) savedFocus_(fw::Screen);
}

void TRttiDesign::PlaceMarkers(fw::TControl* control)
{
    framedControl_ = nullptr;
    const int64_t l = control->Left(), t = control->Top(), w = control->Width(),
                  h = control->Height();
    const int64_t points[kMarkerCount][2] = {
        {l - 2, t - 2},         {l + w / 2 - 2, t - 2},
        {l + w - 2, t - 2},     {l + w - 2, t + h / 2 - 2},
        {l + w - 2, t + h - 2}, {l + w / 2 - 2, t + h - 2},
        {l - 2, t + h - 2},     {l - 2, t + h / 2 - 2},
    };
    for (int i = 0; i < kMarkerCount; ++i) {
        fw::TPanel* m = markers_[static_cast<size_t>(i)];
        if (!m) continue;
        POINT p{Saturate(points[i][0]), Saturate(points[i][1])};
        if (control->Parent()) p = control->Parent()->ClientToScreen(p);
        if (m->Parent()) p = m->Parent()->ScreenToClient(p);
        m->SetTop(p.y);
        m->SetLeft(p.x);
    }
    framedControl_ = control;
    ShowMarkerPanels(true);
}

void TRttiDesign::ControlMouseDown(fw::TObject* Sender, fw::TMouseButton, fw::TShiftState, int, int)
{
    auto* control = dynamic_cast<fw::TControl*>(Sender);
    if (!active_ || !control) return;
    bool select = true;
    OnBeforeSelect(this, control, select);
    if (!select) return;
    moveDrag_ = true;
    dragControl_ = control;
    markersShown_ = true;
    if (HWND w = CaptureWindow(control)) SetCapture(w);
    lastCursor_ = CursorPos();
    PlaceMarkers(control);
}

void TRttiDesign::ControlMouseMove(fw::TObject* Sender, fw::TShiftState, int, int)
{
    auto* control = dynamic_cast<fw::TControl*>(Sender);
    if (!control) return;
    if (moveDrag_ && control == dragControl_) {
        // Without the capture the drag is over: the button went up elsewhere.
        if (HWND w = CaptureWindow(control); w && GetCapture() != w) {
            EndDrag();
            return;
        }
        PosChanged = true;
        bool canMove = true;
        OnCanMove(this, control, canMove);
        if (!canMove) return;
        const POINT p = CursorPos();
        SetScreenCursor(fw::crSizeAll);
        control->SetBounds(Saturate(int64_t{control->Left()} + p.x - lastCursor_.x),
                           Saturate(int64_t{control->Top()} + p.y - lastCursor_.y),
                           control->Width(), control->Height());
        lastCursor_ = p;
        PlaceMarkers(control);
    }
    if (markersShown_) control->SetCursor(fw::crSizeAll);
}

void TRttiDesign::ControlMouseUp(fw::TObject*, fw::TMouseButton, fw::TShiftState, int, int)
{
    if (moveDrag_) EndDrag();
}

void TRttiDesign::MarkerMouseDown(fw::TObject* Sender, fw::TMouseButton, fw::TShiftState, int, int)
{
    auto* marker = dynamic_cast<fw::TControl*>(Sender);
    if (!active_ || !marker) return;
    markerDrag_ = true;
    dragControl_ = marker;
    if (HWND w = CaptureWindow(marker)) SetCapture(w);
    lastCursor_ = CursorPos();
}

void TRttiDesign::MarkerMouseMove(fw::TObject* Sender, fw::TShiftState, int, int)
{
    if (!markerDrag_ || Sender != dragControl_) return;
    if (HWND w = CaptureWindow(dragControl_); w && GetCapture() != w) {
        EndDrag();
        return;
    }
    bool canResize = true;
    OnCanResize(Sender, canResize);
    if (!canResize) return;
    const int index = MarkerIndex(Sender);
    if (index < 0 || !framedControl_) return;
    // No messages are run here: the step reads the cursor and is done.
    const POINT p = CursorPos();
    fw::TControl* control = framedControl_;
    const POINT q = control->Parent() ? control->Parent()->ScreenToClient(p) : p;
    int64_t left = control->Left(), top = control->Top();
    int64_t right = left + control->Width(), bottom = top + control->Height();
    const TMarkerInfo& info = kMarkerInfo[index];
    if (info.Left) left = q.x;
    if (info.Right) right = q.x;
    if (info.Top) top = q.y;
    if (info.Bottom) bottom = q.y;
    // The left and top edges stop at the parent's, so that an area resized
    // past them stays on it, as the release of a move keeps it there.
    if (control->Parent()) {
        if (info.Left) left = std::max<int64_t>(left, 0);
        if (info.Top) top = std::max<int64_t>(top, 0);
    }
    control->SetBounds(Saturate(left), Saturate(top), Saturate(std::max<int64_t>(0, right - left)),
                       Saturate(std::max<int64_t>(0, bottom - top)));
    lastCursor_ = p;
    PlaceMarkers(control);
}

void TRttiDesign::MarkerMouseUp(fw::TObject*, fw::TMouseButton, fw::TShiftState, int, int)
{
    if (markerDrag_) EndDrag();
}

void TRttiDesign::EndDrag()
{
    if (!moveDrag_ && !markerDrag_) return;
    fw::TControl* dragged = dragControl_;
    const bool wasMove = moveDrag_;
    moveDrag_ = markerDrag_ = false;
    dragControl_ = nullptr;
    SetScreenCursor(fw::crDefault);
    if (HWND w = CaptureWindow(dragged); w && GetCapture() == w) ReleaseCapture();
    if (!wasMove || !dragged) return;
    // The whole control back on its parent, as far as it fits.
    fw::TControl* control = selectControl_ ? selectControl_ : dragged;
    if (fw::TWinControl* parent = control->Parent()) {
        const int left = KeepInside(control->Left(), control->Width(), parent->Width());
        const int top = KeepInside(control->Top(), control->Height(), parent->Height());
        if (left != control->Left() || top != control->Top()) {
            control->SetBounds(left, top, control->Width(), control->Height());
            if (framedControl_ == control) PlaceMarkers(control);
        }
    }
}

}  // namespace signboard
