// Check boxes and radio buttons: frame tables of 4-, 8- and 12-frame
// strips, the state read from State, Checked, DataField and DataBinding,
// the box's place, a raw check box painted over, and a skin refresh.
#include "skin/controls/skincheck.h"

#include <gtest/gtest.h>

#include "framework/stdctrls.h"
#include "skin/controls/tests/controlfixture.h"

namespace skin {
namespace {

using test::ControlTest;
using test::FrameColour;
using test::PixelAt;

TEST(CheckFrames, StripsOfEachSizeAndNothingBeyondThem)
{
    struct Case {
        int frame, n;
        bool indeterminate, disabled;
        int check;
    } cases[] = {
        {1, 4, false, false, 1},
        {2, 4, false, false, 2},
        {3, 4, false, true, 3},
        {4, 4, false, true, 4},
        {4, 4, true, false, 4},
        {1, 12, false, false, 1},
        {2, 12, false, false, 5},
        {3, 12, false, true, 4},
        {4, 12, false, true, 8},
        {4, 12, true, false, 9},
        {4, 12, true, true, 12},
        // Grayed and disabled read from State: 6, past a 4-frame strip.
        {6, 4, false, true, 4},
        {6, 12, false, true, 6},
        {2, 0, false, false, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckBoxFrame(c.frame, c.n, c.indeterminate, c.disabled), c.check)
            << c.frame << " of " << c.n;
    EXPECT_EQ(RadioButtonFrame(2, 8, false), 5);
    EXPECT_EQ(RadioButtonFrame(3, 8, true), 4);
    EXPECT_EQ(RadioButtonFrame(4, 8, true), 8);
    EXPECT_EQ(RadioButtonFrame(4, 4, true), 4);
}

// Boxes of other vendors: Checked only, data-aware, bound.
class TDataAware : public fw::TRadioButton {
    FW_CLASS(TDataAware, fw::TRadioButton)
public:
    using fw::TRadioButton::TRadioButton;
    std::string DataField;
};
FW_IMPLEMENT_CLASS(TDataAware) { c.Property("DataField", &TDataAware::DataField); }

class TBound : public fw::TRadioButton {
    FW_CLASS(TBound, fw::TRadioButton)
public:
    using fw::TRadioButton::TRadioButton;
    int DataBinding = 0;
};
FW_IMPLEMENT_CLASS(TBound) { c.Property("DataBinding", &TBound::DataBinding); }

class SkinCheckTest : public ControlTest {
protected:
    template <class Skinner>
    Skinner* Skin(fw::TControl* c)
    {
        auto* s = new Skinner(c);
        s->InitControl(&list, data.get(), false, nullptr);
        return s;
    }
    // The colour at the middle of the box (left box, 13 x 13, in 100 x 17).
    fw::TColor Box(TSkinControl* s) { return PixelAt(Render(s).get(), 6, 8); }
};

TEST_F(SkinCheckTest, CheckBoxStatesOnATwelveFrameStrip)
{
    // Grayed needs a three-state box, made so before it has a window.
    auto* box = new fw::TCheckBox(form.get());
    box->SetAllowGrayed(true);
    box->SetParent(form.get());
    box->SetBounds(10, 10, 100, 17);
    box->SetCaption("Store");
    auto* s = Skin<TSkinCheckBox>(box);
    EXPECT_EQ(s->SubKind, 1);
    EXPECT_EQ(Box(s), FrameColour(1));
    box->SetState(fw::cbChecked);
    EXPECT_EQ(Box(s), FrameColour(5));
    box->SetState(fw::cbGrayed);
    EXPECT_EQ(Box(s), FrameColour(9));
    box->SetEnabled(false);
    EXPECT_EQ(Box(s), FrameColour(12));
    box->SetState(fw::cbChecked);
    EXPECT_EQ(Box(s), FrameColour(8));
    // The whole control is painted: the face beside the caption.
    EXPECT_EQ(PixelAt(Render(s).get(), 99, 1), test::kFace);
}

TEST_F(SkinCheckTest, ClicksToggleTheBoxAndItsLook)
{
    auto* box = Put<fw::TCheckBox>(10, 10, 100, 17);
    int clicks = 0;
    struct TCounter : fw::TObject {
        void Clicked(fw::TObject*) { ++*count; }
        int* count;
    } counter;
    counter.count = &clicks;
    box->OnClick = fw::TNotifyEvent(&counter, &TCounter::Clicked);
    auto* s = Skin<TSkinCheckBox>(box);
    HWND h = box->Handle();
    for (int i = 1; i <= 2; ++i) {
        SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        Pump();
        EXPECT_EQ(clicks, i);
        EXPECT_EQ(box->Checked(), i == 1);
        EXPECT_EQ(Box(s), FrameColour(i == 1 ? 5 : 1));
    }
}

TEST_F(SkinCheckTest, StateFromCheckedDataFieldAndDataBinding)
{
    LoadSkin(test::TestSkin({}, {}, 4));
    auto* plain = Put<fw::TRadioButton>(10, 10, 100, 17);
    auto* aware = Put<TDataAware>(10, 40, 100, 17);
    auto* bound = Put<TBound>(10, 70, 100, 17);
    auto* sp = Skin<TSkinCheckBox>(plain);
    auto* sa = Skin<TSkinCheckBox>(aware);
    auto* sb = Skin<TSkinCheckBox>(bound);
    EXPECT_EQ(Box(sp), FrameColour(1));
    plain->SetChecked(true);
    EXPECT_EQ(Box(sp), FrameColour(2));
    // A data-aware box shows the last BM_SETCHECK; 2 (indeterminate) gives 4.
    SendMessageW(aware->Handle(), BM_SETCHECK, 2, 0);
    EXPECT_EQ(sa->LastCheck, 3);
    EXPECT_EQ(Box(sa), FrameColour(4));
    // A bound box always shows unchecked (disabled: 3).
    bound->SetChecked(true);
    EXPECT_EQ(Box(sb), FrameColour(1));
    bound->SetEnabled(false);
    EXPECT_EQ(Box(sb), FrameColour(3));
}

TEST_F(SkinCheckTest, RadioOnAnEightFrameStripAndBoxesAtTheRight)
{
    auto* radio = Put<fw::TRadioButton>(10, 10, 100, 17);
    auto* check = Put<fw::TCheckBox>(10, 40, 100, 17);
    radio->SetAlignment(fw::taLeftJustify);
    check->SetAlignment(fw::taLeftJustify);
    auto* sr = Skin<TSkinRadioButton>(radio);
    auto* sc = Skin<TSkinCheckBox>(check);
    radio->SetChecked(true);
    // The radio box ends one pixel inside the right edge: 86 to 99.
    auto image = Render(sr);
    EXPECT_EQ(PixelAt(image.get(), 86, 8), FrameColour(5));
    EXPECT_EQ(PixelAt(image.get(), 98, 8), FrameColour(5));
    EXPECT_EQ(PixelAt(image.get(), 99, 8), test::kFace);
    EXPECT_EQ(PixelAt(image.get(), 85, 8), test::kFace);
    // The check box's reaches the edge: 87 to 100.
    image = Render(sc);
    EXPECT_EQ(PixelAt(image.get(), 87, 8), FrameColour(1));
    EXPECT_EQ(PixelAt(image.get(), 99, 8), FrameColour(1));
    EXPECT_EQ(PixelAt(image.get(), 86, 8), test::kFace);
}

TEST_F(SkinCheckTest, RawCheckBoxGetsTheSkinBoxOverItsOwn)
{
    HWND h = Raw(L"BUTTON", BS_AUTOCHECKBOX, 100, 17, 0, L"Raw");
    auto* s = new TSkinCheckBox(nullptr);
    s->InitHandle(h, data.get(), &list, nullptr);
    EXPECT_EQ(s->SubKind, 0);
    auto image = test::Solid(100, 17, 0x000000);
    HDC dc = image->Canvas()->Handle();
    SendMessageW(h, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    EXPECT_EQ(PixelAt(image.get(), 6, 8), FrameColour(1));
    // The caption is the check box's own: no skin face behind it.
    EXPECT_NE(PixelAt(image.get(), 99, 1), test::kFace);
    SendMessageW(h, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(h, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    EXPECT_EQ(PixelAt(image.get(), 6, 8), FrameColour(5));
}

TEST_F(SkinCheckTest, RefreshWithBoxStripsPaintsTheWholeControlAgain)
{
    auto* box = Put<fw::TCheckBox>(10, 10, 100, 17);
    auto* s = Skin<TSkinCheckBox>(box);
    LoadSkin(test::PackedSkin("[TitlebarSkin]\r\nSkinName=Bare\r\n"));
    Render(s);
    EXPECT_EQ(s->SubKind, 0);
    LoadSkin(test::TestSkin());
    s->RefreshSkin();
    EXPECT_EQ(s->SubKind, 1);
    EXPECT_EQ(Box(s), FrameColour(1));
}

}  // namespace
}  // namespace skin
