// Speed buttons (windowless, painted in their parent's paint) and menu
// buttons: the looks from the Buttons strip, glyph placement, the mouse
// through the parent's window, nested paints, the skinner's release and
// its freeing by the button's own handlers, the menu button's arrow and its
// drop-down menu.
#include "skin/controls/skinspeed.h"

#include <gtest/gtest.h>

#include "framework/menus.h"
#include "framework/stdctrls.h"
#include "skin/controls/classify.h"
#include "skin/controls/tests/controlfixture.h"
#include "skin/engine/skinmessages.h"
#include "skin/tests/freedmemory.h"
#include "skin/tests/pump.h"

namespace skin {
namespace {

using test::ControlTest;
using test::FrameColour;
using test::PixelAt;

// A speed button as other libraries publish it: no window, its press and
// click handled by the framework's control.
class TSpeedButton : public fw::TGraphicControl {
    FW_CLASS(TSpeedButton, fw::TGraphicControl)
public:
    using fw::TGraphicControl::TGraphicControl;
    void Clicked(fw::TObject*) { ++clicks; }
    fw::TBitmap* Glyph = nullptr;
    int NumGlyphs = 1;
    TGlyphLayoutKind Layout = blGlyphLeft;
    int Margin = -1;
    int Spacing = 4;
    bool Down = false;
    bool Flat = false;
    int clicks = 0, ownPaints = 0;

protected:
    void Paint() override { ++ownPaints; }
};
FW_IMPLEMENT_CLASS(TSpeedButton)
{
    c.Property("Caption", &TSpeedButton::Caption, &TSpeedButton::SetCaption);
    c.Property("Glyph", &TSpeedButton::Glyph);
    c.Property("NumGlyphs", &TSpeedButton::NumGlyphs);
    c.Property("Layout", &TSpeedButton::Layout);
    c.Property("Margin", &TSpeedButton::Margin);
    c.Property("Spacing", &TSpeedButton::Spacing);
    c.Property("Down", &TSpeedButton::Down);
    c.Property("Flat", &TSpeedButton::Flat);
}

// The speed button sits at (20, 30) on the form.
constexpr int kLeft = 20, kTop = 30;

class SkinSpeedTest : public ControlTest {
protected:
    TSpeedButton* MakeSpeed(int w = 75, int h = 25)
    {
        button = Put<TSpeedButton>(kLeft, kTop, w, h);
        button->OnClick = fw::TNotifyEvent(button, &TSpeedButton::Clicked);
        skinner = new TSkinSpeedButton(button);
        skinner->AttachGraphicControl(&list, data.get(), nullptr);
        return button;
    }
    // The form's client area painted into a bitmap through its paint
    // message, as the window system has it painted.
    std::unique_ptr<fw::TBitmap> ParentImage()
    {
        auto b = test::Solid(320, 240, 0x000000);
        form->Perform(WM_PAINT, reinterpret_cast<WPARAM>(b->Canvas()->Handle()), 0);
        return b;
    }
    // A pixel of the button in its parent's paint.
    fw::TColor Look(int x = 1, int y = 1)
    {
        return PixelAt(ParentImage().get(), kLeft + x, kTop + y);
    }
    void Mouse(UINT msg, int x, int y)
    {
        SendMessageW(form->Handle(), msg, msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(x, y));
    }

    TSpeedButton* button = nullptr;
    TSkinSpeedButton* skinner = nullptr;
};

TEST_F(SkinSpeedTest, EachStatePaintedFromTheStripInTheParentsPaint)
{
    MakeSpeed();
    struct Case {
        uint8_t mouse;
        bool enabled, down, flat;
        fw::TColor look;
    } cases[] = {
        {0, true, false, false, FrameColour(kButtonNormal)},
        {msHot, true, false, false, FrameColour(kButtonHot)},
        {msHot | msPressed, true, false, false, FrameColour(kButtonPressed)},
        {msHot, false, false, false, FrameColour(kButtonDisabled)},
        {0, true, true, false, FrameColour(kButtonPressed)},
        // Down wins over disabled.
        {0, false, true, false, FrameColour(kButtonPressed)},
        // A flat button shows its frame only when hot or pressed.
        {0, true, false, true, test::kFace},
        {0, false, false, true, test::kFace},
        {msHot, true, false, true, FrameColour(kButtonHot)},
        {0, true, true, true, FrameColour(kButtonPressed)},
    };
    for (const Case& c : cases) {
        skinner->MouseState = c.mouse;
        button->SetEnabled(c.enabled);
        button->Down = c.down;
        button->Flat = c.flat;
        EXPECT_EQ(Look(), c.look) << int(c.mouse) << c.enabled << c.down << c.flat;
        EXPECT_EQ(Look(74, 24), c.look);
        EXPECT_FALSE(skinner->Painting);
    }
    // The button's own painting never ran, and nothing went outside it.
    EXPECT_EQ(button->ownPaints, 0);
    EXPECT_EQ(Look(-1, 0), 0x000000);
    EXPECT_EQ(Look(75, 0), 0x000000);
}

TEST_F(SkinSpeedTest, GlyphPlacedByLayoutAndChosenByState)
{
    MakeSpeed();
    // Four 16 x 16 glyphs in their own colours over a white bottom row (the
    // transparent colour).
    const fw::TColor ink[] = {0xFF0000, 0x00FF00, 0x0000FF, 0x00FFFF};
    auto strip = test::MakeBitmap(
        64, 16, [&](int x, int y) { return y == 15 ? fw::TColor(0xFFFFFF) : ink[x / 16]; });
    button->Glyph = strip.get();
    button->NumGlyphs = 4;
    struct Place {
        TGlyphLayoutKind layout;
        int margin, spacing;
        POINT at;
    } places[] = {
        // No caption: the glyph alone centred, one pixel further in than a
        // glyph button's: (75 - 16) / 2 + 1.
        {blGlyphLeft, -1, 4, {30, 5}},  {blGlyphLeft, 3, 4, {3, 5}},
        {blGlyphRight, 3, 4, {56, 5}},  {blGlyphTop, 2, 4, {30, 2}},
        {blGlyphBottom, 2, 4, {30, 7}},
    };
    for (const Place& p : places) {
        button->Layout = p.layout;
        button->Margin = p.margin;
        button->Spacing = p.spacing;
        auto image = ParentImage();
        auto at = [&](int dx, int dy) {
            return PixelAt(image.get(), kLeft + p.at.x + dx, kTop + p.at.y + dy);
        };
        EXPECT_EQ(at(0, 0), ink[0]) << p.layout << " " << p.margin;
        EXPECT_EQ(at(15, 14), ink[0]) << p.layout << " " << p.margin;
        EXPECT_EQ(at(-1, 0), FrameColour(kButtonNormal)) << p.layout << " " << p.margin;
        EXPECT_EQ(at(16, 0), FrameColour(kButtonNormal)) << p.layout << " " << p.margin;
        EXPECT_EQ(at(0, 15), FrameColour(kButtonNormal)) << p.layout << " " << p.margin;
    }
    button->Layout = blGlyphLeft;
    button->Margin = 3;
    // Glyph 3 pressed, 4 down (the first when the strip has fewer).
    skinner->MouseState = msPressed;
    EXPECT_EQ(Look(3, 5), ink[2]);
    skinner->MouseState = 0;
    button->Down = true;
    button->SetEnabled(false);
    EXPECT_EQ(Look(3, 5), ink[3]);
    button->NumGlyphs = 2;
    EXPECT_EQ(Look(3, 5), ink[0]);
    // A glyph count of 0 is one glyph as wide as the bitmap.
    button->NumGlyphs = 0;
    button->Margin = -1;
    EXPECT_EQ(Look((75 - 64) / 2 + 1 + 63, 5), ink[3]);
    button->Glyph = nullptr;
}

TEST_F(SkinSpeedTest, MouseThroughTheParentChangesTheLook)
{
    MakeSpeed();
    Mouse(WM_MOUSEMOVE, kLeft + 5, kTop + 5);
    EXPECT_EQ(skinner->MouseState, msHot);
    EXPECT_EQ(Look(), FrameColour(kButtonHot));
    Mouse(WM_LBUTTONDOWN, kLeft + 5, kTop + 5);
    EXPECT_EQ(skinner->MouseState, msHot | msPressed);
    EXPECT_EQ(Look(), FrameColour(kButtonPressed));
    Mouse(WM_LBUTTONUP, kLeft + 5, kTop + 5);
    EXPECT_EQ(skinner->MouseState, msHot);
    // The button's own handling made the click.
    EXPECT_EQ(button->clicks, 1);
    Mouse(WM_MOUSEMOVE, 300, 200);
    EXPECT_EQ(skinner->MouseState, 0);
    EXPECT_EQ(Look(), FrameColour(kButtonNormal));
    // Leaving takes the press away too; the space key presses.
    skinner->MouseState = msHot | msPressed;
    button->Perform(fw::CM_MOUSELEAVE);
    EXPECT_EQ(skinner->MouseState, 0);
    button->Perform(WM_KEYDOWN, VK_SPACE);
    EXPECT_EQ(Look(), FrameColour(kButtonPressed));
    button->Perform(WM_KEYUP, VK_SPACE);
    EXPECT_EQ(skinner->MouseState, 0);
}

// Unskins from a handler of the button's own, as a handler that opens a
// modal box in which the skin goes.
struct TUnskinHandlers : fw::TObject {
    void MouseDown(fw::TObject*, fw::TMouseButton, fw::TShiftState, int, int)
    {
        list->FreeSkinControls();
    }
    void Click(fw::TObject*) { list->FreeSkinControls(); }
    TSkinControlList* list = nullptr;
};

TEST_F(SkinSpeedTest, AHandlerOfTheButtonThatUnskinsItLeavesTheFreedSkinnerAlone)
{
    // The press's mouse-down, and the release's click.
    for (const UINT msg : {UINT(WM_LBUTTONDOWN), UINT(WM_LBUTTONUP)}) {
        SCOPED_TRACE(msg == WM_LBUTTONDOWN ? "mouse-down" : "click");
        MakeSpeed();
        TUnskinHandlers unskin;
        unskin.list = &list;
        if (msg == WM_LBUTTONDOWN)
            button->OnMouseDown = fw::TMouseEvent(&unskin, &TUnskinHandlers::MouseDown);
        else
            button->OnClick = fw::TNotifyEvent(&unskin, &TUnskinHandlers::Click);
        if (msg == WM_LBUTTONUP) Mouse(WM_LBUTTONDOWN, kLeft + 5, kTop + 5);
        {
            test::TFreedMemoryWatch watch;
            Mouse(msg, kLeft + 5, kTop + 5);
            EXPECT_TRUE(list.SkinControls().empty());
            EXPECT_GT(watch.Freed(), 0u);
            EXPECT_EQ(watch.CallsIntoFreed(), 0);
            EXPECT_EQ(watch.WrittenAfterFree(), 0);
        }
        EXPECT_EQ(button->WindowProc, fw::TWndMethod(button, &fw::TControl::WndProc));
        if (msg == WM_LBUTTONDOWN) Mouse(WM_LBUTTONUP, kLeft + 5, kTop + 5);
        button->Free();
    }
}

TEST_F(SkinSpeedTest, PaintingEdges)
{
    MakeSpeed();
    // A paint message without a DC paints nothing and is answered.
    EXPECT_EQ(button->Perform(WM_PAINT, 0, 0), 1);
    EXPECT_EQ(button->ownPaints, 0);
    // A transparent flat button shows its parent, painted while the
    // button's own paint runs; that inner paint leaves the button's canvas
    // on the outer DC.
    form->SetColor(0x00FF80);
    button->SetTag(5555);
    button->Flat = true;
    skinner->Free();
    skinner = new TSkinSpeedButton(button);
    skinner->AttachGraphicControl(&list, data.get(), nullptr);
    EXPECT_TRUE(skinner->Transparent);
    EXPECT_EQ(Look(), 0x00FF80);
    skinner->MouseState = msHot;
    EXPECT_EQ(Look(), FrameColour(kButtonHot));
    // Shown at once over the parent while visible; a hidden button draws
    // nothing there: its canvas does not even take a DC.
    auto* canvas = static_cast<fw::TControlCanvas*>(button->Canvas());
    button->Perform(fw::CM_ENABLEDCHANGED);
    EXPECT_TRUE(canvas->HandleAllocated());
    canvas->FreeHandle();
    button->Hide();
    button->Perform(fw::CM_ENABLEDCHANGED);
    EXPECT_FALSE(canvas->HandleAllocated());
    button->Show();
    // A button 0 pixels wide is not painted.
    button->SetWidth(0);
    skinner->PaintToDC(nullptr);
    EXPECT_FALSE(skinner->Painting);
}

TEST_F(SkinSpeedTest, SkinnerLeavesWithTheButtonOrGivesItBack)
{
    MakeSpeed();
    EXPECT_EQ(button->Perform(WM_SKINQUERY), 1);
    ASSERT_EQ(list.SkinControls().size(), 1u);
    // Freed with the button, unlisted.
    button->Free();
    EXPECT_TRUE(list.SkinControls().empty());

    // Freed by the form skinner: the button paints itself again.
    MakeSpeed();
    list.FreeSkinControls();
    EXPECT_EQ(button->Perform(WM_SKINQUERY), 0);
    ParentImage();
    EXPECT_EQ(button->ownPaints, 1);

    // Released: the WindowProc goes back, the skinner stays the button's.
    MakeSpeed();
    button->Perform(fw::CM_RELEASE);
    EXPECT_EQ(button->Perform(WM_SKINQUERY), 0);
    ParentImage();
    EXPECT_EQ(button->ownPaints, 1);
}

// A speed button whose glyph is a graphic of its own property.
class TPngSpeed : public TSpeedButton {
    FW_CLASS(TPngSpeed, TSpeedButton)
public:
    using TSpeedButton::TSpeedButton;
    fw::TBitmap* PngImage = nullptr;
};
FW_IMPLEMENT_CLASS_AS(TPngSpeed, "TPngSpeedButton")
{
    c.Property("PngImage", &TPngSpeed::PngImage);
}

TEST_F(SkinSpeedTest, EngineFactoryMakesSpeedButtonSkinners)
{
    TControlClassifier classifier(list, data.get(), nullptr);
    button = Put<TSpeedButton>(kLeft, kTop, 75, 25);
    classifier.SkinControl(button, form.get());
    ASSERT_EQ(list.SkinControls().size(), 1u);
    auto* s = dynamic_cast<TSkinSpeedButton*>(list.SkinControls()[0]);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->GraphicControl, button);
    EXPECT_EQ(Look(), FrameColour(kButtonNormal));
    button->Free();

    // The graphic variant draws its picture whole, in every state.
    data->Skin3rd()->Add("TPngSpeedButton=pngspeedbutton");
    auto* png = Put<TPngSpeed>(kLeft, kTop, 75, 25);
    auto picture = test::Solid(16, 16, 0x00FFFF);
    png->PngImage = picture.get();
    classifier.SkinControl(png, form.get());
    ASSERT_EQ(list.SkinControls().size(), 1u);
    s = dynamic_cast<TSkinSpeedButton*>(list.SkinControls()[0]);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->SpeedGlyphProperty, "PngImage");
    png->Down = true;
    EXPECT_EQ(Look(30, 5), 0x00FFFF);
    EXPECT_EQ(Look(30 + 15, 5 + 15), 0x00FFFF);
    EXPECT_EQ(Look(29, 5), FrameColour(kButtonPressed));
    png->PngImage = nullptr;
}

// ---------------------------------------------------------------------------
// Menu buttons

// A drop-down button of another library: its click opens its menu.
class TDropButton : public fw::TButton {
    FW_CLASS(TDropButton, fw::TButton)
public:
    using fw::TButton::TButton;
    void Click() override
    {
        const POINT below = ClientToScreen({0, Height()});
        if (DropDownMenu) DropDownMenu->Popup(below.x, below.y);
        fw::TButton::Click();
    }
    fw::TPopupMenu* DropDownMenu = nullptr;
};
FW_IMPLEMENT_CLASS_AS(TDropButton, "TMyMenuButton") {}

TEST(MenuButtonFrame, FocusShowsHotNeverFocused)
{
    EXPECT_EQ(MenuButtonFrame(false, 0, true), kButtonNormal);
    EXPECT_EQ(MenuButtonFrame(true, 0, true), kButtonHot);
    EXPECT_EQ(MenuButtonFrame(true, msPressed, true), kButtonPressed);
    EXPECT_EQ(MenuButtonFrame(true, msHot, false), kButtonDisabled);
}

class SkinMenuButtonTest : public ControlTest {
protected:
    TDropButton* MakeMenuButton()
    {
        button = Put<TDropButton>(10, 10, 100, 24);
        TControlClassifier classifier(list, data.get(), nullptr);
        data->Skin3rd()->Add("TMyMenuButton=menubtn");
        classifier.SkinControl(button, form.get());
        skinner = list.SkinControls().empty()
                      ? nullptr
                      : dynamic_cast<TSkinMenuButton*>(list.SkinControls()[0]);
        return button;
    }
    TDropButton* button = nullptr;
    TSkinMenuButton* skinner = nullptr;
};

TEST_F(SkinMenuButtonTest, ArrowInTheRightPartAndFrames)
{
    MakeMenuButton();
    ASSERT_NE(skinner, nullptr);
    auto image = Render(skinner);
    // The arrow's corners (88, 14), (85, 11), (91, 11), in the window text
    // colour; around it the frame.
    const fw::TColor ink = fw::ColorToRGB(fw::clWindowText);
    for (POINT p : {POINT{88, 14}, POINT{85, 11}, POINT{91, 11}, POINT{88, 12}})
        EXPECT_EQ(PixelAt(image.get(), p.x, p.y), ink) << p.x << "," << p.y;
    for (POINT p : {POINT{88, 16}, POINT{84, 12}, POINT{92, 11}, POINT{88, 9}, POINT{1, 1}})
        EXPECT_EQ(PixelAt(image.get(), p.x, p.y), FrameColour(kButtonNormal)) << p.x << "," << p.y;
    // Default shows nothing special; disabled greys the arrow.
    button->SetDefault(true);
    EXPECT_EQ(PixelAt(Render(skinner).get(), 1, 1), FrameColour(kButtonNormal));
    button->SetEnabled(false);
    image = Render(skinner);
    EXPECT_EQ(PixelAt(image.get(), 1, 1), FrameColour(kButtonDisabled));
    EXPECT_EQ(PixelAt(image.get(), 88, 12), fw::ColorToRGB(fw::clBtnShadow));
}

// Counts the popup menus that open and closes each.
int g_menus = 0;
void CALLBACK CloseMenus(HWND, UINT, UINT_PTR, DWORD)
{
    HWND menu = FindWindowW(L"#32768", nullptr);
    if (menu && IsWindowVisible(menu)) {
        ++g_menus;
        EndMenu();
    }
}

TEST_F(SkinMenuButtonTest, ReleaseOpensTheDropDownMenu)
{
    MakeMenuButton();
    ASSERT_NE(skinner, nullptr);
    fw::TOwnedPtr<fw::TPopupMenu> menu(new fw::TPopupMenu(nullptr));
    auto* item = new fw::TMenuItem(menu.get());
    item->SetCaption("One");
    menu->Items()->Add(item);
    button->DropDownMenu = menu.get();
    form->Show();
    ASSERT_TRUE(test::PumpUntil([&] { return IsWindowVisible(form->Handle()) != 0; }));
    g_menus = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, CloseMenus);
    HWND h = button->Handle();
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(PixelAt(Render(skinner).get(), 1, 1), FrameColour(kButtonPressed));
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    KillTimer(nullptr, timer);
    EXPECT_EQ(g_menus, 1);
    button->DropDownMenu = nullptr;
}

}  // namespace
}  // namespace skin
