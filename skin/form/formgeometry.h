// The skinned frame's geometry and the window facts it is built from, as
// pure functions: the window's kind, border kind and caption flags from its
// styles and the Windows version, the frame sizes from the skin, frame
// coordinates, the hit-test rule, the client rectangle of WM_NCCALCSIZE and
// the skinner's state changes. The form skinner reads the window and calls
// these; the tests call them with tables.
#pragma once

#include "framework/winapi.h"

#include <cstdint>

namespace skin {

struct TSkinContent;

// The Windows version the version-dependent branches read. The default is
// taken from the system once; tests set another to reach each branch.
struct TWindowsVersion {
    unsigned Major = 0;
    unsigned Minor = 0;
    bool NT = true;            // the NT family
    bool Win95Family = false;  // GetVersion with the top bit set
};
const TWindowsVersion& WindowsVersion();
void SetWindowsVersion(const TWindowsVersion& version);
// Back to the system's own version.
void ResetWindowsVersion();

// The window's place among MDI windows.
enum TFormKind : uint8_t { fkNormal = 0, fkMDIFrame = 1, fkMDIChild = 2 };
// How the frame is drawn.
enum TBorderKind : uint8_t { bkSizable = 0, bkFixed = 1, bkNone = 2, bkDialog = 3 };
// Caption flags.
enum : uint8_t {
    ccMaximize = 1,
    ccMinimize = 2,
    ccContextHelp = 4,
    ccSysMenu = 8,
    ccKeepSysMenuStyle = 0x10,  // WS_SYSMENU is never taken out of the style
};
// 0 normal, 1 maximised, 2 minimised.
enum TSkinWindowState : uint8_t { wsNormal = 0, wsMaximized = 1, wsMinimized = 2 };

TFormKind FormKindOf(DWORD exStyle, bool hasMDIClient);
// The class "#32770" or "TMessageForm" (a dialog class) always gets the
// dialog frame.
TBorderKind BorderKindOf(DWORD style, DWORD exStyle, bool dialogClass);
uint8_t CaptionCapsOf(DWORD style, DWORD exStyle, bool hasSysMenu, bool hasOwner, bool mdiChild,
                      const TWindowsVersion& version);
// From the showCmd of the window placement.
TSkinWindowState WindowStateOf(UINT showCmd);

// Frame sizes of the skin: left and right border widths, the caption strip
// height and the bottom border height; all 0 for a window without caption.
struct TFrameBorders {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
};
TFrameBorders FrameBordersOf(const TSkinContent& skin, TBorderKind kind);

// A client point (relative to the client area's top-left corner) in frame
// coordinates, whose origin is the window's top-left corner. A maximised
// MDI child uses plain client coordinates.
POINT ClientToFrame(POINT client, const TFrameBorders& b, int menuBarHeight,
                    bool maximizedMDIChild);

// The skinned frame's answer to WM_NCHITTEST, given the old procedure's
// answer and the point in frame coordinates: a point the old procedure
// leaves to nobody or to its caption becomes the caption inside the
// caption strip (below its top 3 rows) and the menu inside the menu-bar
// strip; every other point keeps the old answer.
LRESULT SkinHitTest(LRESULT oldAnswer, POINT frame, const TFrameBorders& b, int menuBarHeight);

// The client rectangle of a window at pos inside the skinned frame; never
// of negative size.
RECT SkinClientRect(const WINDOWPOS& pos, const TFrameBorders& b, int menuBarHeight);

// Skinner states.
enum TFormState : int {
    fsInstalled = 0,   // hooked, waiting for WM_SKINACTIVATE
    fsActive = 1,      // skinned
    fsReskinning = 3,  // the skin is applied again
    fsDestroying = 4,  // the window is being destroyed
    fsSizing = 5,      // the window is being fitted to the frame
    fsDestroyed = 6,   // the window is gone: its handle is never used again
};
enum class TFormEvent {
    BeginFit,   // fitting to the frame starts
    EndFit,     // fitting done
    Activated,  // activation sequence done
    BeginReskin,
    EndReskin,
    BeginDestroy,  // WM_NCDESTROY arrives
    Destroyed,     // the old procedure has seen WM_NCDESTROY
};
// The state after the event. A destroyed window's skinner stays destroyed,
// and one being destroyed only goes on to destroyed.
TFormState NextFormState(TFormState state, TFormEvent event);

}  // namespace skin
