// Group boxes (a framework control and a raw group-box window), panels
// recoloured without a hook, raw dialog children filled flat, and the
// engine's factory making each of them for the classification.
#include "skin/controls/skinbox.h"

#include <gtest/gtest.h>

#include "framework/comctrls.h"
#include "framework/extctrls.h"
#include "framework/guards.h"
#include "framework/stdctrls.h"
#include "skin/controls/classify.h"
#include "skin/controls/skinstatus.h"
#include "skin/controls/tests/controlfixture.h"

namespace skin {
namespace {

using test::ControlTest;
using test::kFace;
using test::PixelAt;

constexpr fw::TColor kShadow = 0x404040;  // the test skin's ButtonShadow

// Half the height of "0" in the font, less one: the frame's top line.
int FrameTop(HFONT font)
{
    fw::TMemoryDC dc(nullptr);
    fw::TSelectObject selected(dc.Handle(), font);
    SIZE size{};
    GetTextExtentPoint32A(dc.Handle(), "0", 1, &size);
    return size.cy / 2 - 1;
}

class SkinGroupBoxTest : public ControlTest {};

TEST_F(SkinGroupBoxTest, FrameAndCaptionOfAFrameworkGroupBox)
{
    auto* box = Put<fw::TGroupBox>(10, 10, 160, 80);
    box->SetCaption("Group");
    auto* label = new fw::TLabel(form.get());
    label->SetParent(box);
    label->SetBounds(60, 40, 10, 10);
    label->SetTransparent(false);
    label->SetColor(0x00FF00);
    auto* s = new TSkinGroupBox(box);
    s->InitControl(&list, data.get(), false, nullptr);
    EXPECT_EQ(s->SubKind, 1);

    auto image = Render(s);
    const int w = image->Width(), h = image->Height();
    const int top = FrameTop(box->Font()->Handle());
    // The ground is the skin's face, the rounded frame its shadow.
    EXPECT_EQ(PixelAt(image.get(), 0, h / 2), kFace);
    EXPECT_EQ(PixelAt(image.get(), 1, h / 2), kShadow);
    EXPECT_EQ(PixelAt(image.get(), w - 2, h / 2), kShadow);
    EXPECT_EQ(PixelAt(image.get(), w / 2, h - 2), kShadow);
    EXPECT_EQ(PixelAt(image.get(), w / 2, h - 1), kFace);
    EXPECT_EQ(PixelAt(image.get(), w - 20, top), kShadow);
    EXPECT_EQ(PixelAt(image.get(), w / 2, h / 2), kFace);
    // The caption, 8 pixels in, hides the frame behind it.
    EXPECT_EQ(PixelAt(image.get(), 5, top), kShadow);
    for (int x = 8; x < 12; ++x) EXPECT_NE(PixelAt(image.get(), x, top), kShadow) << x;
    // The windowless children come after the skin.
    EXPECT_EQ(PixelAt(image.get(), 65, 45), 0x00FF00);

    // Right-aligned, the caption ends 8 pixels from the right.
    SetWindowLongPtrW(box->Handle(), GWL_EXSTYLE,
                      GetWindowLongPtrW(box->Handle(), GWL_EXSTYLE) | WS_EX_RIGHT);
    image = Render(s);
    EXPECT_EQ(PixelAt(image.get(), 9, top), kShadow);
    EXPECT_EQ(PixelAt(image.get(), w - 6, top), kShadow);
    EXPECT_NE(PixelAt(image.get(), w - 10, top), kShadow);
}

TEST_F(SkinGroupBoxTest, WindowPaintsThroughTheSkinner)
{
    auto* box = Put<fw::TGroupBox>(10, 10, 120, 60);
    auto* s = new TSkinGroupBox(box);
    s->InitControl(&list, data.get(), false, nullptr);
    auto image = test::Solid(120, 60, 0x000000);
    SendMessageW(box->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(image->Canvas()->Handle()), 0);
    EXPECT_EQ(PixelAt(image.get(), 60, 30), kFace);
    EXPECT_EQ(PixelAt(image.get(), 1, 30), kShadow);
}

TEST_F(SkinGroupBoxTest, RawGroupBoxWindowHasItsFrameCoveredButNoGround)
{
    HWND raw = Raw(L"BUTTON", BS_GROUPBOX, 120, 60, 0, L"Raw");
    auto* s = new TSkinGroupBox(nullptr);
    s->InitHandle(raw, data.get(), &list, nullptr);
    EXPECT_EQ(s->SubKind, 0);
    auto image = Render(s);
    // The window has no font of its own: the text height is the DC's font's.
    ASSERT_EQ(SendMessageW(raw, WM_GETFONT, 0, 0), 0);
    const int top =
        TSkinGroupBox::GroupBoxTextHeight(test::Solid(1, 1, 0)->Canvas()->Handle(), "0") / 2 - 1;
    // Two face-coloured frames over the window's own, the rounded frame on them.
    EXPECT_EQ(PixelAt(image.get(), 0, 30), kFace);
    EXPECT_EQ(PixelAt(image.get(), 1, 30), kShadow);
    EXPECT_EQ(PixelAt(image.get(), 119, 30), kFace);
    EXPECT_EQ(PixelAt(image.get(), 118, 30), kShadow);
    EXPECT_EQ(PixelAt(image.get(), 60, 59), kFace);
    EXPECT_EQ(PixelAt(image.get(), 60, top + 1), kFace);
    EXPECT_EQ(PixelAt(image.get(), 60, top), kShadow);
    // Inside, the window's own painting stays.
    EXPECT_EQ(PixelAt(image.get(), 60, 30), 0x000000);
}

TEST_F(SkinGroupBoxTest, BoxRecoloursWithoutHookAndGivesTheColourBack)
{
    auto* panel = Put<fw::TPanel>(10, 10, 60, 40);
    panel->SetBevelOuter(fw::bvNone);
    panel->SetColor(0x0000FF);
    const fw::TWndMethod proc = panel->WindowProc;
    auto paint = [&] {
        auto image = test::Solid(60, 40, 0x000000);
        SendMessageW(panel->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(image->Canvas()->Handle()),
                     0);
        return PixelAt(image.get(), 30, 20);
    };
    auto* s = new TSkinBox(panel);
    s->InitControl(&list, data.get(), true, nullptr);
    EXPECT_TRUE(panel->WindowProc == proc);
    EXPECT_EQ(list.FindByControl(panel), s);
    EXPECT_EQ(s->Handle, panel->Handle());
    EXPECT_EQ(panel->Color(), kFace);
    EXPECT_FALSE(panel->ParentBackground());
    EXPECT_EQ(paint(), kFace);
    // Attaching again keeps the colour it saved first.
    s->InitControl(&list, data.get(), true, nullptr);
    s->UnSkin();
    EXPECT_EQ(s->SkinState, TSkinControl::kColourOnly);
    EXPECT_EQ(panel->Color(), 0x0000FF);
    EXPECT_TRUE(panel->ParentBackground());
    EXPECT_EQ(paint(), 0x0000FF);

    // Without replace-colour (a tool bar) the colour is left alone.
    auto* bar = Put<fw::TPanel>(10, 60, 60, 20);
    bar->SetColor(0x00FF00);
    auto* plain = new TSkinBox(bar);
    plain->InitControl(&list, data.get(), false, nullptr);
    EXPECT_EQ(bar->Color(), 0x00FF00);
}

TEST_F(SkinGroupBoxTest, RawDialogChildErasesFlatAndGivesStaticsTheSkinBrushWithTransparentText)
{
    HWND dialog = Raw(L"#32770", 0, 50, 30);
    ASSERT_TRUE(dialog);
    auto* s = new TSkinBoxH(nullptr);
    s->InitHandle(dialog, data.get(), &list, nullptr);
    auto image = test::Solid(50, 30, 0x000000);
    EXPECT_EQ(
        SendMessageW(dialog, WM_ERASEBKGND, reinterpret_cast<WPARAM>(image->Canvas()->Handle()), 0),
        0);
    EXPECT_EQ(PixelAt(image.get(), 0, 0), kFace);
    EXPECT_EQ(PixelAt(image.get(), 49, 29), kFace);
    HWND label = CreateWindowExW(0, L"STATIC", L"x", WS_CHILD, 0, 0, 20, 10, dialog, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    fw::TMemoryDC dc(nullptr);
    EXPECT_EQ(SendMessageW(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.Handle()),
                           reinterpret_cast<LPARAM>(label)),
              reinterpret_cast<LRESULT>(data->Skin().ButtonFaceBrush.Handle()));
    EXPECT_EQ(GetBkMode(dc.Handle()), TRANSPARENT);
}

TEST_F(SkinGroupBoxTest, EngineFactoryMakesEachKind)
{
    TControlClassifier classifier(list, data.get(), nullptr);
    auto* bar = Put<fw::TStatusBar>(0, 0, 100, 20);
    auto* group = Put<fw::TGroupBox>(0, 0, 100, 60);
    auto* panel = Put<fw::TPanel>(0, 0, 100, 60);
    classifier.SkinControl(bar, form.get());
    classifier.SkinControl(group, form.get());
    classifier.SkinControl(panel, form.get());
    EXPECT_NE(dynamic_cast<TSkinStatusBar*>(list.FindByControl(bar)), nullptr);
    EXPECT_NE(dynamic_cast<TSkinGroupBox*>(list.FindByControl(group)), nullptr);
    EXPECT_NE(dynamic_cast<TSkinBox*>(list.FindByControl(panel)), nullptr);
    HWND dialog = Raw(L"#32770", 0, 50, 30);
    classifier.SkinChildWindow(dialog);
    EXPECT_NE(dynamic_cast<TSkinBoxH*>(list.FindByHandle(dialog)), nullptr);
}

}  // namespace
}  // namespace skin
