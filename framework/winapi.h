// The Windows API as the framework sees it: <windows.h> (and the common
// controls, <commctrl.h>, which needs it first) without the
// A/W macros whose names the framework uses for its own members
// (TCanvas::TextOut and DrawText, TApplication::MessageBox,
// TStrings::GetObject, RegisterClass). Call the W functions by their full
// names (DrawTextW, MessageBoxW, GetObjectW).
#pragma once

#include <windows.h>
// after windows.h
#include <commctrl.h>

#undef DrawText
#undef GetObject
#undef MessageBox
#undef RegisterClass
#undef TextOut
