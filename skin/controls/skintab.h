// Tab controls drawn from the skin's Tabs object:
//
// - TSkinTab paints tab and page controls (SysTabControl32 windows and the
//   controls built on them): the strip of tabs from the Tabs strip, the
//   pane from the Tabs object's second image or from Tab.Pane, turned for
//   tabs at the bottom, left or right. A page control tagged 7777 gets a
//   close mark on each tab; a click on one asks the form (WM_SKINTABCLOSE)
//   and frees the page unless the form answers non-zero.
// - TSkinTab31 paints a tab set: tabs from left to right with the Tabs
//   strip upside down.
// - TSkinTabBtn paints tab controls in button style with the Buttons strip.
// - TSkinAdvPage paints nothing: it gives another vendor's page control
//   two tab backgrounds built from the Tabs strip.
//
// The scroller (up-down) a tab control shows when its tabs do not fit gets
// the engine's up-down skinner.
#pragma once

#include "framework/winapi.h"

#include <memory>
#include <string>
#include <vector>

#include "framework/bitmaps.h"
#include "skin/controls/skincontrol.h"

namespace skin {

// The Tag that gives a page control closable tabs.
constexpr int kClosableTabsTag = 7777;

// Where the tabs of a tab control sit, from its window style.
enum TTabOrientation : uint8_t { toTop, toBottom, toLeft, toRight };
TTabOrientation TabOrientationOfStyle(LONG_PTR style);

// Tab i of a tab control window: its text (at most 80 characters) and
// image index, read by the W message from a Unicode window and by the A
// message (the text converted) from an ANSI one. False when it cannot be
// read.
bool ReadTabItem(HWND window, bool unicode, int i, std::wstring& text, int& image);

class TSkinTab : public TSkinControl {
    FW_CLASS(TSkinTab, TSkinControl)
public:
    explicit TSkinTab(fw::TComponent* owner);

    void InitControl(TSkinControlList* form, TSkinData* skinData, bool replaceColor,
                     fw::TCanvas* workCanvas) override;
    void InitHandle(HWND handle, TSkinData* skinData, TSkinControlList* form,
                    fw::TCanvas* workCanvas) override;
    bool BeforeProc(fw::TMessage& message) override;
    void DrawControl(HDC dc, const RECT& r) override;
    void RefreshSkin() override;
    void Notification(fw::TComponent* component, fw::TOperation operation) override;

    TTabOrientation ReadTabOrientation() const;
    // Copies the tab faces and the pane from the skin, turned for the
    // orientation.
    void LoadTabBitmaps();
    // Skins the scroller child once; true when one is shown.
    bool FindTabScroller();
    // A left click on a close mark (client coordinates in LParam): asks the
    // form about each tab hit and frees the page it agrees to close. True
    // when a mark was hit.
    bool CloseTabAt(const fw::TMessage& message);

    std::unique_ptr<fw::TBitmap> TabFace;
    std::unique_ptr<fw::TBitmap> PaneImage;
    std::unique_ptr<fw::TBitmap> StripBitmap;
    TTabOrientation Orientation = toTop;
    // The close mark of each tab, in strip-bitmap coordinates.
    std::vector<RECT> CloseRects;
    TSkinControl* UpDown = nullptr;
    bool Closable = false;

protected:
    ~TSkinTab() override;

private:
    void DrawTabCloseMark(const RECT& t, int i);
    // The strip bitmap to the DC at p, leaving the scroller's window out.
    void BlitAroundScroller(HDC dc, POINT p, HWND scroller);
    void DrawPane(HDC dc, const RECT& p);
    // Page i of the page control, or null.
    fw::TControl* Page(int i) const;
};

class TSkinTab31 : public TSkinControl {
    FW_CLASS(TSkinTab31, TSkinControl)
public:
    explicit TSkinTab31(fw::TComponent* owner);

    // Attaches to the tab set's window (not its WindowProc).
    void InitControl(TSkinControlList* form, TSkinData* skinData, bool replaceColor,
                     fw::TCanvas* workCanvas) override;
    bool BeforeProc(fw::TMessage& message) override;
    void DrawControl(HDC dc, const RECT& r) override;
    void RefreshSkin() override;
    void Notification(fw::TComponent* component, fw::TOperation operation) override;

    void LoadTabSetBitmap();

    std::unique_ptr<fw::TBitmap> FlippedTabs;
    fw::TWinControl* Scroller = nullptr;
    TSkinControl* UpDown = nullptr;

protected:
    ~TSkinTab31() override;

private:
    bool ScrollerVisible() const;
};

class TSkinTabBtn : public TSkinControl {
    FW_CLASS(TSkinTabBtn, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    bool BeforeProc(fw::TMessage& message) override;
    void DrawControl(HDC dc, const RECT& r) override;
};

class TSkinAdvPage : public TSkinControl {
    FW_CLASS(TSkinAdvPage, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    void InitControl(TSkinControlList* form, TSkinData* skinData, bool replaceColor,
                     fw::TCanvas* workCanvas) override;
    void UnSkin() override;
    void DrawControl(HDC dc, const RECT& r) override;
    void RefreshSkin() override;
    void Notification(fw::TComponent* component, fw::TOperation operation) override;

    // The control's TabBackGround and TabBackGroundActive from frames 1
    // and 2 of the Tabs strip.
    void ApplyTabBackgrounds();

    TSkinControl* UpDown = nullptr;
};

}  // namespace skin
