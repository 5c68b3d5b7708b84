// The classification: which skinner each control gets (by class, class
// name, SkinControls, tags, OnSkinControl and the Skin3rd mapping) and
// which raw child window gets which, seen through a factory that records
// the requests; and no control skinned twice with the engine's factory.
#include "skin/controls/classify.h"

#include <gtest/gtest.h>

#include "framework/comctrls.h"
#include "framework/extctrls.h"
#include "framework/forms.h"
#include "framework/menus.h"
#include "framework/stdctrls.h"
#include "skin/controls/skinbutton.h"
#include "skin/controls/tests/controlfixture.h"
#include "skin/engine/skinmessages.h"
#include "skin/tests/listprobes.h"

namespace skin {
namespace {

using K = TSkinnerKind;
using test::ControlTest;

struct TRecorder : TSkinnerFactory {
    TSkinControl* Attach(const TSkinnerRequest& r, TSkinControlList*, TSkinData*,
                         fw::TCanvas*) override
    {
        requests.push_back(r);
        return nullptr;
    }
    std::vector<TSkinnerRequest> requests;
};

// Other vendors' classes, known to the engine by their names only.
class TBitBtnProbe : public fw::TButton {
    FW_CLASS(TBitBtnProbe, fw::TButton)
public:
    using fw::TButton::TButton;
};
FW_IMPLEMENT_CLASS_AS(TBitBtnProbe, "TBitBtn") {}

class TNamedButton : public fw::TButton {
    FW_CLASS(TNamedButton, fw::TButton)
public:
    using fw::TButton::TButton;
};
FW_IMPLEMENT_CLASS_AS(TNamedButton, "TMyButton") {}

class TNamedEdit : public fw::TEdit {
    FW_CLASS(TNamedEdit, fw::TEdit)
public:
    using fw::TEdit::TEdit;
};
FW_IMPLEMENT_CLASS_AS(TNamedEdit, "TMyEdit") {}

class TGroupProbe : public fw::TPanel {
    FW_CLASS(TGroupProbe, fw::TPanel)
public:
    using fw::TPanel::TPanel;
};
FW_IMPLEMENT_CLASS_AS(TGroupProbe, "TMyRadioGroup") {}

// A tool bar, and a panel of another vendor, as they publish Flat, Menu
// and Transparent.
class TToolBarProbe : public fw::TPanel {
    FW_CLASS(TToolBarProbe, fw::TPanel)
public:
    using fw::TPanel::TPanel;
    bool Flat = false;
    fw::TMenu* Menu = nullptr;
};
FW_IMPLEMENT_CLASS_AS(TToolBarProbe, "TToolBar")
{
    c.Property("Flat", &TToolBarProbe::Flat);
    c.Property("Menu", &TToolBarProbe::Menu);
}

// A panel of another kind that carries a menu of its own.
class TMenuHost : public fw::TPanel {
    FW_CLASS(TMenuHost, fw::TPanel)
public:
    using fw::TPanel::TPanel;
    fw::TMenu* Menu = nullptr;
};
FW_IMPLEMENT_CLASS(TMenuHost) { c.Property("Menu", &TMenuHost::Menu); }

// A cool bar and its bands, which it owns.
class TCoolBarProbe : public fw::TWinControl {
    FW_CLASS(TCoolBarProbe, fw::TWinControl)
public:
    using fw::TWinControl::TWinControl;
};
FW_IMPLEMENT_CLASS_AS(TCoolBarProbe, "TCoolBar") {}

class TCoolBandProbe : public fw::TComponent {
    FW_CLASS(TCoolBandProbe, fw::TComponent)
public:
    using fw::TComponent::TComponent;
    fw::TColor Color = fw::clBtnFace;
};
FW_IMPLEMENT_CLASS_AS(TCoolBandProbe, "TCoolBand") { c.Property("Color", &TCoolBandProbe::Color); }

class TClearPanel : public fw::TPanel {
    FW_CLASS(TClearPanel, fw::TPanel)
public:
    using fw::TPanel::TPanel;
    bool Transparent = false;
};
FW_IMPLEMENT_CLASS_AS(TClearPanel, "TLMDSimplePanel")
{
    c.Property("Transparent", &TClearPanel::Transparent);
}

class ClassifyTest : public ControlTest {
protected:
    // The requests made for one control.
    std::vector<TSkinnerRequest> Classify(fw::TControl* c)
    {
        recorder.requests.clear();
        menusOwnerDrawn.clear();
        TControlClassifier classifier(list, data.get(), nullptr, recorder);
        classifier.FrameSkinned = frameSkinned;
        classifier.OwnerDrawMenuItems = [this](fw::TControl* owner) {
            menusOwnerDrawn.push_back(owner);
        };
        classifier.SkinControl(c, form.get());
        return recorder.requests;
    }
    K KindOf(fw::TControl* c)
    {
        auto r = Classify(c);
        EXPECT_EQ(r.size(), 1u) << c->ClassName();
        return r.empty() ? K::AdvPage : r[0].Kind;
    }
    void Map(const std::string& line) { data->Skin3rd()->Add(line); }
    TRecorder recorder;
    bool frameSkinned = false;
    // The controls whose menu items the classification made owner-drawn.
    std::vector<fw::TControl*> menusOwnerDrawn;
};

TEST_F(ClassifyTest, ChainByClass)
{
    EXPECT_EQ(KindOf(Put<fw::TButton>(0, 0, 50, 20)), K::Button);
    EXPECT_EQ(KindOf(Put<fw::TCheckBox>(0, 0, 50, 20)), K::CheckBox);
    EXPECT_EQ(KindOf(Put<fw::TRadioButton>(0, 0, 50, 20)), K::RadioButton);
    EXPECT_EQ(KindOf(Put<fw::TComboBox>(0, 0, 50, 20)), K::ComBox);
    EXPECT_EQ(KindOf(Put<fw::TEdit>(0, 0, 50, 20)), K::Edit);
    // A memo is an edit, but its scroll bars come first.
    EXPECT_EQ(KindOf(Put<fw::TMemo>(0, 0, 50, 40)), K::Scrollbar);
    // A date picker gets its own skinner, a time picker the edit's.
    EXPECT_EQ(KindOf(Put<fw::TDateTimePicker>(0, 0, 100, 20)), K::DateTime);
    auto* time = Put<fw::TDateTimePicker>(0, 0, 100, 20);
    time->SetKind(fw::dtkTime);
    EXPECT_EQ(KindOf(time), K::Edit);
    // A glyph button is a button, and the glyph row comes first.
    EXPECT_EQ(KindOf(Put<TBitBtnProbe>(0, 0, 50, 20)), K::BitButton);

    // A panel's children first, then the panel with its colour replaced.
    auto* panel = Put<fw::TPanel>(0, 0, 100, 60);
    auto* inner = new fw::TButton(form.get());
    inner->SetParent(panel);
    auto r = Classify(panel);
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0].Kind, K::Button);
    EXPECT_EQ(r[0].Control, inner);
    EXPECT_EQ(r[1].Kind, K::Box);
    EXPECT_TRUE(r[1].ReplaceColor);
}

TEST_F(ClassifyTest, ToolBarsGoFlatAndMappedPanelsTransparent)
{
    auto* bar = Put<TToolBarProbe>(0, 0, 100, 30);
    EXPECT_EQ(KindOf(bar), K::Box);
    EXPECT_TRUE(bar->Flat);
    // The default Skin3rd lines map this class to "panel".
    auto* panel = Put<TClearPanel>(0, 40, 100, 30);
    auto r = Classify(panel);
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].Kind, K::Box);
    EXPECT_TRUE(r[0].ReplaceColor);
    EXPECT_TRUE(panel->Transparent);
}

TEST_F(ClassifyTest, ControlsThatCarryAMenuAndCoolBars)
{
    auto* menu = new fw::TMainMenu(form.get());
    auto* host = Put<TMenuHost>(0, 0, 100, 30);
    host->Menu = menu;
    auto* plain = Put<TMenuHost>(0, 0, 100, 30);
    auto* bar = Put<TToolBarProbe>(0, 40, 100, 30);
    bar->Menu = menu;
    auto* inner = new fw::TForm(form.get());
    inner->SetMenu(new fw::TMainMenu(inner));
    inner->SetParent(form.get());
    inner->SetBounds(0, 80, 100, 60);
    auto* listBox = Put<test::TListBoxProbe>(0, 150, 100, 60);

    // What the chain gives each, with the frame skinned or not: the
    // control that carries a menu only has its items owner-drawn; a tool
    // bar and a form inside the form carrying one keep their own rows.
    struct Case {
        const char* name;
        fw::TControl* control;
        bool frame;
        bool menuOwnerDrawn;
        int requests;  // 0, or 1 of this kind
        K kind;
        bool replaceColor;
    } cases[] = {
        {"menu host", host, true, true, 0, K::Box, false},
        {"menu host, frame not skinned: a panel", host, false, false, 1, K::Box, true},
        {"no menu: a panel", plain, true, false, 1, K::Box, true},
        {"tool bar", bar, true, true, 1, K::Box, false},
        {"form inside the form", inner, true, false, 1, K::Box, true},
        {"list box: its scroll bars", listBox, true, false, 1, K::Scrollbar, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        frameSkinned = c.frame;
        const auto r = Classify(c.control);
        EXPECT_EQ(menusOwnerDrawn.size(), c.menuOwnerDrawn ? 1u : 0u);
        ASSERT_EQ(r.size(), size_t(c.requests));
        if (c.requests) {
            EXPECT_EQ(r[0].Kind, c.kind);
            EXPECT_EQ(r[0].Control, c.control);
            EXPECT_EQ(r[0].ReplaceColor, c.replaceColor);
        }
    }
    EXPECT_TRUE(bar->Flat);

    // A cool bar gets no skinner; its bands take the skin's face colour,
    // only with xcToolbar.
    auto* cool = Put<TCoolBarProbe>(0, 220, 200, 30);
    auto* first = new TCoolBandProbe(cool);
    auto* second = new TCoolBandProbe(cool);
    data->SetSkinControls(data->SkinControls().Exclude(xcToolbar));
    EXPECT_TRUE(Classify(cool).empty());
    EXPECT_EQ(first->Color, fw::clBtnFace);
    data->SetSkinControls(data->SkinControls().Include(xcToolbar));
    EXPECT_TRUE(Classify(cool).empty());
    EXPECT_EQ(first->Color, test::kFace);
    EXPECT_EQ(second->Color, test::kFace);
}

TEST_F(ClassifyTest, GatesAndTags)
{
    auto* button = Put<fw::TButton>(0, 0, 50, 20);
    auto* bit = Put<TBitBtnProbe>(0, 0, 50, 20);
    data->SetSkinControls(data->SkinControls().Exclude(xcButton).Exclude(xcBitBtn));
    EXPECT_TRUE(Classify(button).empty());
    // Without xcBitBtn a glyph button gets nothing, not the push-button skinner.
    data->SetSkinControls(data->SkinControls().Include(xcButton));
    EXPECT_TRUE(Classify(bit).empty());

    button->SetTag(data->DisableTag());
    EXPECT_TRUE(Classify(button).empty());

    // A disabled radio group leaves its items alone too.
    auto* group = Put<TGroupProbe>(0, 0, 100, 60);
    auto* item = new fw::TRadioButton(form.get());
    item->SetParent(group);
    group->SetTag(data->DisableTag());
    EXPECT_TRUE(Classify(group).empty());
    EXPECT_EQ(item->Tag(), data->DisableTag());
    EXPECT_TRUE(Classify(item).empty());
}

TEST_F(ClassifyTest, Skin3rdMappingDecidesAlone)
{
    auto* named = Put<TNamedButton>(0, 0, 50, 20);
    auto* edit = Put<TNamedEdit>(0, 0, 50, 20);
    // No line: the chain (a button).
    EXPECT_EQ(KindOf(named), K::Button);
    // A line without "=" never matches.
    Map("TMyButton");
    EXPECT_EQ(KindOf(named), K::Button);
    // Any letter case of the class name matches; "nil" keeps it unskinned.
    Map("tmybutton=NIL");
    EXPECT_TRUE(Classify(named).empty());
    // A kind whose gate is off: nothing, and the chain is not tried.
    Map("TMYEDIT=combobox");
    data->SetSkinControls(data->SkinControls().Exclude(xcCombo));
    EXPECT_TRUE(Classify(edit).empty());
    data->SetSkinControls(data->SkinControls().Include(xcCombo));
    EXPECT_EQ(KindOf(edit), K::ComBox);

    data->Skin3rd()->Clear();
    Map("TMyButton=comboboxex");
    auto r = Classify(named);
    ASSERT_EQ(r.size(), 1u);
    EXPECT_TRUE(r[0].ExtendedCombo);
    data->Skin3rd()->Clear();
    Map("TMyButton=pngbitbtn");
    r = Classify(named);
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].Kind, K::BitButton);
    EXPECT_EQ(r[0].GlyphProperty, "PngImage");
    // An edit mapped to "edit" is skinned only when it has a border.
    data->Skin3rd()->Clear();
    Map("TMyEdit=edit");
    EXPECT_EQ(KindOf(edit), K::Edit);
    edit->SetBorderStyle(fw::bsNone);
    EXPECT_TRUE(Classify(edit).empty());
}

TEST_F(ClassifyTest, OnSkinControlMayHandBackTheSkinner)
{
    struct THandler : fw::TObject {
        void Handle(fw::TComponent*, TSkinData*, fw::TControl*, fw::TControl* c,
                    const std::string& cls, fw::TComponent*& skinned)
        {
            names.push_back(cls);
            if (give) skinned = give(c);
        }
        std::function<fw::TComponent*(fw::TControl*)> give;
        std::vector<std::string> names;
    } handler;
    data->OnSkinControl = TOnSkinControl(&handler, &THandler::Handle);
    auto* button = Put<fw::TButton>(0, 0, 50, 20);
    // Nothing handed back: the classification goes on.
    EXPECT_EQ(KindOf(button), K::Button);
    EXPECT_EQ(handler.names.back(), "TBUTTON");
    // A skinner handed back is attached; anything else ends with none.
    handler.give = [](fw::TControl* c) { return new TSkinButton(c); };
    EXPECT_TRUE(Classify(button).empty());
    ASSERT_EQ(list.SkinControls().size(), 1u);
    EXPECT_TRUE(list.SkinControls()[0]->Attached);
    auto* other = Put<fw::TButton>(0, 30, 50, 20);
    handler.give = [](fw::TControl* c) { return new fw::TComponent(c); };
    EXPECT_TRUE(Classify(other).empty());
    data->OnSkinControl = {};
}

TEST_F(ClassifyTest, NoControlIsSkinnedTwice)
{
    auto* button = Put<fw::TButton>(0, 0, 50, 20);
    auto* edit = Put<fw::TEdit>(0, 30, 50, 20);
    TControlClassifier classifier(list, data.get(), nullptr);
    classifier.SkinAllControls(form.get());
    classifier.SkinAllControls(form.get());
    classifier.SkinControl(button, form.get());
    classifier.SkinControl(edit, form.get());
    ASSERT_EQ(list.SkinControls().size(), 2u);
    EXPECT_EQ(list.SkinControls()[0]->Control, button);
    EXPECT_EQ(list.SkinControls()[1]->Control, edit);
    EXPECT_TRUE(classifier.IsControlSkinned(button));
    EXPECT_TRUE(classifier.MustSkipControl(button));
    // Its window answers the query itself.
    EXPECT_EQ(SendMessageW(edit->Handle(), WM_SKINQUERY, 0, 0), 1);
}

TEST_F(ClassifyTest, RawChildWindowsByClassAndStyle)
{
    struct Case {
        const wchar_t* cls;
        DWORD style;
        bool skinned;
        K kind;
    } cases[] = {
        {L"BUTTON", BS_PUSHBUTTON, true, K::Button},
        {L"BUTTON", BS_DEFPUSHBUTTON, true, K::Button},
        {L"BUTTON", BS_GROUPBOX, false, K::Button},
        {L"BUTTON", BS_OWNERDRAW, false, K::Button},
        {L"BUTTON", BS_PUSHBUTTON | BS_BITMAP, false, K::Button},
        {L"BUTTON", BS_AUTOCHECKBOX, true, K::CheckBox},
        {L"BUTTON", BS_3STATE, true, K::CheckBox},
        {L"BUTTON", BS_PUSHBOX, true, K::CheckBox},
        {L"BUTTON", BS_AUTORADIOBUTTON, true, K::RadioButton},
        {L"BUTTON", BS_RADIOBUTTON, true, K::RadioButton},
        {L"EDIT", 0, true, K::Edit},
        {L"COMBOBOX", CBS_DROPDOWN, true, K::ComBox},
        {L"COMBOBOX", CBS_SIMPLE, false, K::ComBox},
        // An ordinary scroll bar, tab stop or not, is no size grip.
        {L"SCROLLBAR", SBS_VERT | WS_TABSTOP, false, K::Sizer},
        {L"SCROLLBAR", SBS_VERT, false, K::Sizer},
        {L"SCROLLBAR", SBS_SIZEGRIP, true, K::Sizer},
        {L"STATIC", 0, false, K::Button},
    };
    TControlClassifier classifier(list, data.get(), nullptr, recorder);
    for (const Case& c : cases) {
        HWND h = Raw(c.cls, c.style, 60, 20);
        recorder.requests.clear();
        classifier.SkinChildWindow(h);
        ASSERT_EQ(recorder.requests.size(), c.skinned ? 1u : 0u) << c.cls << " " << c.style;
        if (c.skinned) {
            EXPECT_EQ(recorder.requests[0].Kind, c.kind) << c.cls << " " << c.style;
            EXPECT_EQ(recorder.requests[0].Window, h);
        }
    }
}

}  // namespace
}  // namespace skin
