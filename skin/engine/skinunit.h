// The skin engine's process-wide state: made when the engine starts, before
// the first window, and released when it ends, at exit. It holds the
// window message and global atom named like the framework's control
// property ("ControlOfs%.8X%.8X", module instance and thread id), the
// optional user32 functions looked up by name, the platform flags, and the
// shared work bitmap and string list in which painters compose.
//
// Starts and ends are counted: the state is made by the first start and
// released by the matching last end, which also frees the skin manager.
// Outside a start the functions are unbound and the work objects null.
// GUI thread only.
#pragma once

#include "framework/winapi.h"

#include "framework/bitmaps.h"
#include "framework/strings.h"

namespace skin {

void StartSkinEngine();
void EndSkinEngine();

// Starts the engine for its lifetime (a program's WinMain, a test).
class TSkinEngineScope {
public:
    TSkinEngineScope() { StartSkinEngine(); }
    ~TSkinEngineScope() { EndSkinEngine(); }
    TSkinEngineScope(const TSkinEngineScope&) = delete;
    TSkinEngineScope& operator=(const TSkinEngineScope&) = delete;
};

bool SkinEngineStarted();

// The user32 functions the engine calls only where the system has them;
// each is null when it is missing (and all are null outside a start).
struct TOptionalUser32 {
    BOOL(WINAPI* GetScrollBarInfo)(HWND, LONG, PSCROLLBARINFO) = nullptr;
    BOOL(WINAPI* TrackMouseEvent)(LPTRACKMOUSEEVENT) = nullptr;
    BOOL(WINAPI* GetComboBoxInfo)(HWND, PCOMBOBOXINFO) = nullptr;
    void(WINAPI* DisableProcessWindowsGhosting)() = nullptr;  // looked up, never called
};
const TOptionalUser32& OptionalUser32();

HINSTANCE ModuleInstance();
// The atom and message of the framework's control-property name
// (fw::ControlAtomName()), held by the engine while it runs.
ATOM ControlAtom();
UINT ControlMessage();
// Windows NT platform, and a major Windows version other than 6, both
// from WindowsVersion() (skin/form/formgeometry.h), which tests may set.
bool IsNT();
bool NotVista();

// The shared work bitmap (its canvas set to COLORONCOLOR stretching when
// made; a resize gives the canvas a new DC, so a painter that stretches
// sets the mode again) and string list; null outside a start.
fw::TBitmap* WorkBitmap();
fw::TStringList* WorkStrings();

}  // namespace skin
