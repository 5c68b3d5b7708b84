// Skinners that fill a window flat with the skin's face colour: a size
// grip, and a page of a page control (its windowless children painted on
// top).
#pragma once

#include "framework/winapi.h"

#include "skin/controls/skincontrol.h"

namespace skin {

// A raw size-grip scroll bar: the grip's own painting is covered with
// the face colour after each paint.
class TSkinSizer : public TSkinControl {
    FW_CLASS(TSkinSizer, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    void DrawControl(HDC dc, const RECT& r) override;
};

// A page of a page control. A page whose parent background was switched
// off when it was attached keeps its own painting and erasing.
class TSkinTabSheet : public TSkinControl {
    FW_CLASS(TSkinTabSheet, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    bool BeforeProc(fw::TMessage& message) override;
    void DrawControl(HDC dc, const RECT& r) override;
};

}  // namespace skin
