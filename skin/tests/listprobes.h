// List controls of the system's classes as framework controls of the
// class names the engine knows list kinds by (the framework has none of
// its own). Each file that includes them has classes of its own.
#pragma once

#include "framework/winapi.h"

#include <commctrl.h>

#include "framework/controls.h"

namespace skin::test {
namespace {

// A report-style list view with a border.
class TListViewProbe : public fw::TWinControl {
    FW_CLASS(TListViewProbe, fw::TWinControl)
public:
    using fw::TWinControl::TWinControl;

protected:
    void CreateParams(fw::TCreateParams& p) override
    {
        fw::TWinControl::CreateParams(p);
        CreateSubClass(p, WC_LISTVIEWW);
        p.Style |= LVS_REPORT | WS_BORDER;
    }
};
FW_IMPLEMENT_CLASS_AS(TListViewProbe, "TCustomListView") {}

// A list box made without scroll-bar styles.
class TListBoxProbe : public fw::TWinControl {
    FW_CLASS(TListBoxProbe, fw::TWinControl)
public:
    using fw::TWinControl::TWinControl;

protected:
    void CreateParams(fw::TCreateParams& p) override
    {
        fw::TWinControl::CreateParams(p);
        CreateSubClass(p, L"LISTBOX");
        p.Style &= ~DWORD(WS_HSCROLL | WS_VSCROLL);
    }
};
FW_IMPLEMENT_CLASS_AS(TListBoxProbe, "TCustomListBox") {}

}  // namespace
}  // namespace skin::test
