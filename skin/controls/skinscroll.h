// Skinned scroll bars. The engine never replaces a native scroll bar: it
// lays a small window of its own (TWScrollbar) exactly over it, one step
// above the host, and paints the skin there. Presses on that window are
// handed to the native bar underneath, so the system's own scrolling runs
// unchanged and the window only follows what the host reports.
//
// TSkinScrollbar serves a framework control with horizontal and vertical
// bars (and gives it a flat border); TSkinScrollbarH the same for a raw
// window (the list of a simple combo box); TSkinScControl a stand-alone
// scroll-bar control, covered whole by one window.
#pragma once

#include "framework/winapi.h"

#include <memory>

#include "framework/bitmaps.h"
#include "framework/extctrls.h"
#include "skin/controls/skincontrol.h"

namespace skin {

// Parts of a bar, by the scroll codes the host's scroll messages carry.
constexpr int kPartNone = -1, kPartFirstArrow = SB_LINEUP, kPartLastArrow = SB_LINEDOWN,
              kPartPageUp = SB_PAGEUP, kPartPageDown = SB_PAGEDOWN, kPartThumb = SB_THUMBTRACK;

// The part at position p along a bar.
int HitTestPart(int p, int arrowSize, int thumbStart, int thumbEnd, int barLength);
// The thumb's extent of a stand-alone scroll bar from its scroll info.
void CalcThumbFromScrollInfo(const SCROLLINFO& info, int barLength, int arrowSize, int& start,
                             int& end);
// The thumb's start while it is dragged by delta pixels, kept between the
// arrows.
int FollowThumbDrag(int pressThumbStart, int delta, int arrowSize, int barLength, int size);

// How a bar is drawn.
struct TBarLook {
    bool Vertical = false;
    bool Enabled = true;
    int ArrowSize = 0;
    int HotPart = kPartNone;
    bool Pressed = false;
    int ThumbStart = 0, ThumbEnd = 0;
};
// The drawn thickness: the Scrollbar image's height, or the arrow size
// when the two differ by more than 2.
int ScrollBarThickness(const TSkinContent& skin, int arrowSize);
// Composes a bar of w x h in a new bitmap: ButtonFace, the track, the
// arrows, and the thumb with its grip. thickness limits the bar across
// its axis (the rest keeps the face). Empty without a Scrollbar image.
std::unique_ptr<fw::TBitmap> ComposeScrollBar(const TSkinContent& skin, int w, int h, int thickness,
                                              const TBarLook& look);

class TWScrollbar : public fw::TCustomPanel {
    FW_CLASS(TWScrollbar, fw::TCustomPanel)
public:
    explicit TWScrollbar(fw::TComponent* owner);

    // Over the host's horizontal (0) or vertical (1) bar, or a scroll-bar
    // control (2).
    void AttachToControl(TSkinControl* skinner, fw::TWinControl* control, int kind);
    void AttachToWindow(TSkinControl* skinner, HWND window, int kind);
    // Shows, hides and places the window over the native bar.
    void PlaceOverScrollBar(HWND host);
    void HideBar();
    int HitTestPart(POINT p) const;
    void WndProc(fw::TMessage& message) override;

    TSkinControl* OwnerSkinner = nullptr;
    HWND HostHandle = nullptr;
    fw::TWinControl* HostControl = nullptr;
    int BarKind = 0;
    bool Vertical = false;
    int ArrowSize = 0;
    int BarLength = 0;
    int ThumbStart = 0, ThumbEnd = 0;
    POINT BarOrigin{};
    POINT PressPoint{};
    int PressThumbStart = 0;
    int HotPart = kPartNone;
    bool Pressed = false;
    bool Shown = false;
    RECT BarRectInHost{};

protected:
    void CreateParams(fw::TCreateParams& params) override;
    void Paint() override;
    void LetGo() override;

private:
    bool ReadBarInfo(SCROLLBARINFO& info);
    void Press(fw::TMessage& m);
    void Release(fw::TMessage& m);

    TAliveFlag alive_;
};

class TSkinScrollbar : public TSkinControl {
    FW_CLASS(TSkinScrollbar, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    // Control mode; the same as InitScrollbar with the owner.
    void InitControl(TSkinControlList* form, TSkinData* skinData, bool replaceColor,
                     fw::TCanvas* workCanvas) override;
    virtual void InitScrollbar(fw::TWinControl* control, TSkinData* skinData,
                               TSkinControlList* form, fw::TCanvas* canvas);
    bool BeforeProc(fw::TMessage& message) override;
    void AfterProc(fw::TMessage& message) override;
    void DrawControl(HDC dc, const RECT& r) override;
    void RefreshSkin() override;
    void UnSkin() override;
    void PlaceBars();
    void DrawFlatBorder(HDC dc);

    TWScrollbar* HorzBar = nullptr;
    TWScrollbar* VertBar = nullptr;
    bool FlatBorder = false;
    bool SingleBar = false;
    fw::TColor SavedFixedColor = 0;
    bool FixedColorReplaced = false;

private:
    HWND attachedHandle_ = nullptr;
};

class TSkinScrollbarH : public TSkinControl {
    FW_CLASS(TSkinScrollbarH, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    void InitHandle(HWND handle, TSkinData* skinData, TSkinControlList* form,
                    fw::TCanvas* workCanvas) override;
    void AfterProc(fw::TMessage& message) override;
    void DrawControl(HDC dc, const RECT& r) override;
    void UnSkin() override;
    void PlaceBars();

    TWScrollbar* HorzBar = nullptr;
    TWScrollbar* VertBar = nullptr;
};

class TSkinScControl : public TSkinControl {
    FW_CLASS(TSkinScControl, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    // Control mode; the same as AttachScrollControl with the owner.
    void InitControl(TSkinControlList* form, TSkinData* skinData, bool replaceColor,
                     fw::TCanvas* workCanvas) override;
    // Lays the skinner's bar window over the control and hooks it.
    void AttachScrollControl(fw::TWinControl* control, TSkinData* skinData, TSkinControlList* form,
                             fw::TCanvas* canvas);
    void AfterProc(fw::TMessage& message) override;
    void DrawControl(HDC dc, const RECT& r) override;
    void UnSkin() override;

    TWScrollbar* Bar = nullptr;
};

}  // namespace skin
