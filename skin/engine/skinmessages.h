// The skin engine's private window messages and the marker some of them
// carry. "The application" is the program that uses the engine.
#pragma once

#include "framework/winapi.h"

namespace skin {

constexpr LPARAM SKIN_MARKER = 0x41A2;

constexpr UINT WM_SKINUPDATE = 0x3401;       // application: re-skin the window
constexpr UINT WM_SKINREPAINT = 0x3502;      // application: repaint the frame
constexpr UINT WM_SKINACTIVATE = 0x3503;     // posted once a window is hooked
constexpr UINT WM_SKINENABLE = 0x3506;       // WParam > 0 on, else off (control skinners)
constexpr UINT WM_SKINTABCLOSE = 0x3507;     // tab control, tab index (to the form)
constexpr UINT WM_SKINBUTTONCLICK = 0x3514;  // a user caption button's Action
constexpr UINT WM_SKINBUTTONSHOW = 0x3515;   // visibility code, Action
constexpr UINT WM_SKINMDIREDRAW = 0x3516;    // child window (to the MDI client)
constexpr UINT WM_SKINRECREATE = 0x3517;     // control window whose skinner is gone (to the form)
constexpr UINT WM_SKINMENUOPEN = 0x3518;     // point (x low, y high)
constexpr UINT WM_SKINQUERY = 0x3523;        // answered 1 by skinned windows and controls
constexpr UINT WM_SKINPAINTCLIENT = 0xBC4A;  // DC, SKIN_MARKER
constexpr UINT WM_SKINPAINTBORDER = 0xBC4B;  // DC, SKIN_MARKER
constexpr UINT WM_SKINPROBE = 0xBC4D;        // 0, SKIN_MARKER
constexpr UINT WM_SKINNOTIFY = 0xBC4E;       // 0, SKIN_MARKER: the window is skinned

}  // namespace skin
