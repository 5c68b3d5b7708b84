// The clickable things of a skinned non-client area and the caption
// buttons among them: the hit object with its state machine (normal,
// pressed, hot), when a caption button is shown and enabled, where it sits,
// which one a point hits, and how it is drawn.
#pragma once

#include "framework/winapi.h"

#include <functional>
#include <memory>
#include <vector>

#include "skin/form/formgeometry.h"

namespace skin {

class TDataSkinSysButton;
class TWinSkinForm;

// Looks of a hit object.
enum : int { nsNormal = 1, nsPressed = 2, nsHot = 3 };

// A clickable thing of the non-client area; its rectangle is in frame
// coordinates. One object of a window at a time is the form's hot object
// (pressed or hot).
class TNCObject {
public:
    explicit TNCObject(TWinSkinForm* form) : Form(form) {}
    virtual ~TNCObject() = default;
    TNCObject(const TNCObject&) = delete;
    TNCObject& operator=(const TNCObject&) = delete;

    virtual void ButtonDown();
    virtual void ButtonUp();
    virtual void HoverEnter();
    virtual void HoverLeave();
    virtual void DrawObject() {}

    TWinSkinForm* Form;
    RECT Rect{};
    bool Visible = false;
    int State = nsNormal;
    bool Enabled = true;
};

// One caption button of the skin.
class TWinSysButton : public TNCObject {
public:
    TWinSysButton(TWinSkinForm* form, TDataSkinSysButton* skinButton)
        : TNCObject(form), SkinButton(skinButton)
    {}
    void DrawObject() override;
    // The system-menu button (drawn with the window's icon).
    bool IsSysMenuButton() const;

    TDataSkinSysButton* SkinButton;
};

// What decides a caption button's visibility.
struct TCaptionFacts {
    uint8_t Caps = 0;  // ccMaximize ...
    TSkinWindowState WindowState = wsNormal;
    bool Active = true;
    TBorderKind BorderKind = bkFixed;
    bool DialogClass = false;  // "#32770" or "TMessageForm"
    // An MDI frame whose active child is maximised, with a skinned menu bar.
    bool MDIChildMaximizedWithBar = false;
    // The system menu lets the window close (it has SC_CLOSE, not greyed).
    bool CanClose = true;
    // For visibility codes 1000 to 2000: the application's answer to
    // WM_SKINBUTTONSHOW (code, Action); shown when above 0.
    std::function<LRESULT(int code, int action)> AskApplication;
};

struct TButtonVisibility {
    bool Visible = false;
    bool ChangesEnabled = false;  // Enabled below applies
    bool Enabled = true;
};
TButtonVisibility SysButtonVisibility(const TDataSkinSysButton& button, const TCaptionFacts& facts);

// Where a button goes.
struct TButtonPlace {
    int WindowWidth = 0;
    RECT CaptionTextRect{};
    TFrameBorders Borders;
    int MenuBarHeight = 0;
    int MenuBarLeftMargin = 0;  // the menu-bar object's left margin, 0 without one
};
// The size of one frame of the button's image (a system-menu button is
// one frame).
SIZE SysButtonSize(const TDataSkinSysButton& button);
RECT SysButtonRect(const TDataSkinSysButton& button, const TButtonPlace& place);

// The first visible button that may be hit (Action 0 or more) at the
// frame point, or null.
TWinSysButton* FindSysButton(const std::vector<std::unique_ptr<TWinSysButton>>& buttons,
                             POINT frame);

// The frame of a button's strip a look is drawn with: disabled buttons
// show frame 4 (1 with fewer frames); the MDI buttons show 4 when hot.
int SysButtonFrame(const TDataSkinSysButton& button, bool enabled, int state);

}  // namespace skin
