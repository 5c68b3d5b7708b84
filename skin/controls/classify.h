// Which skinner each child control of a skinned window gets: framework
// controls by class, class name, the skin data's SkinControls, tags, the
// application's OnSkinControl and the Skin3rd mapping; raw child windows
// of foreign windows by window class name and style. A control gets at
// most one skinner.
//
// The classification decides; a factory makes and attaches the skinner of
// the kind decided (the engine's factory makes those it has, and tests
// record the requests).
#pragma once

#include "framework/winapi.h"

#include <functional>
#include <string>

#include "framework/comctrls.h"
#include "framework/controls.h"
#include "skin/controls/skincontrol.h"
#include "skin/data/skindata.h"

namespace skin {

enum class TSkinnerKind {
    Tab,
    TabBtn,
    Tab31,
    TabSheet,
    Header,
    CheckBox,
    TrackBar,
    UpDown,
    MediaPlayer,
    RadioButton,
    GroupBox,
    Box,
    BoxH,
    ObjImage,
    StatusBar,
    Progress,
    ScControl,
    ComBox,
    DateTime,
    Edit,
    Scrollbar,
    ListView,
    BitButton,
    SpeedButton,
    MenuButton,
    Button,
    Sizer,
    AdvPage,
};

struct TSkinnerRequest {
    TSkinnerKind Kind = TSkinnerKind::Button;
    fw::TControl* Control = nullptr;  // attached to the control
    HWND Window = nullptr;            // attached by handle (raw windows)
    bool ReplaceColor = false;
    int Mode = 0;                   // tab mode, or the image kind of TSkinObjImage
    bool ExtendedCombo = false;     // a combo box in ComboBoxEx mode
    bool SingleBar = false;         // a scroll-bar skinner that keeps the border
    bool ThroughScrollbar = false;  // attached through the scroll-bar initialiser
    std::string GlyphProperty;      // a glyph held by this property ("PngImage")
};

class TSkinnerFactory {
public:
    virtual ~TSkinnerFactory() = default;
    // Makes and attaches the skinner; null when there is none of that kind.
    virtual TSkinControl* Attach(const TSkinnerRequest& request, TSkinControlList* form,
                                 TSkinData* data, fw::TCanvas* canvas) = 0;
};

// The engine's factory.
TSkinnerFactory& DefaultSkinnerFactory();

// The list kinds whose scroll bars are skinned (list views, with their
// header, and list boxes), known by their class names: the framework has
// none of its own yet.
bool IsScrollingList(const fw::TControl* control);

class TControlClassifier {
public:
    TControlClassifier(TSkinControlList& form, TSkinData* data, fw::TCanvas* canvas,
                       TSkinnerFactory& factory = DefaultSkinnerFactory());

    // The control pass of a window's activation: dead skinners freed, the
    // form's components, then its windowed controls in tab order.
    void SkinAllControls(fw::TWinControl* form);
    void SkinComponents(fw::TComponent* container);
    void SkinChildren(fw::TControl* control);
    // Chooses and attaches the skinner of one control; parent goes to
    // OnSkinControl as its Form.
    void SkinControl(fw::TControl* control, fw::TControl* parent);
    bool MustSkipControl(fw::TControl* control) const;
    bool IsControlSkinned(fw::TControl* control) const;
    void TagGroupChildren(fw::TControl* control);
    // The Skin3rd line of the class, if any, decides; true when one did.
    bool SkinByMapping(const std::string& upperName, fw::TControl* control);
    // Raw child windows of a foreign window.
    void SkinChildWindows(HWND window);
    void SkinChildWindow(HWND window);

    // What the form skinner supplies: the sender of OnSkinControl, whether
    // the frame is skinned, owner-drawn menus, and which controls need
    // skinned scroll bars. Unset hooks do nothing (or answer false).
    fw::TComponent* Sender = nullptr;
    bool FrameSkinned = false;
    std::function<void(fw::TComponent* container)> OwnerDrawPopupMenus;
    std::function<void(fw::TControl* control)> OwnerDrawMenuItems;
    std::function<bool(fw::TControl* control)> NeedsScrollbars;
    // The form skinner's handlers for a tool bar's custom-draw events.
    fw::TToolBarCustomDrawEvent ToolbarCustomDraw;
    fw::TToolBarCustomDrawButtonEvent ToolbarCustomDrawButton;

private:
    bool Has(TSkinControlType type) const;
    bool HasTabObject() const;
    TSkinControl* Attach(TSkinnerKind kind, fw::TControl* control, bool replaceColor = false);
    TSkinControl* Attach(TSkinnerRequest request);
    bool ChainRow(const std::string& name, fw::TControl* control);

    TSkinControlList& form_;
    TSkinData* data_;
    fw::TCanvas* canvas_;
    TSkinnerFactory& factory_;
};

}  // namespace skin
