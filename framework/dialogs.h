// Message boxes: modal, centred on the screen, titled with the
// application title unless a caption is given.
#pragma once

#include "framework/winapi.h"

#include <functional>
#include <string>

namespace fw {

// Shows text (GBK) with the given MB_* flags; answers the button pressed.
int ShowMessageBox(const std::string& text, const std::string& caption, UINT flags);
// One OK button, the application title as caption.
void ShowMessage(const std::string& text);

// Tests replace the box with a function that receives what would be shown
// and answers for the user; an empty function brings the real box back.
using TMessageBoxHook = std::function<int(const std::string& text, const std::string& caption, UINT flags)>;
void SetMessageBoxHook(TMessageBoxHook hook);

}  // namespace fw
