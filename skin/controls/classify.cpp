#include "skin/controls/classify.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "framework/comctrls.h"
#include "framework/extctrls.h"
#include "framework/forms.h"
#include "framework/menus.h"
#include "framework/stdctrls.h"
#include "framework/steptimes.h"
#include "framework/typinfo.h"
#include "rtl/textcase.h"
#include "skin/controls/skinbox.h"
#include "skin/controls/skinbutton.h"
#include "skin/controls/skincheck.h"
#include "skin/controls/skincombo.h"
#include "skin/controls/skinedit.h"
#include "skin/controls/skinflat.h"
#include "skin/controls/skinheader.h"
#include "skin/controls/skinmedia.h"
#include "skin/controls/skinobjimage.h"
#include "skin/controls/skinprogress.h"
#include "skin/controls/skinscroll.h"
#include "skin/controls/skinspeed.h"
#include "skin/controls/skinstatus.h"
#include "skin/controls/skintab.h"
#include "skin/controls/skintrack.h"
#include "skin/controls/skinupdown.h"
#include "skin/engine/skinapi.h"
#include "skin/engine/skinmessages.h"

namespace skin {

namespace {

// Kinds the framework has no class of are recognised by the class-name
// text of the control's class or one of its bases.
bool Is(const fw::TControl* c, std::string_view className) { return c->InheritsFrom(className); }

template <class T>
bool Is(const fw::TControl* c)
{
    return c->InheritsFrom(T::StaticClass());
}

bool IsOneOf(const std::string& name, std::initializer_list<const char*> names)
{
    return std::any_of(names.begin(), names.end(), [&](const char* n) { return name == n; });
}

TSkinnerRequest Request(TSkinnerKind kind, fw::TControl* control = nullptr)
{
    TSkinnerRequest r;
    r.Kind = kind;
    r.Control = control;
    return r;
}

std::vector<fw::TControl*> ChildControls(fw::TControl* control)
{
    std::vector<fw::TControl*> children;
    if (auto* w = dynamic_cast<fw::TWinControl*>(control))
        for (int i = 0; i < w->ControlCount(); ++i) children.push_back(w->Controls(i));
    return children;
}

std::string WindowClassLower(HWND window)
{
    char name[101] = {};
    GetClassNameA(window, name, sizeof name);
    return rtl::FoldCase(name);
}

// The bands of a cool bar: the framework has no cool bar, so one is known
// by its class name, and its bands are the components it owns that are no
// controls and have a colour of their own.
std::vector<fw::TComponent*> CoolBands(fw::TControl* bar)
{
    std::vector<fw::TComponent*> bands;
    for (int i = 0; i < bar->ComponentCount(); ++i) {
        fw::TComponent* c = bar->Components(i);
        if (!dynamic_cast<fw::TControl*>(c) && HasIntegerProp(c, "Color")) bands.push_back(c);
    }
    return bands;
}

// The value 1 of an enumeration property (a time picker, an up-down
// picker): read as its ordinal.
bool EnumIsOne(const fw::TControl* c, std::string_view name)
{
    const auto kind = fw::PropKind(c, name);
    return kind && *kind == fw::TTypeKind::Enumeration && fw::GetOrdProp(c, name) == 1;
}

// Gives an event property the handler when the application left it
// unassigned (and it is an event of the handler's kind).
template <class Event>
void AssignUnassigned(fw::TObject* c, std::string_view name, const Event& handler)
{
    if (handler && !fw::GetMethodProp(c, name).Assigned()) fw::SetMethodProp(c, name, handler);
}

}  // namespace

bool IsScrollingList(const fw::TControl* control)
{
    return control && (Is(control, "TCustomListView") || Is(control, "TCustomListBox"));
}

TControlClassifier::TControlClassifier(TSkinControlList& form, TSkinData* data, fw::TCanvas* canvas,
                                       TSkinnerFactory& factory)
    : form_(form), data_(data), canvas_(canvas), factory_(factory)
{}

bool TControlClassifier::Has(TSkinControlType type) const
{
    return data_->SkinControls().Contains(type);
}

bool TControlClassifier::HasTabObject() const { return data_->Skin().Tabs != nullptr; }

TSkinControl* TControlClassifier::Attach(TSkinnerRequest request)
{
    return factory_.Attach(request, &form_, data_, canvas_);
}

TSkinControl* TControlClassifier::Attach(TSkinnerKind kind, fw::TControl* control,
                                         bool replaceColor)
{
    TSkinnerRequest r = Request(kind, control);
    r.ReplaceColor = replaceColor;
    return Attach(r);
}

void TControlClassifier::SkinAllControls(fw::TWinControl* form)
{
    form_.RemoveDeadControls();
    SkinComponents(form);
    std::vector<fw::TWinControl*> order;
    form->GetTabOrderList(order);
    for (fw::TWinControl* c : order)
        if (!MustSkipControl(c)) SkinControl(c, form);
}

void TControlClassifier::SkinComponents(fw::TComponent* container)
{
    std::vector<fw::TControl*> controls;
    for (int i = 0; i < container->ComponentCount(); ++i)
        if (auto* c = dynamic_cast<fw::TControl*>(container->Components(i))) controls.push_back(c);
    auto* parent = dynamic_cast<fw::TControl*>(container);
    for (fw::TControl* c : controls) SkinControl(c, parent);
    if (Has(xcPopupMenu) && OwnerDrawPopupMenus) OwnerDrawPopupMenus(container);
}

void TControlClassifier::SkinChildren(fw::TControl* control)
{
    for (fw::TControl* child : ChildControls(control)) SkinControl(child, control);
}

bool TControlClassifier::MustSkipControl(fw::TControl* control) const
{
    auto* w = dynamic_cast<fw::TWinControl*>(control);
    if (!w || !w->HandleAllocated()) return true;
    if (control->Tag() == data_->DisableTag()) return true;
    if (control->Perform(WM_SKINQUERY) == 1) return true;
    return form_.FindByHandle(w->HandleIfAllocated()) != nullptr;
}

bool TControlClassifier::IsControlSkinned(fw::TControl* control) const
{
    if (!control) return false;
    if (control->Perform(WM_SKINQUERY) == 1) return true;
    return form_.FindByControl(control) != nullptr;
}

void TControlClassifier::TagGroupChildren(fw::TControl* control)
{
    const std::string name = rtl::FoldCase(control->ClassName());
    if (name.find("radiogroup") == std::string::npos &&
        name.find("checkgroup") == std::string::npos)
        return;
    for (fw::TControl* child : ChildControls(control)) child->SetTag(data_->DisableTag());
}

void TControlClassifier::SkinControl(fw::TControl* control, fw::TControl* parent)
{
    if (!control) return;
    if (control->Tag() == data_->DisableTag()) {
        TagGroupChildren(control);
        return;
    }
    if (!control->Parent() || IsControlSkinned(control)) return;
    fw::TStepSpan span(fw::StepTimesOn() ? control->ClassType()->Name.c_str() : nullptr);
    const std::string name = rtl::UpperCase(control->ClassName());
    if (auto* w = dynamic_cast<fw::TWinControl*>(control)) {
        try {
            w->HandleNeeded();
        } catch (...) {
            return;  // a control without a window is left alone
        }
    }
    if (data_->OnSkinControl) {
        fw::TComponent* skinned = nullptr;
        data_->OnSkinControl(Sender, data_, parent, control, name, skinned);
        if (skinned) {
            if (auto* s = dynamic_cast<TSkinControl*>(skinned)) {
                if (!form_.AddSkinControl(s)) {
                    form_.RemoveSkinControl(s);  // InitControl lists it
                    s->InitControl(&form_, data_, s->ReplaceColor, canvas_);
                    if (Is<fw::TCustomPanel>(control)) SkinChildren(control);
                }
            }
            return;
        }
    }
    if (SkinByMapping(name, control)) return;
    if (IsOneOf(name, {"TDBCOMBOBOXEH", "TFRDESIGNERPAGE", "TFRPBOX"})) return;
    ChainRow(name, control);
}

// The chain: the first row whose test and gate hold acts.
bool TControlClassifier::ChainRow(const std::string& name, fw::TControl* c)
{
    using K = TSkinnerKind;
    const bool tab = Has(xcTab) && HasTabObject();
    if ((Is(c, "TPageControl") || Is(c, "TTabControl")) && tab) {
        TSkinnerRequest r = Request(K::Tab, c);
        if (Is(c, "TPageControl")) {
            if (GetPropTextLower(c, "Style") != "tstabs") r.Kind = K::TabBtn;
        } else {
            r.Mode = 2;
        }
        Attach(r);
        return true;
    }
    // A control that carries a menu of its own; tool bars and forms inside
    // forms carry one too, but have rows of their own further down.
    if (!Is(c, "TToolBar") && !Is<fw::TCustomForm>(c) &&
        GetObjectPropByName(c, "Menu", fw::TMenu::StaticClass()) && FrameSkinned) {
        if (OwnerDrawMenuItems) OwnerDrawMenuItems(c);
        return true;
    }
    if (Is(c, "TCoolBar") && Has(xcToolbar)) {
        const std::string face = std::to_string(data_->Skin().Colour(TColourSlot::ButtonFace));
        for (fw::TComponent* band : CoolBands(c)) SetPropByName(band, "Color", face);
        return true;
    }
    if (name == "TTABSET" && tab) return Attach(K::Tab31, c), true;
    if (Is(c, "TTabSheet") && tab) return Attach(K::TabSheet, c), true;
    if (name == "TTABBEDNOTEBOOK" && tab) return Attach(K::Tab, c), true;
    if (name == "TMVCPANEL") return SkinChildren(c), true;
    if (Is(c, "TCustomTabControl") && HasProp(c, "Style") && tab) {
        Attach(GetPropText(c, "Style") == "tsTabs" ? K::Tab : K::TabBtn, c);
        return true;
    }
    if (Is(c, "THeaderControl") && Has(xcPanel)) return Attach(K::Header, c), true;
    if (Is<fw::TCustomCheckBox>(c) && Has(xcCheckBox)) return Attach(K::CheckBox, c), true;
    if (Is(c, "TTrackBar") && Has(xcTrackBar)) return Attach(K::TrackBar, c), true;
    if (IsOneOf(name, {"TUPDOWN", "TSPINBUTTON"}) && Has(xcSpin)) return Attach(K::UpDown, c), true;
    if (name == "TMEDIAPLAYER" && Has(xcButton)) return Attach(K::MediaPlayer, c), true;
    if (Is(c, "TCustomRadioGroup") && Has(xcRadioButton)) {
        for (fw::TControl* child : ChildControls(c)) Attach(K::RadioButton, child);
        Attach(K::GroupBox, c, true);
        return true;
    }
    if (name == "TDBNAVIGATOR" && Has(xcPanel)) {
        Attach(K::Box, c, true);
        for (fw::TControl* child : ChildControls(c)) SkinControl(child, nullptr);
        return true;
    }
    auto image = [&](int kind) {
        TSkinnerRequest r = Request(K::ObjImage, c);
        r.Mode = kind;
        r.ReplaceColor = true;
        Attach(r);
        return true;
    };
    if (IsOneOf(name, {"TRZDBCHECKBOX", "TRZCHECKBOX"}) && Has(xcCheckBox)) return image(1);
    if (IsOneOf(name, {"TRZRADIOBUTTON", "TRZDBRADIOBUTTON"}) && Has(xcRadioButton))
        return image(2);
    if (IsOneOf(name, {"TCXDBCHECKBOX", "TCXCHECKBOX"}) && Has(xcCheckBox)) return image(3);
    if (Is<fw::TCustomGroupBox>(c) && Has(xcPanel)) {
        SkinChildren(c);
        Attach(K::GroupBox, c);
        return true;
    }
    if (Is<fw::TRadioButton>(c) && Has(xcRadioButton)) return Attach(K::RadioButton, c), true;
    if (Is(c, "TToolBar") && Has(xcToolbar)) {
        SetPropByName(c, "Flat", "True");
        AssignUnassigned(c, "OnCustomDraw", ToolbarCustomDraw);
        AssignUnassigned(c, "OnCustomDrawButton", ToolbarCustomDrawButton);
        Attach(K::Box, c);
        if (OwnerDrawMenuItems && GetObjectPropByName(c, "Menu", fw::TMenu::StaticClass()))
            OwnerDrawMenuItems(c);
        return true;
    }
    if (Is<fw::TStatusBar>(c) && Has(xcStatusBar)) return Attach(K::StatusBar, c), true;
    if (Is(c, "TProgressBar") && Has(xcProgress)) return Attach(K::Progress, c), true;
    auto scrollbar = [&](K kind, bool through) {
        TSkinnerRequest r = Request(kind, c);
        r.ThroughScrollbar = through;
        Attach(r);
        return true;
    };
    if (Is(c, "TScrollBar") && Has(xcScrollbar)) return scrollbar(K::ScControl, true);
    if ((name == "TTNTCOMBOBOX" || Is<fw::TCustomComboBox>(c)) && Has(xcCombo))
        return Attach(K::ComBox, c), true;
    if (Is(c, "TDateTimePicker") && Has(xcEdit)) {
        const bool plain = EnumIsOne(c, "Kind") || EnumIsOne(c, "DateMode");
        Attach(plain ? K::Edit : K::DateTime, c);
        return true;
    }
    if (name == "TRICHEDIT" && Has(xcScrollbar)) return scrollbar(K::Scrollbar, true);
    if (IsOneOf(name, {"TWWDBRICHEDIT", "TDXDBMEMO"}) && Has(xcScrollbar))
        return scrollbar(K::Scrollbar, false);
    if (Is(c, "TBitBtn")) {
        if (Has(xcBitBtn)) Attach(K::BitButton, c);
        return true;
    }
    if (Is(c, "TSpeedButton") && Has(xcSpeedButton)) return Attach(K::SpeedButton, c), true;
    if (Is<fw::TCustomPanel>(c) && Has(xcPanel)) {
        SkinChildren(c);
        Attach(K::Box, c, true);
        return true;
    }
    if (IsOneOf(name, {"TDXTREELIST", "TDXDBTREELIST", "TDXDBGRID"}) && Has(xcScrollbar))
        return scrollbar(K::Scrollbar, false);
    if (Is(c, "TCustomListView") && Has(xcScrollbar)) return scrollbar(K::ListView, true);
    if (Is<fw::TCustomMemo>(c) && Has(xcScrollbar)) return scrollbar(K::Scrollbar, false);
    if (IsScrollingList(c) && Has(xcScrollbar)) return scrollbar(K::Scrollbar, false);
    if (NeedsScrollbars && Has(xcScrollbar) && NeedsScrollbars(c))
        return scrollbar(K::Scrollbar, false);
    if (Is<fw::TButton>(c) && Has(xcButton)) return Attach(K::Button, c), true;
    if (Is<fw::TCustomEdit>(c) && Has(xcEdit)) return Attach(K::Edit, c), true;
    if (IsOneOf(name, {"TDCEDIT", "TDCDBEDIT"})) {
        const int64_t buttons = GetOrdPropByName(c, "NumButtons");
        if (buttons == 1 && Has(xcCombo)) Attach(K::ComBox, c);
        auto* w = dynamic_cast<fw::TWinControl*>(c);
        if (buttons == 0 && Has(xcEdit) && w) {
            TSkinnerRequest r = Request(K::Edit);
            r.Window = w->Handle();
            Attach(r);
        }
        return true;
    }
    if (Is(c, "TCustomFrame")) return SkinComponents(c), true;
    if (Is<fw::TCustomForm>(c)) {
        Attach(K::Box, c, true);
        SkinComponents(c);
        return true;
    }
    return false;
}

bool TControlClassifier::SkinByMapping(const std::string& upperName, fw::TControl* c)
{
    using K = TSkinnerKind;
    const std::string key = rtl::FoldCase(upperName) + "=";
    std::string kind;
    fw::TStrings* lines = data_->Skin3rd();
    bool found = false;
    for (int i = 0; lines && i < lines->Count(); ++i) {
        const std::string line = rtl::FoldCase(lines->Get(i));
        if (line.starts_with(key)) {
            kind = line.substr(key.size(), 50);
            found = true;
            break;
        }
    }
    if (!found || kind.empty()) return false;

    auto attach = [&](K k, bool replace = false) { Attach(k, c, replace); };
    auto children = [&] { return ChildControls(c); };
    if (kind == "nil") return true;
    if (kind == "combobox" && Has(xcCombo)) return attach(K::ComBox), true;
    if (kind == "comboboxex" && Has(xcCombo)) {
        TSkinnerRequest r = Request(K::ComBox, c);
        r.ExtendedCombo = true;
        Attach(r);
        return true;
    }
    if (kind == "edit" && Has(xcEdit)) {
        // Only an edit with a border: its window and client sizes differ.
        auto* w = dynamic_cast<fw::TWinControl*>(c);
        RECT wr{}, cr{};
        if (w && GetWindowRect(w->Handle(), &wr) && GetClientRect(w->Handle(), &cr) &&
            (wr.right - wr.left != cr.right || wr.bottom - wr.top != cr.bottom))
            attach(K::Edit);
        return true;
    }
    if (kind == "radiobutton" && Has(xcRadioButton)) return attach(K::RadioButton), true;
    if (kind == "panel" && Has(xcPanel)) {
        SetPropByName(c, "Transparent", "True");
        attach(K::Box, true);
        return true;
    }
    if (kind == "trackbar" && Has(xcButton)) {
        SetPropByName(c, "Transparent", "True");
        attach(K::TrackBar);
        return true;
    }
    if (kind == "button" && Has(xcButton)) return attach(K::Button), true;
    if (kind == "datetimepicker" && Has(xcCombo)) return attach(K::DateTime), true;
    if (kind == "mediaplayer" && Has(xcButton)) return attach(K::MediaPlayer), true;
    if (kind == "bitbtn" && Has(xcButton)) {
        const bool menu =
            key == "tcxbutton=" && GetPropTextLower(c, "Kind") == "cxbkdropdownbutton";
        attach(menu ? K::MenuButton : K::BitButton);
        return true;
    }
    if ((kind == "pngbitbtn" || kind == "pngspeedbutton") && Has(xcButton)) {
        TSkinnerRequest r = Request(kind == "pngbitbtn" ? K::BitButton : K::SpeedButton, c);
        r.GlyphProperty = "PngImage";
        Attach(r);
        return true;
    }
    if (kind == "menubtn" && Has(xcButton)) return attach(K::MenuButton), true;
    if (kind == "speedbutton" && Has(xcSpeedButton)) return attach(K::SpeedButton), true;
    if (kind == "tab" && Has(xcTab) && HasTabObject()) return attach(K::Tab), true;
    if (kind == "progress" && Has(xcProgress)) return attach(K::Progress), true;
    if (kind == "scrollbar" && Has(xcScrollbar)) {
        attach(K::Scrollbar);
        SkinChildren(c);
        return true;
    }
    if (kind == "singlescrollbar" && Has(xcScrollbar)) {
        TSkinnerRequest r = Request(K::Scrollbar, c);
        r.SingleBar = true;
        Attach(r);
        return true;
    }
    if (kind == "embedscrollbar" && Has(xcScrollbar)) {
        for (fw::TControl* child : children()) {
            if (Is(child, "TScrollBar")) {
                TSkinnerRequest r = Request(K::ScControl, child);
                r.ThroughScrollbar = true;
                Attach(r);
            } else if (NeedsScrollbars && NeedsScrollbars(child)) {
                Attach(K::Scrollbar, child);
            }
        }
        return true;
    }
    if (kind == "container") return SkinChildren(c), true;
    if (kind == "groupbox" && Has(xcGroupBox)) return attach(K::GroupBox), true;
    if (kind == "advpagecontrol" && Has(xcTab)) {
        TSkinnerRequest r = Request(K::AdvPage, c);
        r.Mode = 4;
        r.ReplaceColor = true;
        Attach(r);
        return true;
    }
    const bool rz = upperName.find("TRZ") != std::string::npos;
    if (kind == "radiogroup" && Has(xcGroupBox)) {
        if (Has(xcRadioButton)) {
            for (fw::TControl* child : children()) {
                TSkinnerRequest r = Request(rz ? K::ObjImage : K::RadioButton, child);
                if (rz) r.Mode = 2, r.ReplaceColor = true;
                Attach(r);
            }
        }
        attach(K::GroupBox);
        return true;
    }
    if (kind == "checkgroup" && Has(xcPanel)) {
        if (Has(xcRadioButton)) {
            for (fw::TControl* child : children()) {
                TSkinnerRequest r = Request(rz ? K::ObjImage : K::CheckBox, child);
                if (rz) r.Mode = 1, r.ReplaceColor = true;
                Attach(r);
            }
        }
        if (Has(xcGroupBox)) attach(K::GroupBox);
        return true;
    }
    if (kind == "checkbox" && Has(xcCheckBox)) return attach(K::CheckBox), true;
    return true;
}

void TControlClassifier::SkinChildWindows(HWND window)
{
    for (HWND child = GetTopWindow(window); child; child = GetWindow(child, GW_HWNDNEXT))
        if (GetWindowLongPtrA(child, GWL_STYLE) & WS_CHILD) SkinChildWindow(child);
}

void TControlClassifier::SkinChildWindow(HWND window)
{
    using K = TSkinnerKind;
    if (!window || form_.FindByHandle(window)) return;
    const std::string cls = WindowClassLower(window);
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE));
    const bool ownerDrawn = (style & 0x0B) == 0x0B;
    auto byHandle = [&](K kind, HWND w) {
        TSkinnerRequest r = Request(kind);
        r.Window = w;
        Attach(r);
    };
    if (cls == "button") {
        if (ownerDrawn) return;
        if ((style & 7) == 7 || (style & BS_BITMAP)) return;
        if ((style & 3) == 3 || (style & 2) || (style & 5) == 5) {
            if (Has(xcCheckBox)) byHandle(K::CheckBox, window);
        } else if ((style & 9) == 9 || (style & 4)) {
            if (Has(xcRadioButton)) byHandle(K::RadioButton, window);
        } else if (Has(xcButton)) {
            byHandle(K::Button, window);
        }
        return;
    }
    if (cls == "combobox") {
        if (Has(xcCombo) && (style & 3) != CBS_SIMPLE) byHandle(K::ComBox, window);
        return;
    }
    if (cls == "comboboxex32") {
        if (HWND first = GetTopWindow(window); first && Has(xcCombo)) byHandle(K::ComBox, first);
        return;
    }
    // Only a size grip gets the sizer; ordinary scroll bars are left alone.
    if (cls == "scrollbar") {
        if (style & SBS_SIZEGRIP) byHandle(K::Sizer, window);
        return;
    }
    if (cls == "systreeview32") return;
    if (cls == "#32770") {
        if (!(style & WS_TABSTOP)) {
            SkinChildWindows(window);
            byHandle(K::BoxH, window);
        }
        return;
    }
    const auto faceColour = [&] {
        if (fw::TWinControl* c = FindControlByHandle(window))
            c->SetColor(data_->Skin().Colour(TColourSlot::ButtonFace));
    };
    if (IsOneOf(cls, {"tpanel", "ttntpanel.unicodeclass", "ttntsilentpaintpanel.unicodeclass"})) {
        SkinChildWindows(window);
        faceColour();
        return;
    }
    if (cls == "tcheckbox") {
        if (Has(xcCheckBox)) byHandle(K::CheckBox, window);
        return;
    }
    if (cls == "tcombobox") {
        if (Has(xcCombo)) byHandle(K::ComBox, window);
        return;
    }
    if (cls == "tbutton") {
        if (Has(xcButton)) byHandle(K::Button, window);
        return;
    }
    if (cls == "tprogressbar") return byHandle(K::Progress, window);
    if (cls == "tsilentpaintpanel") return faceColour();
    if (cls == "systabcontrol32") {
        if (Has(xcTab) && !(style & TCS_OWNERDRAWFIXED)) byHandle(K::Tab, window);
        return;
    }
    if (cls == "toolbarwindow32") return byHandle(K::BoxH, window);
    if (cls == "edit" && Has(xcEdit)) byHandle(K::Edit, window);
}

namespace {

template <class T>
TSkinControl* Make(const TSkinnerRequest& r, TSkinControlList* form, TSkinData* data,
                   fw::TCanvas* canvas)
{
    if (r.Window) {
        auto* s = new T(nullptr);
        s->InitHandle(r.Window, data, form, canvas);
        return s;
    }
    if (!r.Control) return nullptr;
    auto* s = new T(r.Control);
    s->InitControl(form, data, r.ReplaceColor, canvas);
    return s;
}

class TEngineFactory : public TSkinnerFactory {
public:
    TSkinControl* Attach(const TSkinnerRequest& r, TSkinControlList* form, TSkinData* data,
                         fw::TCanvas* canvas) override
    {
        switch (r.Kind) {
        case TSkinnerKind::Button: return Make<TSkinButton>(r, form, data, canvas);
        case TSkinnerKind::BitButton: {
            auto* s = static_cast<TSkinBitButton*>(Make<TSkinBitButton>(r, form, data, canvas));
            if (s) s->GlyphProperty = r.GlyphProperty;
            return s;
        }
        case TSkinnerKind::MenuButton: return Make<TSkinMenuButton>(r, form, data, canvas);
        case TSkinnerKind::SpeedButton: {
            // Speed buttons have no window; a windowed control of that
            // name is not painted this way.
            if (!dynamic_cast<fw::TGraphicControl*>(r.Control)) return nullptr;
            auto* s = new TSkinSpeedButton(r.Control);
            s->SpeedGlyphProperty = r.GlyphProperty;
            s->AttachGraphicControl(form, data, canvas);
            return s;
        }
        case TSkinnerKind::CheckBox: return Make<TSkinCheckBox>(r, form, data, canvas);
        case TSkinnerKind::RadioButton: return Make<TSkinRadioButton>(r, form, data, canvas);
        case TSkinnerKind::Edit: return Make<TSkinEdit>(r, form, data, canvas);
        case TSkinnerKind::Scrollbar: {
            // A raw window's bars, or a framework control's (SingleBar
            // set before it attaches).
            if (r.Window) return Make<TSkinScrollbarH>(r, form, data, canvas);
            auto* control = dynamic_cast<fw::TWinControl*>(r.Control);
            if (!control) return nullptr;
            auto* s = new TSkinScrollbar(control);
            s->SingleBar = r.SingleBar;
            s->InitScrollbar(control, data, form, canvas);
            return s;
        }
        case TSkinnerKind::ComBox: {
            auto* s = static_cast<TSkinComBox*>(Make<TSkinComBox>(r, form, data, canvas));
            if (s) s->ExtendedCombo = r.ExtendedCombo;
            return s;
        }
        case TSkinnerKind::DateTime: return Make<TSkinDateTime>(r, form, data, canvas);
        case TSkinnerKind::MediaPlayer: return Make<TSkinMP>(r, form, data, canvas);
        case TSkinnerKind::TrackBar: return Make<TSkinTrackBar>(r, form, data, canvas);
        case TSkinnerKind::Progress: return Make<TSkinProgress>(r, form, data, canvas);
        case TSkinnerKind::UpDown: {
            // Mode 1: a tab set's scroller, split left and right.
            auto* s = static_cast<TSkinUpDown*>(Make<TSkinUpDown>(r, form, data, canvas));
            if (s && r.Mode == 1) s->HorizontalMode = 1;
            return s;
        }
        case TSkinnerKind::StatusBar: return Make<TSkinStatusBar>(r, form, data, canvas);
        case TSkinnerKind::GroupBox: return Make<TSkinGroupBox>(r, form, data, canvas);
        case TSkinnerKind::Box: return Make<TSkinBox>(r, form, data, canvas);
        case TSkinnerKind::BoxH: return Make<TSkinBoxH>(r, form, data, canvas);
        case TSkinnerKind::ObjImage: {
            // The image kind decides the glyph layout before it is written.
            if (!r.Control) return nullptr;
            auto* s = new TSkinObjImage(r.Control);
            s->ImageKind = r.Mode;
            s->InitControl(form, data, r.ReplaceColor, canvas);
            return s;
        }
        case TSkinnerKind::Tab: {
            // Mode 2: a plain tab control, whose windowless children are
            // painted over the pane.
            TSkinControl* s = Make<TSkinTab>(r, form, data, canvas);
            if (s && r.Mode == 2) s->SubKind = 2;
            return s;
        }
        case TSkinnerKind::TabBtn: return Make<TSkinTabBtn>(r, form, data, canvas);
        case TSkinnerKind::Tab31: return Make<TSkinTab31>(r, form, data, canvas);
        case TSkinnerKind::AdvPage: return Make<TSkinAdvPage>(r, form, data, canvas);
        case TSkinnerKind::Header: return Make<TSkinHeader>(r, form, data, canvas);
        case TSkinnerKind::ListView: return Make<TSkinListView>(r, form, data, canvas);
        case TSkinnerKind::Sizer: return Make<TSkinSizer>(r, form, data, canvas);
        case TSkinnerKind::TabSheet: return Make<TSkinTabSheet>(r, form, data, canvas);
        case TSkinnerKind::ScControl: return Make<TSkinScControl>(r, form, data, canvas);
        default:
            // Kinds this engine does not skin yet.
            return nullptr;
        }
    }
};

}  // namespace

TSkinnerFactory& DefaultSkinnerFactory()
{
    static TEngineFactory factory;
    return factory;
}

}  // namespace skin
