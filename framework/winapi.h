// The Windows API as the framework sees it: <windows.h> without the
// A/W macros whose names the framework uses for its own members
// (TCanvas::TextOut and DrawText, TApplication::MessageBox,
// TStrings::GetObject, RegisterClass). Call the W functions by their full
// names (DrawTextW, MessageBoxW, GetObjectW).
#pragma once

#include <windows.h>

#undef DrawText
#undef GetObject
#undef MessageBox
#undef RegisterClass
#undef TextOut
