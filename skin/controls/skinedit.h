// Edits and memos get a flat skinned border in place of the system's
// sunken edge; the edit paints its own client area as usual and the
// skinner paints over the border after it. An up-down living inside the
// edit is skinned too.
#pragma once

#include "framework/winapi.h"

#include "skin/controls/skincontrol.h"

namespace skin {

class TSkinEdit : public TSkinControl {
    FW_CLASS(TSkinEdit, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    void AfterProc(fw::TMessage& message) override;
    void DrawControl(HDC dc, const RECT& r) override;
    void Notification(fw::TComponent* component, fw::TOperation operation) override;

    // The border of WM_PRINT into dc (the window DC when 0): the inner
    // ring in the DC's brush, the outer in the skin's shadow colour.
    void PaintBorderToDC(HDC dc);
    // Looks for an up-down among the edit's child windows and skins it.
    void FindBuddyUpDown();

    // The up-down child found, and its skinner (cleared when it is freed).
    HWND BuddyWindow = nullptr;
    TSkinControl* UpDown = nullptr;

private:
    void DrawEditFrame(HDC dc, const RECT& r);
};

}  // namespace skin
