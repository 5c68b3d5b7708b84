// The flat fills: a size grip, and a page with its windowless children (and
// a page that keeps its own painting).
#include "skin/controls/skinflat.h"

#include <gtest/gtest.h>

#include "skin/controls/classify.h"
#include "skin/controls/tests/controlfixture.h"

namespace skin {
namespace {

using test::ControlTest;
using test::kFace;
using test::PixelAt;

constexpr fw::TColor kChildColour = 0x0000FF;  // a page's windowless child

using FlatTest = ControlTest;

TEST_F(FlatTest, SizeGripFilledWithTheFace)
{
    HWND grip = Raw(L"SCROLLBAR", SBS_SIZEGRIP, 16, 16);
    TControlClassifier(list, data.get(), nullptr).SkinChildWindow(grip);
    ASSERT_NE(dynamic_cast<TSkinSizer*>(list.FindByHandle(grip)), nullptr);
    // The grip paints itself, then the skinner covers it.
    auto b = test::Solid(16, 16, 0x000000);
    SendMessageW(grip, WM_PAINT, WPARAM(b->Canvas()->Handle()), 0);
    for (POINT p : {POINT{0, 0}, POINT{8, 8}, POINT{15, 15}})
        EXPECT_EQ(PixelAt(b.get(), p.x, p.y), kFace) << p.x << "," << p.y;
}

// A page of a page control, with the ParentBackground a page publishes; it
// counts its own paints.
class TSheetProbe : public fw::TCustomControl {
    FW_CLASS(TSheetProbe, fw::TCustomControl)
public:
    using fw::TCustomControl::TCustomControl;
    bool ParentBackground = false;
    int Paints = 0;

protected:
    void Paint() override { ++Paints; }
};
FW_IMPLEMENT_CLASS_AS(TSheetProbe, "TTabSheet")
{
    c.Property("ParentBackground", &TSheetProbe::ParentBackground);
}

class TMarkProbe : public fw::TGraphicControl {
    FW_CLASS(TMarkProbe, fw::TGraphicControl)
public:
    using fw::TGraphicControl::TGraphicControl;

protected:
    void Paint() override
    {
        const RECT r{0, 0, Width(), Height()};
        TSkinControl::FillSolidRect(Canvas()->Handle(), r, kChildColour);
    }
};
FW_IMPLEMENT_CLASS(TMarkProbe) {}

class SheetTest : public ControlTest {
protected:
    TSheetProbe* Sheet(bool parentBackground, bool replaceColor)
    {
        auto* sheet = Put<TSheetProbe>(10, 10, 100, 80);
        sheet->ParentBackground = parentBackground;
        auto* mark = new TMarkProbe(sheet);
        mark->SetParent(sheet);
        mark->SetBounds(10, 10, 20, 20);
        TSkinnerRequest r;
        r.Kind = TSkinnerKind::TabSheet;
        r.Control = sheet;
        r.ReplaceColor = replaceColor;
        DefaultSkinnerFactory().Attach(r, &list, data.get(), nullptr);
        return sheet;
    }
    std::unique_ptr<fw::TBitmap> Send(fw::TWinControl* c, UINT msg, LRESULT* result = nullptr)
    {
        auto b = test::Solid(100, 80, 0x000000);
        const LRESULT got = SendMessageW(c->Handle(), msg, WPARAM(b->Canvas()->Handle()), 0);
        if (result) *result = got;
        return b;
    }
};

TEST_F(SheetTest, PageFilledUnderItsWindowlessChildren)
{
    TSheetProbe* sheet = Sheet(false, false);
    ASSERT_NE(dynamic_cast<TSkinTabSheet*>(list.FindByControl(sheet)), nullptr);
    Send(sheet, WM_PAINT);
    EXPECT_EQ(sheet->Paints, 0);  // the skinner's painting in place of the page's
    for (UINT msg : {UINT(WM_PAINT), UINT(WM_PRINT)}) {
        auto b = Send(sheet, msg);
        EXPECT_EQ(PixelAt(b.get(), 5, 5), kFace) << msg;
        EXPECT_EQ(PixelAt(b.get(), 20, 20), kChildColour) << msg;
        EXPECT_EQ(PixelAt(b.get(), 90, 70), kFace) << msg;
    }
    LRESULT erased = 0;
    auto b = Send(sheet, WM_ERASEBKGND, &erased);
    EXPECT_EQ(erased, 1);
    EXPECT_EQ(PixelAt(b.get(), 20, 20), kFace);
}

TEST_F(SheetTest, PageWhoseParentBackgroundWasSwitchedOffPaintsItself)
{
    TSheetProbe* sheet = Sheet(true, true);
    EXPECT_FALSE(sheet->ParentBackground);
    Send(sheet, WM_PAINT);
    EXPECT_EQ(sheet->Paints, 1);
    list.FreeSkinControls();
    EXPECT_TRUE(sheet->ParentBackground);
}

}  // namespace
}  // namespace skin
