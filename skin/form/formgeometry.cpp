#include "skin/form/formgeometry.h"

#include <algorithm>
#include <optional>

#include "skin/data/skinobjects.h"

namespace skin {
namespace {

std::optional<TWindowsVersion>& VersionOverride()
{
    static std::optional<TWindowsVersion> version;
    return version;
}

TWindowsVersion SystemVersion()
{
    TWindowsVersion v;
    const DWORD raw = GetVersion();
    v.Major = LOBYTE(LOWORD(raw));
    v.Minor = HIBYTE(LOWORD(raw));
    v.Win95Family = (raw & 0x80000000u) != 0;
    v.NT = !v.Win95Family;
    return v;
}

// A strip's frame size along its frames; a frame count below 1 counts as 1.
int PerFrame(int size, int frames) { return size / std::max(frames, 1); }

}  // namespace

const TWindowsVersion& WindowsVersion()
{
    static const TWindowsVersion system = SystemVersion();
    const auto& v = VersionOverride();
    return v ? *v : system;
}

void SetWindowsVersion(const TWindowsVersion& version) { VersionOverride() = version; }
void ResetWindowsVersion() { VersionOverride().reset(); }

TFormKind FormKindOf(DWORD exStyle, bool hasMDIClient)
{
    if (exStyle & WS_EX_MDICHILD) return fkMDIChild;
    return hasMDIClient ? fkMDIFrame : fkNormal;
}

TBorderKind BorderKindOf(DWORD style, DWORD exStyle, bool dialogClass)
{
    TBorderKind kind = bkFixed;
    if ((style & WS_CAPTION) != WS_CAPTION)
        kind = bkNone;
    else if (style & WS_THICKFRAME)
        kind = bkSizable;
    else if (style & DS_MODALFRAME)
        kind = bkDialog;
    if (exStyle & WS_EX_DLGMODALFRAME) kind = bkDialog;
    if (dialogClass) kind = bkDialog;
    return kind;
}

uint8_t CaptionCapsOf(DWORD style, DWORD exStyle, bool hasSysMenu, bool hasOwner, bool mdiChild,
                      const TWindowsVersion& version)
{
    uint8_t caps = 0;
    if ((style & WS_SYSMENU) || hasSysMenu) caps |= ccSysMenu;
    if (style & WS_MINIMIZEBOX) caps |= ccMinimize;
    if (style & WS_MAXIMIZEBOX) caps |= ccMaximize;
    if (exStyle & WS_EX_CONTEXTHELP) caps |= ccContextHelp;
    const bool fiveZero = version.Major >= 5 && version.Minor == 0;
    if (fiveZero && version.NT && (exStyle & WS_EX_APPWINDOW)) caps |= ccKeepSysMenuStyle;
    if (fiveZero && !hasOwner && !mdiChild) caps |= ccKeepSysMenuStyle;
    return caps;
}

TSkinWindowState WindowStateOf(UINT showCmd)
{
    switch (showCmd) {
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE: return wsMinimized;
    case SW_SHOWMAXIMIZED: return wsMaximized;
    default: return wsNormal;
    }
}

TFrameBorders FrameBordersOf(const TSkinContent& skin, TBorderKind kind)
{
    TFrameBorders b;
    if (kind == bkNone) return b;
    b.Top = PerFrame(skin.Top->Image->Height(), skin.Top->Frame);
    b.Left = PerFrame(skin.Left->Image->Width(), skin.Left->Frame);
    b.Right = PerFrame(skin.Right->Image->Width(), skin.Right->Frame);
    b.Bottom = PerFrame(skin.Bottom->Image->Height(), skin.Bottom->Frame);
    return b;
}

POINT ClientToFrame(POINT client, const TFrameBorders& b, int menuBarHeight, bool maximizedMDIChild)
{
    if (maximizedMDIChild) return client;
    return POINT{client.x + b.Left, client.y + b.Top + menuBarHeight};
}

LRESULT SkinHitTest(LRESULT oldAnswer, POINT frame, const TFrameBorders& b, int menuBarHeight)
{
    if (oldAnswer != HTNOWHERE && oldAnswer != HTCAPTION) return oldAnswer;
    if (frame.y > 3 && frame.y < b.Top) return HTCAPTION;
    if (menuBarHeight > 0 && frame.y >= b.Top && frame.y < b.Top + menuBarHeight) return HTMENU;
    return oldAnswer;
}

RECT SkinClientRect(const WINDOWPOS& pos, const TFrameBorders& b, int menuBarHeight)
{
    RECT r{pos.x + b.Left, pos.y + b.Top + menuBarHeight, pos.x + pos.cx - b.Right,
           pos.y + pos.cy - b.Bottom};
    // A window smaller than its frame gets an empty client area at the
    // frame's inner corner rather than an inverted one.
    r.right = std::max(r.right, r.left);
    r.bottom = std::max(r.bottom, r.top);
    return r;
}

TFormState NextFormState(TFormState state, TFormEvent event)
{
    if (state == fsDestroyed) return fsDestroyed;
    if (state == fsDestroying) return event == TFormEvent::Destroyed ? fsDestroyed : fsDestroying;
    switch (event) {
    case TFormEvent::BeginFit: return fsSizing;
    case TFormEvent::EndFit:
    case TFormEvent::Activated:
    case TFormEvent::EndReskin: return fsActive;
    case TFormEvent::BeginReskin: return fsReskinning;
    case TFormEvent::BeginDestroy: return fsDestroying;
    case TFormEvent::Destroyed: return fsDestroyed;
    }
    return state;
}

}  // namespace skin
